// The property dialogs both ways: values in, values out on OK, unchanged on Cancel, the
// refused values with their messages, and each dialog's own behaviour.
#include "DialogTestSupport.h"

#include "controls/ColorControl.h"
#include "dialogs/CodeView.h"
#include "dialogs/EffectDialogs.h"
#include "dialogs/FontDialogs.h"
#include "dialogs/InsertCharacter.h"
#include "dialogs/LinkDialog.h"
#include "dialogs/SizeDialogs.h"
#include "document/KJDoc.h"
#include "framework/ui/Shell.h"
#include "framework/ui/Translation.h"
#include "model/Item.h"
#include "model/Page.h"
#include "model/TextStyle.h"

#include <gtest/gtest.h>
#include <QtGui/QMouseEvent>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QRadioButton>

#include <memory>

using namespace dialogtest;

namespace {

// Chooses a list entry as the user does.
void Choose(CDialog& d, int id, int index)
{
    auto* combo = qobject_cast<QComboBox*>(d.GetDlgItem(id));
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

struct RangeCase {
    const char* what;
    std::function<std::unique_ptr<CDialog>()> make;
    int id;
    const char* typed;
    bool accepted;
    std::function<int(CDialog&)> value; // the member the field stores into
    int expected;                        // after OK when accepted
};

template <class D> std::function<int(CDialog&)> Member(int D::* member)
{
    return [member](CDialog& d) { return dynamic_cast<D&>(d).*member; };
}

template <class D> std::function<std::unique_ptr<CDialog>()> Make(std::function<void(D&)> init = {})
{
    return [init] {
        auto d = std::make_unique<D>();
        if (init)
            init(*d);
        return std::unique_ptr<CDialog>(std::move(d));
    };
}

} // namespace

TEST(PropertyDialogs, RangesAreCheckedAtOkAndCancelKeepsTheValues)
{
    auto crop = [](DCrop& d) {
        d.m_nMaxWidth = 300;
        d.m_nMaxHeight = 200;
        d.m_nWidth = 300;
        d.m_nHeight = 200;
    };
    auto linear = [](DEdgeFadeout& d) {
        d.m_nKind = 1;
        d.m_nDistance = 20;
    };
    auto none = [](DEdgeFadeout& d) {
        d.m_nKind = 0;
        d.m_nDistance = 20;
    };
    auto duplicate = [](DDuplicate& d) {
        d.m_nCount = 2;
        d.m_nStepX = 10;
    };
    auto resize = [](DResize& d) {
        d.m_nWidth = 200;
        d.m_nHeight = 100;
    };
    auto raster = [](DMetafileRaster& d) {
        d.m_nWidth = 200;
        d.m_nHeight = 100;
    };
    const RangeCase cases[] = {
        {"margin 1201", Make<DBodyMargin>(), 1000, "1201", false, Member(&DBodyMargin::m_nMargin), 0},
        {"margin 1200", Make<DBodyMargin>(), 1000, "1200", true, Member(&DBodyMargin::m_nMargin), 1200},
        {"margin 0", Make<DBodyMargin>([](DBodyMargin& d) { d.m_nMargin = 5; }), 1000, "0", true,
         Member(&DBodyMargin::m_nMargin), 0},
        {"crop width 0", Make<DCrop>(crop), 1000, "0", false, Member(&DCrop::m_nWidth), 0},
        {"crop width above the picture", Make<DCrop>(crop), 1000, "301", false, Member(&DCrop::m_nWidth), 0},
        {"crop width at the picture", Make<DCrop>(crop), 1000, "120", true, Member(&DCrop::m_nWidth), 120},
        {"crop height above the picture", Make<DCrop>(crop), 1003, "201", false, Member(&DCrop::m_nHeight), 0},
        {"linear fade 0", Make<DEdgeFadeout>(linear), 1000, "0", false, Member(&DEdgeFadeout::m_nDistance), 0},
        {"linear fade 101", Make<DEdgeFadeout>(linear), 1000, "101", false, Member(&DEdgeFadeout::m_nDistance), 0},
        {"linear fade 100", Make<DEdgeFadeout>(linear), 1000, "100", true, Member(&DEdgeFadeout::m_nDistance), 100},
        {"no fade takes 0", Make<DEdgeFadeout>(none), 1000, "0", true, Member(&DEdgeFadeout::m_nDistance), 0},
        {"no fade takes 101", Make<DEdgeFadeout>(none), 1000, "101", true, Member(&DEdgeFadeout::m_nDistance), 101},
        {"duplicate 0 times", Make<DDuplicate>(duplicate), 1004, "0", false, Member(&DDuplicate::m_nCount), 0},
        {"duplicate 1001 times", Make<DDuplicate>(duplicate), 1004, "1001", false, Member(&DDuplicate::m_nCount), 0},
        {"duplicate 1000 times", Make<DDuplicate>(duplicate), 1004, "1000", true, Member(&DDuplicate::m_nCount), 1000},
        {"duplicate step -5001", Make<DDuplicate>(duplicate), 1000, "-5001", false, Member(&DDuplicate::m_nStepX), 0},
        {"duplicate step -5000", Make<DDuplicate>(duplicate), 1000, "-5000", true, Member(&DDuplicate::m_nStepX), -5000},
        {"opacity 101", Make<DOpacity>(), 1000, "101", false, Member(&DOpacity::m_nOpacity), 0},
        {"opacity -1", Make<DOpacity>(), 1000, "-1", false, Member(&DOpacity::m_nOpacity), 0},
        {"opacity 100", Make<DOpacity>(), 1000, "100", true, Member(&DOpacity::m_nOpacity), 100},
        {"resize 0", Make<DResize>(resize), 1000, "0", false, Member(&DResize::m_nWidth), 0},
        {"resize 3001", Make<DResize>(resize), 1001, "3001", false, Member(&DResize::m_nHeight), 0},
        {"resize 3000", Make<DResize>(resize), 1000, "3000", true, Member(&DResize::m_nWidth), 3000},
        {"raster 2001", Make<DMetafileRaster>(raster), 1000, "2001", false, Member(&DMetafileRaster::m_nWidth), 0},
        {"padding not a number", Make<DPadding>(), 1001, "x", false, Member(&DPadding::m_nPadding), 0},
        {"z-index", Make<DOverlapping>(), 1000, "-7", true, Member(&DOverlapping::m_nZIndex), -7},
        {"tab index", Make<DTabIndex>(), 1000, "3", true, Member(&DTabIndex::m_nTabIndex), 3},
        {"page width", Make<DPageWidth>(), 1000, "960", true, Member(&DPageWidth::m_nWidth), 960},
        {"page height", Make<DPageHeight>(), 1000, "1200", true, Member(&DPageHeight::m_nHeight), 1200},
        {"border radius", Make<DBorderRadius>(), 1000, "8", true, Member(&DBorderRadius::m_nRadius), 8},
        {"column gap", Make<DColumns>(), 1000, "12", true, Member(&DColumns::m_nGap), 12},
    };
    for (const RangeCase& c : cases) {
        SCOPED_TRACE(c.what);
        // Cancel after typing keeps the value the opener gave.
        std::unique_ptr<CDialog> cancelled = c.make();
        const int before = c.value(*cancelled);
        EXPECT_EQ(RunDialog(*cancelled, [&](CDialog& d) {
                      d.SetDlgItemText(c.id, c.typed);
                      PressCancel(d);
                  }),
                  IDCANCEL);
        EXPECT_EQ(c.value(*cancelled), before);

        std::unique_ptr<CDialog> dlg = c.make();
        MessageLog log;
        const int result = RunDialog(*dlg, [&](CDialog& d) {
            d.SetDlgItemText(c.id, c.typed);
            PressOk(d);
        });
        if (c.accepted) {
            EXPECT_EQ(result, IDOK);
            EXPECT_TRUE(log.texts.empty());
            EXPECT_EQ(c.value(*dlg), c.expected);
        } else {
            EXPECT_EQ(result, IDCANCEL) << "the dialog stays open";
            ASSERT_EQ(log.texts.size(), 1u);
            EXPECT_TRUE(log.texts[0].Find("between") >= 0 || log.texts[0].Find("integer") >= 0)
                << log.texts[0].GetString();
        }
    }
}

TEST(PropertyDialogs, RangeMessageNamesTheLimits)
{
    DBodyMargin dlg;
    MessageLog log;
    RunDialog(dlg, [](CDialog& d) {
        d.SetDlgItemText(1000, "1201");
        PressOk(d);
    });
    ASSERT_EQ(log.texts.size(), 1u);
    EXPECT_EQ(log.texts[0], CString("Please enter an integer between 0 and 1200."));
}

TEST(PropertyDialogs, FontBothWays)
{
    DFont dlg;
    dlg.m_strFace = "Georgia";
    dlg.m_strWebFont = "Lobster";
    dlg.m_nSize = 0;
    dlg.m_nBold = 2;
    dlg.m_nItalic = 1;
    dlg.m_nUnderline = 2;
    dlg.m_crColor = 0x123456;
    dlg.m_strCaption = "menu";
    const int result = RunDialog(dlg, [](CDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Font : menu"));
        EXPECT_EQ(d.GetDlgItemText(1066), CString(""));
        EXPECT_EQ(d.GetDlgItemText(1018), CString("Georgia"));
        EXPECT_EQ(qobject_cast<QComboBox*>(d.GetDlgItem(1020))->currentIndex(), 2);
        EXPECT_GT(qobject_cast<QComboBox*>(d.GetDlgItem(1022))->count(), 500);
        EXPECT_EQ(qobject_cast<QComboBox*>(d.GetDlgItem(1066))->itemText(0), QStringLiteral("7"));
        Screenshot(d, "DFont");
        d.SetDlgItemText(1066, "14");
        d.SetDlgItemText(1018, "My Face");
        PressOk(d);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dlg.m_nSize, 14);
    EXPECT_EQ(dlg.m_nBold, 2) << "the empty entry stays distinct from normal";
    EXPECT_EQ(dlg.m_nItalic, 1);
    EXPECT_EQ(dlg.m_nUnderline, 2);
    EXPECT_EQ(dlg.m_strFace, CString("My Face"));
    EXPECT_EQ(dlg.m_strWebFont, CString("Lobster"));
    EXPECT_EQ(dlg.m_crColor, COLORREF(0x123456));

    DFont sized;
    sized.m_nSize = 12;
    RunDialog(sized, [](CDialog& d) {
        EXPECT_EQ(d.GetDlgItemText(1066), CString("12"));
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Font"));
        d.SetDlgItemText(1066, "");
        PressOk(d);
    });
    EXPECT_EQ(sized.m_nSize, 0);
}

TEST(PropertyDialogs, FontStyleEditsTheStyleOnlyAtOk)
{
    CTextStyle style;
    style.m_strFamily = "Verdana";
    style.m_nSize = 0;
    style.m_nBold = 1;
    style.m_nBorderWidth = 0;
    style.m_nMarginTop = 4;
    style.m_nLineHeight = 3;
    const CTextStyle original = style;
    static const char* kCaption = "Heading 1";
    const TranslationLookup previous = GetTranslationLookup();
    SetTranslationLookup([](CString& t) {
        if (t == CString(kCaption)) {
            t = "Titel 1";
            return true;
        }
        return false;
    });
    {
        DFontStyle dlg(&style);
        dlg.m_strCaption = kCaption;
        MessageLog log;
        RunDialog(dlg, [](CDialog& d) {
            EXPECT_EQ(d.windowTitle(), QStringLiteral("Titel 1"));
            EXPECT_EQ(d.GetDlgItemText(1000), CString(""));
            EXPECT_EQ(d.GetDlgItemText(1003), CString(""));
            EXPECT_EQ(d.GetDlgItemText(1002), CString("4"));
            EXPECT_EQ(d.IsDlgButtonChecked(1001), 1);
            EXPECT_EQ(qobject_cast<QComboBox*>(d.GetDlgItem(1023))->currentText(), QStringLiteral("130%"));
            Screenshot(d, "DFontStyle");
            d.SetDlgItemText(1000, "18");
            d.SetDlgItemText(1203, "abc"); // refused: nothing is stored
            PressOk(d);
            PressCancel(d);
        });
        EXPECT_EQ(log.texts.size(), 1u);
    }
    EXPECT_EQ(style.m_nSize, original.m_nSize);
    EXPECT_EQ(style.m_nMarginBottom, original.m_nMarginBottom);
    SetTranslationLookup(previous);

    DFontStyle dlg(&style);
    EXPECT_EQ(RunDialog(dlg, [](CDialog& d) {
                  d.SetDlgItemText(1000, "18");
                  d.CheckDlgButton(1009, 1);
                  d.SetDlgItemText(1003, "2");
                  Choose(d, 1023, 0);
                  PressOk(d);
              }),
              IDOK);
    EXPECT_EQ(style.m_nSize, 18);
    EXPECT_EQ(style.m_nItalic, 1);
    EXPECT_EQ(style.m_nBorderWidth, 2);
    EXPECT_EQ(style.m_nLineHeight, 0);
    EXPECT_EQ(style.m_strFamily, CString("Verdana"));
}

TEST(PropertyDialogs, WebFontButtonOpensTheCatalogue)
{
    std::vector<CString> opened;
    const auto previous = tessel::SetShellHook([&](const CString& target, bool) {
        opened.push_back(target);
        return true;
    });
    DFont dlg;
    RunDialog(dlg, [](CDialog& d) { qobject_cast<QAbstractButton*>(d.GetDlgItem(1025))->click(); });
    tessel::SetShellHook(previous);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], CString(kWebFontCatalogue));
    EXPECT_FALSE(dlg.IsEnded()) << "the dialog stays open";
}

