// A heading followed by a column of category links.
#pragma once
#include "model/Item.h"
#include "model/ItemTypes.h"
#include "model/Translate.h"
#include <memory>
#include <vector>

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
    void Serialize(CArchive& ar, int version) override;
    void WriteHtml(CPageOutput& out) override;
    void RecalcLayout() override;
    void Draw(CDC* dc) override;
    void SetRect(int left, int top, int right, int bottom) override { CItem::SetRect(left, top, right, bottom); }

    // Appends a new default link record to the entries and returns it.
    CItemLink* AddEntry()
    {
        m_entries.push_back(std::make_unique<CItemLink>());
        return m_entries.back().get();
    }

    // The entries; each link's title is the entry's text.
    std::vector<std::unique_ptr<CItemLink>> m_entries;
    int m_nFirstEntryY = 40;
    int m_nRowSpacing = 30;
    int m_nEntryLineHeight = 16; // measured
    int m_nHeadingSize = 16;
    CString m_strHeadingFace = "Arial";
    COLORREF m_crHeading = 0xC0C0C0;
    int m_nHeadingBold = 0, m_nHeadingItalic = 0;
    int m_nHeadingDecoration = 0;
    int m_nOption1 = 0, m_nOption2 = 20;
    LOGFONT m_lfHeading{};
};
