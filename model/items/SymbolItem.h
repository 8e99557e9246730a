// A character of a symbol font drawn as a picture.
#pragma once
#include "model/items/ImageItemBase.h"
#include "model/ItemTypes.h"

class CSymbolItem : public CImageItemBase {
public:
    CSymbolItem()
    {
        m_nType = ITEM_SYMBOL;
    }
};
