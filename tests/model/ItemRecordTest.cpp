#include "framework/core/CFile.h"
#include "framework/core/Exceptions.h"
#include "model/GroupItem.h"
#include "model/ItemFactory.h"
#include "model/ItemTypes.h"
#include "model/items/ImageItemBase.h"
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

using Bytes = std::vector<BYTE>;

template <typename F> Bytes Store(F&& write)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        write(ar);
        ar.Close();
    }
    return file.Bytes();
}

// Reads with f; returns the bytes left unread.
template <typename F> std::uint64_t Load(const Bytes& bytes, F&& read)
{
    CMemFile file(bytes.data(), bytes.size());
    CArchive ar(&file, CArchive::load);
    read(ar);
    return ar.GetRemaining();
}

Bytes StoreItem(CItem& item, int version)
{
    return Store([&](CArchive& ar) { item.Serialize(ar, version); });
}

// Gives every field of the item record a value unlike its default.
void FillFields(CItem& item)
{
    item.m_nSerial = 4242;
    item.m_strThirdName = "third";
    item.m_strBaseName = "base";
    item.m_strExtension = ".ext";
    item.m_nUploadState = 2;
    const BYTE blob[] = {1, 2, 3, 4, 5};
    item.m_blob.Assign(blob, sizeof blob);
    item.m_strText = "Hello \xC3\xA9";
    item.m_actions[EVENT_CLICK].m_wstrScript = "a()";
    item.m_actions[EVENT_CHANGE].AddStep().m_strTarget = "x1";
    item.m_borders[BORDER_TOP] = CBorderSide{};
    item.m_borders[BORDER_TOP].m_nStyle = 3;
    item.m_borders[BORDER_TOP].m_nWidth = 2;
    item.m_borders[BORDER_TOP].m_color = 0x123456;
    item.m_strName = "item_1";
    item.m_bSelected = 1;
    item.m_nX = 11;
    item.m_nY = 12;
    item.m_nWidth = 130;
    item.m_nHeight = 140;
    item.m_nTextAlign = 3;
    item.m_nHeightMode = 2;
    item.m_nWidthMode = 3;
    item.m_strFontFace = "Verdana";
    item.m_nFontSize = 15;
    item.m_crText = 0x00AABBCC;
    item.m_nPadding = 5;
    item.m_nBold = 1;
    item.m_nItalic = 0;
    item.m_nDecoration = 2;
    item.m_nLetterSpacing = 3;
    item.m_bHidden = 1;
    item.m_bPositioned = 1;
    item.m_bRawText = 1;
    item.m_nCursor = 4;
    item.m_nIcon = 7;
    item.m_nIconShading = 3;
    item.m_bIconShadow = 1;
    item.m_crIcon = 0x0000FF00;
    if (!item.m_pFill)
        item.m_pFill = std::make_unique<CFillStyle>();
    item.m_pFill->m_nKind = 0;
    item.m_pFill->m_crColor = 0x00102030;
    item.m_pPadding = std::make_unique<CBoxSpacing>();
    item.m_pPadding->m_bLeft = 1;
    item.m_pPadding->m_nLeft = 9;
    item.m_nZIndex = 6;
    item.m_nTabIndex = 8;
    item.m_strClass = "cls";
    item.m_strExtraCss = "color:red;";
    item.m_nBlockAlign = 2;
    item.m_nArchivedFirst = 21;
    item.m_dArchivedFirst = 1.25;
    item.m_nArchivedSecond = 22;
    item.m_dArchivedSecond = 3.5;
    item.m_bInclude = 1;
    item.m_bDisplayNone = 1;
    item.m_nBorderRadius = 4;
    item.m_nBoxShadowX = 1;
    item.m_nBoxShadowY = 2;
    item.m_nBoxShadowBlur = 3;
    item.m_crBoxShadow = 0x00445566;
    item.m_bBoxShadow = 1;
    item.m_nBoxShadowSpread = 4;
    item.m_strAnchor = "top";
    item.m_nOpacity = 50;
    item.m_bTextShadow = 1;
    item.m_nTextShadowX = 5;
    item.m_nTextShadowY = 6;
    item.m_nTextShadowBlur = 7;
    item.m_nTextShadowExtra = 8;
    item.m_crTextShadow = 0x00778899;
    for (int i = 0; i < 5; ++i)
        item.m_crExtra[i] = COLORREF(0x00010101 * (i + 1));
    item.m_nArchivedHundred = 99;
    item.m_dTransition = 0.75;
    item.m_strTitle = "A title";
    item.m_margin.m_bTop = 1;
    item.m_margin.m_nTop = 10;
    item.m_strWebFont = "Lobster";
    item.m_link.m_nKind = kLinkAddress;
    item.m_link.m_strUrl = "http://example.org/";
    item.m_link.m_strEmail = "a@b.c";
    item.m_link.m_strExtra = "extra";
}

