#include "model/items/ImageItem.h"
#include "model/BitmapEffects.h"
#include "framework/core/ColorConversions.h"
#include "model/Escaping.h"

#include "framework/core/CFile.h"
#include "framework/core/Colors.h"
#include "framework/core/Dc.h"
#include "framework/core/MessageBox.h"
#include "framework/core/Png.h"
#include "model/Clipboard.h"
#include "model/Folder.h"
#include "model/HtmlWriting.h"
#include "model/ItemHtml.h"
#include "model/PageOutput.h"
#include "model/Picture.h"
#include "model/PictureFiles.h"
#include "model/PublishContext.h"
#include "model/ShapePrimitive.h"
#include "model/Translate.h"

#include <QtCore/QFile>
#include <QtCore/QFileInfo>

#include <algorithm>
#include <limits>

namespace {

using archive_io::Io;

constexpr std::int64_t kMaxRenderPixels = 40000000;

// Brightening of a row by a shading style (interior styles 1-5, frame styles 1-4).
int ShadeAmount(int style, int y, int H, bool interior)
{
    if (H <= 0)
        return 0;
    const int up = (H - 2 * y) * 50 / H;
    const int down = (H - 2 * y) * -50 / H;
    switch (style) {
    case 1: return up;
    case 2: return down;
    case 3: return y <= H / 2 ? down : up;
    case 4: {
        const int k = (H - 2 * y) * 30 / H;
        return y <= H / 2 ? k + 10 : -k - 10;
    }
    case 5:
        if (!interior)
            return 0;
        if (H / 8 > 0 && y < H / 8)
            return (H / 8 - y) * 100 / (H / 8);
        return down;
    default: return 0;
    }
}

std::uint32_t AdjustHsv(std::uint32_t p, int hueShift, int brightness, int saturation)
{
    int hue = 0, S = 0, V = 0;
    tessel::RgbToHsv(int((p >> 16) & 0xFF), int((p >> 8) & 0xFF), int(p & 0xFF), hue, S, V);
    V = std::clamp(V + brightness, 0, 100);
    S = std::clamp(S + saturation, 0, 100);
    hue += std::clamp(hueShift, -359, 359);
    if (hue < 0)
        hue += 360;
    if (hue > 359)
        hue -= 360;
    hue = std::clamp(hue, 0, 359);
    const COLORREF c = tessel::HueToRgb(unsigned(hue), unsigned(S), unsigned(V));
    return (p & 0xFF000000u) | (tessel::ColorRefToPixel(c) & 0x00FFFFFFu);
}

CString MapName(const CImageItem& item)
{
    CString name;
    for (unsigned char c : item.m_strName.str())
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-')
            name += char(c);
    return CString::Formatted("%s_map_%d", name.GetString(), item.m_nSerial);
}

bool ReadWholeFile(const char* path, CDataBlock& out)
{
    QFile f(QString::fromUtf8(path ? path : ""));
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const qint64 size = f.size();
    if (size < 0 || size > qint64(std::numeric_limits<std::int32_t>::max()))
        return false;
    CDataBlock block;
    if (!block.Allocate(std::size_t(size)))
        return false;
    if (size && f.read(reinterpret_cast<char*>(block.Data()), size) != size)
        return false;
    out.Swap(block);
    return true;
}


} // namespace

void CImageMapArea::Serialize(CArchive& ar, int version)
{
    m_link.Serialize(ar, version);
    Io(ar, m_nKind);
    int r[4] = {m_rect.left, m_rect.top, m_rect.right, m_rect.bottom};
    for (int& v : r)
        Io(ar, v);
    int count = int(m_points.size());
    Io(ar, count);
    if (ar.IsStoring()) {
        for (const CPoint& p : m_points)
            ar << std::int32_t(p.x) << std::int32_t(p.y);
        return;
    }
    m_rect = CRect(r[0], r[1], r[2], r[3]);
    if (count < 0)
        throw CArchiveException(CArchiveException::badIndex, ar.m_strFileName);
    ar.CheckCount(count, 8);
    m_points.assign(std::size_t(count), CPoint());
    for (CPoint& p : m_points) {
        std::int32_t x, y;
        ar >> x >> y;
        p = CPoint(x, y);
    }
}

CImageItem::CImageItem()
{
    m_nType = ITEM_IMAGE;
    m_nSupersampling = 1;
    m_nFrameWidth = 0;
    m_crFrame = 0;
    m_nCornerRadius = 16;
    m_dRotation = 0.0;
}

