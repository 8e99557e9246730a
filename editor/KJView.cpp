#include "editor/KJView.h"

#include "document/EditScope.h"
#include "document/KJDoc.h"
#include "dialogs/GridDialog.h"
#include "editor/SiteTreeNodes.h"
#include "editor/commands/Commands.h"
#include "editor/tools/ViewTool.h"
#include "framework/core/Colors.h"
#include "framework/core/Dc.h"
#include "framework/ui/Frames.h"
#include "framework/ui/WinApp.h"
#include "model/Clipboard.h"
#include "model/HeaderFooterItem.h"
#include "model/HtmlWriting.h"
#include "model/ItemTypes.h"
#include "model/MasterItem.h"
#include "model/Page.h"
#include "model/Picture.h"
#include "model/items/SliderItem.h"
#include "model/items/SymbolItem.h"

#include <QtGui/QPainter>
#include <QtGui/QResizeEvent>
#include <QtGui/QShowEvent>
#include <QtGui/QWheelEvent>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QTreeWidget>
#include <algorithm>

namespace {
constexpr COLORREF kDarkGrey = RGB(64, 64, 64);
constexpr COLORREF kFrameBlue = RGB(0, 85, 229);
constexpr int kTopGap = 20; // rows kept above a tall page when centring


// One "/" at the end of a non-empty text, whatever it ended with.
CString WithOneSlash(CString text)
{
    text.TrimRight('/');
    if (!text.IsEmpty())
        text += "/";
    return text;
}

// The size label drawn beside pictures and containers: transparent, black by default.
void DrawLabel(CDC* dc, int x, int y, const CString& text, COLORREF colour = 0)
{
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(colour);
    CGdiObject* old = dc->SelectStockObject(ANSI_VAR_FONT);
    dc->TextOut(x, y, text);
    if (old)
        dc->SelectObject(old);
}

void DrawFocusFrame(CDC* dc, const CItem* item)
{
    const int l = item->m_nEffBorder[SIDE_LEFT], t = item->m_nEffBorder[SIDE_TOP];
    const int b = item->m_nEffBorder[SIDE_BOTTOM], r = item->m_nEffBorder[SIDE_RIGHT];
    if (l || t || b || r)
        dc->DrawFocusRect(CRect(l, t, item->m_nWidth - r, item->m_nHeight - b));
}

CGroupItem* AsGroup(CItem* item) { return dynamic_cast<CGroupItem*>(item); }
} // namespace

CKJView::CKJView()
{
    setObjectName(QStringLiteral("CKJView"));
    setMouseTracking(true);
    // keys reach the canvas after a click on it, whatever had the focus before
    setFocusPolicy(Qt::ClickFocus);
    setCursor(ViewCursor(IDC_CURSOR_DEFAULT));
    RegisterEditingTools(*this);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_hBar = new QScrollBar(Qt::Horizontal, this);
    m_vBar = new QScrollBar(Qt::Vertical, this);
    for (QScrollBar* bar : {m_hBar, m_vBar}) {
        bar->setSingleStep(16);
        connect(bar, &QScrollBar::valueChanged, this, [this](int) {
            if (m_bSyncingBars)
                return;
            ScrollToPosition(CPoint(m_hBar->value(), m_vBar->value()));
        });
    }
    LayoutScrollBars();

    RegisterViewCommands(*this);
    RegisterEditCommands(*this);
    RegisterGuideCommands(*this);
    // clipboard and arrangement
    RegisterClipboardCommands(*this);
    RegisterArrangeCommands(*this);
    RegisterInsertCommands(*this); // item insertion
    RegisterFormatCommands(*this);
    RegisterActionCommands(*this);
    RegisterPageCommands(*this); // pages, folders, masters and site
    RegisterSiteCommands(*this);
    RegisterPageBackgroundCommands(*this);
    RegisterImageCommands(*this); // Image menu and Edit/Paste Into
    RegisterItemCommands(*this); // item properties
}

CKJView::~CKJView() = default;

CKJDoc* CKJView::GetProject() const
{
    if (m_pProject)
        return m_pProject;
    auto* holder = dynamic_cast<CProjectHolder*>(GetDocument());
    return holder ? &holder->Project() : nullptr;
}

