// Generated GIFs decoded by ours and by giflib, and compared with the indices they were
// made from: code sizes 2 to 8, interlacing, transparency, local tables, frames with
// disposal, clear codes in mid-stream, a full table without a clear, long strings, and
// the same files cut short. And the LZW decoder beside plainly written rules on
// arbitrary code streams, whole, byte by byte and in pieces.
#include "GifTestSupport.h"
#include "gifimport/LoadGifImage.h"
#include "gifimport/LzwDecoder.h"
#include "gifimport/pelgra/pelgra.h"

#include <gtest/gtest.h>
#include <memory>
#include <random>
#include <thread>

using namespace giftest;

namespace {

enum class Content { Noise, Smooth, Runs, Flat };

struct FrameSpec {
    int left = 0, top = 0, width = 0, height = 0;
    int disposal = 0, delay = 0, transparent = -1;
    bool interlaced = false;
    bool localTable = false;
};

struct EquivalenceCase {
    std::string name;
    int bits = 8;        // 2^bits colours
    int minCodeSize = 8; // at least bits, at least 2
    Content content = Content::Noise;
    LzwOptions lzw;
    std::vector<FrameSpec> frames;
};

void PrintTo(const EquivalenceCase& c, std::ostream* os) { *os << c.name; }

Bytes Indices(const FrameSpec& f, int colours, Content content, unsigned seed)
{
    std::mt19937 rnd(seed);
    Bytes b(std::size_t(f.width) * std::size_t(f.height));
    for (int y = 0; y < f.height; ++y)
        for (int x = 0; x < f.width; ++x) {
            int v = 0;
            switch (content) {
            case Content::Noise: v = int(rnd() % unsigned(colours)); break;
            case Content::Smooth: v = (x / 5 + y / 3 + int(rnd() % 2)) % colours; break;
            case Content::Runs: v = ((x / 37) ^ (y / 11)) % colours; break;
            case Content::Flat: v = colours - 1; break;
            }
            b[std::size_t(y) * std::size_t(f.width) + std::size_t(x)] = BYTE(v);
        }
    return b;
}

std::vector<Rgb> Colours(int n, unsigned seed)
{
    std::mt19937 rnd(seed);
    std::vector<Rgb> c;
    for (int i = 0; i < n; ++i)
        c.push_back({BYTE(rnd()), BYTE(rnd()), BYTE(rnd())});
    return c;
}

// Indices in file order (interlaced rows as stored) to pixels bottom-up.
std::vector<std::uint32_t> ToPixels(const Bytes& stored, const FrameSpec& f, const std::vector<Rgb>& table)
{
    std::vector<int> fileRowOf(std::size_t(f.height));
    if (f.interlaced) {
        int k = 0;
        for (int start : {0, 4, 2, 1})
            for (int y = start; y < f.height; y += start == 0 ? 8 : start == 4 ? 8 : start == 2 ? 4 : 2)
                fileRowOf[std::size_t(y)] = k++;
    } else {
        for (int y = 0; y < f.height; ++y)
            fileRowOf[std::size_t(y)] = y;
    }
    std::vector<std::uint32_t> px(stored.size());
    for (int y = 0; y < f.height; ++y)
        for (int x = 0; x < f.width; ++x) {
            const int idx = stored[std::size_t(fileRowOf[std::size_t(y)]) * std::size_t(f.width) + std::size_t(x)];
            const Rgb c = std::size_t(idx) < table.size() ? table[std::size_t(idx)] : Rgb{0, 0, 0};
            px[std::size_t(f.height - 1 - y) * std::size_t(f.width) + std::size_t(x)] =
                std::uint32_t(c.b) | std::uint32_t(c.g) << 8 | std::uint32_t(c.r) << 16 | (idx == f.transparent ? 0xFF000000u : 0);
        }
    return px;
}

struct Made {
    Bytes file;
    std::vector<std::vector<std::uint32_t>> pixels; // per frame, as they must come out
    std::vector<Bytes> stored;                      // per frame, indices in file order
    std::vector<std::vector<Rgb>> tables;
    std::vector<LzwStream> streams;
    std::vector<std::size_t> dataStart; // where each frame's first sub-block begins
};

Made Make(const EquivalenceCase& c)
{
    Made m;
    const int n = 1 << c.bits;
    const std::vector<Rgb> global = Colours(n, 5);
    int screenW = 1, screenH = 1;
    for (const FrameSpec& f : c.frames) {
        screenW = std::max(screenW, f.left + f.width);
        screenH = std::max(screenH, f.top + f.height);
    }
    GifBuilder b;
    b.Screen(screenW, screenH, global, -1, 1);
    unsigned seed = 100;
    for (const FrameSpec& f : c.frames) {
        const Bytes stored = Indices(f, n, c.content, seed++);
        GifBuilder::ImageOptions o;
        o.left = f.left;
        o.top = f.top;
        o.interlaced = f.interlaced;
        o.minCodeSize = c.minCodeSize;
        // A local table one size smaller than the colours: the indices above it are black.
        if (f.localTable)
            o.localTable = Colours(std::max(2, n / 2), seed * 7);
        const std::vector<Rgb>& table = f.localTable ? o.localTable : global;
        b.Control(f.disposal, f.delay, f.transparent);
        LzwStream s = EncodeLzw(stored, c.minCodeSize, c.lzw);
        m.dataStart.push_back(GifBuilder(b).Image(f.width, f.height, Bytes(), o).Data().size() - 1);
        b.Image(f.width, f.height, s.data, o);
        m.pixels.push_back(ToPixels(stored, f, table));
        m.stored.push_back(stored);
        m.tables.push_back(table);
        m.streams.push_back(std::move(s));
    }
    m.file = b.Trailer().Data();
    return m;
}

std::vector<EquivalenceCase> Cases()
{
    const LzwOptions plain, keepFull{0, false};
    // Frames: left, top, width, height, disposal, delay, transparent index, interlaced, local table.
    std::vector<EquivalenceCase> v = {
        {"Transparent", 4, 4, Content::Noise, plain, {{0, 0, 50, 30, 0, 0, 3}}},
        // Own tables, positions, every disposal, one interlaced and two transparent.
        {"FramesWithDisposalAndLocalTables", 6, 6, Content::Smooth, plain,
         {{0, 0, 80, 60, 0, 10, -1, false, false}, {5, 7, 40, 33, 1, 20, 9, false, true},
          {11, 3, 31, 45, 2, 30, -1, true, true}, {0, 0, 80, 60, 3, 40, 0, false, false}}},
        {"ClearEvery1Codes", 8, 8, Content::Smooth, {1, true}, {{0, 0, 120, 90}}},
        {"ClearEvery7Codes", 8, 8, Content::Smooth, {7, true}, {{0, 0, 120, 90}}},
        {"ClearEvery100Codes", 8, 8, Content::Smooth, {100, true}, {{0, 0, 120, 90}}},
        // Noise fills the table many times over; without clears it stays full.
        {"FullTableWithoutClear", 8, 8, Content::Noise, keepFull, {{0, 0, 200, 150}}},
        {"FullTableWithoutClearSmallCodes", 2, 2, Content::Smooth, keepFull, {{0, 0, 301, 203}}},
        // One colour: strings grow by one each code, to hundreds of bytes, across rows.
        {"LongStrings", 1, 2, Content::Flat, keepFull, {{0, 0, 517, 389}}},
        {"RunsInWideRows", 3, 3, Content::Runs, plain, {{0, 0, 4099, 21}}},
    };
    // Every code size, noisy (short strings) and smooth (longer ones), in sizes whose
    // rows do not divide the decoder's window.
    for (int size = 2; size <= 8; ++size)
        for (Content content : {Content::Noise, Content::Smooth})
            v.push_back({"CodeSize" + std::to_string(size) + (content == Content::Noise ? "Noise" : "Smooth"),
                         size == 2 ? 1 + (content == Content::Smooth) : size, size, content, plain,
                         {{0, 0, 61 + size * 13, 37 + size * 5}}});
    // Interlaced frames of every height class (the passes end at different rows).
    for (int h : {1, 2, 3, 4, 5, 7, 8, 9, 12, 17, 40, 161})
        v.push_back({"InterlacedHeight" + std::to_string(h), 5, 5, Content::Smooth, plain, {{0, 0, 23, h, 0, 0, -1, true}}});
    return v;
}

class GifEquivalence : public ::testing::TestWithParam<EquivalenceCase> {
protected:
    QTemporaryDir dir;
};

struct AnimationGuard {
    GifAnimation* a;
    ~AnimationGuard()
    {
        if (!a)
            return;
        for (std::uint32_t i = 0; i < a->frameCount; ++i)
            GIFFree(GifAnimationFrameAt(a, i)->bitmap);
        GIFFree(a);
    }
};

TEST_P(GifEquivalence, MatchesGiflibAndTheSource)
{
    const Made m = Make(GetParam());
    const std::string path = WriteFile(dir, "t.gif", m.file);
    const RefGif ref = GiflibDecode(path);
    ASSERT_TRUE(ref.ok);
    ASSERT_EQ(ref.frames.size(), m.pixels.size());

    AnimationGuard g{GIFLoadAnimation(path.c_str())};
    ASSERT_NE(g.a, nullptr);
    ASSERT_EQ(g.a->frameCount, m.pixels.size());
    for (std::uint32_t i = 0; i < g.a->frameCount; ++i) {
        SCOPED_TRACE(::testing::Message() << "frame " << i);
        const GifAnimationFrame* f = GifAnimationFrameAt(g.a, i);
        const FrameSpec& spec = GetParam().frames[i];
        EXPECT_EQ(int(f->left), spec.left);
        EXPECT_EQ(int(f->top), spec.top);
        EXPECT_EQ(int(f->disposal), spec.disposal);
        EXPECT_EQ(int(f->delay), spec.delay);
        ASSERT_NE(f->bitmap, nullptr);
        ASSERT_EQ(f->bitmap->width, spec.width);
        ASSERT_EQ(f->bitmap->height, spec.height);
        const std::uint32_t* px = GifBitmapPixels(f->bitmap);
        const std::vector<std::uint32_t> ours(px, px + m.pixels[i].size());
        // giflib on the same file, and the indices the file was made from.
        EXPECT_TRUE(ours == ref.frames[i].pixels);
        EXPECT_TRUE(ours == m.pixels[i]);
        EXPECT_EQ(ref.frames[i].disposal, spec.disposal);
    }

    PackedBitmapPtr first = LoadGifImage(path.c_str());
    ASSERT_TRUE(first);
    EXPECT_TRUE(std::equal(first->Bits(), first->Bits() + first->PixelCount(), m.pixels[0].begin(), m.pixels[0].end()));
}

// The last frame cut short at many places in its data: the pixels of every code whose
// bits are all there are right, the rest have index 0.
TEST_P(GifEquivalence, CutShortGivesThePixelsOfTheCodesRead)
{
    const Made m = Make(GetParam());
    const std::size_t last = m.pixels.size() - 1;
    const FrameSpec& spec = GetParam().frames[last];
    const LzwStream& s = m.streams[last];
    const std::size_t begin = m.dataStart[last];
    const std::size_t end = m.file.size() - 2; // before the terminating block and the trailer
    std::mt19937 rnd(3);
    std::vector<std::size_t> cuts{begin, begin + 1, begin + 2, begin + 256, begin + 257, end - 1, end};
    for (int k = 0; k < 12; ++k)
        cuts.push_back(begin + rnd() % (end - begin));
    for (std::size_t cut : cuts) {
        if (cut < begin || cut > end)
            continue;
        SCOPED_TRACE(::testing::Message() << "cut at " << cut << " of " << m.file.size());
        // Data bytes that remain: sub-blocks of 255 and their length bytes.
        std::size_t dataBytes = 0;
        for (std::size_t p = begin; p < cut;) {
            const std::size_t len = m.file[p];
            const std::size_t have = std::min(len, cut - p - 1);
            dataBytes += have;
            p += 1 + len;
        }
        std::size_t decoded = 0;
        for (const auto& [bitEnd, indices] : s.codeEnds)
            if (bitEnd <= dataBytes * 8)
                decoded = indices;
        Bytes stored = m.stored[last];
        std::fill(stored.begin() + long(decoded), stored.end(), BYTE(0));
        const std::vector<std::uint32_t> expected = ToPixels(stored, spec, m.tables[last]);

        const std::string path = WriteFile(dir, "cut.gif", Bytes(m.file.begin(), m.file.begin() + long(cut)));
        AnimationGuard g{GIFLoadAnimation(path.c_str())};
        ASSERT_NE(g.a, nullptr);
        ASSERT_EQ(g.a->frameCount, m.pixels.size());
        const GifAnimationFrame* f = GifAnimationFrameAt(g.a, std::uint32_t(last));
        ASSERT_NE(f->bitmap, nullptr);
        const std::uint32_t* px = GifBitmapPixels(f->bitmap);
        EXPECT_TRUE(std::vector<std::uint32_t>(px, px + expected.size()) == expected);
    }
}

INSTANTIATE_TEST_SUITE_P(Generated, GifEquivalence, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<EquivalenceCase>& i) { return i.param.name; });

