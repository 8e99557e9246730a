#include "model/Item.h"
#include "model/ItemTypes.h"
#include "model/TextStyle.h"
#include "framework/core/Colors.h"
#include <gtest/gtest.h>
#include <cstring>

namespace {

// Counts the calls of the two virtual steps of SetRect, in order.
struct ProbeItem : CItem {
    CString calls;
    void OnResized() override { calls += "R"; }
    void RecalcLayout() override { calls += "L"; }
};

TEST(ItemGeometry, SetRectMovesSizesAndFixesChangedModes)
{
    struct Case {
        int positioned;
        CRect rect;
        int x, y, w, h, widthMode, heightMode;
    } const cases[] = {
        {1, CRect(10, 20, 110, 70), 10, 20, 100, 50, 1, 1},  // same size: modes kept
        {1, CRect(10, 20, 130, 70), 10, 20, 120, 50, 0, 1},  // width changed
        {1, CRect(0, 0, 100, 10), 0, 0, 100, 10, 1, 0},      // height changed
        {0, CRect(40, 50, 150, 90), 1, 2, 110, 40, 0, 0},    // flowing item keeps its place
    };
    for (const Case& c : cases) {
        ProbeItem item;
        item.m_bPositioned = c.positioned;
        item.m_nX = 1;
        item.m_nY = 2;
        item.m_nWidth = 100;
        item.m_nHeight = 50;
        item.m_nWidthMode = 1;
        item.m_nHeightMode = 1;
        item.SetRect(c.rect.left, c.rect.top, c.rect.right, c.rect.bottom);
        EXPECT_EQ(item.GetRect(), CRect(c.x, c.y, c.x + c.w, c.y + c.h));
        EXPECT_EQ(item.m_nWidthMode, c.widthMode);
        EXPECT_EQ(item.m_nHeightMode, c.heightMode);
        EXPECT_EQ(item.calls, "RL");
    }
}

TEST(ItemGeometry, TextSizeSteps)
{
    CTextStyle base;
    base.m_nSize = 12;
    struct Case {
        int size;
        bool withStyle;
        int down, up;
    } const cases[] = {{7, true, 6, 8}, {6, true, 6, 7}, {3, false, 3, 4}, {0, true, 11, 13}, {0, false, 0, 0}, {72, true, 71, 73}};
    for (const Case& c : cases) {
        CItem down, up;
        down.m_nFontSize = up.m_nFontSize = c.size;
        if (c.withStyle)
            down.m_pBaseStyle = up.m_pBaseStyle = &base;
        down.TextSizeDown();
        up.TextSizeUp();
        EXPECT_EQ(down.m_nFontSize, c.down) << c.size;
        EXPECT_EQ(up.m_nFontSize, c.up) << c.size;
    }
}

TEST(ItemGeometry, HandlesAndHitTest)
{
    CItem item;
    item.m_nX = 100;
    item.m_nY = 50;
    item.m_nWidth = 41;
    item.m_nHeight = 21;
    const CRect expected[] = {
        CRect(92, 42, 99, 49), CRect(142, 42, 149, 49), CRect(92, 72, 99, 79), CRect(142, 72, 149, 79),
        CRect(92, 56, 100, 64), CRect(141, 56, 149, 64), CRect(116, 42, 124, 50), CRect(116, 71, 124, 79),
    };
    for (int n = 1; n <= 8; ++n) {
        EXPECT_EQ(item.GetHandleRect(n), expected[n - 1]) << n;
        EXPECT_EQ(item.HitTest(expected[n - 1].TopLeft()), n);
    }
    EXPECT_EQ(item.GetHandleRect(0), CRect());
    EXPECT_EQ(item.GetHandleRect(9), CRect());
    EXPECT_EQ(item.HitTest(CPoint(120, 60)), 0);
    EXPECT_EQ(item.HitTest(CPoint(99, 49)), 0); // right and bottom edges are outside
}

TEST(ItemLayout, CascadeOfStyleClassAndItem)
{
    CTextStyle base;
    base.m_strFamily = "Verdana";
    base.m_nSize = 12;
    base.m_crText = 0x112233;
    base.m_nPadding = 2;
    base.m_nBorderWidth = 1;
    base.m_crBorder = 0x445566;
    base.m_crBack = 0xFF000000;
    base.m_nMarginTop = 3;
    base.m_nMarginBottom = 4;
    CLinkStyle link;
    link.m_crColor = 0x0000FF;
    link.m_nBold = 1;
    link.m_nDecoration = 1;
    CStyleClass cls(1, 1);
    cls.m_strFace = "Arial";
    cls.m_nPadding = 5;
    cls.m_borders[BORDER_LEFT].m_nStyle = 2;
    cls.m_borders[BORDER_LEFT].m_nWidth = 7;
    cls.m_borders[BORDER_LEFT].m_color = 0x0A0B0C;
    cls.m_fill.m_crColor = 0x00FFEEDD;
    cls.m_margin.m_bLeft = 1;
    cls.m_margin.m_nLeft = 9;

    CItem item;
    item.m_pBaseStyle = &base;
    item.m_pLinkStyle = &link;
    item.m_pStyleClass = &cls;
    item.m_nFontSize = 15;
    item.m_nBold = 0;
    item.m_nItalic = 1;
    item.m_nDecoration = 2;
    item.m_borders[BORDER_TOP].m_nStyle = 3;
    item.m_borders[BORDER_TOP].m_nWidth = 4;
    item.m_pPadding = std::make_unique<CBoxSpacing>();
    item.m_pPadding->m_bRight = 1;
    item.m_pPadding->m_nRight = 11;
    item.RecalcLayout();

    EXPECT_STREQ(item.m_lfText->lfFaceName, "Arial");
    EXPECT_EQ(item.m_lfText->lfHeight, -20); // 15 pt at 96 dpi
    EXPECT_EQ(item.m_lfText->lfWeight, 400);
    EXPECT_EQ(item.m_lfText->lfItalic, 1);
    EXPECT_EQ(item.m_lfText->lfStrikeOut, 1);
    EXPECT_EQ(item.m_lfText->lfCharSet, 1);
    EXPECT_EQ(item.m_lfText->lfOutPrecision, 4);
    EXPECT_EQ(item.m_crLayoutText, 0x112233u);
    EXPECT_EQ(item.m_crLayoutBack, 0x00FFEEDDu);
    const int padding[4] = {5, 5, 5, 11};
    const int borders[4] = {7, 4, 1, 1};
    const int margins[4] = {3, 9, 4, 0};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(item.m_nEffPadding[i], padding[i]) << i;
        EXPECT_EQ(item.m_nEffBorder[i], borders[i]) << i;
        EXPECT_EQ(item.m_nEffMargin[i], margins[i]) << i;
        EXPECT_EQ(item.m_nInset[i], padding[i] + borders[i]) << i;
    }
    EXPECT_EQ(item.m_crEffBorder[SIDE_LEFT], 0x0A0B0Cu);
    EXPECT_EQ(item.m_crLayoutLink, 0x0000FFu);
    EXPECT_EQ(item.m_lfLink->lfWeight, 700);
    EXPECT_EQ(item.m_lfLink->lfUnderline, 1);
    EXPECT_EQ(item.m_lfLink->lfStrikeOut, 0);
}

