// Edit menu commands on the selection of the current container: the clipboard (the private
// item stream and plain text), Delete, Duplicate, Group, Ungroup, Group as Form and Select
// All; and local files dropped on the canvas. Every change is one edit scope, so one undo
// step, one modified mark and one upload-state reset.
#include "editor/commands/Commands.h"
#include "editor/commands/ClipboardPicture.h"

#include "dialogs/EffectDialogs.h"
#include "dialogs/PasteImage.h"
#include "dialogs/SiteListDialogs.h"
#include "document/EditScope.h"
#include "document/ImageItemImport.h"
#include "document/KJDoc.h"
#include "editor/KJView.h"
#include "framework/core/CArchive.h"
#include "framework/core/CFile.h"
#include "framework/core/MessageBox.h"
#include "framework/ui/Translation.h"
#include "model/Clipboard.h"
#include "model/Dib.h"
#include "model/GroupItem.h"
#include "model/ItemTypes.h"
#include "model/Page.h"
#include "model/SiteObject.h"
#include "model/items/FlashItem.h"
#include "model/items/FormItem.h"
#include "model/items/ImageItem.h"
#include "model/items/ParagraphItem.h"
#include "model/items/TableItem.h"
#include "model/items/TextItem.h"

#include <QtCore/QFileInfo>
#include <QtCore/QMimeData>
#include <QtCore/QUrl>
#include <QtGui/QClipboard>
#include <QtGui/QDropEvent>
#include <QtGui/QGuiApplication>

#include <memory>
#include <optional>

namespace {

CGroupItem* Group(CItem* item) { return dynamic_cast<CGroupItem*>(item); }

// What the clipboard offers to Edit/Paste. A picture alone offers nothing until the
// picture paste has its dialog.
bool ClipboardHasItems(const QMimeData* mime) { return mime && mime->hasFormat(QString::fromLatin1(kItemStreamMimeType)); }
bool ClipboardOffersPaste()
{
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    return mime && (ClipboardHasItems(mime) || mime->hasImage() || mime->hasText() || mime->hasFormat(QString::fromLatin1(kDrawingMimeType)));
}

// The item a clipboard text becomes (with CR LF line ends): a table when it holds TABs and
// line ends, a paragraph when only line ends, a text when neither; none for TABs alone.
std::unique_ptr<CItem> MakeItemFromText(CKJDoc& doc, const QString& text)
{
    const bool tab = text.contains(QChar(9));
    const bool lf = text.contains(QChar(10));
    if (tab && !lf)
        return nullptr;
    if (lf && !tab) {
        std::unique_ptr<CItem> paragraph(doc.NewParagraph());
        paragraph->m_strText.SetQString(text);
        paragraph->RecalcLayout();
        return paragraph;
    }
    if (!tab) {
        auto item = std::make_unique<CTextItem>();
        item->m_pBaseStyle = &doc.m_styles.m_base;
        item->m_strText.SetQString(text);
        item->RecalcLayout();
        return item;
    }
    auto table = std::make_unique<CTableItem>();
    table->m_pBaseStyle = &doc.m_styles.m_base;
    table->m_strName.Format("Table%d", doc.m_nItemCounter++);
    bool header = true;
    CTableColumn* openHeader = nullptr;
    CTableRow* openRow = nullptr;
    CWString* openCell = nullptr;
    int column = 0;
    for (const QChar qc : text) {
        const char16_t c = qc.unicode();
        // A row holds kTableMaxCells cells: further fields of a line have nowhere to go.
        const bool room = column < kTableMaxCells;
        if (header) {
            if (!openHeader && room)
                openHeader = &table->AddColumn();
        } else {
            if (!openRow) {
                openRow = &table->AddRow();
                column = 0;
            }
            if (!openCell && column < kTableMaxCells) {
                openRow->m_cells[column] = std::make_unique<CWString>();
                openCell = openRow->m_cells[column].get();
            }
        }
        if (c == 9) {
            openHeader = nullptr;
            openCell = nullptr;
            ++column;
        } else if (c == 13) {
            header = false;
            openHeader = nullptr;
            openRow = nullptr;
            openCell = nullptr;
            column = 0;
        } else if (c >= 32) {
            if (header && openHeader)
                openHeader->m_strHeader.AppendChar(c);
            else if (!header && openCell)
                openCell->AppendChar(c);
        }
    }
    table->RecalcLayout();
    return table;
}

enum class DropKind { None, Sound, Video, Picture, Text, Data, Flash };

DropKind KindOfDroppedFile(const QString& path)
{
    const QString ext = QFileInfo(path).suffix().toLower();
    auto any = [&ext](std::initializer_list<const char*> list) {
        for (const char* e : list)
            if (ext == QLatin1String(e))
                return true;
        return false;
    };
    if (any({"wav", "mp3", "wma"}))
        return DropKind::Sound;
    if (any({"avi", "mov", "wmv", "mpg"}))
        return DropKind::Video;
    if (any({"bmp", "gif", "jpg", "jpeg", "jpe", "png"}))
        return DropKind::Picture;
    if (ext == QLatin1String("txt"))
        return DropKind::Text;
    if (ext == QLatin1String("csv"))
        return DropKind::Data;
    if (ext == QLatin1String("swf"))
        return DropKind::Flash;
    return DropKind::None;
}

// The local files of a drop that the canvas takes; a drop of none of them (a project file)
// is left to the main window, which opens it.
QStringList CanvasFiles(const QMimeData* mime)
{
    QStringList paths;
    if (!mime || !mime->hasUrls())
        return paths;
    for (const QUrl& url : mime->urls())
        if (url.isLocalFile() && KindOfDroppedFile(url.toLocalFile()) != DropKind::None)
            paths << url.toLocalFile();
    return paths;
}

class CanvasDropFilter : public QObject {
public:
    explicit CanvasDropFilter(CKJView& view) : QObject(&view), m_view(view) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != &m_view)
            return false;
        const QEvent::Type type = event->type();
        if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
            return false;
        auto* drop = static_cast<QDropEvent*>(event);
        const QStringList paths = CanvasFiles(drop->mimeData());
        if (paths.isEmpty() || !m_view.m_pContainer) {
            drop->ignore(); // goes on to the main window
            return true;
        }
        drop->acceptProposedAction();
        if (type == QEvent::Drop)
            m_view.OnDropFiles(paths);
        return true;
    }

