#include "model/items/EmailItem.h"
#include "model/Escaping.h"
#include "model/ItemLink.h"
#include "model/PageOutput.h"

void CEmailItem::Serialize(CArchive& ar, int version)
{
    using archive_io::Io;
    CLinkItem::Serialize(ar, version);
    Io(ar, m_strBody);
    Io(ar, m_strCc);
    Io(ar, m_strSubject);
    Io(ar, m_strAddress);
    Io(ar, m_nEncode);
}

void CEmailItem::WriteHtml(CPageOutput& out)
{
    CItem::WriteHtml(out);
    WriteTextBoxStyle(out);
    out.Append("<a");
    WriteIdClassTitle(out);
    const CString style = GetStyle();
    if (!style.IsEmpty())
        out.AppendAttribute("style", style);

    const bool encode = m_nEncode == 1;
    CString address = EncodeMailAddress(m_strAddress);
    CString cc = EncodeMailAddress(m_strCc);
    if (encode) {
        address = EncodeCharRefs(address);
        cc = EncodeCharRefs(cc);
    }
    CString text;
    m_strText.ToUtf8(text);
    if (encode && text.Find('@') > 0)
        text = EncodeCharRefs(text);
    else
        text = HtmlEscape(text);

    CString query;
    auto part = [&query](const char* key, const CString& value) {
        if (value.IsEmpty())
            return;
        if (!query.IsEmpty())
            query += "&amp;";
        query += key;
        query += value;
    };
    part("subject=", EncodeMailField(m_strSubject));
    part("body=", EncodeMailField(m_strBody));
    part("cc=", cc);
    out.Append(" href=\"mailto:" + address + (query.IsEmpty() ? CString() : "?" + query) + "\">");
    out.Append(text);
    out.Append("</a>");
    out.AppendLine();
    WriteParagraphEnd(out);
}
