// Image menu, first part: the update handlers, the four live adjustments with their
// previews, Shadow and Fadeout, the exact turns and mirrors, and Invert.
//
// Every command runs in one edit scope: an Image item's change is one undo step (several
// items changed at once: a snapshot of their container), Cancel gives back the bytes the
// project had, and a texture's change (it has no container to snapshot) is kept for Cancel
// by the document and still marks the project and the pages that show it.
#include "editor/commands/ImageCommands.h"

#include "controls/DialogKit.h"
#include "dialogs/AdjustDialogs.h"
#include "dialogs/EffectDialogs.h"
#include "document/EditScope.h"
#include "document/KJDoc.h"
#include "editor/KJView.h"
#include "editor/commands/Commands.h"
#include "framework/core/MessageBox.h"
#include "framework/ui/Translation.h"
#include "model/Clipboard.h"
#include "model/GroupItem.h"
#include "model/HeaderFooterItem.h"
#include "model/ImageAdjust.h"
#include "model/ItemTypes.h"
#include "model/MasterItem.h"
#include "model/Page.h"
#include "model/Picture.h"
#include "model/items/ImageItem.h"

#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>
#include <QtCore/QMimeData>

#include <memory>

// ---------------------------------------------------------------- shared helpers

bool IsEffectKind(int type)
{
    return type == ITEM_IMAGE || type == ITEM_IMAGE_BUTTON || type == ITEM_ARTISTIC_TEXT || type == ITEM_SHAPE ||
           type == ITEM_SYMBOL;
}
bool IsRotatableKind(int type) { return IsEffectKind(type) || type == ITEM_GIF; }
bool IsInvertibleKind(int type) { return IsEffectKind(type); }
bool IsConvertibleKind(int type)
{
    return type == ITEM_SHAPE || type == ITEM_ARTISTIC_TEXT || type == ITEM_SYMBOL || type == ITEM_IMAGE_BUTTON;
}
bool IsMergeableKind(int type)
{
    return type == ITEM_SHAPE || type == ITEM_ARTISTIC_TEXT || type == ITEM_IMAGE || type == ITEM_IMAGE_BUTTON;
}
bool IsCloneSourceKind(int type) { return IsRotatableKind(type); }
bool IsOverColorKind(int type) { return IsEffectKind(type) || type == ITEM_LINK; }

ImageTarget FindImageTarget(CKJView& view)
{
    ImageTarget t;
    if (view.m_pShownPicture) {
        t.texture = view.m_pShownPicture;
        t.picture = &t.texture->m_picture;
    }
    CItem* selected = view.GetSelectedItem();
    if (selected && selected->m_nType == ITEM_IMAGE) {
        if (auto* image = dynamic_cast<CImageItem*>(selected)) {
            t.item = image;
            t.texture = nullptr;
            t.picture = &image->m_picture;
        }
    }
    return t;
}

namespace {
bool ShowsTexture(const CFillStyle& fill, const CPicture& texture)
{
    return fill.m_pPicture == &texture || (texture.m_nPictureId != 0 && fill.m_nPictureId == texture.m_nPictureId);
}

// Whether the object or anything inside it has a fill that shows the texture.
bool HoldsTexture(CItem& top, const CPicture& texture)
{
    CItemList inside;
    top.CollectItems(inside);
    inside.push_back(&top);
    for (CItem* item : inside)
        if (item->m_pFill && ShowsTexture(*item->m_pFill, texture))
            return true;
    return false;
}
} // namespace

void TextureChanged(CKJDoc& doc, CEditScope& scope, CPicture& texture)
{
    texture.m_nUploadState = 0;
    doc.ForEachFill([&](CFillStyle& fill) {
        if (ShowsTexture(fill, texture))
            fill.Render(true);
    });
    if (ShowsTexture(doc.m_allPagesBackground, texture) || ShowsTexture(doc.m_websiteBackground, texture))
        scope.TouchSite();
    for (auto& c : doc.m_styleClasses)
        if (ShowsTexture(c->m_fill, texture) || ShowsTexture(c->m_hoverFill, texture))
            scope.TouchSite();
    for (auto& p : doc.m_pages)
        if (HoldsTexture(*p, texture))
            scope.Touch(p.get());
    for (auto& b : doc.m_headerBands)
        if (HoldsTexture(*b, texture))
            scope.Touch(b.get());
    for (auto& b : doc.m_footerBands)
        if (HoldsTexture(*b, texture))
            scope.Touch(b.get());
    for (auto& m : doc.m_masters)
        if (HoldsTexture(*m, texture))
            scope.Touch(m.get());
}

