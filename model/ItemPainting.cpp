#include "model/ItemPainting.h"
#include "framework/core/Colors.h"
#include "framework/core/Dc.h"
#include "model/Clipboard.h"
#include "model/GroupItem.h"
#include "model/Item.h"
#include "model/MasterItem.h"
#include "model/TextRuns.h"
#include "model/TextStyle.h"
#include "model/items/CategoriesItem.h"
#include "model/items/ExternalWebsiteItem.h"
#include "model/items/FacebookItem.h"
#include "model/items/HtmlItem.h"
#include "model/items/JavaScriptItem.h"
#include "model/items/LikeButtonItem.h"
#include "model/items/LinkItem.h"
#include "model/items/MarqueeItem.h"
#include "model/items/ParagraphItem.h"
#include "model/items/PhpItem.h"
#include "model/items/PreformattedTextItem.h"
#include "model/items/TextItem.h"
#include <algorithm>
#include <cstdlib>

// ---------------------------------------------------------------- item base

void CItem::DrawFill(CDC* dc)
{
    if (!dc)
        return;
    const CRect r(0, 0, m_nWidth, m_nHeight);
    if (!tessel::ColorIsUnset(m_crLayoutBack)) {
        const COLORREF colour = m_crLayoutBack & 0xFFFFFF;
        if (m_nBorderRadius == 0) {
            dc->FillSolidRect(r, colour);
        } else {
            CBrush brush(colour);
            CBrush* oldBrush = dc->SelectObject(&brush);
            CGdiObject* oldPen = dc->SelectStockObject(NULL_PEN);
            dc->RoundRect(r.left, r.top, r.right, r.bottom, 2 * m_nBorderRadius, 2 * m_nBorderRadius);
            dc->SelectObject(oldPen);
            dc->SelectObject(oldBrush);
        }
    }
    if (m_pFill)
        m_pFill->Paint(dc, r.left, r.top, r.right, r.bottom, m_nBorderRadius);
    if (m_pStyleClass)
        m_pStyleClass->m_fill.Paint(dc, r.left, r.top, r.right, r.bottom, m_nBorderRadius);
}

void CItem::DrawBorders(CDC* dc)
{
    if (!dc)
        return;
    const int* w = m_nEffBorder;
    const COLORREF* c = m_crEffBorder;
    const int width = m_nWidth, height = m_nHeight;
    if (w[SIDE_LEFT] > 0 && w[0] == w[1] && w[0] == w[2] && w[0] == w[3] && c[0] == c[1] && c[0] == c[2] && c[0] == c[3]) {
        CPen pen(PS_SOLID, w[SIDE_LEFT], c[SIDE_LEFT] & 0xFFFFFF);
        CPen* oldPen = dc->SelectObject(&pen);
        CGdiObject* oldBrush = dc->SelectStockObject(HOLLOW_BRUSH);
        if (m_nBorderRadius != 0)
            dc->RoundRect(0, 0, width, height, 2 * m_nBorderRadius, 2 * m_nBorderRadius);
        else
            dc->Rectangle(0, 0, width, height);
        dc->SelectObject(oldBrush);
        dc->SelectObject(oldPen);
        return;
    }
    const int left = w[SIDE_LEFT], top = w[SIDE_TOP], bottom = w[SIDE_BOTTOM], right = w[SIDE_RIGHT];
    if (left > 0)
        dc->FillSolidRect(CRect(-left, -top, 0, height + bottom), c[SIDE_LEFT] & 0xFFFFFF);
    if (top > 0)
        dc->FillSolidRect(CRect(-left, -top, width + right, 0), c[SIDE_TOP] & 0xFFFFFF);
    if (right > 0)
        dc->FillSolidRect(CRect(width, -top, width + right, height + bottom), c[SIDE_RIGHT] & 0xFFFFFF);
    if (bottom > 0)
        dc->FillSolidRect(CRect(-left, height, width + right, height + bottom), c[SIDE_BOTTOM] & 0xFFFFFF);
}

// ---------------------------------------------------------------- text painters

