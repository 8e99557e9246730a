// Dialog data exchange: one DoDataExchange per dialog moves members into controls
// (loading) or back with validation (saving). A refused value shows the framework's
// message, puts the focus on the control and abandons the exchange.
#pragma once
#include "framework/core/CString.h"
#include "framework/core/Types.h"

#include <string>

class CDialog;
class QWidget;
class QString;

// Thrown to abandon an exchange after the user was told why.
class CUserException {};

class CDataExchange {
public:
    CDataExchange(CDialog* dialog, BOOL saveAndValidate) : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

    BOOL m_bSaveAndValidate;
    CDialog* m_pDlgWnd;

    // The control with that id; a missing id is a programming error and fails the exchange.
    QWidget* PrepareCtrl(int id);
    QWidget* PrepareEditCtrl(int id);
    // A control of the wrong kind, or one without text, for an exchange: a programming
    // error, reported as a missing id is, and the exchange is abandoned.
    [[noreturn]] void FailControl(int id, const char* problem);
    // Focus on the last prepared control (its text selected when an edit), then throw.
    [[noreturn]] void Fail();

    int m_idLastControl = 0;
    bool m_bEditLastControl = false;
};

// Whole-text number parsing (blanks around allowed), in the C locale.
bool ParseInt(const CString& text, int& value);
bool ParseUInt(const CString& text, unsigned& value);
bool ParseDouble(const CString& text, double& value);

void DDX_Text(CDataExchange* pDX, int id, CString& value);
void DDX_Text(CDataExchange* pDX, int id, QString& value);
void DDX_Text(CDataExchange* pDX, int id, std::u16string& value);
void DDX_Text(CDataExchange* pDX, int id, int& value);
void DDX_Text(CDataExchange* pDX, int id, unsigned& value);
void DDX_Text(CDataExchange* pDX, int id, double& value);
void DDX_Text(CDataExchange* pDX, int id, float& value);
// Sizes and amounts: 0 shows as an empty field and an empty field stores 0.
void DDX_TextBlankZero(CDataExchange* pDX, int id, int& value);
void DDX_TextBlankZero(CDataExchange* pDX, int id, double& value);
// Check box state: 0, 1, or 2 for the third state.
void DDX_Check(CDataExchange* pDX, int id, int& value);
// Index of the checked button in the radio group that starts at id, -1 when none.
void DDX_Radio(CDataExchange* pDX, int id, int& value);
// Combo box selection index (-1 none), or text (loading selects the first entry that
// starts with the text, or puts the text into an editable box).
void DDX_CBIndex(CDataExchange* pDX, int id, int& value);
void DDX_CBString(CDataExchange* pDX, int id, CString& value);
void DDX_CBStringExact(CDataExchange* pDX, int id, CString& value);
void DDX_LBIndex(CDataExchange* pDX, int id, int& value);
void DDX_LBString(CDataExchange* pDX, int id, CString& value);
void DDX_Slider(CDataExchange* pDX, int id, int& value);

// Ranges, checked when saving, against the control exchanged just before.
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minValue, int maxValue);
void DDV_MinMaxUInt(CDataExchange* pDX, unsigned value, unsigned minValue, unsigned maxValue);
void DDV_MinMaxDouble(CDataExchange* pDX, double value, double minValue, double maxValue);
// Saving refuses longer texts; loading limits the edit control to maxChars.
void DDV_MaxChars(CDataExchange* pDX, const CString& value, int maxChars);

// Wide text of an edit control, for any string type with ToQString and SetQString.
// Reading takes at most 655000 units, the size of the shared buffer it always had.
template <class WideString> void DDX_TextW(CDataExchange* pDX, int id, WideString& value)
{
    QString text;
    if (!pDX->m_bSaveAndValidate)
        text = value.ToQString();
    DDX_Text(pDX, id, text);
    if (pDX->m_bSaveAndValidate)
        value.SetQString(text.left(655000));
}
