// The dialog step of each item kind whose dialog the designer has: the dialog is lent the
// item (the edit scope restores it on Cancel) or filled with copies that go back on OK.
#include "editor/commands/ItemProperties.h"
#include "editor/commands/InsertCommands.h"

#include "dialogs/ArtisticTextDialogs.h"
#include "dialogs/CodeTextDialogs.h"
#include "dialogs/EditText.h"
#include "dialogs/ImageButtonDialog.h"
#include "dialogs/ImageDialogs.h"
#include "dialogs/ItemDialogRunner.h"
#include "dialogs/LinkItemDialogs.h"
#include "dialogs/PhpDialogs.h"
#include "dialogs/SiteListDialogs.h"
#include "dialogs/SmallItemDialogs.h"
#include "dialogs/SmallPropertyDialogs.h"
#include "dialogs/WidgetDialogs.h"
#include "document/EditScope.h"
#include "document/KJDoc.h"
#include "editor/KJView.h"
#include "model/ItemTypes.h"
#include "model/Page.h"
#include "model/items/AudioStreamItem.h"
#include "model/items/CategoriesItem.h"
#include "model/items/ExternalImageItem.h"
#include "model/items/FacebookItem.h"
#include "model/items/FlashItem.h"
#include "model/items/GoogleMapItem.h"
#include "model/items/HeadingItem.h"
#include "model/items/ImageCloneItem.h"
#include "model/items/ImageItem.h"
#include "model/items/InputFieldItem.h"
#include "model/items/LikeButtonItem.h"
#include "model/items/LinkItem.h"
#include "model/items/ListItem.h"
#include "model/items/MarqueeItem.h"
#include "model/items/ParagraphItem.h"
#include "model/items/PayPalItem.h"
#include "model/items/SymbolItem.h"

#include <algorithm>

namespace {

template <class T> T& As(CItem& item) { return static_cast<T&>(item); }

// A dialog lent the item (and the document when it takes one).
template <class D, class T> void Lend(int type)
{
    SetPropertiesDialog(type, [](PropertiesRun& run) {
        D dlg(&run.view);
        dlg.m_pItem = &As<T>(run.item);
        if constexpr (requires { dlg.m_pDoc; })
            dlg.m_pDoc = run.view.GetProject();
        return int(dlg.DoModal());
    });
}

// A code dialog on a copy of the item's text.
template <class D> void CodeCopy(int type)
{
    SetPropertiesDialog(type, [](PropertiesRun& run) {
        D dlg(&run.view);
        dlg.m_strCode = run.item.m_strText;
        const int result = int(dlg.DoModal());
        if (result == IDOK)
            run.item.m_strText = dlg.m_strCode;
        return result;
    });
}

} // namespace