// The blocks of an animation may be freed in any order, from any thread: the others
// keep their pixels (frames large enough to share huge pages, and small ones).
TEST(GifBlocks, FreedInAnyOrderTheOthersStayIntact)
{
    for (int side : {400, 30}) {
        SCOPED_TRACE(side);
        EquivalenceCase c{"Blocks", 8, 8, Content::Noise, {}, {}};
        for (int k = 0; k < 8; ++k)
            c.frames.push_back({k, 0, side + k, side - k});
        const Made m = Make(c);
        QTemporaryDir dir;
        const std::string path = WriteFile(dir, "blocks.gif", m.file);
        for (int order = 0; order < 3; ++order) {
            SCOPED_TRACE(order);
            GifAnimation* a = GIFLoadAnimation(path.c_str());
            ASSERT_NE(a, nullptr);
            ASSERT_EQ(a->frameCount, 8u);
            std::vector<GifBitmapHeader*> frames;
            for (std::uint32_t i = 0; i < 8; ++i)
                frames.push_back(GifAnimationFrameAt(a, i)->bitmap);
            auto intact = [&](std::size_t i) {
                const std::uint32_t* px = GifBitmapPixels(frames[i]);
                return frames[i]->width == c.frames[i].width && std::equal(m.pixels[i].begin(), m.pixels[i].end(), px);
            };
            if (order == 0) {
                // Every other frame, then the animation block, checking the rest each time.
                for (std::size_t i = 0; i < 8; i += 2) {
                    GIFFree(frames[i]);
                    for (std::size_t j = i + 1; j < 8; j += 2)
                        EXPECT_TRUE(intact(j)) << "frame " << j << " after freeing " << i;
                }
                GIFFree(a);
                for (std::size_t j = 1; j < 8; j += 2) {
                    EXPECT_TRUE(intact(j)) << "frame " << j;
                    GIFFree(frames[j]);
                }
            } else if (order == 1) {
                // The animation block first, then the frames from the last.
                GifAnimation copy = *a;
                GIFFree(a);
                EXPECT_EQ(copy.frameCount, 8u);
                for (std::size_t i = 8; i-- > 0;) {
                    EXPECT_TRUE(intact(i)) << "frame " << i;
                    GIFFree(frames[i]);
                }
            } else {
                // Each frame on its own thread, then the animation block.
                std::vector<std::thread> threads;
                for (GifBitmapHeader* f : frames)
                    threads.emplace_back([f] { GIFFree(f); });
                for (std::thread& t : threads)
                    t.join();
                GIFFree(a);
            }
        }
    }
    GIFFree(nullptr);
}

