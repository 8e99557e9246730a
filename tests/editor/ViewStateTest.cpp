// View state: upload states after a change, document hints, the selection pane, the
// preview frames, stepping through pages, the grid settings and the site tree's nodes.
#include "EditorTestSupport.h"

#include "dialogs/GridDialog.h"
#include "editor/SiteTreeNodes.h"
#include "framework/core/MessageBox.h"
#include "model/Folder.h"
#include "model/GroupItem.h"
#include "model/HeaderFooterItem.h"
#include "model/MasterItem.h"
#include "model/Page.h"
#include "model/Picture.h"

#include <gtest/gtest.h>
#include <QtWidgets/QTreeWidget>

using namespace edtest;

namespace {
std::vector<int> UploadStates(const CKJDoc& doc)
{
    std::vector<int> states;
    for (const auto& page : doc.m_pages)
        states.push_back(page->m_nUploadState);
    return states;
}

QStringList Texts(QTreeWidgetItem* parent, const QTreeWidget& tree)
{
    QStringList texts;
    const int n = parent ? parent->childCount() : tree.topLevelItemCount();
    for (int i = 0; i < n; ++i)
        texts << (parent ? parent->child(i) : tree.topLevelItem(i))->text(0);
    return texts;
}
} // namespace

TEST(ViewState, MarkPageChangedResetsThePagesThatShowTheContainer)
{
    CKJDoc doc;
    for (int i = 0; i < 5; ++i)
        AddPage(doc, 400, 300, RGB(255, 255, 255), CString::Formatted("p%d", i));
    CHeaderFooterItem* footer = AddBand(doc, false, 400, 50, RGB(0, 0, 0));
    CHeaderFooterItem* header = AddBand(doc, true, 400, 50, RGB(0, 0, 0));
    CMasterItem* master = AddMaster(doc, 400, 300);
    doc.m_pages[1]->m_pFooterBand = footer;
    doc.m_pages[2]->m_pFooterBand = footer;
    doc.m_pages[3]->m_pFooterBand = footer;
    doc.m_pages[4]->m_pHeaderBand = header;
    doc.m_pages[2]->m_pMaster2 = master; // only through the second reference
    auto* group = new CGroupItem; // a group entered inside the header band
    header->AddChild(group);
    ViewFixture f(doc);

    // Only the pages that publish the container: the page the view came from is not
    // changed by an edit of a band or master it does not show.
    const struct { CItem* container; std::vector<int> expected; } cases[] = {
        {doc.m_pages[0].get(), {0, 2, 2, 2, 2}},
        {footer, {2, 0, 0, 0, 2}},
        {header, {2, 2, 2, 2, 0}},
        {master, {2, 2, 0, 2, 2}},
        {group, {2, 2, 2, 2, 0}},
    };
    for (const auto& c : cases) {
        for (const auto& page : doc.m_pages)
            page->m_nUploadState = 2;
        doc.SetModifiedFlag(false);
        f.view.SetCurrentPage(doc.m_pages[0].get());
        f.view.EnterContainer(c.container);
        f.view.MarkPageChanged();
        EXPECT_EQ(UploadStates(doc), c.expected);
        EXPECT_TRUE(doc.IsModified());
    }

    // Without a current page the pages that show the container still go out again.
    f.view.m_pCurrentPage = nullptr;
    for (const auto& page : doc.m_pages)
        page->m_nUploadState = 2;
    doc.SetModifiedFlag(false);
    f.view.MarkPageChanged();
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(UploadStates(doc), (std::vector<int>{2, 2, 2, 2, 0}));
}

TEST(ViewState, SelectionPaneDescribesTheSelection)
{
    CKJDoc doc;
    CPage* page = AddPage(doc, 400, 300, RGB(255, 255, 255));
    CGroupItem* a = AddBox(*page, 0, 0, 10, 10, 0);
    CGroupItem* b = AddBox(*page, 20, 0, 30, 20, 0);
    AddBox(*page, 40, 0, 10, 10, 0);
    ViewFixture f(doc);

    auto pane = [&] {
        CCmdUI ui(ID_INDICATOR_SELECTION_PANE);
        f.view.OnCmdMsg(ID_INDICATOR_SELECTION_PANE, CmdMode::Update, &ui);
        return ui;
    };
    CCmdUI none = pane();
    EXPECT_TRUE(none.m_bTextSet);
    EXPECT_EQ(none.m_strText, "");
    b->m_bSelected = 1;
    EXPECT_EQ(pane().m_strText, b->Describe());
    a->m_bSelected = 1;
    EXPECT_EQ(pane().m_strText, "2 items selected");
    f.view.m_pContainer = nullptr;
    EXPECT_FALSE(pane().m_bTextSet) << "no container: the pane stays as it was";
}

