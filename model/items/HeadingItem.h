// A heading h1 to h6.
#pragma once
#include "model/items/TextItem.h"
#include "model/ItemTypes.h"

class CHeadingItem : public CTextItem {
public:
    CHeadingItem()
    {
        m_nType = ITEM_HEADING;
    }
    // The base description, then the level as " H1" to " H6".
    CString Describe() override
    {
        CString s = CTextItem::Describe();
        s.AppendFormat(" H%d", m_nLevel + 1);
        return s;
    }
    void Serialize(CArchive& ar, int version) override;
    void WriteHtml(CPageOutput& out) override;
    // The level written: 0 to 5 (h1 to h6), whatever the record held.
    int GetHtmlLevel() const { return m_nLevel < 0 ? 0 : (m_nLevel > 5 ? 5 : m_nLevel); }

    int m_nLevel = 0; // 0 to 5 for h1 to h6
    int m_nSpare = 0;
};
