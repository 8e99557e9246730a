// The canvas in every window arrangement: after tiling, cascading, maximising, restoring,
// dragging the splitter or changing the page, the page is painted inside the view, the
// scroll bars cover the whole canvas, and only the gap between tree and view moves the
// divider.
#include "AppTestSupport.h"

#include "app/ChildFrame.h"
#include "app/ProjectDocument.h"
#include "editor/KJView.h"
#include "framework/core/Profile.h"
#include "model/Page.h"

#include "model/HeaderFooterItem.h"

#include <gtest/gtest.h>
#include <QtCore/QCoreApplication>
#include <QtCore/QEventLoop>
#include <QtCore/QTimer>
#include <QtGui/QMouseEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMdiArea>
#include <QtWidgets/QMdiSubWindow>
#include <QtWidgets/QScrollBar>
#include <functional>
#include <memory>

namespace {

void Settle()
{
    for (int i = 0; i < 5; ++i) {
        QEventLoop loop;
        QTimer::singleShot(10, &loop, &QEventLoop::quit);
        loop.exec();
    }
}

// One open project inside the main window, with a second, narrower page.
struct OpenProject {
    explicit OpenProject(CMDIFrameWnd& main)
    {
        document.OnNewDocument();
        narrow = document.Project().AddPage(nullptr, nullptr);
        narrow->m_nWidth = 400;
        narrow->m_nHeight = 300;
        frame = new CChildFrame;
        view = new CKJView;
        view->SetDocument(&document);
        frame->OnCreateClient(view);
        main.AddChild(frame);
        view->OnInitialUpdate();
        Settle();
    }
    CProjectDocument document;
    CChildFrame* frame = nullptr;
    CKJView* view = nullptr;
    CPage* narrow = nullptr;
};

QScrollBar* Bar(CKJView& view, Qt::Orientation orientation)
{
    for (QScrollBar* bar : view.findChildren<QScrollBar*>())
        if (bar->orientation() == orientation)
            return bar;
    return nullptr;
}

// The page is where the user can see it and the scroll bars span the canvas.
void ExpectPageInView(CKJView& view, const char* what)
{
    SCOPED_TRACE(what);
    ASSERT_TRUE(view.isVisible());
    const CSize client = view.GetClientSize();
    const QWidget* frame = view.parentWidget();
    ASSERT_GT(client.cx, 50) << "view " << view.width() << "x" << view.height() << " at " << view.x() << " in a frame of "
                             << frame->width() << "x" << frame->height() << " in an area of "
                             << frame->parentWidget()->parentWidget()->parentWidget()->width() << "x"
                             << frame->parentWidget()->parentWidget()->parentWidget()->height();
    ASSERT_GT(client.cy, 50);
    CPage* page = view.m_pCurrentPage;
    ASSERT_NE(page, nullptr);
    const CPoint topLeft = view.PageToClient(CPoint(0, 0));
    const CPoint bottomRight = view.PageToClient(CPoint(page->m_nWidth, page->m_nHeight));
    // Across: centred (within a pixel) when it fits, else the canvas around it is cut
    // evenly on both sides.
    const int left = topLeft.x, right = client.cx - bottomRight.x;
    EXPECT_LE(std::abs(left - right), 1) << "page from " << topLeft.x << " to " << bottomRight.x << " in " << client.cx;
    // Downwards: the page's top row is in the window.
    EXPECT_GE(topLeft.y, 0);
    EXPECT_LT(topLeft.y, client.cy);
    if (page->m_nHeight + 200 < client.cy) {
        EXPECT_LE(bottomRight.y, client.cy) << "a page that fits is seen whole";
    }
    QScrollBar* h = Bar(view, Qt::Horizontal);
    QScrollBar* v = Bar(view, Qt::Vertical);
    ASSERT_TRUE(h && v);
    EXPECT_TRUE(h->isVisible() && v->isVisible());
    EXPECT_EQ(h->maximum(), view.GetCanvasSize().cx - client.cx);
    EXPECT_EQ(v->maximum(), view.GetCanvasSize().cy - client.cy);
    EXPECT_EQ(h->value(), view.GetScrollPosition().x);
    EXPECT_EQ(v->value(), view.GetScrollPosition().y);
    EXPECT_EQ(h->geometry().bottom(), view.height() - 1);
    EXPECT_EQ(v->geometry().right(), view.width() - 1);
    // The page is painted, not the plain canvas.
    const QImage image = view.RenderClient();
    const QPoint middle((topLeft.x + bottomRight.x) / 2, std::min(topLeft.y + 5, client.cy - 1));
    EXPECT_NE(image.pixel(middle) | 0xFF000000u, qRgb(64, 64, 64)) << "page painted at " << middle.x() << "," << middle.y();
}

void SendMouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, QPointF(at), QPointF(w->mapToGlobal(at)), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

} // namespace

