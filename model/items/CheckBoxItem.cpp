#include "model/items/CheckBoxItem.h"
#include "model/SiteObject.h"
#include "framework/core/CArchive.h"
#include "framework/core/Dc.h"
#include "model/PageOutput.h"
#include "model/TextRuns.h"
#include <algorithm>
#include <cstdlib>

using archive_io::Io;

void CCheckBoxItem::Serialize(CArchive& ar, int version)
{
    CFormFieldItem::Serialize(ar, version);
    Io(ar, m_bChecked);
}

void CCheckBoxItem::WriteHtml(CPageOutput& out)
{
    CItem::WriteHtml(out);
    WriteTextBoxStyle(out);
    out.Append("<span ");
    CString style = GetStyle();
    // A flowing caption box is inline: its width applies only as an inline block.
    if (!m_bPositioned && !style.IsEmpty())
        style += "display:inline-block;";
    if (!style.IsEmpty())
        out.AppendAttribute("style", style);
    out.Append("><input type=\"checkbox\"");
    out.AppendAttribute("name", GetFieldName());
    WriteIdClassTitle(out);
    if (m_nTabIndex > 0)
        out.AppendAttributeInt("tabindex", m_nTabIndex);
    WriteEventAttributes(out);
    if (m_bChecked)
        out.Append(" checked");
    out.Append(">");
    if (!m_strText.IsEmpty()) {
        out.Append("&nbsp;");
        out.AppendText(m_strText);
    }
    out.Append("</span>");
    WriteParagraphEnd(out);
    out.AppendLine();
}

void CCheckBoxItem::WriteValidationScript(CString& script)
{
    const CString ref = FormElementRef(GetFieldName());
    script += Statement("!form" + ref + ".checked", ScriptMessage(m_strRequiredMessage, "The checkbox must be checked."), ref);
}

void CCheckBoxItem::RecalcLayout()
{
    CItem::RecalcLayout();
    int w = 14, h = 14;
    if (!m_strText.IsEmpty() && CanLayOutText()) {
        CDC dc;
        CFont font;
        font.CreateFontIndirect(m_lfText.Get());
        dc.SelectObject(&font);
        const CSize size = dc.GetTextExtent(m_strText.GetBuffer(), m_strText.GetLength());
        w += size.cx + 6;
        h = std::max(h, int(size.cy));
    }
    m_nWidth = w + 10;
    m_nHeight = h;
}

void CCheckBoxItem::Draw(CDC* dc)
{
    if (!dc)
        return;
    CFont font;
    const int saved = BeginFieldPaint(dc, font);
    const int x = m_nInset[SIDE_LEFT], y = m_nInset[SIDE_TOP];
    CWString caption;
    caption.SetText(u" ");
    caption.Append(m_strText);
    dc->TextOutW(x + 16, y, caption.GetBuffer(), caption.GetLength());
    // The box: 13 x 13, white with a dark frame, ticked when checked.
    const int by = y + std::max(0, std::abs(int(m_lfText->lfHeight)) - 13);
    dc->FillSolidRect(x, by, 13, 13, 0x707070);
    dc->FillSolidRect(x + 1, by + 1, 11, 11, 0xFFFFFF);
    if (m_bChecked)
        dc->FillSolidRect(x + 3, by + 3, 7, 7, 0x202020);
    dc->RestoreDC(saved);
}
