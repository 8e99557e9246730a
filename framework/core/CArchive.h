// The framework's binary archive: little-endian integers, IEEE doubles, raw blocks and
// counted 8-bit strings, over any CFile. One Serialize function per class serves both
// directions. Every read that cannot be satisfied throws CArchiveException::endOfFile.
#pragma once
#include "framework/core/CFile.h"
#include <bit>
#include <cstring>
#include <memory>

class CArchive {
public:
    enum Mode { store = 0, load = 1 };

    CArchive(CFile* file, UINT mode, int bufferSize = 65536);
    ~CArchive(); // flushes when storing; never throws (call Close() to see errors)
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    bool IsStoring() const { return m_storing; }
    bool IsLoading() const { return !m_storing; }
    CFile* GetFile() const { return m_file; }
    void Flush();
    void Close(); // flushes; the file stays open
    void Abort(); // drops what is buffered

    // Bytes that remain to be read (loading), used to bound counts before allocating.
    // The file's length is asked once; after that the archive counts what it reads, so
    // bounding a count costs no system call.
    std::uint64_t GetRemaining() const
    {
        if (m_storing || !m_file)
            return 0;
        if (!m_fileLeftKnown)
            LearnFileLeft();
        return m_fileLeft + std::uint64_t(m_end - m_cur);
    }

    // Reads exactly count bytes or throws endOfFile.
    void Read(void* buf, std::size_t count);
    // Reads up to count bytes, returning how many were read.
    std::size_t ReadSome(void* buf, std::size_t count);
    void Write(const void* buf, std::size_t count);

    CArchive& operator<<(BYTE v) { return Put(&v, 1); }
    CArchive& operator<<(char v) { return Put(&v, 1); }
    CArchive& operator<<(WORD v) { return PutLE(v); }
    CArchive& operator<<(std::int16_t v) { return PutLE(v); }
    CArchive& operator<<(std::int32_t v) { return PutLE(v); }
    CArchive& operator<<(std::uint32_t v) { return PutLE(v); }
    CArchive& operator<<(std::int64_t v) { return PutLE(v); }
    CArchive& operator<<(std::uint64_t v) { return PutLE(v); }
    CArchive& operator<<(float v) { return Put(&v, 4); }
    CArchive& operator<<(double v) { return Put(&v, 8); }
    CArchive& operator<<(const CString& s);
    CArchive& operator<<(const char* s) { return *this << CString(s); }

    CArchive& operator>>(BYTE& v) { return Get(&v, 1); }
    CArchive& operator>>(char& v) { return Get(&v, 1); }
    CArchive& operator>>(WORD& v) { return GetLE(v); }
    CArchive& operator>>(std::int16_t& v) { return GetLE(v); }
    CArchive& operator>>(std::int32_t& v) { return GetLE(v); }
    CArchive& operator>>(std::uint32_t& v) { return GetLE(v); }
    CArchive& operator>>(std::int64_t& v) { return GetLE(v); }
    CArchive& operator>>(std::uint64_t& v) { return GetLE(v); }
    CArchive& operator>>(float& v) { return Get(&v, 4); }
    CArchive& operator>>(double& v) { return Get(&v, 8); }
    CArchive& operator>>(CString& s);

    // Counted-string pieces, for callers that need the length form alone.
    void WriteStringLength(std::uint32_t length);
    // Reads a length; sets *wide when the string was stored as UTF-16.
    std::uint32_t ReadStringLength(bool* wide = nullptr);

    // Throws endOfFile when count items of itemSize bytes cannot remain in the archive.
    void CheckCount(std::int64_t count, std::uint64_t itemSize = 1) const;

    CString m_strFileName; // for messages

private:
    template <typename T> CArchive& PutLE(T v)
    {
        static_assert(std::endian::native == std::endian::little);
        return Put(&v, sizeof v);
    }
    template <typename T> CArchive& GetLE(T& v)
    {
        return Get(&v, sizeof v);
    }
    CArchive& Put(const void* p, std::size_t n)
    {
        if (std::size_t(m_end - m_cur) >= n && m_storing) {
            std::memcpy(m_cur, p, n);
            m_cur += n;
            return *this;
        }
        Write(p, n);
        return *this;
    }
    CArchive& Get(void* p, std::size_t n)
    {
        if (std::size_t(m_end - m_cur) >= n && !m_storing) {
            std::memcpy(p, m_cur, n);
            m_cur += n;
            return *this;
        }
        Read(p, n);
        return *this;
    }
    void Fill();
    // Reads from the file and keeps the count of what the file still holds.
    UINT ReadFile(void* p, std::size_t n);
    void LearnFileLeft() const;
    [[noreturn]] void ThrowEof() const;

    CFile* m_file;
    bool m_storing;
    std::unique_ptr<BYTE[]> m_buf;
    std::size_t m_bufSize;
    BYTE* m_cur;
    BYTE* m_end;
    // Bytes of the file past what has been read from it; valid once m_fileLeftKnown.
    mutable std::uint64_t m_fileLeft = 0;
    mutable bool m_fileLeftKnown = false;
};
