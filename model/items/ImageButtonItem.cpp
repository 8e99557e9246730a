#include "model/items/ImageButtonItem.h"
#include "framework/core/ColorConversions.h"
#include "model/TextRuns.h"

#include "framework/core/Colors.h"
#include "framework/core/Dc.h"
#include "framework/core/Gdi.h"
#include "model/SiteObject.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

using archive_io::Io;

// Working surfaces beyond this many pixels are drawn at a smaller scale.
constexpr std::int64_t kMaxWorkingPixels = 16'000'000;
constexpr int kMaxFontHeight = 2000;

// An outline in working pixels: rectangle, ellipse or rounded rectangle (corner ellipse
// ew x eh); a pixel belongs to it when its centre does.
struct Outline {
    int kind = 0; // 0 rectangle, 1 ellipse, 2 rounded rectangle
    double l = 0, t = 0, r = 0, b = 0, ew = 0, eh = 0;

    bool Contains(double x, double y) const
    {
        const double px = x + 0.5, py = y + 0.5;
        if (px < l || px >= r || py < t || py >= b)
            return false;
        if (kind == 1) {
            const double rx = (r - l) / 2, ry = (b - t) / 2;
            if (rx <= 0 || ry <= 0)
                return false;
            const double dx = (px - (l + rx)) / rx, dy = (py - (t + ry)) / ry;
            return dx * dx + dy * dy <= 1.0;
        }
        if (kind == 2 && ew > 0 && eh > 0) {
            const double rx = std::min(ew, r - l) / 2, ry = std::min(eh, b - t) / 2;
            const double cx = px < l + rx ? l + rx : (px > r - rx ? r - rx : px);
            const double cy = py < t + ry ? t + ry : (py > b - ry ? b - ry : py);
            if (cx != px && cy != py) {
                const double dx = (px - cx) / rx, dy = (py - cy) / ry;
                return dx * dx + dy * dy <= 1.0;
            }
        }
        return true;
    }
};

int ShapeKindOf(int kind)
{
    return kind <= 0 ? 0 : (kind == 1 ? 1 : 2);
}

struct Geometry {
    int w, h, k, W, H, kind;
    int r; // corner ellipse size at inset 0 for kinds 2-4

    Outline At(int s) const
    {
        Outline o;
        o.kind = ShapeKindOf(kind);
        o.l = o.t = double(s) * k;
        o.r = double(w - s) * k;
        o.b = double(h - s) * k;
        o.ew = o.eh = r - 2 * s * k;
        return o;
    }
};

int Clamp255(int v)
{
    return std::clamp(v, 0, 255);
}

std::uint32_t Pixel(int r, int g, int b, int t)
{
    return std::uint32_t(Clamp255(t)) << 24 | std::uint32_t(Clamp255(r)) << 16 | std::uint32_t(Clamp255(g)) << 8 | std::uint32_t(Clamp255(b));
}

} // namespace

CImageButtonItem::CImageButtonItem()
{
    m_nType = ITEM_IMAGE_BUTTON;
    m_nRenderWidth = 88;
    m_nRenderHeight = 88 * 2 / 5;
    m_nWidth = m_nRenderWidth;
    m_nHeight = m_nRenderHeight;
    m_nSupersampling = 4;
    m_nFrameShape = 2;
    m_nFrameWidth = 4;
    m_crFrame = 0x00FFFF;
    m_crSecond = 0xC0C0C0;
    m_nInteriorShading = 1;
    m_nFrameShading = 0;
    std::strcpy(m_lf.lfFaceName, "Tahoma");
    m_lf.lfHeight = -12;
    m_lf.lfWeight = FW_BOLD;
    m_lf.lfCharSet = DEFAULT_CHARSET;
    m_strText = "OK";
    m_crText = 0xFFFFFF;
    m_bPositioned = 1;
}

void CImageButtonItem::Serialize(CArchive& ar, int version)
{
    CImageItemBase::Serialize(ar, version);
    Io(ar, m_crHoverBorder);
    Io(ar, m_crHoverFace);
    Io(ar, m_crHoverCaption);
    Io(ar, m_nHoverShadingPlus1);
    Io(ar, m_nHoverBorderWidthPlus1);
    Io(ar, m_bGlass);
    Io(ar, m_bHairline);
    Io(ar, m_nCaptionStyle);
    Io(ar, m_crBackground);
    Io(ar, m_bInnerShadow);
    if (ar.IsStoring() || version >= 88)
        Io(ar, m_crHairline);
    if (ar.IsLoading()) {
        m_nHoverBorderWidthPlus1 = std::clamp(m_nHoverBorderWidthPlus1, 0, 1001);
        InvalidateRendering();
    }
}

