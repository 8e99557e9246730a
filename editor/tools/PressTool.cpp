#include "editor/KJView.h"
#include "editor/tools/ViewTool.h"
#include "model/GroupItem.h"

#include <cstdlib>

namespace {
// Mode 2: pressed on an item. A move of more than 4 units either way starts moving the
// selection; a release before that changes nothing.
class CPressTool : public CViewTool {
public:
    void OnPress(CKJView&, UINT, CPoint) override {}
    void OnMove(CKJView& view, UINT, CPoint) override
    {
        auto& drag = view.m_drag;
        const CPoint p = view.m_mousePoint;
        if (std::abs(p.x - drag.start.x) <= 4 && std::abs(p.y - drag.start.y) <= 4)
            return;
        drag.current = p;
        if (auto* group = dynamic_cast<CGroupItem*>(view.m_pContainer)) {
            const CRect bounds = GetBoundingRect(*group);
            drag.selectionTopLeft = CPoint(bounds.left, bounds.top);
        }
        drag.mode = 3;
        view.BeginDragFeedback();
    }
    void OnRelease(CKJView&, UINT, CPoint) override {}
};
} // namespace

std::unique_ptr<CViewTool> MakePressTool() { return std::make_unique<CPressTool>(); }
