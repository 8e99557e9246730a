#include "framework/core/DcTestSupport.h"
#include "model/TextRuns.h"
#include "TextRunTestSupport.h"
#include "model/TextStyle.h"
#include "model/items/MarqueeItem.h"
#include "model/items/ParagraphItem.h"

#include <QtGui/QTextBlock>
#include <QtGui/QTextCursor>
#include <QtGui/QTextDocument>
#include <gtest/gtest.h>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
// fontconfig (behind the text the items lay out and paint) keeps blocks for the life of
// the process that the leak checker cannot reach; they are the library's. One definition
// serves the whole model test program.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}
#endif

namespace {

using runtest::MakeRun;
using runtest::SetRuns;

std::vector<CTextRun> Runs(const CItem& item)
{
    std::vector<CTextRun> runs;
    for (int i = 0; i < GetTextRunCount(item.m_blob); ++i)
        runs.push_back(GetTextRun(item.m_blob, i));
    return runs;
}

// The format of the character at a document position.
QTextCharFormat FormatAt(QTextDocument& doc, int pos)
{
    QTextCursor c(&doc);
    c.setPosition(pos);
    c.setPosition(pos + 1, QTextCursor::KeepAnchor);
    return c.charFormat();
}

class RichEdit : public ::testing::Test {
protected:
    void SetUp() override
    {
        dctest::EnsureGuiApplication();
        item.m_strFontFace = "Arial";
        item.RecalcLayout();
    }
    CParagraphItem item;
};

TEST_F(RichEdit, LoadThenReadGivesTheSameRuns)
{
    item.m_strText.SetText(u"ab\r\ncd\r\n\r\nef");
    const std::uint32_t inherit = kRunColorInherit;
    // One record per unit; the line feeds take none, so the last three stay zero.
    const std::vector<CTextRun> runs = {
        MakeRun(0x0000FF, 1, 0, 0, 0, 0, 0), MakeRun(inherit, 0, 1, 1, 0, 2, 0), MakeRun(inherit, 0, 0, 2, 1, 0, 0),
        MakeRun(0x00FF00, 0, 0, 0, 0, 7, 7), MakeRun(inherit, 1, 1, 0, 0, 0, 1), MakeRun(inherit, 0, 0, 0, 0, 0, 3),
        MakeRun(inherit, 0, 0, 1, 0, 0, 0), MakeRun(0x123456, 1, 0, 0, 1, 0, 4), MakeRun(inherit, 0, 0, 0, 0, 0, 0),
        CTextRun(), CTextRun(), CTextRun()};
    SetRuns(item, runs);
    QTextDocument doc;
    SetRichEditFont(item, &doc);
    LoadRichEdit(item, &doc, false);
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("ab\ncd\n\nef"));

    item.m_strText.SetText(u"");
    item.m_blob.Free();
    ReadRichEdit(item, &doc);
    EXPECT_EQ(item.m_strText.ToQString(), QStringLiteral("ab\r\ncd\r\n\r\nef"));
    const std::vector<CTextRun> back = Runs(item);
    ASSERT_EQ(back.size(), runs.size());
    for (size_t i = 0; i < runs.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(back[i], runs[i]);
    }
}

TEST_F(RichEdit, DecorationShownAsTheRecordSays)
{
    struct Case {
        int itemDecoration;
        int record;
        bool underline, strikeout;
    } cases[] = {{0, 1, true, false}, {0, 2, false, true}, {3, 0, false, false}, {1, 0, false, false}, {0, 0, false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.itemDecoration << "/" << c.record);
        item.m_nDecoration = c.itemDecoration;
        item.RecalcLayout();
        item.m_strText.SetText(u"x");
        SetRuns(item, {MakeRun(kRunColorInherit, 0, 0, c.record, 0, 0, 0)});
        QTextDocument doc;
        SetRichEditFont(item, &doc);
        LoadRichEdit(item, &doc, false);
        const QTextCharFormat f = FormatAt(doc, 0);
        EXPECT_EQ(f.fontUnderline(), c.underline);
        EXPECT_EQ(f.fontStrikeOut(), c.strikeout);
    }
}

