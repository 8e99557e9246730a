// A set of radio buttons.
#pragma once
#include "model/items/FormFieldItem.h"
#include "model/ItemTypes.h"

class CRadioChoiceItem : public CFormFieldItem {
public:
    CRadioChoiceItem()
    {
        m_nType = ITEM_RADIO_CHOICE;
        MakeFillAndPadding();
    }
};
