#include "dialogs/ActionDialogs.h"

#include "controls/ColorControl.h"
#include "document/KJDoc.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/Translation.h"
#include "model/GroupItem.h"
#include "model/HtmlWriting.h"
#include "model/Item.h"
#include "model/ItemAction.h"
#include "model/ItemTypes.h"

#include <QtWidgets/QComboBox>
#include <cstdlib>
#include <unordered_set>

namespace {
const DlgControl kActionControls[] = {
    {IDC_STATIC, DlgKind::Static, "Current actions:", nullptr, 0},
    {1078, DlgKind::Custom, nullptr, nullptr, 0},
    {1025, DlgKind::Button, "add", nullptr, 0},
    {1026, DlgKind::Button, "delete", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "JavaScript:", nullptr, 0},
    {1000, DlgKind::MultiEdit, nullptr, nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kAddActionControls[] = {
    {IDC_STATIC, DlgKind::Static, "Available actions:", nullptr, 0},
    {1078, DlgKind::Custom, nullptr, nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kItemTreeControls[] = {
    {1086, DlgKind::Custom, nullptr, nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kInputControls[] = {
    {1096, DlgKind::Static, "", nullptr, 0},
    {1000, DlgKind::Edit, nullptr, nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kNumberControls[] = {
    {1096, DlgKind::Static, "", nullptr, 0},
    {1000, DlgKind::Edit, nullptr, nullptr, 0},
    {1160, DlgKind::Static, "", nullptr, kDlgBeside},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kChooseControls[] = {
    {1096, DlgKind::Static, "", nullptr, 0},
    {1018, DlgKind::Combo, nullptr, nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kActionsControls[] = {
    {1025, DlgKind::Button, "On Click", nullptr, 0},  {1026, DlgKind::Button, "On Over", nullptr, kDlgBeside},
    {1027, DlgKind::Button, "On Out", nullptr, kDlgBeside}, {1028, DlgKind::Button, "On Up", nullptr, 0},
    {1029, DlgKind::Button, "On Focus", nullptr, kDlgBeside}, {1030, DlgKind::Button, "On Blur", nullptr, kDlgBeside},
    {1031, DlgKind::Button, "On Change", nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};

CReportList* MakeList(CDialog& dlg, const DlgControl& row) { return new CReportList(&dlg, row.id); }

void SetTypes(int flags[50], std::initializer_list<int> types)
{
    for (int t : types)
        flags[t] = 1;
}
} // namespace

const DlgTemplate kActionTemplate{278, "Action", true, kActionControls};
const DlgTemplate kAddActionTemplate{280, "Add Action", true, kAddActionControls};
const DlgTemplate kItemTreeTemplate{282, "Item", true, kItemTreeControls};
const DlgTemplate kInputTemplate{325, "Input", true, kInputControls};
const DlgTemplate kNumberTemplate{326, "Number", true, kNumberControls};
const DlgTemplate kChooseTemplate{284, "Choose", true, kChooseControls};
const DlgTemplate kActionsTemplate{339, "Actions", false, kActionsControls};

const std::vector<const char*>& BuildActionTypeList()
{
    static const std::vector<const char*> names = {
        "Show Item", "Hide Item", "Text Color", "Font Name", "Font Size", "Bold", "Italic", "Letter Spacing",
        "Text Align", "Underline", "Bring to Front", "Send to Back", "Change Cursor", "Background Color",
        "Border Color", "Border Width", "Change Text", "Change Value", "Move Item To", "Resize Item",
        "Check Checkbox", "Submit Form", "Open URL", "Click Item", "Focus Item", "Blur Item", "Enable Item",
        "Disable Item", "Select Text"};
    return names;
}

void AllowedTargetTypes(int kind, int flags[50])
{
    for (int i = 0; i < 50; ++i)
        flags[i] = 0;
    switch (kind) {
    case kStepShow: case kStepHide: case kStepToFront: case kStepToBack: case kStepCursor: case kStepMove:
        for (int t = 2; t <= 37; ++t)
            flags[t] = !(t == 8 || t == 9 || t == 29 || t == 36);
        break;
    case kStepTextColor: case kStepFontName: case kStepFontSize: case kStepBold: case kStepItalic:
    case kStepLetterSpacing: case kStepTextAlign: case kStepDecoration: case kStepBackgroundColor:
    case kStepBorderColor: case kStepBorderWidth: case kStepResize:
        SetTypes(flags, {3, 4, 5, 6, 7, 10, 12, 14, 15, 23, 24, 30, 32, 33, 34, 35});
        break;
    case kStepChangeText: SetTypes(flags, {3, 7, 10, 12, 14, 15, 23}); break;
    case kStepChangeValue: SetTypes(flags, {4, 6}); break;
    case kStepCheckBox: SetTypes(flags, {8}); break;
    case kStepSubmit: SetTypes(flags, {17}); break;
    case kStepClick: SetTypes(flags, {6}); break;
    case kStepFocus: case kStepBlur: SetTypes(flags, {4, 6, 7}); break;
    case kStepEnable: case kStepDisable: SetTypes(flags, {4, 6, 7, 8, 9}); break;
    case kStepSelect: SetTypes(flags, {4, 7}); break;
    default: break;
    }
}

CString DescribeAction(const CActionStep& s)
{
    const char* t = s.m_strTarget.GetString();
    auto f = [](const char* pattern, auto... args) { return CString::Formatted(pattern, args...); };
    auto pick = [&](const char* a, const char* b, const char* c) {
        return f(s.m_nValue == 1 ? b : s.m_nValue == 2 ? c : a, t);
    };
    switch (s.m_nKind) {
    case kStepShow: return f("Show %s", t);
    case kStepHide: return f("Hide %s", t);
    case kStepTextColor: return f("Set text color of %s to %s", t, ColorToHtml(COLORREF(s.m_nValue)).GetString());
    case kStepFontName: return f("Set font name of %s to %s", t, s.m_strName.GetString());
    case kStepFontSize: return f("Set font size of %s to %dpt", t, int(s.m_nValue));
    case kStepBold: return pick("Toggle bold of %s", "Apply bold to %s", "Remove bold from %s");
    case kStepItalic: return pick("Toggle italic of %s", "Apply italic to %s", "Remove italic from %s");
    case kStepLetterSpacing: return f("Set letter spacing of %s to %dpx", t, int(s.m_nValue));
    case kStepTextAlign: return f("Change text align of %s", t);
    case kStepDecoration: return f("Change decoration of %s", t);
    case kStepToFront: return f("Bring %s to front to level %d", t, int(s.m_nValue));
    case kStepToBack: return f("Send %s behind to level -%d", t, int(s.m_nValue));
    case kStepCursor: return f("Set cursor for %s", t);
    case kStepBackgroundColor: return f("Change background color of %s", t);
    case kStepBorderColor: return f("Change border color of %s", t);
    case kStepBorderWidth: return f("Change border width of %s", t);
    case kStepChangeText: return f("Change text of %s to '%s'", t, s.m_wstrText.GetUtf8().GetString());
    case kStepChangeValue: return f("Change value of %s to '%s'", t, s.m_wstrText.GetUtf8().GetString());
    case kStepMove: return f("Move item %s to %d,%d", t, int(s.m_nValue), int(s.m_nValue2));
    case kStepResize: return f("Resize %s", t);
    case kStepCheckBox: return pick("Toggle %s", "Check %s", "Uncheck %s");
    case kStepSubmit: return f("Submit form %s", t);
    case kStepOpenAddress: return f("Open URL %s", s.m_strName.GetString());
    case kStepClick: return f("Click item %s", t);
    case kStepFocus: return f("Focus item %s", t);
    case kStepBlur: return f("Remove focus from %s", t);
    case kStepEnable: return f("Enable item %s", t);
    case kStepDisable: return f("Disable item %s", t);
    case kStepSelect: return f("Select text in %s", t);
    default: return CString();
    }
}

CString MakeUniqueActionId(CKJDoc* doc, CItem* root)
{
    CItemList items;
    if (doc)
        doc->CollectAllItems(items);
    else if (root)
        root->CollectItems(items);
    // an unnamed item answers to "id" and its serial in the page: that id is taken too
    std::unordered_set<std::string> taken;
    for (CItem* i : items) {
        taken.insert(i->m_strName.GetString());
        taken.insert(i->GetHtmlId().GetString());
    }
    auto isTaken = [&taken](const CString& name) { return taken.count(name.GetString()) != 0; };
    if (doc)
        return CKJDoc::TakeName("id%d", doc->m_nItemCounter, isTaken);
    // without a project: the first free number (each item takes at most two, so one of the
    // first 2n + 1 is free)
    for (std::size_t n = 1; n <= 2 * items.size() + 1; ++n) {
        CString name = CString::Formatted("id%d", int(n));
        if (!isTaken(name))
            return name;
    }
    return CString::Formatted("id%d", int(2 * items.size() + 2));
}

// ---- DItemTree

DItemTree::DItemTree(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kItemTreeTemplate, [](CDialog& dlg, const DlgControl& row) { return new CTreeCtrl(&dlg, row.id); });
    OnNotify(1086, TVN_SELCHANGED, [this] { EnableDlgItem(IDOK, Tree()->GetSelectedItem() != nullptr); });
    resize(320, 360);
}

CTreeCtrl* DItemTree::Tree() const { return static_cast<CTreeCtrl*>(GetDlgItem(1086)); }

BOOL DItemTree::OnInitDialog()
{
    CDialog::OnInitDialog();
    EnableDlgItem(IDOK, FALSE);
    Tree()->clear();
    if (m_pRoot)
        Fill(m_pRoot, nullptr);
    Tree()->expandAll();
    return TRUE;
}

void DItemTree::Fill(CItem* group, QTreeWidgetItem* parent)
{
    auto* container = dynamic_cast<CGroupItem*>(group);
    if (!container)
        return;
    for (const auto& child : container->GetChildren()) {
        CItem* item = child.get();
        const int type = item->m_nType;
        // a type code outside the flags is never listed
        const bool listed = type >= 0 && type < 50 && m_flags[type];
        QTreeWidgetItem* node = parent;
        if (listed)
            node = Tree()->InsertItem(item->Describe(), type, std::intptr_t(item), parent);
        if (type == ITEM_GROUP || type == ITEM_FORM)
            Fill(item, node);
    }
}

void DItemTree::OnOK()
{
    QTreeWidgetItem* node = Tree()->GetSelectedItem();
    if (!node)
        return;
    m_pChosen = reinterpret_cast<CItem*>(CTreeCtrl::GetItemData(node));
    CDialog::OnOK();
}

// ---- DAddAction

DAddAction::DAddAction(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kAddActionTemplate, MakeList);
    OnNotify(1078, LVN_DBLCLK, [this] { OnOK(); });
    resize(300, 420);
}

CReportList* DAddAction::List() const { return static_cast<CReportList*>(GetDlgItem(1078)); }

BOOL DAddAction::OnInitDialog()
{
    CDialog::OnInitDialog();
    List()->InsertColumn(0, "", 240);
    List()->setHeaderHidden(true);
    const auto& names = BuildActionTypeList();
    for (size_t i = 0; i < names.size(); ++i)
        List()->InsertItem(UiTranslate(names[i]), int(i), std::intptr_t(i));
    return TRUE;
}

void DAddAction::OnOK()
{
    const std::vector<int> rows = List()->GetSelectedRows();
    if (rows.empty())
        return;
    m_nType = int(List()->GetItemData(rows.front()));
    CDialog::OnOK();
}

// ---- small value dialogs

DInput::DInput(QWidget* parent) : CDialog(parent) { BuildDialog(*this, kInputTemplate); }

void DInput::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, 1096, m_strPrompt);
    DDX_Text(pDX, 1000, m_strValue);
}

DInputWide::DInputWide(QWidget* parent) : CDialog(parent) { BuildDialog(*this, kInputTemplate); }

void DInputWide::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, 1096, m_strPrompt);
    DDX_TextW(pDX, 1000, m_value);
}

DNumber::DNumber(QWidget* parent) : CDialog(parent) { BuildDialog(*this, kNumberTemplate); }

void DNumber::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, 1000, m_nValue);
    DDX_Text(pDX, 1096, m_strPrompt);
    DDX_Text(pDX, 1160, m_strUnit);
}

DChoose::DChoose(QWidget* parent) : CDialog(parent) { BuildDialog(*this, kChooseTemplate); }

BOOL DChoose::OnInitDialog()
{
    CDialog::OnInitDialog();
    auto* combo = qobject_cast<QComboBox*>(GetDlgItem(1018));
    combo->setProperty(kNoTranslateProperty, true);
    combo->clear();
    for (const CString& choice : m_choices)
        combo->addItem(choice.ToQString());
    combo->setCurrentIndex(m_choices.empty() ? -1 : 0);
    return TRUE;
}

void DChoose::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, 1096, m_strPrompt);
    DDX_CBIndex(pDX, 1018, m_nIndex);
}

DActions::DActions(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kActionsTemplate);
    m_bTranslateOnInit = false;
}

// ---- DAction

DAction::DAction(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kActionTemplate, MakeList);
    OnNotify(1025, BN_CLICKED, [this] { OnAdd(); });
    OnNotify(1026, BN_CLICKED, [this] { OnDelete(); });
    resize(460, 420);
}

