// The editor frame that the media items share: a dotted light grey outline when the
// item has no border, so that an empty box stays visible.
#pragma once
#include "framework/core/Dc.h"
#include "model/Item.h"

inline bool HasNoPaintedBorder(const CItem& item)
{
    return item.m_nEffBorder[0] == 0 && item.m_nEffBorder[1] == 0 && item.m_nEffBorder[2] == 0 && item.m_nEffBorder[3] == 0;
}

inline void DrawMediaOutline(const CItem& item, CDC* dc)
{
    const int saved = dc->SaveDC();
    CPen pen(PS_DOT, 1, 0xC0C0C0);
    dc->SelectObject(&pen);
    dc->SelectStockObject(HOLLOW_BRUSH);
    dc->Rectangle(0, 0, item.m_nWidth, item.m_nHeight);
    dc->RestoreDC(saved);
}
