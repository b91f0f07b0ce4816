// The solver: Solve and its outcomes, hints, Solve Cell, Solve Puzzle and Check My Input.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
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

constexpr const char* kSolution =
    "158723469367954821294816375619238547485697132732145986976381254841572693523469718";

// kSolution with the cells of `holes` (x, y) emptied.
std::string WithHoles(const std::vector<std::pair<int, int>>& holes) {
    std::string s = kSolution;
    for (const auto& [x, y] : holes) {
        s[static_cast<std::size_t>(y * 9 + x)] = '.';
    }
    return s;
}

// Whether two generators stand at the same place (compared on copies).
bool InStep(const CRandom& a, const CRandom& b) {
    CRandom ca = a;
    CRandom cb = b;
    return ca.Next() == cb.Next() && ca.Next() == cb.Next();
}

class SolverTest : public ::testing::Test {
protected:
    void Load(const std::string& text, bool given = true) {
        board.SetGrid(GridFrom(text, given));
        board.UpdateAutoMarks();
    }
    // Gives every empty cell some pencil marks, as a player would.
    void ScribbleMarks() {
        CBoard::Grid g = board.GetGrid();
        for (int x = 0; x < 9; ++x) {
            for (int y = 0; y < 9; ++y) {
                if (g.cells[x][y].value == 0) {
                    g.cells[x][y].marks = static_cast<int16_t>((x * 37 + y * 11) % 512 | 1);
                }
            }
        }
        board.SetGrid(g);
    }
    void Enter(int x, int y, int digit) {
        ASSERT_TRUE(board.SelectCell(x, y, false));
        board.SetNumber(digit);
        ASSERT_TRUE(board.PlaceNumber(false));
    }

    CRandom random{11};
    COptions options;
    CBoard board{random, options};
};

// --- Solve ---

TEST_F(SolverTest, FullBoardIsSolvedAtOnceWithoutDrawingAndAClashIsRefusedUntouched) {
    Load(kSolution);
    const CRandom before = random;
    const CBoard::SolveResult r = board.Solve();
    EXPECT_EQ(r.code, CBoard::kSolved);
    EXPECT_EQ(ValuesOf(board.GetGrid()), kSolution);
    EXPECT_EQ(board.GetGrid().emptyCount, 0);
    EXPECT_TRUE(InStep(before, random));

    // Two 7s in row 0 (a player's entry over the 2 at (4, 0)); stray marks must stay too.
    std::string clash = kSolution;
    clash[4] = '.';
    Load(clash);
    Enter(4, 0, 7);
    ScribbleMarks();
    CBoard::Grid g = board.GetGrid();
    g.cells[6][6].marks = 0x155;
    g.cells[6][6].candCount = 3;
    board.SetGrid(g);
    const CBoard::SolveResult bad = board.Solve();
    EXPECT_EQ(bad.code, CBoard::kBreaksRules);
    EXPECT_EQ(bad.x, 0);
    EXPECT_EQ(bad.y, 0);
    EXPECT_TRUE(board.GetGrid() == g);
    EXPECT_TRUE(InStep(before, random));
}

// How a solve ends, by the kind of board.
struct SOutcome {
    const char* what;
    const char* board;
    int32_t code;
    int x;
    int y;
};

const SOutcome kOutcomes[] = {
    // Row 6 lacks only 9 and column 4 already has one: the pass meets (4, 6) without a
    // candidate.
    {"empty cell without candidate",
     "....9...."
     "........."
     "........."
     "........."
     "........."
     "........."
     "1234.5678"
     "........."
     ".........",
     CBoard::kNoCandidate, 4, 6},
    // (1, 0) is forced to 1, then (0, 3) to 2, which leaves (0, 0) with nothing.
    {"forced digits contradict",
     "..3456789"
     "........."
     "........."
     ".34567891"
     "........."
     "........."
     "........."
     ".2......."
     ".........",
     CBoard::kBreaksRules, 0, 0},
    // Breaks no rule, no forced contradiction, and has no solution: the search gives up.
    {"search exhausted",
     "1...5.2.9..7.......6.......2...........5.1..2....2.39.3.4.9...15...1...3...8...4.",
     CBoard::kNoSolution, 0, 0},
    {"two 5s in a box",
     "5........"
     ".5.......",
     CBoard::kBreaksRules, 0, 0},
    {"two 3s in a column",
     "3........"
     "........."
     "........."
     "........."
     "........."
     "........."
     "........."
     "........."
     "3........",
     CBoard::kBreaksRules, 0, 0},
};

