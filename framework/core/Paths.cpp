#include "framework/core/Paths.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QStandardPaths>

namespace {
CString WithSlash(const QString& s)
{
    CString r = CString::FromQString(QDir::fromNativeSeparators(s));
    if (r.IsEmpty() || r[r.GetLength() - 1] != '/')
        r += '/';
    return r;
}
} // namespace

CString tessel::TempFolder() { return WithSlash(QDir::tempPath()); }

CString tessel::ProgramFolder()
{
    if (!QCoreApplication::instance())
        return WithSlash(QDir::currentPath());
    return WithSlash(QCoreApplication::applicationDirPath());
}

CString tessel::DocumentsFolder()
{
    QString d = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (d.isEmpty())
        d = QDir::homePath();
    return WithSlash(d);
}

CString tessel::AppDataFolder()
{
    QString d = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (d.isEmpty())
        d = QDir::homePath() + QStringLiteral("/.local/share");
    d += QStringLiteral("/Varnelo/Tessel Web Designer");
    QDir().mkpath(d);
    return WithSlash(d);
}

CString tessel::FileNameOf(const CString& path)
{
    int i = path.ReverseFind('/');
    return i < 0 ? path : path.Mid(i + 1);
}

CString tessel::FolderOf(const CString& path)
{
    int i = path.ReverseFind('/');
    return i < 0 ? CString() : path.Left(i + 1);
}

CString tessel::JoinPath(const CString& a, const CString& b)
{
    if (a.IsEmpty())
        return b;
    CString r = a;
    if (r[r.GetLength() - 1] != '/')
        r += '/';
    CString tail = b;
    tail.TrimLeft('/');
    return r + tail;
}
