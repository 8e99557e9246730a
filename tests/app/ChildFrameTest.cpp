// The project window: ruler strip, splitter gap, site tree with its menus and page
// moves, and a screenshot of the whole window.
#include "AppTestSupport.h"

#include "app/ChildFrame.h"
#include "app/DesignerApp.h"
#include "controls/HtmlView.h"
#include "framework/ui/Shell.h"
#include "app/MainFrame.h"
#include "app/ProjectDocument.h"
#include "app/SiteTreeCtrl.h"
#include "editor/KJView.h"
#include "editor/SiteTreeNodes.h"
#include "model/Folder.h"
#include "model/Page.h"

#include <gtest/gtest.h>
#include <QtCore/QDir>
#include <QtCore/QTemporaryDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QCoreApplication>
#include <QtGui/QMouseEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMenu>
#include <memory>

namespace {

// A new project shown in its own window.
struct ProjectWindow {
    explicit ProjectWindow(int w = 1200, int h = 800)
    {
        document.OnNewDocument();
        frame = std::make_unique<CChildFrame>();
        view = new CKJView;
        view->SetDocument(&document);
        frame->OnCreateClient(view);
        frame->resize(w, h);
        frame->show();
        view->OnInitialUpdate();
        QCoreApplication::processEvents();
    }
    ~ProjectWindow() { frame.reset(); }
    CKJDoc& Project() { return document.Project(); }
    CPage* AddPage(const char* name, CFolder* folder)
    {
        CPage* page = Project().AddPage(nullptr, nullptr);
        page->m_strBaseName = name;
        page->m_title = name;
        page->m_pParent = folder;
        page->m_nParentId = folder ? folder->m_nSerial : 0;
        return page;
    }
    CFolder* AddFolder(const char* name)
    {
        auto folder = std::make_unique<CFolder>();
        folder->m_strBaseName = name;
        Project().m_folders.push_back(std::move(folder));
        return Project().m_folders.back().get();
    }
    QImage Grab() { return frame->grab().toImage().convertToFormat(QImage::Format_RGB32); }
    QTreeWidgetItem* Node(const CSiteObject* object) { return FindNode(frame->SiteTree(), object); }

    CProjectDocument document;
    std::unique_ptr<CChildFrame> frame;
    CKJView* view = nullptr;
};

QRgb Grey(int g) { return qRgb(g, g, g); }

void SendMouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, QPointF(at), QPointF(w->mapToGlobal(at)), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

int DarkPixels(const QImage& image, const QRect& area)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += qGray(image.pixel(x, y)) < 128;
    return n;
}
} // namespace

TEST(ChildFrame, RulerStripTicksLabelsAndGap)
{
    ProjectWindow w;
    w.view->ScrollToPosition(w.view->GetScrollPosition() - CSize(200, 0)); // the ruler follows
    const QImage image = w.Grab();
    const int zero = w.frame->RulerZeroX();
    ASSERT_EQ(zero, w.view->x() + w.view->GetPageOrigin().x - w.view->GetScrollPosition().x);
    ASSERT_GT(zero, 250);
    ASSERT_LT(zero + 300, image.width());
    const struct { int x, y; QRgb expected; const char* what; } samples[] = {
        {zero, 25, qRgb(255, 0, 0), "red line at the page's left edge"},
        {zero + 100, 23, Grey(0), "100 tick"},
        {zero + 100, 21, Grey(192 + 42), "100 tick is 10 long"},
        {zero - 200, 23, Grey(0), "tick left of the page"},
        {zero + 50, 29, Grey(0), "50 tick"},
        {zero + 50, 27, Grey(192 + 54), "50 tick is 4 long"},
        {zero + 10, 31, Grey(0), "10 tick"},
        {zero + 10, 29, Grey(192 + 58), "10 tick is 2 long"},
        {zero + 5, 3, Grey(255 - 6), "upper gradient"},
        {zero + 5, 31, Grey(254), "lower gradient"},
        {0, 10, Grey(128), "grey line at the left"},
        {zero + 5, 0, Grey(128), "grey line along the top"},
        {140, 100, Grey(192), "splitter gap"},
        {141, 400, Grey(192), "splitter gap"},
    };
    for (const auto& s : samples)
        EXPECT_EQ(image.pixel(s.x, s.y) | 0xFF000000u, s.expected) << s.what << " at " << s.x << "," << s.y;
    // Labels right-aligned left of their ticks on both sides, none left of the 0 tick's own.
    EXPECT_GT(DarkPixels(image, QRect(zero + 100 - 24, 18, 22, 12)), 5) << "label 100";
    EXPECT_GT(DarkPixels(image, QRect(zero - 100 - 24, 18, 22, 12)), 5) << "label 100 on the left";
    EXPECT_EQ(DarkPixels(image, QRect(zero + 100 - 24, 18, 22, 12)), DarkPixels(image, QRect(zero - 100 - 24, 18, 22, 12)))
        << "no minus sign on the left";
    EXPECT_EQ(DarkPixels(image, QRect(zero + 100 + 2, 18, 40, 4)), 0) << "nothing right of a tick";
}

