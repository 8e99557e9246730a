#include "model/items/PreformattedTextItem.h"
#include "model/PageOutput.h"

void CPreformattedTextItem::WriteHtml(CPageOutput& out)
{
    CItem::WriteHtml(out);
    out.Append("<pre");
    WriteIdClassTitle(out);
    const CString style = GetStyle();
    if (!style.IsEmpty())
        out.AppendAttribute("style", style);
    out.Append(">");
    const CRawTextScope raw(out, m_bRawText);
    out.AppendEscaped(m_strText);
    out.Append("</pre>");
    out.AppendLine();
}
