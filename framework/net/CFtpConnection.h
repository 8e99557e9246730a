// A logged-in FTP connection. Paths are sent whole; a path without a leading "/" is taken
// by the server relative to the login folder. One file may be open at a time; other
// requests meanwhile fail with ERROR_FTP_TRANSFER_IN_PROGRESS.
#pragma once
#include "framework/core/CString.h"
#include "framework/core/Types.h"
#include <cstdint>
#include "framework/net/FtpListing.h"
#include <initializer_list>
#include <memory>
#include <vector>

class FtpLink;
class CInternetFile;
struct FtpConfig;

enum : DWORD {
    GENERIC_READ = 0x80000000u,
    GENERIC_WRITE = 0x40000000u,
    FTP_TRANSFER_TYPE_ASCII = 0x1,
    FTP_TRANSFER_TYPE_BINARY = 0x2,
    INTERNET_FLAG_RELOAD = 0x80000000u,
};

class CFtpConnection {
public:
    ~CFtpConnection();
    CFtpConnection(const CFtpConnection&) = delete;
    CFtpConnection& operator=(const CFtpConnection&) = delete;

    void Close();
    bool IsOpen() const;

    // Asks the server for its current folder (the login folder). FALSE when the link is gone.
    BOOL GetCurrentDirectory(CString& directory);
    BOOL CreateDirectory(const char* path);
    BOOL RemoveDirectory(const char* path);
    BOOL Remove(const char* path);
    BOOL Rename(const char* existing, const char* newName);

    // Opens a remote file for reading (GENERIC_READ) or writing (GENERIC_WRITE). Returns once
    // the server accepted the transfer; throws CInternetException. The caller owns the file.
    CInternetFile* OpenFile(const char* path, DWORD access = GENERIC_READ, DWORD flags = FTP_TRANSFER_TYPE_BINARY,
                            std::uintptr_t context = 1);

    // After a FALSE result: the Internet error code and the server's reply (if it answered).
    DWORD GetLastError() const { return m_lastError; }
    const CString& GetLastResponse() const { return m_lastResponse; }
    const CString& GetServerName() const { return m_server; }
    // The folder the server put us in at login.
    CString GetLoginDirectory() const;

    // The entries of a folder ("" = the login folder), by MLSD or else LIST; 0 or the
    // Internet error code.
    DWORD ListFolder(const CString& folder, std::vector<CFtpListEntry>& entries);

    // The size the server holds of a file: by SIZE, or from its folder's listing where the
    // server refuses SIZE. FALSE when neither told it (no such file, listing refused, a
    // listing without sizes); GetLastError then tells why.
    BOOL GetRemoteFileSize(const CString& path, std::uint64_t& size);

    // From the idle handler: the step that waits (a command, listing or transfer block)
    // ends with ERROR_INTERNET_OPERATION_CANCELLED. Nothing when no step waits.
    void CancelStep();

    std::uintptr_t GetContext() const { return m_context; }

private:
    friend class CInternetSession;
    CFtpConnection(const FtpConfig& config, const CString& server, std::uintptr_t context);
    BOOL Command(std::initializer_list<CString> commands);

    std::shared_ptr<FtpLink> m_link;
    CString m_server;
    std::uintptr_t m_context;
    DWORD m_lastError = 0;
    CString m_lastResponse;
    enum class Mlsd { Unknown, Yes, No } m_mlsd = Mlsd::Unknown;
};
