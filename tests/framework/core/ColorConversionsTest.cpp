// HSV conversions and shades of the colour companion, values written out.
#include "framework/core/ColorConversions.h"
#include "framework/core/Colors.h"

#include <gtest/gtest.h>

using namespace tessel;

TEST(ColorConversions, RgbToHsvAndBack)
{
    struct Case {
        int r, g, b;
        int hue, saturation, brightness;
        COLORREF back; // HueToRgb of the three values
    } const cases[] = {
        {0, 0, 0, 0, 0, 0, RGB(0, 0, 0)},
        {255, 255, 255, 0, 0, 100, RGB(255, 255, 255)},
        {255, 0, 0, 0, 100, 100, RGB(255, 0, 0)},
        {0, 255, 0, 120, 100, 100, RGB(0, 255, 0)},
        {0, 0, 255, 240, 100, 100, RGB(0, 0, 255)},
        {255, 255, 0, 60, 100, 100, RGB(255, 255, 0)},
        {0, 255, 255, 180, 100, 100, RGB(0, 255, 255)},
        {255, 0, 255, 300, 100, 100, RGB(255, 0, 255)},
        {51, 102, 153, 210, 66, 60, RGB(51, 102, 153)},
        // integer steps lose a little on the way back
        {128, 128, 128, 0, 0, 50, RGB(127, 127, 127)},
        {255, 128, 0, 30, 100, 100, RGB(255, 127, 0)},
        {200, 30, 90, 339, 85, 78, RGB(198, 29, 88)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.r << "," << c.g << "," << c.b);
        int hue = -1, saturation = -1, brightness = -1;
        RgbToHsv(c.r, c.g, c.b, hue, saturation, brightness);
        EXPECT_EQ(hue, c.hue);
        EXPECT_EQ(saturation, c.saturation);
        EXPECT_EQ(brightness, c.brightness);
        EXPECT_EQ(HueToRgb(unsigned(hue), unsigned(saturation), unsigned(brightness)), c.back);
    }
}

TEST(ColorConversions, HueToRgbKeepsOutOfRangeInputsInRange)
{
    EXPECT_EQ(HueToRgb(400, 150, 100), RGB(255, 170, 0)); // hue 40, saturation 100
    EXPECT_EQ(HueToRgb(359, 100, 100), RGB(255, 0, 5));
    EXPECT_EQ(HueToRgb(0, 0, 100), RGB(255, 255, 255));
    EXPECT_EQ(HueToRgb(30, 50, 50), RGB(127, 95, 63));
    EXPECT_EQ(HueToRgb(200, 100, 0), RGB(0, 0, 0));
}

TEST(ColorConversions, DarkenAndLightenAtTheBounds)
{
    struct Case {
        COLORREF in, dark, light;
    } const cases[] = {
        {RGB(0, 0, 0), RGB(0, 0, 0), RGB(0, 0, 0)},
        {RGB(255, 255, 255), RGB(170, 170, 170), RGB(255, 255, 255)},
        {RGB(170, 171, 1), RGB(113, 114, 0), RGB(255, 255, 1)},
        {RGB(1, 2, 3), RGB(0, 1, 2), RGB(1, 3, 4)},
        // the high byte ("not set", transparency) never survives a shade
        {0xFF102030u, RGB(0x20, 0x15, 0x0A), RGB(0x48, 0x30, 0x18)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DarkenColor(c.in), c.dark) << std::hex << c.in;
        EXPECT_EQ(LightenColor(c.in), c.light) << std::hex << c.in;
    }
}

TEST(ColorConversions, SetAndUnset)
{
    EXPECT_TRUE(ColorIsUnset(0xFF000000u));
    EXPECT_TRUE(ColorIsUnset(0xFFFFFFFFu));
    EXPECT_FALSE(ColorIsUnset(0xFE000000u));
    EXPECT_FALSE(ColorIsUnset(RGB(255, 255, 255)));
    EXPECT_TRUE(ColorIsUnset(kColorUnset));
}

// Tables carried over from the writers that used to hold these conversions.
TEST(ColorConversions, HueToRgbTable)
{
    struct Case { unsigned h, s, b; int r, g, bl; };
    const Case cases[] = {
        {0, 100, 100, 255, 0, 0},     {30, 100, 100, 255, 127, 0}, {90, 100, 100, 128, 255, 0},
        {120, 100, 100, 0, 255, 0},   {150, 100, 100, 0, 255, 127}, {210, 100, 100, 0, 128, 255},
        {240, 100, 100, 0, 0, 255},   {270, 100, 100, 127, 0, 255}, {330, 100, 100, 255, 0, 128},
        {359, 100, 100, 255, 0, 5},   {240, 50, 100, 127, 127, 255}, {0, 100, 50, 127, 0, 0},
        {0, 50, 50, 127, 63, 63},
        {360, 100, 100, 255, 0, 0},   {480, 100, 100, 0, 255, 0},   {0, 150, 100, 255, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.h);
        EXPECT_EQ(HueToRgb(c.h, c.s, c.b), RGB(c.r, c.g, c.bl));
    }
    for (unsigned hue = 0; hue < 360; hue += 7) {
        EXPECT_EQ(HueToRgb(hue, 0, 100), RGB(255, 255, 255)) << hue;
        EXPECT_EQ(HueToRgb(hue, 100, 0), RGB(0, 0, 0)) << hue;
    }
}

TEST(ColorConversions, DarkenAndLightenColours)
{
    const struct {
        COLORREF in, dark, light;
    } cases[] = {
        {0xFFFFFF, 0xAAAAAA, 0xFFFFFF},
        {0x808080, 0x555555, 0xC0C0C0},
        {0xC8C8C8, 0x858585, 0xFFFFFF},
        {0xFF102030, 0x0A1520, 0x183048}, // the high byte goes
        {0x000000, 0x000000, 0x000000},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DarkenColor(c.in), c.dark) << std::hex << c.in;
        EXPECT_EQ(LightenColor(c.in), c.light) << std::hex << c.in;
    }
}

TEST(ColorConversions, RgbToHsvOfKnownColours)
{
    struct Case {
        int r, g, b, hue, sat, val;
    } cases[] = {{255, 0, 0, 0, 100, 100},   {0, 255, 0, 120, 100, 100}, {0, 0, 255, 240, 100, 100},
                 {255, 255, 0, 60, 100, 100}, {0, 255, 255, 180, 100, 100}, {255, 0, 255, 300, 100, 100},
                 {0, 0, 0, 0, 0, 0},         {128, 128, 128, 0, 0, 50},   {255, 128, 0, 30, 100, 100},
                 {102, 51, 153, 270, 66, 60}};
    for (const auto& c : cases) {
        int h = -1, s = -1, v = -1;
        RgbToHsv(c.r, c.g, c.b, h, s, v);
        EXPECT_EQ(h, c.hue) << c.r << "," << c.g << "," << c.b;
        EXPECT_EQ(s, c.sat) << c.r << "," << c.g << "," << c.b;
        EXPECT_EQ(v, c.val) << c.r << "," << c.g << "," << c.b;
    }
}
