// CQtTimers: the windows' timers on QTimer.
#include "platform/qt/QtTimers.h"

#include <algorithm>

CQtTimers::~CQtTimers() {
    for (auto& [id, timer] : m_timers) {
        delete timer;
    }
}

void CQtTimers::StartTimer(int id, int periodMs, std::function<void()> onTick) {
    StopTimer(id);
    auto* timer = new QTimer();
    timer->setTimerType(Qt::PreciseTimer);
    timer->setInterval(std::max(periodMs, 1));
    QObject::connect(timer, &QTimer::timeout, timer, [this, id, tick = std::move(onTick)] {
        if (m_held && m_held()) {
            return;
        }
        if (m_observer) {
            m_observer(id);
        }
        if (tick) {
            tick();
        }
    });
    m_timers[id] = timer;
    timer->start();
}

void CQtTimers::StopTimer(int id) {
    const auto it = m_timers.find(id);
    if (it == m_timers.end()) {
        return;
    }
    // The tick in progress may be this timer's own: stop it now, free it after the tick.
    it->second->stop();
    it->second->deleteLater();
    m_timers.erase(it);
}
