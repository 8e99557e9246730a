// The explorer's shell: connection files, the connection dialog, the "FTP Connections"
// picker, the history, translation of windows and menus, and a picture of a window.
#include "ExplorerFixture.h"
#include "ftpexplorer/FtpIcons.h"

#include <QtGui/QImage>
#include <QtGui/QPixmap>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QMdiArea>
#include <QtWidgets/QToolBar>
#include "framework/core/Profile.h"
#include <sys/stat.h>

using namespace ftpxtest;

class Shell : public ExplorerTest {
protected:
    // A new main window, after the translation map was filled.
    void Restart(const char* translations)
    {
        m_app.reset();
        Pump();
        ClearTranslations();
        LoadLanguageText(translations);
        m_app = std::make_unique<CFtpApp>();
        ASSERT_TRUE(m_app->CreateMainWindow());
        m_app->m_pMainWnd->resize(1100, 600);
        m_app->m_pMainWnd->show();
    }
};

TEST_F(Shell, DamagedConnectionFilesAreRefusedWithAMessage)
{
    struct Case {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"garbage.ftp", QByteArray("not a connection file at all")},
        {"short.ftp", QByteArray("\x05VFTP1\x09" "127.0", 13)},
        {"empty.ftp", QByteArray()},
    };
    for (const Case& c : cases) {
        m_messages.clear();
        const QString path = m_work.path() + "/" + c.name;
        ASSERT_TRUE(WriteFile(path, c.bytes));
        EXPECT_EQ(m_app->OpenDocumentFile(Str(path)), nullptr) << c.name;
        ASSERT_EQ(m_messages.size(), 1u) << c.name;
        EXPECT_EQ(m_messages[0].text,
                  CString::Formatted("The file %s is damaged or is not an FTP connection file.", Str(path).GetString()));
        EXPECT_TRUE(m_app->m_pMainWnd->Children().empty()) << c.name;
    }
}

