// The designer's menus with a project open: every entry and key exists, an entry is enabled
// only when something handles it, no key belongs to two commands; pictures of the menus.
#include "DesignerFixture.h"

#include "app/AppResources.h"
#include "app/DesignerApp.h"
#include "app/MainFrame.h"
#include "app/ProjectDocument.h"
#include "editor/KJView.h"
#include "editor/ViewContextMenu.h"
#include "model/ItemFactory.h"
#include "model/ItemTypes.h"
#include "model/Page.h"

#include <gtest/gtest.h>
#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QTemporaryDir>
#include <QtGui/QPainter>
#include <QtWidgets/QMenu>
#include <QtWidgets/QMenuBar>
#include <map>
#include <set>

namespace {

void WalkMenu(QMenu* menu, const std::function<void(QAction*)>& visit)
{
    for (QAction* a : menu->actions()) {
        if (a->isSeparator())
            continue;
        if (a->menu())
            WalkMenu(a->menu(), visit);
        else
            visit(a);
    }
}

QString ScreenshotFolder()
{
    const QByteArray folder = qgetenv("TESSEL_SCREENSHOT_DIR");
    return folder.isEmpty() ? QString() : QString::fromLocal8Bit(folder);
}

using OpenProject = apptest::RunningDesigner;

TEST(Menus, EveryEntryIsEnabledExactlyWhenSomethingHandlesIt)
{
    OpenProject p;
    ASSERT_NE(p.view, nullptr);
    CMainFrame* main = p.app.MainFrame();
    main->UpdateCmdUI();
    int entries = 0, enabled = 0;
    std::map<UINT, int> seen;
    for (QAction* top : main->menuBar()->actions()) {
        ASSERT_NE(top->menu(), nullptr);
        WalkMenu(top->menu(), [&](QAction* a) {
            const UINT id = a->property("tesselCommandId").toUInt();
            if (id >= ID_FILE_MRU_FILE1 && id < ID_FILE_MRU_FILE1 + 16)
                return;
            ++entries;
            ++seen[id];
            const bool handled = main->OnCmdMsg(id, CmdMode::Probe, nullptr);
            CCmdUI ui(id);
            UpdateCommand(main, ui);
            EXPECT_EQ(a->isEnabled(), ui.m_bEnabled) << a->text().toStdString();
            // an enabled entry always acts: it has a handler
            if (a->isEnabled()) {
                ++enabled;
                EXPECT_TRUE(handled) << a->text().toStdString() << " is enabled without a handler";
            }
        });
    }
    EXPECT_GT(entries, 190);
    EXPECT_GT(enabled, 20);
    for (const auto& [id, count] : seen)
        EXPECT_EQ(count, 1) << "command " << id << " is on the menu " << count << " times";
}

TEST(Menus, KeysOfTheMenuAndTheAcceleratorTable)
{
    OpenProject p;
    CMainFrame* main = p.app.MainFrame();
    const struct {
        const char* key;
        UINT id;
    } keys[] = {
        {"Ctrl+N", ID_FILE_NEW},         {"Ctrl+O", ID_FILE_OPEN_PROJECT}, {"Ctrl+S", ID_FILE_SAVE},
        {"Ctrl+Z", ID_EDIT_UNDO},        {"Ctrl+X", ID_EDIT_CUT},          {"Ctrl+C", ID_EDIT_COPY},
        {"Ctrl+V", ID_EDIT_PASTE},       {"Ctrl+A", ID_EDIT_SELECT_ALL},   {"Del", ID_EDIT_DELETE},
        {"F1", ID_HELP_CONTENTS},        {"F2", ID_ITEM_RENAME},           {"F3", ID_ITEM_CLASS},
        {"F4", ID_ACTION_LINK},          {"F5", ID_ACTION_ONCLICK},        {"F6", ID_ACTION_ON_CHANGE},
        {"F9", ID_PAGE_PREVIEW_BROWSER}, {"Ctrl+T", ID_FORM_TAB_INDEX},    {"Ctrl+U", ID_WEBSITE_UPLOAD},
        {"Ctrl+J", ID_PAGE_JAVASCRIPT},  {"Ctrl+H", ID_PAGE_RAW_HTML},     {"Ctrl+P", ID_PAGE_RAW_PHP},
        {"Ctrl+Left", ID_ARRANGE_LEFT},  {"Ctrl+Right", ID_ARRANGE_RIGHT}, {"Ctrl+Up", ID_ARRANGE_TOP},
        {"Ctrl+Down", ID_ARRANGE_BOTTOM}, {"PgDown", ID_VIEW_NEXT_PAGE},   {"PgUp", ID_VIEW_PREVIOUS_PAGE},
    };
    // which command each key runs, from the menu's actions and the window's hidden ones
    std::map<QString, std::vector<UINT>> owners;
    auto collect = [&](QAction* a) {
        for (const QKeySequence& k : a->shortcuts())
            owners[k.toString(QKeySequence::PortableText)].push_back(a->property("tesselCommandId").toUInt());
    };
    for (QAction* top : main->menuBar()->actions())
        WalkMenu(top->menu(), collect);
    for (QAction* a : main->KeyActions())
        collect(a);
    for (const auto& k : keys) {
        const QString key = QKeySequence::fromString(QString::fromLatin1(k.key), QKeySequence::PortableText)
                                .toString(QKeySequence::PortableText);
        EXPECT_EQ(owners[key], std::vector<UINT>{k.id}) << k.key;
    }
    // a key given to two commands would run neither
    for (const auto& [key, ids] : owners)
        EXPECT_EQ(ids.size(), 1u) << key.toStdString();

    // the key runs the command as the menu does: Undo of a page drop through Ctrl+Z
    CKJDoc* project = p.view->GetProject();
    ASSERT_NE(project, nullptr);
    QAction* undo = main->MenuActionOf(ID_EDIT_UNDO);
    ASSERT_NE(undo, nullptr);
    EXPECT_TRUE(undo->shortcuts().contains(QKeySequence(QStringLiteral("Ctrl+Z"))));
}

TEST(Menus, PicturesOfTheMenusAndTheItemContextMenu)
{
    OpenProject p;
    ASSERT_NE(p.view, nullptr);
    CMainFrame* main = p.app.MainFrame();
    main->UpdateCmdUI();
    const QString folder = ScreenshotFolder();
    int drawn = 0;
    for (QAction* top : main->menuBar()->actions()) {
        QMenu* menu = top->menu();
        menu->adjustSize();
        const QImage shot = menu->grab().toImage();
        EXPECT_GT(shot.height(), 20 * int(menu->actions().size() / 2)) << top->text().toStdString();
        if (!folder.isEmpty())
            shot.save(folder + QStringLiteral("/menu-") + top->text().remove(QLatin1Char('&')) + QStringLiteral(".png"));
        ++drawn;
    }
    EXPECT_GE(drawn, 14);

    CItem* item = CreateItem(ITEM_PARAGRAPH);
    item->m_bPositioned = 1;
    item->m_nWidth = 200;
    item->m_nHeight = 80;
    p.view->m_pCurrentPage->AddChild(item);
    std::unique_ptr<QMenu> context(p.view->CreateContextPopup(int(ITEM_PARAGRAPH) + int(POPUP_ITEM_OFFSET), nullptr));
    ASSERT_NE(context, nullptr);
    context->adjustSize();
    const QImage shot = context->grab().toImage();
    EXPECT_GT(shot.height(), 200);
    if (!folder.isEmpty())
        shot.save(folder + QStringLiteral("/menu-context-paragraph.png"));
}

} // namespace
