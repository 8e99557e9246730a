// Dialogs on QDialog whose controls are registered under numeric ids, in tab order, so
// that data exchange and the dialog's code address them by id. Layout is the dialog's
// own (Qt layouts); the ids are the contract.
#pragma once
#include "framework/core/CString.h"
#include "framework/core/MessageBox.h"
#include "framework/ui/CmdTarget.h"
#include "framework/ui/Timers.h"

#include <QtWidgets/QDialog>
#include <functional>
#include <map>
#include <memory>
#include <vector>

class CDataExchange;
class QAbstractButton;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSlider;

// Control notifications a dialog can handle.
enum : UINT {
    BN_CLICKED = 0,
    EN_CHANGE = 0x300,
    EN_KILLFOCUS = 0x200,
    EN_SELCHANGE = 0x702, // the selection of a rich-text edit moved
    CBN_SELCHANGE = 1,
    LBN_SELCHANGE = 1001,
    LBN_DBLCLK = 1002,
    SLN_POSCHANGE = 0x1100, // a slider moved
};

// Text of any control kind: edit, static, button, group, combo box, or a window's title.
// Other child widgets have no text: reading gives "", writing does nothing.
bool HasWindowText(const QWidget* w);
CString GetWindowText(const QWidget* w);
void SetWindowText(QWidget* w, const CString& text);

class CDialog : public QDialog, public CCmdTarget {
public:
    explicit CDialog(QWidget* parent = nullptr);
    ~CDialog() override;

    // Runs the dialog modally: OnInitDialog, then the loop; IDOK, IDCANCEL or EndDialog's value.
    virtual int DoModal();
    // Base: fills the controls from the members (UpdateData(FALSE)), then translates the
    // window once unless m_bTranslateOnInit is off; TRUE. Texts filled at run time
    // (names of pages, classes, files) are set after it.
    virtual BOOL OnInitDialog();
    // Off for the dialogs whose texts stay as built, and for those translated elsewhere.
    bool m_bTranslateOnInit = true;
    virtual void DoDataExchange(CDataExchange* pDX);
    // Exchanges every field; FALSE (dialog stays as it is) when a value was refused.
    BOOL UpdateData(BOOL saveAndValidate = TRUE);
    virtual void OnOK();
    virtual void OnCancel();
    void EndDialog(int result);
    int GetResult() const { return m_nResult; }
    bool IsEnded() const { return m_bEnded; }

    // Controls by id. Registration order is the tab order; a radio group runs from a
    // button registered with groupStart up to the next control that starts a group.
    template <class W> W* AddControl(int id, W* control, bool groupStart = false)
    {
        RegisterControl(id, control, groupStart);
        return control;
    }
    void RegisterControl(int id, QWidget* control, bool groupStart = false);
    QWidget* GetDlgItem(int id) const;
    // The ids in tab order.
    const std::vector<int>& ControlIds() const { return m_order; }
    bool StartsGroup(int id) const;
    void SetGroupStart(int id, bool start) { m_groupStart[id] = start; }

    QLabel* CreateStatic(int id, const char* text);
    QLineEdit* CreateEdit(int id);
    QPlainTextEdit* CreateMultiLineEdit(int id);
    QPushButton* CreateButton(int id, const char* text, bool isDefault = false);
    QCheckBox* CreateCheck(int id, const char* text);
    QRadioButton* CreateRadio(int id, const char* text, bool groupStart = false);
    QComboBox* CreateCombo(int id, std::initializer_list<const char*> items = {}, bool editable = false);
    QListWidget* CreateList(int id);
    QSlider* CreateSlider(int id);

    void SetDlgItemText(int id, const CString& text);
    CString GetDlgItemText(int id) const;
    void SetDlgItemInt(int id, int value);
    int GetDlgItemInt(int id, BOOL* ok = nullptr) const;
    void CheckDlgButton(int id, int check);
    int IsDlgButtonChecked(int id) const;
    void EnableDlgItem(int id, BOOL enable);
    void GotoDlgCtrl(QWidget* control);

    // Handlers of control notifications (BN_CLICKED, EN_CHANGE, ...).
    void OnNotify(int id, UINT code, std::function<void()> handler);
    // Delivers a notification from a control (custom controls call this).
    void SendNotify(int id, UINT code) { Notify(id, code); }

    UINT SetTimer(UINT id, UINT elapseMs) { return m_timers.SetTimer(id, elapseMs); }
    BOOL KillTimer(UINT id) { return m_timers.KillTimer(id); }
    virtual void OnTimer(UINT id);
    CTimerSet& Timers() { return m_timers; }

    // Tests run dialogs without a loop: when set, DoModal runs OnInitDialog, then the hook,
    // whose value DoModal returns. Returns the previous hook.
    using ModalHook = std::function<int(CDialog&)>;
    static ModalHook SetModalHook(ModalHook hook);

    void reject() override;
    void accept() override;

protected:
    void Notify(int id, UINT code);

private:
    void ButtonClicked(int id);

    std::map<int, QWidget*> m_controls;
    std::vector<int> m_order;
    std::map<int, bool> m_groupStart;
    std::map<std::pair<int, UINT>, std::function<void()>> m_notify;
    CTimerSet m_timers;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
    int m_nResult = IDCANCEL;
    bool m_bEnded = false;
    bool m_bInLoop = false;
};
