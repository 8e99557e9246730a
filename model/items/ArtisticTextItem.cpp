#include "model/items/ArtisticTextItem.h"
#include "model/BitmapEffects.h"
#include "model/TextRuns.h"

#include "framework/core/Dc.h"
#include "framework/core/Gdi.h"
#include "model/Dib.h"
#include "model/SiteObject.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

using archive_io::Io;

constexpr int kMaxFontHeight = 1000;
constexpr int kMaxLineWidth = 100;
constexpr std::int64_t kMaxWorkingPixels = 64'000'000;

std::uint32_t Channel(COLORREF c, int i)
{
    return (c >> (8 * i)) & 0xFFu;
}

} // namespace

int ReliefAmount(int style, int y, int H)
{
    if (H <= 0)
        return 0;
    switch (style) {
    case 1: return (H - 2 * y) * 50 / H;
    case 2: return (H - 2 * y) * -50 / H;
    case 3: return y <= H / 2 ? (H - 2 * y) * -50 / H : (H - 2 * y) * 50 / H;
    case 4: {
        const int k = (H - 2 * y) * 30 / H;
        return y <= H / 2 ? k + 10 : -k - 10;
    }
    case 5:
        if (H / 8 > 0 && y < H / 8)
            return (H / 8 - y) * 100 / (H / 8);
        return (H - 2 * y) * -50 / H;
    default: return 0;
    }
}

void DrawOutlinedText(const CImageItemBase& item, CDC* dc, const QString& text, const ArtisticLook& look)
{
    const int lw = std::clamp(item.m_nFrameWidth, 0, kMaxLineWidth), lw2 = std::clamp(look.lineWidth2, 0, kMaxLineWidth);
    const int o = (lw + lw2) * 4;
    if (lw2 > 0) {
        CPen pen(PS_SOLID, o, look.line2 & 0xFFFFFF);
        CPen* old = dc->SelectObject(&pen);
        dc->BeginPath();
        dc->TextOut(o, o, text);
        dc->EndPath();
        dc->StrokePath();
        dc->SelectObject(old);
    }
    if (lw > 0) {
        CPen pen(PS_SOLID, lw * 4, item.m_crFrame & 0xFFFFFF);
        CPen* old = dc->SelectObject(&pen);
        dc->BeginPath();
        dc->TextOut(o, o, text);
        dc->EndPath();
        dc->StrokePath();
        dc->SelectObject(old);
    }
    dc->SetTextColor(item.m_crText & 0xFFFFFF);
    dc->TextOut(o, o, text);
}

namespace {

// The working size (four times the look's) of a text and the font it is drawn in.
struct ArtisticBox {
    LOGFONT big;
    int extra = 0;
    int W4 = 0, H4 = 0;
};

// Measuring at four times the size, stretched and spaced; false for an empty text, no
// fonts or a working size beyond the limits.
bool MeasureArtisticBox(const CImageItemBase& item, const QString& text, const ArtisticLook& look, ArtisticBox& box)
{
    // Fonts need the GUI application; without one (a tool, a fuzz run) nothing is drawn.
    if (text.isEmpty() || !CanLayOutText())
        return false;
    const int lw = std::clamp(item.m_nFrameWidth, 0, kMaxLineWidth), lw2 = std::clamp(look.lineWidth2, 0, kMaxLineWidth);
    LOGFONT lf = item.m_lf;
    lf.lfHeight = std::clamp<LONG>(lf.lfHeight, -kMaxFontHeight, kMaxFontHeight);
    lf.lfWidth = 0;

    CDC measure;
    CFont font;
    font.CreateFontIndirect(&lf);
    CFont* oldFont = measure.SelectObject(&font);
    TEXTMETRIC tm{};
    measure.GetTextMetrics(&tm);
    measure.SelectObject(oldFont);
    const double stretch = std::clamp(look.stretch, 1, 1000);
    box.big = lf;
    box.big.lfWidth = LONG(tm.tmAveCharWidth * stretch * 4.0 / 100.0);
    box.big.lfHeight = lf.lfHeight * 4;
    CFont bigFont;
    bigFont.CreateFontIndirect(&box.big);
    measure.SelectObject(&bigFont);
    box.extra = int(std::clamp(look.charExtra, -1000, 1000) * 4.0);
    measure.SetTextCharacterExtra(box.extra);
    const CSize extent = measure.GetTextExtent(text);

    box.W4 = extent.cx + (lw + lw2) * 8 + 8;
    if (lf.lfItalic)
        box.W4 += 32;
    box.H4 = extent.cy + (lw + lw2) * 8;
    return !(box.W4 < 4 || box.H4 < 4 || box.W4 >= CDib::kMaxSide || box.H4 >= CDib::kMaxSide
        || std::int64_t(box.W4) * box.H4 > kMaxWorkingPixels);
}

} // namespace

