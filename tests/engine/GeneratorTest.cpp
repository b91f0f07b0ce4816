// New puzzles by level, the digging of holes and the acceptance of custom puzzles.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/Board.h"
#include "engine/Options.h"
#include "tests/support/BoardBuilder.h"
#include "tests/support/PuzzleFiles.h"

using testsupport::Agrees;
using testsupport::GridFrom;
using testsupport::IsValidSolution;
using testsupport::ValuesOf;

namespace {

// The number of solutions of an 81-character board, counted up to `limit`; a plain
// backtracking count that shares nothing with the engine.
int CountSolutions(std::string& s, int limit) {
    const std::size_t at = s.find('.');
    if (at == std::string::npos) {
        return 1;
    }
    const int x = static_cast<int>(at % 9);
    const int y = static_cast<int>(at / 9);
    int found = 0;
    for (char d = '1'; d <= '9' && found < limit; ++d) {
        bool free = true;
        for (int i = 0; i < 9 && free; ++i) {
            const int bx = x - x % 3 + i % 3;
            const int by = y - y % 3 + i / 3;
            free = s[static_cast<std::size_t>(y * 9 + i)] != d &&
                   s[static_cast<std::size_t>(i * 9 + x)] != d &&
                   s[static_cast<std::size_t>(by * 9 + bx)] != d;
        }
        if (free) {
            s[at] = d;
            found += CountSolutions(s, limit - found);
            s[at] = '.';
        }
    }
    return found;
}

int FilledCells(const CBoard::Grid& g) {
    int n = 0;
    for (const auto& column : g.cells) {
        for (const CBoard::Cell& c : column) {
            n += c.value != 0 ? 1 : 0;
        }
    }
    return n;
}

class GeneratorTest : public ::testing::Test {
protected:
    CRandom random{1};
    COptions options;
    CBoard board{random, options};
};

struct SLevel {
    int32_t holes;
    int givens;
};

constexpr SLevel kLevels[] = {{30, 51}, {40, 41}, {44, 37}, {50, 31}, {65, 16}};

TEST_F(GeneratorTest, EveryLevelGivesItsGivensOnAFreshBoard) {
    CRandom solverRandom{5};
    COptions solverOptions;
    CBoard solver{solverRandom, solverOptions};
    for (const SLevel& level : kLevels) {
        int accepted = 0;
        const int seeds = 20;
        for (int seed = 1; seed <= seeds; ++seed) {
            const std::string what =
                "level " + std::to_string(level.holes) + " seed " + std::to_string(seed);
            random.Seed(static_cast<uint64_t>(seed));
            // What a game in play leaves behind must be gone afterwards.
            ASSERT_TRUE(board.SelectCell(3, 3, true));
            board.SetNumber(7);
            board.PlaceNumber(false);
            board.PlaceNumber(true);
            board.SetHint(2, 2);
            board.SetElapsed(5000);
            options.SetReservedFlag(1);

            ASSERT_TRUE(board.NewPuzzle(level.holes)) << what;
            const CBoard::Grid& g = board.GetGrid();
            EXPECT_EQ(FilledCells(g), level.givens) << what;
            EXPECT_EQ(g.emptyCount, level.holes) << what;
            EXPECT_TRUE(board.IsConsistent()) << what;
            for (int x = 0; x < 9; ++x) {
                for (int y = 0; y < 9; ++y) {
                    const CBoard::Cell& c = g.cells[x][y];
                    ASSERT_EQ(CBoard::IsGiven(c), c.value != 0) << what;
                    ASSERT_EQ(c.given, c.value != 0 ? 1 : 0) << what;
                    ASSERT_EQ(c.marks, 0) << what;
                    ASSERT_EQ(c.candCount, 0) << what;
                    if (c.value == 0) {
                        ASSERT_EQ(c.autoMarks, board.LegalMask(x, y)) << what;
                    }
                }
            }
            int32_t sx = 0;
            int32_t sy = 0;
            board.GetSelection(sx, sy);
            EXPECT_EQ(sx, -1);
            EXPECT_EQ(sy, -1);
            EXPECT_EQ(board.GetNumber(), 1);
            EXPECT_EQ(board.GetElapsed(), 0);
            bool hintOn = true;
            board.GetHint(sx, sy, hintOn);
            EXPECT_FALSE(hintOn);
            EXPECT_EQ(board.HistorySize(), 0U);
            EXPECT_EQ(board.ActionCount(), 1U);  // the base record
            EXPECT_EQ(options.GetReservedFlag(), 0);

            // Solvable; and one that hidden singles alone fill is the one solution.
            const std::string puzzle = ValuesOf(g);
            solver.SetGrid(GridFrom(puzzle));
            ASSERT_EQ(solver.Solve().code, CBoard::kSolved) << what;
            const std::string solved = ValuesOf(solver.GetGrid());
            EXPECT_TRUE(IsValidSolution(solved) && Agrees(puzzle, solved)) << what;
            solver.SetGrid(g);
            if (solver.HiddenSingles(false).code == CBoard::kSolved) {
                ++accepted;
                EXPECT_EQ(ValuesOf(solver.GetGrid()), solved) << what;
                std::string count = puzzle;
                EXPECT_EQ(CountSolutions(count, 2), 1) << what;
            }
        }
        if (level.holes == 30) {
            EXPECT_GE(accepted, seeds - 1);  // ten tries nearly always find one at this level
        }
        if (level.holes == 65) {
            EXPECT_EQ(accepted, 0);  // sixteen givens never fix a single solution
        }
    }
}

TEST_F(GeneratorTest, TheSeedDecidesThePuzzle) {
    random.Seed(42);
    board.NewPuzzle(44);
    const CBoard::Grid first = board.GetGrid();
    random.Seed(42);
    board.NewPuzzle(44);
    EXPECT_TRUE(board.GetGrid() == first);
    random.Seed(43);
    board.NewPuzzle(44);
    EXPECT_FALSE(board.GetGrid() == first);
}

TEST_F(GeneratorTest, HoleCountsAtTheEndsOfTheRange) {
    board.NewPuzzle(0);
    EXPECT_EQ(FilledCells(board.GetGrid()), 81);
    EXPECT_TRUE(IsValidSolution(ValuesOf(board.GetGrid())));
    EXPECT_EQ(board.GetGrid().emptyCount, 0);
    board.NewPuzzle(81);
    EXPECT_TRUE(board.GetGrid() == [] {
        CBoard::Grid empty{};
        for (auto& column : empty.cells) {
            for (CBoard::Cell& c : column) {
                c.autoMarks = CBoard::kAllDigits;
            }
        }
        empty.emptyCount = 81;
        return empty;
    }());
}

TEST_F(GeneratorTest, DigHolesDrawsOncePerHoleAndCountsThem) {
    const std::string solution =
        testsupport::ReadPuzzleLines("sudoku_exchange_easy_500.solutions.txt")[0];
    board.SetGrid(GridFrom(solution));
    CRandom expected = random;
    const int first = expected.Next() % 81;
    for (int i = 1; i < 25; ++i) {
        expected.Next();
    }
    board.DigHoles(25);
    EXPECT_EQ(FilledCells(board.GetGrid()), 56);
    EXPECT_EQ(board.GetGrid().emptyCount, 25);
    EXPECT_EQ(board.GetCell(first % 9, first / 9).value, 0);  // index = y * 9 + x
    CRandom a = expected;
    CRandom b = random;
    EXPECT_EQ(a.Next(), b.Next());

    // Enough holes already: nothing is drawn.
    board.DigHoles(25);
    CRandom c = expected;
    CRandom d = random;
    EXPECT_EQ(c.Next(), d.Next());

    // Clearing an empty cell does not count it twice; clearing a filled one counts it.
    board.ClearCellValue(first % 9, first / 9);
    EXPECT_EQ(board.GetGrid().emptyCount, 25);
    int filled = 0;
    while (board.GetCell(filled % 9, filled / 9).value == 0) {
        ++filled;
    }
    board.ClearCellValue(filled % 9, filled / 9);
    EXPECT_EQ(board.GetCell(filled % 9, filled / 9).value, 0);
    EXPECT_EQ(board.GetGrid().emptyCount, 26);
}

// ValidateCustom: the givens typed in, one record each, then a selection that is not
// recorded; the check gives its verdict and leaves the board as typed, with the selection
// of the last record.
struct SCustomCase {
    const char* what;
    std::string board;
    bool accepted;
};

TEST_F(GeneratorTest, CustomPuzzlesAreAcceptedWhenTheyHaveASolution) {
    const std::string column4s = [] {
        std::string s(81, '.');
        s[2 * 9 + 6] = '4';
        s[7 * 9 + 6] = '4';
        return s;
    }();
    const std::vector<SCustomCase> cases = {
        {"a single given", std::string(40, '.') + "7", true},
        {"two equal givens in one column", column4s, false},
        {"no solution",
         "1...5.2.9..7.......6.......2...........5.1..2....2.39.3.4.9...15...1...3...8...4.",
         false},
        {"a proper puzzle", testsupport::ReadPuzzleLines("sudoku_exchange_hard_500.txt")[0], true},
        {"several solutions", testsupport::ReadPuzzleLines("serg_benchmark.txt")[0], true},
    };
    for (const SCustomCase& c : cases) {
        board.Reset();
        options.SetCustomEntry(true);
        int lastX = -1;
        int lastY = -1;
        int lastDigit = 1;
        for (int x = 0; x < 9; ++x) {
            for (int y = 0; y < 9; ++y) {
                const char ch = y * 9 + x < static_cast<int>(c.board.size())
                                    ? c.board[static_cast<std::size_t>(y * 9 + x)]
                                    : '.';
                if (ch >= '1' && ch <= '9') {
                    ASSERT_TRUE(board.SelectCell(x, y, true));
                    board.SetNumber(ch - '0');
                    board.PlaceNumber(false);
                    lastX = x;
                    lastY = y;
                    lastDigit = ch - '0';
                }
            }
        }
        ASSERT_TRUE(board.SelectCell(8, 8, true));
        board.SetNumber(9);
        const CBoard::Grid typed = board.GetGrid();
        const std::size_t history = board.HistorySize();
        const std::size_t actions = board.ActionCount();
        EXPECT_EQ(board.ValidateCustom(), c.accepted) << c.what;
        EXPECT_TRUE(board.GetGrid() == typed) << c.what;
        EXPECT_EQ(board.HistorySize(), history) << c.what;
        EXPECT_EQ(board.ActionCount(), actions) << c.what;
        int32_t x = 0;
        int32_t y = 0;
        board.GetSelection(x, y);
        EXPECT_EQ(x, lastX) << c.what;
        EXPECT_EQ(y, lastY) << c.what;
        EXPECT_EQ(board.GetNumber(), lastDigit) << c.what;
    }

    // Nothing typed in: false at once, nothing recorded, the selection left alone.
    board.Reset();
    ASSERT_TRUE(board.SelectCell(5, 6, true));
    board.SetNumber(3);
    EXPECT_FALSE(board.ValidateCustom());
    int32_t x = 0;
    int32_t y = 0;
    board.GetSelection(x, y);
    EXPECT_EQ(x, 5);
    EXPECT_EQ(y, 6);
    EXPECT_EQ(board.GetNumber(), 3);
    EXPECT_EQ(board.ActionCount(), 1U);
}

}  // namespace