void RefreshOverLook(CImageItemBase& item)
{
    if (item.HasRollover())
        item.RenderOverState();
}

void ReportPictureNotStored()
{
    AfxMessageBox(UiTranslate("The changed picture could not be stored. Nothing was changed."), MB_OK | MB_ICONEXCLAMATION);
}

void RedrawImageView(CKJView& view)
{
    ++view.m_nRedrawCount;
    view.repaint();
}

void AbandonPictureEdit(CKJView& view, CEditScope& scope)
{
    ReportPictureNotStored();
    scope.Cancel();
    view.ResetViewPointers();
    RedrawImageView(view);
}

void RenderChanged(CImageItemBase& item, CEditScope& scope)
{
    item.Render(0);
    RefreshOverLook(item);
    item.RecalcLayout();
    item.m_nUploadState = 0;
    scope.Touch(&item);
}

// ---------------------------------------------------------------- update handlers

void CKJView::OnUpdateImageCommand(CCmdUI* ui)
{
    if (m_pShownPicture) {
        ui->Enable(TRUE);
        return;
    }
    auto* group = dynamic_cast<CGroupItem*>(m_pContainer);
    CItem* selected = GetSelectedItem();
    ui->Enable(group && group->CountFlaggedChildren() == 1 && selected && selected->m_nType == ITEM_IMAGE);
}

namespace {
bool FirstSelectedIs(CKJView& view, bool (*kind)(int))
{
    CItem* selected = view.m_pContainer ? view.GetSelectedItem() : nullptr;
    return selected && kind(selected->m_nType);
}
} // namespace

void CKJView::OnUpdateImageEffect(CCmdUI* ui) { ui->Enable(FirstSelectedIs(*this, IsEffectKind)); }
void CKJView::OnUpdateImageCloneImage(CCmdUI* ui) { ui->Enable(FirstSelectedIs(*this, IsCloneSourceKind)); }
void CKJView::OnUpdateImageInvert(CCmdUI* ui) { ui->Enable(FirstSelectedIs(*this, IsInvertibleKind)); }
void CKJView::OnUpdateImageConvertToBitmap(CCmdUI* ui) { ui->Enable(FirstSelectedIs(*this, IsConvertibleKind)); }

void CKJView::OnUpdateImageOverColor(CCmdUI* ui)
{
    CItem* selected = m_pContainer ? GetSelectedItem() : nullptr;
    if (selected && selected->m_nType == ITEM_LINK) {
        // a link's hover colours are set in its property dialog
        CCmdUI properties(ID_ITEM_PROPERTIES);
        UpdateCommand(this, properties);
        ui->Enable(properties.m_bEnabled);
        return;
    }
    ui->Enable(selected && IsOverColorKind(selected->m_nType));
}

void CKJView::OnUpdateImageMerge(CCmdUI* ui)
{
    int count = 0;
    if (m_pContainer) {
        for (CItem* item : GetSelectedItems()) {
            if (!IsMergeableKind(item->m_nType)) {
                ui->Enable(FALSE);
                return;
            }
            ++count;
        }
    }
    ui->Enable(count >= 2);
}

void CKJView::OnUpdateEditPasteInto(CCmdUI* ui)
{
    auto* group = dynamic_cast<CGroupItem*>(m_pContainer);
    CItem* selected = GetSelectedItem();
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    ui->Enable(mime && mime->hasImage() && group && group->CountFlaggedChildren() == 1 && selected &&
               selected->m_nType == ITEM_IMAGE);
}

// ---------------------------------------------------------------- live adjustments

