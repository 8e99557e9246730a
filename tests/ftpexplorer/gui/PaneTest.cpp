// The two panes: sort order, listing and folder navigation, offscreen, locally and against
// the test server.
#include "ExplorerFixture.h"

#include <QtCore/QStandardPaths>
#include <QtGui/QMouseEvent>

using namespace ftpxtest;
using testsupport::FtpServerOptions;

namespace {

CFileEntry Entry(const char* name, int kind, std::uint64_t size, std::time_t time)
{
    CFileEntry e;
    e.m_strName = name;
    e.m_strPath = kind == CFileEntry::parent ? CString("..") : CString("/x/") + name;
    e.m_nKind = kind;
    e.m_nSize = size;
    e.m_time = time;
    return e;
}

} // namespace

TEST(PaneSort, CompareEntriesFollowsEachColumnsDirection)
{
    const CFileEntry up = Entry("..", CFileEntry::parent, 0, 0);
    const CFileEntry dirB = Entry("beta", CFileEntry::folder, 0, 50);
    const CFileEntry fileA = Entry("Alpha.txt", CFileEntry::file, 10, 100);
    const CFileEntry fileA2 = Entry("alpha.TXT", CFileEntry::file, 10, 100);
    const CFileEntry fileZ = Entry("zeta.bin", CFileEntry::file, 5000000000ull, 20);
    struct Case {
        const CFileEntry* a;
        const CFileEntry* b;
        int column;
        int sign;
    } cases[] = {
        {&up, &dirB, 0, -1},    {&fileZ, &up, 1, 1},     {&up, &fileA, 2, -1},   // ".." first in every column
        {&dirB, &fileA, 0, -1}, {&fileA, &dirB, 0, 1},                          // folders before files by name
        {&fileA, &fileZ, 0, -1}, {&fileA, &fileA2, 0, 0},                        // names without case
        {&fileZ, &fileA, 1, -1}, {&fileA, &fileZ, 1, 1}, {&fileA, &fileA2, 1, 0}, // larger first (64-bit)
        {&dirB, &fileA, 1, 1},                                                 // folders (size 0) at the end
        {&fileA, &dirB, 2, -1}, {&fileZ, &fileA, 2, 1}, {&fileA, &fileA2, 2, 0}, // newer first
        {&fileA, &fileZ, 7, 0},                                                // any other column: equal
    };
    for (const Case& c : cases) {
        int r = CFileListView::CompareEntries(c.a, c.b, c.column);
        int sign = r < 0 ? -1 : (r > 0 ? 1 : 0);
        EXPECT_EQ(sign, c.sign) << c.a->m_strName.GetString() << " vs " << c.b->m_strName.GetString() << " column "
                                << c.column;
    }
}

class LocalPane : public ExplorerTest {
protected:
    void SetUp() override
    {
        ExplorerTest::SetUp();
        m_root = m_work.path() + QStringLiteral("/disk");
        ASSERT_TRUE(WriteFile(m_root + "/b-small.txt", "12"));
        ASSERT_TRUE(WriteFile(m_root + "/A-large.bin", QByteArray(5000, 'x')));
        ASSERT_TRUE(WriteFile(m_root + "/c-mid.txt", QByteArray(300, 'y')));
        ASSERT_TRUE(WriteFile(m_root + "/zdir/inner.txt", "in"));
        ASSERT_TRUE(QDir().mkpath(m_root + "/Adir"));
        m_doc = OpenWindow(nullptr, m_root);
        ASSERT_NE(m_doc, nullptr);
        m_local = m_doc->m_pLocalView;
        ASSERT_NE(m_local, nullptr);
    }
    QString m_root;
    CVFDoc* m_doc = nullptr;
    CLocalView* m_local = nullptr;
};

