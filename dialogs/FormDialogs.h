// Form dialogs: the form's method, encoding and hidden variables (DForm), where its data
// goes (DSendForm, on the form's link record) and the choice of a new form's fields
// (DInsertForm). The opener holds the edit scope.
#pragma once
#include "controls/DialogTemplate.h"
#include "framework/ui/Dialog.h"

#include <array>
#include <cstdint>

class CFormItem;
class CItemLink;
class CKJDoc;
class QComboBox;

extern const DlgTemplate kFormTemplate;
extern const DlgTemplate kSendFormTemplate;
extern const DlgTemplate kInsertFormTemplate;

// The link targets of a project: "/" (value -1), then every page as "name [path file]"
// and every attached file, each with its id; the row whose id is selectedId is selected
// ("/" when none is).
void FillLinkTargets(QComboBox* list, const CKJDoc* doc, int selectedId);

class DForm : public CDialog {
public:
    explicit DForm(QWidget* parent = nullptr);
    void DoDataExchange(CDataExchange* pDX) override;

    CKJDoc* m_pDoc = nullptr;
    CFormItem* m_pItem = nullptr;
};

class DSendForm : public CDialog {
public:
    explicit DSendForm(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    CKJDoc* m_pDoc = nullptr;
    CItemLink* m_pLink = nullptr;

private:
    void UpdateControls();
};

class DInsertForm : public CDialog {
public:
    explicit DInsertForm(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    // 0 the mode (0 blank, 1 add fields), then the fifteen fields in the contact form
    // builder's order (first name .. drop-down options).
    std::array<std::int32_t, 16> m_options{};

private:
    void UpdateControls();
};
