#include "model/items/RadioChoiceItem.h"
#include "model/Escaping.h"
#include "model/SiteObject.h"
#include "framework/core/CArchive.h"
#include "framework/core/Dc.h"
#include "model/PageOutput.h"
#include "model/TextRuns.h"
#include <algorithm>

using archive_io::Io;

void CRadioChoiceItem::Serialize(CArchive& ar, int version)
{
    CFormFieldItem::Serialize(ar, version);
    Io(ar, m_nRowSpacing);
    Io(ar, m_nDefault);
    Io(ar, m_bDefaultChecked);
    if (ar.IsStoring() || version >= 88)
        Io(ar, m_nLabelGap);
    if (ar.IsLoading()) {
        // from a damaged file or paste these may be anything: rows and gaps of a page
        m_nRowSpacing = std::clamp(m_nRowSpacing, -20, 10000);
        m_nLabelGap = std::clamp(m_nLabelGap, 0, 10000);
    }
}

void CRadioChoiceItem::WriteHtml(CPageOutput& out)
{
    CItem::WriteHtml(out);
    out.Append("<table");
    WriteIdClassTitle(out);
    CString style = GetStyle();
    if (!m_bPositioned)
        style += WriteMarginStyle(m_margin, m_nBlockAlign);
    if (!style.IsEmpty())
        out.AppendAttribute("style", style);
    out.Append(">");
    const CString name = GetFieldName();
    const int raw = out.m_bRawText;
    out.m_bRawText = m_bRawText;
    for (size_t i = 0; i < m_optionLines.size(); ++i) {
        CWString label, value;
        SplitLabelValue(m_optionLines[i], label, value);
        out.Append("<tr");
        out.AppendAttributeSz("valign", "middle");
        out.AppendAttributeInt("height", m_nRowSpacing + 20);
        out.Append("><td><input type=\"radio\" ");
        out.AppendAttribute("name", name);
        if (!m_strClass.IsEmpty())
            out.AppendAttribute("class", m_strClass);
        if (m_nTabIndex > 0)
            out.AppendAttributeInt("tabindex", m_nTabIndex);
        out.AppendAttribute("id", name + CString::Formatted("_%d", int(i)));
        out.AppendAttributeW("value", value);
        if (int(i) == m_nDefault && m_bDefaultChecked)
            out.Append(" checked");
        WriteEventAttributes(out);
        out.Append("></td><td>");
        out.AppendEscaped(label);
        out.Append("</td></tr>");
        out.AppendLine();
    }
    out.m_bRawText = raw;
    out.Append("</table>");
}

void CRadioChoiceItem::WriteValidationScript(CString& script)
{
    if (m_bDefaultChecked != 0 || m_optionLines.empty())
        return;
    const CString name = GetFieldName();
    CString test;
    for (size_t i = 0; i < m_optionLines.size(); ++i) {
        if (i > 0)
            test += " && ";
        test += "form" + FormElementRef(name + CString::Formatted("_%d", int(i))) + ".checked==0";
    }
    script += Statement(test, EscapeJsString(m_strRequiredMessage.GetUtf8().GetString()), FormElementRef(name + "_0"));
}

void CRadioChoiceItem::RecalcLayout()
{
    CItem::RecalcLayout();
    RebuildOptionLines();
    int height = 0, widest = 0;
    const bool measure = CanLayOutText();
    CDC dc;
    CFont font;
    if (measure) {
        font.CreateFontIndirect(m_lfText.Get());
        dc.SelectObject(&font);
    }
    long long rows = 0;
    for (const CWString& line : m_optionLines) {
        rows += m_nRowSpacing + 20;
        CWString label, value;
        SplitLabelValue(line, label, value);
        if (measure && !label.IsEmpty())
            widest = std::max(widest, int(dc.GetTextExtent(label.GetBuffer(), label.GetLength()).cx));
    }
    // insets of a damaged file may be huge too: the sums are bounded, never overflow
    auto bounded = [](long long v) { return int(std::clamp(v, 0LL, 1000000LL)); };
    height = bounded(std::max(rows, 20LL));
    m_nWidth = bounded(24LL + m_nLabelGap + widest + m_nInset[SIDE_LEFT] + m_nInset[SIDE_RIGHT]);
    m_nHeight = bounded(0LL + height + m_nInset[SIDE_TOP] + m_nInset[SIDE_BOTTOM]);
}

void CRadioChoiceItem::Draw(CDC* dc)
{
    if (!dc)
        return;
    CFont font;
    const int saved = BeginFieldPaint(dc, font);
    const int x = m_nInset[SIDE_LEFT], y = m_nInset[SIDE_TOP];
    CPen black(PS_SOLID, 1, 0);
    CBrush white(0xFFFFFF);
    CBrush green(0x35B938);
    for (size_t i = 0; i < m_optionLines.size(); ++i) {
        const int offset = int(i) * (m_nRowSpacing + 24);
        CWString label, value;
        SplitLabelValue(m_optionLines[i], label, value);
        if (!label.IsEmpty())
            dc->TextOutW(x + m_nLabelGap + 14, y + offset, label.GetBuffer(), label.GetLength());
        dc->SelectObject(&black);
        dc->SelectObject(&white);
        dc->Ellipse(x + 2, y + offset + 2, x + 15, y + offset + 15);
        if (int(i) == m_nDefault && m_bDefaultChecked) {
            dc->SelectObject(&green);
            dc->Ellipse(x + 6, y + offset + 6, x + 12, y + offset + 12);
        }
    }
    dc->RestoreDC(saved);
}
