#include "dialogs/CreateItemDialog.h"

#include "framework/ui/DataExchange.h"
#include "framework/ui/Translation.h"

#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QVBoxLayout>

DCreateItem::DCreateItem(QWidget* parent) : CDialog(parent)
{
    setWindowTitle(QStringLiteral("Create new item"));
    auto* layout = new QVBoxLayout(this);
    auto* group = new QGroupBox(QStringLiteral("Insert in the flow"), this);
    RegisterControl(IDC_FLOW_GROUP, group);
    auto* radios = new QVBoxLayout(group);
    radios->addWidget(CreateRadio(IDC_AT_BEGINNING, "At the beginning", true));
    radios->addWidget(CreateRadio(IDC_AT_END, "At the end"));
    radios->addWidget(CreateRadio(IDC_BEFORE_SELECTED, "Before selected item"));
    radios->addWidget(CreateRadio(IDC_AFTER_SELECTED, "After selected item"));
    radios->addWidget(CreateRadio(IDC_AT_XY, "At x,y coordinate"));
    layout->addWidget(group);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CreateButton(IDOK, "OK", true));
    buttons->addWidget(CreateButton(IDCANCEL, "Cancel"));
    layout->addLayout(buttons);
}

BOOL DCreateItem::OnInitDialog()
{
    if (m_nFlowCount <= 0)
        m_nChoice = 0;
    // a choice that cannot be offered opens on the one always there
    const bool withSelection = m_nFlowCount > 0 && m_bSelected;
    if ((m_nChoice == 2 || m_nChoice == 3) && !withSelection)
        m_nChoice = 4;
    if (m_nChoice < 0 || m_nChoice > 4)
        m_nChoice = 4;
    EnableDlgItem(IDC_AT_END, m_nFlowCount > 0);
    EnableDlgItem(IDC_BEFORE_SELECTED, withSelection);
    EnableDlgItem(IDC_AFTER_SELECTED, withSelection);
    CDialog::OnInitDialog();
    TranslateWindow(this);
    return TRUE;
}

void DCreateItem::DoDataExchange(CDataExchange* pDX)
{
    DDX_Radio(pDX, IDC_AT_BEGINNING, m_nChoice);
}
