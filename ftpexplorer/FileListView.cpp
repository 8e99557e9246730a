#include "ftpexplorer/FileListView.h"
#include "framework/core/MessageBox.h"
#include "framework/net/CFtpFileFind.h"
#include "framework/net/FtpListing.h"
#include "framework/ui/Frames.h"
#include "framework/ui/Resources.h"
#include "framework/ui/Shell.h"
#include "framework/ui/WinApp.h"
#include "ftpexplorer/FtpDialogs.h"
#include "ftpexplorer/FtpIcons.h"
#include "ftpexplorer/FtpShell.h"
#include "ftpexplorer/FtpTranslate.h"
#include "ftpexplorer/FtpUiTranslate.h"
#include "ftpexplorer/History.h"
#include "ftpexplorer/VFDoc.h"

#include <QtCore/QDateTime>
#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtCore/QLocale>
#include <QtCore/QMimeData>
#include <QtCore/QThread>
#include <QtCore/QTimer>
#include <QtCore/QUrl>
#include <QtGui/QContextMenuEvent>
#include <QtGui/QDrag>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QMenu>
#include <QtWidgets/QTreeWidget>
#include <QtWidgets/QVBoxLayout>
#include <algorithm>
#include <fcntl.h>
#include <set>
#include <unistd.h>

namespace {

std::set<CFileListView*>& LivePanes()
{
    static std::set<CFileListView*> panes;
    return panes;
}

FolderPickerHook g_folderPicker = nullptr;

CFileEntry* EntryOf(const QTreeWidgetItem* item)
{
    return item ? static_cast<CFileEntry*>(item->data(0, Qt::UserRole).value<void*>()) : nullptr;
}

CString DateText(std::time_t t)
{
    if (t == 0)
        return CString();
    return CString::FromQString(QLocale().toString(QDateTime::fromSecsSinceEpoch(t), QLocale::ShortFormat));
}

CString WithSlash(CString path)
{
    if (path.IsEmpty() || path[path.GetLength() - 1] != '/')
        path += '/';
    return path;
}

} // namespace

// The list control of a pane: keys, context menu, focus and drag and drop go to its pane.
class CFileList : public QTreeWidget {
public:
    CFileList(CFileListView* view) : QTreeWidget(view), m_pView(view)
    {
        setRootIsDecorated(false);
        setUniformRowHeights(true);
        setAllColumnsShowFocus(true);
        setSelectionMode(QAbstractItemView::ExtendedSelection);
        setDragEnabled(true);
        setAcceptDrops(true);
        setDropIndicatorShown(false);
        setDragDropMode(QAbstractItemView::DragDrop);
        setSortingEnabled(false);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            m_pView->ActivateSelection();
            return;
        }
        if (event->key() == Qt::Key_Backspace)
            m_pView->GoUp();
        QTreeWidget::keyPressEvent(event);
    }
    void focusInEvent(QFocusEvent* event) override
    {
        if (auto* frame = dynamic_cast<CChildFrame*>(CMDIChildWnd::FrameOf(m_pView)))
            frame->SetActivePane(m_pView);
        QTreeWidget::focusInEvent(event);
    }
    void contextMenuEvent(QContextMenuEvent* event) override
    {
        if (auto* frame = dynamic_cast<CChildFrame*>(CMDIChildWnd::FrameOf(m_pView)))
            frame->SetActivePane(m_pView);
        std::unique_ptr<QMenu> menu = m_pView->BuildContextMenu();
        menu->exec(event->globalPos());
    }
    void startDrag(Qt::DropActions) override
    {
        if (m_pView->SelectedEntries().empty())
            return;
        auto* drag = new QDrag(this);
        drag->setMimeData(m_pView->MakeDragData().release());
        drag->setPixmap(FileListIcon(1).pixmap(16, 16));
        drag->setHotSpot(QPoint(8, 8));
        drag->exec(Qt::CopyAction);
    }
    void dragEnterEvent(QDragEnterEvent* event) override { Consider(event); }
    void dragMoveEvent(QDragMoveEvent* event) override { Consider(event); }
    void dropEvent(QDropEvent* event) override
    {
        if (!m_pView->CanAcceptDrop(event->mimeData())) {
            event->ignore();
            return;
        }
        event->setDropAction(Qt::CopyAction);
        event->accept();
        // The transfer runs its own modal loop: start it once the drop has returned.
        auto data = std::make_shared<QMimeData>();
        for (const QString& f : event->mimeData()->formats())
            data->setData(f, event->mimeData()->data(f));
        if (event->mimeData()->hasUrls())
            data->setUrls(event->mimeData()->urls());
        QPointer<CFileListView> view(m_pView);
        QTimer::singleShot(0, m_pView, [view, data] {
            if (view)
                view->HandleDrop(data.get());
        });
    }

