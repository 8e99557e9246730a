// Dialogs of the site's structure and of item actions: bands, named strings, Clone to
// Page, Categories, the item tree and the action editor with its value dialogs. Nested
// dialogs are answered in order by a script.
#include "DialogTestSupport.h"

#include "../support/ExternalTools.h"
#include "dialogs/ActionDialogs.h"
#include "dialogs/HeaderFooterDialogs.h"
#include "dialogs/LinkDialog.h"
#include "dialogs/PageNameDialog.h"
#include "dialogs/SiteListDialogs.h"
#include "dialogs/StringsDialogs.h"
#include "document/Generate.h"
#include "document/KJDoc.h"
#include "model/FillStyle.h"
#include "model/GroupItem.h"
#include "model/HeaderFooterItem.h"
#include "model/ItemAction.h"
#include "model/ItemFactory.h"
#include "model/ItemLink.h"
#include "model/ItemTypes.h"
#include "model/Page.h"
#include "model/PageOutput.h"
#include "model/PublishContext.h"
#include "model/items/CategoriesItem.h"
#include "controls/ColorControl.h"
#include "dialogs/LinkItemDialogs.h"

#include <gtest/gtest.h>
#include <QtGui/QClipboard>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QApplication>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QListWidget>
#include <deque>

using namespace dialogtest;

