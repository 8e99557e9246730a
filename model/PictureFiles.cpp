#include "model/PictureFiles.h"

#include "framework/core/CFile.h"
#include "framework/core/MessageBox.h"
#include "framework/core/Png.h"
#include "model/Dib.h"

#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QString>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <jpeglib.h>
#include <jerror.h>

namespace {

// libjpeg reports a fatal error by calling error_exit, which must not return: it jumps
// back to the setjmp of the function that made the codec call.
struct JpegError {
    jpeg_error_mgr mgr;
    std::jmp_buf jump;
};

[[noreturn]] void JpegErrorExit(j_common_ptr cinfo)
{
    std::longjmp(reinterpret_cast<JpegError*>(cinfo->err)->jump, 1);
}

// Warnings about damaged data are not shown; the decoder goes on as well as it can.
void JpegOutputMessage(j_common_ptr) {}

void InstallErrorManager(JpegError& err)
{
    jpeg_std_error(&err.mgr);
    err.mgr.error_exit = JpegErrorExit;
    err.mgr.output_message = JpegOutputMessage;
}

// Everything the long jump may skip lives in the caller's frame.
struct DecodeState {
    jpeg_decompress_struct cinfo;
    JpegError err;
    PackedBitmapPtr result;
    std::vector<BYTE> row;
    std::vector<JSAMPROW> rows;
};

// 1: decoded; 0: no pixels could be had (size refused, memory short); -1: decoder error.
int DecodeJpeg(DecodeState* st, const BYTE* data, std::size_t size)
{
    jpeg_decompress_struct& cinfo = st->cinfo;
    if (setjmp(st->err.jump))
        return -1;
    jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
    jpeg_read_header(&cinfo, TRUE);
    const J_COLOR_SPACE source = cinfo.jpeg_color_space;
    const bool direct = cinfo.out_color_space == JCS_RGB; // colour sources: decoded straight to B, G, R, X
    if (direct)
        cinfo.out_color_space = JCS_EXT_BGRX;
    else if (source == JCS_CMYK || source == JCS_YCCK)
        cinfo.out_color_space = JCS_CMYK;
    else
        cinfo.out_color_space = JCS_GRAYSCALE;
    jpeg_calc_output_dimensions(&cinfo);
    if (cinfo.output_width < 1 || cinfo.output_height < 1 || cinfo.output_width > JDIMENSION(CDib::kMaxSide)
        || cinfo.output_height > JDIMENSION(CDib::kMaxSide))
        return 0;
    jpeg_start_decompress(&cinfo);
    const int w = int(cinfo.output_width), h = int(cinfo.output_height);
    st->result = CPackedBitmap::Create(w, h, CDib::kMaxSide);
    if (!st->result)
        return 0;
    CPackedBitmap& bmp = *st->result;
    const int comps = cinfo.output_components;
    if (!direct)
        st->row.resize(std::size_t(w) * std::size_t(comps));
    while (cinfo.output_scanline < cinfo.output_height) {
        const int y = int(cinfo.output_scanline);
        std::uint32_t* dst = bmp.Bits() + std::size_t(h - 1 - y) * std::size_t(w);
        if (direct) {
            // Up to four rows at once straight into the bitmap (rows run bottom-up).
            JSAMPROW targets[4];
            const int n = std::min(4, h - y);
            for (int i = 0; i < n; ++i)
                targets[i] = reinterpret_cast<JSAMPROW>(dst - std::size_t(i) * std::size_t(w));
            const int got = int(jpeg_read_scanlines(&cinfo, targets, JDIMENSION(n)));
            if (got < 1)
                break;
            for (int i = 0; i < got; ++i) {
                std::uint32_t* row = dst - std::size_t(i) * std::size_t(w);
                for (int x = 0; x < w; ++x)
                    row[x] &= 0x00FFFFFFu; // opaque
            }
            continue;
        }
        JSAMPROW target = st->row.data();
        if (jpeg_read_scanlines(&cinfo, &target, 1) != 1)
            break;
        const BYTE* s = st->row.data();
        if (comps == 4) {
            for (int x = 0; x < w; ++x) {
                const std::uint32_t c = s[4 * x], m = s[4 * x + 1], yy = s[4 * x + 2], k = s[4 * x + 3];
                dst[x] = ((c * k / 255u) << 16) | ((m * k / 255u) << 8) | (yy * k / 255u);
            }
        } else {
            for (int x = 0; x < w; ++x)
                dst[x] = std::uint32_t(s[x]) * 0x010101u;
        }
    }
    jpeg_finish_decompress(&cinfo);
    return 1;
}

// Compressed bytes go into one block reserved at half a byte a pixel, which a JPEG
// rarely needs; untouched pages cost nothing, and growing reallocates in place.
struct BlockDestination {
    jpeg_destination_mgr mgr;
    BYTE* data = nullptr;
    std::size_t capacity = 0;
    std::size_t length = 0;
};

void InitDestination(j_compress_ptr cinfo)
{
    auto* d = reinterpret_cast<BlockDestination*>(cinfo->dest);
    d->mgr.next_output_byte = d->data;
    d->mgr.free_in_buffer = d->capacity;
}

boolean GrowDestination(j_compress_ptr cinfo)
{
    auto* d = reinterpret_cast<BlockDestination*>(cinfo->dest);
    const std::size_t used = d->capacity;
    auto* grown = static_cast<BYTE*>(std::realloc(d->data, used * 2));
    if (!grown)
        ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 10);
    d->data = grown;
    d->capacity = used * 2;
    d->mgr.next_output_byte = grown + used;
    d->mgr.free_in_buffer = d->capacity - used;
    return TRUE;
}

