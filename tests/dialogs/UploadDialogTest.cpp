// The upload dialogs against a real FTP server on 127.0.0.1: the file list, the block
// transfer with its progress, Stop and a second OK, failures of the server and of the
// login with their messages, the Browse dialog and the server's folder tree.
#include "dialogs/Upload.h"
#include "dialogs/UploadConnect.h"

#include "framework/core/NumberFormat.h"

#include "document/KJDoc.h"
#include "document/Upload.h"
#include "framework/core/Profile.h"
#include "framework/net/CFtpConnection.h"
#include "framework/net/CInternetSession.h"
#include "framework/ui/ServerWait.h"
#include "framework/ui/Shell.h"
#include "model/Page.h"
#include "model/PublishContext.h"
#include "support/FtpServer.h"
#include "document/GenerateTestSupport.h"

#include <gtest/gtest.h>
#include <QtCore/QDir>
#include <QtCore/QElapsedTimer>
#include <QtCore/QFile>
#include <QtCore/QStandardPaths>
#include <QtCore/QTemporaryDir>
#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>
#include <QtWidgets/QProgressBar>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QTreeWidget>

#include <functional>

using testsupport::FtpServer;
using testsupport::FtpServerOptions;

namespace {

class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "test_dialogs";
        static char* argv[] = {name, nullptr};
        QStandardPaths::setTestModeEnabled(true); // the profile goes to a test location
        m_app = new QApplication(argc, argv);
    }
    void TearDown() override { delete m_app; }

private:
    QApplication* m_app = nullptr;
};
const auto* g_env = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

struct Message {
    CString text;
    unsigned type;
};

// Records message boxes while it lives.
struct Messages {
    Messages()
    {
        previous = SetMessageBoxHandler([this](const CString& text, const CString&, unsigned type) {
            list.push_back({text, type});
            return IDOK;
        });
    }
    ~Messages() { SetMessageBoxHandler(previous); }
    std::vector<CString> Texts() const
    {
        std::vector<CString> t;
        for (const auto& m : list)
            t.push_back(m.text);
        return t;
    }
    std::vector<Message> list;
    MessageBoxHandler previous;
};

// Answers every dialog run while it lives.
struct Dialogs {
    explicit Dialogs(CDialog::ModalHook hook) { previous = CDialog::SetModalHook(std::move(hook)); }
    ~Dialogs() { CDialog::SetModalHook(previous); }
    CDialog::ModalHook previous;
};

// Runs a transfer dialog tick by tick, as its timer would; false when it stalled.
bool RunTicks(CDialog& dlg, int limit = 1000000)
{
    for (int i = 0; i < limit && !dlg.IsEnded(); ++i) {
        if (!dlg.Timers().IsRunning(kTransferTimer))
            return false;
        dlg.Timers().Fire(kTransferTimer);
    }
    return dlg.IsEnded();
}

int Result(CDialog& dlg, int otherwise = IDCANCEL) { return dlg.IsEnded() ? dlg.GetResult() : otherwise; }

QByteArray Bytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void SetServer(CKJDoc& doc, const FtpServer& server, const char* password = FtpServer::kPassword)
{
    doc.m_strFtpHost = "127.0.0.1";
    doc.m_strFtpUser = FtpServer::kUser;
    doc.m_strFtpPassword = password;
    doc.m_strFtpFolder = "/public_html";
    doc.m_nFtpPort = server.Port();
    doc.m_bFtpPassive = 1;
}

struct Site {
    CKJDoc doc;
    QTemporaryDir folder;
    CPublishContext context;
    explicit Site(bool all = true)
    {
        gentest::BuildSampleSite(doc);
        gentest::GivePicturesToImages(doc);
        doc.SetTitle("Sample");
        EXPECT_TRUE(GenerateForUpload(doc, context, all, folder));
    }
    QStringList Files() const { return gentest::FilesUnder(context.m_strOutputFolder.ToQString()); }
};

// Every entry marked uploaded is on the server as it is on disk.
void ExpectMarkedAreOnServer(const CPublishContext& context, const QString& serverFolder)
{
    for (const auto& f : context.GetFiles())
        if (*f->m_pUploadState == kUploadDone && !f->m_bDirectory) {
            EXPECT_EQ(Bytes(serverFolder + QLatin1Char('/') + f->m_strRemoteName.ToQString()),
                      Bytes(f->m_strLocalPath.ToQString()))
                << f->m_strRemoteName.GetString();
        }
}

} // namespace

