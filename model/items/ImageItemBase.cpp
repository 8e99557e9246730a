#include "model/items/ImageItemBase.h"
#include "model/OutputPaths.h"
#include "model/Escaping.h"

#include "framework/core/Colors.h"
#include "framework/core/Dc.h"
#include "framework/core/Png.h"
#include "model/Border.h"
#include "model/Clipboard.h"
#include "model/Folder.h"
#include "model/BitmapEffects.h"
#include "model/ItemHtml.h"
#include "model/PageOutput.h"
#include "model/PublishContext.h"
#include "model/RenderBudget.h"

#include <algorithm>
#include <cmath>
#include <cstring>

using archive_io::Io;

// ---------------------------------------------------------------- the item

CImageItemBase::CImageItemBase()
{
    m_bPositioned = 1;
    m_nWidthMode = 0;
    m_nHeightMode = 0;
    m_lf.lfCharSet = 1;
    m_lf.lfOutPrecision = 4;
    m_lf.lfClipPrecision = 0;
    m_lf.lfQuality = 1;
    m_lf.lfPitchAndFamily = 0;
    MakeFillAndPadding();
}

CImageItemBase::~CImageItemBase() = default;

void CImageItemBase::Serialize(CArchive& ar, int version)
{
    CItem::Serialize(ar, version);
    Io(ar, m_nRenderWidth);
    Io(ar, m_nRenderHeight);
    Io(ar, m_dRotation);
    Io(ar, m_nFrameShape);
    Io(ar, m_nCornerRadius);
    Io(ar, m_crSecond);
    Io(ar, m_crFrame);
    Io(ar, m_nFrameWidth);
    Io(ar, m_nSupersampling);
    Io(ar, m_nInteriorShading);
    Io(ar, m_nFrameShading);
    Io(ar, m_nEdgeKind);
    Io(ar, m_nEdgeLeft);
    Io(ar, m_nEdgeRight);
    Io(ar, m_nEdgeTop);
    Io(ar, m_nEdgeBottom);
    Io(ar, m_nEdgeSize);
    Io(ar, m_crOverShift);
    Io(ar, m_bShowOverState);
    Io(ar, m_crShadow);
    Io(ar, m_nShadowOffset);
    Io(ar, m_nShadowBlur);
    Io(ar, m_nShadowKind);
    if (ar.IsStoring())
        ar.Write(&m_lf, sizeof m_lf);
    else
        ar.Read(&m_lf, sizeof m_lf);
    if (ar.IsStoring() || version >= 88) {
        Io(ar, m_nArchivedSince88);
        Io(ar, m_bFormButton);
    }
    if (ar.IsLoading()) {
        // Values from a file are kept where the renderers can work with them.
        m_lf.lfFaceName[sizeof m_lf.lfFaceName - 1] = 0;
        m_nEdgeSize = std::clamp(m_nEdgeSize, 0, 100);
        m_nShadowOffset = std::max(0, m_nShadowOffset);
        m_nShadowBlur = std::clamp(m_nShadowBlur, 0, kMaxShadowRadius - 1);
        m_nFrameWidth = std::clamp(m_nFrameWidth, 0, 1000);
        m_nCornerRadius = std::clamp(m_nCornerRadius, 0, 10000);
        m_nRenderWidth = std::clamp(m_nRenderWidth, 0, CDib::kMaxSide - 1);
        m_nRenderHeight = std::clamp(m_nRenderHeight, 0, CDib::kMaxSide - 1);
        if (!std::isfinite(m_dRotation))
            m_dRotation = 0.0;
    }
}

void CImageItemBase::SerializeExtra(CArchive& ar, int version)
{
    CItem::SerializeExtra(ar, version);
    Io(ar, m_nShadowTransparency);
    if (ar.IsLoading())
        m_nShadowTransparency = std::clamp(m_nShadowTransparency, 0, 100);
}

CString CImageItemBase::Describe()
{
    CString s = CItem::Describe();
    if (m_dRotation != 0.0)
        s.AppendFormat(" %g\xC2\xB0", m_dRotation);
    return s;
}

