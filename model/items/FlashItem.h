// A Flash movie whose bytes are the data block.
#pragma once
#include "model/Item.h"
#include "model/ItemTypes.h"

class CFlashItem : public CItem {
public:
    CFlashItem()
    {
        m_nType = ITEM_FLASH;
        m_bPositioned = 1;
        m_strExtension = ".swf";
        MakeFillAndPadding();
    }
};
