#include "model/items/MenuItem.h"
#include "model/Escaping.h"
#include "framework/core/CArchive.h"
#include "framework/core/Dc.h"
#include "model/HtmlWriting.h"
#include "model/ItemAction.h"
#include "model/ItemHtml.h"
#include "model/PageOutput.h"
#include "model/SiteObject.h"
#include "model/TextRuns.h"
#include "model/items/FormFieldItem.h"
#include <algorithm>
#include <cstdio>

using archive_io::Io;

namespace {

// Smallest entry record: link words and counted strings.
constexpr std::uint64_t kMinEntryRecord = 20;

const char* ItalicCss(int v) { return v == 1 ? "font-style:italic;" : v == 0 ? "font-style:normal;" : ""; }
const char* BoldCss(int v) { return v == 1 ? "font-weight:bold;" : v == 0 ? "font-weight:normal;" : ""; }

// What an entry sets of its own: colour when set, bold and italic when ticked.
CString EntryLookCss(const CMenuEntry& e)
{
    CString look;
    if ((e.m_crColor >> 24) != 0xFF)
        look += "color:" + ColorToHtml(e.m_crColor) + "; ";
    if (e.m_nArchivedFirst == 1)
        look += "font-weight:bold; ";
    if (e.m_nArchivedSecond == 1)
        look += "font-style:italic; ";
    return look;
}
const char* DecorationCss(int v)
{
    return v == 0 ? "text-decoration:none;" : v == 1 ? "text-decoration:underline;" : v == 2 ? "text-decoration:line-through;" : "";
}

// Hover texts that differ from the normal look.
CString HoverDiff(int italic, int bold, int decoration, int baseItalic, int baseBold, int baseDecoration)
{
    CString s;
    if (italic != baseItalic)
        s += ItalicCss(italic);
    if (bold != baseBold)
        s += BoldCss(bold);
    if (decoration != baseDecoration)
        s += DecorationCss(decoration);
    return s;
}

const char* SeparatorHtml(int kind)
{
    static const char* const kTexts[11] = {"", "|", ":", "::", "&bull;", "&raquo;", "&curren;", "&middot;", "&laquo;", "&gt;", "&lt;"};
    return kind >= 1 && kind <= 10 ? kTexts[kind] : "";
}

const char16_t* SeparatorText(int kind)
{
    static const char16_t* const kTexts[11] = {u"", u"|", u":", u"::", u"\u2022", u"\u00BB", u"\u00A4", u"\u00B7", u"\u00AB", u">", u"<"};
    return kind >= 1 && kind <= 10 ? kTexts[kind] : u"";
}

void SerializeEntries(CArchive& ar, int version, std::vector<std::unique_ptr<CMenuEntry>>& list)
{
    if (ar.IsStoring()) {
        ar << std::int32_t(list.size());
        for (const auto& e : list)
            e->SerializeMenuEntry(ar, version);
        return;
    }
    std::int32_t count = 0;
    ar >> count;
    ar.CheckCount(count, kMinEntryRecord);
    list.clear();
    for (std::int32_t i = 0; i < count; ++i) {
        list.push_back(std::make_unique<CMenuEntry>());
        list.back()->SerializeMenuEntry(ar, version);
    }
}

} // namespace

CMenuEntry::CMenuEntry()
{
    m_link.m_strUrl = CString("/");
}

void CMenuEntry::SerializeMenuEntry(CArchive& ar, int version)
{
    m_link.Serialize(ar, version);
    m_strCaption.Serialize(ar);
    Io(ar, m_crColor);
    Io(ar, m_nArchivedFirst);
    Io(ar, m_nArchivedSecond);
    Io(ar, m_nNumber);
}

