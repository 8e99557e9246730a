#include "PictureTestSupport.h"
#include "model/OutputPaths.h"
#include "model/Escaping.h"

#include "model/Clipboard.h"
#include "model/GroupItem.h"
#include "model/ItemFactory.h"
#include "model/ItemTypes.h"
#include "model/PublishContext.h"
#include "model/items/ImageCloneItem.h"
#include "model/items/ImageItem.h"
#include "model/items/TextItem.h"

#include <QtCore/QDir>
#include <QtCore/QTemporaryDir>
#include <QtGui/QGuiApplication>
#include <gtest/gtest.h>

#include <set>

using namespace picturetest;

namespace {

std::vector<BYTE> Copy(const CGroupItem& group, bool clones = false)
{
    CMemFile f;
    {
        CArchive ar(&f, CArchive::store);
        WriteSelection(group, ar, clones);
        ar.Close();
    }
    return f.Bytes();
}

int Paste(CGroupItem& group, const std::vector<BYTE>& bytes, int& counter, bool rename)
{
    CMemFile f(bytes.data(), bytes.size());
    CArchive ar(&f, CArchive::load);
    return PasteItems(group, ar, counter, rename);
}

CItem* AddSelected(CGroupItem& group, CItem* item)
{
    item->m_bSelected = 1;
    group.AddChild(item);
    return item;
}

// Items that draw text (captions of shapes, artistic text) render when their records are
// read, and text needs the font database of a (windowless) application.
void EnsureGuiApplication()
{
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "test_model";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    (void)app;
}

TEST(ClipboardStream, EveryItemTypeRoundTrips)
{
    EnsureGuiApplication();
    CGroupItem source;
    std::vector<int> types;
    for (int type = 1; type <= 47; ++type) {
        CItem* item = CreateItem(type);
        if (!item)
            continue;
        item->m_strName = CString::Formatted("item%d", type);
        item->m_nX = type;
        item->m_nY = 2 * type;
        // Fields some types derive while they load (their rendered size) settle first.
        Load(*item, Store(*item, kVersionMemory), kVersionMemory);
        AddSelected(source, item);
        types.push_back(item->m_nType);
    }
    // One more, not selected: it stays behind.
    source.AddChild(new CTextItem);
    ASSERT_GT(types.size(), 40u);

    const std::vector<BYTE> stream = Copy(source);
    CGroupItem target;
    int counter = 1;
    ASSERT_EQ(Paste(target, stream, counter, false), int(types.size()));
    ASSERT_EQ(target.GetChildCount(), int(types.size()));
    EXPECT_EQ(counter, 1);
    std::set<int> serials;
    for (int i = 0; i < target.GetChildCount(); ++i) {
        CItem* pasted = target.GetChild(i);
        CItem* original = source.GetChild(i);
        EXPECT_EQ(pasted->m_nType, types[size_t(i)]);
        EXPECT_EQ(pasted->m_strName, original->m_strName);
        EXPECT_EQ(pasted->m_bSelected, 1);
        EXPECT_NE(pasted->m_nSerial, original->m_nSerial);
        EXPECT_TRUE(serials.insert(pasted->m_nSerial).second);
        // The same record but for the serial.
        const int fresh = pasted->m_nSerial;
        pasted->m_nSerial = original->m_nSerial;
        const std::vector<BYTE> a = Store(*pasted, kVersionMemory), b = Store(*original, kVersionMemory);
        std::size_t at = 0;
        while (at < a.size() && at < b.size() && a[at] == b[at])
            ++at;
        EXPECT_EQ(a, b) << "type " << pasted->m_nType << " first difference at byte " << at << " of " << b.size();
        pasted->m_nSerial = fresh;
    }
}

TEST(ClipboardStream, RenamingByType)
{
    CGroupItem source;
    AddSelected(source, CreateItem(ITEM_TEXT));
    CItem* second = AddSelected(source, CreateItem(ITEM_TEXT));
    second->m_strBaseName = "photo";
    second->m_nUploadState = 2;
    CItem* para = AddSelected(source, CreateItem(ITEM_PARAGRAPH));
    para->m_strName = "intro";
    AddSelected(source, CreateItem(ITEM_IMAGE_CLONE));

    CGroupItem target;
    int counter = 5;
    ASSERT_EQ(Paste(target, Copy(source), counter, true), 4);
    EXPECT_EQ(target.GetChild(0)->m_strName, "Text5");
    EXPECT_EQ(target.GetChild(1)->m_strName, "Text6");
    EXPECT_EQ(target.GetChild(1)->m_strBaseName, "File6");
    EXPECT_EQ(target.GetChild(1)->m_nUploadState, 0);
    EXPECT_EQ(target.GetChild(2)->m_strName, "intro");
    EXPECT_EQ(target.GetChild(3)->m_strName, "Clone7");
    EXPECT_EQ(counter, 8);

    struct Case {
        int type;
        const char* pattern;
    } cases[] = {{2, "Div%d"}, {11, "%d"}, {13, "Image%d"}, {28, "GIF%d"}, {41, "Slider%d"}, {3, nullptr}, {15, nullptr}, {46, nullptr}};
    for (const Case& c : cases) {
        const char* p = GetPasteNamePattern(c.type);
        EXPECT_EQ(p ? std::string(p) : std::string("-"), c.pattern ? std::string(c.pattern) : std::string("-")) << c.type;
    }
}

TEST(ClipboardStream, FreshSerialsAtEveryDepthAndClonesFollow)
{
    CGroupItem source;
    auto* group = static_cast<CGroupItem*>(AddSelected(source, new CGroupItem));
    auto* image = new CImageItem;
    group->AddChild(image);
    auto* inner = new CGroupItem;
    group->AddChild(inner);
    inner->AddChild(new CTextItem);
    auto* clone = static_cast<CImageCloneItem*>(AddSelected(source, new CImageCloneItem));
    clone->m_nSourceId = image->m_nSerial;
    auto* outside = static_cast<CImageCloneItem*>(AddSelected(source, new CImageCloneItem));
    outside->m_nSourceId = 987654;

    const std::vector<BYTE> stream = Copy(source);
    CGroupItem target;
    int counter = 0;
    Paste(target, stream, counter, false);
    Paste(target, stream, counter, false);
    ASSERT_EQ(target.GetChildCount(), 6);

    CItemList all;
    source.CollectItems(all);
    target.CollectItems(all);
    std::set<int> serials;
    for (CItem* item : all)
        EXPECT_TRUE(serials.insert(item->m_nSerial).second) << "serial " << item->m_nSerial << " twice";
    for (int copy = 0; copy < 2; ++copy) {
        auto* pastedGroup = static_cast<CGroupItem*>(target.GetChild(3 * copy));
        auto* pastedClone = static_cast<CImageCloneItem*>(target.GetChild(3 * copy + 1));
        auto* pastedOutside = static_cast<CImageCloneItem*>(target.GetChild(3 * copy + 2));
        EXPECT_EQ(pastedClone->m_nSourceId, pastedGroup->GetChild(0)->m_nSerial);
        EXPECT_EQ(pastedOutside->m_nSourceId, 987654);
    }
}

TEST(ClipboardStream, PictureItemsCopyAsClones)
{
    CGroupItem source;
    CItem* image = AddSelected(source, new CImageItem);
    image->m_nX = 7;
    image->m_nWidth = 30;
    image->m_strText = "caption";
    AddSelected(source, new CTextItem);
    CGroupItem target;
    int counter = 0;
    ASSERT_EQ(Paste(target, Copy(source, true), counter, false), 2);
    auto* clone = dynamic_cast<CImageCloneItem*>(target.GetChild(0));
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(clone->m_nSourceId, image->m_nSerial);
    EXPECT_EQ(clone->m_nX, 7);
    EXPECT_EQ(clone->m_nWidth, 30);
    EXPECT_EQ(clone->m_strText, image->m_strText);
    EXPECT_EQ(target.GetChild(1)->m_nType, ITEM_TEXT);

    // Nothing selected: only the count.
    CGroupItem none;
    none.AddChild(new CTextItem);
    EXPECT_EQ(Copy(none).size(), 4u);
    EXPECT_EQ(Paste(target, Copy(none), counter, true), 0);
}

TEST(ClipboardStream, DamagedStreamsAreRefusedOrCut)
{
    CGroupItem source;
    AddSelected(source, new CTextItem);
    AddSelected(source, new CImageItem);
    AddSelected(source, new CGroupItem);
    const std::vector<BYTE> stream = Copy(source);

    // A count the bytes cannot hold.
    for (std::int32_t bad : {-1, 1000, 0x7FFFFFFF}) {
        std::vector<BYTE> d = stream;
        std::memcpy(d.data(), &bad, 4);
        CGroupItem target;
        int counter = 0;
        EXPECT_THROW(Paste(target, d, counter, true), CArchiveException) << bad;
    }
    // Every cut throws an archive error and pastes nothing: the group keeps the child it had.
    for (std::size_t n = 0; n < stream.size(); n += 3) {
        std::vector<BYTE> cut(stream.begin(), stream.begin() + std::ptrdiff_t(n));
        CGroupItem target;
        target.AddChild(new CTextItem);
        int counter = 0;
        EXPECT_THROW(Paste(target, cut, counter, true), CArchiveException) << n;
        EXPECT_EQ(target.GetChildCount(), 1) << n;
    }
    // An unknown type code after a whole first item refuses the whole stream.
    std::vector<BYTE> unknown = stream;
    const std::int32_t secondTypeAt = 4 + std::int32_t(Store(*source.GetChild(0), kVersionMemory).size()) + 4;
    const std::int32_t code = 99;
    std::memcpy(unknown.data() + secondTypeAt, &code, 4);
    CGroupItem target;
    int counter = 0;
    EXPECT_THROW(Paste(target, unknown, counter, false), CArchiveException);
    EXPECT_EQ(target.GetChildCount(), 0);
    // The whole stream still pastes all three.
    EXPECT_EQ(Paste(target, stream, counter, false), 3);
}

TEST(ItemHelpers, SafeNamesAndEncoding)
{
    struct SafeCase {
        const char* text;
        const char* base;
    } safe[] = {{"a:b c", "axbc"}, {"../x", "xx"}, {"pic\xC3\xA9.png", "pic.png"}, {"a/b\\c*d?e<f>g|h", "axbxcxdxexfxgh"}, {"~{}", ""}};
    for (const SafeCase& c : safe)
        EXPECT_EQ(SafeFileNameText(c.text), c.base) << c.text;
    CTextItem item;
    MakeSafeFileName(item, "   ");
    EXPECT_EQ(item.m_strBaseName, CString::Formatted("%d", item.m_nSerial));
    MakeSafeFileName(item, "a:b c");
    EXPECT_EQ(item.m_strBaseName, "axbc");

    struct NameCase {
        const char* text;
        const char* name;
    } names[] = {{"2nd page.html", "id2ndpagehtml"}, {"Photo 1.jpg", "Photo1jpg"}, {"_x", "id_x"}, {"!!", "id"}, {"", ""}};
    for (const NameCase& c : names) {
        item.m_strName = "before";
        SetNameFromText(item, c.text);
        EXPECT_EQ(item.m_strName, c.name) << c.text;
    }
    item.m_strName = "kept";
    SetNameFromText(item, nullptr);
    EXPECT_EQ(item.m_strName, "kept");

    struct EncodeCase {
        const char* text;
        const char* encoded;
    } enc[] = {{"% ", "%25%20"}, {"a\"#$'*+\\:&?b", "a%22%23%24%27%2A%2B%5C%3A%26%3Fb"}, {"\xC3\xA9", "%C3%A9"}, {"plain", "plain"}};
    for (const EncodeCase& c : enc) {
        CString s = c.text;
        PercentEncodeText(s);
        EXPECT_EQ(s, c.encoded) << c.text;
    }
}

TEST(ItemHelpers, StoredFileExportStaysInside)
{
    QTemporaryDir dir;
    CPublishContext context;
    context.m_strOutputRoot = CString::FromQString(dir.path()) + "/";
    struct Case {
        const char* base;
        const char* ext;
        const char* written;
    } cases[] = {{"notes", ".txt", "notes.txt"}, {"../../evil", ".sh", "x..xevil.sh"}, {"..", "", ""}};
    for (const Case& c : cases) {
        CSiteObject record;
        record.m_strBaseName = c.base;
        record.m_strExtension = c.ext;
        const BYTE bytes[] = {1, 2, 3};
        record.m_blob.Assign(bytes, sizeof bytes);
        ASSERT_EQ(ExportFileRecord(record, context), 1) << c.base;
        const CString name = *c.written ? CString(c.written) : CString::Formatted("%d", record.m_nSerial);
        EXPECT_EQ(ReadAll(dir.filePath(name.ToQString())), QByteArray("\x01\x02\x03", 3)) << c.base;
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot).size(), 3);
    EXPECT_EQ(context.GetFile(0).m_nKind, kPublishFileScript);
    CSiteObject unwritable;
    unwritable.m_strBaseName = "x";
    context.m_strOutputRoot = "/nonexistent/folder/";
    EXPECT_EQ(ExportFileRecord(unwritable, context), 0);
}

} // namespace

