#include "app/SiteTreeCtrl.h"
#include "app/Artwork.h"

#include "document/EditScope.h"
#include <optional>

#include "document/KJDoc.h"
#include "editor/KJView.h"
#include "editor/SiteTreeNodes.h"
#include "resources/CommandIds.h"
#include "framework/core/MessageBox.h"
#include "framework/ui/Frames.h"
#include "framework/ui/Translation.h"
#include "framework/ui/WinApp.h"
#include "model/Folder.h"
#include "model/ItemTypes.h"
#include "model/Page.h"
#include "model/Picture.h"

#include <optional>
#include <QtGui/QContextMenuEvent>
#include <QtGui/QIcon>
#include <QtGui/QPainter>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMenu>

namespace {
CMenu MakeContextMenu()
{
    CMenu menu;
    menu.items = {
        CMenu::Popup("Site", {CMenu::Command("Insert Page", ID_PAGE_INSERT), CMenu::Command("Insert Folder", ID_FOLDER_INSERT)}),
        CMenu::Popup("Page", {CMenu::Command("Setup", ID_PAGE_SETUP), CMenu::Separator(),
                              CMenu::Command("Title", ID_PAGE_TITLE), CMenu::Command("Rename/Move", ID_PAGE_RENAME_MOVE),
                              CMenu::Command("Preview", ID_PAGE_PREVIEW),
                              CMenu::Command("Preview in Browser", ID_PAGE_PREVIEW_BROWSER), CMenu::Separator(),
                              CMenu::Command("View Source", ID_VIEW_SOURCE), CMenu::Command("Delete", ID_PAGE_DELETE)}),
        CMenu::Popup("Folder", {CMenu::Command("Rename", ID_FOLDER_RENAME)}),
        CMenu::Popup("File", {CMenu::Command("Rename", ID_FOLDER_RENAME), CMenu::Command("Delete", ID_FILE_DELETE_RECORD)}),
        CMenu::Popup("Master", {CMenu::Command("Setup", ID_PAGE_SETUP), CMenu::Command("Delete", ID_PAGE_DELETE)}),
        CMenu::Popup("Texture", {CMenu::Command("Delete", ID_TEXTURE_DELETE)}),
    };
    TranslateMenu(menu);
    return menu;
}

int PopupForType(int type)
{
    switch (type) {
    case ITEM_PAGE: return 1;
    case 0: return 2;
    case 39: return 3;
    case ITEM_MASTER: return 4;
    case 47: return 5;
    default: return 0;
    }
}

// Pages of one folder must not share a file name (the output would overwrite one).
const CPage* FindNameClash(const CKJDoc& doc, const CPage* page, const CFolder* folder)
{
    const CString name = page->GetFileName();
    for (const auto& other : doc.m_pages)
        if (other.get() != page && other->GetFolder() == folder && other->GetFileName().CompareNoCase(name) == 0)
            return other.get();
    return nullptr;
}

// A tree picture from its SVG file under resources/tree.
QIcon TreePicture(const char* name)
{
    return QIcon(ResourcePicture(QStringLiteral(":/tree/%1.svg").arg(QLatin1String(name)), 16));
}
} // namespace

std::vector<QIcon> MakeSiteTreeImages()
{
    std::vector<QIcon> images(IMAGE_COUNT);
    images[IMAGE_PAGE] = TreePicture("page");
    images[IMAGE_FOLDER] = TreePicture("folder");
    images[IMAGE_HOME] = TreePicture("home");
    images[IMAGE_TEXTURE] = TreePicture("texture");
    images[IMAGE_FOLDER_HOME] = TreePicture("folder_home");
    images[IMAGE_FILE] = TreePicture("file");
    images[IMAGE_MASTER] = TreePicture("master");
    return images;
}

CSiteTreeCtrl::CSiteTreeCtrl(QWidget* parent) : QTreeWidget(parent), m_contextMenu(MakeContextMenu())
{
    setObjectName(QStringLiteral("SiteTree"));
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(true);
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    setIconSize(QSize(16, 16));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragEnabled(false); // the page drag is the tree's own
    QPalette pal = palette();
    pal.setColor(QPalette::Base, QColor(0x40, 0x40, 0x40));
    pal.setColor(QPalette::Text, Qt::white);
    setPalette(pal);
    SetSiteTreeImages(this, MakeSiteTreeImages());
    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current, QTreeWidgetItem*) {
        // Choosing a page shows it, a master is entered, a texture shown alone.
        CKJView* view = GetView();
        if (view && !m_bMoving)
            view->OnSiteTreeSelChanged(NodeObject(current));
    });
}

