// Helpers for the GIF tests: building GIF files byte by byte, a plain LZW writer that
// only uses root codes, giflib as the reference decoder, and capture of messages.
#pragma once
#include "framework/core/MessageBox.h"
#include "framework/core/Types.h"

#include <QtCore/QTemporaryDir>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace giftest {

using Bytes = std::vector<BYTE>;
struct Rgb {
    BYTE r, g, b;
};

// Codes packed least significant bit first, each with the given width.
Bytes PackCodes(const std::vector<std::pair<unsigned, unsigned>>& codesAndWidths);

// LZW data for the indices that uses only root codes, with a clear code often enough
// that the code width never grows: clear, roots..., end.
Bytes RawLzw(const Bytes& indices, int minCodeSize);

// LZW data as GIF writers make it (longest match, an entry added after every code),
// with the choices a writer has: a clear code after every clearEvery codes (0: never),
// and, when the table is full, a clear (as giflib writes) or going on without new
// entries. codeEnds holds, for every code, where its bits end and how many indices
// are decoded once it is read.
struct LzwOptions {
    std::size_t clearEvery = 0;
    bool clearWhenFull = true;
};
struct LzwStream {
    Bytes data;
    std::vector<std::pair<std::size_t, std::size_t>> codeEnds; // bit end, indices
};
LzwStream EncodeLzw(const Bytes& indices, int minCodeSize, const LzwOptions& options = {});

// The decoding rules written plainly, one code at a time, with every string kept whole:
// the reference the decoder is compared with on arbitrary code streams.
class ReferenceLzw {
public:
    ReferenceLzw(int minCodeSize, std::size_t capacity);
    // Width the next code is read with.
    unsigned Width() const { return m_width; }
    unsigned NextFree() const { return m_nextFree; }
    bool HasPrevious() const { return m_previous >= 0; }
    bool Done() const { return m_ended || m_out.size() >= m_capacity; }
    void Put(unsigned code);
    // capacity bytes: the strings written, then zeros.
    Bytes Output() const;
    std::size_t Position() const { return m_out.size(); }

private:
    unsigned m_clear, m_width, m_nextFree, m_firstWidth;
    int m_previous = -1;
    bool m_ended = false;
    std::size_t m_capacity;
    std::vector<Bytes> m_table;
    Bytes m_out;
};

class GifBuilder {
public:
    explicit GifBuilder(const char* signature = "GIF89a");
    // Logical screen; a global table is written when colours is not empty, declared with
    // 2 << sizeBits entries (colours is padded with black or cut to that).
    GifBuilder& Screen(int width, int height, const std::vector<Rgb>& colours = {}, int sizeBits = -1, int background = 0);
    GifBuilder& Control(int disposal, int delay, int transparentIndex = -1);
    GifBuilder& Loop(int count);
    GifBuilder& Comment(const std::string& text);
    struct ImageOptions {
        int left = 0, top = 0;
        bool interlaced = false;
        std::vector<Rgb> localTable; // written when not empty
        int localSizeBits = -1;
        int minCodeSize = 8;
    };
    GifBuilder& Image(int width, int height, const Bytes& lzwData, const ImageOptions& o);
    GifBuilder& Image(int width, int height, const Bytes& lzwData) { return Image(width, height, lzwData, ImageOptions()); }
    GifBuilder& Raw(const Bytes& bytes);
    GifBuilder& Trailer();
    const Bytes& Data() const { return m_b; }

private:
    void Word(int v);
    void Table(const std::vector<Rgb>& colours, int sizeBits);
    void SubBlocks(const Bytes& data);
    Bytes m_b;
};
int SizeBitsFor(std::size_t colours);

// A file in dir holding bytes; returns its path.
std::string WriteFile(const QTemporaryDir& dir, const std::string& name, const Bytes& bytes);

// giflib's view of a file, with each frame converted as the decoder converts it:
// 32-bit pixels bottom-up, 0xTTRRGGBB, T = 0xFF for the transparent index.
struct RefFrame {
    int left = 0, top = 0, width = 0, height = 0;
    int delay = 0, disposal = 0;
    std::vector<std::uint32_t> pixels;
};
struct RefGif {
    bool ok = false;
    int width = 0, height = 0;
    std::uint32_t background = 0; // red | green << 8 | blue << 16
    std::vector<RefFrame> frames;
};
RefGif GiflibDecode(const std::string& path);

// Records every message box shown through the framework while alive.
class MessageRecorder {
public:
    struct Message {
        std::string text, caption;
        unsigned type;
    };
    MessageRecorder();
    ~MessageRecorder();
    std::vector<Message> messages;

private:
    MessageBoxHandler m_old;
};

// Collects what is written on standard error while alive.
class StderrCapture {
public:
    StderrCapture();
    ~StderrCapture();
    std::string Text(); // ends the capture

private:
    int m_saved = -1;
    std::FILE* m_file = nullptr;
    std::string m_text;
    bool m_done = false;
};

} // namespace giftest
