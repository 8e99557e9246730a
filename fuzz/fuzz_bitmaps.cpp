// Arbitrary bytes as a BMP file, as a packed bitmap block and as PNG data: the readers
// must refuse or convert, never read outside the input or crash.
#include "framework/core/MessageBox.h"
#include "framework/core/Png.h"
#include "model/Dib.h"
#include "model/PictureFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool quiet = [] {
        SetMessageBoxHandler([](const CString&, const CString&, unsigned) { return IDOK; });
        return true;
    }();
    (void)quiet;

    CDib dib;
    CDataBlock bmp = LoadBmpData(data, size);
    if (!bmp.IsEmpty() && dib.CreateFromGlobal(bmp)) {
        // What was read converts on: packed copy, back, a small resample.
        if (PackedBitmapPtr p = dib.CopyToGlobal())
            dib.CreateFromGlobal(*p);
        if (dib.GetWidth() * dib.GetHeight() < 4096)
            dib.Resample(dib.GetWidth() / 2 + 1, dib.GetHeight() / 2 + 1);
    }
    dib.CreateFromGlobal(data, size);
    if (PackedBitmapPtr png = LoadPNGData(data, size))
        dib.CreateFromGlobal(*png);
    return 0;
}
