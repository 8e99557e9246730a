#include "dialogs/Upload.h"
#include "dialogs/UploadConnect.h"

#include "framework/core/NumberFormat.h"
#include "document/EditScope.h"
#include "document/KJDoc.h"
#include "framework/core/Profile.h"
#include "framework/net/CFtpConnection.h"
#include "framework/net/CInternetException.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/Shell.h"
#include "framework/ui/Translation.h"
#include "model/PublishContext.h"

#include <QtCore/QTemporaryDir>
#include <QtGui/QGuiApplication>
#include <QtWidgets/QApplication>
#include <QtWidgets/QBoxLayout>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QProgressBar>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QStyle>
#include <QtWidgets/QTreeWidget>

// ---- DUpload

DUpload::DUpload(QWidget* parent) : CDialog(parent)
{
    setWindowTitle(QStringLiteral("Upload"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("The following files must be uploaded to the server:"), this));
    m_list = AddControl(IDC_UPLOAD_LIST, new QTreeWidget(this));
    m_list->setRootIsDecorated(false);
    m_list->setColumnCount(2);
    m_list->setHeaderLabels({QStringLiteral("File Name"), QStringLiteral("File Size")});
    m_list->header()->resizeSection(0, 500);
    m_list->header()->resizeSection(1, 100);
    m_list->headerItem()->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    m_list->setMinimumSize(640, 300);
    layout->addWidget(m_list, 1);
    layout->addWidget(CreateStatic(IDC_UPLOAD_FOLDER, ""));
    layout->addLayout(DialogButtonRow({CreateButton(IDC_UPLOAD_LOGIN, "Login"), CreateButton(IDOK, "OK", true),
                                 CreateButton(IDCANCEL, "Cancel")}));
    OnNotify(IDC_UPLOAD_LOGIN, BN_CLICKED, [this] { OnLogin(); });
}

DUpload::~DUpload() = default;

void DUpload::ShowRemoteFolder() { SetDlgItemText(IDC_UPLOAD_FOLDER, "Remote Folder: " + m_settings.m_strFolder); }

BOOL DUpload::OnInitDialog()
{
    CDialog::OnInitDialog();
    ShowRemoteFolder();
    m_list->clear();
    if (m_pContext) {
        const QIcon folderIcon = style()->standardIcon(QStyle::SP_DirIcon);
        const QIcon fileIcon = style()->standardIcon(QStyle::SP_FileIcon);
        for (const auto& f : m_pContext->GetFiles()) {
            auto* row = new QTreeWidgetItem;
            row->setText(0, QLatin1Char('/') + f->m_strRemoteName.ToQString());
            row->setIcon(0, f->m_bDirectory ? folderIcon : fileIcon);
            row->setData(0, Qt::UserRole, f->m_nKind);
            if (f->m_nSize > 0)
                row->setText(1, FormatFileSize(double(f->m_nSize)).ToQString());
            row->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
            m_list->insertTopLevelItem(0, row); // the last file shows first
        }
    }
    return TRUE;
}

void DUpload::OnLogin()
{
    DConnect dlg(this);
    dlg.m_pInternet = m_pInternet;
    dlg.m_settings = m_settings;
    if (dlg.DoModal() != IDOK)
        return;
    m_settings = dlg.m_settings;
    ShowRemoteFolder();
}

void DUpload::OnOK()
{
    CWaitCursor wait;
    if (m_settings.m_strServer.IsEmpty() || m_settings.m_strPassword.IsEmpty()) {
        wait.Restore();
        OnLogin();
    }
    if (m_settings.m_strServer.IsEmpty()) {
        AfxMessageBox(UiTranslate("Enter the name of the server"), MB_ICONSTOP);
        return;
    }
    if (m_settings.m_strUser.IsEmpty()) {
        AfxMessageBox(UiTranslate("Enter username"), MB_ICONSTOP);
        return;
    }
    wait.Resume();
    // A second OK starts over on a fresh connection.
    if (m_pConnection) {
        m_pConnection->Close();
        m_pConnection.reset();
    }
    try {
        m_pConnection = ConnectFtp(m_pInternet ? *m_pInternet : GetDesignerInternetSession(), m_settings);
    } catch (const CInternetException& e) {
        m_pConnection.reset();
        wait.Restore();
        AfxMessageBox(FtpLoginFailureText(e.m_dwError, m_settings, UiTranslate), MB_ICONSTOP);
        return;
    }
    std::vector<CPublishFile*> queue;
    if (m_pContext)
        for (const auto& f : m_pContext->GetFiles())
            queue.push_back(f.get());
    if (SendsPhpIndex(queue))
        KeepServerIndexPage(*m_pConnection, m_settings.m_strFolder); // there may be no old page
    wait.Restore();
    DFileUpload transfer(queue, m_pConnection, m_settings.m_strFolder, this);
    if (m_pPublished && m_pContext)
        transfer.Uploader().RemoveStaleFiles(m_pPublished, *m_pContext, m_settings);
    if (transfer.DoModal() == IDOK) {
        m_nUploaded = transfer.Uploader().GetEntriesAtStart();
        m_nBytes = transfer.Uploader().GetBytesDone();
        EndDialog(IDOK);
        return;
    }
    AfxMessageBox("Upload not complete.", MB_ICONSTOP);
}

