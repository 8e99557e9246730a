#include "model/GroupItem.h"
#include "framework/core/Dc.h"
#include "framework/core/Exceptions.h"
#include "model/Folder.h"
#include "model/ItemFactory.h"
#include "model/ItemHtml.h"
#include "model/ItemTypes.h"
#include "model/PageOutput.h"
#include "model/PublishContext.h"
#include "model/TextStyle.h"
#include "model/items/HeadingItem.h"
#include <algorithm>

namespace {

// Nesting of the group records being read on this thread.
thread_local int t_loadDepth = 0;

struct DepthGuard {
    DepthGuard() { ++t_loadDepth; }
    ~DepthGuard() { --t_loadDepth; }
};

} // namespace

CGroupItem::CGroupItem()
{
    m_nType = ITEM_GROUP;
    m_bPositioned = 1;
    m_nHeightMode = 0;
    m_nZIndex = 0;
    MakeFillAndPadding();
}

CGroupItem::~CGroupItem()
{
    DeleteAllChildren();
}

void CGroupItem::AddChild(CItem* child)
{
    if (child)
        m_children.emplace_back(child);
}

void CGroupItem::InsertChild(int index, CItem* child)
{
    if (!child)
        return;
    index = std::clamp(index, 0, GetChildCount());
    m_children.emplace(m_children.begin() + index, child);
}

CItem* CGroupItem::DetachChild(CItem* child)
{
    auto it = std::find_if(m_children.begin(), m_children.end(), [child](const auto& p) { return p.get() == child; });
    if (it == m_children.end())
        return nullptr;
    CItem* released = it->release();
    m_children.erase(it);
    return released;
}

void CGroupItem::DeleteAllChildren()
{
    // Head to tail, as the children were made.
    for (auto& child : m_children)
        child.reset();
    m_children.clear();
}

void CGroupItem::Serialize(CArchive& ar, int version)
{
    CItem::Serialize(ar, version);
    if (ar.IsStoring()) {
        ar << std::int32_t(m_children.size());
        for (const auto& child : m_children) {
            ar << std::int32_t(child->m_nType);
            child->Serialize(ar, version);
        }
        ar << std::int32_t(m_nOverflow) << std::int32_t(m_nZIndex) << std::int32_t(m_nMaster2Id) << std::int32_t(m_nMaster1Id);
        return;
    }
    DepthGuard depth;
    if (t_loadDepth > kMaxGroupDepth)
        throw CArchiveException(CArchiveException::badSchema, ar.m_strFileName);
    DeleteAllChildren();
    std::int32_t count;
    ar >> count;
    // Every child takes at least its type code.
    ar.CheckCount(count, 4);
    for (std::int32_t i = 0; i < count; ++i) {
        std::int32_t type;
        ar >> type;
        std::unique_ptr<CItem> child(CreateItem(type));
        // The record length of a child is not stored: an unknown one cannot be skipped.
        if (!child)
            throw CArchiveException(CArchiveException::badClass, ar.m_strFileName);
        child->Serialize(ar, version);
        m_children.push_back(std::move(child));
    }
    std::int32_t v;
    ar >> v;
    m_nOverflow = v;
    if (version >= 84) {
        ar >> v;
        m_nZIndex = v;
        ar >> v;
        m_nMaster2Id = v;
    }
    if (version >= 87) {
        ar >> v;
        m_nMaster1Id = v;
    }
}

void CGroupItem::SerializeExtra(CArchive& ar, int version)
{
    CItem::SerializeExtra(ar, version);
    for (const auto& child : m_children)
        child->SerializeExtra(ar, version);
}

void CGroupItem::CollectItems(CItemList& list)
{
    for (const auto& child : m_children) {
        list.push_back(child.get());
        child->CollectItems(list);
    }
}

void CGroupItem::SetSiteStyles(CSiteStyles* styles)
{
    CItem::SetSiteStyles(styles);
    for (const auto& child : m_children) {
        child->SetSiteStyles(styles);
        if (!styles)
            continue;
        // Form controls, preformatted text and headings take their element's style.
        int element = -1;
        switch (child->m_nType) {
        case ITEM_INPUT_FIELD: element = STYLE_INPUT_TEXT; break;
        case ITEM_LIST_CONTROL: case ITEM_DATE_PICKER: element = STYLE_SELECT; break;
        case ITEM_SUBMIT_BUTTON: element = STYLE_INPUT_SUBMIT; break;
        case ITEM_TEXT_AREA: element = STYLE_TEXTAREA; break;
        case ITEM_PREFORMATTED_TEXT: element = STYLE_PRE; break;
        case ITEM_HEADING:
            if (auto* heading = dynamic_cast<CHeadingItem*>(child.get()))
                element = heading->m_nLevel >= 0 && heading->m_nLevel <= 5 ? STYLE_H1 + heading->m_nLevel : STYLE_H1;
            break;
        default: break;
        }
        if (element >= 0)
            child->m_pBaseStyle = &styles->m_styles[element];
    }
}

