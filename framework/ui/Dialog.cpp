#include "framework/ui/Dialog.h"

#include "framework/ui/DataExchange.h"
#include "framework/ui/Translation.h"

#include <QtCore/QEvent>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QSlider>
#include <QtWidgets/QTextEdit>

namespace {
CDialog::ModalHook& Hook()
{
    static CDialog::ModalHook hook;
    return hook;
}

// Reports focus loss of edit controls as EN_KILLFOCUS.
class FocusWatcher : public QObject {
public:
    FocusWatcher(QObject* parent, std::function<void()> onFocusOut) : QObject(parent), m_fn(std::move(onFocusOut)) {}
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusOut)
            m_fn();
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_fn;
};
} // namespace

bool HasWindowText(const QWidget* w)
{
    return w
        && (w->isWindow() || qobject_cast<const QLineEdit*>(w) || qobject_cast<const QPlainTextEdit*>(w)
            || qobject_cast<const QTextEdit*>(w) || qobject_cast<const QLabel*>(w)
            || qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QGroupBox*>(w)
            || qobject_cast<const QComboBox*>(w));
}

CString GetWindowText(const QWidget* w)
{
    if (!HasWindowText(w))
        return CString();
    if (auto* e = qobject_cast<const QLineEdit*>(w))
        return CString::FromQString(e->text());
    if (auto* e = qobject_cast<const QPlainTextEdit*>(w))
        return CString::FromQString(e->toPlainText());
    if (auto* e = qobject_cast<const QTextEdit*>(w))
        return CString::FromQString(e->toPlainText());
    if (auto* l = qobject_cast<const QLabel*>(w))
        return CString::FromQString(l->text());
    if (auto* b = qobject_cast<const QAbstractButton*>(w))
        return CString::FromQString(b->text());
    if (auto* g = qobject_cast<const QGroupBox*>(w))
        return CString::FromQString(g->title());
    if (auto* c = qobject_cast<const QComboBox*>(w))
        return CString::FromQString(c->currentText());
    return CString::FromQString(w->windowTitle());
}

void SetWindowText(QWidget* w, const CString& text)
{
    if (!HasWindowText(w))
        return;
    const QString q = text.ToQString();
    if (auto* e = qobject_cast<QLineEdit*>(w))
        e->setText(q);
    else if (auto* e = qobject_cast<QPlainTextEdit*>(w))
        e->setPlainText(q);
    else if (auto* e = qobject_cast<QTextEdit*>(w))
        e->setPlainText(q);
    else if (auto* l = qobject_cast<QLabel*>(w))
        l->setText(q);
    else if (auto* b = qobject_cast<QAbstractButton*>(w))
        b->setText(q);
    else if (auto* g = qobject_cast<QGroupBox*>(w))
        g->setTitle(q);
    else if (auto* c = qobject_cast<QComboBox*>(w)) {
        if (c->isEditable())
            c->setEditText(q);
        else
            c->setCurrentIndex(c->findText(q));
    } else
        w->setWindowTitle(q);
}

CDialog::CDialog(QWidget* parent) : QDialog(parent), m_timers([this](UINT id) { OnTimer(id); })
{
    OnCommand(IDOK, [this] { OnOK(); });
    OnCommand(IDCANCEL, [this] { OnCancel(); });
}

CDialog::~CDialog()
{
    // Qt destroys the window after this object's members are gone: nothing may reach
    // them from the hiding and focus changes that destruction causes.
    *m_alive = false;
    m_notify.clear();
    for (auto& [id, control] : m_controls)
        control->blockSignals(true);
}

CDialog::ModalHook CDialog::SetModalHook(ModalHook hook)
{
    ModalHook old = std::move(Hook());
    Hook() = std::move(hook);
    return old;
}