private:
    CKJView& m_view;
};

} // namespace

// Edit/Clone to Page: the selected items of this page are shown on the pages ticked in
// the list (and no longer on the others), as one change.
static void OnEditCloneToPage(CKJView& view)
{
    CKJDoc* doc = view.GetProject();
    CPage* page = view.m_pCurrentPage;
    if (!doc || !page)
        return;
    if (view.m_pContainer != page) {
        AfxMessageBox(UiTranslate("You can clone page objects only."), MB_ICONSTOP);
        return;
    }
    const std::vector<CItem*> selected = view.GetSelectedItems();
    if (selected.empty())
        return;
    DCloneToPage dlg(&view);
    dlg.m_pDoc = doc;
    dlg.m_pPage = page;
    dlg.m_pItem = selected.front();
    if (dlg.DoModal() != IDOK)
        return;
    CEditScope scope(*doc);
    for (CItem* item : selected)
        for (const auto& other : doc->m_pages) {
            CPage* target = other.get();
            if (target == page)
                continue;
            const bool chosen = std::find(dlg.m_result.begin(), dlg.m_result.end(), target) != dlg.m_result.end();
            if (chosen == (PageHasClone(target, item) != 0))
                continue;
            if (chosen)
                PageAddClone(target, item);
            else
                PageRemoveClone(target, item);
            scope.Touch(target);
        }
}

