// Effects on rendered bitmaps shared by the pictures and the bitmap-rendered items:
// channel shifts, drop shadows and edge fades.
#pragma once
#include "framework/core/Types.h"
#include <cstdint>
#include <memory>

class CDib;

// The largest blur radius of a drop shadow.
constexpr int kMaxShadowRadius = 32;

// Adds delta to each of the three low bytes, clamped to 0..255; the high byte is kept.
std::uint32_t AddToChannels(std::uint32_t colour, int delta);

// A drop shadow under source: the result is larger by offset + 2 radius + 1 on each axis,
// the source at (radius, radius). Opacity in percent; colour a pixel (0xTTRRGGBB);
// background a COLORREF for the uncovered pixels (made fully transparent). Offsets below
// 0 count as 0, radii are kept in 1..32. Null when the source has no pixels.
std::unique_ptr<CDib> MakeShadowBitmap(const CDib* source, int opacityPercent, int offset, int radius,
    std::uint32_t colour, COLORREF background);

// The size MakeShadowBitmap gives a source of sw x sh, found without its pixels: false
// when they decide it (a blur too costly for the largest windows may be reduced) or when
// the result would be too large to make.
bool ShadowBitmapSize(int sw, int sh, int offset, int radius, int& width, int& height);

// Edge fades on a bitmap. Linear: the flagged sides fade over size percent of the width
// or height. Elliptical: outside the ellipse chosen by the flags fully transparent, a
// band of size percent of the normalised distance fading towards it. Transparent pixels
// stay transparent. size is kept in 0..100.
void ApplyLinearEdgeFade(CDib& dib, int left, int right, int top, int bottom, int size);
void ApplyEllipticalEdgeFade(CDib& dib, int left, int right, int top, int bottom, double band);