CViewFrame* CKJView::GetFrameWnd() const
{
    if (m_pFrame)
        return m_pFrame;
    for (QWidget* w = parentWidget(); w; w = w->parentWidget())
        if (auto* frame = dynamic_cast<CViewFrame*>(w))
            return frame;
    return nullptr;
}

// ---------------------------------------------------------------- start and hints

void CKJView::OnInitialUpdate()
{
    CKJDoc* doc = GetProject();
    m_pCurrentPage = doc && !doc->m_pages.empty() ? doc->m_pages.front().get() : nullptr;
    m_pContainer = m_pCurrentPage;
    m_navigation.clear();
    m_pShownPicture = nullptr;
    if (CViewFrame* frame = GetFrameWnd()) {
        frame->SetRulerOffset(GetPageOrigin().x - m_scroll.x);
        frame->RepaintRulerStrip(-2000, 0, 2000, 14);
    }
    FillSiteTree();
    // The centring waits until the window has its final size.
    QMetaObject::invokeMethod(this, [this] { CenterPage(); }, Qt::QueuedConnection);
}

void CKJView::OnUpdate(CView*, long hint, void* hintObject)
{
    // Whatever changed may have taken items the view points at with it.
    ResetViewPointers();
    SyncScrollRanges(); // a page that grew or shrank
    switch (hint) {
    case HINT_REPAINT: RedrawNow(); break;
    case HINT_FILL_TREE: FillSiteTree(); break;
    case HINT_SET_PAGE: SetCurrentPage(static_cast<CItem*>(hintObject)); break;
    case HINT_CENTER:
        if (m_pCurrentPage)
            CenterPage();
        break;
    case HINT_TEXTURES: RefreshTextureEntries(); break;
    default: break;
    }
}

// ---------------------------------------------------------------- coordinates and scrolling

CSize CKJView::GetCanvasSize() const
{
    if (!m_pContainer)
        return CSize(kCanvasSize, kCanvasSize);
    // Half the standard size around the content: room for the bands and the grey border.
    const std::int64_t w = std::int64_t(m_pContainer->m_nWidth) + kCanvasSize / 2;
    const std::int64_t h = std::int64_t(std::max(GetContentHeight(), m_pContainer->m_nHeight)) + kCanvasSize / 2;
    constexpr std::int64_t kMost = 1 << 28; // scroll positions stay far from int's end
    return CSize(int(std::clamp<std::int64_t>(w, kCanvasSize, kMost)), int(std::clamp<std::int64_t>(h, kCanvasSize, kMost)));
}

CPoint CKJView::GetPageOrigin() const
{
    const CSize canvas = GetCanvasSize();
    if (!m_pContainer)
        return CPoint(canvas.cx / 2, canvas.cy / 2);
    return CPoint((canvas.cx - m_pContainer->m_nWidth) / 2, (canvas.cy - m_pContainer->m_nHeight) / 2);
}

void CKJView::PrepareEditDC(CDC* dc) const
{
    dc->SetMapMode(MM_ANISOTROPIC);
    const CPoint origin = GetPageOrigin();
    dc->SetViewportOrg(origin.x - m_scroll.x, origin.y - m_scroll.y);
    dc->SetViewportExt(1, 1);
    dc->SetWindowExt(1, 1);
}

CPoint CKJView::ClientToPage(CPoint client) const
{
    const CPoint origin = GetPageOrigin();
    return CPoint(client.x + m_scroll.x - origin.x, client.y + m_scroll.y - origin.y);
}

CPoint CKJView::PageToClient(CPoint page) const
{
    const CPoint origin = GetPageOrigin();
    return CPoint(page.x + origin.x - m_scroll.x, page.y + origin.y - m_scroll.y);
}

CSize CKJView::GetClientSize() const
{
    return CSize(std::max(0, width() - m_vBar->sizeHint().width()), std::max(0, height() - m_hBar->sizeHint().height()));
}

void CKJView::ScrollToPosition(CPoint position)
{
    SyncScrollRanges(); // the page may have grown or another shows
    const CSize client = GetClientSize(), canvas = GetCanvasSize();
    position.x = std::clamp(position.x, 0, std::max(0, canvas.cx - client.cx));
    position.y = std::clamp(position.y, 0, std::max(0, canvas.cy - client.cy));
    const bool horizontal = position.x != m_scroll.x;
    m_scroll = position;
    m_bSyncingBars = true;
    m_hBar->setValue(m_scroll.x);
    m_vBar->setValue(m_scroll.y);
    m_bSyncingBars = false;
    update();
    if (horizontal)
        SyncFrameRuler();
}

