#include "document/KJDoc.h"

#include "document/EditScope.h"
#include "document/ExtensionSection.h"
#include "document/ProjectFormat.h"
#include "document/SafeSave.h"
#include "framework/core/CFile.h"
#include "framework/core/MessageBox.h"
#include "framework/core/Paths.h"
#include "framework/core/Profile.h"
#include "model/Folder.h"
#include "model/GroupItem.h"
#include "model/HeaderFooterItem.h"
#include "model/Item.h"
#include "model/ItemFactory.h"
#include "model/ItemTypes.h"
#include "model/MasterItem.h"
#include "model/OutputPaths.h"
#include "model/Page.h"
#include "model/Picture.h"
#include "model/PublishContext.h"
#include "model/Translate.h"
#include "model/items/HeadingItem.h"
#include "model/items/ImageCloneItem.h"
#include "model/items/ImageItemBase.h"
#include "model/items/LinkItem.h"
#include "model/items/MenuItem.h"
#include "model/items/ImageItem.h"
#include "model/items/ParagraphItem.h"
#include "model/items/ShapeItem.h"
#include "model/items/SubmitButtonItem.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace {

CString Tr(const char* text) { return Translate(text); }

// Reads a list count: a count of 0 or below is an empty list; more elements than the
// remaining bytes can hold (each at least minBytes) is a damaged file.
int ReadCount(CArchive& ar, std::uint64_t minBytes)
{
    std::int32_t n = 0;
    ar >> n;
    if (n <= 0)
        return 0;
    ar.CheckCount(n, minBytes);
    return n;
}

std::int32_t I32(int v) { return std::int32_t(v); }

void ReadInt(CArchive& ar, int& v)
{
    std::int32_t x;
    ar >> x;
    v = x;
}

// A name that becomes a file or folder name must stay inside the output folder.
bool IsSafeFileName(const CString& name)
{
    if (name == "." || name == "..")
        return false;
    for (int i = 0; i < name.GetLength(); ++i) {
        char c = name[i];
        if (c == '/' || c == '\\' || c == '\0')
            return false;
    }
    return true;
}

bool IsClonableSource(int type)
{
    return type == ITEM_IMAGE || type == ITEM_IMAGE_BUTTON || type == ITEM_ARTISTIC_TEXT || type == ITEM_SHAPE || type == ITEM_SYMBOL;
}

// Sizes and distances far beyond any page would overflow the layout arithmetic.
bool WithinLayoutLimit(long long v)
{
    constexpr int kLimit = 100000;
    return v >= -kLimit && v <= kLimit;
}

// Pages, bands and masters by serial: the first of a serial in the order FindObjectById
// looks, found without a walk per lookup.
class ObjectIndex {
public:
    explicit ObjectIndex(const CKJDoc& doc)
    {
        auto index = [&](auto& list) {
            for (auto& o : list)
                m_objects.try_emplace(o->m_nSerial, o.get());
        };
        index(doc.m_pages);
        index(doc.m_footerBands);
        index(doc.m_headerBands);
        index(doc.m_masters);
    }
    CItem* Find(int id) const
    {
        if (id == 0)
            return nullptr;
        auto it = m_objects.find(id);
        return it == m_objects.end() ? nullptr : it->second;
    }

private:
    std::unordered_map<int, CItem*> m_objects;
};

// The file-name parts and the sizes of a loaded item are within bounds.
bool IsLoadedItemSound(const CItem& i)
{
    if (!IsSafeFileName(i.m_strBaseName) || !IsSafeFileName(i.m_strExtension))
        return false;
    for (long long v : {i.m_nX, i.m_nY, i.m_nWidth, i.m_nHeight, i.m_nPadding, i.m_nFontSize, i.m_nLetterSpacing, i.m_nBorderRadius})
        if (!WithinLayoutLimit(v))
            return false;
    for (const CBorderSide& b : i.m_borders)
        if (!WithinLayoutLimit(b.m_nWidth))
            return false;
    for (const CBoxSpacing* b : {&i.m_margin, static_cast<const CBoxSpacing*>(i.m_pPadding.get())})
        if (b)
            for (long long v : {b->m_nLeft, b->m_nTop, b->m_nRight, b->m_nBottom})
                if (!WithinLayoutLimit(v))
                    return false;
    return true;
}

// Every fill an item owns: its own, and the hover, drop-down and caption fills of the
// items that have them.
template <typename Visit>
void VisitItemFills(CItem& item, Visit&& visit)
{
    if (item.m_pFill)
        visit(*item.m_pFill);
    if (auto* link = dynamic_cast<CLinkItem*>(&item)) {
        // a hover fill not held has the defaults: no picture, nothing to visit
        if (CFillStyle* hover = link->m_hoverFill.IfHeld())
            visit(*hover);
    }
    else if (auto* button = dynamic_cast<CSubmitButtonItem*>(&item))
        visit(button->m_hoverFill);
    else if (auto* menu = dynamic_cast<CMenuItem*>(&item))
        visit(menu->m_dropFill);
    else if (auto* shape = dynamic_cast<CShapeItem*>(&item))
        if (shape->m_caption.m_pFill)
            visit(*shape->m_caption.m_pFill);
}

} // namespace

// --- small records ----------------------------------------------------------------

void CGuide::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << I32(m_bVertical) << I32(m_bHorizontal) << I32(m_nPosition);
    } else {
        ReadInt(ar, m_bVertical);
        ReadInt(ar, m_bHorizontal);
        ReadInt(ar, m_nPosition);
    }
}

void CNamedString::Serialize(CArchive& ar)
{
    m_name.Serialize(ar);
    m_value.Serialize(ar);
}

// --- construction -------------------------------------------------------------------

CKJDoc::CKJDoc()
{
    m_nGridX = GetProfileInt("Current", "GridX", 20);
    m_nGridY = GetProfileInt("Current", "GridY", 20);
    m_bGridOn = GetProfileInt("Current", "GridOn", 0);
    m_bShowGuides = GetProfileInt("Current", "ShowRulers", 1);
    m_strRootUrl = GetProfileString("Server", "Root", "http://www.example.com/");
    m_websiteBackground.m_crColor = 0xE0E0E0;
    m_allPagesBackground.m_crColor = 0xFFFFFFFF;
    // The browser command: the desktop's handler for HTML (xdg-open opens the default browser).
    m_strBrowserCommand = "xdg-open";
}

CKJDoc::~CKJDoc()
{
    FreeDocumentContent();
}

void CKJDoc::SetPathName(const CString& path)
{
    m_strPathName = path;
    m_strTitle = tessel::FileNameOf(path);
}

void CKJDoc::FreeDocumentContent()
{
    // pages first: they point at bands, masters and folders
    m_pages.clear();
    m_folders.clear();
    m_footerBands.clear();
    m_headerBands.clear();
    m_textures.clear();
    m_undo.Clear();
    m_namedStrings.clear();
    m_styleClasses.clear();
    m_fileRecords.clear();
    m_masters.clear();
    m_guides.clear();
}

// --- the default site -----------------------------------------------------------------

