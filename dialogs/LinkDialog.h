// The Link dialog: the one editor of link records (items, image-map areas, rich-text runs,
// category entries). It edits a copy and writes the record at OK; Cancel leaves it as it was.
#pragma once
#include "framework/ui/Dialog.h"
#include "model/ItemLink.h"

class CKJDoc;

// Addresses the dialog opens or suggests.
extern const char* const kLinkSearchEngine;
extern const char* const kLinkExamplePicture;

class DLink : public CDialog {
public:
    explicit DLink(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    void OnDelete();
    void OnBrowse();
    void OnTargetChanged();
    void UpdateControls();

    CKJDoc* m_pDoc = nullptr;
    CItemLink* m_pLink = nullptr;

private:
    CItemLink m_edit; // the values being edited
};
