// What the user sees while a step waits for a server outside a transfer dialog (connecting,
// logging in, listing a folder): windows repaint and timers fire at once; after half a
// second a small modal window says what is awaited and offers Cancel. Until it shows, the
// user's clicks and keys wait, so no command starts inside another.
#pragma once
#include "framework/core/CString.h"

#include <QtCore/QElapsedTimer>
#include <QtCore/QObject>
#include <QtCore/QPointer>
#include <QtWidgets/QProgressDialog>
#include <functional>

class QTimer;

class CServerWait : public QObject {
public:
    // cancel ends the step that waits; text is shown in the window.
    CServerWait(const CString& text, std::function<void()> cancel);
    ~CServerWait() override;

    // Called again and again while a step waits (the network idle handler).
    void Idle();
    // The window, while it shows (tests).
    QProgressDialog* Window() const { return m_window; }

    static constexpr int kShowAfterMs = 500;
    // A pause this long between two calls of Idle ends the wait.
    static constexpr int kEndAfterMs = 150;

private:
    void Close();

    CString m_text;
    std::function<void()> m_cancel;
    QElapsedTimer m_waiting;   // since the wait began
    QElapsedTimer m_lastIdle;  // since the last call
    QPointer<QProgressDialog> m_window;
    QTimer* m_closer = nullptr;
    bool m_arrowCursor = false;
};