TEST(UploadDialog, SendsTheListedFilesWithProgressAndReportsTheTotal)
{
    FtpServer server;
    ASSERT_TRUE(server.Start()) << server.Error().constData();
    QDir(server.Root()).mkpath(QStringLiteral("public_html"));
    Site site;
    SetServer(site.doc, server);
    site.doc.SetModifiedFlag(false);
    Messages messages;
    std::vector<QString> rows;
    QString folderText;
    std::vector<int> percents;
    QString lastStatus, lastCount;
    Dialogs dialogs([&](CDialog& dlg) -> int {
        if (auto* up = dynamic_cast<DUpload*>(&dlg)) {
            auto* list = static_cast<QTreeWidget*>(up->GetDlgItem(IDC_UPLOAD_LIST));
            for (int i = 0; i < list->topLevelItemCount(); ++i)
                rows.push_back(list->topLevelItem(i)->text(0) + QLatin1Char('|') + list->topLevelItem(i)->text(1));
            folderText = up->GetDlgItemText(IDC_UPLOAD_FOLDER).ToQString();
            up->OnOK();
            return Result(dlg);
        }
        if (auto* transfer = dynamic_cast<DFileUpload*>(&dlg)) {
            auto* progress = static_cast<QProgressBar*>(transfer->GetDlgItem(IDC_TRANSFER_PROGRESS));
            while (!dlg.IsEnded() && dlg.Timers().IsRunning(kTransferTimer)) {
                dlg.Timers().Fire(kTransferTimer);
                percents.push_back(progress->value());
                if (!dlg.IsEnded()) {
                    lastStatus = transfer->GetDlgItemText(IDC_TRANSFER_STATUS).ToQString();
                    lastCount = transfer->GetDlgItemText(IDC_TRANSFER_COUNT).ToQString();
                }
            }
            return Result(dlg);
        }
        ADD_FAILURE() << "unexpected dialog";
        return IDCANCEL;
    });
    ASSERT_TRUE(UploadFiles(site.doc, site.context, FALSE));

    // The list shows the last file first, with sizes of files above 0 bytes.
    const int n = site.context.GetFileCount();
    ASSERT_EQ(int(rows.size()), n);
    for (int i = 0; i < n; ++i) {
        const CPublishFile& f = site.context.GetFile(n - 1 - i);
        EXPECT_TRUE(rows[size_t(i)].startsWith(QLatin1Char('/') + f.m_strRemoteName.ToQString() + QLatin1Char('|')));
        EXPECT_EQ(rows[size_t(i)].endsWith(QLatin1Char('|')), f.m_nSize == 0);
    }
    EXPECT_EQ(folderText, QStringLiteral("Remote Folder: /public_html"));
    // Progress within 0..100, texts naming the file and the count.
    ASSERT_FALSE(percents.empty());
    for (int p : percents)
        EXPECT_TRUE(p >= 0 && p <= 100) << p;
    EXPECT_TRUE(lastStatus.startsWith(QStringLiteral("From: "))) << lastStatus.toStdString();
    EXPECT_TRUE(lastStatus.contains(QStringLiteral("\r\nTo: /public_html/")));
    EXPECT_TRUE(lastStatus.contains(QStringLiteral("\r\nBytes sent: ")));
    EXPECT_TRUE(lastCount.startsWith(QStringLiteral("File "))) << lastCount.toStdString();
    EXPECT_TRUE(lastCount.endsWith(QStringLiteral(" of %1").arg(n))) << lastCount.toStdString();

    // The server holds the site; the summary counts every entry.
    EXPECT_EQ(gentest::FilesUnder(server.LocalPath(QStringLiteral("public_html"))), site.Files());
    ExpectMarkedAreOnServer(site.context, server.LocalPath(QStringLiteral("public_html")));
    std::uint64_t bytes = 0;
    for (const auto& f : site.context.GetFiles()) {
        EXPECT_EQ(*f->m_pUploadState, kUploadDone);
        bytes += f->m_nSize;
    }
    ASSERT_EQ(messages.list.size(), 1u);
    EXPECT_EQ(messages.list[0].text, CString::Formatted("Uploaded %d files ( %s ).", n, FormatFileSize(double(bytes)).GetString()));
    EXPECT_EQ(messages.list[0].type, unsigned(MB_OK));
    EXPECT_TRUE(site.doc.IsModified());
}

