#include "model/Dib.h"

#include "framework/core/Dc.h"
#include "framework/core/Colors.h"
#include "framework/core/Gdi.h"

#include <QtGui/QImage>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <vector>

namespace {

constexpr DWORD kBiRgb = 0;
constexpr DWORD kBiBitfields = 3;

DWORD ReadDword(const BYTE* p)
{
    return DWORD(p[0]) | (DWORD(p[1]) << 8) | (DWORD(p[2]) << 16) | (DWORD(p[3]) << 24);
}

std::uint64_t Stride(std::uint64_t width, unsigned bits)
{
    return ((width * bits + 31) / 32) * 4;
}

// One channel of a bit-field pixel scaled to 0..255; a zero mask gives 0.
struct MaskChannel {
    DWORD mask = 0;
    int shift = 0;
    DWORD max = 0;
    explicit MaskChannel(DWORD m) : mask(m)
    {
        if (m) {
            while (!((m >> shift) & 1u))
                ++shift;
            max = m >> shift;
        }
    }
    DWORD Get(DWORD pixel) const { return max ? ((pixel & mask) >> shift) * 255u / max : 0u; }
};

} // namespace

const CDib& COptionalDib::Empty()
{
    static const CDib empty;
    return empty;
}

CDib::CDib()
{
    ResetSize();
}

CDib::~CDib() = default;

CDib::CDib(const CDib& other) : CDib()
{
    CopyPixels(other);
    m_opaque = other.m_opaque;
}

CDib& CDib::operator=(const CDib& other)
{
    if (this != &other) {
        CopyPixels(other);
        m_opaque = other.m_opaque;
    }
    return *this;
}

CDib::CDib(CDib&& other) noexcept
    : m_block(std::move(other.m_block)), m_width(other.m_width), m_height(other.m_height), m_opaque(other.m_opaque)
{
    other.m_pixels = nullptr;
    other.ResetSize();
}

CDib& CDib::operator=(CDib&& other) noexcept
{
    if (this != &other) {
        m_pixels = nullptr;
        m_block = std::move(other.m_block);
        m_width = other.m_width;
        m_height = other.m_height;
        m_opaque = other.m_opaque;
        other.m_pixels = nullptr;
        other.ResetSize();
    }
    return *this;
}

void CDib::ResetSize()
{
    m_width = m_height = 0;
}

BITMAPINFOHEADER CDib::GetHeader() const
{
    BITMAPINFOHEADER header;
    header.biWidth = m_width;
    header.biHeight = m_height;
    header.biSizeImage = m_block ? DWORD(ByteCount()) : 0;
    header.biClrImportant = 0xFFFFFFFFu;
    return header;
}

void CDib::Create(int width, int height)
{
    if (width == m_width && height == m_height)
        return;
    EndPixels();
    m_block.reset();
    ResetSize();
    if (unsigned(width) > unsigned(kMaxSide) || unsigned(height) > unsigned(kMaxSide))
        return;
    const std::size_t count = std::size_t(width) * std::size_t(height);
    if (count) {
        m_block = tessel::AllocatePixels(count);
        if (!m_block)
            return; // out of memory: stays empty, so a later Create at this size retries
    }
    m_width = width;
    m_height = height;
}

void CDib::CreateWhite(int width, int height)
{
    Create(width, height);
    FillBytes(0xFF);
}

void CDib::Free()
{
    EndPixels();
    m_block.reset();
    ResetSize();
}

bool CDib::IsValid() const
{
    return m_block && m_height >= 1 && m_height <= kMaxSide && m_width >= 1 && m_width < kMaxSide
        && ByteCount() <= kMaxImageBytes;
}

BYTE* CDib::Lock()
{
    return IsValid() ? reinterpret_cast<BYTE*>(m_block.get()) : nullptr;
}

const BYTE* CDib::Lock() const
{
    return IsValid() ? reinterpret_cast<const BYTE*>(m_block.get()) : nullptr;
}

void CDib::BeginPixels()
{
    m_pixels = reinterpret_cast<std::uint32_t*>(Lock());
}

