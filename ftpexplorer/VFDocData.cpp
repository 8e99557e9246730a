#include "ftpexplorer/VFDocData.h"
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
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The fixed shift of the password scrambling; the same for writing and reading.
constexpr unsigned kShift = 0x2B;
// A connection file is a handful of short strings; anything larger is not one.
constexpr std::uint64_t kMaxFileSize = 1 << 20;

bool HasLineBreakOrNul(const CString& s)
{
    for (int i = 0; i < s.GetLength(); ++i)
        if (s[i] == '\0' || s[i] == '\r' || s[i] == '\n')
            return true;
    return false;
}

} // namespace

CVFDocData::CVFDocData() : m_session("dravix")
{
    m_strLocalFolder = CString::FromQString(QDir::currentPath());
    if (!m_strLocalFolder.IsEmpty() && m_strLocalFolder[m_strLocalFolder.GetLength() - 1] != '/')
        m_strLocalFolder += '/';
}

CVFDocData::~CVFDocData()
{
    if (m_pConnection)
        m_pConnection->Close();
    m_selection.clear();
}

void CVFDocData::ScramblePassword(CString& password)
{
    // Each character, then one filler; fillers differ from save to save.
    static std::mt19937 rng(std::random_device {}() ^ unsigned(std::time(nullptr)));
    CString out;
    for (int i = 0; i < password.GetLength(); ++i) {
        out += char((static_cast<unsigned char>(password[i]) + kShift) & 0xFF);
        unsigned f = ((rng() % 256) + 32) % 256;
        out += char(f == 0 ? 32 : f);
    }
    password = out;
}

void CVFDocData::UnscramblePassword(CString& scrambled)
{
    CString out;
    for (int i = 0; i < scrambled.GetLength(); i += 2)
        out += char((static_cast<unsigned char>(scrambled[i]) - kShift) & 0xFF);
    scrambled = out;
}

void CVFDocData::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        CString scrambled = m_strPassword;
        ScramblePassword(scrambled);
        ar << CString(kMagic) << m_strHost << std::int32_t(m_bPassive) << scrambled << std::int32_t(m_nPort)
           << m_strRemoteFolder << m_strLocalFolder << m_strUser;
        return;
    }
    CString magic, host, scrambled, remote, local, user;
    std::int32_t passive = 0, port = 0;
    ar >> magic >> host >> passive >> scrambled >> port >> remote >> local >> user;
    // Everything is read before anything is taken, so a damaged file changes nothing.
    bool damaged = magic != kMagic || (passive != 0 && passive != 1) || port < 0 || port > 65535
        || scrambled.GetLength() % 2 != 0 || ar.GetRemaining() != 0 || HasLineBreakOrNul(host)
        || HasLineBreakOrNul(user);
    CString password = scrambled;
    UnscramblePassword(password);
    damaged = damaged || HasLineBreakOrNul(password);
    if (damaged)
        throw CArchiveException(CArchiveException::badSchema, ar.m_strFileName);
    m_strHost = host;
    m_bPassive = passive;
    m_strPassword = password;
    m_nPort = port;
    m_strRemoteFolder = remote;
    m_strLocalFolder = local;
    m_strUser = user;
    if (!m_strLocalFolder.IsEmpty())
        QDir::setCurrent(m_strLocalFolder.ToQString());
}

void CVFDocData::SaveFtpFile(const char* path)
{
    CMemFile mem;
    {
        CArchive ar(&mem, CArchive::store);
        ar.m_strFileName = path;
        Serialize(ar);
        ar.Close();
    }
    CString tmp = CString(path) + ".XXXXXX";
    int fd = mkstemp(tmp.GetBuffer(tmp.GetLength()));
    tmp.ReleaseBuffer();
    if (fd < 0)
        AfxThrowFileException(CFileException::OsErrorToCause(errno), errno, path);
    const BYTE* p = mem.Data();
    std::size_t left = std::size_t(mem.GetLength());
    int err = 0;
    if (fchmod(fd, S_IRUSR | S_IWUSR) != 0)
        err = errno;
    while (!err && left > 0) {
        ssize_t n = write(fd, p, left);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            err = n < 0 ? errno : EIO;
            break;
        }
        p += n;
        left -= std::size_t(n);
    }
    if (!err && fsync(fd) != 0)
        err = errno;
    if (close(fd) != 0 && !err)
        err = errno;
    if (!err && rename(tmp, path) != 0)
        err = errno;
    if (err) {
        unlink(tmp);
        AfxThrowFileException(CFileException::OsErrorToCause(err), err, path);
    }
}

