#include "app/MainFrame.h"

#include "app/AppResources.h"
#include "app/Artwork.h"
#include "framework/core/Profile.h"
#include "framework/ui/Translation.h"
#include "framework/ui/WinApp.h"

#include <QtCore/QMimeData>
#include <QtCore/QUrl>
#include <QtGui/QCloseEvent>
#include <QtGui/QDragEnterEvent>
#include <QtGui/QDropEvent>
#include <QtGui/QPainter>
#include <QtGui/QScreen>
#include <QtWidgets/QApplication>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QTreeWidget>

namespace {
constexpr int kMaxTipChars = 79;
}

// ---- CSplashWnd

CSplashWnd::CSplashWnd() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setWindowTitle(QStringLiteral("Tessel Web Designer"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFixedSize(402, 349);
    setCursor(Qt::ArrowCursor);
}

void CSplashWnd::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(0x30, 0x3a, 0x4a));
    if (!m_picture.isNull())
        p.drawImage(QPoint(1, 1), m_picture);
}

// Clicking the splash does nothing: only the frame's timer closes it.
void CSplashWnd::mousePressEvent(QMouseEvent*) {}

// ---- CFindBar

CFindBar::CFindBar(QWidget* parent) : QWidget(parent), m_list(new QTreeWidget(this))
{
    setWindowTitle(QStringLiteral("Find"));
    m_list->setObjectName(QStringLiteral("1078"));
    m_list->setRootIsDecorated(false);
    m_list->setColumnCount(2);
    m_list->setHeaderLabels({UiTranslate("Item").ToQString(), UiTranslate("Page").ToQString()});
    m_list->header()->resizeSection(0, 400);
    m_list->header()->resizeSection(1, 100);
    // The template's size: 513 x 79 dialog units.
    m_sizeDocked = m_sizeFloating = QSize(770, 128);
}

QSize CFindBar::CalcDynamicLayout(int length, unsigned mode)
{
    if (mode & (LM_HORZDOCK | LM_VERTDOCK)) {
        if (mode & LM_STRETCH)
            return (mode & LM_HORZ) ? QSize(32767, m_sizeDocked.height()) : QSize(m_sizeDocked.width(), 32767);
        return m_sizeDocked;
    }
    if (mode & LM_MRUWIDTH)
        return m_sizeFloating;
    if (mode & LM_LENGTHY) {
        m_sizeFloating.setHeight(length);
        if (m_bChangeDockedSize)
            m_sizeDocked.setHeight(length);
        return QSize(m_sizeFloating.width(), length);
    }
    m_sizeFloating.setWidth(length);
    if (m_bChangeDockedSize)
        m_sizeDocked.setWidth(length);
    return QSize(length, m_sizeFloating.height());
}

void CFindBar::resizeEvent(QResizeEvent* event)
{
    m_list->setGeometry(rect());
    QWidget::resizeEvent(event);
}

// ---- CMainFrame

CMainFrame::CMainFrame() { setAcceptDrops(true); }

CMainFrame::~CMainFrame() { delete m_pSplash; }

