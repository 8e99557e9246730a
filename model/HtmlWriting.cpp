#include "model/HtmlWriting.h"
#include <algorithm>

CString ColorToHtml(COLORREF color)
{
    char buf[8];
    const BYTE channels[3] = {GetRValue(color), GetGValue(color), GetBValue(color)};
    buf[0] = '#';
    for (int i = 0; i < 3; ++i) {
        buf[1 + 2 * i] = HexDigit(channels[i] >> 4);
        buf[2 + 2 * i] = HexDigit(channels[i] & 0x0F);
    }
    buf[7] = 0;
    return CString(buf);
}

char HexDigit(int n)
{
    if (n >= 0 && n <= 9)
        return char('0' + n);
    if (n >= 10 && n <= 15)
        return char('A' + n - 10);
    return ' ';
}

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
