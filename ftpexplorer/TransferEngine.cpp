#include "ftpexplorer/TransferEngine.h"
#include "framework/core/MessageBox.h"
#include "framework/net/CFtpFileFind.h"
#include "framework/net/CInternetException.h"
#include "framework/net/FtpListing.h"
#include "ftpexplorer/FtpTranslate.h"
#include "ftpexplorer/History.h"
#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>
#include <cstdlib>
#include <vector>

namespace {
// A new empty file under a fresh hidden name in the target's folder (so the last rename
// stays on one disk), with the rights a plainly created file gets: the kernel applies the
// process's mask, which reading would mean changing for every thread for a moment. Empty
// when no such file could be made.
CString MakePartFile(const CString& target)
{
    static constexpr char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<int> pick(0, int(sizeof kChars) - 2);
    const int slash = target.ReverseFind('/');
    const CString stem = target.Left(slash + 1) + "." + target.Mid(slash + 1) + ".";
    for (int attempt = 0; attempt < 100; ++attempt) {
        CString name = stem;
        for (int i = 0; i < 6; ++i)
            name += kChars[pick(random)];
        const int fd = ::open(name.GetString(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            return name;
        }
        if (errno != EEXIST)
            break;
    }
    return CString();
}
} // namespace

namespace {

CString NameOfPath(const CString& path)
{
    return path.Mid(path.ReverseFind('/') + 1);
}

bool IsUtf8(const CString& s)
{
    const QByteArray bytes(s.GetString(), s.GetLength());
    return QString::fromUtf8(bytes).toUtf8() == bytes;
}

} // namespace

CTransferEngine::CTransferEngine(Direction direction, CFtpConnection* connection)
    : m_direction(direction), m_pConnection(connection)
{
}

CTransferEngine::~CTransferEngine()
{
    m_timer = false;
    CloseFiles(true);
}

CString CTransferEngine::FormatRate(std::uint64_t v)
{
    const double value = double(v);
    const char* unit = " bytes";
    double divisor = 1;
    const double kB = 1024.0, MB = kB * 1024, GB = MB * 1024, TB = GB * 1024;
    if (value > TB) {
        unit = " TB";
        divisor = TB;
    } else if (value > GB) {
        unit = " GB";
        divisor = GB;
    } else if (value > MB) {
        unit = " MB";
        divisor = MB;
    } else if (value > kB) {
        unit = " kB";
        divisor = kB;
    }
    double q = value / divisor;
    CString s;
    if (q >= 1000)
        s.Format("%lld", static_cast<long long>(q));
    else
        s.Format("%.3g", q);
    return s + unit;
}

int CTransferEngine::Percent(std::uint64_t done, std::uint64_t size)
{
    if (size == 0)
        return 0;
    unsigned __int128 p = static_cast<unsigned __int128>(done) * 100 / size;
    return p > 100 ? 100 : int(p);
}

CString CTransferEngine::LocalNameFor(const CString& remoteName)
{
    if (IsUtf8(remoteName))
        return remoteName;
    static const char hex[] = "0123456789ABCDEF";
    CString out;
    for (int i = 0; i < remoteName.GetLength(); ++i) {
        const unsigned char c = static_cast<unsigned char>(remoteName[i]);
        if (c >= 0x80 || c == '%') {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        } else {
            out += char(c);
        }
    }
    return out;
}

CFileEntry* CTransferEngine::Adopt(std::unique_ptr<CFileEntry> entry)
{
    m_owned.push_back(std::move(entry));
    return m_owned.back().get();
}

void CTransferEngine::Skip(const CString& name, const CString& where, const char* why)
{
    AddHistoryEvent(FtpFormat("Failed:%s", {name.GetString()}), FtpFormat(why, {where.GetString()}), HISTORY_ERROR);
}

void CTransferEngine::CloseFiles(bool userCancel)
{
    m_localFile.Abort();
    if (!m_strPartPath.IsEmpty()) {
        // The user's Cancel leaves what arrived at the target; a failure leaves the target
        // as it was.
        if (!userCancel || ::rename(m_strPartPath.GetString(), m_strLocalPath.GetString()) != 0)
            ::unlink(m_strPartPath.GetString());
        m_strPartPath.Empty();
    }
    if (m_pRemoteFile) {
        m_pRemoteFile->Abort();
        m_pRemoteFile.reset();
    }
}

CTransferEngine::Result CTransferEngine::Fail(const CString& description)
{
    if (m_step.CancelPending()) {
        // The failure is the cancelled wait: the user's Cancel, not an error.
        CloseFiles(true);
        m_timer = false;
        return cancelled;
    }
    AddHistoryEvent(FtpFormat("Failed:%s", {m_strFileName.GetString()}), description, HISTORY_ERROR);
    // A failed upload is abandoned, never completed: the server must not confirm a short file.
    CloseFiles();
    m_timer = false;
    ShowMessageBox(description, CString(), MB_OK | MB_ICONERROR);
    return cancelled;
}

CTransferEngine::Result CTransferEngine::Guarded(const std::function<Result()>& step)
{
    return m_step.Run(running, cancelled, step, [this] {
        m_timer = false;
        CloseFiles(true);
    });
}

CTransferEngine::Result CTransferEngine::Start()
{
    m_nTotal = int(m_queue.size());
    m_startTime = Now();
    return Guarded([this] { return NextFile(); });
}

void CTransferEngine::ExpandUploadFolder(const CFileEntry& folder)
{
    QDir dir(folder.m_strPath.ToQString());
    const QFileInfoList items = dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                                  QDir::Name);
    CString target = folder.m_strTarget + folder.m_strName + "/";
    for (const QFileInfo& info : items) {
        CString name = CString::FromQString(info.fileName());
        CString path = folder.m_strPath;
        if (path.IsEmpty() || path[path.GetLength() - 1] != '/')
            path += '/';
        path += name;
        // Links are never followed (a link to a parent folder would never end), and only
        // plain files and folders are sent.
        if (info.isSymLink()) {
            Skip(name, path, "Symbolic link skipped: %s");
            continue;
        }
        if (!info.isDir() && !info.isFile()) {
            Skip(name, path, "Not a regular file, skipped: %s");
            continue;
        }
        auto e = std::make_unique<CFileEntry>();
        e->m_strName = name;
        e->m_nKind = info.isDir() ? CFileEntry::folder : CFileEntry::file;
        e->m_time = info.lastModified().toSecsSinceEpoch();
        e->m_strPath = path;
        e->m_nSize = info.isDir() ? 0 : std::uint64_t(info.size());
        e->m_strTarget = target;
        m_queue.push_front(Adopt(std::move(e)));
        ++m_nTotal;
    }
}

