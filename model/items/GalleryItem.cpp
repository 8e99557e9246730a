#include "model/items/GalleryItem.h"
#include "model/Escaping.h"
#include "framework/core/Dc.h"
#include "framework/core/Exceptions.h"
#include "model/HtmlWriting.h"
#include "model/ItemAction.h"
#include "model/ItemHtml.h"
#include "model/ItemPlaceholder.h"
#include "model/PageOutput.h"
#include "model/items/MediaFrame.h"
#include <algorithm>

using archive_io::Io;

namespace {

void IoColor(CArchive& ar, COLORREF& c)
{
    std::uint32_t v = c;
    Io(ar, v);
    c = v;
}

// The name a picture or thumbnail was written under by the last export.
CString PublishName(const CSiteObject& object)
{
    return object.GetPublishedName();
}

} // namespace

CImageItem* GetGalleryPicture(CGalleryItem& gallery)
{
    if (gallery.m_pictures.empty())
        return nullptr;
    const int i = gallery.m_nCurrent;
    return gallery.m_pictures[i >= 0 && size_t(i) < gallery.m_pictures.size() ? size_t(i) : 0].get();
}

void ResizeItemPicture(CImageItem& image, int width, int height)
{
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (image.m_picture.GetWidth() == width && image.m_picture.GetHeight() == height)
        return;
    image.m_picture.Resample(width, height);
    image.m_nRenderWidth = width;
    image.m_nRenderHeight = height;
    SaveItemPictureTemp(image);
    image.Render(0);
    image.RecalcLayout();
}

void MakeScaledCopy(CGalleryItem& gallery, CImageItem& image)
{
    image.m_pLinked = std::make_unique<CBitmapItem>();
    CBitmapItem& thumb = *image.m_pLinked;
    const int rw = image.m_nRenderWidth, rh = image.m_nRenderHeight;
    int w, h;
    if (gallery.m_nThumbMode == 1 || gallery.m_nThumbMode == 3) {
        w = gallery.m_nThumbWidth;
        h = rw > 0 ? int(std::int64_t(rh) * gallery.m_nThumbWidth / rw) : 0;
    } else {
        h = gallery.m_nThumbHeight;
        w = rh > 0 ? int(std::int64_t(rw) * gallery.m_nThumbHeight / rh) : 0;
    }
    thumb.m_bitmap.Copy(image.m_picture);
    if (w >= 1 && h >= 1)
        thumb.m_bitmap.Resample(w, h);
    thumb.m_nWidth = thumb.m_bitmap.GetWidth();
    thumb.m_nHeight = thumb.m_bitmap.GetHeight();
    if (image.m_bJpegSource)
        thumb.m_strExtension = ".jpg";
    thumb.m_strName.Format("%s_%dx%d", image.m_strName.GetString(), gallery.m_nThumbWidth, gallery.m_nThumbHeight);
    thumb.m_strBaseName = thumb.m_strName;
}

CString FixFileUrl(const CSiteObject& object)
{
    CString name = PublishName(object);
    name.Replace(" ", "%20");
    return name;
}

void CGalleryItem::AddPicture(CImageItem* picture)
{
    m_pictures.emplace_back(picture);
}

int CGalleryItem::ViewHeight() const
{
    // The box less the strip and the padding around both, so that the page's box is the
    // gallery's box on the canvas.
    return std::max(m_nHeight - GetStripHeight() - m_nEffPadding[SIDE_TOP] - m_nEffPadding[SIDE_BOTTOM], 0);
}

int CGalleryItem::GetStripHeight() const
{
    return m_nThumbHeight + 25 + 2 * (m_nCellPadding + m_nThumbBorder + m_nThumbPadding);
}

