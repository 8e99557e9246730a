// One function shows every message box. The GUI layer installs a handler that shows a
// real dialog; tests install one that records the text and answers.
#pragma once
#include "framework/core/CString.h"
#include <functional>

enum : unsigned {
    MB_OK = 0x0,
    MB_OKCANCEL = 0x1,
    MB_ABORTRETRYIGNORE = 0x2,
    MB_YESNOCANCEL = 0x3,
    MB_YESNO = 0x4,
    MB_RETRYCANCEL = 0x5,
    MB_ICONERROR = 0x10,
    MB_ICONHAND = 0x10,
    MB_ICONSTOP = 0x10,
    MB_ICONQUESTION = 0x20,
    MB_ICONWARNING = 0x30,
    MB_ICONEXCLAMATION = 0x30,
    MB_ICONINFORMATION = 0x40,
    MB_ICONASTERISK = 0x40,
    MB_DEFBUTTON2 = 0x100,
    MB_DEFBUTTON3 = 0x200,
};
enum : int { IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6, IDNO = 7 };

// text, caption, type flags -> the button pressed (IDOK, IDYES, ...).
using MessageBoxHandler = std::function<int(const CString& text, const CString& caption, unsigned type)>;

// Installs a handler and returns the previous one.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

// Shows text under the program's title.
int AfxMessageBox(const CString& text, unsigned type = MB_OK);
// Shows text under a caption of the caller's.
int ShowMessageBox(const CString& text, const CString& caption, unsigned type = MB_OK);

namespace tessel {
// The caption AfxMessageBox uses.
void SetMessageBoxCaption(const CString& caption);
}
