#include "app/SiteDocumentCommands.h"

#include "dialogs/CodeView.h"
#include "dialogs/SizeDialogs.h"
#include "dialogs/StringsDialogs.h"
#include "document/EditScope.h"
#include "document/KJDoc.h"
#include "document/SiteCss.h"
#include "document/SiteEdits.h"

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
    const auto before = StringPairs(doc);
    DStrings dlg(parent);
    dlg.m_pDoc = &doc;
    dlg.DoModal();
    if (StringPairs(doc) == before)
        return;
    // The dialog edits the list itself; any page may hold a placeholder of any key.
    CEditScope scope(doc);
    scope.TouchSite();
}

void OnViewRawCss(CKJDoc& doc, QWidget* parent)
{
    DCss dlg(parent);
    dlg.m_strFileName = doc.m_strCssFile;
    BuildSiteCss(doc, dlg.m_strCss);
    dlg.DoModal();
}