CString CImageButtonItem::Describe()
{
    CString s = CImageItemBase::Describe();
    s.AppendFormat(" %s %dpt", m_lf.lfFaceName, -MulDiv(m_lf.lfHeight, 72, 96));
    return s;
}

bool CImageButtonItem::HasRollover() const
{
    if (m_nType == ITEM_GIF)
        return false;
    return !tessel::ColorIsUnset(m_crHoverCaption) || !tessel::ColorIsUnset(m_crHoverFace) || !tessel::ColorIsUnset(m_crHoverBorder)
        || m_nHoverShadingPlus1 > 0 || m_nHoverBorderWidthPlus1 >= 1;
}

void CImageButtonItem::RenderOverState()
{
    Render(1);
    CImageItemBase::RenderOverState();
}

void CImageButtonItem::Render(int state)
{
    RenderButton(state);
    CImageItemBase::Render(state);
}

std::optional<CSize> CImageButtonItem::MeasureNormalLook()
{
    // The limits of RenderButton: beyond them it draws nothing.
    const int w = std::clamp(m_nRenderWidth, 0, CDib::kMaxSide - 1);
    const int h = std::clamp(m_nRenderHeight, 0, CDib::kMaxSide - 1);
    if (w < 1 || h < 1 || std::int64_t(w) * h > kMaxWorkingPixels)
        return std::nullopt;
    return EffectsSize(CSize(w, h));
}

