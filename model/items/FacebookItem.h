// A social network page box (no fill, no padding record).
#pragma once
#include "model/Item.h"
#include "model/ItemTypes.h"

class CFacebookItem : public CItem {
public:
    CFacebookItem()
    {
        m_nType = ITEM_FACEBOOK;
        m_bPositioned = 1;
        m_nWidth = 300;
        m_nHeight = 600;
        m_nWidthMode = 0;
        m_nHeightMode = 1;
    }
    void Serialize(CArchive& ar, int version) override;
    void WriteHtml(CPageOutput& out) override;
    void Draw(CDC* dc) override;

    CString m_strPage;
    int m_nStream = 1;
    int m_nShowFaces = 1;
    int m_nColorScheme = 0;
    COLORREF m_crBorder = 0xA0A0A0;
};
