// Image buttons: colours, the outside matte, mouse-over looks, the record, the numbered
// looks and rendered pictures against references.
#include "model/items/ImageButtonItem.h"
#include "PictureTestSupport.h"
#include "RenderedReference.h"

#include <gtest/gtest.h>
#include <functional>

namespace {

class ImageButton : public ::testing::Test {
protected:
    void SetUp() override { renderref::EnsureFonts(); }
};

std::uint32_t At(CImageButtonItem& b, int state, int x, int y)
{
    CDib& d = b.StateBitmap(state);
    d.BeginPixels();
    const std::uint32_t p = d.GetPixel(x, y);
    d.EndPixels();
    return p;
}

TEST_F(ImageButton, NewButtonHasItsBorderFaceAndMatte)
{
    CImageButtonItem b;
    b.Render(0);
    ASSERT_EQ(b.StateBitmap(0).GetWidth(), 88);
    ASSERT_EQ(b.StateBitmap(0).GetHeight(), 35);
    EXPECT_EQ(At(b, 0, 0, 0), 0xFFFFFF00u);          // outside the rounded corner: yellow, transparent
    EXPECT_EQ(At(b, 0, 44, 0), 0x00C0C0C0u);         // outer hairline
    EXPECT_EQ(At(b, 0, 44, 2), 0x00FFFF00u);         // yellow border
    // Silver face shaded "3D": rows 68-71 of the working surface, 192 less 44 or 47.
    const std::uint32_t face = At(b, 0, 20, 17);
    EXPECT_EQ(face >> 24, 0u);
    EXPECT_NEAR(int(face & 0xFF), 146, 1);
    EXPECT_EQ((face >> 16) & 0xFF, face & 0xFF);
}

TEST_F(ImageButton, MatteFollowsBorderHairlineAndBackground)
{
    const struct {
        int border, hairline;
        std::uint32_t corner;
    } cases[] = {{4, 1, 0xFFFFFF00u}, {0, 1, 0xFF102030u}, {0, 0, 0xFF405060u}};
    for (const auto& c : cases) {
        CImageButtonItem b;
        b.m_nFrameWidth = c.border;
        b.m_bHairline = c.hairline;
        b.m_crHairline = RGB(0x10, 0x20, 0x30);
        b.m_crBackground = RGB(0x40, 0x50, 0x60);
        b.Render(0);
        EXPECT_EQ(At(b, 0, 0, 0), c.corner) << c.border << " " << c.hairline;
    }
}

TEST_F(ImageButton, MouseOverLookComesOnlyFromHoverFields)
{
    const struct {
        std::function<void(CImageButtonItem&)> set;
        bool rollover;
    } cases[] = {
        {[](CImageButtonItem&) {}, false},
        {[](CImageButtonItem& b) { b.m_crOverShift = 0x00A0A0A0; }, false},
        {[](CImageButtonItem& b) { b.m_crHoverCaption = 0x0000FF; }, true},
        {[](CImageButtonItem& b) { b.m_crHoverFace = 0x00FF00; }, true},
        {[](CImageButtonItem& b) { b.m_crHoverBorder = 0x000000; }, true},
        {[](CImageButtonItem& b) { b.m_nHoverShadingPlus1 = 1; }, true},
        {[](CImageButtonItem& b) { b.m_nHoverBorderWidthPlus1 = 1; }, true},
        {[](CImageButtonItem& b) { b.m_crHoverFace = 0x00FF00; b.m_nType = ITEM_GIF; }, false},
    };
    int i = 0;
    for (const auto& c : cases) {
        CImageButtonItem b;
        c.set(b);
        EXPECT_EQ(b.HasRollover(), c.rollover) << i++;
    }
}

TEST_F(ImageButton, OverStateUsesHoverValues)
{
    CImageButtonItem caption;
    caption.m_crHoverCaption = 0x0000FF;
    caption.Render(0);
    caption.RenderOverState();
    for (auto p : {std::pair{44, 2}, std::pair{20, 17}, std::pair{0, 0}})
        EXPECT_EQ(At(caption, 0, p.first, p.second), At(caption, 1, p.first, p.second));

    CImageButtonItem width; // hover width 1 means no border
    width.m_nHoverBorderWidthPlus1 = 1;
    width.Render(0);
    width.RenderOverState();
    EXPECT_LT(At(width, 0, 44, 2) & 0xFF, 20u);  // yellow border: no blue
    EXPECT_GT(At(width, 1, 44, 2) & 0xFF, 100u); // silver face instead
}

TEST_F(ImageButton, RecordKeepsHoverFieldsAndGatesTheHairlineColour)
{
    CImageButtonItem a;
    a.m_crHoverBorder = 0x010203;
    a.m_crHoverFace = 0x040506;
    a.m_crHoverCaption = 0x070809;
    a.m_nHoverShadingPlus1 = 3;
    a.m_nHoverBorderWidthPlus1 = 2;
    a.m_bGlass = 1;
    a.m_bHairline = 0;
    a.m_nCaptionStyle = 2;
    a.m_crBackground = 0x0A0B0C;
    a.m_bInnerShadow = 1;
    a.m_crHairline = 0x123456;
    const std::vector<BYTE> bytes = picturetest::Store(a);
    CImageButtonItem b;
    picturetest::Load(b, bytes);
    EXPECT_EQ(picturetest::Store(b), bytes);
    EXPECT_EQ(b.m_crHairline, 0x123456u);
    EXPECT_EQ(b.m_nCaptionStyle, 2);
    EXPECT_TRUE(b.StateBitmap(0).IsValid()); // the load renders

    // Before version 88 the button reads its ten other fields and not the hairline colour.
    auto remainingAfter = [&](CImageItemBase& item) {
        CMemFile f(bytes.data(), bytes.size());
        CArchive ar(&f, CArchive::load);
        item.Serialize(ar, 87);
        return ar.GetRemaining();
    };
    CImageItemBase base;
    CImageButtonItem old;
    old.m_nRenderWidth = 0; // whatever the misaligned read gives, keep the rendering small
    const auto baseRest = remainingAfter(base);
    EXPECT_EQ(remainingAfter(old) + 40, baseRest);
    EXPECT_EQ(old.m_crHairline, 0xC0C0C0u);
}

TEST_F(ImageButton, PresetsSetTheLookAndIgnoreUnknownNumbers)
{
    CImageButtonItem b;
    b.m_lf.lfCharSet = SYMBOL_CHARSET;
    b.m_crHoverFace = 0x123456;
    b.m_nCaptionStyle = 3;
    ApplyButtonPreset(b, 9);
    EXPECT_STREQ(b.m_lf.lfFaceName, "Verdana");
    EXPECT_EQ(b.m_lf.lfCharSet, DEFAULT_CHARSET);
    EXPECT_EQ(b.m_lf.lfWeight, 700);
    EXPECT_EQ(b.m_nFrameShape, 3);
    EXPECT_EQ(b.m_nFrameWidth, 6);
    EXPECT_EQ(b.m_nFrameShading, 2);
    EXPECT_EQ(b.m_crText, 0xFFFFFFu);
    EXPECT_EQ(b.m_crSecond, 0x0000FFu);
    EXPECT_EQ(b.m_crFrame, 0x00D0FFu);
    EXPECT_EQ(b.m_nInteriorShading, 2);
    EXPECT_EQ(b.m_crHairline, 0x5C98FFu);
    EXPECT_EQ(b.m_bGlass, 1);
    EXPECT_EQ(b.m_crHoverFace, 0xFFFFFFFFu);
    EXPECT_EQ(b.m_nCaptionStyle, 0);
    EXPECT_FALSE(b.HasRollover());
    ApplyButtonPreset(b, 8);
    EXPECT_EQ(b.m_lf.lfItalic, 1);
    EXPECT_STREQ(b.m_lf.lfFaceName, "Times New Roman");

    const std::vector<BYTE> before = picturetest::Store(b);
    for (int n : {14, -1, 1000}) {
        ApplyButtonPreset(b, n);
        EXPECT_EQ(picturetest::Store(b), before) << n;
    }
}

TEST_F(ImageButton, RenderedButtonsMatchReferences)
{
    const struct {
        const char* name;
        int preset; // -1: the new button
        int captionStyle;
        int state;
    } cases[] = {
        {"button_default", -1, 0, 0},
        {"button_preset3_glass", 3, 1, 0},
        {"button_preset9_inset", 9, 2, 0},
        {"button_preset13_outset_over", 13, 3, 1},
        {"button_preset1_ellipse", 1, 0, 0},
    };
    for (const auto& c : cases) {
        CImageButtonItem b;
        if (c.preset >= 0)
            ApplyButtonPreset(b, c.preset);
        if (c.preset == 1)
            b.m_nFrameShape = 1;
        b.m_nCaptionStyle = c.captionStyle;
        b.m_bInnerShadow = c.preset == 9;
        b.m_crHoverFace = 0x208020;
        b.Render(0);
        b.RenderOverState();
        // 8 per byte; up to 4% of the pixels (caption glyph edges) may differ more.
        renderref::ExpectMatchesReference(b.StateBitmap(c.state), c.name, 8, 0.04);
    }
}

} // namespace
