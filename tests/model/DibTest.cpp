#include "model/Dib.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// Builds a packed block: 40-byte header, optional masks, colour table, pixel rows.
struct BlockBuilder {
    BITMAPINFOHEADER h;
    std::vector<DWORD> masks;
    std::vector<DWORD> table;
    std::vector<BYTE> pixels;

    std::vector<BYTE> Build() const
    {
        std::vector<BYTE> out(sizeof h);
        std::memcpy(out.data(), &h, sizeof h);
        auto put = [&](DWORD v) {
            for (int i = 0; i < 4; ++i)
                out.push_back(BYTE(v >> (8 * i)));
        };
        for (DWORD m : masks)
            put(m);
        for (DWORD t : table)
            put(t);
        out.insert(out.end(), pixels.begin(), pixels.end());
        return out;
    }
};

BlockBuilder Header(int w, int h, int bits, DWORD compression = 0)
{
    BlockBuilder b;
    b.h.biWidth = w;
    b.h.biHeight = h;
    b.h.biBitCount = WORD(bits);
    b.h.biCompression = compression;
    return b;
}

// An image whose pixel values tell where they are.
void FillPattern(CDib& d)
{
    d.BeginPixels();
    for (int y = 0; y < d.GetHeight(); ++y)
        for (int x = 0; x < d.GetWidth(); ++x)
            d.SetPixel(x, y, std::uint32_t(y) * 1000u + std::uint32_t(x));
    d.EndPixels();
}

} // namespace

TEST(Dib, CreateLimits)
{
    struct Case { int w, h; bool hasBlock, valid; } cases[] = {
        {1, 1, true, true},
        {15000, 1, true, false}, // a width of 15000 is created but never valid
        {14999, 1, true, true},
        {1, 15000, true, true},
        {15001, 1, false, false},
        {1, 15001, false, false},
        {-1, 5, false, false},
        {5, -1, false, false},
        {0, 0, false, false},
        {7, 0, false, false},
    };
    for (const Case& c : cases) {
        CDib d;
        d.Create(c.w, c.h);
        EXPECT_EQ(!d.IsEmpty(), c.hasBlock) << c.w << "x" << c.h;
        EXPECT_EQ(d.IsValid(), c.valid) << c.w << "x" << c.h;
        EXPECT_EQ(d.Lock() != nullptr, c.valid) << c.w << "x" << c.h;
        if (c.hasBlock) {
            EXPECT_EQ(d.GetHeader().biSizeImage, DWORD(c.w * c.h * 4));
        }
    }
}

TEST(Dib, RefusedSizeThenRetryAllocates)
{
    CDib d;
    d.Create(4, 4);
    d.Create(20000, 4);
    EXPECT_TRUE(d.IsEmpty());
    d.Create(4, 4); // must not be taken as "the same size as now"
    EXPECT_TRUE(d.IsValid());
}

TEST(Dib, CreateAtSameSizeKeepsPixels)
{
    CDib d;
    d.Create(3, 2);
    EXPECT_EQ(d.GetPixelChecked(1, 1), 0u); // new pixels: black, opaque
    d.FillBytes(0x11);
    d.Create(3, 2);
    EXPECT_EQ(d.GetPixelChecked(2, 1), 0x11111111u);
    d.Create(2, 3);
    EXPECT_EQ(d.GetPixelChecked(1, 2), 0u);
    d.CreateWhite(2, 2);
    EXPECT_EQ(d.GetPixelChecked(0, 0), 0xFFFFFFFFu);
}

TEST(Dib, RowsAreStoredBottomUp)
{
    CDib d;
    d.Create(3, 2);
    d.BeginPixels();
    d.SetPixel(0, 0, 0x01020304u); // top-left
    d.SetPixel(2, 1, 0x0A0B0C0Du); // bottom-right
    d.EndPixels();
    const auto* words = reinterpret_cast<const std::uint32_t*>(d.Lock());
    EXPECT_EQ(words[3], 0x01020304u); // first word of the top row, which is stored last
    EXPECT_EQ(words[2], 0x0A0B0C0Du);
    const BYTE* bytes = d.Lock();
    EXPECT_EQ(bytes[12], 0x04); // B, G, R, T in memory
    EXPECT_EQ(bytes[15], 0x01);
}