void CImageItemBase::TextSizeDown()
{
    const LONG old = m_lf.lfHeight;
    LONG h = old * 9 / 10;
    // Every step changes the size, down to one pixel.
    if (h == old && std::abs(old) > 1)
        h = old > 0 ? old - 1 : old + 1;
    if (h == 0)
        h = old;
    m_lf.lfHeight = h;
    Render(0);
}

void CImageItemBase::TextSizeUp()
{
    const LONG old = m_lf.lfHeight;
    LONG h = old * 11 / 10;
    if (h == old)
        h = old > 0 ? old + 1 : old - 1;
    m_lf.lfHeight = h;
    Render(0);
}

bool CImageItemBase::HasRollover() const
{
    return (m_crOverShift >> 24) < 0xFF;
}

void CImageItemBase::RenderOverState()
{
    EnsureRendered();
    if ((m_crOverShift >> 24) == 0xFF)
        return;
    CDib& over = m_state[1];
    std::uint32_t* p = reinterpret_cast<std::uint32_t*>(over.Lock());
    if (!p)
        return;
    const int dr = int(GetRValue(m_crOverShift)) - 128, dg = int(GetGValue(m_crOverShift)) - 128, db = int(GetBValue(m_crOverShift)) - 128;
    const std::size_t n = std::size_t(over.GetWidth()) * std::size_t(over.GetHeight());
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint32_t v = p[i];
        const int r = std::clamp(int((v >> 16) & 0xFF) + dr, 0, 255);
        const int g = std::clamp(int((v >> 8) & 0xFF) + dg, 0, 255);
        const int b = std::clamp(int(v & 0xFF) + db, 0, 255);
        p[i] = (v & 0xFF000000u) | std::uint32_t(r) << 16 | std::uint32_t(g) << 8 | std::uint32_t(b);
    }
}

void CImageItemBase::Render(int state)
{
    if (state == 0)
        m_bRenderPending = false;
    CDib& B = m_state[state ? 1 : 0];
    if (!B.IsValid())
        return;
    if (m_nEdgeKind == 1)
        ApplyLinearEdgeFade(B, m_nEdgeLeft, m_nEdgeRight, m_nEdgeTop, m_nEdgeBottom, m_nEdgeSize);
    else if (m_nEdgeKind == 2)
        ApplyEllipticalEdgeFade(B, m_nEdgeLeft, m_nEdgeRight, m_nEdgeTop, m_nEdgeBottom, std::clamp(m_nEdgeSize, 0, 100) / 100.0);
    if (m_dRotation != 0.0) {
        const std::uint32_t fill = tessel::ColorRefToPixel(m_crLayoutBack) | 0xFF000000u;
        if (std::unique_ptr<CDib> rotated = B.Rotate(m_dRotation, fill, true, false))
            B.Copy(*rotated);
    }
    if (m_nShadowKind > 0) {
        std::unique_ptr<CDib> shadow = MakeShadowBitmap(&B, 100 - std::clamp(m_nShadowTransparency, 0, 100), m_nShadowOffset,
            m_nShadowBlur + 1, tessel::ColorRefToPixel(m_crShadow) & 0x00FFFFFFu, m_crSecond);
        if (shadow)
            B.Copy(*shadow);
    }
}

std::optional<CSize> CImageItemBase::MeasureNormalLook()
{
    return std::nullopt;
}

std::optional<CSize> CImageItemBase::EffectsSize(CSize look) const
{
    // As Render: the edge fades keep the size, a rotation takes the bounding box, a
    // shadow grows by its offset and blur.
    if (look.cx < 1 || look.cy < 1 || look.cx >= CDib::kMaxSide || look.cy >= CDib::kMaxSide)
        return std::nullopt;
    if (m_dRotation != 0.0) {
        look = CDib::RotatedSize(look.cx, look.cy, m_dRotation, false);
        if (look.cx < 1 || look.cy < 1 || look.cx >= CDib::kMaxSide || look.cy >= CDib::kMaxSide)
            return std::nullopt;
    }
    if (m_nShadowKind > 0) {
        int w = 0, h = 0;
        if (!ShadowBitmapSize(look.cx, look.cy, m_nShadowOffset, m_nShadowBlur + 1, w, h))
            return std::nullopt;
        look = CSize(w, h);
    }
    return look;
}

