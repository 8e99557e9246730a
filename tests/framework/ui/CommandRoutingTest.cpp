#include "UiTestSupport.h"
#include "framework/ui/DocView.h"
#include "framework/ui/Frames.h"
#include "framework/ui/Timers.h"
#include "framework/ui/WinApp.h"

#include <gtest/gtest.h>
#include <QtCore/QSettings>
#include <QtCore/QStandardPaths>
#include <QtCore/QTemporaryDir>
#include <QtCore/QEventLoop>
#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMdiArea>
#include <QtWidgets/QMenu>
#include <QtWidgets/QMenuBar>

namespace {
std::vector<std::string> g_log;

enum : UINT {
    ID_VIEW_ONLY = 40001,
    ID_DOC_ONLY,
    ID_CHILD_ONLY,
    ID_MAIN_ONLY,
    ID_APP_ONLY,
    ID_EVERYWHERE,
    ID_NOWHERE,
    ID_UPDATED,
    ID_PANE = 40100,
};

class TestDoc : public CDocument {
public:
    TestDoc()
    {
        OnCommand(ID_DOC_ONLY, [] { g_log.push_back("doc"); });
        OnCommand(ID_EVERYWHERE, [] { g_log.push_back("doc"); });
        OnCommand(ID_CHILD_ONLY + 1000, [] {});
    }
    BOOL OnOpenDocument(const CString& path) override { return path.Find("bad") < 0; }
    BOOL OnSaveDocument(const CString& path) override
    {
        saved.push_back(path);
        return TRUE;
    }
    BOOL PromptSaveName(CString& path) override
    {
        prompted = true;
        if (answer.IsEmpty())
            return FALSE;
        path = answer;
        return TRUE;
    }
    std::vector<CString> saved;
    bool prompted = false;
    CString answer;
};

class TestView : public CView {
public:
    TestView()
    {
        OnCommand(ID_VIEW_ONLY, [] { g_log.push_back("view"); });
        OnCommand(ID_EVERYWHERE, [] { g_log.push_back("view"); });
        OnUpdateCommand(ID_UPDATED, [](CCmdUI* ui) {
            ui->Enable(TRUE);
            ui->SetCheck(1);
            ui->SetText("Renamed");
        });
        OnUpdateCommand(ID_PANE, [](CCmdUI* ui) { ui->SetText("2 items selected"); });
    }
};

class TestChild : public CMDIChildWnd {
public:
    TestChild()
    {
        OnCommand(ID_CHILD_ONLY, [] { g_log.push_back("child"); });
        OnCommand(ID_EVERYWHERE, [] { g_log.push_back("child"); });
    }
};

class TestMain : public CMDIFrameWnd {
public:
    TestMain()
    {
        OnCommand(ID_MAIN_ONLY, [] { g_log.push_back("main"); });
        OnCommand(ID_EVERYWHERE, [] { g_log.push_back("main"); });
    }
};

class TestApp : public CWinApp {
public:
    TestApp() : CWinApp("Test App")
    {
        OnCommand(ID_APP_ONLY, [] { g_log.push_back("app"); });
        OnCommand(ID_EVERYWHERE, [] { g_log.push_back("app"); });
    }
};

class Routing : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        QStandardPaths::setTestModeEnabled(true);
        QSettings::setDefaultFormat(QSettings::IniFormat);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir.path());
        g_log.clear();
        app = std::make_unique<TestApp>();
        main = new TestMain;
        app->m_pMainWnd = main;
        AfxRegisterStrings({{129, "\nPage\nProject\nProjects (*.proj)\n.proj\nTest.Document\nTest Document"},
                            {ID_MAIN_ONLY, "Does main things\nMain tip"},
                            {ID_APP_ONLY, "Only a prompt"},
                            {ID_PANE, "                    "}});
        auto* t = new CMultiDocTemplate(
            129, [] { return new TestDoc; }, [] { return new TestChild; }, [] { return new TestView; });
        app->AddDocTemplate(t);
        main->CreateStatusBar({ID_SEPARATOR, ID_PANE});
        main->AddBar(128, {{ID_MAIN_ONLY, QIcon()}, {ID_SEPARATOR, QIcon()}, {ID_NOWHERE, QIcon()}, {ID_UPDATED, QIcon()}},
                     Qt::TopToolBarArea, Qt::AllToolBarAreas);
        main->AddBar(171, {{ID_APP_ONLY, QIcon()}}, Qt::LeftToolBarArea, Qt::LeftToolBarArea);
        main->show();
    }
    void TearDown() override
    {
        app->CloseAllDocuments(TRUE);
        delete main;
        app.reset();
        QApplication::processEvents();
    }
    QTemporaryDir m_dir;
    std::unique_ptr<TestApp> app;
    TestMain* main = nullptr;
};
} // namespace

