#include "framework/ui/DataExchange.h"

#include "framework/core/MessageBox.h"
#include "framework/ui/Dialog.h"

#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QSlider>

#include <charconv>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <locale.h>

QWidget* CDataExchange::PrepareCtrl(int id)
{
    QWidget* w = m_pDlgWnd ? m_pDlgWnd->GetDlgItem(id) : nullptr;
    m_idLastControl = id;
    m_bEditLastControl = false;
    if (!w) {
        ShowMessageBox(CString::Formatted("The dialog has no control %d.", id), "Data Exchange", MB_ICONERROR);
        throw CUserException();
    }
    return w;
}

void CDataExchange::FailControl(int id, const char* problem)
{
    ShowMessageBox(CString::Formatted("The control %d %s.", id, problem), "Data Exchange", MB_ICONERROR);
    throw CUserException();
}

QWidget* CDataExchange::PrepareEditCtrl(int id)
{
    QWidget* w = PrepareCtrl(id);
    m_bEditLastControl = true;
    return w;
}

void CDataExchange::Fail()
{
    if (m_pDlgWnd && m_idLastControl)
        m_pDlgWnd->GotoDlgCtrl(m_pDlgWnd->GetDlgItem(m_idLastControl));
    throw CUserException();
}

namespace {
CString Trimmed(const CString& text)
{
    CString t = text;
    t.Trim();
    return t;
}

locale_t CLocale()
{
    static locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(0));
    return c;
}

[[noreturn]] void Refuse(CDataExchange* pDX, const CString& message)
{
    AfxMessageBox(message, MB_ICONEXCLAMATION);
    pDX->Fail();
}

// Shortest form with at most digits significant digits, '.' whatever the locale.
CString FormatDouble(double value, int digits)
{
    char buffer[64];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
    return CString(std::string(buffer, r.ptr).c_str());
}

// The control as the kind an exchange needs; any other kind is a programming error.
template <class W> W* PrepareKind(CDataExchange* pDX, int id, const char* kind)
{
    auto* w = qobject_cast<W*>(pDX->PrepareCtrl(id));
    if (!w)
        pDX->FailControl(id, kind);
    return w;
}

// The exchange through the control's text, for numbers.
template <class T, class Parse, class Format>
void ExchangeNumber(CDataExchange* pDX, int id, T& value, Parse parse, Format format, const char* refusal)
{
    QWidget* w = pDX->PrepareEditCtrl(id);
    if (!HasWindowText(w))
        pDX->FailControl(id, "has no text");
    if (pDX->m_bSaveAndValidate) {
        T parsed{};
        if (!parse(GetWindowText(w), parsed))
            Refuse(pDX, refusal);
        value = parsed;
    } else
        SetWindowText(w, format(value));
}
} // namespace

bool ParseInt(const CString& text, int& value)
{
    const CString t = Trimmed(text);
    if (t.IsEmpty())
        return false;
    errno = 0;
    char* end = nullptr;
    long long v = std::strtoll(t.GetString(), &end, 10);
    if (errno || *end || v < INT32_MIN || v > INT32_MAX)
        return false;
    value = int(v);
    return true;
}

bool ParseUInt(const CString& text, unsigned& value)
{
    const CString t = Trimmed(text);
    if (t.IsEmpty() || t[0] == '-')
        return false;
    errno = 0;
    char* end = nullptr;
    unsigned long long v = std::strtoull(t.GetString(), &end, 10);
    if (errno || *end || v > UINT32_MAX)
        return false;
    value = unsigned(v);
    return true;
}

bool ParseDouble(const CString& text, double& value)
{
    const CString t = Trimmed(text);
    if (t.IsEmpty())
        return false;
    errno = 0;
    char* end = nullptr;
    double v = strtod_l(t.GetString(), &end, CLocale());
    if (errno || *end || !std::isfinite(v))
        return false;
    value = v;
    return true;
}

void DDX_Text(CDataExchange* pDX, int id, CString& value)
{
    QWidget* w = pDX->PrepareEditCtrl(id);
    if (!HasWindowText(w))
        pDX->FailControl(id, "has no text");
    if (pDX->m_bSaveAndValidate)
        value = GetWindowText(w);
    else
        SetWindowText(w, value);
}

