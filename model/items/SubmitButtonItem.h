// The button that sends (or resets) a form.
#pragma once
#include "model/items/FormFieldItem.h"
#include "model/ItemTypes.h"

class CSubmitButtonItem : public CFormFieldItem {
public:
    CSubmitButtonItem()
    {
        m_nType = ITEM_SUBMIT_BUTTON;
        m_nHeightMode = 0;
        MakeFillAndPadding();
    }
    void Serialize(CArchive& ar, int version) override;
    // The hover settings, which the project layout has no place for.
    void SerializeExtra(CArchive& ar, int version) override;
    void WriteHtml(CPageOutput& out) override;
    void Draw(CDC* dc) override;
    void WriteValidationScript(CString&) override {}

    int m_nButtonKind = 0; // 0 submit, 1 reset, 2 file, 3 color
    CFillStyle m_hoverFill;
    COLORREF m_crHoverBorder = 0xFFFFFFFF;
    COLORREF m_crHoverText = 0xFFFFFFFF;
    int m_nHoverBold = 2, m_nHoverItalic = 2; // 1 on, 0 off, other inherit
    int m_nHoverDecoration = 0;               // 1 none, 2 underline, 3 line-through
    double m_dHoverTransition = 0.0;          // seconds
};
