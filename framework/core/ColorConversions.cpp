#include "framework/core/ColorConversions.h"
#include <algorithm>

namespace tessel {

COLORREF HueToRgb(unsigned hue, unsigned saturation, unsigned brightness)
{
    // Out-of-range inputs would wrap the unsigned arithmetic into arbitrary colours.
    hue %= 360;
    saturation = std::min(saturation, 100u);
    unsigned r, g, b;
    auto f = [hue](unsigned start) { return (hue - start) * 255 / 60; };
    if (hue < 60) {
        r = 255; g = f(0); b = 0;
    } else if (hue < 120) {
        r = 255 - f(60); g = 255; b = 0;
    } else if (hue < 180) {
        r = 0; g = 255; b = f(120);
    } else if (hue < 240) {
        r = 0; g = 255 - f(180); b = 255;
    } else if (hue < 300) {
        r = f(240); g = 0; b = 255;
    } else {
        r = 255; g = 0; b = 255 - f(300);
    }
    auto shade = [&](unsigned c) {
        return (c + (255 - c) * (100 - saturation) / 100) * brightness / 100 & 0xFF;
    };
    return shade(r) | shade(g) << 8 | shade(b) << 16;
}

void RgbToHsv(int red, int green, int blue, int& hue, int& saturation, int& brightness)
{
    const int mx = std::max({red, green, blue});
    const int mn = std::min({red, green, blue});
    brightness = mx * 100 / 255;
    saturation = mx == 0 ? 0 : (mx - mn) * 100 / mx;
    hue = 0;
    if (mx == mn)
        return;
    // The channel at the minimum is 0 after the shift; the other two place the hue in
    // its sixth of the circle.
    const int r = (red - mn) * 60 / (mx - mn);
    const int g = (green - mn) * 60 / (mx - mn);
    const int b = (blue - mn) * 60 / (mx - mn);
    if (r == 0)
        hue = b + 180 - g;
    if (g == 0)
        hue = r + 300 - b;
    if (b == 0)
        hue = 60 - r + g;
}

COLORREF DarkenColor(COLORREF c)
{
    return RGB(GetRValue(c) * 2 / 3, GetGValue(c) * 2 / 3, GetBValue(c) * 2 / 3);
}

COLORREF LightenColor(COLORREF c)
{
    return RGB(std::min(GetRValue(c) * 3 / 2, 255), std::min(GetGValue(c) * 3 / 2, 255), std::min(GetBValue(c) * 3 / 2, 255));
}

} // namespace tessel
