// A picture given by its web address.
#pragma once
#include "model/Item.h"
#include "model/ItemTypes.h"

class CExternalImageItem : public CItem {
public:
    CExternalImageItem()
    {
        m_nType = ITEM_EXTERNAL_IMAGE;
        m_bPositioned = 1;
        m_nWidthMode = 1;
        MakeFillAndPadding();
    }
};