namespace {

// Answers every dialog opened while it lives, in order; records the message boxes.
struct Script {
    using Step = std::function<int(CDialog&)>;
    explicit Script(std::initializer_list<Step> list, int boxAnswer = IDYES) : steps(list)
    {
        previous = CDialog::SetModalHook([this](CDialog& d) {
            if (steps.empty()) {
                ADD_FAILURE() << "unexpected dialog " << typeid(d).name();
                return int(IDCANCEL);
            }
            Step step = steps.front();
            steps.pop_front();
            return step(d);
        });
        previousBox = SetMessageBoxHandler([this, boxAnswer](const CString& text, const CString&, unsigned) {
            boxes.push_back(text);
            return boxAnswer;
        });
    }
    ~Script()
    {
        CDialog::SetModalHook(previous);
        SetMessageBoxHandler(previousBox);
        EXPECT_TRUE(steps.empty()) << steps.size() << " dialogs did not open";
    }
    std::deque<Step> steps;
    std::vector<CString> boxes;
    CDialog::ModalHook previous;
    MessageBoxHandler previousBox;
};

int Ok(CDialog& d)
{
    d.OnOK();
    return d.IsEnded() ? d.GetResult() : int(IDCANCEL);
}
int Cancel(CDialog&) { return IDCANCEL; }

CHeaderFooterItem* AddBand(CKJDoc& doc, bool header, const char* name, int w, int h)
{
    auto band = std::make_unique<CHeaderFooterItem>();
    band->m_strName = name;
    band->m_nWidth = w;
    band->m_nHeight = h;
    auto& list = header ? doc.m_headerBands : doc.m_footerBands;
    list.push_back(std::move(band));
    return list.back().get();
}

QStringList Rows(QListWidget* list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

QStringList Rows(CReportList* list, int column = 0)
{
    QStringList out;
    for (int i = 0; i < list->GetItemCount(); ++i)
        out << list->GetItemText(i, column).ToQString();
    return out;
}

} // namespace

// ---------------------------------------------------------------- bands

TEST(HeadersFooters, ListsPlusSizesAndCancel)
{
    CKJDoc doc;
    doc.ResetToNewSite();
    doc.m_headerBands.clear();
    doc.m_footerBands.clear();
    CHeaderFooterItem* first = AddBand(doc, true, "Top", 800, 120);
    AddBand(doc, true, "Other", 500, 60);
    DHeadersFooters dlg;
    dlg.m_pDoc = &doc;
    dlg.m_pHeader = first;
    dlg.m_strCaption = "Home Page";
    CHeaderFooterItem* made = nullptr;
    Script script{[&](CDialog& d) {
                      auto& h = static_cast<DHeadersFooters&>(d);
                      auto* headers = qobject_cast<QListWidget*>(h.GetDlgItem(1078));
                      auto* footers = qobject_cast<QListWidget*>(h.GetDlgItem(1167));
                      EXPECT_EQ(Rows(headers), QStringList({"<none>", "Top", "Other"}));
                      EXPECT_EQ(Rows(footers), QStringList({"<none>"}));
                      EXPECT_EQ(headers->currentRow(), 1);
                      EXPECT_EQ(h.windowTitle(), "Headers/Footers : Home Page");
                      EXPECT_TRUE(h.GetDlgItem(1047)->isEnabled());
                      EXPECT_FALSE(h.GetDlgItem(1073)->isEnabled()) << "no footer chosen";
                      Screenshot(h, "headers-footers");
                      h.SendNotify(1037, BN_CLICKED); // header "+": answered below
                      h.SendNotify(1064, BN_CLICKED); // footer "+": cancelled below
                      EXPECT_EQ(Rows(footers), QStringList({"<none>"}));
                      footers->setCurrentRow(0);
                      h.SendNotify(1073, BN_CLICKED); // "-" on "<none>" does nothing
                      made = h.m_pHeader;
                      return int(IDCANCEL);
                  },
                  [&](CDialog& d) {
                      auto& band = static_cast<DHeaderFooter&>(d);
                      // a new header takes the first header's size, not the last one's
                      EXPECT_EQ(band.m_pBand->m_nWidth, 800);
                      EXPECT_EQ(band.m_pBand->m_nHeight, 120);
                      EXPECT_EQ(band.GetDlgItemText(1017), "New Header");
                      EXPECT_TRUE(band.GetDlgItem(1073)->isEnabled()) << "its background";
                      return Ok(d);
                  },
                  [&](CDialog& d) {
                      auto& band = static_cast<DHeaderFooter&>(d);
                      EXPECT_EQ(band.m_pBand->m_nHeight, 30) << "footer default";
                      EXPECT_EQ(band.GetDlgItemText(1017), "New Footer");
                      return int(IDCANCEL);
                  }};
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_NE(made, nullptr);
    EXPECT_EQ(doc.m_headerBands.size(), 2u) << "a band made in a cancelled dialog never reaches the document";
    EXPECT_TRUE(doc.m_footerBands.empty());
    EXPECT_TRUE(script.boxes.empty());
}

TEST(HeadersFooters, DeletingABandAsksClearsReferencesAndUndoAndPagesStayValid)
{
    CKJDoc doc;
    doc.ResetToNewSite();
    ASSERT_FALSE(doc.m_headerBands.empty());
    CHeaderFooterItem* header = doc.m_headerBands.front().get();
    CPage* home = doc.m_pages.front().get();
    CWString title;
    title = "Second";
    CPage* second = doc.AddPage(home, &title);
    ASSERT_EQ(second->m_pHeaderBand, header);
    doc.RecordUndo(home, home, nullptr, "x");
    for (auto& p : doc.m_pages)
        p->m_nUploadState = 2;

    DHeadersFooters dlg;
    dlg.m_pDoc = &doc;
    dlg.m_pHeader = header;
    dlg.m_pFooter = home->m_pFooterBand;
    Script script{[&](CDialog& d) {
        d.SendNotify(1047, BN_CLICKED);
        EXPECT_EQ(static_cast<DHeadersFooters&>(d).m_pHeader, nullptr);
        EXPECT_EQ(doc.m_headerBands.size(), 1u) << "nothing changes before OK";
        return Ok(d);
    }};
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_nDeleted, 1);
    ASSERT_EQ(script.boxes.size(), 1u);
    EXPECT_TRUE(doc.m_headerBands.empty());
    EXPECT_TRUE(doc.m_undo.IsEmpty());
    for (auto& p : doc.m_pages) {
        EXPECT_EQ(p->m_pHeaderBand, nullptr);
        EXPECT_EQ(p->m_nHeaderBandId, 0);
        // the opener's edit scope marks the pages (it counts a deletion as the site's change)
        EXPECT_EQ(p->m_nUploadState, 2);
        CPageOutput out(kPublishUpload, doc.m_nPageWidth);
        BuildPageHtml(doc, p.get(), out);
        EXPECT_EQ(testsupport::TidyErrors(QByteArray(out.m_strFinalPage.GetString())), QByteArray());
    }
}

