#include "model/items/VideoStreamItem.h"
#include "model/ItemHtml.h"
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
    WriteStreamMedia(*this, out, "video", m_strThirdName, m_bAutoStart != 0, m_bShowController != 0);
}
