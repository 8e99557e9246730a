// A check box with its caption (no fill record).
#pragma once
#include "model/items/FormFieldItem.h"
#include "model/ItemTypes.h"

class CCheckBoxItem : public CFormFieldItem {
public:
    CCheckBoxItem()
    {
        m_nType = ITEM_CHECK_BOX;
        m_strText = "Checkbox";
        m_pPadding = std::make_unique<CBoxSpacing>();
    }
    void Serialize(CArchive& ar, int version) override;
    void WriteHtml(CPageOutput& out) override;
    void RecalcLayout() override;
    void Draw(CDC* dc) override;
    void WriteValidationScript(CString& script) override;

    int m_bChecked = 0;
};