void DDX_Text(CDataExchange* pDX, int id, QString& value)
{
    QWidget* w = pDX->PrepareEditCtrl(id);
    if (!HasWindowText(w))
        pDX->FailControl(id, "has no text");
    if (pDX->m_bSaveAndValidate) {
        if (auto* e = qobject_cast<QPlainTextEdit*>(w))
            value = e->toPlainText();
        else if (auto* e = qobject_cast<QLineEdit*>(w))
            value = e->text();
        else
            value = GetWindowText(w).ToQString();
    } else {
        if (auto* e = qobject_cast<QPlainTextEdit*>(w))
            e->setPlainText(value);
        else if (auto* e = qobject_cast<QLineEdit*>(w))
            e->setText(value);
        else
            SetWindowText(w, CString::FromQString(value));
    }
}

void DDX_Text(CDataExchange* pDX, int id, std::u16string& value)
{
    QString q;
    if (!pDX->m_bSaveAndValidate)
        q = QString::fromUtf16(value.data(), qsizetype(value.size()));
    DDX_Text(pDX, id, q);
    if (pDX->m_bSaveAndValidate)
        value.assign(reinterpret_cast<const char16_t*>(q.utf16()), size_t(q.size()));
}

void DDX_Text(CDataExchange* pDX, int id, int& value)
{
    ExchangeNumber(pDX, id, value, ParseInt, [](int v) { return CString::Formatted("%d", v); }, "Please enter an integer.");
}

void DDX_Text(CDataExchange* pDX, int id, unsigned& value)
{
    ExchangeNumber(pDX, id, value, ParseUInt, [](unsigned v) { return CString::Formatted("%u", v); },
                   "Please enter a positive integer.");
}

void DDX_Text(CDataExchange* pDX, int id, double& value)
{
    ExchangeNumber(pDX, id, value, ParseDouble, [](double v) { return FormatDouble(v, 15); }, "Please enter a number.");
}

void DDX_Text(CDataExchange* pDX, int id, float& value)
{
    auto parse = [](const CString& t, float& v) {
        double d = 0;
        if (!ParseDouble(t, d) || std::fabs(d) > 3.4028234663852886e38)
            return false;
        v = float(d);
        return true;
    };
    ExchangeNumber(pDX, id, value, parse, [](float v) { return FormatDouble(v, 6); }, "Please enter a number.");
}

namespace {
template <class T> void ExchangeBlankZero(CDataExchange* pDX, int id, T& value)
{
    QWidget* w = pDX->PrepareEditCtrl(id);
    if (!HasWindowText(w))
        pDX->FailControl(id, "has no text");
    const bool blank = pDX->m_bSaveAndValidate ? Trimmed(GetWindowText(w)).IsEmpty() : value == 0;
    if (!blank) {
        DDX_Text(pDX, id, value);
        return;
    }
    if (pDX->m_bSaveAndValidate)
        value = 0;
    else
        SetWindowText(w, CString());
}
} // namespace

void DDX_TextBlankZero(CDataExchange* pDX, int id, int& value) { ExchangeBlankZero(pDX, id, value); }
void DDX_TextBlankZero(CDataExchange* pDX, int id, double& value) { ExchangeBlankZero(pDX, id, value); }

void DDX_Check(CDataExchange* pDX, int id, int& value)
{
    auto* b = PrepareKind<QAbstractButton>(pDX, id, "is not a check box");
    auto* check = qobject_cast<QCheckBox*>(b);
    if (pDX->m_bSaveAndValidate) {
        if (check && check->checkState() == Qt::PartiallyChecked)
            value = 2;
        else
            value = b->isChecked() ? 1 : 0;
    } else if (check && value == 2) {
        check->setTristate(true);
        check->setCheckState(Qt::PartiallyChecked);
    } else
        b->setChecked(value == 1);
}

void DDX_Radio(CDataExchange* pDX, int id, int& value)
{
    pDX->PrepareCtrl(id);
    CDialog* dlg = pDX->m_pDlgWnd;
    const auto& ids = dlg->ControlIds();
    auto first = std::find(ids.begin(), ids.end(), id);
    std::vector<QRadioButton*> group;
    for (auto it = first; it != ids.end(); ++it) {
        if (it != first && dlg->StartsGroup(*it))
            break;
        if (auto* r = qobject_cast<QRadioButton*>(dlg->GetDlgItem(*it)))
            group.push_back(r);
    }
    if (pDX->m_bSaveAndValidate) {
        value = -1;
        for (size_t i = 0; i < group.size(); ++i)
            if (group[i]->isChecked()) {
                value = int(i);
                break;
            }
        return;
    }
    // Auto-exclusive buttons cannot all be cleared, so exclusivity is off while setting.
    for (size_t i = 0; i < group.size(); ++i) {
        const bool exclusive = group[i]->autoExclusive();
        group[i]->setAutoExclusive(false);
        group[i]->setChecked(int(i) == value);
        group[i]->setAutoExclusive(exclusive);
    }
}

