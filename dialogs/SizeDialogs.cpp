#include "dialogs/SizeDialogs.h"

#include "dialogs/DialogTables.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/Translation.h"

#include <QtWidgets/QLineEdit>

namespace {
constexpr const char* kVisibleInPreview = "Visible in Preview only.";

const DlgControl kResizeControls[] = {
    {IDC_STATIC, DlgKind::Static, "Width:", nullptr, 0},
    {1000, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "px", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Height:", nullptr, 0},
    {1001, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "px", nullptr, kDlgBeside},
    {1002, DlgKind::Check, "Keep proportions", nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kBoxResizeControls[] = {
    {IDC_STATIC, DlgKind::Static, "Width:", nullptr, 0},
    {1000, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "px", nullptr, kDlgBeside},
    {1018, DlgKind::Combo, nullptr, "fixed width|automatic width|minimum width|maximum width", kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Height:", nullptr, 0},
    {1001, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "px", nullptr, kDlgBeside},
    {1020, DlgKind::Combo, nullptr, "fixed height|automatic height|minimum height|maximum height", kDlgBeside},
    {1002, DlgKind::Check, "Keep proportions", nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kMetafileRasterControls[] = {
    {1000, DlgKind::Edit, nullptr, nullptr, 0},
    {IDC_STATIC, DlgKind::Static, "X", nullptr, kDlgBeside},
    {1001, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {1002, DlgKind::Check, "Antialiased", nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kPageWidthControls[] = {
    {IDC_STATIC, DlgKind::Static, "Width:", nullptr, 0},
    {1000, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "px", nullptr, kDlgBeside},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kPageHeightControls[] = {
    {IDC_STATIC, DlgKind::Static, "Height:", nullptr, 0},
    {1000, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "px", nullptr, kDlgBeside},
    {1018, DlgKind::Combo, nullptr, "fixed height|automatic height|minimum height|maximum height", kDlgBeside},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kOpacityControls[] = {
    {IDC_STATIC, DlgKind::Static, "Opacity:", nullptr, 0},
    {1000, DlgKind::EditCombo, nullptr, "0|10|20|30|40|50|60|70|80|90|100", kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "%", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, kVisibleInPreview, nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kOverlappingControls[] = {
    {IDC_STATIC, DlgKind::Static, "Z-Index:", nullptr, 0},
    {1000, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static,
     "Positive z-index brings item to front, negative z-index sends items behind.", nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kTabIndexControls[] = {
    {IDC_STATIC, DlgKind::Static, "Tab Index:", nullptr, 0},
    {1000, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kPaddingControls[] = {
    {IDC_STATIC, DlgKind::Static, "Padding:", nullptr, 0},
    {1000, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "px", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Left:", nullptr, 0},
    {1001, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "px", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Top:", nullptr, 0},
    {1002, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "px", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Right:", nullptr, 0},
    {1003, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "px", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Bottom:", nullptr, 0},
    {1004, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "px", nullptr, kDlgBeside},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kPositionControls[] = {
    {1043, DlgKind::Radio, "Item in the flow", nullptr, kDlgGroup},
    {1060, DlgKind::Radio, "Moveable item", nullptr, 0},
    {IDC_STATIC, DlgKind::Group, "Coordinates:", nullptr, 0},
    {IDC_STATIC, DlgKind::Static, "X:", nullptr, 0},
    {1000, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "px", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Y:", nullptr, 0},
    {1003, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "px", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static,
     "Item in the flow will be positioned automatically starting from the top of the page and placing items each "
     "below other. Moveable item can be positioned with mouse cursor.",
     nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};

// OK and Cancel only: a dialog of plain members.
template <class D> void Build(D& dlg, const DlgTemplate& table) { BuildDialog(dlg, table); }
} // namespace

const DlgTemplate kResizeTemplate{370, "Resize", true, kResizeControls};
const DlgTemplate kBoxResizeTemplate{131, "Resize", true, kBoxResizeControls};
const DlgTemplate kMetafileRasterTemplate{226, "Metafile Raster", true, kMetafileRasterControls};
const DlgTemplate kPageWidthTemplate{355, "Page Width", true, kPageWidthControls};
const DlgTemplate kPageHeightTemplate{356, "Page Height", true, kPageHeightControls};
const DlgTemplate kOpacityTemplate{381, "Opacity", true, kOpacityControls};
const DlgTemplate kOverlappingTemplate{368, "Overlapping", true, kOverlappingControls};
const DlgTemplate kTabIndexTemplate{376, "Tab Index", true, kTabIndexControls};
const DlgTemplate kPaddingTemplate{303, "Padding", true, kPaddingControls};
const DlgTemplate kPositionTemplate{138, "Position", true, kPositionControls};

// ---- CProportionLink

void CProportionLink::Attach(CDialog& dlg, int widthId, int heightId, bool widthOverHeight)
{
    m_bWidthOverHeight = widthOverHeight;
    // textEdited comes from the user only: what the program writes does not echo.
    QObject::connect(qobject_cast<QLineEdit*>(dlg.GetDlgItem(widthId)), &QLineEdit::textEdited, &dlg,
                     [this, &dlg, widthId, heightId] { Follow(dlg, widthId, heightId, true); });
    QObject::connect(qobject_cast<QLineEdit*>(dlg.GetDlgItem(heightId)), &QLineEdit::textEdited, &dlg,
                     [this, &dlg, widthId, heightId] { Follow(dlg, heightId, widthId, false); });
}

void CProportionLink::SetRatio(int width, int height)
{
    if (m_bWidthOverHeight)
        m_dRatio = height != 0 ? double(width) / double(height) : 0;
    else
        m_dRatio = width != 0 ? double(height) / double(width) : 0;
}

void CProportionLink::Follow(CDialog& dlg, int fromId, int toId, bool fromWidth)
{
    if (!m_bActive || m_dRatio == 0)
        return;
    BOOL ok = FALSE;
    const int value = dlg.GetDlgItemInt(fromId, &ok);
    if (!ok)
        return;
    double other;
    if (m_bWidthOverHeight) // r = width / height
        other = fromWidth ? value / m_dRatio : value * m_dRatio;
    else // r = height / width
        other = fromWidth ? value * m_dRatio : value / m_dRatio;
    if (!(other > -2147483648.0 && other < 2147483648.0))
        return;
    dlg.SetDlgItemInt(toId, int(other));
}

// ---- DResize, DBoxResize

DResize::DResize(QWidget* parent) : DResize(parent, 0)
{
    BuildDialog(*this, kResizeTemplate);
    SetUpProportions();
}

DResize::DResize(QWidget* parent, int) : CDialog(parent) {}

void DResize::SetUpProportions()
{
    m_link.Attach(*this, 1000, 1001, true);
    OnNotify(1002, BN_CLICKED, [this] {
        m_bKeepProportions = IsDlgButtonChecked(1002);
        m_link.m_bActive = m_bKeepProportions != 0;
    });
}

BOOL DResize::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (!m_strCaption.IsEmpty())
        setWindowTitle(m_strCaption.ToQString());
    m_link.SetRatio(m_nWidth, m_nHeight);
    m_link.m_bActive = m_bKeepProportions != 0;
    return TRUE;
}

void DResize::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, 1000, m_nWidth);
    DDV_MinMaxInt(pDX, m_nWidth, 1, 3000);
    DDX_Text(pDX, 1001, m_nHeight);
    DDV_MinMaxInt(pDX, m_nHeight, 1, 3000);
    DDX_Check(pDX, 1002, m_bKeepProportions);
}

DBoxResize::DBoxResize(QWidget* parent) : DResize(parent, 0)
{
    BuildDialog(*this, kBoxResizeTemplate);
    SetUpProportions();
}

void DBoxResize::DoDataExchange(CDataExchange* pDX)
{
    DResize::DoDataExchange(pDX);
    DDX_CBIndex(pDX, 1018, m_nWidthMode);
    DDX_CBIndex(pDX, 1020, m_nHeightMode);
}

// ---- DMetafileRaster

DMetafileRaster::DMetafileRaster(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kMetafileRasterTemplate);
    m_link.Attach(*this, 1000, 1001, false);
}

BOOL DMetafileRaster::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_link.SetRatio(m_nWidth, m_nHeight);
    return TRUE;
}

void DMetafileRaster::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, 1000, m_nWidth);
    DDV_MinMaxInt(pDX, m_nWidth, 1, 2000);
    DDX_Text(pDX, 1001, m_nHeight);
    DDV_MinMaxInt(pDX, m_nHeight, 1, 2000);
    DDX_Check(pDX, 1002, m_bAntialiased);
}

// ---- Page values, opacity, z-index, tab index

DPageWidth::DPageWidth(QWidget* parent) : CDialog(parent) { Build(*this, kPageWidthTemplate); }
void DPageWidth::DoDataExchange(CDataExchange* pDX) { DDX_Text(pDX, 1000, m_nWidth); }

DPageHeight::DPageHeight(QWidget* parent) : CDialog(parent) { Build(*this, kPageHeightTemplate); }
void DPageHeight::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, 1000, m_nHeight);
    DDX_CBIndex(pDX, 1018, m_nHeightMode);
}

DOpacity::DOpacity(QWidget* parent) : CDialog(parent) { Build(*this, kOpacityTemplate); }
void DOpacity::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, 1000, m_nOpacity);
    DDV_MinMaxInt(pDX, m_nOpacity, 0, 100);
}

DOverlapping::DOverlapping(QWidget* parent) : CDialog(parent) { Build(*this, kOverlappingTemplate); }
void DOverlapping::DoDataExchange(CDataExchange* pDX) { DDX_Text(pDX, 1000, m_nZIndex); }

DTabIndex::DTabIndex(QWidget* parent) : CDialog(parent) { Build(*this, kTabIndexTemplate); }
void DTabIndex::DoDataExchange(CDataExchange* pDX) { DDX_Text(pDX, 1000, m_nTabIndex); }

// ---- DPadding

DPadding::DPadding(QWidget* parent) : CDialog(parent) { Build(*this, kPaddingTemplate); }

BOOL DPadding::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (!m_strName.IsEmpty())
        setWindowTitle((UiTranslate("Padding") + " : " + m_strName).ToQString());
    return TRUE;
}

// One side: shown only when its flag is set; an empty edit clears the flag.
void DDX_BoxSide(CDataExchange* pDX, int id, std::int32_t& flag, std::int32_t& value)
{
    QWidget* w = pDX->PrepareEditCtrl(id);
    if (!pDX->m_bSaveAndValidate) {
        SetWindowText(w, flag ? CString::Formatted("%d", int(value)) : CString());
        return;
    }
    CString text = GetWindowText(w);
    text.Trim();
    if (text.IsEmpty()) {
        flag = 0;
        value = 0;
        return;
    }
    int v = 0;
    DDX_Text(pDX, id, v);
    flag = 1;
    value = v;
}

void DPadding::DoDataExchange(CDataExchange* pDX)
{
    DDX_TextBlankZero(pDX, 1000, m_nPadding);
    // Sides are stored only when every one was accepted.
    CBoxSpacing box = m_padding;
    DDX_BoxSide(pDX, 1001, box.m_bLeft, box.m_nLeft);
    DDX_BoxSide(pDX, 1002, box.m_bTop, box.m_nTop);
    DDX_BoxSide(pDX, 1003, box.m_bRight, box.m_nRight);
    DDX_BoxSide(pDX, 1004, box.m_bBottom, box.m_nBottom);
    m_padding = box;
}

// ---- DPosition

DPosition::DPosition(QWidget* parent) : CDialog(parent)
{
    Build(*this, kPositionTemplate);
    OnNotify(1043, BN_CLICKED, [this] { UpdateControls(); });
    OnNotify(1060, BN_CLICKED, [this] { UpdateControls(); });
}

BOOL DPosition::OnInitDialog()
{
    CDialog::OnInitDialog();
    UpdateControls();
    return TRUE;
}

void DPosition::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, 1000, m_nX);
    DDX_Text(pDX, 1003, m_nY);
    DDX_Radio(pDX, 1043, m_nPlacement);
}

void DPosition::UpdateControls()
{
    m_nPlacement = IsDlgButtonChecked(1060) ? 1 : 0;
    EnableDlgItem(1000, m_nPlacement == 1);
    EnableDlgItem(1003, m_nPlacement == 1);
}
