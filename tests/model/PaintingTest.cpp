#include "framework/core/DcTestSupport.h"
#include "model/GroupItem.h"
#include "model/HeaderFooterItem.h"
#include "model/MasterItem.h"
#include "model/Page.h"
#include "model/TextStyle.h"
#include "model/items/ExternalWebsiteItem.h"
#include "model/items/FacebookItem.h"
#include "model/items/LikeButtonItem.h"
#include "model/items/LinkItem.h"
#include "model/items/ParagraphItem.h"
#include "model/items/PhpItem.h"
#include "model/items/HtmlItem.h"
#include "model/items/TextItem.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

using dctest::Canvas;
using dctest::kBlack;
using dctest::kBlue;
using dctest::kRed;
using dctest::kWhite;

constexpr COLORREF kGreen = RGB(0, 255, 0);

class Painting : public ::testing::Test {
protected:
    void SetUp() override { dctest::EnsureGuiApplication(); }
};

// A plain item at the canvas origin offset (20, 20) so outer borders show.
void DrawAt(CItem& item, Canvas& c, int x = 20, int y = 20)
{
    const int saved = c.dc.SaveDC();
    c.dc.SetViewportOrg(x, y);
    item.Draw(&c.dc);
    c.dc.RestoreDC(saved);
}

TEST_F(Painting, BackgroundColourOnlyWhenSet)
{
    struct Case {
        COLORREF back;
        COLORREF at;
    } cases[] = {{0x0000FF, kRed}, {0xFF0000FF, kWhite}, {0x01FF0000, kBlue}};
    for (const Case& c : cases) {
        CItem item;
        item.m_nWidth = 30;
        item.m_nHeight = 20;
        item.m_crLayoutBack = c.back;
        Canvas canvas(80, 80);
        DrawAt(item, canvas);
        EXPECT_EQ(canvas.At(25, 25), c.at);
        EXPECT_EQ(canvas.At(49, 39), c.at);
        EXPECT_EQ(canvas.At(50, 40), kWhite);
    }
}

TEST_F(Painting, FillPaintsOverTheBackgroundAndTheClassFillOverThat)
{
    CItem item;
    item.m_nWidth = 30;
    item.m_nHeight = 20;
    item.m_crLayoutBack = 0x0000FF;
    item.m_pFill = std::make_unique<CFillStyle>();
    item.m_pFill->m_crColor = 0x00FF00;
    Canvas canvas(80, 80);
    DrawAt(item, canvas);
    EXPECT_EQ(canvas.At(30, 30), kGreen);
    CStyleClass style(0, 1);
    style.m_fill.m_crColor = 0xFF0000;
    item.m_pStyleClass = &style;
    DrawAt(item, canvas);
    EXPECT_EQ(canvas.At(30, 30), kBlue);
}

TEST_F(Painting, UniformBordersDrawOneOutline)
{
    CItem item;
    item.m_nWidth = 40;
    item.m_nHeight = 30;
    for (int i = 0; i < 4; ++i) {
        item.m_nEffBorder[i] = 3;
        item.m_crEffBorder[i] = 0x0000FF;
    }
    Canvas canvas(100, 100);
    DrawAt(item, canvas);
    // A 3-pixel pen centred on the outline of (20, 20)-(60, 50).
    EXPECT_EQ(canvas.At(20, 35), kRed);
    EXPECT_EQ(canvas.At(40, 20), kRed);
    EXPECT_EQ(canvas.At(40, 35), kWhite);
    EXPECT_EQ(canvas.At(15, 35), kWhite);
    EXPECT_EQ(canvas.At(10, 10), kWhite);
}

TEST_F(Painting, DifferentBordersAreStripsOutsideTheBox)
{
    CItem item;
    item.m_nWidth = 40;
    item.m_nHeight = 30;
    // left, top, bottom, right
    const int widths[4] = {4, 2, 6, 0};
    const COLORREF colours[4] = {0x0000FF, 0x00FF00, 0xFF0000, 0};
    for (int i = 0; i < 4; ++i) {
        item.m_nEffBorder[i] = widths[i];
        item.m_crEffBorder[i] = colours[i];
    }
    Canvas canvas(100, 100);
    DrawAt(item, canvas);
    EXPECT_EQ(canvas.At(16, 35), kRed);   // left strip, x 16..19
    EXPECT_EQ(canvas.At(16, 18), kGreen); // the top strip spans the left strip's corner
    EXPECT_EQ(canvas.At(40, 18), kGreen);
    EXPECT_EQ(canvas.At(16, 55), kBlue);  // the bottom strip spans the corner too
    EXPECT_EQ(canvas.At(59, 55), kBlue);
    EXPECT_EQ(canvas.At(60, 35), kWhite); // no right strip
    EXPECT_EQ(canvas.At(40, 35), kWhite); // nothing inside
}

