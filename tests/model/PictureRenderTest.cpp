#include "PictureTestSupport.h"

#include "model/items/ImageItemBase.h"

#include <QtCore/QTemporaryDir>
#include <gtest/gtest.h>

using namespace picturetest;

namespace {

// A picture object holding the PNG of the bitmap, decoded and rendered.
void Fill(CPicture& p, const CDib& dib)
{
    const std::vector<BYTE> png = PngBytes(dib);
    p.m_blob.Assign(png.data(), png.size());
    p.m_nFormat = CPicture::FormatPng;
    ASSERT_TRUE(p.DecodeSource());
    p.Render();
}

TEST(PictureFormats, TakenFromTheFirstBytes)
{
    const CDib dib = Gradient(4, 3);
    struct Case {
        std::vector<BYTE> bytes;
        int format;
    } cases[] = {
        {PngBytes(dib), CPicture::FormatPng},
        {JpegBytes(dib), CPicture::FormatJpeg},
        {GifBytes(), CPicture::FormatGif},
        {{'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, CPicture::FormatBmp},
        {{'d', 'a', 't', 'a'}, CPicture::FormatUnknown},
        {{}, CPicture::FormatUnknown},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SniffPictureFormat(c.bytes.data(), c.bytes.size()), c.format);

    // A PNG file named .jpg is a PNG; a GIF decodes from memory.
    QTemporaryDir dir;
    const QString path = dir.filePath("photo.jpg");
    ASSERT_TRUE(WriteAll(path, PngBytes(dib)));
    CPicture p;
    EXPECT_EQ(p.LoadFile(CString::FromQString(path)), 1);
    EXPECT_EQ(p.m_nFormat, CPicture::FormatPng);
    EXPECT_EQ(p.GetFileName(), "photo.png");
    const QString gif = dir.filePath("two.gif");
    ASSERT_TRUE(WriteAll(gif, GifBytes()));
    CPicture g;
    ASSERT_EQ(g.LoadFile(CString::FromQString(gif)), 1);
    g.m_picture.BeginPixels();
    EXPECT_EQ(g.m_picture.GetPixel(0, 0) & 0xFFFFFFu, 0xFF0000u);
    EXPECT_EQ(g.m_picture.GetPixel(1, 0) & 0xFFFFFFu, 0x0000FFu);
    g.m_picture.EndPixels();
}

TEST(PictureFormats, FailedReadKeepsTheOldBytes)
{
    CPicture p;
    Fill(p, Gradient(5, 5));
    const std::size_t size = p.m_blob.Size();
    EXPECT_EQ(p.LoadFile("/nonexistent/folder/x.png"), 0);
    EXPECT_EQ(p.m_blob.Size(), size);
    EXPECT_EQ(p.m_nWidth, 5);
}

TEST(PictureRender, ColourEffectsKeepTransparency)
{
    struct Case {
        int invert, swap;
        std::uint32_t expected;
    } cases[] = {
        {0, 0, 0x40112233u}, {1, 0, 0x40EEDDCCu}, {0, 1, 0x40221133u}, {0, 2, 0x40332211u},
        {0, 3, 0x40113322u}, {0, 4, 0x40331122u}, {0, 5, 0x40223311u}, {1, 2, 0x40CCDDEEu},
    };
    for (const Case& c : cases) {
        CPicture p;
        p.m_bInvert = c.invert;
        p.m_nChannelSwap = c.swap;
        Fill(p, Solid(3, 2, 0x40112233u));
        ASSERT_TRUE(p.m_rendering.IsValid());
        p.m_rendering.BeginPixels();
        EXPECT_EQ(p.m_rendering.GetPixel(2, 1), c.expected) << c.invert << " " << c.swap;
        p.m_rendering.EndPixels();
    }
}

TEST(PictureRender, EllipticalFade)
{
    CPicture p;
    p.m_nFadeKind = 2;
    CDib dib = Solid(40, 20, 0x00808080u);
    // One fully transparent pixel near the centre.
    dib.BeginPixels();
    dib.SetPixel(18, 10, 0xFF808080u);
    dib.EndPixels();
    Fill(p, dib);
    CDib& r = p.m_rendering;
    r.BeginPixels();
    EXPECT_GE(OpacityOf(r.GetPixel(20, 10)), 254);          // the centre stays opaque
    EXPECT_EQ(OpacityOf(r.GetPixel(0, 0)), 0);              // outside the ellipse
    EXPECT_EQ(OpacityOf(r.GetPixel(39, 19)), 0);
    EXPECT_EQ(OpacityOf(r.GetPixel(18, 10)), 0);            // transparent stays transparent
    const int mid = OpacityOf(r.GetPixel(10, 10));          // d = 0.228: o (1 - d) = 197
    EXPECT_NEAR(mid, 197, 1);
    EXPECT_EQ(r.GetPixel(10, 10) & 0xFFFFFFu, 0x808080u);   // colour kept
    r.EndPixels();
}

TEST(PictureRender, LinearFadeAndItsWidth)
{
    struct Case {
        int width;
        int column;
        int opacity;
    } cases[] = {{30, 0, 0}, {30, 15, 127}, {30, 29, 246}, {30, 30, 255}, {0, 0, 255}, {0, 50, 255}};
    for (const Case& c : cases) {
        CPicture p;
        p.m_nFadeKind = 1;
        p.m_nFadeLeft = 1;
        p.m_nFadeWidth = c.width;
        Fill(p, Solid(100, 4, 0x00336699u));
        p.m_rendering.BeginPixels();
        EXPECT_EQ(OpacityOf(p.m_rendering.GetPixel(c.column, 2)), c.opacity) << c.width << " " << c.column;
        p.m_rendering.EndPixels();
    }
}

TEST(PictureRender, ShadowGrowsTheRendering)
{
    CPicture p;
    p.m_bShadow = 1;
    p.m_nShadowOffset = 2;
    p.m_nShadowSoftness = 4; // radius 5
    p.m_crShadow = RGB(0, 0, 255);
    Fill(p, Solid(100, 50, 0x00FF0000u));
    ASSERT_EQ(p.m_rendering.GetWidth(), 113);
    ASSERT_EQ(p.m_rendering.GetHeight(), 63);
    p.m_rendering.BeginPixels();
    EXPECT_EQ(p.m_rendering.GetPixel(50, 30), 0x00FF0000u);                 // the picture at (5, 5)
    // The shadow lies under the picture moved by the offset: dense at its inner edge,
    // thin beyond it, nothing left of the offset.
    EXPECT_EQ(p.m_rendering.GetPixel(105, 55) & 0xFFFFFFu, 0x0000FFu);
    EXPECT_GT(OpacityOf(p.m_rendering.GetPixel(105, 55)), 100);
    EXPECT_LT(OpacityOf(p.m_rendering.GetPixel(109, 59)), 40);
    EXPECT_EQ(OpacityOf(p.m_rendering.GetPixel(112, 62)), 0);
    EXPECT_EQ(OpacityOf(p.m_rendering.GetPixel(0, 0)), 0);
    EXPECT_EQ(OpacityOf(p.m_rendering.GetPixel(1, 60)), 0);
    p.m_rendering.EndPixels();

    // Negative offsets from a file cannot shrink the bitmap below the picture.
    CPicture q;
    q.m_bShadow = 1;
    q.m_nShadowOffset = -50;
    q.m_nShadowSoftness = 0;
    Fill(q, Solid(10, 10, 0));
    EXPECT_EQ(q.m_rendering.GetWidth(), 13);
}

TEST(PictureRender, FrameShapesClipThePicture)
{
    struct Case {
        int shape, frame;
        std::pair<int, int> inside, outside;
    } cases[] = {
        {1, 0, {30, 20}, {1, 1}},   // ellipse
        {8, 0, {30, 20}, {2, 38}},  // star
        {0, 3, {30, 20}, {-1, -1}}, // rectangle with a frame
    };
    for (const Case& c : cases) {
        CPicture p;
        p.m_nShape = c.shape;
        p.m_nFrameWidth = c.frame;
        p.m_crFrame = RGB(0, 255, 0);
        Fill(p, Solid(60, 40, 0x00FF0000u));
        ASSERT_EQ(p.m_rendering.GetWidth(), 60);
        p.m_rendering.BeginPixels();
        const std::uint32_t in = p.m_rendering.GetPixel(c.inside.first, c.inside.second);
        EXPECT_EQ(in, 0x00FF0000u) << c.shape;
        if (c.outside.first >= 0) {
            EXPECT_EQ(OpacityOf(p.m_rendering.GetPixel(c.outside.first, c.outside.second)), 0) << c.shape;
        }
        if (c.frame) {
            EXPECT_EQ(p.m_rendering.GetPixel(0, 20), 0x0000FF00u); // the frame in its colour
            EXPECT_EQ(p.m_rendering.GetPixel(3, 20), 0x00FF0000u);
        }
        p.m_rendering.EndPixels();
    }
}

TEST(PictureRecord, ShadowTransparencyTravelsInTheExtras)
{
    CPicture p;
    p.m_nShadowTransparency = 40;
    CMemFile f;
    {
        CArchive ar(&f, CArchive::store);
        p.SerializeExtra(ar, 92);
        ar.Close();
    }
    for (auto [value, expected] : {std::pair{40, 40}, std::pair{-5, 0}, std::pair{250, 100}}) {
        std::vector<BYTE> bytes = f.Bytes();
        std::memcpy(bytes.data(), &value, 4);
        CPicture q;
        CMemFile in(bytes.data(), bytes.size());
        CArchive ar(&in, CArchive::load);
        q.SerializeExtra(ar, 92);
        EXPECT_EQ(q.m_nShadowTransparency, expected);
    }
}

} // namespace

#include "framework/core/Dc.h"
#include "model/Clipboard.h"
#include "model/ShapePrimitive.h"

namespace {

TEST(ShapeFigures, EveryKindCoversItsShape)
{
    struct Case {
        int kind;
        int inX, inY, outX, outY;
    } cases[] = {
        {0, 30, 20, -1, -1}, {1, 30, 20, 1, 1}, {2, 30, 20, 0, 0}, {3, 30, 20, 0, 0}, {4, 30, 20, 1, 1}, {5, 30, 20, 1, 1},
        {6, 1, 38, 0, 0}, {7, 1, 1, 1, 39}, {8, 30, 20, 1, 38}, {9, 30, 20, 1, 1}, {10, 30, 20, 1, 1}, {11, 30, 20, 1, 1},
        {12, 30, 30, 2, 2}, {13, 30, 10, 2, 38}, {14, 50, 20, 2, 2}, {15, 10, 20, 58, 2}, {16, 30, 30, 2, 2},
        {17, 30, 10, 2, 38}, {18, 30, 20, 1, 1}, {19, 30, 20, 58, 1}, {20, 30, 30, 5, 35}, {21, 30, 10, 5, 5},
        {22, 45, 20, 55, 5}, {23, 15, 20, 5, 5},
    };
    for (const Case& c : cases) {
        CAlphaCapture capture(60, 40);
        CaptureKeyedShape(capture, 0, [&](CDC& dc) { DrawShapeFigure(&dc, c.kind, 60, 40, 0, 8, false); });
        EXPECT_NE(capture.GetPixel(c.inX, c.inY) >> 24, 0xFFu) << "kind " << c.kind;
        EXPECT_EQ(capture.GetPixel(c.inX, c.inY) & 0xFF, 0x80u) << "kind " << c.kind;
        if (c.outX >= 0) {
            EXPECT_EQ(capture.GetPixel(c.outX, c.outY) >> 24, 0xFFu) << "kind " << c.kind;
        }
    }
    // A frame pen marks the edge; the picture variant draws nothing past kind 11.
    CAlphaCapture framed(60, 40);
    CaptureKeyedShape(framed, 3, [&](CDC& dc) { DrawShapeFigure(&dc, 0, 60, 40, 3, 0, true); });
    EXPECT_EQ(framed.GetPixel(1, 20) & 0xFF, 0xC0u);
    EXPECT_EQ(framed.GetPixel(30, 20) & 0xFF, 0x80u);
    CAlphaCapture none(60, 40);
    CaptureKeyedShape(none, 0, [&](CDC& dc) { DrawShapeFigure(&dc, 12, 60, 40, 0, 0, true); });
    EXPECT_EQ(none.GetPixel(30, 30) >> 24, 0xFFu);
}

TEST(PictureHelpers, PatternTextures)
{
    struct Case {
        int orientation, gap, thickness, transparency;
        std::vector<std::pair<int, int>> lines, gaps;
    } cases[] = {
        {1, 2, 0, 0, {{5, 0}, {5, 4}, {5, 8}}, {{5, 1}, {5, 3}}},
        {2, 1, 1, 0, {{0, 5}, {1, 5}, {4, 5}, {5, 5}}, {{2, 5}, {3, 5}}},
        {3, 2, 0, 0, {{2, 0}, {6, 0}, {3, 1}}, {{0, 0}, {4, 0}}}, // from minus the height: -10, -6, -2, 2, ...
        {4, 2, 0, 5, {{0, 0}, {4, 0}, {3, 1}}, {{1, 0}, {4, 1}}},
    };
    for (const Case& c : cases) {
        CPicture p;
        p.m_nWidth = 12;
        p.m_nHeight = 10;
        p.m_nPatternOrientation = c.orientation;
        p.m_nPatternGap = c.gap;
        p.m_nPatternThickness = c.thickness;
        p.m_nPatternTransparency = c.transparency;
        p.m_crPatternBack = RGB(255, 255, 255);
        p.m_crPatternLine = RGB(0, 0, 255);
        ASSERT_TRUE(MakePatternTexture(p));
        EXPECT_EQ(p.m_strName, "12x10-16777215");
        EXPECT_EQ(p.m_nFormat, CPicture::FormatPng);
        const std::uint32_t t = std::uint32_t(c.transparency * 255 / 10) << 24;
        p.m_rendering.BeginPixels();
        for (auto [x, y] : c.lines)
            EXPECT_EQ(p.m_rendering.GetPixel(x, y), 0x0000FFu | t) << c.orientation << " at " << x << "," << y;
        for (auto [x, y] : c.gaps)
            EXPECT_EQ(p.m_rendering.GetPixel(x, y), 0xFFFFFFu | t) << c.orientation << " at " << x << "," << y;
        p.m_rendering.EndPixels();
        // The stored bytes decode to the same pixels.
        CPicture back;
        back.m_blob = p.m_blob;
        back.m_nFormat = CPicture::FormatPng;
        ASSERT_TRUE(back.DecodeSource());
        back.m_picture.BeginPixels();
        EXPECT_EQ(back.m_picture.GetPixel(c.lines[0].first, c.lines[0].second), 0x0000FFu | t);
        back.m_picture.EndPixels();
    }
}

TEST(PreviewGlyphs, ScrollBarsAndArrows)
{
    CItem item;
    item.m_nWidth = 60;
    item.m_nHeight = 50;
    QImage image(60, 50, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        CDC dc(&image);
        DrawVertScrollBar(item, &dc, 0);
    }
    auto rgb = [&](int x, int y) { return image.pixel(x, y) & 0xFFFFFFu; };
    EXPECT_EQ(rgb(45, 25), 0xEFEEEAu); // track
    EXPECT_EQ(rgb(44, 2), 0xD0D0E0u);  // buttons
    EXPECT_EQ(rgb(44, 47), 0xD0D0E0u);
    EXPECT_EQ(rgb(42, 25), 0xFFFFFFu); // left of the bar
    EXPECT_EQ(rgb(51, 5), 0x000000u);  // the up arrow's tip, 2 above its centre (51, 7)
    EXPECT_EQ(rgb(51, 44), 0x000000u); // the down arrow's tip, 2 below (51, 42)

    QImage wide(60, 50, QImage::Format_RGB32);
    wide.fill(Qt::white);
    {
        CDC dc(&wide);
        DrawHorzScrollBar(item, &dc, 0);
    }
    EXPECT_EQ(wide.pixel(30, 45) & 0xFFFFFFu, 0xEFEEEAu);
    EXPECT_EQ(wide.pixel(2, 45) & 0xFFFFFFu, 0xD0D0E0u);
    EXPECT_EQ(wide.pixel(5, 41) & 0xFFFFFFu, 0x000000u);  // left arrow tip (7 - 2, 41)
    EXPECT_EQ(wide.pixel(54, 41) & 0xFFFFFFu, 0x000000u); // right arrow tip (52 + 2, 41)
}

} // namespace
