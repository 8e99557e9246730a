#include "document/Upload.h"

#include <algorithm>
#include <set>
#include "document/Generate.h"
#include "document/KJDoc.h"
#include "framework/core/Exceptions.h"
#include "framework/core/MessageBox.h"
#include "framework/net/CFtpConnection.h"
#include "framework/net/CInternetException.h"
#include "framework/net/CInternetFile.h"
#include "framework/net/CInternetSession.h"

#include <QtCore/QTemporaryDir>
#include <algorithm>

CFtpSettings CFtpSettings::FromDocument(const CKJDoc& doc)
{
    CFtpSettings s;
    s.m_strServer = doc.m_strFtpHost;
    s.m_strUser = doc.m_strFtpUser;
    s.m_strPassword = doc.m_strFtpPassword;
    s.m_strFolder = doc.m_strFtpFolder;
    s.m_nPort = doc.m_nFtpPort;
    s.m_bPassive = doc.m_bFtpPassive;
    return s;
}

void CFtpSettings::ToDocument(CKJDoc& doc) const
{
    doc.m_strFtpHost = m_strServer;
    doc.m_strFtpUser = m_strUser;
    doc.m_strFtpPassword = m_strPassword;
    doc.m_strFtpFolder = m_strFolder;
    doc.m_nFtpPort = m_nPort;
    doc.m_bFtpPassive = m_bPassive;
}

CInternetSession& GetDesignerInternetSession()
{
    static CInternetSession session("Tessel Web Designer");
    return session;
}

std::unique_ptr<CFtpConnection> ConnectFtp(CInternetSession& session, const CFtpSettings& settings)
{
    const int port = int(std::uint16_t(settings.m_nPort));
    return std::unique_ptr<CFtpConnection>(session.GetFtpConnection(
        settings.m_strServer, settings.m_strUser, settings.m_strPassword, port, settings.m_bPassive ? TRUE : FALSE));
}

CString FtpLoginFailureText(DWORD error, const CFtpSettings& settings, CString (*translate)(const CString&))
{
    auto tr = [translate](const char* text) { return translate ? translate(CString(text)) : CString(text); };
    CString text;
    switch (error) {
    case ERROR_INTERNET_NAME_NOT_RESOLVED:
        text.Format(tr("The server: %s can not be found."), settings.m_strServer.GetString());
        break;
    case ERROR_INTERNET_INCORRECT_PASSWORD:
        text.Format(tr("Invalid password or username (%s) on server %s."), settings.m_strUser.GetString(),
                    settings.m_strServer.GetString());
        break;
    default:
        text.Format(tr("Login Failed: %s."), settings.m_strServer.GetString());
        break;
    }
    return text;
}

CString NormalizeRemoteFolder(const CString& folder)
{
    CString f = folder;
    f.TrimRight('/');
    // "/" is the server's root, not the login folder.
    if (!f.IsEmpty() || !folder.IsEmpty())
        f += '/';
    return f;
}

bool SendsPhpIndex(const std::vector<CPublishFile*>& queue)
{
    return std::any_of(queue.begin(), queue.end(),
                       [](const CPublishFile* f) { return f && f->m_strRemoteName == "index.php"; });
}

CString KeepServerIndexPage(CFtpConnection& connection, const CString& remoteFolder)
{
    const CString folder = NormalizeRemoteFolder(remoteFolder);
    // The folder itself; "/" stays "/", the login folder is listed as "".
    const CString listed = folder.GetLength() > 1 ? folder.Left(folder.GetLength() - 1) : folder;
    std::vector<CFtpListEntry> entries;
    if (connection.ListFolder(listed, entries) != 0)
        return CString(); // no folder yet, so no old page either
    auto exists = [&entries](const CString& name) {
        return std::any_of(entries.begin(), entries.end(),
                           [&name](const CFtpListEntry& e) { return !e.directory && e.name == name; });
    };
    if (!exists("index.html"))
        return CString();
    CString keep = "original_index.html";
    for (int n = 2; exists(keep); ++n)
        keep = CString::Formatted("original_index_%d.html", n);
    if (!connection.Rename(folder + "index.html", folder + keep))
        return CString();
    return keep;
}

bool GenerateForUpload(CKJDoc& doc, CPublishContext& context, bool uploadAll, QTemporaryDir& folder)
{
    if (!folder.isValid())
        return false;
    const CString name = GetExportProjectName(doc);
    if (name.IsEmpty())
        return false;
    context.m_strOutputFolder = CString::FromQString(folder.path()) + "/" + name;
    context.m_nMode = kPublishUpload;
    context.m_bUploadAll = uploadAll ? 1 : 0;
    CString error;
    if (!GenerateWebsite(doc, context, &error)) {
        if (!error.IsEmpty())
            AfxMessageBox(error, MB_ICONERROR);
        return false;
    }
    return true;
}

// ---- CFileUploader

