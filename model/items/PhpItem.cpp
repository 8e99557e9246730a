#include "model/items/PhpItem.h"
#include "model/Escaping.h"
#include "model/PageOutput.h"
#include "model/PublishContext.h"
#include "model/Translate.h"

void CPhpItem::WriteHtml(CPageOutput& out)
{
    CItem::WriteHtml(out);
    out.Append("<div");
    if (!m_strName.IsEmpty())
        out.AppendAttribute("id", GetHtmlId());
    if (!m_strClass.IsEmpty())
        out.AppendAttribute("class", m_strClass);
    const CString style = GetStyle();
    if (!style.IsEmpty())
        out.AppendAttribute("style", style);
    out.Append(">");
    if (out.m_nMode < kPublishUpload) {
        // Previews are not run by PHP: show a notice instead of the code.
        out.Append(HtmlEscape(Translate("PHP Code Works only on the Server.")));
    } else {
        out.AppendLine();
        out.Append("<?php ");
        out.AppendUtf8(m_strText);
        out.Append(" ?>");
        out.AppendLine();
    }
    out.Append("</div>");
    out.AppendLine();
}