TEST_F(RichEdit, LinksTakeTheLinkStyleWhenAsked)
{
    CLinkStyle style;
    style.m_crColor = 0x00FF00;
    style.m_crBack = 0x0000FF;
    style.m_nBold = 1;
    item.m_pLinkStyle = &style;
    item.m_strText.SetText(u"ab");
    SetRuns(item, {MakeRun(kRunColorInherit, 0, 0, 0, 0, 4, 0), MakeRun(kRunColorInherit, 0, 0, 0, 0, 0, 0)});
    QTextDocument doc;
    SetRichEditFont(item, &doc);
    LoadRichEdit(item, &doc, true);
    EXPECT_EQ(FormatAt(doc, 0).foreground().color(), QColor(0, 255, 0));
    EXPECT_EQ(FormatAt(doc, 0).background().color(), QColor(255, 0, 0));
    EXPECT_GE(FormatAt(doc, 0).fontWeight(), QFont::Bold);
    EXPECT_EQ(FormatAt(doc, 1).foreground().color(), QColor(0, 0, 0));
    EXPECT_LT(FormatAt(doc, 1).fontWeight(), QFont::Bold);

    QTextDocument plain;
    SetRichEditFont(item, &plain);
    LoadRichEdit(item, &plain, false);
    EXPECT_EQ(FormatAt(plain, 0).foreground().color(), QColor(0, 0, 0));
}

TEST_F(RichEdit, UniformColourAndSizeMoveToTheItem)
{
    item.m_strText.SetText(u"abc");
    SetRuns(item, std::vector<CTextRun>(3, MakeRun(0x3366CC, 0, 0, 0, 0, 0, 7)));
    QTextDocument doc;
    SetRichEditFont(item, &doc);
    LoadRichEdit(item, &doc, false);
    ReadRichEdit(item, &doc);
    EXPECT_EQ(item.m_crText, 0x3366CCu);
    EXPECT_EQ(item.m_nFontSize, 36);
    for (const CTextRun& r : Runs(item)) {
        EXPECT_EQ(r.color, kRunColorInherit);
        EXPECT_EQ(r.size, 0);
    }
}

TEST_F(RichEdit, MixedColoursStayInTheRuns)
{
    item.m_strText.SetText(u"ab");
    SetRuns(item, {MakeRun(0x3366CC, 0, 0, 0, 0, 0, 2), MakeRun(0x0000FF, 0, 0, 0, 0, 0, 3)});
    QTextDocument doc;
    SetRichEditFont(item, &doc);
    LoadRichEdit(item, &doc, false);
    ReadRichEdit(item, &doc);
    EXPECT_EQ(item.m_crText, 0xFFFFFFFFu);
    EXPECT_EQ(item.m_nFontSize, 0);
    EXPECT_EQ(GetTextRun(item.m_blob, 0).color, 0x3366CCu);
    EXPECT_EQ(GetTextRun(item.m_blob, 1).size, 3);
}

TEST_F(RichEdit, EditorBackgroundContrastsWithTheText)
{
    struct Case {
        std::vector<CTextRun> runs;
        COLORREF back;
    } cases[] = {
        // Without runs: the complement of the layout colour (black text here).
        {{}, RGB(255, 255, 255)},
        // Red text: brightness sqrt(0.241) * 255 = 125, 254 - 6 * 125 / 7 = 147.
        {std::vector<CTextRun>(2, MakeRun(0x0000FF, 0, 0, 0, 0, 0, 0)), RGB(147, 147, 147)},
        // Half the text red, half black: the mean red is 127, brightness 62, 254 - 53.
        {{MakeRun(0x0000FF, 0, 0, 0, 0, 0, 0), MakeRun(0x000000, 0, 0, 0, 0, 0, 0)}, RGB(201, 201, 201)},
        // Black text: brightness 0.
        {std::vector<CTextRun>(2, MakeRun(0x000000, 0, 0, 0, 0, 0, 0)), RGB(254, 254, 254)},
    };
    for (const Case& c : cases) {
        item.m_strText.SetText(u"ab");
        SetRuns(item, c.runs);
        QTextDocument doc;
        SetRichEditFont(item, &doc);
        LoadRichEdit(item, &doc, false);
        EXPECT_EQ(item.m_crEditorBack, c.back);
    }
}

TEST_F(RichEdit, ReadingCutsVeryLongTexts)
{
    QTextDocument doc;
    doc.setPlainText(QString(70000, QChar(u'x')));
    ReadRichEdit(item, &doc);
    EXPECT_EQ(item.m_strText.GetLength(), kMaxRichTextUnits);
    EXPECT_EQ(GetTextRunCount(item.m_blob), kMaxRichTextUnits);
}