void CKJView::CenterOnPoint(CPoint point)
{
    const CSize client = GetClientSize();
    ScrollToPosition(CPoint(point.x - client.cx / 2, point.y - client.cy / 2));
}

void CKJView::LayoutScrollBars()
{
    const int bw = m_vBar->sizeHint().width(), bh = m_hBar->sizeHint().height();
    m_hBar->setGeometry(0, height() - bh, std::max(0, width() - bw), bh);
    m_vBar->setGeometry(width() - bw, 0, bw, std::max(0, height() - bh));
    ScrollToPosition(m_scroll); // new ranges; keeps the position inside them
}

void CKJView::SyncScrollRanges()
{
    const CSize client = GetClientSize(), canvas = GetCanvasSize();
    const int hMax = std::max(0, canvas.cx - client.cx), vMax = std::max(0, canvas.cy - client.cy);
    if (m_hBar->maximum() == hMax && m_vBar->maximum() == vMax && m_hBar->pageStep() == std::max(1, client.cx)
        && m_vBar->pageStep() == std::max(1, client.cy))
        return;
    m_bSyncingBars = true;
    m_hBar->setRange(0, hMax);
    m_vBar->setRange(0, vMax);
    m_hBar->setPageStep(std::max(1, client.cx));
    m_vBar->setPageStep(std::max(1, client.cy));
    m_bSyncingBars = false;
}

void CKJView::resizeEvent(QResizeEvent* event)
{
    CView::resizeEvent(event);
    LayoutScrollBars();
    KeepPageInView();
}

void CKJView::showEvent(QShowEvent* event)
{
    CView::showEvent(event);
    // A window shown again (restored, tiled) may have missed its sizes while hidden.
    LayoutScrollBars();
    KeepPageInView();
}

void CKJView::KeepPageInView()
{
    if (!m_pContainer || m_pShownPicture)
        return;
    // The page stays in the middle across; a page that fits is centred downwards too,
    // a taller one keeps its top line unless that left the window.
    const CSize client = GetClientSize();
    const int contentTop = GetPageOrigin().y + GetContentTop();
    const int contentBottom = contentTop + GetContentHeight();
    int y;
    if (GetContentHeight() <= client.cy)
        y = CenteredY(client.cy);
    else if (m_scroll.y > contentBottom - client.cy || m_scroll.y + client.cy <= contentTop + kTopGap)
        y = CenteredY(client.cy);
    else
        y = m_scroll.y + client.cy / 2;
    CenterOnPoint(CPoint(GetCanvasSize().cx / 2, y));
    SyncFrameRuler();
}

void CKJView::wheelEvent(QWheelEvent* event)
{
    const QPoint steps = event->angleDelta() / 120 * 48;
    ScrollToPosition(CPoint(m_scroll.x - steps.x(), m_scroll.y - steps.y()));
    event->accept();
}

CKJView::PageBox CKJView::ComputePageBox() const
{
    PageBox box;
    CKJDoc* doc = GetProject();
    const CPage* page = m_pCurrentPage;
    if (!doc || !page)
        return box;
    const CHeaderFooterItem* header = page->m_pHeaderBand;
    const CHeaderFooterItem* footer = page->m_pFooterBand;
    const int margin = doc->m_nPageMargin;
    const int pw = page->m_nWidth;
    box.width = std::max({pw, header ? header->m_nWidth : 0, footer ? footer->m_nWidth : 0}) + 224;
    // Page and bands are stacked divs with automatic margins: no gap between them, the
    // body's margin around them.
    box.height = page->m_nHeight + 2 * margin;
    for (const CHeaderFooterItem* band : {header, footer})
        if (band)
            box.height += band->m_nHeight;
    box.left = -margin - (box.width - 2 * margin - pw) / 2;
    box.top = -margin;
    if (header)
        box.top -= header->m_nHeight;
    // The frames grow to the right and downwards from the same corner.
    if (doc->m_nPreviewFrame == 1) {
        box.width = std::max(box.width, 1024);
        box.height = std::max(box.height, 768);
    } else if (doc->m_nPreviewFrame == 2) {
        box.width = std::max(box.width, 640);
        box.height = std::max(box.height, 480);
    }
    return box;
}