TEST(ChildFrame, TreeAndViewPlaces)
{
    ProjectWindow w(1000, 700);
    EXPECT_EQ(w.frame->SiteTree()->geometry(), QRect(0, 32, 139, 700 - 32));
    EXPECT_EQ(w.view->geometry(), QRect(142, 32, 1000 - 142, 700 - 32));
    w.frame->resize(900, 600);
    EXPECT_EQ(w.frame->SiteTree()->height(), 600 - 32);
    EXPECT_EQ(w.view->width(), 900 - 142);
}

TEST(ChildFrame, DraggingTheGapResizesTheTree)
{
    ProjectWindow w;
    const struct { int to, width; } cases[] = {{300, 300}, {3, 10}, {-50, 10}, {10, 10}, {11, 11}, {140, 140}};
    for (const auto& c : cases) {
        const int gap = w.frame->GetTreeWidth();
        SendMouse(w.frame.get(), QEvent::MouseButtonPress, QPoint(gap, 300), Qt::LeftButton);
        SendMouse(w.frame.get(), QEvent::MouseMove, QPoint(c.to, 10), Qt::LeftButton); // any height while dragging
        SendMouse(w.frame.get(), QEvent::MouseButtonRelease, QPoint(c.to, 10), Qt::NoButton);
        EXPECT_EQ(w.frame->GetTreeWidth(), c.width) << c.to;
        EXPECT_EQ(w.frame->SiteTree()->width(), c.width - 1) << c.to;
        EXPECT_EQ(w.view->x(), c.width + 2) << c.to;
    }
    // A move without the button held changes nothing.
    SendMouse(w.frame.get(), QEvent::MouseMove, QPoint(400, 300), Qt::NoButton);
    EXPECT_EQ(w.frame->GetTreeWidth(), 140);
    // A press on the strip starts no drag.
    SendMouse(w.frame.get(), QEvent::MouseButtonPress, QPoint(140, 20), Qt::LeftButton);
    SendMouse(w.frame.get(), QEvent::MouseMove, QPoint(400, 20), Qt::LeftButton);
    SendMouse(w.frame.get(), QEvent::MouseButtonRelease, QPoint(400, 20), Qt::NoButton);
    EXPECT_EQ(w.frame->GetTreeWidth(), 140);
}

TEST(ChildFrame, RulerTextRepaintsOnlyWhenItChanges)
{
    ProjectWindow w;
    const int before = w.frame->m_nRulerTextRepaints;
    EXPECT_TRUE(w.frame->SetRulerText("x: 120 y: 40"));
    EXPECT_EQ(w.frame->m_nRulerTextRepaints, before + 1);
    EXPECT_TRUE(w.frame->SetRulerText("x: 120 y: 40"));
    EXPECT_EQ(w.frame->m_nRulerTextRepaints, before + 1);
    const QImage image = w.Grab();
    const int centre = image.width() / 2;
    EXPECT_GT(DarkPixels(image, QRect(centre - 60, 1, 120, 15)), 10) << "text centred at the top";
    EXPECT_EQ(DarkPixels(image, QRect(10, 1, 120, 15)), 0);
}