private:
    void Consider(QDragMoveEvent* event)
    {
        if (m_pView->CanAcceptDrop(event->mimeData())) {
            event->setDropAction(Qt::CopyAction);
            event->accept();
        } else {
            event->ignore();
        }
    }
    CFileListView* m_pView;
};

// ---- CFileListView

CFileListView::CFileListView(bool remote, QWidget* parent) : CView(parent), m_bRemote(remote)
{
    LivePanes().insert(this);
    m_pList = new CFileList(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pList);
    setFocusProxy(m_pList);
    m_pList->setColumnCount(3);
    QObject::connect(m_pList->header(), &QHeaderView::sectionClicked, this, [this](int column) { SortItems(column); });
    // Activation lists the folder again, which deletes the rows: done once the view's own
    // handling of the double click has returned.
    QObject::connect(m_pList, &QTreeWidget::itemActivated, this, [this] {
        QTimer::singleShot(0, this, [this] { ActivateSelection(); });
    });
}

CFileListView::~CFileListView()
{
    LivePanes().erase(this);
    m_pList->clear();
}

void CFileListView::resizeEvent(QResizeEvent* event)
{
    CView::resizeEvent(event);
    CMainFrame* main = FtpMainFrame();
    if (!main || !main->isEnabled() || window()->isMinimized())
        return;
    if (auto* frame = dynamic_cast<CChildFrame*>(CMDIChildWnd::FrameOf(this)); frame && main->MDIGetActive() == frame)
        main->PlacePathFields(frame->LocalView(), frame->RemoteView());
}

CVFDoc* CFileListView::GetDocument() const { return dynamic_cast<CVFDoc*>(CView::GetDocument()); }

QTreeWidget* CFileListView::List() const { return m_pList; }

void CFileListView::Setup()
{
    m_pList->setHeaderLabels({TranslateText("File").ToQString(), TranslateText("Size").ToQString(),
                              TranslateText("Date").ToQString()});
    m_pList->setColumnWidth(colName, 200);
    m_pList->setColumnWidth(colSize, 60);
    // 120 pixels, or what a date needs in this font and locale.
    const int dateWidth = m_pList->fontMetrics().horizontalAdvance(DateText(std::time(nullptr)).ToQString()) + 16;
    m_pList->setColumnWidth(colDate, std::max(120, dateWidth));
    m_pList->headerItem()->setTextAlignment(colSize, Qt::AlignRight | Qt::AlignVCenter);
    m_pList->headerItem()->setTextAlignment(colDate, Qt::AlignRight | Qt::AlignVCenter);
    m_pList->header()->setSectionsClickable(true);
    m_pList->header()->setStretchLastSection(false);
}

CFileListView* CFileListView::PaneFromAddress(quintptr address)
{
    for (CFileListView* pane : LivePanes())
        if (reinterpret_cast<quintptr>(pane) == address)
            return pane;
    return nullptr;
}

int CFileListView::CompareEntries(const CFileEntry* a, const CFileEntry* b, int column)
{
    const bool aUp = a->m_strPath == "..", bUp = b->m_strPath == "..";
    if (aUp != bUp)
        return aUp ? -1 : 1;
    if (aUp)
        return 0;
    switch (column) {
    case colName: {
        const bool aFolder = a->m_nKind != CFileEntry::file, bFolder = b->m_nKind != CFileEntry::file;
        if (aFolder != bFolder)
            return aFolder ? -1 : 1;
        CString x = a->m_strName, y = b->m_strName;
        x.MakeLower();
        y.MakeLower();
        return x < y ? -1 : (y < x ? 1 : 0);
    }
    case colSize:
        return a->m_nSize > b->m_nSize ? -1 : (a->m_nSize < b->m_nSize ? 1 : 0);
    case colDate:
        return a->m_time > b->m_time ? -1 : (a->m_time < b->m_time ? 1 : 0);
    default:
        return 0;
    }
}

void CFileListView::SortItems(int column)
{
    m_nSortColumn = column;
    std::vector<QTreeWidgetItem*> items;
    while (m_pList->topLevelItemCount() > 0)
        items.push_back(m_pList->takeTopLevelItem(0));
    std::stable_sort(items.begin(), items.end(), [column](QTreeWidgetItem* a, QTreeWidgetItem* b) {
        const CFileEntry* x = EntryOf(a);
        const CFileEntry* y = EntryOf(b);
        if (!x || !y)
            return x != nullptr && y == nullptr;
        return CompareEntries(x, y, column) < 0;
    });
    for (QTreeWidgetItem* item : items)
        m_pList->addTopLevelItem(item);
}

