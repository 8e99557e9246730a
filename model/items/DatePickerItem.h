// Day, month and year choosers.
#pragma once
#include "model/items/ListControlItem.h"
#include "model/ItemTypes.h"

class CDatePickerItem : public CListControlItem {
public:
    CDatePickerItem()
    {
        m_nType = ITEM_DATE_PICKER;
    }
};
