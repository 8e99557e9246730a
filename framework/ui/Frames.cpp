#include "framework/ui/Frames.h"

#include "framework/ui/DocView.h"
#include "framework/ui/WinApp.h"

#include <QtCore/QTimer>
#include <QtGui/QCloseEvent>
#include <QtGui/QStatusTipEvent>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMdiArea>
#include <QtCore/QPointer>
#include <QtWidgets/QMdiSubWindow>
#include <QtWidgets/QMenu>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QVBoxLayout>

namespace {
constexpr const char* kIdProperty = "tesselCommandId";

UINT IdOf(const QAction* action) { return action ? action->property(kIdProperty).toUInt() : 0; }

CString Part(const CString& s, int index)
{
    int nl = s.Find('\n');
    if (index == 0)
        return nl < 0 ? s : s.Left(nl);
    return nl < 0 ? CString() : s.Mid(nl + 1);
}
} // namespace

// ---- CToolBar

CToolBar::CToolBar(CMDIFrameWnd* frame, UINT id) : QToolBar(frame), m_pFrame(frame), m_nID(id)
{
    setObjectName(QStringLiteral("ToolBar%1").arg(id));
    setIconSize(QSize(16, 16));
}

void CToolBar::SetButtons(const std::vector<Button>& buttons)
{
    clear();
    for (const Button& b : buttons) {
        if (b.id == ID_SEPARATOR) {
            addSeparator();
            continue;
        }
        QAction* a = addAction(b.icon, QString());
        a->setProperty(kIdProperty, b.id);
        const CString tip = m_pFrame->GetToolTipText(b.id);
        a->setToolTip(tip.ToQString());
        CString prompt;
        m_pFrame->GetMessageString(b.id, prompt);
        a->setStatusTip(prompt.ToQString());
        const UINT id = b.id;
        connect(a, &QAction::triggered, this, [this, id] { m_pFrame->SendCommand(id); });
    }
}

QAction* CToolBar::ActionOf(UINT id) const
{
    for (QAction* a : actions())
        if (IdOf(a) == id)
            return a;
    return nullptr;
}

std::vector<UINT> CToolBar::ButtonIds() const
{
    std::vector<UINT> ids;
    for (QAction* a : actions())
        ids.push_back(a->isSeparator() ? ID_SEPARATOR : IdOf(a));
    return ids;
}

// ---- CStatusBar

CStatusBar::CStatusBar(QWidget* parent) : QStatusBar(parent) {}

void CStatusBar::SetIndicators(const std::vector<UINT>& ids)
{
    for (QLabel* pane : m_panes)
        if (pane) {
            removeWidget(pane);
            delete pane;
        }
    m_ids = ids;
    m_panes.clear();
    for (UINT id : ids) {
        if (id == ID_SEPARATOR) {
            m_panes.push_back(nullptr);
            continue;
        }
        auto* pane = new QLabel(this);
        pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        CString sizing;
        AfxLoadString(id, sizing);
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(sizing.ToQString()) + 6);
        addPermanentWidget(pane);
        m_panes.push_back(pane);
    }
}

int CStatusBar::CommandToIndex(UINT id) const
{
    for (size_t i = 0; i < m_ids.size(); ++i)
        if (m_ids[i] == id)
            return int(i);
    return -1;
}

UINT CStatusBar::GetItemID(int index) const { return index >= 0 && index < GetCount() ? m_ids[size_t(index)] : 0; }

void CStatusBar::SetPaneText(int index, const CString& text)
{
    if (index < 0 || index >= GetCount())
        return;
    if (QLabel* pane = m_panes[size_t(index)])
        pane->setText(text.ToQString());
    else
        showMessage(text.ToQString());
}

CString CStatusBar::GetPaneText(int index) const
{
    if (index < 0 || index >= GetCount())
        return CString();
    if (QLabel* pane = m_panes[size_t(index)])
        return CString::FromQString(pane->text());
    return CString::FromQString(currentMessage());
}

// ---- CMDIChildWnd

CMDIChildWnd::CMDIChildWnd() { setAttribute(Qt::WA_DeleteOnClose, false); }

CMDIChildWnd::~CMDIChildWnd()
{
    if (m_pView && m_pView->GetDocument())
        m_pView->SetDocument(nullptr);
}

BOOL CMDIChildWnd::OnCreateClient(CView* view)
{
    m_pView = view;
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view);
    return TRUE;
}

