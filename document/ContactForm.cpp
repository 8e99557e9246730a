// The ready-made contact form of Form/New Form and the Website Wizard.
#include "document/ContactForm.h"

#include "document/KJDoc.h"
#include "model/items/DatePickerItem.h"
#include "model/items/FormItem.h"
#include "model/items/InputFieldItem.h"
#include "model/items/ListControlItem.h"
#include "model/items/RadioChoiceItem.h"
#include "model/items/SubmitButtonItem.h"
#include "model/items/TextAreaItem.h"
#include "model/items/TextItem.h"

namespace {
const char* const kCountries[] = {
    "Afghanistan", "Albania", "Algeria", "Andorra", "Angola", "Antigua and Barbuda", "Argentina", "Armenia",
    "Australia", "Austria", "Azerbaijan", "Bahamas", "Bahrain", "Bangladesh", "Barbados", "Belarus", "Belgium",
    "Belize", "Benin", "Bhutan", "Bolivia", "Bosnia and Herzegovina", "Botswana", "Brazil", "Brunei", "Bulgaria",
    "Burkina Faso", "Burma", "Burundi", "Cambodia", "Cameroon", "Canada", "Cape Verde", "Central African Republic",
    "Chad", "Chile", "China", "Colombia", "Comoros", "Congo", "Congo (Democratic Republic)", "Costa Rica",
    "Cote d'Ivoire", "Croatia", "Cuba", "Cyprus", "Czech Republic", "Denmark", "Djibouti", "Dominica",
    "Dominican Republic", "East Timor", "Ecuador", "Egypt", "El Salvador", "Equatorial Guinea", "Eritrea",
    "Estonia", "Ethiopia", "Fiji", "Finland", "France", "Gabon", "Gambia", "Georgia", "Germany", "Ghana", "Greece",
    "Grenada", "Guatemala", "Guinea", "Guinea-Bissau", "Guyana", "Haiti", "Holy See", "Honduras", "Hong Kong",
    "Hungary", "Iceland", "India", "Indonesia", "Iran", "Iraq", "Ireland", "Israel", "Italy", "Jamaica", "Japan",
    "Jordan", "Kazakhstan", "Kenya", "Kiribati", "Korea, North", "Korea, South", "Kosovo", "Kuwait", "Kyrgyzstan",
    "Laos", "Latvia", "Lebanon", "Lesotho", "Liberia", "Libya", "Liechtenstein", "Lithuania", "Luxembourg",
    "Macau", "Macedonia", "Madagascar", "Malawi", "Malaysia", "Maldives", "Mali", "Malta", "Marshall Islands",
    "Mauritania", "Mauritius", "Mexico", "Micronesia", "Moldova", "Monaco", "Mongolia", "Montenegro", "Morocco",
    "Mozambique", "Namibia", "Nauru", "Nepal", "Netherlands", "Netherlands Antilles", "New Zealand", "Nicaragua",
    "Niger", "Nigeria", "Norway", "Oman", "Pakistan", "Palau", "Palestinian Territories", "Panama",
    "Papua New Guinea", "Paraguay", "Peru", "Philippines", "Poland", "Portugal", "Qatar", "Romania", "Russia",
    "Rwanda", "Saint Kitts and Nevis", "Saint Lucia", "Saint Vincent and the Grenadines", "Samoa", "San Marino",
    "Sao Tome and Principe", "Saudi Arabia", "Senegal", "Serbia", "Seychelles", "Sierra Leone", "Singapore",
    "Slovakia", "Slovenia", "Solomon Islands", "Somalia", "South Africa", "Spain", "Sri Lanka", "Sudan",
    "Suriname", "Swaziland", "Sweden", "Switzerland", "Syria", "Taiwan", "Tajikistan", "Tanzania", "Thailand",
    "Timor-Leste", "Togo", "Tonga", "Trinidad and Tobago", "Tunisia", "Turkey", "Turkmenistan", "Tuvalu",
    "Uganda", "Ukraine", "United Arab Emirates", "United Kingdom", "United States", "Uruguay", "Uzbekistan",
    "Vanuatu", "Venezuela", "Vietnam", "Yemen", "Zambia", "Zimbabwe",
};
static_assert(sizeof kCountries / sizeof kCountries[0] == 200);

enum RowKind { kInput, kList, kDate, kRadio, kArea };

struct Row {
    int flag;            // index in the options
    const char* label;   // null: no label
    RowKind kind;
    const char* suffix;  // after the form's name
    int width;
    const char* reminder;
    int step;            // how far the next row starts below
};

// In the order the rows are laid out (not the order of the options).
const Row kRows[] = {
    {1, "First Name:", kInput, "First_Name", 180, "Enter your first name.", 40},
    {2, "Last Name:", kInput, "Last_Name", 180, "Enter your last name.", 40},
    {5, "Company:", kInput, "Company", 180, "Enter company name.", 40},
    {3, "Email:", kInput, "Email", 180, "Enter your email.", 40},
    {4, "Address:", kInput, "Address", 200, "Enter street and house number.", 40},
    {10, "ZIP:", kInput, "ZIP", 80, "Enter ZIP code.", 40},
    {9, "City:", kInput, "City", 200, "Enter city.", 40},
    {6, "Phone:", kInput, "Phone", 150, "Enter your phone.", 40},
    {7, "Fax:", kInput, "Fax", 150, "Enter your fax.", 40},
    {8, "Country:", kList, "Country", 180, "Choose your country.", 40},
    {11, "Date:", kDate, "Date", 180, nullptr, 40},
    {12, "Time:", kList, "Time", 80, nullptr, 40},
    {15, "Custom Option:", kList, "CustomOption", 180, nullptr, 40},
    {14, nullptr, kRadio, "RadioOption", 180, nullptr, 100},
    {13, "Comments:", kArea, "Comments", 350, nullptr, 140},
};

CString OptionLines(const char* const* entries, size_t count, bool emptyFirst)
{
    CString text;
    if (emptyFirst)
        text += "\r\n";
    for (size_t i = 0; i < count; ++i) {
        if (i)
            text += "\r\n";
        text += entries[i];
    }
    return text;
}
} // namespace

