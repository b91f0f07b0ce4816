// ITimers: the periodic timers of the windows (frame timer 1, clock timer 10).
#pragma once

#include <functional>

// Timer ids are those of the windows that own them: the main frame's splash timer 1 (200 ms)
// and the view's clock timer 10 (1000 ms). The Qt implementation runs on QTimer; the scripted
// one in the virtual time of a script, where timers due at the same moment fire in the order
// in which they were last started.
class ITimers {
public:
    virtual ~ITimers() = default;

    // Starts timer `id`, replacing a running timer of that id: `onTick` runs every `periodMs`
    // from now until StopTimer. Ticks are delivered on the one user-interface thread, between
    // events, never inside another handler.
    virtual void StartTimer(int id, int periodMs, std::function<void()> onTick) = 0;
    // Stops timer `id`; nothing happens when it is not running.
    virtual void StopTimer(int id) = 0;
};
