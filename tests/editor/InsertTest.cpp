// Where a new item goes: into the flow at the place chosen in "Create new item", or
// absolutely, centred, following the mouse until the next click.
#include "EditingFixture.h"

#include "dialogs/CreateItemDialog.h"
#include "document/EditScope.h"
#include "model/ItemTypes.h"

#include <gtest/gtest.h>
#include <QtWidgets/QWidget>

using namespace edtest;

namespace {

CItem* NewBox(int w = 100, int h = 50)
{
    CItem* item = CreateItem(ITEM_GROUP);
    item->m_nWidth = w;
    item->m_nHeight = h;
    return item;
}

using FlowInsert = FlowCanvas;

// Answers "Create new item" with a choice (or cancels with -1), noting what it opened on.
struct Answer {
    int choice = 1;
    int shown = -1;
    bool enabled[5] = {};
    CDialog::ModalHook previous;
    explicit Answer(int c) : choice(c)
    {
        previous = CDialog::SetModalHook([this](CDialog& dlg) {
            static const int ids[5] = {DCreateItem::IDC_AT_BEGINNING, DCreateItem::IDC_AT_END,
                                       DCreateItem::IDC_BEFORE_SELECTED, DCreateItem::IDC_AFTER_SELECTED,
                                       DCreateItem::IDC_AT_XY};
            for (int i = 0; i < 5; ++i) {
                enabled[i] = dlg.GetDlgItem(ids[i])->isEnabled();
                if (dlg.IsDlgButtonChecked(ids[i]))
                    shown = i;
            }
            if (choice < 0) {
                dlg.OnCancel();
                return dlg.GetResult();
            }
            for (int i = 0; i < 5; ++i)
                dlg.CheckDlgButton(ids[i], i == choice);
            dlg.OnOK();
            return dlg.GetResult();
        });
    }
    ~Answer() { CDialog::SetModalHook(previous); }
};

TEST(Insert, WithoutAFlowTheItemIsCentredAndPlaced)
{
    EditCanvas c;
    CItem* other = c.Add(ITEM_GROUP, 10, 10);
    other->m_bSelected = 1;
    CItem* item = NewBox();
    Answer answer(0); // must not be asked
    c.view().AddItemToPage(item, true);
    EXPECT_EQ(answer.shown, -1);
    EXPECT_EQ(item->GetRect(), CRect(250, 175, 350, 225));
    EXPECT_EQ(item->m_bPositioned, 1);
    EXPECT_TRUE(item->m_bSelected);
    EXPECT_FALSE(other->m_bSelected);
    EXPECT_EQ(c.view().m_drag.mode, 8);

    // a given position is kept; no placing without place
    CItem* placed = NewBox();
    placed->m_nX = 40;
    placed->m_nY = 30;
    c.view().AddItemToPage(placed, false);
    EXPECT_EQ(placed->GetRect(), CRect(40, 30, 140, 80));
    EXPECT_EQ(c.view().m_drag.mode, 0);
}

TEST(Insert, EachChoiceGivesItsChildOrderAndIsRemembered)
{
    for (int choice = 0; choice <= 3; ++choice) {
        FlowInsert c;
        c.f2->m_bSelected = 1;
        c.view().m_nLastInsertPosition = 1;
        CItem* item = NewBox();
        {
            Answer answer(choice);
            c.view().AddItemToPage(item, true);
            EXPECT_EQ(answer.shown, 1) << "opens on the last position";
        }
        std::vector<CItem*> expected{c.f1, c.f2, c.f3};
        const int at[] = {0, 3, 1, 2};
        expected.insert(expected.begin() + at[choice], item);
        EXPECT_EQ(c.Order(), expected) << choice;
        EXPECT_EQ(item->m_bPositioned, 0);
        EXPECT_TRUE(item->m_bSelected);
        EXPECT_TRUE(c.f2->m_bSelected) << "earlier selections stay";
        EXPECT_EQ(c.view().m_drag.mode, 0) << "no placing after a flow insert";
        EXPECT_EQ(c.view().m_nLastInsertPosition, choice);
        Answer next(-1);
        c.view().AddItemToPage(NewBox(), true);
        EXPECT_EQ(next.shown, choice);
    }
}

TEST(Insert, ASelectedItemChoiceWithoutSelectionOpensOnXY)
{
    FlowInsert c;
    c.view().m_nLastInsertPosition = 2;
    CItem* item = NewBox();
    Answer answer(4);
    c.view().AddItemToPage(item, true);
    EXPECT_EQ(answer.shown, 4);
    EXPECT_FALSE(answer.enabled[2]);
    EXPECT_FALSE(answer.enabled[3]);
    EXPECT_TRUE(answer.enabled[1]);
    EXPECT_EQ(item->m_bPositioned, 1);
    EXPECT_EQ(item->GetRect(), CRect(250, 175, 350, 225));
    EXPECT_EQ(c.view().m_nLastInsertPosition, 2) << "x,y is not remembered";
    EXPECT_EQ(c.view().m_drag.mode, 8);
}

TEST(Insert, CancelInsertsAbsolutely)
{
    FlowInsert c;
    CItem* item = NewBox();
    Answer answer(-1);
    c.view().AddItemToPage(item, true);
    EXPECT_EQ(c.page->GetChildCount(), 4);
    EXPECT_EQ(c.page->GetChild(3), item);
    EXPECT_EQ(item->m_bPositioned, 1);
    EXPECT_EQ(item->GetRect(), CRect(250, 175, 350, 225));
    EXPECT_EQ(c.view().m_nLastInsertPosition, 1);
}

TEST(Insert, InsertingIsOneUndoStepWithTheCallersScope)
{
    FlowInsert c;
    c.f1->m_bSelected = 1;
    const std::vector<BYTE> before = RecordBytes(*c.page);
    {
        CEditScope scope(c.doc, c.page, c.page, nullptr, "Insert Div");
        Answer answer(3);
        c.view().AddItemToPage(NewBox(), true);
    }
    EXPECT_EQ(c.doc.m_undo.GetCount(), 1u);
    EXPECT_TRUE(c.doc.IsModified());
    c.Undo();
    EXPECT_EQ(RecordBytes(*c.page), before);
}

TEST(Insert, CreateItemDialogEnabling)
{
    const struct {
        int flow, selected, choice;
        int shown;
        bool end, before, after;
    } cases[] = {
        {0, 0, 1, 0, false, false, false}, // an empty flow opens at the beginning
        {0, 1, 3, 0, false, false, false},
        {2, 0, 1, 1, true, false, false},
        {2, 0, 3, 4, true, false, false}, // no selection: x,y
        {2, 1, 3, 3, true, true, true},
    };
    for (const auto& k : cases) {
        DCreateItem dlg;
        dlg.m_nFlowCount = k.flow;
        dlg.m_bSelected = k.selected;
        dlg.m_nChoice = k.choice;
        bool beginning = false, xy = false, end = false, before = false, after = false;
        int shown = -1;
        const CDialog::ModalHook previous = CDialog::SetModalHook([&](CDialog& d) {
            beginning = d.GetDlgItem(DCreateItem::IDC_AT_BEGINNING)->isEnabled();
            end = d.GetDlgItem(DCreateItem::IDC_AT_END)->isEnabled();
            before = d.GetDlgItem(DCreateItem::IDC_BEFORE_SELECTED)->isEnabled();
            after = d.GetDlgItem(DCreateItem::IDC_AFTER_SELECTED)->isEnabled();
            xy = d.GetDlgItem(DCreateItem::IDC_AT_XY)->isEnabled();
            const int ids[5] = {DCreateItem::IDC_AT_BEGINNING, DCreateItem::IDC_AT_END, DCreateItem::IDC_BEFORE_SELECTED,
                                DCreateItem::IDC_AFTER_SELECTED, DCreateItem::IDC_AT_XY};
            for (int i = 0; i < 5; ++i)
                if (d.IsDlgButtonChecked(ids[i]))
                    shown = i;
            if (k.flow == 2 && k.selected)
                SaveScreenshot(d.grab().toImage(), "create-new-item");
            d.OnOK();
            return d.GetResult();
        });
        EXPECT_EQ(dlg.DoModal(), IDOK);
        CDialog::SetModalHook(previous);
        EXPECT_TRUE(beginning);
        EXPECT_TRUE(xy);
        EXPECT_EQ(end, k.end) << k.flow << k.selected;
        EXPECT_EQ(before, k.before) << k.flow << k.selected;
        EXPECT_EQ(after, k.after) << k.flow << k.selected;
        EXPECT_EQ(shown, k.shown) << k.flow << k.selected << k.choice;
        EXPECT_EQ(dlg.m_nChoice, k.shown);
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Create new item"));
    }
}

TEST(Insert, CenterInContainerTruncatesTowardZero)
{
    EditCanvas c(601, 401);
    const struct { int w, h, x, y; } cases[] = {{100, 50, 250, 175}, {800, 500, -99, -49}, {601, 401, 0, 0}};
    for (const auto& k : cases) {
        std::unique_ptr<CItem> item(NewBox(k.w, k.h));
        c.view().CenterInContainer(item.get());
        EXPECT_EQ(item->m_nX, k.x) << k.w;
        EXPECT_EQ(item->m_nY, k.y) << k.w;
    }
}

} // namespace
