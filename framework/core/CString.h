// The 8-bit string of the framework. Text is UTF-8 inside the program; bytes read from
// old files that are not valid UTF-8 are taken as Windows-1252 when converted to Qt.
#pragma once
#include <cstdarg>
#include <string>
#include <string_view>
#include <QtCore/QString>

class CString {
public:
    CString() = default;
    CString(const char* s) : m_s(s ? s : "") {}
    CString(const char* s, int n) : m_s(s ? std::string(s, size_t(n > 0 ? n : 0)) : std::string()) {}
    CString(char c, int repeat = 1) : m_s(size_t(repeat > 0 ? repeat : 0), c) {}
    CString(std::string s) : m_s(std::move(s)) {}
    CString(std::string_view s) : m_s(s) {}

    // Conversions at the edge with Qt.
    static CString FromQString(const QString& s);
    QString ToQString() const;

    int GetLength() const { return int(m_s.size()); }
    bool IsEmpty() const { return m_s.empty(); }
    void Empty() { m_s.clear(); }
    char GetAt(int i) const { return m_s[size_t(i)]; }
    void SetAt(int i, char c) { m_s[size_t(i)] = c; }
    char operator[](int i) const { return m_s[size_t(i)]; }
    operator const char*() const { return m_s.c_str(); }
    const char* GetString() const { return m_s.c_str(); }
    const std::string& str() const { return m_s; }
    std::string& str() { return m_s; }

    // Buffer access: GetBuffer(n) gives room for n bytes plus a terminator;
    // ReleaseBuffer(-1) takes the length up to the first 0 byte.
    char* GetBuffer(int minLength = 0);
    char* GetBufferSetLength(int length);
    void ReleaseBuffer(int newLength = -1);

    CString Left(int n) const;
    CString Right(int n) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;

    int Find(char c, int start = 0) const;
    int Find(const char* sub, int start = 0) const;
    int ReverseFind(char c) const;
    int FindOneOf(const char* set) const;

    int Replace(char from, char to);
    int Replace(const char* from, const char* to);
    int Remove(char c);
    int Insert(int index, char c);
    int Insert(int index, const char* s);
    int Delete(int index, int count = 1);

    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();
    CString& Trim();
    CString& TrimLeft();
    CString& TrimRight();
    CString& Trim(char c);
    CString& TrimLeft(char c);
    CString& TrimRight(char c);
    CString& TrimLeft(const char* set);
    CString& TrimRight(const char* set);

    // printf-style formatting, always in the C locale whatever the process locale.
    void Format(const char* fmt, ...) __attribute__((format(printf, 2, 3)));
    void AppendFormat(const char* fmt, ...) __attribute__((format(printf, 2, 3)));
    void FormatV(const char* fmt, va_list args);
    void AppendFormatV(const char* fmt, va_list args);
    static CString Formatted(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

    int Compare(const char* s) const;
    int CompareNoCase(const char* s) const;

    CString& operator=(const char* s) { m_s = s ? s : ""; return *this; }
    CString& operator=(char c) { m_s.assign(1, c); return *this; }
    CString& operator+=(const CString& s) { m_s += s.m_s; return *this; }
    CString& operator+=(const char* s) { if (s) m_s += s; return *this; }
    CString& operator+=(char c) { m_s += c; return *this; }
    void Append(const char* s, int n) { if (s && n > 0) m_s.append(s, size_t(n)); }

    friend CString operator+(const CString& a, const CString& b) { return CString(a.m_s + b.m_s); }
    friend CString operator+(const CString& a, const char* b) { return CString(a.m_s + (b ? b : "")); }
    friend CString operator+(const char* a, const CString& b) { return CString((a ? a : "") + b.m_s); }
    friend CString operator+(const CString& a, char b) { return CString(a.m_s + b); }
    friend CString operator+(char a, const CString& b) { return CString(std::string(1, a) + b.m_s); }
    friend bool operator==(const CString& a, const CString& b) { return a.m_s == b.m_s; }
    friend bool operator==(const CString& a, const char* b) { return a.m_s == (b ? b : ""); }
    friend bool operator!=(const CString& a, const CString& b) { return a.m_s != b.m_s; }
    friend bool operator!=(const CString& a, const char* b) { return a.m_s != (b ? b : ""); }
    friend bool operator<(const CString& a, const CString& b) { return a.m_s < b.m_s; }

private:
    std::string m_s;
};

// Locale-independent vsnprintf into a std::string (C locale for numbers).
std::string FormatCLocale(const char* fmt, va_list args);

// Text conversion rule of the program: UTF-8, with Windows-1252 for bytes that are not valid UTF-8.
QString DecodeNarrow(const char* data, int length);
