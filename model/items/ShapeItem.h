// A drawn shape.
#pragma once
#include "model/items/ImageItemBase.h"
#include "model/ItemTypes.h"

class CShapeItem : public CImageItemBase {
public:
    CShapeItem()
    {
        m_nType = ITEM_SHAPE;
    }
};
