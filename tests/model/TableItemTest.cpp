#include "framework/core/CArchive.h"
#include "framework/core/CFile.h"
#include "framework/core/Exceptions.h"
#include "model/PageOutput.h"
#include "model/items/TableItem.h"
#include "support/ExternalTools.h"
#include "framework/core/DcTestSupport.h"
#include <gtest/gtest.h>
#include <functional>

namespace {

CWString W(const char* utf8)
{
    CWString w;
    w.FromUtf8(utf8);
    return w;
}

void SetCell(CTableRow& row, int i, const char* text) { row.m_cells[i] = std::make_unique<CWString>(W(text)); }

// A table of two columns and two rows with every header setting in use.
std::unique_ptr<CTableItem> SampleTable()
{
    auto t = std::make_unique<CTableItem>();
    t->m_strName = "Prices";
    CTableColumn& a = t->AddColumn();
    a.m_strHeader = W("Name");
    a.m_nWidth = 120;
    a.m_nAlign = 2;
    a.m_bBold = 1;
    CTableColumn& b = t->AddColumn();
    b.m_strHeader = W("Price");
    b.m_nWidth = 60;
    b.m_nAlign = 3;
    b.m_bItalic = 1;
    CTableRow& r1 = t->AddRow();
    SetCell(r1, 0, "Tea");
    SetCell(r1, 1, "2.50");
    r1.m_bBold = 1;
    r1.m_crText = 0x0000FF;
    CTableRow& r2 = t->AddRow();
    SetCell(r2, 0, "A & B");
    r2.m_crBack = 0x00FF00;
    t->m_bHeaderBold = 1;
    t->m_bHeaderItalic = 1;
    t->m_nHeaderSize = 12;
    t->m_strHeaderFace = "Verdana";
    t->m_crHeaderText = 0xFFFFFF;
    t->m_nHeaderDecoration = 2;
    t->m_crRowBack = 0xEEEEEE;
    return t;
}

CString Html(CTableItem& t)
{
    CPageOutput out;
    t.WriteHtml(out);
    return out.m_strBody;
}

TEST(TableItem, HtmlOfHeaderColumnsAndRows)
{
    auto t = SampleTable();
    const CString expected = "<table id=\"Prices\" style=\"border-spacing:2px;border-collapse:separate;" + t->GetStyle() + "\">"
        "<tr style=\"font-weight:bold;font-style:italic;font-size:12pt;font-family:Verdana;color:#FFFFFF;background-color:#D0D0D0;text-decoration:line-through;\">"
        "<td style=\"width:120px;padding:4px;text-align:center;\"><b>Name</b></td>"
        "<td style=\"width:60px;padding:4px;text-align:right;\"><i>Price</i></td></tr>"
        "<tr style=\"font-weight:bold;color:#FF0000;background-color:#EEEEEE;\">"
        "<td style=\"padding:4px;text-align:center;\"><b>Tea</b></td>"
        "<td style=\"padding:4px;text-align:right;\"><i>2.50</i></td></tr>"
        "<tr style=\"background-color:#00FF00;\">"
        "<td style=\"padding:4px;text-align:center;\"><b>A &amp; B</b></td>"
        "<td style=\"padding:4px;text-align:right;\"><i></i></td></tr>"
        "</table>";
    EXPECT_EQ(Html(*t), expected);
}

TEST(TableItem, HtmlEdgeCases)
{
    struct Case {
        const char* name;
        std::function<void(CTableItem&)> set;
        const char* body; // what follows the table's start tag
    };
    const Case cases[] = {
        // rows without a cell are invalid HTML: a table without columns writes none
        {"no columns", [](CTableItem& t) { t.AddRow(); t.AddRow(); }, "</table>"},
        {"header hidden", [](CTableItem& t) { t.AddColumn().m_strHeader = W("H"); t.m_bHeaderShown = 0; SetCell(t.AddRow(), 0, "x"); },
         "<tr><td style=\"padding:4px;\">x</td></tr></table>"},
        {"markup is text", [](CTableItem& t) { t.m_crHeaderBack = 0xFFFFFFFF; t.AddColumn().m_strHeader = W("<b>"); SetCell(t.AddRow(), 0, "<i>a</i>"); },
         "<tr><td style=\"width:100px;padding:4px;\">&lt;b&gt;</td></tr><tr><td style=\"padding:4px;\">&lt;i&gt;a&lt;/i&gt;</td></tr></table>"},
        {"raw text", [](CTableItem& t) { t.m_bRawText = 1; t.m_crHeaderBack = 0xFFFFFFFF; t.AddColumn().m_strHeader = W("<b>"); SetCell(t.AddRow(), 0, "<i>a</i>"); },
         "<tr><td style=\"width:100px;padding:4px;\"><b></td></tr><tr><td style=\"padding:4px;\"><i>a</i></td></tr></table>"},
        {"header face with a quote", [](CTableItem& t) { t.m_crHeaderBack = 0xFFFFFFFF; t.m_strHeaderFace = "A\"B"; },
         nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CTableItem t;
        c.set(t);
        const CString html = Html(t);
        const int start = html.Find("\">");
        ASSERT_GE(start, 0);
        if (c.body) {
            EXPECT_EQ(html.Mid(start + 2), c.body);
        }
        // The page output keeps its own raw-text setting.
        CPageOutput out;
        t.WriteHtml(out);
        EXPECT_EQ(out.m_bRawText, 0);
        out.AssemblePage();
        EXPECT_EQ(testsupport::TidyErrors(QByteArray(out.m_strFinalPage.GetString())), QByteArray());
    }
}

TEST(TableItem, HeaderWebFontIsListedAndTravelsInTheExtensionSection)
{
    auto t = SampleTable();
    t->m_strHeaderWebFont = "Lobster";
    CPageOutput out;
    t->WriteHtml(out);
    EXPECT_EQ(out.m_webFonts.count("Lobster"), 1u);

    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        t->Serialize(ar, kVersionCurrent);
        t->SerializeExtra(ar, kVersionCurrent);
    }
    file.SeekToBegin();
    CTableItem back;
    CArchive ar(&file, CArchive::load);
    back.Serialize(ar, kVersionCurrent);
    EXPECT_TRUE(back.m_strHeaderWebFont.IsEmpty());
    back.SerializeExtra(ar, kVersionCurrent);
    EXPECT_EQ(back.m_strHeaderWebFont, "Lobster");
}

TEST(TableItem, RecordRoundTripKeepsEveryField)
{
    auto t = SampleTable();
    t->m_nCellPadding = 7;
    t->m_rows[0]->m_link.m_strUrl = "page.html";
    CMemFile file;
    {
        CArchive store(&file, CArchive::store);
        t->Serialize(store, kVersionCurrent);
    }
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    CTableItem back;
    back.Serialize(ar, kVersionCurrent);
    ASSERT_EQ(back.m_columns.size(), 2u);
    ASSERT_EQ(back.m_rows.size(), 2u);
    EXPECT_EQ(back.m_columns[1]->m_strHeader, W("Price"));
    EXPECT_EQ(back.m_columns[1]->m_nAlign, 3);
    EXPECT_EQ(back.m_columns[0]->m_nWidth, 120);
    EXPECT_EQ(*back.m_rows[1]->m_cells[0], W("A & B"));
    EXPECT_FALSE(back.m_rows[1]->m_cells[1]);
    EXPECT_FALSE(back.m_rows[1]->m_cells[23]);
    EXPECT_EQ(back.m_rows[0]->m_link.m_strUrl, "page.html");
    EXPECT_EQ(back.m_nCellPadding, 7);
    EXPECT_EQ(back.m_crRowBack, 0xEEEEEEu);
    EXPECT_EQ(back.m_strHeaderFace, "Verdana");
    EXPECT_EQ(Html(back), Html(*t));
    EXPECT_EQ(ar.GetRemaining(), 0u);
}

// Files before 9.0 have no column alignment and no row link; stored records always carry
// them.
TEST(TableItem, OlderColumnAndRowRecordsLeaveLaterFieldsAtDefaults)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        W("Old").Serialize(ar);
        ar << std::int32_t(1) << std::int32_t(0) << std::uint32_t(0x123456) << std::uint32_t(0xFFFFFFFF) << std::int32_t(80);
        ar << std::int32_t(0) << std::int32_t(1) << std::uint32_t(0xFFFFFFFF) << std::uint32_t(0xABCDEF) << std::int32_t(24);
        for (int i = 0; i < 24; ++i) {
            if (i == 2) {
                CWString cell = W("old");
                ar << std::int32_t(cell.GetLength());
                cell.Serialize(ar);
            } else {
                ar << std::int32_t(i == 5 ? -5 : -1); // any negative word means no cell
            }
        }
    }
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    CTableColumn column;
    column.m_nAlign = 2;
    column.Serialize(ar, 88);
    EXPECT_EQ(column.m_strHeader, W("Old"));
    EXPECT_EQ(column.m_bBold, 1);
    EXPECT_EQ(column.m_crText, 0x123456u);
    EXPECT_EQ(column.m_nWidth, 80);
    EXPECT_EQ(column.m_nAlign, 2);
    CTableRow row;
    row.m_link.m_strUrl = "kept";
    row.Serialize(ar, 88);
    EXPECT_EQ(ar.GetRemaining(), 0u);
    EXPECT_EQ(row.m_bItalic, 1);
    EXPECT_EQ(row.m_crBack, 0xABCDEFu);
    ASSERT_TRUE(row.m_cells[2]);
    EXPECT_EQ(*row.m_cells[2], W("old"));
    EXPECT_FALSE(row.m_cells[0]);
    EXPECT_FALSE(row.m_cells[5]);
    EXPECT_EQ(row.m_link.m_strUrl, "kept");
}