std::vector<CFileEntry*> CFileListView::ShownEntries() const
{
    std::vector<CFileEntry*> shown;
    for (int i = 0; i < m_pList->topLevelItemCount(); ++i)
        shown.push_back(EntryOf(m_pList->topLevelItem(i)));
    return shown;
}

std::vector<CFileEntry*> CFileListView::SelectedEntries() const
{
    std::vector<CFileEntry*> selected;
    for (int i = 0; i < m_pList->topLevelItemCount(); ++i)
        if (m_pList->topLevelItem(i)->isSelected())
            selected.push_back(EntryOf(m_pList->topLevelItem(i)));
    return selected;
}

void CFileListView::SelectNames(const QStringList& names)
{
    m_pList->clearSelection();
    QTreeWidgetItem* first = nullptr;
    for (int i = 0; i < m_pList->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = m_pList->topLevelItem(i);
        const CFileEntry* e = EntryOf(item);
        if (e && names.contains(e->m_strName.ToQString())) {
            item->setSelected(true);
            if (!first)
                first = item;
        }
    }
    if (first)
        m_pList->setCurrentItem(first, 0, QItemSelectionModel::NoUpdate);
}

bool CFileListView::CollectSelection()
{
    CVFDoc* doc = GetDocument();
    std::vector<CFileEntry*> selected = SelectedEntries();
    if (!doc || selected.empty())
        return false;
    doc->ClearSelection();
    for (CFileEntry* e : selected) {
        if (!e) {
            doc->ClearSelection();
            return false;
        }
        doc->m_selection.push_back(e);
    }
    return true;
}

int CFileListView::CountSelected(bool* parentSelected) const
{
    int n = 0;
    bool parent = false;
    for (const CFileEntry* e : SelectedEntries()) {
        if (e && e->m_nKind == CFileEntry::parent)
            parent = true;
        else
            ++n;
    }
    if (parentSelected)
        *parentSelected = parent;
    return n;
}

void CFileListView::ActivateSelection()
{
    std::vector<CFileEntry*> selected = SelectedEntries();
    if (selected.empty() || !selected.front())
        return;
    Activate(selected.front());
}

void CFileListView::ClearEntries()
{
    m_pList->clear();
    m_entries.clear();
}

QTreeWidgetItem* CFileListView::AddEntry(std::unique_ptr<CFileEntry> entry, bool atTop)
{
    auto* item = new QTreeWidgetItem;
    const int icon = entry->m_nKind == CFileEntry::parent ? 2 : (entry->m_nKind == CFileEntry::folder ? 0 : 1);
    item->setIcon(colName, FileListIcon(icon));
    item->setText(colName, entry->m_strName.ToQString());
    const bool showSize = entry->m_nKind != CFileEntry::parent && entry->m_nSize > 0
        && !(m_bRemote && entry->m_nKind == CFileEntry::folder);
    if (showSize)
        item->setText(colSize, QString::number(entry->m_nSize));
    if (entry->m_nKind != CFileEntry::parent)
        item->setText(colDate, DateText(entry->m_time).ToQString());
    item->setTextAlignment(colSize, Qt::AlignRight | Qt::AlignVCenter);
    item->setTextAlignment(colDate, Qt::AlignRight | Qt::AlignVCenter);
    item->setData(0, Qt::UserRole, QVariant::fromValue(static_cast<void*>(entry.get())));
    if (atTop)
        m_pList->insertTopLevelItem(0, item);
    else
        m_pList->addTopLevelItem(item);
    m_entries.push_back(std::move(entry));
    return item;
}

void CFileListView::AddParentEntry()
{
    auto e = std::make_unique<CFileEntry>();
    e->m_nKind = CFileEntry::parent;
    e->m_strName = "..";
    e->m_strPath = "..";
    AddEntry(std::move(e), true);
}

void CFileListView::Renamed(CFileEntry* entry, const CString& name)
{
    for (int i = 0; i < m_pList->topLevelItemCount(); ++i)
        if (EntryOf(m_pList->topLevelItem(i)) == entry)
            m_pList->topLevelItem(i)->setText(colName, name.ToQString());
    CVFDoc::SetEntryName(*entry, name);
}

void CFileListView::RenameFailed(const CString& oldPath, const CString& newPath)
{
    CString format;
    AfxLoadString(IDS_FTP_CANT_RENAME, format);
    ShowMessageBox(FtpFormatRaw(format, {oldPath.GetString(), newPath.GetString()}), CString(), MB_OK | MB_ICONERROR);
}

bool CFileListView::HasConnection() const
{
    CVFDoc* doc = GetDocument();
    return doc && doc->m_pConnection;
}