void CDib::EndPixels()
{
    m_pixels = nullptr;
}

std::uint32_t CDib::GetPixelChecked(int x, int y) const
{
    if (!IsValid() || unsigned(x) >= unsigned(m_width) || unsigned(y) >= unsigned(m_height))
        return 0xFFFFFFu;
    return m_block[Index(x, y)];
}

void CDib::BlendPixel(int x, int y, std::uint32_t value)
{
    m_opaque = 0;
    if (!m_pixels || unsigned(x) >= unsigned(m_width) || unsigned(y) >= unsigned(m_height))
        return;
    std::uint32_t& p = m_pixels[Index(x, y)];
    const std::uint32_t tc = value >> 24, tp = p >> 24;
    std::uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const std::uint32_t pc = (p >> shift) & 0xFFu, cc = (value >> shift) & 0xFFu;
        const std::uint32_t ch = (((255u - tp) * pc / 255u) * tc + (255u - tc) * cc) / 255u;
        out |= (ch & 0xFFu) << shift;
    }
    const std::uint32_t t = tp - tp * (255u - tc) / 255u;
    p = out | (t << 24);
}

void CDib::FillBytes(BYTE value)
{
    if (m_block)
        std::memset(m_block.get(), value, ByteCount());
}

void CDib::FillRect(std::uint32_t value, const CRect* rect)
{
    std::uint32_t* px = reinterpret_cast<std::uint32_t*>(Lock());
    if (!px)
        return;
    const int w = m_width, h = m_height;
    CRect r(0, 0, w, h);
    if (rect && !r.IntersectRect(r, *rect))
        return;
    for (int y = r.top; y < r.bottom; ++y) {
        std::uint32_t* row = px + Index(0, y);
        std::fill(row + r.left, row + r.right, value);
    }
}

void CDib::Copy(const CDib& source)
{
    CopyPixels(source);
    m_opaque = 0;
}

void CDib::CopyPixels(const CDib& source)
{
    if (this == &source)
        return;
    if (!source.m_block) {
        Free();
        return;
    }
    Create(source.m_width, source.m_height);
    if (m_block)
        std::memcpy(m_block.get(), source.m_block.get(), ByteCount());
}

namespace {

// The part of source (w x h at x, y) that lands on a target of tw x th.
bool ClipPlacement(int w, int h, int tw, int th, int x, int y, CRect& dst)
{
    return dst.IntersectRect(CRect(x, y, x + w, y + h), CRect(0, 0, tw, th));
}

} // namespace

bool CDib::PlaceOn(const CDib& target, int x, int y, CRect& area) const
{
    return IsValid() && target.IsValid() && this != &target
        && ClipPlacement(GetWidth(), GetHeight(), target.GetWidth(), target.GetHeight(), x, y, area);
}

void CDib::CopyTo(CDib& target, int x, int y) const
{
    CRect r;
    if (!PlaceOn(target, x, y, r))
        return;
    for (int ty = r.top; ty < r.bottom; ++ty)
        std::memcpy(target.m_block.get() + target.Index(r.left, ty), m_block.get() + Index(r.left - x, ty - y), std::size_t(r.Width()) * 4);
}

void CDib::CompositeTo(CDib& target, int x, int y) const
{
    CRect r;
    if (!PlaceOn(target, x, y, r))
        return;
    for (int ty = r.top; ty < r.bottom; ++ty) {
        const std::uint32_t* s = m_block.get() + Index(r.left - x, ty - y);
        std::uint32_t* d = target.m_block.get() + target.Index(r.left, ty);
        for (int i = 0; i < r.Width(); ++i) {
            const std::uint32_t sp = s[i], ts = sp >> 24, td = d[i] >> 24;
            if (ts == 0 || td == 255) {
                d[i] = sp;
            } else if (ts < 255) {
                std::uint32_t out = 0;
                for (int shift = 0; shift < 24; shift += 8) {
                    const std::uint32_t a = (d[i] >> shift) & 0xFFu, b = (sp >> shift) & 0xFFu;
                    out |= ((ts * a + (255u - ts) * b) / 255u) << shift;
                }
                d[i] = out;
            }
        }
    }
}

