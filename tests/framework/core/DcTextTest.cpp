// Fonts, text output and measuring, and the font aliases. Glyph shapes differ between
// fonts, so these tests check geometry and coverage, not exact glyph pixels.
#include "DcTestSupport.h"

#include <QtGui/QFontInfo>
#include <cstring>
#include <QtGui/QFontMetrics>

using namespace dctest;

namespace {

class DcText : public ::testing::Test {
protected:
    static void SetUpTestSuite() { EnsureGuiApplication(); }
};

CFont MakeFont(int height, const char* face = "Arial", int weight = FW_NORMAL)
{
    LOGFONT lf;
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfCharSet = DEFAULT_CHARSET;
    SetLogFontFace(lf, face);
    CFont font;
    font.CreateFontIndirect(&lf);
    return font;
}

} // namespace

TEST(Gdi, MulDivRoundsHalfAwayFromZero)
{
    struct Case {
        int a, b, c, expected;
    } cases[] = {
        {12, 4, 3, 16}, {10, 4, 3, 13}, {11, 4, 3, 15}, {80, 96, 720, 11}, {120, 96, 720, 16},
        {-10, 4, 3, -13}, {1, 1, 2, 1}, {-1, 1, 2, -1}, {7, 0, 3, 0}, {5, 5, 0, -1},
        {2000000000, 3, 4, 1500000000},
        // a result no int holds is -1, never a wrapped value
        {2000000000, 4, 3, -1}, {-2000000000, 4, 3, -1}, {2147483647, 2147483647, 1, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.expected) << c.a << "*" << c.b << "/" << c.c;
}

TEST(Gdi, LogFontRecord)
{
    LOGFONT lf;
    SetLogFontFace(lf, "A face name that is much longer than thirty-one bytes");
    EXPECT_EQ(std::strlen(lf.lfFaceName), 31u);
    EXPECT_EQ(lf.lfFaceName[31], 0);
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(120, "Verdana"));
    LOGFONT got;
    EXPECT_EQ(font.GetLogFont(&got), 60);
    EXPECT_EQ(got.lfHeight, -16);
    EXPECT_STREQ(got.lfFaceName, "Verdana");
    ASSERT_TRUE(font.CreatePointFont(80, "Arial"));
    EXPECT_EQ(font.LogFont().lfHeight, -11);
}

TEST_F(DcText, FontHeightsFollowTheirSign)
{
    // Negative: the character (em) height in pixels; positive: the whole cell.
    for (int h : {10, 16, 24, 48}) {
        const QFont negative = QFontFromLogFont(MakeFont(-h).LogFont());
        EXPECT_EQ(negative.pixelSize(), h);
        const QFont positive = QFontFromLogFont(MakeFont(h).LogFont());
        EXPECT_NEAR(QFontMetrics(positive).height(), h, 1) << h;
        EXPECT_LT(positive.pixelSize(), h);
        const QFont zoomed = QFontFromLogFont(MakeFont(-h).LogFont(), 2.0);
        EXPECT_EQ(zoomed.pixelSize(), 2 * h);
    }
    LOGFONT lf = MakeFont(-20, "Times New Roman", FW_BOLD).LogFont();
    lf.lfItalic = 1;
    lf.lfUnderline = 1;
    const QFont q = QFontFromLogFont(lf);
    EXPECT_EQ(q.weight(), QFont::Bold);
    EXPECT_TRUE(q.italic());
    EXPECT_TRUE(q.underline());
    EXPECT_FALSE(q.strikeOut());
}

TEST_F(DcText, LogFontFromQFontRoundTrips)
{
    LOGFONT lf = MakeFont(-17, "DejaVu Serif", 600).LogFont();
    lf.lfStrikeOut = 1;
    const LOGFONT back = LogFontFromQFont(QFontFromLogFont(lf));
    EXPECT_EQ(back.lfHeight, -17);
    EXPECT_EQ(back.lfWeight, 600);
    EXPECT_EQ(back.lfItalic, 0);
    EXPECT_EQ(back.lfStrikeOut, 1);
    EXPECT_STREQ(back.lfFaceName, "DejaVu Serif");

    // a point size becomes pixels at 96 dots per inch; a long face is cut, never mid-character
    QFont points(QString::fromUtf8("\xC3\xA9" "abcdefghijklmnopqrstuvwxyz\xC3\xA9\xC3\xA9\xC3\xA9"), 12);
    const LOGFONT fromPoints = LogFontFromQFont(points);
    EXPECT_EQ(fromPoints.lfHeight, -16);
    const QString face = QString::fromUtf8(fromPoints.lfFaceName);
    EXPECT_FALSE(face.contains(QChar::ReplacementCharacter));
    EXPECT_LE(std::strlen(fromPoints.lfFaceName), 31u);
    EXPECT_TRUE(points.family().startsWith(face));
}