TEST(PropertyDialogs, BorderStyleEnablesSizeAndColour)
{
    DBorder page;
    page.m_side.m_nStyle = kBorderNone;
    page.m_side.m_nWidth = 0;
    page.OnInitDialog();
    EXPECT_FALSE(page.GetDlgItem(1000)->isEnabled());
    EXPECT_TRUE(page.GetDlgItem(1019)->isHidden());
    Choose(page, 1018, kBorderSolid);
    EXPECT_TRUE(page.GetDlgItem(1000)->isEnabled());
    EXPECT_FALSE(page.GetDlgItem(1019)->isHidden());
    EXPECT_EQ(page.GetDlgItemText(1000), CString("1"));
    ASSERT_TRUE(page.UpdateData(TRUE));
    EXPECT_EQ(page.m_side.m_nStyle, kBorderSolid);
    EXPECT_EQ(page.m_side.m_nWidth, 1);
}

TEST(PropertyDialogs, BordersSheetWritesBackOnlyAtOk)
{
    CBorderSide sides[BORDER_COUNT];
    sides[BORDER_TOP].m_nStyle = kBorderDashed;
    sides[BORDER_TOP].m_nWidth = 3;
    const struct {
        bool ok;
        int result;
    } cases[] = {{false, 0}, {true, 1}};
    for (const auto& c : cases) {
        CBorderSide copy[BORDER_COUNT];
        std::copy(sides, sides + BORDER_COUNT, copy);
        const CDialog::ModalHook previous = CDialog::SetModalHook([&](CDialog& d) {
            auto* sheet = dynamic_cast<CPropertySheet*>(&d);
            EXPECT_EQ(sheet->windowTitle(), QStringLiteral("Borders"));
            EXPECT_EQ(sheet->GetPageCount(), 5);
            EXPECT_EQ(sheet->GetPage(0)->m_strCaption, CString("All Border"));
            EXPECT_EQ(sheet->GetPage(4)->m_strCaption, CString("Bottom Border"));
            sheet->SetActivePage(2);
            CPropertyPage* top = sheet->GetPage(2);
            EXPECT_EQ(top->GetDlgItemText(1000), CString("3"));
            top->SetDlgItemText(1000, "7");
            if (c.ok)
                sheet->OnOK();
            return sheet->IsEnded() ? sheet->GetResult() : IDCANCEL;
        });
        EXPECT_EQ(EditBorders(copy), c.result);
        CDialog::SetModalHook(previous);
        EXPECT_EQ(copy[BORDER_TOP].m_nWidth, c.ok ? 7 : 3);
        EXPECT_EQ(copy[BORDER_TOP].m_nStyle, kBorderDashed);
        EXPECT_EQ(copy[BORDER_LEFT], sides[BORDER_LEFT]);
    }
}

