#include "dialogs/TableDialogs.h"

#include "controls/ColorControl.h"
#include "controls/DialogKit.h"
#include "dialogs/Background.h"
#include "dialogs/FontDialogs.h"
#include "dialogs/ItemExchange.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/Translation.h"
#include "model/FillStyle.h"
#include "model/items/TableItem.h"

#include <QtWidgets/QBoxLayout>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMenu>

#include <algorithm>
#include <limits>
#include <memory>

namespace {

constexpr const char* kOneTo24 = "1|2|3|4|5|6|7|8|9|10|11|12|13|14|15|16|17|18|19|20|21|22|23|24";
constexpr const char* kZeroTo20 = "0|1|2|3|4|5|6|7|8|9|10|11|12|13|14|15|16|17|18|19|20";

const DlgControl kCreateTableControls[] = {
    {IDC_STATIC, DlgKind::Static, "Table Name:", nullptr, 0},
    {1000, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Columns:", nullptr, 0},
    {1018, DlgKind::Combo, nullptr, kOneTo24, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Rows:", nullptr, 0},
    {1019, DlgKind::Combo, nullptr, kOneTo24, kDlgBeside},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kTableControls[] = {
    {1078, DlgKind::Custom, nullptr, nullptr, 0},
    {1025, DlgKind::Button, "Add", nullptr, 0},
    {1026, DlgKind::Button, "Delete", nullptr, kDlgBeside},
    {1027, DlgKind::Button, "Edit", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Table Name:", nullptr, 0},
    {1000, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {1001, DlgKind::Check, "Show Header", nullptr, kDlgBeside},
    {1028, DlgKind::Button, "Header Style", nullptr, 0},
    {1029, DlgKind::Button, "Font", nullptr, kDlgBeside},
    {1030, DlgKind::Button, "Borders", nullptr, kDlgBeside},
    {1031, DlgKind::Button, "Table Background", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Cell Padding:", nullptr, 0},
    {1018, DlgKind::Combo, nullptr, kZeroTo20, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Cell Spacing:", nullptr, kDlgBeside},
    {1019, DlgKind::Combo, nullptr, kZeroTo20, kDlgBeside},
    {1050, DlgKind::Color, "Header Background", nullptr, 0},
    {1051, DlgKind::Color, "Cell Background", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Align:", nullptr, 0},
    {1020, DlgKind::Combo, nullptr, "Left|Right|Center", kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Header Align:", nullptr, kDlgBeside},
    {1021, DlgKind::Combo, nullptr, "|Left|Center|Right", kDlgBeside},
    {1002, DlgKind::Check, "Allow Tags  < >", nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kTableColumnControls[] = {
    {IDC_STATIC, DlgKind::Static, "Column Name:", nullptr, 0},
    {1000, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Width:", nullptr, 0},
    {1001, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Align:", nullptr, 0},
    {1018, DlgKind::Combo, nullptr, "|Left|Center|Right", kDlgBeside},
    {1002, DlgKind::Check, "Bold", nullptr, 0},
    {1003, DlgKind::Check, "Italic", nullptr, kDlgBeside},
    {1050, DlgKind::Color, "Font Color", nullptr, 0},
    {1051, DlgKind::Color, "Background Color", nullptr, kDlgBeside},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
// The 24 label and edit pairs are added by DRecord itself.
const DlgControl kRecordControls[] = {
    {1050, DlgKind::Color, "Font Color", nullptr, 0},
    {1051, DlgKind::Color, "Background Color", nullptr, kDlgBeside},
    {1102, DlgKind::Check, "Bold", nullptr, 0},
    {1103, DlgKind::Check, "Italic", nullptr, kDlgBeside},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};

int ColumnCount(const CTableItem& table) { return std::min(int(table.m_columns.size()), kTableMaxCells); }

} // namespace

const DlgTemplate kCreateTableTemplate{290, "Create Table", true, kCreateTableControls};
const DlgTemplate kTableTemplate{291, "Table", true, kTableControls};
const DlgTemplate kTableColumnTemplate{333, "Column", true, kTableColumnControls};
const DlgTemplate kRecordTemplate{292, "", true, kRecordControls};

int RecordDialogHeight(int columns) { return std::max(22 * columns + 104, 240); }

// ---- DCreateTable

DCreateTable::DCreateTable(QWidget* parent) : CDialog(parent) { BuildDialog(*this, kCreateTableTemplate); }

void DCreateTable::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, 1000, m_strName);
    DDX_CBIndex(pDX, 1018, m_nColumns);
    DDX_CBIndex(pDX, 1019, m_nRows);
    if (pDX->m_bSaveAndValidate) {
        // the lists offer 1 to 24: a table never has more columns than a row has cells
        m_nColumns = std::clamp(m_nColumns, 0, kTableMaxCells - 1);
        m_nRows = std::clamp(m_nRows, 0, kTableMaxCells - 1);
    }
}

// ---- DTableColumn

DTableColumn::DTableColumn(QWidget* parent) : CDialog(parent) { BuildDialog(*this, kTableColumnTemplate); }

void DTableColumn::DoDataExchange(CDataExchange* pDX)
{
    CTableColumn& c = *m_pColumn;
    DDX_TextW(pDX, 1000, c.m_strHeader);
    DDX_Text(pDX, 1001, c.m_nWidth);
    DDV_MinMaxInt(pDX, c.m_nWidth, 0, 15000);
    DDX_CBIndex(pDX, 1018, c.m_nAlign);
    DDX_Check(pDX, 1002, c.m_bBold);
    DDX_Check(pDX, 1003, c.m_bItalic);
    DdxUserData(pDX, 1050, c.m_crText);
    DdxUserData(pDX, 1051, c.m_crBack);
}

// ---- DRecord

DRecord::DRecord(QWidget* parent) : CDialog(parent)
{
    QGridLayout* grid = BuildDialog(*this, kRecordTemplate);
    (void)grid;
    // the pairs go above the colour row: a grid of their own in front of the built one
    auto* pairs = new QGridLayout;
    for (int i = 0; i < kTableMaxCells; ++i) {
        QLabel* label = CreateStatic(1000 + i, "");
        QLineEdit* edit = CreateEdit(2000 + i);
        edit->setMaxLength(std::numeric_limits<int>::max()); // a cell keeps any length
        edit->setMinimumWidth(320);
        label->hide();
        edit->hide();
        pairs->addWidget(label, i, 0);
        pairs->addWidget(edit, i, 1);
    }
    if (auto* box = qobject_cast<QBoxLayout*>(layout()))
        box->insertLayout(0, pairs);
    else if (grid)
        grid->addLayout(pairs, grid->rowCount(), 0, 1, -1);
}

BOOL DRecord::OnInitDialog()
{
    CDialog::OnInitDialog();
    setWindowTitle(UiTranslate(m_strCaption).ToQString());
    const int columns = ColumnCount(*m_pTable);
    for (int i = 0; i < columns; ++i) {
        SetDlgItemText(1000 + i, CString(m_pTable->m_columns[std::size_t(i)]->m_strHeader.GetUtf8()));
        GetDlgItem(1000 + i)->show();
        GetDlgItem(2000 + i)->show();
        if (m_pRow->m_cells[i])
            qobject_cast<QLineEdit*>(GetDlgItem(2000 + i))->setText(m_pRow->m_cells[i]->ToQString());
    }
    resize(width(), RecordDialogHeight(columns));
    return TRUE;
}

void DRecord::DoDataExchange(CDataExchange* pDX)
{
    if (pDX->m_bSaveAndValidate) {
        const int columns = ColumnCount(*m_pTable);
        for (int i = 0; i < columns; ++i) {
            if (!m_pRow->m_cells[i])
                m_pRow->m_cells[i] = std::make_unique<CWString>();
            m_pRow->m_cells[i]->SetQString(qobject_cast<QLineEdit*>(GetDlgItem(2000 + i))->text());
        }
    }
    DdxUserData(pDX, 1050, m_pRow->m_crText);
    DdxUserData(pDX, 1051, m_pRow->m_crBack);
    DDX_Check(pDX, 1102, m_pRow->m_bBold);
    DDX_Check(pDX, 1103, m_pRow->m_bItalic);
}

// ---- DTable

DTable::DTable(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kTableTemplate, [](CDialog& dlg, const DlgControl& row) {
        auto* list = new CReportList(&dlg, row.id);
        list->setMinimumSize(560, 220);
        list->setContextMenuPolicy(Qt::CustomContextMenu);
        list->header()->setSectionsClickable(true);
        return list;
    });
    CReportList* list = List();
    QObject::connect(list, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) { OnContextMenu(at); });
    QObject::connect(list->header(), &QHeaderView::sectionClicked, this, [this](int index) { OnColumn(index); });
    OnNotify(1078, LVN_ITEMCHANGED, [this] { UpdateButtons(); });
    OnNotify(1078, LVN_DBLCLK, [this] { OnEdit(); });
    OnNotify(1025, BN_CLICKED, [this] { OnAdd(); });
    OnNotify(1026, BN_CLICKED, [this] { OnDelete(); });
    OnNotify(1027, BN_CLICKED, [this] { OnEdit(); });
    OnNotify(1028, BN_CLICKED, [this] { OnFont(true); });
    OnNotify(1029, BN_CLICKED, [this] { OnFont(false); });
    OnNotify(1031, BN_CLICKED, [this] { OnBackground(); });
    // "Borders" has no action of its own
    KeepColorSwatches(*this, {1050, 1051});
}

CReportList* DTable::List() const { return static_cast<CReportList*>(GetDlgItem(1078)); }

BOOL DTable::OnInitDialog()
{
    CDialog::OnInitDialog();
    CReportList* list = List();
    const int columns = ColumnCount(*m_pItem);
    for (int c = 0; c < columns; ++c) {
        const CTableColumn& column = *m_pItem->m_columns[std::size_t(c)];
        list->InsertColumn(c, "", column.m_nWidth);
        list->headerItem()->setText(c, column.m_strHeader.ToQString());
    }
    for (const auto& record : m_pItem->m_rows) {
        const int row = list->InsertItem(CString(), -1, std::intptr_t(record.get()));
        SetRowTexts(row, *record);
    }
    UpdateButtons();
    return TRUE;
}

void DTable::SetRowTexts(int row, const CTableRow& record)
{
    QTreeWidgetItem* line = List()->topLevelItem(row);
    for (int i = 0; i < ColumnCount(*m_pItem); ++i)
        line->setText(i, record.m_cells[i] ? record.m_cells[i]->ToQString() : QString());
}

void DTable::UpdateButtons()
{
    const bool selected = !List()->GetSelectedRows().empty();
    EnableDlgItem(1026, selected);
    EnableDlgItem(1027, selected);
}

void DTable::DoDataExchange(CDataExchange* pDX)
{
    CTableItem& t = *m_pItem;
    DDX_Text(pDX, 1000, t.m_strName);
    DDX_Check(pDX, 1001, t.m_bHeaderShown);
    DDX_CBIndex(pDX, 1018, t.m_nCellPadding);
    DDX_CBIndex(pDX, 1019, t.m_nSpacing);
    DdxUserData(pDX, 1050, t.m_crHeaderBack);
    DdxUserData(pDX, 1051, t.m_crRowBack);
    DDX_CBIndex(pDX, 1020, t.m_nBlockAlign);
    DDX_CBIndex(pDX, 1021, t.m_nHeaderAlign);
    DDX_Check(pDX, 1002, t.m_bRawText);
}

void DTable::StoreWidths()
{
    CReportList* list = List();
    const int columns = std::min(ColumnCount(*m_pItem), list->columnCount());
    for (int c = 0; c < columns; ++c)
        m_pItem->m_columns[std::size_t(c)]->m_nWidth = list->columnWidth(c);
}

void DTable::OnOK()
{
    StoreWidths();
    CDialog::OnOK();
}

void DTable::OnAdd(bool before)
{
    auto record = std::make_unique<CTableRow>();
    DRecord dlg(this);
    dlg.m_pTable = m_pItem;
    dlg.m_pRow = record.get();
    dlg.m_strCaption = "New Record";
    if (dlg.DoModal() != IDOK)
        return;
    CReportList* list = List();
    const std::vector<int> selected = list->GetSelectedRows();
    auto& rows = m_pItem->m_rows;
    int listRow = list->GetItemCount();
    CTableRow* added = record.get();
    if (!selected.empty()) {
        const int at = selected.front();
        const auto* chosen = reinterpret_cast<const CTableRow*>(list->GetItemData(at));
        auto found = std::find_if(rows.begin(), rows.end(), [chosen](const auto& r) { return r.get() == chosen; });
        if (before)
            rows.insert(found == rows.end() ? rows.begin() : found, std::move(record));
        else
            rows.insert(found == rows.end() ? rows.end() : found + 1, std::move(record));
        listRow = before ? at : at + 1;
    } else
        rows.push_back(std::move(record));
    auto* line = new QTreeWidgetItem;
    list->insertTopLevelItem(listRow, line);
    list->SetItemData(listRow, std::intptr_t(added));
    SetRowTexts(listRow, *added);
}

void DTable::OnEdit()
{
    CReportList* list = List();
    const std::vector<int> selected = list->GetSelectedRows();
    if (selected.empty())
        return;
    auto* record = reinterpret_cast<CTableRow*>(list->GetItemData(selected.front()));
    if (!record)
        return;
    StoreWidths();
    DRecord dlg(this);
    dlg.m_pTable = m_pItem;
    dlg.m_pRow = record;
    dlg.m_strCaption = "Edit Record";
    if (dlg.DoModal() == IDOK)
        SetRowTexts(selected.front(), *record);
}

void DTable::OnDelete()
{
    CReportList* list = List();
    const std::vector<int> selected = list->GetSelectedRows();
    if (selected.empty())
        return;
    const auto* record = reinterpret_cast<const CTableRow*>(list->GetItemData(selected.front()));
    auto& rows = m_pItem->m_rows;
    auto found = std::find_if(rows.begin(), rows.end(), [record](const auto& r) { return r.get() == record; });
    delete list->takeTopLevelItem(selected.front());
    if (found != rows.end())
        rows.erase(found);
    UpdateButtons();
}

void DTable::OnColumn(int index)
{
    if (index < 0 || index >= ColumnCount(*m_pItem))
        return;
    CTableColumn& column = *m_pItem->m_columns[std::size_t(index)];
    DTableColumn dlg(this);
    dlg.m_pColumn = &column;
    if (dlg.DoModal() != IDOK)
        return;
    List()->headerItem()->setText(index, column.m_strHeader.ToQString());
    List()->setColumnWidth(index, column.m_nWidth);
}

std::unique_ptr<QMenu> DTable::CreateRowMenu()
{
    auto menu = std::make_unique<QMenu>(this);
    const struct {
        UINT id;
        const char* text;
    } entries[] = {{ID_TABLE_DELETE, "Delete"},
                   {ID_TABLE_INSERT_BEFORE, "Insert Before"},
                   {ID_TABLE_INSERT_AFTER, "Insert After"},
                   {ID_TABLE_EDIT, "Edit"}};
    for (const auto& e : entries)
        menu->addAction(QString::fromUtf8(e.text))->setData(int(e.id));
    TranslateMenu(menu.get());
    return menu;
}

void DTable::OnRowCommand(UINT id)
{
    switch (id) {
    case ID_TABLE_DELETE: OnDelete(); break;
    case ID_TABLE_INSERT_BEFORE: OnAdd(true); break;
    case ID_TABLE_INSERT_AFTER: OnAdd(false); break;
    case ID_TABLE_EDIT: OnEdit(); break;
    default: break;
    }
}

void DTable::OnContextMenu(const QPoint& at)
{
    if (List()->GetSelectedRows().empty())
        return;
    const std::unique_ptr<QMenu> menu = CreateRowMenu();
    if (QAction* chosen = menu->exec(List()->viewport()->mapToGlobal(at)))
        OnRowCommand(UINT(chosen->data().toInt()));
}

void DTable::OnFont(bool header)
{
    CTableItem& t = *m_pItem;
    DFont dlg(this);
    CString& face = header ? t.m_strHeaderFace : t.m_strFontFace;
    CString& web = header ? t.m_strHeaderWebFont : t.m_strWebFont;
    int& size = header ? t.m_nHeaderSize : t.m_nFontSize;
    int& bold = header ? t.m_bHeaderBold : t.m_nBold;
    int& italic = header ? t.m_bHeaderItalic : t.m_nItalic;
    int& decoration = header ? t.m_nHeaderDecoration : t.m_nDecoration;
    COLORREF& color = header ? t.m_crHeaderText : t.m_crText;
    dlg.m_strFace = face;
    dlg.m_strWebFont = web;
    dlg.m_nSize = size;
    dlg.m_nBold = bold;
    dlg.m_nItalic = italic;
    dlg.m_nUnderline = decoration;
    dlg.m_crColor = color;
    if (dlg.DoModal() != IDOK)
        return;
    face = dlg.m_strFace;
    web = dlg.m_strWebFont;
    size = dlg.m_nSize;
    bold = dlg.m_nBold;
    italic = dlg.m_nItalic;
    decoration = dlg.m_nUnderline;
    color = dlg.m_crColor;
}

void DTable::OnBackground()
{
    CFillStyle& fill = FillOf(*m_pItem);
    DBackground dlg(this);
    dlg.m_pFill = &fill;
    dlg.m_pDoc = m_pDoc;
    dlg.m_strCaption = CString::Formatted(UiTranslate("Table Background : %s").GetString(), m_pItem->m_strName.GetString());
    dlg.m_nPatternWidth = m_pItem->m_nWidth > 0 ? m_pItem->m_nWidth : 100;
    dlg.m_nPatternHeight = m_pItem->m_nHeight > 0 ? m_pItem->m_nHeight : 100;
    if (dlg.DoModal() != IDOK)
        return;
    fill.Render(true);
    fill.m_nUploadState = 0;
}
