#include "model/Picture.h"

#include "framework/core/Exceptions.h"
#include "framework/core/Paths.h"
#include "framework/core/Png.h"
#include "framework/core/CFile.h"
#include "framework/core/Colors.h"
#include "framework/core/Dc.h"
#include "framework/core/MessageBox.h"
#include "gifimport/GifDecoder.h"
#include "model/BitmapEffects.h"
#include "model/OutputPaths.h"
#include "model/PictureFiles.h"
#include "model/PublishContext.h"
#include "model/ShapePrimitive.h"

#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>

#include <algorithm>
#include <cstring>
#include <limits>

CPicture::CPicture()
{
    m_nType = 47;
    // the picture id is the counter's next value after the root's serial
    SetObjectCounter(GetObjectCounter() + 1);
    m_nPictureId = GetObjectCounter();
}

CString CPicture::GetFileName() const
{
    if (!m_strOutputName.IsEmpty())
        return m_strOutputName;
    if (!m_strThirdName.IsEmpty())
        return m_strThirdName;
    switch (m_nFormat) {
    case FormatPng: return m_strName + ".png";
    case FormatJpeg: return m_strName + ".jpg";
    case FormatGif: return m_strName + ".gif";
    case FormatBmp: return m_strName + ".bmp";
    default: return m_strName;
    }
}

int CPicture::FormatFromExtension(const CString& path)
{
    CString name = tessel::FileNameOf(path);
    int dot = name.ReverseFind('.');
    CString ext = dot < 0 ? CString() : name.Mid(dot);
    if (ext.CompareNoCase(".gif") == 0)
        return FormatGif;
    if (ext.CompareNoCase(".png") == 0)
        return FormatPng;
    if (ext.CompareNoCase(".bmp") == 0)
        return FormatBmp;
    if (ext.CompareNoCase(".jpg") == 0 || ext.CompareNoCase(".jpeg") == 0 || ext.CompareNoCase(".jpe") == 0)
        return FormatJpeg;
    return FormatUnknown;
}

int CPicture::LoadFile(const CString& path)
{
    // Read into a block of our own first: a file that cannot be read leaves the picture
    // as it was.
    CPicture probe;
    if (!probe.LoadBlobFromFile(path))
        return 0;
    m_blob.Swap(probe.m_blob);
    m_strThirdName.Empty();
    m_nUploadState = 0;
    CString name = tessel::FileNameOf(path);
    int dot = name.ReverseFind('.');
    m_strName = dot < 0 ? name : name.Left(dot);
    const int sniffed = SniffPictureFormat(m_blob.Data(), m_blob.Size());
    m_nFormat = sniffed != FormatUnknown ? sniffed : FormatFromExtension(path);
    const bool decoded = DecodeSource();
    Render();
    return decoded ? 1 : 0; // the bytes stay even when they do not decode
}

bool CPicture::DecodeSource()
{
    m_picture.Free();
    m_nWidth = m_nHeight = 0;
    if (m_blob.IsEmpty())
        return false;
    PackedBitmapPtr packed = DecodePictureData(m_blob.Data(), m_blob.Size(), m_nFormat);
    if (!packed || !m_picture.CreateFromGlobal(*packed))
        return false;
    m_nWidth = m_picture.GetWidth();
    m_nHeight = m_picture.GetHeight();
    return true;
}

void CPicture::SerializeExtra(CArchive& ar, int /*version*/)
{
    archive_io::Io(ar, m_nShadowTransparency);
    if (ar.IsLoading()) {
        m_nShadowTransparency = std::clamp(m_nShadowTransparency, 0, 100);
        Render();
    }
}

