// Variable-width LZW decoding of one GIF frame into one colour index per pixel.
#pragma once
#include "framework/core/Types.h"
#include <cstddef>
#include <cstdint>

class CLzwDecoder {
public:
    enum : int { kTableSize = 4096, kMaxWidth = 12 };
    // Longest string a code can stand for (one root and an entry per free code), and
    // the bytes an output buffer needs past its capacity: strings are written in whole
    // 8-byte words, back to front, and the last word may reach past the string's end.
    enum : std::size_t { kMaxString = kTableSize, kOutputSlack = 16 };

    // output: capacity + kOutputSlack bytes. A minimum code size above 11 leaves
    // every pixel at index 0: such codes cannot fit the 4096-entry table.
    CLzwDecoder(BYTE* output, std::size_t capacity, int minCodeSize);
    // For Decode alone: the output is given with each call.
    explicit CLzwDecoder(int minCodeSize) : CLzwDecoder(nullptr, 0, minCodeSize) {}

    void Reset();
    // One byte of the code stream (codes packed least significant bit first); every
    // code complete with it is decoded. Nothing happens after the end code.
    void PutByte(BYTE b);
    // Bulk form of PutByte over a whole buffer.
    void PutBytes(const BYTE* data, std::size_t size);
    // Zeroes what no code reached; call once after the last byte.
    void Finish();

    // The output in pieces: decodes codes from [p, end) while pos < stop, writing each
    // string at out + pos, and returns the position after the last string. A string
    // that would end past room (counted from out) is dropped whole, but for the
    // code not yet in the table: its string (the previous one and a byte) is written
    // when all but that last byte fit. out needs
    // min(room, stop + kMaxString) + kOutputSlack bytes.
    // p is advanced over the bytes used; codes split across calls are kept.
    std::size_t Decode(const BYTE*& p, const BYTE* end, BYTE* out, std::size_t pos, std::size_t stop, std::size_t room);

    bool IsEnded() const { return m_ended; }
    // No code will be decoded any more: the end code came, or the code size is unusable.
    bool Stopped() const { return m_ended || !m_usable; }
    std::size_t Position() const { return m_pos; }

private:
    // An entry's string in 8-byte chunks from its start: m_tail holds the last chunk
    // (1 to 8 bytes, zeros above), and the prefix entry stands for the whole chunks
    // before it. So a string is written by one word per chunk, following prefixes.
    static constexpr unsigned LengthMinus1(std::uint32_t m) { return m & 0xFFF; }
    static constexpr unsigned Prefix(std::uint32_t m) { return (m >> 12) & 0xFFF; }
    static constexpr BYTE First(std::uint32_t m) { return BYTE(m >> 24); }

    unsigned m_clear = 0;
    unsigned m_end = 0;
    std::size_t m_capacity;
    unsigned m_nextFree = 0;
    BYTE* m_out;
    std::size_t m_pos = 0;
    int m_minCodeSize;
    bool m_ended = false;
    bool m_usable;
    unsigned m_width = 0;
    unsigned m_limit = 0;
    std::uint64_t m_bits = 0;
    unsigned m_bitCount = 0;
    int m_previous = -1;
    std::uint32_t m_meta[kTableSize]; // length - 1 | prefix << 12 | first byte << 24
    std::uint64_t m_tail[kTableSize];
};