TEST(ItemLayout, DefaultsWithoutStyles)
{
    CItem item;
    item.RecalcLayout();
    EXPECT_STREQ(item.m_lfText->lfFaceName, "Times New Roman");
    EXPECT_EQ(item.m_lfText->lfHeight, -13);
    EXPECT_EQ(item.m_lfText->lfWeight, 400);
    EXPECT_EQ(item.m_crLayoutText, 0u);
    EXPECT_EQ(item.m_crLayoutBack, 0xFFFFFFFFu);
}

TEST(ItemIcon, RendersTheCellInTheColour)
{
    struct Case {
        int shading, shadow;
    } const cases[] = {{0, 0}, {1, 0}, {2, 1}, {3, 0}, {4, 1}};
    for (const Case& c : cases) {
        CDib dib;
        ASSERT_TRUE(RenderItemIcon(dib, 1, RGB(200, 100, 50), c.shading, c.shadow));
        const int size = c.shadow ? 17 : 16;
        ASSERT_EQ(dib.GetWidth(), size);
        ASSERT_EQ(dib.GetHeight(), size);
        EXPECT_EQ(dib.GetOpaqueFlag(), 0);
        dib.BeginPixels();
        // Corner: transparent (the first icon is a disc).
        EXPECT_EQ(dib.GetPixel(0, 0), 0xFF000000u);
        // Centre: the colour shaded by the mode.
        const int x = 8, y = 8;
        auto shade = [&](int v) {
            switch (c.shading) {
            case 1: return v * (16 - y / 2) / 16;
            case 2: return v * (y / 2 + 8) / 16;
            case 3: return std::min(255, v + v * (x + y) / 32);
            case 4: return std::min(255, v + v * (32 - x - y) / 32);
            default: return v;
            }
        };
        EXPECT_EQ(dib.GetPixel(x, y), (std::uint32_t(shade(200)) << 16) | (std::uint32_t(shade(100)) << 8) | std::uint32_t(shade(50)));
        if (c.shadow) {
            // Below the disc's lowest row the shadow shows opaque black.
            int lowest = 0;
            for (int yy = 0; yy < 16; ++yy)
                if (dib.GetPixel(8, yy) != 0xFF000000u && dib.GetPixel(8, yy) != 0)
                    lowest = yy;
            EXPECT_EQ(dib.GetPixel(9, lowest + 1), 0x00000000u);
        }
        dib.EndPixels();
    }
}

