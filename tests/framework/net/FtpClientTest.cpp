// The FTP classes against a real server on 127.0.0.1.
#include "framework/net/CFtpConnection.h"
#include "framework/net/CFtpFileFind.h"
#include "framework/net/CInternetException.h"
#include "framework/net/CInternetFile.h"
#include "framework/net/CInternetSession.h"
#include "support/FtpServer.h"
#include <gtest/gtest.h>
#include <QtCore/QDateTime>
#include <QtCore/QTimeZone>
#include <QtCore/QFile>
#include <map>
#include <random>

using testsupport::FtpServer;
using testsupport::FtpServerOptions;
using testsupport::RandomBytes;

namespace {

QByteArray ReadDisk(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void WriteDisk(const QString& path, const QByteArray& data)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(data);
}

struct Client {
    CInternetSession session {"tessel-test"};
    std::unique_ptr<CFtpConnection> connection;

    explicit Client(const FtpServer& server, bool passive = true, const char* password = FtpServer::kPassword)
    {
        session.SetTimeouts(5000, 10000);
        connection.reset(session.GetFtpConnection("127.0.0.1", FtpServer::kUser, password, server.Port(), passive));
    }
};

// Sends data the way the transfer dialogs do: one 16384-byte block per call.
void Upload(CFtpConnection& c, const char* path, const QByteArray& data)
{
    std::unique_ptr<CInternetFile> file(c.OpenFile(path, GENERIC_WRITE));
    for (int pos = 0; pos < data.size(); pos += 16384)
        file->Write(data.constData() + pos, UINT(std::min(16384, int(data.size()) - pos)));
    file->Close();
}

QByteArray Download(CFtpConnection& c, const char* path)
{
    std::unique_ptr<CInternetFile> file(c.OpenFile(path, GENERIC_READ));
    QByteArray out;
    char block[16384];
    while (UINT n = file->Read(block, sizeof block)) {
        EXPECT_LE(n, sizeof block);
        out.append(block, int(n));
    }
    file->Close();
    return out;
}

class FtpClient : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(server.Start()) << server.Error().toStdString(); }
    FtpServer server;
};

} // namespace

TEST_F(FtpClient, LoginDirectoryIsTheServersCurrentFolder)
{
    Client c(server);
    CString dir;
    ASSERT_TRUE(c.connection->GetCurrentDirectory(dir));
    EXPECT_EQ(dir, "/");
    EXPECT_EQ(c.connection->GetLoginDirectory(), "/");
}

TEST_F(FtpClient, UploadAndDownloadAreByteExactForBlockBoundaries)
{
    Client c(server);
    const int sizes[] = {0, 1, 16383, 16384, 16385, 3 * 16384, 700001};
    for (int size : sizes) {
        SCOPED_TRACE(size);
        QByteArray data = RandomBytes(size, unsigned(size) + 7);
        CString name = CString::Formatted("/file%d.bin", size);
        Upload(*c.connection, name, data);
        EXPECT_EQ(ReadDisk(server.LocalPath(QString::fromUtf8(name.Mid(1).GetString()))), data);
        EXPECT_EQ(Download(*c.connection, name), data);
    }
}

TEST_F(FtpClient, ActiveModeTransfersToo)
{
    Client c(server, false);
    QByteArray data = RandomBytes(50000, 3);
    Upload(*c.connection, "active.bin", data);
    EXPECT_EQ(ReadDisk(server.LocalPath("active.bin")), data);
    EXPECT_EQ(Download(*c.connection, "active.bin"), data);
}

TEST_F(FtpClient, NamesWithBlanksAndUrlCharactersReachTheServerUnchanged)
{
    Client c(server);
    ASSERT_TRUE(c.connection->CreateDirectory("/my folder"));
    const char* names[] = {"/my folder/a b.txt", "/my folder/100%25 #1?.txt", "/my folder/caf\xc3\xa9;x=y.txt",
                           "/my folder/..double.txt"};
    for (const char* name : names) {
        SCOPED_TRACE(name);
        QByteArray data = QByteArray("content of ") + name;
        Upload(*c.connection, name, data);
        EXPECT_EQ(ReadDisk(server.Root() + QString::fromUtf8(name)), data);
        EXPECT_EQ(Download(*c.connection, name), data);
    }
}

