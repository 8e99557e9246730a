// Picture throughput on a 12-megapixel picture (4000 x 3000): JPEG encode (quality 80)
// and decode, PNG encode, resampling to half size; megapixels per second. Pillow does
// the same work on the same picture in the same run (Debian's python3); each benchmark
// reports "x_pillow" = Pillow's time / ours (above 1: we are faster).
#include "framework/core/Png.h"
#include "model/Dib.h"
#include "model/PictureFiles.h"

#include <benchmark/benchmark.h>

#include <QtCore/QFile>
#include <QtCore/QMap>
#include <QtCore/QProcess>
#include <QtCore/QTemporaryDir>

#include <chrono>
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

const char* kPillowScript = R"PY(
import sys, io, time
from PIL import Image
raw, jpg, w, h = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4])
# the raw pixels are B, G, R, T words with the bottom row first
im = Image.frombuffer('RGBA', (w, h), open(raw, 'rb').read(), 'raw', 'BGRA', 0, -1)
rgb = im.convert('RGB')
def best(f, n=3):
    t = []
    for _ in range(n):
        s = time.perf_counter(); f(); t.append(time.perf_counter() - s)
    return min(t)
def enc_jpeg():
    b = io.BytesIO(); rgb.save(b, 'JPEG', quality=80)
def dec_jpeg():
    Image.open(jpg).load()
def enc_png():
    b = io.BytesIO(); rgb.save(b, 'PNG')
print('jpeg_encode', best(enc_jpeg))
print('jpeg_decode', best(dec_jpeg))
print('png_encode', best(enc_png, 2))
print('resample_half', min(best(lambda: im.resize((w // 2, h // 2), Image.BOX)), best(lambda: im.reduce(2))))
)PY";

// Pillow's seconds per operation, measured once.
const QMap<QString, double>& PillowTimes()
{
    static QMap<QString, double> times = [] {
        QMap<QString, double> t;
        const QString raw = Dir().filePath("picture.raw");
        QFile f(raw);
        if (f.open(QIODevice::WriteOnly)) {
            f.write(reinterpret_cast<const char*>(Picture().Bits()), qint64(Picture().PixelCount() * 4));
            f.close();
        }
        QProcess p;
        p.start("/usr/bin/python3", {"-c", kPillowScript, raw, QString::fromStdString(JpegPath()), QString::number(kW), QString::number(kH)});
        p.waitForFinished(600000);
        for (const QByteArray& line : p.readAllStandardOutput().split('\n')) {
            const QList<QByteArray> parts = line.split(' ');
            if (parts.size() == 2)
                t[QString::fromUtf8(parts[0])] = parts[1].toDouble();
        }
        if (t.isEmpty())
            std::fprintf(stderr, "Pillow timing failed: %s\n", p.readAllStandardError().constData());
        return t;
    }();
    return times;
}

// Runs body per iteration and reports megapixels per second and the ratio to Pillow.
template <typename Body>
void Measure(benchmark::State& state, const char* pillowKey, Body body)
{
    const double pillow = PillowTimes().value(pillowKey, 0.0);
    double seconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        body();
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    const double perOp = seconds / double(state.iterations());
    state.counters["MP/s"] = kMegapixels / perOp;
    state.counters["pillow_MP/s"] = pillow > 0 ? kMegapixels / pillow : 0;
    state.counters["x_pillow"] = pillow > 0 ? pillow / perOp : 0;
}

void BM_JpegEncode(benchmark::State& state)
{
    const std::string out = Dir().filePath("encoded.jpg").toStdString();
    Measure(state, "jpeg_encode", [&] { benchmark::DoNotOptimize(WriteJpegFile(out.c_str(), Picture(), 8)); });
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
    const double pillow = PillowTimes().value("resample_half", 0.0);
    double seconds = 0;
    for (auto _ : state) {
        work.CopyPixels(source); // not timed
        const auto start = std::chrono::steady_clock::now();
        work.Resample(kW / 2, kH / 2);
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        benchmark::DoNotOptimize(work.Lock());
    }
    const double perOp = seconds / double(state.iterations());
    state.counters["MP/s"] = kMegapixels / perOp;
    state.counters["pillow_MP/s"] = pillow > 0 ? kMegapixels / pillow : 0;
    state.counters["x_pillow"] = pillow > 0 ? pillow / perOp : 0;
}

} // namespace

BENCHMARK(BM_JpegEncode)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_JpegDecode)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_PngEncode)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_ResampleHalf)->Unit(benchmark::kMillisecond)->MinTime(1.0);
