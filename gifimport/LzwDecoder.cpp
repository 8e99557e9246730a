#include "gifimport/LzwDecoder.h"

#include <cstring>

// Strings are written from the table alone, never read back from the output: the output
// may then be a small window that is emptied as rows complete, and no load has to wait
// for a store to the same place that is still on its way to the cache.

CLzwDecoder::CLzwDecoder(BYTE* output, std::size_t capacity, int minCodeSize)
    : m_capacity(capacity), m_out(output), m_minCodeSize(minCodeSize),
      m_usable(minCodeSize >= 0 && minCodeSize <= 11)
{
    if (!m_usable)
        return;
    // Roots never change; entries from the clear code upwards are rebuilt after each clear.
    // A root above 255 (code sizes 9 to 11) stands for its low byte.
    const unsigned roots = 1u << minCodeSize;
    for (unsigned i = 0; i < roots; ++i) {
        m_meta[i] = std::uint32_t(BYTE(i)) << 24;
        m_tail[i] = BYTE(i);
    }
    Reset();
}

void CLzwDecoder::Reset()
{
    if (!m_usable)
        return;
    m_clear = 1u << m_minCodeSize;
    m_end = m_clear + 1;
    m_nextFree = m_clear + 2;
    m_width = unsigned(m_minCodeSize) + 1;
    m_limit = 1u << m_width;
    m_previous = -1;
}

void CLzwDecoder::PutByte(BYTE b) { PutBytes(&b, 1); }

void CLzwDecoder::PutBytes(const BYTE* data, std::size_t size)
{
    const BYTE* p = data;
    m_pos = Decode(p, data + size, m_out, m_pos, m_capacity, m_capacity);
}

std::size_t CLzwDecoder::Decode(const BYTE*& data, const BYTE* end, BYTE* out, std::size_t pos, std::size_t stop,
                                std::size_t room)
{
    if (!m_usable || m_ended)
        return pos;
    // The state lives in locals while decoding: stores of output bytes may alias
    // anything reachable through this, and would force reloads of every member.
    std::uint32_t* const meta = m_meta;
    std::uint64_t* const tail = m_tail;
    const unsigned clear = m_clear;
    const unsigned firstWidth = unsigned(m_minCodeSize) + 1;
    unsigned nextFree = m_nextFree, width = m_width, limit = m_limit;
    int previous = m_previous;
    std::uint64_t bits = m_bits;
    unsigned count = m_bitCount;
    bool ended = false;
    const BYTE* p = data;

    if (stop > room)
        stop = room;
    while (pos < stop) {
        if (count < width) {
            if (end - p >= 8) {
                // Bits above count are either zero or the same stream bits again.
                std::uint64_t w;
                std::memcpy(&w, p, 8);
                bits |= w << count;
                p += (63 - count) >> 3;
                count |= 56;
            } else {
                while (count < width && p < end) {
                    bits |= std::uint64_t(*p++) << count;
                    count += 8;
                }
                if (count < width)
                    break;
            }
        }
        const unsigned code = unsigned(bits) & (limit - 1);
        bits >>= width;
        count -= width;

        BYTE first;
        bool unknown = false;
        if (code < nextFree) [[likely]] {
            if (code - clear < 2) [[unlikely]] {
                if (code != clear) {
                    ended = true;
                    break;
                }
                nextFree = clear + 2;
                width = firstWidth;
                limit = 1u << width;
                previous = -1;
                continue;
            }
            first = First(meta[code]);
        } else if (code == nextFree && previous >= 0) {
            // The string not yet in the table: the previous one and its own first byte;
            // the entry made below is that string.
            first = First(meta[previous]);
            unknown = true;
        } else {
            continue; // ignored
        }
        if (previous >= 0 && nextFree < unsigned(kTableSize)) {
            // The new entry is the previous string and one byte more: in the previous
            // one's last chunk while that has room, else the start of a new chunk.
            const std::uint32_t pm = meta[previous];
            const unsigned lm1 = LengthMinus1(pm) + 1;
            const unsigned k = lm1 & 7;
            if (k != 0) {
                const std::uint64_t keep = (std::uint64_t(1) << (8 * k)) - 1;
                tail[nextFree] = (tail[previous] & keep) | std::uint64_t(first) << (8 * k);
                meta[nextFree] = lm1 | (pm & 0xFF000000u) | (pm & 0x00FFF000u);
            } else {
                tail[nextFree] = first;
                meta[nextFree] = lm1 | (pm & 0xFF000000u) | unsigned(previous) << 12;
            }
            ++nextFree;
        }
        previous = int(code);

        const std::uint32_t m = meta[code];
        const std::size_t lm1 = LengthMinus1(m);
        // A string past the room is dropped whole, but the unknown code's string is
        // written when all of it but its last byte fits (that byte is past the end).
        if (lm1 < room - pos || (unknown && lm1 == room - pos)) {
            BYTE* const start = out + pos;
            BYTE* o = start + (lm1 & ~std::size_t(7));
            unsigned c = code;
            std::uint64_t w = tail[c];
            std::memcpy(o, &w, 8);
            while (o != start) {
                c = Prefix(meta[c]);
                o -= 8;
                w = tail[c];
                std::memcpy(o, &w, 8);
            }
            pos += lm1 + 1;
            if (pos > room)
                pos = room;
        }
        if (nextFree >= limit && width < unsigned(kMaxWidth)) {
            ++width;
            limit <<= 1;
        }
    }

    data = p;
    m_nextFree = nextFree;
    m_width = width;
    m_limit = limit;
    m_previous = previous;
    m_ended = ended;
    // Only the bits counted stay, as the next call expects.
    m_bits = bits & ((std::uint64_t(1) << count) - 1);
    m_bitCount = count;
    return pos;
}

void CLzwDecoder::Finish()
{
    if (m_out && m_pos < m_capacity)
        std::memset(m_out + m_pos, 0, m_capacity - m_pos);
}