std::vector<CString> ContactFormCountries() { return {std::begin(kCountries), std::end(kCountries)}; }

CFormItem* CKJDoc::BuildContactForm(std::array<std::int32_t, 16> options)
{
    auto* form = new CFormItem();
    form->SetSiteStyles(&m_styles);
    form->m_nWidth = 400;
    form->m_nHeight = 400;
    form->m_strName = TakeItemName("Form%d");
    const CString& name = form->m_strName;
    int y = 20;
    for (const Row& row : kRows) {
        if (!options[size_t(row.flag)])
            continue;
        const bool comments = row.kind == kArea;
        if (row.label) {
            auto* label = new CTextItem();
            label->m_pBaseStyle = &m_styles.m_base;
            label->m_strText = row.label;
            if (!comments)
                label->m_nTextAlign = 1;
            label->m_nX = comments ? 25 : 20;
            label->RecalcLayout();
            label->m_nWidth = 145;
            label->m_nWidthMode = 0;
            label->m_nY = y + 2;
            form->AddChild(label);
        }
        CFormFieldItem* field = nullptr;
        switch (row.kind) {
        case kInput: {
            auto* input = new CInputFieldItem();
            input->m_pBaseStyle = &m_styles.m_styles[7];
            if (row.flag == 3) {
                input->m_strRequiredChars = "@.";
                input->m_strRuleMessage = "Enter valid email.";
            }
            if (row.flag == 10)
                input->m_nMaxLength = 5;
            field = input;
            break;
        }
        case kList: {
            auto* list = new CListControlItem();
            list->m_pBaseStyle = &m_styles.m_styles[10];
            if (row.flag == 8) {
                list->m_strText = OptionLines(kCountries, std::size(kCountries), true).GetString();
            } else if (row.flag == 12) {
                static const char* const kHours[] = {"9:00", "10:00", "11:00", "12:00", "13:00",
                                                     "14:00", "15:00", "16:00", "17:00", "18:00"};
                list->m_strText = OptionLines(kHours, std::size(kHours), false).GetString();
            } else {
                static const char* const kOptions[] = {"Option 1", "Option 2", "Option 3", "Option 4"};
                list->m_strText = OptionLines(kOptions, 4, false).GetString();
            }
            field = list;
            break;
        }
        case kDate: {
            auto* date = new CDatePickerItem();
            date->m_pBaseStyle = &m_styles.m_styles[10];
            field = date;
            break;
        }
        case kRadio: {
            auto* radio = new CRadioChoiceItem();
            radio->m_pBaseStyle = &m_styles.m_base;
            static const char* const kOptions[] = {"Option 1", "Option 2", "Option 3"};
            radio->m_strText = OptionLines(kOptions, 3, false).GetString();
            field = radio;
            break;
        }
        case kArea: {
            auto* area = new CTextAreaItem();
            area->m_pBaseStyle = &m_styles.m_styles[8];
            area->m_nHeight = 100;
            field = area;
            break;
        }
        }
        field->m_nWidth = row.width;
        field->m_nWidthMode = 0;
        field->m_strName = name + row.suffix;
        if (row.reminder)
            field->m_strRequiredMessage = row.reminder;
        field->m_nX = comments ? 25 : 180;
        field->m_nY = comments ? y + 25 : y;
        field->RecalcLayout();
        form->AddChild(field);
        y += row.step;
    }
    y += 70;
    if (form->m_nHeight < y)
        form->m_nHeight = y;

    auto* button = new CSubmitButtonItem();
    button->m_pBaseStyle = &m_styles.m_styles[9];
    button->m_nWidth = 100;
    button->m_nHeight = 30;
    button->m_strName = name + "Submit";
    button->m_strText = "OK";
    button->RecalcLayout();
    form->AddChild(button);
    form->RecalcLayout();
    button->m_nX = (form->m_nWidth - 100) / 2;
    button->m_nY = form->m_nHeight - 60;
    return form;
}
