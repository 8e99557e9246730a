#include "model/PageOutput.h"
#include "model/Escaping.h"
#include "tests/support/ExternalTools.h"

#include <gtest/gtest.h>
#include <QtCore/QRegularExpression>
#include <set>

namespace {

CWString Wide(const char16_t* text)
{
    CWString s;
    s.SetText(text);
    return s;
}

// Restores the service hosts a test changed.
struct ServersGuard {
    CPageServers saved = CPageOutput::Servers();
    ~ServersGuard() { CPageOutput::Servers() = saved; }
};

// Code points named by a text of numeric character references, or -1 on anything else.
std::vector<long> DecodeCharRefs(const CString& refs)
{
    std::vector<long> points;
    static const QRegularExpression ref(QStringLiteral("^&#(x[0-9A-F]+|[0-9]+);"));
    QString rest = refs.ToQString();
    while (!rest.isEmpty()) {
        QRegularExpressionMatch m = ref.match(rest);
        if (!m.hasMatch())
            return {-1};
        QString n = m.captured(1);
        bool ok = false;
        long v = n.startsWith('x') ? n.mid(1).toLong(&ok, 16) : n.toLong(&ok, 10);
        points.push_back(ok ? v : -1);
        rest = rest.mid(m.capturedLength());
    }
    return points;
}

} // namespace

TEST(PageOutput, AppendTextTable)
{
    struct Case { int raw; const char16_t* text; const char* body; };
    const Case cases[] = {
        {0, u"a  b & c", "a &nbsp;b &amp; c"},
        {0, u"x<y", "x&lt;y"},
        {0, u"x>y&z", "x&gt;y&amp;z"},
        {0, u"   ", " &nbsp; "},
        {0, u"    ", " &nbsp; &nbsp;"},
        {0, u"one\r\ntwo", "one<br>\rtwo"},
        {0, u"line\nonly", "line\nonly"},
        {0, u"a \r\n  b", "a <br>\r &nbsp;b"},
        {0, u"&  <\r\r\n", "&amp; &nbsp;&lt;\r<br>\r"},
        {0, u"\r\n\r\n", "<br>\r<br>\r"},
        {0, u"\u00E9\u20AC", "\xC3\xA9\xE2\x82\xAC"},
        {1, u"a  b & c<", "a  b & c<"},
        {1, u"one\r\ntwo", "one<br>\rtwo"},
        {0, nullptr, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.body);
        CPageOutput out;
        out.m_bRawText = c.raw;
        out.AppendText(Wide(c.text));
        EXPECT_EQ(out.m_strBody, CString(c.body));
    }
}

TEST(PageOutput, EscapedAndUtf8Appends)
{
    struct Case { int raw; const char16_t* text; const char* escaped; const char* utf8; };
    const Case cases[] = {
        {0, u"a  <b> & \"c\"\r\n", "a  &lt;b&gt; &amp; \"c\"\r\n", "a  <b> & \"c\"\r\n"},
        {1, u"<?php echo 1; ?>", "<?php echo 1; ?>", "<?php echo 1; ?>"},
        {0, u"\u00E9&", "\xC3\xA9&amp;", "\xC3\xA9&"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.utf8);
        CPageOutput a;
        a.m_bRawText = c.raw;
        a.AppendEscaped(Wide(c.text));
        EXPECT_EQ(a.m_strBody, CString(c.escaped));
        CPageOutput b;
        b.m_bRawText = c.raw;
        b.AppendUtf8(Wide(c.text));
        EXPECT_EQ(b.m_strBody, CString(c.utf8));
    }
}

