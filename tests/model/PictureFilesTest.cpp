#include "framework/core/CFile.h"
#include "framework/core/MessageBox.h"
#include "model/Dib.h"
#include "model/PictureFiles.h"
#include "support/ExternalTools.h"

#include <gtest/gtest.h>

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QTemporaryDir>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

struct Message {
    CString text, caption;
    unsigned type;
};

// Records every message box shown while it lives.
class MessageRecorder {
public:
    MessageRecorder()
    {
        m_old = SetMessageBoxHandler([this](const CString& text, const CString& caption, unsigned type) {
            messages.push_back({text, caption, type});
            return IDOK;
        });
    }
    ~MessageRecorder() { SetMessageBoxHandler(m_old); }
    std::vector<Message> messages;

private:
    MessageBoxHandler m_old;
};

std::string Path(const QTemporaryDir& dir, const QString& name)
{
    return dir.filePath(name).toStdString();
}

// A smooth picture (JPEG keeps it well) with a marked transparent corner.
PackedBitmapPtr Gradient(int w, int h)
{
    PackedBitmapPtr b = CPackedBitmap::Create(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b->At(x, y) = (std::uint32_t(x * 255 / (w - 1)) << 16) | (std::uint32_t(y * 255 / (h - 1)) << 8) | 0x60u;
    return b;
}

// An RGBA dump (top-down) as 0xTTRRGGBB.
std::vector<std::uint32_t> ReadRgbaDump(const QString& path)
{
    QFile f(path);
    std::vector<std::uint32_t> out;
    if (!f.open(QIODevice::ReadOnly))
        return out;
    const QByteArray b = f.readAll();
    for (qsizetype i = 0; i + 3 < b.size(); i += 4)
        out.push_back((std::uint32_t(255 - std::uint8_t(b[i + 3])) << 24) | (std::uint32_t(std::uint8_t(b[i])) << 16)
            | (std::uint32_t(std::uint8_t(b[i + 1])) << 8) | std::uint8_t(b[i + 2]));
    return out;
}

std::vector<std::uint32_t> TopDown(const CDib& d)
{
    std::vector<std::uint32_t> out;
    for (int y = 0; y < d.GetHeight(); ++y)
        for (int x = 0; x < d.GetWidth(); ++x)
            out.push_back(d.GetPixelChecked(x, y));
    return out;
}

// Largest difference of any byte between two pixel lists of the same length.
int MaxDifference(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b)
{
    int worst = a.size() == b.size() ? 0 : 1000;
    for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i)
        for (int s = 0; s < 32; s += 8)
            worst = std::max(worst, std::abs(int((a[i] >> s) & 0xFF) - int((b[i] >> s) & 0xFF)));
    return worst;
}

const char* kDecodeWithPillow =
    "import sys\nfrom PIL import Image\n"
    "im = Image.open(sys.argv[1]); im.load()\n"
    "if im.mode == 'CMYK':\n"
    "    # the plain ink model: each channel is (255 - ink) x (255 - black) / 255\n"
    "    px = [((255 - c) * (255 - k) // 255, (255 - m) * (255 - k) // 255, (255 - y) * (255 - k) // 255, 255) for c, m, y, k in im.getdata()]\n"
    "    data = bytes(v for p in px for v in p)\n"
    "else:\n"
    "    data = im.convert('RGBA').tobytes()\n"
    "open(sys.argv[2], 'wb').write(data)\nprint(im.size[0], im.size[1], im.mode)\n";

} // namespace

TEST(Jpeg, RoundTripWithinError)
{
    QTemporaryDir dir;
    PackedBitmapPtr src = Gradient(64, 48);
    for (int y = 0; y < 16; ++y) // a transparent green block: written as green
        for (int x = 0; x < 16; ++x)
            src->At(x, y) = 0xFF00FF00u;
    const std::string path = Path(dir, "round.jpg");
    ASSERT_EQ(WriteJpegFile(path.c_str(), *src, 9), 1);
    PackedBitmapPtr back = ReadJpegFile(path.c_str());
    ASSERT_TRUE(back);
    ASSERT_EQ(back->Width(), 64);
    ASSERT_EQ(back->Height(), 48);
    double total = 0;
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x) {
            const std::uint32_t a = src->At(x, y), b = back->At(x, y);
            EXPECT_EQ(b >> 24, 0u); // every pixel opaque
            for (int s = 0; s < 24; s += 8)
                total += std::abs(int((a >> s) & 0xFF) - int((b >> s) & 0xFF));
        }
    EXPECT_LT(total / (64 * 48 * 3), 3.0); // mean error per channel at quality 90
    const std::uint32_t corner = back->At(4, 4);
    EXPECT_GT((corner >> 8) & 0xFF, 150u);
    EXPECT_LT((corner >> 16) & 0xFF, 100u);

    // Encoding into memory gives the bytes of the file.
    std::vector<BYTE> inMemory, onDisk;
    ASSERT_TRUE(WriteJpegData(*src, 9, inMemory));
    ASSERT_TRUE(CFile::ReadAll(path.c_str(), onDisk));
    EXPECT_EQ(inMemory, onDisk);

    // A lower quality step gives a smaller file.
    const std::string low = Path(dir, "low.jpg");
    ASSERT_EQ(WriteJpegFile(low.c_str(), *src, 2), 1);
    EXPECT_LT(QFileInfo(QString::fromStdString(low)).size(), QFileInfo(QString::fromStdString(path)).size());
}

