// CTimingLog: moments of the window's life for the benchmarks, when SUDOKU_TIMING is set.
#pragma once

#include <string_view>

// Each moment is one line on standard error, `timing EVENT NANOSECONDS`, the time read from
// CLOCK_REALTIME so that an outside tool can set it against its own clock. The window notes:
//   splash      the window's first paint, which shows the splash screen
//   splash-end  the start of the tick or tap that ended the splash
//   board       the first presentation of the board
//   tap-press   the start of the handling of a mouse press, and
//   tap         the presentation that follows it
// Nothing is written, and nothing else changes, when the variable is not set.
class CTimingLog {
public:
    // Enabled when the environment variable SUDOKU_TIMING is set (to anything).
    CTimingLog();
    explicit CTimingLog(bool enabled) : m_enabled(enabled) {}

    bool Enabled() const { return m_enabled; }
    // The current time in nanoseconds of CLOCK_REALTIME.
    static long long Now();
    // Writes one line for the event at `nanoseconds` (now when not given).
    void Note(std::string_view event, long long nanoseconds = -1) const;

private:
    bool m_enabled;
};
