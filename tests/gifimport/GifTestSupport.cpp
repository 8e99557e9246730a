#include "GifTestSupport.h"

#include <cstdio>
#include <fstream>
#include <map>
#include <gif_lib.h>
#include <unistd.h>

namespace giftest {

Bytes PackCodes(const std::vector<std::pair<unsigned, unsigned>>& codesAndWidths)
{
    Bytes out;
    std::uint64_t acc = 0;
    unsigned n = 0;
    for (auto [code, width] : codesAndWidths) {
        acc |= std::uint64_t(code & ((1u << width) - 1)) << n;
        n += width;
        while (n >= 8) {
            out.push_back(BYTE(acc));
            acc >>= 8;
            n -= 8;
        }
    }
    if (n)
        out.push_back(BYTE(acc));
    return out;
}

Bytes RawLzw(const Bytes& indices, int minCodeSize)
{
    const unsigned clear = 1u << minCodeSize, width = unsigned(minCodeSize) + 1;
    // After a clear, k codes add k - 1 entries; the width stays while clear + 2 + k - 1 < 2^width.
    const std::size_t run = std::max<std::size_t>(1, (1u << minCodeSize) - 2);
    std::vector<std::pair<unsigned, unsigned>> codes;
    for (std::size_t i = 0; i < indices.size(); ++i) {
        if (i % run == 0)
            codes.push_back({clear, width});
        codes.push_back({indices[i], width});
    }
    codes.push_back({clear + 1, width});
    return PackCodes(codes);
}

LzwStream EncodeLzw(const Bytes& indices, int minCodeSize, const LzwOptions& options)
{
    const unsigned clear = 1u << minCodeSize, end = clear + 1, firstWidth = unsigned(minCodeSize) + 1;
    LzwStream s;
    std::vector<std::pair<unsigned, unsigned>> codes;
    // The decoder's state, which sets the width of each code: it adds an entry with
    // every code but the first after a clear.
    unsigned width = firstWidth, decoderNext = clear + 2;
    bool decoderHasPrevious = false;
    std::size_t bits = 0, sinceClear = 0;
    auto putCode = [&](unsigned code, std::size_t decoded) {
        codes.push_back({code, width});
        bits += width;
        s.codeEnds.push_back({bits, decoded});
        if (code == clear) {
            width = firstWidth;
            decoderNext = clear + 2;
            decoderHasPrevious = false;
            sinceClear = 0;
            return;
        }
        ++sinceClear;
        if (decoderHasPrevious && decoderNext < 4096)
            ++decoderNext;
        decoderHasPrevious = true;
        if (decoderNext >= (1u << width) && width < 12)
            ++width;
    };
    std::map<std::pair<unsigned, BYTE>, unsigned> dict;
    unsigned next = clear + 2;
    putCode(clear, 0);
    if (!indices.empty()) {
        unsigned w = indices[0];
        for (std::size_t i = 1; i < indices.size(); ++i) {
            const BYTE c = indices[i];
            const auto found = dict.find({w, c});
            if (found != dict.end()) {
                w = found->second;
                continue;
            }
            putCode(w, i);
            if (next < 4096)
                dict[{w, c}] = next++;
            if ((next == 4096 && options.clearWhenFull) || (options.clearEvery && sinceClear >= options.clearEvery)) {
                putCode(clear, i);
                dict.clear();
                next = clear + 2;
            }
            w = c;
        }
        putCode(w, indices.size());
    }
    putCode(end, indices.size());
    s.data = PackCodes(codes);
    return s;
}

ReferenceLzw::ReferenceLzw(int minCodeSize, std::size_t capacity)
    : m_clear(1u << minCodeSize), m_width(unsigned(minCodeSize) + 1), m_nextFree(m_clear + 2),
      m_firstWidth(m_width), m_capacity(capacity), m_table(4096)
{
    for (unsigned i = 0; i < m_clear; ++i)
        m_table[i] = Bytes{BYTE(i)};
}

void ReferenceLzw::Put(unsigned code)
{
    if (Done())
        return;
    if (code == m_clear) {
        m_nextFree = m_clear + 2;
        m_width = m_firstWidth;
        m_previous = -1;
        return;
    }
    if (code == m_clear + 1) {
        m_ended = true;
        return;
    }
    Bytes s;
    bool unknown = false;
    if (code < m_nextFree) {
        s = m_table[code];
        if (m_previous >= 0 && m_nextFree < 4096) {
            m_table[m_nextFree] = m_table[std::size_t(m_previous)];
            m_table[m_nextFree++].push_back(s[0]);
        }
    } else if (code == m_nextFree && m_previous >= 0) {
        s = m_table[std::size_t(m_previous)];
        s.push_back(s[0]);
        m_table[m_nextFree++] = s;
        unknown = true;
    } else {
        return;
    }
    // Whole strings only; the unknown code's string may lose its last byte at the end.
    const std::size_t room = m_capacity - m_out.size();
    if (s.size() <= room)
        m_out.insert(m_out.end(), s.begin(), s.end());
    else if (unknown && s.size() - 1 == room)
        m_out.insert(m_out.end(), s.begin(), s.end() - 1);
    m_previous = int(code);
    if (m_nextFree >= (1u << m_width) && m_width < 12)
        ++m_width;
}

Bytes ReferenceLzw::Output() const
{
    Bytes b = m_out;
    b.resize(m_capacity, 0);
    return b;
}

int SizeBitsFor(std::size_t colours)
{
    int bits = 0;
    while ((2u << bits) < colours)
        ++bits;
    return bits;
}

GifBuilder::GifBuilder(const char* signature) { m_b.insert(m_b.end(), signature, signature + std::strlen(signature)); }

void GifBuilder::Word(int v)
{
    m_b.push_back(BYTE(v));
    m_b.push_back(BYTE(v >> 8));
}

void GifBuilder::Table(const std::vector<Rgb>& colours, int sizeBits)
{
    for (std::size_t i = 0; i < (2u << sizeBits); ++i) {
        Rgb c = i < colours.size() ? colours[i] : Rgb{0, 0, 0};
        m_b.push_back(c.r);
        m_b.push_back(c.g);
        m_b.push_back(c.b);
    }
}

void GifBuilder::SubBlocks(const Bytes& data)
{
    for (std::size_t i = 0; i < data.size(); i += 255) {
        const std::size_t n = std::min<std::size_t>(255, data.size() - i);
        m_b.push_back(BYTE(n));
        m_b.insert(m_b.end(), data.begin() + long(i), data.begin() + long(i + n));
    }
    m_b.push_back(0);
}

GifBuilder& GifBuilder::Screen(int width, int height, const std::vector<Rgb>& colours, int sizeBits, int background)
{
    Word(width);
    Word(height);
    if (sizeBits < 0)
        sizeBits = SizeBitsFor(colours.size());
    m_b.push_back(BYTE((colours.empty() ? 0 : 0x80) | 0x70 | sizeBits));
    m_b.push_back(BYTE(background));
    m_b.push_back(0);
    if (!colours.empty())
        Table(colours, sizeBits);
    return *this;
}

GifBuilder& GifBuilder::Control(int disposal, int delay, int transparentIndex)
{
    m_b.insert(m_b.end(), {'!', 0xF9, 4});
    m_b.push_back(BYTE((disposal << 2) | (transparentIndex >= 0 ? 1 : 0)));
    Word(delay);
    m_b.push_back(BYTE(transparentIndex >= 0 ? transparentIndex : 0));
    m_b.push_back(0);
    return *this;
}

GifBuilder& GifBuilder::Loop(int count)
{
    m_b.insert(m_b.end(), {'!', 0xFF, 11});
    const char* id = "NETSCAPE2.0";
    m_b.insert(m_b.end(), id, id + 11);
    m_b.insert(m_b.end(), {3, 1});
    Word(count);
    m_b.push_back(0);
    return *this;
}

GifBuilder& GifBuilder::Comment(const std::string& text)
{
    m_b.insert(m_b.end(), {'!', 0xFE});
    SubBlocks(Bytes(text.begin(), text.end()));
    return *this;
}

GifBuilder& GifBuilder::Image(int width, int height, const Bytes& lzwData, const ImageOptions& o)
{
    m_b.push_back(',');
    Word(o.left);
    Word(o.top);
    Word(width);
    Word(height);
    const int bits = o.localSizeBits >= 0 ? o.localSizeBits : SizeBitsFor(o.localTable.size());
    m_b.push_back(BYTE((o.localTable.empty() ? 0 : 0x80 | bits) | (o.interlaced ? 0x40 : 0)));
    if (!o.localTable.empty())
        Table(o.localTable, bits);
    m_b.push_back(BYTE(o.minCodeSize));
    SubBlocks(lzwData);
    return *this;
}

GifBuilder& GifBuilder::Raw(const Bytes& bytes)
{
    m_b.insert(m_b.end(), bytes.begin(), bytes.end());
    return *this;
}

GifBuilder& GifBuilder::Trailer()
{
    m_b.push_back(';');
    return *this;
}

std::string WriteFile(const QTemporaryDir& dir, const std::string& name, const Bytes& bytes)
{
    const std::string path = dir.filePath(QString::fromStdString(name)).toStdString();
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return path;
}

RefGif GiflibDecode(const std::string& path)
{
    RefGif r;
    int error = 0;
    GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
    if (!gif)
        return r;
    if (DGifSlurp(gif) != GIF_OK) {
        DGifCloseFile(gif, &error);
        return r;
    }
    r.ok = true;
    r.width = gif->SWidth;
    r.height = gif->SHeight;
    if (gif->SColorMap && gif->SBackGroundColor < gif->SColorMap->ColorCount) {
        const GifColorType& c = gif->SColorMap->Colors[gif->SBackGroundColor];
        r.background = std::uint32_t(c.Red) | std::uint32_t(c.Green) << 8 | std::uint32_t(c.Blue) << 16;
    }
    for (int i = 0; i < gif->ImageCount; ++i) {
        const SavedImage& s = gif->SavedImages[i];
        RefFrame f;
        f.left = s.ImageDesc.Left;
        f.top = s.ImageDesc.Top;
        f.width = s.ImageDesc.Width;
        f.height = s.ImageDesc.Height;
        GraphicsControlBlock gcb{};
        gcb.TransparentColor = NO_TRANSPARENT_COLOR;
        if (DGifSavedExtensionToGCB(gif, i, &gcb) == GIF_OK) {
            f.delay = gcb.DelayTime;
            f.disposal = gcb.DisposalMode;
        }
        const ColorMapObject* map = s.ImageDesc.ColorMap ? s.ImageDesc.ColorMap : gif->SColorMap;
        f.pixels.resize(std::size_t(f.width) * std::size_t(f.height));
        for (int y = 0; y < f.height; ++y)
            for (int x = 0; x < f.width; ++x) {
                const int idx = s.RasterBits[std::size_t(y) * std::size_t(f.width) + std::size_t(x)];
                std::uint32_t p = 0;
                if (map && idx < map->ColorCount)
                    p = std::uint32_t(map->Colors[idx].Blue) | std::uint32_t(map->Colors[idx].Green) << 8 |
                        std::uint32_t(map->Colors[idx].Red) << 16;
                if (idx == gcb.TransparentColor)
                    p |= 0xFF000000u;
                f.pixels[std::size_t(f.height - 1 - y) * std::size_t(f.width) + std::size_t(x)] = p;
            }
        r.frames.push_back(std::move(f));
    }
    DGifCloseFile(gif, &error);
    return r;
}

MessageRecorder::MessageRecorder()
{
    m_old = SetMessageBoxHandler([this](const CString& text, const CString& caption, unsigned type) {
        messages.push_back({text.str(), caption.str(), type});
        return IDOK;
    });
}

MessageRecorder::~MessageRecorder() { SetMessageBoxHandler(std::move(m_old)); }

StderrCapture::StderrCapture()
{
    std::fflush(stderr);
    m_file = std::tmpfile();
    m_saved = dup(2);
    dup2(fileno(m_file), 2);
}

std::string StderrCapture::Text()
{
    if (!m_done) {
        m_done = true;
        std::fflush(stderr);
        dup2(m_saved, 2);
        close(m_saved);
        std::rewind(m_file);
        char buf[4096];
        std::size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, m_file)) > 0)
            m_text.append(buf, n);
        std::fclose(m_file);
    }
    return m_text;
}

StderrCapture::~StderrCapture() { Text(); }

} // namespace giftest
