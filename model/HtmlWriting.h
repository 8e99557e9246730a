// Small helpers shared by every HTML/CSS writer: colours as CSS text. Escaping lives in
// model/Escaping.h.
#pragma once
#include "framework/core/CString.h"
#include "framework/core/Types.h"

// "#RRGGBB", upper-case, from a COLORREF (red in the low byte; the high byte is ignored).
CString ColorToHtml(COLORREF color);
// '0'-'9', 'A'-'F' for 0-15; a space for any other value.
char HexDigit(int n);