// Every code that the factory makes.
std::vector<int> FactoryCodes()
{
    std::vector<int> codes;
    for (int code = 0; code <= 50; ++code)
        if (std::unique_ptr<CItem>(CreateItem(code)))
            codes.push_back(code);
    return codes;
}

TEST(ItemRecord, EveryTypeCodeRoundTripsToIdenticalBytes)
{
    const std::vector<int> codes = FactoryCodes();
    ASSERT_GE(codes.size(), 42u);
    for (int version : {kVersionCurrent, kVersionMemory}) {
        for (int code : codes) {
            SCOPED_TRACE(testing::Message() << "code " << code << " version " << version);
            std::unique_ptr<CItem> item(CreateItem(code));
            FillFields(*item);
            item->m_nType = code; // a GIF record carries 28
            if (auto* group = dynamic_cast<CGroupItem*>(item.get())) {
                CItem* child = CreateItem(ITEM_TEXT);
                child->m_strName = "child";
                group->AddChild(child);
                group->m_nOverflow = 2;
                group->m_nMaster1Id = 77;
                group->m_nMaster2Id = 78;
            }
            // Drawn items take their render size from the rendering that every load runs.
            if (auto* drawn = dynamic_cast<CImageItemBase*>(item.get()))
                drawn->Render(0);
            const Bytes first = StoreItem(*item, version);
            std::unique_ptr<CItem> copy(CreateItem(code));
            EXPECT_EQ(Load(first, [&](CArchive& ar) { copy->Serialize(ar, version); }), 0u);
            EXPECT_EQ(copy->m_nType, code);
            EXPECT_EQ(StoreItem(*copy, version), first);
        }
    }
}

TEST(ItemRecord, MemoryVersionRestoresEveryField)
{
    std::unique_ptr<CItem> item(CreateItem(ITEM_TEXT));
    FillFields(*item);
    CItem copy;
    Load(StoreItem(*item, kVersionMemory), [&](CArchive& ar) { copy.Serialize(ar, kVersionMemory); });
    EXPECT_EQ(copy.m_nSerial, 4242);
    EXPECT_EQ(copy.m_strTitle, item->m_strTitle);
    EXPECT_EQ(copy.m_margin, item->m_margin);
    EXPECT_EQ(copy.m_strWebFont, "Lobster");
    EXPECT_EQ(copy.m_strClass, "cls");
    EXPECT_EQ(copy.m_dTransition, 0.75);
    EXPECT_EQ(copy.m_nTextShadowExtra, 8);
    EXPECT_EQ(copy.m_crExtra[4], 0x00050505u);
    EXPECT_EQ(copy.m_nZIndex, 6);
    EXPECT_EQ(copy.m_nTabIndex, 8);
    ASSERT_NE(copy.m_pPadding, nullptr);
    EXPECT_EQ(*copy.m_pPadding, *item->m_pPadding);
    ASSERT_NE(copy.m_pFill, nullptr);
    EXPECT_EQ(copy.m_pFill->m_crColor, 0x00102030u);
    EXPECT_EQ(copy.m_link.m_strUrl, "http://example.org/");
    EXPECT_EQ(copy.m_link.m_strExtra, "extra");
    EXPECT_EQ(copy.m_actions[EVENT_CHANGE].GetStepCount(), 1);
    EXPECT_EQ(copy.m_blob.Size(), 5u);
}