void CVFDocData::LoadFtpFile(const char* path)
{
    CFile file(path, CFile::modeRead | CFile::typeBinary);
    if (file.GetLength() > kMaxFileSize)
        throw CArchiveException(CArchiveException::badSchema, path);
    CArchive ar(&file, CArchive::load);
    ar.m_strFileName = path;
    Serialize(ar);
}

int CVFDocData::Connect()
{
    try {
        m_pConnection.reset(m_session.GetFtpConnection(m_strHost, m_strUser, m_strPassword, m_nPort & 0xFFFF,
                                                       m_bPassive != 0));
    } catch (const CInternetException& e) {
        m_pConnection.reset();
        if (e.m_dwError == ERROR_INTERNET_OPERATION_CANCELLED)
            return 0; // the user's own Cancel needs no message
        CString msg;
        if (e.m_dwError == ERROR_INTERNET_NAME_NOT_RESOLVED)
            msg = FtpFormat("The server: %s can not be found.", {m_strHost.GetString()});
        else if (e.m_dwError == ERROR_INTERNET_INCORRECT_PASSWORD)
            msg = FtpFormat("Invalid password or username (%s) on server %s.",
                            {m_strUser.GetString(), m_strHost.GetString()});
        else
            msg = FtpFormat("Can not connect to the server: %s. Error code: %d.",
                            {m_strHost.GetString(), std::int64_t(e.m_dwError)});
        ShowMessageBox(msg, CString(), MB_OK | MB_ICONERROR);
        return 0;
    }
    CString event = m_nPort == 21 ? FtpFormat("Connected: ftp://%s", {m_strHost.GetString()})
                                  : FtpFormat("Connected: ftp://%s:%d", {m_strHost.GetString(), std::int64_t(m_nPort)});
    AddHistoryEvent(event,
                    FtpFormat("Local folder: %s  Remote folder: %s",
                              {m_strLocalFolder.GetString(), m_strRemoteFolder.GetString()}),
                    HISTORY_CONNECTED);
    return 1;
}

void CVFDocData::DisconnectConnection()
{
    if (m_pConnection) {
        m_pConnection->Close();
        m_pConnection.reset();
    }
    AddHistoryEvent(FtpFormat("Disconnected: ftp://%s", {m_strHost.GetString()}), CString(), HISTORY_DISCONNECTED);
}

bool CVFDocData::IsConnectionAlive()
{
    CString dir;
    return m_pConnection && m_pConnection->GetCurrentDirectory(dir);
}

void CVFDocData::SetEntryName(CFileEntry& entry, const CString& name)
{
    int slash = entry.m_strPath.ReverseFind('/');
    entry.m_strPath = (slash >= 0 ? entry.m_strPath.Left(slash + 1) : CString()) + name;
    entry.m_strName = name;
}

bool CVFDocData::IsRemoteFolderEmpty(const CString& path)
{
    if (!IsConnectionAlive())
        return false;
    CFtpFileFind find(m_pConnection.get());
    return !find.FindFile(path + "/*");
}