TEST_F(Painting, TextPaintersAlignInTheContentRectangle)
{
    struct Case {
        int align;
        bool inkLeft, inkRight;
    } cases[] = {{0, true, false}, {1, false, true}, {3, true, false}, {4, true, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.align);
        CTextItem item;
        item.m_nPadding = 5;
        item.m_strFontFace = "Arial";
        item.m_strText.SetText(u"IIII");
        item.m_nTextAlign = c.align;
        item.RecalcLayout();
        item.m_nWidth = 200;
        item.m_nWidthMode = 0;
        Canvas canvas(240, 60);
        DrawAt(item, canvas, 0, 0);
        const CRect ink = canvas.Ink();
        ASSERT_FALSE(ink.IsRectEmpty());
        EXPECT_GE(ink.top, 5);
        EXPECT_EQ(ink.left < 40, c.inkLeft);
        EXPECT_EQ(ink.right > 160, c.inkRight);
        EXPECT_LE(ink.right, 195);
        EXPECT_GE(ink.left, 5);
    }
}

TEST_F(Painting, CodeDoesNotWrapButHtmlDoes)
{
    for (bool code : {true, false}) {
        std::unique_ptr<CTextItem> item(code ? static_cast<CTextItem*>(new CPhpItem) : new CHtmlItem);
        item->m_strFontFace = "Arial";
        item->m_strText.SetText(u"word word word word word word");
        item->RecalcLayout();
        item->m_nWidth = 60;
        item->m_nHeight = 100;
        Canvas canvas(300, 120);
        DrawAt(*item, canvas, 0, 0);
        const CRect ink = canvas.Ink();
        if (code) {
            EXPECT_GT(ink.right, 100);
            EXPECT_LT(ink.Height(), 20);
        } else {
            EXPECT_LE(ink.right, 62);
            EXPECT_GT(ink.Height(), 30);
        }
    }
}

TEST_F(Painting, TextIconIsDrawnBesideTheText)
{
    CTextItem item;
    item.m_strText.SetText(u"I");
    item.m_nIcon = 2;
    item.m_crIcon = 0x0000FF;
    item.m_nIconShading = 0;
    item.RecalcLayout();
    ASSERT_TRUE(item.m_dib.IsValid());
    Canvas canvas(120, 60);
    DrawAt(item, canvas, 0, 0);
    // The square icon at (0, height * 3 / 5 - 10); the text starts 24 pixels in.
    const int top = item.m_nHeight * 3 / 5 - 10;
    EXPECT_EQ(canvas.At(8, top + 8), kRed);
    const CRect ink = canvas.Ink();
    EXPECT_GE(ink.right, 24);
}

TEST_F(Painting, ExternalWebsiteShowsItsAddressOnWhite)
{
    CExternalWebsiteItem item;
    item.m_strText.SetText(u"WWW");
    item.m_crLayoutBack = 0xFF000000;
    item.RecalcLayout();
    item.m_crLayoutBack = 0x0000FF;
    item.m_nWidth = 100;
    item.m_nHeight = 40;
    Canvas canvas(120, 60);
    DrawAt(item, canvas, 0, 0);
    // The red background, then black text on an opaque white box at the top left.
    EXPECT_EQ(canvas.At(90, 30), kRed);
    EXPECT_EQ(canvas.At(1, 1), kWhite);
    const QImage& im = canvas.Image();
    int dark = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 60; ++x)
            dark += qGray(im.pixel(x, y)) < 80;
    EXPECT_GT(dark, 10);
}

