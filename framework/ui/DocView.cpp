#include "framework/ui/DocView.h"

#include "framework/core/MessageBox.h"
#include "framework/core/Paths.h"
#include "framework/ui/Frames.h"
#include "framework/ui/Translation.h"
#include "framework/ui/WinApp.h"

#include <algorithm>

CDocument::CDocument()
{
    OnCommand(ID_FILE_SAVE, [this] { DoFileSave(); });
    OnCommand(ID_FILE_SAVE_AS, [this] { DoSave(CString(), FALSE); });
    OnCommand(ID_FILE_CLOSE, [this] {
        if (SaveModified())
            OnCloseDocument();
    });
}

CDocument::~CDocument()
{
    for (CView* view : m_views)
        view->SetDocument(nullptr);
}

void CDocument::SetPathName(const CString& path, BOOL addToMRU)
{
    m_strPathName = path;
    SetTitle(tessel::FileNameOf(path));
    if (addToMRU && !path.IsEmpty() && AfxGetApp())
        AfxGetApp()->AddToRecentFileList(path);
}

void CDocument::SetTitle(const CString& title)
{
    m_strTitle = title;
    for (CView* view : m_views)
        if (auto* frame = CMDIChildWnd::FrameOf(view))
            frame->OnUpdateFrameTitle();
}

BOOL CDocument::OnNewDocument()
{
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(const CString&) { return FALSE; }
BOOL CDocument::OnSaveDocument(const CString&) { return FALSE; }

void CDocument::OnCloseDocument()
{
    if (m_bClosing)
        return;
    m_bClosing = true;
    // Frames are closed first; their views drop out of the list as they go.
    std::vector<CView*> views = m_views;
    for (CView* view : views)
        if (auto* frame = CMDIChildWnd::FrameOf(view))
            frame->DestroyFrame();
    m_views.clear();
    if (m_pDocTemplate)
        m_pDocTemplate->RemoveDocument(this); // deletes this
}

BOOL CDocument::SaveModified()
{
    if (!IsModified())
        return TRUE;
    CString name = m_strPathName.IsEmpty() ? m_strTitle : m_strPathName;
    CString prompt = UiTranslate("Save changes to %s?");
    if (prompt.Find("%s") < 0)
        prompt = "Save changes to %s?";
    CString text;
    text.Format("%s", prompt.GetString());
    text.Replace("%s", name);
    switch (AfxMessageBox(text, MB_YESNOCANCEL | MB_ICONEXCLAMATION)) {
    case IDCANCEL: return FALSE;
    case IDYES: return DoFileSave();
    default: return TRUE;
    }
}

BOOL CDocument::CanCloseFrame(CMDIChildWnd*) { return SaveModified(); }

BOOL CDocument::PromptSaveName(CString& path)
{
    CWinApp* app = AfxGetApp();
    return app && app->DoPromptFileName(path, UiTranslate("Save As"), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, FALSE,
                                        m_pDocTemplate);
}

BOOL CDocument::DoSave(const CString& path, BOOL replace)
{
    CString name = path;
    if (name.IsEmpty() || !replace) {
        name = m_strPathName;
        if (name.IsEmpty())
            name = m_strTitle;
        if (!PromptSaveName(name))
            return FALSE;
    }
    if (!OnSaveDocument(name))
        return FALSE;
    if (replace || name != m_strPathName)
        SetPathName(name);
    SetModifiedFlag(FALSE);
    return TRUE;
}

// A document without a path (new, or opened from a template) asks where to save.
BOOL CDocument::DoFileSave() { return DoSave(m_strPathName, !m_strPathName.IsEmpty()); }

void CDocument::AddView(CView* view)
{
    if (std::find(m_views.begin(), m_views.end(), view) == m_views.end())
        m_views.push_back(view);
}

void CDocument::RemoveView(CView* view) { m_views.erase(std::remove(m_views.begin(), m_views.end(), view), m_views.end()); }

void CDocument::UpdateAllViews(CView* sender, long hint, void* hintObject)
{
    for (CView* view : m_views)
        if (view != sender)
            view->OnUpdate(sender, hint, hintObject);
}

CView::CView(QWidget* parent) : QWidget(parent) {}

CView::~CView()
{
    if (m_pDocument)
        m_pDocument->RemoveView(this);
}

void CView::SetDocument(CDocument* document)
{
    if (m_pDocument == document)
        return;
    if (m_pDocument)
        m_pDocument->RemoveView(this);
    m_pDocument = document;
    if (document)
        document->AddView(this);
}

BOOL CView::OnCmdMsg(UINT id, CmdMode mode, CCmdUI* pUI)
{
    if (DispatchOwn(id, mode, pUI))
        return TRUE;
    return m_pDocument && m_pDocument->OnCmdMsg(id, mode, pUI);
}

void CView::OnInitialUpdate() { OnUpdate(nullptr, 0, nullptr); }
void CView::OnUpdate(CView*, long, void*) { update(); }
