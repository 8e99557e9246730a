// A packed bitmap handle: the 40-byte bitmap header (one plane, 32 bits per pixel, no
// colour table) and the pixels, rows bottom-up, each pixel 0xTTRRGGBB (T = transparency).
// It is the form in which bitmaps cross to the PNG functions, the JPEG writer and out of
// the GIF decoder. Whoever receives one owns it.
#pragma once
#include "framework/core/Types.h"
#include <cstddef>
#include <memory>
#include <vector>

#pragma pack(push, 1)
struct BITMAPINFOHEADER {
    DWORD biSize = 40;
    LONG biWidth = 0;
    LONG biHeight = 0; // positive: rows bottom-up
    WORD biPlanes = 1;
    WORD biBitCount = 32;
    DWORD biCompression = 0;
    DWORD biSizeImage = 0;
    LONG biXPelsPerMeter = 0;
    LONG biYPelsPerMeter = 0;
    DWORD biClrUsed = 0;
    DWORD biClrImportant = 0;
};
#pragma pack(pop)
static_assert(sizeof(BITMAPINFOHEADER) == 40);

namespace tessel {
// Zeroed memory for pixels. Blocks of megabytes are mapped on their own with transparent
// huge pages, which makes the first touch of a large picture several times cheaper.
struct PixelDeleter {
    void* base = nullptr;  // the mapping, when the block is one
    std::size_t length = 0;
    void operator()(std::uint32_t* p) const;
};
using PixelBuffer = std::unique_ptr<std::uint32_t[], PixelDeleter>;
// count zeroed pixels; null when memory is short.
PixelBuffer AllocatePixels(std::size_t count);
} // namespace tessel

class CPackedBitmap {
public:
    // A 32-bit bitmap of the given size, pixels zeroed; null when a side is not in
    // 1..maxSide or memory is short.
    static std::unique_ptr<CPackedBitmap> Create(int width, int height, int maxSide = 15000);

    const BITMAPINFOHEADER& Header() const { return m_header; }
    int Width() const { return m_header.biWidth; }
    int Height() const { return m_header.biHeight; }
    // Pixels, Width() * Height() values, the bottom row first.
    std::uint32_t* Bits() { return m_pixels.get(); }
    const std::uint32_t* Bits() const { return m_pixels.get(); }
    std::size_t PixelCount() const { return m_count; }
    // Pixel at (x, y) with y counted from the top.
    std::uint32_t& At(int x, int y) { return m_pixels[std::size_t(Height() - 1 - y) * std::size_t(Width()) + std::size_t(x)]; }
    std::uint32_t At(int x, int y) const { return m_pixels[std::size_t(Height() - 1 - y) * std::size_t(Width()) + std::size_t(x)]; }
    // Non-zero: the fourth byte of each pixel is transparency; 0: it means nothing and
    // readers take every pixel as opaque. New bitmaps carry transparency.
    void SetClrImportant(DWORD value) { m_header.biClrImportant = value; }
    // Size of the whole block as the platform counted it: header plus pixels.
    std::size_t BlockSize() const { return sizeof(BITMAPINFOHEADER) + m_count * 4; }

private:
    CPackedBitmap() = default;
    BITMAPINFOHEADER m_header;
    tessel::PixelBuffer m_pixels;
    std::size_t m_count = 0;
};
using PackedBitmapPtr = std::unique_ptr<CPackedBitmap>;