void CFileListView::EnableForSelection(UINT id, bool needsConnection, bool exactlyOne)
{
    OnUpdateCommand(id, [this, needsConnection, exactlyOne](CCmdUI* ui) {
        bool parent = false;
        const int n = CountSelected(&parent);
        ui->Enable((!needsConnection || HasConnection()) && !parent && (exactlyOne ? n == 1 : n > 0));
    });
}

int CFileListView::ContextMenuIndex() const
{
    const int n = CountSelected();
    const int base = n == 0 ? 0 : (n == 1 ? 2 : 4);
    return base + (m_bRemote ? 1 : 0);
}

std::unique_ptr<QMenu> CFileListView::BuildContextMenu()
{
    using I = CMenu::Item;
    const std::vector<I> tail = m_bRemote
        ? std::vector<I> {CMenu::Command("Create Folder", ID_FTP_CREATE_FOLDER), CMenu::Command("&Refresh", ID_FTP_REFRESH),
                          CMenu::Command("&Disconnect...", ID_FTP_DISCONNECT),
                          CMenu::Command("&Connection Properties...", ID_FTP_PROPERTIES)}
        : std::vector<I> {CMenu::Command("&Change Folder", ID_FTP_SELECT_FOLDER),
                          CMenu::Command("Create Folder", ID_FTP_CREATE_FOLDER), CMenu::Command("&Refresh", ID_FTP_REFRESH)};
    std::vector<I> items;
    switch (ContextMenuIndex()) {
    case 2:
        items = {CMenu::Command("&Upload", ID_FTP_UPLOAD), CMenu::Command("Rename\tF2", ID_FTP_RENAME),
                 CMenu::Command("Delete\tDel", ID_FTP_DELETE), CMenu::Command("Edit", ID_FTP_EDIT), CMenu::Separator()};
        break;
    case 3:
        items = {CMenu::Command("Download", ID_FTP_DOWNLOAD), CMenu::Command("Rename\tF2", ID_FTP_RENAME),
                 CMenu::Command("Delete\tDel", ID_FTP_DELETE), CMenu::Separator()};
        break;
    case 4:
        items = {CMenu::Command("Upload", ID_FTP_UPLOAD), CMenu::Command("Delete\tDel", ID_FTP_DELETE), CMenu::Separator()};
        break;
    case 5:
        items = {CMenu::Command("Download", ID_FTP_DOWNLOAD), CMenu::Command("Delete\tDel", ID_FTP_DELETE),
                 CMenu::Separator()};
        break;
    default:
        break;
    }
    items.insert(items.end(), tail.begin(), tail.end());
    CMenu menu;
    menu.items = items;
    FtpTranslateMenu(menu);
    auto qmenu = std::make_unique<QMenu>(this);
    QPointer<CFileListView> self(this);
    for (const I& item : menu.items) {
        if (item.separator) {
            qmenu->addSeparator();
            continue;
        }
        QString text = item.text.ToQString();
        QString shortcut;
        if (int tab = text.indexOf(QLatin1Char('\t')); tab >= 0) {
            shortcut = text.mid(tab + 1);
            text = text.left(tab);
        }
        QAction* action = qmenu->addAction(text);
        if (!shortcut.isEmpty())
            action->setShortcut(QKeySequence(shortcut));
        action->setData(item.id);
        CCmdUI ui(item.id);
        UpdateCommand(this, ui);
        action->setEnabled(ui.m_bEnabled);
        const UINT id = item.id;
        QObject::connect(action, &QAction::triggered, this, [self, id] {
            if (self)
                ExecuteCommand(self.data(), id);
        });
    }
    return qmenu;
}

std::unique_ptr<QMimeData> CFileListView::MakeDragData() const
{
    auto data = std::make_unique<QMimeData>();
    data->setData(QString::fromLatin1(kPaneDragFormat), QByteArray::number(reinterpret_cast<quintptr>(this)));
    return data;
}

bool CFileListView::CanAcceptDrop(const QMimeData* data) const
{
    if (!data)
        return false;
    if (data->hasFormat(QString::fromLatin1(kPaneDragFormat))) {
        CFileListView* source = PaneFromAddress(data->data(QString::fromLatin1(kPaneDragFormat)).toULongLong());
        return source && source->IsRemote() != IsRemote();
    }
    // Files from other programs go to the server pane only.
    return m_bRemote && data->hasUrls();
}

bool CFileListView::HandleDrop(const QMimeData* data)
{
    if (!CanAcceptDrop(data))
        return false;
    if (data->hasFormat(QString::fromLatin1(kPaneDragFormat)))
        return DropFromPane(PaneFromAddress(data->data(QString::fromLatin1(kPaneDragFormat)).toULongLong()));
    QStringList paths;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            paths << url.toLocalFile();
    return DropFiles(paths);
}