TEST(PropertyDialogs, BoxShadowPresetsAndDelete)
{
    const struct {
        int preset;
        COLORREF color;
        int dx, dy, blur, intensity;
    } cases[] = {
        {0, 0x000011, 9, 9, 9, 9},    // "No Shadow" changes nothing
        {1, 0x808080, 5, 5, 5, 0},    {2, 0x000000, 5, 5, 5, 2}, {3, 0x000000, 0, 0, 5, 2},
        {4, 0xFFFFFF, 0, 0, 5, 2},    {5, 0x0000FF, 0, 0, 5, 2}, {6, 0x00FF00, 0, 0, 5, 2},
        {7, 0xFF0000, 0, 0, 5, 2},
    };
    for (const auto& c : cases) {
        DBoxShadow dlg;
        dlg.m_crColor = 0x000011;
        EXPECT_EQ(RunDialog(dlg, [&](CDialog& d) {
                      for (int id : {1000, 1001, 1002, 1003})
                          d.SetDlgItemText(id, "9");
                      Choose(d, 1018, c.preset);
                      PressOk(d);
                  }),
                  IDOK);
        EXPECT_EQ(dlg.m_nPreset, c.preset);
        EXPECT_EQ(dlg.m_crColor, c.color) << c.preset;
        EXPECT_EQ(dlg.m_nDeltaX, c.dx);
        EXPECT_EQ(dlg.m_nDeltaY, c.dy);
        EXPECT_EQ(dlg.m_nBlur, c.blur);
        EXPECT_EQ(dlg.m_nIntensity, c.intensity);
    }
    DBoxShadow dlg;
    dlg.m_nDeltaX = dlg.m_nDeltaY = dlg.m_nBlur = dlg.m_nIntensity = 4;
    EXPECT_EQ(RunDialog(dlg, [](CDialog& d) { qobject_cast<QAbstractButton*>(d.GetDlgItem(3))->click(); }), IDOK);
    EXPECT_EQ(dlg.m_nDeltaX + dlg.m_nDeltaY + dlg.m_nBlur + dlg.m_nIntensity, 0);
}

