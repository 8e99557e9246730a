#include "model/FillStyle.h"
#include "model/Escaping.h"

#include "framework/core/Colors.h"
#include "framework/core/Dc.h"
#include "framework/core/Gdi.h"
#include "framework/core/Png.h"
#include "model/Folder.h"
#include "model/HtmlWriting.h"
#include "model/Picture.h"
#include "model/PublishContext.h"

#include <algorithm>
#include <cmath>

namespace {

// One channel (shift 0, 8, 16, 24) of a pixel.
int Channel(std::uint32_t p, int shift)
{
    return int((p >> shift) & 0xFFu);
}

// Per channel, transparency included: (b x i) / n + (a x (n - i)) / n, each quotient
// truncated on its own.
std::uint32_t Mix(std::uint32_t a, std::uint32_t b, int i, int n)
{
    std::uint32_t v = 0;
    for (int s = 0; s < 32; s += 8)
        v |= std::uint32_t(((Channel(b, s) * i) / n + (Channel(a, s) * (n - i)) / n) & 0xFF) << s;
    return v;
}

// (b x d) / w + (a x e) / w per channel.
std::uint32_t Mix2(std::uint32_t a, int e, std::uint32_t b, int d, int w)
{
    std::uint32_t v = 0;
    for (int s = 0; s < 32; s += 8)
        v |= std::uint32_t(((Channel(b, s) * d) / w + (Channel(a, s) * e) / w) & 0xFF) << s;
    return v;
}

std::uint32_t WithTransparency(COLORREF c, int t)
{
    return (tessel::ColorRefToPixel(c) & 0x00FFFFFFu) | (std::uint32_t(std::clamp(t, 0, 255)) << 24);
}

// "../" for every folder from the page's folder up to the top: the way to the site root.
CString PathToRoot(const CFolder* folder)
{
    CString path;
    for (int depth = 0; folder && depth < 10000; folder = folder->GetParentFolder(), ++depth)
        path += "../";
    return path;
}

const char* const kGradientCss[9] = {
    "background-repeat:repeat-x;background-position:top center;",
    "background-repeat:repeat-y;background-position:center left;",
    "background-repeat:repeat-x;background-position:bottom center;",
    "background-repeat:repeat-y;background-position:center right;",
    "background-repeat:no-repeat;background-position:top left;",
    "background-repeat:no-repeat;background-position:top right;",
    "background-repeat:no-repeat;background-position:bottom left;",
    "background-repeat:no-repeat;background-position:bottom right;",
    "background-repeat:no-repeat;background-position:center center;",
};

const char* const kPositionCss[9] = {
    "background-position:top center; ",
    "background-position:center left; ",
    "background-position:bottom center; ",
    "background-position:center right; ",
    "background-position:top left; ",
    "background-position:top right; ",
    "background-position:bottom left; ",
    "background-position:bottom right; ",
    "background-position:center center; ",
};

const char* const kRepeatCss[4] = {
    "background-repeat:no-repeat;",
    "background-repeat:repeat-y;",
    "background-repeat:repeat-x;",
    "background-repeat:repeat;",
};

} // namespace

CFillStyle::CFillStyle() = default;

bool CFillStyle::IsSet() const
{
    return m_nKind != KindColor || !tessel::ColorIsUnset(m_crColor);
}

bool CFillStyle::IsDefaultRecord() const
{
    static const CFillStyle d;
    for (int i = 0; i < kStops; ++i)
        if (!(m_stops.Get(i) == d.m_stops.Get(i)))
            return false;
    return m_nKind == d.m_nKind && m_nDirection == d.m_nDirection && m_nEndMode == d.m_nEndMode && m_nLength == d.m_nLength
        && m_crColor == d.m_crColor && m_nPosition == d.m_nPosition && m_nRepeat == d.m_nRepeat && m_crStart == d.m_crStart
        && m_crSecond == d.m_crSecond && m_strFileName == d.m_strFileName && m_nPictureId == d.m_nPictureId && !m_pPicture
        && m_nX == d.m_nX && m_nY == d.m_nY && m_nUploadState == d.m_nUploadState && m_strAddress == d.m_strAddress
        && m_bFixed == d.m_bFixed && m_nTransparency == d.m_nTransparency;
}