namespace {

enum class Adjustment { Tone, Hue, Saturation, RemoveBackground };

std::unique_ptr<DAdjustBase> MakeAdjustDialog(Adjustment which)
{
    switch (which) {
    case Adjustment::Tone: return std::make_unique<DBrightnessContrast>();
    case Adjustment::Hue: return std::make_unique<DHue>();
    case Adjustment::Saturation: return std::make_unique<DSaturation>();
    case Adjustment::RemoveBackground: return std::make_unique<DMakeTransparent>();
    }
    return nullptr;
}

const char* AdjustUndoText(Adjustment which)
{
    switch (which) {
    case Adjustment::Tone: return "Contrast/Brightness";
    case Adjustment::Hue: return "Hue";
    case Adjustment::Saturation: return "Saturation";
    case Adjustment::RemoveBackground: return "Remove Background";
    }
    return "";
}

// The target shows the picture it now holds: the item's looks, or the texture's rendering.
void ShowAdjusted(CKJView& view, const ImageTarget& t)
{
    if (t.item) {
        t.item->Render(0);
        view.InvalidateSelection();
        view.update();
    } else if (t.texture) {
        t.texture->Render();
        RedrawImageView(view);
    }
}

void RunAdjustment(CKJView& view, Adjustment which)
{
    CKJDoc* doc = view.GetProject();
    ImageTarget t = FindImageTarget(view);
    if (!doc || !t.picture)
        return;
    view.m_pAdjustBase = std::make_shared<CDib>(*t.picture);
    CEditScope scope(*doc, t.item ? view.m_pCurrentPage : nullptr, t.item ? view.m_pContainer : nullptr, t.item,
                     AdjustUndoText(which));
    if (t.texture)
        doc->KeepTextureForCancel(*t.texture);

    std::unique_ptr<DAdjustBase> dlg = MakeAdjustDialog(which);
    CKJView* v = &view;
    dlg->m_preview = [v](int kind, const int* values) { v->OnImageAdjustPreview(kind, values); };
    const int result = dlg->DoModal();
    dlg.reset();

    // the dialog may have changed nothing that moves the target, but look again
    t = FindImageTarget(view);
    bool stored = false;
    if (result == IDOK && t.picture) {
        if (t.item) {
            if (which == Adjustment::RemoveBackground)
                t.item->m_bJpegSource = 0; // transparency needs PNG
            stored = SaveItemPictureTemp(*t.item);
            if (stored) {
                t.item->m_nUploadState = 0;
                t.item->Render(0);
                RefreshOverLook(*t.item);
                scope.Touch(t.item);
            }
        } else if (t.texture) {
            if (which == Adjustment::RemoveBackground)
                t.texture->m_nFormat = CPicture::FormatPng;
            stored = StorePictureBytes(*t.texture);
            if (stored)
                TextureChanged(*doc, scope, *t.texture);
        }
        if (!stored)
            ReportPictureNotStored();
    }
    if (stored) {
        view.InvalidateSelection();
        view.update();
        return;
    }
    CWaitCursor wait;
    scope.Cancel();
    view.ResetViewPointers();
    // the picture exactly as it was: the previews changed it outside the record
    t = FindImageTarget(view);
    if (t.picture)
        *t.picture = *view.m_pAdjustBase;
    if (t.item)
        t.item->Render(0);
    if (t.texture)
        t.texture->Render();
    RedrawImageView(view);
}

} // namespace

void CKJView::OnImageContrastBrightness() { RunAdjustment(*this, Adjustment::Tone); }
void CKJView::OnImageHue() { RunAdjustment(*this, Adjustment::Hue); }
void CKJView::OnImageSaturation() { RunAdjustment(*this, Adjustment::Saturation); }
void CKJView::OnImageRemoveBackground() { RunAdjustment(*this, Adjustment::RemoveBackground); }

void CKJView::OnImageAdjustPreview(int kind, const int* values)
{
    ImageTarget t = FindImageTarget(*this);
    if (!t.picture || !m_pAdjustBase)
        return;
    // every preview starts again from the untouched copy, so previews never add up
    *t.picture = *m_pAdjustBase;
    if (values) {
        switch (kind) {
        case ADJUST_TONE: ApplyBrightnessContrast(*t.picture, values); break;
        case ADJUST_SATURATION: ApplySaturation(*t.picture, values[0]); break;
        case ADJUST_HUE: ApplyHue(*t.picture, values[0]); break;
        case ADJUST_TRANSPARENCY: ApplyMakeTransparent(*t.picture, COLORREF(values[0]), values[1]); break;
        default: break; // the base picture alone
        }
    }
    ShowAdjusted(*this, t);
}

// ---------------------------------------------------------------- Shadow and Fadeout

