#include "model/items/AudioStreamItem.h"
#include "model/ItemHtml.h"
#include "model/Escaping.h"
#include "model/ItemPlaceholder.h"
#include "model/PageOutput.h"
#include "model/items/MediaFrame.h"

using archive_io::Io;

void CAudioStreamItem::Serialize(CArchive& ar, int version)
{
    CItem::Serialize(ar, version);
    Io(ar, m_bAutoStart);
}

void CAudioStreamItem::Draw(CDC* dc)
{
    if (!dc)
        return;
    CItem::Draw(dc);
    if (HasNoPaintedBorder(*this))
        DrawMediaOutline(*this, dc);
    DrawPlaceholder(*this, dc, CString::Formatted("Audio: %s", m_strThirdName.GetString()), 0x800000);
}

void CAudioStreamItem::WriteHtml(CPageOutput& out)
{
    CItem::WriteHtml(out);
    if (!m_bPositioned) {
        out.Append("<p");
        if (m_nTextAlign == 0)
            out.Append(" style=\"text-align:left;\"");
        else if (m_nTextAlign == 1)
            out.Append(" style=\"text-align:right;\"");
        else if (m_nTextAlign == 2)
            out.Append(" style=\"text-align:center;\"");
        out.Append(">");
    }
    WriteStreamMedia(*this, out, "audio", m_strThirdName, m_bAutoStart != 0, true);
    if (!m_bPositioned)
        out.Append("</p>");
    out.AppendLine();
}
