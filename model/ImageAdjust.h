// Pixel operations of the Image menu, on a CDib without a window: the live adjustments
// (tone, gamma, saturation, hue, a colour made transparent), exact quarter and half turns
// and mirrors that move whole pixels, and Invert of pixels and of the colour properties of
// the drawn picture items. An image that is not valid is left as it is by every one.
#pragma once
#include "framework/core/Types.h"

class CDib;
class CImageItemBase;

// Brightness, contrast and midtones, each -100..100, in this order (the dialogs pass the
// address of such a record).
struct ToneAdjustment {
    int brightness = 0;
    int contrast = 0;
    int midtones = 0;
};

// The colour (COLORREF, red in the low byte) to take out and how far a pixel may differ
// from it in each channel (0..255).
struct TransparencyKey {
    COLORREF colour = 0xFFFFFF;
    int threshold = 0;
};

// values: brightness, contrast, midtones. Colour bytes go through one table
// v + (v - 128) * contrast / 100 + brightness (clamped); midtones then apply a gamma of
// (midtones / 2 + 50) / 50. The transparency byte is never touched.
void ApplyBrightnessContrast(CDib& dib, const int* values);
// Every colour byte v becomes trunc(255 * (v / 255) ^ (1 / gamma)); a gamma of 0 or less
// leaves only 255 standing.
void ApplyGamma(CDib& dib, double gamma);
// Each colour byte moved away from (or, below 0, towards) the pixel's grey by s percent.
void ApplySaturation(CDib& dib, int saturation);
// The hue of each pixel turned by degrees in whole-percent hue, saturation and value steps
// (so even a shift of 0 quantises the colours). The byte at offset 0 is taken as red.
void ApplyHue(CDib& dib, int degrees);
// Pixels whose red, green and blue each lie within threshold of the colour become fully
// transparent; their colour bits stay.
void ApplyMakeTransparent(CDib& dib, COLORREF colour, int threshold);

// Exact turns and mirrors: whole 32-bit pixels move, nothing is blended.
enum class PictureTurn { Rotate90CW, Rotate90CCW, Rotate180, FlipHorizontal, FlipVertical };
void TurnPicture(CDib& dib, PictureTurn turn);

// Every pixel's red, green and blue become 255 minus themselves; transparency stays.
void InvertPixels(CDib& dib);
// XORs 0x00FFFFFF into every colour property of a drawn picture item (Image Button,
// Artistic Text, Symbol, Shape with its caption): the high byte, which says "unset",
// stays. Other kinds are left alone. False when the item is not such a kind.
bool InvertItemColors(CImageItemBase& item);
