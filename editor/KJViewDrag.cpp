// Editing on the canvas: snapping, drop zones, the drag feedback over the image kept at
// drag start, moving and copying the selection, and where a new item goes.
#include "dialogs/CreateItemDialog.h"
#include "document/EditScope.h"
#include "document/KJDoc.h"
#include "editor/KJView.h"
#include "framework/core/CArchive.h"
#include "framework/core/CFile.h"
#include "framework/ui/Frames.h"
#include "framework/ui/WinApp.h"
#include "model/Clipboard.h"
#include "model/GroupItem.h"
#include "model/Page.h"

#include <QtGui/QCursor>
#include <algorithm>
#include <cstdlib>

namespace {
CGroupItem* Group(CItem* item) { return dynamic_cast<CGroupItem*>(item); }

// A dotted one-pixel XOR line in client pixels: every other pixel inverted, so drawing
// it twice gives the image back.
void XorDots(QImage& image, int x0, int y0, int x1, int y1)
{
    const int dx = x1 > x0 ? 1 : x1 < x0 ? -1 : 0, dy = y1 > y0 ? 1 : y1 < y0 ? -1 : 0;
    const int steps = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
    for (int i = 0; i <= steps; i += 2) {
        const int x = x0 + dx * i, y = y0 + dy * i;
        if (x >= 0 && y >= 0 && x < image.width() && y < image.height()) {
            QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
            row[x] ^= 0x00FFFFFFu;
        }
    }
}

// The outline of a rectangle: its left and top edges on their pixels, the right and
// bottom one pixel inside, as a rectangle is drawn. Coordinates are clipped first so that
// a line far outside the window costs nothing.
void XorRect(QImage& image, QRect r)
{
    if (r.width() <= 0 || r.height() <= 0)
        return;
    const QRect area(-2, -2, image.width() + 4, image.height() + 4);
    const QRect c = r.intersected(area);
    if (c.isEmpty())
        return;
    if (r.top() >= area.top())
        XorDots(image, c.left(), r.top(), c.right(), r.top());
    if (r.bottom() <= area.bottom())
        XorDots(image, c.left(), r.bottom(), c.right(), r.bottom());
    if (r.left() >= area.left())
        XorDots(image, r.left(), c.top() + 1, r.left(), c.bottom() - 1);
    if (r.right() <= area.right())
        XorDots(image, r.right(), c.top() + 1, r.right(), c.bottom() - 1);
}
} // namespace

// ---------------------------------------------------------------- snapping

CPoint CKJView::SnapPoint(CPoint point) const
{
    CPoint out = point;
    CKJDoc* doc = GetProject();
    if (!doc)
        return out;
    if (doc->m_bGridOn) {
        // the steps are clamped to 5..100, so no step of a damaged file reaches the remainder
        out.x = point.x - point.x % GetGridStepX();
        out.y = point.y - point.y % GetGridStepY();
    }
    if (doc->m_bShowGuides) {
        int bestX = 6, bestY = 6;
        for (const auto& guide : doc->m_guides) {
            const int p = guide->m_nPosition;
            if (guide->m_bVertical && point.x > p - 5 && point.x < p + 5 && std::abs(p - point.x) < bestX) {
                out.x = p;
                bestX = std::abs(p - point.x);
            }
            if (guide->m_bHorizontal && point.y > p - 5 && point.y < p + 5 && std::abs(p - point.y) < bestY) {
                out.y = p;
                bestY = std::abs(p - point.y);
            }
        }
    }
    return out;
}

CSize CKJView::SnapRect(const CRect& rect) const
{
    CSize offset(0, 0);
    CKJDoc* doc = GetProject();
    if (!doc)
        return offset;
    if (doc->m_bGridOn) {
        offset.cx = -(rect.left % GetGridStepX());
        offset.cy = -(rect.top % GetGridStepY());
    }
    if (doc->m_bShowGuides) {
        int bestX = 11, bestY = 11;
        // an edge that snaps lands one unit outside the guide
        auto snap = [](int p, int low, int high, int& best, int& delta) {
            if (low > p - 10 && low < p + 10 && std::abs(p - low) < best) {
                delta = p - low - 1;
                best = std::abs(p - low);
            }
            if (high > p - 10 && high < p + 10 && std::abs(p - high) < best) {
                delta = p - high + 1;
                best = std::abs(p - high);
            }
        };
        for (const auto& guide : doc->m_guides) {
            if (guide->m_bVertical)
                snap(guide->m_nPosition, rect.left, rect.right, bestX, offset.cx);
            if (guide->m_bHorizontal)
                snap(guide->m_nPosition, rect.top, rect.bottom, bestY, offset.cy);
        }
    }
    return offset;
}

