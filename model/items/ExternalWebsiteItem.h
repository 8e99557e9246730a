// An outside page shown in a frame; the text is its address.
#pragma once
#include "model/items/TextItem.h"
#include "model/ItemTypes.h"

class CExternalWebsiteItem : public CTextItem {
public:
    CExternalWebsiteItem()
    {
        m_nType = ITEM_EXTERNAL_WEBSITE;
        m_nWidth = 500;
        m_nHeight = 300;
        m_nWidthMode = 1;
        m_nHeightMode = 1;
        m_borders[BORDER_ALL].m_nWidth = 0;
    }
    void WriteHtml(CPageOutput& out) override;
    void RecalcLayout() override;
    void Draw(CDC* dc) override;
};
