// Rich text in columns; its runs refer to links by number.
#pragma once
#include "model/Item.h"
#include "model/ItemTypes.h"
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
    // Links the text runs refer to, by their 16-bit number (owned).
    std::map<WORD, std::unique_ptr<CItemLink>> m_links;
    CDib m_dib2;
    COLORREF m_crEditorBack = 0x000001;
    int m_nLineHeight = 0; // n > 0: n * 10 + 100 percent
    int m_nExtraColumns = 0;
    int m_nColumnGap = 20;
};
