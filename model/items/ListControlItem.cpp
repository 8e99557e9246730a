#include "model/items/ListControlItem.h"
#include "model/TextStyle.h"
#include <algorithm>
#include "model/Escaping.h"
#include "model/SiteObject.h"
#include "framework/core/CArchive.h"
#include "framework/core/Dc.h"
#include "model/Clipboard.h"
#include "model/PageOutput.h"

using archive_io::Io;

namespace {

// An option value inside its double-quoted attribute: with raw text only the quote is
// escaped, else & < > and the quote.
CString OptionValue(const CWString& value, bool raw)
{
    const CString utf8 = value.GetUtf8();
    return raw ? HtmlQuoteEscape(utf8) : HtmlEscape(utf8, true);
}

} // namespace

void CListControlItem::Serialize(CArchive& ar, int version)
{
    CFormFieldItem::Serialize(ar, version);
    Io(ar, m_nRows);
    Io(ar, m_bMultiple);
    Io(ar, m_nSelected);
}

void CListControlItem::WriteHtml(CPageOutput& out)
{
    CItem::WriteHtml(out);
    if (!m_bPositioned) {
        out.Append("<p");
        static const char* const kAlign[3] = {" style=\"text-align:left;\"", " style=\"text-align:right;\"", " style=\"text-align:center;\""};
        if (m_nTextAlign >= 0 && m_nTextAlign < 3)
            out.Append(kAlign[m_nTextAlign]);
        out.Append(">");
    }
    out.Append("<select");
    WriteIdClassTitle(out);
    out.AppendAttribute("name", GetFieldName());
    if (m_nRows >= 1) // a size must be positive; none shows the one-line list
        out.AppendAttributeInt("size", m_nRows);
    if (m_nTabIndex > 0)
        out.AppendAttributeInt("tabindex", m_nTabIndex);
    if (m_bMultiple)
        out.Append(" multiple");
    const CString style = GetStyle();
    if (!style.IsEmpty())
        out.AppendAttribute("style", style);
    WriteEventAttributes(out);
    out.Append(">\r\n");
    const int raw = out.m_bRawText;
    out.m_bRawText = m_bRawText;
    for (size_t i = 0; i < m_optionLines.size(); ++i) {
        CWString label, value;
        SplitLabelValue(m_optionLines[i], label, value);
        out.Append("<option value=\"");
        out.Append(OptionValue(value, m_bRawText != 0));
        out.Append("\"");
        if (int(i) == m_nSelected)
            out.Append(" selected");
        out.Append(">");
        out.AppendEscaped(label);
        out.Append("</option>");
        out.AppendLine();
    }
    out.m_bRawText = raw;
    out.Append("</select>");
    if (!m_bPositioned)
        out.Append("</p>");
    out.AppendLine();
}

void CListControlItem::WriteValidationScript(CString& script)
{
    const CString ref = FormElementRef(GetFieldName());
    const CString el = "form" + ref;
    const CString message = ScriptMessage(m_strRequiredMessage, "The option must be selected.");
    script += Statement(el + ".selectedIndex<0", message, ref);
    script += "if(" + el + ".selectedIndex>=0) if(" + el + ".options[" + el + ".selectedIndex].value.length==0){ alert('" + message + "'); "
        + el + ".focus(); return false; }";
}

void CListControlItem::SetSiteStyles(CSiteStyles* styles)
{
    CFormFieldItem::SetSiteStyles(styles);
    m_pParagraphStyle = styles ? &styles->m_base : nullptr;
}

void CListControlItem::RecalcLayout()
{
    CItem::RecalcLayout();
    RebuildOptionLines();
    m_nLineHeight = MeasureLineHeight();
    // As the browser draws them: a row is a text line and 2 pixels; a drop-down shows one
    // row, a list box its rows.
    m_nHeight = (m_nLineHeight + 2) * std::max(1, m_nRows) + m_nInset[SIDE_TOP] + m_nInset[SIDE_BOTTOM];
    // A flowing list box stands in a paragraph, which adds the text style's margins.
    if (m_nType == ITEM_LIST_CONTROL && m_pParagraphStyle) {
        m_nEffMargin[0] += std::clamp(m_pParagraphStyle->m_nMarginTop, 0, 100000);
        m_nEffMargin[2] += std::clamp(m_pParagraphStyle->m_nMarginBottom, 0, 100000);
    }
}

void CListControlItem::SetRect(int left, int top, int right, int bottom)
{
    m_nX = left;
    m_nY = top;
    m_nWidth = right - left;
    if (bottom - top != m_nHeight && m_nLineHeight > 0) {
        m_nRows = std::max(0, (bottom - top - m_nInset[SIDE_TOP] - m_nInset[SIDE_BOTTOM]) / (m_nLineHeight + 2));
        m_nHeight = bottom - top;
    }
    RecalcLayout();
}

void CListControlItem::Draw(CDC* dc)
{
    if (!dc)
        return;
    CFont font;
    const int saved = BeginFieldPaint(dc, font);
    dc->TextOut(m_nInset[SIDE_LEFT], m_nInset[SIDE_TOP], m_strName);
    if (m_nRows == 0) {
        const int right = m_nWidth - m_nInset[SIDE_RIGHT];
        CRect strip(right - 17, m_nInset[SIDE_TOP], right, m_nHeight - m_nInset[SIDE_BOTTOM]);
        dc->FillSolidRect(strip, 0xE0D0D0);
        DrawArrowGlyph(dc, strip.CenterPoint().x, strip.CenterPoint().y);
    }
    dc->RestoreDC(saved);
    if (m_nRows > 0)
        DrawVertScrollBar(*this, dc, m_nHeight);
}
