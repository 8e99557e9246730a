// The Action menu: event actions given to every selected item in one undo step, links
// and the question about links inside groups, a form's destination, and the update
// handlers' type sets.
#include "FormatTestSupport.h"

#include "dialogs/ActionDialogs.h"
#include "dialogs/LinkDialog.h"
#include "tests/support/ExternalTools.h"

#include <gtest/gtest.h>

#include <deque>

using namespace edtest;

namespace {

// The action dialog as a user fills it: a script for the event.
int WriteScript(CItemAction& action, const char16_t* script, int result)
{
    action.m_wstrScript = CWString(script);
    return result;
}

int Count(const CString& text, const char* what)
{
    int n = 0;
    for (int at = text.Find(what); at >= 0; at = text.Find(what, at + 1))
        ++n;
    return n;
}

TEST(ActionCommands, OnClickGivesThreeItemsOneActionAndOneUndoRestoresThemAll)
{
    FormatCanvas c;
    CItem* items[] = {c.Add(ITEM_TEXT, 10, 10), c.Add(ITEM_IMAGE_BUTTON, 10, 100), c.Add(ITEM_PARAGRAPH, 200, 10)};
    c.Settle();
    c.Select({items[0], items[1], items[2]});
    c.SetUploaded();
    PluggedDialogs plug;
    CString title;
    GetCommandDialogs().action = [&](CItemAction& action, CPage* page, const CString& t, QWidget*) {
        EXPECT_EQ(page, c.page);
        title = t;
        return WriteScript(action, u"alert('<&>');", IDOK);
    };
    const std::vector<BYTE> bytes = c.Bytes();
    const FormatCanvas::Counts before = c.Count();
    c.Run(ID_ACTION_ONCLICK);
    EXPECT_GE(title.Find(" : On Click"), 1) << title.GetString();
    for (CItem* item : c.SelectedNow())
        EXPECT_EQ(item->m_actions[EVENT_CLICK].m_wstrScript, CWString(u"alert('<&>');")) << item->m_nType;
    c.ExpectOneUndoStep(before, "On Click");
    EXPECT_EQ(c.doc.m_undo.GetHead()->m_nItemId, 0) << "the whole container is recorded";
    c.ExpectAllUploadStatesReset();
    // the attribute is escaped for its place in the generated page
    const CString html = c.PageHtmlNow();
    EXPECT_EQ(Count(html, "onClick=\"alert('<&amp;>');\""), 3) << html.GetString();
    EXPECT_EQ(testsupport::TidyErrors(QByteArray(html.GetString())), QByteArray());
    c.Undo();
    c.SetUploaded();
    const std::vector<BYTE> now = c.Bytes();
    const long at = FirstDifference(now, bytes);
    EXPECT_EQ(at, -1) << FormatCanvas::Around(now, at) << " was " << FormatCanvas::Around(bytes, at);
}

TEST(ActionCommands, EventCommandsOnOneItemRecordThatItemAndCancelPutsTheRecordBack)
{
    const struct {
        UINT id;
        int event, type;
        const char* undo;
    } cases[] = {
        {ID_ACTION_ONCLICK, EVENT_CLICK, ITEM_TEXT, "On Click"},
        {ID_ACTION_ON_OVER, EVENT_MOUSE_OVER, ITEM_TEXT, "On Over"},
        {ID_ACTION_ON_OUT, EVENT_MOUSE_OUT, ITEM_TEXT, "On Out"},
        {ID_ACTION_ON_BLUR, EVENT_BLUR, ITEM_INPUT_FIELD, "On Blur"},
        {ID_ACTION_ON_FOCUS, EVENT_FOCUS, ITEM_CHECK_BOX, "On Focus"},
        {ID_ACTION_ON_CHANGE, EVENT_CHANGE, ITEM_LIST_CONTROL, "On Change"},
    };
    for (const auto& k : cases) {
        for (const bool ok : {true, false}) {
            FormatCanvas c;
            CItem* item = c.Add(k.type, 10, 10);
            c.LayOut();
            c.Select({item});
            c.SetUploaded();
            PluggedDialogs plug;
            // the dialog edits the record in place, also when the user then cancels
            GetCommandDialogs().action = [ok](CItemAction& action, CPage*, const CString&, QWidget*) {
                return WriteScript(action, u"x=1;", ok ? IDOK : IDCANCEL);
            };
            const std::vector<BYTE> bytes = c.Bytes();
            const FormatCanvas::Counts before = c.Count();
            ASSERT_TRUE(c.Enabled(k.id)) << k.undo;
            c.Run(k.id);
            CItem* now = c.page->GetChildren().front().get();
            if (!ok) {
                c.ExpectUnchanged(bytes);
                EXPECT_TRUE(now->m_actions[k.event].IsEmpty()) << k.undo;
                continue;
            }
            EXPECT_EQ(now->m_actions[k.event].m_wstrScript, CWString(u"x=1;")) << k.undo;
            c.ExpectOneUndoStep(before, k.undo);
            // the container is recorded: the dialog may name another item as its target
            EXPECT_EQ(c.doc.m_undo.GetHead()->m_nItemId, 0);
        }
    }
}

// The designer's own action dialog: a step that targets an unnamed item names it with an
// id from the project's counter that no item bears (neither as name nor as its
// "id<serial>"); Cancel takes the name back, OK is one step that Undo takes back whole.
TEST(ActionCommands, TheTargetsNewIdIsPartOfTheChange)
{
    for (const bool ok : {false, true}) {
        SCOPED_TRACE(ok ? "OK" : "Cancel");
        FormatCanvas c;
        CItem* source = c.Add(ITEM_TEXT, 10, 10);
        source->m_strName = "Source";
        CItem* target = c.Add(ITEM_TEXT, 10, 100);
        ASSERT_TRUE(target->m_strName.IsEmpty());
        // an unnamed item answers to "id<serial>" in the page: the counter starts on it
        c.doc.m_nItemCounter = target->m_nSerial;
        CItem* named = c.Add(ITEM_TEXT, 10, 200);
        named->m_strName.Format("id%d", target->m_nSerial + 1);
        c.Settle();
        c.Select({source});
        c.SetUploaded();
        const std::vector<BYTE> bytes = c.Bytes();
        const FormatCanvas::Counts before = c.Count();

        // DAction: add a Bold step on the second item of the page, then OK or Cancel
        std::deque<std::function<int(CDialog&)>> steps;
        auto finish = [](CDialog& d, bool accept) {
            accept ? d.OnOK() : d.OnCancel();
            return d.IsEnded() ? d.GetResult() : int(IDCANCEL);
        };
        steps.push_back([&](CDialog& d) {
            auto* action = dynamic_cast<DAction*>(&d);
            if (!action) {
                ADD_FAILURE() << "expected the action dialog";
                return int(IDCANCEL);
            }
            action->OnAdd();
            EXPECT_EQ(action->List()->GetItemCount(), 1);
            return finish(d, ok);
        });
        steps.push_back([&](CDialog& d) {
            auto& add = dynamic_cast<DAddAction&>(d);
            add.List()->SelectRow(kStepBold);
            return finish(d, true);
        });
        steps.push_back([&](CDialog& d) {
            auto& tree = dynamic_cast<DItemTree&>(d);
            tree.Tree()->SelectItem(tree.Tree()->topLevelItem(1));
            return finish(d, true);
        });
        steps.push_back([&](CDialog& d) { return finish(d, true); }); // the bold choice
        const CDialog::ModalHook previous = CDialog::SetModalHook([&](CDialog& d) -> int {
            if (steps.empty()) {
                ADD_FAILURE() << "unexpected dialog " << d.windowTitle().toStdString();
                return IDCANCEL;
            }
            auto step = steps.front();
            steps.pop_front();
            return step(d);
        });
        c.Run(ID_ACTION_ONCLICK);
        CDialog::SetModalHook(previous);
        EXPECT_TRUE(steps.empty());
        if (!ok) {
            c.ExpectUnchanged(bytes);
            // Cancel reads the container back as new objects: ask the page, not `target`
            EXPECT_TRUE(c.page->GetChildren()[1]->m_strName.IsEmpty());
            continue;
        }
        const CString id = CString::Formatted("id%d", target->m_nSerial + 2);
        EXPECT_EQ(target->m_strName, id);
        ASSERT_EQ(source->m_actions[EVENT_CLICK].GetStepCount(), 1);
        EXPECT_EQ(source->m_actions[EVENT_CLICK].GetStep(0).m_strTarget, id);
        c.ExpectOneUndoStep(before, "On Click");
        const int serial = target->m_nSerial;
        c.Undo();
        c.SetUploaded();
        // the number drawn stays used, as every name drawn does
        EXPECT_EQ(c.doc.m_nItemCounter, serial + 3);
        c.doc.m_nItemCounter = serial;
        const std::vector<BYTE> now = c.Bytes();
        const long at = FirstDifference(now, bytes);
        EXPECT_EQ(at, -1) << FormatCanvas::Around(now, at) << " was " << FormatCanvas::Around(bytes, at);
        EXPECT_TRUE(c.page->GetChildren()[1]->m_strName.IsEmpty()) << "Undo takes the new id back";
    }
}

TEST(ActionCommands, UpdateHandlersTestTheTypesOfTheSelection)
{
    const struct {
        std::vector<int> types;
        UINT id;
        bool enabled;
    } cases[] = {
        {{ITEM_PARAGRAPH}, ID_ACTION_ON_FOCUS, false},
        {{ITEM_CHECK_BOX}, ID_ACTION_ON_FOCUS, true},
        {{ITEM_RADIO_CHOICE}, ID_ACTION_ON_BLUR, true},
        {{ITEM_SUBMIT_BUTTON}, ID_ACTION_ON_CHANGE, true},
        {{ITEM_CHECK_BOX}, ID_ACTION_ON_CHANGE, false},
        {{ITEM_YOUTUBE, ITEM_PARAGRAPH}, ID_ACTION_ONCLICK, false},
        {{ITEM_PARAGRAPH, ITEM_YOUTUBE}, ID_ACTION_ONCLICK, true},
        {{ITEM_FLASH}, ID_ACTION_ON_OVER, false},
        {{ITEM_AUDIO_STREAM}, ID_ACTION_ON_OUT, false},
        {{ITEM_IMAGE}, ID_ACTION_ON_OUT, true},
        {{ITEM_GROUP, ITEM_PARAGRAPH, ITEM_SHAPE}, ID_ACTION_LINK, true},
        {{ITEM_PARAGRAPH, ITEM_TABLE}, ID_ACTION_LINK, false},
        {{ITEM_INPUT_FIELD}, ID_ACTION_LINK, false},
        {{}, ID_ACTION_LINK, false},
        {{}, ID_ACTION_ONCLICK, false},
        {{ITEM_FORM}, ID_FORM_SEND_TO, true},
        {{ITEM_GROUP}, ID_FORM_SEND_TO, false},
    };
    for (const auto& k : cases) {
        FormatCanvas c;
        PluggedDialogs plug;
        GetCommandDialogs().action = [](CItemAction&, CPage*, const CString&, QWidget*) { return IDCANCEL; };
        GetCommandDialogs().sendForm = [](CItemLink&, CKJDoc&, QWidget*) { return IDCANCEL; };
        std::vector<CItem*> items;
        int y = 0;
        for (int type : k.types)
            items.push_back(c.Add(type, 10, (y += 60)));
        c.Select(items);
        EXPECT_EQ(c.Enabled(k.id), k.enabled) << k.id << " first type " << (k.types.empty() ? 0 : k.types[0]);
        // without a container every command is off
        c.view().m_pContainer = nullptr;
        EXPECT_FALSE(c.Enabled(k.id)) << k.id;
    }
    // without its dialog a command stays off: the event commands and Send Form Data To
    // lose theirs here
    PluggedDialogs plugged;
    GetCommandDialogs().action = nullptr;
    GetCommandDialogs().sendForm = nullptr;
    FormatCanvas c;
    CItem* text = c.Add(ITEM_TEXT, 10, 10);
    c.Select({text});
    for (UINT id : {ID_ACTION_ONCLICK, ID_ACTION_ON_OVER, ID_ACTION_ON_OUT, ID_FORM_SEND_TO})
        EXPECT_FALSE(c.Enabled(id)) << id;
}

// A group holding a Text with a link of its own, beside a paragraph.
struct LinkedGroup : FormatCanvas {
    CGroupItem* group = nullptr;
    CItem* inner = nullptr;
    CItem* para = nullptr;
    LinkedGroup()
    {
        group = AddBox(*page, 10, 10, 300, 120, RGB(240, 240, 240));
        inner = CreateItem(ITEM_TEXT);
        inner->m_bPositioned = 1;
        inner->m_nX = inner->m_nY = 10;
        inner->m_nWidth = 200;
        inner->m_nHeight = 30;
        inner->m_strText.FromUtf8("Inner words");
        inner->m_link.m_nKind = kLinkAddress;
        inner->m_link.m_strUrl = "https://example.com/inner";
        group->AddChild(inner);
        para = Add(ITEM_PARAGRAPH, 10, 200, 200, 40);
        para->m_strText.FromUtf8("Paragraph");
        LayOut();
        Select({group, para});
        SetUploaded();
    }
    // The Link dialog answered with an address.
    void AnswerLink(const char* url, bool ok)
    {
        Answer<DLink>([url](DLink& d) {
            d.CheckDlgButton(1043, 0);
            d.CheckDlgButton(1045, 1);
            d.UpdateControls();
            d.SetDlgItemText(1011, url);
        }, ok);
    }
};

TEST(ActionCommands, LinkOnAGroupRemovesTheLinksInsideAfterYes)
{
    LinkedGroup c;
    const std::vector<BYTE> bytes = c.Bytes();
    const FormatCanvas::Counts before = c.Count();
    Answers yes(IDYES);
    c.AnswerLink("https://example.com/?a=1&b=\"2\"", true);
    c.Run(ID_ACTION_LINK);
    ASSERT_EQ(yes.texts.size(), 1u) << "asked once";
    EXPECT_EQ(yes.texts[0], CString("Group contains links inside. They must be removed. Do you want to remove links inside group?"));
    EXPECT_EQ(c.group->m_link.m_nKind, kLinkAddress);
    EXPECT_EQ(c.para->m_link.m_nKind, kLinkAddress);
    EXPECT_EQ(c.para->m_link.m_strUrl, c.group->m_link.m_strUrl);
    EXPECT_EQ(c.inner->m_link.m_nKind, kLinkNone);
    c.ExpectOneUndoStep(before, "Link");
    EXPECT_EQ(c.doc.m_undo.GetHead()->m_nItemId, 0);
    c.ExpectAllUploadStatesReset();

    const CString html = c.PageHtmlNow();
    EXPECT_EQ(testsupport::TidyErrors(QByteArray(html.GetString())), QByteArray()) << html.GetString();
    EXPECT_EQ(html.Find("https://example.com/inner"), -1);
    // no anchor opens before the one before it closed
    int depth = 0, deepest = 0;
    for (int at = 0; at < html.GetLength(); ++at) {
        if (html.Mid(at, 3) == "<a ")
            deepest = std::max(deepest, ++depth);
        else if (html.Mid(at, 4) == "</a>")
            --depth;
    }
    EXPECT_EQ(deepest, 1) << html.GetString();
    EXPECT_GE(Count(html, "a=1&amp;b=%222%22") + Count(html, "a=1&amp;b=&quot;2&quot;"), 1) << html.GetString();

    c.Undo();
    c.SetUploaded();
    EXPECT_EQ(FirstDifference(c.Bytes(), bytes), -1) << "one Edit/Undo gives every link back";
}

TEST(ActionCommands, NoToTheGroupQuestionLeavesTheProjectAsItWas)
{
    LinkedGroup c;
    const std::vector<BYTE> bytes = c.Bytes();
    Answers no(IDNO);
    c.AnswerLink("https://example.com/", true);
    c.Run(ID_ACTION_LINK);
    EXPECT_EQ(no.texts.size(), 1u);
    c.ExpectUnchanged(bytes);
    EXPECT_EQ(c.inner->m_link.m_nKind, kLinkAddress);
}

TEST(ActionCommands, LinkCancelledAndLinkOnOneItem)
{
    LinkedGroup c;
    const std::vector<BYTE> bytes = c.Bytes();
    c.AnswerLink("https://example.com/", false);
    c.Run(ID_ACTION_LINK);
    c.ExpectUnchanged(bytes);

    c.Select({c.para});
    const FormatCanvas::Counts before = c.Count();
    c.AnswerLink("https://example.com/p", true);
    c.Run(ID_ACTION_LINK);
    EXPECT_EQ(c.para->m_link.m_strUrl, CString("https://example.com/p"));
    c.ExpectOneUndoStep(before, "Link");
    EXPECT_EQ(c.doc.m_undo.GetHead()->m_nItemId, c.para->m_nSerial);
}

TEST(ActionCommands, SendFormDataToChangesTheFormsActionAndIsUndone)
{
    FormatCanvas c;
    CItem* form = c.Add(ITEM_FORM, 10, 10, 400, 200);
    CItem* text = c.Add(ITEM_TEXT, 10, 300);
    c.LayOut();
    PluggedDialogs plug;
    GetCommandDialogs().sendForm = [](CItemLink& link, CKJDoc&, QWidget*) {
        link.m_nKind = kLinkAddress;
        link.m_strUrl = "https://example.com/receive.php?x=1&y=2";
        return IDOK;
    };
    // not a form: nothing happens
    c.Select({text});
    std::vector<BYTE> bytes = c.Bytes();
    c.Run(ID_FORM_SEND_TO);
    c.ExpectUnchanged(bytes);

    c.Select({form});
    const CString before = c.PageHtmlNow();
    c.SetUploaded();
    bytes = c.Bytes();
    const FormatCanvas::Counts counts = c.Count();
    c.Run(ID_FORM_SEND_TO);
    c.ExpectOneUndoStep(counts, "Send Form Data To");
    const CString after = c.PageHtmlNow();
    EXPECT_NE(after, before);
    EXPECT_GE(after.Find("action=\"https://example.com/receive.php?x=1&amp;y=2\""), 0) << after.GetString();
    EXPECT_EQ(testsupport::TidyErrors(QByteArray(after.GetString())), QByteArray());
    c.Undo();
    c.SetUploaded();
    EXPECT_EQ(FirstDifference(c.Bytes(), bytes), -1);
}

} // namespace
