#include "model/items/HtmlItem.h"
#include "model/PageOutput.h"

void CHtmlItem::WriteHtml(CPageOutput& out)
{
    CItem::WriteHtml(out);
    out.Append("<div");
    WriteIdClassTitle(out);
    const CString style = GetStyle();
    if (!style.IsEmpty())
        out.AppendAttribute("style", style);
    out.Append(">");
    // The user's own markup, as typed.
    out.AppendUtf8(m_strText);
    out.Append("</div>");
    out.AppendLine();
}