int CMainFrame::OnCreate()
{
    setObjectName(QStringLiteral("CMainFrame"));
    const std::vector<CToolBar::Button> top{
        {ID_FILE_NEW, CommandIcon(ID_FILE_NEW)},
        {ID_FILE_OPEN_PROJECT, CommandIcon(ID_FILE_OPEN_PROJECT)},
        {ID_FILE_SAVE, CommandIcon(ID_FILE_SAVE)},
        {ID_SEPARATOR, {}},
        {ID_EDIT_CUT, CommandIcon(ID_EDIT_CUT)},
        {ID_EDIT_COPY, CommandIcon(ID_EDIT_COPY)},
        {ID_EDIT_PASTE, CommandIcon(ID_EDIT_PASTE)},
        {ID_EDIT_UNDO, CommandIcon(ID_EDIT_UNDO)},
        {ID_SEPARATOR, {}},
        {ID_ITEM_FONT, CommandIcon(ID_ITEM_FONT)},
        {ID_ITEM_TEXT_COLOR, CommandIcon(ID_ITEM_TEXT_COLOR)},
        {ID_LARGER_FONT, CommandIcon(ID_LARGER_FONT)},
        {ID_SMALLER_FONT, CommandIcon(ID_SMALLER_FONT)},
        {ID_BOLD, CommandIcon(ID_BOLD)},
        {ID_ITALIC, CommandIcon(ID_ITALIC)},
        {ID_UNDERLINE, CommandIcon(ID_UNDERLINE)},
        {ID_SEPARATOR, {}},
        {ID_ALIGN_LEFT, CommandIcon(ID_ALIGN_LEFT)},
        {ID_ALIGN_CENTER, CommandIcon(ID_ALIGN_CENTER)},
        {ID_ALIGN_RIGHT, CommandIcon(ID_ALIGN_RIGHT)},
        {ID_SEPARATOR, {}},
        {ID_PAGE_PREVIEW, CommandIcon(ID_PAGE_PREVIEW)},
        {ID_PAGE_PREVIEW_BROWSER, CommandIcon(ID_PAGE_PREVIEW_BROWSER)},
        {ID_WEBSITE_UPLOAD, CommandIcon(ID_WEBSITE_UPLOAD)},
        {ID_PREVIEW_ONLINE, CommandIcon(ID_PREVIEW_ONLINE)},
        {ID_SEPARATOR, {}},
        {ID_HELP_CONTENTS, CommandIcon(ID_HELP_CONTENTS)},
    };
    auto buttons = [](std::initializer_list<UINT> ids) {
        std::vector<CToolBar::Button> b;
        for (UINT id : ids)
            b.push_back({id, CommandIcon(id)});
        return b;
    };
    AddBar(IDR_MAINFRAME, top, Qt::TopToolBarArea, Qt::AllToolBarAreas);
    AddBar(IDR_TOOLBAR_LEFT,
           buttons({ID_INSERT_PARAGRAPH, ID_INSERT_TEXT, ID_INSERT_HEADING, ID_INSERT_LINK, ID_INSERT_ARTISTIC,
                    ID_INSERT_IMAGE, ID_INSERT_BUTTON, ID_INSERT_MENU, ID_INSERT_SHAPE, ID_INSERT_GROUP,
                    ID_INSERT_SCROLLAREA}),
           Qt::LeftToolBarArea, Qt::LeftToolBarArea);
    AddBar(IDR_TOOLBAR_FORMS,
           buttons({ID_FORM_NEW, ID_FORM_INPUT, ID_FORM_LIST, ID_FORM_DROPDOWN, ID_FORM_TEXTAREA, ID_FORM_CHECKBOX,
                    ID_FORM_RADIO, ID_FORM_SUBMIT}),
           Qt::LeftToolBarArea, Qt::LeftToolBarArea);
    AddBar(IDR_TOOLBAR_RIGHT,
           buttons({ID_ACTION_ONCLICK, ID_ACTION_LINK, ID_INSERT_FLASH, ID_INSERT_YOUTUBE, ID_INSERT_VIDEO,
                    ID_INSERT_PHP, ID_INSERT_MARQUEE, ID_INSERT_TAB, ID_INSERT_GRADIENT}),
           Qt::RightToolBarArea, Qt::RightToolBarArea);
    for (CToolBar* bar : ToolBars())
        bar->setWindowTitle(CString::Formatted("Toolbar %u", bar->GetDlgCtrlID()).ToQString());
    CreateStatusBar({ID_SEPARATOR, ID_INDICATOR_SELECTION_PANE});

    m_pFindBar = new CFindBar(this);
    m_pFindBar->setObjectName(QStringLiteral("777"));
    m_pFindBar->setWindowTitle(UiTranslate("Find").ToQString());
    m_pFindBar->setGeometry(0, 0, 0, 0);
    m_pFindBar->hide();

    SetTimer(ID_SPLASH_TIMER, 2000);
    return 0;
}

void CMainFrame::ShowSplash()
{
    if (m_pSplash)
        return;
    m_pSplash = new CSplashWnd;
    m_pSplash->m_picture = SplashPicture();
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        m_pSplash->move(area.x() + (area.width() - 400) / 2, area.y() + (area.height() - 347) / 2);
    }
    m_pSplash->show();
    m_pSplash->repaint(); // on screen before the project loads
}

void CMainFrame::OnTimer(UINT)
{
    // Any tick ends the splash.
    if (m_pSplash) {
        delete m_pSplash;
        m_pSplash = nullptr;
    }
    KillTimer(ID_SPLASH_TIMER);
}

void CMainFrame::SaveWindowPlacement()
{
    WriteProfileBinary("Settings", "WindowPlacement", saveGeometry());
}

bool CMainFrame::RestoreWindowPlacement()
{
    const QByteArray kept = GetProfileBinary("Settings", "WindowPlacement");
    return !kept.isEmpty() && restoreGeometry(kept);
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    // Kept before the documents close, while the window still has its place.
    SaveWindowPlacement();
    CMDIFrameWnd::closeEvent(event);
}

BOOL CMainFrame::GetMessageString(UINT id, CString& text) const
{
    CString s;
    const BOOL found = AfxLoadString(id, s);
    if (found) {
        const int nl = s.Find('\n');
        if (nl >= 0)
            s = s.Left(nl);
    }
    text = UiTranslate(s);
    return found;
}

CString CMainFrame::GetToolTipText(UINT id) const
{
    CString s;
    if (id == 0 || !AfxLoadString(id, s))
        return CString();
    const int nl = s.Find('\n');
    s = nl < 0 ? CString() : s.Mid(nl + 1);
    s = UiTranslate(s);
    // The tooltip holds at most 79 characters (whole characters, never half of one).
    QString q = s.ToQString();
    if (q.size() > kMaxTipChars)
        s = CString::FromQString(q.left(kMaxTipChars));
    return s;
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            app->OpenDocumentFile(CString::FromQString(url.toLocalFile()));
    event->acceptProposedAction();
}
