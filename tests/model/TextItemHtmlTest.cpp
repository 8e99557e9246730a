#include "model/Folder.h"
#include "model/GroupItem.h"
#include "model/TextStyle.h"
#include "model/PageOutput.h"
#include "model/PublishContext.h"
#include "model/items/EmailItem.h"
#include "model/items/ExternalWebsiteItem.h"
#include "model/items/FacebookItem.h"
#include "model/items/HeadingItem.h"
#include "model/items/HtmlItem.h"
#include "model/items/JavaScriptItem.h"
#include "model/items/LikeButtonItem.h"
#include "model/items/MarqueeItem.h"
#include "model/items/ParagraphItem.h"
#include "model/items/PhpItem.h"
#include "model/items/PreformattedTextItem.h"
#include "model/items/TextItem.h"
#include "support/ExternalTools.h"
#include "TextRunTestSupport.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <regex>

namespace {

using runtest::MakeRun;
using runtest::SetRuns;

// An item at (10, 20), 100 x 30, fixed size, no fill or padding record, named "n".
template <typename T> std::unique_ptr<T> Make()
{
    auto item = std::make_unique<T>();
    item->m_strName = "n";
    item->m_bPositioned = 1;
    item->m_nX = 10;
    item->m_nY = 20;
    item->m_nWidth = 100;
    item->m_nHeight = 30;
    item->m_nWidthMode = 0;
    item->m_nHeightMode = 0;
    item->m_pFill.reset();
    item->m_pPadding.reset();
    return item;
}

const char kBox[] = "position:absolute;left:10px;top:20px;height:30px;width:100px;";

struct HtmlCase {
    const char* name;
    std::function<std::unique_ptr<CItem>()> make;
    int mode;
    const char* html;
};

CString Write(CItem& item, int mode)
{
    CPageOutput out;
    out.m_nMode = mode;
    item.WriteHtml(out);
    return out.m_strBody;
}

TEST(TextItemHtml, EachTypeWritesItsMarkup)
{
    const std::string box = kBox;
    const HtmlCase cases[] = {
        {"paragraph with two columns", [] {
             auto p = Make<CParagraphItem>();
             p->m_strText.SetText(u"a<b");
             p->m_nExtraColumns = 1;
             return p;
         }, 3,
         "<p id=\"n\" style=\"position:absolute;left:10px;top:20px;height:30px;width:100px;"
         "column-count:2;-moz-column-count:2;-webkit-column-count:2;column-gap:20px;-moz-column-gap:20px;-webkit-column-gap:20px;\">a&lt;b</p>\r\n"},
        {"paragraph line height, runs and a link", [] {
             auto p = Make<CParagraphItem>();
             p->m_strText.SetText(u"ab");
             p->m_nLineHeight = 5;
             p->m_link.m_nKind = kLinkAddress;
             p->m_link.m_strHref = "x.html";
             SetRuns(*p, {MakeRun(kRunColorInherit, 1), MakeRun()});
             return p;
         }, 3,
         "<p id=\"n\" style=\"position:absolute;left:10px;top:20px;height:30px;width:100px;line-height:150%;\">"
         "<a href=\"x.html\"><b>a</b>b</a></p>\r\n"},
        {"marquee", [] {
             auto m = Make<CMarqueeItem>();
             m->m_strText.SetText(u"go");
             m->m_nDirection = 1;
             m->m_nLoop = 2;
             m->m_nBold = 1;
             m->m_strFontFace = "Arial";
             m->m_strClass = "c";
             return m;
         }, 3,
         "<div id=\"n\" style=\"position:absolute;left:10px;top:20px;height:30px;width:100px;font-family:Arial;font-weight:bold;"
         "overflow:hidden;white-space:nowrap;\" class=\"c\"><p style=\"font-family:Arial;font-weight:bold;display:inline-block;margin:0;"
         "padding-left:100%;animation:tessel-marquee 1700ms linear 2 reverse;\">go</p></div>\r\n"},
        {"heading level 2", [] {
             auto h = Make<CHeadingItem>();
             h->m_nLevel = 2;
             h->m_strText.SetText(u"T & C");
             return h;
         }, 3, "<h3 id=\"n\" style=\"position:absolute;left:10px;top:20px;height:30px;width:100px;\">T &amp; C</h3>\r\n"},
        {"heading level out of range is clamped", [] {
             auto h = Make<CHeadingItem>();
             h->m_nLevel = 9;
             h->m_strText.SetText(u"x");
             return h;
         }, 3, "<h6 id=\"n\" style=\"position:absolute;left:10px;top:20px;height:30px;width:100px;\">x</h6>\r\n"},
        {"negative heading level is h1", [] {
             auto h = Make<CHeadingItem>();
             h->m_nLevel = -4;
             h->m_strText.SetText(u"x");
             return h;
         }, 3, "<h1 id=\"n\" style=\"position:absolute;left:10px;top:20px;height:30px;width:100px;\">x</h1>\r\n"},
        {"text", [] {
             auto t = Make<CTextItem>();
             t->m_strText.SetText(u"a  b\r\nc");
             t->m_nTextAlign = 2;
             return t;
         }, 3,
         "<span id=\"n\" style=\"position:absolute;left:10px;top:20px;height:30px;width:100px;text-align:center;text-align:center;\">"
         "a &nbsp;b<br>\rc</span>\r\n"},
        {"text with HTML flag", [] {
             auto t = Make<CTextItem>();
             t->m_strText.SetText(u"<i>x</i>");
             t->m_bRawText = 1;
             return t;
         }, 3, "<span id=\"n\" style=\"position:absolute;left:10px;top:20px;height:30px;width:100px;\"><i>x</i></span>\r\n"},
        {"preformatted keeps breaks and escapes", [] {
             auto t = Make<CPreformattedTextItem>();
             t->m_strText.SetText(u"if a<b\r\n  x");
             return t;
         }, 3, "<pre id=\"n\" style=\"position:absolute;left:10px;top:20px;height:30px;width:100px;\">if a&lt;b\r\n  x</pre>\r\n"},
        {"HTML item as typed", [] {
             auto t = Make<CHtmlItem>();
             t->m_strText.SetText(u"<b>x</b>");
             return t;
         }, 3, "<div id=\"n\" style=\"position:absolute;left:10px;top:20px;height:30px;width:100px;\"><b>x</b></div>\r\n"},
        {"JavaScript item", [] {
             auto t = Make<CJavaScriptItem>();
             t->m_strText.SetText(u"var a = 1;");
             return t;
         }, 3,
         "<div style=\"position:absolute;left:10px;top:20px;height:30px;width:100px;\"><script type=\"text/javascript\">var a = 1;</script>\r\n</div>\r\n"},
        {"PHP in a preview shows the notice", [] {
             auto t = Make<CPhpItem>();
             t->m_strText.SetText(u"echo 1;");
             return t;
         }, 1, "<div id=\"n\" style=\"position:absolute;left:10px;top:20px;height:30px;width:100px;\">PHP Code Works only on the Server.</div>\r\n"},
        {"PHP when published", [] {
             auto t = Make<CPhpItem>();
             t->m_strText.SetText(u"echo 1;");
             return t;
         }, 2, "<div id=\"n\" style=\"position:absolute;left:10px;top:20px;height:30px;width:100px;\">\r\n<?php echo 1; ?>\r\n</div>\r\n"},
        {"PHP item without a name has no id", [] {
             auto t = Make<CPhpItem>();
             t->m_strName = "";
             return t;
         }, 3, "<div style=\"position:absolute;left:10px;top:20px;height:30px;width:100px;\">\r\n<?php  ?>\r\n</div>\r\n"},
        {"external website", [] {
             auto t = Make<CExternalWebsiteItem>();
             t->m_strText.SetText(u"http://example.com/?a=\"1\"&b");
             return t;
         }, 3,
         "<div style=\"position:absolute;left:10px;top:20px;height:30px;width:100px;\"><iframe frameborder=\"0\" id=\"n\" "
         "src=\"http://example.com/?a=''1''&amp;b\" width=\"100\" height=\"30\"></iframe>\r\n</div>\r\n"},
        {"like button by page name", [] {
             auto t = Make<CLikeButtonItem>();
             t->m_strPage = "my page";
             t->m_nLayout = 1;
             t->m_nColorScheme = 1;
             return t;
         }, 3,
         "<iframe id=\"n\" src=\"https://www.facebook.com/plugins/like.php?action=like&amp;href=https%3A//www.facebook.com/my%20page&amp;colorscheme=dark&amp;layout=button_count\""
         " scrolling=\"no\" frameborder=\"0\" allowTransparency=\"true\" style=\"position:absolute;left:10px;top:20px;border:none;width:100px;height:30px;"
         "border:none;overflow:hidden;\"></iframe>"},
        {"like button by address", [] {
             auto t = Make<CLikeButtonItem>();
             t->m_strPage = "http://facebook.com/x?a=1&b=\"";
             return t;
         }, 3,
         "<iframe id=\"n\" src=\"https://www.facebook.com/plugins/like.php?action=like&amp;href=http%3A//facebook.com/x%3Fa%3D1%26b%3D%22&amp;colorscheme=light&amp;layout=standard\""
         " scrolling=\"no\" frameborder=\"0\" allowTransparency=\"true\" style=\"position:absolute;left:10px;top:20px;border:none;width:100px;height:30px;"
         "border:none;overflow:hidden;\"></iframe>"},
        {"page box", [] {
             auto t = Make<CFacebookItem>();
             t->m_strPage = "club";
             t->m_nStream = 0;
             t->m_crBorder = 0x0080FF;
             t->m_strClass = "fb";
             return t;
         }, 3,
         "<iframe id=\"n\" class=\"fb\" src=\"https://www.facebook.com/plugins/likebox.php?href=www.facebook.com/club&amp;width=100&amp;height=30&amp;header=false"
         "&amp;show_faces=true&amp;stream=false&amp;border_color=%23FF8000&amp;colorscheme=light\" allowtransparency=\"true\""
         " style=\"position:absolute;left:10px;top:20px;border:none;width:100px;height:30px;overflow:hidden;\"></iframe>"},
    };
    for (const HtmlCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto item = c.make();
        EXPECT_EQ(Write(*item, c.mode), c.html);
    }
}

struct EmailCase {
    const char* name;
    const char* subject;
    const char* body;
    const char* cc;
    const char* address;
    const char* href; // without the encoding flag
};

TEST(TextItemHtml, EmailLinks)
{
    const EmailCase cases[] = {
        {"subject only", "Hi there", "", "", "me@example.com", "mailto:me@example.com?subject=Hi%20there"},
        {"subject and body", "A&B", "x?y", "", "me@example.com", "mailto:me@example.com?subject=A%26B&amp;body=x%3Fy"},
        {"copy address", "", "", "you@example.com", "me@example.com", "mailto:me@example.com?cc=you@example.com"},
        {"no query", "", "", "", "me@example.com", "mailto:me@example.com"},
        {"address cannot leave the attribute", "", "", "", "a\"b<c>@x.com?bcc=z", "mailto:a%22b%3Cc%3E@x.com%3Fbcc=z"},
    };
    for (const EmailCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto e = Make<CEmailItem>();
        e->m_nTextAlign = 0;
        e->m_nEncode = 0;
        e->m_strSubject = c.subject;
        e->m_strBody = c.body;
        e->m_strCc = c.cc;
        e->m_strAddress = c.address;
        e->m_strText.SetText(u"Mail <me>");
        EXPECT_EQ(Write(*e, 3), CString("<a id=\"n\" style=\"position:absolute;left:10px;top:20px;height:30px;width:100px;\" href=\"")
                                    + c.href + "\">Mail &lt;me&gt;</a>\r\n");
    }
}

// Decodes the numeric character references that hide an address.
std::string DecodeRefs(const std::string& s)
{
    std::string out;
    std::regex ref("&#(x[0-9A-F]+|[0-9]+);");
    auto it = std::sregex_iterator(s.begin(), s.end(), ref);
    size_t last = 0;
    for (; it != std::sregex_iterator(); ++it) {
        out += s.substr(last, size_t(it->position()) - last);
        const std::string v = (*it)[1];
        out += char(v[0] == 'x' ? std::stoi(v.substr(1), nullptr, 16) : std::stoi(v));
        last = size_t(it->position() + it->length());
    }
    return out + s.substr(last);
}

TEST(TextItemHtml, EmailEncodingHidesAddressesAndText)
{
    auto e = Make<CEmailItem>();
    e->m_nTextAlign = 0;
    e->m_nEncode = 1;
    e->m_strSubject = "";
    e->m_strBody = "";
    e->m_strAddress = "me@example.com";
    e->m_strCc = "a b@x.org";
    e->m_strText.SetText(u"me@example.com");
    const std::string html = Write(*e, 3).str();
    EXPECT_EQ(html.find("me@example.com"), std::string::npos);
    EXPECT_EQ(DecodeRefs(html), "<a id=\"n\" style=\"position:absolute;left:10px;top:20px;height:30px;width:100px;\" "
                                "href=\"mailto:me@example.com?cc=a%20b@x.org\">me@example.com</a>\r\n");
    // A text without "@" after its first character stays readable (and escaped).
    e->m_strText.SetText(u"@<b>");
    EXPECT_NE(Write(*e, 3).Find(">@&lt;b&gt;</a>"), -1);
}

TEST(TextItemHtml, TextBulletPictureAndFlowingBox)
{
    auto t = Make<CTextItem>();
    t->m_strText.SetText(u"x");
    t->m_nIcon = 3;
    t->m_nEffPadding[SIDE_LEFT] = 4;
    t->m_strImageName = "3_255_1_0.png";
    ASSERT_TRUE(RenderItemIcon(t->m_dib, 3, 255, 1, 0));
    CFolder folder;
    folder.m_strBaseName = "sub";
    CPageOutput out;
    out.m_pPageFolder = &folder;
    t->WriteHtml(out);
    // The width excludes the 4-pixel left padding.
    EXPECT_EQ(out.m_strBody, "<span id=\"n\" style=\"position:absolute;left:10px;top:20px;height:30px;width:96px;padding-left:28px;\">"
                             "<img alt=\"o\" style=\"position:absolute; left:4px; top:8px;\" src=\"../3_255_1_0.png\" width=\"16\" height=\"16\">"
                             "x</span>\r\n");

    // In the flow the item stands in its own block.
    t->m_bPositioned = 0;
    t->m_nIcon = 0;
    CPageOutput flow;
    t->WriteHtml(flow);
    EXPECT_EQ(flow.m_strBody, "<div style=\"margin-right:auto;\"><span id=\"n\" style=\"height:30px;width:96px;\">x</span></div>\r\n");
}

TEST(TextItemHtml, PageOfEveryTextItemPassesTidy)
{
    CPageOutput out;
    out.m_nMode = 1;
    out.m_wstrTitle.SetText(u"text items");
    auto p = Make<CParagraphItem>();
    p->m_strText.SetText(u"one\r\ntwo & three");
    SetRuns(*p, {MakeRun(0x0000FF, 1), MakeRun(), MakeRun(kRunColorInherit, 0, 1, 1)});
    auto h = Make<CHeadingItem>();
    h->m_strText.SetText(u"Head");
    auto t = Make<CTextItem>();
    t->m_strText.SetText(u"a < b");
    auto pre = Make<CPreformattedTextItem>();
    pre->m_strText.SetText(u"x\r\n  y");
    auto e = Make<CEmailItem>();
    e->m_strAddress = "me@example.com";
    e->m_strText.SetText(u"write");
    auto php = Make<CPhpItem>();
    auto js = Make<CJavaScriptItem>();
    js->m_strText.SetText(u"var x = 1;");
    auto like = Make<CLikeButtonItem>();
    like->m_strPage = "abc";
    auto fb = Make<CFacebookItem>();
    fb->m_strPage = "abc";
    auto m = Make<CMarqueeItem>();
    m->m_strText.SetText(u"scroll");
    for (CItem* item : std::initializer_list<CItem*>{p.get(), h.get(), t.get(), pre.get(), e.get(), php.get(), js.get(), like.get(), fb.get(), m.get()}) {
        item->m_strName = CString::Formatted("i%d", item->m_nSerial);
        item->WriteHtml(out);
    }
    out.AssemblePage();
    EXPECT_EQ(testsupport::TidyErrors(QByteArray(out.m_strFinalPage.GetString())), QByteArray()) << out.m_strFinalPage.GetString();
}

} // namespace

