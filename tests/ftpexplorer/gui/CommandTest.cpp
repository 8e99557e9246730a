// The panes' commands against the test server: folder trees up and down byte for byte,
// refused transfers, rename, create folder and delete on both sides.
#include "ExplorerFixture.h"

#include <QtWidgets/QProgressBar>

using namespace ftpxtest;
using testsupport::FtpServerOptions;
using testsupport::RandomBytes;

namespace {

// A tree with an empty file, a file of several blocks and a sub-folder.
void MakeTree(const QString& root)
{
    ASSERT_TRUE(WriteFile(root + "/tree/empty.txt", QByteArray()));
    ASSERT_TRUE(WriteFile(root + "/tree/big.bin", RandomBytes(3 * 16384 + 123, 7)));
    ASSERT_TRUE(WriteFile(root + "/tree/sub/small.bin", RandomBytes(999, 8)));
    ASSERT_TRUE(QDir().mkpath(root + "/tree/sub/emptydir"));
}

} // namespace

class Commands : public ExplorerTest {};

TEST_F(Commands, FolderTreeGoesUpAndComesBackByteEqual)
{
    auto& server = StartServer();
    const QString disk = m_work.path() + "/disk";
    MakeTree(disk);
    ASSERT_TRUE(WriteFile(disk + "/single.bin", RandomBytes(40000, 9)));
    CVFDoc* doc = OpenWindow(&server, disk, "/");
    ASSERT_NE(doc, nullptr);
    ASSERT_TRUE(doc->m_pConnection);

    doc->m_pLocalView->SelectNames({"tree", "single.bin"});
    ASSERT_TRUE(Command(doc->m_pLocalView, ID_FTP_UPLOAD));
    EXPECT_EQ(Tree(server.Root()), Tree(disk));
    EXPECT_TRUE(Logged("Uploaded: big.bin", HISTORY_UPLOADED));
    EXPECT_TRUE(Logged("Uploaded: empty.txt", HISTORY_UPLOADED));
    EXPECT_TRUE(Logged("Creating Remote Folder", HISTORY_FOLDER));
    EXPECT_TRUE(m_messages.empty());
    EXPECT_TRUE(doc->m_selection.empty());
    // The server pane was listed again.
    EXPECT_EQ(Names(doc->m_pRemoteView), QStringList({"tree", "single.bin"}));

    // Down again into another folder of the local pane.
    const QString back = m_work.path() + "/back";
    ASSERT_TRUE(QDir().mkpath(back));
    doc->m_pLocalView->SetPath(Str(back));
    doc->m_pLocalView->RefreshLocalList();
    doc->m_pRemoteView->SelectNames({"tree", "single.bin"});
    ASSERT_TRUE(Command(doc->m_pRemoteView, ID_FTP_DOWNLOAD));
    EXPECT_EQ(Tree(back), Tree(disk));
    EXPECT_TRUE(Logged("Downloaded: small.bin", HISTORY_DOWNLOADED));
    EXPECT_TRUE(Logged("Creating Local Folder", HISTORY_FOLDER));
    EXPECT_EQ(Names(doc->m_pLocalView), QStringList({"..", "tree", "single.bin"}));
    EXPECT_EQ(m_dialogs, std::vector<CString>({"File Upload", "File Download"}));
}

TEST_F(Commands, RefusedUploadIsLoggedAsFailureNotSuccess)
{
    FtpServerOptions options;
    options.refuseUpload = QStringList {QStringLiteral("bad.bin")};
    auto& server = StartServer(options);
    const QString disk = m_work.path() + "/disk";
    ASSERT_TRUE(WriteFile(disk + "/bad.bin", RandomBytes(20000, 3)));
    CVFDoc* doc = OpenWindow(&server, disk, "/");
    ASSERT_NE(doc, nullptr);
    doc->m_pLocalView->SelectNames({"bad.bin"});
    ASSERT_TRUE(Command(doc->m_pLocalView, ID_FTP_UPLOAD));
    EXPECT_FALSE(Logged("Uploaded: bad.bin", HISTORY_UPLOADED));
    EXPECT_TRUE(Logged("Failed:bad.bin", HISTORY_ERROR));
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text, CString("Error writing remote file /bad.bin"));
    EXPECT_EQ(m_messages[0].type & MB_ICONERROR, unsigned(MB_ICONERROR));
}

