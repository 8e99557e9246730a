#include "framework/core/CArchive.h"
#include "framework/core/DcTestSupport.h"
#include "framework/core/Png.h"
#include "model/FillStyle.h"
#include "model/Folder.h"
#include "model/Picture.h"
#include "model/PublishContext.h"

#include <gtest/gtest.h>

#include <QtCore/QDir>
#include <QtCore/QTemporaryDir>

#include <cmath>
#include <functional>
#include <vector>

namespace {

// Stores the fill and returns the bytes.
std::vector<BYTE> Store(CFillStyle& f, bool withExtension = false)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        f.Serialize(ar, 92);
        if (withExtension)
            f.SerializeExtension(ar);
        ar.Close();
    }
    return std::vector<BYTE>(file.Data(), file.Data() + file.GetLength());
}

void Load(CFillStyle& f, const std::vector<BYTE>& bytes, int version, bool withExtension = false)
{
    CMemFile file(bytes.data(), bytes.size());
    CArchive ar(&file, CArchive::load);
    f.Serialize(ar, version);
    if (withExtension)
        f.SerializeExtension(ar);
}

std::uint32_t Px(const CFillStyle& f, int x, int y)
{
    return f.m_bitmap->GetPixelChecked(x, y);
}

// 0xTTRRGGBB of a COLORREF with a given transparency.
std::uint32_t Pixel(COLORREF c, unsigned t)
{
    return (tessel::ColorRefToPixel(c) & 0xFFFFFFu) | (t << 24);
}

} // namespace

TEST(FillStyle, DefaultsAndIsSet)
{
    CFillStyle f;
    EXPECT_FALSE(f.IsSet());
    EXPECT_EQ(f.m_crColor, 0xFFFFFFFFu);
    EXPECT_EQ(f.m_nLength, 100);
    EXPECT_EQ(f.m_stops.Get(7).position, 87);
    EXPECT_EQ(f.m_stops.Get(3).position, 37);
    f.m_crColor &= 0x00FFFFFFu;
    EXPECT_TRUE(f.IsSet());
    CFillStyle g;
    g.m_nKind = CFillStyle::KindGradient;
    EXPECT_TRUE(g.IsSet());
}

TEST(FillStyle, CopySettingsCopiesItsFieldsOnly)
{
    CFillStyle a;
    a.m_nKind = 1;
    a.m_crStart = 1;
    a.m_crColor = 2;
    a.m_nDirection = 3;
    a.m_nLength = 4;
    a.m_nPosition = 5;
    a.m_nRepeat = 3;
    a.m_nEndMode = 2;
    a.m_crSecond = 7;
    a.m_nTransparency = 6;
    CFillStyle b;
    b.CopySettings(a);
    EXPECT_EQ(b.m_nKind, 1);
    EXPECT_EQ(b.m_crStart, 1u);
    EXPECT_EQ(b.m_crColor, 2u);
    EXPECT_EQ(b.m_nDirection, 3);
    EXPECT_EQ(b.m_nLength, 4);
    EXPECT_EQ(b.m_nPosition, 5);
    EXPECT_EQ(b.m_nRepeat, 3);
    EXPECT_EQ(b.m_nEndMode, 0);
    EXPECT_EQ(b.m_crSecond, 0xC0C0C0u);
    EXPECT_EQ(b.m_nTransparency, 0);
}

