// Property sheets: pages (dialogs) shown as tabs, or one at a time in wizard mode with
// Back, Next and Finish. OK exchanges the data of every page that was shown.
#pragma once
#include "framework/ui/Dialog.h"

#include <QtCore/QPointer>

class QStackedWidget;
class QTabWidget;
class QPushButton;

enum : UINT { PSWIZB_BACK = 1, PSWIZB_NEXT = 2, PSWIZB_FINISH = 4 };
enum : int { ID_WIZBACK = 12323, ID_WIZNEXT = 12324, ID_WIZFINISH = 12325 };

class CPropertySheet;

class CPropertyPage : public CDialog {
public:
    explicit CPropertyPage(const char* caption = "");
    CString m_strCaption; // the tab title
    CPropertySheet* GetSheet() const { return m_pSheet; }
    bool IsInitialised() const { return m_bInitialised; }

    // The page becomes visible (TRUE to allow it) and is left (FALSE keeps it).
    virtual BOOL OnSetActive() { return TRUE; }
    virtual BOOL OnKillActive() { return UpdateData(TRUE); }
    // Wizard steps: 0 moves on, -1 stays; Finish ends the sheet when TRUE.
    virtual int OnWizardNext() { return 0; }
    virtual int OnWizardBack() { return 0; }
    virtual BOOL OnWizardFinish() { return TRUE; }

private:
    friend class CPropertySheet;
    CPropertySheet* m_pSheet = nullptr;
    bool m_bInitialised = false;
};

class CPropertySheet : public CDialog {
public:
    explicit CPropertySheet(const char* caption, QWidget* parent = nullptr);
    // Hands the pages back to their owners.
    ~CPropertySheet() override;
    // The sheet shows the pages; it does not own them.
    void AddPage(CPropertyPage* page);
    int GetPageCount() const { return int(m_pages.size()); }
    CPropertyPage* GetPage(int index) const { return m_pages[size_t(index)]; }
    int GetActiveIndex() const { return m_nActive; }
    BOOL SetActivePage(int index);
    void SetWizardMode() { m_bWizard = true; }
    bool IsWizard() const { return m_bWizard; }
    void SetWizardButtons(UINT flags);
    UINT GetWizardButtons() const { return m_nWizardButtons; }

    BOOL OnInitDialog() override;
    // Every page shown so far gives up its data; a refused value shows its page.
    void OnOK() override;
    // Wizard moves (also the buttons' commands).
    void Next();
    void Back();
    void Finish();

private:
    void Build();

    std::vector<QPointer<CPropertyPage>> m_pages;
    int m_nActive = -1;
    bool m_bWizard = false;
    bool m_bBuilt = false;
    UINT m_nWizardButtons = PSWIZB_BACK | PSWIZB_NEXT;
    QTabWidget* m_pTabs = nullptr;
    QStackedWidget* m_pStack = nullptr;
};