TEST_F(FtpClient, FolderCommandsChangeTheServer)
{
    Client c(server);
    auto& ftp = *c.connection;
    ASSERT_TRUE(ftp.CreateDirectory("/site"));
    EXPECT_TRUE(QFileInfo(server.LocalPath("site")).isDir());
    Upload(ftp, "/site/index.html", "<p>old</p>");
    ASSERT_TRUE(ftp.Rename("/site/index.html", "/site/original_index.html"));
    EXPECT_FALSE(QFile::exists(server.LocalPath("site/index.html")));
    EXPECT_EQ(ReadDisk(server.LocalPath("site/original_index.html")), "<p>old</p>");
    // Refusals come back as FALSE with the server's reply.
    EXPECT_FALSE(ftp.Rename("/site/index.html", "/site/x.html"));
    EXPECT_EQ(ftp.GetLastError(), DWORD(ERROR_INTERNET_EXTENDED_ERROR));
    EXPECT_TRUE(ftp.GetLastResponse().Left(1) == "5") << ftp.GetLastResponse().GetString();
    EXPECT_FALSE(ftp.RemoveDirectory("/site")); // not empty
    ASSERT_TRUE(ftp.Remove("/site/original_index.html"));
    EXPECT_FALSE(QFile::exists(server.LocalPath("site/original_index.html")));
    EXPECT_FALSE(ftp.Remove("/site/original_index.html"));
    ASSERT_TRUE(ftp.RemoveDirectory("/site"));
    EXPECT_FALSE(QFileInfo::exists(server.LocalPath("site")));
    // The connection still works after the refusals.
    CString dir;
    EXPECT_TRUE(ftp.GetCurrentDirectory(dir));
}

TEST_F(FtpClient, OpeningAMissingFileThrowsTheServersRefusal)
{
    Client c(server);
    try {
        std::unique_ptr<CInternetFile> f(c.connection->OpenFile("/nothing/here.txt", GENERIC_READ));
        FAIL() << "opened a missing file";
    } catch (const CInternetException& e) {
        EXPECT_EQ(e.m_dwError, DWORD(ERROR_INTERNET_EXTENDED_ERROR));
        EXPECT_NE(e.GetErrorMessage().Find("550"), -1) << e.GetErrorMessage().GetString();
    }
    try {
        std::unique_ptr<CInternetFile> f(c.connection->OpenFile("/no/such/folder/x.txt", GENERIC_WRITE));
        FAIL() << "stored into a missing folder";
    } catch (const CInternetException& e) {
        EXPECT_EQ(e.m_dwError, DWORD(ERROR_INTERNET_EXTENDED_ERROR));
    }
    Upload(*c.connection, "after.txt", "ok");
    EXPECT_EQ(ReadDisk(server.LocalPath("after.txt")), "ok");
}

TEST_F(FtpClient, OtherRequestsWaitForAnOpenFile)
{
    Client c(server);
    std::unique_ptr<CInternetFile> f(c.connection->OpenFile("busy.txt", GENERIC_WRITE));
    f->Write("abc", 3);
    EXPECT_FALSE(c.connection->CreateDirectory("/meanwhile"));
    EXPECT_EQ(c.connection->GetLastError(), DWORD(ERROR_FTP_TRANSFER_IN_PROGRESS));
    EXPECT_THROW(std::unique_ptr<CInternetFile>(c.connection->OpenFile("second.txt", GENERIC_WRITE)),
                 CInternetException);
    f->Close();
    EXPECT_EQ(ReadDisk(server.LocalPath("busy.txt")), "abc");
    EXPECT_TRUE(c.connection->CreateDirectory("/meanwhile"));
}

TEST_F(FtpClient, AbortedUploadDoesNotCountAsDone)
{
    Client c(server);
    {
        std::unique_ptr<CInternetFile> f(c.connection->OpenFile("dropped.bin", GENERIC_WRITE));
        QByteArray data = RandomBytes(40000, 1);
        f->Write(data.constData(), 16384);
        f->Abort();
        EXPECT_FALSE(f->IsOpen());
    }
    // The next request works on a fresh login.
    Upload(*c.connection, "next.bin", "next");
    EXPECT_EQ(ReadDisk(server.LocalPath("next.bin")), "next");
}