TEST(PropertyDialogs, ButtonsWithTheirOwnResults)
{
    const struct {
        const char* what;
        std::function<std::unique_ptr<CDialog>()> make;
        int button;
        int result;
    } cases[] = {
        {"crop select area", Make<DCrop>(), 3, 3000},
        {"file delete", Make<DFileNode>(), 3, 3},
        {"file reload", Make<DFileNode>(), 4, 4},
        {"file ok", Make<DFileNode>(), IDOK, IDOK},
    };
    for (const auto& c : cases) {
        std::unique_ptr<CDialog> dlg = c.make();
        EXPECT_EQ(RunDialog(*dlg, [&](CDialog& d) { qobject_cast<QAbstractButton*>(d.GetDlgItem(c.button))->click(); }),
                  c.result)
            << c.what;
    }
}

TEST(PropertyDialogs, EnablingRules)
{
    for (int kind : {0, 1, 2}) {
        DEdgeFadeout dlg;
        dlg.m_nKind = kind;
        dlg.m_nDistance = 10;
        RunDialog(dlg, [&](CDialog& d) {
            for (int id : {1001, 1005, 1008, 1010, 1000})
                EXPECT_EQ(d.GetDlgItem(id)->isEnabled(), kind != 0) << kind << " " << id;
            Choose(d, 1018, kind == 0 ? 2 : 0);
            EXPECT_EQ(d.GetDlgItem(1000)->isEnabled(), kind == 0);
        });
    }
    for (int allowed : {0, 1}) {
        DDuplicate dlg;
        dlg.m_bCloneAllowed = allowed;
        RunDialog(dlg, [&](CDialog& d) { EXPECT_EQ(d.GetDlgItem(1001)->isEnabled(), allowed != 0); });
    }
}

