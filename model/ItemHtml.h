// Helpers of the items' common HTML: folder-relative addresses.
#pragma once
#include "framework/core/CString.h"

#include <initializer_list>
#include <utility>

class CFolder;
class CItem;
class CPageOutput;

// The address prefix from the pages of folder `from` to the files of folder `to` (null =
// the site root): "../" for each level of `from`, then the names of `to` from the top
// down, each followed by "/". Empty when both are the same folder.
CString GetRelativePath(const CFolder* from, const CFolder* to);

// The <object> of a streamed media file: the item's style and class, the type, the
// address as typed (as data and as the "src" parameter), then one true/false parameter
// per flag, in order.
void WriteStreamObject(CItem& item, CPageOutput& out, const char* mimeType, const CString& address,
    std::initializer_list<std::pair<const char*, bool>> flags);
