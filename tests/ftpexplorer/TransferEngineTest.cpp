// Uploads and downloads of files and folder trees against a real FTP server.
#include "framework/core/MessageBox.h"
#include "framework/net/CInternetSession.h"
#include "ftpexplorer/History.h"
#include "ftpexplorer/TransferEngine.h"
#include "support/FtpServer.h"
#include <gtest/gtest.h>
#include <QtCore/QDir>
#include <QtCore/QDirIterator>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <map>
#include <random>
#include <sys/stat.h>

using testsupport::FtpFaults;
using testsupport::FtpServer;
using testsupport::FtpServerOptions;
using testsupport::RandomBytes;

namespace {

void WriteDisk(const QString& path, const QByteArray& data)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(data);
}

// Relative path -> contents ("<dir>" for folders), symbolic links not followed.
std::map<QString, QByteArray> Tree(const QString& root)
{
    std::map<QString, QByteArray> out;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QString path = it.next();
        QFileInfo info = it.fileInfo();
        QString rel = QDir(root).relativeFilePath(path);
        if (info.isSymLink())
            out[rel] = "<link>";
        else if (info.isDir())
            out[rel] = "<dir>";
        else if (info.isFile()) {
            QFile f(path);
            f.open(QIODevice::ReadOnly);
            out[rel] = f.readAll();
        } else
            out[rel] = "<special>";
    }
    return out;
}

// The tree the transfers move: nested folders, an empty file, block-sized files, blanks.
void MakeSite(const QString& root)
{
    WriteDisk(root + "/index.html", "<p>home</p>");
    WriteDisk(root + "/empty.txt", "");
    WriteDisk(root + "/block.bin", RandomBytes(16384, 1));
    WriteDisk(root + "/images/photo one.jpg", RandomBytes(100001, 2));
    WriteDisk(root + "/images/icons/a.png", RandomBytes(500, 3));
    WriteDisk(root + "/images/icons/b.png", RandomBytes(16385, 4));
    QDir().mkpath(root + "/empty folder");
}

struct Recorder {
    std::vector<std::pair<CString, unsigned>> boxes;
    MessageBoxHandler previous;
    Recorder()
    {
        previous = SetMessageBoxHandler([this](const CString& text, const CString&, unsigned type) {
            boxes.emplace_back(text, type);
            return IDOK;
        });
    }
    ~Recorder() { SetMessageBoxHandler(previous); }
};

std::vector<CString> Events(int icon)
{
    std::vector<CString> out;
    for (const CHistoryEvent& e : GetHistoryEvents())
        if (e.m_nIcon == icon)
            out.push_back(e.m_strEvent);
    return out;
}

bool Logged(const char* event)
{
    for (const CHistoryEvent& e : GetHistoryEvents())
        if (e.m_strEvent == event)
            return true;
    return false;
}

class Transfers : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearHistoryEvents();
        ASSERT_TRUE(m_local.isValid());
    }
    void TearDown() override { ClearHistoryEvents(); }

    std::unique_ptr<CFtpConnection> Connect(const FtpServer& server, long connectMs = 5000, long responseMs = 10000)
    {
        m_session.SetTimeouts(connectMs, responseMs);
        return std::unique_ptr<CFtpConnection>(
            m_session.GetFtpConnection("127.0.0.1", FtpServer::kUser, FtpServer::kPassword, server.Port(), TRUE));
    }

    // Runs the engine as its dialog does: Start, then Tick while the timer runs.
    static CTransferEngine::Result Run(CTransferEngine& engine, int* ticks = nullptr)
    {
        CTransferEngine::Result r = engine.Start();
        int n = 0;
        while (r == CTransferEngine::running) {
            EXPECT_TRUE(engine.TimerRunning());
            r = engine.Tick();
            if (++n > 100000)
                return CTransferEngine::cancelled;
        }
        EXPECT_FALSE(engine.TimerRunning());
        if (ticks)
            *ticks = n;
        return r;
    }

    static CFileEntry Entry(const QString& path, int kind, const CString& target, std::uint64_t size = 0)
    {
        CFileEntry e;
        e.m_strPath = CString::FromQString(path);
        e.m_strName = e.m_strPath.Mid(e.m_strPath.ReverseFind('/') + 1);
        e.m_nKind = kind;
        e.m_strTarget = target;
        e.m_nSize = size;
        return e;
    }

    CInternetSession m_session {"test"};
    QTemporaryDir m_local;
};

} // namespace

