#include "DocTestSupport.h"

#include "document/KJDoc.h"
#include "document/ProjectFormat.h"
#include "framework/core/CArchive.h"
#include "framework/core/MessageBox.h"
#include "model/Folder.h"
#include "model/HeaderFooterItem.h"
#include "model/ItemFactory.h"
#include "model/ItemTypes.h"
#include "model/MasterItem.h"
#include "model/Page.h"
#include "model/Picture.h"
#include "model/items/ImageCloneItem.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace doctest;

namespace {

TEST(Document, NewSiteHasTheDefaultSkeleton)
{
    CKJDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    ASSERT_EQ(doc.m_pages.size(), 1u);
    CPage* page = doc.m_pages.front().get();
    EXPECT_EQ(page->m_strBaseName, "index");
    EXPECT_EQ(page->m_title.GetUtf8(), "Home Page");
    EXPECT_EQ(page->GetChildren().size(), 3u);
    ASSERT_EQ(doc.m_headerBands.size(), 1u);
    ASSERT_EQ(doc.m_footerBands.size(), 1u);
    EXPECT_EQ(doc.m_headerBands.front()->m_strName, "Main Header");
    EXPECT_EQ(doc.m_footerBands.front()->m_strName, "Main Footer");
    EXPECT_EQ(page->m_pHeaderBand, doc.m_headerBands.front().get());
    EXPECT_EQ(page->m_nFooterBandId, doc.m_footerBands.front()->m_nSerial);
    ASSERT_EQ(doc.m_headerBands.front()->GetChildren().size(), 1u);
    CString headerText = doc.m_headerBands.front()->GetChild(0)->m_strText.GetUtf8();
    EXPECT_TRUE(headerText.GetLength() > 2 && headerText.Right(2) == "\r\n");
    EXPECT_EQ(headerText.Replace("\r\n", "\n"), 3);
    ASSERT_EQ(doc.m_styleClasses.size(), 1u);
    EXPECT_EQ(doc.m_styleClasses.front()->m_strName, "redlink");
    EXPECT_EQ(doc.m_bStretchToBrowser, 1);
    EXPECT_EQ(doc.m_nPreviewFrame, 1);
    EXPECT_EQ(doc.m_allPagesBackground.m_crColor, 0xFFFFFFFFu);
}

TEST(Document, SaveLoadSaveGivesIdenticalBytes)
{
    CKJDoc doc;
    BuildRichProject(doc);
    std::vector<BYTE> built = SaveToBytes(doc);
    CKJDoc loaded;
    LoadFromBytes(loaded, built);
    std::vector<BYTE> first = SaveToBytes(loaded);
    CKJDoc again;
    LoadFromBytes(again, first);
    std::vector<BYTE> second = SaveToBytes(again);
    // a loaded project saves back byte for byte (the first load may measure text that
    // the builder never laid out, so the comparison starts from a loaded project)
    ASSERT_EQ(first.size(), second.size());
    ASSERT_EQ(built.size(), first.size());
    // the object counter is global: objects made while loading move it on, so it may
    // only grow; every other byte is identical
    std::int32_t c1, c2;
    std::memcpy(&c1, first.data() + 20, 4);
    std::memcpy(&c2, second.data() + 20, 4);
    EXPECT_GE(c2, c1);
    std::memcpy(second.data() + 20, &c1, 4);
    std::size_t diff = 0;
    while (diff < first.size() && first[diff] == second[diff])
        ++diff;
    EXPECT_EQ(diff, first.size()) << "first difference at byte " << diff;
    // every item type that exists survives the round trip with its serial
    CItemList a, b;
    doc.CollectAllItems(a);
    again.CollectAllItems(b);
    ASSERT_EQ(a.size(), b.size());
    std::set<int> types;
    for (std::size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i]->m_nType, b[i]->m_nType) << i;
        EXPECT_EQ(a[i]->m_nSerial, b[i]->m_nSerial) << i;
        EXPECT_EQ(a[i]->m_strName, b[i]->m_strName) << i;
        types.insert(b[i]->m_nType);
    }
    EXPECT_GE(types.size(), 40u);
    EXPECT_EQ(again.m_strFtpPassword, doc.m_strFtpPassword);
    EXPECT_EQ(again.m_folders.size(), doc.m_folders.size());
    EXPECT_EQ(again.m_textures.size(), doc.m_textures.size());
    EXPECT_EQ(again.m_fileRecords.size(), 1u);
    EXPECT_EQ(again.m_masters.size(), 1u);
}

