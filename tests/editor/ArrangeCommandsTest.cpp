// Item/Resize and the Align menu: size, position, alignment, distribution, stacking, flow
// order, the entered box's size and overlapping; each one undo step, Cancel changes nothing.
#include "CommandTestSupport.h"

#include "model/items/ImageItem.h"

#include <gtest/gtest.h>

using namespace edtest;

namespace {

std::vector<const char*> NamesOf(const CGroupItem& group)
{
    std::vector<const char*> out;
    for (const auto& child : group.GetChildren())
        out.push_back(child->m_strName.GetString());
    return out;
}

std::vector<std::string> Strings(const std::vector<const char*>& v) { return {v.begin(), v.end()}; }

// Children A, B, C, ... named by letter.
std::vector<CItem*> Lettered(EditCanvas& c, int n, bool positioned)
{
    std::vector<CItem*> out;
    for (int i = 0; i < n; ++i) {
        CItem* item = c.Add(ITEM_GROUP, 10 + 60 * i, 10, 50, 30, positioned);
        item->m_strName = CString(char('A' + i));
        out.push_back(item);
    }
    c.LayOut();
    return out;
}

} // namespace

TEST(ArrangeCommands, ResizeKeepsAPictureCentredWithTheOddPixelRight)
{
    EditCanvas c;
    CItem* gif = c.Add(ITEM_GIF, 100, 100, 101, 50);
    gif->m_nType = ITEM_GIF; // the factory's Image takes the code from its record
    gif->m_bSelected = 1;
    {
        DialogAnswer answer({{1000, "104"}, {1001, "50"}}, true, {{1002, 0}});
        ExecuteCommand(&c.view(), ID_ITEM_RESIZE);
        EXPECT_EQ(answer.opened, 1);
        EXPECT_TRUE(answer.title.Find("Resize : ") == 0) << answer.title.GetString();
    }
    EXPECT_EQ(gif->GetRect(), CRect(99, 100, 203, 150));
    EXPECT_STREQ(c.doc.m_undo.GetHead()->m_strDescription.GetString(), "Resize");
}

TEST(ArrangeCommands, ResizeOfBoxesKeepsTheTopLeftAndUndoGivesAllBack)
{
    EditCanvas c;
    CItem* a = c.Add(ITEM_GROUP, 10, 20, 100, 50);
    CItem* b = c.Add(ITEM_GROUP, 200, 30, 60, 60);
    SelectOnly(*c.page, {a, b});
    const std::vector<BYTE> before = RecordBytes(*c.page);
    {
        DialogAnswer answer({{1000, "80"}, {1001, "40"}}, true, {{1002, 0}});
        ExecuteCommand(&c.view(), ID_ITEM_RESIZE);
        EXPECT_TRUE(answer.title.Find("Size : ") == 0) << answer.title.GetString();
        EXPECT_EQ(answer.shown[1000], CString("100"));
    }
    EXPECT_EQ(a->GetRect(), CRect(10, 20, 90, 60));
    EXPECT_EQ(b->GetRect(), CRect(200, 30, 280, 70));
    // several items changed: the container's snapshot brings both back
    c.Undo();
    EXPECT_EQ(FirstDifference(RecordBytes(*c.page), before), -1);
}

TEST(ArrangeCommands, PositionMovesTheSelectionAsABlock)
{
    EditCanvas c;
    CItem* a = c.Add(ITEM_GROUP, 50, 60, 20, 20);
    CItem* b = c.Add(ITEM_GROUP, 100, 80, 20, 20);
    SelectOnly(*c.page, {a, b});
    {
        DialogAnswer answer({{1000, "10"}, {1003, "15"}});
        ExecuteCommand(&c.view(), ID_ARRANGE_POSITION);
        EXPECT_EQ(answer.shown[1000], CString("50"));
        EXPECT_EQ(answer.shown[1003], CString("60"));
    }
    EXPECT_EQ(a->GetRect().TopLeft(), CPoint(10, 15));
    EXPECT_EQ(b->GetRect().TopLeft(), CPoint(60, 35));
    EXPECT_STREQ(c.doc.m_undo.GetHead()->m_strDescription.GetString(), "Move To");
}