TEST_F(Transfers, FolderTreeUpAndDownByteEqual)
{
    FtpServer server;
    ASSERT_TRUE(server.Start()) << server.Error().toStdString();
    auto ftp = Connect(server);
    QString site = m_local.filePath("site");
    MakeSite(site);
    WriteDisk(m_local.filePath("single file.txt"), "alone");
    ASSERT_TRUE(ftp->CreateDirectory("/pub"));

    Recorder boxes;
    CFileEntry folder = Entry(site, CFileEntry::folder, "/pub/");
    CFileEntry single = Entry(m_local.filePath("single file.txt"), CFileEntry::file, "/pub/", 5);
    {
        CTransferEngine up(CTransferEngine::upload, ftp.get());
        up.AddEntry(&folder);
        up.AddEntry(&single);
        EXPECT_EQ(Run(up), CTransferEngine::finishedOk);
        // Every folder and file counts: 2 given + 5 items in site + 2 in images + 2 in icons.
        EXPECT_EQ(up.GetTotal(), 11);
        EXPECT_EQ(up.GetCurrent(), 11);
    }
    EXPECT_TRUE(boxes.boxes.empty());
    auto expected = Tree(site);
    EXPECT_EQ(Tree(server.LocalPath("pub/site")), expected);
    EXPECT_EQ(Tree(server.LocalPath("pub")).at("single file.txt"), "alone");
    EXPECT_EQ(Events(HISTORY_UPLOADED).size(), 7u);
    EXPECT_EQ(Events(HISTORY_FOLDER).size(), 4u);
    EXPECT_TRUE(Events(HISTORY_ERROR).empty());

    // Depth first: a folder's contents come before the entries that followed it, and the
    // items of one folder in reverse order.
    std::vector<CString> order;
    for (const CHistoryEvent& e : GetHistoryEvents())
        if (e.m_nIcon == HISTORY_UPLOADED || e.m_nIcon == HISTORY_FOLDER)
            order.push_back(e.m_nIcon == HISTORY_FOLDER ? "D " + e.m_strDescription : e.m_strEvent);
    std::vector<CString> wanted = {"D /pub/site",          "Uploaded: index.html",  "D /pub/site/images",
                                   "Uploaded: photo one.jpg", "D /pub/site/images/icons", "Uploaded: b.png",
                                   "Uploaded: a.png",       "Uploaded: empty.txt",   "D /pub/site/empty folder",
                                   "Uploaded: block.bin",   "Uploaded: single file.txt"};
    EXPECT_EQ(order, wanted);

    // And back into another folder.
    ClearHistoryEvents();
    QString back = m_local.filePath("back");
    ASSERT_TRUE(QDir().mkdir(back));
    CFileEntry remote = Entry("/pub/site", CFileEntry::folder, CString::FromQString(back) + "/");
    {
        CTransferEngine down(CTransferEngine::download, ftp.get());
        down.AddEntry(&remote);
        EXPECT_EQ(Run(down), CTransferEngine::finishedOk);
    }
    EXPECT_EQ(Tree(back + "/site"), expected);
    EXPECT_EQ(Events(HISTORY_DOWNLOADED).size(), 6u);
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(Transfers, ProgressTextsPerBlock)
{
    FtpServer server;
    ASSERT_TRUE(server.Start()) << server.Error().toStdString();
    auto ftp = Connect(server);
    WriteDisk(m_local.filePath("data.bin"), RandomBytes(40000, 5));
    CFileEntry e = Entry(m_local.filePath("data.bin"), CFileEntry::file, "");
    CTransferEngine up(CTransferEngine::upload, ftp.get());
    std::time_t now = 1000;
    up.SetClock([&now] { return now; });
    up.AddEntry(&e);
    ASSERT_EQ(up.Start(), CTransferEngine::running);
    EXPECT_EQ(up.GetFileSize(), 40000u);
    ASSERT_EQ(up.Tick(), CTransferEngine::running);
    EXPECT_EQ(up.GetBytesDone(), 16384u);
    EXPECT_EQ(up.GetPercent(), 40);
    EXPECT_EQ(up.GetStatusText(), "File name: data.bin\r\nFile size: 40000\r\nBytes sent: 16384");
    EXPECT_EQ(up.GetCountText(), "File 1 of 1");
    now = 1002;
    ASSERT_EQ(up.Tick(), CTransferEngine::running);
    EXPECT_EQ(up.GetPercent(), 81);
    EXPECT_EQ(up.GetStatusText(),
              "File name: data.bin\r\nFile size: 40000\r\nBytes sent: 32768\r\nTransfer Rate: 16 kB/sec");
    ASSERT_EQ(up.Tick(), CTransferEngine::running);
    EXPECT_EQ(up.GetPercent(), 100);
    EXPECT_FALSE(Logged("Uploaded: data.bin")) << "logged before the end of the file";
    EXPECT_EQ(up.Tick(), CTransferEngine::finishedOk);
    EXPECT_TRUE(Logged("Uploaded: data.bin"));
    EXPECT_EQ(GetHistoryEvents().back().m_strDescription,
              CString("40000 bytes sent OK   From: ") + CString::FromQString(m_local.filePath("data.bin"))
                  + "   To: data.bin");
    EXPECT_EQ(QFileInfo(server.LocalPath("data.bin")).size(), 40000);
}

TEST_F(Transfers, EmptyFileTakesOneTickAndSixtyFourBitSizesShow)
{
    FtpServer server;
    ASSERT_TRUE(server.Start()) << server.Error().toStdString();
    auto ftp = Connect(server);
    WriteDisk(m_local.filePath("zero"), "");
    CFileEntry e = Entry(m_local.filePath("zero"), CFileEntry::file, "/");
    {
        CTransferEngine up(CTransferEngine::upload, ftp.get());
        up.AddEntry(&e);
        ASSERT_EQ(up.Start(), CTransferEngine::running);
        EXPECT_EQ(up.Tick(), CTransferEngine::finishedOk);
        EXPECT_EQ(up.GetPercent(), 0);
    }
    EXPECT_TRUE(QFileInfo::exists(server.LocalPath("zero")));
    EXPECT_EQ(GetHistoryEvents().back().m_strDescription.Left(15), "0 bytes sent OK");

    // A listed size beyond 4 GB (a sparse file) is carried whole into the progress.
    QDir(server.Root()).mkpath("big");
    {
        QFile big(server.LocalPath("big/huge.iso"));
        ASSERT_TRUE(big.open(QIODevice::WriteOnly));
        ASSERT_TRUE(big.resize(5368709123LL));
    }
    CFileEntry folder = Entry("/big", CFileEntry::folder, CString::FromQString(m_local.path()) + "/");
    CTransferEngine down(CTransferEngine::download, ftp.get());
    down.AddEntry(&folder);
    ASSERT_EQ(down.Start(), CTransferEngine::running);
    ASSERT_EQ(down.Tick(), CTransferEngine::running);
    EXPECT_EQ(down.GetFileSize(), 5368709123ull);
    EXPECT_EQ(down.GetPercent(), 0);
    EXPECT_NE(down.GetStatusText().Find("File size: 5368709123"), -1) << down.GetStatusText().GetString();
    down.Cancel();
    EXPECT_FALSE(Logged("Downloaded: huge.iso"));
}

TEST_F(Transfers, HostileServerNamesAreSkippedAndLogged)
{
    FtpServerOptions options;
    options.hostileNames = true;
    FtpServer server(options);
    ASSERT_TRUE(server.Start()) << server.Error().toStdString();
    auto ftp = Connect(server);
    WriteDisk(server.LocalPath("files/good.txt"), "good");
    QString target = m_local.filePath("in");
    ASSERT_TRUE(QDir().mkdir(target));
    Recorder boxes;
    CFileEntry folder = Entry("/files", CFileEntry::folder, CString::FromQString(target) + "/");
    {
        CTransferEngine down(CTransferEngine::download, ftp.get());
        down.AddEntry(&folder);
        EXPECT_EQ(Run(down), CTransferEngine::finishedOk);
    }
    std::map<QString, QByteArray> want {{"files", "<dir>"}, {"files/good.txt", "good"}};
    EXPECT_EQ(Tree(target), want);
    // Nothing escaped beside the target.
    EXPECT_EQ(Tree(m_local.path()).size(), 3u);
    for (const char* name : {"Failed:../escape.txt", "Failed:sub/inner.txt", "Failed:..\\win.txt", "Failed:../updir"})
        EXPECT_TRUE(Logged(name)) << name;
    EXPECT_TRUE(Logged("Downloaded: good.txt"));
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(Transfers, SymbolicLinksAndSpecialFilesAreNeverFollowed)
{
    FtpServer server;
    ASSERT_TRUE(server.Start()) << server.Error().toStdString();
    auto ftp = Connect(server);
    QString site = m_local.filePath("site");
    WriteDisk(site + "/real.txt", "real");
    WriteDisk(m_local.filePath("outside.txt"), "outside");
    ASSERT_TRUE(QFile::link(m_local.filePath("outside.txt"), site + "/link.txt"));
    ASSERT_TRUE(QFile::link(site, site + "/loop")); // a link to its own folder
    ASSERT_EQ(mkfifo(QFile::encodeName(site + "/pipe").constData(), 0600), 0);
    CFileEntry folder = Entry(site, CFileEntry::folder, "");
    Recorder boxes;
    {
        CTransferEngine up(CTransferEngine::upload, ftp.get());
        up.AddEntry(&folder);
        EXPECT_EQ(Run(up), CTransferEngine::finishedOk);
    }
    std::map<QString, QByteArray> want {{"real.txt", "real"}};
    EXPECT_EQ(Tree(server.LocalPath("site")), want);
    EXPECT_TRUE(Logged("Failed:link.txt"));
    EXPECT_TRUE(Logged("Failed:loop"));
    EXPECT_TRUE(Logged("Failed:pipe"));
}

TEST_F(Transfers, RefusedFileAtTheEndIsAFailureNotAnUpload)
{
    FtpServerOptions options;
    options.refuseUpload = {"refused.html"};
    FtpServer server(options);
    ASSERT_TRUE(server.Start()) << server.Error().toStdString();
    auto ftp = Connect(server);
    WriteDisk(m_local.filePath("site/refused.html"), RandomBytes(20000, 8));
    WriteDisk(m_local.filePath("site/a.html"), "a");
    CFileEntry folder = Entry(m_local.filePath("site"), CFileEntry::folder, "/");
    Recorder boxes;
    {
        CTransferEngine up(CTransferEngine::upload, ftp.get());
        up.AddEntry(&folder);
        EXPECT_EQ(Run(up), CTransferEngine::cancelled);
    }
    EXPECT_TRUE(Logged("Failed:refused.html"));
    EXPECT_FALSE(Logged("Uploaded: refused.html"));
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].first, "Error writing remote file /site/refused.html");
    EXPECT_EQ(boxes.boxes[0].second & MB_ICONERROR, unsigned(MB_ICONERROR));
    EXPECT_FALSE(QFileInfo::exists(server.LocalPath("site/refused.html")));
}

