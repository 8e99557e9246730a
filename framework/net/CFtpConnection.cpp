#include "framework/net/CFtpConnection.h"
#include "framework/net/CInternetException.h"
#include "framework/net/CInternetFile.h"
#include "framework/net/FtpLink.h"
#include <ctime>

CFtpConnection::CFtpConnection(const FtpConfig& config, const CString& server, std::uintptr_t context)
    : m_link(std::make_shared<FtpLink>(config)), m_server(server), m_context(context)
{
}

CFtpConnection::~CFtpConnection()
{
    Close();
}

void CFtpConnection::Close()
{
    if (m_link)
        m_link->Close();
}

bool CFtpConnection::IsOpen() const
{
    return m_link && !m_link->IsClosed();
}

CString CFtpConnection::GetLoginDirectory() const
{
    return CString(m_link->EntryPath());
}

BOOL CFtpConnection::Command(std::initializer_list<CString> commands)
{
    std::vector<std::string> list;
    for (const CString& c : commands)
        list.push_back(c.str());
    m_lastError = m_link->Quote(list);
    m_lastResponse = CString(m_link->LastReply());
    return m_lastError == 0;
}

BOOL CFtpConnection::GetCurrentDirectory(CString& directory)
{
    if (!Command({"PWD"}))
        return FALSE;
    std::string reply;
    if (!m_link->FindReply(257, reply)) {
        m_lastError = ERROR_INTERNET_EXTENDED_ERROR;
        return FALSE;
    }
    // 257 "<path>" text, with "" standing for one quote inside the path.
    size_t open = reply.find('"');
    if (open == std::string::npos) {
        m_lastError = ERROR_INTERNET_EXTENDED_ERROR;
        return FALSE;
    }
    std::string path;
    for (size_t i = open + 1; i < reply.size(); ++i) {
        if (reply[i] == '"') {
            if (i + 1 < reply.size() && reply[i + 1] == '"') {
                path += '"';
                ++i;
                continue;
            }
            break;
        }
        path += reply[i];
    }
    directory = CString(path);
    return TRUE;
}

BOOL CFtpConnection::CreateDirectory(const char* path)
{
    return Command({CString("MKD ") + path});
}

BOOL CFtpConnection::RemoveDirectory(const char* path)
{
    return Command({CString("RMD ") + path});
}

BOOL CFtpConnection::Remove(const char* path)
{
    return Command({CString("DELE ") + path});
}

BOOL CFtpConnection::Rename(const char* existing, const char* newName)
{
    return Command({CString("RNFR ") + existing, CString("RNTO ") + newName});
}

CInternetFile* CFtpConnection::OpenFile(const char* path, DWORD access, DWORD flags, std::uintptr_t context)
{
    bool writing = (access & GENERIC_WRITE) != 0;
    if (writing == ((access & GENERIC_READ) != 0))
        AfxThrowInternetException(context, ERROR_INTERNET_INVALID_URL);
    CString p(path);
    m_link->StartTransfer(p.str(), writing, (flags & 3) == FTP_TRANSFER_TYPE_ASCII);
    return new CInternetFile(m_link, p, writing);
}

DWORD CFtpConnection::ListFolder(const CString& folder, std::vector<CFtpListEntry>& entries)
{
    entries.clear();
    std::string text;
    if (m_mlsd != Mlsd::No) {
        m_lastError = m_link->List(folder.str(), "MLSD", text);
        if (m_lastError == 0) {
            m_mlsd = Mlsd::Yes;
            entries = ParseMlsdListing(text);
            return 0;
        }
        int code = m_link->LastReplyCode();
        if (m_mlsd == Mlsd::Yes || (code != 500 && code != 502 && code != 504)) {
            m_lastResponse = CString(m_link->LastReply());
            return m_lastError;
        }
        m_mlsd = Mlsd::No;
    }
    m_lastError = m_link->List(folder.str(), "LIST", text);
    m_lastResponse = CString(m_link->LastReply());
    if (m_lastError == 0)
        entries = ParseListListing(text, std::time(nullptr));
    return m_lastError;
}

BOOL CFtpConnection::GetRemoteFileSize(const CString& path, std::uint64_t& size)
{
    size = 0;
    if (!IsOpen()) {
        m_lastError = ERROR_FTP_DROPPED;
        return FALSE;
    }
    if (m_link->QuerySize(path.str(), size)) {
        m_lastError = 0;
        return TRUE;
    }
    // No SIZE: the file's line in its folder's listing.
    const int slash = path.ReverseFind('/');
    CString folder = slash < 0 ? CString() : (slash == 0 ? CString("/") : path.Left(slash));
    const CString name = path.Mid(slash + 1);
    std::vector<CFtpListEntry> entries;
    if (ListFolder(folder, entries) != 0)
        return FALSE;
    for (const CFtpListEntry& e : entries) {
        if (e.name == name && !e.directory) {
            if (!e.sizeKnown)
                break;
            size = e.size;
            m_lastError = 0;
            return TRUE;
        }
    }
    m_lastError = ERROR_INTERNET_EXTENDED_ERROR;
    return FALSE;
}

void CFtpConnection::CancelStep()
{
    if (m_link)
        m_link->RequestCancel();
}
