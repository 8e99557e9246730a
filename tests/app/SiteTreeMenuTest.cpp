// The site tree's menu (menu 224) on a project with folders, pages, a master, an attached
// file and a texture: each entry is enabled exactly when it acts on the node under the
// mouse, and choosing a node or double-clicking its label does what the node stands for.
#include "AppTestSupport.h"

#include "app/ChildFrame.h"
#include "app/ProjectDocument.h"
#include "app/SiteTreeCtrl.h"
#include "dialogs/EffectDialogs.h"
#include "dialogs/PageSetup.h"
#include "dialogs/SmallItemDialogs.h"
#include "document/SiteEdits.h"
#include "editor/KJView.h"
#include "editor/SiteTreeNodes.h"
#include "framework/ui/Dialog.h"
#include "model/Folder.h"
#include "model/MasterItem.h"
#include "model/Page.h"
#include "model/Picture.h"

#include <gtest/gtest.h>
#include <QtCore/QDir>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMenu>
#include <map>

namespace {

struct SiteWindow {
    SiteWindow()
    {
        document.OnNewDocument();
        CKJDoc& doc = document.Project();
        doc.m_pages.front()->m_title = "Home Page";
        CWString t;
        t = "About";
        about = InsertSitePage(doc, doc.m_pages.front().get(), t, nullptr, "about");
        shop = InsertSiteFolder(doc, nullptr, "shop");
        t = "Shop";
        shopIndex = InsertSitePage(doc, about, t, shop, "index");
        master = InsertSiteMaster(doc);
        auto record = std::make_unique<CFileRecord>();
        record->m_strBaseName = "manual";
        record->m_strExtension = ".pdf";
        file = record.get();
        file->m_pParent = shop;
        doc.m_fileRecords.push_back(std::move(record));
        auto picture = std::make_unique<CPicture>();
        picture->m_strBaseName = "stone";
        picture->m_strExtension = ".png";
        texture = picture.get();
        doc.m_textures.push_back(std::move(picture));

        frame = std::make_unique<CChildFrame>();
        view = new CKJView;
        view->SetDocument(&document);
        frame->OnCreateClient(view);
        frame->resize(1100, 700);
        frame->show();
        view->OnInitialUpdate();
        view->FillSiteTree();
        tree()->expandAll();
        QCoreApplication::processEvents();
    }
    CSiteTreeCtrl* tree() { return frame->SiteTree(); }
    QTreeWidgetItem* Node(const CSiteObject* o) { return FindNode(tree(), o); }
    QPoint LabelPoint(const CSiteObject* o) { return tree()->LabelRect(Node(o)).center(); }
    // The popup for the node under the point, as the user opens it: id -> enabled.
    std::map<UINT, bool> Popup(QPoint at, int* index = nullptr)
    {
        const int i = tree()->PrepareContextMenu(at);
        if (index)
            *index = i;
        QMenu menu;
        tree()->FillContextMenu(menu, i);
        std::map<UINT, bool> out;
        const auto& items = tree()->ContextMenu().items[size_t(i)].popup;
        size_t k = 0;
        for (QAction* a : menu.actions()) {
            while (k < items.size() && items[k].separator)
                ++k;
            if (a->isSeparator())
                continue;
            out[items[k].id] = a->isEnabled();
            ++k;
        }
        return out;
    }

    CProjectDocument document;
    std::unique_ptr<CChildFrame> frame;
    CKJView* view = nullptr;
    CPage* about = nullptr;
    CFolder* shop = nullptr;
    CPage* shopIndex = nullptr;
    CMasterItem* master = nullptr;
    CFileRecord* file = nullptr;
    CPicture* texture = nullptr;
};

void DoubleClick(QWidget* w, QPoint at)
{
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), QPointF(w->mapToGlobal(at)), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at), QPointF(w->mapToGlobal(at)), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(w, &release);
    QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(at), QPointF(w->mapToGlobal(at)), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
    QApplication::sendEvent(w, &dbl);
    QApplication::sendEvent(w, &release);
}
} // namespace