TEST(FillStyle, CssPerKind)
{
    CFolder docs;
    docs.m_strBaseName = "docs";
    struct Case {
        const char* name;
        std::function<void(CFillStyle&)> setup;
        const char* css;
    };
    const Case cases[] = {
        {"unset", [](CFillStyle&) {}, ""},
        {"colour", [](CFillStyle& f) { f.m_crColor = 0x0080FF; }, "background-color:#FF8000;"},
        {"colour with transparency", [](CFillStyle& f) { f.m_crColor = 0x0000FF; f.m_nTransparency = 5; f.m_strFileName = "100x100-255-5.png"; },
            "background-image:url('100x100-255-5.png');background-repeat:repeat;"},
        {"tile from a folder", [&](CFillStyle& f) { f.m_crColor = 0; f.m_nTransparency = 2; f.m_strFileName = "t.png"; f.m_pFolder = &docs; },
            "background-image:url('../t.png');background-repeat:repeat;"},
        {"gradient down", [](CFillStyle& f) { f.m_nKind = 1; f.m_crColor = 0xFFFFFF; f.m_strFileName = "g.png"; },
            "background-color:#FFFFFF;background-image:url('g.png');background-repeat:repeat-x;background-position:top center;"},
        {"gradient left", [](CFillStyle& f) { f.m_nKind = 1; f.m_nDirection = 1; f.m_strFileName = "g.png"; },
            "background-image:url('g.png');background-repeat:repeat-y;background-position:center left;"},
        {"gradient up", [](CFillStyle& f) { f.m_nKind = 1; f.m_nDirection = 2; f.m_strFileName = "g.png"; },
            "background-image:url('g.png');background-repeat:repeat-x;background-position:bottom center;"},
        {"gradient right", [](CFillStyle& f) { f.m_nKind = 1; f.m_nDirection = 3; f.m_strFileName = "g.png"; },
            "background-image:url('g.png');background-repeat:repeat-y;background-position:center right;"},
        {"corner 7", [](CFillStyle& f) { f.m_nKind = 1; f.m_nDirection = 7; f.m_strFileName = "g.png"; },
            "background-image:url('g.png');background-repeat:no-repeat;background-position:bottom right;"},
        {"radial", [](CFillStyle& f) { f.m_nKind = 1; f.m_nDirection = 8; f.m_strFileName = "g.png"; },
            "background-image:url('g.png');background-repeat:no-repeat;background-position:center center;"},
        {"address", [](CFillStyle& f) { f.m_nKind = 3; f.m_strAddress = "http://x.org/a b.png"; f.m_nPosition = 4; f.m_nRepeat = 3; },
            "background-image:url('http://x.org/a%20b.png');background-position:top left; background-repeat:repeat;"},
        {"address with quotes", [](CFillStyle& f) { f.m_nKind = 3; f.m_strAddress = "http://x.org/it's\\.png"; f.m_nPosition = 8; },
            "background-image:url('http://x.org/it\\27 s%5C.png');background-position:center center; background-repeat:no-repeat;"},
        {"empty address", [](CFillStyle& f) { f.m_nKind = 3; f.m_bFixed = 1; }, "background-attachment:fixed;"},
        {"picture missing", [](CFillStyle& f) { f.m_nKind = 2; f.m_nPictureId = 5; }, ""},
    };
    for (const Case& c : cases) {
        CFillStyle f;
        c.setup(f);
        CString css;
        f.WriteCss(css);
        EXPECT_EQ(css, c.css) << c.name;
    }
}

TEST(FillStyle, CssOfAPicture)
{
    CPicture picture;
    picture.m_strName = "my photo";
    picture.m_nFormat = CPicture::FormatJpeg;
    struct Case { int position, repeat, x, y; const char* tail; } cases[] = {
        {9, 0, 10, 20, "background-position:10px 20px;background-repeat:no-repeat;"},
        {0, 2, 0, 0, "background-position:top center; background-repeat:repeat-x;"},
        {6, 1, 0, 0, "background-position:bottom left; background-repeat:repeat-y;"},
    };
    CFolder sub, top;
    sub.SetParentFolder(&top);
    for (const Case& c : cases) {
        CFillStyle f;
        f.m_nKind = 2;
        f.m_pPicture = &picture;
        f.m_nPosition = c.position;
        f.m_nRepeat = c.repeat;
        f.m_nX = c.x;
        f.m_nY = c.y;
        f.m_pFolder = &sub;
        CString css;
        f.WriteCss(css);
        EXPECT_EQ(css, CString("background-image:url('../../my%20photo.jpg');") + c.tail);
    }
}

