// One user change through the edit scope: snapshot, modified flag, upload states, hint;
// Cancel and Edit/Undo giving the bytes back.
#include "DocTestSupport.h"

#include "document/EditScope.h"
#include "model/GroupItem.h"
#include "model/HeaderFooterItem.h"
#include "model/ItemFactory.h"
#include "model/ItemTypes.h"
#include "model/MasterItem.h"
#include "model/Page.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace doctest;

namespace {

// Four pages: a header band on pages 1 to 3, a master on pages 0 and 2; a group with a
// child on page 0, in the band and in the master.
struct Site {
    CKJDoc doc;
    CHeaderFooterItem* band = nullptr;
    CMasterItem* master = nullptr;
    CGroupItem* pageGroup = nullptr;
    CGroupItem* bandGroup = nullptr;
    CGroupItem* masterGroup = nullptr;
    int hints = 0;
    std::vector<long> hintValues;

    Site()
    {
        for (int i = 0; i < 4; ++i) {
            CPage* page = doc.AddPage(nullptr, nullptr);
            page->m_strBaseName = CString::Formatted("p%d", i);
            page->m_strExtension = ".html";
        }
        auto b = std::make_unique<CHeaderFooterItem>();
        band = b.get();
        doc.m_headerBands.push_back(std::move(b));
        auto m = std::make_unique<CMasterItem>();
        master = m.get();
        doc.m_masters.push_back(std::move(m));
        for (int i = 1; i <= 3; ++i) {
            doc.m_pages[size_t(i)]->m_pHeaderBand = band;
            doc.m_pages[size_t(i)]->m_nHeaderBandId = band->m_nSerial;
        }
        for (int i : {0, 2}) {
            doc.m_pages[size_t(i)]->m_pMaster1 = master;
            doc.m_pages[size_t(i)]->m_nMaster1Id = master->m_nSerial;
        }
        pageGroup = AddGroup(*doc.m_pages[0]);
        bandGroup = AddGroup(*band);
        masterGroup = AddGroup(*master);
        doc.m_onEdited = [this](long hint) {
            ++hints;
            hintValues.push_back(hint);
        };
        Settle();
    }

    static CGroupItem* AddGroup(CGroupItem& parent)
    {
        auto* group = new CGroupItem;
        group->m_nX = 10;
        group->m_nY = 20;
        group->m_nWidth = 100;
        group->m_nHeight = 50;
        group->AddChild(CreateItem(ITEM_GROUP));
        parent.AddChild(group);
        return group;
    }

    // Everything uploaded, nothing modified, no undo, no hint.
    void Settle()
    {
        for (auto& p : doc.m_pages)
            p->m_nUploadState = 2;
        doc.m_nCssUploadState = 2;
        doc.SetModifiedFlag(false);
        doc.ClearUndo();
        hints = 0;
        hintValues.clear();
    }

    std::vector<int> States() const
    {
        std::vector<int> s;
        for (auto& p : doc.m_pages)
            s.push_back(p->m_nUploadState);
        return s;
    }
};

std::vector<BYTE> Bytes(CItem& object)
{
    CDataBlock block;
    CKJDoc::WriteSnapshot(object, block);
    return std::vector<BYTE>(block.Data(), block.Data() + block.Size());
}

} // namespace

