#include "dialogs/StringsDialogs.h"

#include "document/KJDoc.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/Translation.h"

#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>

namespace {
const DlgControl kStringsControls[] = {
    {1078, DlgKind::Custom, nullptr, nullptr, 0},
    {3, DlgKind::Button, "Add", nullptr, 0},
    {6, DlgKind::Button, "Edit", nullptr, kDlgBeside},
    {4, DlgKind::Button, "Delete", nullptr, kDlgBeside},
    {5, DlgKind::Button, "Copy to Clipboard", nullptr, kDlgBeside},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Close", nullptr, kDlgBeside},
};
const DlgControl kDefineStringControls[] = {
    {IDC_STATIC, DlgKind::Static, "###", nullptr, 0},
    {1000, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "###", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "=", nullptr, 0},
    {1003, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
} // namespace

const DlgTemplate kStringsTemplate{287, "Strings", true, kStringsControls};
const DlgTemplate kDefineStringTemplate{289, "Define String", true, kDefineStringControls};

CWString NamedStringPlaceholder(const CWString& key)
{
    CWString text;
    text = "###";
    text.Append(key);
    CWString tail;
    tail = "###";
    text.Append(tail);
    return text;
}

// ---- DStrings

DStrings::DStrings(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kStringsTemplate, [](CDialog& dlg, const DlgControl& row) { return new CReportList(&dlg, row.id); });
    OnNotify(3, BN_CLICKED, [this] { OnAdd(); });
    OnNotify(6, BN_CLICKED, [this] { OnEdit(); });
    OnNotify(4, BN_CLICKED, [this] { OnDelete(); });
    OnNotify(5, BN_CLICKED, [this] { OnCopy(); });
    OnNotify(1078, LVN_ITEMCHANGED, [this] { SetButtons(); });
    OnNotify(1078, LVN_CLICK, [this] { SetButtons(); });
    resize(460, 320);
}

CReportList* DStrings::List() const { return static_cast<CReportList*>(GetDlgItem(1078)); }

BOOL DStrings::OnInitDialog()
{
    CDialog::OnInitDialog();
    CReportList* list = List();
    list->InsertColumn(0, "Key", 200);
    list->InsertColumn(1, "Value", 200);
    list->DeleteAllItems();
    if (m_pDoc)
        for (size_t i = 0; i < m_pDoc->m_namedStrings.size(); ++i) {
            list->InsertItem(CString(), -1, std::intptr_t(m_pDoc->m_namedStrings[i].get()));
            FillRow(int(i));
        }
    SetButtons();
    return TRUE;
}

void DStrings::FillRow(int row)
{
    auto* record = reinterpret_cast<CNamedString*>(List()->GetItemData(row));
    if (!record)
        return;
    List()->SetItemText(row, 0, NamedStringPlaceholder(record->m_name).GetUtf8());
    List()->SetItemText(row, 1, record->m_value.GetUtf8());
}

void DStrings::SetButtons()
{
    const bool any = !List()->GetSelectedRows().empty();
    for (int id : {4, 5, 6})
        EnableDlgItem(id, any);
}

void DStrings::OnAdd()
{
    if (!m_pDoc)
        return;
    DDefineString dlg(this);
    if (dlg.DoModal() != IDOK)
        return;
    auto record = std::make_unique<CNamedString>();
    record->m_name = dlg.m_key;
    record->m_value = dlg.m_value;
    const int row = List()->InsertItem(CString(), -1, std::intptr_t(record.get()));
    m_pDoc->m_namedStrings.push_back(std::move(record));
    FillRow(row);
    SetButtons();
}

void DStrings::OnEdit()
{
    const std::vector<int> rows = List()->GetSelectedRows();
    if (rows.empty())
        return;
    auto* record = reinterpret_cast<CNamedString*>(List()->GetItemData(rows.front()));
    if (!record)
        return;
    DDefineString dlg(this);
    dlg.m_key = record->m_name;
    dlg.m_value = record->m_value;
    if (dlg.DoModal() != IDOK)
        return;
    record->m_name = dlg.m_key;
    record->m_value = dlg.m_value;
    FillRow(rows.front());
    SetButtons();
}

void DStrings::OnDelete()
{
    const std::vector<int> rows = List()->GetSelectedRows();
    if (rows.empty() || !m_pDoc)
        return;
    const int row = rows.front();
    auto* record = reinterpret_cast<CNamedString*>(List()->GetItemData(row));
    delete List()->takeTopLevelItem(row);
    // the row carries its record, so the pair goes even if the list were out of step
    std::erase_if(m_pDoc->m_namedStrings, [record](const auto& s) { return s.get() == record; });
    SetButtons();
}

void DStrings::OnCopy()
{
    const std::vector<int> rows = List()->GetSelectedRows();
    if (rows.empty())
        return;
    auto* record = reinterpret_cast<CNamedString*>(List()->GetItemData(rows.front()));
    if (record)
        QGuiApplication::clipboard()->setText(NamedStringPlaceholder(record->m_name).ToQString());
}

// ---- DDefineString

DDefineString::DDefineString(QWidget* parent) : CDialog(parent) { BuildDialog(*this, kDefineStringTemplate); }

void DDefineString::DoDataExchange(CDataExchange* pDX)
{
    DDX_TextW(pDX, 1000, m_key);
    DDX_TextW(pDX, 1003, m_value);
}
