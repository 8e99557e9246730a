#include "framework/ui/Timers.h"

#include <QtCore/QTimer>

CTimerSet::CTimerSet(std::function<void(UINT)> onTimer) : m_onTimer(std::move(onTimer)) {}

CTimerSet::~CTimerSet()
{
    for (auto& [id, timer] : m_timers)
        delete timer;
}

UINT CTimerSet::SetTimer(UINT id, UINT elapseMs)
{
    QTimer*& timer = m_timers[id];
    if (!timer) {
        timer = new QTimer;
        QObject::connect(timer, &QTimer::timeout, [this, id] {
            if (m_onTimer)
                m_onTimer(id);
        });
    }
    timer->start(int(elapseMs));
    return id;
}

BOOL CTimerSet::KillTimer(UINT id)
{
    auto it = m_timers.find(id);
    if (it == m_timers.end())
        return FALSE;
    // The timer may be killed from its own tick: delete it once control is back in the loop.
    it->second->stop();
    it->second->deleteLater();
    m_timers.erase(it);
    return TRUE;
}

bool CTimerSet::IsRunning(UINT id) const { return m_timers.count(id) != 0; }

void CTimerSet::Fire(UINT id)
{
    if (IsRunning(id) && m_onTimer)
        m_onTimer(id);
}
