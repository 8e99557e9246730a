#include "framework/core/Dc.h"

#include "framework/core/Colors.h"
#include <algorithm>
#include <cmath>
#include <QtGui/QFontMetrics>
#include <QtGui/QPainter>
#include <QtGui/QPainterPathStroker>
#include <QtGui/QPolygon>

namespace {

QColor ToQColor(COLORREF c)
{
    return tessel::ColorRefToQColor(c);
}

// Region of the whole device; also the unclipped area of a context without one.
QRect DeviceBounds(const QPaintDevice* device)
{
    if (!device)
        return QRect(-32768, -32768, 65536, 65536);
    return QRect(0, 0, device->width(), device->height());
}

int RegionKind(const QRegion& r)
{
    if (r.isEmpty())
        return NULLREGION;
    return r.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

QRegion RegionFromPath(const QPainterPath& path)
{
    QRegion region;
    const bool oddEven = path.fillRule() == Qt::OddEvenFill;
    for (const QPolygonF& poly : path.toFillPolygons()) {
        const QRegion part(poly.toPolygon(), path.fillRule());
        region = oddEven ? region.xored(part) : region.united(part);
    }
    return region;
}

// The on/off runs of the one-pixel dashed pens, in pixels.
std::vector<int> DashRuns(int style)
{
    switch (style) {
    case PS_DASH: return {18, 6};
    case PS_DOT: return {3, 3};
    case PS_DASHDOT: return {9, 6, 3, 6};
    case PS_DASHDOTDOT: return {9, 3, 3, 3, 3, 3};
    default: return {};
    }
}

bool DashOn(const std::vector<int>& runs, int phase)
{
    if (runs.empty())
        return true;
    int period = 0;
    for (int r : runs)
        period += r;
    phase %= period;
    for (size_t i = 0; i < runs.size(); ++i) {
        if (phase < runs[i])
            return i % 2 == 0;
        phase -= runs[i];
    }
    return true;
}

QString StripPrefixes(const QString& s)
{
    QString out;
    out.reserve(s.size());
    for (int i = 0; i < s.size(); ++i) {
        if (s[i] == u'&') {
            if (i + 1 < s.size())
                out += s[++i];
            continue;
        }
        out += s[i];
    }
    return out;
}

struct TextLayout {
    QFontMetrics fm;
    bool expandTabs;
    int tabWidth;

    int Width(const QString& s) const
    {
        if (!expandTabs || !s.contains(u'\t'))
            return fm.horizontalAdvance(s);
        int x = 0;
        const QStringList parts = s.split(u'\t');
        for (int i = 0; i < parts.size(); ++i) {
            x += fm.horizontalAdvance(parts[i]);
            if (i + 1 < parts.size() && tabWidth > 0)
                x = (x / tabWidth + 1) * tabWidth;
        }
        return x;
    }
};

// Greedy breaking at blanks; a word wider than the line stays whole on a line of its own.
QStringList WrapParagraph(const QString& par, int maxWidth, const TextLayout& layout)
{
    QStringList lines;
    QString line;
    bool lineHasWord = false;
    int i = 0;
    const int n = int(par.size());
    while (i < n) {
        int spaceStart = i;
        while (i < n && par[i] == u' ')
            ++i;
        const QString spaces = par.mid(spaceStart, i - spaceStart);
        int wordStart = i;
        while (i < n && par[i] != u' ')
            ++i;
        const QString word = par.mid(wordStart, i - wordStart);
        if (!lineHasWord) {
            line += spaces + word;
            lineHasWord = !word.isEmpty();
            continue;
        }
        if (word.isEmpty()) { // trailing blanks of the paragraph
            line += spaces;
            continue;
        }
        const QString candidate = line + spaces + word;
        if (layout.Width(candidate) <= maxWidth) {
            line = candidate;
        } else {
            lines << line;
            line = word;
        }
    }
    lines << line;
    return lines;
}

QString Ellipsize(QString line, int maxWidth, const TextLayout& layout)
{
    if (layout.Width(line) <= maxWidth)
        return line;
    const QString dots = QStringLiteral("...");
    while (!line.isEmpty() && layout.Width(line + dots) > maxWidth)
        line.chop(1);
    return line + dots;
}

} // namespace

// Construction and devices.

CDC::CDC()
{
    InitDefaults();
}

CDC::CDC(QPaintDevice* device)
{
    InitDefaults();
    Attach(device);
}

CDC::CDC(QPainter* painter)
{
    InitDefaults();
    Attach(painter);
}

CDC::~CDC()
{
    EndPainter();
    if (m_bitmap)
        m_bitmap->m_selectedIn = nullptr;
    m_bitmap = nullptr;
}

void CDC::InitDefaults()
{
    m_s = State();
    m_s.pen = *static_cast<CPen*>(GetStockObject(BLACK_PEN));
    m_s.brush = *static_cast<CBrush*>(GetStockObject(WHITE_BRUSH));
    m_s.font = *static_cast<CFont*>(GetStockObject(SYSTEM_FONT));
}

void CDC::BeginPainter(QPaintDevice* device)
{
    EndPainter();
    if (!device)
        return;
    auto* painter = new QPainter;
    if (!painter->begin(device)) {
        delete painter;
        return;
    }
    m_painter = painter;
    m_ownsPainter = true;
    m_device = device;
    m_image = device->devType() == QInternal::Image ? static_cast<QImage*>(device) : nullptr;
}

void CDC::EndPainter()
{
    if (m_painter && m_ownsPainter) {
        m_painter->end();
        delete m_painter;
    }
    m_painter = nullptr;
    m_ownsPainter = false;
    m_device = nullptr;
    m_image = nullptr;
}

void CDC::Attach(QPaintDevice* device)
{
    Detach();
    BeginPainter(device);
}

void CDC::Attach(QPainter* painter)
{
    Detach();
    if (!painter || !painter->isActive())
        return;
    m_painter = painter;
    m_ownsPainter = false;
    m_device = painter->device();
    m_image = m_device && m_device->devType() == QInternal::Image ? static_cast<QImage*>(m_device) : nullptr;
}

void CDC::Detach()
{
    EndPainter();
    if (m_bitmap)
        m_bitmap->m_selectedIn = nullptr;
    m_bitmap = nullptr;
}

BOOL CDC::CreateCompatibleDC(CDC*)
{
    Detach();
    m_defaultBitmap = std::make_unique<CBitmap>();
    m_defaultBitmap->CreateCompatibleBitmap(nullptr, 1, 1);
    return SelectObject(m_defaultBitmap.get()) != nullptr || m_bitmap == m_defaultBitmap.get();
}

BOOL CDC::DeleteDC()
{
    Detach();
    return TRUE;
}

// State.

int CDC::SaveDC()
{
    m_saved.push_back(m_s);
    return int(m_saved.size());
}

BOOL CDC::RestoreDC(int saved)
{
    const int count = int(m_saved.size());
    const int index = saved < 0 ? count + saved : saved - 1;
    if (saved == 0 || index < 0 || index >= count)
        return FALSE;
    m_s = m_saved[size_t(index)];
    m_saved.resize(size_t(index));
    return TRUE;
}

COLORREF CDC::SetTextColor(COLORREF c) { return std::exchange(m_s.textColor, c); }
COLORREF CDC::SetBkColor(COLORREF c) { return std::exchange(m_s.bkColor, c); }
int CDC::SetBkMode(int mode) { return std::exchange(m_s.bkMode, mode); }
UINT CDC::SetTextAlign(UINT align) { return std::exchange(m_s.textAlign, align); }
int CDC::SetROP2(int mode) { return std::exchange(m_s.rop2, mode); }
int CDC::SetTextCharacterExtra(int extra) { return std::exchange(m_s.charExtra, extra); }
int CDC::SetStretchBltMode(int mode) { return std::exchange(m_s.stretchMode, mode); }

// Coordinates.

int CDC::SetMapMode(int mode)
{
    const int old = m_s.mapMode;
    m_s.mapMode = mode;
    if (mode == MM_TEXT) {
        m_s.vpExt = CSize(1, 1);
        m_s.winExt = CSize(1, 1);
    }
    return old;
}

CPoint CDC::SetViewportOrg(int x, int y) { return std::exchange(m_s.vpOrg, CPoint(x, y)); }

CPoint CDC::OffsetViewportOrg(int dx, int dy)
{
    return std::exchange(m_s.vpOrg, CPoint(m_s.vpOrg.x + dx, m_s.vpOrg.y + dy));
}


CSize CDC::SetViewportExt(int cx, int cy)
{
    const CSize old = m_s.vpExt;
    if ((m_s.mapMode == MM_ANISOTROPIC || m_s.mapMode == MM_ISOTROPIC) && cx != 0 && cy != 0)
        m_s.vpExt = CSize(cx, cy);
    return old;
}

CSize CDC::SetWindowExt(int cx, int cy)
{
    const CSize old = m_s.winExt;
    if ((m_s.mapMode == MM_ANISOTROPIC || m_s.mapMode == MM_ISOTROPIC) && cx != 0 && cy != 0)
        m_s.winExt = CSize(cx, cy);
    return old;
}

double CDC::ScaleX() const
{
    return m_s.mapMode == MM_TEXT || m_s.winExt.cx == 0 ? 1.0 : double(m_s.vpExt.cx) / m_s.winExt.cx;
}

double CDC::ScaleY() const
{
    return m_s.mapMode == MM_TEXT || m_s.winExt.cy == 0 ? 1.0 : double(m_s.vpExt.cy) / m_s.winExt.cy;
}

QPointF CDC::ToDeviceF(double x, double y) const
{
    return QPointF(x * ScaleX() + m_s.vpOrg.x, y * ScaleY() + m_s.vpOrg.y);
}

QPoint CDC::ToDevice(int x, int y) const
{
    const QPointF p = ToDeviceF(x, y);
    return QPoint(int(std::lround(p.x())), int(std::lround(p.y())));
}

QRect CDC::ToDeviceRect(int l, int t, int r, int b) const
{
    const QPoint a = ToDevice(l, t), c = ToDevice(r, b);
    CRect rc(a.x(), a.y(), c.x(), c.y());
    rc.NormalizeRect();
    return rc.ToQRect();
}

void CDC::LPtoDP(POINT* points, int count) const
{
    for (int i = 0; points && i < count; ++i)
        points[i] = CPoint(ToDevice(points[i].x, points[i].y));
}

void CDC::LPtoDP(RECT* rc) const
{
    if (!rc)
        return;
    const QPoint a = ToDevice(rc->left, rc->top), b = ToDevice(rc->right, rc->bottom);
    *rc = CRect(a.x(), a.y(), b.x(), b.y());
}

void CDC::LPtoDP(SIZE* size) const
{
    if (size)
        *size = CSize(int(std::lround(size->cx * ScaleX())), int(std::lround(size->cy * ScaleY())));
}

void CDC::DPtoLP(POINT* points, int count) const
{
    for (int i = 0; points && i < count; ++i) {
        const double x = (points[i].x - m_s.vpOrg.x) / ScaleX();
        const double y = (points[i].y - m_s.vpOrg.y) / ScaleY();
        points[i] = CPoint(int(std::lround(x)), int(std::lround(y)));
    }
}

void CDC::DPtoLP(RECT* rc) const
{
    if (!rc)
        return;
    CPoint p[2] = {rc->TopLeft(), rc->BottomRight()};
    DPtoLP(p, 2);
    *rc = CRect(p[0], p[1]);
}

void CDC::DPtoLP(SIZE* size) const
{
    if (size)
        *size = CSize(int(std::lround(size->cx / ScaleX())), int(std::lround(size->cy / ScaleY())));
}

// Objects.

// Keeps the previous object where the returned pointer can reach it, then selects the new one.
template <class T>
static T* SwapSelected(std::deque<T>& previous, T& current, const T* next)
{
    if (!next)
        return nullptr;
    previous.push_back(current);
    current = *next;
    return &previous.back();
}

CPen* CDC::SelectObject(const CPen* pen)
{
    return SwapSelected(m_oldPens, m_s.pen, pen);
}

CBrush* CDC::SelectObject(const CBrush* brush)
{
    return SwapSelected(m_oldBrushes, m_s.brush, brush);
}

CFont* CDC::SelectObject(const CFont* font)
{
    return SwapSelected(m_oldFonts, m_s.font, font);
}

CBitmap* CDC::SelectObject(CBitmap* bitmap)
{
    if (!bitmap || bitmap->m_image.isNull())
        return nullptr;
    if (bitmap == m_bitmap)
        return bitmap;
    if (bitmap->m_selectedIn)
        return nullptr; // a bitmap paints for one context at a time
    CBitmap* old = m_bitmap;
    EndPainter();
    if (old)
        old->m_selectedIn = nullptr;
    m_bitmap = bitmap;
    bitmap->m_selectedIn = this;
    BeginPainter(&bitmap->m_image);
    return old;
}

void CDC::ReleaseBitmap(CBitmap* bitmap)
{
    if (!bitmap || bitmap != m_bitmap)
        return;
    EndPainter();
    bitmap->m_selectedIn = nullptr;
    m_bitmap = nullptr;
    if (m_defaultBitmap && bitmap != m_defaultBitmap.get())
        SelectObject(m_defaultBitmap.get());
}

int CDC::SelectObject(const CRgn* region)
{
    return SelectClipRgn(region, RGN_COPY);
}

CGdiObject* CDC::SelectObject(CGdiObject* object)
{
    if (auto* pen = dynamic_cast<CPen*>(object))
        return SelectObject(static_cast<const CPen*>(pen));
    if (auto* brush = dynamic_cast<CBrush*>(object))
        return SelectObject(static_cast<const CBrush*>(brush));
    if (auto* font = dynamic_cast<CFont*>(object))
        return SelectObject(static_cast<const CFont*>(font));
    if (auto* bitmap = dynamic_cast<CBitmap*>(object))
        return SelectObject(bitmap);
    if (auto* region = dynamic_cast<CRgn*>(object)) {
        SelectClipRgn(region, RGN_COPY);
        return nullptr;
    }
    return nullptr;
}

CGdiObject* CDC::SelectStockObject(int index)
{
    return SelectObject(GetStockObject(index));
}

// Painting helpers.

void CDC::PreparePainter(bool forText) const
{
    QPainter* p = m_painter;
    p->resetTransform();
    p->setRenderHint(QPainter::Antialiasing, false);
    p->setRenderHint(QPainter::SmoothPixmapTransform, false);
    p->setRenderHint(QPainter::TextAntialiasing, true);
    p->setBackgroundMode(Qt::TransparentMode);
    if (m_s.clip)
        p->setClipRegion(*m_s.clip);
    else
        p->setClipping(false);
    QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
    if (!forText) {
        switch (m_s.rop2) {
        case R2_XORPEN: mode = QPainter::RasterOp_SourceXorDestination; break;
        case R2_NOTXORPEN: mode = QPainter::RasterOp_NotSourceXorDestination; break;
        case R2_NOT: mode = QPainter::RasterOp_NotDestination; break;
        default: break;
        }
    }
    p->setCompositionMode(mode);
}

static COLORREF RopColor(int rop2, COLORREF c)
{
    if (rop2 == R2_BLACK)
        return 0;
    if (rop2 == R2_WHITE)
        return RGB(255, 255, 255);
    return c;
}

void CDC::FillDevicePath(const QPainterPath& path, COLORREF color) const
{
    if (!CanPaint())
        return;
    PreparePainter();
    m_painter->fillPath(path, ToQColor(RopColor(m_s.rop2, color)));
}

int CDC::DevicePenWidth() const
{
    if (m_s.pen.Style() == PS_NULL)
        return 0;
    if (m_s.pen.Width() <= 1)
        return 1;
    return std::max(1, int(std::lround(m_s.pen.Width() * std::abs(ScaleX()))));
}

// Strokes a path with the current pen: one-pixel pens (dashed or not) as cosmetic lines
// on the path's coordinates, wider pens as a band centred on the pixel centres.
void CDC::StrokeDevicePath(const QPainterPath& path, bool) const
{
    const int width = DevicePenWidth();
    if (width == 0 || !CanPaint())
        return;
    const COLORREF color = RopColor(m_s.rop2, m_s.pen.Color());
    if (width == 1) {
        PreparePainter();
        QPen pen(ToQColor(color));
        pen.setCosmetic(true);
        pen.setWidth(1);
        const std::vector<int> runs = DashRuns(m_s.pen.Style());
        if (!runs.empty()) {
            QList<qreal> pattern;
            for (int r : runs)
                pattern << r;
            pen.setDashPattern(pattern);
        }
        m_painter->strokePath(path, pen);
        return;
    }
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(Qt::RoundCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    QPainterPath band = stroker.createStroke(path.translated(0.5, 0.5));
    band.setFillRule(Qt::WindingFill);
    FillDevicePath(band, color);
}

// Lines and shapes.

CPoint CDC::MoveTo(int x, int y)
{
    const CPoint old = m_s.position;
    m_s.position = CPoint(x, y);
    if (m_inPath)
        m_path.moveTo(ToDevice(x, y));
    return old;
}

// A line from a to b in device pixels, b itself left out (one-pixel pens), dashes
// continuing from dashPhase.
void CDC::DeviceLine(QPoint a, QPoint b, int& dashPhase)
{
    if (m_inPath) {
        if (m_path.elementCount() == 0 || m_path.currentPosition() != QPointF(a))
            m_path.moveTo(a);
        m_path.lineTo(b);
        return;
    }
    const int width = DevicePenWidth();
    if (width == 0 || !CanPaint())
        return;
    if (width > 1) {
        QPainterPath path;
        path.moveTo(a);
        path.lineTo(b);
        StrokeDevicePath(path, false);
        return;
    }
    const std::vector<int> runs = DashRuns(m_s.pen.Style());
    if (std::abs(qint64(b.x()) - a.x()) > 65536 || std::abs(qint64(b.y()) - a.y()) > 65536) {
        // Far beyond any device: let the painter clip it rather than walk every pixel.
        PreparePainter();
        QPen pen(ToQColor(RopColor(m_s.rop2, m_s.pen.Color())));
        pen.setCosmetic(true);
        m_painter->setPen(pen);
        m_painter->drawLine(a, b);
        return;
    }
    QPolygon points;
    int x = a.x(), y = a.y();
    const int dx = std::abs(b.x() - x), sx = x < b.x() ? 1 : -1;
    const int dy = -std::abs(b.y() - y), sy = y < b.y() ? 1 : -1;
    int err = dx + dy;
    while (x != b.x() || y != b.y()) {
        if (DashOn(runs, dashPhase))
            points << QPoint(x, y);
        ++dashPhase;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
    if (points.isEmpty())
        return;
    PreparePainter();
    QPen pen(ToQColor(RopColor(m_s.rop2, m_s.pen.Color())));
    pen.setCosmetic(true);
    pen.setWidth(1);
    m_painter->setPen(pen);
    m_painter->drawPoints(points);
}

BOOL CDC::LineTo(int x, int y)
{
    int phase = 0;
    DeviceLine(ToDevice(m_s.position.x, m_s.position.y), ToDevice(x, y), phase);
    m_s.position = CPoint(x, y);
    return TRUE;
}

BOOL CDC::Polygon(const POINT* points, int count)
{
    if (!points || count < 2)
        return FALSE;
    QPolygon poly;
    for (int i = 0; i < count; ++i)
        poly << ToDevice(points[i].x, points[i].y);
    if (m_inPath) {
        QPainterPath figure;
        figure.addPolygon(QPolygonF(poly));
        figure.closeSubpath();
        m_path.addPath(figure);
        return TRUE;
    }
    if (!CanPaint())
        return FALSE;
    if (!m_s.brush.IsHollow()) {
        QPainterPath area;
        area.addPolygon(QPolygonF(poly));
        area.closeSubpath();
        area.setFillRule(Qt::OddEvenFill);
        FillDevicePath(area, m_s.brush.Color());
    }
    if (DevicePenWidth() > 1) {
        QPainterPath outline;
        outline.addPolygon(QPolygonF(poly));
        outline.closeSubpath();
        StrokeDevicePath(outline, true);
    } else {
        int phase = 0;
        for (int i = 0; i < count; ++i)
            DeviceLine(poly[i], poly[(i + 1) % count], phase);
    }
    return TRUE;
}

static QPainterPath ShapePath(int shape, const QRectF& r, double cw, double ch)
{
    QPainterPath path;
    if (r.width() <= 0 || r.height() <= 0)
        return path;
    if (shape == 1) {
        path.addEllipse(r);
    } else if (shape == 2 && cw > 0 && ch > 0) {
        path.addRoundedRect(r, std::min(cw, r.width()) / 2.0, std::min(ch, r.height()) / 2.0);
    } else {
        path.addRect(r);
    }
    return path;
}

void CDC::DrawShape(Shape shape, int l, int t, int r, int b, int ew, int eh)
{
    const int kind = shape == Shape::Rect ? 0 : shape == Shape::Ellipse ? 1 : 2;
    const QRect dr = ToDeviceRect(l, t, r, b);
    const double cw = std::abs(ew * ScaleX()), ch = std::abs(eh * ScaleY());
    if (m_inPath) {
        // In a path the figure runs through the outer pixels: right and bottom are inclusive.
        const QRectF pr(dr.x(), dr.y(), dr.width() - 1, dr.height() - 1);
        QPainterPath figure = ShapePath(kind, pr, cw, ch);
        m_path.addPath(figure);
        return;
    }
    if (!CanPaint() || dr.isEmpty())
        return;
    const int pw = DevicePenWidth();
    const bool solidBand = pw > 1 || m_s.pen.Style() == PS_SOLID || m_s.pen.Style() == PS_INSIDEFRAME;
    QRectF outer(dr);
    double outerW = cw, outerH = ch;
    if (pw > 1 && m_s.pen.Style() != PS_INSIDEFRAME) {
        const int grow = pw / 2;
        outer.adjust(-grow, -grow, grow, grow);
        outerW += 2 * grow;
        outerH += 2 * grow;
    }
    const QRectF inner = outer.adjusted(pw, pw, -pw, -pw);
    const double innerW = std::max(0.0, outerW - 2 * pw), innerH = std::max(0.0, outerH - 2 * pw);

    if (!m_s.brush.IsHollow()) {
        const QPainterPath area = pw > 0 && solidBand ? ShapePath(kind, inner, innerW, innerH)
                                                       : ShapePath(kind, QRectF(dr), cw, ch);
        if (!area.isEmpty())
            FillDevicePath(area, m_s.brush.Color());
    }
    if (pw == 0)
        return;
    if (solidBand) {
        QPainterPath band = ShapePath(kind, outer, outerW, outerH);
        band.addPath(ShapePath(kind, inner, innerW, innerH));
        band.setFillRule(Qt::OddEvenFill);
        FillDevicePath(band, m_s.pen.Color());
    } else {
        const QRectF centres = QRectF(dr).adjusted(0.5, 0.5, -0.5, -0.5);
        StrokeDevicePath(ShapePath(kind, centres, cw, ch), true);
    }
}

BOOL CDC::Rectangle(int l, int t, int r, int b)
{
    DrawShape(Shape::Rect, l, t, r, b, 0, 0);
    return TRUE;
}

BOOL CDC::Ellipse(int l, int t, int r, int b)
{
    DrawShape(Shape::Ellipse, l, t, r, b, 0, 0);
    return TRUE;
}

BOOL CDC::RoundRect(int l, int t, int r, int b, int ew, int eh)
{
    DrawShape(Shape::RoundRect, l, t, r, b, ew, eh);
    return TRUE;
}

void CDC::FillRect(const RECT& rc, const CBrush* brush)
{
    if (!brush || brush->IsHollow() || !CanPaint())
        return;
    PreparePainter(true); // fills ignore the drawing mode
    m_painter->fillRect(ToDeviceRect(rc.left, rc.top, rc.right, rc.bottom), ToQColor(brush->Color()));
}

void CDC::FillSolidRect(const RECT& rc, COLORREF color)
{
    CBrush brush(color);
    FillRect(rc, &brush);
}

void CDC::DrawFocusRect(const RECT& rc)
{
    if (!CanPaint())
        return;
    const QRect dr = ToDeviceRect(rc.left, rc.top, rc.right, rc.bottom);
    if (dr.isEmpty())
        return;
    const int l = dr.left(), t = dr.top(), r = dr.left() + dr.width() - 1, b = dr.top() + dr.height() - 1;
    QPolygon points;
    auto add = [&](int x, int y) {
        if (((x + y) & 1) == 0)
            points << QPoint(x, y);
    };
    for (int x = l; x <= r; ++x) {
        add(x, t);
        if (b != t)
            add(x, b);
    }
    for (int y = t + 1; y < b; ++y) {
        add(l, y);
        if (r != l)
            add(r, y);
    }
    PreparePainter(true);
    m_painter->setCompositionMode(QPainter::RasterOp_NotDestination);
    m_painter->setPen(QPen(Qt::black, 1));
    m_painter->drawPoints(points);
}

BOOL CDC::PatBlt(int x, int y, int width, int height, DWORD rop)
{
    if (!CanPaint())
        return FALSE;
    const QRect dr = ToDeviceRect(x, y, x + width, y + height);
    PreparePainter(true);
    switch (rop) {
    case BLACKNESS: m_painter->fillRect(dr, Qt::black); break;
    case WHITENESS: m_painter->fillRect(dr, Qt::white); break;
    case DSTINVERT:
        m_painter->setCompositionMode(QPainter::RasterOp_NotDestination);
        m_painter->fillRect(dr, Qt::black);
        break;
    case PATINVERT:
        if (m_s.brush.IsHollow())
            break;
        m_painter->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        m_painter->fillRect(dr, ToQColor(m_s.brush.Color()));
        break;
    case PATCOPY:
        if (!m_s.brush.IsHollow())
            m_painter->fillRect(dr, ToQColor(m_s.brush.Color()));
        break;
    default: return FALSE;
    }
    return TRUE;
}

COLORREF CDC::SetPixel(int x, int y, COLORREF color)
{
    if (!CanPaint())
        return CLR_INVALID;
    PreparePainter(true);
    m_painter->fillRect(QRect(ToDevice(x, y), QSize(1, 1)), ToQColor(color));
    return color & 0x00FFFFFFu;
}

COLORREF CDC::GetPixel(int x, int y) const
{
    if (!m_image)
        return CLR_INVALID;
    const QPoint p = ToDevice(x, y);
    if (!m_image->rect().contains(p))
        return CLR_INVALID;
    if (m_s.clip && !m_s.clip->contains(p))
        return CLR_INVALID;
    return tessel::QColorToColorRef(QColor(m_image->pixel(p)));
}

// Paths.

BOOL CDC::BeginPath()
{
    m_path = QPainterPath();
    m_inPath = true;
    return TRUE;
}

BOOL CDC::EndPath()
{
    if (!m_inPath)
        return FALSE;
    m_inPath = false;
    return TRUE;
}

BOOL CDC::CloseFigure()
{
    if (!m_inPath)
        return FALSE;
    m_path.closeSubpath();
    return TRUE;
}

BOOL CDC::DrawClosedPath(bool fill, bool stroke)
{
    if (m_inPath || m_path.isEmpty())
        return FALSE;
    QPainterPath path = m_path;
    m_path = QPainterPath();
    path.setFillRule(Qt::OddEvenFill);
    if (fill && !m_s.brush.IsHollow())
        FillDevicePath(path, m_s.brush.Color());
    if (stroke)
        StrokeDevicePath(path, false);
    return TRUE;
}

BOOL CDC::FillPath()
{
    return DrawClosedPath(true, false);
}

BOOL CDC::StrokePath()
{
    return DrawClosedPath(false, true);
}

BOOL CDC::StrokeAndFillPath()
{
    return DrawClosedPath(true, true);
}

BOOL CDC::SelectClipPath(int mode)
{
    if (m_inPath || m_path.isEmpty())
        return FALSE;
    QPainterPath path = m_path;
    m_path = QPainterPath();
    path.setFillRule(Qt::OddEvenFill);
    return SetClip(RegionFromPath(path), mode) != RGN_ERROR;
}

// Clipping.

int CDC::ClipType() const
{
    return m_s.clip ? RegionKind(*m_s.clip) : SIMPLEREGION;
}

int CDC::SetClip(const std::optional<QRegion>& region, int mode)
{
    const QRegion all(DeviceBounds(m_device));
    const QRegion current = m_s.clip ? *m_s.clip : all;
    switch (mode) {
    case RGN_COPY: m_s.clip = region; break;
    case RGN_AND: m_s.clip = region ? current.intersected(*region) : current; break;
    case RGN_OR: m_s.clip = region ? current.united(*region) : current; break;
    case RGN_XOR: m_s.clip = region ? current.xored(*region) : current; break;
    case RGN_DIFF: m_s.clip = region ? current.subtracted(*region) : current; break;
    default: return RGN_ERROR;
    }
    return ClipType();
}

int CDC::SelectClipRgn(const CRgn* region, int mode)
{
    if (!region) {
        if (mode != RGN_COPY)
            return RGN_ERROR;
        return SetClip(std::nullopt, RGN_COPY);
    }
    return SetClip(region->Region(), mode);
}

int CDC::IntersectClipRect(int l, int t, int r, int b)
{
    return SetClip(QRegion(ToDeviceRect(l, t, r, b)), RGN_AND);
}

int CDC::ExcludeClipRect(int l, int t, int r, int b)
{
    return SetClip(QRegion(ToDeviceRect(l, t, r, b)), RGN_DIFF);
}

int CDC::GetClipBox(RECT* rc) const
{
    const QRect box = m_s.clip ? m_s.clip->boundingRect() : DeviceBounds(m_device);
    if (rc) {
        CRect r(box);
        if (m_s.clip && m_s.clip->isEmpty())
            r = CRect();
        DPtoLP(&r);
        *rc = r;
    }
    return ClipType();
}

// Text.

QFont CDC::DeviceFont() const
{
    QFont font = QFontFromLogFont(m_s.font.LogFont(), ScaleY());
    if (m_s.charExtra != 0)
        font.setLetterSpacing(QFont::AbsoluteSpacing, m_s.charExtra * ScaleX());
    return font;
}

static QString FromUtf16(const char16_t* text, int length)
{
    if (!text)
        return QString();
    if (length < 0)
        return QString::fromUtf16(text);
    return QString::fromUtf16(text, length);
}

CSize CDC::GetTextExtent(const QString& text) const
{
    const QFontMetrics fm(DeviceFont());
    const int w = fm.horizontalAdvance(text);
    return CSize(int(std::lround(w / std::abs(ScaleX()))), int(std::lround(fm.height() / std::abs(ScaleY()))));
}

CSize CDC::GetTextExtent(const char16_t* text, int length) const
{
    return GetTextExtent(FromUtf16(text, length));
}

BOOL CDC::GetTextExtentPoint32W(const char16_t* text, int length, SIZE* size) const
{
    if (!size)
        return FALSE;
    *size = GetTextExtent(text, length);
    return TRUE;
}

BOOL CDC::GetTextMetrics(TEXTMETRIC* tm) const
{
    if (!tm)
        return FALSE;
    const QFont font = DeviceFont();
    const QFontMetrics fm(font);
    const double sy = std::abs(ScaleY()), sx = std::abs(ScaleX());
    const LOGFONT& lf = m_s.font.LogFont();
    *tm = TEXTMETRIC();
    tm->tmAscent = LONG(std::lround(fm.ascent() / sy));
    tm->tmDescent = LONG(std::lround(fm.descent() / sy));
    tm->tmHeight = tm->tmAscent + tm->tmDescent;
    tm->tmInternalLeading = std::max<LONG>(0, LONG(std::lround((fm.height() - font.pixelSize()) / sy)));
    tm->tmExternalLeading = std::max<LONG>(0, LONG(std::lround(fm.leading() / sy)));
    tm->tmAveCharWidth = LONG(std::lround(fm.averageCharWidth() / sx));
    tm->tmMaxCharWidth = LONG(std::lround(fm.maxWidth() / sx));
    tm->tmWeight = lf.lfWeight == 0 ? FW_NORMAL : lf.lfWeight;
    tm->tmItalic = lf.lfItalic;
    tm->tmUnderlined = lf.lfUnderline;
    tm->tmStruckOut = lf.lfStrikeOut;
    tm->tmPitchAndFamily = lf.lfPitchAndFamily;
    tm->tmCharSet = lf.lfCharSet;
    return TRUE;
}

BOOL CDC::TextOutDevice(QPointF p, const QString& text)
{
    const QFont font = DeviceFont();
    const QFontMetrics fm(font);
    const int width = fm.horizontalAdvance(text);
    double x = p.x();
    const UINT align = m_s.textAlign;
    if ((align & TA_CENTER) == TA_CENTER)
        x -= width / 2;
    else if (align & TA_RIGHT)
        x -= width;
    double baseline = p.y() + fm.ascent();
    if ((align & TA_BASELINE) == TA_BASELINE)
        baseline = p.y();
    else if (align & TA_BOTTOM)
        baseline = p.y() - fm.descent();
    if (m_inPath) {
        m_path.addText(QPointF(x, baseline), font, text);
        return TRUE;
    }
    if (!CanPaint())
        return FALSE;
    PreparePainter(true);
    if (m_s.bkMode == OPAQUE)
        m_painter->fillRect(QRectF(x, baseline - fm.ascent(), width, fm.height()), ToQColor(m_s.bkColor));
    m_painter->setFont(font);
    m_painter->setPen(ToQColor(m_s.textColor));
    m_painter->drawText(QPointF(x, baseline), text);
    return TRUE;
}

BOOL CDC::TextOut(int x, int y, const QString& text)
{
    return TextOutDevice(ToDeviceF(x, y), text);
}

BOOL CDC::TextOut(int x, int y, const char16_t* text, int length)
{
    return TextOut(x, y, FromUtf16(text, length));
}

int CDC::DrawText(const char* text, int length, RECT* rc, UINT format)
{
    if (!text)
        return 0;
    const CString s = length < 0 ? CString(text) : CString(text, length);
    return DrawText(s.ToQString(), rc, format);
}

int CDC::DrawText(const char16_t* text, int length, RECT* rc, UINT format)
{
    return DrawText(FromUtf16(text, length), rc, format);
}

int CDC::DrawText(const QString& input, RECT* rc, UINT format)
{
    if (!rc)
        return 0;
    int tabChars = 8;
    if (format & DT_TABSTOP) {
        // The second byte is the tab size, not flags; such texts are code, shown as they are.
        const int t = int((format >> 8) & 0xFF);
        if (t > 0)
            tabChars = t;
        format = (format & ~0xFF00u) | DT_NOPREFIX | DT_NOCLIP;
    }
    const QFont font = DeviceFont();
    const QFontMetrics fm(font);
    int lineHeight = fm.height();
    if (format & DT_EXTERNALLEADING)
        lineHeight += std::max(0, fm.leading());
    const TextLayout layout{fm, (format & DT_EXPANDTABS) != 0, tabChars * fm.averageCharWidth()};
    const QRect dr = ToDeviceRect(rc->left, rc->top, rc->right, rc->bottom);

    QString text = (format & DT_NOPREFIX) ? input : StripPrefixes(input);
    QStringList paragraphs;
    if (format & DT_SINGLELINE) {
        text.remove(u'\r');
        text.remove(u'\n');
        if (!text.isEmpty())
            paragraphs << text;
    } else if (!text.isEmpty()) {
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        text.replace(u'\r', u'\n');
        paragraphs = text.split(u'\n');
        if (text.endsWith(u'\n'))
            paragraphs.removeLast(); // a final line break opens no further line
    }
    QStringList lines;
    const bool wrap = (format & DT_WORDBREAK) && !(format & DT_SINGLELINE);
    for (const QString& par : paragraphs) {
        if (wrap)
            lines << WrapParagraph(par, dr.width(), layout);
        else
            lines << par;
    }
    if (format & DT_END_ELLIPSIS) {
        for (QString& line : lines)
            line = Ellipsize(line, dr.width(), layout);
    }
    int maxWidth = 0;
    for (const QString& line : lines)
        maxWidth = std::max(maxWidth, layout.Width(line));
    const int totalHeight = int(lines.size()) * lineHeight;
    const int logicalHeight = int(std::lround(totalHeight / std::abs(ScaleY())));

    if (format & DT_CALCRECT) {
        rc->right = rc->left + int(std::lround(maxWidth / std::abs(ScaleX())));
        rc->bottom = rc->top + logicalHeight;
        return logicalHeight;
    }
    if (lines.isEmpty() || !CanPaint())
        return logicalHeight;

    int y = dr.top();
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER)
            y = dr.top() + (dr.height() - lineHeight) / 2;
        else if (format & DT_BOTTOM)
            y = dr.top() + dr.height() - lineHeight;
    }
    const std::optional<QRegion> savedClip = m_s.clip;
    if (!(format & DT_NOCLIP))
        SetClip(QRegion(dr), RGN_AND);
    PreparePainter(true);
    m_painter->setFont(font);
    for (const QString& line : lines) {
        const int w = layout.Width(line);
        int x = dr.left();
        if (format & DT_CENTER)
            x = dr.left() + (dr.width() - w) / 2;
        else if (format & DT_RIGHT)
            x = dr.left() + dr.width() - w;
        if (m_s.bkMode == OPAQUE)
            m_painter->fillRect(QRect(x, y, w, lineHeight), ToQColor(m_s.bkColor));
        m_painter->setPen(ToQColor(m_s.textColor));
        if (layout.expandTabs && line.contains(u'\t')) {
            const QStringList parts = line.split(u'\t');
            int cx = 0;
            for (int i = 0; i < parts.size(); ++i) {
                m_painter->drawText(QPointF(x + cx, y + fm.ascent()), parts[i]);
                cx += fm.horizontalAdvance(parts[i]);
                if (i + 1 < parts.size() && layout.tabWidth > 0)
                    cx = (cx / layout.tabWidth + 1) * layout.tabWidth;
            }
        } else {
            m_painter->drawText(QPointF(x, y + fm.ascent()), line);
        }
        y += lineHeight;
    }
    m_s.clip = savedClip;
    return logicalHeight;
}

// Blits.

void CDC::BlitImage(const QRect& dest, const QImage& source, const QRect& srcRect, DWORD rop)
{
    if (!CanPaint() || dest.isEmpty() || srcRect.isEmpty())
        return;
    PreparePainter(true);
    QPainter::CompositionMode mode = QPainter::CompositionMode_Source;
    switch (rop) {
    case SRCINVERT: mode = QPainter::RasterOp_SourceXorDestination; break;
    case SRCAND: mode = QPainter::RasterOp_SourceAndDestination; break;
    case SRCPAINT: mode = QPainter::RasterOp_SourceOrDestination; break;
    default: break;
    }
    m_painter->setCompositionMode(mode);
    m_painter->drawImage(QRectF(dest), source, QRectF(srcRect));
}

int CDC::StretchDIBits(int xDest, int yDest, int destWidth, int destHeight, int xSrc, int ySrc, int srcWidth,
    int srcHeight, const void* bits, const BITMAPINFOHEADER* header, UINT, DWORD rop)
{
    if (!bits || !header || header->biWidth <= 0 || header->biHeight == 0 || header->biPlanes != 1)
        return 0;
    const int bpp = header->biBitCount;
    if (!((bpp == 32 && (header->biCompression == 0 || header->biCompression == 3))
            || (bpp == 24 && header->biCompression == 0)))
        return 0;
    const int width = header->biWidth;
    const bool bottomUp = header->biHeight > 0;
    const int height = bottomUp ? header->biHeight : -header->biHeight;
    if (height <= 0 || width > 65535 || height > 65535)
        return 0;
    const qsizetype stride = bpp == 32 ? qsizetype(width) * 4 : (qsizetype(width) * 3 + 3) & ~qsizetype(3);
    // Wraps the caller's pixels; for bottom-up rows, row 0 of this image is the bottom row.
    const QImage wrapped(static_cast<const uchar*>(bits), width, height, stride,
        bpp == 32 ? QImage::Format_RGB32 : QImage::Format_BGR888);
    const QRect src = QRect(xSrc, ySrc, srcWidth, srcHeight).intersected(wrapped.rect());
    if (src.isEmpty())
        return 0;
    QImage part = wrapped.copy(src);
    if (bottomUp)
        part = part.mirrored(false, true);
    const bool flipX = destWidth < 0, flipY = destHeight < 0;
    if (flipX || flipY)
        part = part.mirrored(flipX, flipY);
    const QRect dest = ToDeviceRect(xDest, yDest, xDest + destWidth, yDest + destHeight);
    if (rop == SRCCOPY || rop == SRCINVERT || rop == SRCAND || rop == SRCPAINT)
        BlitImage(dest, part, part.rect(), rop);
    else
        return 0;
    return src.height();
}

BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* source, int xSrc, int ySrc, DWORD rop)
{
    if (rop == BLACKNESS || rop == WHITENESS || rop == DSTINVERT || rop == PATCOPY || rop == PATINVERT)
        return PatBlt(x, y, width, height, rop);
    if (!source || !source->m_image || !CanPaint())
        return FALSE;
    const QRect dest = ToDeviceRect(x, y, x + width, y + height);
    const QRect src = source->ToDeviceRect(xSrc, ySrc, xSrc + width, ySrc + height);
    if (source->m_image == m_image) {
        const QImage copy = m_image->copy(src);
        BlitImage(dest, copy, copy.rect(), rop);
    } else {
        BlitImage(dest, *source->m_image, src, rop);
    }
    return TRUE;
}

void CDC::DrawImage(int x, int y, const QImage& image, int width, int height)
{
    if (!CanPaint() || image.isNull())
        return;
    const int w = width > 0 ? width : image.width();
    const int h = height > 0 ? height : image.height();
    const QRect dest = ToDeviceRect(x, y, x + w, y + h);
    PreparePainter(true);
    m_painter->drawImage(QRectF(dest), image, QRectF(image.rect()));
}

QImage CDC::GrabImage(const RECT& rc) const
{
    if (!m_image)
        return QImage();
    return m_image->copy(ToDeviceRect(rc.left, rc.top, rc.right, rc.bottom));
}
