// Item/Resize and the Align menu: the size, place, alignment, distribution, stacking and
// flow order of the selected children of the current container, the entered container's
// own size and the selection's overlapping order. Each change is one edit scope; a dialog
// runs before the scope, so Cancel leaves the project untouched.
#include "editor/commands/Commands.h"

#include "controls/DialogKit.h"
#include "dialogs/SizeDialogs.h"
#include "document/EditScope.h"
#include "document/KJDoc.h"
#include "editor/KJView.h"
#include "framework/ui/Translation.h"
#include "model/GroupItem.h"
#include "model/ItemTypes.h"
#include "model/Page.h"
#include "model/items/ImageItemBase.h"


#include <algorithm>

namespace {

CGroupItem* Group(CItem* item) { return dynamic_cast<CGroupItem*>(item); }

// Items whose size is that of their picture: Item/Resize keeps their centre.
bool ResizesAsPicture(int type)
{
    return type == ITEM_IMAGE || type == ITEM_GIF || type == ITEM_IMAGE_BUTTON || type == ITEM_SHAPE ||
           type == ITEM_ARTISTIC_TEXT || type == ITEM_SYMBOL;
}

struct AlignCommand {
    UINT id;
    const char* undo;
};
constexpr AlignCommand kAlignCommands[] = {
    {ID_ARRANGE_LEFT, "Align Left"},   {ID_ARRANGE_CENTER, "Align Center"}, {ID_ARRANGE_RIGHT, "Align Right"},
    {ID_ARRANGE_TOP, "Align Top"},     {ID_ARRANGE_MIDDLE, "Align Middle"}, {ID_ARRANGE_BOTTOM, "Align Bottom"},
};

} // namespace

void RegisterArrangeCommands(CKJView& view)
{
    CKJView* v = &view;
    auto cmd = [v](UINT id, std::function<void()> handler) { v->OnCommand(id, std::move(handler)); };
    cmd(ID_ITEM_RESIZE, [v] { v->OnItemResize(); });
    cmd(ID_ARRANGE_POSITION, [v] { v->OnAlignPosition(); });
    cmd(ID_ARRANGE_SEND_TO_BACK, [v] { v->OnAlignStack(false); });
    cmd(ID_ARRANGE_BRING_TO_FRONT, [v] { v->OnAlignStack(true); });
    for (const AlignCommand& a : kAlignCommands) {
        const UINT id = a.id;
        cmd(id, [v, id] { v->OnAlignEdge(id); });
    }
    cmd(ID_ARRANGE_SPACE_ACROSS, [v] { v->OnAlignSpaceEvenly(true); });
    cmd(ID_ARRANGE_SPACE_DOWN, [v] { v->OnAlignSpaceEvenly(false); });
    cmd(ID_ARRANGE_CENTER_ON_PAGE, [v] { v->OnAlignCenterOnPage(); });
    cmd(ID_ARRANGE_FIT_TO_PAGE, [v] { v->OnAlignFitToPage(); });
    cmd(ID_ARRANGE_ADD_TO_FLOW, [v] { v->OnAlignAddToFlow(); });
    cmd(ID_ARRANGE_FLOW_FIRST, [v] { v->OnAlignFlowOrder(true); });
    cmd(ID_ARRANGE_FLOW_LAST, [v] { v->OnAlignFlowOrder(false); });
    cmd(ID_CONTAINER_RESIZE, [v] { v->OnInsideBoxResize(); });
    cmd(ID_ARRANGE_OVERLAPPING, [v] { v->OnAlignOverlapping(); });

    auto selected = [v](CCmdUI* ui) { v->OnUpdateItemCommand(ui); };
    for (UINT id : {UINT(ID_ITEM_RESIZE), UINT(ID_ARRANGE_POSITION), UINT(ID_ARRANGE_SEND_TO_BACK),
                    UINT(ID_ARRANGE_BRING_TO_FRONT), UINT(ID_ARRANGE_CENTER_ON_PAGE), UINT(ID_ARRANGE_FIT_TO_PAGE),
                    UINT(ID_ARRANGE_FLOW_FIRST), UINT(ID_ARRANGE_FLOW_LAST), UINT(ID_ARRANGE_OVERLAPPING)})
        view.OnUpdateCommand(id, selected);
    for (const AlignCommand& a : kAlignCommands)
        view.OnUpdateCommand(a.id, selected);
    auto several = [v](CCmdUI* ui) { ui->Enable(Group(v->m_pContainer) && v->CountSelected() > 1); };
    view.OnUpdateCommand(ID_ARRANGE_SPACE_ACROSS, several);
    view.OnUpdateCommand(ID_ARRANGE_SPACE_DOWN, several);
    view.OnUpdateCommand(ID_ARRANGE_ADD_TO_FLOW, [v](CCmdUI* ui) {
        const std::vector<CItem*> items = v->GetSelectedItems();
        ui->Enable(Group(v->m_pContainer) &&
                   std::any_of(items.begin(), items.end(), [](const CItem* i) { return i->m_bPositioned != 0; }));
    });
    view.OnUpdateCommand(ID_CONTAINER_RESIZE, [v](CCmdUI* ui) { ui->Enable(v->m_pContainer != nullptr); });
}