bool CDib::CreateFromGlobal(const CPackedBitmap& packed)
{
    const BITMAPINFOHEADER& h = packed.Header();
    Create(h.biWidth, h.biHeight);
    if (!m_block || packed.PixelCount() != std::size_t(h.biWidth) * std::size_t(h.biHeight)) {
        Free();
        return false;
    }
    std::uint32_t* dst = m_block.get();
    const std::uint32_t* src = packed.Bits();
    const std::size_t n = packed.PixelCount();
    if (h.biClrImportant) {
        std::memcpy(dst, src, n * 4);
    } else {
        for (std::size_t i = 0; i < n; ++i)
            dst[i] = src[i] & 0x00FFFFFFu;
    }
    return true;
}

namespace {

// Where the parts of a packed block lie; every offset checked against the block's length.
struct PackedLayout {
    BITMAPINFOHEADER header;
    unsigned bits = 0;
    bool topDown = false;
    bool bitfields = false;
    int width = 0;
    int height = 0;
    DWORD masks[3] = {0, 0, 0};
    std::uint64_t tableOffset = 0;
    std::uint64_t tableCount = 0;
    std::uint64_t pixelOffset = 0;
    std::uint64_t stride = 0;
};

bool ParsePacked(const BYTE* data, std::size_t size, PackedLayout& l)
{
    if (!data || size < sizeof(BITMAPINFOHEADER))
        return false;
    BITMAPINFOHEADER& h = l.header;
    std::memcpy(&h, data, sizeof h);
    l.bits = h.biBitCount;
    l.topDown = h.biHeight < 0;
    const std::int64_t width = h.biWidth;
    const std::int64_t height = l.topDown ? -std::int64_t(h.biHeight) : std::int64_t(h.biHeight);
    const unsigned bits = l.bits;
    const bool knownBits = bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    l.bitfields = h.biCompression == kBiBitfields && (bits == 16 || bits == 32);
    if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biSize > size || !knownBits || width < 1 || height < 1
        || width > CDib::kMaxSide || height > CDib::kMaxSide || (h.biCompression != kBiRgb && !l.bitfields && bits != 32))
        return false;
    l.width = int(width);
    l.height = int(height);

    std::uint64_t offset = h.biSize;
    if (bits == 1)
        l.tableCount = 2;
    else if (bits == 4)
        l.tableCount = h.biClrUsed ? h.biClrUsed : 16;
    else if (bits == 8)
        l.tableCount = h.biClrUsed ? h.biClrUsed : 256;
    if (l.bitfields) {
        // The three masks follow a 40-byte header; longer headers hold them inside.
        if (std::uint64_t(sizeof(BITMAPINFOHEADER)) + 12 > size)
            return false;
        for (int i = 0; i < 3; ++i)
            l.masks[i] = ReadDword(data + sizeof(BITMAPINFOHEADER) + 4 * i);
        if (h.biSize == sizeof(BITMAPINFOHEADER))
            offset += 12;
    }
    l.tableOffset = offset;
    offset += l.tableCount * 4;
    l.pixelOffset = offset;
    l.stride = Stride(std::uint64_t(width), bits);
    return offset <= size && l.stride * std::uint64_t(height) <= size - offset;
}

} // namespace

bool CDib::IsPackedBlockValid(const BYTE* data, std::size_t size)
{
    PackedLayout l;
    return ParsePacked(data, size, l);
}

