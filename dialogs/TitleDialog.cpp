#include "dialogs/TitleDialog.h"

#include "framework/ui/DataExchange.h"

namespace {
const DlgControl kTitleControls[] = {
    {IDC_STATIC, DlgKind::Static, "Title:", nullptr, 0},
    {1000, DlgKind::Edit, nullptr, nullptr, 0},
    {IDC_STATIC, DlgKind::Static, "Page Description in Search Results:", nullptr, 0},
    {1001, DlgKind::MultiEdit, nullptr, nullptr, 0},
    {IDC_STATIC, DlgKind::Static, "Keywords (optional):", nullptr, 0},
    {1002, DlgKind::Edit, nullptr, nullptr, 0},
    {IDC_STATIC, DlgKind::Static, "Title and description of the page will show in Google search results.", nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
} // namespace

const DlgTemplate kTitleTemplate{141, "Title", true, kTitleControls};

DTitle::DTitle(QWidget* parent) : CDialog(parent) { BuildDialog(*this, kTitleTemplate); }

BOOL DTitle::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (!m_strCaption.IsEmpty())
        setWindowTitle(m_strCaption.ToQString());
    return TRUE;
}

void DTitle::DoDataExchange(CDataExchange* pDX)
{
    DDX_TextW(pDX, 1000, m_title);
    DDX_TextW(pDX, 1001, m_description);
    DDX_TextW(pDX, 1002, m_keywords);
}
