// Large blocks the decoder fills at once (file bytes, frame bitmaps), allocated so that
// their first touch is cheap: std::malloc memory, released with std::free.
#pragma once
#include <cstddef>

// bytes of uninitialised memory or null. Huge pages are asked for where the block spans
// them, and its pages are mapped in one call instead of one fault each.
void* AllocateFilledBlock(std::size_t bytes);
