// A drop-down of dates filled by a script in the page.
#pragma once
#include "model/items/ListControlItem.h"
#include "model/ItemTypes.h"

class CDatePickerItem : public CListControlItem {
public:
    CDatePickerItem()
    {
        m_nType = ITEM_DATE_PICKER;
    }
    void Serialize(CArchive& ar, int version) override;
    void WriteHtml(CPageOutput& out) override;
    void Draw(CDC* dc) override;

    int m_nStartMode = 0; // 0 today (plus the offset), else the fixed date
    int m_nYear = 2010;
    int m_nDay = 0;   // 0-based
    int m_nMonth = 0; // 0-based
    int m_nDayCount = 365;
    int m_bWeekdays[7] = {1, 1, 1, 1, 1, 1, 1}; // Sunday to Saturday
    int m_nValueFormat = 0; // 0 the text, 1 seconds, 2 milliseconds since 1970
    int m_nArchivedWord = 0;
    int m_nDayOffset = 0;
};
