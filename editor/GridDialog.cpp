#include "editor/GridDialog.h"

#include "framework/ui/DataExchange.h"
#include "framework/ui/Translation.h"

#include <QtWidgets/QCheckBox>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>

DGrid::DGrid(QWidget* parent) : CDialog(parent)
{
    setWindowTitle(QStringLiteral("Grid"));
    auto* grid = new QGridLayout(this);
    grid->addWidget(CreateCheck(IDC_GRID_ON, "Enable Grid"), 0, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("X:"), this), 1, 0);
    grid->addWidget(CreateEdit(IDC_GRID_X), 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Y:"), this), 2, 0);
    grid->addWidget(CreateEdit(IDC_GRID_Y), 2, 1);
    grid->addWidget(CreateCheck(IDC_GUIDES_ON, "Show Rulers"), 3, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CreateButton(IDOK, "OK", true));
    buttons->addWidget(CreateButton(IDCANCEL, "Cancel"));
    grid->addLayout(buttons, 4, 0, 1, 2);
    OnNotify(IDC_GRID_ON, BN_CLICKED, [this] { UpdateEnabled(); });
}

BOOL DGrid::OnInitDialog()
{
    CDialog::OnInitDialog();
    TranslateWindow(this);
    UpdateEnabled();
    return TRUE;
}

void DGrid::DoDataExchange(CDataExchange* pDX)
{
    DDX_Check(pDX, IDC_GRID_ON, m_bGridOn);
    DDX_Check(pDX, IDC_GUIDES_ON, m_bShowGuides);
    DDX_Text(pDX, IDC_GRID_X, m_nGridX);
    DDV_MinMaxInt(pDX, m_nGridX, 5, 100);
    DDX_Text(pDX, IDC_GRID_Y, m_nGridY);
    DDV_MinMaxInt(pDX, m_nGridY, 5, 100);
}

void DGrid::UpdateEnabled()
{
    const BOOL on = IsDlgButtonChecked(IDC_GRID_ON) ? TRUE : FALSE;
    EnableDlgItem(IDC_GRID_X, on);
    EnableDlgItem(IDC_GRID_Y, on);
}