CReportList* DAction::List() const { return static_cast<CReportList*>(GetDlgItem(1078)); }

BOOL DAction::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (!m_strCaption.IsEmpty())
        setWindowTitle(m_strCaption.ToQString());
    List()->InsertColumn(0, "", 400);
    List()->setHeaderHidden(true);
    List()->DeleteAllItems();
    if (m_pAction)
        for (int i = 0; i < m_pAction->GetStepCount(); ++i)
            List()->InsertItem(DescribeAction(m_pAction->GetStep(i)), m_pAction->GetStep(i).m_nKind);
    return TRUE;
}

void DAction::DoDataExchange(CDataExchange* pDX)
{
    if (m_pAction)
        DDX_TextW(pDX, 1000, m_pAction->m_wstrScript);
}

bool DAction::AskValues(CActionStep& step)
{
    auto number = [this](const char* prompt, const char* unit, int preset, std::int32_t& out) {
        DNumber dlg(this);
        dlg.m_strPrompt = prompt;
        dlg.m_strUnit = unit;
        dlg.m_nValue = preset;
        if (dlg.DoModal() != IDOK)
            return false;
        out = dlg.m_nValue;
        return true;
    };
    auto choose = [this](const char* prompt, std::initializer_list<const char*> choices, std::int32_t& out) {
        DChoose dlg(this);
        dlg.m_strPrompt = prompt;
        for (const char* c : choices)
            dlg.m_choices.push_back(c);
        if (dlg.DoModal() != IDOK)
            return false;
        out = dlg.m_nIndex;
        return true;
    };
    auto colour = [&step](const char* title) {
        COLORREF c = COLORREF(step.m_nValue);
        if (ChooseColorDlg(c, UiTranslate(title), FALSE) != IDOK)
            return false;
        step.m_nValue = std::int32_t(c);
        return true;
    };
    auto input = [this](const char* prompt, const char* preset, CString& out) {
        DInput dlg(this);
        dlg.m_strPrompt = prompt;
        dlg.m_strValue = preset;
        if (dlg.DoModal() != IDOK)
            return false;
        out = dlg.m_strValue;
        return true;
    };
    auto wide = [this](const char* prompt, CWString& out) {
        DInputWide dlg(this);
        dlg.m_strPrompt = prompt;
        if (dlg.DoModal() != IDOK)
            return false;
        out = dlg.m_value;
        return true;
    };
    switch (step.m_nKind) {
    case kStepTextColor: return colour("Text Color");
    case kStepFontName: return input("Enter the name of the font:", "", step.m_strName);
    case kStepFontSize: return number("Enter the size fo the font:", "pt", 0, step.m_nValue);
    case kStepBold: return choose("", {"toggle bold", "set bold", "clear bold"}, step.m_nValue);
    case kStepItalic: return choose("", {"toggle italic", "set italic", "clear italic"}, step.m_nValue);
    case kStepLetterSpacing: return number("Enter space between letters:", "px", 0, step.m_nValue);
    case kStepTextAlign: return choose("Select alignment of the text:", {"left", "right", "center"}, step.m_nValue);
    case kStepDecoration:
        return choose("Choose whether the text should be undelined or stroked:",
                      {"clear decoration", "set underline", "set strikethrough", "toggle underline", "toggle strikethrough"},
                      step.m_nValue);
    case kStepToFront:
        return number("Change stacking order of the item so it overlaps other items. Enter the level above other items:",
                      "", 1, step.m_nValue);
    case kStepToBack:
        return number("Change stacking order of the item so it is overlapped by other items. Enter the level below other "
                      "items:",
                      "", 1, step.m_nValue);
    case kStepCursor:
        return choose("Choose cursor when it's over the item:",
                      {"Default", "Arrow", "Text selection", "Link", "Move", "Hourglass", "Help"}, step.m_nValue);
    case kStepBackgroundColor: return colour("Background Color");
    case kStepBorderColor: return colour("Border Color");
    case kStepBorderWidth: return number("Change width of the border. Enter new line width:", "px", 0, step.m_nValue);
    case kStepChangeText: return wide("Enter the new text of the item:", step.m_wstrText);
    case kStepChangeValue: return wide("Enter the new value of the item:", step.m_wstrText);
    case kStepMove: return number("Position X", "", 0, step.m_nValue) && number("Position Y", "", 0, step.m_nValue2);
    case kStepResize: return number("Width", "", 0, step.m_nValue) && number("Height", "", 0, step.m_nValue2);
    case kStepCheckBox:
        return choose("Choose how the checkbox should be checked:", {"toggle", "check", "uncheck"}, step.m_nValue);
    case kStepOpenAddress: return input("Enter the link to open in the browser:", "http://", step.m_strName);
    default: return true;
    }
}