CImageItem::~CImageItem()
{
    m_pLinked.reset();
    m_areas.clear();
}

bool CImageItem::HasRollover() const
{
    if (IsGif())
        return false;
    return CImageItemBase::HasRollover() || m_nHueShift != 0 || m_nBrightnessShift != 0 || m_nSaturationShift != 0;
}

bool CImageItem::IsModified() const
{
    return m_nEdgeKind != 0 || m_dRotation != 0.0 || m_nFrameShape != 0 || m_nFrameWidth > 0 || m_nShadowKind != 0
        || m_nInteriorShading != 0;
}

bool CImageItem::CanExportAsJpeg() const
{
    return m_bJpegSource && m_nFrameShape == 0 && m_dRotation == 0.0 && m_nEdgeKind == 0 && m_nShadowKind == 0 && !HasRollover();
}

CString CImageItem::GetFileName() const
{
    if (IsGif())
        return GetSafeBaseName() + ".gif";
    return GetSafeBaseName() + (CanExportAsJpeg() ? ".jpg" : ".png");
}

void CImageItem::Serialize(CArchive& ar, int version)
{
    CImageItemBase::Serialize(ar, version);
    CString name = m_strName;
    Io(ar, name);
    if (ar.IsLoading())
        m_strName = name;
    Io(ar, m_bJpegSource);
    Io(ar, m_strSourcePath);
    int linked = m_pLinked ? 1 : 0;
    Io(ar, linked);
    if (ar.IsLoading()) {
        m_pLinked.reset();
        if (linked == 1)
            m_pLinked = std::make_unique<CBitmapItem>();
    }
    if (m_pLinked)
        m_pLinked->Serialize(ar, version);
    if (ar.IsStoring() || version >= 88) {
        Io(ar, m_nHueShift);
        Io(ar, m_nBrightnessShift);
        Io(ar, m_nSaturationShift);
        int count = int(m_areas.size());
        Io(ar, count);
        if (ar.IsStoring()) {
            for (const auto& area : m_areas)
                area->Serialize(ar, version);
        } else {
            if (count < 0)
                throw CArchiveException(CArchiveException::badIndex, ar.m_strFileName);
            // An area holds at least its kind, rectangle and point count.
            ar.CheckCount(count, 24);
            m_areas.clear();
            for (int i = 0; i < count; ++i) {
                auto area = std::make_unique<CImageMapArea>();
                area->Serialize(ar, version);
                m_areas.push_back(std::move(area));
            }
        }
    }
    if (ar.IsLoading()) {
        DecodeStoredImage(*this);
        InvalidateRendering();
    }
}

void CImageItem::SerializeExtra(CArchive& ar, int version)
{
    CImageItemBase::SerializeExtra(ar, version);
    if (m_pLinked)
        m_pLinked->SerializeExtra(ar, version);
    if (ar.IsLoading())
        InvalidateRendering(); // the shadow transparency comes only now
}

namespace {

// Whether Render resamples the picture to the render size.
bool ResamplesTo(const CImageItem& item, int width, int height)
{
    // A render size from a file may ask for more than a picture on a page ever needs.
    const bool sane = std::int64_t(item.m_nRenderWidth) * item.m_nRenderHeight <= kMaxRenderPixels;
    return sane && item.m_nRenderWidth > 0 && item.m_nRenderHeight > 0
        && (item.m_nRenderWidth != width || item.m_nRenderHeight != height);
}

} // namespace

void CImageItem::Render(int state)
{
    if (!m_picture.IsValid())
        return;
    CDib& B = m_state[state ? 1 : 0];
    B = m_picture;
    if (IsGif())
        return;
    if (ResamplesTo(*this, B.GetWidth(), B.GetHeight()))
        B.Resample(m_nRenderWidth, m_nRenderHeight);
    if (m_nFrameWidth >= 1 || m_nFrameShape >= 1)
        DrawBorder(B);
    CImageItemBase::Render(state);
}

std::optional<CSize> CImageItem::MeasureNormalLook()
{
    if (!m_picture.IsValid() || IsGif())
        return std::nullopt;
    CSize look(m_picture.GetWidth(), m_picture.GetHeight());
    if (ResamplesTo(*this, look.cx, look.cy))
        look = CSize(m_nRenderWidth, m_nRenderHeight);
    // The frame and shading keep the size.
    return EffectsSize(look);
}

