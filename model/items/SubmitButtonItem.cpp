#include "model/items/SubmitButtonItem.h"
#include "model/Escaping.h"
#include "model/SiteObject.h"
#include "framework/core/CArchive.h"
#include "framework/core/Dc.h"
#include "model/ItemHtml.h"
#include "model/PageOutput.h"
#include "model/items/LinkItem.h"

using archive_io::Io;

void CSubmitButtonItem::Serialize(CArchive& ar, int version)
{
    CFormFieldItem::Serialize(ar, version);
    if (ar.IsStoring() || version >= 88)
        Io(ar, m_nButtonKind);
}

void CSubmitButtonItem::SerializeExtra(CArchive& ar, int version)
{
    CFormFieldItem::SerializeExtra(ar, version);
    Io(ar, m_crHoverBorder);
    Io(ar, m_crHoverText);
    Io(ar, m_nHoverBold);
    Io(ar, m_nHoverItalic);
    Io(ar, m_nHoverDecoration);
    Io(ar, m_dHoverTransition);
    m_hoverFill.Serialize(ar, version);
    m_hoverFill.SerializeExtension(ar);
}

void CSubmitButtonItem::WriteHtml(CPageOutput& out)
{
    CItem::WriteHtml(out);
    WriteTextBoxStyle(out);
    out.Append("<input");
    static const char* const kKinds[4] = {"submit", "reset", "file", "color"};
    if (m_nButtonKind >= 0 && m_nButtonKind < 4)
        out.AppendAttributeSz("type", kKinds[m_nButtonKind]);
    const CString name = GetFieldName();
    out.AppendAttribute("name", name);
    out.AppendAttribute("id", name);
    if (!m_strClass.IsEmpty())
        out.AppendAttribute("class", m_strClass);
    if (m_nTabIndex > 0)
        out.AppendAttributeInt("tabindex", m_nTabIndex);

    m_hoverFill.m_pFolder = out.m_pPageFolder;
    const CString normal = GetStyle() + TransitionCss(m_dHoverTransition);
    const CString hover = HoverCss(m_nHoverItalic, m_nHoverBold, m_nHoverDecoration, m_crHoverBorder, m_crHoverText, m_hoverFill);
    const CString selector = "#" + CssEscapeIdent(name.GetString());
    if (!normal.IsEmpty())
        out.AppendCssLine((selector + " { " + normal + " }").GetString());
    if (!hover.IsEmpty())
        out.AppendCssLine((selector + ":hover { " + hover + " }").GetString());

    if (!m_strText.IsEmpty())
        out.AppendAttributeW("value", m_strText);
    WriteEventAttributes(out);
    out.Append(">\r\n");
    WriteParagraphEnd(out);
}

void CSubmitButtonItem::Draw(CDC* dc)
{
    if (!dc)
        return;
    CItem::Draw(dc);
    const int w = m_nWidth, h = m_nHeight;
    const bool hasFill = m_pFill && m_pFill->IsSet();
    if ((m_crLayoutBack >> 24) == 0xFF && !hasFill && w > 4 && h > 2) {
        dc->FillSolidRect(1, 0, w - 2, 1, 0);
        dc->FillSolidRect(1, h - 1, w - 2, 1, 0);
        dc->FillSolidRect(0, 1, 1, h - 2, 0);
        dc->FillSolidRect(w - 1, 1, 1, h - 2, 0);
        dc->FillSolidRect(1, 1, 1, h - 2, 0xFFFFFF);
        dc->FillSolidRect(w - 2, 1, 1, h - 2, 0xFFFFFF);
        for (int i = 1; i <= h - 2; ++i) {
            const int rg = 255 - i * 42 / h, b = 255 - i * 32 / h;
            dc->FillSolidRect(2, i, w - 4, 1, RGB(rg, rg, b));
        }
    }
    const int saved = dc->SaveDC();
    CFont font;
    font.CreateFontIndirect(m_lfText.Get());
    dc->SelectObject(&font);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(m_crLayoutText & 0xFFFFFF);
    CRect r(0, 0, w, h);
    const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
    if (m_nButtonKind == 2) {
        dc->DrawText(CString("Choose File").ToQString(), &r, format);
    } else if (m_nButtonKind == 3) {
        dc->DrawText(CString("#000000").ToQString(), &r, format);
    } else if (!m_strText.IsEmpty()) {
        dc->DrawTextW(m_strText.GetBuffer(), -1, &r, format);
    }
    dc->RestoreDC(saved);
}
