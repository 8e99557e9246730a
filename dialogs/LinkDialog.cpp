#include "dialogs/LinkDialog.h"

#include "dialogs/FormDialogs.h"

#include "dialogs/DialogTables.h"
#include "document/KJDoc.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/Shell.h"
#include "model/ItemHtml.h"
#include "model/Page.h"

#include <QtWidgets/QComboBox>
#include <QtWidgets/QRadioButton>

namespace {
enum {
    IDC_NO_LINK = 1043, IDC_PAGE = 1044, IDC_URL = 1045, IDC_IMAGE = 1046, IDC_EMAIL = 1047,
    IDC_TOOLTIP = 1000, IDC_TARGETS = 1018, IDC_ADDRESS = 1011, IDC_ARGUMENTS = 1014, IDC_NEW_WINDOW = 1001,
    IDC_PICTURE = 1012, IDC_MAIL = 1013, IDC_SUBJECT = 1002, IDC_BODY = 1003, IDC_DELETE = 3, IDC_BROWSE = 4,
};

const DlgControl kLinkControls[] = {
    {IDC_NO_LINK, DlgKind::Radio, "No Link", nullptr, kDlgGroup},
    {IDC_PAGE, DlgKind::Radio, "Go to Page:", nullptr, 0},
    {IDC_TARGETS, DlgKind::Combo, nullptr, nullptr, kDlgBeside | kDlgInGroup},
    {IDC_URL, DlgKind::Radio, "Open URL:", nullptr, 0},
    {IDC_ADDRESS, DlgKind::Edit, nullptr, nullptr, kDlgBeside | kDlgInGroup},
    {IDC_BROWSE, DlgKind::Button, "Browse", nullptr, kDlgBeside | kDlgInGroup},
    {IDC_IMAGE, DlgKind::Radio, "Show Image:", nullptr, 0},
    {IDC_PICTURE, DlgKind::Edit, nullptr, nullptr, kDlgBeside | kDlgInGroup},
    {IDC_EMAIL, DlgKind::Radio, "Launch Email:", nullptr, 0},
    {IDC_MAIL, DlgKind::Edit, nullptr, nullptr, kDlgBeside | kDlgInGroup},
    {IDC_STATIC, DlgKind::Static, "Subject:", nullptr, 0},
    {IDC_SUBJECT, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Content:", nullptr, 0},
    {IDC_BODY, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Arguments:", nullptr, 0},
    {IDC_STATIC, DlgKind::Static, "?", nullptr, kDlgBeside},
    {IDC_ARGUMENTS, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_NEW_WINDOW, DlgKind::Check, "Open in a new window", nullptr, 0},
    {IDC_STATIC, DlgKind::Static, "Tooltip:", nullptr, 0},
    {IDC_TOOLTIP, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_DELETE, DlgKind::Button, "Delete", nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgBeside | kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
} // namespace

const DlgTemplate kLinkTemplate{208, "Link", true, kLinkControls};
const char* const kLinkSearchEngine = "https://duckduckgo.com/";
const char* const kLinkExamplePicture = "https://www.example.com/picture.jpg";

DLink::DLink(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kLinkTemplate);
    for (int id : {IDC_NO_LINK, IDC_PAGE, IDC_URL, IDC_IMAGE, IDC_EMAIL})
        OnNotify(id, BN_CLICKED, [this] { UpdateControls(); });
    OnNotify(IDC_TARGETS, CBN_SELCHANGE, [this] { OnTargetChanged(); });
    OnNotify(IDC_DELETE, BN_CLICKED, [this] { OnDelete(); });
    OnNotify(IDC_BROWSE, BN_CLICKED, [this] { OnBrowse(); });
    GetDlgItem(IDC_ADDRESS)->setMinimumWidth(260);
}

BOOL DLink::OnInitDialog()
{
    if (m_pLink)
        m_edit = *m_pLink;
    FillLinkTargets(qobject_cast<QComboBox*>(GetDlgItem(IDC_TARGETS)), m_pDoc, m_edit.m_nTargetId);
    CDialog::OnInitDialog();
    UpdateControls();
    return TRUE;
}

void DLink::DoDataExchange(CDataExchange* pDX)
{
    DDX_Radio(pDX, IDC_NO_LINK, m_edit.m_nKind);
    DDX_TextW(pDX, IDC_TOOLTIP, m_edit.m_wstrTitle);
    DDX_Text(pDX, IDC_ADDRESS, m_edit.m_strUrl);
    DDX_Text(pDX, IDC_ARGUMENTS, m_edit.m_strArguments);
    DDX_Check(pDX, IDC_NEW_WINDOW, m_edit.m_bNewWindow);
    DDX_Text(pDX, IDC_PICTURE, m_edit.m_strPicture);
    DDX_Text(pDX, IDC_MAIL, m_edit.m_strEmail);
    DDX_Text(pDX, IDC_SUBJECT, m_edit.m_strSubject);
    DDX_Text(pDX, IDC_BODY, m_edit.m_strBody);
}

void DLink::UpdateControls()
{
    int kind = -1;
    const int buttons[] = {IDC_NO_LINK, IDC_PAGE, IDC_URL, IDC_IMAGE, IDC_EMAIL};
    for (int i = 0; i < 5; ++i)
        if (IsDlgButtonChecked(buttons[i]))
            kind = i;
    m_edit.m_nKind = kind;
    EnableDlgItem(IDC_TARGETS, kind == kLinkPage);
    EnableDlgItem(IDC_TOOLTIP, kind != kLinkNone);
    EnableDlgItem(IDC_ADDRESS, kind == 2);
    EnableDlgItem(IDC_PICTURE, kind == 3);
    for (int id : {IDC_MAIL, IDC_SUBJECT, IDC_BODY})
        EnableDlgItem(id, kind == 4);
    EnableDlgItem(IDC_ARGUMENTS, kind == 1 || kind == 2);
    EnableDlgItem(IDC_NEW_WINDOW, kind == 1 || kind == 2);
    if (kind == 2)
        GotoDlgCtrl(GetDlgItem(IDC_ADDRESS));
    else if (kind == 4)
        GotoDlgCtrl(GetDlgItem(IDC_MAIL));
    else if (kind == 3 && GetDlgItemText(IDC_PICTURE).IsEmpty())
        SetDlgItemText(IDC_PICTURE, kLinkExamplePicture);
}

void DLink::OnTargetChanged()
{
    auto* targets = qobject_cast<QComboBox*>(GetDlgItem(IDC_TARGETS));
    const int id = int(targets->currentData().toLongLong());
    CItem* object = m_pDoc && id > 0 ? m_pDoc->FindObjectById(id) : nullptr;
    CString name;
    if (object)
        name = object->GetFileName();
    else if (m_pDoc && id > 0) {
        for (const auto& file : m_pDoc->m_fileRecords)
            if (file->m_nSerial == id)
                name = file->GetFileName();
    }
    SetDlgItemText(IDC_ADDRESS, name);
}

void DLink::OnOK()
{
    auto* targets = qobject_cast<QComboBox*>(GetDlgItem(IDC_TARGETS));
    if (targets->currentIndex() >= 0 && targets->currentData().toLongLong() != 0)
        m_edit.m_nTargetId = std::int32_t(targets->currentData().toLongLong());
    if (!UpdateData(TRUE))
        return;
    if (m_pLink)
        *m_pLink = m_edit;
    EndDialog(IDOK);
}

void DLink::OnDelete()
{
    if (m_pLink) {
        m_pLink->m_nTargetId = 0;
        m_pLink->m_nKind = kLinkNone;
        m_pLink->m_strUrl.Empty();
        m_pLink->m_strHref.Empty();
    }
    EndDialog(IDOK);
}

void DLink::OnBrowse()
{
    const int buttons[] = {IDC_NO_LINK, IDC_PAGE, IDC_URL, IDC_IMAGE, IDC_EMAIL};
    for (int id : buttons) {
        auto* radio = qobject_cast<QRadioButton*>(GetDlgItem(id));
        radio->setAutoExclusive(false);
        radio->setChecked(id == IDC_URL);
        radio->setAutoExclusive(true);
    }
    UpdateControls();
    ShellOpen(kLinkSearchEngine);
}
