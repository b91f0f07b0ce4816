// CScriptedTimers: the windows' timers in the virtual time of a script.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/Timers.h"

// Time starts at 0 and moves only through Advance. A timer started at time t with period p is
// due at t + p, t + 2p, ... Advance(ms) fires, in time order, every tick due up to and
// including the end of the span; ticks due at the same moment fire in the order in which their
// timers were last started (so at 3000 ms the fifteenth tick of a 200 ms timer started at 0
// comes before the third tick of a 1000 ms timer started at 0 after it). A tick handler may
// start or stop any timer, its own included: a timer started during a tick counts its period
// from that tick's moment.
class CScriptedTimers : public ITimers {
public:
    void StartTimer(int id, int periodMs, std::function<void()> onTick) override;
    void StopTimer(int id) override;

    // Moves time forward by `ms` (0 or more), firing every tick due until then.
    void Advance(int64_t ms);
    // Stops firing: the current Advance returns after the tick in progress, and later ones only
    // move the clock. For the end of the program in the middle of a wait.
    void Halt() { m_halted = true; }

    int64_t Now() const { return m_now; }

private:
    struct STimer {
        int id = 0;
        int64_t period = 1;
        int64_t due = 0;
        uint64_t started = 0;  // order of the last start
        // Shared, so that a tick runs the handler itself (with its state) even when the
        // handler restarts or stops its timer.
        std::shared_ptr<std::function<void()>> onTick;
    };

    // The running timer that fires next at or before `until`, or nullptr.
    STimer* NextTick(int64_t until);
    STimer* Find(int id);

    std::vector<STimer> m_timers;
    int64_t m_now = 0;
    uint64_t m_starts = 0;
    bool m_halted = false;
};
