#include "ftpexplorer/FtpShell.h"

#include "framework/net/CInternetSession.h"
#include "ftpexplorer/FtpIcons.h"
#include "framework/core/MessageBox.h"
#include "framework/core/Paths.h"
#include "framework/core/Profile.h"
#include "framework/ui/Shell.h"
#include "framework/ui/Translation.h"
#include "ftpexplorer/FileListView.h"
#include "ftpexplorer/FtpDialogs.h"
#include "ftpexplorer/FtpTranslate.h"
#include "ftpexplorer/FtpUiTranslate.h"
#include "ftpexplorer/History.h"
#include "ftpexplorer/VFDoc.h"

#include <QtCore/QDir>
#include <QtCore/QStandardPaths>
#include <QtGui/QShortcut>
#include <QtWidgets/QApplication>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QSplitter>
#include <QtWidgets/QTreeWidget>
#include <QtWidgets/QStyle>
#include <QtWidgets/QVBoxLayout>

namespace {

constexpr const char* kDocString = "\nFTP-\nFTP Connection\nFTP Connections (*.ftp)\n.ftp\nFTP.Connection\nFTP Connection";

QIcon StdIcon(QStyle::StandardPixmap p) { return QApplication::style()->standardIcon(p); }

} // namespace

void RegisterFtpResources()
{
    AfxRegisterStrings({
        {IDR_FTP_CONNECTION, kDocString},
        {AFX_IDS_IDLEMESSAGE, "Ready"},
        {ID_FILE_NEW, "Create a new connection\nNew Connection"},
        {ID_FILE_OPEN, "Open an existing connection\nOpen Connection"},
        {ID_FILE_SAVE, "Save the connection details\nSave Connection"},
        {ID_FILE_SAVE_AS, "Save the connection details under a new name\nSave As"},
        {ID_FILE_CLOSE, "Close the connection window\nClose"},
        {ID_APP_EXIT, "Quit the program\nExit"},
        {ID_APP_ABOUT, "Display program information and version\nAbout"},
        {ID_FTP_PROFILES, "Choose one of the recent connections\nConnections"},
        {ID_FTP_SELECT_FOLDER, "Select the local folder\nSelect Folder"},
        {ID_FTP_REFRESH, "List both folders again\nRefresh"},
        {ID_FTP_PROPERTIES, "Change the connection details\nConnection Properties"},
        {ID_FTP_CONNECT, "Connect to the server\nConnect"},
        {ID_FTP_HISTORY, "Show the history of this session\nHistory"},
        {ID_FTP_DISCONNECT, "Disconnect from the server\nDisconnect"},
        {ID_FTP_UPLOAD, "Send files to the server\nUpload to the Server"},
        {ID_FTP_DOWNLOAD, "Receive files from the server\nDownload from the Server"},
        {ID_FTP_CREATE_FOLDER, "Create a new folder\nCreate Folder"},
        {ID_FTP_RENAME, "Rename the selected file or folder\nRename"},
        {ID_FTP_DELETE, "Delete the selected files and folders\nDelete"},
        {ID_FTP_HELP, "Open the help\nHelp"},
        {ID_FTP_EDIT, "Open the file with its program\nEdit"},
        {ID_FTP_DESKTOP, "List the desktop folder\nDesktop"},
        {ID_FTP_MY_DOCUMENTS, "List the documents folder\nMy Documents"},
        {ID_FTP_MY_PICTURES, "List the pictures folder\nMy Pictures"},
        {ID_FTP_MY_MUSIC, "List the music folder\nMy Music"},
        {ID_FTP_MY_VIDEO, "List the videos folder\nMy Video"},
        {ID_FTP_INDICATOR_CAPS, "CAP"},
        {ID_FTP_INDICATOR_NUM, "NUM"},
        {ID_FTP_INDICATOR_SCRL, "SCRL"},
        {IDS_FTP_CANT_ACCESS, "Can't access file %s"},
        {IDS_FTP_CANT_RENAME, "Can't rename file %s to %s"},
    });
}

