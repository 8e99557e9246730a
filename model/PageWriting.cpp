// Page and band CSS, HTML and canvas painting; the output folders of the site tree.
#include "framework/core/Colors.h"
#include "model/Escaping.h"
#include "framework/core/Dc.h"
#include "model/Folder.h"
#include "model/FolderOutput.h"
#include "model/HeaderFooterItem.h"
#include "model/ItemAction.h"
#include "model/ItemPainting.h"
#include "model/MasterItem.h"
#include "model/OutputPaths.h"
#include "model/Page.h"
#include "model/PageOutput.h"
#include "model/PublishContext.h"

#include <QtCore/QDir>
#include <algorithm>
#include <set>
#include <string_view>

namespace {

const char* const kBorderNames[BORDER_COUNT] = {"border", "border-left", "border-top", "border-right", "border-bottom"};

bool FullWidth(const int* flag)
{
    return flag && *flag != 0;
}

CString BorderAndFillCss(const CItem& item)
{
    CString s;
    for (int i = 0; i < BORDER_COUNT; ++i)
        s += WriteBorderStyle(item.m_borders[i], kBorderNames[i]);
    if (item.m_pFill)
        item.m_pFill->WriteCss(s);
    return s;
}

// The CSS shared by bands and pages; the band adds its overflow.
CString BlockStyle(const CGroupItem& item, const int* fullWidth, bool band)
{
    CString s = "margin:auto;";
    const int innerHeight = item.m_nHeight - item.m_nInset[SIDE_TOP] - item.m_nInset[SIDE_BOTTOM];
    switch (item.m_nHeightMode) {
    case 0: s.AppendFormat("height:%dpx;", innerHeight); break;
    case 2: s.AppendFormat("min-height:%dpx;", innerHeight); break;
    case 3: s.AppendFormat("max-height:%dpx;", innerHeight); break;
    default: break;
    }
    s.AppendFormat("width:%dpx;", item.m_nWidth - item.m_nInset[SIDE_LEFT] - item.m_nInset[SIDE_RIGHT]);
    if (item.m_nTextAlign == 1)
        s += "text-align:right;";
    else if (item.m_nTextAlign == 2)
        s += "text-align:center;";
    if (band) {
        static const char* const kOverflow[4] = {"overflow:hidden;", "overflow:auto;", "overflow:scroll;", "overflow:visible;"};
        if (item.m_nOverflow >= 0 && item.m_nOverflow < 4)
            s += kOverflow[item.m_nOverflow];
    }
    if (item.m_nPadding > 0)
        s.AppendFormat("padding:%dpx;", item.m_nPadding);
    if (!FullWidth(fullWidth))
        s += BorderAndFillCss(item);
    if (item.m_pPadding)
        s += WritePaddingStyle(*item.m_pPadding);
    return s;
}

void WriteChild(CItem& child, CPageOutput& out)
{
    if (child.m_pFill)
        child.m_pFill->m_pFolder = out.m_pPageFolder;
    const CRawTextScope raw(out, out.m_bRawText); // whatever the item sets ends with it
    child.WriteHtml(out);
}

void WriteMaster(CMasterItem* master, CPageOutput& out)
{
    if (!master)
        return;
    if (master->m_pFill)
        master->m_pFill->m_pFolder = out.m_pPageFolder;
    for (const auto& child : master->GetChildren())
        WriteChild(*child, out);
    out.AppendLine();
}

// A name that can stand as a script variable: letters, digits, "_" and "$", not
// starting with a digit, and no reserved word.
bool IsScriptIdentifier(const CString& name)
{
    static const std::set<CString> kReserved = {
        "break", "case", "catch", "class", "const", "continue", "debugger", "default", "delete", "do", "else", "enum",
        "export", "extends", "false", "finally", "for", "function", "if", "implements", "import", "in", "instanceof",
        "interface", "let", "new", "null", "package", "private", "protected", "public", "return", "static", "super",
        "switch", "this", "throw", "true", "try", "typeof", "var", "void", "while", "with", "yield", "await",
        "arguments", "eval", "undefined", "NaN", "Infinity"};
    if (name.IsEmpty())
        return false;
    for (int i = 0; i < name.GetLength(); ++i) {
        const unsigned char c = (unsigned char)name[i];
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == '$';
        const bool digit = c >= '0' && c <= '9';
        if (!letter && !(digit && i > 0))
            return false;
    }
    return kReserved.count(name) == 0;
}

bool IsPhpPage(const CPage& page)
{
    return page.m_strExtension.CompareNoCase(".php") == 0;
}

// The background extent of a page or band on the canvas.
void CanvasExtent(const CGroupItem& item, const int* fullWidth, int contentWidth, int& left, int& right)
{
    left = 0;
    right = item.m_nWidth;
    if (FullWidth(fullWidth)) {
        left = (item.m_nWidth - contentWidth) / 2;
        right = left + contentWidth;
    }
}

void PaintBackground(CGroupItem& item, CDC* dc, int left, int right)
{
    const int height = item.m_nHeight;
    if (!tessel::ColorIsUnset(item.m_crLayoutBack))
        dc->FillSolidRect(CRect(left, 0, right, height), item.m_crLayoutBack & 0xFFFFFF);
    if (item.m_pFill)
        item.m_pFill->Paint(dc, left, 0, right, height);
    // Strips are kept left, top, bottom, right; each spans the outer corners.
    const int sl = item.m_nStrip[0], st = item.m_nStrip[1], sb = item.m_nStrip[2], sr = item.m_nStrip[3];
    if (sl > 0)
        dc->FillSolidRect(CRect(left - sl, -st, left, height + sb), item.m_crStrip[0] & 0xFFFFFF);
    if (st > 0)
        dc->FillSolidRect(CRect(left - sl, -st, right + sr, 0), item.m_crStrip[1] & 0xFFFFFF);
    if (sr > 0)
        dc->FillSolidRect(CRect(right, -st, right + sr, height + sb), item.m_crStrip[3] & 0xFFFFFF);
    if (sb > 0)
        dc->FillSolidRect(CRect(left - sl, height, right + sr, height + sb), item.m_crStrip[2] & 0xFFFFFF);
}

void PaintAt(CDC* dc, CItem* item)
{
    const int saved = dc->SaveDC();
    const CPoint origin = dc->GetViewportOrg();
    dc->SetViewportOrg(origin.x + item->m_nX, origin.y + item->m_nY);
    item->Draw(dc);
    dc->RestoreDC(saved);
}

} // namespace