TEST(FillStyle, RenderColourTile)
{
    CFillStyle f;
    f.m_crColor = 0x0000FF; // red
    f.m_nTransparency = 5;
    f.m_bitmap.Edit().SetOpaqueFlag(1);
    f.Render(false);
    ASSERT_EQ(f.m_bitmap->GetWidth(), 100);
    ASSERT_EQ(f.m_bitmap->GetHeight(), 100);
    EXPECT_EQ(Px(f, 0, 0), 0x00FF0000u | (std::uint32_t(5 * 255 / 10) << 24));
    EXPECT_EQ(Px(f, 99, 99), Px(f, 0, 0));
    EXPECT_EQ(f.m_bitmap->GetOpaqueFlag(), 0);
    EXPECT_EQ(f.GetRenderedFileName(), "100x100-255-5.png");

    f.m_nTransparency = 0; // a plain colour needs no tile
    f.Render(false);
    EXPECT_TRUE(f.m_bitmap->IsEmpty());
    f.m_nKind = 2;
    f.Render(false);
    EXPECT_TRUE(f.m_bitmap->IsEmpty());
}

TEST(FillStyle, RenderLinearGradients)
{
    const COLORREF start = RGB(0, 0, 0), end = RGB(255, 200, 100);
    const std::uint32_t A = Pixel(start, 0), B = Pixel(end, 0);
    auto channel = [](std::uint32_t p, int s) { return int((p >> s) & 0xFF); };
    // The value at step i of n: (B x i) / n + (A x (n - i)) / n per channel.
    auto mix = [&](std::uint32_t a, std::uint32_t b, int i, int n) {
        std::uint32_t v = 0;
        for (int s = 0; s < 32; s += 8)
            v |= std::uint32_t((channel(b, s) * i) / n + (channel(a, s) * (n - i)) / n) << s;
        return v;
    };
    struct Case { int direction, w, h; bool vertical, reversed; } cases[] = {
        {0, 16, 100, true, false}, {1, 100, 16, false, false}, {2, 16, 100, true, true}, {3, 100, 16, false, true}};
    for (const Case& c : cases) {
        CFillStyle f;
        f.m_nKind = 1;
        f.m_nDirection = c.direction;
        f.m_crStart = start;
        f.m_crColor = end;
        f.Render(true);
        ASSERT_EQ(f.m_bitmap->GetWidth(), c.w) << c.direction;
        ASSERT_EQ(f.m_bitmap->GetHeight(), c.h) << c.direction;
        for (int i : {0, 1, 50, 99}) {
            const std::uint32_t expect = c.reversed ? mix(B, A, i, 100) : mix(A, B, i, 100);
            const int x = c.vertical ? 7 : i, y = c.vertical ? i : 7;
            EXPECT_EQ(Px(f, x, y), expect) << c.direction << " step " << i;
        }
    }
    // Start colour on top; the last row almost the end colour.
    CFillStyle v;
    v.m_nKind = 1;
    v.m_crStart = start;
    v.m_crColor = end;
    v.m_nUploadState = 2;
    v.Render(true);
    EXPECT_EQ(v.m_nUploadState, 0);
    EXPECT_EQ(Px(v, 0, 0), A);
    EXPECT_EQ(Px(v, 0, 99), Pixel(RGB(255 * 99 / 100, 200 * 99 / 100, 100 * 99 / 100), 0));
    EXPECT_EQ(v.GetRenderedFileName().Left(8), "v16x100-");
}

TEST(FillStyle, RenderEndModesAndTransparency)
{
    CFillStyle f;
    f.m_nKind = 1;
    f.m_nLength = 10;
    f.m_crStart = RGB(10, 20, 30);
    f.m_crColor = RGB(200, 200, 200);
    f.m_crSecond = RGB(0, 255, 0);
    f.m_nEndMode = 1; // to the second colour
    f.Render(false);
    EXPECT_EQ(Px(f, 0, 5), Pixel(RGB(0 + 10 / 2, 255 / 2 + 20 / 2, 0 + 30 / 2), 0));
    f.m_nEndMode = 2; // to full transparency
    f.Render(false);
    EXPECT_EQ(Px(f, 0, 5) >> 24, 255u / 2);
    // Transparency 5 makes the start half transparent: 255 - (255 x 5) / 10.
    f.m_nEndMode = 0;
    f.m_nTransparency = 5;
    f.Render(false);
    EXPECT_EQ(Px(f, 0, 0) >> 24, 255u - (255u * 5) / 10);
    EXPECT_EQ(f.m_bitmap->GetOpaqueFlag(), 0);
}

