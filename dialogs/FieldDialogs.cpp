#include "dialogs/FieldDialogs.h"

#include "dialogs/ItemExchange.h"
#include "document/KJDoc.h"
#include "framework/ui/DataExchange.h"
#include "model/items/CheckBoxItem.h"
#include "model/items/DatePickerItem.h"
#include "model/items/ListControlItem.h"
#include "model/items/RadioChoiceItem.h"
#include "model/items/SubmitButtonItem.h"
#include "model/items/TextAreaItem.h"

#include <QtWidgets/QComboBox>

#include <algorithm>

namespace {

const DlgControl kFormButtonControls[] = {
    {IDC_STATIC, DlgKind::Static, "Label:", nullptr, 0},
    {1000, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Item name:", nullptr, 0},
    {1017, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Type:", nullptr, 0},
    {1018, DlgKind::Combo, nullptr, "Submit Form|Clear Form|File Choice|Color Picker", kDlgBeside},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kCheckBoxControls[] = {
    {IDC_STATIC, DlgKind::Static, "Label:", nullptr, 0},
    {1000, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {1001, DlgKind::Check, "Checked", nullptr, 0},
    {IDC_STATIC, DlgKind::Static, "Item name:", nullptr, 0},
    {1017, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Group, "Validation:", nullptr, 0},
    {1202, DlgKind::Check, "Must Be Checked", nullptr, 0},
    {IDC_STATIC, DlgKind::Static, "Reminder Message:", nullptr, 0},
    {1003, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kListFieldControls[] = {
    {IDC_STATIC, DlgKind::Static, "Item name:", nullptr, 0},
    {1017, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Items:", nullptr, 0},
    {1011, DlgKind::MultiEdit, nullptr, nullptr, 0},
    {IDC_STATIC, DlgKind::Static, "Selected item:", nullptr, 0},
    {1000, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Rows visible:", nullptr, 0},
    {1018, DlgKind::Combo, nullptr,
     "1|2|3|4|5|6|7|8|9|10|11|12|13|14|15|16|17|18|19|20|21|22|23|24|25|26|27|28|29|30|31|32|33|34|35|36|37|38|39|40",
     kDlgBeside},
    {IDC_STATIC, DlgKind::Group, "Validation:", nullptr, 0},
    {1009, DlgKind::Check, "Must Be Selected", nullptr, 0},
    {1001, DlgKind::Check, "Allow multiselect", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Reminder Message:", nullptr, 0},
    {1003, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kDatePickerControls[] = {
    {1018, DlgKind::Combo, nullptr, "Allow selection from current day|Allow selection from selected day", 0},
    {IDC_STATIC, DlgKind::Static, "Year:", nullptr, 0},
    {1036, DlgKind::EditCombo, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Month:", nullptr, kDlgBeside},
    {1020, DlgKind::Combo, nullptr,
     "January|February|March|April|May|June|July|August|September|October|November|December", kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Day:", nullptr, kDlgBeside},
    {1066, DlgKind::Combo, nullptr,
     "1|2|3|4|5|6|7|8|9|10|11|12|13|14|15|16|17|18|19|20|21|22|23|24|25|26|27|28|29|30|31", kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Start Day from Today:", nullptr, 0},
    {1002, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Show Days Ahead:", nullptr, 0},
    {1000, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Group, "Allowed Days of Week", nullptr, 0},
    {1001, DlgKind::Check, "Sunday", nullptr, 0},
    {1009, DlgKind::Check, "Monday", nullptr, kDlgBeside},
    {1013, DlgKind::Check, "Tuesday", nullptr, kDlgBeside},
    {1016, DlgKind::Check, "Wednesday", nullptr, kDlgBeside},
    {1079, DlgKind::Check, "Thursday", nullptr, 0},
    {1087, DlgKind::Check, "Friday", nullptr, kDlgBeside},
    {1089, DlgKind::Check, "Saturday", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Date Value As:", nullptr, 0},
    {1040, DlgKind::Combo, nullptr,
     "Date as text dd-MMM-yyyy|PHP time (seconds since 1970)|JavaScript time (miliseconds since 1970)", kDlgBeside},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kRadioChoiceControls[] = {
    {1000, DlgKind::MultiEdit, nullptr, nullptr, 0},
    {IDC_STATIC, DlgKind::Static, "Item name:", nullptr, 0},
    {1017, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Space:", nullptr, 0},
    {1002, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {1001, DlgKind::Check, "Preselected:", nullptr, 0},
    {1004, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {1202, DlgKind::Check, "Must Be Selected", nullptr, 0},
    {IDC_STATIC, DlgKind::Static, "Reminder Message:", nullptr, 0},
    {1003, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {1005, DlgKind::Check, "Allow Tags  < >", nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kTextAreaControls[] = {
    {IDC_STATIC, DlgKind::Static, "Initial Text:", nullptr, 0},
    {1000, DlgKind::MultiEdit, nullptr, nullptr, 0},
    {IDC_STATIC, DlgKind::Static, "Item name:", nullptr, 0},
    {1017, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Placeholder:", nullptr, 0},
    {1005, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Tooltip:", nullptr, 0},
    {1006, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {1001, DlgKind::Check, "Required field", nullptr, 0},
    {IDC_STATIC, DlgKind::Static, "Reminder Message:", nullptr, 0},
    {1003, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Maximum Length:", nullptr, 0},
    {1007, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "characters", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Minimum Length:", nullptr, 0},
    {1008, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "characters", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Error Message:", nullptr, 0},
    {1306, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};

} // namespace

const DlgTemplate kFormButtonTemplate{250, "Button", true, kFormButtonControls};
const DlgTemplate kCheckBoxTemplate{158, "Check Box", true, kCheckBoxControls};
const DlgTemplate kListFieldTemplate{153, "List", true, kListFieldControls};
const DlgTemplate kDatePickerTemplate{270, "Date Picker", true, kDatePickerControls};
const DlgTemplate kRadioChoiceTemplate{159, "Radio Choice", true, kRadioChoiceControls};
const DlgTemplate kTextAreaFieldTemplate{155, "Text Area Field", true, kTextAreaControls};

void DNamedField::OnOK()
{
    const CString name = GetDlgItemText(1017);
    // CheckItemName asks the user itself; true means the duplicate was refused
    if (!name.IsEmpty() && m_pDoc && m_pDoc->CheckItemName(name, NamedItem(), m_pContainer))
        return;
    CDialog::OnOK();
}

// ---- DFormButton

DFormButton::DFormButton(QWidget* parent) : DNamedField(parent) { BuildDialog(*this, kFormButtonTemplate); }
CItem* DFormButton::NamedItem() const { return m_pItem; }

void DFormButton::DoDataExchange(CDataExchange* pDX)
{
    DDX_TextW(pDX, 1000, m_pItem->m_strText);
    DDX_Text(pDX, 1017, m_pItem->m_strName);
    DDX_CBIndex(pDX, 1018, m_pItem->m_nButtonKind);
}

// ---- DCheckBox

DCheckBox::DCheckBox(QWidget* parent) : DNamedField(parent) { BuildDialog(*this, kCheckBoxTemplate); }
CItem* DCheckBox::NamedItem() const { return m_pItem; }

void DCheckBox::DoDataExchange(CDataExchange* pDX)
{
    DDX_TextW(pDX, 1000, m_pItem->m_strText);
    DDX_Check(pDX, 1001, m_pItem->m_bChecked);
    DDX_Text(pDX, 1017, m_pItem->m_strName);
    DDX_Check(pDX, 1202, m_pItem->m_bRequired);
    DDX_TextW(pDX, 1003, m_pItem->m_strRequiredMessage);
}

// ---- DListField

DListField::DListField(QWidget* parent) : DNamedField(parent) { BuildDialog(*this, kListFieldTemplate); }
CItem* DListField::NamedItem() const { return m_pItem; }

void DListField::DoDataExchange(CDataExchange* pDX)
{
    CListControlItem& item = *m_pItem;
    DDX_Text(pDX, 1017, item.m_strName);
    DDX_TextLines(pDX, 1011, item.m_strText);
    // the preselected entry by its label
    CWString selected;
    const std::vector<CWString> lines = SplitFormLines(item.m_strText);
    if (!pDX->m_bSaveAndValidate && item.m_nSelected >= 0 && std::size_t(item.m_nSelected) < lines.size()) {
        CWString value;
        SplitLabelValue(lines[std::size_t(item.m_nSelected)], selected, value);
    }
    DDX_TextW(pDX, 1000, selected);
    if (pDX->m_bSaveAndValidate) {
        item.m_nSelected = -1;
        for (std::size_t i = 0; i < lines.size() && !selected.IsEmpty(); ++i) {
            CWString label, value;
            SplitLabelValue(lines[i], label, value);
            if (label == selected) {
                item.m_nSelected = int(i);
                break;
            }
        }
    }
    // index 0 is one row
    int rows = std::clamp(item.m_nRows - 1, 0, 39);
    DDX_CBIndex(pDX, 1018, rows);
    // a drop-down (0 rows) left at the first entry stays a drop-down
    if (pDX->m_bSaveAndValidate && !(rows == 0 && item.m_nRows <= 1))
        item.m_nRows = rows + 1;
    DDX_Check(pDX, 1009, item.m_bRequired);
    DDX_Check(pDX, 1001, item.m_bMultiple);
    DDX_TextW(pDX, 1003, item.m_strRequiredMessage);
}

// ---- DDatePicker

DDatePicker::DDatePicker(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kDatePickerTemplate);
    OnNotify(1018, CBN_SELCHANGE, [this] { UpdateControls(); });
}

BOOL DDatePicker::OnInitDialog()
{
    CDialog::OnInitDialog();
    // the years come after the exchange: the box keeps the stored year, listed or not
    auto* years = qobject_cast<QComboBox*>(GetDlgItem(1036));
    const QString stored = years->currentText();
    {
        const QSignalBlocker quiet(years);
        for (int y = 1900; y <= 2099; ++y)
            years->addItem(QString::number(y));
        years->setCurrentIndex(-1);
        years->setEditText(stored);
    }
    UpdateControls();
    return TRUE;
}

void DDatePicker::UpdateControls()
{
    const bool fixed = qobject_cast<QComboBox*>(GetDlgItem(1018))->currentIndex() == 1;
    for (int id : {1036, 1020, 1066})
        EnableDlgItem(id, fixed);
}

void DDatePicker::DoDataExchange(CDataExchange* pDX)
{
    CDatePickerItem& item = *m_pItem;
    DDX_CBIndex(pDX, 1018, item.m_nStartMode);
    DDX_Text(pDX, 1036, item.m_nYear);
    DDX_CBIndex(pDX, 1066, item.m_nDay);
    DDX_CBIndex(pDX, 1020, item.m_nMonth);
    DDX_Text(pDX, 1000, item.m_nDayCount);
    const int days[7] = {1001, 1009, 1013, 1016, 1079, 1087, 1089};
    for (int i = 0; i < 7; ++i)
        DDX_Check(pDX, days[i], item.m_bWeekdays[i]);
    DDX_CBIndex(pDX, 1040, item.m_nValueFormat);
    DDX_Text(pDX, 1002, item.m_nDayOffset);
}

// ---- DRadioChoice

DRadioChoice::DRadioChoice(QWidget* parent) : DNamedField(parent) { BuildDialog(*this, kRadioChoiceTemplate); }
CItem* DRadioChoice::NamedItem() const { return m_pItem; }

void DRadioChoice::DoDataExchange(CDataExchange* pDX)
{
    CRadioChoiceItem& item = *m_pItem;
    DDX_TextLines(pDX, 1000, item.m_strText);
    DDX_Text(pDX, 1017, item.m_strName);
    DDX_Text(pDX, 1002, item.m_nRowSpacing);
    DDX_Check(pDX, 1001, item.m_bDefaultChecked);
    DDX_Text(pDX, 1004, item.m_nDefault);
    DDX_Check(pDX, 1202, item.m_bRequired);
    DDX_TextW(pDX, 1003, item.m_strRequiredMessage);
    DDX_Check(pDX, 1005, item.m_bRawText);
}

// ---- DTextAreaField

DTextAreaField::DTextAreaField(QWidget* parent) : DNamedField(parent) { BuildDialog(*this, kTextAreaFieldTemplate); }
CItem* DTextAreaField::NamedItem() const { return m_pItem; }

void DTextAreaField::DoDataExchange(CDataExchange* pDX)
{
    CTextAreaItem& item = *m_pItem;
    DDX_TextLines(pDX, 1000, item.m_strText);
    DDX_Text(pDX, 1017, item.m_strName);
    DDX_TextW(pDX, 1005, item.m_wstrPlaceholder);
    DDX_TextW(pDX, 1006, item.m_strTitle);
    DDX_Check(pDX, 1001, item.m_bRequired);
    DDX_TextW(pDX, 1003, item.m_strRequiredMessage);
    DDX_Text(pDX, 1007, item.m_nMaxLength);
    DDX_Text(pDX, 1008, item.m_nMinLength);
    DDX_TextW(pDX, 1306, item.m_strRuleMessage);
}
