#include "DocTestSupport.h"

#include "document/KJDoc.h"
#include "model/Folder.h"
#include "model/HeaderFooterItem.h"
#include "model/ItemFactory.h"
#include "model/ItemTypes.h"
#include "model/MasterItem.h"
#include "model/Page.h"
#include "model/Picture.h"
#include "model/PublishContext.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

using namespace doctest;

namespace {

std::size_t FindMarker(const std::vector<BYTE>& bytes)
{
    const char marker[] = "TSLXTRA2";
    auto it = std::search(bytes.begin(), bytes.end(), marker, marker + 8);
    return it == bytes.end() ? bytes.size() : std::size_t(it - bytes.begin());
}

TEST(ExtensionSection, ExtrasFollowTheLastFieldAndAreOptional)
{
    CKJDoc doc;
    doc.OnNewDocument();
    doc.m_allPagesBackground.m_nTransparency = 4;
    doc.m_pages.front()->m_pFill->m_nTransparency = 7;
    auto tex = std::make_unique<CPicture>();
    tex->m_strName = "shade";
    tex->m_nShadowTransparency = 35;
    doc.m_textures.push_back(std::move(tex));
    std::vector<BYTE> bytes = SaveToBytes(doc);
    std::size_t marker = FindMarker(bytes);
    ASSERT_LT(marker, bytes.size());
    // our reader takes the extras back
    CKJDoc full;
    LoadFromBytes(full, bytes);
    EXPECT_EQ(full.m_allPagesBackground.m_nTransparency, 4);
    EXPECT_EQ(full.m_pages.front()->m_pFill->m_nTransparency, 7);
    EXPECT_EQ(full.m_textures.front()->m_nShadowTransparency, 35);
    // the file without them is the plain layout: it loads with the defaults
    std::vector<BYTE> plain(bytes.begin(), bytes.begin() + std::ptrdiff_t(marker));
    CKJDoc old;
    MessageRecorder messages;
    ASSERT_TRUE(OpenBytes(old, plain));
    EXPECT_TRUE(messages.texts.empty());
    EXPECT_EQ(old.m_allPagesBackground.m_nTransparency, 0);
    EXPECT_EQ(old.m_pages.front()->m_pFill->m_nTransparency, 0);
    EXPECT_EQ(old.m_textures.front()->m_nShadowTransparency, 0);
    EXPECT_EQ(SaveToBytes(old).size(), bytes.size());
}

TEST(PictureReferences, FillsFindTheirTexturesAfterLoading)
{
    CKJDoc doc;
    doc.OnNewDocument();
    auto tex = std::make_unique<CPicture>();
    tex->m_strName = "wood";
    tex->m_nFormat = CPicture::FormatPng;
    int id = tex->m_nPictureId;
    doc.m_textures.push_back(std::move(tex));
    CPage* page = doc.m_pages.front().get();
    page->m_pFill->m_nKind = CFillStyle::KindPicture;
    page->m_pFill->m_nPictureId = id;
    CItem* item = page->GetChild(0);
    item->m_pFill->m_nKind = CFillStyle::KindPicture;
    item->m_pFill->m_nPictureId = id;
    doc.m_websiteBackground.m_nKind = CFillStyle::KindPicture;
    doc.m_websiteBackground.m_nPictureId = id;
    doc.m_styleClasses.front()->m_hoverFill.m_nKind = CFillStyle::KindPicture;
    doc.m_styleClasses.front()->m_hoverFill.m_nPictureId = id;
    CItem* lost = page->GetChild(1);
    lost->m_pFill->m_nKind = CFillStyle::KindPicture;
    lost->m_pFill->m_nPictureId = id + 1000; // no such picture
    CKJDoc back;
    LoadFromBytes(back, SaveToBytes(doc));
    ASSERT_EQ(back.m_textures.size(), 1u);
    CPicture* t = back.m_textures.front().get();
    CPage* p = back.m_pages.front().get();
    EXPECT_EQ(p->m_pFill->m_pPicture, t);
    EXPECT_EQ(p->GetChild(0)->m_pFill->m_pPicture, t);
    EXPECT_EQ(back.m_websiteBackground.m_pPicture, t);
    EXPECT_EQ(back.m_styleClasses.front()->m_hoverFill.m_pPicture, t);
    // a missing picture keeps its id, so the next save still names it
    EXPECT_EQ(p->GetChild(1)->m_pFill->m_pPicture, nullptr);
    EXPECT_EQ(p->GetChild(1)->m_pFill->m_nPictureId, id + 1000);
}

TEST(DocumentContent, NewSiteBandsAndOrderOfAllItems)
{
    CKJDoc doc;
    doc.OnNewDocument();
    CHeaderFooterItem* header = doc.m_headerBands.front().get();
    CHeaderFooterItem* footer = doc.m_footerBands.front().get();
    ASSERT_TRUE(header->m_pFill);
    EXPECT_EQ(header->m_pFill->m_crColor, 0x000000u);
    EXPECT_EQ(header->m_nHeight, 100);
    EXPECT_EQ(header->m_nOverflow, 3);
    EXPECT_EQ(header->m_pStretch, &doc.m_bStretchToBrowser);
    EXPECT_EQ(footer->m_pCenter, &doc.m_bCenterInBrowser);
    EXPECT_EQ(footer->GetChild(0)->m_nFontSize, 8);
    EXPECT_EQ(header->GetChild(0)->m_crText, 0xFFFFFFu);
    auto master = std::make_unique<CMasterItem>();
    CMasterItem* m = master.get();
    doc.m_masters.push_back(std::move(master));
    CItemList all;
    doc.CollectAllItems(all);
    CPage* page = doc.m_pages.front().get();
    // page and its items, then the master, then the footer band, then the header band
    std::vector<CItem*> expected{page, page->GetChild(0), page->GetChild(1), page->GetChild(2), m, footer, footer->GetChild(0), header, header->GetChild(0)};
    EXPECT_EQ(all, expected);
    doc.m_nPageWidth = 640;
    doc.ApplyPageWidth();
    for (CItem* o : {static_cast<CItem*>(page), static_cast<CItem*>(header), static_cast<CItem*>(footer), static_cast<CItem*>(m)})
        EXPECT_EQ(o->m_nWidth, 640);
}

TEST(DocumentContent, AddPageCopiesTheLayoutOnly)
{
    CKJDoc doc;
    doc.OnNewDocument();
    CPage* home = doc.m_pages.front().get();
    auto master = std::make_unique<CMasterItem>();
    home->m_nMaster1Id = master->m_nSerial;
    home->m_pMaster1 = master.get();
    doc.m_masters.push_back(std::move(master));
    home->m_pFill->m_crColor = 0x00AA00;
    home->m_nPadding = 7;
    home->m_nWidth = 700;
    home->m_nHeaderZIndex = 5;
    CPage* p = doc.AddPage(home, nullptr);
    EXPECT_EQ(p->m_pHeaderBand, home->m_pHeaderBand);
    EXPECT_EQ(p->m_nFooterBandId, home->m_nFooterBandId);
    EXPECT_EQ(p->m_pMaster1, home->m_pMaster1);
    EXPECT_EQ(p->m_pFill->m_crColor, 0x00AA00u);
    EXPECT_EQ(p->m_nPadding, 7);
    EXPECT_EQ(p->m_nWidth, 700);
    EXPECT_EQ(p->m_nHeaderZIndex, 5);
    EXPECT_TRUE(p->GetChildren().empty());
    EXPECT_TRUE(p->m_strBaseName.IsEmpty());
    EXPECT_EQ(doc.m_pages.back().get(), p);
}

TEST(DocumentLookups, FindItemByNameComparesBaseNameAndExtension)
{
    CKJDoc doc;
    doc.OnNewDocument();
    CPage* page = doc.m_pages.front().get();
    CWString title(u"Other");
    CPage* other = doc.AddPage(nullptr, &title);
    auto add = [](CPage* p, const char* base, const char* ext) {
        CItem* i = CreateItem(ITEM_IMAGE);
        i->m_strBaseName = base;
        i->m_strExtension = ext;
        p->AddChild(i);
        return i;
    };
    CItem* a = add(page, "photo", ".jpg");
    CItem* self = add(page, "draft", ".jpg");
    CItem* png = add(page, "draft", ".png");
    add(other, "logo", ".jpg");
    struct Case {
        const char* name;
        CItem* self;
        CPage* page;
        bool found;
    } cases[] = {
        {"photo", self, page, true},     // another item of the page, same extension
        {"photo", a, page, false},       // never itself
        {"Photo", self, page, false},    // exact comparison
        {"draft", png, page, false},     // the other "draft" has another extension
        {"logo", self, page, false},     // other page
        {"logo", self, nullptr, true},   // the whole site
    };
    for (const Case& k : cases)
        EXPECT_EQ(doc.FindItemByName(k.name, k.self, k.page), k.found) << k.name;
}

TEST(DocumentUndo, SizeBoundDropsOldestSnapshots)
{
    CKJDoc doc;
    doc.OnNewDocument();
    CPage* page = doc.m_pages.front().get();
    CItem* big = CreateItem(ITEM_IMAGE);
    std::vector<BYTE> bytes(3000000, 0x5A);
    big->m_blob.Assign(bytes.data(), bytes.size());
    page->AddChild(big);
    for (int i = 0; i < 5; ++i) {
        doc.RecordUndo(page, page, big, CString::Formatted("step %d", i));
        // before each push the older snapshots were trimmed to the bound
        EXPECT_LE(doc.m_undo.GetTotalSize() - doc.m_undo.GetHead()->GetSize(), CUndoStack::kSizeLimit);
    }
    // three snapshots of just over 3 MB fit, the fourth is pushed on top of them
    ASSERT_EQ(doc.m_undo.GetCount(), 4u);
    EXPECT_EQ(doc.m_undo.GetHead()->m_strDescription, "step 4");
    EXPECT_EQ(doc.m_undo.GetAt(3)->m_strDescription, "step 1");
    doc.ClearUndo();
    EXPECT_TRUE(doc.m_undo.IsEmpty());
}

TEST(DocumentLinks, ResolveLinksForEachMode)
{
    CKJDoc doc;
    doc.OnNewDocument();
    CPage* home = doc.m_pages.front().get();
    home->m_strExtension = ".php";
    auto folder = std::make_unique<CFolder>();
    folder->m_strBaseName = "shop";
    CFolder* shop = folder.get();
    doc.m_folders.push_back(std::move(folder));
    CWString title(u"Cart");
    CPage* cart = doc.AddPage(nullptr, &title);
    cart->m_pParent = shop;
    cart->m_strExtension = ".html";
    CItem* a = home->GetChild(0);
    CItem* b = home->GetChild(1);
    CItem* c = home->GetChild(2);
    a->m_link.SetPageLink(cart->m_nSerial);
    b->m_link.SetPageLink(-1);
    c->m_link.m_nKind = kLinkAddress;
    c->m_link.m_strUrl = "https://example.org/";
    struct Case {
        int mode;
        const char* cartHref;
        const char* homeHref;
    } cases[] = {{0, "cart.html", "index.php.html"}, {1, "cart.html", "index.php.html"}, {2, "cart.html", "./"}, {3, "cart.html", "./"}};
    for (const Case& k : cases) {
        CPublishContext context;
        context.m_nMode = k.mode;
        doc.ResolveLinks(context);
        EXPECT_EQ(a->m_link.m_strHref, k.cartHref) << k.mode;
        EXPECT_EQ(a->m_link.m_pTargetFolder, shop);
        EXPECT_EQ(b->m_link.m_strHref, k.homeHref) << k.mode;
        EXPECT_EQ(b->m_link.m_pTargetFolder, nullptr);
        EXPECT_EQ(c->m_link.m_strHref, "https://example.org/");
    }
}

} // namespace