void CKJView::OnImageShadow()
{
    CKJDoc* doc = GetProject();
    auto* item = dynamic_cast<CImageItemBase*>(m_pContainer ? GetSelectedItem() : nullptr);
    if (!doc || !item || !IsEffectKind(item->m_nType))
        return;
    DDropShadow dlg(this);
    dlg.m_bEnable = item->m_nShadowKind > 0 ? 1 : 0;
    dlg.m_nDistance = item->m_nShadowOffset;
    dlg.m_nRadius = item->m_nShadowBlur;
    dlg.m_crColor = item->m_crShadow;
    if (dlg.DoModal() != IDOK)
        return;
    CEditScope scope(*doc, m_pCurrentPage, m_pContainer, item, "Shadow");
    InvalidateSelection();
    item->m_nShadowKind = dlg.m_bEnable ? 1 : 0;
    item->m_nShadowOffset = dlg.m_nDistance;
    item->m_nShadowBlur = dlg.m_nRadius;
    item->m_crShadow = dlg.m_crColor;
    RenderChanged(*item, scope);
    InvalidateSelection();
    update();
}

void CKJView::OnImageFadeout()
{
    CKJDoc* doc = GetProject();
    auto* item = dynamic_cast<CImageItemBase*>(m_pContainer ? GetSelectedItem() : nullptr);
    if (!doc || !item || !IsEffectKind(item->m_nType))
        return;
    DEdgeFadeout dlg(this);
    dlg.m_bLeft = item->m_nEdgeLeft;
    dlg.m_bRight = item->m_nEdgeRight;
    dlg.m_bTop = item->m_nEdgeTop;
    dlg.m_bBottom = item->m_nEdgeBottom;
    dlg.m_nDistance = item->m_nEdgeSize;
    dlg.m_nKind = item->m_nEdgeKind;
    if (dlg.DoModal() != IDOK)
        return;
    CEditScope scope(*doc, m_pCurrentPage, m_pContainer, item, "Fadeout");
    item->m_nEdgeLeft = dlg.m_bLeft;
    item->m_nEdgeRight = dlg.m_bRight;
    item->m_nEdgeTop = dlg.m_bTop;
    item->m_nEdgeBottom = dlg.m_bBottom;
    item->m_nEdgeSize = dlg.m_nDistance;
    item->m_nEdgeKind = dlg.m_nKind;
    InvalidateSelection();
    RenderChanged(*item, scope);
    InvalidateSelection();
    update();
}

// ---------------------------------------------------------------- turns and mirrors

namespace {

void TurnTarget(CKJView& view, PictureTurn turn)
{
    CKJDoc* doc = view.GetProject();
    ImageTarget t = FindImageTarget(view);
    if (!doc || !t.picture)
        return;
    // a turn is undone by its inverse; it records no snapshot but is one change
    CEditScope scope(*doc);
    if (t.item) {
        CImageItem& item = *t.item;
        view.InvalidateItem(&item, 0);
        view.InvalidateHandles(&item);
        const CDib before = item.m_picture;
        TurnPicture(item.m_picture, turn);
        if (!SaveItemPictureTemp(item)) {
            item.m_picture = before;
            ReportPictureNotStored();
            scope.Cancel();
            return;
        }
        if (turn == PictureTurn::Rotate90CW || turn == PictureTurn::Rotate90CCW)
            std::swap(item.m_nRenderWidth, item.m_nRenderHeight);
        RenderChanged(item, scope);
        view.InvalidateItem(&item, 0);
        view.InvalidateHandles(&item);
    } else {
        CPicture& texture = *t.texture;
        doc->KeepTextureForCancel(texture);
        TurnPicture(texture.m_picture, turn);
        texture.m_nWidth = texture.m_picture.GetWidth();
        texture.m_nHeight = texture.m_picture.GetHeight();
        texture.Render();
        if (!StorePictureBytes(texture)) {
            ReportPictureNotStored();
            scope.Cancel();
            RedrawImageView(view);
            return;
        }
        TextureChanged(*doc, scope, texture);
    }
    RedrawImageView(view);
}

} // namespace

void CKJView::OnImageRotate90CW() { TurnTarget(*this, PictureTurn::Rotate90CW); }
void CKJView::OnImageRotate90CCW() { TurnTarget(*this, PictureTurn::Rotate90CCW); }
void CKJView::OnImageRotate180() { TurnTarget(*this, PictureTurn::Rotate180); }
void CKJView::OnImageFlipHorizontal() { TurnTarget(*this, PictureTurn::FlipHorizontal); }
void CKJView::OnImageFlipVertical() { TurnTarget(*this, PictureTurn::FlipVertical); }

// ---------------------------------------------------------------- Invert