TEST(HeaderFooter, BackgroundWorksWithoutAFillRecordAndMarksThePagesShowingTheBand)
{
    CKJDoc doc;
    doc.ResetToNewSite();
    ASSERT_FALSE(doc.m_headerBands.empty());
    CHeaderFooterItem* header = doc.m_headerBands.front().get();
    CPage* home = doc.m_pages.front().get();
    ASSERT_EQ(home->m_pHeaderBand, header);
    CWString title;
    title = "Second";
    CPage* second = doc.AddPage(home, &title);
    second->m_pHeaderBand = nullptr;
    second->m_nHeaderBandId = 0;
    header->m_pFill.reset(); // as read from a file that had none
    for (auto& p : doc.m_pages)
        p->m_nUploadState = 2;
    doc.m_nCssUploadState = 2;
    DHeaderFooter dlg;
    dlg.m_pDoc = &doc;
    dlg.m_pBand = header;
    Script script{[&](CDialog& d) {
                      EXPECT_TRUE(d.GetDlgItem(1073)->isEnabled());
                      d.SendNotify(1073, BN_CLICKED);
                      return Ok(d);
                  },
                  [&](CDialog& d) {
                      qobject_cast<QAbstractButton*>(d.GetDlgItem(1069))->click(); // gradient
                      return Ok(d);
                  }};
    EXPECT_EQ(dlg.DoModal(), IDOK);
    ASSERT_TRUE(header->m_pFill);
    EXPECT_EQ(header->m_pFill->m_nKind, CFillStyle::KindGradient);
    EXPECT_EQ(home->m_nUploadState, 0) << "the page showing the band";
    EXPECT_EQ(second->m_nUploadState, 2) << "a page without the band";
    EXPECT_EQ(doc.m_nCssUploadState, 2);
}

TEST(HeadersFooters, DeletingAnsweredNoKeepsTheBand)
{
    CKJDoc doc;
    CHeaderFooterItem* band = AddBand(doc, false, "Bottom", 900, 30);
    DHeadersFooters dlg;
    dlg.m_pDoc = &doc;
    dlg.m_pFooter = band;
    Script script({[&](CDialog& d) {
                      d.SendNotify(1073, BN_CLICKED);
                      EXPECT_EQ(static_cast<DHeadersFooters&>(d).m_pFooter, band);
                      return Ok(d);
                  }},
                  IDNO);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(doc.m_footerBands.size(), 1u);
    EXPECT_EQ(dlg.m_pFooter, band);
}

// ---------------------------------------------------------------- strings

