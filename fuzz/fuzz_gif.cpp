// Both library exports over arbitrary bytes: any file must give null or well-formed
// blocks, never a crash, a leak or an out-of-bounds access.
#include "framework/core/MessageBox.h"
#include "gifimport/GifDecoder.h"
#include "gifimport/pelgra/pelgra.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sys/mman.h>
#include <unistd.h>

namespace {
// The exports take a path: the input goes into an in-memory file.
struct MemoryFile {
    int fd = memfd_create("fuzz.gif", 0);
    char path[64];
    MemoryFile() { std::snprintf(path, sizeof path, "/proc/self/fd/%d", fd); }
    ~MemoryFile() { close(fd); }
    void Fill(const std::uint8_t* data, std::size_t size)
    {
        if (ftruncate(fd, 0) != 0 || pwrite(fd, data, size, 0) != ssize_t(size))
            std::abort();
    }
};

void CheckBitmap(const GifBitmapHeader* h)
{
    if (!h)
        return;
    if (h->size != 40 || h->width < 1 || h->height < 1 || h->width > 15000 || h->height > 15000 || h->bitCount != 32)
        std::abort();
    // Touch the last pixel: the block must hold them all.
    volatile std::uint32_t last = GifBitmapPixels(const_cast<GifBitmapHeader*>(h))[std::size_t(h->width) * std::size_t(h->height) - 1];
    (void)last;
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    SetMessageBoxHandler([](const CString&, const CString&, unsigned) { return IDOK; });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Frames of up to 15000 x 15000 are valid and take seconds to fill; the tests cover
    // them. Here inputs whose frames hold more than a quarter megapixel in all are only parsed,
    // so that the fuzzer spends its time on the decoding paths.
    CGifDecoder probe;
    if (probe.Parse(data, size, nullptr)) {
        std::size_t pixels = 0;
        for (std::size_t i = 0; i < probe.FrameCount(); ++i)
            if (probe.FrameHasImage(i))
                pixels += probe.Frame(i).PixelCount();
        if (pixels > (std::size_t(1) << 18))
            return 0;
    }

    static MemoryFile file;
    file.Fill(data, size);

    GifBitmapHeader* first = GIFLoad(file.path);
    CheckBitmap(first);
    const bool hasFirst = first != nullptr;
    GIFFree(first); // a frame may take 900 MB: never hold two

    GifAnimation* a = GIFLoadAnimation(file.path);
    if (a) {
        bool firstHasPixels = false;
        for (std::uint32_t i = 0; i < a->frameCount; ++i) {
            GifAnimationFrame* f = GifAnimationFrameAt(a, i);
            CheckBitmap(f->bitmap);
            if (f->disposal > 7)
                std::abort();
            if (i == 0)
                firstHasPixels = f->bitmap != nullptr;
            GIFFree(f->bitmap);
        }
        // GIFLoad gives an image exactly when the first frame has one.
        if (a->frameCount > 0 && firstHasPixels != hasFirst)
            std::abort();
    }
    GIFFree(a);
    return 0;
}
