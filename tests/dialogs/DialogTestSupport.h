// Running property dialogs without a loop: the modal hook acts on the opened dialog; message
// boxes are recorded; a screenshot is saved when TESSEL_SCREENSHOT_DIR is set.
#pragma once
#include "framework/core/MessageBox.h"
#include "framework/ui/Dialog.h"

#include <QtCore/QDir>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLineEdit>

#include <functional>
#include <vector>

namespace dialogtest {

// Records every message box while it lives, answering OK.
struct MessageLog {
    MessageLog()
    {
        m_previous = SetMessageBoxHandler([this](const CString& text, const CString&, unsigned) {
            texts.push_back(text);
            return IDOK;
        });
    }
    ~MessageLog() { SetMessageBoxHandler(m_previous); }
    std::vector<CString> texts;

private:
    MessageBoxHandler m_previous;
};

// Opens the dialog (its initialisation runs), lets act work on it, and returns the result:
// the value it ended with, or IDCANCEL when it is still open.
inline int RunDialog(CDialog& dlg, const std::function<void(CDialog&)>& act)
{
    const CDialog::ModalHook previous = CDialog::SetModalHook([&](CDialog& d) {
        act(d);
        return d.IsEnded() ? d.GetResult() : IDCANCEL;
    });
    const int result = dlg.DoModal();
    CDialog::SetModalHook(previous);
    return result;
}

// OK as the user presses it.
inline void PressOk(CDialog& d) { d.OnOK(); }
inline void PressCancel(CDialog& d) { d.OnCancel(); }
// OK, Cancel or any other push button of the dialog, as the user clicks it.
inline void PressButton(CDialog& d, int id)
{
    if (id == IDOK)
        d.OnOK();
    else if (id == IDCANCEL)
        d.OnCancel();
    else
        d.SendNotify(id, BN_CLICKED);
}

// Types text into an edit as the user does (replacing what it held).
inline void Type(QWidget* w, const QString& text)
{
    auto* edit = qobject_cast<QLineEdit*>(w);
    edit->setFocus();
    edit->selectAll();
    QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
    QApplication::sendEvent(edit, &del);
    for (QChar c : text) {
        QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(edit, &key);
    }
}

// Saves a picture of the dialog as it is now, when the environment names a folder.
inline void Screenshot(QWidget& w, const char* name)
{
    const QByteArray dir = qgetenv("TESSEL_SCREENSHOT_DIR");
    if (dir.isEmpty())
        return;
    QDir().mkpath(QString::fromLocal8Bit(dir));
    w.adjustSize();
    w.show();
    QApplication::processEvents();
    w.grab().save(QString::fromLocal8Bit(dir) + QLatin1Char('/') + QString::fromUtf8(name) + QStringLiteral(".png"));
    w.hide();
}

} // namespace dialogtest