CMenu FtpMainMenu()
{
    CMenu m;
    m.items = {
        CMenu::Popup("&Connection", {CMenu::Command("&New\tCtrl+N", ID_FILE_NEW), CMenu::Command("&Open...\tCtrl+O", ID_FILE_OPEN),
                                     CMenu::Command("&Profiles...", ID_FTP_PROFILES), CMenu::Separator(),
                                     CMenu::Command("Recent File", ID_FILE_MRU_FILE1), CMenu::Separator(),
                                     CMenu::Command("E&xit", ID_APP_EXIT)}),
        CMenu::Popup("&View", {CMenu::Command("&Toolbar", ID_VIEW_TOOLBAR), CMenu::Command("&Status Bar", ID_VIEW_STATUS_BAR),
                               CMenu::Command("&History", ID_FTP_HISTORY)}),
        CMenu::Popup("&Help", {CMenu::Command("Contents\tF1", ID_FTP_HELP), CMenu::Command("&About...", ID_APP_ABOUT)}),
    };
    return m;
}

CMenu FtpConnectionMenu()
{
    CMenu m;
    m.items = {
        CMenu::Popup("&File", {CMenu::Command("&New\tCtrl+N", ID_FILE_NEW), CMenu::Command("&Open...\tCtrl+O", ID_FILE_OPEN),
                               CMenu::Command("&Close", ID_FILE_CLOSE), CMenu::Command("&Save\tCtrl+S", ID_FILE_SAVE),
                               CMenu::Command("Save &As...", ID_FILE_SAVE_AS), CMenu::Separator(),
                               CMenu::Command("&Profiles...", ID_FTP_PROFILES), CMenu::Separator(),
                               CMenu::Command("Recent File", ID_FILE_MRU_FILE1), CMenu::Separator(),
                               CMenu::Command("E&xit", ID_APP_EXIT)}),
        CMenu::Popup("&Connection", {CMenu::Command("&Connect...", ID_FTP_CONNECT),
                                     CMenu::Command("&Disconnect...", ID_FTP_DISCONNECT),
                                     CMenu::Command("&Properties...", ID_FTP_PROPERTIES)}),
        CMenu::Popup("&Browse", {CMenu::Command("&Select Folder", ID_FTP_SELECT_FOLDER), CMenu::Command("Desktop", ID_FTP_DESKTOP),
                                 CMenu::Command("My Documents", ID_FTP_MY_DOCUMENTS),
                                 CMenu::Command("My Pictures", ID_FTP_MY_PICTURES), CMenu::Command("My Music", ID_FTP_MY_MUSIC),
                                 CMenu::Command("My Video", ID_FTP_MY_VIDEO)}),
        CMenu::Popup("&Manage", {CMenu::Command("Upload File", ID_FTP_UPLOAD), CMenu::Command("Download File", ID_FTP_DOWNLOAD),
                                 CMenu::Separator(), CMenu::Command("Create Folder", ID_FTP_CREATE_FOLDER),
                                 CMenu::Command("Rename\tF2", ID_FTP_RENAME), CMenu::Command("Delete\tDel", ID_FTP_DELETE)}),
        CMenu::Popup("&View", {CMenu::Command("&Toolbar", ID_VIEW_TOOLBAR), CMenu::Command("&Status Bar", ID_VIEW_STATUS_BAR),
                               CMenu::Command("&Refresh", ID_FTP_REFRESH), CMenu::Command("&History", ID_FTP_HISTORY)}),
        CMenu::Popup("&Window", {CMenu::Command("&Cascade", ID_WINDOW_CASCADE), CMenu::Command("&Tile", ID_WINDOW_TILE_HORZ),
                                 CMenu::Command("&Arrange Icons", ID_WINDOW_ARRANGE)}),
        CMenu::Popup("&Help", {CMenu::Command("Contents\tF1", ID_FTP_HELP), CMenu::Command("&About...", ID_APP_ABOUT)}),
    };
    return m;
}

CMainFrame* FtpMainFrame()
{
    CWinApp* app = AfxGetApp();
    return app ? dynamic_cast<CMainFrame*>(app->m_pMainWnd) : nullptr;
}

// ---- CChildFrame

CChildFrame::CChildFrame() = default;

