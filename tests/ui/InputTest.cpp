// Taps and keys on the game: hit geometry in both layouts, zones, eraser, Limit Numbers, the key
// table, the end of a game, new games and custom puzzles.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "engine/Options.h"
#include "platform/ScriptedShell.h"
#include "tests/support/BoardBuilder.h"
#include "ui/GameRoot.h"

using testsupport::GridFrom;
using testsupport::ValuesOf;

namespace {

constexpr const char* kSolved =
    "534678912672195348198342567859761423426853791713924856961537284287419635345286179";

class InputTest : public ::testing::Test {
protected:
    void SetUp() override { Use(kScreen480x272); }
    void Use(SScreenSize size) {
        root.Screen().SetScreenSize(size);
        game.ApplyLayout();
    }
    std::pair<int, int> Selection() const {
        int32_t x = 0;
        int32_t y = 0;
        game.GetSelection(x, y);
        return {x, y};
    }
    int Value(int x, int y) const { return game.GetCell(x, y).value; }
    int Marks(int x, int y) const { return game.GetCell(x, y).marks; }
    void Key(uint32_t key) {
        game.NoteKeyDown();
        game.OnKey(key);
    }
    // The solved board with the cell (x, y) emptied, as the player's entries around givens.
    void AllButOne(int x, int y) {
        std::string text = kSolved;
        text[static_cast<std::size_t>(y * 9 + x)] = '.';
        game.SetGrid(GridFrom(text, false));
        game.UpdateAutoMarks();
        game.SelectCell(x, y, false);
    }

