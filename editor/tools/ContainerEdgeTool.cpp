#include "document/EditScope.h"
#include "document/KJDoc.h"
#include "editor/KJView.h"
#include "editor/tools/ViewTool.h"
#include "model/GroupItem.h"
#include "model/Page.h"

namespace {
// Mode 7: Ctrl on an edge strip of the container resizes the container itself.
class CContainerEdgeTool : public CViewTool {
public:
    void OnPress(CKJView&, UINT, CPoint) override {}
    void OnMove(CKJView& view, UINT flags, CPoint) override
    {
        TrackHandleDrag(view, true, true, (flags & MK_SHIFT) != 0);
    }
    void OnRelease(CKJView& view, UINT, CPoint) override
    {
        CKJDoc* doc = view.GetProject();
        CItem* container = view.m_pContainer;
        if (!doc || !container || view.m_drag.item != container)
            return;
        CEditScope scope(*doc, view.m_pCurrentPage, container, nullptr, "Resize");
        container->m_nWidth = view.m_drag.rect.Width();
        container->m_nHeight = view.m_drag.rect.Height();
        container->RecalcLayout();
        if (auto* group = dynamic_cast<CGroupItem*>(container))
            group->LayoutChildren();
        view.update();
    }
};
} // namespace

std::unique_ptr<CViewTool> MakeContainerEdgeTool() { return std::make_unique<CContainerEdgeTool>(); }
