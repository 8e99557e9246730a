#include "support/Artifacts.h"
#include "AppTestSupport.h"
#include "app/AppResources.h"
#include "app/DesignerApp.h"
#include "controls/FileChooser.h"
#include "app/MainFrame.h"
#include "app/ProjectDocument.h"
#include "app/Samples.h"
#include "app/Welcome.h"
#include "framework/core/Paths.h"
#include "framework/core/Profile.h"
#include "framework/ui/Shell.h"
#include "framework/ui/Translation.h"
#include "model/Translate.h"
#include "support/ExternalTools.h"

#include <gtest/gtest.h>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QStandardPaths>
#include <QtCore/QTemporaryDir>
#include <QtGui/QMouseEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMdiArea>
#include <QtWidgets/QMenu>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QRadioButton>

namespace {
struct WelcomeSeen {
    bool shown = false;
    QString title;
    std::vector<std::pair<int, QString>> choices; // id and caption in tab order
    int checked = -2;
};

class Startup : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearProfile();
        ASSERT_TRUE(m_programFolder.isValid());
        m_previousModal = CDialog::SetModalHook([this](CDialog& dlg) { return AnswerDialog(dlg); });
        m_previousShell = tessel::SetShellHook([this](const CString& target, bool program) {
            (program ? programs : opened).push_back(target);
            return true;
        });
        m_previousChooser = CFileChooser::SetDialogHook([this](CFileChooser& chooser, bool) {
            chooserTitles.push_back(chooser.GetTitle());
            chooserFolders.push_back(chooser.GetInitialFolder());
            if (chooserAnswer.isEmpty())
                return false;
            chooser.SetSelection(CString(), {CString::FromQString(chooserAnswer)});
            return true;
        });
    }
    void TearDown() override
    {
        app.reset();
        CDialog::SetModalHook(m_previousModal);
        tessel::SetShellHook(m_previousShell);
        CFileChooser::SetDialogHook(m_previousChooser);
        UseFakeProjects(false);
        QApplication::processEvents();
    }

    int AnswerDialog(CDialog& dlg)
    {
        if (auto* welcome = dynamic_cast<DWelcome*>(&dlg)) {
            seen.shown = true;
            seen.title = welcome->windowTitle();
            seen.checked = -1;
            int index = 0;
            for (int id : welcome->ControlIds())
                if (auto* r = qobject_cast<QRadioButton*>(welcome->GetDlgItem(id))) {
                    seen.choices.push_back({id, r->text()});
                    if (r->isChecked())
                        seen.checked = index;
                    ++index;
                }
            if (welcomeAnswer < 0)
                return IDCANCEL;
            if (welcomeAnswer >= int(seen.choices.size())) { // OK as it opened
                welcome->OnOK();
                return welcome->GetResult();
            }
            auto* button = qobject_cast<QRadioButton*>(welcome->GetDlgItem(seen.choices[size_t(welcomeAnswer)].first));
            button->setChecked(true);
            welcome->OnOK();
            return welcome->GetResult();
        }
        return IDCANCEL;
    }

    CDesignerApp& Start(QStringList arguments)
    {
        app = std::make_unique<CDesignerApp>();
        app->m_strProgramFolder = CString::FromQString(m_programFolder.path()) + "/";
        app->m_arguments = std::move(arguments);
        started = app->InitInstance();
        return *app;
    }
    CMainFrame* Frame() { return app->MainFrame(); }
    void WriteProgramFile(const QString& name, const QByteArray& content)
    {
        const QString path = m_programFolder.path() + QLatin1Char('/') + name;
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }

    std::unique_ptr<CDesignerApp> app;
    BOOL started = FALSE;
    WelcomeSeen seen;
    int welcomeAnswer = -1; // cancel
    std::vector<CString> opened, programs, chooserTitles, chooserFolders;
    QString chooserAnswer;
    QTemporaryDir m_programFolder;

private:
    CDialog::ModalHook m_previousModal;
    tessel::ShellHook m_previousShell;
    CFileChooser::DialogHook m_previousChooser;
};
} // namespace

