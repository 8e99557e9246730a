#include "dialogs/OverColorDialogs.h"

#include "controls/ColorControl.h"
#include "framework/ui/DataExchange.h"

#include <QtWidgets/QComboBox>
#include <QtWidgets/QSlider>

namespace {
const DlgControl kImageOverColorControls[] = {
    {IDC_STATIC, DlgKind::Static, "Hue:", nullptr, 0},
    {1004, DlgKind::Custom, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Brightness:", nullptr, 0},
    {1005, DlgKind::Custom, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Saturation:", nullptr, 0},
    {1006, DlgKind::Custom, nullptr, nullptr, kDlgBeside},
    {1019, DlgKind::Color, "Colorize", nullptr, kDlgNoColor},
    {1038, DlgKind::Combo, nullptr, "Apply to over state|Apply to normal state", 0},
    {3, DlgKind::Button, "Delete", nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault | kDlgBeside},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kShapeOverColorControls[] = {
    {1021, DlgKind::Color, "Line Color", nullptr, kDlgNoColor},
    {1022, DlgKind::Color, "Fill Color", nullptr, kDlgNoColor},
    {1023, DlgKind::Color, "Text Color", nullptr, kDlgNoColor},
    {IDC_STATIC, DlgKind::Static, "Fill:", nullptr, 0},
    {1038, DlgKind::Combo, nullptr, "|Flat|3D|Inset", kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Border:", nullptr, 0},
    {1039, DlgKind::Combo, nullptr, "|none|1 px|2 px|3 px|4 px|5 px|6 px|7 px|8 px|9 px|10 px", kDlgBeside},
    {3, DlgKind::Button, "Delete", nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault | kDlgBeside},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kTextShadowControls[] = {
    {1038, DlgKind::Combo, nullptr,
     "No Shadow|Custom Shadow|Black Shadow|Dark Glow|White Glow|Red Glow|Martian Glow|UV Glow", 0},
    {IDC_STATIC, DlgKind::Static, "Delta X:", nullptr, 0},
    {1000, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "px", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Delta Y:", nullptr, 0},
    {1001, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "px", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Blur:", nullptr, 0},
    {1002, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "px", nullptr, kDlgBeside},
    {1019, DlgKind::Color, "Shadow Color", nullptr, 0},
    {3, DlgKind::Button, "Delete", nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault | kDlgBeside},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};

// The sliders get their ranges before the first exchange places them.
QWidget* MakeSlider(CDialog& dlg, int minimum, int maximum)
{
    auto* slider = new QSlider(Qt::Horizontal, &dlg);
    slider->setRange(minimum, maximum);
    slider->setMinimumWidth(200);
    return slider;
}

struct ShadowPreset {
    bool keeps; // "No Shadow" leaves every value as it stands
    COLORREF color;
    int dx, dy, blur;
};
// Colours as COLORREF, red in the low byte.
const ShadowPreset kShadowPresets[SHADOW_PRESET_COUNT] = {
    {true, 0, 0, 0, 0},
    {false, 0x808080, 5, 5, 5}, // Custom Shadow
    {false, 0x000000, 5, 5, 5}, // Black Shadow
    {false, 0x000000, 0, 0, 5}, // Dark Glow
    {false, 0xFFFFFF, 0, 0, 5}, // White Glow
    {false, 0x0000FF, 0, 0, 5}, // Red Glow
    {false, 0x00FF00, 0, 0, 5}, // Martian Glow
    {false, 0xFF0000, 0, 0, 5}, // UV Glow
};
} // namespace

const DlgTemplate kImageOverColorTemplate{253, "Over Color", true, kImageOverColorControls};
const DlgTemplate kShapeOverColorTemplate{320, "Over Color", true, kShapeOverColorControls};
const DlgTemplate kTextShadowTemplate{386, "Text Shadow", true, kTextShadowControls};

// ---- DImageOverColor

DImageOverColor::DImageOverColor(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kImageOverColorTemplate, [](CDialog& dlg, const DlgControl& row) {
        return row.id == 1004 ? MakeSlider(dlg, -180, 180) : MakeSlider(dlg, -100, 100);
    });
    OnNotify(3, BN_CLICKED, [this] { OnDelete(); });
}

void DImageOverColor::DoDataExchange(CDataExchange* pDX)
{
    DDX_Slider(pDX, 1004, m_nHue);
    DDX_Slider(pDX, 1005, m_nBrightness);
    DDX_Slider(pDX, 1006, m_nSaturation);
    DdxUserData(pDX, 1019, m_crColorize);
    DDX_CBIndex(pDX, 1038, m_nState);
}

void DImageOverColor::OnDelete()
{
    // No over effect: the neutral shift and no adjustment.
    m_crColorize = 0xFF808080;
    m_nHue = m_nBrightness = m_nSaturation = 0;
    EndDialog(IDOK);
}

// ---- DShapeOverColor

DShapeOverColor::DShapeOverColor(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kShapeOverColorTemplate);
    OnNotify(3, BN_CLICKED, [this] { OnDelete(); });
}

void DShapeOverColor::DoDataExchange(CDataExchange* pDX)
{
    DdxUserData(pDX, 1021, m_crLine);
    DdxUserData(pDX, 1022, m_crFill);
    DdxUserData(pDX, 1023, m_crText);
    DDX_CBIndex(pDX, 1038, m_nFill);
    DDX_CBIndex(pDX, 1039, m_nBorder);
}

void DShapeOverColor::OnDelete()
{
    m_crLine = m_crFill = m_crText = 0xFFFFFFFF;
    m_nFill = m_nBorder = 0;
    EndDialog(IDOK);
}

// ---- DTextShadow

DTextShadow::DTextShadow(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kTextShadowTemplate);
    OnNotify(1038, CBN_SELCHANGE, [this] { OnPresetChanged(); });
    OnNotify(3, BN_CLICKED, [this] { OnDelete(); });
}

BOOL DTextShadow::OnInitDialog()
{
    if (m_nPreset < 0 || m_nPreset >= SHADOW_PRESET_COUNT)
        m_nPreset = SHADOW_NONE;
    return CDialog::OnInitDialog();
}

void DTextShadow::DoDataExchange(CDataExchange* pDX)
{
    DDX_CBIndex(pDX, 1038, m_nPreset);
    DDX_Text(pDX, 1000, m_nDeltaX);
    DDX_Text(pDX, 1001, m_nDeltaY);
    DDX_Text(pDX, 1002, m_nBlur);
    DDV_MinMaxInt(pDX, m_nBlur, 0, 1000);
    DdxUserData(pDX, 1019, m_crColor);
}

void DTextShadow::OnPresetChanged()
{
    auto* list = qobject_cast<QComboBox*>(GetDlgItem(1038));
    const int index = list ? list->currentIndex() : -1;
    if (index < 0 || index >= SHADOW_PRESET_COUNT || kShadowPresets[index].keeps)
        return;
    const ShadowPreset& p = kShadowPresets[index];
    if (auto* color = dynamic_cast<CColorButton*>(GetDlgItem(1019)))
        color->SetColor(p.color);
    SetDlgItemInt(1000, p.dx);
    SetDlgItemInt(1001, p.dy);
    SetDlgItemInt(1002, p.blur);
}

void DTextShadow::OnDelete()
{
    m_nDeltaX = m_nDeltaY = m_nBlur = 0;
    EndDialog(IDOK);
}
