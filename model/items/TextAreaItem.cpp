#include "model/items/TextAreaItem.h"
#include "model/SiteObject.h"
#include "framework/core/CArchive.h"
#include "framework/core/Dc.h"
#include "model/Clipboard.h"
#include "model/PageOutput.h"

using archive_io::Io;

void CTextAreaItem::Serialize(CArchive& ar, int version)
{
    CFormFieldItem::Serialize(ar, version);
    const bool store = ar.IsStoring();
    if (store || version >= 88) {
        Io(ar, m_nMinLength);
        Io(ar, m_nMaxLength);
    }
    if (store || version >= 90)
        m_wstrPlaceholder.Serialize(ar);
}

void CTextAreaItem::WriteHtml(CPageOutput& out)
{
    CItem::WriteHtml(out);
    WriteTextBoxStyle(out);
    out.Append("<textarea");
    const CString style = GetStyle();
    if (!style.IsEmpty())
        out.AppendAttribute("style", style);
    out.AppendAttribute("name", GetFieldName());
    WriteIdClassTitle(out);
    if (m_nTabIndex > 0)
        out.AppendAttributeInt("tabindex", m_nTabIndex);
    if (!m_wstrPlaceholder.IsEmpty())
        out.AppendAttributeW("placeholder", m_wstrPlaceholder);
    WriteEventAttributes(out);
    out.Append(">");
    out.AppendLine();
    // The item's own raw-text choice applies to its content only.
    {
        const CRawTextScope raw(out, m_bRawText);
        out.AppendEscaped(m_strText);
    }
    out.Append("</textarea>\r\n");
    WriteParagraphEnd(out);
}

void CTextAreaItem::WriteValidationScript(CString& script)
{
    const CString ref = FormElementRef(GetFieldName());
    const CString value = "form" + ref + ".value";
    WriteLengthRules(script, ref);
    if (m_nMaxLength != 0)
        script += Statement(value + CString::Formatted(".length>%d", m_nMaxLength),
            ScriptMessage(m_strRuleMessage, CString::Formatted("This field must have maxmimum %d characters.", m_nMaxLength)), ref);
}

void CTextAreaItem::Draw(CDC* dc)
{
    if (!dc)
        return;
    CFont font;
    const int saved = BeginFieldPaint(dc, font);
    CRect r(m_nInset[SIDE_LEFT], m_nInset[SIDE_TOP], m_nWidth - m_nInset[SIDE_RIGHT] - 16, m_nHeight - m_nInset[SIDE_BOTTOM]);
    const UINT format = DT_WORDBREAK | DT_NOPREFIX;
    if (!m_strText.IsEmpty()) {
        dc->DrawTextW(m_strText.GetBuffer(), -1, &r, format);
    } else if (!m_wstrPlaceholder.IsEmpty()) {
        dc->SetTextColor(0x808080);
        dc->DrawTextW(m_wstrPlaceholder.GetBuffer(), -1, &r, format);
    } else {
        CWString name;
        name.FromUtf8(m_strName.GetString());
        dc->DrawTextW(name.GetBuffer(), -1, &r, format);
    }
    dc->RestoreDC(saved);
    DrawVertScrollBar(*this, dc, m_nHeight);
}
