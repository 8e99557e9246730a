// A set of radio buttons sharing one name.
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
    void Serialize(CArchive& ar, int version) override;
    void WriteHtml(CPageOutput& out) override;
    void RecalcLayout() override;
    void Draw(CDC* dc) override;
    void WriteValidationScript(CString& script) override;

    int m_nRowSpacing = 6;
    int m_nDefault = 0;
    int m_bDefaultChecked = 1;
    int m_nLabelGap = 10;
};