std::optional<CSize> MeasureArtisticLook(CImageItemBase& item, const QString& text, const ArtisticLook& look)
{
    ArtisticBox box;
    if (!MeasureArtisticBox(item, text, look, box))
        return std::nullopt;
    const CSize size(box.W4 / 4, box.H4 / 4);
    item.m_nRenderWidth = size.cx;
    item.m_nRenderHeight = size.cy;
    return item.EffectsSize(size);
}

bool RenderArtisticText(CImageItemBase& item, int state, const QString& text, const ArtisticLook& look)
{
    ArtisticBox box;
    if (!MeasureArtisticBox(item, text, look, box))
        return false;
    const int W4 = box.W4, H4 = box.H4;
    CFont bigFont;
    bigFont.CreateFontIndirect(&box.big);
    const int extra = box.extra;

    CAlphaCapture capture(W4, H4);
    CDC& dc = capture.GetDC();
    dc.SelectObject(&bigFont);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextCharacterExtra(extra);
    for (int n = 0; n < 2; ++n) {
        capture.FillBackground(n);
        DrawOutlinedText(item, &dc, text, look);
        capture.Capture(n);
    }

    const int W = W4 / 4, H = H4 / 4;
    CDib& out = item.StateBitmap(state);
    out.Create(W, H);
    if (!out.IsValid())
        return false;

    int S = 0;
    switch (look.gradient) {
    case 1: case 4: S = H; break;
    case 2: case 5: S = W; break;
    case 3: S = int(std::sqrt(double((W * W) / 4 + (H * H) / 4))) + 1; break;
    default: break;
    }
    if (look.twoWay)
        S /= 2;

    const COLORREF face = item.m_crText & 0xFFFFFF, inner = item.m_crFrame & 0xFFFFFF, outer = look.line2 & 0xFFFFFF;
    const COLORREF second = look.fill2 & 0xFFFFFF;
    out.BeginPixels();
    for (int y = 0; y < H; ++y) {
        const int faceD = 2 * ReliefAmount(item.m_nInteriorShading, y, H);
        const int innerD = 2 * ReliefAmount(item.m_nFrameShading, y, H);
        const int outerD = 2 * ReliefAmount(look.outerRelief, y, H);
        for (int x = 0; x < W; ++x) {
            int n = 0;
            std::uint32_t sum[3] = {0, 0, 0};
            for (int j = 0; j < 4; ++j)
                for (int i = 0; i < 4; ++i) {
                    COLORREF c = capture.GetPixel(4 * x + i, 4 * y + j);
                    if ((c >> 24) == 0xFF)
                        continue;
                    c &= 0xFFFFFF;
                    if (c == face) {
                        if (look.gradient >= 1 && look.gradient <= 5 && S > 0) {
                            int t = 0;
                            if (look.gradient == 2 || look.gradient == 5)
                                t = look.twoWay && x > W / 2 ? W - x : x;
                            else if (look.gradient == 1 || look.gradient == 4)
                                t = look.twoWay && y > H / 2 ? H - y : y;
                            else {
                                t = int(std::sqrt(double(W / 2 - x) * (W / 2 - x) + double(H / 2 - y) * (H / 2 - y)));
                                if (t > S)
                                    t = 2 * S - t;
                            }
                            if (look.gradient == 4 || look.gradient == 5)
                                t = S - t;
                            t = std::clamp(t, 0, S);
                            COLORREF g = 0;
                            for (int ch = 0; ch < 3; ++ch)
                                g |= (Channel(second, ch) * t / S + Channel(face, ch) * (S - t) / S) << (8 * ch);
                            c = g;
                        }
                        c = AddToChannels(c, faceD);
                    }
                    if (c == inner)
                        c = AddToChannels(c, innerD);
                    if (c == outer)
                        c = AddToChannels(c, outerD);
                    ++n;
                    for (int ch = 0; ch < 3; ++ch)
                        sum[ch] += Channel(c, ch);
                }
            if (n > 0) {
                const std::uint32_t r = sum[0] / n, g = sum[1] / n, b = sum[2] / n;
                out.SetPixel(x, y, std::uint32_t(255 - n * 255 / 16) << 24 | r << 16 | g << 8 | b);
            } else {
                out.SetPixel(x, y, 0xFF000000u);
            }
        }
    }
    out.EndPixels();
    out.SetOpaqueFlag(0);
    item.m_nRenderWidth = W;
    item.m_nRenderHeight = H;
    return true;
}

