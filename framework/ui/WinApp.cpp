#include "framework/ui/WinApp.h"

#include "framework/core/MessageBox.h"
#include "framework/core/Profile.h"
#include "framework/ui/DocView.h"
#include "framework/ui/Frames.h"
#include "framework/ui/Translation.h"

#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtWidgets/QApplication>
#include <QtWidgets/QFileDialog>

namespace {
CWinApp* g_app = nullptr;

const char* const kNoDocumentType = "This program has no project type to create or open projects with.";

CString Field(const CString& s, int index)
{
    int start = 0;
    for (int i = 0; i < index; ++i) {
        int nl = s.Find('\n', start);
        if (nl < 0)
            return CString();
        start = nl + 1;
    }
    int end = s.Find('\n', start);
    return end < 0 ? s.Mid(start) : s.Mid(start, end - start);
}

// Paths are compared in their absolute, '/'-separated form.
CString Canonical(const CString& path)
{
    QFileInfo info(path.ToQString());
    QString c = info.canonicalFilePath();
    return CString::FromQString(c.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : c);
}
} // namespace

CWinApp* AfxGetApp() { return g_app; }

// ---- CMultiDocTemplate

CMultiDocTemplate::CMultiDocTemplate(UINT resourceId, DocFactory makeDocument, FrameFactory makeFrame,
                                     ViewFactory makeView)
    : m_nIDResource(resourceId), m_makeDocument(std::move(makeDocument)), m_makeFrame(std::move(makeFrame)),
      m_makeView(std::move(makeView))
{
}

CMultiDocTemplate::~CMultiDocTemplate()
{
    // Views may outlive their documents briefly (deleted later by Qt); detach them first.
    for (auto& doc : m_documents)
        for (CView* view : std::vector<CView*>(doc->GetViews()))
            view->SetDocument(nullptr);
}

CString CMultiDocTemplate::GetDocString(DocStringIndex index) const
{
    CString s;
    AfxLoadString(m_nIDResource, s);
    return Field(s, int(index));
}

CDocument* CMultiDocTemplate::OpenDocumentFile(const char* path, BOOL addToMRU)
{
    CDocument* raw = m_makeDocument ? m_makeDocument() : nullptr;
    if (!raw) {
        AfxMessageBox(kNoDocumentType, MB_ICONEXCLAMATION);
        return nullptr;
    }
    m_documents.emplace_back(raw);
    raw->SetDocTemplate(this);
    const bool isNew = !path || !*path;
    BOOL ok;
    if (isNew) {
        CString name = GetDocString(docName);
        if (name.IsEmpty())
            name = "Untitled";
        ++m_nUntitledCount;
        ok = raw->OnNewDocument();
        if (ok)
            raw->SetTitle(name + CString::Formatted("%d", m_nUntitledCount));
    } else {
        ok = raw->OnOpenDocument(path);
        if (ok) {
            raw->SetPathName(Canonical(path), addToMRU);
            raw->SetModifiedFlag(FALSE);
        }
    }
    if (!ok) {
        RemoveDocument(raw);
        return nullptr;
    }
    if (!CreateNewFrame(raw)) {
        RemoveDocument(raw);
        return nullptr;
    }
    return raw;
}

CMDIChildWnd* CMultiDocTemplate::CreateNewFrame(CDocument* document)
{
    CWinApp* app = AfxGetApp();
    CMDIFrameWnd* main = app ? app->m_pMainWnd : nullptr;
    if (!main || !m_makeView)
        return nullptr;
    CMDIChildWnd* frame = m_makeFrame ? m_makeFrame() : new CMDIChildWnd;
    frame->m_pTemplate = this;
    CView* view = m_makeView();
    view->SetDocument(document);
    if (!frame->OnCreateClient(view)) {
        delete frame;
        return nullptr;
    }
    frame->OnUpdateFrameTitle();
    main->AddChild(frame);
    view->OnInitialUpdate();
    view->setFocus();
    return frame;
}

void CMultiDocTemplate::RemoveDocument(CDocument* document)
{
    for (auto it = m_documents.begin(); it != m_documents.end(); ++it)
        if (it->get() == document) {
            std::unique_ptr<CDocument> doomed = std::move(*it);
            m_documents.erase(it);
            return;
        }
}

std::vector<CDocument*> CMultiDocTemplate::GetDocuments() const
{
    std::vector<CDocument*> docs;
    for (const auto& d : m_documents)
        docs.push_back(d.get());
    return docs;
}

CDocument* CMultiDocTemplate::FindDocument(const CString& path) const
{
    if (path.IsEmpty())
        return nullptr;
    const CString wanted = Canonical(path);
    for (const auto& d : m_documents)
        if (!d->GetPathName().IsEmpty() && Canonical(d->GetPathName()) == wanted)
            return d.get();
    return nullptr;
}

// ---- CWinApp

CWinApp::CWinApp(const char* appName) : m_pszAppName(appName)
{
    g_app = this;
    OnCommand(ID_FILE_NEW, [this] { OnFileNew(); });
    OnCommand(ID_FILE_OPEN, [this] { OnFileOpen(); });
    OnCommand(ID_APP_EXIT, [this] {
        if (m_pMainWnd)
            m_pMainWnd->close();
    });
    OnCommandRange(ID_FILE_MRU_FILE1, ID_FILE_MRU_LAST, [this](UINT id) {
        const size_t index = id - ID_FILE_MRU_FILE1;
        if (index < m_recent.size()) {
            const CString path = m_recent[index];
            OpenDocumentFile(path);
        }
    });
}

CWinApp::~CWinApp()
{
    if (g_app == this)
        g_app = nullptr;
}