TEST(FillStyle, RenderCornersAndRadial)
{
    const COLORREF start = RGB(255, 0, 0), end = RGB(0, 0, 255), fill = RGB(0, 255, 0);
    // Red at the start corner pixel: 255 x e / 80 with e = 80 (4), 79 (5, 6), 78 (7).
    struct Case { int direction; int startX, startY; int fillX, fillY; unsigned red; } cases[] = {
        {4, 0, 0, 79, 79, 255}, {5, 79, 0, 0, 79, 255 * 79 / 80}, {6, 0, 79, 79, 0, 255 * 79 / 80}, {7, 79, 79, 0, 0, 255 * 78 / 80}};
    for (const Case& c : cases) {
        CFillStyle f;
        f.m_nKind = 1;
        f.m_nDirection = c.direction;
        f.m_nLength = 40;
        f.m_crStart = start;
        f.m_crColor = fill;
        f.m_nEndMode = 1;
        f.m_crSecond = end;
        f.Render(false);
        ASSERT_EQ(f.m_bitmap->GetWidth(), 80);
        // At the start corner the start colour; the far corner keeps the fill.
        const std::uint32_t near = Px(f, c.startX, c.startY);
        EXPECT_EQ((near >> 16) & 0xFF, c.red) << c.direction;
        EXPECT_EQ(near >> 24, 0u) << c.direction;
        EXPECT_EQ(Px(f, c.fillX, c.fillY), Pixel(fill, 0)) << c.direction;
    }
    CFillStyle r;
    r.m_nKind = 1;
    r.m_nDirection = 8;
    r.m_nLength = 80;
    r.m_crStart = start;
    r.m_crColor = fill;
    r.Render(false);
    ASSERT_EQ(r.m_bitmap->GetWidth(), 80);
    EXPECT_EQ(Px(r, 40, 40), Pixel(start, 0));
    for (auto [x, y] : {std::pair{0, 40}, std::pair{40, 0}, std::pair{79, 79}, std::pair{11, 11}}) {
        const double d = std::hypot(x - 40, y - 40);
        EXPECT_GE(d, 40.0);
        EXPECT_EQ(Px(r, x, y), Pixel(fill, 0)) << x << "," << y;
    }
    // Halfway out: r = 20 of 40.
    const std::uint32_t half = Px(r, 60, 40);
    EXPECT_EQ(half, Pixel(RGB(255 * 20 / 40, 255 * 20 / 40, 0), 0) | 0u);
}

TEST(FillStyle, LengthOfZeroOrLessIsClamped)
{
    for (int length : {0, -5}) {
        for (int direction = 0; direction <= 8; ++direction) {
            CFillStyle f;
            f.m_nKind = 1;
            f.m_nDirection = direction;
            f.m_nLength = length;
            f.Render(false);
            EXPECT_TRUE(f.m_bitmap->IsValid()) << direction;
            EXPECT_LE(f.m_bitmap->GetWidth() * f.m_bitmap->GetHeight(), 16 * 2) << direction;
        }
    }
}

// A length beyond what the background dialog offers (only a damaged file holds one) is
// rendered at the longest the dialog offers; the record keeps what it read.
TEST(FillStyle, LengthBeyondTheDialogsRangeIsRenderedAtItsEnd)
{
    struct Case {
        int direction, width, height;
    } cases[] = {{0, 16, 3000}, {1, 3000, 16}, {4, 6000, 6000}, {7, 6000, 6000}, {8, 3000, 3000}};
    for (const Case& c : cases) {
        CFillStyle f;
        f.m_nKind = 1;
        f.m_nDirection = c.direction;
        f.m_nLength = 15000;
        f.Render(false);
        EXPECT_EQ(f.m_bitmap->GetWidth(), c.width) << c.direction;
        EXPECT_EQ(f.m_bitmap->GetHeight(), c.height) << c.direction;
        EXPECT_EQ(f.m_nLength, 15000);
    }
}