TEST(ArrangeCommands, SendToBackAndBringToFront)
{
    struct Case {
        UINT id;
        std::vector<std::string> order;
    };
    const Case cases[] = {{ID_ARRANGE_SEND_TO_BACK, {"B", "D", "A", "C"}}, {ID_ARRANGE_BRING_TO_FRONT, {"A", "C", "B", "D"}}};
    for (const Case& k : cases) {
        EditCanvas c;
        std::vector<CItem*> items = Lettered(c, 4, true);
        SelectOnly(*c.page, {items[1], items[3]});
        ExecuteCommand(&c.view(), k.id);
        EXPECT_EQ(Strings(NamesOf(*c.page)), k.order);
    }
    // a flowing child sent back leaves the flow, and the flow closes up
    FlowCanvas f;
    SelectOnly(*f.page, {f.f2});
    const int y3 = f.f3->m_nY;
    ExecuteCommand(&f.view(), ID_ARRANGE_SEND_TO_BACK);
    EXPECT_EQ(f.page->GetChild(0), f.f2);
    EXPECT_EQ(f.f2->m_bPositioned, 1);
    EXPECT_LT(f.f3->m_nY, y3);
}

TEST(ArrangeCommands, AlignmentsOfSeveralItems)
{
    struct Case {
        UINT id;
        CPoint a, b; // top-lefts after
    };
    // a: (10, 20) 40 x 20; b: (100, 60) 20 x 40; selection box (10, 20)-(120, 100)
    const Case cases[] = {
        {ID_ARRANGE_LEFT, {10, 20}, {10, 60}},    {ID_ARRANGE_CENTER, {45, 20}, {55, 60}},
        {ID_ARRANGE_RIGHT, {80, 20}, {100, 60}},  {ID_ARRANGE_TOP, {10, 20}, {100, 20}},
        {ID_ARRANGE_MIDDLE, {10, 50}, {100, 40}}, {ID_ARRANGE_BOTTOM, {10, 80}, {100, 60}},
    };
    for (const Case& k : cases) {
        EditCanvas c;
        CItem* a = c.Add(ITEM_GROUP, 10, 20, 40, 20);
        CItem* b = c.Add(ITEM_GROUP, 100, 60, 20, 40);
        SelectOnly(*c.page, {a, b});
        const std::vector<BYTE> before = RecordBytes(*c.page);
        ExecuteCommand(&c.view(), k.id);
        EXPECT_EQ(a->GetRect().TopLeft(), k.a) << k.id;
        EXPECT_EQ(b->GetRect().TopLeft(), k.b) << k.id;
        c.Undo();
        EXPECT_EQ(FirstDifference(RecordBytes(*c.page), before), -1) << k.id;
    }
}

TEST(ArrangeCommands, ALoneItemGoesToTheInnerEdgeThenTheOuter)
{
    EditCanvas c(600, 400);
    c.page->m_nPadding = 5;
    c.LayOut();
    ASSERT_EQ(c.page->m_nInset[SIDE_LEFT], 5);
    CItem* item = c.Add(ITEM_GROUP, 12, 30, 50, 20);
    item->m_bSelected = 1;
    for (int expected : {5, 0, 5}) {
        ExecuteCommand(&c.view(), ID_ARRANGE_LEFT);
        EXPECT_EQ(item->m_nX, expected);
    }
    ExecuteCommand(&c.view(), ID_ARRANGE_RIGHT);
    EXPECT_EQ(item->m_nX, 600 - 5 - 50);
    ExecuteCommand(&c.view(), ID_ARRANGE_RIGHT);
    EXPECT_EQ(item->m_nX, 600 - 50);
    ExecuteCommand(&c.view(), ID_ARRANGE_CENTER); // the full box
    EXPECT_EQ(item->m_nX, 275);
}

