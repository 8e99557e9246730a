// The explorer's application object, main window (toolbar, path bar, status bar) and the
// connection window with its two panes side by side.
#pragma once
#include "framework/ui/Frames.h"
#include "framework/ui/ServerWait.h"
#include "framework/ui/WinApp.h"
#include "ftpexplorer/FtpIds.h"

#include <QtCore/QStringList>
#include <memory>

class CFileListView;
class CLocalView;
class CFtpView;
class QLineEdit;
class QSplitter;

class CChildFrame : public CMDIChildWnd {
public:
    CChildFrame();
    // Puts a new local pane on the left of the server pane the template made.
    BOOL OnCreateClient(CView* view) override;
    // Commands go to the pane the user works in, then its document, then this frame.
    BOOL OnCmdMsg(UINT id, CmdMode mode, CCmdUI* pUI) override;
    void SetActivePane(CFileListView* pane);
    // The other pane becomes the active one (F6, Shift+F6).
    void NextPane();
    CFileListView* GetActivePane() const { return m_pActive; }
    CLocalView* LocalView() const { return m_pLocal; }
    CFtpView* RemoteView() const { return m_pRemote; }
    QSplitter* Splitter() const { return m_pSplitter; }

private:
    QSplitter* m_pSplitter = nullptr;
    CLocalView* m_pLocal = nullptr;
    CFtpView* m_pRemote = nullptr;
    CFileListView* m_pActive = nullptr;
};

class CMainFrame : public CMDIFrameWnd {
public:
    CMainFrame();
    BOOL OnCreate();
    BOOL GetMessageString(UINT id, CString& text) const override;
    CString GetToolTipText(UINT id) const override;
    void OnUpdateFrameTitle() override;
    // Path bar fields 1010 (local) and 1011 (remote); each written only when it differs.
    void SetPathTexts(const CString& local, const CString& remote);
    QLineEdit* LocalPathField() const { return m_pLocalPath; }
    QLineEdit* RemotePathField() const { return m_pRemotePath; }
    void TranslateShownMenu();
    // Each field stands above its pane of the active window.
    void PlacePathFields(const QWidget* localPane, const QWidget* remotePane);

private:
    QLineEdit* m_pLocalPath = nullptr;
    QLineEdit* m_pRemotePath = nullptr;
};

class CFtpApp : public CWinApp {
public:
    CFtpApp();
    ~CFtpApp() override;
    BOOL InitInstance() override;
    int ExitInstance() override;

    // Start-up without the picker and the command line (tests build windows with this).
    BOOL CreateMainWindow();
    void OnProfiles();
    void OnFileOpenConnections();
    void OnHistory();
    void OnHelp();
    void OnAbout();
    // Runs the picker; OK opens the chosen file or a new connection. FALSE on Cancel.
    BOOL RunConnectionsPicker();

    QStringList m_arguments;
    CMultiDocTemplate* m_pTemplate = nullptr; // owned by the application's template list
    // Connecting and listing outside the transfer dialogs keep the windows answering.
    std::unique_ptr<CServerWait> m_pServerWait;
};

// The explorer's strings (prompts and tooltips), menus and accelerators.
void RegisterFtpResources();
CMenu FtpMainMenu();
CMenu FtpConnectionMenu();
// The main window as the explorer's, or null.
CMainFrame* FtpMainFrame();