TEST(Dib, PixelAccessNeedsLockAndBounds)
{
    CDib d;
    d.Create(2, 2);
    d.SetPixel(0, 0, 5); // not locked: ignored
    EXPECT_EQ(d.GetPixel(0, 0), 0u);
    EXPECT_EQ(d.GetPixelChecked(0, 0), 0u);
    d.BeginPixels();
    d.SetPixel(0, 0, 5);
    d.SetPixel(2, 0, 9);
    d.SetPixel(-1, 0, 9);
    EXPECT_EQ(d.GetPixel(0, 0), 5u);
    EXPECT_EQ(d.GetPixel(0, 2), 0u);
    d.EndPixels();
    EXPECT_EQ(d.GetPixelChecked(2, 0), 0xFFFFFFu);
    EXPECT_EQ(d.GetPixelChecked(0, -1), 0xFFFFFFu);
    CDib wide;
    wide.Create(15000, 1);
    EXPECT_EQ(wide.GetPixelChecked(0, 0), 0xFFFFFFu); // invalid image
}

TEST(Dib, FillRectIsClipped)
{
    struct Case { CRect r; int inside; } cases[] = {
        {CRect(1, 1, 3, 2), 2},
        {CRect(-5, -5, 2, 1), 2},
        {CRect(3, 2, 10, 10), 1},
        {CRect(4, 0, 9, 3), 0},
        {CRect(2, 2, 1, 1), 0},
    };
    for (const Case& c : cases) {
        CDib d;
        d.Create(4, 3);
        d.FillRect(0x00ABCDEFu, &c.r);
        int count = 0;
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 4; ++x) {
                const bool in = c.r.PtInRect({x, y});
                EXPECT_EQ(d.GetPixelChecked(x, y), in ? 0x00ABCDEFu : 0u) << x << "," << y;
                count += d.GetPixelChecked(x, y) != 0;
            }
        EXPECT_EQ(count, c.inside);
    }
    CDib all;
    all.Create(2, 2);
    all.FillRect(7);
    EXPECT_EQ(all.GetPixelChecked(1, 1), 7u);
}

TEST(Dib, CopyToPlacesAndClips)
{
    CDib src;
    src.Create(3, 2);
    FillPattern(src);
    struct Case { int x, y; } cases[] = {{0, 0}, {2, 1}, {-1, -1}, {4, 0}, {-3, 0}};
    for (const Case& c : cases) {
        CDib dst;
        dst.Create(5, 4);
        dst.FillBytes(0xEE);
        src.CopyTo(dst, c.x, c.y);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 5; ++x) {
                const int sx = x - c.x, sy = y - c.y;
                const bool in = sx >= 0 && sx < 3 && sy >= 0 && sy < 2;
                EXPECT_EQ(dst.GetPixelChecked(x, y), in ? std::uint32_t(sy * 1000 + sx) : 0xEEEEEEEEu) << c.x << "," << c.y;
            }
    }
}

TEST(Dib, CompositeRule)
{
    // source word, target word -> result
    struct Case { std::uint32_t src, dst, expect; } cases[] = {
        {0x00112233u, 0x00FFFFFFu, 0x00112233u}, // opaque source replaces
        {0x80112233u, 0xFF445566u, 0x80112233u}, // fully transparent target takes the source as it stands
        {0xFF112233u, 0x00445566u, 0x00445566u}, // fully transparent source: unchanged
        // ts = 0x33 (51): channel = (51 * target + 204 * source) / 255, T 0
        {0x33FF0000u, 0x100000FFu, (std::uint32_t((204 * 255) / 255) << 16) | std::uint32_t((51 * 255) / 255)},
        {0x80646464u, 0x40C8C8C8u, 0x00010101u * std::uint32_t((128 * 200 + 127 * 100) / 255)},
    };
    for (const Case& c : cases) {
        CDib s, d;
        s.Create(1, 1);
        d.Create(1, 1);
        s.FillRect(c.src);
        d.FillRect(c.dst);
        s.CompositeTo(d, 0, 0);
        EXPECT_EQ(d.GetPixelChecked(0, 0), c.expect) << std::hex << c.src << " over " << c.dst;
    }
}

