#include "document/SafeSave.h"

#include "framework/core/Paths.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <ctime>

namespace project {

CString BackupFolder()
{
    return tessel::AppDataFolder() + "TesselBackups/";
}

CString MakeBackupCopy(const CString& path)
{
    QFileInfo info(path.ToQString());
    if (path.IsEmpty() || !info.isFile())
        return CString();
    CString folder = BackupFolder();
    if (!QDir().mkpath(folder.ToQString()))
        return CString();
    CString target = folder + CString::Formatted("%s-%lld.kjproj", CString::FromQString(info.completeBaseName()).GetString(), (long long)std::time(nullptr));
    // QFile::copy refuses an existing target, as the backup must
    if (!QFile::copy(info.filePath(), target.ToQString()))
        return CString();
    return target;
}

void SaveFileSafely(const CString& path, const std::function<void(CFile&)>& writer)
{
    QFileInfo info(path.ToQString());
    QString folder = info.absolutePath();
    QTemporaryFile temp(folder + QStringLiteral("/.") + info.fileName() + QStringLiteral(".XXXXXX"));
    temp.setAutoRemove(true);
    if (!temp.open()) {
        int cause = QFileInfo(folder).isDir() ? CFileException::accessDenied : CFileException::badPath;
        AfxThrowFileException(cause, 0, path);
    }
    CString tempPath = CString::FromQString(temp.fileName());
    temp.close(); // we write it through our own file class; the object still removes it
    {
        CFile file;
        CFileException error;
        if (!file.Open(tempPath, CFile::modeWrite | CFile::typeBinary, &error)) {
            error.m_strFileName = path;
            throw error;
        }
        writer(file); // throws on failure: the temporary file goes with temp
        file.Flush(); // data on disk before the rename
        file.Close();
    }
    // the new file gets the old one's permissions, or the usual ones for a new file
    QFile::Permissions perms = QFileInfo::exists(path.ToQString())
        ? QFile::permissions(path.ToQString())
        : (QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser | QFile::ReadGroup | QFile::ReadOther);
    QFile::setPermissions(tempPath.ToQString(), perms);
    if (std::rename(tempPath.GetString(), path.GetString()) != 0) {
        int err = errno;
        AfxThrowFileException(CFileException::OsErrorToCause(err), err, path);
    }
    temp.setAutoRemove(false); // the name now belongs to the saved file
}

} // namespace project