void CKJView::OnImageInvert()
{
    CKJDoc* doc = GetProject();
    CItem* first = m_pContainer ? GetSelectedItem() : nullptr;
    if (!doc || !first || !IsInvertibleKind(first->m_nType))
        return;
    std::vector<CImageItemBase*> targets;
    for (CItem* item : GetSelectedItems())
        if (IsInvertibleKind(item->m_nType))
            if (auto* picture = dynamic_cast<CImageItemBase*>(item))
                targets.push_back(picture);
    // several items change: their container's snapshot, so one Undo restores them all
    CEditScope scope(*doc, m_pCurrentPage, m_pContainer, targets.size() == 1 ? first : nullptr, "Invert");
    for (CImageItemBase* item : targets) {
        InvalidateItem(item);
        if (auto* image = dynamic_cast<CImageItem*>(item); image && item->m_nType == ITEM_IMAGE) {
            InvertPixels(image->m_picture);
            if (!SaveItemPictureTemp(*image)) {
                AbandonPictureEdit(*this, scope);
                return;
            }
        } else {
            InvertItemColors(*item);
        }
        RenderChanged(*item, scope);
        InvalidateItem(item);
    }
    update();
}

// ---------------------------------------------------------------- registration

void RegisterImageCommands(CKJView& view)
{
    CKJView* v = &view;
    view.OnCommand(ID_IMAGE_CONTRAST, [v] { v->OnImageContrastBrightness(); });
    view.OnCommand(ID_IMAGE_HUE, [v] { v->OnImageHue(); });
    view.OnCommand(ID_IMAGE_SATURATION, [v] { v->OnImageSaturation(); });
    view.OnCommand(ID_IMAGE_REMOVE_BACKGROUND, [v] { v->OnImageRemoveBackground(); });
    view.OnCommand(ID_IMAGE_ROTATE_CW, [v] { v->OnImageRotate90CW(); });
    view.OnCommand(ID_IMAGE_ROTATE_CCW, [v] { v->OnImageRotate90CCW(); });
    view.OnCommand(ID_IMAGE_ROTATE_180, [v] { v->OnImageRotate180(); });
    view.OnCommand(ID_IMAGE_FLIP_HORIZONTAL, [v] { v->OnImageFlipHorizontal(); });
    view.OnCommand(ID_IMAGE_FLIP_VERTICAL, [v] { v->OnImageFlipVertical(); });
    for (UINT id : {ID_IMAGE_CROP, ID_IMAGE_ROTATE_CW, ID_IMAGE_ROTATE_CCW, ID_IMAGE_ROTATE_180, ID_IMAGE_FLIP_HORIZONTAL,
                    ID_IMAGE_FLIP_VERTICAL, ID_IMAGE_SATURATION, ID_IMAGE_CONTRAST, ID_IMAGE_REMOVE_BACKGROUND,
                    ID_IMAGE_HUE, ID_IMAGE_CHANGE})
        view.OnUpdateCommand(id, [v](CCmdUI* ui) { v->OnUpdateImageCommand(ui); });

    view.OnCommand(ID_IMAGE_SHADOW, [v] { v->OnImageShadow(); });
    view.OnCommand(ID_IMAGE_FADEOUT, [v] { v->OnImageFadeout(); });
    for (UINT id : {ID_IMAGE_SHADOW, ID_IMAGE_FADEOUT, ID_IMAGE_ANGLE})
        view.OnUpdateCommand(id, [v](CCmdUI* ui) { v->OnUpdateImageEffect(ui); });

    view.OnCommand(ID_IMAGE_INVERT, [v] { v->OnImageInvert(); });
    view.OnUpdateCommand(ID_IMAGE_INVERT, [v](CCmdUI* ui) { v->OnUpdateImageInvert(ui); });
    view.OnUpdateCommand(ID_IMAGE_CONVERT_TO_BITMAP, [v](CCmdUI* ui) { v->OnUpdateImageConvertToBitmap(ui); });
    view.OnUpdateCommand(ID_IMAGE_MERGE, [v](CCmdUI* ui) { v->OnUpdateImageMerge(ui); });
    view.OnUpdateCommand(ID_IMAGE_CLONE, [v](CCmdUI* ui) { v->OnUpdateImageCloneImage(ui); });
    view.OnUpdateCommand(ID_IMAGE_OVER_COLOR, [v](CCmdUI* ui) { v->OnUpdateImageOverColor(ui); });
    view.OnUpdateCommand(ID_EDIT_PASTE_INTO, [v](CCmdUI* ui) { v->OnUpdateEditPasteInto(ui); });
    RegisterImageEditCommands(view);
}
