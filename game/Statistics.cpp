// Statistics per level: boards solved, total, best and running-average times in seconds.
#include "game/Statistics.h"

#include <cmath>
#include <cstdio>

namespace {

// 32-bit sums that wrap instead of overflowing (figures from a damaged file can be anything).
int32_t Add(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
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
    // and is never recomputed from the total. The product and sum wrap as 32-bit integers.
    const int32_t sum = Add(static_cast<int32_t>(static_cast<uint32_t>(r.averageTime) *
                                                 static_cast<uint32_t>(r.solved)),
                            seconds);
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

void ResetStats(COptions& options, int selection) {
    if (selection == 0) {
        options.LevelStats() = {};
    } else if (selection >= 1 && selection <= kLevelSlots) {
        options.LevelStats()[static_cast<std::size_t>(selection - 1)] = SLevelStats{};
    }
}

std::string StatTimeText(int32_t seconds) {
    char text[48];
    std::snprintf(text, sizeof text, "%d:%02d:%02d", seconds / 3600, (seconds / 60) % 60,
                  seconds % 60);
    return text;
}
