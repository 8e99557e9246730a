// Header and footer bands: DHeadersFooters chooses a page's header and footer and makes or
// deletes bands; DHeaderFooter edits one band.
#pragma once
#include "controls/DialogTemplate.h"
#include "framework/ui/Dialog.h"

#include <memory>
#include <vector>

class CHeaderFooterItem;
class CKJDoc;

extern const DlgTemplate kHeadersFootersTemplate;
extern const DlgTemplate kHeaderFooterTemplate;

class DHeadersFooters : public CDialog {
public:
    explicit DHeadersFooters(QWidget* parent = nullptr);
    ~DHeadersFooters() override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    CHeaderFooterItem* m_pHeader = nullptr; // in and out; null for none
    CHeaderFooterItem* m_pFooter = nullptr;
    CKJDoc* m_pDoc = nullptr;
    CString m_strCaption; // appended after " : " when not empty

    // What OK gave the document: bands added and bands deleted (destroyed already).
    int m_nAdded = 0;
    int m_nDeleted = 0;

private:
    void OnSelect(bool header);
    void OnAdd(bool header);
    void OnDelete(bool header);
    void UpdateButtons();

    // Made and deleted while the dialog is open; the document changes only at OK.
    std::vector<std::unique_ptr<CHeaderFooterItem>> m_newHeaders, m_newFooters;
    std::vector<CHeaderFooterItem*> m_deleted;
};

class DHeaderFooter : public CDialog {
public:
    explicit DHeaderFooter(QWidget* parent = nullptr);
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    CKJDoc* m_pDoc = nullptr;
    CHeaderFooterItem* m_pBand = nullptr;

private:
    void OnHeight();
};
