// The live adjustment dialogs: their sliders and labels, the one-shot preview timer that
// sends one preview after the last change, OK sending a pending preview, Cancel not, and
// Make Transparent's previews on opening and after a colour is chosen.
#include "DialogTestSupport.h"

#include "controls/ColorControl.h"
#include "dialogs/AdjustDialogs.h"

#include <gtest/gtest.h>
#include <QtCore/QElapsedTimer>
#include <QtGui/QGuiApplication>
#include <QtGui/QScreen>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QLabel>
#include <QtWidgets/QSlider>

#include <memory>
#include <vector>

using namespace dialogtest;

namespace {

struct Preview {
    int kind;
    std::vector<int> values;
    bool operator==(const Preview&) const = default;
};

// Records every preview with the values it carried at the time of the call.
struct Recorder {
    std::vector<Preview> seen;
    AdjustPreview Callback(int count)
    {
        return [this, count](int kind, const int* values) { seen.push_back({kind, std::vector<int>(values, values + count)}); };
    }
};

QSlider* Slider(CDialog& d, int id) { return qobject_cast<QSlider*>(d.GetDlgItem(id)); }
QString Label(CDialog& d, int id) { return qobject_cast<QLabel*>(d.GetDlgItem(id))->text(); }

// Runs the dialog with act on it; a nested dialog (the colour picker) goes to nested.
int RunAdjust(DAdjustBase& dlg, const std::function<void(DAdjustBase&)>& act,
        const std::function<int(CDialog&)>& nested = [](CDialog&) { return IDCANCEL; })
{
    const CDialog::ModalHook previous = CDialog::SetModalHook([&](CDialog& d) -> int {
        if (&d != &dlg)
            return nested(d);
        act(dlg);
        return d.IsEnded() ? d.GetResult() : IDCANCEL;
    });
    const int result = dlg.DoModal();
    CDialog::SetModalHook(previous);
    return result;
}

void FirePreview(DAdjustBase& d) { d.Timers().Fire(d.PreviewTimerId()); }

struct SliderRow {
    int slider, label, minimum, maximum;
};

struct DialogCase {
    const char* name;
    std::function<std::unique_ptr<DAdjustBase>()> make;
    const char* caption;
    std::vector<SliderRow> sliders;
    const char* zeroLabel;
};

TEST(AdjustDialogs, SlidersRangesLabelsAndCaptions)
{
    const DialogCase cases[] = {
        {"hue", [] { return std::make_unique<DHue>(); }, "Hue", {{1046, 1048, -180, 180}}, "0\xC2\xB0"},
        {"tone", [] { return std::make_unique<DBrightnessContrast>(); }, "Brightness/Contrast",
         {{1046, 1048, -100, 100}, {3, 1044, -100, 100}, {1057, 1054, -100, 100}}, "0"},
        {"saturation", [] { return std::make_unique<DSaturation>(); }, "Saturation", {{1046, 1048, -100, 100}}, "0"},
        {"transparent", [] { return std::make_unique<DMakeTransparent>(); }, "Make Transparent", {{1051, 1015, 0, 255}}, "0"},
    };
    for (const DialogCase& c : cases) {
        std::unique_ptr<DAdjustBase> dlg = c.make();
        Recorder rec;
        dlg->m_preview = rec.Callback(0);
        RunAdjust(*dlg, [&](DAdjustBase& d) {
            EXPECT_EQ(d.windowTitle(), QString::fromUtf8(c.caption)) << c.name;
            for (const SliderRow& s : c.sliders) {
                QSlider* slider = Slider(d, s.slider);
                ASSERT_TRUE(slider) << c.name << " " << s.slider;
                EXPECT_EQ(slider->minimum(), s.minimum) << c.name;
                EXPECT_EQ(slider->maximum(), s.maximum) << c.name;
                EXPECT_EQ(slider->value(), 0) << c.name;
                EXPECT_EQ(Label(d, s.label), QString::fromUtf8(c.zeroLabel)) << c.name;
            }
            EXPECT_FALSE(d.IsPreviewPending()) << c.name;
            // out of the way at the bottom right of the desktop
            const QRect desktop = QGuiApplication::primaryScreen()->geometry();
            EXPECT_EQ(d.x(), desktop.width() - d.width() - 30) << c.name;
            EXPECT_EQ(d.y(), desktop.height() - d.height() - 60) << c.name;
            PressCancel(d);
        });
    }
}

TEST(AdjustDialogs, OnePreviewAfterTheLastChange)
{
    DHue dlg;
    Recorder rec;
    dlg.m_preview = rec.Callback(1);
    RunAdjust(dlg, [&](DAdjustBase& d) {
        Slider(d, 1046)->setValue(30);
        Slider(d, 1046)->setValue(-180);
        Slider(d, 1046)->setValue(45);
        EXPECT_TRUE(rec.seen.empty()); // nothing while the slider moves
        EXPECT_TRUE(d.IsPreviewPending());
        EXPECT_EQ(dlg.m_nHue, 45);
        EXPECT_EQ(Label(d, 1048), QString::fromUtf8("45\xC2\xB0"));
        FirePreview(d);
        EXPECT_FALSE(d.IsPreviewPending());
        FirePreview(d); // a timer that no longer runs sends nothing more
        PressCancel(d);
    });
    EXPECT_EQ(rec.seen, (std::vector<Preview>{{ADJUST_HUE, {45}}}));
    EXPECT_EQ(dlg.m_nHue, 45); // the member keeps its last value
}

TEST(AdjustDialogs, PreviewTimerIsAOneShotOfHalfASecond)
{
    DSaturation dlg;
    Recorder rec;
    dlg.m_preview = rec.Callback(1);
    RunAdjust(dlg, [&](DAdjustBase& d) {
        Slider(d, 1046)->setValue(-60);
        EXPECT_TRUE(d.IsPreviewPending());
        QElapsedTimer clock;
        clock.start();
        while (rec.seen.empty() && clock.elapsed() < 3000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        EXPECT_GE(clock.elapsed(), 450);
        // it fired once and stopped
        const qint64 fired = clock.elapsed();
        while (clock.elapsed() < fired + 700)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        PressCancel(d);
    });
    EXPECT_EQ(rec.seen, (std::vector<Preview>{{ADJUST_SATURATION, {-60}}}));
}

TEST(AdjustDialogs, ToneChangesShareOneTimer)
{
    DBrightnessContrast dlg;
    Recorder rec;
    dlg.m_preview = rec.Callback(3);
    RunAdjust(dlg, [&](DAdjustBase& d) {
        Slider(d, 1046)->setValue(20);
        Slider(d, 3)->setValue(-40);
        Slider(d, 1057)->setValue(100);
        EXPECT_EQ(Label(d, 1048), QStringLiteral("20"));
        EXPECT_EQ(Label(d, 1044), QStringLiteral("-40"));
        EXPECT_EQ(Label(d, 1054), QStringLiteral("100"));
        FirePreview(d);
        PressCancel(d);
    });
    EXPECT_EQ(rec.seen, (std::vector<Preview>{{ADJUST_TONE, {20, -40, 100}}}));
}

TEST(AdjustDialogs, OkSendsThePendingPreviewCancelDoesNot)
{
    for (const bool ok : {true, false}) {
        DSaturation dlg;
        Recorder rec;
        dlg.m_preview = rec.Callback(1);
        const int result = RunAdjust(dlg, [&](DAdjustBase& d) {
            Slider(d, 1046)->setValue(70);
            if (ok)
                PressOk(d);
            else
                PressCancel(d);
        });
        EXPECT_EQ(result, ok ? IDOK : IDCANCEL);
        const std::vector<Preview> expected =
            ok ? std::vector<Preview>{{ADJUST_SATURATION, {70}}} : std::vector<Preview>{};
        EXPECT_EQ(rec.seen, expected);
        EXPECT_FALSE(dlg.IsPreviewPending());
    }
}

TEST(AdjustDialogs, OkWithNothingPendingSendsNothing)
{
    DHue dlg;
    Recorder rec;
    dlg.m_preview = rec.Callback(1);
    EXPECT_EQ(RunAdjust(dlg, [&](DAdjustBase& d) {
                  Slider(d, 1046)->setValue(-10);
                  FirePreview(d);
                  PressOk(d);
              }),
              IDOK);
    EXPECT_EQ(rec.seen, (std::vector<Preview>{{ADJUST_HUE, {-10}}}));
}

TEST(AdjustDialogs, MakeTransparentPreviewsOnOpeningAndAfterAColour)
{
    for (const bool chosen : {true, false}) {
        DMakeTransparent dlg;
        Recorder rec;
        dlg.m_preview = rec.Callback(2);
        RunAdjust(
            dlg,
            [&](DAdjustBase& d) {
                EXPECT_EQ(rec.seen, (std::vector<Preview>{{ADJUST_TRANSPARENCY, {0xFFFFFF, 0}}}));
                Slider(d, 1051)->setValue(12);
                EXPECT_EQ(Label(d, 1015), QStringLiteral("12"));
                FirePreview(d);
                qobject_cast<QAbstractButton*>(d.GetDlgItem(1025))->click();
                PressOk(d);
            },
            [&](CDialog& nested) -> int {
                auto* picker = dynamic_cast<DChooseColor*>(&nested);
                EXPECT_TRUE(picker);
                if (!picker || !chosen)
                    return IDCANCEL;
                picker->SetColor(0x00FF00);
                nested.OnOK();
                return nested.GetResult();
            });
        std::vector<Preview> expected{{ADJUST_TRANSPARENCY, {0xFFFFFF, 0}}, {ADJUST_TRANSPARENCY, {0xFFFFFF, 12}}};
        if (chosen)
            expected.push_back({ADJUST_TRANSPARENCY, {0x00FF00, 12}}); // at once, without the timer
        EXPECT_EQ(rec.seen, expected) << chosen;
    }
}

TEST(AdjustDialogs, EachDialogHasItsOwnTimer)
{
    DHue a;
    DHue b;
    EXPECT_NE(a.PreviewTimerId(), b.PreviewTimerId());
}

} // namespace
