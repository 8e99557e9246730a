// The mouse-over colour dialogs of pictures and shapes and the text shadow dialog: values
// both ways, the presets, and Delete.
#include "DialogTestSupport.h"

#include "controls/ColorControl.h"
#include "dialogs/OverColorDialogs.h"

#include <gtest/gtest.h>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QSlider>

using namespace dialogtest;

namespace {

void Click(CDialog& d, int id) { qobject_cast<QAbstractButton*>(d.GetDlgItem(id))->click(); }

void Choose(CDialog& d, int id, int index)
{
    auto* combo = qobject_cast<QComboBox*>(d.GetDlgItem(id));
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

QSlider* Slider(CDialog& d, int id) { return qobject_cast<QSlider*>(d.GetDlgItem(id)); }
COLORREF Swatch(CDialog& d, int id) { return dynamic_cast<CColorButton*>(d.GetDlgItem(id))->GetColor(); }
void SetSwatch(CDialog& d, int id, COLORREF c) { dynamic_cast<CColorButton*>(d.GetDlgItem(id))->SetColor(c); }

} // namespace

TEST(ImageOverColor, SlidersHaveTheirRangesAndValuesGoBothWays)
{
    DImageOverColor dlg;
    dlg.m_nHue = -200; // outside the range: the slider keeps it inside
    dlg.m_nBrightness = 40;
    dlg.m_nSaturation = -30;
    dlg.m_nState = 1;
    dlg.m_crColorize = 0x00FF00;
    EXPECT_EQ(RunDialog(dlg,
                        [](CDialog& d) {
                            const struct {
                                int id, minimum, maximum;
                            } ranges[] = {{1004, -180, 180}, {1005, -100, 100}, {1006, -100, 100}};
                            for (const auto& r : ranges) {
                                EXPECT_EQ(Slider(d, r.id)->minimum(), r.minimum) << r.id;
                                EXPECT_EQ(Slider(d, r.id)->maximum(), r.maximum) << r.id;
                            }
                            EXPECT_EQ(Slider(d, 1004)->value(), -180);
                            EXPECT_EQ(Slider(d, 1005)->value(), 40);
                            EXPECT_EQ(Slider(d, 1006)->value(), -30);
                            EXPECT_EQ(qobject_cast<QComboBox*>(d.GetDlgItem(1038))->currentText(),
                                      QStringLiteral("Apply to normal state"));
                            EXPECT_EQ(Swatch(d, 1019), 0x00FF00u);
                            Slider(d, 1004)->setValue(90);
                            Slider(d, 1006)->setValue(100);
                            Choose(d, 1038, 0);
                            SetSwatch(d, 1019, 0xFFFFFFFF);
                            Screenshot(d, "DImageOverColor");
                            PressOk(d);
                        }),
              IDOK);
    EXPECT_EQ(dlg.m_nHue, 90);
    EXPECT_EQ(dlg.m_nBrightness, 40);
    EXPECT_EQ(dlg.m_nSaturation, 100);
    EXPECT_EQ(dlg.m_nState, 0);
    EXPECT_EQ(dlg.m_crColorize, 0xFFFFFFFFu);
}

TEST(ImageOverColor, CancelKeepsAndDeleteClearsWithOk)
{
    DImageOverColor cancelled;
    cancelled.m_nHue = 10;
    RunDialog(cancelled, [](CDialog& d) {
        Slider(d, 1004)->setValue(50);
        PressCancel(d);
    });
    EXPECT_EQ(cancelled.m_nHue, 10);

    DImageOverColor deleted;
    deleted.m_nHue = 10;
    deleted.m_nBrightness = -20;
    deleted.m_nSaturation = 30;
    deleted.m_crColorize = 0x123456;
    deleted.m_nState = 1;
    EXPECT_EQ(RunDialog(deleted, [](CDialog& d) { Click(d, 3); }), IDOK);
    EXPECT_EQ(deleted.m_nHue, 0);
    EXPECT_EQ(deleted.m_nBrightness, 0);
    EXPECT_EQ(deleted.m_nSaturation, 0);
    EXPECT_EQ(deleted.m_crColorize, 0xFF808080u);
    EXPECT_EQ(deleted.m_nState, 1);
}

TEST(ShapeOverColor, ValuesBothWaysAndDeleteClearsThem)
{
    DShapeOverColor dlg;
    dlg.m_crLine = 0x0000FF;
    dlg.m_crFill = 0xFFFFFFFF;
    dlg.m_crText = 0x00FF00;
    dlg.m_nFill = 2;
    dlg.m_nBorder = 4;
    EXPECT_EQ(RunDialog(dlg,
                        [](CDialog& d) {
                            EXPECT_EQ(qobject_cast<QComboBox*>(d.GetDlgItem(1038))->currentText(), QStringLiteral("3D"));
                            EXPECT_EQ(qobject_cast<QComboBox*>(d.GetDlgItem(1039))->currentText(), QStringLiteral("3 px"));
                            EXPECT_EQ(qobject_cast<QComboBox*>(d.GetDlgItem(1039))->count(), 12);
                            EXPECT_EQ(Swatch(d, 1021), 0x0000FFu);
                            SetSwatch(d, 1022, 0xABCDEF);
                            Choose(d, 1038, 3);
                            Choose(d, 1039, 1);
                            PressOk(d);
                        }),
              IDOK);
    EXPECT_EQ(dlg.m_crFill, 0xABCDEFu);
    EXPECT_EQ(dlg.m_crText, 0x00FF00u);
    EXPECT_EQ(dlg.m_nFill, 3);
    EXPECT_EQ(dlg.m_nBorder, 1);

    EXPECT_EQ(RunDialog(dlg, [](CDialog& d) { Click(d, 3); }), IDOK);
    EXPECT_EQ(dlg.m_crLine, 0xFFFFFFFFu);
    EXPECT_EQ(dlg.m_crFill, 0xFFFFFFFFu);
    EXPECT_EQ(dlg.m_crText, 0xFFFFFFFFu);
    EXPECT_EQ(dlg.m_nFill, 0);
    EXPECT_EQ(dlg.m_nBorder, 0);
}

TEST(TextShadow, PresetsSetColourOffsetsAndBlur)
{
    const struct {
        int preset;
        COLORREF color; // COLORREF, red in the low byte
        int dx, dy, blur;
    } cases[] = {
        {1, 0x808080, 5, 5, 5}, // Custom Shadow
        {2, 0x000000, 5, 5, 5}, // Black Shadow
        {3, 0x000000, 0, 0, 5}, // Dark Glow
        {4, 0xFFFFFF, 0, 0, 5}, // White Glow
        {5, 0x0000FF, 0, 0, 5}, // Red Glow (255,0,0)
        {6, 0x00FF00, 0, 0, 5}, // Martian Glow (0,255,0)
        {7, 0xFF0000, 0, 0, 5}, // UV Glow (0,0,255)
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.preset);
        DTextShadow dlg;
        dlg.m_nDeltaX = -3;
        dlg.m_nDeltaY = 9;
        dlg.m_nBlur = 2;
        dlg.m_crColor = 0x123456;
        EXPECT_EQ(RunDialog(dlg,
                            [&](CDialog& d) {
                                Choose(d, 1038, c.preset);
                                EXPECT_EQ(Swatch(d, 1019), c.color) << "recoloured at once";
                                PressOk(d);
                            }),
                  IDOK);
        EXPECT_EQ(dlg.m_nPreset, c.preset);
        EXPECT_EQ(dlg.m_crColor, c.color);
        EXPECT_EQ(dlg.m_nDeltaX, c.dx);
        EXPECT_EQ(dlg.m_nDeltaY, c.dy);
        EXPECT_EQ(dlg.m_nBlur, c.blur);
    }
}

