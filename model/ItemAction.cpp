#include "model/ItemAction.h"
#include "model/Escaping.h"
#include "framework/core/CArchive.h"
#include "framework/core/Exceptions.h"
#include "model/HtmlWriting.h"
#include <cstdlib>

namespace {

const char* Pick(const char* const* rows, int count, int value)
{
    return value >= 0 && value < count ? rows[value] : nullptr;
}

} // namespace

void CActionStep::GetScript(CString& out) const
{
    // the target is an item's name: its element carries the id made from it
    const CString id = "document.getElementById('" + EscapeJsString(HtmlIdOfName(m_strTarget)) + "')";
    const char* el = id.GetString();
    CString s;
    switch (m_nKind) {
    case kStepShow: s.Format("%s.style.visibility = 'visible';", el); break;
    case kStepHide: s.Format("%s.style.visibility = 'hidden';", el); break;
    case kStepTextColor: s.Format("%s.style.color = '%s';", el, ColorToHtml(COLORREF(m_nValue)).GetString()); break;
    case kStepFontName: s.Format("%s.style.fontFamily = '%s';", el, EscapeJsString(m_strName).GetString()); break;
    case kStepFontSize: s.Format("%s.style.fontSize = '%dpt';", el, m_nValue); break;
    case kStepBold:
        if (m_nValue == 0)
            s.Format("if(%s.style.fontWeight != 'bold') %s.style.fontWeight = 'bold'; else %s.style.fontWeight = 'normal';", el, el, el);
        else if (m_nValue == 1)
            s.Format("%s.style.fontWeight = 'bold';", el);
        else if (m_nValue == 2)
            s.Format("%s.style.fontWeight = 'normal';", el);
        break;
    case kStepItalic:
        if (m_nValue == 0)
            s.Format("if(%s.style.fontStyle != 'italic') %s.style.fontStyle = 'italic'; else %s.style.fontStyle = 'normal';", el, el, el);
        else if (m_nValue == 1)
            s.Format("%s.style.fontStyle = 'italic';", el);
        else if (m_nValue == 2)
            s.Format("%s.style.fontStyle = 'normal';", el);
        break;
    case kStepLetterSpacing: s.Format("%s.style.letterSpacing = '%dpx';", el, m_nValue); break;
    case kStepTextAlign: {
        static const char* const rows[] = {"left", "center", "right", "justify"};
        if (const char* v = Pick(rows, 4, m_nValue))
            s.Format("%s.style.textAlign = '%s';", el, v);
        break;
    }
    case kStepDecoration: {
        static const char* const rows[] = {"none", "underline", "line-through", "overline"};
        if (const char* v = Pick(rows, 4, m_nValue))
            s.Format("%s.style.textDecoration = '%s';", el, v);
        break;
    }
    case kStepToFront: s.Format("%s.style.zIndex = '%d';", el, m_nValue); break;
    case kStepToBack:
        // Always at or below zero, written with one sign.
        s.Format("%s.style.zIndex = '%lld';", el, -std::llabs((long long)m_nValue));
        break;
    case kStepCursor: {
        static const char* const rows[] = {"auto", "default", "text", "pointer", "move", "wait", "help"};
        if (const char* v = Pick(rows, 7, m_nValue))
            s.Format("%s.style.cursor = '%s';", el, v);
        break;
    }
    case kStepBackgroundColor:
        s.Format("%s.style.backgroundColor = '%s';", el, ColorToHtml(COLORREF(m_nValue)).GetString());
        break;
    case kStepBorderColor: s.Format("%s.style.borderColor = '%s';", el, ColorToHtml(COLORREF(m_nValue)).GetString()); break;
    case kStepBorderWidth: s.Format("%s.style.borderWidth = '%dpx';", el, m_nValue); break;
    case kStepChangeText:
    case kStepChangeValue: {
        CString text;
        m_wstrText.ToUtf8(text);
        s.Format(m_nKind == kStepChangeText ? "%s.innerHTML = '%s';" : "%s.value = '%s';", el, EscapeJsString(text).GetString());
        break;
    }
    case kStepMove: s.Format("%s.style.left = '%dpx';%s.style.top = '%dpx';", el, m_nValue, el, m_nValue2); break;
    case kStepResize: s.Format("%s.style.width = '%dpx';%s.style.height = '%dpx';", el, m_nValue, el, m_nValue2); break;
    case kStepCheckBox:
        if (m_nValue == 0)
            s.Format("if(%s.checked) %s.checked = false; else %s.checked = true; ", el, el, el);
        else if (m_nValue == 1)
            s.Format("%s.checked = true;", el);
        else if (m_nValue == 2)
            s.Format("%s.checked = false;", el);
        break;
    case kStepSubmit: s.Format("%s.submit();", el); break;
    case kStepOpenAddress: s.Format("window.location.replace('%s');", EscapeJsString(m_strName).GetString()); break;
    case kStepClick: s.Format("%s.click();", el); break;
    case kStepFocus: s.Format("%s.focus();", el); break;
    case kStepBlur: s.Format("%s.blur();", el); break;
    case kStepEnable: s.Format("%s.disabled = false;", el); break;
    case kStepDisable: s.Format("%s.disabled = true;", el); break;
    case kStepSelect: s.Format("%s.select();", el); break;
    default: break;
    }
    if (!m_strCondition.IsEmpty())
        out.AppendFormat("if(%s) { %s }", m_strCondition.GetString(), s.GetString());
    else
        out += s;
    out += "\r\n";
}

