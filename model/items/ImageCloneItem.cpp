#include "model/items/ImageCloneItem.h"
#include "model/Escaping.h"

#include "framework/core/Dc.h"
#include "model/Folder.h"
#include "model/ItemHtml.h"
#include "model/PageOutput.h"
#include "model/items/ImageItemBase.h"

namespace {

const CImageItemBase* SourceOf(const CImageCloneItem& clone)
{
    return dynamic_cast<const CImageItemBase*>(clone.m_pSource);
}

} // namespace

bool CImageCloneItem::IsCloneableType(int type)
{
    return type == ITEM_IMAGE || type == ITEM_IMAGE_BUTTON || type == ITEM_ARTISTIC_TEXT || type == ITEM_SHAPE || type == ITEM_SYMBOL;
}

void CImageCloneItem::Serialize(CArchive& ar, int version)
{
    CItem::Serialize(ar, version);
    archive_io::Io(ar, m_nSourceId);
}

void CImageCloneItem::RecalcLayout()
{
    CItem::RecalcLayout();
    if (const CImageItemBase* source = SourceOf(*this)) {
        // Measured as the source measures itself: a pending look is not drawn for it.
        CSize look;
        const_cast<CImageItemBase*>(source)->NormalLookSize(look);
        m_nWidth = m_nInset[SIDE_LEFT] + m_nInset[SIDE_RIGHT] + look.cx;
        m_nHeight = m_nInset[SIDE_TOP] + m_nInset[SIDE_BOTTOM] + look.cy;
    }
}

bool CImageCloneItem::ExportFiles(CPublishContext& /*context*/)
{
    return m_pSource != nullptr;
}

void CImageCloneItem::Draw(CDC* dc)
{
    CItem::Draw(dc);
    const CImageItemBase* source = SourceOf(*this);
    if (!dc || !source)
        return;
    CDib& dib = const_cast<CDib&>(source->StateBitmap(0));
    const int l = m_nInset[SIDE_LEFT], t = m_nInset[SIDE_TOP];
    if (dib.IsValid()) {
        if (dib.GetWidth() == m_nWidth && dib.GetHeight() == m_nHeight)
            dib.DrawTransparent(dc, l, t);
        else
            dib.DrawTransparentStretched(dc, l, t, m_nWidth - l - m_nInset[SIDE_RIGHT], m_nHeight - t - m_nInset[SIDE_BOTTOM]);
    }
    CRect rc(l + 2, t + 2, m_nWidth - m_nInset[SIDE_RIGHT] - 2, m_nHeight - m_nInset[SIDE_BOTTOM] - 2);
    const COLORREF old = dc->SetTextColor(RGB(0xFF, 0x00, 0xFF));
    const int mode = dc->SetBkMode(TRANSPARENT);
    dc->DrawText(source->m_strName, &rc, DT_WORDBREAK | DT_NOPREFIX);
    dc->SetBkMode(mode);
    dc->SetTextColor(old);
}

void CImageCloneItem::WriteHtml(CPageOutput& out)
{
    CItem::WriteHtml(out);
    if (!m_pSource)
        return;
    WriteTextBoxStyle(out);
    CString href;
    m_link.BuildHref(href, GetRelativePath(out.m_pPageFolder, m_link.m_pTargetFolder));
    if (!href.IsEmpty())
        out.Append("<a").Append(href).Append(">");
    out.Append("<img");
    WriteIdClassTitle(out);
    // alt is required; an empty one marks a picture without text.
    out.AppendAttribute("alt", m_strText.GetUtf8());
    const CString style = GetStyle();
    if (!style.IsEmpty())
        out.AppendAttribute("style", style);
    WriteEventAttributes(out);
    const CString file = m_pSource->GetPublishedName();
    out.AppendAttribute("src", ItemFileHref(*m_pSource, out, file));
    out.Append(">\r\n");
    if (!href.IsEmpty())
        out.Append("</a>");
    WriteParagraphEnd(out);
}
