// The HTML, HEAD, JavaScript and PHP code dialogs, offscreen: the tag toolbar wrapping the
// selection, the link and picture dialogs, the colour command, Tab and Enter as text, the
// snippet chooser.
#include "ComboTestSupport.h"
#include "DialogTestSupport.h"

#include "controls/ColorControl.h"
#include "controls/DialogToolBar.h"
#include "dialogs/CodeTextDialogs.h"
#include "dialogs/PhpDialogs.h"
#include "framework/core/Profile.h"
#include "framework/ui/CmdTarget.h"
#include "support/ExternalTools.h"

#include <QtGui/QAction>
#include <QtGui/QTextCursor>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPlainTextEdit>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace dialogtest;

namespace {

void Select(QPlainTextEdit* edit, int start, int end)
{
    QTextCursor c = edit->textCursor();
    c.setPosition(start);
    c.setPosition(end, QTextCursor::KeepAnchor);
    edit->setTextCursor(c);
}

// Runs the HTML dialog on text with a selection, lets act run commands, and returns the
// text and the selection after it.
struct Wrapped {
    QString text;
    int start = 0, end = 0;
};

// The answer the toolbar's sub-dialogs get (null: Cancel).
std::function<int(CDialog&)>& SubAnswer()
{
    static std::function<int(CDialog&)> answer;
    return answer;
}

Wrapped WrapIn(const char* text, int start, int end, const std::function<void(DHtml&)>& act)
{
    DHtml dlg;
    dlg.m_strCode = text;
    Wrapped out;
    const CDialog::ModalHook previous = CDialog::SetModalHook([&](CDialog& d) -> int {
        if (&d != &dlg)
            return SubAnswer() ? SubAnswer()(d) : IDCANCEL;
        Select(dlg.Editor(), start, end);
        act(dlg);
        out.text = dlg.Editor()->toPlainText();
        out.start = dlg.Editor()->textCursor().selectionStart();
        out.end = dlg.Editor()->textCursor().selectionEnd();
        return IDCANCEL;
    });
    dlg.DoModal();
    CDialog::SetModalHook(previous);
    return out;
}

// Answers the sub-dialogs of the toolbar for as long as it lives.
struct SubDialogs {
    explicit SubDialogs(std::function<int(CDialog&)> answer) { SubAnswer() = std::move(answer); }
    ~SubDialogs() { SubAnswer() = nullptr; }
};

TEST(HtmlDialog, TagCommandsWrapTheSelection)
{
    const struct {
        UINT id;
        const char* expected;
    } tags[] = {
        {ID_HTML_BOLD, "say <b>hello</b> now"},       {ID_HTML_ITALIC, "say <i>hello</i> now"},
        {ID_HTML_UNDERLINE, "say <u>hello</u> now"},  {ID_HTML_STRIKE, "say <s>hello</s> now"},
        {ID_HTML_TELETYPE, "say <tt>hello</tt> now"}, {ID_HTML_H1, "say <h1>hello</h1> now"},
        {33023, "say <h4>hello</h4> now"},           {ID_HTML_H6, "say <h6>hello</h6> now"},
        {ID_HTML_SIZE_1, "say <font size=1>hello</font> now"}, {ID_HTML_SIZE_2, "say <font size=2>hello</font> now"},
        {ID_HTML_SIZE_3, "say <font size=3>hello</font> now"}, {ID_HTML_SIZE_4, "say <font size=4>hello</font> now"},
        {ID_HTML_SIZE_5, "say <font size=5>hello</font> now"}, {ID_HTML_SIZE_6, "say <font size=6>hello</font> now"},
        {ID_HTML_SIZE_7, "say <font size=7>hello</font> now"}, {ID_HTML_SPECIAL, "say hello now"},
        {ID_HTML_BULLET, "say hello now"},
    };
    for (const auto& t : tags) {
        const Wrapped w = WrapIn("say hello now", 4, 9, [&](DHtml& d) { ExecuteCommand(&d, t.id); });
        EXPECT_EQ(w.text, QString::fromUtf8(t.expected)) << t.id;
        const int open = int(QString::fromUtf8(t.expected).indexOf(QStringLiteral("hello")));
        EXPECT_EQ(w.start, open) << "the word stays selected";
        EXPECT_EQ(w.end, open + 5);
    }
    const Wrapped nested = WrapIn("say hello now", 4, 9, [](DHtml& d) {
        ExecuteCommand(&d, ID_HTML_BOLD);
        ExecuteCommand(&d, ID_HTML_ITALIC);
    });
    EXPECT_EQ(nested.text, QStringLiteral("say <b><i>hello</i></b> now"));
    const Wrapped empty = WrapIn("ab", 1, 1, [](DHtml& d) { ExecuteCommand(&d, ID_HTML_BOLD); });
    EXPECT_EQ(empty.text, QStringLiteral("a<b></b>b"));
    EXPECT_EQ(empty.start, 4) << "the caret between the tags";
    EXPECT_EQ(empty.end, 4);
}

TEST(HtmlDialog, LinkPictureAndColour)
{
    {
        SubDialogs answer([](CDialog& d) {
            d.SetDlgItemText(1000, "page.html?a=1&b=\"2\"");
            d.CheckDlgButton(1001, 1);
            d.OnOK();
            return d.GetResult();
        });
        const Wrapped w = WrapIn("go", 0, 2, [](DHtml& d) { ExecuteCommand(&d, ID_HTML_LINK); });
        // the quotes can never stand in an address: percent-encoded, as the other address writers do
        EXPECT_EQ(w.text, QStringLiteral("<a href=\"page.html?a=1&amp;b=%222%22\" target=\"_blank\">go</a>"));
    }
    {
        // blanks and '<' in a typed address, for the link and for the picture's source
        SubDialogs answer([](CDialog& d) {
            d.SetDlgItemText(1000, "my page.html?q=<b>");
            if (dynamic_cast<DHtmlImage*>(&d))
                d.SetDlgItemText(1002, "my pics/a<1>.png");
            d.OnOK();
            return d.GetResult();
        });
        EXPECT_EQ(WrapIn("go", 0, 2, [](DHtml& d) { ExecuteCommand(&d, ID_HTML_LINK); }).text,
                  QStringLiteral("<a href=\"my%20page.html?q=%3Cb%3E\">go</a>"));
        EXPECT_EQ(WrapIn("xyz", 1, 2, [](DHtml& d) { ExecuteCommand(&d, ID_HTML_IMAGE); }).text,
                  QStringLiteral("x<a href=\"my%20page.html?q=%3Cb%3E\"><img src=\"my%20pics/a%3C1%3E.png\">y</a>z"));
    }
    const struct {
        const char* address;
        int newWindow;
        const char* expected;
    } pictures[] = {
        {"https://example.com/", 1, "x<a href=\"https://example.com/\" target=\"_blank\"><img src=\"pic.png\">y</a>z"},
        {"next.html", 0, "x<a href=\"next.html\"><img src=\"pic.png\">y</a>z"},
        {"", 1, "x<img src=\"pic.png\">yz"},
    };
    for (const auto& p : pictures) {
        SubDialogs answer([&](CDialog& d) {
            d.SetDlgItemText(1002, "pic.png");
            d.SetDlgItemText(1000, p.address);
            d.CheckDlgButton(1001, p.newWindow);
            d.OnOK();
            return d.GetResult();
        });
        EXPECT_EQ(WrapIn("xyz", 1, 2, [](DHtml& d) { ExecuteCommand(&d, ID_HTML_IMAGE); }).text, QString::fromUtf8(p.expected));
    }
    {
        SubDialogs cancel([](CDialog&) { return IDCANCEL; });
        EXPECT_EQ(WrapIn("xyz", 1, 2, [](DHtml& d) { ExecuteCommand(&d, ID_HTML_LINK); }).text, QStringLiteral("xyz"));
        EXPECT_EQ(WrapIn("xyz", 1, 2, [](DHtml& d) { ExecuteCommand(&d, ID_HTML_COLOR); }).text, QStringLiteral("xyz"));
    }
    {
        SubDialogs red([](CDialog& d) {
            static_cast<DChooseColor&>(d).SetColor(0x0000FF);
            d.OnOK();
            return d.GetResult();
        });
        COLORREF kept = 0;
        const Wrapped w = WrapIn("xyz", 1, 2, [&](DHtml& d) {
            ExecuteCommand(&d, ID_HTML_COLOR);
            kept = d.m_crText;
        });
        EXPECT_EQ(w.text, QStringLiteral("x<font color=#FF0000>y</font>z"));
        EXPECT_EQ(kept, 0x0000FFu);
    }
    {
        SubDialogs none([](CDialog& d) {
            d.CheckDlgButton(1013, 1); // "No Color"
            d.SendNotify(1013, BN_CLICKED);
            if (!d.IsEnded())
                d.OnOK();
            return d.GetResult();
        });
        EXPECT_EQ(WrapIn("xyz", 1, 2, [](DHtml& d) { ExecuteCommand(&d, ID_HTML_COLOR); }).text, QStringLiteral("xyz"))
            << "No Color inserts nothing";
    }
}

TEST(HtmlDialog, ButtonsWithoutACommandAreDisabled)
{
    DHtml dlg;
    ASSERT_NE(dlg.ToolBar(), nullptr);
    for (UINT id : {ID_HTML_SPECIAL, ID_HTML_BULLET}) {
        ASSERT_NE(dlg.ToolBar()->Action(id), nullptr) << id;
        EXPECT_FALSE(dlg.ToolBar()->Action(id)->isEnabled()) << id;
    }
    for (UINT id : {ID_HTML_CUT, ID_HTML_BOLD, ID_HTML_SIZE_7, ID_HTML_COLOR, ID_HTML_LINK, ID_HTML_IMAGE, ID_HTML_H6}) {
        ASSERT_NE(dlg.ToolBar()->Action(id), nullptr) << id;
        EXPECT_TRUE(dlg.ToolBar()->Action(id)->isEnabled()) << id;
    }
}

TEST(HtmlDialog, ToolbarOutputMakesAValidPage)
{
    QString body;
    {
        SubDialogs answer([](CDialog& d) {
            if (dynamic_cast<DChooseColor*>(&d))
                static_cast<DChooseColor&>(d).SetColor(0x00FF00);
            else
                d.SetDlgItemText(1000, "a.html");
            if (dynamic_cast<DHtmlImage*>(&d))
                d.SetDlgItemText(1002, "p.png");
            d.OnOK();
            return d.GetResult();
        });
        const UINT commands[] = {ID_HTML_BOLD, ID_HTML_ITALIC, ID_HTML_UNDERLINE, ID_HTML_STRIKE, ID_HTML_COLOR,
                                 ID_HTML_SIZE_3, ID_HTML_LINK};
        body = WrapIn("<p>text</p>", 3, 7, [&](DHtml& d) {
                   for (UINT id : commands)
                       ExecuteCommand(&d, id);
               }).text;
        body += WrapIn("<p>pic</p>", 3, 6, [](DHtml& d) { ExecuteCommand(&d, ID_HTML_IMAGE); }).text;
        body += WrapIn("title", 0, 5, [](DHtml& d) { ExecuteCommand(&d, 33021); }).text;
    }
    const QByteArray page = "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\"><title>t</title></head><body>\n"
        + body.toUtf8() + "\n</body></html>\n";
    EXPECT_EQ(testsupport::TidyErrors(page), QByteArray()) << page.constData();
}

TEST(CodeDialogs, TabAndEnterAreTextInEachBox)
{
    const std::function<DCodeTextBase*()> makers[] = {
        [] { return new DHtml; }, [] { return new DHeadCode; }, [] { return new DJavaScript; },
        [] { return new DPhpCode; }, [] { return new DRawPhp; },
    };
    for (const auto& make : makers) {
        std::unique_ptr<DCodeTextBase> dlg(make());
        dlg->m_strCaption = "Page : index";
        const int result = RunDialog(*dlg, [](CDialog& d) {
            auto& code = static_cast<DCodeTextBase&>(d);
            EXPECT_EQ(d.windowTitle(), QStringLiteral("Page : index"));
            QPlainTextEdit* edit = code.Editor();
            edit->setFocus();
            for (auto [key, text] : {std::pair{Qt::Key_A, "a"}, std::pair{Qt::Key_Tab, "\t"},
                                     std::pair{Qt::Key_Return, "\r"}, std::pair{Qt::Key_B, "b"}}) {
                QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString::fromLatin1(text));
                QApplication::sendEvent(edit, &press);
            }
            EXPECT_FALSE(d.IsEnded()) << "Enter does not close the dialog";
            EXPECT_EQ(edit->toPlainText(), QStringLiteral("a\t\nb"));
            PressOk(d);
        });
        EXPECT_EQ(result, IDOK);
    }
    DJavaScript js;
    js.m_strCode = "var a = 1;";
    EXPECT_EQ(RunDialog(js,
                        [](CDialog& d) {
                            EXPECT_EQ(d.windowTitle(), QStringLiteral("JavaScript"));
                            static_cast<DJavaScript&>(d).Editor()->setPlainText(QStringLiteral("var b = 2;\nb++;"));
                            PressOk(d);
                        }),
              IDOK);
    EXPECT_EQ(js.m_strCode.ToQString(), QStringLiteral("var b = 2;\nb++;"));
    DHtml html;
    html.m_strCode = "<p>x</p>";
    RunDialog(html, [](CDialog& d) { Screenshot(d, "DHtml"); });
}

