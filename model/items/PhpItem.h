// PHP code written into the page.
#pragma once
#include "model/items/TextItem.h"
#include "model/ItemTypes.h"

class CPhpItem : public CTextItem {
public:
    CPhpItem()
    {
        m_nType = ITEM_PHP;
        m_nWidth = 100;
        m_nHeight = 30;
        m_nWidthMode = 1;
        m_nHeightMode = 0;
    }
    void WriteHtml(CPageOutput& out) override;
    // The base layout only: code keeps the size the user gives it.
    void RecalcLayout() override;
    void Draw(CDC* dc) override;
    void SetRect(int left, int top, int right, int bottom) override;
};
