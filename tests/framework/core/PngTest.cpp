#include "framework/core/CFile.h"
#include "framework/core/Png.h"
#include "support/ExternalTools.h"

#include <gtest/gtest.h>

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QTemporaryDir>

#include <random>
#include <vector>

namespace {

std::string Path(const QTemporaryDir& dir, const char* name)
{
    return dir.filePath(QString::fromUtf8(name)).toStdString();
}

// A bitmap of pseudo-random pixels, transparency included, with a few fully
// transparent pixels whose colour must survive.
PackedBitmapPtr RandomBitmap(int w, int h, unsigned seed, bool withTransparency)
{
    PackedBitmapPtr b = CPackedBitmap::Create(w, h);
    std::mt19937 rng(seed);
    for (std::size_t i = 0; i < b->PixelCount(); ++i) {
        std::uint32_t p = rng() & 0x00FFFFFFu;
        if (withTransparency)
            p |= (i % 7 == 0 ? 255u : (rng() & 0xFFu)) << 24;
        b->Bits()[i] = p;
    }
    return b;
}

// Pixels of an RGBA dump (top-down rows) as 0xTTRRGGBB.
std::vector<std::uint32_t> ReadRgbaDump(const QString& path)
{
    QFile f(path);
    std::vector<std::uint32_t> out;
    if (!f.open(QIODevice::ReadOnly))
        return out;
    const QByteArray b = f.readAll();
    for (qsizetype i = 0; i + 3 < b.size(); i += 4) {
        const auto r = std::uint8_t(b[i]), g = std::uint8_t(b[i + 1]), bl = std::uint8_t(b[i + 2]), a = std::uint8_t(b[i + 3]);
        out.push_back((std::uint32_t(255 - a) << 24) | (std::uint32_t(r) << 16) | (std::uint32_t(g) << 8) | bl);
    }
    return out;
}

std::vector<std::uint32_t> TopDown(const CPackedBitmap& b)
{
    std::vector<std::uint32_t> out;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            out.push_back(b.At(x, y));
    return out;
}

} // namespace

TEST(Png, RoundTripKeepsEveryPixelAndTransparency)
{
    QTemporaryDir dir;
    struct Case { int w, h; bool transparency; } cases[] = {{1, 1, false}, {17, 5, true}, {64, 33, false}, {3, 200, true}};
    unsigned seed = 1;
    for (const Case& c : cases) {
        PackedBitmapPtr src = RandomBitmap(c.w, c.h, seed++, c.transparency);
        const std::string path = Path(dir, "round.png");
        ASSERT_EQ(SavePNG(path.c_str(), *src), 1);
        PackedBitmapPtr back = LoadPNG(path.c_str());
        ASSERT_TRUE(back) << c.w << "x" << c.h;
        EXPECT_EQ(back->Width(), c.w);
        EXPECT_EQ(back->Height(), c.h);
        EXPECT_NE(back->Header().biClrImportant, 0u);
        EXPECT_EQ(TopDown(*back), TopDown(*src)) << c.w << "x" << c.h;
    }
}

TEST(Png, PillowReadsWhatWeWrite)
{
    QTemporaryDir dir;
    PackedBitmapPtr src = RandomBitmap(23, 11, 42, true);
    const std::string png = Path(dir, "ours.png"), dump = Path(dir, "ours.rgba");
    ASSERT_EQ(SavePNG(png.c_str(), *src), 1);
    auto r = testsupport::RunPython(
        "import sys\nfrom PIL import Image\nim = Image.open(sys.argv[1]); im.load()\n"
        "open(sys.argv[2], 'wb').write(im.convert('RGBA').tobytes())\nprint(im.size[0], im.size[1])\n",
        {QString::fromStdString(png), QString::fromStdString(dump)});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.out.trimmed(), QByteArray("23 11"));
    EXPECT_EQ(ReadRgbaDump(QString::fromStdString(dump)), TopDown(*src));
}

// PNG files of every colour type and bit depth, written by Pillow where it can and by a
// minimal encoder in Python for the 16-bit colour types; each with the pixels expected.
static const char* kPngCases = R"PY(
import sys, os, random, struct, zlib
from PIL import Image
out = sys.argv[1]
random.seed(7)
W, H = 13, 7
cases = []
def dump(name, rgba):
    open(os.path.join(out, name + '.rgba'), 'wb').write(bytes(rgba))
    cases.append(name)
def pillow(name, im):
    im.save(os.path.join(out, name + '.png'))
    back = Image.open(os.path.join(out, name + '.png'))
    dump(name, back.convert('RGBA').tobytes())
