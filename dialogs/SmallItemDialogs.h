// Small item and page dialogs: go to page, heading, input field, list, margins, marquee,
// master and div. Each binds plain members or the item's own fields; the opener takes the
// edit scope before and ends it after.
#pragma once
#include "controls/DialogTemplate.h"
#include "framework/ui/Dialog.h"
#include "model/Border.h"
#include "model/WString.h"

#include <vector>

class CGroupItem;
class CItem;
class CInputFieldItem;
class CKJDoc;
class CListItem;
class CMarqueeItem;
class CMasterItem;
class CPage;
class CFillStyle;

extern const DlgTemplate kGoToPageTemplate;
extern const DlgTemplate kHeadingTemplate;
extern const DlgTemplate kInputFieldTemplate;
extern const DlgTemplate kListTemplate;
extern const DlgTemplate kMarginsTemplate;
extern const DlgTemplate kMarqueeTemplate;
extern const DlgTemplate kMasterTemplate;
extern const DlgTemplate kDivTemplate;

// The Padding dialog on an item's padding record and overall padding, titled with its
// name; both are stored after OK (the record made when the item had none).
void EditItemPadding(CItem* item, QWidget* parent);

class DGoToPage : public CDialog {
public:
    explicit DGoToPage(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;

    CPage* m_pPage = nullptr;         // the chosen page; null until a row is selected
    std::vector<CPage*>* m_pPages = nullptr; // filled by the opener
};

class DHeading : public CDialog {
public:
    explicit DHeading(QWidget* parent = nullptr);
    void DoDataExchange(CDataExchange* pDX) override;

    int m_nLevel = 0; // 0..5 for H1..H6
    CWString m_text;
    int m_bAllowTags = 0;
};

class DInputField : public CDialog {
public:
    explicit DInputField(QWidget* parent = nullptr);
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    CInputFieldItem* m_pItem = nullptr;
    CKJDoc* m_pDoc = nullptr;
    CPage* m_pGroup = nullptr; // where names may clash; null = the whole document
};

class DList : public CDialog {
public:
    explicit DList(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    CListItem* m_pItem = nullptr;
};

class DMargins : public CDialog {
public:
    explicit DMargins(QWidget* parent = nullptr);
    void DoDataExchange(CDataExchange* pDX) override;

    CBoxSpacing* m_pMargin = nullptr;
};

class DMarquee : public CDialog {
public:
    explicit DMarquee(QWidget* parent = nullptr);
    void DoDataExchange(CDataExchange* pDX) override;

    CMarqueeItem* m_pItem = nullptr;
    CKJDoc* m_pDoc = nullptr;
};

class DMaster : public CDialog {
public:
    explicit DMaster(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    CMasterItem* m_pMaster = nullptr;
    CKJDoc* m_pDoc = nullptr;
    CFillStyle* m_pFill = nullptr; // may be null

private:
    void OnHeight();
};

class DDiv : public CDialog {
public:
    explicit DDiv(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    CKJDoc* m_pDoc = nullptr;
    CGroupItem* m_pItem = nullptr;

private:
    void OnSize();
};
