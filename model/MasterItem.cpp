#include "model/MasterItem.h"

CMasterItem::CMasterItem()
{
    m_nType = 42;
    m_bPositioned = 1;
    m_nX = 0;
    m_nY = 0;
}
