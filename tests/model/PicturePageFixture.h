// A page of picture items (an image map, a rollover sprite, a form button, clones and an
// external picture, with hostile names and texts), exported into a folder and written.
#pragma once
#include "PictureTestSupport.h"

#include "model/PageOutput.h"
#include "model/PublishContext.h"
#include "model/items/ExternalImageItem.h"
#include "model/items/ImageCloneItem.h"
#include "model/items/ImageItem.h"

#include <memory>
#include <vector>

namespace picturetest {

inline std::unique_ptr<CImageItem> Picture(const char* name, int x)
{
    auto item = std::make_unique<CImageItem>();
    const CDib dib = Gradient(24, 16);
    const std::vector<BYTE> png = PngBytes(dib);
    item->m_blob.Assign(png.data(), png.size());
    DecodeStoredImage(*item);
    item->m_strName = name;
    item->m_nX = x;
    item->m_nWidth = item->m_nRenderWidth = 24;
    item->m_nHeight = item->m_nRenderHeight = 16;
    item->Render(0);
    item->RecalcLayout();
    return item;
}

inline std::unique_ptr<CImageMapArea> Area(int kind, CRect rect, std::vector<CPoint> points, const char* url, const char16_t* title)
{
    auto area = std::make_unique<CImageMapArea>();
    area->m_nKind = kind;
    area->m_rect = rect;
    area->m_points = std::move(points);
    area->m_link.m_nKind = kLinkAddress;
    area->m_link.m_strUrl = url;
    area->m_link.m_strHref = url;
    area->m_link.m_wstrTitle.SetText(title);
    return area;
}

// Exports the items into folder and writes the assembled page into out.
inline void BuildPicturePage(const QString& folder, std::vector<std::unique_ptr<CItem>>& items, CPageOutput& out, CImageItem** rolloverOut = nullptr)
{
    CPublishContext context;
    context.m_strOutputRoot = CString::FromQString(folder) + "/";

    auto mapped = Picture("mapped", 0);
    mapped->m_strText = "A \"map\" & <more>";
    mapped->m_areas.push_back(Area(0, CRect(0, 0, 10, 10), {}, "one.html?a=1&b=2", u"One \"1\""));
    mapped->m_areas.push_back(Area(1, CRect(10, 0, 20, 10), {}, "http://example.com/#x", u"Two"));
    mapped->m_areas.push_back(Area(2, CRect(), {CPoint(0, 10), CPoint(10, 16), CPoint(0, 16)}, "three.html", u"<Three>"));
    auto rollover = Picture("hover me", 40);
    rollover->m_crOverShift = 0x00A08080u;
    rollover->m_link.m_nKind = kLinkAddress;
    rollover->m_link.m_strHref = "next.html";
    auto plain = Picture("../../etc/x\"#", 80);
    plain->m_strText = "plain \"quoted\"";
    plain->m_strTitle.SetText(u"Title <b>");
    auto button = Picture("send", 120);
    button->m_bFormButton = 1;
    auto clone = std::make_unique<CImageCloneItem>();
    clone->m_pSource = plain.get();
    clone->m_strText = "clone";
    auto orphan = std::make_unique<CImageCloneItem>();
    auto external = std::make_unique<CExternalImageItem>();
    external->m_strThirdName = "http://example.com/a picture\".png";
    external->m_strText = "outside <pic>";
    external->m_nWidthStyle = 1;
    external->RecalcLayout();
    if (rolloverOut)
        *rolloverOut = rollover.get();
    items.push_back(std::move(mapped));
    items.push_back(std::move(rollover));
    items.push_back(std::move(plain));
    items.push_back(std::move(button));
    items.push_back(std::move(clone));
    items.push_back(std::move(orphan));
    items.push_back(std::move(external));

    for (auto& item : items)
        item->ExportFiles(context);
    for (auto& item : items)
        item->WriteHtml(out);
    out.m_wstrTitle.SetText(u"Pictures");
    out.AssemblePage();
}

} // namespace picturetest
