#include "document/KJDoc.h"
#include "editor/KJView.h"
#include "editor/tools/ViewTool.h"
#include "model/GroupItem.h"
#include "model/ItemTypes.h"
#include "model/Page.h"
#include "model/items/SliderItem.h"
#include "resources/CommandIds.h"

namespace {
class CIdleTool : public CViewTool {
public:
    void OnPress(CKJView& view, UINT flags, CPoint) override
    {
        view.m_bCtrlDown = (flags & MK_CONTROL) ? 1 : 0;
        view.m_bShiftDown = (flags & MK_SHIFT) ? 1 : 0;
        CItem* container = view.m_pContainer;
        const CPoint p = view.m_mousePoint;
        const int w = container->m_nWidth, h = container->m_nHeight;
        auto& drag = view.m_drag;
        // the back box right of an entered container's name line
        if (p.x > w - 16 && p.y > -16 && p.x < w && p.y < -4 && container != view.m_pCurrentPage &&
            !view.m_navigation.empty()) {
            view.LeaveContainer();
            return;
        }
        // a slider's tabs, 24 units apart: the gap right of a tab still opens its slide
        if (auto* slider = dynamic_cast<CSliderItem*>(container); slider && p.y >= h + 4 && p.y <= h + 24 && p.x >= 0) {
            const int i = p.x / 24;
            if (i < int(slider->m_frames.size()) && slider->m_frames[size_t(i)]) {
                view.EnterContainer(slider->m_frames[size_t(i)].get());
                return;
            }
        }
        drag.start = drag.current = p;
        if (view.m_pHoverGuide) {
            drag.mode = 6;
            drag.guide = view.m_pHoverGuide;
            view.BeginDragFeedback();
            return;
        }
        if (view.m_nHoverPageEdge && view.m_bCtrlDown) {
            static const int kHandleOfEdge[5] = {0, 7, 8, 5, 6};
            drag.mode = 7;
            drag.handle = kHandleOfEdge[view.m_nHoverPageEdge];
            drag.item = container;
            drag.rect = drag.startRect = CRect(0, 0, w, h);
            drag.aspect = h ? double(w) / h : 1.0;
            view.BeginDragFeedback();
            return;
        }
        CItem* hover = view.m_pHoverItem;
        if (view.m_nHoverHandle && hover) {
            drag.mode = hover->m_nType == ITEM_IMAGE && view.m_bCtrlDown ? 5 : 4;
            drag.handle = view.m_nHoverHandle;
            drag.item = hover;
            drag.rect = drag.startRect = hover->GetRect();
            drag.aspect = hover->m_nHeight ? double(hover->m_nWidth) / hover->m_nHeight : 1.0;
            view.BeginDragFeedback();
            return;
        }
        if (!view.m_bShiftDown) {
            if (hover) {
                if (!hover->m_bSelected)
                    view.DeselectAll();
                view.SelectItem(hover);
                drag.mode = 2;
                view.BuildDragOutlines();
                return;
            }
            view.DeselectAll();
            drag.mode = 1;
            view.BeginDragFeedback();
            return;
        }
        if (hover) {
            hover->m_bSelected = hover->m_bSelected ? 0 : 1;
            view.InvalidateHandles(hover);
        }
    }

    void OnMove(CKJView& view, UINT, CPoint) override
    {
        view.SetInfoText(CString::Formatted("%d,%d", view.m_mousePoint.x, view.m_mousePoint.y));
    }

    void OnRelease(CKJView&, UINT, CPoint) override {}
};
} // namespace

std::unique_ptr<CViewTool> MakeIdleTool() { return std::make_unique<CIdleTool>(); }

void RegisterEditingTools(CKJView& view)
{
    view.SetTool(0, MakeIdleTool());
    view.SetTool(1, MakeRubberBandTool());
    view.SetTool(2, MakePressTool());
    view.SetTool(3, MakeMoveTool());
    view.SetTool(4, MakeResizeTool());
    view.SetTool(5, MakeCropTool());
    view.SetTool(6, MakeGuideTool());
    view.SetTool(7, MakeContainerEdgeTool());
    view.SetTool(8, MakePlacingTool());
}
