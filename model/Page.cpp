#include "model/Page.h"

#include "model/Folder.h"
#include "model/HeaderFooterItem.h"

#include <algorithm>

CPage::CPage()
{
    m_nType = 1;
    m_nWidth = 900;
    m_nHeight = 700;
    m_bPositioned = 0;
    m_nWidthMode = 1;
    m_nPadding = 20;
    m_nOverflow = 3;
    m_strExtension = ".php";
}

void CPage::Serialize(CArchive& ar, int version)
{
    CGroupItem::Serialize(ar, version);
    if (ar.IsStoring()) {
        m_title.Serialize(ar);
        m_description.Serialize(ar);
        m_keywords.Serialize(ar);
        m_phpCode.Serialize(ar);
        m_bodyText.Serialize(ar);
        ar << std::int32_t(1);
        ar << m_strPageString1;
        ar << std::int32_t(m_pParent ? m_pParent->m_nSerial : m_nParentId);
        ar << std::int32_t(m_pHeaderBand ? m_pHeaderBand->m_nSerial : m_nHeaderBandId);
        ar << std::int32_t(m_pFooterBand ? m_pFooterBand->m_nSerial : m_nFooterBandId);
        ar << std::int32_t(m_nHeaderZIndex) << std::int32_t(m_bStats1) << std::int32_t(m_bStats2);
        ar << std::int32_t(m_clones.size());
        for (CItem* c : m_clones)
            ar << std::int32_t(c->m_nSerial);
        m_pageAction.Serialize(ar, version);
        ar << std::int32_t(m_nActionValue);
        m_script.Serialize(ar);
        m_pageExtra.Serialize(ar);
        m_pageLink.Serialize(ar, version);
        ar << std::int32_t(m_nLast1) << std::int32_t(m_nLast2);
        return;
    }
    auto readInt = [&](int& v) {
        std::int32_t x;
        ar >> x;
        v = x;
    };
    m_title.Serialize(ar);
    m_description.Serialize(ar);
    m_keywords.Serialize(ar);
    m_phpCode.Serialize(ar);
    m_bodyText.Serialize(ar);
    int ignored;
    readInt(ignored);
    ar >> m_strPageString1;
    readInt(m_nParentId);
    m_pParent = nullptr;
    readInt(m_nHeaderBandId);
    readInt(m_nFooterBandId);
    m_pHeaderBand = m_pFooterBand = nullptr;
    readInt(m_nHeaderZIndex);
    readInt(m_bStats1);
    m_clones.clear();
    m_cloneIds.clear();
    if (version >= 83) {
        readInt(m_bStats2);
        std::int32_t n = 0;
        ar >> n;
        if (n > 0) {
            ar.CheckCount(n, 4);
            m_cloneIds.reserve(std::size_t(n));
            for (std::int32_t i = 0; i < n; ++i) {
                std::int32_t id;
                ar >> id;
                m_cloneIds.push_back(id);
            }
        }
    }
    if (version >= 84) {
        m_pageAction.Serialize(ar, version);
        readInt(m_nActionValue);
    }
    if (version >= 86)
        m_script.Serialize(ar);
    if (version >= 87)
        m_pageExtra.Serialize(ar);
    if (version >= 88) {
        m_pageLink.Serialize(ar, version);
        readInt(m_nLast1);
        readInt(m_nLast2);
    }
}

CFolder* CPage::GetFolder() const
{
    return static_cast<CFolder*>(m_pParent);
}

void CPage::CollectBandItems(CItemList& out)
{
    if (m_pHeaderBand)
        m_pHeaderBand->CollectItems(out);
    if (m_pFooterBand)
        m_pFooterBand->CollectItems(out);
}

CString CPage::GetDisplayName() const
{
    CString title;
    m_title.ToAnsi(title);
    return title + " [" + GetFileName() + "]";
}

void PageAddClone(CPage* page, CItem* item)
{
    if (!PageHasClone(page, item))
        page->m_clones.push_back(item);
}

void PageRemoveClone(CPage* page, CItem* item)
{
    auto& c = page->m_clones;
    c.erase(std::remove(c.begin(), c.end(), item), c.end());
}

int PageHasClone(const CPage* page, const CItem* item)
{
    return std::find(page->m_clones.begin(), page->m_clones.end(), item) != page->m_clones.end() ? 1 : 0;
}

int IsIndexName(const CPage* page)
{
    if (page->m_strBaseName != "index")
        return 0;
    return page->m_pParent ? 6 : 2;
}
