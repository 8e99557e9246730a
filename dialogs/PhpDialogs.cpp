#include "dialogs/PhpDialogs.h"

#include "framework/core/Profile.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/Translation.h"
#include "model/PhpSnippets.h"

#include <QtWidgets/QListWidget>

namespace {

const DlgControl kInsertPhpControls[] = {
    {IDC_STATIC, DlgKind::Static, "Select PHP script to insert:", nullptr, 0},
    {1078, DlgKind::List, nullptr, nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kPhpCodeControls[] = {
    {1000, DlgKind::Custom, nullptr, nullptr, 0},
    {IDC_STATIC, DlgKind::Static, "PHP code works only on the sever.", nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kRawPhpControls[] = {
    {IDC_STATIC, DlgKind::Static, "<?php", nullptr, 0},
    {1000, DlgKind::Custom, nullptr, nullptr, 0},
    {IDC_STATIC, DlgKind::Static, "?>", nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};

} // namespace

const DlgTemplate kInsertPhpTemplate = {267, "Insert PHP", true, kInsertPhpControls};
const DlgTemplate kPhpCodeTemplate = {328, "PHP Code", true, kPhpCodeControls};
const DlgTemplate kRawPhpTemplate = {340, "Raw PHP", true, kRawPhpControls};

CString PhpSnippetEmail() { return GetProfileString("Current", "Email", "yourname@example.com"); }

DInsertPhp::DInsertPhp(QWidget* parent) : CDialog(parent) { BuildDialog(*this, kInsertPhpTemplate); }

BOOL DInsertPhp::OnInitDialog()
{
    CDialog::OnInitDialog();
    auto* list = qobject_cast<QListWidget*>(GetDlgItem(1078));
    for (int row = 0; row < kPhpSnippetCount; ++row)
        list->addItem(UiTranslate(PhpSnippetTitle(row)).ToQString());
    list->setCurrentRow(0);
    return TRUE;
}

void DInsertPhp::OnOK()
{
    m_strCode = BuildPhpSnippet(qobject_cast<QListWidget*>(GetDlgItem(1078))->currentRow(), PhpSnippetEmail());
    CDialog::OnOK();
}

DPhpCode::DPhpCode(QWidget* parent) : DCodeTextBase(parent, kPhpCodeTemplate) {}

DRawPhp::DRawPhp(QWidget* parent) : DCodeTextBase(parent, kRawPhpTemplate) {}