TEST_F(Transfers, DroppedConnectionIsAFailure)
{
    // The server drops the connection 50000 bytes into the file, in either direction.
    FtpServerOptions options;
    options.disconnectAfter = 50000;
    FtpServer server(options);
    ASSERT_TRUE(server.Start()) << server.Error().toStdString();
    const QByteArray data = RandomBytes(400000, 9);
    WriteDisk(m_local.filePath("big.bin"), data);
    WriteDisk(server.LocalPath("remote.bin"), data);
    const CString local = CString::FromQString(m_local.path()) + "/";
    struct Case {
        CTransferEngine::Direction direction;
        CFileEntry entry;
        const char* failed;
        const char* done;
    } cases[] = {
        {CTransferEngine::upload, Entry(m_local.filePath("big.bin"), CFileEntry::file, ""), "Failed:big.bin", "Uploaded: big.bin"},
        {CTransferEngine::download, Entry("/remote.bin", CFileEntry::file, local, 400000), "Failed:remote.bin", "Downloaded: remote.bin"},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.failed);
        ClearHistoryEvents();
        auto ftp = Connect(server);
        Recorder boxes;
        CTransferEngine engine(c.direction, ftp.get());
        engine.AddEntry(&c.entry);
        EXPECT_EQ(Run(engine), CTransferEngine::cancelled);
        EXPECT_TRUE(Logged(c.failed));
        EXPECT_FALSE(Logged(c.done));
        EXPECT_EQ(boxes.boxes.size(), 1u);
    }
}

