// A one-line input field.
#pragma once
#include "model/items/FormFieldItem.h"
#include "model/ItemTypes.h"

class CInputFieldItem : public CFormFieldItem {
public:
    CInputFieldItem()
    {
        m_nType = ITEM_INPUT_FIELD;
        MakeFillAndPadding();
    }
};
