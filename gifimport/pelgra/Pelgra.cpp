// The exports of libpelgra.so. The decoder is the designer's own; only the packaging of
// the results into plain allocated blocks and the message box are the library's.
#include "gifimport/pelgra/pelgra.h"

#include "framework/core/MessageBox.h"
#include "gifimport/BlockMemory.h"
#include "gifimport/GifDecoder.h"

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <sanitizer/asan_interface.h>
#include <sys/mman.h>
#include <vector>

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

// Every block the library returns lives in an arena, with the arena and its own size
// in the 16 bytes before it. An animation's blocks share one arena, allocated in one go
// (a large one mapped on huge pages, which makes the first touch of its frames cheap);
// GIFFree gives a block's whole pages back at once and releases the arena with its
// last block.
struct Arena {
    std::atomic<std::size_t> live{0};
    std::size_t length = 0;  // from the arena's start
    void* mapping = nullptr; // null: the arena is one std::malloc block starting here
    std::size_t mappingLength = 0;
};
struct BlockPrefix {
    Arena* arena;
    std::size_t size;
};
static_assert(sizeof(BlockPrefix) == 16);

constexpr std::size_t kBlockAlign = 64;
constexpr std::size_t kHugePage = std::size_t(2) << 20;
constexpr std::size_t kPage = 4096;
// Arenas of several frames from this size are mapped; others come from std::malloc.
constexpr std::size_t kMapArenaFrom = kHugePage;

std::size_t RoundUp(std::size_t n, std::size_t to) { return (n + to - 1) / to * to; }

void ReleaseArena(Arena* a)
{
    void* const mapping = a->mapping;
    const std::size_t mappingLength = a->mappingLength;
    // Sanitizer builds: the poisoning of the blocks' surroundings must not outlive them.
    ASAN_UNPOISON_MEMORY_REGION(a, a->length);
    a->~Arena();
    if (mapping)
        munmap(mapping, mappingLength);
    else
        std::free(a);
}

// Blocks of the given sizes (0: none) in one arena; blocks[k] gets each block or null.
// False when memory is short. Hand() counts a block as given to the caller; Commit()
// leaves the arena to those blocks (releasing it when there are none). An arena not
// committed is released with its builder.
class ArenaBuilder {
public:
    ArenaBuilder() = default;
    ArenaBuilder(ArenaBuilder&& o) noexcept : m_arena(o.m_arena), m_handed(o.m_handed) { o.m_arena = nullptr; }
    ArenaBuilder(const ArenaBuilder&) = delete;
    ArenaBuilder& operator=(const ArenaBuilder&) = delete;
    ~ArenaBuilder()
    {
        if (m_arena)
            ReleaseArena(m_arena);
    }