TEST(PhpDialogs, SnippetChooserUsesTheProfileAddress)
{
    const struct {
        int row;
        const char* expected; // a part of the code; null: empty code
    } rows[] = {{0, nullptr}, {3, "echo date('Y-m-d');"}, {5, "$youremail = 'orders@example.com';"}};
    WriteProfileString("Current", "Email", "orders@example.com");
    for (const auto& r : rows) {
        DInsertPhp dlg;
        EXPECT_EQ(RunDialog(dlg,
                            [&](CDialog& d) {
                                auto* list = qobject_cast<QListWidget*>(d.GetDlgItem(1078));
                                EXPECT_EQ(list->count(), 10);
                                EXPECT_EQ(list->currentRow(), 0);
                                list->setCurrentRow(r.row);
                                PressOk(d);
                            }),
                  IDOK);
        if (!r.expected)
            EXPECT_TRUE(dlg.m_strCode.IsEmpty());
        else
            EXPECT_GE(dlg.m_strCode.Find(r.expected), 0) << dlg.m_strCode.GetString();
    }
    DRawPhp raw;
    raw.m_strCode = "$a = 1;";
    EXPECT_EQ(RunDialog(raw,
                        [](CDialog& d) {
                            EXPECT_EQ(d.windowTitle(), QStringLiteral("Raw PHP"));
                            EXPECT_EQ(d.GetDlgItemText(1000), CString("$a = 1;"));
                            PressOk(d);
                        }),
              IDOK);
    EXPECT_EQ(raw.m_strCode.GetUtf8(), CString("$a = 1;"));
}

} // namespace
