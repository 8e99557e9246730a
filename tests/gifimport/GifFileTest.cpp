// GIF files built byte by byte: pixels, interlacing, timing, looping, and every way a
// file can be damaged, through the designer's LoadGifImage and the library's exports.
#include "GifTestSupport.h"
#include "gifimport/GifDecoder.h"
#include "gifimport/LoadGifImage.h"
#include "gifimport/pelgra/pelgra.h"

#include <gtest/gtest.h>

using namespace giftest;

namespace {

struct Loaded {
    bool ok = false;
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels; // bottom-up
};

Loaded FromBlock(GifBitmapHeader* h)
{
    Loaded r;
    if (!h)
        return r;
    r.ok = true;
    r.width = h->width;
    r.height = h->height;
    EXPECT_EQ(h->size, 40u);
    EXPECT_EQ(h->planes, 1);
    EXPECT_EQ(h->bitCount, 32);
    EXPECT_EQ(h->sizeImage, std::uint32_t(h->width * h->height * 4));
    const std::uint32_t* p = GifBitmapPixels(h);
    r.pixels.assign(p, p + std::size_t(h->width) * std::size_t(h->height));
    return r;
}

Loaded ViaLoadGifImage(const std::string& path)
{
    Loaded r;
    PackedBitmapPtr b = LoadGifImage(path.c_str());
    if (!b)
        return r;
    r.ok = true;
    r.width = b->Width();
    r.height = b->Height();
    EXPECT_EQ(b->Header().biBitCount, 32);
    r.pixels.assign(b->Bits(), b->Bits() + b->PixelCount());
    return r;
}

Loaded ViaGifLoad(const std::string& path)
{
    StderrCapture quiet; // the several-images warning is checked elsewhere
    GifBitmapHeader* h = GIFLoad(path.c_str());
    Loaded r = FromBlock(h);
    GIFFree(h);
    return r;
}

Loaded ViaFirstAnimationFrame(const std::string& path)
{
    Loaded r;
    GifAnimation* a = GIFLoadAnimation(path.c_str());
    if (a && a->frameCount > 0)
        r = FromBlock(GifAnimationFrameAt(a, 0)->bitmap);
    if (a)
        for (std::uint32_t i = 0; i < a->frameCount; ++i)
            GIFFree(GifAnimationFrameAt(a, i)->bitmap);
    GIFFree(a);
    return r;
}

using LoaderFn = Loaded (*)(const std::string&);
struct NamedLoader {
    const char* name;
    LoaderFn load;
};
const NamedLoader kLoaders[] = {
    {"LoadGifImage", ViaLoadGifImage},
    {"GIFLoad", ViaGifLoad},
    {"GIFLoadAnimation", ViaFirstAnimationFrame},
};

// Animation block with its frame bitmaps, freed as the header says.
struct Animation {
    GifAnimation* a = nullptr;
    explicit Animation(const std::string& path) : a(GIFLoadAnimation(path.c_str())) {}
    ~Animation()
    {
        if (a)
            for (std::uint32_t i = 0; i < a->frameCount; ++i)
                GIFFree(GifAnimationFrameAt(a, i)->bitmap);
        GIFFree(a);
    }
    GifAnimationFrame& operator[](std::uint32_t i) { return *GifAnimationFrameAt(a, i); }
};

std::uint32_t Pixel(Rgb c, bool transparent = false)
{
    return std::uint32_t(c.b) | std::uint32_t(c.g) << 8 | std::uint32_t(c.r) << 16 | (transparent ? 0xFF000000u : 0);
}

// Expected pixels of indices in top-down order, bottom-up.
std::vector<std::uint32_t> Expected(const Bytes& indices, int width, int height, const std::vector<Rgb>& table,
                                    int transparent = -1)
{
    std::vector<std::uint32_t> out(indices.size());
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int idx = indices[std::size_t(y * width + x)];
            const Rgb c = std::size_t(idx) < table.size() ? table[std::size_t(idx)] : Rgb{0, 0, 0};
            out[std::size_t((height - 1 - y) * width + x)] = Pixel(c, idx == transparent);
        }
    return out;
}