TEST(TextShadow, NoShadowAfterWhiteGlowKeepsTheGlowValues)
{
    DTextShadow dlg;
    dlg.m_nPreset = 2;
    dlg.m_nDeltaX = 7;
    dlg.m_nDeltaY = 8;
    dlg.m_nBlur = 9;
    dlg.m_crColor = 0x000000;
    EXPECT_EQ(RunDialog(dlg,
                        [](CDialog& d) {
                            EXPECT_EQ(qobject_cast<QComboBox*>(d.GetDlgItem(1038))->currentText(),
                                      QStringLiteral("Black Shadow"));
                            Choose(d, 1038, 4); // White Glow
                            Choose(d, 1038, 0); // No Shadow
                            EXPECT_EQ(d.GetDlgItemText(1000), CString("0"));
                            EXPECT_EQ(d.GetDlgItemText(1002), CString("5"));
                            EXPECT_EQ(Swatch(d, 1019), 0xFFFFFFu);
                            Screenshot(d, "DTextShadow");
                            PressOk(d);
                        }),
              IDOK);
    EXPECT_EQ(dlg.m_nPreset, 0);
    EXPECT_EQ(dlg.m_nDeltaX, 0);
    EXPECT_EQ(dlg.m_nDeltaY, 0);
    EXPECT_EQ(dlg.m_nBlur, 5);
    EXPECT_EQ(dlg.m_crColor, 0xFFFFFFu);
}

TEST(TextShadow, DeleteZeroesTheOffsetsAndBlurAndEndsWithOk)
{
    DTextShadow dlg;
    dlg.m_nPreset = 4;
    dlg.m_nDeltaX = 3;
    dlg.m_nDeltaY = -4;
    dlg.m_nBlur = 6;
    dlg.m_crColor = 0x00FFFF;
    EXPECT_EQ(RunDialog(dlg,
                        [](CDialog& d) {
                            d.SetDlgItemText(1000, "not a number"); // Delete does not read the fields
                            Click(d, 3);
                        }),
              IDOK);
    EXPECT_EQ(dlg.m_nDeltaX, 0);
    EXPECT_EQ(dlg.m_nDeltaY, 0);
    EXPECT_EQ(dlg.m_nBlur, 0);
    EXPECT_EQ(dlg.m_crColor, 0x00FFFFu);
}

TEST(TextShadow, RefusedValuesKeepTheDialogOpen)
{
    const struct {
        int id;
        const char* typed;
        const char* message;
    } cases[] = {
        {1002, "-1", "Please enter an integer between 0 and 1000."}, // a negative blur is no CSS
        {1002, "1001", "Please enter an integer between 0 and 1000."},
        {1000, "abc", "Please enter an integer."},
        {1001, "4.5", "Please enter an integer."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        MessageLog log;
        DTextShadow dlg;
        EXPECT_EQ(RunDialog(dlg,
                            [&](CDialog& d) {
                                d.SetDlgItemText(c.id, c.typed);
                                PressOk(d);
                                EXPECT_FALSE(d.IsEnded());
                            }),
                  IDCANCEL);
        ASSERT_EQ(log.texts.size(), 1u);
        EXPECT_EQ(log.texts[0], CString(c.message));
    }
}
