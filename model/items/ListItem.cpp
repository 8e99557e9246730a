#include "model/items/ListItem.h"
#include "model/Escaping.h"
#include "framework/core/CArchive.h"
#include "framework/core/Dc.h"
#include "model/ItemHtml.h"
#include "model/PageOutput.h"
#include "model/SiteObject.h"
#include "model/TextRuns.h"
#include <algorithm>
#include <cstdlib>

using archive_io::Io;

namespace {

struct ListStyle {
    bool ordered;
    const char* css;
};

const ListStyle kStyles[10] = {
    {false, "list-style:none;margin-left:0px;"},
    {true, "list-style-type:decimal;"},
    {false, "list-style-type:disc;"},
    {false, "list-style-type:circle;"},
    {false, "list-style-type:square;"},
    {true, "list-style-type:lower-greek;"},
    {true, "list-style-type:upper-greek;"},
    {true, "list-style-type:lower-alpha;"},
    {true, "list-style-type:upper-alpha;"},
    {true, "list-style-type:upper-roman;"},
};

CWString Wide(const CString& utf8)
{
    CWString w;
    w.FromUtf8(utf8.GetString());
    return w;
}

} // namespace

std::vector<CWString> ReadListLines(const CWString& text)
{
    std::vector<CWString> lines;
    const int n = text.GetLength();
    if (n == 0)
        return lines;
    const char16_t* p = text.GetBuffer();
    lines.emplace_back();
    lines.back().SetText(u"");
    for (int i = 0; i < n; ++i) {
        if (p[i] == u'\n') {
            lines.emplace_back();
            lines.back().SetText(u"");
        } else if (p[i] >= 32) {
            lines.back().AppendChar(p[i]);
        }
    }
    return lines;
}

CWString ListLabel(int style, int n)
{
    CWString label;
    label.SetText(u"");
    switch (style) {
    case 1: return Wide(CString::Formatted("%d.", n));
    case 2: label.AppendChar(u'\u25CF'); break;
    case 3: label.AppendChar(u'\u25CB'); break;
    case 4: label.AppendChar(u'\u25A0'); break;
    case 5: label.AppendChar(char16_t(0x03B0 + n % 25)); label.AppendChar(u'.'); break;
    case 6: label.AppendChar(char16_t(0x0390 + n % 25)); label.AppendChar(u'.'); break;
    case 7: label.AppendChar(char16_t(u'a' + (n - 1) % 25)); label.AppendChar(u'.'); break;
    case 8: label.AppendChar(char16_t(u'A' + (n - 1) % 25)); label.AppendChar(u'.'); break;
    case 9: {
        static const char* const kTens[10] = {"", "X", "XX", "XXX", "XL", "L", "LX", "LXX", "LXXX", "XC"};
        static const char* const kUnits[10] = {"", "I", "II", "III", "IV", "V", "VI", "VII", "VIII", "IX"};
        const int m = n % 100;
        return Wide(CString(kTens[m / 10]) + kUnits[m % 10] + ".");
    }
    default: break;
    }
    return label;
}

void CListItem::Serialize(CArchive& ar, int version)
{
    CItem::Serialize(ar, version);
    Io(ar, m_nLineSpacing);
    Io(ar, m_nStyle);
}

void CListItem::WriteHtml(CPageOutput& out)
{
    CItem::WriteHtml(out);
    // One block around the list, flowing or not, so the list never stands in a paragraph.
    out.Append("<div");
    // A placed list is placed from the group, not from this block (which the stylesheet
    // makes a positioned box of its own where it stands in the flow).
    if (m_bPositioned)
        out.AppendAttributeSz("style", "position:static;");
    if (!m_strClass.IsEmpty())
        out.AppendAttribute("class", m_strClass);
    out.Append(">\r\n");
    const ListStyle& style = kStyles[m_nStyle >= 0 && m_nStyle < 10 ? m_nStyle : 1];
    const char* element = style.ordered ? "ol" : "ul";
    // the list element carries the item's box (its place and width), and so its id
    out.Append(CString::Formatted("<%s id=\"%s\" style=\"", element, HtmlAttributeEscape(GetHtmlId()).GetString()));
    out.Append(style.css);
    out.Append(HtmlAttributeEscape(GetStyle()));
    out.Append("\"");
    WriteEventAttributes(out);
    out.Append(">");
    const std::vector<CWString> lines = ReadListLines(m_strText);
    const bool icon = m_nStyle == 0 && m_nIcon >= 1 && !m_strImageName.IsEmpty();
    const int raw = out.m_bRawText;
    out.m_bRawText = m_bRawText;
    for (size_t i = 0; i < lines.size(); ++i) {
        const int margin = i + 1 == lines.size() ? 2 : m_nLineSpacing;
        CString css = CString::Formatted("margin-bottom:%dpx;", margin);
        if (icon) {
            const int labelHeight = m_labels.empty() ? 16 : m_labels[0].rect.Height();
            css += "background-image:url('" + ItemFileHref(*this, out, m_strImageName) + "'); background-repeat:no-repeat;";
            css.AppendFormat(" background-position:0px %dpx; padding-left:%dpx;", labelHeight * 3 / 5 - 9 - (m_bIconShadow ? 1 : 0), m_nLabelWidth);
        }
        if (lines[i].IsEmpty())
            css += "list-style:none;";
        out.Append("<li");
        out.AppendAttribute("style", css);
        out.Append(">");
        if (lines[i].IsEmpty())
            out.Append("<br>");
        else
            out.AppendText(lines[i]);
        out.Append("</li>\r\n");
    }
    out.m_bRawText = raw;
    out.Append(CString::Formatted("</%s></div>\r\n", element));
}