TEST(SiteTreeMenu, EachEntryEnabledExactlyWhenItActs)
{
    SiteWindow w;
    struct Case {
        const char* node;
        const CSiteObject* object;
        int popup;
        std::map<UINT, bool> entries;
    } cases[] = {
        {"page", w.about, 1,
         {{ID_PAGE_SETUP, true}, {ID_PAGE_TITLE, true}, {ID_PAGE_RENAME_MOVE, true}, {ID_PAGE_PREVIEW, true},
          {ID_PAGE_PREVIEW_BROWSER, true}, {ID_VIEW_SOURCE, true}, {ID_PAGE_DELETE, true}}},
        {"folder", w.shop, 2, {{ID_FOLDER_RENAME, true}}},
        {"file", w.file, 3, {{ID_FOLDER_RENAME, true}, {ID_FILE_DELETE_RECORD, true}}},
        {"master", w.master, 4, {{ID_PAGE_SETUP, true}, {ID_PAGE_DELETE, true}}},
        {"texture", w.texture, 5, {{ID_TEXTURE_DELETE, true}}},
    };
    for (const Case& c : cases) {
        int index = -1;
        const auto got = w.Popup(w.tree()->visualItemRect(w.Node(c.object)).center(), &index);
        EXPECT_EQ(index, c.popup) << c.node;
        EXPECT_EQ(got, c.entries) << c.node;
    }
    // empty space: the site popup
    int index = -1;
    const auto site = w.Popup(QPoint(5, w.tree()->viewport()->height() - 3), &index);
    EXPECT_EQ(index, 0);
    EXPECT_EQ(site, (std::map<UINT, bool>{{ID_PAGE_INSERT, true}, {ID_FOLDER_INSERT, true}}));

    // the master is entered when chosen
    w.tree()->setCurrentItem(w.Node(w.master));
    EXPECT_EQ(w.view->m_pContainer, w.master);

    // with one page left, the page popup's Delete is greyed
    CKJDoc& doc = w.document.Project();
    while (doc.m_pages.size() > 1)
        doc.m_pages.pop_back();
    w.view->ResetViewPointers();
    w.view->FillSiteTree();
    const auto lone = w.Popup(w.tree()->visualItemRect(w.Node(doc.m_pages.front().get())).center());
    EXPECT_FALSE(lone.at(ID_PAGE_DELETE));
    EXPECT_TRUE(lone.at(ID_PAGE_SETUP));
}

TEST(SiteTreeMenu, EntriesActOnTheNodeUnderTheMouse)
{
    SiteWindow w;
    CKJDoc& doc = w.document.Project();
    // Texture/Delete through the menu's own action
    w.tree()->PrepareContextMenu(w.tree()->visualItemRect(w.Node(w.texture)).center());
    QMenu menu;
    w.tree()->FillContextMenu(menu, 5);
    ASSERT_EQ(menu.actions().size(), 1);
    menu.actions().front()->trigger();
    EXPECT_TRUE(doc.m_textures.empty());
    EXPECT_EQ(w.Node(w.texture), nullptr);
    w.tree()->expandAll(); // the deletion refilled the tree

    // Master/Setup opens the master's dialog
    std::vector<const std::type_info*> opened;
    const CDialog::ModalHook previous = CDialog::SetModalHook([&](CDialog& d) {
        opened.push_back(&typeid(d));
        return int(IDCANCEL);
    });
    w.tree()->PrepareContextMenu(w.tree()->visualItemRect(w.Node(w.master)).center());
    QMenu masterMenu;
    w.tree()->FillContextMenu(masterMenu, 4);
    masterMenu.actions().front()->trigger();
    // a double click on a page's label runs Page Setup for it; on its icon nothing
    DoubleClick(w.tree()->viewport(), w.LabelPoint(w.about));
    const QRect row = w.tree()->visualItemRect(w.Node(w.shopIndex));
    DoubleClick(w.tree()->viewport(), QPoint(row.left() + 3, row.center().y()));
    // a double click on the file opens its dialog
    DoubleClick(w.tree()->viewport(), w.LabelPoint(w.file));
    CDialog::SetModalHook(previous);
    ASSERT_EQ(opened.size(), 3u);
    EXPECT_EQ(*opened[0], typeid(DMaster));
    EXPECT_EQ(*opened[1], typeid(DPageSetup));
    EXPECT_EQ(*opened[2], typeid(DFileNode));
    EXPECT_EQ(w.view->m_pCurrentPage, w.shopIndex) << "the click on the icon chose the page, without its setup";
}

TEST(SiteTreeMenu, Screenshot)
{
    const QByteArray dir = qgetenv("TESSEL_SCREENSHOT_DIR");
    SiteWindow w;
    w.tree()->PrepareContextMenu(w.tree()->visualItemRect(w.Node(w.about)).center());
    QMenu menu(w.frame.get());
    w.tree()->FillContextMenu(menu, 1);
    const QRect at = w.tree()->visualItemRect(w.Node(w.about));
    menu.popup(w.tree()->viewport()->mapToGlobal(at.bottomLeft() + QPoint(40, 0)));
    QCoreApplication::processEvents();
    QImage image = w.frame->grab().toImage();
    // the popup is a window of its own: paint it where it stands over the frame
    const QPoint offset = menu.mapToGlobal(QPoint(0, 0)) - w.frame->mapToGlobal(QPoint(0, 0));
    QPainter painter(&image);
    painter.drawImage(offset, menu.grab().toImage());
    painter.end();
    EXPECT_FALSE(image.isNull());
    if (!dir.isEmpty()) {
        QDir().mkpath(QString::fromLocal8Bit(dir));
        image.save(QString::fromLocal8Bit(dir) + "/site-tree-menu.png");
    }
    menu.close();
}

