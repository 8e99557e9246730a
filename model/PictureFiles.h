// JPEG and BMP picture files to and from packed bitmaps. PNG goes through Png.h.
#pragma once
#include "framework/core/DataBlock.h"
#include "framework/core/PackedBitmap.h"
#include "framework/core/Types.h"
#include <cstddef>
#include <vector>

// Decodes a JPEG file into a 32-bit packed bitmap (every pixel opaque). Null when the file
// is missing (no message) or cannot be decoded ("Error reading JPEG file").
PackedBitmapPtr ReadJpegFile(const char* path);
// The same from bytes in memory, with the same messages.
PackedBitmapPtr ReadJpegData(const BYTE* data, std::size_t size);

// Writes the bitmap as a baseline JPEG of quality qualityStep x 10; the transparency byte
// is dropped, so transparent pixels keep their colour. 1 when the whole file was written,
// 0 otherwise; a failed write leaves no file behind.
int WriteJpegFile(const char* path, const CPackedBitmap& bitmap, int qualityStep);
// The same into bytes in memory; false (after the message) when encoding failed.
bool WriteJpegData(const CPackedBitmap& bitmap, int qualityStep, std::vector<BYTE>& out);

// Writes bytes as the whole file at path (made or replaced). False when any byte could not
// be written; a partly written file is removed again.
bool WriteFileBytes(const char* path, const void* data, std::size_t size);

// Reads a Windows bitmap file into a packed block of the file's own bit count: the 40-byte
// header, masks and colour table, then the pixels (CDib::CreateFromGlobal converts it).
// Empty when the file is missing (no message) or not a bitmap it can read (a message).
CDataBlock LoadBmpFile(const char* path);
// The same from the bytes of a file.
CDataBlock LoadBmpData(const BYTE* data, std::size_t size);