// ---------------------------------------------------------------- measuring

struct MeasureCase {
    const char* name;
    const char16_t* text;
    int width;
    int minHeight, maxHeight; // the fonts here are not the original machine's
};

TEST_F(RichEdit, MeasuredHeightFollowsTheLines)
{
    // Arial at 13 pixels: one line is about 15 pixels high.
    const MeasureCase cases[] = {
        {"one line", u"Hello world", 300, 13, 19},
        {"two lines", u"Hello\r\nworld", 300, 27, 38},
        {"wrapped at a narrow width", u"one two three four five six seven eight", 60, 50, 130},
        {"empty text keeps one line", u"", 100, 13, 19},
    };
    for (const MeasureCase& c : cases) {
        SCOPED_TRACE(c.name);
        item.m_strText.SetText(c.text);
        MeasureRichText(item, c.width);
        EXPECT_EQ(item.m_dib2.GetWidth(), c.width);
        EXPECT_EQ(item.m_nTextWidth, c.width);
        EXPECT_EQ(item.m_dib2.GetHeight(), item.m_nTextHeight);
        EXPECT_GE(item.m_nTextHeight, c.minHeight);
        EXPECT_LE(item.m_nTextHeight, c.maxHeight);
    }
}

TEST_F(RichEdit, TextBitmapIsInkOnTransparency)
{
    item.m_strText.SetText(u"MMMM");
    SetRuns(item, std::vector<CTextRun>(4, MakeRun(0x0000FF, 1, 0, 0, 0, 0, 0)));
    MeasureRichText(item, 120);
    CDib& dib = item.m_dib2;
    ASSERT_TRUE(dib.IsValid());
    dib.BeginPixels();
    int ink = 0, clear = 0, red = 0;
    for (int y = 0; y < dib.GetHeight(); ++y)
        for (int x = 0; x < dib.GetWidth(); ++x) {
            const std::uint32_t p = dib.GetPixel(x, y);
            if ((p >> 24) == 0xFF) {
                ++clear;
                continue;
            }
            EXPECT_EQ(p >> 24, 0u);
            ++ink;
            red += (p & 0xFFFFFF) == 0xFF0000;
        }
    dib.EndPixels();
    EXPECT_GT(ink, 40);
    EXPECT_GT(red, 10);
    EXPECT_GT(clear, ink);
    // Everything right of the text is background.
    dib.BeginPixels();
    EXPECT_EQ(dib.GetPixel(119, 0) >> 24, 0xFFu);
    dib.EndPixels();
    EXPECT_EQ(dib.GetOpaqueFlag(), 0);
}

TEST_F(RichEdit, ParagraphSizesItselfToItsText)
{
    item.m_nX = 10;
    item.m_nWidth = 210;
    item.m_nHeight = 5;
    item.m_nHeightMode = 0;
    item.m_nPadding = 5;
    item.m_strText.SetText(u"one\r\ntwo\r\nthree");
    item.RecalcLayout();
    EXPECT_EQ(item.m_nTextWidth, 200);
    EXPECT_EQ(item.m_nWidth, 210);
    // Too low for its text: it switches to automatic height.
    EXPECT_EQ(item.m_nHeightMode, 1);
    EXPECT_EQ(item.m_nHeight, item.m_nTextHeight + 10);
    EXPECT_GE(item.m_nTextHeight, 3 * 13);

    // No room for text: no bitmap, only the background is painted.
    item.m_nWidth = 10;
    item.RecalcLayout();
    EXPECT_FALSE(item.m_dib2.IsValid());
}

TEST_F(RichEdit, MarqueeCutsItsLineToTheBox)
{
    CMarqueeItem marquee;
    marquee.m_strFontFace = "Arial";
    marquee.m_strText.SetText(u"A long scrolling line of text");
    marquee.m_nWidth = 80;
    marquee.m_nHeight = 12;
    marquee.RecalcLayout();
    EXPECT_EQ(marquee.m_dib2.GetWidth(), 80);
    EXPECT_EQ(marquee.m_dib2.GetHeight(), 12);
    EXPECT_EQ(marquee.m_nWidth, 80);
    EXPECT_EQ(marquee.m_nHeight, 12);
}

} // namespace
