// The looks a user keeps for new items, per item kind, in the profile: "ArtisticText",
// "Symbol", "ImageButton" and "PayButton" (the payment button). Each kind has one key
// table; the Apply functions set a new item's fields from it (the table's defaults for
// missing keys), the Save functions write the item's look back under the same keys.
// Overloads pick the section by the static type: a CPayPalItem uses "PayButton".
#pragma once

class CArtisticTextItem;
class CImageButtonItem;
class CPayPalItem;
class CSymbolItem;

// Font, colours, outlines, gradient and stretch; text, angle and position stay.
void ApplyNewItemDefaults(CArtisticTextItem& item);
// The font record as a new symbol has it (height -100, the profile's weight), keeping the
// face and the glyph the caller chose; then the look.
void ApplyNewItemDefaults(CSymbolItem& item);
// Font, caption, size and the whole button look.
void ApplyNewItemDefaults(CImageButtonItem& item);
void ApplyNewItemDefaults(CPayPalItem& item);

// The item's look as the defaults for new items of its kind ("GradientStyle" and the image
// button's "Text" are read, never written).
void SaveNewItemDefaults(const CArtisticTextItem& item);
void SaveNewItemDefaults(const CSymbolItem& item);
void SaveNewItemDefaults(const CImageButtonItem& item);
void SaveNewItemDefaults(const CPayPalItem& item);

// Profile section names.
inline constexpr const char* kArtisticTextSection = "ArtisticText";
inline constexpr const char* kSymbolSection = "Symbol";
inline constexpr const char* kImageButtonSection = "ImageButton";
inline constexpr const char* kPayButtonSection = "PayButton";