bool CVFDocData::DeleteRemoteSelection()
{
    std::vector<std::unique_ptr<CFileEntry>> made; // entries found inside folders
    std::set<const CFileEntry*> expanded;
    while (!m_selection.empty() && m_pConnection) {
        CFileEntry* entry = m_selection.front();
        bool ok = false;
        if (entry && entry->m_nKind == CFileEntry::file) {
            ok = m_pConnection->Remove(entry->m_strPath);
        } else if (entry && entry->m_nKind == CFileEntry::folder) {
            CFtpFileFind find(m_pConnection.get());
            std::vector<CFileEntry*> found;
            BOOL more = find.FindFile(entry->m_strPath + "/*");
            while (more) {
                more = find.FindNextFile();
                if (find.IsDots())
                    continue;
                // A name like "../x" would delete outside the folder.
                if (!IsSafeFtpName(find.GetFileName())) {
                    LogUnsafeName(find.GetFileName(), entry->m_strPath);
                    continue;
                }
                auto e = std::make_unique<CFileEntry>();
                e->m_strName = find.GetFileName();
                e->m_strPath = find.GetFilePath();
                e->m_nKind = find.IsDirectory() ? CFileEntry::folder : CFileEntry::file;
                e->m_nSize = find.GetLength();
                e->m_time = find.GetLastWriteTime();
                found.push_back(e.get());
                made.push_back(std::move(e));
            }
            // A folder whose contents came back after they were deleted would never end.
            if (!found.empty() && expanded.insert(entry).second) {
                m_selection.insert(m_selection.begin(), found.rbegin(), found.rend()); // each put in front
                continue;
            }
            ok = found.empty() && m_pConnection->RemoveDirectory(entry->m_strPath);
        }
        CString name = entry ? entry->m_strName : CString();
        CString path = entry ? entry->m_strPath : CString();
        if (!ok) {
            CString text = FtpFormat("Can't delete: %s", {name.GetString()});
            AddHistoryEvent(text, path, HISTORY_ERROR);
            ShowMessageBox(text, CString(), MB_OK | MB_ICONERROR);
            m_selection.clear(); // the entries made here are about to go
            return false;
        }
        AddHistoryEvent(FtpFormat("Deleted: %s", {name.GetString()}), path, HISTORY_DELETED);
        m_selection.erase(m_selection.begin());
    }
    bool done = m_selection.empty();
    m_selection.clear();
    return done;
}

bool CVFDocData::DeleteLocalSelection()
{
    if (m_selection.empty())
        return false;
    CString question = m_selection.size() == 1 && m_selection.front()
        ? FtpFormat("Delete %s?", {m_selection.front()->m_strName.GetString()})
        : FtpFormat("Delete %d item(s)?", {std::int64_t(m_selection.size())});
    if (ShowMessageBox(question, CString(), MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2) != IDOK)
        return false;
    std::vector<std::unique_ptr<CFileEntry>> made;
    std::set<const CFileEntry*> expanded;
    bool done = true;
    while (!m_selection.empty()) {
        CFileEntry* entry = m_selection.front();
        if (!entry || entry->m_nKind == CFileEntry::parent) {
            m_selection.erase(m_selection.begin());
            continue;
        }
        // What is on disk decides, not what was listed: a link is removed as a link.
        struct stat st {};
        bool ok = lstat(entry->m_strPath, &st) == 0;
        if (ok && S_ISDIR(st.st_mode)) {
            std::vector<CFileEntry*> found;
            QDir dir(entry->m_strPath.ToQString());
            const QFileInfoList items = dir.entryInfoList(
                QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
            for (const QFileInfo& info : items) {
                auto e = std::make_unique<CFileEntry>();
                e->m_strName = CString::FromQString(info.fileName());
                e->m_strPath = entry->m_strPath + "/" + e->m_strName;
                e->m_nKind = info.isDir() && !info.isSymLink() ? CFileEntry::folder : CFileEntry::file;
                found.push_back(e.get());
                made.push_back(std::move(e));
            }
            if (!found.empty() && expanded.insert(entry).second) {
                m_selection.insert(m_selection.begin(), found.rbegin(), found.rend()); // each put in front
                continue;
            }
            ok = found.empty() && rmdir(entry->m_strPath) == 0;
        } else if (ok) {
            ok = unlink(entry->m_strPath) == 0;
        }
        if (!ok) {
            AddHistoryEvent(FtpFormat("Can't remove: %s", {entry->m_strName.GetString()}), entry->m_strPath,
                            HISTORY_ERROR);
            done = false;
            break;
        }
        AddHistoryEvent(FtpFormat("Deleted: %s", {entry->m_strName.GetString()}), entry->m_strPath, HISTORY_DELETED);
        m_selection.erase(m_selection.begin());
    }
    m_selection.clear();
    return done;
}
