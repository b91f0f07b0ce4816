// Statistics per level: boards solved, total, best and running-average times in seconds.
#include "game/Statistics.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// Sums that stop at the largest (or smallest) 32-bit value instead of wrapping: a figure that
// reaches its limit stays there, and figures from a damaged file can be anything.
int32_t Clamp(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

int32_t Add(int32_t a, int32_t b) {
    return Clamp(int64_t{a} + b);
}

// A float truncated toward zero; quotients that do not fit (only damaged figures give them)
// become 0.
int32_t Truncate(float v) {
    if (!std::isfinite(v) || v >= 2147483648.0F || v < -2147483648.0F) {
        return 0;
    }
    return static_cast<int32_t>(v);
}

}  // namespace

int LevelSlot(int32_t levelCode) {
    switch (levelCode) {
        case level::kBeginner:
            return 0;
        case level::kEasy:
            return 1;
        case level::kMedium:
            return 2;
        case level::kHard:
            return 3;
        case level::kExpert:
            return 4;
        default:
            return 5;  // Custom, and any other code
    }
}

void RecordSolvedGame(COptions& options, int32_t levelCode, int32_t seconds) {
    SLevelStats& r = options.LevelStats()[static_cast<std::size_t>(LevelSlot(levelCode))];
    // A running average in single precision: it carries the truncation of every earlier step
    // and is never recomputed from the total.
    const int64_t sum = int64_t{r.averageTime} * r.solved + seconds;
    r.averageTime = Truncate(static_cast<float>(sum) / static_cast<float>(Add(r.solved, 1)));
    r.solved = Add(r.solved, 1);
    if (seconds < r.bestTime || r.bestTime == 0) {
        r.bestTime = seconds;
    }
    r.totalTime = Add(r.totalTime, seconds);
}

SLevelStats GetLevelStats(const COptions& options, int selection) {
    if (selection >= 1 && selection <= kLevelSlots) {
        return options.LevelStats()[static_cast<std::size_t>(selection - 1)];
    }
    // All levels: counts and totals add up, the best time is the smallest one recorded, and the
    // average is the plain mean of the levels' own averages.
    SLevelStats all;
    int32_t best = 999999;
    float sum = 0.0F;
    int n = 0;
    for (const SLevelStats& r : options.LevelStats()) {
        if (r.averageTime != 0) {
            sum += static_cast<float>(r.averageTime);
            ++n;
        }
        if (r.bestTime != 0 && r.bestTime < best) {
            best = r.bestTime;
        }
        all.solved = Add(all.solved, r.solved);
        all.totalTime = Add(all.totalTime, r.totalTime);
    }
    all.averageTime = n == 0 ? 0 : Truncate(sum / static_cast<float>(n));
    all.bestTime = best == 999999 ? 0 : best;
    if (all.averageTime >= 999999) {
        all.averageTime = 0;
    }
    return all;
}

SLevelStats GetShownLevelStats(const COptions& options, int selection) {
    COptions shown = options;
    for (SLevelStats& r : shown.LevelStats()) {
        r = {std::max(r.solved, 0), std::max(r.totalTime, 0), std::max(r.bestTime, 0),
             std::max(r.averageTime, 0)};
    }
    return GetLevelStats(shown, selection);
}

void ResetStats(COptions& options, int selection) {
    if (selection == 0) {
        options.LevelStats() = {};
    } else if (selection >= 1 && selection <= kLevelSlots) {
        options.LevelStats()[static_cast<std::size_t>(selection - 1)] = SLevelStats{};
    }
}

std::string StatTimeText(int32_t seconds) {
    const int64_t magnitude = std::abs(int64_t{seconds});
    char text[48];
    std::snprintf(text, sizeof text, "%s%lld:%02lld:%02lld", seconds < 0 ? "-" : "",
                  static_cast<long long>(magnitude / 3600),
                  static_cast<long long>(magnitude / 60 % 60),
                  static_cast<long long>(magnitude % 60));
    return text;
}
