// The image map editor: the picture of an image item, centred on a canvas, on which the
// user draws rectangles, circles and polygons that become the item's clickable areas; a
// click on an area opens its link. Cancel gives the item back the areas it opened with.
#pragma once
#include "framework/core/Geometry.h"
#include "framework/ui/Dialog.h"

#include <QtGui/QImage>
#include <QtWidgets/QWidget>
#include <memory>
#include <vector>

class CImageItem;
class CImageMapArea;
class CKJDoc;
class QAction;
class QToolBar;

// Command ids of the editor's toolbar.
enum : int {
    ID_MAP_RECTANGLE = 32924,
    ID_MAP_CIRCLE = 32925,
    ID_MAP_POLYGON = 32926,
    ID_MAP_CANCEL = 32927,
    ID_MAP_OK = 32928,
};

class CImageMapWnd : public QWidget {
public:
    explicit CImageMapWnd(QWidget* parent = nullptr);

    void SetItem(CImageItem* item);
    void SetDocument(CKJDoc* doc) { m_pDoc = doc; }

    // Picture pixels from a point of the canvas (the picture is centred, cut when larger).
    CPoint ToPicture(const QPoint& client) const;
    QPoint Origin() const;
    // The last area in drawing order that holds the point, or null.
    CImageMapArea* HitTest(const CPoint& p) const;

    static constexpr int kMaxPoints = 1024;
    static constexpr int kSnap = 3;    // a polygon closes on its first point within this
    static constexpr int kMinSide = 2; // smaller rectangles and circles are not kept

    int m_nMode = 0; // 0 rectangle, 1 circle, 2 polygon
    bool m_bDrawing = false;
    std::vector<CPoint> m_points; // the polygon under way; the last is the floating point
    CPoint m_press, m_current;    // the rubber band
    CImageMapArea* m_pHover = nullptr;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void OnMove(const QPoint& client);
    void OnPress(const QPoint& client);
    void OnRelease(const QPoint& client);
    void Append(std::unique_ptr<CImageMapArea> area);

    CImageItem* m_pItem = nullptr;
    CKJDoc* m_pDoc = nullptr;
    QImage m_image;
};

class DImageMap : public CDialog {
public:
    explicit DImageMap(QWidget* parent = nullptr);
    ~DImageMap() override;
    BOOL OnInitDialog() override;
    void OnCancel() override;

    CKJDoc* m_pDoc = nullptr;
    CImageItem* m_pItem = nullptr;
    CImageMapWnd* m_pCanvas = nullptr;
    QToolBar* m_pToolBar = nullptr;
    QAction* Action(int id) const;

private:
    void SetMode(int mode);
    std::vector<CImageMapArea> m_opened; // the areas as they were, for Cancel
};

// The Image dialog's "Map" button: the editor on the item.
int EditImageMap(CImageItem& item, CKJDoc* doc, QWidget* parent);