CFileUploader::CFileUploader(std::vector<CPublishFile*> queue, std::unique_ptr<CFtpConnection>& connection,
                             const CString& remoteFolder)
    : m_queue(queue.begin(), queue.end()), m_connection(connection), m_strRemoteFolder(remoteFolder)
{
    for (CPublishFile* f : m_queue) {
        if (f && f->m_pUploadState)
            ++m_unconfirmed[f->m_pUploadState];
        if (f)
            for (int* shared : f->m_sharedStates)
                ++m_unconfirmed[shared];
    }
}

CFileUploader::~CFileUploader() { CloseFiles(); }

CFileUploader::Status CFileUploader::Begin()
{
    m_strRemoteFolder = NormalizeRemoteFolder(m_strRemoteFolder);
    m_nEntriesAtStart = UINT(m_queue.size());
    m_nBytesDone = 0;
    m_startTime = std::time(nullptr);
    return m_step.Run(Running, Failed, [this] { return NextFile(); }, [this] { CloseFiles(); });
}

void CFileUploader::Confirm(CPublishFile* entry)
{
    if (!m_confirmed.insert(entry).second)
        return;
    // An object with several files counts as uploaded once all of them are there; objects
    // that share a file count it as theirs too.
    for (int* state : entry->m_sharedStates)
        if (--m_unconfirmed[state] == 0)
            *state = kUploadDone;
    if (entry->m_pUploadState && --m_unconfirmed[entry->m_pUploadState] == 0)
        *entry->m_pUploadState = kUploadDone;
}

void CFileUploader::CloseFiles()
{
    if (m_local.IsOpen())
        m_local.Abort();
    if (m_remote) {
        m_remote->Abort();
        m_remote.reset();
    }
}

void CFileUploader::Stop()
{
    // A step on the stack still uses the files: it ends them when its wait is over.
    if (!m_step.DeferCancel(m_connection.get()))
        CloseFiles();
}

CFileUploader::Status CFileUploader::Failure(const CString& text, UINT type)
{
    CloseFiles();
    if (!m_step.CancelPending())
        AfxMessageBox(text, type);
    return Failed;
}

CFileUploader::Status CFileUploader::LinkFailure(DWORD error)
{
    CloseFiles();
    if (m_step.CancelPending())
        return Failed; // the user's Stop cut the wait short; the connection stays
    if (m_connection) {
        m_connection->Close();
        m_connection.reset();
    }
    m_dwLastError = error;
    return Failure(CString("Error uploading file: ") + m_strRemotePath, MB_OK);
}

void CFileUploader::RemoveStaleFiles(CPublishedFiles* published, const CPublishContext& context,
                                     const CFtpSettings& settings)
{
    m_pPublished = published;
    m_pGenerated = &context;
    m_place = CPublishPlace();
    // one server under any spelling of its name's case; the folder is known at the start
    m_place.m_strHost = settings.m_strServer;
    m_place.m_strHost.Trim();
    m_place.m_strHost.MakeLower();
    m_place.m_strUser = settings.m_strUser;
    m_place.m_nPort = int(std::uint16_t(settings.m_nPort));
}

void CFileUploader::RemoveStale()
{
    if (!m_pPublished || !m_pGenerated || !m_connection)
        return;
    CPublishPlace place = m_place;
    place.m_strFolder = m_strRemoteFolder;
    if (!place.IsKnown() || !(m_pPublished->m_place == place)) {
        // The old names were left somewhere else (or nobody knows where): here they may
        // be the user's own files. The new list holds what this upload put here.
        std::vector<CString> sent;
        for (const auto& f : m_pGenerated->GetFiles())
            if (m_confirmed.count(f.get()))
                sent.push_back(f->m_strRemoteName);
        m_pPublished->m_place = place;
        m_pPublished->m_names = std::move(sent);
        return;
    }
    std::vector<CString> stale;
    for (const CString& name : m_pPublished->m_names)
        // only names of ours, inside the remote folder
        if (!m_pGenerated->IsGenerated(name) && !name.IsEmpty() && name[0] != '/' && name.Find("..") < 0
            && name.Find('\\') < 0)
            stale.push_back(name);
    // the deepest first, so that a folder is empty when its turn comes
    std::sort(stale.begin(), stale.end(), [](const CString& a, const CString& b) { return a.GetLength() > b.GetLength(); });
    std::vector<CString> kept = m_pGenerated->m_generatedNames;
    for (const CString& name : stale) {
        const CString path = m_strRemoteFolder + name;
        if (m_connection->Remove(path) || m_connection->RemoveDirectory(path))
            continue;
        // gone already is as good as removed; a file still there is tried again next time
        std::uint64_t size = 0;
        if (m_connection->GetRemoteFileSize(path, size))
            kept.push_back(name);
    }
    m_pPublished->m_names = std::move(kept);
}

