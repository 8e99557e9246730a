#include "model/items/TextItem.h"
#include "model/Escaping.h"
#include "model/ItemHtml.h"
#include "model/PageOutput.h"
#include "model/TextRuns.h"

void CTextItem::WriteHtml(CPageOutput& out)
{
    CItem::WriteHtml(out);
    WriteTextBoxStyle(out);
    out.Append("<span");
    WriteIdClassTitle(out);
    CString style = GetStyle();
    if (m_nTextAlign == 1)
        style += "text-align:right;";
    else if (m_nTextAlign == 2)
        style += "text-align:center;";
    const bool bullet = m_nIcon > 0;
    if (bullet)
        style.AppendFormat("padding-left:%dpx;", m_nEffPadding[SIDE_LEFT] + 24);
    if (!style.IsEmpty())
        out.AppendAttribute("style", style);
    WriteEventAttributes(out);
    out.Append(">");
    if (bullet) {
        out.Append("<img alt=\"o\"");
        out.AppendAttribute("style", CString::Formatted("position:absolute; left:%dpx; top:%dpx;", m_nEffPadding[SIDE_LEFT], m_nHeight * 3 / 5 - 10));
        out.AppendAttribute("src", ItemFileHref(*this, out, m_strImageName));
        out.AppendAttributeInt("width", m_dib.GetWidth());
        out.AppendAttributeInt("height", m_dib.GetHeight());
        out.Append(">");
    }
    const CString closeLink = OpenItemLink(*this, out);
    const CRawTextScope raw(out, m_bRawText);
    out.AppendText(m_strText);
    out.Append(closeLink);
    out.Append("</span>");
    WriteParagraphEnd(out);
    out.AppendLine();
}