bool CKJDoc::OnNewDocument()
{
    FreeDocumentContent();
    SetModifiedFlag(false);
    ResetToNewSite();
    m_allPagesBackground.m_crColor = 0xFFFFFFFF;
    CPage* page = m_pages.front().get();
    page->m_title = Tr("Home Page");
    page->m_strBaseName = "index";
    m_bStretchToBrowser = 1;

    auto h1 = std::make_unique<CHeadingItem>();
    h1->m_pBaseStyle = &m_styles.m_styles[0];
    h1->m_nLevel = 0;
    h1->m_strText = Tr("Welcome to our website");
    h1->m_nTextAlign = 2;
    h1->m_nWidth = 500;
    h1->m_nX = 200;
    h1->m_nY = 100;
    h1->m_nWidthMode = 0;
    page->AddChild(h1.release());

    auto h2 = std::make_unique<CHeadingItem>();
    h2->m_pBaseStyle = &m_styles.m_styles[1];
    h2->m_nLevel = 1;
    h2->m_strText = Tr("Headings improve your rank in search engine listings.");
    h2->m_nTextAlign = 2;
    h2->m_nWidth = 500;
    h2->m_nX = 200;
    h2->m_nY = 200;
    h2->m_nWidthMode = 0;
    page->AddChild(h2.release());

    std::unique_ptr<CParagraphItem> p(NewParagraph());
    p->m_strText = Tr("Double click to edit text. Use \"Insert\" menu to add more page contents.");
    p->m_nX = 150;
    p->m_nY = 300;
    p->m_nTextAlign = 2;
    p->m_nWidth = 600;
    page->AddChild(p.release());

    CHeaderFooterItem* header = m_headerBands.front().get();
    std::unique_ptr<CParagraphItem> hp(NewParagraph());
    hp->m_nWidth = 600;
    hp->m_nTextAlign = 2;
    hp->m_nX = 150;
    hp->m_nFontSize = 14;
    hp->m_crText = 0xFFFFFF;
    CString headerText = CString(Tr("Double click to edit the header.")) + "\r\n" + Tr("The header will appear on all pages.") + "\r\n" + Tr("Insert logo and top menu here.") + "\r\n";
    hp->m_strText = headerText.GetString();
    header->AddChild(hp.release());
    if (header->m_pFill)
        header->m_pFill->m_crColor = 0x000000;

    CHeaderFooterItem* footer = m_footerBands.front().get();
    std::unique_ptr<CParagraphItem> fp(NewParagraph());
    fp->m_strText = Tr("\xC2\xA9 Copyright. Double click to edit, the footer will appear on all pages.");
    fp->m_nTextAlign = 2;
    fp->m_nX = 50;
    fp->m_nY = 8;
    fp->m_nWidth = 800;
    fp->m_nWidthMode = 0;
    fp->m_nFontSize = 8;
    footer->AddChild(fp.release());

    ApplyPageWidth();
    return true;
}

void CKJDoc::BindObject(CItem& object)
{
    object.SetSiteStyles(&m_styles);
}

void CKJDoc::ResetToNewSite()
{
    CPage* page = AddPage(nullptr, nullptr);
    if (page->m_pFill)
        page->m_pFill->m_crColor = 0xFFFFFF;
    page->m_title = "Home Page";
    page->m_strBaseName = "index";
    m_nPreviewFrame = 1;

    auto makeBand = [&](const char* name) {
        auto band = std::make_unique<CHeaderFooterItem>();
        band->m_pStretch = &m_bStretchToBrowser;
        band->m_pCenter = &m_bCenterInBrowser;
        band->m_nWidth = m_nPageWidth;
        band->m_nHeight = 100;
        band->m_bPositioned = 0;
        band->m_nOverflow = 3;
        band->m_strName = name;
        BindObject(*band);
        band->RecalcLayout();
        return band;
    };
    auto header = makeBand("Main Header");
    page->m_pHeaderBand = header.get();
    page->m_nHeaderBandId = header->m_nSerial;
    m_headerBands.push_back(std::move(header));
    auto footer = makeBand("Main Footer");
    page->m_pFooterBand = footer.get();
    page->m_nFooterBandId = footer->m_nSerial;
    m_footerBands.push_back(std::move(footer));

    auto cls = std::make_unique<CStyleClass>(12, 0);
    cls->m_crColor = 0x0000FF;
    cls->m_strFace = "Verdana";
    cls->m_nBold = 1;
    cls->m_strName = "redlink";
    m_styleClasses.push_back(std::move(cls));
    page->RecalcLayout();
}

CString CKJDoc::MakeUniquePageName(const CString& wanted, const CFolder* folder, const CPage* self) const
{
    CString base;
    for (int i = 0; i < wanted.GetLength(); ++i) {
        char c = wanted[i];
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-')
            base += c;
    }
    if (base.IsEmpty())
        base = "page";
    auto taken = [&](const CString& name) {
        for (const auto& p : m_pages)
            if (p.get() != self && p->GetFolder() == folder && p->m_strBaseName.CompareNoCase(name) == 0)
                return true;
        return false;
    };
    CString name = base;
    for (int n = 2; taken(name); ++n)
        name = base + CString::Formatted("_%d", n);
    return name;
}

CParagraphItem* CKJDoc::NewParagraph()
{
    auto* p = new CParagraphItem();
    p->m_pBaseStyle = &m_styles.m_base;
    p->m_pLinkStyle = &m_styles.m_link;
    p->m_nWidth = 500;
    p->m_nLineHeight = 5;
    return p;
}

CPage* CKJDoc::AddPage(CPage* layoutFrom, const CWString* title)
{
    auto owned = std::make_unique<CPage>();
    CPage* page = owned.get();
    page->m_pStretch = &m_bStretchToBrowser;
    page->m_pCenter = &m_bCenterInBrowser;
    page->m_nWidth = m_nPageWidth;
    BindObject(*page);
    if (layoutFrom) {
        page->m_pFooterBand = layoutFrom->m_pFooterBand;
        page->m_nFooterBandId = layoutFrom->m_nFooterBandId;
        page->m_pHeaderBand = layoutFrom->m_pHeaderBand;
        page->m_nHeaderBandId = layoutFrom->m_nHeaderBandId;
        page->m_nMaster1Id = layoutFrom->m_nMaster1Id;
        page->m_pMaster1 = layoutFrom->m_pMaster1;
        page->m_nMaster2Id = layoutFrom->m_nMaster2Id;
        page->m_pMaster2 = layoutFrom->m_pMaster2;
        if (layoutFrom->m_pFill && page->m_pFill)
            page->m_pFill->CopySettings(*layoutFrom->m_pFill);
        page->m_nPadding = layoutFrom->m_nPadding;
        for (int i = 0; i < 5; ++i)
            page->m_borders[i] = layoutFrom->m_borders[i];
        page->m_nWidth = layoutFrom->m_nWidth;
        page->m_nHeaderZIndex = layoutFrom->m_nHeaderZIndex;
    }
    m_pages.push_back(std::move(owned));
    if (title) {
        auto heading = std::make_unique<CHeadingItem>();
        heading->m_pBaseStyle = &m_styles.m_styles[0];
        heading->m_nLevel = 0;
        heading->m_strText = *title;
        heading->m_nX = 8;
        heading->m_nY = 8;
        heading->m_bPositioned = 0;
        heading->m_nWidthMode = 1; // a block across the page, as the browser shows it
        heading->RecalcLayout();
        page->AddChild(heading.release());
        page->m_title = *title;
        CString ascii;
        title->ToAsciiName(ascii);
        ascii.MakeLower();
        ascii.Replace(' ', '_');
        page->m_strBaseName = MakeUniquePageName(ascii, page->GetFolder(), page);
        std::unique_ptr<CParagraphItem> p(NewParagraph());
        CWString text;
        text = (CString(Tr("Double-click this text to write more about")) + " ").GetString();
        text.Append(*title);
        p->m_strText = text;
        p->m_bPositioned = 0;
        p->RecalcLayout();
        page->AddChild(p.release());
    }
    page->LayoutChildren();
    return page;
}