TEST(FillStyle, ArchiveRoundTripAndLayout)
{
    CFillStyle f;
    f.m_nKind = 1;
    f.m_nDirection = 5;
    f.m_nEndMode = 2;
    f.m_nLength = 33;
    f.m_crColor = 0x00112233;
    f.m_nPosition = 9;
    f.m_nRepeat = 3;
    f.m_crStart = 0x00445566;
    f.m_crSecond = 0x00778899;
    f.m_strFileName = "a.png";
    f.m_nPictureId = 12;
    f.m_nX = -4;
    f.m_nY = 8;
    f.m_nUploadState = 2;
    f.m_strAddress = "http://e.org/p.png";
    f.m_bFixed = 1;
    f.m_stops.Set(2, {0x123456, 0, 25});
    f.m_stops.Set(3, {0xFFFFFF, 77, 37});
    f.m_stops.Set(7, {0xFFFFFF, 0, 99});
    f.m_nTransparency = 3;
    const std::vector<BYTE> bytes = Store(f, true);

    // The first fields, little-endian in the stored order.
    auto word = [&](std::size_t i) { return std::uint32_t(bytes[4 * i]) | (std::uint32_t(bytes[4 * i + 1]) << 8) | (std::uint32_t(bytes[4 * i + 2]) << 16) | (std::uint32_t(bytes[4 * i + 3]) << 24); };
    const std::uint32_t head[] = {1, 5, 2, 33, 0x00112233, 9, 3, 0x00445566, 0x00778899};
    for (std::size_t i = 0; i < 9; ++i)
        EXPECT_EQ(word(i), head[i]) << i;

    CFillStyle g;
    Load(g, bytes, 92, true);
    EXPECT_EQ(g.m_nKind, 1);
    EXPECT_EQ(g.m_nDirection, 5);
    EXPECT_EQ(g.m_nEndMode, 2);
    EXPECT_EQ(g.m_nLength, 33);
    EXPECT_EQ(g.m_crColor, 0x00112233u);
    EXPECT_EQ(g.m_nPosition, 9);
    EXPECT_EQ(g.m_nRepeat, 3);
    EXPECT_EQ(g.m_crStart, 0x00445566u);
    EXPECT_EQ(g.m_crSecond, 0x00778899u);
    EXPECT_EQ(g.m_strFileName, "a.png");
    EXPECT_EQ(g.m_nPictureId, 12);
    EXPECT_EQ(g.m_nX, -4);
    EXPECT_EQ(g.m_nY, 8);
    EXPECT_EQ(g.m_nUploadState, 2); // rendering on load does not reset it
    EXPECT_EQ(g.m_strAddress, "http://e.org/p.png");
    EXPECT_EQ(g.m_bFixed, 1);
    EXPECT_EQ(g.m_stops.Get(2).color, 0x123456u);
    EXPECT_EQ(g.m_stops.Get(3).alpha, 77);
    EXPECT_EQ(g.m_stops.Get(7).position, 99);
    EXPECT_EQ(g.m_nTransparency, 3);
    EXPECT_TRUE(g.m_bitmap->IsValid()); // rendered on load
    EXPECT_EQ(g.m_bitmap->GetWidth(), 66);
    EXPECT_EQ(Store(g, true), bytes);
}

