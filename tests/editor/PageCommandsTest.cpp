// Page, folder, master and site commands of the page view, driven through the command
// routing with their dialogs answered by hooks: numbering, setup by container kind,
// cancel leaving the project as it was, deletion, the site tree's contents and commands.
#include "EditingFixture.h"

#include "../support/ExternalTools.h"
#include "dialogs/EffectDialogs.h"
#include "dialogs/HeaderFooterDialogs.h"
#include "dialogs/PageNameDialog.h"
#include "dialogs/PageSetup.h"
#include "dialogs/SizeDialogs.h"
#include "dialogs/SmallItemDialogs.h"
#include "dialogs/SmallPropertyDialogs.h"
#include "model/PageOutput.h"
#include "model/PublishContext.h"
#include "dialogs/TitleDialog.h"
#include "dialogs/CodeView.h"
#include "document/Generate.h"
#include "document/SiteEdits.h"
#include "editor/SiteTreeNodes.h"
#include "framework/core/MessageBox.h"
#include "framework/ui/CmdTarget.h"
#include "model/Folder.h"
#include "model/HeaderFooterItem.h"
#include "model/MasterItem.h"
#include "model/Picture.h"

#include <gtest/gtest.h>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QListWidget>
#include <deque>
#include <functional>

using namespace edtest;

namespace {

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

// Answers the dialogs a command opens, in order; a dialog with no answer left fails the
// test and is cancelled. Message boxes are recorded and answered with answerBoxes.
struct Script {
    using Step = std::function<int(CDialog&)>;
    Script() : Script({}, IDYES) {}
    explicit Script(std::initializer_list<Step> steps, int answerBoxes = IDYES) : steps(steps)
    {
        previousHook = CDialog::SetModalHook([this](CDialog& dlg) {
            opened.push_back(&typeid(dlg));
            captions.push_back(CString::FromQString(dlg.windowTitle()));
            if (this->steps.empty()) {
                ADD_FAILURE() << "unexpected dialog " << typeid(dlg).name();
                return int(IDCANCEL);
            }
            Step step = this->steps.front();
            this->steps.pop_front();
            return step(dlg);
        });
        previousBox = SetMessageBoxHandler([this, answerBoxes](const CString& text, const CString&, unsigned) {
            boxes.push_back(text);
            return answerBoxes;
        });
    }
    ~Script()
    {
        CDialog::SetModalHook(previousHook);
        SetMessageBoxHandler(previousBox);
        EXPECT_TRUE(steps.empty()) << steps.size() << " dialogs did not open";
    }
    std::deque<Step> steps;
    std::vector<const std::type_info*> opened;
    std::vector<CString> captions;
    std::vector<CString> boxes;
    CDialog::ModalHook previousHook;
    MessageBoxHandler previousBox;
};

int Ok(CDialog& d)
{
    d.OnOK();
    return d.IsEnded() ? d.GetResult() : int(IDCANCEL);
}
int Cancel(CDialog&) { return IDCANCEL; }
template <class D> Script::Step As(std::function<int(D&)> f)
{
    return [f](CDialog& d) {
        auto* typed = dynamic_cast<D*>(&d);
        if (!typed) {
            ADD_FAILURE() << "expected " << typeid(D).name() << ", got " << typeid(d).name();
            return int(IDCANCEL);
        }
        return f(*typed);
    };
}

// A site: home page, "about", folder "shop" holding "index", a master, a band.
struct Site {
    CKJDoc doc;
    CPage* home;
    CPage* about;
    CFolder* shop;
    CPage* shopIndex;
    std::unique_ptr<ViewFixture> f;
    CKJView& view() { return f->view; }
    QTreeWidget& tree() { return *f->frame.tree; }

