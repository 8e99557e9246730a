// The two panes of a connection window: CLocalView lists a folder on this computer,
// CFtpView a folder on the server. Both show name, size and date, sort on a header click,
// walk into folders on a double click or Enter, go up with Backspace or "..", and move
// entries to the other pane by drag and drop.
#pragma once
#include "framework/ui/DocView.h"
#include "ftpexplorer/FileEntry.h"
#include "ftpexplorer/FtpIds.h"

#include <QtCore/QStringList>
#include <memory>
#include <vector>

class CVFDoc;
class CFileList;
class QMenu;
class QTreeWidget;
class QTreeWidgetItem;

// The drag format between panes: the address of the pane the drag began in.
inline constexpr const char* kPaneDragFormat = "application/x-dravix-pane";

class CFileListView : public CView {
public:
    enum Column { colName = 0, colSize = 1, colDate = 2 };

    explicit CFileListView(bool remote, QWidget* parent = nullptr);
    ~CFileListView() override;

    CVFDoc* GetDocument() const;
    QTreeWidget* List() const;
    bool IsRemote() const { return m_bRemote; }
    const CString& GetPath() const { return m_strPath; }
    void SetPath(const CString& path) { m_strPath = path; }
    virtual void Refresh() = 0;
    virtual void GoUp() = 0;

    // Negative when a comes first: ".." first, then by the column's fixed direction.
    static int CompareEntries(const CFileEntry* a, const CFileEntry* b, int column);
    void SortItems(int column);
    int SortColumn() const { return m_nSortColumn; }

    // Entries as shown, top to bottom, and the selected ones in list order.
    std::vector<CFileEntry*> ShownEntries() const;
    std::vector<CFileEntry*> SelectedEntries() const;
    // Selects the rows of the given names (tests and drops).
    void SelectNames(const QStringList& names);
    // Makes the selected entries the document's selection; false (and an empty selection)
    // when none is selected or a row has no entry.
    bool CollectSelection();
    // Selected rows other than "..", and whether ".." is among them.
    int CountSelected(bool* parentSelected = nullptr) const;

    // Double click or Enter on the first selected row.
    void ActivateSelection();
    virtual void Activate(CFileEntry* entry) = 0;

    // The context menu for the current selection (sub-menu 0 to 5), with its items' states.
    std::unique_ptr<QMenu> BuildContextMenu();
    int ContextMenuIndex() const;

    // Drag and drop. A drop carries either pane entries (kPaneDragFormat) or shell files.
    bool CanAcceptDrop(const class QMimeData* data) const;
    bool HandleDrop(const class QMimeData* data);
    std::unique_ptr<class QMimeData> MakeDragData() const;
    // The live pane at that address (null when it was destroyed).
    static CFileListView* PaneFromAddress(quintptr address);

protected:
    // Keeps this pane's path bar field as wide as the pane.
    void resizeEvent(QResizeEvent* event) override;
    void ClearEntries();
    QTreeWidgetItem* AddEntry(std::unique_ptr<CFileEntry> entry, bool atTop = false);
    void AddParentEntry();
    // A row renamed on disk or on the server: its text, name and path follow.
    void Renamed(CFileEntry* entry, const CString& name);
    static void RenameFailed(const CString& oldPath, const CString& newPath);
    virtual bool DropFromPane(CFileListView* source) = 0;
    virtual bool DropFiles(const QStringList& paths) = 0;
    void Setup();
    bool HasConnection() const;
    // The command is enabled for a selection without "..": one row or any number of rows.
    void EnableForSelection(UINT id, bool needsConnection, bool exactlyOne);

    bool m_bRemote;
    CFileList* m_pList = nullptr;
    std::vector<std::unique_ptr<CFileEntry>> m_entries;
    CString m_strPath;
    int m_nSortColumn = colName;
};

class CLocalView : public CFileListView {
public:
    explicit CLocalView(QWidget* parent = nullptr);
    ~CLocalView() override;

    void OnInitialUpdate() override;
    void OnUpdate(CView* sender, long hint, void* hintObject) override;
    void Refresh() override { RefreshLocalList(); }
    void RefreshLocalList();
    void GoUp() override { GoUpLocal(); }
    void GoUpLocal();
    void Activate(CFileEntry* entry) override;

    void OnUpload();
    void OnDelete();
    void OnRename();
    void OnCreateFolder();
    void OnSelectFolder();
    void OnEdit();

protected:
    bool DropFromPane(CFileListView* source) override;
    bool DropFiles(const QStringList&) override { return false; }
};

class CFtpView : public CFileListView {
public:
    explicit CFtpView(QWidget* parent = nullptr);
    ~CFtpView() override;

    void OnInitialUpdate() override;
    void OnUpdate(CView* sender, long hint, void* hintObject) override;
    void Refresh() override { RefreshRemoteList(); }
    void RefreshRemoteList();
    void GoUp() override { GoUpRemote(); }
    void GoUpRemote();
    void Activate(CFileEntry* entry) override;

    void OnDownload();
    void OnDelete();
    void OnRename();
    void OnCreateFolder();
    // Files dropped from other programs: uploaded into the remote folder.
    void OnDropFiles(const QStringList& paths);

protected:
    bool DropFromPane(CFileListView* source) override;
    bool DropFiles(const QStringList& paths) override;

private:
    bool Connected() const;
};

// The folder picker: a chosen folder, or empty when cancelled. Tests can answer instead.
CString FtpBrowseForFolder(QWidget* owner, const CString& start);
using FolderPickerHook = CString (*)(const CString& start);
void SetFolderPickerHook(FolderPickerHook hook);
