#include "framework/core/DcTestSupport.h"
#include "framework/core/CFile.h"
#include "framework/core/Exceptions.h"
#include "model/Folder.h"
#include "model/GroupItem.h"
#include "model/ItemFactory.h"
#include "model/ItemTypes.h"
#include "model/PageOutput.h"
#include "model/TextStyle.h"
#include "model/items/HeadingItem.h"
#include <gtest/gtest.h>
#include <memory>

namespace {

std::vector<BYTE> StoreGroup(CGroupItem& group, int version)
{
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    group.Serialize(ar, version);
    ar.Close();
    return file.Bytes();
}

std::uint64_t LoadGroup(CGroupItem& group, const std::vector<BYTE>& bytes, int version)
{
    CMemFile file(bytes.data(), bytes.size());
    CArchive ar(&file, CArchive::load);
    group.Serialize(ar, version);
    return ar.GetRemaining();
}

CItem* MakeChild(int type, int positioned, int widthMode, int heightMode, int x, int y, int w, int h)
{
    CItem* c = CreateItem(type);
    c->m_bPositioned = positioned;
    c->m_nWidthMode = widthMode;
    c->m_nHeightMode = heightMode;
    c->m_nX = x;
    c->m_nY = y;
    c->m_nWidth = w;
    c->m_nHeight = h;
    return c;
}

TEST(GroupLayout, ChildrenFlowIntoTheInnerWidth)
{
    // texts are measured with the fonts of the GUI application, whatever case ran before
    dctest::EnsureGuiApplication();
    struct Case {
        int type, positioned, widthMode, heightMode, x, y, w, h;
        int expectW; // h never changes
    } const cases[] = {
        // Group 300 wide with 10 px padding and a 2 px border: inner width 276.
        // Every child is laid out too, so texts keep a fixed height here: the
        // widths are what this table is about.
        {ITEM_PARAGRAPH, 0, 1, 0, 5, 6, 40, 30, 276},
        {ITEM_PARAGRAPH, 0, 0, 0, 5, 6, 40, 30, 40},
        {ITEM_PARAGRAPH, 0, 2, 0, 5, 6, 40, 30, 40},
        {ITEM_PARAGRAPH, 0, 3, 0, 5, 6, 40, 30, 40},
        {ITEM_GROUP, 0, 1, 0, 0, 0, 10, 10, 276},
        {ITEM_FORM, 0, 1, 0, 0, 0, 10, 10, 276},
        {ITEM_HEADING, 0, 1, 0, 0, 0, 10, 10, 276}, // a heading is a block as well
        // Inline items do not flow: an automatic text shrinks to its (empty) text,
        // whatever few pixels the font gives that (-1: narrower than the inside).
        {ITEM_TEXT, 0, 1, 0, 0, 0, 55, 10, -1},
        {ITEM_TEXT, 0, 0, 0, 0, 0, 55, 10, 55},
        {ITEM_LINK, 0, 0, 0, 0, 0, 66, 10, 66},
        {ITEM_SLIDER, 0, 1, 0, 0, 0, 77, 10, 77},
        // A positioned automatic child reaches from its x to the inner right edge.
        {ITEM_PARAGRAPH, 1, 1, 0, 50, 8, 40, 30, 226},
        {ITEM_GROUP, 1, 1, 0, 300, 8, 40, 30, 0},
        {ITEM_PARAGRAPH, 1, 0, 0, 50, 8, 40, 30, 40},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.type << " positioned " << c.positioned << " modes " << c.widthMode << "/" << c.heightMode);
        CGroupItem group;
        group.m_nWidth = 300;
        group.m_nPadding = 10;
        group.m_borders[BORDER_ALL].m_nStyle = 2;
        group.m_borders[BORDER_ALL].m_nWidth = 2;
        group.RecalcLayout();
        CItem* child = MakeChild(c.type, c.positioned, c.widthMode, c.heightMode, c.x, c.y, c.w, c.h);
        group.AddChild(child);
        group.LayoutChildren();
        if (c.expectW >= 0)
            EXPECT_EQ(child->m_nWidth, c.expectW);
        else
            EXPECT_LT(child->m_nWidth, 10);
        // The group's own layout then stacks a child of the flow at the top-left inset.
        EXPECT_EQ(child->m_nX, c.positioned ? c.x : 12);
        EXPECT_EQ(child->m_nY, c.positioned ? c.y : 12);
        EXPECT_EQ(child->m_nHeight, c.h);
        EXPECT_EQ(child->m_nWidthMode, c.widthMode);
        EXPECT_EQ(child->m_nHeightMode, c.heightMode);
    }
}

