// Item/Properties: one edit scope around the kind's dialog. Cancel gives the project back
// as it was (whatever the dialog wrote into the item through its sub-dialogs); OK brings
// the item, the canvas and the page's upload state up to date in one undo step.
#include "editor/commands/ItemProperties.h"

#include "document/EditScope.h"
#include "document/KJDoc.h"
#include "document/NewItemDefaults.h"
#include "editor/KJView.h"
#include "editor/commands/Commands.h"
#include "framework/core/MessageBox.h"
#include "framework/core/Profile.h"
#include "framework/ui/Translation.h"
#include "model/FillStyle.h"
#include "model/GroupItem.h"
#include "model/ItemTypes.h"
#include "model/Page.h"
#include "model/Picture.h"
#include "model/TextStyle.h"
#include "model/items/ArtisticTextItem.h"
#include "model/items/HeadingItem.h"
#include "model/items/ImageButtonItem.h"
#include "model/items/ImageItem.h"
#include "model/items/LinkItem.h"
#include "model/items/PayPalItem.h"
#include "model/items/SymbolItem.h"
#include "resources/CommandIds.h"

#include <algorithm>
#include <map>
#include <optional>

namespace {

constexpr unsigned kFlow = kStepFlow;
constexpr unsigned kNamed = kStepFlow | kStepNameCleaned;
constexpr unsigned kText = kStepEmptyDeletes | kStepFlow;

// Ordered by type code.
constexpr PropertiesRow kRows[] = {
    {ITEM_GROUP, "Group Properties", 0},
    {ITEM_PARAGRAPH, "Paragraph Properties", kText},
    {ITEM_INPUT_FIELD, "Input Properties", kNamed},
    {ITEM_LIST_CONTROL, "Combo Properties", kNamed},
    {ITEM_SUBMIT_BUTTON, "Button Properties", kNamed},
    {ITEM_TEXT_AREA, "Text Area Properties", kNamed},
    {ITEM_CHECK_BOX, "Checkbox Properties", kNamed},
    {ITEM_RADIO_CHOICE, "Radio Button Properties", kNamed},
    {ITEM_LINK, "Link Properties", kText | kStepCopyLook},
    {ITEM_ARTISTIC_TEXT, "Artistic Text Properties", kText | kStepPicture | kStepCopyLook},
    {ITEM_PREFORMATTED_TEXT, "Preformatted Text Properties", kText},
    {ITEM_IMAGE, "Image Properties", kStepPicture},
    {ITEM_TEXT, "Text Properties", kText},
    {ITEM_HEADING, "Header Properties", kText | kStepLateSnapshot},
    {ITEM_IMAGE_BUTTON, "Image Button Properties", kStepPicture | kFlow | kStepCopyLook},
    {ITEM_FORM, "Form Properties", kFlow},
    {ITEM_YOUTUBE, "YouTube Properties", kFlow},
    {ITEM_GOOGLE_MAP, "Google Map Properties", kFlow},
    {ITEM_VIDEO_STREAM, "Video Properties", kFlow},
    {ITEM_SHAPE, "Shape Properties", kStepPicture | kFlow},
    {ITEM_FLASH, "Flash Properties", kFlow},
    {ITEM_MARQUEE, "Marquee Properties", kFlow},
    {ITEM_PHP, "PHP Properties", kFlow},
    {ITEM_GALLERY, "Gallery Properties", 0},
    {ITEM_IMAGE_CLONE, "Clone Properties", 0},
    {ITEM_AUDIO_STREAM, "Audio Properties", 0},
    {ITEM_GIF, "Image Properties", kStepPicture},
    {ITEM_MENU, "Menu Properties", kFlow},
    {ITEM_EMAIL, "Email Properties", kFlow},
    // the button picture is drawn from the dialog's values: sent again like the others
    {ITEM_PAYPAL, "PayPal Properties", kStepPicture | kFlow},
    {ITEM_DATE_PICKER, "Date Picker Properties", kNamed},
    {ITEM_LIST, "List Properties", kFlow},
    {ITEM_TABLE, "Table Properties", kFlow},
    {ITEM_HTML, "HTML Properties", kFlow},
    {ITEM_EXTERNAL_WEBSITE, "External Website Properties", kFlow},
    {ITEM_SYMBOL, "Symbol Properties", kStepPicture | kFlow | kStepCopyLook},
    {ITEM_JAVASCRIPT, "JavaScript Properties", kFlow},
    {ITEM_SLIDER, "Slider Properties", 0},
    {ITEM_LIKE_BUTTON, "Like Properties", 0},
    {ITEM_FACEBOOK, "Facebook Properties", 0},
    {ITEM_EXTERNAL_IMAGE, "External Image Properties", 0},
    {ITEM_CATEGORIES, "Categories Properties", 0},
};

std::map<int, PropertiesDialog>& Dialogs()
{
    static std::map<int, PropertiesDialog> dialogs;
    return dialogs;
}

CGroupItem* AsGroup(CItem* item) { return dynamic_cast<CGroupItem*>(item); }

void RenderAgain(CItem& item)
{
    item.m_nUploadState = 0;
    if (auto* rendered = dynamic_cast<CImageItemBase*>(&item))
        rendered->Render(0);
}

// The other selected items of the edited item's kind in the container.
std::vector<CItem*> OthersOfKind(CKJView& view, const CItem& edited)
{
    std::vector<CItem*> out;
    for (CItem* item : view.GetSelectedItems())
        if (item != &edited && item->m_nType == edited.m_nType)
            out.push_back(item);
    return out;
}

// A Link's look, field by field: its text, destination, Allow Tags flag and transition
// time stay its own.
void CopyLinkLook(const CLinkItem& from, CLinkItem& to)
{
    to.m_nIcon = from.m_nIcon;
    to.m_crIcon = from.m_crIcon;
    to.m_nIconShading = from.m_nIconShading;
    if (from.m_pFill) {
        if (!to.m_pFill)
            to.m_pFill = std::make_unique<CFillStyle>();
        to.m_pFill->CopySettings(*from.m_pFill);
        to.m_pFill->Render(true);
    }
    if (from.m_hoverFill.IsHeld() || to.m_hoverFill.IsHeld()) {
        CFillStyle& hover = to.m_hoverFill.Edit();
        hover.CopySettings(from.m_hoverFill.Get());
        hover.Render(true);
    }
    to.m_borders[0] = from.m_borders[0];
    to.m_nPadding = from.m_nPadding;
    if (from.m_pPadding)
        to.m_pPadding = std::make_unique<CBoxSpacing>(*from.m_pPadding);
    else
        to.m_pPadding.reset();
    to.m_crText = from.m_crText;
    to.m_strFontFace = from.m_strFontFace;
    to.m_nBold = from.m_nBold;
    to.m_nItalic = from.m_nItalic;
    to.m_nDecoration = from.m_nDecoration;
    to.m_nHoverBold = from.m_nHoverBold;
    to.m_nHoverItalic = from.m_nHoverItalic;
    to.m_nHoverDecoration = from.m_nHoverDecoration;
    to.m_nFontSize = from.m_nFontSize;
    to.m_crExtra[CLinkItem::kHoverText] = from.m_crExtra[CLinkItem::kHoverText];
    to.m_crExtra[CLinkItem::kHoverBorder] = from.m_crExtra[CLinkItem::kHoverBorder];
}

// An Image Button's look but its background choice.
void CopyButtonLook(const CImageButtonItem& from, CImageButtonItem& to)
{
    to.m_lf = from.m_lf;
    to.m_crSecond = from.m_crSecond;
    to.m_crFrame = from.m_crFrame;
    to.m_nFrameWidth = from.m_nFrameWidth;
    to.m_crText = from.m_crText;
    to.m_nFrameShape = from.m_nFrameShape;
    to.m_nFrameShading = from.m_nFrameShading;
    to.m_nCaptionStyle = from.m_nCaptionStyle;
    to.m_bInnerShadow = from.m_bInnerShadow;
    to.m_bGlass = from.m_bGlass;
    to.m_crHairline = from.m_crHairline;
    to.m_bHairline = from.m_bHairline;
    to.m_nInteriorShading = from.m_nInteriorShading;
    // the size the picture is drawn at, which the box follows
    to.m_nRenderWidth = from.m_nRenderWidth;
    to.m_nRenderHeight = from.m_nRenderHeight;
    to.m_nWidth = from.m_nWidth;
    to.m_nHeight = from.m_nHeight;
}

// The kind's own steps after OK: defaults for new items, the look given to the other
// selected items of the kind, the heading's style, the PayPal id.
void OwnSteps(CKJView& view, CKJDoc& doc, CItem& item, const PropertiesRun& run, CEditScope& scope)
{
    switch (item.m_nType) {
    case ITEM_LINK: {
        for (CItem* other : OthersOfKind(view, item)) {
            CopyLinkLook(static_cast<CLinkItem&>(item), static_cast<CLinkItem&>(*other));
            other->RecalcLayout();
            scope.Touch(other);
        }
        if (run.defaultLinkStyleChanged && view.m_pCurrentPage)
            view.m_pCurrentPage->LayoutChildren();
        break;
    }
    case ITEM_ARTISTIC_TEXT:
    case ITEM_SYMBOL: {
        if (item.m_nType == ITEM_ARTISTIC_TEXT)
            SaveNewItemDefaults(static_cast<const CArtisticTextItem&>(item));
        else
            SaveNewItemDefaults(static_cast<const CSymbolItem&>(item));
        const LOGFONT font = static_cast<CImageItemBase&>(item).m_lf;
        for (CItem* other : OthersOfKind(view, item)) {
            view.InvalidateItem(other);
            static_cast<CImageItemBase*>(other)->m_lf = font;
            RenderAgain(*other);
            other->RecalcLayout();
            scope.Touch(other);
        }
        break;
    }
    case ITEM_IMAGE_BUTTON: {
        auto& button = static_cast<CImageButtonItem&>(item);
        SaveNewItemDefaults(button);
        for (CItem* other : OthersOfKind(view, item)) {
            view.InvalidateItem(other);
            view.InvalidateHandles(other);
            CopyButtonLook(button, static_cast<CImageButtonItem&>(*other));
            RenderAgain(*other);
            other->RecalcLayout();
            view.InvalidateItem(other);
            view.InvalidateHandles(other);
            scope.Touch(other);
        }
        break;
    }
    case ITEM_PAYPAL:
        WriteProfileString("Current", "PayPalID", static_cast<CPayPalItem&>(item).m_strBusiness);
        break;
    case ITEM_HEADING: {
        const int level = std::clamp(static_cast<CHeadingItem&>(item).m_nLevel, 0, 5);
        item.m_pBaseStyle = &doc.m_styles.m_styles[level];
        break;
    }
    default:
        break;
    }
}

void RedrawWhole(CKJView& view)
{
    ++view.m_nRedrawCount;
    view.repaint();
}

} // namespace