// ---- CLocalView

CLocalView::CLocalView(QWidget* parent) : CFileListView(false, parent)
{
    m_strPath = "/";
    OnCommand(ID_FTP_UPLOAD, [this] { OnUpload(); });
    OnCommand(ID_FTP_DELETE, [this] { OnDelete(); });
    OnCommand(ID_FTP_RENAME, [this] { OnRename(); });
    OnCommand(ID_FTP_CREATE_FOLDER, [this] { OnCreateFolder(); });
    OnCommand(ID_FTP_SELECT_FOLDER, [this] { OnSelectFolder(); });
    OnCommand(ID_FTP_EDIT, [this] { OnEdit(); });
    EnableForSelection(ID_FTP_UPLOAD, true, false);
    EnableForSelection(ID_FTP_DELETE, false, false);
    EnableForSelection(ID_FTP_RENAME, false, true);
}

CLocalView::~CLocalView()
{
    if (CVFDoc* doc = GetDocument(); doc && doc->m_pLocalView == this)
        doc->m_pLocalView = nullptr;
}

void CLocalView::OnInitialUpdate()
{
    Setup();
    QPalette p = m_pList->palette();
    p.setColor(QPalette::Base, Qt::white);
    m_pList->setPalette(p);
    CVFDoc* doc = GetDocument();
    if (!doc)
        return;
    doc->m_pLocalView = this;
    setEnabled(true);
    m_strPath = doc->m_strLocalFolder;
    RefreshLocalList();
    if (CWinApp* app = AfxGetApp(); app && app->m_pMainWnd)
        if (auto* main = dynamic_cast<CMainFrame*>(app->m_pMainWnd))
            main->TranslateShownMenu();
}

void CLocalView::OnUpdate(CView*, long hint, void* hintObject)
{
    switch (hint) {
    case HINT_LIST_LOCAL:
        RefreshLocalList();
        break;
    case HINT_TAKE_CURRENT_FOLDER:
        m_strPath = CString::FromQString(QDir::currentPath());
        break;
    case HINT_LOCAL_FOLDER:
        if (hintObject) {
            m_strPath = *static_cast<const CString*>(hintObject);
            RefreshLocalList();
        }
        break;
    default:
        break;
    }
}

void CLocalView::RefreshLocalList()
{
    m_strPath = WithSlash(m_strPath);
    while (m_strPath.Replace("//", "/") > 0) {
    }
    if (m_strPath[0] != '/')
        m_strPath = CString::FromQString(QDir(m_strPath.ToQString()).absolutePath()) + "/";
    CVFDoc* doc = GetDocument();
    if (doc)
        doc->m_strLocalFolder = m_strPath;
    QDir::setCurrent(m_strPath.ToQString());
    ClearEntries();
    QDir dir(m_strPath.ToQString());
    if (!dir.exists() || !dir.isReadable())
        return; // an unreadable folder lists nothing, not even ".."
    const QFileInfoList items =
        dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& info : items) {
        auto e = std::make_unique<CFileEntry>();
        e->m_strName = CString::FromQString(info.fileName());
        e->m_nKind = info.isDir() ? CFileEntry::folder : CFileEntry::file;
        e->m_time = info.lastModified().toSecsSinceEpoch();
        e->m_strPath = m_strPath + e->m_strName;
        e->m_nSize = info.isDir() ? 0 : std::uint64_t(std::max<qint64>(0, info.size()));
        AddEntry(std::move(e));
    }
    SortItems(colName);
    if (m_strPath.GetLength() > 1)
        AddParentEntry();
}

void CLocalView::GoUpLocal()
{
    CString folder = m_strPath;
    if (folder.GetLength() <= 1)
        return;
    folder = folder.Left(folder.GetLength() - 1);
    const int slash = folder.ReverseFind('/');
    m_strPath = slash <= 0 ? CString("/") : folder.Left(slash + 1);
    RefreshLocalList();
}

void CLocalView::Activate(CFileEntry* entry)
{
    if (!entry)
        return;
    if (entry->m_nKind == CFileEntry::parent) {
        GoUpLocal();
    } else if (entry->m_nKind == CFileEntry::folder) {
        m_strPath = m_strPath + entry->m_strName + "/";
        RefreshLocalList();
    } else {
        ShellOpen(entry->m_strPath);
    }
}

void CLocalView::OnUpload()
{
    if (CollectSelection())
        GetDocument()->StartUpload();
}

void CLocalView::OnDelete()
{
    if (CollectSelection())
        GetDocument()->DeleteLocalItems();
}

