// A table of text cells: columns with a header text, width and text style, and rows
// holding one text per column.
#pragma once
#include "model/Item.h"
#include "model/ItemTypes.h"
#include <memory>
#include <vector>

// A row holds at most this many cells; cell i belongs to column i.
constexpr int kTableMaxCells = 24;

class CTableColumn {
public:
    void Serialize(CArchive& ar, int version);

    CWString m_strHeader;
    int m_nWidth = 100;
    int m_nAlign = 0; // 0 none, 1 left, 2 centre, 3 right
    int m_bBold = 0;
    int m_bItalic = 0;
    COLORREF m_crText = 0xFFFFFFFF;
    COLORREF m_crBack = 0xFFFFFFFF;
};

class CTableRow {
public:
    // Refuses a record of more cells than a row holds as damaged.
    void Serialize(CArchive& ar, int version);

    std::unique_ptr<CWString> m_cells[kTableMaxCells];
    int m_nTop = 0, m_nHeight = 0; // layout results
    int m_bBold = 0;
    int m_bItalic = 0;
    COLORREF m_crText = 0xFFFFFFFF;
    COLORREF m_crBack = 0xFFFFFFFF;
    CItemLink m_link;
};

class CTableItem : public CItem {
public:
    CTableItem()
    {
        m_nType = ITEM_TABLE;
        m_bPositioned = 1;
        m_nPadding = 0;
        MakeFillAndPadding();
        m_pFill->m_crColor = 0xF0F0F0;
    }

    void Serialize(CArchive& ar, int version) override;
    // The base extras, then the header's web font family.
    void SerializeExtra(CArchive& ar, int version) override;
    void WriteHtml(CPageOutput& out) override;
    void RecalcLayout() override;
    void Draw(CDC* dc) override;
    // Scales the column widths to the new width; the height follows the layout.
    void SetRect(int left, int top, int right, int bottom) override;

    // Appends a column / a row and returns it.
    CTableColumn& AddColumn();
    CTableRow& AddRow();

    std::vector<std::unique_ptr<CTableColumn>> m_columns;
    std::vector<std::unique_ptr<CTableRow>> m_rows;
    CString m_strHeaderFace;
    CString m_strHeaderWebFont;
    int m_nHeaderSize = 0;
    int m_nHeaderHeight = 0;
    int m_nHeaderAlign = 0;
    int m_bHeaderBold = 0, m_bHeaderItalic = 0;
    int m_nHeaderDecoration = 0; // 1 underline, 2 line-through
    int m_bHeaderShown = 1;
    int m_nSpacing = 2;
    int m_nCellPadding = 4;
    COLORREF m_crHeaderText = 0xFFFFFFFF;
    COLORREF m_crHeaderBack = 0xD0D0D0;
    COLORREF m_crRowBack = 0xFFFFFFFF;

private:
    void MakeFonts(LOGFONT& header, LOGFONT rows[4]) const;
};