TEST(TableItem, DamagedRowsAreRefused)
{
    struct Case {
        const char* name;
        int cellCount;
        bool truncate;
    };
    const Case cases[] = {{"25 cells", 25, false}, {"negative count", -1, false}, {"huge count", 0x7FFFFFFF, false}, {"cut short", 24, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CMemFile file;
        {
            CArchive ar(&file, CArchive::store);
            ar << std::int32_t(0) << std::int32_t(0) << std::uint32_t(0) << std::uint32_t(0) << std::int32_t(c.cellCount);
            const int written = c.truncate ? 3 : std::max(0, std::min(c.cellCount, 30));
            for (int i = 0; i < written; ++i)
                ar << std::int32_t(-1);
        }
        file.SeekToBegin();
        CArchive ar(&file, CArchive::load);
        CTableRow row;
        EXPECT_THROW(row.Serialize(ar, kVersionCurrent), CArchiveException);
    }
}

TEST(TableItem, LayoutOfColumnsRowsAndHeader)
{
    dctest::EnsureGuiApplication();
    CTableItem t;
    t.m_nSpacing = 3;
    t.m_nCellPadding = 5;
    t.AddColumn().m_nWidth = 4; // widened to 10
    t.AddColumn().m_nWidth = 50;
    t.m_columns[0]->m_strHeader = W("H");
    SetCell(t.AddRow(), 1, "one");
    t.AddRow(); // no cells
    CTableRow& tall = t.AddRow();
    SetCell(tall, 0, "a\r\nb\r\nc");
    t.RecalcLayout();
    EXPECT_EQ(t.m_columns[0]->m_nWidth, 10);
    const int inL = t.m_nInset[SIDE_LEFT], inR = t.m_nInset[SIDE_RIGHT], inT = t.m_nInset[SIDE_TOP], inB = t.m_nInset[SIDE_BOTTOM];
    EXPECT_EQ(t.m_nWidth, inL + inR + 3 + (5 + 10 + 5 + 3) + (5 + 50 + 5 + 3));
    const int line = t.m_rows[0]->m_nHeight - 10;
    EXPECT_GT(line, 0);
    EXPECT_EQ(t.m_nHeaderHeight, line + 10);
    EXPECT_EQ(t.m_rows[0]->m_nTop, inT + t.m_nHeaderHeight + 3);
    EXPECT_EQ(t.m_rows[1]->m_nHeight, 0);
    EXPECT_EQ(t.m_rows[2]->m_nTop, t.m_rows[1]->m_nTop + 3);
    EXPECT_GE(t.m_rows[2]->m_nHeight, 3 * line + 10 - 3);
    EXPECT_EQ(t.m_nHeight, t.m_rows[2]->m_nTop + t.m_rows[2]->m_nHeight + 3 + inB);

    const int shown = t.m_nHeight;
    t.m_bHeaderShown = 0;
    t.RecalcLayout();
    EXPECT_EQ(t.m_nHeight, shown - t.m_nHeaderHeight - 3);

    CTableItem empty;
    empty.RecalcLayout();
    EXPECT_EQ(empty.m_nHeight, std::max(10, empty.m_nInset[SIDE_TOP] + empty.m_nHeaderHeight + 2 + empty.m_nInset[SIDE_BOTTOM]));
}

TEST(TableItem, ResizingScalesTheColumns)
{
    dctest::EnsureGuiApplication();
    CTableItem t;
    t.AddColumn().m_nWidth = 100;
    t.AddColumn().m_nWidth = 300;
    t.RecalcLayout();
    const int old = t.m_nWidth - 3 * 2;
    t.SetRect(10, 20, 10 + 2 * old + 6, 999);
    EXPECT_EQ(t.m_nX, 10);
    EXPECT_EQ(t.m_nY, 20);
    EXPECT_EQ(t.m_columns[0]->m_nWidth, 100 * (2 * old) / old);
    EXPECT_EQ(t.m_columns[1]->m_nWidth, 300 * (2 * old) / old);
    // A width below the floor of 100 never divides by zero or flips the columns.
    t.SetRect(0, 0, 0, 0);
    EXPECT_GE(t.m_columns[0]->m_nWidth, 10);
}

} // namespace

