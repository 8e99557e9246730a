// Preview Online: the site goes to a real FTP server, and the address opened afterwards
// is the page on a web server that serves the same folder (answering 200), whether or
// not the root address ends in "/". A root that is no web address opens nothing.
#include "AppTestSupport.h"

#include "../support/ExternalTools.h"
#include "app/ProjectDocument.h"
#include "dialogs/Upload.h"
#include "document/KJDoc.h"
#include "document/SiteEdits.h"
#include "editor/KJView.h"
#include "framework/ui/CmdTarget.h"
#include "framework/ui/Shell.h"
#include "model/Page.h"
#include "support/FtpServer.h"

#include <gtest/gtest.h>
#include <QtCore/QDir>
#include <QtCore/QProcess>
#include <QtCore/QThread>
#include <QtNetwork/QTcpServer>

using testsupport::FtpServer;

namespace {
int FreePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

// Answers the upload dialogs: OK starts the transfer, which runs to its end.
CDialog::ModalHook UploadAnswers()
{
    return [](CDialog& dlg) -> int {
        if (auto* up = dynamic_cast<DUpload*>(&dlg)) {
            up->OnOK();
            return up->IsEnded() ? up->GetResult() : int(IDCANCEL);
        }
        if (dynamic_cast<DFileUpload*>(&dlg)) {
            for (int i = 0; i < 1000000 && !dlg.IsEnded() && dlg.Timers().IsRunning(kTransferTimer); ++i)
                dlg.Timers().Fire(kTransferTimer);
            return dlg.IsEnded() ? dlg.GetResult() : int(IDCANCEL);
        }
        return IDCANCEL;
    };
}

QByteArray StatusOf(const CString& address)
{
    const testsupport::ProcessResult r = testsupport::RunProcess(
        QStringLiteral("curl"), {QStringLiteral("-s"), QStringLiteral("--noproxy"), QStringLiteral("*"), QStringLiteral("-o"), QStringLiteral("/dev/null"), QStringLiteral("-w"),
                                 QStringLiteral("%{http_code}"), address.ToQString()});
    return r.out;
}
} // namespace

TEST(PreviewOnline, UploadsAndOpensThePageOnTheServer)
{
    FtpServer server;
    ASSERT_TRUE(server.Start()) << server.Error().constData();
    const QString site = server.LocalPath(QStringLiteral("public_html"));
    QDir().mkpath(site);
    // The free port may be taken by another test's server before ours binds it: then the
    // server ends at once and another port is tried.
    int port = 0;
    QProcess http;
    bool answering = false;
    for (int attempt = 0; attempt < 5 && !answering; ++attempt) {
        if (http.state() != QProcess::NotRunning) {
            http.kill();
            http.waitForFinished();
        }
        port = FreePort();
        http.start(QStringLiteral("python3"), {QStringLiteral("-m"), QStringLiteral("http.server"), QString::number(port),
                                               QStringLiteral("--bind"), QStringLiteral("127.0.0.1"),
                                               QStringLiteral("--directory"), site});
        ASSERT_TRUE(http.waitForStarted());
        for (int i = 0; i < 200 && http.state() == QProcess::Running && !answering; ++i) {
            answering = StatusOf(CString::Formatted("http://127.0.0.1:%d/", port)) == "200";
            if (!answering)
                QThread::msleep(100);
        }
    }
    ASSERT_TRUE(answering) << "the local web server did not start";

    CProjectDocument document;
    document.OnNewDocument();
    CKJDoc& doc = document.Project();
    doc.SetTitle("Preview");
    CWString title;
    title = "About";
    CFolder* folder = InsertSiteFolder(doc, nullptr, "info");
    CPage* about = InsertSitePage(doc, doc.m_pages.front().get(), title, folder, "about");
    about->m_strExtension = ".html";
    doc.m_strFtpHost = "127.0.0.1";
    doc.m_strFtpUser = FtpServer::kUser;
    doc.m_strFtpPassword = FtpServer::kPassword;
    doc.m_strFtpFolder = "/public_html";
    doc.m_nFtpPort = server.Port();
    doc.m_bFtpPassive = 1;
    CKJView view;
    view.SetDocument(&document);
    view.SetCurrentPage(about);

    std::vector<CString> opened;
    auto previousShell = tessel::SetShellHook([&](const CString& target, bool) {
        opened.push_back(target);
        return true;
    });
    const CDialog::ModalHook previousHook = CDialog::SetModalHook(UploadAnswers());
    MessageRecorder messages;
    for (const char* root : {"http://127.0.0.1:%d", "http://127.0.0.1:%d/"}) {
        doc.m_strRootUrl = CString::Formatted(root, port);
        opened.clear();
        CCmdUI ui(ID_PREVIEW_ONLINE);
        UpdateCommand(&view, ui);
        EXPECT_TRUE(ui.m_bEnabled);
        ExecuteCommand(&view, ID_PREVIEW_ONLINE);
        ASSERT_EQ(opened.size(), 1u) << root;
        EXPECT_EQ(opened[0], CString::Formatted("http://127.0.0.1:%d/info/about.html", port));
        EXPECT_EQ(StatusOf(opened[0]), QByteArray("200")) << opened[0].GetString();
    }
    EXPECT_TRUE(messages.messages.empty()) << "quiet: no upload summary";

    // an address that is no web address is refused before anything is sent
    doc.m_strRootUrl = "file:///etc/";
    opened.clear();
    ExecuteCommand(&view, ID_PREVIEW_ONLINE);
    EXPECT_TRUE(opened.empty());
    ASSERT_EQ(messages.messages.size(), 1u);

    CDialog::SetModalHook(previousHook);
    tessel::SetShellHook(previousShell);
    http.kill();
    http.waitForFinished();
}