bool CDib::CreateFromGlobal(const BYTE* data, std::size_t size)
{
    PackedLayout l;
    if (!ParsePacked(data, size, l)) {
        Free();
        return false;
    }
    const BITMAPINFOHEADER& h = l.header;
    const unsigned bits = l.bits;
    const bool topDown = l.topDown, bitfields = l.bitfields;
    const std::int64_t width = l.width, height = l.height;
    const std::uint64_t tableCount = l.tableCount, tableOffset = l.tableOffset, offset = l.pixelOffset, stride = l.stride;
    const DWORD* masks = l.masks;

    Create(int(width), int(height));
    if (!m_block)
        return false;
    m_opaque = 0;

    std::uint32_t palette[256];
    std::uint32_t usable = 0;
    if (tableCount) {
        usable = std::uint32_t(std::min<std::uint64_t>(tableCount, 256));
        for (std::uint32_t i = 0; i < usable; ++i)
            palette[i] = ReadDword(data + tableOffset + 4 * i) & 0x00FFFFFFu;
        // An index beyond the table gives black.
        for (std::uint32_t i = usable; i < 256; ++i)
            palette[i] = 0;
    }

    const BYTE* pixels = data + offset;
    const int w = int(width), hgt = int(height);
    auto rowOf = [&](int y) { // source row holding the image row y (from the top)
        return pixels + std::size_t(topDown ? y : hgt - 1 - y) * std::size_t(stride);
    };
    std::uint32_t* dst = m_block.get();

    if (bits == 32 && h.biCompression != kBiRgb && !bitfields) {
        FillBytes(0); // compressed 32-bit sources are not decoded: the pixels are 0
        return true;
    }

    const bool standard32 = bits == 32 && (!bitfields || (masks[0] == 0xFF0000u && masks[1] == 0xFF00u && masks[2] == 0xFFu));
    if (bits == 32 && standard32) {
        for (int y = 0; y < hgt; ++y)
            std::memcpy(dst + Index(0, y), rowOf(y), std::size_t(w) * 4);
        if (h.biClrImportant == 0)
            for (std::size_t i = 0, n = std::size_t(w) * std::size_t(hgt); i < n; ++i)
                dst[i] &= 0x00FFFFFFu;
        return true;
    }

    if (bits == 16 || bits == 32) {
        DWORD rm = 0x7C00u, gm = 0x03E0u, bm = 0x001Fu;
        if (bitfields) {
            const DWORD keep = bits == 16 ? 0xFFFFu : 0xFFFFFFFFu;
            rm = masks[0] & keep;
            gm = masks[1] & keep;
            bm = masks[2] & keep;
        }
        const MaskChannel r(rm), g(gm), b(bm);
        for (int y = 0; y < hgt; ++y) {
            const BYTE* s = rowOf(y);
            std::uint32_t* d = dst + Index(0, y);
            for (int x = 0; x < w; ++x) {
                const DWORD p = bits == 16 ? DWORD(s[2 * x] | (s[2 * x + 1] << 8)) : ReadDword(s + 4 * x);
                d[x] = (r.Get(p) << 16) | (g.Get(p) << 8) | b.Get(p);
            }
        }
        return true;
    }

    for (int y = 0; y < hgt; ++y) {
        const BYTE* s = rowOf(y);
        std::uint32_t* d = dst + Index(0, y);
        switch (bits) {
        case 1:
            for (int x = 0; x < w; ++x)
                d[x] = palette[(s[x >> 3] >> (7 - (x & 7))) & 1];
            break;
        case 4:
            for (int x = 0; x < w; ++x)
                d[x] = palette[(x & 1) ? (s[x >> 1] & 0x0F) : (s[x >> 1] >> 4)];
            break;
        case 8:
            for (int x = 0; x < w; ++x)
                d[x] = palette[s[x]];
            break;
        case 24:
            for (int x = 0; x < w; ++x)
                d[x] = std::uint32_t(s[3 * x]) | (std::uint32_t(s[3 * x + 1]) << 8) | (std::uint32_t(s[3 * x + 2]) << 16);
            break;
        }
    }
    return true;
}

PackedBitmapPtr CDib::CopyToGlobal() const
{
    if (!IsValid())
        return nullptr;
    PackedBitmapPtr p = CPackedBitmap::Create(GetWidth(), GetHeight(), kMaxSide);
    if (!p)
        return nullptr;
    p->SetClrImportant(0xFFFFFFFFu);
    std::memcpy(p->Bits(), m_block.get(), ByteCount());
    return p;
}