TEST_F(SolverTest, OutcomesOfSolve) {
    for (const SOutcome& o : kOutcomes) {
        Load(o.board);
        const CBoard::SolveResult r = board.Solve();
        EXPECT_EQ(r.code, o.code) << o.what;
        EXPECT_EQ(r.x, o.x) << o.what;
        EXPECT_EQ(r.y, o.y) << o.what;
    }
}

TEST_F(SolverTest, EmptyBoardGivesAValidGridThatDependsOnTheDraws) {
    board.Solve();
    const std::string first = ValuesOf(board.GetGrid());
    EXPECT_TRUE(IsValidSolution(first));
    board.Reset();
    board.Solve();
    const std::string second = ValuesOf(board.GetGrid());
    EXPECT_TRUE(IsValidSolution(second));
    EXPECT_NE(first, second);

    CRandom again{11};
    COptions otherOptions;
    CBoard other{again, otherOptions};
    other.Solve();
    EXPECT_EQ(ValuesOf(other.GetGrid()), first);  // the same seed, the same grid
}

TEST_F(SolverTest, SolvedBoardKeepsNoWorkingFields) {
    // A loaded game may carry pencil marks and stale counts on filled cells too; none of them
    // may be taken for candidates.
    const std::string puzzle = testsupport::ReadPuzzleLines("sudoku_exchange_medium_500.txt")[0];
    const std::string solution =
        testsupport::ReadPuzzleLines("sudoku_exchange_medium_500.solutions.txt")[0];
    Load(puzzle);
    CBoard::Grid g = board.GetGrid();
    for (int x = 0; x < 9; ++x) {
        for (int y = 0; y < 9; ++y) {
            g.cells[x][y].marks = 0x1FF;
            g.cells[x][y].candCount = 1;
        }
    }
    g.emptyCount = -7;
    board.SetGrid(g);
    ASSERT_EQ(board.Solve().code, CBoard::kSolved);
    const CBoard::Grid& s = board.GetGrid();
    EXPECT_EQ(ValuesOf(s), solution);
    for (int x = 0; x < 9; ++x) {
        for (int y = 0; y < 9; ++y) {
            EXPECT_EQ(s.cells[x][y].marks, 0);
            EXPECT_EQ(s.cells[x][y].candCount, 0);
        }
    }
    EXPECT_EQ(s.emptyCount, 0);
}

TEST_F(SolverTest, SolveGivesTheKnownSolutionsOfThePublicSets) {
    for (const char* level : {"easy", "medium", "hard", "diabolical"}) {
        const std::string base = std::string("sudoku_exchange_") + level + "_500";
        const auto puzzles = testsupport::ReadPuzzleLines(base + ".txt");
        const auto solutions = testsupport::ReadPuzzleLines(base + ".solutions.txt");
        ASSERT_EQ(puzzles.size(), 30U) << base;
        ASSERT_EQ(solutions.size(), puzzles.size()) << base;
        for (std::size_t i = 0; i < puzzles.size(); ++i) {
            Load(puzzles[i]);
            ASSERT_EQ(board.Solve().code, CBoard::kSolved) << base << " " << i;
            EXPECT_EQ(ValuesOf(board.GetGrid()), solutions[i]) << base << " " << i;
        }
    }
    // Unique hard puzzles: a valid grid that keeps the givens is the solution.
    for (const char* name : {"forum_hardest_1106.txt", "magictour_top1465.txt", "17_clue.txt"}) {
        for (const std::string& p : testsupport::ReadPuzzleLines(name)) {
            Load(p);
            ASSERT_EQ(board.Solve().code, CBoard::kSolved) << name << " " << p;
            const std::string s = ValuesOf(board.GetGrid());
            EXPECT_TRUE(IsValidSolution(s) && Agrees(p, s)) << name << " " << p;
        }
    }
}