int CDialog::DoModal()
{
    m_bEnded = false;
    m_nResult = IDCANCEL;
    OnInitDialog(); // FALSE only means the dialog set the focus itself
    if (Hook()) {
        int r = Hook()(*this);
        if (!m_bEnded)
            m_nResult = r;
        return r;
    }
    if (m_bEnded) // ended from its own initialisation
        return m_nResult;
    m_bInLoop = true;
    exec();
    m_bInLoop = false;
    return m_nResult;
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    if (m_bTranslateOnInit)
        TranslateWindow(this);
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::UpdateData(BOOL saveAndValidate)
{
    CDataExchange dx(this, saveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (const CUserException&) {
        return FALSE;
    }
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::EndDialog(int result)
{
    m_nResult = result;
    m_bEnded = true;
    QDialog::done(result);
}

void CDialog::accept() { OnOK(); }
void CDialog::reject() { OnCancel(); }

void CDialog::OnTimer(UINT) {}

void CDialog::RegisterControl(int id, QWidget* control, bool groupStart)
{
    if (!control)
        return;
    if (m_controls.count(id) == 0)
        m_order.push_back(id);
    m_controls[id] = control;
    m_groupStart[id] = groupStart;
    // Signals that arrive while the dialog is being destroyed are dropped.
    auto notify = [this, alive = m_alive, id](UINT code) {
        if (*alive)
            Notify(id, code);
    };
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        connect(button, &QAbstractButton::clicked, this, [this, alive = m_alive, id] {
            if (*alive)
                ButtonClicked(id);
        });
    else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        connect(edit, &QLineEdit::textChanged, this, [notify] { notify(EN_CHANGE); });
        edit->installEventFilter(new FocusWatcher(edit, [notify] { notify(EN_KILLFOCUS); }));
    } else if (auto* text = qobject_cast<QPlainTextEdit*>(control)) {
        connect(text, &QPlainTextEdit::textChanged, this, [notify] { notify(EN_CHANGE); });
        text->installEventFilter(new FocusWatcher(text, [notify] { notify(EN_KILLFOCUS); }));
    } else if (auto* rich = qobject_cast<QTextEdit*>(control)) {
        connect(rich, &QTextEdit::textChanged, this, [notify] { notify(EN_CHANGE); });
        connect(rich, &QTextEdit::selectionChanged, this, [notify] { notify(EN_SELCHANGE); });
        rich->installEventFilter(new FocusWatcher(rich, [notify] { notify(EN_KILLFOCUS); }));
    } else if (auto* combo = qobject_cast<QComboBox*>(control))
        connect(combo, &QComboBox::activated, this, [notify] { notify(CBN_SELCHANGE); });
    else if (auto* list = qobject_cast<QListWidget*>(control)) {
        connect(list, &QListWidget::currentRowChanged, this, [notify] { notify(LBN_SELCHANGE); });
        connect(list, &QListWidget::itemDoubleClicked, this, [notify] { notify(LBN_DBLCLK); });
    } else if (auto* slider = qobject_cast<QSlider*>(control))
        connect(slider, &QSlider::valueChanged, this, [notify] { notify(SLN_POSCHANGE); });
}

QWidget* CDialog::GetDlgItem(int id) const
{
    auto it = m_controls.find(id);
    return it == m_controls.end() ? nullptr : it->second;
}

bool CDialog::StartsGroup(int id) const
{
    auto it = m_groupStart.find(id);
    return it != m_groupStart.end() && it->second;
}

QLabel* CDialog::CreateStatic(int id, const char* text) { return AddControl(id, new QLabel(QString::fromUtf8(text), this)); }
QLineEdit* CDialog::CreateEdit(int id) { return AddControl(id, new QLineEdit(this)); }
QPlainTextEdit* CDialog::CreateMultiLineEdit(int id) { return AddControl(id, new QPlainTextEdit(this)); }

QPushButton* CDialog::CreateButton(int id, const char* text, bool isDefault)
{
    auto* b = new QPushButton(QString::fromUtf8(text), this);
    b->setAutoDefault(false);
    b->setDefault(isDefault);
    return AddControl(id, b);
}

QCheckBox* CDialog::CreateCheck(int id, const char* text) { return AddControl(id, new QCheckBox(QString::fromUtf8(text), this)); }

QRadioButton* CDialog::CreateRadio(int id, const char* text, bool groupStart)
{
    return AddControl(id, new QRadioButton(QString::fromUtf8(text), this), groupStart);
}

QComboBox* CDialog::CreateCombo(int id, std::initializer_list<const char*> items, bool editable)
{
    auto* c = new QComboBox(this);
    c->setEditable(editable);
    for (const char* item : items)
        c->addItem(QString::fromUtf8(item));
    c->setCurrentIndex(-1);
    return AddControl(id, c);
}

QListWidget* CDialog::CreateList(int id) { return AddControl(id, new QListWidget(this)); }

QSlider* CDialog::CreateSlider(int id) { return AddControl(id, new QSlider(Qt::Horizontal, this)); }

void CDialog::SetDlgItemText(int id, const CString& text) { SetWindowText(GetDlgItem(id), text); }
CString CDialog::GetDlgItemText(int id) const { return GetWindowText(GetDlgItem(id)); }
void CDialog::SetDlgItemInt(int id, int value) { SetDlgItemText(id, CString::Formatted("%d", value)); }

int CDialog::GetDlgItemInt(int id, BOOL* ok) const
{
    int value = 0;
    const bool parsed = ParseInt(GetDlgItemText(id), value);
    if (ok)
        *ok = parsed;
    return parsed ? value : 0;
}

void CDialog::CheckDlgButton(int id, int check)
{
    auto* b = qobject_cast<QAbstractButton*>(GetDlgItem(id));
    if (!b)
        return;
    if (auto* c = qobject_cast<QCheckBox*>(b); c && check == 2) {
        c->setTristate(true);
        c->setCheckState(Qt::PartiallyChecked);
        return;
    }
    b->setChecked(check != 0);
}

int CDialog::IsDlgButtonChecked(int id) const
{
    auto* b = qobject_cast<QAbstractButton*>(GetDlgItem(id));
    if (!b)
        return 0;
    if (auto* c = qobject_cast<QCheckBox*>(b); c && c->checkState() == Qt::PartiallyChecked)
        return 2;
    return b->isChecked() ? 1 : 0;
}

void CDialog::EnableDlgItem(int id, BOOL enable)
{
    if (QWidget* w = GetDlgItem(id))
        w->setEnabled(enable != 0);
}

void CDialog::GotoDlgCtrl(QWidget* control)
{
    if (!control)
        return;
    control->setFocus(Qt::OtherFocusReason);
    if (auto* e = qobject_cast<QLineEdit*>(control))
        e->selectAll();
}

void CDialog::OnNotify(int id, UINT code, std::function<void()> handler) { m_notify[{id, code}] = std::move(handler); }

void CDialog::Notify(int id, UINT code)
{
    auto it = m_notify.find({id, code});
    if (it == m_notify.end())
        return;
    auto handler = it->second;
    handler();
}

void CDialog::ButtonClicked(int id)
{
    if (m_notify.count({id, BN_CLICKED})) {
        Notify(id, BN_CLICKED);
        return;
    }
    ExecuteCommand(this, UINT(id));
}