bool CImageItemBase::NormalLookSize(CSize& size)
{
    if (m_bRenderPending) {
        if (const std::optional<CSize> measured = MeasureNormalLook()) {
            size = *measured;
            return true;
        }
        EnsureRendered();
    }
    size = CSize(m_state[0].GetWidth(), m_state[0].GetHeight());
    return m_state[0].IsValid();
}

void CImageItemBase::RecalcLayout()
{
    CItem::RecalcLayout();
    if (m_nType == ITEM_GIF)
        return;
    // without a picture (none stored, or one that cannot be decoded) the item keeps the
    // box the file gives it, so laying out and saving never shrink it to nothing
    CSize look;
    if (!NormalLookSize(look))
        return;
    // insets of a damaged file or paste may be huge: the sum is bounded, never overflows
    auto side = [](long long picture, long long a, long long b) {
        return int(std::clamp(picture + a + b, 0LL, 1000000LL));
    };
    m_nWidth = side(look.cx, m_nInset[SIDE_LEFT], m_nInset[SIDE_RIGHT]);
    m_nHeight = side(look.cy, m_nInset[SIDE_TOP], m_nInset[SIDE_BOTTOM]);
}

void CImageItemBase::SetRect(int left, int top, int right, int bottom)
{
    CRect rc(left, top, right, bottom);
    rc.NormalizeRect();
    const int W = std::min(rc.Width(), CDib::kMaxSide - 1), H = std::min(rc.Height(), CDib::kMaxSide - 1);
    if (m_nType == ITEM_GIF) {
        m_nRenderWidth = m_nWidth = W;
        m_nRenderHeight = m_nHeight = H;
    } else {
        // An item without a size has nothing to scale: the rectangle less the insets is
        // the new render size.
        if (m_nWidth > 0)
            m_nRenderWidth = int(std::int64_t(m_nRenderWidth) * W / m_nWidth);
        else
            m_nRenderWidth = std::max(0, W - m_nInset[SIDE_LEFT] - m_nInset[SIDE_RIGHT]);
        if (m_nHeight > 0)
            m_nRenderHeight = int(std::int64_t(m_nRenderHeight) * H / m_nHeight);
        else
            m_nRenderHeight = std::max(0, H - m_nInset[SIDE_TOP] - m_nInset[SIDE_BOTTOM]);
        m_nRenderWidth = std::clamp(m_nRenderWidth, 0, CDib::kMaxSide - 1);
        m_nRenderHeight = std::clamp(m_nRenderHeight, 0, CDib::kMaxSide - 1);
    }
    m_nX = rc.left;
    m_nY = rc.top;
    Render(0);
    RecalcLayout();
    m_nUploadState = 0;
}

CString CImageItemBase::GetSafeBaseName() const
{
    if (!m_strBaseName.IsEmpty())
        return m_strBaseName;
    CString name = m_strName.IsEmpty() ? CString::Formatted("img%d", m_nSerial) : m_strName;
    CString safe = SafeFileNameText(name);
    if (safe.IsEmpty())
        safe.Format("%d", m_nSerial);
    return safe;
}

CString CImageItemBase::GetFileName() const
{
    return GetSafeBaseName() + ".png";
}

CString GetRolloverFileName(const CImageItemBase& item)
{
    return item.GetOutputBaseName() + "_over.png";
}

