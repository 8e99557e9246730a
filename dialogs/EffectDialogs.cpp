#include "dialogs/EffectDialogs.h"

#include "controls/ColorControl.h"
#include "dialogs/DialogTables.h"
#include "framework/ui/DataExchange.h"
#include "model/Item.h"

#include <QtWidgets/QComboBox>

namespace {
constexpr const char* kVisibleInPreview = "Visible in Preview only.";
constexpr const char* kZeroTo20 = "0|1|2|3|4|5|6|7|8|9|10|11|12|13|14|15|16|17|18|19|20";

const DlgControl kBodyMarginControls[] = {
    {IDC_STATIC, DlgKind::Static, "Margin:", nullptr, 0},
    {1000, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "px", nullptr, kDlgBeside},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kBorderControls[] = {
    {IDC_STATIC, DlgKind::Static, "Border:", nullptr, 0},
    {1018, DlgKind::Combo, nullptr, "|none|solid|dashed|dotted|double|inset|outset", kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Border Size:", nullptr, 0},
    {1000, DlgKind::EditCombo, nullptr, "0|1|2|3|4|5|6|7|8|9|10|11|12|13|14|15|16|18|20|24|32", kDlgBeside},
    {1019, DlgKind::Color, "Border Color", nullptr, 0},
};
const DlgControl kBorderRadiusControls[] = {
    {IDC_STATIC, DlgKind::Static, "Radius:", nullptr, 0},
    {1000, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "px", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, kVisibleInPreview, nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kBoxShadowControls[] = {
    {1018, DlgKind::Combo, nullptr,
     "No Shadow|Custom Shadow|Black Shadow|Dark Glow|White Glow|Red Glow|Martian Glow|UV Glow", 0},
    {IDC_STATIC, DlgKind::Static, "Delta X:", nullptr, 0},
    {1000, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Delta Y:", nullptr, 0},
    {1001, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Blur:", nullptr, 0},
    {1002, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Intensity:", nullptr, 0},
    {1003, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {1019, DlgKind::Color, "Shadow Color", nullptr, 0},
    {3, DlgKind::Button, "Delete", nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgBeside | kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kColumnsControls[] = {
    {IDC_STATIC, DlgKind::Static, "Columns:", nullptr, 0},
    {1018, DlgKind::Combo, nullptr, "1|2|3|4|5|6|7|8|9|10", kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Gap:", nullptr, 0},
    {1000, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "px", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, kVisibleInPreview, nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kCropControls[] = {
    {IDC_STATIC, DlgKind::Static, "New Size:", nullptr, 0},
    {1018, DlgKind::Combo, nullptr,
     "Keep Image Center|Keep Image Left Side|Keep Image Right Side|Keep Image Top Side|Keep Image Bottom Side|"
     "Keep Top Left Corner|Keep Top Right Corner|Keep Bottom Left Corner|Keep Bottom Right Corner",
     kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Width:", nullptr, 0},
    {1000, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Height:", nullptr, 0},
    {1003, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {3, DlgKind::Button, "Select Area", nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgBeside | kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kDropShadowControls[] = {
    {1001, DlgKind::Check, "Enable", nullptr, 0},
    {IDC_STATIC, DlgKind::Static, "Distance:", nullptr, 0},
    {1018, DlgKind::Combo, nullptr, kZeroTo20, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Radius:", nullptr, 0},
    {1020, DlgKind::Combo, nullptr, kZeroTo20, kDlgBeside},
    {1019, DlgKind::Color, "Color", nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kDuplicateControls[] = {
    {IDC_STATIC, DlgKind::Static, "Step X:", nullptr, 0},
    {1000, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Step Y:", nullptr, 0},
    {1002, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Count:", nullptr, 0},
    {1004, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {1001, DlgKind::Check, "Clone image", nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kEdgeFadeoutControls[] = {
    {1018, DlgKind::Combo, nullptr, "None|Linear|Radial", 0},
    {1001, DlgKind::Check, "Left Edge", nullptr, 0},
    {1005, DlgKind::Check, "Right Edge", nullptr, kDlgBeside},
    {1008, DlgKind::Check, "Top Edge", nullptr, 0},
    {1010, DlgKind::Check, "Bottom Edge", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Distance:", nullptr, 0},
    {1000, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "%", nullptr, kDlgBeside},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kFileNodeControls[] = {
    {1096, DlgKind::Static, "", nullptr, 0},
    {3, DlgKind::Button, "Delete", nullptr, 0},
    {4, DlgKind::Button, "Reload", nullptr, kDlgBeside},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgBeside | kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};

struct ShadowPreset {
    COLORREF color;
    int dx, dy, blur, intensity;
};
// Entries 1 to 7 of the preset list; entry 0 ("No Shadow") changes nothing.
constexpr ShadowPreset kShadowPresets[] = {
    {0x808080, 5, 5, 5, 0}, {0x000000, 5, 5, 5, 2}, {0x000000, 0, 0, 5, 2}, {0xFFFFFF, 0, 0, 5, 2},
    {0x0000FF, 0, 0, 5, 2}, {0x00FF00, 0, 0, 5, 2}, {0xFF0000, 0, 0, 5, 2},
};
} // namespace

const DlgTemplate kBodyMarginTemplate{193, "Body Margin", true, kBodyMarginControls};
const DlgTemplate kBorderTemplate{143, "Border", true, kBorderControls};
const DlgTemplate kBorderRadiusTemplate{380, "Border Radius", true, kBorderRadiusControls};
const DlgTemplate kBoxShadowTemplate{385, "Box Shadow", false, kBoxShadowControls};
const DlgTemplate kColumnsTemplate{382, "Columns", true, kColumnsControls};
const DlgTemplate kCropTemplate{256, "Crop", true, kCropControls};
const DlgTemplate kDropShadowTemplate{215, "Drop Shadow", true, kDropShadowControls};
const DlgTemplate kDuplicateTemplate{217, "Duplicate", true, kDuplicateControls};
const DlgTemplate kEdgeFadeoutTemplate{222, "Edge Fadeout", true, kEdgeFadeoutControls};
const DlgTemplate kFileNodeTemplate{344, "File", false, kFileNodeControls};

// ---- DBodyMargin

DBodyMargin::DBodyMargin(QWidget* parent) : CDialog(parent) { BuildDialog(*this, kBodyMarginTemplate); }

void DBodyMargin::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, 1000, m_nMargin);
    DDV_MinMaxInt(pDX, m_nMargin, 0, 1200);
}

// ---- DBorder

DBorder::DBorder(const char* caption) : CPropertyPage(caption)
{
    BuildDialog(*this, kBorderTemplate);
    m_bTranslateOnInit = false; // the sheet translates its pages
    setMinimumWidth(520);       // room for the five tabs
    OnNotify(1018, CBN_SELCHANGE, [this] { UpdateControls(); });
}

BOOL DBorder::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    UpdateControls();
    return TRUE;
}

void DBorder::DoDataExchange(CDataExchange* pDX)
{
    DdxUserData(pDX, 1019, m_side.m_color);
    int width = m_side.m_nWidth;
    DDX_Text(pDX, 1000, width);
    DDX_CBIndex(pDX, 1018, m_side.m_nStyle);
    m_side.m_nWidth = width;
}

void DBorder::UpdateControls()
{
    const int style = qobject_cast<QComboBox*>(GetDlgItem(1018))->currentIndex();
    const bool line = style >= kBorderSolid;
    EnableDlgItem(1000, line);
    GetDlgItem(1019)->setVisible(line);
    GetDlgItem(1019)->parentWidget()->setVisible(line); // the swatch with its caption
    BOOL ok = FALSE;
    if (line && GetDlgItemInt(1000, &ok) == 0)
        SetDlgItemText(1000, "1");
}

// ---- DBorderRadius, DColumns

DBorderRadius::DBorderRadius(QWidget* parent) : CDialog(parent) { BuildDialog(*this, kBorderRadiusTemplate); }
void DBorderRadius::DoDataExchange(CDataExchange* pDX) { DDX_Text(pDX, 1000, m_nRadius); }

DColumns::DColumns(QWidget* parent) : CDialog(parent) { BuildDialog(*this, kColumnsTemplate); }
void DColumns::DoDataExchange(CDataExchange* pDX)
{
    DDX_CBIndex(pDX, 1018, m_nColumns);
    DDX_Text(pDX, 1000, m_nGap);
}

// ---- DBoxShadow

DBoxShadow::DBoxShadow(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kBoxShadowTemplate);
    OnNotify(1018, CBN_SELCHANGE, [this] { OnPreset(); });
    OnNotify(3, BN_CLICKED, [this] { OnDelete(); });
}

void DBoxShadow::DoDataExchange(CDataExchange* pDX)
{
    DDX_CBIndex(pDX, 1018, m_nPreset);
    DDX_Text(pDX, 1000, m_nDeltaX);
    DDX_Text(pDX, 1001, m_nDeltaY);
    DDX_Text(pDX, 1002, m_nBlur);
    DDX_Text(pDX, 1003, m_nIntensity);
    DdxUserData(pDX, 1019, m_crColor);
}

void DBoxShadow::OnPreset()
{
    const int index = qobject_cast<QComboBox*>(GetDlgItem(1018))->currentIndex();
    if (index < 1 || index > int(std::size(kShadowPresets)))
        return;
    const ShadowPreset& p = kShadowPresets[index - 1];
    if (auto* swatch = dynamic_cast<CColorButton*>(GetDlgItem(1019)))
        swatch->SetColor(p.color);
    SetDlgItemInt(1000, p.dx);
    SetDlgItemInt(1001, p.dy);
    SetDlgItemInt(1002, p.blur);
    SetDlgItemInt(1003, p.intensity);
}

void DBoxShadow::OnDelete()
{
    m_nDeltaX = m_nDeltaY = m_nBlur = m_nIntensity = 0;
    EndDialog(IDOK);
}

// ---- DCrop

DCrop::DCrop(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kCropTemplate);
    OnNotify(3, BN_CLICKED, [this] { EndDialog(IDR_CROP_SELECT_AREA); });
}

void DCrop::DoDataExchange(CDataExchange* pDX)
{
    DDX_CBIndex(pDX, 1018, m_nAnchor);
    DDX_Text(pDX, 1000, m_nWidth);
    DDV_MinMaxInt(pDX, m_nWidth, 1, m_nMaxWidth);
    DDX_Text(pDX, 1003, m_nHeight);
    DDV_MinMaxInt(pDX, m_nHeight, 1, m_nMaxHeight);
}

// ---- DDropShadow

DDropShadow::DDropShadow(QWidget* parent) : CDialog(parent) { BuildDialog(*this, kDropShadowTemplate); }

void DDropShadow::DoDataExchange(CDataExchange* pDX)
{
    DDX_Check(pDX, 1001, m_bEnable);
    DDX_CBIndex(pDX, 1018, m_nDistance);
    DDX_CBIndex(pDX, 1020, m_nRadius);
    DdxUserData(pDX, 1019, m_crColor);
}

// ---- DDuplicate

DDuplicate::DDuplicate(QWidget* parent) : CDialog(parent) { BuildDialog(*this, kDuplicateTemplate); }

BOOL DDuplicate::OnInitDialog()
{
    CDialog::OnInitDialog();
    EnableDlgItem(1001, m_bCloneAllowed != 0);
    return TRUE;
}

void DDuplicate::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, 1000, m_nStepX);
    DDV_MinMaxInt(pDX, m_nStepX, -5000, 5000);
    DDX_Text(pDX, 1002, m_nStepY);
    DDV_MinMaxInt(pDX, m_nStepY, -5000, 5000);
    DDX_Text(pDX, 1004, m_nCount);
    DDV_MinMaxInt(pDX, m_nCount, 1, 1000);
    DDX_Check(pDX, 1001, m_bCloneImage);
}

// ---- DEdgeFadeout

DEdgeFadeout::DEdgeFadeout(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kEdgeFadeoutTemplate);
    OnNotify(1018, CBN_SELCHANGE, [this] { UpdateControls(); });
}

BOOL DEdgeFadeout::OnInitDialog()
{
    CDialog::OnInitDialog();
    UpdateControls();
    return TRUE;
}

void DEdgeFadeout::DoDataExchange(CDataExchange* pDX)
{
    DDX_Check(pDX, 1001, m_bLeft);
    DDX_Check(pDX, 1005, m_bRight);
    DDX_Check(pDX, 1008, m_bTop);
    DDX_Check(pDX, 1010, m_bBottom);
    DDX_CBIndex(pDX, 1018, m_nKind);
    DDX_Text(pDX, 1000, m_nDistance);
    // The distance counts only for the kinds that use it, where it can be edited.
    if (m_nKind == 1 || m_nKind == 2)
        DDV_MinMaxInt(pDX, m_nDistance, 1, 100);
}

void DEdgeFadeout::UpdateControls()
{
    const int kind = qobject_cast<QComboBox*>(GetDlgItem(1018))->currentIndex();
    const BOOL on = kind == 1 || kind == 2;
    for (int id : {1001, 1005, 1008, 1010, 1000})
        EnableDlgItem(id, on);
}

// ---- DFileNode

DFileNode::DFileNode(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kFileNodeTemplate);
    OnNotify(3, BN_CLICKED, [this] { EndDialog(IDR_FILE_DELETE); });
    OnNotify(4, BN_CLICKED, [this] { EndDialog(IDR_FILE_RELOAD); });
}

BOOL DFileNode::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetDlgItemText(1096, m_strName);
    return TRUE;
}

// ---- Borders sheet

int EditBorders(CBorderSide* sides)
{
    static const char* const kCaptions[BORDER_COUNT] = {"All Border", "Left Border", "Top Border", "Right Border",
                                                        "Bottom Border"};
    DBorder pages[BORDER_COUNT];
    CPropertySheet sheet("Borders");
    for (int i = 0; i < BORDER_COUNT; ++i) {
        pages[i].m_strCaption = kCaptions[i];
        pages[i].m_side = sides[i];
        sheet.AddPage(&pages[i]);
    }
    if (sheet.DoModal() != IDOK)
        return 0;
    for (int i = 0; i < BORDER_COUNT; ++i)
        sides[i] = pages[i].m_side;
    return 1;
}

int EditItemBorders(CItem* item)
{
    if (!item || !EditBorders(item->m_borders))
        return 0;
    item->RecalcLayout();
    return 1;
}
