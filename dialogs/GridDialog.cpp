#include "dialogs/GridDialog.h"

#include "dialogs/DialogTables.h"
#include "framework/ui/DataExchange.h"

namespace {
const DlgControl kGridControls[] = {
    {1001, DlgKind::Check, "Enable Grid", nullptr, 0},
    {IDC_STATIC, DlgKind::Static, "X:", nullptr, 0},
    {1000, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Y:", nullptr, 0},
    {1003, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {1009, DlgKind::Check, "Show rulers", nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
} // namespace

const DlgTemplate kGridTemplate{265, "Grid", true, kGridControls};

DGrid::DGrid(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kGridTemplate);
    OnNotify(1001, BN_CLICKED, [this] { UpdateEnabled(); });
}

BOOL DGrid::OnInitDialog()
{
    CDialog::OnInitDialog();
    UpdateEnabled();
    return TRUE;
}

void DGrid::DoDataExchange(CDataExchange* pDX)
{
    DDX_Check(pDX, 1001, m_bGridOn);
    DDX_Check(pDX, 1009, m_bShowGuides);
    DDX_Text(pDX, 1000, m_nGridX);
    DDV_MinMaxInt(pDX, m_nGridX, 5, 100);
    DDX_Text(pDX, 1003, m_nGridY);
    DDV_MinMaxInt(pDX, m_nGridY, 5, 100);
}

void DGrid::UpdateEnabled()
{
    const BOOL on = IsDlgButtonChecked(1001) ? TRUE : FALSE;
    EnableDlgItem(1000, on);
    EnableDlgItem(1003, on);
}
