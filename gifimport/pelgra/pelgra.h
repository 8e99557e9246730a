/*
 * pelgra: decodes GIF files (87a and 89a) into 32-bit bitmaps.
 *
 * Every function takes the path of the file as a narrow (UTF-8) string. The library
 * keeps no state between calls, and each call may run on any thread.
 *
 * Bitmaps. A bitmap is one block allocated by the library: a 40-byte GifBitmapHeader
 * followed by width * height 32-bit pixels, rows bottom-up (the first pixel is the
 * left end of the bottom row). A pixel is 0xTTRRGGBB: blue in the low byte, then
 * green, red, and in the high byte the transparency (0 opaque, 0xFF transparent: the
 * pixel had the frame's transparent colour index).
 *
 * Ownership. The caller owns every block returned, the animation block and each frame
 * bitmap alike, and releases each with GIFFree (only: the blocks are the library's own
 * allocations, not malloc blocks).
 *
 * Messages. GIFLoad shows a warning when the file holds several images, and both load
 * functions show an error when the file does not begin with "GIF". When the calling
 * program runs a Qt application with widgets and calls from its GUI thread, the message
 * is a modal message box; otherwise it is printed on standard error.
 */
#ifndef PELGRA_H
#define PELGRA_H

#include <stddef.h>
#include <stdint.h>

#if defined(__GNUC__)
#define PELGRA_API __attribute__((visibility("default")))
#else
#define PELGRA_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* The 40-byte header at the start of every bitmap block. */
typedef struct GifBitmapHeader {
    uint32_t size;          /* 40 */
    int32_t width;
    int32_t height;         /* positive: rows bottom-up */
    uint16_t planes;        /* 1 */
    uint16_t bitCount;      /* 32 */
    uint32_t compression;   /* 0: plain pixels */
    uint32_t sizeImage;     /* width * height * 4 */
    int32_t xPelsPerMeter;  /* 0 */
    int32_t yPelsPerMeter;  /* 0 */
    uint32_t clrUsed;       /* 0: no colour table follows */
    uint32_t clrImportant;  /* 0 */
} GifBitmapHeader;

/* The pixels that follow a bitmap header. */
static inline uint32_t* GifBitmapPixels(GifBitmapHeader* bitmap)
{
    return (uint32_t*)((unsigned char*)bitmap + sizeof(GifBitmapHeader));
}

/*
 * The animation block: a 20-byte GifAnimation, then frameCount records of 24 bytes
 * (GifAnimationFrame), in file order. All values are native (little-endian) 32-bit
 * integers but the bitmap, which is pointer-sized and starts 12 bytes into its record
 * (so it lies on an 8-byte boundary of the block).
 */
typedef struct GifAnimation {
    uint32_t width;      /* logical screen width */
    uint32_t height;     /* logical screen height */
    uint32_t frameCount;
    uint32_t loopCount;  /* from the looping extension; 1 when the file has none, 0 = forever */
    uint32_t background; /* red | green << 8 | blue << 16 from the global colour table; 0 without one */
} GifAnimation;

#pragma pack(push, 4)
typedef struct GifAnimationFrame {
    uint32_t left;           /* position on the logical screen */
    uint32_t top;
    uint32_t delay;          /* hundredths of a second */
    GifBitmapHeader* bitmap; /* the frame's own size, not the screen's; null when the frame
                                has no pixels (a control extension without an image), a side
                                above 15000, or the animation exceeds the memory limit */
    uint32_t disposal;       /* 0 to 7, bits 2 to 4 of the graphic control extension */
} GifAnimationFrame;
#pragma pack(pop)

/* Record n of an animation block. */
static inline GifAnimationFrame* GifAnimationFrameAt(GifAnimation* animation, uint32_t n)
{
    return (GifAnimationFrame*)((unsigned char*)animation + sizeof(GifAnimation) + (size_t)n * sizeof(GifAnimationFrame));
}

/* The first image of the file, or null when the file cannot be read, is not a GIF or
   holds no image. Warns when the file holds more than one image. */
PELGRA_API GifBitmapHeader* GIFLoad(const char* path);

/* Every frame of the file with its timing, or null when the file cannot be read or is
   not a GIF. A GIF without images gives a block with frameCount 0. The frame bitmaps
   together take at most 1 GiB; frames past that limit have a null bitmap. */
PELGRA_API GifAnimation* GIFLoadAnimation(const char* path);

/* Releases one block returned by this library: a bitmap, or an animation block alone.
   Freeing an animation block does not free its frames' bitmaps: free each frame's
   bitmap with its own call first. Null is allowed. */
PELGRA_API void GIFFree(void* block);

#ifdef __cplusplus
}
#endif

#if defined(__cplusplus)
static_assert(sizeof(GifBitmapHeader) == 40, "bitmap header layout");
static_assert(sizeof(GifAnimation) == 20, "animation header layout");
static_assert(sizeof(void*) != 8 || sizeof(GifAnimationFrame) == 24, "frame record layout");
#endif

#endif
