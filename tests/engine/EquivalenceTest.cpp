// The engine against the literal reference model: the same results, bytes and random numbers.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <string>
#include <vector>

#include "engine/Board.h"
#include "engine/Options.h"
#include "tests/support/PuzzleFiles.h"
#include "tests/support/ReferenceBoard.h"

using reference::GridBytes;
using reference::GridFromText;

namespace {

// Under the sanitizers (an unoptimized build, many times slower) the hard samples are cut
// short: that run looks for memory faults, the normal run for differences.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

// Where two stored grids first differ, in words.
std::string FirstDifference(const GridBytes& engine, const GridBytes& model) {
    static const char* const kFields[11] = {"value",     "given",     "given",     "given",
                                            "given",     "autoMarks", "autoMarks", "candCount",
                                            "candCount", "marks",     "marks"};
    for (std::size_t i = 0; i < engine.size(); ++i) {
        if (engine[i] == model[i]) {
            continue;
        }
        std::string where = i >= 891
                                ? std::string("emptyCount")
                                : "cell (" + std::to_string(i / 99) + ", " +
                                      std::to_string(i % 99 / 11) + ") " + kFields[i % 99 % 11];
        return "byte " + std::to_string(i) + ", " + where + ": engine " +
               std::to_string(engine[i]) + ", model " + std::to_string(model[i]);
    }
    return "none";
}

// The engine and the model side by side, each with its own generator seeded alike.
class CTwin {
public:
    explicit CTwin(uint64_t seed) : m_engineRandom(seed), m_modelRandom(seed) {}

    void Load(const GridBytes& grid) {
        CBoard::Grid g;
        g.Read(grid.data());
        engine.SetGrid(g);
        model.SetGrid(grid);
    }
    void Load(const std::string& text, bool given = true) { Load(GridFromText(text, given)); }

    void SetCustomEntry(bool on) {
        m_engineOptions.SetCustomEntry(on);
        m_modelOptions.SetCustomEntry(on);
    }
    void SetInputMode(int32_t mode) {
        m_engineOptions.SetInputMode(mode);
        m_modelOptions.SetInputMode(mode);
    }

    GridBytes EngineBytes() const {
        GridBytes out{};
        engine.GetGrid().Write(out.data());
        return out;
    }

