// Data exchange of item fields, and small layout needs, that the item dialogs share.
#pragma once
#include "framework/core/CString.h"

#include <initializer_list>

class CDataExchange;
class CDialog;
class CWString;

// Colour swatches keep their size in crowded rows (their caption gives way instead).
void KeepColorSwatches(CDialog& dlg, std::initializer_list<int> ids);

// Lines of a multi-line box as the items keep them: "\r\n" between lines.
void DDX_TextLines(CDataExchange* pDX, int id, CWString& value);
// A one-line field of a mail header or an address: line breaks, loaded or pasted, are
// dropped, so that no header can be split.
void DDX_SingleLine(CDataExchange* pDX, int id, CString& value);
// A weight or style the item keeps as 0, 1 or 2 (inherit) in a check box: only 1 checks
// it, and a box left as it was keeps the stored value.
void DDX_InheritFlag(CDataExchange* pDX, int id, int& value);
// A size in points or pixels: shown only when above 0, an empty box stores 0.
void DDX_PositiveSize(CDataExchange* pDX, int id, int& value);