void CKJDoc::ApplyPageWidth()
{
    auto apply = [&](CGroupItem& g) {
        g.m_nWidth = m_nPageWidth;
        g.LayoutChildren();
    };
    for (auto& p : m_pages)
        apply(*p);
    for (auto& b : m_headerBands)
        apply(*b);
    for (auto& b : m_footerBands)
        apply(*b);
    for (auto& m : m_masters)
        apply(*m);
}

// --- lookups --------------------------------------------------------------------------

void CKJDoc::CollectAllItems(CItemList& out) const
{
    auto add = [&](CItem& container) {
        out.push_back(&container);
        container.CollectItems(out);
    };
    for (auto& p : m_pages)
        add(*p);
    for (auto& m : m_masters)
        add(*m);
    for (auto& b : m_footerBands)
        add(*b);
    for (auto& b : m_headerBands)
        add(*b);
}

CItem* CKJDoc::FindItemById(int id) const
{
    if (id == 0)
        return nullptr;
    CItemList all;
    CollectAllItems(all);
    for (CItem* i : all)
        if (i->m_nSerial == id)
            return i;
    return nullptr;
}

CItem* CKJDoc::FindObjectById(int id) const
{
    if (id == 0)
        return nullptr;
    for (auto& p : m_pages)
        if (p->m_nSerial == id)
            return p.get();
    for (auto& b : m_footerBands)
        if (b->m_nSerial == id)
            return b.get();
    for (auto& b : m_headerBands)
        if (b->m_nSerial == id)
            return b.get();
    for (auto& m : m_masters)
        if (m->m_nSerial == id)
            return m.get();
    return nullptr;
}

CPicture* CKJDoc::FindItemByRef(int pictureId) const
{
    if (pictureId == 0)
        return nullptr;
    for (auto& t : m_textures)
        if (t->m_nPictureId == pictureId)
            return t.get();
    return nullptr;
}

CFolder* CKJDoc::FindFolderById(int id) const
{
    if (id == 0)
        return nullptr;
    for (auto& f : m_folders)
        if (f->m_nSerial == id)
            return f.get();
    return nullptr;
}

CPage* CKJDoc::FindIndexPage() const
{
    for (auto& p : m_pages)
        if (p->m_strBaseName == "index")
            return p.get();
    return nullptr;
}

namespace {
void CollectCandidates(const CKJDoc& doc, CPage* page, CItemList& out)
{
    if (page) {
        page->CollectBandItems(out);
        page->CollectItems(out);
    } else
        doc.CollectAllItems(out);
}
} // namespace

bool CKJDoc::CheckItemName(const CString& name, const CItem* self, CPage* page) const
{
    CItemList candidates;
    CollectCandidates(*this, page, candidates);
    bool clash = std::any_of(candidates.begin(), candidates.end(), [&](CItem* i) { return i != self && i->m_strName == name; });
    if (!clash)
        return false;
    CString text = CString::Formatted(Tr("The name %s already exists and items will conflict with each other. Do you want to use this name anyway?"), name.GetString());
    return AfxMessageBox(text, MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2) != IDYES;
}

bool CKJDoc::FindItemByName(const CString& fileName, const CItem* self, CPage* page) const
{
    CItemList candidates;
    CollectCandidates(*this, page, candidates);
    return std::any_of(candidates.begin(), candidates.end(), [&](CItem* i) {
        return i != self && i->m_strBaseName == fileName && i->m_strExtension == self->m_strExtension;
    });
}

void CKJDoc::BindItemClasses()
{
    CItemList all;
    CollectAllItems(all);
    for (CItem* i : all)
        BindItemClass(*i);
}

void CKJDoc::BindItemClass(CItem& item) const
{
    item.m_pStyleClass = nullptr;
    if (item.m_strClass.IsEmpty())
        return;
    for (auto& c : m_styleClasses)
        if (c->m_strName == item.m_strClass)
            item.m_pStyleClass = c.get();
}

// --- relinking ------------------------------------------------------------------------

void CKJDoc::FixupPageAfterLoad(CPage* page)
{
    // a reference must name an object of the right kind, or it stays empty
    CItem* footer = FindObjectById(page->m_nFooterBandId);
    page->m_pFooterBand = dynamic_cast<CHeaderFooterItem*>(footer);
    CItem* header = FindObjectById(page->m_nHeaderBandId);
    page->m_pHeaderBand = dynamic_cast<CHeaderFooterItem*>(header);
    CItem* m1 = FindObjectById(page->m_nMaster1Id);
    page->m_pMaster1 = dynamic_cast<CMasterItem*>(m1);
    CItem* m2 = FindObjectById(page->m_nMaster2Id);
    page->m_pMaster2 = dynamic_cast<CMasterItem*>(m2);
    page->m_pParent = FindFolderById(page->m_nParentId);
    BindObject(*page);
    auto reconnect = [&](CItem& item) {
        if (item.m_pFill && item.m_pFill->m_nPictureId)
            item.m_pFill->m_pPicture = FindItemByRef(item.m_pFill->m_nPictureId);
    };
    reconnect(*page);
    CItemList items;
    page->CollectItems(items);
    for (CItem* i : items)
        reconnect(*i);
    std::vector<int> ids = page->m_cloneIds;
    page->m_clones.clear();
    page->m_cloneIds.clear();
    for (int id : ids)
        if (CItem* i = FindItemById(id)) {
            PageAddClone(page, i);
            page->m_cloneIds.push_back(id); // a second fix-up keeps what the first found
        }
}

void CKJDoc::UpdateItemLinks()
{
    CItemList all;
    CollectAllItems(all);
    std::unordered_set<const CItem*> present(all.begin(), all.end());
    for (CItem* i : all) {
        // the class decides, not the type field a damaged record may have changed
        auto* clone = dynamic_cast<CImageCloneItem*>(i);
        if (!clone)
            continue;
        CItem* src = FindItemById(clone->m_nSourceId);
        // a clone whose source is gone or of the wrong kind keeps no pointer
        clone->m_pSource = src && IsClonableSource(src->m_nType) && dynamic_cast<CImageItemBase*>(src) ? src : nullptr;
    }
    for (auto& p : m_pages) {
        auto& clones = p->m_clones;
        clones.erase(std::remove_if(clones.begin(), clones.end(), [&](CItem* c) { return !present.count(c); }), clones.end());
    }
    for (auto& p : m_pages) {
        p->m_pMaster1 = nullptr;
        p->m_pMaster2 = nullptr;
        for (auto& m : m_masters) {
            if (!p->m_pMaster1 && p->m_nMaster1Id && m->m_nSerial == p->m_nMaster1Id)
                p->m_pMaster1 = m.get();
            if (!p->m_pMaster2 && p->m_nMaster2Id && m->m_nSerial == p->m_nMaster2Id)
                p->m_pMaster2 = m.get();
        }
    }
}

