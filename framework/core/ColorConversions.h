// Colour conversions and shading in the system's integer conventions, beside Colors.h:
// HSV <-> RGB as the colour dialog and the picture effects compute them, and the darker
// and lighter shades of the button looks. Every such conversion lives here.
#pragma once
#include "framework/core/Types.h"

namespace tessel {

// A pure hue (0-359, taken modulo 360) lightened by (100 - saturation)% towards white,
// then scaled by brightness%; saturation above 100 counts as 100. Integer arithmetic;
// the high byte of the result is 0.
COLORREF HueToRgb(unsigned hue, unsigned saturation, unsigned brightness);
// The inverse of HueToRgb for channels 0-255: hue 0-359 (0 for greys), saturation and
// brightness 0-100, in integer arithmetic (so a round trip may be off by a step).
void RgbToHsv(int red, int green, int blue, int& hue, int& saturation, int& brightness);

// Each channel 2c / 3; the high byte becomes 0.
COLORREF DarkenColor(COLORREF color);
// Each channel min(3c / 2, 255); the high byte becomes 0.
COLORREF LightenColor(COLORREF color);

} // namespace tessel