TEST(Dib, BlendPixelRule)
{
    struct Case { std::uint32_t pixel, colour, expect; } cases[] = {
        // opaque red under half-transparent blue
        {0x00FF0000u, 0x800000FFu, (std::uint32_t(255 * 128 / 255) << 16) | std::uint32_t(127 * 255 / 255)},
        // transparent pixel takes an opaque colour whole
        {0xFF123456u, 0x00ABCDEFu, 0x00ABCDEFu},
        // a fully transparent colour leaves an opaque pixel alone
        {0x00123456u, 0xFF000000u, 0x00123456u},
        // half-transparent pixel, fully transparent colour: channels scaled by opacity, T kept
        {0x80FF00FFu, 0xFF000000u, 0x80000000u | (std::uint32_t(127 * 255 / 255) << 16) | std::uint32_t(127 * 255 / 255)},
    };
    for (const Case& c : cases) {
        CDib d;
        d.Create(2, 1);
        d.FillRect(c.pixel);
        d.SetOpaqueFlag(1);
        d.BeginPixels();
        d.BlendPixel(1, 0, c.colour);
        d.BlendPixel(5, 0, c.colour); // outside: ignored
        d.EndPixels();
        EXPECT_EQ(d.GetOpaqueFlag(), 0);
        EXPECT_EQ(d.GetPixelChecked(1, 0), c.expect) << std::hex << c.pixel << " + " << c.colour;
        EXPECT_EQ(d.GetPixelChecked(0, 0), c.pixel);
    }
}

TEST(Dib, CopyAndOpaqueFlag)
{
    CDib a;
    a.Create(2, 2);
    FillPattern(a);
    a.SetOpaqueFlag(1);
    CDib b;
    b.SetOpaqueFlag(1);
    b.CopyPixels(a);
    EXPECT_EQ(b.GetOpaqueFlag(), 1);
    b.Copy(a);
    EXPECT_EQ(b.GetOpaqueFlag(), 0);
    EXPECT_EQ(b.GetPixelChecked(1, 1), 1001u);
    CDib c(a); // deep copy: changing one leaves the other
    c.FillRect(0);
    EXPECT_EQ(a.GetPixelChecked(1, 1), 1001u);
    CDib moved(std::move(c));
    EXPECT_TRUE(c.IsEmpty());
    EXPECT_TRUE(moved.IsValid());
    CDib empty;
    b.Copy(empty);
    EXPECT_TRUE(b.IsEmpty());
}

TEST(Dib, PackedRoundTripKeepsTransparency)
{
    CDib d;
    d.Create(3, 2);
    d.BeginPixels();
    d.SetPixel(0, 0, 0xFF123456u); // fully transparent keeps its colour
    d.SetPixel(1, 0, 0x80ABCDEFu);
    d.SetPixel(2, 1, 0x00010203u);
    d.EndPixels();
    PackedBitmapPtr p = d.CopyToGlobal();
    ASSERT_TRUE(p);
    EXPECT_EQ(p->Header().biClrImportant, 0xFFFFFFFFu);
    CDib back;
    ASSERT_TRUE(back.CreateFromGlobal(*p));
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(back.GetPixelChecked(x, y), d.GetPixelChecked(x, y));

    // The same block saying the fourth byte means nothing: every pixel opaque.
    p->SetClrImportant(0);
    ASSERT_TRUE(back.CreateFromGlobal(*p));
    EXPECT_EQ(back.GetPixelChecked(0, 0), 0x00123456u);
    EXPECT_EQ(back.GetPixelChecked(1, 0), 0x00ABCDEFu);

    CDib invalid;
    invalid.Create(15000, 1);
    EXPECT_FALSE(invalid.CopyToGlobal());
}