TEST(ViewState, FrameCommandsToggle)
{
    CKJDoc doc;
    AddPage(doc, 400, 300, RGB(255, 255, 255));
    ViewFixture f(doc);
    const struct { int from; UINT command; int to; } cases[] = {
        {0, ID_VIEW_BROWSER_FRAME, 1}, {1, ID_VIEW_BROWSER_FRAME, 0}, {2, ID_VIEW_BROWSER_FRAME, 1},
        {0, ID_VIEW_MOBILE_FRAME, 2},  {2, ID_VIEW_MOBILE_FRAME, 0},  {1, ID_VIEW_MOBILE_FRAME, 2},
    };
    for (const auto& c : cases) {
        doc.m_nPreviewFrame = c.from;
        doc.SetModifiedFlag(false);
        ASSERT_TRUE(ExecuteCommand(&f.view, c.command));
        EXPECT_EQ(doc.m_nPreviewFrame, c.to) << c.from << " " << c.command;
        // the project file keeps the frame mode: closing must ask to save it
        EXPECT_TRUE(doc.IsModified()) << c.from << " " << c.command;
        EXPECT_TRUE(doc.m_undo.IsEmpty());
        for (UINT id : {UINT(ID_VIEW_BROWSER_FRAME), UINT(ID_VIEW_MOBILE_FRAME)}) {
            CCmdUI ui(id);
            UpdateCommand(&f.view, ui);
            EXPECT_TRUE(ui.m_bEnabled);
            EXPECT_EQ(ui.m_nCheck, (id == ID_VIEW_BROWSER_FRAME ? 1 : 2) == c.to ? 1 : 0);
        }
    }
}

TEST(ViewState, HintsRepaintRefillSelectAndAddTextures)
{
    CKJDoc doc;
    AddPage(doc, 400, 300, RGB(255, 255, 255), "a");
    CPage* second = AddPage(doc, 400, 300, RGB(255, 255, 255), "b");
    ViewFixture f(doc);
    QTreeWidget& tree = *f.frame.tree;
    EXPECT_EQ(tree.topLevelItemCount(), 2);

    int redraws = f.view.m_nRedrawCount;
    f.view.OnUpdate(nullptr, HINT_REPAINT, nullptr);
    EXPECT_EQ(f.view.m_nRedrawCount, redraws + 1);

    f.view.OnUpdate(nullptr, HINT_SET_PAGE, second);
    EXPECT_EQ(f.view.m_pCurrentPage, second);

    AddFolder(doc, "zz", nullptr);
    f.view.OnUpdate(nullptr, HINT_FILL_TREE, nullptr);
    EXPECT_EQ(tree.topLevelItemCount(), 3);

    auto texture = std::make_unique<CPicture>();
    texture->m_strThirdName = "aaa.png";
    CPicture* t = texture.get();
    doc.m_textures.push_back(std::move(texture));
    f.view.OnUpdate(nullptr, HINT_TEXTURES, nullptr);
    ASSERT_EQ(tree.topLevelItemCount(), 4);
    EXPECT_EQ(tree.topLevelItem(3)->text(0), "aaa.png") << "appended, not sorted";
    EXPECT_EQ(NodeObject(tree.topLevelItem(3)), t);
    f.view.OnUpdate(nullptr, HINT_TEXTURES, nullptr);
    EXPECT_EQ(tree.topLevelItemCount(), 4) << "a texture with a node gets no second one";
    f.view.OnUpdate(nullptr, 99, nullptr);
    EXPECT_EQ(tree.topLevelItemCount(), 4);
}