// ---------------------------------------------------------------- band

CString CHeaderFooterItem::GetStyle()
{
    return BlockStyle(*this, m_pStretch, true);
}

void CHeaderFooterItem::WriteHtml(CPageOutput& out)
{
    const bool full = FullWidth(m_pStretch);
    if (full) {
        CString outer = "width:100%;text-align:center;" + BorderAndFillCss(*this);
        if (m_nZIndex != 0)
            outer.AppendFormat("z-index:%d;", m_nZIndex);
        out.Append("<div");
        out.AppendAttribute("style", outer);
        out.Append(">");
        out.AppendLine();
    }
    out.AppendLine();
    out.Append("<div");
    const CString style = GetStyle();
    if (!style.IsEmpty())
        out.AppendAttribute("style", style);
    out.Append(">");
    out.AppendLine();
    for (const auto& child : GetChildren())
        WriteChild(*child, out);
    out.Append("</div>");
    out.AppendLine();
    if (full)
        out.Append("</div>");
}

void CHeaderFooterItem::DrawOnCanvas(CDC* dc, int contentWidth)
{
    if (!dc)
        return;
    int left, right;
    CanvasExtent(*this, m_pStretch, contentWidth, left, right);
    PaintBackground(*this, dc, left, right);
    for (const auto& child : GetChildren())
        PaintAt(dc, child.get());
}

// ---------------------------------------------------------------- page

CString CPage::GetStyle()
{
    return BlockStyle(*this, m_pStretch, false);
}

