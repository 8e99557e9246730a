// Pages with a form and with a drop-down menu in the browser control: the form's
// validation stops bad input with its message and lets good input through, the menu's
// drop-downs are shown and hidden by their script, and no script error appears.
// Outside addresses are blocked, so the test needs no network.
#include "model/PageOutput.h"
#include "model/PublishContext.h"
#include "model/items/FormItem.h"
#include "model/items/InputFieldItem.h"
#include "model/items/MenuItem.h"
#include "model/items/SubmitButtonItem.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QJsonArray>
#include <QtCore/QJsonDocument>
#include <QtCore/QTemporaryDir>
#include <QtWidgets/QApplication>

#include "BrowserHarness.h"

#include <gtest/gtest.h>

namespace {

using namespace browsertest;

// Writes the assembled page into the folder and loads it.
bool Load(QWebEnginePage& page, CPageOutput& out, const QTemporaryDir& dir)
{
    out.AssemblePage();
    const QString path = QDir(dir.path()).filePath(QStringLiteral("index.html"));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write(out.m_strFinalPage.GetString());
    f.close();
    return LoadFile(page, path);
}

// A script string literal holding the text.
QString JsString(const QString& text)
{
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1, array.size() - 2));
}

template <typename T> T* Field(const char* name, int y)
{
    auto* f = new T;
    f->m_strName = name;
    f->m_nX = 10;
    f->m_nY = y;
    f->RecalcLayout();
    return f;
}

TEST(FormMenuBrowser, ValidationShowsItsMessageAndBlocksOnlyBadInput)
{
    CFormItem form;
    form.m_strName = "order";
    form.m_nWidth = 400;
    form.m_nHeight = 200;
    auto* name = Field<CInputFieldItem>("name", 10);
    name->m_bRequired = 1;
    name->m_strRequiredMessage.SetText(u"Please, don't forget your name");
    name->m_strRequiredChars.SetText(u"]'");
    name->m_strRuleMessage.SetText(u"It's missing a ] or a '");
    auto* code = Field<CInputFieldItem>("code", 40);
    code->m_bRequired = 1; // the default message when empty
    code->m_strForbiddenChars.SetText(u"\\^-]");
    code->m_strRuleMessage.SetText(u"No \\, ^, - or ] in a code, it's plain");
    auto* send = Field<CSubmitButtonItem>("send", 80);
    send->m_strText.SetText(u"Send");
    form.AddChild(name);
    form.AddChild(code);
    form.AddChild(send);
    CPageOutput out;
    out.m_nMode = kPublishExport;
    out.m_wstrTitle.SetText(u"Order");
    form.WriteHtml(out);

    QTemporaryDir dir;
    Browser browser;
    ConsolePage& page = browser.page;
    ASSERT_TRUE(Load(page, out, dir));
    const QUrl loadedUrl = page.url();

    // The alert is captured; a listener on the window runs after the form's own handler,
    // notes whether that handler stopped the sending, and keeps the page where it is.
    ASSERT_TRUE(RunScript(page, QStringLiteral(
        "window.said = []; window.alert = function(m) { window.said.push(String(m)); };"
        "window.blocked = null;"
        "window.addEventListener('submit', function(e) { window.blocked = e.defaultPrevented; e.preventDefault(); });"
        "!!document.forms[0] && !!document.forms[0].getAttribute('onSubmit')")).toBool());

    const QString nameMissing = name->m_strRequiredMessage.GetUtf8().ToQString();
    const QString nameRule = name->m_strRuleMessage.GetUtf8().ToQString();
    const QString codeRule = code->m_strRuleMessage.GetUtf8().ToQString();
    struct Case {
        QString name, code, message; // an empty message: the form is sent
    } const cases[] = {
        {"", "x", nameMissing},
        {"ab", "x", nameRule},
        {"a]b", "x", nameRule},
        {"a'b", "x", nameRule},
        {"a]'b", "", "This field is required."},
        {"a]'b", "x\\y", codeRule},
        {"a]'b", "x^y", codeRule},
        {"a]'b", "x-y", codeRule},
        {"a]'b", "x]y", codeRule},
        {"a]'b", "x'y", ""},
        {"a]'b", "xyz", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QStringLiteral("name [%1] code [%2]").arg(c.name, c.code).toStdString());
        const QString script = QStringLiteral(
            "(function(n, c) { var f = document.forms[0]; window.said = []; window.blocked = null;"
            " f.elements['name'].value = n; f.elements['code'].value = c;"
            " f.querySelector('input[type=submit]').click();"
            " return JSON.stringify([window.blocked, window.said]); })(%1, %2)")
            .arg(JsString(c.name), JsString(c.code));
        const QString result = RunScript(page, script).toString();
        const QJsonArray got = QJsonDocument::fromJson(result.toUtf8()).array();
        ASSERT_EQ(got.size(), 2) << result.toStdString();
        const bool expectBlocked = !c.message.isEmpty();
        EXPECT_TRUE(got[0].isBool()) << result.toStdString(); // the submit event fired
        EXPECT_EQ(got[0].toBool(), expectBlocked) << result.toStdString();
        const QJsonArray said = expectBlocked ? QJsonArray{c.message} : QJsonArray();
        EXPECT_EQ(QJsonDocument(got[1].toArray()).toJson().toStdString(), QJsonDocument(said).toJson().toStdString());
    }
    EXPECT_EQ(page.url(), loadedUrl);
    EXPECT_TRUE(page.errors.isEmpty()) << page.errors.join('\n').toStdString();
}

