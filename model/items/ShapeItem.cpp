#include "model/items/ShapeItem.h"
#include "model/BitmapEffects.h"

#include "framework/core/Colors.h"
#include "framework/core/Dc.h"
#include "framework/core/Gdi.h"
#include "model/Dib.h"
#include "model/ShapePrimitive.h"
#include "model/SiteObject.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

using archive_io::Io;

constexpr std::int64_t kMaxWorkingPixels = 64'000'000;

std::uint32_t Channel(std::uint32_t p, int i)
{
    return (p >> (8 * i)) & 0xFFu;
}

// FNV-1a over the text: a short fingerprint for the file name.
std::uint32_t Fingerprint(const CString& text)
{
    std::uint32_t h = 2166136261u;
    for (int i = 0; i < text.GetLength(); ++i) {
        h ^= BYTE(text[i]);
        h *= 16777619u;
    }
    return h;
}

// The caption as a short name part: ASCII letters, digits, '-' and '_' (for blanks).
CString CaptionNamePart(const CWString& text)
{
    CString ascii;
    text.ToAsciiName(ascii);
    CString out;
    for (int i = 0; i < ascii.GetLength() && out.GetLength() < 24; ++i) {
        const char c = ascii[i];
        if (c == ' ')
            out += '_';
        else if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_')
            out += c;
    }
    return out;
}

} // namespace

CShapeItem::CShapeItem()
{
    m_nType = ITEM_SHAPE;
    m_nRenderWidth = m_nRenderHeight = 100;
    m_nWidth = m_nHeight = 100;
    m_nSupersampling = 1;
    m_nFrameShape = 0;
    m_nCornerRadius = 16;
    m_nFrameWidth = 1;
    m_crFrame = 0;
    m_crSecond = 0xFFFFFF;
    m_dRotation = 0.0;
    m_nInteriorShading = 0;
    m_nFrameShading = 0;
    m_nShadowKind = 0;
    m_nShadowOffset = 2;
    m_nShadowTransparency = 0;
    m_nShadowBlur = 4;
    m_crShadow = 0;
    std::strcpy(m_lf.lfFaceName, "Arial");
    m_lf.lfHeight = -16;
    m_crText = 204;
    m_bPositioned = 1;
}

void CShapeItem::Serialize(CArchive& ar, int version)
{
    CImageItemBase::Serialize(ar, version);
    m_caption.Serialize(ar, version);
    Io(ar, m_crGradient);
    Io(ar, m_nFill);
    Io(ar, m_nFileNameWord);
    Io(ar, m_nArchivedAfterName);
    Io(ar, m_b2Way);
    Io(ar, m_nArchivedAfterTwoWay);
    for (int& r : m_nArchivedTriple)
        Io(ar, r);
    Io(ar, m_nOpacityStep);
    Io(ar, m_bLineBehind);
    if (ar.IsLoading()) {
        m_nFrameShape = std::clamp(m_nFrameShape, 0, kShapeKinds - 1);
        m_nFill = std::clamp(m_nFill, 0, 6);
        m_nOpacityStep = std::clamp(m_nOpacityStep, 0, 9);
        m_nInteriorShading = std::clamp(m_nInteriorShading, 0, 5);
        m_nFrameShading = std::clamp(m_nFrameShading, 0, 5);
        m_b2Way = m_b2Way ? 1 : 0;
        m_nSupersampling = m_nSupersampling ? 1 : 0;
        InvalidateRendering();
    }
}

CString CShapeItem::Describe()
{
    CString s = CImageItemBase::Describe();
    if (!m_caption.m_strText.IsEmpty())
        s.AppendFormat(" %s %dpt", m_lf.lfFaceName, -MulDiv(m_lf.lfHeight, 72, 96));
    return s;
}