TEST(GroupLayout, FlowWidthTakesEachSideItsOwnInset)
{
    // Borders of their own on the left and the right: the inner width loses each side's
    // inset once, and a child of the flow starts after the left one.
    struct Case {
        int padding, left, right; // border widths of the two sides
        int expectW, expectX;
    } const cases[] = {
        {10, 2, 2, 276, 12},
        {10, 8, 2, 270, 18},
        {0, 0, 15, 285, 0},
        {4, 20, 0, 272, 24},
        {0, 30, 5, 265, 30},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "padding " << c.padding << " borders " << c.left << "/" << c.right);
        CGroupItem group;
        group.m_nWidth = 300;
        group.m_nPadding = c.padding;
        group.m_borders[BORDER_LEFT].m_nStyle = 2;
        group.m_borders[BORDER_LEFT].m_nWidth = c.left;
        group.m_borders[BORDER_RIGHT].m_nStyle = 2;
        group.m_borders[BORDER_RIGHT].m_nWidth = c.right;
        group.RecalcLayout();
        CItem* flowing = MakeChild(ITEM_PARAGRAPH, 0, 1, 0, 5, 6, 40, 30);
        CItem* placed = MakeChild(ITEM_PARAGRAPH, 1, 1, 0, 50, 8, 40, 30);
        group.AddChild(flowing);
        group.AddChild(placed);
        group.LayoutChildren();
        EXPECT_EQ(flowing->m_nWidth, c.expectW);
        EXPECT_EQ(flowing->m_nX, c.expectX);
        EXPECT_EQ(placed->m_nWidth, c.expectW - 50);
    }
}

TEST(GroupLayout, NestedGroupsFlowTheirOwnChildren)
{
    CGroupItem outer;
    outer.m_nWidth = 400;
    outer.m_nPadding = 20;
    outer.RecalcLayout();
    CItem* inner = MakeChild(ITEM_GROUP, 0, 1, 0, 0, 0, 10, 50);
    inner->m_nPadding = 5;
    CItem* para = MakeChild(ITEM_PARAGRAPH, 0, 1, 1, 0, 0, 10, 20);
    static_cast<CGroupItem*>(inner)->AddChild(para);
    outer.AddChild(inner);
    // The inner group's insets come from its own layout, run before its children flow.
    inner->RecalcLayout();
    outer.LayoutChildren();
    EXPECT_EQ(inner->m_nWidth, 360);
    EXPECT_EQ(para->m_nWidth, 350);
}

TEST(GroupRecord, ChildrenAndVersionGates)
{
    CGroupItem group;
    group.m_nOverflow = 2;
    group.m_nZIndex = 9;
    group.m_nMaster1Id = 31;
    group.m_nMaster2Id = 32;
    CItem* text = CreateItem(ITEM_TEXT);
    text->m_strName = "t";
    group.AddChild(text);
    CItem* nested = CreateItem(ITEM_GROUP);
    static_cast<CGroupItem*>(nested)->AddChild(CreateItem(ITEM_HEADING));
    group.AddChild(nested);
    const auto bytes = StoreGroup(group, kVersionCurrent);

    CGroupItem copy;
    copy.AddChild(CreateItem(ITEM_LINK)); // replaced by the loaded children
    EXPECT_EQ(LoadGroup(copy, bytes, kVersionCurrent), 0u);
    ASSERT_EQ(copy.GetChildCount(), 2);
    EXPECT_EQ(copy.GetChild(0)->m_nType, ITEM_TEXT);
    EXPECT_EQ(copy.GetChild(0)->m_strName, "t");
    EXPECT_EQ(static_cast<CGroupItem*>(copy.GetChild(1))->GetChild(0)->m_nType, ITEM_HEADING);
    EXPECT_EQ(copy.m_nOverflow, 2);
    EXPECT_EQ(copy.m_nZIndex, 9);
    EXPECT_EQ(copy.m_nMaster1Id, 31);
    EXPECT_EQ(copy.m_nMaster2Id, 32);
    EXPECT_EQ(StoreGroup(copy, kVersionCurrent), bytes);
}

// Bytes of the gated item fields and of the link record that a bare item writes now.
constexpr size_t kGatedItemBytes = 66 + 73 + 4 + 32 + 1;
constexpr size_t kNewestEmptyLinkBytes = 12 + 7 + 4;

