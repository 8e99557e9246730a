#include "AppTestSupport.h"
#include "app/ColorControl.h"
#include "framework/ui/DataExchange.h"
#include "framework/core/ColorConversions.h"

#include <gtest/gtest.h>
#include <QtCore/QDir>
#include <QtWidgets/QApplication>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QSlider>
#include <QtWidgets/QToolButton>

namespace {
QLineEdit* Edit(CDialog& d, int id) { return static_cast<QLineEdit*>(d.GetDlgItem(id)); }
QSlider* Slider(CDialog& d, int id) { return static_cast<QSlider*>(d.GetDlgItem(id)); }

// Opens the colour dialog on a colour and keeps it open for the test.
struct OpenDialog {
    explicit OpenDialog(COLORREF color, BOOL noColorAllowed = FALSE)
    {
        dlg.m_initialColor = dlg.m_currentColor = color;
        dlg.m_strCaption = "Fill Color";
        dlg.m_bNoColorAllowed = noColorAllowed;
        dlg.show();
        QApplication::setActiveWindow(&dlg);
        dlg.OnInitDialog();
    }
    void Type(int id, const char* text)
    {
        QLineEdit* e = Edit(dlg, id);
        e->setFocus();
        e->setText(text);
    }
    DChooseColor dlg;
};
} // namespace

TEST(ColorControl, WebTableAndItsLookups)
{
    const auto& t = WebColors();
    ASSERT_EQ(t.size(), 132u);
    EXPECT_STREQ(t[0].name, "black");
    EXPECT_STREQ(t[131].name, "violet");
    EXPECT_STREQ(t[121].name, "amethyst");
    EXPECT_EQ(t[121].color, RGB(0x99, 0x66, 0xCC));
    EXPECT_STREQ(t[93].name, "darkcyan");
    EXPECT_STREQ(t[96].name, "darkcyan");
    struct Case {
        COLORREF color;
        int index;
    } cases[] = {{RGB(0, 0x8B, 0x8B), 96},       {RGB(0x7B, 0x68, 0xEE), 119}, {RGB(0, 0, 0), 0},
                 {RGB(255, 255, 255), 7},        {RGB(0xDC, 0x14, 0x3C), 60},  {RGB(1, 2, 3), -1},
                 {0xFF000000u | RGB(0, 0, 0), -1}};
    for (const auto& c : cases)
        EXPECT_EQ(FindWebColor(c.color), c.index) << std::hex << c.color;
}

TEST(ColorControl, DialogOpensOnTheLaterOfTwoEqualEntries)
{
    OpenDialog o(RGB(0, 0x8B, 0x8B));
    EXPECT_EQ(o.dlg.m_pWebList->currentIndex(), 96);
    EXPECT_EQ(o.dlg.GetDlgItemText(1016), "008B8B");
    EXPECT_EQ(o.dlg.GetDlgItemText(1002), "139");
    EXPECT_EQ(Slider(o.dlg, 1028)->value(), 139);
    EXPECT_EQ(o.dlg.windowTitle(), "Fill Color");
}

TEST(ColorControl, TypedComponentsAreClampedAndMoveTheSlider)
{
    OpenDialog o(RGB(10, 20, 30));
    o.Type(1001, "300");
    EXPECT_EQ(o.dlg.m_red, 255);
    EXPECT_EQ(Slider(o.dlg, 1027)->value(), 255);
    EXPECT_EQ(o.dlg.m_currentColor, RGB(255, 20, 30));
    EXPECT_EQ(o.dlg.m_pWell->m_newColor, RGB(255, 20, 30));
    EXPECT_EQ(o.dlg.GetDlgItemText(1016), "0A141E") << "the hex text is not refreshed while typing";
    o.Type(1002, "abc");
    EXPECT_EQ(o.dlg.m_green, 0);
    o.Type(1016, "FF");
    EXPECT_EQ(o.dlg.m_currentColor, RGB(0, 0, 255));
    EXPECT_EQ(o.dlg.GetDlgItemText(1001), "0");
    EXPECT_EQ(o.dlg.GetDlgItemText(1003), "255");
    EXPECT_EQ(o.dlg.m_pWebList->currentIndex(), -1) << "typing hex leaves the web list alone";
}

