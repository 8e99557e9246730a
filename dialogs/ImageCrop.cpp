#include "dialogs/ImageCrop.h"

#include "framework/core/Colors.h"
#include "framework/ui/Translation.h"
#include "model/Dib.h"

#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QGridLayout>

#include <algorithm>

namespace {
const DlgControl kImageCropControls[] = {
    {3000, DlgKind::Custom, nullptr, nullptr, 0},
};

void DrawFrame(QPainter& painter, const QRect& r, Qt::PenStyle style)
{
    // white on black, visible on any picture (the screen inversion of old)
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, 1, Qt::SolidLine));
    painter.drawRect(r);
    painter.setPen(QPen(Qt::white, 1, style));
    painter.drawRect(r);
}
} // namespace

const DlgTemplate kImageCropTemplate{311, "Image Crop", true, kImageCropControls};

CImageCropWnd::CImageCropWnd(CDialog* dialog, QWidget* parent) : QWidget(parent), m_pDialog(dialog)
{
    setMouseTracking(true);
    setAutoFillBackground(false);
    setMinimumSize(200, 150);
}

void CImageCropWnd::SetPicture(const CDib* picture)
{
    m_pPicture = picture;
    m_image = picture ? DibToQImage(*picture) : QImage();
    if (!m_image.isNull())
        setMinimumSize(std::min(m_image.width(), 1600), std::min(m_image.height(), 1000));
    update();
}

QPoint CImageCropWnd::ToPicture(const QPoint& client) const
{
    if (m_image.isNull())
        return client;
    // halved toward zero, as the origin of the centred picture
    const int ox = (width() - m_image.width()) / 2, oy = (height() - m_image.height()) / 2;
    return client - QPoint(ox, oy);
}

QPoint CImageCropWnd::ToClient(const QPoint& picture) const
{
    if (m_image.isNull())
        return picture;
    const int ox = (width() - m_image.width()) / 2, oy = (height() - m_image.height()) / 2;
    return picture + QPoint(ox, oy);
}

QPoint CImageCropWnd::Clamp(const QPoint& p) const
{
    const int w = m_image.isNull() ? 0 : m_image.width(), h = m_image.isNull() ? 0 : m_image.height();
    return {std::clamp(p.x(), 0, w), std::clamp(p.y(), 0, h)};
}

bool CImageCropWnd::InSelection(const QPoint& p) const
{
    return m_pSelection && p.x() >= m_pSelection->left && p.x() < m_pSelection->right && p.y() >= m_pSelection->top
        && p.y() < m_pSelection->bottom;
}

void CImageCropWnd::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (m_image.isNull())
        return;
    painter.translate(ToClient(QPoint(0, 0)));
    painter.drawImage(0, 0, m_image);
    if (m_pSelection) {
        const CRect& s = *m_pSelection;
        DrawFrame(painter, QRect(QPoint(s.left, s.top), QPoint(s.right, s.bottom)), Qt::DashLine);
    }
    if (m_bDragging)
        DrawFrame(painter, QRect(m_press, m_current).normalized(), Qt::DotLine);
}

void CImageCropWnd::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint p = ToPicture(event->position().toPoint());
    if (InSelection(p)) {
        m_pDialog->EndDialog(IDOK);
        return;
    }
    m_press = m_current = Clamp(p);
    m_bDragging = true;
    update();
}

void CImageCropWnd::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = ToPicture(event->position().toPoint());
    Qt::CursorShape shape = Qt::ArrowCursor;
    if (!m_image.isNull() && p.x() >= 0 && p.x() < m_image.width() && p.y() >= 0 && p.y() < m_image.height())
        shape = Qt::CrossCursor;
    CString caption;
    if (m_bDragging) {
        shape = Qt::CrossCursor;
        m_current = Clamp(p);
        caption.Format("%s        L:%d T:%d R:%d B:%d [ %d x %d ]", (const char*)UiTranslate("Selected Area"),
                       m_press.x(), m_press.y(), m_current.x(), m_current.y(), m_current.x() - m_press.x(),
                       m_current.y() - m_press.y());
        update();
    } else {
        if (InSelection(p))
            shape = Qt::PointingHandCursor;
        caption.Format("%s        X:%d Y:%d", (const char*)UiTranslate("Crop Image"), p.x(), p.y());
    }
    m_pDialog->setWindowTitle(caption.ToQString());
    setCursor(shape);
}

void CImageCropWnd::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_bDragging || event->button() != Qt::LeftButton)
        return;
    m_current = Clamp(ToPicture(event->position().toPoint()));
    m_bDragging = false;
    if (!m_pSelection)
        m_pSelection = std::make_unique<CRect>();
    *m_pSelection = CRect(std::min(m_press.x(), m_current.x()), std::min(m_press.y(), m_current.y()),
                          std::max(m_press.x(), m_current.x()), std::max(m_press.y(), m_current.y()));
    update();
}

DImageCrop::DImageCrop(QWidget* parent) : CDialog(parent)
{
    QGridLayout* grid = BuildDialog(*this, kImageCropTemplate, [this](CDialog&, const DlgControl&) -> QWidget* {
        m_pCanvas = new CImageCropWnd(this, this);
        return m_pCanvas;
    });
    grid->setContentsMargins(0, 0, 0, 0);
    setSizeGripEnabled(true);
}

BOOL DImageCrop::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_pPicture)
        m_pCanvas->SetPicture(m_pPicture);
    return TRUE;
}

void DImageCrop::OnOK()
{
    // Enter before anything was selected keeps the picture as it is
    if (!m_pCanvas->GetSelection()) {
        OnCancel();
        return;
    }
    EndDialog(IDOK);
}