TEST_F(Startup, WithoutArgumentsShowsWelcomeWithItsSevenChoices)
{
    UseFakeProjects(true);
    Start({});
    ASSERT_TRUE(started);
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.title, "Welcome");
    const std::vector<std::pair<int, QString>> expected{
        {1184, "Blank Website"}, {1185, "Website Wizard"}, {1189, "Templates"}, {1186, "Open a Project from file"},
        {1190, "Open Last Project"}, {1188, "Help"}, {1191, "Home Page"}};
    EXPECT_EQ(seen.choices, expected);
    EXPECT_EQ(seen.checked, 1) << "the wizard is preselected without a stored choice";
    EXPECT_EQ(app->m_nWelcomeResult, IDCANCEL);
    EXPECT_TRUE(app->GetOpenDocuments().empty()) << "no blank project is made";
    EXPECT_EQ(Frame()->GetSplash(), nullptr);
    EXPECT_TRUE(Frame()->isVisible());
    EXPECT_TRUE(Frame()->windowState() & Qt::WindowMaximized);
    // Cancel keeps the stored choice as it was.
    EXPECT_EQ(GetProfileInt("Current", "Welcome", -7), -7);
}

TEST_F(Startup, NewOpensNothingAndShowsNoWelcome)
{
    UseFakeProjects(true);
    Start({"new"});
    ASSERT_TRUE(started);
    EXPECT_FALSE(seen.shown);
    EXPECT_TRUE(app->GetOpenDocuments().empty());
    EXPECT_TRUE(Frame()->MdiArea()->subWindowList().isEmpty());
}

TEST_F(Startup, ProjectPathOpensItBehindTheSplashWithoutWelcome)
{
    UseFakeProjects(true);
    const QString project = MakeFile("Site.kjproj");
    Start({project});
    ASSERT_TRUE(started);
    EXPECT_FALSE(seen.shown);
    ASSERT_EQ(app->GetOpenDocuments().size(), 1u);
    EXPECT_EQ(app->GetOpenDocuments()[0]->GetTitle(), "Site.kjproj");
    EXPECT_EQ(app->GetRecentFiles().front(), CString::FromQString(QFileInfo(project).canonicalFilePath()));
    ASSERT_NE(Frame()->GetSplash(), nullptr);
    EXPECT_TRUE(Frame()->GetSplash()->isVisible());
    EXPECT_EQ(Frame()->GetSplash()->size(), QSize(402, 349));
    EXPECT_EQ(Frame()->GetSplash()->m_picture.size(), QSize(400, 347));
    EXPECT_TRUE(Frame()->Timers().IsRunning(ID_SPLASH_TIMER));
    // The first tick closes the splash and ends the timer.
    Frame()->Timers().Fire(ID_SPLASH_TIMER);
    EXPECT_EQ(Frame()->GetSplash(), nullptr);
    EXPECT_FALSE(Frame()->Timers().IsRunning(ID_SPLASH_TIMER));
}

TEST_F(Startup, AnyTimerTickClosesTheSplashButAClickDoesNot)
{
    UseFakeProjects(true);
    Start({MakeFile("Other.kjproj")});
    ASSERT_NE(Frame()->GetSplash(), nullptr);
    QMouseEvent click(QEvent::MouseButtonPress, QPointF(10, 10), QPointF(10, 10), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(Frame()->GetSplash(), &click);
    EXPECT_NE(Frame()->GetSplash(), nullptr);
    Frame()->OnTimer(77);
    EXPECT_EQ(Frame()->GetSplash(), nullptr);
}

TEST_F(Startup, WithoutADocumentTypeAPathGivesAClearMessageAndTheProgramRuns)
{
    MessageRecorder recorder;
    Start({MakeFile("Site.kjproj")});
    ASSERT_TRUE(started);
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0].text, "This program has no project type to create or open projects with.");
    EXPECT_TRUE(app->GetOpenDocuments().empty());
    EXPECT_TRUE(Frame()->isVisible());
}

TEST_F(Startup, WelcomeChoiceIsStoredAndActedOn)
{
    UseFakeProjects(true);
    const QString last = MakeFile("Last.kjproj");
    WriteProfileString("Recent File List", "File1", last.toUtf8().constData());
    welcomeAnswer = 4; // Open Last Project
    Start({});
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(GetProfileInt("Current", "Welcome", -1), 4);
    ASSERT_EQ(app->GetOpenDocuments().size(), 1u);
    EXPECT_EQ(app->GetOpenDocuments()[0]->GetTitle(), "Last.kjproj");
    // The next start preselects the stored choice.
    seen = {};
    welcomeAnswer = -1;
    Start({});
    EXPECT_EQ(seen.checked, 4);
}

