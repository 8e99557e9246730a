// Base of the form controls: messages, option lines and the required flag.
#pragma once
#include "model/Item.h"
#include "model/ItemTypes.h"

class CFormFieldItem : public CItem {
public:
    CFormFieldItem()
    {
        m_bPositioned = 1;
        m_bInclude = 1;
    }
    CString m_strRuleMessage;
    CString m_strRequiredMessage;
    int m_bRequired = 0;
};