BOOL CChildFrame::OnCreateClient(CView* view)
{
    m_pRemote = dynamic_cast<CFtpView*>(view);
    if (!m_pRemote || !CMDIChildWnd::OnCreateClient(view))
        return FALSE;
    layout()->removeWidget(view);
    m_pSplitter = new QSplitter(Qt::Horizontal, this);
    m_pLocal = new CLocalView(m_pSplitter);
    m_pSplitter->addWidget(m_pLocal);
    m_pSplitter->addWidget(view);
    // The local pane starts 500 pixels wide; the server pane takes the rest.
    m_pSplitter->setStretchFactor(0, 0);
    m_pSplitter->setStretchFactor(1, 1);
    m_pSplitter->setSizes({500, 100});
    layout()->addWidget(m_pSplitter);
    m_pLocal->SetDocument(view->GetDocument());
    m_pLocal->OnInitialUpdate();
    m_pActive = m_pLocal;
    // F6 and Shift+F6 move to the other pane.
    for (QKeySequence key : {QKeySequence(Qt::Key_F6), QKeySequence(Qt::SHIFT | Qt::Key_F6)}) {
        auto* shortcut = new QShortcut(key, this);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        QObject::connect(shortcut, &QShortcut::activated, this, [this] { NextPane(); });
    }
    return TRUE;
}

void CChildFrame::NextPane()
{
    CFileListView* next = m_pActive == m_pLocal ? static_cast<CFileListView*>(m_pRemote) : m_pLocal;
    if (!next || !next->isEnabled())
        return;
    SetActivePane(next);
    next->List()->setFocus();
}

void CChildFrame::SetActivePane(CFileListView* pane)
{
    if (pane == m_pLocal || pane == m_pRemote)
        m_pActive = pane;
}

BOOL CChildFrame::OnCmdMsg(UINT id, CmdMode mode, CCmdUI* pUI)
{
    CView* pane = m_pActive ? static_cast<CView*>(m_pActive) : GetActiveView();
    if (pane && pane->OnCmdMsg(id, mode, pUI))
        return TRUE;
    return DispatchOwn(id, mode, pUI);
}

// ---- CMainFrame

CMainFrame::CMainFrame() = default;

BOOL CMainFrame::OnCreate()
{
    AddBar(IDR_FTP_MAINFRAME,
           {{ID_FILE_NEW, StdIcon(QStyle::SP_FileIcon)},
            {ID_FTP_PROFILES, StdIcon(QStyle::SP_FileDialogDetailedView)},
            {ID_FILE_OPEN, StdIcon(QStyle::SP_DialogOpenButton)},
            {ID_FILE_SAVE, StdIcon(QStyle::SP_DialogSaveButton)},
            {ID_SEPARATOR, QIcon()},
            {ID_FTP_SELECT_FOLDER, StdIcon(QStyle::SP_DirOpenIcon)},
            {ID_FTP_REFRESH, StdIcon(QStyle::SP_BrowserReload)},
            {ID_FTP_PROPERTIES, StdIcon(QStyle::SP_FileDialogInfoView)},
            {ID_FTP_CONNECT, StdIcon(QStyle::SP_DriveNetIcon)},
            {ID_FTP_HISTORY, StdIcon(QStyle::SP_FileDialogContentsView)},
            {ID_FTP_DISCONNECT, StdIcon(QStyle::SP_BrowserStop)},
            {ID_SEPARATOR, QIcon()},
            {ID_FTP_UPLOAD, StdIcon(QStyle::SP_ArrowUp)},
            {ID_FTP_DOWNLOAD, StdIcon(QStyle::SP_ArrowDown)},
            {ID_SEPARATOR, QIcon()},
            {ID_FTP_CREATE_FOLDER, StdIcon(QStyle::SP_FileDialogNewFolder)},
            {ID_FTP_RENAME, StdIcon(QStyle::SP_FileLinkIcon)},
            {ID_FTP_DELETE, StdIcon(QStyle::SP_TrashIcon)},
            {ID_FTP_HELP, StdIcon(QStyle::SP_DialogHelpButton)}},
           Qt::TopToolBarArea, Qt::TopToolBarArea | Qt::BottomToolBarArea);
    // The path bar: the local and the server folder of the active window, read-only.
    auto* pathBar = new QToolBar(this);
    pathBar->setObjectName(QStringLiteral("pathbar"));
    pathBar->setMovable(false);
    // The fields are placed by the panes (each stands above its pane), not by a layout,
    // so that their widths never feed back into the window's size.
    auto* holder = new QWidget(pathBar);
    holder->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    holder->setMinimumWidth(0);
    holder->setFixedHeight(29);
    m_pLocalPath = new QLineEdit(holder);
    m_pRemotePath = new QLineEdit(holder);
    for (QLineEdit* field : {m_pLocalPath, m_pRemotePath})
        field->setReadOnly(true);
    m_pLocalPath->setGeometry(4, 4, 300, 21);
    m_pRemotePath->setGeometry(318, 4, 300, 21);
    m_pLocalPath->setObjectName(QStringLiteral("1010"));
    m_pRemotePath->setObjectName(QStringLiteral("1011"));
    pathBar->addWidget(holder);
    addToolBarBreak(Qt::TopToolBarArea);
    addToolBar(Qt::TopToolBarArea, pathBar);
    FtpTranslateWindow(pathBar);
    CreateStatusBar({ID_SEPARATOR, ID_FTP_INDICATOR_CAPS, ID_FTP_INDICATOR_NUM, ID_FTP_INDICATOR_SCRL});
    return TRUE;
}

