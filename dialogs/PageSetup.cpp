#include "dialogs/PageSetup.h"

#include "dialogs/Background.h"
#include "dialogs/EffectDialogs.h"
#include "dialogs/SmallItemDialogs.h"
#include "document/KJDoc.h"
#include "framework/ui/DataExchange.h"
#include "model/MasterItem.h"
#include "model/Page.h"

#include <QtWidgets/QComboBox>

namespace {
const DlgControl kPageSetupControls[] = {
    {IDC_STATIC, DlgKind::Static, "Align Content:", nullptr, 0},
    {1018, DlgKind::Combo, nullptr, "Left|Center|Right", kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Width:", nullptr, 0},
    {1000, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "px", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Height:", nullptr, 0},
    {1003, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "px", nullptr, kDlgBeside},
    {1001, DlgKind::Check, "Center in Browser", nullptr, 0},
    {1002, DlgKind::Check, "Stretch to Browser", nullptr, kDlgBeside},
    {1010, DlgKind::Check, "Enable PHP", nullptr, 0},
    {IDC_STATIC, DlgKind::Static, "Title:", nullptr, 0},
    {1005, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Overlapping:", nullptr, 0},
    {1019, DlgKind::Combo, nullptr, "page overlaps header|header overlaps page", kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Master Background:", nullptr, 0},
    {1020, DlgKind::Combo, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Master Overlay:", nullptr, 0},
    {1021, DlgKind::Combo, nullptr, nullptr, kDlgBeside},
    {1073, DlgKind::Button, "Page Background", nullptr, 0},
    {1074, DlgKind::Button, "Default Background", nullptr, kDlgBeside},
    {1075, DlgKind::Button, "Browser Background", nullptr, kDlgBeside},
    {1064, DlgKind::Button, "Padding", nullptr, 0},
    {1047, DlgKind::Button, "Borders", nullptr, kDlgBeside},
    {1059, DlgKind::Button, "Margins", nullptr, kDlgBeside},
    {1076, DlgKind::Button, "Header/Footer", nullptr, 0},
    {1077, DlgKind::Button, "Rename/Move", nullptr, kDlgBeside},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
} // namespace

const DlgTemplate kPageSetupTemplate{161, "Page Setup", true, kPageSetupControls};

DPageSetup::DPageSetup(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kPageSetupTemplate);
    OnNotify(1076, BN_CLICKED, [this] { EndDialog(kPageSetupHeaderFooter); });
    OnNotify(1077, BN_CLICKED, [this] { EndDialog(kPageSetupRenameMove); });
    OnNotify(1064, BN_CLICKED, [this] {
        if (m_pPage)
            EditItemPadding(m_pPage, this);
    });
    OnNotify(1047, BN_CLICKED, [this] {
        if (m_pPage)
            EditItemBorders(m_pPage);
    });
    OnNotify(1073, BN_CLICKED, [this] {
        if (!m_pPage)
            return;
        EditFill(m_pDoc, &FillOf(*m_pPage), "This Page Background", this, FillTarget::Item(*m_pPage),
                 m_pPage->m_nWidth, m_pPage->m_nHeight);
    });
    OnNotify(1074, BN_CLICKED, [this] {
        if (m_pDoc)
            EditFill(m_pDoc, &m_pDoc->m_allPagesBackground, "All Pages Background", this, FillTarget::Site());
    });
    OnNotify(1075, BN_CLICKED, [this] {
        if (m_pDoc)
            EditFill(m_pDoc, &m_pDoc->m_websiteBackground, "Browser Background", this, FillTarget::Site(), 100, 100, nullptr,
                     true);
    });
}

BOOL DPageSetup::OnInitDialog()
{
    CDialog::OnInitDialog();
    FillMasters(1020, m_pPage ? m_pPage->m_nMaster1Id : 0);
    FillMasters(1021, m_pPage ? m_pPage->m_nMaster2Id : 0);
    // "Margins" has no action of its own.
    EnableDlgItem(1073, m_pPage != nullptr);
    EnableDlgItem(1074, m_pDoc != nullptr);
    EnableDlgItem(1075, m_pDoc != nullptr);
    EnableDlgItem(1059, FALSE);
    EnableDlgItem(1064, m_pPage != nullptr);
    EnableDlgItem(1047, m_pPage != nullptr);
    return TRUE;
}

void DPageSetup::FillMasters(int id, int selectedId)
{
    auto* combo = qobject_cast<QComboBox*>(GetDlgItem(id));
    combo->clear();
    combo->addItem(QStringLiteral("<none>"), QVariant::fromValue<void*>(nullptr));
    combo->setCurrentIndex(0);
    if (!m_pDoc)
        return;
    for (const auto& master : m_pDoc->m_masters) {
        combo->addItem(master->m_strName.ToQString(), QVariant::fromValue<void*>(master.get()));
        if (selectedId != 0 && master->m_nSerial == selectedId)
            combo->setCurrentIndex(combo->count() - 1);
    }
}

void DPageSetup::StoreMaster(int id, bool first)
{
    auto* combo = qobject_cast<QComboBox*>(GetDlgItem(id));
    auto* master = static_cast<CMasterItem*>(combo->currentData().value<void*>());
    CMasterItem*& pointer = first ? m_pPage->m_pMaster1 : m_pPage->m_pMaster2;
    int& serial = first ? m_pPage->m_nMaster1Id : m_pPage->m_nMaster2Id;
    pointer = master;
    serial = master ? master->m_nSerial : 0;
}

void DPageSetup::DoDataExchange(CDataExchange* pDX)
{
    DDX_CBIndex(pDX, 1018, m_nAlign);
    DDX_Text(pDX, 1000, m_nWidth);
    DDV_MinMaxInt(pDX, m_nWidth, 1, 5000);
    DDX_Text(pDX, 1003, m_nHeight);
    DDV_MinMaxInt(pDX, m_nHeight, 1, 5000);
    DDX_Check(pDX, 1001, m_bCenter);
    DDX_Check(pDX, 1002, m_bStretch);
    DDX_Check(pDX, 1010, m_bPhp);
    DDX_TextW(pDX, 1005, m_title);
    DDX_CBIndex(pDX, 1019, m_nOverlap);
}

void DPageSetup::OnOK()
{
    // The masters are stored only when every value was accepted.
    if (!UpdateData(TRUE))
        return;
    if (m_pPage) {
        StoreMaster(1020, true);
        StoreMaster(1021, false);
    }
    EndDialog(IDOK);
}
