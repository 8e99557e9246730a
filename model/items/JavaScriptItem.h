// Script code written into the page.
#pragma once
#include "model/items/TextItem.h"
#include "model/ItemTypes.h"

class CJavaScriptItem : public CTextItem {
public:
    CJavaScriptItem()
    {
        m_nType = ITEM_JAVASCRIPT;
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