// ---- DFileUpload

DFileUpload::DFileUpload(std::vector<CPublishFile*> queue, std::unique_ptr<CFtpConnection>& connection,
                         const CString& remoteFolder, QWidget* parent)
    : CDialog(parent), m_uploader(std::move(queue), connection, remoteFolder)
{
    setWindowTitle(QStringLiteral("File Upload"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Uploading..."), this));
    m_progress = AddControl(IDC_TRANSFER_PROGRESS, new QProgressBar(this));
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    layout->addWidget(m_progress);
    QLabel* status = CreateStatic(IDC_TRANSFER_STATUS, "");
    status->setMinimumSize(420, 80);
    status->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(status, 1);
    layout->addWidget(CreateStatic(IDC_TRANSFER_COUNT, ""));
    layout->addLayout(DialogButtonRow({CreateButton(IDCANCEL, "Stop")}));
}

DFileUpload::~DFileUpload() = default;

BOOL DFileUpload::OnInitDialog()
{
    CDialog::OnInitDialog();
    Finish(m_uploader.Begin());
    return TRUE;
}

void DFileUpload::Finish(CFileUploader::Status status)
{
    switch (status) {
    case CFileUploader::Running:
        if (!Timers().IsRunning(kTransferTimer))
            SetTimer(kTransferTimer, kTransferTickMs);
        ShowProgress();
        break;
    case CFileUploader::Finished:
        KillTimer(kTransferTimer);
        EndDialog(IDOK);
        break;
    case CFileUploader::Failed:
        KillTimer(kTransferTimer);
        EndDialog(IDCANCEL);
        break;
    }
}

void DFileUpload::ShowProgress()
{
    m_progress->setValue(m_uploader.GetPercent());
    CString text;
    text.Format("From: %s\r\nTo: %s\r\nFile size: %llu\r\nBytes sent: %llu", m_uploader.GetLocalPath().GetString(),
                m_uploader.GetRemotePath().GetString(), static_cast<unsigned long long>(m_uploader.GetCurrentSize()),
                static_cast<unsigned long long>(m_uploader.GetBytesSent()));
    const std::time_t elapsed = std::time(nullptr) - m_uploader.GetStartTime();
    if (elapsed >= 1) {
        // Everything sent so far over the time since the dialog opened.
        const double rate = double(m_uploader.GetBytesDone() + m_uploader.GetBytesSent()) / double(elapsed);
        text += "\r\nTransfer Rate: " + FormatFileSize(rate) + "/sec";
    }
    SetDlgItemText(IDC_TRANSFER_STATUS, text);
    SetDlgItemText(IDC_TRANSFER_COUNT,
                   CString::Formatted("File %u of %u", m_uploader.GetEntriesTaken(), m_uploader.GetEntriesAtStart()));
}

void DFileUpload::OnTimer(UINT id)
{
    if (IsEnded())
        return;
    if (id == kTransferTimer)
        Finish(m_uploader.Step());
    CDialog::OnTimer(id);
}

void DFileUpload::OnCancel()
{
    KillTimer(kTransferTimer);
    m_uploader.Stop();
    EndDialog(IDCANCEL);
}

// ---- DBrowse

DBrowse::DBrowse(QWidget* parent) : CDialog(parent)
{
    setWindowTitle(QStringLiteral("Browse"));
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(QStringLiteral("You can preview uploaded files now. Enter the link to your website below."), this);
    text->setWordWrap(true);
    layout->addWidget(text);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Root URL:"), this));
    QLineEdit* url = CreateEdit(IDC_BROWSE_URL);
    url->setMinimumWidth(360);
    row->addWidget(url, 1);
    layout->addLayout(row);
    layout->addLayout(DialogButtonRow({CreateButton(IDOK, "OK", true), CreateButton(IDCANCEL, "Cancel")}));
}

BOOL DBrowse::OnInitDialog()
{
    CDialog::OnInitDialog();
    return TRUE;
}

void DBrowse::DoDataExchange(CDataExchange* pDX) { DDX_Text(pDX, IDC_BROWSE_URL, m_strUrl); }

// ---- commands

BOOL UploadFiles(CKJDoc& doc, CPublishContext& context, BOOL quiet, QWidget* parent)
{
    DUpload dlg(parent);
    dlg.m_pContext = &context;
    dlg.m_pInternet = &GetDesignerInternetSession();
    dlg.m_settings = CFtpSettings::FromDocument(doc);
    dlg.m_pPublished = &doc.m_published;
    if (dlg.DoModal() != IDOK)
        return FALSE;
    {
        // The connection settings and the files' upload states are kept with the project.
        CEditScope scope(doc);
        dlg.m_settings.ToDocument(doc);
    }
    if (!quiet)
        AfxMessageBox(CString::Formatted("Uploaded %u files ( %s ).", dlg.m_nUploaded,
                                         FormatFileSize(double(dlg.m_nBytes)).GetString()),
                      MB_OK);
    return TRUE;
}

BOOL UploadWebsite(CKJDoc& doc, BOOL uploadAll, QWidget* parent)
{
    QTemporaryDir folder;
    CPublishContext context;
    {
        CWaitCursor wait;
        if (!GenerateForUpload(doc, context, uploadAll & 0xFF, folder))
            return FALSE;
    }
    return UploadFiles(doc, context, FALSE, parent);
}

void OnWebsiteUpload(CKJDoc& doc, QWidget* window)
{
    if (UploadWebsite(doc, FALSE, window))
        OnWebsiteBrowse(doc, window);
}

void OnWebsiteUploadAll(CKJDoc& doc, QWidget* window)
{
    if (UploadWebsite(doc, TRUE, window))
        OnWebsiteBrowse(doc, window);
}

void OnWebsiteBrowse(CKJDoc& doc, QWidget* window)
{
    DBrowse dlg(window);
    dlg.m_strUrl = doc.m_strRootUrl;
    if (dlg.DoModal() != IDOK)
        return;
    doc.m_strRootUrl = dlg.m_strUrl;
    WriteProfileString("Server", "Root", doc.m_strRootUrl);
    CString address = doc.m_strRootUrl;
    address.Trim();
    if (address.IsEmpty())
        return;
    // An address without a scheme is a web address, never a local program or file.
    if (address.Find("://") < 0)
        address = "http://" + address;
    {
        CWaitCursor wait;
        ShellOpen(address);
    }
    if (window && window->window())
        window->window()->showMinimized();
}

void OnWebsiteLogin(CKJDoc& doc, QWidget* window)
{
    DConnect dlg(window);
    dlg.m_pInternet = &GetDesignerInternetSession();
    dlg.m_settings = CFtpSettings::FromDocument(doc);
    if (dlg.DoModal() != IDOK)
        return;
    dlg.m_settings.ToDocument(doc);
    std::unique_ptr<CFtpConnection> connection;
    DWORD error = 0;
    {
        CWaitCursor wait;
        try {
            connection = ConnectFtp(*dlg.m_pInternet, dlg.m_settings);
        } catch (const CInternetException& e) {
            error = e.m_dwError;
        }
    }
    if (!connection) {
        if (error != ERROR_INTERNET_OPERATION_CANCELLED) // the user's own Cancel needs no message
            AfxMessageBox(FtpLoginFailureText(error, dlg.m_settings, UiTranslate), MB_ICONSTOP);
        return;
    }
    connection->Close();
    AfxMessageBox(CString::Formatted("Login Successful: %s.", dlg.m_settings.m_strServer.GetString()), MB_OK);
    WriteProfileString("Server", "User", dlg.m_settings.m_strUser);
    WriteProfileString("Server", "Host", dlg.m_settings.m_strServer);
    WriteProfileString("Server", "Folder", dlg.m_settings.m_strFolder);
}