void RegisterClipboardCommands(CKJView& view)
{
    CKJView* v = &view;
    auto hasContainer = [v] { return v->m_pContainer && Group(v->m_pContainer); };
    auto cmd = [v](UINT id, void (CKJView::*handler)()) { v->OnCommand(id, [v, handler] { (v->*handler)(); }); };
    cmd(ID_EDIT_COPY, &CKJView::OnEditCopy);
    cmd(ID_EDIT_CUT, &CKJView::OnEditCut);
    cmd(ID_EDIT_PASTE, &CKJView::OnEditPaste);
    cmd(ID_EDIT_DELETE, &CKJView::OnEditDelete);
    cmd(ID_EDIT_DUPLICATE, &CKJView::OnEditDuplicate);
    cmd(ID_EDIT_GROUP, &CKJView::OnEditGroup);
    cmd(ID_EDIT_UNGROUP, &CKJView::OnEditUngroup);
    cmd(ID_EDIT_GROUP_AS_FORM, &CKJView::OnEditGroupAsForm);
    cmd(ID_EDIT_SELECT_ALL, &CKJView::OnEditSelectAll);

    // Copy, Cut, Delete and Duplicate act on the selection: with none they are off
    for (UINT id : {UINT(ID_EDIT_COPY), UINT(ID_EDIT_CUT), UINT(ID_EDIT_DELETE), UINT(ID_EDIT_DUPLICATE)})
        view.OnUpdateCommand(id, [v](CCmdUI* ui) { v->OnUpdateItemCommand(ui); });
    view.OnUpdateCommand(ID_EDIT_PASTE, [hasContainer](CCmdUI* ui) { ui->Enable(hasContainer() && ClipboardOffersPaste()); });
    auto several = [v, hasContainer](CCmdUI* ui) { ui->Enable(hasContainer() && v->CountSelected() > 1); };
    view.OnUpdateCommand(ID_EDIT_GROUP, several);
    view.OnUpdateCommand(ID_EDIT_GROUP_AS_FORM, several);
    view.OnUpdateCommand(ID_EDIT_UNGROUP, [v, hasContainer](CCmdUI* ui) {
        const CItem* first = v->GetSelectedItem();
        ui->Enable(hasContainer() && first && first->m_nType == ITEM_GROUP && v->CountSelected() == 1);
    });
    view.OnCommand(ID_EDIT_CLONE_TO_PAGE, [v] { OnEditCloneToPage(*v); });
    view.OnUpdateCommand(ID_EDIT_CLONE_TO_PAGE, [v](CCmdUI* ui) {
        CKJDoc* doc = v->GetProject();
        ui->Enable(doc && v->m_pContainer && v->m_pContainer == v->m_pCurrentPage && v->GetSelectedItem() &&
                   doc->m_pages.size() >= 2);
    });

    view.setAcceptDrops(true);
    view.installEventFilter(new CanvasDropFilter(view));
}

// ---------------------------------------------------------------- the clipboard

bool CKJView::CopySelectionToClipboard()
{
    auto* group = Group(m_pContainer);
    if (!group)
        return false;
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        WriteSelection(*group, ar, false);
        ar.Close();
    }
    const std::vector<BYTE> bytes = file.Bytes();
    const QByteArray data(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
    const QString type = QString::fromLatin1(kItemStreamMimeType);
    auto* mime = new QMimeData;
    mime->setData(type, data);
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setMimeData(mime);
    const QMimeData* now = clipboard->mimeData();
    if (!now || now->data(type) != data) {
        AfxMessageBox(UiTranslate("The clipboard did not take the items."), MB_ICONEXCLAMATION);
        return false;
    }
    m_nClipboardFlag = 1;
    return true;
}

void CKJView::OnEditCopy()
{
    // nothing selected: the clipboard keeps what it holds
    if (m_pContainer && CountSelected() > 0)
        CopySelectionToClipboard();
}

void CKJView::OnEditCut()
{
    if (!m_pContainer || CountSelected() == 0)
        return;
    // Nothing is deleted that did not reach the clipboard.
    if (!CopySelectionToClipboard())
        return;
    OnEditDelete();
    m_nClipboardFlag = 0;
}

