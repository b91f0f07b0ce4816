// Test support: the whole running game on fake desktop services, with the built program folder
// (assets as installed) and a fresh data folder.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>

#include "engine/Options.h"
#include "platform/FileIO.h"
#include "platform/ImageCanvas.h"
#include "platform/ScriptedShell.h"
#include "tests/support/FakeServices.h"
#include "tests/support/TempDir.h"
#include "ui/GameRoot.h"
#include "ui/MainFrm.h"
#include "ui/SudokuApp.h"
#include "ui/SudokuDoc.h"
#include "ui/SudokuView.h"

namespace testsupport {

// The plain canvas factory, counting the view's paints: each paint draws into its back buffer.
class PaintCountingCanvases : public CImageCanvasFactory {
public:
    std::unique_ptr<ICanvas> Create(Bitmap& target) override {
        if (&target == backBuffer) {
            ++paints;
        }
        return CImageCanvasFactory::Create(target);
    }
    const Bitmap* backBuffer = nullptr;
    int paints = 0;
};

class AppTest : public ::testing::Test {
public:
    // The objects of one run; Start builds them, and a second Start is the next run of the
    // program on the same data folder.
    void Start(SScreenSize screen = kScreen480x272,
               const std::filesystem::path& programFolder = SUDOKU_PROGRAM_DIR) {
        End();
        root = std::make_unique<CGameRoot>(
            CGameRoot::SSettings{programFolder, data.Path(), screen, 11}, shell);
        app = std::make_unique<CSudokuApp>(
            *root, CSudokuApp::SServices{shell, timers, sound, foreground, window, canvases});
        if (startLanguage) {
            app->SetStartLanguage(*startLanguage);
        }
        started = app->InitInstance();
    }
    void StartPastSplash(SScreenSize screen = kScreen480x272) {
        Start(screen);
        ASSERT_TRUE(started);
        timers.Advance(3000);
        ASSERT_FALSE(app->View().IsSplash());
    }
    // The end of the run: the program ends and its objects go.
    void End() {
        if (app) {
            app->Shutdown();
        }
        app.reset();
        root.reset();
        timers = FakeTimers{};
    }
    void TearDown() override { End(); }

    // An options.cfg in the data folder.
    void WriteOptions(const COptions& options) {
        const COptions::Image image = options.ToImage();
        ASSERT_TRUE(fileio::WriteFileAtomically(data / "options.cfg", image));
    }
    CSudokuApp::ECommand Command(CommandId id) { return app->OnCommand(static_cast<int>(id)); }
    CGame& Game() { return root->Game(); }
    COptions& Options() { return root->Options(); }
    CSudokuView& View() { return app->View(); }
    CMainFrame& Frame() { return app->Frame(); }
    // How many log lines start with `prefix`.
    int Logged(const std::string& prefix) const {
        return static_cast<int>(
            std::count_if(shell.Lines().begin(), shell.Lines().end(),
                          [&](const std::string& line) { return line.rfind(prefix, 0) == 0; }));
    }
    std::pair<int, int> Selection() const {
        int32_t x = 0;
        int32_t y = 0;
        root->Game().GetSelection(x, y);
        return {x, y};
    }

    TempDir data;
    FakeShell shell;
    FakeTimers timers;
    FakeSound sound;
    FakeForeground foreground;
    FakeWindow window;
    PaintCountingCanvases canvases;
    std::optional<int> startLanguage;  // --language
    std::unique_ptr<CGameRoot> root;
    std::unique_ptr<CSudokuApp> app;
    bool started = false;
};

}  // namespace testsupport
