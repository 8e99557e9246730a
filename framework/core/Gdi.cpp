#include "framework/core/Gdi.h"

#include "framework/core/Dc.h"
#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <QtGui/QFontMetricsF>
#include <QtGui/QPainterPath>
#include <QtGui/QPolygon>

int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const long long p = (long long)a * b;
    long long q = p / c;
    const long long rem = p % c;
    // Round half away from zero.
    if (2 * std::llabs(rem) >= std::llabs((long long)c))
        q += ((p < 0) != (c < 0)) ? -1 : 1;
    // a result no int holds is -1, as the platform's own MulDiv answers
    if (q > std::numeric_limits<int>::max() || q < std::numeric_limits<int>::min())
        return -1;
    return int(q);
}

void SetLogFontFace(LOGFONT& lf, const char* face)
{
    std::memset(lf.lfFaceName, 0, sizeof lf.lfFaceName);
    if (face)
        std::strncpy(lf.lfFaceName, face, sizeof lf.lfFaceName - 1);
}

BOOL CGdiObject::DeleteObject()
{
    const bool was = m_created;
    m_created = false;
    return was;
}

BOOL CPen::CreatePen(int style, int width, COLORREF color)
{
    m_style = style;
    m_width = std::max(0, width);
    m_color = color;
    m_created = true;
    return TRUE;
}

BOOL CPen::DeleteObject()
{
    m_style = PS_SOLID;
    m_width = 1;
    m_color = 0;
    return CGdiObject::DeleteObject();
}

BOOL CBrush::CreateSolidBrush(COLORREF color)
{
    m_hollow = false;
    m_color = color;
    m_created = true;
    return TRUE;
}

BOOL CBrush::CreateHollowBrush()
{
    m_hollow = true;
    m_created = true;
    return TRUE;
}

BOOL CBrush::DeleteObject()
{
    m_hollow = false;
    m_color = 0xFFFFFF;
    return CGdiObject::DeleteObject();
}

BOOL CFont::CreateFontIndirect(const LOGFONT* lf)
{
    if (!lf)
        return FALSE;
    m_lf = *lf;
    m_lf.lfFaceName[sizeof m_lf.lfFaceName - 1] = 0;
    m_created = true;
    return TRUE;
}

BOOL CFont::CreatePointFont(int pointSize, const char* faceName, CDC*)
{
    LOGFONT lf;
    lf.lfHeight = -std::abs(MulDiv(pointSize, 96, 720));
    lf.lfCharSet = DEFAULT_CHARSET;
    SetLogFontFace(lf, faceName);
    return CreateFontIndirect(&lf);
}

int CFont::GetLogFont(LOGFONT* lf) const
{
    if (!lf)
        return 0;
    *lf = m_lf;
    return int(sizeof(LOGFONT));
}

BOOL CFont::DeleteObject()
{
    m_lf = LOGFONT();
    return CGdiObject::DeleteObject();
}

LOGFONT LogFontFromQFont(const QFont& font)
{
    LOGFONT lf;
    int pixels = font.pixelSize();
    if (pixels <= 0)
        pixels = int(std::lround(font.pointSizeF() > 0 ? font.pointSizeF() * 96.0 / 72.0 : 13.0));
    lf.lfHeight = -std::max(1, pixels);
    lf.lfWeight = std::clamp(int(font.weight()), 1, 1000);
    lf.lfItalic = font.italic() ? 1 : 0;
    lf.lfUnderline = font.underline() ? 1 : 0;
    lf.lfStrikeOut = font.strikeOut() ? 1 : 0;
    if (font.styleStrategy() & QFont::NoAntialias)
        lf.lfQuality = NONANTIALIASED_QUALITY;
    // the face is cut on a character boundary so the name stays valid UTF-8
    const QByteArray face = font.family().toUtf8();
    int n = std::min<int>(face.size(), int(sizeof lf.lfFaceName) - 1);
    while (n > 0 && n < face.size() && (static_cast<unsigned char>(face[n]) & 0xC0) == 0x80)
        --n;
    std::memcpy(lf.lfFaceName, face.constData(), std::size_t(n));
    return lf;
}

