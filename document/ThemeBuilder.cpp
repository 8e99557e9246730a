// The Website Wizard's sample site: bands with logo and top menu, home page, menu pages,
// a master with links to the optional subpages, and the subpages.
#include "document/ImageItemImport.h"
#include "document/KJDoc.h"
#include "document/WizardState.h"
#include "model/HeaderFooterItem.h"
#include "model/MasterItem.h"
#include "model/Page.h"
#include "model/Translate.h"
#include "model/items/ArtisticTextItem.h"
#include "model/items/GalleryItem.h"
#include "model/items/GoogleMapItem.h"
#include "model/items/HeadingItem.h"
#include "model/items/ImageButtonItem.h"
#include "model/items/ImageItem.h"
#include "model/items/LinkItem.h"
#include "model/items/MenuItem.h"
#include "model/items/ParagraphItem.h"
#include "model/items/ShapeItem.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace {
// Where "Find your Longitude and Latitude" leads.
constexpr const char* kLatLongAddress = "https://www.latlong.net/";

constexpr const char* kLorem =
    "Lorem ipsum dolor sit amet, consectetur adipisicing elit, sed do eiusmod tempor incididunt ut labore et "
    "dolore magna aliqua. Ut enim ad minim veniam, quis nostrud exercitation ullamco laboris nisi ut aliquip ex "
    "ea commodo consequat. Duis aute irure dolor in reprehenderit in voluptate velit esse cillum dolore eu fugiat "
    "nulla pariatur. Nemo enim ipsam voluptatem quia voluptas sit aspernatur aut odit aut fugit. Quis autem vel "
    "eum iure reprehenderit qui in ea voluptate velit esse quam nihil molestiae consequatur?";

} // namespace

