#include "document/EditScope.h"
#include "document/KJDoc.h"
#include "editor/KJView.h"
#include "editor/tools/ViewTool.h"

namespace {
// Mode 6: a guide follows the mouse; the release puts it there. Guides are no page
// output: the project is marked modified, no page goes back to "not uploaded".
class CGuideTool : public CViewTool {
public:
    void OnPress(CKJView&, UINT, CPoint) override {}
    void OnMove(CKJView& view, UINT, CPoint) override
    {
        auto& drag = view.m_drag;
        drag.current = view.m_mousePoint;
        const CGuide* guide = drag.guide;
        if (!guide || !view.m_pContainer)
            return;
        const int x = drag.current.x, y = drag.current.y;
        if (guide->m_bHorizontal)
            view.SetInfoText(CString::Formatted("T:%d  B:%d", y, view.m_pContainer->m_nHeight - y));
        if (guide->m_bVertical)
            view.SetInfoText(CString::Formatted("L:%d  R:%d", x, view.m_pContainer->m_nWidth - x));
        view.update();
    }
    void OnRelease(CKJView& view, UINT, CPoint) override
    {
        CKJDoc* doc = view.GetProject();
        CGuide* guide = view.m_drag.guide;
        if (!doc || !guide)
            return;
        CEditScope scope(*doc);
        if (guide->m_bHorizontal)
            guide->m_nPosition = view.m_drag.current.y;
        if (guide->m_bVertical)
            guide->m_nPosition = view.m_drag.current.x;
        view.update();
    }
};
} // namespace

std::unique_ptr<CViewTool> MakeGuideTool() { return std::make_unique<CGuideTool>(); }