QFont QFontFromLogFont(const LOGFONT& lf, double scale)
{
    QFont font;
    const QString face = QString::fromUtf8(lf.lfFaceName, int(strnlen(lf.lfFaceName, sizeof lf.lfFaceName)));
    font.setFamily(face.isEmpty() ? QStringLiteral("Arial") : face);
    font.setKerning(false);
    font.setWeight(QFont::Weight(std::clamp(lf.lfWeight == 0 ? FW_NORMAL : int(lf.lfWeight), 1, 1000)));
    font.setItalic(lf.lfItalic != 0);
    font.setUnderline(lf.lfUnderline != 0);
    font.setStrikeOut(lf.lfStrikeOut != 0);
    if (lf.lfQuality == NONANTIALIASED_QUALITY)
        font.setStyleStrategy(QFont::NoAntialias);
    scale = std::abs(scale) > 0 ? std::abs(scale) : 1.0;

    const double height = (lf.lfHeight == 0 ? -13.0 : double(lf.lfHeight)) * scale;
    int pixels = std::max(1, int(std::lround(std::abs(height))));
    font.setPixelSize(pixels);
    if (height > 0) {
        // A positive height is the whole cell (ascent + descent), not the em size.
        const double cell = QFontMetricsF(font).height();
        if (cell > 0)
            font.setPixelSize(std::max(1, int(std::lround(pixels * pixels / cell))));
    }
    if (lf.lfWidth != 0) {
        const double natural = QFontMetricsF(font).averageCharWidth();
        if (natural > 0) {
            const int stretch = int(std::lround(std::abs(lf.lfWidth) * scale * 100.0 / natural));
            font.setStretch(std::clamp(stretch, 1, 4000));
        }
    }
    return font;
}

// Regions.

BOOL CRgn::CreateRectRgn(int l, int t, int r, int b)
{
    CRect rc(l, t, r, b);
    rc.NormalizeRect();
    m_region = QRegion(rc.ToQRect());
    m_created = true;
    return TRUE;
}

BOOL CRgn::CreateEllipticRgn(int l, int t, int r, int b)
{
    CRect rc(l, t, r, b);
    rc.NormalizeRect();
    m_region = rc.IsRectEmpty() ? QRegion() : QRegion(rc.ToQRect(), QRegion::Ellipse);
    m_created = true;
    return TRUE;
}

BOOL CRgn::CreateRoundRectRgn(int l, int t, int r, int b, int ew, int eh)
{
    CRect rc(l, t, r, b);
    rc.NormalizeRect();
    QPainterPath path;
    path.addRoundedRect(QRectF(rc.ToQRect()), std::abs(ew) / 2.0, std::abs(eh) / 2.0);
    m_region = QRegion(path.toFillPolygon().toPolygon());
    m_created = true;
    return TRUE;
}