bool CFileUploader::MakeRemoteFolder()
{
    CString folder = m_strRemoteFolder;
    folder.TrimRight('/');
    if (folder.IsEmpty()) // the login folder or the root: always there
        return true;
    std::vector<CFtpListEntry> entries;
    if (m_connection->ListFolder(folder, entries) == 0)
        return true;
    // Each missing level from the top down, as a user would make them.
    CString path = folder[0] == '/' ? CString("/") : CString();
    int start = folder[0] == '/' ? 1 : 0;
    while (start <= folder.GetLength()) {
        int end = folder.Find('/', start);
        if (end < 0)
            end = folder.GetLength();
        if (end > start) {
            path += folder.Mid(start, end - start);
            if (!m_connection->CreateDirectory(path)) {
                entries.clear();
                if (m_connection->ListFolder(path, entries) != 0)
                    return false;
            }
            path += '/';
        }
        start = end + 1;
    }
    return true;
}

CFileUploader::Status CFileUploader::NextFile()
{
    if (!m_bFolderReady && !m_queue.empty() && m_connection) {
        m_bFolderReady = true;
        if (!MakeRemoteFolder()) {
            if (m_step.CancelPending())
                return Failed;
            return Failure(CString::Formatted("The folder %s does not exist on the server and could not be created.",
                               m_strRemoteFolder.GetString()),
                MB_ICONSTOP);
        }
    }
    for (;;) {
        if (m_step.CancelPending())
            return Failed;
        if (m_queue.empty()) {
            RemoveStale();
            return Finished;
        }
        CPublishFile* entry = m_queue.front();
        m_queue.pop_front();
        m_current = entry;
        ++m_nEntriesTaken;
        if (!entry)
            return Failed;
        m_strRemotePath = m_strRemoteFolder + entry->m_strRemoteName;
        if (!m_connection)
            return Failed;
        if (entry->m_bDirectory) {
            if (!m_connection->CreateDirectory(m_strRemotePath)) {
                // Refused: fine when it is there already, a failure otherwise.
                const DWORD made = m_connection->GetLastError();
                std::vector<CFtpListEntry> entries;
                if (m_connection->ListFolder(m_strRemotePath, entries) != 0)
                    return LinkFailure(made ? made : m_connection->GetLastError());
            }
            Confirm(entry);
            continue;
        }
        m_strLocalPath = entry->m_strLocalPath;
        CFileException fileError;
        if (!m_local.Open(m_strLocalPath, CFile::modeRead | CFile::typeBinary, &fileError)) {
            return Failure(CString("Error reading local file ") + m_strLocalPath, MB_ICONSTOP);
        }
        m_nCurrentSize = m_local.GetLength();
        m_nBytesSent = 0;
        m_nPercent = 0;
        try {
            m_remote.reset(m_connection->OpenFile(m_strRemotePath, GENERIC_WRITE, FTP_TRANSFER_TYPE_BINARY, 1));
        } catch (const CInternetException& e) {
            return LinkFailure(e.m_dwError);
        }
        if (!m_remote) {
            CloseFiles();
            return Failed;
        }
        return Running;
    }
}

CFileUploader::Status CFileUploader::Step()
{
    return m_step.Run(Running, Failed, [this] { return StepOnce(); }, [this] { CloseFiles(); });
}

CFileUploader::Status CFileUploader::StepOnce()
{
    if (!m_connection) {
        CloseFiles();
        return Failed;
    }
    if (!m_remote)
        return m_queue.empty() ? Finished : NextFile();
    char buffer[kBlockSize];
    UINT got = 0;
    try {
        got = m_local.Read(buffer, kBlockSize);
    } catch (const CException&) {
        return Failure(CString("Error reading local file ") + m_strLocalPath, MB_ICONSTOP);
    }
    if (got == 0) {
        m_local.Abort();
        try {
            m_remote->Flush();
            m_remote->Close(); // waits for the server to confirm the file
        } catch (const CInternetException& e) {
            return LinkFailure(e.m_dwError);
        }
        m_remote.reset();
        // A "226" alone is not trusted: the server must hold every byte before the file
        // counts as uploaded.
        std::uint64_t held = 0;
        if (!m_connection->GetRemoteFileSize(m_strRemotePath, held) || held != m_nCurrentSize) {
            m_dwLastError = m_connection->GetLastError() ? m_connection->GetLastError() : ERROR_INTERNET_EXTENDED_ERROR;
            return Failure(CString("Error writing remote file ") + m_strRemotePath, MB_ICONSTOP);
        }
        m_nBytesDone += m_nCurrentSize;
        Confirm(m_current);
        return NextFile();
    }
    try {
        m_remote->Write(buffer, got);
    } catch (const CInternetException& e) {
        m_dwLastError = e.m_dwError;
        return Failure(CString("Error writing remote file ") + m_strRemotePath, MB_ICONSTOP);
    }
    m_nBytesSent += got;
    m_nPercent = m_nCurrentSize ? int(std::min<std::uint64_t>(m_nBytesSent * 100 / m_nCurrentSize, 100)) : 100;
    return Running;
}