    bool Create(const std::vector<std::size_t>& sizes, std::vector<BYTE*>& blocks)
    {
        std::size_t count = 0;
        std::size_t at = RoundUp(sizeof(Arena), kBlockAlign);
        std::vector<std::size_t> offsets(sizes.size(), 0);
        for (std::size_t k = 0; k < sizes.size(); ++k) {
            if (sizes[k] == 0)
                continue;
            ++count;
            at += sizeof(BlockPrefix);
            at = RoundUp(at, kBlockAlign);
            offsets[k] = at;
            if (sizes[k] > SIZE_MAX / 2 - at)
                return false;
            at += sizes[k];
        }
        std::size_t length = at;
        BYTE* base;
        // Several blocks share huge pages in a mapping of their own; one block alone
        // does as well in std::malloc memory (advised the same way), which a program
        // that loads again may get back without new pages.
        if (length >= kMapArenaFrom && count > 1) {
            length = RoundUp(length, kPage);
            // Room to start on a huge-page boundary; the rest of the mapping is never touched.
            const std::size_t mappingLength = length + kHugePage;
            void* m = mmap(nullptr, mappingLength, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
            if (m == MAP_FAILED)
                return false;
            base = reinterpret_cast<BYTE*>(RoundUp(reinterpret_cast<std::uintptr_t>(m), kHugePage));
            madvise(base, length, MADV_HUGEPAGE);
            m_arena = new (base) Arena;
            m_arena->length = length;
            m_arena->mapping = m;
            m_arena->mappingLength = mappingLength;
        } else {
            base = static_cast<BYTE*>(AllocateFilledBlock(length));
            if (!base)
                return false;
            m_arena = new (base) Arena;
            m_arena->length = length;
        }
        // Only the blocks are the caller's: a write past one is caught in sanitizer builds.
        ASAN_POISON_MEMORY_REGION(base + sizeof(Arena), length - sizeof(Arena));
        blocks.assign(sizes.size(), nullptr);
        for (std::size_t k = 0; k < sizes.size(); ++k) {
            if (sizes[k] == 0)
                continue;
            BYTE* const block = base + offsets[k];
            BlockPrefix* const prefix = reinterpret_cast<BlockPrefix*>(block - sizeof(BlockPrefix));
            ASAN_UNPOISON_MEMORY_REGION(prefix, sizeof(BlockPrefix));
            *prefix = BlockPrefix{m_arena, sizes[k]};
            ASAN_POISON_MEMORY_REGION(prefix, sizeof(BlockPrefix));
            ASAN_UNPOISON_MEMORY_REGION(block, sizes[k]);
            blocks[k] = block;
        }
        return true;
    }
    // Maps a block's pages in one call right before it is filled, so that they are
    // still in the cache when written.
    void Prefault(BYTE* block, std::size_t size) const
    {
#ifdef MADV_POPULATE_WRITE
        if (m_arena && m_arena->mapping) {
            const std::uintptr_t begin = reinterpret_cast<std::uintptr_t>(block) & ~std::uintptr_t(kPage - 1);
            const std::uintptr_t end = RoundUp(reinterpret_cast<std::uintptr_t>(block) + size, kPage);
            madvise(reinterpret_cast<void*>(begin), end - begin, MADV_POPULATE_WRITE);
        }
#else
        (void)block;
        (void)size;
#endif
    }
    void Hand() { ++m_handed; }
    void Commit()
    {
        if (m_arena && m_handed > 0) {
            m_arena->live.store(m_handed, std::memory_order_release);
            m_arena = nullptr;
        }
    }

private:
    Arena* m_arena = nullptr;
    std::size_t m_handed = 0;
};

void FreeBlock(void* block)
{
    if (!block)
        return;
    auto* prefix = reinterpret_cast<BlockPrefix*>(static_cast<BYTE*>(block) - sizeof(BlockPrefix));
    ASAN_UNPOISON_MEMORY_REGION(prefix, sizeof(BlockPrefix));
    Arena* const a = prefix->arena;
    // The block's whole pages go back now, as if it had been allocated alone; not for
    // the arena's last block (then no other can be freed meanwhile), which releases all.
    if (a->live.load(std::memory_order_acquire) > 1) {
        const std::uintptr_t begin = RoundUp(reinterpret_cast<std::uintptr_t>(block), kPage);
        const std::uintptr_t end = (reinterpret_cast<std::uintptr_t>(block) + prefix->size) & ~std::uintptr_t(kPage - 1);
        if (end > begin)
            madvise(reinterpret_cast<void*>(begin), end - begin, MADV_DONTNEED);
    }
    ASAN_POISON_MEMORY_REGION(block, prefix->size);
    if (a->live.fetch_sub(1, std::memory_order_acq_rel) == 1)
        ReleaseArena(a);
}

std::size_t FrameBlockSize(const CGifFrame& f) { return sizeof(GifBitmapHeader) + f.PixelCount() * 4; }

// The frame's bitmap into block (FrameBlockSize bytes); false when it has no image.
bool FillFrameBlock(CGifDecoder& decoder, std::size_t i, BYTE* block)
{
    const CGifFrame& f = decoder.Frame(i);
    auto* h = reinterpret_cast<GifBitmapHeader*>(block);
    std::memset(h, 0, sizeof *h);
    h->size = sizeof(GifBitmapHeader);
    h->width = f.width;
    h->height = f.height;
    h->planes = 1;
    h->bitCount = 32;
    h->sizeImage = std::uint32_t(f.PixelCount() * 4);
    return decoder.BuildFrameImage(i, GifBitmapPixels(h));
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
        if (decoder.FrameCount() == 0 || !decoder.FrameHasImage(0))
            return nullptr;
        ArenaBuilder arena;
        std::vector<BYTE*> blocks;
        if (!arena.Create({FrameBlockSize(decoder.Frame(0))}, blocks))
            return nullptr;
        arena.Prefault(blocks[0], FrameBlockSize(decoder.Frame(0)));
        if (!FillFrameBlock(decoder, 0, blocks[0]))
            return nullptr;
        arena.Hand();
        arena.Commit();
        return reinterpret_cast<GifBitmapHeader*>(blocks[0]);
    } catch (...) {
        return nullptr;
    }
}

