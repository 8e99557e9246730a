// Table dialogs: a new table's name and size (DCreateTable), the table's rows, header,
// fonts, colours and spacing (DTable), one column (DTableColumn) and one row's cells
// (DRecord). DTable changes rows and columns at once; the opener's edit scope puts them
// back on Cancel.
#pragma once
#include "controls/DialogTemplate.h"
#include "framework/ui/Dialog.h"

#include <memory>

class CKJDoc;
class CReportList;
class CTableColumn;
class CTableItem;
class CTableRow;
class QMenu;

extern const DlgTemplate kCreateTableTemplate;
extern const DlgTemplate kTableTemplate;
extern const DlgTemplate kTableColumnTemplate;
extern const DlgTemplate kRecordTemplate;

// The commands of the row list's context menu.
enum : UINT { ID_TABLE_DELETE = 32976, ID_TABLE_INSERT_BEFORE = 32977, ID_TABLE_INSERT_AFTER = 32978, ID_TABLE_EDIT = 32979 };

// DRecord's height for a table of n columns: 22 n + 104, at least 240.
int RecordDialogHeight(int columns);

class DCreateTable : public CDialog {
public:
    explicit DCreateTable(QWidget* parent = nullptr);
    void DoDataExchange(CDataExchange* pDX) override;

    CString m_strName;
    int m_nColumns = 4; // index: n + 1 columns, 1 to 24
    int m_nRows = 4;    // index: n + 1 rows
};

class DTableColumn : public CDialog {
public:
    explicit DTableColumn(QWidget* parent = nullptr);
    void DoDataExchange(CDataExchange* pDX) override;

    CTableColumn* m_pColumn = nullptr;
};

class DRecord : public CDialog {
public:
    explicit DRecord(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    CTableItem* m_pTable = nullptr;
    CTableRow* m_pRow = nullptr;
    CString m_strCaption;
};

class DTable : public CDialog {
public:
    explicit DTable(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    CTableItem* m_pItem = nullptr;
    CKJDoc* m_pDoc = nullptr;

    // The list's commands (buttons, context menu, double click, header click).
    void OnAdd(bool before = false);
    void OnEdit();
    void OnDelete();
    void OnColumn(int index);
    // The row list's context menu (entries carry their command ids) and its commands.
    std::unique_ptr<QMenu> CreateRowMenu();
    void OnRowCommand(UINT id);
    CReportList* List() const;

private:
    void StoreWidths();
    void SetRowTexts(int row, const CTableRow& record);
    void UpdateButtons();
    void OnContextMenu(const QPoint& at);
    void OnFont(bool header);
    void OnBackground();
};