TEST_F(Commands, RemoteRenameCreateAndDeleteTree)
{
    auto& server = StartServer();
    ASSERT_TRUE(WriteFile(server.LocalPath("old.txt"), "content"));
    ASSERT_TRUE(WriteFile(server.LocalPath("dir/sub/deep.txt"), "deep"));
    ASSERT_TRUE(WriteFile(server.LocalPath("dir/top.txt"), "top"));
    CVFDoc* doc = OpenWindow(&server, m_work.path(), "/");
    ASSERT_NE(doc, nullptr);
    CFtpView* remote = doc->m_pRemoteView;

    // Rename: refused names keep the dialog open, a good one renames on the server.
    remote->SelectNames({"old.txt"});
    m_typedName = "bad/name";
    ASSERT_TRUE(Command(remote, ID_FTP_RENAME));
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text, CString("File names can not contain characters like / \\ : ? \" < > | *"));
    EXPECT_TRUE(QFile::exists(server.LocalPath("old.txt")));
    m_typedName = "new.txt";
    ASSERT_TRUE(Command(remote, ID_FTP_RENAME));
    EXPECT_FALSE(QFile::exists(server.LocalPath("old.txt")));
    EXPECT_EQ(ReadFile(server.LocalPath("new.txt")), QByteArray("content"));
    ASSERT_EQ(remote->SelectedEntries().size(), 1u);
    EXPECT_EQ(remote->SelectedEntries()[0]->m_strPath, CString("/new.txt"));
    EXPECT_EQ(remote->List()->selectedItems().at(0)->text(0), QStringLiteral("new.txt"));

    // Create folder: the location names host and folder.
    m_typedName = "made";
    ASSERT_TRUE(Command(remote, ID_FTP_CREATE_FOLDER));
    EXPECT_EQ(m_shownLocation, CString("127.0.0.1/"));
    EXPECT_TRUE(QFileInfo(server.LocalPath("made")).isDir());
    EXPECT_TRUE(Names(remote).contains("made"));

    // Delete a folder with contents: the folder question, then deepest first.
    m_messages.clear();
    ClearHistoryEvents();
    remote->SelectNames({"dir"});
    ASSERT_TRUE(Command(remote, ID_FTP_DELETE));
    ASSERT_FALSE(m_messages.empty());
    EXPECT_EQ(m_messages[0].text, CString("Folder(s) contain files. This action can not be undone. Do you want to "
                                          "delete selected folder(s)?"));
    EXPECT_FALSE(QFileInfo::exists(server.LocalPath("dir")));
    std::vector<CString> events = Events();
    auto at = [&](const char* e) { return std::find(events.begin(), events.end(), CString(e)) - events.begin(); };
    ASSERT_LT(at("Deleted: deep.txt"), std::ptrdiff_t(events.size()));
    EXPECT_LT(at("Deleted: deep.txt"), at("Deleted: sub"));
    EXPECT_LT(at("Deleted: sub"), at("Deleted: dir"));
    EXPECT_LT(at("Deleted: top.txt"), at("Deleted: dir"));
    EXPECT_FALSE(Names(remote).contains("dir"));

    // A single file asks by name; Cancel keeps it.
    m_messages.clear();
    m_boxAnswer = IDCANCEL;
    remote->SelectNames({"new.txt"});
    ASSERT_TRUE(Command(remote, ID_FTP_DELETE));
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text, CString("Delete new.txt?"));
    EXPECT_TRUE(QFile::exists(server.LocalPath("new.txt")));
}

