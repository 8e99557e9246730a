// The state of one generation run: where the site is written, what the run is for, and
// the list of every file written, which the upload walks afterwards.
#pragma once
#include "framework/core/CString.h"
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

class CFolder;

// What a recorded file is.
enum PublishFileKind {
    kPublishFilePage = 0,         // a page or other generated file
    kPublishFileFolder = 1,       // a site folder
    kPublishFileTopIndex = 2,     // the page named "index" at the top of the site
    kPublishFilePicture = 3,
    kPublishFileItemBackground = 5,
    kPublishFileFolderIndex = 6,  // a page named "index" inside a folder
    kPublishFileScript = 7,       // a form mailer script or a stored file
    kPublishFileFlash = 8,
};

// Upload state word of every site object.
enum UploadState {
    kUploadChanged = 0,  // changed since its last upload
    kUploadListed = 1,   // listed for upload in this run
    kUploadDone = 2,     // uploaded and unchanged
};

// Where an upload put the site: the server, the login and the folder on it.
struct CPublishPlace {
    CString m_strHost; // trimmed, lower case; empty when not known (lists kept before places were)
    CString m_strUser;
    int m_nPort = 0;
    CString m_strFolder; // as the upload normalizes it
    bool IsKnown() const { return !m_strHost.IsEmpty(); }
    bool operator==(const CPublishPlace&) const = default;
};

// What the last complete upload left on a server (names from the site root) and where.
struct CPublishedFiles {
    CPublishPlace m_place;
    std::vector<CString> m_names;
    bool operator==(const CPublishedFiles&) const = default;
};

struct CPublishFile {
    CString m_strRemoteName;       // path from the site root, '/'-separated
    CString m_strLocalPath;        // full path of the written file
    int m_bDirectory = 0;          // 1 for a site folder to create
    std::uint32_t m_nSize = 0;     // size when recorded; 0 when the file could not be opened
    int m_nKind = kPublishFilePage;
    int* m_pUploadState = nullptr; // the producing object's upload state word
    // Further objects that write the same file (items sharing an icon): uploaded with it.
    std::vector<int*> m_sharedStates;
};

// Run modes.
enum PublishMode {
    kPublishEditorPreview = 0,
    kPublishBrowserPreview = 1,
    kPublishUpload = 2, // also View Source
    kPublishExport = 3,
};

class CPublishContext {
public:
    // With a name, the output folder is the temporary folder + name; without one the
    // caller sets a folder of its own.
    explicit CPublishContext(const char* name = nullptr);
    ~CPublishContext();
    CPublishContext(const CPublishContext&) = delete;
    CPublishContext& operator=(const CPublishContext&) = delete;

    // True when a recorded file has the local path root + current folder + name, or the
    // remote name current folder + name. Exact, case-sensitive. Files written in this run
    // count whether or not they were listed for the upload, so that names settle the same
    // way in every run; with owner, a file of that owner (its upload state word) does not.
    bool FindFile(const char* name, const int* owner = nullptr) const;
    // Records a written file unless it is listed already or its object is unchanged since
    // its last upload (and not everything is uploaded); marks a changed object as listed.
    void AddFile(const char* localPath, const char* remoteName, int kind, int* uploadState, int directory = 0);
    // For a file an object wrote itself (pictures, icons, sprites, thumbnails, mailers):
    // listed as AddFile does when written is true; otherwise nothing is listed and the
    // first such path is kept in m_strFailedPath for the run to report. Returns written.
    bool AddWrittenFile(bool written, const char* localPath, const char* remoteName, int kind, int* uploadState);

    int GetFileCount() const { return int(m_files.size()); }
    const CPublishFile& GetFile(int index) const { return *m_files[size_t(index)]; }
    const std::vector<std::unique_ptr<CPublishFile>>& GetFiles() const { return m_files; }
    // Whether this run generated the server name (one of m_generatedNames).
    bool IsGenerated(const CString& remoteName) const { return m_generatedSet.count(remoteName.str()) != 0; }

    CString m_strOutputRoot;    // output folder, ends in '/'
    CString m_strCurrentFolder; // '/'-separated, ends in '/'; empty at the top
    CString m_strOutputFolder;
    CFolder* m_pWorkingFolder = nullptr; // the generator's own
    int m_nMode = 0;
    int m_bUploadAll = 0;
    int m_bWorkingFlag = 0;              // the generator's own
    CString m_strFailedPath;             // first file an object could not write; empty when none
    // The server names of every file and folder this run generated, listed for upload or
    // not (unchanged since the last upload): what the site is made of now.
    std::vector<CString> m_generatedNames;

private:
    std::vector<std::unique_ptr<CPublishFile>> m_files;
    // Indexes of the listed names, so that lookups stay constant-time on large sites.
    std::unordered_map<std::string, std::size_t> m_localPaths; // path -> index in m_files
    std::unordered_set<std::string> m_remoteNames;
    std::unordered_set<std::string> m_generatedSet; // m_generatedNames, for lookups
    // Every file handed to AddFile in this run, listed or not, with its first owner.
    std::unordered_map<std::string, const int*> m_writtenBy;
};