TEST(PropertyDialogs, InsertCharacterPicksByCell)
{
    DInsertCharacter fresh;
    EXPECT_EQ(fresh.m_pGrid->m_nChar, -1);
    const int size = fresh.m_pGrid->CellSize();
    ASSERT_GT(size, 0);
    const struct {
        QPoint point;
        int picked;
    } cases[] = {
        {{1, 1}, 0x25CF},
        {{23 * size + size / 2, 15 * size + size / 2}, 0x044E},
        {{13 * size + 2, 2}, 0x007E},
        {{5 * size + 1, 3 * size + 1}, 0x0396},     // cell 77: the sixth capital Greek letter
        {{24 * size + 1, 5}, -1},                   // right of the grid
        {{5, 16 * size + 1}, -1},                   // below it
    };
    for (const auto& c : cases) {
        DInsertCharacter dlg;
        const int result = RunDialog(dlg, [&](CDialog&) {
            if (c.point.x() == 1 && c.point.y() == 1)
                Screenshot(dlg, "DInsertCharacter");
            QMouseEvent press(QEvent::MouseButtonPress, QPointF(c.point), QPointF(c.point), Qt::LeftButton,
                              Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(dlg.m_pGrid, &press);
        });
        EXPECT_EQ(dlg.m_pGrid->m_nChar, c.picked) << c.point.x() << "," << c.point.y();
        EXPECT_EQ(result, c.picked == -1 ? IDCANCEL : IDOK);
    }
    EXPECT_EQ(fresh.m_pGrid->CellAt({24 * size, 0}), -1);
    EXPECT_EQ(fresh.m_pGrid->CellAt({0, 16 * size}), -1);
    EXPECT_EQ(fresh.m_pGrid->m_chars[383], u'\u044E');
    EXPECT_EQ(fresh.m_pGrid->m_chars[126], u'\u00C0');
    EXPECT_EQ(fresh.m_pGrid->m_chars[315], u'\u017F');
    EXPECT_EQ(fresh.m_pGrid->m_chars[384], u' ');
}

TEST(PropertyDialogs, CodeViewShowsUtf8Text)
{
    DCodeView dlg;
    dlg.m_strText = "<p>Gr\xC3\xBC\xC3\x9F \xE2\x82\xAC</p>";
    dlg.m_strCaption = "Text1";
    RunDialog(dlg, [](CDialog& d) {
        EXPECT_EQ(qobject_cast<QPlainTextEdit*>(d.GetDlgItem(1000))->toPlainText(), QString::fromUtf8("<p>Grüß €</p>"));
        EXPECT_TRUE(qobject_cast<QPlainTextEdit*>(d.GetDlgItem(1000))->isReadOnly());
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Code View : Text1"));
    });
    DCodeView plain;
    RunDialog(plain, [](CDialog& d) { EXPECT_EQ(d.windowTitle(), QStringLiteral("Code View")); });

    DCss css;
    css.m_strFileName = "styles.css";
    css.m_strCss = "body{margin:0}";
    RunDialog(css, [](CDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("styles.css"));
        EXPECT_EQ(d.GetDlgItemText(1000), CString("body{margin:0}"));
    });
}