rgb = Image.new('RGB', (W, H)); rgb.putdata([(random.randrange(256), random.randrange(256), random.randrange(256)) for _ in range(W * H)])
rgba = Image.new('RGBA', (W, H)); rgba.putdata([(random.randrange(256), random.randrange(256), random.randrange(256), random.choice([0, 255, random.randrange(256)])) for _ in range(W * H)])
pillow('rgb8', rgb)
pillow('rgba8', rgba)
pillow('gray8', rgb.convert('L'))
pillow('gray1', rgb.convert('1'))
pillow('graya8', rgba.convert('LA'))
for bits in (1, 2, 4, 8):
    pal = rgb.quantize(colors=2 ** bits)
    pal.save(os.path.join(out, 'pal%d.png' % bits), bits=bits)
    dump('pal%d' % bits, Image.open(os.path.join(out, 'pal%d.png' % bits)).convert('RGBA').tobytes())
p = rgb.quantize(colors=16); p.info['transparency'] = 3
p.save(os.path.join(out, 'paltrns.png'), transparency=3)
dump('paltrns', Image.open(os.path.join(out, 'paltrns.png')).convert('RGBA').tobytes())
g = rgb.convert('L'); g.save(os.path.join(out, 'graytrns.png'), transparency=g.getpixel((0, 0)))
dump('graytrns', Image.open(os.path.join(out, 'graytrns.png')).convert('RGBA').tobytes())
rgb.save(os.path.join(out, 'rgbtrns.png'), transparency=rgb.getpixel((1, 1)))
dump('rgbtrns', Image.open(os.path.join(out, 'rgbtrns.png')).convert('RGBA').tobytes())
# 16-bit grey through Pillow; the expected pixels keep the high byte.
vals = [random.randrange(65536) for _ in range(W * H)]
g16 = Image.new('I;16', (W, H)); g16.putdata(vals); g16.save(os.path.join(out, 'gray16.png'))
assert list(Image.open(os.path.join(out, 'gray16.png')).getdata()) == vals
dump('gray16', [c for v in vals for c in (v >> 8, v >> 8, v >> 8, 255)])
# Low grey depths and 16-bit colour types Pillow does not write: a minimal encoder.
def chunk(t, d):
    return struct.pack('>I', len(d)) + t + d + struct.pack('>I', zlib.crc32(t + d) & 0xffffffff)
def encode(name, ctype, depth, samples, nch):
    raw = b''
    for y in range(H):
        row = samples[y * W * nch:(y + 1) * W * nch]
        if depth == 16:
            data = b''.join(struct.pack('>H', v) for v in row)
        else:
            bitsrow, acc, n = bytearray(), 0, 0
            for v in row:
                acc = (acc << depth) | v; n += depth
                if n == 8: bitsrow.append(acc); acc, n = 0, 0
            if n: bitsrow.append(acc << (8 - n))
            data = bytes(bitsrow) if depth < 8 else bytes(row)
        raw += b'\x00' + data
    png = b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', W, H, depth, ctype, 0, 0, 0)) + chunk(b'IDAT', zlib.compress(raw)) + chunk(b'IEND', b'')
    open(os.path.join(out, name + '.png'), 'wb').write(png)
