// An independent solution counter for 9 x 9 boards, used to check puzzles and the engine.
#include "tools/SolutionCounter.h"

#include <bit>

namespace {

struct Counter {
    uint16_t rows[9] = {};
    uint16_t cols[9] = {};
    uint16_t boxes[9] = {};
    std::array<uint8_t, 81> values{};
    int found = 0;
    int limit = 1;

    static int Box(int i) { return (i / 27) * 3 + (i % 9) / 3; }

    uint16_t Free(int i) const {
        return static_cast<uint16_t>(~(rows[i / 9] | cols[i % 9] | boxes[Box(i)]) & 0x1FF);
    }

    void Set(int i, int d, bool on) {
        const auto bit = static_cast<uint16_t>(1U << (d - 1));
        rows[i / 9] ^= bit;
        cols[i % 9] ^= bit;
        boxes[Box(i)] ^= bit;
        values[static_cast<std::size_t>(i)] = on ? static_cast<uint8_t>(d) : 0;
    }

    void Run() {
        int best = -1;
        int bestCount = 10;
        for (int i = 0; i < 81; ++i) {
            if (values[static_cast<std::size_t>(i)] == 0) {
                const int n = std::popcount(static_cast<unsigned>(Free(i)));
                if (n < bestCount) {
                    bestCount = n;
                    best = i;
                    if (n == 0) {
                        return;
                    }
                }
            }
        }
        if (best < 0) {
            ++found;
            return;
        }
        for (unsigned m = Free(best); m != 0 && found < limit; m &= m - 1) {
            const int d = std::countr_zero(m) + 1;
            Set(best, d, true);
            Run();
            Set(best, d, false);
        }
    }
};

}  // namespace

int CountSolutions(const std::array<uint8_t, 81>& values, int limit) {
    Counter c;
    c.limit = limit;
    for (int i = 0; i < 81; ++i) {
        const int d = values[static_cast<std::size_t>(i)];
        if (d == 0) {
            continue;
        }
        if (d > 9 || (c.Free(i) & (1U << (d - 1))) == 0) {
            return 0;
        }
        c.Set(i, d, true);
    }
    c.Run();
    return c.found;
}
