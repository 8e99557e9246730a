// Image menu, second part: Convert to Bitmap, Merge, Clone Image, Change Image, Edit/Paste
// Into, Crop, Angle and Over Color. Each runs in one edit scope whose snapshot comes before
// the first change; a picture that cannot be made or stored changes nothing and says so.
#include "editor/commands/ImageCommands.h"

#include "controls/ColorControl.h"
#include "controls/DialogKit.h"
#include "controls/FileChooser.h"
#include "dialogs/EffectDialogs.h"
#include "dialogs/ImageCrop.h"
#include "dialogs/OverColorDialogs.h"
#include "dialogs/SmallPropertyDialogs.h"
#include "document/EditScope.h"
#include "document/KJDoc.h"
#include "editor/KJView.h"
#include "framework/core/MessageBox.h"
#include "framework/ui/Translation.h"
#include "model/Dib.h"
#include "model/FillStyle.h"
#include "model/GroupItem.h"
#include "model/ItemFactory.h"
#include "model/ItemTypes.h"
#include "model/Page.h"
#include "model/Translate.h"
#include "model/Picture.h"
#include "model/Clipboard.h"
#include "model/items/GalleryItem.h"
#include "model/items/ImageButtonItem.h"
#include "model/items/ImageCloneItem.h"
#include "model/items/ImageItem.h"

#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>
#include <QtGui/QImage>

#include <algorithm>
#include <memory>

CRect CropRectForAnchor(int W, int H, int w, int h, int anchor)
{
    int dx = 0, dy = 0;
    switch (anchor) {
    case 0: dx = (W - w) / 2; dy = (H - h) / 2; break;
    case 1: dx = 0; dy = (H - h) / 2; break;
    case 2: dx = W - w; dy = (H - h) / 2; break;
    case 3: dx = (W - w) / 2; dy = 0; break;
    case 4: dx = (W - w) / 2; dy = H - h; break;
    case 5: break;
    case 6: dx = W - w; break;
    case 7: dy = H - h; break;
    case 8: dx = W - w; dy = H - h; break;
    default: break;
    }
    return CRect(dx, dy, dx + w, dy + h);
}

namespace {

CGroupItem* Group(CItem* item) { return dynamic_cast<CGroupItem*>(item); }

std::unique_ptr<CImageItem> NewImageItem()
{
    std::unique_ptr<CItem> made(CreateItem(ITEM_IMAGE));
    auto* image = dynamic_cast<CImageItem*>(made.get());
    if (!image)
        return nullptr;
    made.release();
    return std::unique_ptr<CImageItem>(image);
}

// The box a new picture fills: the item's picture size, or its source picture's when it
// has none (as Convert to Bitmap leaves it).
void PictureBox(const CImageItem& item, int& W, int& H)
{
    W = item.m_nRenderWidth;
    H = item.m_nRenderHeight;
    if (W <= 0 || H <= 0) {
        W = item.m_picture.GetWidth();
        H = item.m_picture.GetHeight();
    }
}

// The item's looks, layout and stored bytes after its source picture changed; false when
// the bytes could not be made (the caller cancels).
bool FinishPicture(CImageItem& item)
{
    if (!SaveItemPictureTemp(item))
        return false;
    item.Render(0);
    RefreshOverLook(item);
    item.RecalcLayout();
    item.m_nUploadState = 0;
    return true;
}

} // namespace

// ---------------------------------------------------------------- Convert to Bitmap

