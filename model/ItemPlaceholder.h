// Editor painting of an item that shows no content of its own in the editor (media,
// embeds, galleries): a caption on a coloured box in the item's top-left corner.
#pragma once
#include "framework/core/CString.h"
#include "framework/core/Types.h"

class CDC;
class CItem;

// Paints in the item's own coordinates (0, 0 is its top-left corner), clipped to the
// item; the caption keeps its size on screen at zoom levels up to 2.
void DrawPlaceholder(const CItem& item, CDC* dc, const CString& caption, COLORREF colour);
