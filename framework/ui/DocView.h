// Documents and their views. A document holds the data of one open file and routes
// commands after its view; the view is the widget that shows it.
#pragma once
#include "framework/core/CString.h"
#include "framework/ui/CmdTarget.h"

#include <QtWidgets/QWidget>
#include <vector>

class CMultiDocTemplate;
class CView;
class CMDIChildWnd;

class CDocument : public CCmdTarget {
public:
    CDocument();
    ~CDocument() override;

    const CString& GetPathName() const { return m_strPathName; }
    // The path and the title (its file name); addToMRU puts it in the recent-file list.
    virtual void SetPathName(const CString& path, BOOL addToMRU = TRUE);
    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(const CString& title);
    virtual BOOL IsModified() const { return m_bModified; }
    virtual void SetModifiedFlag(BOOL modified = TRUE) { m_bModified = modified; }

    virtual BOOL OnNewDocument();
    // Base: no file format, so opening and saving fail.
    virtual BOOL OnOpenDocument(const CString& path);
    virtual BOOL OnSaveDocument(const CString& path);
    // Closes the views' frames and lets the template delete the document.
    virtual void OnCloseDocument();
    // Asks whether to save a modified document: FALSE when the user cancelled or the save failed.
    virtual BOOL SaveModified();
    virtual BOOL CanCloseFrame(CMDIChildWnd* frame);
    // Saves to path; an empty path or !replace asks for a name first.
    BOOL DoSave(const CString& path, BOOL replace = TRUE);
    BOOL DoFileSave();
    // Asks for a file name to save under; FALSE on cancel.
    virtual BOOL PromptSaveName(CString& path);

    void AddView(CView* view);
    void RemoveView(CView* view);
    const std::vector<CView*>& GetViews() const { return m_views; }
    void UpdateAllViews(CView* sender, long hint = 0, void* hintObject = nullptr);

    CMultiDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
    void SetDocTemplate(CMultiDocTemplate* docTemplate) { m_pDocTemplate = docTemplate; }

private:
    CString m_strPathName;
    CString m_strTitle;
    BOOL m_bModified = FALSE;
    std::vector<CView*> m_views;
    CMultiDocTemplate* m_pDocTemplate = nullptr;
    bool m_bClosing = false;
};

class CView : public QWidget, public CCmdTarget {
public:
    explicit CView(QWidget* parent = nullptr);
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }
    void SetDocument(CDocument* document);
    // Routes to the view's own map, then to its document.
    BOOL OnCmdMsg(UINT id, CmdMode mode, CCmdUI* pUI) override;
    virtual void OnInitialUpdate();
    virtual void OnUpdate(CView* sender, long hint, void* hintObject);

private:
    CDocument* m_pDocument = nullptr;
};