TEST_F(Transfers, FailuresToOpenEitherSideAreLoggedAndShown)
{
    FtpServer server;
    ASSERT_TRUE(server.Start()) << server.Error().toStdString();
    auto ftp = Connect(server);
    WriteDisk(m_local.filePath("ok.txt"), "ok");
    struct Case {
        CTransferEngine::Direction direction;
        CFileEntry entry;
        CString message;
    };
    CString local = CString::FromQString(m_local.path());
    std::vector<Case> cases = {
        {CTransferEngine::upload, Entry(m_local.filePath("missing.txt"), CFileEntry::file, "/"),
         "Error reading local file " + local + "/missing.txt"},
        {CTransferEngine::upload, Entry(m_local.filePath("ok.txt"), CFileEntry::file, "/no/such/folder/"),
         "Error writing remote file /no/such/folder/ok.txt"},
        {CTransferEngine::download, Entry("/missing.txt", CFileEntry::file, local + "/"),
         "Error reading remote file /missing.txt"},
        {CTransferEngine::download, Entry("/x.txt", CFileEntry::file, local + "/no/such/folder/"),
         "Error writing local file " + local + "/no/such/folder/x.txt"},
    };
    WriteDisk(server.LocalPath("x.txt"), "x");
    for (Case& c : cases) {
        SCOPED_TRACE(c.message.GetString());
        ClearHistoryEvents();
        Recorder boxes;
        CTransferEngine engine(c.direction, ftp.get());
        engine.AddEntry(&c.entry);
        EXPECT_EQ(Run(engine), CTransferEngine::cancelled);
        ASSERT_EQ(boxes.boxes.size(), 1u);
        EXPECT_EQ(boxes.boxes[0].first, c.message);
        ASSERT_FALSE(GetHistoryEvents().empty());
        EXPECT_EQ(GetHistoryEvents().back().m_nIcon, HISTORY_ERROR);
        EXPECT_EQ(GetHistoryEvents().back().m_strDescription, c.message);
    }
}

