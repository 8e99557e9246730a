// An embedded video of the video service.
#pragma once
#include "model/Item.h"
#include "model/ItemTypes.h"

class CYouTubeItem : public CItem {
public:
    CYouTubeItem()
    {
        m_nType = ITEM_YOUTUBE;
        m_bPositioned = 1;
        MakeFillAndPadding();
    }
    void Serialize(CArchive& ar, int version) override;
    void WriteHtml(CPageOutput& out) override;
    void Draw(CDC* dc) override;
    // "?" and the extra parameters, or nothing.
    CString GetParameterSuffix() const;

    CString m_strVideoId;
    CString m_strParameters;
};
