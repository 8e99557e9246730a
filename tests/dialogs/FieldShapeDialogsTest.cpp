// Form field dialogs and the small item dialogs both ways: stored values, enabling, name
// checks, refusals that store nothing, the video id of a link.
#include "DialogTestSupport.h"

#include "dialogs/ArtisticTextDialogs.h"
#include "dialogs/FieldDialogs.h"
#include "dialogs/LinkItemDialogs.h"
#include "dialogs/TextMediaDialogs.h"
#include "document/KJDoc.h"
#include "framework/ui/Shell.h"
#include "model/Page.h"
#include "model/items/CheckBoxItem.h"
#include "model/items/DatePickerItem.h"
#include "model/items/EmailItem.h"
#include "model/items/ListControlItem.h"
#include "model/items/RadioChoiceItem.h"
#include "model/items/ShapeItem.h"
#include "model/items/SubmitButtonItem.h"
#include "model/items/TextAreaItem.h"
#include "model/items/TextItem.h"

#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLineEdit>

using namespace dialogtest;

namespace {

bool IsOn(CDialog& d, int id) { return d.GetDlgItem(id)->isEnabled(); }
QComboBox* Combo(CDialog& d, int id) { return qobject_cast<QComboBox*>(d.GetDlgItem(id)); }
void Choose(CDialog& d, int id, int index)
{
    Combo(d, id)->setCurrentIndex(index);
    emit Combo(d, id)->activated(index);
}

// Answers every question with answer and counts them.
struct Questions {
    int asked = 0;
    MessageBoxHandler previous;
    explicit Questions(int answer)
    {
        previous = SetMessageBoxHandler([this, answer](const CString&, const CString&, unsigned) {
            ++asked;
            return answer;
        });
    }
    ~Questions() { SetMessageBoxHandler(previous); }
};

} // namespace

// ------------------------------------------------------------------ date picker

TEST(FieldDialogs, DatePickerKeepsAYearOutsideTheListAndStoresDisabledValues)
{
    const struct {
        int mode;
        const char* year;
        int stored;
    } cases[] = {{0, "1850", 1850}, {1, "2150", 2150}, {1, "2024", 2024}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.year);
        CDatePickerItem item;
        item.m_nStartMode = c.mode;
        item.m_nYear = 1777;
        item.m_nDay = 14;
        item.m_nMonth = 6;
        DDatePicker dlg;
        dlg.m_pItem = &item;
        EXPECT_EQ(RunDialog(dlg,
                            [&](CDialog& d) {
                                EXPECT_EQ(d.GetDlgItemText(1036), "1777") << "the stored year stays after the list";
                                EXPECT_EQ(Combo(d, 1036)->count(), 200);
                                EXPECT_EQ(Combo(d, 1036)->itemText(199), QStringLiteral("2099"));
                                for (int id : {1036, 1020, 1066})
                                    EXPECT_EQ(IsOn(d, id), c.mode == 1) << id;
                                Choose(d, 1018, 1 - c.mode);
                                EXPECT_EQ(IsOn(d, 1036), c.mode == 0) << "enabling follows the start mode";
                                Choose(d, 1018, c.mode);
                                Combo(d, 1036)->setEditText(QString::fromLatin1(c.year));
                                Combo(d, 1020)->setCurrentIndex(11);
                                d.CheckDlgButton(1089, 0);
                                Choose(d, 1040, 2);
                                PressOk(d);
                            }),
                  IDOK);
        EXPECT_EQ(item.m_nYear, c.stored);
        EXPECT_EQ(item.m_nMonth, 11);
        EXPECT_EQ(item.m_nDay, 14);
        EXPECT_EQ(item.m_nStartMode, c.mode);
        EXPECT_EQ(item.m_bWeekdays[6], 0);
        EXPECT_EQ(item.m_bWeekdays[0], 1);
        EXPECT_EQ(item.m_nValueFormat, 2);
    }
}