void CImageItemBase::SettleBaseName(CPublishContext& context, const char* extension)
{
    // A stored base name may come from a file: filter it as well.
    m_strOutputBase.Empty();
    CString base = SafeFileNameText(GetSafeBaseName());
    if (base.IsEmpty())
        base.Format("%d", m_nSerial);
    const bool sprite = HasRollover();
    auto taken = [&](const CString& b) {
        return context.FindFile(b + extension, &m_nUploadState) || (sprite && context.FindFile(b + "_over.png", &m_nUploadState));
    };
    CString candidate = base;
    for (int n = 2; taken(candidate); ++n)
        candidate = CString::Formatted("%s_%d", base.GetString(), n);
    m_strOutputBase = candidate;
}

int CImageItemBase::ExportRolloverSprite(CPublishContext& context)
{
    const CString name = GetRolloverFileName(*this);
    const CString local = context.m_strOutputRoot + context.m_strCurrentFolder + name;
    EnsureRendered();
    RenderOverState();
    const int w = std::max(1, m_nWidth), h = std::max(1, m_nHeight);
    CDib sprite;
    sprite.Create(std::min(w, CDib::kMaxSide - 1), std::min(2 * h, CDib::kMaxSide - 1));
    sprite.FillRect(0xFFFFFFFFu);
    const CDib& top = m_bShowOverState ? m_state[1] : m_state[0];
    const CDib& below = m_bShowOverState ? m_state[0] : m_state[1];
    if (top.IsValid())
        top.CompositeTo(sprite, 0, 0);
    if (below.IsValid())
        below.CompositeTo(sprite, 0, h);
    const PackedBitmapPtr packed = sprite.CopyToGlobal();
    return context.AddWrittenFile(packed && SavePNG(local, *packed), local, context.m_strCurrentFolder + name, kPublishFilePicture,
        &m_nUploadState) ? 1 : 0;
}

bool CImageItemBase::ExportFiles(CPublishContext& context)
{
    EnsureRendered();
    SettleBaseName(context, ".png");
    if (HasRollover() && !ExportRolloverSprite(context))
        return false;
    if (!CItem::ExportFiles(context))
        return false;
    const CString name = GetOutputBaseName() + ".png";
    const CString local = context.m_strOutputRoot + context.m_strCurrentFolder + name;
    m_strOutputName = name;
    // An item with nothing to show (an artistic text without text) still gets a picture of
    // its size, clear, so that its page finds one and the site is written.
    CDib clear;
    if (!m_state[0].IsValid()) {
        clear.Create(std::clamp(m_nWidth, 1, CDib::kMaxSide - 1), std::clamp(m_nHeight, 1, CDib::kMaxSide - 1));
        clear.FillRect(0xFFFFFFFFu); // the top byte is transparency: white, fully clear
    }
    const PackedBitmapPtr packed = (m_state[0].IsValid() ? m_state[0] : clear).CopyToGlobal();
    return context.AddWrittenFile(packed && SavePNG(local, *packed), local, context.m_strCurrentFolder + name, kPublishFilePicture,
        &m_nUploadState);
}

void CImageItemBase::Draw(CDC* dc)
{
    CItem::Draw(dc);
    if (!dc)
        return;
    EnsureRendered();
    CDib& dib = m_state[HasRollover() && m_bShowOverState == 1 ? 1 : 0];
    if (!dib.IsValid())
        return;
    const int l = m_nInset[SIDE_LEFT], t = m_nInset[SIDE_TOP];
    if (dib.GetWidth() == m_nWidth && dib.GetHeight() == m_nHeight)
        dib.DrawTransparent(dc, l, t);
    else
        dib.DrawTransparentStretched(dc, l, t, m_nWidth - l - m_nInset[SIDE_RIGHT], m_nHeight - t - m_nInset[SIDE_BOTTOM]);
}