void RegisterItemPropertiesDialogs()
{
    Lend<DDiv, CGroupItem>(ITEM_GROUP);
    Lend<DEditText, CParagraphItem>(ITEM_PARAGRAPH);
    SetPropertiesDialog(ITEM_INPUT_FIELD, [](PropertiesRun& run) {
        DInputField dlg(&run.view);
        dlg.m_pItem = &As<CInputFieldItem>(run.item);
        dlg.m_pDoc = run.view.GetProject();
        dlg.m_pGroup = run.view.m_pCurrentPage;
        return int(dlg.DoModal());
    });
    SetPropertiesDialog(ITEM_LINK, [](PropertiesRun& run) {
        DLinkItem dlg(&run.view);
        dlg.m_pItem = &As<CLinkItem>(run.item);
        CKJDoc* doc = run.view.GetProject();
        dlg.m_pDoc = doc;
        dlg.m_bTextLocked = run.severalSelected ? 1 : 0;
        const int result = int(dlg.DoModal());
        if (result == IDOK && dlg.m_bDefaultStyleChanged && doc) {
            // the site's link style changed with it: every page and the stylesheet
            run.defaultLinkStyleChanged = true;
            CEditScope site(*doc);
            site.TouchSite();
            site.TouchStylesheet();
            doc->ApplyPageWidth();
        }
        return result;
    });
    SetPropertiesDialog(ITEM_ARTISTIC_TEXT, [](PropertiesRun& run) {
        DArtisticText dlg(&run.view);
        dlg.m_pItem = &As<CArtisticTextItem>(run.item);
        const int result = int(dlg.DoModal());
        if (result == IDOK)
            dlg.SaveDefaults();
        return result;
    });
    SetPropertiesDialog(ITEM_SYMBOL, [](PropertiesRun& run) {
        DSymbol dlg(&run.view);
        dlg.m_pItem = &As<CSymbolItem>(run.item);
        const int result = int(dlg.DoModal());
        if (result == IDOK)
            dlg.SaveDefaults();
        return result;
    });
    for (int type : {ITEM_IMAGE, ITEM_GIF})
        SetPropertiesDialog(type, [](PropertiesRun& run) {
            auto& image = As<CImageItem>(run.item);
            DImage dlg(&run.view);
            dlg.m_pItem = &image;
            dlg.m_pDoc = run.view.GetProject();
            dlg.m_bExportJpeg = image.m_bJpegSource;
            const int result = int(dlg.DoModal());
            run.exportJpeg = dlg.m_bExportJpeg != 0;
            return result;
        });
    Lend<DImageClone, CImageCloneItem>(ITEM_IMAGE_CLONE);
    SetPropertiesDialog(ITEM_HEADING, [](PropertiesRun& run) {
        auto& heading = As<CHeadingItem>(run.item);
        DHeading dlg(&run.view);
        dlg.m_text = heading.m_strText;
        dlg.m_bAllowTags = heading.m_bRawText;
        dlg.m_nLevel = std::clamp(heading.m_nLevel, 0, 5);
        const int result = int(dlg.DoModal());
        if (result != IDOK)
            return result;
        run.BeginEdit(); // a cancelled heading leaves no undo step at all
        heading.m_strText = dlg.m_text;
        heading.m_bRawText = dlg.m_bAllowTags;
        heading.m_nLevel = std::clamp(dlg.m_nLevel, 0, 5);
        return result;
    });
    Lend<DImageButton, CImageButtonItem>(ITEM_IMAGE_BUTTON);
    Lend<DGoogleMap, CGoogleMapItem>(ITEM_GOOGLE_MAP);
    Lend<DFlash, CFlashItem>(ITEM_FLASH);
    Lend<DMarquee, CMarqueeItem>(ITEM_MARQUEE);
    CodeCopy<DPhpCode>(ITEM_PHP);
    Lend<DAudioStream, CAudioStreamItem>(ITEM_AUDIO_STREAM);
    Lend<DPayPal, CPayPalItem>(ITEM_PAYPAL);
    Lend<DList, CListItem>(ITEM_LIST);
    SetPropertiesDialog(ITEM_HTML, [](PropertiesRun& run) {
        CKJDoc* doc = run.view.GetProject();
        DHtml dlg(&run.view);
        dlg.m_strCode = run.item.m_strText;
        dlg.m_crText = doc->m_crLastHtmlText;
        const int result = int(dlg.DoModal());
        if (result == IDOK) {
            doc->m_crLastHtmlText = dlg.m_crText;
            run.item.m_strText = dlg.m_strCode;
        }
        return result;
    });
    SetPropertiesDialog(ITEM_EXTERNAL_WEBSITE, [](PropertiesRun& run) {
        DExternalWebsite dlg(&run.view);
        dlg.m_strSource = run.item.m_strText;
        const int result = int(dlg.DoModal());
        if (result == IDOK)
            run.item.m_strText = dlg.m_strSource;
        return result;
    });
    CodeCopy<DJavaScript>(ITEM_JAVASCRIPT);
    SetPropertiesDialog(ITEM_LIKE_BUTTON, [](PropertiesRun& run) {
        auto& like = As<CLikeButtonItem>(run.item);
        DLikeButton dlg(&run.view);
        dlg.m_strPage = like.m_strPage;
        dlg.m_nStyle = like.m_nColorScheme;
        dlg.m_nLayout = like.m_nLayout;
        const int result = int(dlg.DoModal());
        if (result == IDOK) {
            like.m_strPage = dlg.m_strPage;
            like.m_nColorScheme = dlg.m_nStyle;
            like.m_nLayout = dlg.m_nLayout;
        }
        return result;
    });
    SetPropertiesDialog(ITEM_FACEBOOK, [](PropertiesRun& run) {
        auto& box = As<CFacebookItem>(run.item);
        DFacebook dlg(&run.view);
        dlg.m_strChannel = box.m_strPage;
        dlg.m_bStream = box.m_nStream;
        dlg.m_bFaces = box.m_nShowFaces;
        dlg.m_nStyle = box.m_nColorScheme;
        dlg.m_crBorder = box.m_crBorder;
        const int result = int(dlg.DoModal());
        if (result == IDOK) {
            box.m_strPage = dlg.m_strChannel;
            box.m_nStream = dlg.m_bStream;
            box.m_nShowFaces = dlg.m_bFaces;
            box.m_nColorScheme = dlg.m_nStyle;
            box.m_crBorder = dlg.m_crBorder;
        }
        return result;
    });
    Lend<DExternalImage, CExternalImageItem>(ITEM_EXTERNAL_IMAGE);
    Lend<DCategories, CCategoriesItem>(ITEM_CATEGORIES);
    // Galleries, tables, sliders, menus, forms, form fields and the small items: one runner
    // knows their dialogs; names must be unique within the page shown.
    for (int type = 0; type < 64; ++type)
        if (HasItemPropertiesDialog(type) && FindPropertiesRow(type))
            SetPropertiesDialog(type, [](PropertiesRun& run) {
                return RunItemPropertiesDialog(run.item, run.view.GetProject(), run.view.m_pCurrentPage, &run.view);
            });

    // Insert/Image and Insert/Button: which picture to clone, or where a new one comes from
    SetImageChoiceDialog([](CKJView& view, const std::vector<CItem*>& candidates, const CString& loadLabel,
                            CItem*& chosen) {
        DInsertImage dlg(&view);
        dlg.m_candidates = candidates;
        dlg.m_strLoadCaption = loadLabel;
        dlg.m_pChosen = chosen;
        const int result = int(dlg.DoModal());
        chosen = result == IDOK ? dlg.m_pChosen : nullptr;
        return result;
    });
}
