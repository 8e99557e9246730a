// GIF files (87a and 89a): the parser, and the conversion of each frame into 32-bit
// pixels (rows bottom-up, 0xTTRRGGBB with T = transparency). Frames are decoded on demand,
// so that asking for the first image does not decode a whole animation.
#pragma once
#include "framework/core/CString.h"
#include "framework/core/PackedBitmap.h"
#include "framework/core/Types.h"
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

// How the decoder shows its one message ("No GIF Format").
using GifMessageFunction = int (*)(const CString& text, const CString& caption, unsigned type);

class CGifFrame {
public:
    // Compressed data: the image's data sub-blocks with their length bytes, from
    // dataBegin to dataEnd in the decoder's copy of the file (the last may be cut short).
    std::size_t dataBegin = 0, dataEnd = 0;
    WORD left = 0, top = 0, width = 0, height = 0;
    WORD delay = 0;         // hundredths of a second
    BYTE disposal = 0;      // bits 2 to 4 of the control extension
    bool transparent = false;
    BYTE transparentIndex = 0;
    bool interlaced = false;
    bool sorted = false;
    bool hasLocalTable = false;
    WORD localTableSize = 0;
    std::vector<BYTE> localTable; // RGB triples as far as the file held them
    BYTE minCodeSize = 0;

    std::size_t PixelCount() const { return std::size_t(width) * height; }
};

class CGifDecoder {
public:
    // Largest side of a bitmap the designer handles; larger frames give no image.
    static constexpr int kMaxSide = 15000;

    // Reads the file; false when it cannot be read or is not a GIF (then the message
    // has been shown through message).
    bool ParseFile(const char* path, GifMessageFunction message);
    // The same over bytes in memory, which are copied (the frames decode from the copy).
    bool Parse(const BYTE* data, std::size_t size, GifMessageFunction message);

    std::size_t FrameCount() const { return m_frames.size(); }
    const CGifFrame& Frame(std::size_t i) const { return m_frames[i]; }
    // A frame has an image when both its sides are 1 to kMaxSide.
    bool FrameHasImage(std::size_t i) const;
    // The frame's pixels into a width * height buffer, bottom row first.
    // False when the frame has no image or memory is short.
    bool BuildFrameImage(std::size_t i, std::uint32_t* pixels);
    // The frame as a new packed bitmap, or null.
    PackedBitmapPtr GetFrameDib(std::size_t i);

    // Output row (top-down) -> row of the frame's data, for interlaced frames, and back.
    static int InterlacedSourceRow(int row, int height);
    static int InterlacedOutputRow(int sourceRow, int height);

    // Background colour as red | green << 8 | blue << 16; 0 without a global table.
    DWORD BackgroundColor() const;

    BYTE colorResolution = 0;
    BYTE sortFlag = 0;
    bool hasGlobalTable = false;
    WORD globalTableSize = 0;
    std::vector<BYTE> globalTable;
    std::int32_t loopCount = 1;
    bool multipleImages = false;
    char version[4] = {'8', '9', 'a', 0};
    WORD screenWidth = 0, screenHeight = 0;
    BYTE backgroundIndex = 0;

private:
    struct FreeBytes {
        void operator()(BYTE* p) const { std::free(p); }
    };
    bool ParseOwned(GifMessageFunction message);

    // The file's bytes, which the frames' data stays in.
    std::unique_ptr<BYTE, FreeBytes> m_file;
    std::size_t m_fileSize = 0;
    std::vector<CGifFrame> m_frames;
    // Reused by every frame: a few decoded rows of colour indices, and the data gathered
    // from the sub-blocks.
    std::vector<BYTE> m_window;
    std::vector<BYTE> m_stage;
};
