// The view's selection queries, its hit geometry and the invalidation helpers that editor
// commands call after changing items. Selecting is view state: it neither records an undo
// snapshot nor marks the project modified.
#include "document/KJDoc.h"
#include "editor/KJView.h"
#include "model/GroupItem.h"
#include "model/HeaderFooterItem.h"
#include "model/ItemTypes.h"
#include "model/Page.h"

#include <algorithm>

namespace {
CGroupItem* ContainerGroup(CItem* container) { return dynamic_cast<CGroupItem*>(container); }
bool In(const CRect& r, CPoint p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }
} // namespace

CItem* CKJView::GetSelectedItem() const
{
    if (auto* group = ContainerGroup(m_pContainer))
        for (const auto& child : group->GetChildren())
            if (child->m_bSelected)
                return child.get();
    return nullptr;
}

std::vector<CItem*> CKJView::GetSelectedItems() const
{
    std::vector<CItem*> out;
    if (auto* group = ContainerGroup(m_pContainer))
        for (const auto& child : group->GetChildren())
            if (child->m_bSelected)
                out.push_back(child.get());
    return out;
}

int CKJView::CountSelected() const { return int(GetSelectedItems().size()); }

void CKJView::SelectItem(CItem* item)
{
    auto* group = ContainerGroup(m_pContainer);
    if (!item || !group)
        return;
    // only children of the current container are ever selected
    const auto& children = group->GetChildren();
    if (std::none_of(children.begin(), children.end(), [item](const auto& c) { return c.get() == item; }))
        return;
    item->m_bSelected = 1;
    InvalidateHandles(item);
}

void CKJView::DeselectAll()
{
    if (auto* group = ContainerGroup(m_pContainer))
        for (const auto& child : group->GetChildren())
            if (child->m_bSelected) {
                InvalidateHandles(child.get());
                child->m_bSelected = 0;
            }
}

QRect CKJView::PageRectToClient(const CRect& r) const
{
    const CPoint tl = PageToClient(CPoint(r.left, r.top));
    const CPoint br = PageToClient(CPoint(r.right, r.bottom));
    return QRect(QPoint(tl.x, tl.y), QPoint(br.x - 1, br.y - 1)).normalized();
}

void CKJView::InvalidateItem(CItem* item, int extra)
{
    if (!item)
        return;
    CRect r = item->GetRect();
    r.InflateRect(extra, extra);
    update(PageRectToClient(r));
}

void CKJView::InvalidateHandles(CItem* item)
{
    // the handles stand up to 8 units outside the item
    InvalidateItem(item, 9);
}

int CKJView::InvalidateSelection()
{
    int flowing = 0;
    for (CItem* item : GetSelectedItems()) {
        InvalidateHandles(item);
        if (!item->m_bPositioned)
            flowing = 1;
    }
    // a flowing item moves its neighbours: the whole view is drawn again
    if (flowing)
        update();
    return flowing;
}

void CKJView::InvalidateSelectionHandles()
{
    for (CItem* item : GetSelectedItems())
        InvalidateHandles(item);
}

void CKJView::HitTest(CPoint client)
{
    m_mousePoint = ClientToPage(client);
    const CPoint p = m_mousePoint;
    m_pHoverItem = nullptr;
    m_nHoverHandle = 0;
    m_nHoverPageEdge = 0;
    m_pHoverBand = nullptr;
    m_pHoverGuide = nullptr;
    auto* group = ContainerGroup(m_pContainer);
    if (!group)
        return;
    // the last child in list order is painted on top and wins; handles win over bodies
    for (const auto& child : group->GetChildren())
        if (In(child->GetRect(), p))
            m_pHoverItem = child.get();
    for (const auto& child : group->GetChildren())
        if (child->m_bSelected)
            if (int handle = child->HitTest(p); handle >= 1 && handle <= 8) {
                m_nHoverHandle = handle;
                m_pHoverItem = child.get();
            }
    if (m_pContainer == m_pCurrentPage && m_pCurrentPage) {
        if (CHeaderFooterItem* footer = m_pCurrentPage->m_pFooterBand)
            if (In(footer->GetRect(), CPoint(p.x, p.y - m_pCurrentPage->m_nHeight)))
                m_pHoverBand = footer;
        if (CHeaderFooterItem* header = m_pCurrentPage->m_pHeaderBand)
            if (In(header->GetRect(), CPoint(p.x, p.y + header->m_nHeight)))
                m_pHoverBand = header;
    }
    if (!m_nHoverHandle && !m_pHoverItem) {
        const int w = m_pContainer->m_nWidth, h = m_pContainer->m_nHeight;
        if (p.y >= 0 && p.y < 14 && p.x >= 0 && p.x < w)
            m_nHoverPageEdge = 1;
        if (p.y >= h - 14 && p.y < h && p.x >= 0 && p.x < w)
            m_nHoverPageEdge = 2;
        if (p.x >= 0 && p.x < 14 && p.y >= 0 && p.y < h)
            m_nHoverPageEdge = 3;
        if (p.x >= w - 14 && p.x < w && p.y >= 0 && p.y < h)
            m_nHoverPageEdge = 4;
    }
    CKJDoc* doc = GetProject();
    if (doc && doc->m_bShowGuides)
        for (const auto& guide : doc->m_guides) {
            const int at = guide->m_nPosition;
            if ((guide->m_bVertical && p.x > at - 5 && p.x < at + 5) || (guide->m_bHorizontal && p.y > at - 5 && p.y < at + 5))
                m_pHoverGuide = guide.get();
        }
}
