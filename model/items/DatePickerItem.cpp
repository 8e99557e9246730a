#include "model/items/DatePickerItem.h"
#include "model/Escaping.h"
#include "model/SiteObject.h"
#include "framework/core/CArchive.h"
#include "framework/core/Dc.h"
#include "model/Clipboard.h"
#include "model/ItemAction.h"
#include "model/PageOutput.h"
#include "model/Translate.h"

using archive_io::Io;

void CDatePickerItem::Serialize(CArchive& ar, int version)
{
    CListControlItem::Serialize(ar, version);
    if (ar.IsStoring() || version >= 88) {
        Io(ar, m_nStartMode);
        Io(ar, m_nYear);
        Io(ar, m_nDay);
        Io(ar, m_nMonth);
        Io(ar, m_nDayCount);
        for (int& flag : m_bWeekdays)
            Io(ar, flag);
        Io(ar, m_nValueFormat);
        Io(ar, m_nArchivedWord);
        Io(ar, m_nDayOffset);
    }
}

void CDatePickerItem::WriteHtml(CPageOutput& out)
{
    CItem::WriteHtml(out);
    WriteTextBoxStyle(out);
    out.Append("<select");
    WriteIdClassTitle(out);
    out.AppendAttribute("name", GetFieldName());
    out.AppendAttributeInt("size", m_nRows + 1);
    if (m_nTabIndex > 0)
        out.AppendAttributeInt("tabindex", m_nTabIndex);
    const CString style = GetStyle();
    if (!style.IsEmpty())
        out.AppendAttribute("style", style);
    WriteEventAttributes(out);
    out.Append("></select>");
    WriteParagraphEnd(out);
    out.Append("\r\n");

    // The options are made in the visitor's browser. The days start at noon and step by
    // calendar days, so a daylight-saving change never repeats or skips a date.
    out.Append("<script type=\"text/javascript\">\r\n");
    out.Append("(function() { var m = new Array(");
    static const char* const kMonths[12] = {"January", "February", "March", "April", "May", "June", "July", "August",
        "September", "October", "November", "December"};
    for (int i = 0; i < 12; ++i) {
        out.Append("'");
        out.Append(EscapeJsString(Translate(kMonths[i]).GetString()));
        out.Append(i < 11 ? "'," : "');");
    }
    if (m_nStartMode != 0) {
        out.Append(CString::Formatted("var d = new Date(%d,%d,%d,12);", m_nYear, m_nMonth, m_nDay + 1));
    } else {
        out.Append("var d = new Date(); d.setHours(12,0,0,0);");
        if (m_nDayOffset != 0)
            out.Append(CString::Formatted("d.setDate(d.getDate() + %d);", m_nDayOffset));
    }
    out.Append(CString::Formatted("for(var i=0;i<%d;i++) { ", m_nDayCount));
    CString filter;
    for (int k = 0; k < 7; ++k) {
        if (m_bWeekdays[k] != 0)
            continue;
        if (!filter.IsEmpty())
            filter += " && ";
        filter += CString::Formatted("d.getDay()!=%d", k);
    }
    if (!filter.IsEmpty())
        out.Append("if(" + filter + ") { ");
    out.Append("var o=document.createElement('option'); o.text = d.getDate() + ' ' + m[d.getMonth()] + ' ' + d.getFullYear();");
    if (m_nValueFormat == 0)
        out.Append("o.value = o.text;");
    else if (m_nValueFormat == 1)
        out.Append("o.value = d.getTime()/1000;");
    else if (m_nValueFormat == 2)
        out.Append("o.value = d.getTime();");
    const CString id = EscapeJsString(GetHtmlId().GetString());
    out.Append("try { document.getElementById(\"" + id + "\").add(o,null);} catch(ex) { document.getElementById(\"" + id + "\").add(o); }");
    if (!filter.IsEmpty())
        out.Append(" } \r\n");
    out.Append(" d.setDate(d.getDate() + 1); } })();\r\n");
    out.Append("</script>");
    out.AppendLine();
}

void CDatePickerItem::Draw(CDC* dc)
{
    if (!dc)
        return;
    CFont font;
    const int saved = BeginFieldPaint(dc, font);
    dc->TextOut(2, 2, CString("dd-MM-yyyy"));
    if (m_nRows == 0) {
        CRect strip(m_nWidth - 17, 0, m_nWidth, m_nHeight);
        dc->FillSolidRect(strip, 0xE0D0D0);
        DrawArrowGlyph(dc, strip.CenterPoint().x, strip.CenterPoint().y);
    }
    dc->RestoreDC(saved);
    if (m_nRows > 0)
        DrawVertScrollBar(*this, dc, m_nHeight);
}
