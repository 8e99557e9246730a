#include "model/PageOutput.h"
#include "model/TextRuns.h"
#include "TextRunTestSupport.h"
#include "model/items/ParagraphItem.h"
#include "support/ExternalTools.h"

#include <QtCore/QString>
#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace {

using runtest::MakeRun;
using runtest::SetRuns;

constexpr std::uint32_t kRed = 0x0000FF; // COLORREF: red in the low byte
constexpr std::uint32_t kBlue = 0xFF0000;
constexpr std::uint32_t kUnset = kRunColorInherit;

CString Write(CParagraphItem& item)
{
    CPageOutput out;
    WriteRichText(item, out);
    return out.m_strBody;
}

struct RunCase {
    const char* name;
    const char16_t* text;
    std::vector<CTextRun> runs;
    const char* html;
};

TEST(TextRunHtml, RunsBecomeInlineTags)
{
    const RunCase cases[] = {
        {"no runs: plain text only", u"a  b & c", {}, "a &nbsp;b &amp; c"},
        {"equal records share one set of tags", u"ab", {MakeRun(kUnset, 1), MakeRun(kUnset, 1)}, "<b>ab</b>"},
        {"a colour change alone reopens every style tag", u"ab", {MakeRun(kRed, 1), MakeRun(kBlue, 1)},
         "<font color=\"#FF0000\"><b>a</b></font><font color=\"#0000FF\"><b>b</b></font>"},
        {"underline and line-through", u"ab", {MakeRun(kUnset, 0, 0, 1), MakeRun(kUnset, 0, 0, 2)}, "<u>a</u><s>b</s>"},
        {"italic closed once at the end", u"ab", {MakeRun(kUnset, 0, 1), MakeRun(kUnset, 0, 1)}, "<i>ab</i>"},
        {"tag order of one run", u"x", {MakeRun(kRed, 1, 1, 2, 1, 0, 5)}, "<tt><font size=\"5\" color=\"#FF0000\"><s><b><i>x</i></b></s></font></tt>"},
        {"size without colour", u"x", {MakeRun(kUnset, 0, 0, 0, 0, 0, 2)}, "<font size=\"2\">x</font>"},
        {"unset colours of either form write nothing", u"xy", {MakeRun(0xFF000000u), MakeRun(0xFFFFFFFFu)}, "xy"},
        {"black is a colour", u"x", {MakeRun(0x000000)}, "<font color=\"#000000\">x</font>"},
        {"a link number without record writes no anchor", u"ab", {MakeRun(kUnset, 0, 0, 0, 0, 9), MakeRun()}, "ab"},
        {"a line feed consumes no record", u"a\r\nb", {MakeRun(), MakeRun(kUnset, 1), MakeRun(kUnset, 0, 1), MakeRun(kUnset, 0, 0, 1)},
         "a<b><br>\r</b><i>\nb</i>"},
        {"records missing at the end are plain", u"abc", {MakeRun(kUnset, 1)}, "<b>a</b>bc"},
        {"markup characters escaped per character", u"<&>", {MakeRun(kUnset, 1), MakeRun(kUnset, 1), MakeRun(kUnset, 1)}, "<b>&lt;&amp;&gt;</b>"},
        {"a surrogate pair stays whole inside one run", u"\xD83D\xDE00x", {MakeRun(kUnset, 1), MakeRun(kUnset, 0, 1), MakeRun()},
         "<b>\xF0\x9F\x98\x80</b>x"},
        {"a blank after a blank kept visible", u"a  b", {MakeRun(), MakeRun(), MakeRun(), MakeRun()}, "a &nbsp;b"},
    };
    for (const RunCase& c : cases) {
        SCOPED_TRACE(c.name);
        CParagraphItem item;
        item.m_strText.SetText(c.text);
        SetRuns(item, c.runs);
        EXPECT_EQ(Write(item), c.html);
    }
}

