// A remote file open for reading or writing. Each Read or Write moves at most the bytes
// given and returns without waiting for the rest of the transfer, so a caller can move one
// block per timer tick. Close of an upload waits for the server's final reply and throws
// when the server did not confirm the file.
#pragma once
#include "framework/core/CString.h"
#include "framework/core/Types.h"
#include <cstdint>
#include <memory>

class FtpLink;

class CInternetFile {
public:
    ~CInternetFile(); // an unfinished transfer is abandoned
    CInternetFile(const CInternetFile&) = delete;
    CInternetFile& operator=(const CInternetFile&) = delete;

    // Returns 0 at the end of the file. Throws CInternetException.
    UINT Read(void* buffer, UINT count);
    // Throws CInternetException.
    void Write(const void* buffer, UINT count);
    void Flush() {}
    // Ends the transfer: an upload is completed and confirmed (throws on refusal); an
    // unfinished download is abandoned.
    void Close();
    // Ends the transfer without completing it; never throws.
    void Abort();

    bool IsOpen() const { return m_open; }
    bool IsWriting() const { return m_writing; }
    const CString& GetFileName() const { return m_path; }
    std::uint64_t GetBytesMoved() const { return m_moved; }

private:
    friend class CFtpConnection;
    CInternetFile(std::shared_ptr<FtpLink> link, const CString& path, bool writing);

    std::shared_ptr<FtpLink> m_link;
    CString m_path;
    bool m_writing;
    bool m_open = true;
    bool m_eof = false;
    std::uint64_t m_moved = 0;
};
