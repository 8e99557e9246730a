// The canvas's mouse and keyboard entry points: each mouse message goes to the tool of the
// current drag mode; the right button opens the context menu of what is under the mouse.
#include "document/KJDoc.h"
#include "editor/KJView.h"
#include "editor/ViewContextMenu.h"
#include "editor/tools/ViewTool.h"
#include "framework/ui/Frames.h"
#include "framework/ui/Translation.h"
#include "framework/ui/WinApp.h"
#include "model/GroupItem.h"
#include "model/HeaderFooterItem.h"
#include "model/ItemTypes.h"
#include "model/Page.h"

#include <QtGui/QBitmap>
#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QMenu>

namespace {
// Keys of the clipboard and arrangement commands: Del, Ctrl+X/C/V, Ctrl+arrows (the arrows
// alone nudge); 0 for any other key. The window's menu takes these keys first while its
// entry is enabled; the entries follow the selection only on the window's idle tick, so
// right after a click selects something the entry is still off and the key reaches the
// canvas, which asks the command itself.
UINT CanvasKeyCommand(int key, Qt::KeyboardModifiers modifiers)
{
    const Qt::KeyboardModifiers mods = modifiers & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
    if (key == Qt::Key_Delete && mods == Qt::NoModifier)
        return ID_EDIT_DELETE;
    if (mods != Qt::ControlModifier)
        return 0;
    switch (key) {
    case Qt::Key_X: return ID_EDIT_CUT;
    case Qt::Key_C: return ID_EDIT_COPY;
    case Qt::Key_V: return ID_EDIT_PASTE;
    case Qt::Key_Left: return ID_ARRANGE_LEFT;
    case Qt::Key_Right: return ID_ARRANGE_RIGHT;
    case Qt::Key_Up: return ID_ARRANGE_TOP;
    case Qt::Key_Down: return ID_ARRANGE_BOTTOM;
    default: return 0;
    }
}

UINT FlagsOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons = Qt::NoButton)
{
    UINT flags = 0;
    if (modifiers & Qt::ShiftModifier)
        flags |= MK_SHIFT;
    if (modifiers & Qt::ControlModifier)
        flags |= MK_CONTROL;
    if (buttons & Qt::LeftButton)
        flags |= MK_LBUTTON;
    if (buttons & Qt::RightButton)
        flags |= MK_RBUTTON;
    return flags;
}

CPoint ClientPoint(const QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    return CPoint(p.x(), p.y());
}

// The crop cursor: two interlocking corner brackets.
QCursor MakeCropCursor()
{
    QPixmap picture(32, 32);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    for (int pass = 0; pass < 2; ++pass) {
        p.setPen(QPen(pass == 0 ? Qt::white : Qt::black, pass == 0 ? 3 : 1));
        p.drawLine(8, 2, 8, 23);
        p.drawLine(8, 23, 29, 23);
        p.drawLine(2, 8, 23, 8);
        p.drawLine(23, 8, 23, 29);
    }
    return QCursor(picture, 8, 8);
}
} // namespace

const QCursor& CKJView::ViewCursor(UINT id)
{
    static const QCursor arrow(Qt::ArrowCursor);
    static const QCursor resize(Qt::SizeFDiagCursor);
    static const QCursor copy(Qt::DragCopyCursor);
    static const QCursor crop = MakeCropCursor();
    switch (id) {
    case IDC_CURSOR_RESIZE: return resize;
    case IDC_CURSOR_COPY: return copy;
    case IDC_CURSOR_CROP: return crop;
    default: return arrow;
    }
}

void CKJView::SetViewCursor(UINT id)
{
    m_nCursor = id;
    setCursor(ViewCursor(id));
}

void CKJView::SetEdgeCursor(int edge)
{
    m_nCursor = 0;
    setCursor(edge == 1 || edge == 2 ? Qt::SizeVerCursor : Qt::SizeHorCursor);
}

