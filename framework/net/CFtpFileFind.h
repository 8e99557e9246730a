// Lists a folder on an FTP server. Uses the machine listing (MLSD) and falls back to LIST
// (Unix or DOS form) when the server does not offer it. Listings are never cached.
//
//   BOOL more = find.FindFile("/pub/*");
//   while (more) { more = find.FindNextFile(); ... find.GetFileName() ... }
#pragma once
#include "framework/core/CString.h"
#include "framework/core/Types.h"
#include "framework/net/FtpListing.h"
#include <cstdint>
#include <ctime>
#include <vector>

class CFtpConnection;

class CFtpFileFind {
public:
    explicit CFtpFileFind(CFtpConnection* connection, std::uintptr_t context = 1);
    ~CFtpFileFind() = default;

    // pattern: folder + "/" + mask ("*", "*.*", "name", "a*.htm"); a bare mask lists the
    // login folder. FALSE when nothing matched or the listing failed (see GetLastError).
    BOOL FindFile(const char* pattern = nullptr, DWORD flags = 0x80000000u);
    // Steps to the next entry; returns FALSE when the entry it stepped to is the last one.
    BOOL FindNextFile();
    void Close();

    CString GetFileName() const;
    CString GetFilePath() const; // the searched folder, "/" where needed, and the name
    CString GetRoot() const { return m_root; }
    std::uint64_t GetLength() const;
    std::time_t GetLastWriteTime() const;
    BOOL IsDirectory() const;
    BOOL IsDots() const;
    BOOL IsLink() const;

    // ERROR_NO_MORE_FILES for an empty match, else the Internet error of the listing.
    DWORD GetLastError() const { return m_lastError; }


private:
    const CFtpListEntry* Current() const;

    CFtpConnection* m_connection;
    std::vector<CFtpListEntry> m_entries;
    CString m_root;
    int m_next = 0;    // index of the entry FindNextFile steps to
    int m_current = -1;
    DWORD m_lastError = 0;
};
