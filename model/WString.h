// The designer's UTF-16 string for every text a user types (item texts, titles, link
// and script texts, menu and list entries). Names, paths and generated HTML use CString.
//
// An empty string has two forms: no buffer at all (after construction or after loading
// a count of 0) and an allocated buffer holding only the terminator (after assigning an
// empty text). Both have length 0 and are stored alike. No operation interprets
// surrogate pairs: the text is a sequence of 16-bit units.
#pragma once
#include "framework/core/CString.h"
#include <QtCore/QString>

class CArchive;

class CWString {
public:
    CWString() = default;
    explicit CWString(const char16_t* text) { SetText(text); }
    // Value copies keep the form of the source (a null buffer stays null).
    CWString(const CWString& other);
    CWString(CWString&& other) noexcept : m_pBuffer(other.m_pBuffer) { other.m_pBuffer = nullptr; }
    CWString& operator=(const CWString& other);
    CWString& operator=(CWString&& other) noexcept;
    virtual ~CWString();

    // Replaces the text by a copy; a null argument leaves the text unchanged.
    void SetText(const char16_t* text);
    // Replaces the text by its conversion from the 8-bit (ANSI) form; null leaves it unchanged.
    CWString& operator=(const char* text);
    // Copies other's text, except when other is this object or has no buffer.
    void Copy(const CWString& other);
    // Replace the text by the conversion of a non-null 8-bit text; return the units written.
    int FromUtf8(const char* text);
    int FromAnsi(const char* text);

    void Append(const CWString& other);
    void AppendText(const char16_t* text);
    void AppendChar(char16_t ch);

    int GetLength() const;
    int Find(char16_t ch) const;
    bool IsEmpty() const { return GetLength() == 0; }
    // The text, or null when there is no buffer.
    const char16_t* GetBuffer() const { return m_pBuffer; }
    bool IsNull() const { return m_pBuffer == nullptr; }
    // Frees the buffer (back to the null form).
    void Clear();

    // Conversions into a caller's CString. With no buffer the output is left as it was.
    void ToUtf8(CString& out) const;
    void ToAnsi(CString& out) const;
    // Appends an ASCII-only form for file names (letters with accents lose them, other
    // characters from 384 on become their decimal code, preceded by '-' after any output).
    void ToAsciiName(CString& out) const;

    // Convenience forms.
    CString GetUtf8() const { CString s; ToUtf8(s); return s; }
    QString ToQString() const;
    void SetQString(const QString& text);

    // Archive form: int32 count of units, then the units (little-endian), no terminator.
    void Serialize(CArchive& ar);

    friend bool operator==(const CWString& a, const CWString& b);
    friend bool operator!=(const CWString& a, const CWString& b) { return !(a == b); }

private:
    void Assign(const char16_t* text, int length); // exact copy of length units
    char16_t* m_pBuffer = nullptr;
};
