#include "app/ProjectDocument.h"

#include "app/ChildFrame.h"
#include "app/DesignerApp.h"
#include "editor/KJView.h"

CProjectDocument::CProjectDocument()
{
    m_project.m_askSavePath = [this](const CString& proposed) {
        CString path = proposed;
        return PromptSaveName(path) ? path : CString();
    };
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