    Site()
    {
        home = AddPage(doc, 600, 400, 0xFFFFFF, "index");
        home->m_title = "Home Page";
        about = AddPage(doc, 600, 400, 0xFFFFFF, "about");
        about->m_title = "About";
        shop = AddFolder(doc, "shop", nullptr);
        shop->m_nSerial = 500; // out of the way of the folder numbers the tests expect
        SetObjectCounter(std::max(GetObjectCounter(), 501));
        shopIndex = AddPage(doc, 600, 400, 0xFFFFFF, "index");
        shopIndex->m_title = "Shop";
        shopIndex->m_pParent = shop;
        shopIndex->m_nParentId = shop->m_nSerial;
        for (auto& p : doc.m_pages) {
            p->SetSiteStyles(&doc.m_styles);
            p->RecalcLayout();
        }
        f = std::make_unique<ViewFixture>(doc);
        view().SetCurrentPage(home);
        view().FillSiteTree();
    }
    void Run(UINT id) { ExecuteCommand(&view(), id); }
    bool Enabled(UINT id)
    {
        CCmdUI ui(id);
        UpdateCommand(&view(), ui);
        return ui.m_bEnabled;
    }
};

// The tree as text: each node "text(image)" with its children in brackets.
std::string TreeText(const QTreeWidget& tree)
{
    std::function<std::string(QTreeWidgetItem*)> node = [&](QTreeWidgetItem* n) {
        std::string s = n->text(0).toStdString() + "(" + std::to_string(NodeImage(n)) + ")";
        if (n->childCount()) {
            s += "[";
            for (int i = 0; i < n->childCount(); ++i)
                s += (i ? " " : "") + node(n->child(i));
            s += "]";
        }
        return s;
    };
    std::string out;
    for (int i = 0; i < tree.topLevelItemCount(); ++i)
        out += (i ? " " : "") + node(tree.topLevelItem(i));
    return out;
}

} // namespace

// ---------------------------------------------------------------- the tree

TEST(SiteTree, ContentsOrderNestingAndImages)
{
    CKJDoc doc;
    for (const char* name : {"contact", "about", "index"}) {
        CPage* p = AddPage(doc, 600, 400, 0xFFFFFF, name);
        p->m_title = name[0] == 'c' ? "Contact" : name[0] == 'a' ? "About" : "Home Page";
    }
    CFolder* docs = AddFolder(doc, "docs", nullptr);
    CPage* inner = AddPage(doc, 600, 400, 0xFFFFFF, "index");
    inner->m_title = "Docs";
    inner->m_pParent = docs;
    AddMaster(doc, 600, 400);
    QTreeWidget tree;
    FillSiteTree(tree, doc);
    EXPECT_EQ(TreeText(tree), "About [about.html](0) Contact [contact.html](0) docs(1)[Docs [index.html](6)] "
                              "Home Page [index.html](2) Master 1(10)");
}

TEST(SiteTree, AnyOrderOfTheFolderListGivesTheSameTree)
{
    CKJDoc doc;
    AddPage(doc, 600, 400, 0xFFFFFF, "index");
    CFolder* a = AddFolder(doc, "a", nullptr);
    CFolder* b = AddFolder(doc, "b", a);
    CFolder* c = AddFolder(doc, "c", b);
    CPage* deep = AddPage(doc, 600, 400, 0xFFFFFF, "deep");
    deep->m_pParent = c;
    QTreeWidget tree;
    FillSiteTree(tree, doc);
    const std::string expected = TreeText(tree);
    EXPECT_EQ(expected, "a(1)[b(1)[c(1)[deep [deep.html](0)]]] index [index.html](2)");
    // every order of the three folders
    std::vector<std::unique_ptr<CFolder>> owned;
    for (auto& f : doc.m_folders)
        owned.push_back(std::move(f));
    doc.m_folders.clear();
    std::vector<int> order{0, 1, 2};
    do {
        doc.m_folders.clear();
        for (int i : order)
            doc.m_folders.push_back(std::unique_ptr<CFolder>(owned[size_t(i)].get()));
        FillSiteTree(tree, doc);
        EXPECT_EQ(TreeText(tree), expected) << order[0] << order[1] << order[2];
        for (auto& f : doc.m_folders)
            (void)f.release();
    } while (std::next_permutation(order.begin(), order.end()));
    doc.m_folders.clear();
    for (auto& f : owned)
        doc.m_folders.push_back(std::move(f));
}