namespace {

// For one axis of a box resample: the source cover and weights of each target index.
struct Span {
    int first = 0;
    int count = 0;
    std::size_t weightIndex = 0;
};

void BuildSpans(int oldSide, int newSide, std::vector<Span>& spans, std::vector<double>& weights)
{
    const double ratio = double(oldSide) / double(newSide);
    spans.resize(std::size_t(newSide));
    weights.clear();
    for (int t = 0; t < newSide; ++t) {
        const double start = t * ratio, end = (t + 1) * ratio;
        const int first = std::max(0, int(std::floor(start)));
        const int last = std::min(oldSide, int(std::ceil(end)));
        Span& s = spans[std::size_t(t)];
        s.first = first;
        s.count = std::max(0, last - first);
        s.weightIndex = weights.size();
        for (int i = first; i < last; ++i)
            weights.push_back(std::min(double(i + 1), end) - std::max(double(i), start));
    }
}

} // namespace

void CDib::Resample(int newWidth, int newHeight)
{
    if (!IsValid() || newWidth < 1 || newHeight < 1 || newWidth > kMaxSide || newHeight > kMaxSide)
        return;
    const int ow = GetWidth(), oh = GetHeight();
    tessel::PixelBuffer out = tessel::AllocatePixels(std::size_t(newWidth) * std::size_t(newHeight));
    if (!out)
        return; // the old pixels remain
    const std::uint32_t* src = m_block.get();
    auto srcRow = [&](int y) { return src + std::size_t(oh - 1 - y) * std::size_t(ow); };
    auto dstRow = [&](int y) { return out.get() + std::size_t(newHeight - 1 - y) * std::size_t(newWidth); };

    if (ow % newWidth == 0 && oh % newHeight == 0) {
        // Whole-number ratios: every weight is 1, so the sums are exact integers and the
        // rounding (sum / n + 0.49) can be done in integers.
        const int fx = ow / newWidth, fy = oh / newHeight;
        const std::uint64_t n = std::uint64_t(fx) * std::uint64_t(fy);
        std::vector<std::uint32_t> acc(std::size_t(newWidth) * 4);
        for (int y = 0; y < newHeight; ++y) {
            std::fill(acc.begin(), acc.end(), 0u);
            for (int j = 0; j < fy; ++j) {
                const std::uint32_t* s = srcRow(y * fy + j);
                for (int x = 0, i = 0; x < newWidth; ++x) {
                    std::uint32_t* a = &acc[std::size_t(x) * 4];
                    for (int k = 0; k < fx; ++k, ++i) {
                        const std::uint32_t p = s[i];
                        a[0] += p & 0xFFu;
                        a[1] += (p >> 8) & 0xFFu;
                        a[2] += (p >> 16) & 0xFFu;
                        a[3] += p >> 24;
                    }
                }
            }
            std::uint32_t* d = dstRow(y);
            for (int x = 0; x < newWidth; ++x) {
                const std::uint32_t* a = &acc[std::size_t(x) * 4];
                std::uint32_t v = 0;
                for (int c = 0; c < 4; ++c)
                    v |= std::uint32_t((std::uint64_t(a[c]) * 100 + 49 * n) / (100 * n)) << (8 * c);
                d[x] = v;
            }
        }
    } else {
        std::vector<Span> xs, ys;
        std::vector<double> xw, yw;
        BuildSpans(ow, newWidth, xs, xw);
        BuildSpans(oh, newHeight, ys, yw);
        for (int y = 0; y < newHeight; ++y) {
            const Span& sy = ys[std::size_t(y)];
            std::uint32_t* d = dstRow(y);
            for (int x = 0; x < newWidth; ++x) {
                const Span& sx = xs[std::size_t(x)];
                double sum[4] = {0, 0, 0, 0}, wsum = 0;
                for (int j = 0; j < sy.count; ++j) {
                    const double wy = yw[sy.weightIndex + std::size_t(j)];
                    const std::uint32_t* s = srcRow(sy.first + j) + sx.first;
                    for (int i = 0; i < sx.count; ++i) {
                        const double wgt = xw[sx.weightIndex + std::size_t(i)] * wy;
                        const std::uint32_t p = s[i];
                        sum[0] += wgt * double(p & 0xFFu);
                        sum[1] += wgt * double((p >> 8) & 0xFFu);
                        sum[2] += wgt * double((p >> 16) & 0xFFu);
                        sum[3] += wgt * double(p >> 24);
                        wsum += wgt;
                    }
                }
                std::uint32_t v = 0;
                if (wsum > 0)
                    for (int c = 0; c < 4; ++c)
                        v |= (std::uint32_t(sum[c] / wsum + 0.49) & 0xFFu) << (8 * c);
                d[x] = v;
            }
        }
    }
    EndPixels();
    m_block = std::move(out);
    m_width = newWidth;
    m_height = newHeight;
}