    ScriptedShell shell;
    CGameRoot root{{"/nonexistent", "/nonexistent", kScreen480x272, 7}, shell};
    COptions& options = root.Options();
    CGame& game = root.Game();
};

// --- Hit geometry ---

enum class Hit { kNone, kCell, kDigit };

struct TapCase {
    SScreenSize screen;
    int mode;
    int x;
    int y;
    Hit hit;
    int a;  // kCell: column; kDigit: digit
    int b;  // kCell: row
};

class TapTest : public InputTest, public ::testing::WithParamInterface<TapCase> {};

// On an empty board with nothing selected and 5 as the current number, a tap on a cell selects
// it (and in Number Select places the 5 there); a tap on the palette makes its digit current.
TEST_P(TapTest, ReachesTheCellOrPaletteDigitThatTheGeometrySays) {
    const TapCase& c = GetParam();
    Use(c.screen);
    options.SetInputMode(c.mode);
    game.SetGrid(CBoard::Grid{});
    game.SelectCell(-1, -1, false);
    game.SetNumber(5);
    game.OnTap(c.x, c.y);
    const auto [sx, sy] = Selection();
    switch (c.hit) {
        case Hit::kNone:
            EXPECT_EQ(Selection(), std::make_pair(-1, -1));
            EXPECT_EQ(game.GetNumber(), 5);
            break;
        case Hit::kCell:
            EXPECT_EQ(sx, c.a);
            EXPECT_EQ(sy, c.b);
            if (c.mode == kNumberSelect) {
                EXPECT_EQ(Value(c.a, c.b), 5);
            } else {
                EXPECT_EQ(game.GetNumber(), 1);
            }
            break;
        case Hit::kDigit:
            EXPECT_EQ(Selection(), std::make_pair(-1, -1));
            EXPECT_EQ(game.GetNumber(), c.a);
            break;
    }
    EXPECT_EQ(ValuesOf(game.GetGrid()).find_first_not_of('.') == std::string::npos,
              !(c.hit == Hit::kCell && c.mode == kNumberSelect));
}

constexpr SScreenSize k480 = kScreen480x272;
constexpr SScreenSize k320 = kScreen320x240;

INSTANTIATE_TEST_SUITE_P(
    BothLayouts, TapTest,
    ::testing::Values(
        // 480 x 272: grid at (142, 12), palette at (142, 204).
        TapCase{k480, kCellSelect, 142, 12, Hit::kCell, 0, 0},
        TapCase{k480, kCellSelect, 330, 200, Hit::kCell, 8, 8},
        TapCase{k480, kCellSelect, 162, 32, Hit::kCell, 0, 0},
        TapCase{k480, kCellSelect, 163, 33, Hit::kCell, 1, 1},
        TapCase{k480, kCellSelect, 141, 12, Hit::kNone, 0, 0},  // truncates to column 0
        TapCase{k480, kCellSelect, 142, 11, Hit::kNone, 0, 0},
        TapCase{k480, kCellSelect, 331, 100, Hit::kNone, 0, 0},  // column 9
        TapCase{k480, kCellSelect, 142, 201, Hit::kNone, 0, 0},  // the gap
        TapCase{k480, kCellSelect, 142, 203, Hit::kNone, 0, 0},
        TapCase{k480, kCellSelect, 142, 204, Hit::kDigit, 1, 0},
        TapCase{k480, kCellSelect, 330, 224, Hit::kDigit, 9, 0},
        TapCase{k480, kCellSelect, 331, 210, Hit::kNone, 0, 0},
        TapCase{k480, kCellSelect, 142, 225, Hit::kNone, 0, 0},
        TapCase{k480, kNumberSelect, 142, 12, Hit::kCell, 0, 0},
        TapCase{k480, kNumberSelect, 200, 199, Hit::kCell, 2, 8},
        TapCase{k480, kNumberSelect, 142, 201, Hit::kDigit, 1, 0},  // the gap takes digit 1
        TapCase{k480, kNumberSelect, 250, 203, Hit::kDigit, 6, 0},
        TapCase{k480, kNumberSelect, 330, 224, Hit::kDigit, 9, 0},
        TapCase{k480, kNumberSelect, 141, 210, Hit::kNone, 0, 0},
        TapCase{k480, kNumberSelect, 142, 225, Hit::kNone, 0, 0},
        TapCase{k480, kKeySelect, 142, 12, Hit::kNone, 0, 0},
        TapCase{k480, kKeySelect, 142, 204, Hit::kNone, 0, 0},
        // 320 x 240: grid at (64, -2), palette at (64, 190).
        TapCase{k320, kCellSelect, 64, -2, Hit::kCell, 0, 0},
        TapCase{k320, kCellSelect, 64, -3, Hit::kNone, 0, 0},
        TapCase{k320, kCellSelect, 252, 186, Hit::kCell, 8, 8},
        TapCase{k320, kCellSelect, 64, 188, Hit::kNone, 0, 0},
        TapCase{k320, kCellSelect, 64, 190, Hit::kDigit, 1, 0},
        TapCase{k320, kCellSelect, 252, 210, Hit::kDigit, 9, 0},
        TapCase{k320, kNumberSelect, 64, 187, Hit::kDigit, 1, 0},
        TapCase{k320, kNumberSelect, 63, 190, Hit::kNone, 0, 0}));

TEST_F(InputTest, ATapOnAGivenSelectsAndPlacesNothing) {
    game.SetGrid(GridFrom("5"));
    game.SelectCell(4, 4, false);
    game.SetNumber(7);
    game.OnTap(142 + 5, 12 + 5);  // Cell Select: the selection stays, the number is 1
    EXPECT_EQ(Selection(), std::make_pair(4, 4));
    EXPECT_EQ(game.GetNumber(), 1);
    options.SetInputMode(kNumberSelect);
    game.SetNumber(4);
    game.OnTap(142 + 5, 12 + 5);
    EXPECT_EQ(ValuesOf(game.GetGrid()), "5" + std::string(80, '.'));
    game.SetPencilMode(true);
    game.OnTap(142 + 21 + 5, 12 + 5);
    EXPECT_EQ(Marks(1, 0), 1 << 3);  // the current number's mark
}

TEST_F(InputTest, ZonesOfACellToggleTheirMarks) {
    options.SetZonePencilmarks(true);
    game.SetPencilMode(true);
    const struct {
        int dx, dy, digit;
    } zones[] = {{0, 0, 1}, {6, 6, 1}, {7, 0, 2}, {20, 0, 3}, {15, 8, 6}, {0, 14, 7}, {20, 20, 9}};
    for (const auto& z : zones) {
        game.SetGrid(CBoard::Grid{});
        game.OnTap(142 + 21 + z.dx, 12 + z.dy);
        EXPECT_EQ(Marks(1, 0), 1 << (z.digit - 1)) << z.dx << "," << z.dy;
        EXPECT_EQ(Value(1, 0), 0);
    }
    // The palette does nothing in this mode, nor does a given.
    game.SetGrid(GridFrom(".5"));
    game.SetNumber(3);
    game.OnTap(142 + 21 + 2, 12 + 2);
    game.OnTap(142, 204);
    EXPECT_EQ(game.GetNumber(), 3);
    EXPECT_EQ(Marks(1, 0), 0);
}

TEST_F(InputTest, EraserErasesEntriesOrMarksAndGivensOnlyDuringCustomEntry) {
    game.SetGrid(GridFrom("5"));
    game.SelectCell(1, 0, false);
    game.SetNumber(3);
    game.PlaceNumber(false);
    game.SetNumber(4);
    game.PlaceNumber(true);
    game.SetEraserMode(true);
    game.OnTap(142, 204);  // the palette: nothing
    game.OnTap(142 + 5, 12 + 5);
    EXPECT_EQ(Value(0, 0), 5);
    game.SetPencilMode(true);
    game.OnTap(142 + 26, 12 + 5);
    EXPECT_EQ(Value(1, 0), 3);
    EXPECT_EQ(Marks(1, 0), 0);
    game.SetPencilMode(false);
    game.OnTap(142 + 26, 12 + 5);
    EXPECT_EQ(Value(1, 0), 0);
    options.SetCustomEntry(true);
    game.OnTap(142 + 5, 12 + 5);
    EXPECT_EQ(Value(0, 0), 0);
}

TEST_F(InputTest, LimitNumbersTakesOnlyLegalDigitsAndOneFiveNineWithoutASelection) {
    options.SetLimitNumbers(true);
    game.SetGrid(GridFrom("......7"));
    game.UpdateAutoMarks();
    game.SelectCell(0, 0, false);
    for (int d = 1; d <= 9; ++d) {
        game.SetGrid(GridFrom("......7"));
        game.UpdateAutoMarks();
        game.SetNumber(2);
        game.OnTap(142 + (d - 1) * 21, 204);
        EXPECT_EQ(Value(0, 0), d == 7 ? 0 : d) << d;
    }
    game.SelectCell(-1, -1, false);
    for (int d = 1; d <= 9; ++d) {
        game.SetNumber(2);
        game.OnTap(142 + (d - 1) * 21, 204);
        EXPECT_EQ(game.GetNumber(), d == 1 || d == 5 || d == 9 ? d : 2) << d;
    }
    // During custom entry every digit is taken.
    options.SetCustomEntry(true);
    game.SelectCell(5, 0, false);
    game.OnTap(142 + 6 * 21, 204);
    EXPECT_EQ(Value(5, 0), 7);
}

// --- Keys ---

TEST_F(InputTest, ArrowsWrapAroundAndLeaveNoHalfSelectionOffTheBoard) {
    options.SetInputMode(kKeySelect);
    const struct {
        int x, y;
        uint32_t key;
        int toX, toY;
    } cases[] = {
        {3, 3, CGame::kKeyLeft, 2, 3},    {0, 4, CGame::kKeyLeft, 8, 4},
        {-1, 4, CGame::kKeyLeft, 8, 4},   {8, 4, CGame::kKeyRight, 0, 4},
        {-1, 4, CGame::kKeyRight, 0, 4},  {3, 3, CGame::kKeyRight, 4, 3},
        {4, 0, CGame::kKeyUp, 4, 8},      {4, -1, CGame::kKeyUp, 4, 8},
        {4, 8, CGame::kKeyDown, 4, 0},    {4, -1, CGame::kKeyDown, 4, 0},
        {-1, -1, CGame::kKeyLeft, 8, -1}, {-1, -1, CGame::kKeyDown, -1, 0},
    };
    game.SetGrid(GridFrom(std::string(81, '1')));  // every cell a given: selected with force
    for (const auto& c : cases) {
        ASSERT_TRUE(game.SelectCell(c.x, c.y, true));
        Key(c.key);
        EXPECT_EQ(Selection(), std::make_pair(c.toX, c.toY))
            << "from " << c.x << "," << c.y << " key " << c.key;
    }
}

TEST_F(InputTest, DigitsZeroAndStarInKeySelect) {
    options.SetInputMode(kKeySelect);
    game.SetGrid(GridFrom("5"));
    game.SelectCell(1, 0, true);
    Key(CGame::kKey0 + 3);
    EXPECT_EQ(Value(1, 0), 3);
    EXPECT_EQ(game.GetNumber(), 3);
    Key(CGame::kKeyStar);
    EXPECT_TRUE(game.GetPencilMode());
    Key(CGame::kKey0 + 8);
    EXPECT_EQ(Marks(1, 0), 1 << 7);
    Key(CGame::kKey0);  // in pencil mode 0 clears the marks and keeps the value
    EXPECT_EQ(Marks(1, 0), 0);
    EXPECT_EQ(Value(1, 0), 3);
    Key(CGame::kKeyStar);
    Key(CGame::kKey0);
    EXPECT_EQ(Value(1, 0), 0);
    game.SelectCell(0, 0, true);
    Key(CGame::kKey0);  // a given stays
    EXPECT_EQ(Value(0, 0), 5);
    // The star key during custom entry offers the givens for acceptance.
    options.SetCustomEntry(true);
    Key(CGame::kKeyStar);
    EXPECT_FALSE(options.GetCustomEntry());
    EXPECT_EQ(shell.Lines().back().rfind("message MsgCustomValid info ok", 0), 0U);
}

TEST_F(InputTest, KeyUpWithoutKeyDownDoesNothingAndEnterKeepsTheHint) {
    options.SetInputMode(kKeySelect);
    game.SelectCell(4, 4, true);
    game.SetHint(2, 2);
    game.OnKey(CGame::kKeyLeft);
    EXPECT_EQ(Selection(), std::make_pair(4, 4));
    Key(CGame::kKeyEnter);
    int32_t hx = 0;
    int32_t hy = 0;
    bool on = false;
    game.GetHint(hx, hy, on);
    EXPECT_TRUE(on);
    Key(CGame::kKeyLeft);
    game.GetHint(hx, hy, on);
    EXPECT_FALSE(on);
    // Outside Key Select keys clear the hint and change nothing else.
    options.SetInputMode(kCellSelect);
    Key(CGame::kKey0 + 1);
    EXPECT_EQ(Value(3, 4), 0);
}

// --- The end of a game ---

TEST_F(InputTest, ASolvedBoardIsCountedOnceWithItsTimeAndOffersANewGame) {
    options.SetLevel(level::kEasy);
    AllButOne(4, 4);
    game.SetElapsed(59000);
    game.SetNumber(5);
    game.EnterNumber();  // answered no
    EXPECT_EQ(options.LevelStats()[1].solved, 1);
    EXPECT_EQ(options.LevelStats()[1].totalTime, 60);
    EXPECT_EQ(shell.Lines().back().rfind("message MsgSolvedStartNew yesno no", 0), 0U);
    EXPECT_EQ(Value(4, 4), 5);
    // Completed again: asked again, not counted again.
    game.EraseCell(4, 4, false);
    game.EnterNumber();
    EXPECT_EQ(options.LevelStats()[1].solved, 1);
    EXPECT_EQ(shell.Lines().size(), 2U);
    // Yes starts a new game at the same level; the new game is counted afresh.
    shell.QueueAnswer(ScriptedShell::Answer::kYes);
    game.EraseCell(4, 4, false);
    game.EnterNumber();
    EXPECT_EQ(ValuesOf(game.GetGrid()).find('.') != std::string::npos, true);
    AllButOne(4, 4);
    game.SetNumber(5);
    game.EnterNumber();
    EXPECT_EQ(options.LevelStats()[1].solved, 2);
}

TEST_F(InputTest, AWrongFullBoardIsNotCounted) {
    AllButOne(4, 4);
    game.SetNumber(6);
    game.EnterNumber();
    ASSERT_EQ(shell.Lines().size(), 1U);
    EXPECT_EQ(shell.Lines()[0].rfind("message MsgInvalidSolution ok ok", 0), 0U);
    EXPECT_EQ(options.LevelStats()[0].solved, 0);
}

// --- New games and custom puzzles ---

TEST_F(InputTest, NewGameSelectsByInputModeAndResetsTheModes) {
    const struct {
        int mode;
        std::pair<int, int> selection;
        bool onGiven;
    } cases[] = {{kCellSelect, {-2, -2}, false},
                 {kNumberSelect, {-1, -1}, false},
                 {kKeySelect, {0, 0}, true}};
    for (const auto& c : cases) {
        options.SetInputMode(c.mode);
        game.SetPencilMode(true);
        game.SetEraserMode(true);
        game.StartNewGame(false);
        EXPECT_FALSE(game.GetPencilMode());
        EXPECT_FALSE(game.GetEraserMode());
        EXPECT_EQ(game.GetNumber(), 1);
        EXPECT_FALSE(game.CanUndo());
        const auto [x, y] = Selection();
        if (c.mode == kCellSelect) {
            // The first cell that is not a given, column by column.
            ASSERT_GE(x, 0);
            EXPECT_FALSE(CBoard::IsGiven(game.GetCell(x, y)));
            for (int i = 0; i < x * 9 + y; ++i) {
                EXPECT_TRUE(CBoard::IsGiven(game.GetCell(i / 9, i % 9))) << i;
            }
        } else {
            EXPECT_EQ(Selection(), c.selection);
        }
    }
    // The first start keeps the modes.
    game.SetPencilMode(true);
    game.StartNewGame(true);
    EXPECT_TRUE(game.GetPencilMode());
}

TEST_F(InputTest, ANewGameOfALevelOutsideTheSixCodesIsABeginnerGame) {
    const struct {
        int32_t level;
        int32_t made;  // the level of the new game
        std::size_t empty;
    } cases[] = {{30, 30, 30}, {40, 40, 40}, {44, 44, 44},   {50, 50, 50},
                 {65, 65, 65}, {6, 6, 81},   {1000, 30, 30}, {0, 30, 30},
                 {-5, 30, 30}, {31, 30, 30}, {81, 30, 30},   {INT32_MIN, 30, 30}};
    for (const auto& c : cases) {
        options.SetCustomEntry(false);
        options.SetLevel(c.level);
        game.StartNewGame(false);
        EXPECT_EQ(options.GetLevel(), c.made) << c.level;
        EXPECT_EQ(options.GetCustomEntry(), c.made == level::kCustom) << c.level;
        const std::string values = ValuesOf(game.GetGrid());
        EXPECT_EQ(static_cast<std::size_t>(std::ranges::count(values, '.')), c.empty) << c.level;
    }
}

TEST_F(InputTest, NoFreeCellSelectsNothing) {
    // 81 givens accepted as a custom puzzle.
    options.SetCustomEntry(true);
    game.SetGrid(GridFrom(kSolved));
    game.AcceptCustomPuzzle();
    EXPECT_FALSE(options.GetCustomEntry());
    EXPECT_EQ(Selection(), std::make_pair(-1, -1));
    options.SetLimitNumbers(true);
    game.OnTap(142 + 8 * 21, 204);
    EXPECT_EQ(game.GetNumber(), 9);
}

TEST_F(InputTest, CustomEntryStartsEmptyAndAcceptsOnlyASolvablePuzzle) {
    options.SetLevel(level::kCustom);
    game.StartNewGame(false);
    EXPECT_TRUE(options.GetCustomEntry());
    EXPECT_EQ(ValuesOf(game.GetGrid()), std::string(81, '.'));
    EXPECT_EQ(Selection(), std::make_pair(0, 0));
    game.AcceptCustomPuzzle();  // no digit at all
    EXPECT_TRUE(options.GetCustomEntry());
    EXPECT_EQ(shell.Lines().back().rfind("message MsgCustomInvalid ok", 0), 0U);
    game.SetGrid(GridFrom("55"));
    game.AcceptCustomPuzzle();
    EXPECT_TRUE(options.GetCustomEntry());
    game.SetGrid(GridFrom(std::string(kSolved).substr(0, 40)));
    game.SelectCell(8, 8, false);
    game.SetNumber(9);
    game.PlaceNumber(false);
    ASSERT_TRUE(game.CanUndo());
    game.AcceptCustomPuzzle();
    EXPECT_FALSE(options.GetCustomEntry());
    EXPECT_FALSE(game.CanUndo());
    EXPECT_EQ(Selection(), std::make_pair(0, 5));  // column 0 is given down to row 4
    EXPECT_EQ(shell.Lines().back().rfind("message MsgCustomValid info ok", 0), 0U);
    EXPECT_EQ(options.GetLevel(), level::kCustom);
}

}  // namespace