bool CKJDoc::RemoveItemReferences(CItem* target)
{
    if (!target)
        return false;
    // the target and everything inside it go away
    std::unordered_set<const CItem*> gone{target};
    CItemList inside;
    target->CollectItems(inside);
    gone.insert(inside.begin(), inside.end());
    bool removed = false;
    for (auto& p : m_pages) {
        auto& clones = p->m_clones;
        auto end = std::remove_if(clones.begin(), clones.end(), [&](CItem* c) { return gone.count(c) != 0; });
        if (end != clones.end()) {
            clones.erase(end, clones.end());
            removed = true;
        }
        // Image Clones among the page's own items that show the target are deleted
        std::vector<CItem*> doomed;
        for (const auto& child : p->GetChildren()) {
            CItem* c = child.get();
            auto* clone = dynamic_cast<CImageCloneItem*>(c);
            if (c != target && clone && gone.count(clone->m_pSource))
                doomed.push_back(c);
        }
        for (CItem* c : doomed) {
            // no clone list may keep the deleted clone either
            for (auto& q : m_pages)
                PageRemoveClone(q.get(), c);
            delete p->DetachChild(c);
            removed = true;
        }
    }
    // clones anywhere else lose their source instead of keeping a dangling pointer
    CItemList all;
    CollectAllItems(all);
    for (CItem* i : all) {
        auto* clone = dynamic_cast<CImageCloneItem*>(i);
        if (clone && gone.count(clone->m_pSource) && !gone.count(i)) {
            clone->m_pSource = nullptr;
            removed = true;
        }
    }
    return removed;
}

void CKJDoc::CollectLinkRecords(std::vector<CItemLink*>& out) const
{
    CItemList all;
    CollectAllItems(all);
    for (CItem* i : all) {
        out.push_back(&i->m_link);
        if (auto* paragraph = dynamic_cast<CParagraphItem*>(i))
            for (auto& entry : paragraph->m_links)
                out.push_back(entry.second.get());
        // an image map's areas lead somewhere too: without this their tags have no address
        if (auto* image = dynamic_cast<CImageItem*>(i))
            for (auto& area : image->m_areas)
                out.push_back(&area->m_link);
    }
}

void CKJDoc::ResolveLinks(const CPublishContext& context)
{
    const bool preview = context.m_nMode < 2;
    auto withHtml = [&](const CSiteObject& o) {
        CString name = SafeObjectFileName(o); // the name the file is written under
        if (preview && o.m_strExtension != ".html")
            name += ".html";
        return name;
    };
    // Every link is looked up: one index of the objects instead of a walk per link.
    const ObjectIndex objects(*this);
    auto find = [&](int id) { return objects.Find(id); };
    std::vector<CItemLink*> links;
    CollectLinkRecords(links);
    for (CItemLink* link : links) {
        if (link->m_nKind == kLinkPage && link->m_nTargetId != 0) {
            if (CItem* o = find(link->m_nTargetId)) {
                link->m_strHref = withHtml(*o);
                link->m_pTargetFolder = dynamic_cast<CFolder*>(o->m_pParent);
            } else {
                link->m_pTargetFolder = nullptr;
            }
            if (link->m_nTargetId == -1) {
                // The site's top folder, relative like every page link: the writers put
                // the way up from the page's folder in front ("/" would become "../..//"
                // and miss a site that does not lie at the server's root).
                link->m_strHref = "./";
                if (preview)
                    if (CPage* index = FindIndexPage())
                        link->m_strHref = withHtml(*index);
                link->m_pTargetFolder = nullptr;
            }
            for (auto& f : m_fileRecords)
                if (f->m_nSerial == link->m_nTargetId) {
                    link->m_strHref = SafeObjectFileName(*f);
                    link->m_pTargetFolder = dynamic_cast<CFolder*>(f->m_pParent);
                }
        } else if (link->m_nKind == kLinkAddress && !link->m_strUrl.IsEmpty()) {
            link->m_strHref = link->m_strUrl;
        }
    }
}

// --- the project file -----------------------------------------------------------------

void CKJDoc::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        WriteProject(ar);
    else
        ReadProject(ar);
}

void CKJDoc::WriteProject(CArchive& ar)
{
    project::WriteHeader(ar);
    ar << I32(GetObjectCounter()) << I32(m_nPageCounter) << I32(m_nItemCounter) << I32(m_nImageCounter);
    ar << m_strCssFile << m_strExportFolder;
    ar << I32(m_nPageMargin) << I32(m_nReserved) << I32(m_bStretchToBrowser);
    ar << m_strRootUrl << m_strFtpHost << I32(m_nFtpPort) << m_strFtpUser << m_strFtpFolder << I32(m_bFtpPassive);
    project::WritePassword(ar, m_strFtpPassword);
    m_allPagesBackground.Serialize(ar, 0);
    m_websiteBackground.Serialize(ar, 0);
    m_styles.Serialize(ar, 0);
    ar << I32(int(m_textures.size()));
    for (auto& t : m_textures)
        t->Serialize(ar, 0);
    ar << I32(int(m_guides.size()));
    for (auto& g : m_guides)
        g->Serialize(ar);
    ar << I32(int(m_namedStrings.size()));
    for (auto& s : m_namedStrings)
        s->Serialize(ar);
    ar << I32(int(m_styleClasses.size()));
    for (auto& c : m_styleClasses) {
        ar << I32(c->m_nKind);
        c->Serialize(ar, 0);
    }
    ar << I32(int(m_footerBands.size()));
    for (auto& b : m_footerBands)
        b->Serialize(ar, 0);
    ar << I32(int(m_headerBands.size()));
    for (auto& b : m_headerBands)
        b->Serialize(ar, 0);
    ar << I32(int(m_folders.size()));
    for (auto& f : m_folders)
        f->Serialize(ar, 0);
    ar << I32(int(m_pages.size()));
    for (auto& p : m_pages)
        p->Serialize(ar, 0);
    ar << I32(int(m_fileRecords.size()));
    for (auto& f : m_fileRecords)
        f->Serialize(ar, 0);
    ar << m_strAnalytics << I32(m_nPreviewFrame) << I32(m_nPageWidth);
    m_globalTitle.Serialize(ar);
    ar << I32(int(m_masters.size()));
    for (auto& m : m_masters)
        m->Serialize(ar, 0);
    for (int v : m_legacySettings)
        ar << I32(v);
    ar << m_strFacebookChannel << I32(m_bFacebookConnect) << I32(m_bFacebookFaces) << I32(m_bFacebookStream) << I32(m_nFacebookStyle);
    ar << m_strLegacyText;
    ar << I32(m_nGridX) << I32(m_nGridY) << I32(m_nDuplicateDX) << I32(m_nDuplicateDY) << I32(m_bGridOn) << I32(m_bShowGuides);
    // the extension section: the extra values of every object in body order; a 9.2 reader
    // stops before it
    project::WriteExtensionSection(ar, [this](CArchive& a) { WriteExtras(a); });
}

