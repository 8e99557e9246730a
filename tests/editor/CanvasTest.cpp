// The canvas painted into an image: page, bands, master, items, grid, guides, handles
// and frames at sampled pixels.
#include "EditorTestSupport.h"

#include "model/HeaderFooterItem.h"
#include "model/MasterItem.h"
#include "model/Page.h"

#include <gtest/gtest.h>
#include <tuple>

using namespace edtest;

namespace {
// Scrolls so that the page point lies at the client's top-left corner.
void ScrollTo(CKJView& view, int x, int y)
{
    const CPoint origin = view.GetPageOrigin();
    view.ScrollToPosition(CPoint(origin.x + x, origin.y + y));
}

constexpr COLORREF kPage = RGB(240, 230, 200);
constexpr COLORREF kHeader = RGB(30, 90, 160);
constexpr COLORREF kFooter = RGB(90, 40, 40);
constexpr COLORREF kBrowser = RGB(200, 220, 200);
constexpr COLORREF kMasterBox = RGB(10, 150, 10);
constexpr COLORREF kItem = RGB(160, 20, 160);
const QRgb kDarkGrey = qRgb(64, 64, 64);

// A 400 x 300 page with a header and a footer band of 40, a master with one box and one
// selected item on the page.
struct Site {
    Site()
    {
        doc.m_nPreviewFrame = 0;
        doc.m_bShowGuides = 0;
        doc.m_websiteBackground.m_crColor = kBrowser;
        page = AddPage(doc, 400, 300, kPage);
        page->m_pHeaderBand = AddBand(doc, true, 400, 40, kHeader);
        page->m_pFooterBand = AddBand(doc, false, 400, 40, kFooter);
        master = AddMaster(doc, 400, 300);
        AddBox(*master, 300, 200, 50, 50, kMasterBox);
        page->m_pMaster1 = master;
        item = AddBox(*page, 20, 20, 100, 60, kItem);
        item->m_bSelected = 1;
    }
    CKJDoc doc;
    CPage* page;
    CMasterItem* master;
    CGroupItem* item;
};
} // namespace

TEST(Canvas, PageWithBandsMasterItemsAndHandles)
{
    Site site;
    ViewFixture f(site.doc);
    const QImage image = f.view.RenderClient();
    const struct { int x, y; QRgb expected; const char* what; } samples[] = {
        {200, 150, Rgb(kPage), "page body"},
        {200, -20, Rgb(kHeader), "header band above the page"},
        {200, 320, Rgb(kFooter), "footer band below the page"},
        {320, 220, Rgb(kMasterBox), "master item"},
        {60, 50, Rgb(kItem), "page item"},
        {-50, 150, Rgb(kBrowser), "browser area beside the page (424 + 200 wide)"},
        {-111, 150, Rgb(kBrowser), "left edge of the browser area"},
        {-113, 150, kDarkGrey, "canvas left of the browser area"},
        {200, -41, kDarkGrey, "canvas above the header"},
        {15, 15, qRgb(255, 255, 255), "inside handle 1"},
        {12, 12, qRgb(0, 0, 0), "outline of handle 1"},
        {124, 84, qRgb(255, 255, 255), "inside handle 4"},
        {70, 16, qRgb(255, 255, 255), "inside handle 7 (top middle)"},
        {66, 16, qRgb(0, 0, 0), "outline of handle 7"},
    };
    for (const auto& s : samples)
        EXPECT_EQ(ViewFixture::At(image, f.view, s.x, s.y), s.expected) << s.what;
}

TEST(Canvas, UnselectedItemsHaveNoHandles)
{
    Site site;
    site.item->m_bSelected = 0;
    ViewFixture f(site.doc);
    const QImage image = f.view.RenderClient();
    EXPECT_EQ(ViewFixture::At(image, f.view, 15, 15), Rgb(kPage));
}

TEST(Canvas, HeaderInFrontCoversThePage)
{
    Site site;
    // A header taller than its place above the page reaches into it only when in front.
    site.page->m_pHeaderBand->m_nHeight = 40;
    auto* overlap = AddBox(*site.page->m_pHeaderBand, 0, 30, 400, 30, RGB(250, 250, 0));
    overlap->m_nY = 30;
    for (int z : {0, 1, 100, -1}) {
        site.page->m_nHeaderZIndex = z;
        ViewFixture f(site.doc);
        const QImage image = f.view.RenderClient();
        // Band box rows 30..59 of the band are page rows -10..19.
        EXPECT_EQ(ViewFixture::At(image, f.view, 200, 5), z > 0 ? qRgb(250, 250, 0) : Rgb(kPage)) << z;
        EXPECT_EQ(ViewFixture::At(image, f.view, 200, -5), qRgb(250, 250, 0)) << "above the page it always shows";
    }
}

