// A picture file (the GIF code 28 makes one too).
#pragma once
#include "model/items/ImageItemBase.h"
#include "model/ItemTypes.h"

class CImageItem : public CImageItemBase {
public:
    CImageItem()
    {
        m_nType = ITEM_IMAGE;
    }
};
