#include "model/items/TableItem.h"
#include "model/Escaping.h"
#include "framework/core/Colors.h"
#include "framework/core/Dc.h"
#include "framework/core/Exceptions.h"
#include "model/Border.h"
#include "model/HtmlWriting.h"
#include "model/ItemHtml.h"
#include "model/PageOutput.h"
#include <algorithm>
#include <cstring>

using archive_io::Io;

namespace {

// Cell text formats of the painting and the measuring.
constexpr UINT kCellPaint = DT_WORDBREAK | DT_EXPANDTABS | DT_TABSTOP | DT_NOPREFIX;
constexpr UINT kCellMeasure = DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX;

void IoColor(CArchive& ar, COLORREF& c)
{
    std::uint32_t v = c;
    Io(ar, v);
    c = v;
}

int MeasureHeight(CDC& dc, const CWString& text, int width)
{
    CRect r(0, 0, width, 0);
    return dc.DrawTextW(text.IsEmpty() ? u"" : text.GetBuffer(), -1, &r, kCellMeasure);
}

const char* TextAlignCss(int align)
{
    switch (align) {
    case 1: return "text-align:left;";
    case 2: return "text-align:center;";
    case 3: return "text-align:right;";
    default: return "";
    }
}

// Row font index: bit 0 bold, bit 1 italic.
int FontIndex(bool bold, bool italic) { return (bold ? 1 : 0) | (italic ? 2 : 0); }

} // namespace

void CTableColumn::Serialize(CArchive& ar, int version)
{
    m_strHeader.Serialize(ar);
    Io(ar, m_bBold);
    Io(ar, m_bItalic);
    IoColor(ar, m_crText);
    IoColor(ar, m_crBack);
    Io(ar, m_nWidth);
    if (ar.IsStoring() || version >= 90)
        Io(ar, m_nAlign);
}

void CTableRow::Serialize(CArchive& ar, int version)
{
    Io(ar, m_bBold);
    Io(ar, m_bItalic);
    IoColor(ar, m_crText);
    IoColor(ar, m_crBack);
    int count = kTableMaxCells;
    Io(ar, count);
    if (ar.IsLoading()) {
        if (count < 0 || count > kTableMaxCells)
            throw CArchiveException(CArchiveException::badIndex, ar.m_strFileName);
        ar.CheckCount(count, 4);
    }
    for (int i = 0; i < count; ++i) {
        int length = m_cells[i] ? m_cells[i]->GetLength() : -1;
        Io(ar, length);
        if (ar.IsLoading()) {
            if (length < 0) {
                m_cells[i].reset();
                continue;
            }
            m_cells[i] = std::make_unique<CWString>();
        } else if (length < 0) {
            continue;
        }
        m_cells[i]->Serialize(ar);
    }
    if (ar.IsLoading())
        for (int i = count; i < kTableMaxCells; ++i)
            m_cells[i].reset();
    if (ar.IsStoring() || version >= 90)
        m_link.Serialize(ar, version);
}

CTableColumn& CTableItem::AddColumn()
{
    m_columns.push_back(std::make_unique<CTableColumn>());
    return *m_columns.back();
}

CTableRow& CTableItem::AddRow()
{
    m_rows.push_back(std::make_unique<CTableRow>());
    return *m_rows.back();
}