void CKJDoc::ReadProject(CArchive& ar)
{
    CString versionText;
    const int v = project::ReadHeader(ar, &versionText);
    if (v > project::kCurrentVersion) {
        AfxMessageBox(project::NewerVersionMessage(versionText), MB_OK | MB_ICONSTOP);
        throw CProjectVersionException(ar.m_strFileName);
    }
    std::int32_t storedCounter;
    ar >> storedCounter;
    ReadInt(ar, m_nPageCounter);
    ReadInt(ar, m_nItemCounter);
    ReadInt(ar, m_nImageCounter);
    // serials made from here on stay above every stored one and every one in use
    SetObjectCounter(std::max(GetObjectCounter(), int(storedCounter)));

    ar >> m_strCssFile >> m_strExportFolder;
    ReadInt(ar, m_nPageMargin);
    ReadInt(ar, m_nReserved);
    ReadInt(ar, m_bStretchToBrowser);
    ar >> m_strRootUrl >> m_strFtpHost;
    ReadInt(ar, m_nFtpPort);
    ar >> m_strFtpUser >> m_strFtpFolder;
    ReadInt(ar, m_bFtpPassive);
    m_strFtpPassword = project::ReadPassword(ar);

    m_allPagesBackground.Serialize(ar, v);
    m_websiteBackground.Serialize(ar, v);
    m_styles.Serialize(ar, v);

    for (int n = ReadCount(ar, 4); n > 0; --n) {
        auto t = std::make_unique<CPicture>();
        t->Serialize(ar, v);
        m_textures.push_back(std::move(t));
    }
    for (int n = ReadCount(ar, 12); n > 0; --n) {
        auto g = std::make_unique<CGuide>();
        g->Serialize(ar);
        m_guides.push_back(std::move(g));
    }
    for (int n = ReadCount(ar, 8); n > 0; --n) {
        auto s = std::make_unique<CNamedString>();
        s->Serialize(ar);
        m_namedStrings.push_back(std::move(s));
    }
    for (int n = ReadCount(ar, 8); n > 0; --n) {
        std::int32_t kind;
        ar >> kind;
        auto c = std::make_unique<CStyleClass>(kind, 0);
        c->Serialize(ar, v);
        m_styleClasses.push_back(std::move(c));
    }
    auto readBands = [&](COwnedList<CHeaderFooterItem>& list) {
        for (int n = ReadCount(ar, 8); n > 0; --n) {
            auto b = std::make_unique<CHeaderFooterItem>();
            b->m_pStretch = &m_bStretchToBrowser;
            b->m_pCenter = &m_bCenterInBrowser;
            b->m_nWidth = m_nPageWidth;
            b->Serialize(ar, v);
            BindObject(*b);
            list.push_back(std::move(b));
        }
    };
    readBands(m_footerBands);
    readBands(m_headerBands);
    for (int n = ReadCount(ar, 8); n > 0; --n) {
        auto f = std::make_unique<CFolder>();
        f->Serialize(ar, v);
        m_folders.push_back(std::move(f));
    }
    for (auto& f : m_folders)
        f->m_pParent = FindFolderById(f->m_nParentId);
    for (int n = ReadCount(ar, 8); n > 0; --n) {
        auto p = std::make_unique<CPage>();
        p->m_pStretch = &m_bStretchToBrowser;
        p->m_pCenter = &m_bCenterInBrowser;
        p->m_nWidth = m_nPageWidth;
        p->Serialize(ar, v);
        BindObject(*p);
        m_pages.push_back(std::move(p));
    }
    for (int n = ReadCount(ar, 8); n > 0; --n) {
        auto f = std::make_unique<CFileRecord>();
        f->Serialize(ar, v);
        f->m_nType = ITEM_FILE_RECORD;
        m_fileRecords.push_back(std::move(f));
    }
    if (v < 84) {
        if (!m_pages.empty())
            m_nPageWidth = m_pages.front()->m_nWidth;
    } else {
        ar >> m_strAnalytics;
        ReadInt(ar, m_nPreviewFrame);
        ReadInt(ar, m_nPageWidth);
        m_globalTitle.Serialize(ar);
        for (int n = ReadCount(ar, 8); n > 0; --n) {
            auto m = std::make_unique<CMasterItem>();
            m->Serialize(ar, v);
            BindObject(*m);
            m_masters.push_back(std::move(m));
        }
        for (int& s : m_legacySettings)
            ReadInt(ar, s);
    }
    if (v >= 86) {
        ar >> m_strFacebookChannel;
        ReadInt(ar, m_bFacebookConnect);
        ReadInt(ar, m_bFacebookFaces);
        ReadInt(ar, m_bFacebookStream);
        ReadInt(ar, m_nFacebookStyle);
    }
    if (v >= 87)
        ar >> m_strLegacyText;
    if (v >= 88) {
        ReadInt(ar, m_nGridX);
        ReadInt(ar, m_nGridY);
        ReadInt(ar, m_nDuplicateDX);
        ReadInt(ar, m_nDuplicateDY);
        ReadInt(ar, m_bGridOn);
        ReadInt(ar, m_bShowGuides);
    }
    // the extension section, when this file has one; a damaged one is never passed over
    // in silence
    const project::ExtrasIo readExtras = [&](CArchive& a) { ReadExtras(a, v); };
    project::ExtensionStatus extras = project::ExtensionStatus::Reset;
    if (m_extrasReading == ExtrasReading::Once)
        extras = project::ReadExtensionSectionOnce(ar, readExtras);
    else if (m_extrasReading == ExtrasReading::RecordDefaults)
        extras = project::ReadExtensionSection(ar, readExtras, [this](CArchive& a) { WriteExtras(a); });
    FinishLoad(ar);
    // told once the project is known to load
    if (extras == project::ExtensionStatus::Reset)
        AfxMessageBox(project::ExtensionResetMessage(ar.m_strFileName), MB_OK | MB_ICONEXCLAMATION);
}

void CKJDoc::ValidateLoadedObjects(CArchive& ar)
{
    auto bad = [&]() { AfxThrowArchiveException(CArchiveException::badSchema, ar.m_strFileName); };
    // folder parents must form a tree: walking up never takes more steps than folders exist
    for (auto& f : m_folders) {
        if (!IsSafeFileName(f->GetFileName()) || f->GetFileName().IsEmpty())
            bad();
        std::size_t steps = 0;
        for (CSiteObject* p = f->m_pParent; p; p = p->m_pParent)
            if (++steps > m_folders.size())
                bad();
    }
    for (auto& p : m_pages)
        if (!IsSafeFileName(p->m_strBaseName) || !IsSafeFileName(p->m_strExtension))
            bad();
    for (auto& f : m_fileRecords)
        if (!IsSafeFileName(f->GetFileName()))
            bad();
    for (auto& t : m_textures)
        if (!IsSafeFileName(t->GetFileName()))
            bad();
    // Sizes and distances far beyond any page would overflow the layout arithmetic.
    auto in = [&](long long v) {
        if (!WithinLayoutLimit(v))
            bad();
    };
    auto box = [&](const CBoxSpacing& b) {
        in(b.m_nLeft);
        in(b.m_nTop);
        in(b.m_nRight);
        in(b.m_nBottom);
    };
    auto style = [&](const CTextStyle& s) {
        for (long long v : {s.m_nSize, s.m_nPadding, s.m_nBorderWidth, s.m_nMarginTop, s.m_nMarginBottom, s.m_nScreenHeight, s.m_nLineHeight})
            in(v);
    };
    in(m_nPageWidth);
    in(m_nPageMargin);
    style(m_styles.m_base);
    for (const CTextStyle& s : m_styles.m_styles)
        style(s);
    for (auto& sc : m_styleClasses) {
        for (long long v : {sc->m_nSize, sc->m_nPadding, sc->m_nLetterSpacing})
            in(v);
        for (const CBorderSide& b : sc->m_borders)
            in(b.m_nWidth);
        box(sc->m_margin);
        box(sc->m_padding);
    }
}