CFillStyle& COptionalFill::Edit()
{
    if (!m_p)
        m_p = std::make_unique<CFillStyle>();
    return *m_p;
}

const CFillStyle& COptionalFill::Get() const
{
    static const CFillStyle kNew;
    return m_p ? *m_p : kNew;
}

void COptionalFill::Serialize(CArchive& ar, int version)
{
    if (ar.IsStoring()) {
        CFillStyle blank;
        (m_p ? *m_p : blank).Serialize(ar, version);
        return;
    }
    auto read = std::make_unique<CFillStyle>();
    read->Serialize(ar, version);
    m_p = read->IsDefaultRecord() ? nullptr : std::move(read);
}

void COptionalFill::SerializeExtension(CArchive& ar)
{
    if (m_p || ar.IsStoring()) {
        CFillStyle blank;
        (m_p ? *m_p : blank).SerializeExtension(ar);
        return;
    }
    auto read = std::make_unique<CFillStyle>();
    read->SerializeExtension(ar);
    if (!read->IsDefaultRecord())
        m_p = std::move(read);
}

void CFillStyle::CopySettings(const CFillStyle& other)
{
    m_nKind = other.m_nKind;
    m_crStart = other.m_crStart;
    m_crColor = other.m_crColor;
    m_nDirection = other.m_nDirection;
    m_nLength = other.m_nLength;
    m_nPosition = other.m_nPosition;
    m_pPicture = other.m_pPicture;
    m_nRepeat = other.m_nRepeat;
}

void CFillStyle::Serialize(CArchive& ar, int version)
{
    if (ar.IsStoring()) {
        // A picture that was not found keeps its stored id, so a save never drops it.
        if (m_pPicture)
            m_nPictureId = m_pPicture->m_nPictureId;
        ar << std::int32_t(m_nKind) << std::int32_t(m_nDirection) << std::int32_t(m_nEndMode) << std::int32_t(m_nLength)
           << std::uint32_t(m_crColor) << std::int32_t(m_nPosition) << std::int32_t(m_nRepeat) << std::uint32_t(m_crStart)
           << std::uint32_t(m_crSecond) << m_strFileName << std::int32_t(m_nPictureId) << std::int32_t(m_nX)
           << std::int32_t(m_nY) << std::int32_t(m_nUploadState) << m_strAddress << std::int32_t(m_bFixed);
        for (int i = 0; i < kStops; ++i) {
            const CGradientStops::Stop stop = m_stops.Get(i);
            ar << std::uint32_t(stop.color) << std::int32_t(stop.alpha) << std::int32_t(stop.position);
        }
        return;
    }
    std::int32_t kind, direction, endMode, length, position, repeat, pictureId, x, y, upload;
    std::uint32_t color, start, second;
    ar >> kind >> direction >> endMode >> length >> color >> position >> repeat >> start >> second >> m_strFileName
        >> pictureId >> x >> y >> upload;
    m_nKind = kind;
    m_nDirection = direction;
    m_nEndMode = endMode;
    m_nLength = length;
    m_crColor = color;
    m_nPosition = position;
    m_nRepeat = repeat;
    m_crStart = start;
    m_crSecond = second;
    m_nPictureId = pictureId;
    m_nX = x;
    m_nY = y;
    m_nUploadState = upload;
    if (version >= 87)
        ar >> m_strAddress;
    if (version >= 88) {
        std::int32_t fixed;
        ar >> fixed;
        m_bFixed = fixed;
        for (int i = 0; i < kStops; ++i) {
            std::uint32_t c;
            std::int32_t alpha, pos;
            ar >> c >> alpha >> pos;
            m_stops.Set(i, CGradientStops::Stop{c, alpha, pos});
        }
    }
    m_pPicture = nullptr;
    Render(false);
}

void CFillStyle::SerializeExtension(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << std::int32_t(m_nTransparency);
        return;
    }
    std::int32_t t;
    ar >> t;
    // The record before it rendered the fill at the transparency it holds: only another
    // value renders again (a load reads this for every fill of the project).
    const int transparency = std::clamp(t, 0, 10);
    if (transparency == m_nTransparency && m_nKind == KindColor)
        return;
    m_nTransparency = transparency;
    Render(false);
}