TEST_F(DcText, WidthStretchesTheFont)
{
    CDC dc;
    CFont natural = MakeFont(-40);
    dc.SelectObject(&natural);
    TEXTMETRIC tm;
    ASSERT_TRUE(dc.GetTextMetrics(&tm));
    EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
    EXPECT_GE(tm.tmHeight, 40);
    const int plain = dc.GetTextExtent(CString("Stretch me")).cx;
    LOGFONT lf = natural.LogFont();
    lf.lfWidth = tm.tmAveCharWidth * 2;
    CFont wide;
    wide.CreateFontIndirect(&lf);
    dc.SelectObject(&wide);
    EXPECT_NEAR(dc.GetTextExtent(CString("Stretch me")).cx, plain * 2, plain / 10);
}

TEST_F(DcText, FacesResolveThroughTheAliases)
{
    ASSERT_TRUE(tessel::InstallFontSubstitutes());
    EXPECT_FALSE(tessel::FontSubstitutesFile().isEmpty());
    struct Case {
        const char* face;
        const char* expected;
    } cases[] = {
        {"Arial", "Liberation Sans"}, {"Times New Roman", "Liberation Serif"}, {"Courier New", "Liberation Mono"},
        {"Verdana", "DejaVu Sans"}, {"Tahoma", "DejaVu Sans"}, {"Lucida Sans Unicode", "DejaVu Sans"},
        {"Comic Sans MS", "Comic Neue"}, {"Wingdings", "OpenSymbol"}, {"Webdings", "OpenSymbol"},
        {"Symbol", "OpenSymbol"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(tessel::SubstituteFace(QString::fromLatin1(c.face)), QString::fromLatin1(c.expected));
        const QFont font = QFontFromLogFont(MakeFont(-20, c.face).LogFont());
        EXPECT_EQ(QFontInfo(font).family(), QString::fromLatin1(c.expected)) << c.face;
    }
    EXPECT_EQ(tessel::SubstituteFace(QStringLiteral("DejaVu Serif")), QStringLiteral("DejaVu Serif"));
    EXPECT_FALSE(qEnvironmentVariable("FONTCONFIG_FILE").isEmpty());
}

TEST_F(DcText, CharacterExtraWidensEveryCharacter)
{
    CDC dc;
    CFont font = MakeFont(-16);
    dc.SelectObject(&font);
    const CSize base = dc.GetTextExtent(CString("abcd"));
    for (int extra : {1, 3, 10}) {
        dc.SetTextCharacterExtra(extra);
        const CSize spaced = dc.GetTextExtent(CString("abcd"));
        EXPECT_EQ(spaced.cx, base.cx + 4 * extra) << extra;
        EXPECT_EQ(spaced.cy, base.cy);
    }
    EXPECT_EQ(dc.SetTextCharacterExtra(0), 10);
    const char16_t wide[] = u"abcd";
    EXPECT_EQ(dc.GetTextExtent(wide, -1), base);
    SIZE s;
    ASSERT_TRUE(dc.GetTextExtentPoint32W(wide, 2, &s));
    EXPECT_LT(s.cx, base.cx);
}

TEST_F(DcText, TextOutAlignsOnItsCell)
{
    struct Case {
        UINT align;
        int x, y;
    } cases[] = {
        {TA_LEFT | TA_TOP, 20, 10},
        {TA_CENTER | TA_TOP, 100, 10},
        {TA_RIGHT | TA_TOP, 180, 10},
        {TA_LEFT | TA_BOTTOM, 20, 70},
        {TA_LEFT | TA_BASELINE, 20, 50},
    };
    CFont font = MakeFont(-30);
    for (const Case& c : cases) {
        Canvas cv(200, 80);
        cv.dc.SelectObject(&font);
        cv.dc.SetBkMode(OPAQUE);
        cv.dc.SetBkColor(kBlue);
        cv.dc.SetTextColor(kRed);
        cv.dc.SetTextAlign(c.align);
        const CSize ext = cv.dc.GetTextExtent(CString("Hxg"));
        TEXTMETRIC tm;
        cv.dc.GetTextMetrics(&tm);
        cv.dc.TextOut(c.x, c.y, CString("Hxg"));
        // The opaque background covers exactly the text's cell.
        int left = c.x, top = c.y;
        if ((c.align & TA_CENTER) == TA_CENTER)
            left -= ext.cx / 2;
        else if (c.align & TA_RIGHT)
            left -= ext.cx;
        if ((c.align & TA_BASELINE) == TA_BASELINE)
            top -= tm.tmAscent;
        else if (c.align & TA_BOTTOM)
            top -= ext.cy;
        const CRect cell(left, top, left + ext.cx, top + ext.cy);
        EXPECT_EQ(cv.Ink(), cell) << c.align;
        EXPECT_GT(cv.Count(kRed) + cv.Count(kBlue), 0);
        EXPECT_GT(cv.Count(kBlue), cell.Width() * cell.Height() / 4);
    }
    // Transparent: only glyph pixels, inside the cell.
    Canvas cv(200, 80);
    cv.dc.SelectObject(&font);
    cv.dc.SetBkMode(TRANSPARENT);
    cv.dc.TextOut(20, 10, CString("Hxg"));
    const CRect ink = cv.Ink();
    const CSize ext = cv.dc.GetTextExtent(CString("Hxg"));
    EXPECT_GE(ink.left, 19);
    EXPECT_GE(ink.top, 10);
    EXPECT_LE(ink.right, 20 + ext.cx + 1);
    EXPECT_LE(ink.bottom, 10 + ext.cy);
    EXPECT_GT(ink.Height(), 20); // H and g span most of the cell
}

TEST_F(DcText, DrawTextMeasures)
{
    CDC dc;
    CFont font = MakeFont(-16);
    dc.SelectObject(&font);
    const int line = dc.GetTextExtent(CString("x")).cy;
    const int wordW = dc.GetTextExtent(CString("word")).cx;
    const int longW = dc.GetTextExtent(CString("Extraordinarily")).cx;
    const int twoW = dc.GetTextExtent(CString("word word")).cx;
    struct Case {
        const char* text;
        int width;
        UINT format;
        int lines;
        int right; // -1: not checked
    } cases[] = {
        {"word", 1000, DT_SINGLELINE, 1, wordW},
        {"word word word", twoW, DT_WORDBREAK, 2, twoW},
        {"word word word", twoW - 1, DT_WORDBREAK, 3, wordW},
        {"word word word", wordW, DT_WORDBREAK, 3, wordW},
        {"word word word", 1000, DT_WORDBREAK, 1, -1},
        {"Extraordinarily long", wordW, DT_WORDBREAK, 2, longW}, // a long word overflows
        {"word\r\nword\nword", 1000, 0, 3, wordW},
        {"word\r\n", 1000, 0, 1, wordW},
        {"word\r\n\r\nword", 1000, DT_WORDBREAK, 3, wordW},
        {"word\r\nword", 1000, DT_SINGLELINE, 1, dc.GetTextExtent(CString("wordword")).cx},
        {"", 1000, DT_WORDBREAK, 0, 0},
        {"&word", 1000, 0, 1, wordW},
        {"&&", 1000, 0, 1, dc.GetTextExtent(CString("&")).cx},
        {"&word", 1000, DT_NOPREFIX, 1, dc.GetTextExtent(CString("&word")).cx},
    };
    for (const Case& c : cases) {
        CRect rc(5, 7, 5 + c.width, 7);
        const int height = dc.DrawText(CString(c.text), &rc, c.format | DT_CALCRECT);
        EXPECT_EQ(height, c.lines * line) << c.text;
        EXPECT_EQ(rc.top, 7);
        EXPECT_EQ(rc.bottom, 7 + c.lines * line) << c.text;
        EXPECT_EQ(rc.left, 5);
        if (c.right >= 0) {
            EXPECT_EQ(rc.Width(), c.right) << c.text;
        } else if (c.format & DT_WORDBREAK) {
            EXPECT_LE(rc.Width(), c.width) << c.text;
        }
    }
    // Tabs: expanded to stops of eight average characters.
    TEXTMETRIC tm;
    dc.GetTextMetrics(&tm);
    CRect rc(0, 0, 1000, 0);
    dc.DrawText(CString("a\tb"), &rc, DT_CALCRECT | DT_EXPANDTABS);
    EXPECT_EQ(rc.Width(), 8 * tm.tmAveCharWidth + dc.GetTextExtent(CString("b")).cx);
    // Tab stops of their own size: the second byte of the format is no flag then, and
    // such texts (code) keep their '&' and are not clipped.
    {
        Canvas cv(300, 60);
        cv.dc.SelectObject(&font);
        cv.dc.SetBkMode(OPAQUE);
        cv.dc.SetBkColor(kBlue);
        CRect box(0, 0, 5, 5);
        cv.dc.DrawText(CString("a\tb"), &box, DT_EXPANDTABS | DT_TABSTOP | (4u << 8));
        EXPECT_EQ(box, CRect(0, 0, 5, 5)); // 4 << 8 is not DT_CALCRECT here
        EXPECT_EQ(cv.Ink(), CRect(0, 0, 4 * tm.tmAveCharWidth + dc.GetTextExtent(CString("b")).cx, line));
        Canvas code(300, 60);
        code.dc.SelectObject(&font);
        code.dc.SetBkMode(OPAQUE);
        code.dc.SetBkColor(kBlue);
        CRect small(0, 0, 5, 5);
        code.dc.DrawText(CString("a&b"), &small, 0x8D0);
        EXPECT_EQ(code.Ink(), CRect(0, 0, dc.GetTextExtent(CString("a&b")).cx, line));
    }
    // Wide text, NUL-terminated.
    CRect wrc(0, 0, 1000, 0);
    EXPECT_EQ(dc.DrawText(u"word", -1, &wrc, DT_CALCRECT | DT_SINGLELINE), line);
    EXPECT_EQ(wrc.Width(), wordW);
}

TEST_F(DcText, DrawTextPlacesAndClips)
{
    CFont font = MakeFont(-20);
    struct Case {
        UINT format;
        const char* what;
    } cases[] = {
        {DT_LEFT | DT_TOP | DT_SINGLELINE, "left top"},
        {DT_CENTER | DT_VCENTER | DT_SINGLELINE, "centred"},
        {DT_RIGHT | DT_BOTTOM | DT_SINGLELINE, "right bottom"},
    };
    const CRect box(20, 10, 220, 90);
    for (const Case& c : cases) {
        Canvas cv(240, 100);
        cv.dc.SelectObject(&font);
        cv.dc.SetBkMode(OPAQUE);
        cv.dc.SetBkColor(kBlue);
        const CSize ext = cv.dc.GetTextExtent(CString("Label"));
        CRect rc = box;
        cv.dc.DrawText(CString("Label"), &rc, c.format);
        EXPECT_EQ(rc, box); // drawing leaves the rectangle alone
        CRect expected(box.left, box.top, box.left + ext.cx, box.top + ext.cy);
        if (c.format & DT_CENTER)
            expected.OffsetRect((box.Width() - ext.cx) / 2, (box.Height() - ext.cy) / 2);
        if (c.format & DT_RIGHT)
            expected.OffsetRect(box.Width() - ext.cx, box.Height() - ext.cy);
        EXPECT_EQ(cv.Ink(), expected) << c.what;
    }
    // Without DT_NOCLIP nothing is drawn outside the rectangle; with it, the text runs on.
    for (bool noClip : {false, true}) {
        Canvas cv(240, 100);
        cv.dc.SelectObject(&font);
        cv.dc.SetBkMode(TRANSPARENT);
        CRect rc(10, 10, 40, 60);
        cv.dc.DrawText(CString("Overflowing"), &rc, DT_SINGLELINE | (noClip ? DT_NOCLIP : 0));
        if (noClip) {
            EXPECT_GT(cv.Ink().right, 60);
        } else {
            EXPECT_LE(cv.Ink().right, 40);
        }
        EXPECT_GT(cv.Ink().Width(), 20);
    }
    // Word break draws each line under the previous one.
    Canvas cv(240, 200);
    cv.dc.SelectObject(&font);
    cv.dc.SetBkMode(OPAQUE);
    cv.dc.SetBkColor(kBlue);
    const int line = cv.dc.GetTextExtent(CString("x")).cy;
    const int wordW = cv.dc.GetTextExtent(CString("word")).cx;
    CRect rc(0, 0, wordW + 5, 200);
    EXPECT_EQ(cv.dc.DrawText(CString("word word word"), &rc, DT_WORDBREAK), 3 * line);
    EXPECT_EQ(cv.Ink(), CRect(0, 0, wordW, 3 * line));
    // The end ellipsis keeps the line inside its rectangle.
    Canvas ell(240, 40);
    ell.dc.SelectObject(&font);
    ell.dc.SetBkMode(OPAQUE);
    ell.dc.SetBkColor(kBlue);
    CRect er(0, 0, 60, 30);
    ell.dc.DrawText(CString("A very long caption"), &er, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOCLIP);
    EXPECT_LE(ell.Ink().right, 60);
    EXPECT_GT(ell.Ink().right, 30);
}

TEST_F(DcText, ZoomedTextKeepsLogicalGeometry)
{
    CFont font = MakeFont(-16);
    Canvas cv(400, 200);
    cv.dc.SetMapMode(MM_ANISOTROPIC);
    cv.dc.SetViewportExt(2, 2);
    cv.dc.SelectObject(&font);
    cv.dc.SetBkMode(OPAQUE);
    cv.dc.SetBkColor(kBlue);
    const CSize ext = cv.dc.GetTextExtent(CString("Zoom"));
    cv.dc.TextOut(10, 10, CString("Zoom"));
    const CRect ink = cv.Ink();
    EXPECT_EQ(ink.TopLeft(), CPoint(20, 20));
    EXPECT_NEAR(ink.Width(), 2 * ext.cx, 2);
    EXPECT_NEAR(ink.Height(), 2 * ext.cy, 2);
}
