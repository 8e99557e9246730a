// Snapping to the grid and to guides, the flow's drop zones, and the guide commands.
#include "EditingFixture.h"

#include "dialogs/RulerDialog.h"
#include "dialogs/GridDialog.h"
#include "model/ItemTypes.h"
#include "resources/CommandIds.h"

#include <gtest/gtest.h>
#include <QtWidgets/QLineEdit>
#include <tuple>
#include <vector>

using namespace edtest;

namespace {

struct G {
    int position, vertical, horizontal;
};

void SetGuides(CKJDoc& doc, std::initializer_list<G> guides)
{
    doc.m_guides.clear();
    for (const G& g : guides) {
        auto guide = std::make_unique<CGuide>();
        guide->m_nPosition = g.position;
        guide->m_bVertical = g.vertical;
        guide->m_bHorizontal = g.horizontal;
        doc.m_guides.push_back(std::move(guide));
    }
}

std::vector<std::tuple<int, int, int>> Guides(const CKJDoc& doc)
{
    std::vector<std::tuple<int, int, int>> out;
    for (const auto& g : doc.m_guides)
        out.emplace_back(g->m_nPosition, g->m_bVertical, g->m_bHorizontal);
    return out;
}

TEST(Snapping, PointsAndRectangles)
{
    const struct {
        const char* what;
        int grid, stepX, stepY, guidesOn;
        std::initializer_list<G> guides;
        CRect in; // a point uses left and top
        CPoint point;
        CSize offset;
    } cases[] = {
        {"grid", 1, 10, 10, 0, {}, {23, 47, 123, 97}, {20, 40}, {-3, -7}},
        {"grid toward zero", 1, 10, 10, 0, {}, {-23, 5, 77, 55}, {-20, 0}, {3, -5}},
        {"guide 4 away", 0, 10, 10, 1, {{100, 1, 0}}, {104, 0, 204, 50}, {100, 0}, {-5, 0}},
        {"guide 5 away is out of the point's reach", 0, 10, 10, 1, {{100, 1, 0}}, {105, 0, 205, 50}, {105, 0}, {-6, 0}},
        {"nearest guide wins", 0, 10, 10, 1, {{100, 1, 0}, {103, 1, 0}}, {102, 0, 400, 50}, {103, 0}, {0, 0}},
        {"tie keeps the earlier", 0, 10, 10, 1, {{100, 1, 0}, {104, 1, 0}}, {102, 0, 400, 50}, {100, 0}, {-3, 0}},
        {"left edge lands left of the guide", 0, 10, 10, 1, {{200, 1, 0}}, {195, 0, 295, 50}, {195, 0}, {4, 0}},
        {"right edge lands right of the guide", 0, 10, 10, 1, {{200, 1, 0}}, {105, 0, 205, 50}, {105, 0}, {-4, 0}},
        {"horizontal guide", 0, 10, 10, 1, {{60, 0, 1}}, {0, 57, 50, 90}, {0, 60}, {0, 2}},
        {"guide with both flags", 0, 10, 10, 1, {{60, 1, 1}}, {57, 57, 90, 90}, {60, 60}, {2, 2}},
        {"guide replaces the grid", 1, 10, 10, 1, {{200, 1, 0}}, {195, 33, 295, 83}, {190, 30}, {4, -3}},
        {"guides on, none there", 1, 10, 10, 1, {}, {23, 47, 123, 97}, {20, 40}, {-3, -7}},
        {"nothing on", 0, 10, 10, 1, {}, {23, 47, 123, 97}, {23, 47}, {0, 0}},
        {"guides off", 0, 10, 10, 0, {{100, 1, 0}}, {102, 0, 202, 50}, {102, 0}, {0, 0}},
        {"damaged steps act as the smallest", 1, 0, -3, 0, {}, {23, 47, 123, 97}, {20, 45}, {-3, -2}},
        {"huge steps act as the largest", 1, 1000, 100, 0, {}, {123, 247, 223, 297}, {100, 200}, {-23, -47}},
    };
    for (const auto& k : cases) {
        EditCanvas c;
        c.doc.m_bGridOn = k.grid;
        c.doc.m_nGridX = k.stepX;
        c.doc.m_nGridY = k.stepY;
        c.doc.m_bShowGuides = k.guidesOn;
        SetGuides(c.doc, k.guides);
        EXPECT_EQ(c.view().SnapPoint(CPoint(k.in.left, k.in.top)), k.point) << k.what;
        EXPECT_EQ(c.view().SnapRect(k.in), k.offset) << k.what;
    }
}

TEST(Snapping, DropZonesOfTheFlow)
{
    EditCanvas c;
    c.page->m_nPadding = 8;
    CItem* f1 = c.Add(ITEM_GROUP, 8, 8, 200, 40, false);
    CItem* f2 = c.Add(ITEM_GROUP, 8, 48, 200, 30, false);
    c.Add(ITEM_GROUP, 300, 300, 50, 50, true);
    c.view().BuildDragOutlines();
    const auto& zones = c.view().m_dragOutlines;
    ASSERT_EQ(zones.size(), 3u);
    const struct { int l, t, r, b; CItem* item; } expected[] = {
        {8, 2, 108, 14, nullptr}, {8, 42, 108, 54, f1}, {8, 72, 108, 84, f2}};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(CRect(zones[i].left, zones[i].top, zones[i].right, zones[i].bottom),
                  CRect(expected[i].l, expected[i].t, expected[i].r, expected[i].b)) << i;
        EXPECT_EQ(zones[i].item, expected[i].item) << i;
        EXPECT_EQ(zones[i].hot, 0);
    }
    // every flowing child selected: no zone at all
    f1->m_bSelected = 1;
    f2->m_bSelected = 1;
    c.view().BuildDragOutlines();
    EXPECT_TRUE(c.view().m_dragOutlines.empty());
}

