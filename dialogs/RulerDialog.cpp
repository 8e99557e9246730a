#include "dialogs/RulerDialog.h"

#include "framework/ui/DataExchange.h"
#include "framework/ui/Translation.h"

#include <QtWidgets/QCheckBox>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>

DRuler::DRuler(QWidget* parent) : CDialog(parent)
{
    setWindowTitle(QStringLiteral("Ruler"));
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Move To:"), this), 0, 0);
    grid->addWidget(CreateEdit(IDC_POSITION), 0, 1);
    grid->addWidget(CreateCheck(IDC_DUPLICATE, "Duplicate"), 1, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CreateButton(IDOK, "OK", true));
    buttons->addWidget(CreateButton(IDCANCEL, "Cancel"));
    grid->addLayout(buttons, 2, 0, 1, 2);
}

BOOL DRuler::OnInitDialog()
{
    CDialog::OnInitDialog();
    TranslateWindow(this);
    return TRUE;
}

void DRuler::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_POSITION, m_nPosition);
    DDX_Check(pDX, IDC_DUPLICATE, m_bDuplicate);
}
