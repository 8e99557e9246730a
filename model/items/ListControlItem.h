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
    void Serialize(CArchive& ar, int version) override;
    void WriteHtml(CPageOutput& out) override;
    void RecalcLayout() override;
    void Draw(CDC* dc) override;
    // A new height sets the number of visible rows.
    void SetRect(int left, int top, int right, int bottom) override;
    void WriteValidationScript(CString& script) override;

    void SetSiteStyles(CSiteStyles* styles) override;

    int m_nRows = 0; // visible rows; 0 = a drop-down
    int m_bMultiple = 0;
    int m_nSelected = 0;
    // The site's text style, which the paragraph around a flowing list gives its margins.
    const CTextStyle* m_pParagraphStyle = nullptr;
};