void CFillStyle::Render(bool reset)
{
    m_bitmap.Free();
    if (reset)
        m_nUploadState = 0;
    const int t = std::clamp(m_nTransparency, 0, 10);
    if (m_nKind == KindColor) {
        if (t >= 1) {
            CDib& tile = m_bitmap.Edit();
            tile.Create(100, 100);
            tile.FillRect(WithTransparency(m_crColor, t * 255 / 10));
            tile.SetOpaqueFlag(0);
        }
        return;
    }
    if (m_nKind != KindGradient || m_nDirection < 0 || m_nDirection > 8)
        return;

    const std::uint32_t a = WithTransparency(m_crStart, 255 - ((255 - int(m_crStart >> 24)) * (10 - t)) / 10);
    const COLORREF endColor = m_nEndMode == EndSecondColor ? m_crSecond : m_crColor;
    const std::uint32_t b = WithTransparency(endColor, m_nEndMode == EndTransparent ? 255 : int(m_crColor >> 24));
    // A length of zero or less (a damaged file) would divide by zero; one beyond what the
    // background dialog offers (a damaged file) would render hundreds of megapixels.
    const int length = std::clamp(m_nLength, 1, kMaxGradientLength);
    const int dir = m_nDirection;
    CDib& bitmap = m_bitmap.Edit();
    if (dir <= 3) {
        const bool vertical = dir == 0 || dir == 2;
        bitmap.Create(vertical ? 16 : length, vertical ? length : 16);
    } else if (dir <= 7) {
        bitmap.Create(2 * length, 2 * length);
    } else {
        bitmap.Create(length, length);
    }
    if (!bitmap.IsValid())
        return;
    if (t * 255 / 10 > 0)
        bitmap.SetOpaqueFlag(0);

    const int w = bitmap.GetWidth(), h = bitmap.GetHeight();
    bitmap.BeginPixels();
    if (dir <= 3) {
        const bool vertical = dir == 0 || dir == 2;
        const int n = vertical ? h : w;
        for (int i = 0; i < n; ++i) {
            const std::uint32_t v = dir <= 1 ? Mix(a, b, i, n) : Mix(b, a, i, n);
            if (vertical)
                for (int x = 0; x < w; ++x)
                    bitmap.SetPixel(x, i, v);
            else
                for (int y = 0; y < h; ++y)
                    bitmap.SetPixel(i, y, v);
        }
    } else {
        bitmap.FillRect(tessel::ColorRefToPixel(m_crColor) & 0x00FFFFFFu);
        const int s = w;
        // The colour depends on one distance only: computed once per distance, not per pixel.
        // ramp[k] runs from a at 0 to b at s.
        std::vector<std::uint32_t> ramp(std::size_t(s) + 1);
        for (int k = 0; k <= s; ++k)
            ramp[std::size_t(k)] = Mix2(a, s - k, b, k, s);
        const int half = s / 2;
        std::vector<std::uint32_t> radial(std::size_t(half) + 1);
        for (int r = 0; r < half && dir == 8; ++r)
            radial[std::size_t(r)] = Mix2(a, half - r, b, r, half);
        for (int y = 0; y < s; ++y) {
            for (int x = 0; x < s; ++x) {
                switch (dir) {
                case 4:
                    if (x + y < s)
                        bitmap.SetPixel(x, y, ramp[std::size_t(x + y)]);
                    break;
                case 5:
                    if (x > y)
                        bitmap.SetPixel(x, y, ramp[std::size_t(s - (x - y))]);
                    break;
                case 6:
                    if (x < y)
                        bitmap.SetPixel(x, y, ramp[std::size_t(s - (y - x))]);
                    break;
                case 7:
                    if (x + y > s)
                        bitmap.SetPixel(x, y, ramp[std::size_t(2 * s - x - y)]);
                    break;
                case 8: {
                    const int r = int(std::sqrt(double(x - half) * (x - half) + double(y - half) * (y - half)));
                    if (r < half)
                        bitmap.SetPixel(x, y, radial[std::size_t(r)]);
                    break;
                }
                }
            }
        }
    }
    bitmap.EndPixels();
}

const CDib* CFillStyle::PictureDib() const
{
    if (!m_pPicture)
        return nullptr;
    if (m_pPicture->m_rendering.IsValid())
        return &m_pPicture->m_rendering;
    return m_pPicture->m_picture.IsValid() ? &m_pPicture->m_picture : nullptr;
}

