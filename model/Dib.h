// The designer's in-memory image: 32-bit pixels 0xTTRRGGBB (T = transparency, 0 opaque,
// 255 fully transparent), rows stored bottom-up without padding. Every picture, item
// rendering, fill tile and clipboard image is one of these. Packed bitmap handles are
// the form in which images cross to the PNG and JPEG functions and the GIF decoder.
#pragma once
#include "framework/core/DataBlock.h"
#include "framework/core/Geometry.h"
#include "framework/core/PackedBitmap.h"
#include "framework/core/Types.h"
#include <cstddef>
#include <cstdint>
#include <memory>

class CDC;

class CDib {
public:
    // Largest side Create accepts; a width of exactly this is created but never valid.
    static constexpr int kMaxSide = 15000;
    static constexpr std::uint64_t kMaxImageBytes = 900000000u;

    CDib();
    ~CDib();
    CDib(const CDib& other);
    CDib& operator=(const CDib& other);
    CDib(CDib&& other) noexcept;
    CDib& operator=(CDib&& other) noexcept;

    // Allocates width x height zeroed pixels (black, opaque). The same size as now keeps
    // the pixels; a side beyond kMaxSide (or negative) or a failed allocation leaves the
    // image empty.
    void Create(int width, int height);
    void CreateWhite(int width, int height);
    void Free();
    bool IsValid() const;
    bool IsEmpty() const { return !m_block; }

    int GetWidth() const { return m_header.biWidth; }
    int GetHeight() const { return m_header.biHeight; }
    const BITMAPINFOHEADER& GetHeader() const { return m_header; }

    // Set when the last transparent draw found no transparent pixel. Code that writes
    // transparent pixels by other means than BlendPixel clears it.
    int GetOpaqueFlag() const { return m_opaque; }
    void SetOpaqueFlag(int flag) { m_opaque = flag; }

    // The pixel bytes of a valid image, null otherwise.
    BYTE* Lock();
    const BYTE* Lock() const;
    void Unlock() {}
    // Per-pixel access without a lock per call: GetPixel/SetPixel/BlendPixel need it.
    void BeginPixels();
    void EndPixels();
    bool HasPixels() const { return m_pixels != nullptr; }

    // y counted from the top. 0 outside the image or without BeginPixels.
    std::uint32_t GetPixel(int x, int y) const
    {
        if (!m_pixels || unsigned(x) >= unsigned(m_header.biWidth) || unsigned(y) >= unsigned(m_header.biHeight))
            return 0;
        return m_pixels[Index(x, y)];
    }
    void SetPixel(int x, int y, std::uint32_t value)
    {
        if (!m_pixels || unsigned(x) >= unsigned(m_header.biWidth) || unsigned(y) >= unsigned(m_header.biHeight))
            return;
        m_pixels[Index(x, y)] = value;
    }
    // Own access; 0xFFFFFF when the image is invalid or the point outside.
    std::uint32_t GetPixelChecked(int x, int y) const;
    // Blends a colour with transparency into one pixel (needs BeginPixels).
    void BlendPixel(int x, int y, std::uint32_t value);

    void FillBytes(BYTE value);
    // Fills left <= x < right, top <= y < bottom (y from the top); null: the whole image.
    void FillRect(std::uint32_t value, const CRect* rect = nullptr);

    void Copy(const CDib& source);
    void CopyPixels(const CDib& source);
    // Copies this image, T bytes included, into target with its top-left at x, y.
    void CopyTo(CDib& target, int x, int y) const;
    // The same placement, composited by this image's transparency.
    void CompositeTo(CDib& target, int x, int y) const;

    // From a packed bitmap of the exchange form (32 bits per pixel).
    bool CreateFromGlobal(const CPackedBitmap& packed);
    // From a packed block of any bit count (1, 4, 8, 16, 24, 32): header, colour table or
    // masks, pixels. The block's length bounds every read; a block that does not hold
    // what its header claims leaves the image empty and returns false.
    bool CreateFromGlobal(const BYTE* data, std::size_t size);
    bool CreateFromGlobal(const CDataBlock& block) { return CreateFromGlobal(block.Data(), block.Size()); }
    // Whether CreateFromGlobal can read the block.
    static bool IsPackedBlockValid(const BYTE* data, std::size_t size);
    // A packed copy (header and pixels); null when the image is invalid or memory is short.
    PackedBitmapPtr CopyToGlobal() const;

    // Area-weighted box filter over all four bytes; nothing when empty or a side < 1.
    void Resample(int newWidth, int newHeight);
    // A rotated copy; null when the image has no pixels.
    std::unique_ptr<CDib> Rotate(double degrees, std::uint32_t fill, bool smooth, bool shrink) const;

private:
    std::size_t Index(int x, int y) const
    {
        return std::size_t(m_header.biHeight - 1 - y) * std::size_t(m_header.biWidth) + std::size_t(x);
    }
    void ResetHeader();

    std::uint32_t* m_pixels = nullptr;      // set between BeginPixels and EndPixels
    std::unique_ptr<std::uint32_t[]> m_block;
    BITMAPINFOHEADER m_header;
    int m_opaque = 0;
};
