#include "model/ItemPlaceholder.h"
#include "framework/core/Dc.h"
#include "model/Item.h"
#include <algorithm>

void DrawPlaceholder(const CItem& item, CDC* dc, const CString& caption, COLORREF colour)
{
    if (!dc)
        return;
    const int saved = dc->SaveDC();
    dc->IntersectClipRect(0, 0, item.m_nWidth, item.m_nHeight);
    const int zoom = std::clamp(dc->GetViewportExt().cx, 1, 2);
    CFont font;
    font.CreatePointFont(80 / zoom, "Arial", dc);
    CFont* oldFont = dc->SelectObject(&font);
    const CSize size = dc->GetTextExtent(caption);
    CBrush brush(colour);
    CBrush* oldBrush = dc->SelectObject(&brush);
    dc->Rectangle(0, 0, size.cx, size.cy);
    const int oldMode = dc->SetBkMode(TRANSPARENT);
    dc->TextOut(0, 0, caption);
    dc->SetBkMode(oldMode);
    if (oldBrush)
        dc->SelectObject(oldBrush);
    if (oldFont)
        dc->SelectObject(oldFont);
    dc->RestoreDC(saved);
}
