// Window timers by id on QTimer: SetTimer replaces a running timer of the same id, and
// every tick calls the owner's OnTimer with that id.
#pragma once
#include "framework/core/Types.h"
#include <functional>
#include <map>
#include <memory>

class QTimer;

class CTimerSet {
public:
    explicit CTimerSet(std::function<void(UINT)> onTimer);
    ~CTimerSet();
    CTimerSet(const CTimerSet&) = delete;
    CTimerSet& operator=(const CTimerSet&) = delete;

    UINT SetTimer(UINT id, UINT elapseMs);
    // FALSE when no timer of that id runs.
    BOOL KillTimer(UINT id);
    bool IsRunning(UINT id) const;
    // Runs one tick of a running timer at once (tests, and callers that need it now).
    void Fire(UINT id);

private:
    std::function<void(UINT)> m_onTimer;
    std::map<UINT, QTimer*> m_timers;
};
