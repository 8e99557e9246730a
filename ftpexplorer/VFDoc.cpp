#include "ftpexplorer/VFDoc.h"
#include "framework/core/CArchive.h"
#include "framework/core/MessageBox.h"
#include "ftpexplorer/FileListView.h"
#include "ftpexplorer/FtpDialogs.h"
#include "ftpexplorer/FtpShell.h"
#include "ftpexplorer/FtpTranslate.h"

#include <QtCore/QDir>
#include <QtCore/QStandardPaths>
#include <QtCore/QThread>
#include <QtGui/QGuiApplication>

void BeginWaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
void EndWaitCursor() { QGuiApplication::restoreOverrideCursor(); }

CVFDoc::CVFDoc()
{
    OnCommand(ID_FTP_CONNECT, [this] { OnConnect(); });
    OnUpdateCommand(ID_FTP_CONNECT, [this](CCmdUI* ui) {
        ui->Enable(!m_pConnection);
        UpdatePathBar();
    });
    OnCommand(ID_FTP_DISCONNECT, [this] { Disconnect(); });
    OnUpdateCommand(ID_FTP_DISCONNECT, [this](CCmdUI* ui) { ui->Enable(m_pConnection != nullptr); });
    OnCommand(ID_FTP_PROPERTIES, [this] { OnConnectionProperties(); });
    OnCommand(ID_FTP_REFRESH, [this] { OnRefresh(); });
    for (UINT id : {ID_FTP_DESKTOP, ID_FTP_MY_DOCUMENTS, ID_FTP_MY_PICTURES, ID_FTP_MY_MUSIC, ID_FTP_MY_VIDEO})
        OnCommand(id, [this, id] { OnSpecialFolder(id); });
}

CVFDoc::~CVFDoc()
{
    // The panes may outlive the document by a moment (their frame goes later).
    if (m_pLocalView)
        m_pLocalView->SetDocument(nullptr);
    if (m_pRemoteView)
        m_pRemoteView->SetDocument(nullptr);
    if (CMainFrame* main = FtpMainFrame())
        main->SetPathTexts(CString(), CString());
    ClearSelection();
}

BOOL CVFDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return FALSE;
    m_strLocalFolder = CString::FromQString(QDir::currentPath());
    if (m_strLocalFolder.IsEmpty() || m_strLocalFolder[m_strLocalFolder.GetLength() - 1] != '/')
        m_strLocalFolder += '/';
    return TRUE;
}

BOOL CVFDoc::OnOpenDocument(const CString& path)
{
    try {
        LoadFtpFile(path);
    } catch (const CArchiveException&) {
        ShowMessageBox(FtpFormat("The file %s is damaged or is not an FTP connection file.", {path.GetString()}),
                       CString(), MB_OK | MB_ICONERROR);
        return FALSE;
    } catch (const CFileException&) {
        ShowMessageBox(FtpFormat("Can not open the file %s.", {path.GetString()}), CString(), MB_OK | MB_ICONERROR);
        return FALSE;
    }
    return TRUE;
}