const PropertiesRow* FindPropertiesRow(int type)
{
    for (const PropertiesRow& row : kRows)
        if (row.type == type)
            return &row;
    return nullptr;
}

PropertiesDialog SetPropertiesDialog(int type, PropertiesDialog dialog)
{
    PropertiesDialog previous;
    auto found = Dialogs().find(type);
    if (found != Dialogs().end()) {
        previous = std::move(found->second);
        Dialogs().erase(found);
    }
    if (dialog)
        Dialogs()[type] = std::move(dialog);
    return previous;
}

bool HasPropertiesDialog(int type) { return Dialogs().count(type) != 0; }

void RunItemProperties(CKJView& view)
{
    CKJDoc* doc = view.GetProject();
    CItem* item = view.m_pContainer ? view.GetSelectedItem() : nullptr;
    if (!doc || !item)
        return;
    const PropertiesRow* row = FindPropertiesRow(item->m_nType);
    auto found = Dialogs().find(item->m_nType);
    if (!row || found == Dialogs().end())
        return;
    const PropertiesDialog dialog = found->second; // the step may replace the registration
    view.ClearInteraction();

    const bool several = view.CountSelected() > 1;
    // A look copied to other selected items changes them too: the container's snapshot
    // brings all of them back with one Undo.
    CItem* snapshotOf = (row->steps & kStepCopyLook) && several ? nullptr : item;
    const std::size_t textures = doc->m_textures.size();
    std::optional<CEditScope> scope;
    auto begin = [&] {
        if (!scope)
            scope.emplace(*doc, view.m_pCurrentPage, view.m_pContainer, snapshotOf, row->undo);
    };
    PropertiesRun run{view, *item, begin};
    run.severalSelected = several;
    if (!(row->steps & kStepLateSnapshot))
        begin();

    const int result = dialog(run);
    const bool handOver = (result == kImageResultChange || result == kImageResultPasteInto) &&
                          (item->m_nType == ITEM_IMAGE || item->m_nType == ITEM_GIF);
    if (result != IDOK && !handOver) {
        if (scope) {
            // textures made in a sub-dialog belong to no snapshot
            if (doc->m_textures.size() > textures)
                doc->m_textures.resize(textures);
            scope->Cancel();
            view.ResetViewPointers();
        }
        return;
    }
    begin(); // a late step that changed nothing still ends in its scope

    view.InvalidateSelection();
    if (item->m_nType == ITEM_IMAGE || item->m_nType == ITEM_GIF) {
        auto& image = static_cast<CImageItem&>(*item);
        if (run.exportJpeg && !image.m_bJpegSource && !SaveItemPictureTempJpeg(image))
            AfxMessageBox(UiTranslate("Error writing JPEG file"), MB_ICONSTOP);
    }
    if ((row->steps & kStepEmptyDeletes) && item->m_strText.IsEmpty()) {
        // the properties step stays below the deletion's own
        scope->Touch(item);
        scope.reset();
        view.OnEditDelete();
        return;
    }
    if (row->steps & kStepNameCleaned) {
        const CString name = item->m_strName;
        SetSafeItemName(*item, name);
    }
    if (row->steps & kStepPicture)
        RenderAgain(*item);
    item->RecalcLayout();
    view.InvalidateSelection();
    scope->Touch(item);
    OwnSteps(view, *doc, *item, run, *scope);
    if ((row->steps & kStepFlow) && !item->m_bPositioned) {
        if (CGroupItem* group = AsGroup(view.m_pContainer))
            group->LayoutChildren();
        RedrawWhole(view);
    } else if (row->steps & kStepCopyLook && several) {
        RedrawWhole(view);
    }
    view.update();
    scope.reset();
    if (handOver)
        view.PostViewCommand(result == kImageResultChange ? ID_IMAGE_CHANGE : ID_EDIT_PASTE_INTO);
}
