#include "model/ImageAdjust.h"

#include "framework/core/ColorConversions.h"
#include "model/Dib.h"
#include "model/items/ArtisticTextItem.h"
#include "model/items/ImageButtonItem.h"
#include "model/items/ShapeItem.h"
#include "model/items/SymbolItem.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

// The pixel block and its byte count, or null for an image that is not valid.
BYTE* PixelBytes(CDib& dib, std::size_t& size)
{
    if (!dib.IsValid())
        return nullptr;
    size = std::size_t(dib.GetWidth()) * std::size_t(dib.GetHeight()) * 4;
    return dib.Lock();
}

// Blue, green and red of every pixel through one table; the transparency byte is skipped.
void MapColourBytes(CDib& dib, const BYTE (&table)[256])
{
    std::size_t size = 0;
    BYTE* p = PixelBytes(dib, size);
    if (!p)
        return;
    for (std::size_t i = 0; i < size; ++i)
        if (i % 4 != 3)
            p[i] = table[p[i]];
    dib.Unlock();
}

constexpr COLORREF kInvertMask = 0x00FFFFFF;
void Invert(COLORREF& colour) { colour ^= kInvertMask; }
void Invert(int& value) { value = int(std::uint32_t(value) ^ kInvertMask); }

// Font, line and fill colours and the mouse-over shift that every drawn kind has.
void InvertCommonColors(CImageItemBase& item)
{
    Invert(item.m_crText);
    Invert(item.m_crFrame);
    Invert(item.m_crSecond);
    Invert(item.m_crOverShift);
}

void InvertArtisticColors(CArtisticTextItem& item)
{
    InvertCommonColors(item);
    Invert(item.m_crFill2);
    Invert(item.m_crLine2);
}

} // namespace

void ApplyBrightnessContrast(CDib& dib, const int* values)
{
    if (!values || !dib.IsValid())
        return;
    const int b = values[0], c = values[1], m = values[2];
    BYTE table[256];
    for (int v = 0; v < 256; ++v)
        table[v] = BYTE(std::clamp(v + (v - 128) * c / 100 + b, 0, 255));
    MapColourBytes(dib, table);
    if (m != 0)
        ApplyGamma(dib, (m / 2.0 + 50.0) / 50.0);
}

void ApplyGamma(CDib& dib, double gamma)
{
    if (!dib.IsValid())
        return;
    // A gamma of 0 is an infinite exponent: everything below full intensity goes to 0.
    const double exponent = gamma > 0.0 ? 1.0 / gamma : std::numeric_limits<double>::infinity();
    BYTE table[256];
    for (int v = 0; v < 256; ++v) {
        double g = std::pow(v / 255.0, exponent);
        if (g > 1.0)
            g = 1.0;
        if (!(g >= 0.0)) // below 0 or not a number
            g = 0.0;
        table[v] = BYTE(int(g * 255.0));
    }
    MapColourBytes(dib, table);
}

void ApplySaturation(CDib& dib, int saturation)
{
    std::size_t size = 0;
    BYTE* p = PixelBytes(dib, size);
    if (!p)
        return;
    const double f = saturation / 100.0;
    for (std::size_t i = 0; i + 3 < size; i += 4) {
        const double c[3] = {double(p[i]), double(p[i + 1]), double(p[i + 2])};
        const double grey = (c[0] + c[1] + c[2]) / 3.0;
        for (int k = 0; k < 3; ++k)
            p[i + std::size_t(k)] = BYTE(int(std::clamp(c[k] + (c[k] - grey) * f, 0.0, 255.0)));
    }
    dib.Unlock();
}

void ApplyHue(CDib& dib, int degrees)
{
    std::size_t size = 0;
    BYTE* p = PixelBytes(dib, size);
    if (!p)
        return;
    for (std::size_t i = 0; i + 3 < size; i += 4) {
        const int r = p[i], g = p[i + 1], b = p[i + 2];
        const int mx = std::max({r, g, b}), mn = std::min({r, g, b});
        const int v = mx * 100 / 255;
        const int s = mx == 0 ? 0 : (mx - mn) * 100 / mx;
        int h = 0;
        if (mx != mn) {
            const int rr = (r - mn) * 60 / (mx - mn), gg = (g - mn) * 60 / (mx - mn), bb = (b - mn) * 60 / (mx - mn);
            // later rules win
            if (rr == 0)
                h = bb + 180 - gg;
            if (gg == 0)
                h = rr + 300 - bb;
            if (bb == 0)
                h = 60 - rr + gg;
        }
        h += degrees;
        if (h < 0)
            h += 360;
        if (h >= 360)
            h -= 360;
        // a shift beyond one turn (not from the dialogs) still gives a hue of 0..359
        h = ((h % 360) + 360) % 360;
        const COLORREF rgb = tessel::HueToRgb(unsigned(h), unsigned(s), unsigned(v));
        p[i] = BYTE(rgb & 0xFF);
        p[i + 1] = BYTE((rgb >> 8) & 0xFF);
        p[i + 2] = BYTE((rgb >> 16) & 0xFF);
    }
    dib.Unlock();
}