CItemAction& CItemAction::operator=(const CItemAction& other)
{
    if (this == &other)
        return *this;
    RemoveAllSteps();
    m_wstrScript = other.m_wstrScript;
    for (const auto& step : other.m_steps)
        m_steps.push_back(std::make_unique<CActionStep>(*step));
    return *this;
}

void CItemAction::GetScript(CString& out) const
{
    for (const auto& step : m_steps)
        step->GetScript(out);
    CString script;
    m_wstrScript.ToUtf8(script);
    out += script;
}

namespace {
// The fewest bytes one stored step takes: empty text, nine numbers, two empty strings.
constexpr std::uint64_t kMinStepBytes = 4 + 8 * 4 + 1 + 1;
}

void CItemAction::Serialize(CArchive& ar, int /*version*/)
{
    if (ar.IsStoring()) {
        m_wstrScript.Serialize(ar);
        ar << std::int32_t(m_steps.size());
        for (auto& step : m_steps) {
            step->m_wstrText.Serialize(ar);
            ar << step->m_nKind << step->m_nValue << step->m_nValue2 << step->m_nValue3 << step->m_nValue4
               << step->m_strName << step->m_strTarget << step->m_nValue6 << step->m_nValue5;
        }
        return;
    }
    RemoveAllSteps();
    m_wstrScript.Serialize(ar);
    std::int32_t count = 0;
    ar >> count;
    if (count < 0)
        AfxThrowArchiveException(CArchiveException::badIndex, ar.m_strFileName);
    ar.CheckCount(count, kMinStepBytes);
    m_steps.reserve(size_t(count));
    for (std::int32_t i = 0; i < count; ++i) {
        auto step = std::make_unique<CActionStep>();
        step->m_wstrText.Serialize(ar);
        ar >> step->m_nKind >> step->m_nValue >> step->m_nValue2 >> step->m_nValue3 >> step->m_nValue4 >> step->m_strName
            >> step->m_strTarget >> step->m_nValue6 >> step->m_nValue5;
        m_steps.push_back(std::move(step));
    }
}

void CItemAction::SerializeExtra(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << std::int32_t(m_steps.size());
        for (auto& step : m_steps)
            ar << step->m_strCondition;
        return;
    }
    std::int32_t count = 0;
    ar >> count;
    if (count < 0)
        AfxThrowArchiveException(CArchiveException::badIndex, ar.m_strFileName);
    ar.CheckCount(count, 1);
    for (std::int32_t i = 0; i < count; ++i) {
        CString condition;
        ar >> condition;
        // Extras for steps the body did not hold are read and dropped.
        if (i < GetStepCount())
            m_steps[size_t(i)]->m_strCondition = condition;
    }
}
