// Undo: whole-board snapshots and the selection state recorded with each action.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "engine/Board.h"
#include "engine/Options.h"
#include "tests/support/BoardBuilder.h"
#include "tests/support/PuzzleFiles.h"

using testsupport::GridFrom;

namespace {

class HistoryTest : public ::testing::Test {
protected:
    void Enter(int x, int y, int digit, bool pencil = false) {
        ASSERT_TRUE(board.SelectCell(x, y, false));
        board.SetNumber(digit);
        ASSERT_TRUE(board.PlaceNumber(pencil));
    }
    void ExpectSelection(int x, int y, int number) {
        int32_t sx = 0;
        int32_t sy = 0;
        board.GetSelection(sx, sy);
        EXPECT_EQ(sx, x);
        EXPECT_EQ(sy, y);
        EXPECT_EQ(board.GetNumber(), number);
    }
    // A new game as the game starts one: a puzzle, then in Cell Select and Key Select the
    // first free cell in column order is selected and recorded with the number 1.
    void StartNewGame(int32_t inputMode) {
        options.SetInputMode(inputMode);
        board.NewPuzzle(30);
        firstX = -1;
        firstY = -1;
        if (inputMode != kNumberSelect) {
            for (int i = 0; i < 81; ++i) {
                const int x = i / 9;
                const int y = i % 9;
                if (board.GetCell(x, y).value == 0) {
                    ASSERT_TRUE(board.SelectCell(x, y, false));
                    board.PushAction(x, y, 1);
                    firstX = x;
                    firstY = y;
                    return;
                }
            }
        }
    }
    // The first empty cell after the cell `from` (x * 9 + y, -1 for none) in column order.
    std::pair<int, int> NextEmpty(int from) const {
        for (int i = from + 1; i < 81; ++i) {
            if (board.GetCell(i / 9, i % 9).value == 0) {
                return {i / 9, i % 9};
            }
        }
        return {-1, -1};
    }

