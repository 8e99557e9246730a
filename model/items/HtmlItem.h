// HTML code written into the page as it is.
#pragma once
#include "model/items/TextItem.h"
#include "model/ItemTypes.h"

class CHtmlItem : public CTextItem {
public:
    CHtmlItem()
    {
        m_nType = ITEM_HTML;
        m_nWidth = 100;
        m_nHeight = 30;
        m_nWidthMode = 1;
        m_nHeightMode = 0;
    }
    void WriteHtml(CPageOutput& out) override;
    void RecalcLayout() override;
    void Draw(CDC* dc) override;
    void SetRect(int left, int top, int right, int bottom) override;
};