TEST(PageOutput, EscapeHtmlCharTable)
{
    struct Case { int raw; const char* before; std::u16string chars; const char* body; };
    const Case cases[] = {
        {0, "a ", u" ", "a &nbsp;"},
        {0, "a", u" ", "a "},
        {0, "", u" ", " "},
        {0, "", u"  ", " &nbsp;"},
        {1, "a ", u" ", "a  "},
        {0, "", u"<>&", "&lt;&gt;&amp;"},
        {1, "", u"<>&", "<>&"},
        {0, "", u"\r", "<br>\r"},
        {1, "", u"\r", "<br>\r"},
        {0, "", u"\u00E9", "\xC3\xA9"},
        // A pair written unit by unit stays one character; a lone half is replaced.
        {0, "", u"\U0001F600", "\xF0\x9F\x98\x80"},
        {0, "", std::u16string(1, char16_t(0xD83D)) + u"a", "\xEF\xBF\xBD" "a"},
        {0, "", std::u16string(1, char16_t(0xDE00)), "\xEF\xBF\xBD"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.body);
        CPageOutput out;
        out.m_bRawText = c.raw;
        out.Append(c.before);
        for (char16_t ch : c.chars)
            EscapeHtmlChar(out, ch);
        out.AppendLine();
        EXPECT_EQ(out.m_strBody, CString(c.body) + "\r\n");
    }
}

TEST(PageOutput, AttributeWritersEscape)
{
    CPageOutput out;
    out.Append("<a")
        .AppendAttribute("href", CString("page.html?a=1&b=\"2\""))
        .AppendAttributeSz("class", "x")
        .AppendAttributeInt("tabindex", -3)
        .AppendAttributeW("title", Wide(u"Say \"h\u00E9\" & go"))
        .AppendAttributeW("alt", CWString())
        .Append(">");
    EXPECT_EQ(out.m_strBody, CString("<a href=\"page.html?a=1&amp;b=&quot;2&quot;\" class=\"x\" tabindex=\"-3\""
                                     " title=\"Say &quot;h\xC3\xA9&quot; &amp; go\" alt=\"\">"));
    out.AppendCssLine("#a{left:0px;}").AppendCssLine("#b{top:1px;}");
    EXPECT_EQ(out.m_strPageCss, CString("#a{left:0px;}\r\n#b{top:1px;}\r\n"));
    EXPECT_EQ(out.m_strBody.Find("left"), -1);
}

namespace {

// A page with every part of the head and the overlay.
void FillPage(CPageOutput& out)
{
    out.m_wstrPhpCode.SetText(u"echo 1;\r\n");
    out.m_wstrTitle.SetText(u"Home & <Away>");
    out.m_wstrHeadText.SetText(u"<meta name=\"author\" content=\"me\">\r\n");
    out.m_wstrDescription.SetText(u"Say \"hi\" & \u00E9");
    out.m_wstrKeywords.SetText(u"a, b");
    out.m_strStylesheetHref = "../style sheet's.css";
    out.m_bJqueryUsed = 1;
    out.m_bMapsUsed = 1;
    out.m_webFonts.insert("Open Sans");
    out.m_webFonts.insert("Lato");
    out.AppendCssLine("#t{left:0px;}");
    out.m_strHeadExtras = "<script type=\"text/javascript\">var x=1;</script>";
    out.m_strOnLoad = "init(\"x\") && go();";
    out.m_bOverlayUsed = 1;
    out.m_nOverlayMaxWidth = 640;
    out.Append("<div").AppendAttributeSz("id", "t").Append(">");
    out.AppendText(Wide(u"a  b & c\r\nd"));
    out.Append("</div>").AppendLine();
}

const char kHead[] =
    "<!DOCTYPE HTML>\r\n<html>\r\n<head>\r\n"
    "<meta http-equiv=\"content-type\" content=\"text/html; charset=utf-8\">\r\n"
    "<title>Home &amp; &lt;Away&gt;</title>\r\n"
    "<meta name=\"author\" content=\"me\">\r\n"
    "<meta name=\"description\" content=\"Say &quot;hi&quot; &amp; \xC3\xA9\">\r\n"
    "<meta name=\"keywords\" content=\"a, b\">\r\n"
    "\r\n<meta name=\"generator\" content=\"Varnelo Tessel Web Designer 8\">\r\n"
    "<link rel=stylesheet type='text/css' href='../style%20sheet%27s.css'>\r\n"
    "<script type=\"text/javascript\" src=\"jquery.min.js\"></script>"
    "<script type=\"text/javascript\" src=\"https://maps.example.com/maps/api/js?sensor=false\"></script>"
    "<link href='https://fonts.example.com/css?family=Lato' rel='stylesheet' type='text/css'>\r\n"
    "<link href='https://fonts.example.com/css?family=Open+Sans' rel='stylesheet' type='text/css'>\r\n"
    "<style type=\"text/css\">\r\n#t{left:0px;}\r\n</style>\r\n"
    "<script type=\"text/javascript\">var x=1;</script>\r\n</head>\r\n\r\n"
    "<body onLoad=\"init(&quot;x&quot;) &amp;&amp; go();\">"
    "<div id=\"t\">a &nbsp;b &amp; c<br>\rd</div>\r\n"
    "<div id=\"dimout\" style=\"width:100%;height:100%;position:absolute;left:0px;top:0px;background-color:#404040;"
    "visibility:hidden;\" onclick=\"document.getElementById('dimout').style.visibility = 'hidden';\">"
    "<table border=0 style=\"width:100%;height:100%;\"><tr><td></td></tr>"
    "<tr><td align=\"center\"><table border=0><tr><td align=\"right\">"
    "<img alt=\"X\" src=\"close.png\" style=\"cursor:pointer;\" "
    "onclick=\"document.getElementById('dimout').style.visibility = 'hidden';\"></td></tr>"
    "<tr><td align=\"center\"><img id=\"dimimg\" alt=\"\" src=\"loading.gif\" "
    "style=\"max-width:640px; padding:6px; background:white; border:solid gray 1px; cursor:pointer;\">"
    "</td></tr></table></td></tr><tr><td></td></tr></table></div>"
    "</body>\r\n</html>\r\n";

} // namespace

