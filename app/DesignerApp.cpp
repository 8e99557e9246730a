#include "app/DesignerApp.h"

#include "framework/net/CInternetSession.h"

#include "app/AppResources.h"
#include "app/Artwork.h"
#include "controls/ColorControl.h"
#include "controls/FileChooser.h"
#include "app/MainFrame.h"
#include "app/Welcome.h"
#include "app/Wizard.h"
#include "editor/ViewFrame.h"
#include "framework/core/MessageBox.h"
#include "framework/core/Paths.h"
#include "framework/core/Profile.h"
#include "framework/ui/DocView.h"
#include "framework/ui/Shell.h"
#include "framework/ui/Translation.h"
#include "model/Translate.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QProcess>
#include <QtCore/QStandardPaths>
#include <QtGui/QGuiApplication>
#include <QtWidgets/QApplication>
#include <QtWidgets/QBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>

#include <cmath>
#include <cstdlib>
#include <ctime>

#ifndef TESSEL_VERSION_MAJOR
#define TESSEL_VERSION_MAJOR 8
#define TESSEL_VERSION_MINOR 0
#endif

namespace {
// Addresses of the maker's pages; only their paths are fixed.
const char* const kMakerSite = "https://www.varnelo.com";
const char* const kSocialSite = "https://www.facebook.com";
const char* const kKeywordSite = "https://ads.google.com";

struct DocumentType {
    CMultiDocTemplate::DocFactory document;
    CMultiDocTemplate::FrameFactory frame;
    CMultiDocTemplate::ViewFactory view;
};
DocumentType& RegisteredType()
{
    static DocumentType type;
    return type;
}

const char* const kProjectFilter = "Tessel Web Designer (*.kjproj)|*.kjproj||";

bool WriteIfChanged(const QString& path, const QByteArray& content)
{
    QFile existing(path);
    if (existing.open(QIODevice::ReadOnly) && existing.readAll() == content)
        return false;
    existing.close();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    out.write(content);
    return true;
}

// A value for the Exec key of a desktop entry: quoted with the characters the format
// reserves escaped.
QString DesktopExecQuote(const QString& program)
{
    QString q;
    for (QChar c : program) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            q += QLatin1Char('\\');
        q += c;
    }
    q.replace(QLatin1Char('%'), QStringLiteral("%%"));
    // The file's own string escapes apply on top of the quoting: each backslash doubles.
    q.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    return QLatin1Char('"') + q + QLatin1Char('"');
}
} // namespace

CDesignerApp* TheDesignerApp() { return dynamic_cast<CDesignerApp*>(AfxGetApp()); }

void CDesignerApp::SetDocumentType(CMultiDocTemplate::DocFactory document, CMultiDocTemplate::FrameFactory frame,
                                   CMultiDocTemplate::ViewFactory view)
{
    RegisteredType() = {std::move(document), std::move(frame), std::move(view)};
}

CDesignerApp::CDesignerApp() : CWinApp("Tessel Web Designer"), m_strProgramFolder(tessel::ProgramFolder())
{
    OnCommand(ID_FILE_OPEN_PROJECT, [this] { OnFileOpenProject(); });
    OnCommand(ID_WEBSITE_WIZARD, [this] { OnWebsiteWizard(); });
    OnCommand(ID_FILE_TEMPLATES, [this] { OnFileTemplates(); });
    OnCommand(ID_LAUNCH_FTP, [this] { OnLaunchFtp(); });
    OnCommand(ID_HELP_CONTENTS, [this] { OnHelpContents(); });
    OnCommand(ID_GETTING_STARTED, [this] { OnGettingStarted(); });
    OnCommand(ID_HELP_EXAMPLES, [this] { OnHelpExamples(); });
    OnCommand(ID_BROWSE_BACKUPS, [this] { OnBrowseBackups(); });
    OnCommand(ID_HELP_LIKE_IT, [this] { OnHelpLikeIt(); });
    OnCommand(ID_APP_ABOUT, [this] { OnAppAbout(); });
    OnCommand(ID_TUTORIALS, [this] { OnTutorials(); });
    OnCommand(ID_KEYWORD_TOOL, [this] { OnKeywordTool(); });
    OnCommand(ID_DESIGN_SERVICE, [this] { OnDesignService(); });
}