void CFillStyle::Paint(CDC* dc, int left, int top, int right, int bottom, int radius)
{
    if (!dc)
        return;
    const int t = std::clamp(m_nTransparency, 0, 10);
    const bool hasColor = !tessel::ColorIsUnset(m_crColor);
    if (hasColor && t == 0) {
        if (radius > 0) {
            CBrush brush(m_crColor & 0xFFFFFFu);
            CPen* oldPen = dc->SelectObject(static_cast<CPen*>(GetStockObject(NULL_PEN)));
            CBrush* oldBrush = dc->SelectObject(&brush);
            dc->RoundRect(left, top, right, bottom, 2 * radius, 2 * radius);
            dc->SelectObject(oldBrush);
            dc->SelectObject(oldPen);
        } else {
            dc->FillSolidRect(CRect(left, top, right, bottom), m_crColor & 0xFFFFFFu);
        }
    }
    if (m_nKind == KindColor && t == 0)
        return;

    const int saved = dc->SaveDC();
    // Clipped to the shape that step one filled, so nothing lands outside it.
    if (radius > 0) {
        CRgn shape;
        shape.CreateRoundRectRgn(left, top, right, bottom, 2 * radius, 2 * radius);
        dc->SelectClipRgn(&shape, RGN_AND);
    } else {
        dc->IntersectClipRect(left, top, right, bottom);
    }

    if (m_nKind == KindColor && hasColor && t >= 1) {
        if (!m_bitmap->IsValid())
            Render(false);
        if (m_bitmap->IsValid()) {
            CDib& tile = m_bitmap.Edit();
            for (int y = top; y < bottom; y += 100)
                for (int x = left; x < right; x += 100)
                    tile.DrawTransparent(dc, x, y);
        }
    } else if (m_nKind == KindPicture) {
        // The picture object's bitmap is drawn as it is; its opaque flag is its own.
        CDib* picture = const_cast<CDib*>(PictureDib());
        if (picture) {
            const int pw = picture->GetWidth(), ph = picture->GetHeight();
            const int W = right - left, H = bottom - top;
            const int cx = (W - pw) / 2, cy = (H - ph) / 2, rx = W - pw, by = H - ph;
            int ox = 0, oy = 0;
            switch (m_nPosition) {
            case 0: ox = cx; oy = 0; break;
            case 1: ox = 0; oy = cy; break;
            case 2: ox = cx; oy = by; break;
            case 3: ox = rx; oy = cy; break;
            case 5: ox = rx; oy = 0; break;
            case 6: ox = 0; oy = by; break;
            case 7: ox = rx; oy = by; break;
            case 8: ox = cx; oy = cy; break;
            case 9: ox = m_nX; oy = m_nY; break;
            default: break; // 4: top left
            }
            const int ax = left + ox, ay = top + oy;
            const bool across = m_nRepeat == 2 || m_nRepeat == 3, down = m_nRepeat == 1 || m_nRepeat == 3;
            int x0 = ax, y0 = ay, x1 = ax + 1, y1 = ay + 1;
            if (across) {
                while (x0 > left)
                    x0 -= pw;
                x1 = right;
            }
            if (down) {
                while (y0 > top)
                    y0 -= ph;
                y1 = bottom;
            }
            for (int y = y0; y < y1; y += ph)
                for (int x = x0; x < x1; x += pw)
                    picture->DrawTransparent(dc, x, y);
        }
    } else if (m_nKind == KindGradient) {
        if (!m_bitmap->IsValid())
            Render(false);
        if (m_bitmap->IsValid()) {
            CDib& tile = m_bitmap.Edit();
            const int bw = tile.GetWidth(), bh = tile.GetHeight();
            switch (m_nDirection) {
            case 0:
                for (int x = left; x < right; x += 16)
                    tile.DrawTransparent(dc, x, top);
                break;
            case 1:
                for (int y = top; y < bottom; y += 16)
                    tile.DrawTransparent(dc, left, y);
                break;
            case 2:
                for (int x = left; x < right; x += 16)
                    tile.DrawTransparent(dc, x, bottom - bh);
                break;
            case 3:
                for (int y = top; y < bottom; y += 16)
                    tile.DrawTransparent(dc, right - bw, y);
                break;
            case 4: tile.DrawTransparent(dc, left, top); break;
            case 5: tile.DrawTransparent(dc, right - bw, top); break;
            case 6: tile.DrawTransparent(dc, left, bottom - bh); break;
            case 7: tile.DrawTransparent(dc, right - bw, bottom - bh); break;
            case 8: tile.DrawTransparent(dc, left + (right - left - bw) / 2, top + (bottom - top - bh) / 2); break;
            default: break;
            }
        }
    }
    dc->RestoreDC(saved);
}