TEST(FillStyle, ArchiveGates)
{
    CFillStyle f;
    f.m_nKind = 3;
    f.m_strAddress = "http://e.org/p.png";
    f.m_bFixed = 1;
    f.m_stops.Set(0, {0xFFFFFF, 5, 0});
    const std::vector<BYTE> full = Store(f);
    // The layout up to the upload state: 9 words, the file name (1-byte length, empty),
    // 4 words.
    const std::size_t base = 9 * 4 + 1 + 4 * 4;
    const std::size_t withAddress = base + 1 + f.m_strAddress.GetLength();

    struct Case { int version; std::size_t bytes; bool address, fixed; } cases[] = {
        {86, base, false, false}, {87, withAddress, true, false}, {88, full.size(), true, true}, {92, full.size(), true, true}};
    for (const Case& c : cases) {
        std::vector<BYTE> part(full.begin(), full.begin() + std::ptrdiff_t(c.bytes));
        CFillStyle g;
        Load(g, part, c.version);
        EXPECT_EQ(g.m_strAddress, c.address ? f.m_strAddress : CString()) << c.version;
        EXPECT_EQ(g.m_bFixed, c.fixed ? 1 : 0) << c.version;
        EXPECT_EQ(g.m_stops.Get(0).alpha, c.fixed ? 5 : 0) << c.version;
        EXPECT_EQ(g.m_stops.Get(1).position, 12) << c.version;
        // One byte short: the archive's end-of-file exception.
        std::vector<BYTE> cut(part.begin(), part.end() - 1);
        CFillStyle h;
        EXPECT_THROW(Load(h, cut, c.version), CArchiveException) << c.version;
    }
}

TEST(FillStyle, PictureIdAndExtension)
{
    CPicture picture;
    CFillStyle f;
    f.m_nKind = 2;
    f.m_pPicture = &picture;
    CFillStyle g;
    Load(g, Store(f), 92);
    EXPECT_EQ(g.m_nPictureId, picture.m_nPictureId);
    EXPECT_EQ(g.m_pPicture, nullptr);

    // A picture that was not found keeps its stored id through a save.
    CFillStyle h;
    Load(h, Store(g), 92);
    EXPECT_EQ(h.m_nPictureId, picture.m_nPictureId);

    // The transparency travels in the extension; a value out of range is clamped.
    struct Case { std::int32_t stored; int expect; } cases[] = {{0, 0}, {7, 7}, {10, 10}, {99, 10}, {-3, 0}};
    for (const Case& c : cases) {
        CMemFile file;
        {
            CArchive ar(&file, CArchive::store);
            ar << c.stored;
            ar.Close();
        }
        CMemFile in(file.Data(), std::size_t(file.GetLength()));
        CArchive ar(&in, CArchive::load);
        CFillStyle t;
        t.m_crColor = 0x0000FF;
        t.SerializeExtension(ar);
        EXPECT_EQ(t.m_nTransparency, c.expect);
        EXPECT_EQ(t.m_bitmap->IsValid(), c.expect > 0); // rendered again with it
    }
}

TEST(FillStyle, ExportWritesAndRecordsFiles)
{
    QTemporaryDir dir;
    CPublishContext context;
    context.m_strOutputFolder = CString::FromQString(dir.path());

    CFillStyle tile;
    tile.m_crColor = 0x0000FF;
    tile.m_nTransparency = 5;
    tile.Render(true);
    ASSERT_EQ(tile.MakeImageFileName(context), 1);
    EXPECT_EQ(tile.m_strOutputName, "100x100-255-5.png");
    EXPECT_EQ(tile.m_strFileName, CString()); // the stored name is the project's
    ASSERT_EQ(context.GetFileCount(), 1);
    EXPECT_EQ(context.GetFile(0).m_strRemoteName, "100x100-255-5.png");
    EXPECT_EQ(context.GetFile(0).m_nKind, int(kPublishFilePicture));
    EXPECT_EQ(context.GetFile(0).m_pUploadState, &tile.m_nUploadState);
    PackedBitmapPtr back = LoadPNG(context.GetFile(0).m_strLocalPath);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->Width(), 100);
    EXPECT_EQ(back->At(50, 50), tile.m_bitmap->GetPixelChecked(50, 50));

    // Gradients that differ in anything that changes the picture get different files.
    auto gradient = [](std::function<void(CFillStyle&)> change) {
        CFillStyle g;
        g.m_nKind = 1;
        g.m_crColor = RGB(1, 2, 3);
        g.m_nEndMode = 1;
        change(g);
        g.Render(true);
        return g.GetRenderedFileName();
    };
    const CString names[] = {
        gradient([](CFillStyle&) {}),
        gradient([](CFillStyle& g) { g.m_crSecond = RGB(9, 9, 9); }),
        gradient([](CFillStyle& g) { g.m_nEndMode = 2; }),
        gradient([](CFillStyle& g) { g.m_nTransparency = 4; }),
        gradient([](CFillStyle& g) { g.m_nDirection = 2; }),
        gradient([](CFillStyle& g) { g.m_nLength = 50; }),
        gradient([](CFillStyle& g) { g.m_crStart = RGB(0, 0, 1); }),
    };
    for (std::size_t i = 0; i < std::size(names); ++i) {
        EXPECT_EQ(names[i], CString(names[i]).MakeLower());
        EXPECT_TRUE(names[i].Right(4) == ".png");
        for (std::size_t j = i + 1; j < std::size(names); ++j)
            EXPECT_NE(names[i], names[j]) << i << " " << j;
    }

    CFillStyle g;
    g.m_nKind = 1;
    g.Render(true);
    ASSERT_EQ(g.MakeImageFileName(context), 1);
    ASSERT_EQ(context.GetFileCount(), 2);
    EXPECT_TRUE(QFileInfo::exists(QDir(dir.path()).filePath(g.m_strOutputName.ToQString())));

    // A folder that cannot be written: failure, nothing recorded.
    CPublishContext bad;
    bad.m_strOutputFolder = CString::FromQString(dir.filePath("missing/deeper"));
    EXPECT_EQ(g.MakeImageFileName(bad), 0);
    EXPECT_EQ(bad.GetFileCount(), 0);

    // A plain colour has no file.
    CFillStyle plain;
    plain.m_crColor = 0;
    EXPECT_EQ(plain.MakeImageFileName(bad), 1);
    EXPECT_EQ(bad.GetFileCount(), 0);
}