TEST(ViewState, SiteTreeOfNestedFolders)
{
    CKJDoc doc;
    CFolder* shop = AddFolder(doc, "shop", nullptr);
    CFolder* offers = AddFolder(doc, "offers", shop);
    AddFolder(doc, "about", nullptr);
    CPage* home = AddPage(doc, 400, 300, 0, "index");
    home->m_title = "Home Page";
    CPage* contact = AddPage(doc, 400, 300, 0, "contact");
    contact->m_title = "Contact";
    CPage* shopIndex = AddPage(doc, 400, 300, 0, "index");
    shopIndex->m_title = "Shop";
    shopIndex->m_pParent = shop;
    CPage* summer = AddPage(doc, 400, 300, 0, "summer");
    summer->m_title = "Summer";
    summer->m_pParent = offers;
    CPage* winter = AddPage(doc, 400, 300, 0, "winter");
    winter->m_title = "Autumn";
    winter->m_pParent = offers;
    AddMaster(doc, 400, 300);
    auto file = std::make_unique<CFileRecord>();
    file->m_strBaseName = "brochure";
    file->m_strExtension = ".pdf";
    file->m_pParent = shop;
    doc.m_fileRecords.push_back(std::move(file));

    ViewFixture f(doc);
    const QTreeWidget& tree = *f.frame.tree;
    EXPECT_EQ(Texts(nullptr, tree), QStringList({"about", "Contact [contact.html]", "Home Page [index.html]", "Master 1", "shop"}));
    QTreeWidgetItem* shopNode = FindNode(&tree, shop);
    ASSERT_NE(shopNode, nullptr);
    EXPECT_EQ(Texts(shopNode, tree), QStringList({"brochure.pdf", "offers", "Shop [index.html]"}));
    QTreeWidgetItem* offersNode = FindNode(&tree, offers);
    ASSERT_NE(offersNode, nullptr);
    EXPECT_EQ(offersNode->parent(), shopNode);
    EXPECT_EQ(Texts(offersNode, tree), QStringList({"Autumn [winter.html]", "Summer [summer.html]"}));

    const struct { const CSiteObject* object; int image; } images[] = {
        {home, IMAGE_HOME}, {shopIndex, IMAGE_FOLDER_HOME}, {contact, IMAGE_PAGE}, {shop, IMAGE_FOLDER},
        {doc.m_masters[0].get(), IMAGE_MASTER}, {doc.m_fileRecords[0].get(), IMAGE_FILE},
    };
    for (const auto& i : images) {
        QTreeWidgetItem* node = FindNode(&tree, i.object);
        ASSERT_NE(node, nullptr);
        EXPECT_EQ(NodeImage(node), i.image) << node->text(0).toStdString();
        EXPECT_EQ(NodeObject(node), i.object);
    }
}

TEST(ViewState, NextAndPreviousPageStayOnOneTreeLevel)
{
    CKJDoc doc;
    CFolder* folder = AddFolder(doc, "m", nullptr);
    CPage* a = AddPage(doc, 400, 300, 0, "a");
    CPage* b = AddPage(doc, 400, 300, 0, "b");
    CPage* c = AddPage(doc, 400, 300, 0, "c");
    CPage* inside = AddPage(doc, 400, 300, 0, "d");
    inside->m_pParent = folder;
    for (CPage* p : {a, b, c, inside})
        p->m_title = p->m_strBaseName;
    ViewFixture f(doc);
    // Root order: a, b, c, m (folder).
    const struct { CPage* from; UINT command; CPage* to; } cases[] = {
        {a, ID_VIEW_NEXT_PAGE, b},     {b, ID_VIEW_NEXT_PAGE, c},
        {c, ID_VIEW_NEXT_PAGE, c},     // the next sibling is a folder
        {a, ID_VIEW_PREVIOUS_PAGE, a}, {c, ID_VIEW_PREVIOUS_PAGE, b},
        {inside, ID_VIEW_NEXT_PAGE, inside}, // alone in its folder
    };
    for (const auto& k : cases) {
        f.view.SetCurrentPage(k.from);
        ExecuteCommand(&f.view, k.command);
        EXPECT_EQ(f.view.m_pCurrentPage, k.to) << k.from->m_strBaseName.GetString() << " " << k.command;
        if (k.to != k.from) {
            EXPECT_EQ(NodeObject(f.frame.tree->currentItem()), k.to);
        }
    }
}