TEST_F(Startup, LastProjectWithoutRecentFileAsksForAProject)
{
    UseFakeProjects(true);
    welcomeAnswer = 4;
    chooserAnswer = MakeFile("Chosen.kjproj");
    Start({});
    ASSERT_EQ(chooserTitles.size(), 1u);
    EXPECT_EQ(chooserTitles[0], "Open Project");
    ASSERT_EQ(app->GetOpenDocuments().size(), 1u);
    EXPECT_EQ(app->GetOpenDocuments()[0]->GetTitle(), "Chosen.kjproj");
    // The chosen folder is kept for the next Open Project.
    EXPECT_EQ(GetProfileString("Current", "ProjectFolder"), CString::FromQString(QFileInfo(chooserAnswer).absolutePath()));
}

TEST_F(Startup, WelcomeChoicesReachTheirCommands)
{
    UseFakeProjects(true);
    welcomeAnswer = 0;
    Start({});
    EXPECT_EQ(app->GetOpenDocuments().size(), 1u) << "Blank Website makes a new project";
    seen = {};
    welcomeAnswer = 5;
    Start({});
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], app->m_strProgramFolder + "help/index.htm");
    EXPECT_TRUE(Frame()->windowState() & Qt::WindowMinimized) << "help minimises the designer";
    seen = {};
    welcomeAnswer = 6;
    Start({});
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_TRUE(opened[1].Find("/webdesigner/tutorials/") > 0);
}

TEST_F(Startup, ApplicationCommandsOpenTheirPlaces)
{
    Start({"new"});
    ASSERT_TRUE(Frame()->SendCommand(ID_BROWSE_BACKUPS));
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], tessel::AppDataFolder() + "TesselBackups");
    EXPECT_TRUE(QFileInfo(opened[0].ToQString()).isDir());
    EXPECT_TRUE(Frame()->SendCommand(ID_LAUNCH_FTP));
    ASSERT_EQ(programs.size(), 1u);
    EXPECT_EQ(programs[0], app->m_strProgramFolder + "ftp/dravix");
    EXPECT_TRUE(Frame()->SendCommand(ID_HELP_LIKE_IT));
    EXPECT_TRUE(opened.back().Find("/Varnelo") > 0);
    // "My Websites" became the current folder.
    EXPECT_EQ(QDir::currentPath() + "/", (tessel::DocumentsFolder() + "My Websites/").ToQString());
}

TEST_F(Startup, TemplateOpensAsAnUntitledProjectOutsideTheRecentList)
{
    UseFakeProjects(true);
    WriteProgramFile("templates/Business.kjproj", "template");
    chooserAnswer = m_programFolder.path() + "/templates/Business.kjproj";
    Start({"new"});
    ASSERT_TRUE(Frame()->SendCommand(ID_FILE_TEMPLATES));
    EXPECT_EQ(chooserFolders.back(), app->m_strProgramFolder + "templates/");
    ASSERT_EQ(app->GetOpenDocuments().size(), 1u);
    CDocument* doc = app->GetOpenDocuments()[0];
    EXPECT_EQ(doc->GetTitle(), "Untitled Template");
    EXPECT_TRUE(doc->GetPathName().IsEmpty());
    EXPECT_TRUE(app->GetRecentFiles().empty());
    // Saving asks for a name rather than writing over the template.
    const QString target = TestHome() + "/files/Mine.kjproj";
    chooserAnswer.clear();
    EXPECT_FALSE(doc->DoFileSave());
    QFile original(m_programFolder.path() + "/templates/Business.kjproj");
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    EXPECT_EQ(original.readAll(), "template");
}

TEST_F(Startup, FormattersNeverShowExponents)
{
    struct Case {
        double value;
        const char* number;
    } numbers[] = {{0, "0"}, {1.5, "1.5"}, {12.345, "12.3"}, {999.4, "999"}, {999.5, "1000"}, {1000.9, "1000"},
                   {123456.7, "123456"}, {0.5, "0.5"}, {0.00001234, "0.0000123"}};
    for (const auto& c : numbers)
        EXPECT_EQ(FormatNumber(c.value), c.number) << c.value;
    struct Size {
        double bytes;
        const char* text;
    } sizes[] = {{999, "999 bytes"}, {1000, "1000 bytes"}, {1024, "1024 bytes"}, {1025, "1 kB"}, {1536, "1.5 kB"},
                 {1048576, "1024 kB"}, {1048577, "1 MB"}, {1073741824.0 * 3, "3 GB"}, {1048576.0 * 999.7, "1000 MB"}, {1048576.0 * 1023.7, "1023 MB"}};
    for (const auto& s : sizes)
        EXPECT_EQ(FormatFileSize(s.bytes), s.text) << s.bytes;
}

