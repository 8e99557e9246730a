#include "framework/core/CFile.h"
#include "framework/core/Exceptions.h"
#include "model/ItemFactory.h"
#include "model/ItemTypes.h"
#include "model/items/EmailItem.h"
#include "model/items/FacebookItem.h"
#include "model/items/HeadingItem.h"
#include "model/items/LikeButtonItem.h"
#include "model/items/MarqueeItem.h"
#include "model/items/ParagraphItem.h"
#include "TextRunTestSupport.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

using Bytes = std::vector<BYTE>;

Bytes Store(CItem& item, int version)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        item.Serialize(ar, version);
        ar.Close();
    }
    return file.Bytes();
}

// Reads the record into a new item of the type; the bytes left unread come back.
std::unique_ptr<CItem> Load(int type, const Bytes& bytes, int version, std::uint64_t& left)
{
    std::unique_ptr<CItem> item(CreateItem(type));
    CMemFile file(bytes.data(), bytes.size());
    CArchive ar(&file, CArchive::load);
    item->Serialize(ar, version);
    left = ar.GetRemaining();
    return item;
}

CParagraphItem* MakeParagraph(CParagraphItem* p)
{
    p->m_strText.SetText(u"ab");
    runtest::SetRuns(*p, {runtest::MakeRun(0x112233, 1), runtest::MakeRun(kRunColorInherit, 0, 0, 0, 0, 7)});
    auto link = std::make_unique<CItemLink>();
    link->m_nKind = kLinkAddress;
    link->m_strUrl = "http://x.org";
    p->m_links[7] = std::move(link);
    auto second = std::make_unique<CItemLink>();
    second->m_nKind = kLinkPage;
    second->m_nTargetId = 12;
    p->m_links[65535] = std::move(second);
    p->m_crEditorBack = 0x404040;
    p->m_nLineHeight = 4;
    p->m_nExtraColumns = 2;
    p->m_nColumnGap = 33;
    return p;
}

void ExpectParagraph(const CParagraphItem& p, bool lineHeight, bool columns)
{
    EXPECT_EQ(p.m_strText.ToQString(), QStringLiteral("ab"));
    ASSERT_EQ(GetTextRunCount(p.m_blob), 2);
    EXPECT_EQ(GetTextRun(p.m_blob, 1).link, 7);
    ASSERT_EQ(p.m_links.size(), 2u);
    ASSERT_NE(p.FindRunLink(7), nullptr);
    EXPECT_EQ(p.FindRunLink(7)->m_strUrl, "http://x.org");
    ASSERT_NE(p.FindRunLink(65535), nullptr);
    EXPECT_EQ(p.FindRunLink(65535)->m_nTargetId, 12);
    EXPECT_EQ(p.FindRunLink(8), nullptr);
    EXPECT_EQ(p.m_crEditorBack, 0x404040u);
    EXPECT_EQ(p.m_nLineHeight, lineHeight ? 4 : 0);
    EXPECT_EQ(p.m_nExtraColumns, columns ? 2 : 0);
    EXPECT_EQ(p.m_nColumnGap, columns ? 33 : 20);
}

// The record of the parent class alone, written by the same object.
template <typename F> Bytes StoreWith(F&& write)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        write(ar);
        ar.Close();
    }
    return file.Bytes();
}

std::int32_t IntAt(const Bytes& b, size_t at)
{
    return std::int32_t(std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8 | std::uint32_t(b[at + 2]) << 16 | std::uint32_t(b[at + 3]) << 24);
}

TEST(TextItemRecord, ParagraphRoundTrip)
{
    for (int version : {92, kVersionMemory}) {
        SCOPED_TRACE(version);
        CParagraphItem writer;
        MakeParagraph(&writer);
        const Bytes bytes = Store(writer, version);
        std::uint64_t left = 1;
        auto item = Load(ITEM_PARAGRAPH, bytes, version, left);
        EXPECT_EQ(left, 0u);
        ExpectParagraph(static_cast<CParagraphItem&>(*item), true, true);
    }
}

TEST(TextItemRecord, ParagraphFieldsFollowTheItemRecord)
{
    CParagraphItem p;
    MakeParagraph(&p);
    p.m_links.clear();
    const Bytes bytes = Store(p, 92);
    const size_t base = StoreWith([&](CArchive& ar) { p.CItem::Serialize(ar, 92); }).size();
    ASSERT_EQ(bytes.size(), base + 5 * 4);
    EXPECT_EQ(IntAt(bytes, base), 0);           // link count
    EXPECT_EQ(IntAt(bytes, base + 4), 0x404040); // editor background
    EXPECT_EQ(IntAt(bytes, base + 8), 4);        // line height (from 86)
    EXPECT_EQ(IntAt(bytes, base + 12), 2);       // extra columns (from 89)
    EXPECT_EQ(IntAt(bytes, base + 16), 33);      // column gap (from 89)
}