namespace {

TEST(TextItemStyles, HeadingsTakeTheirLevelsStyle)
{
    CSiteStyles styles;
    for (int i = 0; i < STYLE_PRE; ++i)
        styles.m_styles[i].m_nSize = 10 + 3 * i;
    CGroupItem group;
    auto* h = new CHeadingItem;
    h->m_nLevel = 2;
    auto* wild = new CHeadingItem;
    wild->m_nLevel = 17;
    group.AddChild(h);
    group.AddChild(wild);
    group.SetSiteStyles(&styles);
    h->RecalcLayout();
    wild->RecalcLayout();
    // h3 is 16 points: 16 * 4 / 3 pixels.
    EXPECT_EQ(h->m_lfText->lfHeight, -21);
    EXPECT_EQ(wild->m_lfText->lfHeight, -MulDiv(10, 4, 3));
    EXPECT_EQ(wild->GetHtmlLevel(), 5);
}

TEST(TextItemStyles, TextSizeUpFromTheSiteSize)
{
    CTextStyle base;
    base.m_nSize = 12;
    const struct {
        int size;
        bool style;
        int expect;
    } cases[] = {{0, true, 13}, {40, true, 41}, {0, false, 0}, {72, false, 73}};
    for (const auto& c : cases) {
        CTextItem t;
        t.m_nFontSize = c.size;
        t.m_pBaseStyle = c.style ? &base : nullptr;
        t.TextSizeUp();
        EXPECT_EQ(t.m_nFontSize, c.expect);
    }
}

} // namespace
