#include "editor/KJView.h"
#include "editor/tools/ViewTool.h"

namespace {
// Mode 1: a band from the press point; the release selects what lies wholly inside.
class CRubberBandTool : public CViewTool {
public:
    void OnPress(CKJView&, UINT, CPoint) override {}
    void OnMove(CKJView& view, UINT, CPoint) override
    {
        view.m_drag.current = view.m_mousePoint;
        const CSize size = view.m_drag.current - view.m_drag.start;
        view.SetInfoText(CString::Formatted("%d x %d", size.cx, size.cy));
        view.update();
    }
    void OnRelease(CKJView& view, UINT, CPoint) override
    {
        view.SelectItemsInRect(CRect(view.m_drag.start.x, view.m_drag.start.y, view.m_drag.current.x, view.m_drag.current.y));
        view.InvalidateSelection();
    }
};
} // namespace

std::unique_ptr<CViewTool> MakeRubberBandTool() { return std::make_unique<CRubberBandTool>(); }
