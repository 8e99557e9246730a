#include "dialogs/ImageMap.h"

#include "dialogs/LinkDialog.h"
#include "framework/core/Colors.h"
#include "framework/ui/Translation.h"
#include "model/Dib.h"
#include "model/items/ImageItem.h"

#include <QtGui/QActionGroup>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtGui/QPolygon>
#include <QtGui/QRegion>
#include <QtWidgets/QToolBar>
#include <QtWidgets/QVBoxLayout>

#include <algorithm>

namespace {

QRect Normalised(const CRect& r)
{
    return QRect(QPoint(std::min(r.left, r.right), std::min(r.top, r.bottom)),
                 QPoint(std::max(r.left, r.right) - 1, std::max(r.top, r.bottom) - 1));
}

QPolygon Polygon(const std::vector<CPoint>& points)
{
    QPolygon polygon;
    for (const CPoint& p : points)
        polygon << QPoint(p.x, p.y);
    return polygon;
}

// Drawn white over black so that it shows on any picture.
void Outline(QPainter& painter, Qt::PenStyle style, const std::function<void()>& draw)
{
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, 1, Qt::SolidLine));
    draw();
    painter.setPen(QPen(Qt::white, 1, style));
    draw();
}

// Cursors 237 (drawing), 238 (over an area) and 239 (closing a polygon).
QCursor MakeCursor(int kind)
{
    QPixmap picture(32, 32);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    for (int pass = 0; pass < 2; ++pass) {
        p.setPen(QPen(pass == 0 ? Qt::white : Qt::black, pass == 0 ? 3 : 1));
        p.drawLine(10, 2, 10, 18);
        p.drawLine(2, 10, 18, 10);
        if (kind == 1)
            p.drawRect(16, 16, 12, 10);
        if (kind == 2)
            p.drawEllipse(QPoint(10, 10), 6, 6);
    }
    return QCursor(picture, 10, 10);
}

const QCursor& Cursor(int kind)
{
    static const QCursor cursors[3] = {MakeCursor(0), MakeCursor(1), MakeCursor(2)};
    return cursors[kind];
}

QIcon ShapeIcon(int mode)
{
    QPixmap picture(28, 28);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 40), 2));
    p.setBrush(QColor(120, 170, 230));
    if (mode == 0)
        p.drawRect(5, 7, 18, 14);
    else if (mode == 1)
        p.drawEllipse(5, 5, 18, 18);
    else
        p.drawPolygon(QPolygon({QPoint(5, 22), QPoint(9, 5), QPoint(23, 10), QPoint(18, 23)}));
    return QIcon(picture);
}

} // namespace

// ---- CImageMapWnd

CImageMapWnd::CImageMapWnd(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    setMinimumSize(200, 150);
}

void CImageMapWnd::SetItem(CImageItem* item)
{
    m_pItem = item;
    m_image = item && item->m_picture.IsValid() ? DibToQImage(item->m_picture) : QImage();
    if (!m_image.isNull())
        setMinimumSize(std::min(m_image.width(), 1600), std::min(m_image.height(), 1000));
    update();
}

QPoint CImageMapWnd::Origin() const
{
    // halved toward zero: negative, and the picture cut on both sides, when it is larger
    return QPoint((width() - m_image.width()) / 2, (height() - m_image.height()) / 2);
}

CPoint CImageMapWnd::ToPicture(const QPoint& client) const
{
    const QPoint p = client - Origin();
    return CPoint(p.x(), p.y());
}

CImageMapArea* CImageMapWnd::HitTest(const CPoint& p) const
{
    if (!m_pItem)
        return nullptr;
    CImageMapArea* found = nullptr;
    const QPoint q(p.x, p.y);
    for (const auto& area : m_pItem->m_areas) {
        bool inside = false;
        switch (area->m_nKind) {
        case CImageMapArea::Rect: inside = Normalised(area->m_rect).contains(q); break;
        case CImageMapArea::Circle: inside = QRegion(Normalised(area->m_rect), QRegion::Ellipse).contains(q); break;
        default: inside = QRegion(Polygon(area->m_points), Qt::OddEvenFill).contains(q); break;
        }
        if (inside)
            found = area.get(); // the last one drawn is on top
    }
    return found;
}