void CKJView::SetTool(int mode, std::unique_ptr<CViewTool> tool)
{
    if (mode >= 0 && mode < int(std::size(m_tools)))
        m_tools[mode] = std::move(tool);
}

CViewTool* CKJView::ToolFor(int mode) const
{
    if (mode < 0 || mode >= int(std::size(m_tools)))
        return nullptr;
    return m_tools[mode].get();
}

void CKJView::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_pContainer || m_pShownPicture) {
        SetViewCursor(IDC_CURSOR_DEFAULT);
        return;
    }
    const UINT flags = FlagsOf(event->modifiers(), event->buttons());
    m_bCtrlDown = (flags & MK_CONTROL) ? 1 : 0;
    m_bShiftDown = (flags & MK_SHIFT) ? 1 : 0;
    // the cursor follows what was under the mouse at the previous message
    UINT cursor = IDC_CURSOR_DEFAULT;
    if (m_nHoverHandle)
        cursor = (m_pHoverItem && m_pHoverItem->m_nType == ITEM_IMAGE && m_bCtrlDown) ? IDC_CURSOR_CROP : IDC_CURSOR_RESIZE;
    SetViewCursor(cursor);
    HitTest(ClientPoint(event));
    // the tool may choose another cursor (resize, crop, copy)
    if (CViewTool* tool = ToolFor(m_drag.mode))
        tool->OnMove(*this, flags, ClientPoint(event));
    if ((m_drag.mode == 0 && m_bCtrlDown && m_nHoverPageEdge) || (m_drag.mode == 7 && m_nHoverPageEdge))
        SetEdgeCursor(m_nHoverPageEdge);
}

void CKJView::mousePressEvent(QMouseEvent* event)
{
    // a click on the canvas gives it the keys, wherever the focus was before
    setFocus(Qt::MouseFocusReason);
    if (!m_pContainer || m_pShownPicture)
        return;
    const CPoint point = ClientPoint(event);
    if (event->button() == Qt::RightButton) {
        OnRightButtonDown(point, event->globalPosition().toPoint());
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    EndArrowRun();
    if (m_drag.mode == 8) {
        // placing ends: the release commits the item's place as a move
        if (CViewTool* tool = ToolFor(8))
            tool->OnPress(*this, FlagsOf(event->modifiers(), event->buttons()), point);
        return;
    }
    HitTest(point);
    if (CViewTool* tool = ToolFor(m_drag.mode))
        tool->OnPress(*this, FlagsOf(event->modifiers(), event->buttons()), point);
    // the mouse is held by the view for the gesture, so none of it reaches another window
    if (m_drag.mode != 0 && isVisible())
        grabMouse();
    event->accept();
}

void CKJView::mouseDoubleClickEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    if (event->button() == Qt::LeftButton)
        OnDoubleClick(ClientPoint(event));
    event->accept();
}

void CKJView::OnDoubleClick(CPoint)
{
    if (m_pShownPicture)
        return;
    if (!m_pContainer) {
        PostViewCommand(ID_BACKGROUND_BROWSER);
        return;
    }
    // the hover state is the one the press before this left
    if (m_pHoverBand) {
        EnterContainer(m_pHoverBand);
        return;
    }
    const CPoint p = m_mousePoint;
    if (!m_pHoverItem && m_pContainer == m_pCurrentPage && m_pCurrentPage) {
        CPage* page = m_pCurrentPage;
        const int top = page->m_pHeaderBand ? -page->m_pHeaderBand->m_nHeight : 0;
        const int bottom = page->m_nHeight + (page->m_pFooterBand ? page->m_pFooterBand->m_nHeight : 0);
        CKJDoc* doc = GetProject();
        if (p.y < top)
            PostViewCommand(ID_PAGE_TITLE);
        else if (p.y > bottom)
            PostViewCommand(ID_PAGE_RENAME_MOVE);
        else if (p.x > 0 && p.x <= page->m_nWidth && p.y > 0 && p.y <= page->m_nHeight)
            PostViewCommand(ID_PAGE_SETUP);
        else if (doc && doc->m_bStretchToBrowser && p.y > 0 && p.y <= page->m_nHeight)
            PostViewCommand(ID_BACKGROUND_MASTER);
        else
            PostViewCommand(ID_BACKGROUND_BROWSER);
        return;
    }
    if (!m_pHoverItem) {
        PostViewCommand(ID_PAGE_SETUP);
        return;
    }
    const int type = m_pHoverItem->m_nType;
    if (type == ITEM_GROUP || type == ITEM_FORM || type == ITEM_SLIDER)
        EnterContainer(m_pHoverItem);
    else
        PostViewCommand(ID_ITEM_PROPERTIES);
}

