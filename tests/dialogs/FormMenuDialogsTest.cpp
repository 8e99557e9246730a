// Form, Send Form, Insert Form and menu dialogs on real items: kinds and enabling, targets,
// the e-mail check, line breaks kept out of mail headers, entry levels after every list edit.
#include "DialogTestSupport.h"

#include "dialogs/Background.h"
#include "dialogs/EffectDialogs.h"
#include "dialogs/FormDialogs.h"
#include "dialogs/MenuDialogs.h"
#include "document/EditScope.h"
#include "document/KJDoc.h"
#include "framework/ui/PropertySheet.h"
#include "model/FillStyle.h"
#include "model/ItemLink.h"
#include "model/Page.h"
#include "model/PageOutput.h"
#include "model/items/FormItem.h"
#include "model/items/MenuItem.h"
#include "tests/support/ExternalTools.h"

#include <gtest/gtest.h>
#include <QtGui/QClipboard>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QApplication>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QRadioButton>

using namespace dialogtest;

namespace {

void Click(CDialog& d, int id) { qobject_cast<QAbstractButton*>(d.GetDlgItem(id))->click(); }
bool IsOn(CDialog& d, int id) { return d.GetDlgItem(id)->isEnabled(); }

struct Site {
    CKJDoc doc;
    CPage* home = nullptr;
    CPage* about = nullptr;
    Site()
    {
        for (const char* name : {"index", "about"}) {
            auto p = std::make_unique<CPage>();
            p->m_nWidth = 900;
            p->m_nHeight = 600;
            p->m_strBaseName = name;
            p->m_strExtension = ".html";
            p->m_title = name;
            doc.m_pages.push_back(std::move(p));
        }
        home = doc.m_pages[0].get();
        about = doc.m_pages[1].get();
    }
};

QComboBox* Combo(CDialog& d, int id) { return qobject_cast<QComboBox*>(d.GetDlgItem(id)); }

} // namespace

// ------------------------------------------------------------------ Send Form

TEST(SendFormDialog, EachKindEnablesItsFields)
{
    const struct {
        int radio;
        bool pages, url, mail, newWindow;
    } cases[] = {{1043, false, false, false, false},
                 {1044, true, false, false, true},
                 {1045, false, true, false, true},
                 {1046, false, false, true, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.radio);
        Site s;
        CItemLink link;
        link.m_strUrl = "https://example.org/receive";
        DSendForm dlg;
        dlg.m_pDoc = &s.doc;
        dlg.m_pLink = &link;
        RunDialog(dlg, [&](CDialog& d) {
            qobject_cast<QRadioButton*>(d.GetDlgItem(c.radio))->click();
            EXPECT_EQ(IsOn(d, 1018), c.pages);
            EXPECT_EQ(IsOn(d, 1011), c.url);
            EXPECT_EQ(IsOn(d, 1014), c.url);
            for (int id : {1004, 1002, 1003, 1005})
                EXPECT_EQ(IsOn(d, id), c.mail) << id;
            EXPECT_EQ(IsOn(d, 1001), c.newWindow);
            d.SetDlgItemText(1004, "a@example.org");
            PressOk(d);
        });
        EXPECT_EQ(link.m_nKind, c.radio - 1043);
        EXPECT_EQ(link.m_strUrl, "https://example.org/receive") << "a disabled field is stored as it stands";
        EXPECT_EQ(link.m_strEmail, "a@example.org");
    }
}