void CMenuItem::Serialize(CArchive& ar, int version)
{
    CItem::Serialize(ar, version);
    m_dropFill.Serialize(ar, version);
    m_dropBorder.Serialize(ar, version);
    Io(ar, m_nDropWidth);
    Io(ar, m_crBarHover);
    Io(ar, m_crDropText);
    Io(ar, m_crDropHighlight);
    Io(ar, m_crDropHover);
    Io(ar, m_crSeparator);
    Io(ar, m_strDropFace);
    Io(ar, m_nSeparator);
    Io(ar, m_nDropSize);
    Io(ar, m_nDropBold);
    Io(ar, m_nDropItalic);
    Io(ar, m_nDropDecoration);
    Io(ar, m_nBarHoverItalic);
    Io(ar, m_nBarHoverBold);
    Io(ar, m_nBarHoverDecoration);
    Io(ar, m_nDropHoverItalic);
    Io(ar, m_nDropHoverBold);
    Io(ar, m_nDropHoverDecoration);
    SerializeEntries(ar, version, m_topEntries);
    SerializeEntries(ar, version, m_dropEntries);
    if (ar.IsLoading()) {
        // held to what a page can use, as the common fields are
        m_nDropWidth = std::clamp(m_nDropWidth, -1000000, 1000000);
        m_nDropSize = std::clamp(m_nDropSize, -1000, 1000);
    }
}

void CMenuItem::SerializeExtra(CArchive& ar, int version)
{
    CItem::SerializeExtra(ar, version);
    m_dropFill.SerializeExtension(ar);
}

bool CMenuItem::ExportFiles(CPublishContext& context)
{
    CItem::ExportFiles(context);
    m_dropFill.MakeImageFileName(context);
    return true;
}

CString CMenuItem::GetScriptName() const
{
    return ScriptIdentifier(GetHtmlId());
}

LOGFONT CMenuItem::EntryFont(const CMenuEntry& e) const
{
    LOGFONT lf = m_lfLink;
    if (e.m_nArchivedFirst == 1)
        lf.lfWeight = 700;
    if (e.m_nArchivedSecond == 1)
        lf.lfItalic = 1;
    return lf;
}

int CMenuItem::CountSameLevelChildren(const CMenuEntry& entry) const
{
    return int(std::count_if(m_dropEntries.begin(), m_dropEntries.end(), [&](const auto& e) { return e->m_nNumber == entry.m_nNumber; }));
}

void CMenuItem::RecalcLayout()
{
    CItem::RecalcLayout();
    LOGFONT text = m_lfText;
    text.lfUnderline = 0;
    text.lfStrikeOut = 0;
    m_lfText = text;
    LOGFONT link = text;
    if (!m_strFontFace.IsEmpty())
        std::snprintf(link.lfFaceName, sizeof(link.lfFaceName), "%s", m_strFontFace.GetString());
    if (m_nFontSize > 0)
        link.lfHeight = -(m_nFontSize * 4 + 1) / 3;
    if (m_nBold == 1 || m_nBold == 0)
        link.lfWeight = m_nBold == 1 ? 700 : 400;
    if (m_nItalic == 1 || m_nItalic == 0)
        link.lfItalic = m_nItalic == 1;
    link.lfUnderline = m_nDecoration == 1;
    link.lfStrikeOut = m_nDecoration == 2;
    m_lfLink = link;
    m_crPaint = (m_crText >> 24) != 0xFF ? m_crText : m_crLayoutLink;
    const bool measure = CanLayOutText();
    CDC dc;
    CFont font;
    if (measure) {
        font.CreateFontIndirect(m_lfLink.Get());
        dc.SelectObject(&font);
    }
    int x = 2;
    for (size_t i = 0; i < m_topEntries.size(); ++i) {
        CMenuEntry& e = *m_topEntries[i];
        e.m_nNumber = int(i);
        CRect r(0, 0, std::max(m_nWidth, 1), 0);
        if (measure && !e.m_strCaption.IsEmpty()) {
            CFont own;
            if (HasOwnFont(e)) {
                const LOGFONT lf = EntryFont(e);
                own.CreateFontIndirect(&lf);
                dc.SelectObject(&own);
            }
            dc.DrawTextW(e.m_strCaption.GetBuffer(), -1, &r, DT_CALCRECT | DT_NOPREFIX | DT_WORDBREAK);
            dc.SelectObject(&font);
        }
        else
            r = CRect(0, 0, 0, 0);
        e.m_nWidth = r.Width() + 6;
        e.m_nHeight = r.Height() + 2 * m_nPadding;
        m_nHeight = std::max(m_nHeight, e.m_nHeight);
        e.m_nX = x;
        e.m_nY = 0;
        x += 4 + e.m_nWidth + 2 * m_nPadding;
        if (m_nSeparator > 0 && i + 1 < m_topEntries.size())
            x += 14;
    }
    if (m_nWidth < x)
        m_nWidth = x;
    const int shift = m_nTextAlign == 2 ? m_nWidth - x : m_nTextAlign == 1 ? (m_nWidth - x) / 2 : 0;
    for (auto& e : m_topEntries)
        e->m_nX += shift;
}

