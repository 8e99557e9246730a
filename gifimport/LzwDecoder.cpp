#include "gifimport/LzwDecoder.h"

#include <cstring>

// Every string the decoder has written stays in the output untouched, and an entry's
// string is its prefix's string followed by the first byte of the next code's string,
// which is exactly where they stand in the output. So an entry remembers that place and
// is copied from it; only entries whose strings were dropped (output full) are rebuilt
// by following their prefixes.

CLzwDecoder::CLzwDecoder(BYTE* output, std::size_t capacity, int minCodeSize)
    : m_capacity(capacity), m_out(output), m_minCodeSize(minCodeSize),
      m_usable(minCodeSize >= 0 && minCodeSize <= 11 && capacity < kNowhere)
{
    if (!m_usable)
        return;
    // Roots never change; entries from the clear code upwards are rebuilt after each clear.
    const unsigned roots = 1u << minCodeSize;
    for (unsigned i = 0; i < roots; ++i)
        m_table[i] = Entry{kNowhere, 1, kNoPrefix, BYTE(i), BYTE(i)};
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
    m_previousWritten = false;
}

inline bool CLzwDecoder::WriteString(unsigned code)
{
    const Entry& e = m_table[code];
    const std::size_t len = e.length;
    if (len > m_capacity - m_pos)
        return false; // dropped whole; the position stays
    BYTE* d = m_out + m_pos;
    if (len == 1) {
        *d = e.last;
    } else if (e.pos != kNowhere) {
        // The source ends at or before d; whole words (load, then store) may spill
        // into the slack past the string, which later output overwrites.
        const BYTE* s = m_out + e.pos;
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
            d[k] = m_table[c].last;
            c = m_table[c].prefix;
        }
    }
    m_pos += len;
    return true;
}

inline bool CLzwDecoder::WriteByte(BYTE b)
{
    if (m_pos >= m_capacity)
        return false;
    m_out[m_pos++] = b;
    return true;
}

inline void CLzwDecoder::AddEntry(unsigned prefix, BYTE last, std::uint32_t pos)
{
    const Entry& p = m_table[prefix];
    m_table[m_nextFree] = Entry{pos, std::uint16_t(p.length + 1), std::uint16_t(prefix), last, p.first};
    ++m_nextFree;
}

// One code; inlined into the byte loops.
inline __attribute__((always_inline)) void CLzwDecoder::Step(unsigned code)
{
    if (code == m_clear) {
        Reset();
        return;
    }
    if (code == m_end) {
        m_ended = true;
        return;
    }
    const std::size_t start = m_pos;
    bool written;
    if (code < m_nextFree) {
        written = WriteString(code);
        if (m_previous >= 0 && m_nextFree < unsigned(kTableSize))
            AddEntry(unsigned(m_previous), m_table[code].first, m_previousWritten && written ? m_previousPos : kNowhere);
    } else if (code == m_nextFree && m_previous >= 0) {
        // The string not yet in the table: the previous one and its own first byte.
        const BYTE first = m_table[m_previous].first;
        const bool whole = WriteString(unsigned(m_previous));
        AddEntry(unsigned(m_previous), first, kNowhere);
        written = WriteByte(first) && whole;
        if (written)
            m_table[code].pos = std::uint32_t(start);
    } else {
        return; // ignored
    }
    m_previous = int(code);
    m_previousPos = std::uint32_t(start);
    m_previousWritten = written;
    if (m_nextFree >= m_limit && m_width < unsigned(kMaxWidth)) {
        ++m_width;
        m_limit <<= 1;
    }
}

void CLzwDecoder::Code(unsigned code)
{
    if (!m_usable || m_ended)
        return;
    Step(code);
}

void CLzwDecoder::PutByte(BYTE b)
{
    if (!m_usable || m_ended)
        return;
    m_bits |= std::uint64_t(b) << m_bitCount;
    m_bitCount += 8;
    while (m_bitCount >= m_width && !m_ended) {
        const unsigned code = unsigned(m_bits) & (m_limit - 1);
        m_bits >>= m_width;
        m_bitCount -= m_width;
        Step(code);
    }
}

void CLzwDecoder::PutBytes(const BYTE* data, std::size_t size)
{
    if (!m_usable)
        return;
    const BYTE* p = data;
    const BYTE* const end = data + size;
    std::uint64_t bits = m_bits;
    unsigned count = m_bitCount;
    // Once the output is full nothing further can be seen, so decoding stops there.
    while (!m_ended && m_pos < m_capacity) {
        if (count < m_width) {
            if (end - p >= 8) {
                // Bits above count are either zero or the same stream bits again.
                std::uint64_t w;
                std::memcpy(&w, p, 8);
                bits |= w << count;
                p += (63 - count) >> 3;
                count |= 56;
            } else {
                while (count < m_width && p < end) {
                    bits |= std::uint64_t(*p++) << count;
                    count += 8;
                }
                if (count < m_width)
                    break;
            }
        }
        const unsigned code = unsigned(bits) & (m_limit - 1);
        bits >>= m_width;
        count -= m_width;
        Step(code);
    }
    // Only the bits counted stay, as PutByte expects.
    m_bits = bits & ((1ull << count) - 1);
    m_bitCount = count;
}

void CLzwDecoder::Finish()
{
    if (m_pos < m_capacity)
        std::memset(m_out + m_pos, 0, m_capacity - m_pos);
}
