// The JavaScript behaviour of one browser event of an item: simple steps chosen in the
// designer plus free script text.
#pragma once
#include "framework/core/CString.h"
#include "model/WString.h"
#include <memory>
#include <vector>

class CArchive;

enum ActionStepKind {
    kStepShow = 0, kStepHide, kStepTextColor, kStepFontName, kStepFontSize, kStepBold,
    kStepItalic, kStepLetterSpacing, kStepTextAlign, kStepDecoration, kStepToFront,
    kStepToBack, kStepCursor, kStepBackgroundColor, kStepBorderColor, kStepBorderWidth,
    kStepChangeText, kStepChangeValue, kStepMove, kStepResize, kStepCheckBox, kStepSubmit,
    kStepOpenAddress, kStepClick, kStepFocus, kStepBlur, kStepEnable, kStepDisable,
    kStepSelect,
    kStepKindCount
};

class CActionStep {
public:
    CActionStep() = default;
    // Appends one statement (wrapped in "if(condition) { }" when there is a condition)
    // and CR LF. Texts go into JavaScript strings escaped.
    void GetScript(CString& out) const;

    std::int32_t m_nKind = kStepShow;
    CString m_strTarget;   // HTML id of the item acted on
    std::int32_t m_nValue = 0;
    std::int32_t m_nValue2 = 0;
    std::int32_t m_nValue3 = 0; // stored, not used by scripts
    std::int32_t m_nValue4 = 0; // stored, not used by scripts
    std::int32_t m_nValue5 = 0; // stored, not used by scripts
    CString m_strName;     // font family or address
    CWString m_wstrText;   // new content for change text / change value
    std::int32_t m_nValue6 = 0; // stored, not used by scripts
    CString m_strCondition; // JavaScript condition; empty = always
};

class CItemAction {
public:
    CItemAction() = default;
    CItemAction(const CItemAction& other) { *this = other; }
    CItemAction& operator=(const CItemAction& other);
    ~CItemAction() = default;

    void RemoveAllSteps() { m_steps.clear(); }
    void Serialize(CArchive& ar, int version);
    // Values the 9.2 project layout has no place for (each step's condition). The
    // document calls it for every action, in the order the body wrote them, inside the
    // extension section; a file without the section simply never calls it on load.
    void SerializeExtra(CArchive& ar);

    // The handler text: every step's script, then the user's script as UTF-8. This is
    // JavaScript, not yet HTML: write it into an attribute with CPageOutput::AppendAttribute
    // (or HtmlAttributeEscape), which turns its '"' and '&' into references.
    void GetScript(CString& out) const;

    bool IsEmpty() const { return m_steps.empty() && m_wstrScript.GetLength() == 0; }
    int GetStepCount() const { return int(m_steps.size()); }
    CActionStep& GetStep(int index) { return *m_steps[size_t(index)]; }
    const CActionStep& GetStep(int index) const { return *m_steps[size_t(index)]; }
    CActionStep& AddStep() { m_steps.push_back(std::make_unique<CActionStep>()); return *m_steps.back(); }
    void RemoveStep(int index) { m_steps.erase(m_steps.begin() + index); }

    CWString m_wstrScript;

private:
    std::vector<std::unique_ptr<CActionStep>> m_steps;
};

