#include "framework/ui/ServerWait.h"

#include "framework/ui/Translation.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <QtWidgets/QProgressDialog>

CServerWait::CServerWait(const CString& text, std::function<void()> cancel)
    : m_text(text), m_cancel(std::move(cancel)), m_closer(new QTimer(this))
{
    // The closer runs in the event loop, so it sees the pause after the last step.
    m_closer->setInterval(kEndAfterMs / 3);
    connect(m_closer, &QTimer::timeout, this, [this] {
        if (!m_lastIdle.isValid() || m_lastIdle.elapsed() >= kEndAfterMs)
            Close();
    });
}

CServerWait::~CServerWait()
{
    Close();
}

void CServerWait::Idle()
{
    if (!m_lastIdle.isValid() || m_lastIdle.elapsed() >= kEndAfterMs)
        m_waiting.start(); // a new wait
    m_lastIdle.start();
    if (!m_window && m_waiting.elapsed() >= kShowAfterMs && qobject_cast<QApplication*>(QCoreApplication::instance())) {
        auto* window = new QProgressDialog(UiTranslate(m_text).ToQString(), UiTranslate("Cancel").ToQString(), 0, 0,
                                           QApplication::activeWindow());
        window->setWindowModality(Qt::ApplicationModal);
        window->setMinimumDuration(0);
        window->setAutoReset(false);
        window->setAutoClose(false);
        connect(window, &QProgressDialog::canceled, this, [this] {
            if (m_cancel)
                m_cancel();
        });
        m_window = window;
        // a wait cursor of the command would hide that Cancel can be clicked
        QApplication::setOverrideCursor(Qt::ArrowCursor);
        m_arrowCursor = true;
        window->show();
        m_closer->start();
    }
    // Before the window shows, input waits in the queue; with the window, it is modal and
    // keeps input away from every other window.
    QCoreApplication::processEvents(m_window ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents, 10);
}

void CServerWait::Close()
{
    m_closer->stop();
    if (m_arrowCursor) {
        QApplication::restoreOverrideCursor();
        m_arrowCursor = false;
    }
    if (m_window) {
        QProgressDialog* window = m_window;
        m_window = nullptr;
        // closing a progress window reports a cancel: this one only goes away
        window->disconnect(this);
        window->hide();
        window->deleteLater();
    }
}