    // Whole state: grid bytes, selection, number, both histories' sizes, the cell list and
    // the generators' positions (compared on copies, so nothing is drawn).
    ::testing::AssertionResult Same() const {
        const GridBytes e = EngineBytes();
        if (e != model.Grid()) {
            return ::testing::AssertionFailure()
                   << "grids differ at " << FirstDifference(e, model.Grid());
        }
        int32_t x = 0;
        int32_t y = 0;
        engine.GetSelection(x, y);
        if (x != model.SelX() || y != model.SelY() || engine.GetNumber() != model.Number()) {
            return ::testing::AssertionFailure()
                   << "selection/number: engine (" << x << ", " << y << ") " << engine.GetNumber()
                   << ", model (" << model.SelX() << ", " << model.SelY() << ") " << model.Number();
        }
        if (engine.HistorySize() != model.HistorySize() ||
            engine.ActionCount() != model.ActionCount()) {
            return ::testing::AssertionFailure()
                   << "history sizes: engine " << engine.HistorySize() << "/"
                   << engine.ActionCount() << ", model " << model.HistorySize() << "/"
                   << model.ActionCount();
        }
        const auto list = engine.CellList();
        if (list.size() != model.List().size()) {
            return ::testing::AssertionFailure() << "cell lists: engine " << list.size()
                                                 << " entries, model " << model.List().size();
        }
        for (std::size_t i = 0; i < list.size(); ++i) {
            if (list[i].x != model.List()[i].first || list[i].y != model.List()[i].second) {
                return ::testing::AssertionFailure() << "cell list entry " << i << " differs";
            }
        }
        CRandom a = m_engineRandom;
        CRandom b = m_modelRandom;
        for (int i = 0; i < 3; ++i) {
            if (a.Next() != b.Next()) {
                return ::testing::AssertionFailure() << "the generators are out of step";
            }
        }
        return ::testing::AssertionSuccess();
    }

private:
    CRandom m_engineRandom;
    CRandom m_modelRandom;
    COptions m_engineOptions;
    COptions m_modelOptions;

public:
    CBoard engine{m_engineRandom, m_engineOptions};
    reference::CReferenceBoard model{m_modelRandom, m_modelOptions};
};

::testing::AssertionResult SameResult(const CBoard::SolveResult& e, const reference::SResult& m) {
    if (e.code == m.code && e.x == m.x && e.y == m.y) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "engine {" << e.code << ", " << int{e.x} << ", " << int{e.y} << "}, model {" << m.code
           << ", " << int{m.x} << ", " << int{m.y} << "}";
}

// Counts the result codes seen, so that a table of cases can show it reached every outcome.
struct SCodeTally {
    std::array<int, 4> count{};
    void Add(int32_t code) { ++count[static_cast<std::size_t>(code)]; }
};

// Solve, the hint, both hidden-singles modes and the three solve commands on one board, each
// from the same loaded grid; every step compared.
void CompareSolverOperations(const GridBytes& grid, uint64_t seed, const std::string& what,
                             bool commands, SCodeTally* tally = nullptr) {
    CTwin t(seed);
    t.Load(grid);
    const CBoard::SolveResult r = t.engine.Solve();
    ASSERT_TRUE(SameResult(r, t.model.Solve())) << what << ": Solve";
    ASSERT_TRUE(t.Same()) << what << ": after Solve";
    if (tally != nullptr) {
        tally->Add(r.code);
    }

    // The hint reads autoMarks as the grid holds them, refreshed or not.
    t.Load(grid);
    for (int round = 0; round < 2; ++round) {
        int32_t ex = -5;
        int32_t ey = -5;
        int32_t mx = -5;
        int32_t my = -5;
        const bool e = t.engine.FindHint(ex, ey);
        ASSERT_EQ(e, t.model.FindHint(mx, my)) << what << ": FindHint";
        ASSERT_EQ(ex, mx) << what;
        ASSERT_EQ(ey, my) << what;
        ASSERT_TRUE(t.Same()) << what << ": after FindHint";
        t.engine.UpdateAutoMarks();
        t.model.UpdateAutoMarks();
    }
    ASSERT_TRUE(SameResult(t.engine.HiddenSingles(true), t.model.HiddenSingles(true)))
        << what << ": listing hidden singles";
    ASSERT_TRUE(t.Same()) << what << ": after the listing";
    t.Load(grid);
    ASSERT_TRUE(SameResult(t.engine.HiddenSingles(false), t.model.HiddenSingles(false)))
        << what << ": applying hidden singles";
    ASSERT_TRUE(t.Same()) << what << ": after applying hidden singles";

    if (!commands) {
        return;
    }
    // Solve Cell on the selected cell (the middle cell of the board, given or not), then in
    // Number Select, where it picks its own cell; Check My Input; Solve Puzzle.
    t.Load(grid);
    ASSERT_EQ(t.engine.SelectCell(4, 4, true), t.model.SelectCell(4, 4, true));
    ASSERT_EQ(t.engine.SolveCell(), t.model.SolveCell()) << what << ": SolveCell";
    ASSERT_TRUE(t.Same()) << what << ": after SolveCell";
    t.SetInputMode(kNumberSelect);
    ASSERT_EQ(t.engine.SolveCell(), t.model.SolveCell()) << what << ": SolveCell, Number Select";
    ASSERT_TRUE(t.Same()) << what << ": after SolveCell in Number Select";
    t.Load(grid);
    ASSERT_EQ(t.engine.CheckInput(), t.model.CheckInput()) << what << ": CheckInput";
    ASSERT_TRUE(t.Same()) << what << ": after CheckInput";
    ASSERT_EQ(t.engine.SolvePuzzle(), t.model.SolvePuzzle()) << what << ": SolvePuzzle";
    ASSERT_TRUE(t.Same()) << what << ": after SolvePuzzle";
}

// One test per sample file. On the hard sets the search dominates, so the solve commands,
// which wrap the same Solve, run on every sixth puzzle only.
class PublicSample : public ::testing::TestWithParam<std::string> {};

TEST_P(PublicSample, EngineAndModelAgree) {
    const std::string& name = GetParam();
    const std::vector<std::string> lines = testsupport::ReadPuzzleLines(name);
    ASSERT_EQ(lines.size(), 30U) << name;
    const bool hard =
        name.find("exchange") == std::string::npos && name.find("serg") == std::string::npos;
    const std::size_t count = hard && kSanitized ? 8 : lines.size();
    SCodeTally tally;
    for (std::size_t i = 0; i < count; ++i) {
        const bool commands = !hard || i % 6 == 0;
        CompareSolverOperations(GridFromText(lines[i]), 1000 + i,
                                name + " line " + std::to_string(i + 1), commands, &tally);
        if (HasFatalFailure()) {
            return;
        }
    }
    EXPECT_EQ(tally.count[0], static_cast<int>(count));  // every sample has a solution
}

INSTANTIATE_TEST_SUITE_P(Sets, PublicSample, ::testing::ValuesIn(testsupport::PuzzleSetNames()),
                         [](const ::testing::TestParamInfo<std::string>& param) {
                             std::string id = param.param.substr(0, param.param.find('.'));
                             std::erase(id, '_');
                             return id;
                         });

TEST(EquivalenceTest, CountedCasesWithNoneOneOrManySolutions) {
    SCodeTally tally;
    uint64_t seed = 77;
    const auto cases = testsupport::ReadCountedPuzzles();
    ASSERT_EQ(cases.size(), 43U);
    // The exhaustive searches of the cases without a solution are long: the solve commands
    // run on every fourth case.
    int withSolution = 0;
    int without = 0;
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const testsupport::SCountedPuzzle& c = cases[i];
        if (kSanitized && c.count < 2 && i % 4 != 0) {
            continue;
        }
        CompareSolverOperations(GridFromText(c.puzzle), seed++, "counted case " + c.puzzle,
                                i % 4 == 0, &tally);
        ++(c.count > 0 ? withSolution : without);
        if (HasFatalFailure()) {
            return;
        }
    }
    EXPECT_EQ(tally.count[0], withSolution);
    EXPECT_EQ(tally.count[1] + tally.count[2] + tally.count[3], without);
    EXPECT_GT(without, 0);
}

