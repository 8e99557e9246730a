// A sound file played in the page; it flows.
#pragma once
#include "model/Item.h"
#include "model/ItemTypes.h"

class CAudioStreamItem : public CItem {
public:
    CAudioStreamItem()
    {
        m_nType = ITEM_AUDIO_STREAM;
        m_nWidth = 300;
        m_nHeight = 26;
        m_bPositioned = 0;
        MakeFillAndPadding();
    }
    void Serialize(CArchive& ar, int version) override;
    void WriteHtml(CPageOutput& out) override;
    void Draw(CDC* dc) override;

    int m_bAutoStart = 0;
};
