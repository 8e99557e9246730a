#include "framework/ui/MessageBoxUi.h"

#include "framework/core/MessageBox.h"

#include <QtCore/QPointer>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMessageBox>

namespace {
int Show(const CString& text, const CString& caption, unsigned type)
{
    // Owned by the window in front, but never by a splash or popup that may close first.
    QWidget* owner = QApplication::activeModalWidget();
    if (!owner)
        owner = QApplication::activeWindow();
    if (owner && (owner->windowType() == Qt::SplashScreen || owner->windowType() == Qt::Popup ||
                  owner->windowType() == Qt::ToolTip))
        owner = nullptr;
    // On the heap: if the owner goes away while the box is up, it takes the box with it.
    QPointer<QMessageBox> guard = new QMessageBox(owner);
    QMessageBox& box = *guard;
    box.setWindowTitle(caption.ToQString());
    box.setText(text.ToQString());
    switch (type & 0xF0) {
    case MB_ICONERROR: box.setIcon(QMessageBox::Critical); break;
    case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
    case MB_ICONWARNING: box.setIcon(QMessageBox::Warning); break;
    case MB_ICONINFORMATION: box.setIcon(QMessageBox::Information); break;
    default: break;
    }
    struct Choice { QMessageBox::StandardButton button; int id; };
    std::vector<Choice> choices;
    switch (type & 0xF) {
    case MB_OKCANCEL: choices = {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}}; break;
    case MB_ABORTRETRYIGNORE:
        choices = {{QMessageBox::Abort, IDABORT}, {QMessageBox::Retry, IDRETRY}, {QMessageBox::Ignore, IDIGNORE}};
        break;
    case MB_YESNOCANCEL: choices = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}}; break;
    case MB_YESNO: choices = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}}; break;
    case MB_RETRYCANCEL: choices = {{QMessageBox::Retry, IDRETRY}, {QMessageBox::Cancel, IDCANCEL}}; break;
    default: choices = {{QMessageBox::Ok, IDOK}}; break;
    }
    QMessageBox::StandardButtons buttons;
    for (const auto& c : choices)
        buttons |= c.button;
    box.setStandardButtons(buttons);
    size_t def = (type & MB_DEFBUTTON3) ? 2 : (type & MB_DEFBUTTON2) ? 1 : 0;
    if (def < choices.size())
        box.setDefaultButton(choices[def].button);
    const int pressed = box.exec();
    if (guard) {
        delete guard.data();
        for (const auto& c : choices)
            if (pressed == c.button)
                return c.id;
    }
    // Closed without a button: the cancelling choice when there is one.
    for (const auto& c : choices)
        if (c.id == IDCANCEL || c.id == IDNO)
            return c.id;
    return choices.front().id;
}
} // namespace

void InstallGuiMessageBox() { SetMessageBoxHandler(Show); }