void CMenuItem::Draw(CDC* dc)
{
    if (!dc)
        return;
    CItem::Draw(dc);
    const int saved = dc->SaveDC();
    CFont font, base;
    font.CreateFontIndirect(m_lfLink.Get());
    base.CreateFontIndirect(m_lfText.Get());
    dc->SelectObject(&font);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(m_crPaint & 0xFFFFFF);
    const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
    for (size_t i = 0; i < m_topEntries.size(); ++i) {
        const CMenuEntry& e = *m_topEntries[i];
        CRect r(e.m_nX, e.m_nY, e.m_nX + e.m_nWidth + 2 * m_nPadding, e.m_nY + m_nHeight);
        if (!e.m_strCaption.IsEmpty()) {
            CFont own;
            if (HasOwnFont(e)) {
                const LOGFONT lf = EntryFont(e);
                own.CreateFontIndirect(&lf);
                dc->SelectObject(&own);
            }
            dc->SetTextColor(((e.m_crColor >> 24) != 0xFF ? e.m_crColor : m_crPaint) & 0xFFFFFF);
            dc->DrawTextW(e.m_strCaption.GetBuffer(), -1, &r, format);
            dc->SelectObject(&font);
            dc->SetTextColor(m_crPaint & 0xFFFFFF);
        }
        if (m_nSeparator > 0 && i + 1 < m_topEntries.size()) {
            const int s = e.m_nX + e.m_nWidth + 4 + 2 * m_nPadding;
            CRect sr(s, e.m_nY, s + 10, e.m_nY + m_nHeight);
            dc->SelectObject(&base);
            dc->SetTextColor(m_crSeparator & 0xFFFFFF);
            dc->DrawTextW(SeparatorText(m_nSeparator), -1, &sr, format);
            dc->SelectObject(&font);
            dc->SetTextColor(m_crPaint & 0xFFFFFF);
        }
    }
    dc->RestoreDC(saved);
}

