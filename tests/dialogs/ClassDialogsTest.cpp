// The CSS class dialogs: names and their rules, the kinds of new classes and their
// pictures, the live CSS text, the mouse-over block, the choice of a class, and what each
// confirmed or cancelled action leaves in the project.
#include "DialogTestSupport.h"

#include "document/DocTestSupport.h"
#include "support/ExternalTools.h"
#include "dialogs/ClassDialogs.h"
#include "dialogs/FontDialogs.h"
#include "dialogs/OverColorDialogs.h"
#include "dialogs/SizeDialogs.h"
#include "document/KJDoc.h"
#include "document/SiteCss.h"
#include "framework/ui/Translation.h"
#include "model/Page.h"
#include "model/items/ParagraphItem.h"

#include <gtest/gtest.h>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QListWidget>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>

#include <memory>

using namespace dialogtest;

namespace {

void Click(CDialog& d, int id) { qobject_cast<QAbstractButton*>(d.GetDlgItem(id))->click(); }

int Finish(CDialog& d) { return d.IsEnded() ? d.GetResult() : IDCANCEL; }

// Every dialog opened while it lives goes to the one handler (nested dialogs included).
struct ScopedHook {
    explicit ScopedHook(std::function<int(CDialog&)> hook) : previous(CDialog::SetModalHook(std::move(hook))) {}
    ~ScopedHook() { CDialog::SetModalHook(previous); }
    CDialog::ModalHook previous;
};

QStringList ComboEntries(CDialog& d, int id)
{
    auto* combo = qobject_cast<QComboBox*>(d.GetDlgItem(id));
    QStringList out;
    for (int i = 0; i < combo->count(); ++i)
        out << combo->itemText(i);
    return out;
}

// A project of two pages: the second shows a paragraph of class "Box"; the first shows
// nothing of it. Everything counts as uploaded and saved.
struct ClassFixture {
    CKJDoc doc;
    CPage* plain = nullptr;
    CPage* styled = nullptr;
    CParagraphItem* user = nullptr;
    CStyleClass* box = nullptr;
    CStyleClass* other = nullptr;

    ClassFixture()
    {
        for (int i = 0; i < 2; ++i) {
            doc.m_pages.push_back(std::make_unique<CPage>());
            doc.m_pages.back()->m_strBaseName = i == 0 ? "index" : "styled";
        }
        plain = doc.m_pages[0].get();
        styled = doc.m_pages[1].get();
        user = doc.NewParagraph();
        user->m_strClass = "Box";
        styled->AddChild(user);
        auto boxClass = std::make_unique<CStyleClass>(CLASS_ANY, 0);
        boxClass->m_strName = "Box";
        boxClass->m_nSize = 14;
        auto otherClass = std::make_unique<CStyleClass>(CLASS_P, 0);
        otherClass->m_strName = "Other";
        box = boxClass.get();
        other = otherClass.get();
        doc.m_styleClasses.push_back(std::move(boxClass));
        doc.m_styleClasses.push_back(std::move(otherClass));
        doc.BindItemClasses();
        MarkAllUploaded();
    }
    void MarkAllUploaded()
    {
        for (auto& p : doc.m_pages)
            p->m_nUploadState = 2;
        doc.m_nCssUploadState = 2;
        doc.SetModifiedFlag(false);
    }
};

} // namespace

