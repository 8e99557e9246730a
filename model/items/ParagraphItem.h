// Rich text in columns; its runs refer to links by number.
#pragma once
#include "model/Item.h"
#include "model/ItemTypes.h"
#include "model/TextRuns.h"
#include <map>
#include <memory>

class CParagraphItem : public CItem {
public:
    CParagraphItem()
    {
        m_nType = ITEM_PARAGRAPH;
        m_bPositioned = 1;
        m_nWidthMode = 0;
        m_nHeightMode = 1;
        MakeFillAndPadding();
    }
    void Serialize(CArchive& ar, int version) override;
    void WriteHtml(CPageOutput& out) override;
    void RecalcLayout() override;
    void Draw(CDC* dc) override;
    // The link record a run's number refers to; null when there is none.
    CItemLink* FindRunLink(int number) const
    {
        auto it = m_links.find(WORD(number));
        return it == m_links.end() ? nullptr : it->second.get();
    }

    // Links the text runs refer to, by their 16-bit number (owned).
    std::map<WORD, std::unique_ptr<CItemLink>> m_links;
    CDib m_dib2; // the text as last laid out (MeasureRichText)
    CRichCharFormat m_charFormat; // item-wide format last applied (SetRichEditFont)
    int m_nTextWidth = 0, m_nTextHeight = 0; // measured size of the laid-out text
    COLORREF m_crEditorBack = 0x000001;
    int m_nLineHeight = 0; // n > 0: n * 10 + 100 percent
    int m_nExtraColumns = 0;
    int m_nColumnGap = 20;
};
