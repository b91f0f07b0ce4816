// CQtTimers: the windows' timers on QTimer.
#pragma once

#include <QTimer>

#include <functional>
#include <map>
#include <memory>

#include "platform/Timers.h"

// Each running id has its own QTimer, ticking on the thread's event loop, between events. A
// timer stopped or restarted from its own tick is let go once that tick is over.
class CQtTimers : public ITimers {
public:
    CQtTimers() = default;
    ~CQtTimers() override;
    CQtTimers(const CQtTimers&) = delete;
    CQtTimers& operator=(const CQtTimers&) = delete;

    void StartTimer(int id, int periodMs, std::function<void()> onTick) override;
    void StopTimer(int id) override;

    // Heard before every tick, with the timer's id (the shell's timing hook).
    void SetTickObserver(std::function<void(int id)> observer) { m_observer = std::move(observer); }
    // While `held` says so, ticks are dropped, unheard by the observer too: a long piece of work
    // runs beside the window and the game is not to be entered (the clock stands still, as
    // under a message box).
    void SetHold(std::function<bool()> held) { m_held = std::move(held); }

private:
    std::map<int, QTimer*> m_timers;  // owned; deleted later when let go
    std::function<void(int)> m_observer;
    std::function<bool()> m_held;
};
