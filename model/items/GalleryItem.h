// A gallery: one large picture above a centred strip of thumbnails; on the page a click
// on a thumbnail swaps the large picture.
#pragma once
#include "model/Item.h"
#include "model/ItemTypes.h"
#include "model/items/ImageItem.h"
#include <memory>
#include <vector>

class CGalleryItem : public CItem {
public:
    CGalleryItem()
    {
        m_nType = ITEM_GALLERY;
        m_bPositioned = 1;
        MakeFillAndPadding();
    }

    void Serialize(CArchive& ar, int version) override;
    // The base extras, then each picture's.
    void SerializeExtra(CArchive& ar, int version) override;
    // Also hands the styles to the pictures and their thumbnails.
    void SetSiteStyles(CSiteStyles* styles) override;
    void WriteHtml(CPageOutput& out) override;
    void RecalcLayout() override;
    void Draw(CDC* dc) override;
    bool ExportFiles(CPublishContext& context) override;

    // Height of the thumbnail strip.
    int GetStripHeight() const;
    // Height of the big picture's view above the strip.
    int ViewHeight() const;
    // Takes ownership and appends.
    void AddPicture(CImageItem* picture);

    std::vector<std::unique_ptr<CImageItem>> m_pictures;
    int m_nCurrent = 0;
    int m_nThumbWidth = 100;
    int m_nThumbMode = 0; // 0, 2: thumbnails of the thumbnail height; 1, 3: of the width
    int m_nCellPadding = 10;
    int m_nThumbHeight = 70;
    COLORREF m_crThumbBorder = 0x808080;
    COLORREF m_crThumbBack = 0xFFFFFF;
    int m_nThumbBorder = 1;
    int m_nThumbPadding = 2;
    int m_nArchivedSince88 = 0;
};

// The picture shown large: the current one, the first when the index is out of range,
// null for an empty gallery.
CImageItem* GetGalleryPicture(CGalleryItem& gallery);
// Makes the image's thumbnail, replacing any it had.
void MakeScaledCopy(CGalleryItem& gallery, CImageItem& image);
// Resamples the image's picture to width x height (both at least 1) and stores it.
void ResizeItemPicture(CImageItem& image, int width, int height);
// The object's publish file name with blanks as "%20".
CString FixFileUrl(const CSiteObject& object);