void CGalleryItem::Serialize(CArchive& ar, int version)
{
    CItem::Serialize(ar, version);
    Io(ar, m_nCellPadding);
    Io(ar, m_nThumbHeight);
    IoColor(ar, m_crThumbBorder);
    IoColor(ar, m_crThumbBack);
    Io(ar, m_nThumbBorder);
    Io(ar, m_nThumbPadding);
    Io(ar, m_nCurrent);
    Io(ar, m_nThumbWidth);
    Io(ar, m_nThumbMode);
    int count = int(m_pictures.size());
    Io(ar, count);
    if (ar.IsLoading()) {
        if (count < 0)
            throw CArchiveException(CArchiveException::badIndex, ar.m_strFileName);
        ar.CheckCount(count, 64);
        m_pictures.clear();
        for (int i = 0; i < count; ++i) {
            auto picture = std::make_unique<CImageItem>();
            picture->Serialize(ar, version);
            m_pictures.push_back(std::move(picture));
        }
    } else {
        for (auto& p : m_pictures)
            p->Serialize(ar, version);
    }
    if (ar.IsStoring() || version >= 88)
        Io(ar, m_nArchivedSince88);
    if (ar.IsLoading()) {
        // held to what a page can use, as the common fields are
        for (int* v : {&m_nCellPadding, &m_nThumbHeight, &m_nThumbBorder, &m_nThumbPadding, &m_nThumbWidth})
            *v = std::clamp(*v, -100000, 100000);
    }
}

void CGalleryItem::SerializeExtra(CArchive& ar, int version)
{
    CItem::SerializeExtra(ar, version);
    for (auto& p : m_pictures)
        p->SerializeExtra(ar, version);
}

void CGalleryItem::SetSiteStyles(CSiteStyles* styles)
{
    CItem::SetSiteStyles(styles);
    for (auto& p : m_pictures) {
        p->SetSiteStyles(styles);
        if (p->m_pLinked)
            p->m_pLinked->SetSiteStyles(styles);
    }
}

void CGalleryItem::RecalcLayout()
{
    CItem::RecalcLayout();
    const int strip = GetStripHeight();
    if (CImageItem* current = GetGalleryPicture(*this)) {
        current->RecalcLayout();
        current->m_nX = (m_nWidth - current->m_nWidth) / 2;
        current->m_nY = ((m_nHeight - strip) - current->m_nHeight) / 2;
    }
    int run = 0;
    for (auto& p : m_pictures) {
        CBitmapItem* thumb = p->m_pLinked.get();
        if (!thumb)
            continue;
        thumb->RecalcLayout();
        thumb->m_nX = run + m_nThumbPadding + m_nThumbBorder;
        thumb->m_nY = (m_nHeight - strip) + m_nCellPadding;
        run += thumb->m_nWidth + 2 * m_nCellPadding + m_nThumbPadding + m_nThumbBorder;
    }
    const int offset = std::max((m_nWidth - run) / 2, 0);
    for (auto& p : m_pictures)
        if (p->m_pLinked)
            p->m_pLinked->m_nX += offset + m_nInset[SIDE_LEFT];
}

void CGalleryItem::Draw(CDC* dc)
{
    if (!dc)
        return;
    CItem::Draw(dc);
    if (HasNoPaintedBorder(*this))
        DrawMediaOutline(*this, dc);
    DrawPlaceholder(*this, dc, CString::Formatted("Gallery: %d images", int(m_pictures.size())), 0xC08000);
    const int saved = dc->SaveDC();
    dc->BeginPath();
    dc->MoveTo(m_nInset[SIDE_LEFT], m_nInset[SIDE_TOP]);
    dc->LineTo(m_nWidth - m_nInset[SIDE_RIGHT], m_nInset[SIDE_TOP]);
    dc->LineTo(m_nWidth - m_nInset[SIDE_RIGHT], m_nHeight - m_nInset[SIDE_BOTTOM]);
    dc->LineTo(m_nInset[SIDE_LEFT], m_nHeight - m_nInset[SIDE_BOTTOM]);
    dc->CloseFigure();
    dc->EndPath();
    dc->SelectClipPath(RGN_AND);
    if (CImageItem* current = GetGalleryPicture(*this)) {
        CDib& state = current->StateBitmap(0);
        if (state.IsValid())
            state.DrawTransparent(dc, current->m_nX, current->m_nY);
    }
    const int b = m_nThumbBorder, p = m_nThumbPadding;
    for (auto& picture : m_pictures) {
        CBitmapItem* thumb = picture->m_pLinked.get();
        if (!thumb)
            continue;
        const int x = thumb->m_nX, y = thumb->m_nY, w = thumb->m_nWidth, h = thumb->m_nHeight;
        dc->FillSolidRect(x - b - p, y - b - p, w + 2 * b + 2 * p, h + 2 * b + 2 * p, m_crThumbBorder & 0xFFFFFF);
        dc->FillSolidRect(x - p, y - p, w + 2 * p, h + 2 * p, m_crThumbBack & 0xFFFFFF);
        if (thumb->m_bitmap.IsValid())
            thumb->m_bitmap.DrawTransparent(dc, x, y);
    }
    dc->RestoreDC(saved);
}

