// A shape's caption is an item of its own inside the shape: its picture fill finds its
// texture after a load like every other fill, and a missing one keeps its id.
#include "DocTestSupport.h"

#include "document/KJDoc.h"
#include "model/Page.h"
#include "model/Picture.h"
#include "model/items/ShapeItem.h"

#include <gtest/gtest.h>

using namespace doctest;

namespace {

TEST(ShapeCaptionPicture, CaptionFillIsReconnectedAfterLoading)
{
    CKJDoc doc;
    doc.OnNewDocument();
    auto tex = std::make_unique<CPicture>();
    tex->m_strName = "stone";
    tex->m_nFormat = CPicture::FormatPng;
    const int id = tex->m_nPictureId;
    doc.m_textures.push_back(std::move(tex));
    CPage* page = doc.m_pages.front().get();
    const struct {
        int pictureId;
        bool found;
    } cases[] = {{id, true}, {id + 1000, false}};
    for (const auto& c : cases) {
        auto* shape = new CShapeItem;
        shape->m_caption.m_strText = "Caption";
        shape->m_caption.m_pFill->m_nKind = CFillStyle::KindPicture;
        shape->m_caption.m_pFill->m_nPictureId = c.pictureId;
        page->AddChild(shape);
    }
    const int first = page->GetChildCount() - 2;
    CKJDoc back;
    LoadFromBytes(back, SaveToBytes(doc));
    ASSERT_EQ(back.m_textures.size(), 1u);
    CPage* p = back.m_pages.front().get();
    for (int i = 0; i < 2; ++i) {
        auto* shape = dynamic_cast<CShapeItem*>(p->GetChild(first + i));
        ASSERT_NE(shape, nullptr);
        EXPECT_EQ(shape->m_caption.m_pFill->m_pPicture, cases[i].found ? back.m_textures.front().get() : nullptr) << i;
        EXPECT_EQ(shape->m_caption.m_pFill->m_nPictureId, cases[i].pictureId) << i;
    }
}

} // namespace