void CKJView::OnImageConvertToBitmap()
{
    CKJDoc* doc = GetProject();
    CGroupItem* group = Group(m_pContainer);
    if (!doc || !group || !GetSelectedItem())
        return;
    std::vector<CImageItemBase*> targets;
    for (CItem* item : GetSelectedItems())
        if (auto* drawn = dynamic_cast<CImageItemBase*>(item); drawn && IsConvertibleKind(item->m_nType))
            targets.push_back(drawn);
    if (targets.empty())
        return;
    CEditScope scope(*doc, m_pCurrentPage, m_pContainer, nullptr, "Convert to Bitmap");
    bool flowing = false;
    int converted = 0;
    for (CImageItemBase* old : targets) {
        const CDib& look = old->StateBitmap(0);
        std::unique_ptr<CImageItem> image = NewImageItem();
        if (!image || !look.IsValid())
            continue; // nothing drawn (an empty text): it stays as it is
        image->m_picture.Copy(look);
        image->m_nX = old->m_nX;
        image->m_nY = old->m_nY;
        image->m_bPositioned = old->m_bPositioned;
        if (image->m_pFill && old->m_pFill)
            image->m_pFill->CopySettings(*old->m_pFill);
        image->m_margin = old->m_margin;
        image->SetSiteStyles(&doc->m_styles);
        image->Render(0);
        if (!FinishPicture(*image)) {
            AbandonPictureEdit(*this, scope);
            return;
        }
        image->m_bSelected = 1;
        InvalidateItem(old);
        const auto& children = group->GetChildren();
        const int index = int(std::find_if(children.begin(), children.end(), [old](const auto& c) { return c.get() == old; }) -
                              children.begin());
        std::unique_ptr<CItem> gone(group->DetachChild(old));
        if (m_pHoverItem == gone.get())
            m_pHoverItem = nullptr;
        // a flowing item keeps its place in the flow; a placed one goes on top
        if (!gone->m_bPositioned) {
            flowing = true;
            group->InsertChild(index, image.release());
        } else {
            group->AddChild(image.release());
        }
        doc->RemoveItemReferences(gone.get());
        ++converted;
    }
    if (converted == 0) {
        scope.Cancel();
        ResetViewPointers();
        return;
    }
    doc->UpdateItemLinks();
    scope.Touch(m_pContainer);
    if (flowing)
        group->LayoutChildren();
    RedrawImageView(*this);
}

// ---------------------------------------------------------------- Merge