class FillPaint : public ::testing::Test {
protected:
    void SetUp() override { dctest::EnsureGuiApplication(); }
};

TEST_F(FillPaint, ColourSquareAndRounded)
{
    dctest::Canvas c(60, 40);
    CFillStyle f;
    f.m_crColor = RGB(0, 0, 200);
    f.Paint(&c.dc, 10, 5, 50, 35);
    EXPECT_EQ(c.At(10, 5), RGB(0, 0, 200));
    EXPECT_EQ(c.At(49, 34), RGB(0, 0, 200));
    EXPECT_EQ(c.At(50, 20), RGB(255, 255, 255));
    EXPECT_EQ(c.At(9, 20), RGB(255, 255, 255));

    dctest::Canvas r(60, 40);
    f.Paint(&r.dc, 10, 5, 50, 35, 10);
    EXPECT_EQ(r.At(10, 5), RGB(255, 255, 255)); // the corner is cut
    EXPECT_EQ(r.At(48, 33), RGB(255, 255, 255));
    EXPECT_EQ(r.At(30, 20), RGB(0, 0, 200));
    EXPECT_EQ(r.At(30, 5), RGB(0, 0, 200)); // the straight edges stay
}

TEST_F(FillPaint, TransparentColourBlendsTiles)
{
    dctest::Canvas c(250, 30);
    CFillStyle f;
    f.m_crColor = RGB(255, 0, 0);
    f.m_nTransparency = 5;
    f.Render(false);
    f.Paint(&c.dc, 0, 0, 230, 30);
    const int t = 5 * 255 / 10;
    // ((255 - t) x tile + t x white) / 255 per channel
    auto over = [t](int tile) { return ((255 - t) * tile + t * 255) / 255; };
    const COLORREF blended = RGB(over(255), over(0), over(0));
    for (int x : {0, 99, 100, 150, 229})
        EXPECT_EQ(c.At(x, 10), blended) << x;
    EXPECT_EQ(c.At(235, 10), RGB(255, 255, 255)); // clipped to the rectangle
}