void CImageItem::DrawBorder(CDib& state)
{
    const int w = state.GetWidth(), h = state.GetHeight();
    if (w < 1 || h < 1 || !m_picture.IsValid())
        return;
    const bool twice = m_nSupersampling != 0 && 2 * w < CDib::kMaxSide && 2 * h < CDib::kMaxSide
        && std::int64_t(w) * h * 4 <= kMaxRenderPixels;
    const int s = twice ? 2 : 1;
    const int W = w * s, H = h * s;
    const int frame = std::max(0, m_nFrameWidth) * s;

    CAlphaCapture capture(W, H);
    CaptureKeyedShape(capture, frame, [&](CDC& dc) { DrawShapePrimitive(*this, &dc, W, H); });

    CDib work;
    work.Create(W, H);
    if (!work.IsValid())
        return;
    const int pw = m_picture.GetWidth(), ph = m_picture.GetHeight();
    const std::uint32_t frameColour = tessel::ColorRefToPixel(m_crFrame);
    std::uint32_t outside = frameColour | 0xFF000000u;
    work.BeginPixels();
    m_picture.BeginPixels();
    for (int x = 0; x < W; ++x) {
        for (int y = 0; y < H; ++y) {
            const COLORREF p = capture.GetPixel(x, y);
            const int red = int(GetRValue(p));
            std::uint32_t v = outside;
            if ((p >> 24) != 0xFF && red == 128) {
                const std::uint32_t source = m_picture.GetPixel(int(std::int64_t(x) * pw / W), int(std::int64_t(y) * ph / H));
                v = AddToChannels(source, ShadeAmount(m_nInteriorShading, y, H, true));
                if (m_nFrameWidth == 0)
                    outside = source | 0xFF000000u;
            } else if ((p >> 24) != 0xFF && red == 192) {
                v = AddToChannels(frameColour, ShadeAmount(m_nFrameShading, y, H, false));
            }
            work.SetPixel(x, y, v);
        }
    }
    m_picture.EndPixels();
    work.EndPixels();

    if (!twice) {
        state = work;
        state.SetOpaqueFlag(0);
        return;
    }
    state.Create(w, h);
    bool transparent = false;
    state.BeginPixels();
    work.BeginPixels();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            unsigned sum[4] = {};
            for (int d = 0; d < 4; ++d) {
                const std::uint32_t q = work.GetPixel(2 * x + (d & 1), 2 * y + (d >> 1));
                for (int c = 0; c < 4; ++c)
                    sum[c] += (q >> (8 * c)) & 0xFF;
            }
            if (sum[3])
                transparent = true;
            state.SetPixel(x, y, (sum[0] / 4) | (sum[1] / 4) << 8 | (sum[2] / 4) << 16 | (sum[3] / 4) << 24);
        }
    work.EndPixels();
    state.EndPixels();
    state.SetOpaqueFlag(transparent ? 0 : 1);
}

void CImageItem::RenderOverState()
{
    EnsureRendered();
    m_state[1] = m_state[0];
    CImageItemBase::RenderOverState();
    if (m_nHueShift == 0 && m_nBrightnessShift == 0 && m_nSaturationShift == 0)
        return;
    std::uint32_t* p = reinterpret_cast<std::uint32_t*>(m_state[1].Lock());
    if (!p)
        return;
    const std::size_t n = std::size_t(m_state[1].GetWidth()) * std::size_t(m_state[1].GetHeight());
    for (std::size_t i = 0; i < n; ++i)
        p[i] = AdjustHsv(p[i], m_nHueShift, m_nBrightnessShift, m_nSaturationShift);
}

CString WriteImageMapAreas(const CImageMapArea& area, const CPageOutput& out)
{
    CString s;
    // a shape dragged up or to the left is stored as dragged; the page needs it ordered
    // (a reversed circle would get a negative radius)
    const CRect& d = area.m_rect;
    const CRect r(std::min(d.left, d.right), std::min(d.top, d.bottom), std::max(d.left, d.right),
                  std::max(d.top, d.bottom));
    switch (area.m_nKind) {
    case CImageMapArea::Circle:
        s.Format("<area shape=circle coords=\"%d,%d,%d\"", (r.left + r.right) / 2, (r.top + r.bottom) / 2, (r.right - r.left) / 2);
        break;
    case CImageMapArea::Polygon:
        s = "<area shape=poly coords=\"";
        for (std::size_t i = 0; i < area.m_points.size(); ++i)
            s.AppendFormat(i ? ", %d,%d" : "%d,%d", area.m_points[i].x, area.m_points[i].y);
        s += "\"";
        break;
    default:
        s.Format("<area shape=rect coords=\"%d,%d,%d,%d\"", r.left, r.top, r.right, r.bottom);
        break;
    }
    area.m_link.BuildHref(s, GetRelativePath(out.m_pPageFolder, area.m_link.m_pTargetFolder));
    s += " alt=\"" + HtmlAttributeEscape(area.m_link.m_wstrTitle.GetUtf8()) + "\">\r\n";
    return s;
}