CCmdTarget* CSiteTreeCtrl::CommandTarget() const
{
    // The main window routes to the active view, its document and frame; without one the
    // project window around the tree does the same for its own view.
    if (CWinApp* app = AfxGetApp(); app && app->m_pMainWnd)
        return app->m_pMainWnd;
    for (QWidget* w = parentWidget(); w; w = w->parentWidget())
        if (auto* frame = dynamic_cast<CMDIChildWnd*>(w))
            return frame;
    return GetView();
}

void CSiteTreeCtrl::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTreeWidget::mouseDoubleClickEvent(event);
    QTreeWidgetItem* node = itemAt(event->pos());
    // only a hit on the label counts, not on the icon or the expander
    if (!node || !LabelRect(node).contains(event->pos()))
        return;
    if (CKJView* view = GetView())
        view->OnSiteTreeDblClk(NodeObject(node));
}

QRect CSiteTreeCtrl::LabelRect(QTreeWidgetItem* node) const
{
    QRect rect = visualItemRect(node);
    const int textStart = rect.left() + (node->icon(0).isNull() ? 0 : iconSize().width() + 4);
    const int textWidth = fontMetrics().horizontalAdvance(node->text(0)) + 6;
    rect.setLeft(textStart);
    rect.setWidth(textWidth);
    return rect;
}

CKJView* CSiteTreeCtrl::GetView() const
{
    if (m_pView)
        return m_pView;
    for (QWidget* w = parentWidget(); w; w = w->parentWidget())
        if (auto* frame = dynamic_cast<CMDIChildWnd*>(w))
            return dynamic_cast<CKJView*>(frame->GetActiveView());
    return nullptr;
}

int CSiteTreeCtrl::PrepareContextMenu(QPoint point)
{
    QTreeWidgetItem* hit = itemAt(point);
    if (!hit)
        return 0;
    CSiteObject* object = NodeObject(hit);
    if (!object)
        return -1;
    setCurrentItem(hit);
    return PopupForType(object->m_nType);
}

void CSiteTreeCtrl::FillContextMenu(QMenu& menu, int index)
{
    if (index < 0 || index >= int(m_contextMenu.items.size()))
        return;
    for (const CMenu::Item& item : m_contextMenu.items[size_t(index)].popup) {
        if (item.separator) {
            menu.addSeparator();
            continue;
        }
        QAction* action = menu.addAction(item.text.ToQString());
        const UINT id = item.id;
        // An entry with no handler yet is shown greyed, never as a click that does nothing.
        CCmdUI ui(id);
        if (CCmdTarget* target = CommandTarget())
            UpdateCommand(target, ui);
        else
            ui.Enable(FALSE);
        action->setEnabled(ui.m_bEnabled);
        connect(action, &QAction::triggered, this, [this, id] {
            if (CCmdTarget* target = CommandTarget())
                ExecuteCommand(target, id);
        });
    }
}

void CSiteTreeCtrl::contextMenuEvent(QContextMenuEvent* event)
{
    const QPoint global = event->reason() == QContextMenuEvent::Keyboard ? QCursor::pos() : event->globalPos();
    const int index = PrepareContextMenu(viewport()->mapFromGlobal(global));
    if (index < 0 || index >= int(m_contextMenu.items.size()))
        return;
    QMenu menu(this);
    FillContextMenu(menu, index);
    menu.exec(global);
}

bool CSiteTreeCtrl::BeginDrag(QTreeWidgetItem* node)
{
    if (!node || !NodeObject(node))
        return false;
    m_pDragItem = node;
    // The held button keeps the mouse with the tree until it is released.
    viewport()->setCursor(Qt::DragMoveCursor);
    return true;
}

void CSiteTreeCtrl::SetDropHighlight(QTreeWidgetItem* node)
{
    if (m_pDropHighlight == node)
        return;
    if (m_pDropHighlight)
        m_pDropHighlight->setBackground(0, QBrush());
    m_pDropHighlight = node;
    if (node)
        node->setBackground(0, QColor(0x30, 0x60, 0xC0));
}