namespace {
struct LinkFixture {
    CKJDoc doc;
    CPage* home;
    CPage* about;
    LinkFixture()
    {
        for (const char* name : {"index", "about"}) {
            auto page = std::make_unique<CPage>();
            page->m_strBaseName = name;
            page->m_strExtension = ".html";
            page->m_title = name;
            doc.m_pages.push_back(std::move(page));
        }
        home = doc.m_pages[0].get();
        about = doc.m_pages[1].get();
    }
};

int TargetIndex(CDialog& d) { return qobject_cast<QComboBox*>(d.GetDlgItem(1018))->currentIndex(); }
} // namespace

TEST(PropertyDialogs, LinkTargetsAndKinds)
{
    LinkFixture f;
    const struct {
        const char* what;
        int target;
        int shownIndex;
    } targets[] = {{"root", -1, 0}, {"vanished", 987654, 0}, {"about", f.about->m_nSerial, 2}};
    for (const auto& t : targets) {
        CItemLink link;
        link.m_nKind = kLinkPage;
        link.m_nTargetId = t.target;
        DLink dlg;
        dlg.m_pDoc = &f.doc;
        dlg.m_pLink = &link;
        RunDialog(dlg, [&](CDialog& d) {
            EXPECT_EQ(TargetIndex(d), t.shownIndex) << t.what;
            auto* combo = qobject_cast<QComboBox*>(d.GetDlgItem(1018));
            EXPECT_EQ(combo->itemText(0), QStringLiteral("/"));
            EXPECT_EQ(combo->itemText(2), QStringLiteral("about [about.html]"));
            PressOk(d);
        });
        EXPECT_EQ(link.m_nTargetId, t.shownIndex == 0 ? -1 : t.target) << t.what;
    }

    // Choosing a page fills the address; OK stores both.
    CItemLink link;
    link.m_wstrTitle = "tip";
    DLink dlg;
    dlg.m_pDoc = &f.doc;
    dlg.m_pLink = &link;
    EXPECT_EQ(RunDialog(dlg, [&](CDialog& d) {
                  for (int id : {1018, 1000, 1011, 1014, 1001, 1012, 1013, 1002, 1003})
                      EXPECT_FALSE(d.GetDlgItem(id)->isEnabled()) << "no link: " << id;
                  qobject_cast<QRadioButton*>(d.GetDlgItem(1044))->click();
                  EXPECT_TRUE(d.GetDlgItem(1018)->isEnabled());
                  EXPECT_TRUE(d.GetDlgItem(1014)->isEnabled());
                  EXPECT_FALSE(d.GetDlgItem(1011)->isEnabled());
                  Choose(d, 1018, 2);
                  EXPECT_EQ(d.GetDlgItemText(1011), CString("about.html"));
                  Screenshot(d, "DLink");
                  PressOk(d);
              }),
              IDOK);
    EXPECT_EQ(link.m_nKind, kLinkPage);
    EXPECT_EQ(link.m_nTargetId, f.about->m_nSerial);
    EXPECT_EQ(link.m_strUrl, CString("about.html"));
}

TEST(PropertyDialogs, LinkKindsEnableTheirFields)
{
    LinkFixture f;
    const struct {
        int radio;
        std::vector<int> enabled;
    } cases[] = {
        {1045, {1000, 1011, 1014, 1001}},
        {1046, {1000, 1012}},
        {1047, {1000, 1013, 1002, 1003}},
    };
    const std::vector<int> all = {1018, 1000, 1011, 1014, 1001, 1012, 1013, 1002, 1003};
    for (const auto& c : cases) {
        CItemLink link;
        DLink dlg;
        dlg.m_pDoc = &f.doc;
        dlg.m_pLink = &link;
        RunDialog(dlg, [&](CDialog& d) {
            qobject_cast<QRadioButton*>(d.GetDlgItem(c.radio))->click();
            for (int id : all)
                EXPECT_EQ(d.GetDlgItem(id)->isEnabled(), std::count(c.enabled.begin(), c.enabled.end(), id) == 1)
                    << c.radio << " " << id;
            PressOk(d);
        });
        EXPECT_EQ(link.m_nKind, c.radio - 1043);
        if (c.radio == 1046) {
            EXPECT_EQ(link.m_strPicture, CString(kLinkExamplePicture));
        }
    }
}