CDesignerApp::~CDesignerApp()
{
    CloseAllDocuments(TRUE);
    delete m_pMainWnd;
    m_pMainWnd = nullptr;
    if (m_pServerWait)
        AfxSetInternetIdleHandler(nullptr);
}

CMainFrame* CDesignerApp::MainFrame() const { return dynamic_cast<CMainFrame*>(m_pMainWnd); }

BOOL CDesignerApp::InitInstance()
{
    LoadAppResources();
    tessel::SetMessageBoxCaption(m_pszAppName);
    SetRegistryKey("Varnelo");
    LoadTranslations(m_strProgramFolder + "lang.ini");
    SetTranslationLookup(LookupTranslation);
    std::srand(unsigned(std::time(nullptr)));
    LoadStdProfileSettings(8);
    RegisterColorButtonClass();
    m_pServerWait = std::make_unique<CServerWait>("Waiting for the server...", [] { AfxCancelInternetWait(); });
    AfxSetInternetIdleHandler([wait = m_pServerWait.get()] { wait->Idle(); });

    const DocumentType& type = RegisteredType();
    m_pDocTemplate = new CMultiDocTemplate(IDR_KJTYPE, type.document, type.frame, type.view);
    m_pDocTemplate->m_menu = MakeProjectMenu();
    TranslateMenu(m_pDocTemplate->m_menu);
    AddDocTemplate(m_pDocTemplate);
    RegisterShellFileTypes(CString::FromQString(QCoreApplication::applicationFilePath()));

    auto* frame = new CMainFrame;
    m_pMainWnd = frame;
    if (frame->OnCreate() != 0) {
        delete frame;
        m_pMainWnd = nullptr;
        return FALSE;
    }
    frame->setWindowIcon(QIcon(QPixmap::fromImage(ProgramIcon(64))));
    CMenu menu = MakeMainMenu();
    TranslateMenu(menu);
    frame->SetDefaultMenu(menu);
    frame->OnUpdateFrameTitle();

    CCommandLineInfo info;
    ParseCommandLine(info, m_arguments);
    // An explicit "new" starts with nothing open and no Welcome dialog.
    const bool explicitNew = m_arguments.contains(QStringLiteral("new"));
    if (info.m_nShellCommand == CCommandLineInfo::FileOpen)
        frame->ShowSplash();
    if (info.m_nShellCommand == CCommandLineInfo::FileNew)
        info.m_nShellCommand = CCommandLineInfo::FileNothing;
    if (!ProcessShellCommand(info))
        return FALSE;

    if (frame->RestoreWindowPlacement())
        frame->show();
    else
        frame->showMaximized();
    frame->UpdateCmdUI();

    // "My Websites" in the documents folder is where file dialogs start.
    m_strWorkingFolder = tessel::DocumentsFolder() + "My Websites/";
    QDir().mkpath(m_strWorkingFolder.ToQString());
    QDir::setCurrent(m_strWorkingFolder.ToQString());

    m_strHelpFile = m_strProgramFolder + "help/index.htm";
    m_strExamplesFolder = m_strProgramFolder + "examples/";

    if (info.m_nShellCommand == CCommandLineInfo::FileNothing && !explicitNew) {
        DWelcome welcome;
        m_nWelcomeResult = welcome.DoModal();
        if (m_nWelcomeResult == IDOK) {
            const CString last = GetProfileString("Recent File List", "File1");
            WriteProfileInt("Current", "Welcome", welcome.choice);
            ActOnWelcomeChoice(welcome.choice, last);
        }
    }
    return TRUE;
}

int CDesignerApp::ExitInstance() { return CWinApp::ExitInstance(); }

