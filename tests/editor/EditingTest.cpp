// Editing on the canvas with the mouse and the keys: hit testing, the drag modes, the
// keys, the context menu's choice and undo of every change made here.
#include "EditingFixture.h"

#include "document/EditScope.h"
#include "editor/ViewContextMenu.h"
#include "model/HeaderFooterItem.h"
#include "model/ItemTypes.h"
#include "model/items/ImageItem.h"
#include "model/items/SliderItem.h"
#include "resources/CommandIds.h"

#include <gtest/gtest.h>
#include <QtWidgets/QWidget>
#include <functional>

using namespace edtest;

namespace {

CRect RectOf(const CItem* item) { return item->GetRect(); }

TEST(Editing, HitTable)
{
    EditCanvas c;
    CHeaderFooterItem* header = AddBand(c.doc, true, 600, 80, RGB(200, 200, 200));
    c.page->m_pHeaderBand = header;
    CItem* a = c.Add(ITEM_GROUP, 100, 100, 200, 100);
    CItem* b = c.Add(ITEM_GROUP, 250, 150, 100, 50);
    CItem* n = c.Add(ITEM_GROUP, 295, 195, 60, 60);
    a->m_bSelected = 1;
    auto guide = std::make_unique<CGuide>();
    guide->m_bVertical = 1;
    guide->m_nPosition = 450;
    CGuide* g = guide.get();
    c.doc.m_guides.push_back(std::move(guide));
    c.doc.m_bShowGuides = 1;
    const struct {
        int x, y;
        CItem* item;
        int handle, edge;
        bool guide, band;
    } cases[] = {
        {100, 100, a, 0, 0, false, false},   // top-left corner is inside
        {299, 149, a, 0, 0, false, false},   // last unit inside
        {300, 120, nullptr, 0, 0, false, false}, // right edge is outside
        {260, 160, b, 0, 0, false, false},   // the later child wins
        {303, 203, a, 4, 0, false, false},   // a handle wins over the neighbour under it
        {5, 300, nullptr, 0, 3, false, false},
        {595, 300, nullptr, 0, 4, false, false},
        {200, 5, nullptr, 0, 1, false, false},
        {200, 395, nullptr, 0, 2, false, false},
        {5, 5, nullptr, 0, 3, false, false},     // corners report 3 or 4
        {595, 395, nullptr, 0, 4, false, false},
        {595, 5, nullptr, 0, 4, false, false},
        {5, 395, nullptr, 0, 3, false, false},
        {454, 300, nullptr, 0, 0, true, false},  // guide reach: 4 in
        {446, 300, nullptr, 0, 0, true, false},
        {455, 300, nullptr, 0, 0, false, false}, // 5 out
        {50, -10, nullptr, 0, 0, false, true},   // header band above the page
        {50, -81, nullptr, 0, 0, false, false},
    };
    (void)n;
    for (const auto& k : cases) {
        c.view().HitTest(c.view().PageToClient(CPoint(k.x, k.y)));
        EXPECT_EQ(c.view().m_pHoverItem, k.item) << k.x << "," << k.y;
        EXPECT_EQ(c.view().m_nHoverHandle, k.handle) << k.x << "," << k.y;
        EXPECT_EQ(c.view().m_nHoverPageEdge, k.edge) << k.x << "," << k.y;
        EXPECT_EQ(c.view().m_pHoverGuide, k.guide ? g : nullptr) << k.x << "," << k.y;
        EXPECT_EQ(c.view().m_pHoverBand, k.band ? header : nullptr) << k.x << "," << k.y;
    }
}

TEST(Editing, FourUnitsStayPressedTheFifthMoves)
{
    EditCanvas c;
    CItem* item = c.Add(ITEM_GROUP, 100, 100);
    c.Press(120, 120);
    EXPECT_EQ(c.view().m_drag.mode, 2);
    EXPECT_TRUE(item->m_bSelected);
    c.Move(124, 116);
    EXPECT_EQ(c.view().m_drag.mode, 2);
    c.Move(125, 120);
    EXPECT_EQ(c.view().m_drag.mode, 3);
    c.Move(125, 120); // the outline's text comes with the moves of mode 3
    EXPECT_EQ(c.f->frame.rulerText, CString("L: 105, T: 100, R: 205, B: 150  [ 100 x 50 ]  X: +5, Y: +, "));
    c.Release(125, 120);
    EXPECT_EQ(c.view().m_drag.mode, 0);
    EXPECT_EQ(RectOf(item), CRect(105, 100, 205, 150));
    EXPECT_TRUE(c.doc.IsModified());

    // a release in mode 2 changes nothing
    c.Press(120, 120);
    c.Move(123, 123);
    c.Release(123, 123);
    EXPECT_EQ(RectOf(item), CRect(105, 100, 205, 150));
}

TEST(Editing, ShiftLocksTheAxisAndCtrlCopies)
{
    EditCanvas c;
    CItem* item = c.Add(ITEM_GROUP, 100, 100);
    c.Drag(120, 120, 150, 130, Qt::ShiftModifier);
    EXPECT_EQ(RectOf(item), CRect(130, 100, 230, 150));
    c.Drag(140, 120, 144, 160, Qt::ShiftModifier);
    EXPECT_EQ(RectOf(item), CRect(130, 140, 230, 190));

    const int before = c.page->GetChildCount();
    c.Drag(140, 150, 240, 250, Qt::ControlModifier);
    ASSERT_EQ(c.page->GetChildCount(), before + 1);
    CItem* copy = c.page->GetChild(before);
    EXPECT_EQ(RectOf(item), CRect(130, 140, 230, 190)) << "the original stays";
    EXPECT_EQ(RectOf(copy), CRect(230, 240, 330, 290));
    EXPECT_TRUE(copy->m_bSelected);
    EXPECT_FALSE(item->m_bSelected);
    EXPECT_NE(copy->m_nSerial, item->m_nSerial);
}

TEST(Editing, HandleResizeTable)
{
    const struct {
        const char* what;
        CRect start;
        CPoint press, to;
        Qt::KeyboardModifiers mods;
        CRect expected;
    } cases[] = {
        {"ratio 3 > 2: width follows height", {100, 100, 300, 200}, {303, 203}, {400, 200}, Qt::NoModifier, {100, 100, 300, 200}},
        {"ratio 1.5 < 2: height follows width", {100, 100, 300, 200}, {303, 203}, {400, 300}, Qt::NoModifier, {100, 100, 400, 250}},
        {"right edge", {100, 100, 300, 200}, {303, 150}, {350, 150}, Qt::NoModifier, {100, 100, 350, 200}},
        {"right edge with Shift mirrors", {100, 100, 300, 200}, {303, 150}, {350, 150}, Qt::ShiftModifier, {50, 100, 350, 200}},
        {"bottom edge with Shift mirrors", {100, 100, 300, 200}, {200, 203}, {200, 220}, Qt::ShiftModifier, {100, 80, 300, 220}},
        {"past the opposite edge", {100, 100, 300, 200}, {303, 150}, {40, 150}, Qt::NoModifier, {40, 100, 100, 200}},
        {"top-left past the bottom-right", {100, 100, 300, 200}, {96, 96}, {350, 250}, Qt::NoModifier, {300, 200, 350, 225}},
        {"zero start width keeps no ratio", {100, 100, 100, 200}, {103, 203}, {150, 250}, Qt::NoModifier, {100, 100, 150, 250}},
        {"zero start height keeps no ratio", {100, 100, 300, 100}, {303, 103}, {350, 160}, Qt::NoModifier, {100, 100, 350, 160}},
    };
    for (const auto& k : cases) {
        EditCanvas c;
        CItem* item = c.Add(ITEM_GROUP, k.start.left, k.start.top, k.start.Width(), k.start.Height());
        item->m_bSelected = 1;
        c.Press(k.press.x, k.press.y, k.mods);
        ASSERT_EQ(c.view().m_drag.mode, 4) << k.what;
        c.Move(k.to.x, k.to.y, k.mods);
        EXPECT_EQ(c.f->frame.rulerText, CString::Formatted("%d x %d", k.expected.Width(), k.expected.Height())) << k.what;
        if (k.mods == Qt::ShiftModifier && k.press.y == 150)
            SaveScreenshot(c.view().DragFeedbackImage(), "resize-rectangle");
        c.Release(k.to.x, k.to.y, k.mods);
        EXPECT_EQ(RectOf(item), k.expected) << k.what;
        EXPECT_GE(item->m_nWidth, 0);
        EXPECT_GE(item->m_nHeight, 0);
    }
}

TEST(Editing, RubberBandSelectsWhatLiesWhollyInside)
{
    EditCanvas c;
    CItem* p = c.Add(ITEM_GROUP, 100, 100, 50, 40);
    CItem* q = c.Add(ITEM_GROUP, 200, 100, 50, 50);
    c.Drag(90, 90, 250, 150);
    EXPECT_TRUE(p->m_bSelected);
    EXPECT_FALSE(q->m_bSelected) << "touching the band's right and bottom edge is outside";
    c.Drag(90, 90, 251, 151);
    EXPECT_TRUE(p->m_bSelected);
    EXPECT_TRUE(q->m_bSelected);
    EXPECT_FALSE(c.doc.IsModified()) << "selecting is no change";
}

TEST(Editing, ShiftClickTogglesOnlyThatItem)
{
    EditCanvas c;
    CItem* p = c.Add(ITEM_GROUP, 100, 100, 50, 50);
    CItem* q = c.Add(ITEM_GROUP, 200, 100, 50, 50);
    p->m_bSelected = q->m_bSelected = 1;
    c.Press(120, 120, Qt::ShiftModifier);
    c.Release(120, 120, Qt::ShiftModifier);
    EXPECT_FALSE(p->m_bSelected);
    EXPECT_TRUE(q->m_bSelected);
    c.Press(400, 300, Qt::ShiftModifier);
    c.Release(400, 300, Qt::ShiftModifier);
    EXPECT_FALSE(p->m_bSelected);
    EXPECT_TRUE(q->m_bSelected);
    c.Press(120, 120, Qt::ShiftModifier);
    c.Release(120, 120, Qt::ShiftModifier);
    EXPECT_TRUE(p->m_bSelected);
}

TEST(Editing, CtrlOnAnEdgeResizesTheContainer)
{
    EditCanvas c;
    c.Press(595, 200, Qt::ControlModifier);
    ASSERT_EQ(c.view().m_drag.mode, 7);
    c.Move(700, 220, Qt::ControlModifier);
    c.Release(700, 220, Qt::ControlModifier);
    EXPECT_EQ(c.page->m_nWidth, 700);
    EXPECT_EQ(c.page->m_nHeight, 400);
    c.Press(300, 395, Qt::ControlModifier);
    c.Move(300, 450, Qt::ControlModifier);
    c.Release(300, 450, Qt::ControlModifier);
    EXPECT_EQ(c.page->m_nHeight, 450);
}

CImageItem* AddImage(EditCanvas& c, int x, int y, int w, int h)
{
    auto* image = static_cast<CImageItem*>(c.Add(ITEM_IMAGE, x, y, w, h));
    image->m_picture.Create(w, h);
    image->m_nRenderWidth = w;
    image->m_nRenderHeight = h;
    image->Render(0);
    image->RecalcLayout();
    return image;
}

TEST(Editing, CtrlOnAnImageHandleCrops)
{
    EditCanvas c;
    CImageItem* image = AddImage(c, 100, 100, 100, 50);
    image->m_bSelected = 1;
    c.Press(203, 153, Qt::ControlModifier);
    ASSERT_EQ(c.view().m_drag.mode, 5);
    c.Move(160, 130, Qt::ControlModifier);
    EXPECT_EQ(c.view().m_nCursor, UINT(IDC_CURSOR_CROP));
    c.Release(160, 130, Qt::ControlModifier);
    EXPECT_EQ(image->m_picture.GetWidth(), 60);
    EXPECT_EQ(image->m_picture.GetHeight(), 30);
    EXPECT_EQ(RectOf(image), CRect(100, 100, 160, 130));
}

// Three flowing children and an absolute one; the page laid out.
struct FlowPage : FlowCanvas {
    CItem* x;
    FlowPage()
    {
        x = Add(ITEM_GROUP, 400, 300, 50, 30);
        LayOut();
    }
};

TEST(Editing, ADropIntoTheFlowPutsTheItemAfterTheZonesItem)
{
    FlowPage c;
    c.Press(410, 310);
    ASSERT_EQ(c.view().m_dragOutlines.size(), 4u);
    // the dragged top-left onto the zone under the first flowing child
    const int tx = c.f1->m_nX + 10, ty = c.f1->m_nY + c.f1->m_nHeight;
    c.Move(410 + (tx - 400) / 2, 310 + (ty - 300) / 2);
    c.Move(410 + tx - 400, 310 + ty - 300);
    int hot = 0;
    for (const auto& zone : c.view().m_dragOutlines)
        hot += zone.hot;
    EXPECT_EQ(hot, 1);
    c.Release(410 + tx - 400, 310 + ty - 300);
    EXPECT_EQ(c.Order(), (std::vector<CItem*>{c.f1, c.x, c.f2, c.f3}));
    EXPECT_EQ(c.x->m_bPositioned, 0);
}

TEST(Editing, PlacingFollowsTheMouseUntilAClick)
{
    EditCanvas c;
    CItem* item = CreateItem(ITEM_GROUP);
    item->m_nWidth = 100;
    item->m_nHeight = 50;
    c.view().AddItemToPage(item, true);
    EXPECT_EQ(RectOf(item), CRect(250, 175, 350, 225)) << "centred";
    EXPECT_EQ(c.view().m_drag.mode, 8);
    EXPECT_TRUE(c.view().m_dragOutlines.empty());
    c.Hover(100, 100);
    EXPECT_EQ(c.view().m_drag.mode, 8);
    EXPECT_EQ(RectOf(item), CRect(250, 175, 350, 225)) << "nothing moves before the click";
    c.Press(100, 100);
    EXPECT_EQ(c.view().m_drag.mode, 3);
    c.Release(100, 100);
    EXPECT_EQ(c.view().m_drag.mode, 0);
    EXPECT_EQ(RectOf(item), CRect(50, 75, 150, 125)) << "the item's centre where the click was";
}

TEST(Editing, BackBoxAndSliderTabs)
{
    EditCanvas c;
    auto* box = static_cast<CGroupItem*>(c.Add(ITEM_GROUP, 50, 50, 300, 200));
    c.view().EnterContainer(box);
    c.Press(300 - 8, -10);
    c.Release(300 - 8, -10);
    EXPECT_EQ(c.view().m_pContainer, c.page);

    auto* slider = static_cast<CSliderItem*>(c.Add(ITEM_SLIDER, 50, 50, 300, 200));
    for (int i = 0; i < 2; ++i) {
        auto frame = std::make_unique<CGroupItem>();
        frame->m_nWidth = 300;
        frame->m_nHeight = 200;
        slider->m_frames.push_back(std::move(frame));
    }
    c.view().EnterContainer(slider);
    c.Press(22, 210); // the gap right of tab 1
    c.Release(22, 210);
    EXPECT_EQ(c.view().m_pContainer, slider->m_frames[0].get());
    c.view().LeaveContainer();
    c.Press(30, 210);
    c.Release(30, 210);
    EXPECT_EQ(c.view().m_pContainer, slider->m_frames[1].get());
}

TEST(Editing, ArrowKeysNudgeTheSelection)
{
    const struct { int key; Qt::KeyboardModifiers mods; int dx, dy; } cases[] = {
        {Qt::Key_Left, Qt::NoModifier, -1, 0},   {Qt::Key_Right, Qt::NoModifier, 1, 0},
        {Qt::Key_Up, Qt::NoModifier, 0, -1},     {Qt::Key_Down, Qt::NoModifier, 0, 1},
        {Qt::Key_Left, Qt::ShiftModifier, -10, 0}, {Qt::Key_Down, Qt::ShiftModifier, 0, 10},
    };
    for (const auto& k : cases) {
        EditCanvas c;
        CItem* item = c.Add(ITEM_GROUP, 100, 100);
        item->m_bSelected = 1;
        c.Key(k.key, k.mods);
        EXPECT_EQ(item->m_nX, 100 + k.dx) << k.key;
        EXPECT_EQ(item->m_nY, 100 + k.dy) << k.key;
    }
}

TEST(Editing, EnterPostsItemPropertiesAndDoubleClickEntersGroups)
{
    EditCanvas c;
    CItem* item = c.Add(ITEM_PARAGRAPH, 100, 100);
    CItem* box = c.Add(ITEM_GROUP, 300, 100);
    int properties = 0;
    c.view().OnCommand(ID_ITEM_PROPERTIES, [&] { ++properties; });
    item->m_bSelected = 1;
    c.Key(Qt::Key_Return);
    EXPECT_EQ(properties, 0) << "posted, not run at once";
    QCoreApplication::processEvents();
    EXPECT_EQ(properties, 1);
    c.DoubleClick(120, 120);
    QCoreApplication::processEvents();
    EXPECT_EQ(properties, 2);
    c.DoubleClick(320, 120);
    EXPECT_EQ(c.view().m_pContainer, box);
}

TEST(Editing, RightClickPopupTable)
{
    EditCanvas c;
    c.view().m_bContextMenuModal = false;
    c.Add(ITEM_PARAGRAPH, 100, 100);
    CItem* image = c.Add(ITEM_IMAGE, 300, 100);
    CItem* like = c.Add(ITEM_LIKE_BUTTON, 100, 250);
    auto* box = static_cast<CGroupItem*>(c.Add(ITEM_GROUP, 400, 250, 150, 100));
    const struct { int x, y; int popup; } onPage[] = {
        {120, 120, ITEM_PARAGRAPH + int(POPUP_ITEM_OFFSET)},
        {320, 120, ITEM_IMAGE + int(POPUP_ITEM_OFFSET)},
        {420, 260, ITEM_GROUP + int(POPUP_ITEM_OFFSET)},
        {300, 380, POPUP_PAGE},
        {-100, 100, POPUP_SURFACE},
        {700, 100, POPUP_SURFACE},
    };
    for (const auto& k : onPage) {
        c.view().m_nLastContextPopup = -1;
        c.Press(k.x, k.y, Qt::NoModifier, Qt::RightButton);
        EXPECT_EQ(c.view().m_nLastContextPopup, k.popup) << k.x << "," << k.y;
    }
    EXPECT_FALSE(image->m_bSelected);
    c.view().m_nLastContextPopup = -1;
    c.Press(120, 260, Qt::NoModifier, Qt::RightButton);
    EXPECT_EQ(c.view().m_nLastContextPopup, -1) << "a Like item shows no menu";
    EXPECT_TRUE(like->m_bSelected);
    c.view().EnterContainer(box);
    c.Press(50, 50, Qt::NoModifier, Qt::RightButton);
    EXPECT_EQ(c.view().m_nLastContextPopup, int(POPUP_INSIDE_BOX));
}

// Every change made here, undone, gives the page's record back.
TEST(Editing, UndoGivesTheFlowingContainerBack)
{
    struct Case {
        const char* what;
        std::function<void(FlowPage&)> prepare, act;
    };
    auto selectX = [](FlowPage& c) { c.x->m_bSelected = 1; };
    const Case cases[] = {
        {"move", selectX, [](FlowPage& c) { c.Drag(410, 310, 450, 340); }},
        {"move of a flowing item", [](FlowPage& c) { c.f2->m_bSelected = 1; },
         [](FlowPage& c) { c.Drag(c.f2->m_nX + 10, c.f2->m_nY + 10, 300, 300); }},
        {"flow drop", selectX, [](FlowPage& c) {
             const int tx = c.f1->m_nX + 10, ty = c.f1->m_nY + c.f1->m_nHeight;
             c.Drag(410, 310, 410 + tx - 400, 310 + ty - 300);
         }},
        {"ctrl copy", selectX, [](FlowPage& c) { c.Drag(410, 310, 480, 350, Qt::ControlModifier); }},
        {"ctrl copy into the flow", selectX, [](FlowPage& c) {
             const int tx = c.f2->m_nX + 10, ty = c.f2->m_nY + c.f2->m_nHeight;
             c.Drag(410, 310, 410 + tx - 400, 310 + ty - 300, Qt::ControlModifier);
         }},
        {"resize", selectX, [](FlowPage& c) {
             c.Press(453, 333);
             c.Move(500, 400);
             c.Release(500, 400);
         }},
        {"resize of a flowing item", [](FlowPage& c) { c.f1->m_bSelected = 1; }, [](FlowPage& c) {
             const int r = c.f1->m_nX + c.f1->m_nWidth, mid = c.f1->m_nY + c.f1->m_nHeight / 2;
             c.Press(r + 3, mid);
             c.Move(r + 53, mid);
             c.Release(r + 53, mid);
         }},
        {"container resize", [](FlowPage&) {}, [](FlowPage& c) {
             c.Press(595, 100, Qt::ControlModifier);
             c.Move(650, 100, Qt::ControlModifier);
             c.Release(650, 100, Qt::ControlModifier);
         }},
        {"arrow run", selectX, [](FlowPage& c) {
             c.Key(Qt::Key_Right);
             c.Key(Qt::Key_Right);
             c.Key(Qt::Key_Down, Qt::ShiftModifier);
         }},
    };
    for (const auto& k : cases) {
        FlowPage c;
        k.prepare(c);
        const std::vector<BYTE> before = RecordBytes(*c.page);
        k.act(c);
        ASSERT_EQ(c.doc.m_undo.GetCount(), 1u) << k.what;
        EXPECT_NE(RecordBytes(*c.page), before) << k.what;
        c.Undo();
        EXPECT_EQ(c.doc.m_undo.GetCount(), 0u) << k.what;
        EXPECT_EQ(FirstDifference(RecordBytes(*c.page), before), -1) << k.what;
    }
}

TEST(Editing, UndoRestoresTheExactRecord)
{
    // Each change's record is compared with the one taken just before the change
    const struct {
        const char* what;
        int mode;
    } cases[] = {{"move", 3}, {"resize", 4}, {"crop", 5}, {"container", 7}, {"ctrl copy", 33}, {"arrows", 0}};
    for (const auto& k : cases) {
        EditCanvas c;
        CItem* flow = c.Add(ITEM_GROUP, 0, 0, 200, 40, false);
        (void)flow;
        CImageItem* image = AddImage(c, 100, 200, 100, 50);
        c.LayOut();
        ASSERT_EQ(image->GetRect(), CRect(100, 200, 200, 250));
        image->m_bSelected = 1;
        const std::vector<BYTE> before = RecordBytes(*c.page);
        switch (k.mode) {
        case 3: c.Drag(150, 220, 190, 260); break;
        case 33: c.Drag(150, 220, 190, 260, Qt::ControlModifier); break;
        case 4:
            c.Press(203, 253);
            c.Move(250, 300);
            c.Release(250, 300);
            break;
        case 5:
            c.Press(203, 253, Qt::ControlModifier);
            c.Move(180, 240, Qt::ControlModifier);
            c.Release(180, 240, Qt::ControlModifier);
            break;
        case 7:
            c.Press(300, 395, Qt::ControlModifier);
            c.Move(300, 500, Qt::ControlModifier);
            c.Release(300, 500, Qt::ControlModifier);
            // the press on empty space deselected nothing: Ctrl edges leave the selection
            break;
        default:
            c.Key(Qt::Key_Left);
            c.Key(Qt::Key_Up, Qt::ShiftModifier);
            c.Key(Qt::Key_Left);
            break;
        }
        ASSERT_EQ(c.doc.m_undo.GetCount(), 1u) << k.what;
        EXPECT_NE(RecordBytes(*c.page), before) << k.what;
        c.Undo();
        EXPECT_EQ(FirstDifference(RecordBytes(*c.page), before), -1) << k.what;
    }
}

TEST(Editing, UndoInMidDragEndsTheDrag)
{
    FlowPage c;
    c.x->m_bSelected = 1;
    c.Key(Qt::Key_Right); // something to undo
    c.Press(411, 310);
    c.Move(450, 350);
    ASSERT_EQ(c.view().m_drag.mode, 3);
    c.Undo();
    EXPECT_EQ(c.view().m_drag.mode, 0);
    EXPECT_NE(QWidget::mouseGrabber(), &c.view());
    EXPECT_EQ(c.view().m_pHoverItem, nullptr);
    c.Move(470, 360);
    c.Release(470, 360);
    EXPECT_EQ(c.doc.m_undo.GetCount(), 0u) << "the ended drag commits nothing";

    // the hovered item deleted, then undo: no pointer to it is followed
    // the undo read the page's record again: its children are new objects
    CItem* f2 = c.page->GetChild(1);
    c.Hover(f2->m_nX + 5, f2->m_nY + 5);
    ASSERT_EQ(c.view().m_pHoverItem, f2);
    {
        CEditScope scope(c.doc, c.page, c.page, nullptr, "Delete");
        delete c.page->DetachChild(f2);
    }
    c.Undo();
    EXPECT_EQ(c.view().m_pHoverItem, nullptr);
    c.Hover(300, 300);
    c.Key(Qt::Key_Tab);
}

TEST(Editing, TheDragShowsTheImageKeptAtItsStart)
{
    EditCanvas c;
    CGroupItem* box = AddBox(*c.page, 100, 100, 100, 50, RGB(255, 0, 0));
    box->m_bPositioned = 1;
    c.Press(120, 120);
    c.Move(200, 200);
    ASSERT_EQ(c.view().m_drag.mode, 3);
    c.Move(200, 200);
    // the outline: the dotted rectangle of the moved bounds, inverted over the image
    const QImage outline = c.view().DragFeedbackImage();
    EXPECT_EQ(ViewFixture::At(outline, c.view(), 180, 180), qRgb(0, 0, 0)) << "white page inverted";
    EXPECT_EQ(ViewFixture::At(outline, c.view(), 181, 180), qRgb(255, 255, 255)) << "dotted";
    EXPECT_EQ(ViewFixture::At(outline, c.view(), 150, 125), qRgb(255, 0, 0));
    SaveScreenshot(outline, "drag-outline");
    // a model change during the drag is not painted until the release: the kept image is
    box->m_nX = 400;
    const QImage during = c.view().DragFeedbackImage();
    EXPECT_EQ(ViewFixture::At(during, c.view(), 150, 125), qRgb(255, 0, 0));
    c.Release(200, 200);
    const QImage after = c.view().DragFeedbackImage();
    EXPECT_EQ(ViewFixture::At(after, c.view(), 490, 190), qRgb(255, 0, 0));
    EXPECT_EQ(ViewFixture::At(after, c.view(), 150, 125), qRgb(255, 255, 255));
}

} // namespace