int CKJView::GetContentTop() const
{
    if (!m_pContainer)
        return 0;
    if (m_pContainer != m_pCurrentPage || !m_pCurrentPage)
        return -20; // the container's name line
    CKJDoc* doc = GetProject();
    const int frame = doc && doc->m_nPreviewFrame == 1 ? 24 : doc && doc->m_nPreviewFrame == 2 ? 60 : 0;
    return ComputePageBox().top - frame;
}

int CKJView::GetContentHeight() const
{
    if (!m_pContainer)
        return 0;
    if (m_pContainer != m_pCurrentPage || !m_pCurrentPage)
        return m_pContainer->m_nHeight - GetContentTop();
    CKJDoc* doc = GetProject();
    const int frame = doc && doc->m_nPreviewFrame == 1 ? 28 : doc && doc->m_nPreviewFrame == 2 ? 60 : 0;
    const PageBox box = ComputePageBox();
    return box.top + box.height + frame - GetContentTop();
}

// ---------------------------------------------------------------- navigation

void CKJView::RedrawNow()
{
    ++m_nRedrawCount;
    repaint();
}

void CKJView::EnterContainer(CItem* container)
{
    if (!container || container == m_pContainer)
        return;
    ClearInteraction();
    m_navigation.push_back(m_pContainer);
    m_pContainer = container;
    if (container->m_nType == ITEM_PAGE)
        m_pCurrentPage = static_cast<CPage*>(container);
    m_pShownPicture = nullptr;
    CenterPage();
}

void CKJView::LeaveContainer()
{
    if (m_navigation.empty())
        return;
    ClearInteraction();
    CItem* back = m_navigation.back();
    m_navigation.pop_back();
    m_pContainer = back;
    if (back && back->m_nType == ITEM_PAGE) {
        m_pCurrentPage = static_cast<CPage*>(back);
        if (CViewFrame* frame = GetFrameWnd())
            if (QTreeWidget* tree = frame->GetSiteTree())
                if (QTreeWidgetItem* node = FindNode(tree, back))
                    tree->setCurrentItem(node);
    }
    CenterPage();
}

void CKJView::SetCurrentPage(CItem* page)
{
    if (!page || page->m_nType != ITEM_PAGE)
        return;
    // the same page again still ends what the mouse was doing on it
    ClearInteraction();
    if (page == m_pCurrentPage && page == m_pContainer)
        return;
    m_navigation.clear();
    m_pCurrentPage = static_cast<CPage*>(page);
    m_pContainer = page;
    m_pShownPicture = nullptr;
    m_drag.mode = 0;
    CenterPage(); // another page may be of another size
}

void CKJView::ShowPicture(CPicture* picture)
{
    m_pShownPicture = picture;
    if (picture) {
        m_navigation.clear();
        m_pCurrentPage = nullptr;
        m_pContainer = nullptr;
    }
    RedrawNow();
}

int CKJView::CenteredY(int clientHeight) const
{
    const int height = GetContentHeight();
    const int contentTop = GetPageOrigin().y + GetContentTop();
    // Too tall for the window: its top stays in view, a little below the window's top.
    if (height > clientHeight)
        return contentTop - kTopGap + clientHeight / 2;
    // The page with its bands (and frame) is centred as a whole, so nothing is cut off.
    if (m_pContainer == m_pCurrentPage)
        return contentTop + height / 2;
    return GetCanvasSize().cy / 2;
}

void CKJView::CenterPage()
{
    if (!m_pContainer)
        return;
    const CSize client = GetClientSize();
    CenterOnPoint(CPoint(GetCanvasSize().cx / 2, CenteredY(client.cy)));
    SyncFrameRuler();
    RedrawNow();
}

void CKJView::SyncFrameRuler()
{
    CViewFrame* frame = GetFrameWnd();
    if (!frame)
        return;
    frame->SetRulerOffset(GetPageOrigin().x - m_scroll.x);
    frame->RepaintRulerStrip(-2000, 18, 2000, 32);
    frame->SetRulerText(m_strInfoText);
}

void CKJView::SetInfoText(const CString& text)
{
    m_strInfoText = text;
    if (CViewFrame* frame = GetFrameWnd())
        frame->SetRulerText(text);
}