void CKJView::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_pContainer || m_pShownPicture || event->button() != Qt::LeftButton)
        return;
    const UINT flags = FlagsOf(event->modifiers(), event->buttons());
    m_bCtrlDown = (flags & MK_CONTROL) ? 1 : 0;
    m_bShiftDown = (flags & MK_SHIFT) ? 1 : 0;
    if (QWidget::mouseGrabber() == this)
        releaseMouse();
    const int mode = m_drag.mode;
    if (mode == 8)
        return; // placing has no button to release
    if (CViewTool* tool = ToolFor(mode))
        tool->OnRelease(*this, flags, ClientPoint(event));
    // every gesture ends in mode 0, whichever tool had it
    m_drag.mode = 0;
    EndDragFeedback();
    event->accept();
}

int CKJView::ContextPopupIndex() const
{
    int index = POPUP_SURFACE;
    if (m_pCurrentPage && m_mousePoint.x > 0 && m_mousePoint.x < m_pCurrentPage->m_nWidth)
        index = POPUP_PAGE;
    if (m_pHoverBand)
        index = POPUP_BAND;
    if (m_pContainer && m_pContainer != m_pCurrentPage) {
        index = POPUP_INSIDE_BOX;
        if (m_pContainer->m_nType == ITEM_HEADER_FOOTER)
            index = POPUP_INSIDE_BAND;
        else if (m_pContainer->m_nType == ITEM_MASTER)
            index = POPUP_INSIDE_MASTER;
    }
    if (m_pHoverGuide)
        index = POPUP_RULER;
    if (m_pHoverItem)
        index = m_pHoverItem->m_nType + POPUP_ITEM_OFFSET;
    return index;
}

CCmdTarget* CKJView::CommandRoute()
{
    // through the main window when this view is the active one, so that the frame's,
    // the document's and the application's handlers answer as they do for the menu bar
    CWinApp* app = AfxGetApp();
    CMDIFrameWnd* main = app ? app->m_pMainWnd : nullptr;
    if (main && main->MDIGetActive() && main->MDIGetActive()->GetActiveView() == this)
        return main;
    return this;
}

QMenu* CKJView::CreateContextPopup(int index, QWidget* parent)
{
    if (m_contextMenu.items.empty()) {
        m_contextMenu = MakeViewContextMenu();
        TranslateMenu(m_contextMenu);
    }
    if (index < 0 || index >= int(m_contextMenu.items.size()))
        return nullptr;
    auto* menu = new QMenu(parent);
    std::function<void(QMenu*, const std::vector<CMenu::Item>&)> add = [&](QMenu* into,
                                                                            const std::vector<CMenu::Item>& items) {
        for (const auto& item : items) {
            if (item.separator) {
                into->addSeparator();
            } else if (item.isPopup) {
                add(into->addMenu(item.text.ToQString()), item.popup);
            } else {
                QAction* a = into->addAction(item.text.ToQString());
                const UINT id = item.id;
                a->setData(id);
                CCmdUI ui(id);
                UpdateCommand(CommandRoute(), ui);
                a->setEnabled(ui.m_bEnabled);
                if (ui.m_nCheck >= 0) {
                    a->setCheckable(true);
                    a->setChecked(ui.m_nCheck != 0);
                }
                if (ui.m_bTextSet)
                    a->setText(ui.m_strText.ToQString());
                connect(a, &QAction::triggered, this, [this, id] { ExecuteCommand(CommandRoute(), id); });
            }
        }
    };
    add(menu, m_contextMenu.items[size_t(index)].popup);
    return menu;
}

