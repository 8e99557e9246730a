// A drag on the canvas inside the real project window: the outline over the kept page
// image and the drag's info text in the ruler strip above it.
#include "AppTestSupport.h"

#include "app/ChildFrame.h"
#include "app/ProjectDocument.h"
#include "editor/KJView.h"
#include "model/GroupItem.h"
#include "model/Page.h"

#include <gtest/gtest.h>
#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtGui/QMouseEvent>
#include <QtWidgets/QApplication>
#include <memory>

namespace {

void SendMouse(CKJView& view, QEvent::Type type, CPoint page, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    const CPoint c = view.PageToClient(page);
    QMouseEvent e(type, QPointF(c.x, c.y), QPointF(c.x, c.y), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(&view, &e);
}

TEST(CanvasDragWindow, TheInfoTextReachesTheRulerStrip)
{
    CProjectDocument document;
    document.OnNewDocument();
    auto frame = std::make_unique<CChildFrame>();
    auto* view = new CKJView;
    view->SetDocument(&document);
    frame->OnCreateClient(view);
    frame->resize(1100, 700);
    frame->show();
    view->OnInitialUpdate();
    QCoreApplication::processEvents();
    CKJDoc& project = document.Project();
    project.m_bGridOn = 0;
    project.m_bShowGuides = 0;
    auto* box = new CGroupItem;
    box->m_bPositioned = 1;
    box->m_nX = 100;
    box->m_nY = 100;
    box->m_nWidth = 160;
    box->m_nHeight = 80;
    ASSERT_NE(view->m_pContainer, nullptr);
    auto* page = dynamic_cast<CGroupItem*>(view->m_pContainer);
    ASSERT_NE(page, nullptr);
    page->AddChild(box);

    SendMouse(*view, QEvent::MouseMove, CPoint(120, 120), Qt::NoButton, Qt::NoButton);
    SendMouse(*view, QEvent::MouseButtonPress, CPoint(120, 120), Qt::LeftButton, Qt::LeftButton);
    SendMouse(*view, QEvent::MouseMove, CPoint(160, 150), Qt::NoButton, Qt::LeftButton);
    SendMouse(*view, QEvent::MouseMove, CPoint(200, 170), Qt::NoButton, Qt::LeftButton);
    ASSERT_EQ(view->m_drag.mode, 3);
    EXPECT_EQ(frame->GetRulerText(), CString("L: 180, T: 150, R: 340, B: 230  [ 160 x 80 ]  X: +80, Y: +50, "));
    const QByteArray folder = qgetenv("TESSEL_SCREENSHOT_DIR");
    if (!folder.isEmpty()) {
        QDir().mkpath(QString::fromLocal8Bit(folder));
        EXPECT_TRUE(frame->grab().toImage().save(QString::fromLocal8Bit(folder) + "/drag-in-window.png"));
    }
    SendMouse(*view, QEvent::MouseButtonRelease, CPoint(200, 170), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(box->GetRect(), CRect(180, 150, 340, 230));
    frame.reset();
}

} // namespace
