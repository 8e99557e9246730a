// The platform's font dialog on a font description, for the items that draw their text
// into a picture: screen fonts only, no effects (colour, underline and strike-out are
// neither offered nor changed).
#pragma once
#include "framework/core/Gdi.h"

#include <functional>

class QWidget;

// 1 and the chosen face, height, weight and italic written into lf on OK; 0 and lf
// untouched otherwise.
int ChooseFontDlg(LOGFONT& lf, QWidget* parent = nullptr);

// Tests answer the dialog: the hook sees the description the dialog would open on, may
// change it, and returns whether the user pressed OK. Returns the previous hook.
using FontDialogHook = std::function<bool(LOGFONT& lf)>;
FontDialogHook SetFontDialogHook(FontDialogHook hook);