TEST(Jpeg, PillowDecodesOursAsWeDo)
{
    QTemporaryDir dir;
    PackedBitmapPtr src = Gradient(33, 17);
    const std::string path = Path(dir, "ours.jpg"), dump = Path(dir, "ours.rgba");
    ASSERT_EQ(WriteJpegFile(path.c_str(), *src, 8), 1);
    auto r = testsupport::RunPython(kDecodeWithPillow, {QString::fromStdString(path), QString::fromStdString(dump)});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.out.trimmed(), QByteArray("33 17 RGB"));
    CDib ours;
    PackedBitmapPtr back = ReadJpegFile(path.c_str());
    ASSERT_TRUE(back);
    ASSERT_TRUE(ours.CreateFromGlobal(*back));
    EXPECT_LE(MaxDifference(TopDown(ours), ReadRgbaDump(QString::fromStdString(dump))), 1);
}

TEST(Jpeg, ReadsWhatPillowWrites)
{
    QTemporaryDir dir;
    auto made = testsupport::RunPython(
        "import sys, os, random\nfrom PIL import Image\nout = sys.argv[1]\nrandom.seed(3)\n"
        "im = Image.new('RGB', (37, 23))\n"
        "im.putdata([((x * 7) % 256, (y * 11) % 256, random.randrange(256)) for y in range(23) for x in range(37)])\n"
        "im.save(os.path.join(out, 'baseline.jpg'), quality=85)\n"
        "im.save(os.path.join(out, 'progressive.jpg'), quality=85, progressive=True)\n"
        "im.save(os.path.join(out, 'subsampled.jpg'), quality=70, subsampling=2)\n"
        "im.convert('L').save(os.path.join(out, 'gray.jpg'))\n"
        "im.convert('CMYK').save(os.path.join(out, 'cmyk.jpg'))\n",
        {dir.path()});
    ASSERT_EQ(made.exitCode, 0) << made.err.constData();
    for (const char* name : {"baseline", "progressive", "subsampled", "gray", "cmyk"}) {
        const QString jpg = dir.filePath(QString::fromUtf8(name) + ".jpg"), dump = dir.filePath(QString::fromUtf8(name) + ".rgba");
        auto r = testsupport::RunPython(kDecodeWithPillow, {jpg, dump});
        ASSERT_EQ(r.exitCode, 0) << r.err.constData();
        PackedBitmapPtr back = ReadJpegFile(jpg.toUtf8().constData());
        ASSERT_TRUE(back) << name;
        CDib ours;
        ASSERT_TRUE(ours.CreateFromGlobal(*back));
        EXPECT_EQ(ours.GetWidth(), 37);
        EXPECT_EQ(ours.GetHeight(), 23);
        EXPECT_LE(MaxDifference(TopDown(ours), ReadRgbaDump(dump)), 1) << name;
    }
}

TEST(Jpeg, MissingAndDamagedFiles)
{
    QTemporaryDir dir;
    MessageRecorder rec;
    EXPECT_FALSE(ReadJpegFile(Path(dir, "missing.jpg").c_str()));
    EXPECT_TRUE(rec.messages.empty());

    PackedBitmapPtr src = Gradient(200, 160);
    const std::string good = Path(dir, "good.jpg");
    ASSERT_EQ(WriteJpegFile(good.c_str(), *src, 8), 1);
    std::vector<BYTE> bytes;
    ASSERT_TRUE(CFile::ReadAll(good.c_str(), bytes));

    // Not a JPEG at all, or cut inside its header: one message, no picture.
    struct Case { const char* name; std::vector<BYTE> data; } cases[] = {
        {"text", {'h', 'e', 'l', 'l', 'o'}},
        {"empty", {}},
        {"header cut", std::vector<BYTE>(bytes.begin(), bytes.begin() + 100)},
        {"bad marker", bytes},
    };
    cases[3].data[1] = 0x00; // no start-of-image marker
    for (const Case& c : cases) {
        rec.messages.clear();
        EXPECT_FALSE(ReadJpegData(c.data.data(), c.data.size())) << c.name;
        ASSERT_EQ(rec.messages.size(), 1u) << c.name;
        EXPECT_EQ(rec.messages[0].text, "Error reading JPEG file");
        EXPECT_EQ(rec.messages[0].caption, "Error");
        EXPECT_EQ(rec.messages[0].type, unsigned(MB_ICONHAND));
    }
    // Cut in the middle of the scan: the decoder fills the rest and gives the picture.
    rec.messages.clear();
    PackedBitmapPtr partial = ReadJpegData(bytes.data(), bytes.size() / 2);
    ASSERT_TRUE(partial);
    EXPECT_EQ(partial->Width(), 200);
    EXPECT_EQ(partial->Height(), 160);
    EXPECT_TRUE(rec.messages.empty());
}

