// The system font chooser on a font record (screen fonts). Shared by every dialog with a
// Font button, so tests answer it in one place.
#pragma once
#include "framework/core/Gdi.h"

#include <functional>

class QWidget;

// Runs the chooser from lf: 1 and lf changed (face, height, weight, italic, underline,
// strike-out; the other fields kept) on OK, 0 and lf untouched otherwise.
int ChooseFontDlg(LOGFONT& lf, QWidget* parent = nullptr);

// Tests answer the chooser: the hook gets the record to change and returns OK or not.
using FontDialogHook = std::function<bool(LOGFONT& lf)>;
FontDialogHook SetFontDialogHook(FontDialogHook hook);