void CListItem::RecalcLayout()
{
    CItem::RecalcLayout();
    const std::vector<CWString> lines = ReadListLines(m_strText);
    m_labels.assign(lines.size(), Label());
    m_nLabelWidth = 20;
    const bool measure = CanLayOutText();
    CDC dc;
    CFont font;
    if (measure) {
        font.CreateFontIndirect(m_lfText.Get());
        dc.SelectObject(&font);
    }
    int textHeight = std::max(1, std::abs(int(m_lfText->lfHeight)));
    for (size_t i = 0; i < lines.size(); ++i) {
        Label& label = m_labels[i];
        label.text = ListLabel(m_nStyle, int(i) + 1);
        int width = 16;
        if (measure) {
            const CSize size = m_nStyle == 0 || label.text.IsEmpty() ? dc.GetTextExtent(CString("xy")) : dc.GetTextExtent(label.text.GetBuffer(), label.text.GetLength());
            if (m_nStyle != 0)
                width = size.cx;
            textHeight = size.cy;
        }
        label.rect = CRect(0, 0, width, 0);
        m_nLabelWidth = std::max(m_nLabelWidth, width);
    }
    if (m_nStyle == 0)
        m_nLabelWidth = 20;
    else
        for (Label& label : m_labels)
            label.rect.OffsetRect(m_nLabelWidth - label.rect.Width(), 0);
    m_nLabelGap = 12;
    int y = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        m_labels[i].rect.top = y;
        m_labels[i].rect.bottom = y + textHeight;
        int advance = textHeight;
        if (!lines[i].IsEmpty() && measure) {
            CRect r(m_nLabelWidth + m_nLabelGap + m_nInset[SIDE_LEFT], 0, m_nWidth - m_nInset[SIDE_RIGHT], 10000);
            dc.DrawTextW(lines[i].GetBuffer(), -1, &r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
            advance = r.Height();
        }
        y += advance + (i + 1 == lines.size() ? 2 : m_nLineSpacing);
    }
    m_nHeight = y + m_nInset[SIDE_TOP] + m_nInset[SIDE_BOTTOM];
    if (m_nIcon >= 1)
        RenderItemIcon(m_dib, m_nIcon, m_crIcon, m_nIconShading, m_bIconShadow);
}

void CListItem::Draw(CDC* dc)
{
    if (!dc)
        return;
    CItem::Draw(dc);
    const int saved = dc->SaveDC();
    CFont font;
    font.CreateFontIndirect(m_lfText.Get());
    LOGFONT arial = m_lfText;
    std::snprintf(arial.lfFaceName, sizeof(arial.lfFaceName), "%s", "Arial");
    CFont bulletFont;
    bulletFont.CreateFontIndirect(&arial);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(m_crLayoutText & 0xFFFFFF);
    const std::vector<CWString> lines = ReadListLines(m_strText);
    const int left = m_nInset[SIDE_LEFT], top = m_nInset[SIDE_TOP];
    for (size_t i = 0; i < lines.size() && i < m_labels.size(); ++i) {
        const Label& label = m_labels[i];
        if (m_nStyle == 0) {
            if (m_nIcon >= 1 && m_dib.IsValid())
                m_dib.DrawTransparent(dc, label.rect.left + left, top + label.rect.top - 9 + label.rect.Height() * 3 / 5 - (m_bIconShadow ? 1 : 0));
        } else {
            dc->SelectObject(m_nStyle >= 2 && m_nStyle <= 4 ? &bulletFont : &font);
            dc->TextOutW(label.rect.left + left, label.rect.top + top, label.text.GetBuffer(), label.text.GetLength());
        }
        if (!lines[i].IsEmpty()) {
            dc->SelectObject(&font);
            CRect r(m_nLabelWidth + left + (m_nStyle != 0 ? m_nLabelGap : 0), label.rect.top + top, m_nWidth - m_nInset[SIDE_RIGHT], m_nHeight);
            dc->DrawTextW(lines[i].GetBuffer(), -1, &r, DT_WORDBREAK | DT_NOPREFIX);
        }
    }
    dc->RestoreDC(saved);
}