CMenuEntry* Entry(const char16_t* caption, int number, const char* href)
{
    auto* e = new CMenuEntry;
    e->m_strCaption.SetText(caption);
    e->m_nNumber = number;
    e->m_link.m_nKind = kLinkAddress;
    e->m_link.m_strHref = href;
    return e;
}

TEST(FormMenuBrowser, DropDownsShowOnHoverAndHideAfterTheirTimer)
{
    for (int flowing = 0; flowing < 2; ++flowing) {
        SCOPED_TRACE(flowing ? "flowing" : "positioned");
        CMenuItem menu;
        menu.m_strName = "nav";
        menu.m_bPositioned = !flowing;
        menu.m_topEntries.emplace_back(Entry(u"Home", 0, "index.html"));
        menu.m_topEntries.emplace_back(Entry(u"Shop", 0, "shop.html"));
        menu.m_topEntries.emplace_back(Entry(u"Help", 0, "help.html"));
        menu.m_dropEntries.emplace_back(Entry(u"Books", 1, "books.html"));
        menu.m_dropEntries.emplace_back(Entry(u"Music", 1, "music.html"));
        menu.m_dropEntries.emplace_back(Entry(u"FAQ", 2, "faq.html"));
        menu.RecalcLayout();
        CPageOutput out;
        out.m_nMode = kPublishExport;
        out.m_wstrTitle.SetText(u"Menu");
        menu.WriteHtml(out);

        QTemporaryDir dir;
        Browser browser;
        ConsolePage& page = browser.page;
        ASSERT_TRUE(Load(page, out, dir));

        const auto state = [&] {
            return RunScript(page, QStringLiteral("['navSM1','navSM2'].map(id => getComputedStyle(document.getElementById(id)).visibility).join(' ')")).toString().toStdString();
        };
        const auto hover = [&](const char* id, const char* event) {
            RunScript(page, QStringLiteral("document.getElementById('%1').dispatchEvent(new MouseEvent('%2', {bubbles: true})); 0").arg(id, event));
        };
        EXPECT_EQ(state(), "hidden hidden");

        hover("navTI1", "mouseover");
        EXPECT_EQ(state(), "visible hidden");
        // The shown drop-down sits under the bar, reaching across its entry, not somewhere
        // off the menu. (The browser's text widths differ from the layout's, so the edges
        // need not line up exactly.)
        const QStringList boxes = RunScript(page, QStringLiteral(
            "[document.getElementById('navTI1'), document.getElementById('navSM1')]"
            ".map(e => { const r = e.getBoundingClientRect(); return [r.left, r.right, r.top, r.bottom].map(Math.round).join(' '); })")).toStringList();
        ASSERT_EQ(boxes.size(), 2);
        const QStringList cell = boxes[0].split(' '), drop = boxes[1].split(' ');
        const std::string where = boxes.join(" / ").toStdString();
        EXPECT_LT(drop[0].toInt(), cell[1].toInt()) << where;
        EXPECT_GT(drop[1].toInt(), cell[0].toInt()) << where;
        EXPECT_GE(drop[2].toInt(), cell[3].toInt() - 1) << where;
        EXPECT_LE(drop[2].toInt(), cell[3].toInt() + 8) << where;
        EXPECT_GT(drop[3].toInt(), drop[2].toInt()) << where;

        // Showing another drop-down hides the first.
        RunScript(page, QStringLiteral("navShowMenu('navSM2'); 0"));
        EXPECT_EQ(state(), "hidden visible");
        hover("navTI1", "mouseover");
        EXPECT_EQ(state(), "visible hidden");

        // The page's timers run when the test says, so the delay is checked as asked for,
        // not measured.
        TakeOverTimers(page);
        // Leaving the bar entry starts the one-second timer; reaching the drop-down before
        // it runs out stops it.
        hover("navTI1", "mouseout");
        EXPECT_EQ(PendingTimers(page), "1000");
        EXPECT_EQ(state(), "visible hidden");
        hover("navSI1x1", "mouseover");
        EXPECT_EQ(PendingTimers(page), "");
        FireTimers(page);
        EXPECT_EQ(state(), "visible hidden");

        // Leaving the drop-down starts it again; the drop-down stays until it runs out.
        hover("navSI1x1", "mouseout");
        EXPECT_EQ(PendingTimers(page), "1000");
        EXPECT_EQ(state(), "visible hidden");
        FireTimers(page);
        EXPECT_EQ(state(), "hidden hidden");
        EXPECT_EQ(PendingTimers(page), "");
        EXPECT_TRUE(page.errors.isEmpty()) << page.errors.join('\n').toStdString();
    }
}

} // namespace

int main(int argc, char** argv)
{
    browsertest::PrepareEnvironment();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