TEST(ClassNames, FilterKeepsLettersAndDigitsWithNoDigitInFront)
{
    const struct {
        const char* typed;
        const char* stored;
    } cases[] = {
        {"my-box 1", "mybox1"},
        {"1abc", "abc"},
        {"-1a", "a"},
        {"x_1", "x1"},
        {"123", ""},
        {"!-- .;{}", ""},
        {"\xC3\x84pfel 2", "Apfel2"}, // accented letters become their base letters
        {"Plain", "Plain"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(FilterClassName(c.typed), CString(c.stored));
    }
}

TEST(ClassDialog, OkStoresTheFilteredNameOrRefusesWithItsMessage)
{
    const struct {
        const char* typed;
        int result;
        const char* stored;  // the class's name afterwards
        const char* message; // the one message shown, or null
    } cases[] = {
        {"my-box 1", IDOK, "mybox1", nullptr},
        {"1abc", IDOK, "abc", nullptr},
        {"-1a", IDOK, "a", nullptr},
        {"x_1", IDOK, "x1", nullptr},
        {"?!-", IDCANCEL, "Box", "Enter class name"},
        {"Other", IDCANCEL, "Box", "A class named Other already exists."},
        {"Ot-her", IDCANCEL, "Box", "A class named Other already exists."},
        {"Box", IDOK, "Box", nullptr}, // its own name is no duplicate
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        ClassFixture f;
        MessageLog log;
        DClass dlg;
        dlg.m_pClass = f.box;
        dlg.m_pDoc = &f.doc;
        const int result = RunDialog(dlg, [&](CDialog& d) {
            Type(d.GetDlgItem(1000), QString::fromUtf8(c.typed));
            PressOk(d);
        });
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(f.box->m_strName, CString(c.stored));
        if (c.message) {
            ASSERT_EQ(log.texts.size(), 1u);
            EXPECT_EQ(log.texts[0], CString(c.message));
        } else {
            EXPECT_TRUE(log.texts.empty());
        }
    }
}

TEST(ClassDialog, TypedNameShowsInThePreviewButReachesTheClassOnlyAtOk)
{
    ClassFixture f;
    const std::vector<BYTE> before = doctest::SaveToBytes(f.doc);
    CString preview;
    {
        ScopedHook hook([&](CDialog& d) {
            Type(d.GetDlgItem(1000), QStringLiteral("my box"));
            preview = d.GetDlgItemText(1096);
            EXPECT_EQ(f.box->m_strName, CString("Box")) << "the record is not touched while typing";
            PressCancel(d);
            return Finish(d);
        });
        EXPECT_FALSE(EditClassWithDialog(f.doc, *f.box, nullptr));
    }
    // The preview writes the name as a CSS identifier (the blank escaped).
    EXPECT_EQ(preview.Left(12), CString(".my\\ box {\r\n"));
    EXPECT_EQ(f.box->m_strName, CString("Box"));
    EXPECT_EQ(f.user->m_strClass, CString("Box"));
    EXPECT_EQ(doctest::SaveToBytes(f.doc), before);
    EXPECT_FALSE(f.doc.IsModified());
    EXPECT_EQ(f.styled->m_nUploadState, 2);
}

TEST(ClassDialog, PreviewIsTheClassCssAfterEveryChange)
{
    ClassFixture f;
    f.other->m_strName = "ParaClass3";
    const CString initial = f.other->WriteCss();
    DClass dlg;
    dlg.m_pClass = f.other;
    dlg.m_pDoc = &f.doc;
    std::vector<CString> previews;
    ScopedHook hook([&](CDialog& d) {
        if (auto* font = dynamic_cast<DFont*>(&d)) {
            font->SetDlgItemText(1018, "Arial");
            font->SetDlgItemText(1066, "12");
            font->OnOK();
            return Finish(d);
        }
        if (auto* padding = dynamic_cast<DPadding*>(&d)) {
            padding->SetDlgItemText(1000, "7");
            padding->OnOK();
            return Finish(d);
        }
        previews.push_back(d.GetDlgItemText(1096));
        Type(d.GetDlgItem(1000), QStringLiteral("Lead"));
        previews.push_back(d.GetDlgItemText(1096));
        Click(d, 1062); // Font
        previews.push_back(d.GetDlgItemText(1096));
        Click(d, 1060); // Paddings
        previews.push_back(d.GetDlgItemText(1096));
        Screenshot(d, "DClass");
        PressOk(d);
        return Finish(d);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    ASSERT_EQ(previews.size(), 4u);
    EXPECT_EQ(previews[0], initial);
    EXPECT_EQ(previews[0].Left(15), CString("p.ParaClass3 {\r"));
    EXPECT_EQ(previews[1].Left(9), CString("p.Lead {\r"));
    EXPECT_NE(previews[2].Find("font-family:'Arial';\r\n"), -1) << previews[2].GetString();
    EXPECT_NE(previews[2].Find("font-size:12pt;\r\n"), -1);
    EXPECT_NE(previews[3].Find("padding:7px;\r\n"), -1) << previews[3].GetString();
    // After OK the class is what the preview showed last.
    EXPECT_EQ(f.other->WriteCss(), previews[3]);
    EXPECT_EQ(f.other->m_strName, CString("Lead"));
    EXPECT_EQ(f.other->m_strFace, CString("Arial"));
    EXPECT_EQ(f.other->m_nPadding, 7);
}

TEST(ClassDialog, FontUnderlineEntriesAreTheClassDecorations)
{
    const struct {
        const char* what;
        int decoration;   // the class's before
        int shownEntry;   // the underline list's row when the font dialog opens (-1 none)
        int chosenEntry;  // the row chosen, -1 to leave the list alone
        int stored;       // the class's decoration after OK
    } cases[] = {
        {"inherit shows nothing and stays", 0, -1, -1, 0},
        {"none chosen on inherit", 0, -1, 0, 1},
        {"underline shown, kept", 2, 1, -1, 2},
        {"line-through chosen", 1, 0, 2, 3},
        {"underlined chosen", 3, 2, 1, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ClassFixture f;
        f.box->m_nDecoration = c.decoration;
        int shown = -2;
        ScopedHook hook([&](CDialog& d) {
            if (dynamic_cast<DFont*>(&d)) {
                auto* list = qobject_cast<QComboBox*>(d.GetDlgItem(1036));
                shown = list->currentIndex();
                if (c.chosenEntry >= 0)
                    list->setCurrentIndex(c.chosenEntry);
                PressOk(d);
                return Finish(d);
            }
            Click(d, 1062);
            PressOk(d);
            return Finish(d);
        });
        ASSERT_TRUE(EditClassWithDialog(f.doc, *f.box, nullptr));
        EXPECT_EQ(shown, c.shownEntry);
        EXPECT_EQ(f.box->m_nDecoration, c.stored);
    }
}

TEST(ClassDialog, SubDialogChangesAreUndoneByCancel)
{
    ClassFixture f;
    const std::vector<BYTE> before = doctest::SaveToBytes(f.doc);
    ScopedHook hook([&](CDialog& d) {
        if (dynamic_cast<DPadding*>(&d)) {
            d.SetDlgItemText(1000, "9");
            PressOk(d);
            return Finish(d);
        }
        if (dynamic_cast<DOverStyle*>(&d)) {
            qobject_cast<QComboBox*>(d.GetDlgItem(1038))->setCurrentIndex(3);
            PressOk(d);
            return Finish(d);
        }
        if (dynamic_cast<DFont*>(&d)) {
            d.SetDlgItemText(1066, "30");
            PressOk(d);
            return Finish(d);
        }
        if (dynamic_cast<DClass*>(&d)) {
            Click(d, 1060);
            Click(d, 1063);
            Click(d, 1062);
            const CString shown = d.GetDlgItemText(1096);
            EXPECT_NE(shown.Find("padding:9px;"), -1) << shown.GetString();
            EXPECT_NE(shown.Find("font-size:30pt;"), -1);
            PressCancel(d);
        }
        return Finish(d);
    });
    EXPECT_FALSE(EditClassWithDialog(f.doc, *f.box, nullptr));
    EXPECT_EQ(f.box->m_nPadding, 0);
    EXPECT_EQ(f.box->m_nSize, 14);
    EXPECT_EQ(f.box->m_nHoverDecoration, 0);
    EXPECT_EQ(doctest::SaveToBytes(f.doc), before);
    EXPECT_FALSE(f.doc.IsModified());
}

TEST(ClassDialog, BackgroundButtonsWaitForTheBackgroundEditor)
{
    ClassFixture f;
    const ClassFillEditor standard = GetClassFillEditor();
    ASSERT_TRUE(standard) << "the background editor is there by default";
    {
        DClass dlg;
        dlg.m_pClass = f.box;
        RunDialog(dlg, [](CDialog& d) { EXPECT_TRUE(d.GetDlgItem(1058)->isEnabled()); });
    }
    SetClassFillEditor(nullptr);
    {
        DClass dlg;
        dlg.m_pClass = f.box;
        RunDialog(dlg, [](CDialog& d) { EXPECT_FALSE(d.GetDlgItem(1058)->isEnabled()); });
    }
    // With an editor the class's own fill is the one edited, under its caption.
    CString caption;
    SetClassFillEditor([&](CFillStyle& fill, CKJDoc*, const CString& text, QWidget*) {
        caption = text;
        fill.m_crColor = 0x0000FF;
        return true;
    });
    ScopedHook hook([&](CDialog& d) {
        EXPECT_TRUE(d.GetDlgItem(1058)->isEnabled());
        Click(d, 1058);
        EXPECT_NE(d.GetDlgItemText(1096).Find("background-color:#FF0000;"), -1) << d.GetDlgItemText(1096).GetString();
        PressOk(d);
        return Finish(d);
    });
    EXPECT_TRUE(EditClassWithDialog(f.doc, *f.box, nullptr));
    SetClassFillEditor(standard);
    EXPECT_EQ(caption, CString("Class Background : Box"));
    EXPECT_EQ(f.box->m_fill.m_crColor, 0x0000FFu);
}

TEST(OverStyle, BindsTheHoverValuesBothWaysUntranslated)
{
    EXPECT_FALSE(kOverStyleTemplate.translate);
    EXPECT_EQ(kOverStyleTemplate.resource, 321);
    CStyleClass cls(CLASS_A, 2);
    cls.m_crHoverColor = 0x00FF00;
    cls.m_crSpare = 0xFF000000;
    cls.m_nHoverBold = 1;
    cls.m_nHoverItalic = 0;
    cls.m_nHoverDecoration = 2;
    DOverStyle dlg;
    dlg.m_pClass = &cls;
    EXPECT_EQ(RunDialog(dlg,
                        [](CDialog& d) {
                            EXPECT_EQ(ComboEntries(d, 1038),
                                      (QStringList{"", "no underline", "underlined", "strike-through"}));
                            EXPECT_EQ(qobject_cast<QComboBox*>(d.GetDlgItem(1038))->currentIndex(), 2);
                            EXPECT_TRUE(qobject_cast<QCheckBox*>(d.GetDlgItem(1403))->isChecked());
                            EXPECT_FALSE(qobject_cast<QCheckBox*>(d.GetDlgItem(1010))->isChecked());
                            EXPECT_TRUE(d.GetDlgItem(1055)->isEnabled()); // the background editor is there
                            qobject_cast<QComboBox*>(d.GetDlgItem(1038))->setCurrentIndex(3);
                            qobject_cast<QCheckBox*>(d.GetDlgItem(1010))->setChecked(true);
                            PressOk(d);
                        }),
              IDOK);
    EXPECT_EQ(cls.m_nHoverDecoration, 3);
    EXPECT_EQ(cls.m_nHoverItalic, 1);
    EXPECT_EQ(cls.m_nHoverBold, 1);
    EXPECT_EQ(cls.m_crHoverColor, 0x00FF00u);
    // The hover block of a link class shows what was chosen.
    EXPECT_NE(cls.WriteCss().Find(".AClass2:hover {\r\ncolor:#00FF00;\r\nfont-style:italic;\r\nfont-weight:bold;\r\n"
                                  "text-decoration:line-through;"),
              -1)
        << cls.WriteCss().GetString();

    DOverStyle cancelled;
    cancelled.m_pClass = &cls;
    RunDialog(cancelled, [](CDialog& d) {
        qobject_cast<QComboBox*>(d.GetDlgItem(1038))->setCurrentIndex(1);
        PressCancel(d);
    });
    EXPECT_EQ(cls.m_nHoverDecoration, 3);
}

TEST(OverStyle, CancelPutsTheHoverBackgroundBack)
{
    const ClassFillEditor standard = GetClassFillEditor();
    CString caption;
    SetClassFillEditor([&](CFillStyle& fill, CKJDoc*, const CString& text, QWidget*) {
        caption = text;
        fill.m_crColor = 0x0000FF;
        fill.m_nDirection = 3;
        return true;
    });
    for (bool ok : {false, true}) {
        SCOPED_TRACE(ok);
        CStyleClass cls(CLASS_A, 2);
        cls.m_strName = "Nav";
        cls.m_hoverFill.m_crColor = 0x00CC00;
        DOverStyle dlg;
        dlg.m_pClass = &cls;
        EXPECT_EQ(RunDialog(dlg,
                            [&](CDialog& d) {
                                Click(d, 1055);
                                EXPECT_EQ(cls.m_hoverFill.m_crColor, 0x0000FFu) << "edited in the record";
                                if (ok)
                                    PressOk(d);
                                else
                                    PressCancel(d);
                            }),
                  ok ? IDOK : IDCANCEL);
        EXPECT_EQ(caption, CString("Class Over Background : Nav"));
        EXPECT_EQ(cls.m_hoverFill.m_crColor, ok ? 0x0000FFu : 0x00CC00u);
        EXPECT_EQ(cls.m_hoverFill.m_nDirection, ok ? 3 : 0);
        // the hover block shows the background only when it was kept
        EXPECT_EQ(cls.WriteCss().Find("#FF0000") >= 0, ok) << cls.WriteCss().GetString();
    }
    SetClassFillEditor(standard);
}

TEST(SelectClass, ListsKindZeroForEveryFilterAndOnlyKindZeroForNone)
{
    ClassFixture f; // "Box" kind 0, "Other" kind 1
    for (const auto& [kind, name] : std::vector<std::pair<int, const char*>>{{3, "Head"}, {23, "Area"}, {0, "Any2"}}) {
        auto c = std::make_unique<CStyleClass>(kind, 0);
        c->m_strName = name;
        f.doc.m_styleClasses.push_back(std::move(c));
    }
    const struct {
        int filter;
        QStringList listed;
    } cases[] = {
        {-1, {"Box", "Any2"}},
        {0, {"Box", "Any2"}},
        {1, {"Box", "Other", "Any2"}},
        {3, {"Box", "Head", "Any2"}},
        {23, {"Box", "Area", "Any2"}},
        {12, {"Box", "Any2"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.filter);
        DSelectClass dlg;
        dlg.m_pDoc = &f.doc;
        dlg.m_nKind = c.filter;
        dlg.m_strName = "Other";
        EXPECT_EQ(RunDialog(dlg,
                            [&](CDialog& d) {
                                EXPECT_EQ(ComboEntries(d, 1018), c.listed);
                                EXPECT_EQ(d.GetDlgItemText(1018), CString("Other"));
                                PressOk(d);
                            }),
                  IDOK);
        EXPECT_EQ(dlg.m_strName, CString("Other"));
    }
}

TEST(SelectClass, TypedNamePassesThroughAndNewClassEndsWith200)
{
    ClassFixture f;
    DSelectClass typed;
    typed.m_pDoc = &f.doc;
    EXPECT_EQ(RunDialog(typed,
                        [](CDialog& d) {
                            qobject_cast<QComboBox*>(d.GetDlgItem(1018))->setEditText("NoSuchClass");
                            PressOk(d);
                        }),
              IDOK);
    EXPECT_EQ(typed.m_strName, CString("NoSuchClass"));

    DSelectClass fresh;
    fresh.m_pDoc = &f.doc;
    fresh.m_strName = "Box";
    EXPECT_EQ(RunDialog(fresh, [](CDialog& d) { Click(d, 1025); }), 200);
    EXPECT_EQ(fresh.m_strName, CString("Box"));
}

TEST(ClassList, RowsShowNameAndKindPictureAndButtonsNeedASelection)
{
    ClassFixture f;
    auto area = std::make_unique<CStyleClass>(23, 4);
    area->m_strName = "Area";
    f.doc.m_styleClasses.push_back(std::move(area));
    DClassList dlg;
    dlg.m_pDoc = &f.doc;
    RunDialog(dlg, [&](CDialog& d) {
        auto* list = static_cast<DClassList&>(d).List();
        ASSERT_EQ(list, d.GetDlgItem(1078));
        ASSERT_EQ(list->GetItemCount(), 3);
        EXPECT_EQ(list->GetItemText(0, 0), CString("Box"));
        EXPECT_EQ(list->GetItemImage(0), 0);
        EXPECT_EQ(list->GetItemText(1, 0), CString("Other"));
        EXPECT_EQ(list->GetItemImage(1), 1);
        EXPECT_EQ(list->GetItemImage(2), 20) << "the text area kind shows the picture of its row";
        EXPECT_FALSE(list->topLevelItem(2)->icon(0).isNull());
        EXPECT_FALSE(d.GetDlgItem(4)->isEnabled());
        EXPECT_FALSE(d.GetDlgItem(5)->isEnabled());
        list->SelectRow(1);
        EXPECT_TRUE(d.GetDlgItem(4)->isEnabled());
        EXPECT_TRUE(d.GetDlgItem(5)->isEnabled());
        list->clearSelection();
        EXPECT_FALSE(d.GetDlgItem(4)->isEnabled());
        EXPECT_FALSE(d.GetDlgItem(5)->isEnabled());
        Screenshot(d, "DClassList");
    });
}

TEST(ClassList, NewClassRowsGiveTheRecordKindsAndPictures)
{
    const struct {
        int row;
        int kind;
        const char* name; // with the class counter at 5
        int picture;
    } cases[] = {
        {0, 0, "Class5", 0},        {1, 1, "ParaClass5", 1}, {12, 12, "AClass5", 12},
        {19, 19, "Class5", 19},     {20, 23, "Class5", 20},  {21, 24, "Class5", 21},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        ClassFixture f;
        f.doc.m_nClassCounter = 5;
        DClassList dlg;
        dlg.m_pDoc = &f.doc;
        ScopedHook hook([&](CDialog& d) {
            if (dynamic_cast<DNewClass*>(&d)) {
                EXPECT_EQ(qobject_cast<QListWidget*>(d.GetDlgItem(1018))->count(), kNewClassRows);
                qobject_cast<QListWidget*>(d.GetDlgItem(1018))->setCurrentRow(c.row);
                PressOk(d);
            } else if (dynamic_cast<DClass*>(&d)) {
                EXPECT_EQ(d.GetDlgItemText(1000), CString(c.name));
                PressOk(d);
            } else if (auto* list = dynamic_cast<DClassList*>(&d)) {
                Click(d, 3);
                EXPECT_EQ(list->List()->GetItemCount(), 3);
                EXPECT_EQ(list->List()->GetItemText(2, 0), CString(c.name));
                EXPECT_EQ(list->List()->GetItemImage(2), c.picture);
            }
            return Finish(d);
        });
        dlg.DoModal();
        ASSERT_EQ(f.doc.m_styleClasses.size(), 3u);
        EXPECT_EQ(f.doc.m_styleClasses[2]->m_nKind, c.kind);
        EXPECT_EQ(f.doc.m_styleClasses[2]->m_strName, CString(c.name));
        EXPECT_EQ(f.doc.m_nClassCounter, 6);
        EXPECT_TRUE(f.doc.IsModified());
        EXPECT_EQ(f.doc.m_nCssUploadState, 0);
    }
}

TEST(ClassList, NewClassCancelledInTheClassDialogUsesANumberAndAddsNothing)
{
    ClassFixture f;
    f.doc.m_nClassCounter = 7;
    const std::vector<BYTE> before = doctest::SaveToBytes(f.doc);
    DClassList dlg;
    dlg.m_pDoc = &f.doc;
    ScopedHook hook([&](CDialog& d) {
        if (dynamic_cast<DNewClass*>(&d)) {
            PressOk(d); // the first row: all objects
        } else if (dynamic_cast<DClass*>(&d)) {
            EXPECT_EQ(d.GetDlgItemText(1000), CString("Class7"));
            Type(d.GetDlgItem(1000), QStringLiteral("Typed"));
            PressCancel(d);
        } else if (auto* list = dynamic_cast<DClassList*>(&d)) {
            Click(d, 3);
            EXPECT_EQ(list->List()->GetItemCount(), 2);
        }
        return Finish(d);
    });
    dlg.DoModal();
    EXPECT_EQ(f.doc.m_nClassCounter, 8);
    EXPECT_EQ(f.doc.m_styleClasses.size(), 2u);
    EXPECT_EQ(doctest::SaveToBytes(f.doc), before);
    EXPECT_FALSE(f.doc.IsModified());
}

TEST(ClassList, EditMarksThePagesUsingTheClassAndCarriesARename)
{
    ClassFixture f;
    DClassList dlg;
    dlg.m_pDoc = &f.doc;
    ScopedHook hook([&](CDialog& d) {
        if (dynamic_cast<DClass*>(&d)) {
            Type(d.GetDlgItem(1000), QStringLiteral("Frame"));
            PressOk(d);
        } else if (auto* list = dynamic_cast<DClassList*>(&d)) {
            list->List()->SelectRow(0);
            Click(d, 5);
            EXPECT_EQ(list->List()->GetItemText(0, 0), CString("Frame"));
        }
        return Finish(d);
    });
    dlg.DoModal();
    EXPECT_EQ(f.box->m_strName, CString("Frame"));
    EXPECT_EQ(f.user->m_strClass, CString("Frame"));
    EXPECT_EQ(f.user->m_pStyleClass, f.box);
    EXPECT_EQ(f.styled->m_nUploadState, 0) << "the page showing a user of the class";
    EXPECT_EQ(f.plain->m_nUploadState, 2);
    EXPECT_EQ(f.doc.m_nCssUploadState, 0);
    EXPECT_TRUE(f.doc.IsModified());
}

TEST(ClassList, DeleteAsksThenClearsTheClassFromItsItems)
{
    const struct {
        int answer;
        bool deleted;
    } cases[] = {{IDNO, false}, {IDYES, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer);
        ClassFixture f;
        doctest::MessageRecorder messages(c.answer);
        DClassList dlg;
        dlg.m_pDoc = &f.doc;
        ScopedHook hook([&](CDialog& d) {
            auto* list = static_cast<DClassList&>(d).List();
            list->SelectRow(0);
            Click(d, 4);
            EXPECT_EQ(list->GetItemCount(), c.deleted ? 1 : 2);
            EXPECT_EQ(d.GetDlgItem(4)->isEnabled(), !c.deleted);
            return Finish(d);
        });
        dlg.DoModal();
        ASSERT_EQ(messages.texts.size(), 1u);
        EXPECT_EQ(messages.texts[0],
                  CString("Do you want to delete the class Box? The items that use it will have no class."));
        EXPECT_EQ(f.doc.m_styleClasses.size(), c.deleted ? 1u : 2u);
        EXPECT_EQ(f.user->m_strClass, CString(c.deleted ? "" : "Box"));
        EXPECT_EQ(f.user->m_pStyleClass, c.deleted ? nullptr : f.box);
        EXPECT_EQ(f.styled->m_nUploadState, c.deleted ? 0 : 2);
        EXPECT_EQ(f.plain->m_nUploadState, 2);
        EXPECT_EQ(f.doc.IsModified(), c.deleted);
    }
}

TEST(ClassStylesheet, ProjectWithAClassOfEveryKindPassesTheCssChecker)
{
    CKJDoc doc;
    doc.OnNewDocument();
    const std::size_t first = doc.m_styleClasses.size();
    for (int kind = 0; kind < CLASS_KIND_COUNT; ++kind) {
        auto c = std::make_unique<CStyleClass>(kind, kind + 1);
        c->m_strFace = kind % 2 ? "Trebuchet MS" : "Font \"with' quotes";
        c->m_nSize = 8 + kind;
        c->m_nBold = kind % 3;
        c->m_nItalic = (kind + 1) % 3;
        c->m_nDecoration = kind % 4;
        c->m_nHoverDecoration = (kind + 2) % 4;
        c->m_nPadding = kind;
        c->m_crColor = kind % 2 ? 0x336699 : 0xFFFFFFFF;
        c->m_crHoverColor = 0x0000FF;
        c->m_nLetterSpacing = kind - 3;
        c->m_borders[0].m_color = 0x112233;
        c->m_borders[0].m_nWidth = 2;
        c->m_borders[0].m_nStyle = 2 + kind % 6;
        c->m_borders[1 + kind % 4].m_color = 0x445566;
        c->m_borders[1 + kind % 4].m_nWidth = 1;
        c->m_borders[1 + kind % 4].m_nStyle = 3;
        c->m_margin.m_bLeft = c->m_margin.m_bBottom = 1;
        c->m_margin.m_bRight = kind % 2;
        c->m_margin.m_nLeft = 5;
        c->m_margin.m_nRight = 7;
        c->m_margin.m_nBottom = 9;
        c->m_fill.m_crColor = kind % 3 ? 0xEEEEEE : 0xFFFFFFFF;
        c->m_hoverFill.m_crColor = 0xCCCCCC;
        doc.m_styleClasses.push_back(std::move(c));
    }
    // Names as an old or hand-made project file may hold them.
    for (const char* name : {"}body{color:red", "9lives", "with space", "", "-"}) {
        auto c = std::make_unique<CStyleClass>(CLASS_A, 0);
        c->m_strName = name;
        c->m_nSize = 10;
        doc.m_styleClasses.push_back(std::move(c));
    }
    CString css;
    BuildSiteCss(doc, css);
    EXPECT_EQ(css.Find("}body{color:red"), -1) << "a class name cannot end the rule";
    for (int kind = 0; kind < CLASS_KIND_COUNT; ++kind) {
        const CString selector = CString(CStyleClass::GetElement(kind)) + "." + doc.m_styleClasses[first + std::size_t(kind)]->m_strName;
        EXPECT_NE(css.Find(selector.GetString()), -1) << selector.GetString();
    }
    const QString jar = testsupport::VnuJarPath();
    ASSERT_FALSE(jar.isEmpty()) << "the Nu HTML checker (vnu-jar) is not installed";
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("styles.css"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(css.GetString(), css.GetLength());
    file.close();
    const testsupport::ProcessResult r = testsupport::RunProcess(
        QStringLiteral("java"), {QStringLiteral("-jar"), jar, QStringLiteral("--css"), QStringLiteral("--errors-only"),
                                 QStringLiteral("--format"), QStringLiteral("gnu"), path},
        QByteArray(), 300000);
    ASSERT_TRUE(r.started);
    EXPECT_EQ(r.exitCode, 0) << (r.out + r.err).toStdString() << "\n" << css.GetString();
}

namespace {
// Every text gets a mark, so that what was translated shows.
bool MarkEveryText(CString& text)
{
    if (text.IsEmpty())
        return false;
    text = "T:" + text;
    return true;
}
struct ScopedLookup {
    ScopedLookup() : previous(GetTranslationLookup()) { SetTranslationLookup(&MarkEveryText); }
    ~ScopedLookup() { SetTranslationLookup(previous); }
    TranslationLookup previous;
};
} // namespace

TEST(ClassDialogs, TablesAreTheDialogsControlsInOrder)
{
    const struct {
        const char* name;
        const DlgTemplate* table;
        int resource;
        std::function<std::unique_ptr<CDialog>()> make;
    } cases[] = {
        {"DClassList", &kClassListTemplate, 300, [] { return std::make_unique<DClassList>(); }},
        {"DNewClass", &kNewClassTemplate, 296, [] { return std::make_unique<DNewClass>(); }},
        {"DClass", &kClassTemplate, 297, [] { return std::make_unique<DClass>(); }},
        {"DOverStyle", &kOverStyleTemplate, 321, [] { return std::make_unique<DOverStyle>(); }},
        {"DSelectClass", &kSelectClassTemplate, 301, [] { return std::make_unique<DSelectClass>(); }},
        {"DImageOverColor", &kImageOverColorTemplate, 253, [] { return std::make_unique<DImageOverColor>(); }},
        {"DShapeOverColor", &kShapeOverColorTemplate, 320, [] { return std::make_unique<DShapeOverColor>(); }},
        {"DTextShadow", &kTextShadowTemplate, 386, [] { return std::make_unique<DTextShadow>(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.table->resource, c.resource);
        std::unique_ptr<CDialog> dlg = c.make();
        std::vector<int> ids;
        for (const DlgControl& row : c.table->controls)
            if (row.id != IDC_STATIC) {
                EXPECT_EQ(std::count(ids.begin(), ids.end(), row.id), 0) << row.id;
                ids.push_back(row.id);
                EXPECT_NE(dlg->GetDlgItem(row.id), nullptr) << row.id;
            }
        EXPECT_EQ(dlg->ControlIds(), ids);
        EXPECT_EQ(dlg->windowTitle().toStdString(), c.table->caption);
    }
}

TEST(ClassDialogs, OverStyleKeepsItsTextsWhileTheClassDialogTranslates)
{
    ClassFixture f;
    ScopedLookup marks;
    MessageLog log;
    CString overButton, overCaption, classButton, classCaption;
    ScopedHook hook([&](CDialog& d) {
        if (dynamic_cast<DOverStyle*>(&d)) {
            overButton = d.GetDlgItemText(1055);
            overCaption = CString::FromQString(d.windowTitle());
            PressCancel(d);
            return Finish(d);
        }
        classButton = d.GetDlgItemText(1061);
        classCaption = CString::FromQString(d.windowTitle());
        Click(d, 1063);
        Type(d.GetDlgItem(1000), QStringLiteral("--"));
        PressOk(d);
        PressCancel(d);
        return Finish(d);
    });
    EXPECT_FALSE(EditClassWithDialog(f.doc, *f.box, nullptr));
    EXPECT_EQ(overButton, CString("Background"));
    EXPECT_EQ(overCaption, CString("Over Style"));
    EXPECT_EQ(classButton, CString("T:Borders"));
    EXPECT_EQ(classCaption, CString("T:Class"));
    ASSERT_EQ(log.texts.size(), 1u);
    EXPECT_EQ(log.texts[0], CString("T:Enter class name"));
}

TEST(ClassKinds, RowsAndKindsMapBothWays)
{
    const struct {
        int row, kind;
    } rows[] = {{0, 0}, {1, 1}, {13, 13}, {14, 14}, {19, 19}, {20, 23}, {21, 24}, {22, -1}, {-1, -1}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.row);
        EXPECT_EQ(ClassKindOfRow(r.row), r.kind);
        if (r.kind >= 0) {
            EXPECT_EQ(ClassRowOfKind(r.kind), r.row);
        }
    }
    // The colour, date and file inputs, which the list does not offer, show as input fields.
    for (int kind : {20, 21, 22})
        EXPECT_EQ(ClassRowOfKind(kind), 14) << kind;
}
