// The exports of libpelgra.so. The decoder is the designer's own; only the packaging of
// the results into plain allocated blocks and the message box are the library's.
#include "gifimport/pelgra/pelgra.h"

#include "framework/core/MessageBox.h"
#include "gifimport/BlockMemory.h"
#include "gifimport/GifDecoder.h"

#include <cstdlib>
#include <cstring>
#include <new>

#ifdef PELGRA_WIDGETS
#include <QtCore/QThread>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMessageBox>
#endif

namespace {

// Frame bitmaps of one animation take at most this much memory.
constexpr std::size_t kAnimationBytesLimit = std::size_t(1) << 30;

// A real dialog when the calling program runs a widget application (and calls from its
// GUI thread, the only one that may show widgets), otherwise the framework's message
// function (standard error unless a handler was installed).
int PelgraMessage(const CString& text, const CString& caption, unsigned type)
{
#ifdef PELGRA_WIDGETS
    QApplication* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (app && QThread::currentThread() == app->thread()) {
        const unsigned icon = type & 0xF0;
        QMessageBox box(icon == MB_ICONERROR ? QMessageBox::Critical
                        : icon == MB_ICONWARNING ? QMessageBox::Warning
                                                 : QMessageBox::Information,
                        caption.ToQString(), text.ToQString(), QMessageBox::Ok);
        box.exec();
        return IDOK;
    }
#endif
    return ShowMessageBox(text, caption, type);
}

GifBitmapHeader* FrameBlock(CGifDecoder& decoder, std::size_t i)
{
    if (i >= decoder.FrameCount() || !decoder.FrameHasImage(i))
        return nullptr;
    const CGifFrame& f = decoder.Frame(i);
    const std::size_t bytes = f.PixelCount() * 4;
    auto* h = static_cast<GifBitmapHeader*>(AllocateFilledBlock(sizeof(GifBitmapHeader) + bytes));
    if (!h)
        return nullptr;
    std::memset(h, 0, sizeof *h);
    h->size = sizeof(GifBitmapHeader);
    h->width = f.width;
    h->height = f.height;
    h->planes = 1;
    h->bitCount = 32;
    h->sizeImage = std::uint32_t(bytes);
    if (!decoder.BuildFrameImage(i, GifBitmapPixels(h))) {
        std::free(h);
        return nullptr;
    }
    return h;
}

} // namespace

extern "C" PELGRA_API GifBitmapHeader* GIFLoad(const char* path)
{
    try {
        CGifDecoder decoder;
        if (!decoder.ParseFile(path, PelgraMessage))
            return nullptr;
        if (decoder.multipleImages)
            PelgraMessage("This GIF animation contains multiple images. Only first image will be loaded.",
                          "GIF Import", MB_OK | MB_ICONWARNING);
        return FrameBlock(decoder, 0);
    } catch (...) {
        return nullptr;
    }
}

extern "C" PELGRA_API GifAnimation* GIFLoadAnimation(const char* path)
{
    GifAnimation* a = nullptr;
    try {
        CGifDecoder decoder;
        if (!decoder.ParseFile(path, PelgraMessage))
            return nullptr;
        const std::size_t n = decoder.FrameCount();
        a = static_cast<GifAnimation*>(std::calloc(1, sizeof(GifAnimation) + n * sizeof(GifAnimationFrame)));
        if (!a)
            return nullptr;
        a->width = decoder.screenWidth;
        a->height = decoder.screenHeight;
        a->frameCount = std::uint32_t(n);
        a->loopCount = std::uint32_t(decoder.loopCount);
        a->background = decoder.BackgroundColor();
        std::size_t used = 0;
        for (std::size_t i = 0; i < n; ++i) {
            const CGifFrame& f = decoder.Frame(i);
            GifAnimationFrame* r = GifAnimationFrameAt(a, std::uint32_t(i));
            r->left = f.left;
            r->top = f.top;
            r->delay = f.delay;
            r->disposal = f.disposal;
            const std::size_t bytes = f.PixelCount() * 4;
            if (decoder.FrameHasImage(i) && used + bytes <= kAnimationBytesLimit) {
                r->bitmap = FrameBlock(decoder, i);
                if (r->bitmap)
                    used += bytes;
            }
        }
        return a;
    } catch (...) {
        if (a) {
            for (std::uint32_t i = 0; i < a->frameCount; ++i)
                std::free(GifAnimationFrameAt(a, i)->bitmap);
            std::free(a);
        }
        return nullptr;
    }
}

extern "C" PELGRA_API void GIFFree(void* block) { std::free(block); }
