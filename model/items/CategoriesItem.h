// A list of category links.
#pragma once
#include "model/Item.h"
#include "model/ItemTypes.h"
#include "model/Translate.h"

class CCategoriesItem : public CItem {
public:
    CCategoriesItem()
    {
        m_nType = ITEM_CATEGORIES;
        m_nWidth = 300;
        m_nWidthMode = 0;
        m_nHeightMode = 0;
        m_strText = Translate("Categories").GetString();
        m_nIcon = 1;
        MakeFillAndPadding();
    }
    void SetRect(int left, int top, int right, int bottom) override { CItem::SetRect(left, top, right, bottom); }
};