CString CShapeItem::GetFileName() const
{
    CString name;
    if (!m_caption.m_strText.IsEmpty()) {
        const CString caption = CaptionNamePart(m_caption.m_strText);
        if (!caption.IsEmpty())
            name += caption + ",";
    }
    const int kind = std::clamp(m_nFrameShape, 0, kShapeKinds - 1);
    name.AppendFormat("%c%dx%d-%d_%x-%x-%d_%x-%x", 'A' + kind, m_nRenderWidth, m_nRenderHeight, m_nCornerRadius,
        m_crSecond, m_crGradient, m_nFrameWidth, m_crFrame, m_nFileNameWord);
    const int edges = (m_nEdgeTop ? 8 : 0) + (m_nEdgeLeft ? 4 : 0) + (m_nEdgeRight ? 16 : 0) + (m_nEdgeBottom ? 32 : 0);
    name.AppendFormat("_%d-%d-%c%d-%d-%d-%d", m_nEdgeSize, edges, 'a' + (m_nSupersampling ? 1 : 0), m_nFill, m_nFrameShading,
        m_nInteriorShading, m_b2Way);
    if (m_nOpacityStep > 0)
        name.AppendFormat("T%d", m_nOpacityStep);
    if (m_nShadowKind != 0)
        name.AppendFormat("_%x-%d-%d", m_crShadow, m_nShadowOffset, m_nShadowBlur);
    if (m_dRotation != 0.0)
        name.AppendFormat(",%f", m_dRotation);

    // Everything else that changes the picture goes into a fingerprint.
    CString key;
    key.AppendFormat("%s|%ld|%ld|%d|%d|%d|%x|%d|%d|%d|%d|%x|", m_lf.lfFaceName, long(m_lf.lfHeight), long(m_lf.lfWeight),
        m_lf.lfItalic, m_lf.lfUnderline, m_lf.lfCharSet, m_crText, m_nEdgeKind, m_nShadowKind, m_nShadowTransparency,
        m_bLineBehind, m_crLayoutBack);
    const CArtisticTextItem& c = m_caption;
    key.AppendFormat("%x|%x|%d|%x|%d|%d|%d|%d|%d|%d|%d|%d|", c.m_crFill2, c.m_crLine2, c.m_nLineWidth2, c.m_crFrame, c.m_nFrameWidth,
        c.m_nGradient, c.m_bGradient2Way, c.m_nStretch, c.m_nCharExtra, c.m_nLineStyle2, c.m_nInteriorShading, c.m_nFrameShading);
    key += c.m_strText.GetUtf8();
    name.AppendFormat("-%08x", Fingerprint(key));
    return name + ".png";
}

void CShapeItem::RenderOverState()
{
    EnsureRendered();
    m_state[1].Copy(m_state[0]);
    CImageItemBase::RenderOverState();
}

namespace {

// The size a shape is drawn at; false where Render draws nothing.
bool ShapeDrawSize(const CShapeItem& shape, int& W, int& H)
{
    W = std::clamp(shape.m_nRenderWidth, 0, CDib::kMaxSide / 2 - 1);
    H = std::clamp(shape.m_nRenderHeight, 0, CDib::kMaxSide / 2 - 1);
    const int k = shape.m_nSupersampling != 0 ? 2 : 1;
    return W >= 1 && H >= 1 && std::int64_t(k * W) * (k * H) <= kMaxWorkingPixels;
}

} // namespace

void CShapeItem::SettleStoredLook()
{
    // What a render stores besides its pixels: the outline within the table, the
    // caption in the shape's font and colour (a project saves them).
    m_nFrameShape = std::clamp(m_nFrameShape, 0, kShapeKinds - 1);
    m_caption.m_lf = m_lf;
    m_caption.m_crText = m_crText;
}

std::optional<CSize> CShapeItem::MeasureNormalLook()
{
    int W = 0, H = 0;
    if (!ShapeDrawSize(*this, W, H))
        return std::nullopt;
    // the caption's render size is stored too (a project saves it)
    SettleStoredLook();
    if (!m_caption.m_strText.IsEmpty())
        m_caption.MeasureNormalLook();
    // The caption is drawn inside the shape: it leaves the size as it is.
    return EffectsSize(CSize(W, H));
}

