// Publishing the generated site by FTP, without windows: the connection settings of a
// project, the texts of a failed login, moving a server's old home page aside, and the
// transfer of a file list one block at a time, which the transfer dialog drives from
// its timer.
#pragma once
#include "framework/core/CFile.h"
#include "framework/core/CString.h"
#include "framework/core/Types.h"
#include "framework/net/NetworkStep.h"
#include "model/PublishContext.h"

#include <cstdint>
#include <ctime>
#include <deque>
#include <map>
#include <memory>
#include <set>
#include <vector>

class CFtpConnection;
class CInternetFile;
class CInternetSession;
class CKJDoc;
class QTemporaryDir;

// The six connection settings the dialogs edit; copies, so Cancel changes nothing.
struct CFtpSettings {
    CString m_strServer;
    CString m_strUser;
    CString m_strPassword;
    CString m_strFolder;
    int m_nPort = 21;
    int m_bPassive = 1;

    static CFtpSettings FromDocument(const CKJDoc& doc);
    void ToDocument(CKJDoc& doc) const;
};

// The session every FTP connection of the designer is made from.
CInternetSession& GetDesignerInternetSession();

// Logs in with the settings (port passed on as 16 bits). Throws CInternetException.
std::unique_ptr<CFtpConnection> ConnectFtp(CInternetSession& session, const CFtpSettings& settings);

// The message for a failed login: the format is translated (translate may be null)
// before the server and user name are put in. Never names the password.
CString FtpLoginFailureText(DWORD error, const CFtpSettings& settings, CString (*translate)(const CString&));

// A remote folder as files are placed under it: trailing "/" removed, then one "/"
// appended unless it is empty (the login folder); "/" stays the server's root.
CString NormalizeRemoteFolder(const CString& folder);

// True when the list sends the site's root index page as "index.php".
bool SendsPhpIndex(const std::vector<CPublishFile*>& queue);

// Before an "index.php" home page goes up: the server's "index.html" in the folder gets
// the name "original_index.html", or "original_index_2.html", "_3"... when a copy kept
// earlier already has it. Nothing happens when there is no "index.html". Returns the new
// name, or empty when nothing was renamed.
CString KeepServerIndexPage(CFtpConnection& connection, const CString& remoteFolder);

// Generates the site for an upload into a private temporary folder (named by the
// document) and lists its files in context (mode 2). False when generation failed.
bool GenerateForUpload(CKJDoc& doc, CPublishContext& context, bool uploadAll, QTemporaryDir& folder);

// The transfer of a file list: folders are created, files are sent in blocks of
// kBlockSize, one block per Step. An entry's object is marked uploaded only when the
// server confirmed every file of that object and holds each at its full size (SIZE, or
// the listing where SIZE is refused); everything else keeps its state, so the
// next upload lists it again. Failures are shown as messages and end the transfer.
class CFileUploader {
public:
    static constexpr UINT kBlockSize = 16384;
    enum Status { Running, Finished, Failed };

    // connection: owned by the caller; a failure of the link closes and resets it.
    CFileUploader(std::vector<CPublishFile*> queue, std::unique_ptr<CFtpConnection>& connection,
                  const CString& remoteFolder);
    ~CFileUploader();
    CFileUploader(const CFileUploader&) = delete;
    CFileUploader& operator=(const CFileUploader&) = delete;

    // Prepares the counters and opens the first file (creating folders before it).
    Status Begin();
    // One block of the current file; at its end the file is confirmed and the next opened.
    Status Step();
    // Abandons the current file (the server keeps no partial copy as complete). Called
    // while a step waits for the network (from the idle handler), it cancels that wait and
    // the step returns Failed as soon as it ends, without a message.
    void Stop();

    bool IsFileOpen() const { return m_remote != nullptr; }
    const CString& GetRemoteFolder() const { return m_strRemoteFolder; }
    const CString& GetLocalPath() const { return m_strLocalPath; }
    const CString& GetRemotePath() const { return m_strRemotePath; }
    int GetPercent() const { return m_nPercent; }
    std::uint64_t GetCurrentSize() const { return m_nCurrentSize; }
    std::uint64_t GetBytesSent() const { return m_nBytesSent; }
    std::uint64_t GetBytesDone() const { return m_nBytesDone; }
    UINT GetEntriesAtStart() const { return m_nEntriesAtStart; }
    UINT GetEntriesTaken() const { return m_nEntriesTaken; }
    std::time_t GetStartTime() const { return m_startTime; }
    DWORD GetLastInternetError() const { return m_dwLastError; }
    // Once every file is up, the files an earlier upload put on the server (published) that
    // the site no longer has (not in generated) are removed from it, and published becomes
    // what the server now holds of ours. Without this call nothing is removed.
    void RemoveStaleFiles(std::vector<CString>* published, std::vector<CString> generated);

private:
    Status NextFile();
    void RemoveStale();
    // The remote folder the site goes into, made (with its parents) when the server has
    // none; false when it can be neither found nor made.
    bool MakeRemoteFolder();
    Status StepOnce();
    Status LinkFailure(DWORD error);
    // A message for a failure, unless the failure is the user's Stop.
    Status Failure(const CString& text, UINT type);
    void CloseFiles();
    void Confirm(CPublishFile* entry);

    std::deque<CPublishFile*> m_queue;
    std::map<int*, int> m_unconfirmed; // files per state word not yet on the server
    std::set<CPublishFile*> m_confirmed;
    CPublishFile* m_current = nullptr;
    std::unique_ptr<CFtpConnection>& m_connection;
    CString m_strRemoteFolder;
    CString m_strLocalPath;
    CString m_strRemotePath;
    int m_nPercent = 0;
    CFile m_local;
    std::unique_ptr<CInternetFile> m_remote;
    std::uint64_t m_nCurrentSize = 0;
    std::uint64_t m_nBytesDone = 0;
    std::uint64_t m_nBytesSent = 0;
    UINT m_nEntriesAtStart = 0;
    UINT m_nEntriesTaken = 0;
    std::time_t m_startTime = 0;
    DWORD m_dwLastError = 0;
    bool m_bFolderReady = false;
    std::vector<CString>* m_pPublished = nullptr;
    std::vector<CString> m_generated;
    CNetworkStep m_step;
};
