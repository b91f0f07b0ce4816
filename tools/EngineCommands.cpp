// sudoku-tool's engine commands: solve, generate, hint, check, import, show and export.
#include <fstream>
#include <iostream>
#include <random>
#include <sstream>

#include "engine/Board.h"
#include "engine/Options.h"
#include "game/SaveFile.h"
#include "tools/Commands.h"
#include "tools/SolutionCounter.h"

namespace tool {

namespace {

// The seed of --seed, or a fresh one; false (with the message printed) when it is not a number.
bool TakeSeed(Args& args, std::ostream& err, uint64_t& seed) {
    bool missing = false;
    const auto text = TakeOption(args, "--seed", missing);
    if (missing) {
        Fail(err, "--seed needs a number");
        return false;
    }
    if (!text) {
        seed = std::random_device{}();
        return true;
    }
    const auto n = ParseNumber(*text);
    if (!n) {
        Fail(err, "--seed needs a number, not '" + *text + "'");
        return false;
    }
    seed = static_cast<uint64_t>(*n);
    return true;
}

// Rejects options nobody took and counts the positional arguments.
bool CheckPositional(const Args& args, std::size_t atMost, std::ostream& err) {
    for (const std::string& a : args) {
        if (a.size() > 1 && a[0] == '-') {
            Fail(err, "unknown option '" + a + "'");
            return false;
        }
    }
    if (args.size() > atMost) {
        Fail(err, "too many arguments");
        return false;
    }
    return true;
}

// The one puzzle argument of hint, check and import.
std::optional<std::array<uint8_t, 81>> PuzzleArgument(const Args& args, std::ostream& err) {
    if (args.empty()) {
        Fail(err, "a puzzle of 81 characters is needed");
        return std::nullopt;
    }
    std::string why;
    auto values = ParsePuzzle(args[0], &why);
    if (!values) {
        Fail(err, why);
    }
    return values;
}

// The arguments of a command on one puzzle: an optional seed and the puzzle.
struct SOnePuzzle {
    uint64_t seed = 0;
    std::array<uint8_t, 81> values{};
};

std::optional<SOnePuzzle> OnePuzzle(const Args& argsIn, std::ostream& err) {
    Args args = argsIn;
    SOnePuzzle p;
    if (!TakeSeed(args, err, p.seed) || !CheckPositional(args, 1, err)) {
        return std::nullopt;
    }
    const auto values = PuzzleArgument(args, err);
    if (!values) {
        return std::nullopt;
    }
    p.values = *values;
    return p;
}

// A board that lives for one command, with its own options and random source.
struct Session {
    explicit Session(uint64_t seed) : random(seed) {}
    CRandom random;
    COptions options;
    CBoard board{random, options};
};

std::string SolveLine(CBoard& board, const std::array<uint8_t, 81>& values) {
    board.SetGrid(GridOfGivens(values));
    const CBoard::SolveResult r = board.Solve();
    switch (r.code) {
        case CBoard::kSolved:
            return PuzzleText(ValuesOf(board.GetGrid()));
        case CBoard::kBreaksRules:
            return "invalid";
        case CBoard::kNoCandidate:
            return "no-candidates " + std::to_string(r.x) + " " + std::to_string(r.y);
        default:
            return "no-solution";
    }
}

const char* LevelName(int32_t level) {
    switch (level) {
        case level::kBeginner:
            return "Beginner";
        case level::kEasy:
            return "Easy";
        case level::kMedium:
            return "Medium";
        case level::kHard:
            return "Hard";
        case level::kExpert:
            return "Expert";
        case level::kCustom:
            return "Custom";
        default:
            return "not a level of the game";
    }
}

// Loads a saved game named by the only argument into the session.
bool LoadArgument(const Args& args, Session& s, std::ostream& err) {
    if (!CheckPositional(args, 1, err)) {
        return false;
    }
    if (args.empty()) {
        Fail(err, "a saved game (.sdk) is needed");
        return false;
    }
    std::string why;
    if (!savefile::Read(args[0], s.board, &why)) {
        Fail(err, why);
        return false;
    }
    return true;
}

}  // namespace

int RunSolve(const Args& argsIn, std::istream& in, std::ostream& out, std::ostream& err) {
    Args args = argsIn;
    uint64_t seed = 0;
    if (!TakeSeed(args, err, seed) || !CheckPositional(args, 1, err)) {
        return kBadInput;
    }
    std::ifstream file;
    std::istream* source = &in;
    if (!args.empty() && args[0] != "-") {
        file.open(args[0]);
        if (!file) {
            return Fail(err, "cannot open " + args[0]);
        }
        source = &file;
    }
    Session s(seed);
    std::string line;
    std::string output;
    long lineNumber = 0;
    while (std::getline(*source, line)) {
        ++lineNumber;
        if (line.empty() || line == "\r" || line[0] == '#') {
            continue;
        }
        std::string why;
        const auto values = ParsePuzzle(line, &why);
        if (!values) {
            out << output << std::flush;
            return Fail(err, "line " + std::to_string(lineNumber) + ": " + why);
        }
        output += SolveLine(s.board, *values);
        output += '\n';
        if (output.size() > 1 << 16) {
            out << output;
            output.clear();
        }
    }
    out << output << std::flush;
    return kOk;
}

int RunGenerate(const Args& argsIn, std::istream&, std::ostream& out, std::ostream& err) {
    Args args = argsIn;
    uint64_t seed = 0;
    bool missing = false;
    const auto levelText = TakeOption(args, "--level", missing);
    const auto countText = TakeOption(args, "--count", missing);
    if (missing || !TakeSeed(args, err, seed) || !CheckPositional(args, 0, err)) {
        return missing ? Fail(err, "--level and --count need a value") : kBadInput;
    }
    const auto levelValue = levelText ? ParseNumber(*levelText) : std::nullopt;
    const bool levelOk =
        levelValue && (*levelValue == level::kBeginner || *levelValue == level::kEasy ||
                       *levelValue == level::kMedium || *levelValue == level::kHard ||
                       *levelValue == level::kExpert);
    if (!levelOk) {
        return Fail(err, "--level must be 30, 40, 44, 50 or 65");
    }
    long long count = 1;
    if (countText) {
        const auto n = ParseNumber(*countText);
        if (!n || *n < 0) {
            return Fail(err, "--count needs a number of 0 or more");
        }
        count = *n;
    }
    Session s(seed);
    for (long long i = 0; i < count; ++i) {
        s.board.NewPuzzle(static_cast<int32_t>(*levelValue));
        out << PuzzleText(ValuesOf(s.board.GetGrid())) << '\n';
    }
    out << std::flush;
    return kOk;
}

int RunHint(const Args& args, std::istream&, std::ostream& out, std::ostream& err) {
    const auto puzzle = OnePuzzle(args, err);
    if (!puzzle) {
        return kBadInput;
    }
    Session s(puzzle->seed);
    s.board.SetGrid(GridOfGivens(puzzle->values));
    s.board.UpdateAutoMarks();
    int32_t x = 0;
    int32_t y = 0;
    if (s.board.FindHint(x, y)) {
        out << x << ' ' << y << '\n';
    } else {
        out << "none\n";
    }
    return kOk;
}

int RunCheck(const Args& args, std::istream&, std::ostream& out, std::ostream& err) {
    const auto puzzle = OnePuzzle(args, err);
    if (!puzzle) {
        return kBadInput;
    }
    const auto& values = puzzle->values;
    Session s(puzzle->seed);
    s.board.SetGrid(GridOfGivens(values));
    const bool consistent = s.board.IsConsistent();
    out << "rules: " << (consistent ? "kept" : "broken") << '\n';

    bool singles = false;
    if (consistent) {
        CBoard::Grid g = GridOfGivens(values);
        for (uint8_t v : values) {
            g.emptyCount += v == 0 ? 1 : 0;
        }
        s.board.SetGrid(g);
        singles = s.board.HiddenSingles(false).code == CBoard::kSolved;
    }
    out << "hidden singles: " << (singles ? "solve it" : "do not solve it") << '\n';

    const int solutions = CountSolutions(values, 2);
    out << "solutions: " << (solutions >= 2 ? std::string("2 or more") : std::to_string(solutions))
        << '\n';
    return kOk;
}

int RunImport(const Args& argsIn, std::istream&, std::ostream& out, std::ostream& err) {
    Args args = argsIn;
    bool missing = false;
    const auto target = TakeOption(args, "-o", missing);
    if (missing || !target) {
        return Fail(err, "import needs -o FILE.sdk");
    }
    if (!CheckPositional(args, 1, err)) {
        return kBadInput;
    }
    const auto values = PuzzleArgument(args, err);
    if (!values) {
        return kBadInput;
    }
    // The state of a custom puzzle just accepted in Cell Select: typed in as givens, checked,
    // then the first cell that is not a given (column order) selected, number 1, level Custom,
    // custom entry off, time 0.
    Session s(1);
    s.options.SetLevel(level::kCustom);
    s.options.SetCustomEntry(true);
    s.board.SetGrid(GridOfGivens(*values));
    if (!s.board.ValidateCustom()) {
        return Fail(err,
                    "refused: this is not a valid Sudoku puzzle (it needs at least one digit, "
                    "no digit twice in a row, column or box, and a solution)");
    }
    s.options.SetCustomEntry(false);
    s.board.ClearHistory();
    s.board.SelectCell(-1, -1, true);
    bool selected = false;
    for (int x = 0; x < 9 && !selected; ++x) {
        for (int y = 0; y < 9 && !selected; ++y) {
            selected = s.board.SelectCell(x, y, false);
        }
    }
    s.board.SetNumber(1);
    s.board.UpdateAutoMarks();
    std::string why;
    if (!savefile::Write(*target, s.board, &why)) {
        return Fail(err, why);
    }
    out << "wrote " << *target << '\n';
    return kOk;
}

int RunShow(const Args& args, std::istream&, std::ostream& out, std::ostream& err) {
    Session s(1);
    if (!LoadArgument(args, s, err)) {
        return kBadInput;
    }
    const CBoard::Grid& g = s.board.GetGrid();
    std::array<uint8_t, 81> entries{};
    for (int i = 0; i < 81; ++i) {
        const CBoard::Cell& c = g.cells[i % 9][i / 9];
        if (!CBoard::IsGiven(c)) {
            entries[static_cast<std::size_t>(i)] = c.value;
        }
    }
    out << "givens:  " << PuzzleText(ValuesOf(g, true)) << '\n';
    out << "entries: " << PuzzleText(entries) << '\n';
    out << "board:\n";
    for (int y = 0; y < 9; ++y) {
        out << "  ";
        for (int x = 0; x < 9; ++x) {
            const CBoard::Cell& c = g.cells[x][y];
            const char digit = c.value == 0 ? '.' : static_cast<char>('0' + c.value);
            out << (CBoard::IsGiven(c) ? '[' : ' ') << digit << (CBoard::IsGiven(c) ? ']' : ' ');
            if (x == 2 || x == 5) {
                out << '|';
            }
        }
        out << '\n';
        if (y == 2 || y == 5) {
            out << "  ---------+---------+---------\n";
        }
    }
    out << "pencil marks:";
    bool anyMarks = false;
    for (int y = 0; y < 9; ++y) {
        for (int x = 0; x < 9; ++x) {
            const auto marks = static_cast<uint16_t>(g.cells[x][y].marks);
            if ((marks & CBoard::kAllDigits) == 0) {
                continue;
            }
            out << (anyMarks ? "; " : " ") << '(' << x << ',' << y << ')';
            for (int d = 1; d <= 9; ++d) {
                if ((marks & (1U << (d - 1))) != 0) {
                    out << ' ' << d;
                }
            }
            anyMarks = true;
        }
    }
    out << (anyMarks ? "" : " none") << '\n';
    int32_t x = 0;
    int32_t y = 0;
    s.board.GetSelection(x, y);
    out << "selection: ";
    if (x == -1 && y == -1) {
        out << "none\n";
    } else {
        out << x << ' ' << y << '\n';
    }
    out << "number: " << s.board.GetNumber() << '\n';
    out << "level: " << s.options.GetLevel() << " (" << LevelName(s.options.GetLevel()) << ")\n";
    out << "custom entry: " << (s.options.GetCustomEntry() ? "on" : "off") << '\n';
    const int32_t ms = s.board.GetElapsed();
    const int32_t seconds = ms / 1000;
    char clock[32];
    std::snprintf(clock, sizeof clock, "%d:%02d:%02d", seconds / 3600, (seconds / 60) % 60,
                  seconds % 60);
    out << "time: " << clock << " (" << ms << " ms)\n";
    return kOk;
}

int RunExport(const Args& args, std::istream&, std::ostream& out, std::ostream& err) {
    Session s(1);
    if (!LoadArgument(args, s, err)) {
        return kBadInput;
    }
    out << PuzzleText(ValuesOf(s.board.GetGrid(), true)) << '\n';
    out << PuzzleText(ValuesOf(s.board.GetGrid())) << '\n';
    return kOk;
}

}  // namespace tool
