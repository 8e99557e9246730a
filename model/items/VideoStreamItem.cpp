#include "model/items/VideoStreamItem.h"
#include "model/Escaping.h"
#include "model/ItemPlaceholder.h"
#include "model/PageOutput.h"
#include "model/items/MediaFrame.h"

using archive_io::Io;

void CVideoStreamItem::Serialize(CArchive& ar, int version)
{
    CItem::Serialize(ar, version);
    Io(ar, m_bAutoStart);
    Io(ar, m_bShowController);
}

void CVideoStreamItem::Draw(CDC* dc)
{
    if (!dc)
        return;
    if (HasNoPaintedBorder(*this))
        DrawMediaOutline(*this, dc);
    DrawPlaceholder(*this, dc, CString::Formatted("Video: %s", m_strThirdName.GetString()), 0x80);
}

void CVideoStreamItem::WriteHtml(CPageOutput& out)
{
    CItem::WriteHtml(out);
    out.Append("<object");
    const CString style = GetStyle();
    if (!style.IsEmpty())
        out.AppendAttribute("style", style);
    if (!m_strClass.IsEmpty())
        out.AppendAttribute("class", m_strClass);
    const CString address = HtmlAttributeEscape(UrlEscapeUnsafe(m_strThirdName));
    out.Append(CString::Formatted(" type=\"video/x-ms-wmv\" data=\"%s\" width=\"%d\" height=\"%d\">\r\n", address.GetString(), m_nWidth, m_nHeight));
    out.Append(CString::Formatted("<param name=\"src\" value=\"%s\">\r\n", address.GetString()));
    out.Append(CString::Formatted("<param name=\"autostart\" value=\"%s\">\r\n", m_bAutoStart ? "true" : "false"));
    out.Append(CString::Formatted("<param name=\"controller\" value=\"%s\">\r\n", m_bShowController ? "true" : "false"));
    out.Append("</object>");
}