TEST_F(Shell, SavedConnectionFileIsPrivateAndReadsBack)
{
    CVFDoc* doc = OpenWindow(nullptr, m_work.path());
    ASSERT_NE(doc, nullptr);
    doc->m_strPassword = "pa\xc3\xa9ss";
    doc->m_strHost = "ftp.example.org";
    doc->m_nPort = 2121;
    const QString path = m_work.path() + "/saved.ftp";
    ASSERT_TRUE(doc->OnSaveDocument(Str(path)));
    struct stat st {};
    ASSERT_EQ(stat(Str(path), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    CVFDocData back;
    back.LoadFtpFile(Str(path));
    EXPECT_EQ(back.m_strPassword, doc->m_strPassword);
    EXPECT_EQ(back.m_strHost, CString("ftp.example.org"));
    EXPECT_EQ(back.m_nPort, 2121);
}

TEST_F(Shell, ConnectionDialogCopiesBackAndEndsRemoteFoldersInSlash)
{
    CVFDoc* doc = OpenWindow(nullptr, m_work.path());
    ASSERT_NE(doc, nullptr);
    struct Case {
        const char* typed;
        const char* stored;
    } cases[] = {{"x", "x/"}, {"/", "/"}, {"/pub", "/pub/"}, {"/pub/", "/pub/"}, {"", ""}};
    for (const Case& c : cases) {
        m_otherDialogs = [&](CDialog& dlg) -> int {
            EXPECT_NE(dynamic_cast<CConnectionDlg*>(&dlg), nullptr);
            dlg.SetDlgItemText(IDC_FTP_REMOTE_FOLDER, c.typed);
            dlg.SetDlgItemText(IDC_FTP_HOST, "server.test");
            dlg.SetDlgItemText(IDC_FTP_PORT, "2100");
            dlg.CheckDlgButton(IDC_FTP_PASSIVE, 0);
            dlg.OnOK();
            return dlg.IsEnded() ? dlg.GetResult() : IDCANCEL;
        };
        doc->m_strRemoteFolder = "/old/";
        ASSERT_TRUE(Command(doc->m_pLocalView, ID_FTP_PROPERTIES));
        EXPECT_EQ(doc->m_strRemoteFolder, CString(c.stored)) << c.typed;
        EXPECT_EQ(doc->m_strHost, CString("server.test"));
        EXPECT_EQ(doc->m_nPort, 2100);
        EXPECT_EQ(doc->m_bPassive, 0);
        EXPECT_TRUE(doc->IsModified());
    }
    // A port out of range keeps the dialog open and changes nothing.
    m_otherDialogs = [&](CDialog& dlg) -> int {
        dlg.SetDlgItemText(IDC_FTP_PORT, "70000");
        dlg.OnOK();
        return dlg.IsEnded() ? dlg.GetResult() : IDCANCEL;
    };
    m_messages.clear();
    ASSERT_TRUE(Command(doc->m_pLocalView, ID_FTP_PROPERTIES));
    EXPECT_EQ(doc->m_nPort, 2100);
    EXPECT_EQ(m_messages.size(), 1u);
}

TEST_F(Shell, PickerListsRecentFilesAndOpensTheChoice)
{
    auto& server = StartServer();
    m_app->LoadStdProfileSettings(20);
    // Two connection files in the recent list, newest first.
    for (const char* name : {"alpha.ftp", "beta.ftp"})
        m_app->AddToRecentFileList(Str(WriteConnectionFile(&server, m_work.path(), "/", QString::fromLatin1(name))));
    QStringList rows;
    int pick = 2; // "alpha"
    m_otherDialogs = [&](CDialog& dlg) -> int {
        auto* picker = dynamic_cast<CConnectionsDlg*>(&dlg);
        if (!picker)
            return IDCANCEL;
        rows.clear();
        for (int i = 0; i < picker->List()->topLevelItemCount(); ++i)
            rows << picker->List()->topLevelItem(i)->text(0);
        EXPECT_EQ(picker->List()->currentItem(), picker->List()->topLevelItem(0));
        picker->List()->setCurrentItem(picker->List()->topLevelItem(pick));
        picker->OnOK();
        return picker->GetResult();
    };
    ASSERT_TRUE(m_app->RunConnectionsPicker());
    EXPECT_EQ(rows, QStringList({"<new connection>", "beta", "alpha"}));
    ASSERT_EQ(m_app->m_pMainWnd->Children().size(), 1u);
    auto* doc = dynamic_cast<CVFDoc*>(m_app->m_pMainWnd->Children()[0]->GetActiveDocument());
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->GetPathName(), Str(m_work.path() + "/alpha.ftp"));
    QDeadlineTimer until(10000);
    while (!doc->m_pConnection && !until.hasExpired())
        Pump(20);
    EXPECT_TRUE(doc->m_pConnection);

    // "<new connection>": an empty window whose Connect asks for the details.
    pick = 0;
    m_dialogs.clear();
    ASSERT_TRUE(m_app->RunConnectionsPicker());
    Pump(100);
    ASSERT_EQ(m_app->m_pMainWnd->Children().size(), 2u);
    EXPECT_EQ(m_dialogs, std::vector<CString>({"FTP Connections", "Connection Details"}));
}

TEST_F(Shell, HistoryShowsTheNewestEventFirstAndIsDisabledWhenEmpty)
{
    CCmdUI before(ID_FTP_HISTORY);
    UpdateCommand(m_app->m_pMainWnd, before);
    EXPECT_FALSE(before.m_bEnabled);
    AddHistoryEvent("First", "one", HISTORY_CONNECTED);
    AddHistoryEvent("Second", "two", HISTORY_UPLOADED);
    AddHistoryEvent("Third", "three", HISTORY_ERROR);
    CCmdUI after(ID_FTP_HISTORY);
    UpdateCommand(m_app->m_pMainWnd, after);
    EXPECT_TRUE(after.m_bEnabled);
    QStringList events, descriptions;
    m_otherDialogs = [&](CDialog& dlg) -> int {
        auto* history = dynamic_cast<CHistoryDlg*>(&dlg);
        if (!history)
            return IDCANCEL;
        QTreeWidget* list = history->List();
        EXPECT_EQ(list->headerItem()->text(0), QStringLiteral("Event"));
        EXPECT_EQ(list->headerItem()->text(2), QStringLiteral("Time"));
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            events << list->topLevelItem(i)->text(0);
            descriptions << list->topLevelItem(i)->text(1);
            EXPECT_EQ(list->topLevelItem(i)->text(2).size(), 8); // "%H:%M:%S"
        }
        return IDCANCEL;
    };
    ASSERT_TRUE(m_app->m_pMainWnd->SendCommand(ID_FTP_HISTORY));
    EXPECT_EQ(events, QStringList({"Third", "Second", "First"}));
    EXPECT_EQ(descriptions, QStringList({"three", "two", "one"}));
}