TEST(PropertyDialogs, LinkDeleteAndCancel)
{
    LinkFixture f;
    CItemLink link;
    link.m_nKind = 4;
    link.m_nTargetId = f.about->m_nSerial;
    link.m_strUrl = "x.html";
    link.m_wstrTitle = "tip";
    link.m_strEmail = "a@b.c";
    link.m_strPicture = "p.png";
    {
        DLink dlg;
        dlg.m_pDoc = &f.doc;
        dlg.m_pLink = &link;
        RunDialog(dlg, [](CDialog& d) {
            qobject_cast<QRadioButton*>(d.GetDlgItem(1045))->click();
            d.SetDlgItemText(1011, "changed");
            d.SetDlgItemText(1013, "changed");
            PressCancel(d);
        });
        EXPECT_EQ(link.m_nKind, 4);
        EXPECT_EQ(link.m_strUrl, CString("x.html"));
        EXPECT_EQ(link.m_strEmail, CString("a@b.c"));
    }
    DLink dlg;
    dlg.m_pDoc = &f.doc;
    dlg.m_pLink = &link;
    EXPECT_EQ(RunDialog(dlg, [](CDialog& d) { qobject_cast<QAbstractButton*>(d.GetDlgItem(3))->click(); }), IDOK);
    EXPECT_EQ(link.m_nKind, 0);
    EXPECT_EQ(link.m_nTargetId, 0);
    EXPECT_TRUE(link.m_strUrl.IsEmpty());
    EXPECT_EQ(link.m_strEmail, CString("a@b.c"));
    EXPECT_EQ(link.m_strPicture, CString("p.png"));
    EXPECT_EQ(link.m_wstrTitle.ToQString(), QStringLiteral("tip"));
}

TEST(PropertyDialogs, ResizeKeepsProportionsWhileTyping)
{
    const struct {
        const char* what;
        int width, height, keep;
        int typedId;
        const char* typed;
        const char* otherShown;
    } cases[] = {
        {"width keeps", 200, 100, 1, 1000, "301", "150"},
        {"height keeps", 200, 100, 1, 1001, "51", "102"},
        {"independent", 200, 100, 0, 1000, "301", "100"},
        {"a side of 0", 200, 0, 1, 1000, "301", "0"},
        {"width of 0", 0, 100, 1, 1001, "50", "0"},
    };
    for (const auto& c : cases) {
        DResize dlg;
        dlg.m_nWidth = c.width;
        dlg.m_nHeight = c.height;
        dlg.m_bKeepProportions = c.keep;
        dlg.m_strCaption = "Resize Picture";
        RunDialog(dlg, [&](CDialog& d) {
            EXPECT_EQ(d.windowTitle(), QStringLiteral("Resize Picture"));
            Type(d.GetDlgItem(c.typedId), QString::fromUtf8(c.typed));
            const int other = c.typedId == 1000 ? 1001 : 1000;
            EXPECT_EQ(d.GetDlgItemText(other), CString(c.otherShown)) << c.what;
            EXPECT_EQ(d.GetDlgItemText(c.typedId), CString(c.typed)) << c.what;
            if (std::string(c.what) == "width keeps")
                Screenshot(d, "DResize");
        });
    }
    // Turning the check box on links the edits at once.
    DResize dlg;
    dlg.m_nWidth = 200;
    dlg.m_nHeight = 100;
    RunDialog(dlg, [](CDialog& d) {
        qobject_cast<QAbstractButton*>(d.GetDlgItem(1002))->click();
        Type(d.GetDlgItem(1000), QStringLiteral("100"));
        EXPECT_EQ(d.GetDlgItemText(1001), CString("50"));
        PressOk(d);
    });
    EXPECT_EQ(dlg.m_bKeepProportions, 1);
    EXPECT_EQ(dlg.m_nWidth, 100);
    EXPECT_EQ(dlg.m_nHeight, 50);

    // A metafile of width 0 keeps the other edit as it is.
    DMetafileRaster flat;
    flat.m_nWidth = 0;
    flat.m_nHeight = 200;
    RunDialog(flat, [](CDialog& d) {
        Type(d.GetDlgItem(1001), QStringLiteral("30"));
        EXPECT_EQ(d.GetDlgItemText(1000), CString("0"));
        Type(d.GetDlgItem(1000), QStringLiteral("10"));
        EXPECT_EQ(d.GetDlgItemText(1001), CString("30"));
    });

    // The box resize keeps proportions too and returns its two modes.
    DBoxResize box;
    box.m_nWidth = 300;
    box.m_nHeight = 100;
    box.m_bKeepProportions = 1;
    box.m_nWidthMode = 2;
    box.m_nHeightMode = 1;
    EXPECT_EQ(RunDialog(box, [](CDialog& d) {
                  EXPECT_EQ(qobject_cast<QComboBox*>(d.GetDlgItem(1018))->currentText(), QStringLiteral("minimum width"));
                  Type(d.GetDlgItem(1001), QStringLiteral("50"));
                  EXPECT_EQ(d.GetDlgItemText(1000), CString("150"));
                  Choose(d, 1020, 3);
                  PressOk(d);
              }),
              IDOK);
    EXPECT_EQ(box.m_nWidth, 150);
    EXPECT_EQ(box.m_nHeight, 50);
    EXPECT_EQ(box.m_nWidthMode, 2);
    EXPECT_EQ(box.m_nHeightMode, 3);

    DMetafileRaster raster;
    raster.m_nWidth = 400;
    raster.m_nHeight = 200;
    RunDialog(raster, [](CDialog& d) {
        EXPECT_EQ(d.IsDlgButtonChecked(1002), 1);
        Type(d.GetDlgItem(1000), QStringLiteral("100"));
        EXPECT_EQ(d.GetDlgItemText(1001), CString("50"));
        Type(d.GetDlgItem(1001), QStringLiteral("30"));
        EXPECT_EQ(d.GetDlgItemText(1000), CString("60"));
    });
}