TEST(FieldDialogs, DatePickerScreenshot)
{
    CDatePickerItem item;
    item.m_nStartMode = 1;
    DDatePicker dlg;
    dlg.m_pItem = &item;
    RunDialog(dlg, [](CDialog& d) {
        EXPECT_EQ(Combo(d, 1040)->itemText(2), QStringLiteral("JavaScript time (miliseconds since 1970)"));
        Screenshot(d, "DDatePicker");
    });
}

// ------------------------------------------------------------------ list field

TEST(FieldDialogs, ListRowsAreAnIndexAndTheSelectionALabel)
{
    const struct {
        int rows;      // stored
        int index;     // chosen
        int expected;  // stored after OK
    } cases[] = {{4, 0, 1}, {1, 39, 40}, {0, 0, 0}, {0, 2, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rows << " " << c.index);
        CListControlItem item;
        item.m_nRows = c.rows;
        item.m_strText = CString("Red=r\r\nGreen=g\r\nBlue=b").GetString();
        item.m_nSelected = 1;
        DListField dlg;
        dlg.m_pItem = &item;
        RunDialog(dlg, [&](CDialog& d) {
            EXPECT_EQ(d.GetDlgItemText(1000), "Green");
            EXPECT_EQ(Combo(d, 1018)->itemText(0), QStringLiteral("1"));
            Combo(d, 1018)->setCurrentIndex(c.index);
            d.SetDlgItemText(1000, "Blue");
            PressOk(d);
        });
        EXPECT_EQ(item.m_nRows, c.expected);
        EXPECT_EQ(item.m_nSelected, 2);
        EXPECT_EQ(item.m_strText.ToQString(), QStringLiteral("Red=r\r\nGreen=g\r\nBlue=b"));
    }
}

// ------------------------------------------------------------------ names

TEST(FieldDialogs, NamesAreCheckedAgainstTheSiteAndNoKeepsTheDialogOpen)
{
    // A page with a field named "taken" and the item under test.
    const struct {
        const char* name;
        int answer;
        int questions;
        bool closes;
    } cases[] = {{"", IDYES, 0, true}, {"free", IDYES, 0, true}, {"taken", IDNO, 1, false}, {"taken", IDYES, 1, true}};
    for (int kind = 0; kind < 5; ++kind) {
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << "kind " << kind << " name '" << c.name << "' answer " << c.answer);
            CKJDoc doc;
            auto page = std::make_unique<CPage>();
            CItem* other = new CCheckBoxItem;
            other->m_strName = "taken";
            page->AddChild(other);
            CPage* p = page.get();
            doc.m_pages.push_back(std::move(page));
            std::unique_ptr<CDialog> dlg;
            CItem* item = nullptr;
            auto place = [&](auto* field, auto* dialog) {
                field->m_strName = "before";
                p->AddChild(field);
                dialog->m_pItem = field;
                dialog->m_pDoc = &doc;
                dialog->m_pContainer = p;
                item = field;
                dlg.reset(dialog);
            };
            switch (kind) {
            case 0: place(new CCheckBoxItem, new DCheckBox); break;
            case 1: place(new CListControlItem, new DListField); break;
            case 2: place(new CRadioChoiceItem, new DRadioChoice); break;
            case 3: place(new CTextAreaItem, new DTextAreaField); break;
            default: place(new CSubmitButtonItem, new DFormButton); break;
            }
            Questions asked(c.answer);
            const int result = RunDialog(*dlg, [&](CDialog& d) {
                d.SetDlgItemText(1017, c.name);
                PressOk(d);
            });
            EXPECT_EQ(asked.asked, c.questions);
            EXPECT_EQ(result, c.closes ? IDOK : IDCANCEL);
            EXPECT_EQ(item->m_strName, c.closes ? CString(c.name) : CString("before"));
        }
    }
}

