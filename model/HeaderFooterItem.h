// A header or footer band shared by many pages. The two pointers into the document's
// settings are set by the document and not archived.
#pragma once
#include "model/GroupItem.h"

class CHeaderFooterItem : public CGroupItem {
public:
    CHeaderFooterItem();
    ~CHeaderFooterItem() override = default;

    CString GetStyle() override;
    void WriteHtml(CPageOutput& out) override;
    void DrawOnCanvas(CDC* dc, int contentWidth);

    int* m_pStretch = nullptr; // the site's full-width flag
    int* m_pCenter = nullptr;  // the site's centre-in-browser flag
};
