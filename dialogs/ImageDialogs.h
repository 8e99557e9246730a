// The Image and Image Clone dialogs. Both edit the item in place (the opener's edit scope
// restores it on Cancel) and open the shared record dialogs on the item's own records.
#pragma once
#include "controls/DialogTemplate.h"
#include "framework/ui/Dialog.h"

class CImageCloneItem;
class CImageItem;
class CKJDoc;

#include <vector>

class CItem;

extern const DlgTemplate kImageTemplate;
extern const DlgTemplate kInsertImageTemplate;
extern const DlgTemplate kImageCloneTemplate;

class DImage : public CDialog {
public:
    explicit DImage(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    int m_bExportJpeg = 0; // set by the caller, read back after OK
    CImageItem* m_pItem = nullptr;
    CKJDoc* m_pDoc = nullptr;

    // The checks of OK on a file name, in order; true when the name may be used (a
    // refusal has told the user why).
    bool CheckFileName(const CString& name);

private:
    void OnShape();
};

class DImageClone : public CDialog {
public:
    explicit DImageClone(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    CImageCloneItem* m_pItem = nullptr;
    CKJDoc* m_pDoc = nullptr;
};

// Where a new picture comes from: OK with a chosen item (clone it), OK without one (load a
// new file; also at once when there are no candidates), ID_EDIT_PASTE (the clipboard),
// ID_INSERT_EXTERNAL_IMAGE (an address) or Cancel. It creates nothing itself.
class DInsertImage : public CDialog {
public:
    explicit DInsertImage(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    void OnOK() override;

    std::vector<CItem*> m_candidates; // the caller's
    CItem* m_pChosen = nullptr;       // preset to preselect a row
    CString m_strLoadCaption;         // the first button's text
};
