#include "editor/KJView.h"
#include "editor/tools/ViewTool.h"

namespace {
// Mode 8: a just inserted item follows the mouse; the next press makes it a move (mode 3)
// that the release commits.
class CPlacingTool : public CViewTool {
public:
    void OnPress(CKJView& view, UINT, CPoint) override { view.m_drag.mode = 3; }
    void OnMove(CKJView& view, UINT flags, CPoint) override { TrackSelectionOutline(view, flags, view.m_mousePoint); }
    void OnRelease(CKJView&, UINT, CPoint) override {}
};
} // namespace

std::unique_ptr<CViewTool> MakePlacingTool() { return std::make_unique<CPlacingTool>(); }