void CKJView::BuildDragOutlines()
{
    m_dragOutlines.clear();
    auto* group = Group(m_pContainer);
    if (!group)
        return;
    for (const auto& child : group->GetChildren())
        if (!child->m_bPositioned && !child->m_bSelected) {
            const int bottom = child->m_nY + child->m_nHeight;
            m_dragOutlines.push_back({child->m_nX, bottom - 6, child->m_nX + 100, bottom + 6, 0, child.get()});
        }
    if (!m_dragOutlines.empty()) {
        const int pad = m_pContainer->m_nPadding;
        m_dragOutlines.insert(m_dragOutlines.begin(), DragOutline{pad, pad - 6, pad + 100, pad + 6, 0, nullptr});
    }
}

// ---------------------------------------------------------------- feedback

void CKJView::BeginDragFeedback()
{
    m_dragImage = RenderClient();
    m_dragImageScroll = m_scroll;
    update();
}

void CKJView::EndDragFeedback()
{
    m_dragImage = QImage();
    update();
}

QImage CKJView::DragFeedbackImage()
{
    if (m_drag.mode == 0 || m_dragImage.isNull())
        return RenderClient();
    if (m_dragImageScroll != m_scroll || m_dragImage.size() != QSize(GetClientSize().cx, GetClientSize().cy)) {
        // scrolled or resized while dragging: the kept image is taken again
        m_dragImage = RenderClient();
        m_dragImageScroll = m_scroll;
    }
    QImage image = m_dragImage;
    auto toClient = [this](const CRect& r) {
        const CPoint tl = PageToClient(CPoint(r.left, r.top));
        return QRect(tl.x, tl.y, r.Width(), r.Height());
    };
    auto* group = Group(m_pContainer);
    switch (m_drag.mode) {
    case 1: {
        CRect band(m_drag.start.x, m_drag.start.y, m_drag.current.x, m_drag.current.y);
        band.NormalizeRect();
        XorRect(image, toClient(band));
        break;
    }
    case 3:
    case 8:
        if (group) {
            CRect r = GetBoundingRect(*group);
            r.OffsetRect(m_drag.current.x - m_drag.start.x, m_drag.current.y - m_drag.start.y);
            XorRect(image, toClient(CRect(r.left, r.top, r.right + 1, r.bottom + 1)));
        }
        for (const DragOutline& zone : m_dragOutlines)
            if (zone.hot)
                XorRect(image, toClient(CRect(zone.left, zone.top, zone.right, zone.bottom)));
        break;
    case 4:
    case 5:
    case 7: XorRect(image, toClient(m_drag.rect)); break;
    case 6:
        if (m_drag.guide) {
            const CPoint c = PageToClient(m_drag.current);
            if (m_drag.guide->m_bVertical)
                XorDots(image, c.x, 0, c.x, image.height() - 1);
            if (m_drag.guide->m_bHorizontal)
                XorDots(image, 0, c.y, image.width() - 1, c.y);
        }
        break;
    default: break;
    }
    return image;
}

void CKJView::ClearInteraction()
{
    m_pHoverItem = nullptr;
    m_pHoverBand = nullptr;
    m_pHoverGuide = nullptr;
    m_nHoverHandle = 0;
    m_nHoverPageEdge = 0;
    if (QWidget::mouseGrabber() == this)
        releaseMouse();
    m_drag = DragState{};
    m_dragOutlines.clear();
    if (!m_dragImage.isNull())
        EndDragFeedback();
}

// ---------------------------------------------------------------- selection changes

void CKJView::SelectItemsInRect(CRect rect)
{
    rect.NormalizeRect();
    auto* group = Group(m_pContainer);
    if (!group)
        return;
    auto in = [&rect](int x, int y) { return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom; };
    for (const auto& child : group->GetChildren())
        if (in(child->m_nX, child->m_nY) && in(child->m_nX + child->m_nWidth, child->m_nY + child->m_nHeight))
            SelectItem(child.get());
}

void CKJView::MoveSelection(int dx, int dy)
{
    CKJDoc* doc = GetProject();
    auto* group = Group(m_pContainer);
    if (!doc || !group)
        return;
    const std::vector<CItem*> selected = GetSelectedItems();
    if (selected.empty())
        return;
    CEditScope scope(*doc);
    scope.Touch(m_pContainer);
    int flowing = InvalidateSelection();
    for (CItem* item : selected) {
        item->m_bPositioned = 1;
        item->m_nX += dx;
        item->m_nY += dy;
    }
    InvalidateSelection();
    if (flowing) {
        m_pContainer->RecalcLayout();
        update();
    }
}

void CKJView::NudgeSelection(int dx, int dy)
{
    CKJDoc* doc = GetProject();
    if (!doc || !m_pContainer || CountSelected() == 0)
        return;
    // a run goes on while nothing else took a snapshot in this container since its start
    const bool running = m_pArrowRunContainer == m_pContainer && m_pArrowRunRecord &&
                         static_cast<const void*>(doc->m_undo.GetHead()) == m_pArrowRunRecord;
    if (running) {
        MoveSelection(dx, dy);
        return;
    }
    CEditScope scope(*doc, m_pCurrentPage, m_pContainer, nullptr, "Move");
    MoveSelection(dx, dy);
    m_pArrowRunContainer = m_pContainer;
    m_pArrowRunRecord = doc->m_undo.GetHead();
}