TEST(ColorControl, ProgrammaticTextDoesNotFeedBack)
{
    OpenDialog o(RGB(10, 20, 30));
    // Without the focus an edit's change is not taken.
    o.dlg.SetDlgItemText(1001, "99");
    EXPECT_EQ(o.dlg.m_red, 10);
}

TEST(ColorControl, WheelOnBlackGivesFullBrightness)
{
    OpenDialog o(RGB(0, 0, 0));
    EXPECT_EQ(o.dlg.m_nBrightness, 0);
    // Pure red sits on the rim to the right of the centre.
    o.dlg.m_pWheel->PointToValue(199, 100);
    o.dlg.m_pWheel->m_notify();
    EXPECT_EQ(o.dlg.m_nBrightness, 100);
    EXPECT_EQ(o.dlg.m_nHue, 0);
    EXPECT_GE(o.dlg.m_nSaturation, 98);
    EXPECT_EQ(GetRValue(o.dlg.m_currentColor), 255);
    EXPECT_EQ(o.dlg.GetDlgItemText(1001), "255");
}

TEST(ColorControl, BrightnessBarScalesTheColour)
{
    OpenDialog o(RGB(255, 0, 0));
    o.dlg.m_pBar->PointToValue(10, 100); // half way down
    o.dlg.m_pBar->m_notify();
    EXPECT_EQ(o.dlg.m_nBrightness, 50);
    EXPECT_EQ(o.dlg.m_currentColor, tessel::HueToRgb(0, 100, 50));
}

TEST(ColorControl, NoColourOnlyWhereAllowed)
{
    {
        OpenDialog o(0xFF000000u);
        EXPECT_FALSE(o.dlg.GetDlgItem(1013)->isEnabled());
        EXPECT_EQ(o.dlg.m_currentColor, 0u) << "no colour is not allowed: the colour is black";
    }
    OpenDialog o(RGB(1, 2, 3), TRUE);
    auto* check = static_cast<QCheckBox*>(o.dlg.GetDlgItem(1013));
    EXPECT_TRUE(check->isEnabled());
    check->click();
    EXPECT_EQ(o.dlg.m_currentColor, 0xFF000000u | RGB(1, 2, 3));
    for (int id : {1001, 1016, 1027, 1056, 3000, 3001})
        EXPECT_FALSE(o.dlg.GetDlgItem(id)->isEnabled()) << id;
    check->click();
    EXPECT_EQ(o.dlg.m_currentColor, RGB(1, 2, 3));
    EXPECT_TRUE(o.dlg.GetDlgItem(3000)->isEnabled());
}

TEST(ColorControl, ChooseColorDlgChangesTheColourOnlyOnOk)
{
    auto previous = CDialog::SetModalHook([](CDialog& d) {
        auto& dlg = static_cast<DChooseColor&>(d);
        dlg.SetColor(RGB(9, 8, 7));
        if (dlg.m_strCaption == "cancel") {
            dlg.OnCancel();
            return IDCANCEL;
        }
        dlg.OnOK();
        return IDOK;
    });
    COLORREF c = RGB(1, 1, 1);
    EXPECT_EQ(ChooseColorDlg(c, "cancel", FALSE), 0);
    EXPECT_EQ(c, RGB(1, 1, 1));
    EXPECT_EQ(ChooseColorDlg(c, "ok", FALSE), 1);
    EXPECT_EQ(c, RGB(9, 8, 7));
    CDialog::SetModalHook(previous);
}