// Writes an item record field by field as a file of the given version holds it.
Bytes BuildRecord(int version)
{
    std::unique_ptr<CItem> ref(CreateItem(ITEM_TEXT));
    FillFields(*ref);
    return Store([&](CArchive& ar) {
        ar << std::int32_t(ITEM_TEXT) << std::int32_t(555) << CString("t") << CString("b") << CString(".e") << std::int32_t(0);
        ar << std::int32_t(2) << BYTE(9) << BYTE(8);
        ref->m_strText.Serialize(ar);
        for (CItemAction& a : ref->m_actions)
            a.Serialize(ar, version);
        for (CBorderSide& b : ref->m_borders)
            b.Serialize(ar, version);
        ar << CString("old") << std::int32_t(0);
        for (int v : {1, 2, 30, 40, 1, 0, 0})
            ar << std::int32_t(v); // x y w h align hmode wmode
        ar << CString("Arial") << std::int32_t(10) << std::int32_t(0xFF) << std::int32_t(3);
        for (int v : {1, 1, 1, 0, 0, 1, 0, 2, 0, 1, 0, 255})
            ar << std::int32_t(v); // bold..letter, hidden, positioned, raw, cursor, icon.., colour
        ar << std::int32_t(0) << std::int32_t(0); // no fill, no padding record
        if (version >= 85)
            ar << std::int32_t(33);
        if (version >= 86)
            ar << std::int32_t(44);
        if (version >= 88) {
            ar << CString("k") << CString("x:y;") << std::int32_t(1) << std::int32_t(0) << 0.5 << std::int32_t(0) << 2.0;
            ar << std::int32_t(1) << std::int32_t(1) << std::int32_t(7) << std::int32_t(1) << std::int32_t(2) << std::int32_t(3) << std::int32_t(4);
        }
        if (version >= 89) {
            ar << std::int32_t(1) << std::int32_t(5) << CString("anc") << std::int32_t(60) << std::int32_t(9);
            ar << std::int32_t(1) << std::int32_t(1) << std::int32_t(1) << std::int32_t(1) << std::int32_t(0x10) << std::int32_t(0);
            for (int i = 0; i < 5; ++i)
                ar << std::int32_t(0x20 + i);
            ar << std::int32_t(100) << 1.5;
        }
        if (version >= 90)
            ref->m_strTitle.Serialize(ar);
        if (version >= 91)
            ref->m_margin.Serialize(ar, version);
        if (version >= 92)
            ar << CString("Lobster");
        // The link record in the form of that version.
        ar << std::int32_t(kLinkAddress) << std::int32_t(0) << std::int32_t(0) << CString("http://example.org/") << CString();
        if (version >= 85)
            ar << CString() << CString("a@b.c") << CString() << CString();
        if (version >= 87)
            ar << CString("extra");
        ar << std::int32_t(0);
    });
}

TEST(ItemRecord, ReadsEachVersionGate)
{
    const CItem defaults;
    for (int version : {84, 85, 86, 87, 88, 89, 90, 91, 92}) {
        SCOPED_TRACE(version);
        CItem item;
        const Bytes bytes = BuildRecord(version);
        EXPECT_EQ(Load(bytes, [&](CArchive& ar) { item.Serialize(ar, version); }), 0u);
        EXPECT_EQ(item.m_nSerial, 555);
        EXPECT_EQ(item.m_strName, "old");
        EXPECT_EQ(item.m_nWidth, 30);
        EXPECT_EQ(item.m_strFontFace, "Arial");
        EXPECT_EQ(item.m_nZIndex, version >= 85 ? 33 : defaults.m_nZIndex);
        EXPECT_EQ(item.m_nTabIndex, version >= 86 ? 44 : defaults.m_nTabIndex);
        EXPECT_EQ(item.m_strClass, version >= 88 ? "k" : "");
        EXPECT_EQ(item.m_nBorderRadius, version >= 89 ? 9 : version >= 88 ? 7 : 0);
        EXPECT_EQ(item.m_nOpacity, version >= 89 ? 60 : 100);
        EXPECT_EQ(item.m_dTransition, version >= 89 ? 1.5 : 0.0);
        EXPECT_EQ(item.m_strTitle.GetLength() > 0, version >= 90);
        EXPECT_EQ(item.m_margin.m_bTop, version >= 91 ? 1 : 0);
        EXPECT_EQ(item.m_strWebFont, version >= 92 ? "Lobster" : "");
        // The link record follows the last gated step directly.
        EXPECT_EQ(item.m_link.m_strUrl, "http://example.org/");
        EXPECT_EQ(item.m_link.m_nKind, int(kLinkAddress));
        EXPECT_EQ(item.m_link.m_strEmail, version >= 85 ? "a@b.c" : "");
        EXPECT_EQ(item.m_link.m_strExtra, version >= 87 ? "extra" : "");
        ASSERT_EQ(item.m_blob.Size(), 2u);
        EXPECT_EQ(item.m_blob.Data()[0], 9);
    }
}

