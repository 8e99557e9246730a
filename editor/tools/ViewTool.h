// One mouse mode of the canvas (idle, rubber band, moving, resizing, cropping, guide,
// container edge, placing a new item). The view hands each press, move and release to
// the tool of its current drag mode; a tool changes the mode to pass the gesture on.
#pragma once
#include "framework/core/Geometry.h"
#include "framework/core/Types.h"

#include <memory>

class CKJView;

// Key state flags of a mouse message.
enum : UINT { MK_LBUTTON = 0x1, MK_RBUTTON = 0x2, MK_SHIFT = 0x4, MK_CONTROL = 0x8 };

class CViewTool {
public:
    virtual ~CViewTool() = default;
    // Points are client coordinates of the view (CKJView::HitTest turns them into page units).
    virtual void OnPress(CKJView& view, UINT flags, CPoint point) = 0;
    virtual void OnMove(CKJView& view, UINT flags, CPoint point) = 0;
    virtual void OnRelease(CKJView& view, UINT flags, CPoint point) = 0;
};

// Mode 0: no button held. Shows the mouse position; a press starts the gesture of what
// is under the mouse (back box, slider tab, guide, container edge, handle, item, space).
std::unique_ptr<CViewTool> MakeIdleTool();
std::unique_ptr<CViewTool> MakeRubberBandTool();     // 1
std::unique_ptr<CViewTool> MakePressTool();          // 2: pressed on an item, not yet moved
std::unique_ptr<CViewTool> MakeMoveTool();           // 3: moving (Shift locks, Ctrl copies)
std::unique_ptr<CViewTool> MakeResizeTool();         // 4
std::unique_ptr<CViewTool> MakeCropTool();           // 5
std::unique_ptr<CViewTool> MakeGuideTool();          // 6
std::unique_ptr<CViewTool> MakeContainerEdgeTool();  // 7
std::unique_ptr<CViewTool> MakePlacingTool();        // 8
// Registers the tools of modes 0 to 8 on the view.
void RegisterEditingTools(CKJView& view);

// The rectangle a handle drag gives, from the rectangle at the start and the pointer:
// handle 1..4 corners (top-left, top-right, bottom-left, bottom-right), 5..8 edges (left,
// right, top, bottom). Corners keep the start's proportions when keepAspect (not from a
// zero width or height); edges mirror about the centre when mirror. Always normalised.
CRect HandleDragRect(const CRect& start, int handle, CPoint point, bool keepAspect, bool mirror);
// The pointer move of modes 4, 5 and 7: the rectangle from the handle, its size as info text.
void TrackHandleDrag(CKJView& view, bool snap, bool keepAspect, bool mirror);
// The outline move of modes 3 and 8: shift lock, snapping, info text and drop zones.
void TrackSelectionOutline(CKJView& view, UINT flags, CPoint pagePoint);
