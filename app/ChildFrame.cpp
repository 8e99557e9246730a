#include "app/ChildFrame.h"

#include "app/SiteTreeCtrl.h"
#include "framework/core/Dc.h"
#include "framework/ui/DocView.h"

#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QLayout>
#include <algorithm>
#include <cstdlib>

CChildFrame::CChildFrame()
{
    setObjectName(QStringLiteral("CChildFrame"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

CChildFrame::~CChildFrame() = default;

BOOL CChildFrame::OnCreateClient(CView* view)
{
    m_pSiteTree = new CSiteTreeCtrl(this);
    m_pSiteTree->show();
    if (!CMDIChildWnd::OnCreateClient(view))
        return FALSE;
    delete layout(); // the frame places tree and view itself
    view->setParent(this);
    view->show();
    RecalcLayout();
    return TRUE;
}

QTreeWidget* CChildFrame::GetSiteTree() const { return m_pSiteTree; }

void CChildFrame::RecalcLayout()
{
    const int h = std::max(0, height() - kRulerHeight);
    if (m_pSiteTree)
        m_pSiteTree->setGeometry(0, kRulerHeight, std::max(1, m_nTreeWidth - 1), h);
    if (CView* view = GetActiveView())
        view->setGeometry(m_nTreeWidth + 2, kRulerHeight, std::max(1, width() - m_nTreeWidth - 2), h);
    update();
}

void CChildFrame::SetTreeWidth(int width)
{
    m_nTreeWidth = std::max(kMinTreeWidth, width);
    RecalcLayout();
}

int CChildFrame::RulerZeroX() const
{
    const CView* view = GetActiveView();
    return (view ? view->x() : m_nTreeWidth + 2) + m_nRulerOffset;
}

BOOL CChildFrame::SetRulerText(const CString& text)
{
    if (text == m_strRulerText)
        return TRUE;
    m_strRulerText = text;
    ++m_nRulerTextRepaints;
    repaint(QRect(1, 1, 2999, 15));
    return TRUE;
}

void CChildFrame::RepaintRulerStrip(int, int top, int, int bottom)
{
    // The strip spans the whole frame width whatever the page offset.
    repaint(QRect(0, top, width(), std::max(0, bottom - top)));
}

void CChildFrame::resizeEvent(QResizeEvent* event)
{
    CMDIChildWnd::resizeEvent(event);
    if (!isMinimized())
        RecalcLayout();
}

void CChildFrame::paintEvent(QPaintEvent*)
{
    CDC dc(this);
    PaintStrip(&dc);
}

void CChildFrame::PaintStrip(CDC* dc)
{
    dc->SetBkMode(TRANSPARENT);
    dc->FillSolidRect(m_nTreeWidth - 4, kRulerHeight, 8, 2000, RGB(0xC0, 0xC0, 0xC0));

    CFont labelFont, textFont;
    labelFont.CreatePointFont(80, "Verdana", dc);
    textFont.CreatePointFont(100, "Verdana", dc);
    CFont* oldFont = dc->SelectObject(&textFont);

    for (int row = 0; row < kRulerHeight; ++row) {
        const int g = row < 16 ? 255 - 2 * row : 192 + 2 * row;
        dc->FillSolidRect(-2000, row, 4000 + std::max(0, width()), 1, RGB(g, g, g));
    }
    dc->FillSolidRect(0, 0, 1, 32, RGB(0x80, 0x80, 0x80));
    dc->FillSolidRect(0, 0, std::max(2000, width()), 1, RGB(0x80, 0x80, 0x80));

    CRect client(0, 0, width(), height());
    dc->DrawText(m_strRulerText, &client, DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);

    dc->SelectObject(&labelFont);
    const int saved = dc->SaveDC();
    dc->SetViewportOrg(RulerZeroX(), 0);
    dc->SetTextAlign(TA_RIGHT);
    dc->SetTextColor(RGB(0, 0, 0));
    CGdiObject* oldPen = dc->SelectStockObject(BLACK_PEN);
    auto tick = [dc](int x, int from) {
        dc->MoveTo(x, from);
        dc->LineTo(x, kRulerHeight);
    };
    for (int x = -2000; x <= 1900; x += 100)
        tick(x, 22);
    for (int x = -1950; x <= 1950; x += 100)
        tick(x, 28);
    for (int x = -1980; x <= 1990; x += 10)
        tick(x, 30);
    for (int x = -1900; x <= 1900; x += 100)
        dc->TextOut(x - 2, 18, CString::Formatted("%d", std::abs(x)));
    CPen red(PS_SOLID, 1, RGB(255, 0, 0));
    dc->SelectObject(&red);
    dc->MoveTo(0, 22);
    dc->LineTo(0, 22 + 32);
    if (oldPen)
        dc->SelectObject(oldPen);
    dc->RestoreDC(saved);
    dc->SelectObject(oldFont);
}

void CChildFrame::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && event->position().y() > kRulerHeight) {
        // The pressed button keeps the mouse with the frame until it is released.
        setCursor(Qt::SizeHorCursor);
        m_bDragging = true;
        return;
    }
    CMDIChildWnd::mousePressEvent(event);
}

void CChildFrame::mouseMoveEvent(QMouseEvent* event)
{
    if (event->position().y() > kRulerHeight || m_bDragging)
        setCursor(Qt::SizeHorCursor);
    else
        unsetCursor();
    if (m_bDragging)
        SetTreeWidth(int(event->position().x()));
}

void CChildFrame::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_bDragging) {
        m_bDragging = false;
        return;
    }
    CMDIChildWnd::mouseReleaseEvent(event);
}
