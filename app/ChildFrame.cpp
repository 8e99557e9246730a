#include "app/ChildFrame.h"

#include "controls/HtmlView.h"
#include "app/SiteTreeCtrl.h"
#include "document/KJDoc.h"
#include "editor/KJView.h"
#include "resources/CommandIds.h"
#include "framework/core/MessageBox.h"
#include "framework/core/Profile.h"
#include "model/Page.h"
#include "framework/core/Dc.h"
#include "framework/ui/DocView.h"

#include <QtCore/QDir>
#include <QtCore/QTemporaryDir>
#include <QtGui/QGuiApplication>
#include <QtGui/QMouseEvent>
#include <QtGui/QScreen>
#include <QtGui/QPainter>
#include <QtWidgets/QLayout>
#include <algorithm>
#include <cstdlib>

CChildFrame::CChildFrame()
{
    setObjectName(QStringLiteral("CChildFrame"));
    OnCommand(ID_PAGE_PREVIEW, [this] { OnPagePreview(); });
    OnCommand(ID_PAGE_PREVIEW_BROWSER, [this] { OnPagePreviewInBrowser(); });
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The tree keeps the width the user last dragged it to.
    m_nTreeWidth = std::clamp(GetProfileInt("Settings", "TreeWidth", m_nTreeWidth), int(kMinTreeWidth), 2000);
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
    // Always: the window state of a frame inside an MDI window says nothing about its
    // size, and a skipped layout left the view at its old (or no) size.
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

bool CChildFrame::InSplitterGap(QPoint at) const
{
    // Only the strip between tree and view: a press the view leaves unhandled reaches
    // the frame too, and must not move the divider.
    if (at.y() <= kRulerHeight || at.x() < m_nTreeWidth - 1 || at.x() >= m_nTreeWidth + 2)
        return false;
    const QWidget* child = childAt(at);
    return !child || (child != m_pSiteTree && child != GetActiveView() && !m_pSiteTree->isAncestorOf(child)
                      && !(GetActiveView() && GetActiveView()->isAncestorOf(child)));
}

void CChildFrame::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && InSplitterGap(event->position().toPoint())) {
        // The pressed button keeps the mouse with the frame until it is released.
        setCursor(Qt::SizeHorCursor);
        m_bDragging = true;
        event->accept();
        return;
    }
    CMDIChildWnd::mousePressEvent(event);
}

void CChildFrame::mouseMoveEvent(QMouseEvent* event)
{
    if (m_bDragging || InSplitterGap(event->position().toPoint()))
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
        WriteProfileInt("Settings", "TreeWidth", m_nTreeWidth);
        return;
    }
    CMDIChildWnd::mouseReleaseEvent(event);
}

bool CChildFrame::PreparePreview(CKJView*& view, CPage*& page, CString& folder, const char* mode)
{
    view = dynamic_cast<CKJView*>(GetActiveView());
    CKJDoc* doc = view ? view->GetProject() : nullptr;
    if (!doc)
        return false;
    if (!view->m_pContainer && !doc->m_pages.empty())
        view->SetCurrentPage(doc->m_pages.front().get());
    page = view->m_pCurrentPage;
    if (!page)
        return false;
    if (!m_previewFolder)
        m_previewFolder = std::make_unique<QTemporaryDir>();
    if (!m_previewFolder->isValid())
        return false;
    const QString path = m_previewFolder->filePath(QString::fromLatin1(mode));
    QDir().mkpath(path);
    folder = CString::FromQString(path);
    return true;
}

void CChildFrame::OnPagePreview()
{
    CKJView* view = nullptr;
    CPage* page = nullptr;
    CString folder;
    if (!PreparePreview(view, page, folder, "preview"))
        return;
    CString error;
    const CString file = GeneratePagePreview(*view->GetProject(), page, 0, folder, &error);
    if (file.IsEmpty()) {
        if (!error.IsEmpty())
            AfxMessageBox(error, MB_ICONEXCLAMATION);
        return;
    }
    DPreview dlg(this);
    dlg.m_nContentWidth = std::max(1024, page->m_nWidth + 100);
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const int desktop = screen ? screen->availableGeometry().height() : 800;
    dlg.m_nContentHeight = desktop < 800 ? desktop - 100 : 700;
    dlg.m_strAddress = file;
    dlg.m_strCaption = page->m_title.GetUtf8();
    dlg.DoModal();
}

void CChildFrame::OnPagePreviewInBrowser()
{
    CKJView* view = nullptr;
    CPage* page = nullptr;
    CString folder;
    if (!PreparePreview(view, page, folder, "browser"))
        return;
    CString error;
    const CString file = GeneratePagePreview(*view->GetProject(), page, 1, folder, &error);
    if (file.IsEmpty()) {
        if (!error.IsEmpty())
            AfxMessageBox(error, MB_ICONEXCLAMATION);
        return;
    }
    ShowInDefaultBrowser(file);
}
