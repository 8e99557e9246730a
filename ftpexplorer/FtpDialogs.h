// The explorer's dialogs: connection details, transfer progress, rename, create folder,
// the "FTP Connections" picker, the history log and the About box.
#pragma once
#include "framework/net/CInternetSession.h"
#include "framework/ui/Dialog.h"
#include "ftpexplorer/FtpIds.h"
#include "ftpexplorer/TransferEngine.h"

class QProgressBar;
class QTreeWidget;

class CConnectionDlg : public CDialog {
public:
    explicit CConnectionDlg(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    CString m_strUser;
    CString m_strPassword;
    CString m_strHost;
    CString m_strRemoteFolder;
    CString m_strLocalFolder;
    int m_nPort = 0;
    int m_bPassive = 1;
};

// The progress dialog of one upload or download: the engine moves one block per tick of
// timer 1000 (10 ms) and the dialog shows its texts.
class CTransferDlg : public CDialog {
public:
    CTransferDlg(CTransferEngine::Direction direction, CFtpConnection* connection, QWidget* parent = nullptr);
    ~CTransferDlg() override;
    BOOL OnInitDialog() override;
    void OnTimer(UINT id) override;
    void OnCancel() override;

    CTransferEngine& Engine() { return m_engine; }
    static constexpr UINT kTimerId = 1000;
    static constexpr UINT kTimerMs = 10;

private:
    void Follow(CTransferEngine::Result result);
    void ShowProgress();

    CTransferEngine m_engine;
    CInternetEventPump m_pump; // the window answers while a step waits for the server
    QProgressBar* m_pProgress = nullptr;
};

class CUploadDlg : public CTransferDlg {
public:
    explicit CUploadDlg(CFtpConnection* connection, QWidget* parent = nullptr)
        : CTransferDlg(CTransferEngine::upload, connection, parent)
    {
    }
};

class CDownloadDlg : public CTransferDlg {
public:
    explicit CDownloadDlg(CFtpConnection* connection, QWidget* parent = nullptr)
        : CTransferDlg(CTransferEngine::download, connection, parent)
    {
    }
};

class CRenameDlg : public CDialog {
public:
    explicit CRenameDlg(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    // The reason a new name is refused, empty when it is acceptable.
    static CString CheckName(const CString& name);

    CString m_strName;
};

class CCreateFolderDlg : public CDialog {
public:
    explicit CCreateFolderDlg(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    CString m_strName;
    CString m_strLocation;
};

// The start-up and Profiles picker: "<new connection>" first, then the recent files.
class CConnectionsDlg : public CDialog {
public:
    CConnectionsDlg(std::vector<CString> recentFiles, QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    void OnOK() override;
    QTreeWidget* List() const { return m_pList; }

    // After OK: the chosen recent file, empty for a new connection.
    CString m_strResult;

private:
    std::vector<CString> m_recent;
    QTreeWidget* m_pList = nullptr;
};

class CHistoryDlg : public CDialog {
public:
    explicit CHistoryDlg(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    QTreeWidget* List() const { return m_pList; }

private:
    QTreeWidget* m_pList = nullptr;
};

// Columns "Event", "Description", "Time" and one row per event, the newest first.
void FillHistoryList(QTreeWidget* list);

class CFtpAboutDlg : public CDialog {
public:
    explicit CFtpAboutDlg(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
};