void CPicture::Serialize(CArchive& ar, int /*version*/)
{
    if (ar.IsStoring()) {
        ar << std::int32_t(m_nPictureId) << std::int32_t(m_nWidth) << std::int32_t(m_nHeight);
        ar << m_strName;
        ar << std::int32_t(m_nFormat) << std::int32_t(m_nUploadState) << std::int32_t(m_nStoredWord);
        ar << std::int32_t(m_nSupersampling) << std::int32_t(m_bInvert) << std::int32_t(m_nChannelSwap);
        ar << std::uint32_t(m_crFrame) << std::int32_t(m_nFrameShading) << std::int32_t(m_nFrameWidth);
        ar << std::int32_t(m_nCornerRadius) << std::int32_t(m_nShape) << std::int32_t(m_nFadeKind);
        ar << std::int32_t(m_nFadeLeft) << std::int32_t(m_nFadeRight) << std::int32_t(m_nFadeTop) << std::int32_t(m_nFadeBottom);
        ar << std::int32_t(m_nFadeWidth) << std::uint32_t(m_crShadow) << std::int32_t(m_nShadowOffset);
        ar << std::int32_t(m_nShadowSoftness) << std::int32_t(m_bShadow);
        if (m_blob.Size() > std::size_t(std::numeric_limits<std::int32_t>::max()))
            AfxThrowArchiveException(CArchiveException::genericException, ar.m_strFileName);
        ar << std::int32_t(m_blob.Size());
        if (m_blob.Size())
            ar.Write(m_blob.Data(), m_blob.Size());
        return;
    }
    std::int32_t v[25];
    ar >> v[0] >> v[1] >> v[2];
    ar >> m_strName;
    for (int i = 3; i < 24; ++i)
        ar >> v[i];
    m_nPictureId = v[0];
    m_nWidth = v[1];
    m_nHeight = v[2];
    m_nFormat = v[3];
    m_nUploadState = v[4];
    m_nStoredWord = v[5];
    m_nSupersampling = v[6];
    m_bInvert = v[7];
    m_nChannelSwap = v[8];
    m_crFrame = COLORREF(v[9]);
    m_nFrameShading = v[10];
    m_nFrameWidth = v[11];
    m_nCornerRadius = v[12];
    m_nShape = v[13];
    m_nFadeKind = v[14];
    m_nFadeLeft = v[15];
    m_nFadeRight = v[16];
    m_nFadeTop = v[17];
    m_nFadeBottom = v[18];
    m_nFadeWidth = v[19];
    m_crShadow = COLORREF(v[20]);
    m_nShadowOffset = v[21];
    m_nShadowSoftness = v[22];
    m_bShadow = v[23];
    std::int32_t size = 0;
    ar >> size;
    if (size < 0)
        AfxThrowArchiveException(CArchiveException::badIndex, ar.m_strFileName);
    if (size > 0) {
        ar.CheckCount(size);
        CDataBlock block;
        if (!block.Allocate(std::size_t(size)))
            AfxThrowMemoryException();
        ar.Read(block.Data(), block.Size());
        m_blob.Swap(block);
        int width = m_nWidth, height = m_nHeight;
        if (!DecodeSource()) {
            // keep the stored size of a picture we cannot decode
            m_nWidth = width;
            m_nHeight = height;
        }
    }
    m_strThirdName.Empty();
    Render();
}

// ---------------------------------------------------------------- formats and decoding