// The solutions of the Sudoku Exchange samples: complete grids to cut boards from.
std::vector<std::string> SampleSolutions() {
    std::vector<std::string> all;
    for (const char* level : {"easy", "medium", "hard", "diabolical"}) {
        const auto lines = testsupport::ReadPuzzleLines(std::string("sudoku_exchange_") + level +
                                                        "_500.solutions.txt");
        all.insert(all.end(), lines.begin(), lines.end());
    }
    return all;
}

// Sets the 16-bit field at `offset` of cell (x, y) of a stored grid.
void Put16(GridBytes& g, int x, int y, int offset, int value) {
    const auto at = static_cast<std::size_t>(x * 99 + y * 11 + offset);
    g[at] = static_cast<uint8_t>(value & 0xFF);
    g[at + 1] = static_cast<uint8_t>((value >> 8) & 0xFF);
}

// A complete grid with `holes` random cells emptied; the rest are givens or, at random,
// player entries. Pencil marks, stale candidates and solver counts are scattered over the
// board (as a loaded game may hold them) and the empty count is stale.
GridBytes CutBoard(const std::string& solution, int holes, std::mt19937& rng) {
    std::string text = solution;
    std::vector<int> cells(81);
    for (int i = 0; i < 81; ++i) {
        cells[static_cast<std::size_t>(i)] = i;
    }
    std::shuffle(cells.begin(), cells.end(), rng);
    for (int i = 0; i < holes; ++i) {
        text[static_cast<std::size_t>(cells[static_cast<std::size_t>(i)])] = '.';
    }
    GridBytes g = GridFromText(text);
    reference::CGridView v(g);
    for (int x = 0; x < 9; ++x) {
        for (int y = 0; y < 9; ++y) {
            if (v.Value(x, y) != 0 && rng() % 3 == 0) {
                v.SetGiven(x, y, 0);
            }
            if (rng() % 4 == 0) {
                Put16(g, x, y, 5, static_cast<int>(rng() % 512));  // autoMarks
                Put16(g, x, y, 7, static_cast<int>(rng() % 10));   // candCount
                Put16(g, x, y, 9, static_cast<int>(rng() % 512));  // marks
            }
        }
    }
    v.SetEmptyCount(static_cast<int32_t>(rng() % 100));
    return g;
}