void CKJView::OnEditPaste()
{
    m_bShiftDown = 0;
    CKJDoc* doc = GetProject();
    if (!doc || !Group(m_pContainer))
        return;
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    if (!mime)
        return;
    if (ClipboardHasItems(mime)) {
        PasteItemBytes(mime->data(QString::fromLatin1(kItemStreamMimeType)), m_nClipboardFlag != 0);
        return;
    }
    // a picture, asked about in its dialog first; text, then a drawing
    if (mime->hasImage()) {
        const QImage image = qvariant_cast<QImage>(mime->imageData());
        if (!image.isNull()) {
            PasteImageWithDialog(image);
            return;
        }
    }
    if (mime->hasText())
        PasteTextAsTable(mime->text());
    else if (mime->hasFormat(QString::fromLatin1(kDrawingMimeType)))
        PasteMetafile(*this, mime->data(QString::fromLatin1(kDrawingMimeType)));
}

void CKJView::PasteImageWithDialog(const QImage& image)
{
    CKJDoc* doc = GetProject();
    if (!doc)
        return;
    DPasteImage dlg(this);
    dlg.m_picture = DibFromQImage(image);
    if (!dlg.m_picture.IsValid()) {
        AfxMessageBox(UiTranslate("The picture could not be pasted."), MB_ICONEXCLAMATION);
        return;
    }
    // The proposed name takes the next picture number; only a paste that happens uses it.
    dlg.m_name.SetQString(QStringLiteral("image%1").arg(doc->m_nImageCounter));
    dlg.m_nWidth = dlg.m_picture.GetWidth();
    dlg.m_nHeight = dlg.m_picture.GetHeight();
    if (dlg.DoModal() != IDOK)
        return;
    PastePicture(*this, dlg.m_picture, dlg.m_name, dlg.m_nFormat == 1, dlg.m_nPlacement);
}

bool CKJView::PasteItemBytes(const QByteArray& bytes, bool rename)
{
    CKJDoc* doc = GetProject();
    auto* group = Group(m_pContainer);
    if (!doc || !group)
        return false;
    // Read whole into a group of its own first: a damaged stream changes nothing, not
    // even the serial the holding group drew.
    const int serials = GetObjectCounter();
    CGroupItem scratch;
    if (PasteItemStream(scratch, bytes.constData(), std::size_t(bytes.size()), doc->m_nItemCounter, rename) < 0) {
        SetObjectCounter(serials);
        AfxMessageBox(UiTranslate("The items on the clipboard are damaged and cannot be pasted."), MB_ICONEXCLAMATION);
        return false;
    }
    ClearInteraction();
    CEditScope scope(*doc, m_pCurrentPage, m_pContainer, nullptr, "Paste Item");
    InvalidateSelection();
    DeselectAll();
    while (scratch.GetChildCount() > 0)
        group->AddChild(scratch.DetachChild(scratch.GetChild(0)));
    group->SetSiteStyles(&doc->m_styles);
    doc->UpdateItemLinks();
    m_nClipboardFlag = 1;
    group->LayoutChildren();
    InvalidateSelection();
    update();
    // A block pasted wholly outside the container comes back to its middle on that axis.
    const CRect b = GetBoundingRect(*group);
    const int w = m_pContainer->m_nWidth, h = m_pContainer->m_nHeight;
    const int cx = (b.left + b.right) / 2, cy = (b.top + b.bottom) / 2;
    const int dx = (b.right < 0 || b.left > w) ? w / 2 - cx : 0;
    const int dy = (b.bottom < 0 || b.top > h) ? h / 2 - cy : 0;
    if (dx || dy) {
        MoveSelection(dx, dy);
        SyncFrameRuler();
        RedrawNow();
    }
    return true;
}

CItem* CKJView::PasteTextAsTable(const QString& clipboardText)
{
    CKJDoc* doc = GetProject();
    auto* group = Group(m_pContainer);
    if (!doc || !group)
        return nullptr;
    // Line ends as the table rules expect them: CR LF, whatever the clipboard used.
    QString text = clipboardText;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QChar(13), QChar(10));
    text.replace(QLatin1String("\n"), QLatin1String("\r\n"));
    std::unique_ptr<CItem> item = MakeItemFromText(*doc, text);
    if (!item)
        return nullptr; // TABs without line ends: nothing is made, nothing changes
    ClearInteraction();
    CEditScope scope(*doc, m_pCurrentPage, m_pContainer, nullptr, "Paste Text");
    CItem* raw = item.get();
    group->AddChild(item.release());
    raw->SetSiteStyles(&doc->m_styles);
    CenterInContainer(raw);
    DeselectAll();
    SelectItem(raw);
    if (InvalidateSelection())
        RedrawNow();
    else
        update();
    return raw;
}

