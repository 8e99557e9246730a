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
    void Serialize(CArchive& ar, int version) override;
    void WriteHtml(CPageOutput& out) override;
    void RecalcLayout() override;
    void Draw(CDC* dc) override;
    void WriteValidationScript(CString& script) override;

    int m_nWidthSetting = 300;
    int m_nInputType = 0; // 0 text, 1 password, 2 date
    CWString m_strRequiredChars;
    CWString m_strForbiddenChars;
    CWString m_strAllowedChars;
    CWString m_wstrPlaceholder;
    int m_bReadOnly = 0;
    int m_nFlag1 = 0, m_nFlag2 = 0;
};
