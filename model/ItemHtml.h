// Helpers of the items' common HTML: folder-relative addresses.
#pragma once
#include "framework/core/CString.h"

class CFolder;

// The address prefix from the pages of folder `from` to the files of folder `to` (null =
// the site root): "../" for each level of `from`, then the names of `to` from the top
// down, each followed by "/". Empty when both are the same folder.
CString GetRelativePath(const CFolder* from, const CFolder* to);
