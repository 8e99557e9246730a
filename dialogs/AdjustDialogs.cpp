#include "dialogs/AdjustDialogs.h"

#include "controls/ColorControl.h"
#include "framework/ui/Translation.h"

#include <QtGui/QGuiApplication>
#include <QtGui/QScreen>
#include <QtWidgets/QSlider>

#include <cstdint>

namespace {
const DlgControl kHueControls[] = {
    {1046, DlgKind::Custom, nullptr, nullptr, 0},
    {1048, DlgKind::Static, "0", nullptr, kDlgBeside},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kBrightnessContrastControls[] = {
    {IDC_STATIC, DlgKind::Static, "Brightness", nullptr, 0},
    {1046, DlgKind::Custom, nullptr, nullptr, kDlgBeside},
    {1048, DlgKind::Static, "0", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Contrast", nullptr, 0},
    {3, DlgKind::Custom, nullptr, nullptr, kDlgBeside},
    {1044, DlgKind::Static, "0", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Midtones", nullptr, 0},
    {1057, DlgKind::Custom, nullptr, nullptr, kDlgBeside},
    {1054, DlgKind::Static, "0", nullptr, kDlgBeside},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kSaturationControls[] = {
    {1046, DlgKind::Custom, nullptr, nullptr, 0},
    {1048, DlgKind::Static, "0", nullptr, kDlgBeside},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kMakeTransparentControls[] = {
    {1025, DlgKind::Button, "Background Color", nullptr, 0},
    {IDC_STATIC, DlgKind::Static, "Threshold", nullptr, 0},
    {1051, DlgKind::Custom, nullptr, nullptr, kDlgBeside},
    {1015, DlgKind::Static, "%d", nullptr, kDlgBeside},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};

QWidget* MakeSlider(CDialog& dlg, const DlgControl&)
{
    auto* slider = new QSlider(Qt::Horizontal, &dlg);
    slider->setMinimumWidth(220);
    return slider;
}

QSlider* Slider(CDialog& dlg, int id) { return qobject_cast<QSlider*>(dlg.GetDlgItem(id)); }
} // namespace

const DlgTemplate kHueTemplate{220, "Hue", true, kHueControls};
const DlgTemplate kBrightnessContrastTemplate{157, "Brightness/Contrast", true, kBrightnessContrastControls};
const DlgTemplate kSaturationTemplate{170, "Saturation", true, kSaturationControls};
const DlgTemplate kMakeTransparentTemplate{221, "Make Transparent", true, kMakeTransparentControls};

// ---- DAdjustBase

DAdjustBase::DAdjustBase(QWidget* parent) : CDialog(parent) {}

UINT DAdjustBase::PreviewTimerId() const
{
    // the dialog object's identity, folded into a timer id
    const auto address = reinterpret_cast<std::uintptr_t>(this);
    return UINT(address ^ (address >> 32)) | 1u;
}

void DAdjustBase::Bind(const SliderBinding& binding)
{
    m_bindings.push_back(binding);
    OnNotify(binding.sliderId, SLN_POSCHANGE, [this, binding] { OnSliderChanged(binding); });
}

BOOL DAdjustBase::OnInitDialog()
{
    m_bInitialising = true;
    CDialog::OnInitDialog();
    for (const SliderBinding& b : m_bindings) {
        if (QSlider* slider = Slider(*this, b.sliderId)) {
            slider->setValue(0);
            slider->setRange(b.minimum, b.maximum);
        }
    }
    m_bInitialising = false;
    // at the bottom right of the desktop, where it hides the least of the page
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        adjustSize();
        const QRect desktop = screen->geometry();
        move(desktop.width() - width() - 30, desktop.height() - height() - 60);
    }
    return TRUE;
}

void DAdjustBase::WriteLabels()
{
    for (const SliderBinding& b : m_bindings)
        SetDlgItemText(b.labelId, CString::Formatted("%d%s", *b.member, b.suffix));
}

void DAdjustBase::OnSliderChanged(const SliderBinding& binding)
{
    // positions set by the dialog itself are no change of the user's
    if (m_bInitialising)
        return;
    QSlider* slider = Slider(*this, binding.sliderId);
    if (!slider || slider->value() == *binding.member)
        return;
    *binding.member = slider->value();
    KillTimer(PreviewTimerId());
    WriteLabels();
    SetTimer(PreviewTimerId(), kPreviewDelayMs);
}

bool DAdjustBase::IsPreviewPending() { return Timers().IsRunning(PreviewTimerId()); }

void DAdjustBase::OnTimer(UINT id)
{
    if (id == PreviewTimerId()) {
        KillTimer(id);
        SendPreview();
    }
    CDialog::OnTimer(id);
}

void DAdjustBase::OnOK()
{
    // the picture kept is the one the sliders show
    if (IsPreviewPending()) {
        KillTimer(PreviewTimerId());
        SendPreview();
    }
    CDialog::OnOK();
}

void DAdjustBase::OnCancel()
{
    KillTimer(PreviewTimerId());
    CDialog::OnCancel();
}

void DAdjustBase::Send(int kind, const int* values)
{
    if (m_preview)
        m_preview(kind, values);
}

// ---- the four dialogs

DHue::DHue(QWidget* parent) : DAdjustBase(parent)
{
    BuildDialog(*this, kHueTemplate, MakeSlider);
    Bind({1046, 1048, &m_nHue, -180, 180, "\xC2\xB0"}); // a degree sign after the number
}

BOOL DHue::OnInitDialog()
{
    m_nHue = 0;
    DAdjustBase::OnInitDialog();
    WriteLabels();
    return TRUE;
}

DBrightnessContrast::DBrightnessContrast(QWidget* parent) : DAdjustBase(parent)
{
    BuildDialog(*this, kBrightnessContrastTemplate, MakeSlider);
    Bind({1046, 1048, &m_tone.brightness, -100, 100, ""});
    Bind({3, 1044, &m_tone.contrast, -100, 100, ""});
    Bind({1057, 1054, &m_tone.midtones, -100, 100, ""});
}

BOOL DBrightnessContrast::OnInitDialog()
{
    m_tone.brightness = m_tone.contrast = 0; // midtones stay as constructed
    DAdjustBase::OnInitDialog();
    if (QSlider* midtones = Slider(*this, 1057); midtones && m_tone.midtones != 0) {
        const QSignalBlocker quiet(midtones);
        midtones->setValue(m_tone.midtones);
    }
    WriteLabels();
    return TRUE;
}

void DBrightnessContrast::SendPreview()
{
    const int values[3] = {m_tone.brightness, m_tone.contrast, m_tone.midtones};
    Send(ADJUST_TONE, values);
}

DSaturation::DSaturation(QWidget* parent) : DAdjustBase(parent)
{
    BuildDialog(*this, kSaturationTemplate, MakeSlider);
    Bind({1046, 1048, &m_nSaturation, -100, 100, ""});
}

BOOL DSaturation::OnInitDialog()
{
    m_nSaturation = 0;
    DAdjustBase::OnInitDialog();
    WriteLabels();
    return TRUE;
}

DMakeTransparent::DMakeTransparent(QWidget* parent) : DAdjustBase(parent)
{
    BuildDialog(*this, kMakeTransparentTemplate, MakeSlider);
    Bind({1051, 1015, &m_key.threshold, 0, 255, ""});
    OnNotify(1025, BN_CLICKED, [this] { OnBackgroundColor(); });
}

BOOL DMakeTransparent::OnInitDialog()
{
    DAdjustBase::OnInitDialog();
    if (QSlider* slider = Slider(*this, 1051); slider && m_key.threshold != 0) {
        const QSignalBlocker quiet(slider);
        slider->setValue(m_key.threshold);
    }
    WriteLabels();
    // the picture shows the initial key as soon as the dialog is open
    SendPreview();
    return TRUE;
}

void DMakeTransparent::SendPreview()
{
    const int values[2] = {int(m_key.colour), m_key.threshold};
    Send(ADJUST_TRANSPARENCY, values);
}

void DMakeTransparent::OnBackgroundColor()
{
    COLORREF colour = m_key.colour;
    if (!ChooseColorDlg(colour, UiTranslate("Background Color"), FALSE))
        return;
    m_key.colour = colour;
    SendPreview(); // at once, without the timer
}
