#include "gifimport/BlockMemory.h"

#include <cstdint>
#include <cstdlib>
#include <sys/mman.h>

namespace {
constexpr std::uintptr_t kPage = 4096;
constexpr std::uintptr_t kHugePage = std::uintptr_t(2) << 20;
// Below this, a block is likely carved from pages malloc already has.
constexpr std::size_t kAdviseFrom = 64 * 1024;
} // namespace

void* AllocateFilledBlock(std::size_t bytes)
{
    void* p = std::malloc(bytes ? bytes : 1);
    if (!p || bytes < kAdviseFrom)
        return p;
    // Only whole pages inside the block are advised: the rest belongs to the allocator.
    // Both are hints; a kernel without them leaves the block as it is.
    const std::uintptr_t begin = reinterpret_cast<std::uintptr_t>(p), end = begin + bytes;
    const std::uintptr_t hugeBegin = (begin + kHugePage - 1) & ~(kHugePage - 1), hugeEnd = end & ~(kHugePage - 1);
    if (hugeEnd > hugeBegin)
        madvise(reinterpret_cast<void*>(hugeBegin), hugeEnd - hugeBegin, MADV_HUGEPAGE);
#ifdef MADV_POPULATE_WRITE
    const std::uintptr_t pageBegin = (begin + kPage - 1) & ~(kPage - 1), pageEnd = end & ~(kPage - 1);
    if (pageEnd > pageBegin)
        madvise(reinterpret_cast<void*>(pageBegin), pageEnd - pageBegin, MADV_POPULATE_WRITE);
#endif
    return p;
}