TEST(SiteTree, FolderRenameChangesOneTextAMoveRefillsAMoveIntoADescendantIsRefused)
{
    Site s;
    CFolder* inner = AddFolder(s.doc, "inner", s.shop);
    s.view().FillSiteTree();
    QTreeWidgetItem* shopNode = FindNode(&s.tree(), s.shop);
    QTreeWidgetItem* homeNode = FindNode(&s.tree(), s.home);
    s.tree().setCurrentItem(shopNode);
    {
        Script script{As<DPageName>([](DPageName& d) {
            d.SetDlgItemText(1000, "store");
            return Ok(d);
        })};
        s.Run(ID_FOLDER_RENAME);
    }
    EXPECT_EQ(s.shop->m_strBaseName, "store");
    EXPECT_EQ(FindNode(&s.tree(), s.shop), shopNode) << "renaming keeps the nodes";
    EXPECT_EQ(FindNode(&s.tree(), s.home), homeNode);
    EXPECT_EQ(shopNode->text(0), "store");

    // moving "store" into its own child is refused and changes nothing
    const std::vector<BYTE> before = ProjectBytes(s.doc);
    s.tree().setCurrentItem(FindNode(&s.tree(), s.shop));
    {
        Script script{As<DPageName>([&](DPageName& d) {
            auto* list = qobject_cast<QComboBox*>(d.GetDlgItem(1018));
            list->setCurrentIndex(list->findData(QVariant::fromValue<void*>(inner)));
            d.OnOK();
            EXPECT_FALSE(d.IsEnded());
            return int(IDCANCEL);
        })};
        s.Run(ID_FOLDER_RENAME);
        ASSERT_EQ(script.boxes.size(), 1u);
        EXPECT_EQ(script.boxes[0], "A folder can not be moved into itself or into one of its folders.");
    }
    EXPECT_EQ(ProjectBytes(s.doc), before);

    // moving "inner" to the root rebuilds the tree with it there
    s.tree().setCurrentItem(FindNode(&s.tree(), inner));
    {
        Script script{As<DPageName>([](DPageName& d) {
            qobject_cast<QComboBox*>(d.GetDlgItem(1018))->setCurrentIndex(0);
            return Ok(d);
        })};
        s.Run(ID_FOLDER_RENAME);
    }
    EXPECT_EQ(inner->GetParentFolder(), nullptr);
    EXPECT_EQ(FindNode(&s.tree(), inner)->parent(), nullptr);
    EXPECT_NE(FindNode(&s.tree(), s.home), homeNode) << "a move refills";
}

// ---------------------------------------------------------------- numbering

TEST(PageCommands, InsertAndNewFolderNumbering)
{
    Site s;
    s.doc.m_nPageCounter = 7;
    {
        Script script{As<DTitle>([](DTitle& d) {
                          EXPECT_EQ(d.m_title.GetUtf8(), "New Page 7");
                          return Ok(d);
                      }),
                      As<DPageName>([](DPageName& d) {
                          EXPECT_EQ(d.GetDlgItemText(1000), "new_page_7");
                          return Ok(d);
                      })};
        s.Run(ID_PAGE_INSERT);
    }
    EXPECT_EQ(s.doc.m_nPageCounter, 8);
    ASSERT_EQ(s.doc.m_pages.size(), 4u);
    CPage* added = s.doc.m_pages[1].get();
    EXPECT_EQ(added->m_strBaseName, "new_page_7") << "after the current page";
    EXPECT_EQ(added->m_title.GetUtf8(), "New Page 7");
    EXPECT_EQ(s.view().m_pCurrentPage, added);
    EXPECT_EQ(NodeObject(s.tree().currentItem()), added);
    EXPECT_TRUE(s.doc.IsModified());

    {
        Script script{As<DPageName>([](DPageName& d) {
                          EXPECT_EQ(d.GetDlgItemText(1000), "folder8");
                          EXPECT_FALSE(d.GetDlgItem(1001)->isEnabled());
                          return Ok(d);
                      }),
                      As<DTitle>([](DTitle& d) {
                          EXPECT_EQ(d.m_title.GetUtf8(), "Home Page for Folder folder8");
                          return Ok(d);
                      })};
        s.Run(ID_FOLDER_INSERT);
    }
    CFolder* folder = s.doc.m_folders.back().get();
    EXPECT_EQ(folder->m_strBaseName, "folder8");
    EXPECT_EQ(folder->m_nSerial, 8);
    EXPECT_EQ(s.doc.m_nPageCounter, 10);
    CPage* home = s.view().m_pCurrentPage;
    EXPECT_EQ(home->GetFolder(), folder);
    EXPECT_EQ(home->m_strBaseName, "index");
    EXPECT_EQ(NodeImage(FindNode(&s.tree(), home)), int(IMAGE_FOLDER_HOME));

    // a folder id another folder bears is skipped
    s.doc.m_nPageCounter = 8;
    {
        Script script{As<DPageName>(Ok), Script::Step(Cancel)};
        s.Run(ID_FOLDER_INSERT);
    }
    EXPECT_EQ(s.doc.m_folders.back()->m_nSerial, 9);
    EXPECT_EQ(s.doc.m_folders.back()->m_strBaseName, "folder9");
    EXPECT_EQ(s.doc.m_pages.size(), 5u) << "a cancelled home page leaves the folder without one";
}

