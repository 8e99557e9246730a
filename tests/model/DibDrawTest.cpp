#include "framework/core/DcTestSupport.h"
#include "model/Dib.h"

#include <gtest/gtest.h>

namespace {

// COLORREF of a pixel 0xTTRRGGBB, transparency dropped.
COLORREF Ref(std::uint32_t p)
{
    return tessel::PixelToColorRef(p) & 0xFFFFFFu;
}

CDib Make(int w, int h, std::initializer_list<std::uint32_t> px)
{
    CDib d;
    d.Create(w, h);
    d.BeginPixels();
    auto it = px.begin();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            d.SetPixel(x, y, *it++);
    d.EndPixels();
    return d;
}

class DibDraw : public ::testing::Test {
protected:
    void SetUp() override { dctest::EnsureGuiApplication(); }
};

} // namespace

TEST_F(DibDraw, DrawCopiesPixelsIgnoringTransparency)
{
    dctest::Canvas c(10, 10);
    CDib d = Make(2, 2, {0x00FF0000u, 0xFF00FF00u, 0x800000FFu, 0x00123456u});
    d.Draw(&c.dc, 3, 4);
    EXPECT_EQ(c.At(3, 4), RGB(255, 0, 0));
    EXPECT_EQ(c.At(4, 4), RGB(0, 255, 0));
    EXPECT_EQ(c.At(3, 5), RGB(0, 0, 255));
    EXPECT_EQ(c.At(4, 5), Ref(0x00123456u));
    EXPECT_EQ(c.At(2, 4), RGB(255, 255, 255));
    EXPECT_EQ(c.At(5, 5), RGB(255, 255, 255));
}

TEST_F(DibDraw, DrawTransparentBlendsOverTheDevice)
{
    struct Case { std::uint32_t pixel; COLORREF background, expect; } cases[] = {
        {0x00FF0000u, RGB(255, 255, 255), RGB(255, 0, 0)},
        {0xFF00FF00u, RGB(10, 20, 30), RGB(10, 20, 30)},
        {0x80000000u, RGB(255, 255, 255), RGB(128 * 255 / 255, 128 * 255 / 255, 128 * 255 / 255)},
        {0x40C86432u, RGB(0, 100, 250),
            RGB((191 * 200 + 64 * 0) / 255, (191 * 100 + 64 * 100) / 255, (191 * 50 + 64 * 250) / 255)},
    };
    for (const Case& k : cases) {
        dctest::Canvas c(6, 6);
        c.dc.FillSolidRect(CRect(0, 0, 6, 6), k.background);
        CDib d = Make(1, 1, {k.pixel});
        d.DrawTransparent(&c.dc, 2, 3);
        EXPECT_EQ(c.At(2, 3), k.expect) << std::hex << k.pixel;
        EXPECT_EQ(c.At(3, 3), k.background);
        EXPECT_EQ(d.GetOpaqueFlag(), (k.pixel >> 24) == 0 ? 1 : 0);
    }
}

TEST_F(DibDraw, OpaqueFlagTakesThePlainPath)
{
    dctest::Canvas c(4, 4);
    CDib d = Make(1, 1, {0xFF0000FFu});
    d.SetOpaqueFlag(1); // says "no transparency": drawn as it stands
    d.DrawTransparent(&c.dc, 0, 0);
    EXPECT_EQ(c.At(0, 0), RGB(0, 0, 255));
}

TEST_F(DibDraw, DrawTransparentStretchedTakesNearestPixels)
{
    dctest::Canvas c(8, 8);
    CDib d = Make(2, 1, {0x00FF0000u, 0xFF000000u});
    d.DrawTransparentStretched(&c.dc, 1, 1, 4, 2);
    for (int y = 1; y < 3; ++y) {
        EXPECT_EQ(c.At(1, y), RGB(255, 0, 0));
        EXPECT_EQ(c.At(2, y), RGB(255, 0, 0));
        EXPECT_EQ(c.At(3, y), RGB(255, 255, 255)); // transparent half
        EXPECT_EQ(c.At(4, y), RGB(255, 255, 255));
    }
    EXPECT_EQ(c.At(1, 3), RGB(255, 255, 255));
}

TEST_F(DibDraw, CreateFromBitmapIsOpaque)
{
    dctest::Canvas c(5, 3);
    c.dc.FillSolidRect(CRect(1, 1, 3, 2), RGB(10, 20, 30));
    CDib d;
    d.SetOpaqueFlag(1);
    ASSERT_TRUE(d.CreateFromBitmap(c.bitmap));
    EXPECT_EQ(d.GetWidth(), 5);
    EXPECT_EQ(d.GetHeight(), 3);
    EXPECT_EQ(d.GetOpaqueFlag(), 0);
    EXPECT_EQ(d.GetPixelChecked(1, 1), 0x000A141Eu);
    EXPECT_EQ(d.GetPixelChecked(0, 0), 0x00FFFFFFu);
}

TEST_F(DibDraw, AlphaCaptureFindsWhatWasPainted)
{
    CAlphaCapture cap(6, 4);
    for (int n = 0; n < 2; ++n) {
        cap.FillBackground(n);
        cap.GetDC().FillSolidRect(CRect(2, 1, 4, 3), RGB(200, 100, 50));
        cap.Capture(n);
    }
    EXPECT_EQ(cap.GetPixel(2, 1), RGB(200, 100, 50));
    EXPECT_EQ(cap.GetPixel(3, 2), RGB(200, 100, 50));
    EXPECT_EQ(cap.GetPixel(0, 0), 0xFF000000u); // background: black in rendering 0, differs
    EXPECT_EQ(cap.GetPixel(5, 3), 0xFF000000u);
    EXPECT_EQ(cap.GetPixel(6, 0), 0xFF808081u);
    EXPECT_EQ(cap.GetPixel(-1, 2), 0xFF808081u);
}
