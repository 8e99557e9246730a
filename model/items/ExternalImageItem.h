// A picture given by its web address (kept in the third name): an img tag, no file.
#pragma once
#include "model/Item.h"
#include "model/ItemTypes.h"

class CExternalImageItem : public CItem {
public:
    CExternalImageItem();

    void Serialize(CArchive& ar, int version) override;
    void WriteHtml(CPageOutput& out) override;
    // Size from the inner picture box plus the insets.
    void RecalcLayout() override;
    void Draw(CDC* dc) override;
    void SetRect(int left, int top, int right, int bottom) override;

    int m_nWidthStyle = 0;  // 0 none, 1 max-width, 2 width
    int m_nHeightStyle = 0; // 0 none, 1 max-height, 2 height
    int m_nInnerWidth = 600, m_nInnerHeight = 200;
    int m_nArchivedWord = 0;
};
