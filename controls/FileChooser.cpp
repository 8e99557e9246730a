#include "controls/FileChooser.h"

#include "framework/core/Profile.h"
#include "framework/ui/Frames.h"

#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtCore/QRegularExpression>
#include <QtGui/QGuiApplication>
#include <QtGui/QImageReader>
#include <QtGui/QScreen>
#include <QtGui/QAbstractFileIconProvider>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QFileDialog>
#include <QtGui/QFileSystemModel>
#include <QtWidgets/QTreeView>
#include <QtWidgets/QListView>
#include <QtWidgets/QPushButton>

namespace {

// The detailed list shows whole names: each time a folder's entries are read, the name,
// size and date columns take the width of what they hold.
void SizeColumnsToContents(QFileDialog& dialog)
{
    dialog.setViewMode(QFileDialog::Detail);
    auto* view = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    auto* model = dialog.findChild<QFileSystemModel*>();
    if (!view || !model)
        return;
    QObject::connect(model, &QFileSystemModel::directoryLoaded, view, [view] {
        for (int column = 0; column < 3; ++column)
            view->resizeColumnToContents(column);
    });
}
CFileChooser::DialogHook& Hook()
{
    static CFileChooser::DialogHook hook;
    return hook;
}
tessel::FolderHook& FolderHookRef()
{
    static tessel::FolderHook hook;
    return hook;
}

void CentreOnScreen(QWidget* dialog)
{
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    dialog->move(area.width() / 2 - dialog->width() / 2, area.height() / 2 - dialog->height() / 2);
}

QStringList Split(const CString& filter)
{
    QStringList parts = filter.ToQString().split(QLatin1Char('|'));
    while (!parts.isEmpty() && parts.last().isEmpty())
        parts.removeLast();
    return parts;
}
} // namespace

CFileChooser::DialogHook CFileChooser::SetDialogHook(DialogHook hook)
{
    DialogHook old = std::move(Hook());
    Hook() = std::move(hook);
    return old;
}

CFileChooser::CFileChooser() : m_flags(OFN_EXPLORER | OFN_ENABLEHOOK | OFN_ENABLESIZING), m_file(2, '\0') {}
CFileChooser::~CFileChooser() = default;

void CFileChooser::SetFilter(const char* filter) { m_strFilter = filter ? filter : ""; }

void CFileChooser::LoadFolder(const char* section, const char* key) { m_strInitialFolder = GetProfileString(section, key); }

QString CFileChooser::QtFilter() const
{
    const QStringList parts = Split(m_strFilter);
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts[i];
        // The description often repeats its patterns: Qt wants them once, blank-separated.
        const int paren = name.indexOf(QLatin1Char('('));
        if (paren > 0)
            name = name.left(paren).trimmed();
        filters << name + QStringLiteral(" (") + FilterPatterns(parts[i + 1]).join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}

QStringList CFileChooser::FilterPatterns(const QString& patterns)
{
    QStringList out;
    for (QString pattern : patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        pattern = pattern.trimmed();
        // "*.*" means every file, also one whose name has no dot
        out << (pattern == QStringLiteral("*.*") ? QStringLiteral("*") : pattern);
    }
    return out;
}

bool CFileChooser::FilterMatches(int index, const CString& fileName) const
{
    const QStringList parts = Split(m_strFilter);
    if (index < 0 || 2 * index + 1 >= parts.size())
        return false;
    const QString name = fileName.ToQString();
    for (const QString& pattern : FilterPatterns(parts[2 * index + 1])) {
        // extensions match in either case, as the file dialog's own filter does
        const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(pattern),
                                    QRegularExpression::CaseInsensitiveOption);
        if (re.match(name).hasMatch())
            return true;
    }
    return false;
}

void CFileChooser::SetSelection(const CString& folder, const std::vector<CString>& names)
{
    m_file.clear();
    if (names.size() == 1 && folder.IsEmpty())
        m_file = names[0].str();
    else {
        m_file = folder.str();
        for (const CString& name : names) {
            m_file.push_back('\0');
            m_file += name.str();
        }
    }
    m_file.append(2, '\0');
}