// An empty group's record as a file of the given version (up to 87) holds it.
std::vector<BYTE> OldGroupRecord(int version, int overflow, int z, int m2, int m1)
{
    CItem bare;
    auto item = [&] {
        CMemFile f;
        CArchive ar(&f, CArchive::store);
        bare.Serialize(ar, kVersionCurrent);
        ar.Close();
        return f.Bytes();
    }();
    item.resize(item.size() - kGatedItemBytes - kNewestEmptyLinkBytes);
    item[0] = ITEM_GROUP;
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    ar.Write(item.data(), item.size());
    if (version >= 85)
        ar << std::int32_t(z);
    if (version >= 86)
        ar << std::int32_t(0);
    ar << std::int32_t(0) << std::int32_t(0) << std::int32_t(0) << CString() << CString();
    if (version >= 85)
        ar << CString() << CString() << CString() << CString();
    if (version >= 87)
        ar << CString();
    ar << std::int32_t(0); // link title
    ar << std::int32_t(0) << std::int32_t(overflow);
    if (version >= 84)
        ar << std::int32_t(z) << std::int32_t(m2);
    if (version >= 87)
        ar << std::int32_t(m1);
    ar.Close();
    return file.Bytes();
}

TEST(GroupRecord, TailGatesOfOlderVersions)
{
    struct Case {
        int version;
        int z, m2, m1;
    } const cases[] = {{83, 0, 0, 0}, {84, 4, 6, 0}, {85, 4, 6, 0}, {86, 4, 6, 0}, {87, 4, 6, 5}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version);
        const auto bytes = OldGroupRecord(c.version, 3, 4, 6, 5);
        CGroupItem group;
        group.AddChild(CreateItem(ITEM_TEXT));
        EXPECT_EQ(LoadGroup(group, bytes, c.version), 0u);
        EXPECT_EQ(group.GetChildCount(), 0);
        EXPECT_EQ(group.m_nOverflow, 3);
        EXPECT_EQ(group.m_nZIndex, c.z);
        EXPECT_EQ(group.m_nMaster2Id, c.m2);
        EXPECT_EQ(group.m_nMaster1Id, c.m1);
    }
}

// Offset of the child count in an empty group's record.
size_t ChildCountOffset()
{
    CGroupItem probe;
    return StoreGroup(probe, kVersionCurrent).size() - 20;
}

TEST(GroupRecord, UnknownChildCodeIsAnArchiveError)
{
    for (int badCode : {0, 39, 42, 47, 999, -5}) {
        CGroupItem group;
        group.AddChild(CreateItem(ITEM_TEXT));
        auto bytes = StoreGroup(group, kVersionCurrent);
        // The child's type code follows the item part and the count.
        const size_t itemPart = ChildCountOffset();
        std::int32_t code = badCode;
        std::memcpy(bytes.data() + itemPart + 4, &code, 4);
        CGroupItem copy;
        EXPECT_THROW(LoadGroup(copy, bytes, kVersionCurrent), CArchiveException) << badCode;
    }
}

TEST(GroupRecord, CountBeyondTheDataIsAnArchiveError)
{
    CGroupItem probe;
    auto bytes = StoreGroup(probe, kVersionCurrent);
    const size_t itemPart = ChildCountOffset();
    std::int32_t count = 0x7FFFFFFF;
    std::memcpy(bytes.data() + itemPart, &count, 4);
    CGroupItem copy;
    EXPECT_THROW(LoadGroup(copy, bytes, kVersionCurrent), CArchiveException);
}

TEST(GroupRecord, NestingIsBounded)
{
    for (int depth : {kMaxGroupDepth, kMaxGroupDepth + 1}) {
        SCOPED_TRACE(depth);
        auto root = std::make_unique<CGroupItem>();
        CGroupItem* last = root.get();
        for (int i = 1; i < depth; ++i) {
            auto* child = new CGroupItem;
            last->AddChild(child);
            last = child;
        }
        const auto bytes = StoreGroup(*root, kVersionCurrent);
        CGroupItem copy;
        if (depth > kMaxGroupDepth)
            EXPECT_THROW(LoadGroup(copy, bytes, kVersionCurrent), CArchiveException);
        else
            EXPECT_EQ(LoadGroup(copy, bytes, kVersionCurrent), 0u);
    }
}