TEST_F(Routing, NearestTargetHandlesTheCommand)
{
    ASSERT_NE(app->GetFirstDocTemplate()->OpenDocumentFile(nullptr), nullptr);
    struct Case {
        UINT id;
        const char* handler;
    } cases[] = {{ID_VIEW_ONLY, "view"}, {ID_DOC_ONLY, "doc"},   {ID_CHILD_ONLY, "child"},
                 {ID_MAIN_ONLY, "main"}, {ID_APP_ONLY, "app"},   {ID_EVERYWHERE, "view"}};
    for (const auto& c : cases) {
        g_log.clear();
        EXPECT_TRUE(main->SendCommand(c.id)) << c.id;
        ASSERT_EQ(g_log.size(), 1u) << c.id;
        EXPECT_EQ(g_log[0], c.handler) << c.id;
    }
    g_log.clear();
    EXPECT_FALSE(main->SendCommand(ID_NOWHERE));
    EXPECT_TRUE(g_log.empty());
}

TEST_F(Routing, WithoutDocumentTheFramesAndAppRemain)
{
    g_log.clear();
    EXPECT_FALSE(main->SendCommand(ID_VIEW_ONLY));
    EXPECT_TRUE(main->SendCommand(ID_EVERYWHERE));
    EXPECT_EQ(g_log, std::vector<std::string>{"main"});
}

TEST_F(Routing, UpdateHandlersEnableCheckAndRetitleButtons)
{
    main->UpdateCmdUI();
    CToolBar* bar = main->ToolBars()[0];
    EXPECT_TRUE(bar->ActionOf(ID_MAIN_ONLY)->isEnabled()) << "a command handler enables";
    EXPECT_FALSE(bar->ActionOf(ID_NOWHERE)->isEnabled()) << "no handler disables";
    EXPECT_FALSE(bar->ActionOf(ID_UPDATED)->isEnabled()) << "the view's handler needs an open view";
    EXPECT_EQ(main->GetStatusBar()->GetPaneText(1), "");
    app->GetFirstDocTemplate()->OpenDocumentFile(nullptr);
    main->UpdateCmdUI();
    QAction* updated = bar->ActionOf(ID_UPDATED);
    EXPECT_TRUE(updated->isEnabled());
    EXPECT_TRUE(updated->isChecked());
    EXPECT_EQ(updated->text(), "Renamed");
    EXPECT_EQ(main->GetStatusBar()->GetPaneText(1), "2 items selected");
}

TEST_F(Routing, PromptsAndTooltipsComeFromCommandStrings)
{
    CToolBar* bar = main->ToolBars()[0];
    EXPECT_EQ(bar->ActionOf(ID_MAIN_ONLY)->toolTip(), "Main tip");
    EXPECT_EQ(bar->ActionOf(ID_MAIN_ONLY)->statusTip(), "Does main things");
    EXPECT_EQ(main->ToolBars()[1]->ActionOf(ID_APP_ONLY)->toolTip(), "") << "no line feed, no tooltip";
    EXPECT_EQ(main->ToolBars()[1]->ActionOf(ID_APP_ONLY)->statusTip(), "Only a prompt");
    main->SetMessageText(ID_MAIN_ONLY);
    EXPECT_EQ(main->GetStatusBar()->currentMessage(), "Does main things");
}

