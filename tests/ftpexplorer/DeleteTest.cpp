// Deleting the selection on the server and on the local disk.
#include "framework/core/MessageBox.h"
#include "ftpexplorer/History.h"
#include "ftpexplorer/VFDocData.h"
#include "support/FtpServer.h"
#include <gtest/gtest.h>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>

using testsupport::FtpServer;
using testsupport::FtpServerOptions;

namespace {

void WriteDisk(const QString& path, const QByteArray& data)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(data);
}

CFileEntry Entry(const QString& path, int kind)
{
    CFileEntry e;
    e.m_strPath = CString::FromQString(path);
    e.m_strName = e.m_strPath.Mid(e.m_strPath.ReverseFind('/') + 1);
    e.m_nKind = kind;
    return e;
}

std::vector<CString> Logged(int icon)
{
    std::vector<CString> out;
    for (const CHistoryEvent& e : GetHistoryEvents())
        if (e.m_nIcon == icon)
            out.push_back(e.m_strDescription);
    return out;
}

class Deleting : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearHistoryEvents();
        m_previous = SetMessageBoxHandler([this](const CString& text, const CString&, unsigned type) {
            m_boxes.emplace_back(text, type);
            return m_answer;
        });
        ASSERT_TRUE(m_local.isValid());
    }
    void TearDown() override
    {
        SetMessageBoxHandler(m_previous);
        ClearHistoryEvents();
    }
    void ConnectTo(const FtpServer& server)
    {
        m_doc.m_session.SetTimeouts(5000, 10000);
        m_doc.m_strHost = "127.0.0.1";
        m_doc.m_strUser = FtpServer::kUser;
        m_doc.m_strPassword = FtpServer::kPassword;
        m_doc.m_nPort = server.Port();
        ASSERT_EQ(m_doc.Connect(), 1);
        ClearHistoryEvents();
    }

    CVFDocData m_doc;
    QTemporaryDir m_local;
    std::vector<std::pair<CString, unsigned>> m_boxes;
    int m_answer = IDOK;
    MessageBoxHandler m_previous;
};

} // namespace

TEST_F(Deleting, RemoteFoldersGoWithTheirContentsFirst)
{
    FtpServer server;
    ASSERT_TRUE(server.Start()) << server.Error().toStdString();
    WriteDisk(server.LocalPath("site/index.html"), "i");
    WriteDisk(server.LocalPath("site/img/a.png"), "a");
    QDir(server.Root()).mkpath("site/empty");
    WriteDisk(server.LocalPath("keep.txt"), "k");
    WriteDisk(server.LocalPath("lone.txt"), "l");
    ConnectTo(server);
    EXPECT_TRUE(m_doc.IsRemoteFolderEmpty("/site/empty"));
    EXPECT_FALSE(m_doc.IsRemoteFolderEmpty("/site"));

    CFileEntry site = Entry("/site", CFileEntry::folder);
    CFileEntry lone = Entry("/lone.txt", CFileEntry::file);
    m_doc.m_selection = {&site, &lone};
    EXPECT_TRUE(m_doc.DeleteRemoteSelection());
    EXPECT_TRUE(m_doc.m_selection.empty());
    EXPECT_FALSE(QFileInfo::exists(server.LocalPath("site")));
    EXPECT_FALSE(QFileInfo::exists(server.LocalPath("lone.txt")));
    EXPECT_TRUE(QFileInfo::exists(server.LocalPath("keep.txt")));
    // Every folder after its contents (the order within a folder is the server's), the
    // entry that followed the folder last.
    std::vector<CString> order = Logged(HISTORY_DELETED);
    ASSERT_EQ(order.size(), 6u);
    auto at = [&order](const char* path) { return std::find(order.begin(), order.end(), CString(path)) - order.begin(); };
    EXPECT_LT(at("/site/img/a.png"), at("/site/img"));
    EXPECT_LT(at("/site/img"), at("/site"));
    EXPECT_LT(at("/site/index.html"), at("/site"));
    EXPECT_LT(at("/site/empty"), at("/site"));
    EXPECT_EQ(at("/lone.txt"), 5);
    EXPECT_TRUE(m_boxes.empty());
}

