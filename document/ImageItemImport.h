// A new image item from a picture file, named so that it does not clash with the site.
#pragma once
#include "framework/core/CString.h"

class CKJDoc;
class CImageItem;

// Loads the picture file into a new image item named after the file (a name another item
// of the site has already becomes "img" and the document's picture counter), renders it
// and lays it out. The caller owns the item until it adds it to a page. Null when the
// file is no picture that can be read (the reader has said so).
CImageItem* CreateImageItemFromFile(CKJDoc& doc, const CString& path);
