#include "editor/KJView.h"
#include "editor/tools/ViewTool.h"
#include "model/Item.h"
#include "model/ItemTypes.h"
#include "resources/CommandIds.h"

namespace {
class CIdleTool : public CViewTool {
public:
    void OnPress(CKJView& view, UINT, CPoint) override
    {
        // a press on the canvas ends any guess about where the next insert goes
        view.m_nLastInsertPosition = 1;
    }

    void OnMove(CKJView& view, UINT flags, CPoint point) override
    {
        view.m_bCtrlDown = (flags & MK_CONTROL) ? 1 : 0;
        view.m_bShiftDown = (flags & MK_SHIFT) ? 1 : 0;
        // the cursor follows what was under the mouse at the previous message
        UINT cursor = IDC_CURSOR_DEFAULT;
        if (view.m_nHoverHandle)
            cursor = (view.m_pHoverItem && view.m_pHoverItem->m_nType == ITEM_IMAGE && view.m_bCtrlDown)
                         ? IDC_CURSOR_CROP
                         : IDC_CURSOR_RESIZE;
        view.SetViewCursor(cursor);
        if (view.m_bCtrlDown && view.m_nHoverPageEdge)
            view.SetEdgeCursor(view.m_nHoverPageEdge);
        view.HitTest(point);
        view.SetInfoText(CString::Formatted("%d,%d", view.m_mousePoint.x, view.m_mousePoint.y));
    }

    void OnRelease(CKJView& view, UINT, CPoint) override { view.m_drag.mode = 0; }
};
} // namespace

std::unique_ptr<CViewTool> MakeIdleTool() { return std::make_unique<CIdleTool>(); }
