#include "gifimport/GifDecoder.h"

#include "framework/core/MessageBox.h"
#include "gifimport/LzwDecoder.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>
#include <sys/stat.h>

namespace {

// Sequential reads over the file's bytes. A read that finds fewer bytes than it asks
// for fails; Fill keeps the bytes it did find.
class Reader {
public:
    Reader(const BYTE* data, std::size_t size) : m_p(data), m_end(data + size) {}

    bool Byte(BYTE& b)
    {
        if (m_p == m_end)
            return false;
        b = *m_p++;
        return true;
    }
    bool Word(WORD& w)
    {
        if (m_end - m_p < 2)
            return false;
        w = WORD(m_p[0] | (m_p[1] << 8));
        m_p += 2;
        return true;
    }
    bool Bytes(void* dst, std::size_t n)
    {
        if (std::size_t(m_end - m_p) < n)
            return false;
        std::memcpy(dst, m_p, n);
        m_p += n;
        return true;
    }
    // Appends up to n bytes to v; false when fewer were there.
    bool Fill(std::vector<BYTE>& v, std::size_t n)
    {
        const std::size_t have = std::min(n, std::size_t(m_end - m_p));
        v.insert(v.end(), m_p, m_p + have);
        m_p += have;
        return have == n;
    }
    // Like a seek: moving past the end is allowed, the next read fails.
    void Skip(std::size_t n) { m_p += std::min(n, std::size_t(m_end - m_p)); }

private:
    const BYTE* m_p;
    const BYTE* m_end;
};

// Data sub-blocks until the empty one: false on a short read.
bool SkipSubBlocks(Reader& r, BYTE size)
{
    while (size != 0) {
        r.Skip(size);
        if (!r.Byte(size))
            return false;
    }
    return true;
}

bool ReadControl(Reader& r, CGifFrame& f)
{
    BYTE blockSize, packed, terminator;
    if (!r.Byte(blockSize) || !r.Byte(packed))
        return false;
    f.transparent = (packed & 1) != 0;
    f.disposal = BYTE((packed >> 2) & 7);
    return r.Word(f.delay) && r.Byte(f.transparentIndex) && r.Byte(terminator);
}

bool ReadImage(Reader& r, CGifFrame& f)
{
    BYTE packed;
    if (!r.Word(f.left) || !r.Word(f.top) || !r.Word(f.width) || !r.Word(f.height) || !r.Byte(packed))
        return false;
    f.hasLocalTable = (packed & 0x80) != 0;
    f.interlaced = (packed & 0x40) != 0;
    f.sorted = (packed & 0x20) != 0;
    f.localTableSize = WORD(2u << (packed & 7));
    if (f.hasLocalTable && !r.Fill(f.localTable, std::size_t(f.localTableSize) * 3))
        return false;
    if (!r.Byte(f.minCodeSize))
        return false;
    // The data grows as it comes (never sized from the header, which may lie).
    for (;;) {
        BYTE len;
        if (!r.Byte(len))
            return false;
        if (len == 0)
            return true;
        if (!r.Fill(f.data, len))
            return false;
    }
}

bool ReadWholeFile(const char* path, std::vector<BYTE>& out)
{
    std::FILE* fp = std::fopen(path, "rb");
    if (!fp)
        return false;
    struct stat st;
    if (fstat(fileno(fp), &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0)
        out.reserve(std::size_t(st.st_size));
    BYTE chunk[65536];
    bool ok = true;
    for (;;) {
        const std::size_t n = std::fread(chunk, 1, sizeof chunk, fp);
        out.insert(out.end(), chunk, chunk + n);
        if (n < sizeof chunk) {
            ok = !std::ferror(fp);
            break;
        }
    }
    std::fclose(fp);
    return ok;
}

} // namespace

void CGifFrame::Decode(BYTE* out) const
{
    CLzwDecoder lzw(out, PixelCount(), minCodeSize);
    lzw.PutBytes(data.data(), data.size());
    lzw.Finish();
}

bool CGifDecoder::ParseFile(const char* path, GifMessageFunction message)
{
    std::vector<BYTE> bytes;
    if (!path || !ReadWholeFile(path, bytes))
        return false;
    return Parse(bytes.data(), bytes.size(), message);
}

bool CGifDecoder::Parse(const BYTE* data, std::size_t size, GifMessageFunction message)
{
    Reader r(data, size);
    loopCount = 1;
    multipleImages = false;
    m_frames.clear();

    char signature[3] = {0, 0, 0};
    if (!r.Bytes(signature, 3) || std::memcmp(signature, "GIF", 3) != 0) {
        if (message)
            message("No GIF Format", "GIF Import", MB_OK | MB_ICONERROR);
        return false;
    }

    // A short read anywhere ends the file as if the trailer had come.
    [&] {
        BYTE packed, aspect;
        if (!r.Bytes(version, 3) || !r.Word(screenWidth) || !r.Word(screenHeight) || !r.Byte(packed))
            return;
        hasGlobalTable = (packed & 0x80) != 0;
        colorResolution = BYTE((packed >> 4) & 7);
        sortFlag = BYTE(packed & 8);
        globalTableSize = WORD(2u << (packed & 7));
        if (!r.Byte(backgroundIndex) || !r.Byte(aspect))
            return;
        if (hasGlobalTable && !r.Fill(globalTable, std::size_t(globalTableSize) * 3))
            return;

        // A control extension opens a frame record that the next image fills.
        bool pending = false;
        BYTE b;
        while (r.Byte(b) && b != ';') {
            if (b == ',') {
                if (!pending)
                    m_frames.emplace_back();
                pending = false;
                if (!ReadImage(r, m_frames.back()))
                    return;
            } else if (b == '!') {
                BYTE label, blockSize;
                if (!r.Byte(label))
                    return;
                if (label == 0xF9) {
                    if (!pending)
                        m_frames.emplace_back();
                    pending = true;
                    if (!ReadControl(r, m_frames.back()))
                        return;
                    continue;
                }
                if (!r.Byte(blockSize))
                    return;
                if (label == 0xFF && blockSize == 11) {
                    char id[11];
                    if (!r.Bytes(id, 11) || !r.Byte(blockSize))
                        return;
                    if (blockSize == 3 && std::memcmp(id, "NETSCAPE2.0", 11) == 0) {
                        BYTE subId;
                        WORD loops;
                        if (!r.Byte(subId) || !r.Word(loops))
                            return;
                        loopCount = loops;
                        if (!r.Byte(blockSize))
                            return;
                    }
                }
                if (!SkipSubBlocks(r, blockSize))
                    return;
            }
            // Any other byte between blocks is passed over.
        }
    }();

    multipleImages = m_frames.size() > 1;
    return true;
}

bool CGifDecoder::FrameHasImage(std::size_t i) const
{
    const CGifFrame& f = m_frames[i];
    return f.width >= 1 && f.height >= 1 && f.width <= kMaxSide && f.height <= kMaxSide;
}

int CGifDecoder::InterlacedSourceRow(int row, int height)
{
    auto ceilDiv = [height](int k) { return height / k + (height % k ? 1 : 0); };
    if (row % 8 == 0)
        return row / 8;
    if (row % 8 == 4)
        return ceilDiv(8) + row / 8;
    if (row % 4 == 2)
        return ceilDiv(4) + row / 4;
    return ceilDiv(2) + row / 2;
}

bool CGifDecoder::BuildFrameImage(std::size_t i, std::uint32_t* pixels)
{
    if (!FrameHasImage(i))
        return false;
    const CGifFrame& f = m_frames[i];
    const std::size_t w = f.width, h = f.height;
    try {
        if (m_indices.size() < f.PixelCount() + CLzwDecoder::kOutputSlack)
            m_indices.resize(f.PixelCount() + CLzwDecoder::kOutputSlack);
    } catch (const std::bad_alloc&) {
        return false;
    }
    f.Decode(m_indices.data());

    // Colour table: the frame's own, else the global one; entries the file did not
    // hold, and every entry when there is no table at all, are black.
    std::uint32_t lut[256] = {};
    const std::vector<BYTE>* table = f.hasLocalTable ? &f.localTable : hasGlobalTable ? &globalTable : nullptr;
    if (table) {
        const std::size_t n = std::min<std::size_t>(table->size() / 3, 256);
        const BYTE* t = table->data();
        for (std::size_t k = 0; k < n; ++k)
            lut[k] = std::uint32_t(t[3 * k + 2]) | std::uint32_t(t[3 * k + 1]) << 8 | std::uint32_t(t[3 * k]) << 16;
    }
    if (f.transparent)
        lut[f.transparentIndex] |= 0xFF000000u;

    const BYTE* idx = m_indices.data();
    for (std::size_t row = 0; row < h; ++row) {
        const std::size_t src = f.interlaced ? std::size_t(InterlacedSourceRow(int(row), int(h))) : row;
        const BYTE* s = idx + src * w;
        std::uint32_t* d = pixels + (h - 1 - row) * w;
        for (std::size_t x = 0; x < w; ++x)
            d[x] = lut[s[x]];
    }
    return true;
}

PackedBitmapPtr CGifDecoder::GetFrameDib(std::size_t i)
{
    if (i >= m_frames.size() || !FrameHasImage(i))
        return nullptr;
    PackedBitmapPtr bmp = CPackedBitmap::Create(m_frames[i].width, m_frames[i].height, kMaxSide);
    if (!bmp || !BuildFrameImage(i, bmp->Bits()))
        return nullptr;
    return bmp;
}

DWORD CGifDecoder::BackgroundColor() const
{
    if (!hasGlobalTable)
        return 0;
    const std::size_t k = std::size_t(backgroundIndex) * 3;
    if (k + 3 > globalTable.size())
        return 0;
    return DWORD(globalTable[k]) | DWORD(globalTable[k + 1]) << 8 | DWORD(globalTable[k + 2]) << 16;
}