TEST(Document, FileStartsWithHeaderAndCounter)
{
    CKJDoc doc;
    doc.OnNewDocument();
    std::vector<BYTE> bytes = SaveToBytes(doc);
    ASSERT_GT(bytes.size(), 24u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 20), std::string("VARNELO@WEBPROJ 9.2", 20));
    std::int32_t counter;
    std::memcpy(&counter, bytes.data() + 20, 4);
    EXPECT_GE(counter, doc.m_pages.front()->m_nSerial);
}

TEST(Document, ObjectCounterAfterLoadIsTheLargerValue)
{
    CKJDoc doc;
    doc.OnNewDocument();
    std::vector<BYTE> bytes = SaveToBytes(doc);
    std::int32_t stored;
    std::memcpy(&stored, bytes.data() + 20, 4);
    // a current counter above the stored one is kept
    SetObjectCounter(stored + 1000);
    CKJDoc a;
    LoadFromBytes(a, bytes);
    EXPECT_GE(GetObjectCounter(), stored + 1000);
    // a stored counter above the current one is taken
    std::int32_t high = GetObjectCounter() + 5000;
    std::memcpy(bytes.data() + 20, &high, 4);
    CKJDoc b;
    LoadFromBytes(b, bytes);
    EXPECT_GE(GetObjectCounter(), high);
    CFolder fresh;
    EXPECT_GT(fresh.m_nSerial, high);
}

TEST(Document, NewerVersionIsRefusedWithItsMessage)
{
    CKJDoc doc;
    doc.OnNewDocument();
    std::vector<BYTE> bytes = SaveToBytes(doc);
    for (const char* text : {" 9.3", " 9.9", "10.0"}) {
        std::memcpy(bytes.data() + 15, text, 4);
        MessageRecorder messages;
        CKJDoc other;
        EXPECT_FALSE(OpenBytes(other, bytes));
        ASSERT_EQ(messages.texts.size(), 1u) << text;
        EXPECT_EQ(messages.texts[0], CString("The file was created in newer version: ") + text);
        EXPECT_EQ(messages.types[0] & 0xF0u, unsigned(MB_ICONSTOP));
        EXPECT_TRUE(other.m_pages.empty());
    }
}

TEST(Document, TruncatedFilesAlwaysReportAnError)
{
    CKJDoc doc;
    BuildRichProject(doc);
    std::vector<BYTE> bytes = SaveToBytes(doc);
    // Cut inside the extension section, the layout before it is whole: the project opens
    // with the section's defaults and says so (ExtensionSectionTest).
    const char marker[] = "TSLXTRA2";
    const std::size_t section = std::size_t(std::search(bytes.begin(), bytes.end(), marker, marker + 8) - bytes.begin());
    ASSERT_LT(section, bytes.size());
    for (std::size_t n = 0; n < bytes.size(); n += 97) {
        std::vector<BYTE> cut(bytes.begin(), bytes.begin() + n);
        MessageRecorder messages;
        CKJDoc other;
        const bool inSection = n > section;
        EXPECT_EQ(OpenBytes(other, cut), inSection) << n;
        ASSERT_EQ(messages.texts.size(), 1u) << n;
        if (inSection) {
            EXPECT_NE(messages.texts[0].Find("were reset to their defaults"), -1) << n;
        } else {
            EXPECT_TRUE(other.m_pages.empty()) << n;
        }
    }
}

TEST(Document, FlippedBytesNeverCrash)
{
    CKJDoc doc;
    BuildRichProject(doc);
    std::vector<BYTE> bytes = SaveToBytes(doc);
    std::uint32_t seed = 12345;
    for (int round = 0; round < 300; ++round) {
        std::vector<BYTE> bad = bytes;
        for (int k = 0; k < 4; ++k) {
            seed = seed * 1103515245u + 12345u;
            std::size_t at = 20 + (seed >> 8) % (bad.size() - 20);
            bad[at] ^= BYTE(1u << ((seed >> 3) & 7));
        }
        MessageRecorder messages;
        CKJDoc other;
        bool ok = OpenBytes(other, bad);
        // a failure is always reported; a success is a usable project, told about an
        // extension section that had to be reset
        if (ok && messages.texts.size() == 1u) {
            EXPECT_NE(messages.texts[0].Find("were reset to their defaults"), -1) << round;
        } else {
            EXPECT_EQ(messages.texts.size(), ok ? 0u : 1u) << round;
        }
        if (ok)
            SaveToBytes(other);
    }
}

class DocumentFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_data.Redirect(m_dir.filePath("data"));
    }
    QTemporaryDir m_dir;
    DataHomeRedirect m_data;
};

TEST_F(DocumentFiles, FirstSaveOverAnOpenedFileLeavesOneBackup)
{
    QString path = m_dir.filePath("shop.kjproj");
    {
        CKJDoc doc;
        doc.OnNewDocument();
        ASSERT_TRUE(doc.DoSave(CString::FromQString(path)));
    }
    QByteArray original = ReadFileBytes(path);
    CKJDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(CString::FromQString(path)));
    doc.m_strAnalytics = "changed";
    ASSERT_TRUE(doc.DoSave(doc.GetPathName()));
    ASSERT_TRUE(doc.DoSave(doc.GetPathName()));
    QDir backups(m_dir.filePath("data") + "/Varnelo/Tessel Web Designer/TesselBackups");
    QStringList copies = backups.entryList(QDir::Files);
    ASSERT_EQ(copies.size(), 1) << copies.join(",").toStdString();
    EXPECT_TRUE(copies[0].startsWith("shop-") && copies[0].endsWith(".kjproj"));
    EXPECT_EQ(ReadFileBytes(backups.filePath(copies[0])), original);
    EXPECT_NE(ReadFileBytes(path), original);
}

TEST_F(DocumentFiles, FailingItemWriterLeavesTheOldFileIntact)
{
    QString path = m_dir.filePath("site.kjproj");
    CKJDoc doc;
    doc.OnNewDocument();
    ASSERT_TRUE(doc.DoSave(CString::FromQString(path)));
    QByteArray before = ReadFileBytes(path);
    doc.m_pages.front()->AddChild(new FailingItem());
    MessageRecorder messages;
    EXPECT_FALSE(doc.DoSave(CString::FromQString(path)));
    EXPECT_EQ(messages.texts.size(), 1u);
    EXPECT_EQ(ReadFileBytes(path), before);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"site.kjproj"});
    // Save As to a new name that fails creates nothing
    QString other = m_dir.filePath("other.kjproj");
    EXPECT_FALSE(doc.DoSave(CString::FromQString(other)));
    EXPECT_FALSE(QFileInfo::exists(other));
    EXPECT_EQ(doc.GetPathName(), CString::FromQString(path));
}

TEST(DocumentUndo, RecordChangeRestoreGivesTheOldBytes)
{
    CKJDoc doc;
    doc.OnNewDocument();
    CPage* page = doc.m_pages.front().get();
    CItem* item = page->GetChild(0);
    CDataBlock before;
    CKJDoc::WriteSnapshot(*page, before);
    doc.RecordUndo(page, page, nullptr, "Move");
    doc.RecordUndo(page, page, item, "Resize");
    ASSERT_EQ(doc.m_undo.GetCount(), 2u);
    CUndoRecord* head = doc.m_undo.GetHead();
    EXPECT_EQ(head->m_strDescription, "Resize");
    EXPECT_EQ(head->m_nItemId, item->m_nSerial);
    EXPECT_EQ(head->m_nContainerId, page->m_nSerial);
    EXPECT_EQ(head->m_nPageId, page->m_nSerial);
    doc.DiscardLastUndo();
    item->m_nX += 77;
    item->m_strName = "moved";
    std::unique_ptr<CUndoRecord> r = doc.m_undo.PopHead();
    ASSERT_TRUE(r);
    EXPECT_EQ(r->m_nItemId, 0);
    CKJDoc::ReadSnapshot(*page, r->m_state);
    doc.FixupPageAfterLoad(page);
    CDataBlock after;
    CKJDoc::WriteSnapshot(*page, after);
    ASSERT_EQ(after.Size(), before.Size());
    EXPECT_EQ(std::memcmp(after.Data(), before.Data(), before.Size()), 0);
    // a null container records nothing
    doc.RecordUndo(page, nullptr, item, "x");
    EXPECT_TRUE(doc.m_undo.IsEmpty());
}

