#include "document/EditScope.h"
#include "document/KJDoc.h"
#include "editor/KJView.h"
#include "editor/tools/ViewTool.h"
#include "model/GroupItem.h"
#include "model/Page.h"

#include <algorithm>
#include <cstdlib>

void TrackSelectionOutline(CKJView& view, UINT flags, CPoint pagePoint)
{
    auto& drag = view.m_drag;
    auto* group = dynamic_cast<CGroupItem*>(view.m_pContainer);
    if (!group)
        return;
    drag.current = pagePoint;
    if (flags & MK_SHIFT) {
        // Shift keeps the move on the axis it mostly follows
        const int dx = std::abs(drag.current.x - drag.start.x), dy = std::abs(drag.current.y - drag.start.y);
        if (dx < dy)
            drag.current.x = drag.start.x;
        else if (dy < dx)
            drag.current.y = drag.start.y;
    }
    CRect r = GetBoundingRect(*group);
    r.OffsetRect(drag.current.x - drag.start.x, drag.current.y - drag.start.y);
    drag.selectionTopLeft = CPoint(r.left, r.top);
    drag.current += view.SnapRect(r);
    drag.rect = CRect(drag.rect.left, drag.rect.top, drag.current.x, drag.current.y);
    const int sdx = drag.current.x - drag.start.x, sdy = drag.current.y - drag.start.y;
    view.SetInfoText(CString::Formatted("L: %d, T: %d, R: %d, B: %d  [ %d x %d ]  X: %+.d, Y: %+.d, ", r.left, r.top,
                                        r.right, r.bottom, r.Width(), r.Height(), sdx, sdy));
    if (flags & MK_CONTROL)
        view.SetViewCursor(IDC_CURSOR_COPY);
    const CPoint tl = drag.selectionTopLeft;
    for (auto& zone : view.m_dragOutlines)
        zone.hot = tl.x >= zone.left && tl.x < zone.right && tl.y >= zone.top && tl.y < zone.bottom ? 1 : 0;
    view.update();
}

namespace {
// Mode 3: the selection's outline follows the mouse; the release moves the selection,
// copies it (Ctrl) or puts it back into the flow after the hot drop zone's item.
class CMoveTool : public CViewTool {
public:
    void OnPress(CKJView&, UINT, CPoint) override {}
    void OnMove(CKJView& view, UINT flags, CPoint) override { TrackSelectionOutline(view, flags, view.m_mousePoint); }
    void OnRelease(CKJView& view, UINT flags, CPoint) override
    {
        CKJDoc* doc = view.GetProject();
        auto* group = dynamic_cast<CGroupItem*>(view.m_pContainer);
        if (!doc || !group || view.CountSelected() == 0)
            return;
        const int dx = view.m_drag.current.x - view.m_drag.start.x, dy = view.m_drag.current.y - view.m_drag.start.y;
        const bool copy = (flags & MK_CONTROL) != 0;
        const CKJView::DragOutline* target = nullptr;
        for (const auto& zone : view.m_dragOutlines)
            if (zone.hot)
                target = &zone;
        CItem* after = target ? target->item : nullptr;
        CEditScope scope(*doc, view.m_pCurrentPage, view.m_pContainer, nullptr, "Move");
        if (!target) {
            if (copy)
                view.CopySelection(dx, dy, false);
            else
                view.MoveSelection(dx, dy);
            view.m_pContainer->RecalcLayout();
            return;
        }
        if (copy)
            view.CopySelection(dx, dy, false);
        std::vector<CItem*> taken;
        for (CItem* item : view.GetSelectedItems())
            taken.push_back(group->DetachChild(item));
        int at = -1;
        for (int i = 0; i < group->GetChildCount(); ++i)
            if (group->GetChild(i) == after)
                at = i;
        for (CItem* item : taken) {
            item->m_bPositioned = 0;
            group->InsertChild(++at, item);
        }
        view.m_pContainer->RecalcLayout();
        view.update();
    }
};

} // namespace

std::unique_ptr<CViewTool> MakeMoveTool() { return std::make_unique<CMoveTool>(); }
