// The container of the page model: an item that owns an ordered list of child items.
// Pages, master groups, bands, forms and sliders are groups too. Children's x and y are
// relative to the group; list order is paint and HTML order.
#pragma once
#include "model/Item.h"
#include <memory>
#include <vector>

class CMasterItem;

// Deepest group nesting a record may hold; deeper records are refused as damaged.
constexpr int kMaxGroupDepth = 64;

class CGroupItem : public CItem {
public:
    CGroupItem();
    ~CGroupItem() override;

    // The item record, then: child count, each child's type code and record, overflow
    // mode, z-index (again), second master id, first master id.
    void Serialize(CArchive& ar, int version) override;
    void SerializeExtra(CArchive& ar, int version) override;
    void CollectItems(CItemList& list) override;
    void SetSiteStyles(CSiteStyles* styles) override;
    CString Describe() override;
    void WriteHtml(CPageOutput& out) override;
    bool ExportFiles(CPublishContext& context) override;
    CString GetStyle() override;
    // Stacks the children that are not positioned from the top inset down; the group
    // grows to hold them but never shrinks here.
    void RecalcLayout() override;
    // Background, children clipped to the box (unless visible), the linked master's
    // children, scroll-bar previews and a focus frame when borderless.
    void Draw(CDC* dc) override;
    // Background, borders and children without clip, scroll bars or focus frame.
    void DrawChildren(CDC* dc);
    // Flows the children into the inner width.
    virtual void LayoutChildren();

    void DrawDragOutline(CDC* dc, int dx, int dy);
    int CountFlaggedChildren() const;

    // Children (owned).
    int GetChildCount() const { return int(m_children.size()); }
    CItem* GetChild(int index) const { return m_children[size_t(index)].get(); }
    const std::vector<std::unique_ptr<CItem>>& GetChildren() const { return m_children; }
    // Takes ownership; appended at the tail (or inserted before index).
    void AddChild(CItem* child);
    void InsertChild(int index, CItem* child);
    // Gives up ownership of child and returns it; null when it is no child of this group.
    CItem* DetachChild(CItem* child);
    void DeleteAllChildren();

    int m_nOverflow = 0; // 0 hidden, 1 auto, 2 scroll, 3 visible
    int m_nMaster1Id = 0;
    CMasterItem* m_pMaster1 = nullptr;
    int m_nMaster2Id = 0;
    CMasterItem* m_pMaster2 = nullptr;

private:
    std::vector<std::unique_ptr<CItem>> m_children;
};

// Union of the rectangles of the group's selected children; all zero when none.
CRect GetBoundingRect(const CGroupItem& group);
