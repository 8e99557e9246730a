// A push button drawn by the designer: a face of one of five outlines, a border ring,
// hairlines, an inner shadow and a one-line caption, rendered supersampled into the
// normal and mouse-over bitmaps.
#pragma once
#include "model/items/ImageItemBase.h"
#include "model/ItemTypes.h"

class CImageButtonItem : public CImageItemBase {
public:
    CImageButtonItem();

    void Serialize(CArchive& ar, int version) override;
    CString Describe() override;
    bool HasRollover() const override;
    void RenderOverState() override;
    void Render(int state) override;
    // The render size (the button is drawn at it), then the effects.
    std::optional<CSize> MeasureNormalLook() override;

    int m_nCaptionStyle = 0; // 0 flat, 1 drop shadow, 2 inset, 3 outset
    int m_bHairline = 1;
    int m_bInnerShadow = 0;
    COLORREF m_crBackground = 0xFFFFFF;
    COLORREF m_crHairline = 0xC0C0C0;
    int m_bGlass = 0;
    // Mouse-over values; a high byte of 0xFF (or 0 for the plus-one fields) keeps the normal one.
    COLORREF m_crHoverBorder = 0xFFFFFFFFu;
    COLORREF m_crHoverFace = 0xFFFFFFFFu;
    COLORREF m_crHoverCaption = 0xFFFFFFFFu;
    int m_nHoverShadingPlus1 = 0;
    int m_nHoverBorderWidthPlus1 = 0;
    CDib m_work; // the k-times-larger drawing surface

private:
    void RenderButton(int state);
};

// The numbered looks of the button dialog (0 to 13); any other number changes nothing.
// The caller renders afterwards.
void ApplyButtonPreset(CImageButtonItem& item, int preset);