void CKJDoc::FinishLoad(CArchive& ar)
{
    ValidateLoadedObjects(ar);
    // Every item is visited once for all that it needs after a load: its checks, its
    // pictures, its style class and, for clones, its source. Walking the whole project
    // once per step cost more than the steps themselves.
    CItemList all;
    CollectAllItems(all);
    std::vector<CImageCloneItem*> clones;
    auto picture = [this](int id) { return FindItemByRef(id); };
    for (CItem* i : all) {
        if (!IsLoadedItemSound(*i))
            AfxThrowArchiveException(CArchiveException::badSchema, ar.m_strFileName);
        // a missing picture keeps its stored id, so a save never drops a texture
        VisitItemFills(*i, [&](CFillStyle& fill) {
            if (fill.m_nPictureId)
                fill.m_pPicture = picture(fill.m_nPictureId);
        });
        BindItemClass(*i);
        // the class decides, not the type field a damaged record may have changed
        if (auto* clone = dynamic_cast<CImageCloneItem*>(i))
            clones.push_back(clone);
    }
    for (auto& fill : {&m_allPagesBackground, &m_websiteBackground})
        if (fill->m_nPictureId)
            fill->m_pPicture = picture(fill->m_nPictureId);
    for (auto& c : m_styleClasses)
        c->ConnectPictures(picture);

    // Items by serial, the first in the order of CollectAllItems as FindItemById finds
    // them; only clones look items up.
    std::unordered_map<int, CItem*> bySerial;
    bool anyCloneIds = !clones.empty();
    for (auto& p : m_pages)
        anyCloneIds = anyCloneIds || !p->m_cloneIds.empty();
    if (anyCloneIds)
        for (CItem* i : all)
            bySerial.try_emplace(i->m_nSerial, i);
    auto itemById = [&](int id) -> CItem* {
        if (id == 0)
            return nullptr;
        auto it = bySerial.find(id);
        return it == bySerial.end() ? nullptr : it->second;
    };

    // ids become pointers: a reference must name an object of the right kind, or it
    // stays empty
    const ObjectIndex objects(*this);
    auto objectById = [&](int id) { return objects.Find(id); };
    for (auto& p : m_pages) {
        CPage* page = p.get();
        page->m_pFooterBand = dynamic_cast<CHeaderFooterItem*>(objectById(page->m_nFooterBandId));
        page->m_pHeaderBand = dynamic_cast<CHeaderFooterItem*>(objectById(page->m_nHeaderBandId));
        page->m_pParent = FindFolderById(page->m_nParentId);
        std::vector<int> ids = std::move(page->m_cloneIds);
        page->m_clones.clear();
        page->m_cloneIds.clear();
        for (int id : ids)
            if (CItem* i = itemById(id)) {
                PageAddClone(page, i);
                page->m_cloneIds.push_back(id); // a second fix-up keeps what the first found
            }
        page->m_pMaster1 = nullptr;
        page->m_pMaster2 = nullptr;
        for (auto& m : m_masters) {
            if (!page->m_pMaster1 && page->m_nMaster1Id && m->m_nSerial == page->m_nMaster1Id)
                page->m_pMaster1 = m.get();
            if (!page->m_pMaster2 && page->m_nMaster2Id && m->m_nSerial == page->m_nMaster2Id)
                page->m_pMaster2 = m.get();
        }
    }
    for (CImageCloneItem* clone : clones) {
        CItem* src = itemById(clone->m_nSourceId);
        // a clone whose source is gone or of the wrong kind keeps no pointer
        clone->m_pSource = src && IsClonableSource(src->m_nType) && dynamic_cast<CImageItemBase*>(src) ? src : nullptr;
    }
    ApplyPageWidth();
}

void CKJDoc::WriteExtras(CArchive& ar)
{
    // the same objects in the same order as the body
    m_allPagesBackground.SerializeExtension(ar);
    m_websiteBackground.SerializeExtension(ar);
    m_styles.SerializeExtra(ar, project::kCurrentVersion);
    for (auto& t : m_textures)
        t->SerializeExtra(ar, project::kCurrentVersion);
    for (auto& c : m_styleClasses)
        c->SerializeExtra(ar, project::kCurrentVersion);
    for (auto& b : m_footerBands)
        b->SerializeExtra(ar, project::kCurrentVersion);
    for (auto& b : m_headerBands)
        b->SerializeExtra(ar, project::kCurrentVersion);
    for (auto& p : m_pages)
        p->SerializeExtra(ar, project::kCurrentVersion);
    for (auto& m : m_masters)
        m->SerializeExtra(ar, project::kCurrentVersion);
    // after every object: files written before the list was kept end here
    std::uint32_t count = std::uint32_t(m_published.m_names.size());
    ar << count;
    for (CString& name : m_published.m_names)
        archive_io::Io(ar, name);
    // where the names went; files written before end after the names
    CPublishPlace& place = m_published.m_place;
    archive_io::Io(ar, place.m_strHost);
    archive_io::Io(ar, place.m_strUser);
    archive_io::Io(ar, place.m_nPort);
    archive_io::Io(ar, place.m_strFolder);
}

void CKJDoc::ReadExtras(CArchive& ar, int version)
{
    m_allPagesBackground.SerializeExtension(ar);
    m_websiteBackground.SerializeExtension(ar);
    m_styles.SerializeExtra(ar, version);
    for (auto& t : m_textures)
        t->SerializeExtra(ar, version);
    for (auto& c : m_styleClasses)
        c->SerializeExtra(ar, version);
    for (auto& b : m_footerBands)
        b->SerializeExtra(ar, version);
    for (auto& b : m_headerBands)
        b->SerializeExtra(ar, version);
    for (auto& p : m_pages)
        p->SerializeExtra(ar, version);
    for (auto& m : m_masters)
        m->SerializeExtra(ar, version);
    m_published = CPublishedFiles();
    if (ar.GetRemaining() == 0)
        return; // written before the list was kept
    std::uint32_t count = 0;
    ar >> count;
    // each name takes at least its length byte: a count beyond the bytes left is damage
    ar.CheckCount(count);
    m_published.m_names.resize(count);
    for (CString& name : m_published.m_names)
        archive_io::Io(ar, name);
    if (ar.GetRemaining() == 0)
        return; // a list of a place not known: the next upload removes nothing
    CPublishPlace& place = m_published.m_place;
    archive_io::Io(ar, place.m_strHost);
    archive_io::Io(ar, place.m_strUser);
    archive_io::Io(ar, place.m_nPort);
    archive_io::Io(ar, place.m_strFolder);
}

void CKJDoc::ForEachFill(const std::function<void(CFillStyle&)>& visit)
{
    visit(m_allPagesBackground);
    visit(m_websiteBackground);
    CItemList all;
    CollectAllItems(all);
    for (CItem* i : all)
        VisitItemFills(*i, visit);
}

void CKJDoc::ReconnectPictures()
{
    ForEachFill([&](CFillStyle& fill) {
        // a missing picture keeps its stored id, so a save never drops a texture
        if (fill.m_nPictureId)
            fill.m_pPicture = FindItemByRef(fill.m_nPictureId);
    });
    for (auto& c : m_styleClasses)
        c->ConnectPictures([this](int id) { return FindItemByRef(id); });
}