TEST_F(Painting, LikeButtonPreviewPixels)
{
    CLikeButtonItem item;
    item.m_strPage = "";
    Canvas canvas(100, 40);
    item.Draw(&canvas.dc);
    EXPECT_EQ(canvas.At(3, 3), 0xF5EEECu);  // button face
    EXPECT_EQ(canvas.At(0, 12), 0xE7D4CAu); // its frame
    EXPECT_EQ(canvas.At(8, 12), 0xB68A73u); // the thumb's cuff
    EXPECT_EQ(canvas.At(7, 10), 0x995836u); // and its outline
    EXPECT_EQ(canvas.At(80, 30), kWhite);

    CFacebookItem box;
    box.m_nWidth = 90;
    box.m_nHeight = 70;
    box.m_crBorder = 0x00FF00;
    box.m_strPage = "x";
    Canvas c2(100, 80);
    box.Draw(&c2.dc);
    EXPECT_EQ(c2.At(0, 40), kGreen);
    EXPECT_EQ(c2.At(89, 40), kGreen);
    EXPECT_EQ(c2.At(13, 33), 0xF5EEECu); // the like button moved by (10, 30)
    EXPECT_EQ(c2.At(18, 42), 0xB68A73u);
}

TEST_F(Painting, ParagraphDrawsItsTextBitmapInsideTheInsets)
{
    CParagraphItem item;
    item.m_nPadding = 6;
    item.m_nWidth = 100;
    item.m_crText = 0x0000FF;
    item.m_strText.SetText(u"MMMM");
    item.RecalcLayout();
    Canvas canvas(120, 60);
    DrawAt(item, canvas, 0, 0);
    const CRect ink = canvas.Ink();
    EXPECT_GE(ink.left, 6);
    EXPECT_GE(ink.top, 6);
    EXPECT_GT(canvas.Count(kRed), 10);
}

// ---------------------------------------------------------------- groups

CItem* Box(int x, int y, int w, int h, COLORREF back, int positioned = 1)
{
    auto* item = new CItem;
    item->m_nX = x;
    item->m_nY = y;
    item->m_nWidth = w;
    item->m_nHeight = h;
    item->m_crLayoutBack = back;
    item->m_bPositioned = positioned;
    return item;
}

TEST_F(Painting, GroupClipsItsChildrenUnlessVisible)
{
    for (int overflow : {0, 3}) {
        SCOPED_TRACE(overflow);
        CGroupItem group;
        group.m_nWidth = 40;
        group.m_nHeight = 40;
        group.m_nOverflow = overflow;
        group.AddChild(Box(30, 10, 30, 10, 0x0000FF));
        Canvas canvas(100, 100);
        DrawAt(group, canvas, 10, 10);
        EXPECT_EQ(canvas.At(45, 25), kRed);
        EXPECT_EQ(canvas.At(55, 25), overflow == 3 ? kRed : kWhite);
    }
}

TEST_F(Painting, GroupScrollBarsAndLinkedMaster)
{
    CGroupItem group;
    group.m_nWidth = 60;
    group.m_nHeight = 80;
    group.m_nOverflow = 2;
    CMasterItem master;
    master.AddChild(Box(2, 2, 5, 5, 0x00FF00));
    group.m_pMaster2 = &master;
    Canvas canvas(100, 100);
    DrawAt(group, canvas, 0, 0);
    EXPECT_EQ(canvas.At(50, 70), 0xE0E0E0u); // corner square
    EXPECT_EQ(canvas.At(50, 30), 0xEAEEEFu); // vertical track
    EXPECT_EQ(canvas.At(50, 5), 0xE0D0D0u);  // its top button
    EXPECT_EQ(canvas.At(5, 70), 0xE0D0D0u);  // the horizontal bar's left button
    EXPECT_EQ(canvas.At(4, 4), kGreen);      // the master's child
}