void CLocalView::OnRename()
{
    std::vector<CFileEntry*> selected = SelectedEntries();
    if (selected.empty() || !selected.front())
        return;
    CFileEntry* entry = selected.front();
    if (entry->m_nKind == CFileEntry::parent)
        return;
    CRenameDlg dlg(this);
    dlg.m_strName = entry->m_strName;
    if (dlg.DoModal() != IDOK || dlg.m_strName.IsEmpty() || dlg.m_strName == entry->m_strName)
        return;
    const CString oldPath = m_strPath + entry->m_strName;
    const CString newPath = m_strPath + dlg.m_strName;
    CString format;
    if (entry->m_nKind == CFileEntry::file) {
        // A file that cannot be written to cannot be renamed safely either.
        int fd = ::open(oldPath, O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0) {
            AfxLoadString(IDS_FTP_CANT_ACCESS, format);
            ShowMessageBox(FtpFormatRaw(format, {oldPath.GetString()}), CString(), MB_OK | MB_ICONERROR);
            return;
        }
        ::close(fd);
    }
    // Never replaces an existing file or folder of the new name.
    if (QFileInfo::exists(newPath.ToQString()) || !QDir().rename(oldPath.ToQString(), newPath.ToQString())) {
        RenameFailed(oldPath, newPath);
        return;
    }
    Renamed(entry, dlg.m_strName);
}

void CLocalView::OnCreateFolder()
{
    CCreateFolderDlg dlg(this);
    dlg.m_strLocation = m_strPath;
    if (dlg.DoModal() != IDOK)
        return;
    if (!dlg.m_strName.IsEmpty() && QDir().mkdir((m_strPath + dlg.m_strName).ToQString()))
        RefreshLocalList();
    else
        ShowMessageBox(TranslateText("Create directory failed."), CString(), MB_OK | MB_ICONERROR);
}

void CLocalView::OnSelectFolder()
{
    CString chosen = FtpBrowseForFolder(this, m_strPath);
    if (chosen.IsEmpty())
        return;
    m_strPath = WithSlash(chosen);
    RefreshLocalList();
}

void CLocalView::OnEdit()
{
    std::vector<CFileEntry*> selected = SelectedEntries();
    if (!selected.empty() && selected.front() && selected.front()->m_nKind == CFileEntry::file)
        ShellOpen(selected.front()->m_strPath);
}

bool CLocalView::DropFromPane(CFileListView* source)
{
    // Server entries dropped here are downloaded through the connection they came from,
    // into this pane's folder.
    auto* remote = dynamic_cast<CFtpView*>(source);
    CVFDoc* from = remote ? remote->GetDocument() : nullptr;
    if (!from || !from->m_pConnection)
        return false;
    from->ClearSelection();
    for (CFileEntry* e : remote->SelectedEntries())
        if (e && e->m_nKind != CFileEntry::parent)
            from->m_selection.push_back(e);
    if (from->m_selection.empty())
        return false;
    const CString target = m_strPath;
    from->StartDownload(target);
    if (GetDocument() != from)
        RefreshLocalList();
    return true;
}

// ---- CFtpView

CFtpView::CFtpView(QWidget* parent) : CFileListView(true, parent)
{
    OnCommand(ID_FTP_DOWNLOAD, [this] { OnDownload(); });
    OnCommand(ID_FTP_DELETE, [this] { OnDelete(); });
    OnCommand(ID_FTP_RENAME, [this] { OnRename(); });
    OnCommand(ID_FTP_CREATE_FOLDER, [this] { OnCreateFolder(); });
    EnableForSelection(ID_FTP_DOWNLOAD, true, false);
    EnableForSelection(ID_FTP_DELETE, true, false);
    EnableForSelection(ID_FTP_RENAME, true, true);
    OnUpdateCommand(ID_FTP_CREATE_FOLDER, [this](CCmdUI* ui) { ui->Enable(Connected()); });
}

CFtpView::~CFtpView()
{
    if (CVFDoc* doc = GetDocument(); doc && doc->m_pRemoteView == this)
        doc->m_pRemoteView = nullptr;
}

bool CFtpView::Connected() const { return HasConnection(); }

void CFtpView::OnInitialUpdate()
{
    WithWaitCursor([this] {
        Setup();
        QPalette p = m_pList->palette();
        p.setColor(QPalette::Base, QColor(0xFF, 0xFF, 0xC0));
        m_pList->setPalette(p);
        CVFDoc* doc = GetDocument();
        if (!doc)
            return;
        doc->m_pRemoteView = this;
        setEnabled(false);
        m_strPath = doc->m_strRemoteFolder;
        // The new window connects by itself once it is shown.
        QPointer<CFtpView> self(this);
        QTimer::singleShot(0, this, [self] {
            if (!self)
                return;
            CCmdUI ui(ID_FTP_CONNECT);
            UpdateCommand(self.data(), ui);
            if (ui.m_bEnabled)
                ExecuteCommand(self.data(), ID_FTP_CONNECT);
        });
    });
}