GifBuilder::ImageOptions Opts(int minCodeSize)
{
    GifBuilder::ImageOptions o;
    o.minCodeSize = minCodeSize;
    return o;
}

std::vector<Rgb> Palette(int n)
{
    std::vector<Rgb> p;
    for (int i = 0; i < n; ++i)
        p.push_back({BYTE(i * 37 + 11), BYTE(255 - i * 5), BYTE(i * 91 + 3)});
    return p;
}

Bytes Pattern(int width, int height, int colours, int seed = 1)
{
    Bytes b;
    for (int i = 0; i < width * height; ++i)
        b.push_back(BYTE((i * 7 + (i / width) * 3 + seed) % colours));
    return b;
}

class GifFile : public ::testing::Test {
protected:
    std::string Write(const Bytes& b, const std::string& name = "t.gif") { return WriteFile(dir, name, b); }
    QTemporaryDir dir;
};

class EachLoader : public ::testing::TestWithParam<NamedLoader> {
protected:
    std::string Write(const Bytes& b, const std::string& name = "t.gif") { return WriteFile(dir, name, b); }
    QTemporaryDir dir;
};

INSTANTIATE_TEST_SUITE_P(Loaders, EachLoader, ::testing::ValuesIn(kLoaders),
                         [](const ::testing::TestParamInfo<NamedLoader>& i) { return std::string(i.param.name); });

// Every minimum code size a table can need, with global and with local tables.
TEST_P(EachLoader, PixelsForEveryCodeSize)
{
    for (int bits = 2; bits <= 8; ++bits)
        for (bool local : {false, true}) {
            SCOPED_TRACE(::testing::Message() << "code size " << bits << (local ? " local" : " global"));
            const int colours = 1 << bits, w = 13, h = 7;
            const auto pal = Palette(colours);
            const Bytes idx = Pattern(w, h, colours);
            GifBuilder g;
            GifBuilder::ImageOptions o;
            o.minCodeSize = bits;
            if (local) {
                g.Screen(w, h, Palette(2));
                o.localTable = pal;
            } else {
                g.Screen(w, h, pal);
            }
            g.Image(w, h, RawLzw(idx, bits), o).Trailer();
            const Loaded r = GetParam().load(Write(g.Data()));
            ASSERT_TRUE(r.ok);
            EXPECT_EQ(r.width, w);
            EXPECT_EQ(r.height, h);
            EXPECT_EQ(r.pixels, Expected(idx, w, h, pal));
        }
}

TEST_P(EachLoader, TransparentIndexSetsHighByte)
{
    const std::vector<Rgb> pal{{255, 0, 0}, {0, 0, 255}, {255, 0, 0}, {1, 2, 3}};
    const Bytes idx{0, 1, 2, 3, 2, 0};
    const Loaded r = GetParam().load(Write(
        GifBuilder().Screen(3, 2, pal).Control(0, 0, 2).Image(3, 2, RawLzw(idx, 2), Opts(2)).Trailer().Data()));
    ASSERT_TRUE(r.ok);
    // Bottom row first: 3 2 0, then 0 1 2.
    EXPECT_EQ(r.pixels, (std::vector<std::uint32_t>{0x00010203, 0xFFFF0000, 0x00FF0000, 0x00FF0000, 0x000000FF, 0xFFFF0000}));
}

TEST_P(EachLoader, InterlacedRowsOfHeightTen)
{
    // Row j of the data holds index j + 1 everywhere.
    const int w = 2, h = 10;
    Bytes idx;
    for (int j = 0; j < h; ++j)
        idx.insert(idx.end(), w, BYTE(j + 1));
    const auto pal = Palette(16);
    GifBuilder::ImageOptions o;
    o.interlaced = true;
    o.minCodeSize = 4;
    const Loaded r = GetParam().load(Write(GifBuilder().Screen(w, h, pal).Image(w, h, RawLzw(idx, 4), o).Trailer().Data()));
    ASSERT_TRUE(r.ok);
    const int source[h] = {0, 5, 3, 6, 2, 7, 4, 8, 1, 9};
    for (int row = 0; row < h; ++row)
        for (int x = 0; x < w; ++x)
            EXPECT_EQ(r.pixels[std::size_t((h - 1 - row) * w + x)], Pixel(pal[std::size_t(source[row] + 1)])) << "row " << row;
}

