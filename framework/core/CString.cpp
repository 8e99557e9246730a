#include "framework/core/CString.h"

#include <algorithm>
#include <charconv>
#include <cctype>
#include <clocale>
#include <cstdio>
#include <cstddef>
#include <cstring>
#include <locale.h>
#include <strings.h>
#include <vector>
#include <QtCore/QStringDecoder>

namespace {

// One C locale object for the whole process; uselocale() switches only the calling thread.
locale_t CLocale()
{
    static locale_t loc = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return loc;
}

const char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

const std::string& CString::EmptyText()
{
    static const std::string empty;
    return empty;
}

namespace {

// The conversions the fast formatter writes itself: d i u x X c s %, with an optional '0'
// flag and width for the integers and the length modifiers l, ll and z, and f with an
// optional precision and nothing else (every CSS time and factor). Anything else (other
// floating point forms, '*', other flags) goes to vsnprintf. Checked over the whole format
// before any argument is taken, so that the fallback sees the list untouched.
bool IsPlainFormat(const char* f)
{
    for (; *f; ++f) {
        if (*f != '%')
            continue;
        ++f;
        if (*f == '%')
            continue;
        if (*f == '.' || *f == 'f') {
            if (*f == '.') {
                ++f;
                for (int digits = 0; *f >= '0' && *f <= '9'; ++f)
                    if (++digits > 2)
                        return false;
            }
            if (*f != 'f')
                return false;
            continue;
        }
        const bool zero = *f == '0';
        if (zero)
            ++f;
        while (*f >= '0' && *f <= '9')
            ++f;
        if (*f == 'l') {
            ++f;
            if (*f == 'l')
                ++f;
        } else if (*f == 'z') {
            ++f;
        }
        switch (*f) {
        case 'd': case 'i': case 'u': case 'x': case 'X':
            break;
        case 'c': case 's':
            if (zero)
                return false;
            break;
        default:
            return false;
        }
    }
    return true;
}

void AppendUnsigned(std::string& out, unsigned long long v, unsigned base, bool upper, bool negative, int width, bool zero)
{
    // right to left into a buffer, then one append
    char buf[4096 + 24];
    char* end = buf + sizeof buf;
    char* p = end;
    const char* set = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    do {
        *--p = set[v % base];
        v /= base;
    } while (v);
    const int length = int(end - p) + (negative ? 1 : 0);
    if (zero)
        for (int i = length; i < width; ++i)
            *--p = '0';
    if (negative)
        *--p = '-';
    if (!zero)
        for (int i = length; i < width; ++i)
            *--p = ' ';
    out.append(p, std::size_t(end - p));
}

// Appends the formatted text; the caller has checked IsPlainFormat.
void AppendPlain(std::string& out, const char* f, va_list args)
{
    for (; *f; ++f) {
        if (*f != '%') {
            const char* run = f;
            while (f[1] && f[1] != '%')
                ++f;
            out.append(run, size_t(f - run + 1));
            continue;
        }
        ++f;
        if (*f == '%') {
            out.push_back('%');
            continue;
        }
        if (*f == '.' || *f == 'f') {
            // printf's rounding of the exact binary value, as to_chars gives it
            int precision = 6;
            if (*f == '.') {
                precision = 0;
                while (*++f >= '0' && *f <= '9')
                    precision = precision * 10 + (*f - '0');
            }
            const double v = va_arg(args, double);
            char buf[512];
            const std::to_chars_result r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, precision);
            if (r.ec == std::errc())
                out.append(buf, std::size_t(r.ptr - buf));
            continue;
        }
        bool zero = false;
        if (*f == '0') {
            zero = true;
            ++f;
        }
        int width = 0;
        while (*f >= '0' && *f <= '9')
            width = std::min(width * 10 + (*f++ - '0'), 4096);
        int longs = 0;
        bool size = false;
        if (*f == 'l') {
            longs = 1;
            if (*++f == 'l') {
                longs = 2;
                ++f;
            }
        } else if (*f == 'z') {
            size = true;
            ++f;
        }
        switch (*f) {
        case 'd':
        case 'i': {
            long long v = size ? (long long)va_arg(args, std::ptrdiff_t) : longs == 2 ? va_arg(args, long long) : longs == 1 ? va_arg(args, long) : va_arg(args, int);
            const unsigned long long magnitude = v < 0 ? 0ull - (unsigned long long)v : (unsigned long long)v;
            AppendUnsigned(out, magnitude, 10, false, v < 0, width, zero);
            break;
        }
        case 'u':
        case 'x':
        case 'X': {
            unsigned long long v = size ? va_arg(args, size_t) : longs == 2 ? va_arg(args, unsigned long long) : longs == 1 ? va_arg(args, unsigned long) : va_arg(args, unsigned);
            AppendUnsigned(out, v, *f == 'u' ? 10 : 16, *f == 'X', false, width, zero);
            break;
        }
        case 'c': {
            const char c = char(va_arg(args, int));
            for (int i = 1; i < width; ++i)
                out.push_back(' ');
            out.push_back(c);
            break;
        }
        case 's': {
            const char* s = va_arg(args, const char*);
            if (!s)
                s = "(null)";
            const size_t length = std::strlen(s);
            for (size_t i = length; i < size_t(width); ++i)
                out.push_back(' ');
            out.append(s, length);
            break;
        }
        }
    }
}

// FormatCLocale appended to out, without a string in between for the plain formats.
void AppendFormatCLocale(std::string& out, const char* fmt, va_list args)
{
    if (IsPlainFormat(fmt)) {
        va_list copy;
        va_copy(copy, args);
        AppendPlain(out, fmt, copy);
        va_end(copy);
        return;
    }
    out += FormatCLocale(fmt, args);
}

} // namespace