TEST(SendFormDialog, TargetsPagesAndFiles)
{
    Site s;
    auto file = std::make_unique<CFileRecord>();
    file->m_strBaseName = "price_list";
    file->m_strExtension = ".pdf";
    file->m_nSerial = 900;
    s.doc.m_fileRecords.push_back(std::move(file));
    s.about->m_nSerial = 77;
    const struct {
        int stored;
        QString shown;
    } cases[] = {{4242, QStringLiteral("/")}, {0, QStringLiteral("/")}, {77, QStringLiteral("about [about.html]")},
                 {900, QStringLiteral("price_list.pdf")}};
    for (const auto& c : cases) {
        CItemLink link;
        link.m_nTargetId = c.stored;
        DSendForm dlg;
        dlg.m_pDoc = &s.doc;
        dlg.m_pLink = &link;
        RunDialog(dlg, [&](CDialog& d) {
            EXPECT_EQ(Combo(d, 1018)->currentText(), c.shown) << c.stored;
            EXPECT_EQ(Combo(d, 1018)->count(), 4);
        });
    }
    // a page chosen, then Self: the page id stays with kind 0; "/" stores -1
    CItemLink link;
    DSendForm dlg;
    dlg.m_pDoc = &s.doc;
    dlg.m_pLink = &link;
    RunDialog(dlg, [](CDialog& d) {
        qobject_cast<QRadioButton*>(d.GetDlgItem(1044))->click();
        Combo(d, 1018)->setCurrentIndex(2);
        qobject_cast<QRadioButton*>(d.GetDlgItem(1043))->click();
        PressOk(d);
    });
    EXPECT_EQ(link.m_nKind, 0);
    EXPECT_EQ(link.m_nTargetId, 77);
    DSendForm root;
    root.m_pDoc = &s.doc;
    root.m_pLink = &link;
    RunDialog(root, [](CDialog& d) {
        Combo(d, 1018)->setCurrentIndex(0);
        PressOk(d);
    });
    EXPECT_EQ(link.m_nTargetId, -1);
}