TEST(PageCommands, CancelInEveryStepLeavesTheProjectAsItWas)
{
    Site s;
    s.doc.m_undo.Clear();
    s.doc.SetModifiedFlag(false);
    const std::vector<BYTE> before = ProjectBytes(s.doc);
    auto check = [&](const char* what) {
        EXPECT_EQ(ProjectBytes(s.doc), before) << what;
        EXPECT_TRUE(s.doc.m_undo.IsEmpty()) << what;
        EXPECT_FALSE(s.doc.IsModified()) << what;
    };
    {
        Script script{Script::Step(Cancel)};
        s.Run(ID_PAGE_INSERT);
    }
    check("insert: title");
    {
        Script script{As<DTitle>(Ok), Script::Step(Cancel)};
        s.Run(ID_PAGE_INSERT);
    }
    check("insert: name");
    {
        Script script{Script::Step(Cancel)};
        s.Run(ID_FOLDER_INSERT);
    }
    check("new folder");
    {
        Script script{As<DPageName>([](DPageName& d) {
            d.SetDlgItemText(1000, "renamed");
            return int(IDCANCEL);
        })};
        s.Run(ID_PAGE_RENAME_MOVE);
    }
    check("rename/move");
    {
        // padding changed from inside Page Setup, then Cancel
        Script script{As<DPageSetup>([](DPageSetup& d) {
                          d.SetDlgItemText(1000, "1234");
                          d.SendNotify(1064, BN_CLICKED);
                          return int(IDCANCEL);
                      }),
                      As<DPadding>([](DPadding& d) {
                          d.m_nPadding = 40;
                          d.EndDialog(IDOK);
                          return int(IDOK);
                      })};
        s.Run(ID_PAGE_SETUP);
    }
    check("page setup");
    {
        Script script{As<DPadding>(Cancel)};
        s.Run(ID_PAGE_PADDING);
    }
    check("padding");
    {
        Script script{As<DPageHeight>(Cancel)};
        s.Run(ID_PAGE_HEIGHT);
    }
    check("height");
    {
        Script script{As<DBodyMargin>(Cancel)};
        s.Run(ID_PAGE_MARGIN);
    }
    check("margin");
    {
        // a band made and another chosen inside, then Cancel
        Script script{As<DHeadersFooters>([](DHeadersFooters& d) {
                          d.SendNotify(1037, BN_CLICKED);
                          return int(IDCANCEL);
                      }),
                      As<DHeaderFooter>(Ok)};
        s.Run(ID_PAGE_HEADER_FOOTER);
    }
    check("header/footer");
    {
        Script script{Script::Step(Cancel)};
        s.Run(ID_PAGE_BORDERS);
    }
    check("borders");
    {
        Script script{As<DLayout>(Cancel)};
        s.Run(ID_WEBSITE_LAYOUT);
    }
    check("layout");
    {
        Script script(std::initializer_list<Script::Step>{}, IDNO);
        s.Run(ID_PAGE_DELETE);
        EXPECT_EQ(script.boxes.size(), 1u);
    }
    check("delete answered No");
}

// ---------------------------------------------------------------- setup