// ---------------------------------------------------------------- view state

void CKJView::MarkPageChanged()
{
    // A change already made in the current container: one edit without a snapshot, so
    // the project is marked once and the pages that show the container are sent again.
    CKJDoc* doc = GetProject();
    if (!doc)
        return;
    CEditScope scope(*doc);
    scope.Touch(m_pContainer ? m_pContainer : m_pCurrentPage);
}

void CKJView::FillSiteTree()
{
    CKJDoc* doc = GetProject();
    CViewFrame* frame = GetFrameWnd();
    QTreeWidget* tree = frame ? frame->GetSiteTree() : nullptr;
    if (!doc || !tree)
        return;
    ::FillSiteTree(*tree, *doc);
}

void CKJView::RefreshTextureEntries()
{
    CKJDoc* doc = GetProject();
    CViewFrame* frame = GetFrameWnd();
    if (doc && frame && frame->GetSiteTree())
        AddTextureNodes(*frame->GetSiteTree(), *doc);
}

void CKJView::OnViewBrowserFrame()
{
    if (CKJDoc* doc = GetProject()) {
        CEditScope scope(*doc); // the frame mode is kept in the project file
        doc->m_nPreviewFrame = doc->m_nPreviewFrame == 1 ? 0 : 1;
        RedrawNow();
    }
}

void CKJView::OnViewMobileDeviceFrame()
{
    if (CKJDoc* doc = GetProject()) {
        CEditScope scope(*doc); // the frame mode is kept in the project file
        doc->m_nPreviewFrame = doc->m_nPreviewFrame == 2 ? 0 : 2;
        RedrawNow();
    }
}

void CKJView::StepPage(bool forward)
{
    CKJDoc* doc = GetProject();
    CViewFrame* frame = GetFrameWnd();
    QTreeWidget* tree = frame ? frame->GetSiteTree() : nullptr;
    if (!doc || !tree || !m_pCurrentPage)
        return;
    QTreeWidgetItem* node = FindNode(tree, m_pCurrentPage);
    if (!node)
        return;
    QTreeWidgetItem* parent = node->parent();
    const int index = parent ? parent->indexOfChild(node) : tree->indexOfTopLevelItem(node);
    const int next = index + (forward ? 1 : -1);
    const int count = parent ? parent->childCount() : tree->topLevelItemCount();
    if (next < 0 || next >= count)
        return;
    QTreeWidgetItem* sibling = parent ? parent->child(next) : tree->topLevelItem(next);
    for (const auto& page : doc->m_pages)
        if (FindNode(tree, page.get()) == sibling) {
            tree->setCurrentItem(sibling);
            SetCurrentPage(page.get());
            return;
        }
}

void CKJView::OnViewNextPage() { StepPage(true); }
void CKJView::OnViewPreviousPage() { StepPage(false); }

void CKJView::OnViewGrid()
{
    CKJDoc* doc = GetProject();
    if (!doc)
        return;
    DGrid dlg(this);
    dlg.m_bGridOn = doc->m_bGridOn;
    dlg.m_bShowGuides = doc->m_bShowGuides;
    dlg.m_nGridX = GetGridStepX();
    dlg.m_nGridY = GetGridStepY();
    if (dlg.DoModal() != IDOK)
        return;
    ApplyGridSettings(dlg.m_bGridOn, dlg.m_bShowGuides, dlg.m_nGridX, dlg.m_nGridY);
}

void CKJView::ApplyGridSettings(int gridOn, int guidesOn, int gridX, int gridY)
{
    CKJDoc* doc = GetProject();
    if (!doc)
        return;
    const int x = std::clamp(gridX, kMinGridStep, kMaxGridStep), y = std::clamp(gridY, kMinGridStep, kMaxGridStep);
    const bool rulersWanted = guidesOn && !doc->m_bShowGuides && doc->m_guides.empty();
    if (doc->m_bGridOn != gridOn || doc->m_nGridX != x || doc->m_nGridY != y || doc->m_bShowGuides != guidesOn) {
        // the project file keeps the grid: a change of it is a change of the project
        CEditScope scope(*doc);
        doc->m_bGridOn = gridOn;
        doc->m_nGridX = x;
        doc->m_nGridY = y;
        doc->m_bShowGuides = guidesOn;
    }
    RedrawNow();
    if (rulersWanted)
        PostViewCommand(ID_INSERT_RULERS);
}

