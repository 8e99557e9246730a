#include "model/HeaderFooterItem.h"

CHeaderFooterItem::CHeaderFooterItem()
{
    m_nType = 38;
    m_bPositioned = 0;
}