TEST(CanvasWindow, PageStaysInViewAfterEveryWindowEvent)
{
    ClearProfile();
    CMDIFrameWnd main;
    main.resize(1300, 900);
    main.show();
    OpenProject a(main), b(main);
    QMdiArea* area = main.MdiArea();
    auto sub = [](OpenProject& p) { return qobject_cast<QMdiSubWindow*>(p.frame->parentWidget()); };
    const struct {
        const char* what;
        std::function<void()> act;
    } events[] = {
        {"opened maximised", [] {}},
        {"tile", [&] { area->tileSubWindows(); }},
        {"page change after tile", [&] { a.view->SetCurrentPage(a.narrow); b.view->SetCurrentPage(b.narrow); }},
        {"cascade", [&] { area->cascadeSubWindows(); }},
        {"maximise", [&] { sub(a)->showMaximized(); }},
        {"page change back", [&] { a.view->SetCurrentPage(a.document.Project().m_pages.front().get()); }},
        {"restore", [&] { sub(a)->showNormal(); }},
        {"tile again", [&] { area->tileSubWindows(); }},
        {"splitter dragged", [&] {
             for (OpenProject* p : {&a, &b}) {
                 const int gap = p->frame->GetTreeWidth();
                 SendMouse(p->frame, QEvent::MouseButtonPress, QPoint(gap, 300), Qt::LeftButton);
                 SendMouse(p->frame, QEvent::MouseMove, QPoint(gap + 90, 300), Qt::LeftButton);
                 SendMouse(p->frame, QEvent::MouseButtonRelease, QPoint(gap + 90, 300), Qt::NoButton);
             }
         }},
        {"main window smaller", [&] { main.resize(1000, 700); }},
        {"maximise after all", [&] { sub(b)->showMaximized(); }},
    };
    for (const auto& e : events) {
        e.act();
        Settle();
        for (OpenProject* p : {&a, &b})
            if (p->view->isVisible() && sub(*p)->isVisible())
                ExpectPageInView(*p->view, e.what);
    }
    ClearProfile(); // the splitter drag kept a tree width
}

// A page taller than the standard canvas: the scroll range grows with it, so that its
// header band can be scrolled into view at the top and its last row at the bottom.
TEST(CanvasWindow, TallPageScrollsFromItsBandToItsEnd)
{
    ClearProfile();
    CMDIFrameWnd main;
    main.resize(1300, 900);
    main.show();
    OpenProject p(main);
    const struct {
        int height;
    } cases[] = {{300}, {5900}, {12000}, {40000}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.height);
        CPage* page = p.narrow;
        page->m_nHeight = c.height;
        // shown anew, as after choosing another page and coming back
        p.view->SetCurrentPage(p.document.Project().m_pages.front().get());
        p.view->SetCurrentPage(page);
        Settle();
        ExpectPageInView(*p.view, "tall page shown");
        const CSize client = p.view->GetClientSize();
        const int bandTop = page->m_pHeaderBand ? -page->m_pHeaderBand->m_nHeight : 0;
        p.view->ScrollToPosition(CPoint(p.view->GetScrollPosition().x, 0));
        EXPECT_GE(p.view->PageToClient(CPoint(0, bandTop)).y, 0) << "the band's top can be reached";
        p.view->ScrollToPosition(CPoint(p.view->GetScrollPosition().x, 1 << 30));
        EXPECT_LE(p.view->PageToClient(CPoint(0, c.height)).y, client.cy) << "the page's end can be reached";
        QScrollBar* v = Bar(*p.view, Qt::Vertical);
        ASSERT_NE(v, nullptr);
        EXPECT_EQ(v->value(), v->maximum());
    }
}

TEST(CanvasWindow, OnlyTheGapMovesTheDivider)
{
    ClearProfile();
    CMDIFrameWnd main;
    main.resize(1200, 800);
    main.show();
    OpenProject p(main);
    const int width = p.frame->GetTreeWidth();
    // A press and drag on the canvas (which the view leaves to its parent) or on the
    // frame where the view lies moves nothing.
    for (QWidget* target : {static_cast<QWidget*>(p.view), static_cast<QWidget*>(p.frame)}) {
        const QPoint at = target == p.view ? QPoint(300, 300) : QPoint(width + 300, 300);
        SendMouse(target, QEvent::MouseButtonPress, at, Qt::LeftButton);
        SendMouse(target, QEvent::MouseMove, at + QPoint(200, 0), Qt::LeftButton);
        SendMouse(target, QEvent::MouseButtonRelease, at + QPoint(200, 0), Qt::NoButton);
        EXPECT_EQ(p.frame->GetTreeWidth(), width) << (target == p.view ? "press on the view" : "press on the frame inside the view");
    }
    // A drag from the gap does.
    SendMouse(p.frame, QEvent::MouseButtonPress, QPoint(width, 300), Qt::LeftButton);
    SendMouse(p.frame, QEvent::MouseMove, QPoint(width + 60, 300), Qt::LeftButton);
    SendMouse(p.frame, QEvent::MouseButtonRelease, QPoint(width + 60, 300), Qt::NoButton);
    EXPECT_EQ(p.frame->GetTreeWidth(), width + 60);
    // The next project window (in this run or the next) opens with that width.
    EXPECT_EQ(GetProfileInt("Settings", "TreeWidth", 0), width + 60);
    CChildFrame next;
    EXPECT_EQ(next.GetTreeWidth(), width + 60);
    ClearProfile();
    CChildFrame fresh;
    EXPECT_EQ(fresh.GetTreeWidth(), 140);
}
