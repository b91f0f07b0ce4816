// The window during the slowest solve known on the game's boards (`sudoku-tool generate --level
// 65 --seed 103 | sudoku-tool solve --seed 1`): a window asks for a paint every 16 ms, as an
// animation would, and the longest time it goes without one is measured while Solve Puzzle runs
// on the main thread (as before) and beside it through CQtLongWork (as the game runs it).
//
//   sudoku-bench-long-solve [Google Benchmark flags]
//
// Offscreen unless a display is set (QT_QPA_PLATFORM or DISPLAY). The time reported is the
// solve's wall clock from the command's start to its end; solve_cpu_ms is the solving thread's
// CPU time (the slowest of the runs); max_paint_gap_ms is the longest gap between two paints
// from the solve's start to its end.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <functional>

#include "bench/GeneratedBoard.h"
#include "engine/Board.h"
#include "engine/Options.h"
#include "platform/qt/QtLongWork.h"

namespace {

constexpr int kLevel = 65;
constexpr uint64_t kBoardSeed = 103;
constexpr uint64_t kSolverSeed = 1;
constexpr int kFrameMs = 16;

// Notes the longest gap between two of its paints since Reset.
class CGapWindow : public QWidget {
public:
    CGapWindow() { m_clock.start(); }
    void Reset() {
        m_last = m_clock.nsecsElapsed();
        m_longest = 0;
    }
    // Counts the time from the last paint up to now as well.
    double LongestMs() const {
        return static_cast<double>(std::max(m_longest, m_clock.nsecsElapsed() - m_last)) / 1e6;
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter(this).fillRect(rect(), (++m_paints & 1) != 0 ? Qt::black : Qt::white);
        const qint64 now = m_clock.nsecsElapsed();
        m_longest = std::max(m_longest, now - m_last);
        m_last = now;
    }

private:
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_longest = 0;
    int m_paints = 0;
};

// The CPU time of this thread in milliseconds: the solve's own, whatever else the machine runs.
double ThreadMs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) * 1e-6;
}

void MeasureSolve(benchmark::State& state,
                  const std::function<void(const std::function<void()>&)>& run) {
    const CBoard::Grid givens = GeneratedBoard(kLevel, kBoardSeed);
    CGapWindow window;
    window.resize(480, 272);
    window.show();
    QTimer frame;
    QObject::connect(&frame, &QTimer::timeout, &window, [&window] { window.update(); });
    frame.start(kFrameMs);
    double longest = 0.0;
    double solveCpuMs = 0.0;
    for (auto _ : state) {
        CRandom random(kSolverSeed);
        COptions options;
        CBoard board(random, options);
        board.SetGrid(givens);
        // The window is painting steadily before the solve starts.
        QElapsedTimer settle;
        settle.start();
        while (settle.elapsed() < 100) {
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, kFrameMs);
        }
        window.Reset();
        QElapsedTimer clock;
        clock.start();
        bool solved = false;
        double cpuMs = 0.0;
        run([&board, &solved, &cpuMs] {
            const double start = ThreadMs();
            solved = board.SolvePuzzle();
            cpuMs = ThreadMs() - start;
        });
        solveCpuMs = std::max(solveCpuMs, cpuMs);
        state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
        longest = std::max(longest, window.LongestMs());
        if (!solved) {
            state.SkipWithError("the board was not solved");
        }
    }
    state.counters["max_paint_gap_ms"] = longest;
    state.counters["solve_cpu_ms"] = solveCpuMs;
}

void BM_SolveOnTheMainThread(benchmark::State& state) {
    MeasureSolve(state, [](const std::function<void()>& work) { work(); });
}
BENCHMARK(BM_SolveOnTheMainThread)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_SolveBesideTheWindow(benchmark::State& state) {
    CQtLongWork longWork;
    MeasureSolve(state, [&longWork](const std::function<void()>& work) { longWork.Run(work); });
}
BENCHMARK(BM_SolveBesideTheWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr && std::getenv("DISPLAY") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
