#include "ftpexplorer/FtpDialogs.h"
#include "framework/core/MessageBox.h"
#include "framework/ui/DataExchange.h"
#include "ftpexplorer/FtpIcons.h"
#include "ftpexplorer/FtpTranslate.h"
#include "ftpexplorer/FtpUiTranslate.h"
#include "ftpexplorer/History.h"

#include <QtCore/QFileInfo>
#include <QtGui/QGuiApplication>
#include <QtGui/QScreen>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QFormLayout>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QProgressBar>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QTreeWidget>
#include <QtWidgets/QVBoxLayout>
#include <ctime>

namespace {

QLabel* Label(QWidget* parent, const char* text) { return new QLabel(QString::fromUtf8(text), parent); }

QHBoxLayout* OkCancelRow(CDialog* dlg, bool withOk = true)
{
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    if (withOk)
        row->addWidget(dlg->CreateButton(IDOK, "OK", true));
    row->addWidget(dlg->CreateButton(IDCANCEL, "Cancel", !withOk));
    return row;
}

} // namespace

// ---- Connection details

CConnectionDlg::CConnectionDlg(QWidget* parent) : CDialog(parent)
{
    setWindowTitle(QStringLiteral("Connection Details"));
    auto* form = new QFormLayout;
    form->addRow(Label(this, "Username:"), CreateEdit(IDC_FTP_USER));
    QLineEdit* password = CreateEdit(IDC_FTP_PASSWORD);
    password->setEchoMode(QLineEdit::Password);
    form->addRow(Label(this, "Password:"), password);
    form->addRow(Label(this, "Host/Server:"), CreateEdit(IDC_FTP_HOST));
    QLineEdit* port = CreateEdit(IDC_FTP_PORT);
    port->setValidator(nullptr);
    port->setInputMask(QString());
    port->setMaxLength(5);
    form->addRow(Label(this, "Port:"), port);
    form->addRow(QString(), CreateCheck(IDC_FTP_PASSIVE, "Passive Mode"));
    auto* group = new QGroupBox(QStringLiteral("Startup Folders"), this);
    auto* folders = new QFormLayout(group);
    folders->addRow(Label(this, "Remote:"), CreateEdit(IDC_FTP_REMOTE_FOLDER));
    folders->addRow(Label(this, "Local:"), CreateEdit(IDC_FTP_LOCAL_FOLDER));
    auto* top = new QVBoxLayout(this);
    top->addLayout(form);
    top->addWidget(group);
    top->addLayout(OkCancelRow(this));
    setMinimumWidth(380);
    // Digits only in the port field.
    QObject::connect(port, &QLineEdit::textEdited, port, [port](const QString& text) {
        QString digits;
        for (QChar c : text)
            if (c.isDigit())
                digits += c;
        if (digits != text)
            port->setText(digits);
    });
}

BOOL CConnectionDlg::OnInitDialog()
{
    m_bTranslateOnInit = false; // the explorer translates through its own map
    CDialog::OnInitDialog();
    FtpTranslateWindow(this);
    return TRUE;
}

void CConnectionDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Check(pDX, IDC_FTP_PASSIVE, m_bPassive);
    DDX_Text(pDX, IDC_FTP_USER, m_strUser);
    DDX_Text(pDX, IDC_FTP_PASSWORD, m_strPassword);
    DDX_Text(pDX, IDC_FTP_HOST, m_strHost);
    DDX_Text(pDX, IDC_FTP_REMOTE_FOLDER, m_strRemoteFolder);
    DDX_Text(pDX, IDC_FTP_LOCAL_FOLDER, m_strLocalFolder);
    DDX_Text(pDX, IDC_FTP_PORT, m_nPort);
    DDV_MinMaxInt(pDX, m_nPort, 1, 65535);
}

// ---- Transfers

CTransferDlg::CTransferDlg(CTransferEngine::Direction direction, CFtpConnection* connection, QWidget* parent)
    : CDialog(parent), m_engine(direction, connection)
{
    const bool up = direction == CTransferEngine::upload;
    setWindowTitle(up ? QStringLiteral("File Upload") : QStringLiteral("File Download"));
    auto* top = new QVBoxLayout(this);
    QLabel* text = CreateStatic(IDC_FTP_PROGRESS_TEXT, up ? "Uploading..." : "Downloading...");
    text->setMinimumHeight(text->fontMetrics().lineSpacing() * 4);
    text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    top->addWidget(text);
    m_pProgress = AddControl(IDC_FTP_PROGRESS, new QProgressBar(this));
    m_pProgress->setRange(0, 100);
    m_pProgress->setValue(0);
    top->addWidget(m_pProgress);
    top->addWidget(CreateStatic(IDC_FTP_COUNT_TEXT, ""));
    top->addLayout(OkCancelRow(this, false));
    setMinimumWidth(400);
}

