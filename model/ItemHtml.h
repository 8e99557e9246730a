// Helpers of the items' common HTML: folder-relative addresses and CSS-safe names.
#pragma once
#include "framework/core/CString.h"

class CFolder;

// The address prefix from the pages of folder `from` to the files of folder `to` (null =
// the site root): "../" for each level of `from`, then the names of `to` from the top
// down, each followed by "/". Empty when both are the same folder.
CString GetRelativePath(const CFolder* from, const CFolder* to);

class CItem;
class CPageOutput;
// The address of a generated file from a page, ready for an attribute or a CSS url():
// the file was written into the output folder of fileFolder (null = the site root), the
// page lies in pageFolder. Icons, sprites, pictures, thumbnails and stored files are all
// addressed through here.
CString OutputFileHref(const CFolder* pageFolder, const CFolder* fileFolder, const char* fileName);
// A file an item wrote while it was exported: items of pages write beside their page,
// items of bands and masters at the site root (the item keeps that folder as parent).
CString ItemFileHref(const CItem& item, const CPageOutput& out, const char* fileName);

// A name as a CSS identifier: characters a selector would read otherwise are escaped,
// so a user's class name or id can stand in a selector.
CString CssEscapeIdent(const char* name);
// A font family for a CSS declaration: plain names as they are, others quoted.
CString CssFontFamily(const char* name);
// A CSS string in single quotes.
CString CssQuoted(const char* text);
