#include "model/ItemAction.h"
#include "model/ItemLink.h"
#include "model/PageOutput.h"
#include "model/items/ShapeItem.h"
#include "framework/core/CArchive.h"
#include "framework/core/Exceptions.h"
#include "tests/support/ExternalTools.h"

#include <gtest/gtest.h>
#include <QtCore/QJsonDocument>
#include <QtCore/QJsonObject>
#include <QtCore/QRegularExpression>
#include <functional>
#include <vector>

namespace {

std::vector<BYTE> StoreWith(const std::function<void(CArchive&)>& write)
{
    CMemFile f;
    {
        CArchive ar(&f, CArchive::store);
        write(ar);
        ar.Close();
    }
    return f.Bytes();
}

CWString Wide(const char16_t* text)
{
    CWString s;
    s.SetText(text);
    return s;
}

// Replaces numeric character references by the characters they name.
CString ResolveCharRefs(const CString& text)
{
    static const QRegularExpression ref(QStringLiteral("&#(x[0-9A-F]+|[0-9]+);"));
    QString s = text.ToQString();
    QString out;
    qsizetype pos = 0;
    for (auto it = ref.globalMatch(s); it.hasNext();) {
        auto m = it.next();
        out += s.mid(pos, m.capturedStart() - pos);
        QString n = m.captured(1);
        char32_t c = n.startsWith('x') ? char32_t(n.mid(1).toUInt(nullptr, 16)) : char32_t(n.toUInt());
        out += QString::fromUcs4(&c, 1);
        pos = m.capturedEnd();
    }
    out += s.mid(pos);
    return CString::FromQString(out);
}

// The value of a double-quoted attribute as a browser reads it.
CString AttributeValue(const CString& escaped)
{
    CString s = escaped;
    s.Replace("&quot;", "\"");
    s.Replace("&amp;", "&");
    return s;
}

CItemLink MakeLink(int kind, const char* href, int target = 0)
{
    CItemLink link;
    link.m_nKind = kind;
    link.m_strHref = href;
    link.m_nTargetId = target;
    return link;
}

} // namespace