CTransferDlg::~CTransferDlg() { KillTimer(kTimerId); }

BOOL CTransferDlg::OnInitDialog()
{
    m_bTranslateOnInit = false; // the explorer translates through its own map
    CDialog::OnInitDialog();
    FtpTranslateWindow(this);
    Follow(m_engine.Start());
    return TRUE;
}

void CTransferDlg::Follow(CTransferEngine::Result result)
{
    ShowProgress();
    if (result == CTransferEngine::running && m_engine.TimerRunning()) {
        SetTimer(kTimerId, kTimerMs);
        return;
    }
    KillTimer(kTimerId);
    EndDialog(result == CTransferEngine::finishedOk ? IDOK : IDCANCEL);
}

void CTransferDlg::OnTimer(UINT id)
{
    if (id != kTimerId || IsEnded())
        return;
    // The timer is stopped while the next file is taken, so a slow open never queues ticks.
    KillTimer(kTimerId);
    Follow(m_engine.Tick());
}

void CTransferDlg::ShowProgress()
{
    m_pProgress->setValue(m_engine.GetPercent());
    if (!m_engine.GetStatusText().IsEmpty())
        SetDlgItemText(IDC_FTP_PROGRESS_TEXT, m_engine.GetStatusText());
    if (!m_engine.GetCountText().IsEmpty())
        SetDlgItemText(IDC_FTP_COUNT_TEXT, m_engine.GetCountText());
}

void CTransferDlg::OnCancel()
{
    KillTimer(kTimerId);
    m_engine.Cancel();
    CDialog::OnCancel();
}

// ---- Rename

CRenameDlg::CRenameDlg(QWidget* parent) : CDialog(parent)
{
    setWindowTitle(QStringLiteral("Rename"));
    auto* top = new QVBoxLayout(this);
    top->addWidget(Label(this, "New name:"));
    top->addWidget(CreateEdit(IDC_FTP_NEW_NAME));
    top->addLayout(OkCancelRow(this));
    setMinimumWidth(320);
}

BOOL CRenameDlg::OnInitDialog()
{
    m_bTranslateOnInit = false; // the explorer translates through its own map
    CDialog::OnInitDialog();
    FtpTranslateWindow(this);
    return TRUE;
}

void CRenameDlg::DoDataExchange(CDataExchange* pDX) { DDX_Text(pDX, IDC_FTP_NEW_NAME, m_strName); }

CString CRenameDlg::CheckName(const CString& name)
{
    if (name.IsEmpty())
        return TranslateText("Please specify the new name of the file.");
    for (const char* c = "/\\:?\"<>|*"; *c; ++c)
        if (name.Find(*c) >= 0)
            return TranslateText("File names can not contain characters like / \\ : ? ") + "\""
                + TranslateText(" < > | *");
    // "." and ".." name the folder itself or its parent, never a file of it.
    if (name == "." || name == "..")
        return TranslateText("Please specify the new name of the file.");
    return CString();
}

void CRenameDlg::OnOK()
{
    CString name = GetDlgItemText(IDC_FTP_NEW_NAME);
    CString why = CheckName(name);
    if (!why.IsEmpty()) {
        ShowMessageBox(why, CString(), MB_OK);
        return;
    }
    CDialog::OnOK();
}

// ---- Create folder

CCreateFolderDlg::CCreateFolderDlg(QWidget* parent) : CDialog(parent)
{
    setWindowTitle(QStringLiteral("Create Folder"));
    auto* top = new QVBoxLayout(this);
    top->addWidget(Label(this, "Create new folder in:"));
    QLabel* location = CreateStatic(IDC_FTP_LOCATION, "");
    location->setTextFormat(Qt::PlainText);
    top->addWidget(location);
    top->addWidget(Label(this, "Folder Name:"));
    top->addWidget(CreateEdit(IDC_FTP_NEW_NAME));
    top->addLayout(OkCancelRow(this));
    setMinimumWidth(360);
}

BOOL CCreateFolderDlg::OnInitDialog()
{
    m_bTranslateOnInit = false; // the explorer translates through its own map
    CDialog::OnInitDialog();
    FtpTranslateWindow(this);
    return TRUE;
}

void CCreateFolderDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_FTP_NEW_NAME, m_strName);
    if (!pDX->m_bSaveAndValidate)
        SetDlgItemText(IDC_FTP_LOCATION, m_strLocation);
}

// ---- FTP Connections picker