// Stop in the middle: "Upload not complete.", the Upload dialog stays, and OK again
// reconnects and finishes on a fresh connection.
TEST(UploadDialog, StopThenOkAgainFinishes)
{
    FtpServer server;
    ASSERT_TRUE(server.Start()) << server.Error().constData();
    QDir(server.Root()).mkpath(QStringLiteral("public_html"));
    Site site;
    SetServer(site.doc, server);
    Messages messages;
    int transfers = 0;
    CFtpConnection* firstConnection = nullptr;
    std::vector<int> statesAfterStop;
    Dialogs dialogs([&](CDialog& dlg) -> int {
        if (auto* up = dynamic_cast<DUpload*>(&dlg)) {
            up->OnOK();
            EXPECT_FALSE(dlg.IsEnded());
            firstConnection = up->m_pConnection.get();
            EXPECT_NE(firstConnection, nullptr);
            for (const auto& f : site.context.GetFiles())
                statesAfterStop.push_back(*f->m_pUploadState);
            up->OnOK();
            return Result(dlg);
        }
        if (dynamic_cast<DFileUpload*>(&dlg)) {
            if (++transfers == 1) {
                for (int i = 0; i < 3 && !dlg.IsEnded(); ++i)
                    dlg.Timers().Fire(kTransferTimer);
                EXPECT_FALSE(dlg.IsEnded());
                dlg.reject(); // Stop
                EXPECT_FALSE(dlg.Timers().IsRunning(kTransferTimer));
                return Result(dlg);
            }
            RunTicks(dlg);
            return Result(dlg);
        }
        return IDCANCEL;
    });
    ASSERT_TRUE(UploadFiles(site.doc, site.context, TRUE));
    EXPECT_EQ(transfers, 2);
    ASSERT_GE(messages.list.size(), 1u);
    EXPECT_EQ(messages.list[0].text, CString("Upload not complete."));
    EXPECT_EQ(messages.list[0].type, unsigned(MB_ICONSTOP));
    EXPECT_EQ(messages.list.size(), 1u); // quiet: no summary
    // After Stop some entries were still queued; none of them was marked.
    EXPECT_NE(std::count(statesAfterStop.begin(), statesAfterStop.end(), int(kUploadListed)), 0);
    EXPECT_EQ(gentest::FilesUnder(server.LocalPath(QStringLiteral("public_html"))), site.Files());
    for (const auto& f : site.context.GetFiles())
        EXPECT_EQ(*f->m_pUploadState, kUploadDone);
}