TEST(DocumentLookups, IdsNamesAndIndex)
{
    CKJDoc doc;
    doc.OnNewDocument();
    CPage* page = doc.m_pages.front().get();
    CItem* item = page->GetChild(0);
    EXPECT_EQ(doc.FindItemById(0), nullptr);
    EXPECT_EQ(doc.FindObjectById(0), nullptr);
    EXPECT_EQ(doc.FindItemByRef(0), nullptr);
    EXPECT_EQ(doc.FindItemById(item->m_nSerial), item);
    EXPECT_EQ(doc.FindObjectById(item->m_nSerial), nullptr);
    EXPECT_EQ(doc.FindObjectById(page->m_nSerial), page);
    EXPECT_EQ(doc.FindItemById(GetObjectCounter() + 100), nullptr);
    EXPECT_EQ(doc.FindIndexPage(), page);
    page->m_strBaseName = "Index";
    EXPECT_EQ(doc.FindIndexPage(), nullptr);

    struct Case {
        const char16_t* title;
        const char* name;
    } cases[] = {
        {u"\u00DCber uns", "uber_uns"},
        {u"\u00DCber uns", "uber_uns_2"},
        {u"../../etc", "etc"},
        {u"a/b\\c:d", "abcd"},
        {u"???", "page"},
        {u"!!!", "page_2"},
    };
    for (const Case& c : cases) {
        CWString title(c.title);
        CPage* p = doc.AddPage(nullptr, &title);
        EXPECT_EQ(p->m_strBaseName, c.name);
        EXPECT_EQ(p->GetChildren().size(), 2u);
    }
    EXPECT_TRUE(doc.AddPage(nullptr, nullptr)->GetChildren().empty());

    item->m_strName = "Box";
    CItem* other = page->GetChildren().back().get();
    MessageRecorder no(IDNO);
    EXPECT_FALSE(doc.CheckItemName("Box", item, page)); // never itself
    EXPECT_FALSE(doc.CheckItemName("box", other, page)); // case matters
    EXPECT_TRUE(doc.CheckItemName("Box", other, page));
    EXPECT_FALSE(doc.CheckItemName("Box", other, doc.m_pages.back().get())); // other page
    EXPECT_EQ(no.texts.size(), 1u);
}

TEST(DocumentLookups, LaterStyleClassOfTheSameNameWins)
{
    CKJDoc doc;
    doc.OnNewDocument();
    auto second = std::make_unique<CStyleClass>(1, 0);
    second->m_strName = "redlink";
    CStyleClass* later = second.get();
    doc.m_styleClasses.push_back(std::move(second));
    CItem* item = doc.m_pages.front()->GetChild(0);
    item->m_strClass = "redlink";
    doc.BindItemClasses();
    EXPECT_EQ(item->m_pStyleClass, later);
    item->m_strClass = "Redlink";
    doc.BindItemClasses();
    EXPECT_EQ(item->m_pStyleClass, nullptr);
}

TEST(DocumentLinks, CloneOfADeletedSourceKeepsNoPointer)
{
    CKJDoc doc;
    doc.OnNewDocument();
    CPage* page = doc.m_pages.front().get();
    CPage* second = doc.AddPage(page, nullptr);
    auto image = std::unique_ptr<CItem>(CreateItem(ITEM_IMAGE));
    CItem* source = image.get();
    page->AddChild(image.release());
    auto makeClone = [&]() {
        auto c = std::unique_ptr<CImageCloneItem>(static_cast<CImageCloneItem*>(CreateItem(ITEM_IMAGE_CLONE)));
        c->m_nSourceId = source->m_nSerial;
        return c;
    };
    second->AddChild(makeClone().release());
    auto group = std::unique_ptr<CGroupItem>(static_cast<CGroupItem*>(CreateItem(ITEM_GROUP)));
    auto nested = makeClone();
    CImageCloneItem* nestedClone = nested.get();
    group->AddChild(nested.release());
    second->AddChild(group.release());
    PageAddClone(second, source);
    doc.UpdateItemLinks();
    EXPECT_EQ(nestedClone->m_pSource, source);
    std::size_t before = second->GetChildren().size();
    EXPECT_TRUE(doc.RemoveItemReferences(source));
    EXPECT_EQ(second->GetChildren().size(), before - 1); // the top-level clone is gone
    EXPECT_EQ(nestedClone->m_pSource, nullptr);      // the nested one lost its source
    EXPECT_EQ(PageHasClone(second, source), 0);
    EXPECT_FALSE(doc.RemoveItemReferences(source));
    // a source id that finds nothing leaves no pointer
    nestedClone->m_nSourceId = GetObjectCounter() + 99;
    doc.UpdateItemLinks();
    EXPECT_EQ(nestedClone->m_pSource, nullptr);
}