// ---------------------------------------------------------------- size and place

void CKJView::OnItemResize()
{
    CKJDoc* doc = GetProject();
    auto* group = Group(m_pContainer);
    CItem* first = GetSelectedItem();
    if (!doc || !group || !first)
        return;
    const bool picture = ResizesAsPicture(first->m_nType);
    int width = 0, height = 0, widthMode = 0, heightMode = 0;
    if (picture) {
        DResize dlg(this);
        dlg.m_strCaption.Format("%s : %s", UiTranslate("Resize").GetString(), first->Describe().GetString());
        const auto* base = dynamic_cast<const CImageItemBase*>(first);
        dlg.m_nWidth = base ? base->m_nRenderWidth : first->m_nWidth;
        dlg.m_nHeight = base ? base->m_nRenderHeight : first->m_nHeight;
        const int t = first->m_nType;
        dlg.m_bKeepProportions = (t == ITEM_ARTISTIC_TEXT || t == ITEM_IMAGE || t == ITEM_GIF) ? 1 : 0;
        if (dlg.DoModal() != IDOK)
            return;
        width = dlg.m_nWidth;
        height = dlg.m_nHeight;
    } else {
        DBoxResize dlg(this);
        dlg.m_strCaption.Format("%s : %s", UiTranslate("Size").GetString(), first->Describe().GetString());
        dlg.m_nWidth = first->m_nWidth;
        dlg.m_nHeight = first->m_nHeight;
        dlg.m_nWidthMode = first->m_nWidthMode;
        dlg.m_nHeightMode = first->m_nHeightMode;
        if (dlg.DoModal() != IDOK)
            return;
        width = dlg.m_nWidth;
        height = dlg.m_nHeight;
        widthMode = dlg.m_nWidthMode;
        heightMode = dlg.m_nHeightMode;
    }
    const std::vector<CItem*> items = GetSelectedItems();
    // One item: its own snapshot; several: the container's, so that Undo gives all back.
    CEditScope scope(*doc, m_pCurrentPage, m_pContainer, items.size() > 1 ? nullptr : first, "Resize");
    scope.Touch(m_pContainer);
    InvalidateSelection();
    for (CItem* item : items) {
        const CRect r = item->GetRect();
        if (picture) {
            // the centre stays; an odd pixel goes to the right or bottom
            const int dw = width - r.Width(), dh = height - r.Height();
            item->SetRect(r.left - dw / 2, r.top - dh / 2, r.right + dw / 2 + dw % 2, r.bottom + dh / 2 + dh % 2);
        } else {
            item->m_nWidthMode = widthMode;
            item->m_nHeightMode = heightMode;
            item->SetRect(r.left, r.top, r.left + width, r.top + height);
        }
    }
    if (InvalidateSelection()) {
        group->LayoutChildren();
        RedrawNow();
    } else
        update();
}

void CKJView::OnAlignPosition()
{
    CKJDoc* doc = GetProject();
    auto* group = Group(m_pContainer);
    CItem* first = GetSelectedItem();
    if (!doc || !group || !first)
        return;
    const CRect b = GetBoundingRect(*group);
    DPosition dlg(this);
    dlg.m_nX = b.left;
    dlg.m_nY = b.top;
    dlg.m_nPlacement = first->m_bPositioned ? 1 : 0;
    if (dlg.DoModal() != IDOK)
        return;
    CEditScope scope(*doc, m_pCurrentPage, m_pContainer, nullptr, "Move To");
    InvalidateSelection();
    if (dlg.m_nX != b.left || dlg.m_nY != b.top)
        MoveSelection(dlg.m_nX - b.left, dlg.m_nY - b.top);
    bool changed = false;
    for (CItem* item : GetSelectedItems())
        if (item->m_bPositioned != dlg.m_nPlacement) {
            item->m_bPositioned = dlg.m_nPlacement;
            changed = true;
        }
    if (changed) {
        m_pContainer->RecalcLayout();
        RedrawNow();
    }
    InvalidateSelection();
    update();
}

