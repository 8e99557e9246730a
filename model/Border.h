// One side of a border, and the per-side distances of margins and padding, with their
// archive forms and CSS.
#pragma once
#include "framework/core/CString.h"
#include "framework/core/Types.h"

class CArchive;

enum BorderStyle {
    kBorderNotSet = 0, // inherit
    kBorderNone = 1,
    kBorderSolid = 2,
    kBorderDashed = 3,
    kBorderDotted = 4,
    kBorderDouble = 5,
    kBorderInset = 6,
    kBorderOutset = 7,
};

class CBorderSide {
public:
    CBorderSide() = default;
    // version: project file version times ten. Files before 88 had no "none" style.
    void Serialize(CArchive& ar, int version);

    friend bool operator==(const CBorderSide&, const CBorderSide&) = default;

    COLORREF m_color = 0;
    std::int32_t m_nWidth = 0; // pixels
    std::int32_t m_nStyle = kBorderNotSet;
};

class CBoxSpacing {
public:
    CBoxSpacing() = default;
    void Clear() { *this = CBoxSpacing(); }
    void Serialize(CArchive& ar, int version);

    friend bool operator==(const CBoxSpacing&, const CBoxSpacing&) = default;

    // 1 = the side's value applies.
    std::int32_t m_bLeft = 0, m_bTop = 0, m_bRight = 0, m_bBottom = 0;
    std::int32_t m_nLeft = 0, m_nTop = 0, m_nRight = 0, m_nBottom = 0;
};

// Block alignment of a flowing item, as given to WriteMarginStyle.
enum BlockAlignment { kBlockLeft = 0, kBlockRight = 1, kBlockCentre = 2 };

// CSS of one side under a property name ("border", "border-left", ...); empty when not set.
CString WriteBorderStyle(const CBorderSide& side, const char* name);
// "padding-left:4px;..." for each side that is set.
CString WritePaddingStyle(const CBoxSpacing& box);
// "margin-...:Npx;" for each side that is set; the alignment turns the right (left),
// left (right) or both (centre) sides into "auto".
CString WriteMarginStyle(const CBoxSpacing& box, int alignment);