void CKJView::CopySelection(int dx, int dy, bool asClones)
{
    CKJDoc* doc = GetProject();
    auto* group = Group(m_pContainer);
    if (!doc || !group || CountSelected() == 0)
        return;
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        WriteSelection(*group, ar, asClones);
        ar.Close();
    }
    const std::vector<BYTE> bytes = file.Bytes();
    InvalidateSelection();
    DeselectAll();
    {
        CMemFile in(bytes.data(), bytes.size());
        CArchive ar(&in, CArchive::load);
        // the copies carry the selected flag of their originals
        PasteItems(*group, ar, doc->m_nItemCounter, true);
    }
    doc->UpdateItemLinks();
    group->SetSiteStyles(&doc->m_styles);
    group->LayoutChildren();
    MoveSelection(dx, dy);
    InvalidateSelection();
}

// ---------------------------------------------------------------- a new item

void CKJView::CenterInContainer(CItem* item)
{
    if (!item || !m_pContainer)
        return;
    item->m_nX = (m_pContainer->m_nWidth - item->m_nWidth) / 2;
    item->m_nY = (m_pContainer->m_nHeight - item->m_nHeight) / 2;
}

void CKJView::AddItemToPage(CItem* item, bool place)
{
    std::unique_ptr<CItem> owned(item);
    CKJDoc* doc = GetProject();
    auto* group = Group(m_pContainer);
    if (!owned || !doc || !group)
        return;
    ClearInteraction();
    CEditScope scope(*doc);
    scope.Touch(m_pContainer);
    const auto& children = group->GetChildren();
    const int flowCount = int(std::count_if(children.begin(), children.end(), [](const auto& c) { return !c->m_bPositioned; }));
    if (flowCount > 0) {
        CItem* selected = GetSelectedItem();
        DCreateItem dlg(this);
        dlg.m_nChoice = m_nLastInsertPosition;
        if ((dlg.m_nChoice == 2 || dlg.m_nChoice == 3) && !selected)
            dlg.m_nChoice = 4;
        dlg.m_nFlowCount = flowCount;
        dlg.m_bSelected = selected ? 1 : 0;
        if (dlg.DoModal() == IDOK && dlg.m_nChoice >= 0 && dlg.m_nChoice <= 3 &&
            (dlg.m_nChoice < 2 || selected)) {
            int at = 0;
            const int n = group->GetChildCount();
            int selectedAt = 0;
            while (selectedAt < n && group->GetChild(selectedAt) != selected)
                ++selectedAt;
            switch (dlg.m_nChoice) {
            case 0: at = 0; break;
            case 1: at = n; break;
            case 2: at = selectedAt; break;
            default: at = std::min(n, selectedAt + 1); break;
            }
            CItem* raw = owned.release();
            raw->m_bPositioned = 0;
            group->InsertChild(at, raw);
            m_nLastInsertPosition = dlg.m_nChoice;
            m_pContainer->RecalcLayout();
            raw->m_bSelected = 1;
            RedrawNow();
            return;
        }
    }
    CItem* raw = owned.release();
    group->AddChild(raw);
    if (raw->m_nX == 0 && raw->m_nY == 0)
        CenterInContainer(raw);
    InvalidateSelection();
    DeselectAll();
    raw->m_bSelected = 1;
    InvalidateSelection();
    update();
    if (!place)
        return;
    // the item follows the mouse until the next press; no drop zone of an earlier drag
    m_drag.start = CPoint(raw->m_nX + raw->m_nWidth / 2, raw->m_nY + raw->m_nHeight / 2);
    const QPoint mouse = mapFromGlobal(QCursor::pos());
    m_drag.current = ClientToPage(CPoint(mouse.x(), mouse.y()));
    const CRect bounds = GetBoundingRect(*group);
    m_drag.selectionTopLeft = CPoint(bounds.left, bounds.top);
    m_drag.mode = 8;
    BeginDragFeedback();
}

// ---------------------------------------------------------------- commands and clicks

void CKJView::PostViewCommand(UINT id)
{
    if (CWinApp* app = AfxGetApp(); app && app->m_pMainWnd) {
        app->m_pMainWnd->PostCommand(id);
        return;
    }
    QMetaObject::invokeMethod(this, [this, id] { ExecuteCommand(this, id); }, Qt::QueuedConnection);
}

BOOL CKJView::OnCmdMsg(UINT id, CmdMode mode, CCmdUI* pUI)
{
    if (mode == CmdMode::Execute)
        EndArrowRun();
    return CView::OnCmdMsg(id, mode, pUI);
}
