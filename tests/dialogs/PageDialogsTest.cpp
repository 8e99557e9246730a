// Page setup and the small item and page dialogs both ways: values in, out on OK, kept on
// Cancel, refused values with their messages, and the buttons that end or open dialogs.
#include "DialogTestSupport.h"

#include "dialogs/PageSetup.h"
#include "dialogs/SizeDialogs.h"
#include "dialogs/SmallItemDialogs.h"
#include "document/KJDoc.h"
#include "model/MasterItem.h"
#include "model/Page.h"
#include "model/items/InputFieldItem.h"
#include "model/items/ListItem.h"
#include "model/items/MarqueeItem.h"

#include <gtest/gtest.h>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QRadioButton>

#include <memory>

using namespace dialogtest;

namespace {

void Choose(CDialog& d, int id, int index)
{
    auto* combo = qobject_cast<QComboBox*>(d.GetDlgItem(id));
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

QStringList Entries(CDialog& d, int id)
{
    auto* combo = qobject_cast<QComboBox*>(d.GetDlgItem(id));
    QStringList out;
    for (int i = 0; i < combo->count(); ++i)
        out << combo->itemText(i);
    return out;
}

void Click(CDialog& d, int id) { qobject_cast<QAbstractButton*>(d.GetDlgItem(id))->click(); }

struct SetupFixture {
    CKJDoc doc;
    CPage* page = nullptr;
    CMasterItem* top = nullptr;
    CMasterItem* side = nullptr;
    SetupFixture()
    {
        doc.m_pages.push_back(std::make_unique<CPage>());
        page = doc.m_pages[0].get();
        for (const char* name : {"Top", "Side"}) {
            auto master = std::make_unique<CMasterItem>();
            master->m_strName = name;
            doc.m_masters.push_back(std::move(master));
        }
        top = doc.m_masters[0].get();
        side = doc.m_masters[1].get();
        page->m_pMaster2 = side;
        page->m_nMaster2Id = side->m_nSerial;
    }
    void Fill(DPageSetup& d)
    {
        d.m_pPage = page;
        d.m_pDoc = &doc;
        d.m_nWidth = 900;
        d.m_nHeight = 700;
        d.m_title = "Home";
    }
};

} // namespace

TEST(PageSetup, MasterListsShowNoneAndEveryMasterAndSelectTheCurrentOnes)
{
    SetupFixture f;
    DPageSetup dlg;
    f.Fill(dlg);
    RunDialog(dlg, [](CDialog& d) {
        const QStringList expected{"<none>", "Top", "Side"};
        EXPECT_EQ(Entries(d, 1020), expected);
        EXPECT_EQ(Entries(d, 1021), expected);
        EXPECT_EQ(qobject_cast<QComboBox*>(d.GetDlgItem(1020))->currentIndex(), 0);
        EXPECT_EQ(qobject_cast<QComboBox*>(d.GetDlgItem(1021))->currentIndex(), 2);
        EXPECT_EQ(d.GetDlgItemText(1005), CString("Home"));
        EXPECT_TRUE(d.GetDlgItem(1073)->isEnabled()) << "the page's background opens in the background editor";
        Screenshot(d, "DPageSetup");
    });
}

TEST(PageSetup, OkStoresTheChosenMastersAndNoneClearsThem)
{
    const struct {
        const char* what;
        int background, overlay; // rows chosen
        bool topAsFirst;         // expected first master is Top (else none)
        bool sideAsSecond;       // expected second master is Side (else none)
    } cases[] = {
        {"background Top, overlay kept", 1, 2, true, true},
        {"none clears the overlay", 0, 0, false, false},
        {"both Top, Side swapped out", 1, 0, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetupFixture f;
        DPageSetup dlg;
        f.Fill(dlg);
        EXPECT_EQ(RunDialog(dlg,
                            [&](CDialog& d) {
                                Choose(d, 1020, c.background);
                                Choose(d, 1021, c.overlay);
                                PressOk(d);
                            }),
                  IDOK);
        EXPECT_EQ(f.page->m_pMaster1, c.topAsFirst ? f.top : nullptr);
        EXPECT_EQ(f.page->m_nMaster1Id, c.topAsFirst ? f.top->m_nSerial : 0);
        EXPECT_EQ(f.page->m_pMaster2, c.sideAsSecond ? f.side : nullptr);
        EXPECT_EQ(f.page->m_nMaster2Id, c.sideAsSecond ? f.side->m_nSerial : 0);
    }
}

TEST(PageSetup, ValuesBothWaysAndCancelKeepsEverything)
{
    SetupFixture f;
    DPageSetup dlg;
    f.Fill(dlg);
    dlg.m_bCenter = 1;
    EXPECT_EQ(RunDialog(dlg,
                        [](CDialog& d) {
                            EXPECT_EQ(d.GetDlgItemText(1000), CString("900"));
                            EXPECT_EQ(d.IsDlgButtonChecked(1001), 1);
                            Choose(d, 1018, 2);
                            Choose(d, 1019, 1);
                            d.SetDlgItemText(1000, "1024");
                            d.SetDlgItemText(1003, "5000");
                            d.CheckDlgButton(1002, 1);
                            d.CheckDlgButton(1010, 1);
                            d.SetDlgItemText(1005, "Start page");
                            PressOk(d);
                        }),
              IDOK);
    EXPECT_EQ(dlg.m_nAlign, 2);
    EXPECT_EQ(dlg.m_nOverlap, 1);
    EXPECT_EQ(dlg.m_nWidth, 1024);
    EXPECT_EQ(dlg.m_nHeight, 5000);
    EXPECT_EQ(dlg.m_bStretch, 1);
    EXPECT_EQ(dlg.m_bPhp, 1);
    EXPECT_EQ(dlg.m_title.ToQString(), QStringLiteral("Start page"));

    DPageSetup cancelled;
    f.Fill(cancelled);
    EXPECT_EQ(RunDialog(cancelled,
                        [](CDialog& d) {
                            Choose(d, 1021, 0);
                            d.SetDlgItemText(1000, "1200");
                            PressCancel(d);
                        }),
              IDCANCEL);
    EXPECT_EQ(cancelled.m_nWidth, 900);
    EXPECT_EQ(f.page->m_pMaster2, f.side);
}

TEST(PageSetup, WidthAndHeightOutsideOneTo5000AreRefused)
{
    const struct {
        int id;
        const char* typed;
    } cases[] = {{1000, "0"}, {1000, "5001"}, {1003, "0"}, {1003, "5001"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        SetupFixture f;
        DPageSetup dlg;
        f.Fill(dlg);
        MessageLog log;
        EXPECT_EQ(RunDialog(dlg,
                            [&](CDialog& d) {
                                Choose(d, 1021, 0);
                                d.SetDlgItemText(c.id, c.typed);
                                PressOk(d);
                            }),
                  IDCANCEL);
        EXPECT_EQ(log.texts.size(), 1u);
        EXPECT_FALSE(dlg.IsEnded()) << "the dialog stays open";
        EXPECT_EQ(f.page->m_pMaster2, f.side) << "a refused OK stores no master";
    }
}

TEST(PageSetup, HeaderFooterAndRenameMoveEndWithTheirCommands)
{
    for (auto [button, result] : {std::pair{1076, kPageSetupHeaderFooter}, std::pair{1077, kPageSetupRenameMove}}) {
        SetupFixture f;
        DPageSetup dlg;
        f.Fill(dlg);
        EXPECT_EQ(RunDialog(dlg, [&](CDialog& d) { Click(d, button); }), result);
    }
    EXPECT_EQ(kPageSetupHeaderFooter, 32886);
    EXPECT_EQ(kPageSetupRenameMove, 32892);
}

TEST(PageSetup, PaddingButtonEditsThePagePadding)
{
    SetupFixture f;
    DPageSetup dlg;
    f.Fill(dlg);
    const CDialog::ModalHook previous = CDialog::SetModalHook([](CDialog& d) {
        if (dynamic_cast<DPadding*>(&d)) {
            d.SetDlgItemText(1000, "7");
            d.SetDlgItemText(1001, "0");
            d.OnOK();
            return d.GetResult();
        }
        Click(d, 1064);
        d.OnOK();
        return d.GetResult();
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    CDialog::SetModalHook(previous);
    EXPECT_EQ(f.page->m_nPadding, 7);
    ASSERT_TRUE(f.page->m_pPadding);
    EXPECT_EQ(f.page->m_pPadding->m_bLeft, 1);
    EXPECT_EQ(f.page->m_pPadding->m_nLeft, 0);
}

// ---- Go To Page

TEST(SmallDialogs, GoToPageListsPagesAndSelectingChoosesOne)
{
    SetupFixture f;
    f.doc.m_pages.push_back(std::make_unique<CPage>());
    f.doc.m_pages[0]->m_title = "Home";
    f.doc.m_pages[1]->m_title = "About";
    std::vector<CPage*> pages{f.doc.m_pages[0].get(), f.doc.m_pages[1].get()};
    DGoToPage dlg;
    dlg.m_pPages = &pages;
    EXPECT_EQ(RunDialog(dlg,
                        [](CDialog& d) {
                            auto* list = qobject_cast<QListWidget*>(d.GetDlgItem(1078));
                            ASSERT_EQ(list->count(), 2);
                            EXPECT_EQ(list->item(0)->text(), QStringLiteral("Home"));
                            EXPECT_EQ(list->item(1)->text(), QStringLiteral("About"));
                            list->setCurrentRow(1);
                            emit list->itemDoubleClicked(list->item(1));
                            EXPECT_FALSE(d.IsEnded()) << "a double click only selects";
                            PressOk(d);
                        }),
              IDOK);
    EXPECT_EQ(dlg.m_pPage, pages[1]);

    DGoToPage none;
    none.m_pPages = &pages;
    EXPECT_EQ(RunDialog(none, [](CDialog& d) { PressOk(d); }), IDOK);
    EXPECT_EQ(none.m_pPage, nullptr);
}

// ---- Heading

TEST(SmallDialogs, HeadingLevelsByRadioBothWays)
{
    const int radios[] = {1043, 1044, 1045, 1046, 1089, 1090};
    for (int level = 0; level < 6; ++level) {
        SCOPED_TRACE(level);
        DHeading dlg;
        dlg.m_nLevel = 5 - level;
        dlg.m_text = "Title";
        EXPECT_EQ(RunDialog(dlg,
                            [&](CDialog& d) {
                                EXPECT_EQ(d.IsDlgButtonChecked(radios[5 - level]), 1);
                                qobject_cast<QRadioButton*>(d.GetDlgItem(radios[level]))->click();
                                d.SetDlgItemText(1000, "Best <b>cakes</b>");
                                d.CheckDlgButton(1001, 1);
                                PressOk(d);
                            }),
                  IDOK);
        EXPECT_EQ(dlg.m_nLevel, level);
        EXPECT_EQ(dlg.m_text.ToQString(), QStringLiteral("Best <b>cakes</b>"));
        EXPECT_EQ(dlg.m_bAllowTags, 1);
    }
    DHeading cancelled;
    cancelled.m_nLevel = 2;
    RunDialog(cancelled, [](CDialog& d) {
        qobject_cast<QRadioButton*>(d.GetDlgItem(1090))->click();
        PressCancel(d);
    });
    EXPECT_EQ(cancelled.m_nLevel, 2);
}

// ---- Margins

TEST(SmallDialogs, MarginsEmptyIsNotSetAndZeroIsSet)
{
    CBoxSpacing margin;
    margin.m_bLeft = 1;
    margin.m_nLeft = 12;
    margin.m_bTop = 0;
    margin.m_nTop = 0;
    DMargins dlg;
    dlg.m_pMargin = &margin;
    EXPECT_EQ(RunDialog(dlg,
                        [](CDialog& d) {
                            EXPECT_EQ(d.GetDlgItemText(1003), CString("12"));
                            EXPECT_EQ(d.GetDlgItemText(1011), CString(""));
                            d.SetDlgItemText(1003, "");
                            d.SetDlgItemText(1011, "0");
                            d.SetDlgItemText(1014, "30");
                            PressOk(d);
                        }),
              IDOK);
    EXPECT_EQ(margin.m_bLeft, 0);
    EXPECT_EQ(margin.m_nLeft, 0);
    EXPECT_EQ(margin.m_bTop, 1);
    EXPECT_EQ(margin.m_nTop, 0);
    EXPECT_EQ(margin.m_bRight, 1);
    EXPECT_EQ(margin.m_nRight, 30);
    EXPECT_EQ(margin.m_bBottom, 0);

    CBoxSpacing kept = margin;
    DMargins cancelled;
    cancelled.m_pMargin = &margin;
    RunDialog(cancelled, [](CDialog& d) {
        d.SetDlgItemText(1017, "9");
        PressCancel(d);
    });
    EXPECT_EQ(margin.m_bBottom, kept.m_bBottom);
    EXPECT_EQ(margin.m_nRight, kept.m_nRight);

    // Digits only: a minus sign cannot be typed.
    DMargins typed;
    typed.m_pMargin = &margin;
    RunDialog(typed, [](CDialog& d) {
        Type(d.GetDlgItem(1003), QStringLiteral("-5"));
        EXPECT_EQ(d.GetDlgItemText(1003), CString("5"));
    });
}

// ---- Input field

TEST(SmallDialogs, InputFieldBothWaysWithEmptyLengthBoxes)
{
    CKJDoc doc;
    CInputFieldItem item;
    item.m_strName = "email";
    item.m_nInputType = 1;
    item.m_nMaxLength = 0;
    item.m_nMinLength = 3;
    DInputField dlg;
    dlg.m_pItem = &item;
    dlg.m_pDoc = &doc;
    EXPECT_EQ(RunDialog(dlg,
                        [](CDialog& d) {
                            EXPECT_EQ(d.GetDlgItemText(1017), CString("email"));
                            EXPECT_EQ(d.GetDlgItemText(1007), CString(""));
                            EXPECT_EQ(d.GetDlgItemText(1008), CString("3"));
                            EXPECT_EQ(qobject_cast<QComboBox*>(d.GetDlgItem(1018))->currentIndex(), 1);
                            Screenshot(d, "DInputField");
                            Choose(d, 1018, 2);
                            d.SetDlgItemText(1003, "you@example.com");
                            d.SetDlgItemText(1005, "Your mail");
                            d.CheckDlgButton(1010, 1);
                            d.CheckDlgButton(1001, 1);
                            d.SetDlgItemText(1000, "Please fill in");
                            d.SetDlgItemText(1002, "abc");
                            d.SetDlgItemText(1004, "<>");
                            d.SetDlgItemText(1305, "@");
                            d.SetDlgItemText(1007, "40");
                            d.SetDlgItemText(1008, "");
                            d.SetDlgItemText(1306, "Bad mail");
                            PressOk(d);
                        }),
              IDOK);
    EXPECT_EQ(item.m_nInputType, 2);
    EXPECT_EQ(item.m_strText.ToQString(), QStringLiteral("you@example.com"));
    EXPECT_EQ(item.m_wstrPlaceholder.ToQString(), QStringLiteral("Your mail"));
    EXPECT_EQ(item.m_bReadOnly, 1);
    EXPECT_EQ(item.m_bRequired, 1);
    EXPECT_EQ(item.m_strRequiredMessage.ToQString(), QStringLiteral("Please fill in"));
    EXPECT_EQ(item.m_strAllowedChars.ToQString(), QStringLiteral("abc"));
    EXPECT_EQ(item.m_strForbiddenChars.ToQString(), QStringLiteral("<>"));
    EXPECT_EQ(item.m_strRequiredChars.ToQString(), QStringLiteral("@"));
    EXPECT_EQ(item.m_nMaxLength, 40);
    EXPECT_EQ(item.m_nMinLength, 0);
    EXPECT_EQ(item.m_strRuleMessage.ToQString(), QStringLiteral("Bad mail"));
}

TEST(SmallDialogs, InputFieldRefusesNegativeLengthsAndMinimumAboveMaximum)
{
    const struct {
        const char* max;
        const char* min;
        bool accepted;
    } cases[] = {
        {"-1", "", false}, {"", "-2", false}, {"5", "6", false}, {"5", "5", true}, {"", "6", true}, {"x", "", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.max) + " / " + c.min);
        CKJDoc doc;
        CInputFieldItem item;
        item.m_nMaxLength = 9;
        item.m_nMinLength = 1;
        item.m_strRuleMessage = "kept";
        DInputField dlg;
        dlg.m_pItem = &item;
        dlg.m_pDoc = &doc;
        MessageLog log;
        const int result = RunDialog(dlg, [&](CDialog& d) {
            d.SetDlgItemText(1007, c.max);
            d.SetDlgItemText(1008, c.min);
            d.SetDlgItemText(1306, "changed");
            PressOk(d);
        });
        if (c.accepted) {
            EXPECT_EQ(result, IDOK);
            EXPECT_TRUE(log.texts.empty());
        } else {
            EXPECT_EQ(result, IDCANCEL);
            EXPECT_EQ(log.texts.size(), 1u);
            EXPECT_EQ(item.m_nMaxLength, 9);
            EXPECT_EQ(item.m_nMinLength, 1);
            EXPECT_EQ(item.m_strRuleMessage.ToQString(), QStringLiteral("kept")) << "a refusal stores nothing";
        }
    }
}

TEST(SmallDialogs, InputFieldNameClashAsksAndNoKeepsTheDialogOpen)
{
    for (int answer : {IDNO, IDYES}) {
        SCOPED_TRACE(answer);
        CKJDoc doc;
        doc.m_pages.push_back(std::make_unique<CPage>());
        CPage* page = doc.m_pages[0].get();
        auto* other = new CInputFieldItem;
        other->m_strName = "city";
        page->AddChild(other);
        auto* item = new CInputFieldItem;
        item->m_strName = "town";
        page->AddChild(item);
        std::vector<CString> asked;
        const auto previousBox = SetMessageBoxHandler([&](const CString& text, const CString&, unsigned) {
            asked.push_back(text);
            return answer;
        });
        DInputField dlg;
        dlg.m_pItem = item;
        dlg.m_pDoc = &doc;
        dlg.m_pGroup = page;
        const int result = RunDialog(dlg, [](CDialog& d) {
            d.SetDlgItemText(1017, "city");
            PressOk(d);
        });
        SetMessageBoxHandler(previousBox);
        ASSERT_EQ(asked.size(), 1u);
        EXPECT_NE(asked[0].Find("city"), -1);
        EXPECT_EQ(result, answer == IDYES ? IDOK : IDCANCEL);
        EXPECT_EQ(item->m_strName, CString(answer == IDYES ? "city" : "town"));
    }
}

// ---- List, Marquee, Master, Div

TEST(SmallDialogs, ListBothWaysAndBulletDisabledUntilItsDialogExists)
{
    CListItem item;
    item.m_strText = "one\ntwo";
    item.m_nStyle = 3;
    item.m_nLineSpacing = 6;
    DList dlg;
    dlg.m_pItem = &item;
    EXPECT_EQ(RunDialog(dlg,
                        [](CDialog& d) {
                            EXPECT_EQ(qobject_cast<QComboBox*>(d.GetDlgItem(1018))->currentText(),
                                      QStringLiteral("circle"));
                            EXPECT_EQ(qobject_cast<QComboBox*>(d.GetDlgItem(1019))->currentText(), QStringLiteral("6"));
                            EXPECT_FALSE(d.GetDlgItem(1025)->isEnabled());
                            d.SetDlgItemText(1000, "a\nb\nc");
                            Choose(d, 1018, 9);
                            Choose(d, 1019, 20);
                            d.CheckDlgButton(1001, 1);
                            PressOk(d);
                        }),
              IDOK);
    EXPECT_EQ(item.m_strText.ToQString(), QStringLiteral("a\nb\nc"));
    EXPECT_EQ(item.m_nStyle, 9);
    EXPECT_EQ(item.m_nLineSpacing, 20);
    EXPECT_EQ(item.m_bRawText, 1);
}

TEST(SmallDialogs, MarqueeBothWaysAndRefusesAnUnreadableSpeed)
{
    CMarqueeItem item;
    item.m_nScrollAmount = 4;
    item.m_nLoop = 0;
    item.m_nDirection = 1;
    DMarquee dlg;
    dlg.m_pItem = &item;
    EXPECT_EQ(RunDialog(dlg,
                        [](CDialog& d) {
                            EXPECT_EQ(d.GetDlgItemText(1000), CString("4"));
                            EXPECT_EQ(qobject_cast<QComboBox*>(d.GetDlgItem(1020))->currentText(),
                                      QStringLiteral("Infinite"));
                            d.SetDlgItemText(1000, "12");
                            Choose(d, 1020, 10);
                            Choose(d, 1036, 0);
                            PressOk(d);
                        }),
              IDOK);
    EXPECT_EQ(item.m_nScrollAmount, 12);
    EXPECT_EQ(item.m_nLoop, 10);
    EXPECT_EQ(item.m_nDirection, 0);

    DMarquee refused;
    refused.m_pItem = &item;
    MessageLog log;
    EXPECT_EQ(RunDialog(refused,
                        [](CDialog& d) {
                            Choose(d, 1036, 1);
                            d.SetDlgItemText(1000, "fast");
                            PressOk(d);
                        }),
              IDCANCEL);
    EXPECT_EQ(log.texts.size(), 1u);
    EXPECT_EQ(item.m_nScrollAmount, 12);
    EXPECT_EQ(item.m_nDirection, 0) << "a refused speed stores nothing";
}

TEST(SmallDialogs, MasterNameHeightAndNoFill)
{
    CKJDoc doc;
    CMasterItem master;
    master.m_strName = "Top";
    master.m_nHeight = 100;
    master.m_nHeightMode = 1;
    DMaster dlg;
    dlg.m_pMaster = &master;
    dlg.m_pDoc = &doc;
    const CDialog::ModalHook previous = CDialog::SetModalHook([](CDialog& d) {
        if (dynamic_cast<DPageHeight*>(&d)) {
            EXPECT_EQ(d.GetDlgItemText(1000), CString("100"));
            d.SetDlgItemText(1000, "240");
            Choose(d, 1018, 2);
            d.OnOK();
            return d.GetResult();
        }
        EXPECT_FALSE(d.GetDlgItem(1073)->isEnabled()) << "no fill record: Background does nothing";
        Click(d, 1025);
        d.SetDlgItemText(1000, "Header");
        d.OnOK();
        return d.GetResult();
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    CDialog::SetModalHook(previous);
    EXPECT_EQ(master.m_strName, CString("Header"));
    EXPECT_EQ(master.m_nHeight, 240);
    EXPECT_EQ(master.m_nHeightMode, 2);
}

TEST(SmallDialogs, DivNameScrollbarsAndSize)
{
    CGroupItem group;
    group.m_strName = "box";
    group.m_nOverflow = 3;
    group.m_nWidth = 200;
    group.m_nHeight = 100;
    DDiv dlg;
    dlg.m_pItem = &group;
    QString resizeCaption;
    const CDialog::ModalHook previous = CDialog::SetModalHook([&](CDialog& d) {
        if (dynamic_cast<DResize*>(&d)) {
            resizeCaption = d.windowTitle();
            d.SetDlgItemText(1000, "320");
            d.SetDlgItemText(1001, "90");
            d.OnOK();
            return d.GetResult();
        }
        EXPECT_EQ(qobject_cast<QComboBox*>(d.GetDlgItem(1018))->currentIndex(), 3);
        Click(d, 1025);
        Choose(d, 1018, 1);
        d.SetDlgItemText(1017, "panel");
        d.OnOK();
        return d.GetResult();
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    CDialog::SetModalHook(previous);
    EXPECT_EQ(resizeCaption, QStringLiteral("Resize : box"));
    EXPECT_EQ(group.m_nWidth, 320);
    EXPECT_EQ(group.m_nHeight, 90);
    EXPECT_EQ(group.m_nOverflow, 1);
    EXPECT_EQ(group.m_strName, CString("panel"));

    DDiv cancelled;
    cancelled.m_pItem = &group;
    RunDialog(cancelled, [](CDialog& d) {
        Choose(d, 1018, 2);
        PressCancel(d);
    });
    EXPECT_EQ(group.m_nOverflow, 1);
}