TEST(Canvas, GridInvertsPixelsAtEveryStep)
{
    Site site;
    site.doc.m_bGridOn = 1;
    site.doc.m_nGridX = 50;
    site.doc.m_nGridY = 40;
    site.item->m_bSelected = 0;
    ViewFixture f(site.doc);
    const QImage image = f.view.RenderClient();
    const QRgb inverted = Rgb(kPage) ^ 0x00FFFFFFu;
    const struct { int x, y; QRgb expected; } samples[] = {
        {50, 120, inverted}, {200, 160, inverted}, {350, 280, inverted}, {51, 120, Rgb(kPage)}, {50, 121, Rgb(kPage)},
        {10, 10, Rgb(kPage)},      // the grid starts one step in
        {400, 120, Rgb(kBrowser)}, // and stops before the right edge
        {350, 300, Rgb(kFooter)},  // and the bottom
    };
    for (const auto& s : samples)
        EXPECT_EQ(ViewFixture::At(image, f.view, s.x, s.y), s.expected) << s.x << "," << s.y;
}

TEST(Canvas, GridStepsFromAFileAreClamped)
{
    const struct { int stored, used; } cases[] = {{0, 5}, {1, 5}, {-7, 5}, {5, 5}, {37, 37}, {100, 100}, {1000, 100}};
    for (const auto& c : cases) {
        Site site;
        site.doc.m_bGridOn = 1;
        site.doc.m_nGridX = c.stored;
        site.doc.m_nGridY = c.stored;
        site.item->m_bSelected = 0;
        ViewFixture f(site.doc);
        EXPECT_EQ(f.view.GetGridStepX(), c.used) << c.stored;
        EXPECT_EQ(f.view.GetGridStepY(), c.used) << c.stored;
        const QImage image = f.view.RenderClient();
        const QRgb inverted = Rgb(kPage) ^ 0x00FFFFFFu;
        EXPECT_EQ(ViewFixture::At(image, f.view, c.used, 120 - 120 % c.used + c.used), inverted) << c.stored;
        EXPECT_EQ(ViewFixture::At(image, f.view, c.used - 1, 150), Rgb(kPage)) << c.stored;
    }
}

TEST(Canvas, GuidesAreDottedBlueLinesAcrossTheCanvas)
{
    Site site;
    site.doc.m_bShowGuides = 1;
    auto vertical = std::make_unique<CGuide>();
    vertical->m_nPosition = 150;
    vertical->m_bVertical = 1;
    auto horizontal = std::make_unique<CGuide>();
    horizontal->m_nPosition = 120;
    horizontal->m_bHorizontal = 1;
    site.doc.m_guides.push_back(std::move(vertical));
    site.doc.m_guides.push_back(std::move(horizontal));
    ViewFixture f(site.doc);
    const QImage image = f.view.RenderClient();
    auto blueAlong = [&](bool vertical, int at, int from, int to) {
        int blue = 0, other = 0;
        for (int i = from; i < to; ++i) {
            const QRgb p = vertical ? ViewFixture::At(image, f.view, at, i) : ViewFixture::At(image, f.view, i, at);
            (p == qRgb(0, 0, 255) ? blue : other) += 1;
        }
        return std::make_pair(blue, other);
    };
    // Dotted: about half the pixels blue, on the page and far outside it.
    for (auto [vert, at, from, to] : {std::tuple{true, 150, 100, 200}, std::tuple{true, 150, -250, -150},
                                      std::tuple{false, 120, 140, 240}, std::tuple{false, 120, -300, -200}}) {
        auto [blue, other] = blueAlong(vert, at, from, to);
        EXPECT_GT(blue, 15) << vert << " " << from;
        EXPECT_GT(other, 15) << vert << " " << from;
    }
    site.doc.m_bShowGuides = 0;
    const QImage hidden = f.view.RenderClient();
    EXPECT_EQ(ViewFixture::At(hidden, f.view, 150, 150), Rgb(kPage));
}

