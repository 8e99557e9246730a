// Text written as it is typed, line breaks and spaces kept.
#pragma once
#include "model/Item.h"
#include "model/ItemTypes.h"

class CPreformattedTextItem : public CItem {
public:
    CPreformattedTextItem()
    {
        m_nType = ITEM_PREFORMATTED_TEXT;
        m_bPositioned = 1;
        m_nWidthMode = 0;
        m_nHeightMode = 1;
        MakeFillAndPadding();
    }
    void WriteHtml(CPageOutput& out) override;
    void RecalcLayout() override;
    void Draw(CDC* dc) override;
};