CString CFileChooser::GetNextPathName(const char*& position) const
{
    if (!position)
        return CString();
    const char separator = (m_flags & OFN_EXPLORER) ? '\0' : ' ';
    const char* start = m_file.c_str();
    const char* end = start + m_file.size();
    // Without multi-selection, or with one full path, the whole buffer is the path.
    const char* firstEnd = static_cast<const char*>(std::memchr(start, separator, size_t(end - start)));
    const bool single = !(m_flags & OFN_ALLOWMULTISELECT) || !firstEnd || firstEnd + 1 >= end || firstEnd[1] == '\0';
    if (single) {
        position = nullptr;
        return CString(start);
    }
    CString folder(start, int(firstEnd - start));
    if (position == start)
        position = firstEnd + 1;
    const char* nameEnd = static_cast<const char*>(std::memchr(position, separator, size_t(end - position)));
    if (!nameEnd)
        nameEnd = end;
    CString name(position, int(nameEnd - position));
    position = (nameEnd + 1 < end && nameEnd[1] != '\0') ? nameEnd + 1 : nullptr;
    if (!folder.IsEmpty() && folder[folder.GetLength() - 1] != '/' && folder[folder.GetLength() - 1] != '\\')
        folder += '/';
    return folder + name;
}

std::vector<CString> CFileChooser::GetPathNames() const
{
    std::vector<CString> paths;
    const char* pos = GetFileBuffer();
    while (pos) {
        CString p = GetNextPathName(pos);
        if (!p.IsEmpty())
            paths.push_back(p);
    }
    return paths;
}

int CFileChooser::DoOpen() { return Run(false); }
int CFileChooser::DoSave() { return Run(true); }

