#include "document/EditScope.h"
#include "document/KJDoc.h"
#include "editor/KJView.h"
#include "editor/tools/ViewTool.h"
#include "model/GroupItem.h"
#include "model/Page.h"
#include "model/items/ImageItem.h"

namespace {
// Mode 5: Ctrl on a handle of an image; the release cuts the picture to the rectangle.
// No snapping, no proportions, no mirroring.
class CCropTool : public CViewTool {
public:
    void OnPress(CKJView&, UINT, CPoint) override {}
    void OnMove(CKJView& view, UINT, CPoint) override
    {
        view.SetViewCursor(IDC_CURSOR_CROP);
        TrackHandleDrag(view, false, false, false);
    }
    void OnRelease(CKJView& view, UINT, CPoint) override
    {
        CKJDoc* doc = view.GetProject();
        auto* image = dynamic_cast<CImageItem*>(view.m_drag.item);
        if (!doc || !image)
            return;
        const CRect r = view.m_drag.rect;
        const CRect was = image->GetRect();
        if (r.Width() < 1 || r.Height() < 1 || was.Width() < 1 || was.Height() < 1)
            return;
        CEditScope scope(*doc, view.m_pCurrentPage, view.m_pContainer, image->m_bPositioned ? image : nullptr, "Crop");
        scope.Touch(view.m_pContainer);
        view.InvalidateSelection();
        // the rectangle in picture pixels: the picture may be shown scaled
        const int pw = image->m_picture.IsValid() ? image->m_picture.GetWidth() : was.Width();
        const int ph = image->m_picture.IsValid() ? image->m_picture.GetHeight() : was.Height();
        auto px = [&](int x) { return int((long long)(x - was.left) * pw / was.Width()); };
        auto py = [&](int y) { return int((long long)(y - was.top) * ph / was.Height()); };
        CropImage(*image, px(r.left), py(r.top), px(r.right), py(r.bottom));
        image->RecalcLayout();
        image->SetRect(r.left, r.top, r.right, r.bottom);
        if (view.InvalidateSelection())
            if (auto* group = dynamic_cast<CGroupItem*>(view.m_pContainer))
                group->LayoutChildren();
    }
};
} // namespace

std::unique_ptr<CViewTool> MakeCropTool() { return std::make_unique<CCropTool>(); }
