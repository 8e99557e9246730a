// Text drawn as a picture with effects.
#pragma once
#include "model/items/ImageItemBase.h"
#include "model/ItemTypes.h"

class CArtisticTextItem : public CImageItemBase {
public:
    CArtisticTextItem()
    {
        m_nType = ITEM_ARTISTIC_TEXT;
    }
};