TEST_F(SolverTest, SolveOnCountedCasesAndImproperPuzzles) {
    const auto cases = testsupport::ReadCountedPuzzles();
    ASSERT_EQ(cases.size(), 43U);
    for (const testsupport::SCountedPuzzle& c : cases) {
        Load(c.puzzle);
        const CBoard::SolveResult r = board.Solve();
        const std::string s = ValuesOf(board.GetGrid());
        if (c.count == 0) {
            EXPECT_NE(r.code, CBoard::kSolved) << c.puzzle;
        } else {
            ASSERT_EQ(r.code, CBoard::kSolved) << c.puzzle;
            EXPECT_TRUE(IsValidSolution(s) && Agrees(c.puzzle, s)) << c.puzzle;
            if (c.count == 1) {
                EXPECT_EQ(s, c.solution);
            }
        }
    }
    // Puzzles with several solutions: some valid completion.
    for (const std::string& p : testsupport::ReadPuzzleLines("serg_benchmark.txt")) {
        Load(p);
        ASSERT_EQ(board.Solve().code, CBoard::kSolved) << p;
        const std::string s = ValuesOf(board.GetGrid());
        EXPECT_TRUE(IsValidSolution(s) && Agrees(p, s)) << p;
    }
}

TEST_F(SolverTest, SearchHookIsCalledAndChangesNoResultNorDraw) {
    CRandom plainRandom{3};
    CRandom hookedRandom{3};
    CBoard plain{plainRandom, options};
    CBoard hooked{hookedRandom, options};
    std::vector<std::string> puzzles = testsupport::ReadPuzzleLines("forum_hardest_1106.txt");
    puzzles.resize(40);
    for (const testsupport::SCountedPuzzle& c : testsupport::ReadCountedPuzzles()) {
        puzzles.push_back(c.puzzle);
    }
    int calls = 0;
    for (const std::string& p : puzzles) {
        for (CBoard* b : {&plain, &hooked}) {
            b->SetGrid(GridFrom(p, true));
            b->UpdateAutoMarks();
        }
        const CBoard::SolveResult r = plain.Solve();
        CBoard::SetSearchHook({[](void* n) { ++*static_cast<int*>(n); }, &calls});
        const CBoard::SolveResult h = hooked.Solve();
        CBoard::SetSearchHook({});
        EXPECT_EQ(std::tie(r.code, r.x, r.y), std::tie(h.code, h.x, h.y)) << p;
        EXPECT_TRUE(plain.GetGrid() == hooked.GetGrid()) << p;
        EXPECT_TRUE(InStep(plainRandom, hookedRandom)) << p;
    }
    EXPECT_GT(calls, 0);
}

// --- Hints ---

struct SHintCase {
    const char* what;
    std::vector<std::pair<int, int>> holes;
    std::pair<int, int> hint;
};

TEST_F(SolverTest, HintPicksTheMiddleNakedSingleInColumnOrder) {
    // Holes in a complete grid that share no row, column or box: each is a naked single.
    const SHintCase cases[] = {
        {"one", {{4, 4}}, {4, 4}},
        {"two: the later middle one", {{7, 1}, {1, 6}}, {7, 1}},
        {"three: the second", {{8, 0}, {2, 3}, {5, 7}}, {5, 7}},
        {"four: the third", {{5, 1}, {2, 7}, {8, 3}, {0, 0}}, {5, 1}},
    };
    for (const SHintCase& c : cases) {
        Load(WithHoles(c.holes));
        const CBoard::Grid before = board.GetGrid();
        int32_t x = -1;
        int32_t y = -1;
        ASSERT_TRUE(board.FindHint(x, y)) << c.what;
        EXPECT_EQ(std::make_pair(int{x}, int{y}), c.hint) << c.what;
        EXPECT_EQ(board.CellList().size(), c.holes.size()) << c.what;
        EXPECT_TRUE(board.GetGrid() == before) << c.what;  // the board is not changed
    }
}

TEST_F(SolverTest, HintListsHiddenSinglesColumnsThenRowsThenBoxes) {
    // Only the 1s and 2s of kSolution, less the 1 at (2, 7) and the 2 at (7, 1): every empty
    // cell has seven or more candidates, and each of these two cells is the only place for
    // its digit in its column, its row and its box.
    Load("1...2............12...1.....1.2...........1.2..21..........12.......2....2.....1.");
    const CBoard::Grid before = board.GetGrid();
    int32_t x = -1;
    int32_t y = -1;
    ASSERT_TRUE(board.FindHint(x, y));
    const std::vector<std::pair<int, int>> expected = {
        {2, 7}, {7, 1},  // columns 2 and 7
        {7, 1}, {2, 7},  // rows 1 and 7
        {2, 7}, {7, 1},  // the box of (2, 7) comes before the box of (7, 1)
    };
    std::vector<std::pair<int, int>> listed;
    for (const CBoard::CellPos& p : board.CellList()) {
        listed.emplace_back(p.x, p.y);
    }
    EXPECT_EQ(listed, expected);
    EXPECT_EQ(x, 2);  // entry 6 / 2
    EXPECT_EQ(y, 7);
    EXPECT_TRUE(board.GetGrid() == before);

    const CBoard::SolveResult r = board.HiddenSingles(true);
    EXPECT_EQ(r.code, CBoard::kSolved);
    EXPECT_EQ(r.x, 7);  // the last found
    EXPECT_EQ(r.y, 1);
}

