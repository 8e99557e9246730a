// PNG files to and from packed bitmaps (32 bits per pixel, 0xTTRRGGBB, rows bottom-up).
// Any PNG colour type, bit depth and interlacing reads; 16-bit samples keep their high
// byte. What SavePNG writes, LoadPNG gives back pixel for pixel, transparency included.
#pragma once
#include "framework/core/PackedBitmap.h"
#include "framework/core/Types.h"
#include <cstddef>
#include <vector>

// Reads a PNG file; null when there is no picture (missing, not PNG, damaged, too big).
PackedBitmapPtr LoadPNG(const char* path);
// The same from bytes in memory; every read is bounded by size.
PackedBitmapPtr LoadPNGData(const BYTE* data, std::size_t size);

// Writes the bitmap as a PNG file. Returns 1 when the whole file was written, 0 otherwise;
// a failed write leaves no file behind and does not replace a file already there.
int SavePNG(const char* path, const CPackedBitmap& bitmap);
// Encodes into bytes; false when encoding failed.
bool SavePNGData(const CPackedBitmap& bitmap, std::vector<BYTE>& out);

namespace tessel {
// Writes bytes to a temporary file beside path and renames it over path once complete:
// either the whole new file is there or the old state is untouched. False on failure.
bool WriteFileReplacing(const char* path, const void* data, std::size_t size);
}
