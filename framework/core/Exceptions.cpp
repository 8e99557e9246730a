#include "framework/core/Exceptions.h"

#include <cerrno>

const char* CException::what() const noexcept
{
    m_what = GetErrorMessage();
    return m_what.GetString();
}

int CFileException::OsErrorToCause(int err)
{
    switch (err) {
    case ENOENT: return fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG: return badPath;
    case EMFILE:
    case ENFILE: return tooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS: return accessDenied;
    case EISDIR: return accessDenied;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return diskFull;
    case EIO: return hardIO;
    default: return genericException;
    }
}

CString CFileException::GetErrorMessage() const
{
    CString name = m_strFileName.IsEmpty() ? CString("an unnamed file") : m_strFileName;
    switch (m_cause) {
    case fileNotFound: return CString::Formatted("%s was not found.", name.GetString());
    case badPath: return CString::Formatted("%s contains an invalid path.", name.GetString());
    case tooManyOpenFiles: return CString::Formatted("%s could not be opened because there are too many open files.", name.GetString());
    case accessDenied: return CString::Formatted("Access to %s was denied.", name.GetString());
    case invalidFile: return CString::Formatted("An unsupported operation was attempted on %s.", name.GetString());
    case badSeek: return CString::Formatted("An error occurred while seeking in %s.", name.GetString());
    case hardIO: return CString::Formatted("A hardware I/O error was reported while accessing %s.", name.GetString());
    case diskFull: return CString::Formatted("There is not enough space on the disk for %s.", name.GetString());
    case endOfFile: return CString::Formatted("An attempt was made to access %s past its end.", name.GetString());
    default: return CString::Formatted("An unexpected error occurred while accessing %s.", name.GetString());
    }
}

CString CArchiveException::GetErrorMessage() const
{
    CString name = m_strFileName.IsEmpty() ? CString("an unnamed file") : m_strFileName;
    switch (m_cause) {
    case endOfFile: return CString::Formatted("An attempt was made to access %s past its end.", name.GetString());
    case badIndex:
    case badClass:
    case badSchema: return CString::Formatted("Unexpected file format in %s.", name.GetString());
    case readOnly: return CString::Formatted("Tried to write to %s while it was open for loading.", name.GetString());
    case writeOnly: return CString::Formatted("Tried to read from %s while it was open for storing.", name.GetString());
    default: return CString::Formatted("An unexpected error occurred while reading %s.", name.GetString());
    }
}

void AfxThrowArchiveException(int cause, const CString& fileName) { throw CArchiveException(cause, fileName); }
void AfxThrowFileException(int cause, int osError, const CString& fileName) { throw CFileException(cause, osError, fileName); }
void AfxThrowMemoryException() { throw CMemoryException(); }
