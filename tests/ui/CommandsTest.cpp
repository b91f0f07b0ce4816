// The document's commands: the table of update rules, the routing of ids, the command bodies
// with their messages and files, and the three dialogs.
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "engine/Options.h"
#include "game/SaveFile.h"
#include "game/Statistics.h"
#include "res/Strings.h"
#include "tests/support/BoardBuilder.h"
#include "tests/ui/AppFixture.h"
#include "ui/LanguageDlg.h"
#include "ui/StatsDlg.h"

using testsupport::AppTest;
using testsupport::ValuesOf;

namespace {

using C = CommandId;

// --- The rules ---

TEST(CommandRules, EveryRuleOfTheTable) {
    const auto custom = [](SRuleState& s) { s.customEntry = true; };
    const auto everything = [](SRuleState& s) {
        s.customEntry = s.autoPencilmarks = s.flagIllegal = s.limitNumbers = true;
        s.zonePencilmarks = s.crosshatching = s.canUndo = true;
        s.level = 6;
        s.inputMode = 1;
        s.skin = 2;
    };
    const struct {
        CommandId id;
        std::function<void(SRuleState&)> state;
        SCommandState expected;
    } rows[] = {
        {C::kBeginner, nullptr, {true, true}},
        {C::kEasy, nullptr, {true, false}},
        {C::kEasy, [](SRuleState& s) { s.level = 40; }, {true, true}},
        {C::kMedium, [](SRuleState& s) { s.level = 44; }, {true, true}},
        {C::kHard, [](SRuleState& s) { s.level = 50; }, {true, true}},
        {C::kExpert, [](SRuleState& s) { s.level = 65; }, {true, true}},
        {C::kCustom, [](SRuleState& s) { s.level = 6; }, {true, true}},
        {C::kBeginner, [](SRuleState& s) { s.level = 7; }, {true, false}},
        {C::kUndo, nullptr, {false, false}},
        {C::kUndo, [](SRuleState& s) { s.canUndo = true; }, {true, false}},
        {C::kEraseIllegal, nullptr, {true, false}},
        {C::kEraseIllegal, custom, {false, false}},
        {C::kRestart, custom, {false, false}},
        {C::kHint, custom, {false, false}},
        {C::kSolveCell, custom, {false, false}},
        {C::kSolvePuzzle, custom, {false, false}},
        {C::kCheckMyInput, custom, {true, false}},
        {C::kCellSelect, nullptr, {true, true}},
        {C::kNumberSelect, nullptr, {true, false}},
        {C::kNumberSelect, [](SRuleState& s) { s.inputMode = 1; }, {true, true}},
        {C::kCellSelect, [](SRuleState& s) { s.inputMode = 2; }, {true, false}},
        {C::kAutoPencilmarks, [](SRuleState& s) { s.autoPencilmarks = true; }, {true, true}},
        {C::kAutoPencilmarks, everything, {false, true}},
        {C::kFlagIllegal, [](SRuleState& s) { s.flagIllegal = true; }, {true, true}},
        {C::kFlagIllegal, custom, {false, false}},
        {C::kLimitNumbers, [](SRuleState& s) { s.limitNumbers = true; }, {true, true}},
        {C::kLimitNumbers, [](SRuleState& s) { s.inputMode = 1; }, {false, false}},
        {C::kLimitNumbers, custom, {false, false}},
        {C::kZonePencilmarks, everything, {false, true}},
        {C::kZonePencilmarks, nullptr, {true, false}},
        {C::kCrosshatching, nullptr, {false, false}},
        {C::kCrosshatching, everything, {true, true}},
        {C::kPaper, nullptr, {true, true}},
        {C::kSand, [](SRuleState& s) { s.skin = 1; }, {true, true}},
        {C::kSteel, everything, {true, true}},
        {C::kPaper, [](SRuleState& s) { s.skin = 7; }, {true, false}},
        {C::kSteel, [](SRuleState& s) { s.skin = 7; }, {true, false}},
        {C::kPencilmarks, nullptr, {true, false}},
        {C::kPencilmarks, [](SRuleState& s) { s.autoPencilmarks = true; }, {false, false}},
        {C::kPencilmarks, custom, {false, false}},
        {C::kEraser, everything, {true, false}},
        {C::kQuickNewGame, everything, {true, false}},
        {C::kNew, everything, {true, false}},
        {C::kLoad, everything, {true, false}},
        {C::kSave, everything, {true, false}},
        {C::kStatistics, everything, {true, false}},
        {C::kLanguage, everything, {true, false}},
        {C::kTutorial, everything, {true, false}},
        {C::kAbout, everything, {true, false}},
        {C::kSaveAndExit, everything, {true, false}},
        {C::kExit, everything, {true, false}},
    };
    for (const auto& row : rows) {
        SRuleState state;
        if (row.state) {
            row.state(state);
        }
        const SCommandState got = CSudokuDoc::Rule(row.id, state);
        EXPECT_EQ(got.enabled, row.expected.enabled) << static_cast<int>(row.id);
        EXPECT_EQ(got.checked, row.expected.checked) << static_cast<int>(row.id);
    }
    // Every command the menus and the toolbar name has a row; only the accelerators Cut, Copy
    // and Paste have none.
    for (const CommandId id : kAllCommands) {
        const bool accelerator = id == C::kCopy || id == C::kCut || id == C::kPaste;
        const bool application = id == C::kAbout || id == C::kSaveAndExit || id == C::kExit;
        EXPECT_EQ(CSudokuDoc::HasCommand(id), !accelerator && !application) << static_cast<int>(id);
    }
}

// --- Routing ---

TEST_F(AppTest, IdsWithoutACommandDoNothing) {
    StartPastSplash();
    const std::string values = ValuesOf(Game().GetGrid());
    for (const int id : {57634, 57635, 57637, 0, -1, 402, 12345, 32800}) {
        EXPECT_EQ(app->OnCommand(id), CSudokuApp::ECommand::kUnknown) << id;
    }
    EXPECT_EQ(ValuesOf(Game().GetGrid()), values);
    EXPECT_TRUE(shell.Lines().empty());
}

TEST_F(AppTest, OnlyTheSolvesRunAsLongWorkAndTheirWorkDrawsNothing) {
    StartPastSplash();
    std::vector<int> runs;
    shell.runLong = [this, &runs](const std::function<void()>& work) {
        const int presents = window.presents;
        const std::size_t lines = shell.Lines().size();
        work();
        EXPECT_EQ(window.presents, presents);
        EXPECT_EQ(shell.Lines().size(), lines);
        runs.push_back(static_cast<int>(ValuesOf(Game().GetGrid()).find('.') == std::string::npos));
    };
    for (const CommandId id : {C::kHint, C::kCheckMyInput, C::kSolveCell, C::kSolvePuzzle}) {
        Command(id);
    }
    // Check My Input and Solve Cell leave empty cells; Solve Puzzle fills them all.
    EXPECT_EQ(runs, (std::vector<int>{0, 0, 1}));
}

TEST_F(AppTest, DisabledCommandsDoNothing) {
    StartPastSplash();
    EXPECT_EQ(Command(C::kUndo), CSudokuApp::ECommand::kDisabled);
    EXPECT_EQ(Command(C::kCustom), CSudokuApp::ECommand::kDone);
    for (const CommandId id : {C::kHint, C::kSolveCell, C::kSolvePuzzle, C::kRestart,
                               C::kEraseIllegal, C::kPencilmarks, C::kAutoPencilmarks}) {
        EXPECT_EQ(Command(id), CSudokuApp::ECommand::kDisabled) << static_cast<int>(id);
    }
    EXPECT_FALSE(Options().GetAutoPencilmarks());
    EXPECT_EQ(ValuesOf(Game().GetGrid()), std::string(81, '.'));
}

// --- New games ---

TEST_F(AppTest, OnlyQuickNewGameAsksAndNeverDuringCustomEntry) {
    StartPastSplash();
    const std::string first = ValuesOf(Game().GetGrid());
    timers.Advance(2000);
    EXPECT_EQ(Command(C::kQuickNewGame), CSudokuApp::ECommand::kDone);  // answered no
    EXPECT_EQ(Logged("message MsgConfirmNewGame yesno no"), 1);
    EXPECT_EQ(ValuesOf(Game().GetGrid()), first);
    EXPECT_EQ(Game().GetElapsed(), 3000);
    shell.QueueAnswer(ScriptedShell::Answer::kYes);
    Command(C::kQuickNewGame);
    EXPECT_NE(ValuesOf(Game().GetGrid()), first);
    EXPECT_EQ(Game().GetElapsed(), 0);
    // Level commands, Custom and Ctrl+N replace the game without asking.
    const std::size_t asked = shell.Lines().size();
    Command(C::kExpert);
    EXPECT_EQ(Options().GetLevel(), level::kExpert);
    Command(C::kNew);
    Command(C::kCustom);
    EXPECT_EQ(shell.Lines().size(), asked + 1);  // the custom-entry notice only
    EXPECT_EQ(Logged("message MsgEnterCustomGivens info ok"), 1);
    // During custom entry Quick New Game offers the givens: none yet.
    Command(C::kQuickNewGame);
    EXPECT_EQ(Logged("message MsgCustomInvalid ok ok"), 1);
    EXPECT_TRUE(Options().GetCustomEntry());
    // A level command leaves custom entry for a generated game.
    Command(C::kMedium);
    EXPECT_FALSE(Options().GetCustomEntry());
    EXPECT_EQ(Logged("message MsgConfirmNewGame"), 2);
}

TEST_F(AppTest, TheCustomNoticeComesOnceAtTheFirstPaint) {
    StartPastSplash();
    Command(C::kCustom);
    EXPECT_EQ(Logged("message MsgEnterCustomGivens"), 1);
    Game().Redraw();
    Game().OnTap(142, 12);
    EXPECT_EQ(Logged("message MsgEnterCustomGivens"), 1);
    // A new game while the level is Custom starts custom entry again.
    Game().OnTap(142, 204);
    Game().OnTap(142 + 21, 12);
    Game().OnTap(142 + 21, 204 + 1);
    shell.QueueAnswer(ScriptedShell::Answer::kYes);
    Command(C::kQuickNewGame);  // accepted
    EXPECT_EQ(Logged("message MsgCustomValid"), 1);
    EXPECT_FALSE(Options().GetCustomEntry());
    shell.QueueAnswer(ScriptedShell::Answer::kYes);
    Command(C::kQuickNewGame);
    EXPECT_TRUE(Options().GetCustomEntry());
    EXPECT_EQ(Logged("message MsgEnterCustomGivens"), 2);
}

TEST_F(AppTest, AutoPencilmarksTurnsPencilModeOff) {
    StartPastSplash();
    Command(C::kPencilmarks);
    EXPECT_TRUE(Game().GetPencilMode());
    EXPECT_EQ(Frame().ToolbarImage(), 134);
    Command(C::kAutoPencilmarks);
    EXPECT_FALSE(Game().GetPencilMode());
    EXPECT_EQ(Command(C::kPencilmarks), CSudokuApp::ECommand::kDisabled);
    EXPECT_EQ(Frame().ToolbarImage(), 132);
    Command(C::kAutoPencilmarks);
    EXPECT_FALSE(Options().GetAutoPencilmarks());
    EXPECT_FALSE(Game().GetPencilMode());
}

// --- Undo ---

TEST_F(AppTest, UndoAfterEachKindOfCommand) {
    const struct {
        const char* name;
        std::function<void(AppTest&)> command;
        bool undoable;
    } rows[] = {
        {"entry", [](AppTest&) {}, true},
        {"Restart", [](AppTest& t) { t.Command(C::kRestart); }, true},
        {"Solve Cell", [](AppTest& t) { t.Command(C::kSolveCell); }, true},
        {"Solve Puzzle", [](AppTest& t) { t.Command(C::kSolvePuzzle); }, true},
        {"Erase Illegal", [](AppTest& t) { t.Command(C::kEraseIllegal); }, true},
        {"Hint", [](AppTest& t) { t.Command(C::kHint); }, true},
        {"Check My Input", [](AppTest& t) { t.Command(C::kCheckMyInput); }, true},
        {"Easy", [](AppTest& t) { t.Command(C::kEasy); }, false},
        {"Load",
         [](AppTest& t) {
             ASSERT_TRUE(savefile::Write(t.data / "undo.sdk", t.Game()));
             t.shell.QueueFile(t.data / "undo.sdk");
             t.Command(C::kLoad);
         },
         false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        StartPastSplash();
        const std::string fresh = ValuesOf(Game().GetGrid());
        EXPECT_EQ(Command(C::kUndo), CSudokuApp::ECommand::kDisabled);
        // One entry: the palette's 1 into the selected first free cell.
        Game().OnTap(142, 204);
        ASSERT_NE(ValuesOf(Game().GetGrid()), fresh);
        row.command(*this);
        EXPECT_EQ(Frame().ToolbarImage(), 132);
        if (row.undoable) {
            EXPECT_EQ(Command(C::kUndo), CSudokuApp::ECommand::kDone);
            EXPECT_EQ(ValuesOf(Game().GetGrid()), fresh);
        }
        EXPECT_EQ(Command(C::kUndo), CSudokuApp::ECommand::kDisabled);
        End();
        std::filesystem::remove(data / "autosave.sdk");  // each row starts a new game
    }
}

TEST_F(AppTest, RestartKeepsTheCountedMarkLoadAndNewGamesClearIt) {
    StartPastSplash();
    ASSERT_TRUE(savefile::Write(data / "before.sdk", Game()));
    // Solves the board with the last entry by hand, as the player does.
    const auto solveByHand = [&] {
        Command(C::kSolvePuzzle);
        const auto [x, y] = Selection();
        ASSERT_GE(x, 0);
        const int digit = Game().GetCell(x, y).value;
        Game().EraseCell(x, y, false);
        Game().OnTap(142 + (digit - 1) * 21, 204);
    };
    solveByHand();
    EXPECT_EQ(GetLevelStats(Options(), 1).solved, 1);
    Command(C::kRestart);
    solveByHand();
    EXPECT_EQ(GetLevelStats(Options(), 1).solved, 1);
    // A board loaded is another board: counted when completed.
    shell.QueueFile(data / "before.sdk");
    Command(C::kLoad);
    solveByHand();
    EXPECT_EQ(GetLevelStats(Options(), 1).solved, 2);
    EXPECT_EQ(Logged("message MsgSolvedStartNew yesno no"), 3);
    // A new game is counted afresh.
    Command(C::kBeginner);
    solveByHand();
    EXPECT_EQ(GetLevelStats(Options(), 1).solved, 3);
}

// --- Files ---

TEST_F(AppTest, SaveAndLoadKeepTheGameAndTheClockContinues) {
    StartPastSplash();
    Game().OnTap(142, 204);
    Game().SetElapsed(7000);
    const CBoard::Grid saved = Game().GetGrid();
    EXPECT_EQ(Command(C::kSave), CSudokuApp::ECommand::kDone);  // cancelled: nothing written
    shell.QueueFile(data / "mine.sdk");
    Command(C::kSave);
    EXPECT_EQ(std::filesystem::file_size(data / "mine.sdk"), 1811U);
    Command(C::kEasy);
    shell.QueueFile(data / "mine.sdk");
    Command(C::kLoad);
    EXPECT_TRUE(Game().GetGrid() == saved);
    EXPECT_EQ(Options().GetLevel(), level::kBeginner);
    EXPECT_EQ(Game().GetElapsed(), 7000);
    timers.Advance(1000);
    EXPECT_EQ(Game().GetElapsed(), 8000);
    EXPECT_TRUE(shell.Lines().empty());
}

// A failed Load or Save: the FileError box, with the reason and the file below its text, and
// the game in play stays. The commands run as an unprivileged user, for whom the rows' modes
// count (testsupport::AsUnprivileged).
struct SFailedFile {
    const char* name;
    CommandId command;
    // Makes what is chosen in the file dialog; gives its path.
    std::function<std::filesystem::path(const testsupport::TempDir&)> make;
    res::FileReason reason;
};

std::filesystem::path Made(const testsupport::TempDir& dir, const char* name,
                           const std::string& bytes, std::filesystem::perms perms) {
    const std::filesystem::path path = dir.Write(name, bytes);
    std::filesystem::permissions(path, perms);
    return path;
}

std::string RandomBytes(std::size_t count) {
    std::mt19937 random(1811);
    std::string bytes(count, '\0');
    for (char& c : bytes) {
        c = static_cast<char>(random());
    }
    return bytes;
}

constexpr auto kUserRead = std::filesystem::perms::owner_read | std::filesystem::perms::group_read |
                           std::filesystem::perms::others_read;

const SFailedFile kFailedFiles[] = {
    {"SixBytes", C::kLoad,
     [](const auto& dir) { return Made(dir, "six.sdk", "sudoku", kUserRead); },
     res::FileReason::kNotASavedGame},
    {"Random1811Bytes", C::kLoad,
     [](const auto& dir) { return Made(dir, "random.sdk", RandomBytes(1811), kUserRead); },
     res::FileReason::kDamaged},
    {"Unreadable", C::kLoad,
     [](const auto& dir) {
         return Made(dir, "secret.sdk", std::string(1811, '\0'), std::filesystem::perms::none);
     },
     res::FileReason::kDenied},
    {"ReadOnlyFolder", C::kSave,
     [](const auto& dir) {
         std::filesystem::create_directory(dir / "ro");
         std::filesystem::permissions(dir / "ro",
                                      std::filesystem::perms::owner_write |
                                          std::filesystem::perms::group_write |
                                          std::filesystem::perms::others_write,
                                      std::filesystem::perm_options::remove);
         return dir / "ro" / "game.sdk";
     },
     res::FileReason::kFolderReadOnly},
    {"ReadOnlyFile", C::kSave,
     [](const auto& dir) { return Made(dir, "kept.sdk", "kept", kUserRead); },
     res::FileReason::kDenied},
    {"Missing", C::kLoad, [](const auto& dir) { return dir / "missing.sdk"; },
     res::FileReason::kMissing},
    {"FolderLoaded", C::kLoad, [](const auto& dir) { return dir.Path(); },
     res::FileReason::kNotAFile},
    {"FolderSaved", C::kSave, [](const auto& dir) { return dir.Path(); },
     res::FileReason::kNotAFile},
    {"NoSuchFolder", C::kSave, [](const auto& dir) { return dir / "no such folder" / "game.sdk"; },
     res::FileReason::kNoFolder},
};

class FailedFiles : public AppTest, public ::testing::WithParamInterface<SFailedFile> {};

TEST_P(FailedFiles, TheBoxSaysWhyAndTheGameStays) {
    const SFailedFile& row = GetParam();
    StartPastSplash();
    const testsupport::TempDir dir;
    // Open to the unprivileged user, who may go through it but not write it.
    std::filesystem::permissions(dir.Path(), std::filesystem::perms::owner_all | kUserRead |
                                                 std::filesystem::perms::group_exec |
                                                 std::filesystem::perms::others_exec);
    const std::filesystem::path file = row.make(dir);
    for (const int language : {6, 1}) {
        Options().SetLanguage(language);
        const CBoard::Grid grid = Game().GetGrid();
        const int32_t level = Options().GetLevel();
        shell.QueueFile(file);
        ASSERT_TRUE(testsupport::AsUnprivileged([&] { Command(row.command); }));
        EXPECT_EQ(shell.Lines().back(),
                  "message FileError ok ok \"" + std::string(res::FileErrorText(language)) + "\"");
        EXPECT_EQ(shell.Details().back().text,
                  std::string(res::FileReasonText(language, row.reason)) + "\n" + file.string());
        EXPECT_TRUE(shell.Details().back().warning);
        EXPECT_TRUE(Game().GetGrid() == grid);
        EXPECT_EQ(Options().GetLevel(), level);
    }
    EXPECT_EQ(shell.Lines().size(), 2U);
    EXPECT_FALSE(std::filesystem::exists(dir / "ro" / "game.sdk"));
    EXPECT_FALSE(std::filesystem::exists(dir / "no such folder"));
}

INSTANTIATE_TEST_SUITE_P(Files, FailedFiles, ::testing::ValuesIn(kFailedFiles),
                         [](const auto& row) { return std::string(row.param.name); });

// --- Options ---

TEST_F(AppTest, TheSkinAlreadyChosenReloadsNothing) {
    const testsupport::TempDir program;
    for (const char* folder : {"Skin1", "Splash", "splash"}) {
        std::filesystem::copy(std::filesystem::path(SUDOKU_PROGRAM_DIR) / folder, program / folder,
                              std::filesystem::copy_options::recursive);
    }
    Start(kScreen480x272, program.Path());
    timers.Advance(3000);
    std::filesystem::remove_all(program / "Skin1");
    Command(C::kPaper);
    EXPECT_TRUE(shell.Lines().empty());
    EXPECT_EQ(shell.CloseRequests(), 0);
    Command(C::kSand);  // no Skin2 in this program folder
    EXPECT_EQ(Logged("message MsgFilesMissing ok ok"), 1);
    EXPECT_EQ(shell.CloseRequests(), 1);
}

TEST_F(AppTest, TutorialOpensThePageOfTheLanguage) {
    StartPastSplash();
    const std::pair<int, const char*> cases[] = {
        {3, "tutorial tutorial/TutorialG.html"},
        {0, "tutorial tutorial/Tutorial.html"},
        {9, "tutorial tutorial/Tutorial.html"},
    };
    for (const auto& [language, line] : cases) {
        Options().SetLanguage(language);
        Command(C::kTutorial);
        EXPECT_EQ(shell.Lines().back(), line);
    }
}

TEST_F(AppTest, ATutorialPageThatCannotBeOpenedIsNamedInABox) {
    StartPastSplash();
    const std::string page =
        (std::filesystem::path(SUDOKU_PROGRAM_DIR) / "tutorial" / "TutorialF.html").string();
    const std::pair<SPageOpen, res::FileReason> cases[] = {
        {{false, fileio::Problem::kNone}, res::FileReason::kNoBrowser},
        {{false, fileio::Problem::kMissing}, res::FileReason::kMissing},
        {{false, fileio::Problem::kDenied}, res::FileReason::kDenied},
    };
    Options().SetLanguage(1);
    for (const auto& [open, reason] : cases) {
        shell.pageOpen = open;
        Command(C::kTutorial);
        std::string text(res::TutorialErrorText(1));
        text.replace(text.find("%s"), 2, page);
        EXPECT_EQ(shell.Lines().back(), "message TutorialError ok ok \"" + text + "\"");
        EXPECT_EQ(shell.Details().back().text, res::FileReasonText(1, reason));
        EXPECT_TRUE(shell.Details().back().warning);
    }
    EXPECT_EQ(shell.Lines().size(), 6U);  // each page line, then its box
}

TEST_F(AppTest, CheckMyInputAndHint) {
    StartPastSplash();
    int32_t found[2] = {-1, -1};
    app->Doc().SetHintListener([&](int32_t x, int32_t y) {
        found[0] = x;
        found[1] = y;
    });
    Command(C::kHint);
    int32_t x = 0;
    int32_t y = 0;
    bool on = false;
    Game().GetHint(x, y, on);
    EXPECT_TRUE(on);
    EXPECT_EQ(found[0], x);
    EXPECT_EQ(found[1], y);
    Command(C::kCheckMyInput);
    EXPECT_EQ(Logged("message MsgCorrectSoFar info ok"), 1);
    Command(C::kSolvePuzzle);
    EXPECT_EQ(ValuesOf(Game().GetGrid()).find('.'), std::string::npos);
    Command(C::kHint);
    EXPECT_EQ(Logged("message MsgNoSingleLeft ok ok"), 1);
}

// --- Dialogs ---

TEST_F(AppTest, LanguageDialogStoresTheChoiceOnOkOnly) {
    StartPastSplash();
    Options().SetLanguage(0);
    using Kind = ScriptedShell::SDialogAction::Kind;
    shell.QueueDialogAction({Kind::kClick, 1033, 0, {}});
    shell.QueueDialogAction({Kind::kOk, 0, 0, {}});
    Command(C::kLanguage);
    EXPECT_EQ(Options().GetLanguage(), 3);
    EXPECT_EQ(Frame().BarLanguage(), 3);
    EXPECT_EQ(Frame().ToolbarImage(), 132);
    EXPECT_FALSE(Frame().IsLanguageDlgOpen());
    EXPECT_EQ(Logged("dialog 140"), 2);
    EXPECT_EQ(shell.Lines().back(), "dialog 140 end IDOK");
    // Cancel: nothing changes, and the dialog counts as open from then on.
    shell.QueueDialogAction({Kind::kClick, 1031, 0, {}});
    shell.QueueDialogAction({Kind::kCancel, 0, 0, {}});
    Command(C::kLanguage);
    EXPECT_EQ(Options().GetLanguage(), 3);
    EXPECT_EQ(Frame().BarLanguage(), 3);
    EXPECT_TRUE(Frame().IsLanguageDlgOpen());
}

TEST_F(AppTest, LanguageDialogChecksTheCurrentLanguageOrNone) {
    StartPastSplash();
    for (const int current : {0, 6, 9, -1}) {
        CLanguageDlg dialog(current, Frame());
        dialog.OnInitDialog();
        EXPECT_EQ(dialog.CheckedRadio(), current >= 0 && current <= 6 ? current : -1);
        dialog.OnClick(1037);
        dialog.OnClick(1029);
        EXPECT_EQ(dialog.Selected(), current);
        dialog.OnClick(1036);
        EXPECT_EQ(dialog.CheckedRadio(), 6);
    }
}

TEST_F(AppTest, StatisticsDialogShowsAndResetsTheSelectedEntry) {
    StartPastSplash();
    Options().SetLanguage(0);
    RecordSolvedGame(Options(), level::kEasy, 100);
    RecordSolvedGame(Options(), level::kEasy, 101);
    RecordSolvedGame(Options(), level::kBeginner, 3725);
    CStatsDlg dialog(Options(), root->Data());
    EXPECT_EQ(dialog.TemplateId(), 500);
    dialog.OnInitDialog();
    EXPECT_EQ(dialog.Entries(), (std::vector<std::string>{"All", "Beginner", "Easy", "Medium",
                                                          "Hard", "Expert", "Custom"}));
    EXPECT_EQ(dialog.Selected(), 0);
    using Figures = std::array<std::string, 4>;
    EXPECT_EQ(dialog.Figures(), (Figures{"3", "1:05:26", "0:01:40", "0:31:52"}));
    dialog.OnSelect(1005, 2);
    EXPECT_EQ(dialog.Figures(), (Figures{"2", "0:03:21", "0:01:40", "0:01:40"}));
    dialog.OnSelect(1005, 7);
    dialog.OnSelect(1016, 1);
    EXPECT_EQ(dialog.Selected(), 2);
    dialog.OnClick(1002);  // answered no
    EXPECT_EQ(dialog.Figures()[0], "2");
    shell.QueueAnswer(ScriptedShell::Answer::kYes);
    dialog.OnClick(1002);
    EXPECT_EQ(dialog.Figures(), (Figures{"0", "0:00:00", "0:00:00", "0:00:00"}));
    EXPECT_EQ(GetLevelStats(Options(), 1).solved, 1);
    EXPECT_EQ(Logged("message MsgConfirmResetStats yesno"), 2);
    // The template and entries of the language at construction.
    Options().SetLanguage(6);
    CStatsDlg russian(Options(), root->Data());
    russian.OnInitDialog();
    EXPECT_EQ(russian.TemplateId(), 506);
    EXPECT_EQ(russian.Entries().front(), "Все");
    for (const int32_t damaged : {9, -1, 2147483538, INT32_MAX, INT32_MIN}) {
        Options().SetLanguage(damaged);
        EXPECT_EQ(CStatsDlg(Options(), root->Data()).TemplateId(), 500) << damaged;
    }
}

TEST_F(AppTest, AboutBoxInTheLanguageOfTheMoment) {
    StartPastSplash();
    for (const auto& [language, template_] :
         {std::pair{3, 603}, {6, 606}, {9, 600}, {2147483538, 600}, {INT32_MIN, 600}}) {
        Options().SetLanguage(language);
        EXPECT_EQ(Command(C::kAbout), CSudokuApp::ECommand::kDone);
        EXPECT_EQ(shell.Lines().back(), "dialog " + std::to_string(template_) + " end IDCANCEL");
    }
}

}  // namespace