TEST_F(SolverTest, NoHintOnAnEmptyOrFullBoard) {
    board.UpdateAutoMarks();
    int32_t x = -1;
    int32_t y = -1;
    EXPECT_FALSE(board.FindHint(x, y));
    EXPECT_EQ(board.HiddenSingles(true).code, CBoard::kNoSolution);
    Load(kSolution);
    EXPECT_FALSE(board.FindHint(x, y));
    EXPECT_EQ(x, -1);
}

TEST_F(SolverTest, HiddenSinglesListingStopsAtEightyOneEntries) {
    // One empty cell in every row, column and box, all else 1s: 216 finds, 81 listed.
    std::string ones(81, '1');
    for (int k = 0; k < 9; ++k) {
        ones[static_cast<std::size_t>(k * 9 + 3 * (k % 3) + k / 3)] = '.';
    }
    Load(ones);
    const CBoard::SolveResult r = board.HiddenSingles(true);
    EXPECT_EQ(r.code, CBoard::kSolved);
    EXPECT_EQ(board.CellList().size(), 81U);
    EXPECT_EQ(r.x, 8);  // the last box's empty cell, found last
    EXPECT_EQ(r.y, 8);
}

// --- Solve Cell, Solve Puzzle, Check My Input ---

TEST_F(SolverTest, SolveCellFillsTheSelectedCellOnlyAndIsNotRecorded) {
    const std::string puzzle = testsupport::ReadPuzzleLines("sudoku_exchange_hard_500.txt")[0];
    const std::string solution =
        testsupport::ReadPuzzleLines("sudoku_exchange_hard_500.solutions.txt")[0];
    Load(puzzle);
    Enter(0, 0, solution[0] - '0');
    ScribbleMarks();
    const CBoard::Grid before = board.GetGrid();
    ASSERT_EQ(puzzle[2 * 9 + 4], '.');
    ASSERT_TRUE(board.SelectCell(4, 2, false));
    ASSERT_TRUE(board.SolveCell());
    CBoard::Grid expected = before;
    expected.cells[4][2].value = static_cast<uint8_t>(solution[2 * 9 + 4] - '0');
    const CBoard::Grid after = board.GetGrid();
    EXPECT_EQ(ValuesOf(after), ValuesOf(expected));
    for (int x = 0; x < 9; ++x) {
        for (int y = 0; y < 9; ++y) {
            EXPECT_EQ(after.cells[x][y].marks, before.cells[x][y].marks);  // marks survive
        }
    }
    EXPECT_EQ(board.HistorySize(), 1U);  // only the entry
    EXPECT_EQ(board.ActionCount(), 2U);

    // On a given: true, and nothing changes.
    ASSERT_TRUE(board.SelectCell(1, 0, true));
    ASSERT_TRUE(CBoard::IsGiven(board.GetCell(1, 0)));
    const CBoard::Grid onGiven = board.GetGrid();
    EXPECT_TRUE(board.SolveCell());
    EXPECT_TRUE(board.GetGrid() == onGiven);

    // With no cell selected: true, and nothing changes.
    ASSERT_TRUE(board.SelectCell(-1, -1, false));
    EXPECT_TRUE(board.SolveCell());
    EXPECT_TRUE(board.GetGrid() == onGiven);
}

