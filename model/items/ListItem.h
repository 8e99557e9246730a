// A bulleted or numbered list.
#pragma once
#include "model/Item.h"
#include "model/ItemTypes.h"

class CListItem : public CItem {
public:
    CListItem()
    {
        m_nType = ITEM_LIST;
        m_bPositioned = 1;
        MakeFillAndPadding();
    }
};