namespace {

// Ids are unique within a page: two items of a page, its bands and masters may carry one
// name (a band's item and a page's item, say), or an item's name may be another's anchor.
// The first keeps its id, each later one (and any that meets an anchor) gets the next free
// "_2", "_3"... for the time the page is written; the names stay.
class CPageIds {
public:
    explicit CPageIds(CPage& page)
    {
        auto collect = [this](CGroupItem* group) {
            if (group)
                group->CollectItems(m_items);
        };
        collect(page.m_pHeaderBand);
        collect(page.m_pMaster1);
        page.CollectItems(m_items);
        for (CItem* clone : page.m_clones)
            if (clone) {
                m_items.push_back(clone);
                clone->CollectItems(m_items);
            }
        collect(page.m_pMaster2);
        collect(page.m_pFooterBand);
        // Anchors are ids too (link targets, they keep their names): an item whose id is
        // another item's anchor yields, and no "_n" repeats one. An anchor that is its own
        // item's id writes no element of its own.
        std::vector<CString> ids;
        ids.reserve(m_items.size());
        bool anchors = false;
        for (CItem* item : m_items) {
            ids.push_back(item->GetHtmlId());
            anchors = anchors || !item->m_strAnchor.IsEmpty();
        }
        // The usual page: no anchors and every id once; nothing to settle.
        if (!anchors) {
            std::vector<std::string_view> sorted;
            sorted.reserve(ids.size());
            for (const CString& id : ids)
                sorted.push_back(id.View());
            std::sort(sorted.begin(), sorted.end());
            if (std::adjacent_find(sorted.begin(), sorted.end()) == sorted.end())
                return;
        }
        std::set<CString> taken;
        std::set<CString> used;
        for (std::size_t i = 0; i < m_items.size(); ++i) {
            CItem* item = m_items[i];
            taken.insert(ids[i]);
            if (!item->m_strAnchor.IsEmpty()) {
                taken.insert(item->m_strAnchor);
                used.insert(item->m_strAnchor);
            }
        }
        for (std::size_t i = 0; i < m_items.size(); ++i) {
            CItem* item = m_items[i];
            const CString& id = ids[i];
            if (item->m_strAnchor == id || used.insert(id).second)
                continue;
            CString unique;
            for (int n = 2;; ++n) {
                unique = CString::Formatted("%s_%d", id.GetString(), n);
                if (!taken.count(unique) && !used.count(unique))
                    break;
            }
            item->m_strPageId = unique;
            used.insert(unique);
        }
    }
    ~CPageIds()
    {
        for (CItem* item : m_items)
            item->m_strPageId.Empty();
    }
    CPageIds(const CPageIds&) = delete;
    CPageIds& operator=(const CPageIds&) = delete;

private:
    CItemList m_items;
};

} // namespace

