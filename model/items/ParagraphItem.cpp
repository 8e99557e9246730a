#include "model/items/ParagraphItem.h"
#include "model/Border.h"
#include "model/ItemHtml.h"
#include "model/PageOutput.h"
#include "model/TextRuns.h"

#include <algorithm>

namespace {
constexpr int kMaxParagraphLineHeight = 1000;  // 10100 percent
constexpr int kMaxParagraphExtraColumns = 99;
constexpr int kMaxParagraphColumnGap = 100000; // pixels, the bound of every other distance
} // namespace

void CParagraphItem::Serialize(CArchive& ar, int version)
{
    using archive_io::Io;
    CItem::Serialize(ar, version);
    if (ar.IsStoring()) {
        ar << std::int32_t(m_links.size());
        for (const auto& [number, link] : m_links) {
            ar << WORD(number);
            link->Serialize(ar, version);
        }
    } else {
        m_links.clear();
        std::int32_t count = 0;
        ar >> count;
        // Each entry takes at least its number and a few words of link record.
        ar.CheckCount(count, 2 + 4);
        for (std::int32_t i = 0; i < count; ++i) {
            WORD number = 0;
            ar >> number;
            auto link = std::make_unique<CItemLink>();
            link->Serialize(ar, version);
            m_links[number] = std::move(link);
        }
    }
    Io(ar, m_crEditorBack);
    if (ar.IsStoring() || version >= 86)
        Io(ar, m_nLineHeight);
    if (ar.IsStoring() || version >= 89) {
        Io(ar, m_nExtraColumns);
        Io(ar, m_nColumnGap);
    }
    if (ar.IsLoading()) {
        // Bounded where read, so the writers' arithmetic (n * 10 + 100, columns + 1) cannot
        // overflow and no negative size reaches a style: 0 is "not set" for each.
        m_nLineHeight = std::clamp(m_nLineHeight, 0, kMaxParagraphLineHeight);
        m_nExtraColumns = std::clamp(m_nExtraColumns, 0, kMaxParagraphExtraColumns);
        m_nColumnGap = std::clamp(m_nColumnGap, 0, kMaxParagraphColumnGap);
    }
}

void CParagraphItem::WriteHtml(CPageOutput& out)
{
    CItem::RecalcLayout();
    CItem::WriteHtml(out);
    out.Append("<p");
    WriteIdClassTitle(out);
    CString style = GetStyle();
    if (m_nLineHeight != 0)
        style.AppendFormat("line-height:%d%%;", m_nLineHeight * 10 + 100);
    if (m_nExtraColumns > 0) {
        const int columns = m_nExtraColumns + 1;
        style.AppendFormat("column-count:%d;-moz-column-count:%d;-webkit-column-count:%d;", columns, columns, columns);
        style.AppendFormat("column-gap:%dpx;-moz-column-gap:%dpx;-webkit-column-gap:%dpx;", m_nColumnGap, m_nColumnGap, m_nColumnGap);
    }
    if (!m_bPositioned)
        style += WriteMarginStyle(m_margin, m_nBlockAlign);
    if (!style.IsEmpty())
        out.AppendAttribute("style", style);
    WriteEventAttributes(out);
    out.Append(">");
    const CString closeLink = OpenItemLink(*this, out);
    WriteRichText(*this, out);
    out.Append(closeLink);
    out.Append("</p>");
    out.AppendLine();
}
