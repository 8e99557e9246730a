// A group of frames shown one after the other.
#pragma once
#include "model/GroupItem.h"
#include "model/ItemTypes.h"

class CSliderItem : public CGroupItem {
public:
    CSliderItem()
    {
        m_nType = ITEM_SLIDER;
    }
    int m_nTransition = 1;
    int m_nInterval = 3;
};