for depth in (2, 4):
    s = [random.randrange(2 ** depth) for _ in range(W * H)]
    encode('gray%d' % depth, 0, depth, s, 1)
    dump('gray%d' % depth, [c for v in s for c in (v * 255 // (2 ** depth - 1),) * 3 + (255,)])
for name, ctype, nch in (('rgb16', 2, 3), ('rgba16', 6, 4), ('graya16', 4, 2)):
    s = [random.randrange(65536) for _ in range(W * H * nch)]
    encode(name, ctype, 16, s, nch)
    px = []
    for i in range(W * H):
        v = [x >> 8 for x in s[i * nch:(i + 1) * nch]]
        if nch == 2: v = [v[0], v[0], v[0], v[1]]
        if nch == 3: v = v + [255]
        px += v
    dump(name, px)
open(os.path.join(out, 'cases.txt'), 'w').write('\n'.join(cases + ['gray2', 'gray4', 'rgb16', 'rgba16', 'graya16']))
)PY";

TEST(Png, ReadsEveryColourTypeAndDepth)
{
    QTemporaryDir dir;
    auto r = testsupport::RunPython(kPngCases, {dir.path()});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    QFile list(dir.filePath("cases.txt"));
    ASSERT_TRUE(list.open(QIODevice::ReadOnly));
    const QList<QByteArray> names = list.readAll().split('\n');
    ASSERT_GE(names.size(), 17);
    for (const QByteArray& name : names) {
        const std::string png = dir.filePath(QString::fromUtf8(name) + ".png").toStdString();
        PackedBitmapPtr b = LoadPNG(png.c_str());
        ASSERT_TRUE(b) << name.constData();
        EXPECT_EQ(b->Width(), 13) << name.constData();
        EXPECT_EQ(b->Height(), 7) << name.constData();
        EXPECT_EQ(TopDown(*b), ReadRgbaDump(dir.filePath(QString::fromUtf8(name) + ".rgba"))) << name.constData();
    }
}

TEST(Png, DamagedFilesGiveNoPicture)
{
    QTemporaryDir dir;
    PackedBitmapPtr src = RandomBitmap(40, 30, 3, true);
    std::vector<BYTE> good;
    ASSERT_TRUE(SavePNGData(*src, good));
    ASSERT_TRUE(LoadPNGData(good.data(), good.size()));

    // Cut at several places: inside the signature, the header, the data, before the end.
    for (std::size_t cut : {std::size_t(0), std::size_t(5), std::size_t(20), std::size_t(40), good.size() / 2, good.size() - 13})
        EXPECT_FALSE(LoadPNGData(good.data(), cut)) << "cut at " << cut;

    // Flipped bytes in the header and in the compressed data break their checksums.
    for (std::size_t at : {std::size_t(17), std::size_t(24), good.size() / 2}) {
        std::vector<BYTE> bad = good;
        bad[at] ^= 0x5A;
        EXPECT_FALSE(LoadPNGData(bad.data(), bad.size())) << "flipped at " << at;
    }

    EXPECT_FALSE(LoadPNG(Path(dir, "missing.png").c_str()));
    EXPECT_FALSE(LoadPNG(nullptr));
}

TEST(Png, HugeDeclaredSizeIsRefused)
{
    // A valid header declaring 20000 x 10 pixels: beyond the side limit, so no picture.
    auto r = testsupport::RunPython(
        "import struct, zlib, sys\n"
        "def chunk(t, d): return struct.pack('>I', len(d)) + t + d + struct.pack('>I', zlib.crc32(t + d) & 0xffffffff)\n"
        "w, h = 20000, 10\n"
        "raw = b''.join(b'\\x00' + b'\\x00' * (w * 3) for _ in range(h))\n"
        "sys.stdout.buffer.write(b'\\x89PNG\\r\\n\\x1a\\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 8, 2, 0, 0, 0)) + chunk(b'IDAT', zlib.compress(raw)) + chunk(b'IEND', b''))\n");
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_FALSE(LoadPNGData(reinterpret_cast<const BYTE*>(r.out.constData()), std::size_t(r.out.size())));
}

TEST(Png, FailedSaveLeavesNoFileAndKeepsTheOldOne)
{
    QTemporaryDir dir;
    PackedBitmapPtr src = RandomBitmap(5, 5, 9, false);
    // A folder that does not exist: nothing is written.
    const std::string nowhere = Path(dir, "no/such/folder/x.png");
    EXPECT_EQ(SavePNG(nowhere.c_str(), *src), 0);
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(nowhere)));

    // A target that is a folder cannot be replaced: it stays a folder.
    const std::string folder = Path(dir, "sub");
    ASSERT_TRUE(QDir(dir.path()).mkdir("sub"));
    EXPECT_EQ(SavePNG(folder.c_str(), *src), 0);
    EXPECT_TRUE(QFileInfo(QString::fromStdString(folder)).isDir());

    // After a good save the folder holds the picture and nothing else (no temporary left).
    const std::string target = Path(dir, "keep.png");
    ASSERT_EQ(SavePNG(target.c_str(), *src), 1);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"keep.png"});
    EXPECT_EQ(SavePNG("", *src), 0);
}

TEST(PixelBuffer, SmallAndMappedBlocksAreZeroedAndWritable)
{
    // Below and above the size from which blocks are mapped on their own.
    for (std::size_t count : {std::size_t(1), std::size_t(1000), std::size_t(1) << 20, (std::size_t(3) << 20) + 7}) {
        tessel::PixelBuffer b = tessel::AllocatePixels(count);
        ASSERT_TRUE(b) << count;
        EXPECT_EQ(b[0], 0u);
        EXPECT_EQ(b[count / 2], 0u);
        EXPECT_EQ(b[count - 1], 0u);
        b[count - 1] = 0xDEADBEEFu;
        EXPECT_EQ(b[count - 1], 0xDEADBEEFu);
    }
    EXPECT_FALSE(tessel::AllocatePixels(std::size_t(-1) / 2));
    // A bitmap of 12 megapixels, as a camera picture.
    PackedBitmapPtr big = CPackedBitmap::Create(4000, 3000);
    ASSERT_TRUE(big);
    EXPECT_EQ(big->At(3999, 0), 0u);
    EXPECT_EQ(big->Header().biClrImportant, 0xFFFFFFFFu);
}