std::string FormatCLocale(const char* fmt, va_list args)
{
    if (IsPlainFormat(fmt)) {
        std::string out;
        va_list copy;
        va_copy(copy, args);
        AppendPlain(out, fmt, copy);
        va_end(copy);
        return out;
    }
    locale_t old = uselocale(CLocale());
    char stackBuf[512];
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(stackBuf, sizeof stackBuf, fmt, copy);
    va_end(copy);
    std::string out;
    if (n < 0) {
        n = 0;
    } else if (size_t(n) < sizeof stackBuf) {
        out.assign(stackBuf, size_t(n));
    } else {
        out.resize(size_t(n) + 1);
        std::vsnprintf(out.data(), out.size(), fmt, args);
        out.resize(size_t(n));
    }
    uselocale(old);
    return out;
}

QString DecodeNarrow(const char* data, int length)
{
    if (!data || length <= 0)
        return QString();
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString s = utf8.decode(QByteArrayView(data, length));
    if (!utf8.hasError())
        return s;
    QString r;
    r.reserve(length);
    for (int i = 0; i < length; ++i) {
        unsigned char c = (unsigned char)data[i];
        if (c >= 0x80 && c < 0xA0)
            r.append(QChar(kCp1252High[c - 0x80]));
        else
            r.append(QChar(c));
    }
    return r;
}

CString CString::FromQString(const QString& s)
{
    QByteArray b = s.toUtf8();
    return CString(std::string(b.constData(), size_t(b.size())));
}

QString CString::ToQString() const
{
    return DecodeNarrow(C().data(), int(C().size()));
}

char* CString::GetBuffer(int minLength)
{
    if (minLength > int(S().size()))
        S().resize(size_t(minLength));
    return S().data();
}

char* CString::GetBufferSetLength(int length)
{
    S().resize(size_t(std::max(length, 0)));
    return S().data();
}

void CString::ReleaseBuffer(int newLength)
{
    if (newLength < 0)
        newLength = int(std::strlen(S().c_str()));
    S().resize(size_t(std::min<size_t>(size_t(newLength), S().size())));
}

CString CString::Left(int n) const
{
    n = std::clamp(n, 0, GetLength());
    return CString(C().substr(0, size_t(n)));
}

CString CString::Right(int n) const
{
    n = std::clamp(n, 0, GetLength());
    return CString(C().substr(C().size() - size_t(n)));
}

CString CString::Mid(int first) const
{
    return Mid(first, GetLength());
}

CString CString::Mid(int first, int count) const
{
    first = std::clamp(first, 0, GetLength());
    count = std::clamp(count, 0, GetLength() - first);
    return CString(C().substr(size_t(first), size_t(count)));
}

int CString::Find(char c, int start) const
{
    if (start < 0 || start >= GetLength())
        return -1;
    size_t p = C().find(c, size_t(start));
    return p == std::string::npos ? -1 : int(p);
}