BOOL CRgn::CreatePolygonRgn(const POINT* points, int count, int fillMode)
{
    if (!points || count < 2)
        return FALSE;
    QPolygon poly;
    for (int i = 0; i < count; ++i)
        poly << points[i].ToQPoint();
    m_region = QRegion(poly, fillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
    m_created = true;
    return TRUE;
}

static int RegionType(const QRegion& r)
{
    if (r.isEmpty())
        return NULLREGION;
    return r.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

int CRgn::CombineRgn(const CRgn* a, const CRgn* b, int mode)
{
    if (!a || (mode != RGN_COPY && !b))
        return RGN_ERROR;
    switch (mode) {
    case RGN_AND: m_region = a->m_region.intersected(b->m_region); break;
    case RGN_OR: m_region = a->m_region.united(b->m_region); break;
    case RGN_XOR: m_region = a->m_region.xored(b->m_region); break;
    case RGN_DIFF: m_region = a->m_region.subtracted(b->m_region); break;
    case RGN_COPY: m_region = a->m_region; break;
    default: return RGN_ERROR;
    }
    m_created = true;
    return RegionType(m_region);
}

BOOL CRgn::PtInRegion(int x, int y) const
{
    return m_region.contains(QPoint(x, y));
}

int CRgn::GetRgnBox(RECT* rc) const
{
    if (rc)
        *rc = m_region.isEmpty() ? CRect() : CRect(m_region.boundingRect());
    return RegionType(m_region);
}

int CRgn::OffsetRgn(int dx, int dy)
{
    m_region.translate(dx, dy);
    return RegionType(m_region);
}

BOOL CRgn::DeleteObject()
{
    m_region = QRegion();
    return CGdiObject::DeleteObject();
}

// Bitmaps.

CBitmap::~CBitmap()
{
    // A bitmap destroyed while selected must not leave the context painting into freed memory.
    if (m_selectedIn)
        m_selectedIn->ReleaseBitmap(this);
}

BOOL CBitmap::CreateCompatibleBitmap(CDC*, int width, int height)
{
    if (m_selectedIn || width < 1 || height < 1 || width > 32767 || height > 32767)
        return FALSE;
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull())
        return FALSE;
    image.fill(0xFF000000u);
    m_image = std::move(image);
    m_created = true;
    return TRUE;
}

BOOL CBitmap::DeleteObject()
{
    if (m_selectedIn)
        return FALSE;
    m_image = QImage();
    return CGdiObject::DeleteObject();
}

// Stock objects.

namespace {
struct StockObjects {
    CBrush brushes[6];
    CPen pens[3];
    CFont ansiFixed, ansiVar, system, gui;
    StockObjects()
    {
        const COLORREF greys[5] = {RGB(255, 255, 255), RGB(192, 192, 192), RGB(128, 128, 128), RGB(64, 64, 64), RGB(0, 0, 0)};
        for (int i = 0; i < 5; ++i)
            brushes[i].CreateSolidBrush(greys[i]);
        brushes[5].CreateHollowBrush();
        pens[0].CreatePen(PS_SOLID, 0, RGB(255, 255, 255));
        pens[1].CreatePen(PS_SOLID, 0, RGB(0, 0, 0));
        pens[2].CreatePen(PS_NULL, 0, 0);
        LOGFONT lf;
        lf.lfCharSet = DEFAULT_CHARSET;
        lf.lfHeight = -13;
        SetLogFontFace(lf, "Courier New");
        ansiFixed.CreateFontIndirect(&lf);
        lf.lfHeight = -11;
        SetLogFontFace(lf, "Arial");
        ansiVar.CreateFontIndirect(&lf);
        SetLogFontFace(lf, "Tahoma");
        gui.CreateFontIndirect(&lf);
        lf.lfHeight = -13;
        lf.lfWeight = FW_BOLD;
        SetLogFontFace(lf, "Arial");
        system.CreateFontIndirect(&lf);
    }
};
StockObjects& Stock()
{
    static StockObjects stock;
    return stock;
}
} // namespace

CGdiObject* GetStockObject(int index)
{
    StockObjects& s = Stock();
    switch (index) {
    case WHITE_BRUSH:
    case LTGRAY_BRUSH:
    case GRAY_BRUSH:
    case DKGRAY_BRUSH:
    case BLACK_BRUSH:
    case NULL_BRUSH: return &s.brushes[index];
    case WHITE_PEN: return &s.pens[0];
    case BLACK_PEN: return &s.pens[1];
    case NULL_PEN: return &s.pens[2];
    case ANSI_FIXED_FONT: return &s.ansiFixed;
    case ANSI_VAR_FONT: return &s.ansiVar;
    case SYSTEM_FONT: return &s.system;
    case DEFAULT_GUI_FONT: return &s.gui;
    default: return nullptr;
    }
}
