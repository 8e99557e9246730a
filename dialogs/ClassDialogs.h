// The CSS class dialogs: the project's class list, the kind of a new class, one class with
// its CSS shown live, its mouse-over block, and the choice of an item's class.
//
// Changes reach the project only when confirmed: DClass edits a copy of the class and
// writes it back at OK, so Cancel leaves the project as it was. The list's actions run
// each in one edit scope (joining the opener's when there is one).
#pragma once
#include "controls/DialogKit.h"
#include "controls/DialogTemplate.h"
#include "framework/ui/Dialog.h"
#include "model/TextStyle.h"

#include <functional>
#include <memory>

class CEditScope;
class CFillStyle;
class CKJDoc;

extern const DlgTemplate kClassListTemplate;
extern const DlgTemplate kNewClassTemplate;
extern const DlgTemplate kClassTemplate;
extern const DlgTemplate kOverStyleTemplate;
extern const DlgTemplate kSelectClassTemplate;

// The rows of the "This class will apply to:" list; the row is also the class's picture
// in the class list.
inline constexpr int kNewClassRows = 22;
// The class kind a row of the list stands for (rows 20 and 21 are the text area and the
// select kinds of the record); -1 outside the list.
int ClassKindOfRow(int row);
// The row (and picture) of a kind; kinds the list does not offer show as the input field.
int ClassRowOfKind(int kind);

// The name as OK stores it: accented letters to their base letters, then only A-Z, a-z
// and 0-9, with no digit in front ("1abc" gives "abc", "-1a" gives "a"). Empty when
// nothing is left.
CString FilterClassName(const CString& typed);

// Whether another class of the project than self has this name.
bool IsClassNameTaken(const CKJDoc& doc, const CString& name, const CStyleClass* self);

// The background editor the class dialogs open on a fill (caption already filled in);
// true after OK. It is the background editor unless replaced; set to nothing, the
// Background buttons are disabled.
using ClassFillEditor = std::function<bool(CFillStyle& fill, CKJDoc* doc, const CString& caption, QWidget* parent)>;
void SetClassFillEditor(ClassFillEditor editor);
const ClassFillEditor& GetClassFillEditor();

// Mapping between the class record's decoration (0 inherit, 1 none, 2 underline,
// 3 line-through) and the font dialog's underline entry (-1 no entry, 0 "none",
// 1 "underlined", 2 "strike-through").
int FontUnderlineOfDecoration(int decoration);
int DecorationOfFontUnderline(int entry);

class DClassList : public CDialog {
public:
    explicit DClassList(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;

    CKJDoc* m_pDoc = nullptr;

    CReportList* List() const { return m_pList; }

private:
    void UpdateButtons();
    CStyleClass* SelectedClass() const;
    void OnNew();
    void OnEdit();
    void OnDelete();

    CReportList* m_pList = nullptr;
    CImageList m_images;
};

class DNewClass : public CDialog {
public:
    explicit DNewClass(QWidget* parent = nullptr);
    void DoDataExchange(CDataExchange* pDX) override;

    int m_nRow = 0; // the chosen row of the list
    // The class kind of the chosen row.
    int GetKind() const { return ClassKindOfRow(m_nRow); }
};

class DClass : public CDialog {
public:
    explicit DClass(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    void OnOK() override;

    CStyleClass* m_pClass = nullptr; // written only at OK
    CKJDoc* m_pDoc = nullptr;

    // The class as edited so far (valid once the dialog is open).
    const CStyleClass& Edited() const { return *m_edit; }

private:
    void RefreshPreview();
    void OnNameChanged();
    void OnBackground();
    void OnMargins();
    void OnPaddings();
    void OnBorders();
    void OnFont();
    void OnOver();

    std::unique_ptr<CStyleClass> m_edit;
};

// The ":hover" values of a class, written to the record it is given at OK. The hover
// background is edited in the record itself (an edit scope may hold on to it for its own
// Cancel, so it must be the record's, not this dialog's) and put back at Cancel.
class DOverStyle : public CDialog {
public:
    explicit DOverStyle(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnCancel() override;

    CStyleClass* m_pClass = nullptr;
    CKJDoc* m_pDoc = nullptr;

private:
    void OnBackground();
    CFillStyle m_hoverBefore; // the record's hover background when the dialog opened
};

class DSelectClass : public CDialog {
public:
    explicit DSelectClass(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    void OnOK() override;

    int m_nKind = -1; // classes of this kind and of kind 0 are offered
    CString m_strName;
    CKJDoc* m_pDoc = nullptr;
};

// What the commands of the class dialogs do to the project, for the openers.

// A new class of a kind, numbered from the class counter (the number is used up even when
// the user cancels), edited in DClass; after OK it is appended to the project and
// returned, else null and the project is unchanged.
CStyleClass* CreateClassWithDialog(CKJDoc& doc, int kind, QWidget* parent);
// DClass on a class of the project in one edit scope; true after OK. A rename carries the
// items that use the class along; every page showing such an item counts as changed.
bool EditClassWithDialog(CKJDoc& doc, CStyleClass& styleClass, QWidget* parent);
// Removes a class of the project and clears it from every item that uses it.
void DeleteClass(CKJDoc& doc, CStyleClass& styleClass);
// Style/Classes: the class list of the project.
void RunClassList(CKJDoc& doc, QWidget* parent);