namespace {

TEST(Editing, AnArrowRunIsOneStepUntilAnotherKeyPressOrCommand)
{
    const struct {
        const char* what;
        std::function<void(EditCanvas&)> between;
        size_t steps;
    } cases[] = {
        {"arrows only", [](EditCanvas&) {}, 1},
        {"Shift alone keeps the run", [](EditCanvas& c) { c.Key(Qt::Key_Shift); }, 1},
        {"another key", [](EditCanvas& c) { c.Key(Qt::Key_A); }, 2},
        {"a press", [](EditCanvas& c) {
             c.Press(120, 120);
             c.Release(120, 120);
         }, 2},
        {"a command", [](EditCanvas& c) { ExecuteCommand(&c.view(), ID_VIEW_CENTER); }, 2},
    };
    for (const auto& k : cases) {
        EditCanvas c;
        CItem* item = c.Add(ITEM_GROUP, 100, 100);
        item->m_bSelected = 1;
        c.Key(Qt::Key_Right);
        c.Key(Qt::Key_Right);
        k.between(c);
        c.Key(Qt::Key_Down);
        EXPECT_EQ(c.doc.m_undo.GetCount(), k.steps) << k.what;
        EXPECT_EQ(item->GetRect(), CRect(102, 101, 202, 151)) << k.what;
    }
}

TEST(Editing, ADragEndsWhenTheContainerChanges)
{
    const struct {
        const char* what;
        std::function<void(EditCanvas&, CGroupItem*)> change;
    } cases[] = {
        {"enter", [](EditCanvas& c, CGroupItem* box) { c.view().EnterContainer(box); }},
        {"same page again", [](EditCanvas& c, CGroupItem*) { c.view().SetCurrentPage(c.page); }},
        {"update hint", [](EditCanvas& c, CGroupItem*) { c.view().OnUpdate(nullptr, HINT_REPAINT, nullptr); }},
    };
    for (const auto& k : cases) {
        EditCanvas c;
        auto* box = static_cast<CGroupItem*>(c.Add(ITEM_GROUP, 100, 100, 200, 100));
        c.Press(150, 150);
        c.Move(200, 200);
        ASSERT_EQ(c.view().m_drag.mode, 3) << k.what;
        k.change(c, box);
        EXPECT_EQ(c.view().m_drag.mode, 0) << k.what;
        EXPECT_EQ(c.view().m_drag.item, nullptr) << k.what;
        EXPECT_EQ(c.view().m_pHoverItem, nullptr) << k.what;
        EXPECT_TRUE(c.view().m_dragOutlines.empty()) << k.what;
        EXPECT_NE(QWidget::mouseGrabber(), &c.view()) << k.what;
        c.Release(200, 200);
        EXPECT_EQ(c.doc.m_undo.GetCount(), 0u) << k.what;
    }
}

} // namespace