TEST_F(LocalPane, ListsFoldersFirstThenSortsByHeaderClick)
{
    EXPECT_EQ(Names(m_local), QStringList({"..", "Adir", "zdir", "A-large.bin", "b-small.txt", "c-mid.txt"}));
    EXPECT_EQ(m_doc->m_strLocalFolder, Str(m_root + "/"));
    // Size column: largest first, ".." stays on top, folders (size 0) fall to the end.
    m_local->List()->header()->sectionClicked(CFileListView::colSize);
    Pump();
    QStringList bySize = Names(m_local);
    EXPECT_EQ(bySize.mid(0, 4), QStringList({"..", "A-large.bin", "c-mid.txt", "b-small.txt"}));
    EXPECT_EQ(m_local->SortColumn(), int(CFileListView::colSize));
    // Size texts: bytes for files, empty for folders.
    QTreeWidgetItem* large = m_local->List()->topLevelItem(1);
    EXPECT_EQ(large->text(CFileListView::colSize), QStringLiteral("5000"));
    EXPECT_TRUE(m_local->List()->topLevelItem(5)->text(CFileListView::colSize).isEmpty());
    // A second click keeps the direction.
    m_local->List()->header()->sectionClicked(CFileListView::colSize);
    EXPECT_EQ(Names(m_local), bySize);
}

TEST_F(LocalPane, WalksIntoFoldersAndBackUp)
{
    m_local->SelectNames({"zdir"});
    m_local->ActivateSelection();
    EXPECT_EQ(m_local->GetPath(), Str(m_root + "/zdir/"));
    EXPECT_EQ(Names(m_local), QStringList({"..", "inner.txt"}));
    EXPECT_EQ(m_doc->m_strLocalFolder, Str(m_root + "/zdir/"));
    EXPECT_EQ(QDir::currentPath(), m_root + "/zdir");
    // ".." goes up; Backspace does the same.
    m_local->SelectNames({".."});
    m_local->ActivateSelection();
    EXPECT_EQ(m_local->GetPath(), Str(m_root + "/"));
    m_local->SelectNames({"zdir"});
    m_local->ActivateSelection();
    QKeyEvent back(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
    QCoreApplication::sendEvent(m_local->List(), &back);
    EXPECT_EQ(m_local->GetPath(), Str(m_root + "/"));
    // A file is opened with its program.
    m_local->SelectNames({"b-small.txt"});
    m_local->ActivateSelection();
    ASSERT_EQ(m_shellOpened.size(), 1u);
    EXPECT_EQ(m_shellOpened[0], Str(m_root + "/b-small.txt"));
}

TEST_F(LocalPane, ParentFolderArithmeticAndRoot)
{
    struct Case {
        const char* from;
        const char* to;
    } cases[] = {{"/usr/share/", "/usr/"}, {"/usr/", "/"}, {"/", "/"}};
    for (const Case& c : cases) {
        m_local->SetPath(c.from);
        m_local->GoUpLocal();
        EXPECT_EQ(m_local->GetPath(), CString(c.to)) << c.from;
    }
    // The root has no "..".
    m_local->SetPath("/");
    m_local->RefreshLocalList();
    EXPECT_FALSE(Names(m_local).contains(".."));
    EXPECT_FALSE(Names(m_local).isEmpty());
    // Doubled separators are listed and stored single.
    m_local->SetPath(Str(m_root + "//zdir//"));
    m_local->RefreshLocalList();
    EXPECT_EQ(m_local->GetPath(), Str(m_root + "/zdir/"));
    EXPECT_EQ(m_doc->m_strLocalFolder, Str(m_root + "/zdir/"));
    // A folder that cannot be read lists nothing, not even "..".
    m_local->SetPath(Str(m_root + "/missing/"));
    m_local->RefreshLocalList();
    EXPECT_TRUE(Names(m_local).isEmpty());
}

TEST_F(LocalPane, ContextMenuFollowsSelection)
{
    struct Case {
        QStringList select;
        int index;
        std::vector<UINT> ids;
    } cases[] = {
        {{}, 0, {ID_FTP_SELECT_FOLDER, ID_FTP_CREATE_FOLDER, ID_FTP_REFRESH}},
        {{"b-small.txt"},
         2,
         {ID_FTP_UPLOAD, ID_FTP_RENAME, ID_FTP_DELETE, ID_FTP_EDIT, 0, ID_FTP_SELECT_FOLDER, ID_FTP_CREATE_FOLDER,
          ID_FTP_REFRESH}},
        {{"b-small.txt", "c-mid.txt"},
         4,
         {ID_FTP_UPLOAD, ID_FTP_DELETE, 0, ID_FTP_SELECT_FOLDER, ID_FTP_CREATE_FOLDER, ID_FTP_REFRESH}},
    };
    for (const Case& c : cases) {
        m_local->SelectNames(c.select);
        EXPECT_EQ(m_local->ContextMenuIndex(), c.index);
        std::unique_ptr<QMenu> menu = m_local->BuildContextMenu();
        std::vector<UINT> ids;
        for (QAction* a : menu->actions()) {
            ids.push_back(a->isSeparator() ? 0 : a->data().toUInt());
            // Without a connection Upload is greyed; the rest of the local commands work.
            if (!a->isSeparator()) {
                EXPECT_EQ(a->isEnabled(), a->data().toUInt() != ID_FTP_UPLOAD) << a->text().toStdString();
            }
        }
        EXPECT_EQ(ids, c.ids);
    }
}

class RemotePane : public ExplorerTest {};

TEST_F(RemotePane, BrowsingFromTheRootKeepsPathsAbsolute)
{
    auto& server = StartServer();
    ASSERT_TRUE(WriteFile(server.LocalPath("pub/x/deep.txt"), "deep"));
    ASSERT_TRUE(WriteFile(server.LocalPath("pub/readme.txt"), "readme"));
    ASSERT_TRUE(WriteFile(server.LocalPath("top.txt"), "top"));
    CVFDoc* doc = OpenWindow(&server, m_work.path(), "/");
    ASSERT_NE(doc, nullptr);
    ASSERT_TRUE(doc->m_pConnection);
    CFtpView* remote = doc->m_pRemoteView;
    ASSERT_NE(remote, nullptr);
    EXPECT_TRUE(remote->isEnabled());
    EXPECT_EQ(Names(remote), QStringList({"pub", "top.txt"})); // no ".." at "/"
    remote->SelectNames({"pub"});
    remote->ActivateSelection();
    EXPECT_EQ(remote->GetPath(), CString("/pub/"));
    EXPECT_EQ(doc->m_strRemoteFolder, CString("/pub/"));
    EXPECT_EQ(Names(remote), QStringList({"..", "x", "readme.txt"}));
    remote->SelectNames({"x"});
    remote->ActivateSelection();
    ASSERT_EQ(Names(remote), QStringList({"..", "deep.txt"}));
    EXPECT_EQ(remote->ShownEntries()[1]->m_strPath, CString("/pub/x/deep.txt"));

    struct Case {
        const char* from;
        const char* to;
    } ups[] = {{"/pub/x/", "/pub/"}, {"/pub/", "/"}, {"pub/", ""}, {"", ""}, {"/", "/"}};
    for (const Case& c : ups) {
        remote->SetPath(c.from);
        remote->GoUpRemote();
        EXPECT_EQ(remote->GetPath(), CString(c.to)) << c.from;
    }
    // The path bar names the server folder of the active window.
    remote->SetPath("/pub/");
    remote->RefreshRemoteList();
    m_app->m_pMainWnd->UpdateCmdUI();
    auto* main = FtpMainFrame();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main->RemotePathField()->text(), QStringLiteral("ftp://127.0.0.1/pub/"));
    EXPECT_EQ(main->LocalPathField()->text(), m_work.path() + "/");
}