int CString::Find(const char* sub, int start) const
{
    if (!sub || start < 0 || start > GetLength())
        return -1;
    size_t p = C().find(sub, size_t(start));
    return p == std::string::npos ? -1 : int(p);
}

int CString::ReverseFind(char c) const
{
    size_t p = C().rfind(c);
    return p == std::string::npos ? -1 : int(p);
}

int CString::FindOneOf(const char* set) const
{
    if (!set)
        return -1;
    size_t p = C().find_first_of(set);
    return p == std::string::npos ? -1 : int(p);
}

int CString::Replace(char from, char to)
{
    int n = 0;
    for (char& c : S())
        if (c == from) {
            c = to;
            ++n;
        }
    return n;
}

int CString::Replace(const char* from, const char* to)
{
    if (!from || !*from)
        return 0;
    const size_t fl = std::strlen(from);
    const std::string rep = to ? to : "";
    int n = 0;
    std::string out;
    size_t pos = 0;
    for (;;) {
        size_t p = S().find(from, pos, fl);
        if (p == std::string::npos)
            break;
        if (n == 0)
            out.reserve(S().size());
        out.append(S(), pos, p - pos);
        out += rep;
        pos = p + fl;
        ++n;
    }
    if (n) {
        out.append(S(), pos, std::string::npos);
        S().swap(out);
    }
    return n;
}

int CString::Remove(char c)
{
    size_t before = S().size();
    S().erase(std::remove(S().begin(), S().end(), c), S().end());
    return int(before - S().size());
}

int CString::Insert(int index, char c)
{
    index = std::clamp(index, 0, GetLength());
    S().insert(S().begin() + index, c);
    return GetLength();
}

int CString::Insert(int index, const char* s)
{
    index = std::clamp(index, 0, GetLength());
    if (s)
        S().insert(size_t(index), s);
    return GetLength();
}

int CString::Delete(int index, int count)
{
    if (index >= 0 && index < GetLength() && count > 0)
        S().erase(size_t(index), size_t(count));
    return GetLength();
}

CString& CString::MakeUpper()
{
    // ASCII only: bytes above 127 belong to UTF-8 sequences and stay as they are.
    for (char& c : S())
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    return *this;
}

CString& CString::MakeLower()
{
    for (char& c : S())
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return *this;
}

CString& CString::MakeReverse()
{
    std::reverse(S().begin(), S().end());
    return *this;
}

static bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }

CString& CString::TrimLeft()
{
    size_t i = 0;
    while (i < S().size() && IsSpace(S()[i]))
        ++i;
    S().erase(0, i);
    return *this;
}

CString& CString::TrimRight()
{
    while (!S().empty() && IsSpace(S().back()))
        S().pop_back();
    return *this;
}

CString& CString::Trim(char c) { return TrimRight(c).TrimLeft(c); }

CString& CString::TrimLeft(char c)
{
    size_t i = 0;
    while (i < S().size() && S()[i] == c)
        ++i;
    S().erase(0, i);
    return *this;
}

CString& CString::TrimRight(char c)
{
    while (!S().empty() && S().back() == c)
        S().pop_back();
    return *this;
}

CString& CString::TrimLeft(const char* set)
{
    if (set) {
        size_t i = S().find_first_not_of(set);
        S().erase(0, i == std::string::npos ? S().size() : i);
    }
    return *this;
}

CString& CString::TrimRight(const char* set)
{
    if (set) {
        size_t i = S().find_last_not_of(set);
        S().erase(i == std::string::npos ? 0 : i + 1);
    }
    return *this;
}

void CString::Format(const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    S() = FormatCLocale(fmt, args);
    va_end(args);
}

void CString::AppendFormat(const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    AppendFormatCLocale(S(), fmt, args);
    va_end(args);
}

void CString::FormatV(const char* fmt, va_list args) { S() = FormatCLocale(fmt, args); }
void CString::AppendFormatV(const char* fmt, va_list args) { AppendFormatCLocale(S(), fmt, args); }

CString CString::Formatted(const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    CString s(FormatCLocale(fmt, args));
    va_end(args);
    return s;
}

int CString::Compare(const char* s) const
{
    int r = std::strcmp(C().c_str(), s ? s : "");
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int CString::CompareNoCase(const char* s) const
{
    int r = strcasecmp(C().c_str(), s ? s : "");
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}
