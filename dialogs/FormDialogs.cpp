#include "dialogs/FormDialogs.h"

#include "dialogs/ItemExchange.h"
#include "dialogs/SmallItemDialogs.h"
#include "document/KJDoc.h"
#include "framework/ui/DataExchange.h"
#include "model/Folder.h"
#include "model/ItemHtml.h"
#include "model/ItemLink.h"
#include "model/Page.h"
#include "model/Translate.h"
#include "model/WString.h"
#include "model/items/FormItem.h"

#include <QtWidgets/QComboBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QRadioButton>

namespace {

const DlgControl kFormControls[] = {
    {IDC_STATIC, DlgKind::Static, "Method:", nullptr, 0},
    {1018, DlgKind::Combo, nullptr, "POST (Send variables invisible)|GET (Send variables visible in the link)",
     kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Encoding:", nullptr, 0},
    {1019, DlgKind::Combo, nullptr, "|application/x-www-form-urlencoded|multipart/form-data", kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Hidden Variables:", nullptr, 0},
    {1000, DlgKind::MultiEdit, nullptr, nullptr, 0},
    {1025, DlgKind::Button, "Send Form Data To", nullptr, 0},
    {1026, DlgKind::Button, "Form Style", nullptr, kDlgBeside},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kSendFormControls[] = {
    {1043, DlgKind::Radio, "Send to Self", nullptr, kDlgGroup},
    {1044, DlgKind::Radio, "Send to Page:", nullptr, 0},
    {1018, DlgKind::Combo, nullptr, nullptr, kDlgBeside | kDlgInGroup},
    {1045, DlgKind::Radio, "Send to URL:", nullptr, 0},
    {1011, DlgKind::Edit, nullptr, nullptr, kDlgBeside | kDlgInGroup},
    {IDC_STATIC, DlgKind::Static, "?", nullptr, kDlgBeside | kDlgInGroup},
    {IDC_STATIC, DlgKind::Static, "Arguments:", nullptr, kDlgInGroup},
    {1014, DlgKind::Edit, nullptr, nullptr, kDlgBeside | kDlgInGroup},
    {1046, DlgKind::Radio, "Send by Email", nullptr, 0},
    {IDC_STATIC, DlgKind::Static, "Email:", nullptr, 0},
    {1004, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Subject:", nullptr, 0},
    {1002, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Message:", nullptr, 0},
    {1003, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Redirect to:", nullptr, 0},
    {1005, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {1001, DlgKind::Check, "Send in a new window", nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
// The fifteen field boxes, in the order of DInsertForm::m_options[1..15].
constexpr int kFieldBoxes[15] = {1001, 1202, 1010, 1403, 1011, 1012, 1013, 1009, 1205, 1304, 1406, 1007, 1008, 1015, 1014};
const DlgControl kInsertFormControls[] = {
    {1043, DlgKind::Radio, "Blank Form", nullptr, kDlgGroup},
    {1044, DlgKind::Radio, "Add Fields:", nullptr, 0},
    {IDC_STATIC, DlgKind::Group, "Contact Details:", nullptr, 0},
    {1001, DlgKind::Check, "First Name", nullptr, 0},
    {1202, DlgKind::Check, "Last Name", nullptr, kDlgBeside},
    {1010, DlgKind::Check, "Email", nullptr, kDlgBeside},
    {1403, DlgKind::Check, "Street", nullptr, 0},
    {1011, DlgKind::Check, "Company", nullptr, kDlgBeside},
    {1012, DlgKind::Check, "Phone", nullptr, kDlgBeside},
    {1013, DlgKind::Check, "Fax", nullptr, 0},
    {1009, DlgKind::Check, "Country", nullptr, kDlgBeside},
    {1205, DlgKind::Check, "City", nullptr, kDlgBeside},
    {1304, DlgKind::Check, "Postal Code", nullptr, 0},
    {1406, DlgKind::Check, "Date Picker", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Group, "Options:", nullptr, 0},
    {1007, DlgKind::Check, "Time", nullptr, 0},
    {1008, DlgKind::Check, "Comments/Message", nullptr, kDlgBeside},
    {1015, DlgKind::Check, "Radio Options", nullptr, kDlgBeside},
    {1014, DlgKind::Check, "Drop Down Options", nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};

} // namespace

const DlgTemplate kFormTemplate{251, "Form", true, kFormControls};
const DlgTemplate kSendFormTemplate{375, "Send Form", true, kSendFormControls};
const DlgTemplate kInsertFormTemplate{272, "Insert Form", true, kInsertFormControls};

void FillLinkTargets(QComboBox* list, const CKJDoc* doc, int selectedId)
{
    list->clear();
    list->addItem(QStringLiteral("/"), QVariant(qlonglong(-1)));
    if (doc) {
        for (const auto& page : doc->m_pages) {
            CString name;
            page->m_title.ToAnsi(name);
            const CString text = name + " [" + GetRelativePath(nullptr, page->GetFolder()) + page->GetFileName() + "]";
            list->addItem(text.ToQString(), QVariant(qlonglong(page->m_nSerial)));
        }
        for (const auto& file : doc->m_fileRecords)
            list->addItem(file->GetFileName().ToQString(), QVariant(qlonglong(file->m_nSerial)));
    }
    list->setCurrentIndex(0);
    for (int i = 1; i < list->count(); ++i)
        if (list->itemData(i).toLongLong() == selectedId)
            list->setCurrentIndex(i);
}

// ---- DForm

DForm::DForm(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kFormTemplate);
    OnNotify(1025, BN_CLICKED, [this] {
        DSendForm dlg(this);
        dlg.m_pDoc = m_pDoc;
        dlg.m_pLink = &m_pItem->m_link;
        dlg.DoModal();
    });
    OnNotify(1026, BN_CLICKED, [this] {
        DDiv dlg(this);
        dlg.m_pDoc = m_pDoc;
        dlg.m_pItem = m_pItem;
        dlg.DoModal();
    });
}

void DForm::DoDataExchange(CDataExchange* pDX)
{
    DDX_CBIndex(pDX, 1018, m_pItem->m_nMethod);
    DDX_CBIndex(pDX, 1019, m_pItem->m_nEncoding);
    DDX_TextLines(pDX, 1000, m_pItem->m_strText);
}

// ---- DSendForm

DSendForm::DSendForm(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kSendFormTemplate);
    for (int id : {1043, 1044, 1045, 1046})
        OnNotify(id, BN_CLICKED, [this] { UpdateControls(); });
    GetDlgItem(1011)->setMinimumWidth(260);
}

BOOL DSendForm::OnInitDialog()
{
    FillLinkTargets(qobject_cast<QComboBox*>(GetDlgItem(1018)), m_pDoc, m_pLink->m_nTargetId);
    CDialog::OnInitDialog();
    UpdateControls();
    return TRUE;
}

void DSendForm::UpdateControls()
{
    int kind = 0;
    for (int i = 0; i < 4; ++i)
        if (IsDlgButtonChecked(1043 + i))
            kind = i;
    EnableDlgItem(1018, kind == 1);
    EnableDlgItem(1011, kind == 2);
    EnableDlgItem(1014, kind == 2);
    for (int id : {1004, 1002, 1003, 1005})
        EnableDlgItem(id, kind == 3);
    EnableDlgItem(1001, kind != 0);
}

void DSendForm::DoDataExchange(CDataExchange* pDX)
{
    CItemLink& link = *m_pLink;
    DDX_Radio(pDX, 1043, link.m_nKind);
    DDX_Text(pDX, 1011, link.m_strUrl);
    DDX_Text(pDX, 1014, link.m_strArguments);
    DDX_Check(pDX, 1001, link.m_bNewWindow);
    DDX_SingleLine(pDX, 1004, link.m_strEmail);
    DDX_SingleLine(pDX, 1002, link.m_strSubject);
    DDX_Text(pDX, 1003, link.m_strBody);
    DDX_SingleLine(pDX, 1005, link.m_strPicture);
}

void DSendForm::OnOK()
{
    if (IsDlgButtonChecked(1046) && GetDlgItemText(1004).IsEmpty()) {
        AfxMessageBox(Translate("Please enter email."), MB_ICONSTOP);
        return;
    }
    auto* targets = qobject_cast<QComboBox*>(GetDlgItem(1018));
    if (targets->currentIndex() >= 0) {
        const int id = int(targets->currentData().toLongLong());
        if (id != 0)
            m_pLink->m_nTargetId = id;
    }
    CDialog::OnOK();
}

// ---- DInsertForm

DInsertForm::DInsertForm(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kInsertFormTemplate);
    OnNotify(1043, BN_CLICKED, [this] { UpdateControls(); });
    OnNotify(1044, BN_CLICKED, [this] { UpdateControls(); });
}

BOOL DInsertForm::OnInitDialog()
{
    CDialog::OnInitDialog();
    UpdateControls();
    return TRUE;
}

void DInsertForm::UpdateControls()
{
    const bool fields = IsDlgButtonChecked(1044);
    for (int id : kFieldBoxes)
        EnableDlgItem(id, fields);
}

void DInsertForm::DoDataExchange(CDataExchange* pDX)
{
    int mode = m_options[0];
    DDX_Radio(pDX, 1043, mode);
    if (pDX->m_bSaveAndValidate)
        m_options[0] = mode < 0 ? 0 : mode;
    for (int i = 0; i < 15; ++i) {
        int on = m_options[i + 1];
        DDX_Check(pDX, kFieldBoxes[i], on);
        m_options[i + 1] = on;
    }
}