TEST(PropertyDialogs, PaddingEmptyVersusZero)
{
    DPadding dlg;
    dlg.m_nPadding = 0;
    dlg.m_padding.m_bLeft = 1;
    dlg.m_padding.m_nLeft = 6;
    dlg.m_padding.m_bTop = 0;
    dlg.m_padding.m_nTop = 9;
    dlg.m_strName = "Text1";
    EXPECT_EQ(RunDialog(dlg, [](CDialog& d) {
                  EXPECT_EQ(d.windowTitle(), QStringLiteral("Padding : Text1"));
                  EXPECT_EQ(d.GetDlgItemText(1000), CString(""));
                  EXPECT_EQ(d.GetDlgItemText(1001), CString("6"));
                  EXPECT_EQ(d.GetDlgItemText(1002), CString(""));
                  d.SetDlgItemText(1001, "");
                  d.SetDlgItemText(1002, "0");
                  d.SetDlgItemText(1004, "-3");
                  PressOk(d);
              }),
              IDOK);
    EXPECT_EQ(dlg.m_padding.m_bLeft, 0);
    EXPECT_EQ(dlg.m_padding.m_bTop, 1);
    EXPECT_EQ(dlg.m_padding.m_nTop, 0);
    EXPECT_EQ(dlg.m_padding.m_bRight, 0);
    EXPECT_EQ(dlg.m_padding.m_bBottom, 1);
    EXPECT_EQ(dlg.m_padding.m_nBottom, -3);
    EXPECT_EQ(dlg.m_nPadding, 0);
}

TEST(PropertyDialogs, DropShadowAndColumnsLists)
{
    DDropShadow shadow;
    shadow.m_bEnable = 1;
    shadow.m_nDistance = 20;
    shadow.m_nRadius = 3;
    shadow.m_crColor = 0x00FF00;
    EXPECT_EQ(RunDialog(shadow, [](CDialog& d) {
                  EXPECT_EQ(qobject_cast<QComboBox*>(d.GetDlgItem(1018))->currentText(), QStringLiteral("20"));
                  Choose(d, 1020, 7);
                  PressOk(d);
              }),
              IDOK);
    EXPECT_EQ(shadow.m_nDistance, 20);
    EXPECT_EQ(shadow.m_nRadius, 7);
    EXPECT_EQ(shadow.m_crColor, COLORREF(0x00FF00));

    DColumns columns;
    RunDialog(columns, [](CDialog& d) {
        EXPECT_EQ(qobject_cast<QComboBox*>(d.GetDlgItem(1018))->currentIndex(), -1);
        Choose(d, 1018, 2);
        PressOk(d);
    });
    EXPECT_EQ(columns.m_nColumns, 2);
}