TEST_F(Shell, TranslationReachesCaptionsAndMenusButNeverEditFields)
{
    Restart("Cancel=Abbrechen\n"
            "Username:=Benutzer:\n"
            "server.test=HACKED\n"
            "&Manage=&Verwalten\n"
            "&Connection=&Verbindung\n"
            "File=Datei\n"
            "Delete %s?=Entfernen %d?\n"
            "Create Folder=Ordner anlegen\n"
            "Send files to the server=Dateien senden\n"
            "Upload to the Server=Hochladen\n");
    // The menus, before any window shows them.
    ASSERT_GE(m_app->m_pTemplate->m_menu.items.size(), 4u);
    EXPECT_EQ(m_app->m_pTemplate->m_menu.items[3].text, CString("&Verwalten"));
    EXPECT_EQ(m_app->m_pMainWnd->DefaultMenu().items[0].text, CString("&Verbindung"));

    const QString disk = m_work.path() + "/disk";
    ASSERT_TRUE(WriteFile(disk + "/a.txt", "a"));
    CVFDoc* doc = OpenWindow(nullptr, disk);
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->m_pLocalView->List()->headerItem()->text(0), QStringLiteral("Datei"));

    // The connection dialog: labels and buttons translated, typed texts untouched.
    QString cancel, label, host;
    m_otherDialogs = [&](CDialog& dlg) -> int {
        cancel = static_cast<QPushButton*>(dlg.GetDlgItem(IDCANCEL))->text();
        for (QLabel* l : dlg.findChildren<QLabel*>())
            if (l->text().startsWith(QStringLiteral("Benutzer")) || l->text() == QStringLiteral("Username:"))
                label = l->text();
        host = dlg.GetDlgItemText(IDC_FTP_HOST).ToQString();
        return IDCANCEL;
    };
    doc->m_strHost = "server.test";
    ASSERT_TRUE(Command(doc->m_pLocalView, ID_FTP_PROPERTIES));
    EXPECT_EQ(cancel, QStringLiteral("Abbrechen"));
    EXPECT_EQ(label, QStringLiteral("Benutzer:"));
    EXPECT_EQ(host, QStringLiteral("server.test"));

    // A translation whose placeholders differ from its key is not used.
    m_boxAnswer = IDCANCEL;
    m_messages.clear();
    doc->m_pLocalView->SelectNames({"a.txt"});
    ASSERT_TRUE(Command(doc->m_pLocalView, ID_FTP_DELETE));
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text, CString("Delete a.txt?"));

    // Status prompts and tooltips go through the map too.
    CString prompt;
    ASSERT_TRUE(FtpMainFrame()->GetMessageString(ID_FTP_UPLOAD, prompt));
    EXPECT_EQ(prompt, CString("Dateien senden"));
    EXPECT_EQ(FtpMainFrame()->GetToolTipText(ID_FTP_UPLOAD), CString("Hochladen"));
    EXPECT_EQ(FtpMainFrame()->GetToolTipText(ID_FTP_DOWNLOAD), CString("Download from the Server"));

    // The context menus are translated each time they are made.
    std::unique_ptr<QMenu> menu = doc->m_pLocalView->BuildContextMenu();
    QStringList texts;
    for (QAction* a : menu->actions())
        texts << a->text();
    EXPECT_TRUE(texts.contains(QStringLiteral("Ordner anlegen"))) << texts.join('|').toStdString();
}