TEST_F(Painting, VerticalFlowStacksTheChildrenOfTheFlow)
{
    CGroupItem group;
    group.m_nWidth = 200;
    group.m_nHeight = 10;
    group.m_nPadding = 10;
    group.m_nTextAlign = 2;
    CItem* a = Box(0, 0, 50, 20, 0, 0);
    a->m_nEffMargin[0] = 5; // top
    a->m_nEffMargin[1] = 3; // left
    a->m_nEffMargin[2] = 7; // bottom
    a->m_nEffBorder[SIDE_TOP] = 1;
    a->m_nEffBorder[SIDE_BOTTOM] = 2;
    CItem* fixed = Box(123, 45, 10, 999, 0, 1);
    CItem* b = Box(0, 0, 60, 30, 0, 0);
    b->m_nBlockAlign = 1;
    b->m_nEffMargin[3] = 4; // right
    CItem* c = Box(0, 0, 71, 10, 0, 0);
    c->m_nBlockAlign = 2;
    CItem* d = Box(17, 0, 10, 10, 0, 0);
    d->m_nBlockAlign = 4;
    CItem* e = Box(0, 0, 20, 10, 0, 0);
    e->m_nBlockAlign = -1; // the group's own alignment: centred
    for (CItem* item : {a, fixed, b, c, d, e})
        group.AddChild(item);
    group.RecalcLayout();
    EXPECT_EQ(a->m_nY, 10 + 5 + 1);
    EXPECT_EQ(a->m_nX, 10 + 3);
    EXPECT_EQ(fixed->m_nX, 123);
    EXPECT_EQ(fixed->m_nY, 45);
    EXPECT_EQ(b->m_nY, 16 + 20 + 7 + 2);
    EXPECT_EQ(b->m_nX, 200 - 60 - 4 - 10);
    EXPECT_EQ(c->m_nY, 45 + 30);
    EXPECT_EQ(c->m_nX, (200 - 71) / 2);
    EXPECT_EQ(d->m_nX, 17);
    EXPECT_EQ(e->m_nX, 90);
    EXPECT_EQ(group.m_nHeight, 75 + 10 + 10 + 10 + 10);

    // Shrinking the children never shrinks the group.
    for (CItem* item : {a, b, c, d, e})
        item->m_nHeight = 1;
    group.RecalcLayout();
    EXPECT_EQ(group.m_nHeight, 115);
}

TEST_F(Painting, PageCanvasPaintsBackgroundStripsAndMasters)
{
    CPage page;
    int full = 0;
    page.m_pStretch = &full;
    page.m_nWidth = 60;
    page.m_nHeight = 40;
    page.m_pFill.reset();
    page.RecalcLayout();
    page.m_crLayoutBack = 0xFF0000;
    page.m_nStrip[0] = 5; // left
    page.m_crStrip[0] = 0x0000FF;
    page.m_nStrip[2] = 3; // bottom
    page.m_crStrip[2] = 0x00FF00;
    CMasterItem first, second;
    first.m_nOverflow = 3;
    first.m_nWidth = 60;
    first.m_nHeight = 40;
    first.AddChild(Box(0, 0, 10, 10, 0x00FFFF));
    second.AddChild(Box(5, 5, 10, 10, 0x000000));
    page.AddChild(Box(8, 8, 10, 10, 0xFFFF00));
    page.m_pMaster1 = &first;
    page.m_pMaster2 = &second;
    Canvas canvas(100, 100);
    canvas.dc.SetViewportOrg(20, 20);
    page.DrawCanvas(&canvas.dc, 80);
    EXPECT_EQ(canvas.At(50, 30), kBlue);              // background
    EXPECT_EQ(canvas.At(16, 30), kRed);               // left strip
    EXPECT_EQ(canvas.At(16, 61), kGreen);             // bottom strip spans the corner
    EXPECT_EQ(canvas.At(21, 21), RGB(255, 255, 0));   // first master's child
    EXPECT_EQ(canvas.At(27, 27), kBlack);             // second master over the page item
    EXPECT_EQ(canvas.At(36, 36), RGB(0, 255, 255));   // page item over the first master

    // Full width: the background spans the content width, centred on the page.
    full = 1;
    Canvas wide(200, 100);
    wide.dc.SetViewportOrg(50, 20);
    page.DrawCanvas(&wide.dc, 100);
    EXPECT_EQ(wide.At(31, 30), kBlue);
    EXPECT_EQ(wide.At(129, 30), kBlue);
    EXPECT_EQ(wide.At(131, 30), kWhite);
}

TEST_F(Painting, BandBordersAreTheStripsAroundIt)
{
    CHeaderFooterItem band;
    band.m_nWidth = 50;
    band.m_nHeight = 20;
    band.m_pFill.reset();
    band.m_borders[BORDER_ALL].m_nStyle = 2;
    band.m_borders[BORDER_ALL].m_nWidth = 2;
    band.m_borders[BORDER_ALL].m_color = 0x00FF00;
    band.m_borders[BORDER_LEFT].m_nStyle = 2;
    band.m_borders[BORDER_LEFT].m_nWidth = 4;
    band.m_borders[BORDER_LEFT].m_color = 0x0000FF;
    band.RecalcLayout();
    Canvas canvas(100, 60);
    canvas.dc.SetViewportOrg(10, 10);
    band.DrawOnCanvas(&canvas.dc, 50);
    EXPECT_EQ(canvas.At(6, 20), kRed);    // left strip, 4 wide
    EXPECT_EQ(canvas.At(5, 20), kWhite);
    EXPECT_EQ(canvas.At(30, 8), kGreen);  // top strip
    EXPECT_EQ(canvas.At(61, 20), kGreen); // right strip
    EXPECT_EQ(canvas.At(30, 31), kGreen); // bottom strip
    EXPECT_EQ(canvas.At(30, 20), kWhite); // no background set
}

