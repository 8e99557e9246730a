// A text link with its own hover look.
#pragma once
#include "model/Item.h"
#include "model/ItemTypes.h"

class CLinkItem : public CItem {
public:
    CLinkItem()
    {
        m_nType = ITEM_LINK;
        m_bPositioned = 1;
        m_nWidthMode = 1;
        m_nTextAlign = 2;
        m_nDecoration = 0;
        m_crExtra[0] = 0xFFFFFFFF;
        m_crExtra[4] = 0xFFFFFFFF;
        m_dTransition = 0.5;
        MakeFillAndPadding();
    }
    // A taller or shorter box grows or shrinks the top and bottom padding.
    void SetRect(int left, int top, int right, int bottom) override;

    CFillStyle m_hoverFill;
    int m_nHoverBold = 0, m_nHoverItalic = 0, m_nHoverUnderline = 0;
};