TEST(EquivalenceTest, RandomPartialBoards) {
    const std::vector<std::string> solutions = SampleSolutions();
    ASSERT_EQ(solutions.size(), 120U);
    std::mt19937 rng(2024);
    SCodeTally tally;
    for (int n = 0; n < 240; ++n) {
        const std::string& solution = solutions[rng() % solutions.size()];
        const int holes = 10 + static_cast<int>(rng() % 50);  // 22 to 71 cells stay filled
        CompareSolverOperations(CutBoard(solution, holes, rng), rng(),
                                "partial board " + std::to_string(n), true, &tally);
        if (HasFatalFailure()) {
            return;
        }
    }
    EXPECT_EQ(tally.count[0], 240);
}

// Cut boards with one to three of their remaining digits changed to another digit that the
// rules allow there: they break no rule but mostly have no solution, and their solves end in
// every way: a cell without a candidate, a contradiction among the forced digits, an
// exhausted search, and now and then a solution.
TEST(EquivalenceTest, BoardsWithoutSolution) {
    const std::vector<std::string> solutions = SampleSolutions();
    std::mt19937 rng(99);
    SCodeTally tally;
    for (int n = 0; n < 300; ++n) {
        const std::string& solution = solutions[rng() % solutions.size()];
        GridBytes g = CutBoard(solution, 30 + static_cast<int>(rng() % 25), rng);
        const int changes = 1 + static_cast<int>(rng() % 3);
        for (int c = 0; c < changes; ++c) {
            CTwin probe(1);
            probe.Load(g);
            const int cell = static_cast<int>(rng() % 81);
            const int x = cell % 9;
            const int y = cell / 9;
            reference::CGridView v(g);
            const uint16_t legal = probe.engine.LegalMask(x, y);
            for (int d = 1; d <= 9; ++d) {
                if (d != v.Value(x, y) && (legal & (1U << (d - 1))) != 0) {
                    v.SetValue(x, y, static_cast<uint8_t>(d));
                    break;
                }
            }
        }
        CompareSolverOperations(g, rng(), "changed board " + std::to_string(n), true, &tally);
        if (HasFatalFailure()) {
            return;
        }
    }
    EXPECT_GT(tally.count[0], 0);
    EXPECT_GT(tally.count[1], 0);
    EXPECT_GT(tally.count[2], 0);
    EXPECT_GT(tally.count[3], 0);
}

// Digits dropped at random, rules or not. Solve refuses them untouched; the hint and the
// hidden-singles listing run on them as they stand, and the listing can overflow.
TEST(EquivalenceTest, BoardsThatBreakRules) {
    std::mt19937 rng(5);
    SCodeTally tally;
    for (int n = 0; n < 200; ++n) {
        std::string text(81, '.');
        const int filled = 5 + static_cast<int>(rng() % 60);
        for (int i = 0; i < filled; ++i) {
            text[rng() % 81] = static_cast<char>('1' + rng() % 9);
        }
        GridBytes g = GridFromText(text, rng() % 2 == 0);
        CompareSolverOperations(g, rng(), "random board " + text, true, &tally);
        if (HasFatalFailure()) {
            return;
        }
    }
    EXPECT_GT(tally.count[1], 150);

    // One empty cell in every row, column and box, every other cell a 1: each empty cell is
    // the only place for the digits 2 to 9 in each of its three groups, 216 finds in all.
    std::string ones(81, '1');
    for (int k = 0; k < 9; ++k) {
        const int x = 3 * (k % 3) + k / 3;
        const int y = k;
        ones[static_cast<std::size_t>(y * 9 + x)] = '.';
    }
    CTwin t(3);
    t.Load(ones);
    ASSERT_TRUE(SameResult(t.engine.HiddenSingles(true), t.model.HiddenSingles(true)));
    EXPECT_EQ(t.engine.CellList().size(), 81U);
    EXPECT_TRUE(t.Same());
    CompareSolverOperations(GridFromText(ones), 4, "overflowing board", true);
}

TEST(EquivalenceTest, GeneratedPuzzlesAtEveryLevel) {
    for (uint64_t seed = 1; seed <= 40; ++seed) {
        for (const int32_t holes : {30, 40, 44, 50, 65}) {
            const std::string what =
                "seed " + std::to_string(seed) + ", holes " + std::to_string(holes);
            CTwin t(seed * 7919 + static_cast<uint64_t>(holes));
            t.engine.SetNumber(4);
            t.model.SetNumber(4);
            ASSERT_EQ(t.engine.NewPuzzle(holes), t.model.NewPuzzle(holes)) << what;
            ASSERT_TRUE(t.Same()) << what;
            if (seed % 4 == 0) {
                CompareSolverOperations(t.model.Grid(), seed, what, true);
                if (HasFatalFailure()) {
                    return;
                }
            }
        }
    }
    // Hole counts at the ends of the range: nothing emptied, everything emptied.
    for (const int32_t holes : {0, 1, 80, 81}) {
        CTwin t(static_cast<uint64_t>(holes) + 11);
        ASSERT_EQ(t.engine.NewPuzzle(holes), t.model.NewPuzzle(holes));
        ASSERT_TRUE(t.Same()) << "holes " << holes;
    }
}