TEST(FieldDialogs, CheckBoxRadioTextAreaAndButtonFieldsBothWays)
{
    CCheckBoxItem box;
    box.m_bChecked = 1;
    DCheckBox check;
    check.m_pItem = &box;
    RunDialog(check, [](CDialog& d) {
        EXPECT_EQ(d.IsDlgButtonChecked(1001), 1);
        d.CheckDlgButton(1202, 1);
        d.SetDlgItemText(1003, "Please agree");
        d.SetDlgItemText(1000, "I agree");
        PressOk(d);
    });
    EXPECT_EQ(box.m_bRequired, 1);
    EXPECT_EQ(box.m_strRequiredMessage, CWString(u"Please agree"));
    EXPECT_EQ(box.m_strText, CWString(u"I agree"));

    CRadioChoiceItem radio;
    DRadioChoice choice;
    choice.m_pItem = &radio;
    RunDialog(choice, [](CDialog& d) {
        d.SetDlgItemText(1002, "12");
        d.SetDlgItemText(1004, "2");
        d.CheckDlgButton(1005, 1);
        PressOk(d);
    });
    EXPECT_EQ(radio.m_nRowSpacing, 12);
    EXPECT_EQ(radio.m_nDefault, 2);
    EXPECT_EQ(radio.m_bRawText, 1);

    CTextAreaItem area;
    DTextAreaField text;
    text.m_pItem = &area;
    RunDialog(text, [](CDialog& d) {
        d.SetDlgItemText(1005, "Your message");
        d.SetDlgItemText(1007, "500");
        d.SetDlgItemText(1008, "5");
        d.SetDlgItemText(1306, "Too short");
        PressOk(d);
    });
    EXPECT_EQ(area.m_wstrPlaceholder, CWString(u"Your message"));
    EXPECT_EQ(area.m_nMaxLength, 500);
    EXPECT_EQ(area.m_nMinLength, 5);
    EXPECT_EQ(area.m_strRuleMessage, CWString(u"Too short"));

    CSubmitButtonItem button;
    DFormButton form;
    form.m_pItem = &button;
    RunDialog(form, [](CDialog& d) {
        Combo(d, 1018)->setCurrentIndex(3);
        PressOk(d);
    });
    EXPECT_EQ(button.m_nButtonKind, 3);
}

// ------------------------------------------------------------------ text, video, shape

TEST(SmallItemDialogs, TextSizeEmptyStoresZeroAndShowsEmpty)
{
    const struct {
        int stored;
        const char* shown;
        const char* typed;
        int expected;
    } cases[] = {{12, "12", "", 0}, {0, "", "36", 36}, {-4, "", "", 0}, {0, "", "7", 7}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        CTextItem item;
        item.m_nFontSize = c.stored;
        DText dlg;
        dlg.m_pItem = &item;
        RunDialog(dlg, [&](CDialog& d) {
            EXPECT_EQ(d.GetDlgItemText(1037), c.shown);
            d.SetDlgItemText(1037, c.typed);
            Combo(d, 1018)->setCurrentIndex(2); // the blank: inherit
            PressOk(d);
        });
        EXPECT_EQ(item.m_nFontSize, c.expected);
        EXPECT_EQ(item.m_nBold, 2);
    }
}