TEST(PageCommands, SetupByContainerKind)
{
    Site s;
    CHeaderFooterItem* band = AddBand(s.doc, true, 600, 80, 0xCCCCCC);
    band->m_strName = "Top";
    CMasterItem* master = AddMaster(s.doc, 600, 300);
    auto* group = new CGroupItem;
    group->m_nWidth = 100;
    group->m_nHeight = 50;
    group->m_strName = "box";
    s.home->AddChild(group);

    struct Case {
        CItem* container;
        const std::type_info* dialog;
        const char* undo;
    } cases[] = {{band, &typeid(DHeaderFooter), "Header/Footer Setup"},
                 {master, &typeid(DMaster), "Master Setup"},
                 {group, &typeid(DDiv), "Div Setup"}};
    for (const Case& c : cases) {
        s.view().SetCurrentPage(s.home);
        s.view().EnterContainer(c.container);
        s.doc.m_undo.Clear();
        {
            Script script{[](CDialog& d) { return Ok(d); }};
            s.Run(ID_PAGE_SETUP);
            ASSERT_EQ(script.opened.size(), 1u);
            EXPECT_EQ(*script.opened[0], *c.dialog) << c.undo;
        }
        ASSERT_FALSE(s.doc.m_undo.IsEmpty()) << c.undo;
        EXPECT_EQ(s.doc.m_undo.GetHead()->m_strDescription, c.undo);
        // Cancel drops the snapshot
        {
            Script script{Script::Step(Cancel)};
            s.Run(ID_PAGE_SETUP);
        }
        EXPECT_EQ(s.doc.m_undo.GetCount(), 1u) << c.undo;
    }
    // a slider's dialog is not wired yet: Setup is greyed, never inert
    CItem* slider = CreateItem(ITEM_SLIDER);
    s.home->AddChild(slider);
    s.view().SetCurrentPage(s.home);
    EXPECT_TRUE(s.Enabled(ID_PAGE_SETUP));
    s.view().EnterContainer(slider);
    EXPECT_FALSE(s.Enabled(ID_PAGE_SETUP));
}