CDocument* CMDIChildWnd::GetActiveDocument() const { return m_pView ? m_pView->GetDocument() : nullptr; }

BOOL CMDIChildWnd::OnCmdMsg(UINT id, CmdMode mode, CCmdUI* pUI)
{
    if (m_pView && m_pView->OnCmdMsg(id, mode, pUI))
        return TRUE;
    return DispatchOwn(id, mode, pUI);
}

void CMDIChildWnd::OnUpdateFrameTitle()
{
    CDocument* doc = GetActiveDocument();
    setWindowTitle(doc ? doc->GetTitle().ToQString() : QString());
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        sub->setWindowTitle(windowTitle());
    for (QWidget* w = parentWidget(); w; w = w->parentWidget())
        if (auto* main = dynamic_cast<CMDIFrameWnd*>(w)) {
            main->OnUpdateFrameTitle();
            break;
        }
}

void CMDIChildWnd::DestroyFrame()
{
    if (m_bDestroying)
        return;
    m_bDestroying = true;
    if (m_pView)
        m_pView->SetDocument(nullptr);
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        sub->hide();
        sub->deleteLater();
    } else {
        hide();
        deleteLater();
    }
}

CMDIChildWnd* CMDIChildWnd::FrameOf(const QWidget* view)
{
    for (QWidget* w = view ? view->parentWidget() : nullptr; w; w = w->parentWidget())
        if (auto* frame = dynamic_cast<CMDIChildWnd*>(w))
            return frame;
    return nullptr;
}

void CMDIChildWnd::closeEvent(QCloseEvent* event)
{
    if (m_bDestroying) {
        event->accept();
        return;
    }
    CDocument* doc = GetActiveDocument();
    if (doc && !doc->CanCloseFrame(this)) {
        event->ignore();
        return;
    }
    event->accept();
    if (doc)
        doc->OnCloseDocument(); // destroys this frame too
}

// ---- CMDIFrameWnd

CMDIFrameWnd::CMDIFrameWnd() : m_pMdi(new QMdiArea(this)), m_timers([this](UINT id) { OnTimer(id); })
{
    setCentralWidget(m_pMdi);
    m_pMdi->setViewMode(QMdiArea::SubWindowView);
    connect(m_pMdi, &QMdiArea::subWindowActivated, this, [this] {
        RecalcMenu();
        OnUpdateFrameTitle();
    });
    OnCommand(ID_VIEW_STATUS_BAR, [this] {
        if (m_pStatusBar)
            m_pStatusBar->setVisible(!m_pStatusBar->isVisible());
    });
    OnUpdateCommand(ID_VIEW_STATUS_BAR, [this](CCmdUI* ui) {
        ui->Enable(m_pStatusBar != nullptr);
        ui->SetCheck(m_pStatusBar && m_pStatusBar->isVisible() ? 1 : 0);
    });
    // Shows or hides every toolbar at once.
    OnCommand(ID_VIEW_TOOLBAR, [this] {
        bool anyVisible = false;
        for (CToolBar* bar : m_toolBars)
            anyVisible = anyVisible || bar->isVisible();
        for (CToolBar* bar : m_toolBars)
            bar->setVisible(!anyVisible);
    });
    OnUpdateCommand(ID_VIEW_TOOLBAR, [this](CCmdUI* ui) {
        bool anyVisible = false;
        for (CToolBar* bar : m_toolBars)
            anyVisible = anyVisible || bar->isVisible();
        ui->Enable(!m_toolBars.empty());
        ui->SetCheck(anyVisible ? 1 : 0);
    });
    OnCommand(ID_WINDOW_CASCADE, [this] { m_pMdi->cascadeSubWindows(); });
    OnCommand(ID_WINDOW_TILE_HORZ, [this] { m_pMdi->tileSubWindows(); });
    OnCommand(ID_WINDOW_ARRANGE, [this] { m_pMdi->tileSubWindows(); });
    OnUpdateCommandRange(ID_WINDOW_ARRANGE, ID_WINDOW_TILE_HORZ,
                         [this](CCmdUI* ui) { ui->Enable(!m_pMdi->subWindowList().isEmpty()); });

    m_idleTimer = new QTimer(this);
    connect(m_idleTimer, &QTimer::timeout, this, [this] {
        if (isVisible())
            UpdateCmdUI();
    });
    m_idleTimer->start(250);
}