void CTableItem::Serialize(CArchive& ar, int version)
{
    CItem::Serialize(ar, version);
    int columns = int(m_columns.size());
    Io(ar, columns);
    if (ar.IsLoading()) {
        if (columns < 0)
            throw CArchiveException(CArchiveException::badIndex, ar.m_strFileName);
        ar.CheckCount(columns, 28);
        m_columns.clear();
        for (int i = 0; i < columns; ++i)
            AddColumn().Serialize(ar, version);
        // a row holds kTableMaxCells cells: columns beyond them are read and dropped
        if (m_columns.size() > std::size_t(kTableMaxCells))
            m_columns.resize(std::size_t(kTableMaxCells));
    } else {
        for (auto& c : m_columns)
            c->Serialize(ar, version);
    }
    int rows = int(m_rows.size());
    Io(ar, rows);
    if (ar.IsLoading()) {
        if (rows < 0)
            throw CArchiveException(CArchiveException::badIndex, ar.m_strFileName);
        ar.CheckCount(rows, 20);
        m_rows.clear();
        for (int i = 0; i < rows; ++i)
            AddRow().Serialize(ar, version);
    } else {
        for (auto& r : m_rows)
            r->Serialize(ar, version);
    }
    Io(ar, m_bHeaderShown);
    Io(ar, m_nSpacing);
    Io(ar, m_nHeaderAlign);
    Io(ar, m_bHeaderBold);
    Io(ar, m_bHeaderItalic);
    Io(ar, m_nHeaderDecoration);
    IoColor(ar, m_crHeaderBack);
    IoColor(ar, m_crHeaderText);
    Io(ar, m_strHeaderFace);
    Io(ar, m_nHeaderSize);
    if (ar.IsStoring() || version >= 90) {
        IoColor(ar, m_crRowBack);
        Io(ar, m_nCellPadding);
        Io(ar, m_nHeaderHeight);
    }
}

void CTableItem::SerializeExtra(CArchive& ar, int version)
{
    CItem::SerializeExtra(ar, version);
    Io(ar, m_strHeaderWebFont);
}

void CTableItem::MakeFonts(LOGFONT& header, LOGFONT rows[4]) const
{
    header = m_lfText;
    if (m_bHeaderBold)
        header.lfWeight = 700;
    if (m_bHeaderItalic)
        header.lfItalic = 1;
    if (!m_strHeaderFace.IsEmpty()) {
        std::memset(header.lfFaceName, 0, sizeof header.lfFaceName);
        std::strncpy(header.lfFaceName, m_strHeaderFace.GetString(), sizeof header.lfFaceName - 1);
    }
    if (m_nHeaderSize > 0)
        header.lfHeight = -MulDiv(m_nHeaderSize, 4, 3);
    for (int i = 0; i < 4; ++i) {
        rows[i] = m_lfText;
        if (i & 1)
            rows[i].lfWeight = 700;
        if (i & 2)
            rows[i].lfItalic = 1;
    }
}

void CTableItem::RecalcLayout()
{
    CItem::RecalcLayout();
    LOGFONT lfHeader, lfRows[4];
    MakeFonts(lfHeader, lfRows);
    CDC dc;
    dc.SetTextCharacterExtra(m_nLetterSpacing);
    CFont headerFont;
    headerFont.CreateFontIndirect(&lfHeader);
    CFont rowFonts[4];
    for (int i = 0; i < 4; ++i)
        rowFonts[i].CreateFontIndirect(&lfRows[i]);

    m_nHeaderHeight = 0;
    int width = m_nInset[SIDE_LEFT] + m_nInset[SIDE_RIGHT] + m_nSpacing;
    dc.SelectObject(&headerFont);
    for (auto& c : m_columns) {
        if (c->m_nWidth < 10)
            c->m_nWidth = 10;
        width += m_nCellPadding + c->m_nWidth + m_nCellPadding + m_nSpacing;
        const int h = MeasureHeight(dc, c->m_strHeader, c->m_nWidth);
        m_nHeaderHeight = std::max(m_nHeaderHeight, h + 2 * m_nCellPadding);
    }
    m_nWidth = width;

    int y = m_nInset[SIDE_TOP];
    if (m_bHeaderShown)
        y += m_nHeaderHeight + m_nSpacing;
    for (auto& r : m_rows) {
        dc.SelectObject(&rowFonts[FontIndex(r->m_bBold, r->m_bItalic)]);
        r->m_nTop = y;
        int height = 0;
        const int n = std::min<int>(int(m_columns.size()), kTableMaxCells);
        for (int i = 0; i < n; ++i)
            if (r->m_cells[i])
                height = std::max(height, MeasureHeight(dc, *r->m_cells[i], m_columns[size_t(i)]->m_nWidth) + 2 * m_nCellPadding);
        r->m_nHeight = height;
        y += height + m_nSpacing;
    }
    m_nHeight = std::max(y + m_nInset[SIDE_BOTTOM], 10);
}

