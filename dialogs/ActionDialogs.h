// The action editor: DAction lists the steps of one item event and adds steps through
// DAddAction (the step type), DItemTree (the target item) and the small value dialogs
// DInput, DInputWide, DNumber and DChoose; DActions chooses an event.
#pragma once
#include "controls/DialogKit.h"
#include "controls/DialogTemplate.h"
#include "framework/ui/Dialog.h"
#include "model/WString.h"

#include <vector>

class CActionStep;
class CItem;
class CItemAction;
class CKJDoc;

extern const DlgTemplate kActionTemplate;
extern const DlgTemplate kAddActionTemplate;
extern const DlgTemplate kItemTreeTemplate;
extern const DlgTemplate kInputTemplate;
extern const DlgTemplate kNumberTemplate;
extern const DlgTemplate kChooseTemplate;
extern const DlgTemplate kActionsTemplate;

// The 29 step type names, in type order.
const std::vector<const char*>& BuildActionTypeList();
// The sentence of a step in the step list (never translated).
CString DescribeAction(const CActionStep& step);
// Sets flags[type] for every item type a step of the kind may target (50 flags).
void AllowedTargetTypes(int kind, int flags[50]);
// "id%d" that no item of the project (or of root when there is no project) bears as its
// name or its id in the page; with a project the number comes from its item counter.
CString MakeUniqueActionId(CKJDoc* doc, CItem* root);

class DItemTree : public CDialog {
public:
    explicit DItemTree(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    void OnOK() override;

    CItem* m_pRoot = nullptr;
    CItem* m_pChosen = nullptr;
    int m_flags[50] = {};
    CTreeCtrl* Tree() const;

private:
    void Fill(CItem* group, QTreeWidgetItem* parent);
};

class DAddAction : public CDialog {
public:
    explicit DAddAction(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    void OnOK() override;
    int m_nType = -1;
    CReportList* List() const;
};

class DInput : public CDialog {
public:
    explicit DInput(QWidget* parent = nullptr);
    void DoDataExchange(CDataExchange* pDX) override;
    CString m_strPrompt;
    CString m_strValue;
};

class DInputWide : public CDialog {
public:
    explicit DInputWide(QWidget* parent = nullptr);
    void DoDataExchange(CDataExchange* pDX) override;
    CString m_strPrompt;
    CWString m_value;
};

class DNumber : public CDialog {
public:
    explicit DNumber(QWidget* parent = nullptr);
    void DoDataExchange(CDataExchange* pDX) override;
    int m_nValue = 0;
    CString m_strPrompt;
    CString m_strUnit;
};

class DChoose : public CDialog {
public:
    explicit DChoose(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    int m_nIndex = -1;
    CString m_strPrompt;
    std::vector<CString> m_choices;
};

class DActions : public CDialog {
public:
    explicit DActions(QWidget* parent = nullptr);
    int m_nValue = 0;
};

class DAction : public CDialog {
public:
    explicit DAction(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    CItemAction* m_pAction = nullptr;
    CItem* m_pContainer = nullptr; // whose items may be targets
    CKJDoc* m_pDoc = nullptr;      // for names no other item bears; may be null
    CString m_strCaption;
    CReportList* List() const;

    void OnAdd();
    void OnDelete();

private:
    // The values of a new step; false when a dialog was cancelled.
    bool AskValues(CActionStep& step);
};