TEST(Strings, AddEditDeleteAndCopy)
{
    CKJDoc doc;
    DStrings dlg;
    dlg.m_pDoc = &doc;
    auto define = [](const char* key, const char* value) {
        return Script::Step([key, value](CDialog& d) {
            d.SetDlgItemText(1000, key);
            d.SetDlgItemText(1003, value);
            return Ok(d);
        });
    };
    Script script{[&](CDialog& d) {
                      auto& s = static_cast<DStrings&>(d);
                      for (int id : {4, 5, 6})
                          EXPECT_FALSE(s.GetDlgItem(id)->isEnabled());
                      s.SendNotify(3, BN_CLICKED); // "phone"
                      s.SendNotify(3, BN_CLICKED); // the same key again
                      s.SendNotify(3, BN_CLICKED); // an empty key
                      s.SendNotify(3, BN_CLICKED); // cancelled
                      EXPECT_EQ(Rows(s.List()), QStringList({"###phone###", "###phone###", "######"}));
                      EXPECT_EQ(Rows(s.List(), 1), QStringList({"555", "777", "x"}));
                      s.List()->clearSelection();
                      s.List()->SelectRow(1);
                      EXPECT_TRUE(s.GetDlgItem(6)->isEnabled());
                      s.SendNotify(6, BN_CLICKED);
                      EXPECT_EQ(Rows(s.List()), QStringList({"###phone###", "###fax###", "######"}));
                      s.SendNotify(5, BN_CLICKED);
                      EXPECT_EQ(QGuiApplication::clipboard()->text(), "###fax###");
                      s.List()->clearSelection();
                      s.List()->SelectRow(0);
                      s.SendNotify(4, BN_CLICKED);
                      Screenshot(s, "strings");
                      return Ok(d);
                  },
                  define("phone", "555"), define("phone", "777"), define("", "x"), Script::Step(Cancel),
                  define("fax", "123")};
    EXPECT_EQ(dlg.DoModal(), IDOK);
    ASSERT_EQ(doc.m_namedStrings.size(), 2u);
    EXPECT_EQ(doc.m_namedStrings[0]->m_name.GetUtf8(), "fax");
    EXPECT_EQ(doc.m_namedStrings[0]->m_value.GetUtf8(), "123");
    EXPECT_EQ(doc.m_namedStrings[1]->m_name.GetUtf8(), "");
}

// ---------------------------------------------------------------- clone to page

TEST(CloneToPage, StatesAndResult)
{
    CKJDoc doc;
    CWString t;
    t = "A";
    CPage* a = doc.AddPage(nullptr, &t);
    t = "B";
    CPage* b = doc.AddPage(nullptr, &t);
    t = "C";
    CPage* c = doc.AddPage(nullptr, &t);
    CItem* item = a->GetChild(0);
    PageAddClone(b, item);
    DCloneToPage dlg;
    dlg.m_pDoc = &doc;
    dlg.m_pPage = a;
    dlg.m_pItem = item;
    Script script{[&](CDialog& d) {
        auto& cl = static_cast<DCloneToPage&>(d);
        EXPECT_EQ(Rows(cl.List()), QStringList({"A", "B", "C"}));
        EXPECT_EQ(cl.List()->GetItemText(2, 1), c->GetFileName());
        EXPECT_EQ(cl.List()->GetItemImage(0), 2);
        EXPECT_EQ(cl.List()->GetItemImage(1), 1);
        EXPECT_EQ(cl.List()->GetItemImage(2), 0);
        cl.ToggleRow(0); // the own page never changes
        cl.ToggleRow(1);
        cl.ToggleRow(2);
        EXPECT_EQ(cl.List()->GetItemImage(0), 2);
        return Ok(d);
    }};
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_result, std::vector<CPage*>({c}));
}

// ---------------------------------------------------------------- categories

TEST(Categories, AddEditOrderDeleteAndCancel)
{
    CKJDoc doc;
    CCategoriesItem item;
    item.AddEntry()->m_wstrTitle = "one";
    item.AddEntry()->m_wstrTitle = "two";
    CItemLink* two = item.m_entries[1].get();
    auto linkText = [](const char* text) {
        return Script::Step([text](CDialog& d) {
            static_cast<DLink&>(d).m_pLink->m_wstrTitle = text;
            d.EndDialog(IDOK);
            return int(IDOK);
        });
    };
    {
        DCategories dlg;
        dlg.m_pDoc = &doc;
        dlg.m_pItem = &item;
        Script script{[&](CDialog& d) {
                          auto& c = static_cast<DCategories&>(d);
                          EXPECT_EQ(Rows(c.List()), QStringList({"one", "two"}));
                          c.OnAdd();
                          c.OnAdd();
                          c.List()->clearSelection();
                          c.List()->SelectRow(0);
                          c.OnDelete();
                          EXPECT_EQ(Rows(c.List()), QStringList({"two", "new item"}));
                          return int(IDCANCEL);
                      },
                      linkText(""), Script::Step(Cancel)};
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    }
    ASSERT_EQ(item.m_entries.size(), 2u) << "Cancel leaves the entries";
    EXPECT_EQ(item.m_entries[0]->m_wstrTitle.GetUtf8(), "one");
    {
        DCategories dlg;
        dlg.m_pDoc = &doc;
        dlg.m_pItem = &item;
        Script script{[&](CDialog& d) {
                          auto& c = static_cast<DCategories&>(d);
                          c.OnAdd();
                          c.List()->clearSelection();
                          c.List()->SelectRow(1);
                          c.OnMove(true); // "two" to the top
                          c.List()->clearSelection();
                          c.List()->SelectRow(1);
                          c.OnDelete(); // "one"
                          Screenshot(c, "categories");
                          return Ok(d);
                      },
                      linkText("three")};
        EXPECT_EQ(dlg.DoModal(), IDOK);
    }
    ASSERT_EQ(item.m_entries.size(), 2u);
    EXPECT_EQ(item.m_entries[0].get(), two);
    EXPECT_EQ(item.m_entries[1]->m_wstrTitle.GetUtf8(), "three");
}