// The folder the listing tests read: a file with a blank, one with a set time, one beyond
// 4 GB (sparse) for the 64-bit size, and a sub-folder.
void FillPub(const FtpServer& s, const QDateTime& when)
{
    QDir(s.Root()).mkpath("pub/docs");
    WriteDisk(s.LocalPath("pub/a file.txt"), "12345");
    WriteDisk(s.LocalPath("pub/b.htm"), QByteArray(70000, 'b'));
    QFile big(s.LocalPath("pub/big.iso"));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    ASSERT_TRUE(big.resize(5LL * 1024 * 1024 * 1024 + 3));
    QFile f(s.LocalPath("pub/b.htm"));
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(when, QFileDevice::FileModificationTime));
}

TEST_F(FtpClient, FindListsNamesSizesTimesAndFolders)
{
    QDateTime when(QDate(2021, 3, 4), QTime(5, 6, 7), Qt::UTC);
    for (bool mlsd : {true, false}) {
        SCOPED_TRACE(mlsd ? "MLSD" : "LIST");
        FtpServerOptions options;
        options.noMlsd = !mlsd;
        FtpServer s(options);
        ASSERT_TRUE(s.Start()) << s.Error().toStdString();
        FillPub(s, when);
        Client c(s);
        CFtpFileFind find(c.connection.get());
        struct Seen {
            std::uint64_t size;
            bool dir;
            std::time_t time;
            CString path;
        };
        std::map<std::string, Seen> seen;
        BOOL more = find.FindFile("/pub/*");
        ASSERT_TRUE(more) << find.GetLastError();
        while (more) {
            more = find.FindNextFile();
            seen[find.GetFileName().str()] = {find.GetLength(), bool(find.IsDirectory()), find.GetLastWriteTime(),
                                              find.GetFilePath()};
        }
        ASSERT_EQ(seen.size(), 4u);
        EXPECT_EQ(seen["a file.txt"].size, 5u);
        EXPECT_FALSE(seen["a file.txt"].dir);
        EXPECT_EQ(seen["a file.txt"].path, "/pub/a file.txt");
        EXPECT_EQ(seen["b.htm"].size, 70000u);
        EXPECT_EQ(seen["big.iso"].size, 5ull * 1024 * 1024 * 1024 + 3);
        EXPECT_TRUE(seen["docs"].dir);
        EXPECT_EQ(seen["docs"].path, "/pub/docs");
        // LIST shows older dates without the time of day.
        std::time_t expected = mlsd ? when.toSecsSinceEpoch() : QDateTime(QDate(2021, 3, 4), QTime(0, 0), Qt::UTC).toSecsSinceEpoch();
        EXPECT_EQ(seen["b.htm"].time, expected);

        // A mask, an exact name and an empty folder.
        more = find.FindFile("/pub/*.htm");
        ASSERT_TRUE(more);
        more = find.FindNextFile();
        EXPECT_FALSE(more);
        EXPECT_EQ(find.GetFileName(), "b.htm");
        EXPECT_TRUE(find.FindFile("/pub/a file.txt"));
        EXPECT_FALSE(find.FindFile("/pub/docs/*"));
        EXPECT_EQ(find.GetLastError(), DWORD(ERROR_NO_MORE_FILES));
        EXPECT_FALSE(find.FindFile("/missing/*"));
        EXPECT_NE(find.GetLastError(), DWORD(ERROR_NO_MORE_FILES));
    }
}

TEST_F(FtpClient, HostileNamesAreListedAsSentButNotSafe)
{
    FtpServerOptions options;
    options.hostileNames = true;
    FtpServer hostile(options);
    ASSERT_TRUE(hostile.Start()) << hostile.Error().toStdString();
    WriteDisk(hostile.LocalPath("plain.txt"), "x");
    Client c(hostile);
    CFtpFileFind find(c.connection.get());
    BOOL more = find.FindFile("*");
    std::map<std::string, bool> safe;
    while (more) {
        more = find.FindNextFile();
        safe[find.GetFileName().str()] = IsSafeFtpName(find.GetFileName());
    }
    EXPECT_EQ(safe.size(), 5u);
    EXPECT_TRUE(safe["plain.txt"]);
    EXPECT_FALSE(safe.at("../escape.txt"));
    EXPECT_FALSE(safe.at("sub/inner.txt"));
    EXPECT_FALSE(safe.at("..\\win.txt"));
    EXPECT_FALSE(safe.at("../updir"));
}