void CTransferEngine::ExpandDownloadFolder(const CFileEntry& folder)
{
    CFtpFileFind find(m_pConnection);
    CString target = folder.m_strTarget + LocalNameFor(folder.m_strName) + "/";
    BOOL more = find.FindFile(folder.m_strPath + "/*");
    if (!more && find.GetLastError() != ERROR_NO_MORE_FILES && !m_step.CancelPending()) {
        // A refused listing is not an empty folder: logged, and the rest goes on.
        const CString why = FtpFormat("Error reading remote folder %s", {folder.m_strPath.GetString()});
        AddHistoryEvent(FtpFormat("Failed:%s", {folder.m_strName.GetString()}), why, HISTORY_ERROR);
        m_problems.push_back(why);
        return;
    }
    while (more) {
        more = find.FindNextFile();
        if (find.IsDots())
            continue;
        CString name = find.GetFileName();
        // A server's name must never climb out of the target folder or name a sub-path.
        if (!IsSafeFtpName(name)) {
            LogUnsafeName(name, folder.m_strPath);
            continue;
        }
        auto e = std::make_unique<CFileEntry>();
        e->m_strName = name;
        e->m_strPath = find.GetFilePath();
        e->m_nKind = find.IsDirectory() ? CFileEntry::folder : CFileEntry::file;
        e->m_nSize = find.GetLength();
        e->m_time = find.GetLastWriteTime();
        e->m_strTarget = target;
        m_queue.push_front(Adopt(std::move(e)));
        ++m_nTotal;
    }
}

