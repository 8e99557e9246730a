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
