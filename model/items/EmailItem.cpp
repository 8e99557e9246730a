#include "model/items/EmailItem.h"
#include "model/HtmlWriting.h"
#include "model/ItemLink.h"
#include "model/PageOutput.h"

namespace {

// An address as it may stand in a mailto link: everything but the characters of plain
// addresses percent-encoded, so no address can end the attribute or add header fields.
CString EncodeMailAddressText(const char* text)
{
    CString out;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text ? text : ""); *p; ++p) {
        const unsigned char c = *p;
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || (c && std::strchr("@.-_+~!$*=/'", c)))
            out += char(c);
        else
            out.AppendFormat("%%%02X", unsigned(c));
    }
    return out;
}

} // namespace

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
    CString address = EncodeMailAddressText(m_strAddress);
    CString cc = EncodeMailAddressText(m_strCc);
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