BOOL CMainFrame::GetMessageString(UINT id, CString& text) const
{
    if (!CMDIFrameWnd::GetMessageString(id, text))
        return FALSE;
    FtpLookupTranslation(text);
    return TRUE;
}

CString CMainFrame::GetToolTipText(UINT id) const
{
    CString tip = CMDIFrameWnd::GetToolTipText(id);
    if (tip.IsEmpty())
        return tip;
    FtpLookupTranslation(tip);
    return tip.GetLength() > 80 ? tip.Left(80) : tip;
}

void CMainFrame::OnUpdateFrameTitle()
{
    QString title = QStringLiteral("Varnelo FTP Explorer");
    if (CMDIChildWnd* child = MDIGetActive(); child && child->GetActiveDocument())
        title += QStringLiteral(" - ") + child->GetActiveDocument()->GetTitle().ToQString();
    setWindowTitle(title);
}

void CMainFrame::SetPathTexts(const CString& local, const CString& remote)
{
    if (!m_pLocalPath || !m_pRemotePath)
        return;
    if (m_pLocalPath->text() != local.ToQString())
        m_pLocalPath->setText(local.ToQString());
    if (m_pRemotePath->text() != remote.ToQString())
        m_pRemotePath->setText(remote.ToQString());
}

void CMainFrame::PlacePathFields(const QWidget* localPane, const QWidget* remotePane)
{
    if (!m_pLocalPath || !m_pRemotePath || !m_pLocalPath->isEnabled() || !m_pRemotePath->isEnabled())
        return;
    QWidget* holder = m_pLocalPath->parentWidget();
    auto place = [&](QLineEdit* field, const QWidget* pane) {
        if (!pane || !pane->isVisible())
            return;
        const int left = pane->mapTo(this, QPoint(0, 0)).x() - holder->mapTo(this, QPoint(0, 0)).x();
        const int x = std::max(4, left + 4);
        field->setGeometry(x, 4, std::max(20, std::min(pane->width() - 6, holder->width() - x - 4)), 21);
    };
    place(m_pLocalPath, localPane);
    place(m_pRemotePath, remotePane);
}

void CMainFrame::TranslateShownMenu() { FtpTranslateMenu(menuBar()); }

// ---- CFtpApp

CFtpApp::CFtpApp() : CWinApp("Varnelo FTP")
{
    OnCommand(ID_FTP_PROFILES, [this] { OnProfiles(); });
    OnCommand(ID_FILE_OPEN, [this] { OnFileOpenConnections(); });
    OnCommand(ID_FTP_HISTORY, [this] { OnHistory(); });
    OnUpdateCommand(ID_FTP_HISTORY, [](CCmdUI* ui) { ui->Enable(!GetHistoryEvents().empty()); });
    OnCommand(ID_FTP_HELP, [this] { OnHelp(); });
    OnCommand(ID_APP_ABOUT, [this] { OnAbout(); });
}

CFtpApp::~CFtpApp()
{
    CloseAllDocuments(TRUE);
    delete m_pMainWnd;
    m_pMainWnd = nullptr;
    if (m_pServerWait)
        AfxSetInternetIdleHandler(nullptr);
}

