// The button that sends (or resets) a form.
#pragma once
#include "model/items/FormFieldItem.h"
#include "model/ItemTypes.h"

class CSubmitButtonItem : public CFormFieldItem {
public:
    CSubmitButtonItem()
    {
        m_nType = ITEM_SUBMIT_BUTTON;
        MakeFillAndPadding();
    }
    int m_nButtonKind = 0; // 0 submit, 1 reset, 2 file, 3 color
    CFillStyle m_hoverFill;
    COLORREF m_crHoverBorder = 0xFFFFFFFF;
    COLORREF m_crHoverText = 0xFFFFFFFF;
};