TEST(Categories, HeadingAndEntryColoursBothWays)
{
    CKJDoc doc;
    CCategoriesItem item;
    item.m_crHeading = 0x102030;
    item.m_crText = 0x405060;
    DCategories dlg;
    dlg.m_pDoc = &doc;
    dlg.m_pItem = &item;
    Script script{[&](CDialog& d) {
        auto* heading = dynamic_cast<CColorButton*>(d.GetDlgItem(1019));
        auto* entries = dynamic_cast<CColorButton*>(d.GetDlgItem(1021));
        EXPECT_TRUE(heading && entries);
        if (!heading || !entries)
            return int(IDCANCEL);
        EXPECT_EQ(heading->GetColor(), 0x102030u);
        EXPECT_EQ(entries->GetColor(), 0x405060u);
        heading->SetColor(0x0000FF);
        entries->SetColor(0x00FF00);
        EXPECT_TRUE(d.GetDlgItem(1060)->isEnabled()) << "the bullet";
        d.SendNotify(1060, BN_CLICKED);
        return Ok(d);
    },
                  [&](CDialog& d) {
                      EXPECT_NE(dynamic_cast<DBullet*>(&d), nullptr) << "Bullet opens the bullet dialog";
                      return int(IDCANCEL);
                  }};
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(item.m_crHeading, 0x0000FFu);
    EXPECT_EQ(item.m_crText, 0x00FF00u);
}

TEST(Categories, BoldAndItalicChangeOnlyWhenTheBoxesDo)
{
    // 0 is "normal", 2 "as the page": both show unticked, and neither turns into the other
    // by opening the dialog, nor by OK with the boxes left alone.
    const struct {
        int bold, italic;
        bool tickBold, untickItalic; // what the user does
        int boldAfter, italicAfter;
    } cases[] = {
        {0, 0, false, false, 0, 0}, {2, 2, false, false, 2, 2}, {0, 1, false, false, 0, 1},
        {0, 1, true, true, 1, 2},   {2, 1, true, true, 1, 2},
    };
    for (const auto& c : cases) {
        for (bool ok : {false, true}) {
            SCOPED_TRACE(testing::Message() << c.bold << c.italic << c.tickBold << c.untickItalic << ok);
            CKJDoc doc;
            CCategoriesItem item;
            item.m_nBold = c.bold;
            item.m_nItalic = c.italic;
            DCategories dlg;
            dlg.m_pDoc = &doc;
            dlg.m_pItem = &item;
            Script script{[&](CDialog& d) {
                EXPECT_EQ(d.IsDlgButtonChecked(1003), c.bold == 1 ? 1 : 0);
                EXPECT_EQ(d.IsDlgButtonChecked(1010), c.italic == 1 ? 1 : 0);
                EXPECT_EQ(item.m_nBold, c.bold) << "opening changes nothing";
                EXPECT_EQ(item.m_nItalic, c.italic);
                if (c.tickBold)
                    d.CheckDlgButton(1003, 1);
                if (c.untickItalic)
                    d.CheckDlgButton(1010, 0);
                if (!ok)
                    return int(IDCANCEL);
                return Ok(d);
            }};
            EXPECT_EQ(dlg.DoModal(), ok ? IDOK : IDCANCEL);
            EXPECT_EQ(item.m_nBold, ok ? c.boldAfter : c.bold);
            EXPECT_EQ(item.m_nItalic, ok ? c.italicAfter : c.italic);
        }
    }
}

