// A vector shape rendered as a picture: one of the outlines of DrawShapePrimitive with a
// line and a flat or gradient fill, reliefs, opacity and a centred caption, published
// under a name made from everything that changes the picture, so equal shapes share a file.
#pragma once
#include "model/items/ArtisticTextItem.h"
#include "model/items/ImageItemBase.h"
#include "model/ItemTypes.h"

class CShapeItem : public CImageItemBase {
public:
    CShapeItem();

    CString GetFileName() const override;
    void Serialize(CArchive& ar, int version) override;
    CString Describe() override;
    // The normal look copied, then the colour shift.
    void RenderOverState() override;
    void Render(int state) override;
    // The render size, then the effects; the caption settles as a render settles it.
    std::optional<CSize> MeasureNormalLook() override;

    // m_nArchived*: stored words that nothing reads; kept so a save writes them back.
    int m_nArchivedTriple[3] = {0, 0, 0};
    COLORREF m_crGradient = 0x000000; // second colour of a gradient fill
    int m_nFileNameWord = 0;          // stored; only goes into the file name
    int m_nArchivedAfterName = 0;
    int m_nFill = 0;                  // 0 none, 1 solid, 2 down, 3 right, 4 circular, 5 up, 6 left
    int m_b2Way = 0;
    int m_nOpacityStep = 0;           // 0-9: 100% down to 10%
    int m_nArchivedAfterTwoWay = 0;
    CArtisticTextItem m_caption;      // its text is the shape's caption
    int m_bLineBehind = 0;            // the fill is painted over the line

private:
    void SettleStoredLook();
};
