// Artistic Text and Symbol items: working size, coverage, gradients, reliefs, resizing,
// records, descriptions and rendered pictures against references.
#include "model/items/ArtisticTextItem.h"
#include "model/items/SymbolItem.h"
#include "PictureTestSupport.h"
#include "RenderedReference.h"

#include <gtest/gtest.h>
#include <cstring>

namespace {

class ArtisticText : public ::testing::Test {
protected:
    void SetUp() override { renderref::EnsureFonts(); }
};

std::uint32_t At(CImageItemBase& item, int x, int y)
{
    CDib& d = item.StateBitmap(0);
    d.BeginPixels();
    const std::uint32_t p = d.GetPixel(x, y);
    d.EndPixels();
    return p;
}

TEST(ReliefAmount, RowsOfEveryStyle)
{
    const struct {
        int style, y, height, expected;
    } cases[] = {
        {0, 0, 100, 0}, {1, 0, 100, 50}, {1, 99, 100, -49}, {2, 0, 100, -50}, {2, 99, 100, 49},
        {3, 10, 100, -40}, {3, 90, 100, -40}, {4, 0, 100, 40}, {4, 99, 100, 19}, {5, 0, 100, 100},
        {5, 6, 100, 50}, {5, 50, 100, 0}, {5, 0, 4, -50}, {1, 0, 0, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReliefAmount(c.style, c.y, c.height), c.expected) << c.style << " " << c.y << " " << c.height;
}

TEST_F(ArtisticText, OutlineWidthsWidenTheWorkingSize)
{
    // Each outline pixel adds 8 working pixels to both sides, 2 output pixels.
    auto sizeWith = [](int inner, int outer) {
        CArtisticTextItem a;
        a.m_strText = "Wave";
        a.m_nFrameWidth = inner;
        a.m_nLineWidth2 = outer;
        a.Render(0);
        return std::pair{a.StateBitmap(0).GetWidth(), a.StateBitmap(0).GetHeight()};
    };
    const auto none = sizeWith(0, 0);
    ASSERT_GT(none.first, 10);
    const struct {
        int inner, outer;
    } cases[] = {{1, 0}, {0, 1}, {2, 2}, {3, 1}};
    for (const auto& c : cases) {
        const auto s = sizeWith(c.inner, c.outer);
        EXPECT_EQ(s.first, none.first + 2 * (c.inner + c.outer)) << c.inner << " " << c.outer;
        EXPECT_EQ(s.second, none.second + 2 * (c.inner + c.outer));
    }
    // Stretch widens the glyphs; the margins stay.
    auto widthAt = [](int stretch) {
        CArtisticTextItem a;
        a.m_strText = "Wave";
        a.m_nStretch = stretch;
        a.Render(0);
        return a.StateBitmap(0).GetWidth();
    };
    const int margin = 2 + 2 * (2 + 2);
    const int base = widthAt(100) - margin;
    EXPECT_NEAR(widthAt(200) - margin, 2 * base, base / 5);
    EXPECT_NEAR(widthAt(50) - margin, base / 2, base / 5);

    CArtisticTextItem a;
    a.m_strText = "Wave";
    a.Render(0);
    EXPECT_EQ(a.m_nRenderWidth, a.StateBitmap(0).GetWidth());
    EXPECT_EQ(a.m_nRenderHeight, a.StateBitmap(0).GetHeight());
}

TEST_F(ArtisticText, CoverageBecomesTransparency)
{
    CArtisticTextItem a;
    a.m_strText = QString(QChar(0x2588)).toUtf8().constData(); // a full block
    a.m_nFrameWidth = 0;
    a.m_nLineWidth2 = 0;
    a.m_nGradient = 0;
    a.Render(0);
    const int w = a.StateBitmap(0).GetWidth(), h = a.StateBitmap(0).GetHeight();
    ASSERT_GT(w, 4);
    EXPECT_EQ(At(a, w - 1, h / 2), 0xFF000000u);       // right margin: nothing drawn
    EXPECT_EQ(At(a, w / 2 - 1, h / 2), 0x00CC0000u);   // inside the block: the face colour, opaque
    // Transparency counts sixteenths of coverage: 255 - n x 255 / 16.
    for (int x = 0; x < w; ++x) {
        const int t = int(At(a, x, h / 2) >> 24);
        bool sixteenth = false;
        for (int n = 0; n <= 16; ++n)
            sixteenth |= t == 255 - n * 255 / 16;
        EXPECT_TRUE(sixteenth) << x << ": " << t;
    }
}

TEST_F(ArtisticText, GradientsRunInTheirDirection)
{
    // Face 0xCC red, second colour yellow: green grows towards the second colour.
    const struct {
        int gradient;
        bool vertical;
        bool secondAtStart;
    } cases[] = {{1, true, false}, {4, true, true}, {2, false, false}, {5, false, true}};
    for (const auto& c : cases) {
        CArtisticTextItem a;
        a.m_strText = QString(QChar(0x2588)).toUtf8().constData();
        a.m_nFrameWidth = 0;
        a.m_nLineWidth2 = 0;
        a.m_nGradient = c.gradient;
        a.Render(0);
        CDib& d = a.StateBitmap(0);
        const int w = d.GetWidth(), h = d.GetHeight();
        // The first and last fully covered pixel along the gradient's axis.
        int first = -1, last = -1;
        const int n = c.vertical ? h : w;
        for (int i = 0; i < n; ++i) {
            const std::uint32_t p = c.vertical ? At(a, w / 3, i) : At(a, i, h / 2);
            if ((p >> 24) == 0) {
                if (first < 0)
                    first = i;
                last = i;
            }
        }
        ASSERT_GE(first, 0) << c.gradient;
        ASSERT_GT(last, first + 4) << c.gradient;
        const auto green = [&](int i) { return int(((c.vertical ? At(a, w / 3, i) : At(a, i, h / 2)) >> 8) & 0xFF); };
        if (c.secondAtStart)
            EXPECT_GT(green(first), green(last) + 20) << c.gradient;
        else
            EXPECT_LT(green(first) + 20, green(last)) << c.gradient;
    }
}

TEST_F(ArtisticText, EmptyTextKeepsThePreviousPicture)
{
    CArtisticTextItem a;
    a.m_strText = "Keep";
    a.Render(0);
    const int w = a.StateBitmap(0).GetWidth();
    ASSERT_GT(w, 0);
    a.m_strText = "";
    a.Render(0);
    EXPECT_EQ(a.StateBitmap(0).GetWidth(), w);
    EXPECT_EQ(a.m_nRenderWidth, w);
}

TEST_F(ArtisticText, ResizingScalesTheFont)
{
    const struct {
        int oldWidth, newWidth;
        LONG height, expected;
    } cases[] = {{200, 100, -48, -24}, {100, 300, -20, -60}, {0, 100, -48, -48}, {500, 1, -48, -1}};
    for (const auto& c : cases) {
        CArtisticTextItem a;
        a.m_nWidth = c.oldWidth;
        a.m_lf.lfHeight = c.height;
        a.SetRect(10, 20, 10 + c.newWidth, 60);
        EXPECT_EQ(a.m_lf.lfHeight, c.expected) << c.oldWidth << " -> " << c.newWidth;
        EXPECT_EQ(a.m_nX, 10);
        EXPECT_EQ(a.m_nUploadState, 0);
    }
}

TEST_F(ArtisticText, RecordsAndDescriptions)
{
    CArtisticTextItem a;
    a.m_strText = "Rec";
    a.m_crFill2 = 0x010203;
    a.m_nCharExtra = 3;
    a.m_nLineStyle2 = 4;
    a.Render(0);
    const std::vector<BYTE> bytes = picturetest::Store(a);
    CArtisticTextItem b;
    picturetest::Load(b, bytes);
    EXPECT_EQ(picturetest::Store(b), bytes);
    EXPECT_EQ(b.m_nCharExtra, 3);
    EXPECT_EQ(b.m_nLineStyle2, 4);

    CSymbolItem s;
    s.m_nGlyph = 'A';
    s.m_lf.lfHeight = -16;
    s.m_nLineStyle2 = 2;
    const CString d = s.Describe();
    EXPECT_EQ(d.Right(18), CString("(A) Wingdings 12pt")) << d.GetString();
    s.Render(0);
    const std::vector<BYTE> sb = picturetest::Store(s);
    // The glyph byte comes first after the base record, then seven int32.
    ASSERT_GE(sb.size(), 29u);
    EXPECT_EQ(sb[sb.size() - 29], 'A');
    CSymbolItem t;
    picturetest::Load(t, sb);
    EXPECT_EQ(t.m_nGlyph, 'A');
    EXPECT_EQ(t.m_nLineStyle2, 2);
    EXPECT_EQ(picturetest::Store(t), sb);
}

TEST_F(ArtisticText, SymbolFacesDrawTheirCharacters)
{
    LOGFONT lf;
    std::strcpy(lf.lfFaceName, "Symbol");
    EXPECT_EQ(SymbolGlyphText(lf, 'a'), QString(QChar(0x03B1)));
    EXPECT_EQ(SymbolGlyphText(lf, 'W'), QString(QChar(0x03A9)));
    std::strcpy(lf.lfFaceName, "Wingdings");
    EXPECT_EQ(SymbolGlyphText(lf, 'J'), QString(QChar(0x263A)));
    EXPECT_EQ(SymbolGlyphText(lf, 0xFC), QString(QChar(0x2714)));
    // The window buttons the browser frame of the canvas draws.
    EXPECT_EQ(SymbolGlyphText(lf, 'x'), QString(QChar(0x2327)));
    EXPECT_EQ(SymbolGlyphText(lf, 'y'), QString(QChar(0x2353)));
    std::strcpy(lf.lfFaceName, "Arial");
    EXPECT_EQ(SymbolGlyphText(lf, 'J'), QString("J"));
}

TEST_F(ArtisticText, RenderedTextsAndSymbolsMatchReferences)
{
    const struct {
        const char* name;
        const char* text;
        int gradient, twoWay, faceRelief, stretch, italic;
    } texts[] = {
        {"arttext_default", "Tessel", 1, 0, 0, 100, 0},
        {"arttext_circular_metal", "Ag", 3, 1, 4, 100, 1},
        {"arttext_solid_glass_wide", "Hi", 0, 0, 5, 150, 0},
    };
    for (const auto& c : texts) {
        CArtisticTextItem a;
        a.m_strText = c.text;
        a.m_lf.lfHeight = -32;
        a.m_nGradient = c.gradient;
        a.m_bGradient2Way = c.twoWay;
        a.m_nInteriorShading = c.faceRelief;
        a.m_nStretch = c.stretch;
        a.m_lf.lfItalic = BYTE(c.italic);
        a.Render(0);
        // 8 per byte; glyph edges of another font version may differ on up to 6% of pixels.
        renderref::ExpectMatchesReference(a.StateBitmap(0), c.name, 8, 0.06);
    }
    const struct {
        const char* name;
        const char* face;
        BYTE glyph;
    } symbols[] = {{"symbol_wingdings_smiley", "Wingdings", 'J'}, {"symbol_greek_omega", "Symbol", 'W'}};
    for (const auto& c : symbols) {
        CSymbolItem s;
        std::strcpy(s.m_lf.lfFaceName, c.face);
        s.m_lf.lfHeight = -40;
        s.m_nGlyph = c.glyph;
        s.Render(0);
        renderref::ExpectMatchesReference(s.StateBitmap(0), c.name, 8, 0.06);
    }
}

} // namespace