TEST(Canvas, BrowserFrameOfASmallPage)
{
    CKJDoc doc;
    doc.m_nPreviewFrame = 1;
    doc.m_bShowGuides = 0;
    doc.m_websiteBackground.m_crColor = 0xFFFFFFFF; // unset: the browser area is white
    AddPage(doc, 200, 100, kPage);
    ViewFixture f(doc, 1400, 1000);
    ScrollTo(f.view, -200, -100);
    const QImage image = f.view.RenderClient();
    const QRgb blue = qRgb(0, 85, 229), white = qRgb(255, 255, 255);
    const struct { int x, y; QRgb expected; const char* what; } samples[] = {
        {-112, 767, white, "browser area 1024 x 768 from (-112, 0)"},
        {-112 + 1023, 300, white, "right column of the browser area"},
        {-112 + 1025, 300, blue, "right border"},
        {-114, 300, blue, "left border"},
        {300, -10, blue, "title bar"},
        {300, 768 + 26, blue, "bottom border"},
        {300, 768 + 20, qRgb(232, 232, 232), "status bar row 20"},
        {300, 768, qRgb(122, 122, 122), "status bar top line"},
        {100, 50, Rgb(kPage), "page"},
    };
    for (const auto& s : samples)
        EXPECT_EQ(ViewFixture::At(image, f.view, s.x, s.y), s.expected) << s.what;

    doc.m_nPreviewFrame = 0;
    const QImage plain = f.view.RenderClient();
    EXPECT_EQ(ViewFixture::At(plain, f.view, -112, 99), white) << "424 x 100 without a frame";
    EXPECT_EQ(ViewFixture::At(plain, f.view, -112, 101), kDarkGrey);
    EXPECT_EQ(ViewFixture::At(plain, f.view, 312, 50), kDarkGrey);
    EXPECT_EQ(ViewFixture::At(plain, f.view, 311, 50), white);
}

TEST(Canvas, MobileFrameIsARoundedBlackCase)
{
    CKJDoc doc;
    doc.m_nPreviewFrame = 2;
    doc.m_bShowGuides = 0;
    doc.m_websiteBackground.m_crColor = 0xFFFFFFFF;
    AddPage(doc, 200, 100, kPage);
    ViewFixture f(doc, 1200, 900);
    ScrollTo(f.view, -250, -100);
    const QImage image = f.view.RenderClient();
    // 640 x 480 from (-112, 0); the case reaches 60 beyond it.
    EXPECT_EQ(ViewFixture::At(image, f.view, -112 + 639, 479), qRgb(255, 255, 255));
    EXPECT_EQ(ViewFixture::At(image, f.view, -140, 200), qRgb(0, 0, 0));
    EXPECT_EQ(ViewFixture::At(image, f.view, -172, 200), qRgb(222, 222, 222));
    EXPECT_EQ(ViewFixture::At(image, f.view, -200, 200), kDarkGrey);
}

TEST(Canvas, NoContainerShowsTheBrowserColourOrTransparent)
{
    CKJDoc doc;
    ViewFixture f(doc);
    ScrollTo(f.view, -600, -300);
    doc.m_websiteBackground.m_crColor = RGB(12, 34, 56);
    QImage image = f.view.RenderClient();
    EXPECT_EQ(ViewFixture::At(image, f.view, -500, 200), qRgb(12, 34, 56));
    doc.m_websiteBackground.m_crColor = 0xFFFFFFFF;
    image = f.view.RenderClient();
    EXPECT_EQ(ViewFixture::At(image, f.view, -500, 200), kDarkGrey);
    // The label "Transparent" is drawn in black at (0, -16).
    int dark = 0;
    for (int y = -16; y < 0; ++y)
        for (int x = 0; x < 80; ++x)
            dark += qGray(ViewFixture::At(image, f.view, x, y)) < 40;
    EXPECT_GT(dark, 20);
}

TEST(Canvas, BandsSitOnThePageWhateverTheTextStyleMargins)
{
    // The site's base text style has a 12-pixel bottom margin for p and span; pages and
    // bands are divs, which the browser stacks without it.
    Site site;
    ASSERT_EQ(site.doc.m_styles.m_base.m_nMarginBottom, 12);
    for (CGroupItem* g : {static_cast<CGroupItem*>(site.page), static_cast<CGroupItem*>(site.page->m_pHeaderBand),
                          static_cast<CGroupItem*>(site.page->m_pFooterBand)}) {
        g->SetSiteStyles(&site.doc.m_styles);
        g->RecalcLayout();
        EXPECT_EQ(g->m_nEffMargin[2], 0);
    }
    ViewFixture f(site.doc);
    const QImage image = f.view.RenderClient();
    const struct { int x, y; QRgb expected; const char* what; } samples[] = {
        {200, -1, Rgb(kHeader), "header's last row right above the page"},
        {200, -40, Rgb(kHeader), "header's first row"},
        {200, -41, kDarkGrey, "canvas above the header"},
        {200, 1, Rgb(kPage), "page (its row 0 carries the dotted frame)"},
        {200, 300, Rgb(kFooter), "footer's first row right below the page"},
    };
    for (const auto& s : samples)
        EXPECT_EQ(ViewFixture::At(image, f.view, s.x, s.y), s.expected) << s.what;
}