void CMenuItem::WriteHtml(CPageOutput& out)
{
    CItem::WriteHtml(out);
    const CString n = GetScriptName();
    const char* N = n.GetString();
    const CString text = ColorToHtml(m_crText);
    const CString drop = ColorToHtml(m_crDropText);
    auto css = [&out](const CString& line) { out.AppendCssLine(line.GetString()); };
    css(CString::Formatted("a.%sTC { padding:%dpx; %s%s color:%s; %s}", N, m_nPadding, ItalicCss(m_nItalic), BoldCss(m_nBold), text.GetString(), DecorationCss(m_nDecoration)));
    css(CString::Formatted("a.%sTC:link { color:%s; }", N, text.GetString()));
    css(CString::Formatted("a.%sTC:visited { color:%s; }", N, text.GetString()));
    css(CString::Formatted("a.%sTC:hover { color:%s; %s}", N, ColorToHtml(m_crBarHover).GetString(),
        HoverDiff(m_nBarHoverItalic, m_nBarHoverBold, m_nBarHoverDecoration, m_nItalic, m_nBold, m_nDecoration).GetString()));
    CString dropLook;
    if (m_nDropSize > 0)
        dropLook.AppendFormat("font-size:%dpt;", m_nDropSize);
    dropLook += ItalicCss(m_nDropItalic);
    dropLook += BoldCss(m_nDropBold);
    if (!m_strDropFace.IsEmpty())
        dropLook += "font-family:" + CssQuoted(m_strDropFace.GetString()) + ";";
    css(CString::Formatted("a.%sSC { padding:%dpx;  color:%s; %s %s }", N, m_nPadding, drop.GetString(), DecorationCss(m_nDropDecoration), dropLook.GetString()));
    css(CString::Formatted("a.%sSC:link { color:%s; }", N, drop.GetString()));
    css(CString::Formatted("a.%sSC:visited { color:%s; }", N, drop.GetString()));
    css(CString::Formatted("a.%sSC:hover { color:%s; %s}", N, ColorToHtml(m_crDropHover).GetString(),
        HoverDiff(m_nDropHoverItalic, m_nDropHoverBold, m_nDropHoverDecoration, m_nDropItalic, m_nDropBold, m_nDropDecoration).GetString()));
    css(CString::Formatted("td.%sSP { color:%s;}", N, ColorToHtml(m_crSeparator).GetString()));
    // An entry's own colour, bold and italic (the Menu Item dialog) over its level's look,
    // by the id of its cell; hovering keeps the level's hover colour.
    auto entryLook = [&](const CMenuEntry& e, const CString& cell, const char* kind, COLORREF hover) {
        const CString look = EntryLookCss(e);
        if (look.IsEmpty())
            return;
        const CString a = "#" + cell + " a." + n + kind;
        css(a + ", " + a + ":link, " + a + ":visited { " + look + "}");
        if ((e.m_crColor >> 24) != 0xFF)
            css(a + ":hover { color:" + ColorToHtml(hover) + "; }");
    };
    for (const auto& e : m_topEntries)
        entryLook(*e, CString::Formatted("%sTI%d", N, e->m_nNumber), "TC", m_crBarHover);
    for (const auto& top : m_topEntries) {
        int k = 0; // as the drop-down's cells are numbered
        for (const auto& e : m_dropEntries)
            if (e->m_nNumber == top->m_nNumber)
                entryLook(*e, CString::Formatted("%sSI%dx%d", N, top->m_nNumber, k++), "SC", m_crDropHover);
    }

    out.Append("<script type=\"text/javascript\">\r\n");
    out.Append(CString::Formatted("var %sHideTimer = null;function %sTimerMenu(){if(%sHideTimer) clearTimeout(%sHideTimer);%sHideTimer = setTimeout(\"%sHideAll();\",1000);}\r\n", N, N, N, N, N, N));
    out.Append(CString::Formatted("function %sHideMenu(menuname){document.getElementById(menuname).style.visibility = 'hidden';}\r\n", N));
    out.Append(CString::Formatted("function %sShowMenu(menuname){\r\n", N));
    out.Append(CString::Formatted("if(%sHideTimer) clearTimeout(%sHideTimer);\r\n", N, N));
    out.Append("document.getElementById(menuname).style.visibility = 'visible';\r\n");
    CString hideAll;
    for (const auto& e : m_topEntries) {
        if (CountSameLevelChildren(*e) > 0) {
            out.Append(CString::Formatted("if(menuname!='%sSM%d') %sHideMenu('%sSM%d');", N, e->m_nNumber, N, N, e->m_nNumber));
            hideAll.AppendFormat("%sHideMenu('%sSM%d');", N, N, e->m_nNumber);
        }
        out.Append("\r\n");
    }
    out.Append("}\r\n");
    out.Append(CString::Formatted("function %sHideAll(){", N) + hideAll + "}\r\n");
    out.Append("</script>\r\n");

    WriteTextBoxStyle(out);
    CString style = GetStyle();
    if (!m_bPositioned) {
        static const char* const kMargins[3] = {"margin-right:auto;", "margin-left:auto;", "margin-right:auto;margin-left:auto;"};
        if (m_nBlockAlign >= 0 && m_nBlockAlign < 3)
            style += kMargins[m_nBlockAlign];
        // The drop-downs are placed from the bar's own box.
        style += "position:relative;";
    }
    out.Append("<div");
    out.AppendAttribute("id", GetHtmlId());
    if (!style.IsEmpty())
        out.AppendAttribute("style", style);
    out.Append("><table style=\"width:100%;height:100%\">\r\n<tr style=\"vertical-align:middle;\">\r\n");
    if (m_nTextAlign == 1 || m_nTextAlign == 2)
        out.Append("<td> &nbsp; </td>\r\n");
    for (size_t i = 0; i < m_topEntries.size(); ++i) {
        const CMenuEntry& e = *m_topEntries[i];
        const int k = e.m_nNumber;
        out.Append("<td");
        out.AppendAttribute("id", CString::Formatted("%sTI%d", N, k));
        out.AppendAttribute("style", CString::Formatted("text-align:center;width:%dpx", e.m_nWidth + 2 * m_nPadding));
        if (CountSameLevelChildren(e) > 0) {
            out.AppendAttribute("onMouseOver", CString::Formatted("%sShowMenu('%sSM%d')", N, N, k));
            out.AppendAttribute("onMouseOut", CString::Formatted("%sTimerMenu('')", N));
        } else {
            out.AppendAttribute("onMouseOver", CString::Formatted("%sHideAll()", N));
        }
        out.Append("><a");
        out.AppendAttribute("class", n + "TC");
        CString href;
        e.m_link.BuildHref(href, GetRelativePath(out.m_pPageFolder, e.m_link.m_pTargetFolder));
        out.Append(href);
        out.Append(">");
        out.AppendText(e.m_strCaption);
        out.Append("</a></td>\r\n");
        if (m_nSeparator > 0 && m_nSeparator <= 10 && i + 1 < m_topEntries.size())
            out.Append(CString::Formatted("<td class=\"%sSP\" style=\"width:10px\">%s</td>\r\n", N, SeparatorHtml(m_nSeparator)));
    }
    if (m_nTextAlign == 0 || m_nTextAlign == 1)
        out.Append("<td> &nbsp; </td>\r\n");
    out.Append("</tr>\r\n</table>");
    for (const auto& e : m_topEntries)
        if (CountSameLevelChildren(*e) > 0)
            WriteSubmenuHtml(*e, out);
    out.Append("</div>");
    WriteParagraphEnd(out);
    out.AppendLine();
}

