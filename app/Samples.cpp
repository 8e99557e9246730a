#include "app/Samples.h"

#include "document/KJDoc.h"
#include "model/WString.h"

#include <QtCore/QDir>

namespace {
bool WriteProject(const CString& path, std::initializer_list<const char16_t*> pageTitles)
{
    CKJDoc doc;
    if (!doc.OnNewDocument())
        return false;
    CPage* home = doc.m_pages.empty() ? nullptr : doc.m_pages.front().get();
    for (const char16_t* title : pageTitles) {
        CWString t(title);
        doc.AddPage(home, &t);
    }
    QDir().mkpath(QFileInfo(path.ToQString()).absolutePath());
    return doc.OnSaveDocument(path);
}
} // namespace

bool WriteSampleProjects(const CString& folder)
{
    const bool example = WriteProject(folder + "examples/Tutorial.kjproj",
                                      {u"Getting Started", u"Pages and Items", u"Publishing"});
    const bool templ = WriteProject(folder + "templates/Business.kjproj", {u"About Us", u"Services", u"Contact"});
    return example && templ;
}
