// The 8-bit string of the framework. Text is UTF-8 inside the program; bytes read from
// old files that are not valid UTF-8 are taken as Windows-1252 when converted to Qt.
#pragma once
#include <cstdarg>
#include <memory>
#include <string>
#include <string_view>
#include <QtCore/QString>

class CString {
public:
    CString() = default;
    CString(const char* s) { if (s && *s) m_p = std::make_unique<std::string>(s); }
    CString(const char* s, int n) { if (s && n > 0) m_p = std::make_unique<std::string>(s, size_t(n)); }
    CString(char c, int repeat = 1) { if (repeat > 0) m_p = std::make_unique<std::string>(size_t(repeat), c); }
    CString(std::string s) { if (!s.empty()) m_p = std::make_unique<std::string>(std::move(s)); }
    CString(std::string_view s) { if (!s.empty()) m_p = std::make_unique<std::string>(s); }
    CString(const CString& other) { if (!other.IsEmpty()) m_p = std::make_unique<std::string>(*other.m_p); }
    CString(CString&& other) noexcept = default;
    CString& operator=(const CString& other)
    {
        if (this != &other)
            Assign(other.View());
        return *this;
    }
    CString& operator=(CString&& other) noexcept = default;
    ~CString() = default;

    // Conversions at the edge with Qt.
    static CString FromQString(const QString& s);
    QString ToQString() const;

    int GetLength() const { return m_p ? int(m_p->size()) : 0; }
    bool IsEmpty() const { return !m_p || m_p->empty(); }
    void Empty() { if (m_p) m_p->clear(); }
    char GetAt(int i) const { return C()[size_t(i)]; }
    void SetAt(int i, char c) { S()[size_t(i)] = c; }
    char operator[](int i) const { return C()[size_t(i)]; }
    operator const char*() const { return m_p ? m_p->c_str() : ""; }
    const char* GetString() const { return m_p ? m_p->c_str() : ""; }
    const std::string& str() const { return C(); }
    std::string_view View() const { return m_p ? std::string_view(*m_p) : std::string_view(); }
    std::string& str() { return S(); }

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

    CString& operator=(const char* s) { Assign(s ? std::string_view(s) : std::string_view()); return *this; }
    CString& operator=(char c) { S().assign(1, c); return *this; }
    CString& operator+=(const CString& s) { if (!s.IsEmpty()) S() += *s.m_p; return *this; }
    CString& operator+=(const char* s) { if (s && *s) S() += s; return *this; }
    CString& operator+=(char c) { S() += c; return *this; }
    void Append(const char* s, int n) { if (s && n > 0) S().append(s, size_t(n)); }

    friend CString operator+(const CString& a, const CString& b) { return CString(a.C() + b.C()); }
    friend CString operator+(const CString& a, const char* b) { return CString(a.C() + (b ? b : "")); }
    friend CString operator+(const char* a, const CString& b) { return CString((a ? a : "") + b.C()); }
    friend CString operator+(const CString& a, char b) { return CString(a.C() + b); }
    friend CString operator+(char a, const CString& b) { return CString(std::string(1, a) + b.C()); }
    friend bool operator==(const CString& a, const CString& b) { return a.View() == b.View(); }
    friend bool operator==(const CString& a, const char* b) { return a.View() == (b ? b : ""); }
    friend bool operator!=(const CString& a, const CString& b) { return a.View() != b.View(); }
    friend bool operator!=(const CString& a, const char* b) { return a.View() != (b ? b : ""); }
    friend bool operator<(const CString& a, const CString& b) { return a.View() < b.View(); }

private:
    // A project holds some thirty strings per page item, nearly all of them empty: an
    // empty string owns no text object and costs one pointer.
    std::unique_ptr<std::string> m_p;
    static const std::string& EmptyText();
    std::string& S()
    {
        if (!m_p)
            m_p = std::make_unique<std::string>();
        return *m_p;
    }
    const std::string& C() const { return m_p ? *m_p : EmptyText(); }
    // Keeps the text object it has (its buffer is reused), makes none for an empty text.
    void Assign(std::string_view text)
    {
        if (m_p)
            m_p->assign(text);
        else if (!text.empty())
            m_p = std::make_unique<std::string>(text);
    }
};

// Locale-independent vsnprintf into a std::string (C locale for numbers).
std::string FormatCLocale(const char* fmt, va_list args);

// Text conversion rule of the program: UTF-8, with Windows-1252 for bytes that are not valid UTF-8.
QString DecodeNarrow(const char* data, int length);
