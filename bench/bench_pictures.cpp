// Picture throughput on a 12-megapixel photo-like picture (4000 x 3000), each beside
// Pillow doing the same work with the same settings in the same run: JPEG encode at
// quality 80 (in memory and to a file) and decode, PNG encode at compression level 3 (our
// level; Pillow has no setting for our Sub/Up filter choice and tries every filter),
// resampling to half size. One Pillow process stays up and takes one operation at a time,
// alternated with ours; both sides time the CPU time of their working thread, once per
// operation, and report medians. "x_pillow" = Pillow's time / ours (above 1: ours faster).
#include "Alternate.h"
#include "framework/core/Png.h"
#include "model/Dib.h"
#include "model/PictureFiles.h"

#include <benchmark/benchmark.h>

#include <QtCore/QFile>
#include <QtCore/QProcess>
#include <QtCore/QTemporaryDir>

#include <ctime>
#include <functional>
#include <cstdio>
#include <vector>

namespace {

constexpr int kW = 4000, kH = 3000;
constexpr double kMegapixels = kW * double(kH) / 1e6;

// A photo-like picture: smooth ramps, texture and a little noise.
const CPackedBitmap& Picture()
{
    static PackedBitmapPtr p = [] {
        PackedBitmapPtr b = CPackedBitmap::Create(kW, kH);
        std::uint32_t seed = 12345;
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x) {
                seed = seed * 1664525u + 1013904223u;
                const std::uint32_t n = (seed >> 28) & 7u;
                const std::uint32_t r = std::uint32_t(x * 200 / kW) + n;
                const std::uint32_t g = std::uint32_t(y * 200 / kH) + n;
                const std::uint32_t bl = (std::uint32_t((x / 7) ^ (y / 5)) & 0x3Fu) + 100u + n;
                b->At(x, y) = (r << 16) | (g << 8) | bl;
            }
        return b;
    }();
    return *p;
}

QTemporaryDir& Dir()
{
    static QTemporaryDir d;
    return d;
}

std::string JpegPath()
{
    static std::string path = [] {
        std::string p = Dir().filePath("picture.jpg").toStdString();
        WriteJpegFile(p.c_str(), Picture(), 8);
        return p;
    }();
    return path;
}

// A Pillow process that times one operation per line it reads ("op"), answering with
// its thread CPU seconds; the picture is loaded once.
const char* kPillowScript = R"PY(
import sys, io, time
from PIL import Image
raw, jpg, w, h = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4])
# the raw pixels are B, G, R, T words with the bottom row first
im = Image.frombuffer('RGBA', (w, h), open(raw, 'rb').read(), 'raw', 'BGRA', 0, -1)
rgb = im.convert('RGB')
def enc_jpeg():
    b = io.BytesIO(); rgb.save(b, 'JPEG', quality=80)
def enc_jpeg_file():
    rgb.save(jpg + '.pillow.jpg', 'JPEG', quality=80)
def dec_jpeg():
    Image.open(jpg).load()
def enc_png():
    b = io.BytesIO(); rgb.save(b, 'PNG', compress_level=3)
def resample_half():
    im.resize((w // 2, h // 2), Image.BOX)
ops = {'jpeg_encode': enc_jpeg, 'jpeg_encode_file': enc_jpeg_file, 'jpeg_decode': dec_jpeg,
       'png_encode': enc_png, 'resample_half': resample_half}
for line in sys.stdin:
    f = ops[line.strip()]
    s = time.thread_time(); f(); t = time.thread_time() - s
    print(t, flush=True)
)PY";

class Pillow {
public:
    Pillow()
    {
        const QString raw = Dir().filePath("picture.raw");
        QFile f(raw);
        if (f.open(QIODevice::WriteOnly))
            f.write(reinterpret_cast<const char*>(Picture().Bits()), qint64(Picture().PixelCount() * 4));
        f.close();
        m_process.start("/usr/bin/python3", {"-c", kPillowScript, raw, QString::fromStdString(JpegPath()), QString::number(kW), QString::number(kH)});
        m_process.waitForStarted();
    }
    ~Pillow()
    {
        m_process.closeWriteChannel();
        m_process.waitForFinished(10000);
    }
    // Pillow's thread seconds for one run of op; 0 when it failed.
    double Run(const char* op)
    {
        m_process.write(QByteArray(op) + "\n");
        while (!m_process.canReadLine())
            if (!m_process.waitForReadyRead(600000))
                break;
        bool ok = false;
        const double t = m_process.readLine().trimmed().toDouble(&ok);
        if (!ok)
            std::fprintf(stderr, "Pillow %s failed: %s\n", op, m_process.readAllStandardError().constData());
        return ok ? t : 0.0;
    }

private:
    QProcess m_process;
};

Pillow& ThePillow()
{
    static Pillow p;
    return p;
}

// Ours (body, thread CPU time) and Pillow's op, alternated, medians.
void Measure(benchmark::State& state, const char* op, const std::function<void()>& body, const std::function<void()>& untimed = {})
{
    benchpair::Pair p;
    for (auto _ : state) {
        p = benchpair::Alternate(
            int(state.range(0)),
            [&] {
                if (untimed)
                    untimed();
                const double start = benchpair::ThreadSeconds();
                body();
                return benchpair::ThreadSeconds() - start;
            },
            [&] { return ThePillow().Run(op); });
    }
    benchpair::Report(state, p, "pillow");
    state.counters["ours_MP/s"] = p.ours > 0 ? kMegapixels / p.ours : 0;
    state.counters["pillow_MP/s"] = p.peer > 0 ? kMegapixels / p.peer : 0;
}

void BM_JpegEncode(benchmark::State& state)
{
    std::vector<BYTE> out;
    Measure(state, "jpeg_encode", [&] { benchmark::DoNotOptimize(WriteJpegData(Picture(), 8, out)); });
}

// Ours writes beside the target and renames over it (no partial file); Pillow writes in place.
void BM_JpegEncodeFile(benchmark::State& state)
{
    const std::string out = Dir().filePath("encoded.jpg").toStdString();
    Measure(state, "jpeg_encode_file", [&] { benchmark::DoNotOptimize(WriteJpegFile(out.c_str(), Picture(), 8)); });
}

void BM_JpegDecode(benchmark::State& state)
{
    const std::string in = JpegPath();
    Measure(state, "jpeg_decode", [&] { benchmark::DoNotOptimize(ReadJpegFile(in.c_str())); });
}

void BM_PngEncode(benchmark::State& state)
{
    std::vector<BYTE> out;
    Measure(state, "png_encode", [&] { benchmark::DoNotOptimize(SavePNGData(Picture(), out)); });
    state.counters["ours_bytes"] = double(out.size());
}

void BM_ResampleHalf(benchmark::State& state)
{
    CDib source;
    source.CreateFromGlobal(Picture());
    CDib work;
    Measure(
        state, "resample_half",
        [&] {
            work.Resample(kW / 2, kH / 2);
            benchmark::DoNotOptimize(work.Lock());
        },
        [&] { work.CopyPixels(source); });
}

} // namespace

// Argument: rounds of each side.
BENCHMARK(BM_JpegEncode)->Arg(9)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JpegEncodeFile)->Arg(9)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JpegDecode)->Arg(9)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PngEncode)->Arg(5)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ResampleHalf)->Arg(9)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
