// Drag and drop: entries between the panes of one or two windows, and files from other
// programs onto the server pane. A drop on a window's server pane always goes through that
// window's connection.
#include "ExplorerFixture.h"

#include <QtCore/QMimeData>
#include <QtCore/QUrl>
#include <QtGui/QDropEvent>

using namespace ftpxtest;
using testsupport::RandomBytes;

class Dropping : public ExplorerTest {
protected:
    // Drops data on a pane as the desktop would deliver it, then lets the transfer run.
    void DropOn(CFileListView* pane, const QMimeData& data)
    {
        QWidget* viewport = pane->List()->viewport();
        QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &enter);
        QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &drop);
        Pump(100);
    }
};

TEST_F(Dropping, LocalEntriesDroppedOnAnotherWindowGoThroughItsConnection)
{
    auto& first = StartServer();
    auto& second = StartServer();
    const QString diskA = m_work.path() + "/a", diskB = m_work.path() + "/b";
    ASSERT_TRUE(WriteFile(diskA + "/up.bin", RandomBytes(20000, 1)));
    ASSERT_TRUE(WriteFile(diskA + "/folder/in.txt", "inside"));
    ASSERT_TRUE(QDir().mkpath(diskB));
    ASSERT_TRUE(QDir().mkpath(second.LocalPath("incoming")));
    CVFDoc* a = OpenWindow(&first, diskA, "/", QStringLiteral("a.ftp"));
    CVFDoc* b = OpenWindow(&second, diskB, "/incoming/", QStringLiteral("b.ftp"));
    ASSERT_TRUE(a && b && a->m_pConnection && b->m_pConnection);

    a->m_pLocalView->SelectNames({"up.bin", "folder"});
    std::unique_ptr<QMimeData> data = a->m_pLocalView->MakeDragData();
    EXPECT_TRUE(b->m_pRemoteView->CanAcceptDrop(data.get()));
    EXPECT_FALSE(b->m_pLocalView->CanAcceptDrop(data.get())); // local to local is no transfer
    DropOn(b->m_pRemoteView, *data);

    EXPECT_EQ(ReadFile(second.LocalPath("incoming/up.bin")), ReadFile(diskA + "/up.bin"));
    EXPECT_EQ(ReadFile(second.LocalPath("incoming/folder/in.txt")), QByteArray("inside"));
    EXPECT_TRUE(Tree(first.Root()).empty()); // nothing went to the dragging window's server
    EXPECT_EQ(Names(b->m_pRemoteView), QStringList({"..", "folder", "up.bin"}));
    EXPECT_TRUE(a->m_selection.empty());
    EXPECT_TRUE(b->m_selection.empty());
}

TEST_F(Dropping, ServerEntriesDroppedOnALocalPaneComeDownIntoItsFolder)
{
    auto& server = StartServer();
    ASSERT_TRUE(WriteFile(server.LocalPath("pub/down.bin"), RandomBytes(33000, 2)));
    const QString diskA = m_work.path() + "/a", diskB = m_work.path() + "/b";
    ASSERT_TRUE(QDir().mkpath(diskA));
    ASSERT_TRUE(QDir().mkpath(diskB));
    CVFDoc* a = OpenWindow(&server, diskA, "/pub/", QStringLiteral("a.ftp"));
    CVFDoc* b = OpenWindow(nullptr, diskB, "", QStringLiteral("b.ftp"));
    ASSERT_TRUE(a && b && a->m_pConnection);
    a->m_pRemoteView->SelectNames({"down.bin"});
    std::unique_ptr<QMimeData> data = a->m_pRemoteView->MakeDragData();
    DropOn(b->m_pLocalView, *data);
    EXPECT_EQ(ReadFile(diskB + "/down.bin"), ReadFile(server.LocalPath("pub/down.bin")));
    EXPECT_FALSE(QFile::exists(diskA + "/down.bin"));
    EXPECT_TRUE(Names(b->m_pLocalView).contains("down.bin"));
}

TEST_F(Dropping, ServerPaneWithoutWorkingConnectionRefusesTheDrop)
{
    auto& server = StartServer();
    const QString disk = m_work.path() + "/a";
    ASSERT_TRUE(WriteFile(disk + "/up.bin", "data"));
    CVFDoc* a = OpenWindow(&server, disk, "/");
    ASSERT_TRUE(a && a->m_pConnection);
    a->m_pLocalView->SelectNames({"up.bin"});
    std::unique_ptr<QMimeData> data = a->m_pLocalView->MakeDragData();

    // Disconnected: the pane is disabled and takes no drop.
    ASSERT_TRUE(Command(a->m_pRemoteView, ID_FTP_DISCONNECT));
    m_messages.clear();
    DropOn(a->m_pRemoteView, *data);
    EXPECT_TRUE(m_dialogs.empty());

    // Connected, but the server went away: refused with a message, no transfer started.
    ASSERT_TRUE(Command(a->m_pRemoteView, ID_FTP_CONNECT));
    ASSERT_TRUE(a->m_pRemoteView->isEnabled());
    server.Stop();
    m_messages.clear();
    a->m_pLocalView->SelectNames({"up.bin"});
    DropOn(a->m_pRemoteView, *data);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text, CString("You have to connect to the server to upload files."));
    EXPECT_TRUE(m_dialogs.empty());
    EXPECT_TRUE(Tree(server.Root()).empty());
}

TEST_F(Dropping, FilesFromOtherProgramsUploadToTheServerPaneOnly)
{
    auto& server = StartServer();
    const QString outside = m_work.path() + "/elsewhere";
    ASSERT_TRUE(WriteFile(outside + "/photo.jpg", RandomBytes(50000, 4)));
    ASSERT_TRUE(WriteFile(outside + "/album/one.txt", "one"));
    ASSERT_TRUE(QDir().mkpath(m_work.path() + "/disk"));
    CVFDoc* doc = OpenWindow(&server, m_work.path() + "/disk", "/");
    ASSERT_TRUE(doc && doc->m_pConnection);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(outside + "/photo.jpg"), QUrl::fromLocalFile(outside + "/album")});
    EXPECT_FALSE(doc->m_pLocalView->CanAcceptDrop(&data));
    DropOn(doc->m_pLocalView, data);
    EXPECT_TRUE(Tree(server.Root()).empty());
    EXPECT_TRUE(Tree(m_work.path() + "/disk").empty());
    DropOn(doc->m_pRemoteView, data);
    EXPECT_EQ(Tree(server.Root()), Tree(outside));
    EXPECT_TRUE(doc->m_selection.empty());
}
