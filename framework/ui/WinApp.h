// The application object, document templates and the command line.
#pragma once
#include "framework/core/CString.h"
#include "framework/ui/CmdTarget.h"
#include "framework/ui/Resources.h"

#include <QtCore/QStringList>
#include <functional>
#include <memory>
#include <vector>

class CDocument;
class CView;
class CMDIChildWnd;
class CMDIFrameWnd;

// File dialog flags.
enum : UINT {
    OFN_OVERWRITEPROMPT = 0x2,
    OFN_HIDEREADONLY = 0x4,
    OFN_NOCHANGEDIR = 0x8,
    OFN_ENABLEHOOK = 0x20,
    OFN_ALLOWMULTISELECT = 0x200,
    OFN_PATHMUSTEXIST = 0x800,
    OFN_FILEMUSTEXIST = 0x1000,
    OFN_EXPLORER = 0x80000,
    OFN_ENABLESIZING = 0x800000,
};

// One kind of document: how to make its document, frame and view, its menu and its
// strings ("\n"-separated: window title, document name, new-file name, filter name,
// filter extension, file type id, file type name).
class CMultiDocTemplate {
public:
    using DocFactory = std::function<CDocument*()>;
    using FrameFactory = std::function<CMDIChildWnd*()>;
    using ViewFactory = std::function<CView*()>;
    enum DocStringIndex { windowTitle, docName, fileNewName, filterName, filterExt, regFileTypeId, regFileTypeName };

    CMultiDocTemplate(UINT resourceId, DocFactory makeDocument, FrameFactory makeFrame, ViewFactory makeView);
    ~CMultiDocTemplate();

    UINT m_nIDResource;
    CMenu m_menu; // shared by every frame of this kind

    CString GetDocString(DocStringIndex index) const;
    // Opens path, or makes a new document when path is null or empty; null on failure.
    CDocument* OpenDocumentFile(const char* path, BOOL addToMRU = TRUE);
    // Makes the frame and view for a document.
    CMDIChildWnd* CreateNewFrame(CDocument* document);
    // Deletes a document the template owns.
    void RemoveDocument(CDocument* document);
    std::vector<CDocument*> GetDocuments() const;
    CDocument* FindDocument(const CString& path) const;

private:
    DocFactory m_makeDocument;
    FrameFactory m_makeFrame;
    ViewFactory m_makeView;
    std::vector<std::unique_ptr<CDocument>> m_documents;
    int m_nUntitledCount = 0;
};

class CCommandLineInfo {
public:
    enum ShellCommand { FileNew, FileOpen, FileNothing };
    ShellCommand m_nShellCommand = FileNew;
    CString m_strFileName;
};

class CWinApp : public CCmdTarget {
public:
    explicit CWinApp(const char* appName);
    ~CWinApp() override;

    CString m_pszAppName;
    CMDIFrameWnd* m_pMainWnd = nullptr;

    virtual BOOL InitInstance();
    virtual int ExitInstance();

    // The organisation under which the profile is kept.
    void SetRegistryKey(const char* company) { m_strRegistryKey = company; }
    const CString& GetRegistryKey() const { return m_strRegistryKey; }
    // Loads the recent-file list ("Recent File List", "File1".."FileN").
    void LoadStdProfileSettings(int maxRecent = 4);
    virtual void AddToRecentFileList(const CString& path);
    const std::vector<CString>& GetRecentFiles() const { return m_recent; }

    void AddDocTemplate(CMultiDocTemplate* docTemplate); // takes ownership
    CMultiDocTemplate* GetFirstDocTemplate() const;
    std::vector<CDocument*> GetOpenDocuments() const;

    // An open document of that path is activated; otherwise the template opens it.
    virtual CDocument* OpenDocumentFile(const char* path, BOOL addToMRU = TRUE);
    void OnFileNew();
    void OnFileOpen();
    // Asks for a file name; FALSE on cancel.
    virtual BOOL DoPromptFileName(CString& fileName, const CString& title, UINT flags, BOOL open,
                                  CMultiDocTemplate* docTemplate);

    // No argument or "new": FileNew; one path: FileOpen.
    void ParseCommandLine(CCommandLineInfo& info, const QStringList& arguments) const;
    BOOL ProcessShellCommand(CCommandLineInfo& info);

    BOOL SaveAllModified();
    void CloseAllDocuments(BOOL endSession);

private:
    CString m_strRegistryKey;
    int m_nMaxRecent = 0;
    std::vector<CString> m_recent;
    std::vector<std::unique_ptr<CMultiDocTemplate>> m_templates;
};

CWinApp* AfxGetApp();
