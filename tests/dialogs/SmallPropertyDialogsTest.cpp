// Alignment, analytics, angle, audio and layout dialogs both ways, with their refusals.
#include "DialogTestSupport.h"

#include "dialogs/CodeView.h"
#include "dialogs/SmallPropertyDialogs.h"
#include "framework/ui/Shell.h"
#include "model/FillStyle.h"
#include "model/items/AudioStreamItem.h"

#include <gtest/gtest.h>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QRadioButton>

using namespace dialogtest;

namespace {
void Click(CDialog& d, int id) { qobject_cast<QAbstractButton*>(d.GetDlgItem(id))->click(); }
} // namespace

TEST(SmallPropertyDialogs, AlignmentRadiosBothWaysAndMinusOneWithoutChoice)
{
    const struct {
        const char* what;
        bool text;
        int preset;
        int radio; // 0 = none clicked
        int expected;
    } cases[] = {
        {"box, no choice", false, -1, 0, -1},
        {"box, centered", false, -1, 1046, 3},
        {"box, kept", false, 2, 0, 2},
        {"text, no choice", true, -1, 0, -1},
        {"text, justified", true, 1, 1047, 4},
        {"text, undefined", true, 4, 1043, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::unique_ptr<CDialog> dlg;
        int* value;
        if (c.text) {
            auto* t = new DTextAlign;
            t->m_nAlign = c.preset;
            value = &t->m_nAlign;
            dlg.reset(t);
        } else {
            auto* b = new DBoxAlign;
            b->m_nAlign = c.preset;
            value = &b->m_nAlign;
            dlg.reset(b);
        }
        EXPECT_EQ(RunDialog(*dlg,
                            [&](CDialog& d) {
                                if (c.preset < 0) {
                                    for (int id : {1043, 1044, 1045, 1046})
                                        EXPECT_EQ(d.IsDlgButtonChecked(id), 0);
                                }
                                if (c.radio)
                                    qobject_cast<QRadioButton*>(d.GetDlgItem(c.radio))->click();
                                PressOk(d);
                            }),
                  IDOK);
        EXPECT_EQ(*value, c.expected);
    }
    DTextAlign cancelled;
    cancelled.m_nAlign = -1;
    RunDialog(cancelled, [](CDialog& d) {
        qobject_cast<QRadioButton*>(d.GetDlgItem(1044))->click();
        PressCancel(d);
    });
    EXPECT_EQ(cancelled.m_nAlign, -1);
}

TEST(SmallPropertyDialogs, AnalyticsCodeAndSignInKeepsTheDialogOpen)
{
    std::vector<CString> opened;
    const auto previous = tessel::SetShellHook([&](const CString& target, bool) {
        opened.push_back(target);
        return true;
    });
    DAnalytics dlg;
    dlg.m_strCode = "<script>a()</script>";
    const int result = RunDialog(dlg, [](CDialog& d) {
        EXPECT_EQ(d.GetDlgItemText(1000), CString("<script>a()</script>"));
        Click(d, 3);
        EXPECT_FALSE(d.IsEnded());
        d.SetDlgItemText(1000, "<script>b()</script>");
        PressOk(d);
    });
    tessel::SetShellHook(previous);
    EXPECT_EQ(result, IDOK);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], CString("https://analytics.google.com/"));
    EXPECT_EQ(dlg.m_strCode, CString("<script>b()</script>"));
}

