#include "model/items/FacebookItem.h"
#include "model/Escaping.h"
#include "model/ItemHtml.h"
#include "model/HtmlWriting.h"
#include "model/PageOutput.h"
#include "model/SocialHosts.h"

void CFacebookItem::Serialize(CArchive& ar, int version)
{
    using archive_io::Io;
    CItem::Serialize(ar, version);
    Io(ar, m_nShowFaces);
    Io(ar, m_nStream);
    Io(ar, m_strPage);
    Io(ar, m_crBorder);
    Io(ar, m_nColorScheme);
}

void CFacebookItem::WriteHtml(CPageOutput& out)
{
    out.Append("<iframe");
    out.AppendAttribute("id", GetHtmlId());
    if (!m_strClass.IsEmpty())
        out.AppendAttribute("class", m_strClass);
    CString border = ColorToHtml(m_crBorder);
    border.Replace("#", "%23");
    const CString href = SocialNetworkHost() + "/" + m_strPage;
    const CString src = SocialNetworkAddress()
        + CString::Formatted("/plugins/likebox.php?href=%s&width=%d&height=%d&header=false&show_faces=%s&stream=%s&border_color=%s&colorscheme=%s",
                             UrlEncodePath(href).GetString(), m_nWidth, m_nHeight, m_nShowFaces ? "true" : "false",
                             m_nStream ? "true" : "false", border.GetString(), m_nColorScheme == 1 ? "dark" : "light");
    out.AppendAttribute("src", src);
    out.Append(" allowtransparency=\"true\"");
    out.AppendAttribute("style", m_bPositioned ? CString::Formatted("position:absolute;left:%dpx;top:%dpx;border:none;width:%dpx;height:%dpx;overflow:hidden;",
                                                                    m_nX, m_nY, m_nWidth, m_nHeight)
                                               : FlowingFrameStyle(*this));
    out.Append("></iframe>");
}