void CTableItem::SetRect(int left, int top, int right, int bottom)
{
    (void)bottom;
    const int gaps = (int(m_columns.size()) + 1) * m_nSpacing;
    const int oldWidth = std::max(m_nWidth - gaps, 100);
    const int newWidth = std::max((right - left) - gaps, 100);
    for (auto& c : m_columns)
        c->m_nWidth = int(std::int64_t(c->m_nWidth) * newWidth / oldWidth);
    m_nX = left;
    m_nY = top;
    RecalcLayout();
}

void CTableItem::Draw(CDC* dc)
{
    if (!dc)
        return;
    CItem::Draw(dc);
    LOGFONT lfHeader, lfRows[4];
    MakeFonts(lfHeader, lfRows);
    CFont headerFont;
    headerFont.CreateFontIndirect(&lfHeader);
    CFont rowFonts[4];
    for (int i = 0; i < 4; ++i)
        rowFonts[i].CreateFontIndirect(&lfRows[i]);
    const int saved = dc->SaveDC();
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextCharacterExtra(m_nLetterSpacing);
    const int p = m_nCellPadding;
    auto drawCell = [&](const CWString& text, int x, int y, int width, int align) {
        if (text.IsEmpty())
            return;
        CRect r(x + p, y + p, x + p + width, y + p + 1000);
        UINT format = kCellPaint;
        if (align == 2)
            format |= DT_CENTER;
        else if (align == 3)
            format |= DT_RIGHT;
        dc->DrawTextW(text.GetBuffer(), -1, &r, format);
    };
    auto pick = [](COLORREF base, std::initializer_list<COLORREF> overrides) {
        for (COLORREF c : overrides)
            if (!tessel::ColorIsUnset(c))
                base = c;
        return base;
    };

    if (m_bHeaderShown) {
        int x = m_nInset[SIDE_LEFT] + m_nSpacing;
        const int y = m_nInset[SIDE_TOP] + m_nSpacing;
        dc->SelectObject(&headerFont);
        for (auto& c : m_columns) {
            int align = c->m_nAlign ? c->m_nAlign : m_nTextAlign + 1;
            if (m_nHeaderAlign)
                align = m_nHeaderAlign;
            const COLORREF back = pick(m_crLayoutBack, {c->m_crBack, m_crHeaderBack});
            const COLORREF text = pick(m_crLayoutText, {c->m_crText, m_crHeaderText});
            if (!tessel::ColorIsUnset(back))
                dc->FillSolidRect(x, y, c->m_nWidth + 2 * p, m_nHeaderHeight, back & 0xFFFFFF);
            dc->SetTextColor(text & 0xFFFFFF);
            drawCell(c->m_strHeader, x, y, c->m_nWidth, align);
            x += p + c->m_nWidth + p + m_nSpacing;
        }
    }
    for (auto& r : m_rows) {
        int x = m_nInset[SIDE_LEFT] + m_nSpacing;
        for (size_t i = 0; i < m_columns.size(); ++i) {
            const CTableColumn& c = *m_columns[i];
            dc->SelectObject(&rowFonts[FontIndex(r->m_bBold || c.m_bBold, r->m_bItalic || c.m_bItalic)]);
            const int align = c.m_nAlign ? c.m_nAlign : m_nTextAlign + 1;
            const COLORREF back = pick(m_crLayoutBack, {m_crRowBack, c.m_crBack, r->m_crBack});
            const COLORREF text = pick(m_crLayoutText, {c.m_crText, r->m_crText});
            if (!tessel::ColorIsUnset(back))
                dc->FillSolidRect(x, r->m_nTop, c.m_nWidth + 2 * p, r->m_nHeight, back & 0xFFFFFF);
            dc->SetTextColor(text & 0xFFFFFF);
            if (i < size_t(kTableMaxCells) && r->m_cells[i])
                drawCell(*r->m_cells[i], x, r->m_nTop, c.m_nWidth, align);
            x += p + c.m_nWidth + p + m_nSpacing;
        }
    }
    dc->RestoreDC(saved);
}