TEST(GroupRecord, ExtrasFollowTheBodyOrder)
{
    CGroupItem group;
    CItem* a = CreateItem(ITEM_TEXT);
    a->m_actions[EVENT_CLICK].AddStep().m_strCondition = "x>1";
    CItem* b = CreateItem(ITEM_TEXT);
    b->m_actions[EVENT_BLUR].AddStep().m_strCondition = "y<2";
    group.AddChild(a);
    group.AddChild(b);
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        group.Serialize(ar, kVersionCurrent);
        group.SerializeExtra(ar, kVersionCurrent);
        ar.Close();
    }
    const auto bytes = file.Bytes();
    CGroupItem copy;
    CMemFile in(bytes.data(), bytes.size());
    CArchive ar(&in, CArchive::load);
    copy.Serialize(ar, kVersionCurrent);
    copy.SerializeExtra(ar, kVersionCurrent);
    EXPECT_EQ(ar.GetRemaining(), 0u);
    EXPECT_EQ(copy.GetChild(0)->m_actions[EVENT_CLICK].GetStep(0).m_strCondition, "x>1");
    EXPECT_EQ(copy.GetChild(1)->m_actions[EVENT_BLUR].GetStep(0).m_strCondition, "y<2");
}

TEST(Group, CollectsInPreOrder)
{
    CGroupItem page;
    CItem* first = CreateItem(ITEM_GROUP);
    CItem* a = CreateItem(ITEM_TEXT);
    CItem* b = CreateItem(ITEM_LINK);
    static_cast<CGroupItem*>(first)->AddChild(a);
    static_cast<CGroupItem*>(first)->AddChild(b);
    CItem* next = CreateItem(ITEM_IMAGE);
    page.AddChild(first);
    page.AddChild(next);
    CItemList list;
    page.CollectItems(list);
    EXPECT_EQ(list, (CItemList{first, a, b, next}));
}

TEST(Group, StyleAddsOverflow)
{
    const char* const expected[] = {"overflow:hidden;", "overflow:auto;", "overflow:scroll;", "overflow:visible;", ""};
    for (int mode = 0; mode <= 4; ++mode) {
        CGroupItem group;
        group.m_pFill.reset();
        group.m_nHeightMode = group.m_nWidthMode = 1;
        group.m_bPositioned = 0;
        group.m_nOverflow = mode;
        EXPECT_EQ(group.GetStyle(), expected[mode]);
    }
}

TEST(Group, HtmlWithLinkAndChildren)
{
    CGroupItem group;
    group.m_pFill.reset();
    group.m_strName = "box";
    group.m_nWidth = 200;
    group.m_nHeight = 100;
    group.m_bPositioned = 0;
    group.m_nBlockAlign = 2;
    group.m_link.m_nKind = kLinkAddress;
    group.m_link.m_strHref = "http://example.org/";
    CGroupItem* inner = new CGroupItem;
    inner->m_pFill.reset();
    inner->m_strName = "in";
    inner->m_nHeightMode = inner->m_nWidthMode = 1;
    group.AddChild(inner);
    CPageOutput out;
    group.WriteHtml(out);
    EXPECT_EQ(out.m_strBody, "<a href=\"http://example.org/\"><div style=\"height:100px;width:200px;overflow:hidden;margin-left:auto;margin-right:auto;\" id=\"box\">\r\n"
                                 "<div style=\"position:absolute;left:0px;top:0px;overflow:hidden;\" id=\"in\">\r\n</div>\r\n</div></a>\r\n");
}

TEST(Group, SiteStylesReachEveryChildAndElementStyles)
{
    CSiteStyles styles;
    CGroupItem group;
    CItem* text = CreateItem(ITEM_TEXT);
    CItem* input = CreateItem(ITEM_INPUT_FIELD);
    CItem* area = CreateItem(ITEM_TEXT_AREA);
    CItem* pre = CreateItem(ITEM_PREFORMATTED_TEXT);
    auto* heading = new CHeadingItem;
    heading->m_nLevel = 2;
    group.AddChild(text);
    group.AddChild(input);
    group.AddChild(area);
    group.AddChild(pre);
    group.AddChild(heading);
    group.SetSiteStyles(&styles);
    EXPECT_EQ(group.m_pBaseStyle, &styles.m_base);
    EXPECT_EQ(text->m_pBaseStyle, &styles.m_base);
    EXPECT_EQ(text->m_pLinkStyle, &styles.m_link);
    EXPECT_EQ(input->m_pBaseStyle, &styles.m_styles[STYLE_INPUT_TEXT]);
    EXPECT_EQ(area->m_pBaseStyle, &styles.m_styles[STYLE_TEXTAREA]);
    EXPECT_EQ(pre->m_pBaseStyle, &styles.m_styles[STYLE_PRE]);
    EXPECT_EQ(heading->m_pBaseStyle, &styles.m_styles[STYLE_H3]);
}

