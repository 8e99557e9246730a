// The canvas's input entry points: hover state and cursors, the idle tool's info text, the
// context menu chosen by what is under the mouse, selection by right click, keys.
#include "EditorTestSupport.h"

#include "editor/ViewContextMenu.h"
#include "model/ItemFactory.h"
#include "model/ItemTypes.h"
#include "model/Page.h"
#include "resources/CommandIds.h"

#include <gtest/gtest.h>
#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMenu>
#include <QtWidgets/QLineEdit>

using namespace edtest;

namespace {

struct Canvas {
    CKJDoc doc;
    CPage* page = nullptr;
    std::unique_ptr<ViewFixture> f;
    Canvas()
    {
        page = AddPage(doc, 600, 400, 0xFFFFFF);
        f = std::make_unique<ViewFixture>(doc);
        f->view.SetCurrentPage(page);
    }
    CItem* Add(int type, int x, int y, int w = 100, int h = 50)
    {
        CItem* item = CreateItem(type);
        item->m_bPositioned = 1;
        item->m_nX = x;
        item->m_nY = y;
        item->m_nWidth = w;
        item->m_nHeight = h;
        page->AddChild(item);
        return item;
    }
    QPoint Client(int x, int y) const
    {
        const CPoint c = f->view.PageToClient(CPoint(x, y));
        return QPoint(c.x, c.y);
    }
    void Move(int x, int y, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QMouseEvent e(QEvent::MouseMove, QPointF(Client(x, y)), QPointF(Client(x, y)), Qt::NoButton, Qt::NoButton, mods);
        QApplication::sendEvent(&f->view, &e);
    }
    void Press(int x, int y, Qt::MouseButton button)
    {
        QMouseEvent e(QEvent::MouseButtonPress, QPointF(Client(x, y)), QPointF(Client(x, y)), button, button,
                      Qt::NoModifier);
        QApplication::sendEvent(&f->view, &e);
    }
    void Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QKeyEvent e(QEvent::KeyPress, key, mods);
        QApplication::sendEvent(&f->view, &e);
    }
    std::vector<std::pair<UINT, bool>> Entries(int index)
    {
        std::unique_ptr<QMenu> menu(f->view.CreateContextPopup(index, nullptr));
        std::vector<std::pair<UINT, bool>> out;
        if (menu)
            for (QAction* a : menu->actions())
                if (!a->isSeparator())
                    out.emplace_back(a->data().toUInt(), a->isEnabled());
        return out;
    }
};

TEST(Input, HoverAndCursorFollowTheMouse)
{
    Canvas c;
    CItem* back = c.Add(ITEM_GROUP, 100, 100, 200, 100);
    CItem* front = c.Add(ITEM_PARAGRAPH, 150, 120, 100, 50);
    c.Move(160, 130);
    // the last child in list order is on top
    EXPECT_EQ(c.f->view.m_pHoverItem, front);
    EXPECT_EQ(c.f->frame.rulerText, CString("160,130"));
    EXPECT_EQ(c.f->view.m_nCursor, UINT(IDC_CURSOR_DEFAULT));
    c.Move(110, 110);
    EXPECT_EQ(c.f->view.m_pHoverItem, back);

    // a selected item's handle wins over the body under it; the cursor follows one message later
    back->m_bSelected = 1;
    c.Move(95, 95); // top-left handle square (92..99)
    EXPECT_EQ(c.f->view.m_nHoverHandle, 1);
    EXPECT_EQ(c.f->view.m_pHoverItem, back);
    c.Move(96, 96);
    EXPECT_EQ(c.f->view.m_nCursor, UINT(IDC_CURSOR_RESIZE));
    c.Move(5, 200); // left page edge
    EXPECT_EQ(c.f->view.m_nHoverPageEdge, 3);
    EXPECT_EQ(c.f->view.m_pHoverItem, nullptr);
}

TEST(Input, ContextMenuChoosesThePopupOfWhatIsUnderTheMouse)
{
    Canvas c;
    c.f->view.m_bContextMenuModal = false;
    CItem* para = c.Add(ITEM_PARAGRAPH, 100, 100);
    CItem* like = c.Add(ITEM_LIKE_BUTTON, 300, 100);
    c.Press(120, 120, Qt::RightButton);
    EXPECT_EQ(c.f->view.m_nLastContextPopup, ITEM_PARAGRAPH + int(POPUP_ITEM_OFFSET));
    EXPECT_TRUE(para->m_bSelected);

    // a kind without a popup is selected and shows nothing
    c.f->view.m_nLastContextPopup = -1;
    c.Press(320, 120, Qt::RightButton);
    EXPECT_EQ(c.f->view.m_nLastContextPopup, -1);
    EXPECT_TRUE(like->m_bSelected);
    EXPECT_FALSE(para->m_bSelected);

    c.Press(500, 300, Qt::RightButton);
    EXPECT_EQ(c.f->view.m_nLastContextPopup, int(POPUP_PAGE));
    EXPECT_FALSE(like->m_bSelected);
    c.Press(-200, 300, Qt::RightButton);
    EXPECT_EQ(c.f->view.m_nLastContextPopup, int(POPUP_SURFACE));

    auto guide = std::make_unique<CGuide>();
    guide->m_bVertical = 1;
    guide->m_nPosition = 450;
    c.doc.m_guides.push_back(std::move(guide));
    c.doc.m_bShowGuides = 1;
    c.Press(453, 300, Qt::RightButton);
    EXPECT_EQ(c.f->view.m_nLastContextPopup, int(POPUP_RULER));
}

