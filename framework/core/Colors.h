// The one place where the system's colour conventions meet Qt's.
//  - COLORREF: 0xTTBBGGRR, red in the low byte; T = 0xFF means "not set".
//  - Bitmap pixels: 0xTTRRGGBB, T = transparency (0 opaque, 255 fully transparent).
#pragma once
#include "framework/core/Types.h"
#include <QtGui/QColor>
#include <QtGui/QRgb>

namespace tessel {

constexpr bool ColorIsUnset(COLORREF c) { return (c >> 24) == 0xFF; }
constexpr COLORREF kColorUnset = 0xFF000000u;

// Transparency 0..255 of a COLORREF (high byte, only meaningful when set).
constexpr int ColorTransparency(COLORREF c) { return int(c >> 24); }

inline QColor ColorRefToQColor(COLORREF c)
{
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}
inline COLORREF QColorToColorRef(const QColor& c)
{
    return RGB(c.red(), c.green(), c.blue());
}

// Pixel 0xTTRRGGBB <-> Qt's premultiplied-free 0xAARRGGBB.
constexpr QRgb PixelToQRgb(std::uint32_t p) { return (p & 0x00FFFFFFu) | ((255u - (p >> 24)) << 24); }
constexpr std::uint32_t QRgbToPixel(QRgb q) { return (q & 0x00FFFFFFu) | ((255u - (q >> 24)) << 24); }

// COLORREF (BGR order) <-> pixel (RGB order), transparency kept in the high byte.
constexpr std::uint32_t ColorRefToPixel(COLORREF c)
{
    return (c & 0xFF000000u) | (COLORREF(GetRValue(c)) << 16) | (COLORREF(GetGValue(c)) << 8) | GetBValue(c);
}
constexpr COLORREF PixelToColorRef(std::uint32_t p)
{
    return (p & 0xFF000000u) | ((p >> 16) & 0xFFu) | (p & 0xFF00u) | ((p & 0xFFu) << 16);
}

} // namespace tessel