CTransferEngine::Result CTransferEngine::NextFile()
{
    for (;;) {
        if (m_step.CancelPending())
            return cancelled;
        if (m_queue.empty())
            return Finish();
        CFileEntry* entry = m_queue.front();
        m_queue.pop_front();
        ++m_nCurrent;
        if (!entry)
            return cancelled;
        if (!IsSafeFtpName(entry->m_strName)) {
            LogUnsafeName(entry->m_strName, entry->m_strPath);
            continue;
        }
        if (entry->m_nKind != CFileEntry::file) {
            if (!m_pConnection)
                return cancelled;
            if (m_direction == upload) {
                CString remoteFolder = entry->m_strTarget + entry->m_strName;
                m_pConnection->CreateDirectory(remoteFolder); // an existing folder is fine
                AddHistoryEvent(TranslateText("Creating Remote Folder"), remoteFolder, HISTORY_FOLDER);
                ExpandUploadFolder(*entry);
            } else {
                CString localFolder = entry->m_strTarget + LocalNameFor(entry->m_strName);
                // Made under the bytes of the name that the files inside are opened under.
                if (::mkdir(localFolder.GetString(), 0777) != 0 && errno != EEXIST)
                    return Fail(FtpFormat("Error writing local file %s", {localFolder.GetString()}));
                AddHistoryEvent(TranslateText("Creating Local Folder"), localFolder, HISTORY_FOLDER);
                ExpandDownloadFolder(*entry);
            }
            continue;
        }

        m_nBytesDone = 0;
        m_nPercent = 0;
        if (m_direction == upload) {
            m_strLocalPath = entry->m_strPath;
            m_strFileName = NameOfPath(m_strLocalPath);
            m_strRemotePath = entry->m_strTarget + m_strFileName;
            // Opening a pipe or a device would hang or never end: only plain files are read.
            struct stat st {};
            CFileException error;
            if (stat(m_strLocalPath, &st) != 0 || !S_ISREG(st.st_mode)
                || !m_localFile.Open(m_strLocalPath, CFile::modeRead | CFile::typeBinary, &error))
                return Fail(FtpFormat("Error reading local file %s", {m_strLocalPath.GetString()}));
            m_nFileSize = m_localFile.GetLength();
        } else {
            m_strRemotePath = entry->m_strPath;
            m_strFileName = NameOfPath(m_strRemotePath);
            if (!IsSafeFtpName(m_strFileName)) {
                LogUnsafeName(m_strFileName, m_strRemotePath);
                continue;
            }
            m_strLocalPath = entry->m_strTarget + LocalNameFor(m_strFileName);
            m_strPartPath = MakePartFile(m_strLocalPath);
            if (m_strPartPath.IsEmpty())
                return Fail(FtpFormat("Error writing local file %s", {m_strLocalPath.GetString()}));
            CFileException error;
            if (!m_localFile.Open(m_strPartPath, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary, &error))
                return Fail(FtpFormat("Error writing local file %s", {m_strLocalPath.GetString()}));
        }
        if (!m_pConnection) {
            CloseFiles();
            return cancelled;
        }
        try {
            m_pRemoteFile.reset(m_pConnection->OpenFile(
                m_strRemotePath, m_direction == upload ? GENERIC_WRITE : GENERIC_READ, FTP_TRANSFER_TYPE_BINARY, 1));
        } catch (const CInternetException&) {
            return Fail(m_direction == upload ? FtpFormat("Error writing remote file %s", {m_strRemotePath.GetString()})
                                              : FtpFormat("Error reading remote file %s", {m_strRemotePath.GetString()}));
        }
        if (m_direction == download) {
            m_nFileSize = entry->m_nSize;
            m_nListedSize = entry->m_nSize;
        }
        m_timer = true;
        return running;
    }
}

CTransferEngine::Result CTransferEngine::Finish()
{
    m_timer = false;
    if (m_problems.empty())
        return finishedOk;
    CString text = TranslateText("The transfer ended, but these could not be done:");
    for (const CString& p : m_problems)
        text += "\r\n" + p;
    ShowMessageBox(text, CString(), MB_OK | MB_ICONERROR);
    return finishedWithErrors;
}

CTransferEngine::Result CTransferEngine::Tick()
{
    return Guarded([this] { return TickStep(); });
}

