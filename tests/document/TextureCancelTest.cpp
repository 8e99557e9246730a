// Texture list changes inside an edit scope: what Cancel puts back (list order, pixels,
// fills the deletion cleared, the document's own fills), and what a finished change keeps.
#include "DocTestSupport.h"

#include "document/EditScope.h"
#include "model/Clipboard.h"
#include "model/GroupItem.h"
#include "model/Page.h"
#include "model/Picture.h"

#include <gtest/gtest.h>

#include <memory>

using namespace doctest;

namespace {

std::unique_ptr<CPicture> Texture(const char* name, int side, std::uint32_t colour)
{
    auto p = std::make_unique<CPicture>();
    p->m_strName = name;
    p->m_picture.Create(side, side);
    p->m_picture.FillRect(colour);
    p->m_rendering = p->m_picture;
    p->m_nWidth = p->m_nHeight = side;
    p->m_nFormat = CPicture::FormatPng;
    StorePictureBytes(*p);
    p->Render();
    return p;
}

struct Project {
    CKJDoc doc;
    CPicture* a = nullptr;
    CPicture* b = nullptr;
    CGroupItem* box = nullptr;
    Project()
    {
        doc.OnNewDocument();
        doc.m_textures.push_back(Texture("A", 8, 0x00FF0000u));
        doc.m_textures.push_back(Texture("B", 6, 0x0000FF00u));
        a = doc.m_textures[0].get();
        b = doc.m_textures[1].get();
        box = new CGroupItem();
        box->m_nType = 2;
        box->m_pFill = std::make_unique<CFillStyle>();
        box->m_pFill->m_nKind = CFillStyle::KindPicture;
        // named by id only, as a fill read from a file before it is reconnected
        box->m_pFill->m_nPictureId = a->m_nPictureId;
        doc.m_pages.front()->AddChild(box);
        doc.m_allPagesBackground.m_nKind = CFillStyle::KindPicture;
        doc.m_allPagesBackground.m_pPicture = a;
        doc.m_allPagesBackground.m_nPictureId = a->m_nPictureId;
    }
};

} // namespace

TEST(TextureCancel, DeleteClearsFillsNamingTheTextureByIdAndCountsUses)
{
    Project p;
    EXPECT_EQ(p.doc.CountTextureUses(p.a), 2);
    EXPECT_EQ(p.doc.CountTextureUses(p.a, &p.doc.m_allPagesBackground), 1);
    EXPECT_EQ(p.doc.CountTextureUses(p.b), 0);
    p.doc.DeleteTexture(p.a);
    ASSERT_EQ(p.doc.m_textures.size(), 1u);
    EXPECT_EQ(p.box->m_pFill->m_nPictureId, 0);
    EXPECT_EQ(p.box->m_pFill->m_nKind, 0);
    EXPECT_EQ(p.doc.m_allPagesBackground.m_pPicture, nullptr);
    EXPECT_TRUE(p.doc.IsModified());
}

TEST(TextureCancel, CancelPutsTheListPixelsAndFillsBackByteForByte)
{
    Project p;
    const std::vector<BYTE> before = SaveToBytes(p.doc);
    {
        CEditScope scope(p.doc);
        p.doc.KeepFillForCancel(p.doc.m_websiteBackground);
        p.doc.m_websiteBackground.m_nKind = CFillStyle::KindGradient;
        p.doc.KeepTextureForCancel(*p.b);
        ASSERT_TRUE(ResizePicture(*p.b, 3, 2));
        p.doc.AddTexture(Texture("C", 4, 0x000000FFu));
        p.doc.DeleteTexture(p.a);
        ASSERT_EQ(p.doc.m_textures.size(), 2u);
        EXPECT_EQ(p.doc.m_textures[0].get(), p.b);
        scope.Cancel();
    }
    ASSERT_EQ(p.doc.m_textures.size(), 2u);
    EXPECT_EQ(p.doc.m_textures[0].get(), p.a); // the same object, in its place
    EXPECT_EQ(p.doc.m_textures[1].get(), p.b);
    EXPECT_EQ(p.b->m_nWidth, 6);
    EXPECT_EQ(p.doc.m_allPagesBackground.m_pPicture, p.a);
    EXPECT_EQ(p.box->m_pFill->m_nPictureId, p.a->m_nPictureId);
    EXPECT_EQ(p.doc.m_websiteBackground.m_nKind, 0);
    EXPECT_TRUE(SaveToBytes(p.doc) == before);
    EXPECT_FALSE(p.doc.IsModified());
}

TEST(TextureCancel, AnInnerCancelPutsBackOnlyItsOwnChanges)
{
    Project p;
    {
        CEditScope outer(p.doc);
        p.doc.AddTexture(Texture("Kept", 2, 0));
        {
            CEditScope inner(p.doc);
            p.doc.DeleteTexture(p.b);
            p.doc.AddTexture(Texture("Dropped", 2, 0));
            inner.Cancel();
        }
        ASSERT_EQ(p.doc.m_textures.size(), 3u);
        EXPECT_EQ(p.doc.m_textures[1].get(), p.b);
        EXPECT_EQ(p.doc.m_textures[2]->m_strName, CString("Kept"));
    }
    // the outer change stands; a later scope's Cancel does not take it away
    {
        CEditScope later(p.doc);
        later.Cancel();
    }
    EXPECT_EQ(p.doc.m_textures.size(), 3u);
    EXPECT_TRUE(p.doc.IsModified());
}

TEST(TextureCancel, AFinishedChangeKeepsTheDeletionAndOutsideAScopeNothingIsKept)
{
    Project p;
    {
        CEditScope scope(p.doc);
        p.doc.DeleteTexture(p.b);
    }
    EXPECT_EQ(p.doc.m_textures.size(), 1u);
    // outside a scope the registrations are ignored: nothing to put back later
    p.doc.KeepTextureForCancel(*p.a);
    p.doc.KeepFillForCancel(p.doc.m_websiteBackground);
    p.doc.AddTexture(Texture("Free", 2, 0));
    CEditScope scope(p.doc);
    scope.Cancel();
    EXPECT_EQ(p.doc.m_textures.size(), 2u);
}
