#include "dialogs/ClassDialogs.h"
#include "dialogs/Background.h"

#include "controls/ColorControl.h"
#include "dialogs/EffectDialogs.h"
#include "dialogs/FontDialogs.h"
#include "dialogs/SizeDialogs.h"
#include "dialogs/SmallItemDialogs.h"
#include "document/EditScope.h"
#include "document/KJDoc.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/Translation.h"
#include "model/Item.h"
#include "model/WString.h"

#include <QtGui/QFontDatabase>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLabel>

#include <algorithm>

namespace {
const DlgControl kClassListControls[] = {
    {1078, DlgKind::Custom, nullptr, nullptr, 0},
    {3, DlgKind::Button, "New Class", nullptr, 0},
    {5, DlgKind::Button, "Edit", nullptr, kDlgBeside},
    {4, DlgKind::Button, "Delete", nullptr, kDlgBeside},
    {IDOK, DlgKind::Button, "Close", nullptr, kDlgDefault},
};
const DlgControl kNewClassControls[] = {
    {IDC_STATIC, DlgKind::Static, "This class will apply to:", nullptr, 0},
    {1018, DlgKind::List, nullptr,
     ". (All objects with this class name)|p. (Paragraphs)|span. (Text)|h1. (Heading 1)|h2. (Heading 2)|"
     "h3. (Heading 3)|h4. (Heading 4)|h5. (Heading 5)|h6. (Heading 6)|pre. (Preformatted text)|form. (Form)|"
     "img. (Image, Artistic Text, 3D button)|ahref. (Link)|div. (Header, Footer, Group, HTML)|"
     "input.text. (Input Field)|input.password. (Password Field)|input.submit. (Submit Button)|"
     "input.reset. (Reset Button)|input.radio. (Radio)|input.checkbox. (Checkbox)|textarea. (Text Area)|"
     "select. (List, Combobox, Date)",
     0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kClassControls[] = {
    {IDC_STATIC, DlgKind::Static, "Class Name:", nullptr, 0},
    {1000, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {1058, DlgKind::Button, "Background", nullptr, 0},
    {1059, DlgKind::Button, "Margins", nullptr, kDlgBeside},
    {1060, DlgKind::Button, "Paddings", nullptr, kDlgBeside},
    {1061, DlgKind::Button, "Borders", nullptr, kDlgBeside},
    {1062, DlgKind::Button, "Font", nullptr, kDlgBeside},
    {1063, DlgKind::Button, "Over", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "CSS:", nullptr, 0},
    {1096, DlgKind::Custom, nullptr, nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kOverStyleControls[] = {
    {1021, DlgKind::Color, "Font Color", nullptr, kDlgNoColor},
    {1022, DlgKind::Color, "Border Color", nullptr, kDlgNoColor},
    {1403, DlgKind::Check, "Bold", nullptr, 0},
    {1010, DlgKind::Check, "Italic", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Underline:", nullptr, 0},
    {1038, DlgKind::Combo, nullptr, "|no underline|underlined|strike-through", kDlgBeside},
    {1055, DlgKind::Button, "Background", nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kSelectClassControls[] = {
    {IDC_STATIC, DlgKind::Static, "Class:", nullptr, 0},
    {1018, DlgKind::EditCombo, nullptr, nullptr, kDlgBeside},
    {1025, DlgKind::Button, "New Class", nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};

ClassFillEditor& FillEditor()
{
    // The background editor by default; tests put their own in its place.
    static ClassFillEditor editor = [](CFillStyle& fill, CKJDoc* doc, const CString& caption, QWidget* parent) {
        return EditFill(doc, &fill, caption.GetString(), parent, FillTarget::Stylesheet()) == IDOK;
    };
    return editor;
}

// The items of the project that use a class: bound to it, or naming it while bound to none.
std::vector<CItem*> ItemsUsingClass(CKJDoc& doc, const CStyleClass& styleClass, const CString& name)
{
    CItemList all;
    doc.CollectAllItems(all);
    std::vector<CItem*> out;
    for (CItem* item : all)
        if (item->m_pStyleClass == &styleClass
            || (item->m_pStyleClass == nullptr && !name.IsEmpty() && item->m_strClass == name))
            out.push_back(item);
    return out;
}

// The items take their class again, lay out again, and their pages count as changed.
void RefreshItems(CEditScope& scope, const std::vector<CItem*>& items)
{
    for (CItem* item : items) {
        item->RecalcLayout();
        scope.Touch(item);
    }
    scope.TouchStylesheet();
}
} // namespace

const DlgTemplate kClassListTemplate{300, "Class", true, kClassListControls};
const DlgTemplate kNewClassTemplate{296, "New Class", true, kNewClassControls};
const DlgTemplate kClassTemplate{297, "Class", true, kClassControls};
const DlgTemplate kOverStyleTemplate{321, "Over Style", false, kOverStyleControls};
const DlgTemplate kSelectClassTemplate{301, "Select Class", true, kSelectClassControls};

int ClassKindOfRow(int row)
{
    if (row >= 0 && row < 20)
        return row;
    if (row == 20)
        return 23; // textarea
    if (row == 21)
        return CLASS_SELECT;
    return -1;
}

int ClassRowOfKind(int kind)
{
    if (kind >= 0 && kind < 20)
        return kind;
    if (kind == 23)
        return 20;
    if (kind == CLASS_SELECT)
        return 21;
    return CLASS_INPUT_TEXT; // the colour, date and file inputs
}

CString FilterClassName(const CString& typed)
{
    CWString wide;
    wide.FromAnsi(typed.GetString());
    CString ascii;
    wide.ToAsciiName(ascii);
    CString out;
    for (int i = 0; i < ascii.GetLength(); ++i) {
        const char c = ascii[i];
        const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        const bool digit = c >= '0' && c <= '9';
        // A CSS class name cannot begin with a digit.
        if (letter || (digit && !out.IsEmpty()))
            out += c;
    }
    return out;
}

bool IsClassNameTaken(const CKJDoc& doc, const CString& name, const CStyleClass* self)
{
    return std::any_of(doc.m_styleClasses.begin(), doc.m_styleClasses.end(),
                       [&](const auto& c) { return c.get() != self && c->m_strName == name; });
}

void SetClassFillEditor(ClassFillEditor editor) { FillEditor() = std::move(editor); }
const ClassFillEditor& GetClassFillEditor() { return FillEditor(); }

int FontUnderlineOfDecoration(int decoration) { return decoration >= 1 && decoration <= 3 ? decoration - 1 : -1; }
int DecorationOfFontUnderline(int entry) { return entry >= 0 && entry <= 2 ? entry + 1 : 0; }

// ---- DClassList

DClassList::DClassList(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kClassListTemplate, [this](CDialog& dlg, const DlgControl& row) -> QWidget* {
        m_pList = new CReportList(&dlg, row.id);
        m_pList->setMinimumSize(320, 260);
        return m_pList;
    });
    m_pList->InsertColumn(0, "Name", 280);
    m_pList->setIconSize(QSize(16, 16));
    OnNotify(1078, LVN_ITEMCHANGED, [this] { UpdateButtons(); });
    OnNotify(1078, LVN_CLICK, [this] { UpdateButtons(); });
    OnNotify(1078, LVN_DBLCLK, [this] {
        if (SelectedClass())
            OnEdit();
    });
    OnNotify(3, BN_CLICKED, [this] { OnNew(); });
    OnNotify(5, BN_CLICKED, [this] { OnEdit(); });
    OnNotify(4, BN_CLICKED, [this] { OnDelete(); });
}

BOOL DClassList::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_images.CreateFromFile(QStringLiteral(":/dialogs/classkinds.png"), 16, 0xFF00FF);
    m_pList->SetImageList(&m_images);
    m_pList->DeleteAllItems();
    if (m_pDoc)
        for (const auto& c : m_pDoc->m_styleClasses)
            m_pList->InsertItem(c->m_strName, ClassRowOfKind(c->m_nKind), reinterpret_cast<std::intptr_t>(c.get()));
    UpdateButtons();
    return TRUE;
}

CStyleClass* DClassList::SelectedClass() const
{
    const std::vector<std::intptr_t> data = m_pList->GetSelectedData();
    if (data.empty() || !m_pDoc)
        return nullptr;
    auto* wanted = reinterpret_cast<CStyleClass*>(data.front());
    // Only a class the project still holds.
    for (const auto& c : m_pDoc->m_styleClasses)
        if (c.get() == wanted)
            return wanted;
    return nullptr;
}

void DClassList::UpdateButtons()
{
    const BOOL selected = !m_pList->GetSelectedRows().empty();
    EnableDlgItem(4, selected);
    EnableDlgItem(5, selected);
}

void DClassList::OnNew()
{
    if (!m_pDoc)
        return;
    DNewClass chooser(this);
    if (chooser.DoModal() != IDOK || chooser.GetKind() < 0)
        return;
    CStyleClass* created = CreateClassWithDialog(*m_pDoc, chooser.GetKind(), this);
    if (!created)
        return;
    const int row = m_pList->InsertItem(created->m_strName, ClassRowOfKind(created->m_nKind),
                                        reinterpret_cast<std::intptr_t>(created));
    m_pList->clearSelection();
    m_pList->SelectRow(row);
    UpdateButtons();
}

void DClassList::OnEdit()
{
    CStyleClass* styleClass = SelectedClass();
    const std::vector<int> rows = m_pList->GetSelectedRows();
    if (!styleClass || rows.empty())
        return;
    if (EditClassWithDialog(*m_pDoc, *styleClass, this))
        m_pList->SetItemText(rows.front(), 0, styleClass->m_strName);
}

void DClassList::OnDelete()
{
    CStyleClass* styleClass = SelectedClass();
    const std::vector<int> rows = m_pList->GetSelectedRows();
    if (!styleClass || rows.empty())
        return;
    const CString question = UiTranslateWithName(
        "Do you want to delete the class %s? The items that use it will have no class.", styleClass->m_strName);
    if (AfxMessageBox(question, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
        return;
    DeleteClass(*m_pDoc, *styleClass);
    delete m_pList->takeTopLevelItem(rows.front());
    m_pList->clearSelection();
    UpdateButtons();
}

// ---- DNewClass

DNewClass::DNewClass(QWidget* parent) : CDialog(parent) { BuildDialog(*this, kNewClassTemplate); }

void DNewClass::DoDataExchange(CDataExchange* pDX) { DDX_LBIndex(pDX, 1018, m_nRow); }

// ---- DClass

DClass::DClass(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kClassTemplate, [](CDialog& dlg, const DlgControl&) -> QWidget* {
        auto* preview = new QLabel(&dlg);
        preview->setTextFormat(Qt::PlainText);
        preview->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        preview->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        preview->setFrameShape(QFrame::StyledPanel);
        preview->setMinimumSize(420, 240);
        preview->setTextInteractionFlags(Qt::TextSelectableByMouse);
        return preview;
    });
    OnNotify(1000, EN_CHANGE, [this] { OnNameChanged(); });
    OnNotify(1058, BN_CLICKED, [this] { OnBackground(); });
    OnNotify(1059, BN_CLICKED, [this] { OnMargins(); });
    OnNotify(1060, BN_CLICKED, [this] { OnPaddings(); });
    OnNotify(1061, BN_CLICKED, [this] { OnBorders(); });
    OnNotify(1062, BN_CLICKED, [this] { OnFont(); });
    OnNotify(1063, BN_CLICKED, [this] { OnOver(); });
}

BOOL DClass::OnInitDialog()
{
    // The copy the dialog edits; the record is written at OK only.
    m_edit = std::make_unique<CStyleClass>(m_pClass ? *m_pClass : CStyleClass(CLASS_ANY, 0));
    CDialog::OnInitDialog();
    SetDlgItemText(1000, m_edit->m_strName);
    // The background editor is another dialog's; without it the button stays disabled.
    EnableDlgItem(1058, GetClassFillEditor() != nullptr);
    RefreshPreview();
    return TRUE;
}

void DClass::RefreshPreview()
{
    if (m_edit)
        SetDlgItemText(1096, m_edit->WriteCss());
}

void DClass::OnNameChanged()
{
    if (!m_edit)
        return;
    m_edit->m_strName = GetDlgItemText(1000);
    RefreshPreview();
}

void DClass::OnBackground()
{
    const ClassFillEditor& editor = GetClassFillEditor();
    if (!editor || !m_edit)
        return;
    const CString caption = UiTranslateWithName("Class Background : %s", m_edit->m_strName);
    if (editor(m_edit->m_fill, m_pDoc, caption, this))
        RefreshPreview();
}

void DClass::OnMargins()
{
    DMargins dlg(this);
    dlg.m_pMargin = &m_edit->m_margin;
    dlg.DoModal();
    RefreshPreview();
}

void DClass::OnPaddings()
{
    DPadding dlg(this);
    dlg.m_padding = m_edit->m_padding;
    dlg.m_nPadding = m_edit->m_nPadding;
    dlg.m_strName = m_edit->m_strName;
    if (dlg.DoModal() == IDOK) {
        m_edit->m_padding = dlg.m_padding;
        m_edit->m_nPadding = dlg.m_nPadding;
    }
    RefreshPreview();
}

void DClass::OnBorders()
{
    EditBorders(m_edit->m_borders);
    RefreshPreview();
}

void DClass::OnFont()
{
    DFont dlg(this);
    dlg.m_strFace = m_edit->m_strFace;
    dlg.m_nSize = m_edit->m_nSize;
    dlg.m_nBold = m_edit->m_nBold;
    dlg.m_nItalic = m_edit->m_nItalic;
    dlg.m_nUnderline = FontUnderlineOfDecoration(m_edit->m_nDecoration);
    dlg.m_crColor = m_edit->m_crColor;
    dlg.m_strCaption = m_edit->m_strName;
    if (dlg.DoModal() == IDOK) {
        m_edit->m_strFace = dlg.m_strFace;
        m_edit->m_nSize = dlg.m_nSize;
        m_edit->m_nBold = dlg.m_nBold;
        m_edit->m_nItalic = dlg.m_nItalic;
        m_edit->m_nDecoration = DecorationOfFontUnderline(dlg.m_nUnderline);
        m_edit->m_crColor = dlg.m_crColor;
    }
    RefreshPreview();
}

void DClass::OnOver()
{
    DOverStyle dlg(this);
    dlg.m_pClass = m_edit.get();
    dlg.m_pDoc = m_pDoc;
    dlg.DoModal();
    RefreshPreview();
}

void DClass::OnOK()
{
    const CString name = FilterClassName(GetDlgItemText(1000));
    SetDlgItemText(1000, name);
    if (name.IsEmpty()) {
        AfxMessageBox(UiTranslate("Enter class name"), MB_OK | MB_ICONSTOP);
        GotoDlgCtrl(GetDlgItem(1000));
        return;
    }
    if (m_pDoc && IsClassNameTaken(*m_pDoc, name, m_pClass)) {
        AfxMessageBox(UiTranslateWithName("A class named %s already exists.", name), MB_OK | MB_ICONSTOP);
        GotoDlgCtrl(GetDlgItem(1000));
        return;
    }
    m_edit->m_strName = name;
    if (m_pClass)
        *m_pClass = *m_edit;
    EndDialog(IDOK);
}

// ---- DOverStyle

DOverStyle::DOverStyle(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kOverStyleTemplate);
    OnNotify(1055, BN_CLICKED, [this] { OnBackground(); });
}

BOOL DOverStyle::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_pClass)
        m_hoverBefore = m_pClass->m_hoverFill;
    EnableDlgItem(1055, GetClassFillEditor() != nullptr && m_pClass != nullptr);
    return TRUE;
}

void DOverStyle::OnCancel()
{
    if (m_pClass)
        m_pClass->m_hoverFill = m_hoverBefore;
    CDialog::OnCancel();
}

void DOverStyle::DoDataExchange(CDataExchange* pDX)
{
    if (!m_pClass)
        return;
    DdxUserData(pDX, 1021, m_pClass->m_crHoverColor);
    // The record's hover border colour is the field after its hover decoration.
    DdxUserData(pDX, 1022, m_pClass->m_crSpare);
    DDX_Check(pDX, 1403, m_pClass->m_nHoverBold);
    DDX_Check(pDX, 1010, m_pClass->m_nHoverItalic);
    DDX_CBIndex(pDX, 1038, m_pClass->m_nHoverDecoration);
}

void DOverStyle::OnBackground()
{
    const ClassFillEditor& editor = GetClassFillEditor();
    if (!editor || !m_pClass)
        return;
    // This dialog's texts stay untranslated.
    const CString caption = PutName("Class Over Background : %s", m_pClass->m_strName);
    editor(m_pClass->m_hoverFill, m_pDoc, caption, this);
}

// ---- DSelectClass

DSelectClass::DSelectClass(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kSelectClassTemplate);
    OnNotify(1025, BN_CLICKED, [this] { EndDialog(200); });
}

BOOL DSelectClass::OnInitDialog()
{
    CDialog::OnInitDialog();
    auto* list = qobject_cast<QComboBox*>(GetDlgItem(1018));
    if (m_pDoc)
        for (const auto& c : m_pDoc->m_styleClasses)
            if (c->m_nKind == CLASS_ANY || c->m_nKind == m_nKind)
                list->addItem(c->m_strName.ToQString());
    list->setCurrentIndex(-1);
    list->setEditText(m_strName.ToQString());
    return TRUE;
}

void DSelectClass::OnOK()
{
    // A typed name that no class has is passed on as it is.
    m_strName = GetDlgItemText(1018);
    EndDialog(IDOK);
}

// ---- what the openers run

CStyleClass* CreateClassWithDialog(CKJDoc& doc, int kind, QWidget* parent)
{
    if (kind < 0 || kind >= CLASS_KIND_COUNT)
        return nullptr;
    // The number is used up whatever the user does next.
    const int number = doc.TakeClassNumber(kind);
    auto created = std::make_unique<CStyleClass>(kind, number);
    CEditScope scope(doc);
    DClass dlg(parent);
    dlg.m_pClass = created.get();
    dlg.m_pDoc = &doc;
    if (dlg.DoModal() != IDOK) {
        scope.Cancel();
        return nullptr;
    }
    CStyleClass* added = created.get();
    doc.m_styleClasses.push_back(std::move(created));
    // Items that already name the class take it now.
    doc.BindItemClasses();
    RefreshItems(scope, ItemsUsingClass(doc, *added, added->m_strName));
    return added;
}

bool EditClassWithDialog(CKJDoc& doc, CStyleClass& styleClass, QWidget* parent)
{
    CEditScope scope(doc);
    const CString oldName = styleClass.m_strName;
    const std::vector<CItem*> users = ItemsUsingClass(doc, styleClass, oldName);
    DClass dlg(parent);
    dlg.m_pClass = &styleClass;
    dlg.m_pDoc = &doc;
    if (dlg.DoModal() != IDOK) {
        scope.Cancel();
        return false;
    }
    // A renamed class keeps its items: they name it by its new name.
    for (CItem* item : users)
        item->m_strClass = styleClass.m_strName;
    doc.BindItemClasses();
    RefreshItems(scope, users);
    return true;
}

void DeleteClass(CKJDoc& doc, CStyleClass& styleClass)
{
    CEditScope scope(doc);
    const std::vector<CItem*> users = ItemsUsingClass(doc, styleClass, styleClass.m_strName);
    for (CItem* item : users) {
        item->m_strClass.Empty();
        item->m_pStyleClass = nullptr;
    }
    auto& list = doc.m_styleClasses;
    list.erase(std::remove_if(list.begin(), list.end(), [&](const auto& c) { return c.get() == &styleClass; }),
               list.end());
    doc.BindItemClasses();
    RefreshItems(scope, users);
}

void RunClassList(CKJDoc& doc, QWidget* parent)
{
    DClassList dlg(parent);
    dlg.m_pDoc = &doc;
    dlg.DoModal();
}