TEST_P(EachLoader, BadCodeSizeGivesIndexZeroEverywhere)
{
    const auto pal = Palette(4);
    for (int size : {12, 13, 200, 255}) {
        SCOPED_TRACE(size);
        const Bytes data = PackCodes({{4096, 13}, {1, 13}, {2, 13}, {3, 13}, {4097, 13}});
        const Loaded r = GetParam().load(Write(GifBuilder().Screen(3, 1, pal).Image(3, 1, data, Opts(size)).Trailer().Data()));
        ASSERT_TRUE(r.ok);
        EXPECT_EQ(r.pixels, std::vector<std::uint32_t>(3, Pixel(pal[0])));
    }
}

TEST_P(EachLoader, MissingOrShortTablesAreBlack)
{
    const Bytes idx{0, 1, 2, 3};
    // No table at all.
    Loaded r = GetParam().load(Write(GifBuilder().Screen(4, 1).Image(4, 1, RawLzw(idx, 2), Opts(2)).Trailer().Data()));
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.pixels, std::vector<std::uint32_t>(4, 0u));
    // No table, transparent index 1.
    r = GetParam().load(Write(GifBuilder().Screen(4, 1).Control(0, 0, 1).Image(4, 1, RawLzw(idx, 2), Opts(2)).Trailer().Data()));
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.pixels, (std::vector<std::uint32_t>{0, 0xFF000000u, 0, 0}));
    // A two-entry table: indices 2 and 3 are past it.
    const std::vector<Rgb> two{{10, 20, 30}, {40, 50, 60}};
    r = GetParam().load(Write(GifBuilder().Screen(4, 1, two).Image(4, 1, RawLzw(idx, 2), Opts(2)).Trailer().Data()));
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.pixels, (std::vector<std::uint32_t>{Pixel(two[0]), Pixel(two[1]), 0, 0}));
}

TEST_P(EachLoader, OversizedFramesGiveNothing)
{
    struct Size {
        int w, h;
        bool image;
    };
    for (Size s : {Size{65535, 65535, false}, Size{15001, 1, false}, Size{1, 15001, false}, Size{0, 5, false},
                   Size{15000, 2, true}}) {
        SCOPED_TRACE(::testing::Message() << s.w << "x" << s.h);
        const Loaded r = GetParam().load(
            Write(GifBuilder().Screen(2, 2, Palette(4)).Image(s.w, s.h, RawLzw({1, 2, 3}, 2), Opts(2)).Trailer().Data()));
        ASSERT_EQ(r.ok, s.image);
        if (s.image) {
            EXPECT_EQ(r.width, s.w);
            // The top row starts 1 2 3; everything else is index 0.
            EXPECT_EQ(r.pixels[std::size_t(s.w)], Pixel(Palette(4)[1]));
            EXPECT_EQ(r.pixels[std::size_t(s.w) + 2], Pixel(Palette(4)[3]));
            EXPECT_EQ(r.pixels[0], Pixel(Palette(4)[0]));
        }
    }
}

TEST_P(EachLoader, WrongSignatureGivesNull)
{
    for (const char* start : {"gif89a", "PNG\r\n", "GI", "", "XGIF89a"}) {
        SCOPED_TRACE(start);
        GifBuilder g(start);
        g.Screen(1, 1, Palette(2)).Image(1, 1, RawLzw({1}, 2), Opts(2)).Trailer();
        StderrCapture err;
        MessageRecorder rec;
        EXPECT_FALSE(GetParam().load(Write(g.Data())).ok);
    }
    EXPECT_FALSE(GetParam().load(dir.filePath("missing.gif").toStdString()).ok);
}

TEST_P(EachLoader, FileWithoutImageGivesNull)
{
    const Loaded r = GetParam().load(Write(GifBuilder().Screen(4, 4, Palette(2)).Comment("nothing").Trailer().Data()));
    EXPECT_FALSE(r.ok);
}