TEST(ItemRecord, AbsentFillAndPaddingLeaveTheItemsOwn)
{
    CItem bare;
    const Bytes bytes = StoreItem(bare, kVersionCurrent);
    CItem item;
    item.m_pFill = std::make_unique<CFillStyle>();
    item.m_pFill->m_crColor = 0x00ABCDEF;
    item.m_pPadding = std::make_unique<CBoxSpacing>();
    item.m_pPadding->m_nTop = 3;
    Load(bytes, [&](CArchive& ar) { item.Serialize(ar, kVersionCurrent); });
    ASSERT_NE(item.m_pFill, nullptr);
    EXPECT_EQ(item.m_pFill->m_crColor, 0x00ABCDEFu);
    ASSERT_NE(item.m_pPadding, nullptr);
    EXPECT_EQ(item.m_pPadding->m_nTop, 3);
}

// Offset of the data block size in a root record with the given name strings.
Bytes RootRecordWithBlockSize(std::int32_t size, int dataBytes)
{
    return Store([&](CArchive& ar) {
        ar << std::int32_t(ITEM_TEXT) << std::int32_t(1) << CString() << CString() << CString() << std::int32_t(0) << size;
        for (int i = 0; i < dataBytes; ++i)
            ar << BYTE(i);
    });
}

TEST(ItemRecord, DataBlockSizeIsCheckedBeforeAllocation)
{
    struct Case {
        std::int32_t size;
        int dataBytes;
        bool fails;
    } const cases[] = {{-1, 10, true}, {-2147483647 - 1, 10, true}, {11, 10, true}, {2147483647, 10, true}, {10, 10, false}, {0, 0, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        CSiteObject object;
        const BYTE old[] = {7, 7};
        object.m_blob.Assign(old, 2);
        const Bytes bytes = RootRecordWithBlockSize(c.size, c.dataBytes);
        if (c.fails) {
            EXPECT_THROW(Load(bytes, [&](CArchive& ar) { object.Serialize(ar, kVersionCurrent); }), CArchiveException);
        } else {
            Load(bytes, [&](CArchive& ar) { object.Serialize(ar, kVersionCurrent); });
            // A size of 0 frees the old block.
            EXPECT_EQ(object.m_blob.Size(), size_t(c.size));
        }
    }
}

TEST(ObjectCounter, SerialsFollowTheCounter)
{
    const int saved = GetObjectCounter();
    SetObjectCounter(5000);
    CSiteObject a;
    CItem b;
    EXPECT_EQ(a.m_nSerial, 5001);
    EXPECT_EQ(b.m_nSerial, 5002);
    EXPECT_EQ(GetObjectCounter(), 5002);
    SetObjectCounter(std::max(saved, 5002));
}

TEST(SiteObject, FileNames)
{
    CItem item;
    item.m_strName = "logo";
    item.m_strExtension = ".png";
    EXPECT_EQ(item.GetFileName(), "logo.png");
    item.m_strBaseName = "pic";
    EXPECT_EQ(item.GetFileName(), "pic.png");
    CSiteObject object;
    object.m_strExtension = ".html";
    EXPECT_EQ(object.GetFileName(), ".html");
}

} // namespace

namespace {

TEST(SiteObject, LoadBlobFromFileNamesTheObject)
{
    struct Case {
        const char* file;
        const char* baseName;
        const char* htmlName;
    } const cases[] = {
        {"logo.png", "logo", "logo"},
        {"my photo:1.jpg", "myphotox1", "myphoto1"},
        {"2024 report.pdf", "2024report", "id2024report"},
        {"caf\xC3\xA9.gif", "caf", "caf"},
    };
    QTemporaryDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const QString path = dir.filePath(QString::fromUtf8(c.file));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("abc", 3);
        f.close();
        CItem item;
        ASSERT_TRUE(item.LoadBlobFromFile(CString::FromQString(path)));
        EXPECT_EQ(item.m_blob.Size(), 3u);
        EXPECT_EQ(item.m_strBaseName, c.baseName);
        EXPECT_EQ(item.m_strName, c.htmlName);
    }
    CItem item;
    const BYTE old[] = {1};
    item.m_blob.Assign(old, 1);
    EXPECT_FALSE(item.LoadBlobFromFile(CString::FromQString(dir.filePath("missing.bin"))));
}

} // namespace
