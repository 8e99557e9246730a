#include "framework/ui/Translation.h"

#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QAbstractSpinBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMenu>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QTabWidget>
#include <QtWidgets/QTextEdit>

namespace {
TranslationLookup g_lookup = nullptr;

// Translates s in place; true when it changed.
bool TranslateQ(QString& s)
{
    if (s.isEmpty() || !g_lookup)
        return false;
    CString t = CString::FromQString(s);
    if (!g_lookup(t))
        return false;
    QString q = t.ToQString();
    if (q == s)
        return false;
    s = q;
    return true;
}

bool IsEditControl(QWidget* w)
{
    return qobject_cast<QLineEdit*>(w) || qobject_cast<QTextEdit*>(w) || qobject_cast<QPlainTextEdit*>(w)
        || qobject_cast<QAbstractSpinBox*>(w);
}

void TranslateOne(QWidget* w)
{
    // Lists filled from a dialog's own data keep their entries as they are.
    if (IsEditControl(w) || w->property(kNoTranslateProperty).toBool())
        return;
    QString s;
    if (auto* label = qobject_cast<QLabel*>(w)) {
        s = label->text();
        if (TranslateQ(s))
            label->setText(s);
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        s = button->text();
        if (TranslateQ(s))
            button->setText(s);
    } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
        s = group->title();
        if (TranslateQ(s))
            group->setTitle(s);
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        const int selected = combo->currentIndex();
        const QSignalBlocker block(combo);
        for (int i = 0; i < combo->count(); ++i) {
            s = combo->itemText(i);
            if (TranslateQ(s))
                combo->setItemText(i, s);
        }
        if (selected >= 0)
            combo->setCurrentIndex(selected);
        if (combo->isEditable()) {
            s = combo->currentText();
            if (TranslateQ(s))
                combo->setEditText(s);
        }
    } else if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
        for (int i = 0; i < tabs->count(); ++i) {
            s = tabs->tabText(i);
            if (TranslateQ(s))
                tabs->setTabText(i, s);
        }
    }
    if (!w->toolTip().isEmpty()) {
        s = w->toolTip();
        if (TranslateQ(s))
            w->setToolTip(s);
    }
}

void TranslateItems(std::vector<CMenu::Item>& items)
{
    for (auto& item : items) {
        if (item.separator)
            continue;
        if (!item.text.IsEmpty() && g_lookup) {
            CString t = item.text;
            if (g_lookup(t))
                item.text = t;
        }
        if (item.isPopup)
            TranslateItems(item.popup);
    }
}
} // namespace

void SetTranslationLookup(TranslationLookup lookup) { g_lookup = lookup; }
TranslationLookup GetTranslationLookup() { return g_lookup; }

CString UiTranslate(const CString& text)
{
    CString t = text;
    if (g_lookup)
        g_lookup(t);
    return t;
}

CString PutName(const CString& text, const CString& name)
{
    const int at = text.Find("%s");
    if (at >= 0)
        return text.Left(at) + name + text.Mid(at + 2);
    if (text.IsEmpty() || text[text.GetLength() - 1] == ' ')
        return text + name;
    return text + " " + name;
}

CString UiTranslateWithName(const CString& format, const CString& name) { return PutName(UiTranslate(format), name); }

void TranslateWindow(QWidget* window)
{
    if (!window)
        return;
    QString title = window->windowTitle();
    if (TranslateQ(title))
        window->setWindowTitle(title);
    const auto children = window->findChildren<QWidget*>();
    for (QWidget* child : children) {
        // The line edit inside an editable combo box or spin box is an edit control too.
        if (IsEditControl(child->parentWidget()) || qobject_cast<QComboBox*>(child->parentWidget()))
            if (qobject_cast<QLineEdit*>(child))
                continue;
        TranslateOne(child);
    }
}

void TranslateMenu(CMenu& menu) { TranslateItems(menu.items); }

void TranslateMenu(QMenu* menu)
{
    if (!menu)
        return;
    for (QAction* action : menu->actions()) {
        if (action->isSeparator())
            continue;
        QString s = action->text();
        if (TranslateQ(s))
            action->setText(s);
        if (action->menu())
            TranslateMenu(action->menu());
    }
}

void TranslateMenu(QMenuBar* menuBar)
{
    if (!menuBar)
        return;
    for (QAction* action : menuBar->actions()) {
        QString s = action->text();
        if (TranslateQ(s))
            action->setText(s);
        if (action->menu())
            TranslateMenu(action->menu());
    }
}
