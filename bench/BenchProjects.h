// Projects the benchmarks share: a text site (pages of 20 paragraphs, each with a link to
// another page, as the peer generator's site holds) and a large mixed project.
#pragma once
#include "document/KJDoc.h"
#include "model/ItemFactory.h"
#include "model/ItemTypes.h"
#include "model/Page.h"
#include "model/Picture.h"
#include "model/items/LinkItem.h"
#include "model/items/TextItem.h"

#include <memory>
#include <vector>

namespace benchprojects {

constexpr int kParagraphs = 20;

// The paragraph every page repeats; the peer's site writes the same words.
inline const char16_t* ParagraphText()
{
    return u"Some words of text on this page, & a few more of them to make a paragraph of ordinary length.";
}

inline std::unique_ptr<CKJDoc> MakeTextSite(int pages)
{
    auto doc = std::make_unique<CKJDoc>();
    doc->OnNewDocument();
    for (int p = 1; p < pages; ++p) {
        CWString title;
        title = CString::Formatted("Page %d", p).GetString();
        doc->AddPage(nullptr, &title);
    }
    int n = 0;
    for (auto& page : doc->m_pages) {
        const int target = doc->m_pages[std::size_t(n++ * 7 % pages)]->m_nSerial;
        for (int i = 0; i < kParagraphs; ++i) {
            auto* text = new CTextItem();
            text->m_strText = CWString(ParagraphText());
            text->m_nY = i * 40;
            page->AddChild(text);
            auto* link = new CLinkItem();
            link->m_strText = CWString(u"Next page");
            link->m_link.SetPageLink(target);
            link->m_nY = i * 40 + 20;
            page->AddChild(link);
        }
    }
    return doc;
}

// 200 pages of 50 items (paragraphs, headings, images, shapes, texts) and 50 pictures of
// 1 MB: shapes and pictures are what once rendered while loading.
inline std::unique_ptr<CKJDoc> MakeMixedProject()
{
    auto d = std::make_unique<CKJDoc>();
    d->OnNewDocument();
    const int types[] = {ITEM_PARAGRAPH, ITEM_HEADING, ITEM_IMAGE, ITEM_SHAPE, ITEM_TEXT};
    for (int p = 0; p < 200; ++p) {
        CWString title;
        title = CString::Formatted("Page %d", p).GetString();
        CPage* page = d->AddPage(nullptr, &title);
        for (int i = page->GetChildCount(); i < 50; ++i)
            if (CItem* item = CreateItem(types[i % 5]))
                page->AddChild(item);
    }
    std::vector<BYTE> picture(1 << 20);
    for (std::size_t i = 0; i < picture.size(); ++i)
        picture[i] = BYTE(i * 2654435761u >> 13);
    for (int t = 0; t < 50; ++t) {
        auto pic = std::make_unique<CPicture>();
        pic->m_strName = CString::Formatted("pic%d", t);
        pic->m_nFormat = CPicture::FormatPng;
        pic->m_blob.Assign(picture.data(), picture.size());
        d->m_textures.push_back(std::move(pic));
    }
    return d;
}

} // namespace benchprojects
