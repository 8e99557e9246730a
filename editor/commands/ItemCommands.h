// The rules of the item property commands that the tests check by table.
#pragma once

class CItem;

// The result of the Select Class dialog's new-class button.
inline constexpr int kNewClassResult = 200;

// The class kind Item/Class offers for an item: 1 Paragraph ... 23 Text Area; -1 when the
// item's type (or its input or button type) has no class kind.
int ClassKindOf(const CItem& item);
// Artistic Text, Image Button and Shape: their own line and fill fields, drawn into a picture.
bool IsImageDrawnKind(int type);
// Item/Line Width: the image-drawn kinds take it as their own line width; others on all
// five borders, with the all-sides style made drawn (2) for a width and cleared for none.
void ApplyLineWidth(CItem& item, int width);
// The kinds the text alignment buttons are on for even when positioned.
bool IsTextAlignKind(int type);
// The kinds Form/Tab Index edits.
bool IsTabIndexKind(int type);