TEST(SmallItemDialogs, VideoIdOfALink)
{
    const struct {
        const char* link;
        const char* id;
    } cases[] = {
        {"https://www.youtube.com/watch?v=abc&t=10", "abc"},
        {"https://youtu.be/abc?t=5", "abc"},
        {"https://www.youtube.com/watch?feature=share&v=xyz_1", "xyz_1"},
        {"https://www.youtube.com/embed/abc", "abc"},
        {"https://www.youtube.com/v/abc/", "abc"},
        {"abc", "abc"},
        {"", ""},
        {"https://youtu.be/abc#t=3", "abc"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExtractVideoId(c.link), c.id) << c.link;
    EXPECT_EQ(YouTubeSource("abc", ""), "https://www.youtube.com/v/abc");
    EXPECT_EQ(YouTubeSource("abc", "?a=1"), "https://www.youtube.com/v/abc?a=1");
    EXPECT_EQ(YouTubeSource("abc", "a=1&b=2"), "https://www.youtube.com/v/abc?a=1&b=2");

    DYouTube dlg;
    dlg.m_strLink = "old";
    RunDialog(dlg, [](CDialog& d) {
        d.SetDlgItemText(1000, "https://www.youtube.com/watch?v=abc&t=10");
        d.SetDlgItemText(1003, "a=1&b=2");
        EXPECT_EQ(d.GetDlgItemText(1004), "https://www.youtube.com/v/abc?a=1&&b=2") << "ampersands doubled for the static";
        PressOk(d);
    });
    EXPECT_EQ(dlg.m_strLink, "abc");
    EXPECT_EQ(dlg.m_strArguments, "a=1&b=2");

    std::vector<CString> opened;
    const auto previous = tessel::SetShellHook([&](const CString& target, bool) {
        opened.push_back(target);
        return true;
    });
    DYouTube browse;
    RunDialog(browse, [](CDialog& d) { qobject_cast<QAbstractButton*>(d.GetDlgItem(1025))->click(); });
    tessel::SetShellHook(previous);
    EXPECT_EQ(opened, (std::vector<CString>{"https://www.youtube.com"}));
}

TEST(SmallItemDialogs, YouTubeAndVideoSizesOutsideTheRangeStoreNothing)
{
    for (const char* size : {"0", "3001", "abc"}) {
        SCOPED_TRACE(size);
        MessageLog said;
        DYouTube dlg;
        dlg.m_strLink = "keep";
        RunDialog(dlg, [&](CDialog& d) {
            d.SetDlgItemText(1000, "https://youtu.be/new");
            d.SetDlgItemText(1002, size);
            PressOk(d);
            EXPECT_FALSE(d.IsEnded());
        });
        EXPECT_EQ(said.texts.size(), 1u);
        EXPECT_EQ(dlg.m_strLink, "keep") << "a refused height stores no link either";
        EXPECT_EQ(dlg.m_nHeight, 364);
    }
}

TEST(SmallItemDialogs, ShapeVisibilityFollowsFillLineAndShape)
{
    const struct {
        int shape, fill, line;
        bool fillColor, gradient, lineColor, radius;
    } cases[] = {
        {0, 0, 0, false, false, false, false}, {2, 1, 3, true, false, true, true},
        {6, 2, 0, true, true, false, true},    {7, 6, 1, true, true, true, true},
        {8, 1, 0, true, false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.shape << " " << c.fill << " " << c.line);
        CShapeItem shape;
        shape.m_nFrameShape = c.shape;
        shape.m_nFill = c.fill;
        shape.m_nFrameWidth = c.line;
        DShape dlg;
        dlg.m_pItem = &shape;
        RunDialog(dlg, [&](CDialog& d) {
            auto shown = [&](int id) { return d.GetDlgItem(id)->parentWidget()->isVisibleTo(&d); };
            if (c.fill == 6)
                Screenshot(d, "DShape");
            EXPECT_EQ(shown(1050), c.fillColor);
            EXPECT_EQ(d.GetDlgItem(1020)->isVisibleTo(&d), c.fillColor);
            EXPECT_EQ(d.GetDlgItem(1004)->isVisibleTo(&d), c.fillColor);
            EXPECT_EQ(shown(1051), c.gradient);
            EXPECT_EQ(shown(1052), c.lineColor);
            EXPECT_EQ(d.GetDlgItem(1022)->isVisibleTo(&d), c.lineColor);
            EXPECT_EQ(IsOn(d, 1003), c.radius);
            // the rules run again when a list changes
            Choose(d, 1019, 0);
            Choose(d, 1021, 0);
            EXPECT_FALSE(shown(1050));
            EXPECT_FALSE(shown(1052));
            Choose(d, 1018, 2);
            EXPECT_TRUE(IsOn(d, 1003));
        });
    }
}

TEST(SmallItemDialogs, ShapeRefusalsStoreNothing)
{
    const struct {
        int id;
        const char* typed;
        bool accepted;
    } cases[] = {{1001, "0", false}, {1001, "3001", false}, {1002, "3000", true}, {1003, "1001", false},
                 {1003, "1000", true}, {1005, "x", false},  {1005, "45.5", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.id << " " << c.typed);
        CShapeItem shape;
        shape.m_nFrameShape = 2;
        const CDataBlock before = [&] {
            CDataBlock b;
            CKJDoc::WriteSnapshot(shape, b);
            return b;
        }();
        MessageLog said;
        DShape dlg;
        dlg.m_pItem = &shape;
        const int result = RunDialog(dlg, [&](CDialog& d) {
            Choose(d, 1018, 1); // a change that must not land when another value is refused
            d.SetDlgItemText(c.id, c.typed);
            PressOk(d);
        });
        EXPECT_EQ(result, c.accepted ? IDOK : IDCANCEL);
        EXPECT_EQ(said.texts.size(), c.accepted ? 0u : 1u);
        CDataBlock after;
        CKJDoc::WriteSnapshot(shape, after);
        if (!c.accepted) {
            EXPECT_EQ(std::string(reinterpret_cast<const char*>(after.Data()), after.Size()),
                      std::string(reinterpret_cast<const char*>(before.Data()), before.Size()));
            EXPECT_EQ(shape.m_nFrameShape, 2);
        } else
            EXPECT_EQ(shape.m_nFrameShape, 1);
    }
}

TEST(SmallItemDialogs, EmailKeepsAnInheritedWeightAndLimitsItsTexts)
{
    for (bool tick : {false, true}) {
        SCOPED_TRACE(tick);
        CEmailItem item;
        item.m_nBold = 2;
        item.m_nItalic = 1;
        DEmail dlg;
        dlg.m_pItem = &item;
        RunDialog(dlg, [&](CDialog& d) {
            EXPECT_EQ(d.IsDlgButtonChecked(1006), 0);
            EXPECT_EQ(d.IsDlgButtonChecked(1007), 1);
            for (int id : {1000, 1001, 1002, 1003, 1004})
                EXPECT_EQ(qobject_cast<QLineEdit*>(d.GetDlgItem(id))->maxLength(), 200) << id;
            if (tick)
                d.CheckDlgButton(1006, 1);
            d.SetDlgItemText(1003, "copy@example.org");
            PressOk(d);
        });
        EXPECT_EQ(item.m_nBold, tick ? 1 : 2);
        EXPECT_EQ(item.m_nItalic, 1);
        EXPECT_EQ(item.m_strCc, "copy@example.org");
    }
}

TEST(SmallItemDialogs, ShapeTextAndTextBulletOpenTheirDialogsOnTheItem)
{
    for (bool ok : {false, true}) {
        SCOPED_TRACE(ok);
        CShapeItem shape;
        shape.m_crText = 0x0000FF;
        DShape dlg;
        dlg.m_pItem = &shape;
        const CDialog::ModalHook previous = CDialog::SetModalHook([&](CDialog& d) -> int {
            if (auto* text = dynamic_cast<DArtisticText*>(&d)) {
                EXPECT_EQ(text->m_pItem, &shape.m_caption);
                text->m_pItem->m_crText = 0x00FF00;
                std::strcpy(text->m_pItem->m_lf.lfFaceName, "Georgia");
                return ok ? IDOK : IDCANCEL;
            }
            qobject_cast<QAbstractButton*>(d.GetDlgItem(1025))->click();
            d.OnCancel();
            return d.GetResult();
        });
        dlg.DoModal();
        CDialog::SetModalHook(previous);
        EXPECT_EQ(shape.m_crText, ok ? 0x00FF00u : 0x0000FFu);
        EXPECT_EQ(std::string(shape.m_lf.lfFaceName), ok ? "Georgia" : "Arial");
    }
    CTextItem item;
    DText text;
    text.m_pItem = &item;
    CItem* bulleted = nullptr;
    const CDialog::ModalHook previous = CDialog::SetModalHook([&](CDialog& d) -> int {
        if (auto* bullet = dynamic_cast<DBullet*>(&d)) {
            bulleted = bullet->m_pItem;
            return IDCANCEL;
        }
        qobject_cast<QAbstractButton*>(d.GetDlgItem(1025))->click();
        return IDCANCEL;
    });
    text.DoModal();
    CDialog::SetModalHook(previous);
    EXPECT_EQ(bulleted, &item);
}
