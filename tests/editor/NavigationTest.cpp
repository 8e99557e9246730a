// Container navigation, centring and the canvas geometry.
#include "EditorTestSupport.h"

#include "editor/SiteTreeNodes.h"
#include "model/HeaderFooterItem.h"
#include "model/ItemTypes.h"
#include "model/Page.h"
#include "model/items/SliderItem.h"

#include <gtest/gtest.h>

using namespace edtest;

TEST(Navigation, PageOriginCentresTheContainerOnTheCanvas)
{
    const struct { int w, h, x, y; } cases[] = {{400, 300, 2800, 2850}, {401, 301, 2799, 2849}, {900, 2400, 2550, 1800}, {6000, 10, 1500, 2995}}; // a page as wide as the canvas gets room around it
    for (const auto& c : cases) {
        CKJDoc doc;
        AddPage(doc, c.w, c.h, RGB(255, 255, 255));
        ViewFixture f(doc);
        EXPECT_EQ(f.view.GetPageOrigin(), CPoint(c.x, c.y)) << c.w << "x" << c.h;
    }
    CKJDoc empty;
    ViewFixture f(empty);
    EXPECT_EQ(f.view.GetPageOrigin(), CPoint(3000, 3000));
}

TEST(Navigation, EnterAndLeaveContainers)
{
    CKJDoc doc;
    CPage* page = AddPage(doc, 400, 300, RGB(255, 255, 255));
    CGroupItem* outer = AddBox(*page, 10, 10, 200, 150, RGB(1, 2, 3));
    CGroupItem* inner = AddBox(*outer, 5, 5, 50, 40, RGB(4, 5, 6));
    ViewFixture f(doc);
    ASSERT_EQ(f.view.m_pContainer, page);

    f.view.EnterContainer(nullptr);
    f.view.EnterContainer(page);
    EXPECT_TRUE(f.view.m_navigation.empty()) << "null and the container itself are ignored";

    f.view.EnterContainer(outer);
    f.view.EnterContainer(inner);
    EXPECT_EQ(f.view.m_pContainer, inner);
    EXPECT_EQ(f.view.m_pCurrentPage, page);
    EXPECT_EQ(f.view.GetPageOrigin(), CPoint((6000 - 50) / 2, (6000 - 40) / 2));
    ASSERT_EQ(f.view.m_navigation.size(), 2u);

    f.frame.tree->setCurrentItem(nullptr);
    f.view.LeaveContainer();
    EXPECT_EQ(f.view.m_pContainer, outer);
    EXPECT_EQ(f.frame.tree->currentItem(), nullptr) << "a group has no node";
    f.view.LeaveContainer();
    EXPECT_EQ(f.view.m_pContainer, page);
    EXPECT_EQ(NodeObject(f.frame.tree->currentItem()), page) << "back on the page, its node is chosen";
    f.view.LeaveContainer(); // empty stack: nothing
    EXPECT_EQ(f.view.m_pContainer, page);
}

TEST(Navigation, SetCurrentPageOnlyRedrawsForAChange)
{
    CKJDoc doc;
    CPage* first = AddPage(doc, 400, 300, RGB(255, 255, 255));
    CPage* second = AddPage(doc, 400, 300, RGB(255, 255, 255));
    CGroupItem* group = AddBox(*first, 10, 10, 100, 100, RGB(1, 2, 3));
    ViewFixture f(doc);

    int before = f.view.m_nRedrawCount;
    f.view.SetCurrentPage(first);
    EXPECT_EQ(f.view.m_nRedrawCount, before) << "already shown and edited";
    f.view.SetCurrentPage(group);
    EXPECT_EQ(f.view.m_pContainer, first) << "not a page";

    f.view.EnterContainer(group);
    before = f.view.m_nRedrawCount;
    f.view.SetCurrentPage(first);
    EXPECT_EQ(f.view.m_pContainer, first);
    EXPECT_TRUE(f.view.m_navigation.empty());
    EXPECT_GT(f.view.m_nRedrawCount, before);

    f.view.SetCurrentPage(second);
    EXPECT_EQ(f.view.m_pCurrentPage, second);
    EXPECT_EQ(f.view.m_pContainer, second);
}

TEST(Navigation, EnteredContainerShowsNameBackBoxAndSlideTabs)
{
    CKJDoc doc;
    doc.m_bShowGuides = 0;
    CPage* page = AddPage(doc, 600, 400, RGB(255, 255, 255));
    auto* slider = new CSliderItem;
    slider->m_nWidth = 300;
    slider->m_nHeight = 200;
    slider->m_strName = "Slider1";
    AddBox(*slider, 0, 0, 300, 200, RGB(20, 20, 120));
    for (int i = 0; i < 3; ++i)
        slider->AddFrame();
    page->AddChild(slider);
    ViewFixture f(doc);
    f.view.EnterContainer(slider);
    const QImage image = f.view.RenderClient();
    const QRgb white = qRgb(255, 255, 255);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(ViewFixture::At(image, f.view, 24 * i + 1, 205), white) << "tab " << i;
        EXPECT_EQ(ViewFixture::At(image, f.view, 24 * i + 22, 205), qRgb(64, 64, 64)) << "gap after tab " << i;
    }
    EXPECT_EQ(ViewFixture::At(image, f.view, 24 * 3 + 1, 205), qRgb(64, 64, 64)) << "no fourth tab";
    // The back box with its cross.
    EXPECT_EQ(ViewFixture::At(image, f.view, 300 - 14, -18), white);
    EXPECT_EQ(ViewFixture::At(image, f.view, 300 - 12, -16), qRgb(0, 0, 0));
    EXPECT_EQ(ViewFixture::At(image, f.view, 100, 100), qRgb(20, 20, 120));

    // A container entered from nothing has no way back.
    f.view.m_navigation.clear();
    const QImage alone = f.view.RenderClient();
    EXPECT_EQ(ViewFixture::At(alone, f.view, 300 - 14, -18), qRgb(64, 64, 64));
}

