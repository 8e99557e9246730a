// The work of the upload and download progress dialogs, without the dialog: a queue of
// entries, folders expanded depth first as they are met, and one 16384-byte block moved per
// timer tick. The dialog calls Start when it opens and Tick on every tick of its 10 ms
// timer while TimerRunning(), shows the texts and ends with the result.
#pragma once
#include "framework/core/CFile.h"
#include "framework/net/CFtpConnection.h"
#include "framework/net/CInternetFile.h"
#include "framework/net/NetworkStep.h"
#include "ftpexplorer/FileEntry.h"
#include <cstdint>
#include <ctime>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

class CTransferEngine {
public:
    enum Direction { upload, download };
    // finishedWithErrors: the transfer went through to its end, but something could not be
    // done (a folder whose listing the server refused); each is in the log and was shown.
    enum Result { running, finishedOk, cancelled, finishedWithErrors };
    static constexpr unsigned kBlockSize = 16384;

    CTransferEngine(Direction direction, CFtpConnection* connection);
    ~CTransferEngine();
    CTransferEngine(const CTransferEngine&) = delete;
    CTransferEngine& operator=(const CTransferEngine&) = delete;

    // Appends an entry (not owned; it must outlive the transfer).
    void AddEntry(CFileEntry* entry) { m_queue.push_back(entry); }
    // Opening: counts the queue and takes the first file.
    Result Start();
    // One tick: one block. Meaningful while TimerRunning().
    Result Tick();
    // The user's Cancel: files closed; an unfinished file is neither confirmed nor logged.
    // Called while a step waits for the network (from the idle handler), it cancels that
    // step, and the step returns cancelled as soon as the wait ends.
    void Cancel();

    bool TimerRunning() const { return m_timer; }
    int GetPercent() const { return m_nPercent; }
    int GetCurrent() const { return m_nCurrent; }
    int GetTotal() const { return m_nTotal; }
    const CString& GetFileName() const { return m_strFileName; }
    std::uint64_t GetFileSize() const { return m_nFileSize; }
    std::uint64_t GetBytesDone() const { return m_nBytesDone; }
    // The progress lines (static text 1008) and "File %d of %d" (static text 1012).
    const CString& GetStatusText() const { return m_strStatus; }
    const CString& GetCountText() const { return m_strCount; }

    // "500 bytes", "1.5 kB", "2 MB", ...
    static CString FormatRate(std::uint64_t bytesPerSecond);
    // Percentage of done in size, for any 64-bit sizes; 0 for an empty size, at most 100.
    static int Percent(std::uint64_t done, std::uint64_t size);

    void SetClock(std::function<std::time_t()> clock) { m_clock = std::move(clock); }

    // The local name a download gives a remote name (bytes as the server sent them): the
    // name itself when it is UTF-8, else every byte outside ASCII and every '%' as "%XX".
    // Folders and the files inside them are made under this one name.
    static CString LocalNameFor(const CString& remoteName);
    // What could not be done in a transfer that went on (the remote folders not read).
    const std::vector<CString>& GetProblems() const { return m_problems; }

private:
    Result NextFile();
    Result Finish();
    Result TickStep();
    // Runs one step of the transfer, never re-entered; a Cancel that came meanwhile wins.
    Result Guarded(const std::function<Result()>& step);
    void ExpandUploadFolder(const CFileEntry& folder);
    void ExpandDownloadFolder(const CFileEntry& folder);
    CFileEntry* Adopt(std::unique_ptr<CFileEntry> entry);
    Result Fail(const CString& description);
    void Skip(const CString& name, const CString& where, const char* why);
    // userCancel: a download's part file takes the target's name (what arrived stays), else
    // it is removed.
    void CloseFiles(bool userCancel = false);
    void UpdateTexts();
    std::time_t Now() const { return m_clock ? m_clock() : std::time(nullptr); }

    Direction m_direction;
    CFtpConnection* m_pConnection;
    std::deque<CFileEntry*> m_queue;
    std::vector<std::unique_ptr<CFileEntry>> m_owned; // entries made while expanding folders
    CString m_strLocalPath;
    // A download is written here, beside its target, and takes the target's name only once
    // it is whole: a cut or short transfer never replaces a good local file.
    CString m_strPartPath;
    CString m_strFileName;
    CString m_strRemotePath;
    int m_nPercent = 0;
    CFile m_localFile;
    std::unique_ptr<CInternetFile> m_pRemoteFile;
    std::uint64_t m_nFileSize = 0;
    std::uint64_t m_nListedSize = 0; // what the listing said of the file being downloaded
    std::uint64_t m_nBytesDone = 0;
    int m_nTotal = 0;
    int m_nCurrent = 0;
    std::time_t m_startTime = 0;
    bool m_timer = false;
    CString m_strStatus;
    CString m_strCount;
    std::function<std::time_t()> m_clock;
    std::vector<CString> m_problems;
    CNetworkStep m_step;
};
