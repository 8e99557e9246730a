#include "model/Border.h"
#include "framework/core/CArchive.h"
#include "model/HtmlWriting.h"
#include <algorithm>

void CBorderSide::Serialize(CArchive& ar, int version)
{
    if (ar.IsStoring()) {
        ar << std::uint32_t(m_color) << m_nWidth << m_nStyle;
        return;
    }
    std::uint32_t color = 0;
    ar >> color >> m_nWidth >> m_nStyle;
    m_color = color;
    // Older files had no "none": their 1 meant solid. Values no old file held stay as
    // they are (and cannot overflow).
    if (version < 88 && m_nStyle > 0 && m_nStyle < kBorderOutset)
        ++m_nStyle;
}

void CBoxSpacing::Serialize(CArchive& ar, int /*version*/)
{
    if (ar.IsStoring())
        ar << m_bLeft << m_bTop << m_bRight << m_bBottom << m_nLeft << m_nTop << m_nRight << m_nBottom;
    else
        ar >> m_bLeft >> m_bTop >> m_bRight >> m_bBottom >> m_nLeft >> m_nTop >> m_nRight >> m_nBottom;
}

CString WriteBorderStyle(const CBorderSide& side, const char* name)
{
    static const char* const words[] = {"solid", "dashed", "dotted", "double", "inset", "outset"};
    CString css;
    if (side.m_nStyle == kBorderNone) {
        css.Format("%s:none;", name);
    } else if (side.m_nStyle >= kBorderSolid && side.m_nStyle <= kBorderOutset) {
        // A negative width (from a damaged file) is not valid CSS.
        css.Format("%s:%dpx %s %s; ", name, std::max(side.m_nWidth, 0), words[side.m_nStyle - kBorderSolid],
                   ColorToHtml(side.m_color).GetString());
    }
    return css;
}

CString WritePaddingStyle(const CBoxSpacing& box)
{
    CString css;
    // Padding cannot be negative in CSS.
    if (box.m_bLeft)
        css.AppendFormat("padding-left:%dpx;", std::max(box.m_nLeft, 0));
    if (box.m_bTop)
        css.AppendFormat("padding-top:%dpx;", std::max(box.m_nTop, 0));
    if (box.m_bRight)
        css.AppendFormat("padding-right:%dpx;", std::max(box.m_nRight, 0));
    if (box.m_bBottom)
        css.AppendFormat("padding-bottom:%dpx;", std::max(box.m_nBottom, 0));
    return css;
}

CString WriteMarginStyle(const CBoxSpacing& box, int alignment)
{
    CString left, top, right, bottom;
    if (box.m_bLeft)
        left.Format("margin-left:%dpx;", box.m_nLeft);
    if (box.m_bTop)
        top.Format("margin-top:%dpx;", box.m_nTop);
    if (box.m_bRight)
        right.Format("margin-right:%dpx;", box.m_nRight);
    if (box.m_bBottom)
        bottom.Format("margin-bottom:%dpx;", box.m_nBottom);
    if (alignment == kBlockLeft || alignment == kBlockCentre)
        right = "margin-right:auto;";
    if (alignment == kBlockRight || alignment == kBlockCentre)
        left = "margin-left:auto;";
    return left + top + right + bottom;
}