TEST(ItemLink, BuildHrefTable)
{
    struct Case { std::function<CItemLink()> make; const char* relative; const char* attrs; };
    const Case cases[] = {
        {[] { return MakeLink(1, "a.html", 0); }, "../", " href=\"a.html\""},
        {[] { return MakeLink(1, "a.html", 5); }, "../", " href=\"../a.html\""},
        {[] { return MakeLink(1, "index.html", -1); }, "../../", " href=\"../../index.html\""},
        {[] { return MakeLink(1, "a.html", 5); }, nullptr, " href=\"a.html\""},
        {[] { auto l = MakeLink(2, "http://x.org/p"); l.m_strArguments = "a=1"; l.m_bNewWindow = 1; return l; }, "../",
         " href=\"http://x.org/p?a=1\" target=\"_blank\""},
        {[] { auto l = MakeLink(2, "http://x.org/a b?q=\"1\""); l.m_strArguments = "r=2&s=3"; return l; }, nullptr,
         " href=\"http://x.org/a%20b?q=%221%22?r=2&amp;s=3\""},
        {[] { return MakeLink(1, "", 5); }, "../", ""},
        {[] { return MakeLink(2, ""); }, "../", ""},
        {[] { return MakeLink(0, "a.html"); }, "../", ""},
        {[] { return MakeLink(3, "pic.jpg"); }, "../", " href=\"\""},
        {[] { auto l = MakeLink(0, ""); l.m_wstrTitle.SetText(u"Say \"hi\" & bye"); return l; }, nullptr,
         " title=\"Say &quot;hi&quot; &amp; bye\""},
        {[] { auto l = MakeLink(2, "http://x.org/"); l.m_wstrTitle.SetText(u"\u00C9t\u00E9"); return l; }, nullptr,
         " href=\"http://x.org/\" title=\"\xC3\x89t\xC3\xA9\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.attrs);
        CString out("<a");
        c.make().BuildHref(out, c.relative);
        EXPECT_EQ(out, CString("<a") + c.attrs);
    }
}

TEST(ItemLink, MailLinksAreEncoded)
{
    struct Case { const char* email; const char* subject; const char* body; const char* decoded; };
    const Case cases[] = {
        {"me@x.org", "", "", " href=\"mailto:me@x.org\""},
        {"me@x.org", "Hi there", "", " href=\"mailto:me@x.org?subject=Hi%20there\""},
        {"me@x.org", "", "Body", " href=\"mailto:me@x.org?body=Body\""},
        {"me@x.org", "A&B", "Line1\r\nLine2 100% \xC3\xBC", " href=\"mailto:me@x.org?subject=A%26B&amp;body=Line1%0D%0ALine2%20100%25%20%C3%BC\""},
        {"me@x.org", "\"#$'*+\\:?", "", " href=\"mailto:me@x.org?subject=%22%23%24%27%2A%2B%5C%3A%3F\""},
        {"a?b&c\"@x.org", "", "", " href=\"mailto:a%3Fb%26c%22@x.org\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.decoded);
        CItemLink link;
        link.m_nKind = kLinkMail;
        link.m_strEmail = c.email;
        link.m_strSubject = c.subject;
        link.m_strBody = c.body;
        CString out;
        link.BuildHref(out, "../");
        // The address itself is hidden behind character references.
        EXPECT_EQ(out.Find("@x.org"), -1) << out.GetString();
        EXPECT_EQ(ResolveCharRefs(out), CString(c.decoded));
    }
}

TEST(ItemLink, AnchorsPassTidy)
{
    CPageOutput page;
    page.m_strStylesheetHref = "style.css";
    const CItemLink links[] = {
        [] { auto l = MakeLink(2, "http://x.org/a b?q=\"1\"&r=<2>"); l.m_wstrTitle.SetText(u"\"><b>"); return l; }(),
        [] { auto l = MakeLink(4, ""); l.m_strEmail = "a\"b@x.org"; l.m_strSubject = "\"><"; l.m_strBody = "x\r\ny"; return l; }(),
        MakeLink(3, "p.png"),
    };
    for (const CItemLink& link : links) {
        CString attrs;
        link.BuildHref(attrs, nullptr);
        page.Append("<p><a").Append(attrs).Append(">link</a></p>").AppendLine();
    }
    page.AssemblePage();
    const QByteArray html(page.m_strFinalPage.GetString(), page.m_strFinalPage.GetLength());
    EXPECT_EQ(testsupport::TidyErrors(html), QByteArray()) << html.constData();
    // The hostile title stays inside its attribute.
    EXPECT_NE(page.m_strFinalPage.Find(" title=\"&quot;><b>\">link</a>"), -1);
}

namespace {

// The stored form written field by field, for the loads at each version gate.
std::vector<BYTE> LinkBytes(int version)
{
    return StoreWith([version](CArchive& ar) {
        ar << std::int32_t(2) << std::int32_t(1) << std::int32_t(-1) << CString("http://u") << CString("a=1");
        if (version >= 85)
            ar << CString("pic.png") << CString("me@x.org") << CString("Subj") << CString("Body");
        if (version >= 87)
            ar << CString("extra");
        CWString title = Wide(u"T\u00EFtle");
        title.Serialize(ar);
    });
}

} // namespace

TEST(ItemLink, ArchiveGates)
{
    struct Case { int version; bool mail; bool extra; };
    const Case cases[] = {{84, false, false}, {85, true, false}, {86, true, false}, {87, true, true}, {92, true, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version);
        std::vector<BYTE> bytes = LinkBytes(c.version);
        CMemFile f(bytes.data(), bytes.size());
        CArchive ar(&f, CArchive::load);
        // what the owner's constructor gave: kept where the version stores nothing
        CItemLink link;
        link.m_strPicture = link.m_strEmail = link.m_strSubject = link.m_strBody = link.m_strExtra = "default";
        link.Serialize(ar, c.version);
        EXPECT_EQ(ar.GetRemaining(), 0u);
        EXPECT_EQ(link.m_nKind, 2);
        EXPECT_EQ(link.m_bNewWindow, 1);
        EXPECT_EQ(link.m_nTargetId, -1);
        EXPECT_EQ(link.m_strUrl, CString("http://u"));
        EXPECT_EQ(link.m_strArguments, CString("a=1"));
        EXPECT_EQ(link.m_strPicture, CString(c.mail ? "pic.png" : "default"));
        EXPECT_EQ(link.m_strEmail, CString(c.mail ? "me@x.org" : "default"));
        EXPECT_EQ(link.m_strSubject, CString(c.mail ? "Subj" : "default"));
        EXPECT_EQ(link.m_strBody, CString(c.mail ? "Body" : "default"));
        EXPECT_EQ(link.m_strExtra, CString(c.extra ? "extra" : "default"));
        EXPECT_EQ(link.m_wstrTitle, Wide(u"T\u00EFtle"));

        // Storing always writes the newest form, whatever version is passed.
        std::vector<BYTE> stored = StoreWith([&](CArchive& out) { link.Serialize(out, c.version); });
        CMemFile fs(stored.data(), stored.size());
        CArchive ars(&fs, CArchive::load);
        CItemLink again;
        again.Serialize(ars, 92);
        EXPECT_EQ(ars.GetRemaining(), 0u);
        EXPECT_EQ(again.m_strExtra, link.m_strExtra);
        EXPECT_EQ(again.m_strBody, link.m_strBody);
        EXPECT_EQ(again.m_wstrTitle, link.m_wstrTitle);
    }
    // A full record written now reads back whole.
    std::vector<BYTE> now = LinkBytes(92);
    CMemFile f(now.data(), now.size());
    CArchive ar(&f, CArchive::load);
    CItemLink link;
    link.Serialize(ar, 92);
    EXPECT_EQ(StoreWith([&](CArchive& out) { link.Serialize(out, 92); }), now);

    std::vector<BYTE> cut(now.begin(), now.end() - 3);
    CMemFile fc(cut.data(), cut.size());
    CArchive arc(&fc, CArchive::load);
    EXPECT_THROW(link.Serialize(arc, 92), CArchiveException);
}

TEST(ItemLink, CopyFromSharesTheDialogFields)
{
    CItemLink source = MakeLink(2, "src.html", 7);
    source.m_bNewWindow = 1;
    source.m_strUrl = "http://src";
    source.m_strArguments = "q=1";
    source.m_strPicture = "src.png";
    source.m_strEmail = "src@x.org";
    source.m_wstrTitle.SetText(u"Source");

    CItemLink target = MakeLink(4, "dst.html", 3);
    target.m_strPicture = "dst.png";
    target.m_strEmail = "dst@x.org";
    target.m_strSubject = "S";
    target.m_strExtra = "E";
    target.m_wstrTitle.SetText(u"Old");
    target.CopyFrom(source);
    EXPECT_EQ(target.m_nKind, 2);
    EXPECT_EQ(target.m_nTargetId, 7);
    EXPECT_EQ(target.m_bNewWindow, 1);
    EXPECT_EQ(target.m_strUrl, CString("http://src"));
    EXPECT_EQ(target.m_strArguments, CString("q=1"));
    EXPECT_EQ(target.m_wstrTitle, Wide(u"Source"));
    EXPECT_EQ(target.m_strHref, CString("dst.html"));
    EXPECT_EQ(target.m_strPicture, CString("dst.png"));
    EXPECT_EQ(target.m_strEmail, CString("dst@x.org"));
    EXPECT_EQ(target.m_strSubject, CString("S"));
    EXPECT_EQ(target.m_strExtra, CString("E"));

    // A source without a title keeps the target's title.
    CItemLink untitled = MakeLink(1, "", 2);
    target.CopyFrom(untitled);
    EXPECT_EQ(target.m_wstrTitle, Wide(u"Source"));
    EXPECT_EQ(target.m_nKind, 1);

    CItemLink page;
    page.SetPageLink(12);
    EXPECT_EQ(page.m_nKind, kLinkPage);
    EXPECT_EQ(page.m_nTargetId, 12);
}

namespace {

CActionStep Step(int kind, int value = 0, int value2 = 0)
{
    CActionStep s;
    s.m_nKind = kind;
    s.m_strTarget = "t";
    s.m_nValue = value;
    s.m_nValue2 = value2;
    return s;
}

CString ScriptOf(const CActionStep& step)
{
    CString out;
    step.GetScript(out);
    return out;
}

const char kEl[] = "document.getElementById('t')";

CString El(const char* rest)
{
    CString s(rest);
    s.Replace("$", kEl);
    return s + "\r\n";
}

} // namespace

TEST(ItemAction, StepScriptTable)
{
    struct Case { CActionStep step; const char* script; };
    auto named = [](int kind, const char* name) { CActionStep s = Step(kind); s.m_strName = name; return s; };
    auto texted = [](int kind, const char16_t* text) { CActionStep s = Step(kind); s.m_wstrText.SetText(text); return s; };
    const Case cases[] = {
        {Step(0), "$.style.visibility = 'visible';"},
        {Step(1), "$.style.visibility = 'hidden';"},
        {Step(2, 0x0080FF), "$.style.color = '#FF8000';"},
        {named(3, "Times New Roman"), "$.style.fontFamily = 'Times New Roman';"},
        {named(3, "O'Neil\\"), "$.style.fontFamily = 'O\\'Neil\\\\';"},
        {Step(4, 12), "$.style.fontSize = '12pt';"},
        {Step(5, 0), "if($.style.fontWeight != 'bold') $.style.fontWeight = 'bold'; else $.style.fontWeight = 'normal';"},
        {Step(5, 1), "$.style.fontWeight = 'bold';"},
        {Step(5, 2), "$.style.fontWeight = 'normal';"},
        {Step(5, 3), ""},
        {Step(6, 0), "if($.style.fontStyle != 'italic') $.style.fontStyle = 'italic'; else $.style.fontStyle = 'normal';"},
        {Step(6, 1), "$.style.fontStyle = 'italic';"},
        {Step(6, 2), "$.style.fontStyle = 'normal';"},
        {Step(7, 3), "$.style.letterSpacing = '3px';"},
        {Step(8, 0), "$.style.textAlign = 'left';"},
        {Step(8, 3), "$.style.textAlign = 'justify';"},
        {Step(8, 4), ""},
        {Step(9, 2), "$.style.textDecoration = 'line-through';"},
        {Step(9, 3), "$.style.textDecoration = 'overline';"},
        {Step(9, -1), ""},
        {Step(10, 7), "$.style.zIndex = '7';"},
        {Step(11, 5), "$.style.zIndex = '-5';"},
        {Step(11, -5), "$.style.zIndex = '-5';"},
        {Step(11, 0), "$.style.zIndex = '0';"},
        {Step(12, 3), "$.style.cursor = 'pointer';"},
        {Step(12, 6), "$.style.cursor = 'help';"},
        {Step(12, 7), ""},
        {Step(13, 0x000000FF), "$.style.backgroundColor = '#FF0000';"},
        {Step(14, 0x00FF0000), "$.style.borderColor = '#0000FF';"},
        {Step(15, 2), "$.style.borderWidth = '2px';"},
        {texted(16, u"It's \"new\"\r\n<b>\u00E9 &amp;"), "$.innerHTML = 'It\\'s \\x22new\\x22\\r\\n\\x3Cb>\xC3\xA9 \\x26amp;';"},
        {texted(17, u"a\\b"), "$.value = 'a\\\\b';"},
        {texted(17, nullptr), "$.value = '';"},
        {Step(18, 10, -20), "$.style.left = '10px';$.style.top = '-20px';"},
        {Step(19, 30, 40), "$.style.width = '30px';$.style.height = '40px';"},
        {Step(20, 0), "if($.checked) $.checked = false; else $.checked = true; "},
        {Step(20, 1), "$.checked = true;"},
        {Step(20, 2), "$.checked = false;"},
        {Step(21), "$.submit();"},
        {named(22, "page.html?a='1'"), "window.location.replace('page.html?a=\\'1\\'');"},
        {Step(23), "$.click();"},
        {Step(24), "$.focus();"},
        {Step(25), "$.blur();"},
        {Step(26), "$.disabled = false;"},
        {Step(27), "$.disabled = true;"},
        {Step(28), "$.select();"},
        {Step(29), ""},
        {Step(-1), ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        EXPECT_EQ(ScriptOf(c.step), El(c.script));
    }

    CActionStep hostile = Step(0);
    hostile.m_strTarget = "x');alert('1";
    EXPECT_EQ(ScriptOf(hostile), CString("document.getElementById('x\\');alert(\\'1').style.visibility = 'visible';\r\n"));

    CActionStep conditional = Step(0);
    conditional.m_strCondition = "x>1";
    EXPECT_EQ(ScriptOf(conditional), CString("if(x>1) { ") + kEl + ".style.visibility = 'visible'; }\r\n");
}

// A step names its target item by name; the page writes the item's element with the id
// made from that name, and the step must look for that id.
TEST(ItemAction, StepsFindTheirItemByTheIdItsElementCarries)
{
    const std::pair<const char*, const char*> cases[] = {
        {"My Box", "My_Box"}, {"tab\there", "tab_here"}, {"line\r\nend", "line__end"}, {"plain", "plain"}};
    for (const auto& [name, id] : cases) {
        SCOPED_TRACE(name);
        CShapeItem item;
        item.m_strName = name;
        EXPECT_EQ(item.GetHtmlId(), CString(id));
        CActionStep step = Step(0);
        step.m_strTarget = name;
        EXPECT_EQ(ScriptOf(step), "document.getElementById('" + CString(id) + "').style.visibility = 'visible';\r\n");
    }
}

TEST(ItemAction, ActionScriptJoinsStepsAndKeepsUserQuotes)
{
    CItemAction action;
    CString empty;
    action.GetScript(empty);
    EXPECT_TRUE(empty.IsEmpty());

    action.AddStep() = Step(1);
    action.AddStep() = Step(5, 1);
    action.m_wstrScript.SetText(u"alert(\"h\u00E9\");");
    CString script;
    action.GetScript(script);
    EXPECT_EQ(script, El("$.style.visibility = 'hidden';") + El("$.style.fontWeight = 'bold';") + "alert(\"h\xC3\xA9\");");

    // Written as an attribute, the quotes become references and read back unchanged.
    CPageOutput out;
    out.AppendAttribute("onclick", script);
    EXPECT_NE(out.m_strBody.Find("alert(&quot;h\xC3\xA9&quot;);\""), -1);
    EXPECT_EQ(AttributeValue(out.m_strBody.Mid(10, out.m_strBody.GetLength() - 11)), script);
}

TEST(ItemAction, ScriptsRunInJavaScript)
{
    // Every kind with hostile texts, run against a stand-in document: the values that
    // arrive must be the texts as typed.
    const char16_t* text = u"It's \"quoted\" \\ </script> &amp; \r\n\t\u00E9\u2028end";
    CItemAction action;
    for (int kind = 0; kind < kStepKindCount; ++kind) {
        CActionStep& step = action.AddStep();
        step = Step(kind, kind == kStepCheckBox ? 1 : 2, 9);
        step.m_strTarget = kind == kStepChangeText ? "a'b\"c" : "e";
        step.m_strName = kind == kStepOpenAddress ? "x.html?q='1'&r=\"2\"" : "Font 'X'";
        step.m_wstrText.SetText(text);
    }
    // The show step runs, the hide step's condition does not hold.
    action.GetStep(kStepShow).m_strCondition = "1 > 0";
    action.GetStep(kStepHide).m_strCondition = "0 > 1";
    // The steps alone hold nothing an HTML attribute would change.
    CString steps;
    action.GetScript(steps);
    EXPECT_EQ(steps.FindOneOf("\"&<"), -1) << steps.GetString();

    action.m_wstrScript.SetText(u"window.user = \"done\";");
    CString script;
    action.GetScript(script);
    ASSERT_EQ(testsupport::JsSyntaxErrors(QByteArray(script.GetString())), QByteArray());

    const QByteArray program =
        "const els = {};\n"
        "const document = { getElementById(id) { return els[id] || (els[id] = { style: {}, submit(){}, click(){},"
        " focus(){}, blur(){}, select(){} }); } };\n"
        "const window = { location: { replace(u) { window.replaced = u; } } };\n"
        "(function() {\n" + QByteArray(script.GetString()) + "\n})();\n"
        "console.log(JSON.stringify({ html: els[\"a'b\\\"c\"].innerHTML, value: els.e.value, font: els.e.style.fontFamily,"
        " replaced: window.replaced, user: window.user, visible: els.e.style.visibility }));\n";
    testsupport::ProcessResult r = testsupport::RunProcess(QStringLiteral("node"), {QStringLiteral("-e"), QString::fromUtf8(program)});
    ASSERT_TRUE(r.started);
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    const QJsonObject result = QJsonDocument::fromJson(r.out).object();
    const QString typed = QString::fromUtf16(text);
    EXPECT_EQ(result.value("html").toString(), typed);
    EXPECT_EQ(result.value("value").toString(), typed);
    EXPECT_EQ(result.value("font").toString(), QStringLiteral("Font 'X'"));
    EXPECT_EQ(result.value("replaced").toString(), QStringLiteral("x.html?q='1'&r=\"2\""));
    EXPECT_EQ(result.value("user").toString(), QStringLiteral("done"));
    EXPECT_EQ(result.value("visible").toString(), QStringLiteral("visible"));

    // The same handler inside an attribute of a page is valid HTML.
    CPageOutput page;
    page.m_strStylesheetHref = "s.css";
    page.Append("<a href=\"#\"").AppendAttribute("onclick", script).Append(">x</a>");
    page.AssemblePage();
    const QByteArray html(page.m_strFinalPage.GetString(), page.m_strFinalPage.GetLength());
    EXPECT_EQ(testsupport::TidyErrors(html), QByteArray()) << html.constData();
}

namespace {

CItemAction SampleAction()
{
    CItemAction action;
    action.m_wstrScript.SetText(u"go();");
    CActionStep& a = action.AddStep();
    a.m_nKind = kStepChangeText;
    a.m_strTarget = "id1";
    a.m_nValue = 1, a.m_nValue2 = 2, a.m_nValue3 = 3, a.m_nValue4 = 4, a.m_nValue5 = 5, a.m_nValue6 = 6;
    a.m_strName = "name";
    a.m_wstrText.SetText(u"T");
    a.m_strCondition = "x > 1";
    CActionStep& b = action.AddStep();
    b.m_nKind = kStepHide;
    b.m_strTarget = "id2";
    return action;
}

void ExpectSameSteps(const CItemAction& a, const CItemAction& b, bool conditions)
{
    ASSERT_EQ(a.GetStepCount(), b.GetStepCount());
    EXPECT_EQ(a.m_wstrScript, b.m_wstrScript);
    for (int i = 0; i < a.GetStepCount(); ++i) {
        const CActionStep& x = a.GetStep(i);
        const CActionStep& y = b.GetStep(i);
        EXPECT_EQ(x.m_nKind, y.m_nKind);
        EXPECT_EQ(x.m_strTarget, y.m_strTarget);
        EXPECT_EQ(x.m_nValue, y.m_nValue);
        EXPECT_EQ(x.m_nValue2, y.m_nValue2);
        EXPECT_EQ(x.m_nValue3, y.m_nValue3);
        EXPECT_EQ(x.m_nValue4, y.m_nValue4);
        EXPECT_EQ(x.m_nValue5, y.m_nValue5);
        EXPECT_EQ(x.m_nValue6, y.m_nValue6);
        EXPECT_EQ(x.m_strName, y.m_strName);
        EXPECT_EQ(x.m_wstrText, y.m_wstrText);
        if (conditions) {
            EXPECT_EQ(x.m_strCondition, y.m_strCondition);
        }
    }
}

} // namespace

TEST(ItemAction, ArchiveLayoutAndRoundTrip)
{
    CItemAction action = SampleAction();
    std::vector<BYTE> bytes = StoreWith([&](CArchive& ar) { action.Serialize(ar, 92); });
    const std::vector<BYTE> expect = {
        5, 0, 0, 0, 'g', 0, 'o', 0, '(', 0, ')', 0, ';', 0, // script
        2, 0, 0, 0,                                        // step count
        1, 0, 0, 0, 'T', 0,                                // text
        16, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0, 4, 0, 0, 0,
        4, 'n', 'a', 'm', 'e', 3, 'i', 'd', '1', 6, 0, 0, 0, 5, 0, 0, 0,
        0, 0, 0, 0,                                        // empty text
        1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
        0, 3, 'i', 'd', '2', 0, 0, 0, 0, 0, 0, 0, 0,
    };
    EXPECT_EQ(bytes, expect);

    // Loading replaces whatever steps the record held.
    CItemAction loaded;
    loaded.AddStep() = Step(3);
    loaded.AddStep() = Step(4);
    loaded.AddStep() = Step(5);
    CMemFile f(bytes.data(), bytes.size());
    CArchive ar(&f, CArchive::load);
    loaded.Serialize(ar, 92);
    EXPECT_EQ(ar.GetRemaining(), 0u);
    ExpectSameSteps(loaded, action, false);
    // Without the extension section the condition is empty.
    EXPECT_TRUE(loaded.GetStep(0).m_strCondition.IsEmpty());
}

TEST(ItemAction, ConditionsTravelInTheExtraValues)
{
    CItemAction action = SampleAction();
    std::vector<BYTE> body = StoreWith([&](CArchive& ar) { action.Serialize(ar, 92); });
    std::vector<BYTE> extra = StoreWith([&](CArchive& ar) { action.SerializeExtra(ar); });
    EXPECT_EQ(extra, (std::vector<BYTE>{2, 0, 0, 0, 5, 'x', ' ', '>', ' ', '1', 0}));

    std::vector<BYTE> all = body;
    all.insert(all.end(), extra.begin(), extra.end());
    CMemFile f(all.data(), all.size());
    CArchive ar(&f, CArchive::load);
    CItemAction loaded;
    loaded.Serialize(ar, 92);
    loaded.SerializeExtra(ar);
    EXPECT_EQ(ar.GetRemaining(), 0u);
    ExpectSameSteps(loaded, action, true);

    // More extras than steps are read and dropped; fewer leave the rest empty.
    CItemAction one;
    one.AddStep();
    std::vector<BYTE> more = extra;
    CMemFile fm(more.data(), more.size());
    CArchive arm(&fm, CArchive::load);
    one.SerializeExtra(arm);
    EXPECT_EQ(arm.GetRemaining(), 0u);
    EXPECT_EQ(one.GetStep(0).m_strCondition, CString("x > 1"));
}

TEST(ItemAction, DamagedCountsThrow)
{
    const std::vector<std::vector<BYTE>> damaged = {
        {0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF},               // negative step count
        {0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F},               // two billion steps announced
        {0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 16, 0, 0, 0},  // a step cut short
    };
    for (const auto& d : damaged) {
        SCOPED_TRACE(d.size());
        CMemFile f(d.data(), d.size());
        CArchive ar(&f, CArchive::load);
        CItemAction action;
        EXPECT_THROW(action.Serialize(ar, 92), CArchiveException);
    }
    const std::vector<BYTE> extra = {0xFF, 0xFF, 0xFF, 0x7F, 0};
    CMemFile f(extra.data(), extra.size());
    CArchive ar(&f, CArchive::load);
    CItemAction action = SampleAction();
    EXPECT_THROW(action.SerializeExtra(ar), CArchiveException);
}

TEST(ItemAction, CopyIsDeep)
{
    const CItemAction source = SampleAction();
    CItemAction copy;
    copy.AddStep() = Step(9);
    copy = source;
    ExpectSameSteps(copy, source, true);
    copy.GetStep(0).m_strTarget = "changed";
    EXPECT_EQ(source.GetStep(0).m_strTarget, CString("id1"));

    copy = copy;
    EXPECT_EQ(copy.GetStepCount(), 2);

    // An action without script copied over one with a script clears it.
    CItemAction blank;
    copy = blank;
    EXPECT_EQ(copy.GetStepCount(), 0);
    EXPECT_EQ(copy.m_wstrScript.GetLength(), 0);

    CItemAction removed = SampleAction();
    removed.RemoveAllSteps();
    EXPECT_EQ(removed.GetStepCount(), 0);
    EXPECT_EQ(removed.m_wstrScript, Wide(u"go();"));
}
