#include "model/items/CategoriesItem.h"
#include "model/Escaping.h"
#include "framework/core/CArchive.h"
#include "framework/core/Dc.h"
#include "model/HtmlWriting.h"
#include "model/ItemHtml.h"
#include "model/PageOutput.h"
#include "model/SiteObject.h"
#include "model/TextRuns.h"
#include "model/items/LinkItem.h"
#include <algorithm>
#include <cstdio>

using archive_io::Io;

namespace {

// A link record is at least its counted strings and words.
constexpr std::uint64_t kMinLinkRecord = 16;
constexpr int kIconColumn = 24;

} // namespace

void CCategoriesItem::Serialize(CArchive& ar, int version)
{
    CItem::Serialize(ar, version);
    Io(ar, m_nHeadingBold);
    Io(ar, m_nHeadingItalic);
    Io(ar, m_nHeadingDecoration);
    Io(ar, m_crHeading);
    Io(ar, m_nHeadingSize);
    Io(ar, m_strHeadingFace);
    if (ar.IsStoring()) {
        ar << std::int32_t(m_entries.size());
        for (const auto& entry : m_entries)
            entry->Serialize(ar, version);
    } else {
        std::int32_t count = 0;
        ar >> count;
        ar.CheckCount(count, kMinLinkRecord);
        m_entries.clear();
        for (std::int32_t i = 0; i < count; ++i) {
            m_entries.push_back(std::make_unique<CItemLink>());
            m_entries.back()->Serialize(ar, version);
        }
    }
    const bool store = ar.IsStoring();
    if (store || version >= 88)
        Io(ar, m_nRowSpacing);
    if (store || version >= 89) {
        Io(ar, m_nOption1);
        Io(ar, m_nOption2);
    }
    if (store || version >= 90) {
        Io(ar, m_nFirstEntryY);
        Io(ar, m_nRowSpacing);
    }
    if (!store) {
        // held to what a page can use, as the common fields are
        m_nHeadingSize = std::clamp(m_nHeadingSize, -1000, 1000);
        for (int* v : {&m_nRowSpacing, &m_nOption1, &m_nOption2, &m_nFirstEntryY})
            *v = std::clamp(*v, -100000, 100000);
    }
}

void CCategoriesItem::WriteHtml(CPageOutput& out)
{
    CItem::WriteHtml(out);
    if (!m_bPositioned) {
        static const char* const kAlign[3] = {"text-align:left;", "text-align:right;", "text-align:center;"};
        out.Append("<div");
        if (m_nTextAlign >= 0 && m_nTextAlign < 3)
            out.AppendAttributeSz("style", kAlign[m_nTextAlign]);
        out.Append(">");
    }
    // A flowing box is the container its absolutely placed entries are measured from.
    CString style = GetStyle() + "display:inline-block;";
    if (!m_bPositioned)
        style += "position:relative;";
    out.Append("<div");
    out.AppendAttribute("id", GetHtmlId());
    out.AppendAttribute("style", style);
    if (!m_strClass.IsEmpty())
        out.AppendAttribute("class", m_strClass);
    out.Append(">");
    if (!m_strText.IsEmpty()) {
        CString css;
        if (m_nHeadingSize > 0)
            css.AppendFormat("font-size:%dpt;", m_nHeadingSize);
        if (!m_strHeadingFace.IsEmpty())
            css += "font-family:" + CssQuoted(m_strHeadingFace.GetString()) + ";";
        if ((m_crHeading >> 24) != 0xFF)
            css += "color:" + ColorToHtml(m_crHeading) + ";";
        if (m_nHeadingItalic == 1)
            css += "font-style:italic;";
        else if (m_nHeadingItalic == 0)
            css += "font-style:normal;";
        if (m_nHeadingBold == 1)
            css += "font-weight:bold;";
        else if (m_nHeadingBold == 0)
            css += "font-weight:normal;";
        static const char* const kDecorations[3] = {"text-decoration:none;", "text-decoration:underline;", "text-decoration:line-through;"};
        if (m_nDecoration >= 0 && m_nDecoration < 3)
            css += kDecorations[m_nDecoration];
        out.Append("<span");
        if (!css.IsEmpty())
            out.AppendAttribute("style", css);
        out.Append(">");
        out.AppendText(m_strText);
        out.Append("</span>");
    }
    const bool icon = m_nIcon >= 1 && m_dib.IsValid() && !m_strImageName.IsEmpty();
    const int xOffset = icon ? kIconColumn : 0;
    int y = m_nFirstEntryY;
    for (const auto& entry : m_entries) {
        if (icon)
            out.Append(LinkIconTag(*this, out, m_nInset[SIDE_LEFT], m_nInset[SIDE_TOP] + y + (m_nEntryLineHeight - 16) / 2));
        out.Append("<a");
        if (!m_strClass.IsEmpty())
            out.AppendAttribute("class", m_strClass);
        CString href;
        entry->BuildHref(href, GetRelativePath(out.m_pPageFolder, entry->m_pTargetFolder));
        // An entry without a target stays a link.
        if (href.Find(" href=") < 0)
            href = " href=\"\"" + href;
        out.Append(href);
        CString css = CString::Formatted("position:absolute;left:%dpx;top:%dpx;", m_nInset[SIDE_LEFT] + xOffset, m_nInset[SIDE_TOP] + y);
        if ((m_crText >> 24) != 0xFF)
            css += "color:" + ColorToHtml(m_crText) + ";";
        out.AppendAttribute("style", css);
        out.Append(">");
        out.AppendText(entry->m_wstrTitle);
        out.Append("</a>");
        y += m_nRowSpacing;
    }
    out.Append("</div>");
    if (!m_bPositioned)
        out.Append("</div>");
    out.AppendLine();
}

