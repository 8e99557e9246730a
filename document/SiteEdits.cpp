#include "document/SiteEdits.h"

#include "document/Generate.h"
#include "document/KJDoc.h"
#include "model/Clipboard.h"
#include "model/Folder.h"
#include "model/HeaderFooterItem.h"
#include "model/MasterItem.h"
#include "model/Page.h"
#include "model/PageOutput.h"
#include "model/PublishContext.h"

#include <algorithm>

namespace {
template <typename T> std::unique_ptr<T> TakeOut(std::vector<std::unique_ptr<T>>& list, const T* object)
{
    auto it = std::find_if(list.begin(), list.end(), [object](const auto& o) { return o.get() == object; });
    if (it == list.end())
        return nullptr;
    std::unique_ptr<T> owned = std::move(*it);
    list.erase(it);
    return owned;
}
} // namespace

CPage* InsertSitePage(CKJDoc& doc, CPage* after, const CWString& title, CFolder* folder, const CString& name)
{
    CPage* page = doc.AddPage(after, &title);
    page->m_pParent = folder;
    page->m_nParentId = folder ? folder->m_nSerial : 0;
    MakeSafeFileName(*page, name.GetString());
    if (page->m_strExtension.IsEmpty())
        page->m_strExtension = ".html";
    // AddPage appends; the new page goes right after the one it was made from.
    auto it = std::find_if(doc.m_pages.begin(), doc.m_pages.end(), [after](const auto& p) { return p.get() == after; });
    if (after && it != doc.m_pages.end())
        std::rotate(it + 1, doc.m_pages.end() - 1, doc.m_pages.end());
    return page;
}

int NextFolderNumber(const CKJDoc& doc)
{
    auto taken = [&doc](int id) {
        return std::any_of(doc.m_folders.begin(), doc.m_folders.end(), [id](const auto& f) { return f->m_nSerial == id; });
    };
    int number = std::max(doc.m_nPageCounter, 1);
    while (taken(number))
        ++number;
    return number;
}

CFolder* InsertSiteFolder(CKJDoc& doc, CFolder* parent, const CString& name)
{
    auto folder = std::make_unique<CFolder>();
    folder->m_nSerial = NextFolderNumber(doc);
    doc.m_nPageCounter = folder->m_nSerial + 1;
    folder->SetParentFolder(parent);
    MakeSafeFileName(*folder, name.GetString());
    ++doc.m_nPageCounter;
    doc.m_folders.push_back(std::move(folder));
    return doc.m_folders.back().get();
}

CMasterItem* InsertSiteMaster(CKJDoc& doc)
{
    auto owned = std::make_unique<CMasterItem>();
    CMasterItem* master = owned.get();
    master->m_nWidth = doc.m_nPageWidth;
    master->SetSiteStyles(&doc.m_styles);
    master->m_strName = CString::Formatted("Master %d", int(doc.m_masters.size()) + 1);
    master->m_nHeight = 500;
    master->RecalcLayout();
    doc.m_masters.push_back(std::move(owned));
    for (auto& page : doc.m_pages)
        if (page->m_nMaster2Id == 0) {
            page->m_nMaster2Id = master->m_nSerial;
            page->m_pMaster2 = master;
        }
    return master;
}

void RenameSitePage(CKJDoc&, CPage& page, const CString& name, CFolder* folder, bool php)
{
    page.m_strExtension = php ? ".php" : ".html";
    MakeSafeFileName(page, name.GetString());
    page.m_pParent = folder;
    page.m_nParentId = folder ? folder->m_nSerial : 0;
}

bool RenameSiteFolder(CKJDoc&, CFolder& folder, const CString& name, CFolder* parent)
{
    for (const CSiteObject* f = parent; f; f = f->m_pParent)
        if (f == &folder)
            return false;
    MakeSafeFileName(folder, name.GetString());
    folder.SetParentFolder(parent);
    return true;
}

void RenameSiteFile(CKJDoc&, CFileRecord& file, const CString& name, CFolder* folder)
{
    MakeSafeFileName(file, name.GetString());
    file.m_pParent = folder;
    file.m_nParentId = folder ? folder->m_nSerial : 0;
}

std::unique_ptr<CItem> DetachSitePage(CKJDoc& doc, CPage* page)
{
    if (doc.m_pages.size() < 2)
        return nullptr;
    std::unique_ptr<CPage> owned = TakeOut(doc.m_pages, static_cast<const CPage*>(page));
    if (!owned)
        return nullptr;
    doc.ClearUndo();
    // Clones of its items shown on other pages go with it.
    for (const auto& child : owned->GetChildren())
        doc.RemoveItemReferences(child.get());
    doc.UpdateItemLinks();
    return owned;
}

std::unique_ptr<CItem> DetachSiteMaster(CKJDoc& doc, CMasterItem* master)
{
    std::unique_ptr<CMasterItem> owned = TakeOut(doc.m_masters, static_cast<const CMasterItem*>(master));
    if (!owned)
        return nullptr;
    doc.ClearUndo();
    const int id = owned->m_nSerial;
    for (auto& page : doc.m_pages) {
        // a stored id of a master that is gone would find nothing, or another object later
        if (page->m_nMaster1Id == id)
            page->m_nMaster1Id = 0;
        if (page->m_nMaster2Id == id)
            page->m_nMaster2Id = 0;
    }
    for (const auto& child : owned->GetChildren())
        doc.RemoveItemReferences(child.get());
    doc.UpdateItemLinks();
    return owned;
}

bool DeleteSiteFile(CKJDoc& doc, CFileRecord* file)
{
    std::unique_ptr<CFileRecord> owned = TakeOut(doc.m_fileRecords, static_cast<const CFileRecord*>(file));
    if (!owned)
        return false;
    doc.ClearUndo();
    doc.UpdateItemLinks();
    return true;
}

bool SetSitePageWidth(CKJDoc& doc, int width)
{
    if (width == doc.m_nPageWidth)
        return false;
    doc.m_nPageWidth = width;
    doc.ApplyPageWidth();
    return true;
}

CString BuildPageSource(CKJDoc& doc, CPage* page)
{
    if (!page)
        return CString();
    CPageOutput out(kPublishUpload, doc.m_nPageWidth);
    BuildPageHtml(doc, page, out);
    return out.m_strFinalPage;
}

bool MakePreviewOnlineAddress(const CString& root, const CString& pagePath, CString& address)
{
    CString base = root;
    base.Trim();
    CString lower = base;
    lower.MakeLower();
    // Only a web address is opened: anything else would run a local program or file.
    const bool web = lower.Left(7) == "http://" || lower.Left(8) == "https://";
    if (!web || base.GetLength() <= (lower.Left(5) == "https" ? 8 : 7))
        return false;
    if (base[base.GetLength() - 1] != '/')
        base += "/";
    CString path = pagePath;
    while (!path.IsEmpty() && path[0] == '/')
        path = path.Mid(1);
    address = base + path;
    return true;
}