TEST(ChildFrame, ContextMenuByNodeKind)
{
    ProjectWindow w;
    CFolder* folder = w.AddFolder("shop");
    w.view->FillSiteTree();
    CSiteTreeCtrl* tree = w.frame->SiteTree();
    tree->expandAll();
    CPage* home = w.Project().m_pages.front().get();

    const QRect homeRect = tree->visualItemRect(w.Node(home));
    EXPECT_EQ(tree->PrepareContextMenu(homeRect.center()), 1);
    EXPECT_EQ(NodeObject(tree->currentItem()), home);
    EXPECT_EQ(tree->PrepareContextMenu(tree->visualItemRect(w.Node(folder)).center()), 2);
    EXPECT_EQ(NodeObject(tree->currentItem()), folder);
    EXPECT_EQ(tree->PrepareContextMenu(QPoint(5, tree->viewport()->height() - 3)), 0) << "empty space";

    auto* bare = new QTreeWidgetItem(tree, QStringList("site"));
    SetNodeSiteMarker(bare);
    EXPECT_EQ(tree->PrepareContextMenu(tree->visualItemRect(bare).center()), -1) << "no object, no menu";

    const CMenu& menu = tree->ContextMenu();
    ASSERT_EQ(menu.items.size(), 6u);
    const std::vector<std::vector<UINT>> ids = {
        {32802, 32891}, {32814, 0, 32775, 32892, 32882, 32884, 0, 32822, 32947}, {32942}, {32942, 33027}, {32814, 32947}, {33058}};
    for (size_t i = 0; i < ids.size(); ++i) {
        std::vector<UINT> got;
        for (const auto& item : menu.items[i].popup)
            got.push_back(item.separator ? 0 : item.id);
        EXPECT_EQ(got, ids[i]) << "popup " << i;
    }
    EXPECT_EQ(menu.items[0].popup[0].text, "Insert Page");
}

TEST(ChildFrame, SiteTreeShowsEveryPageOnce)
{
    ProjectWindow w;
    CFolder* folder = w.AddFolder("shop");
    CPage* inside = w.AddPage("index", folder);
    w.view->FillSiteTree();
    for (const auto& page : w.Project().m_pages)
        EXPECT_NE(w.Node(page.get()), nullptr) << page->m_strBaseName.GetString();
    EXPECT_EQ(w.Node(inside)->parent(), w.Node(folder));
    EXPECT_EQ(NodeImage(w.Node(inside)), int(IMAGE_FOLDER_HOME));
    EXPECT_EQ(NodeImage(w.Node(w.Project().m_pages.front().get())), int(IMAGE_HOME));
}

TEST(ChildFrame, PageDroppedIntoAFolder)
{
    ProjectWindow w;
    CFolder* shop = w.AddFolder("shop");
    CPage* contact = w.AddPage("contact", nullptr);
    w.view->FillSiteTree();
    CSiteTreeCtrl* tree = w.frame->SiteTree();
    const size_t undo = w.Project().m_undo.GetCount();
    contact->m_nUploadState = 2;
    w.Project().SetModifiedFlag(false);

    ASSERT_TRUE(tree->BeginDrag(w.Node(contact)));
    tree->DragOver(tree->visualItemRect(w.Node(shop)).center());
    EXPECT_EQ(NodeObject(tree->DropHighlight()), shop);
    tree->EndDrag();
    EXPECT_FALSE(tree->IsDragging());
    EXPECT_EQ(contact->GetFolder(), shop);
    EXPECT_EQ(contact->m_nParentId, shop->m_nSerial);
    QTreeWidgetItem* node = w.Node(contact);
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->parent(), w.Node(shop));
    EXPECT_EQ(node->parent()->indexOfChild(node), node->parent()->childCount() - 1) << "last child";
    EXPECT_EQ(tree->currentItem(), node);
    EXPECT_TRUE(w.Node(shop)->isExpanded());
    EXPECT_EQ(w.Project().m_undo.GetCount(), undo + 1);
    EXPECT_TRUE(w.Project().IsModified());
    EXPECT_EQ(contact->m_nUploadState, 0);

    // Onto the folder it is in: nothing.
    EXPECT_FALSE(tree->DropOn(node, w.Node(shop)));
    EXPECT_EQ(w.Project().m_undo.GetCount(), undo + 1);

    // Edit/Undo names the move, then brings the page back to the root of the tree.
    CCmdUI before(ID_EDIT_UNDO);
    UpdateCommand(w.view, before);
    EXPECT_TRUE(before.m_bEnabled);
    EXPECT_EQ(before.m_strText, "Undo Move Page\tCtrl+Z");
    EXPECT_TRUE(ExecuteCommand(w.view, ID_EDIT_UNDO));
    EXPECT_EQ(contact->GetFolder(), nullptr);
    EXPECT_EQ(contact->m_nParentId, 0);
    ASSERT_NE(w.Node(contact), nullptr);
    EXPECT_EQ(w.Node(contact)->parent(), nullptr);
    EXPECT_EQ(w.Project().m_undo.GetCount(), undo);
    CCmdUI after(ID_EDIT_UNDO);
    UpdateCommand(w.view, after);
    ASSERT_EQ(undo, 0u);
    EXPECT_FALSE(after.m_bEnabled);
    EXPECT_EQ(after.m_strText, "Undo\tCtrl+Z");
}

