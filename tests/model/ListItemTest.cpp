#include "model/PageOutput.h"
#include "model/PublishContext.h"
#include "model/items/ListItem.h"
#include "support/ExternalTools.h"

#include <gtest/gtest.h>

namespace {

CString Utf8(const CWString& w)
{
    return w.GetUtf8();
}

TEST(ListItem, EditorLabels)
{
    struct Case {
        int style, n;
        const char* expected;
    } const cases[] = {
        {1, 1, "1."}, {1, 12, "12."}, {2, 1, "\u25CF"}, {3, 2, "\u25CB"}, {4, 3, "\u25A0"},
        {5, 1, "\u03B1."}, {6, 2, "\u0392."}, {7, 1, "a."}, {7, 26, "a."}, {8, 3, "C."},
        {9, 1, "I."}, {9, 3, "III."}, {9, 49, "XLIX."}, {9, 104, "IV."}, {0, 1, ""}, {12, 1, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "style " << c.style << " entry " << c.n);
        EXPECT_EQ(Utf8(ListLabel(c.style, c.n)), CString(c.expected));
    }
}

TEST(ListItem, LinesDropControlsAndKeepATrailingEmptyLine)
{
    CWString text;
    text.SetText(u"a\tb\r\nc\n");
    const std::vector<CWString> lines = ReadListLines(text);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(Utf8(lines[0]), CString("ab"));
    EXPECT_EQ(Utf8(lines[1]), CString("c"));
    EXPECT_TRUE(lines[2].IsEmpty());
    CWString empty;
    EXPECT_TRUE(ReadListLines(empty).empty());
}

TEST(ListItem, MarkupPerStyle)
{
    struct Case {
        int style;
        const char* open;
        const char* close;
    } const cases[] = {
        {0, "<ul style=\"list-style:none;margin-left:0px;", "</ul>"},
        {1, "<ol style=\"list-style-type:decimal;", "</ol>"},
        {2, "<ul style=\"list-style-type:disc;", "</ul>"},
        {3, "<ul style=\"list-style-type:circle;", "</ul>"},
        {4, "<ul style=\"list-style-type:square;", "</ul>"},
        {5, "<ol style=\"list-style-type:lower-greek;", "</ol>"},
        {9, "<ol style=\"list-style-type:upper-roman;", "</ol>"},
    };
    for (const Case& c : cases) {
        for (int flowing = 0; flowing < 2; ++flowing) {
            SCOPED_TRACE(testing::Message() << "style " << c.style << (flowing ? " flowing" : " positioned"));
            CListItem list;
            list.m_strName = "steps";
            list.m_nStyle = c.style;
            list.m_bPositioned = !flowing;
            list.m_strText.SetText(u"One & two\r\n\r\nThree\n");
            list.m_actions[EVENT_MOUSE_OVER].m_wstrScript.SetText(u"x=1;");
            list.RecalcLayout();
            CPageOutput out;
            out.m_nMode = kPublishExport;
            list.WriteHtml(out);
            // the list element carries the id; a placed list's block is no box of its own
            CString open = c.open;
            open.Replace(" style=", " id=\"steps\" style=");
            const CString expected = CString(flowing ? "<div>\r\n" : "<div style=\"position:static;\">\r\n") + open + list.GetStyle()
                + "\" onMouseOver=\"x=1;\">"
                + "<li style=\"margin-bottom:6px;\">One &amp; two</li>\r\n"
                + "<li style=\"margin-bottom:6px;list-style:none;\"><br></li>\r\n"
                + "<li style=\"margin-bottom:6px;\">Three</li>\r\n"
                + "<li style=\"margin-bottom:2px;list-style:none;\"><br></li>\r\n"
                + c.close + "</div>\r\n";
            EXPECT_EQ(out.m_strBody, expected);
            out.m_wstrTitle.SetText(u"List");
            out.AssemblePage();
            EXPECT_EQ(testsupport::TidyErrors(QByteArray(out.m_strFinalPage.GetString())), QByteArray());
        }
    }
}

TEST(ListItem, EmptyListOpensAndClosesOnly)
{
    CListItem list;
    list.m_nStyle = 2;
    CPageOutput out;
    list.WriteHtml(out);
    EXPECT_EQ(out.m_strBody, "<div style=\"position:static;\">\r\n<ul id=\"" + list.GetHtmlId() + "\" style=\"list-style-type:disc;" + list.GetStyle() + "\"></ul></div>\r\n");
}

TEST(ListItem, LayoutGivesOneRightAlignedLabelPerLine)
{
    CListItem list;
    list.m_nStyle = 9;
    list.m_nWidth = 200;
    list.m_strText.SetText(u"a\nb\nc\nd\ne\nf\ng\nh");
    list.RecalcLayout();
    ASSERT_EQ(list.m_labels.size(), 8u);
    EXPECT_EQ(Utf8(list.m_labels[7].text), CString("VIII."));
    for (const CListItem::Label& label : list.m_labels)
        EXPECT_EQ(label.rect.right, list.m_nLabelWidth);
    EXPECT_GE(list.m_nLabelWidth, 20);
    // Each line lies below the one before it by at least the line spacing.
    for (size_t i = 1; i < list.m_labels.size(); ++i)
        EXPECT_GE(list.m_labels[i].rect.top, list.m_labels[i - 1].rect.bottom + list.m_nLineSpacing);
    EXPECT_GT(list.m_nHeight, list.m_labels.back().rect.bottom);
}

} // namespace