void CShapeItem::Render(int state)
{
    state = state ? 1 : 0;
    CDib& out = m_state[state];
    int W = 0, H = 0;
    if (!ShapeDrawSize(*this, W, H)) {
        out.Free();
        return;
    }
    const bool aa = m_nSupersampling != 0;
    const int W2 = aa ? 2 * W : W, H2 = aa ? 2 * H : H;
    SettleStoredLook();
    const int lw = std::clamp(m_nFrameWidth, 0, 1000) * (aa ? 2 : 1);

    CAlphaCapture capture(W2, H2);
    CaptureKeyedShape(capture, lw, [&](CDC& dc) {
        if (!m_bLineBehind) {
            DrawShapePrimitive(*this, &dc, W2, H2);
            return;
        }
        CGdiObject* oldBrush = dc.SelectStockObject(NULL_BRUSH);
        DrawShapePrimitive(*this, &dc, W2, H2);
        dc.SelectObject(oldBrush);
        CGdiObject* oldPen = dc.SelectStockObject(NULL_PEN);
        DrawShapePrimitive(*this, &dc, W2, H2);
        dc.SelectObject(oldPen);
    });

    std::uint32_t F = tessel::ColorRefToPixel(m_crSecond);
    if (m_nFill == 0)
        F |= 0xFF000000u;
    const std::uint32_t L = tessel::ColorRefToPixel(m_crFrame);
    const std::uint32_t G = tessel::ColorRefToPixel(m_crGradient);
    const std::uint32_t M = (lw > 0 ? L : F) | 0xFF000000u;
    const int o = std::clamp(m_nOpacityStep, 0, 9) * 255 / 10;
    const double cx = W2 / 2.0, cy = H2 / 2.0;
    const int halfW = W2 / 2, halfH = H2 / 2;

    CDib temp;
    temp.Create(W2, H2);
    if (!temp.IsValid()) {
        out.Free();
        return;
    }
    temp.BeginPixels();
    for (int y = 0; y < H2; ++y) {
        const int fillD = ReliefAmount(m_nInteriorShading, y, H2);
        const int lineD = ReliefAmount(m_nFrameShading, y, H2);
        for (int x = 0; x < W2; ++x) {
            const COLORREF p = capture.GetPixel(x, y);
            const bool covered = (p >> 24) != 0xFF;
            const int key = GetBValue(p);
            std::uint32_t v = M;
            if (covered && key == 128 && m_nFill >= 1) {
                v = F;
                if (m_nFill >= 2) {
                    double t = 0;
                    if (m_nFill == 3 || m_nFill == 6) {
                        if (!m_b2Way)
                            t = double(x) / W2;
                        else if (halfW > 0)
                            t = x <= halfW ? double(x) / halfW : double(W2 - x) / halfW;
                    } else if (m_nFill == 2 || m_nFill == 5) {
                        if (!m_b2Way)
                            t = double(y) / H2;
                        else if (halfH > 0)
                            t = y <= halfH ? double(y) / halfH : double(H2 - y) / halfH;
                    } else {
                        const double dx = (cx - x) / cx, dy = (cy - y) / cy;
                        t = std::min(1.0, std::sqrt(dx * dx + dy * dy));
                        if (m_b2Way && t < 1.0)
                            t = 2 * std::fabs(t - 0.5);
                    }
                    if (m_nFill == 2 || m_nFill == 3)
                        t = 1 - t;
                    t = std::clamp(t, 0.0, 1.0);
                    std::uint32_t g = F & 0xFF000000u;
                    for (int ch = 0; ch < 3; ++ch)
                        g |= std::uint32_t(Channel(F, ch) * 256 * t / 256 + Channel(G, ch) * (256 - 256 * t) / 256) << (8 * ch);
                    v = g;
                }
                v = AddToChannels(v, fillD);
            }
            if (covered && key == 192)
                v = AddToChannels(L, lineD);
            if (o > 0) {
                const int opacity = (255 - o) * (255 - int(v >> 24)) / 255;
                v = (v & 0x00FFFFFFu) | std::uint32_t(255 - opacity) << 24;
            }
            temp.SetPixel(x, y, v);
        }
    }
    temp.EndPixels();

    out.Create(W, H);
    if (!out.IsValid())
        return;
    if (!aa) {
        out.CopyPixels(temp);
    } else {
        temp.BeginPixels();
        out.BeginPixels();
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x) {
                std::uint32_t sum[4] = {0, 0, 0, 0};
                for (int j = 0; j < 2; ++j)
                    for (int i = 0; i < 2; ++i) {
                        const std::uint32_t p = temp.GetPixel(2 * x + i, 2 * y + j);
                        for (int ch = 0; ch < 4; ++ch)
                            sum[ch] += Channel(p, ch);
                    }
                out.SetPixel(x, y, sum[3] / 4 << 24 | sum[2] / 4 << 16 | sum[1] / 4 << 8 | sum[0] / 4);
            }
        out.EndPixels();
        temp.EndPixels();
    }
    out.SetOpaqueFlag(0);

    // Caption, centred.
    if (!m_caption.m_strText.IsEmpty()) {
        m_caption.Render(state);
        const CDib& text = m_caption.StateBitmap(state);
        if (text.IsValid())
            text.CompositeTo(out, (out.GetWidth() - text.GetWidth()) / 2, (out.GetHeight() - text.GetHeight()) / 2);
    }
    CImageItemBase::Render(state);
}