void TermDestination(j_compress_ptr cinfo)
{
    auto* d = reinterpret_cast<BlockDestination*>(cinfo->dest);
    d->length = d->capacity - d->mgr.free_in_buffer;
}

struct EncodeState {
    jpeg_compress_struct cinfo;
    JpegError err;
    BlockDestination dest;
    std::vector<JSAMPROW> rows;
    ~EncodeState() { std::free(dest.data); }
};

bool EncodeJpeg(EncodeState* st, const CPackedBitmap* bmp, int quality)
{
    jpeg_compress_struct& cinfo = st->cinfo;
    if (setjmp(st->err.jump))
        return false;
    const int w = bmp->Width(), h = bmp->Height();
    st->dest.capacity = std::max<std::size_t>(65536, std::size_t(w) * std::size_t(h) / 2);
    st->dest.data = static_cast<BYTE*>(std::malloc(st->dest.capacity));
    if (!st->dest.data)
        ERREXIT1(&cinfo, JERR_OUT_OF_MEMORY, 10);
    st->dest.mgr.init_destination = InitDestination;
    st->dest.mgr.empty_output_buffer = GrowDestination;
    st->dest.mgr.term_destination = TermDestination;
    cinfo.dest = &st->dest.mgr;
    cinfo.image_width = JDIMENSION(w);
    cinfo.image_height = JDIMENSION(h);
    cinfo.input_components = 4; // B, G, R and the transparency byte, which is not coded
    cinfo.in_color_space = JCS_EXT_BGRX;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    const std::uint32_t* bits = bmp->Bits();
    constexpr int kBatch = 16;
    st->rows.resize(kBatch);
    while (cinfo.next_scanline < cinfo.image_height) {
        const int first = int(cinfo.next_scanline);
        const int n = std::min(kBatch, h - first);
        for (int i = 0; i < n; ++i)
            st->rows[std::size_t(i)] = reinterpret_cast<JSAMPROW>(const_cast<std::uint32_t*>(bits + std::size_t(h - 1 - first - i) * std::size_t(w)));
        jpeg_write_scanlines(&cinfo, st->rows.data(), JDIMENSION(n));
    }
    jpeg_finish_compress(&cinfo);
    return true;
}

void ReadError()
{
    ShowMessageBox("Error reading JPEG file", "Error", MB_ICONHAND);
}

} // namespace

PackedBitmapPtr ReadJpegData(const BYTE* data, std::size_t size)
{
    if (!data || size == 0) {
        ReadError();
        return nullptr;
    }
    auto st = std::make_unique<DecodeState>();
    InstallErrorManager(st->err);
    st->cinfo.err = &st->err.mgr;
    jpeg_create_decompress(&st->cinfo);
    const int r = DecodeJpeg(st.get(), data, size);
    jpeg_destroy_decompress(&st->cinfo);
    if (r < 0) {
        ReadError();
        return nullptr;
    }
    if (r == 0)
        return nullptr;
    return std::move(st->result);
}

PackedBitmapPtr ReadJpegFile(const char* path)
{
    std::vector<BYTE> bytes;
    if (!path || !CFile::ReadAll(path, bytes))
        return nullptr;
    return ReadJpegData(bytes.data(), bytes.size());
}

bool WriteJpegData(const CPackedBitmap& bitmap, int qualityStep, std::vector<BYTE>& out)
{
    out.clear();
    const int w = bitmap.Width(), h = bitmap.Height();
    if (w < 1 || h < 1 || bitmap.PixelCount() != std::size_t(w) * std::size_t(h))
        return false;
    auto st = std::make_unique<EncodeState>();
    InstallErrorManager(st->err);
    st->cinfo.err = &st->err.mgr;
    jpeg_create_compress(&st->cinfo);
    const bool ok = EncodeJpeg(st.get(), &bitmap, std::clamp(qualityStep * 10, 1, 100));
    jpeg_destroy_compress(&st->cinfo);
    if (!ok) {
        ShowMessageBox("Error writing JPEG file", "Error", MB_ICONHAND);
        return false;
    }
    out.assign(st->dest.data, st->dest.data + st->dest.length);
    return true;
}