// ---------------------------------------------------------------- item tree and actions

namespace {
// A page with a paragraph, a group (not listed for set B) holding an input, and a form
// holding a check box.
struct ActionPage {
    CPage page;
    CItem *paragraph, *group, *input, *form, *check;
    ActionPage()
    {
        paragraph = CreateItem(ITEM_PARAGRAPH);
        paragraph->m_strName = "intro";
        page.AddChild(paragraph);
        group = CreateItem(ITEM_GROUP);
        page.AddChild(group);
        input = CreateItem(ITEM_INPUT_FIELD);
        input->m_strName = "email";
        static_cast<CGroupItem*>(group)->AddChild(input);
        form = CreateItem(ITEM_FORM);
        form->m_strName = "form1";
        page.AddChild(form);
        check = CreateItem(ITEM_CHECK_BOX);
        check->m_strName = "agree";
        static_cast<CGroupItem*>(form)->AddChild(check);
    }
};

std::vector<CItem*> TreeItems(DItemTree& t)
{
    std::vector<CItem*> out;
    std::function<void(QTreeWidgetItem*)> walk = [&](QTreeWidgetItem* n) {
        out.push_back(reinterpret_cast<CItem*>(CTreeCtrl::GetItemData(n)));
        for (int i = 0; i < n->childCount(); ++i)
            walk(n->child(i));
    };
    for (int i = 0; i < t.Tree()->topLevelItemCount(); ++i)
        walk(t.Tree()->topLevelItem(i));
    return out;
}
} // namespace

TEST(ItemTree, UnlistedGroupsPassTheirChildrenUp)
{
    ActionPage p;
    DItemTree dlg;
    dlg.m_pRoot = &p.page;
    AllowedTargetTypes(kStepTextColor, dlg.m_flags);
    Script script{[&](CDialog& d) {
        auto& t = static_cast<DItemTree&>(d);
        EXPECT_EQ(TreeItems(t), std::vector<CItem*>({p.paragraph, p.input})) << "no group, form or check box";
        EXPECT_EQ(t.Tree()->topLevelItemCount(), 2) << "the input stands at the group's level";
        EXPECT_FALSE(t.GetDlgItem(IDOK)->isEnabled());
        t.OnOK();
        EXPECT_FALSE(t.IsEnded()) << "nothing picked";
        t.Tree()->SelectItem(t.Tree()->topLevelItem(1));
        EXPECT_TRUE(t.GetDlgItem(IDOK)->isEnabled());
        return Ok(d);
    }};
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_pChosen, p.input);

    // a type code outside the flags is ignored, and a form lists its check box for Check Checkbox
    p.paragraph->m_nType = 77;
    DItemTree second;
    second.m_pRoot = &p.page;
    AllowedTargetTypes(kStepCheckBox, second.m_flags);
    Script again{[&](CDialog& d) {
        EXPECT_EQ(TreeItems(static_cast<DItemTree&>(d)), std::vector<CItem*>({p.check}));
        return int(IDCANCEL);
    }};
    EXPECT_EQ(second.DoModal(), IDCANCEL);
    EXPECT_EQ(second.m_pChosen, nullptr);
    p.paragraph->m_nType = ITEM_PARAGRAPH;
}