// A frame keeps its own size even where it reaches past the logical screen.
TEST_P(EachLoader, FramePastScreenKeepsItsSize)
{
    const Bytes idx = Pattern(8, 6, 4);
    GifBuilder::ImageOptions o;
    o.left = 2;
    o.top = 3;
    o.minCodeSize = 2;
    const Loaded r = GetParam().load(Write(GifBuilder().Screen(4, 4, Palette(4)).Image(8, 6, RawLzw(idx, 2), o).Trailer().Data()));
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.width, 8);
    EXPECT_EQ(r.height, 6);
    EXPECT_EQ(r.pixels, Expected(idx, 8, 6, Palette(4)));
}

// Any prefix of a file: never a crash; once the image data has begun, the pixels read
// so far are right and the rest are index 0.
TEST_P(EachLoader, TruncatedFiles)
{
    const int w = 16, h = 8;
    const auto pal = Palette(8);
    Bytes idx = Pattern(w, h, 7);
    for (BYTE& b : idx)
        b = BYTE(b + 1); // index 0 marks what was not decoded
    const Bytes whole = GifBuilder().Screen(w, h, pal).Control(0, 5).Image(w, h, RawLzw(idx, 3), Opts(3)).Trailer().Data();
    // Header, table, control; then the image has a size once the descriptor's size fields are read.
    const std::size_t sized = 13 + 24 + 8 + 9;
    const std::vector<std::uint32_t> full = Expected(idx, w, h, pal);
    std::size_t lastGood = 0;
    for (std::size_t len = 0; len <= whole.size(); ++len) {
        SCOPED_TRACE(len);
        StderrCapture err;
        const Loaded r = GetParam().load(Write(Bytes(whole.begin(), whole.begin() + long(len))));
        if (len < sized) {
            EXPECT_FALSE(r.ok);
            continue;
        }
        ASSERT_TRUE(r.ok);
        ASSERT_EQ(r.pixels.size(), full.size());
        // Count the pixels in file order that match.
        std::size_t good = 0;
        auto at = [&](const std::vector<std::uint32_t>& v, std::size_t i) { return v[std::size_t((h - 1 - int(i) / w) * w + int(i) % w)]; };
        while (good < full.size() && at(r.pixels, good) == at(full, good))
            ++good;
        for (std::size_t i = good; i < full.size(); ++i)
            ASSERT_EQ(at(r.pixels, i), Pixel(pal[0])) << "pixel " << i;
        EXPECT_GE(good, lastGood);
        lastGood = good;
    }
    EXPECT_EQ(lastGood, full.size());
}

TEST(GifInterlace, SourceRowsFollowThePasses)
{
    for (int h = 1; h <= 40; ++h) {
        // The data holds the rows of pass 1 (0, 8, ...), pass 2 (4, 12, ...), pass 3 (2, 6, ...), pass 4 (odd).
        std::vector<int> order;
        for (auto [start, step] : {std::pair{0, 8}, {4, 8}, {2, 4}, {1, 2}})
            for (int row = start; row < h; row += step)
                order.push_back(row);
        ASSERT_EQ(int(order.size()), h);
        for (int k = 0; k < h; ++k) {
            EXPECT_EQ(CGifDecoder::InterlacedSourceRow(order[std::size_t(k)], h), k) << "height " << h;
            EXPECT_EQ(CGifDecoder::InterlacedOutputRow(k, h), order[std::size_t(k)]) << "height " << h;
        }
    }
}

TEST_F(GifFile, LoopCount)
{
    struct Case {
        int loop;
        std::uint32_t expected;
    };
    for (Case c : {Case{-1, 1}, Case{0, 0}, Case{7, 7}, Case{65535, 65535}}) {
        GifBuilder g;
        g.Screen(1, 1, Palette(2));
        if (c.loop >= 0)
            g.Loop(c.loop);
        g.Image(1, 1, RawLzw({1}, 2), Opts(2)).Trailer();
        Animation a(Write(g.Data()));
        ASSERT_TRUE(a.a);
        EXPECT_EQ(a.a->loopCount, c.expected) << c.loop;
    }
}

