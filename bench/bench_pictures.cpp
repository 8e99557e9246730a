// Picture throughput on a 12-megapixel picture (4000 x 3000): JPEG encode (quality 80,
// in memory and to a file) and decode, PNG encode, resampling to half size; megapixels per second. Pillow does
// the same work on the same picture in the same run (Debian's python3); each benchmark
// reports "x_pillow" = Pillow's time / ours (above 1: we are faster). Both sides count
// the CPU time of the working thread, so a busy machine skews the ratio less.
#include "framework/core/Png.h"
#include "model/Dib.h"
#include "model/PictureFiles.h"

#include <benchmark/benchmark.h>

#include <QtCore/QFile>
#include <QtCore/QMap>
#include <QtCore/QProcess>
#include <QtCore/QTemporaryDir>

#include <ctime>
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

// Times one operation with Pillow: the best of three runs, in seconds.
const char* kPillowScript = R"PY(
import sys, io, time
from PIL import Image
op, raw, jpg, w, h = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4]), int(sys.argv[5])
# the raw pixels are B, G, R, T words with the bottom row first
im = Image.frombuffer('RGBA', (w, h), open(raw, 'rb').read(), 'raw', 'BGRA', 0, -1)
rgb = im.convert('RGB')
def best(f, n=3):
    t = []
    for _ in range(n):
        s = time.thread_time(); f(); t.append(time.thread_time() - s)
    return min(t)
def enc_jpeg():
    b = io.BytesIO(); rgb.save(b, 'JPEG', quality=80)
def enc_jpeg_file():
    rgb.save(jpg + '.pillow.jpg', 'JPEG', quality=80)
def dec_jpeg():
    Image.open(jpg).load()
def enc_png():
    b = io.BytesIO(); rgb.save(b, 'PNG')
if op == 'jpeg_encode': print(best(enc_jpeg))
if op == 'jpeg_encode_file': print(best(enc_jpeg_file))
if op == 'jpeg_decode': print(best(dec_jpeg))
if op == 'png_encode': print(best(enc_png, 2))
# Pillow's faster way to half size counts: reduce() or a box resize
if op == 'resample_half': print(min(best(lambda: im.resize((w // 2, h // 2), Image.BOX)), best(lambda: im.reduce(2))))
)PY";

// Pillow's seconds per operation, measured once per operation just before ours, so
// both run under the same load.
double PillowTime(const char* op)
{
    static QMap<QString, double> times;
    const QString key = QString::fromUtf8(op);
    if (times.contains(key))
        return times[key];
    const QString raw = Dir().filePath("picture.raw");
    if (!QFile::exists(raw)) {
        QFile f(raw);
        if (f.open(QIODevice::WriteOnly))
            f.write(reinterpret_cast<const char*>(Picture().Bits()), qint64(Picture().PixelCount() * 4));
    }
    QProcess p;
    p.start("/usr/bin/python3", {"-c", kPillowScript, key, raw, QString::fromStdString(JpegPath()), QString::number(kW), QString::number(kH)});
    p.waitForFinished(600000);
    bool ok = false;
    const double t = p.readAllStandardOutput().trimmed().toDouble(&ok);
    if (!ok)
        std::fprintf(stderr, "Pillow timing of %s failed: %s\n", op, p.readAllStandardError().constData());
    times[key] = ok ? t : 0.0;
    return times[key];
}

double ThreadSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
}

// Runs body per iteration and reports megapixels per second and the ratio to Pillow.
template <typename Body>
void Measure(benchmark::State& state, const char* pillowKey, Body body)
{
    const double pillow = PillowTime(pillowKey);
    double seconds = 0;
    for (auto _ : state) {
        const double start = ThreadSeconds();
        body();
        seconds += ThreadSeconds() - start;
    }
    const double perOp = seconds / double(state.iterations());
    state.counters["MP/s"] = kMegapixels / perOp;
    state.counters["pillow_MP/s"] = pillow > 0 ? kMegapixels / pillow : 0;
    state.counters["x_pillow"] = pillow > 0 ? pillow / perOp : 0;
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
}

void BM_ResampleHalf(benchmark::State& state)
{
    CDib source;
    source.CreateFromGlobal(Picture());
    CDib work;
    const double pillow = PillowTime("resample_half");
    double seconds = 0;
    for (auto _ : state) {
        work.CopyPixels(source); // not timed
        const double start = ThreadSeconds();
        work.Resample(kW / 2, kH / 2);
        seconds += ThreadSeconds() - start;
        benchmark::DoNotOptimize(work.Lock());
    }
    const double perOp = seconds / double(state.iterations());
    state.counters["MP/s"] = kMegapixels / perOp;
    state.counters["pillow_MP/s"] = pillow > 0 ? kMegapixels / pillow : 0;
    state.counters["x_pillow"] = pillow > 0 ? pillow / perOp : 0;
}

} // namespace

BENCHMARK(BM_JpegEncode)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_JpegEncodeFile)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_JpegDecode)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_PngEncode)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_ResampleHalf)->Unit(benchmark::kMillisecond)->MinTime(1.0);
