// Event actions given through the Action commands run in the browser control: the page
// the designer writes fires them on the user's events, with no console error.
#include "AppTestSupport.h"

#include "controls/HtmlView.h"
#include "document/KJDoc.h"
#include "editor/KJView.h"
#include "editor/ViewFrame.h"
#include "editor/commands/FormatCommands.h"
#include "model/ItemFactory.h"
#include "model/ItemTypes.h"
#include "model/Page.h"
#include "tests/model/browser/BrowserHarness.h"

#include <gtest/gtest.h>
#include <QtCore/QTemporaryDir>
#include <QtWidgets/QTreeWidget>
#include <cstdlib>
#include <memory>

namespace {

const int g_flags = (setenv("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox --disable-gpu", 0), 0);

using Frame = SilentFrame;

CItem* AddItem(CPage& page, int type, int y, const char* name)
{
    CItem* item = CreateItem(type);
    item->m_bPositioned = 1;
    item->m_nX = 20;
    item->m_nY = y;
    item->m_nWidth = 200;
    item->m_nHeight = 30;
    item->m_strName = name;
    item->m_strText.FromUtf8("Item \"text\" & <more>");
    page.AddChild(item);
    return item;
}

TEST(ActionsInTheBrowser, EventAttributesRunWithoutConsoleErrors)
{
    (void)g_flags;
    CKJDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    CPage* page = doc.m_pages.front().get();
    CItem* text = AddItem(*page, ITEM_TEXT, 20, "t1");
    CItem* input = AddItem(*page, ITEM_INPUT_FIELD, 80, "i1");
    CItem* button = AddItem(*page, ITEM_SUBMIT_BUTTON, 140, "b1");
    Frame frame;
    CKJView view;
    view.SetProject(&doc);
    view.SetFrame(&frame);
    view.resize(1000, 800);
    view.OnInitialUpdate();
    view.SetCurrentPage(page);
    page->SetSiteStyles(&doc.m_styles);
    page->LayoutChildren();

    // the action dialog as the user fills it: each event counts itself under a name
    const CommandDialogs saved = GetCommandDialogs();
    const char16_t* script = nullptr;
    GetCommandDialogs().action = [&script](CItemAction& action, CPage*, const CString&, QWidget*) {
        action.m_wstrScript = CWString(script);
        return IDOK;
    };
    auto give = [&](std::initializer_list<CItem*> items, UINT id, const char16_t* text) {
        view.DeselectAll();
        for (CItem* item : items)
            item->m_bSelected = 1;
        script = text;
        ASSERT_TRUE(ExecuteCommand(&view, id));
    };
    give({text, input, button}, ID_ACTION_ONCLICK, u"window.hits = (window.hits || '') + 'c\"&<';");
    give({text}, ID_ACTION_ON_OVER, u"window.hits = (window.hits || '') + 'o';");
    give({input}, ID_ACTION_ON_FOCUS, u"window.hits = (window.hits || '') + 'f';");
    give({input}, ID_ACTION_ON_CHANGE, u"window.hits = (window.hits || '') + 'h';");
    GetCommandDialogs() = saved;
    EXPECT_EQ(doc.m_undo.GetCount(), 4u);

    QTemporaryDir out;
    CString error;
    const CString file = GeneratePagePreview(doc, page, 1, CString::FromQString(out.path()), &error);
    ASSERT_FALSE(file.IsEmpty()) << error.GetString();
    browsertest::Browser browser;
    ASSERT_TRUE(browsertest::LoadFile(browser.page, file.ToQString()));
    ASSERT_TRUE(browsertest::Settle(browser.page));
    const QString fire = QStringLiteral(
        "(function(){"
        "function at(id){var e=document.getElementById(id);if(!e)throw new Error('no '+id);return e;}"
        "at('t1').dispatchEvent(new MouseEvent('click',{bubbles:true}));"
        "at('t1').dispatchEvent(new MouseEvent('mouseover',{bubbles:true}));"
        "at('i1').dispatchEvent(new MouseEvent('click',{bubbles:true}));"
        "at('i1').dispatchEvent(new FocusEvent('focus'));"
        "at('i1').dispatchEvent(new Event('change',{bubbles:true}));"
        "at('b1').dispatchEvent(new MouseEvent('click',{bubbles:false,cancelable:true}));"
        "return window.hits || '';})()");
    EXPECT_EQ(browsertest::RunScript(browser.page, fire).toString(), QStringLiteral("c\"&<oc\"&<fhc\"&<"));
    EXPECT_TRUE(browser.page.errors.isEmpty()) << browser.page.errors.join(QLatin1Char('\n')).toStdString();
}

} // namespace