TEST(Dib, PackedBlocksOfEveryBitCount)
{
    struct Case {
        const char* name;
        BlockBuilder block;
        std::vector<std::uint32_t> expect; // top-down, 0xTTRRGGBB
    };
    std::vector<Case> cases;
    {
        // 1 bpp, 10 x 2: rows padded to 4 bytes; bit 7 is the first pixel.
        Case c{"1bpp", Header(10, 2, 1), {}};
        c.block.table = {0x00102030u, 0x00A0B0C0u};
        c.block.pixels = {0x80, 0x40, 0, 0, /* top row: */ 0x01, 0xC0, 0, 0};
        const std::uint32_t z = 0x102030u, o = 0xA0B0C0u;
        c.expect = {z, z, z, z, z, z, z, o, o, o, /* bottom: */ o, z, z, z, z, z, z, z, z, o};
        cases.push_back(c);
    }
    {
        // 4 bpp with 3 table entries; an index beyond the table gives black.
        Case c{"4bpp", Header(3, 1, 4), {}};
        c.block.h.biClrUsed = 3;
        c.block.table = {0x00000011u, 0x00002200u, 0xFF330000u};
        c.block.pixels = {0x21, 0x90, 0, 0};
        c.expect = {0x330000u, 0x002200u, 0u};
        cases.push_back(c);
    }
    {
        Case c{"8bpp", Header(2, 2, 8), {}};
        c.block.h.biClrUsed = 2;
        c.block.table = {0x00FF0000u, 0x0000FF00u};
        c.block.pixels = {1, 0, 0, 0, /* top */ 0, 1, 0, 0};
        c.expect = {0xFF0000u, 0x00FF00u, 0x00FF00u, 0xFF0000u};
        cases.push_back(c);
    }
    {
        // 16 bpp 5-5-5: 0x7FFF white, 0x7C00 red, 0x0001 blue 1/31
        Case c{"16bpp555", Header(3, 1, 16), {}};
        c.block.pixels = {0xFF, 0x7F, 0x00, 0x7C, 0x01, 0x00, 0, 0};
        c.expect = {0xFFFFFFu, 0xFF0000u, std::uint32_t(255 / 31)};
        cases.push_back(c);
    }
    {
        // 16 bpp bit fields 5-6-5; green 1 of 63
        Case c{"16bpp565", Header(2, 1, 16, 3), {}};
        c.block.masks = {0xF800u, 0x07E0u, 0x001Fu};
        c.block.pixels = {0x20, 0x00, 0x00, 0xF8};
        c.expect = {std::uint32_t(255 / 63) << 8, 0xFF0000u};
        cases.push_back(c);
    }
    {
        // a zero mask gives that channel 0
        Case c{"16bppZeroMask", Header(1, 1, 16, 3), {}};
        c.block.masks = {0u, 0x07E0u, 0x001Fu};
        c.block.pixels = {0xFF, 0xFF, 0, 0};
        c.expect = {0x00FFFFu};
        cases.push_back(c);
    }
    {
        Case c{"24bpp", Header(2, 2, 24), {}};
        c.block.pixels = {1, 2, 3, 4, 5, 6, 0, 0, /* top */ 7, 8, 9, 10, 11, 12, 0, 0};
        c.expect = {0x090807u, 0x0C0B0Au, 0x030201u, 0x060504u};
        cases.push_back(c);
    }
    {
        Case c{"24bppTopDown", Header(1, -2, 24), {}};
        c.block.pixels = {1, 2, 3, 0, /* second row */ 4, 5, 6, 0};
        c.expect = {0x030201u, 0x060504u};
        cases.push_back(c);
    }
    {
        Case c{"32bppKeepsT", Header(2, 1, 32), {}};
        c.block.h.biClrImportant = 0xFFFFFFFFu;
        c.block.pixels = {1, 2, 3, 0x80, 4, 5, 6, 0xFF};
        c.expect = {0x80030201u, 0xFF060504u};
        cases.push_back(c);
    }
    {
        Case c{"32bppOpaque", Header(2, 1, 32), {}};
        c.block.pixels = {1, 2, 3, 0x80, 4, 5, 6, 0xFF};
        c.expect = {0x030201u, 0x060504u};
        cases.push_back(c);
    }
    {
        // bit fields in another byte order: the masks are applied
        Case c{"32bppFields", Header(1, 1, 32, 3), {}};
        c.block.masks = {0x000000FFu, 0x0000FF00u, 0x00FF0000u};
        c.block.pixels = {0x11, 0x22, 0x33, 0x44};
        c.expect = {0x112233u};
        cases.push_back(c);
    }
    for (const Case& c : cases) {
        const std::vector<BYTE> bytes = c.block.Build();
        CDib d;
        ASSERT_TRUE(d.CreateFromGlobal(bytes.data(), bytes.size())) << c.name;
        const int w = d.GetWidth(), h = d.GetHeight();
        ASSERT_EQ(std::size_t(w * h), c.expect.size()) << c.name;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                EXPECT_EQ(d.GetPixelChecked(x, y), c.expect[std::size_t(y * w + x)]) << c.name << " at " << x << "," << y;
        // One byte short of the pixels: refused.
        CDib cut;
        EXPECT_FALSE(cut.CreateFromGlobal(bytes.data(), bytes.size() - 1)) << c.name;
        EXPECT_TRUE(cut.IsEmpty()) << c.name;
    }
}

