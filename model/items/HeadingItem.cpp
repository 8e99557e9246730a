#include "model/items/HeadingItem.h"
#include "model/Border.h"
#include "model/ItemHtml.h"
#include "model/PageOutput.h"
#include "model/TextRuns.h"

void CHeadingItem::Serialize(CArchive& ar, int version)
{
    using archive_io::Io;
    CTextItem::Serialize(ar, version);
    Io(ar, m_nLevel);
    if (ar.IsStoring() || version >= 88)
        Io(ar, m_nSpare);
}

void CHeadingItem::WriteHtml(CPageOutput& out)
{
    CItem::WriteHtml(out);
    const int level = GetHtmlLevel() + 1;
    out.Append(CString::Formatted("<h%d", level));
    WriteIdClassTitle(out);
    CString style = GetStyle();
    if (!m_bPositioned)
        style += WriteMarginStyle(m_margin, m_nBlockAlign);
    if (!style.IsEmpty())
        out.AppendAttribute("style", style);
    WriteEventAttributes(out);
    out.Append(">");
    const CString closeLink = OpenItemLink(*this, out);
    const CRawTextScope raw(out, m_bRawText);
    out.AppendText(m_strText);
    out.Append(closeLink);
    out.Append(CString::Formatted("</h%d>", level));
    out.AppendLine();
}