void CPage::WriteHtml(CPageOutput& out)
{
    const CPageIds ids(*this);
    CString onLoad;
    m_pageAction.GetScript(onLoad);
    out.m_strOnLoad = onLoad;
    out.m_wstrHeadText = m_pageExtra;
    if (m_pFill)
        m_pFill->m_pFolder = out.m_pPageFolder;

    if (m_pHeaderBand) {
        m_pHeaderBand->m_nZIndex = m_nHeaderZIndex;
        m_pHeaderBand->WriteHtml(out);
        out.AppendLine();
    }
    const bool full = FullWidth(m_pStretch);
    if (full) {
        out.Append("<div");
        out.AppendAttribute("style", "width:100%;text-align:center;" + BorderAndFillCss(*this));
        out.AppendAttributeSz("class", "page");
        out.Append(">");
        out.AppendLine();
    }
    out.Append("<div");
    const CString style = GetStyle();
    if (!style.IsEmpty())
        out.AppendAttribute("style", style);
    if (m_pStretch && !full)
        out.AppendAttributeSz("class", "page");
    out.Append(">");

    WriteMaster(m_pMaster1, out);
    out.AppendLine();
    out.AppendUtf8(m_bodyText);
    for (const auto& child : GetChildren())
        WriteChild(*child, out);
    for (CItem* clone : m_clones)
        if (clone)
            WriteChild(*clone, out);
    WriteMaster(m_pMaster2, out);
    out.Append("</div>");
    out.AppendLine();
    if (full)
        out.Append("</div>");

    if (m_pFooterBand) {
        out.AppendLine();
        m_pFooterBand->WriteHtml(out);
    }
    out.AppendLine();

    CItemList items;
    CollectItems(items);
    CString script;
    for (CItem* item : items) {
        // Only names that are script identifiers become variables; others stay unnamed.
        if (!item->m_bInclude || !IsScriptIdentifier(item->m_strName))
            continue;
        script.AppendFormat("%s = document.getElementById('%s');\r\n", item->m_strName.GetString(),
                            EscapeJsString(item->m_strName).GetString());
    }
    if (!m_script.IsEmpty() || !script.IsEmpty()) {
        out.Append("<script type=\"text/javascript\">\r\n");
        out.Append(script);
        out.AppendUtf8(m_script);
        out.Append("\r\n</script>");
    }
    // The visitor counter runs on the server, so only published PHP pages carry it.
    if (m_bStats1 && m_bStats2 && out.m_nMode > kPublishBrowserPreview && IsPhpPage(*this)) {
        out.Append(CString::Formatted("<?php date_default_timezone_set('GMT');$dat=date(\"Y-m-d\");$dat = \"_stats_%d_\".$dat.\".txt\";"
                                      "$f = @fopen($dat, 'a');@fwrite($f,\" \",1);@fclose($f);?>",
                                      m_nSerial));
    }
}

void CPage::DrawCanvas(CDC* dc, int contentWidth)
{
    if (!dc)
        return;
    int left, right;
    CanvasExtent(*this, m_pStretch, contentWidth, left, right);
    PaintBackground(*this, dc, left, right);
    if (m_pMaster1) {
        const int saved = dc->SaveDC();
        m_pMaster1->Draw(dc);
        dc->RestoreDC(saved);
    }
    if (!m_bodyText.IsEmpty()) {
        const int saved = dc->SaveDC();
        CFont font;
        font.CreateFontIndirect(m_lfText.Get());
        dc->SelectObject(&font);
        dc->SetTextColor(m_crLayoutText & 0xFFFFFF);
        dc->SetBkMode(TRANSPARENT);
        CRect r(m_nInset[SIDE_LEFT], m_nInset[SIDE_TOP], m_nWidth - m_nInset[SIDE_RIGHT], m_nHeight - m_nInset[SIDE_BOTTOM]);
        UINT format = DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX;
        if (m_nTextAlign == 1)
            format |= DT_RIGHT;
        else if (m_nTextAlign == 2)
            format |= DT_CENTER;
        dc->DrawTextW(m_bodyText.GetBuffer(), -1, &r, format);
        dc->RestoreDC(saved);
    }
    for (const auto& child : GetChildren())
        PaintAt(dc, child.get());
    for (CItem* clone : m_clones)
        if (clone)
            PaintAt(dc, clone);
    if (m_pMaster2)
        for (const auto& child : m_pMaster2->GetChildren())
            PaintAt(dc, child.get());
}

// ---------------------------------------------------------------- folders

int CreateFolderOutput(CFolder* folder, CPublishContext& context)
{
    if (!folder)
        return 0;
    // A damaged parent chain that loops names no folder at all.
    std::set<const CFolder*> seen;
    for (const CFolder* f = folder; f; f = f->GetParentFolder())
        if (!seen.insert(f).second)
            return 0;
    const CString relative = SafeFolderPath(folder);
    const CString path = context.m_strOutputRoot + relative;
    if (!QDir().mkpath(path.ToQString()))
        return 0;
    CString remote = relative;
    remote.TrimRight('/');
    context.AddFile(path, remote, kPublishFileFolder, &folder->m_nUploadState, 1);
    return 1;
}
