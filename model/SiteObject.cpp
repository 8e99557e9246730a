#include "model/SiteObject.h"
#include "framework/core/CFile.h"
#include "framework/core/Exceptions.h"
#include <QtCore/QFileInfo>
#include <atomic>
#include <cstring>
#include <limits>

namespace {
std::atomic<int> g_objectCounter{0};
}

int GetObjectCounter()
{
    return g_objectCounter.load();
}

void SetObjectCounter(int value)
{
    g_objectCounter.store(value);
}

CSiteObject::CSiteObject()
    : m_nSerial(++g_objectCounter)
{
}

CSiteObject::~CSiteObject() = default;

CString CSiteObject::GetFileName() const
{
    return m_strBaseName + m_strExtension;
}

void CSiteObject::Serialize(CArchive& ar, int /*version*/)
{
    if (ar.IsStoring()) {
        ar << std::int32_t(m_nType) << std::int32_t(m_nSerial);
        ar << m_strThirdName << m_strBaseName << m_strExtension;
        ar << std::int32_t(m_nUploadState);
        if (m_blob.Size() > std::size_t(std::numeric_limits<std::int32_t>::max()))
            throw CArchiveException(CArchiveException::genericException, ar.m_strFileName);
        ar << std::int32_t(m_blob.Size());
        if (m_blob.Size())
            ar.Write(m_blob.Data(), m_blob.Size());
        return;
    }
    std::int32_t type, serial, upload, size;
    ar >> type >> serial;
    m_nType = type;
    m_nSerial = serial;
    ar >> m_strThirdName >> m_strBaseName >> m_strExtension;
    ar >> upload;
    m_nUploadState = upload;
    ar >> size;
    // The size comes from the file: bound it before anything is allocated.
    if (size < 0)
        throw CArchiveException(CArchiveException::badIndex, ar.m_strFileName);
    ar.CheckCount(size);
    if (size == 0) {
        m_blob.Free();
        return;
    }
    CDataBlock block;
    if (!block.Allocate(std::size_t(size)))
        throw CMemoryException();
    ar.Read(block.Data(), block.Size());
    m_blob.Swap(block);
}

bool CSiteObject::LoadBlobFromFile(const CString& path)
{
    CFile file;
    if (!file.Open(path, CFile::modeRead))
        return false;
    const std::uint64_t length = file.GetLength();
    // The new bytes go into a block of their own: a file that cannot be read whole
    // leaves the old block in place.
    CDataBlock block;
    if (length > std::uint64_t(std::numeric_limits<std::int32_t>::max()) || !block.Allocate(std::size_t(length)))
        return false;
    std::size_t done = 0;
    while (done < block.Size()) {
        UINT n = file.Read(block.Data() + done, UINT(std::min<std::size_t>(block.Size() - done, 1u << 30)));
        if (n == 0)
            return false;
        done += n;
    }
    file.Close();
    m_blob.Swap(block);
    // The base name from the file's name without folder and extension: printable ASCII
    // only, with the characters that file systems or URLs read specially made "x".
    const QString stem = QFileInfo(path.ToQString()).completeBaseName();
    const CString title = CString::FromQString(stem);
    CString base;
    for (unsigned char c : title.str()) {
        if (c <= 32 || c >= 123)
            continue;
        base += std::strchr(":/\\*?<>|\"", c) ? 'x' : char(c);
    }
    if (base.IsEmpty())
        base.Format("%d", m_nSerial);
    m_strBaseName = base;
    OnBlobLoaded(title);
    return true;
}
