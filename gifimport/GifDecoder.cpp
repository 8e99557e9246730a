#include "gifimport/GifDecoder.h"

#include "framework/core/MessageBox.h"
#include "gifimport/BlockMemory.h"
#include "gifimport/LzwDecoder.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <new>
#include <sys/stat.h>

namespace {

// Sequential reads over the file's bytes. A read that finds fewer bytes than it asks
// for fails; Fill keeps the bytes it did find.
class Reader {
public:
    Reader(const BYTE* data, std::size_t size) : m_begin(data), m_p(data), m_end(data + size) {}

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
    std::size_t Offset() const { return std::size_t(m_p - m_begin); }

private:
    const BYTE* m_begin;
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
    // The data stays where it is; decoding walks its sub-blocks up to where they end
    // (or the file does).
    f.dataBegin = r.Offset();
    BYTE len;
    const bool whole = r.Byte(len) && SkipSubBlocks(r, len);
    f.dataEnd = r.Offset();
    return whole;
}

// The whole file into a block of std::malloc memory.
BYTE* ReadWholeFile(const char* path, std::size_t& size)
{
    std::FILE* fp = std::fopen(path, "rb");
    if (!fp)
        return nullptr;
    struct stat st;
    // One byte more than the size, so that reaching the end needs no second block.
    std::size_t capacity = 65536;
    if (fstat(fileno(fp), &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0 &&
        std::uintmax_t(st.st_size) < std::uintmax_t(SIZE_MAX / 2))
        capacity = std::size_t(st.st_size) + 1;
    BYTE* data = static_cast<BYTE*>(AllocateFilledBlock(capacity));
    size = 0;
    bool ok = data != nullptr;
    while (ok) {
        size += std::fread(data + size, 1, capacity - size, fp);
        if (size < capacity) {
            ok = !std::ferror(fp);
            break;
        }
        // The file grew, or its size was not known.
        BYTE* bigger = capacity < SIZE_MAX / 2 ? static_cast<BYTE*>(std::realloc(data, capacity * 2)) : nullptr;
        if (!bigger) {
            ok = false;
            break;
        }
        data = bigger;
        capacity *= 2;
    }
    std::fclose(fp);
    if (!ok) {
        std::free(data);
        return nullptr;
    }
    return data;
}

} // namespace

bool CGifDecoder::ParseFile(const char* path, GifMessageFunction message)
{
    if (!path)
        return false;
    std::size_t size = 0;
    BYTE* data = ReadWholeFile(path, size);
    if (!data)
        return false;
    m_file.reset(data);
    m_fileSize = size;
    return ParseOwned(message);
}

bool CGifDecoder::Parse(const BYTE* data, std::size_t size, GifMessageFunction message)
{
    // The frames keep places in the bytes, which must outlive the caller's buffer.
    BYTE* copy = static_cast<BYTE*>(AllocateFilledBlock(size));
    if (!copy)
        throw std::bad_alloc();
    if (size)
        std::memcpy(copy, data, size);
    m_file.reset(copy);
    m_fileSize = size;
    return ParseOwned(message);
}

bool CGifDecoder::ParseOwned(GifMessageFunction message)
{
    Reader r(m_file.get(), m_fileSize);
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

int CGifDecoder::InterlacedOutputRow(int sourceRow, int height)
{
    // The passes take rows 0, 8, ...; 4, 12, ...; 2, 6, ...; 1, 3, ...
    const int pass2 = height / 8 + (height % 8 ? 1 : 0);
    const int pass3 = height / 4 + (height % 4 ? 1 : 0);
    const int pass4 = height / 2 + (height % 2 ? 1 : 0);
    if (sourceRow < pass2)
        return sourceRow * 8;
    if (sourceRow < pass3)
        return (sourceRow - pass2) * 8 + 4;
    if (sourceRow < pass4)
        return (sourceRow - pass3) * 4 + 2;
    return (sourceRow - pass4) * 2 + 1;
}

bool CGifDecoder::BuildFrameImage(std::size_t i, std::uint32_t* pixels)
{
    if (!FrameHasImage(i))
        return false;
    const CGifFrame& f = m_frames[i];
    const std::size_t w = f.width, h = f.height;

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

    // The indices are decoded a few rows at a time into a window that stays in the
    // cache, and each row is converted as soon as it is complete. The data's sub-blocks
    // are gathered into one run so that codes are read in whole words.
    constexpr std::size_t kWindowTarget = 64 * 1024, kStage = 64 * 1024;
    const std::size_t windowRows = std::max<std::size_t>(4, kWindowTarget / w);
    const std::size_t windowPixels = std::min(windowRows, h) * w;
    try {
        if (m_window.size() < windowPixels + CLzwDecoder::kMaxString + CLzwDecoder::kOutputSlack)
            m_window.resize(windowPixels + CLzwDecoder::kMaxString + CLzwDecoder::kOutputSlack);
        if (m_stage.size() < kStage)
            m_stage.resize(kStage);
    } catch (const std::bad_alloc&) {
        return false;
    }
    BYTE* const window = m_window.data();
    BYTE* const stage = m_stage.data();

    CLzwDecoder lzw(f.minCodeSize);
    const BYTE* const file = m_file.get();
    const BYTE* block = file + std::min(f.dataBegin, m_fileSize);
    const BYTE* const blocksEnd = file + std::min(f.dataEnd, m_fileSize);
    BYTE blockLeft = 0; // bytes of the current sub-block not yet gathered
    const BYTE* p = stage;
    const BYTE* stageEnd = stage;
    bool more = !lzw.Stopped();

    std::size_t row = 0; // next row of the data (file order) to convert
    std::size_t pos = 0; // indices in the window, from the start of that row
    while (row < h) {
        const std::size_t room = (h - row) * w; // pixels left in the frame
        const std::size_t stop = std::min(windowPixels, room);
        while (more && pos < stop) {
            if (p == stageEnd) {
                // Gather whole sub-blocks while they fit; the last may be cut short by
                // the end of the file.
                BYTE* d = stage;
                while (d < stage + kStage) {
                    if (blockLeft == 0) {
                        if (block >= blocksEnd || *block == 0)
                            break;
                        blockLeft = *block++;
                    }
                    const std::size_t n = std::min({std::size_t(blockLeft), std::size_t(blocksEnd - block),
                                                    std::size_t(stage + kStage - d)});
                    if (n == 0)
                        break;
                    std::memcpy(d, block, n);
                    d += n;
                    block += n;
                    blockLeft = BYTE(blockLeft - n);
                }
                p = stage;
                stageEnd = d;
                if (d == stage) {
                    more = false;
                    break;
                }
            }
            pos = lzw.Decode(p, stageEnd, window, pos, stop, room);
            more = !lzw.Stopped();
        }
        // Pixels no code reached get index 0.
        if (pos < stop) {
            std::memset(window + pos, 0, stop - pos);
            pos = stop;
        }
        const std::size_t rows = pos / w;
        for (std::size_t k = 0; k < rows; ++k, ++row) {
            const std::size_t out = f.interlaced ? std::size_t(InterlacedOutputRow(int(row), int(h))) : row;
            const BYTE* s = window + k * w;
            std::uint32_t* d = pixels + (h - 1 - out) * w;
            for (std::size_t x = 0; x < w; ++x)
                d[x] = lut[s[x]];
        }
        // The start of the next row moves to the front.
        pos -= rows * w;
        std::memmove(window, window + rows * w, pos);
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
