// Shared pieces of the editor painting of items.
#pragma once
#include "framework/core/Types.h"

class CDC;
class CItem;

// DrawText formats of the text painters: word-wrapped text, and code (no wrapping).
constexpr UINT kTextPaintFlags = 0x8D0;
constexpr UINT kCodePaintFlags = 0x8C0;

// The item's base painting, then its wide text in the layout font and colour inside the
// content rectangle (its left edge moved by leftShift). Text alignment 1 paints right,
// 2 centred, anything else left.
void DrawItemText(CItem& item, CDC* dc, UINT flags, bool letterSpacing, int leftShift = 0);

// The preview of a like button with its top-left corner at (dx, dy).
void DrawLikeButtonPreview(CDC* dc, int dx, int dy);

// Narrows the clip region to the box (0, 0)-(width, height) of the current coordinates.
void ClipToBox(CDC* dc, int width, int height);