// Random code streams: mostly codes in the table, some the code not yet in it, some
// beyond it (ignored), clear codes, now and then the end code, and capacities below
// and above what the codes give. Decoded whole, byte by byte, and in pieces that stop
// at random places, all must equal the plain rules.
TEST(LzwDecoderRandom, MatchesPlainRules)
{
    std::mt19937 rnd(20240611);
    for (int round = 0; round < 400; ++round) {
        SCOPED_TRACE(::testing::Message() << "round " << round);
        const int minCodeSize = int(rnd() % 12);
        const std::size_t capacity = 1 + rnd() % (round % 3 == 0 ? 200 : 20000);
        const unsigned clear = 1u << minCodeSize;
        ReferenceLzw ref(minCodeSize, capacity);
        std::vector<std::pair<unsigned, unsigned>> codes;
        const int count = int(rnd() % 6000);
        for (int k = 0; k < count && !ref.Done(); ++k) {
            const unsigned r = rnd() % 1000, limit = 1u << ref.Width();
            unsigned code;
            if (k == 0 || r < 3)
                code = clear;
            else if (r < 5)
                code = clear + 1;
            else if (r < 60)
                code = ref.NextFree() < limit ? ref.NextFree() : clear; // the unknown code, when it fits
            else if (r < 80)
                code = unsigned(rnd() % limit); // anything, often ignored
            else if (r < 500 && ref.NextFree() > clear + 2)
                code = clear + 2 + unsigned(rnd() % (ref.NextFree() - clear - 2)); // an entry
            else
                code = unsigned(rnd() % clear); // a root
            codes.push_back({code, ref.Width()});
            ref.Put(code);
        }
        const Bytes data = PackCodes(codes);
        // The zero bits that fill the last byte are codes too when there are enough.
        std::size_t bits = 0;
        for (const auto& c : codes)
            bits += c.second;
        for (std::size_t pad = data.size() * 8 - bits; pad >= ref.Width() && !ref.Done();) {
            pad -= ref.Width();
            ref.Put(0);
        }
        const Bytes expected = ref.Output();

        Bytes whole(capacity + CLzwDecoder::kOutputSlack, 0xEE);
        CLzwDecoder a(whole.data(), capacity, minCodeSize);
        a.PutBytes(data.data(), data.size());
        a.Finish();
        ASSERT_EQ(Bytes(whole.begin(), whole.begin() + long(capacity)), expected);
        EXPECT_EQ(a.Position(), ref.Position());

        Bytes bytewise(capacity + CLzwDecoder::kOutputSlack, 0xEE);
        CLzwDecoder b(bytewise.data(), capacity, minCodeSize);
        for (BYTE x : data)
            b.PutByte(x);
        b.Finish();
        ASSERT_EQ(Bytes(bytewise.begin(), bytewise.begin() + long(capacity)), expected);

        // Pieces: input split at random, output stopped at random places.
        auto c = std::make_unique<CLzwDecoder>(minCodeSize);
        Bytes pieces(capacity + CLzwDecoder::kMaxString + CLzwDecoder::kOutputSlack, 0xEE);
        std::size_t pos = 0;
        const BYTE* p = data.data();
        const BYTE* const end = data.data() + data.size();
        while (!c->Stopped() && pos < capacity) {
            const BYTE* chunkEnd = p + std::min<std::size_t>(std::size_t(end - p), 1 + rnd() % 40);
            const std::size_t stop = std::min(capacity, pos + 1 + rnd() % 50);
            pos = c->Decode(p, chunkEnd, pieces.data(), pos, stop, capacity);
            // With all bytes given, stopping short of stop means the codes ran out.
            if (p == end && pos < stop)
                break;
        }
        std::fill(pieces.begin() + long(pos), pieces.begin() + long(capacity), BYTE(0));
        ASSERT_EQ(Bytes(pieces.begin(), pieces.begin() + long(capacity)), expected);
        EXPECT_EQ(pos, ref.Position());
    }
}

} // namespace
