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
#include "model/ItemTypes.h"
#include "model/Page.h"

#include <QtGui/QBitmap>
#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QMenu>

namespace {
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
    if (CViewTool* tool = ToolFor(m_drag.mode))
        tool->OnMove(*this, FlagsOf(event->modifiers(), event->buttons()), ClientPoint(event));
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
    HitTest(point);
    if (CViewTool* tool = ToolFor(m_drag.mode))
        tool->OnPress(*this, FlagsOf(event->modifiers(), event->buttons()), point);
}

void CKJView::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_pContainer || m_pShownPicture || event->button() != Qt::LeftButton)
        return;
    if (CViewTool* tool = ToolFor(m_drag.mode))
        tool->OnRelease(*this, FlagsOf(event->modifiers(), event->buttons()), ClientPoint(event));
    // every gesture ends in mode 0, whichever tool had it
    m_drag.mode = 0;
    if (QWidget::mouseGrabber() == this)
        releaseMouse();
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
    if (event->key() == Qt::Key_Escape && !m_navigation.empty()) {
        LeaveContainer();
        return;
    }
    CItem* selected = GetSelectedItem();
    if (selected && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Space)) {
        if (CWinApp* app = AfxGetApp(); app && app->m_pMainWnd)
            app->m_pMainWnd->PostCommand(ID_ITEM_PROPERTIES);
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