void CKJDoc::BuildThemeWebsite(CWizardState& state)
{
    auto S = [&](int v) { return state.ScaleBySizeMode(v); };
    const int mode = state.sizeMode;

    // 1-3: frame, colours and the browser background.
    m_nPreviewFrame = mode == 0 ? 2 : (mode == 1 ? 1 : 0);
    if (mode == 0)
        state.generalStyle = 0;
    const bool dark = state.generalStyle == 0;
    m_websiteBackground.m_crStart = dark ? 0x000000 : 0xFFFFFF;
    m_styles.m_base.m_crText = dark ? 0xFFFFFF : 0x000000;
    if (mode == 0)
        m_styles.m_base.m_nSize = 8;
    else if (mode == 2)
        m_styles.m_base.m_nSize = 10;
    m_websiteBackground.m_crColor = 0x808080;
    m_websiteBackground.m_nKind = CFillStyle::KindGradient;
    m_websiteBackground.m_nLength = 700;
    m_websiteBackground.Render(true);

    // 4-5.
    state.menuButtons.clear();
    m_styles.m_base.m_strFamily = state.GetFontName();

    // 6: home.
    CPage* home = AddPage(nullptr, nullptr);
    m_allPagesBackground.m_crColor = dark ? 0x000000 : 0xFFFFFF;
    if (mode == 0)
        m_allPagesBackground.m_crColor = 0xFF000000;
    m_nPageWidth = S(900);
    home->m_title = Translate("Home Page").GetString();
    home->m_strBaseName = "index";
    const int homeId = home->m_nSerial;

    // 7: header band with the logo.
    auto makeBand = [&](const char* name) {
        auto band = std::make_unique<CHeaderFooterItem>();
        band->m_pStretch = &m_bStretchToBrowser;
        band->m_pCenter = &m_bCenterInBrowser;
        band->m_nWidth = m_nPageWidth;
        band->m_nHeight = S(100);
        band->m_bPositioned = 0;
        band->m_nOverflow = 3;
        band->m_strName = name;
        BindObject(*band);
        return band;
    };
    auto header = makeBand("Main Header");

    auto* logo = new CArtisticTextItem();
    logo->SetSiteStyles(&m_styles);
    logo->m_strName = "logo";
    logo->m_nInteriorShading = 0;
    logo->m_crText = state.accentColour;
    logo->m_strText = state.companyName.GetString();
    logo->m_lf.lfHeight = S(-20);
    logo->m_nX = S(60);
    logo->m_nY = S(35);
    logo->m_link.SetPageLink(homeId);
    state.companyItem = logo;
    RerenderWizardItem(*logo);
    header->InsertChild(0, logo);

    auto* shape = new CShapeItem();
    shape->SetSiteStyles(&m_styles);
    shape->m_nX = 0;
    shape->m_nY = S(25);
    shape->m_nRenderWidth = shape->m_nRenderHeight = S(50);
    shape->m_nFrameShape = 9;
    shape->m_crSecond = 0xFFFFFF;
    shape->m_crFrame = state.accentColour;
    shape->m_nFrameWidth = S(4);
    shape->m_crGradient = 0x00A0A0;
    shape->m_nFill = 2;
    shape->m_link.SetPageLink(homeId);
    RerenderWizardItem(*shape);
    state.logoShape = shape;
    header->InsertChild(0, shape);
    header->RecalcLayout();

    // 8: the drop-down menu.
    if (state.dropDownMenu) {
        header->m_nHeight += 35;
        auto* menu = new CMenuItem();
        menu->m_strName = TakeItemName("Menu%d");
        if (menu->m_pFill)
            menu->m_pFill->m_crColor = 0x181818;
        menu->m_borders[0].m_color = 0xCCCCCC;
        menu->m_borders[0].m_nWidth = 0;
        auto entry = [&](const CString& caption, int number) {
            auto e = std::make_unique<CMenuEntry>();
            e->m_strCaption = caption.GetString();
            e->m_link.SetPageLink(homeId);
            e->m_nNumber = number;
            return e;
        };
        menu->m_topEntries.push_back(entry("Home", 0));
        for (int i = 1; i <= 4; ++i) {
            menu->m_topEntries.push_back(entry(CString::Formatted("Menu %d", i), i));
            for (const char* sub : {"More Items Here", "Another Subitem", "Double click to edit"})
                menu->m_dropEntries.push_back(entry(sub, i));
        }
        menu->m_pBaseStyle = &m_styles.m_base;
        menu->m_pLinkStyle = &m_styles.m_link;
        menu->m_nX = 0;
        menu->m_nWidth = header->m_nWidth;
        menu->RecalcLayout();
        menu->m_nY = header->m_nHeight - menu->m_nHeight;
        header->AddChild(menu);
    }

    // 9.
    home->m_pHeaderBand = header.get();
    home->m_nHeaderBandId = header->m_nSerial;
    CHeaderFooterItem* headerBand = header.get();
    m_headerBands.push_back(std::move(header));

    // 10: footer band.
    auto footer = makeBand("Main Footer");
    home->m_borders[BORDER_BOTTOM].m_color = 0x808080;
    home->m_borders[BORDER_BOTTOM].m_nWidth = 1;
    home->m_borders[BORDER_BOTTOM].m_nStyle = 1;
    CParagraphItem* copyright = NewParagraph();
    copyright->m_strText = Translate("© Copyright. Double click to edit, the footer will appear on all pages.").GetString();
    copyright->m_nX = S(12);
    copyright->m_nY = S(6);
    copyright->m_nWidth = S(800);
    footer->InsertChild(0, copyright);
    footer->RecalcLayout();
    home->m_pFooterBand = footer.get();
    home->m_nFooterBandId = footer->m_nSerial;
    m_footerBands.push_back(std::move(footer));

    // 11: main picture.
    if (CImageItem* picture = CreateImageItemFromFile(*this, state.wizardFolder + "theme/abstract.jpg")) {
        ResizeItemPicture(*picture, S(900), S(300));
        RerenderWizardItem(*picture);
        home->AddChild(picture);
        state.mainImage = picture;
    }

    // 12: heading sizes.
    const int headingSizes[5] = {28, 18, 18, 12, 12};
    for (int i = 0; i < 5; ++i)
        m_styles.m_styles[i].m_nSize = S(headingSizes[i]);

    // 13: "Start".
    CWString startTitle;
    startTitle = "Start";
    CPage* start = AddPage(home, &startTitle);
    CParagraphItem* intro = NewParagraph();
    intro->m_nX = S(8);
    intro->m_nY = S(180);
    intro->m_strText = (Translate("You have only seconds to attract visitor's attention.") + "\r\n\r\n"
                        + Translate("Use simple language to point out the value of your website.") + "\r\n\r\n")
                           .GetString();
    start->AddChild(intro);

    // 14: main button.
    auto* button = new CImageButtonItem();
    button->SetSiteStyles(&m_styles);
    button->m_strName = "Start";
    button->m_strText = Translate("START HERE").GetString();
    SetLogFontFace(button->m_lf, "Arial Black");
    button->m_lf.lfHeight = S(-16);
    state.GiveButtonLook(*button);
    button->m_crHoverFace = state.overColour;
    button->m_nFrameWidth = state.borderWidth;
    button->m_nRenderWidth = S(180);
    button->m_nRenderHeight = S(60);
    button->m_nX = S(690);
    button->m_nY = S(120);
    button->m_link.SetPageLink(start->m_nSerial);
    RerenderWizardItem(*button);
    state.mainButton = button;
    home->AddChild(button);

    // 15: the top menu pages and their buttons.
    for (int i = 0; i < 6; ++i) {
        CPage* page = AddPage(home, &state.menuWords[i]);
        auto* b = new CImageButtonItem();
        b->SetSiteStyles(&m_styles);
        b->m_strText = page->m_title;
        SetLogFontFace(b->m_lf, "Arial");
        b->m_lf.lfHeight = S(-16);
        state.GiveButtonLook(*b);
        b->m_crHoverFace = state.overColour;
        b->m_nFrameWidth = S(state.borderWidth);
        headerBand->AddChild(b);
        state.menuButtons.push_back(b);
        b->m_link.SetPageLink(page->m_nSerial);
        RerenderWizardItem(*b);
    }
    state.ApplyWizardMenuStyle();

    // 16: slogan.
    auto* slogan = new CArtisticTextItem();
    slogan->SetSiteStyles(&m_styles);
    slogan->m_strName = "slogan";
    slogan->m_nGradient = 1;
    slogan->m_nFrameWidth = 0;
    slogan->m_nInteriorShading = 0;
    slogan->m_nShadowKind = 1;
    slogan->m_nShadowOffset = 2;
    slogan->m_nShadowBlur = 2;
    slogan->m_crText = state.sloganColour;
    slogan->m_strText = state.slogan.GetString();
    slogan->m_lf.lfHeight = S(-48);
    SetLogFontFace(slogan->m_lf, state.sloganFont.GetString());
    RerenderWizardItem(*slogan);
    slogan->m_nX = S(870) - slogan->m_nWidth;
    slogan->m_nY = S(270) - slogan->m_nHeight;
    home->AddChild(slogan);
    state.sloganItem = slogan;

    // 17: home page texts.
    auto heading = [&](int level, const CString& text, int x, int y) {
        auto* h = new CHeadingItem();
        h->m_nLevel = level - 1;
        h->SetSiteStyles(&m_styles);
        h->m_pBaseStyle = &m_styles.m_styles[level - 1];
        h->m_strText = text.GetString();
        h->m_nX = x;
        h->m_nY = y;
        h->m_bPositioned = 1;
        h->RecalcLayout();
        home->AddChild(h);
    };
    auto paragraph = [&](const char* text, int x, int y, int width) {
        CParagraphItem* p = NewParagraph();
        p->m_strText = text;
        p->m_nX = x;
        p->m_nY = y;
        p->m_nWidth = width;
        p->m_bPositioned = 1;
        p->RecalcLayout();
        home->AddChild(p);
    };
    const int small = mode == 0 ? 20 : 0;
    heading(1, Translate("Welcome to our website"), S(16), S(308));
    heading(2, Translate("Headings improve your rank in search engine listings."), S(16), S(360));
    heading(3, Translate("Latest News"), S(16), S(410));
    heading(4, Translate("Upcoming Events"), S(16), S(455));
    paragraph("Excepteur sint occaecat cupidatat non proident, sunt in culpa qui officia deserunt mollit anim id.",
              S(16), S(480), S(220));
    heading(4, Translate("New Products"), S(16), S(540) + small);
    paragraph("Sed ut perspiciatis unde omnis iste natus error sit voluptatem accusantium doloremque.", S(16),
              S(565) + small, S(220));
    heading(3, Translate("About Us"), S(290), S(410));
    paragraph(kLorem, S(290), S(455), S(345));
    heading(3, Translate("Categories"), S(680), S(410));

    // 18: the master of every page made so far.
    auto master = std::make_unique<CMasterItem>();
    CMasterItem* m = master.get();
    m->m_strName = "Master 1";
    m->m_nWidth = m_nPageWidth;
    BindObject(*m);
    m->m_nHeight = 700;
    m_masters.push_back(std::move(master));
    for (auto& page : m_pages) {
        page->m_pMaster1 = m;
        page->m_nMaster1Id = m->m_nSerial;
    }

    // 19-20: link column and the subpages.
    struct Sub {
        int want;
        const char* text;
    };
    const Sub subs[] = {{state.wantDiscounts, "Special Discounts"}, {state.wantVideos, "Videos"},
                        {state.wantGallery, "Photo Gallery"},       {state.wantPrices, "Price Lists"},
                        {state.wantDirections, "Driving Directions"}, {1, "More Resources"}};
    int y = S(455);
    for (const Sub& sub : subs) {
        if (!sub.want)
            continue;
        CWString title;
        title = Translate(sub.text).GetString();
        auto* link = new CLinkItem();
        link->m_nIcon = 8;
        link->m_pBaseStyle = &m_styles.m_base;
        link->m_pLinkStyle = &m_styles.m_link;
        link->m_strText = title;
        link->m_nX = S(680);
        link->m_nY = y;
        m->AddChild(link);
        y += 25;
        CPage* page = AddPage(home, &title);
        link->m_link.SetPageLink(page->m_nSerial);
        link->RecalcLayout();
        if (std::strcmp(sub.text, "Driving Directions") == 0) {
            auto* map = new CGoogleMapItem();
            map->m_strName = "contactmap";
            map->SetDefaultCentre();
            map->m_nX = S(250);
            map->m_nY = 90;
            map->m_nWidth = S(400);
            map->m_strText = Translate("Our company is here").GetString();
            map->RecalcLayout();
            page->AddChild(map);
            auto* lookup = new CLinkItem();
            lookup->m_link.m_nKind = kLinkAddress;
            lookup->m_link.m_strUrl = kLatLongAddress;
            lookup->m_link.m_bNewWindow = 1;
            lookup->m_nIcon = 26;
            lookup->m_pBaseStyle = &m_styles.m_base;
            lookup->m_pLinkStyle = &m_styles.m_link;
            lookup->m_strText = Translate("Find your Longitude and Latitude").GetString();
            lookup->m_nX = S(400);
            lookup->m_nY = S(500);
            lookup->RecalcLayout();
            page->AddChild(lookup);
        }
    }

    // 21.
    m->LayoutChildren();
    ApplyPageWidth();
    // Texts measured with the fonts at hand may run longer than the sample layout allows:
    // a page grows rather than let its content run into the footer.
    for (auto& page : m_pages) {
        int bottom = 0;
        for (const auto& child : page->GetChildren())
            if (child->m_bPositioned)
                bottom = std::max(bottom, child->m_nY + child->m_nHeight);
        if (bottom + 20 > page->m_nHeight)
            page->m_nHeight = bottom + 20;
    }
}
