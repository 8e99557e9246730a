#include "dialogs/PageNameDialog.h"

#include "document/KJDoc.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/Translation.h"
#include "model/Clipboard.h"
#include "model/Folder.h"
#include "model/Item.h"
#include "model/Page.h"

#include <QtWidgets/QComboBox>
#include <QtWidgets/QLineEdit>
#include <cstring>

namespace {
const DlgControl kPageNameControls[] = {
    {IDC_STATIC, DlgKind::Static, "Folder:", nullptr, 0},
    {1018, DlgKind::Combo, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Name:", nullptr, 0},
    {1000, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {1096, DlgKind::Static, ".html", nullptr, kDlgBeside},
    {1001, DlgKind::Check, "Enable PHP", nullptr, 0},
    {IDC_STATIC, DlgKind::Static, "To improve search engine ranking the name should match the expected search phrase.",
     nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kRenameControls[] = {
    {IDC_STATIC, DlgKind::Static, "Item name (ID):", nullptr, 0},
    {1000, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Anchor (#):", nullptr, 0},
    {1003, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Tooltip:", nullptr, 0},
    {1005, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Cursor:", nullptr, 0},
    {1018, DlgKind::Combo, nullptr, "|arrow|crosshair|hand|move|text|wait|help", kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Display:", nullptr, 0},
    {1019, DlgKind::Combo, nullptr, "|none", kDlgBeside},
    {1001, DlgKind::Check, "Hidden Item", nullptr, 0},
    {1002, DlgKind::Check, "Declare Variable in JavaScript", nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};

bool SameName(const CString& a, const CString& b) { return a.CompareNoCase(b) == 0; }
} // namespace

const DlgTemplate kPageNameTemplate{207, "Folder", true, kPageNameControls};
const DlgTemplate kRenameTemplate{244, "Rename", true, kRenameControls};

bool IsFolderWithin(const CFolder* folder, const CFolder* candidate)
{
    int depth = 0;
    for (const CSiteObject* f = folder; f && depth < 256; f = f->m_pParent, ++depth)
        if (f == candidate)
            return true;
    return false;
}

CString CheckSiteName(const CKJDoc& doc, const CString& name, const CFolder* folder, const CSiteObject* self,
                      SiteNameKind kind)
{
    if (name.IsEmpty())
        return UiTranslate("Enter the name of the file.");
    static const char kForbidden[] = "/\\:<>|?*&%\"";
    for (int i = 0; i < name.GetLength(); ++i) {
        const char c = name[i];
        if (c && std::strchr(kForbidden, c))
            return UiTranslate("The name can not contain the following characters") + " / \\ : < > | ? * \" & % |";
    }
    for (int i = 0; i < name.GetLength(); ++i)
        if ((unsigned char)name[i] >= 128)
            return UiTranslate("The name can not contain diacritics.");
    // A "#" would cut the address short; a leading dot hides the file or walks upwards.
    if (name.Find('#') >= 0)
        return UiTranslate("The name can not contain the following characters") + " #";
    if (name[0] == '.')
        return UiTranslate("The name can not start with a dot.");
    // A name that differs only in case is the same file on many servers.
    auto clash = [&](const CString& other) { return SameName(other, name); };
    bool taken = false;
    switch (kind) {
    case SiteNameKind::Page:
        for (const auto& p : doc.m_pages)
            taken = taken || (p.get() != self && p->GetFolder() == folder && clash(p->m_strBaseName));
        break;
    case SiteNameKind::Folder:
        for (const auto& f : doc.m_folders)
            taken = taken || (f.get() != self && f->GetParentFolder() == folder && clash(f->m_strBaseName));
        break;
    case SiteNameKind::File: {
        const CString ext = self ? self->m_strExtension : CString();
        for (const auto& f : doc.m_fileRecords)
            taken = taken || (f.get() != self && f->m_pParent == folder && clash(f->m_strBaseName)
                              && SameName(f->m_strExtension, ext));
        break;
    }
    }
    if (taken)
        return UiTranslateWithName("The file name %s already existis in folder.", name);
    return CString();
}

// ---- DPageName

DPageName::DPageName(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kPageNameTemplate);
    OnNotify(1001, BN_CLICKED, [this] { OnEnablePhp(); });
}

BOOL DPageName::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (!m_strCaption.IsEmpty())
        setWindowTitle(m_strCaption.ToQString());
    if (m_bEnablePhp < 0)
        EnableDlgItem(1001, FALSE);
    auto* list = qobject_cast<QComboBox*>(GetDlgItem(1018));
    list->clear();
    list->addItem(QStringLiteral("/"), QVariant::fromValue<void*>(nullptr));
    int selected = 0;
    if (m_pDoc) {
        for (const auto& folder : m_pDoc->m_folders) {
            const CString path = GetFolderPath(folder.get()) + folder->GetFileName();
            list->addItem(path.ToQString(), QVariant::fromValue<void*>(folder.get()));
            if (folder.get() == m_pFolder)
                selected = list->count() - 1;
        }
    }
    list->setCurrentIndex(selected);
    return TRUE;
}

void DPageName::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, 1000, m_strName);
    int php = m_bEnablePhp > 0 ? 1 : 0;
    DDX_Check(pDX, 1001, php);
    if (m_bEnablePhp >= 0)
        m_bEnablePhp = php;
    SetDlgItemText(1096, m_strExtension);
}

void DPageName::OnEnablePhp()
{
    if (m_bEnablePhp < 0)
        return;
    m_bEnablePhp = IsDlgButtonChecked(1001) ? 1 : 0;
    m_strExtension = m_bEnablePhp ? ".php" : ".html";
    SetDlgItemText(1096, m_strExtension);
}

CFolder* DPageName::SelectedFolder() const
{
    auto* list = qobject_cast<QComboBox*>(GetDlgItem(1018));
    return list->currentIndex() < 0 ? nullptr : static_cast<CFolder*>(list->currentData().value<void*>());
}

void DPageName::OnOK()
{
    QWidget* edit = GetDlgItem(1000);
    CString name = GetDlgItemText(1000);
    auto refuse = [&](const CString& message) {
        AfxMessageBox(message, MB_ICONSTOP);
        GotoDlgCtrl(edit);
    };
    if (name.IsEmpty())
        return refuse(UiTranslate("Enter the name of the file."));
    name.Replace(' ', '_');
    SetDlgItemText(1000, name);
    CFolder* folder = SelectedFolder();
    if (m_nKind == SiteNameKind::Folder && m_pObject && IsFolderWithin(folder, static_cast<CFolder*>(m_pObject)))
        return refuse(UiTranslate("A folder can not be moved into itself or into one of its folders."));
    if (m_pDoc) {
        const CString message = CheckSiteName(*m_pDoc, name, folder, m_pObject, m_nKind);
        if (!message.IsEmpty())
            return refuse(message);
    }
    m_pChosenFolder = folder;
    CDialog::OnOK();
}

// ---- DRename

DRename::DRename(QWidget* parent) : CDialog(parent) { BuildDialog(*this, kRenameTemplate); }

void DRename::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, 1000, m_strName);
    DDX_Text(pDX, 1003, m_strAnchor);
    if (m_pItem)
        DDX_TextW(pDX, 1005, m_pItem->m_strTitle);
    DDX_CBIndex(pDX, 1018, m_nCursor);
    DDX_CBIndex(pDX, 1019, m_nDisplay);
    DDX_Check(pDX, 1001, m_bHidden);
    DDX_Check(pDX, 1002, m_bDeclareVariable);
}

void DRename::OnOK()
{
    const CString name = GetDlgItemText(1000);
    if (!name.IsEmpty() && m_pDoc && m_pDoc->CheckItemName(name, m_pItem, m_pPage))
        return;
    CDialog::OnOK();
}
