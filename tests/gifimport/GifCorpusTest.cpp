// GIFs written by Pillow and by giflib's encoder, decoded by ours and by giflib: every
// frame's pixels, position, timing and disposal, and the screen, must agree exactly.
#include "GifTestSupport.h"
#include "gifimport/LoadGifImage.h"
#include "gifimport/pelgra/pelgra.h"
#include "support/ExternalTools.h"

#include <QtCore/QDir>
#include <gif_lib.h>
#include <gtest/gtest.h>
#include <memory>
#include <set>

using namespace giftest;

namespace {

// Writes the Pillow files; prints "name loop-count" per file (1 when it has no loop extension).
const char* const kPillowScript = R"PY(
import sys, random
from PIL import Image
out = sys.argv[1]
rnd = random.Random(1234)

def palette(n, seed):
    r = random.Random(seed)
    return [r.randrange(256) for _ in range(3 * n)]

def picture(w, h, n, seed, smooth=False):
    r = random.Random(seed)
    im = Image.new('P', (w, h))
    im.putpalette(palette(n, seed))
    if smooth:
        data = [((x * 3 + y * 2) // 7 + r.randrange(3)) % n for y in range(h) for x in range(w)]
    else:
        data = [r.randrange(n) for _ in range(w * h)]
    im.putdata(data)
    return im

def emit(name, loop=1):
    print(name, loop)

for bits in range(1, 9):
    n = 1 << bits
    picture(37, 23, n, bits).save(f'{out}/bits{bits}.gif', optimize=False, interlace=False)
    emit(f'bits{bits}.gif')
for h in (16, 17, 23, 40, 99):
    picture(31, h, 64, h, smooth=True).save(f'{out}/interlaced{h}.gif', optimize=False, interlace=True)
    emit(f'interlaced{h}.gif')
picture(50, 40, 16, 3).save(f'{out}/transparent.gif', optimize=False, transparency=5)
emit('transparent.gif')
picture(320, 240, 256, 9).save(f'{out}/noise.gif', optimize=False, interlace=False)
emit('noise.gif')
picture(400, 300, 256, 10, smooth=True).save(f'{out}/smooth.gif', optimize=False)
emit('smooth.gif')
photo = Image.radial_gradient('L').resize((300, 200)).convert('RGB')
photo = Image.merge('RGB', (photo.split()[0], Image.linear_gradient('L').resize((300, 200)), Image.effect_noise((300, 200), 40)))
photo.quantize(200).save(f'{out}/photo.gif')
emit('photo.gif')

# Animations: every disposal, differing palettes (local tables), moving content (frames
# cropped to what changed), transparency and several loop settings.
def frames(count, w, h, seed, n=32):
    fs = []
    for i in range(count):
        im = picture(w, h, n, seed)
        px = im.load()
        for y in range(h // 4, h // 2):
            for x in range(i * 3, i * 3 + w // 3):
                if x < w:
                    px[x, y] = (i * 5 + x + y) % n
        fs.append(im)
    return fs

fs = frames(4, 60, 40, 21)
fs[0].save(f'{out}/disposals.gif', save_all=True, append_images=fs[1:], duration=[40, 70, 100, 130], disposal=[0, 1, 2, 3], loop=0, optimize=False)
emit('disposals.gif', 0)
fs = [picture(45, 35, 64, 100 + i, smooth=True) for i in range(5)]
fs[0].save(f'{out}/local_tables.gif', save_all=True, append_images=fs[1:], duration=50, loop=5, optimize=False, interlace=True)
emit('local_tables.gif', 5)
fs = frames(6, 48, 48, 33, 16)
fs[0].save(f'{out}/transparent_anim.gif', save_all=True, append_images=fs[1:], duration=90, transparency=2, disposal=2, optimize=False)
emit('transparent_anim.gif')
)PY";

struct CorpusFile {
    std::string name;
    std::uint32_t loop;
};

// Files written with giflib's encoder: code sizes 2 to 8 from colour maps of 2 to 256
// entries, one or two images.
void WriteGiflibFile(const std::string& path, int bits, int width, int height, int frames)
{
    int error = 0;
    GifFileType* g = EGifOpenFileName(path.c_str(), false, &error);
    ASSERT_NE(g, nullptr);
    const int n = 1 << bits;
    std::vector<GifColorType> colours(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        colours[std::size_t(i)] = GifColorType{GifByteType(i * 13), GifByteType(255 - i), GifByteType(i * 71)};
    ColorMapObject* map = GifMakeMapObject(n, colours.data());
    EGifSetGifVersion(g, true);
    ASSERT_EQ(EGifPutScreenDesc(g, width, height, bits, 0, map), GIF_OK);
    for (int f = 0; f < frames; ++f) {
        GraphicsControlBlock gcb{};
        gcb.DisposalMode = f + 1;
        gcb.DelayTime = 10 * (f + 1);
        gcb.TransparentColor = f == 1 ? 1 : NO_TRANSPARENT_COLOR;
        GifByteType ext[4];
        const std::size_t len = EGifGCBToExtension(&gcb, ext);
        ASSERT_EQ(EGifPutExtension(g, GRAPHICS_EXT_FUNC_CODE, int(len), ext), GIF_OK);
        ASSERT_EQ(EGifPutImageDesc(g, f, f, width - f, height - f, false, nullptr), GIF_OK);
        std::vector<GifPixelType> line(static_cast<std::size_t>(width));
        for (int y = 0; y < height - f; ++y) {
            for (int x = 0; x < width - f; ++x)
                line[std::size_t(x)] = GifPixelType(((x / 3) * (y + 1) + f + (x * y) % 7) % n);
            ASSERT_EQ(EGifPutLine(g, line.data(), width - f), GIF_OK);
        }
    }
    ASSERT_EQ(EGifCloseFile(g, &error), GIF_OK);
    GifFreeMapObject(map);
}

class GifCorpus : public ::testing::TestWithParam<CorpusFile> {
public:
    static QTemporaryDir& Dir()
    {
        static QTemporaryDir dir;
        return dir;
    }
};

// The files of the corpus with the loop count each must show: Pillow's (as its script
// names them) and then giflib's own. Written out, so that the cases are known without
// making the files: only a case that reads them pays for Python and Pillow.
const std::vector<CorpusFile>& CorpusList()
{
    static const std::vector<CorpusFile> list = [] {
        std::vector<CorpusFile> l = {
            {"bits1.gif", 1}, {"bits2.gif", 1}, {"bits3.gif", 1}, {"bits4.gif", 1}, {"bits5.gif", 1},
            {"bits6.gif", 1}, {"bits7.gif", 1}, {"bits8.gif", 1}, {"interlaced16.gif", 1}, {"interlaced17.gif", 1},
            {"interlaced23.gif", 1}, {"interlaced40.gif", 1}, {"interlaced99.gif", 1}, {"transparent.gif", 1},
            {"noise.gif", 1}, {"smooth.gif", 1}, {"photo.gif", 1}, {"disposals.gif", 0}, {"local_tables.gif", 5},
            {"transparent_anim.gif", 1},
        };
        for (int bits = 1; bits <= 8; ++bits)
            for (int frames : {1, 2})
                l.push_back({"giflib" + std::to_string(bits) + "_" + std::to_string(frames) + ".gif", 1});
        return l;
    }();
    return list;
}

// Makes the files (once per process) and checks the script made the ones listed.
void MakeCorpus()
{
    const testsupport::ProcessResult r = testsupport::RunPython(kPillowScript, {GifCorpus::Dir().path()});
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    std::vector<std::string> made;
    for (const QByteArray& line : r.out.split('\n')) {
        const QList<QByteArray> parts = line.trimmed().split(' ');
        if (parts.size() == 2)
            made.push_back(parts[0].toStdString() + " " + parts[1].toStdString());
    }
    std::vector<std::string> listed;
    for (const CorpusFile& f : CorpusList())
        if (f.name.rfind("giflib", 0) != 0)
            listed.push_back(f.name + " " + std::to_string(f.loop));
    EXPECT_EQ(made, listed);
    for (int bits = 1; bits <= 8; ++bits)
        for (int frames : {1, 2}) {
            const std::string name = "giflib" + std::to_string(bits) + "_" + std::to_string(frames) + ".gif";
            WriteGiflibFile(GifCorpus::Dir().filePath(QString::fromStdString(name)).toStdString(), bits, 97, 61, frames);
        }
}

const std::vector<CorpusFile>& Corpus()
{
    static const bool made = (MakeCorpus(), true);
    (void)made;
    return CorpusList();
}

TEST_P(GifCorpus, MatchesGiflib)
{
    Corpus();
    const std::string path = Dir().filePath(QString::fromStdString(GetParam().name)).toStdString();
    const RefGif ref = GiflibDecode(path);
    ASSERT_TRUE(ref.ok) << "giflib could not read " << path;
    ASSERT_FALSE(ref.frames.empty());

    // The designer's entry: the first image.
    MessageRecorder rec;
    PackedBitmapPtr first = LoadGifImage(path.c_str());
    ASSERT_TRUE(first);
    EXPECT_EQ(first->Width(), ref.frames[0].width);
    EXPECT_EQ(first->Height(), ref.frames[0].height);
    EXPECT_TRUE(std::equal(first->Bits(), first->Bits() + first->PixelCount(), ref.frames[0].pixels.begin(),
                           ref.frames[0].pixels.end()));
    EXPECT_TRUE(rec.messages.empty());

    // The library: the whole animation.
    GifAnimation* a = GIFLoadAnimation(path.c_str());
    ASSERT_NE(a, nullptr);
    std::unique_ptr<GifAnimation, void (*)(GifAnimation*)> guard(a, [](GifAnimation* p) {
        for (std::uint32_t i = 0; i < p->frameCount; ++i)
            GIFFree(GifAnimationFrameAt(p, i)->bitmap);
        GIFFree(p);
    });
    EXPECT_EQ(int(a->width), ref.width);
    EXPECT_EQ(int(a->height), ref.height);
    EXPECT_EQ(a->loopCount, GetParam().loop);
    EXPECT_EQ(a->background, ref.background);
    ASSERT_EQ(a->frameCount, ref.frames.size());
    for (std::uint32_t i = 0; i < a->frameCount; ++i) {
        SCOPED_TRACE(::testing::Message() << "frame " << i);
        const GifAnimationFrame* f = GifAnimationFrameAt(a, i);
        const RefFrame& r = ref.frames[i];
        EXPECT_EQ(int(f->left), r.left);
        EXPECT_EQ(int(f->top), r.top);
        EXPECT_EQ(int(f->delay), r.delay);
        EXPECT_EQ(int(f->disposal), r.disposal);
        ASSERT_NE(f->bitmap, nullptr);
        ASSERT_EQ(f->bitmap->width, r.width);
        ASSERT_EQ(f->bitmap->height, r.height);
        const std::uint32_t* px = GifBitmapPixels(f->bitmap);
        std::size_t differ = 0;
        for (std::size_t k = 0; k < r.pixels.size(); ++k)
            differ += px[k] != r.pixels[k];
        EXPECT_EQ(differ, 0u) << "of " << r.pixels.size() << " pixels";
    }
}

INSTANTIATE_TEST_SUITE_P(Files, GifCorpus, ::testing::ValuesIn(CorpusList()), [](const ::testing::TestParamInfo<CorpusFile>& i) {
    std::string n = i.param.name.substr(0, i.param.name.size() - 4);
    return n;
});

// The corpus really has what it is meant to cover.
TEST(GifCorpusCoverage, HasInterlacedTransparentLocalTablesAndDisposals)
{
    bool interlaced = false, transparent = false, local = false;
    std::set<int> disposals;
    for (const CorpusFile& f : Corpus()) {
        const std::string path = GifCorpus::Dir().filePath(QString::fromStdString(f.name)).toStdString();
        int error = 0;
        GifFileType* g = DGifOpenFileName(path.c_str(), &error);
        ASSERT_NE(g, nullptr);
        ASSERT_EQ(DGifSlurp(g), GIF_OK);
        for (int i = 0; i < g->ImageCount; ++i) {
            interlaced |= g->SavedImages[i].ImageDesc.Interlace;
            local |= g->SavedImages[i].ImageDesc.ColorMap != nullptr;
            GraphicsControlBlock gcb;
            if (DGifSavedExtensionToGCB(g, i, &gcb) == GIF_OK) {
                transparent |= gcb.TransparentColor != NO_TRANSPARENT_COLOR;
                disposals.insert(gcb.DisposalMode);
            }
        }
        DGifCloseFile(g, &error);
    }
    EXPECT_TRUE(interlaced);
    EXPECT_TRUE(transparent);
    EXPECT_TRUE(local);
    EXPECT_EQ(disposals, (std::set<int>{0, 1, 2, 3}));
}

} // namespace