// A server that fails: the dialog tells it and stays open; Cancel leaves the document's
// settings; nothing is marked that is not on the server; a later upload finishes.
TEST(UploadDialog, ServerFailuresAreReportedAndALaterUploadFinishes)
{
    struct Case {
        const char* name;
        FtpServerOptions options;
        const char* firstMessage;
    };
    FtpServerOptions refuseFile;
    refuseFile.refuseUpload << QStringLiteral("styles.css");
    FtpServerOptions refuseFolder;
    FtpServerOptions cut;
    cut.disconnectAfter = 100;
    const Case cases[] = {
        {"file refused", refuseFile, "Error uploading file: /public_html/styles.css"},
        {"folder refused", refuseFolder, "Error uploading file: /public_html/"},
        {"dropped", cut, "Error "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Site site(false);
        FtpServerOptions options = c.options;
        if (std::string(c.name) == "folder refused") {
            for (const auto& f : site.context.GetFiles())
                if (f->m_bDirectory) {
                    options.refuseMkdir << f->m_strRemoteName.ToQString().section(QLatin1Char('/'), -1);
                    break;
                }
            ASSERT_FALSE(options.refuseMkdir.isEmpty());
        }
        FtpServer failing(options);
        ASSERT_TRUE(failing.Start()) << failing.Error().constData();
        QDir(failing.Root()).mkpath(QStringLiteral("public_html"));
        SetServer(site.doc, failing);
        site.doc.m_strFtpFolder = "/public_html/";
        Messages messages;
        bool stayedOpen = false;
        Dialogs dialogs([&](CDialog& dlg) -> int {
            if (auto* up = dynamic_cast<DUpload*>(&dlg)) {
                up->m_settings.m_strFolder = "/public_html"; // edited, then cancelled
                up->OnOK();
                stayedOpen = !dlg.IsEnded();
                return Result(dlg);
            }
            if (dynamic_cast<DFileUpload*>(&dlg)) {
                RunTicks(dlg);
                return Result(dlg);
            }
            return IDCANCEL;
        });
        EXPECT_FALSE(UploadFiles(site.doc, site.context, FALSE));
        EXPECT_TRUE(stayedOpen);
        EXPECT_EQ(site.doc.m_strFtpFolder, CString("/public_html/"));
        ASSERT_EQ(messages.list.size(), 2u);
        EXPECT_EQ(messages.list[0].text.Left(int(strlen(c.firstMessage))), CString(c.firstMessage))
            << messages.list[0].text.GetString();
        EXPECT_EQ(messages.list[1].text, CString("Upload not complete."));
        ExpectMarkedAreOnServer(site.context, failing.LocalPath(QStringLiteral("public_html")));
        int queued = 0;
        for (const auto& f : site.context.GetFiles())
            queued += *f->m_pUploadState == kUploadListed;
        EXPECT_GT(queued, 0);

        // Later, to a server that works: the next Website/Upload lists what is missing.
        FtpServer good;
        ASSERT_TRUE(good.Start()) << good.Error().constData();
        QDir(good.Root()).mkpath(QStringLiteral("public_html"));
        for (const QString& rel : gentest::FilesUnder(failing.LocalPath(QStringLiteral("public_html")))) {
            const QString from = failing.LocalPath(QStringLiteral("public_html/") + rel);
            const QString to = good.LocalPath(QStringLiteral("public_html/") + rel);
            if (QFileInfo(from).isDir())
                QDir().mkpath(to);
            else
                QFile::copy(from, to);
        }
        SetServer(site.doc, good);
        messages.list.clear();
        QTemporaryDir again;
        CPublishContext next;
        ASSERT_TRUE(GenerateForUpload(site.doc, next, false, again));
        EXPECT_EQ(next.GetFileCount(), queued);
        ASSERT_TRUE(UploadFiles(site.doc, next, TRUE));
        EXPECT_TRUE(messages.list.empty());
        EXPECT_EQ(gentest::FilesUnder(good.LocalPath(QStringLiteral("public_html"))), site.Files());
        for (const QString& rel : site.Files()) {
            const QString local = site.context.m_strOutputFolder.ToQString() + QLatin1Char('/') + rel;
            if (QFileInfo(local).isFile()) {
                EXPECT_EQ(Bytes(good.LocalPath(QStringLiteral("public_html/") + rel)), Bytes(local)) << rel.toStdString();
            }
        }
    }
}

TEST(UploadDialog, LoginProblemsGiveTheirMessagesAndKeepTheDialogOpen)
{
    FtpServer server;
    ASSERT_TRUE(server.Start()) << server.Error().constData();
    const int freePort = testsupport::FreeLoopbackPort();
    struct Case {
        const char* server;
        const char* user;
        const char* password;
        int port; // 0: the test server's
        const char* message;
        bool loginShown;
    };
    const Case cases[] = {
        {"127.0.0.1", "tester", "wrong", 0, "Invalid password or username (tester) on server 127.0.0.1.", false},
        {"127.0.0.1", "tester", "secret", freePort, "Login Failed: 127.0.0.1.", false},
        {"", "tester", "secret", 0, "Enter the name of the server", true},
        {"127.0.0.1", "", "secret", 0, "Enter username", false},
        {"127.0.0.1", "tester", "", 0, "Invalid password or username (tester) on server 127.0.0.1.", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        CKJDoc doc;
        ASSERT_TRUE(doc.OnNewDocument());
        CPublishContext context;
        doc.m_strFtpHost = c.server;
        doc.m_strFtpUser = c.user;
        doc.m_strFtpPassword = c.password;
        doc.m_nFtpPort = c.port ? c.port : server.Port();
        Messages messages;
        bool loginShown = false, open = false, noConnection = false;
        Dialogs dialogs([&](CDialog& dlg) -> int {
            if (dynamic_cast<DConnect*>(&dlg)) {
                loginShown = true;
                return IDCANCEL;
            }
            if (auto* up = dynamic_cast<DUpload*>(&dlg)) {
                up->OnOK();
                open = !dlg.IsEnded();
                noConnection = up->m_pConnection == nullptr;
                return Result(dlg);
            }
            ADD_FAILURE() << "no transfer without a login";
            return IDCANCEL;
        });
        EXPECT_FALSE(UploadFiles(doc, context, FALSE));
        EXPECT_TRUE(open);
        EXPECT_TRUE(noConnection);
        EXPECT_EQ(loginShown, c.loginShown);
        ASSERT_EQ(messages.list.size(), 1u);
        EXPECT_EQ(messages.list[0].text, CString(c.message));
        EXPECT_EQ(messages.list[0].type, unsigned(MB_ICONSTOP));
        EXPECT_EQ(messages.list[0].text.Find(FtpServer::kPassword), -1);
    }
}

// The transfer on its real 10 ms timer inside the dialog's own loop.
TEST(UploadDialog, TransferRunsOnItsTimer)
{
    FtpServer server;
    ASSERT_TRUE(server.Start()) << server.Error().constData();
    QTemporaryDir local;
    const QByteArray data = testsupport::RandomBytes(5 * 16384 + 7, 5);
    QFile f(local.filePath(QStringLiteral("big.bin")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
    f.close();
    int state = kUploadListed;
    CPublishFile entry;
    entry.m_strLocalPath = CString::FromQString(f.fileName());
    entry.m_strRemoteName = "big.bin";
    entry.m_pUploadState = &state;
    CFtpSettings settings;
    settings.m_strServer = "127.0.0.1";
    settings.m_strUser = FtpServer::kUser;
    settings.m_strPassword = FtpServer::kPassword;
    settings.m_nPort = server.Port();
    std::unique_ptr<CFtpConnection> connection = ConnectFtp(GetDesignerInternetSession(), settings);
    DFileUpload dlg({&entry}, connection, "/");
    const auto previous = CDialog::SetModalHook(nullptr);
    QElapsedTimer t;
    t.start();
    EXPECT_EQ(dlg.DoModal(), IDOK);
    CDialog::SetModalHook(previous);
    EXPECT_EQ(state, kUploadDone);
    EXPECT_EQ(Bytes(server.LocalPath(QStringLiteral("big.bin"))), data);
    EXPECT_GE(t.elapsed(), 5 * 10); // six ticks at least, ten milliseconds apart
}

TEST(BrowseDialog, OpensTheAddressAndRemembersIt)
{
    struct Case {
        const char* typed;
        const char* opened; // null: nothing opened
    };
    const Case cases[] = {
        {"https://example.org/site/", "https://example.org/site/"},
        {"example.org", "http://example.org"},
        {"", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        CKJDoc doc;
        doc.m_strRootUrl = "http://old.example/";
        std::vector<CString> opened;
        auto previousShell = tessel::SetShellHook([&](const CString& target, bool) {
            opened.push_back(target);
            return true;
        });
        QString shown;
        Dialogs dialogs([&](CDialog& dlg) -> int {
            shown = dlg.GetDlgItemText(IDC_BROWSE_URL).ToQString();
            dlg.SetDlgItemText(IDC_BROWSE_URL, c.typed);
            dlg.OnOK();
            return Result(dlg);
        });
        QWidget window;
        OnWebsiteBrowse(doc, &window);
        tessel::SetShellHook(previousShell);
        EXPECT_EQ(shown, QStringLiteral("http://old.example/"));
        EXPECT_EQ(doc.m_strRootUrl, CString(c.typed));
        EXPECT_EQ(GetProfileString("Server", "Root", "<none>"), CString(c.typed));
        if (c.opened) {
            ASSERT_EQ(opened.size(), 1u);
            EXPECT_EQ(opened[0], CString(c.opened));
            EXPECT_TRUE(window.isMinimized());
        } else {
            EXPECT_TRUE(opened.empty());
        }
    }
}

TEST(RemoteFolderDialog, ListsServerFoldersAndMakesNewOnes)
{
    FtpServer server;
    ASSERT_TRUE(server.Start()) << server.Error().constData();
    for (const char* d : {"public_html/blog", "www", "logs"})
        QDir(server.Root()).mkpath(QString::fromLatin1(d));
    QFile file(server.LocalPath(QStringLiteral("notes.txt")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("x");
    file.close();
    CFtpSettings settings;
    settings.m_strServer = "127.0.0.1";
    settings.m_strUser = FtpServer::kUser;
    settings.m_strPassword = FtpServer::kPassword;
    settings.m_nPort = server.Port();
    std::unique_ptr<CFtpConnection> connection = ConnectFtp(GetDesignerInternetSession(), settings);

    DRemoteFolder dlg(connection.get(), "127.0.0.1");
    Dialogs dialogs([](CDialog& d) -> int { return Result(d); });
    dlg.DoModal();
    QTreeWidgetItem* root = dlg.Tree()->topLevelItem(0);
    ASSERT_TRUE(root);
    EXPECT_EQ(root->text(0), QStringLiteral("127.0.0.1"));
    QStringList names;
    for (int i = 0; i < root->childCount(); ++i)
        names << root->child(i)->text(0);
    names.sort();
    EXPECT_EQ(names, (QStringList {QStringLiteral("logs"), QStringLiteral("public_html"), QStringLiteral("www")}));
    // A double click lists the folder below; OK takes its path.
    QTreeWidgetItem* publicHtml = nullptr;
    for (int i = 0; i < root->childCount(); ++i)
        if (root->child(i)->text(0) == QStringLiteral("public_html"))
            publicHtml = root->child(i);
    ASSERT_TRUE(publicHtml);
    dlg.Tree()->setCurrentItem(publicHtml);
    dlg.OnDoubleClick();
    ASSERT_EQ(publicHtml->childCount(), 1);
    EXPECT_EQ(publicHtml->child(0)->text(0), QStringLiteral("blog"));
    dlg.OnOK();
    EXPECT_EQ(dlg.m_strSelected, CString("/public_html"));

    // New Folder: names are checked; a good one is made under the selected folder.
    const struct {
        const char* name;
        bool made;
        const char* message;
    } cases[] = {
        {"bad name", false, "Folder name should contain only characters A-Z, a-z, 0-9 and _ ."},
        {"../up", false, "Folder name should contain only characters A-Z, a-z, 0-9 and _ ."},
        {"", false, nullptr},
        {"new_1", true, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        dlg.m_strSelected = "/public_html";
        Messages messages;
        Dialogs names([&](CDialog& d) -> int {
            EXPECT_EQ(d.GetDlgItemText(-1), CString("/public_html/"));
            d.SetDlgItemText(IDC_NEW_FOLDER_NAME, c.name);
            d.OnOK();
            return Result(d);
        });
        dlg.OnNewFolder();
        EXPECT_EQ(QFileInfo(server.LocalPath(QStringLiteral("public_html/") + QString::fromLatin1(c.name))).isDir() &&
                      *c.name,
                  c.made);
        if (c.made) {
            EXPECT_EQ(dlg.m_strSelected, CString("/public_html/new_1"));
        }
        if (c.message) {
            ASSERT_EQ(messages.list.size(), 1u);
            EXPECT_EQ(messages.list[0].text, CString(c.message));
        } else {
            EXPECT_TRUE(messages.list.empty());
        }
    }
}

// Website/Login: the settings typed are kept, the server is tried, and the outcome told;
// the profile remembers user, server and folder, never the password.
TEST(LoginCommand, TestsTheServerAndRemembersTheSettings)
{
    FtpServer server;
    ASSERT_TRUE(server.Start()) << server.Error().constData();
    struct Case {
        const char* password;
        const char* message;
        unsigned type;
        bool remembered;
    };
    const Case cases[] = {
        {FtpServer::kPassword, "Login Successful: 127.0.0.1.", MB_OK, true},
        {"wrong", "Invalid password or username (tester) on server 127.0.0.1.", MB_ICONSTOP, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.password);
        for (const char* key : {"User", "Host", "Folder"})
            WriteProfileString("Server", key, "");
        CKJDoc doc;
        Messages messages;
        Dialogs dialogs([&](CDialog& dlg) -> int {
            dlg.SetDlgItemText(IDC_CONNECT_USER, FtpServer::kUser);
            dlg.SetDlgItemText(IDC_CONNECT_PASSWORD, c.password);
            dlg.SetDlgItemText(IDC_CONNECT_SERVER, "127.0.0.1");
            dlg.SetDlgItemInt(IDC_CONNECT_PORT, server.Port());
            dlg.SetDlgItemText(IDC_CONNECT_FOLDER, "/www/");
            dlg.OnOK();
            return Result(dlg);
        });
        OnWebsiteLogin(doc, nullptr);
        EXPECT_EQ(doc.m_strFtpHost, CString("127.0.0.1"));
        EXPECT_EQ(doc.m_strFtpPassword, CString(c.password));
        EXPECT_EQ(doc.m_nFtpPort, server.Port());
        EXPECT_EQ(doc.m_strFtpFolder, CString("/www/"));
        ASSERT_EQ(messages.list.size(), 1u);
        EXPECT_EQ(messages.list[0].text, CString(c.message));
        EXPECT_EQ(messages.list[0].type, c.type);
        EXPECT_EQ(GetProfileString("Server", "Host", ""), CString(c.remembered ? "127.0.0.1" : ""));
        EXPECT_EQ(GetProfileString("Server", "User", ""), CString(c.remembered ? FtpServer::kUser : ""));
        EXPECT_EQ(GetProfileString("Server", "Folder", ""), CString(c.remembered ? "/www/" : ""));
    }
}

// A login the server never answers: the wait window's Cancel ends it at once, and a
// cancel the user asked for is no failed login.
TEST(LoginCommand, CancelOfAStalledLoginSaysNothing)
{
    FtpServer server;
    ASSERT_TRUE(server.Start()) << server.Error().constData();
    testsupport::FtpFaults faults;
    faults.stall = QStringList {QStringLiteral("PASS")};
    ASSERT_TRUE(server.SetFaults(faults));
    for (const char* key : {"User", "Host", "Folder"})
        WriteProfileString("Server", key, "");
    CServerWait wait("Waiting for the server...", [] { AfxCancelInternetWait(); });
    const auto previousIdle = AfxSetInternetIdleHandler([&wait] { wait.Idle(); });
    QElapsedTimer sinceCancel;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (wait.Window() && wait.Window()->isVisible() && !sinceCancel.isValid()) {
            sinceCancel.start();
            if (QPushButton* cancel = wait.Window()->findChild<QPushButton*>())
                cancel->click();
        }
    });
    watch.start(20);
    CKJDoc doc;
    Messages messages;
    Dialogs dialogs([&](CDialog& dlg) -> int {
        dlg.SetDlgItemText(IDC_CONNECT_USER, FtpServer::kUser);
        dlg.SetDlgItemText(IDC_CONNECT_PASSWORD, FtpServer::kPassword);
        dlg.SetDlgItemText(IDC_CONNECT_SERVER, "127.0.0.1");
        dlg.SetDlgItemInt(IDC_CONNECT_PORT, server.Port());
        dlg.OnOK();
        return Result(dlg);
    });
    OnWebsiteLogin(doc, nullptr);
    const qint64 afterCancel = sinceCancel.isValid() ? sinceCancel.elapsed() : -1;
    AfxSetInternetIdleHandler(previousIdle);
    ASSERT_GE(afterCancel, 0) << "the wait window never showed";
    EXPECT_LT(afterCancel, 1000);
    EXPECT_TRUE(messages.list.empty()) << (messages.list.empty() ? "" : messages.list[0].text.GetString());
    EXPECT_EQ(GetProfileString("Server", "Host", ""), CString(""));
}

TEST(ConnectDialog, ClearEmptiesTheLoginAndBrowsingPicksAFolder)
{
    FtpServer server;
    ASSERT_TRUE(server.Start()) << server.Error().constData();
    QDir(server.Root()).mkpath(QStringLiteral("site"));
    for (int answer : {IDNO, IDYES}) {
        DConnect dlg;
        dlg.m_settings.m_strUser = "u";
        dlg.m_settings.m_strPassword = "p";
        dlg.m_settings.m_strServer = "s";
        dlg.m_settings.m_strFolder = "/f/";
        dlg.m_settings.m_nPort = 2121;
        Dialogs dialogs([](CDialog& d) -> int { return Result(d); });
        dlg.DoModal();
        auto previous = SetMessageBoxHandler([answer](const CString& text, const CString&, unsigned type) {
            EXPECT_EQ(text, CString("Do you want to clear login details?"));
            EXPECT_EQ(type, unsigned(MB_YESNO | MB_ICONQUESTION));
            return answer;
        });
        dlg.OnClear();
        SetMessageBoxHandler(previous);
        const bool cleared = answer == IDYES;
        for (int id : {IDC_CONNECT_USER, IDC_CONNECT_PASSWORD, IDC_CONNECT_SERVER, IDC_CONNECT_FOLDER})
            EXPECT_EQ(dlg.GetDlgItemText(id).IsEmpty(), cleared) << id;
        EXPECT_EQ(dlg.GetDlgItemInt(IDC_CONNECT_PORT), 2121);
    }
    // "...": the server's folders; the chosen one is shown with a trailing "/".
    DConnect dlg;
    dlg.m_settings.m_strUser = FtpServer::kUser;
    dlg.m_settings.m_strPassword = FtpServer::kPassword;
    dlg.m_settings.m_strServer = "127.0.0.1";
    dlg.m_settings.m_nPort = server.Port();
    {
        Dialogs dialogs([](CDialog& d) -> int { return Result(d); });
        dlg.DoModal();
    }
    Dialogs pick([](CDialog& d) -> int {
        auto* folders = dynamic_cast<DRemoteFolder*>(&d);
        EXPECT_TRUE(folders);
        if (!folders)
            return IDCANCEL;
        QTreeWidgetItem* root = folders->Tree()->topLevelItem(0);
        EXPECT_EQ(root->childCount(), 1);
        folders->Tree()->setCurrentItem(root->child(0));
        folders->OnOK();
        return Result(d);
    });
    dlg.OnBrowseFolder();
    EXPECT_EQ(dlg.GetDlgItemText(IDC_CONNECT_FOLDER), CString("/site/"));
    EXPECT_EQ(dlg.m_pConnection, nullptr);
}

// A stalled step never freezes the window: while the server holds back its answer to the
// second file's STOR, a timer keeps firing, and Stop ends the transfer within a second,
// without an error message; the first file counts as uploaded, the second does not.
TEST(UploadDialog, StalledServerLeavesTheWindowAnsweringAndStopWorks)
{
    FtpServer server;
    ASSERT_TRUE(server.Start()) << server.Error().constData();
    testsupport::FtpFaults faults;
    faults.stall = QStringList {QStringLiteral("STOR b.bin")};
    ASSERT_TRUE(server.SetFaults(faults));
    QTemporaryDir local;
    int states[2] = {kUploadListed, kUploadListed};
    CPublishFile entries[2];
    const char* names[2] = {"a.bin", "b.bin"};
    for (int i = 0; i < 2; ++i) {
        QFile f(local.filePath(QString::fromLatin1(names[i])));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(testsupport::RandomBytes(3 * 16384, unsigned(i + 40)));
        f.close();
        entries[i].m_strLocalPath = CString::FromQString(f.fileName());
        entries[i].m_strRemoteName = names[i];
        entries[i].m_pUploadState = &states[i];
    }
    CFtpSettings settings;
    settings.m_strServer = "127.0.0.1";
    settings.m_strUser = FtpServer::kUser;
    settings.m_strPassword = FtpServer::kPassword;
    settings.m_nPort = server.Port();
    std::unique_ptr<CFtpConnection> connection = ConnectFtp(GetDesignerInternetSession(), settings);
    Messages messages;
    DFileUpload dlg({&entries[0], &entries[1]}, connection, "/");
    int ticks = 0, ticksWhenStopped = -1;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(20);
    QElapsedTimer sinceStop;
    // Stop once the stall has lasted well over a second.
    QTimer stopper;
    stopper.setSingleShot(true);
    QObject::connect(&stopper, &QTimer::timeout, [&] {
        ticksWhenStopped = ticks;
        sinceStop.start();
        dlg.OnCancel();
    });
    const auto previous = CDialog::SetModalHook(nullptr);
    QTimer watch; // starts the stopper once the first file is on the server
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (states[0] == kUploadDone && !stopper.isActive() && ticksWhenStopped < 0) {
            ticks = 0;
            stopper.start(1500);
        }
    });
    watch.start(10);
    QElapsedTimer total;
    total.start();
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    const qint64 afterStop = sinceStop.isValid() ? sinceStop.elapsed() : -1;
    CDialog::SetModalHook(previous);
    ASSERT_GE(ticksWhenStopped, 0) << "the first file never arrived";
    EXPECT_GE(ticksWhenStopped, 25) << "the timer must keep firing during the stall";
    EXPECT_GE(afterStop, 0);
    EXPECT_LT(afterStop, 1000) << "Stop ends the transfer within a second";
    EXPECT_LT(total.elapsed(), 20000);
    EXPECT_TRUE(messages.list.empty()) << (messages.list.empty() ? "" : messages.list[0].text.GetString());
    EXPECT_EQ(states[0], kUploadDone);
    EXPECT_EQ(states[1], kUploadListed);
}
