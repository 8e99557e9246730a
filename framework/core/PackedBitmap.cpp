#include "framework/core/PackedBitmap.h"

#include <new>

std::unique_ptr<CPackedBitmap> CPackedBitmap::Create(int width, int height, int maxSide)
{
    if (width < 1 || height < 1 || width > maxSide || height > maxSide)
        return nullptr;
    std::unique_ptr<CPackedBitmap> b(new (std::nothrow) CPackedBitmap);
    if (!b)
        return nullptr;
    const std::size_t count = std::size_t(width) * std::size_t(height);
    b->m_pixels.reset(static_cast<std::uint32_t*>(std::calloc(count, sizeof(std::uint32_t))));
    if (!b->m_pixels)
        return nullptr;
    b->m_count = count;
    b->m_header.biWidth = width;
    b->m_header.biHeight = height;
    b->m_header.biSizeImage = DWORD(std::size_t(width) * std::size_t(height) * 4);
    b->m_header.biClrImportant = 0xFFFFFFFFu;
    return b;
}