TEST(SendFormDialog, MailWithoutAnAddressStaysOpenAndHeadersHoldNoLineBreak)
{
    Site s;
    CItemLink link;
    link.m_strSubject = "Loaded\r\nBcc: victim@example.org";
    MessageLog said;
    DSendForm dlg;
    dlg.m_pDoc = &s.doc;
    dlg.m_pLink = &link;
    const int result = RunDialog(dlg, [&](CDialog& d) {
        qobject_cast<QRadioButton*>(d.GetDlgItem(1046))->click();
        PressOk(d);
        EXPECT_FALSE(d.IsEnded());
        ASSERT_EQ(said.texts.size(), 1u);
        EXPECT_EQ(said.texts[0], "Please enter email.");
        EXPECT_EQ(link.m_nKind, 0) << "nothing stored";
        auto* mail = qobject_cast<QLineEdit*>(d.GetDlgItem(1004));
        mail->setFocus();
        QApplication::clipboard()->setText(QStringLiteral("me@example.org\nBcc: other@example.org"));
        mail->paste();
        d.SetDlgItemText(1005, "https://example.org/thanks\r\nLocation: evil");
        PressOk(d);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(link.m_nKind, 3);
    for (const CString* header : {&link.m_strEmail, &link.m_strSubject, &link.m_strPicture}) {
        EXPECT_EQ(header->Find('\r'), -1) << header->GetString();
        EXPECT_EQ(header->Find('\n'), -1) << header->GetString();
    }
    EXPECT_EQ(link.m_strEmail.Find("me@example.org"), 0);
    CFormItem form;
    form.m_link = link;
    EXPECT_TRUE(form.SendsMail());
}

TEST(SendFormDialog, Screenshot)
{
    Site s;
    CItemLink link;
    link.m_nKind = 3;
    link.m_strEmail = "forms@example.org";
    DSendForm dlg;
    dlg.m_pDoc = &s.doc;
    dlg.m_pLink = &link;
    RunDialog(dlg, [](CDialog& d) {
        EXPECT_TRUE(d.IsDlgButtonChecked(1046));
        Screenshot(d, "DSendForm");
    });
}

// ------------------------------------------------------------------ Form and Insert Form

TEST(FormDialog, MethodEncodingAndHiddenVariablesBothWays)
{
    Site s;
    CFormItem form;
    form.m_nEncoding = 0;
    form.m_strText = CString("a=1\r\nb=2").GetString();
    DForm dlg;
    dlg.m_pDoc = &s.doc;
    dlg.m_pItem = &form;
    RunDialog(dlg, [](CDialog& d) {
        EXPECT_EQ(Combo(d, 1019)->currentText(), QString()) << "entry 0 is an empty line";
        EXPECT_EQ(Combo(d, 1019)->count(), 3);
        Screenshot(d, "DForm");
        Combo(d, 1018)->setCurrentIndex(1);
        Combo(d, 1019)->setCurrentIndex(2);
        PressOk(d);
    });
    EXPECT_EQ(form.m_nMethod, 1);
    EXPECT_EQ(form.m_nEncoding, 2);
    EXPECT_EQ(form.m_strText.ToQString(), QStringLiteral("a=1\r\nb=2")) << "lines as the item keeps them";
    // Send Form Data To edits the form's own link record
    DForm again;
    again.m_pDoc = &s.doc;
    again.m_pItem = &form;
    const CDialog::ModalHook previous = CDialog::SetModalHook([&](CDialog& d) -> int {
        if (dynamic_cast<DSendForm*>(&d)) {
            qobject_cast<QRadioButton*>(d.GetDlgItem(1045))->click();
            d.SetDlgItemText(1011, "https://example.org/post");
            d.OnOK();
            return d.GetResult();
        }
        Click(d, 1025);
        d.OnCancel();
        return d.GetResult();
    });
    again.DoModal();
    CDialog::SetModalHook(previous);
    EXPECT_EQ(form.m_link.m_nKind, 2);
    EXPECT_EQ(form.m_link.m_strUrl, "https://example.org/post");
}

TEST(InsertFormDialog, ModesAndBoxesStoredEvenWhenDisabled)
{
    DInsertForm blank;
    RunDialog(blank, [](CDialog& d) {
        EXPECT_TRUE(d.IsDlgButtonChecked(1043));
        for (int id : {1001, 1202, 1010, 1403, 1011, 1012, 1013, 1009, 1205, 1304, 1406, 1007, 1008, 1015, 1014}) {
            EXPECT_FALSE(IsOn(d, id)) << id;
            EXPECT_FALSE(d.IsDlgButtonChecked(id)) << id;
        }
        qobject_cast<QRadioButton*>(d.GetDlgItem(1044))->click();
        EXPECT_TRUE(IsOn(d, 1014));
        d.CheckDlgButton(1001, 1);  // first name
        d.CheckDlgButton(1014, 1);  // drop-down options
        qobject_cast<QRadioButton*>(d.GetDlgItem(1043))->click();
        EXPECT_FALSE(IsOn(d, 1001));
        PressOk(d);
    });
    std::array<std::int32_t, 16> expected{};
    expected[1] = 1;
    expected[15] = 1;
    EXPECT_EQ(blank.m_options, expected) << "mode 0 with the check states still stored";
}

// ------------------------------------------------------------------ Menu

namespace {
// A menu of three top entries with subs "k.j" belonging to top entry k.
CMenuItem* MakeMenu(Site& s)
{
    auto* menu = new CMenuItem;
    menu->SetSiteStyles(&s.doc.m_styles);
    for (int k = 0; k < 3; ++k) {
        auto top = std::make_unique<CMenuEntry>();
        top->m_strCaption = CString::Formatted("Top %d", k).GetString();
        top->m_nNumber = k;
        menu->m_topEntries.push_back(std::move(top));
        for (int j = 0; j < 2; ++j) {
            auto sub = std::make_unique<CMenuEntry>();
            sub->m_strCaption = CString::Formatted("%d.%d", k, j).GetString();
            sub->m_nNumber = k;
            menu->m_dropEntries.push_back(std::move(sub));
        }
    }
    s.home->AddChild(menu);
    menu->RecalcLayout();
    return menu;
}

// Each sub entry's caption with the top caption it belongs to.
std::vector<std::string> Owners(const CMenuItem& m)
{
    std::vector<std::string> out;
    for (const auto& sub : m.m_dropEntries) {
        std::string owner = "?";
        for (const auto& top : m.m_topEntries)
            if (top->m_nNumber == sub->m_nNumber)
                owner = top->m_strCaption.GetUtf8().GetString();
        out.push_back(std::string(sub->m_strCaption.GetUtf8().GetString()) + ">" + owner);
    }
    return out;
}

std::vector<std::string> Tops(const CMenuItem& m)
{
    std::vector<std::string> out;
    for (const auto& top : m.m_topEntries)
        out.push_back(top->m_strCaption.GetUtf8().GetString());
    return out;
}

CString MenuPage(Site& s)
{
    CPageOutput out;
    s.home->WriteHtml(out);
    return "<!DOCTYPE html>\r\n<html><head><meta charset=\"utf-8\"><title>t</title></head><body>\r\n" + out.m_strBody +
           "</body></html>\r\n";
}
} // namespace

TEST(MenuDialogs, LevelRulesTable)
{
    // level, from, to, level after
    const int moves[][4] = {{0, 2, 0, 1}, {1, 2, 0, 2}, {2, 2, 0, 0}, {3, 2, 0, 3},
                            {0, 0, 2, 2}, {1, 0, 2, 0}, {2, 0, 2, 1}, {3, 0, 2, 3}};
    for (const auto& m : moves)
        EXPECT_EQ(LevelAfterMove(m[0], m[1], m[2]), m[3]) << m[0] << " " << m[1] << "->" << m[2];
    EXPECT_EQ(LevelAfterRemove(0, 1), 0);
    EXPECT_EQ(LevelAfterRemove(2, 1), 1);
    EXPECT_EQ(LevelAfterInsert(1, 1), 1);
    EXPECT_EQ(LevelAfterInsert(2, 1), 3);
}

TEST(MenuDialogs, ListEditsKeepEverySubEntryWithItsTopEntry)
{
    const struct {
        const char* what;
        int topRow;
        int button;
        std::vector<std::string> tops;
        std::vector<std::string> owners;
    } cases[] = {
        {"remove the second", 1, 1026, {"Top 0", "Top 2"}, {"0.0>Top 0", "0.1>Top 0", "2.0>Top 2", "2.1>Top 2"}},
        {"third made first", 2, 1027, {"Top 2", "Top 0", "Top 1"},
         {"0.0>Top 0", "0.1>Top 0", "1.0>Top 1", "1.1>Top 1", "2.0>Top 2", "2.1>Top 2"}},
        {"first made last", 0, 1028, {"Top 1", "Top 2", "Top 0"},
         {"0.0>Top 0", "0.1>Top 0", "1.0>Top 1", "1.1>Top 1", "2.0>Top 2", "2.1>Top 2"}},
        {"added after the first", 0, 1025, {"Top 0", "New Item", "Top 1", "Top 2"},
         {"0.0>Top 0", "0.1>Top 0", "1.0>Top 1", "1.1>Top 1", "2.0>Top 2", "2.1>Top 2"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Site s;
        CMenuItem* menu = MakeMenu(s);
        DMenu dlg;
        dlg.m_pItem = menu;
        dlg.m_pDoc = &s.doc;
        const CDialog::ModalHook previous = CDialog::SetModalHook([&](CDialog& d) -> int {
            if (dynamic_cast<DMenuItem*>(&d)) {
                d.OnOK();
                return d.GetResult();
            }
            dlg.TopList()->setCurrentRow(c.topRow);
            Click(d, c.button);
            d.OnOK();
            return d.GetResult();
        });
        dlg.DoModal();
        CDialog::SetModalHook(previous);
        EXPECT_EQ(Tops(*menu), c.tops);
        EXPECT_EQ(Owners(*menu), c.owners);
        for (std::size_t i = 0; i < menu->m_topEntries.size(); ++i)
            EXPECT_EQ(menu->m_topEntries[i]->m_nNumber, int(i)) << "top entries numbered by position";
        const CString html = MenuPage(s);
        EXPECT_EQ(testsupport::TidyErrors(QByteArray(html.GetString())), QByteArray()) << html.GetString();
    }
}

TEST(MenuDialogs, SubListFollowsTheTopSelectionAndSubEdits)
{
    Site s;
    CMenuItem* menu = MakeMenu(s);
    DMenu dlg;
    dlg.m_pItem = menu;
    dlg.m_pDoc = &s.doc;
    int edits = 0;
    const CDialog::ModalHook previous = CDialog::SetModalHook([&](CDialog& d) -> int {
        if (dynamic_cast<DMenuItem*>(&d)) {
            ++edits;
            d.SetDlgItemText(1000, CString::Formatted("edited %d", edits));
            d.OnOK();
            return d.GetResult();
        }
        EXPECT_FALSE(IsOn(d, 1036));
        dlg.TopList()->setCurrentRow(1);
        EXPECT_EQ(dlg.SubList()->count(), 2);
        EXPECT_EQ(dlg.SubList()->item(0)->text(), QStringLiteral("1.0"));
        for (int id : {1036, 1037, 1038})
            EXPECT_FALSE(IsOn(d, id)) << id;
        dlg.SubList()->setCurrentRow(1);
        EXPECT_TRUE(IsOn(d, 1037));
        Click(d, 1037); // 1.1 to the head of the whole sub list
        EXPECT_EQ(dlg.SubList()->item(0)->text(), QStringLiteral("1.1"));
        dlg.SubList()->setCurrentRow(0);
        Click(d, 1035); // new sub entry after 1.1
        dlg.SubList()->setCurrentRow(2);
        dlg.OnEdit(false); // the double click
        EXPECT_EQ(dlg.SubList()->item(2)->text(), QStringLiteral("edited 2"));
        dlg.TopList()->setCurrentRow(0);
        dlg.OnEdit(true);
        EXPECT_EQ(dlg.TopList()->item(0)->text(), QStringLiteral("edited 3"));
        d.OnOK();
        return d.GetResult();
    });
    dlg.DoModal();
    CDialog::SetModalHook(previous);
    EXPECT_EQ(Owners(*menu), (std::vector<std::string>{"1.1>Top 1", "edited 1>Top 1", "0.0>edited 3", "0.1>edited 3",
                                                       "edited 2>Top 1", "2.0>Top 2", "2.1>Top 2"}));
}

TEST(MenuDialogs, WithoutTopEntriesSubPlusDoesNothingAndCancelThroughTheScopeRestores)
{
    Site s;
    auto* empty = new CMenuItem;
    s.home->AddChild(empty);
    DMenu dlg;
    dlg.m_pItem = empty;
    dlg.m_pDoc = &s.doc;
    int asked = 0;
    const CDialog::ModalHook previous = CDialog::SetModalHook([&](CDialog& d) -> int {
        if (dynamic_cast<DMenuItem*>(&d)) {
            ++asked;
            return IDOK;
        }
        dlg.OnSubAdd();
        return IDCANCEL;
    });
    dlg.DoModal();
    CDialog::SetModalHook(previous);
    EXPECT_EQ(asked, 0);
    EXPECT_TRUE(empty->m_dropEntries.empty());

    Site t;
    MakeMenu(t);
    CDataBlock before;
    CKJDoc::WriteSnapshot(*t.home, before);
    {
        CEditScope scope(t.doc, t.home, t.home, t.home->GetChild(0), "Properties");
        DMenu edit;
        edit.m_pItem = static_cast<CMenuItem*>(t.home->GetChild(0));
        edit.m_pDoc = &t.doc;
        RunDialog(edit, [&](CDialog& d) {
            edit.TopList()->setCurrentRow(1);
            Click(d, 1026);
            edit.TopList()->setCurrentRow(1);
            Click(d, 1027);
            d.SetDlgItemText(1065, "333");
            PressCancel(d);
        });
        scope.Cancel();
    }
    CDataBlock after;
    CKJDoc::WriteSnapshot(*t.home, after);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(after.Data()), after.Size()),
              std::string(reinterpret_cast<const char*>(before.Data()), before.Size()));
}

TEST(MenuDialogs, LookFieldsBothWaysAndScreenshot)
{
    Site s;
    CMenuItem* menu = MakeMenu(s);
    menu->m_nFontSize = 0;
    menu->m_nSeparator = 4;
    DMenu dlg;
    dlg.m_pItem = menu;
    dlg.m_pDoc = &s.doc;
    RunDialog(dlg, [](CDialog& d) {
        EXPECT_EQ(d.GetDlgItemText(1041), "") << "a size of 0 shows empty";
        EXPECT_EQ(Combo(d, 1049)->currentText(), QString(QChar(0x2022))) << "the bullet separator";
        EXPECT_EQ(Combo(d, 1049)->count(), 11);
        Screenshot(d, "DMenu");
        d.adjustSize();
        d.show();
        QApplication::processEvents();
        for (int id : {1050, 1051, 1052, 1053, 1054, 1055})
            EXPECT_GE(d.GetDlgItem(id)->width(), 10) << id << " has its swatch";
        d.hide();
        d.SetDlgItemText(1061, "");
        d.SetDlgItemText(1065, "240");
        Combo(d, 1048)->setCurrentIndex(2);
        PressOk(d);
    });
    EXPECT_EQ(menu->m_nFontSize, 0);
    EXPECT_EQ(menu->m_nDropSize, 0);
    EXPECT_EQ(menu->m_nDropWidth, 240);
    EXPECT_EQ(menu->m_nTextAlign, 2);
}

TEST(MenuItemDialog, PageListKindsAndLink)
{
    Site s;
    s.about->m_nSerial = 55;
    const struct {
        int radio;
        bool pages, url, extra;
    } cases[] = {{1043, false, false, false}, {1044, true, false, true}, {1045, false, true, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.radio);
        CMenuEntry entry;
        DMenuItem dlg;
        dlg.m_pDoc = &s.doc;
        dlg.m_pEntry = &entry;
        RunDialog(dlg, [&](CDialog& d) {
            EXPECT_EQ(Combo(d, 1018)->itemText(0), QStringLiteral("/"));
            EXPECT_EQ(Combo(d, 1018)->itemText(2), QStringLiteral("about [about.html]"));
            qobject_cast<QRadioButton*>(d.GetDlgItem(c.radio))->click();
            EXPECT_EQ(entry.m_link.m_nKind, c.radio - 1043) << "a click sets the kind at once";
            EXPECT_EQ(IsOn(d, 1018), c.pages);
            EXPECT_EQ(IsOn(d, 1011), c.url);
            for (int id : {1001, 1014, 1002})
                EXPECT_EQ(IsOn(d, id), c.extra) << id;
        });
    }
    // a page chosen: its file name in the address, an internal link on OK
    CMenuEntry entry;
    DMenuItem dlg;
    dlg.m_pDoc = &s.doc;
    dlg.m_pEntry = &entry;
    RunDialog(dlg, [](CDialog& d) {
        qobject_cast<QRadioButton*>(d.GetDlgItem(1044))->click();
        auto* pages = Combo(d, 1018);
        pages->setCurrentIndex(2);
        emit pages->activated(2);
        EXPECT_EQ(d.GetDlgItemText(1011), "about.html");
        d.SetDlgItemText(1000, "About us");
        PressOk(d);
    });
    EXPECT_EQ(entry.m_link.m_nTargetId, 55);
    EXPECT_EQ(entry.m_link.m_nKind, 1);
    EXPECT_EQ(entry.m_strCaption, CWString(u"About us"));
}

TEST(MenuDialogs, SubBorderOnACopyAndBackgroundsRenderedAgain)
{
    for (bool ok : {false, true}) {
        SCOPED_TRACE(ok);
        Site s;
        CMenuItem* menu = MakeMenu(s);
        menu->m_dropBorder.m_nWidth = 1;
        menu->m_dropFill.m_nUploadState = 2;
        DMenu dlg;
        dlg.m_pItem = menu;
        dlg.m_pDoc = &s.doc;
        std::vector<CString> tabs;
        const CDialog::ModalHook previous = CDialog::SetModalHook([&](CDialog& d) -> int {
            if (auto* sheet = dynamic_cast<CPropertySheet*>(&d)) {
                EXPECT_EQ(sheet->GetPageCount(), 1);
                auto* page = static_cast<DBorder*>(sheet->GetPage(0));
                tabs.push_back(page->m_strCaption);
                page->m_side.m_nWidth = 6;
                return ok ? IDOK : IDCANCEL;
            }
            if (dynamic_cast<DBackground*>(&d))
                return IDCANCEL;
            Click(d, 1033);
            Click(d, 1032);
            d.OnOK();
            return d.GetResult();
        });
        dlg.DoModal();
        CDialog::SetModalHook(previous);
        ASSERT_EQ(tabs.size(), 1u);
        EXPECT_EQ(tabs[0], "Sub Menu");
        EXPECT_EQ(menu->m_dropBorder.m_nWidth, ok ? 6 : 1) << "written back only on OK";
        EXPECT_EQ(menu->m_dropFill.m_nUploadState, 0) << "the sub background is rendered again even after Cancel";
    }
}

// The Menu Item dialog's Bold and Italic reach the bar on the canvas: a bold entry of a
// plain bar is measured wider, an italic one keeps its room.
TEST(MenuDialogs, EntryBoldWidensItsPlaceInTheBar)
{
    auto width = [](int bold, int italic) {
        CMenuItem menu;
        menu.m_nBold = 0;
        auto* e = new CMenuEntry;
        e->m_strCaption.SetText(u"Contact us");
        e->m_nArchivedFirst = bold;
        e->m_nArchivedSecond = italic;
        menu.m_topEntries.emplace_back(e);
        menu.RecalcLayout();
        return menu.m_topEntries[0]->m_nWidth;
    };
    const int plain = width(0, 0);
    EXPECT_GT(plain, 20) << "the caption is measured";
    EXPECT_GT(width(1, 0), plain);
    EXPECT_GE(width(0, 1), plain - 2);
}