// ---------------------------------------------------------------- sizing

TEST_F(Painting, TextSizesItselfToItsText)
{
    CTextItem item;
    item.m_strFontFace = "Arial";
    item.m_nPadding = 4;
    item.m_strText.SetText(u"Hello world");
    item.m_nWidth = 10;
    item.m_nWidthMode = 0;
    item.RecalcLayout();
    // Too narrow: it turns automatic, and at once is as wide as the text on one line,
    // as the page (which then writes no width) shows it; never a word a line.
    EXPECT_EQ(item.m_nWidthMode, 1);
    EXPECT_GE(item.m_nWidth, 60);
    EXPECT_LE(item.m_nWidth, 90);
    EXPECT_LE(item.m_nHeight, 19 + 8);
    // A second layout changes nothing.
    item.RecalcLayout();
    EXPECT_GE(item.m_nWidth, 60);
    EXPECT_LE(item.m_nWidth, 90);
    EXPECT_GE(item.m_nHeight, 13 + 8);
    EXPECT_LE(item.m_nHeight, 19 + 8);

    // A fixed width that holds the text and its icon stays put, layout after layout.
    item.m_nIcon = 1;
    item.m_nWidthMode = 0;
    item.m_nWidth = 200;
    item.RecalcLayout();
    item.RecalcLayout();
    EXPECT_EQ(item.m_nWidth, 200);
    EXPECT_EQ(item.m_nWidthMode, 0);
}

TEST_F(Painting, ResizingTextScalesItsFont)
{
    struct Case {
        int size, oldWidth, newWidth, expect;
    } cases[] = {{0, 100, 50, 4}, {6, 100, 50, 4}, {10, 100, 200, 20}, {12, 0, 50, 12}};
    for (const Case& c : cases) {
        CTextItem item;
        item.m_nFontSize = c.size;
        item.m_nWidth = c.oldWidth;
        item.m_nHeight = 20;
        item.SetRect(0, 0, c.newWidth, 40);
        EXPECT_EQ(item.m_nFontSize, c.expect) << c.size << " " << c.oldWidth << " " << c.newWidth;
    }
    // A side drag fixes the width and keeps the size.
    CTextItem side;
    side.m_nFontSize = 10;
    side.m_strText.SetText(u"x");
    side.m_nWidth = 100;
    side.m_nHeight = 20;
    side.SetRect(5, 6, 305, 26);
    EXPECT_EQ(side.m_nFontSize, 10);
    EXPECT_EQ(side.m_nWidthMode, 0);
    EXPECT_EQ(side.m_nWidth, 300);
    EXPECT_EQ(side.m_nX, 5);
}

TEST_F(Painting, ResizingCodeAndLinks)
{
    CHtmlItem html;
    html.m_nWidth = 100;
    html.m_nHeight = 30;
    html.m_nWidthMode = 1;
    html.m_nHeightMode = 1;
    html.SetRect(0, 0, 100, 50);
    EXPECT_EQ(html.m_nWidthMode, 1);
    EXPECT_EQ(html.m_nHeightMode, 0);
    EXPECT_EQ(html.m_nHeight, 50);

    CPhpItem php;
    php.m_nWidthMode = 1;
    php.SetRect(0, 0, 70, 20);
    EXPECT_EQ(php.m_nWidthMode, 1);
    EXPECT_EQ(php.m_nWidth, 70);

    struct Case {
        int top, bottom, delta, expectTop, expectBottom, flag;
    } cases[] = {{0, 0, 5, 2, 2, 1}, {3, 3, -7, 0, 0, 0}, {4, 1, -5, 2, 0, 0}};
    for (const Case& c : cases) {
        CLinkItem link;
        link.m_nWidth = 80;
        link.m_nHeight = 20;
        link.m_pPadding->m_nTop = c.top;
        link.m_pPadding->m_nBottom = c.bottom;
        link.SetRect(0, 0, 80, 20 + c.delta);
        EXPECT_EQ(link.m_pPadding->m_nTop, c.expectTop);
        EXPECT_EQ(link.m_pPadding->m_nBottom, c.expectBottom);
        EXPECT_EQ(link.m_pPadding->m_bBottom, c.flag);
    }
}

} // namespace