TEST(Guides, InsertRulersAndMargins)
{
    {
        EditCanvas c(800, 601);
        c.page->m_nUploadState = 2;
        ASSERT_TRUE(ExecuteCommand(&c.view(), ID_INSERT_RULERS));
        EXPECT_EQ(Guides(c.doc), (std::vector<std::tuple<int, int, int>>{{300, 0, 1}, {400, 1, 0}}));
        EXPECT_EQ(c.doc.m_bShowGuides, 1);
        EXPECT_TRUE(c.doc.IsModified());
        EXPECT_EQ(c.page->m_nUploadState, 2) << "guides are no page output";
        EXPECT_EQ(c.doc.m_undo.GetCount(), 0u);
    }
    {
        EditCanvas c(800, 600);
        c.page->m_nPadding = 10;
        SetGuides(c.doc, {{5, 1, 0}});
        ExecuteCommand(&c.view(), ID_INSERT_MARGINS);
        EXPECT_EQ(Guides(c.doc),
                  (std::vector<std::tuple<int, int, int>>{{5, 1, 0}, {10, 0, 1}, {10, 1, 0}, {590, 0, 1}, {790, 1, 0}}));
        EXPECT_EQ(c.doc.m_bShowGuides, 1);
    }
}

// Runs a Ruler command on the guide under a point, the dialog answered by answer.
template <class F> void RunRuler(EditCanvas& c, CPoint at, UINT id, F answer)
{
    c.Hover(at.x, at.y);
    const CDialog::ModalHook previous = CDialog::SetModalHook([&](CDialog& dlg) { return answer(dynamic_cast<DRuler&>(dlg)); });
    ExecuteCommand(&c.view(), id);
    CDialog::SetModalHook(previous);
}

std::vector<BYTE> ProjectBytes(CKJDoc& doc)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        doc.Serialize(ar);
        ar.Close();
    }
    return file.Bytes();
}