TEST(Action, SentencesByKindAndIndex)
{
    struct Case {
        int kind;
        int value;
        const char* expected;
    } cases[] = {
        {kStepShow, 0, "Show x"},          {kStepBold, 0, "Toggle bold of x"},  {kStepBold, 1, "Apply bold to x"},
        {kStepBold, 2, "Remove bold from x"}, {kStepItalic, 1, "Apply italic to x"}, {kStepCheckBox, 0, "Toggle x"},
        {kStepCheckBox, 1, "Check x"},     {kStepCheckBox, 2, "Uncheck x"},      {kStepToBack, 3, "Send x behind to level -3"},
        {kStepFontSize, 12, "Set font size of x to 12pt"}, {kStepBlur, 0, "Remove focus from x"},
        {kStepSelect, 0, "Select text in x"},
    };
    for (const Case& c : cases) {
        CActionStep s;
        s.m_nKind = c.kind;
        s.m_nValue = c.value;
        s.m_strTarget = "x";
        EXPECT_EQ(DescribeAction(s), c.expected) << c.kind << "/" << c.value;
    }
    CActionStep move;
    move.m_nKind = kStepMove;
    move.m_strTarget = "x";
    move.m_nValue = 10;
    move.m_nValue2 = -4;
    EXPECT_EQ(DescribeAction(move), "Move item x to 10,-4");
    EXPECT_EQ(BuildActionTypeList().size(), 29u);
    EXPECT_STREQ(BuildActionTypeList()[22], "Open URL");
}

TEST(Action, AddingStepsAskingForTheirValues)
{
    ActionPage p;
    p.paragraph->m_strName.Empty();
    CItemAction action;
    DAction dlg;
    dlg.m_pAction = &action;
    dlg.m_pContainer = &p.page;
    dlg.m_strCaption = "Paragraph : On Click";
    auto pickType = [](int type) {
        return Script::Step([type](CDialog& d) {
            auto& a = static_cast<DAddAction&>(d);
            EXPECT_EQ(a.List()->GetItemCount(), 29);
            a.List()->SelectRow(type);
            return Ok(d);
        });
    };
    auto pickTarget = [](int index) {
        return Script::Step([index](CDialog& d) {
            auto& t = static_cast<DItemTree&>(d);
            t.Tree()->SelectItem(t.Tree()->topLevelItem(index));
            return Ok(d);
        });
    };
    auto number = [](int value) {
        return Script::Step([value](CDialog& d) {
            d.SetDlgItemText(1000, CString::Formatted("%d", value));
            return Ok(d);
        });
    };
    Script script{[&](CDialog& d) {
                      auto& a = static_cast<DAction&>(d);
                      EXPECT_EQ(a.windowTitle(), "Paragraph : On Click");
                      a.OnDelete(); // nothing selected: nothing happens
                      a.OnAdd();    // Open URL
                      a.OnAdd();    // Move Item To
                      a.OnAdd();    // Move Item To, second value cancelled
                      a.OnAdd();    // Bold, first choice by plain OK
                      a.OnAdd();    // cancelled at the type
                      a.OnAdd();    // Font Size cancelled at the target
                      EXPECT_EQ(Rows(a.List()), QStringList({"Open URL http://example.com", QString("Move item %1 to 5,7").arg(p.paragraph->m_strName.ToQString()),
                                                             QString("Toggle bold of %1").arg(p.paragraph->m_strName.ToQString())}));
                      a.SetDlgItemText(1000, "alert(1);");
                      Screenshot(a, "action");
                      a.List()->clearSelection();
                      a.List()->SelectRow(1);
                      a.OnDelete();
                      return Ok(d);
                  },
                  pickType(kStepOpenAddress),
                  [](CDialog& d) {
                      EXPECT_EQ(d.GetDlgItemText(1000), "http://");
                      EXPECT_EQ(d.GetDlgItemText(1096), "Enter the link to open in the browser:");
                      d.SetDlgItemText(1000, "http://example.com");
                      return Ok(d);
                  },
                  pickType(kStepMove), pickTarget(0), number(5), number(7),
                  pickType(kStepMove), pickTarget(0), number(1), Script::Step(Cancel),
                  pickType(kStepBold), pickTarget(0), Script::Step(Ok),
                  Script::Step(Cancel),
                  pickType(kStepFontSize), Script::Step(Cancel)};
    EXPECT_EQ(dlg.DoModal(), IDOK);
    ASSERT_EQ(action.GetStepCount(), 2);
    EXPECT_EQ(action.GetStep(0).m_nKind, kStepOpenAddress);
    EXPECT_EQ(action.GetStep(0).m_strTarget, "");
    EXPECT_EQ(action.GetStep(1).m_nKind, kStepBold);
    EXPECT_EQ(action.GetStep(1).m_nValue, 0);
    EXPECT_EQ(action.m_wstrScript.GetUtf8(), "alert(1);");
    // the unnamed target got an id no other item bears
    const CString id = p.paragraph->m_strName;
    EXPECT_EQ(id.Left(2), "id");
    EXPECT_EQ(action.GetStep(1).m_strTarget, id);
    for (CItem* other : {p.input, p.form, p.check})
        EXPECT_NE(other->m_strName, id);
}