TEST_F(RemotePane, LoginFolderElsewhereAndHostileNames)
{
    FtpServerOptions options;
    options.loginDir = QStringLiteral("/home/tester");
    options.hostileNames = true;
    auto& server = StartServer(options);
    ASSERT_TRUE(WriteFile(server.LocalPath("home/tester/mine.txt"), "mine"));
    CVFDoc* doc = OpenWindow(&server, m_work.path(), "");
    ASSERT_NE(doc, nullptr);
    ASSERT_TRUE(doc->m_pConnection);
    CFtpView* remote = doc->m_pRemoteView;
    QStringList names = Names(remote);
    EXPECT_TRUE(names.contains("mine.txt")) << names.join(',').toStdString();
    EXPECT_FALSE(names.contains("..")); // the login folder has no parent entry
    for (const CFileEntry* e : remote->ShownEntries()) {
        EXPECT_TRUE(IsSafeFtpName(e->m_strName)) << e->m_strName.GetString();
        if (e->m_strName == "mine.txt") {
            EXPECT_EQ(e->m_strPath, CString("/home/tester/mine.txt"));
        }
    }
    // Every hostile name was refused and logged as a failure.
    int refused = 0;
    for (const CHistoryEvent& e : GetHistoryEvents())
        if (e.m_nIcon == HISTORY_ERROR && e.m_strEvent.Find("Failed:") == 0)
            ++refused;
    EXPECT_GE(refused, 3);
}