TEST(ChildFrame, PageDroppedOntoAPageTakesItsFolderAndPlace)
{
    ProjectWindow w;
    CFolder* shop = w.AddFolder("shop");
    CPage* a = w.AddPage("a", nullptr);
    w.AddPage("b", nullptr);
    CPage* inside = w.AddPage("offers", shop);
    w.view->FillSiteTree();
    CSiteTreeCtrl* tree = w.frame->SiteTree();

    ASSERT_TRUE(tree->DropOn(w.Node(inside), w.Node(a)));
    EXPECT_EQ(inside->GetFolder(), nullptr);
    QTreeWidgetItem* node = w.Node(inside);
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->parent(), nullptr);
    EXPECT_EQ(tree->indexOfTopLevelItem(node), tree->indexOfTopLevelItem(w.Node(a)) + 1) << "right after the target";
    EXPECT_EQ(w.Node(shop)->childCount(), 0);

    // Back into the folder beside no page: onto the folder node.
    ASSERT_TRUE(tree->DropOn(node, w.Node(shop)));
    EXPECT_EQ(inside->GetFolder(), shop);
    // Onto a page of the same folder: it only moves in the tree.
    const size_t undo = w.Project().m_undo.GetCount();
    CPage* second = w.AddPage("second", shop);
    w.view->FillSiteTree();
    EXPECT_TRUE(tree->DropOn(w.Node(second), w.Node(inside)));
    EXPECT_EQ(second->GetFolder(), shop);
    EXPECT_EQ(w.Project().m_undo.GetCount(), undo) << "no folder change, nothing to undo";
}

TEST(ChildFrame, DropsThatDoNothing)
{
    ProjectWindow w;
    CFolder* shop = w.AddFolder("shop");
    CFolder* other = w.AddFolder("other");
    CPage* page = w.AddPage("p", nullptr);
    w.view->FillSiteTree();
    CSiteTreeCtrl* tree = w.frame->SiteTree();
    auto* bare = new QTreeWidgetItem(tree, QStringList("site"));
    SetNodeSiteMarker(bare);
    const struct { QTreeWidgetItem* dragged; QTreeWidgetItem* target; const char* what; } cases[] = {
        {w.Node(page), w.Node(page), "onto itself"},
        {w.Node(shop), w.Node(other), "a folder"},
        {w.Node(shop), w.Node(page), "a folder onto a page"},
        {w.Node(page), bare, "onto a node without object"},
        {w.Node(page), nullptr, "onto no node"},
    };
    for (const auto& c : cases)
        EXPECT_FALSE(tree->DropOn(c.dragged, c.target)) << c.what;
    EXPECT_FALSE(tree->BeginDrag(bare));
    EXPECT_EQ(page->GetFolder(), nullptr);
    EXPECT_TRUE(w.Project().m_undo.IsEmpty());
}

