// The formatting, style, action and link commands reached as the user reaches them: the
// Style, Item and Action entries of the main menu, the item popup, the main toolbar and
// the keys F4 to F6. Each entry is found, enabled by its update handler, and runs.
#include "DesignerFixture.h"

#include "app/DesignerApp.h"
#include "app/MainFrame.h"
#include "app/ProjectDocument.h"
#include "document/KJDoc.h"
#include "editor/KJView.h"
#include "editor/ViewContextMenu.h"
#include "model/ItemFactory.h"
#include "model/ItemTypes.h"
#include "model/Page.h"

#include <gtest/gtest.h>
#include <QtCore/QCoreApplication>
#include <QtCore/QTemporaryDir>
#include <QtWidgets/QMenu>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QToolBar>
#include <functional>
#include <map>
#include <typeinfo>

namespace {

struct OpenProject : apptest::RunningDesigner {
    CItem* AddSelected(int type, int y)
    {
        CItem* item = CreateItem(type);
        item->m_bPositioned = 1;
        item->m_nX = 20;
        item->m_nY = y;
        item->m_nWidth = 200;
        item->m_nHeight = 60;
        item->m_strText.FromUtf8("Words");
        view->m_pCurrentPage->AddChild(item);
        item->SetSiteStyles(&view->GetProject()->m_styles);
        item->RecalcLayout();
        item->m_bSelected = 1;
        return item;
    }
};

// What running an entry shows: the dialog it opened, or an undo step it added.
struct Effect {
    UINT id;
    const char* dialog; // part of the dialog class's name, or null for an undo step
};

const Effect kEffects[] = {
    {ID_STYLE_DEFAULT_FONT, "DFontStyle"}, {ID_STYLE_HEADING1, "DFontStyle"}, {ID_STYLE_HEADING2, "DFontStyle"},
    {ID_STYLE_HEADING3, "DFontStyle"},     {ID_STYLE_HEADING4, "DFontStyle"}, {ID_STYLE_HEADING5, "DFontStyle"},
    {ID_STYLE_HEADING6, "DFontStyle"},     {ID_STYLE_PREFORMATTED, "DFontStyle"}, {ID_STYLE_NORMAL, "DFontStyle"},
    {ID_ITEM_FONT, "DFont"},               {ID_ITEM_TEXT_COLOR, "DChooseColor"}, {ID_ITEM_BORDERS, "CPropertySheet"},
    {ID_ITEM_PADDING, "DPadding"},         {ID_TEXT_ALIGN_DIALOG, "DTextAlign"}, {ID_BOX_ALIGN_DIALOG, "DBoxAlign"},
    {ID_ACTION_LINK, "DLink"},             {ID_ITEM_BACKGROUND, "DBackground"}, {ID_STYLE_DEFAULT_LINK, "DDefaultLinkStyle"},
    {ID_ACTION_ONCLICK, "DAction"},        {ID_ACTION_ON_OVER, "DAction"},    {ID_ACTION_ON_OUT, "DAction"},             {ID_LARGER_FONT, nullptr},         {ID_SMALLER_FONT, nullptr},
    {ID_BOLD, nullptr},                    {ID_ITALIC, nullptr},              {ID_UNDERLINE, nullptr},
    {ID_ALIGN_LEFT, nullptr},              {ID_ALIGN_CENTER, nullptr},        {ID_ALIGN_RIGHT, nullptr},
};

// Events a paragraph has no use for: on the menu, but disabled.
const UINT kAwaitingDialogs[] = {ID_ACTION_ON_FOCUS, ID_ACTION_ON_BLUR, ID_ACTION_ON_CHANGE};

void ExpectRuns(OpenProject& p, QAction* action, const Effect& e, const char* where)
{
    ASSERT_NE(action, nullptr) << e.id << " not found on the " << where;
    EXPECT_TRUE(action->isEnabled()) << e.id << " on the " << where;
    const std::size_t dialogs = p.opened.size();
    const std::size_t undo = p.view->GetProject()->m_undo.GetCount();
    action->trigger();
    QCoreApplication::processEvents();
    if (e.dialog) {
        ASSERT_EQ(p.opened.size(), dialogs + 1) << e.id << " on the " << where;
        EXPECT_NE(p.opened.back().find(e.dialog), std::string::npos) << p.opened.back() << " for " << e.id;
    } else {
        EXPECT_EQ(p.view->GetProject()->m_undo.GetCount(), undo + 1) << e.id << " on the " << where;
    }
}

TEST(FormatMenus, MainMenuEntriesAreFoundEnabledAndRun)
{
    OpenProject p;
    ASSERT_NE(p.view, nullptr);
    p.AddSelected(ITEM_PARAGRAPH, 20);
    CMainFrame* main = p.app.MainFrame();
    main->UpdateCmdUI();
    std::vector<QMenu*> menus;
    for (QAction* top : main->menuBar()->actions())
        if (top->menu())
            menus.push_back(top->menu());
    auto find = [&](UINT id) -> QAction* {
        for (QMenu* m : menus)
            if (QAction* a = apptest::FindMenuCommand(m, id))
                return a;
        return nullptr;
    };
    for (const Effect& e : kEffects) {
        if (e.id == ID_STYLE_NORMAL || e.id == ID_TEXT_ALIGN_DIALOG || e.id == ID_BOX_ALIGN_DIALOG || e.id == ID_LARGER_FONT ||
            e.id == ID_SMALLER_FONT || e.id == ID_BOLD || e.id == ID_ITALIC || e.id == ID_UNDERLINE ||
            e.id == ID_ALIGN_LEFT || e.id == ID_ALIGN_CENTER || e.id == ID_ALIGN_RIGHT)
            continue; // toolbar and popup only
        main->UpdateCmdUI();
        ExpectRuns(p, find(e.id), e, "main menu");
    }
    main->UpdateCmdUI();
    for (UINT id : kAwaitingDialogs) {
        QAction* a = find(id);
        ASSERT_NE(a, nullptr) << id;
        EXPECT_FALSE(a->isEnabled()) << id << " is not for a paragraph";
    }
}

TEST(FormatMenus, ToolbarButtonsAndKeysRunTheirCommands)
{
    OpenProject p;
    ASSERT_NE(p.view, nullptr);
    p.AddSelected(ITEM_PARAGRAPH, 20);
    CMainFrame* main = p.app.MainFrame();
    auto button = [&](UINT id) -> QAction* {
        for (CToolBar* bar : main->ToolBars())
            for (QAction* a : bar->actions())
                if (a->property("tesselCommandId").toUInt() == id)
                    return a;
        return nullptr;
    };
    const UINT toolbar[] = {ID_ITEM_FONT, ID_ITEM_TEXT_COLOR, ID_LARGER_FONT, ID_SMALLER_FONT, ID_BOLD, ID_ITALIC,
                            ID_UNDERLINE, ID_ALIGN_LEFT, ID_ALIGN_CENTER, ID_ALIGN_RIGHT, ID_ACTION_LINK};
    for (UINT id : toolbar) {
        const Effect* e = std::find_if(std::begin(kEffects), std::end(kEffects), [id](const Effect& x) { return x.id == id; });
        main->UpdateCmdUI();
        ExpectRuns(p, button(id), *e, "toolbar");
    }
    main->UpdateCmdUI();
    ASSERT_NE(button(ID_ACTION_ONCLICK), nullptr);
    ExpectRuns(p, button(ID_ACTION_ONCLICK), {ID_ACTION_ONCLICK, "DAction"}, "toolbar");

    // the keys: F4 runs Link; F5 and F6 belong to On Click and On Change
    std::map<QString, QAction*> keys;
    auto collect = [&](QAction* a) {
        for (const QKeySequence& k : a->shortcuts())
            keys[k.toString(QKeySequence::PortableText)] = a;
    };
    std::function<void(QMenu*)> walk = [&](QMenu* m) {
        for (QAction* a : m->actions())
            a->menu() ? walk(a->menu()) : collect(a);
    };
    for (QAction* top : main->menuBar()->actions())
        if (top->menu())
            walk(top->menu());
    for (QAction* a : main->KeyActions())
        collect(a);
    main->UpdateCmdUI();
    ExpectRuns(p, keys[QStringLiteral("F4")], Effect{ID_ACTION_LINK, "DLink"}, "key F4");
    ASSERT_NE(keys[QStringLiteral("F5")], nullptr);
    EXPECT_EQ(keys[QStringLiteral("F5")]->property("tesselCommandId").toUInt(), UINT(ID_ACTION_ONCLICK));
    ASSERT_NE(keys[QStringLiteral("F6")], nullptr);
    EXPECT_EQ(keys[QStringLiteral("F6")]->property("tesselCommandId").toUInt(), UINT(ID_ACTION_ON_CHANGE));
}

TEST(FormatMenus, ItemPopupEntriesRun)
{
    OpenProject p;
    ASSERT_NE(p.view, nullptr);
    p.AddSelected(ITEM_PARAGRAPH, 20);
    p.view->m_bContextMenuModal = false;
    const UINT popup[] = {ID_ITEM_FONT, ID_ITEM_TEXT_COLOR, ID_ITEM_BORDERS, ID_ITEM_PADDING, ID_TEXT_ALIGN_DIALOG,
                          ID_BOX_ALIGN_DIALOG, ID_STYLE_DEFAULT_FONT, ID_STYLE_NORMAL, ID_ACTION_LINK};
    for (UINT id : popup) {
        std::unique_ptr<QMenu> menu(p.view->CreateContextPopup(int(ITEM_PARAGRAPH) + int(POPUP_ITEM_OFFSET), nullptr));
        ASSERT_NE(menu, nullptr);
        const Effect* e = std::find_if(std::begin(kEffects), std::end(kEffects), [id](const Effect& x) { return x.id == id; });
        ExpectRuns(p, apptest::FindMenuCommand(menu.get(), id), *e, "item popup");
    }
    // a form's popup offers Send Form Data To, enabled with its dialog
    CItem* form = p.AddSelected(ITEM_FORM, 200);
    p.view->DeselectAll();
    form->m_bSelected = 1;
    std::unique_ptr<QMenu> menu(p.view->CreateContextPopup(int(ITEM_FORM) + int(POPUP_ITEM_OFFSET), nullptr));
    QAction* send = apptest::FindMenuCommand(menu.get(), ID_FORM_SEND_TO);
    ASSERT_NE(send, nullptr);
    EXPECT_TRUE(send->isEnabled());
}

} // namespace
