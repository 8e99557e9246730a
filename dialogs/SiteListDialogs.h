// Lists of site objects edited in one dialog: DCloneToPage (the pages an item appears
// on) and DCategories (the entries and styles of a Categories item).
#pragma once
#include "controls/DialogKit.h"
#include "controls/DialogTemplate.h"
#include "framework/ui/Dialog.h"

#include <memory>
#include <vector>

class CCategoriesItem;
class CItem;
class CItemLink;
class CKJDoc;
class CPage;

extern const DlgTemplate kCloneToPageTemplate;
extern const DlgTemplate kCategoriesTemplate;

class DCloneToPage : public CDialog {
public:
    explicit DCloneToPage(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    void OnOK() override;

    CKJDoc* m_pDoc = nullptr;
    CPage* m_pPage = nullptr; // the item's own page
    CItem* m_pItem = nullptr;
    std::vector<CPage*> m_result;
    CReportList* List() const;
    // Toggles a row as a click does (the own page's row never changes).
    void ToggleRow(int row);
};

class DCategories : public CDialog {
public:
    explicit DCategories(QWidget* parent = nullptr);
    ~DCategories() override;
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    void OnCancel() override;

    CCategoriesItem* m_pItem = nullptr;
    CKJDoc* m_pDoc = nullptr;
    CReportList* List() const;

    void OnAdd();
    void OnEdit();
    void OnDelete();
    void OnMove(bool toTop);

private:
    std::vector<std::unique_ptr<CItemLink>> m_added; // made by Add, owned until OK
};