TEST_F(Startup, TranslationFileTranslatesMenusDialogsPromptsAndTooltips)
{
    // CRLF lines and the \t escape, as the file is written on other systems.
    WriteProgramFile("lang.ini",
                     "&File=&Datei\r\n"
                     "Open Project\\tCtrl+O=Projekt \xc3\xb6" "ffnen\\tCtrl+O\r\n"
                     "&Help=&Hilfe\r\n"
                     "Welcome=Willkommen\r\n"
                     "Blank Website=Leere Website\r\n"
                     "Home Page=Startseite\r\n"
                     "Create a new website project=Neues Projekt anlegen\r\n"
                     "New Project=Neues Projekt\r\n"
                     "; a comment line\r\n");
    Start({});
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.title, "Willkommen");
    EXPECT_EQ(seen.choices[0].second, "Leere Website");
    EXPECT_EQ(seen.choices[1].second, "Website Wizard");
    EXPECT_EQ(seen.choices[6].second, "Startseite");
    QMenuBar* bar = Frame()->menuBar();
    ASSERT_GE(bar->actions().size(), 2);
    EXPECT_EQ(bar->actions()[0]->text(), "&Datei");
    EXPECT_EQ(bar->actions().back()->text(), "&Hilfe");
    EXPECT_EQ(Frame()->MenuActionOf(ID_FILE_OPEN_PROJECT)->text(), QString::fromUtf8("Projekt \xc3\xb6" "ffnen\tCtrl+O"));
    EXPECT_EQ(Frame()->MenuActionOf(ID_FILE_OPEN_PROJECT)->shortcut(), QKeySequence("Ctrl+O"));
    // The project menu was translated too.
    const CMenu::Item* open = app->m_pDocTemplate->m_menu.Find(ID_FILE_OPEN_PROJECT);
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open->text, "Projekt \xc3\xb6" "ffnen\tCtrl+O");
    CString prompt;
    Frame()->GetMessageString(ID_FILE_NEW, prompt);
    EXPECT_EQ(prompt, "Neues Projekt anlegen");
    EXPECT_EQ(Frame()->ToolBars()[0]->ActionOf(ID_FILE_NEW)->toolTip(), "Neues Projekt");
}

TEST_F(Startup, PromptsAndTooltipsFromCommandStrings)
{
    Start({"new"});
    CMainFrame* f = Frame();
    AfxRegisterString(40990, "Only a prompt, no tooltip");
    AfxRegisterString(40991, ("Prompt\n" + std::string(100, 'x')).c_str());
    struct Case {
        UINT id;
        const char* prompt;
        const char* tip;
    } cases[] = {{ID_FILE_NEW, "Create a new website project", "New Project"},
                 {ID_FILE_TEMPLATES, "Open folder with built-in templates", ""},
                 {40990, "Only a prompt, no tooltip", ""},
                 {40999, "", ""}};
    for (const auto& c : cases) {
        CString prompt;
        f->GetMessageString(c.id, prompt);
        EXPECT_EQ(prompt, c.prompt) << c.id;
        EXPECT_EQ(f->GetToolTipText(c.id), c.tip) << c.id;
    }
    EXPECT_EQ(f->GetToolTipText(40991), CString(std::string(79, 'x')));
    EXPECT_EQ(f->GetToolTipText(0), "");
    // The toolbars carry them.
    EXPECT_EQ(f->ToolBars()[0]->ActionOf(ID_FILE_SAVE)->toolTip(), "Save");
    ASSERT_NE(f->ToolBars()[0]->ActionOf(ID_PREVIEW_ONLINE), nullptr);
    EXPECT_EQ(f->ToolBars()[0]->ActionOf(ID_PREVIEW_ONLINE)->toolTip(), "Preview Online");
    EXPECT_EQ(f->ToolBars()[1]->ActionOf(ID_INSERT_IMAGE)->statusTip(), "Insert an image");
}

