// A drawn button.
#pragma once
#include "model/items/ImageItemBase.h"
#include "model/ItemTypes.h"

class CImageButtonItem : public CImageItemBase {
public:
    CImageButtonItem()
    {
        m_nType = ITEM_IMAGE_BUTTON;
    }
};