void CImageButtonItem::RenderButton(int state)
{
    state = state ? 1 : 0;
    CDib& out = m_state[state];
    const int w = std::clamp(m_nRenderWidth, 0, CDib::kMaxSide - 1);
    const int h = std::clamp(m_nRenderHeight, 0, CDib::kMaxSide - 1);
    if (w < 1 || h < 1) {
        out.Free();
        m_work.Free();
        return;
    }
    int k = std::clamp(m_nSupersampling, 1, 8);
    while (k > 1 && (std::int64_t(w) * k * std::int64_t(h) * k > kMaxWorkingPixels || w * k >= CDib::kMaxSide || h * k >= CDib::kMaxSide))
        --k;
    if (std::int64_t(w) * h > kMaxWorkingPixels) {
        out.Free();
        m_work.Free();
        return;
    }

    // Effective values of this state.
    COLORREF face = m_crSecond, border = m_crFrame, caption = m_crText;
    int shading = m_nInteriorShading, b = m_nFrameWidth;
    if (state == 1) {
        if (!tessel::ColorIsUnset(m_crHoverFace))
            face = m_crHoverFace;
        if (!tessel::ColorIsUnset(m_crHoverBorder))
            border = m_crHoverBorder;
        if (!tessel::ColorIsUnset(m_crHoverCaption))
            caption = m_crHoverCaption;
        if (m_nHoverShadingPlus1 > 0)
            shading = m_nHoverShadingPlus1 - 1;
        if (m_nHoverBorderWidthPlus1 > 0)
            b = m_nHoverBorderWidthPlus1 - 1;
    }
    b = std::clamp(b, 0, 1000);

    Geometry g;
    g.w = w, g.h = h, g.k = k, g.W = w * k, g.H = h * k, g.kind = m_nFrameShape;
    const int q = (w < h ? w : h) * k;
    g.r = m_nFrameShape == 2 ? q / 4 : (m_nFrameShape == 3 ? q / 2 : q);
    const int W = g.W, H = g.H;

    const COLORREF matte = b > 0 ? border : (m_bHairline ? m_crHairline : m_crBackground);
    m_work.Create(W, H);
    if (!m_work.IsValid()) {
        out.Free();
        return;
    }
    m_work.FillRect(tessel::ColorRefToPixel(matte) | 0xFF000000u);
    m_work.BeginPixels();

    // Face.
    {
        const int c = k * (std::clamp(m_nFrameWidth, 0, 1000) + 2);
        const int e = c + W / 128;
        const Outline O = g.At(0);
        Outline I;
        I.kind = ShapeKindOf(g.kind);
        I.l = e, I.t = c, I.r = W - e, I.b = H - c, I.ew = g.r - e, I.eh = g.r - c;
        Outline L;
        L.kind = ShapeKindOf(g.kind);
        L.l = 0, L.t = g.kind <= 0 ? H / 3 : H / 4, L.r = W, L.b = H, L.ew = g.r - e, L.eh = g.r - c;
        const int T = int(face >> 24);
        for (int y = 0; y < H; ++y) {
            const int py = 2 * y / k;
            int dr = 0;
            if (shading == 1)
                dr = -((py - h / 2) * 92 / h);
            else if (shading == 2)
                dr = (py - h / 2) * 32 / h;
            for (int x = 0; x < W; ++x) {
                if (!O.Contains(x, y))
                    continue;
                int ch[3] = {Clamp255(GetRValue(face) + dr), Clamp255(GetGValue(face) + dr), Clamp255(GetBValue(face) + dr)};
                if (m_bGlass && I.Contains(x, y) && !L.Contains(x, y)) {
                    const int px = 2 * x / k;
                    double v;
                    if (g.kind == 2)
                        v = std::sqrt(double(w - px) * (w - px) + double(h - py) * (h - py)) / std::max(w, h) * (h - py) / h;
                    else
                        v = double(h - (3 * py) / 2) / h;
                    v = std::max(v, 0.0);
                    for (int& cc : ch)
                        cc = std::min(255, cc + int((255 - cc) * v));
                }
                m_work.SetPixel(x, y, Pixel(ch[0], ch[1], ch[2], T));
            }
        }
    }

    const int borderShading = m_nFrameShading;
    auto ring = [&](COLORREF colour, int from, int to, int dx, int dy, int t) {
        const Outline A = g.At(from), B = g.At(to);
        for (int y = 0; y < H; ++y) {
            const int s1 = (2 * y / k - h / 2) * 92 / h, s2 = (2 * y / k - h / 2) * 32 / h;
            for (int x = 0; x < W; ++x) {
                const int sx = x - dx, sy = y - dy;
                if (!A.Contains(sx, sy) || B.Contains(sx, sy))
                    continue;
                int ch[3] = {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
                for (int& cc : ch) {
                    if (borderShading == 1)
                        cc = Clamp255(cc - s1 * cc / 255);
                    else if (borderShading == 2)
                        cc = Clamp255(cc + s2 * cc / 255);
                }
                m_work.BlendPixel(x, y, Pixel(ch[0], ch[1], ch[2], t));
            }
        }
    };
    if (m_bInnerShadow)
        ring(0, b - b / 2, b, b / 2, b / 2, 120);
    ring(border, 0, b, 0, 0, 0);
    if (m_bHairline) {
        if (!m_bInnerShadow)
            ring(m_crHairline, b, b + 1, 0, 0, 0);
        ring(m_crHairline, 0, 1, 0, 0, 0);
    }

    // Caption (fonts need the GUI application).
    if (!m_strText.IsEmpty() && CanLayOutText()) {
        LOGFONT lf = m_lf;
        lf.lfHeight = std::clamp<LONG>(lf.lfHeight, -kMaxFontHeight, kMaxFontHeight) * k;
        lf.lfWidth = std::clamp<LONG>(lf.lfWidth, -kMaxFontHeight, kMaxFontHeight) * k;
        CFont font;
        font.CreateFontIndirect(&lf);
        const QString text = m_strText.ToQString();
        auto drawCaption = [&](COLORREF c, int dx, int dy) {
            CAlphaCapture capture(W, H);
            CDC& dc = capture.GetDC();
            dc.SelectObject(&font);
            dc.SetBkMode(TRANSPARENT);
            dc.SetTextColor(c & 0xFFFFFF);
            for (int n = 0; n < 2; ++n) {
                capture.FillBackground(n);
                CRect rc(dx, dy - k, W, H);
                dc.DrawText(text, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
                capture.Capture(n);
            }
            // An unset caption colour shows as the colour itself.
            const std::uint32_t T = tessel::ColorIsUnset(c) ? 0u : (c >> 24);
            const std::uint32_t value = (tessel::ColorRefToPixel(c) & 0x00FFFFFFu) | T << 24;
            for (int y = 0; y < H; ++y)
                for (int x = 0; x < W; ++x)
                    if ((capture.GetPixel(x, y) >> 24) != 0xFF)
                        m_work.SetPixel(x, y, value);
        };
        const COLORREF dark = tessel::DarkenColor(caption), light = tessel::LightenColor(caption);
        switch (m_nCaptionStyle) {
        case 1: {
            // Half the item's own font height, in working pixels.
            const int d = int(std::abs(std::clamp<LONG>(m_lf.lfHeight, -kMaxFontHeight, kMaxFontHeight)) / 2);
            drawCaption(dark, d, d);
            break;
        }
        case 2:
            drawCaption(dark, -2 * k, -2 * k);
            drawCaption(light, 2 * k, 2 * k);
            break;
        case 3:
            drawCaption(dark, 2 * k, 2 * k);
            drawCaption(light, -2 * k, -2 * k);
            break;
        default:
            break;
        }
        drawCaption(caption, 0, 0);
    }

    // Averaged down k x k, transparency included.
    out.Create(w, h);
    out.BeginPixels();
    const int kk = k * k;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            int sum[4] = {0, 0, 0, 0};
            for (int j = 0; j < k; ++j)
                for (int i = 0; i < k; ++i) {
                    const std::uint32_t p = m_work.GetPixel(x * k + i, y * k + j);
                    for (int c = 0; c < 4; ++c)
                        sum[c] += int((p >> (8 * c)) & 0xFF);
                }
            out.SetPixel(x, y, std::uint32_t(sum[3] / kk) << 24 | std::uint32_t(sum[2] / kk) << 16 | std::uint32_t(sum[1] / kk) << 8 | std::uint32_t(sum[0] / kk));
        }
    }
    out.EndPixels();
    out.SetOpaqueFlag(0);
    m_work.EndPixels();
}