TEST(Dib, MalformedPackedBlocksAreRefused)
{
    struct Case { const char* name; BlockBuilder block; } cases[] = {
        {"bits 7", Header(2, 2, 7)},
        {"zero width", Header(0, 2, 24)},
        {"negative width", Header(-4, 2, 24)},
        {"too wide", Header(15001, 1, 24)},
        {"RLE 8", Header(1, 1, 8, 1)},
        {"huge colour count", Header(1, 1, 8)},
        {"header size below 40", Header(1, 1, 24)},
        {"header size beyond the block", Header(1, 1, 24)},
    };
    cases[5].block.h.biClrUsed = 0x40000000u;
    cases[6].block.h.biSize = 12;
    cases[7].block.h.biSize = 4000;
    for (Case& c : cases) {
        c.block.pixels.assign(64, 0);
        if (c.block.h.biBitCount == 8)
            c.block.table.assign(256, 0);
        const std::vector<BYTE> bytes = c.block.Build();
        CDib d;
        d.Create(2, 2);
        EXPECT_FALSE(d.CreateFromGlobal(bytes.data(), bytes.size())) << c.name;
        EXPECT_TRUE(d.IsEmpty()) << c.name;
        EXPECT_FALSE(CDib::IsPackedBlockValid(bytes.data(), bytes.size())) << c.name;
    }
    CDib d;
    EXPECT_FALSE(d.CreateFromGlobal(nullptr, 0));
    const BYTE tiny[10] = {};
    EXPECT_FALSE(d.CreateFromGlobal(tiny, sizeof tiny));
}

TEST(Dib, ResampleBoxFilter)
{
    auto make = [](int w, int h, std::vector<std::uint32_t> px) {
        CDib d;
        d.Create(w, h);
        d.BeginPixels();
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                d.SetPixel(x, y, px[std::size_t(y * w + x)]);
        d.EndPixels();
        return d;
    };
    // Two pixels into one: (a + b) / 2 + 0.49, truncated, per byte (T included).
    {
        CDib d = make(2, 1, {0x01010100u, 0x040201FFu});
        d.Resample(1, 1);
        ASSERT_EQ(d.GetWidth(), 1);
        const std::uint32_t t = (1 + 4) * 100 / 2 / 100, r = 1, g = (1 + 1) / 2, b = std::uint32_t((0 + 255) / 2.0 + 0.49);
        EXPECT_EQ(d.GetPixelChecked(0, 0), (t << 24) | (r << 16) | (g << 8) | b);
    }
    // Three into two: weights 1 and 0.5 for the first, 0.5 and 1 for the second.
    {
        CDib d = make(3, 1, {0x000000C8u, 0x00000064u, 0x00000000u});
        d.Resample(2, 1);
        EXPECT_EQ(d.GetPixelChecked(0, 0), std::uint32_t((200.0 + 0.5 * 100) / 1.5 + 0.49));
        EXPECT_EQ(d.GetPixelChecked(1, 0), std::uint32_t((0.5 * 100 + 0) / 1.5 + 0.49));
    }
    // A uniform picture stays uniform at any size, upwards as well.
    for (auto [nw, nh] : {std::pair{3, 5}, std::pair{10, 10}, std::pair{1, 1}, std::pair{17, 2}}) {
        CDib d;
        d.Create(7, 4);
        d.FillRect(0x40806020u);
        d.Resample(nw, nh);
        ASSERT_EQ(d.GetWidth(), nw);
        ASSERT_EQ(d.GetHeight(), nh);
        for (int y = 0; y < nh; ++y)
            for (int x = 0; x < nw; ++x)
                EXPECT_EQ(d.GetPixelChecked(x, y), 0x40806020u) << nw << "x" << nh;
    }
    // Half size of a 4 x 2 picture keeps the top and bottom apart.
    {
        CDib d = make(4, 2, {10, 20, 30, 40, 50, 60, 70, 80});
        d.Resample(2, 1);
        EXPECT_EQ(d.GetPixelChecked(0, 0), std::uint32_t((10 + 20 + 50 + 60) / 4.0 + 0.49));
        EXPECT_EQ(d.GetPixelChecked(1, 0), std::uint32_t((30 + 40 + 70 + 80) / 4.0 + 0.49));
    }
    // A side of 0 leaves the picture alone.
    CDib d = make(2, 1, {1, 2});
    d.Resample(0, 1);
    EXPECT_EQ(d.GetWidth(), 2);
    EXPECT_EQ(d.GetPixelChecked(1, 0), 2u);
}