TEST_F(Deleting, RemoteFailureStopsLogsAndShows)
{
    FtpServer server;
    ASSERT_TRUE(server.Start()) << server.Error().toStdString();
    WriteDisk(server.LocalPath("b.txt"), "b");
    ConnectTo(server);
    CFileEntry missing = Entry("/missing.txt", CFileEntry::file);
    CFileEntry b = Entry("/b.txt", CFileEntry::file);
    m_doc.m_selection = {&missing, &b};
    EXPECT_FALSE(m_doc.DeleteRemoteSelection());
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0].first, "Can't delete: missing.txt");
    EXPECT_EQ(m_boxes[0].second & MB_ICONERROR, unsigned(MB_ICONERROR));
    EXPECT_EQ(Logged(HISTORY_ERROR), std::vector<CString> {"/missing.txt"});
    EXPECT_TRUE(QFileInfo::exists(server.LocalPath("b.txt"))) << "went on after the failure";
}

TEST_F(Deleting, HostileRemoteNamesNeverReachOutsideTheFolder)
{
    FtpServerOptions options;
    options.hostileNames = true;
    FtpServer server(options);
    ASSERT_TRUE(server.Start()) << server.Error().toStdString();
    // What "../escape.txt" and "../updir" would name from inside /files.
    WriteDisk(server.LocalPath("escape.txt"), "outside");
    QDir(server.Root()).mkpath("updir");
    WriteDisk(server.LocalPath("files/good.txt"), "g");
    ConnectTo(server);
    CFileEntry files = Entry("/files", CFileEntry::folder);
    m_doc.m_selection = {&files};
    EXPECT_TRUE(m_doc.DeleteRemoteSelection());
    EXPECT_FALSE(QFileInfo::exists(server.LocalPath("files")));
    EXPECT_TRUE(QFileInfo::exists(server.LocalPath("escape.txt")));
    EXPECT_TRUE(QFileInfo::exists(server.LocalPath("updir")));
    EXPECT_FALSE(Logged(HISTORY_ERROR).empty());
}

TEST_F(Deleting, LocalTreeGoesButLinksAreNotFollowed)
{
    QString tree = m_local.filePath("tree");
    WriteDisk(tree + "/a.txt", "a");
    WriteDisk(tree + "/sub/b.txt", "b");
    WriteDisk(m_local.filePath("outside/precious.txt"), "p");
    ASSERT_TRUE(QFile::link(m_local.filePath("outside"), tree + "/sub/link-to-outside"));
    ASSERT_TRUE(QFile::link(m_local.filePath("outside/precious.txt"), tree + "/file-link"));
    CFileEntry entry = Entry(tree, CFileEntry::folder);

    // Cancel leaves everything, selection included.
    m_answer = IDCANCEL;
    m_doc.m_selection = {&entry};
    EXPECT_FALSE(m_doc.DeleteLocalSelection());
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0].first, "Delete tree?");
    EXPECT_EQ(m_boxes[0].second, unsigned(MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2));
    EXPECT_EQ(m_doc.m_selection.size(), 1u);
    EXPECT_TRUE(QFileInfo::exists(tree + "/a.txt"));

    m_answer = IDOK;
    EXPECT_TRUE(m_doc.DeleteLocalSelection());
    EXPECT_FALSE(QFileInfo::exists(tree));
    EXPECT_EQ(Logged(HISTORY_DELETED).size(), 6u);
    QFile precious(m_local.filePath("outside/precious.txt"));
    ASSERT_TRUE(precious.open(QIODevice::ReadOnly));
    EXPECT_EQ(precious.readAll(), "p");
}

TEST_F(Deleting, LocalQuestionCountsItemsAndFailuresStop)
{
    WriteDisk(m_local.filePath("one.txt"), "1");
    CFileEntry missing = Entry(m_local.filePath("missing.txt"), CFileEntry::file);
    CFileEntry one = Entry(m_local.filePath("one.txt"), CFileEntry::file);
    CFileEntry up;
    up.m_strName = "..";
    up.m_nKind = CFileEntry::parent;
    m_doc.m_selection = {&up, &missing, &one};
    EXPECT_FALSE(m_doc.DeleteLocalSelection());
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0].first, "Delete 3 item(s)?");
    ASSERT_EQ(GetHistoryEvents().size(), 1u);
    EXPECT_EQ(GetHistoryEvents()[0].m_strEvent, "Can't remove: missing.txt");
    EXPECT_TRUE(QFileInfo::exists(m_local.filePath("one.txt")));
}