// A row holds 24 cells: a file with more columns reads them all and keeps the first 24,
// with what follows the columns read in its place.
TEST(TableItem, MoreThan24ColumnsAreClampedOnLoad)
{
    for (const int columns : {24, 25, 30}) {
        SCOPED_TRACE(columns);
        CTableItem t;
        for (int i = 0; i < columns; ++i)
            t.AddColumn().m_nWidth = 10 + i;
        SetCell(t.AddRow(), 23, "last cell");
        t.m_nCellPadding = 9;
        CMemFile file;
        {
            CArchive store(&file, CArchive::store);
            t.Serialize(store, kVersionCurrent);
        }
        file.SeekToBegin();
        CArchive ar(&file, CArchive::load);
        CTableItem back;
        back.Serialize(ar, kVersionCurrent);
        ASSERT_EQ(back.m_columns.size(), 24u);
        EXPECT_EQ(back.m_columns[23]->m_nWidth, 33);
        ASSERT_EQ(back.m_rows.size(), 1u);
        EXPECT_EQ(*back.m_rows[0]->m_cells[23], W("last cell"));
        EXPECT_EQ(back.m_nCellPadding, 9);
        EXPECT_EQ(ar.GetRemaining(), 0u);
        EXPECT_FALSE(Html(back).IsEmpty());
    }
}
