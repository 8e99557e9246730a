#include "dialogs/SmallPropertyDialogs.h"

#include "dialogs/Background.h"
#include "dialogs/CodeView.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/Shell.h"
#include "model/PageOutput.h"
#include "model/items/AudioStreamItem.h"

namespace {
const DlgControl kBoxAlignControls[] = {
    {IDC_STATIC, DlgKind::Group, "Align the item to parent:", nullptr, 0},
    {1043, DlgKind::Radio, "Undefined", nullptr, kDlgGroup},
    {1044, DlgKind::Radio, "To Left Edge", nullptr, 0},
    {1045, DlgKind::Radio, "To Right Edge", nullptr, 0},
    {1046, DlgKind::Radio, "Centered", nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kTextAlignControls[] = {
    {IDC_STATIC, DlgKind::Group, "Align the text inside the item:", nullptr, 0},
    {1043, DlgKind::Radio, "Undefined", nullptr, kDlgGroup},
    {1044, DlgKind::Radio, "Left", nullptr, 0},
    {1045, DlgKind::Radio, "Right", nullptr, 0},
    {1046, DlgKind::Radio, "Center", nullptr, 0},
    {1047, DlgKind::Radio, "Justified", nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kAnalyticsControls[] = {
    {IDC_STATIC, DlgKind::Static,
     "Google Analytics provide statistics of your website and lets you measure traffic on every page.", nullptr, 0},
    {3, DlgKind::Button, "Login or Create Account", nullptr, 0},
    {IDC_STATIC, DlgKind::Static, "Paste Tracking Code of Google Analytics here.", nullptr, 0},
    {1000, DlgKind::MultiEdit, nullptr, nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kAngleControls[] = {
    {IDC_STATIC, DlgKind::Static, "Angle:", nullptr, 0},
    {1000, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "\u00b0", nullptr, kDlgBeside},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kAudioStreamControls[] = {
    {IDC_STATIC, DlgKind::Static, "File Path:", nullptr, 0},
    {1028, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {1001, DlgKind::Check, "Autostart", nullptr, 0},
    {1062, DlgKind::Button, "View Code", nullptr, kDlgBeside},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kLayoutControls[] = {
    {IDC_STATIC, DlgKind::Static, "Width of all pages, headers and footers:", nullptr, 0},
    {IDC_STATIC, DlgKind::Static, "Global Width:", nullptr, 0},
    {1002, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "px", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Stretch page, header and footer backgrounds to browser width:", nullptr, 0},
    {1009, DlgKind::Check, "Stretch to Browser", nullptr, 0},
    {1029, DlgKind::Button, "Browser", nullptr, 0},
    {1026, DlgKind::Button, "Master", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Header Height:", nullptr, 0},
    {1000, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "px", nullptr, kDlgBeside},
    {1025, DlgKind::Button, "Header", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Page Height:", nullptr, 0},
    {1001, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "px", nullptr, kDlgBeside},
    {1028, DlgKind::Button, "Current Page", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Footer Height:", nullptr, 0},
    {1003, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "px", nullptr, kDlgBeside},
    {1027, DlgKind::Button, "Footer", nullptr, kDlgBeside},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
} // namespace

const DlgTemplate kBoxAlignTemplate{308, "Box Align", true, kBoxAlignControls};
const DlgTemplate kTextAlignTemplate{184, "Text Align", true, kTextAlignControls};
const DlgTemplate kAnalyticsTemplate{347, "Google Analytics", true, kAnalyticsControls};
const DlgTemplate kAngleTemplate{258, "Angle", false, kAngleControls};
const DlgTemplate kAudioStreamTemplate{241, "Audio Stream", true, kAudioStreamControls};
const DlgTemplate kLayoutTemplate{365, "Layout", true, kLayoutControls};

DBoxAlign::DBoxAlign(QWidget* parent) : CDialog(parent) { BuildDialog(*this, kBoxAlignTemplate); }
void DBoxAlign::DoDataExchange(CDataExchange* pDX) { DDX_Radio(pDX, 1043, m_nAlign); }

DTextAlign::DTextAlign(QWidget* parent) : CDialog(parent) { BuildDialog(*this, kTextAlignTemplate); }
void DTextAlign::DoDataExchange(CDataExchange* pDX) { DDX_Radio(pDX, 1043, m_nAlign); }

DAnalytics::DAnalytics(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kAnalyticsTemplate);
    // The dialog stays open while the user signs in.
    OnNotify(3, BN_CLICKED, [] { ShellOpenOrReport(kAnalyticsSignIn); });
}
void DAnalytics::DoDataExchange(CDataExchange* pDX) { DDX_Text(pDX, 1000, m_strCode); }

DAngle::DAngle(QWidget* parent) : CDialog(parent) { BuildDialog(*this, kAngleTemplate); }
void DAngle::DoDataExchange(CDataExchange* pDX) { DDX_Text(pDX, 1000, m_dAngle); }

// ---- DAudioStream

DAudioStream::DAudioStream(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kAudioStreamTemplate);
    GetDlgItem(1062)->setToolTip(QStringLiteral("View Code"));
    GetDlgItem(1001)->setToolTip(QStringLiteral("Sounds starts automatically when the page loads."));
    OnNotify(1062, BN_CLICKED, [this] { OnViewCode(); });
}

void DAudioStream::DoDataExchange(CDataExchange* pDX)
{
    if (!m_pItem)
        return;
    DDX_Text(pDX, 1028, m_pItem->m_strThirdName);
    DDX_Check(pDX, 1001, m_pItem->m_bAutoStart);
}

CString DAudioStream::PreviewCode()
{
    if (!m_pItem)
        return {};
    // The typed values go into the item only while its HTML is written, so that a later
    // Cancel leaves the item as the opener gave it.
    const CString path = m_pItem->m_strThirdName;
    const int autoStart = m_pItem->m_bAutoStart;
    CString code;
    if (UpdateData(TRUE)) {
        CPageOutput out;
        m_pItem->WriteHtml(out);
        code = out.m_strBody;
    }
    m_pItem->m_strThirdName = path;
    m_pItem->m_bAutoStart = autoStart;
    return code;
}

void DAudioStream::OnViewCode()
{
    const CString code = PreviewCode();
    DCodeView view(this);
    view.m_strText = code;
    view.DoModal();
}

// ---- DLayout

DLayout::DLayout(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kLayoutTemplate);
    const struct {
        int id;
        CFillStyle* DLayout::*fill;
        const char* caption;
    } buttons[] = {
        {1029, &DLayout::m_pBrowserFill, "Browser Background"}, {1025, &DLayout::m_pHeaderFill, "Header Background"},
        {1026, &DLayout::m_pMasterFill, "Master Background"},   {1028, &DLayout::m_pPageFill, "Page Background"},
        {1027, &DLayout::m_pFooterFill, "Footer Background"},
    };
    for (const auto& b : buttons)
        OnNotify(b.id, BN_CLICKED, [this, b] {
            // The browser and all-pages backgrounds are the site's; the page's and bands'
            // fills are marked by the opener, which counts the whole layout as changed.
            const bool site = b.id == 1029 || b.id == 1026;
            if (this->*b.fill)
                EditFill(m_pDoc, this->*b.fill, b.caption, this, site ? FillTarget::Site() : FillTarget::Opener(),
                         100, 100, nullptr, b.id == 1029);
        });
}

BOOL DLayout::OnInitDialog()
{
    CDialog::OnInitDialog();
    // Each background button edits the fill the opener gave, and only then is enabled.
    EnableDlgItem(1029, m_pBrowserFill != nullptr);
    EnableDlgItem(1025, m_pHeaderFill != nullptr);
    EnableDlgItem(1026, m_pMasterFill != nullptr);
    EnableDlgItem(1028, m_pPageFill != nullptr);
    EnableDlgItem(1027, m_pFooterFill != nullptr);
    // A page without a header or footer band has no height for it.
    EnableDlgItem(1000, m_pHeaderFill != nullptr);
    EnableDlgItem(1003, m_pFooterFill != nullptr);
    return TRUE;
}

void DLayout::DoDataExchange(CDataExchange* pDX)
{
    // The band heights are exchanged (and checked) only when the page has the band.
    if (m_pHeaderFill) {
        DDX_Text(pDX, 1000, m_nHeaderHeight);
        DDV_MinMaxInt(pDX, m_nHeaderHeight, 1, 5000);
    }
    DDX_Text(pDX, 1001, m_nPageHeight);
    DDV_MinMaxInt(pDX, m_nPageHeight, 1, 5000);
    if (m_pFooterFill) {
        DDX_Text(pDX, 1003, m_nFooterHeight);
        DDV_MinMaxInt(pDX, m_nFooterHeight, 1, 5000);
    }
    DDX_Text(pDX, 1002, m_nWidth);
    DDV_MinMaxInt(pDX, m_nWidth, 1, 5000);
    DDX_Check(pDX, 1009, m_bStretch);
}
