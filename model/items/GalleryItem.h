// A gallery of pictures.
#pragma once
#include "model/Item.h"
#include "model/ItemTypes.h"

class CGalleryItem : public CItem {
public:
    CGalleryItem()
    {
        m_nType = ITEM_GALLERY;
        m_bPositioned = 1;
        MakeFillAndPadding();
    }
};
