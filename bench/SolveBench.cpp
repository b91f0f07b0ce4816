// Solve on the boards the game makes: per level, the boards of generator seeds 1..N, each
// solved with solver seeds 1..K, as `sudoku-tool generate --level L --seed S | sudoku-tool
// solve --seed T` does (and as Solve Puzzle, Solve Cell and Check My Input do on a fresh
// board).
//
//   sudoku-solve-bench [--boards=N] [--solver-seeds=K] [--slowest=M] [Google Benchmark flags]
//
// N is 1000 and K 3 unless given. Each benchmark solves all N x K boards of its level once;
// every solve is timed on its own in CPU time of the thread. After the benchmark table come,
// per level, the median, the 99th percentile and the worst solve, the number of solves over
// 0.5 s, and the M slowest solves (5 unless given) with their number of tries (one random
// draw per try of the search) and the time per try.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "bench/GeneratedBoard.h"
#include "engine/Board.h"
#include "engine/Options.h"

namespace {

int g_boards = 1000;
int g_solverSeeds = 3;
int g_slowest = 5;
constexpr double kSlowSeconds = 0.5;

// The CPU time of this thread in seconds: the machines we measure on are shared, and a solve
// that another process preempts would otherwise count the other process's time as its own.
double ThreadSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

// Nearest-rank percentile (p in 0..100) of sorted samples.
double Percentile(const std::vector<double>& sorted, double p) {
    if (sorted.empty()) {
        return 0.0;
    }
    const auto rank =
        static_cast<std::size_t>(std::ceil(p / 100.0 * static_cast<double>(sorted.size())));
    return sorted[std::max<std::size_t>(rank, 1) - 1];
}

// The number of values drawn from `before` to reach `after`. Four draws in a row name the
// generator's state: the count is the first point where the next four draws agree.
uint64_t DrawsBetween(const CRandom& before, const CRandom& after) {
    CRandom ahead = after;
    std::array<int32_t, 4> target{};
    for (int32_t& v : target) {
        v = ahead.Next();
    }
    CRandom probe = before;
    std::array<int32_t, 4> window{};
    for (int32_t& v : window) {
        v = probe.Next();
    }
    uint64_t n = 0;
    while (window != target) {
        std::rotate(window.begin(), window.begin() + 1, window.end());
        window[3] = probe.Next();
        ++n;
    }
    return n;
}

struct SSolve {
    double seconds = 0.0;
    uint64_t tries = 0;
    int boardSeed = 0;
    int solverSeed = 0;
    int32_t code = 0;
};

std::vector<std::string>& Summary() {
    static std::vector<std::string> lines;
    return lines;
}

void BM_SolveGenerated(benchmark::State& state) {
    const auto level = static_cast<int>(state.range(0));
    std::vector<CBoard::Grid> boards;
    boards.reserve(static_cast<std::size_t>(g_boards));
    for (int s = 1; s <= g_boards; ++s) {
        boards.push_back(GeneratedBoard(level, static_cast<uint64_t>(s)));
    }
    CRandom random(1);
    COptions options;
    CBoard board(random, options);
    std::vector<SSolve> solves;
    for (auto _ : state) {
        solves.clear();
        for (int s = 1; s <= g_boards; ++s) {
            for (int t = 1; t <= g_solverSeeds; ++t) {
                random.Seed(static_cast<uint64_t>(t));
                board.SetGrid(boards[static_cast<std::size_t>(s - 1)]);
                const CRandom before = random;
                const double t0 = ThreadSeconds();
                const CBoard::SolveResult r = board.Solve();
                const double t1 = ThreadSeconds();
                solves.push_back({t1 - t0, 0, s, t, r.code});
                state.PauseTiming();
                solves.back().tries = DrawsBetween(before, random);
                state.ResumeTiming();
            }
        }
    }
    std::vector<double> times;
    uint64_t unsolved = 0;
    for (const SSolve& s : solves) {
        times.push_back(s.seconds);
        unsolved += s.code == CBoard::kSolved ? 0 : 1;
    }
    std::sort(times.begin(), times.end());
    std::sort(solves.begin(), solves.end(),
              [](const SSolve& a, const SSolve& b) { return a.seconds > b.seconds; });
    const double median = Percentile(times, 50.0);
    const double p99 = Percentile(times, 99.0);
    const double worst = times.empty() ? 0.0 : times.back();
    state.counters["solves"] = static_cast<double>(times.size());
    state.counters["median_ms"] = median * 1e3;
    state.counters["p99_ms"] = p99 * 1e3;
    state.counters["worst_ms"] = worst * 1e3;
    state.counters["unsolved"] = static_cast<double>(unsolved);
    // Solves long enough for the player to see the window stop.
    const auto slow = static_cast<std::size_t>(
        times.end() - std::upper_bound(times.begin(), times.end(), kSlowSeconds));
    state.counters["over_0.5s"] = static_cast<double>(slow);

    char line[400];
    std::snprintf(line, sizeof line,
                  "level %2d  %5zu solves  median %10.4f ms  p99 %10.4f ms  worst %10.4f ms  "
                  "over 0.5 s %zu  unsolved %llu",
                  level, times.size(), median * 1e3, p99 * 1e3, worst * 1e3, slow,
                  static_cast<unsigned long long>(unsolved));
    Summary().emplace_back(line);
    const std::size_t shown = std::min(solves.size(), static_cast<std::size_t>(g_slowest));
    for (std::size_t i = 0; i < shown; ++i) {
        const SSolve& s = solves[i];
        std::snprintf(line, sizeof line,
                      "    %10.4f ms  %11llu tries  %6.1f ns/try  board seed %4d  solver seed "
                      "%d: sudoku-tool generate --level %d --seed %d | sudoku-tool solve --seed %d",
                      s.seconds * 1e3, static_cast<unsigned long long>(s.tries),
                      s.tries != 0 ? s.seconds / static_cast<double>(s.tries) * 1e9 : 0.0,
                      s.boardSeed, s.solverSeed, level, s.boardSeed, s.solverSeed);
        Summary().emplace_back(line);
    }
}
BENCHMARK(BM_SolveGenerated)
    ->ArgName("level")
    ->Arg(30)
    ->Arg(40)
    ->Arg(44)
    ->Arg(50)
    ->Arg(65)
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

// Takes --NAME=VALUE (a positive number) off the argument list; false when it is malformed.
bool TakeCount(std::vector<char*>& args, const std::string& name, int& value) {
    const std::string prefix = "--" + name + "=";
    for (auto it = args.begin() + 1; it != args.end(); ++it) {
        const std::string a = *it;
        if (a.rfind(prefix, 0) != 0) {
            continue;
        }
        char* end = nullptr;
        const long v = std::strtol(a.c_str() + prefix.size(), &end, 10);
        if (end == a.c_str() + prefix.size() || *end != '\0' || v < 1 || v > 1000000) {
            std::fprintf(stderr, "%s needs a number from 1 to 1000000\n", prefix.c_str());
            return false;
        }
        value = static_cast<int>(v);
        args.erase(it);
        return true;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<char*> args(argv, argv + argc);
    if (!TakeCount(args, "boards", g_boards) || !TakeCount(args, "solver-seeds", g_solverSeeds) ||
        !TakeCount(args, "slowest", g_slowest)) {
        return 2;
    }
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data())) {
        return 1;
    }
    std::printf("Generator seeds 1..%d, solver seeds 1..%d per board\n", g_boards, g_solverSeeds);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (!Summary().empty()) {
        std::printf("\nSolve per level (CPU time of each solve), and the slowest solves\n");
        for (const std::string& line : Summary()) {
            std::printf("%s\n", line.c_str());
        }
    }
    return 0;
}