void CDesignerApp::ActOnWelcomeChoice(int choice, const CString& lastProject)
{
    switch (choice) {
    case 0: OnFileNew(); break;
    case 1: OnWebsiteWizard(); break;
    case 2: OnFileTemplates(); break;
    case 3: OnFileOpenProject(); break;
    case 4:
        // Without a recent project there is nothing to reopen: ask for one instead.
        if (lastProject.IsEmpty())
            OnFileOpenProject();
        else
            OpenDocumentFile(lastProject);
        break;
    case 5: OnHelpContents(); break;
    case 6: OnTutorials(); break;
    default: break;
    }
}

void CDesignerApp::OnFileOpenProject()
{
    CFileChooser chooser;
    chooser.SetFilter(kProjectFilter);
    chooser.AddFlags(OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_ALLOWMULTISELECT);
    chooser.LoadFolder("Current", "ProjectFolder");
    chooser.SetTitle(Translate("Open Project"));
    if (!chooser.DoOpen())
        return;
    chooser.SaveFolder("Current", "ProjectFolder");
    for (const CString& path : chooser.GetPathNames())
        OpenDocumentFile(path);
}

// The wizard builds its site into a new project window, which stays open whatever the
// wizard's end.
void CDesignerApp::OnWebsiteWizard()
{
    if (!m_pDocTemplate)
        return;
    CDocument* doc = m_pDocTemplate->OpenDocumentFile(nullptr);
    if (auto* holder = dynamic_cast<CProjectHolder*>(doc))
        RunWebsiteWizard(*doc, holder->Project());
}

CDocument* CDesignerApp::PromptAndOpen(const CString& folder, BOOL addToMRU)
{
    CFileChooser chooser;
    chooser.SetFilter(kProjectFilter);
    chooser.AddFlags(OFN_HIDEREADONLY | OFN_FILEMUSTEXIST);
    chooser.SetInitialFolder(folder);
    chooser.SetFileName("*.kjproj");
    chooser.SetTitle(Translate("Open"));
    chooser.AddFlags(OFN_NOCHANGEDIR);
    if (!chooser.DoOpen())
        return nullptr;
    const auto paths = chooser.GetPathNames();
    return paths.empty() ? nullptr : OpenDocumentFile(paths.front(), addToMRU);
}

void CDesignerApp::OnFileTemplates()
{
    CDocument* doc = PromptAndOpen(m_strProgramFolder + "templates/", FALSE);
    if (!doc)
        return;
    // A template opens as a new project: no path, so Save asks where to put it.
    doc->SetPathName(CString(), FALSE);
    doc->SetTitle(Translate("Untitled Template"));
}

BOOL CDesignerApp::DoPromptFileName(CString& fileName, const CString& title, UINT flags, BOOL open,
                                    CMultiDocTemplate*)
{
    CFileChooser chooser;
    chooser.SetFilter(kProjectFilter);
    chooser.AddFlags(flags);
    chooser.SetTitle(title);
    if (!fileName.IsEmpty()) {
        chooser.SetInitialFolder(tessel::FolderOf(fileName));
        chooser.SetFileName(tessel::FileNameOf(fileName));
    }
    if (!(open ? chooser.DoOpen() : chooser.DoSave()))
        return FALSE;
    const auto paths = chooser.GetPathNames();
    if (paths.empty())
        return FALSE;
    fileName = paths.front();
    if (!open && QFileInfo(fileName.ToQString()).suffix().isEmpty())
        fileName += ".kjproj";
    return TRUE;
}

void CDesignerApp::OnHelpExamples() { PromptAndOpen(m_strExamplesFolder, TRUE); }

void CDesignerApp::OnGettingStarted() { OpenDocumentFile(m_strExamplesFolder + "Tutorial.kjproj"); }

void CDesignerApp::OnHelpContents()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const BOOL opened = ShellOpen(m_strHelpFile);
    QGuiApplication::restoreOverrideCursor();
    if (!opened)
        ReportShellOpenFailure(m_strHelpFile);
    else if (m_pMainWnd)
        m_pMainWnd->showMinimized();
}

void CDesignerApp::OnLaunchFtp() { ShellStartProgram(m_strProgramFolder + "ftp/dravix"); }

