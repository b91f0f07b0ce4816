// Benchmarks of the engine: new puzzles by level, Solve on the public puzzle sets, hints.
//
//   sudoku-bench [--puzzles=DIR | DIR] [Google Benchmark flags]
//
// The puzzle sets are read from DIR, else from $SUDOKU_PUZZLES, else from
// ../shared/data/puzzles beside the source tree. Every timing that a percentile or a worst
// case is taken from is one call, measured on its own in CPU time of the thread; the
// benchmark's own time columns cover the whole loop. A summary of the figures follows the
// benchmark table.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/Board.h"
#include "engine/Options.h"

namespace {

std::string g_puzzleDir;

// The CPU time of this thread in seconds. Per-call samples use it rather than the wall clock:
// the machines we measure on are shared, and a call that another process preempts would
// otherwise count the other process's time slice as its own.
double ThreadSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

// Nearest-rank percentile (p in 0..100) of a set of samples.
double Percentile(std::vector<double> samples, double p) {
    if (samples.empty()) {
        return 0.0;
    }
    std::sort(samples.begin(), samples.end());
    const auto rank =
        static_cast<std::size_t>(std::ceil(p / 100.0 * static_cast<double>(samples.size())));
    return samples[std::max<std::size_t>(rank, 1) - 1];
}

double Mean(const std::vector<double>& samples) {
    double sum = 0.0;
    for (double s : samples) {
        sum += s;
    }
    return samples.empty() ? 0.0 : sum / static_cast<double>(samples.size());
}

// A grid of givens from one line of a puzzle file: 81 characters, '1'-'9' a given, anything
// else an empty cell. False when the line is too short.
bool GridFromLine(const std::string& line, CBoard::Grid& grid) {
    if (line.size() < 81) {
        return false;
    }
    grid = CBoard::Grid{};
    for (int i = 0; i < 81; ++i) {
        const char c = line[static_cast<std::size_t>(i)];
        if (c >= '1' && c <= '9') {
            grid.cells[i % 9][i / 9].value = static_cast<uint8_t>(c - '0');
            grid.cells[i % 9][i / 9].given = 1;
        }
    }
    return true;
}

// --- Summary printed after the benchmark table ---

struct SSummary {
    std::string text;
};
std::map<std::string, SSummary>& Summaries() {
    static std::map<std::string, SSummary> summaries;
    return summaries;
}

void Summarize(const std::string& key, const std::string& text) {
    Summaries()[key].text = text;
}

// --- NewPuzzle ---

// One new puzzle per iteration at the level given as the argument, from a fixed seed.
void BM_NewPuzzle(benchmark::State& state) {
    const auto level = static_cast<int32_t>(state.range(0));
    CRandom random(static_cast<uint64_t>(1000 + level));
    COptions options;
    CBoard board(random, options);
    std::vector<double> samples;
    samples.reserve(static_cast<std::size_t>(state.max_iterations));
    for (auto _ : state) {
        const double t0 = ThreadSeconds();
        board.NewPuzzle(level);
        const double t1 = ThreadSeconds();
        benchmark::DoNotOptimize(board.GetGrid());
        samples.push_back(t1 - t0);
    }
    const double mean = Mean(samples) * 1e3;
    const double p99 = Percentile(samples, 99.0) * 1e3;
    const double worst = Percentile(samples, 100.0) * 1e3;
    state.counters["mean_ms"] = mean;
    state.counters["p99_ms"] = p99;
    state.counters["max_ms"] = worst;
    char line[200];
    std::snprintf(line, sizeof line,
                  "NewPuzzle(%2d)  %6zu puzzles  mean %.4f ms  p99 %.4f ms  max %.4f ms", level,
                  samples.size(), mean, p99, worst);
    Summarize("1 NewPuzzle " + std::to_string(level), line);
}
BENCHMARK(BM_NewPuzzle)
    ->ArgName("level")
    ->Arg(30)
    ->Arg(40)
    ->Arg(44)
    ->Arg(50)
    ->Arg(65)
    ->Iterations(4000)
    ->Unit(benchmark::kMicrosecond);

// --- Solve on the puzzle sets ---

struct SPuzzleSet {
    const char* name;
    const char* file;
    std::size_t limit;  // 0: the whole file
};

const SPuzzleSet kSets[] = {
    {"exchange_easy", "sudoku_exchange_easy_500.txt", 0},
    {"exchange_medium", "sudoku_exchange_medium_500.txt", 0},
    {"exchange_hard", "sudoku_exchange_hard_500.txt", 0},
    {"exchange_diabolical", "sudoku_exchange_diabolical_500.txt", 0},
    {"forum_hardest_1106", "forum_hardest_1106.txt", 0},
    {"magictour_top1465", "magictour_top1465.txt", 0},
    {"17_clue_first2000", "17_clue.txt", 2000},
    {"serg_benchmark", "serg_benchmark.txt", 0},
};

struct SLoadedSet {
    std::vector<CBoard::Grid> grids;
    std::vector<std::size_t> lines;  // the 1-based line of each puzzle in its file
    std::string error;
};

const SLoadedSet& LoadSet(const SPuzzleSet& set) {
    static std::map<std::string, SLoadedSet> cache;
    auto found = cache.find(set.name);
    if (found != cache.end()) {
        return found->second;
    }
    SLoadedSet& loaded = cache[set.name];
    const std::string path = g_puzzleDir + "/" + set.file;
    std::ifstream in(path);
    if (!in) {
        loaded.error = "cannot read " + path;
        return loaded;
    }
    std::string line;
    std::size_t lineNumber = 0;
    while (std::getline(in, line) && (set.limit == 0 || loaded.grids.size() < set.limit)) {
        ++lineNumber;
        CBoard::Grid grid;
        if (GridFromLine(line, grid)) {
            loaded.grids.push_back(grid);
            loaded.lines.push_back(lineNumber);
        }
    }
    if (loaded.grids.empty()) {
        loaded.error = "no puzzles in " + path;
    }
    return loaded;
}

// Each iteration solves the whole set once, one puzzle after another on one board. The
// per-puzzle figures are the best of the iterations for each puzzle.
void BM_Solve(benchmark::State& state, const SPuzzleSet& set) {
    const SLoadedSet& loaded = LoadSet(set);
    if (!loaded.error.empty()) {
        state.SkipWithError(loaded.error.c_str());
        return;
    }
    const std::size_t n = loaded.grids.size();
    CRandom random(1);
    COptions options;
    CBoard board(random, options);
    std::vector<double> best(n, 1e300);
    std::size_t unsolved = 0;
    for (auto _ : state) {
        unsolved = 0;
        for (std::size_t i = 0; i < n; ++i) {
            board.SetGrid(loaded.grids[i]);
            const double t0 = ThreadSeconds();
            const CBoard::SolveResult r = board.Solve();
            const double t1 = ThreadSeconds();
            best[i] = std::min(best[i], t1 - t0);
            unsolved += r.code == CBoard::kSolved ? 0 : 1;
        }
    }
    const auto worstAt =
        static_cast<std::size_t>(std::max_element(best.begin(), best.end()) - best.begin());
    double total = 0.0;
    for (double s : best) {
        total += s;
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(n));
    state.counters["puzzles"] = static_cast<double>(n);
    state.counters["mean_us"] = total / static_cast<double>(n) * 1e6;
    state.counters["p99_us"] = Percentile(best, 99.0) * 1e6;
    state.counters["worst_ms"] = best[worstAt] * 1e3;
    state.counters["unsolved"] = static_cast<double>(unsolved);
    char line[300];
    std::snprintf(line, sizeof line,
                  "Solve %-20s %5zu puzzles  %10.0f puzzles/s  mean %9.1f us  p99 %9.1f us  "
                  "worst %8.2f ms (line %zu)  unsolved %zu",
                  set.name, n, static_cast<double>(n) / total, total / static_cast<double>(n) * 1e6,
                  Percentile(best, 99.0) * 1e6, best[worstAt] * 1e3, loaded.lines[worstAt],
                  unsolved);
    Summarize(std::string("2 Solve ") + std::to_string(&set - kSets), line);
}

// --- FindHint ---

// Positions as a game meets them: fresh puzzles of the level given as the argument and the
// same puzzles half filled in with the right digits, autoMarks up to date.
void BM_FindHint(benchmark::State& state) {
    const auto level = static_cast<int32_t>(state.range(0));
    CRandom random(77);
    COptions options;
    std::vector<std::unique_ptr<CBoard>> boards;
    CBoard maker(random, options);
    for (int seed = 1; seed <= 40; ++seed) {
        random.Seed(static_cast<uint64_t>(seed));
        maker.NewPuzzle(level);
        const CBoard::Grid puzzle = maker.GetGrid();
        maker.Solve();
        const CBoard::Grid solved = maker.GetGrid();
        for (int filled = 0; filled < 2; ++filled) {
            auto b = std::make_unique<CBoard>(random, options);
            CBoard::Grid g = puzzle;
            int k = 0;
            for (int x = 0; x < 9 && filled == 1; ++x) {
                for (int y = 0; y < 9; ++y) {
                    if (g.cells[x][y].value == 0 && (k++ % 2) == 0) {
                        g.cells[x][y].value = solved.cells[x][y].value;
                    }
                }
            }
            b->SetGrid(g);
            b->UpdateAutoMarks();
            boards.push_back(std::move(b));
        }
    }
    std::size_t i = 0;
    std::size_t found = 0;
    for (auto _ : state) {
        int32_t x = -1;
        int32_t y = -1;
        found += boards[i]->FindHint(x, y) ? 1 : 0;
        benchmark::DoNotOptimize(x);
        i = (i + 1) % boards.size();
    }
    state.counters["positions"] = static_cast<double>(boards.size());
    state.counters["hint_found"] =
        static_cast<double>(found) / static_cast<double>(std::max<int64_t>(state.iterations(), 1));
}
BENCHMARK(BM_FindHint)->ArgName("level")->Arg(30)->Arg(40)->Arg(44)->Arg(50)->Arg(65);

// The folder of the puzzle sets: the command line, the environment, the defaults.
std::string PuzzleDir(std::vector<char*>& args) {
    std::string dir;
    for (auto it = args.begin() + 1; it != args.end();) {
        const std::string a = *it;
        if (a.rfind("--puzzles=", 0) == 0) {
            dir = a.substr(10);
            it = args.erase(it);
        } else if (a == "--puzzles" && it + 1 != args.end()) {
            dir = *(it + 1);
            it = args.erase(it, it + 2);
        } else if (!a.empty() && a[0] != '-') {
            dir = a;
            it = args.erase(it);
        } else {
            ++it;
        }
    }
    if (!dir.empty()) {
        return dir;
    }
    if (const char* env = std::getenv("SUDOKU_PUZZLES"); env != nullptr && *env != '\0') {
        return env;
    }
    return std::string(SUDOKU_SOURCE_DIR) + "/../shared/data/puzzles";
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<char*> args(argv, argv + argc);
    g_puzzleDir = PuzzleDir(args);
    for (const SPuzzleSet& set : kSets) {
        benchmark::RegisterBenchmark((std::string("BM_Solve/") + set.name).c_str(),
                                     [&set](benchmark::State& state) { BM_Solve(state, set); })
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->MinTime(1.0);
    }
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data())) {
        return 1;
    }
    std::printf("Puzzle sets from %s\n", g_puzzleDir.c_str());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (!Summaries().empty()) {
        std::printf("\nSummary (per-call times; Solve: best of the iterations for each puzzle)\n");
        for (const auto& [key, summary] : Summaries()) {
            std::printf("%s\n", summary.text.c_str());
        }
    }
    return 0;
}
