// The site stylesheet that every generated page links.
#pragma once
#include "framework/core/CString.h"

class CKJDoc;

// Appends the whole stylesheet: the web-font imports of the text styles (CSS takes
// @import only before every other rule), the body and page-block rules with the two site
// backgrounds, the fixed element rules, the style set's rules and every style class.
void BuildSiteCss(const CKJDoc& doc, CString& css);
