// An embedded map.
#pragma once
#include "model/Item.h"
#include "model/ItemTypes.h"

class CGoogleMapItem : public CItem {
public:
    CGoogleMapItem()
    {
        m_nType = ITEM_GOOGLE_MAP;
        m_nWidth = 600;
        m_nHeight = 400;
        m_nWidthMode = 0;
        m_nHeightMode = 0;
        m_bPositioned = 1;
        MakeFillAndPadding();
    }
    void Serialize(CArchive& ar, int version) override;
    void WriteHtml(CPageOutput& out) override;
    void Draw(CDC* dc) override;
    // The first centre from the system's language.
    void SetDefaultCentre();
    // The centre for a language id of the system (the Windows numbering).
    void SetDefaultCentre(int languageId);

    double m_dLongitude = 0.0;
    double m_dLatitude = 51.4766320414543;
    CString m_strApiKey;
    int m_nZoom = 14;
    int m_bMarker = 1;
    int m_nApiVersion = 1;
};

// The system's default language as a Windows language id (0 when unknown).
int SystemLanguageId();