TEST(SmallPropertyDialogs, AngleTakesDecimalsRefusesTextAndIsNotTranslated)
{
    EXPECT_FALSE(kAngleTemplate.translate);
    const struct {
        const char* typed;
        bool accepted;
        double expected;
    } cases[] = {{"12.5", true, 12.5}, {"-90", true, -90}, {"abc", false, 0}, {"", false, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        DAngle dlg;
        MessageLog log;
        const int result = RunDialog(dlg, [&](CDialog& d) {
            d.SetDlgItemText(1000, c.typed);
            PressOk(d);
        });
        EXPECT_EQ(result, c.accepted ? IDOK : IDCANCEL);
        EXPECT_EQ(log.texts.size(), c.accepted ? 0u : 1u);
        if (c.accepted) {
            EXPECT_DOUBLE_EQ(dlg.m_dAngle, c.expected);
        }
    }
}

TEST(SmallPropertyDialogs, AudioViewCodeShowsTypedValuesAndCancelKeepsTheItem)
{
    CAudioStreamItem item;
    item.m_strThirdName = "old.mp3";
    item.m_bAutoStart = 0;
    DAudioStream dlg;
    dlg.m_pItem = &item;
    CString shown;
    const CDialog::ModalHook previous = CDialog::SetModalHook([&](CDialog& d) {
        if (auto* view = dynamic_cast<DCodeView*>(&d)) {
            shown = view->m_strText;
            return int(IDOK);
        }
        EXPECT_EQ(d.GetDlgItemText(1028), CString("old.mp3"));
        d.SetDlgItemText(1028, "song.mp3");
        d.CheckDlgButton(1001, 1);
        Click(d, 1062);
        EXPECT_FALSE(d.IsEnded()) << "the audio dialog stays open";
        d.OnCancel();
        return d.GetResult();
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    CDialog::SetModalHook(previous);
    EXPECT_NE(shown.Find("song.mp3"), -1) << shown.GetString();
    EXPECT_EQ(shown.Find("old.mp3"), -1);
    EXPECT_NE(shown.Find(" autoplay"), -1); // the typed Auto Start
    EXPECT_EQ(item.m_strThirdName, CString("old.mp3"));
    EXPECT_EQ(item.m_bAutoStart, 0);

    DAudioStream ok;
    ok.m_pItem = &item;
    EXPECT_EQ(RunDialog(ok,
                        [](CDialog& d) {
                            d.SetDlgItemText(1028, "new.wav");
                            d.CheckDlgButton(1001, 1);
                            PressOk(d);
                        }),
              IDOK);
    EXPECT_EQ(item.m_strThirdName, CString("new.wav"));
    EXPECT_EQ(item.m_bAutoStart, 1);
}

TEST(SmallPropertyDialogs, LayoutBothWaysWithRangesOnThePresentBands)
{
    CFillStyle header, footer;
    const struct {
        const char* what;
        bool bands;
        int id;
        const char* typed;
        bool accepted;
    } cases[] = {
        {"width 0", true, 1002, "0", false},     {"width 5001", true, 1002, "5001", false},
        {"width 5000", true, 1002, "5000", true}, {"page height 0", true, 1001, "0", false},
        {"header 5001", true, 1000, "5001", false}, {"footer text", true, 1003, "x", false},
        {"no bands: header not checked", false, 1001, "1", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        DLayout dlg;
        dlg.m_nHeaderHeight = c.bands ? 80 : 0;
        dlg.m_nFooterHeight = c.bands ? 60 : 0;
        dlg.m_nPageHeight = 700;
        dlg.m_nWidth = 900;
        dlg.m_pHeaderFill = c.bands ? &header : nullptr;
        dlg.m_pFooterFill = c.bands ? &footer : nullptr;
        MessageLog log;
        const int result = RunDialog(dlg, [&](CDialog& d) {
            EXPECT_EQ(d.GetDlgItem(1000)->isEnabled(), c.bands);
            EXPECT_FALSE(d.GetDlgItem(1026)->isEnabled()) << "no master fill";
            d.SetDlgItemText(c.id, c.typed);
            d.CheckDlgButton(1009, 1);
            Screenshot(d, "DLayout");
            PressOk(d);
        });
        EXPECT_EQ(result, c.accepted ? IDOK : IDCANCEL);
        EXPECT_EQ(log.texts.size(), c.accepted ? 0u : 1u);
        if (c.accepted) {
            EXPECT_EQ(dlg.m_bStretch, 1);
            EXPECT_EQ(dlg.m_nHeaderHeight, c.bands ? 80 : 0);
        }
    }
    DLayout cancelled;
    cancelled.m_nWidth = 900;
    cancelled.m_nPageHeight = 700;
    RunDialog(cancelled, [](CDialog& d) {
        d.SetDlgItemText(1002, "1000");
        PressCancel(d);
    });
    EXPECT_EQ(cancelled.m_nWidth, 900);
}