TEST_F(RemotePane, DisconnectEmptiesAndDisablesThePane)
{
    auto& server = StartServer();
    ASSERT_TRUE(WriteFile(server.LocalPath("a.txt"), "a"));
    CVFDoc* doc = OpenWindow(&server, m_work.path(), "/");
    ASSERT_NE(doc, nullptr);
    ASSERT_EQ(Names(doc->m_pRemoteView), QStringList({"a.txt"}));
    EXPECT_TRUE(Command(doc->m_pRemoteView, ID_FTP_DISCONNECT));
    EXPECT_FALSE(doc->m_pConnection);
    EXPECT_TRUE(Names(doc->m_pRemoteView).isEmpty());
    EXPECT_FALSE(doc->m_pRemoteView->isEnabled());
    EXPECT_TRUE(Logged("Disconnected: ftp://127.0.0.1", HISTORY_DISCONNECTED));
    // Disconnected: Download is refused, Connect is offered again.
    CCmdUI download(ID_FTP_DOWNLOAD), connect(ID_FTP_CONNECT);
    UpdateCommand(doc->m_pRemoteView, download);
    UpdateCommand(doc->m_pRemoteView, connect);
    EXPECT_FALSE(download.m_bEnabled);
    EXPECT_TRUE(connect.m_bEnabled);
    EXPECT_TRUE(Command(doc->m_pRemoteView, ID_FTP_CONNECT));
    EXPECT_TRUE(doc->m_pConnection);
    EXPECT_EQ(Names(doc->m_pRemoteView), QStringList({"a.txt"}));
}

namespace {
CString g_picked;
CString g_pickerStart;
CString Pick(const CString& start)
{
    g_pickerStart = start;
    return g_picked;
}
} // namespace

TEST_F(LocalPane, FolderPickerSpecialFoldersAndPaneSwitching)
{
    g_picked = Str(m_root + "/zdir");
    SetFolderPickerHook(&Pick);
    EXPECT_TRUE(Command(m_local, ID_FTP_SELECT_FOLDER));
    SetFolderPickerHook(nullptr);
    EXPECT_EQ(g_pickerStart, Str(m_root + "/"));
    EXPECT_EQ(m_local->GetPath(), Str(m_root + "/zdir/"));
    EXPECT_EQ(Names(m_local), QStringList({"..", "inner.txt"}));

    // Documents of the user: the folder goes to the local pane.
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    ASSERT_TRUE(QDir().mkpath(documents));
    ASSERT_TRUE(WriteFile(documents + "/letter.txt", "dear"));
    EXPECT_TRUE(Command(m_local, ID_FTP_MY_DOCUMENTS));
    EXPECT_EQ(m_local->GetPath(), Str(documents + "/"));
    EXPECT_EQ(Names(m_local), QStringList({"..", "letter.txt"}));

    // F6 moves between the panes only when the other one can be used.
    CChildFrame* frame = Frame(m_doc);
    ASSERT_NE(frame, nullptr);
    frame->SetActivePane(m_local);
    frame->NextPane();
    EXPECT_EQ(frame->GetActivePane(), m_local); // the server pane is disabled without a connection
    m_doc->m_pRemoteView->setEnabled(true);
    frame->NextPane();
    EXPECT_EQ(frame->GetActivePane(), static_cast<CFileListView*>(m_doc->m_pRemoteView));
}

TEST_F(LocalPane, DoubleClickOnAFolderWalksIntoIt)
{
    QTreeWidget* list = m_local->List();
    m_local->SelectNames({"zdir"});
    QTreeWidgetItem* row = list->selectedItems().value(0);
    ASSERT_NE(row, nullptr);
    list->scrollToItem(row);
    const QPoint at = list->visualItemRect(row).center();
    QMouseEvent press(QEvent::MouseButtonPress, at, list->viewport()->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, list->viewport()->mapToGlobal(at), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QMouseEvent twice(QEvent::MouseButtonDblClick, at, list->viewport()->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list->viewport(), &press);
    QCoreApplication::sendEvent(list->viewport(), &release);
    QCoreApplication::sendEvent(list->viewport(), &twice);
    QCoreApplication::sendEvent(list->viewport(), &release);
    Pump(50);
    EXPECT_EQ(m_local->GetPath(), Str(m_root + "/zdir/"));
    EXPECT_EQ(Names(m_local), QStringList({"..", "inner.txt"}));
}