TEST_F(Commands, LocalRenameNeverReplacesAndDeleteRemovesTrees)
{
    const QString disk = m_work.path() + "/disk";
    ASSERT_TRUE(WriteFile(disk + "/a.txt", "A"));
    ASSERT_TRUE(WriteFile(disk + "/b.txt", "B"));
    ASSERT_TRUE(WriteFile(disk + "/gone/inner/x.txt", "x"));
    const QString outside = m_work.path() + "/outside";
    ASSERT_TRUE(WriteFile(outside + "/keep.txt", "keep"));
    ASSERT_TRUE(QFile::link(outside, disk + "/gone/link"));
    CVFDoc* doc = OpenWindow(nullptr, disk);
    ASSERT_NE(doc, nullptr);
    m_messages.clear();
    CLocalView* local = doc->m_pLocalView;

    struct Case {
        const char* typed;
        bool renamed;
        const char* message; // start of the message shown, "" for none
    } cases[] = {
        {"b.txt", false, "Can't rename file "},                  // an existing name is never replaced
        {"", false, "Please specify the new name of the file."}, // refused by the dialog
        {"a.txt", false, ""},                                    // the same name changes nothing
        {"c.txt", true, ""},
    };
    for (const Case& c : cases) {
        m_messages.clear();
        local->SelectNames({"a.txt"});
        m_typedName = c.typed;
        ASSERT_TRUE(Command(local, ID_FTP_RENAME)) << c.typed;
        EXPECT_EQ(QFile::exists(disk + "/c.txt"), c.renamed) << c.typed;
        EXPECT_EQ(ReadFile(disk + "/b.txt"), QByteArray("B")) << c.typed;
        if (*c.message) {
            ASSERT_EQ(m_messages.size(), 1u) << c.typed;
            EXPECT_EQ(m_messages[0].text.Find(c.message), 0) << m_messages[0].text.GetString();
        } else {
            EXPECT_TRUE(m_messages.empty()) << c.typed;
        }
        if (c.renamed)
            break;
    }
    EXPECT_TRUE(Names(local).contains("c.txt"));

    // Create a folder, then delete it with the tree: the link goes, its target stays.
    m_typedName = "newdir";
    ASSERT_TRUE(Command(local, ID_FTP_CREATE_FOLDER));
    EXPECT_TRUE(QFileInfo(disk + "/newdir").isDir());
    EXPECT_TRUE(Names(local).contains("newdir"));
    m_messages.clear();
    local->SelectNames({"gone", "newdir"});
    ASSERT_TRUE(Command(local, ID_FTP_DELETE));
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text, CString("Delete 2 item(s)?"));
    EXPECT_FALSE(QFileInfo::exists(disk + "/gone"));
    EXPECT_FALSE(QFileInfo::exists(disk + "/newdir"));
    EXPECT_EQ(ReadFile(outside + "/keep.txt"), QByteArray("keep"));
    EXPECT_EQ(Names(local), QStringList({"..", "b.txt", "c.txt"}));
}

