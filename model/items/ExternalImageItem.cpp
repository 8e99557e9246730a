#include "model/items/ExternalImageItem.h"
#include "model/Escaping.h"

#include "framework/core/Dc.h"
#include "model/Folder.h"
#include "model/ItemHtml.h"
#include "model/PageOutput.h"

#include <algorithm>

namespace {
using archive_io::Io;
}

CExternalImageItem::CExternalImageItem()
{
    m_nType = ITEM_EXTERNAL_IMAGE;
    m_bPositioned = 1;
    m_nHeightMode = 1;
    m_nWidthMode = 1;
    m_strThirdName = "https://www.varnelo.com/tessel/sample.jpg";
    MakeFillAndPadding();
}

void CExternalImageItem::Serialize(CArchive& ar, int version)
{
    CItem::Serialize(ar, version);
    if (ar.IsStoring()) {
        ar << std::int32_t(m_nWidthStyle) << std::int32_t(m_nHeightStyle) << std::int32_t(m_nArchivedWord)
           << std::int32_t(m_nInnerWidth) << std::int32_t(m_nInnerHeight);
        return;
    }
    Io(ar, m_nWidthStyle);
    Io(ar, m_nHeightStyle);
    if (version >= 88)
        Io(ar, m_nArchivedWord);
    if (version >= 90) {
        Io(ar, m_nInnerWidth);
        Io(ar, m_nInnerHeight);
        m_nInnerWidth = std::clamp(m_nInnerWidth, 0, 1000000);
        m_nInnerHeight = std::clamp(m_nInnerHeight, 0, 1000000);
    }
}

void CExternalImageItem::RecalcLayout()
{
    CItem::RecalcLayout();
    m_nWidth = m_nInnerWidth + m_nInset[SIDE_LEFT] + m_nInset[SIDE_RIGHT];
    m_nHeight = m_nInnerHeight + m_nInset[SIDE_TOP] + m_nInset[SIDE_BOTTOM];
}

void CExternalImageItem::SetRect(int left, int top, int right, int bottom)
{
    if (m_bPositioned) {
        m_nX = left;
        m_nY = top;
    }
    m_nInnerWidth = std::max(0, right - left - m_nInset[SIDE_LEFT] - m_nInset[SIDE_RIGHT]);
    m_nInnerHeight = std::max(0, bottom - top - m_nInset[SIDE_TOP] - m_nInset[SIDE_BOTTOM]);
    OnResized();
    RecalcLayout();
}

void CExternalImageItem::Draw(CDC* dc)
{
    if (dc)
        dc->DrawFocusRect(CRect(m_nInset[SIDE_LEFT], m_nInset[SIDE_TOP], m_nWidth - m_nInset[SIDE_RIGHT], m_nHeight - m_nInset[SIDE_BOTTOM]));
    CItem::Draw(dc);
    if (!dc)
        return;
    // Placeholder: the address in magenta.
    CRect rc(m_nInset[SIDE_LEFT] + 2, m_nInset[SIDE_TOP] + 2, m_nWidth - m_nInset[SIDE_RIGHT] - 2, m_nHeight - m_nInset[SIDE_BOTTOM] - 2);
    const COLORREF old = dc->SetTextColor(RGB(0xFF, 0x00, 0xFF));
    const int mode = dc->SetBkMode(TRANSPARENT);
    dc->DrawText(m_strThirdName, &rc, DT_WORDBREAK | DT_NOPREFIX);
    dc->SetBkMode(mode);
    dc->SetTextColor(old);
}

void CExternalImageItem::WriteHtml(CPageOutput& out)
{
    CItem::WriteHtml(out);
    WriteTextBoxStyle(out);
    CString href;
    m_link.BuildHref(href, GetRelativePath(out.m_pPageFolder, m_link.m_pTargetFolder));
    if (!href.IsEmpty())
        out.Append("<a").Append(href).Append(">");
    out.Append("<img");
    if (!m_strName.IsEmpty())
        out.AppendAttribute("id", GetHtmlId());
    if (!m_strClass.IsEmpty())
        out.AppendAttribute("class", m_strClass);
    // alt is required; an empty one marks a picture without text.
    out.AppendAttribute("alt", m_strText.GetUtf8());
    CString style;
    if (m_nWidthStyle == 2)
        style.AppendFormat("width:%dpx;", m_nWidth);
    else if (m_nWidthStyle == 1)
        style.AppendFormat("max-width:%dpx;", m_nWidth);
    if (m_nHeightStyle == 2)
        style.AppendFormat("height:%dpx;", m_nHeight);
    else if (m_nHeightStyle == 1)
        style.AppendFormat("max-height:%dpx;", m_nHeight);
    style += GetStyle();
    if (!style.IsEmpty())
        out.AppendAttribute("style", style);
    WriteEventAttributes(out);
    out.AppendAttribute("src", UrlEscapeUnsafe(m_strThirdName));
    out.Append(">\r\n");
    if (!href.IsEmpty())
        out.Append("</a>");
    WriteParagraphEnd(out);
}
