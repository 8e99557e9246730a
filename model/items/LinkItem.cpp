#include "model/items/LinkItem.h"
#include "model/Escaping.h"
#include "framework/core/CArchive.h"
#include "framework/core/Dc.h"
#include "model/Clipboard.h"
#include "model/HtmlWriting.h"
#include "model/ItemHtml.h"
#include "model/PageOutput.h"
#include "model/SiteObject.h"
#include "model/TextRuns.h"
#include <algorithm>

using archive_io::Io;

namespace {

constexpr int kIconColumn = 24;

} // namespace

CString LinkIconTag(const CItem& item, const CPageOutput& out, int left, int top)
{
    CString tag;
    tag.Format("<img alt=\"o\" style=\"position:absolute; left:%dpx; top:%dpx;\" src=\"%s\" width=\"%d\" height=\"%d\">", left, top,
        HtmlAttributeEscape(ItemFileHref(item, out, item.m_strImageName)).GetString(), item.m_dib.GetWidth(), item.m_dib.GetHeight());
    return tag;
}

CString TransitionCss(double seconds)
{
    return seconds > 0.0 ? CString::Formatted("transition: border %fs, color %fs, background %fs;", seconds, seconds, seconds) : CString();
}

CString HoverCss(int italic, int bold, int decoration, COLORREF border, COLORREF text, const CFillStyle& fill)
{
    CString css;
    if (italic == 1)
        css += "font-style:italic;";
    else if (italic == 0)
        css += "font-style:normal;";
    if (bold == 1)
        css += "font-weight:bold;";
    else if (bold == 0)
        css += "font-weight:normal;";
    static const char* const kDecorations[4] = {nullptr, "text-decoration:none;", "text-decoration:underline;", "text-decoration:line-through;"};
    if (decoration >= 1 && decoration <= 3)
        css += kDecorations[decoration];
    if ((border >> 24) != 0xFF)
        css += "border-color:" + ColorToHtml(border) + ";";
    if ((text >> 24) != 0xFF)
        css += "color:" + ColorToHtml(text) + ";";
    fill.WriteCss(css);
    return css;
}

void CLinkItem::Serialize(CArchive& ar, int version)
{
    CItem::Serialize(ar, version);
    m_hoverFill.Serialize(ar, version);
    Io(ar, m_nHoverBold);
    Io(ar, m_nHoverItalic);
    Io(ar, m_nHoverDecoration);
    Io(ar, m_crExtra[kHoverBorder]);
    Io(ar, m_crExtra[kHoverText]);
}

void CLinkItem::SerializeExtra(CArchive& ar, int version)
{
    CItem::SerializeExtra(ar, version);
    m_hoverFill.SerializeExtension(ar);
}

bool CLinkItem::ExportFiles(CPublishContext& context)
{
    CItem::ExportFiles(context);
    if (CFillStyle* hover = m_hoverFill.IfHeld())
        hover->MakeImageFileName(context);
    return true;
}

CString CLinkItem::GetNormalCss()
{
    CString css = GetStyle();
    if (m_nIcon >= 1)
        css.AppendFormat("padding-left:%dpx;", m_nInset[SIDE_LEFT] + kIconColumn);
    return css + TransitionCss(m_dTransition);
}

CString CLinkItem::GetHoverCss(CFolder* folder)
{
    if (CFillStyle* hover = m_hoverFill.IfHeld())
        hover->m_pFolder = folder;
    return HoverCss(m_nHoverItalic, m_nHoverBold, m_nHoverDecoration, m_crExtra[kHoverBorder], m_crExtra[kHoverText], m_hoverFill.Get());
}