int SniffPictureFormat(const BYTE* data, std::size_t size)
{
    if (!data)
        return CPicture::FormatUnknown;
    static const BYTE kPng[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (size >= 8 && std::memcmp(data, kPng, 8) == 0)
        return CPicture::FormatPng;
    if (size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF)
        return CPicture::FormatJpeg;
    if (size >= 6 && std::memcmp(data, "GIF8", 4) == 0 && (data[4] == '7' || data[4] == '9') && data[5] == 'a')
        return CPicture::FormatGif;
    if (size >= 14 && data[0] == 'B' && data[1] == 'M')
        return CPicture::FormatBmp;
    return CPicture::FormatUnknown;
}

const char* PictureFormatExtension(int format)
{
    switch (format) {
    case CPicture::FormatPng: return ".png";
    case CPicture::FormatJpeg: return ".jpg";
    case CPicture::FormatGif: return ".gif";
    case CPicture::FormatBmp: return ".bmp";
    default: return "";
    }
}

namespace {

PackedBitmapPtr DecodeGifData(const BYTE* data, std::size_t size)
{
    try {
        CGifDecoder decoder;
        if (!decoder.Parse(data, size, [](const CString& text, const CString& caption, unsigned type) {
                return ShowMessageBox(text, caption, type);
            }))
            return nullptr;
        if (decoder.FrameCount() == 0)
            return nullptr;
        return decoder.GetFrameDib(0);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

PackedBitmapPtr PackedFromDib(const CDib& dib)
{
    return dib.IsValid() ? dib.CopyToGlobal() : nullptr;
}

} // namespace

PackedBitmapPtr DecodePictureData(const BYTE* data, std::size_t size, int format)
{
    if (!data || !size)
        return nullptr;
    const int sniffed = SniffPictureFormat(data, size);
    if (sniffed != CPicture::FormatUnknown)
        format = sniffed;
    switch (format) {
    case 0:
    case CPicture::FormatPng: return LoadPNGData(data, size);
    case CPicture::FormatJpeg: return ReadJpegData(data, size);
    case CPicture::FormatGif: return DecodeGifData(data, size);
    case CPicture::FormatBmp: {
        CDataBlock packed = LoadBmpData(data, size);
        CDib dib;
        if (packed.IsEmpty() || !dib.CreateFromGlobal(packed))
            return nullptr;
        return PackedFromDib(dib);
    }
    default: return nullptr;
    }
}

bool EncodeJpegData(const CPackedBitmap& bitmap, int qualityStep, CDataBlock& out)
{
    // The JPEG writer works on files; a private temporary folder holds the one file.
    QTemporaryDir dir;
    if (!dir.isValid())
        return false;
    const CString path = CString::FromQString(dir.filePath(QStringLiteral("encode.jpg")));
    if (!WriteJpegFile(path, bitmap, qualityStep))
        return false;
    QFile f(path.ToQString());
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = f.readAll();
    return !bytes.isEmpty() && out.Assign(bytes.constData(), std::size_t(bytes.size()));
}

bool EncodePictureData(const CPackedBitmap& bitmap, bool jpeg, CDataBlock& out)
{
    if (jpeg)
        return EncodeJpegData(bitmap, 8, out);
    std::vector<BYTE> png;
    return SavePNGData(bitmap, png) && out.Assign(png.data(), png.size());
}

bool HasTransparency(const CDib& dib)
{
    const BYTE* bits = dib.Lock();
    if (!bits)
        return false;
    const std::size_t n = std::size_t(dib.GetWidth()) * std::size_t(dib.GetHeight());
    const auto* p = reinterpret_cast<const std::uint32_t*>(bits);
    for (std::size_t i = 0; i < n; ++i)
        if (p[i] >> 24)
            return true;
    return false;
}

// ---------------------------------------------------------------- rendering

void DrawFrameMask(CPicture& picture)
{
    const int w = picture.m_picture.GetWidth(), h = picture.m_picture.GetHeight();
    picture.m_rendering.Free();
    if (w < 1 || h < 1)
        return;
    // The factor comes from the file: keep the drawing surface within what a bitmap holds.
    int f = std::clamp(picture.m_nSupersampling, 1, 4);
    while (f > 1 && (std::int64_t(w) * f > CDib::kMaxSide - 1 || std::int64_t(h) * f > CDib::kMaxSide - 1))
        --f;
    const int W = w * f, H = h * f;
    const int frame = std::max(0, picture.m_nFrameWidth);

    CAlphaCapture capture(W, H);
    CaptureKeyedShape(capture, frame * f, [&](CDC& dc) {
        DrawShapeFigure(&dc, picture.m_nShape, W, H, frame * f, std::max(0, picture.m_nCornerRadius) * f, true);
    });

    CDib work;
    work.Create(W, H);
    if (!work.IsValid())
        return;
    const std::uint32_t frameColour = tessel::ColorRefToPixel(picture.m_crFrame) & 0x00FFFFFFu;
    work.BeginPixels();
    picture.m_picture.BeginPixels();
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            const std::uint32_t source = picture.m_picture.GetPixel(x / f, y / f);
            std::uint32_t v = source | 0xFF000000u;
            const COLORREF p = capture.GetPixel(x, y);
            if ((p >> 24) != 0xFF) {
                const int blue = int(GetBValue(p));
                if (blue == 128) {
                    v = source;
                } else if (blue == 192) {
                    int a = 0;
                    switch (picture.m_nFrameShading) {
                    case 1: a = ((H - 2 * y) * 50) / H; break;
                    case 2: a = ((H - 2 * y) * -50) / H; break;
                    case 3: a = y <= H / 2 ? ((H - 2 * y) * -50) / H : ((H - 2 * y) * 50) / H; break;
                    case 4:
                        a = ((H - 2 * y) * 30) / H;
                        a = y <= H / 2 ? a + 10 : -a - 10;
                        break;
                    default: break;
                    }
                    v = AddToChannels(frameColour, a);
                }
            }
            work.SetPixel(x, y, v);
        }
    }
    picture.m_picture.EndPixels();
    work.EndPixels();

    CDib& out = picture.m_rendering;
    if (f < 2) {
        out = work;
        out.SetOpaqueFlag(0);
        return;
    }
    out.Create(w, h);
    if (!out.IsValid())
        return;
    bool transparent = false;
    const int n = f * f;
    out.BeginPixels();
    work.BeginPixels();
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            unsigned sum[4] = {};
            for (int dy = 0; dy < f; ++dy)
                for (int dx = 0; dx < f; ++dx) {
                    const std::uint32_t p = work.GetPixel(x * f + dx, y * f + dy);
                    for (int c = 0; c < 4; ++c)
                        sum[c] += (p >> (8 * c)) & 0xFF;
                }
            if (sum[3])
                transparent = true;
            out.SetPixel(x, y, (sum[0] / n) | (sum[1] / n) << 8 | (sum[2] / n) << 16 | (sum[3] / n) << 24);
        }
    }
    work.EndPixels();
    out.EndPixels();
    out.SetOpaqueFlag(transparent ? 0 : 1);
}