CString CDesignerApp::BackupFolder()
{
    const CString folder = tessel::AppDataFolder() + "TesselBackups";
    QDir().mkpath(folder.ToQString());
    return folder;
}

void CDesignerApp::OnBrowseBackups() { ShellOpenOrReport(BackupFolder()); }

void CDesignerApp::OnHelpLikeIt() { ShellOpenOrReport(CString(kSocialSite) + "/Varnelo"); }

void CDesignerApp::OnTutorials()
{
    if (ShellOpenOrReport(CString(kMakerSite) + "/webdesigner/tutorials/") && m_pMainWnd)
        m_pMainWnd->showMinimized();
}

void CDesignerApp::OnKeywordTool() { ShellOpenOrReport(CString(kKeywordSite) + "/select/KeywordToolExternal"); }

void CDesignerApp::OnDesignService() { ShellOpenOrReport(CString(kMakerSite) + "/design/"); }

void CDesignerApp::OnAppAbout()
{
    DAbout about(m_pMainWnd);
    about.DoModal();
}

void CDesignerApp::RegisterShellFileTypes(const CString& program)
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty())
        return;
    const QString mime = data + QStringLiteral("/mime/packages/x-tessel-project.xml");
    const QByteArray mimeXml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
        "  <mime-type type=\"application/x-tessel-project\">\n"
        "    <comment>Tessel Web Designer Project</comment>\n"
        "    <glob pattern=\"*.kjproj\"/>\n"
        "  </mime-type>\n"
        "</mime-info>\n";
    const QString icon = data + QStringLiteral("/icons/hicolor/64x64/apps/tessel-web-designer.png");
    QDir().mkpath(QFileInfo(icon).absolutePath());
    if (!QFileInfo::exists(icon))
        ProgramIcon(64).save(icon, "PNG");
    const QByteArray desktop = QStringLiteral("[Desktop Entry]\n"
                                              "Type=Application\n"
                                              "Name=Tessel Web Designer\n"
                                              "Comment=Design websites and publish them\n"
                                              "Exec=%1 %f\n"
                                              "Icon=tessel-web-designer\n"
                                              "MimeType=application/x-tessel-project;\n"
                                              "Categories=Development;WebDevelopment;\n")
                                   .arg(DesktopExecQuote(program.ToQString()))
                                   .toUtf8();
    WriteIfChanged(data + QStringLiteral("/applications/tessel-web-designer.desktop"), desktop);
    if (WriteIfChanged(mime, mimeXml)) {
        const QString update = QStandardPaths::findExecutable(QStringLiteral("update-mime-database"));
        if (!update.isEmpty())
            QProcess::startDetached(update, {data + QStringLiteral("/mime")});
    }
}

// ---- About

DAbout::DAbout(QWidget* parent) : CDialog(parent)
{
    setWindowTitle(QStringLiteral("About"));
    auto* icon = new QLabel(this);
    icon->setPixmap(QPixmap::fromImage(ProgramIcon(64)));
    auto* text = new QVBoxLayout;
    text->addWidget(CreateStatic(1035, ""));
    text->addWidget(CreateStatic(1095, ""));
    auto* browser = new QHBoxLayout;
    browser->addWidget(new QLabel(QStringLiteral("Default Browser:"), this));
    browser->addWidget(CreateStatic(1093, ""), 1);
    text->addLayout(browser);
    text->addWidget(new QLabel(QStringLiteral("Copyright Varnelo"), this));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CreateButton(4000, "Update"));
    buttons->addWidget(CreateButton(IDOK, "OK", true));
    OnCommand(4000, [] {});
    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addLayout(text, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
}

BOOL DAbout::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetDlgItemText(1095, CString::Formatted("Built with Qt %s", QT_VERSION_STR));
    // Pages open through the desktop's command, which names no browser version here.
    SetDlgItemText(1093, ShellOpenCommand());
    SetDlgItemText(1035, CString::Formatted("Tessel Web Designer %d.%d.%d.%d", TESSEL_VERSION_MAJOR,
                                            TESSEL_VERSION_MINOR, 0, 0));
    return TRUE;
}
