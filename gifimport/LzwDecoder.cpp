#include "gifimport/LzwDecoder.h"

#include <cstring>

// Every string the decoder has written stays in the output untouched, and an entry's
// string is its prefix's string followed by the first byte of the next code's string,
// which is exactly where they stand in the output. So an entry remembers that place and
// is copied from it; only entries whose strings were dropped (output full) are rebuilt
// by following their prefixes.

CLzwDecoder::CLzwDecoder(BYTE* output, std::size_t capacity, int minCodeSize)
    : m_capacity(capacity), m_out(output), m_minCodeSize(minCodeSize),
      m_usable(minCodeSize >= 0 && minCodeSize <= 11 && capacity < kNowhere - kOutputSlack)
{
    if (!m_usable)
        return;
    // Roots never change; entries from the clear code upwards are rebuilt after each clear.
    // The roots' bytes stand behind the output's slack, so that every string with a place
    // is copied the same way.
    const unsigned roots = 1u << minCodeSize;
    BYTE* rootBytes = output + capacity + kRootsOffset;
    for (unsigned i = 0; i < roots; ++i) {
        rootBytes[i] = BYTE(i);
        m_table[i] = Entry{std::uint32_t(capacity + kRootsOffset + i), 1, kNoPrefix, BYTE(i), BYTE(i)};
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
    m_previousPos = kNowhere;
}

void CLzwDecoder::PutByte(BYTE b) { PutBytes(&b, 1); }

// Writes the string of code at d (room checked by the caller).
inline void CLzwDecoder::CopyString(const BYTE* out, BYTE* d, const Entry* table, unsigned code)
{
    const Entry& e = table[code];
    const std::size_t len = e.length;
    if (e.pos != kNowhere) [[likely]] {
        // The source ends at or before d; whole words (load, then store) may spill into
        // the slack past the string, which later output overwrites.
        const BYTE* s = out + e.pos;
        std::size_t i = 0;
        do {
            std::uint64_t w;
            std::memcpy(&w, s + i, 8);
            std::memcpy(d + i, &w, 8);
            i += 8;
        } while (i < len);
    } else {
        unsigned c = code;
        for (std::size_t k = len; k-- > 0;) {
            d[k] = table[c].last;
            c = table[c].prefix;
        }
    }
}

void CLzwDecoder::PutBytes(const BYTE* data, std::size_t size)
{
    static_assert(sizeof(Entry) == 12);
    if (!m_usable || m_ended)
        return;
    // The state lives in locals while decoding: stores of output bytes may alias
    // anything reachable through this, and would force reloads of every member.
    Entry* const table = m_table;
    BYTE* const out = m_out;
    const std::size_t cap = m_capacity;
    const unsigned clear = m_clear, endCode = m_end;
    const unsigned firstWidth = unsigned(m_minCodeSize) + 1;
    std::size_t pos = m_pos;
    unsigned nextFree = m_nextFree, width = m_width, limit = m_limit;
    int previous = m_previous;
    std::uint32_t previousPos = m_previousPos; // kNowhere when its string was not written
    std::uint64_t bits = m_bits;
    unsigned count = m_bitCount;
    bool ended = false;
    const BYTE* p = data;
    const BYTE* const end = data + size;

    auto addEntry = [&](unsigned prefix, BYTE last, std::uint32_t at) {
        const Entry& pe = table[prefix];
        table[nextFree] = Entry{at, std::uint16_t(pe.length + 1), std::uint16_t(prefix), last, pe.first};
        ++nextFree;
    };

    // Once the output is full nothing further can be seen, so decoding stops there.
    while (pos < cap) {
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

        if (code == clear) {
            nextFree = clear + 2;
            width = firstWidth;
            limit = 1u << width;
            previous = -1;
            previousPos = kNowhere;
            continue;
        }
        if (code == endCode) {
            ended = true;
            break;
        }
        const std::size_t start = pos;
        bool written;
        if (code < nextFree) {
            const std::size_t len = table[code].length;
            written = len <= cap - pos; // a string past the capacity is dropped whole
            if (written) {
                CopyString(out, out + pos, table, code);
                pos += len;
            }
            if (previous >= 0 && nextFree < unsigned(kTableSize))
                addEntry(unsigned(previous), table[code].first, written ? previousPos : kNowhere);
        } else if (code == nextFree && previous >= 0) {
            // The string not yet in the table: the previous one and its own first byte.
            const BYTE first = table[previous].first;
            const std::size_t len = table[previous].length;
            bool whole = len <= cap - pos;
            if (whole) {
                CopyString(out, out + pos, table, unsigned(previous));
                pos += len;
            }
            addEntry(unsigned(previous), first, kNowhere);
            written = whole && pos < cap;
            if (pos < cap)
                out[pos++] = first;
            if (written)
                table[code].pos = std::uint32_t(start);
        } else {
            continue; // ignored
        }
        previous = int(code);
        previousPos = written ? std::uint32_t(start) : kNowhere;
        if (nextFree >= limit && width < unsigned(kMaxWidth)) {
            ++width;
            limit <<= 1;
        }
    }

    m_pos = pos;
    m_nextFree = nextFree;
    m_width = width;
    m_limit = limit;
    m_previous = previous;
    m_previousPos = previousPos;
    m_ended = ended;
    // Only the bits counted stay, as the next call expects.
    m_bits = bits & ((1ull << count) - 1);
    m_bitCount = count;
}

void CLzwDecoder::Finish()
{
    if (m_pos < m_capacity)
        std::memset(m_out + m_pos, 0, m_capacity - m_pos);
}