void DDX_CBIndex(CDataExchange* pDX, int id, int& value)
{
    auto* c = PrepareKind<QComboBox>(pDX, id, "is not a combo box");
    if (pDX->m_bSaveAndValidate)
        value = c->currentIndex();
    else
        c->setCurrentIndex(value >= 0 && value < c->count() ? value : -1);
}

namespace {
void ExchangeComboText(CDataExchange* pDX, int id, CString& value, Qt::MatchFlags match)
{
    auto* c = PrepareKind<QComboBox>(pDX, id, "is not a combo box");
    if (pDX->m_bSaveAndValidate) {
        value = CString::FromQString(c->currentText());
        return;
    }
    const QString q = value.ToQString();
    int index = q.isEmpty() ? -1 : c->findText(q, match);
    if (index >= 0)
        c->setCurrentIndex(index);
    else if (c->isEditable())
        c->setEditText(q);
    else
        c->setCurrentIndex(-1);
}
} // namespace

void DDX_CBString(CDataExchange* pDX, int id, CString& value) { ExchangeComboText(pDX, id, value, Qt::MatchStartsWith); }

void DDX_CBStringExact(CDataExchange* pDX, int id, CString& value)
{
    ExchangeComboText(pDX, id, value, Qt::MatchFixedString);
}

void DDX_LBIndex(CDataExchange* pDX, int id, int& value)
{
    auto* l = PrepareKind<QListWidget>(pDX, id, "is not a list box");
    if (pDX->m_bSaveAndValidate)
        value = l->currentRow();
    else
        l->setCurrentRow(value >= 0 && value < l->count() ? value : -1);
}

void DDX_LBString(CDataExchange* pDX, int id, CString& value)
{
    auto* l = PrepareKind<QListWidget>(pDX, id, "is not a list box");
    if (pDX->m_bSaveAndValidate) {
        value = l->currentItem() ? CString::FromQString(l->currentItem()->text()) : CString();
        return;
    }
    const auto found = l->findItems(value.ToQString(), Qt::MatchStartsWith);
    l->setCurrentRow(found.isEmpty() ? -1 : l->row(found.front()));
}

void DDX_Slider(CDataExchange* pDX, int id, int& value)
{
    auto* s = PrepareKind<QSlider>(pDX, id, "is not a slider");
    if (pDX->m_bSaveAndValidate)
        value = s->value();
    else
        s->setValue(value);
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minValue, int maxValue)
{
    if (pDX->m_bSaveAndValidate && (value < minValue || value > maxValue))
        Refuse(pDX, CString::Formatted("Please enter an integer between %d and %d.", minValue, maxValue));
}

void DDV_MinMaxUInt(CDataExchange* pDX, unsigned value, unsigned minValue, unsigned maxValue)
{
    if (pDX->m_bSaveAndValidate && (value < minValue || value > maxValue))
        Refuse(pDX, CString::Formatted("Please enter an integer between %u and %u.", minValue, maxValue));
}

void DDV_MinMaxDouble(CDataExchange* pDX, double value, double minValue, double maxValue)
{
    if (pDX->m_bSaveAndValidate && (value < minValue || value > maxValue))
        Refuse(pDX, "Please enter a number between " + FormatDouble(minValue, 15) + " and " + FormatDouble(maxValue, 15) + ".");
}

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int maxChars)
{
    if (pDX->m_bSaveAndValidate) {
        if (value.ToQString().size() > maxChars)
            Refuse(pDX, CString::Formatted("Please enter no more than %d characters.", maxChars));
        return;
    }
    if (auto* e = qobject_cast<QLineEdit*>(pDX->m_pDlgWnd->GetDlgItem(pDX->m_idLastControl)))
        e->setMaxLength(maxChars);
}
