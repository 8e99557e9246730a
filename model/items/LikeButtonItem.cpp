#include "model/items/LikeButtonItem.h"
#include "model/Escaping.h"
#include "model/ItemHtml.h"
#include "model/PageOutput.h"
#include "model/SocialHosts.h"

void CLikeButtonItem::Serialize(CArchive& ar, int version)
{
    using archive_io::Io;
    CItem::Serialize(ar, version);
    Io(ar, m_nLayout);
    Io(ar, m_strPage);
    Io(ar, m_nColorScheme);
}

void CLikeButtonItem::WriteHtml(CPageOutput& out)
{
    static const char* const kLayouts[3] = {"standard", "button_count", "box_count"};
    out.Append("<iframe");
    out.AppendAttribute("id", GetHtmlId());
    if (!m_strClass.IsEmpty())
        out.AppendAttribute("class", m_strClass);
    CString page = m_strPage;
    if (page.Find("facebook") < 0)
        page = SocialNetworkAddress() + "/" + page;
    const CString src = SocialNetworkAddress()
        + CString::Formatted("/plugins/like.php?action=like&href=%s&colorscheme=%s&layout=%s", UrlEncodePath(page).GetString(),
                             m_nColorScheme == 1 ? "dark" : "light", kLayouts[m_nLayout >= 0 && m_nLayout <= 2 ? m_nLayout : 0]);
    out.AppendAttribute("src", src);
    out.Append(" scrolling=\"no\" frameborder=\"0\" allowTransparency=\"true\"");
    out.AppendAttribute("style", m_bPositioned ? CString::Formatted("position:absolute;left:%dpx;top:%dpx;border:none;width:%dpx;height:%dpx;border:none;overflow:hidden;",
                                                                    m_nX, m_nY, m_nWidth, m_nHeight)
                                               : FlowingFrameStyle(*this));
    out.Append("></iframe>");
}