// Random sequences of the player's commands on a generated puzzle and on custom entry,
// compared after every step; at the end both are undone to the start, board by board.
TEST(EquivalenceTest, RandomCommandSequences) {
    for (uint64_t seed = 1; seed <= 24; ++seed) {
        std::mt19937 rng(static_cast<uint32_t>(seed));
        CTwin t(seed);
        const bool custom = seed % 4 == 0;
        t.SetInputMode(static_cast<int32_t>(seed % 3));
        if (custom) {
            t.SetCustomEntry(true);
        } else {
            ASSERT_EQ(t.engine.NewPuzzle(40), t.model.NewPuzzle(40));
            t.engine.PushAction(0, 0, 1);
            t.model.PushAction(0, 0, 1);
        }
        for (int step = 0; step < 150; ++step) {
            const int op = static_cast<int>(rng() % 16);
            const int x = static_cast<int>(rng() % 9);
            const int y = static_cast<int>(rng() % 9);
            const int digit = 1 + static_cast<int>(rng() % 9);
            const bool flag = rng() % 2 == 0;
            switch (op) {
                case 0:
                case 1:
                case 2:
                    ASSERT_EQ(t.engine.SelectCell(x, y, flag), t.model.SelectCell(x, y, flag));
                    t.engine.SetNumber(digit);
                    t.model.SetNumber(digit);
                    ASSERT_EQ(t.engine.PlaceNumber(false), t.model.PlaceNumber(false));
                    break;
                case 3:
                    ASSERT_EQ(t.engine.SelectCell(x, y, flag), t.model.SelectCell(x, y, flag));
                    t.engine.SetNumber(digit);
                    t.model.SetNumber(digit);
                    ASSERT_EQ(t.engine.PlaceNumber(true), t.model.PlaceNumber(true));
                    break;
                case 4:
                    t.engine.EraseCell(x, y, flag);
                    t.model.EraseCell(x, y, flag);
                    break;
                case 5:
                case 6:
                    t.engine.Undo();
                    t.model.Undo();
                    break;
                case 7:
                    ASSERT_EQ(t.engine.SelectCell(-1, -1, false),
                              t.model.SelectCell(-1, -1, false));
                    break;
                case 8: {
                    int32_t ex = -5;
                    int32_t ey = -5;
                    int32_t mx = -5;
                    int32_t my = -5;
                    ASSERT_EQ(t.engine.FindHint(ex, ey), t.model.FindHint(mx, my));
                    ASSERT_EQ(ex, mx);
                    ASSERT_EQ(ey, my);
                    break;
                }
                case 9:
                    ASSERT_EQ(t.engine.SolveCell(), t.model.SolveCell());
                    break;
                case 10:
                    ASSERT_EQ(t.engine.CheckInput(), t.model.CheckInput());
                    break;
                case 11:
                    if (rng() % 4 == 0) {
                        ASSERT_EQ(t.engine.SolvePuzzle(), t.model.SolvePuzzle());
                    }
                    break;
                case 12:
                    t.engine.EraseIllegal();
                    t.model.EraseIllegal();
                    break;
                case 13:
                    if (rng() % 3 == 0) {
                        t.engine.Restart();
                        t.model.Restart();
                    }
                    break;
                case 14:
                    ASSERT_EQ(t.engine.ValidateCustom(), t.model.ValidateCustom());
                    break;
                default:
                    t.engine.PushAction(x, y, digit);
                    t.model.PushAction(x, y, digit);
                    break;
            }
            ASSERT_TRUE(t.Same()) << "seed " << seed << ", step " << step << ", command " << op;
        }
        while (t.engine.CanUndo() || t.model.CanUndo()) {
            t.engine.Undo();
            t.model.Undo();
            ASSERT_TRUE(t.Same()) << "seed " << seed << ", undoing";
        }
    }
}

}  // namespace