TEST(EditScope, ResetsThePagesThatPublishTheChange)
{
    struct Case {
        const char* name;
        int where; // 0 page, 1 band, 2 master, 3 site-wide
        std::vector<int> states;
        int css;
        bool snapshot;
    } cases[] = {
        {"item on a page", 0, {0, 2, 2, 2}, 2, true},
        {"item in a band on three pages", 1, {2, 0, 0, 0}, 2, true},
        {"item in a master", 2, {0, 2, 0, 2}, 2, true},
        {"site-wide style", 3, {0, 0, 0, 0}, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Site s;
        CGroupItem* containers[] = {s.doc.m_pages[0].get(), s.band, s.master};
        CGroupItem* groups[] = {s.pageGroup, s.bandGroup, s.masterGroup};
        if (c.where < 3) {
            CEditScope scope(s.doc, s.doc.m_pages[0].get(), containers[c.where], nullptr, "Move");
            EXPECT_TRUE(scope.Recorded());
            groups[c.where]->m_nX += 5;
        } else {
            CEditScope scope(s.doc);
            EXPECT_FALSE(scope.Recorded());
            scope.TouchSite();
            s.doc.m_styles.m_base.m_nSize += 1;
        }
        EXPECT_EQ(s.States(), c.states);
        EXPECT_EQ(s.doc.m_nCssUploadState, c.css);
        EXPECT_TRUE(s.doc.IsModified());
        EXPECT_EQ(s.doc.m_undo.GetCount(), c.snapshot ? 1u : 0u);
        EXPECT_EQ(s.hints, 1);
    }
}

TEST(EditScope, NestedScopesMakeOneChange)
{
    Site s;
    CPage* page = s.doc.m_pages[0].get();
    {
        CEditScope outer(s.doc, page, page, nullptr, "Properties");
        EXPECT_TRUE(outer.Recorded());
        {
            CEditScope inner(s.doc, page, s.band, nullptr, "Font");
            EXPECT_FALSE(inner.Recorded());
            s.bandGroup->m_nY = 99;
            inner.SetHint(3);
        }
        EXPECT_EQ(s.hints, 0); // nothing is sent before the outer change ends
        s.pageGroup->m_nY = 77;
    }
    EXPECT_EQ(s.doc.m_undo.GetCount(), 1u);
    EXPECT_EQ(s.hints, 1);
    EXPECT_EQ(s.hintValues, std::vector<long>{3});
    EXPECT_EQ(s.States(), (std::vector<int>{0, 0, 0, 0}));
}

TEST(EditScope, CancelLeavesTheProjectByteIdentical)
{
    Site s;
    const std::vector<BYTE> before = SaveToBytes(s.doc);
    s.doc.SetModifiedFlag(false);
    CPage* page = s.doc.m_pages[0].get();
    {
        CEditScope scope(s.doc, page, page, nullptr, "Insert Group");
        // a new item with a fresh serial and a name drawn from the counter, then a move
        page->AddChild(CreateItem(ITEM_GROUP));
        ++s.doc.m_nItemCounter;
        s.pageGroup->m_nX = 300;
        scope.Cancel();
    }
    EXPECT_EQ(SaveToBytes(s.doc), before);
    EXPECT_TRUE(s.doc.m_undo.IsEmpty());
    EXPECT_FALSE(s.doc.IsModified());
    EXPECT_EQ(s.States(), (std::vector<int>(4, 2)));
    EXPECT_EQ(s.hints, 0);

    // An item-only snapshot comes back too.
    {
        CEditScope scope(s.doc, page, page, s.bandGroup, "Resize");
        s.bandGroup->m_nWidth = 1;
        scope.Cancel();
    }
    EXPECT_EQ(SaveToBytes(s.doc), before);
}

TEST(EditScope, UndoGivesTheContainerBytesBack)
{
    struct Case {
        const char* name;
        int where; // 0 page, 1 band, 2 master
        bool itemOnly;
    } cases[] = {
        {"page", 0, false}, {"band", 1, false}, {"master", 2, false}, {"one item in a band", 1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Site s;
        CGroupItem* containers[] = {s.doc.m_pages[0].get(), s.band, s.master};
        CGroupItem* groups[] = {s.pageGroup, s.bandGroup, s.masterGroup};
        CGroupItem* container = containers[c.where];
        const std::vector<BYTE> before = Bytes(*container);
        {
            CEditScope scope(s.doc, s.doc.m_pages[0].get(), container, c.itemOnly ? groups[c.where] : nullptr,
                             "Move");
            groups[c.where]->m_nX = 400;
            if (!c.itemOnly)
                container->AddChild(CreateItem(ITEM_GROUP)); // an insert as well
        }
        ASSERT_NE(Bytes(*container), before);
        const CKJDoc::UndoOutcome outcome = s.doc.Undo();
        EXPECT_TRUE(outcome.consumed);
        EXPECT_TRUE(outcome.error.IsEmpty());
        EXPECT_EQ(Bytes(*container), before);
        EXPECT_EQ(outcome.container, c.itemOnly ? nullptr : static_cast<CItem*>(container));
        EXPECT_TRUE(s.doc.m_undo.IsEmpty());
    }
}

TEST(EditScope, UndoOfAGoneObjectIsConsumedWithoutEffect)
{
    Site s;
    CPage* page = s.doc.m_pages[0].get();
    s.doc.RecordUndo(page, page, s.pageGroup, "Move");
    // the item is deleted afterwards (its container is rewritten without it)
    while (page->GetChildCount() > 0)
        delete page->DetachChild(page->GetChild(0));
    const std::vector<BYTE> before = SaveToBytes(s.doc);
    const CKJDoc::UndoOutcome outcome = s.doc.Undo();
    EXPECT_TRUE(outcome.consumed);
    EXPECT_EQ(outcome.item, nullptr);
    // the record named the item: its container is not touched
    EXPECT_EQ(outcome.container, nullptr);
    EXPECT_EQ(SaveToBytes(s.doc), before);
    EXPECT_TRUE(s.doc.m_undo.IsEmpty());
}

TEST(EditScope, DamagedSnapshotChangesNothingAndSaysSo)
{
    Site s;
    CPage* page = s.doc.m_pages[0].get();
    s.doc.RecordUndo(page, page, nullptr, "Move");
    // cut the record in half
    CUndoRecord* head = s.doc.m_undo.GetHead();
    ASSERT_NE(head, nullptr);
    std::vector<BYTE> bytes(head->m_state.Data(), head->m_state.Data() + head->m_state.Size() / 2);
    head->m_state.Assign(bytes.data(), bytes.size());
    s.pageGroup->m_nX = 123;
    const std::vector<BYTE> before = SaveToBytes(s.doc);
    const CKJDoc::UndoOutcome outcome = s.doc.Undo();
    EXPECT_TRUE(outcome.consumed);
    EXPECT_FALSE(outcome.error.IsEmpty());
    EXPECT_EQ(outcome.container, nullptr);
    EXPECT_EQ(SaveToBytes(s.doc), before);
    EXPECT_TRUE(s.doc.m_undo.IsEmpty());
}