namespace {

CRect ContentRect(const CItem& item)
{
    return CRect(item.m_nInset[SIDE_LEFT], item.m_nInset[SIDE_TOP], item.m_nWidth - item.m_nInset[SIDE_RIGHT],
                 item.m_nHeight - item.m_nInset[SIDE_BOTTOM]);
}

UINT AlignFlags(int textAlign)
{
    return textAlign == 1 ? DT_RIGHT : (textAlign == 2 ? DT_CENTER : DT_LEFT);
}

// The measured extent of the item's text at a wrap width, in its layout font.
CRect MeasureItemText(const CItem& item, int wrap, bool letterSpacing)
{
    CDC dc;
    CFont font;
    font.CreateFontIndirect(item.m_lfText.Get());
    dc.SelectObject(&font);
    if (letterSpacing)
        dc.SetTextCharacterExtra(item.m_nLetterSpacing);
    CRect r(0, 0, wrap, 0);
    DrawTextWithFallback(&dc, &item.m_strText, &r);
    return r;
}

} // namespace

void DrawItemText(CItem& item, CDC* dc, UINT flags, bool letterSpacing, int leftShift)
{
    if (!dc)
        return;
    item.CItem::Draw(dc);
    if (item.m_strText.IsEmpty())
        return;
    const int saved = dc->SaveDC();
    CFont font;
    font.CreateFontIndirect(item.m_lfText.Get());
    dc->SelectObject(&font);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(item.m_crLayoutText & 0xFFFFFF);
    if (letterSpacing)
        dc->SetTextCharacterExtra(item.m_nLetterSpacing);
    CRect r = ContentRect(item);
    r.left += leftShift;
    dc->DrawTextW(item.m_strText.GetBuffer(), -1, &r, flags | AlignFlags(item.m_nTextAlign));
    dc->RestoreDC(saved);
}

void CPreformattedTextItem::Draw(CDC* dc)
{
    DrawItemText(*this, dc, kTextPaintFlags, false);
}

void CHtmlItem::Draw(CDC* dc)
{
    DrawItemText(*this, dc, kTextPaintFlags, true);
}

void CPhpItem::Draw(CDC* dc)
{
    DrawItemText(*this, dc, kCodePaintFlags, true);
}

void CJavaScriptItem::Draw(CDC* dc)
{
    DrawItemText(*this, dc, kCodePaintFlags, true);
}

void CTextItem::Draw(CDC* dc)
{
    const bool icon = m_nIcon > 0;
    DrawItemText(*this, dc, kTextPaintFlags, true, icon ? 24 : 0);
    if (dc && icon && m_dib.IsValid())
        m_dib.DrawTransparent(dc, m_nInset[SIDE_LEFT], m_nHeight * 3 / 5 - 10);
}

void CExternalWebsiteItem::Draw(CDC* dc)
{
    if (!dc)
        return;
    dc->DrawFocusRect(CRect(0, 0, m_nWidth, m_nHeight));
    CItem::Draw(dc);
    const int saved = dc->SaveDC();
    CFont font;
    font.CreateFontIndirect(m_lfText.Get());
    dc->SelectObject(&font);
    dc->SetBkMode(OPAQUE);
    dc->SetBkColor(0xFFFFFF);
    dc->SetTextColor(0);
    CRect r = ContentRect(*this);
    if (!m_strText.IsEmpty())
        dc->DrawTextW(m_strText.GetBuffer(), -1, &r, kTextPaintFlags | DT_LEFT);
    dc->SetBkMode(TRANSPARENT);
    dc->RestoreDC(saved);
}

void CParagraphItem::Draw(CDC* dc)
{
    if (!dc)
        return;
    CItem::Draw(dc);
    if (m_dib2.IsValid())
        m_dib2.DrawTransparent(dc, m_nInset[SIDE_LEFT], m_nInset[SIDE_TOP]);
}

// ---------------------------------------------------------------- social previews

namespace {

void ThumbPath(CDC* dc, int dx, int dy)
{
    static const POINT kThumb[] = {{10, 10}, {12, 10}, {15, 5}, {16, 5}, {16, 9}, {18, 9},
                                   {19, 10}, {19, 15}, {18, 16}, {13, 16}, {12, 15}, {10, 15}};
    dc->BeginPath();
    dc->MoveTo(kThumb[0].x + dx, kThumb[0].y + dy);
    for (size_t i = 1; i < std::size(kThumb); ++i)
        dc->LineTo(kThumb[i].x + dx, kThumb[i].y + dy);
    dc->CloseFigure();
    dc->EndPath();
    dc->StrokeAndFillPath();
}

} // namespace