TEST_F(Startup, MainWindowHasItsBarsWhereTheyBelong)
{
    Start({"new"});
    CMainFrame* f = Frame();
    ASSERT_EQ(f->ToolBars().size(), 4u);
    const UINT ids[] = {128, 171, 235, 135};
    const Qt::ToolBarArea areas[] = {Qt::TopToolBarArea, Qt::LeftToolBarArea, Qt::LeftToolBarArea, Qt::RightToolBarArea};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(f->ToolBars()[i]->GetDlgCtrlID(), ids[i]);
        EXPECT_EQ(f->toolBarArea(f->ToolBars()[i]), areas[i]);
    }
    EXPECT_FALSE(f->ToolBars()[1]->isAreaAllowed(Qt::TopToolBarArea));
    EXPECT_EQ(f->GetStatusBar()->GetCount(), 2);
    EXPECT_EQ(f->GetStatusBar()->GetItemID(1), UINT(ID_INDICATOR_SELECTION_PANE));
    ASSERT_NE(f->GetFindBar(), nullptr);
    EXPECT_FALSE(f->GetFindBar()->isVisible());
    // Without a project the project commands are off and the application's are on.
    f->UpdateCmdUI();
    EXPECT_FALSE(f->ToolBars()[1]->ActionOf(ID_INSERT_IMAGE)->isEnabled());
    EXPECT_TRUE(f->ToolBars()[0]->ActionOf(ID_FILE_NEW)->isEnabled());
    EXPECT_TRUE(f->ToolBars()[0]->ActionOf(ID_HELP_CONTENTS)->isEnabled());
}

TEST_F(Startup, FindBarLayoutFollowsItsModes)
{
    Start({"new"});
    CFindBar* bar = Frame()->GetFindBar();
    bar->m_sizeDocked = bar->m_sizeFloating = QSize(500, 80);
    EXPECT_EQ(bar->CalcDynamicLayout(0, CFindBar::LM_HORZDOCK | CFindBar::LM_STRETCH | CFindBar::LM_HORZ), QSize(32767, 80));
    EXPECT_EQ(bar->CalcDynamicLayout(0, CFindBar::LM_VERTDOCK | CFindBar::LM_STRETCH), QSize(500, 32767));
    EXPECT_EQ(bar->CalcDynamicLayout(0, CFindBar::LM_VERTDOCK), QSize(500, 80));
    EXPECT_EQ(bar->CalcDynamicLayout(120, CFindBar::LM_LENGTHY), QSize(500, 120));
    EXPECT_EQ(bar->m_sizeDocked, QSize(500, 120));
    EXPECT_EQ(bar->CalcDynamicLayout(300, 0), QSize(300, 120));
    EXPECT_EQ(bar->CalcDynamicLayout(0, CFindBar::LM_MRUWIDTH), QSize(300, 120));
}

TEST_F(Startup, ScreenshotOfTheMainWindowWithAProject)
{
    UseFakeProjects(true);
    Start({MakeFile("My Website.kjproj")});
    Frame()->Timers().Fire(ID_SPLASH_TIMER);
    Frame()->resize(1280, 800);
    Frame()->UpdateCmdUI();
    QApplication::processEvents();
    const QImage shot = Frame()->grab().toImage();
    ASSERT_FALSE(shot.isNull());
    EXPECT_TRUE(shot.save(testsupport::ArtifactPath("screenshots/corvane-main.png")));
}

TEST_F(Startup, WelcomeDialogPicture)
{
    DWelcome welcome;
    welcome.OnInitDialog();
    const QImage img = welcome.grab().toImage();
    img.save(testsupport::ArtifactPath("screenshots/corvane-welcome.png"));
    EXPECT_GE(img.width(), 693);
    // The banner on top, the choices on white below it.
    EXPECT_NE(img.pixelColor(5, 5), QColor(Qt::white));
    EXPECT_EQ(img.pixelColor(img.width() - 3, img.height() / 2), QColor(Qt::white));
}

TEST_F(Startup, DesktopEntryAndProjectTypeAreRegistered)
{
    CDesignerApp::RegisterShellFileTypes("/opt/tessel $1/corvane");
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    ASSERT_TRUE(data.startsWith(TestHome()));
    QFile desktop(data + "/applications/tessel-web-designer.desktop");
    ASSERT_TRUE(desktop.open(QIODevice::ReadOnly));
    const QString entry = QString::fromUtf8(desktop.readAll());
    EXPECT_TRUE(entry.contains("Exec=\"/opt/tessel \\\\$1/corvane\" %f\n")) << entry.toStdString();
    EXPECT_TRUE(entry.contains("MimeType=application/x-tessel-project;\n"));
    QFile mime(data + "/mime/packages/x-tessel-project.xml");
    ASSERT_TRUE(mime.open(QIODevice::ReadOnly));
    const QByteArray xml = mime.readAll();
    EXPECT_TRUE(xml.contains("<mime-type type=\"application/x-tessel-project\">"));
    EXPECT_TRUE(xml.contains("<glob pattern=\"*.kjproj\"/>"));
    EXPECT_FALSE(QImage(data + "/icons/hicolor/64x64/apps/tessel-web-designer.png").isNull());
}