namespace {

struct ButtonPreset {
    int italic;
    const char* face;
    int outline, border, borderShading;
    COLORREF caption, faceColour, borderColour;
    int faceShading, hairline;
    COLORREF hairlineColour;
    int glass;
};

// Look 6 ("Orange") names Arial: a face name the system cannot find would fall back to
// whatever font happens to be first.
constexpr ButtonPreset kPresets[14] = {
    {0, "Tahoma", 2, 4, 0, 0xFFFFFF, 0x303030, 0x000000, 2, 1, 0x404040, 0},
    {0, "Tahoma", 2, 4, 0, 0x000000, 0xFFFFFF, 0xE0E0E0, 1, 1, 0xC0C0C0, 0},
    {0, "Arial", 2, 0, 0, 0xFFFFFF, 0x0000FF, 0xE0E0E0, 1, 0, 0xC0C0C0, 0},
    {0, "Arial", 2, 0, 0, 0xFFFFFF, 0x800000, 0xE0E0E0, 1, 1, 0xC08000, 1},
    {0, "Arial", 2, 0, 0, 0xFFFFFF, 0x008000, 0xE0E0E0, 1, 0, 0xC0C0C0, 0},
    {0, "Arial", 3, 4, 0, 0x000000, 0x00FFFF, 0x80E0E0, 0, 1, 0x00C0C0, 0},
    {0, "Arial", 2, 0, 0, 0x00FFFF, 0x0080FF, 0xE0E0E0, 1, 0, 0xC0C0C0, 0},
    {0, "Verdana", 2, 4, 0, 0xFFFFFF, 0x800000, 0xE0A430, 0, 1, 0xC0C0C0, 0},
    {1, "Times New Roman", 4, 0, 0, 0xFFFFFF, 0xBC00FF, 0xE00080, 0, 0, 0xC0C0C0, 0},
    {0, "Verdana", 3, 6, 2, 0xFFFFFF, 0x0000FF, 0x00D0FF, 2, 1, 0x5C98FF, 1},
    {0, "Trebuchet MS", 4, 6, 2, 0x328032, 0x00FF73, 0x00FFBB, 2, 1, 0x6EFF8C, 1},
    {1, "Garamond", 3, 4, 2, 0x5A465A, 0xFFD2FF, 0xFFC8FF, 2, 1, 0xFFB4E6, 0},
    {0, "Verdana", 0, 4, 2, 0xFFFFFF, 0x807475, 0xC0C0C0, 1, 1, 0xBEB4BE, 0},
    {0, "Verdana", 4, 4, 1, 0xFFFFFF, 0x808080, 0x0000FF, 1, 1, 0xFFFFFF, 0},
};

} // namespace

void ApplyButtonPreset(CImageButtonItem& item, int preset)
{
    if (preset < 0 || preset >= 14)
        return;
    const ButtonPreset& p = kPresets[preset];
    item.m_lf.lfWeight = FW_BOLD;
    item.m_lf.lfItalic = BYTE(p.italic);
    std::memset(item.m_lf.lfFaceName, 0, sizeof item.m_lf.lfFaceName);
    std::strncpy(item.m_lf.lfFaceName, p.face, sizeof item.m_lf.lfFaceName - 1);
    // A character set left from a symbol face would keep the caption in symbols.
    item.m_lf.lfCharSet = DEFAULT_CHARSET;
    item.m_nCaptionStyle = 0;
    item.m_bInnerShadow = 0;
    item.m_crBackground = 0xFFFFFF;
    item.m_crHoverBorder = item.m_crHoverFace = item.m_crHoverCaption = 0xFFFFFFFFu;
    item.m_nHoverShadingPlus1 = 0;
    item.m_nHoverBorderWidthPlus1 = 0;
    item.m_nFrameShape = p.outline;
    item.m_nFrameWidth = p.border;
    item.m_nFrameShading = p.borderShading;
    item.m_crText = p.caption;
    item.m_crSecond = p.faceColour;
    item.m_crFrame = p.borderColour;
    item.m_nInteriorShading = p.faceShading;
    item.m_bHairline = p.hairline;
    item.m_crHairline = p.hairlineColour;
    item.m_bGlass = p.glass;
}