void CKJView::OnImageMerge()
{
    CKJDoc* doc = GetProject();
    CGroupItem* group = Group(m_pContainer);
    if (!doc || !group || CountSelected() < 2)
        return;
    const CRect r = GetBoundingRect(*group);
    CDib merged;
    if (r.Width() > 0 && r.Height() > 0 && r.Width() < CDib::kMaxSide && r.Height() < CDib::kMaxSide) {
        merged.Create(r.Width(), r.Height());
        merged.FillBytes(0xFF); // white, fully transparent where nothing covers
    }
    if (!merged.IsValid()) {
        // refused before anything is deleted
        AfxMessageBox(UiTranslate("The merged picture could not be made."), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    CEditScope scope(*doc, m_pCurrentPage, m_pContainer, nullptr, "Merge");
    std::unique_ptr<CImageItem> image = NewImageItem();
    if (!image) {
        scope.Cancel();
        return;
    }
    image->m_picture = std::move(merged);
    image->m_nRenderWidth = r.Width();
    image->m_nRenderHeight = r.Height();
    InvalidateSelection();
    for (CItem* item : GetSelectedItems()) {
        auto* picture = dynamic_cast<CImageItemBase*>(item);
        if (picture && IsMergeableKind(item->m_nType))
            picture->StateBitmap(0).CompositeTo(image->m_picture, item->m_nX - r.left, item->m_nY - r.top);
    }
    image->m_picture.SetOpaqueFlag(0);
    image->m_nX = r.left;
    image->m_nY = r.top;
    image->m_bPositioned = 1;
    image->m_bJpegSource = 0;
    image->SetSiteStyles(&doc->m_styles);
    if (!FinishPicture(*image)) {
        ReportPictureNotStored();
        scope.Cancel();
        ResetViewPointers();
        return;
    }
    const bool flowRemoved = DeleteSelectedItems() != 0;
    image->m_bSelected = 1;
    group->AddChild(image.release());
    if (flowRemoved)
        group->LayoutChildren();
    scope.Touch(m_pContainer);
    InvalidateSelection();
    RedrawImageView(*this);
}

// ---------------------------------------------------------------- Clone Image

void CKJView::OnImageCloneImage()
{
    CKJDoc* doc = GetProject();
    CItem* source = m_pContainer ? GetSelectedItem() : nullptr;
    if (!doc || !source || !IsCloneSourceKind(source->m_nType))
        return;
    auto clone = std::make_unique<CImageCloneItem>();
    clone->m_pSource = source;
    clone->m_nSourceId = source->m_nSerial;
    clone->m_strText = source->m_strText;
    clone->m_nWidth = source->m_nWidth;
    clone->m_nHeight = source->m_nHeight;
    clone->m_nX = source->m_nX + 10;
    clone->m_nY = source->m_nY + 10;
    clone->SetSiteStyles(&doc->m_styles);
    CEditScope scope(*doc, m_pCurrentPage, m_pContainer, nullptr, "Clone Image");
    AddItemToPage(clone.release(), true); // follows the mouse until the next click
}

// ---------------------------------------------------------------- Change Image

void CKJView::OnImageChangeImage()
{
    CKJDoc* doc = GetProject();
    ImageTarget t = FindImageTarget(*this);
    if (!doc || !t.picture)
        return;
    int W0 = 0, H0 = 0;
    if (t.item) {
        PictureBox(*t.item, W0, H0);
        InvalidateItem(t.item);
    }
    CFileChooser chooser;
    chooser.SetFilter("Images (*.png;*.jpg;*.bmp)|*.png;*.jpg;*.bmp||");
    chooser.AddFlags(OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST);
    chooser.SetTitle(Translate("Import Image"));
    chooser.LoadFolder("Current", "ImageFolder");
    if (!chooser.DoOpen())
        return;
    const std::vector<CString> paths = chooser.GetPathNames();
    if (paths.empty())
        return;
    chooser.SaveFolder("Current", "ImageFolder");
    const CString& path = paths.front();

    CWaitCursor wait;
    if (t.texture) {
        CEditScope scope(*doc);
        doc->KeepTextureForCancel(*t.texture);
        if (!t.texture->LoadFile(path)) {
            AfxMessageBox(Translate("The picture could not be read:") + "\n" + path, MB_OK | MB_ICONERROR);
            scope.Cancel();
        } else {
            t.texture->Render();
            TextureChanged(*doc, scope, *t.texture);
        }
        RedrawImageView(*this);
        return;
    }
    CImageItem& item = *t.item;
    CEditScope scope(*doc, m_pCurrentPage, m_pContainer, &item, "Replace Image");
    // a file that does not decode leaves the item as it was (the import says so)
    if (!ImportImageFile(item, path)) {
        scope.Cancel();
        return;
    }
    const int W1 = item.m_picture.GetWidth(), H1 = item.m_picture.GetHeight();
    if (W0 > 0 && H0 > 0 && W1 > 0 && H1 > 0 && (W1 != W0 || H1 != H0)) {
        // scaled to cover the old box, then cut to it, centred
        const double a0 = double(W0) / H0, a1 = double(W1) / H1;
        if (a0 > a1) {
            const int h = int(std::int64_t(H1) * W0 / W1);
            ResizeItemPicture(item, W0, h);
            const int d = std::max(0, (h - H0) / 2);
            CropImage(item, 0, d, W0, d + H0);
        } else {
            const int w = int(std::int64_t(W1) * H0 / H1);
            ResizeItemPicture(item, w, H0);
            const int d = std::max(0, (w - W0) / 2);
            CropImage(item, d, 0, d + W0, H0);
        }
    }
    if (!FinishPicture(item)) {
        AbandonPictureEdit(*this, scope);
        return;
    }
    scope.Touch(&item);
    InvalidateItem(&item);
    update();
}

// ---------------------------------------------------------------- Edit/Paste Into

void CKJView::OnEditPasteInto()
{
    CKJDoc* doc = GetProject();
    auto* item = dynamic_cast<CImageItem*>(m_pContainer ? GetSelectedItem() : nullptr);
    if (!doc || !item || item->m_nType != ITEM_IMAGE)
        return;
    CDib pasted = DibFromQImage(QGuiApplication::clipboard()->image());
    if (!pasted.IsValid() || pasted.GetWidth() < 1 || pasted.GetHeight() < 1) {
        AfxMessageBox(UiTranslate("The clipboard holds no picture."), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    int W = 0, H = 0;
    PictureBox(*item, W, H);
    if (W <= 0 || H <= 0) {
        W = pasted.GetWidth();
        H = pasted.GetHeight();
    }
    CEditScope scope(*doc, m_pCurrentPage, m_pContainer, item, "Paste Into");
    item->m_picture.Create(W, H);
    const double sx = double(W) / pasted.GetWidth(), sy = double(H) / pasted.GetHeight();
    int x = 0, y = 0;
    if (sx > sy) {
        const int h = int(pasted.GetHeight() * sx);
        pasted.Resample(W, h);
        y = (H - h) / 2;
    } else {
        const int w = int(pasted.GetWidth() * sy);
        pasted.Resample(w, H);
        x = (W - w) / 2;
    }
    pasted.CompositeTo(item->m_picture, x, y);
    if (!item->m_picture.IsValid() || !FinishPicture(*item)) {
        AbandonPictureEdit(*this, scope);
        return;
    }
    scope.Touch(item);
    InvalidateItem(item);
    update();
}

// ---------------------------------------------------------------- Crop

void CKJView::OnImageCrop()
{
    CKJDoc* doc = GetProject();
    ImageTarget t = FindImageTarget(*this);
    if (!doc || !t.picture)
        return;
    if (t.texture) {
        DImageCrop dlg(this);
        dlg.m_pPicture = &t.texture->m_picture;
        if (dlg.DoModal() != IDOK || !dlg.m_pCanvas || !dlg.m_pCanvas->GetSelection())
            return;
        const CRect rect = *dlg.m_pCanvas->GetSelection();
        if (rect.Width() < 1 || rect.Height() < 1)
            return; // a click, not an area
        CWaitCursor wait;
        CEditScope scope(*doc);
        doc->KeepTextureForCancel(*t.texture);
        if (!CropPictureHolder(*t.texture, rect)) {
            ReportPictureNotStored();
            scope.Cancel();
        } else {
            t.texture->Render();
            TextureChanged(*doc, scope, *t.texture);
        }
        RedrawImageView(*this);
        return;
    }
    CImageItem& item = *t.item;
    // the dialog offers the shown size; the picture is only scaled to it after OK
    int W = 0, H = 0;
    PictureBox(item, W, H);
    if (W < 1 || H < 1)
        return;
    DCrop crop(this);
    crop.m_nWidth = crop.m_nMaxWidth = W;
    crop.m_nHeight = crop.m_nMaxHeight = H;
    crop.m_nAnchor = 0;
    const int result = crop.DoModal();
    CRect rect;
    if (result == IDOK) {
        rect = CropRectForAnchor(W, H, std::clamp(crop.m_nWidth, 1, W), std::clamp(crop.m_nHeight, 1, H), crop.m_nAnchor);
    } else if (result == IDR_CROP_SELECT_AREA) {
        // the area is chosen on the picture as it is shown
        CDib shown = item.m_picture;
        if (shown.GetWidth() != W || shown.GetHeight() != H)
            shown.Resample(W, H);
        DImageCrop area(this);
        area.m_pPicture = &shown;
        if (area.DoModal() != IDOK || !area.m_pCanvas || !area.m_pCanvas->GetSelection())
            return;
        rect = *area.m_pCanvas->GetSelection();
    } else {
        return;
    }
    rect.IntersectRect(rect, CRect(0, 0, W, H));
    if (rect.Width() < 1 || rect.Height() < 1)
        return; // a click, not an area
    CWaitCursor wait;
    CEditScope scope(*doc, m_pCurrentPage, m_pContainer, &item, "Crop");
    InvalidateItem(&item);
    InvalidateHandles(&item);
    if (item.m_picture.GetWidth() != W || item.m_picture.GetHeight() != H)
        ResizeItemPicture(item, W, H);
    CropImage(item, rect.left, rect.top, rect.right, rect.bottom);
    item.m_nRenderWidth = item.m_picture.GetWidth();
    item.m_nRenderHeight = item.m_picture.GetHeight();
    if (!FinishPicture(item)) {
        AbandonPictureEdit(*this, scope);
        return;
    }
    // the part kept stays where it was on the page
    item.m_nX += rect.left;
    item.m_nY += rect.top;
    scope.Touch(&item);
    InvalidateItem(&item);
    InvalidateHandles(&item);
    update();
}

// ---------------------------------------------------------------- Angle

void CKJView::OnImageAngle()
{
    CKJDoc* doc = GetProject();
    auto* first = dynamic_cast<CImageItemBase*>(m_pContainer ? GetSelectedItem() : nullptr);
    if (!doc || !first || !IsRotatableKind(first->m_nType))
        return;
    DAngle dlg(this);
    dlg.m_dAngle = first->m_dRotation;
    if (dlg.DoModal() != IDOK)
        return;
    std::vector<CImageItemBase*> targets;
    for (CItem* item : GetSelectedItems())
        if (auto* picture = dynamic_cast<CImageItemBase*>(item); picture && IsRotatableKind(item->m_nType))
            targets.push_back(picture);
    // several items turn: their container's snapshot, so one Undo restores them all
    CEditScope scope(*doc, m_pCurrentPage, m_pContainer, targets.size() == 1 ? first : nullptr, "Angle");
    bool flowing = false;
    for (CImageItemBase* item : targets) {
        InvalidateItem(item);
        InvalidateHandles(item);
        item->m_dRotation = dlg.m_dAngle;
        RenderChanged(*item, scope);
        InvalidateItem(item);
        InvalidateHandles(item);
        flowing = flowing || !item->m_bPositioned;
    }
    if (flowing) {
        m_pContainer->RecalcLayout();
        if (CGroupItem* group = Group(m_pContainer))
            group->LayoutChildren();
        RedrawImageView(*this);
    } else {
        update();
    }
}

// ---------------------------------------------------------------- Over Color

void CKJView::OnImageOverColor()
{
    CKJDoc* doc = GetProject();
    CItem* first = m_pContainer ? GetSelectedItem() : nullptr;
    if (!doc || !first)
        return;
    const int type = first->m_nType;
    if (type == ITEM_LINK) {
        ExecuteCommand(this, ID_ITEM_PROPERTIES); // its hover colours are in its dialog
        return;
    }
    auto* picture = dynamic_cast<CImageItemBase*>(first);
    if (!picture || !IsOverColorKind(type))
        return;

    auto changeEach = [&](const char* undo, bool (*kind)(int), const std::function<void(CImageItemBase&)>& apply) {
        std::vector<CImageItemBase*> targets;
        for (CItem* item : GetSelectedItems())
            if (auto* p = dynamic_cast<CImageItemBase*>(item); p && kind(item->m_nType))
                targets.push_back(p);
        CEditScope scope(*doc, m_pCurrentPage, m_pContainer, targets.size() == 1 ? targets.front() : nullptr, undo);
        for (CImageItemBase* item : targets) {
            apply(*item);
            item->RenderOverState();
            item->m_nUploadState = 0;
            scope.Touch(item);
            InvalidateItem(item);
        }
        update();
    };

    if (type == ITEM_ARTISTIC_TEXT || type == ITEM_SHAPE || type == ITEM_SYMBOL) {
        // an unset shift opens the picker on its neutral grey, ready to be changed
        COLORREF colour = picture->m_crOverShift;
        if ((colour >> 24) == 0xFF)
            colour &= 0x00FFFFFF;
        if (!ChooseColorDlg(colour, UiTranslate("Over Color"), TRUE))
            return;
        changeEach("Over Color",
                   [](int t) { return t == ITEM_ARTISTIC_TEXT || t == ITEM_SHAPE || t == ITEM_SYMBOL; },
                   [colour](CImageItemBase& item) {
                       item.m_crOverShift = colour;
                       // the hover effect needs the link element the page writes for a link
                       if ((colour >> 24) != 0xFF && item.m_link.m_nKind == kLinkNone)
                           item.m_link.m_nKind = kLinkAddress;
                   });
    } else if (type == ITEM_IMAGE) {
        auto* image = dynamic_cast<CImageItem*>(first);
        if (!image)
            return;
        DImageOverColor dlg(this);
        dlg.m_nHue = image->m_nHueShift;
        dlg.m_nBrightness = image->m_nBrightnessShift;
        dlg.m_nSaturation = image->m_nSaturationShift;
        dlg.m_nState = image->m_bShowOverState;
        dlg.m_crColorize = image->m_crOverShift;
        if (dlg.DoModal() != IDOK)
            return;
        changeEach("Over Color", [](int t) { return t == ITEM_IMAGE; }, [&dlg](CImageItemBase& item) {
            auto& i = static_cast<CImageItem&>(item);
            i.m_nHueShift = dlg.m_nHue;
            i.m_nBrightnessShift = dlg.m_nBrightness;
            i.m_nSaturationShift = dlg.m_nSaturation;
            i.m_bShowOverState = dlg.m_nState;
            i.m_crOverShift = dlg.m_crColorize;
        });
    } else if (type == ITEM_IMAGE_BUTTON) {
        auto* button = dynamic_cast<CImageButtonItem*>(first);
        if (!button)
            return;
        DShapeOverColor dlg(this);
        dlg.m_crFill = button->m_crHoverFace;
        dlg.m_crLine = button->m_crHoverBorder;
        dlg.m_crText = button->m_crHoverCaption;
        dlg.m_nFill = button->m_nHoverShadingPlus1;
        dlg.m_nBorder = button->m_nHoverBorderWidthPlus1;
        if (dlg.DoModal() != IDOK)
            return;
        changeEach("Over Color", [](int t) { return t == ITEM_IMAGE_BUTTON; }, [&dlg](CImageItemBase& item) {
            auto& b = static_cast<CImageButtonItem&>(item);
            b.m_crHoverFace = dlg.m_crFill;
            b.m_crHoverBorder = dlg.m_crLine;
            b.m_crHoverCaption = dlg.m_crText;
            b.m_nHoverShadingPlus1 = dlg.m_nFill;
            b.m_nHoverBorderWidthPlus1 = dlg.m_nBorder;
        });
    }
}

// ---------------------------------------------------------------- registration

void RegisterImageEditCommands(CKJView& view)
{
    CKJView* v = &view;
    view.OnCommand(ID_IMAGE_CONVERT_TO_BITMAP, [v] { v->OnImageConvertToBitmap(); });
    view.OnCommand(ID_IMAGE_MERGE, [v] { v->OnImageMerge(); });
    view.OnCommand(ID_IMAGE_CLONE, [v] { v->OnImageCloneImage(); });
    view.OnCommand(ID_IMAGE_CHANGE, [v] { v->OnImageChangeImage(); });
    view.OnCommand(ID_EDIT_PASTE_INTO, [v] { v->OnEditPasteInto(); });
    view.OnCommand(ID_IMAGE_CROP, [v] { v->OnImageCrop(); });
    view.OnCommand(ID_IMAGE_ANGLE, [v] { v->OnImageAngle(); });
    view.OnCommand(ID_IMAGE_OVER_COLOR, [v] { v->OnImageOverColor(); });
}
