// A form: a group whose fields are sent together.
#pragma once
#include "model/GroupItem.h"
#include "model/ItemTypes.h"

class CFormItem : public CGroupItem {
public:
    CFormItem()
    {
        m_nType = ITEM_FORM;
    }
};
