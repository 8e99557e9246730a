#include "PictureTestSupport.h"

#include "model/items/ImageItem.h"

#include <gtest/gtest.h>

using namespace picturetest;

namespace {

// An Image item showing the bitmap at its own size, normal look rendered.
void Show(CImageItem& item, const CDib& dib)
{
    item.m_picture = dib;
    item.m_nWidth = dib.GetWidth();
    item.m_nHeight = dib.GetHeight();
    item.m_nRenderWidth = dib.GetWidth();
    item.m_nRenderHeight = dib.GetHeight();
    item.Render(0);
    item.RecalcLayout();
}

std::uint32_t At(CDib& dib, int x, int y)
{
    dib.BeginPixels();
    const std::uint32_t p = dib.GetPixel(x, y);
    dib.EndPixels();
    return p;
}

TEST(ImageItemRender, LinearEdgeFade)
{
    struct Case {
        int left, right, size;
        int column, opacity;
    } cases[] = {
        {1, 0, 30, 0, 0}, {1, 0, 30, 15, 127}, {1, 0, 30, 30, 255}, {1, 0, 30, 99, 255},
        {0, 1, 30, 99, 0}, {0, 1, 30, 84, 127}, {1, 0, 0, 0, 255}, {1, 0, 250, 0, 0}, {1, 0, 250, 99, 252},
    };
    for (const Case& c : cases) {
        CImageItem item;
        item.m_nEdgeKind = 1;
        item.m_nEdgeLeft = c.left;
        item.m_nEdgeRight = c.right;
        item.m_nEdgeSize = c.size;
        Show(item, Solid(100, 10, 0x00204060u));
        const std::uint32_t p = At(item.m_state[0], c.column, 5);
        EXPECT_EQ(OpacityOf(p), c.opacity) << c.left << c.right << " size " << c.size << " column " << c.column;
        EXPECT_EQ(p & 0xFFFFFFu, 0x204060u);
    }
}

TEST(ImageItemRender, EllipticalEdgeFade)
{
    CImageItem item;
    item.m_nEdgeKind = 2;
    item.m_nEdgeSize = 30;
    CDib dib = Solid(100, 60, 0x00FFFFFFu);
    dib.BeginPixels();
    dib.SetPixel(10, 30, 0xFF000000u); // already transparent, inside the band
    dib.EndPixels();
    Show(item, dib);
    CDib& s = item.m_state[0];
    struct Case {
        int x, y, low, high;
    } cases[] = {
        {50, 30, 255, 255}, // middle unchanged
        {0, 0, 0, 0},       // outside the inscribed ellipse
        {99, 59, 0, 0},
        {10, 30, 0, 0},     // stays transparent
        {5, 30, 170, 185},  // d = 0.792: 255 - 255 x 0.092 / 0.3
        {25, 30, 255, 255}, // d = 0.25, inside the untouched part
    };
    for (const Case& c : cases) {
        const int o = OpacityOf(At(s, c.x, c.y));
        EXPECT_GE(o, c.low) << c.x << "," << c.y;
        EXPECT_LE(o, c.high) << c.x << "," << c.y;
    }
    EXPECT_EQ(At(s, 5, 30) & 0xFFFFFFu, 0xFFFFFFu);
}

TEST(ImageItemRender, RotationAndShadowSizes)
{
    // A quarter turn takes the bitmap's own rotated size (its bounding box rounds up).
    const auto turned = Gradient(40, 20).Rotate(90.0, 0, true, false);
    ASSERT_TRUE(turned);
    ASSERT_LE(turned->GetWidth(), 21);
    ASSERT_LE(turned->GetHeight(), 41);
    struct Case {
        double rotation;
        int shadow, offset, blur;
        int width, height;
    } cases[] = {
        {0.0, 0, 0, 0, 40, 20}, {90.0, 0, 0, 0, turned->GetWidth(), turned->GetHeight()}, {0.0, 1, 2, 4, 40 + 13, 20 + 13},
        {0.0, 1, -7, 0, 40 + 3, 20 + 3},
    };
    for (const Case& c : cases) {
        CImageItem item;
        item.m_dRotation = c.rotation;
        item.m_nShadowKind = c.shadow;
        item.m_nShadowOffset = c.offset;
        item.m_nShadowBlur = c.blur;
        Show(item, Gradient(40, 20));
        EXPECT_EQ(item.m_state[0].GetWidth(), c.width) << c.rotation << " " << c.shadow;
        EXPECT_EQ(item.m_state[0].GetHeight(), c.height) << c.rotation << " " << c.shadow;
        EXPECT_EQ(item.m_nWidth, c.width);
    }
    CImageItem big;
    big.m_nShadowKind = 1;
    big.m_nShadowOffset = 2;
    big.m_nShadowBlur = 4;
    Show(big, Solid(100, 50, 0));
    EXPECT_EQ(big.m_state[0].GetWidth(), 113);
    EXPECT_EQ(big.m_state[0].GetHeight(), 63);
}

TEST(ImageItemRender, OverStateShiftAndAdjustments)
{
    struct Case {
        COLORREF shift;
        int hue, brightness, saturation;
        std::uint32_t source, expected;
        bool rollover;
    } cases[] = {
        {0xFF808080u, 0, 0, 0, 0x00102030u, 0x00102030u, false},
        {0x00808080u, 0, 0, 0, 0x00102030u, 0x00102030u, true},
        {RGB(0xA0, 0x80, 0x60), 0, 0, 0, 0x00102030u, 0x00302010u, true},
        {RGB(0xFF, 0xFF, 0xFF), 0, 0, 0, 0x40F0F0F0u, 0x40FFFFFFu, true},
        {0xFF808080u, 0, -100, 0, 0x00FF8000u, 0x00000000u, true},
        {0xFF808080u, 120, 0, 0, 0x00FF0000u, 0x0000FF00u, true},
        {0xFF808080u, 0, 0, -100, 0x00FF0000u, 0x00FFFFFFu, true},
    };
    for (const Case& c : cases) {
        CImageItem item;
        item.m_crOverShift = c.shift;
        item.m_nHueShift = c.hue;
        item.m_nBrightnessShift = c.brightness;
        item.m_nSaturationShift = c.saturation;
        Show(item, Solid(4, 4, c.source));
        EXPECT_EQ(item.HasRollover(), c.rollover);
        item.RenderOverState();
        EXPECT_EQ(At(item.m_state[1], 2, 2), c.expected) << std::hex << c.shift << " " << c.hue << " " << c.brightness;
        EXPECT_EQ(At(item.m_state[0], 2, 2), c.source); // the normal look is untouched
    }
    CImageItem gif;
    gif.m_nType = ITEM_GIF;
    gif.m_crOverShift = 0x00808080u;
    EXPECT_FALSE(gif.HasRollover());
}

TEST(ImageItemRender, FrameAndShapeOfTheBorder)
{
    struct Case {
        int shape, frame, supersampling;
        std::pair<int, int> framePixel, inside, outside;
    } cases[] = {
        {0, 2, 0, {0, 10}, {5, 10}, {-1, -1}},
        {0, 2, 1, {1, 10}, {5, 10}, {-1, -1}},
        {1, 0, 0, {-1, -1}, {20, 10}, {0, 0}},
        {1, 3, 1, {20, 1}, {20, 10}, {0, 0}},
    };
    for (const Case& c : cases) {
        CImageItem item;
        item.m_nFrameShape = c.shape;
        item.m_nFrameWidth = c.frame;
        item.m_nSupersampling = c.supersampling;
        item.m_crFrame = RGB(0, 0, 255);
        Show(item, Solid(40, 20, 0x00FF0000u));
        CDib& s = item.m_state[0];
        ASSERT_EQ(s.GetWidth(), 40);
        if (c.framePixel.first >= 0) {
            EXPECT_EQ(At(s, c.framePixel.first, c.framePixel.second), 0x000000FFu) << c.shape << " " << c.frame;
        }
        EXPECT_EQ(At(s, c.inside.first, c.inside.second), 0x00FF0000u) << c.shape << " " << c.frame;
        if (c.outside.first >= 0) {
            EXPECT_EQ(OpacityOf(At(s, c.outside.first, c.outside.second)), 0) << c.shape << " " << c.frame;
        }
    }
}

TEST(ImageItemRender, ResizingAndTextSteps)
{
    CImageItem item;
    item.m_nPadding = 2;
    Show(item, Gradient(100, 40));
    EXPECT_EQ(item.m_nWidth, 104);
    item.SetRect(10, 20, 10 + 208, 20 + 88);
    EXPECT_EQ(item.m_nRenderWidth, 200);
    EXPECT_EQ(item.m_nRenderHeight, 80);
    EXPECT_EQ(item.m_nWidth, 204);
    EXPECT_EQ(item.m_nHeight, 84);
    EXPECT_EQ(item.m_nX, 10);

    CImageItem gif;
    gif.m_nType = ITEM_GIF;
    Show(gif, Gradient(10, 10));
    gif.SetRect(0, 0, 50, 30);
    EXPECT_EQ(gif.m_nRenderWidth, 50);
    EXPECT_EQ(gif.m_nWidth, 50);
    EXPECT_EQ(gif.m_nHeight, 30);

    // An item without a picture and without a size takes the rectangle.
    CImageItem empty;
    empty.SetRect(0, 0, 30, 20);
    EXPECT_EQ(empty.m_nRenderWidth, 30);
    EXPECT_EQ(empty.m_nRenderHeight, 20);

    struct Step {
        LONG height, down, up;
    } steps[] = {{-16, -14, -17}, {-5, -4, -6}, {-2, -1, -3}, {-1, -1, -2}, {20, 18, 22}, {3, 2, 4}};
    for (const Step& s : steps) {
        CImageItem t;
        t.m_lf.lfHeight = s.height;
        t.TextSizeDown();
        EXPECT_EQ(t.m_lf.lfHeight, s.down) << s.height;
        t.m_lf.lfHeight = s.height;
        t.TextSizeUp();
        EXPECT_EQ(t.m_lf.lfHeight, s.up) << s.height;
    }
}

} // namespace
