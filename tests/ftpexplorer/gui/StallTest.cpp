// While the server stalls, the window goes on answering (a timer keeps firing) and Cancel
// ends the wait within a second, without an error: in the transfer dialog, and in the wait
// window of a listing outside it.
#include "ExplorerFixture.h"
#include "framework/core/MessageBox.h"
#include "framework/net/CFtpConnection.h"
#include "framework/net/CInternetSession.h"
#include "framework/ui/Dialog.h"
#include "ftpexplorer/FileEntry.h"
#include "ftpexplorer/FtpDialogs.h"
#include "ftpexplorer/History.h"
#include "support/FtpServer.h"

#include <QtCore/QElapsedTimer>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <QtCore/QTimer>
#include <QtWidgets/QProgressDialog>
#include <QtWidgets/QPushButton>
#include <gtest/gtest.h>

using testsupport::FtpFaults;
using testsupport::FtpServer;

namespace {

bool Logged(const char* event)
{
    for (const CHistoryEvent& e : GetHistoryEvents())
        if (e.m_strEvent == event)
            return true;
    return false;
}

} // namespace

TEST(StalledTransfer, WindowAnswersAndCancelEndsItWithinASecond)
{
    struct Case {
        const char* name;
        const char* stall; // the command the server never answers
        bool upload;
    };
    const Case cases[] = {
        {"STOR of the second file", "STOR b.bin", true},
        {"RETR of the second file", "RETR b.bin", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClearHistoryEvents();
        FtpServer server;
        ASSERT_TRUE(server.Start()) << server.Error().constData();
        FtpFaults faults;
        faults.stall = QStringList {QString::fromLatin1(c.stall)};
        ASSERT_TRUE(server.SetFaults(faults));
        QTemporaryDir local;
        CFileEntry entries[2];
        const char* names[2] = {"a.bin", "b.bin"};
        for (int i = 0; i < 2; ++i) {
            const QString path = c.upload ? local.filePath(QString::fromLatin1(names[i])) : server.LocalPath(QString::fromLatin1(names[i]));
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(testsupport::RandomBytes(40000, unsigned(i + 50)));
            f.close();
            entries[i].m_strName = names[i];
            entries[i].m_nKind = CFileEntry::file;
            entries[i].m_nSize = 40000;
            entries[i].m_strPath = c.upload ? CString::FromQString(path) : CString("/") + names[i];
            entries[i].m_strTarget = c.upload ? CString("/") : CString::FromQString(local.path()) + "/";
        }
        CInternetSession session("test"); // the usual time limits: 30 s to connect, 60 s per reply
        std::unique_ptr<CFtpConnection> ftp(
            session.GetFtpConnection("127.0.0.1", FtpServer::kUser, FtpServer::kPassword, server.Port(), TRUE));
        std::vector<CString> boxes;
        auto previousBox = SetMessageBoxHandler([&](const CString& text, const CString&, unsigned) {
            boxes.push_back(text);
            return IDOK;
        });
        std::unique_ptr<CTransferDlg> dlg;
        if (c.upload)
            dlg = std::make_unique<CUploadDlg>(ftp.get());
        else
            dlg = std::make_unique<CDownloadDlg>(ftp.get());
        dlg->Engine().AddEntry(&entries[0]);
        dlg->Engine().AddEntry(&entries[1]);
        int ticks = 0, ticksWhenCancelled = -1;
        QTimer ticker;
        QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
        ticker.start(20);
        QElapsedTimer sinceCancel;
        QTimer canceller;
        canceller.setSingleShot(true);
        QObject::connect(&canceller, &QTimer::timeout, [&] {
            ticksWhenCancelled = ticks;
            sinceCancel.start();
            dlg->OnCancel();
        });
        const char* firstDone = c.upload ? "Uploaded: a.bin" : "Downloaded: a.bin";
        QTimer watch; // once the first file is through, the second one stalls
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (Logged(firstDone) && !canceller.isActive() && ticksWhenCancelled < 0) {
                ticks = 0;
                canceller.start(1500);
            }
        });
        watch.start(10);
        const auto previousHook = CDialog::SetModalHook(nullptr);
        QElapsedTimer total;
        total.start();
        EXPECT_EQ(dlg->DoModal(), IDCANCEL);
        const qint64 afterCancel = sinceCancel.isValid() ? sinceCancel.elapsed() : -1;
        CDialog::SetModalHook(previousHook);
        SetMessageBoxHandler(previousBox);
        ASSERT_GE(ticksWhenCancelled, 0) << "the first file never arrived";
        EXPECT_GE(ticksWhenCancelled, 25) << "the timer must keep firing during the stall";
        EXPECT_GE(afterCancel, 0);
        EXPECT_LT(afterCancel, 1000) << "Cancel ends the transfer within a second";
        EXPECT_LT(total.elapsed(), 20000);
        EXPECT_TRUE(boxes.empty()) << (boxes.empty() ? "" : boxes[0].GetString());
        EXPECT_TRUE(Logged(firstDone));
        EXPECT_FALSE(Logged("Uploaded: b.bin"));
        EXPECT_FALSE(Logged("Downloaded: b.bin"));
        EXPECT_FALSE(Logged("Failed:b.bin")); // a Cancel is not a failure
    }
    ClearHistoryEvents();
}