void CCategoriesItem::RecalcLayout()
{
    CItem::RecalcLayout();
    m_lfHeading = m_lfText;
    if (!m_strHeadingFace.IsEmpty())
        std::snprintf(m_lfHeading.lfFaceName, sizeof(m_lfHeading.lfFaceName), "%s", m_strHeadingFace.GetString());
    if (m_nHeadingSize > 0)
        m_lfHeading.lfHeight = -(m_nHeadingSize * 4 + 1) / 3;
    m_lfHeading.lfWeight = m_nHeadingBold == 1 ? 700 : 400;
    m_lfHeading.lfItalic = m_nHeadingItalic == 1;
    m_lfHeading.lfUnderline = m_nHeadingDecoration == 2;
    m_lfHeading.lfStrikeOut = m_nHeadingDecoration == 3;
    const int needed = m_nInset[SIDE_TOP] + m_nFirstEntryY + int(m_entries.size()) * m_nRowSpacing + m_nInset[SIDE_BOTTOM];
    m_nHeight = std::max(m_nHeight, needed);
    if (m_nIcon >= 1)
        RenderItemIcon(m_dib, m_nIcon, m_crIcon, m_nIconShading, m_bIconShadow);
    if (CanLayOutText()) {
        CDC dc;
        CFont font;
        font.CreateFontIndirect(m_lfText.Get());
        dc.SelectObject(&font);
        m_nEntryLineHeight = dc.GetTextExtent(CString("Xy")).cy;
    }
}

void CCategoriesItem::Draw(CDC* dc)
{
    if (!dc)
        return;
    CItem::Draw(dc);
    const int saved = dc->SaveDC();
    dc->SetBkMode(TRANSPARENT);
    const UINT align = m_nTextAlign == 1 ? DT_RIGHT : m_nTextAlign == 2 ? DT_CENTER : DT_LEFT;
    const int left = m_nInset[SIDE_LEFT], top = m_nInset[SIDE_TOP];
    CFont heading;
    heading.CreateFontIndirect(&m_lfHeading);
    dc->SelectObject(&heading);
    dc->SetTextColor((m_crHeading >> 24) != 0xFF ? m_crHeading & 0xFFFFFF : m_crLayoutText & 0xFFFFFF);
    CRect r(left, top, m_nWidth - m_nInset[SIDE_RIGHT], top + m_nFirstEntryY);
    if (!m_strText.IsEmpty())
        dc->DrawTextW(m_strText.GetBuffer(), -1, &r, DT_WORDBREAK | DT_NOPREFIX | align);
    CFont font;
    font.CreateFontIndirect(m_lfText.Get());
    dc->SelectObject(&font);
    dc->SetTextColor(m_crLayoutText & 0xFFFFFF);
    const bool icon = m_nIcon >= 1 && m_dib.IsValid();
    const int column = icon ? kIconColumn : 0;
    int y = m_nFirstEntryY;
    for (const auto& entry : m_entries) {
        CRect er(left + column, top + y, m_nWidth - m_nInset[SIDE_RIGHT], top + y + m_nRowSpacing);
        if (!entry->m_wstrTitle.IsEmpty())
            dc->DrawTextW(entry->m_wstrTitle.GetBuffer(), -1, &er, DT_WORDBREAK | DT_NOPREFIX | align);
        if (icon)
            m_dib.DrawTransparent(dc, left, top + y + (m_nEntryLineHeight - 16) / 2);
        y += m_nRowSpacing;
    }
    dc->RestoreDC(saved);
}