int CKJView::GetGridStepX() const
{
    CKJDoc* doc = GetProject();
    return std::clamp(doc ? doc->m_nGridX : kMinGridStep, kMinGridStep, kMaxGridStep);
}

int CKJView::GetGridStepY() const
{
    CKJDoc* doc = GetProject();
    return std::clamp(doc ? doc->m_nGridY : kMinGridStep, kMinGridStep, kMaxGridStep);
}

void CKJView::OnUpdateSelectionPane(CCmdUI* ui)
{
    auto* group = AsGroup(m_pContainer);
    if (!group)
        return;
    const int n = group->CountFlaggedChildren();
    if (n == 1) {
        for (const auto& child : group->GetChildren())
            if (child->m_bSelected) {
                ui->SetText(child->Describe());
                return;
            }
    } else if (n > 1) {
        ui->SetText(CString::Formatted("%d items selected", n));
    } else {
        ui->SetText("");
    }
}

// ---------------------------------------------------------------- painting

QImage CKJView::RenderClient()
{
    const CSize client = GetClientSize();
    QImage image(std::max(1, client.cx), std::max(1, client.cy), QImage::Format_RGB32);
    image.fill(QColor(64, 64, 64));
    {
        CDC dc(&image);
        OnDraw(&dc);
    }
    return image;
}

void CKJView::paintEvent(QPaintEvent*)
{
    const QImage image = DragFeedbackImage();
    QPainter painter(this);
    painter.drawImage(0, 0, image);
    painter.fillRect(QRect(width() - m_vBar->width(), height() - m_hBar->height(), m_vBar->width(), m_hBar->height()),
                     palette().window());
}

void CKJView::OnDraw(CDC* dc)
{
    PrepareEditDC(dc);
    if (m_pShownPicture)
        DrawPicture(dc);
    else if (!m_pContainer)
        DrawNoContainer(dc);
    else if (m_pContainer == m_pCurrentPage)
        DrawPage(dc);
    else
        DrawContainer(dc);
    if (!m_pContainer || m_pShownPicture)
        return;
    DrawGrid(dc);
    if (auto* group = AsGroup(m_pContainer))
        for (const auto& child : group->GetChildren())
            if (child->m_bSelected)
                child->DrawHandles(dc);
    DrawGuides(dc);
}

void CKJView::DrawPicture(CDC* dc)
{
    CDib& dib = m_pShownPicture->m_rendering.IsValid() ? m_pShownPicture->m_rendering : m_pShownPicture->m_picture;
    const int w = dib.IsValid() ? dib.GetWidth() : 0, h = dib.IsValid() ? dib.GetHeight() : 0;
    if (dib.IsValid())
        dib.DrawTransparent(dc, -w / 2, -h / 2);
    DrawLabel(dc, 0, -16, CString::Formatted(" [ %d x %d ]", w, h));
}

void CKJView::DrawNoContainer(CDC* dc)
{
    CKJDoc* doc = GetProject();
    if (!doc)
        return;
    CFillStyle& fill = doc->m_websiteBackground;
    const bool transparent = tessel::ColorIsUnset(fill.m_crColor);
    CString label = transparent ? CString("Transparent") : ColorToHtml(fill.m_crColor);
    if (!transparent)
        dc->FillSolidRect(-3000, -3000, 6000, 6000, fill.m_crColor & 0xFFFFFF);
    CDib* picture = nullptr;
    if (fill.m_nKind == CFillStyle::KindPicture && fill.m_pPicture)
        picture = fill.m_pPicture->m_rendering.IsValid() ? &fill.m_pPicture->m_rendering : &fill.m_pPicture->m_picture;
    else if (fill.m_nKind == CFillStyle::KindGradient && fill.m_bitmap->IsValid())
        picture = &fill.m_bitmap.Edit();
    if (picture && picture->IsValid()) {
        picture->DrawTransparent(dc, 0, 0);
        label += CString::Formatted(" [ %d x %d ]", picture->GetWidth(), picture->GetHeight());
    }
    DrawLabel(dc, 0, -16, label);
}