TEST(TextItemRecord, ParagraphWithAnImpossibleLinkCountFails)
{
    CParagraphItem p;
    Bytes bytes = Store(p, 92);
    const size_t at = StoreWith([&](CArchive& ar) { p.CItem::Serialize(ar, 92); }).size();
    for (std::int32_t count : {0x7FFFFFFF, -5}) {
        SCOPED_TRACE(count);
        for (int k = 0; k < 4; ++k)
            bytes[at + size_t(k)] = BYTE(std::uint32_t(count) >> (8 * k));
        std::uint64_t left = 0;
        EXPECT_THROW(Load(ITEM_PARAGRAPH, bytes, 92, left), CArchiveException);
    }
}

struct RecordCase {
    const char* name;
    int type;
    std::function<void(CItem&)> fill;
    std::function<void(const CItem&)> check;
    std::function<void(CItem&, CArchive&)> parent; // the parent class's record
    size_t size;                                    // bytes of the type's own fields
};

TEST(TextItemRecord, OwnFieldsRoundTrip)
{
    auto itemRecord = [](CItem& i, CArchive& ar) { i.CItem::Serialize(ar, 92); };
    const RecordCase cases[] = {
        {"marquee", ITEM_MARQUEE, [](CItem& i) { auto& m = static_cast<CMarqueeItem&>(i); m.m_nDirection = 1; m.m_nLoop = 3; m.m_nScrollAmount = 7; },
         [](const CItem& i) { auto& m = static_cast<const CMarqueeItem&>(i); EXPECT_EQ(m.m_nDirection, 1); EXPECT_EQ(m.m_nLoop, 3); EXPECT_EQ(m.m_nScrollAmount, 7); },
         [](CItem& i, CArchive& ar) { static_cast<CMarqueeItem&>(i).CParagraphItem::Serialize(ar, 92); }, 12},
        {"heading", ITEM_HEADING, [](CItem& i) { auto& h = static_cast<CHeadingItem&>(i); h.m_nLevel = 4; h.m_nSpare = 9; },
         [](const CItem& i) { auto& h = static_cast<const CHeadingItem&>(i); EXPECT_EQ(h.m_nLevel, 4); EXPECT_EQ(h.m_nSpare, 9); }, itemRecord, 8},
        {"email", ITEM_EMAIL,
         [](CItem& i) { auto& e = static_cast<CEmailItem&>(i); e.m_strBody = "b"; e.m_strCc = "c@x"; e.m_strSubject = "s"; e.m_strAddress = "a@x"; e.m_nEncode = 0; },
         [](const CItem& i) {
             auto& e = static_cast<const CEmailItem&>(i);
             EXPECT_EQ(e.m_strBody, "b"); EXPECT_EQ(e.m_strCc, "c@x"); EXPECT_EQ(e.m_strSubject, "s"); EXPECT_EQ(e.m_strAddress, "a@x"); EXPECT_EQ(e.m_nEncode, 0);
         },
         [](CItem& i, CArchive& ar) { static_cast<CEmailItem&>(i).CLinkItem::Serialize(ar, 92); }, 2 + 4 + 2 + 4 + 4},
        {"like button", ITEM_LIKE_BUTTON, [](CItem& i) { auto& l = static_cast<CLikeButtonItem&>(i); l.m_nLayout = 2; l.m_strPage = "pg"; l.m_nColorScheme = 1; },
         [](const CItem& i) { auto& l = static_cast<const CLikeButtonItem&>(i); EXPECT_EQ(l.m_nLayout, 2); EXPECT_EQ(l.m_strPage, "pg"); EXPECT_EQ(l.m_nColorScheme, 1); },
         itemRecord, 4 + 3 + 4},
        {"page box", ITEM_FACEBOOK,
         [](CItem& i) { auto& f = static_cast<CFacebookItem&>(i); f.m_nShowFaces = 0; f.m_nStream = 0; f.m_strPage = "club"; f.m_crBorder = 0x010203; f.m_nColorScheme = 1; },
         [](const CItem& i) {
             auto& f = static_cast<const CFacebookItem&>(i);
             EXPECT_EQ(f.m_nShowFaces, 0); EXPECT_EQ(f.m_nStream, 0); EXPECT_EQ(f.m_strPage, "club"); EXPECT_EQ(f.m_crBorder, 0x010203u); EXPECT_EQ(f.m_nColorScheme, 1);
         },
         itemRecord, 4 + 4 + 5 + 4 + 4},
    };
    for (const RecordCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<CItem> item(CreateItem(c.type));
        c.fill(*item);
        const Bytes bytes = Store(*item, 92);
        const size_t parent = StoreWith([&](CArchive& ar) { c.parent(*item, ar); }).size();
        EXPECT_EQ(bytes.size() - parent, c.size);
        std::uint64_t left = 1;
        auto back = Load(c.type, bytes, 92, left);
        EXPECT_EQ(left, 0u);
        c.check(*back);
    }
}

} // namespace