void CKJView::OnAlignStack(bool toFront)
{
    CKJDoc* doc = GetProject();
    auto* group = Group(m_pContainer);
    if (!doc || !group)
        return;
    InvalidateSelection();
    CEditScope scope(*doc, m_pCurrentPage, m_pContainer, nullptr, toFront ? "Bring to Front" : "Send to Back");
    bool flowChanged = false;
    std::vector<CItem*> moved;
    for (CItem* item : GetSelectedItems()) {
        if (!item->m_bPositioned)
            flowChanged = true;
        item->m_bPositioned = 1;
        moved.push_back(group->DetachChild(item));
    }
    // the moved children keep their order, all behind or all in front of the others
    if (toFront)
        for (CItem* item : moved)
            group->AddChild(item);
    else
        for (auto it = moved.rbegin(); it != moved.rend(); ++it)
            group->InsertChild(0, *it);
    if (flowChanged) {
        m_pContainer->RecalcLayout();
        RedrawNow();
    } else {
        InvalidateSelection();
        update();
    }
}

// ---------------------------------------------------------------- alignment and distribution

void CKJView::OnAlignEdge(UINT id)
{
    CKJDoc* doc = GetProject();
    auto* group = Group(m_pContainer);
    if (!doc || !group)
        return;
    const char* undo = "Align";
    for (const AlignCommand& a : kAlignCommands)
        if (a.id == id)
            undo = a.undo;
    const std::vector<CItem*> items = GetSelectedItems();
    const int w = m_pContainer->m_nWidth, h = m_pContainer->m_nHeight;
    const int* inset = m_pContainer->m_nInset;
    const CRect full(0, 0, w, h);
    const CRect inner(inset[SIDE_LEFT], inset[SIDE_TOP], w - inset[SIDE_RIGHT], h - inset[SIDE_BOTTOM]);
    CRect r = GetBoundingRect(*group);
    if (items.size() == 1) {
        // a lone item goes to the inner edge first, and from there to the outer one
        const CItem& item = *items.front();
        switch (id) {
        case ID_ARRANGE_LEFT: r = item.m_nX == inner.left ? full : inner; break;
        case ID_ARRANGE_RIGHT: r = item.m_nX + item.m_nWidth == inner.right ? full : inner; break;
        case ID_ARRANGE_TOP: r = item.m_nY == inner.top ? full : inner; break;
        case ID_ARRANGE_BOTTOM: r = item.m_nY + item.m_nHeight == inner.bottom ? full : inner; break;
        default: r = full; break;
        }
    }
    CEditScope scope(*doc, m_pCurrentPage, m_pContainer, nullptr, undo);
    InvalidateSelection();
    bool leftFlow = false;
    for (CItem* item : items) {
        if (!item->m_bPositioned)
            leftFlow = true;
        item->m_bPositioned = 1;
        switch (id) {
        case ID_ARRANGE_LEFT: item->m_nX = r.left; break;
        case ID_ARRANGE_CENTER: item->m_nX = r.left + (r.Width() - item->m_nWidth) / 2; break;
        case ID_ARRANGE_RIGHT: item->m_nX = r.right - item->m_nWidth; break;
        case ID_ARRANGE_TOP: item->m_nY = r.top; break;
        case ID_ARRANGE_MIDDLE: item->m_nY = r.top + (r.Height() - item->m_nHeight) / 2; break;
        case ID_ARRANGE_BOTTOM: item->m_nY = r.bottom - item->m_nHeight; break;
        default: break;
        }
    }
    // an item that left the flow moves the ones that followed it
    if (leftFlow) {
        m_pContainer->RecalcLayout();
        RedrawNow();
    }
    InvalidateSelection();
    update();
}

void CKJView::OnAlignSpaceEvenly(bool across)
{
    CKJDoc* doc = GetProject();
    auto* group = Group(m_pContainer);
    if (!doc || !group)
        return;
    std::vector<CItem*> items = GetSelectedItems();
    const int n = int(items.size());
    if (n < 2)
        return;
    const CRect r = GetBoundingRect(*group);
    InvalidateSelection();
    CEditScope scope(*doc, m_pCurrentPage, m_pContainer, nullptr, across ? "Space Evenly Across" : "Space Evenly Down");
    auto pos = [across](const CItem* i) { return across ? i->m_nX : i->m_nY; };
    auto extent = [across](const CItem* i) { return across ? i->m_nWidth : i->m_nHeight; };
    // by position; the same position keeps the child order
    std::stable_sort(items.begin(), items.end(), [&](const CItem* a, const CItem* b) { return pos(a) < pos(b); });
    long long total = 0;
    for (const CItem* item : items)
        total += extent(item);
    const long long span = across ? r.Width() : r.Height();
    const int gap = int((span - total) / (n - 1));
    int at = across ? r.left : r.top;
    for (CItem* item : items) {
        (across ? item->m_nX : item->m_nY) = at;
        at += extent(item) + gap;
    }
    InvalidateSelection();
    update();
}