CString CFillStyle::GetRenderedFileName() const
{
    CString name;
    const int t = std::clamp(m_nTransparency, 0, 10);
    if (m_nKind == KindColor) {
        name.Format("100x100-%d-%d.png", int(m_crColor), t);
    } else if (m_nKind == KindGradient) {
        static const char letters[9] = {'V', 'H', 'V', 'H', 'A', 'B', 'C', 'D', 'R'};
        const char letter = m_nDirection >= 0 && m_nDirection <= 8 ? letters[m_nDirection] : 'X';
        // Every value that changes the picture is in the name, so two different
        // gradients never share a file.
        name.Format("%c%dx%d-%x-%x-%x-d%d-e%d-t%d.png", letter, m_bitmap->GetWidth(), m_bitmap->GetHeight(),
            unsigned(m_crStart), unsigned(m_crColor), unsigned(m_crSecond), m_nDirection, m_nEndMode, t);
    }
    name.MakeLower();
    return name;
}

void CFillStyle::WriteCss(CString& css) const
{
    const int t = std::clamp(m_nTransparency, 0, 10);
    if (!tessel::ColorIsUnset(m_crColor) && t == 0)
        css.AppendFormat("background-color:%s;", ColorToHtml(m_crColor).GetString());
    const CString root = PathToRoot(m_pFolder);
    const CString& rendered = m_strOutputName.IsEmpty() ? m_strFileName : m_strOutputName;
    if (m_nKind == KindColor && t >= 1) {
        css += "background-image:" + CssUrl(root + UrlEncodePath(rendered)) + ";";
        css += "background-repeat:repeat;";
    }
    if (m_nKind == KindGradient) {
        css += "background-image:" + CssUrl(root + UrlEncodePath(rendered)) + ";";
        if (m_nDirection >= 0 && m_nDirection <= 8)
            css += kGradientCss[m_nDirection];
    }
    const bool picture = m_nKind == KindPicture && m_pPicture;
    if (picture || (m_nKind == KindAddress && !m_strAddress.IsEmpty())) {
        if (picture) {
            const CString name = m_strFileName.IsEmpty() ? m_pPicture->GetFileName() : m_strFileName;
            css += "background-image:" + CssUrl(root + UrlEncodePath(name)) + ";";
        } else {
            css += "background-image:" + CssUrl(UrlEscapeUnsafe(m_strAddress)) + ";";
        }
        if (m_nPosition >= 0 && m_nPosition <= 8)
            css += kPositionCss[m_nPosition];
        else if (m_nPosition == 9)
            css.AppendFormat("background-position:%dpx %dpx;", m_nX, m_nY);
        if (m_nRepeat >= 0 && m_nRepeat <= 3)
            css += kRepeatCss[m_nRepeat];
    }
    if (m_bFixed)
        css += "background-attachment:fixed;";
}

int CFillStyle::MakeImageFileName(CPublishContext& context)
{
    const int t = std::clamp(m_nTransparency, 0, 10);
    if ((m_nKind == KindColor && t >= 1) || m_nKind == KindGradient) {
        if (!m_bitmap->IsValid())
            Render(false);
        m_strOutputName = GetRenderedFileName();
        CString folder = context.m_strOutputFolder.IsEmpty() ? context.m_strOutputRoot : context.m_strOutputFolder;
        if (!folder.IsEmpty() && folder[folder.GetLength() - 1] != '/')
            folder += '/';
        const CString path = folder + m_strOutputName;
        PackedBitmapPtr packed = m_bitmap->CopyToGlobal();
        // A file that could not be written is not recorded as written.
        if (!context.AddWrittenFile(packed && SavePNG(path, *packed), path, m_strOutputName, kPublishFilePicture, &m_nUploadState))
            return 0;
    }
    return 1;
}