TEST(HelpPage, IsValidHtml)
{
    QString source = QString::fromUtf8(qgetenv("TESSEL_SOURCE_DIR"));
    if (source.isEmpty())
        source = QStringLiteral(TESSEL_SOURCE_DIR_DEFAULT);
    QFile page(source + "/data/help/index.htm");
    ASSERT_TRUE(page.open(QIODevice::ReadOnly)) << page.fileName().toStdString();
    EXPECT_EQ(testsupport::TidyErrors(page.readAll()), QByteArray());
}

TEST_F(Startup, ProjectsAreMadeSavedAndReopened)
{
    RegisterProjectDocumentType();
    Start({"new"});
    ASSERT_TRUE(Frame()->SendCommand(ID_FILE_NEW));
    ASSERT_EQ(app->GetOpenDocuments().size(), 1u);
    auto* doc = dynamic_cast<CProjectDocument*>(app->GetOpenDocuments()[0]);
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->GetTitle(), "Untitled1");
    EXPECT_EQ(doc->Project().m_pages.size(), 1u) << "a new project has its home page";
    // Save asks for a name; the file is written there.
    const QString path = TestHome() + "/files/Saved.kjproj";
    chooserAnswer = path;
    ASSERT_TRUE(Frame()->SendCommand(ID_FILE_SAVE));
    EXPECT_GT(QFileInfo(path).size(), 20);
    EXPECT_EQ(doc->GetPathName(), CString::FromQString(path));
    EXPECT_EQ(doc->Project().GetPathName(), CString::FromQString(path));
    EXPECT_FALSE(doc->IsModified());
    // A change of the project is a change of the document.
    doc->Project().SetModifiedFlag(true);
    EXPECT_TRUE(doc->IsModified());
    {
        MessageRecorder dontSave(IDNO);
        ASSERT_TRUE(Frame()->SendCommand(ID_FILE_CLOSE));
        EXPECT_EQ(dontSave.messages.size(), 1u);
    }
    EXPECT_TRUE(app->GetOpenDocuments().empty());
    CDocument* again = app->OpenDocumentFile(CString::FromQString(path));
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(static_cast<CProjectDocument*>(again)->Project().m_pages.size(), 1u);
}

TEST_F(Startup, ProjectTemplateSavesUnderANewNameAndLeavesTheTemplate)
{
    RegisterProjectDocumentType();
    Start({"new"});
    // A template made by the designer itself.
    const QString templ = m_programFolder.path() + "/templates/Business.kjproj";
    QDir().mkpath(QFileInfo(templ).absolutePath());
    {
        CProjectDocument maker;
        ASSERT_TRUE(maker.OnNewDocument());
        ASSERT_TRUE(maker.OnSaveDocument(CString::FromQString(templ)));
    }
    QFile original(templ);
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    const QByteArray before = original.readAll();
    original.close();

    chooserAnswer = templ;
    ASSERT_TRUE(Frame()->SendCommand(ID_FILE_TEMPLATES));
    ASSERT_EQ(app->GetOpenDocuments().size(), 1u);
    auto* doc = static_cast<CProjectDocument*>(app->GetOpenDocuments()[0]);
    EXPECT_EQ(doc->GetTitle(), "Untitled Template");
    EXPECT_TRUE(doc->Project().GetPathName().IsEmpty());
    const QString mine = TestHome() + "/files/FromTemplate.kjproj";
    chooserAnswer = mine;
    chooserTitles.clear();
    ASSERT_TRUE(Frame()->SendCommand(ID_FILE_SAVE));
    EXPECT_EQ(chooserTitles.size(), 1u) << "Save asked for a name";
    EXPECT_TRUE(QFileInfo::exists(mine));
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    EXPECT_EQ(original.readAll(), before);
}