TEST(Dib, RotateSizesAndPixels)
{
    CDib d;
    d.Create(100, 50);
    FillPattern(d);

    auto same = d.Rotate(0, 0, false, false);
    ASSERT_TRUE(same);
    ASSERT_EQ(same->GetWidth(), 100);
    ASSERT_EQ(same->GetHeight(), 50);
    EXPECT_EQ(same->GetPixelChecked(37, 21), d.GetPixelChecked(37, 21));

    auto quarter = d.Rotate(90, 0xFF000000u, false, false);
    ASSERT_TRUE(quarter);
    EXPECT_EQ(quarter->GetWidth(), 51);
    EXPECT_EQ(quarter->GetHeight(), 101);
    // Target (25 + dx, 50 + dy) samples source (50 + dy, 25 - dx); the cosine of the
    // angle is a little above 0, so a negative dx (dy) puts x (y) just below a whole
    // number, which truncates one lower.
    struct Probe { int dx, dy; } probes[] = {{0, 0}, {10, 3}, {-20, -40}, {24, 49}, {-3, 7}};
    for (const Probe& p : probes) {
        const int sx = 50 + p.dy - (p.dx < 0), sy = 25 - p.dx - (p.dy < 0);
        EXPECT_EQ(quarter->GetPixelChecked(25 + p.dx, 50 + p.dy), std::uint32_t(sy * 1000 + sx)) << p.dx << "," << p.dy;
    }

    CDib square;
    square.Create(10, 10);
    auto shrunk = square.Rotate(45, 0, false, true);
    ASSERT_TRUE(shrunk);
    EXPECT_EQ(shrunk->GetWidth(), 20 - 15);
    EXPECT_EQ(shrunk->GetHeight(), 20 - 15);

    CDib empty;
    EXPECT_FALSE(empty.Rotate(10, 0, true, false));
}

TEST(Dib, RotateSmoothKeepsUniformInsideAndFillsOutside)
{
    CDib d;
    d.Create(40, 40);
    d.FillRect(0x00336699u);
    const std::uint32_t fill = 0xFF000000u;
    auto r = d.Rotate(30, fill, true, false);
    ASSERT_TRUE(r);
    const int w = r->GetWidth(), h = r->GetHeight();
    EXPECT_EQ(w, int(std::ceil(40 * std::cos(30 * 3.14159265358 / 180) + 40 * std::sin(30 * 3.14159265358 / 180))));
    const std::uint32_t centre = r->GetPixelChecked(w / 2, h / 2);
    // Opaque everywhere inside; weights cancel for R, G, B up to truncation.
    EXPECT_EQ(centre >> 24, 0u);
    EXPECT_NEAR(double((centre >> 16) & 0xFF), 0x33, 1);
    EXPECT_NEAR(double((centre >> 8) & 0xFF), 0x66, 1);
    EXPECT_NEAR(double(centre & 0xFF), 0x99, 1);
    // The corners lie outside the turned square: the fill value.
    EXPECT_EQ(r->GetPixelChecked(0, 0), fill);
    EXPECT_EQ(r->GetPixelChecked(w - 1, h - 1), fill);
}