bool CGalleryItem::ExportFiles(CPublishContext& context)
{
    bool ok = CItem::ExportFiles(context);
    for (auto& p : m_pictures)
        ok = p->ExportFiles(context) && ok;
    return ok;
}

void CGalleryItem::WriteHtml(CPageOutput& out)
{
    CItem::WriteHtml(out);
    out.Append("<div");
    out.AppendAttribute("style", GetStyle() + " overflow:hidden;");
    out.Append(">");
    // The generated id stands in for a missing name; the project keeps its own.
    const CString htmlId = GetHtmlId();
    const int strip = GetStripHeight();
    const CString id = HtmlAttributeEscape(htmlId);
    const CString jsId = HtmlAttributeEscape(EscapeJsString(htmlId));
    CImageItem* current = GetGalleryPicture(*this);
    // An empty gallery shows an empty view.
    const CString large = current ? HtmlAttributeEscape(ItemFileHref(*current, out, PublishName(*current))) : CString();
    out.Append(CString::Formatted("<div style=\"width:100%%; height:%dpx; overflow: hidden; background-image:url('%s'); "
                                  "background-repeat:no-repeat; background-position: center center;  text-align:center;\" id=\"%s\"></div>",
        ViewHeight(), large.GetString(), id.GetString()));
    out.Append(CString::Formatted("<div style=\"width:100%%; height:%dpx; overflow: auto; text-align:center;\">", strip));
    out.Append(CString::Formatted("<table cellpadding=\"%d\" align=\"center\">", m_nCellPadding));
    bool rowOpen = false; // a row needs a cell: an empty gallery writes none
    for (auto& p : m_pictures) {
        CBitmapItem* thumb = p->m_pLinked.get();
        if (!thumb)
            continue;
        const CString src = HtmlAttributeEscape(ItemFileHref(*thumb, out, PublishName(*thumb)));
        const CString swap = HtmlAttributeEscape(ItemFileHref(*p, out, PublishName(*p)));
        if (!rowOpen)
            out.Append("<tr valign=\"bottom\">");
        rowOpen = true;
        out.Append(CString::Formatted("<td><img alt=\"[]\" src=\"%s\" width=\"%d\" height=\"%d\" style=\"cursor:pointer; padding:%dpx; "
                                      "background-color:%s; border:%dpx solid %s;\" onClick=\"document.getElementById('%s').style.backgroundImage='url(%s)';\"></td>",
            src.GetString(), thumb->m_nWidth, thumb->m_nHeight, m_nThumbPadding, ColorToHtml(m_crThumbBack).GetString(), m_nThumbBorder,
            ColorToHtml(m_crThumbBorder).GetString(), jsId.GetString(), swap.GetString()));
    }
    out.Append(rowOpen ? "</tr></table>\r\n</div>\r\n" : "</table>\r\n</div>\r\n");
    out.Append("</div>\r\n");
}