CString CImageItemBase::GetStyle()
{
    CString s;
    if (m_bPositioned)
        s.AppendFormat("position:absolute;left:%dpx;top:%dpx;", m_nX, m_nY);
    if (m_bHidden)
        s += "visibility:hidden;";
    s.AppendFormat("height:%dpx;", m_nHeight - m_nInset[SIDE_TOP] - m_nInset[SIDE_BOTTOM]);
    s.AppendFormat("width:%dpx;", m_nWidth - m_nInset[SIDE_LEFT] - m_nInset[SIDE_RIGHT]);
    static const char* const kCursors[8] = {nullptr, "default", "crosshair", "pointer", "move", "text", "wait", "help"};
    if (m_nCursor >= 1 && m_nCursor <= 7)
        s.AppendFormat("cursor:%s;", kCursors[m_nCursor]);
    if (m_nPadding > 0)
        s.AppendFormat("padding:%dpx;", m_nPadding);
    if (m_pPadding)
        s += WritePaddingStyle(*m_pPadding);
    // A rollover's background is its sprite, addressed from the page (WriteRolloverCss).
    if (!HasRollover() && m_pFill)
        m_pFill->WriteCss(s);
    static const char* const kBorderNames[BORDER_COUNT] = {"border", "border-left", "border-top", "border-right", "border-bottom"};
    for (int i = 0; i < BORDER_COUNT; ++i)
        s += WriteBorderStyle(m_borders[i], kBorderNames[i]);
    if (m_nOpacity != 100)
        s.AppendFormat("opacity:%f;filter:alpha(opacity=%d);", m_nOpacity / 100.0, m_nOpacity);
    s += WriteMarginStyle(m_margin, m_nBlockAlign);
    s += m_strExtraCss;
    return s;
}

namespace {

CString ImageAlt(const CItem& item)
{
    CString alt = item.m_strText.GetUtf8();
    if (alt.IsEmpty())
        alt = item.m_strName;
    if (alt.IsEmpty())
        alt.Format("i%d", item.m_nSerial % 1000);
    return alt;
}

} // namespace

void CImageItemBase::WriteRolloverCss(CPageOutput& out)
{
    // The generated id stands in for a missing name; the project keeps its own.
    const CString htmlId = GetHtmlId();
    const CString id = CssEscapeIdent(htmlId);
    out.AppendCssLine(CString::Formatted("#%s:link { background-position:0px 0px; }", id.GetString()));
    out.AppendCssLine(CString::Formatted("#%s:hover { background-position:0px -%dpx;  }", id.GetString(), m_nHeight));
    out.Append("<a");
    out.AppendAttribute("style", GetStyle() + "background-image:url(" + ItemFileHref(*this, out, GetRolloverFileName(*this)) + ");display:block;");
    out.AppendAttribute("id", htmlId);
    CString href;
    m_link.BuildHref(href, GetRelativePath(out.m_pPageFolder, m_link.m_pTargetFolder));
    out.Append(href);
    if (!m_strTitle.IsEmpty())
        out.AppendAttribute("title", m_strTitle.GetUtf8());
    WriteEventAttributes(out);
    out.Append("></a>");
}

void CImageItemBase::WriteHtml(CPageOutput& out)
{
    CItem::WriteHtml(out);
    WriteTextBoxStyle(out);
    if (HasRollover()) {
        WriteRolloverCss(out);
    } else {
        const CString src = ItemFileHref(*this, out, GetPublishedName());
        const CString style = GetStyle();
        if (!m_bFormButton) {
            CString href;
            m_link.BuildHref(href, GetRelativePath(out.m_pPageFolder, m_link.m_pTargetFolder));
            if (!href.IsEmpty())
                out.Append("<a").Append(href).Append(">");
            out.Append("<img");
            WriteIdClassTitle(out);
            out.AppendAttribute("alt", ImageAlt(*this));
            if (!style.IsEmpty())
                out.AppendAttribute("style", style);
            WriteEventAttributes(out);
            out.AppendAttribute("src", src);
            out.Append(">");
            if (!href.IsEmpty())
                out.Append("</a>");
        } else {
            out.Append("<input");
            out.AppendAttribute("type", CString("image"));
            WriteIdClassTitle(out);
            out.AppendAttribute("alt", ImageAlt(*this));
            if (!style.IsEmpty())
                out.AppendAttribute("style", style);
            WriteEventAttributes(out);
            out.AppendAttribute("src", src);
            out.Append(">");
        }
    }
    WriteParagraphEnd(out);
    out.AppendLine();
}
