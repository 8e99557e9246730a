// A paragraph that scrolls.
#pragma once
#include "model/items/ParagraphItem.h"
#include "model/ItemTypes.h"

class CMarqueeItem : public CParagraphItem {
public:
    CMarqueeItem()
    {
        m_nType = ITEM_MARQUEE;
        m_nWidth = 200;
        m_nHeight = 20;
    }
    void Serialize(CArchive& ar, int version) override;
    void WriteHtml(CPageOutput& out) override;
    void RecalcLayout() override;

    int m_nDirection = 0; // 0 left, 1 right
    int m_nScrollAmount = 10;
    int m_nLoop = 0; // 0 = endless
};
