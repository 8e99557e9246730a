// A page of the site: a group whose children are the page's items, with its title and
// head texts, its folder, its header and footer bands, up to two masters (in the group
// part) and the items of other pages cloned onto it.
#pragma once
#include "model/GroupItem.h"
#include "model/ItemAction.h"
#include "model/ItemLink.h"
#include "model/WString.h"

#include <vector>

class CFolder;
class CHeaderFooterItem;

class CPage : public CGroupItem {
public:
    CPage();
    ~CPage() override = default;

    // The group record, then the page's own fields gated by version.
    void Serialize(CArchive& ar, int version) override;

    CString GetStyle() override;
    void WriteHtml(CPageOutput& out) override;
    // Editor painting of the page on the canvas, contentWidth being the canvas width
    // that a full-width site spreads the background over.
    void DrawCanvas(CDC* dc, int contentWidth);

    CFolder* GetFolder() const;
    // Items of the header band, then of the footer band (not the page's own).
    void CollectBandItems(CItemList& out);
    // Title converted to ANSI, " [", file name, "]".
    CString GetDisplayName() const;

    CWString m_title, m_description, m_keywords;
    int m_nHeaderZIndex = 0;
    CString m_strPageString1, m_strPageString2;
    CHeaderFooterItem* m_pFooterBand = nullptr;
    CHeaderFooterItem* m_pHeaderBand = nullptr;
    int m_nFooterBandId = 0;
    int m_nHeaderBandId = 0;
    CWString m_phpCode, m_bodyText, m_script, m_pageExtra;
    int* m_pStretch = nullptr;
    int* m_pCenter = nullptr;
    int m_bStats1 = 1, m_bStats2 = 0;
    std::vector<CItem*> m_clones;  // not owned
    std::vector<int> m_cloneIds;   // as read, until the document resolves them
    CItemAction m_pageAction;
    int m_nActionValue = 0;
    int m_nValues[3] = {0, 0, 0};
    CItemLink m_pageLink;
    int m_nLast1 = 2, m_nLast2 = 0;
};

void PageAddClone(CPage* page, CItem* item);
void PageRemoveClone(CPage* page, CItem* item);
int PageHasClone(const CPage* page, const CItem* item);
// 6 for "index" in a folder, 2 for "index" at the top, else 0.
int IsIndexName(const CPage* page);