CSize CDib::RotatedSize(int width, int height, double degrees, bool shrink)
{
    // Layout measures a rotated look with this before it is drawn: one formula for both.
    const double a = degrees * 3.14159265358 / 180.0;
    const double c = std::fabs(std::cos(a)), s = std::fabs(std::sin(a));
    int nw = int(std::ceil(width * c + height * s));
    int nh = int(std::ceil(height * c + width * s));
    if (shrink) {
        nw = 2 * width - nw;
        nh = 2 * height - nh;
    }
    return CSize(nw, nh);
}

std::unique_ptr<CDib> CDib::Rotate(double degrees, std::uint32_t fill, bool smooth, bool shrink) const
{
    if (!IsValid())
        return nullptr;
    const double a = degrees * 3.14159265358 / 180.0;
    const int w = GetWidth(), h = GetHeight();
    const CSize size = RotatedSize(w, h, degrees, shrink);
    const int nw = size.cx, nh = size.cy;
    auto result = std::make_unique<CDib>();
    if (nw < 1 || nh < 1)
        return result; // shrunk away: an empty image
    result->Create(nw, nh);
    if (!result->m_block)
        return result;
    const double cosN = std::cos(-a), sinN = std::sin(-a);
    const int hw = w / 2, hh = h / 2, hnw = nw / 2, hnh = nh / 2;
    const std::uint32_t* src = m_block.get();
    auto sample = [&](int sx, int sy) -> std::uint32_t {
        if (unsigned(sx) >= unsigned(w) || unsigned(sy) >= unsigned(h))
            return fill;
        return src[Index(sx, sy)];
    };
    std::uint32_t* dst = result->m_block.get();
    for (int y = 0; y < nh; ++y) {
        std::uint32_t* row = dst + result->Index(0, y);
        const int dy = y - hnh;
        for (int x = 0; x < nw; ++x) {
            const int dx = x - hnw;
            const double sx = hw + dx * cosN - dy * sinN;
            const double sy = hh + dx * sinN + dy * cosN;
            const int ix = int(sx), iy = int(sy); // truncation toward zero
            if (!smooth) {
                row[x] = sample(ix, iy);
                continue;
            }
            double W = 0, Wo = 0, A = 0, R = 0, G = 0, B = 0;
            for (int j = 0; j < 3; ++j) {
                for (int i = 0; i < 3; ++i) {
                    const int px = ix + i - 1, py = iy + j - 1;
                    const double dist = std::hypot(sx - px, sy - py);
                    const double wgt = 1.0 - dist;
                    if (wgt <= 0)
                        continue;
                    const std::uint32_t p = sample(px, py);
                    const double o = double(255u - (p >> 24));
                    W += wgt;
                    if (o > 0) {
                        Wo += wgt * o / 255.0;
                        A += o * wgt;
                        R += o * double((p >> 16) & 0xFFu) / 255.0 * wgt;
                        G += o * double((p >> 8) & 0xFFu) / 255.0 * wgt;
                        B += o * double(p & 0xFFu) / 255.0 * wgt;
                    }
                }
            }
            if (W > 0 && Wo > 0) {
                const auto clamp = [](double v) { return std::uint32_t(std::clamp(v, 0.0, 255.0)); };
                const std::uint32_t opacity = clamp(A / W);
                row[x] = ((255u - opacity) << 24) | (clamp(R / Wo) << 16) | (clamp(G / Wo) << 8) | clamp(B / Wo);
            } else {
                row[x] = fill;
            }
        }
    }
    return result;
}

