// CTimingLog: moments of the window's life for the benchmarks, when SUDOKU_TIMING is set.
#include "shell/Timing.h"

#include <time.h>

#include <cstdio>
#include <cstdlib>

CTimingLog::CTimingLog() : m_enabled(std::getenv("SUDOKU_TIMING") != nullptr) {}

long long CTimingLog::Now() {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    return static_cast<long long>(ts.tv_sec) * 1'000'000'000LL + ts.tv_nsec;
}

void CTimingLog::Note(std::string_view event, long long nanoseconds) const {
    if (!m_enabled) {
        return;
    }
    // Standard error is unbuffered: the line is out before the next event is handled.
    std::fprintf(stderr, "timing %.*s %lld\n", static_cast<int>(event.size()), event.data(),
                 nanoseconds < 0 ? Now() : nanoseconds);
}
