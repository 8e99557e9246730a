// A multi-line text field.
#pragma once
#include "model/items/FormFieldItem.h"
#include "model/ItemTypes.h"

class CTextAreaItem : public CFormFieldItem {
public:
    CTextAreaItem()
    {
        m_nType = ITEM_TEXT_AREA;
        m_nWidth = 272;
        m_nHeight = 64;
        m_nWidthMode = 0;
        m_nHeightMode = 0;
        MakeFillAndPadding();
    }
    void Serialize(CArchive& ar, int version) override;
    void WriteHtml(CPageOutput& out) override;
    void Draw(CDC* dc) override;
    void WriteValidationScript(CString& script) override;

    CWString m_wstrPlaceholder;
};