TEST(Group, SelectedChildren)
{
    CGroupItem group;
    EXPECT_EQ(GetBoundingRect(group), CRect());
    CItem* a = MakeChild(ITEM_TEXT, 1, 0, 0, 10, 20, 30, 40);
    CItem* b = MakeChild(ITEM_TEXT, 1, 0, 0, 5, 50, 10, 10);
    CItem* c = MakeChild(ITEM_TEXT, 1, 0, 0, 500, 500, 10, 10);
    a->m_bSelected = b->m_bSelected = 1;
    group.AddChild(a);
    group.AddChild(b);
    group.AddChild(c);
    EXPECT_EQ(group.CountFlaggedChildren(), 2);
    EXPECT_EQ(GetBoundingRect(group), CRect(5, 20, 40, 60));
}

} // namespace

namespace {

// Damaged records (every truncation, and bytes overwritten everywhere) fail with the
// framework's archive or memory exception and never with anything else.
TEST(GroupRecord, DamagedRecordsFailCleanly)
{
    CGroupItem group;
    for (int code : {ITEM_TEXT, ITEM_PARAGRAPH, ITEM_FORM, ITEM_IMAGE, ITEM_MENU, ITEM_LINK}) {
        CItem* child = CreateItem(code);
        child->m_strText = "text";
        child->m_actions[EVENT_CLICK].AddStep().m_strTarget = "t";
        group.AddChild(child);
    }
    const auto good = StoreGroup(group, kVersionCurrent);
    int failures = 0;
    auto tryLoad = [&](const std::vector<BYTE>& bytes) {
        CGroupItem copy;
        try {
            LoadGroup(copy, bytes, kVersionCurrent);
        } catch (const CArchiveException&) {
            ++failures;
        } catch (const CMemoryException&) {
            ++failures;
        }
    };
    for (size_t n = 0; n < good.size(); ++n)
        tryLoad(std::vector<BYTE>(good.begin(), good.begin() + long(n)));
    EXPECT_EQ(failures, int(good.size())); // every cut record is short
    for (size_t i = 0; i < good.size(); ++i) {
        for (BYTE value : {BYTE(0xFF), BYTE(0x80)}) {
            auto bytes = good;
            bytes[i] = value;
            tryLoad(bytes);
        }
    }
}

} // namespace

namespace {

// The gaps a flowing page leaves under each child, with the page's text style giving
// 12 pixels below text blocks, as the stylesheet does.
struct FlowGaps {
    CTextStyle style;
    CGroupItem page;
    FlowGaps()
    {
        dctest::EnsureGuiApplication();
        style.m_strFamily = "Verdana";
        style.m_nSize = 12;
        style.m_nMarginBottom = 12;
        page.m_pBaseStyle = &style;
        page.m_nWidth = 600;
    }
    CItem* Add(int type, int height)
    {
        CItem* c = MakeChild(type, 0, 0, 0, 0, 0, 100, height);
        c->m_pBaseStyle = &style;
        c->CItem::RecalcLayout(); // the margins of its style, its size kept
        page.AddChild(c);
        return c;
    }
};

} // namespace

TEST(GroupLayout, FlowLeavesTheGapsThePageLeaves)
{
    // Text blocks take their style's margin; a span in its block and a picture on its text
    // line take none, a picture keeps the line's descent below it.
    FlowGaps f;
    CItem* text = f.Add(ITEM_TEXT, 19);
    CItem* paragraph = f.Add(ITEM_PARAGRAPH, 24);
    CItem* picture = f.Add(ITEM_IMAGE, 100);
    CItem* dot = f.Add(ITEM_IMAGE, 1);
    CItem* last = f.Add(ITEM_PARAGRAPH, 24);
    f.page.RecalcLayout();
    EXPECT_EQ(paragraph->m_nY, text->m_nY + 19);
    EXPECT_EQ(picture->m_nY, paragraph->m_nY + 24 + 12);
    // Under the dot's line, the text's descent; the dot stands on the line's baseline, the
    // line's ascent (less its own pixel) below the line's top, which is the picture's own
    // descent below the picture.
    const int descent = last->m_nY - (dot->m_nY + 1);
    EXPECT_GT(descent, 0);
    EXPECT_LT(descent, 8);
    const int ascent = dot->m_nY + 1 - (picture->m_nY + 100 + descent);
    EXPECT_GT(ascent, 8) << "a 1-pixel picture stands on the baseline, not at the line's top";
    EXPECT_LT(ascent, 24);
}
