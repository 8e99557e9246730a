#include "model/items/FormFieldItem.h"
#include "model/Escaping.h"
#include "model/SiteObject.h"
#include "framework/core/CArchive.h"
#include "framework/core/Dc.h"
#include "model/ItemAction.h"
#include "model/TextRuns.h"
#include <cstdlib>

using archive_io::Io;

std::vector<CWString> SplitFormLines(const CWString& text)
{
    std::vector<CWString> lines;
    const int n = text.GetLength();
    if (n == 0)
        return lines;
    lines.emplace_back();
    lines.back().SetText(u"");
    const char16_t* p = text.GetBuffer();
    for (int i = 0; i < n; ++i) {
        const char16_t c = p[i];
        if (c == u'\n') {
            lines.emplace_back();
            lines.back().SetText(u"");
        } else if (c >= 32) {
            lines.back().AppendChar(c);
        }
    }
    return lines;
}

void SplitLabelValue(const CWString& line, CWString& label, CWString& value)
{
    const int n = line.GetLength();
    const int eq = line.Find(u'=');
    label.SetText(u"");
    value.SetText(u"");
    if (eq < 0) {
        label = line;
        value = line;
        return;
    }
    const char16_t* p = line.GetBuffer();
    for (int i = 0; i < eq; ++i)
        label.AppendChar(p[i]);
    for (int i = eq + 1; i < n; ++i)
        value.AppendChar(p[i]);
}

namespace {

bool IsIdentChar(unsigned char c, bool first)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == '$' || (!first && c >= '0' && c <= '9');
}

} // namespace

CString ScriptIdentifier(const CString& name)
{
    CString out;
    const char* s = name.GetString();
    if (!*s || (*s >= '0' && *s <= '9'))
        out += '_';
    for (const char* p = s; *p; ++p)
        out += IsIdentChar((unsigned char)*p, false) ? *p : '_';
    return out;
}

CString FormElementRef(const CString& name)
{
    const char* s = name.GetString();
    bool ident = *s != 0;
    for (const char* p = s; *p && ident; ++p)
        ident = IsIdentChar((unsigned char)*p, p == s);
    if (ident)
        return "." + name;
    return "['" + EscapeJsString(s) + "']";
}

void CFormFieldItem::Serialize(CArchive& ar, int version)
{
    CItem::Serialize(ar, version);
    m_strRuleMessage.Serialize(ar);
    m_strRequiredMessage.Serialize(ar);
    Io(ar, m_bRequired);
}

void CFormFieldItem::WriteValidationScript(CString& /*script*/)
{
}

CString CFormFieldItem::ScriptMessage(const CWString& message, const CString& fallback)
{
    return EscapeJsString(message.IsEmpty() ? fallback.GetString() : message.GetUtf8().GetString());
}

CString CFormFieldItem::Statement(const CString& test, const CString& message, const CString& focusRef)
{
    return "if(" + test + ") { alert('" + message + "'); form" + focusRef + ".focus(); return false; }";
}

int CFormFieldItem::MeasureLineHeight()
{
    if (!CanLayOutText())
        return std::abs(int(m_lfText->lfHeight)) > 0 ? std::abs(int(m_lfText->lfHeight)) : 16;
    CDC dc;
    CFont font;
    font.CreateFontIndirect(m_lfText.Get());
    CFont* old = dc.SelectObject(&font);
    const int h = dc.GetTextExtent(CString("Ag")).cy;
    if (old)
        dc.SelectObject(old);
    return h;
}

void CFormFieldItem::WriteLengthRules(CString& script, const CString& ref)
{
    const CString value = "form" + ref + ".value";
    if (m_bRequired)
        script += Statement(value + ".length==0", ScriptMessage(m_strRequiredMessage, "This field is required."), ref);
    if (m_nMinLength != 0)
        script += Statement(value + CString::Formatted(".length<%d", m_nMinLength),
            ScriptMessage(m_strRuleMessage, CString::Formatted("This field must have at least %d characters.", m_nMinLength)), ref);
}

int CFormFieldItem::BeginFieldPaint(CDC* dc, CFont& font)
{
    CItem::Draw(dc);
    const int saved = dc->SaveDC();
    font.CreateFontIndirect(m_lfText.Get());
    dc->SelectObject(&font);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(m_crLayoutText & 0xFFFFFF);
    return saved;
}