void CTableItem::WriteHtml(CPageOutput& out)
{
    CItem::WriteHtml(out);
    if (!m_strHeaderWebFont.IsEmpty())
        out.m_webFonts.insert(m_strHeaderWebFont);
    CString style = CString::Formatted("border-spacing:%dpx;border-collapse:separate;", m_nSpacing);
    style += GetStyle();
    if (!m_bPositioned)
        style += WriteMarginStyle(m_margin, m_nBlockAlign);
    out.Append("<table");
    WriteIdClassTitle(out);
    if (!style.IsEmpty())
        out.AppendAttribute("style", style);
    WriteEventAttributes(out);
    out.Append(">");
    const int savedRaw = out.m_bRawText;
    out.m_bRawText = m_bRawText;

    auto openFlags = [&](const CTableColumn& c) {
        if (c.m_bBold)
            out.Append("<b>");
        if (c.m_bItalic)
            out.Append("<i>");
    };
    auto closeFlags = [&](const CTableColumn& c) {
        if (c.m_bItalic)
            out.Append("</i>");
        if (c.m_bBold)
            out.Append("</b>");
    };

    // A row needs a cell: a table without columns writes no rows at all.
    const bool hasColumns = !m_columns.empty();
    if (m_bHeaderShown && hasColumns) {
        CString css;
        if (m_bHeaderBold)
            css += "font-weight:bold;";
        if (m_bHeaderItalic)
            css += "font-style:italic;";
        if (m_nHeaderSize != 0)
            css.AppendFormat("font-size:%dpt;", m_nHeaderSize);
        if (!m_strHeaderFace.IsEmpty())
            css += "font-family:" + CssFontFamily(m_strHeaderFace) + ";";
        if (!tessel::ColorIsUnset(m_crHeaderText))
            css += "color:" + ColorToHtml(m_crHeaderText) + ";";
        if (!tessel::ColorIsUnset(m_crHeaderBack))
            css += "background-color:" + ColorToHtml(m_crHeaderBack) + ";";
        if (m_nHeaderDecoration == 1)
            css += "text-decoration:underline;";
        else if (m_nHeaderDecoration == 2)
            css += "text-decoration:line-through;";
        out.Append("<tr");
        if (!css.IsEmpty())
            out.AppendAttribute("style", css);
        out.Append(">");
        for (auto& c : m_columns) {
            out.Append(CString::Formatted("<td style=\"width:%dpx;padding:%dpx;", c->m_nWidth, m_nCellPadding));
            out.Append(TextAlignCss(c->m_nAlign));
            out.Append("\">");
            openFlags(*c);
            out.AppendText(c->m_strHeader);
            closeFlags(*c);
            out.Append("</td>");
        }
        out.Append("</tr>");
    }
    for (auto& r : m_rows) {
        if (!hasColumns)
            break;
        CString css;
        if (r->m_bBold)
            css += "font-weight:bold;";
        if (r->m_bItalic)
            css += "font-style:italic;";
        if (!tessel::ColorIsUnset(r->m_crText))
            css += "color:" + ColorToHtml(r->m_crText) + ";";
        const COLORREF back = tessel::ColorIsUnset(r->m_crBack) ? m_crRowBack : r->m_crBack;
        if (!tessel::ColorIsUnset(back))
            css += "background-color:" + ColorToHtml(back) + ";";
        out.Append("<tr");
        if (!css.IsEmpty())
            out.AppendAttribute("style", css);
        out.Append(">");
        for (size_t i = 0; i < m_columns.size(); ++i) {
            const CTableColumn& c = *m_columns[i];
            out.Append("<td");
            out.AppendAttribute("style", CString::Formatted("padding:%dpx;", m_nCellPadding) + TextAlignCss(c.m_nAlign));
            out.Append(">");
            openFlags(c);
            if (i < size_t(kTableMaxCells) && r->m_cells[i])
                out.AppendText(*r->m_cells[i]);
            closeFlags(c);
            out.Append("</td>");
        }
        out.Append("</tr>");
    }
    out.m_bRawText = savedRaw;
    out.Append("</table>");
}