TEST_F(Routing, ViewToolbarShowsAndHidesEveryBar)
{
    for (CToolBar* bar : main->ToolBars())
        EXPECT_TRUE(bar->isVisible());
    EXPECT_TRUE(main->SendCommand(ID_VIEW_TOOLBAR));
    for (CToolBar* bar : main->ToolBars())
        EXPECT_FALSE(bar->isVisible());
    CCmdUI ui(ID_VIEW_TOOLBAR);
    UpdateCommand(main, ui);
    EXPECT_EQ(ui.m_nCheck, 0);
    EXPECT_TRUE(main->SendCommand(ID_VIEW_TOOLBAR));
    for (CToolBar* bar : main->ToolBars())
        EXPECT_TRUE(bar->isVisible());
    EXPECT_TRUE(main->SendCommand(ID_VIEW_STATUS_BAR));
    EXPECT_FALSE(main->GetStatusBar()->isVisible());
}

TEST_F(Routing, MenuActionsFollowUpdateHandlersWhenShown)
{
    CMenu menu;
    menu.items = {CMenu::Popup("&File", {CMenu::Command("Main\tCtrl+M", ID_MAIN_ONLY), CMenu::Command("None", ID_NOWHERE)})};
    main->SetDefaultMenu(menu);
    QMenu* file = main->menuBar()->actions()[0]->menu();
    ASSERT_NE(file, nullptr);
    main->UpdateMenuActions(file);
    EXPECT_TRUE(main->MenuActionOf(ID_MAIN_ONLY)->isEnabled());
    EXPECT_EQ(main->MenuActionOf(ID_MAIN_ONLY)->shortcut(), QKeySequence("Ctrl+M"));
    EXPECT_FALSE(main->MenuActionOf(ID_NOWHERE)->isEnabled());
    g_log.clear();
    main->MenuActionOf(ID_MAIN_ONLY)->trigger();
    EXPECT_EQ(g_log, std::vector<std::string>{"main"});
}

TEST_F(Routing, DocumentsOpenOnceAndFailuresLeaveNoFrame)
{
    CDocument* a = app->OpenDocumentFile("/tmp/one.proj");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->GetTitle(), "one.proj");
    EXPECT_EQ(app->OpenDocumentFile("/tmp/one.proj"), a) << "the open document is activated";
    EXPECT_EQ(main->Children().size(), 1u);
    EXPECT_EQ(app->OpenDocumentFile("/tmp/bad.proj"), nullptr);
    EXPECT_EQ(main->Children().size(), 1u);
    EXPECT_EQ(app->GetOpenDocuments().size(), 1u);
}

TEST_F(Routing, RecentFilesKeepTheNewestFirstAndTheirLimit)
{
    app->LoadStdProfileSettings(3);
    for (const char* p : {"/a.proj", "/b.proj", "/c.proj", "/b.proj", "/d.proj"})
        app->AddToRecentFileList(p);
    std::vector<CString> expected{"/d.proj", "/b.proj", "/c.proj"};
    EXPECT_EQ(app->GetRecentFiles(), expected);
    TestApp other; // a fresh start reads them back
    other.LoadStdProfileSettings(3);
    EXPECT_EQ(other.GetRecentFiles(), expected);
}