extern "C" PELGRA_API GifAnimation* GIFLoadAnimation(const char* path)
{
    try {
        CGifDecoder decoder;
        if (!decoder.ParseFile(path, PelgraMessage))
            return nullptr;
        const std::size_t n = decoder.FrameCount();
        // The animation block first, then the frames that have an image while they fit
        // the limit, all in one arena when there are several frames; else (or when
        // that cannot be had) each block in its own.
        std::vector<std::size_t> sizes(n + 1, 0);
        sizes[0] = sizeof(GifAnimation) + n * sizeof(GifAnimationFrame);
        std::size_t used = 0, frames = 0;
        for (std::size_t i = 0; i < n; ++i) {
            const std::size_t bytes = decoder.Frame(i).PixelCount() * 4;
            if (decoder.FrameHasImage(i) && used + bytes <= kAnimationBytesLimit) {
                sizes[i + 1] = FrameBlockSize(decoder.Frame(i));
                used += bytes;
                ++frames;
            }
        }
        std::vector<ArenaBuilder> arenas(1);
        std::vector<BYTE*> blocks;
        const bool shared = frames >= 2 && arenas[0].Create(sizes, blocks);
        if (!shared) {
            // Each block allocated right before it is filled, as its pages are then
            // freshly in the cache.
            arenas = std::vector<ArenaBuilder>(n + 1);
            blocks.assign(n + 1, nullptr);
        }
        auto arenaOf = [&](std::size_t k) -> ArenaBuilder& { return shared ? arenas[0] : arenas[k]; };
        auto blockOf = [&](std::size_t k) {
            std::vector<BYTE*> one;
            if (!shared && sizes[k] && arenas[k].Create({sizes[k]}, one))
                blocks[k] = one[0];
            return blocks[k];
        };
        auto* a = reinterpret_cast<GifAnimation*>(blockOf(0));
        if (!a)
            return nullptr;
        std::memset(a, 0, sizes[0]);
        a->width = decoder.screenWidth;
        a->height = decoder.screenHeight;
        a->frameCount = std::uint32_t(n);
        a->loopCount = std::uint32_t(decoder.loopCount);
        a->background = decoder.BackgroundColor();
        arenaOf(0).Hand();
        for (std::size_t i = 0; i < n; ++i) {
            const CGifFrame& f = decoder.Frame(i);
            GifAnimationFrame* r = GifAnimationFrameAt(a, std::uint32_t(i));
            r->left = f.left;
            r->top = f.top;
            r->delay = f.delay;
            r->disposal = f.disposal;
            BYTE* const block = blockOf(i + 1);
            if (!block)
                continue;
            arenaOf(i + 1).Prefault(block, sizes[i + 1]);
            if (FillFrameBlock(decoder, i, block)) {
                r->bitmap = reinterpret_cast<GifBitmapHeader*>(block);
                arenaOf(i + 1).Hand();
            }
        }
        for (ArenaBuilder& b : arenas)
            b.Commit();
        return a;
    } catch (...) {
        // Nothing leaves before the commit: the arenas go with their builders.
        return nullptr;
    }
}

extern "C" PELGRA_API void GIFFree(void* block) { FreeBlock(block); }
