// The Image and Image Clone dialogs. Both edit the item in place (the opener's edit scope
// restores it on Cancel) and open the shared record dialogs on the item's own records.
#pragma once
#include "controls/DialogTemplate.h"
#include "framework/ui/Dialog.h"

class CImageCloneItem;
class CImageItem;
class CKJDoc;

extern const DlgTemplate kImageTemplate;
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