void CImageItem::WriteHtml(CPageOutput& out)
{
    if (!m_picture.IsValid()) {
        // No file was written for a picture that could not be decoded: the item keeps
        // its place on the page, empty, rather than showing a broken picture.
        CItem::WriteHtml(out);
        WriteTextBoxStyle(out);
        out.Append("<span");
        WriteIdClassTitle(out);
        out.AppendAttribute("style", GetStyle() + "display:inline-block;");
        out.Append("></span>");
        WriteParagraphEnd(out);
        out.AppendLine();
        return;
    }
    if (m_areas.empty()) {
        CImageItemBase::WriteHtml(out);
        return;
    }
    CItem::WriteHtml(out);
    const CString map = MapName(*this);
    out.Append("<map");
    out.AppendAttribute("name", map);
    out.Append(">");
    for (const auto& area : m_areas)
        out.Append(WriteImageMapAreas(*area, out));
    out.Append("</map>");
    WriteTextBoxStyle(out);
    // The areas carry the links: an image with a map may not stand inside a link.
    out.Append("<img");
    if (!m_strClass.IsEmpty())
        out.AppendAttribute("class", m_strClass);
    if (!m_strName.IsEmpty())
        out.AppendAttribute("id", GetHtmlId());
    out.AppendAttribute("usemap", "#" + map);
    out.AppendAttribute("alt", m_strText.GetUtf8());
    const CString style = GetStyle();
    if (!style.IsEmpty())
        out.AppendAttribute("style", style);
    WriteEventAttributes(out);
    const CString file = GetPublishedName();
    out.AppendAttribute("src", ItemFileHref(*this, out, file));
    out.Append(">\r\n");
    WriteParagraphEnd(out);
}

bool CImageItem::ExportFiles(CPublishContext& context)
{
    if (!m_picture.IsValid())
        return false;
    const bool atOwnSize = (m_nRenderWidth == m_picture.GetWidth() && m_nRenderHeight == m_picture.GetHeight())
        || (m_nRenderWidth == 0 && m_nRenderHeight == 0);
    const bool copy = !m_blob.IsEmpty() && (IsGif() || (!IsModified() && atOwnSize));
    CString extension;
    bool jpeg = false;
    if (copy) {
        // The file keeps the bytes, so it takes their extension.
        const int format = SniffPictureFormat(m_blob.Data(), m_blob.Size());
        extension = PictureFormatExtension(format);
        if (extension.IsEmpty())
            extension = IsGif() ? ".gif" : m_bJpegSource ? ".jpg" : ".png";
    } else {
        EnsureRendered();
        if (!m_state[0].IsValid())
            Render(0);
        jpeg = CanExportAsJpeg() && !HasTransparency(m_state[0]);
        extension = jpeg ? ".jpg" : ".png";
    }
    SettleBaseName(context, extension);
    if (HasRollover() && !ExportRolloverSprite(context))
        return false;
    if (!CItem::ExportFiles(context))
        return false;
    const CString name = GetOutputBaseName() + extension;
    const CString local = context.m_strOutputRoot + context.m_strCurrentFolder + name;
    bool written = false;
    if (copy) {
        written = WriteFileBytes(local, m_blob.Data(), m_blob.Size());
    } else if (PackedBitmapPtr packed = m_state[0].CopyToGlobal()) {
        written = jpeg ? WriteJpegFile(local, *packed, 8) != 0 : SavePNG(local, *packed) != 0;
    }
    m_strOutputName = name;
    if (!context.AddWrittenFile(written, local, context.m_strCurrentFolder + name, kPublishFilePicture, &m_nUploadState))
        return false;
    return !m_pLinked || m_pLinked->ExportFiles(context);
}