TEST_F(Startup, ExampleAndTemplateProjectsOpenWithTheirPages)
{
    const CString folder = CString::FromQString(m_programFolder.path()) + "/";
    ASSERT_TRUE(WriteSampleProjects(folder));
    struct Case {
        const char* file;
        size_t pages;
    } cases[] = {{"examples/Tutorial.kjproj", 4}, {"templates/Business.kjproj", 4}};
    for (const auto& c : cases) {
        CProjectDocument doc;
        ASSERT_TRUE(doc.OnOpenDocument(folder + c.file)) << c.file;
        EXPECT_EQ(doc.Project().m_pages.size(), c.pages) << c.file;
    }
    // Help > Getting Started opens the tutorial.
    RegisterProjectDocumentType();
    Start({"new"});
    ASSERT_TRUE(Frame()->SendCommand(ID_GETTING_STARTED));
    ASSERT_EQ(app->GetOpenDocuments().size(), 1u);
    EXPECT_EQ(app->GetOpenDocuments()[0]->GetTitle(), "Tutorial.kjproj");
}

TEST_F(Startup, StoredChoiceOutsideTheGroupSelectsNothingAndBeginsNothing)
{
    UseFakeProjects(true);
    WriteProfileInt("Current", "Welcome", 9);
    welcomeAnswer = 99;
    Start({});
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.checked, -1);
    EXPECT_EQ(app->m_nWelcomeResult, IDOK);
    EXPECT_EQ(GetProfileInt("Current", "Welcome", 0), -1);
    EXPECT_TRUE(app->GetOpenDocuments().empty());
    EXPECT_TRUE(opened.empty());
    EXPECT_TRUE(chooserTitles.empty());
}

TEST_F(Startup, ScreenshotOfTheDesignerWithTheTutorialOpen)
{
    const CString folder = CString::FromQString(m_programFolder.path()) + "/";
    ASSERT_TRUE(WriteSampleProjects(folder));
    RegisterProjectDocumentType();
    Start({(folder + "examples/Tutorial.kjproj").ToQString()});
    ASSERT_EQ(app->GetOpenDocuments().size(), 1u);
    Frame()->Timers().Fire(ID_SPLASH_TIMER);
    CMDIChildWnd* child = Frame()->MDIGetActive();
    ASSERT_NE(child, nullptr);
    ASSERT_NE(child->GetActiveView(), nullptr);
    EXPECT_EQ(child->GetActiveDocument(), app->GetOpenDocuments()[0]);
    Frame()->UpdateCmdUI();
    QApplication::processEvents();
    const QImage shot = Frame()->grab().toImage();
    ASSERT_FALSE(shot.isNull());
    EXPECT_TRUE(shot.save(testsupport::ArtifactPath("screenshots/corvane-project.png")));
}

TEST_F(Startup, MainWindowPlacementIsKeptBetweenRuns)
{
    Start({"new"});
    ASSERT_TRUE(started);
    EXPECT_TRUE(Frame()->isMaximized()) << "the first run opens maximised";
    Frame()->showNormal();
    Frame()->setGeometry(80, 90, 900, 640);
    QApplication::processEvents();
    const QSize kept = Frame()->size();
    Frame()->close();
    app.reset();
    Start({"new"});
    ASSERT_TRUE(started);
    EXPECT_FALSE(Frame()->isMaximized());
    EXPECT_EQ(Frame()->size(), kept);
    // A maximised window opens maximised again.
    Frame()->showMaximized();
    QApplication::processEvents();
    Frame()->close();
    app.reset();
    Start({"new"});
    EXPECT_TRUE(Frame()->isMaximized());
}

TEST_F(Startup, AboutShowsTheVersionAndTheBrowserCommand)
{
    Start({"new"});
    const QByteArray browser = qgetenv("BROWSER");
    const struct { const char* env; const char* command; } cases[] = {{"", "xdg-open"}, {"firefox", "firefox"}};
    for (const auto& c : cases) {
        qputenv("BROWSER", c.env);
        std::vector<CString> texts;
        const auto previous = CDialog::SetModalHook([&](CDialog& dlg) {
            if (dynamic_cast<DAbout*>(&dlg))
                texts = {dlg.GetDlgItemText(1035), dlg.GetDlgItemText(1095), dlg.GetDlgItemText(1093)};
            return IDOK;
        });
        EXPECT_TRUE(Frame()->SendCommand(ID_APP_ABOUT));
        CDialog::SetModalHook(previous);
        ASSERT_EQ(texts.size(), 3u);
        EXPECT_EQ(texts[0], CString("Tessel Web Designer 8.0.0.0"));
        EXPECT_EQ(texts[1], CString("Built with Qt " QT_VERSION_STR));
        EXPECT_EQ(texts[2], CString(c.command));
        for (const CString& t : texts)
            EXPECT_EQ(t.Find("<test>"), -1) << "no placeholder";
    }
    qputenv("BROWSER", browser);
}

