// Helpers of the items' common HTML: folder-relative addresses and CSS-safe names.
#pragma once
#include "framework/core/CString.h"

class CFolder;

// The address prefix from the pages of folder `from` to the files of folder `to` (null =
// the site root): "../" for each level of `from`, then the names of `to` from the top
// down, each followed by "/". Empty when both are the same folder.
CString GetRelativePath(const CFolder* from, const CFolder* to);

// A name as a CSS identifier: characters a selector would read otherwise are escaped,
// so a user's class name or id can stand in a selector.
CString CssEscapeIdent(const char* name);
// A font family for a CSS declaration: plain names as they are, others quoted.
CString CssFontFamily(const char* name);
// A CSS string in single quotes.
CString CssQuoted(const char* text);
