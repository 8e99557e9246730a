// The designer's application object: start-up and the application-wide commands.
#pragma once
#include "framework/core/NumberFormat.h"
#include "framework/ui/Dialog.h"
#include "framework/ui/ServerWait.h"
#include "framework/ui/WinApp.h"

#include <memory>

class CMainFrame;

class CDesignerApp : public CWinApp {
public:
    CDesignerApp();
    ~CDesignerApp() override;

    // How the project document, its frame and its view are made; the program registers
    // them before start-up. Without a document type the designer still starts.
    static void SetDocumentType(CMultiDocTemplate::DocFactory document, CMultiDocTemplate::FrameFactory frame,
                                CMultiDocTemplate::ViewFactory view);

    BOOL InitInstance() override;
    int ExitInstance() override;
    CMainFrame* MainFrame() const;

    QStringList m_arguments;          // the command line without the program
    CString m_strProgramFolder;       // ends with '/'
    CMultiDocTemplate* m_pDocTemplate = nullptr;
    // Logging in and browsing server folders outside the upload keep the windows answering.
    std::unique_ptr<CServerWait> m_pServerWait;
    CString m_strHelpFile;            // program folder + "help/index.htm"
    CString m_strExamplesFolder;      // program folder + "examples/"
    CString m_strWorkingFolder;       // "My Websites" in the documents folder
    int m_nWelcomeResult = 0;         // what the Welcome dialog ended with (0 when not shown)

    void OnFileOpenProject();
    void OnWebsiteWizard();
    void OnFileTemplates();
    void OnHelpExamples();
    void OnGettingStarted();
    void OnHelpContents();
    void OnLaunchFtp();
    void OnBrowseBackups();
    void OnHelpLikeIt();
    void OnTutorials();
    void OnKeywordTool();
    void OnDesignService();
    void OnAppAbout();
    // File names are asked for with the designer's own picker.
    BOOL DoPromptFileName(CString& fileName, const CString& title, UINT flags, BOOL open,
                          CMultiDocTemplate* docTemplate) override;
    // Acts on a choice of the Welcome dialog.
    void ActOnWelcomeChoice(int choice, const CString& lastProject);
    // The folder that holds the project backups (created when missing).
    static CString BackupFolder();

    // Writes the desktop entry, the MIME type of ".kjproj" and the icon into the user's
    // data folder, so that the desktop opens project files with this program.
    static void RegisterShellFileTypes(const CString& program);

private:
    // Prompts for a project in folder and opens it; null on cancel.
    CDocument* PromptAndOpen(const CString& folder, BOOL addToMRU);
};

class DAbout : public CDialog {
public:
    explicit DAbout(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
};

CDesignerApp* TheDesignerApp();
