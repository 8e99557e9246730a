// One character of a symbol font rendered as a picture, like Artistic Text.
#pragma once
#include "model/items/ArtisticTextItem.h"
#include "model/ItemTypes.h"

// Shares the Artistic Text's fields: the seventh holds the outer outline relief and the
// eighth the glyph byte.
class CSymbolItem : public CImageItemBase {
public:
    CSymbolItem();
    void Serialize(CArchive& ar, int version) override;
    CString Describe() override;
    void SetRect(int left, int top, int right, int bottom) override;
    void RenderOverState() override;
    void Render(int state) override;
    // The glyph measured in its font, as Artistic Text.
    std::optional<CSize> MeasureNormalLook() override;

    // The glyph byte (a character code of the symbol font).
    BYTE GetGlyph() const { return BYTE(m_nGlyph & 0xFF); }

    COLORREF m_crFill2 = 0x00FFFF;
    COLORREF m_crLine2 = 0x808080;
    int m_nLineWidth2 = 2;
    int m_nGradient = 1;
    int m_bGradient2Way = 0;
    int m_nStretch = 100;
    int m_nLineStyle2 = 0; // outer outline relief
    int m_nGlyph = 0;
};

// The character drawn for a glyph byte: for the Symbol and Wingdings faces the Unicode
// character of that glyph where the substitute font has it; otherwise the font's symbol
// area (U+F000 + byte) when it has one, else the byte as a Latin-1 character.
QString SymbolGlyphText(const LOGFONT& lf, BYTE glyph);
