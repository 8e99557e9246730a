// One line of text rendered as a picture: glyphs filled flat or with a gradient, up to
// two outlines, each shaded with a relief, stretched and letter-spaced, drawn four times
// larger and averaged down into a transparent bitmap.
#pragma once
#include "model/items/ImageItemBase.h"
#include "model/ItemTypes.h"

class CArtisticTextItem : public CImageItemBase {
public:
    CArtisticTextItem();

    void Serialize(CArchive& ar, int version) override;
    CString Describe() override;
    // Resizes by scaling the font; the height follows from it.
    void SetRect(int left, int top, int right, int bottom) override;
    // The normal look copied, then the colour shift.
    void RenderOverState() override;
    void Render(int state) override;
    // The text measured in its font (the render size settled as a render settles it),
    // then the effects.
    std::optional<CSize> MeasureNormalLook() override;

    COLORREF m_crFill2 = 0x00FFFF;   // second fill colour
    COLORREF m_crLine2 = 0x808080;   // outer outline colour
    int m_nLineWidth2 = 2;           // outer outline width
    int m_nGradient = 1;             // 0 solid, 1 down, 2 right, 3 circular, 4 up, 5 left
    int m_bGradient2Way = 0;
    int m_nStretch = 100;            // horizontal stretch in percent
    int m_nCharExtra = 0;            // Artistic Text: letter spacing; Symbol: outer outline relief
    int m_nLineStyle2 = 0;           // Artistic Text: outer outline relief; Symbol: the glyph

};

// The constructor defaults shared by Artistic Text and Symbol: the type, the face and
// the (negative, pixel) font height given; a 2-pixel light grey frame, no relief on face
// or frame, text colour 204, positioned.
void SetLetterItemDefaults(CImageItemBase& item, int type, const char* face, int height);

// The look fields shared by Artistic Text and Symbol.
struct ArtisticLook {
    COLORREF fill2 = 0x00FFFF;
    COLORREF line2 = 0x808080;
    int lineWidth2 = 2;
    int gradient = 1;
    int twoWay = 0;
    int stretch = 100;
    int charExtra = 0;
    int outerRelief = 0;
};

// The look of an item that has the artistic-text fields (Artistic Text, Symbol).
template <typename Item> ArtisticLook LookOf(const Item& item, int charExtra)
{
    ArtisticLook look;
    look.fill2 = item.m_crFill2;
    look.line2 = item.m_crLine2;
    look.lineWidth2 = item.m_nLineWidth2;
    look.gradient = item.m_nGradient;
    look.twoWay = item.m_bGradient2Way;
    look.stretch = item.m_nStretch;
    look.charExtra = charExtra;
    look.outerRelief = item.m_nLineStyle2;
    return look;
}

// Renders text into the item's state bitmap and sets the render size from it; false
// (nothing changed) for an empty text or a working size beyond the limits.
bool RenderArtisticText(CImageItemBase& item, int state, const QString& text, const ArtisticLook& look);
// The normal look's size of an artistic text or symbol item showing the text: the text
// measured, the render size set to it as RenderArtisticText sets it, then the effects.
std::optional<CSize> MeasureArtisticLook(CImageItemBase& item, const QString& text, const ArtisticLook& look);

// Relief amount of a row: y the row, height the bitmap's height, style 0-5.
int ReliefAmount(int style, int y, int height);

// Draws the outlines and the face of a text at (o, o), o = (inner + outer width) x 4,
// into a working device context whose font is selected.
void DrawOutlinedText(const CImageItemBase& item, CDC* dc, const QString& text, const ArtisticLook& look);

// Moves the item to the rectangle, scales its font by the new width over the old one (an
// item that never rendered has no old width and keeps its font) and renders it anew.
void ResizeByFont(CImageItemBase& item, int left, int top, int right, int bottom);