void CFtpView::OnUpdate(CView*, long hint, void*)
{
    switch (hint) {
    case HINT_LIST_REMOTE:
        RefreshRemoteList();
        break;
    case HINT_CONNECTION_CLOSED:
        ClearEntries();
        setEnabled(false);
        break;
    case HINT_TAKE_REMOTE_FOLDER:
        if (CVFDoc* doc = GetDocument())
            m_strPath = doc->m_strRemoteFolder;
        break;
    default:
        break;
    }
}

void CFtpView::RefreshRemoteList()
{
    CVFDoc* doc = GetDocument();
    if (!doc)
        return;
    WithWaitCursor([this, doc] {
        doc->m_strRemoteFolder = m_strPath;
        ClearEntries();
        if (!doc->IsConnectionAlive()) {
            setEnabled(false);
            if (doc->m_pConnection) {
                doc->m_pConnection->Close();
                doc->m_pConnection.reset();
            }
            if (!doc->Connect() || !doc->IsConnectionAlive())
                return;
        }
        setEnabled(true);
        if (m_strPath.GetLength() > 1)
            AddParentEntry();
        CFtpFileFind find(doc->m_pConnection.get());
        BOOL more = find.FindFile(m_strPath + "*");
        while (more) {
            more = find.FindNextFile();
            if (find.IsDots())
                continue;
            const CString name = find.GetFileName();
            // A listed name that holds a separator or climbs up is never used as a path.
            if (!IsSafeFtpName(name)) {
                LogUnsafeName(name, m_strPath);
                continue;
            }
            auto e = std::make_unique<CFileEntry>();
            e->m_strName = name;
            e->m_strPath = find.GetFilePath();
            e->m_nKind = find.IsDirectory() ? CFileEntry::folder : CFileEntry::file;
            e->m_nSize = find.IsDirectory() ? 0 : find.GetLength();
            e->m_time = find.GetLastWriteTime();
            AddEntry(std::move(e));
        }
        SortItems(colName);
    });
}

void CFtpView::GoUpRemote()
{
    if (m_strPath.GetLength() <= 1)
        return;
    CString folder = m_strPath.Left(m_strPath.GetLength() - 1);
    const int slash = folder.ReverseFind('/');
    if (slash < 0)
        m_strPath = CString(); // the login folder
    else if (slash == 0)
        m_strPath = "/"; // an absolute path stays absolute
    else
        m_strPath = folder.Left(slash + 1);
    RefreshRemoteList();
}

void CFtpView::Activate(CFileEntry* entry)
{
    if (!entry || !Connected())
        return;
    if (entry->m_nKind == CFileEntry::parent) {
        GoUpRemote();
    } else if (entry->m_nKind == CFileEntry::folder) {
        m_strPath = m_strPath + entry->m_strName + "/";
        RefreshRemoteList();
    }
}

void CFtpView::OnDownload()
{
    if (CollectSelection())
        GetDocument()->StartDownload();
}

void CFtpView::OnDelete()
{
    CVFDoc* doc = GetDocument();
    if (!doc || SelectedEntries().empty())
        return;
    doc->ClearSelection();
    bool someFull = false;
    for (CFileEntry* e : SelectedEntries()) {
        if (!e) {
            doc->ClearSelection();
            return;
        }
        if (e->m_nKind == CFileEntry::file) {
            doc->m_selection.push_back(e);
        } else if (e->m_nKind == CFileEntry::folder) {
            doc->m_selection.push_back(e);
            if (!doc->IsRemoteFolderEmpty(e->m_strPath))
                someFull = true;
        }
    }
    if (doc->m_selection.empty())
        return;
    int answer;
    if (someFull)
        answer = ShowMessageBox(TranslateText("Folder(s) contain files. This action can not be undone. Do you want "
                                              "to delete selected folder(s)?"),
                                CString(), MB_OKCANCEL | MB_ICONEXCLAMATION | MB_DEFBUTTON2);
    else if (doc->m_selection.size() == 1)
        answer = ShowMessageBox(FtpFormat("Delete %s?", {doc->m_selection.front()->m_strName.GetString()}), CString(),
                                MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2);
    else
        answer = ShowMessageBox(FtpFormat("Delete %d item(s)?", {std::int64_t(doc->m_selection.size())}), CString(),
                                MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2);
    if (answer != IDOK) {
        doc->ClearSelection();
        return;
    }
    doc->DeleteRemoteItems();
}