namespace {

std::uint32_t SwapChannels(std::uint32_t p, int swap)
{
    const std::uint32_t t = p & 0xFF000000u;
    const std::uint32_t R = (p >> 16) & 0xFF, G = (p >> 8) & 0xFF, B = p & 0xFF;
    std::uint32_t r = R, g = G, b = B;
    switch (swap) {
    case 1: r = G; g = R; b = B; break;
    case 2: r = B; g = G; b = R; break;
    case 3: r = R; g = B; b = G; break;
    case 4: r = B; g = R; b = G; break;
    case 5: r = G; g = B; b = R; break;
    default: break;
    }
    return t | r << 16 | g << 8 | b;
}

bool AnyFadeFlag(const CPicture& p)
{
    return p.m_nFadeLeft || p.m_nFadeRight || p.m_nFadeTop || p.m_nFadeBottom;
}

} // namespace

void CPicture::Render()
{
    m_rendering.Free();
    if (m_blob.IsEmpty() || !m_picture.IsValid())
        return;
    if (m_nFrameWidth < 1 && m_nShape < 1)
        m_rendering = m_picture;
    else
        DrawFrameMask(*this);
    if (!m_rendering.IsValid())
        return;
    if (m_bInvert || (m_nChannelSwap >= 1 && m_nChannelSwap <= 5)) {
        std::uint32_t* p = reinterpret_cast<std::uint32_t*>(m_rendering.Lock());
        const std::size_t n = std::size_t(m_rendering.GetWidth()) * std::size_t(m_rendering.GetHeight());
        for (std::size_t i = 0; i < n; ++i) {
            std::uint32_t v = p[i];
            if (m_bInvert)
                v ^= 0x00FFFFFFu;
            p[i] = SwapChannels(v, m_nChannelSwap);
        }
    }
    if (m_bShadow) {
        const std::uint32_t colour = tessel::ColorRefToPixel(m_crShadow) & 0x00FFFFFFu;
        std::unique_ptr<CDib> shadow = MakeShadowBitmap(&m_rendering, 100 - std::clamp(m_nShadowTransparency, 0, 100),
            m_nShadowOffset, std::max(0, m_nShadowSoftness) + 1, colour, m_crFrame);
        if (shadow)
            m_rendering = *shadow;
    }
    if (m_nFadeKind == 2)
        ApplyEllipticalEdgeFade(m_rendering, m_nFadeLeft, m_nFadeRight, m_nFadeTop, m_nFadeBottom, 1.0);
    else if (m_nFadeKind == 1)
        ApplyLinearEdgeFade(m_rendering, m_nFadeLeft, m_nFadeRight, m_nFadeTop, m_nFadeBottom, m_nFadeWidth);
}

bool CPicture::HasShapeEffects() const
{
    return m_nShape != 0 || m_nFrameWidth > 0 || (m_nFadeKind != 0 && AnyFadeFlag(*this)) || m_bShadow;
}

// ---------------------------------------------------------------- export

namespace {

bool IsListed(const CPublishContext& context, const CString& localPath)
{
    for (const auto& f : context.GetFiles())
        if (f->m_strLocalPath == localPath)
            return true;
    return false;
}

} // namespace

void CPicture::Export(CPublishContext& context)
{
    // What is written decides the extension; the name is settled before any file is named.
    enum { Copy, Png, Jpeg } road = Copy;
    const bool rendered = m_rendering.IsValid();
    if (rendered && HasShapeEffects())
        road = Png;
    else if (rendered && (m_bInvert || (m_nChannelSwap >= 1 && m_nChannelSwap <= 5)))
        road = HasTransparency(m_rendering) ? Png : Jpeg;

    CString extension;
    if (road == Png)
        extension = ".png";
    else if (road == Jpeg)
        extension = ".jpg";
    else {
        const int sniffed = SniffPictureFormat(m_blob.Data(), m_blob.Size());
        extension = PictureFormatExtension(sniffed != FormatUnknown ? sniffed : m_nFormat);
    }
    CString base = SafeFileNameText(m_strName);
    if (base.IsEmpty())
        base.Format("picture%d", m_nPictureId);
    CString name = base + extension;
    for (int n = 2; IsListed(context, context.m_strOutputRoot + name); ++n)
        name = CString::Formatted("%s_%d%s", base.GetString(), n, extension.GetString());
    const CString path = context.m_strOutputRoot + name;

    bool written = false;
    if (road == Copy) {
        written = WriteFileBytes(path, m_blob.Data(), m_blob.Size());
    } else if (PackedBitmapPtr packed = m_rendering.CopyToGlobal()) {
        written = road == Png ? SavePNG(path, *packed) != 0 : WriteJpegFile(path, *packed, 8) != 0;
    }
    m_strOutputName = name;
    context.AddWrittenFile(written, path, name, kPublishFilePicture, &m_nUploadState);
}
