// Frame windows: the MDI main frame with its menus, toolbars and status bar, and the
// MDI child frame around one view. Menu items and toolbar buttons carry command ids;
// their state comes from update handlers along the command route.
#pragma once
#include "framework/core/CString.h"
#include "framework/ui/CmdTarget.h"
#include "framework/ui/Resources.h"
#include "framework/ui/Timers.h"

#include <QtGui/QIcon>
#include <QtWidgets/QMainWindow>
#include <QtWidgets/QStatusBar>
#include <QtWidgets/QToolBar>
#include <vector>

class CDocument;
class CView;
class CMDIFrameWnd;
class CMultiDocTemplate;
class QLabel;
class QMenu;
class QMdiArea;
class QMdiSubWindow;
class QMenuBar;

class CToolBar : public QToolBar {
public:
    struct Button {
        UINT id; // ID_SEPARATOR for a gap
        QIcon icon;
    };
    CToolBar(CMDIFrameWnd* frame, UINT id);
    UINT GetDlgCtrlID() const { return m_nID; }
    void SetButtons(const std::vector<Button>& buttons);
    // The action of a command id, null when the bar has none.
    QAction* ActionOf(UINT id) const;
    std::vector<UINT> ButtonIds() const;

private:
    CMDIFrameWnd* m_pFrame;
    UINT m_nID;
};

class CStatusBar : public QStatusBar {
public:
    explicit CStatusBar(QWidget* parent);
    // Pane 0 (ID_SEPARATOR) is the message pane; each further id gets a pane sized for
    // its string in the string table.
    void SetIndicators(const std::vector<UINT>& ids);
    int CommandToIndex(UINT id) const;
    UINT GetItemID(int index) const;
    int GetCount() const { return int(m_ids.size()); }
    void SetPaneText(int index, const CString& text);
    CString GetPaneText(int index) const;

private:
    std::vector<UINT> m_ids;
    std::vector<QLabel*> m_panes; // null for the message pane
};

class CMDIChildWnd : public QWidget, public CCmdTarget {
public:
    CMDIChildWnd();
    ~CMDIChildWnd() override;

    // Places the view in the frame; the base fills the client area with it.
    virtual BOOL OnCreateClient(CView* view);
    CView* GetActiveView() const { return m_pView; }
    CDocument* GetActiveDocument() const;
    // Routes to the view (and so the document), then the frame's own map.
    BOOL OnCmdMsg(UINT id, CmdMode mode, CCmdUI* pUI) override;
    virtual void OnUpdateFrameTitle();
    // Closes the frame without asking the document.
    void DestroyFrame();
    // The child frame around a view, null when it has none.
    static CMDIChildWnd* FrameOf(const QWidget* view);
    CMultiDocTemplate* m_pTemplate = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    CView* m_pView = nullptr;
    bool m_bDestroying = false;
};

class CMDIFrameWnd : public QMainWindow, public CCmdTarget {
public:
    CMDIFrameWnd();
    ~CMDIFrameWnd() override;

    QMdiArea* MdiArea() const { return m_pMdi; }
    CMDIChildWnd* MDIGetActive() const;
    std::vector<CMDIChildWnd*> Children() const;
    void AddChild(CMDIChildWnd* child);
    void ActivateChild(CMDIChildWnd* child);

    // The menu while no child is active; a child shows its template's menu.
    void SetDefaultMenu(const CMenu& menu);
    CMenu& DefaultMenu() { return m_defaultMenu; }
    // Appends the open windows to the Window menu (numbered, the active one checked).
    void ListWindows(QMenu* menu);
    void RecalcMenu(bool rebuild = false);
    // The menu action of a command id in the menu bar now shown.
    QAction* MenuActionOf(UINT id) const;

    CToolBar* AddBar(UINT id, const std::vector<CToolBar::Button>& buttons, Qt::ToolBarArea area,
                     Qt::ToolBarAreas allowed);
    const std::vector<CToolBar*>& ToolBars() const { return m_toolBars; }
    CStatusBar* GetStatusBar() const { return m_pStatusBar; }
    CStatusBar* CreateStatusBar(const std::vector<UINT>& indicators);

    // Status-bar prompt of a command: its string up to the first line feed.
    virtual BOOL GetMessageString(UINT id, CString& text) const;
    // Tooltip of a command: its string after the first line feed; empty when none.
    virtual CString GetToolTipText(UINT id) const;
    // Puts the prompt of id (or the idle message for 0) into the message pane.
    void SetMessageText(UINT id);

    // Routes to the active child (view, document, child frame), then this frame, then the application.
    BOOL OnCmdMsg(UINT id, CmdMode mode, CCmdUI* pUI) override;
    // Runs a command as a menu click would.
    BOOL SendCommand(UINT id);
    // Runs it once the current command has returned (a dialog's follow-up command).
    void PostCommand(UINT id);
    // The hidden actions that carry the keys of commands without a menu entry.
    const std::vector<QAction*>& KeyActions() const { return m_keyActions; }
    // Brings toolbar buttons and status panes up to date (also done on a timer).
    void UpdateCmdUI();
    void UpdateMenuActions(QMenu* menu);
    virtual void OnUpdateFrameTitle();

    UINT SetTimer(UINT id, UINT elapseMs) { return m_timers.SetTimer(id, elapseMs); }
    BOOL KillTimer(UINT id) { return m_timers.KillTimer(id); }
    virtual void OnTimer(UINT id);
    CTimerSet& Timers() { return m_timers; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    void BuildMenuBar(const CMenu& menu);
    void ApplyUpdate(QAction* action, const CCmdUI& ui);

    QMdiArea* m_pMdi;
    CMenu m_defaultMenu;
    const CMenu* m_shownMenu = nullptr;
    std::vector<CToolBar*> m_toolBars;
    std::vector<QAction*> m_keyActions;
    CStatusBar* m_pStatusBar = nullptr;
    CTimerSet m_timers;
    QTimer* m_idleTimer = nullptr;
};