void SetLetterItemDefaults(CImageItemBase& item, int type, const char* face, int height)
{
    item.m_nType = type;
    std::strncpy(item.m_lf.lfFaceName, face, sizeof item.m_lf.lfFaceName - 1);
    item.m_lf.lfHeight = height;
    item.m_nFrameWidth = 2;
    item.m_crFrame = 0xE0E0E0;
    item.m_nInteriorShading = 0;
    item.m_nFrameShading = 0;
    item.m_crText = 204;
    item.m_bPositioned = 1;
}

// ---------------------------------------------------------------- Artistic Text

CArtisticTextItem::CArtisticTextItem()
{
    SetLetterItemDefaults(*this, ITEM_ARTISTIC_TEXT, "Arial", -48);
}

void CArtisticTextItem::Serialize(CArchive& ar, int version)
{
    CImageItemBase::Serialize(ar, version);
    Io(ar, m_crFill2);
    Io(ar, m_crLine2);
    Io(ar, m_nLineWidth2);
    Io(ar, m_nGradient);
    Io(ar, m_bGradient2Way);
    Io(ar, m_nStretch);
    Io(ar, m_nCharExtra);
    Io(ar, m_nLineStyle2);
    if (ar.IsLoading())
        InvalidateRendering();
}

CString CArtisticTextItem::Describe()
{
    CString s = CImageItemBase::Describe();
    s.AppendFormat(" %s %dpt", m_lf.lfFaceName, -MulDiv(m_lf.lfHeight, 72, 96));
    return s;
}

void ResizeByFont(CImageItemBase& item, int left, int top, int right, int bottom)
{
    CRect rc(left, top, right, bottom);
    rc.NormalizeRect();
    if (item.m_nWidth > 0) {
        LONG h = LONG(std::int64_t(item.m_lf.lfHeight) * rc.Width() / item.m_nWidth);
        if (h == 0)
            h = item.m_lf.lfHeight < 0 ? -1 : 1;
        item.m_lf.lfHeight = std::clamp<LONG>(h, -kMaxFontHeight, kMaxFontHeight);
    }
    item.m_nX = rc.left;
    item.m_nY = rc.top;
    item.Render(0);
    item.RecalcLayout();
    item.m_nUploadState = 0;
}

void CArtisticTextItem::SetRect(int left, int top, int right, int bottom)
{
    ResizeByFont(*this, left, top, right, bottom);
}

void CArtisticTextItem::RenderOverState()
{
    EnsureRendered();
    m_state[1].Copy(m_state[0]);
    CImageItemBase::RenderOverState();
}

std::optional<CSize> CArtisticTextItem::MeasureNormalLook()
{
    return MeasureArtisticLook(*this, m_strText.ToQString(), LookOf(*this, m_nCharExtra));
}

void CArtisticTextItem::Render(int state)
{
    if (RenderArtisticText(*this, state, m_strText.ToQString(), LookOf(*this, m_nCharExtra)))
        CImageItemBase::Render(state);
}
