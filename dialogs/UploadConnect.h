// The login dialogs of the upload: connection settings with a test of the server's
// folders, the server's folder tree, and the name of a new folder.
#pragma once
#include "controls/DialogKit.h"
#include "document/Upload.h"
#include "framework/ui/Dialog.h"

#include <initializer_list>
#include <memory>
#include <vector>

class CFtpConnection;
class CInternetSession;
class QHBoxLayout;
class QTreeWidget;
class QTreeWidgetItem;

enum : int {
    IDC_CONNECT_USER = 1000,
    IDC_CONNECT_PASSWORD = 1003,
    IDC_CONNECT_SERVER = 1011,
    IDC_CONNECT_PORT = 1014,
    IDC_CONNECT_FOLDER = 1017,
    IDC_CONNECT_BROWSE = 1025,
    IDC_CONNECT_PASSIVE = 1079,
    IDC_CONNECT_CLEAR = 3,
    IDC_REMOTE_TREE = 1086,
    IDC_REMOTE_NEW_FOLDER = 3,
    IDC_NEW_FOLDER_NAME = 1000,
};

class DConnect : public CDialog {
public:
    explicit DConnect(QWidget* parent = nullptr);
    ~DConnect() override;
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnBrowseFolder();
    void OnClear();

    CInternetSession* m_pInternet = nullptr;
    std::unique_ptr<CFtpConnection> m_pConnection; // only while the folders are browsed
    CFtpSettings m_settings;
};

class DRemoteFolder : public CDialog {
public:
    struct Folder {
        CString m_strName;
        CString m_strPath;
        int m_bDirectory = 1;
        std::uint64_t m_nSize = 0;
    };

    DRemoteFolder(CFtpConnection* connection, const CString& server, QWidget* parent = nullptr);
    ~DRemoteFolder() override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void ListFolder(QTreeWidgetItem* item, const CString& path);
    void OnDoubleClick();
    void OnNewFolder();
    QTreeWidget* Tree() const { return m_tree; }

    CFtpConnection* m_pConnection; // not owned
    CString m_strServer;
    std::vector<std::unique_ptr<Folder>> m_folders;
    CString m_strSelected;

private:
    const Folder* FolderOf(QTreeWidgetItem* item) const;
    QTreeWidget* m_tree;
};

class DNewFolder : public CDialog {
public:
    explicit DNewFolder(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    CString m_strLocation;
    CString m_strName;
};