void CropImage(CImageItem& item, int left, int top, int right, int bottom)
{
    if (!item.m_picture.IsValid())
        return;
    CRect rc(left, top, right, bottom);
    rc.NormalizeRect();
    rc.IntersectRect(rc, CRect(0, 0, item.m_picture.GetWidth(), item.m_picture.GetHeight()));
    if (rc.Width() < 1 || rc.Height() < 1)
        return;
    CDib cut;
    cut.Create(rc.Width(), rc.Height());
    item.m_picture.CopyTo(cut, -rc.left, -rc.top);
    item.m_picture = cut;
    item.m_nRenderWidth = rc.Width();
    item.m_nRenderHeight = rc.Height();
    item.Render(0);
    item.m_nUploadState = 0;
    SaveItemPictureTemp(item);
}

void DecodeStoredImage(CImageItem& item)
{
    if (item.m_blob.IsEmpty())
        return;
    const int format = item.IsGif() ? CPicture::FormatGif : item.m_bJpegSource ? CPicture::FormatJpeg : CPicture::FormatPng;
    PackedBitmapPtr packed = DecodePictureData(item.m_blob.Data(), item.m_blob.Size(), format);
    if (packed) {
        CDib dib;
        if (dib.CreateFromGlobal(*packed))
            item.m_picture = std::move(dib);
    }
}

int ReadFileBytes(CSiteObject& object, const char* path)
{
    CDataBlock bytes;
    if (!ReadWholeFile(path, bytes))
        return 0;
    object.m_blob.Swap(bytes);
    object.m_nUploadState = 0;
    return 1;
}

int ImportImageFile(CImageItem& item, const char* path)
{
    CDataBlock bytes;
    PackedBitmapPtr packed;
    int format = CPicture::FormatUnknown;
    if (ReadWholeFile(path, bytes)) {
        format = SniffPictureFormat(bytes.Data(), bytes.Size());
        if (format != CPicture::FormatUnknown)
            packed = DecodePictureData(bytes.Data(), bytes.Size(), format);
    }
    CDib picture;
    if (!packed || !picture.CreateFromGlobal(*packed)) {
        AfxMessageBox(Translate("The picture could not be read:") + "\n" + CString(path ? path : ""), MB_OK | MB_ICONERROR);
        return 0;
    }
    if (format == CPicture::FormatBmp) {
        // Bitmaps are stored as PNG.
        std::vector<BYTE> png;
        if (!SavePNGData(*packed, png) || !bytes.Assign(png.data(), png.size()))
            return 0;
        format = CPicture::FormatPng;
    }
    item.m_blob.Swap(bytes);
    item.m_nUploadState = 0;
    item.m_nType = format == CPicture::FormatGif ? ITEM_GIF : ITEM_IMAGE;
    item.m_bJpegSource = format == CPicture::FormatJpeg ? 1 : 0;
    // The extension of the path when it names the format, else the format's own.
    const CString suffix = CString::FromQString(QFileInfo(QString::fromUtf8(path)).suffix());
    const CString ext = "." + suffix;
    const bool agrees = CPicture::FormatFromExtension(CString("x") + ext) == format;
    item.m_strExtension = agrees ? ext : CString(PictureFormatExtension(format));
    item.m_strSourcePath = path;
    item.m_picture = std::move(picture);
    item.m_nWidth = item.m_nRenderWidth = item.m_picture.GetWidth();
    item.m_nHeight = item.m_nRenderHeight = item.m_picture.GetHeight();
    item.Render(0);
    return 1;
}

bool SaveItemPictureTemp(CImageItem& item)
{
    PackedBitmapPtr packed = item.m_picture.CopyToGlobal();
    CDataBlock bytes;
    if (!packed || !EncodePictureData(*packed, item.m_bJpegSource != 0, bytes))
        return false;
    item.m_blob.Swap(bytes);
    return true;
}

bool SaveItemPictureTempJpeg(CImageItem& item)
{
    PackedBitmapPtr packed = item.m_picture.CopyToGlobal();
    CDataBlock bytes;
    if (!packed || !EncodeJpegData(*packed, 8, bytes))
        return false;
    item.m_blob.Swap(bytes);
    item.m_nType = ITEM_IMAGE;
    item.m_bJpegSource = 1;
    item.m_strExtension = ".jpg";
    item.m_nUploadState = 0;
    DecodeStoredImage(item);
    item.Render(0);
    return true;
}
