#include "ftpexplorer/VFDocData.h"
#include "framework/core/MessageBox.h"
#include "framework/net/CInternetException.h"
#include "ftpexplorer/FtpTranslate.h"
#include "ftpexplorer/History.h"
#include <QtCore/QDir>
#include <cerrno>
#include <fcntl.h>
#include <random>
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