TEST(PageOutput, AssembledPageExactText)
{
    ServersGuard guard;
    CPageOutput::Servers().mapsHost = "https://maps.example.com";
    CPageOutput::Servers().fontsHost = "https://fonts.example.com";

    CPageOutput out(2, 0);
    FillPage(out);
    CString expected("<?php\r\necho 1;\r\n?>\r\n\r\n");
    expected += kHead;
    out.AssemblePage();
    EXPECT_EQ(out.m_strFinalPage, expected);

    // Assembling again replaces the text rather than adding to it.
    out.AssemblePage();
    EXPECT_EQ(out.m_strFinalPage, expected);
}

TEST(PageOutput, AssembledPagePassesTidy)
{
    CPageOutput out(0, 0);
    FillPage(out);
    out.m_wstrHeadText.SetText(u"<meta name=\"author\" content=\"me\">\r\n");
    out.AssemblePage();
    const QByteArray page(out.m_strFinalPage.GetString(), out.m_strFinalPage.GetLength());
    EXPECT_EQ(testsupport::TidyErrors(page), QByteArray()) << page.constData();

    // A hostile title, description and stylesheet name cannot break the page.
    CPageOutput hostile(1, 200);
    hostile.m_wstrTitle.SetText(u"</title><script>alert(1)</script>");
    hostile.m_wstrDescription.SetText(u"\"><script>alert(2)</script>");
    hostile.m_strStylesheetHref = "x'><script>alert(3)</script>.css";
    hostile.Append("<p>").AppendText(Wide(u"<b>&")).Append("</p>");
    hostile.AssemblePage();
    EXPECT_EQ(hostile.m_strFinalPage.Find("<script>"), -1);
    const QByteArray page2(hostile.m_strFinalPage.GetString(), hostile.m_strFinalPage.GetLength());
    EXPECT_EQ(testsupport::TidyErrors(page2), QByteArray()) << page2.constData();
}