CTransferEngine::Result CTransferEngine::TickStep()
{
    if (!m_pConnection) {
        CloseFiles();
        m_timer = false;
        return cancelled;
    }
    if (!m_timer)
        return cancelled;
    char block[kBlockSize];
    UINT got = 0;
    try {
        got = m_direction == upload ? m_localFile.Read(block, kBlockSize) : m_pRemoteFile->Read(block, kBlockSize);
    } catch (const CException&) {
        return Fail(m_direction == upload ? FtpFormat("Error reading local file %s", {m_strLocalPath.GetString()})
                                          : FtpFormat("Error reading remote file %s", {m_strRemotePath.GetString()}));
    }
    if (got == 0) {
        // Done only once the other side confirmed: the server's final reply for an upload,
        // a clean close of the local file for a download.
        std::uint64_t length = m_direction == upload ? m_localFile.GetLength() : m_nBytesDone;
        try {
            if (m_direction == upload) {
                m_localFile.Close();
                m_pRemoteFile->Close();
            } else {
                m_pRemoteFile->Close();
                m_localFile.Close();
            }
        } catch (const CException&) {
            return Fail(m_direction == upload ? FtpFormat("Error writing remote file %s", {m_strRemotePath.GetString()})
                                              : FtpFormat("Error writing local file %s", {m_strLocalPath.GetString()}));
        }
        m_pRemoteFile.reset();
        // The server's "226" is not proof: it must hold the whole file.
        std::uint64_t held = 0;
        if (m_direction == upload && (!m_pConnection->GetRemoteFileSize(m_strRemotePath, held) || held != length))
            return Fail(FtpFormat("Error writing remote file %s", {m_strRemotePath.GetString()}));
        if (m_direction == download) {
            // Nor is a closed data connection: the bytes must be as many as the server holds
            // (SIZE), or as it listed when it does not answer SIZE.
            const std::uint64_t expected = m_pConnection->GetRemoteFileSize(m_strRemotePath, held) ? held : m_nListedSize;
            if (length != expected)
                return Fail(FtpFormat("Error reading remote file %s", {m_strRemotePath.GetString()}));
            if (::rename(m_strPartPath.GetString(), m_strLocalPath.GetString()) != 0)
                return Fail(FtpFormat("Error writing local file %s", {m_strLocalPath.GetString()}));
            m_strPartPath.Empty();
        }
        if (m_direction == upload)
            AddHistoryEvent(FtpFormat("Uploaded: %s", {m_strFileName.GetString()}),
                            FtpFormat("%d bytes sent OK   From: %s   To: %s",
                                      {length, m_strLocalPath.GetString(), m_strRemotePath.GetString()}),
                            HISTORY_UPLOADED);
        else
            AddHistoryEvent(FtpFormat("Downloaded: %s", {m_strFileName.GetString()}),
                            FtpFormat("%d bytes received OK   From: %s   To: %s",
                                      {length, m_strRemotePath.GetString(), m_strLocalPath.GetString()}),
                            HISTORY_DOWNLOADED);
        m_timer = false;
        return NextFile();
    }
    try {
        if (m_direction == upload)
            m_pRemoteFile->Write(block, got);
        else
            m_localFile.Write(block, got);
    } catch (const CException&) {
        return Fail(m_direction == upload ? FtpFormat("Error writing remote file %s", {m_strRemotePath.GetString()})
                                          : FtpFormat("Error writing local file %s", {m_strLocalPath.GetString()}));
    }
    m_nBytesDone += got;
    m_nPercent = Percent(m_nBytesDone, m_nFileSize);
    UpdateTexts();
    return running;
}

void CTransferEngine::UpdateTexts()
{
    m_strStatus = FtpFormat(m_direction == upload ? "File name: %s\r\nFile size: %d\r\nBytes sent: %d"
                                                  : "File name: %s\r\nFile size: %d\r\nBytes received: %d",
                            {m_strFileName.GetString(), m_nFileSize, m_nBytesDone});
    std::time_t now = Now();
    if (now != m_startTime) {
        std::uint64_t seconds = now > m_startTime ? std::uint64_t(now - m_startTime) : 1;
        m_strStatus += "\r\n";
        m_strStatus += FtpFormat("Transfer Rate: %s/sec", {FormatRate(m_nBytesDone / seconds).GetString()});
    }
    m_strCount = FtpFormat("File %d of %d", {std::int64_t(m_nCurrent), std::int64_t(m_nTotal)});
}

void CTransferEngine::Cancel()
{
    m_timer = false;
    // A step on the stack still uses the files: it ends them when its wait is over.
    if (!m_step.DeferCancel(m_pConnection))
        CloseFiles(true);
}