TEST(Guides, RulerMoveDuplicateAndDelete)
{
    EditCanvas c;
    c.doc.m_bShowGuides = 1;
    SetGuides(c.doc, {{120, 1, 0}, {300, 0, 1}});
    int shownPosition = 0, shownDuplicate = -1;
    auto accept = [&](DRuler& dlg) {
        shownPosition = dlg.GetDlgItemInt(DRuler::IDC_POSITION);
        shownDuplicate = dlg.IsDlgButtonChecked(DRuler::IDC_DUPLICATE);
        dlg.OnOK();
        return dlg.GetResult();
    };
    RunRuler(c, {122, 50}, ID_GUIDE_DUPLICATE, accept);
    EXPECT_EQ(shownPosition, 130);
    EXPECT_EQ(shownDuplicate, 1);
    EXPECT_EQ(Guides(c.doc), (std::vector<std::tuple<int, int, int>>{{120, 1, 0}, {300, 0, 1}, {130, 1, 0}}));

    RunRuler(c, {50, 302}, ID_GUIDE_MOVE, [&](DRuler& dlg) {
        EXPECT_EQ(dlg.GetDlgItemInt(DRuler::IDC_POSITION), 300);
        EXPECT_EQ(dlg.IsDlgButtonChecked(DRuler::IDC_DUPLICATE), 0);
        dlg.SetDlgItemText(DRuler::IDC_POSITION, "250");
        dlg.OnOK();
        return dlg.GetResult();
    });
    EXPECT_EQ(Guides(c.doc), (std::vector<std::tuple<int, int, int>>{{120, 1, 0}, {250, 0, 1}, {130, 1, 0}}));

    RunRuler(c, {50, 250}, ID_GUIDE_MOVE, [&](DRuler& dlg) {
        dlg.SetDlgItemText(DRuler::IDC_POSITION, "200");
        dlg.CheckDlgButton(DRuler::IDC_DUPLICATE, 1);
        dlg.OnOK();
        return dlg.GetResult();
    });
    EXPECT_EQ(Guides(c.doc),
              (std::vector<std::tuple<int, int, int>>{{120, 1, 0}, {250, 0, 1}, {130, 1, 0}, {200, 0, 1}}));

    // cancelled: the project is as it was, byte for byte
    c.doc.SetModifiedFlag(false);
    const std::vector<BYTE> before = ProjectBytes(c.doc);
    RunRuler(c, {50, 250}, ID_GUIDE_MOVE, [&](DRuler& dlg) {
        dlg.SetDlgItemText(DRuler::IDC_POSITION, "10");
        dlg.OnCancel();
        return dlg.GetResult();
    });
    EXPECT_EQ(ProjectBytes(c.doc), before);
    EXPECT_FALSE(c.doc.IsModified());

    // delete the guide under the mouse
    c.Hover(131, 50);
    ASSERT_NE(c.view().m_pHoverGuide, nullptr);
    ExecuteCommand(&c.view(), ID_GUIDE_DELETE);
    EXPECT_EQ(c.view().m_pHoverGuide, nullptr);
    EXPECT_EQ(Guides(c.doc), (std::vector<std::tuple<int, int, int>>{{120, 1, 0}, {250, 0, 1}, {200, 0, 1}}));
    EXPECT_TRUE(c.doc.IsModified());
    // no guide under the mouse: the commands are disabled and do nothing
    c.Hover(500, 380);
    CCmdUI ui(ID_GUIDE_DELETE);
    UpdateCommand(&c.view(), ui);
    EXPECT_FALSE(ui.m_bEnabled);
    ExecuteCommand(&c.view(), ID_GUIDE_DELETE);
    EXPECT_EQ(c.doc.m_guides.size(), 3u);

    // what is saved reads back as the same guides
    CKJDoc loaded;
    const std::vector<BYTE> bytes = ProjectBytes(c.doc);
    CMemFile in(bytes.data(), bytes.size());
    CArchive ar(&in, CArchive::load);
    loaded.Serialize(ar);
    EXPECT_EQ(Guides(loaded), Guides(c.doc));
}

TEST(Guides, DraggingAGuideMovesIt)
{
    EditCanvas c;
    c.doc.m_bShowGuides = 1;
    SetGuides(c.doc, {{120, 1, 0}});
    c.page->m_nUploadState = 2;
    c.Press(122, 200);
    ASSERT_EQ(c.view().m_drag.mode, 6);
    c.Move(180, 210);
    EXPECT_EQ(c.f->frame.rulerText, CString("L:180  R:420"));
    SaveScreenshot(c.view().DragFeedbackImage(), "guides-drag");
    c.Release(180, 210);
    EXPECT_EQ(Guides(c.doc), (std::vector<std::tuple<int, int, int>>{{180, 1, 0}}));
    EXPECT_TRUE(c.doc.IsModified());
    EXPECT_EQ(c.page->m_nUploadState, 2);
}

TEST(Guides, TheGridDialogTurningGuidesOnAddsTwo)
{
    EditCanvas c(800, 600);
    c.doc.m_bShowGuides = 0;
    const CDialog::ModalHook previous = CDialog::SetModalHook([](CDialog& dlg) {
        dlg.CheckDlgButton(1009, 1); // "Show rulers"
        dlg.OnOK();
        return dlg.GetResult();
    });
    ExecuteCommand(&c.view(), ID_VIEW_GRID);
    CDialog::SetModalHook(previous);
    QCoreApplication::processEvents();
    EXPECT_EQ(Guides(c.doc), (std::vector<std::tuple<int, int, int>>{{300, 0, 1}, {400, 1, 0}}));
    EXPECT_EQ(c.doc.m_bShowGuides, 1);
    SaveScreenshot(c.view().RenderClient(), "guides-on-page");
}

} // namespace
