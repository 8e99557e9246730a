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
#include <vector>

class CBitmap;
class QImage;
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

    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    // The exchange form's header of the pixels as they are.
    BITMAPINFOHEADER GetHeader() const;

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
        if (!m_pixels || unsigned(x) >= unsigned(m_width) || unsigned(y) >= unsigned(m_height))
            return 0;
        return m_pixels[Index(x, y)];
    }
    void SetPixel(int x, int y, std::uint32_t value)
    {
        if (!m_pixels || unsigned(x) >= unsigned(m_width) || unsigned(y) >= unsigned(m_height))
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

    // From a bitmap of the drawing layer (every pixel opaque).
    bool CreateFromBitmap(const CBitmap& bitmap);

    // Draws the pixels 1:1 at x, y, the transparency byte ignored.
    void Draw(CDC* dc, int x, int y) const;
    // Draws blended over what the device shows, by each pixel's transparency.
    void DrawTransparent(CDC* dc, int x, int y);
    // The same scaled to width x height (nearest pixel).
    void DrawTransparentStretched(CDC* dc, int x, int y, int width, int height);

    // Area-weighted box filter over all four bytes; nothing when empty or a side < 1.
    void Resample(int newWidth, int newHeight);
    // A rotated copy; null when the image has no pixels.
    std::unique_ptr<CDib> Rotate(double degrees, std::uint32_t fill, bool smooth, bool shrink) const;
    // The size Rotate gives an image of width x height (before Create checks it).
    static CSize RotatedSize(int width, int height, double degrees, bool shrink);

private:
    std::size_t Index(int x, int y) const
    {
        return std::size_t(m_height - 1 - y) * std::size_t(m_width) + std::size_t(x);
    }
    void ResetSize();
    std::size_t ByteCount() const { return std::size_t(m_width) * std::size_t(m_height) * 4; }
    // The part of target (at x, y) that this image covers; false when none.
    bool PlaceOn(const CDib& target, int x, int y, CRect& area) const;
    void DrawBlended(CDC* dc, int x, int y, int width, int height);
    bool CreateFromBitmapImage(const QImage& image);

    std::uint32_t* m_pixels = nullptr;      // set between BeginPixels and EndPixels
    tessel::PixelBuffer m_block;
    // Every item and fill holds an image, most of them empty: the size is all of the
    // header that is not the same for every image.
    int m_width = 0;
    int m_height = 0;
    int m_opaque = 0;
};

// A picture most of its holders never get (a fill's tile: only gradients and see-through
// colours have one): held once written to; read access without it sees an empty picture.
class COptionalDib {
public:
    COptionalDib() = default;
    COptionalDib(const COptionalDib& other) { *this = other; }
    COptionalDib& operator=(const COptionalDib& other)
    {
        if (this != &other)
            m_p = other.m_p ? std::make_unique<CDib>(*other.m_p) : nullptr;
        return *this;
    }
    COptionalDib(COptionalDib&&) noexcept = default;
    COptionalDib& operator=(COptionalDib&&) noexcept = default;

    CDib& Edit()
    {
        if (!m_p)
            m_p = std::make_unique<CDib>();
        return *m_p;
    }
    void Free() { m_p.reset(); }
    const CDib& operator*() const { return m_p ? *m_p : Empty(); }
    const CDib* operator->() const { return &**this; }

private:
    static const CDib& Empty();
    std::unique_ptr<CDib> m_p;
};

// Learns which pixels a drawing covers by drawing it twice, once on black and once on
// white: a pixel that shows the same colour on both was painted, one that differs shows
// the background. Renderers: FillBackground(0), draw, Capture(0), FillBackground(1),
// draw again, Capture(1), then GetPixel for every pixel.
class CAlphaCapture {
public:
    CAlphaCapture(int width, int height);
    ~CAlphaCapture();
    CAlphaCapture(const CAlphaCapture&) = delete;
    CAlphaCapture& operator=(const CAlphaCapture&) = delete;

    // The memory device context to draw on.
    CDC& GetDC() { return *m_dc; }
    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    // Fills the whole surface black (0) or white (1).
    void FillBackground(int white);
    // Keeps what the surface shows as rendering n (0 or 1).
    void Capture(int n);
    // The colour of rendering 0 as a COLORREF (red in the low byte), with 0xFF in the
    // high byte where the two renderings differ; 0xFF808081 outside the surface.
    COLORREF GetPixel(int x, int y) const;

private:
    std::unique_ptr<CDC> m_dc;
    std::unique_ptr<CBitmap> m_bitmap;
    CBitmap* m_oldBitmap = nullptr;
    std::vector<BYTE> m_capture[2]; // 24-bit rows, B, G, R, top-down, stride m_stride
    int m_stride = 0;
    int m_width = 0;
    int m_height = 0;
};

// Conversions with Qt's pictures (pasted, dropped or shown pictures): an empty bitmap
// for a null picture or one too large for a bitmap, a null picture for an empty bitmap.
CDib DibFromQImage(const QImage& image);
QImage DibToQImage(const CDib& dib);
