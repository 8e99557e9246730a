#include "model/items/InputFieldItem.h"

#include "model/Escaping.h"
#include "model/SiteObject.h"
#include "framework/core/CArchive.h"
#include "framework/core/Dc.h"
#include "model/PageOutput.h"

#include <string>

using archive_io::Io;

namespace {

// One character of a set as it stands inside a bracket expression of a pattern that is
// itself a script string: the pattern's own metacharacters are escaped first.
CString BracketChar(const CString& utf8)
{
    if (utf8 == "\\" || utf8 == "]" || utf8 == "[" || utf8 == "^" || utf8 == "-")
        return "\\" + utf8;
    return utf8;
}

// The characters of a wide text as UTF-8 pieces, a surrogate pair kept whole.
std::vector<CString> Characters(const CWString& text)
{
    std::vector<CString> out;
    const char16_t* p = text.GetBuffer();
    const int n = text.GetLength();
    for (int i = 0; i < n; ++i) {
        CWString one;
        one.SetText(u"");
        one.AppendChar(p[i]);
        if (p[i] >= 0xD800 && p[i] < 0xDC00 && i + 1 < n && p[i + 1] >= 0xDC00 && p[i + 1] < 0xE000)
            one.AppendChar(p[++i]);
        out.push_back(one.GetUtf8());
    }
    return out;
}

CString BracketSet(const CWString& text)
{
    CString s;
    for (const CString& c : Characters(text))
        s += BracketChar(c);
    return s;
}

} // namespace

void CInputFieldItem::Serialize(CArchive& ar, int version)
{
    CFormFieldItem::Serialize(ar, version);
    const bool store = ar.IsStoring();
    m_strRequiredChars.Serialize(ar);
    m_strForbiddenChars.Serialize(ar);
    m_strAllowedChars.Serialize(ar);
    Io(ar, m_nMaxLength);
    Io(ar, m_nMinLength);
    if (store || version >= 86) {
        Io(ar, m_bReadOnly);
        Io(ar, m_nFlag1);
        Io(ar, m_nFlag2);
    }
    if (store || version >= 88) {
        Io(ar, m_nInputType);
        Io(ar, m_nWidthSetting);
    }
    if (store || version >= 90)
        m_wstrPlaceholder.Serialize(ar);
}

void CInputFieldItem::WriteHtml(CPageOutput& out)
{
    CItem::WriteHtml(out);
    WriteTextBoxStyle(out);
    out.Append("<input");
    static const char* const kTypes[3] = {"text", "password", "date"};
    if (m_nInputType >= 0 && m_nInputType < 3)
        out.AppendAttributeSz("type", kTypes[m_nInputType]);
    out.AppendAttribute("name", GetFieldName());
    WriteIdClassTitle(out);
    if (!m_strText.IsEmpty()) {
        // a one-line field holds no line break: the browser strips them, and a value
        // that carries them is invalid markup, so they are left out here already
        CString value;
        m_strText.ToUtf8(value);
        std::string oneLine = value.GetString();
        std::erase_if(oneLine, [](char c) { return c == '\r' || c == '\n'; });
        out.AppendAttributeSz("value", oneLine.c_str());
    }
    if (!m_wstrPlaceholder.IsEmpty())
        out.AppendAttributeW("placeholder", m_wstrPlaceholder);
    if (m_nMaxLength > 0)
        out.AppendAttributeInt("maxlength", m_nMaxLength);
    if (m_nTabIndex > 0)
        out.AppendAttributeInt("tabindex", m_nTabIndex);
    if (m_bReadOnly > 0)
        out.AppendAttributeSz("readonly", "readonly");
    const CString style = GetStyle();
    if (!style.IsEmpty())
        out.AppendAttribute("style", style);
    WriteEventAttributes(out);
    out.Append(">");
    WriteParagraphEnd(out);
    out.AppendLine();
}

void CInputFieldItem::WriteValidationScript(CString& script)
{
    const CString ref = FormElementRef(GetFieldName());
    const CString value = "form" + ref + ".value";
    WriteLengthRules(script, ref);
    if (!m_strForbiddenChars.IsEmpty())
        script += Statement(value + ".search('[" + EscapeJsString(BracketSet(m_strForbiddenChars)) + "]')>=0",
            ScriptMessage(m_strRuleMessage, "This field must not contain characters: " + m_strForbiddenChars.GetUtf8()), ref);
    if (!m_strAllowedChars.IsEmpty())
        script += Statement(value + ".search('[^" + EscapeJsString(BracketSet(m_strAllowedChars)) + "]')>=0",
            ScriptMessage(m_strRuleMessage, "This field must contain only characters: " + m_strAllowedChars.GetUtf8()), ref);
    for (const CString& c : Characters(m_strRequiredChars))
        script += Statement(value + ".search('[" + EscapeJsString(BracketChar(c)) + "]')<0",
            ScriptMessage(m_strRuleMessage, "This field must contain characters: " + c), ref);
}

void CInputFieldItem::RecalcLayout()
{
    CItem::RecalcLayout();
    m_nLineHeight = MeasureLineHeight();
    m_nHeight = m_nLineHeight + m_nInset[SIDE_TOP] + m_nInset[SIDE_BOTTOM];
}

void CInputFieldItem::Draw(CDC* dc)
{
    if (!dc)
        return;
    CFont font;
    const int saved = BeginFieldPaint(dc, font);
    const int x = m_nInset[SIDE_LEFT], y = m_nInset[SIDE_TOP];
    if (m_nInputType == 1) {
        dc->TextOut(x, y, CString("****"));
    } else if (m_nInputType == 2) {
        dc->TextOut(x, y, CString("dd/mm/yyyy"));
    } else if (!m_strText.IsEmpty()) {
        dc->TextOutW(x, y, m_strText.GetBuffer(), m_strText.GetLength());
    } else if (!m_wstrPlaceholder.IsEmpty()) {
        dc->SetTextColor(0x808080);
        dc->TextOutW(x, y, m_wstrPlaceholder.GetBuffer(), m_wstrPlaceholder.GetLength());
    } else {
        dc->TextOut(x, y, m_strName);
    }
    dc->RestoreDC(saved);
}