void CSiteTreeCtrl::DragOver(QPoint point)
{
    if (QTreeWidgetItem* node = itemAt(point))
        SetDropHighlight(node);
}

void CSiteTreeCtrl::EndDrag()
{
    viewport()->unsetCursor();
    QTreeWidgetItem* dragged = m_pDragItem;
    QTreeWidgetItem* target = m_pDropHighlight;
    SetDropHighlight(nullptr);
    m_pDragItem = nullptr;
    if (dragged && target)
        DropOn(dragged, target);
}

bool CSiteTreeCtrl::DropOn(QTreeWidgetItem* dragged, QTreeWidgetItem* target)
{
    CSiteObject* source = NodeObject(dragged);
    CSiteObject* destination = NodeObject(target);
    auto* page = dynamic_cast<CPage*>(source);
    if (!page || !destination || source == destination)
        return false;
    CFolder* folder = nullptr;
    QTreeWidgetItem* parentNode = nullptr;
    int insertAt = -1;
    if (auto* targetFolder = dynamic_cast<CFolder*>(destination)) {
        if (page->GetFolder() == targetFolder)
            return false;
        folder = targetFolder;
        parentNode = target;
    } else if (auto* targetPage = dynamic_cast<CPage*>(destination)) {
        folder = targetPage->GetFolder();
        parentNode = target->parent();
        insertAt = (parentNode ? parentNode->indexOfChild(target) : indexOfTopLevelItem(target)) + 1;
    } else {
        return false;
    }

    CKJView* view = GetView();
    CKJDoc* doc = view ? view->GetProject() : nullptr;
    // The move is one change: its snapshot comes first, and the page's address changed,
    // so it is written and uploaded again.
    std::optional<CEditScope> scope;
    if (folder != page->GetFolder()) {
        if (doc && FindNameClash(*doc, page, folder)) {
            AfxMessageBox(CString::Formatted(UiTranslate("A page named \"%s\" is already in that folder.").GetString(),
                                             page->GetFileName().GetString()),
                          MB_ICONEXCLAMATION);
            return false;
        }
        if (doc)
            scope.emplace(*doc, page, page, nullptr, "Move Page");
        page->m_pParent = folder;
        page->m_nParentId = folder ? folder->m_nSerial : 0;
    }

    // The node moves: a new one in its place, the old one goes.
    m_bMoving = true; // the selection change must not switch pages mid-move
    auto* node = new QTreeWidgetItem;
    node->setText(0, GetPageTreeLabel(page).ToQString());
    SetNodeObject(node, page);
    if (parentNode) {
        if (insertAt < 0)
            parentNode->addChild(node);
        else
            parentNode->insertChild(insertAt, node);
        parentNode->setExpanded(true);
    } else {
        insertTopLevelItem(insertAt < 0 ? topLevelItemCount() : insertAt, node);
    }
    SetNodeImage(node, GetPageFileKind(page));
    setCurrentItem(node);
    delete dragged;
    m_bMoving = false;

    if (doc && !scope)
        scope.emplace(*doc);
    if (scope)
        scope->Touch(page);
    return true;
}

void CSiteTreeCtrl::mousePressEvent(QMouseEvent* event)
{
    QTreeWidget::mousePressEvent(event);
    if (event->button() == Qt::LeftButton) {
        m_pPressItem = itemAt(event->pos());
        m_pressPoint = event->pos();
    }
}

void CSiteTreeCtrl::mouseMoveEvent(QMouseEvent* event)
{
    if (m_pDragItem) {
        DragOver(event->pos());
        return;
    }
    if ((event->buttons() & Qt::LeftButton) && m_pPressItem
        && (event->pos() - m_pressPoint).manhattanLength() >= QApplication::startDragDistance()) {
        BeginDrag(m_pPressItem);
        m_pPressItem = nullptr;
        return;
    }
    QTreeWidget::mouseMoveEvent(event);
}

void CSiteTreeCtrl::mouseReleaseEvent(QMouseEvent* event)
{
    m_pPressItem = nullptr;
    if (!m_pDragItem) {
        QTreeWidget::mouseReleaseEvent(event);
        return;
    }
    EndDrag();
}