BOOL CWinApp::InitInstance() { return TRUE; }
int CWinApp::ExitInstance() { return 0; }

void CWinApp::LoadStdProfileSettings(int maxRecent)
{
    m_nMaxRecent = maxRecent;
    m_recent.clear();
    for (int i = 1; i <= maxRecent; ++i) {
        CString path = GetProfileString("Recent File List", CString::Formatted("File%d", i));
        if (!path.IsEmpty())
            m_recent.push_back(path);
    }
}

void CWinApp::AddToRecentFileList(const CString& path)
{
    if (m_nMaxRecent <= 0 || path.IsEmpty())
        return;
    m_recent.erase(std::remove(m_recent.begin(), m_recent.end(), path), m_recent.end());
    m_recent.insert(m_recent.begin(), path);
    if (int(m_recent.size()) > m_nMaxRecent)
        m_recent.resize(size_t(m_nMaxRecent));
    for (int i = 0; i < m_nMaxRecent; ++i)
        WriteProfileString("Recent File List", CString::Formatted("File%d", i + 1),
                           size_t(i) < m_recent.size() ? m_recent[size_t(i)].GetString() : "");
    if (m_pMainWnd)
        m_pMainWnd->RecalcMenu(true); // the File menu lists the recent files
}

void CWinApp::AddDocTemplate(CMultiDocTemplate* docTemplate) { m_templates.emplace_back(docTemplate); }

CMultiDocTemplate* CWinApp::GetFirstDocTemplate() const
{
    return m_templates.empty() ? nullptr : m_templates.front().get();
}

std::vector<CDocument*> CWinApp::GetOpenDocuments() const
{
    std::vector<CDocument*> docs;
    for (const auto& t : m_templates)
        for (CDocument* d : t->GetDocuments())
            docs.push_back(d);
    return docs;
}

CDocument* CWinApp::OpenDocumentFile(const char* path, BOOL addToMRU)
{
    CMultiDocTemplate* t = GetFirstDocTemplate();
    if (!t) {
        AfxMessageBox(kNoDocumentType, MB_ICONEXCLAMATION);
        return nullptr;
    }
    if (!path || !*path) {
        AfxMessageBox(UiTranslate("No project file was named."), MB_ICONEXCLAMATION);
        return nullptr;
    }
    if (CDocument* open = t->FindDocument(path)) {
        if (!open->GetViews().empty())
            if (CMDIChildWnd* frame = CMDIChildWnd::FrameOf(open->GetViews().front()); frame && m_pMainWnd)
                m_pMainWnd->ActivateChild(frame);
        return open;
    }
    return t->OpenDocumentFile(path, addToMRU);
}

void CWinApp::OnFileNew()
{
    CMultiDocTemplate* t = GetFirstDocTemplate();
    if (!t) {
        AfxMessageBox(kNoDocumentType, MB_ICONEXCLAMATION);
        return;
    }
    t->OpenDocumentFile(nullptr);
}

void CWinApp::OnFileOpen()
{
    CString name;
    if (!DoPromptFileName(name, UiTranslate("Open"), OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, TRUE, nullptr))
        return;
    OpenDocumentFile(name);
}

BOOL CWinApp::DoPromptFileName(CString& fileName, const CString& title, UINT flags, BOOL open,
                               CMultiDocTemplate* docTemplate)
{
    CMultiDocTemplate* t = docTemplate ? docTemplate : GetFirstDocTemplate();
    QString filter;
    if (t && !t->GetDocString(CMultiDocTemplate::filterExt).IsEmpty())
        filter = t->GetDocString(CMultiDocTemplate::filterName).ToQString();
    QFileDialog::Options options;
    if (!(flags & OFN_OVERWRITEPROMPT))
        options |= QFileDialog::DontConfirmOverwrite;
    QString chosen = open
        ? QFileDialog::getOpenFileName(m_pMainWnd, title.ToQString(), fileName.ToQString(), filter, nullptr, options)
        : QFileDialog::getSaveFileName(m_pMainWnd, title.ToQString(), fileName.ToQString(), filter, nullptr, options);
    if (chosen.isEmpty())
        return FALSE;
    if (!open && t) {
        const QString ext = t->GetDocString(CMultiDocTemplate::filterExt).ToQString();
        if (!ext.isEmpty() && QFileInfo(chosen).suffix().isEmpty())
            chosen += ext;
    }
    fileName = CString::FromQString(chosen);
    return TRUE;
}

void CWinApp::ParseCommandLine(CCommandLineInfo& info, const QStringList& arguments) const
{
    info = CCommandLineInfo();
    for (const QString& arg : arguments) {
        if (arg.isEmpty())
            continue;
        if (arg == QLatin1String("new")) {
            info.m_nShellCommand = CCommandLineInfo::FileNew;
            info.m_strFileName.Empty();
            continue;
        }
        if (info.m_strFileName.IsEmpty()) {
            info.m_strFileName = CString::FromQString(arg);
            info.m_nShellCommand = CCommandLineInfo::FileOpen;
        }
    }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& info)
{
    switch (info.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
        OnFileNew();
        return TRUE;
    case CCommandLineInfo::FileOpen:
        // A file that cannot be opened was reported; the program still starts.
        OpenDocumentFile(info.m_strFileName);
        return TRUE;
    case CCommandLineInfo::FileNothing:
        return TRUE;
    }
    return TRUE;
}

BOOL CWinApp::SaveAllModified()
{
    for (CDocument* doc : GetOpenDocuments())
        if (!doc->SaveModified())
            return FALSE;
    return TRUE;
}

void CWinApp::CloseAllDocuments(BOOL)
{
    for (CDocument* doc : GetOpenDocuments())
        doc->OnCloseDocument();
}
