#include "framework/net/CFtpFileFind.h"
#include "framework/net/CFtpConnection.h"
#include "framework/net/CInternetException.h"

CFtpFileFind::CFtpFileFind(CFtpConnection* connection, std::uintptr_t) : m_connection(connection) {}

void CFtpFileFind::Close()
{
    m_entries.clear();
    m_next = 0;
    m_current = -1;
}

BOOL CFtpFileFind::FindFile(const char* pattern, DWORD)
{
    Close();
    CString p = pattern && *pattern ? CString(pattern) : CString("*");
    int slash = p.ReverseFind('/');
    CString folder = slash >= 0 ? p.Left(slash + 1) : CString();
    CString mask = p.Mid(slash + 1);
    bool everything = mask.IsEmpty() || mask == "*.*" || mask == "*";
    // The folder as listed: "/" stays "/", "a/b/" becomes "a/b".
    CString listed = folder;
    if (listed.GetLength() > 1)
        listed.TrimRight('/');
    if (!m_connection || !m_connection->IsOpen()) {
        m_lastError = ERROR_FTP_DROPPED;
        return FALSE;
    }
    std::vector<CFtpListEntry> all;
    m_lastError = m_connection->ListFolder(listed, all);
    if (m_lastError != 0)
        return FALSE;
    for (CFtpListEntry& e : all)
        if (everything || FtpNameMatches(e.name.str(), mask.str()))
            m_entries.push_back(std::move(e));
    if (listed.IsEmpty()) {
        listed = m_connection->GetLoginDirectory();
    }
    m_root = listed;
    if (m_entries.empty()) {
        m_lastError = ERROR_NO_MORE_FILES;
        return FALSE;
    }
    return TRUE;
}

BOOL CFtpFileFind::FindNextFile()
{
    if (m_next >= int(m_entries.size()))
        return FALSE;
    m_current = m_next++;
    return m_next < int(m_entries.size());
}

const CFtpListEntry* CFtpFileFind::Current() const
{
    return m_current >= 0 && m_current < int(m_entries.size()) ? &m_entries[size_t(m_current)] : nullptr;
}

CString CFtpFileFind::GetFileName() const
{
    const CFtpListEntry* e = Current();
    return e ? e->name : CString();
}

CString CFtpFileFind::GetFilePath() const
{
    const CFtpListEntry* e = Current();
    if (!e)
        return CString();
    CString path = m_root;
    if (!path.IsEmpty() && path[path.GetLength() - 1] != '/')
        path += '/';
    return path + e->name;
}

std::uint64_t CFtpFileFind::GetLength() const
{
    const CFtpListEntry* e = Current();
    return e ? e->size : 0;
}

std::time_t CFtpFileFind::GetLastWriteTime() const
{
    const CFtpListEntry* e = Current();
    return e ? e->time : 0;
}

BOOL CFtpFileFind::IsDirectory() const
{
    const CFtpListEntry* e = Current();
    return e && e->directory;
}

BOOL CFtpFileFind::IsDots() const
{
    const CFtpListEntry* e = Current();
    return e && (e->name == "." || e->name == "..");
}

BOOL CFtpFileFind::IsLink() const
{
    const CFtpListEntry* e = Current();
    return e && e->link;
}
