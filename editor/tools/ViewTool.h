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

// Mode 0: no button held. Shows the hover cursor and the mouse position.
std::unique_ptr<CViewTool> MakeIdleTool();