BOOL CVFDoc::OnSaveDocument(const CString& path)
{
    try {
        SaveFtpFile(path);
    } catch (const CFileException&) {
        ShowMessageBox(FtpFormat("Can not save the file %s.", {path.GetString()}), CString(), MB_OK | MB_ICONERROR);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

CView* CVFDoc::LocalViewAsSender() const { return m_pLocalView; }

void CVFDoc::OnConnect()
{
    if (m_strHost.IsEmpty()) {
        OnConnectionProperties();
        if (m_strHost.IsEmpty())
            return;
    }
    if (!Connect()) {
        OnConnectionProperties(); // the user corrects the details; no new attempt by itself
        return;
    }
    UpdateAllViews(nullptr, HINT_TAKE_CURRENT_FOLDER);
    UpdateAllViews(nullptr, HINT_LIST_LOCAL);
    if (m_pConnection) {
        UpdateAllViews(LocalViewAsSender(), HINT_TAKE_REMOTE_FOLDER);
        UpdateAllViews(LocalViewAsSender(), HINT_LIST_REMOTE);
    }
}

void CVFDoc::Disconnect()
{
    DisconnectConnection();
    UpdateAllViews(LocalViewAsSender(), HINT_CONNECTION_CLOSED);
}

bool CVFDoc::EnsureConnection()
{
    if (IsConnectionAlive())
        return true;
    WithWaitCursor([this] {
        if (m_pConnection)
            Disconnect();
        OnConnect();
    });
    return IsConnectionAlive();
}

void CVFDoc::OnConnectionProperties()
{
    CConnectionDlg dlg(FtpMainFrame());
    dlg.m_strHost = m_strHost;
    dlg.m_strLocalFolder = m_strLocalFolder;
    dlg.m_strPassword = m_strPassword;
    dlg.m_bPassive = m_bPassive;
    dlg.m_nPort = m_nPort;
    dlg.m_strRemoteFolder = m_strRemoteFolder;
    dlg.m_strUser = m_strUser;
    if (dlg.DoModal() != IDOK)
        return;
    m_strHost = dlg.m_strHost;
    m_strLocalFolder = dlg.m_strLocalFolder;
    m_strPassword = dlg.m_strPassword;
    m_bPassive = dlg.m_bPassive;
    m_nPort = dlg.m_nPort;
    if (dlg.m_strRemoteFolder != m_strRemoteFolder) {
        m_strRemoteFolder = dlg.m_strRemoteFolder;
        // Every folder ends in "/", a one-character one too, so names join to it.
        if (!m_strRemoteFolder.IsEmpty() && m_strRemoteFolder[m_strRemoteFolder.GetLength() - 1] != '/')
            m_strRemoteFolder += '/';
        if (m_pConnection) {
            UpdateAllViews(LocalViewAsSender(), HINT_TAKE_REMOTE_FOLDER);
            UpdateAllViews(LocalViewAsSender(), HINT_LIST_REMOTE);
        }
    }
    m_strUser = dlg.m_strUser;
    if (GetPathName().IsEmpty())
        SetTitle(m_strHost);
    if (!m_strLocalFolder.IsEmpty())
        QDir::setCurrent(m_strLocalFolder.ToQString());
    SetModifiedFlag(TRUE);
}

void CVFDoc::OnRefresh()
{
    UpdateAllViews(nullptr, HINT_LIST_LOCAL);
    UpdateAllViews(nullptr, HINT_LIST_REMOTE);
}

void CVFDoc::OnSpecialFolder(UINT id)
{
    QStandardPaths::StandardLocation where = QStandardPaths::DocumentsLocation;
    switch (id) {
    case ID_FTP_DESKTOP: where = QStandardPaths::DesktopLocation; break;
    case ID_FTP_MY_PICTURES: where = QStandardPaths::PicturesLocation; break;
    case ID_FTP_MY_MUSIC: where = QStandardPaths::MusicLocation; break;
    case ID_FTP_MY_VIDEO: where = QStandardPaths::MoviesLocation; break;
    default: break;
    }
    CString folder = CString::FromQString(QStandardPaths::writableLocation(where));
    if (folder.IsEmpty())
        return;
    UpdateAllViews(nullptr, HINT_LOCAL_FOLDER, &folder);
}

void CVFDoc::StartUpload() { RunTransfer(true, m_strRemoteFolder); }

void CVFDoc::StartDownload(const CString& localTarget)
{
    RunTransfer(false, localTarget.IsEmpty() ? m_strLocalFolder : localTarget);
}

void CVFDoc::RunTransfer(bool upload, CString target)
{
    if (!EnsureConnection()) {
        ClearSelection();
        return;
    }
    // Targets are folders that names are joined to; the login folder on the server is "".
    if ((!upload || !target.IsEmpty()) && (target.IsEmpty() || target[target.GetLength() - 1] != '/'))
        target += '/';
    {
        std::unique_ptr<CTransferDlg> dlg;
        if (upload)
            dlg = std::make_unique<CUploadDlg>(m_pConnection.get(), FtpMainFrame());
        else
            dlg = std::make_unique<CDownloadDlg>(m_pConnection.get(), FtpMainFrame());
        for (CFileEntry* e : m_selection) {
            if (e)
                e->m_strTarget = target;
            dlg->Engine().AddEntry(e);
        }
        dlg->DoModal();
    }
    ClearSelection();
    UpdateAllViews(nullptr, upload ? HINT_LIST_REMOTE : HINT_LIST_LOCAL);
}

void CVFDoc::DeleteRemoteItems()
{
    if (!EnsureConnection()) {
        ClearSelection();
        return;
    }
    DeleteRemoteSelection();
    ClearSelection();
    UpdateAllViews(nullptr, HINT_LIST_REMOTE);
}

void CVFDoc::DeleteLocalItems()
{
    if (m_selection.empty())
        return;
    if (!DeleteLocalSelection() && !m_selection.empty())
        return; // refused: the selection stays as it was
    ClearSelection();
    QThread::msleep(100);
    UpdateAllViews(nullptr, HINT_LIST_LOCAL);
}

CString CVFDoc::PathBarRemoteText() const
{
    if (!m_pConnection)
        return CString();
    CString folder = m_strRemoteFolder;
    if (folder.IsEmpty() || folder[0] != '/')
        folder = "/" + folder;
    return FtpFormatRaw("ftp://%s%s", {m_strHost.GetString(), folder.GetString()});
}

void CVFDoc::UpdatePathBar()
{
    CMainFrame* main = FtpMainFrame();
    if (!main)
        return;
    // Only the window the user works in shows its folders.
    CMDIChildWnd* active = main->MDIGetActive();
    if (active && active->GetActiveDocument() != this)
        return;
    main->SetPathTexts(PathBarLocalText(), PathBarRemoteText());
    main->PlacePathFields(m_pLocalView, m_pRemoteView);
}