TEST(ArrangeCommands, CtrlLeftAlignsWhileLeftNudges)
{
    EditCanvas c;
    CItem* item = c.Add(ITEM_GROUP, 12, 30, 50, 20);
    item->m_bSelected = 1;
    c.Key(Qt::Key_Left);
    EXPECT_EQ(item->m_nX, 11);
    c.Key(Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(item->m_nX, 0);
    EXPECT_STREQ(c.doc.m_undo.GetHead()->m_strDescription.GetString(), "Align Left");
    c.Key(Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(item->m_nY, 400 - 20);
}

TEST(ArrangeCommands, AligningAFlowingItemLaysTheContainerOutAgain)
{
    FlowCanvas c;
    SelectOnly(*c.page, {c.f2});
    const int y2 = c.f2->m_nY;
    ExecuteCommand(&c.view(), ID_ARRANGE_RIGHT);
    EXPECT_EQ(c.f2->m_bPositioned, 1);
    EXPECT_EQ(c.f3->m_nY, y2); // f3 took f2's place in the flow
}

TEST(ArrangeCommands, SpaceEvenly)
{
    EditCanvas c;
    CItem* a = AddBox(*c.page, 40, 10, 20, 20, 0x0000FF);
    CItem* b = AddBox(*c.page, 10, 50, 20, 20, 0x00A000);
    CItem* d = AddBox(*c.page, 100, 90, 50, 20, 0xFF0000);
    SelectOnly(*c.page, {a, b, d});
    ExecuteCommand(&c.view(), ID_ARRANGE_SPACE_ACROSS);
    EXPECT_EQ(b->m_nX, 10);
    EXPECT_EQ(a->m_nX, 55);
    EXPECT_EQ(d->m_nX, 100);
    SaveScreenshot(c.view().RenderClient(), "space-evenly-across");
    EXPECT_STREQ(c.doc.m_undo.GetHead()->m_strDescription.GetString(), "Space Evenly Across");

    // widths beyond the box overlap evenly; the same x keeps the child order
    EditCanvas o;
    CItem* p = o.Add(ITEM_GROUP, 0, 0, 100, 10);
    CItem* q = o.Add(ITEM_GROUP, 0, 20, 100, 10);
    CItem* r = o.Add(ITEM_GROUP, 50, 40, 100, 10);
    SelectOnly(*o.page, {p, q, r});
    ExecuteCommand(&o.view(), ID_ARRANGE_SPACE_ACROSS);
    // box 0..150, widths 300: gap = -75
    EXPECT_EQ(p->m_nX, 0);
    EXPECT_EQ(q->m_nX, 25);
    EXPECT_EQ(r->m_nX, 50);
    ExecuteCommand(&o.view(), ID_ARRANGE_SPACE_DOWN);
    EXPECT_EQ(p->m_nY, 0);
    EXPECT_EQ(q->m_nY, 20);
    EXPECT_EQ(r->m_nY, 40);

    // one item: no snapshot
    SelectOnly(*o.page, {p});
    const size_t undo = o.doc.m_undo.GetCount();
    ExecuteCommand(&o.view(), ID_ARRANGE_SPACE_DOWN);
    EXPECT_EQ(o.doc.m_undo.GetCount(), undo);
}

TEST(ArrangeCommands, CenterOnPageAndFitToPage)
{
    EditCanvas c(800, 400);
    CItem* item = c.Add(ITEM_GROUP, 0, 10, 101, 20);
    item->m_bSelected = 1;
    ExecuteCommand(&c.view(), ID_ARRANGE_CENTER_ON_PAGE);
    EXPECT_EQ(item->m_nX, 350);
    EXPECT_EQ(item->m_nY, 190); // cy = 20, dy = 180

    FlowCanvas f;
    SelectOnly(*f.page, {f.f2});
    const CPoint at = f.f2->GetRect().TopLeft();
    ExecuteCommand(&f.view(), ID_ARRANGE_FIT_TO_PAGE);
    EXPECT_EQ(f.f2->m_nWidth, 600);
    EXPECT_EQ(f.f2->m_nHeight, 400);
    EXPECT_EQ(f.f2->GetRect().TopLeft(), at); // in the flow: the size only
}

TEST(ArrangeCommands, FlowAsFirstAndLast)
{
    struct Case {
        UINT id;
        std::vector<std::string> order;
    };
    const Case cases[] = {{ID_ARRANGE_FLOW_FIRST, {"B", "D", "A", "C", "E"}},
                          {ID_ARRANGE_FLOW_LAST, {"A", "C", "E", "B", "D"}}};
    for (const Case& k : cases) {
        EditCanvas c;
        std::vector<CItem*> items = Lettered(c, 5, true);
        SelectOnly(*c.page, {items[1], items[3]});
        const std::vector<BYTE> before = RecordBytes(*c.page);
        ExecuteCommand(&c.view(), k.id);
        EXPECT_EQ(Strings(NamesOf(*c.page)), k.order);
        EXPECT_EQ(items[1]->m_bPositioned, 0);
        EXPECT_EQ(items[3]->m_bPositioned, 0);
        EXPECT_EQ(items[0]->m_bPositioned, 1);
        c.Undo();
        EXPECT_EQ(FirstDifference(RecordBytes(*c.page), before), -1);
    }
}

TEST(ArrangeCommands, AddToFlowTakesASnapshot)
{
    EditCanvas c;
    std::vector<CItem*> items = Lettered(c, 3, true);
    SelectOnly(*c.page, {items[0], items[2]});
    CCmdUI ui(ID_ARRANGE_ADD_TO_FLOW);
    UpdateCommand(&c.view(), ui);
    EXPECT_TRUE(ui.m_bEnabled);
    const std::vector<BYTE> before = RecordBytes(*c.page);
    ExecuteCommand(&c.view(), ID_ARRANGE_ADD_TO_FLOW);
    EXPECT_EQ(items[0]->m_bPositioned, 0);
    EXPECT_EQ(items[1]->m_bPositioned, 1);
    EXPECT_EQ(items[2]->m_bPositioned, 0);
    CCmdUI after(ID_ARRANGE_ADD_TO_FLOW);
    UpdateCommand(&c.view(), after);
    EXPECT_FALSE(after.m_bEnabled);
    c.Undo();
    EXPECT_EQ(FirstDifference(RecordBytes(*c.page), before), -1);
}

TEST(ArrangeCommands, OverlappingSetsTheFirstItemsValueOnAll)
{
    EditCanvas c;
    std::vector<CItem*> items = Lettered(c, 3, true);
    items[0]->m_nZIndex = 7;
    SelectOnly(*c.page, {items[0], items[1], items[2]});
    {
        DialogAnswer answer({{1000, "-3"}});
        ExecuteCommand(&c.view(), ID_ARRANGE_OVERLAPPING);
        EXPECT_EQ(answer.shown[1000], CString("7"));
    }
    for (CItem* item : items) {
        EXPECT_EQ(item->m_nZIndex, -3);
        EXPECT_GE(item->GetStyle().Find("z-index:-3;"), 0) << item->GetStyle().GetString();
    }
    EXPECT_TRUE(c.doc.IsModified());
}

TEST(ArrangeCommands, BoxResizeOfAnEnteredGroup)
{
    EditCanvas c;
    CGroupItem* group = AddBox(*c.page, 20, 20, 200, 100, 0xEEEEEE);
    c.view().EnterContainer(group);
    ASSERT_EQ(c.view().m_pContainer, group);
    {
        DialogAnswer answer({{1000, "300"}, {1001, "150"}}, true, {{1002, 0}});
        ExecuteCommand(&c.view(), ID_CONTAINER_RESIZE);
    }
    EXPECT_EQ(group->m_nWidth, 300);
    EXPECT_EQ(group->m_nHeight, 150);
    EXPECT_TRUE(c.doc.IsModified());
}

TEST(ArrangeCommands, CancelInEveryDialogLeavesTheProjectAsItWas)
{
    const UINT ids[] = {ID_ITEM_RESIZE, ID_ARRANGE_POSITION, ID_ARRANGE_OVERLAPPING, ID_CONTAINER_RESIZE};
    for (UINT id : ids) {
        EditCanvas c;
        CItem* gif = c.Add(ITEM_GIF, 100, 100, 101, 50);
        CItem* box = c.Add(ITEM_GROUP, 300, 100, 50, 50);
        SelectOnly(*c.page, {gif, box});
        c.doc.SetModifiedFlag(false);
        const std::vector<BYTE> before = ProjectBytes(c.doc);
        const size_t undo = c.doc.m_undo.GetCount();
        DialogAnswer answer({{1000, "33"}, {1001, "44"}}, false);
        ExecuteCommand(&c.view(), id);
        EXPECT_EQ(answer.opened, 1) << id;
        EXPECT_EQ(FirstDifference(ProjectBytes(c.doc), before), -1) << id;
        EXPECT_EQ(c.doc.m_undo.GetCount(), undo) << id;
        EXPECT_FALSE(c.doc.IsModified()) << id;
    }
}

TEST(ArrangeCommands, UndoAfterEachCommandGivesTheContainerBack)
{
    struct Case {
        UINT id;
        std::map<int, CString> answers;
    };
    const Case cases[] = {
        {ID_ARRANGE_SEND_TO_BACK, {}},   {ID_ARRANGE_BRING_TO_FRONT, {}}, {ID_ARRANGE_LEFT, {}},
        {ID_ARRANGE_CENTER, {}},         {ID_ARRANGE_RIGHT, {}},          {ID_ARRANGE_TOP, {}},
        {ID_ARRANGE_MIDDLE, {}},         {ID_ARRANGE_BOTTOM, {}},         {ID_ARRANGE_SPACE_ACROSS, {}},
        {ID_ARRANGE_SPACE_DOWN, {}},     {ID_ARRANGE_CENTER_ON_PAGE, {}}, {ID_ARRANGE_FIT_TO_PAGE, {}},
        {ID_ARRANGE_ADD_TO_FLOW, {}},    {ID_ARRANGE_FLOW_FIRST, {}},     {ID_ARRANGE_FLOW_LAST, {}},
        {ID_ARRANGE_OVERLAPPING, {{1000, "5"}}}, {ID_ARRANGE_POSITION, {{1000, "10"}, {1003, "15"}}},
        {ID_ITEM_RESIZE, {{1000, "70"}, {1001, "30"}}}, {ID_EDIT_GROUP, {}}, {ID_EDIT_GROUP_AS_FORM, {}},
        {ID_EDIT_DELETE, {}},            {ID_EDIT_CUT, {}},               {ID_EDIT_DUPLICATE, {{1004, "2"}}},
        {ID_EDIT_PASTE, {}},             {ID_EDIT_UNGROUP, {}},
    };
    for (const Case& k : cases) {
        EditCanvas c;
        CGroupItem* d = AddBox(*c.page, 300, 200, 50, 50, 0xFF0000);
        c.Add(ITEM_GROUP, 0, 0, 100, 30, false); // unselected, between the selected
        CGroupItem* a = AddBox(*c.page, 40, 30, 60, 40, 0x0000FF);
        AddBox(*a, 5, 5, 10, 10, 0x00FF00)->m_bPositioned = 1;
        CGroupItem* b = AddBox(*c.page, 200, 100, 80, 30, 0x00FF00);
        if (k.id == ID_EDIT_UNGROUP)
            SelectOnly(*c.page, {a});
        else
            SelectOnly(*c.page, {d, a, b});
        c.LayOut();
        if (k.id == ID_EDIT_PASTE)
            ExecuteCommand(&c.view(), ID_EDIT_COPY);
        const std::vector<BYTE> before = RecordBytes(*c.page);
        const size_t undo = c.doc.m_undo.GetCount();
        {
            DialogAnswer answer(k.answers, true, {{1002, 0}});
            ExecuteCommand(&c.view(), k.id);
        }
        EXPECT_EQ(c.doc.m_undo.GetCount(), undo + 1) << k.id;
        EXPECT_NE(FirstDifference(RecordBytes(*c.page), before), -1) << k.id << " changed nothing";
        c.Undo();
        EXPECT_EQ(FirstDifference(RecordBytes(*c.page), before), -1) << k.id;
    }
}
