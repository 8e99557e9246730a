#include "app/ProjectDocument.h"

#include "app/AppResources.h"
#include "app/ChildFrame.h"
#include "app/DesignerApp.h"
#include "controls/FileChooser.h"
#include "framework/ui/Frames.h"
#include "framework/ui/WinApp.h"
#include "dialogs/Background.h"
#include "dialogs/ClassDialogs.h"
#include "dialogs/SmallPropertyDialogs.h"
#include "model/Translate.h"
#include "dialogs/Upload.h"
#include "app/WordCountCommand.h"
#include "app/SiteDocumentCommands.h"
#include "document/Generate.h"
#include "editor/KJView.h"
#include "framework/ui/Shell.h"

namespace {
QWidget* MainWindow()
{
    CWinApp* app = AfxGetApp();
    return app ? static_cast<QWidget*>(app->m_pMainWnd) : nullptr;
}
} // namespace

CProjectDocument::CProjectDocument()
{
    // The end of every change to the project reaches the views and the site tree once.
    m_project.m_onEdited = [this](long hint) { UpdateAllViews(nullptr, hint); };
    m_project.m_askSavePath = [this](const CString& proposed) {
        CString path = proposed;
        return PromptSaveName(path) ? path : CString();
    };
    // The website commands the project handles itself.
    auto window = [] { return MainWindow(); };
    OnCommand(ID_WEBSITE_UPLOAD, [this, window] { OnWebsiteUpload(m_project, window()); });
    OnCommand(ID_WEBSITE_UPLOAD_ALL, [this, window] { OnWebsiteUploadAll(m_project, window()); });
    OnCommand(ID_WEBSITE_LOGIN, [this, window] { OnWebsiteLogin(m_project, window()); });
    OnCommand(ID_WEBSITE_BROWSE, [this, window] { OnWebsiteBrowse(m_project, window()); });
    OnCommand(ID_EXPORT_TO_FOLDER, [this] { OnExportToFolder(); });
    OnCommand(ID_WEBSITE_STATISTICS, [this, window] {
        RunWebsiteStatistics(m_project, [window](CString& code) {
            DAnalytics dlg(window());
            dlg.m_strCode = code;
            if (dlg.DoModal() != IDOK)
                return false;
            code = dlg.m_strCode;
            return true;
        });
    });
    // The browser window's background around the pages, and the site's CSS classes.
    OnCommand(ID_BACKGROUND_BROWSER, [this, window] {
        if (EditFill(&m_project, &m_project.m_websiteBackground, Translate("Website Background").GetString(), window(),
                     FillTarget::Site(), 900, 800, nullptr, true) != IDOK)
            return;
        UpdateAllViews(nullptr, 0);
        UpdateAllViews(nullptr, 4);
    });
    OnCommand(ID_STYLE_CLASSES, [this, window] {
        RunClassList(m_project, window());
        // whatever the dialog ended with: renamed or deleted classes take effect now
        m_project.BindItemClasses();
        m_project.ApplyPageWidth();
        UpdateAllViews(nullptr, 0);
    });
    // Site-wide commands: Page/Width, Website/Strings, View/Raw CSS.
    OnCommand(ID_PAGE_WIDTH, [this, window] { OnPageWidth(m_project, window()); });
    OnCommand(ID_WEBSITE_STRINGS, [this, window] { OnWebsiteStrings(m_project, window()); });
    OnCommand(ID_VIEW_RAW_CSS, [this, window] { OnViewRawCss(m_project, window()); });
    OnCommand(ID_WEBSITE_SETTINGS, [this, window] { OnWebsiteSettings(m_project, window()); });
    OnCommand(ID_VIEW_WORD_COUNT, [this, window] { OnViewWordCount(m_project, window()); });
}

void CProjectDocument::OnExportToFolder()
{
    QWidget* main = MainWindow();
    CString folder;
    if (!BrowseForFolder(main, m_project.m_strExportFolder, folder))
        return;
    CString written;
    if (!ExportWebsiteToFolder(m_project, folder, &written))
        return;
    ShellOpen(written);
    if (main)
        main->showMinimized();
}

BOOL CProjectDocument::OnNewDocument()
{
    CDocument::OnNewDocument();
    return m_project.OnNewDocument() ? TRUE : FALSE;
}

BOOL CProjectDocument::OnOpenDocument(const CString& path) { return m_project.OnOpenDocument(path) ? TRUE : FALSE; }

BOOL CProjectDocument::OnSaveDocument(const CString& path) { return m_project.DoSave(path, true) ? TRUE : FALSE; }

void CProjectDocument::SetPathName(const CString& path, BOOL addToMRU)
{
    m_project.SetPathName(path);
    CDocument::SetPathName(path, addToMRU);
}

void CProjectDocument::SetTitle(const CString& title)
{
    m_project.SetTitle(title);
    CDocument::SetTitle(title);
}

BOOL CProjectDocument::IsModified() const { return m_project.IsModified() ? TRUE : FALSE; }

void CProjectDocument::SetModifiedFlag(BOOL modified)
{
    m_project.SetModifiedFlag(modified != 0);
    CDocument::SetModifiedFlag(modified);
}

// Each project window: the child frame with its ruler strip and site tree around the page view.
void RegisterProjectDocumentType()
{
    CDesignerApp::SetDocumentType([] { return new CProjectDocument; }, [] { return new CChildFrame; },
                                  [] { return new CKJView; });
}