void DrawLikeButtonPreview(CDC* dc, int dx, int dy)
{
    if (!dc)
        return;
    {
        CPen pen(PS_SOLID, 1, 0xE7D4CA);
        CBrush brush(0xF5EEEC);
        CPen* oldPen = dc->SelectObject(&pen);
        CBrush* oldBrush = dc->SelectObject(&brush);
        dc->RoundRect(dx, dy, dx + 64, dy + 24, 4, 4);
        dc->SelectObject(oldBrush);
        dc->SelectObject(oldPen);
    }
    dc->SelectStockObject(BLACK_PEN);
    dc->SelectStockObject(WHITE_BRUSH);
    dc->SelectStockObject(ANSI_VAR_FONT);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(0x98593B);
    dc->TextOut(dx + 24, dy + 5, CString("Like!"));
    CPen thumbPen(PS_SOLID, 1, 0x995836);
    CBrush thumbBrush(0xB68A73);
    CPen* oldPen = dc->SelectObject(&thumbPen);
    CBrush* oldBrush = dc->SelectObject(&thumbBrush);
    dc->Rectangle(dx + 7, dy + 10, dx + 10, dy + 16);
    dc->SelectStockObject(WHITE_BRUSH);
    ThumbPath(dc, dx, dy);
    dc->SelectObject(oldBrush);
    dc->SelectObject(oldPen);
}

void CLikeButtonItem::Draw(CDC* dc)
{
    if (!dc)
        return;
    const int saved = dc->SaveDC();
    DrawLikeButtonPreview(dc, 0, 0);
    dc->SetTextColor(0);
    dc->TextOut(70, 5, m_strPage);
    dc->RestoreDC(saved);
}

void CFacebookItem::Draw(CDC* dc)
{
    if (!dc)
        return;
    const int saved = dc->SaveDC();
    dc->SelectStockObject(HOLLOW_BRUSH);
    CPen frame(PS_SOLID, 1, m_crBorder & 0xFFFFFF);
    dc->SelectObject(&frame);
    dc->Rectangle(0, 0, m_nWidth, m_nHeight);
    dc->SelectStockObject(BLACK_PEN);
    CFont font;
    font.CreatePointFont(120, "Verdana");
    dc->SelectObject(&font);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(0x98593B);
    dc->TextOut(10, 10, CString::Formatted("%s on Facebook", m_strPage.GetString()));
    DrawLikeButtonPreview(dc, 10, 30);
    dc->SetTextColor(0);
    dc->RestoreDC(saved);
}

// ---------------------------------------------------------------- measuring

void CTextItem::RecalcLayout()
{
    CItem::RecalcLayout();
    if (m_nIcon > 0)
        RenderItemIcon(m_dib, m_nIcon, m_crIcon, m_nIconShading, m_bIconShadow);
    // Without fonts (no GUI application) the size stays as it is.
    if (!CanLayOutText())
        return;
    // The icon's room is part of what the text needs, so a fixed width that already
    // holds text and icon stays as it is.
    const int iconRoom = m_nIcon != 0 ? 24 : 0;
    const int insets = m_nInset[SIDE_LEFT] + m_nInset[SIDE_RIGHT] + iconRoom;
    // Text wraps inside the content box, where it is painted.
    auto measure = [&](int wrap) { return MeasureItemText(*this, std::max(wrap, 1), true); };
    CRect r;
    if (m_nWidthMode == 0) {
        r = measure(m_nWidth - insets);
        // Too narrow for its longest word: the width becomes automatic, as the page
        // then writes no width and the browser lays the text out unwrapped.
        if (m_nWidth < r.Width() + insets)
            m_nWidthMode = 1;
    }
    if (m_nWidthMode != 0) {
        if (FillsInnerWidth(*this) && m_nWidth > insets) {
            // A heading in the flow is a block as wide as its group's inside.
            r = measure(m_nWidth - insets);
        } else {
            r = measure(10000);
            m_nWidth = r.Width() + insets;
        }
    }
    if (m_nHeightMode != 0)
        m_nHeight = r.Height() + m_nInset[SIDE_TOP] + m_nInset[SIDE_BOTTOM];
    if (m_nIcon != 0)
        m_nHeight = std::max(m_nHeight, 16);
}

void CPreformattedTextItem::RecalcLayout()
{
    CItem::RecalcLayout();
    if (!CanLayOutText())
        return;
    const CRect r = MeasureItemText(*this, 10000, false);
    m_nWidth = std::max(m_nWidth, r.Width() + m_nInset[SIDE_LEFT] + m_nInset[SIDE_RIGHT]);
    m_nHeight = r.Height() + m_nInset[SIDE_TOP] + m_nInset[SIDE_BOTTOM];
}

void CPhpItem::RecalcLayout()
{
    CItem::RecalcLayout();
}

void CHtmlItem::RecalcLayout()
{
    CItem::RecalcLayout();
}