namespace {

// Listing a folder outside a transfer: the server never answers the listing.
class StalledListing : public ftpxtest::ExplorerTest {};

} // namespace

TEST_F(StalledListing, WaitWindowOffersCancelAndTheWindowsKeepAnswering)
{
    auto& server = StartServer();
    ASSERT_TRUE(ftpxtest::WriteFile(server.LocalPath("a.txt"), "a"));
    testsupport::FtpFaults faults;
    faults.stall = QStringList {QStringLiteral("MLSD")}; // the listing command the explorer sends first
    ASSERT_TRUE(server.SetFaults(faults));

    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(20);
    // The wait window is looked for while the listing waits; its Cancel is clicked once
    // it has shown for a moment.
    QElapsedTimer sinceCancel, sinceStart;
    sinceStart.start();
    qint64 shownAfter = -1;
    int ticksBeforeCancel = -1;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        QProgressDialog* window = m_app->m_pServerWait ? m_app->m_pServerWait->Window() : nullptr;
        if (!window || !window->isVisible())
            return;
        if (shownAfter < 0)
            shownAfter = sinceStart.elapsed();
        if (!sinceCancel.isValid() && sinceStart.elapsed() - shownAfter > 300) {
            EXPECT_TRUE(window->isModal());
            ticksBeforeCancel = ticks;
            sinceCancel.start();
            QPushButton* cancel = window->findChild<QPushButton*>();
            ASSERT_NE(cancel, nullptr);
            cancel->click();
        }
    });
    watch.start(10);
    CVFDoc* doc = OpenWindow(&server, m_work.path(), "/");
    ASSERT_NE(doc, nullptr);
    ftpxtest::Pump(100);
    ASSERT_TRUE(sinceCancel.isValid()) << "the wait window never showed";
    EXPECT_GE(shownAfter, CServerWait::kShowAfterMs - 50);
    EXPECT_LT(shownAfter, 3000);
    EXPECT_GE(ticksBeforeCancel, 20) << "timers must keep firing while the listing waits";
    // The listing ended at the Cancel: its remaining time is far below the server's limits.
    EXPECT_LT(sinceStart.elapsed() - shownAfter, 1500);
    EXPECT_TRUE(m_messages.empty()) << (m_messages.empty() ? "" : m_messages[0].text.GetString());
    EXPECT_FALSE(Names(doc->m_pRemoteView).contains("a.txt"));
    // the window goes away once nothing waits any more
    ftpxtest::Pump(2 * CServerWait::kEndAfterMs);
    EXPECT_EQ(m_app->m_pServerWait->Window(), nullptr);
}