void CKJView::OnAlignCenterOnPage()
{
    CKJDoc* doc = GetProject();
    auto* group = Group(m_pContainer);
    if (!doc || !group)
        return;
    const CRect r = GetBoundingRect(*group);
    const int dx = m_pContainer->m_nWidth / 2 - (r.left + r.right) / 2;
    const int dy = m_pContainer->m_nHeight / 2 - (r.top + r.bottom) / 2;
    CEditScope scope(*doc, m_pCurrentPage, m_pContainer, nullptr, "Center on Page");
    InvalidateSelection();
    for (CItem* item : GetSelectedItems()) {
        item->m_nX += dx;
        item->m_nY += dy;
    }
    InvalidateSelection();
    update();
}

void CKJView::OnAlignFitToPage()
{
    CKJDoc* doc = GetProject();
    auto* group = Group(m_pContainer);
    if (!doc || !group)
        return;
    CWaitCursor wait;
    CEditScope scope(*doc, m_pCurrentPage, m_pContainer, nullptr, "Fit to Page");
    InvalidateSelection();
    for (CItem* item : GetSelectedItems()) {
        InvalidateItem(item);
        InvalidateHandles(item);
        item->SetRect(0, 0, m_pContainer->m_nWidth, m_pContainer->m_nHeight);
        InvalidateItem(item);
        InvalidateHandles(item);
    }
    InvalidateSelection();
    update();
}

// ---------------------------------------------------------------- flow, box size, overlapping

void CKJView::OnAlignAddToFlow()
{
    CKJDoc* doc = GetProject();
    auto* group = Group(m_pContainer);
    if (!doc || !group)
        return;
    const std::vector<CItem*> items = GetSelectedItems();
    if (std::none_of(items.begin(), items.end(), [](const CItem* i) { return i->m_bPositioned != 0; }))
        return;
    CEditScope scope(*doc, m_pCurrentPage, m_pContainer, nullptr, "Add to Flow");
    for (CItem* item : items)
        item->m_bPositioned = 0;
    m_pContainer->RecalcLayout();
    RedrawNow();
}

void CKJView::OnAlignFlowOrder(bool first)
{
    CKJDoc* doc = GetProject();
    auto* group = Group(m_pContainer);
    if (!doc || !group)
        return;
    InvalidateSelection();
    CEditScope scope(*doc, m_pCurrentPage, m_pContainer, nullptr, first ? "Flow as First" : "Flow as Last");
    std::vector<CItem*> moved;
    for (CItem* item : GetSelectedItems()) {
        item->m_bPositioned = 0;
        moved.push_back(group->DetachChild(item));
    }
    if (first)
        for (auto it = moved.rbegin(); it != moved.rend(); ++it)
            group->InsertChild(0, *it);
    else
        for (CItem* item : moved)
            group->AddChild(item);
    m_pContainer->RecalcLayout();
    RedrawNow();
}

void CKJView::OnInsideBoxResize()
{
    CKJDoc* doc = GetProject();
    if (!doc || !m_pContainer)
        return;
    DBoxResize dlg(this);
    dlg.m_strCaption = m_pContainer->m_strName;
    dlg.m_nWidth = m_pContainer->m_nWidth;
    dlg.m_nHeight = m_pContainer->m_nHeight;
    dlg.m_nWidthMode = m_pContainer->m_nWidthMode;
    dlg.m_nHeightMode = m_pContainer->m_nHeightMode;
    if (dlg.DoModal() != IDOK)
        return;
    CEditScope scope(*doc, m_pCurrentPage, m_pContainer, nullptr, "Resize");
    m_pContainer->m_nWidth = dlg.m_nWidth;
    m_pContainer->m_nHeight = dlg.m_nHeight;
    m_pContainer->m_nWidthMode = dlg.m_nWidthMode;
    m_pContainer->m_nHeightMode = dlg.m_nHeightMode;
    m_pContainer->RecalcLayout();
    if (m_pCurrentPage && m_pContainer != m_pCurrentPage) {
        scope.Touch(m_pCurrentPage);
        m_pCurrentPage->RecalcLayout();
    }
    RedrawNow();
}

void CKJView::OnAlignOverlapping()
{
    CKJDoc* doc = GetProject();
    CItem* first = GetSelectedItem();
    if (!doc || !Group(m_pContainer) || !first)
        return;
    DOverlapping dlg(this);
    dlg.m_nZIndex = first->m_nZIndex;
    if (dlg.DoModal() != IDOK)
        return;
    CEditScope scope(*doc, m_pCurrentPage, m_pContainer, nullptr, "Overlapping");
    for (CItem* item : GetSelectedItems()) {
        item->m_nZIndex = dlg.m_nZIndex;
        InvalidateItem(item);
    }
    update();
}