void CJavaScriptItem::RecalcLayout()
{
    CItem::RecalcLayout();
}

void CExternalWebsiteItem::RecalcLayout()
{
    CItem::RecalcLayout();
}

void CParagraphItem::RecalcLayout()
{
    CItem::RecalcLayout();
    SetRichEditFont(*this, nullptr);
    m_dib2.Free();
    const CRect r = GetRect();
    const int left = std::min(r.left, r.right), right = std::max(r.left, r.right);
    const int content = (right - m_nInset[SIDE_RIGHT]) - (left + m_nInset[SIDE_LEFT]);
    if (content < 1)
        return;
    MeasureRichText(*this, content);
    if (!m_dib2.IsValid())
        return;
    m_nWidth = m_nTextWidth + m_nInset[SIDE_LEFT] + m_nInset[SIDE_RIGHT];
    const int needed = m_nTextHeight + m_nInset[SIDE_TOP] + m_nInset[SIDE_BOTTOM];
    if (m_nHeight < needed)
        m_nHeightMode = 1;
    if (m_nHeightMode != 0)
        m_nHeight = needed;
}

void CMarqueeItem::RecalcLayout()
{
    CItem::RecalcLayout();
    SetRichEditFont(*this, nullptr);
    const int width = std::abs(m_nWidth) - m_nInset[SIDE_LEFT] - m_nInset[SIDE_RIGHT];
    const int height = std::abs(m_nHeight) - m_nInset[SIDE_TOP] - m_nInset[SIDE_BOTTOM];
    MeasureRichText(*this, 10000);
    if (width < 1 || height < 1) {
        m_dib2.Free();
        return;
    }
    if (m_dib2.IsValid() && (width < m_nTextWidth || height < m_nTextHeight)) {
        CDib cut;
        cut.Create(width, height);
        cut.FillRect(0xFFFFFFFFu);
        m_dib2.CopyTo(cut, 0, 0);
        cut.SetOpaqueFlag(0);
        m_dib2 = std::move(cut);
    }
}

// ---------------------------------------------------------------- resizing

namespace {

// Moves a positioned item and sizes it; returns whether width and height changed.
std::pair<bool, bool> PlaceAndSize(CItem& item, int left, int top, int right, int bottom)
{
    if (item.m_bPositioned) {
        item.m_nX = left;
        item.m_nY = top;
    }
    const bool widthChanged = right - left != item.m_nWidth;
    const bool heightChanged = bottom - top != item.m_nHeight;
    item.m_nWidth = right - left;
    item.m_nHeight = bottom - top;
    return {widthChanged, heightChanged};
}

} // namespace

void CPhpItem::SetRect(int left, int top, int right, int bottom)
{
    PlaceAndSize(*this, left, top, right, bottom);
    RecalcLayout();
}

void CJavaScriptItem::SetRect(int left, int top, int right, int bottom)
{
    PlaceAndSize(*this, left, top, right, bottom);
    RecalcLayout();
}

void CHtmlItem::SetRect(int left, int top, int right, int bottom)
{
    const auto [widthChanged, heightChanged] = PlaceAndSize(*this, left, top, right, bottom);
    if (widthChanged)
        m_nWidthMode = 0;
    if (heightChanged)
        m_nHeightMode = 0;
    RecalcLayout();
}

void CTextItem::SetRect(int left, int top, int right, int bottom)
{
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    if (m_bPositioned) {
        m_nX = left;
        m_nY = top;
    }
    const int newWidth = right - left, newHeight = bottom - top;
    const bool widthChanged = newWidth != m_nWidth;
    const bool heightChanged = newHeight != m_nHeight;
    if (widthChanged && heightChanged) {
        // A corner drag scales the font with the width; a zero old width keeps it.
        if (m_nWidth != 0) {
            const int size = m_nFontSize == 0 ? 9 : m_nFontSize;
            m_nFontSize = std::max(4, int(static_cast<long long>(size) * newWidth / m_nWidth));
        }
    } else if (widthChanged) {
        m_nWidthMode = 0;
        m_nWidth = newWidth;
    }
    if (m_nHeightMode == 0)
        m_nHeight = newHeight;
    RecalcLayout();
}