TEST_F(Startup, ABrowserThatCannotStartIsNamedInAMessage)
{
    Start({"new"});
    const QByteArray browser = qgetenv("BROWSER");
    qputenv("BROWSER", "");
    tessel::SetShellHook([this](const CString& target, bool) {
        opened.push_back(target);
        return false; // the desktop refuses
    });
    const struct { UINT id; CString target; } cases[] = {
        {ID_BROWSE_BACKUPS, tessel::AppDataFolder() + "TesselBackups"},
        {ID_HELP_CONTENTS, app->m_strProgramFolder + "help/index.htm"},
        {ID_HELP_LIKE_IT, CString()},
    };
    for (const auto& c : cases) {
        MessageRecorder messages;
        Frame()->showNormal();
        opened.clear();
        EXPECT_TRUE(Frame()->SendCommand(c.id)) << c.id;
        ASSERT_EQ(opened.size(), 1u) << c.id;
        if (!c.target.IsEmpty()) {
            EXPECT_EQ(opened[0], c.target);
        }
        ASSERT_EQ(messages.messages.size(), 1u) << c.id;
        const CString& text = messages.messages[0].text;
        EXPECT_GE(text.Find("xdg-open"), 0) << text.GetString();
        EXPECT_GE(text.Find(opened[0]), 0) << text.GetString();
        EXPECT_FALSE(Frame()->isMinimized()) << "the designer stays in view when nothing opened";
    }
    qputenv("BROWSER", browser);
}

TEST_F(Startup, WindowMenuListsTheOpenProjectsAndViewMenuHasItsKeys)
{
    const CString folder = CString::FromQString(m_programFolder.path()) + "/";
    ASSERT_TRUE(WriteSampleProjects(folder));
    RegisterProjectDocumentType();
    Start({(folder + "examples/Tutorial.kjproj").ToQString()});
    ASSERT_NE(app->OpenDocumentFile(folder + "templates/Business.kjproj"), nullptr);
    Frame()->Timers().Fire(ID_SPLASH_TIMER);
    QApplication::processEvents();
    QMenu* window = nullptr;
    for (QAction* a : Frame()->menuBar()->actions())
        if (a->menu() && a->text().remove(QLatin1Char('&')) == QLatin1String("Window"))
            window = a->menu();
    ASSERT_NE(window, nullptr);
    for (int shown = 0; shown < 2; ++shown) { // opened twice: listed once
        emit window->aboutToShow();
        QStringList listed;
        QString checked;
        for (QAction* a : window->actions())
            if (a->text().startsWith(QLatin1Char('&')) && a->text().at(1).isDigit()) {
                listed << a->text();
                if (a->isChecked())
                    checked = a->text();
            }
        ASSERT_EQ(listed.size(), 2) << listed.join(QLatin1Char('|')).toStdString();
        EXPECT_TRUE(listed[0].startsWith(QLatin1String("&1 ")) && listed[0].contains(QLatin1String("Tutorial")));
        EXPECT_TRUE(listed[1].startsWith(QLatin1String("&2 ")) && listed[1].contains(QLatin1String("Business")));
        EXPECT_EQ(checked, listed[1]) << "the project opened last is active";
    }
    const struct { UINT id; const char* text; const char* key; } entries[] = {
        {ID_VIEW_CENTER, "Center", ""},
        {ID_VIEW_BROWSER_FRAME, "Browser Frame", ""},
        {ID_VIEW_MOBILE_FRAME, "Mobile Device Frame", ""},
        {ID_VIEW_NEXT_PAGE, "Next Page", "PgDown"},
        {ID_VIEW_PREVIOUS_PAGE, "Previous Page", "PgUp"},
        {ID_VIEW_GRID, "Grid", ""},
    };
    for (const auto& e : entries) {
        QAction* a = Frame()->MenuActionOf(e.id);
        ASSERT_NE(a, nullptr) << e.text;
        EXPECT_TRUE(a->text().startsWith(QLatin1String(e.text))) << a->text().toStdString();
        EXPECT_EQ(a->shortcut().toString(QKeySequence::PortableText), QString::fromLatin1(e.key)) << e.text;
    }
}
