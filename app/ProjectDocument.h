// The website project as a document of the framework: the project itself (CKJDoc) does
// not need a window; this adapter gives it the document's place in frames, menus and
// the recent-file list, and asks for file names with the designer's picker.
#pragma once
#include "document/KJDoc.h"
#include "editor/ViewFrame.h"
#include "framework/ui/DocView.h"

class CProjectDocument : public CDocument, public CProjectHolder {
public:
    CProjectDocument();
    CKJDoc& Project() override { return m_project; }

    BOOL OnNewDocument() override;
    BOOL OnOpenDocument(const CString& path) override;
    // Saves through the project, which keeps its backup before the first save over its file.
    BOOL OnSaveDocument(const CString& path) override;
    void SetPathName(const CString& path, BOOL addToMRU = TRUE) override;
    void SetTitle(const CString& title) override;
    BOOL IsModified() const override;
    void SetModifiedFlag(BOOL modified = TRUE) override;

private:
    // Website/Export to Folder: asks for the folder, writes the site, shows the result.
    void OnExportToFolder();

    CKJDoc m_project;
};

// Makes the designer open, create and save projects of this type.
void RegisterProjectDocumentType();
