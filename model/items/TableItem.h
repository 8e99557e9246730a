// A table of text cells.
#pragma once
#include "model/Item.h"
#include "model/ItemTypes.h"

class CTableItem : public CItem {
public:
    CTableItem()
    {
        m_nType = ITEM_TABLE;
        m_bPositioned = 1;
        m_nPadding = 0;
        MakeFillAndPadding();
        m_pFill->m_crColor = 0xF0F0F0;
    }
};
