// Shape items: rendered pixels, reference pictures, file names and the record.
#include "model/items/ShapeItem.h"
#include "PictureTestSupport.h"
#include "RenderedReference.h"

#include <gtest/gtest.h>
#include <functional>
#include <memory>
#include <set>

namespace {

class ShapeItem : public ::testing::Test {
protected:
    void SetUp() override { renderref::EnsureFonts(); }
};

std::uint32_t At(CShapeItem& s, int x, int y)
{
    CDib& d = s.StateBitmap(0);
    d.BeginPixels();
    const std::uint32_t p = d.GetPixel(x, y);
    d.EndPixels();
    return p;
}

std::unique_ptr<CShapeItem> Make(int kind, int fill, int w = 40, int h = 30)
{
    auto item = std::make_unique<CShapeItem>();
    CShapeItem& s = *item;
    s.m_nFrameShape = kind;
    s.m_nFill = fill;
    s.m_nRenderWidth = w;
    s.m_nRenderHeight = h;
    s.m_nWidth = w;
    s.m_nHeight = h;
    s.m_nSupersampling = 0;
    s.m_crSecond = RGB(255, 0, 0);
    s.m_crGradient = RGB(0, 0, 255);
    s.m_crFrame = RGB(0, 128, 0);
    s.m_nFrameWidth = 2;
    return item;
}

TEST_F(ShapeItem, RectangleHasLineFillAndGradientPixels)
{
    struct Case {
        int fill;
        int x, y;
        std::uint32_t expected;
    } cases[] = {
        {1, 20, 15, 0x00FF0000u},  // solid red inside
        {1, 0, 0, 0x00008000u},    // line at the corner
        {1, 39, 29, 0x00008000u},
        {0, 20, 15, 0xFF008000u},  // no fill: the matte, fully transparent
        {2, 20, 2, 0x00F0000Fu},   // gradient down: red at the top ...
        {2, 20, 27, 0x001900E5u},  // ... blue at the bottom (t = 0.1)
        {5, 20, 2, 0x000F00F0u},   // gradient up: the other way round
        {3, 2, 15, 0x00F3000Cu},   // gradient right starts red at the left
        {6, 2, 15, 0x000C00F3u},
    };
    for (const Case& c : cases) {
        auto sOwner = Make(0, c.fill);
        CShapeItem& s = *sOwner;
        s.Render(0);
        ASSERT_EQ(s.StateBitmap(0).GetWidth(), 40);
        ASSERT_EQ(s.StateBitmap(0).GetHeight(), 30);
        const std::uint32_t p = At(s, c.x, c.y);
        for (int sh = 0; sh < 32; sh += 8)
            EXPECT_NEAR(int((p >> sh) & 0xFF), int((c.expected >> sh) & 0xFF), 3)
                << "fill " << c.fill << " at " << c.x << "," << c.y << std::hex << " got " << p;
    }
}

TEST_F(ShapeItem, OpacityAndAntialiasingSetTransparency)
{
    auto sOwner = Make(0, 1);
        CShapeItem& s = *sOwner;
    s.m_nOpacityStep = 5; // 50%
    s.Render(0);
    EXPECT_EQ(At(s, 20, 15) >> 24, 255u - (255u - 127u) * 255u / 255u);
    auto eOwner = Make(1, 1, 40, 40);
        CShapeItem& e = *eOwner;
    e.m_nSupersampling = 1;
    e.Render(0);
    ASSERT_EQ(e.StateBitmap(0).GetWidth(), 40);
    EXPECT_EQ(At(e, 0, 0) >> 24, 255u);   // outside the ellipse
    EXPECT_EQ(At(e, 20, 20) >> 24, 0u);   // inside
    std::set<std::uint32_t> edge;         // some partly covered pixels on the rim
    for (int x = 0; x < 40; ++x)
        edge.insert(At(e, x, 3) >> 24);
    EXPECT_TRUE(std::any_of(edge.begin(), edge.end(), [](std::uint32_t t) { return t > 0 && t < 255; }));
}

TEST_F(ShapeItem, RenderedShapesMatchReferences)
{
    struct Case {
        const char* name;
        int kind, fill, shading, aa;
        const char* caption;
    } cases[] = {
        {"shape_star_solid", 8, 1, 0, 1, ""},
        {"shape_rounded_circular", 2, 4, 1, 1, ""},
        {"shape_arrow_right_glass", 23, 2, 5, 0, ""},
        {"shape_ellipse_caption", 1, 3, 0, 1, "Go"},
    };
    for (const Case& c : cases) {
        auto sOwner = Make(c.kind, c.fill, 48, 40);
        CShapeItem& s = *sOwner;
        s.m_nInteriorShading = c.shading;
        s.m_nSupersampling = c.aa;
        s.m_caption.m_strText = c.caption;
        s.m_lf.lfHeight = -14;
        s.Render(0);
        // Shapes: 2 per channel; a caption's glyph edges may differ with the font version.
        renderref::ExpectMatchesReference(s.StateBitmap(0), c.name, 2, *c.caption ? 0.05 : 0.0);
    }
}

TEST_F(ShapeItem, DistinctShapesGetDistinctFileNames)
{
    std::vector<std::function<void(CShapeItem&)>> changes = {
        [](CShapeItem&) {},
        [](CShapeItem& s) { s.m_nFrameShape = 3; },
        [](CShapeItem& s) { s.m_crSecond = 0x1; s.m_crGradient = 0x23; },
        [](CShapeItem& s) { s.m_crSecond = 0x12; s.m_crGradient = 0x3; },
        [](CShapeItem& s) { s.m_nFill = 1; s.m_nFrameShading = 12; },
        [](CShapeItem& s) { s.m_nFill = 11; s.m_nFrameShading = 2; },
        [](CShapeItem& s) { s.m_caption.m_strText = "Hello world"; },
        [](CShapeItem& s) { s.m_caption.m_strText = "Hello_world"; },
        [](CShapeItem& s) { s.m_caption.m_strText = "Hello world"; s.m_lf.lfHeight = -30; },
        [](CShapeItem& s) { s.m_crText = 0x00FF00; },
        [](CShapeItem& s) { s.m_bLineBehind = 1; },
        [](CShapeItem& s) { s.m_nShadowKind = 1; },
        [](CShapeItem& s) { s.m_nShadowKind = 1; s.m_nShadowTransparency = 50; },
        [](CShapeItem& s) { s.m_nEdgeKind = 1; },
        [](CShapeItem& s) { s.m_nOpacityStep = 3; },
        [](CShapeItem& s) { s.m_dRotation = 15; },
    };
    std::set<std::string> names;
    for (auto& change : changes) {
        CShapeItem s;
        change(s);
        const CString name = s.GetFileName();
        EXPECT_TRUE(names.insert(name.GetString()).second) << name.GetString();
        EXPECT_EQ(name.Right(4), CString(".png"));
        EXPECT_EQ(name.FindOneOf("/\\ :*?\"<>|"), -1) << name.GetString();
    }
    CShapeItem a, b;
    b.m_nX = 300; // the place does not change the picture
    EXPECT_EQ(a.GetFileName(), b.GetFileName());
    CShapeItem hostile;
    hostile.m_caption.m_strText = "../../etc/passwd and a very long caption that goes on";
    const CString name = hostile.GetFileName();
    EXPECT_EQ(name.Find(".."), -1) << name.GetString();
    EXPECT_LE(name.Find(","), 24);
}

TEST_F(ShapeItem, RecordRoundTripsAndClampsTheKind)
{
    auto aOwner = Make(12, 4);
        CShapeItem& a = *aOwner;
    a.m_caption.m_strText = "Cap";
    a.m_b2Way = 1;
    a.m_nOpacityStep = 2;
    a.m_bLineBehind = 1;
    a.m_nArchivedTriple[1] = 7;
    a.Render(0); // the caption takes its size from its rendering
    const std::vector<BYTE> bytes = picturetest::Store(a);
    CShapeItem b;
    picturetest::Load(b, bytes);
    EXPECT_EQ(b.m_nFrameShape, 12);
    EXPECT_EQ(b.m_nFill, 4);
    EXPECT_EQ(b.m_caption.m_strText.GetUtf8(), CString("Cap"));
    EXPECT_EQ(b.m_nArchivedTriple[1], 7);
    EXPECT_EQ(picturetest::Store(b), bytes);
    EXPECT_TRUE(b.StateBitmap(0).IsValid()); // rendered by the load

    auto badOwner = Make(0, 1);
        CShapeItem& bad = *badOwner;
    bad.m_nFrameShape = 99;
    bad.m_nOpacityStep = 40;
    CShapeItem c;
    picturetest::Load(c, picturetest::Store(bad));
    EXPECT_EQ(c.m_nFrameShape, 23);
    EXPECT_EQ(c.m_nOpacityStep, 9);
}

} // namespace