TEST(DocumentHostile, LoopsSeparatorsAndHugeCounts)
{
    struct Case {
        const char* what;
        std::function<void(CKJDoc&)> spoil;
    } cases[] = {
        {"folder loop", [](CKJDoc& d) {
             auto a = std::make_unique<CFolder>();
             auto b = std::make_unique<CFolder>();
             a->m_strBaseName = "a";
             b->m_strBaseName = "b";
             a->m_nParentId = b->m_nSerial;
             b->m_nParentId = a->m_nSerial;
             d.m_folders.push_back(std::move(a));
             d.m_folders.push_back(std::move(b));
         }},
        {"folder with separator", [](CKJDoc& d) {
             auto a = std::make_unique<CFolder>();
             a->m_strBaseName = "x/y";
             d.m_folders.push_back(std::move(a));
         }},
        {"dot-dot folder", [](CKJDoc& d) {
             auto a = std::make_unique<CFolder>();
             a->m_strBaseName = "..";
             d.m_folders.push_back(std::move(a));
         }},
        {"page leaving the folder", [](CKJDoc& d) { d.m_pages.front()->m_strBaseName = "../evil"; }},
        {"absurd item height", [](CKJDoc& d) { d.m_pages.front()->GetChild(0)->m_nHeight = 2000000000; }},
        {"absurd margin", [](CKJDoc& d) {
             CItem* i = d.m_pages.front()->GetChild(1);
             i->m_margin.m_bTop = 1;
             i->m_margin.m_nTop = -1900000000;
         }},
        {"absurd style padding", [](CKJDoc& d) { d.m_styles.m_styles[3].m_nPadding = 1 << 30; }},
        {"site file with backslash", [](CKJDoc& d) {
             auto f = std::make_unique<CFileRecord>();
             f->m_strBaseName = "..\\x";
             d.m_fileRecords.push_back(std::move(f));
         }},
    };
    for (const Case& c : cases) {
        CKJDoc doc;
        doc.OnNewDocument();
        c.spoil(doc);
        std::vector<BYTE> bytes = SaveToBytes(doc);
        MessageRecorder messages;
        CKJDoc other;
        EXPECT_FALSE(OpenBytes(other, bytes)) << c.what;
        EXPECT_EQ(messages.texts.size(), 1u) << c.what;
    }
    // an unknown item type code inside a page
    {
        CKJDoc doc;
        doc.OnNewDocument();
        CItem* item = doc.m_pages.front()->GetChild(0);
        std::vector<BYTE> bytes = SaveToBytes(doc);
        // the group writes the child's type code, then the child's record starts with its
        // type and serial
        std::int32_t pattern[3] = {item->m_nType, item->m_nType, item->m_nSerial};
        auto it = std::search(bytes.begin(), bytes.end(), reinterpret_cast<BYTE*>(pattern), reinterpret_cast<BYTE*>(pattern) + 12);
        ASSERT_NE(it, bytes.end());
        std::int32_t unknown = 999;
        std::memcpy(&*it, &unknown, 4);
        MessageRecorder messages;
        CKJDoc other;
        EXPECT_FALSE(OpenBytes(other, bytes));
        EXPECT_EQ(messages.texts.size(), 1u);
        EXPECT_TRUE(other.m_pages.empty());
    }
    // a huge list count is refused before anything is allocated
    CKJDoc doc;
    doc.OnNewDocument();
    std::vector<BYTE> bytes = SaveToBytes(doc);
    std::size_t at = OffsetOfTextureCount(doc);
    std::int32_t huge = 0x7FFFFFF0;
    std::memcpy(bytes.data() + at, &huge, 4);
    MessageRecorder messages;
    CKJDoc other;
    EXPECT_FALSE(OpenBytes(other, bytes));
    EXPECT_EQ(messages.texts.size(), 1u);
}

} // namespace

namespace {
TEST(DocumentUndo, FailedSnapshotLosesNothing)
{
    CKJDoc doc;
    doc.OnNewDocument();
    CPage* page = doc.m_pages.front().get();
    doc.RecordUndo(page, page, nullptr, "Move");
    std::size_t size = doc.m_undo.GetTotalSize();
    FailingItem failing;
    EXPECT_ANY_THROW(doc.RecordUndo(page, page, &failing, "Resize"));
    ASSERT_EQ(doc.m_undo.GetCount(), 1u);
    EXPECT_EQ(doc.m_undo.GetTotalSize(), size);
    EXPECT_EQ(doc.m_undo.GetHead()->m_strDescription, "Move");
}
} // namespace
