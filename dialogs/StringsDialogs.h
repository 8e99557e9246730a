// The site's named strings: DStrings lists and edits the document's pairs, DDefineString
// edits one key and value.
#pragma once
#include "controls/DialogKit.h"
#include "controls/DialogTemplate.h"
#include "framework/ui/Dialog.h"
#include "model/WString.h"

class CKJDoc;
class CReportList;

extern const DlgTemplate kStringsTemplate;
extern const DlgTemplate kDefineStringTemplate;

// "###", the key, "###": what a text holds where the value goes.
CWString NamedStringPlaceholder(const CWString& key);

class DStrings : public CDialog {
public:
    explicit DStrings(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;

    CKJDoc* m_pDoc = nullptr;
    CReportList* List() const;

private:
    void OnAdd();
    void OnEdit();
    void OnDelete();
    void OnCopy();
    void SetButtons();
    void FillRow(int row);
    CImageList m_images;
};

class DDefineString : public CDialog {
public:
    explicit DDefineString(QWidget* parent = nullptr);
    void DoDataExchange(CDataExchange* pDX) override;
    CWString m_key;
    CWString m_value;
};