TEST_F(Transfers, CancelInTheMiddleLogsNothingForThatFile)
{
    FtpServer server;
    ASSERT_TRUE(server.Start()) << server.Error().toStdString();
    auto ftp = Connect(server);
    WriteDisk(m_local.filePath("long.bin"), RandomBytes(200000, 10));
    CFileEntry e = Entry(m_local.filePath("long.bin"), CFileEntry::file, "");
    {
        CTransferEngine up(CTransferEngine::upload, ftp.get());
        up.AddEntry(&e);
        ASSERT_EQ(up.Start(), CTransferEngine::running);
        ASSERT_EQ(up.Tick(), CTransferEngine::running);
        up.Cancel();
        EXPECT_FALSE(up.TimerRunning());
    }
    EXPECT_TRUE(GetHistoryEvents().empty());
    // The connection serves the next transfer.
    WriteDisk(m_local.filePath("next.txt"), "next");
    CFileEntry n = Entry(m_local.filePath("next.txt"), CFileEntry::file, "");
    CTransferEngine again(CTransferEngine::upload, ftp.get());
    again.AddEntry(&n);
    EXPECT_EQ(Run(again), CTransferEngine::finishedOk);
    EXPECT_TRUE(Logged("Uploaded: next.txt"));
}

TEST_F(Transfers, LoginFolderElsewhereTakesRelativeTargets)
{
    FtpServerOptions options;
    options.loginDir = "/home/user";
    FtpServer server(options);
    ASSERT_TRUE(server.Start()) << server.Error().toStdString();
    auto ftp = Connect(server);
    WriteDisk(m_local.filePath("f.txt"), "f");
    CFileEntry rel = Entry(m_local.filePath("f.txt"), CFileEntry::file, "");
    CFileEntry abs = Entry(m_local.filePath("f.txt"), CFileEntry::file, "/");
    CTransferEngine up(CTransferEngine::upload, ftp.get());
    up.AddEntry(&rel);
    up.AddEntry(&abs);
    EXPECT_EQ(Run(up), CTransferEngine::finishedOk);
    EXPECT_TRUE(QFileInfo::exists(server.LocalPath("home/user/f.txt")));
    EXPECT_TRUE(QFileInfo::exists(server.LocalPath("f.txt")));
}

