// A payment button.
#pragma once
#include "model/items/ImageButtonItem.h"
#include "model/ItemTypes.h"

class CPayPalItem : public CImageButtonItem {
public:
    CPayPalItem()
    {
        m_nType = ITEM_PAYPAL;
    }
};