TEST(Jpeg, FailedWriteLeavesNothing)
{
    QTemporaryDir dir;
    MessageRecorder rec;
    PackedBitmapPtr src = Gradient(8, 8);
    const std::string nowhere = Path(dir, "none/x.jpg");
    EXPECT_EQ(WriteJpegFile(nowhere.c_str(), *src, 8), 0);
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(nowhere)));
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
    EXPECT_EQ(WriteJpegFile(Path(dir, "folder").c_str(), *src, 8), 0);
    EXPECT_TRUE(QFileInfo(dir.filePath("folder")).isDir());
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

// BMP files of each bit count: Pillow writes the kinds it can, a few lines of Python
// the others (4 and 16 bits, bit fields, top-down, pixels at an offset); Pillow decodes
// every one for the expected pixels.
static const char* kBmpCases = R"PY(
import sys, os, random, struct
from PIL import Image
out = sys.argv[1]
random.seed(5)
W, H = 11, 6
names = []
def decode(name):
    im = Image.open(os.path.join(out, name + '.bmp')); im.load()
    open(os.path.join(out, name + '.rgba'), 'wb').write(im.convert('RGB').convert('RGBA').tobytes())
    names.append(name)
rgb = Image.new('RGB', (W, H)); rgb.putdata([(random.randrange(256), random.randrange(256), random.randrange(256)) for _ in range(W * H)])
for name, im in (('bpp1', rgb.convert('1')), ('bpp8gray', rgb.convert('L')), ('bpp8pal', rgb.quantize(colors=200)), ('bpp24', rgb), ('bpp32', rgb.convert('RGBA'))):
    im.save(os.path.join(out, name + '.bmp')); decode(name)
def write(name, bits, rows, table=b'', compression=0, masks=b'', topdown=False, gap=0, clrused=0):
    stride = ((W * bits + 31) // 32) * 4
    data = b''.join(r + b'\x00' * (stride - len(r)) for r in rows)
    off = 14 + 40 + len(masks) + len(table) + gap
    info = struct.pack('<IiiHHIIiiII', 40, W, -H if topdown else H, 1, bits, compression, len(data), 2835, 2835, clrused, 0)
    hdr = struct.pack('<2sIHHI', b'BM', off + len(data), 0, 0, off)
    open(os.path.join(out, name + '.bmp'), 'wb').write(hdr + info + masks + table + b'\xAA' * gap + data)
    decode(name)
table16 = b''.join(struct.pack('<BBBB', random.randrange(256), random.randrange(256), random.randrange(256), 0) for _ in range(16))
idx = [[random.randrange(16) for _ in range(W)] for _ in range(H)]
def pack4(r):
    r = r + [0]
    return bytes((r[i] << 4) | r[i + 1] for i in range(0, W, 2))
write('bpp4', 4, [pack4(r) for r in idx], table16)
write('bpp4used', 4, [pack4([v % 5 for v in r]) for r in idx], table16[:20], clrused=5)
v555 = [[random.randrange(32768) for _ in range(W)] for _ in range(H)]
write('bpp16', 16, [b''.join(struct.pack('<H', v) for v in r) for r in v555])
v565 = [[random.randrange(65536) for _ in range(W)] for _ in range(H)]
write('bpp16fields', 16, [b''.join(struct.pack('<H', v) for v in r) for r in v565], compression=3, masks=struct.pack('<III', 0xF800, 0x07E0, 0x001F))
rows24 = [bytes(random.randrange(256) for _ in range(W * 3)) for _ in range(H)]
write('bpp24topdown', 24, rows24, topdown=True)
write('bpp24gap', 24, rows24, gap=6)
rows32 = [bytes(random.randrange(256) for _ in range(W * 4)) for _ in range(H)]
write('bpp32fields', 32, rows32, compression=3, masks=struct.pack('<III', 0xFF0000, 0xFF00, 0xFF))
open(os.path.join(out, 'cases.txt'), 'w').write('\n'.join(names))
)PY";