TEST_F(FillPaint, GradientAlongTheTopAndInACorner)
{
    dctest::Canvas c(100, 120);
    CFillStyle f;
    f.m_nKind = 1;
    f.m_nLength = 50;
    f.m_crStart = RGB(0, 0, 0);
    f.m_crColor = RGB(250, 250, 250);
    f.Render(false);
    f.Paint(&c.dc, 0, 0, 100, 120);
    for (int x : {0, 15, 16, 40, 99})
        EXPECT_EQ(c.At(x, 0), RGB(0, 0, 0)) << x;
    EXPECT_EQ(c.At(37, 25), RGB(125, 125, 125));
    EXPECT_EQ(c.At(50, 100), RGB(250, 250, 250)); // below the gradient: the colour

    dctest::Canvas k(100, 100);
    CFillStyle corner;
    corner.m_nKind = 1;
    corner.m_nDirection = 7;
    corner.m_nLength = 20;
    corner.m_crStart = RGB(255, 0, 0);
    corner.m_crColor = RGB(0, 255, 0);
    corner.Render(false);
    corner.Paint(&k.dc, 0, 0, 100, 100);
    EXPECT_EQ(k.At(10, 10), RGB(0, 255, 0));
    EXPECT_EQ(GetRValue(k.At(99, 99)), 255 * 38 / 40 + 0); // next to the start corner
}

TEST_F(FillPaint, PicturePlacedAndRepeated)
{
    CPicture picture;
    picture.m_picture.Create(10, 10);
    picture.m_picture.FillRect(0x00FF0000u); // red, opaque
    struct Case { int position, repeat; int redX, redY, whiteX, whiteY; } cases[] = {
        {8, 0, 45, 25, 5, 5},   // centred once
        {4, 0, 0, 0, 15, 15},   // top left once
        {7, 0, 99, 49, 85, 35}, // bottom right once
        {4, 2, 95, 5, 5, 15},   // a row along the top
        {4, 1, 5, 45, 15, 5},   // a column down the left
    };
    for (const Case& k : cases) {
        dctest::Canvas c(100, 50);
        CFillStyle f;
        f.m_nKind = 2;
        f.m_pPicture = &picture;
        f.m_nPosition = k.position;
        f.m_nRepeat = k.repeat;
        f.Paint(&c.dc, 0, 0, 100, 50);
        EXPECT_EQ(c.At(k.redX, k.redY), RGB(255, 0, 0)) << k.position << "/" << k.repeat;
        EXPECT_EQ(c.At(k.whiteX, k.whiteY), RGB(255, 255, 255)) << k.position << "/" << k.repeat;
    }
    // Repeat both ways from an anchor inside: covered everywhere.
    dctest::Canvas all(73, 41);
    CFillStyle f;
    f.m_nKind = 2;
    f.m_pPicture = &picture;
    f.m_nPosition = 9;
    f.m_nX = 33;
    f.m_nY = 17;
    f.m_nRepeat = 3;
    f.Paint(&all.dc, 0, 0, 73, 41);
    EXPECT_TRUE(all.Ink() == CRect(0, 0, 73, 41));
    for (auto [x, y] : {std::pair{0, 0}, std::pair{72, 40}, std::pair{33, 17}, std::pair{5, 39}})
        EXPECT_EQ(all.At(x, y), RGB(255, 0, 0)) << x << "," << y;
}

// Gradient stops are held apart from the fill once one differs from its default: copies
// must own their values, and a stop set back to its default reads as the default.
TEST(FillStyle, StopsBelongToEachCopy)
{
    CFillStyle a;
    for (int i = 0; i < CFillStyle::kStops; ++i)
        EXPECT_EQ(a.m_stops.Get(i), CGradientStops::Default(i)) << i;
    a.m_stops.Set(4, {0x010203, 9, 55});
    CFillStyle b = a;
    b.m_stops.Set(4, {0x040506, 1, 60});
    CFillStyle c;
    c = b;
    b.m_stops.Set(4, CGradientStops::Default(4));
    EXPECT_EQ(a.m_stops.Get(4), (CGradientStops::Stop{0x010203, 9, 55}));
    EXPECT_EQ(c.m_stops.Get(4), (CGradientStops::Stop{0x040506, 1, 60}));
    EXPECT_EQ(b.m_stops.Get(4), CGradientStops::Default(4));
    EXPECT_EQ(b.m_stops.Get(5), CGradientStops::Default(5));
    c = CFillStyle();
    EXPECT_EQ(c.m_stops.Get(4), CGradientStops::Default(4));
}