namespace {
// Whether a fill shows the texture: fills name their picture by the picture's own id (kept
// while the picture is missing), not by its serial.
bool ShowsTexture(const CFillStyle& fill, const CPicture& texture)
{
    return fill.m_pPicture == &texture || (texture.m_nPictureId != 0 && fill.m_nPictureId == texture.m_nPictureId);
}
} // namespace

void CKJDoc::DeleteTexture(CPicture* texture)
{
    auto it = std::find_if(m_textures.begin(), m_textures.end(), [&](const auto& t) { return t.get() == texture; });
    if (!texture || it == m_textures.end())
        return;
    CEditScope scope(*this);
    scope.TouchSite();
    auto clear = [&](CFillStyle& fill) {
        if (ShowsTexture(fill, *texture)) {
            KeepFillForCancel(fill);
            fill.m_pPicture = nullptr;
            fill.m_nPictureId = 0;
            fill.m_nKind = CFillStyle::KindColor;
        }
    };
    ForEachFill(clear);
    for (auto& c : m_styleClasses) {
        clear(c->m_fill);
        clear(c->m_hoverFill);
    }
    // the tree drops the texture's node when it hears of the change
    const std::ptrdiff_t at = it - m_textures.begin();
    // kept alive until the change stands, so that Cancel can put it back in its place
    auto kept = std::make_shared<std::unique_ptr<CPicture>>(std::move(*it));
    m_textures.erase(it);
    OnEditCancel([this, kept, at] {
        const std::ptrdiff_t place = std::min<std::ptrdiff_t>(at, std::ptrdiff_t(m_textures.size()));
        m_textures.insert(m_textures.begin() + place, std::move(*kept));
    });
    scope.SetHint(HINT_FILL_TREE);
}

void CKJDoc::OnEditCancel(std::function<void()> putBack)
{
    if (IsEditing() && putBack)
        m_editRollback.push_back(std::move(putBack));
}

void CKJDoc::KeepTextureForCancel(CPicture& texture)
{
    if (!IsEditing())
        return;
    auto bytes = std::make_shared<CMemFile>();
    {
        CArchive ar(bytes.get(), CArchive::store);
        texture.Serialize(ar, project::kMemoryVersion);
        texture.SerializeExtra(ar, project::kMemoryVersion);
        ar.Close();
    }
    CPicture* target = &texture;
    OnEditCancel([bytes, target] {
        bytes->SeekToBegin();
        CArchive ar(bytes.get(), CArchive::load);
        target->Serialize(ar, project::kMemoryVersion);
        target->SerializeExtra(ar, project::kMemoryVersion);
    });
}

void CKJDoc::KeepFillForCancel(CFillStyle& fill)
{
    if (!IsEditing())
        return;
    CFillStyle* target = &fill;
    OnEditCancel([target, saved = fill] { *target = saved; });
}

void CKJDoc::AddTexture(std::unique_ptr<CPicture> texture)
{
    if (!texture)
        return;
    CPicture* added = texture.get();
    m_textures.push_back(std::move(texture));
    OnEditCancel([this, added] {
        auto it = std::find_if(m_textures.begin(), m_textures.end(), [&](const auto& t) { return t.get() == added; });
        if (it != m_textures.end())
            m_textures.erase(it);
    });
}

int CKJDoc::CountTextureUses(const CPicture* texture, const CFillStyle* except)
{
    if (!texture)
        return 0;
    int uses = 0;
    auto count = [&](const CFillStyle& fill) {
        if (&fill == except)
            return;
        if (ShowsTexture(fill, *texture))
            ++uses;
    };
    ForEachFill(count);
    for (auto& c : m_styleClasses) {
        count(c->m_fill);
        count(c->m_hoverFill);
    }
    return uses;
}

CString CKJDoc::TakeName(const char* pattern, int& counter, const std::function<bool(const CString&)>& taken)
{
    // a name another object bears would make two elements share an id or a file name
    for (int tries = 0; tries < 100000; ++tries) {
        CString name;
        name.Format(pattern, counter);
        ++counter;
        if (!taken || !taken(name))
            return name;
    }
    CString name;
    name.Format(pattern, counter++);
    return name;
}

CString CKJDoc::TakeItemName(const char* pattern)
{
    CItemList all;
    CollectAllItems(all);
    return TakeName(pattern, m_nItemCounter, [&](const CString& name) {
        return std::any_of(all.begin(), all.end(), [&](const CItem* i) { return i->m_strName == name; });
    });
}

CString CKJDoc::TakeTextureName()
{
    return TakeName("Texture%d", m_nTextureCounter, [&](const CString& name) {
        return std::any_of(m_textures.begin(), m_textures.end(), [&](const auto& t) { return t->m_strName == name; });
    });
}

int CKJDoc::TakeClassNumber(int kind)
{
    for (int tries = 0; tries < 100000; ++tries) {
        const int number = m_nClassCounter++;
        const CString name = CStyleClass(kind, number).m_strName;
        const bool taken = std::any_of(m_styleClasses.begin(), m_styleClasses.end(),
                                       [&](const auto& c) { return !name.IsEmpty() && c->m_strName == name; });
        if (!taken)
            return number;
    }
    return m_nClassCounter++;
}

