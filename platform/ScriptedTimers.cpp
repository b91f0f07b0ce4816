// CScriptedTimers: the windows' timers in the virtual time of a script.
#include "platform/ScriptedTimers.h"

#include <algorithm>

void CScriptedTimers::StartTimer(int id, int periodMs, std::function<void()> onTick) {
    // A period under 1 ms would fire endlessly at one moment; the platform's timers have the
    // same floor.
    const int64_t period = std::max(periodMs, 1);
    STimer timer{id, period, m_now + period, ++m_starts,
                 std::make_shared<std::function<void()>>(std::move(onTick))};
    if (STimer* running = Find(id)) {
        *running = std::move(timer);
    } else {
        m_timers.push_back(std::move(timer));
    }
}

void CScriptedTimers::StopTimer(int id) {
    std::erase_if(m_timers, [id](const STimer& t) { return t.id == id; });
}

CScriptedTimers::STimer* CScriptedTimers::Find(int id) {
    const auto it = std::find_if(m_timers.begin(), m_timers.end(),
                                 [id](const STimer& t) { return t.id == id; });
    return it == m_timers.end() ? nullptr : &*it;
}

CScriptedTimers::STimer* CScriptedTimers::NextTick(int64_t until) {
    STimer* next = nullptr;
    for (STimer& t : m_timers) {
        if (t.due > until) {
            continue;
        }
        if (next == nullptr || t.due < next->due ||
            (t.due == next->due && t.started < next->started)) {
            next = &t;
        }
    }
    return next;
}

void CScriptedTimers::Advance(int64_t ms) {
    const int64_t end = m_now + std::max<int64_t>(ms, 0);
    while (!m_halted) {
        STimer* timer = NextTick(end);
        if (timer == nullptr) {
            break;
        }
        m_now = timer->due;
        timer->due += timer->period;
        // The handler may start or stop timers, this one included, which moves the vector's
        // elements: hold on to it for the call.
        const std::shared_ptr<std::function<void()>> onTick = timer->onTick;
        if (*onTick) {
            (*onTick)();
        }
    }
    m_now = end;
}
