// The data of a connection document: the settings saved in a ".ftp" file, the session and
// the open connection, and the selection the next command works on. The document window
// class adds its views and commands on top of this.
#pragma once
#include "framework/core/CArchive.h"
#include "framework/core/CString.h"
#include "framework/net/CFtpConnection.h"
#include "framework/net/CInternetSession.h"
#include "ftpexplorer/FileEntry.h"
#include <memory>
#include <vector>

class CVFDocData {
public:
    CVFDocData();
    virtual ~CVFDocData();
    CVFDocData(const CVFDocData&) = delete;
    CVFDocData& operator=(const CVFDocData&) = delete;

    // The ".ftp" stream, both directions. Loading refuses a stream that is not a connection
    // file or is damaged (CArchiveException); the settings then stay as they were.
    void Serialize(CArchive& ar);

    // Writes the file with permissions 0600 (it holds the password); the old file is
    // replaced only once the new one is complete. Throws CFileException.
    void SaveFtpFile(const char* path);
    // Reads a file; on failure throws (CFileException, CArchiveException) and changes nothing.
    void LoadFtpFile(const char* path);

    static void ScramblePassword(CString& password);
    static void UnscramblePassword(CString& scrambled);

    // Opens the connection with the current settings. On failure shows the message and
    // returns 0; on success logs the connection and returns 1.
    int Connect();
    // Closes the connection (if any) and logs it.
    void DisconnectConnection();
    // True when a connection is held and the server answers.
    bool IsConnectionAlive();
    void ClearSelection() { m_selection.clear(); }

    // Deletes the selection on the server, folders with their contents first. The first
    // failure is logged, shown, and ends the work. True when everything was deleted.
    bool DeleteRemoteSelection();
    // Asks, then deletes the selection on the local disk, folders with their contents first;
    // symbolic links are removed, never followed. False when refused or something failed.
    bool DeleteLocalSelection();
    // False when there is no working connection or the folder lists anything.
    bool IsRemoteFolderEmpty(const CString& path);
    // Sets an entry's name and rebuilds its path from the old path's folder.
    static void SetEntryName(CFileEntry& entry, const CString& name);

    CInternetSession m_session;
    std::unique_ptr<CFtpConnection> m_pConnection;
    CString m_strUser;
    CString m_strPassword;
    CString m_strHost;
    int m_nPort = 21;
    CString m_strLocalFolder;
    CString m_strRemoteFolder;
    int m_bPassive = 1;
    std::vector<CFileEntry*> m_selection; // not owned

    static constexpr const char* kMagic = "VFTP1";
};
