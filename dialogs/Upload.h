// Publishing by FTP: the Upload dialog (the file list and the login), the transfer dialog
// that sends one block per timer tick with its progress, the Browse dialog that opens the
// published site, and the Website commands that run them.
#pragma once
#include "document/Upload.h"
#include "framework/net/CInternetSession.h"
#include "framework/ui/Dialog.h"

#include <memory>

class CFtpConnection;
class CInternetSession;
class CKJDoc;
class CPublishContext;
class QProgressBar;
class QTreeWidget;

// Control and resource ids the code addresses.
enum : int {
    IDC_UPLOAD_LIST = 1078,
    IDC_UPLOAD_FOLDER = 1175,
    IDC_UPLOAD_LOGIN = 3,
    IDC_TRANSFER_PROGRESS = 1034,
    IDC_TRANSFER_STATUS = 1096,
    IDC_TRANSFER_COUNT = 1084,
    IDC_BROWSE_URL = 1000,
};
enum : UINT { kTransferTimer = 1000, kTransferTickMs = 10 };

class DUpload : public CDialog {
public:
    explicit DUpload(QWidget* parent = nullptr);
    ~DUpload() override;

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnLogin();

    CPublishContext* m_pContext = nullptr;      // not owned
    // The project's list of what its uploads left on the server (not owned; may be null):
    // a complete upload removes from the server what the site no longer makes.
    CPublishedFiles* m_pPublished = nullptr;
    CInternetSession* m_pInternet = nullptr;
    std::unique_ptr<CFtpConnection> m_pConnection; // made by OK, lives as long as the dialog
    CFtpSettings m_settings;
    UINT m_nUploaded = 0;        // entries sent (folders included)
    std::uint64_t m_nBytes = 0;  // bytes of the files sent

private:
    void ShowRemoteFolder();
    QTreeWidget* m_list;
};

class DFileUpload : public CDialog {
public:
    DFileUpload(std::vector<CPublishFile*> queue, std::unique_ptr<CFtpConnection>& connection,
                const CString& remoteFolder, QWidget* parent = nullptr);
    ~DFileUpload() override;

    BOOL OnInitDialog() override;
    void OnTimer(UINT id) override;
    void OnCancel() override; // Stop

    const CFileUploader& Uploader() const { return m_uploader; }
    CFileUploader& Uploader() { return m_uploader; }

private:
    void Finish(CFileUploader::Status status);
    void ShowProgress();

    CFileUploader m_uploader;
    CInternetEventPump m_pump; // the window answers while a step waits for the server
    QProgressBar* m_progress;
};

class DBrowse : public CDialog {
public:
    explicit DBrowse(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    CString m_strUrl;
};

// Runs the Upload dialog on the context's files; on OK the settings go back into the
// document and, unless quiet, the summary is shown. TRUE when the upload finished.
BOOL UploadFiles(CKJDoc& doc, CPublishContext& context, BOOL quiet, QWidget* parent = nullptr);
// Generates the site (changed objects, or all of them) and uploads it.
BOOL UploadWebsite(CKJDoc& doc, BOOL uploadAll, QWidget* parent = nullptr);

// The Website commands, for the frame that routes them. Upload and Upload All continue
// with Browse after a finished upload; Browse minimises window after opening the site.
void OnWebsiteUpload(CKJDoc& doc, QWidget* window);
void OnWebsiteUploadAll(CKJDoc& doc, QWidget* window);
void OnWebsiteBrowse(CKJDoc& doc, QWidget* window);
void OnWebsiteLogin(CKJDoc& doc, QWidget* window);
