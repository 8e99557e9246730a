// The hyperlink of an item (also of menu entries and text runs): where a click leads
// and the attributes of the anchor tag.
#pragma once
#include "framework/core/CString.h"
#include "model/WString.h"

class CArchive;
class CFolder;

enum LinkKind {
    kLinkNone = 0,
    kLinkPage = 1,    // a page of the site (target id; -1 = the index page)
    kLinkAddress = 2, // a typed web address
    kLinkPicture = 3, // a picture shown in the page overlay
    kLinkMail = 4,
};

class CItemLink {
public:
    CItemLink() = default;
    ~CItemLink() = default;

    // version: project file version times ten (picture and mail fields from 85, the
    // extra text from 87).
    void Serialize(CArchive& ar, int version);
    // Copies what the link dialog shares between items: new window, target folder, kind,
    // target id, arguments, title and url. The rest stays.
    void CopyFrom(const CItemLink& other);
    // Makes this an internal link to the page with the given id.
    void SetPageLink(int pageId);
    // Appends the anchor attributes (" href=...", " target=...", " title=...") to out,
    // every value escaped for its place. relativePath leads from the current page's
    // folder to the target's folder; it may be null.
    void BuildHref(CString& out, const char* relativePath) const;

    CWString m_wstrTitle;
    CString m_strUrl;
    CString m_strHref;     // filled in before generation; not stored
    CString m_strArguments;
    CString m_strPicture;
    std::int32_t m_nTargetId = 0;
    std::int32_t m_bNewWindow = 0;
    CString m_strEmail;
    CString m_strSubject;
    CString m_strBody;
    std::int32_t m_nKind = kLinkNone;
    CFolder* m_pTargetFolder = nullptr; // filled in with the href; not stored
    CString m_strExtra;
};