void ApplyMakeTransparent(CDib& dib, COLORREF colour, int threshold)
{
    if (!dib.IsValid())
        return;
    const int cr = int(colour & 0xFF), cg = int((colour >> 8) & 0xFF), cb = int((colour >> 16) & 0xFF);
    const int w = dib.GetWidth(), h = dib.GetHeight();
    dib.BeginPixels();
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const std::uint32_t v = dib.GetPixel(x, y);
            const int red = int((v >> 16) & 0xFF), green = int((v >> 8) & 0xFF), blue = int(v & 0xFF);
            if (std::abs(cr - red) <= threshold && std::abs(cg - green) <= threshold && std::abs(cb - blue) <= threshold)
                dib.SetPixel(x, y, v | 0xFF000000u);
        }
    }
    dib.EndPixels();
    dib.SetOpaqueFlag(0); // transparent pixels were written without BlendPixel
}

void TurnPicture(CDib& dib, PictureTurn turn)
{
    if (!dib.IsValid())
        return;
    const int W = dib.GetWidth(), H = dib.GetHeight();
    const bool quarter = turn == PictureTurn::Rotate90CW || turn == PictureTurn::Rotate90CCW;
    CDib old;
    old.Copy(dib);
    CDib turned;
    turned.Create(quarter ? H : W, quarter ? W : H);
    if (!turned.IsValid())
        return;
    const int NW = turned.GetWidth(), NH = turned.GetHeight();
    old.BeginPixels();
    turned.BeginPixels();
    for (int Y = 0; Y < NH; ++Y) {
        for (int X = 0; X < NW; ++X) {
            int x = X, y = Y;
            switch (turn) {
            case PictureTurn::Rotate90CW: x = Y; y = H - 1 - X; break;
            case PictureTurn::Rotate90CCW: x = W - 1 - Y; y = X; break;
            case PictureTurn::Rotate180: x = W - 1 - X; y = H - 1 - Y; break;
            case PictureTurn::FlipHorizontal: x = W - 1 - X; break;
            case PictureTurn::FlipVertical: y = H - 1 - Y; break;
            }
            turned.SetPixel(X, Y, old.GetPixel(x, y));
        }
    }
    turned.EndPixels();
    old.EndPixels();
    turned.SetOpaqueFlag(dib.GetOpaqueFlag());
    dib = std::move(turned);
}

void InvertPixels(CDib& dib)
{
    if (!dib.IsValid())
        return;
    auto* p = reinterpret_cast<std::uint32_t*>(dib.Lock());
    const std::size_t n = std::size_t(dib.GetWidth()) * std::size_t(dib.GetHeight());
    for (std::size_t i = 0; i < n; ++i)
        p[i] ^= kInvertMask;
    dib.Unlock();
}

bool InvertItemColors(CImageItemBase& item)
{
    switch (item.m_nType) {
    case ITEM_IMAGE_BUTTON: {
        auto* button = dynamic_cast<CImageButtonItem*>(&item);
        if (!button)
            return false;
        InvertCommonColors(*button);
        Invert(button->m_crBackground);
        Invert(button->m_crHairline);
        return true;
    }
    case ITEM_ARTISTIC_TEXT: {
        auto* text = dynamic_cast<CArtisticTextItem*>(&item);
        if (!text)
            return false;
        InvertArtisticColors(*text);
        return true;
    }
    case ITEM_SYMBOL: {
        auto* symbol = dynamic_cast<CSymbolItem*>(&item);
        if (!symbol)
            return false;
        InvertCommonColors(*symbol);
        Invert(symbol->m_crFill2);
        Invert(symbol->m_crLine2);
        return true;
    }
    case ITEM_SHAPE: {
        auto* shape = dynamic_cast<CShapeItem*>(&item);
        if (!shape)
            return false;
        InvertCommonColors(*shape);
        Invert(shape->m_crGradient);
        Invert(shape->m_nFileNameWord); // the colour word the shape's file name carries
        InvertArtisticColors(shape->m_caption);
        return true;
    }
    default:
        return false;
    }
}