void CImageMapWnd::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!m_pItem)
        return;
    painter.translate(Origin());
    painter.drawImage(0, 0, m_image);
    for (const auto& area : m_pItem->m_areas) {
        const QRect r = Normalised(area->m_rect);
        Outline(painter, Qt::DashLine, [&] {
            switch (area->m_nKind) {
            case CImageMapArea::Rect: painter.drawRect(r); break;
            case CImageMapArea::Circle: painter.drawEllipse(r); break;
            default: painter.drawPolyline(Polygon(area->m_points)); break;
            }
        });
    }
    if (!m_bDrawing)
        return;
    Outline(painter, Qt::DotLine, [&] {
        const QRect band = Normalised(CRect(m_press.x, m_press.y, m_current.x, m_current.y));
        if (m_nMode == 0)
            painter.drawRect(band);
        else if (m_nMode == 1)
            painter.drawEllipse(band);
        else
            painter.drawPolyline(Polygon(m_points));
    });
}

void CImageMapWnd::mouseMoveEvent(QMouseEvent* event) { OnMove(event->position().toPoint()); }

void CImageMapWnd::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        OnPress(event->position().toPoint());
}

void CImageMapWnd::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        OnRelease(event->position().toPoint());
}

void CImageMapWnd::OnMove(const QPoint& client)
{
    if (!m_pItem)
        return;
    CPoint p = ToPicture(client);
    const int w = m_image.width(), h = m_image.height();
    const QCursor* cursor = nullptr;
    if (p.x >= 0 && p.x < w && p.y >= 0 && p.y < h)
        cursor = &Cursor(0);
    if (!m_bDrawing) {
        m_pHover = HitTest(p);
        if (m_pHover)
            cursor = &Cursor(1);
    } else {
        cursor = &Cursor(0);
        p = CPoint(std::clamp(p.x, 0, w), std::clamp(p.y, 0, h));
        m_current = p;
        if (m_nMode == 2 && m_points.size() >= 2) {
            m_points.back() = p;
            const CPoint first = m_points.front();
            if (m_points.size() > 2 && std::abs(p.x - first.x) <= kSnap && std::abs(p.y - first.y) <= kSnap) {
                m_points.back() = first;
                cursor = &Cursor(2);
            }
        }
        update();
    }
    if (cursor)
        setCursor(*cursor);
    else
        setCursor(Qt::ArrowCursor);
}

void CImageMapWnd::OnPress(const QPoint& client)
{
    if (!m_pItem)
        return;
    const CPoint p = ToPicture(client);
    if (!m_bDrawing && m_pHover) {
        CImageMapArea* area = m_pHover;
        DLink dlg(this);
        dlg.m_pLink = &area->m_link;
        dlg.m_pDoc = m_pDoc;
        // the Link dialog's Delete leaves no link at all: the area goes with it
        if (dlg.DoModal() == IDOK && area->m_link.m_nKind == kLinkNone && area->m_link.m_strUrl.IsEmpty()) {
            auto& areas = m_pItem->m_areas;
            areas.erase(std::remove_if(areas.begin(), areas.end(), [area](const auto& a) { return a.get() == area; }),
                        areas.end());
            m_pHover = nullptr;
            update();
        }
        return;
    }
    m_press = m_current = p;
    if (!m_bDrawing)
        m_points = {p, p};
    m_bDrawing = true;
    update();
}

void CImageMapWnd::Append(std::unique_ptr<CImageMapArea> area)
{
    m_pItem->m_areas.push_back(std::move(area));
    update();
}

