// Variable-width LZW decoding of one GIF frame into one colour index per pixel.
#pragma once
#include "framework/core/Types.h"
#include <cstddef>
#include <cstdint>

class CLzwDecoder {
public:
    enum : int { kTableSize = 4096, kMaxWidth = 12 };
    // Bytes the output buffer must have beyond its capacity: strings are copied in
    // whole 8-byte words and may write a few bytes past their end, and the root codes'
    // bytes are kept after that.
    enum : std::size_t { kRootsOffset = 16, kOutputSlack = kRootsOffset + 2048 + 16 };

    // output: capacity + kOutputSlack bytes. A minimum code size above 11 leaves
    // every pixel at index 0: such codes cannot fit the 4096-entry table.
    CLzwDecoder(BYTE* output, std::size_t capacity, int minCodeSize);

    void Reset();
    // One byte of the code stream (codes packed least significant bit first); every
    // code complete with it is decoded. Nothing happens after the end code.
    void PutByte(BYTE b);
    // Bulk form of PutByte over a whole buffer.
    void PutBytes(const BYTE* data, std::size_t size);
    // Zeroes what no code reached; call once after the last byte.
    void Finish();

    bool IsEnded() const { return m_ended; }
    std::size_t Position() const { return m_pos; }

private:
    struct Entry {
        std::uint32_t pos;    // where the string already stands in the output, or kNowhere
        std::uint16_t length; // string length
        std::uint16_t prefix; // entry of the string without its last byte, kNoPrefix for roots
        BYTE last;            // last byte
        BYTE first;           // first byte
    };
    static constexpr std::uint32_t kNowhere = 0xFFFFFFFFu;
    static constexpr std::uint16_t kNoPrefix = 0xFFFF;

    static void CopyString(const BYTE* out, BYTE* d, const Entry* table, unsigned code);

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
    std::uint32_t m_previousPos = kNowhere; // where the previous code's string stands
    Entry m_table[kTableSize];
};