void CLinkItem::SetRect(int left, int top, int right, int bottom)
{
    if (m_bPositioned) {
        m_nX = left;
        m_nY = top;
    }
    if (right - left != m_nWidth)
        m_nWidthMode = 0;
    m_nWidth = right - left;
    const int d = (bottom - top) - m_nHeight;
    if (!m_pPadding)
        m_pPadding = std::make_unique<CBoxSpacing>();
    auto grow = [d](std::int32_t& value, std::int32_t& set) {
        value += d / 2;
        if (value < 1) {
            value = 0;
            set = 0;
        } else {
            set = 1;
        }
    };
    grow(m_pPadding->m_nTop, m_pPadding->m_bTop);
    grow(m_pPadding->m_nBottom, m_pPadding->m_bBottom);
    RecalcLayout();
}

// ---------------------------------------------------------------- groups

namespace {

// Paints one item with the origin at its top-left corner.
void DrawAt(CDC* dc, CItem* item)
{
    const int saved = dc->SaveDC();
    const CPoint origin = dc->GetViewportOrg();
    dc->SetViewportOrg(origin.x + item->m_nX, origin.y + item->m_nY);
    item->Draw(dc);
    dc->RestoreDC(saved);
}

constexpr int kScrollBar = 17;

void DrawScrollBars(CDC* dc, int width, int height)
{
    // Track and end buttons of both bars, then the corner square.
    const COLORREF track = 0xEAEEEF, button = 0xE0D0D0;
    const int barHeight = height - kScrollBar, barWidth = width - kScrollBar;
    dc->FillSolidRect(CRect(width - kScrollBar, 0, width, barHeight), track);
    dc->FillSolidRect(CRect(width - kScrollBar, 0, width, kScrollBar), button);
    dc->FillSolidRect(CRect(width - kScrollBar, barHeight - kScrollBar, width, barHeight), button);
    dc->FillSolidRect(CRect(0, height - kScrollBar, barWidth, height), track);
    dc->FillSolidRect(CRect(0, height - kScrollBar, kScrollBar, height), button);
    dc->FillSolidRect(CRect(barWidth - kScrollBar, height - kScrollBar, barWidth, height), button);
    dc->FillSolidRect(CRect(width - kScrollBar, height - kScrollBar, width, height), 0xE0E0E0);
}

} // namespace

void CGroupItem::Draw(CDC* dc)
{
    if (!dc)
        return;
    CItem::Draw(dc);
    const int saved = dc->SaveDC();
    if (m_nOverflow != 3) {
        ClipToBox(dc, m_nWidth, m_nHeight);
    }
    for (const auto& child : m_children)
        DrawAt(dc, child.get());
    if (m_pMaster2)
        for (const auto& child : m_pMaster2->GetChildren())
            DrawAt(dc, child.get());
    if (m_nOverflow == 2)
        DrawScrollBars(dc, m_nWidth, m_nHeight);
    if (m_nEffBorder[0] == 0 && m_nEffBorder[1] == 0 && m_nEffBorder[2] == 0 && m_nEffBorder[3] == 0)
        dc->DrawFocusRect(CRect(0, 0, m_nWidth, m_nHeight));
    dc->RestoreDC(saved);
}

void CGroupItem::DrawChildren(CDC* dc)
{
    if (!dc)
        return;
    DrawFill(dc);
    DrawBorders(dc);
    for (const auto& child : m_children)
        DrawAt(dc, child.get());
    if (m_pMaster2)
        for (const auto& child : m_pMaster2->GetChildren())
            DrawAt(dc, child.get());
}

namespace {

// Kinds that stand in the page's flow as a picture or player on a line of text (an inline
// element in a block): the browser sets it on the text's baseline, so its line is at least
// a text line high and keeps the text's descent under the picture.
bool FlowsOnTextLine(int type)
{
    switch (type) {
    case ITEM_IMAGE: case ITEM_IMAGE_BUTTON: case ITEM_GIF: case ITEM_IMAGE_CLONE: case ITEM_ARTISTIC_TEXT:
    case ITEM_SYMBOL: case ITEM_SHAPE: case ITEM_FLASH: case ITEM_AUDIO_STREAM: case ITEM_VIDEO_STREAM:
    case ITEM_EXTERNAL_IMAGE: case ITEM_EXTERNAL_WEBSITE: case ITEM_TEXT_AREA: return true;
    default: return false;
    }
}

// Kinds whose flowing element is inline in a block of its own (CItem::WriteTextBoxStyle):
// the block spans the line, so the item is placed across as the block's text, by its text
// alignment or else by its box alignment.
bool FlowsInTextBox(int type)
{
    switch (type) {
    case ITEM_CHECK_BOX: case ITEM_DATE_PICKER: case ITEM_EMAIL: case ITEM_EXTERNAL_IMAGE: case ITEM_EXTERNAL_WEBSITE:
    case ITEM_FLASH: case ITEM_IMAGE: case ITEM_IMAGE_BUTTON: case ITEM_GIF: case ITEM_IMAGE_CLONE:
    case ITEM_ARTISTIC_TEXT: case ITEM_SYMBOL: case ITEM_SHAPE: case ITEM_INPUT_FIELD: case ITEM_SUBMIT_BUTTON:
    case ITEM_TEXT_AREA: case ITEM_TEXT: return true;
    default: return false;
    }
}

// Form controls measure their box with their border, as the browser's control box holds it.
bool BoxHoldsBorder(int type)
{
    return type == ITEM_INPUT_FIELD || type == ITEM_LIST_CONTROL || type == ITEM_DATE_PICKER;
}

} // namespace