TEST(PageCommands, SetupFollowUpsKeepTheSnapshotAndTheExtensionChangesOnlyOnOk)
{
    Site s;
    s.view().SetCurrentPage(s.about);
    s.doc.m_undo.Clear();
    {
        // PHP ticked, then Rename/Move: the follow-up runs with the snapshot kept
        Script script{As<DPageSetup>([](DPageSetup& d) {
                          d.CheckDlgButton(1010, 1);
                          d.EndDialog(kPageSetupRenameMove);
                          return kPageSetupRenameMove;
                      }),
                      As<DPageName>([](DPageName& d) {
                          d.SetDlgItemText(1000, "about_us");
                          return Ok(d);
                      })};
        s.Run(ID_PAGE_SETUP);
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(s.about->m_strBaseName, "about_us");
    EXPECT_EQ(s.about->m_strExtension, ".html") << "the box of a dialog that was not confirmed";
    ASSERT_GE(s.doc.m_undo.GetCount(), 1u);
    bool setupKept = false;
    for (std::size_t i = 0; i < s.doc.m_undo.GetCount(); ++i)
        setupKept = setupKept || s.doc.m_undo.GetAt(i)->m_strDescription == "Page Setup";
    EXPECT_TRUE(setupKept);

    {
        Script script{As<DPageSetup>([](DPageSetup& d) {
            d.CheckDlgButton(1010, 1);
            return Ok(d);
        })};
        s.Run(ID_PAGE_SETUP);
    }
    EXPECT_EQ(s.about->m_strExtension, ".php");
    EXPECT_EQ(FindNode(&s.tree(), s.about)->text(0), "About [about_us.php]");
}

TEST(PageCommands, BordersAskAfterOkAndApplyToAll)
{
    Site s;
    {
        Script script{[](CDialog&) { return int(IDCANCEL); }};
        s.Run(ID_PAGE_BORDERS);
        EXPECT_TRUE(script.boxes.empty()) << "no question after Cancel";
    }
    {
        Script script{[](CDialog& d) {
            d.EndDialog(IDOK);
            return int(IDOK);
        }};
        s.Run(ID_PAGE_BORDERS);
        ASSERT_EQ(script.boxes.size(), 1u);
        EXPECT_EQ(script.boxes[0], "Apply new borders to all pages?");
    }
}

// ---------------------------------------------------------------- delete and masters

TEST(PageCommands, DeletingAPageOrMasterEmptiesUndoAndShowsTheFirstPage)
{
    Site s;
    s.view().SetCurrentPage(s.about);
    EXPECT_TRUE(s.Enabled(ID_PAGE_DELETE));
    s.doc.RecordUndo(s.about, s.about, nullptr, "x");
    {
        Script script(std::initializer_list<Script::Step>{}, IDYES);
        s.Run(ID_PAGE_DELETE);
        ASSERT_EQ(script.boxes.size(), 1u);
        EXPECT_EQ(script.boxes[0], "Do you want to delete the current page?");
    }
    EXPECT_EQ(s.doc.m_pages.size(), 2u);
    EXPECT_TRUE(s.doc.m_undo.IsEmpty());
    EXPECT_EQ(s.view().m_pCurrentPage, s.home);
    EXPECT_EQ(s.view().m_pContainer, s.home);
    EXPECT_EQ(NodeObject(s.tree().currentItem()), s.home);
    for (const auto& p : s.doc.m_pages)
        EXPECT_EQ(p->m_nUploadState, 0) << "links to the page changed";

    // masters: two inserts number 1 and 2; every page without a second master gets one
    {
        Script script;
        s.Run(ID_PAGE_INSERT_MASTER);
        s.view().SetCurrentPage(s.home);
        s.Run(ID_PAGE_INSERT_MASTER);
    }
    ASSERT_EQ(s.doc.m_masters.size(), 2u);
    CMasterItem* first = s.doc.m_masters[0].get();
    EXPECT_EQ(s.doc.m_masters[1]->m_strName, "Master 2");
    EXPECT_EQ(s.view().m_pContainer, s.doc.m_masters[1].get());
    for (const auto& p : s.doc.m_pages)
        EXPECT_EQ(p->m_pMaster2, first);
    s.view().EnterContainer(first);
    EXPECT_TRUE(s.Enabled(ID_PAGE_DELETE));
    {
        Script script(std::initializer_list<Script::Step>{}, IDYES);
        s.Run(ID_PAGE_DELETE);
        EXPECT_EQ(script.boxes.at(0), "Do you want to delete the current master?");
    }
    EXPECT_EQ(s.doc.m_masters.size(), 1u);
    for (const auto& p : s.doc.m_pages) {
        EXPECT_EQ(p->m_pMaster2, nullptr);
        EXPECT_EQ(p->m_nMaster2Id, 0);
    }
    EXPECT_EQ(s.view().m_pContainer, s.home);

    // one page left: disabled, and the handler does nothing
    s.view().SetCurrentPage(s.shopIndex);
    {
        Script script(std::initializer_list<Script::Step>{}, IDYES);
        s.Run(ID_PAGE_DELETE);
    }
    ASSERT_EQ(s.doc.m_pages.size(), 1u);
    EXPECT_FALSE(s.Enabled(ID_PAGE_DELETE));
    {
        Script script(std::initializer_list<Script::Step>{}, IDYES);
        s.Run(ID_PAGE_DELETE);
        EXPECT_TRUE(script.boxes.empty());
    }
}

// ---------------------------------------------------------------- site-wide

TEST(PageCommands, PageWidthReachesEveryPageBandAndMaster)
{
    CKJDoc doc;
    AddPage(doc, 600, 400, 0xFFFFFF, "a");
    AddPage(doc, 700, 400, 0xFFFFFF, "b");
    AddBand(doc, true, 600, 80, 0);
    AddBand(doc, false, 600, 30, 0);
    AddMaster(doc, 500, 300);
    EXPECT_FALSE(SetSitePageWidth(doc, doc.m_nPageWidth));
    EXPECT_TRUE(SetSitePageWidth(doc, 1111));
    CItemList all;
    for (auto& p : doc.m_pages)
        EXPECT_EQ(p->m_nWidth, 1111);
    EXPECT_EQ(doc.m_headerBands[0]->m_nWidth, 1111);
    EXPECT_EQ(doc.m_footerBands[0]->m_nWidth, 1111);
    EXPECT_EQ(doc.m_masters[0]->m_nWidth, 1111);
}

TEST(PageCommands, ViewSourceIsTheUploadedPageAndValid)
{
    Site s;
    s.view().SetCurrentPage(s.about);
    CString shown;
    {
        Script script{As<DCodeView>([&](DCodeView& d) {
            shown = d.m_strText;
            EXPECT_EQ(d.m_strCaption, "about.html");
            return int(IDOK);
        })};
        s.Run(ID_VIEW_SOURCE);
    }
    ASSERT_FALSE(shown.IsEmpty());
    CPageOutput out(kPublishUpload, s.doc.m_nPageWidth);
    BuildPageHtml(s.doc, s.about, out);
    EXPECT_EQ(shown, out.m_strFinalPage);
    EXPECT_EQ(testsupport::TidyErrors(QByteArray(shown.GetString())), QByteArray());
}

TEST(PageCommands, DeletingATextureLeavesNoReference)
{
    Site s;
    auto texture = std::make_unique<CPicture>();
    texture->m_strBaseName = "stone";
    texture->m_strExtension = ".png";
    CPicture* t = texture.get();
    s.doc.m_textures.push_back(std::move(texture));
    auto use = [t](CFillStyle& fill) {
        fill.m_pPicture = t;
        fill.m_nPictureId = t->m_nSerial;
        fill.m_nKind = CFillStyle::KindPicture;
    };
    CGroupItem* box = AddBox(*s.about, 0, 0, 50, 50, 0xFF);
    use(*box->m_pFill);
    use(*s.home->m_pFill);
    use(s.doc.m_websiteBackground);
    auto cls = std::make_unique<CStyleClass>(0, 1);
    cls->m_strName = "hot";
    use(cls->m_hoverFill);
    s.doc.m_styleClasses.push_back(std::move(cls));
    s.view().FillSiteTree();
    s.tree().setCurrentItem(FindNode(&s.tree(), t));
    EXPECT_TRUE(s.Enabled(ID_TEXTURE_DELETE));
    s.Run(ID_TEXTURE_DELETE);
    EXPECT_TRUE(s.doc.m_textures.empty());
    EXPECT_EQ(FindNode(&s.tree(), t), nullptr);
    for (CFillStyle* fill : {box->m_pFill.get(), s.home->m_pFill.get(), &s.doc.m_websiteBackground,
                             &s.doc.m_styleClasses.back()->m_hoverFill}) {
        EXPECT_EQ(fill->m_pPicture, nullptr);
        EXPECT_EQ(fill->m_nPictureId, 0);
    }
    // the project saves and reads back
    const std::vector<BYTE> bytes = ProjectBytes(s.doc);
    CMemFile file;
    file.Write(bytes.data(), bytes.size());
    file.SeekToBegin();
    CKJDoc again;
    CArchive ar(&file, CArchive::load);
    EXPECT_NO_THROW(again.Serialize(ar));
    EXPECT_EQ(again.m_pages.size(), 3u);
}

TEST(PageCommands, FileRecordsRenameAndDelete)
{
    Site s;
    auto record = std::make_unique<CFileRecord>();
    record->m_strBaseName = "manual";
    record->m_strExtension = ".pdf";
    CFileRecord* file = record.get();
    s.doc.m_fileRecords.push_back(std::move(record));
    s.view().FillSiteTree();
    s.tree().setCurrentItem(FindNode(&s.tree(), file));
    EXPECT_TRUE(s.Enabled(ID_FOLDER_RENAME));
    EXPECT_TRUE(s.Enabled(ID_FILE_DELETE_RECORD));
    EXPECT_FALSE(s.Enabled(ID_TEXTURE_DELETE));
    {
        Script script{As<DPageName>([&](DPageName& d) {
            EXPECT_FALSE(d.GetDlgItem(1001)->isEnabled()) << "no PHP box";
            d.SetDlgItemText(1000, "guide");
            auto* list = qobject_cast<QComboBox*>(d.GetDlgItem(1018));
            list->setCurrentIndex(list->findData(QVariant::fromValue<void*>(s.shop)));
            return Ok(d);
        })};
        s.Run(ID_FOLDER_RENAME);
    }
    EXPECT_EQ(file->GetFileName(), "guide.pdf");
    EXPECT_EQ(file->m_pParent, s.shop);
    EXPECT_EQ(FindNode(&s.tree(), file)->parent(), FindNode(&s.tree(), s.shop));

    s.doc.RecordUndo(s.home, s.home, nullptr, "x");
    s.tree().setCurrentItem(FindNode(&s.tree(), file));
    s.Run(ID_FILE_DELETE_RECORD);
    EXPECT_TRUE(s.doc.m_fileRecords.empty());
    EXPECT_TRUE(s.doc.m_undo.IsEmpty());
    EXPECT_EQ(FindNode(&s.tree(), file), nullptr);
}

// ---------------------------------------------------------------- the name dialog

TEST(PageNameDialog, RulesAndMessages)
{
    Site s;
    const CString forbidden = "The name can not contain the following characters / \\ : < > | ? * \" & % |";
    struct Case {
        const char* name;
        CFolder* folder;
        const char* message; // empty: accepted
    } cases[] = {
        {"", nullptr, "Enter the name of the file."},
        {"a/b", nullptr, forbidden},       {"a\\b", nullptr, forbidden}, {"a:b", nullptr, forbidden},
        {"a<b", nullptr, forbidden},       {"a>b", nullptr, forbidden},  {"a|b", nullptr, forbidden},
        {"a?b", nullptr, forbidden},       {"a*b", nullptr, forbidden},  {"a\"b", nullptr, forbidden},
        {"a&b", nullptr, forbidden},       {"a%b", nullptr, forbidden},
        {"caf\xC3\xA9", nullptr, "The name can not contain diacritics."},
        {"a#b", nullptr, "The name can not contain the following characters #"},
        {"..", nullptr, "The name can not start with a dot."},
        {".x", nullptr, "The name can not start with a dot."},
        {"Index", nullptr, "The file name Index already existis in folder."},
        {"index", nullptr, "The file name index already existis in folder."},
        {"about", nullptr, ""}, // its own name
        {"index", s.shop, "The file name index already existis in folder."},
        {"about", s.shop, ""},
        {"two words", nullptr, ""},
    };
    for (const Case& c : cases) {
        DPageName dlg;
        dlg.m_pDoc = &s.doc;
        dlg.m_pObject = s.about;
        dlg.m_pFolder = c.folder;
        dlg.m_strName = c.name;
        Script script{[&](CDialog& d) {
            auto& pn = static_cast<DPageName&>(d);
            pn.OnOK();
            return pn.IsEnded() ? pn.GetResult() : int(IDCANCEL);
        }};
        const int result = dlg.DoModal();
        if (*c.message) {
            EXPECT_EQ(result, IDCANCEL) << c.name;
            ASSERT_EQ(script.boxes.size(), 1u) << c.name;
            EXPECT_EQ(script.boxes[0], c.message) << c.name;
        } else {
            EXPECT_EQ(result, IDOK) << c.name;
            EXPECT_TRUE(script.boxes.empty()) << c.name;
            EXPECT_EQ(dlg.m_pChosenFolder, c.folder) << c.name;
        }
    }
    // blanks become underscores before the other rules
    DPageName dlg;
    dlg.m_pDoc = &s.doc;
    dlg.m_strName = "two words";
    Script script{[](CDialog& d) { return Ok(d); }};
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_strName, "two_words");
}