void CKJView::OnRightButtonDown(CPoint client, QPoint global)
{
    HitTest(client);
    const int index = ContextPopupIndex();
    if (m_pHoverItem) {
        if (!m_pHoverItem->m_bSelected) {
            DeselectAll();
            SelectItem(m_pHoverItem);
        }
    } else {
        DeselectAll();
    }
    update();
    QMenu* menu = CreateContextPopup(index, this);
    if (!menu)
        return; // item kinds without a popup are selected, no menu
    m_nLastContextPopup = index;
    if (m_bContextMenuModal)
        menu->exec(global);
    delete menu;
}

void CKJView::keyPressEvent(QKeyEvent* event)
{
    if (!m_pContainer || m_pShownPicture) {
        event->ignore();
        return;
    }
    if (event->key() == Qt::Key_Shift)
        m_bShiftDown = 1;
    if (event->key() == Qt::Key_Control)
        m_bCtrlDown = 1;
    const int key = event->key();
    // clipboard and arrangement: the accelerators of these commands when the keys reach
    // the canvas itself; a disabled command takes the key and does nothing
    if (const UINT id = CanvasKeyCommand(key, event->modifiers())) {
        EndArrowRun();
        CCmdUI ui(id);
        UpdateCommand(this, ui);
        if (ui.m_bEnabled)
            ExecuteCommand(this, id);
        return;
    }
    if (key != Qt::Key_Left && key != Qt::Key_Right && key != Qt::Key_Up && key != Qt::Key_Down &&
        key != Qt::Key_Shift && key != Qt::Key_Control)
        EndArrowRun();
    if (key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down) {
        int dx = key == Qt::Key_Left ? -1 : key == Qt::Key_Right ? 1 : 0;
        int dy = key == Qt::Key_Up ? -1 : key == Qt::Key_Down ? 1 : 0;
        if (event->modifiers() & Qt::ShiftModifier) {
            dx *= 10;
            dy *= 10;
        }
        NudgeSelection(dx, dy);
        return;
    }
    if (event->key() == Qt::Key_Escape && !m_navigation.empty()) {
        LeaveContainer();
        return;
    }
    CItem* selected = GetSelectedItem();
    if (selected && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Space)) {
        PostViewCommand(ID_ITEM_PROPERTIES);
        return;
    }
    if (selected && (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab)) {
        auto* group = dynamic_cast<CGroupItem*>(m_pContainer);
        const auto& children = group->GetChildren();
        const int n = int(children.size());
        int at = 0;
        while (at < n && children[size_t(at)].get() != selected)
            ++at;
        const bool back = event->key() == Qt::Key_Backtab || (event->modifiers() & Qt::ShiftModifier);
        CItem* next = children[size_t(((back ? at - 1 : at + 1) % n + n) % n)].get();
        if (next != selected) {
            InvalidateSelectionHandles();
            DeselectAll();
            SelectItem(next);
            InvalidateSelectionHandles();
        }
        return;
    }
    event->ignore();
}

void CKJView::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Shift)
        m_bShiftDown = 0;
    if (event->key() == Qt::Key_Control)
        m_bCtrlDown = 0;
    event->ignore();
}

bool CKJView::focusNextPrevChild(bool next)
{
    // Tab moves through the container's items while one is selected, not out of the canvas
    if (m_pContainer && GetSelectedItem())
        return false;
    return CView::focusNextPrevChild(next);
}
