// The designer's entry to the GIF decoder.
#pragma once
#include "framework/core/PackedBitmap.h"

// The first image of a GIF file as a 32-bit packed bitmap, or null when the file cannot
// be read, is not a GIF (after the message "No GIF Format") or holds no image.
PackedBitmapPtr LoadGifImage(const char* path);
