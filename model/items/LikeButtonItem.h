// A social network like button (no fill, no padding record).
#pragma once
#include "model/Item.h"
#include "model/ItemTypes.h"

class CLikeButtonItem : public CItem {
public:
    CLikeButtonItem()
    {
        m_nType = ITEM_LIKE_BUTTON;
        m_bPositioned = 1;
        m_nWidth = 450;
        m_nHeight = 30;
        m_nWidthMode = 0;
        m_nHeightMode = 1;
    }
    void Serialize(CArchive& ar, int version) override;
    void WriteHtml(CPageOutput& out) override;
    void Draw(CDC* dc) override;

    CString m_strPage;
    int m_nColorScheme = 0;
    int m_nLayout = 0;
};