TEST(PageOutput, PhpBlockOnlyWhenPublishedWithCode)
{
    struct Case { int mode; const char16_t* code; bool block; };
    const Case cases[] = {
        {0, u"echo 1;", false}, {1, u"echo 1;", true}, {2, u"echo 1;", true},
        {3, u"echo 1;", true}, {2, u"", false}, {2, nullptr, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        CPageOutput out(c.mode, 0);
        out.m_wstrPhpCode.SetText(c.code);
        out.AssemblePage();
        const bool starts = out.m_strFinalPage.Find("<?php\r\necho 1;?>\r\n\r\n<!DOCTYPE HTML>") == 0;
        EXPECT_EQ(starts, c.block);
        EXPECT_EQ(out.m_strFinalPage.Find("<!DOCTYPE HTML>") == 0, !c.block);
    }
}

TEST(PageOutput, MinimalPageHasStyleBlockAndNoOptionalParts)
{
    CPageOutput out;
    out.m_strStylesheetHref = "style.css";
    out.AssemblePage();
    const CString& page = out.m_strFinalPage;
    EXPECT_NE(page.Find("<style type=\"text/css\">\r\n</style>\r\n"), -1);
    EXPECT_NE(page.Find("href='style.css'>\r\n"), -1);
    EXPECT_NE(page.Find("</head>\r\n\r\n<body></body>\r\n</html>\r\n"), -1);
    for (const char* absent : {"description", "keywords", "<script", "dimout", "family="})
        EXPECT_EQ(page.Find(absent), -1) << absent;
}

TEST(HtmlWriting, ColorsAndHexDigits)
{
    struct Color { COLORREF c; const char* html; };
    const Color colors[] = {
        {0x0000FF, "#FF0000"}, {0xFF8000, "#0080FF"}, {0x000000, "#000000"},
        {0xFFFFFF, "#FFFFFF"}, {0xFF123456, "#563412"}, {RGB(1, 0xAB, 0x10), "#01AB10"},
    };
    for (const Color& c : colors)
        EXPECT_EQ(ColorToHtml(c.c), CString(c.html)) << c.html;

    const char digits[] = "0123456789ABCDEF";
    for (int n = 0; n < 16; ++n)
        EXPECT_EQ(HexDigit(n), digits[n]);
    for (int n : {-1, 16, 255})
        EXPECT_EQ(HexDigit(n), ' ');
}

TEST(HtmlWriting, CharRefsDecodeToTheText)
{
    struct Case { const char* text; std::vector<long> points; };
    const Case cases[] = {
        {"me@x.org", {'m', 'e', '@', 'x', '.', 'o', 'r', 'g'}},
        {"Jos\xC3\xA9", {'J', 'o', 's', 0xE9}},
        {"\xE2\x82\xAC\xF0\x9F\x98\x80", {0x20AC, 0x1F600}},
        {"caf\xE9", {'c', 'a', 'f', 0xE9}}, // not UTF-8: read as Windows-1252
        {"", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        for (int round = 0; round < 20; ++round)
            EXPECT_EQ(DecodeCharRefs(EncodeCharRefs(c.text)), c.points);
    }
    // Both forms are drawn (a 2^-100 chance of a false failure).
    std::set<bool> hex;
    const CString refs = EncodeCharRefs(std::string(100, 'a').c_str());
    for (int i = 0; i < refs.GetLength(); ++i)
        if (refs[i] == '#')
            hex.insert(refs[i + 1] == 'x');
    EXPECT_EQ(hex.size(), 2u);
}

TEST(HtmlWriting, EscapersTable)
{
    struct Case { const char* text; const char* html; const char* attr; const char* path; const char* url; };
    const Case cases[] = {
        {"a<b>&\"c'", "a&lt;b&gt;&amp;\"c'", "a<b>&amp;&quot;c'", "a%3Cb%3E%26%22c%27", "a%3Cb%3E&%22c'"},
        {"../my file.css", "../my file.css", "../my file.css", "../my%20file.css", "../my%20file.css"},
        {"x?y=1#z%20", "x?y=1#z%20", "x?y=1#z%20", "x%3Fy%3D1%23z%2520", "x?y=1#z%20"},
        {"\xC3\xA9\t", "\xC3\xA9\t", "\xC3\xA9\t", "%C3%A9%09", "\xC3\xA9%09"},
        {"a-b_c.d~/", "a-b_c.d~/", "a-b_c.d~/", "a-b_c.d~/", "a-b_c.d~/"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(HtmlEscape(c.text), CString(c.html));
        CString quoted = c.html;
        quoted.Replace("\"", "&quot;");
        EXPECT_EQ(HtmlEscape(c.text, true), quoted);
        EXPECT_EQ(HtmlAttributeEscape(c.text), CString(c.attr));
        EXPECT_EQ(UrlEncodePath(c.text), CString(c.path));
        EXPECT_EQ(UrlEscapeUnsafe(c.text), CString(c.url));
    }
}
