// A menu bar with drop-down entries.
#pragma once
#include "model/Item.h"
#include "model/ItemTypes.h"

class CMenuItem : public CItem {
public:
    CMenuItem()
    {
        m_nType = ITEM_MENU;
        m_nWidth = 600;
        m_nHeight = 35;
        m_nTextAlign = 0;
        m_bPositioned = 1;
        m_nWidthMode = 0;
        m_nHeightMode = 0;
        m_nPadding = 8;
        m_crText = 0xFFFFFF;
        m_nBold = 1;
        m_nItalic = 0;
        m_nDecoration = 0;
        MakeFillAndPadding();
    }
};