bool CDib::CreateFromBitmap(const CBitmap& bitmap)
{
    return CreateFromBitmapImage(bitmap.Image());
}

void CDib::Draw(CDC* dc, int x, int y) const
{
    if (!dc || !m_block || GetWidth() < 1 || GetHeight() < 1)
        return;
    dc->SetStretchBltMode(COLORONCOLOR);
    const BITMAPINFOHEADER header = GetHeader();
    dc->StretchDIBits(x, y, GetWidth(), GetHeight(), 0, 0, GetWidth(), GetHeight(), m_block.get(), &header,
        DIB_RGB_COLORS, SRCCOPY);
}

void CDib::DrawTransparent(CDC* dc, int x, int y)
{
    if (m_opaque) {
        Draw(dc, x, y);
        return;
    }
    DrawBlended(dc, x, y, GetWidth(), GetHeight());
}

void CDib::DrawTransparentStretched(CDC* dc, int x, int y, int width, int height)
{
    if (!dc || !m_block || width < 1 || height < 1)
        return;
    if (m_opaque) {
        dc->SetStretchBltMode(COLORONCOLOR);
        const BITMAPINFOHEADER header = GetHeader();
        dc->StretchDIBits(x, y, width, height, 0, 0, GetWidth(), GetHeight(), m_block.get(), &header, DIB_RGB_COLORS, SRCCOPY);
        return;
    }
    DrawBlended(dc, x, y, width, height);
}

void CDib::DrawBlended(CDC* dc, int x, int y, int width, int height)
{
    if (!dc || !IsValid() || width < 1 || height < 1)
        return;
    const int w = GetWidth(), h = GetHeight();
    // What the device shows there, composed with this image, drawn back as it stands.
    QImage background = dc->GrabImage(CRect(x, y, x + width, y + height));
    if (background.isNull() || background.width() != width || background.height() != height) {
        // A device without pixels to read (a window): let the painter blend.
        QImage image(width, height, QImage::Format_ARGB32);
        for (int ty = 0; ty < height; ++ty) {
            QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(ty));
            const int sy = int(std::int64_t(ty) * h / height);
            for (int tx = 0; tx < width; ++tx)
                line[tx] = tessel::PixelToQRgb(m_block[Index(int(std::int64_t(tx) * w / width), sy)]);
        }
        dc->DrawImage(x, y, image);
        return;
    }
    CDib composed;
    if (!composed.CreateFromBitmapImage(background))
        return;
    m_opaque = 1;
    std::uint32_t* out = composed.m_block.get();
    for (int ty = 0; ty < height; ++ty) {
        const int sy = int(std::int64_t(ty) * h / height);
        std::uint32_t* row = out + composed.Index(0, ty);
        for (int tx = 0; tx < width; ++tx) {
            const std::uint32_t p = m_block[Index(int(std::int64_t(tx) * w / width), sy)];
            const std::uint32_t t = p >> 24;
            if (t == 0) {
                row[tx] = p;
                continue;
            }
            m_opaque = 0;
            if (t == 255)
                continue;
            const std::uint32_t bg = row[tx];
            std::uint32_t v = 0;
            for (int shift = 0; shift < 24; shift += 8)
                v |= (((255u - t) * ((p >> shift) & 0xFFu) + t * ((bg >> shift) & 0xFFu)) / 255u) << shift;
            row[tx] = v;
        }
    }
    composed.Draw(dc, x, y);
}

bool CDib::CreateFromBitmapImage(const QImage& source)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    m_opaque = 0;
    if (image.isNull()) {
        Free();
        return false;
    }
    Create(image.width(), image.height());
    if (!m_block)
        return false;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb* src = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        std::uint32_t* dst = m_block.get() + Index(0, y);
        for (int x = 0; x < image.width(); ++x)
            dst[x] = src[x] & 0x00FFFFFFu;
    }
    return true;
}

