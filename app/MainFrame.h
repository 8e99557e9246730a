// The designer's main window: four toolbars, the status bar with its selection pane,
// the hidden Find bar, and the start-up splash window.
#pragma once
#include "framework/ui/Frames.h"

#include <QtGui/QImage>
#include <QtWidgets/QWidget>

class QTreeWidget;

// The start-up picture: a topmost popup that only the frame's first timer tick closes.
class CSplashWnd : public QWidget {
public:
    CSplashWnd();
    QImage m_picture; // empty when the picture could not be made

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};

// The Find bar: a list of found items and their pages; it is never shown.
class CFindBar : public QWidget {
public:
    explicit CFindBar(QWidget* parent);
    QTreeWidget* List() const { return m_list; }

    enum : unsigned { LM_STRETCH = 1, LM_HORZ = 2, LM_MRUWIDTH = 4, LM_HORZDOCK = 8, LM_VERTDOCK = 16, LM_LENGTHY = 32 };
    // The size the bar takes for a layout request (length and mode flags above).
    QSize CalcDynamicLayout(int length, unsigned mode);

    QSize m_sizeDocked;
    QSize m_sizeFloating;
    bool m_bChangeDockedSize = true;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QTreeWidget* m_list;
};

class CMainFrame : public CMDIFrameWnd {
public:
    CMainFrame();
    ~CMainFrame() override;

    // Creates the bars and starts the splash timer; -1 when a bar cannot be made.
    int OnCreate();
    void ShowSplash();
    CSplashWnd* GetSplash() const { return m_pSplash; }
    CFindBar* GetFindBar() const { return m_pFindBar; }

    // Prompt and tooltip of a command, translated.
    BOOL GetMessageString(UINT id, CString& text) const override;
    CString GetToolTipText(UINT id) const override;
    void OnTimer(UINT id) override;
    // The window's size, place and state kept in the profile between runs; Restore is
    // false when none was kept (the window then opens maximised).
    void SaveWindowPlacement();
    bool RestoreWindowPlacement();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    CSplashWnd* m_pSplash = nullptr;
    CFindBar* m_pFindBar = nullptr;
};
