// The running game as a whole: start-up and resume, the splash, the clock, the command bar with
// its caption box, the square screen and the orderly end.
#include <filesystem>
#include <functional>
#include <vector>

#include "engine/Options.h"
#include "game/SaveFile.h"
#include "res/Strings.h"
#include "tests/support/BoardBuilder.h"
#include "tests/ui/AppFixture.h"

using testsupport::AppTest;
using testsupport::ValuesOf;

namespace {

int EmptyCells(const CBoard& board) {
    const std::string values = ValuesOf(board.GetGrid());
    return static_cast<int>(std::count(values.begin(), values.end(), '.'));
}

// --- Start-up ---

TEST_F(AppTest, FirstStartMakesANewGameAtTheStoredLevelInTheStoredLanguage) {
    Start();
    ASSERT_TRUE(started);
    // No options.cfg: Russian, Beginner.
    EXPECT_EQ(Frame().BarLanguage(), 6);
    EXPECT_TRUE(Frame().IsCommandBarEnabled());
    EXPECT_EQ(Frame().ToolbarImage(), 132);
    EXPECT_EQ(EmptyCells(Game()), level::kBeginner);
    // The frame's creation: splash timer, splash sound, size; the view in the splash state.
    EXPECT_EQ(timers.Period(CMainFrame::kSplashTimer), 200);
    EXPECT_EQ(timers.Period(CGame::kClockTimer), 1000);
    ASSERT_EQ(sound.played.size(), 1U);
    EXPECT_EQ(sound.played[0], std::filesystem::path(SUDOKU_PROGRAM_DIR) / "splash/splash.wav");
    EXPECT_TRUE(View().IsSplash());
    EXPECT_EQ(Frame().FrameSize(), kScreen480x272);
    // The window was shown: the device screen, bar and splash.
    EXPECT_GE(window.presents, 1);
    EXPECT_EQ(window.shown.width, 480);
    EXPECT_EQ(window.shown.height, 272);
    EXPECT_TRUE(shell.Lines().empty());
    // The first run is over at the first paint of the board.
    EXPECT_TRUE(Options().GetFirstRun());
    timers.Advance(3000);
    EXPECT_FALSE(Options().GetFirstRun());
}

TEST_F(AppTest, NextStartResumesTheGameAndTheClockContinues) {
    StartPastSplash();
    Game().OnTap(142 + 4 * 21, 12 + 4 * 21);
    timers.Advance(5000);
    const CBoard::Grid grid = Game().GetGrid();
    const auto selection = Selection();
    const int32_t elapsed = Game().GetElapsed();
    End();
    EXPECT_EQ(std::filesystem::file_size(data / "autosave.sdk"), 1811U);
    EXPECT_EQ(std::filesystem::file_size(data / "options.cfg"), 140U);

    StartPastSplash();
    EXPECT_TRUE(Game().GetGrid() == grid);
    EXPECT_EQ(Selection(), selection);
    // Of the splash's three seconds only the last tick, after the splash's end, counts.
    EXPECT_EQ(Game().GetElapsed(), elapsed + 1000);
    timers.Advance(1000);
    EXPECT_EQ(Game().GetElapsed(), elapsed + 2000);
}

TEST_F(AppTest, ADamagedAutosaveStartsANewGameAndIsReplacedAtTheEnd) {
    data.Write("autosave.sdk", std::string(100, '\x07'));
    Start();
    ASSERT_TRUE(started);
    EXPECT_EQ(EmptyCells(Game()), level::kBeginner);
    EXPECT_TRUE(shell.Lines().empty());
    End();
    EXPECT_EQ(std::filesystem::file_size(data / "autosave.sdk"), 1811U);
}

TEST_F(AppTest, TheBarSpeaksTheStoredLanguageOrEnglishForADamagedOne) {
    const struct {
        int stored;
        std::optional<int> commandLine;
        int bar;
    } cases[] = {{3, {}, 3}, {0, {}, 0},          {9, {}, 0},         {-1, {}, 0},       {6, 5, 5},
                 {9, 2, 2},  {2147483538, {}, 0}, {INT32_MAX, {}, 0}, {INT32_MIN, {}, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        COptions options;
        options.SetLanguage(c.stored);
        WriteOptions(options);
        startLanguage = c.commandLine;
        Start();
        ASSERT_TRUE(started);
        EXPECT_EQ(Frame().BarLanguage(), c.bar);
        EXPECT_EQ(Options().GetLanguage(), c.commandLine.value_or(c.stored));
        End();
    }
}

TEST_F(AppTest, ADamagedSkinNumberReadsPapersBitmapsFromTheProgramFolder) {
    COptions options;
    options.SetSkin(7);
    WriteOptions(options);
    StartPastSplash();
    EXPECT_TRUE(shell.Lines().empty());
    EXPECT_FALSE(Game().GetBoardBitmap().IsNull());
    // Any skin can be chosen again from the menu.
    EXPECT_EQ(Command(CommandId::kSand), CSudokuApp::ECommand::kDone);
    EXPECT_EQ(Options().GetSkin(), 1);
    EXPECT_TRUE(shell.Lines().empty());
}

TEST_F(AppTest, ASavedGameOnTheCommandLineOpensAfterTheStartUp) {
    StartPastSplash();
    Game().SetElapsed(42000);
    ASSERT_TRUE(savefile::Write(data / "game.sdk", Game()));
    const CBoard::Grid grid = Game().GetGrid();
    End();
    data.Write("autosave.sdk", std::string());
    Start();
    ASSERT_TRUE(app->OpenDocumentFile(data / "game.sdk"));
    EXPECT_TRUE(Game().GetGrid() == grid);
    EXPECT_EQ(Game().GetElapsed(), 42000);
    EXPECT_EQ(Frame().BarLanguage(), 6);
}

// --- Splash ---

TEST_F(AppTest, SplashAnimatesForFifteenTicksThenShowsTheBoard) {
    Start();
    for (int tick = 1; tick < 15; ++tick) {
        timers.Advance(200);
        EXPECT_EQ(root->Splash().GetFrame(), tick % 5) << tick;
        EXPECT_TRUE(View().IsSplash());
    }
    EXPECT_TRUE(Game().GetBoardBitmap().IsNull());
    EXPECT_EQ(Game().GetElapsed(), 0);  // the clock stands still during the splash
    timers.Advance(200);
    EXPECT_FALSE(View().IsSplash());
    EXPECT_FALSE(timers.IsRunning(CMainFrame::kSplashTimer));
    EXPECT_EQ(Frame().SplashTicks(), 15);
    EXPECT_TRUE(Frame().IsCommandBarEnabled());
    EXPECT_FALSE(Game().GetBoardBitmap().IsNull());
}

TEST_F(AppTest, ATapDuringTheSplashOnlyEndsIt) {
    Start();
    timers.Advance(400);
    const CBoard::Grid grid = Game().GetGrid();
    const auto selection = Selection();
    View().OnKeyDown(CGame::kKey0 + 1);
    View().OnKeyUp(CGame::kKey0 + 1);
    View().OnLButtonDown(142 + 8 * 21, 12 + 8 * 21);
    EXPECT_FALSE(View().IsSplash());
    EXPECT_TRUE(Game().GetGrid() == grid);
    EXPECT_EQ(Selection(), selection);
    timers.Advance(3000);
    EXPECT_EQ(Frame().SplashTicks(), 2);
    EXPECT_EQ(root->Splash().GetFrame(), 2);
}

// --- Clock ---

TEST_F(AppTest, ClockCountsOnlyInTheForeground) {
    StartPastSplash();
    // At 3000 ms the splash ends before the clock ticks: that tick counts.
    EXPECT_EQ(Game().GetElapsed(), 1000);
    timers.Advance(2000);
    EXPECT_EQ(Game().GetElapsed(), 3000);
    foreground.foreground = false;
    timers.Advance(3000);
    EXPECT_EQ(Game().GetElapsed(), 3000);
    foreground.foreground = true;
    timers.Advance(1500);
    EXPECT_EQ(Game().GetElapsed(), 4000);
}

TEST_F(AppTest, EachTickRestoresTheClockFromTheLastFrameBeforeItDraws) {
    StartPastSplash();
    const Bitmap frame = View().LastFrame();
    // Every paint shows the clock as it stands: 00:01 after the splash.
    Bitmap first = frame;
    {
        CImageCanvas canvas(first);
        canvas.DrawTextAt(24, 112, 480, "00:01", Rgb(0, 0, 0));
    }
    EXPECT_TRUE(View().WindowSurface().pixels == first.pixels);
    timers.Advance(1000);
    // Only "00:02" over the last frame: nothing left of "00:01".
    Bitmap expected = frame;
    {
        CImageCanvas canvas(expected);
        canvas.DrawTextAt(24, 112, 480, "00:02", Rgb(0, 0, 0));
    }
    EXPECT_TRUE(View().LastFrame().pixels == frame.pixels) << "a tick is no repaint";
    EXPECT_TRUE(View().WindowSurface().pixels == expected.pixels);
    EXPECT_NE(expected.pixels, frame.pixels);
    // The device screen shows it below the bar.
    EXPECT_EQ(window.shown.At(24 + 3, 28 + 112 + 20), View().WindowSurface().At(27, 132));
    // A repaint shows the clock at once; it never goes blank.
    Game().Redraw();
    EXPECT_TRUE(View().LastFrame().pixels == frame.pixels);
    EXPECT_TRUE(View().WindowSurface().pixels == expected.pixels);
}

// A window nobody sees between looks (script mode): a day of ticks draws nothing until the
// picture is wanted, then the clock once, as a window that shows each tick has it.
TEST_F(AppTest, AWindowSeenOnlyWhenLookedAtGetsTheClockOfTheLastTickOnce) {
    window.showsEachPicture = false;
    StartPastSplash();
    const int presents = window.presents;
    timers.Advance(86'400'000);
    EXPECT_EQ(Game().GetElapsed(), 86'401'000);
    EXPECT_EQ(window.presents, presents);
    ASSERT_TRUE(View().DrawPendingClock());
    EXPECT_EQ(window.presents, presents + 1);
    EXPECT_FALSE(View().DrawPendingClock());
    const Bitmap once = window.shown;
    window.showsEachPicture = true;
    View().DrawClockOnWindow();
    EXPECT_EQ(window.presents, presents + 2);
    EXPECT_TRUE(window.shown.pixels == once.pixels);
}

// --- Command bar ---

TEST_F(AppTest, CaptionOfAHeldButtonInTheCurrentLanguageAndMode) {
    StartPastSplash();
    const struct {
        int language;
        CommandId command;
        bool modeOn;
        const char* caption;
    } cases[] = {
        {0, CommandId::kQuickNewGame, false, "Quick new game"},
        {0, CommandId::kPencilmarks, false, "Pencilmarks on"},
        {0, CommandId::kPencilmarks, true, "Pencilmarks off"},
        {0, CommandId::kEraser, false, "Eraser on"},
        {0, CommandId::kEraser, true, "Eraser off"},
        {0, CommandId::kHint, false, "Hint"},
        {0, CommandId::kExit, false, "Exit"},
        {5, CommandId::kPencilmarks, true, " 关"},
        {5, CommandId::kEraser, true, "关"},
        {6, CommandId::kUndo, false, "Ход назад"},
        {9, CommandId::kHint, false, "Hint"},
        {0, CommandId::kLoad, false, ""},
    };
    for (const auto& c : cases) {
        Options().SetLanguage(c.language);
        Game().SetPencilMode(c.command == CommandId::kPencilmarks && c.modeOn);
        Game().SetEraserMode(c.command == CommandId::kEraser && c.modeOn);
        EXPECT_EQ(Frame().ButtonCaption(c.command), c.caption);
    }
}

TEST_F(AppTest, CaptionBoxStandsOnRowSeventeenCentredOnTheButton) {
    StartPastSplash();
    Options().SetLanguage(0);
    const SRect button = Frame().ButtonRect(CommandId::kHint);
    ASSERT_EQ(button.Width(), CCommandBar::kButtonSize);
    const Bitmap before = View().WindowSurface();
    ASSERT_TRUE(Frame().OnButtonDown(CommandId::kHint));
    // "Hint" in the plain canvas's font is 24 x 9: the box is 30 x 11.
    const int centre = button.left + button.Width() / 2;
    const SRect box = CMainFrame::CaptionBox({24, 9}, centre, 480);
    EXPECT_EQ(box, (SRect{centre - 15, 6, centre + 15, 17}));
    const Bitmap& shown = View().WindowSurface();
    for (int x = box.left; x < box.right; ++x) {
        EXPECT_EQ(shown.At(x, box.top), Rgb(0, 0, 0)) << x;
        EXPECT_EQ(shown.At(x, box.bottom - 1), Rgb(0, 0, 0)) << x;
    }
    EXPECT_EQ(shown.At(box.left + 1, box.top + 1), Rgb(255, 255, 255));
    EXPECT_EQ(shown.At(box.left, box.bottom), before.At(box.left, box.bottom));
    EXPECT_EQ(shown.At(box.left - 1, box.top), before.At(box.left - 1, box.top));
    // The text, centred, stands one row above the bottom edge.
    Bitmap expected(box.Width() - 2, box.Height() - 2, Rgb(255, 255, 255));
    {
        CImageCanvas canvas(expected);
        canvas.DrawTextAt(2, -15, 100, "Hint", Rgb(0, 0, 0));
    }
    for (int y = 0; y < expected.height; ++y) {
        for (int x = 0; x < expected.width; ++x) {
            ASSERT_EQ(shown.At(box.left + 1 + x, box.top + 1 + y), expected.At(x, y)) << x << y;
        }
    }
    // Let go: the repaint removes it.
    Frame().OnButtonUp(CommandId::kHint);
    EXPECT_TRUE(View().WindowSurface().pixels == before.pixels);
    // Disabled buttons, and commands without one, show none.
    EXPECT_FALSE(Frame().OnButtonDown(CommandId::kUndo));  // nothing to undo yet
    Options().SetAutoPencilmarks(true);
    EXPECT_FALSE(Frame().OnButtonDown(CommandId::kPencilmarks));
    EXPECT_FALSE(Frame().OnButtonDown(CommandId::kLoad));
    Frame().EnableCommandBar(false);
    EXPECT_FALSE(Frame().OnButtonDown(CommandId::kHint));
    EXPECT_TRUE(View().WindowSurface().pixels == before.pixels);
}

TEST_F(AppTest, CaptionBoxStaysInsideTheScreenEdges) {
    // Centred where it fits; moved in at the left or right edge, whatever the text's width.
    EXPECT_EQ(CMainFrame::CaptionBox({24, 9}, 100, 480), (SRect{85, 6, 115, 17}));
    EXPECT_EQ(CMainFrame::CaptionBox({60, 9}, 467, 480), (SRect{414, 6, 480, 17}));
    EXPECT_EQ(CMainFrame::CaptionBox({60, 9}, 10, 320), (SRect{0, 6, 66, 17}));
    // The held Exit button shows its whole box in every language, on both screens.
    for (const SScreenSize screen : {kScreen480x272, kScreen320x240}) {
        StartPastSplash(screen);
        for (int language = 0; language < res::kLanguageCount; ++language) {
            Options().SetLanguage(language);
            ASSERT_TRUE(Frame().OnButtonDown(CommandId::kExit));
            // Its right border stands whole on the screen.
            Bitmap scratch(1, 1);
            CImageCanvas measure(scratch);
            const SRect button = Frame().ButtonRect(CommandId::kExit);
            const SRect box =
                CMainFrame::CaptionBox(measure.MeasureText(Frame().ButtonCaption(CommandId::kExit)),
                                       button.left + button.Width() / 2, screen.width);
            ASSERT_LE(box.right, screen.width) << language;
            for (int y = box.top; y < box.bottom; ++y) {
                EXPECT_EQ(View().WindowSurface().At(box.right - 1, y), Rgb(0, 0, 0))
                    << language << ' ' << y;
            }
            Frame().OnButtonUp(CommandId::kExit);
        }
    }
}

TEST_F(AppTest, BarHitsSoftKeysAndButtonsOnlyWhileEnabled) {
    StartPastSplash(kScreen320x240);
    const struct {
        int x, y;
        CMainFrame::SBarHit::Kind kind;
        CommandId command;
    } cases[] = {
        {2, 3, CMainFrame::SBarHit::Kind::kGameKey, {}},
        {67, 24, CMainFrame::SBarHit::Kind::kGameKey, {}},
        {70, 10, CMainFrame::SBarHit::Kind::kOptionsKey, {}},
        {68, 10, CMainFrame::SBarHit::Kind::kNone, {}},
        {144, 3, CMainFrame::SBarHit::Kind::kButton, CommandId::kQuickNewGame},
        {170, 20, CMainFrame::SBarHit::Kind::kButton, CommandId::kPencilmarks},
        {261, 24, CMainFrame::SBarHit::Kind::kButton, CommandId::kHint},
        {317, 10, CMainFrame::SBarHit::Kind::kButton, CommandId::kExit},
        {300, 2, CMainFrame::SBarHit::Kind::kNone, {}},
        {300, 28, CMainFrame::SBarHit::Kind::kNone, {}},
    };
    for (const auto& c : cases) {
        const CMainFrame::SBarHit hit = Frame().HitTest(c.x, c.y);
        EXPECT_EQ(hit.kind, c.kind) << c.x << "," << c.y;
        EXPECT_EQ(hit.command, c.command) << c.x << "," << c.y;
    }
    Frame().EnableCommandBar(false);
    EXPECT_EQ(Frame().HitTest(2, 3).kind, CMainFrame::SBarHit::Kind::kNone);
}

TEST_F(AppTest, ToolbarStripFollowsTheModesAndEnterReleasesTheButtons) {
    StartPastSplash();
    Options().SetInputMode(kKeySelect);
    View().OnKeyDown(CGame::kKeyStar);
    View().OnKeyUp(CGame::kKeyStar);
    EXPECT_TRUE(Game().GetPencilMode());
    EXPECT_EQ(Frame().ToolbarImage(), 134);
    EXPECT_EQ(Command(CommandId::kEraser), CSudokuApp::ECommand::kDone);
    EXPECT_EQ(Frame().ToolbarImage(), 136);
    Frame().SetButtonPressed(CommandId::kEraser, true);
    const CBoard::Grid grid = Game().GetGrid();
    View().OnKeyDown(CGame::kKeyEnter);
    EXPECT_FALSE(Frame().PressedButton().has_value());
    View().OnKeyUp(CGame::kKeyEnter);
    EXPECT_TRUE(Game().GetGrid() == grid);
}

TEST_F(AppTest, ABarThatCannotBeBuiltIsTraced) {
    CGameRoot bare({SUDOKU_PROGRAM_DIR, data.Path(), kScreen480x272, 1}, shell);
    CMainFrame frame(bare, timers, sound, window, canvases,
                     [](int) { return std::span<const uint8_t>(); });
    testing::internal::CaptureStderr();
    EXPECT_EQ(frame.OnCreate(), -1);
    frame.RebuildCommandBar(0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Failed to create CommandBar\nFailed to create CommandBar\n");
    EXPECT_EQ(frame.HitTest(2, 3).kind, CMainFrame::SBarHit::Kind::kNone);
}

TEST_F(AppTest, SquareScreenIsCoveredExceptWhileTheLanguageDialogIsOpen) {
    Start({320, 320});
    EXPECT_EQ(Frame().FrameSize(), (SScreenSize{320, 320}));
    EXPECT_EQ(View().LastFrame().height, 320 - 28);

    // A frame that starts at 272 rows waits for the dialog's OK before it stretches.
    CMainFrame frame(*root, timers, sound, window, canvases);
    ASSERT_EQ(frame.OnCreate(), 0);
    CSudokuView view(*root, frame, timers, foreground, canvases);
    frame.SetView(&view);
    EXPECT_EQ(frame.FrameSize(), (SScreenSize{320, 272}));
    frame.SetLanguageDlgOpen(true);
    view.OnPaint();
    EXPECT_EQ(frame.FrameSize(), (SScreenSize{320, 272}));
    frame.SetLanguageDlgOpen(false);
    view.OnPaint();
    EXPECT_EQ(frame.FrameSize(), (SScreenSize{320, 320}));
    EXPECT_EQ(window.shown.height, 320);
}

// --- One paint per event ---

// Each event ends in at most one paint of the whole screen and one present; a held button's
// caption box and a clock tick are drawn onto the window without a paint.
TEST_F(AppTest, EachEventPaintsAndPresentsTheScreenAtMostOnce) {
    constexpr int kCellX = 142 + 4 * 21 + 5;
    constexpr int kCellY = 12 + 4 * 21 + 5;
    constexpr int kDigit5X = 142 + 4 * 21 + 5;
    constexpr int kPaletteY = 204 + 5;
    const auto enterDigit = [this] {
        Options().SetInputMode(kCellSelect);
        Options().SetLimitNumbers(false);
        Command(CommandId::kBeginner);
        View().OnLButtonDown(kDigit5X, kPaletteY);
    };
    int undoX = 0;
    int undoY = 0;
    struct Row {
        const char* event;
        bool splash;  // the event comes during the splash
        std::function<void()> before;
        std::function<void()> run;
        int paints;
        int presents;
    };
    const std::vector<Row> rows = {
        {"tap on a cell", false, [this] { Options().SetInputMode(kCellSelect); },
         [this] { View().OnLButtonDown(kCellX, kCellY); }, 1, 1},
        {"tap on the palette entering a digit", false,
         [this] {
             Options().SetInputMode(kCellSelect);
             Options().SetLimitNumbers(false);
             Command(CommandId::kBeginner);
         },
         [this] { View().OnLButtonDown(kDigit5X, kPaletteY); }, 1, 1},
        {"key down and up in Key Select", false, [this] { Options().SetInputMode(kKeySelect); },
         [this] {
             View().OnKeyDown(CGame::kKeyRight);
             View().OnKeyUp(CGame::kKeyRight);
         },
         1, 1},
        {"Enter down and up in Key Select", false, [this] { Options().SetInputMode(kKeySelect); },
         [this] {
             View().OnKeyDown(CGame::kKeyEnter);
             View().OnKeyUp(CGame::kKeyEnter);
         },
         1, 1},
        {"Enter down while a button is held", false,
         [&] {
             enterDigit();
             Frame().OnButtonDown(CommandId::kUndo);
         },
         [this] { View().OnKeyDown(CGame::kKeyEnter); }, 0, 1},
        {"menu Undo", false, enterDigit, [this] { Command(CommandId::kUndo); }, 1, 1},
        {"menu level", false, [] {}, [this] { Command(CommandId::kEasy); }, 1, 1},
        {"menu option", false, [] {}, [this] { Command(CommandId::kFlagIllegal); }, 1, 1},
        {"menu Eraser", false, [] {}, [this] { Command(CommandId::kEraser); }, 1, 1},
        {"toolbar press", false, enterDigit, [this] { Frame().OnButtonDown(CommandId::kUndo); }, 0,
         1},
        {"toolbar release", false,
         [&] {
             enterDigit();
             Frame().OnButtonDown(CommandId::kUndo);
         },
         [this] { Frame().OnButtonUp(CommandId::kUndo); }, 1, 1},
        {"toolbar command", false,
         [&] {
             enterDigit();
             Frame().OnButtonDown(CommandId::kUndo);
             Frame().OnButtonUp(CommandId::kUndo);
         },
         [this] { Command(CommandId::kUndo); }, 1, 1},
        {"splash tick", true, [] {}, [this] { timers.Advance(200); }, 1, 1},
        // The clock's tick of the same moment draws nothing out of the foreground.
        {"splash end by timer", true,
         [this] {
             timers.Advance(14 * 200);
             foreground.foreground = false;
         },
         [this] { timers.Advance(200); }, 1, 1},
        {"splash end by a tap", true, [] {}, [this] { View().OnLButtonDown(kCellX, kCellY); }, 1,
         1},
        {"clock tick", false, [] {}, [this] { timers.Advance(1000); }, 0, 1},
        // The same through the entry surface, in device points.
        {"pointer on a cell", false, [this] { Options().SetInputMode(kCellSelect); },
         [this] { app->OnPointerDown(kCellX, kCellY + kCommandBarHeight); }, 1, 1},
        {"pointer on a toolbar button", false, enterDigit,
         [&] { app->OnPointerDown(undoX, undoY); }, 0, 1},
        {"pointer moved off the held button", false,
         [&] {
             enterDigit();
             app->OnPointerDown(undoX, undoY);
         },
         [&] { app->OnPointerMove(undoX, 100); }, 0, 1},
        {"pointer let go over the button: release and command", false,
         [&] {
             enterDigit();
             app->OnPointerDown(undoX, undoY);
         },
         [&] { app->OnPointerUp(undoX, undoY); }, 1, 1},
        {"splash end by the pointer", true, [] {},
         [this] { app->OnPointerDown(kCellX, kCellY + kCommandBarHeight); }, 1, 1},
        {"accelerator Ctrl+Z", false, enterDigit, [this] { app->OnKeyDown('Z', true); }, 1, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.event);
        foreground.foreground = true;
        if (row.splash) {
            Start();
        } else {
            StartPastSplash();
        }
        canvases.backBuffer = &View().LastFrame();
        const SRect undo = Frame().ButtonRect(CommandId::kUndo);
        undoX = undo.left + undo.Width() / 2;
        undoY = undo.top + undo.Height() / 2;
        row.before();
        const int paints = canvases.paints;
        const int presents = window.presents;
        row.run();
        EXPECT_EQ(canvases.paints - paints, row.paints);
        EXPECT_EQ(window.presents - presents, row.presents);
    }
}

// The entry surface routes device points and keys: the soft keys' popups open under their keys
// in the bar's language, a held button's command runs only when it is let go over
// it, F1, F2 and accelerators keep their key-ups from the game, other keys reach it.
TEST_F(AppTest, TheEntrySurfaceRoutesThePointerAndTheKeys) {
    using Menu = std::optional<CSudokuApp::SMenuOpen>;
    const auto where = [](const Menu& menu) {
        return menu ? std::to_string(menu->key) + "@" + std::to_string(menu->left) + "," +
                          std::to_string(menu->top) + " lang " + std::to_string(menu->language)
                    : std::string("none");
    };
    StartPastSplash();
    EXPECT_EQ(where(app->OnPointerDown(100, 27)), "none");  // the bar's border
    Options().SetLanguage(1);
    Frame().RebuildCommandBar(1);
    EXPECT_EQ(where(app->OnPointerDown(10, 10)), "0@2,28 lang 1");
    EXPECT_EQ(where(app->OnPointerDown(100, 20)), "1@70,28 lang 1");
    EXPECT_EQ(where(app->OnKeyDown(0x71, false)), "1@70,28 lang 1");
    EXPECT_EQ(where(app->OtherSoftKeyMenuAt(10, 10, 1)), "0@2,28 lang 1");
    EXPECT_EQ(where(app->OtherSoftKeyMenuAt(10, 10, 0)), "none");
    EXPECT_EQ(app->MenuItemState(CommandId::kFlagIllegal),
              app->Doc().Update(CommandId::kFlagIllegal));

    const SRect undo = Frame().ButtonRect(CommandId::kUndo);
    const int x = undo.left + 3;
    const int y = undo.top + 3;
    const auto enterDigit = [this] {
        Options().SetInputMode(kCellSelect);
        Options().SetLimitNumbers(false);
        Command(CommandId::kBeginner);
        View().OnLButtonDown(142 + 4 * 21 + 5, 204 + 5);
    };
    const auto digits = [this] {
        int n = 0;
        for (int r = 0; r < 9; ++r) {
            for (int c = 0; c < 9; ++c) {
                n += Game().GetGrid().cells[r][c].value != 0 ? 1 : 0;
            }
        }
        return n;
    };
    struct Row {
        const char* how;
        std::function<void()> letGo;
        bool undone;
    };
    const std::vector<Row> rows = {
        {"over the button", [&] { app->OnPointerUp(x, y); }, true},
        {"off the button", [&] { app->OnPointerUp(x, 100); }, false},
        {"off and back on",
         [&] {
             app->OnPointerMove(x, 100);
             EXPECT_FALSE(Frame().PressedButton().has_value());
             app->OnPointerMove(x, y);
             EXPECT_EQ(Frame().PressedButton(), CommandId::kUndo);
             app->OnPointerUp(x, y);
         },
         true},
        {"over another button", [&] { app->OnPointerUp(x - CCommandBar::kButtonStep, y); }, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.how);
        enterDigit();
        const int entered = digits();
        app->OnPointerDown(x, y);
        EXPECT_EQ(Frame().PressedButton(), CommandId::kUndo);
        row.letGo();
        EXPECT_FALSE(Frame().PressedButton().has_value());
        EXPECT_EQ(digits(), row.undone ? entered - 1 : entered);
    }

    // Ctrl+Z undoes; its key-up, like F1's, never reaches the game, whose key-ups clear the hint.
    enterDigit();
    const int entered = digits();
    Command(CommandId::kHint);
    app->OnKeyDown('Z', true);
    EXPECT_EQ(digits(), entered - 1);
    Command(CommandId::kHint);
    const auto hinted = [this] {
        int32_t hx = -1;
        int32_t hy = -1;
        bool on = false;
        Game().GetHint(hx, hy, on);
        return on;
    };
    ASSERT_TRUE(hinted());
    for (const uint32_t key : {uint32_t{'Z'}, uint32_t{0x70}}) {
        app->OnKeyUp(key);
        EXPECT_TRUE(hinted()) << key;
    }
    app->OnKeyDown('A', false);
    app->OnKeyUp('A');
    EXPECT_FALSE(hinted());
}

// A digit that fills the board shows the board with it before the box that judges it, and
// once more after the box.
TEST_F(AppTest, AFullBoardIsPaintedBeforeItsBox) {
    StartPastSplash();
    canvases.backBuffer = &View().LastFrame();
    Options().SetInputMode(kKeySelect);
    std::string solved =
        "534678912672195348198342567859761423426853791713924856961537284287419635345286179";
    solved[4 * 9 + 4] = '.';
    Game().SetGrid(testsupport::GridFrom(solved, false));
    Game().UpdateAutoMarks();
    Game().SelectCell(4, 4, true);
    const int paints = canvases.paints;
    const int presents = window.presents;
    int paintsAtBox = -1;
    int presentsAtBox = -1;
    shell.onMessage = [&] {
        paintsAtBox = canvases.paints - paints;
        presentsAtBox = window.presents - presents;
    };
    View().OnKeyDown(CGame::kKey0 + 5);
    View().OnKeyUp(CGame::kKey0 + 5);
    EXPECT_EQ(Logged("message MsgSolvedStartNew"), 1);
    EXPECT_EQ(paintsAtBox, 1);
    EXPECT_EQ(presentsAtBox, 1);
    EXPECT_EQ(canvases.paints - paints, 2);
    EXPECT_EQ(window.presents - presents, 2);
}

// --- The end ---

TEST_F(AppTest, ExitAndSaveAndExitEndTheProgramOnceThroughTheShell) {
    for (const CommandId exit : {CommandId::kExit, CommandId::kSaveAndExit}) {
        StartPastSplash();
        shell.SetCloseHandler([this] { app->Shutdown(); });
        EXPECT_EQ(Command(exit), CSudokuApp::ECommand::kDone);
        EXPECT_TRUE(app->IsShutDown());
        EXPECT_TRUE(std::filesystem::exists(data / "autosave.sdk"));
        std::filesystem::remove(data / "autosave.sdk");
        std::filesystem::remove(data / "options.cfg");
        // Once only, and nothing runs afterwards.
        app->Shutdown();
        EXPECT_EQ(Command(CommandId::kHint), CSudokuApp::ECommand::kUnknown);
        End();
        EXPECT_FALSE(std::filesystem::exists(data / "autosave.sdk"));
        EXPECT_FALSE(std::filesystem::exists(data / "options.cfg"));
        shell.SetCloseHandler(nullptr);
    }
    EXPECT_EQ(shell.CloseRequests(), 2);
}

TEST_F(AppTest, SaveNowWritesWhatTheEndWritesAndTheGameGoesOn) {
    const auto files = [this] {
        return std::pair{fileio::ReadFile(data / "autosave.sdk", 4096),
                         fileio::ReadFile(data / "options.cfg", 4096)};
    };
    StartPastSplash();
    ASSERT_TRUE(app->SaveNow());
    const auto now = files();
    ASSERT_TRUE(now.first && now.second);
    EXPECT_EQ(now.first->size(), 1811U);
    EXPECT_EQ(now.second->size(), 140U);
    // The game goes on (its clock with it), and the end writes the same bytes.
    timers.Advance(5000);
    ASSERT_TRUE(app->SaveNow());
    const auto again = files();
    app->Shutdown();
    EXPECT_EQ(files(), again);
    EXPECT_NE(again.first, now.first);
    EXPECT_FALSE(app->SaveNow());
}

}  // namespace