CAlphaCapture::CAlphaCapture(int width, int height)
    : m_dc(std::make_unique<CDC>()), m_bitmap(std::make_unique<CBitmap>()), m_width(std::max(0, width)), m_height(std::max(0, height))
{
    m_dc->CreateCompatibleDC(nullptr);
    m_dc->SetMapMode(MM_TEXT);
    if (m_width > 0 && m_height > 0 && m_bitmap->CreateCompatibleBitmap(m_dc.get(), m_width, m_height))
        m_oldBitmap = m_dc->SelectObject(m_bitmap.get());
    else
        m_width = m_height = 0;
    m_stride = ((m_width * 3) + 3) & ~3;
}

CAlphaCapture::~CAlphaCapture()
{
    if (m_oldBitmap)
        m_dc->SelectObject(m_oldBitmap);
    m_dc->DeleteDC();
}

void CAlphaCapture::FillBackground(int white)
{
    if (m_width < 1)
        return;
    m_dc->FillRect(CRect(0, 0, m_width, m_height), static_cast<CBrush*>(GetStockObject(white ? WHITE_BRUSH : BLACK_BRUSH)));
}

void CAlphaCapture::Capture(int n)
{
    if (n < 0 || n > 1 || m_width < 1)
        return;
    const QImage image = m_dc->GrabImage(CRect(0, 0, m_width, m_height)).convertToFormat(QImage::Format_RGB32);
    std::vector<BYTE>& out = m_capture[n];
    out.assign(std::size_t(m_stride) * std::size_t(m_height), 0);
    if (image.width() != m_width || image.height() != m_height)
        return;
    for (int y = 0; y < m_height; ++y) {
        const QRgb* src = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        BYTE* dst = out.data() + std::size_t(y) * std::size_t(m_stride);
        for (int x = 0; x < m_width; ++x) {
            dst[3 * x] = BYTE(qBlue(src[x]));
            dst[3 * x + 1] = BYTE(qGreen(src[x]));
            dst[3 * x + 2] = BYTE(qRed(src[x]));
        }
    }
}

COLORREF CAlphaCapture::GetPixel(int x, int y) const
{
    if (unsigned(x) >= unsigned(m_width) || unsigned(y) >= unsigned(m_height) || m_capture[0].empty() || m_capture[1].empty())
        return 0xFF808081u;
    const std::size_t at = std::size_t(y) * std::size_t(m_stride) + std::size_t(x) * 3;
    const BYTE* a = m_capture[0].data() + at;
    const BYTE* b = m_capture[1].data() + at;
    const bool differs = a[0] != b[0] || a[1] != b[1] || a[2] != b[2];
    return RGB(a[2], a[1], a[0]) | (differs ? 0xFF000000u : 0u);
}

CDib DibFromQImage(const QImage& image)
{
    CDib dib;
    if (image.isNull() || image.width() >= CDib::kMaxSide || image.height() > CDib::kMaxSide)
        return dib;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    dib.Create(argb.width(), argb.height());
    dib.BeginPixels();
    for (int y = 0; y < argb.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x)
            dib.SetPixel(x, y, tessel::QRgbToPixel(row[x]));
    }
    dib.EndPixels();
    return dib;
}

QImage DibToQImage(const CDib& dib)
{
    const int w = dib.GetWidth(), h = dib.GetHeight();
    if (!dib.IsValid() || w < 1 || h < 1)
        return {};
    QImage image(w, h, QImage::Format_ARGB32);
    CDib& pixels = const_cast<CDib&>(dib);
    const bool locked = pixels.HasPixels();
    if (!locked)
        pixels.BeginPixels();
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < w; ++x)
            line[x] = tessel::PixelToQRgb(pixels.GetPixel(x, y));
    }
    if (!locked)
        pixels.EndPixels();
    return image;
}
