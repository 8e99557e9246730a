// One run of text with an optional bullet icon; the code items derive from it.
#pragma once
#include "model/Item.h"
#include "model/ItemTypes.h"

class CTextItem : public CItem {
public:
    CTextItem()
    {
        m_nType = ITEM_TEXT;
        m_bPositioned = 1;
        m_nWidthMode = 1;
        m_nHeightMode = 1;
        MakeFillAndPadding();
    }
    void WriteHtml(CPageOutput& out) override;
    // Measures the text: an automatic or too narrow width grows to the text.
    void RecalcLayout() override;
    void Draw(CDC* dc) override;
    // Scales the font with a corner drag; a side drag fixes the width.
    void SetRect(int left, int top, int right, int bottom) override;
};