CMDIFrameWnd::~CMDIFrameWnd()
{
    // Qt closes the child windows after this object is gone: their signals must not reach it.
    m_pMdi->disconnect(this);
    m_idleTimer->stop();
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive() const
{
    QMdiSubWindow* sub = m_pMdi->currentSubWindow();
    if (!sub)
        sub = m_pMdi->activeSubWindow();
    if (!sub && !m_pMdi->subWindowList().isEmpty())
        sub = m_pMdi->subWindowList().constLast();
    return sub ? dynamic_cast<CMDIChildWnd*>(sub->widget()) : nullptr;
}

std::vector<CMDIChildWnd*> CMDIFrameWnd::Children() const
{
    std::vector<CMDIChildWnd*> children;
    for (QMdiSubWindow* sub : m_pMdi->subWindowList())
        if (auto* child = dynamic_cast<CMDIChildWnd*>(sub->widget()))
            children.push_back(child);
    return children;
}

void CMDIFrameWnd::AddChild(CMDIChildWnd* child)
{
    QMdiSubWindow* sub = m_pMdi->addSubWindow(child);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowTitle(child->windowTitle());
    sub->showMaximized();
    m_pMdi->setActiveSubWindow(sub);
    RecalcMenu();
    OnUpdateFrameTitle();
}

void CMDIFrameWnd::ActivateChild(CMDIChildWnd* child)
{
    if (auto* sub = qobject_cast<QMdiSubWindow*>(child->parentWidget()))
        m_pMdi->setActiveSubWindow(sub);
}

void CMDIFrameWnd::SetDefaultMenu(const CMenu& menu)
{
    m_defaultMenu = menu;
    m_shownMenu = nullptr;
    RecalcMenu();
}

void CMDIFrameWnd::RecalcMenu(bool rebuild)
{
    const CMenu* menu = &m_defaultMenu;
    if (CMDIChildWnd* child = MDIGetActive(); child && child->m_pTemplate && !child->m_pTemplate->m_menu.items.empty())
        menu = &child->m_pTemplate->m_menu;
    if (menu == m_shownMenu && !rebuild)
        return;
    m_shownMenu = menu;
    BuildMenuBar(*menu);
}

namespace {
QList<QKeySequence> KeysOf(const std::vector<CMenu::Accel>& accelerators, UINT id)
{
    QList<QKeySequence> keys;
    for (const auto& a : accelerators)
        if (a.id == id)
            keys.push_back(QKeySequence::fromString(QString::fromLatin1(a.keys), QKeySequence::PortableText));
    return keys;
}

void AddItems(CMDIFrameWnd* frame, QMenu* menu, const std::vector<CMenu::Item>& items,
              const std::vector<CMenu::Accel>& accelerators)
{
    for (const auto& item : items) {
        if (item.separator) {
            menu->addSeparator();
            continue;
        }
        if (item.isPopup) {
            QMenu* sub = menu->addMenu(item.text.ToQString());
            AddItems(frame, sub, item.popup, accelerators);
            QObject::connect(sub, &QMenu::aboutToShow, frame, [frame, sub] { frame->UpdateMenuActions(sub); });
            continue;
        }
        if (item.id == ID_FILE_MRU_FILE1) {
            // The recent-file list takes the place of its first entry.
            CWinApp* app = AfxGetApp();
            const auto recent = app ? app->GetRecentFiles() : std::vector<CString>();
            if (recent.empty()) {
                QAction* a = menu->addAction(item.text.ToQString());
                a->setEnabled(false);
                continue;
            }
            for (size_t i = 0; i < recent.size(); ++i) {
                QAction* a = menu->addAction(QStringLiteral("&%1 ").arg(i + 1) + recent[i].ToQString());
                const UINT id = ID_FILE_MRU_FILE1 + UINT(i);
                a->setProperty(kIdProperty, id);
                QObject::connect(a, &QAction::triggered, frame, [frame, id] { frame->SendCommand(id); });
            }
            continue;
        }
        const QString text = item.text.ToQString();
        QAction* a = menu->addAction(text);
        a->setProperty(kIdProperty, item.id);
        // The accelerator table wins; a key written only in the menu text still works.
        if (const QList<QKeySequence> keys = KeysOf(accelerators, item.id); !keys.isEmpty()) {
            a->setShortcuts(keys);
        } else if (const int tab = text.indexOf(QLatin1Char('\t')); tab >= 0) {
            QKeySequence key = QKeySequence::fromString(text.mid(tab + 1), QKeySequence::PortableText);
            if (!key.isEmpty())
                a->setShortcut(key);
        }
        CString prompt;
        frame->GetMessageString(item.id, prompt);
        a->setStatusTip(prompt.ToQString());
        const UINT id = item.id;
        QObject::connect(a, &QAction::triggered, frame, [frame, id] { frame->SendCommand(id); });
    }
}
} // namespace

void CMDIFrameWnd::BuildMenuBar(const CMenu& menu)
{
    QMenuBar* bar = menuBar();
    bar->clear();
    for (const auto& item : menu.items) {
        if (!item.isPopup)
            continue;
        QMenu* popup = bar->addMenu(item.text.ToQString());
        AddItems(this, popup, item.popup, menu.accelerators);
        connect(popup, &QMenu::aboutToShow, this, [this, popup] { UpdateMenuActions(popup); });
        if (QString(item.text.ToQString()).remove(QLatin1Char('&')) == QLatin1String("Window"))
            connect(popup, &QMenu::aboutToShow, this, [this, popup] { ListWindows(popup); });
    }
    // Keys of commands that have no menu entry act through hidden actions of the window.
    for (QAction* a : m_keyActions)
        delete a;
    m_keyActions.clear();
    for (const auto& accel : menu.accelerators) {
        if (menu.Find(accel.id))
            continue;
        auto* a = new QAction(this);
        a->setShortcut(QKeySequence::fromString(QString::fromLatin1(accel.keys), QKeySequence::PortableText));
        a->setProperty(kIdProperty, accel.id);
        const UINT id = accel.id;
        connect(a, &QAction::triggered, this, [this, id] { SendCommand(id); });
        addAction(a);
        m_keyActions.push_back(a);
    }
}

void CMDIFrameWnd::ListWindows(QMenu* menu)
{
    // The open windows follow the menu's own entries, the active one checked.
    static const char* const kListed = "tesselWindowList";
    for (QAction* a : menu->actions())
        if (a->property(kListed).toBool()) {
            menu->removeAction(a);
            a->deleteLater();
        }
    const QList<QMdiSubWindow*> windows = m_pMdi->subWindowList();
    if (windows.isEmpty())
        return;
    menu->addSeparator()->setProperty(kListed, true);
    int n = 0;
    for (QMdiSubWindow* sub : windows) {
        QAction* a = menu->addAction(QStringLiteral("&%1 %2").arg(++n).arg(sub->windowTitle()));
        a->setProperty(kListed, true);
        a->setCheckable(true);
        a->setChecked(sub == m_pMdi->activeSubWindow());
        QPointer<QMdiSubWindow> target(sub);
        connect(a, &QAction::triggered, this, [this, target] {
            if (target)
                m_pMdi->setActiveSubWindow(target);
        });
    }
}

void CMDIFrameWnd::PostCommand(UINT id)
{
    QMetaObject::invokeMethod(this, [this, id] { SendCommand(id); }, Qt::QueuedConnection);
}

namespace {
QAction* FindAction(const QList<QAction*>& actions, UINT id)
{
    for (QAction* a : actions) {
        if (a->menu()) {
            if (QAction* found = FindAction(a->menu()->actions(), id))
                return found;
        } else if (IdOf(a) == id)
            return a;
    }
    return nullptr;
}
} // namespace

QAction* CMDIFrameWnd::MenuActionOf(UINT id) const { return FindAction(menuBar()->actions(), id); }

void CMDIFrameWnd::ApplyUpdate(QAction* action, const CCmdUI& ui)
{
    action->setEnabled(ui.m_bEnabled);
    if (ui.m_nCheck >= 0) {
        action->setCheckable(true);
        action->setChecked(ui.m_nCheck != 0);
    } else if (action->isCheckable()) {
        action->setChecked(false);
        action->setCheckable(false);
    }
    if (ui.m_bTextSet)
        action->setText(ui.m_strText.ToQString());
}

void CMDIFrameWnd::UpdateMenuActions(QMenu* menu)
{
    for (QAction* a : menu->actions()) {
        const UINT id = IdOf(a);
        if (a->isSeparator() || a->menu() || id == 0)
            continue;
        CCmdUI ui(id);
        UpdateCommand(this, ui);
        ApplyUpdate(a, ui);
    }
}

CToolBar* CMDIFrameWnd::AddBar(UINT id, const std::vector<CToolBar::Button>& buttons, Qt::ToolBarArea area,
                               Qt::ToolBarAreas allowed)
{
    auto* bar = new CToolBar(this, id);
    bar->SetButtons(buttons);
    bar->setAllowedAreas(allowed);
    bar->setOrientation(area == Qt::LeftToolBarArea || area == Qt::RightToolBarArea ? Qt::Vertical : Qt::Horizontal);
    addToolBar(area, bar);
    m_toolBars.push_back(bar);
    return bar;
}

CStatusBar* CMDIFrameWnd::CreateStatusBar(const std::vector<UINT>& indicators)
{
    m_pStatusBar = new CStatusBar(this);
    setStatusBar(m_pStatusBar);
    m_pStatusBar->SetIndicators(indicators);
    SetMessageText(0);
    return m_pStatusBar;
}

BOOL CMDIFrameWnd::GetMessageString(UINT id, CString& text) const
{
    if (!AfxLoadString(id, text))
        return FALSE;
    text = Part(text, 0);
    return TRUE;
}

CString CMDIFrameWnd::GetToolTipText(UINT id) const
{
    CString s;
    if (id == 0 || !AfxLoadString(id, s))
        return CString();
    return Part(s, 1);
}

void CMDIFrameWnd::SetMessageText(UINT id)
{
    if (!m_pStatusBar)
        return;
    CString text;
    GetMessageString(id ? id : UINT(AFX_IDS_IDLEMESSAGE), text);
    m_pStatusBar->showMessage(text.ToQString());
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT id, CmdMode mode, CCmdUI* pUI)
{
    if (CMDIChildWnd* child = MDIGetActive(); child && child->OnCmdMsg(id, mode, pUI))
        return TRUE;
    if (DispatchOwn(id, mode, pUI))
        return TRUE;
    CWinApp* app = AfxGetApp();
    return app && app->OnCmdMsg(id, mode, pUI);
}

BOOL CMDIFrameWnd::SendCommand(UINT id)
{
    CCmdUI ui(id);
    UpdateCommand(this, ui);
    if (!ui.m_bEnabled)
        return FALSE;
    return ExecuteCommand(this, id);
}

void CMDIFrameWnd::UpdateCmdUI()
{
    // Menu items too, so that their shortcuts follow the state of their commands.
    std::function<void(QMenu*)> updateTree = [&](QMenu* menu) {
        UpdateMenuActions(menu);
        for (QAction* a : menu->actions())
            if (a->menu())
                updateTree(a->menu());
    };
    for (QAction* top : menuBar()->actions())
        if (top->menu())
            updateTree(top->menu());

    for (CToolBar* bar : m_toolBars) {
        if (!bar->isVisible())
            continue;
        for (QAction* a : bar->actions()) {
            const UINT id = IdOf(a);
            if (a->isSeparator() || id == 0)
                continue;
            CCmdUI ui(id);
            UpdateCommand(this, ui);
            ApplyUpdate(a, ui);
        }
    }
    if (m_pStatusBar)
        for (int i = 0; i < m_pStatusBar->GetCount(); ++i) {
            const UINT id = m_pStatusBar->GetItemID(i);
            if (id == ID_SEPARATOR)
                continue;
            CCmdUI ui(id);
            if (OnCmdMsg(id, CmdMode::Update, &ui) && ui.m_bTextSet)
                m_pStatusBar->SetPaneText(i, ui.m_strText);
            else if (!MDIGetActive())
                m_pStatusBar->SetPaneText(i, CString());
        }
}

void CMDIFrameWnd::OnUpdateFrameTitle()
{
    CWinApp* app = AfxGetApp();
    QString title = app ? app->m_pszAppName.ToQString() : QString();
    if (CMDIChildWnd* child = MDIGetActive(); child && child->GetActiveDocument())
        title += QStringLiteral(" - ") + child->GetActiveDocument()->GetTitle().ToQString();
    setWindowTitle(title);
}

void CMDIFrameWnd::OnTimer(UINT) {}

void CMDIFrameWnd::closeEvent(QCloseEvent* event)
{
    CWinApp* app = AfxGetApp();
    if (app && !app->SaveAllModified()) {
        event->ignore();
        return;
    }
    if (app)
        app->CloseAllDocuments(TRUE);
    event->accept();
}

bool CMDIFrameWnd::event(QEvent* event)
{
    if (event->type() == QEvent::StatusTip && static_cast<QStatusTipEvent*>(event)->tip().isEmpty()) {
        SetMessageText(0);
        return true;
    }
    return QMainWindow::event(event);
}