bool CKJDoc::OnOpenDocument(const CString& path)
{
    // a project is read into an empty document (the framework makes a fresh one)
    FreeDocumentContent();
    auto read = [&](ExtrasReading extras) {
        CFile file;
        CFileException error;
        if (!file.Open(path, CFile::modeRead | CFile::typeBinary, &error)) {
            error.m_strFileName = path;
            throw error;
        }
        CArchive ar(&file, CArchive::load);
        ar.m_strFileName = path;
        m_extrasReading = extras;
        try {
            Serialize(ar);
        } catch (...) {
            m_extrasReading = ExtrasReading::RecordDefaults;
            throw;
        }
        m_extrasReading = ExtrasReading::RecordDefaults;
    };
    try {
        // A file can be read again: the defaults of the extension section are not
        // recorded beforehand (a walk over the whole project) but read anew on damage.
        // What the section holds of the document itself is kept from before, when
        // recording it costs nothing.
        CMemFile before;
        {
            CArchive ar(&before, CArchive::store);
            WriteExtras(ar);
            ar.Close();
        }
        try {
            read(ExtrasReading::Once);
        } catch (const project::CExtensionDamaged&) {
            FreeDocumentContent();
            before.SeekToBegin();
            CArchive ar(&before, CArchive::load);
            ReadExtras(ar, project::kCurrentVersion);
            read(ExtrasReading::LeaveOut);
        }
    } catch (const CProjectVersionException&) {
        FreeDocumentContent();
        return false; // its message was shown
    } catch (const CException& e) {
        FreeDocumentContent();
        AfxMessageBox(e.GetErrorMessage(), MB_OK | MB_ICONEXCLAMATION);
        return false;
    } catch (const std::bad_alloc&) {
        FreeDocumentContent();
        AfxMessageBox(CMemoryException().GetErrorMessage(), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    SetPathName(path);
    SetModifiedFlag(false);
    return true;
}

bool CKJDoc::OnSaveDocument(const CString& path)
{
    try {
        project::SaveFileSafely(path, [&](CFile& file) {
            CArchive ar(&file, CArchive::store);
            ar.m_strFileName = path;
            Serialize(ar);
            ar.Close();
        });
    } catch (const CException& e) {
        AfxMessageBox(e.GetErrorMessage(), MB_OK | MB_ICONEXCLAMATION);
        return false;
    } catch (const std::bad_alloc&) {
        AfxMessageBox(CMemoryException().GetErrorMessage(), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    SetModifiedFlag(false);
    return true;
}

bool CKJDoc::DoSave(const CString& pathName, bool replace)
{
    CString newName = pathName;
    if (newName.IsEmpty()) {
        newName = m_strTitle.IsEmpty() ? CString("Untitled") : m_strTitle;
        if (newName.Find(".kjproj") < 0)
            newName += ".kjproj";
        if (!m_askSavePath)
            return false;
        newName = m_askSavePath(newName);
        if (newName.IsEmpty())
            return false;
    }
    if (!m_bBackupDone && !m_strPathName.IsEmpty() && QFileInfo::exists(m_strPathName.ToQString())) {
        project::MakeBackupCopy(m_strPathName);
        m_bBackupDone = 1; // also when the copy failed
    }
    // a failed save leaves every existing file as it was (nothing to delete afterwards)
    if (!OnSaveDocument(newName))
        return false;
    if (replace)
        SetPathName(newName);
    return true;
}

// --- undo -------------------------------------------------------------------------------

void CKJDoc::WriteSnapshot(CItem& object, CDataBlock& out)
{
    CMemFile file(4096);
    {
        CArchive ar(&file, CArchive::store, 4096);
        object.Serialize(ar, project::kMemoryVersion);
        object.SerializeExtra(ar, project::kMemoryVersion);
        ar.Close();
    }
    std::vector<BYTE> bytes = file.Detach();
    CDataBlock block;
    if (!block.Assign(bytes.data(), bytes.size()))
        AfxThrowMemoryException();
    out.Swap(block);
}

void CKJDoc::ReadSnapshot(CItem& object, const CDataBlock& bytes)
{
    CMemFile file(bytes.Data(), bytes.Size());
    CArchive ar(&file, CArchive::load, 4096);
    object.Serialize(ar, project::kMemoryVersion);
    object.SerializeExtra(ar, project::kMemoryVersion);
}

bool CKJDoc::RecordUndo(CItem* page, CItem* container, CItem* item, const char* description)
{
    if (!container)
        return false;
    auto record = std::make_unique<CUndoRecord>();
    record->m_nItemId = item ? item->m_nSerial : 0;
    record->m_nContainerId = container->m_nSerial;
    record->m_nPageId = page ? page->m_nSerial : 0;
    // a failure here throws before anything is pushed or trimmed
    WriteSnapshot(item ? *item : *container, record->m_state);
    record->m_strDescription = Tr(description ? description : "");
    m_undo.Push(std::move(record));
    return true;
}

int CKJDoc::HighestSerial() const
{
    int top = 0;
    CItemList all;
    CollectAllItems(all);
    for (CItem* i : all)
        top = std::max(top, i->m_nSerial);
    auto scan = [&top](const auto& list) {
        for (const auto& o : list)
            top = std::max(top, o->m_nSerial);
    };
    scan(m_pages);
    scan(m_masters);
    scan(m_headerBands);
    scan(m_footerBands);
    scan(m_folders);
    scan(m_fileRecords);
    scan(m_textures);
    return top;
}

void CKJDoc::ResetUploadStatesFor(CItem* object)
{
    // The top object that holds the changed one decides which pages publish it.
    CItem* top = nullptr;
    auto holds = [object](CItem* candidate) {
        if (candidate == object)
            return true;
        CItemList inside;
        candidate->CollectItems(inside);
        return std::find(inside.begin(), inside.end(), object) != inside.end();
    };
    for (auto& p : m_pages)
        if (!top && holds(p.get()))
            top = p.get();
    for (auto& b : m_headerBands)
        if (!top && holds(b.get()))
            top = b.get();
    for (auto& b : m_footerBands)
        if (!top && holds(b.get()))
            top = b.get();
    for (auto& m : m_masters)
        if (!top && holds(m.get()))
            top = m.get();
    if (!top)
        return;
    object->m_nUploadState = 0;
    for (auto& p : m_pages) {
        if (p.get() == top || p->m_pHeaderBand == top || p->m_pFooterBand == top || p->m_pMaster1 == top ||
            p->m_pMaster2 == top)
            p->m_nUploadState = 0;
    }
}

void CKJDoc::EndEdit()
{
    const bool changed = m_bEditChanged;
    if (changed) {
        for (CItem* object : m_editTouched)
            ResetUploadStatesFor(object);
        if (m_bEditSite)
            for (auto& p : m_pages)
                p->m_nUploadState = 0;
        if (m_bEditSite || m_bEditCss)
            m_nCssUploadState = 0;
        SetModifiedFlag(true);
    }
    const long hint = m_nEditHint;
    m_editTouched.clear();
    m_bEditSite = m_bEditCss = m_bEditChanged = false;
    m_nEditHint = 0;
    if (changed && m_onEdited)
        m_onEdited(hint);
}

void CKJDoc::RestoreRecord(const CUndoRecord& record, UndoOutcome& outcome)
{
    // A record of one item holds that item's bytes only: when the item is gone the record
    // restores nothing (its container must not read them).
    CItem* item = FindItemById(record.m_nItemId);
    CItem* container = record.m_nItemId == 0 ? FindObjectById(record.m_nContainerId) : nullptr;
    CItem* target = item ? item : container;
    if (target) {
        // A damaged record must change nothing: it is read into a scratch object of the
        // same kind first, and only a record that reads whole goes over the live object.
        const int counter = GetObjectCounter();
        struct CounterGuard {
            int value;
            ~CounterGuard() { SetObjectCounter(value); }
        };
        {
            CounterGuard guard{counter}; // the scratch objects' serials are given back
            std::unique_ptr<CItem> scratch(target->m_nType == ITEM_MASTER ? new CMasterItem : CreateItem(target->m_nType));
            if (scratch)
                ReadSnapshot(*scratch, record.m_state); // throws on a damaged record
        }
        ReadSnapshot(*target, record.m_state);
        SetObjectCounter(std::max(counter, HighestSerial()));
        if (item) {
            item->SetSiteStyles(&m_styles);
            item->RecalcLayout();
            outcome.item = item;
        } else {
            if (auto* page = dynamic_cast<CPage*>(container)) {
                page->m_pHeaderBand = dynamic_cast<CHeaderFooterItem*>(FindObjectById(page->m_nHeaderBandId));
                page->m_pFooterBand = dynamic_cast<CHeaderFooterItem*>(FindObjectById(page->m_nFooterBandId));
            }
            container->SetSiteStyles(&m_styles);
            if (auto* group = dynamic_cast<CGroupItem*>(container))
                group->LayoutChildren();
            outcome.container = container;
        }
    }
    if (auto* page = dynamic_cast<CPage*>(FindObjectById(record.m_nPageId))) {
        FixupPageAfterLoad(page);
        outcome.page = page;
    }
    ReconnectPictures();
    UpdateItemLinks();
}

CKJDoc::UndoOutcome CKJDoc::Undo()
{
    UndoOutcome outcome;
    std::unique_ptr<CUndoRecord> record = m_undo.PopHead();
    if (!record)
        return outcome;
    outcome.consumed = true;
    try {
        RestoreRecord(*record, outcome);
    } catch (const std::exception&) { // archive errors and exhaustion alike
        outcome = UndoOutcome{};
        outcome.consumed = true;
        outcome.error = Tr("The change could not be undone: its record is damaged.");
    }
    return outcome;
}