void CKJView::DrawPage(CDC* dc)
{
    CKJDoc* doc = GetProject();
    CPage* page = m_pCurrentPage;
    if (!doc || !page)
        return;
    const CFillStyle& browser = doc->m_websiteBackground;
    const COLORREF background = tessel::ColorIsUnset(browser.m_crColor) ? RGB(255, 255, 255) : browser.m_crColor & 0xFFFFFF;
    CHeaderFooterItem* header = page->m_pHeaderBand;
    CHeaderFooterItem* footer = page->m_pFooterBand;
    const int pw = page->m_nWidth, ph = page->m_nHeight;
    const PageBox box = ComputePageBox();
    const int left = box.left, top = box.top, width = box.width, height = box.height;
    const int frameMode = doc->m_nPreviewFrame;

    if (frameMode == 1) {
        dc->FillSolidRect(left - 4, top - 24, width + 4, 24, kFrameBlue);
        dc->FillSolidRect(left - 4, top - 24, 4, height + 48, kFrameBlue);
        dc->FillSolidRect(left + width, top - 24, 4, height + 48, kFrameBlue);
        dc->FillSolidRect(left - 4, top + height + 24, width + 8, 4, kFrameBlue);
        dc->SetBkMode(TRANSPARENT);
        const QString title = page->m_title.ToQString();
        dc->SetTextColor(RGB(0, 0, 0));
        dc->TextOut(left + 3, top - 20, title);
        dc->SetTextColor(RGB(255, 255, 255));
        dc->TextOut(left + 2, top - 21, title);
        // The window buttons are Wingdings codes; the Symbol item's mapping turns them
        // into the characters the fonts here have.
        CFont symbols;
        symbols.CreatePointFont(140, "Wingdings", dc);
        LOGFONT symbolFace{};
        symbols.GetLogFont(&symbolFace);
        const QString buttons = SymbolGlyphText(symbolFace, 'y') + SymbolGlyphText(symbolFace, 'x');
        CFont* oldFont = dc->SelectObject(&symbols);
        dc->SetTextColor(RGB(0, 0, 0));
        dc->TextOut(left + width - 37, top - 21, buttons);
        dc->SetTextColor(RGB(255, 255, 255));
        dc->TextOut(left + width - 38, top - 22, buttons);
        dc->SelectObject(oldFont);
        for (int i = 0; i < 24; ++i) {
            const int g = 192 + 2 * i;
            dc->FillSolidRect(left, top + height + i, width, 1, RGB(g, g, g));
        }
        dc->FillSolidRect(left, top + height, width, 1, RGB(122, 122, 122));
        CString fileName = page->GetFileName();
        CString status = WithOneSlash(doc->m_strRootUrl) + WithOneSlash(GetFolderPath(page)) + fileName;
        DrawLabel(dc, left + 2, top + height + 6, status);
    } else if (frameMode == 2) {
        CPen pen(PS_SOLID, 6, RGB(222, 222, 222));
        CPen* oldPen = dc->SelectObject(&pen);
        CGdiObject* oldBrush = dc->SelectStockObject(BLACK_BRUSH);
        dc->RoundRect(left - 60, top - 60, left + width + 60, top + height + 60, 24, 24);
        dc->SelectStockObject(BLACK_PEN);
        if (oldBrush)
            dc->SelectObject(oldBrush);
        (void)oldPen;
    }

    dc->FillSolidRect(left, top, width, height, background);
    doc->m_websiteBackground.Paint(dc, left, top, left + width, top + height);

    int x0 = 0, x1 = pw;
    if (doc->m_bStretchToBrowser) {
        x0 = (pw - width) / 2;
        x1 = x0 + width;
    }
    doc->m_allPagesBackground.Paint(dc, x0, 0, x1, ph);

    const bool headerInFront = page->m_nHeaderZIndex > 0; // raised over the page (a menu in the band)
    auto paintHeader = [&] {
        const int saved = dc->SaveDC();
        dc->OffsetViewportOrg((pw - header->m_nWidth) / 2, -header->m_nHeight);
        header->DrawOnCanvas(dc, width);
        dc->RestoreDC(saved);
    };
    if (header && !headerInFront)
        paintHeader();
    {
        const int saved = dc->SaveDC();
        page->DrawCanvas(dc, width); // fill, masters, items and the objects cloned onto it
        dc->RestoreDC(saved);
    }
    DrawFocusFrame(dc, page);
    if (footer) {
        const int saved = dc->SaveDC();
        dc->OffsetViewportOrg((pw - footer->m_nWidth) / 2, ph);
        footer->DrawOnCanvas(dc, width);
        dc->RestoreDC(saved);
    }
    if (header && headerInFront)
        paintHeader();
}

