// A running explorer for the window tests: the application with its main window, test FTP
// servers on 127.0.0.1, connection windows opened from ".ftp" files, and answers for the
// dialogs and message boxes the commands open.
#pragma once
#include "framework/core/MessageBox.h"
#include "framework/ui/Dialog.h"
#include "framework/ui/Shell.h"
#include "ftpexplorer/FileListView.h"
#include "ftpexplorer/FtpDialogs.h"
#include "ftpexplorer/FtpShell.h"
#include "ftpexplorer/FtpTranslate.h"
#include "ftpexplorer/History.h"
#include "ftpexplorer/VFDoc.h"
#include "support/FtpServer.h"

#include <QtCore/QSettings>
#include <QtCore/QCoreApplication>
#include <QtCore/QDeadlineTimer>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMenu>
#include <QtWidgets/QTreeWidget>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace ftpxtest {

struct Message {
    CString text;
    unsigned type;
};

inline void Pump(int ms = 0)
{
    QDeadlineTimer until(ms);
    do
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    while (!until.hasExpired());
}

inline bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

inline QByteArray ReadFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// Relative paths and contents of every file under root, sorted; folders end in '/'.
inline std::vector<std::pair<QString, QByteArray>> Tree(const QString& root)
{
    std::vector<std::pair<QString, QByteArray>> out;
    std::function<void(const QString&)> walk = [&](const QString& rel) {
        QDir dir(root + QLatin1Char('/') + rel);
        for (const QFileInfo& info : dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name)) {
            QString r = rel.isEmpty() ? info.fileName() : rel + QLatin1Char('/') + info.fileName();
            if (info.isDir()) {
                out.emplace_back(r + QLatin1Char('/'), QByteArray());
                walk(r);
            } else {
                out.emplace_back(r, ReadFile(info.filePath()));
            }
        }
    };
    walk(QString());
    return out;
}

inline CString Str(const QString& s) { return CString::FromQString(s); }

class ExplorerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearHistoryEvents();
        ClearTranslations();
        // Every case starts with an empty profile: a file another case opened must not
        // show in this one's recent list, whatever the order.
        QSettings profile(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Varnelo"), QStringLiteral("Varnelo FTP"));
        profile.clear();
        profile.sync();
        ASSERT_EQ(profile.status(), QSettings::NoError);
        ASSERT_TRUE(m_work.isValid());
        m_previousBox = SetMessageBoxHandler([this](const CString& text, const CString&, unsigned type) {
            m_messages.push_back({text, type});
            return m_boxAnswer;
        });
        m_previousShell = tessel::SetShellHook([this](const CString& target, bool) {
            m_shellOpened.push_back(target);
            return true;
        });
        m_previousHook = CDialog::SetModalHook([this](CDialog& dlg) { return Answer(dlg); });
        m_app = std::make_unique<CFtpApp>();
        ASSERT_TRUE(m_app->CreateMainWindow());
        m_app->m_pMainWnd->resize(1100, 600);
        m_app->m_pMainWnd->show();
    }

    void TearDown() override
    {
        m_app.reset();
        Pump();
        CDialog::SetModalHook(m_previousHook);
        tessel::SetShellHook(m_previousShell);
        SetMessageBoxHandler(m_previousBox);
        ClearHistoryEvents();
        ClearTranslations();
    }

    // Answers of the modal dialogs: transfers run to their end in the event loop.
    virtual int Answer(CDialog& dlg)
    {
        m_dialogs.push_back(CString::FromQString(dlg.windowTitle()));
        if (dynamic_cast<CTransferDlg*>(&dlg)) {
            QDeadlineTimer until(60000);
            while (!dlg.IsEnded() && !until.hasExpired())
                QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
            if (!dlg.IsEnded())
                dlg.EndDialog(IDABORT);
            return dlg.GetResult();
        }
        if (auto* rename = dynamic_cast<CRenameDlg*>(&dlg)) {
            rename->SetDlgItemText(IDC_FTP_NEW_NAME, m_typedName);
            rename->OnOK();
            return rename->IsEnded() ? rename->GetResult() : IDCANCEL;
        }
        if (auto* create = dynamic_cast<CCreateFolderDlg*>(&dlg)) {
            m_shownLocation = create->GetDlgItemText(IDC_FTP_LOCATION);
            create->SetDlgItemText(IDC_FTP_NEW_NAME, m_typedName);
            create->OnOK();
            return create->IsEnded() ? create->GetResult() : IDCANCEL;
        }
        if (m_otherDialogs)
            return m_otherDialogs(dlg);
        return IDCANCEL;
    }

    // Starts a server; the index names it in Server().
    testsupport::FtpServer& StartServer(testsupport::FtpServerOptions options = {})
    {
        m_servers.push_back(std::make_unique<testsupport::FtpServer>(std::move(options)));
        EXPECT_TRUE(m_servers.back()->Start()) << m_servers.back()->Error().toStdString();
        return *m_servers.back();
    }

    // A connection file for server (none: a port nothing listens on) in the work folder.
    QString WriteConnectionFile(testsupport::FtpServer* server, const QString& localFolder,
                                const CString& remoteFolder, const QString& fileName)
    {
        CVFDocData data;
        data.m_strHost = "127.0.0.1";
        data.m_strUser = testsupport::FtpServer::kUser;
        data.m_strPassword = testsupport::FtpServer::kPassword;
        data.m_nPort = server ? server->Port() : testsupport::FreeLoopbackPort();
        data.m_strRemoteFolder = remoteFolder;
        data.m_strLocalFolder = Str(localFolder) + "/";
        const QString path = m_work.path() + QLatin1Char('/') + fileName;
        data.SaveFtpFile(Str(path));
        return path;
    }

    // Writes a connection file for server and opens it as a window, which connects by itself.
    CVFDoc* OpenWindow(testsupport::FtpServer* server, const QString& localFolder, const CString& remoteFolder = "",
                       const QString& fileName = QStringLiteral("site.ftp"))
    {
        const QString path = WriteConnectionFile(server, localFolder, remoteFolder, fileName);
        auto* doc = dynamic_cast<CVFDoc*>(m_app->OpenDocumentFile(Str(path)));
        if (!doc)
            return nullptr;
        doc->m_session.SetTimeouts(5000, 10000);
        QDeadlineTimer until(15000);
        while (server && !doc->m_pConnection && !until.hasExpired())
            Pump(20);
        Pump(50);
        return doc;
    }

    static CChildFrame* Frame(CVFDoc* doc)
    {
        return doc && doc->m_pLocalView ? dynamic_cast<CChildFrame*>(CMDIChildWnd::FrameOf(doc->m_pLocalView)) : nullptr;
    }

    static QStringList Names(const CFileListView* view)
    {
        QStringList names;
        for (const CFileEntry* e : view->ShownEntries())
            names << (e ? e->m_strName.ToQString() : QStringLiteral("<none>"));
        return names;
    }

    // Runs a command as the menu would, with pane active.
    bool Command(CFileListView* pane, UINT id)
    {
        if (CChildFrame* frame = dynamic_cast<CChildFrame*>(CMDIChildWnd::FrameOf(pane))) {
            m_app->m_pMainWnd->ActivateChild(frame);
            frame->SetActivePane(pane);
        }
        return m_app->m_pMainWnd->SendCommand(id);
    }

    std::vector<CString> Events() const
    {
        std::vector<CString> out;
        for (const CHistoryEvent& e : GetHistoryEvents())
            out.push_back(e.m_strEvent);
        return out;
    }
    bool Logged(const CString& event, int icon) const
    {
        for (const CHistoryEvent& e : GetHistoryEvents())
            if (e.m_strEvent == event && e.m_nIcon == icon)
                return true;
        return false;
    }

    QTemporaryDir m_work;
    std::unique_ptr<CFtpApp> m_app;
    std::vector<std::unique_ptr<testsupport::FtpServer>> m_servers;
    std::vector<Message> m_messages;
    std::vector<CString> m_dialogs;
    std::vector<CString> m_shellOpened;
    int m_boxAnswer = IDOK;
    CString m_typedName;
    CString m_shownLocation;
    std::function<int(CDialog&)> m_otherDialogs;

private:
    MessageBoxHandler m_previousBox;
    tessel::ShellHook m_previousShell;
    CDialog::ModalHook m_previousHook;
};

} // namespace ftpxtest