void CFtpView::OnRename()
{
    CVFDoc* doc = GetDocument();
    std::vector<CFileEntry*> selected = SelectedEntries();
    if (!Connected() || selected.empty() || !selected.front())
        return;
    CFileEntry* entry = selected.front();
    if (entry->m_nKind == CFileEntry::parent)
        return;
    CRenameDlg dlg(this);
    dlg.m_strName = entry->m_strName;
    if (dlg.DoModal() != IDOK || dlg.m_strName.IsEmpty() || dlg.m_strName == entry->m_strName || !doc->m_pConnection)
        return;
    const CString oldPath = m_strPath + entry->m_strName;
    const CString newPath = m_strPath + dlg.m_strName;
    if (!doc->m_pConnection->Rename(oldPath, newPath)) {
        RenameFailed(oldPath, newPath);
        return;
    }
    Renamed(entry, dlg.m_strName);
}

void CFtpView::OnCreateFolder()
{
    CVFDoc* doc = GetDocument();
    if (!Connected())
        return;
    CString base = m_strPath;
    if (!base.IsEmpty())
        base = WithSlash(base);
    CCreateFolderDlg dlg(this);
    dlg.m_strLocation = doc->m_strHost + m_strPath;
    if (dlg.DoModal() != IDOK)
        return;
    if (doc->m_pConnection && !dlg.m_strName.IsEmpty() && doc->m_pConnection->CreateDirectory(base + dlg.m_strName))
        RefreshRemoteList();
    else
        ShowMessageBox(TranslateText("Create directory failed."), CString(), MB_OK | MB_ICONERROR);
}

bool CFtpView::DropFromPane(CFileListView* source)
{
    // Local entries dropped here go up through this window's connection, into this pane's
    // folder, whichever window they were dragged from.
    auto* local = dynamic_cast<CLocalView*>(source);
    CVFDoc* doc = GetDocument();
    if (!local || !doc)
        return false;
    std::vector<CFileEntry*> entries;
    for (CFileEntry* e : local->SelectedEntries())
        if (e && e->m_nKind != CFileEntry::parent)
            entries.push_back(e);
    if (entries.empty())
        return false;
    if (!doc->IsConnectionAlive()) {
        ShowMessageBox(TranslateText("You have to connect to the server to upload files."), CString(), MB_OK);
        return false;
    }
    doc->ClearSelection();
    doc->m_selection = entries;
    doc->StartUpload();
    return true;
}

bool CFtpView::DropFiles(const QStringList& paths)
{
    if (paths.isEmpty())
        return false;
    OnDropFiles(paths);
    return true;
}

void CFtpView::OnDropFiles(const QStringList& paths)
{
    CVFDoc* doc = GetDocument();
    if (!doc || paths.isEmpty())
        return;
    doc->ClearSelection();
    BeginWaitCursor();
    if (!doc->IsConnectionAlive()) {
        setEnabled(false);
        if (doc->m_pConnection)
            ExecuteCommand(this, ID_FTP_DISCONNECT);
        ExecuteCommand(this, ID_FTP_CONNECT);
        if (!doc->IsConnectionAlive()) {
            ShowMessageBox(TranslateText("You have to connect to the server to upload files."), CString(), MB_OK);
            EndWaitCursor();
            return;
        }
    }
    std::vector<std::unique_ptr<CFileEntry>> made;
    for (const QString& path : paths) {
        QFileInfo info(path);
        auto e = std::make_unique<CFileEntry>();
        e->m_strPath = CString::FromQString(info.absoluteFilePath());
        e->m_strName = CString::FromQString(info.fileName());
        // A dropped folder is sent with its contents; a link to one is not followed.
        e->m_nKind = info.isDir() && !info.isSymLink() ? CFileEntry::folder : CFileEntry::file;
        doc->m_selection.push_back(e.get());
        made.push_back(std::move(e));
    }
    doc->StartUpload();
    doc->ClearSelection();
    EndWaitCursor();
}

// ---- Folder picker

void SetFolderPickerHook(FolderPickerHook hook) { g_folderPicker = hook; }

CString FtpBrowseForFolder(QWidget* owner, const CString& start)
{
    CString from = start.IsEmpty() ? CString::FromQString(QDir::currentPath()) : start;
    if (g_folderPicker)
        return g_folderPicker(from);
    QString chosen = QFileDialog::getExistingDirectory(owner, QString(), from.ToQString(), QFileDialog::ShowDirsOnly);
    if (chosen.isEmpty() || !QFileInfo(chosen).isDir())
        return CString();
    return CString::FromQString(chosen);
}
