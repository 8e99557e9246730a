// Form field dialogs: button, check box, list, date picker, radio choice and text area.
// Each binds the item's own fields; those with an "Item name:" check the name with
// CKJDoc::CheckItemName at OK and stay open when the user refuses a duplicate. The opener
// holds the edit scope.
#pragma once
#include "controls/DialogTemplate.h"
#include "framework/ui/Dialog.h"

class CCheckBoxItem;
class CDatePickerItem;
class CItem;
class CKJDoc;
class CListControlItem;
class CPage;
class CRadioChoiceItem;
class CSubmitButtonItem;
class CTextAreaItem;

extern const DlgTemplate kFormButtonTemplate;
extern const DlgTemplate kCheckBoxTemplate;
extern const DlgTemplate kListFieldTemplate;
extern const DlgTemplate kDatePickerTemplate;
extern const DlgTemplate kRadioChoiceTemplate;
extern const DlgTemplate kTextAreaFieldTemplate;

// The name check the field dialogs share: the "Item name:" edit (1017) is read at OK; a
// name that is not empty goes to CheckItemName with the document, the item and the page.
class DNamedField : public CDialog {
public:
    void OnOK() override;

    CKJDoc* m_pDoc = nullptr;
    CPage* m_pContainer = nullptr; // where names must be unique; null = the whole document

protected:
    explicit DNamedField(QWidget* parent) : CDialog(parent) {}
    virtual CItem* NamedItem() const = 0;
};

class DFormButton : public DNamedField {
public:
    explicit DFormButton(QWidget* parent = nullptr);
    void DoDataExchange(CDataExchange* pDX) override;
    CSubmitButtonItem* m_pItem = nullptr;

protected:
    CItem* NamedItem() const override;
};

class DCheckBox : public DNamedField {
public:
    explicit DCheckBox(QWidget* parent = nullptr);
    void DoDataExchange(CDataExchange* pDX) override;
    CCheckBoxItem* m_pItem = nullptr;

protected:
    CItem* NamedItem() const override;
};

// "Selected item:" names the preselected entry by its label; a label that is no entry
// (or an empty box) preselects none.
class DListField : public DNamedField {
public:
    explicit DListField(QWidget* parent = nullptr);
    void DoDataExchange(CDataExchange* pDX) override;
    CListControlItem* m_pItem = nullptr;

protected:
    CItem* NamedItem() const override;
};

class DDatePicker : public CDialog {
public:
    explicit DDatePicker(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    CDatePickerItem* m_pItem = nullptr;

private:
    void UpdateControls();
};

class DRadioChoice : public DNamedField {
public:
    explicit DRadioChoice(QWidget* parent = nullptr);
    void DoDataExchange(CDataExchange* pDX) override;
    CRadioChoiceItem* m_pItem = nullptr;

protected:
    CItem* NamedItem() const override;
};

class DTextAreaField : public DNamedField {
public:
    explicit DTextAreaField(QWidget* parent = nullptr);
    void DoDataExchange(CDataExchange* pDX) override;
    CTextAreaItem* m_pItem = nullptr;

protected:
    CItem* NamedItem() const override;
};