// ---------------------------------------------------------------- delete and duplicate

int CKJView::DeleteSelectedItems()
{
    CKJDoc* doc = GetProject();
    auto* group = Group(m_pContainer);
    if (!group)
        return 0;
    std::vector<std::unique_ptr<CItem>> removed;
    for (CItem* item : GetSelectedItems())
        removed.emplace_back(group->DetachChild(item));
    int result = 0;
    for (auto& item : removed) {
        if (!item->m_bPositioned)
            result = 1;
        if (doc && doc->RemoveItemReferences(item.get()))
            result = 1;
        if (m_pHoverItem == item.get())
            m_pHoverItem = nullptr;
        item.reset();
    }
    if (doc)
        doc->UpdateItemLinks();
    return result;
}

void CKJView::OnEditDelete()
{
    CKJDoc* doc = GetProject();
    // nothing selected: no empty undo step
    if (!doc || !Group(m_pContainer) || CountSelected() == 0)
        return;
    ClearInteraction();
    InvalidateSelection();
    CEditScope scope(*doc, m_pCurrentPage, m_pContainer, nullptr, "Delete");
    if (DeleteSelectedItems()) {
        m_pContainer->RecalcLayout();
        RedrawNow();
    }
    update();
}

void CKJView::OnEditDuplicate()
{
    CKJDoc* doc = GetProject();
    if (!doc || !Group(m_pContainer))
        return;
    const std::vector<CItem*> selected = GetSelectedItems();
    if (selected.empty())
        return;
    DDuplicate dlg(this);
    dlg.m_nStepX = doc->m_nDuplicateDX;
    dlg.m_nStepY = doc->m_nDuplicateDY;
    dlg.m_nCount = 1;
    dlg.m_bCloneImage = 0;
    dlg.m_bCloneAllowed = std::any_of(selected.begin(), selected.end(), [](const CItem* i) { return IsPictureItemType(i->m_nType); }) ? 1 : 0;
    if (dlg.DoModal() != IDOK)
        return;
    ClearInteraction();
    CEditScope scope(*doc, m_pCurrentPage, m_pContainer, nullptr, "Duplicate");
    doc->m_nDuplicateDX = dlg.m_nStepX;
    doc->m_nDuplicateDY = dlg.m_nStepY;
    const bool clones = dlg.m_bCloneImage && dlg.m_bCloneAllowed;
    // each pass copies the copies of the pass before
    for (int i = 0; i < dlg.m_nCount; ++i)
        CopySelection(dlg.m_nStepX, dlg.m_nStepY, clones);
    if (clones) {
        m_pContainer->RecalcLayout();
        RedrawNow();
    }
    update();
}

// ---------------------------------------------------------------- grouping

namespace {

// Wraps the selection in the new group: its box is the selection's grown by grow on every
// side, its name the pattern's next free one; the children move in (keeping their order
// and flags, their places made relative to the box) and the group, laid out and
// selected, goes to the tail of the container. One undo step; false when nothing is
// selected.
bool WrapSelection(CKJView& view, std::unique_ptr<CGroupItem> wrapper, int grow, const char* pattern, const char* undo)
{
    CKJDoc* doc = view.GetProject();
    auto* container = Group(view.m_pContainer);
    if (!doc || !container || view.CountSelected() < 1)
        return false;
    view.ClearInteraction();
    view.InvalidateSelection();
    CRect rect = GetBoundingRect(*container);
    rect.InflateRect(grow, grow);
    wrapper->m_bPositioned = 1;
    wrapper->SetRect(rect.left, rect.top, rect.right, rect.bottom);
    CEditScope scope(*doc, view.m_pCurrentPage, view.m_pContainer, nullptr, undo);
    wrapper->m_strName = doc->TakeItemName(pattern);
    for (CItem* item : view.GetSelectedItems()) {
        CItem* child = container->DetachChild(item);
        child->m_nX -= rect.left;
        child->m_nY -= rect.top;
        wrapper->AddChild(child);
    }
    wrapper->SetSiteStyles(&doc->m_styles);
    wrapper->RecalcLayout();
    CGroupItem* raw = wrapper.get();
    container->AddChild(wrapper.release());
    container->RecalcLayout();
    raw->m_bSelected = 1;
    return true;
}

} // namespace

