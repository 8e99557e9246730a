// Base of the bitmap-rendered items: they publish themselves as pictures.
#pragma once
#include "model/Item.h"
#include "model/ItemTypes.h"

class CImageItemBase : public CItem {
public:
    CImageItemBase()
    {
        m_bPositioned = 1;
        m_nWidthMode = 0;
        m_nHeightMode = 0;
        MakeFillAndPadding();
    }
};
