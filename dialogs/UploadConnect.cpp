#include "dialogs/UploadConnect.h"

#include "framework/net/CFtpConnection.h"
#include "framework/net/CFtpFileFind.h"
#include "framework/net/CInternetException.h"
#include "framework/net/FtpListing.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/Translation.h"

#include <QtGui/QGuiApplication>
#include <QtWidgets/QBoxLayout>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QFormLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QStyle>
#include <QtWidgets/QTreeWidget>

// ---- DConnect

DConnect::DConnect(QWidget* parent) : CDialog(parent)
{
    setWindowTitle(QStringLiteral("Connect"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Username:"), CreateEdit(IDC_CONNECT_USER));
    QLineEdit* password = CreateEdit(IDC_CONNECT_PASSWORD);
    password->setEchoMode(QLineEdit::Password);
    form->addRow(QStringLiteral("Password:"), password);
    form->addRow(QStringLiteral("Server:"), CreateEdit(IDC_CONNECT_SERVER));
    form->addRow(QStringLiteral("Port:"), CreateEdit(IDC_CONNECT_PORT));
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(CreateEdit(IDC_CONNECT_FOLDER), 1);
    folderRow->addWidget(CreateButton(IDC_CONNECT_BROWSE, "..."));
    form->addRow(QStringLiteral("Destination Folder:"), folderRow);
    form->addRow(QString(), CreateCheck(IDC_CONNECT_PASSIVE, "Passive Mode"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(
        DialogButtonRow({CreateButton(IDC_CONNECT_CLEAR, "Clear"), CreateButton(IDOK, "OK", true), CreateButton(IDCANCEL, "Cancel")}));
    OnNotify(IDC_CONNECT_BROWSE, BN_CLICKED, [this] { OnBrowseFolder(); });
    OnNotify(IDC_CONNECT_CLEAR, BN_CLICKED, [this] { OnClear(); });
}

DConnect::~DConnect() = default;

BOOL DConnect::OnInitDialog()
{
    CDialog::OnInitDialog();
    return TRUE;
}

void DConnect::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_CONNECT_USER, m_settings.m_strUser);
    DDX_Text(pDX, IDC_CONNECT_PASSWORD, m_settings.m_strPassword);
    DDX_Text(pDX, IDC_CONNECT_SERVER, m_settings.m_strServer);
    DDX_Text(pDX, IDC_CONNECT_PORT, m_settings.m_nPort);
    DDX_Text(pDX, IDC_CONNECT_FOLDER, m_settings.m_strFolder);
    DDX_Check(pDX, IDC_CONNECT_PASSIVE, m_settings.m_bPassive);
}

void DConnect::OnBrowseFolder()
{
    m_settings.m_strUser = GetDlgItemText(IDC_CONNECT_USER);
    m_settings.m_strPassword = GetDlgItemText(IDC_CONNECT_PASSWORD);
    m_settings.m_strServer = GetDlgItemText(IDC_CONNECT_SERVER);
    m_settings.m_nPort = GetDlgItemInt(IDC_CONNECT_PORT);
    m_settings.m_bPassive = IsDlgButtonChecked(IDC_CONNECT_PASSIVE) ? 1 : 0;
    if (m_settings.m_strServer.IsEmpty()) {
        AfxMessageBox(UiTranslate("Enter the name of the server"), MB_ICONSTOP);
        return;
    }
    if (m_settings.m_strUser.IsEmpty()) {
        AfxMessageBox(UiTranslate("Enter username"), MB_ICONSTOP);
        return;
    }
    DWORD error = 0;
    {
        CWaitCursor wait;
        try {
            m_pConnection = ConnectFtp(m_pInternet ? *m_pInternet : GetDesignerInternetSession(), m_settings);
        } catch (const CInternetException& e) {
            m_pConnection.reset();
            error = e.m_dwError;
        }
    }
    if (!m_pConnection) {
        if (error != ERROR_INTERNET_OPERATION_CANCELLED) // the user's own Cancel needs no message
            AfxMessageBox(FtpLoginFailureText(error, m_settings, UiTranslate), MB_ICONSTOP);
        return;
    }
    DRemoteFolder folders(m_pConnection.get(), m_settings.m_strServer, this);
    if (folders.DoModal() == IDOK) {
        m_settings.m_strFolder = folders.m_strSelected;
        CString shown = m_settings.m_strFolder;
        if (!shown.IsEmpty() && shown[shown.GetLength() - 1] != '/')
            shown += '/';
        SetDlgItemText(IDC_CONNECT_FOLDER, shown);
    }
    m_pConnection->Close();
    m_pConnection.reset();
}

void DConnect::OnClear()
{
    if (AfxMessageBox(UiTranslate("Do you want to clear login details?"), MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    for (int id : {IDC_CONNECT_USER, IDC_CONNECT_PASSWORD, IDC_CONNECT_SERVER, IDC_CONNECT_FOLDER})
        SetDlgItemText(id, CString());
}

// ---- DRemoteFolder

DRemoteFolder::DRemoteFolder(CFtpConnection* connection, const CString& server, QWidget* parent)
    : CDialog(parent), m_pConnection(connection), m_strServer(server)
{
    setWindowTitle(QStringLiteral("Remote Folder"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Upload to folder:"), this));
    m_tree = AddControl(IDC_REMOTE_TREE, new QTreeWidget(this));
    m_tree->setHeaderHidden(true);
    m_tree->setMinimumSize(320, 300);
    QPalette pal = m_tree->palette();
    pal.setColor(QPalette::Base, QColor(0xFF, 0xFF, 0xC0));
    m_tree->setPalette(pal);
    layout->addWidget(m_tree, 1);
    layout->addLayout(DialogButtonRow({CreateButton(IDC_REMOTE_NEW_FOLDER, "New Folder"), CreateButton(IDOK, "OK", true),
                               CreateButton(IDCANCEL, "Cancel")}));
    OnNotify(IDC_REMOTE_NEW_FOLDER, BN_CLICKED, [this] { OnNewFolder(); });
    QObject::connect(m_tree, &QTreeWidget::itemDoubleClicked, this, [this] { OnDoubleClick(); });
}

DRemoteFolder::~DRemoteFolder() = default;

BOOL DRemoteFolder::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_tree->clear();
    auto* root = new QTreeWidgetItem(m_tree, {m_strServer.ToQString()});
    root->setIcon(0, style()->standardIcon(QStyle::SP_DriveNetIcon));
    m_tree->setCurrentItem(root);
    ListFolder(root, CString());
    root->setExpanded(true);
    return TRUE;
}

const DRemoteFolder::Folder* DRemoteFolder::FolderOf(QTreeWidgetItem* item) const
{
    if (!item)
        return nullptr;
    const auto index = item->data(0, Qt::UserRole);
    if (!index.isValid())
        return nullptr;
    const qulonglong i = index.toULongLong();
    return i < m_folders.size() ? m_folders[i].get() : nullptr;
}

void DRemoteFolder::ListFolder(QTreeWidgetItem* item, const CString& path)
{
    if (!m_pConnection)
        return;
    CWaitCursor wait;
    CFtpFileFind find(m_pConnection);
    CString pattern = path;
    if (!pattern.IsEmpty())
        pattern += '/';
    pattern += '*';
    BOOL more = find.FindFile(pattern, INTERNET_FLAG_RELOAD);
    if (!more && find.GetLastError() != 0)
        return;
    const QIcon icon = style()->standardIcon(QStyle::SP_DirIcon);
    bool any = false;
    while (more) {
        more = find.FindNextFile();
        any = true;
        // Names from the server are joined to paths: only plain names are taken.
        if (find.IsDots() || !find.IsDirectory() || !IsSafeFtpName(find.GetFileName()))
            continue;
        auto folder = std::make_unique<Folder>();
        folder->m_strName = find.GetFileName();
        folder->m_strPath = find.GetFilePath();
        folder->m_nSize = find.GetLength();
        auto* child = new QTreeWidgetItem(item, {folder->m_strName.ToQString()});
        child->setIcon(0, icon);
        child->setData(0, Qt::UserRole, qulonglong(m_folders.size()));
        m_folders.push_back(std::move(folder));
    }
    find.Close();
    if (any)
        m_strSelected = path;
}

void DRemoteFolder::OnDoubleClick()
{
    QTreeWidgetItem* item = m_tree->currentItem();
    if (!item || item->childCount() > 0)
        return;
    if (const Folder* f = FolderOf(item)) {
        const CString path = f->m_strPath;
        ListFolder(item, path);
        item->setExpanded(true);
    }
}

void DRemoteFolder::OnOK()
{
    if (const Folder* f = FolderOf(m_tree->currentItem()))
        m_strSelected = f->m_strPath;
    else if (m_tree->currentItem() && !m_tree->currentItem()->parent())
        m_strSelected = CString('/'); // the server's root item: its top folder
    EndDialog(IDOK);
}

void DRemoteFolder::OnNewFolder()
{
    DNewFolder dlg(this);
    dlg.m_strLocation = m_strSelected + "/";
    if (dlg.DoModal() != IDOK || dlg.m_strName.IsEmpty())
        return;
    CString path = dlg.m_strLocation;
    path.TrimRight('/');
    if (!path.IsEmpty())
        path += '/';
    CString name = dlg.m_strName;
    name.TrimRight('/');
    path += name;
    if (m_pConnection && m_pConnection->CreateDirectory(path)) {
        m_strSelected = path;
        EndDialog(IDOK);
        return;
    }
    AfxMessageBox(CString::Formatted("Creating directory: %s failed.", path.GetString()), MB_ICONSTOP);
}

// ---- DNewFolder

DNewFolder::DNewFolder(QWidget* parent) : CDialog(parent)
{
    setWindowTitle(QStringLiteral("Create New Folder"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(CreateStatic(-1, ""));
    layout->addWidget(CreateEdit(IDC_NEW_FOLDER_NAME));
    layout->addLayout(DialogButtonRow({CreateButton(IDOK, "OK", true), CreateButton(IDCANCEL, "Cancel")}));
}

BOOL DNewFolder::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetDlgItemText(-1, m_strLocation);
    return TRUE;
}

void DNewFolder::DoDataExchange(CDataExchange* pDX) { DDX_Text(pDX, IDC_NEW_FOLDER_NAME, m_strName); }

void DNewFolder::OnOK()
{
    if (!UpdateData(TRUE) || m_strName.IsEmpty())
        return;
    for (char c : m_strName.str())
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_')) {
            AfxMessageBox(UiTranslate("Folder name should contain only characters A-Z, a-z, 0-9 and _ ."), MB_ICONSTOP);
            return;
        }
    EndDialog(IDOK);
}
