// A bulleted or numbered list: every line of the text is one entry.
#pragma once
#include "model/Item.h"
#include "model/ItemTypes.h"
#include <vector>

// The label the editor paints for entry n (from 1) of a list style; empty for style 0
// (the icon) and for unknown styles.
CWString ListLabel(int style, int n);
// The list's lines: characters below 32 dropped, a trailing line feed gives a last empty
// line; an empty text has none.
std::vector<CWString> ReadListLines(const CWString& text);

class CListItem : public CItem {
public:
    CListItem()
    {
        m_nType = ITEM_LIST;
        m_bPositioned = 1;
        MakeFillAndPadding();
    }
    void Serialize(CArchive& ar, int version) override;
    void WriteHtml(CPageOutput& out) override;
    void RecalcLayout() override;
    void Draw(CDC* dc) override;

    int CountLines() const { return int(ReadListLines(m_strText).size()); }

    struct Label {
        CWString text;
        CRect rect; // relative to the inner area
    };
    int m_nLabelWidth = 30;
    int m_nLabelGap = 12;
    int m_nLineSpacing = 6;
    int m_nStyle = 1;
    std::vector<Label> m_labels;
};