int WriteJpegFile(const char* path, const CPackedBitmap& bitmap, int qualityStep)
{
    if (!path)
        return 0;
    // The file is written beside the target and renamed over it when complete; a
    // target that cannot be written is known before encoding.
    const QFileInfo info(QString::fromUtf8(path));
    if (info.isDir() || !QFileInfo(info.absolutePath()).isWritable()) {
        std::fprintf(stderr, "can't open %s\n", path);
        return 0;
    }
    std::vector<BYTE> bytes;
    if (!WriteJpegData(bitmap, qualityStep, bytes))
        return 0;
    if (!tessel::WriteFileReplacing(path, bytes.data(), bytes.size())) {
        std::fprintf(stderr, "can't open %s\n", path);
        return 0;
    }
    return 1;
}

namespace {

constexpr const char* kBmpCaption = "Error loading BMP file";

DWORD Dword(const BYTE* p)
{
    return DWORD(p[0]) | (DWORD(p[1]) << 8) | (DWORD(p[2]) << 16) | (DWORD(p[3]) << 24);
}

CDataBlock NotBitmap()
{
    ShowMessageBox("File is NOT Bitmap file", kBmpCaption, MB_ICONSTOP);
    return CDataBlock();
}

} // namespace

CDataBlock LoadBmpData(const BYTE* data, std::size_t size)
{
    constexpr std::size_t kFileHeader = 14, kInfo = sizeof(BITMAPINFOHEADER);
    if (!data || size < kFileHeader || data[0] != 'B' || data[1] != 'M')
        return NotBitmap();
    if (size < kFileHeader + 4 || Dword(data + kFileHeader) != kInfo) {
        ShowMessageBox("File is not Windows Bitmap. Save BMP file in Windows bitmap format and try again.", kBmpCaption);
        return CDataBlock();
    }
    if (size < kFileHeader + kInfo)
        return NotBitmap();
    BITMAPINFOHEADER h;
    std::memcpy(&h, data + kFileHeader, kInfo);
    if (h.biCompression == 1 || h.biCompression == 2) {
        ShowMessageBox("File is RLE compressed what is not supported. Save BMP file without RLE compression and try again.",
            "RLE compression not supported");
        return CDataBlock();
    }

    // The block is header, masks, colour table and pixels without gaps. The file may
    // place its pixels elsewhere (bfOffBits) and carry a shorter table than its bit
    // count implies, so the block is assembled from the file's parts.
    const std::size_t afterHeader = kFileHeader + kInfo;
    const bool bitfields = h.biCompression == 3 && (h.biBitCount == 16 || h.biBitCount == 32);
    const std::size_t masks = bitfields ? 12 : 0;
    std::uint64_t tableCount = 0;
    if (h.biBitCount == 1)
        tableCount = 2;
    else if (h.biBitCount == 4)
        tableCount = h.biClrUsed ? h.biClrUsed : 16;
    else if (h.biBitCount == 8)
        tableCount = h.biClrUsed ? h.biClrUsed : 256;
    const std::uint64_t tableBytes = tableCount * 4;
    const std::uint64_t tableStart = afterHeader + masks;
    if (tableStart > size || tableBytes > size)
        return NotBitmap();
    std::uint64_t pixelStart = tableStart + tableBytes;
    const DWORD offBits = Dword(data + 10);
    if (offBits >= tableStart && offBits <= size)
        pixelStart = offBits;
    if (pixelStart > size)
        return NotBitmap();
    const std::uint64_t tableInFile = std::min<std::uint64_t>(tableBytes, pixelStart - tableStart);
    const std::uint64_t pixelBytes = size - pixelStart;

    CDataBlock block;
    if (!block.Allocate(std::size_t(kInfo + masks + tableBytes + pixelBytes)))
        return NotBitmap();
    BYTE* out = block.Data();
    std::memcpy(out, data + kFileHeader, kInfo + masks);
    out += kInfo + masks;
    std::memcpy(out, data + tableStart, std::size_t(tableInFile));
    std::memset(out + tableInFile, 0, std::size_t(tableBytes - tableInFile));
    out += tableBytes;
    if (pixelBytes)
        std::memcpy(out, data + pixelStart, std::size_t(pixelBytes));
    if (!CDib::IsPackedBlockValid(block.Data(), block.Size()))
        return NotBitmap();
    return block;
}

CDataBlock LoadBmpFile(const char* path)
{
    std::vector<BYTE> bytes;
    if (!path || !CFile::ReadAll(path, bytes))
        return CDataBlock();
    return LoadBmpData(bytes.data(), bytes.size());
}

bool WriteFileBytes(const char* path, const void* data, std::size_t size)
{
    QFile file(QString::fromUtf8(path ? path : ""));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const bool ok = (size == 0 || file.write(static_cast<const char*>(data), qint64(size)) == qint64(size)) && file.flush();
    file.close();
    if (!ok || file.error() != QFileDevice::NoError) {
        file.remove();
        return false;
    }
    return true;
}