BOOL CFtpApp::CreateMainWindow()
{
    RegisterFtpResources();
    // The framework's window and menu walkers look texts up in the explorer's map.
    SetTranslationLookup(&FtpLookupTranslation);
    m_pTemplate = new CMultiDocTemplate(
        IDR_FTP_CONNECTION, [] { return new CVFDoc; }, [] { return new CChildFrame; }, [] { return new CFtpView; });
    m_pTemplate->m_menu = FtpConnectionMenu();
    // Both menus are translated before they are first shown.
    FtpTranslateMenu(m_pTemplate->m_menu);
    AddDocTemplate(m_pTemplate);
    auto* main = new CMainFrame;
    m_pMainWnd = main;
    CMenu menu = FtpMainMenu();
    FtpTranslateMenu(menu);
    main->SetDefaultMenu(menu);
    if (!main->OnCreate())
        return FALSE;
    main->resize(1000, 700);
    main->OnUpdateFrameTitle();
    m_pServerWait = std::make_unique<CServerWait>("Waiting for the server...", [] { AfxCancelInternetWait(); });
    AfxSetInternetIdleHandler([wait = m_pServerWait.get()] { wait->Idle(); });
    return TRUE;
}

BOOL CFtpApp::InitInstance()
{
    SetRegistryKey("Varnelo");
    tessel::SetProfileApplication(QStringLiteral("Varnelo FTP"));
    LoadStdProfileSettings(20);
    LoadLanguageFile(tessel::ProgramFolder() + "lang.ini");
    // Every window and dialog of the explorer carries its icon.
    QApplication::setWindowIcon(ExplorerIcon());
    if (!CreateMainWindow())
        return FALSE;
    CCommandLineInfo info;
    ParseCommandLine(info, m_arguments);
    if (info.m_nShellCommand == CCommandLineInfo::FileNew) {
        RunConnectionsPicker();
    } else if (!ProcessShellCommand(info)) {
        return FALSE;
    }
    m_pMainWnd->show();
    // The folder the explorer worked in last time, else the user's documents.
    CString folder = GetProfileString("Current", "Directory");
    if (folder.IsEmpty() || !QDir::setCurrent(folder.ToQString())) {
        folder = tessel::DocumentsFolder();
        if (!QDir::setCurrent(folder.ToQString()))
            folder = CString::FromQString(QDir::homePath());
        QDir::setCurrent(folder.ToQString());
        WriteProfileString("Current", "Directory", folder);
    }
    return TRUE;
}

int CFtpApp::ExitInstance()
{
    WriteProfileString("Current", "Directory", CString::FromQString(QDir::currentPath()));
    return CWinApp::ExitInstance();
}

BOOL CFtpApp::RunConnectionsPicker()
{
    CConnectionsDlg dlg(GetRecentFiles(), m_pMainWnd);
    if (dlg.DoModal() != IDOK)
        return FALSE;
    if (dlg.m_strResult.IsEmpty())
        OnFileNew();
    else
        OpenDocumentFile(dlg.m_strResult);
    return TRUE;
}

void CFtpApp::OnProfiles() { RunConnectionsPicker(); }

void CFtpApp::OnFileOpenConnections()
{
    const QStringList files = QFileDialog::getOpenFileNames(
        m_pMainWnd, TranslateText("Open Connection").ToQString(), QString(),
        TranslateText("FTP Connections (*.ftp)|*.ftp||").ToQString().section(QLatin1Char('|'), 0, 0));
    for (const QString& f : files)
        OpenDocumentFile(CString::FromQString(f));
}

void CFtpApp::OnHistory()
{
    CHistoryDlg dlg(m_pMainWnd);
    dlg.DoModal();
}

void CFtpApp::OnHelp()
{
    bool opened = false;
    WithWaitCursor([&opened] { opened = ShellOpen(tessel::ProgramFolder() + "help.htm"); });
    if (!opened)
        ReportShellOpenFailure(tessel::ProgramFolder() + "help.htm");
}

void CFtpApp::OnAbout()
{
    CFtpAboutDlg dlg(m_pMainWnd);
    dlg.DoModal();
}
