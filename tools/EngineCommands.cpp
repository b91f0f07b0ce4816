// sudoku-tool's engine commands: solve, generate, hint, check. They use the engine alone.
#include "tools/EngineCommands.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>
#include <random>

#include "engine/Board.h"
#include "tools/PuzzleLines.h"
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

// Closes a descriptor this command opened (none: -1) when the command ends.
struct SClosing {
    int fd;
    ~SClosing() {
        if (fd >= 0) {
            ::close(fd);
        }
    }
};

// The arguments of a command on one puzzle: an optional seed and the puzzle.
struct SOnePuzzle {
    uint64_t seed = 0;
    std::array<uint8_t, 81> values{};
};

std::optional<SOnePuzzle> OnePuzzle(const Args& argsIn, std::ostream& err) {
    Args args = argsIn;
    SOnePuzzle p;
    if (!TakeSeed(args, err, p.seed) || !CheckPositional(args, 1, err, {"--seed"})) {
        return std::nullopt;
    }
    const auto values = PuzzleArgument(args, err);
    if (!values) {
        return std::nullopt;
    }
    p.values = *values;
    return p;
}

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

}  // namespace

int RunSolve(const Args& argsIn, std::istream& in, std::ostream& out, std::ostream& err) {
    Args args = argsIn;
    uint64_t seed = 0;
    if (!TakeSeed(args, err, seed) || !CheckPositional(args, 1, err, {"--seed"})) {
        return kBadInput;
    }
    // A file of puzzles may be a pipe (solve <(...)): opening it waits for a writer, as it
    // should. Standard input is read from its descriptor, so that a pipe's lines are solved as
    // they come and a closed one is seen; the streams of tests through their buffers.
    const bool named = !args.empty() && args[0] != "-";
    const std::string source = named ? args[0] : std::string("standard input");
    int fd = -1;
    if (named) {
        fd = ::open(args[0].c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            const int e = errno;
            return Fail(err, "cannot open " + source + ": " + std::strerror(e),
                        StatusOfFileError(e));
        }
    }
    const SClosing closing{named ? fd : -1};
    if (!named && &in == &std::cin) {
        fd = STDIN_FILENO;
    }
    struct stat st {};
    if (fd >= 0 && ::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        return Fail(err, source + " is a folder, not a file of puzzles");
    }
    CPuzzleLines lines(fd >= 0 ? DescriptorSource(fd) : StreamSource(in));
    SSession s(seed);
    std::string line;
    std::string output;
    for (;;) {
        const CPuzzleLines::Next next = lines.Read(line);
        if (next == CPuzzleLines::Next::kEnd) {
            break;
        }
        std::string why;
        const auto values =
            next == CPuzzleLines::Next::kLine ? ParsePuzzle(line, &why) : std::nullopt;
        if (!values) {
            // What was solved before the bad line is given first.
            out << output << std::flush;
            if (next == CPuzzleLines::Next::kError) {
                const int e = lines.Error();
                return Fail(err,
                            e == EBADF ? source + " is closed"
                                       : "cannot read " + source + ": " + std::strerror(e),
                            StatusOfFileError(e));
            }
            return Fail(err, "line " + std::to_string(lines.LineNumber()) + ": " +
                                 (next == CPuzzleLines::Next::kTooLong
                                      ? "a puzzle is 81 characters, this one has more"
                                      : why));
        }
        output += SolveLine(s.board, *values);
        output += '\n';
        if (output.size() > 1 << 16) {
            out << output;
            output.clear();
            if (!out) {
                return kFileError;  // the caller says why
            }
        }
    }
    out << output << std::flush;
    return out ? kOk : kFileError;
}

int RunGenerate(const Args& argsIn, std::istream&, std::ostream& out, std::ostream& err) {
    Args args = argsIn;
    uint64_t seed = 0;
    bool missing = false;
    const auto levelText = TakeOption(args, "--level", missing);
    const auto countText = TakeOption(args, "--count", missing);
    if (missing || !TakeSeed(args, err, seed) ||
        !CheckPositional(args, 0, err, {"--level", "--count", "--seed"})) {
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
    SSession s(seed);
    for (long long i = 0; i < count; ++i) {
        s.board.NewPuzzle(static_cast<int32_t>(*levelValue));
        out << PuzzleText(ValuesOf(s.board.GetGrid())) << '\n';
        if (!out) {
            return kFileError;  // the caller says why
        }
    }
    out << std::flush;
    return out ? kOk : kFileError;
}

int RunHint(const Args& args, std::istream&, std::ostream& out, std::ostream& err) {
    const auto puzzle = OnePuzzle(args, err);
    if (!puzzle) {
        return kBadInput;
    }
    SSession s(puzzle->seed);
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
    SSession s(puzzle->seed);
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

}  // namespace tool