TEST(TextRunHtml, LinksNestAroundStyleTags)
{
    CParagraphItem item;
    auto link = std::make_unique<CItemLink>();
    link->m_nKind = kLinkAddress;
    link->m_strHref = "http://example.com/?a=1&b=2";
    item.m_links[3] = std::move(link);
    struct Case {
        const char* name;
        const char16_t* text;
        std::vector<CTextRun> runs;
        const char* html;
    } cases[] = {
        {"link over a bold run ends before the bold does", u"abc", {MakeRun(kUnset, 1, 0, 0, 0, 3), MakeRun(kUnset, 1, 0, 0, 0, 3), MakeRun(kUnset, 1)},
         "<a href=\"http://example.com/?a=1&amp;b=2\"><b>ab</b></a><b>c</b>"},
        {"link starting inside a bold run", u"ab", {MakeRun(kUnset, 1), MakeRun(kUnset, 1, 0, 0, 0, 3)},
         "<b>a</b><a href=\"http://example.com/?a=1&amp;b=2\"><b>b</b></a>"},
        {"link open at the end closes last", u"a", {MakeRun(kRed, 0, 1, 0, 0, 3)},
         "<a href=\"http://example.com/?a=1&amp;b=2\"><font color=\"#FF0000\"><i>a</i></font></a>"},
        {"only the low 16 bits name the link", u"a", {MakeRun(kUnset, 0, 0, 0, 0, 0x10003)}, "<a href=\"http://example.com/?a=1&amp;b=2\">a</a>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        item.m_strText.SetText(c.text);
        SetRuns(item, c.runs);
        EXPECT_EQ(Write(item), c.html);
    }
}

TEST(TextRunHtml, RawTextFlagOfTheItemReachesTheOutput)
{
    CParagraphItem item;
    item.m_strText.SetText(u"<em>x</em>");
    item.m_bRawText = 1;
    EXPECT_EQ(Write(item), "<em>x</em>");
    SetRuns(item, std::vector<CTextRun>(10, MakeRun(kUnset, 1)));
    EXPECT_EQ(Write(item), "<b><em>x</em></b>");
}

// Every opened tag is closed in reverse order, whatever the records say.
bool WellNested(const std::string& html, std::string& why)
{
    std::vector<std::string> stack;
    for (size_t i = 0; i < html.size(); ++i) {
        if (html[i] != '<')
            continue;
        const size_t end = html.find('>', i);
        std::string tag = html.substr(i + 1, end - i - 1);
        if (tag == "br")
            continue;
        if (tag[0] == '/') {
            if (stack.empty() || stack.back() != tag.substr(1)) {
                why = "unexpected </" + tag.substr(1) + "> at " + std::to_string(i);
                return false;
            }
            stack.pop_back();
        } else {
            stack.push_back(tag.substr(0, tag.find(' ')));
        }
    }
    if (!stack.empty())
        why = "left open: " + stack.back();
    return stack.empty();
}

TEST(TextRunHtml, RandomRunsAlwaysNestValidly)
{
    CParagraphItem item;
    for (int n : {1, 2}) {
        auto link = std::make_unique<CItemLink>();
        link->m_nKind = kLinkAddress;
        link->m_strHref = CString::Formatted("p%d.html", n);
        item.m_links[WORD(n)] = std::move(link);
    }
    std::mt19937 rng(1234);
    const std::uint32_t colours[] = {kUnset, kRed, kBlue, 0xFF000000u};
    CString allBodies;
    for (int round = 0; round < 200; ++round) {
        std::u16string text;
        std::vector<CTextRun> runs;
        const int length = 1 + int(rng() % 30);
        for (int i = 0; i < length; ++i) {
            text += (rng() % 8 == 0) ? u'\r' : char16_t(u'a' + rng() % 26);
            runs.push_back(MakeRun(colours[rng() % 4], int(rng() % 2), int(rng() % 2), int(rng() % 3), int(rng() % 2), int(rng() % 4), int(rng() % 8)));
        }
        // Pair every CR with a line feed, as the editor stores line breaks.
        std::u16string withBreaks;
        for (char16_t c : text) {
            withBreaks += c;
            if (c == u'\r')
                withBreaks += u'\n';
        }
        item.m_strText.SetText(withBreaks.c_str());
        SetRuns(item, runs);
        const CString html = Write(item);
        std::string why;
        ASSERT_TRUE(WellNested(html.str(), why)) << why << "\n" << html.GetString();
        allBodies += "<p>" + html + "</p>\r\n";
    }
    CPageOutput page;
    page.m_wstrTitle.SetText(u"runs");
    page.m_strBody = allBodies;
    page.AssemblePage();
    EXPECT_EQ(testsupport::TidyErrors(QByteArray(page.m_strFinalPage.GetString())), QByteArray());
}

TEST(TextRunBlock, RecordsAreSevenLittleEndianWords)
{
    CDataBlock block;
    AllocateTextRuns(block, 2);
    ASSERT_EQ(block.Size(), 56u);
    EXPECT_EQ(GetTextRunCount(block), 2);
    SetTextRun(block, 1, MakeRun(0x11223344u, 1, 0, 2, 1, 0x0102, 7));
    const BYTE expected[28] = {0x44, 0x33, 0x22, 0x11, 1, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0, 2, 1, 0, 0, 7, 0, 0, 0};
    EXPECT_EQ(std::memcmp(block.Data() + 28, expected, 28), 0);
    EXPECT_EQ(GetTextRun(block, 1), MakeRun(0x11223344u, 1, 0, 2, 1, 0x0102, 7));
    // Outside the block: all zero, and writes are dropped.
    CTextRun plain;
    plain.color = kRunColorInherit;
    EXPECT_EQ(GetTextRun(block, 2), plain);
    EXPECT_EQ(GetTextRun(block, -1), plain);
    EXPECT_EQ(GetTextRun(block, 0), CTextRun());
    SetTextRun(block, 5, MakeRun(kRed, 1));
    EXPECT_EQ(block.Size(), 56u);
    // A block whose size is no multiple of a record counts whole records only.
    CDataBlock odd;
    odd.Allocate(30);
    EXPECT_EQ(GetTextRunCount(odd), 1);
}

TEST(TextRunBlock, SizeSteps)
{
    const int twips[] = {150, 180, 240, 270, 360, 480, 640};
    const int points[] = {8, 9, 12, 13, 18, 24, 36};
    for (int step = 1; step <= 7; ++step) {
        EXPECT_EQ(RunSizeTwips(step), twips[step - 1]);
        EXPECT_EQ(RunSizePoints(step), points[step - 1]);
        EXPECT_EQ(RunSizeStepOfTwips(twips[step - 1]), step);
    }
    EXPECT_EQ(RunSizeStepOfTwips(151), 2);
    EXPECT_EQ(RunSizeStepOfTwips(481), 7);
    EXPECT_EQ(RunSizeTwips(0), 0);
    EXPECT_EQ(RunSizeTwips(8), 0);
}

TEST(TextRunHtml, ItemLinkNeverNestsAndAlwaysHasAnAddress)
{
    struct Case {
        const char* name;
        bool outerAddress;
        bool innerLink;
        const char* expected;   // must appear
        const char* forbidden;  // must not appear
        int anchors;            // "<a " in the body
    };
    const Case cases[] = {
        {"inner link wins, outer title on a wrapper", true, true, "<span title=\"Outer\">a<a href=\"http://example.com/\">b</a></span>", "outer.html", 1},
        {"title without address is no anchor", false, false, "<span title=\"Outer\">ab</span>", "<a", 0},
        {"title without address around an inner link", false, true, "<span title=\"Outer\">a<a href=\"http://example.com/\">b</a></span>", "outer.html", 1},
        {"an outer link alone stays a link", true, false, "<a href=\"outer.html\" title=\"Outer\">ab</a>", "<span title", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CParagraphItem item;
        item.m_strText.SetText(u"ab");
        item.m_link.m_wstrTitle.SetText(u"Outer");
        if (c.outerAddress) {
            item.m_link.m_nKind = kLinkAddress;
            item.m_link.m_strHref = "outer.html";
        }
        auto inner = std::make_unique<CItemLink>();
        inner->m_nKind = kLinkAddress;
        inner->m_strHref = "http://example.com/";
        item.m_links[3] = std::move(inner);
        SetRuns(item, {MakeRun(), MakeRun(kUnset, 0, 0, 0, 0, c.innerLink ? 3 : 0)});
        CPageOutput out;
        item.WriteHtml(out);
        const QString body = QString::fromUtf8(out.m_strBody.GetString());
        EXPECT_TRUE(body.contains(c.expected)) << body.toStdString();
        EXPECT_FALSE(body.contains(c.forbidden)) << body.toStdString();
        EXPECT_EQ(body.count("<a "), c.anchors) << body.toStdString();
    }
}

} // namespace