class CancelledTransfer : public ExplorerTest {
protected:
    int Answer(CDialog& dlg) override
    {
        auto* transfer = dynamic_cast<CTransferDlg*>(&dlg);
        if (!transfer)
            return ExplorerTest::Answer(dlg);
        // Two blocks, then the user's Cancel.
        QDeadlineTimer until(20000);
        while (transfer->Engine().GetBytesDone() < 2 * CTransferEngine::kBlockSize && !dlg.IsEnded()
               && !until.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
        m_progressText = dlg.GetDlgItemText(IDC_FTP_PROGRESS_TEXT);
        m_countText = dlg.GetDlgItemText(IDC_FTP_COUNT_TEXT);
        m_percent = static_cast<QProgressBar*>(dlg.GetDlgItem(IDC_FTP_PROGRESS))->value();
        dlg.reject();
        return dlg.GetResult();
    }
    CString m_progressText, m_countText;
    int m_percent = -1;
};

TEST_F(CancelledTransfer, CancelKeepsThePartialFileAndLogsNothingForIt)
{
    auto& server = StartServer();
    const QString disk = m_work.path() + "/disk";
    const QByteArray big = RandomBytes(100 * 16384, 5);
    ASSERT_TRUE(WriteFile(disk + "/big.bin", big));
    ASSERT_TRUE(WriteFile(server.LocalPath("down.bin"), big));
    CVFDoc* doc = OpenWindow(&server, disk, "/");
    ASSERT_TRUE(doc && doc->m_pConnection);
    doc->m_pRemoteView->SelectNames({"down.bin"});
    ASSERT_TRUE(Command(doc->m_pRemoteView, ID_FTP_DOWNLOAD));
    const QByteArray partial = ReadFile(disk + "/down.bin");
    EXPECT_GE(partial.size(), 2 * 16384);
    EXPECT_LT(partial.size(), big.size());
    EXPECT_EQ(partial, big.left(partial.size()));
    EXPECT_FALSE(Logged("Downloaded: down.bin", HISTORY_DOWNLOADED));
    EXPECT_EQ(m_countText, CString("File 1 of 1"));
    EXPECT_EQ(m_progressText.Find("File name: down.bin\r\nFile size: 1638400\r\nBytes received: "), 0)
        << m_progressText.GetString();
    EXPECT_GE(m_percent, 2);
    EXPECT_LT(m_percent, 100);
    // The pane lists the folder again and the document's selection is empty.
    EXPECT_TRUE(Names(doc->m_pLocalView).contains("down.bin"));
    EXPECT_TRUE(doc->m_selection.empty());
    EXPECT_TRUE(doc->IsConnectionAlive());
}

TEST_F(Commands, TransferDialogRunsItsOwnModalLoop)
{
    auto& server = StartServer();
    const QString disk = m_work.path() + "/disk";
    const QByteArray bytes = RandomBytes(10 * 16384 + 5, 11);
    ASSERT_TRUE(WriteFile(disk + "/loop.bin", bytes));
    CVFDoc* doc = OpenWindow(&server, disk, "/");
    ASSERT_TRUE(doc && doc->m_pConnection);
    // No test hook: the dialog's own event loop and its 10 ms timer move the file.
    CDialog::ModalHook previous = CDialog::SetModalHook(nullptr);
    doc->m_pLocalView->SelectNames({"loop.bin"});
    const bool ran = Command(doc->m_pLocalView, ID_FTP_UPLOAD);
    CDialog::SetModalHook(previous);
    ASSERT_TRUE(ran);
    EXPECT_EQ(ReadFile(server.LocalPath("loop.bin")), bytes);
    EXPECT_TRUE(Logged("Uploaded: loop.bin", HISTORY_UPLOADED));
}

TEST_F(Commands, TargetThatCannotBeOpenedIsLoggedAndShown)
{
    auto& server = StartServer();
    ASSERT_TRUE(WriteFile(server.LocalPath("clash"), "remote bytes"));
    ASSERT_TRUE(WriteFile(server.LocalPath("zz.txt"), "later"));
    const QString disk = m_work.path() + "/disk";
    ASSERT_TRUE(QDir().mkpath(disk + "/clash")); // a folder where the file should go
    CVFDoc* doc = OpenWindow(&server, disk, "/");
    ASSERT_TRUE(doc && doc->m_pConnection);
    doc->m_pRemoteView->SelectNames({"clash", "zz.txt"});
    ASSERT_TRUE(Command(doc->m_pRemoteView, ID_FTP_DOWNLOAD));
    const CString expected = Str("Error writing local file " + disk + "/clash");
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text, expected);
    EXPECT_TRUE(Logged("Failed:clash", HISTORY_ERROR));
    EXPECT_FALSE(Logged("Downloaded: clash", HISTORY_DOWNLOADED));
    EXPECT_TRUE(QFileInfo(disk + "/clash").isDir());
    // The transfer ended there: later entries are not attempted.
    EXPECT_FALSE(QFile::exists(disk + "/zz.txt"));
}
