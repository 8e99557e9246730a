// A video file played in the page.
#pragma once
#include "model/Item.h"
#include "model/ItemTypes.h"

class CVideoStreamItem : public CItem {
public:
    CVideoStreamItem()
    {
        m_nType = ITEM_VIDEO_STREAM;
        m_bPositioned = 1;
        MakeFillAndPadding();
    }
    void Serialize(CArchive& ar, int version) override;
    void WriteHtml(CPageOutput& out) override;
    void Draw(CDC* dc) override;

    int m_bShowController = 1;
    int m_bAutoStart = 1;
};