TEST_F(Shell, ConnectedWindowPicture)
{
    auto& server = StartServer();
    ASSERT_TRUE(WriteFile(server.LocalPath("site/index.html"), "<html></html>"));
    ASSERT_TRUE(WriteFile(server.LocalPath("readme.txt"), QByteArray(1234, 'r')));
    const QString disk = m_work.path() + "/project";
    ASSERT_TRUE(WriteFile(disk + "/page.html", QByteArray(4321, 'p')));
    ASSERT_TRUE(QDir().mkpath(disk + "/images"));
    CVFDoc* doc = OpenWindow(&server, disk, "/");
    ASSERT_TRUE(doc && doc->m_pConnection);
    m_app->m_pMainWnd->UpdateCmdUI();
    Pump(100);
    QPixmap shot = m_app->m_pMainWnd->grab();
    ASSERT_FALSE(shot.isNull());
    EXPECT_EQ(shot.size(), m_app->m_pMainWnd->size());
    // Both panes are painted: the server pane's light yellow and the local pane's white.
    QImage image = shot.toImage();
    auto* remote = doc->m_pRemoteView->List()->viewport();
    auto* local = doc->m_pLocalView->List()->viewport();
    QPoint r = remote->mapTo(m_app->m_pMainWnd, QPoint(remote->width() - 5, remote->height() - 5));
    QPoint l = local->mapTo(m_app->m_pMainWnd, QPoint(local->width() - 5, local->height() - 5));
    EXPECT_EQ(image.pixelColor(r), QColor(0xFF, 0xFF, 0xC0));
    EXPECT_EQ(image.pixelColor(l), QColor(Qt::white));
    // Each path field stands above its pane and names its folder.
    auto* main = FtpMainFrame();
    ASSERT_NE(main, nullptr);
    struct Field {
        QLineEdit* field;
        QWidget* pane;
        QString text;
    } fields[] = {{main->LocalPathField(), doc->m_pLocalView, disk + "/"},
                  {main->RemotePathField(), doc->m_pRemoteView, QStringLiteral("ftp://127.0.0.1/")}};
    for (const Field& f : fields) {
        const int fieldLeft = f.field->mapTo(main, QPoint(0, 0)).x();
        const int paneLeft = f.pane->mapTo(main, QPoint(0, 0)).x();
        EXPECT_NEAR(fieldLeft, paneLeft, 8);
        EXPECT_NEAR(f.field->width(), f.pane->width(), 12);
        EXPECT_EQ(f.field->text(), f.text);
        EXPECT_TRUE(f.field->isReadOnly());
    }
    const QByteArray out = qgetenv("FTPX_SCREENSHOT");
    if (!out.isEmpty()) {
        EXPECT_TRUE(shot.save(QString::fromLocal8Bit(out), "PNG"));
    }
}

TEST_F(Shell, StartWithAFileOpensItWithoutThePicker)
{
    auto& server = StartServer();
    m_app.reset();
    Pump();
    const QString path = WriteConnectionFile(&server, m_work.path(), "/", QStringLiteral("start.ftp"));

    m_app = std::make_unique<CFtpApp>();
    m_app->m_arguments = QStringList {path};
    ASSERT_TRUE(m_app->InitInstance());
    EXPECT_TRUE(m_dialogs.empty()); // no picker
    ASSERT_EQ(m_app->m_pMainWnd->Children().size(), 1u);
    auto* doc = dynamic_cast<CVFDoc*>(m_app->m_pMainWnd->Children()[0]->GetActiveDocument());
    ASSERT_NE(doc, nullptr);
    QDeadlineTimer until(10000);
    while (!doc->m_pConnection && !until.hasExpired())
        Pump(20);
    EXPECT_TRUE(doc->m_pConnection);
    EXPECT_TRUE(m_app->m_pMainWnd->windowTitle().startsWith(QStringLiteral("Varnelo FTP Explorer - start")));
    // The folder is kept for the next start.
    ASSERT_TRUE(QDir::setCurrent(m_work.path()));
    m_app->ExitInstance();
    EXPECT_EQ(GetProfileString("Current", "Directory"), Str(m_work.path()));
}

TEST_F(Shell, StartWithoutArgumentsShowsThePicker)
{
    m_app.reset();
    Pump();
    tessel::SetProfileApplication(QStringLiteral("Varnelo FTP"));
    for (int i = 1; i <= 20; ++i)
        WriteProfileString("Recent File List", CString::Formatted("File%d", i), "");
    QStringList rows;
    m_otherDialogs = [&](CDialog& dlg) -> int {
        if (auto* picker = dynamic_cast<CConnectionsDlg*>(&dlg)) {
            for (int i = 0; i < picker->List()->topLevelItemCount(); ++i)
                rows << picker->List()->topLevelItem(i)->text(0);
            // the explorer's own icon, on its dialogs as on its main window
            EXPECT_EQ(picker->windowIcon().pixmap(32).toImage(), ExplorerIcon().pixmap(32).toImage());
            EXPECT_EQ(picker->windowTitle(), QStringLiteral("FTP Connections"));
        }
        return IDCANCEL;
    };
    m_app = std::make_unique<CFtpApp>();
    ASSERT_TRUE(m_app->InitInstance());
    EXPECT_EQ(rows, QStringList({"<new connection>"}));
    EXPECT_TRUE(m_app->m_pMainWnd->Children().empty()); // Cancel starts with no window
    const QImage icon = m_app->m_pMainWnd->windowIcon().pixmap(32).toImage();
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon, ExplorerIcon().pixmap(32).toImage());
    EXPECT_EQ(m_app->m_pMainWnd->windowTitle(), QStringLiteral("Varnelo FTP Explorer"));
}