void CGroupItem::RecalcLayout()
{
    CItem::RecalcLayout();
    // Pages and bands show their borders on the canvas as the strips around them.
    for (int i = 0; i < 4; ++i) {
        m_nStrip[i] = m_nEffBorder[i];
        m_crStrip[i] = m_crEffBorder[i];
    }
    int y = m_nInset[SIDE_TOP];
    // The text line of the group's font, measured when a child stands on one.
    int lineAscent = -1, lineDescent = 0;
    auto measureLine = [&] {
        if (lineAscent >= 0)
            return;
        lineAscent = 0;
        if (!CanLayOutText())
            return;
        CDC dc;
        CFont font;
        font.CreateFontIndirect(m_lfText.Get());
        dc.SelectObject(&font);
        TEXTMETRIC tm{};
        if (dc.GetTextMetrics(&tm)) {
            lineAscent = std::max(0, int(tm.tmAscent));
            lineDescent = std::max(0, int(tm.tmDescent));
        }
    };
    for (const auto& p : m_children) {
        CItem& child = *p;
        if (child.m_bPositioned)
            continue;
        // Margins are kept top, left, bottom, right.
        const int marginTop = child.m_nEffMargin[0], marginLeft = child.m_nEffMargin[1];
        const int marginBottom = child.m_nEffMargin[2], marginRight = child.m_nEffMargin[3];
        if (marginTop > 0)
            y += marginTop;
        const bool outerBorder = !BoxHoldsBorder(child.m_nType);
        if (outerBorder && child.m_nEffBorder[SIDE_TOP] > 0)
            y += child.m_nEffBorder[SIDE_TOP];
        child.m_nY = y;
        y += child.m_nHeight;
        if (FlowsOnTextLine(child.m_nType)) {
            // a picture lower than the text's ascent sits on the baseline, below the line's top
            measureLine();
            const int above = std::max(0, lineAscent - child.m_nHeight);
            child.m_nY += above;
            y += above + lineDescent;
        }
        if (marginBottom > 0)
            y += marginBottom;
        if (outerBorder && child.m_nEffBorder[SIDE_BOTTOM] > 0)
            y += child.m_nEffBorder[SIDE_BOTTOM];
        int align = child.m_nBlockAlign >= 0 ? child.m_nBlockAlign : m_nTextAlign;
        if (FlowsInTextBox(child.m_nType)) {
            if (child.m_nTextAlign == 1 || child.m_nTextAlign == 2)
                align = child.m_nTextAlign;
            else
                align = child.m_nBlockAlign == 1 || child.m_nBlockAlign == 2 ? child.m_nBlockAlign : 0;
        }
        // Undefined (3) writes no automatic margin: the browser puts the child at the left.
        if (align == 0 || align == 3)
            child.m_nX = m_nInset[SIDE_LEFT] + marginLeft;
        else if (align == 1)
            child.m_nX = m_nWidth - child.m_nWidth - marginRight - m_nInset[SIDE_RIGHT];
        else if (align == 2)
            child.m_nX = (m_nWidth - child.m_nWidth) / 2;
    }
    const int needed = y + m_nInset[SIDE_BOTTOM];
    if (m_nHeight < needed)
        m_nHeight = needed;
}

void ClipToBox(CDC* dc, int width, int height)
{
    // Through a path, as the system does, so a rotated or scaled context clips alike.
    dc->BeginPath();
    dc->MoveTo(0, 0);
    dc->LineTo(width, 0);
    dc->LineTo(width, height);
    dc->LineTo(0, height);
    dc->LineTo(0, 0);
    dc->CloseFigure();
    dc->EndPath();
    dc->SelectClipPath(RGN_AND);
}
