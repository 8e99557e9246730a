// The designer's file and folder pickers: an open/save wrapper with a profile-backed
// initial folder and multi-selection, a file dialog that shows thumbnails, and a folder
// browser that refuses folders that do not exist or are links.
#pragma once
#include "framework/core/CString.h"
#include "framework/ui/WinApp.h"

#include <QtWidgets/QFileDialog>
#include <functional>
#include <string>

class CFileChooser {
public:
    CFileChooser();
    virtual ~CFileChooser();

    // "Name (*.a;*.b)|*.a;*.b|...||": description and pattern pairs separated by '|'.
    void SetFilter(const char* filter);
    void AddFlags(UINT flags) { m_flags |= flags; }
    UINT GetFlags() const { return m_flags; }
    void LoadFolder(const char* section, const char* key);
    void SetInitialFolder(const CString& path) { m_strInitialFolder = path; }
    const CString& GetInitialFolder() const { return m_strInitialFolder; }
    void SetTitle(const CString& title) { m_strTitle = title; }
    const CString& GetTitle() const { return m_strTitle; }
    // The initial file name of the dialog (a name or a pattern such as "*.kjproj").
    void SetFileName(const CString& name) { m_strFileName = name; }

    // Nonzero on OK; 0 on cancel. After OK the current folder is the chosen one.
    int DoOpen();
    int DoSave();
    // Keeps the current folder in the profile and as the initial folder.
    void SaveFolder(const char* section, const char* key);

    // Iteration over the selection: start with GetFileBuffer(), call GetNextPathName
    // until the position is null.
    const char* GetFileBuffer() const { return m_file.c_str(); }
    CString GetNextPathName(const char*& position) const;
    // Every selected path in order.
    std::vector<CString> GetPathNames() const;

    // Puts a selection into the buffer as the dialog would: one full path, or the
    // folder followed by the names.
    void SetSelection(const CString& folder, const std::vector<CString>& names);
    // The Qt form of the filter ("Name (*.a *.b);;...").
    QString QtFilter() const;
    // Whether the filter's pair at index (0 = first) admits a file name: wildcards, any
    // case, "*.*" for every name (one without a dot too).
    bool FilterMatches(int index, const CString& fileName) const;
    static QStringList FilterPatterns(const QString& patterns);

    // Tests answer the dialog: the hook fills the selection and returns OK or not.
    using DialogHook = std::function<bool(CFileChooser& chooser, bool save)>;
    static DialogHook SetDialogHook(DialogHook hook);

private:
    int Run(bool save);

    UINT m_flags;
    CString m_strFilter; // pairs separated by '|'
    CString m_strInitialFolder;
    CString m_strTitle;
    CString m_strFileName;
    std::string m_file; // folder and names separated by zero bytes, ending in two
};

// A file dialog whose folder list shows picture thumbnails in every folder it enters.
class DOpenDialog : public QFileDialog {
public:
    DOpenDialog(BOOL open, const CString& defaultExt, const CString& fileName, UINT flags, const CString& filter,
                QWidget* parent = nullptr);
    void OnFolderChange();
};

// Asks for a folder that exists and is not a link, starting at initialFolder (or the
// current folder). TRUE and the full path in folder when one was chosen.
BOOL BrowseForFolder(QWidget* owner, const CString& initialFolder, CString& folder);
// True when a folder may be chosen: it exists, is a folder, and is not a link.
bool IsChoosableFolder(const QString& path);

namespace tessel {
using FolderHook = std::function<bool(const CString& startFolder, CString& chosen)>;
FolderHook SetFolderBrowserHook(FolderHook hook);
}