TEST_F(GifFile, AnimationBlock)
{
    const auto global = Palette(8), local = Palette(16);
    const Bytes i1 = Pattern(5, 3, 8), i2 = Pattern(4, 2, 16, 3), i3 = Pattern(2, 2, 8, 5);
    GifBuilder::ImageOptions o2;
    o2.left = 7;
    o2.top = 9;
    o2.localTable = local;
    o2.minCodeSize = 4;
    GifBuilder::ImageOptions o3;
    o3.left = 1;
    o3.minCodeSize = 3;
    const std::string path = Write(GifBuilder()
                                       .Screen(20, 30, global, -1, 5)
                                       .Loop(3)
                                       .Control(1, 10)
                                       .Image(5, 3, RawLzw(i1, 3), Opts(3))
                                       .Control(2, 250, 4)
                                       .Image(4, 2, RawLzw(i2, 4), o2)
                                       .Comment("between")
                                       .Image(2, 2, RawLzw(i3, 3), o3)
                                       .Control(3, 7)
                                       .Trailer()
                                       .Data());
    Animation a(path);
    ASSERT_TRUE(a.a);
    EXPECT_EQ(a.a->width, 20u);
    EXPECT_EQ(a.a->height, 30u);
    EXPECT_EQ(a.a->loopCount, 3u);
    EXPECT_EQ(a.a->background, std::uint32_t(global[5].r) | std::uint32_t(global[5].g) << 8 | std::uint32_t(global[5].b) << 16);
    // The control extension after the last image makes a fourth record without pixels.
    ASSERT_EQ(a.a->frameCount, 4u);
    struct Want {
        std::uint32_t left, top, delay, disposal;
        std::vector<std::uint32_t> pixels;
    };
    const Want want[] = {
        {0, 0, 10, 1, Expected(i1, 5, 3, global)},
        {7, 9, 250, 2, Expected(i2, 4, 2, local, 4)},
        {1, 0, 0, 0, Expected(i3, 2, 2, global)},
        {0, 0, 7, 3, {}},
    };
    for (std::uint32_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(a[i].left, want[i].left);
        EXPECT_EQ(a[i].top, want[i].top);
        EXPECT_EQ(a[i].delay, want[i].delay);
        EXPECT_EQ(a[i].disposal, want[i].disposal);
        if (want[i].pixels.empty())
            EXPECT_EQ(a[i].bitmap, nullptr);
        else {
            ASSERT_NE(a[i].bitmap, nullptr);
            EXPECT_EQ(FromBlock(a[i].bitmap).pixels, want[i].pixels);
        }
    }
    // The bitmaps lie on pointer boundaries of the block.
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(&a[1].bitmap) % alignof(void*), 0u);
}

TEST_F(GifFile, AnimationWithoutImagesOrWithHugeFrame)
{
    {
        Animation a(Write(GifBuilder().Screen(3, 3).Trailer().Data()));
        ASSERT_TRUE(a.a);
        EXPECT_EQ(a.a->frameCount, 0u);
        EXPECT_EQ(a.a->background, 0u);
    }
    Animation a(Write(GifBuilder()
                          .Screen(3, 3, Palette(4))
                          .Control(0, 4)
                          .Image(40000, 40000, RawLzw({1}, 2), Opts(2))
                          .Control(0, 6)
                          .Image(1, 1, RawLzw({2}, 2), Opts(2))
                          .Trailer()
                          .Data()));
    ASSERT_TRUE(a.a);
    ASSERT_EQ(a.a->frameCount, 2u);
    EXPECT_EQ(a[0].bitmap, nullptr);
    EXPECT_EQ(a[0].delay, 4u);
    ASSERT_NE(a[1].bitmap, nullptr);
    EXPECT_EQ(GifBitmapPixels(a[1].bitmap)[0], Pixel(Palette(4)[2]));
}

