// Files on disk and in memory, with the framework's exceptions on failure.
#pragma once
#include "framework/core/CString.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Types.h"
#include <cstdint>
#include <memory>
#include <vector>

class CFile {
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeBinary = 0x8000,
    };
    enum SeekPosition { begin = 0, current = 1, end = 2 };

    CFile() = default;
    CFile(const char* path, UINT flags); // throws CFileException
    virtual ~CFile();
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // Opens a file; on failure fills *error (when given) and returns false.
    virtual bool Open(const char* path, UINT flags, CFileException* error = nullptr);
    virtual void Close();
    virtual void Abort(); // close, never throws
    virtual UINT Read(void* buf, UINT count);
    virtual void Write(const void* buf, UINT count);
    virtual std::uint64_t Seek(std::int64_t offset, UINT from);
    virtual std::uint64_t GetPosition() const;
    virtual std::uint64_t GetLength() const;
    virtual void SetLength(std::uint64_t length);
    virtual void Flush();
    void SeekToBegin() { Seek(0, begin); }
    std::uint64_t SeekToEnd() { return Seek(0, end); }
    const CString& GetFilePath() const { return m_path; }
    bool IsOpen() const { return m_fd >= 0; }

    // Reads a whole file; false when it cannot be opened or read.
    static bool ReadAll(const char* path, std::vector<BYTE>& out);

protected:
    [[noreturn]] void ThrowOsError(int err) const;
    int m_fd = -1;
    CString m_path;
};

// A file in memory that grows as it is written. Used for undo snapshots, the clipboard
// stream and tests.
class CMemFile : public CFile {
public:
    explicit CMemFile(UINT growBytes = 1024) : m_grow(growBytes ? growBytes : 1024) {}
    // Reads (and writes within) an existing block, which must outlive the file.
    CMemFile(const BYTE* data, std::size_t size);
    ~CMemFile() override = default;

    bool Open(const char*, UINT, CFileException* = nullptr) override { return true; }
    void Close() override {}
    void Abort() override {}
    UINT Read(void* buf, UINT count) override;
    void Write(const void* buf, UINT count) override;
    std::uint64_t Seek(std::int64_t offset, UINT from) override;
    std::uint64_t GetPosition() const override { return m_pos; }
    std::uint64_t GetLength() const override { return m_size; }
    void SetLength(std::uint64_t length) override;
    void Flush() override {}

    // The bytes written so far.
    const BYTE* Data() const { return m_ext ? m_ext : m_buf.get(); }
    std::vector<BYTE> Bytes() const { return std::vector<BYTE>(Data(), Data() + m_size); }
    // Takes the buffer out of the file, leaving it empty.
    std::vector<BYTE> Detach();

private:
    void Reserve(std::size_t need);
    std::unique_ptr<BYTE[]> m_buf; // uninitialised beyond m_size
    std::size_t m_capacity = 0;
    const BYTE* m_ext = nullptr;
    std::size_t m_size = 0;
    std::size_t m_pos = 0;
    std::size_t m_grow;
};