void CImageMapWnd::OnRelease(const QPoint& client)
{
    if (!m_pItem || !m_bDrawing)
        return;
    CPoint p = ToPicture(client);
    p = CPoint(std::clamp(p.x, 0, std::max(0, m_image.width() - 1)), std::clamp(p.y, 0, std::max(0, m_image.height() - 1)));
    m_current = p;
    if (m_nMode != 2) {
        m_bDrawing = false;
        // a click without a drag makes no area
        if (std::abs(p.x - m_press.x) < kMinSide || std::abs(p.y - m_press.y) < kMinSide) {
            update();
            return;
        }
        auto area = std::make_unique<CImageMapArea>();
        area->m_nKind = m_nMode;
        area->m_rect = CRect(m_press.x, m_press.y, p.x, p.y);
        Append(std::move(area));
        return;
    }
    const std::size_t n = m_points.size();
    if (n >= 3 && m_points.back() == m_points.front()) {
        m_bDrawing = false;
        auto area = std::make_unique<CImageMapArea>();
        area->m_nKind = CImageMapArea::Polygon;
        area->m_points = m_points;
        m_points.clear();
        Append(std::move(area));
        return;
    }
    if (n >= 2 && m_points[n - 1] != m_points[n - 2] && n < std::size_t(kMaxPoints)) {
        m_points.push_back(p);
        update();
    }
}

// ---- DImageMap

DImageMap::DImageMap(QWidget* parent) : CDialog(parent)
{
    setWindowTitle(UiTranslate("Image Map").ToQString());
    setSizeGripEnabled(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_pToolBar = new QToolBar(this);
    m_pToolBar->setIconSize(QSize(28, 28));
    auto* shapes = new QActionGroup(this);
    shapes->setExclusive(true);
    const struct { int id; const char* text; } modes[] = {
        {ID_MAP_RECTANGLE, "Rectangle"}, {ID_MAP_CIRCLE, "Circle"}, {ID_MAP_POLYGON, "Polygon"}};
    for (int mode = 0; mode < 3; ++mode) {
        QAction* action = m_pToolBar->addAction(ShapeIcon(mode), UiTranslate(modes[mode].text).ToQString());
        action->setData(modes[mode].id);
        action->setCheckable(true);
        action->setChecked(mode == 0);
        shapes->addAction(action);
        QObject::connect(action, &QAction::triggered, this, [this, mode] { SetMode(mode); });
    }
    m_pToolBar->addSeparator();
    QAction* ok = m_pToolBar->addAction(UiTranslate("OK").ToQString());
    ok->setData(int(ID_MAP_OK));
    QObject::connect(ok, &QAction::triggered, this, [this] { EndDialog(IDOK); });
    QAction* cancel = m_pToolBar->addAction(UiTranslate("Cancel").ToQString());
    cancel->setData(int(ID_MAP_CANCEL));
    QObject::connect(cancel, &QAction::triggered, this, [this] { OnCancel(); });
    layout->addWidget(m_pToolBar);
    m_pCanvas = new CImageMapWnd(this);
    layout->addWidget(m_pCanvas, 1);
    RegisterControl(3000, m_pCanvas);
}

DImageMap::~DImageMap() = default;

QAction* DImageMap::Action(int id) const
{
    for (QAction* action : m_pToolBar->actions())
        if (action->data().toInt() == id)
            return action;
    return nullptr;
}

void DImageMap::SetMode(int mode)
{
    // a polygon under way stays under way
    m_pCanvas->m_nMode = mode;
    if (QAction* action = Action(ID_MAP_RECTANGLE + mode))
        action->setChecked(true);
}

BOOL DImageMap::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_opened.clear();
    if (m_pItem)
        for (const auto& area : m_pItem->m_areas)
            m_opened.push_back(*area);
    m_pCanvas->SetDocument(m_pDoc);
    m_pCanvas->SetItem(m_pItem);
    return TRUE;
}

void DImageMap::OnCancel()
{
    // the areas the editor opened with come back
    if (m_pItem) {
        m_pItem->m_areas.clear();
        for (const CImageMapArea& area : m_opened)
            m_pItem->m_areas.push_back(std::make_unique<CImageMapArea>(area));
    }
    CDialog::OnCancel();
}

int EditImageMap(CImageItem& item, CKJDoc* doc, QWidget* parent)
{
    DImageMap dlg(parent);
    dlg.m_pItem = &item;
    dlg.m_pDoc = doc;
    return int(dlg.DoModal());
}
