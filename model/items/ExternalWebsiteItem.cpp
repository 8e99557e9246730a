#include "model/items/ExternalWebsiteItem.h"
#include "model/PageOutput.h"

void CExternalWebsiteItem::WriteHtml(CPageOutput& out)
{
    CItem::WriteHtml(out);
    CString style = GetStyle();
    WriteTextBoxStyle(out);
    const bool block = !style.IsEmpty();
    if (block) {
        out.Append("<div");
        if (!m_bPositioned) {
            if (m_nBlockAlign == 0)
                style += "margin-right:auto;";
            else if (m_nBlockAlign == 1)
                style += "margin-left:auto;";
            else if (m_nBlockAlign == 2)
                style += "margin-right:auto;margin-left:auto;";
        }
        out.AppendAttribute("style", style);
        out.Append(">");
    }
    CString address;
    m_strText.ToUtf8(address);
    address.Replace("\"", "''");
    out.Append("<iframe frameborder=\"0\"");
    out.AppendAttribute("id", GetHtmlId());
    if (!address.IsEmpty()) // an empty address is no valid source: the frame stays empty
        out.AppendAttribute("src", address);
    out.AppendAttributeInt("width", m_nWidth);
    out.AppendAttributeInt("height", m_nHeight);
    out.Append("></iframe>");
    out.AppendLine();
    if (block) {
        out.Append("</div>");
        out.AppendLine();
    }
    WriteParagraphEnd(out);
}