void CKJView::OnEditGroup()
{
    if (WrapSelection(*this, std::make_unique<CGroupItem>(), 0, "Group%d", "Group"))
        RedrawNow();
}

void CKJView::OnEditGroupAsForm()
{
    if (WrapSelection(*this, std::make_unique<CFormItem>(), 10, "Form%d", "Group as Form"))
        RedrawNow();
}

void CKJView::OnEditUngroup()
{
    CKJDoc* doc = GetProject();
    auto* group = Group(m_pContainer);
    CItem* selected = GetSelectedItem();
    if (!doc || !group || !selected || selected->m_nType != ITEM_GROUP)
        return;
    auto* inner = Group(selected);
    if (!inner)
        return;
    ClearInteraction();
    CEditScope scope(*doc, m_pCurrentPage, m_pContainer, nullptr, "Ungroup");
    while (inner->GetChildCount() > 0) {
        CItem* child = inner->DetachChild(inner->GetChild(0));
        child->m_nX += inner->m_nX;
        child->m_nY += inner->m_nY;
        child->m_bPositioned = 1;
        child->m_bSelected = 1;
        group->AddChild(child);
    }
    std::unique_ptr<CItem> gone(group->DetachChild(inner));
    doc->RemoveItemReferences(gone.get());
    gone.reset();
    doc->UpdateItemLinks();
    m_pContainer->RecalcLayout();
    RedrawNow();
}

void CKJView::OnEditSelectAll()
{
    auto* group = Group(m_pContainer);
    if (!group)
        return;
    for (const auto& child : group->GetChildren()) {
        child->m_bSelected = 1;
        InvalidateHandles(child.get());
    }
    update();
}

// ---------------------------------------------------------------- dropped files

void CKJView::OnDropFiles(const QStringList& paths)
{
    CKJDoc* doc = GetProject();
    auto* group = Group(m_pContainer);
    if (!doc || !group)
        return;
    ClearInteraction();
    // The scope starts with the first change: a drop of sounds alone changes nothing.
    std::optional<CEditScope> scope;
    auto begin = [&] {
        if (!scope)
            scope.emplace(*doc, m_pCurrentPage, m_pContainer, nullptr, "Drop Files");
    };
    for (const QString& path : paths) {
        switch (KindOfDroppedFile(path)) {
        case DropKind::Sound: AfxMessageBox(UiTranslate("Sound"), MB_OK); break;
        case DropKind::Video: AfxMessageBox(UiTranslate("Video"), MB_OK); break;
        case DropKind::Text: AfxMessageBox(UiTranslate("Text"), MB_OK); break;
        case DropKind::Data: AfxMessageBox(UiTranslate("Data"), MB_OK); break;
        case DropKind::Picture: {
            // read first: a picture that cannot be read leaves no step and no mark
            CImageItem* item = CreateImageItemFromFile(*doc, CString::FromQString(path));
            if (!item)
                break; // the reader has said why
            begin();
            item->RecalcLayout();
            CenterInContainer(item);
            group->AddChild(item);
            item->m_bSelected = 1;
            break;
        }
        case DropKind::Flash: {
            auto flash = std::make_unique<CFlashItem>();
            if (!flash->LoadBlobFromFile(CString::FromQString(path))) {
                AfxMessageBox(UiTranslate("The file cannot be read."), MB_ICONEXCLAMATION);
                break;
            }
            begin();
            flash->RecalcLayout();
            AddItemToPage(flash.release(), true);
            break;
        }
        case DropKind::None: break;
        }
    }
    if (scope)
        RedrawNow();
}