void CMenuItem::WriteSubmenuHtml(const CMenuEntry& entry, CPageOutput& out)
{
    const CString n = GetScriptName();
    const char* N = n.GetString();
    const int i = entry.m_nNumber;
    m_dropFill.m_pFolder = out.m_pPageFolder;
    CString fill;
    m_dropFill.WriteCss(fill);
    // Inside the bar's box, so entry positions are the bar's own.
    out.Append("<table");
    out.AppendAttribute("id", CString::Formatted("%sSM%d", N, i));
    out.AppendAttribute("style", CString::Formatted("position: absolute; left:%dpx; top:%dpx; width:%dpx; %s z-index:%d; visibility:hidden; %s",
        entry.m_nX, entry.m_nY + m_nHeight, m_nDropWidth, fill.GetString(), m_nZIndex + 1, WriteBorderStyle(m_dropBorder, "border").GetString()));
    out.Append(">\r\n");
    int k = 0;
    const CString highlight = ColorToHtml(m_crDropHighlight);
    for (const auto& e : m_dropEntries) {
        if (e->m_nNumber != i)
            continue;
        out.Append("<tr><td");
        out.AppendAttribute("id", CString::Formatted("%sSI%dx%d", N, i, k));
        out.AppendAttribute("style", CString::Formatted("padding:%dpx;", m_nPadding));
        out.AppendAttribute("onMouseOver", CString::Formatted("%sShowMenu('%sSM%d'); document.getElementById('%sSI%dx%d').style.backgroundColor = '%s';", N, N, i, N, i, k, highlight.GetString()));
        out.AppendAttribute("onMouseOut", CString::Formatted("%sTimerMenu(''); document.getElementById('%sSI%dx%d').style.background = 'none';", N, N, i, k));
        out.Append("><a");
        out.AppendAttribute("class", n + "SC");
        CString href;
        e->m_link.BuildHref(href, GetRelativePath(out.m_pPageFolder, e->m_link.m_pTargetFolder));
        out.Append(href);
        out.Append(">");
        out.AppendText(e->m_strCaption);
        out.Append("</a></td></tr>\r\n");
        ++k;
    }
    out.Append("</table>");
}
