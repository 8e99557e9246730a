// Base of the form controls: messages, option lines and the required flag.
#pragma once
#include "model/Item.h"
#include "model/ItemTypes.h"
#include <vector>

class CFont;

// The lines of a text: control characters other than line feeds are dropped, every line
// feed starts a new line; an empty text has no lines.
std::vector<CWString> SplitFormLines(const CWString& text);
// A line read as label "=" value; a line without "=" is both.
void SplitLabelValue(const CWString& line, CWString& label, CWString& value);
// A name as a JavaScript identifier: every character other than letters, digits, "_" and
// "$" becomes "_", and a leading digit gets a "_" before it.
CString ScriptIdentifier(const CString& name);
// A form element reference after "form": ".name" when the name is an identifier, else
// "['name']" as a script string.
CString FormElementRef(const CString& name);

class CFormFieldItem : public CItem {
public:
    CFormFieldItem()
    {
        m_bPositioned = 1;
        m_bInclude = 1;
    }
    void Serialize(CArchive& ar, int version) override;
    // Whether the field must be filled in before the form is sent.
    virtual int IsRequired() { return m_bRequired; }
    // Appends the field's validation statements.
    virtual void WriteValidationScript(CString& script);

    // The name the control is posted under (and its id): the HTML name, or the item's
    // generated id when it has none.
    CString GetFieldName() const { return GetHtmlId(); }
    // The rule message, or the default when empty, as the inside of a script string.
    static CString ScriptMessage(const CWString& message, const CString& fallback);
    // One statement of the form "if(<test>) { alert('<msg>'); form<ref>.focus(); return false; }".
    static CString Statement(const CString& test, const CString& message, const CString& focusRef);

    CWString m_strRuleMessage;
    CWString m_strRequiredMessage;
    std::vector<CWString> m_optionLines;
    int m_bRequired = 0;
    int m_nLineHeight = 0;
    // Length limits of the text fields (recorded by those that have them).
    int m_nMaxLength = 0;
    int m_nMinLength = 0;

protected:
    // The two rules text fields share: required, and the minimum length.
    void WriteLengthRules(CString& script, const CString& ref);
    // Paint start of every field: the item's background and borders, then its font,
    // transparent text in the painted text colour. Returns the saved state for RestoreDC.
    int BeginFieldPaint(CDC* dc, CFont& font);
    void RebuildOptionLines() { m_optionLines = SplitFormLines(m_strText); }
    // Measures one text line of the item font (after the base layout built it).
    int MeasureLineHeight();
};