TEST_F(Routing, NewDocumentsAreNumberedAndSaveAsksForAName)
{
    auto* t = app->GetFirstDocTemplate();
    auto* first = static_cast<TestDoc*>(t->OpenDocumentFile(nullptr));
    auto* second = static_cast<TestDoc*>(t->OpenDocumentFile(nullptr));
    EXPECT_EQ(first->GetTitle(), "Page1");
    EXPECT_EQ(second->GetTitle(), "Page2");
    // Without a path, Save asks; cancelling saves nothing.
    EXPECT_FALSE(first->DoFileSave());
    EXPECT_TRUE(first->prompted);
    EXPECT_TRUE(first->saved.empty());
    first->answer = "/tmp/chosen.proj";
    first->SetModifiedFlag(TRUE);
    EXPECT_TRUE(first->DoFileSave());
    ASSERT_EQ(first->saved.size(), 1u);
    EXPECT_EQ(first->saved[0], "/tmp/chosen.proj");
    EXPECT_EQ(first->GetPathName(), "/tmp/chosen.proj");
    EXPECT_FALSE(first->IsModified());
    // With a path, Save writes there without asking.
    first->prompted = false;
    EXPECT_TRUE(first->DoFileSave());
    EXPECT_FALSE(first->prompted);
    EXPECT_EQ(first->saved.size(), 2u);
}

TEST_F(Routing, ClosingAModifiedDocumentAsks)
{
    auto* doc = static_cast<TestDoc*>(app->GetFirstDocTemplate()->OpenDocumentFile(nullptr));
    doc->SetModifiedFlag(TRUE);
    {
        MessageRecorder cancel(IDCANCEL);
        EXPECT_TRUE(main->SendCommand(ID_FILE_CLOSE));
        ASSERT_EQ(cancel.messages.size(), 1u);
        EXPECT_EQ(cancel.messages[0].text, "Save changes to Page1?");
    }
    EXPECT_EQ(app->GetOpenDocuments().size(), 1u);
    {
        MessageRecorder no(IDNO);
        main->SendCommand(ID_FILE_CLOSE);
    }
    EXPECT_TRUE(app->GetOpenDocuments().empty());
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(main->Children().empty());
}

TEST_F(Routing, NoDocumentTypeGivesAClearMessage)
{
    TestApp bare;
    MessageRecorder recorder;
    bare.OnFileNew();
    EXPECT_EQ(bare.OpenDocumentFile("/tmp/x.proj"), nullptr);
    ASSERT_EQ(recorder.messages.size(), 2u);
    EXPECT_EQ(recorder.messages[0].text, "This program has no project type to create or open projects with.");
}

TEST(Timers, TicksCarryTheirIdAndStopWhenKilled)
{
    std::vector<UINT> ticks;
    CTimerSet* self = nullptr;
    CTimerSet timers([&](UINT id) {
        ticks.push_back(id);
        self->KillTimer(id); // killing from its own tick is allowed
    });
    self = &timers;
    timers.SetTimer(2000, 5);
    timers.SetTimer(7, 60000);
    EXPECT_TRUE(timers.IsRunning(2000));
    QEventLoop loop;
    QTimer::singleShot(300, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_EQ(ticks, std::vector<UINT>{2000});
    EXPECT_FALSE(timers.IsRunning(2000));
    EXPECT_TRUE(timers.IsRunning(7));
    timers.Fire(7);
    EXPECT_EQ(ticks, (std::vector<UINT>{2000, 7}));
    EXPECT_FALSE(timers.KillTimer(7));
}

TEST_F(Routing, ShortcutsFollowTheStateOfTheirCommands)
{
    CMenu menu;
    menu.items = {CMenu::Popup("&View", {CMenu::Command("Renamed by the view", ID_UPDATED)})};
    main->SetDefaultMenu(menu);
    app->GetFirstDocTemplate()->m_menu = menu;
    main->UpdateCmdUI();
    EXPECT_FALSE(main->MenuActionOf(ID_UPDATED)->isEnabled());
    app->GetFirstDocTemplate()->OpenDocumentFile(nullptr);
    main->UpdateCmdUI(); // without opening the menu
    EXPECT_TRUE(main->MenuActionOf(ID_UPDATED)->isEnabled());
    EXPECT_EQ(main->MenuActionOf(ID_UPDATED)->text(), "Renamed");
}
