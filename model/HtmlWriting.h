// Small helpers shared by every HTML/CSS writer: colours as CSS text. Escaping lives in
// model/Escaping.h.
#pragma once
#include "framework/core/CString.h"
#include "framework/core/Types.h"

// "#RRGGBB", upper-case, from a COLORREF (red in the low byte; the high byte is ignored).
CString ColorToHtml(COLORREF color);
// '0'-'9', 'A'-'F' for 0-15; a space for any other value.
char HexDigit(int n);

// A local picture path as a "file://" address: an absolute path ("/home/a b.png") or a
// drive path of an old project ("C:\My Pictures\a.png", backslashes or slashes) becomes
// "file:///..." with '/' between the parts and every byte other than letters, digits and
// "/-._~" percent-encoded ('#', '%', '?', blanks, non-ASCII); the drive's colon stays.
// Anything else (an address, a relative path) gives an empty text.
CString LocalPathToFileUrl(const char* path);
// An address as the user typed or chose it, with a local path made a "file://" address by
// the rule above; any other text (a web address, a relative path, and "//host/..." which
// in an address field is a web address without its scheme) stays as it is. Every field
// that takes a picture's address stores it this way.
CString LocalPathToFileAddress(const CString& source);