TEST(ChildFrame, DropGivingTwoPagesOneFileNameIsRefused)
{
    ProjectWindow w;
    CFolder* shop = w.AddFolder("shop");
    w.AddPage("contact", shop);
    CPage* rootContact = w.AddPage("contact", nullptr);
    CPage* rootUpper = w.AddPage("CONTACT", nullptr);
    w.view->FillSiteTree();
    CSiteTreeCtrl* tree = w.frame->SiteTree();
    w.Project().SetModifiedFlag(false);
    for (CPage* page : {rootContact, rootUpper}) {
        MessageRecorder messages;
        EXPECT_FALSE(tree->DropOn(w.Node(page), w.Node(shop)));
        ASSERT_EQ(messages.messages.size(), 1u);
        EXPECT_NE(messages.messages[0].text.Find(page->GetFileName()), -1) << messages.messages[0].text.GetString();
        EXPECT_EQ(page->GetFolder(), nullptr);
        EXPECT_EQ(w.Node(page)->parent(), nullptr);
    }
    EXPECT_TRUE(w.Project().m_undo.IsEmpty());
    EXPECT_FALSE(w.Project().IsModified());
}

TEST(ChildFrame, ChoosingANodeShowsItsPage)
{
    ProjectWindow w;
    CPage* second = w.AddPage("second", nullptr);
    w.view->FillSiteTree();
    w.frame->SiteTree()->setCurrentItem(w.Node(second));
    EXPECT_EQ(w.view->m_pCurrentPage, second);
    EXPECT_EQ(w.view->m_pContainer, second);
}

TEST(ChildFrame, ScreenshotOfTheProjectWindow)
{
    ProjectWindow w(1280, 800);
    w.frame->SetRulerText("x: 120  y: 48");
    const QImage image = w.Grab();
    ASSERT_EQ(image.size(), QSize(1280, 800));
    // The page's white body (the new site's page) is on screen beside the dark tree.
    const CPoint pageCentre = w.view->PageToClient(CPoint(450, 300));
    EXPECT_EQ(image.pixel(w.view->x() + pageCentre.x, 32 + pageCentre.y) | 0xFF000000u, qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(60, 790) | 0xFF000000u, qRgb(0x40, 0x40, 0x40)) << "tree background";
    const QByteArray folder = qgetenv("TESSEL_SCREENSHOT_DIR");
    if (!folder.isEmpty()) {
        QDir().mkpath(QString::fromLocal8Bit(folder));
        EXPECT_TRUE(image.save(QString::fromLocal8Bit(folder) + "/project-window.png"));
        w.Project().m_nPreviewFrame = 0;
        w.Project().m_bGridOn = 1;
        w.view->CenterPage();
        EXPECT_TRUE(w.Grab().save(QString::fromLocal8Bit(folder) + "/project-window-grid.png"));
    }
}

