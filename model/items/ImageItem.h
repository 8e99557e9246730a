// A picture imported from a file (type 13; 28 for an imported GIF): the file's bytes, a
// frame with shading, rotation and effects, over-state adjustments, an optional image map
// and a linked scaled copy.
#pragma once
#include "framework/core/Geometry.h"
#include "model/ItemLink.h"
#include "model/ItemTypes.h"
#include "model/items/BitmapItem.h"
#include "model/items/ImageItemBase.h"
#include <memory>
#include <vector>

// One clickable region of an image map.
class CImageMapArea {
public:
    enum Kind { Rect = 0, Circle = 1, Polygon = 2 };
    void Serialize(CArchive& ar, int version);

    CItemLink m_link; // its title is also the area's alt text
    int m_nKind = Rect;
    CRect m_rect;
    std::vector<CPoint> m_points;
};

class CImageItem : public CImageItemBase {
public:
    CImageItem();
    ~CImageItem() override;

    CString GetFileName() const override;
    void Serialize(CArchive& ar, int version) override;
    // The base extras, then those of the linked copy when the record had one.
    void SerializeExtra(CArchive& ar, int version) override;
    void WriteHtml(CPageOutput& out) override;
    bool ExportFiles(CPublishContext& context) override;
    bool HasRollover() const override;
    void RenderOverState() override;
    void Render(int state) override;
    // The render size (or the picture's), then the effects.
    std::optional<CSize> MeasureNormalLook() override;

    bool IsGif() const { return m_nType == ITEM_GIF; }
    // An effect changes the pixels of the published picture.
    bool IsModified() const;
    bool CanExportAsJpeg() const;
    // Frame and shading of a state bitmap at the render size.
    void DrawBorder(CDib& state);

    CDib m_picture;
    int m_bJpegSource = 0;
    CString m_strSourcePath;
    std::vector<std::unique_ptr<CImageMapArea>> m_areas;
    int m_nHueShift = 0, m_nBrightnessShift = 0, m_nSaturationShift = 0;
    std::unique_ptr<CBitmapItem> m_pLinked;
};

// The <area> tag of one area, CR LF ended.
CString WriteImageMapAreas(const CImageMapArea& area, const CPageOutput& out);
// Cuts the picture to the rectangle (clipped to the picture), renders and stores it.
void CropImage(CImageItem& item, int left, int top, int right, int bottom);
// Decodes the stored bytes into the picture (from memory); a failed decode leaves it.
void DecodeStoredImage(CImageItem& item);
// Reads a whole file into the object's data block; the old block stays when the file
// cannot be read. 1 or 0.
int ReadFileBytes(CSiteObject& object, const char* path);
// Imports a picture file into an Image item: the format is told by the file's first
// bytes (GIF makes a GIF item, BMP is stored as PNG, JPEG sets the JPEG flag). A file
// that does not decode leaves the item as it was, shows a message and gives 0.
int ImportImageFile(CImageItem& item, const char* path);
// Replaces the item's stored bytes by an encoding of its picture made in memory (JPEG of
// quality 80 for a JPEG item, else PNG).
bool SaveItemPictureTemp(CImageItem& item);
// Makes the item a JPEG item: its picture encoded as JPEG of quality 80 becomes the stored
// bytes and is decoded again.
bool SaveItemPictureTempJpeg(CImageItem& item);
