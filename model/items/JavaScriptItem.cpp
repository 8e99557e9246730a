#include "model/items/JavaScriptItem.h"
#include "model/PageOutput.h"

void CJavaScriptItem::WriteHtml(CPageOutput& out)
{
    CItem::WriteHtml(out);
    out.Append("<div");
    if (!m_strClass.IsEmpty())
        out.AppendAttribute("class", m_strClass);
    const CString style = GetStyle();
    if (!style.IsEmpty())
        out.AppendAttribute("style", style);
    out.Append(">");
    out.Append("<script type=\"text/javascript\">");
    out.AppendUtf8(m_strText);
    out.Append("</script>");
    out.AppendLine();
    out.Append("</div>");
    out.AppendLine();
}
