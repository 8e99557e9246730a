#include "document/EditScope.h"
#include "document/KJDoc.h"
#include "editor/KJView.h"
#include "editor/tools/ViewTool.h"
#include "model/GroupItem.h"
#include "model/Page.h"

CRect HandleDragRect(const CRect& start, int handle, CPoint p, bool keepAspect, bool mirror)
{
    CRect r = start;
    switch (handle) {
    case 1: r.left = p.x; r.top = p.y; break;
    case 2: r.right = p.x; r.top = p.y; break;
    case 3: r.left = p.x; r.bottom = p.y; break;
    case 4: r.right = p.x; r.bottom = p.y; break;
    case 5: r.left = p.x; break;
    case 6: r.right = p.x; break;
    case 7: r.top = p.y; break;
    case 8: r.bottom = p.y; break;
    default: break;
    }
    const int sw = start.Width(), sh = start.Height();
    // from a zero width or height there are no proportions to keep
    if (handle >= 1 && handle <= 4 && keepAspect && sw != 0 && sh != 0) {
        const int w = r.Width(), h = r.Height();
        const bool wider = h != 0 ? double(w) / h > double(sw) / sh : true;
        if (wider) {
            if (handle == 1 || handle == 3)
                r.left = r.right - sw * h / sh;
            else
                r.right = r.left + sw * h / sh;
        } else {
            if (handle == 1 || handle == 2)
                r.top = r.bottom - sh * w / sw;
            else
                r.bottom = r.top + sh * w / sw;
        }
    }
    if (mirror) {
        switch (handle) {
        case 5: r.right = start.right - (r.left - start.left); break;
        case 6: r.left = start.left - (r.right - start.right); break;
        case 7: r.bottom = start.bottom - (r.top - start.top); break;
        case 8: r.top = start.top - (r.bottom - start.bottom); break;
        default: break;
        }
    }
    // a handle dragged past the opposite edge gives the rectangle on the other side
    r.NormalizeRect();
    return r;
}

void TrackHandleDrag(CKJView& view, bool snap, bool keepAspect, bool mirror)
{
    if (snap)
        view.m_mousePoint = view.SnapPoint(view.m_mousePoint);
    auto& drag = view.m_drag;
    drag.current = view.m_mousePoint;
    drag.rect = HandleDragRect(drag.startRect, drag.handle, view.m_mousePoint, keepAspect, mirror);
    view.SetInfoText(CString::Formatted("%d x %d", drag.rect.Width(), drag.rect.Height()));
    view.update();
}

namespace {
// Mode 4: a handle of an item; corners keep the proportions, Shift mirrors the edges.
class CResizeTool : public CViewTool {
public:
    void OnPress(CKJView&, UINT, CPoint) override {}
    void OnMove(CKJView& view, UINT flags, CPoint) override
    {
        view.SetViewCursor(IDC_CURSOR_RESIZE);
        TrackHandleDrag(view, true, true, (flags & MK_SHIFT) != 0);
    }
    void OnRelease(CKJView& view, UINT, CPoint) override
    {
        CKJDoc* doc = view.GetProject();
        CItem* item = view.m_drag.item;
        if (!doc || !item)
            return;
        const CRect r = view.m_drag.rect;
        // a flowing item moves its neighbours: the container's snapshot restores them too
        CEditScope scope(*doc, view.m_pCurrentPage, view.m_pContainer, item->m_bPositioned ? item : nullptr, "Resize");
        scope.Touch(view.m_pContainer);
        view.InvalidateSelection();
        item->SetRect(r.left, r.top, r.right, r.bottom);
        if (view.InvalidateSelection())
            if (auto* group = dynamic_cast<CGroupItem*>(view.m_pContainer))
                group->LayoutChildren();
    }
};
} // namespace

std::unique_ptr<CViewTool> MakeResizeTool() { return std::make_unique<CResizeTool>(); }