void DAction::OnAdd()
{
    if (!m_pAction)
        return;
    DAddAction add(this);
    if (add.DoModal() != IDOK || add.m_nType < 0 || add.m_nType >= kStepKindCount)
        return;
    CActionStep step;
    step.m_nKind = add.m_nType;
    if (step.m_nKind != kStepOpenAddress) {
        DItemTree tree(this);
        tree.m_pRoot = m_pContainer;
        AllowedTargetTypes(step.m_nKind, tree.m_flags);
        if (tree.DoModal() != IDOK || !tree.m_pChosen)
            return;
        if (tree.m_pChosen->m_strName.IsEmpty())
            tree.m_pChosen->m_strName = MakeUniqueActionId(m_pDoc, m_pContainer);
        step.m_strTarget = tree.m_pChosen->m_strName;
    }
    if (!AskValues(step))
        return;
    m_pAction->AddStep() = step;
    List()->InsertItem(DescribeAction(step), step.m_nKind);
}

void DAction::OnDelete()
{
    const std::vector<int> rows = List()->GetSelectedRows();
    if (rows.empty() || !m_pAction)
        return;
    const int row = rows.front();
    if (row < 0 || row >= m_pAction->GetStepCount())
        return;
    m_pAction->RemoveStep(row);
    delete List()->takeTopLevelItem(row);
}
