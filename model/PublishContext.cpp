#include "model/PublishContext.h"
#include "framework/core/Paths.h"
#include <QtCore/QFile>
#include <limits>

CPublishContext::CPublishContext(const char* name)
{
    if (name)
        m_strOutputFolder = tessel::TempFolder() + name;
}

CPublishContext::~CPublishContext() = default;

namespace {
CString WithSlashes(const char* text)
{
    CString s(text ? text : "");
    s.Replace('\\', '/');
    return s;
}
}

bool CPublishContext::FindFile(const char* name, const int* owner) const
{
    const CString local = m_strOutputRoot + m_strCurrentFolder + (name ? name : "");
    const auto written = m_writtenBy.find(local.str());
    if (written != m_writtenBy.end())
        return !owner || written->second != owner;
    const CString remote = WithSlashes(m_strCurrentFolder + (name ? name : ""));
    return m_localPaths.count(local.str()) != 0 || m_remoteNames.count(remote.str()) != 0;
}

void CPublishContext::AddFile(const char* localPath, const char* remoteName, int kind, int* uploadState, int directory)
{
    const CString local(localPath ? localPath : "");
    m_writtenBy.emplace(local.str(), uploadState);
    const CString remote = WithSlashes(remoteName);
    if (m_generatedSet.insert(remote.str()).second)
        m_generatedNames.push_back(remote);
    if (m_localPaths.count(local.str())) {
        // Another object wrote the same file: a changed one goes up with that entry.
        CPublishFile& file = *m_files[m_localPaths[local.str()]];
        if (uploadState && *uploadState == kUploadChanged && file.m_pUploadState != uploadState) {
            *uploadState = kUploadListed;
            file.m_sharedStates.push_back(uploadState);
        }
        return;
    }
    const int state = uploadState ? *uploadState : kUploadChanged;
    if (state == kUploadDone && !m_bUploadAll)
        return;
    if (uploadState && state == kUploadChanged)
        *uploadState = kUploadListed;

    auto file = std::make_unique<CPublishFile>();
    file->m_strLocalPath = local;
    file->m_strRemoteName = WithSlashes(remoteName);
    QFile f(local.ToQString());
    if (f.open(QIODevice::ReadOnly)) {
        const qint64 size = f.size();
        file->m_nSize = std::uint32_t(std::min<qint64>(size, std::numeric_limits<std::uint32_t>::max()));
    }
    file->m_bDirectory = directory;
    file->m_nKind = kind;
    file->m_pUploadState = uploadState;
    m_localPaths.emplace(file->m_strLocalPath.str(), m_files.size());
    m_remoteNames.insert(file->m_strRemoteName.str());
    m_files.push_back(std::move(file));
}

bool CPublishContext::AddWrittenFile(bool written, const char* localPath, const char* remoteName, int kind, int* uploadState)
{
    if (written)
        AddFile(localPath, remoteName, kind, uploadState);
    else if (m_strFailedPath.IsEmpty())
        m_strFailedPath = localPath ? localPath : "";
    return written;
}
