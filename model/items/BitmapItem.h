// A raw 32-bit bitmap with a file name: the scaled copy of an Image item that galleries
// use as a thumbnail. It has no type code and is archived inside its Image's record.
#pragma once
#include "model/Item.h"

class CBitmapItem : public CItem {
public:
    CBitmapItem() = default;
    ~CBitmapItem() override = default;

    // The item record, then exactly width x height pixels (4 bytes each, bottom row
    // first) of the bitmap as the record's size gives it.
    void Serialize(CArchive& ar, int version) override;
    void Draw(CDC* dc) override;
    // Always a JPEG of quality 80 named after the item; returns true.
    bool ExportFiles(CPublishContext& context) override;

    CDib m_bitmap;
};
