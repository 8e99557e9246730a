#include "framework/core/PackedBitmap.h"

#include <cstdlib>
#include <new>
#include <sys/mman.h>

namespace {
constexpr std::size_t kHugePage = std::size_t(2) << 20;
constexpr std::size_t kMapFrom = std::size_t(4) << 20;
}

void tessel::PixelDeleter::operator()(std::uint32_t* p) const
{
    if (base)
        munmap(base, length);
    else
        std::free(p);
}

tessel::PixelBuffer tessel::AllocatePixels(std::size_t count)
{
    if (count > (std::size_t(-1) - kHugePage) / 4)
        return nullptr;
    const std::size_t bytes = count * 4;
    if (bytes >= kMapFrom) {
        // Mapped with room to start on a huge-page boundary; anonymous pages are zero.
        const std::size_t length = bytes + kHugePage;
        void* base = mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (base != MAP_FAILED) {
            const std::uintptr_t start = (reinterpret_cast<std::uintptr_t>(base) + kHugePage - 1) & ~(kHugePage - 1);
            auto* pixels = reinterpret_cast<std::uint32_t*>(start);
            madvise(pixels, bytes, MADV_HUGEPAGE);
            return PixelBuffer(pixels, PixelDeleter{base, length});
        }
    }
    return PixelBuffer(static_cast<std::uint32_t*>(std::calloc(count ? count : 1, sizeof(std::uint32_t))), PixelDeleter{});
}

std::unique_ptr<CPackedBitmap> CPackedBitmap::Create(int width, int height, int maxSide)
{
    if (width < 1 || height < 1 || width > maxSide || height > maxSide)
        return nullptr;
    std::unique_ptr<CPackedBitmap> b(new (std::nothrow) CPackedBitmap);
    if (!b)
        return nullptr;
    const std::size_t count = std::size_t(width) * std::size_t(height);
    b->m_pixels = tessel::AllocatePixels(count);
    if (!b->m_pixels)
        return nullptr;
    b->m_count = count;
    b->m_header.biWidth = width;
    b->m_header.biHeight = height;
    b->m_header.biSizeImage = DWORD(std::size_t(width) * std::size_t(height) * 4);
    b->m_header.biClrImportant = 0xFFFFFFFFu;
    return b;
}
