#include "model/ItemLink.h"
#include "model/Escaping.h"
#include "framework/core/CArchive.h"
#include <cstring>

void CItemLink::Serialize(CArchive& ar, int version)
{
    if (ar.IsStoring()) {
        ar << m_nKind << m_bNewWindow << m_nTargetId << m_strUrl << m_strArguments << m_strPicture << m_strEmail
           << m_strSubject << m_strBody << m_strExtra;
        m_wstrTitle.Serialize(ar);
        return;
    }
    // Fields an older version does not store keep what the owner's constructor gave them
    // (a form's default mail subject, body and second address).
    ar >> m_nKind >> m_bNewWindow >> m_nTargetId >> m_strUrl >> m_strArguments;
    if (version >= 85)
        ar >> m_strPicture >> m_strEmail >> m_strSubject >> m_strBody;
    if (version >= 87)
        ar >> m_strExtra;
    m_wstrTitle.Serialize(ar);
}

void CItemLink::CopyFrom(const CItemLink& other)
{
    m_bNewWindow = other.m_bNewWindow;
    m_pTargetFolder = other.m_pTargetFolder;
    m_nKind = other.m_nKind;
    m_nTargetId = other.m_nTargetId;
    m_strArguments = other.m_strArguments;
    m_wstrTitle.Copy(other.m_wstrTitle);
    m_strUrl = other.m_strUrl;
}

void CItemLink::SetPageLink(int pageId)
{
    m_nTargetId = pageId;
    m_nKind = kLinkPage;
}

void CItemLink::BuildHref(CString& out, const char* relativePath) const
{
    if (!m_strHref.IsEmpty() && (m_nKind == kLinkPage || m_nKind == kLinkAddress)) {
        CString address;
        // Every page link, the index page (-1) included, is relative to the current folder.
        if (m_nKind == kLinkPage && m_nTargetId != 0 && relativePath)
            address = relativePath;
        address += m_strHref;
        if (!m_strArguments.IsEmpty())
            address += "?" + m_strArguments;
        out += " href=\"";
        out += HtmlAttributeEscape(UrlEscapeUnsafe(address));
        out += "\"";
        if (m_bNewWindow)
            out += " target=\"_blank\"";
    } else if (m_nKind == kLinkPicture) {
        out += " href=\"\"";
    } else if (m_nKind == kLinkMail) {
        out += " href=\"mailto:";
        out += EncodeCharRefs(EncodeMailAddress(m_strEmail));
        if (!m_strSubject.IsEmpty() || !m_strBody.IsEmpty()) {
            out += "?";
            if (!m_strSubject.IsEmpty())
                out += "subject=" + EncodeMailField(m_strSubject);
            if (!m_strSubject.IsEmpty() && !m_strBody.IsEmpty())
                out += "&amp;";
            if (!m_strBody.IsEmpty())
                out += "body=" + EncodeMailField(m_strBody);
        }
        out += "\"";
    }
    if (m_wstrTitle.GetLength() > 0) {
        CString title;
        m_wstrTitle.ToUtf8(title);
        out += " title=\"";
        out += HtmlAttributeEscape(title);
        out += "\"";
    }
}