CConnectionsDlg::CConnectionsDlg(std::vector<CString> recentFiles, QWidget* parent)
    : CDialog(parent), m_recent(std::move(recentFiles))
{
    setWindowTitle(QStringLiteral("FTP Connections"));
    setStyleSheet(QStringLiteral("QDialog, QTreeWidget { background: white; }"));
    auto* top = new QVBoxLayout(this);
    auto* banner = new QLabel(this);
    banner->setPixmap(HistoryIcon(HISTORY_CONNECTED).pixmap(48, 48));
    banner->setAlignment(Qt::AlignCenter);
    top->addWidget(banner);
    m_pList = AddControl(IDC_FTP_LIST, new QTreeWidget(this));
    m_pList->setHeaderHidden(true);
    m_pList->setRootIsDecorated(false);
    m_pList->setSelectionMode(QAbstractItemView::SingleSelection);
    top->addWidget(m_pList);
    top->addLayout(OkCancelRow(this));
    QObject::connect(m_pList, &QTreeWidget::itemDoubleClicked, this, [this] { OnOK(); });
    resize(360, 320);
}

BOOL CConnectionsDlg::OnInitDialog()
{
    m_bTranslateOnInit = false; // the explorer translates through its own map
    CDialog::OnInitDialog();
    FtpTranslateWindow(this);
    m_pList->clear();
    auto* first = new QTreeWidgetItem(m_pList, QStringList(TranslateText("<new connection>").ToQString()));
    first->setIcon(0, HistoryIcon(HISTORY_CONNECTED));
    for (const CString& path : m_recent) {
        if (path.IsEmpty())
            continue;
        auto* row = new QTreeWidgetItem(m_pList, QStringList(QFileInfo(path.ToQString()).completeBaseName()));
        row->setIcon(0, HistoryIcon(HISTORY_CONNECTED));
        row->setData(0, Qt::UserRole, path.ToQString());
    }
    m_pList->setCurrentItem(first);
    m_pList->setFocus();
    return TRUE;
}

void CConnectionsDlg::OnOK()
{
    QTreeWidgetItem* row = m_pList->currentItem();
    m_strResult = row ? CString::FromQString(row->data(0, Qt::UserRole).toString()) : CString();
    CDialog::OnOK();
}

// ---- History

void FillHistoryList(QTreeWidget* list)
{
    list->clear();
    list->setColumnCount(3);
    list->setHeaderLabels({TranslateText("Event").ToQString(), TranslateText("Description").ToQString(),
                           TranslateText("Time").ToQString()});
    list->setColumnWidth(0, 300);
    list->setColumnWidth(1, 500);
    list->setColumnWidth(2, 70);
    list->headerItem()->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    for (const CHistoryEvent& e : GetHistoryEvents()) {
        char time[16] = "";
        std::tm local {};
        std::time_t t = e.m_time;
        if (localtime_r(&t, &local))
            std::strftime(time, sizeof time, "%H:%M:%S", &local);
        auto* row = new QTreeWidgetItem(
            QStringList {e.m_strEvent.ToQString(), e.m_strDescription.ToQString(), QString::fromLatin1(time)});
        row->setIcon(0, HistoryIcon(e.m_nIcon));
        row->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
        list->insertTopLevelItem(0, row);
    }
}

CHistoryDlg::CHistoryDlg(QWidget* parent) : CDialog(parent)
{
    setWindowTitle(QStringLiteral("History"));
    setSizeGripEnabled(true);
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(0, 0, 0, 0);
    m_pList = AddControl(IDC_FTP_LIST, new QTreeWidget(this));
    m_pList->setRootIsDecorated(false);
    top->addWidget(m_pList);
    // The close button stays out of sight; Escape closes.
    QPushButton* close = CreateButton(IDCANCEL, "X");
    close->setGeometry(-10, -10, 1, 1);
}

BOOL CHistoryDlg::OnInitDialog()
{
    m_bTranslateOnInit = false; // the explorer translates through its own map
    CDialog::OnInitDialog();
    FtpTranslateWindow(this);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect area = screen->availableGeometry();
        setGeometry(area.left() + 50, area.top() + 50, std::max(200, area.width() - 100),
                    std::max(150, area.height() - 150));
    }
    FillHistoryList(m_pList);
    return TRUE;
}

// ---- About

CFtpAboutDlg::CFtpAboutDlg(QWidget* parent) : CDialog(parent)
{
    setWindowTitle(QStringLiteral("About Varnelo FTP"));
    auto* top = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    auto* icon = new QLabel(this);
    icon->setPixmap(HistoryIcon(HISTORY_CONNECTED).pixmap(32, 32));
    row->addWidget(icon);
    row->addWidget(Label(this, "Varnelo FTP Explorer Version 8.0"));
    row->addStretch(1);
    top->addLayout(row);
    auto* ok = new QHBoxLayout;
    ok->addStretch(1);
    ok->addWidget(CreateButton(IDOK, "OK", true));
    top->addLayout(ok);
}

BOOL CFtpAboutDlg::OnInitDialog()
{
    m_bTranslateOnInit = false; // the explorer translates through its own map
    CDialog::OnInitDialog();
    FtpTranslateWindow(this);
    return TRUE;
}
