// The name dialogs of site objects: DPageName (a page's, folder's or attached file's file
// name, its folder and the PHP flag) and DRename (an item's id, anchor, tooltip, cursor
// and display).
#pragma once
#include "controls/DialogTemplate.h"
#include "framework/ui/Dialog.h"

class CFolder;
class CItem;
class CKJDoc;
class CPage;
class CSiteObject;

extern const DlgTemplate kPageNameTemplate;
extern const DlgTemplate kRenameTemplate;

// What a name is checked against: pages compare base names, folders the folders beside
// them, attached files the files of their folder.
enum class SiteNameKind { Page, Folder, File };

// The first rule the name breaks, as the message shown; empty when the name is good.
// name has its blanks already replaced; self is the object being named (may be null).
CString CheckSiteName(const CKJDoc& doc, const CString& name, const CFolder* folder, const CSiteObject* self,
                      SiteNameKind kind);
// Whether folder is candidate or lies inside it.
bool IsFolderWithin(const CFolder* folder, const CFolder* candidate);

class DPageName : public CDialog {
public:
    explicit DPageName(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    CKJDoc* m_pDoc = nullptr;
    CSiteObject* m_pObject = nullptr; // the object named; skipped in the duplicate test
    CFolder* m_pFolder = nullptr;     // the preset folder (null: the site root)
    CFolder* m_pChosenFolder = nullptr; // set at OK
    CString m_strName;
    CString m_strExtension;  // shown beside the name
    int m_bEnablePhp = 0;    // negative: the box is disabled
    CString m_strCaption;
    SiteNameKind m_nKind = SiteNameKind::Page;

private:
    void OnEnablePhp();
    CFolder* SelectedFolder() const;
};

class DRename : public CDialog {
public:
    explicit DRename(QWidget* parent = nullptr);
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    int m_bHidden = 0;
    CString m_strName;
    int m_nCursor = 0;
    CString m_strAnchor;
    int m_nDisplay = 0;
    int m_bDeclareVariable = 0;
    CKJDoc* m_pDoc = nullptr;
    CItem* m_pItem = nullptr;
    CPage* m_pPage = nullptr;
};
