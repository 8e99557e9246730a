// The crop editor: a picture shown centred on a canvas on which the user drags out the
// rectangle to keep. A click inside the selection ends it with OK; closing it, or OK
// (Enter) before anything was selected, ends it with Cancel.
#pragma once
#include "controls/DialogTemplate.h"
#include "framework/core/Geometry.h"
#include "framework/ui/Dialog.h"

#include <QtGui/QImage>
#include <memory>

class CDib;

extern const DlgTemplate kImageCropTemplate;

class CImageCropWnd : public QWidget {
public:
    CImageCropWnd(CDialog* dialog, QWidget* parent = nullptr);

    void SetPicture(const CDib* picture);
    // The kept rectangle in picture pixels, normalised and within the picture; null until
    // the first drag ended.
    const CRect* GetSelection() const { return m_pSelection.get(); }
    bool IsDragging() const { return m_bDragging; }
    // Picture pixels from a point of the canvas, and back (the picture is centred).
    QPoint ToPicture(const QPoint& client) const;
    QPoint ToClient(const QPoint& picture) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPoint Clamp(const QPoint& p) const;
    bool InSelection(const QPoint& p) const;

    CDialog* m_pDialog;
    const CDib* m_pPicture = nullptr;
    QImage m_image; // the picture as drawn
    std::unique_ptr<CRect> m_pSelection;
    bool m_bDragging = false;
    QPoint m_press, m_current;
};

class DImageCrop : public CDialog {
public:
    explicit DImageCrop(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    void OnOK() override;

    CImageCropWnd* m_pCanvas = nullptr;
    const CDib* m_pPicture = nullptr; // the caller's
};