TEST(Input, ContextMenuEntriesRunTheirUpdateHandlers)
{
    Canvas c;
    // the view's own handlers answer; commands nobody handles yet are disabled
    int updates = 0;
    c.f->view.OnCommand(ID_PAGE_PREVIEW, [] {});
    c.f->view.OnUpdateCommand(ID_PAGE_PREVIEW, [&](CCmdUI* ui) {
        ++updates;
        ui->Enable(FALSE);
    });
    const auto entries = c.Entries(POPUP_PAGE);
    ASSERT_FALSE(entries.empty());
    bool sawPreview = false, sawSetup = false;
    for (const auto& [id, enabled] : entries) {
        if (id == ID_PAGE_PREVIEW) {
            sawPreview = true;
            EXPECT_FALSE(enabled);
        }
        if (id == ID_PAGE_SETUP) {
            sawSetup = true;
            EXPECT_TRUE(enabled); // the page command answers while a page is shown
        }
    }
    EXPECT_TRUE(sawPreview);
    EXPECT_TRUE(sawSetup);
    EXPECT_EQ(updates, 1);

    // the grid command has a handler on the view: enabled on the surface popup
    bool gridEnabled = false;
    for (const auto& [id, enabled] : c.Entries(POPUP_SURFACE))
        if (id == ID_VIEW_GRID)
            gridEnabled = enabled;
    EXPECT_TRUE(gridEnabled);
    // every popup exists and the ones past the last item kind do not
    const CMenu menu = MakeViewContextMenu();
    ASSERT_EQ(menu.items.size(), size_t(POPUP_COUNT));
    EXPECT_EQ(menu.items[0].text, CString("Surface"));
    EXPECT_EQ(menu.items[45].text, CString("OSlider"));
    EXPECT_EQ(c.f->view.CreateContextPopup(ITEM_LIKE_BUTTON + int(POPUP_ITEM_OFFSET), nullptr), nullptr);
    std::vector<UINT> ruler;
    for (const auto& e : c.Entries(POPUP_RULER))
        ruler.push_back(e.first);
    EXPECT_EQ(ruler, (std::vector<UINT>{ID_GUIDE_MOVE, ID_GUIDE_DUPLICATE, ID_GUIDE_DELETE}));
}

TEST(Input, TabWalksTheChildrenAndEscapeLeavesTheContainer)
{
    Canvas c;
    CItem* a = c.Add(ITEM_PARAGRAPH, 10, 10);
    CItem* b = c.Add(ITEM_PARAGRAPH, 10, 100);
    CItem* box = c.Add(ITEM_GROUP, 10, 200, 200, 100);
    c.f->view.SelectItem(box);
    c.Key(Qt::Key_Tab);
    EXPECT_TRUE(a->m_bSelected); // wraps to the first
    EXPECT_FALSE(box->m_bSelected);
    c.Key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(box->m_bSelected);
    EXPECT_EQ(c.f->view.CountSelected(), 1);
    EXPECT_FALSE(b->m_bSelected);

    c.f->view.EnterContainer(box);
    EXPECT_EQ(c.f->view.m_pContainer, box);
    c.Key(Qt::Key_Escape);
    EXPECT_EQ(c.f->view.m_pContainer, c.page);
    // selecting is not an edit
    EXPECT_FALSE(c.doc.IsModified());
    EXPECT_TRUE(c.doc.m_undo.IsEmpty());
}

TEST(Input, SelectionQueriesOnlySeeTheContainersChildren)
{
    Canvas c;
    CItem* a = c.Add(ITEM_PARAGRAPH, 10, 10);
    CItem* stranger = CreateItem(ITEM_PARAGRAPH);
    c.f->view.SelectItem(stranger);
    EXPECT_EQ(c.f->view.GetSelectedItem(), nullptr);
    EXPECT_FALSE(stranger->m_bSelected);
    delete stranger;
    c.f->view.SelectItem(a);
    EXPECT_EQ(c.f->view.GetSelectedItem(), a);
    a->m_bPositioned = 0;
    EXPECT_EQ(c.f->view.InvalidateSelection(), 1);
    a->m_bPositioned = 1;
    EXPECT_EQ(c.f->view.InvalidateSelection(), 0);
    c.f->view.DeselectAll();
    EXPECT_EQ(c.f->view.CountSelected(), 0);
}

TEST(Input, AClickGivesTheCanvasTheKeys)
{
    QWidget window;
    auto* edit = new QLineEdit(&window);
    CKJDoc doc;
    CPage* page = AddPage(doc, 600, 400, 0xFFFFFF);
    FakeFrame frame;
    auto* view = new CKJView;
    view->setParent(&window);
    view->SetProject(&doc);
    view->SetFrame(&frame);
    view->setGeometry(0, 30, 800, 600);
    window.resize(800, 640);
    window.show();
    view->SetCurrentPage(page);
    QApplication::setActiveWindow(&window);
    edit->setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(edit->hasFocus());
    QMouseEvent e(QEvent::MouseButtonPress, QPointF(400, 300), QPointF(400, 300), Qt::LeftButton, Qt::LeftButton,
                  Qt::NoModifier);
    QApplication::sendEvent(view, &e);
    QApplication::processEvents();
    EXPECT_TRUE(view->hasFocus());
    EXPECT_EQ(view->focusPolicy(), Qt::ClickFocus);
}

} // namespace
