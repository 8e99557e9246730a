#include "model/WString.h"
#include "framework/core/CArchive.h"
#include <cstring>

namespace {

int UnitLength(const char16_t* text)
{
    int n = 0;
    if (text)
        while (text[n])
            ++n;
    return n;
}

// UTF-16 units to UTF-8; a lone surrogate becomes `replacement` (the units are not
// interpreted beyond pairing, as every other operation treats them as plain units).
void EncodeUtf8(const char16_t* text, int length, std::string& out, const char* replacement)
{
    out.clear();
    out.reserve(size_t(length) * 3);
    for (int i = 0; i < length; ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < length && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            out += replacement;
            continue;
        }
        if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += char(0xE0 | (c >> 12));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        } else {
            out += char(0xF0 | (c >> 18));
            out += char(0x80 | ((c >> 12) & 0x3F));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        }
    }
}

// ASCII forms of U+00C0..U+017F, indexed from 192.
const char* const kLatinNames[] = {
    // 192-223
    "A", "A", "A", "A", "A", "A", "A", "C", "E", "E", "E", "E", "I", "I", "I", "I",
    "d", "N", "O", "O", "O", "O", "O", "x", "O", "U", "U", "U", "U", "Y", "b", "ss",
    // 224-255
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i", "i",
    "d", "n", "o", "o", "o", "o", "o", "-", "o", "u", "u", "u", "u", "y", "b", "y",
    // 256-287: A a A a A a C c C c C c C c D d D d E e E e E e E e E e G g G g
    "A", "a", "A", "a", "A", "a", "C", "c", "C", "c", "C", "c", "C", "c", "D", "d",
    "D", "d", "E", "e", "E", "e", "E", "e", "E", "e", "E", "e", "G", "g", "G", "g",
    // 288-319
    "G", "g", "G", "g", "H", "h", "H", "h", "I", "i", "I", "i", "I", "i", "I", "i",
    "I", "i", "IJ", "ij", "J", "j", "K", "k", "k", "L", "l", "L", "l", "L", "l", "L",
    // 320-351
    "l", "L", "l", "N", "n", "N", "n", "N", "n", "n", "N", "n", "O", "o", "O", "o",
    "O", "o", "OE", "oe", "R", "r", "R", "r", "R", "r", "S", "s", "S", "s", "S", "s",
    // 352-383
    "S", "s", "T", "t", "T", "t", "T", "t", "U", "u", "U", "u", "U", "u", "U", "u",
    "U", "u", "U", "u", "W", "w", "Y", "y", "Y", "Z", "z", "Z", "z", "Z", "z", "f",
};
static_assert(sizeof kLatinNames / sizeof kLatinNames[0] == 384 - 192);

} // namespace

CWString::CWString(const CWString& other)
{
    if (other.m_pBuffer)
        Assign(other.m_pBuffer, other.GetLength());
}

CWString& CWString::operator=(const CWString& other)
{
    if (this != &other) {
        if (other.m_pBuffer)
            Assign(other.m_pBuffer, other.GetLength());
        else
            Clear();
    }
    return *this;
}

CWString& CWString::operator=(CWString&& other) noexcept
{
    if (this != &other) {
        delete[] m_pBuffer;
        m_pBuffer = other.m_pBuffer;
        other.m_pBuffer = nullptr;
    }
    return *this;
}

CWString::~CWString()
{
    delete[] m_pBuffer;
    m_pBuffer = nullptr;
}

void CWString::Clear()
{
    delete[] m_pBuffer;
    m_pBuffer = nullptr;
}

void CWString::Assign(const char16_t* text, int length)
{
    // The new block is built before the old one is freed: text may point into it.
    char16_t* block = new char16_t[size_t(length) + 1];
    if (length > 0)
        std::memcpy(block, text, size_t(length) * sizeof(char16_t));
    block[length] = 0;
    delete[] m_pBuffer;
    m_pBuffer = block;
}

void CWString::SetText(const char16_t* text)
{
    if (text)
        Assign(text, UnitLength(text));
}

CWString& CWString::operator=(const char* text)
{
    if (text)
        FromAnsi(text);
    return *this;
}

void CWString::Copy(const CWString& other)
{
    if (&other == this || !other.m_pBuffer)
        return;
    Assign(other.m_pBuffer, other.GetLength());
}

