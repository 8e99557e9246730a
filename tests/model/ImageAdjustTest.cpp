// The Image menu's pixel operations on small pictures, without a window.
#include "PictureTestSupport.h"

#include "model/ImageAdjust.h"
#include "model/ItemFactory.h"
#include "model/items/ArtisticTextItem.h"
#include "model/items/ImageButtonItem.h"
#include "model/items/ShapeItem.h"
#include "model/items/SymbolItem.h"

#include <QtCore/QTemporaryDir>
#include <gtest/gtest.h>
#include <array>
#include <memory>
#include <vector>

namespace {

using Pixels = std::vector<std::uint32_t>;

// Rows from the top, each pixel 0xTTRRGGBB.
CDib Make(int w, int h, const Pixels& rows)
{
    CDib d;
    d.Create(w, h);
    d.BeginPixels();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            d.SetPixel(x, y, rows[std::size_t(y * w + x)]);
    d.EndPixels();
    return d;
}

Pixels Read(const CDib& d)
{
    Pixels out;
    for (int y = 0; y < d.GetHeight(); ++y)
        for (int x = 0; x < d.GetWidth(); ++x)
            out.push_back(d.GetPixelChecked(x, y));
    return out;
}

// A 3 x 2 picture of six colours; B is half transparent.
constexpr std::uint32_t R = 0x00FF0000, G = 0x0000FF00, B = 0x800000FF, C = 0x0000FFFF, M = 0x00FF00FF, Y = 0x00FFFF00;
CDib Six() { return Make(3, 2, {R, G, B, C, M, Y}); }

// One pixel of the byte values at offsets 0, 1, 2 (blue, green, red) and transparency t.
std::uint32_t Bytes(int b0, int b1, int b2, int t = 0)
{
    return std::uint32_t(t) << 24 | std::uint32_t(b2) << 16 | std::uint32_t(b1) << 8 | std::uint32_t(b0);
}

struct TurnCase {
    PictureTurn turn;
    int width, height;
    Pixels expected;
};

TEST(ImageAdjust, EachTurnMovesWholePixels)
{
    const TurnCase cases[] = {
        // old rows: R G B / C M Y
        {PictureTurn::Rotate90CW, 2, 3, {C, R, M, G, Y, B}},
        {PictureTurn::Rotate90CCW, 2, 3, {B, Y, G, M, R, C}},
        {PictureTurn::Rotate180, 3, 2, {Y, M, C, B, G, R}},
        {PictureTurn::FlipHorizontal, 3, 2, {B, G, R, Y, M, C}},
        {PictureTurn::FlipVertical, 3, 2, {C, M, Y, R, G, B}},
    };
    for (const TurnCase& c : cases) {
        CDib d = Six();
        TurnPicture(d, c.turn);
        EXPECT_EQ(d.GetWidth(), c.width) << int(c.turn);
        EXPECT_EQ(d.GetHeight(), c.height) << int(c.turn);
        EXPECT_EQ(Read(d), c.expected) << int(c.turn);
    }
}

TEST(ImageAdjust, TurnsUndoEachOther)
{
    const Pixels original = Read(Six());
    CDib four = Six();
    for (int i = 0; i < 4; ++i)
        TurnPicture(four, PictureTurn::Rotate90CW);
    EXPECT_EQ(Read(four), original);

    CDib back = Six();
    TurnPicture(back, PictureTurn::Rotate90CW);
    ASSERT_NE(Read(back), original);
    TurnPicture(back, PictureTurn::Rotate90CCW);
    EXPECT_EQ(Read(back), original);

    for (PictureTurn mirror : {PictureTurn::FlipHorizontal, PictureTurn::FlipVertical, PictureTurn::Rotate180}) {
        CDib twice = Six();
        TurnPicture(twice, mirror);
        TurnPicture(twice, mirror);
        EXPECT_EQ(Read(twice), original) << int(mirror);
    }
}

TEST(ImageAdjust, InvertKeepsTransparencyAsPngAlpha)
{
    CDib d = Make(2, 1, {0x80FF0000, 0x00102030});
    InvertPixels(d);
    EXPECT_EQ(Read(d), (Pixels{0x8000FFFF, 0x00EFDFCF}));

    QTemporaryDir dir;
    const QString path = dir.filePath("inverted.png");
    PackedBitmapPtr packed = d.CopyToGlobal();
    ASSERT_TRUE(packed);
    ASSERT_TRUE(SavePNG(path.toUtf8().constData(), *packed));
    const picturetest::PillowView v = picturetest::ReadWithPillow(path, {{0, 0}, {1, 0}});
    ASSERT_TRUE(v.ok);
    ASSERT_EQ(v.rgba.size(), 2u);
    EXPECT_EQ(v.rgba[0], 0x00FFFF7Fu); // cyan, alpha 255 - 0x80
    EXPECT_EQ(v.rgba[1], 0xEFDFCFFFu);

    InvertPixels(d);
    EXPECT_EQ(Read(d), (Pixels{0x80FF0000, 0x00102030}));
}

struct ToneCase {
    int brightness, contrast, midtones;
    std::array<int, 5> in, out;
};

TEST(ImageAdjust, ToneTable)
{
    const ToneCase cases[] = {
        {0, 0, 0, {0, 64, 100, 192, 255}, {0, 64, 100, 192, 255}},
        {0, 100, 0, {64, 100, 192, 128, 0}, {0, 72, 255, 128, 0}},
        {100, 0, 0, {0, 64, 155, 156, 255}, {100, 164, 255, 255, 255}},
        {-100, 0, 0, {0, 64, 100, 192, 255}, {0, 0, 0, 92, 155}},
        {0, -50, 0, {0, 64, 127, 200, 255}, {64, 96, 127, 164, 192}},
        {0, 0, 100, {64, 0, 255, 16, 128}, {127, 0, 255, 63, 180}},
        {0, 0, -100, {64, 0, 254, 255, 200}, {0, 0, 0, 255, 0}},
    };
    for (const ToneCase& c : cases) {
        // each value once in every colour byte, with a transparency byte that must stay
        Pixels in;
        for (int v : c.in)
            in.push_back(Bytes(v, v, v, 0x40));
        CDib d = Make(5, 1, in);
        const int values[3] = {c.brightness, c.contrast, c.midtones};
        ApplyBrightnessContrast(d, values);
        Pixels expected;
        for (int v : c.out)
            expected.push_back(Bytes(v, v, v, 0x40));
        EXPECT_EQ(Read(d), expected) << c.brightness << " " << c.contrast << " " << c.midtones;
    }
}

TEST(ImageAdjust, GammaOfTwoIsTheSquareRoot)
{
    CDib d = Make(3, 1, {Bytes(64, 1, 255), Bytes(100, 200, 0), Bytes(4, 9, 16)});
    ApplyGamma(d, 2.0);
    // trunc(sqrt(v / 255) * 255)
    EXPECT_EQ(Read(d), (Pixels{Bytes(127, 15, 255), Bytes(159, 225, 0), Bytes(31, 47, 63)}));
}

TEST(ImageAdjust, SaturationTable)
{
    struct Case {
        int s;
        std::uint32_t in, out;
    } cases[] = {
        {0, Bytes(10, 100, 200, 7), Bytes(10, 100, 200, 7)},
        // grey (10 + 100 + 200) / 3 = 103.33, truncated
        {-100, Bytes(10, 100, 200, 7), Bytes(103, 103, 103, 7)},
        // 10 - 46.7 -> 0; 100 - 1.7 = 98.3; 200 + 48.3 = 248.3
        {50, Bytes(10, 100, 200), Bytes(0, 98, 248)},
        {100, Bytes(10, 100, 200), Bytes(0, 96, 255)},
        {-50, Bytes(10, 100, 200), Bytes(56, 101, 151)},
    };
    for (const Case& c : cases) {
        CDib d = Make(1, 1, {c.in});
        ApplySaturation(d, c.s);
        EXPECT_EQ(Read(d)[0], c.out) << c.s;
    }
}

TEST(ImageAdjust, HueTable)
{
    struct Case {
        int shift;
        std::uint32_t in, out;
    } cases[] = {
        // offset 0 largest, offset 2 smallest: h = g' = 20; value 78 %, saturation 75 %
        {0, Bytes(200, 100, 50, 0x33), Bytes(198, 99, 49, 0x33)},
        {120, Bytes(200, 100, 50), Bytes(49, 198, 99)},
        {-30, Bytes(200, 100, 50), Bytes(198, 49, 74)},
        // grey stays grey at whole-percent value: 128 -> 50 % -> 127
        {0, Bytes(128, 128, 128), Bytes(127, 127, 127)},
        {90, Bytes(128, 128, 128), Bytes(127, 127, 127)},
        {0, Bytes(0, 0, 0), Bytes(0, 0, 0)},
        {0, Bytes(255, 255, 255), Bytes(255, 255, 255)},
    };
    for (const Case& c : cases) {
        CDib d = Make(1, 1, {c.in});
        ApplyHue(d, c.shift);
        EXPECT_EQ(Read(d)[0], c.out) << std::hex << c.in << " by " << std::dec << c.shift;
    }
}

TEST(ImageAdjust, MakeTransparentTable)
{
    // 0x00BBGGRR: white, and a reddish key
    struct Case {
        COLORREF colour;
        int threshold;
        Pixels out;
    } cases[] = {
        {0xFFFFFF, 0, {0xFFFFFFFF, 0x00FEFFFF, 0x00FF0000, 0xFF123456, 0x00F0F0F0}},
        {0xFFFFFF, 1, {0xFFFFFFFF, 0xFFFEFFFF, 0x00FF0000, 0xFF123456, 0x00F0F0F0}},
        {0xFFFFFF, 15, {0xFFFFFFFF, 0xFFFEFFFF, 0x00FF0000, 0xFF123456, 0xFFF0F0F0}},
        {0x0000FF, 0, {0x00FFFFFF, 0x00FEFFFF, 0xFFFF0000, 0xFF123456, 0x00F0F0F0}},
    };
    for (const Case& c : cases) {
        CDib d = Make(5, 1, {0x00FFFFFF, 0x00FEFFFF, 0x00FF0000, 0xFF123456, 0x00F0F0F0});
        ApplyMakeTransparent(d, c.colour, c.threshold);
        EXPECT_EQ(Read(d), c.out) << std::hex << c.colour << " " << c.threshold;
    }
}

TEST(ImageAdjust, InvalidPictureIsLeftAlone)
{
    CDib empty;
    const int values[3] = {50, 50, 50};
    ApplyBrightnessContrast(empty, values);
    ApplyGamma(empty, 2.0);
    ApplySaturation(empty, 50);
    ApplyHue(empty, 30);
    ApplyMakeTransparent(empty, 0xFFFFFF, 10);
    TurnPicture(empty, PictureTurn::Rotate90CW);
    InvertPixels(empty);
    EXPECT_FALSE(empty.IsValid());
    EXPECT_EQ(empty.GetWidth(), 0);
}

TEST(ImageAdjust, InvertItemColorsKeepsTheUnsetMark)
{
    std::unique_ptr<CItem> made(CreateItem(ITEM_SHAPE));
    auto* shape = dynamic_cast<CShapeItem*>(made.get());
    ASSERT_TRUE(shape);
    shape->m_crText = 0x0000FF;
    shape->m_crFrame = 0x102030;
    shape->m_crSecond = 0xFFFFFF;
    shape->m_crOverShift = 0xFF808080; // unset
    shape->m_crGradient = 0x00FF00;
    shape->m_nFileNameWord = 0x00ABCDEF;
    shape->m_caption.m_crFill2 = 0x000000;
    shape->m_caption.m_crOverShift = 0x01020304;
    ASSERT_TRUE(InvertItemColors(*shape));
    EXPECT_EQ(shape->m_crText, 0xFFFF00u);
    EXPECT_EQ(shape->m_crFrame, 0xEFDFCFu);
    EXPECT_EQ(shape->m_crSecond, 0x000000u);
    EXPECT_EQ(shape->m_crOverShift, 0xFF7F7F7Fu);
    EXPECT_EQ(shape->m_crGradient, 0xFF00FFu);
    EXPECT_EQ(shape->m_nFileNameWord, 0x00543210);
    EXPECT_EQ(shape->m_caption.m_crFill2, 0xFFFFFFu);
    EXPECT_EQ(shape->m_caption.m_crOverShift, 0x01FDFCFBu);

    std::unique_ptr<CItem> button(CreateItem(ITEM_IMAGE_BUTTON));
    auto* b = dynamic_cast<CImageButtonItem*>(button.get());
    ASSERT_TRUE(b);
    b->m_crBackground = 0x00FFFFFF;
    b->m_crHairline = 0x00C0C0C0;
    ASSERT_TRUE(InvertItemColors(*b));
    EXPECT_EQ(b->m_crBackground, 0u);
    EXPECT_EQ(b->m_crHairline, 0x3F3F3Fu);

    std::unique_ptr<CItem> symbol(CreateItem(ITEM_SYMBOL));
    auto* s = dynamic_cast<CSymbolItem*>(symbol.get());
    ASSERT_TRUE(s);
    s->m_crFill2 = 0x00FFFF;
    s->m_crLine2 = 0x808080;
    ASSERT_TRUE(InvertItemColors(*s));
    EXPECT_EQ(s->m_crFill2, 0xFF0000u);
    EXPECT_EQ(s->m_crLine2, 0x7F7F7Fu);
    ASSERT_TRUE(InvertItemColors(*s));
    EXPECT_EQ(s->m_crFill2, 0x00FFFFu);

    std::unique_ptr<CItem> image(CreateItem(ITEM_IMAGE));
    EXPECT_FALSE(InvertItemColors(*dynamic_cast<CImageItemBase*>(image.get())));
}

} // namespace
