#include "model/items/YouTubeItem.h"
#include "model/Escaping.h"
#include "model/Border.h"
#include "model/ItemPlaceholder.h"
#include "model/PageOutput.h"
#include "model/items/MediaFrame.h"

using archive_io::Io;

namespace {

// Scheme and host of the video service's player addresses.
const char* const kVideoServiceAddress = "https://www.youtube.com";

} // namespace

void CYouTubeItem::Serialize(CArchive& ar, int version)
{
    CItem::Serialize(ar, version);
    Io(ar, m_strVideoId);
    Io(ar, m_strParameters);
}

CString CYouTubeItem::GetParameterSuffix() const
{
    if (m_strParameters.IsEmpty())
        return CString();
    return m_strParameters[0] == '?' ? m_strParameters : "?" + m_strParameters;
}

void CYouTubeItem::Draw(CDC* dc)
{
    if (!dc)
        return;
    if (HasNoPaintedBorder(*this))
        DrawMediaOutline(*this, dc);
    DrawPlaceholder(*this, dc, CString::Formatted("YouTube: %s", m_strVideoId.GetString()), 0x8000);
}

void CYouTubeItem::WriteHtml(CPageOutput& out)
{
    CItem::WriteHtml(out);
    WriteTextBoxStyle(out);
    out.Append("<div");
    WriteIdClassTitle(out);
    CString style = GetStyle();
    if (!m_bPositioned)
        style += WriteMarginStyle(m_margin, m_nBlockAlign);
    if (!style.IsEmpty())
        out.AppendAttribute("style", style);
    out.Append(">");
    // The service's embed player in a frame: its Flash player (an <object> of obsolete
    // <param>s) no longer plays anywhere.
    const CString address = CString(kVideoServiceAddress) + "/embed/" + UrlEncodePath(m_strVideoId) + UrlEscapeUnsafe(GetParameterSuffix());
    out.Append("<iframe");
    out.AppendAttribute("src", address);
    out.Append(CString::Formatted(" width=\"%d\" height=\"%d\" style=\"border:0;display:block;\" title=\"YouTube\" allowfullscreen></iframe></div>", m_nWidth, m_nHeight));
    WriteParagraphEnd(out);
    out.AppendLine();
}
