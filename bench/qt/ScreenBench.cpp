// Benchmarks of the game screen: one frame of the board into the back buffer, the whole device
// screen (command bar and view) as a paint shows it, and a tap on the board up to the screen
// being shown again. Runs offscreen, with the shipped skins and the fonts the window uses.
//
//   sudoku-bench-screen [--program-dir=DIR] [Google Benchmark flags]
//
// The program folder (skins, splash) defaults to the build tree's bin/.
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/ImageCanvas.h"
#include "platform/ScriptedForeground.h"
#include "platform/ScriptedShell.h"
#include "platform/ScriptedSound.h"
#include "platform/ScriptedTimers.h"
#include "platform/ScriptedWindow.h"
#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtCanvasFactory.h"
#include "res/Commands.h"
#include "ui/GameRoot.h"
#include "ui/SudokuApp.h"
#include "ui/SudokuView.h"

namespace {

std::string g_programDir = SUDOKU_PROGRAM_DIR;

// The game as the window runs it, with scripted services, past the splash, a new Medium game
// in play.
class CRunningGame {
public:
    explicit CRunningGame(SScreenSize screen)
        : m_root({g_programDir, m_data.Path(), screen, 7}, m_shell),
          m_app(m_root, {m_shell, m_timers, m_sound, m_foreground, m_window, m_canvases}) {
        m_app.SetStartLanguage(0);
        if (!m_app.InitInstance()) {
            std::abort();
        }
        m_app.OnCommand(static_cast<int>(CommandId::kMedium));
        m_timers.Advance(3000);  // the splash ends
    }
    CSudokuApp& App() { return m_app; }
    CGameRoot& Root() { return m_root; }

private:
    // A data folder of its own, removed at the end.
    struct STempDir {
        STempDir() {
            char name[] = "/tmp/sudoku-bench-XXXXXX";
            m_path = ::mkdtemp(name);
        }
        ~STempDir() { std::system(("rm -rf '" + m_path + "'").c_str()); }
        const std::string& Path() const { return m_path; }
        std::string m_path;
    } m_data;
    ScriptedShell m_shell;
    CScriptedTimers m_timers;
    CSilentSound m_sound;
    CScriptedForeground m_foreground;
    CScriptedWindow m_window;
    CQtCanvasFactory m_canvases;
    CGameRoot m_root;
    CSudokuApp m_app;
};

SScreenSize ScreenOf(const benchmark::State& state) {
    return state.range(0) == 480 ? kScreen480x272 : kScreen320x240;
}

// One frame of the board (board picture, digits, marks, palette) into a back buffer the size
// of the view, through the Qt canvas as the window draws it.
void BM_BoardFrameQt(benchmark::State& state) {
    CRunningGame game(ScreenOf(state));
    const SScreenSize client = game.App().View().ClientSize();
    Bitmap back(client.width, client.height);
    for (auto _ : state) {
        CQtCanvas canvas(back);
        game.Root().Game().DrawFrame(canvas);
        benchmark::DoNotOptimize(back.pixels.data());
    }
}
BENCHMARK(BM_BoardFrameQt)->Arg(480)->Arg(320)->Unit(benchmark::kMicrosecond);

// The same frame through the plain canvas of the tools and tests.
void BM_BoardFramePlain(benchmark::State& state) {
    CRunningGame game(ScreenOf(state));
    const SScreenSize client = game.App().View().ClientSize();
    Bitmap back(client.width, client.height);
    for (auto _ : state) {
        CImageCanvas canvas(back);
        game.Root().Game().DrawFrame(canvas);
        benchmark::DoNotOptimize(back.pixels.data());
    }
}
BENCHMARK(BM_BoardFramePlain)->Arg(480)->Arg(320)->Unit(benchmark::kMicrosecond);

// A whole paint: the view's frame, the command bar, the device screen composed and handed to
// the window.
void BM_DeviceScreenPaint(benchmark::State& state) {
    CRunningGame game(ScreenOf(state));
    for (auto _ : state) {
        game.App().View().OnPaint();
    }
}
BENCHMARK(BM_DeviceScreenPaint)->Arg(480)->Arg(320)->Unit(benchmark::kMicrosecond);

// A tap on the board up to the device screen handed to the window: the tap's handling, the
// synchronous repaint and the composition. Taps alternate between two empty cells.
void BM_TapToPresent(benchmark::State& state) {
    CRunningGame game(ScreenOf(state));
    CGame& g = game.Root().Game();
    std::vector<std::pair<int, int>> cells;
    for (int x = 0; x < 9 && cells.size() < 2; ++x) {
        for (int y = 0; y < 9 && cells.size() < 2; ++y) {
            if (g.GetCell(x, y).value == 0) {
                cells.emplace_back(x, y);
            }
        }
    }
    std::size_t i = 0;
    for (auto _ : state) {
        const auto [x, y] = cells[i++ % cells.size()];
        game.App().OnPointerDown(g.GetGridX() + x * 21 + 10,
                                 kCommandBarHeight + g.GetGridY() + y * 21 + 10);
    }
}
BENCHMARK(BM_TapToPresent)->Arg(480)->Arg(320)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    std::vector<char*> args;
    for (int i = 0; i < argc; ++i) {
        if (std::strncmp(argv[i], "--program-dir=", 14) == 0) {
            g_programDir = argv[i] + 14;
        } else {
            args.push_back(argv[i]);
        }
    }
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