TEST(ColorControl, ButtonPaintsItsSwatchAndExchangesItsValue)
{
    CDialog host;
    CColorButton* button = CreateColorButton(&host, 1050, "Line Color:", true);
    button->resize(120, 22);
    COLORREF value = RGB(0x20, 0x40, 0x80);
    CDataExchange load(&host, FALSE);
    DdxUserData(&load, 1050, value);
    QImage img = button->grab().toImage();
    EXPECT_EQ(img.pixelColor(10, 10), QColor(0x20, 0x40, 0x80));
    EXPECT_EQ(img.pixelColor(0, 10), QColor(Qt::black));
    // No colour: white with a cross from corner to corner.
    value = 0xFF000000u;
    DdxUserData(&load, 1050, value);
    img = button->grab().toImage();
    EXPECT_EQ(img.pixelColor(15, 5), QColor(Qt::white));
    EXPECT_EQ(img.pixelColor(10, 10), QColor(Qt::black));
    EXPECT_EQ(img.pixelColor(5, 14), QColor(Qt::black));
    button->SetColor(RGB(1, 2, 3));
    COLORREF saved = 0;
    CDataExchange save(&host, TRUE);
    DdxUserData(&save, 1050, saved);
    EXPECT_EQ(saved, RGB(1, 2, 3));
}

TEST(ColorControl, ButtonClickRunsTheDialogAndNotifiesItsDialog)
{
    CDialog host;
    CColorButton* button = CreateColorButton(&host, 1050, "Text Color:", false);
    int notified = 0;
    host.OnNotify(1050, NM_CLICK, [&] { ++notified; });
    QString caption;
    auto previous = CDialog::SetModalHook([&](CDialog& d) {
        auto& dlg = static_cast<DChooseColor&>(d);
        caption = dlg.windowTitle();
        dlg.SetColor(RGB(200, 100, 50));
        dlg.OnOK();
        return IDOK;
    });
    button->Click();
    CDialog::SetModalHook(previous);
    EXPECT_EQ(caption, "Text Color:");
    EXPECT_EQ(button->GetColor(), RGB(200, 100, 50));
    EXPECT_EQ(notified, 1);
}

TEST(ColorControl, DialogPictureShowsWheelAndBar)
{
    OpenDialog o(RGB(0x2f, 0x6f, 0xc8));
    o.dlg.resize(o.dlg.sizeHint());
    const QImage img = o.dlg.grab().toImage();
    img.save(QDir::tempPath() + "/corvane-color.png");
    // Centre of the wheel: white at full brightness; the rim to the right: red.
    const QPoint wheel = o.dlg.m_pWheel->mapTo(&o.dlg, QPoint(100, 100));
    EXPECT_EQ(img.pixelColor(wheel), QColor(Qt::white));
    const QPoint rim = o.dlg.m_pWheel->mapTo(&o.dlg, QPoint(190, 100));
    EXPECT_EQ(img.pixelColor(rim).red(), 255);
    EXPECT_LT(img.pixelColor(rim).green(), 40);
}

TEST(ColorControl, SpinArrowsStepAComponentWithinItsRange)
{
    OpenDialog o(RGB(254, 1, 30));
    auto arrows = o.dlg.GetDlgItem(1021)->findChildren<QToolButton*>();
    ASSERT_EQ(arrows.size(), 2);
    QToolButton* up = arrows[0]->arrowType() == Qt::UpArrow ? arrows[0] : arrows[1];
    up->click();
    EXPECT_EQ(o.dlg.m_red, 255);
    up->click();
    EXPECT_EQ(o.dlg.m_red, 255) << "not above 255";
    EXPECT_EQ(o.dlg.GetDlgItemText(1001), "255");
    EXPECT_EQ(Slider(o.dlg, 1027)->value(), 255);
    EXPECT_EQ(o.dlg.GetDlgItemText(1016), "FF011E");
    auto greenArrows = o.dlg.GetDlgItem(1022)->findChildren<QToolButton*>();
    QToolButton* greenDown = greenArrows[0]->arrowType() == Qt::DownArrow ? greenArrows[0] : greenArrows[1];
    greenDown->click();
    greenDown->click();
    EXPECT_EQ(o.dlg.m_green, 0) << "not below 0";
}