TEST_F(FtpClient, LoginFolderElsewhereThanRoot)
{
    FtpServerOptions options;
    options.loginDir = "/home/site";
    FtpServer s(options);
    ASSERT_TRUE(s.Start()) << s.Error().toStdString();
    Client c(s);
    CString dir;
    ASSERT_TRUE(c.connection->GetCurrentDirectory(dir));
    EXPECT_EQ(dir, "/home/site");
    // Relative paths are taken from the login folder, absolute ones from the root.
    Upload(*c.connection, "relative.txt", "r");
    Upload(*c.connection, "/absolute.txt", "a");
    EXPECT_EQ(ReadDisk(s.LocalPath("home/site/relative.txt")), "r");
    EXPECT_EQ(ReadDisk(s.LocalPath("absolute.txt")), "a");
    CFtpFileFind find(c.connection.get());
    ASSERT_TRUE(find.FindFile("*"));
    find.FindNextFile();
    EXPECT_EQ(find.GetFilePath(), "/home/site/relative.txt");
}

TEST_F(FtpClient, ServerRefusingAFileAtTheEndFailsTheClose)
{
    FtpServerOptions options;
    options.refuseUpload = {"refused.html"};
    FtpServer s(options);
    ASSERT_TRUE(s.Start()) << s.Error().toStdString();
    Client c(s);
    QByteArray data = RandomBytes(40000, 9);
    std::unique_ptr<CInternetFile> f(c.connection->OpenFile("refused.html", GENERIC_WRITE));
    f->Write(data.constData(), 16384);
    f->Write(data.constData() + 16384, 16384);
    f->Write(data.constData() + 32768, UINT(data.size() - 32768));
    try {
        f->Close();
        FAIL() << "a refused file was reported as stored";
    } catch (const CInternetException& e) {
        EXPECT_EQ(e.m_dwError, DWORD(ERROR_INTERNET_EXTENDED_ERROR));
        EXPECT_NE(e.GetErrorMessage().Find("550"), -1) << e.GetErrorMessage().GetString();
    }
    EXPECT_FALSE(QFile::exists(s.LocalPath("refused.html")));
    Upload(*c.connection, "accepted.html", data);
    EXPECT_EQ(ReadDisk(s.LocalPath("accepted.html")), data);
}

TEST_F(FtpClient, ServerRefusingAFolder)
{
    FtpServerOptions options;
    options.refuseMkdir = {"images"};
    FtpServer s(options);
    ASSERT_TRUE(s.Start()) << s.Error().toStdString();
    Client c(s);
    EXPECT_FALSE(c.connection->CreateDirectory("/images"));
    EXPECT_EQ(c.connection->GetLastError(), DWORD(ERROR_INTERNET_EXTENDED_ERROR));
    EXPECT_FALSE(QFileInfo::exists(s.LocalPath("images")));
    EXPECT_TRUE(c.connection->CreateDirectory("/pages"));
}

TEST_F(FtpClient, DroppedConnectionInTheMiddleOfATransfer)
{
    FtpServerOptions options;
    options.disconnectAfter = 100000;
    FtpServer s(options);
    ASSERT_TRUE(s.Start()) << s.Error().toStdString();
    Client c(s);
    QByteArray data = RandomBytes(1000000, 5);
    bool thrown = false;
    try {
        Upload(*c.connection, "big.bin", data);
    } catch (const CInternetException& e) {
        thrown = true;
        EXPECT_TRUE(e.m_dwError == ERROR_INTERNET_CONNECTION_ABORTED || e.m_dwError == ERROR_INTERNET_TIMEOUT)
            << e.m_dwError;
    }
    EXPECT_TRUE(thrown) << "a cut upload was reported as stored";

    WriteDisk(s.LocalPath("down.bin"), data);
    EXPECT_THROW(Download(*c.connection, "down.bin"), CInternetException);
    // The connection logs in again for the next request.
    CString dir;
    EXPECT_TRUE(c.connection->GetCurrentDirectory(dir));
    Upload(*c.connection, "small.bin", "small");
    EXPECT_EQ(ReadDisk(s.LocalPath("small.bin")), "small");
}