TEST_F(Transfers, NoConnectionEndsWithCancel)
{
    WriteDisk(m_local.filePath("f.txt"), "f");
    CFileEntry e = Entry(m_local.filePath("f.txt"), CFileEntry::file, "");
    CTransferEngine up(CTransferEngine::upload, nullptr);
    up.AddEntry(&e);
    EXPECT_EQ(Run(up), CTransferEngine::cancelled);
    CTransferEngine nothing(CTransferEngine::upload, nullptr);
    nothing.AddEntry(nullptr);
    EXPECT_EQ(Run(nothing), CTransferEngine::cancelled);
    CTransferEngine empty(CTransferEngine::download, nullptr);
    EXPECT_EQ(Run(empty), CTransferEngine::finishedOk);
}

// Uploads against a server with faults switched on: what is logged as uploaded, what is
// shown, and that the next upload (fault gone) puts every byte there.
TEST_F(Transfers, UploadsTrustOnlyWhatTheServerHolds)
{
    struct Case {
        const char* name;
        FtpFaults faults;
        CTransferEngine::Result result;
        const char* message;   // the one message shown, "" for none
        bool aUploaded;        // "Uploaded: a.txt" logged
        bool bUploaded;        // "Uploaded: b.bin" logged
    };
    FtpFaults truncate;
    truncate.truncate = QStringList {QStringLiteral("b.bin")};
    FtpFaults truncateNoSize = truncate;
    truncateNoSize.refuseSize = true;
    FtpFaults noSize;
    noSize.refuseSize = true;
    FtpFaults drop;
    drop.dropAfter = 30000;
    FtpFaults stall;
    stall.stall = QStringList {QStringLiteral("STOR")};
    const Case cases[] = {
        // A folder's files go in reverse name order: b.bin first, a.txt after it.
        {"226 for a truncated file", truncate, CTransferEngine::cancelled, "Error writing remote file /up/b.bin", false,
         false},
        {"truncated, SIZE refused", truncateNoSize, CTransferEngine::cancelled, "Error writing remote file /up/b.bin",
         false, false},
        {"SIZE refused, files whole", noSize, CTransferEngine::finishedOk, "", true, true},
        {"dropped mid-transfer", drop, CTransferEngine::cancelled, "Error writing remote file /up/b.bin", false, false},
        {"STOR never answered", stall, CTransferEngine::cancelled, "Error writing remote file /up/b.bin", false, false},
    };
    WriteDisk(m_local.filePath("up/a.txt"), "alpha");
    WriteDisk(m_local.filePath("up/b.bin"), RandomBytes(100000, 21));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClearHistoryEvents();
        FtpServer server;
        ASSERT_TRUE(server.Start()) << server.Error().toStdString();
        ASSERT_TRUE(server.SetFaults(c.faults));
        auto ftp = Connect(server, 2000, 2000);
        CFileEntry folder = Entry(m_local.filePath("up"), CFileEntry::folder, "/");
        {
            Recorder boxes;
            CTransferEngine up(CTransferEngine::upload, ftp.get());
            up.AddEntry(&folder);
            EXPECT_EQ(Run(up), c.result);
            if (*c.message) {
                ASSERT_EQ(boxes.boxes.size(), 1u);
                EXPECT_EQ(boxes.boxes[0].first, c.message);
            } else {
                EXPECT_TRUE(boxes.boxes.empty());
            }
        }
        EXPECT_EQ(Logged("Uploaded: a.txt"), c.aUploaded);
        EXPECT_EQ(Logged("Uploaded: b.bin"), c.bUploaded);
        EXPECT_EQ(Logged("Failed:b.bin"), !c.bUploaded);
        if (c.bUploaded) {
            EXPECT_EQ(Tree(server.LocalPath("up")), Tree(m_local.filePath("up")));
        }

        // The fault gone: the same upload again puts every byte there.
        ASSERT_TRUE(server.SetFaults({}));
        ClearHistoryEvents();
        auto again = Connect(server);
        Recorder boxes;
        CTransferEngine up(CTransferEngine::upload, again.get());
        up.AddEntry(&folder);
        EXPECT_EQ(Run(up), CTransferEngine::finishedOk);
        EXPECT_TRUE(boxes.boxes.empty());
        EXPECT_TRUE(Logged("Uploaded: b.bin"));
        EXPECT_EQ(Tree(server.LocalPath("up")), Tree(m_local.filePath("up")));
    }
}

