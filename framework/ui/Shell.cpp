#include "framework/ui/Shell.h"
#include "framework/core/MessageBox.h"

#include <QtCore/QFileInfo>
#include <QtCore/QProcess>
#include <QtCore/QUrl>
#include <QtGui/QDesktopServices>

namespace {
tessel::ShellHook& Hook()
{
    static tessel::ShellHook hook;
    return hook;
}

bool IsAddress(const QString& s)
{
    static const char* const schemes[] = {"http:", "https:", "ftp:", "mailto:", "file:"};
    for (const char* scheme : schemes)
        if (s.startsWith(QLatin1String(scheme), Qt::CaseInsensitive))
            return true;
    return false;
}
} // namespace

tessel::ShellHook tessel::SetShellHook(ShellHook hook)
{
    ShellHook old = std::move(Hook());
    Hook() = std::move(hook);
    return old;
}

BOOL ShellOpen(const CString& target)
{
    if (Hook())
        return Hook()(target, false) ? TRUE : FALSE;
    const QString s = target.ToQString();
    const QUrl url = IsAddress(s) ? QUrl(s) : QUrl::fromLocalFile(QFileInfo(s).absoluteFilePath());
    return QDesktopServices::openUrl(url) ? TRUE : FALSE;
}

CString ShellOpenCommand()
{
    const QByteArray browser = qgetenv("BROWSER");
    if (!browser.trimmed().isEmpty())
        return CString(browser.trimmed().constData());
    return "xdg-open";
}

void ReportShellOpenFailure(const CString& target)
{
    AfxMessageBox(CString::Formatted("The browser could not be started.\n\nCommand: %s \"%s\"", ShellOpenCommand().GetString(),
                                     target.GetString()),
                  MB_ICONEXCLAMATION);
}

BOOL ShellOpenOrReport(const CString& target)
{
    if (ShellOpen(target))
        return TRUE;
    ReportShellOpenFailure(target);
    return FALSE;
}

BOOL ShellStartProgram(const CString& program)
{
    if (Hook())
        return Hook()(program, true) ? TRUE : FALSE;
    return QProcess::startDetached(program.ToQString(), {}) ? TRUE : FALSE;
}