#include "model/Folder.h"

namespace {

TEST(ItemHelpers, FolderPath)
{
    CFolder top, inner;
    top.m_strBaseName = "docs";
    inner.m_strBaseName = "2024";
    inner.SetParentFolder(&top);
    CTextItem page;
    EXPECT_EQ(GetFolderPath(&page), "");
    page.m_pParent = &inner;
    EXPECT_EQ(GetFolderPath(&page), "docs/2024/");
}

} // namespace

TEST(ClipboardStream, PasteItemStreamRefusesDamageWithoutATrace)
{
    CGroupItem source;
    AddSelected(source, new CTextItem);
    AddSelected(source, new CGroupItem);
    const std::vector<BYTE> stream = Copy(source);

    CGroupItem target;
    target.AddChild(new CTextItem);
    int counter = 5;
    for (std::size_t n : {std::size_t(0), std::size_t(4), stream.size() / 2, stream.size() - 1}) {
        const int serials = GetObjectCounter();
        EXPECT_EQ(PasteItemStream(target, stream.data(), n, counter, true), -1) << n;
        EXPECT_EQ(target.GetChildCount(), 1) << n;
        EXPECT_EQ(counter, 5) << n;
        EXPECT_EQ(GetObjectCounter(), serials) << n; // the serials drawn are given back
    }
    EXPECT_EQ(PasteItemStream(target, stream.data(), stream.size(), counter, true), 2);
    EXPECT_EQ(target.GetChildCount(), 3);
    EXPECT_EQ(counter, 7); // "Text5", "Div6"
    EXPECT_STREQ(target.GetChild(1)->m_strName.GetString(), "Text5");
    EXPECT_STREQ(target.GetChild(2)->m_strName.GetString(), "Div6");
}