int CFileChooser::Run(bool save)
{
    bool ok;
    if (Hook())
        ok = Hook()(*this, save);
    else {
        CWinApp* app = AfxGetApp();
        QFileDialog dialog(app && app->m_pMainWnd ? static_cast<QWidget*>(app->m_pMainWnd) : nullptr);
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setWindowTitle(m_strTitle.IsEmpty() ? (save ? QStringLiteral("Save As") : QStringLiteral("Open"))
                                                   : m_strTitle.ToQString());
        dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        if (save)
            dialog.setFileMode(QFileDialog::AnyFile);
        else
            dialog.setFileMode((m_flags & OFN_ALLOWMULTISELECT) ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
        if (!(m_flags & OFN_OVERWRITEPROMPT))
            dialog.setOption(QFileDialog::DontConfirmOverwrite);
        dialog.setNameFilter(QtFilter());
        dialog.setDirectory(m_strInitialFolder.IsEmpty() ? QDir::currentPath() : m_strInitialFolder.ToQString());
        if (!m_strFileName.IsEmpty() && m_strFileName.Find('*') < 0)
            dialog.selectFile(m_strFileName.ToQString());
        dialog.resize(760, 500);
        SizeColumnsToContents(dialog);
        CentreOnScreen(&dialog);
        ok = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
        if (ok) {
            const QStringList files = dialog.selectedFiles();
            if (files.size() == 1)
                SetSelection(CString(), {CString::FromQString(files[0])});
            else {
                std::vector<CString> names;
                for (const QString& f : files)
                    names.push_back(CString::FromQString(QFileInfo(f).fileName()));
                SetSelection(CString::FromQString(QFileInfo(files[0]).absolutePath()), names);
            }
        }
    }
    if (!ok)
        return 0;
    // As with the system's dialogs, the chosen folder becomes the current one.
    if (!(m_flags & OFN_NOCHANGEDIR)) {
        const auto paths = GetPathNames();
        if (!paths.empty())
            QDir::setCurrent(QFileInfo(paths.front().ToQString()).absolutePath());
    }
    return 1;
}

void CFileChooser::SaveFolder(const char* section, const char* key)
{
    m_strInitialFolder = CString::FromQString(QDir::currentPath());
    WriteProfileString(section, key, m_strInitialFolder);
}

// ---- DOpenDialog

namespace {
class ThumbnailIcons : public QAbstractFileIconProvider {
public:
    QIcon icon(const QFileInfo& info) const override
    {
        static const QStringList pictures{"png", "jpg", "jpeg", "gif", "bmp"};
        if (info.isFile() && pictures.contains(info.suffix().toLower()) && info.size() < 20 * 1024 * 1024) {
            QImageReader reader(info.absoluteFilePath());
            const QSize size = reader.size();
            if (size.isValid()) {
                reader.setScaledSize(size.scaled(64, 64, Qt::KeepAspectRatio));
                const QImage img = reader.read();
                if (!img.isNull())
                    return QIcon(QPixmap::fromImage(img));
            }
        }
        return QAbstractFileIconProvider::icon(info);
    }
};
} // namespace

DOpenDialog::DOpenDialog(BOOL open, const CString& defaultExt, const CString& fileName, UINT flags,
                         const CString& filter, QWidget* parent)
    : QFileDialog(parent)
{
    setOption(QFileDialog::DontUseNativeDialog);
    setAcceptMode(open ? AcceptOpen : AcceptSave);
    setFileMode(open ? ((flags & OFN_ALLOWMULTISELECT) ? ExistingFiles : ExistingFile) : AnyFile);
    setDefaultSuffix(defaultExt.ToQString());
    CFileChooser chooser;
    chooser.SetFilter(filter);
    setNameFilter(chooser.QtFilter());
    if (!fileName.IsEmpty())
        selectFile(fileName.ToQString());
    // The dialog does not own its icon provider; one serves every dialog.
    static ThumbnailIcons thumbnails;
    setIconProvider(&thumbnails);
    connect(this, &QFileDialog::directoryEntered, this, [this] { OnFolderChange(); });
    OnFolderChange();
}

void DOpenDialog::OnFolderChange()
{
    // The folder list as large icons, so the thumbnails show.
    setViewMode(QFileDialog::List);
    if (auto* list = findChild<QListView*>(QStringLiteral("listView"))) {
        list->setViewMode(QListView::IconMode);
        list->setIconSize(QSize(64, 64));
        list->setGridSize(QSize(96, 96));
        list->setWordWrap(true);
    }
}

// ---- BrowseForFolder

tessel::FolderHook tessel::SetFolderBrowserHook(FolderHook hook)
{
    FolderHook old = std::move(FolderHookRef());
    FolderHookRef() = std::move(hook);
    return old;
}

bool IsChoosableFolder(const QString& path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    return info.exists() && info.isDir() && !info.isSymLink();
}

BOOL BrowseForFolder(QWidget* owner, const CString& initialFolder, CString& folder)
{
    const CString start = initialFolder.IsEmpty() ? CString::FromQString(QDir::currentPath()) : initialFolder;
    CString chosen;
    bool ok;
    if (FolderHookRef())
        ok = FolderHookRef()(start, chosen);
    else {
        QFileDialog dialog(owner);
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setOption(QFileDialog::ShowDirsOnly);
        dialog.setOption(QFileDialog::DontResolveSymlinks);
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setDirectory(start.ToQString());
        dialog.resize(dialog.sizeHint() + QSize(40, 30));
        // OK stays off for a selection that is missing or a link.
        auto refresh = [&dialog](const QString& path) {
            if (auto* box = dialog.findChild<QDialogButtonBox*>())
                if (QPushButton* okButton = box->button(QDialogButtonBox::Open))
                    okButton->setEnabled(IsChoosableFolder(path));
        };
        QObject::connect(&dialog, &QFileDialog::currentChanged, &dialog, refresh);
        ok = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
        if (ok)
            chosen = CString::FromQString(dialog.selectedFiles().front());
    }
    if (!ok || !IsChoosableFolder(chosen.ToQString()))
        return FALSE;
    folder = chosen;
    return TRUE;
}