    CRandom random{3};
    COptions options;
    CBoard board{random, options};
    int firstX = -1;
    int firstY = -1;
};

TEST_F(HistoryTest, UndoRestoresTheBoardAndTheSelectionOfTheActionBefore) {
    Enter(2, 3, 5);
    const CBoard::Grid afterFirst = board.GetGrid();
    Enter(4, 4, 7);
    board.Undo();
    EXPECT_TRUE(board.GetGrid() == afterFirst);
    ExpectSelection(2, 3, 5);
    board.Undo();
    EXPECT_EQ(board.GetCell(2, 3).value, 0);
    ExpectSelection(-1, -1, 1);  // the base record
    EXPECT_FALSE(board.CanUndo());
}

TEST_F(HistoryTest, UndoOfTheFirstEntryOfANewGameByInputMode) {
    struct SCase {
        int32_t mode;
        bool selectsFirstCell;
    };
    for (const SCase c :
         {SCase{kCellSelect, true}, SCase{kKeySelect, true}, SCase{kNumberSelect, false}}) {
        StartNewGame(c.mode);
        const CBoard::Grid puzzle = board.GetGrid();
        const auto [x, y] = NextEmpty(firstX < 0 ? -1 : firstX * 9 + firstY);
        Enter(x, y, 8);
        board.Undo();
        EXPECT_TRUE(board.GetGrid() == puzzle) << "mode " << c.mode;
        if (c.selectsFirstCell) {
            ExpectSelection(firstX, firstY, 1);
        } else {
            ExpectSelection(-1, -1, 1);
        }
        EXPECT_FALSE(board.CanUndo());
    }
}

TEST_F(HistoryTest, ManyActionsThenAsManyUndosRestoreEveryBoard) {
    StartNewGame(kCellSelect);
    std::mt19937 rng(8);
    std::vector<CBoard::Grid> boards;
    std::vector<std::pair<int, int>> selections;
    std::vector<int> numbers;
    while (boards.size() < 60) {
        const int x = static_cast<int>(rng() % 9);
        const int y = static_cast<int>(rng() % 9);
        if (CBoard::IsGiven(board.GetCell(x, y))) {
            continue;
        }
        int32_t sx = 0;
        int32_t sy = 0;
        board.GetSelection(sx, sy);
        boards.push_back(board.GetGrid());
        selections.emplace_back(sx, sy);
        numbers.push_back(board.GetNumber());
        switch (rng() % 4) {
            case 0:
                board.EraseCell(x, y, rng() % 2 == 0);  // recorded even when nothing changes
                break;
            default:
                Enter(x, y, 1 + static_cast<int>(rng() % 9), rng() % 3 == 0);
                break;
        }
    }
    EXPECT_EQ(board.HistorySize(), boards.size());
    while (!boards.empty()) {
        ASSERT_TRUE(board.CanUndo());
        board.Undo();
        EXPECT_TRUE(board.GetGrid() == boards.back()) << boards.size();
        // The selection is the one the undone action was made with, that is the one that
        // stood just before it.
        ExpectSelection(selections.back().first, selections.back().second, numbers.back());
        boards.pop_back();
        selections.pop_back();
        numbers.pop_back();
    }
    EXPECT_FALSE(board.CanUndo());
    const CBoard::Grid start = board.GetGrid();
    board.Undo();  // nothing left: nothing happens
    EXPECT_TRUE(board.GetGrid() == start);
    ExpectSelection(firstX, firstY, 1);
}

TEST_F(HistoryTest, RefusedEditsAreNotRecorded) {
    board.SetGrid(GridFrom("6"));
    board.SetNumber(2);
    EXPECT_FALSE(board.PlaceNumber(false));  // nothing selected
    ASSERT_TRUE(board.SelectCell(0, 0, true));
    EXPECT_FALSE(board.PlaceNumber(false));  // a given
    board.EraseCell(0, 0, false);
    EXPECT_FALSE(board.CanUndo());
    EXPECT_EQ(board.ActionCount(), 1U);
}

TEST_F(HistoryTest, AfterACustomPuzzleIsAcceptedUndoHasNothingToTakeBack) {
    options.SetCustomEntry(true);
    ASSERT_TRUE(board.SelectCell(4, 4, true));
    board.SetNumber(5);
    board.PlaceNumber(false);
    ASSERT_TRUE(board.ValidateCustom());
    // Accepting the puzzle: custom entry ends and both histories are emptied.
    options.SetCustomEntry(false);
    board.ClearHistory();
    board.UpdateAutoMarks();
    const CBoard::Grid accepted = board.GetGrid();
    ASSERT_TRUE(board.SelectCell(0, 0, false));
    board.Undo();
    EXPECT_TRUE(board.GetGrid() == accepted);
    ExpectSelection(0, 0, 5);

    // One entry: Undo takes it back and, with no record left below, keeps the selection.
    Enter(7, 1, 3);
    board.Undo();
    EXPECT_TRUE(board.GetGrid() == accepted);
    ExpectSelection(7, 1, 3);
    EXPECT_FALSE(board.CanUndo());
    EXPECT_EQ(board.ActionCount(), 0U);
}

TEST_F(HistoryTest, CheckMyInputAndTheSolveCommandsBetweenEntries) {
    const std::string puzzle = testsupport::ReadPuzzleLines("sudoku_exchange_easy_500.txt")[2];
    const std::string solution =
        testsupport::ReadPuzzleLines("sudoku_exchange_easy_500.solutions.txt")[2];
    const auto digit = [&](int i) { return solution[static_cast<std::size_t>(i)] - '0'; };
    board.SetGrid(GridFrom(puzzle));
    board.UpdateAutoMarks();
    const int a = static_cast<int>(puzzle.find('.'));
    const int b = static_cast<int>(puzzle.find('.', static_cast<std::size_t>(a) + 1));
    Enter(a % 9, a / 9, digit(a));
    const CBoard::Grid afterFirst = board.GetGrid();
    EXPECT_TRUE(board.CheckInput());
    Enter(b % 9, b / 9, digit(b));
    EXPECT_TRUE(board.CheckInput());
    board.Undo();
    EXPECT_TRUE(board.GetGrid() == afterFirst);
    ExpectSelection(a % 9, a / 9, digit(a));

    // Solve Cell and Solve Puzzle are not recorded: Undo drops them with the entry before.
    Enter(b % 9, b / 9, digit(b));
    const int c = static_cast<int>(puzzle.find('.', static_cast<std::size_t>(b) + 1));
    ASSERT_TRUE(board.SelectCell(c % 9, c / 9, false));
    EXPECT_TRUE(board.SolveCell());
    EXPECT_EQ(board.GetCell(c % 9, c / 9).value, digit(c));
    EXPECT_TRUE(board.SolvePuzzle());
    EXPECT_EQ(testsupport::ValuesOf(board.GetGrid()), solution);
    EXPECT_EQ(board.HistorySize(), 2U);
    board.Undo();
    EXPECT_TRUE(board.GetGrid() == afterFirst);
}

}  // namespace