TEST(Navigation, CentringShortAndTallPages)
{
    const int clientHeight = 600;
    const struct { int pageHeight, headerHeight; bool tall; } cases[] = {
        {300, 0, false}, {500, 80, false}, {590, 0, false}, {601, 0, true}, {3000, 0, true}, {2500, 200, true}, {5000, 150, true},
    };
    for (const auto& c : cases) {
        CKJDoc doc;
        CPage* page = AddPage(doc, 800, c.pageHeight, RGB(255, 255, 255));
        if (c.headerHeight)
            page->m_pHeaderBand = AddBand(doc, true, 800, c.headerHeight, RGB(0, 0, 0));
        ViewFixture f(doc, 1000, clientHeight);
        f.view.ScrollToPosition(CPoint(0, 0));
        f.view.CenterPage();
        const CPoint centre = f.view.PageToClient(CPoint(400, c.pageHeight / 2));
        EXPECT_NEAR(centre.x, 500, 1) << c.pageHeight;
        const int topOnScreen = f.view.PageToClient(CPoint(0, -c.headerHeight)).y;
        if (!c.tall) {
            // Page and bands centred as a whole.
            const int bottomOnScreen = f.view.PageToClient(CPoint(0, c.pageHeight)).y;
            EXPECT_NEAR(topOnScreen + bottomOnScreen, clientHeight, 2) << c.pageHeight;
        } else {
            // The top of what is painted (the header, else the page) a little below the window top.
            EXPECT_EQ(topOnScreen, 20) << c.pageHeight << " header " << c.headerHeight;
        }
        EXPECT_GE(topOnScreen, 0) << c.pageHeight;
        EXPECT_EQ(f.frame.rulerOffset, f.view.GetPageOrigin().x - f.view.GetScrollPosition().x);
    }
}

TEST(Navigation, CentringKeepsTheBrowserFrameTitleInView)
{
    const struct { int frame, chrome; } cases[] = {{1, 24}, {2, 60}};
    for (const auto& c : cases) {
        CKJDoc doc;
        doc.m_nPreviewFrame = c.frame;
        AddPage(doc, 800, 2000, RGB(255, 255, 255));
        ViewFixture f(doc, 1000, 600);
        f.view.OnUpdate(nullptr, HINT_CENTER, nullptr);
        EXPECT_EQ(f.view.PageToClient(CPoint(0, -c.chrome)).y, 20) << c.frame;
    }
}

TEST(Navigation, ResizingKeepsThePageInItsPlace)
{
    const struct { int pageHeight; bool tall; } cases[] = {{300, false}, {2000, true}};
    for (const auto& c : cases) {
        CKJDoc doc;
        AddPage(doc, 400, c.pageHeight, RGB(255, 255, 255));
        ViewFixture f(doc, 600, 500);
        const int top = f.view.PageToClient(CPoint(0, 0)).y;
        f.view.resize(f.view.width() + 500, f.view.height() + 300);
        const CSize client = f.view.GetClientSize();
        ASSERT_EQ(client.cx, 1100);
        EXPECT_NEAR(f.view.PageToClient(CPoint(200, 0)).x, client.cx / 2, 1) << c.pageHeight;
        if (c.tall) {
            EXPECT_EQ(f.view.PageToClient(CPoint(0, 0)).y, top) << "the top line stays";
        } else {
            EXPECT_NEAR(f.view.PageToClient(CPoint(0, c.pageHeight / 2)).y, client.cy / 2, 1);
        }
    }
}

TEST(Navigation, CentringHintNeedsAPage)
{
    CKJDoc doc;
    ViewFixture f(doc);
    const CPoint before = f.view.GetScrollPosition();
    f.view.OnUpdate(nullptr, HINT_CENTER, nullptr);
    EXPECT_EQ(f.view.GetScrollPosition(), before);
}

TEST(Navigation, ClientAndPagePointsRoundTrip)
{
    CKJDoc doc;
    AddPage(doc, 640, 480, RGB(255, 255, 255));
    ViewFixture f(doc);
    for (CPoint p : {CPoint(0, 0), CPoint(-30, 17), CPoint(639, 479)})
        EXPECT_EQ(f.view.ClientToPage(f.view.PageToClient(p)), p);
}