int CWString::FromUtf8(const char* text)
{
    // Malformed sequences become U+FFFD, as the platform's converter does.
    QString s = QString::fromUtf8(text ? text : "");
    Assign(reinterpret_cast<const char16_t*>(s.utf16()), int(s.size()));
    return int(s.size());
}

int CWString::FromAnsi(const char* text)
{
    // The 8-bit code page is UTF-8; bytes that are not UTF-8 are read as Windows-1252.
    const char* t = text ? text : "";
    QString s = DecodeNarrow(t, int(std::strlen(t)));
    Assign(reinterpret_cast<const char16_t*>(s.utf16()), int(s.size()));
    return int(s.size());
}

void CWString::Append(const CWString& other)
{
    if (!other.m_pBuffer)
        return;
    if (&other == this) {
        CWString copy(other);
        AppendText(copy.m_pBuffer);
        return;
    }
    AppendText(other.m_pBuffer);
}

void CWString::AppendText(const char16_t* text)
{
    if (!text)
        return;
    int oldLength = GetLength();
    int addLength = UnitLength(text);
    char16_t* block = new char16_t[size_t(oldLength) + size_t(addLength) + 1];
    if (oldLength)
        std::memcpy(block, m_pBuffer, size_t(oldLength) * sizeof(char16_t));
    if (addLength)
        std::memcpy(block + oldLength, text, size_t(addLength) * sizeof(char16_t));
    block[oldLength + addLength] = 0;
    delete[] m_pBuffer;
    m_pBuffer = block;
}

void CWString::AppendChar(char16_t ch)
{
    const char16_t text[2] = {ch, 0};
    if (ch == 0) {
        // A terminator adds nothing to the text but still gives it a buffer.
        if (!m_pBuffer)
            Assign(text, 0);
        return;
    }
    AppendText(text);
}

int CWString::GetLength() const
{
    return UnitLength(m_pBuffer);
}

int CWString::Find(char16_t ch) const
{
    if (!m_pBuffer)
        return -1;
    for (int i = 0; m_pBuffer[i]; ++i)
        if (m_pBuffer[i] == ch)
            return i;
    return -1;
}

void CWString::ToUtf8(CString& out) const
{
    if (!m_pBuffer)
        return;
    EncodeUtf8(m_pBuffer, GetLength(), out.str(), "\xEF\xBF\xBD");
}

void CWString::ToAnsi(CString& out) const
{
    if (!m_pBuffer)
        return;
    // UTF-8 is the 8-bit code page; only a lone surrogate has no form and becomes '?'.
    EncodeUtf8(m_pBuffer, GetLength(), out.str(), "?");
}

void CWString::ToAsciiName(CString& out) const
{
    if (!m_pBuffer)
        return;
    for (int i = 0; m_pBuffer[i]; ++i) {
        unsigned c = m_pBuffer[i];
        if (c < 128) {
            out += char(c);
        } else if (c < 192) {
            continue;
        } else if (c < 384) {
            out += kLatinNames[c - 192];
        } else {
            if (!out.IsEmpty())
                out += '-';
            out.AppendFormat("%d", int(c));
        }
    }
}

QString CWString::ToQString() const
{
    return m_pBuffer ? QString::fromUtf16(m_pBuffer) : QString();
}

void CWString::SetQString(const QString& text)
{
    Assign(reinterpret_cast<const char16_t*>(text.utf16()), int(text.size()));
}

void CWString::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        std::int32_t count = GetLength();
        ar << count;
        if (count > 0) {
            // Units are written little-endian whatever the host order.
            for (int i = 0; i < count; ++i)
                ar << WORD(m_pBuffer[i]);
        }
        return;
    }
    Clear();
    std::int32_t count = 0;
    ar >> count;
    if (count <= 0)
        return;
    // Bound the count by what remains before allocating: a bad file must not
    // ask for gigabytes.
    ar.CheckCount(count, 2);
    char16_t* block = new char16_t[size_t(count) + 1];
    try {
        ar.Read(block, size_t(count) * 2);
    } catch (...) {
        delete[] block;
        throw;
    }
    block[count] = 0;
    m_pBuffer = block;
}

bool operator==(const CWString& a, const CWString& b)
{
    int n = a.GetLength();
    if (n != b.GetLength())
        return false;
    return n == 0 || std::memcmp(a.m_pBuffer, b.m_pBuffer, size_t(n) * sizeof(char16_t)) == 0;
}
