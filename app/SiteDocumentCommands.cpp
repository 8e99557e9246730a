#include "app/SiteDocumentCommands.h"

#include "app/WordCountCommand.h"
#include "dialogs/CodeView.h"
#include "dialogs/SiteInfoDialogs.h"
#include "dialogs/SizeDialogs.h"
#include "dialogs/StringsDialogs.h"
#include "document/EditScope.h"
#include "document/KJDoc.h"
#include "document/SiteCss.h"
#include "document/SiteEdits.h"
#include "framework/core/Profile.h"

#include <QtWidgets/QWidget>

namespace {
// The named strings as they stand, to tell whether the dialog changed any.
std::vector<std::pair<CWString, CWString>> StringPairs(const CKJDoc& doc)
{
    std::vector<std::pair<CWString, CWString>> pairs;
    for (const auto& s : doc.m_namedStrings)
        pairs.emplace_back(s->m_name, s->m_value);
    return pairs;
}
} // namespace

void OnPageWidth(CKJDoc& doc, QWidget* parent)
{
    DPageWidth dlg(parent);
    dlg.m_nWidth = doc.m_nPageWidth;
    if (dlg.DoModal() != IDOK || dlg.m_nWidth == doc.m_nPageWidth)
        return;
    CEditScope scope(doc);
    SetSitePageWidth(doc, dlg.m_nWidth);
    scope.TouchSite(); // every page, band and master, and the stylesheet
}

void OnWebsiteStrings(CKJDoc& doc, QWidget* parent)
{
    // The dialog edits the list itself, so the change is open before it shows; no snapshot
    // holds the list, so Cancel puts it back from this copy.
    CEditScope scope(doc);
    const auto before = StringPairs(doc);
    doc.OnEditCancel([&doc, before] {
        doc.m_namedStrings.clear();
        for (const auto& [name, value] : before) {
            auto record = std::make_unique<CNamedString>();
            record->m_name = name;
            record->m_value = value;
            doc.m_namedStrings.push_back(std::move(record));
        }
    });
    DStrings dlg(parent);
    dlg.m_pDoc = &doc;
    if (dlg.DoModal() != IDOK || StringPairs(doc) == before) {
        scope.Cancel(); // the list as it was, and nothing marked
        return;
    }
    // any page may hold a placeholder of any key
    scope.TouchSite();
}

void OnViewRawCss(CKJDoc& doc, QWidget* parent)
{
    DCss dlg(parent);
    dlg.m_strFileName = doc.m_strCssFile;
    BuildSiteCss(doc, dlg.m_strCss);
    dlg.DoModal();
}

void OnWebsiteSettings(CKJDoc& doc, QWidget* parent)
{
    DWebsite dlg(parent);
    dlg.m_strRootUrl = doc.m_strRootUrl;
    dlg.m_strGlobalTitle = doc.m_globalTitle;
    dlg.m_strFacebookChannel = doc.m_strFacebookChannel;
    dlg.m_bFacebook = doc.m_bFacebookConnect;
    dlg.m_nFacebookFaces = doc.m_bFacebookFaces;
    dlg.m_nFacebookStream = doc.m_bFacebookStream;
    dlg.m_nFacebookStyle = doc.m_nFacebookStyle;
    if (dlg.DoModal() != IDOK)
        return;
    WriteProfileString("Server", "Root", dlg.m_strRootUrl);
    const bool pages = !(dlg.m_strGlobalTitle == doc.m_globalTitle) || dlg.m_strFacebookChannel != doc.m_strFacebookChannel
        || dlg.m_bFacebook != doc.m_bFacebookConnect || dlg.m_nFacebookFaces != doc.m_bFacebookFaces
        || dlg.m_nFacebookStream != doc.m_bFacebookStream || dlg.m_nFacebookStyle != doc.m_nFacebookStyle;
    if (!pages && dlg.m_strRootUrl == doc.m_strRootUrl)
        return; // nothing to mark
    // The settings are saved with the project; the title and the tab are on every page.
    CEditScope scope(doc);
    doc.m_strRootUrl = dlg.m_strRootUrl;
    doc.m_globalTitle = dlg.m_strGlobalTitle;
    doc.m_strFacebookChannel = dlg.m_strFacebookChannel;
    doc.m_bFacebookConnect = dlg.m_bFacebook;
    doc.m_bFacebookFaces = dlg.m_nFacebookFaces;
    doc.m_bFacebookStream = dlg.m_nFacebookStream;
    doc.m_nFacebookStyle = dlg.m_nFacebookStyle;
    if (pages)
        scope.TouchSite();
}

void OnViewWordCount(CKJDoc& doc, QWidget* parent)
{
    RunWordCount(doc, [parent](const CString& labels, const CString& values) {
        DWordCount dlg(parent);
        dlg.m_strFirst = labels;
        dlg.m_strSecond = values;
        return int(dlg.DoModal());
    });
}