TEST(Action, GeneratedIdsAvoidTakenNames)
{
    CPage page;
    for (int i = 0; i < 32768; i += 2) {
        CItem* item = CreateItem(ITEM_GROUP);
        item->m_strName.Format("id%d", i);
        page.AddChild(item);
    }
    for (int k = 0; k < 20; ++k) {
        const CString id = MakeUniqueActionId(nullptr, &page);
        const int n = atoi(id.Mid(2).GetString());
        EXPECT_EQ(n % 2, 1) << id.GetString();
    }
}

// Without a project the ids are the first free numbers, in a bounded search; an unnamed
// item's "id<serial>" counts as taken. With one, the number comes from the project's
// item counter and skips what any item of any page bears.
TEST(Action, GeneratedIdsWithAndWithoutAProject)
{
    CPage page;
    CItem* unnamed = CreateItem(ITEM_GROUP);
    page.AddChild(unnamed);
    const struct { int serial; const char* id; } first[] = {{1, "id2"}, {2, "id1"}, {7, "id1"}};
    for (const auto& k : first) {
        unnamed->m_nSerial = k.serial;
        EXPECT_EQ(MakeUniqueActionId(nullptr, &page), CString(k.id)) << k.serial;
    }

    CKJDoc doc;
    doc.ResetToNewSite();
    ASSERT_FALSE(doc.m_pages.empty());
    CPage* home = doc.m_pages.front().get();
    CItem* target = CreateItem(ITEM_TEXT);
    home->AddChild(target);
    CItem* other = CreateItem(ITEM_TEXT);
    other->m_strName.Format("id%d", target->m_nSerial + 1);
    // in a band, not in the page: ids are checked across the project
    ASSERT_NE(home->m_pHeaderBand, nullptr);
    home->m_pHeaderBand->AddChild(other);
    doc.m_nItemCounter = target->m_nSerial;
    EXPECT_EQ(MakeUniqueActionId(&doc, home), CString::Formatted("id%d", target->m_nSerial + 2));
    EXPECT_EQ(doc.m_nItemCounter, target->m_nSerial + 3) << "the counter moves past the numbers tried";
    EXPECT_EQ(MakeUniqueActionId(&doc, home), CString::Formatted("id%d", target->m_nSerial + 3));
}

TEST(PageNameDialogShot, Screenshot)
{
    CKJDoc doc;
    doc.ResetToNewSite();
    DPageName dlg;
    dlg.m_pDoc = &doc;
    dlg.m_strCaption = "File Name";
    dlg.m_strName = "new_page_7";
    dlg.m_strExtension = ".html";
    dlg.m_bEnablePhp = 0;
    Script script{[&](CDialog& d) {
        Screenshot(d, "page-name");
        d.CheckDlgButton(1001, 1);
        d.SendNotify(1001, BN_CLICKED);
        EXPECT_EQ(d.GetDlgItemText(1096), ".php");
        return Ok(d);
    }};
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_bEnablePhp, 1);
    EXPECT_EQ(dlg.m_strExtension, ".php");
}