void CLinkItem::WriteHtml(CPageOutput& out)
{
    // The generated id stands in for a missing name; the project keeps its own.
    const CString id = GetHtmlId();
    CItem::WriteHtml(out);
    if (!m_bPositioned)
        out.Append("<p>");
    const CString selector = "#" + CssEscapeIdent(id.GetString());
    const CString normal = GetNormalCss();
    const CString hover = GetHoverCss(out.m_pPageFolder);
    if (!normal.IsEmpty())
        out.AppendCssLine((selector + " { " + normal + " }").GetString());
    if (!hover.IsEmpty())
        out.AppendCssLine((selector + ":hover { " + hover + " }").GetString());
    out.Append("<a");
    out.AppendAttribute("id", id);
    if (!m_strClass.IsEmpty())
        out.AppendAttribute("class", m_strClass);
    CString href;
    m_link.BuildHref(href, GetRelativePath(out.m_pPageFolder, m_link.m_pTargetFolder));
    // An entry without a target stays a link.
    if (href.Find(" href=") < 0)
        href = " href=\"\"" + href;
    out.Append(href);
    WriteEventAttributes(out);
    out.Append(">");
    if (m_nIcon >= 1 && m_dib.IsValid())
        out.Append(LinkIconTag(*this, out, m_nInset[SIDE_LEFT], m_nHeight * 3 / 5 - 10));
    {
        const CRawTextScope raw(out, m_bRawText);
        out.AppendText(m_strText);
    }
    out.Append("</a>");
    if (!m_bPositioned)
        out.Append("</p>");
    out.AppendLine();
}

void CLinkItem::RecalcLayout()
{
    CItem::RecalcLayout();
    if (m_nIcon >= 1)
        RenderItemIcon(m_dib, m_nIcon, m_crIcon, m_nIconShading, m_bIconShadow);
    if (!CanLayOutText())
        return;
    const int icon = m_nIcon >= 1 ? kIconColumn : 0;
    const int wrap = (m_nWidthMode == 0 ? m_nWidth : 10000) - icon;
    CRect r(0, 0, std::max(wrap, 1), 0);
    {
        CDC dc;
        CFont font;
        font.CreateFontIndirect(m_lfText.Get());
        dc.SelectObject(&font);
        if (!m_strText.IsEmpty())
            DrawTextWithFallback(&dc, &m_strText, &r);
        else
            r.right = r.left, r.bottom = r.top;
    }
    const int needed = r.Width() + m_nInset[SIDE_LEFT] + m_nInset[SIDE_RIGHT];
    if (m_nWidthMode != 0 || m_nWidth < needed) {
        m_nWidth = needed;
        m_nWidthMode = 1;
    }
    if (m_nHeightMode != 0)
        m_nHeight = r.Height() + m_nInset[SIDE_TOP] + m_nInset[SIDE_BOTTOM];
    if (icon) {
        m_nHeight = std::max(m_nHeight, 16);
        m_nWidth += icon;
    }
}

void CLinkItem::Draw(CDC* dc)
{
    if (!dc)
        return;
    CItem::Draw(dc);
    const int icon = m_nIcon >= 1 ? kIconColumn : 0;
    if ((m_crLayoutBack >> 24) != 0xFF)
        dc->FillSolidRect(icon, 0, m_nWidth - icon, m_nHeight, m_crLayoutBack & 0xFFFFFF);
    const int saved = dc->SaveDC();
    CFont font;
    font.CreateFontIndirect(m_lfText.Get());
    dc->SelectObject(&font);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(m_crLayoutText & 0xFFFFFF);
    CRect r(m_nInset[SIDE_LEFT] + icon, m_nInset[SIDE_TOP], m_nWidth - m_nInset[SIDE_RIGHT], m_nHeight - m_nInset[SIDE_BOTTOM]);
    const UINT align = m_nTextAlign == 1 ? DT_RIGHT : m_nTextAlign == 2 ? DT_CENTER : DT_LEFT;
    if (!m_strText.IsEmpty())
        dc->DrawTextW(m_strText.GetBuffer(), -1, &r, DT_WORDBREAK | DT_NOPREFIX | align);
    dc->RestoreDC(saved);
    if (icon && m_dib.IsValid())
        m_dib.DrawTransparent(dc, m_nInset[SIDE_LEFT], m_nHeight * 3 / 5 - 10);
}
