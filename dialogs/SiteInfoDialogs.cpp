#include "dialogs/SiteInfoDialogs.h"

#include "dialogs/WidgetDialogs.h"
#include "framework/ui/DataExchange.h"

namespace {
const DlgControl kWebsiteControls[] = {
    {IDC_STATIC, DlgKind::Static, "Base URL of your website:", nullptr, 0},
    {IDC_STATIC, DlgKind::Static, "Root URL:", nullptr, 0},
    {1000, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Title appended to every page title:", nullptr, 0},
    {IDC_STATIC, DlgKind::Static, "Global Title:", nullptr, 0},
    {1001, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {1009, DlgKind::Check, "Connect to Facebook", nullptr, 0},
    {1003, DlgKind::Button, "Settings", nullptr, kDlgBeside},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};

const DlgControl kWordCountControls[] = {
    {1000, DlgKind::Static, "", nullptr, 0},
    {1001, DlgKind::Static, "", nullptr, 0},
    {1002, DlgKind::Button, "Export Text", nullptr, 0},
    {1003, DlgKind::Button, "Import Text", nullptr, kDlgBeside},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
} // namespace

const DlgTemplate kWebsiteTemplate{209, "Website", true, kWebsiteControls};
const DlgTemplate kWordCountTemplate{345, "Word Count", true, kWordCountControls};

// ---- DWebsite

DWebsite::DWebsite(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kWebsiteTemplate);
    OnNotify(1003, BN_CLICKED, [this] { OnSettings(); });
}

void DWebsite::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, 1000, m_strRootUrl);
    DDX_TextW(pDX, 1001, m_strGlobalTitle);
    DDX_Check(pDX, 1009, m_bFacebook);
}

void DWebsite::OnSettings()
{
    // a copy: Cancel there leaves the settings as they were
    DFacebook dlg(this);
    dlg.m_strChannel = m_strFacebookChannel;
    dlg.m_bStream = m_nFacebookStream;
    dlg.m_bFaces = m_nFacebookFaces;
    dlg.m_nStyle = m_nFacebookStyle;
    if (dlg.DoModal() != IDOK)
        return;
    m_strFacebookChannel = dlg.m_strChannel;
    m_nFacebookStream = dlg.m_bStream;
    m_nFacebookFaces = dlg.m_bFaces;
    m_nFacebookStyle = dlg.m_nStyle;
}

// ---- DWordCount

DWordCount::DWordCount(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kWordCountTemplate);
    OnNotify(1002, BN_CLICKED, [this] { EndDialog(kWordCountExport); });
    OnNotify(1003, BN_CLICKED, [this] { EndDialog(kWordCountImport); });
}

void DWordCount::DoDataExchange(CDataExchange* pDX)
{
    if (pDX->m_bSaveAndValidate)
        return; // shown only
    SetDlgItemText(1000, m_strFirst);
    SetDlgItemText(1001, m_strSecond);
}
