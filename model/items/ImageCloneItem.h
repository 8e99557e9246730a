// Shows the exported picture of another picture item.
#pragma once
#include "model/Item.h"
#include "model/ItemTypes.h"

class CImageCloneItem : public CItem {
public:
    CImageCloneItem()
    {
        m_nType = ITEM_IMAGE_CLONE;
        m_bPositioned = 1;
        MakeFillAndPadding();
    }
    int m_nSourceId = 0;
    CItem* m_pSource = nullptr; // not owned; set by the document
};