TEST_F(GifFile, SeveralImages)
{
    const auto pal = Palette(4);
    struct Case {
        const char* name;
        Bytes file;
        std::uint32_t frames;
    };
    const Case cases[] = {
        {"two images", GifBuilder().Screen(1, 1, pal).Image(1, 1, RawLzw({1}, 2), Opts(2)).Image(1, 1, RawLzw({2}, 2), Opts(2)).Trailer().Data(), 2},
        {"control after the image", GifBuilder().Screen(1, 1, pal).Image(1, 1, RawLzw({1}, 2), Opts(2)).Control(0, 1).Trailer().Data(), 2},
        {"one image", GifBuilder().Screen(1, 1, pal).Control(0, 1).Image(1, 1, RawLzw({1}, 2), Opts(2)).Trailer().Data(), 1},
        {"two controls, one image", GifBuilder().Screen(1, 1, pal).Control(0, 1).Control(0, 2).Image(1, 1, RawLzw({1}, 2), Opts(2)).Trailer().Data(), 1},
    };
    const std::string warning = "This GIF animation contains multiple images. Only first image will be loaded.";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = Write(c.file);
        {
            StderrCapture err;
            GifBitmapHeader* h = GIFLoad(path.c_str());
            const std::string text = err.Text();
            ASSERT_NE(h, nullptr);
            EXPECT_EQ(GifBitmapPixels(h)[0], Pixel(pal[1]));
            GIFFree(h);
            EXPECT_EQ(text.find(warning) != std::string::npos, c.frames > 1) << text;
            EXPECT_EQ(text.find("GIF Import") != std::string::npos, c.frames > 1) << text;
        }
        {
            MessageRecorder rec;
            PackedBitmapPtr b = LoadGifImage(path.c_str());
            ASSERT_TRUE(b);
            EXPECT_EQ(b->Bits()[0], Pixel(pal[1]));
            EXPECT_TRUE(rec.messages.empty());
        }
        Animation a(path);
        ASSERT_TRUE(a.a);
        EXPECT_EQ(a.a->frameCount, c.frames);
    }
}

TEST_F(GifFile, NotAGifMessage)
{
    const std::string bad = Write(Bytes{'B', 'M', 0, 0, 0, 0}, "bad.gif");
    {
        MessageRecorder rec;
        EXPECT_FALSE(LoadGifImage(bad.c_str()));
        ASSERT_EQ(rec.messages.size(), 1u);
        EXPECT_EQ(rec.messages[0].text, "No GIF Format");
        EXPECT_EQ(rec.messages[0].caption, "GIF Import");
        EXPECT_EQ(rec.messages[0].type & 0xF0, unsigned(MB_ICONERROR));
    }
    for (bool animation : {false, true}) {
        StderrCapture err;
        void* r = animation ? static_cast<void*>(GIFLoadAnimation(bad.c_str())) : static_cast<void*>(GIFLoad(bad.c_str()));
        EXPECT_EQ(r, nullptr);
        EXPECT_NE(err.Text().find("No GIF Format"), std::string::npos);
    }
    // A missing or unreadable file is silent.
    MessageRecorder rec;
    StderrCapture err;
    for (const std::string& missing : {dir.filePath("none.gif").toStdString(), dir.path().toStdString()}) {
        EXPECT_FALSE(LoadGifImage(missing.c_str()));
        EXPECT_EQ(GIFLoad(missing.c_str()), nullptr);
        EXPECT_EQ(GIFLoadAnimation(missing.c_str()), nullptr);
    }
    EXPECT_FALSE(LoadGifImage(nullptr));
    EXPECT_TRUE(rec.messages.empty());
    EXPECT_EQ(err.Text(), "");
}

// Blocks the parser must pass over: unknown extensions, a non-looping application
// extension, stray bytes between blocks, data split into many sub-blocks.
TEST_F(GifFile, SkipsWhatItDoesNotUse)
{
    const int w = 120, h = 90;
    const auto pal = Palette(64);
    const Bytes idx = Pattern(w, h, 64);
    Bytes app{'!', 0xFF, 11, 'X', 'M', 'P', ' ', 'D', 'a', 't', 'a', 'X', 'M', 'P', 3, 1, 2, 3, 2, 9, 9, 0};
    Bytes odd{'!', 0x01, 12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x00, 0x07};
    const Loaded r = ViaLoadGifImage(Write(GifBuilder()
                                                .Screen(w, h, pal)
                                                .Raw(app)
                                                .Raw(odd)
                                                .Comment(std::string(600, 'c'))
                                                .Image(w, h, RawLzw(idx, 6), Opts(6))
                                                .Trailer()
                                                .Data()));
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.pixels, Expected(idx, w, h, pal));
}

} // namespace