TEST_F(SolverTest, SolveCommandsRefuseAnUnsolvableBoardAndChangeNothing) {
    const std::string puzzle = testsupport::ReadPuzzleLines("sudoku_exchange_easy_500.txt")[0];
    const std::string solution =
        testsupport::ReadPuzzleLines("sudoku_exchange_easy_500.solutions.txt")[0];
    Load(puzzle);
    // A legal entry that is not the solution's digit: the board breaks no rule but cannot be
    // completed.
    int wrongX = -1;
    int wrongY = -1;
    for (int i = 0; i < 81 && wrongX < 0; ++i) {
        if (puzzle[static_cast<std::size_t>(i)] != '.') {
            continue;
        }
        const uint16_t legal = board.LegalMask(i % 9, i / 9);
        for (int d = 1; d <= 9; ++d) {
            if (d != solution[static_cast<std::size_t>(i)] - '0' && (legal & (1U << (d - 1)))) {
                Enter(i % 9, i / 9, d);
                wrongX = i % 9;
                wrongY = i / 9;
                break;
            }
        }
    }
    ASSERT_GE(wrongX, 0);
    ScribbleMarks();
    ASSERT_TRUE(board.SelectCell(wrongX, wrongY, false));
    const CBoard::Grid before = board.GetGrid();
    EXPECT_FALSE(board.SolveCell());
    EXPECT_TRUE(board.GetGrid() == before);
    EXPECT_FALSE(board.SolvePuzzle());
    EXPECT_TRUE(board.GetGrid() == before);
    EXPECT_FALSE(board.CheckInput());
    EXPECT_TRUE(board.GetGrid() == before);
    EXPECT_EQ(board.HistorySize(), 1U);
    EXPECT_EQ(board.ActionCount(), 2U);
}

TEST_F(SolverTest, SolveCellInNumberSelectTakesTheMiddleEmptyCell) {
    options.SetInputMode(kNumberSelect);
    Load(WithHoles({{6, 2}, {1, 5}, {3, 8}}));
    ASSERT_TRUE(board.SelectCell(-1, -1, false));
    ASSERT_TRUE(board.SolveCell());
    EXPECT_EQ(ValuesOf(board.GetGrid()), WithHoles({{1, 5}, {6, 2}}));  // (3, 8) is filled
    int32_t x = 0;
    int32_t y = 0;
    board.GetSelection(x, y);
    EXPECT_EQ(x, -1);  // the selection is not moved
    EXPECT_EQ(y, -1);
}

TEST_F(SolverTest, SolvePuzzleCopiesValuesOnly) {
    const std::string puzzle = testsupport::ReadPuzzleLines("sudoku_exchange_medium_500.txt")[3];
    const std::string solution =
        testsupport::ReadPuzzleLines("sudoku_exchange_medium_500.solutions.txt")[3];
    Load(puzzle);
    ScribbleMarks();
    const CBoard::Grid before = board.GetGrid();
    ASSERT_TRUE(board.SolvePuzzle());
    const CBoard::Grid& after = board.GetGrid();
    EXPECT_EQ(ValuesOf(after), solution);
    for (int x = 0; x < 9; ++x) {
        for (int y = 0; y < 9; ++y) {
            const CBoard::Cell& a = after.cells[x][y];
            const CBoard::Cell& b = before.cells[x][y];
            EXPECT_EQ(a.given, b.given);
            EXPECT_EQ(a.marks, b.marks);
            EXPECT_EQ(a.autoMarks, b.autoMarks);  // no cell is left empty to recompute
            EXPECT_EQ(a.candCount, 0);
        }
    }
    EXPECT_FALSE(board.CanUndo());
}

TEST_F(SolverTest, CheckInputLeavesSelectionNumberHistoriesAndMarks) {
    const std::string puzzle =
        testsupport::ReadPuzzleLines("sudoku_exchange_diabolical_500.txt")[1];
    const std::string solution =
        testsupport::ReadPuzzleLines("sudoku_exchange_diabolical_500.solutions.txt")[1];
    Load(puzzle);
    const int first = static_cast<int>(puzzle.find('.'));
    Enter(first % 9, first / 9, solution[static_cast<std::size_t>(first)] - '0');
    ScribbleMarks();
    ASSERT_TRUE(board.SelectCell(8, 8, true));
    board.SetNumber(6);
    const CBoard::Grid before = board.GetGrid();
    EXPECT_TRUE(board.CheckInput());
    EXPECT_TRUE(board.GetGrid() == before);
    int32_t x = 0;
    int32_t y = 0;
    board.GetSelection(x, y);
    EXPECT_EQ(x, 8);
    EXPECT_EQ(y, 8);
    EXPECT_EQ(board.GetNumber(), 6);
    EXPECT_EQ(board.HistorySize(), 1U);
    EXPECT_EQ(board.ActionCount(), 2U);

    // A full board: true exactly when no digit stands twice in a group.
    Load(solution);
    EXPECT_TRUE(board.CheckInput());
    std::string swapped = solution;
    std::swap(swapped[0], swapped[1]);
    Load(swapped);
    EXPECT_FALSE(board.CheckInput());
}

}  // namespace