TEST(ViewState, GridSettingsAreKeptWithinRange)
{
    CKJDoc doc;
    AddPage(doc, 400, 300, 0);
    ViewFixture f(doc);
    const struct { int on, guides, x, y, ex, ey; } cases[] = {
        {1, 1, 10, 20, 10, 20}, {0, 0, 5, 100, 5, 100}, {1, 0, 2, 500, 5, 100},
    };
    for (const auto& c : cases) {
        doc.SetModifiedFlag(false);
        f.view.ApplyGridSettings(c.on, c.guides, c.x, c.y);
        EXPECT_TRUE(doc.IsModified());
        // the same values again change nothing
        doc.SetModifiedFlag(false);
        f.view.ApplyGridSettings(c.on, c.guides, c.x, c.y);
        EXPECT_FALSE(doc.IsModified());
        EXPECT_EQ(doc.m_bGridOn, c.on);
        EXPECT_EQ(doc.m_bShowGuides, c.guides);
        EXPECT_EQ(doc.m_nGridX, c.ex);
        EXPECT_EQ(doc.m_nGridY, c.ey);
    }
}

TEST(ViewState, GridDialogSetsTheGrid)
{
    CKJDoc doc;
    AddPage(doc, 400, 300, 0);
    doc.m_bGridOn = 0;
    doc.m_nGridX = doc.m_nGridY = 20;
    ViewFixture f(doc);
    std::vector<CString> messages;
    const MessageBoxHandler previousBox = SetMessageBoxHandler([&](const CString& text, const CString&, unsigned) {
        messages.push_back(text);
        return IDOK;
    });
    const struct { const char* x; const char* y; bool accepted; int ex, ey; } cases[] = {
        {"30", "40", true, 30, 40}, {"5", "100", true, 5, 100}, {"4", "40", false, 5, 100}, {"30", "101", false, 5, 100},
    };
    for (const auto& c : cases) {
        bool editsEnabledAtStart = true;
        const CDialog::ModalHook previous = CDialog::SetModalHook([&](CDialog& dlg) {
            auto& grid = dynamic_cast<DGrid&>(dlg);
            editsEnabledAtStart = grid.GetDlgItem(1000)->isEnabled();
            grid.CheckDlgButton(1001, 1);
            grid.SetDlgItemText(1000, c.x);
            grid.SetDlgItemText(1003, c.y);
            grid.OnOK();
            return grid.IsEnded() ? grid.GetResult() : IDCANCEL;
        });
        messages.clear();
        const bool gridWasOn = doc.m_bGridOn != 0;
        ExecuteCommand(&f.view, ID_VIEW_GRID);
        CDialog::SetModalHook(previous);
        EXPECT_EQ(editsEnabledAtStart, gridWasOn) << "the steps are editable only with the grid on";
        EXPECT_EQ(messages.empty(), c.accepted) << c.x << " " << c.y;
        EXPECT_EQ(doc.m_nGridX, c.ex) << c.x;
        EXPECT_EQ(doc.m_nGridY, c.ey) << c.y;
        EXPECT_EQ(doc.m_bGridOn, 1);
    }
    SetMessageBoxHandler(previousBox);
}

TEST(ViewState, UndoLeavesNoPointerToARecreatedItem)
{
    CKJDoc doc;
    CPage* page = AddPage(doc, 400, 300, RGB(255, 255, 255), "home");
    auto* group = new CGroupItem;
    group->m_nWidth = 100;
    group->m_nHeight = 80;
    auto* inner = new CGroupItem;
    group->AddChild(inner);
    page->AddChild(group);
    ViewFixture f(doc);
    f.view.SetCurrentPage(page);
    f.view.EnterContainer(group); // an entered group that the page record recreates

    doc.RecordUndo(page, page, nullptr, "Move");
    group->m_nX = 50;
    f.view.m_pHoverItem = inner;
    f.view.m_drag.mode = 2;
    f.view.m_drag.item = inner;
    ASSERT_TRUE(ExecuteCommand(&f.view, ID_EDIT_UNDO));

    EXPECT_EQ(f.view.m_pHoverItem, nullptr);
    EXPECT_EQ(f.view.m_drag.item, nullptr);
    EXPECT_EQ(f.view.m_drag.mode, 0);
    EXPECT_EQ(f.view.m_pContainer, page) << "the view edits the restored page";
    ASSERT_EQ(page->GetChildCount(), 1);
    EXPECT_EQ(page->GetChild(0)->m_nX, 0);
    for (CItem* c : f.view.m_navigation)
        EXPECT_NE(c, group) << "no entered container that the restore deleted";
    EXPECT_TRUE(doc.m_undo.IsEmpty());

    // Nothing left: the command is greyed and does nothing.
    CCmdUI ui(ID_EDIT_UNDO);
    UpdateCommand(&f.view, ui);
    EXPECT_FALSE(ui.m_bEnabled);
}
