// A text link with its own hover look.
#pragma once
#include "model/Item.h"
#include "model/ItemTypes.h"

class CLinkItem : public CItem {
public:
    CLinkItem()
    {
        m_nType = ITEM_LINK;
        m_bPositioned = 1;
        m_nWidthMode = 1;
        m_nTextAlign = 2;
        m_nDecoration = 0;
        m_crExtra[kHoverText] = 0xFFFFFFFF;
        m_crExtra[kHoverBorder] = 0xFFFFFFFF;
        m_dTransition = 0.5;
        MakeFillAndPadding();
    }
    // Where the item's spare colours keep the hover colours.
    static constexpr int kHoverText = 0;
    static constexpr int kHoverBorder = 4;

    void Serialize(CArchive& ar, int version) override;
    // The hover fill's values beyond the project layout.
    void SerializeExtra(CArchive& ar, int version) override;
    void WriteHtml(CPageOutput& out) override;
    void RecalcLayout() override;
    void Draw(CDC* dc) override;
    bool ExportFiles(CPublishContext& context) override;
    // A taller or shorter box grows or shrinks the top and bottom padding.
    void SetRect(int left, int top, int right, int bottom) override;

    // The normal and hover rule texts of the page CSS.
    CString GetNormalCss();
    CString GetHoverCss(CFolder* folder);

    COptionalFill m_hoverFill;
    int m_nHoverBold = 2, m_nHoverItalic = 2;
    int m_nHoverDecoration = 0; // 1 none, 2 underline, 3 line-through
};

// The hover rule text shared by links and buttons: italic, bold, decoration (1 none,
// 2 underline, 3 line-through), border and text colour when set, then the fill.
CString HoverCss(int italic, int bold, int decoration, COLORREF border, COLORREF text, const CFillStyle& fill);
// "transition: border %fs, color %fs, background %fs;" for a time above 0, else empty.
CString TransitionCss(double seconds);

// The icon tag of a link or category entry at (left, top) of its item.
CString LinkIconTag(const CItem& item, const CPageOutput& out, int left, int top);
