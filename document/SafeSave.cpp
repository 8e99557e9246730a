#include "document/SafeSave.h"

#include "framework/core/Exceptions.h"
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

namespace {

// Our temporary name for a target: "." + its name + "." + six letters or digits.
bool IsOurTemporaryName(const QString& entry, const QString& targetName)
{
    const QString prefix = QLatin1Char('.') + targetName + QLatin1Char('.');
    if (entry.size() != prefix.size() + 6 || !entry.startsWith(prefix))
        return false;
    for (int i = prefix.size(); i < entry.size(); ++i) {
        const QChar c = entry[i];
        if (!(c.isDigit() || (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))))
            return false;
    }
    return true;
}

// Whatever went wrong with the temporary file is the user's file that was not saved.
template <typename Fn> void NamingTarget(const CString& path, Fn&& fn)
{
    try {
        fn();
    } catch (CFileException& e) {
        e.m_strFileName = path;
        throw;
    } catch (CArchiveException& e) {
        e.m_strFileName = path;
        throw;
    }
}

} // namespace

int RemoveLeftoverTemporaries(const CString& path)
{
    QFileInfo info(path.ToQString());
    QDir folder(info.absolutePath());
    int removed = 0;
    // Plain files only: a link of that name is not ours to follow or remove.
    const QFileInfoList entries = folder.entryInfoList(QDir::Files | QDir::Hidden | QDir::NoSymLinks | QDir::System);
    for (const QFileInfo& e : entries)
        if (IsOurTemporaryName(e.fileName(), info.fileName()) && !e.isSymLink() && QFile::remove(e.filePath()))
            ++removed;
    return removed;
}

void SaveFileSafely(const CString& path, const std::function<void(CFile&)>& writer)
{
    QFileInfo info(path.ToQString());
    QString folder = info.absolutePath();
    // A save killed earlier (crash, power cut) left its temporary file here.
    RemoveLeftoverTemporaries(path);
    QTemporaryFile temp(folder + QStringLiteral("/.") + info.fileName() + QStringLiteral(".XXXXXX"));
    temp.setAutoRemove(true); // every failure below unwinds through here and removes it
    if (!temp.open()) {
        int cause = QFileInfo(folder).isDir() ? CFileException::accessDenied : CFileException::badPath;
        AfxThrowFileException(cause, 0, path);
    }
    CString tempPath = CString::FromQString(temp.fileName());
    temp.close(); // we write it through our own file class; the object still removes it
    NamingTarget(path, [&] {
        CFile file;
        CFileException error;
        if (!file.Open(tempPath, CFile::modeWrite | CFile::typeBinary, &error))
            throw error;
        writer(file);
        file.Flush(); // data on disk before the rename
        file.Close();
    });
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