CString CGroupItem::Describe()
{
    CString s = CItem::Describe();
    s.AppendFormat(" %d item(s)", GetChildCount());
    return s;
}

CString CGroupItem::GetStyle()
{
    static const char* const kOverflow[4] = {"overflow:hidden;", "overflow:auto;", "overflow:scroll;", "overflow:visible;"};
    CString s = CItem::GetStyle();
    if (m_nOverflow >= 0 && m_nOverflow < 4)
        s += kOverflow[m_nOverflow];
    return s;
}

namespace {

bool HasChildren(int type)
{
    return type == ITEM_GROUP || type == ITEM_FORM || type == ITEM_SLIDER;
}

} // namespace

bool FillsInnerWidth(const CItem& item)
{
    const int type = item.m_nType;
    return item.m_nWidthMode == 1
        && (type == ITEM_PARAGRAPH || type == ITEM_GROUP || type == ITEM_FORM || (type == ITEM_HEADING && !item.m_bPositioned));
}

void CGroupItem::LayoutChildren()
{
    // The group's own insets first: the children's widths depend on them.
    CItem::RecalcLayout();
    const int inner = m_nWidth - m_nInset[SIDE_LEFT] - m_nInset[SIDE_RIGHT];
    for (const auto& child : m_children) {
        // A positioned automatic child reaches from its x to the inner right edge.
        auto flowWidth = [&] { return child->m_bPositioned ? std::max(0, inner - child->m_nX) : std::max(0, inner); };
        if (FillsInnerWidth(*child))
            child->m_nWidth = flowWidth();
        if (HasChildren(child->m_nType))
            if (auto* group = dynamic_cast<CGroupItem*>(child.get())) {
                group->LayoutChildren();
                continue;
            }
        child->RecalcLayout();
        // A fixed width too narrow for the text becomes automatic while measuring: a
        // block then takes the inner width like its peers.
        if (FillsInnerWidth(*child) && child->m_nWidth != flowWidth()) {
            child->m_nWidth = flowWidth();
            child->RecalcLayout();
        }
    }
    RecalcLayout();
}

void CGroupItem::WriteHtml(CPageOutput& out)
{
    CItem::WriteHtml(out);
    CString href;
    m_link.BuildHref(href, GetRelativePath(out.m_pPageFolder, m_link.m_pTargetFolder));
    const bool linked = !href.IsEmpty();
    if (linked)
        out.Append("<a" + href + ">");
    out.Append("<div");
    CString style = GetStyle();
    if (!m_bPositioned)
        style += WriteMarginStyle(m_margin, m_nBlockAlign);
    if (!style.IsEmpty())
        out.AppendAttribute("style", style);
    WriteIdClassTitle(out);
    out.Append(">");
    out.AppendLine();
    for (const auto& child : m_children) {
        if (child->m_pFill)
            child->m_pFill->m_pFolder = out.m_pPageFolder;
        const CRawTextScope raw(out, out.m_bRawText); // whatever the child sets ends with it
        child->WriteHtml(out);
    }
    out.Append("</div>");
    if (linked)
        out.Append("</a>");
    out.AppendLine();
}

bool CGroupItem::ExportFiles(CPublishContext& context)
{
    CItem::ExportFiles(context);
    for (const auto& child : m_children) {
        child->m_pParent = m_pParent;
        child->ExportFiles(context);
    }
    return true;
}

int CGroupItem::CountFlaggedChildren() const
{
    return int(std::count_if(m_children.begin(), m_children.end(), [](const auto& c) { return c->m_bSelected != 0; }));
}

CRect GetBoundingRect(const CGroupItem& group)
{
    CRect r;
    bool any = false;
    for (const auto& child : group.GetChildren()) {
        if (!child->m_bSelected)
            continue;
        const CRect c = child->GetRect();
        if (!any) {
            r = c;
            any = true;
        } else {
            r = CRect(std::min(r.left, c.left), std::min(r.top, c.top), std::max(r.right, c.right), std::max(r.bottom, c.bottom));
        }
    }
    return r;
}

void CGroupItem::DrawDragOutline(CDC* dc, int dx, int dy)
{
    if (!dc)
        return;
    CRect r = GetBoundingRect(*this);
    r.OffsetRect(dx, dy);
    dc->MoveTo(r.left, r.top);
    dc->LineTo(r.right, r.top);
    dc->LineTo(r.right, r.bottom);
    dc->LineTo(r.left, r.bottom);
    dc->LineTo(r.left, r.top);
}