// Downloads of folders: a refused subfolder listing is an error in the log and in the
// result while the rest arrives; names that are not UTF-8 are made locally under one
// escaped name that the folder and the files inside share.
TEST_F(Transfers, DownloadsReportRefusedListingsAndKeepNameBytes)
{
    struct Case {
        const char* name;
        FtpFaults faults;
        CTransferEngine::Result result;
        std::vector<const char*> logged;     // events that must be in the log
        std::map<QString, QByteArray> local; // what arrives under the target
    };
    FtpServer server;
    ASSERT_TRUE(server.Start()) << server.Error().toStdString();
    const std::string root = server.Root().toStdString();
    // "/dl" holds a.txt, "sub/s.txt", "caf\xE9/cr\xE8me.txt" and "caf\xC3\xA9/x.txt" (UTF-8).
    ASSERT_EQ(::mkdir((root + "/dl").c_str(), 0755), 0);
    ASSERT_EQ(::mkdir((root + "/dl/sub").c_str(), 0755), 0);
    ASSERT_EQ(::mkdir((root + "/dl/caf\xE9").c_str(), 0755), 0);
    ASSERT_EQ(::mkdir((root + "/dl/caf\xC3\xA9").c_str(), 0755), 0);
    auto put = [](const std::string& path, const QByteArray& data) {
        FILE* f = std::fopen(path.c_str(), "wb");
        ASSERT_NE(f, nullptr) << path;
        std::fwrite(data.constData(), 1, size_t(data.size()), f);
        std::fclose(f);
    };
    put(root + "/dl/a.txt", "a");
    put(root + "/dl/sub/s.txt", "s");
    put(root + "/dl/caf\xE9/cr\xE8me.txt", RandomBytes(20000, 31));
    put(root + "/dl/caf\xC3\xA9/x.txt", "x");
    const QString latin = QStringLiteral("dl/caf%E9");
    const QString utf8 = QStringLiteral("dl/caf\u00E9");
    std::map<QString, QByteArray> whole = {
        {"dl", "<dir>"}, {"dl/a.txt", "a"}, {"dl/sub", "<dir>"}, {"dl/sub/s.txt", "s"},
        {latin, "<dir>"}, {latin + "/cr%E8me.txt", RandomBytes(20000, 31)}, {utf8, "<dir>"}, {utf8 + "/x.txt", "x"}};
    std::map<QString, QByteArray> withoutSub = whole;
    withoutSub.erase("dl/sub/s.txt");
    FtpFaults refuseSub;
    refuseSub.refuseList = QStringList {QStringLiteral("sub")};
    FtpFaults refuseLatin;
    refuseLatin.refuseList = QStringList {QStringLiteral("caf\u00E9")}; // the UTF-8 folder
    std::map<QString, QByteArray> withoutUtf8 = whole;
    withoutUtf8.erase(utf8 + "/x.txt");
    const Case cases[] = {
        {"every listing answered", {}, CTransferEngine::finishedOk, {"Downloaded: a.txt", "Downloaded: s.txt"}, whole},
        {"subfolder listing refused", refuseSub, CTransferEngine::finishedWithErrors, {"Failed:sub", "Downloaded: a.txt"},
         withoutSub},
        {"listing of a UTF-8 folder refused", refuseLatin, CTransferEngine::finishedWithErrors,
         {"Downloaded: a.txt", "Downloaded: s.txt"}, withoutUtf8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClearHistoryEvents();
        ASSERT_TRUE(server.SetFaults(c.faults));
        QTemporaryDir target;
        auto ftp = Connect(server);
        CFileEntry folder = Entry("/dl", CFileEntry::folder, CString::FromQString(target.path()) + "/");
        Recorder boxes;
        CTransferEngine down(CTransferEngine::download, ftp.get());
        down.AddEntry(&folder);
        EXPECT_EQ(Run(down), c.result);
        for (const char* e : c.logged)
            EXPECT_TRUE(Logged(e)) << e;
        EXPECT_EQ(Tree(target.path()), c.local);
        if (c.result == CTransferEngine::finishedOk) {
            EXPECT_TRUE(boxes.boxes.empty());
            EXPECT_TRUE(Events(HISTORY_ERROR).empty());
        } else {
            // One message at the end naming the folder that could not be read.
            ASSERT_EQ(boxes.boxes.size(), 1u);
            EXPECT_NE(boxes.boxes[0].first.Find("Error reading remote folder /dl/"), -1) << boxes.boxes[0].first.GetString();
            ASSERT_EQ(Events(HISTORY_ERROR).size(), 1u);
            EXPECT_EQ(down.GetProblems().size(), 1u);
        }
    }
}

// Downloads that the server cuts short while replying "226": the bytes are checked
// against SIZE, or the listed size when SIZE is refused; a short file never replaces the
// good local copy and leaves nothing behind.
TEST_F(Transfers, DownloadsTrustOnlyWholeFiles)
{
    struct Case {
        const char* name;
        FtpFaults faults;
        CTransferEngine::Result result;
    };
    FtpFaults shortSend;
    shortSend.shortSend = QStringList {QStringLiteral("b.bin")};
    FtpFaults shortNoSize = shortSend;
    shortNoSize.refuseSize = true;
    FtpFaults noSize;
    noSize.refuseSize = true;
    const Case cases[] = {
        {"whole", {}, CTransferEngine::finishedOk},
        {"half sent with 226", shortSend, CTransferEngine::cancelled},
        {"half sent, SIZE refused: the listed size decides", shortNoSize, CTransferEngine::cancelled},
        {"SIZE refused, file whole", noSize, CTransferEngine::finishedOk},
    };
    FtpServer server;
    ASSERT_TRUE(server.Start()) << server.Error().toStdString();
    const QByteArray data = RandomBytes(100000, 41);
    WriteDisk(server.LocalPath(QStringLiteral("dl2/b.bin")), data);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClearHistoryEvents();
        ASSERT_TRUE(server.SetFaults(c.faults));
        QTemporaryDir target;
        WriteDisk(QDir(target.path()).filePath(QStringLiteral("b.bin")), "the good copy");
        auto ftp = Connect(server, 2000, 2000);
        CFileEntry file = Entry("/dl2/b.bin", CFileEntry::file, CString::FromQString(target.path()) + "/", 100000);
        Recorder boxes;
        CTransferEngine down(CTransferEngine::download, ftp.get());
        down.AddEntry(&file);
        EXPECT_EQ(Run(down), c.result);
        if (c.result == CTransferEngine::finishedOk) {
            EXPECT_TRUE(boxes.boxes.empty());
            EXPECT_TRUE(Logged("Downloaded: b.bin"));
            EXPECT_EQ(Tree(target.path()), (std::map<QString, QByteArray> {{"b.bin", data}}));
            EXPECT_EQ(QFileInfo(QDir(target.path()).filePath(QStringLiteral("b.bin"))).permissions() & QFileDevice::ReadOther,
                      QFileDevice::ReadOther);
        } else {
            ASSERT_EQ(boxes.boxes.size(), 1u);
            EXPECT_EQ(boxes.boxes[0].first, CString("Error reading remote file /dl2/b.bin"));
            EXPECT_FALSE(Logged("Downloaded: b.bin"));
            EXPECT_TRUE(Logged("Failed:b.bin"));
            // the good copy as it was, and no part file beside it
            EXPECT_EQ(Tree(target.path()), (std::map<QString, QByteArray> {{"b.bin", "the good copy"}}));
        }
    }
}

TEST(TransferNames, LocalNamesOfRemoteBytes)
{
    const struct {
        const char* remote;
        const char* local;
    } cases[] = {
        {"plain.txt", "plain.txt"},
        {"caf\xC3\xA9", "caf\xC3\xA9"},       // UTF-8 stays as it is
        {"100%.txt", "100%.txt"},               // so does '%' in a UTF-8 name
        {"caf\xE9", "caf%E9"},                 // Latin-1
        {"5%\xFF", "5%25%FF"},                 // '%' escaped too, so no two names meet
        {"\xC3\xA9\xE9", "%C3%A9%E9"},          // mixed: the whole name escaped
        {"\xC0\xAF", "%C0%AF"},                 // an overlong '/' never becomes one
    };
    for (const auto& c : cases)
        EXPECT_EQ(CTransferEngine::LocalNameFor(c.remote), CString(c.local)) << c.remote;
}
