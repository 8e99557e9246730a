#include "model/items/SymbolItem.h"

#include "framework/core/Dc.h"
#include "framework/core/Gdi.h"
#include "model/SiteObject.h"

#include <QtGui/QFontMetrics>
#include <algorithm>
#include <cstring>

using archive_io::Io;

QString SymbolGlyphText(const LOGFONT& lf, BYTE glyph)
{
    CDC dc;
    CFont font;
    font.CreateFontIndirect(&lf);
    dc.SelectObject(&font);
    const QFontMetrics metrics(dc.DeviceFont());
    const char32_t symbolArea = 0xF000u + glyph;
    if (metrics.inFontUcs4(symbolArea))
        return QString::fromUcs4(&symbolArea, 1);
    return QString(QChar(char16_t(glyph)));
}

CSymbolItem::CSymbolItem()
{
    m_nType = ITEM_SYMBOL;
    std::strcpy(m_lf.lfFaceName, "Wingdings");
    m_lf.lfHeight = -92;
    m_nFrameWidth = 2;
    m_crFrame = 0xE0E0E0;
    m_nInteriorShading = 0;
    m_nFrameShading = 0;
    m_crText = 204;
    m_bPositioned = 1;
}

void CSymbolItem::Serialize(CArchive& ar, int version)
{
    CImageItemBase::Serialize(ar, version);
    BYTE glyph = GetGlyph();
    if (ar.IsStoring()) {
        ar << glyph;
    } else {
        ar >> glyph;
        m_nGlyph = glyph;
    }
    Io(ar, m_crFill2);
    Io(ar, m_crLine2);
    Io(ar, m_nLineWidth2);
    Io(ar, m_nGradient);
    Io(ar, m_bGradient2Way);
    Io(ar, m_nStretch);
    Io(ar, m_nLineStyle2);
    if (ar.IsLoading())
        Render(0);
}

CString CSymbolItem::Describe()
{
    CString s = CImageItemBase::Describe();
    // The glyph byte as a Latin-1 character (a blank for 0).
    const BYTE glyph = GetGlyph();
    const CString shown = CString::FromQString(QString(QChar(glyph ? char16_t(glyph) : u' ')));
    s.AppendFormat("(%s) %s %dpt", shown.GetString(), m_lf.lfFaceName, -MulDiv(m_lf.lfHeight, 72, 96));
    return s;
}

void CSymbolItem::SetRect(int left, int top, int right, int bottom)
{
    ScaleFontToWidth(*this, left, top, right, bottom);
    Render(0);
    RecalcLayout();
    m_nUploadState = 0;
}

void CSymbolItem::RenderOverState()
{
    m_state[1].Copy(m_state[0]);
    CImageItemBase::RenderOverState();
}

void CSymbolItem::Render(int state)
{
    ArtisticLook look;
    look.fill2 = m_crFill2;
    look.line2 = m_crLine2;
    look.lineWidth2 = m_nLineWidth2;
    look.gradient = m_nGradient;
    look.twoWay = m_bGradient2Way;
    look.stretch = m_nStretch;
    look.charExtra = 0;
    look.outerRelief = m_nLineStyle2;
    if (RenderArtisticText(*this, state, SymbolGlyphText(m_lf, GetGlyph()), look))
        CImageItemBase::Render(state);
}