TEST_F(FtpClient, ConnectionFailuresCarryTheirErrorCodes)
{
    CInternetSession session("tessel-test");
    session.SetTimeouts(5000, 5000);
    // Wrong password.
    try {
        std::unique_ptr<CFtpConnection> c(
            session.GetFtpConnection("127.0.0.1", FtpServer::kUser, "wrong-Pa55", server.Port(), TRUE));
        FAIL() << "logged in with a wrong password";
    } catch (const CInternetException& e) {
        EXPECT_EQ(e.m_dwError, DWORD(ERROR_INTERNET_INCORRECT_PASSWORD));
        EXPECT_EQ(e.GetErrorMessage().Find("wrong-Pa55"), -1);
    }
    // No server on a port that was free a moment ago.
    int freePort = testsupport::FreeLoopbackPort();
    ASSERT_GT(freePort, 0);
    try {
        std::unique_ptr<CFtpConnection> c(
            session.GetFtpConnection("127.0.0.1", FtpServer::kUser, FtpServer::kPassword, freePort, TRUE));
        FAIL() << "connected to nothing";
    } catch (const CInternetException& e) {
        EXPECT_EQ(e.m_dwError, DWORD(ERROR_INTERNET_CANNOT_CONNECT));
    }
    // A name no resolver will look up (its first label is longer than 63 characters), so the
    // failure comes without any query leaving the machine.
    const std::string unresolvable = std::string(64, 'a') + ".test";
    try {
        std::unique_ptr<CFtpConnection> c(
            session.GetFtpConnection(unresolvable.c_str(), FtpServer::kUser, FtpServer::kPassword, 21, TRUE));
        FAIL() << "resolved an impossible name";
    } catch (const CInternetException& e) {
        EXPECT_EQ(e.m_dwError, DWORD(ERROR_INTERNET_NAME_NOT_RESOLVED));
    }
    // Names that could smuggle a user or a path into the address.
    for (const char* bad : {"", "user@127.0.0.1", "127.0.0.1/x", "host name", "a\r\nb"}) {
        SCOPED_TRACE(bad);
        try {
            std::unique_ptr<CFtpConnection> c(session.GetFtpConnection(bad, "u", "p", server.Port(), TRUE));
            FAIL();
        } catch (const CInternetException& e) {
            EXPECT_EQ(e.m_dwError, DWORD(ERROR_INTERNET_INVALID_URL));
        }
    }
}

TEST_F(FtpClient, CommandsRefuseLineBreaksInPaths)
{
    Client c(server);
    EXPECT_FALSE(c.connection->CreateDirectory("/a\r\nDELE b"));
    EXPECT_EQ(c.connection->GetLastError(), DWORD(ERROR_INTERNET_INVALID_URL));
    EXPECT_THROW(std::unique_ptr<CInternetFile>(c.connection->OpenFile("x\nSTOR y", GENERIC_WRITE)),
                 CInternetException);
}

TEST_F(FtpClient, ClosedConnectionRefusesWork)
{
    Client c(server);
    c.connection->Close();
    EXPECT_FALSE(c.connection->IsOpen());
    CString dir;
    EXPECT_FALSE(c.connection->GetCurrentDirectory(dir));
    EXPECT_EQ(c.connection->GetLastError(), DWORD(ERROR_FTP_DROPPED));
    EXPECT_THROW(std::unique_ptr<CInternetFile>(c.connection->OpenFile("x", GENERIC_WRITE)), CInternetException);
}

TEST_F(FtpClient, FileOutlivingItsConnectionFailsCleanly)
{
    auto c = std::make_unique<Client>(server);
    std::unique_ptr<CInternetFile> up(c->connection->OpenFile("orphan.txt", GENERIC_WRITE));
    up->Write("abc", 3);
    c.reset();
    EXPECT_THROW(up->Write("def", 3), CInternetException);
    EXPECT_NO_THROW(up->Close());
    EXPECT_FALSE(up->IsOpen());

    Client d(server);
    WriteDisk(server.LocalPath("source.txt"), "source");
    std::unique_ptr<CInternetFile> down(d.connection->OpenFile("source.txt", GENERIC_READ));
    d.connection.reset();
    char buf[16];
    EXPECT_THROW(down->Read(buf, sizeof buf), CInternetException);
}
