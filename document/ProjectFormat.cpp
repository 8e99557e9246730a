#include "document/ProjectFormat.h"

#include <cstring>

namespace project {

namespace {
constexpr std::int32_t kPasswordOffset = 0x5C1;
constexpr std::int32_t kPasswordStep = 0x6B;
} // namespace

int ParseVersionText(const CString& text)
{
    const char* p = text.GetString();
    while (*p == ' ')
        ++p;
    if (*p < '0' || *p > '9')
        return -1;
    int whole = 0;
    while (*p >= '0' && *p <= '9') {
        whole = whole * 10 + (*p - '0');
        ++p;
        if (whole > 100000)
            return -1;
    }
    int tenth = 0;
    if (*p == '.') {
        ++p;
        if (*p >= '0' && *p <= '9') {
            tenth = *p - '0';
            ++p;
        }
        while (*p >= '0' && *p <= '9')
            ++p; // further digits do not change trunc(value x 10)
    }
    while (*p == ' ')
        ++p;
    if (*p != '\0')
        return -1;
    return whole * 10 + tenth;
}

int ReadHeader(CArchive& ar, CString* text)
{
    char magic[kMagicLength];
    ar.Read(magic, sizeof magic);
    if (std::memcmp(magic, kMagic, kMagicLength) != 0)
        AfxThrowArchiveException(CArchiveException::badSchema, ar.m_strFileName);
    char version[kVersionTextLength + 1] = {};
    ar.Read(version, kVersionTextLength);
    CString t(version); // up to the first NUL
    if (text)
        *text = t;
    int v = ParseVersionText(t);
    if (v < 0)
        AfxThrowArchiveException(CArchiveException::badSchema, ar.m_strFileName);
    return v;
}

void WriteHeader(CArchive& ar)
{
    char header[kMagicLength + kVersionTextLength] = {};
    std::memcpy(header, kMagic, kMagicLength);
    std::memcpy(header + kMagicLength, kVersionText, sizeof kVersionText - 1);
    ar.Write(header, sizeof header);
}

CString NewerVersionMessage(const CString& versionText)
{
    return CString("The file was created in newer version: ") + versionText;
}

void WritePassword(CArchive& ar, const CString& password)
{
    std::int32_t n = password.GetLength();
    ar << n;
    for (std::int32_t i = 0; i < n; ++i) {
        std::int32_t c = static_cast<signed char>(password[i]);
        ar << std::int32_t(c + kPasswordOffset + i * kPasswordStep);
    }
}

CString ReadPassword(CArchive& ar)
{
    std::int32_t n = 0;
    ar >> n;
    CString out;
    if (n <= 0)
        return out;
    ar.CheckCount(n, 4);
    for (std::int32_t i = 0; i < n; ++i) {
        std::int32_t v = 0;
        ar >> v;
        // unsigned arithmetic: hostile values must not overflow
        std::uint32_t c = std::uint32_t(v) - std::uint32_t(kPasswordOffset) - std::uint32_t(i) * std::uint32_t(kPasswordStep);
        out += char(c & 0xFF);
    }
    return out;
}

} // namespace project
