// One step of a transfer that may wait for the network while the window's event loop runs
// (see AfxSetInternetIdleHandler): the step is never re-entered, and a cancel asked while
// it waits is held until the step has unwound, since the step still uses its files.
#pragma once
#include "framework/net/CFtpConnection.h"

class CNetworkStep {
public:
    // Runs step() and returns its result; re-entered, returns busy at once. When a cancel
    // came meanwhile, calls onCancel() and returns cancelled instead.
    template <typename R, typename Step, typename OnCancel>
    R Run(R busy, R cancelled, Step&& step, OnCancel&& onCancel)
    {
        if (m_inStep)
            return busy;
        m_inStep = true;
        R r = step();
        m_inStep = false;
        if (!m_cancelPending)
            return r;
        m_cancelPending = false;
        onCancel();
        return cancelled;
    }
    // The user's cancel: true when a step is running, which then ends its wait (on
    // connection) and returns cancelled; false when the caller ends things itself.
    bool DeferCancel(CFtpConnection* connection)
    {
        if (!m_inStep)
            return false;
        m_cancelPending = true;
        if (connection)
            connection->CancelStep();
        return true;
    }
    // True between a deferred cancel and the end of its step: failures then are the cancel.
    bool CancelPending() const { return m_cancelPending; }

private:
    bool m_inStep = false;
    bool m_cancelPending = false;
};