TEST(ItemIcon, NumbersOutsideTheStripMeanNoIcon)
{
    for (int icon : {0, -1, GetItemIconCount() + 1, 1 << 30}) {
        CDib dib;
        dib.Create(4, 4);
        EXPECT_FALSE(RenderItemIcon(dib, icon, 0, 0, 0)) << icon;
        EXPECT_TRUE(dib.IsEmpty());
    }
    for (int icon = 1; icon <= GetItemIconCount(); ++icon) {
        CDib dib;
        EXPECT_TRUE(RenderItemIcon(dib, icon, 0, 0, 0)) << icon;
    }
}

} // namespace

#include "framework/core/Dc.h"
#include "model/GroupItem.h"
#include <QtGui/QImage>

namespace {

TEST(ItemGeometry, HandlesAreDrawnWhiteWithABlackFrame)
{
    QImage image(200, 120, QImage::Format_RGB32);
    image.fill(QColor(128, 128, 128));
    CItem item;
    item.m_nX = 100;
    item.m_nY = 50;
    item.m_nWidth = 41;
    item.m_nHeight = 21;
    {
        CDC dc(&image);
        item.DrawHandles(&dc);
    }
    for (int n = 1; n <= 8; ++n) {
        const CRect r = item.GetHandleRect(n);
        SCOPED_TRACE(n);
        EXPECT_EQ(image.pixel(r.left, r.top), qRgb(0, 0, 0));
        EXPECT_EQ(image.pixel(r.left + 2, r.top + 2), qRgb(255, 255, 255));
    }
    EXPECT_EQ(image.pixel(120, 60), qRgb(128, 128, 128));
}

TEST(ItemGeometry, DragOutlineFramesTheSelectedChildren)
{
    QImage image(100, 100, QImage::Format_RGB32);
    image.fill(QColor(255, 255, 255));
    CGroupItem group;
    CItem* a = new CItem;
    a->m_nX = 10;
    a->m_nY = 10;
    a->m_nWidth = 20;
    a->m_nHeight = 20;
    a->m_bSelected = 1;
    group.AddChild(a);
    {
        CDC dc(&image);
        group.DrawDragOutline(&dc, 5, 7);
    }
    // The rectangle 15,17 .. 35,37 outlined; inside and outside untouched.
    EXPECT_EQ(image.pixel(15, 17), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(35, 25), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(25, 37), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(25, 25), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(50, 50), qRgb(255, 255, 255));
}

} // namespace
