// GIF decoding, ours (the library's animation export, every frame to 32-bit pixels)
// beside giflib (DGifSlurp plus the same conversion) on the same files, alternated round
// by round in the same run: a 12-megapixel photo-like frame (4000 x 3000), a 6-megapixel
// 1-bit image and an animation of 240 frames. The files are written with giflib's encoder
// into a temporary folder at start. "x_giflib" = giflib's median time / ours.
#include "Alternate.h"

#include "gifimport/pelgra/pelgra.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <gif_lib.h>
#include <random>
#include <string>
#include <vector>

namespace {

struct BenchFile {
    std::string path;
    std::int64_t pixels = 0; // all frames
};

// Writes frames of width x height with 2^bits colours; pixel(f, x, y) gives the index.
template <typename F>
BenchFile Write(const std::string& path, int bits, int width, int height, int frames, F pixel)
{
    BenchFile out{path, 0};
    int error = 0;
    GifFileType* g = EGifOpenFileName(path.c_str(), false, &error);
    if (!g)
        std::abort();
    const int n = 1 << bits;
    std::vector<GifColorType> colours(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        colours[std::size_t(i)] = GifColorType{GifByteType(i), GifByteType(i * 7), GifByteType(255 - i)};
    ColorMapObject* map = GifMakeMapObject(n, colours.data());
    EGifSetGifVersion(g, true);
    EGifPutScreenDesc(g, width, height, bits, 0, map);
    std::vector<GifPixelType> line(static_cast<std::size_t>(width));
    for (int f = 0; f < frames; ++f) {
        GraphicsControlBlock gcb{};
        gcb.DelayTime = 4;
        gcb.TransparentColor = NO_TRANSPARENT_COLOR;
        GifByteType ext[4];
        EGifPutExtension(g, GRAPHICS_EXT_FUNC_CODE, int(EGifGCBToExtension(&gcb, ext)), ext);
        EGifPutImageDesc(g, 0, 0, width, height, false, nullptr);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x)
                line[std::size_t(x)] = GifPixelType(pixel(f, x, y));
            EGifPutLine(g, line.data(), width);
        }
        out.pixels += std::int64_t(width) * height;
    }
    EGifCloseFile(g, &error);
    GifFreeMapObject(map);
    return out;
}

// A private temporary folder, removed with its files at exit.
struct TempFolder {
    std::string path;
    TempFolder()
    {
        std::string tmpl = (std::filesystem::temp_directory_path() / "bench_gif_XXXXXX").string();
        if (!mkdtemp(tmpl.data()))
            std::abort();
        path = tmpl;
    }
    ~TempFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
};

const std::string& Folder()
{
    static TempFolder dir;
    return dir.path;
}

// A smooth picture with noise, as quantised photographs look to the coder.
const BenchFile& Photo()
{
    static BenchFile f = [] {
        std::mt19937 rnd(7);
        return Write(Folder() + "/photo.gif", 8, 4000, 3000, 1, [&](int, int x, int y) {
            const double v = 128 + 60 * std::sin(x / 90.0) * std::cos(y / 70.0) + 40 * std::sin((x + y) / 300.0);
            return int(v + std::uniform_int_distribution<int>(-6, 6)(rnd)) & 255;
        });
    }();
    return f;
}

// A scanned-page kind of 1-bit image: text-like runs on white.
const BenchFile& Bilevel()
{
    static BenchFile f = [] {
        std::mt19937 rnd(11);
        return Write(Folder() + "/bilevel.gif", 1, 3000, 2000, 1, [&](int, int x, int y) {
            const bool line = (y % 40) > 8 && (y % 40) < 30;
            return line && ((x / 7 + y / 40) % 5 != 0) && (rnd() % 4 != 0) ? 1 : 0;
        });
    }();
    return f;
}

// 240 frames of 320 x 240 with 64 colours, a moving pattern.
const BenchFile& Animation()
{
    static BenchFile f = [] {
        return Write(Folder() + "/animation.gif", 6, 320, 240, 240, [](int fr, int x, int y) {
            return ((x + fr * 2) / 8 + (y / 8) * 3 + ((x ^ y) & 3)) & 63;
        });
    }();
    return f;
}

void DecodeOurs(const BenchFile& f)
{
    GifAnimation* a = GIFLoadAnimation(f.path.c_str());
    if (!a)
        std::abort();
    for (std::uint32_t i = 0; i < a->frameCount; ++i) {
        benchmark::DoNotOptimize(GifBitmapPixels(GifAnimationFrameAt(a, i)->bitmap)[0]);
        GIFFree(GifAnimationFrameAt(a, i)->bitmap);
    }
    GIFFree(a);
}

void DecodeGiflib(const BenchFile& f)
{
    int error = 0;
    GifFileType* g = DGifOpenFileName(f.path.c_str(), &error);
    if (!g || DGifSlurp(g) != GIF_OK)
        std::abort();
    // Every frame's bitmap is kept until the whole file is done, as the library's are.
    std::vector<std::uint32_t*> bitmaps;
    for (int i = 0; i < g->ImageCount; ++i) {
        const SavedImage& s = g->SavedImages[i];
        const ColorMapObject* map = s.ImageDesc.ColorMap ? s.ImageDesc.ColorMap : g->SColorMap;
        std::uint32_t lut[256] = {};
        for (int k = 0; k < map->ColorCount; ++k)
            lut[k] = std::uint32_t(map->Colors[k].Blue) | std::uint32_t(map->Colors[k].Green) << 8 |
                     std::uint32_t(map->Colors[k].Red) << 16;
        GraphicsControlBlock gcb;
        if (DGifSavedExtensionToGCB(g, i, &gcb) == GIF_OK && gcb.TransparentColor >= 0)
            lut[gcb.TransparentColor] |= 0xFF000000u;
        const std::size_t w = std::size_t(s.ImageDesc.Width), h = std::size_t(s.ImageDesc.Height);
        auto* px = static_cast<std::uint32_t*>(std::malloc(w * h * 4));
        for (std::size_t y = 0; y < h; ++y) {
            const GifByteType* src = s.RasterBits + y * w;
            std::uint32_t* dst = px + (h - 1 - y) * w;
            for (std::size_t x = 0; x < w; ++x)
                dst[x] = lut[src[x]];
        }
        benchmark::DoNotOptimize(px[0]);
        bitmaps.push_back(px);
    }
    DGifCloseFile(g, &error);
    for (std::uint32_t* px : bitmaps)
        std::free(px);
}

void BM_GifVsGiflib(benchmark::State& state, const BenchFile& (*file)())
{
    const BenchFile& f = file();
    benchpair::Pair p;
    for (auto _ : state)
        p = benchpair::Alternate(int(state.range(0)), benchpair::Timed([&] { DecodeOurs(f); }),
            benchpair::Timed([&] { DecodeGiflib(f); }));
    benchpair::Report(state, p, "giflib");
    state.counters["ours_Mpx/s"] = p.ours > 0 ? double(f.pixels) / 1e6 / p.ours : 0;
    state.counters["giflib_Mpx/s"] = p.peer > 0 ? double(f.pixels) / 1e6 / p.peer : 0;
}

} // namespace

// Argument: rounds of each side.
BENCHMARK_CAPTURE(BM_GifVsGiflib, Photo12MP, Photo)->Arg(15)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_GifVsGiflib, Bilevel, Bilevel)->Arg(15)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_GifVsGiflib, Animation, Animation)->Arg(15)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