TEST(Bmp, ReadsWhatPillowReads)
{
    QTemporaryDir dir;
    MessageRecorder rec;
    auto r = testsupport::RunPython(kBmpCases, {dir.path()});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    QFile list(dir.filePath("cases.txt"));
    ASSERT_TRUE(list.open(QIODevice::ReadOnly));
    const QList<QByteArray> names = list.readAll().split('\n');
    ASSERT_EQ(names.size(), 12);
    for (const QByteArray& name : names) {
        const std::string path = dir.filePath(QString::fromUtf8(name) + ".bmp").toStdString();
        CDataBlock block = LoadBmpFile(path.c_str());
        ASSERT_FALSE(block.IsEmpty()) << name.constData();
        CDib d;
        ASSERT_TRUE(d.CreateFromGlobal(block)) << name.constData();
        EXPECT_EQ(d.GetWidth(), 11);
        EXPECT_EQ(d.GetHeight(), 6);
        const std::vector<std::uint32_t> expect = ReadRgbaDump(dir.filePath(QString::fromUtf8(name) + ".rgba"));
        // 16-bit channels are scaled by x * 255 / max, Pillow by shifting: one step apart at most.
        const int tolerance = name.startsWith("bpp16") ? 1 : 0;
        EXPECT_LE(MaxDifference(TopDown(d), expect), tolerance) << name.constData();
    }
    EXPECT_TRUE(rec.messages.empty());
}

TEST(Bmp, RefusedFilesAndTheirMessages)
{
    QTemporaryDir dir;
    // A good 24-bit file of 3 x 2 to damage.
    auto make = [](int headerSize, DWORD compression, int bits = 24) {
        std::vector<BYTE> f(14 + 40 + 24, 0x7F);
        const BYTE fileHeader[14] = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0};
        std::memcpy(f.data(), fileHeader, 14);
        BITMAPINFOHEADER h;
        h.biSize = DWORD(headerSize);
        h.biWidth = 3;
        h.biHeight = 2;
        h.biBitCount = WORD(bits);
        h.biCompression = compression;
        std::memcpy(f.data() + 14, &h, 40);
        return f;
    };
    const char* notBitmap = "File is NOT Bitmap file";
    const char* notWindows = "File is not Windows Bitmap. Save BMP file in Windows bitmap format and try again.";
    const char* rle = "File is RLE compressed what is not supported. Save BMP file without RLE compression and try again.";
    struct Case { const char* name; std::vector<BYTE> data; const char* text; const char* caption; } cases[] = {
        {"not BM", {'P', 'K', 3, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, notBitmap, "Error loading BMP file"},
        {"too short", {'B', 'M', 1}, notBitmap, "Error loading BMP file"},
        {"OS/2 header", make(12, 0), notWindows, "Error loading BMP file"},
        {"V5 header", make(124, 0), notWindows, "Error loading BMP file"},
        {"RLE8", make(40, 1, 8), rle, "RLE compression not supported"},
        {"RLE4", make(40, 2, 4), rle, "RLE compression not supported"},
        {"pixels cut", make(40, 0), notBitmap, "Error loading BMP file"},
        {"header cut", make(40, 0), notBitmap, "Error loading BMP file"},
    };
    cases[7].data.resize(30);
    cases[6].data.resize(cases[6].data.size() - 3);
    for (const Case& c : cases) {
        MessageRecorder rec;
        EXPECT_TRUE(LoadBmpData(c.data.data(), c.data.size()).IsEmpty()) << c.name;
        ASSERT_EQ(rec.messages.size(), 1u) << c.name;
        EXPECT_EQ(rec.messages[0].text, c.text) << c.name;
        EXPECT_EQ(rec.messages[0].caption, c.caption) << c.name;
    }
    // The whole good file reads; a size field that lies does not matter.
    std::vector<BYTE> good = make(40, 0);
    good[2] = 0xFF;
    good[3] = 0xFF;
    MessageRecorder rec;
    CDataBlock block = LoadBmpData(good.data(), good.size());
    ASSERT_FALSE(block.IsEmpty());
    CDib d;
    ASSERT_TRUE(d.CreateFromGlobal(block));
    EXPECT_EQ(d.GetPixelChecked(2, 1), 0x007F7F7Fu);
    // A missing file: nothing, without a message.
    EXPECT_TRUE(LoadBmpFile(Path(dir, "missing.bmp").c_str()).IsEmpty());
    EXPECT_TRUE(rec.messages.empty());
}