namespace {

// Page Setup sends the other pages back to "not uploaded" only when what they show of
// this page changes (its address); a change of its own touches this page alone.
TEST(PageCommands, PageSetupTouchesTheSiteOnlyWhenTheAddressChanges)
{
    Site s;
    s.view().SetCurrentPage(s.about);
    struct Round {
        int php;
        int others; // the upload state the other pages have after OK
    };
    const Round rounds[] = {{0, 2}, {1, 0}, {1, 2}, {0, 0}};
    for (const Round& r : rounds) {
        SCOPED_TRACE(r.php);
        for (auto& p : s.doc.m_pages)
            p->m_nUploadState = 2;
        {
            Script script{As<DPageSetup>([&r](DPageSetup& d) {
                d.SetDlgItemText(1003, "777"); // the page's height and title: its own
                d.SetDlgItemText(1005, "About us");
                d.CheckDlgButton(1010, r.php);
                return Ok(d);
            })};
            s.Run(ID_PAGE_SETUP);
        }
        EXPECT_EQ(s.about->m_strExtension, r.php ? ".php" : ".html");
        EXPECT_EQ(s.about->m_nHeight, 777);
        EXPECT_EQ(s.about->m_nUploadState, 0);
        EXPECT_EQ(s.home->m_nUploadState, r.others);
        EXPECT_EQ(s.shopIndex->m_nUploadState, r.others);
    }
}

} // namespace