void CKJView::DrawContainer(CDC* dc)
{
    CKJDoc* doc = GetProject();
    CItem* container = m_pContainer;
    const int w = container->m_nWidth, h = container->m_nHeight;
    if (container->m_pFill && tessel::ColorIsUnset(container->m_pFill->m_crColor)) {
        // Checkerboard: what shows through a transparent container.
        for (int y = 0; y <= h; y += 4)
            for (int x = 0; x <= w; x += 4)
                dc->FillSolidRect(x, y, std::min(4, w + 1 - x), std::min(4, h + 1 - y),
                                  ((x / 4 + y / 4) % 2) ? RGB(204, 204, 204) : RGB(255, 255, 255));
    }
    if (container->m_nType == ITEM_MASTER && doc)
        doc->m_allPagesBackground.Paint(dc, 0, 0, w + 1, h + 1);
    dc->SetBkMode(TRANSPARENT);
    CGdiObject* oldFont = dc->SelectStockObject(ANSI_VAR_FONT);
    // One numbered tab under the slider per slide.
    if (auto* slider = dynamic_cast<CSliderItem*>(container))
            for (int i = 0; i < int(slider->m_frames.size()); ++i) {
                dc->FillSolidRect(24 * i, h + 4, 20, 20, RGB(255, 255, 255));
                dc->SetTextColor(RGB(0, 0, 0));
                CRect r(24 * i, h + 8, 24 * i + 20, h + 24);
                dc->DrawText(CString::Formatted("%d", i + 1), &r, DT_CENTER | DT_SINGLELINE);
            }
    dc->SetTextColor(RGB(255, 255, 255));
    dc->TextOut(0, -20, CString::Formatted("%s [ %d x %d ]", container->m_strName.GetString(), w, h));
    if (oldFont)
        dc->SelectObject(oldFont);
    if (!m_navigation.empty()) {
        dc->FillSolidRect(w - 15, -19, 15, 15, RGB(255, 255, 255));
        CGdiObject* oldPen = dc->SelectStockObject(BLACK_PEN);
        dc->MoveTo(w - 12, -16);
        dc->LineTo(w - 3, -7);
        dc->MoveTo(w - 4, -16);
        dc->LineTo(w - 13, -7);
        if (oldPen)
            dc->SelectObject(oldPen);
    }
    if (auto* group = AsGroup(container)) {
        const int saved = dc->SaveDC();
        group->DrawChildren(dc);
        dc->RestoreDC(saved);
    }
    DrawFocusFrame(dc, container);
}

void CKJView::DrawGrid(CDC* dc)
{
    CKJDoc* doc = GetProject();
    if (!doc || !doc->m_bGridOn)
        return;
    QImage* image = dc->Image();
    if (!image)
        return;
    const int stepX = GetGridStepX(), stepY = GetGridStepY();
    const CPoint origin = dc->GetViewportOrg();
    for (int y = stepY; y < m_pContainer->m_nHeight; y += stepY) {
        const int dy = y + origin.y;
        if (dy < 0 || dy >= image->height())
            continue;
        auto* row = reinterpret_cast<QRgb*>(image->scanLine(dy));
        for (int x = stepX; x < m_pContainer->m_nWidth; x += stepX) {
            const int dx = x + origin.x;
            if (dx >= 0 && dx < image->width())
                row[dx] ^= 0x00FFFFFFu;
        }
    }
}

void CKJView::DrawGuides(CDC* dc)
{
    CKJDoc* doc = GetProject();
    if (!doc || !doc->m_bShowGuides)
        return;
    CPen pen(PS_DOT, 1, RGB(0, 0, 255));
    CPen* oldPen = dc->SelectObject(&pen);
    for (const auto& guide : doc->m_guides) {
        const int p = guide->m_nPosition;
        if (guide->m_bVertical) {
            dc->MoveTo(p, -6000);
            dc->LineTo(p, 6000);
        }
        if (guide->m_bHorizontal) {
            dc->MoveTo(-6000, p);
            dc->LineTo(6000, p);
        }
    }
    dc->SelectObject(oldPen);
}
