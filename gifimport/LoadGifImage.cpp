#include "gifimport/LoadGifImage.h"

#include "framework/core/MessageBox.h"
#include "gifimport/GifDecoder.h"

#include <new>

PackedBitmapPtr LoadGifImage(const char* path)
{
    try {
        CGifDecoder decoder;
        if (!decoder.ParseFile(path, [](const CString& text, const CString& caption, unsigned type) {
                return ShowMessageBox(text, caption, type);
            }))
            return nullptr;
        return decoder.GetFrameDib(0);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
