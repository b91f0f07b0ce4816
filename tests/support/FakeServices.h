// Test support: the desktop services of the running game, driven by hand: timers in virtual
// time, a silent sound, the foreground as a flag, a window that keeps what it was shown, the
// scripted shell with a browser that may be missing.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "platform/Bitmap.h"
#include "platform/Foreground.h"
#include "platform/ScriptedShell.h"
#include "platform/Sound.h"
#include "platform/Timers.h"
#include "platform/Window.h"

namespace testsupport {

// Timers in virtual time. Advance fires every timer that falls due up to and including the end
// of the span, in time order; timers due at the same moment fire in the order in which they
// were last started.
class FakeTimers : public ITimers {
public:
    void StartTimer(int id, int periodMs, std::function<void()> onTick) override {
        m_timers[id] = {periodMs, m_now + periodMs, ++m_starts, std::move(onTick)};
    }
    void StopTimer(int id) override { m_timers.erase(id); }

    bool IsRunning(int id) const { return m_timers.count(id) != 0; }
    int Period(int id) const { return IsRunning(id) ? m_timers.at(id).period : 0; }
    int64_t Now() const { return m_now; }

    void Advance(int64_t ms) {
        const int64_t end = m_now + ms;
        for (;;) {
            const Timer* next = nullptr;
            int nextId = 0;
            for (const auto& [id, t] : m_timers) {
                if (t.due <= end && (next == nullptr || t.due < next->due ||
                                     (t.due == next->due && t.order < next->order))) {
                    next = &t;
                    nextId = id;
                }
            }
            if (next == nullptr) {
                break;
            }
            m_now = next->due;
            Timer& t = m_timers[nextId];
            t.due += t.period;
            // The tick may stop or restart timers: it runs on a copy.
            const std::function<void()> tick = t.onTick;
            tick();
        }
        m_now = end;
    }

private:
    struct Timer {
        int period = 0;
        int64_t due = 0;
        int order = 0;
        std::function<void()> onTick;
    };
    std::map<int, Timer> m_timers;
    int64_t m_now = 0;
    int m_starts = 0;
};

class FakeSound : public ISound {
public:
    void PlayAsync(const std::filesystem::path& wav) override { played.push_back(wav); }
    std::vector<std::filesystem::path> played;
};

class FakeForeground : public IForeground {
public:
    bool IsMainWindowForeground() const override { return foreground; }
    bool foreground = true;
};

// The scripted shell, whose pages go to the browser, or fail with `pageOpen` when it is set.
class FakeShell : public ScriptedShell {
public:
    // Runs `onMessage` as each box shows.
    int ShowMessage(std::string_view name, std::string_view text, MsgStyle style,
                    const SMessageDetail& detail = {}) override {
        if (onMessage) {
            onMessage();
        }
        return ScriptedShell::ShowMessage(name, text, style, detail);
    }
    std::function<void()> onMessage;
    SPageOpen OpenPage(const std::filesystem::path& page, std::string_view relative) override {
        const SPageOpen opened = ScriptedShell::OpenPage(page, relative);
        return pageOpen.value_or(opened);
    }
    std::optional<SPageOpen> pageOpen;
    // Runs each long piece of work in place of the scripted shell when set.
    void RunLong(const std::function<void()>& work) override {
        if (runLong) {
            runLong(work);
        } else {
            ScriptedShell::RunLong(work);
        }
    }
    std::function<void(const std::function<void()>&)> runLong;
};

class FakeWindow : public IWindow {
public:
    void Present(const Bitmap& deviceScreen, bool /*splash*/) override {
        shown = deviceScreen;
        ++presents;
    }
    bool ShowsEachPicture() const override { return showsEachPicture; }
    Bitmap shown;
    int presents = 0;
    bool showsEachPicture = true;
};

}  // namespace testsupport
