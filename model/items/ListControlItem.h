// A drop-down or list box.
#pragma once
#include "model/items/FormFieldItem.h"
#include "model/ItemTypes.h"

class CListControlItem : public CFormFieldItem {
public:
    CListControlItem()
    {
        m_nType = ITEM_LIST_CONTROL;
        MakeFillAndPadding();
    }
    int m_nRows = 0; // 0-based: 1 to 40 rows
};