TEST(ChildFrame, FileNewOpensAProjectWindow)
{
    RegisterProjectDocumentType();
    const CDialog::ModalHook previous = CDialog::SetModalHook([](CDialog&) { return IDCANCEL; });
    QTemporaryDir programFolder;
    {
        CDesignerApp app;
        app.m_strProgramFolder = CString::FromQString(programFolder.path()) + "/";
        app.m_arguments = QStringList{QStringLiteral("new")};
        ASSERT_TRUE(app.InitInstance());
        ASSERT_EQ(app.MainFrame()->MDIGetActive(), nullptr);
        app.OnFileNew();
        QCoreApplication::processEvents();
        auto* frame = dynamic_cast<CChildFrame*>(app.MainFrame()->MDIGetActive());
        ASSERT_NE(frame, nullptr);
        auto* view = dynamic_cast<CKJView*>(frame->GetActiveView());
        ASSERT_NE(view, nullptr);
        CKJDoc* project = view->GetProject();
        ASSERT_NE(project, nullptr);
        EXPECT_EQ(view->m_pCurrentPage, project->m_pages.front().get());
        EXPECT_EQ(frame->SiteTree()->topLevelItemCount(), int(project->m_pages.size()));

        app.MainFrame()->resize(1280, 900);
        QCoreApplication::processEvents();
        const QImage shot = app.MainFrame()->grab().toImage();
        EXPECT_EQ(shot.size(), QSize(1280, 900));
        const QByteArray folder = qgetenv("TESSEL_SCREENSHOT_DIR");
        if (!folder.isEmpty()) {
            EXPECT_TRUE(shot.save(QString::fromLocal8Bit(folder) + "/designer-window.png"));
        }

        // The tree's context menu through the main window's routing: the page commands
        // answer for the current page; the node commands wait for a node of their kind.
        const struct { int popup; std::vector<bool> enabled; } menus[] = {
            {0, {true, true}},                                     // Insert Page, Insert Folder
            {1, {true, true, true, true, true, true, false}},      // Setup .. View Source; Delete with one page
            {2, {false}},                                          // folder Rename
            {3, {false, false}}, {4, {true, false}}, {5, {false}},
        };
        for (const auto& m : menus) {
            QMenu menu;
            frame->SiteTree()->FillContextMenu(menu, m.popup);
            std::vector<bool> enabled;
            for (QAction* a : menu.actions())
                if (!a->isSeparator())
                    enabled.push_back(a->isEnabled());
            EXPECT_EQ(enabled, m.enabled) << "popup " << m.popup;
        }
        app.CloseAllDocuments(TRUE);
        app.ExitInstance();
    }
    CDialog::SetModalHook(previous);
    CDesignerApp::SetDocumentType(nullptr, nullptr, nullptr);
    QCoreApplication::processEvents();
}

TEST(ChildFrame, PagePreviewShowsTheGeneratedPage)
{
    const struct { int pageWidth, contentWidth; } cases[] = {{800, 1024}, {900, 1024}, {1200, 1300}};
    for (const auto& c : cases) {
        ProjectWindow w;
        CPage* page = w.Project().m_pages.front().get();
        page->m_nWidth = c.pageWidth;
        page->m_title = "Home & Garden";
        struct { int w = 0, h = 0; CString address, caption; bool seen = false; } shown;
        const CDialog::ModalHook previous = CDialog::SetModalHook([&](CDialog& dlg) {
            if (auto* preview = dynamic_cast<DPreview*>(&dlg)) {
                shown = {preview->m_nContentWidth, preview->m_nContentHeight, preview->m_strAddress, preview->m_strCaption, true};
            }
            return IDCANCEL;
        });
        MessageRecorder messages;
        EXPECT_TRUE(ExecuteCommand(w.frame.get(), 32882));
        CDialog::SetModalHook(previous);
        ASSERT_TRUE(shown.seen) << c.pageWidth;
        EXPECT_EQ(shown.w, c.contentWidth);
        EXPECT_TRUE(shown.h == 700 || shown.h < 700) << shown.h;
        EXPECT_EQ(shown.caption, "Home & Garden");
        QFile file(shown.address.ToQString());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << shown.address.GetString();
        EXPECT_TRUE(file.readAll().contains("<title>Home &amp; Garden</title>"));
        EXPECT_TRUE(messages.messages.empty());
    }
}

TEST(ChildFrame, PreviewInBrowserOpensTheGeneratedFile)
{
    ProjectWindow w;
    std::vector<CString> opened;
    const tessel::ShellHook previous = tessel::SetShellHook([&](const CString& target, bool) {
        opened.push_back(target);
        return true;
    });
    EXPECT_TRUE(ExecuteCommand(w.frame.get(), 32884));
    tessel::SetShellHook(previous);
    ASSERT_EQ(opened.size(), 1u);
    const QFileInfo info(opened[0].ToQString());
    EXPECT_TRUE(info.exists()) << opened[0].GetString();
    // A PHP page gets ".html" added so that a browser shows it without a server.
    EXPECT_TRUE(info.fileName().startsWith(w.Project().m_pages.front()->GetFileName().ToQString())) << opened[0].GetString();
    EXPECT_TRUE(info.fileName().endsWith(".html"));
}
