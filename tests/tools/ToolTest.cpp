// sudoku-tool: its commands in process, and a few runs of the real executable.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "engine/ByteIO.h"
#include "engine/Options.h"
#include "platform/FileIO.h"
#include "tests/support/BoardBuilder.h"
#include "tests/support/TempDir.h"
#include "tools/Commands.h"
#include "tools/SolutionCounter.h"

namespace {

// A puzzle with one solution, and that solution.
constexpr const char* kPuzzle =
    ".5..83.17...1..4..3.4..56.8....3...9.9.8245....6....7...9....5...729..861.36.72.4";
constexpr const char* kSolution =
    "652483917978162435314975628825736149791824563436519872269348751547291386183657294";

struct Outcome {
    int status = 0;
    std::string out;
    std::string err;
};

Outcome Call(tool::Command command, tool::Args args, const std::string& input = "") {
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    Outcome r;
    r.status = command(args, in, out, err);
    r.out = out.str();
    r.err = err.str();
    return r;
}

using testsupport::TempDir;

TEST(ToolSolve, PrintsTheSolutionOrWhyThereIsNone) {
    const std::string input = std::string(kPuzzle) + "\n" + "55" + std::string(79, '.') +
                              "\n" +  // a 5 twice in a row
                              // (8, 0) cannot hold anything: its row and column hold 1..9
                              "12345678." + std::string(71, '.') + "9\n";
    const Outcome r = Call(tool::RunSolve, {"--seed", "3"}, input);
    EXPECT_EQ(r.status, tool::kOk) << r.err;
    EXPECT_EQ(r.out, std::string(kSolution) + "\ninvalid\nno-candidates 8 0\n");
}

TEST(ToolSolve, ImproperPuzzlesGetAValidCompletionAndAnEmptyBoardToo) {
    const std::string empty(81, '.');
    const Outcome r = Call(tool::RunSolve, {}, empty + "\n\n# comment\n" + empty + "\n");
    ASSERT_EQ(r.status, tool::kOk);
    std::istringstream lines(r.out);
    std::string line;
    int n = 0;
    while (std::getline(lines, line)) {
        EXPECT_TRUE(testsupport::IsValidSolution(line)) << line;
        ++n;
    }
    EXPECT_EQ(n, 2);
}

TEST(ToolSolve, ReportsNoSolutionWhenTheSearchRunsOut) {
    // Rules kept and every cell has a candidate, but no completion exists.
    const std::string p =
        "1...5.2.9..7.......6.......2...........5.1..2....2.39.3.4.9...15...1...3...8...4.";
    std::array<uint8_t, 81> v{};
    std::string why;
    v = *tool::ParsePuzzle(p, &why);
    ASSERT_EQ(CountSolutions(v, 2), 0);
    const Outcome r = Call(tool::RunSolve, {}, p + "\n");
    EXPECT_TRUE(r.out == "no-solution\n" || r.out.rfind("no-candidates", 0) == 0) << r.out;
}

TEST(ToolSolve, BadLinesGetOneMessageAndStatusTwo) {
    Outcome r = Call(tool::RunSolve, {}, std::string(kPuzzle) + "\n123\n");
    EXPECT_EQ(r.status, tool::kBadInput);
    EXPECT_EQ(r.out, std::string(kSolution) + "\n");
    EXPECT_EQ(r.err, "sudoku-tool: line 2: a puzzle is 81 characters, this one has 3\n");
    r = Call(tool::RunSolve, {}, std::string(80, '.') + "x\n");
    EXPECT_EQ(r.status, tool::kBadInput);
    EXPECT_NE(r.err.find("character 81"), std::string::npos);
    r = Call(tool::RunSolve, {"/nonexistent/puzzles.txt"});
    EXPECT_EQ(r.status, tool::kBadInput);
    r = Call(tool::RunSolve, {"--seed", "x"});
    EXPECT_EQ(r.status, tool::kBadInput);
    r = Call(tool::RunSolve, {"--fast"});
    EXPECT_EQ(r.status, tool::kBadInput);
}

TEST(ToolGenerate, LevelsGiveTheirNumberOfGivensAndSeedsRepeat) {
    const std::pair<int, int> levels[] = {{30, 51}, {40, 41}, {44, 37}, {50, 31}, {65, 16}};
    for (const auto& [level, givens] : levels) {
        const Outcome r = Call(tool::RunGenerate,
                               {"--level", std::to_string(level), "--count", "3", "--seed", "9"});
        ASSERT_EQ(r.status, tool::kOk) << r.err;
        std::istringstream lines(r.out);
        std::string line;
        int n = 0;
        while (std::getline(lines, line)) {
            ASSERT_EQ(line.size(), 81U);
            EXPECT_EQ(81 - std::count(line.begin(), line.end(), '.'), givens);
            ++n;
        }
        EXPECT_EQ(n, 3);
        EXPECT_EQ(r.out, Call(tool::RunGenerate,
                              {"--level", std::to_string(level), "--count", "3", "--seed", "9"})
                             .out);
    }
    EXPECT_EQ(Call(tool::RunGenerate, {"--level", "31"}).status, tool::kBadInput);
    EXPECT_EQ(Call(tool::RunGenerate, {"--level"}).status, tool::kBadInput);
    EXPECT_EQ(Call(tool::RunGenerate, {"--level", "30", "--count", "-1"}).status, tool::kBadInput);
}

TEST(ToolHintAndCheck, AnswerForThePuzzle) {
    // One empty cell: the hint points at it.
    std::string almost = kSolution;
    almost[4 * 9 + 6] = '.';
    EXPECT_EQ(Call(tool::RunHint, {almost}).out, "6 4\n");
    EXPECT_EQ(Call(tool::RunHint, {kSolution}).out, "none\n");
    EXPECT_EQ(Call(tool::RunHint, {"12"}).status, tool::kBadInput);

    EXPECT_EQ(Call(tool::RunCheck, {kPuzzle}).out,
              "rules: kept\nhidden singles: solve it\nsolutions: 1\n");
    EXPECT_EQ(Call(tool::RunCheck, {std::string(81, '.')}).out,
              "rules: kept\nhidden singles: do not solve it\nsolutions: 2 or more\n");
    EXPECT_EQ(Call(tool::RunCheck, {"11" + std::string(79, '.')}).out,
              "rules: broken\nhidden singles: do not solve it\nsolutions: 0\n");
}

TEST(ToolImport, WritesTheSavedGameOfAnAcceptedCustomPuzzle) {
    TempDir dir;
    const std::string file = (dir / "p.sdk").string();
    const Outcome r = Call(tool::RunImport, {kPuzzle, "-o", file});
    ASSERT_EQ(r.status, tool::kOk) << r.err;
    const auto bytes = fileio::ReadFile(file, 4096);
    ASSERT_TRUE(bytes);
    ASSERT_EQ(bytes->size(), 1811U);
    const uint8_t* b = bytes->data();
    // (0, 0) is empty: it is the first cell that is not a given, in column order.
    EXPECT_EQ(byteio::Get32(b + 1790), 0);
    EXPECT_EQ(byteio::Get32(b + 1794), 0);
    EXPECT_EQ(byteio::Get32(b + 1798), 1);
    EXPECT_EQ(byteio::Get32(b + 1802), 6);
    EXPECT_EQ(b[1806], 0);
    EXPECT_EQ(byteio::Get32(b + 1807), 0);
    for (int i = 0; i < 81; ++i) {
        const uint8_t* cell = b + (i % 9) * 99 + (i / 9) * 11;
        const char c = kPuzzle[i];
        EXPECT_EQ(cell[0], c == '.' ? 0 : c - '0');
        EXPECT_EQ(byteio::Get32(cell + 1), c == '.' ? 0 : 1);
        EXPECT_EQ(byteio::Get16(cell + 7), 0);  // solver count
        EXPECT_EQ(byteio::Get16(cell + 9), 0);  // pencil marks
        if (c != '.') {
            EXPECT_EQ(byteio::Get16(cell + 5), 0);
        }
    }
    // The candidates of (0, 0): its row holds 5 8 3 1 7, its column 3 1, its box 5 3 4.
    EXPECT_EQ(byteio::Get16(b + 5), (1 << 1) | (1 << 5) | (1 << 8));
    EXPECT_EQ(byteio::Get32(b + 891), 0);
    for (std::size_t i = 895; i < 1790; ++i) {
        ASSERT_EQ(b[i], 0);
    }

    EXPECT_EQ(Call(tool::RunExport, {file}).out,
              std::string(kPuzzle) + "\n" + std::string(kPuzzle) + "\n");
    const Outcome shown = Call(tool::RunShow, {file});
    EXPECT_NE(shown.out.find("selection: 0 0\nnumber: 1\nlevel: 6 (Custom)\ncustom entry: off\n"
                             "time: 0:00:00 (0 ms)\n"),
              std::string::npos)
        << shown.out;
}

TEST(ToolImport, RefusesWhatTheGameRefusesAsACustomPuzzle) {
    TempDir dir;
    const std::string file = (dir / "p.sdk").string();
    EXPECT_EQ(Call(tool::RunImport, {std::string(81, '.'), "-o", file}).status, tool::kBadInput);
    EXPECT_EQ(Call(tool::RunImport, {"1........1" + std::string(71, '.'), "-o", file}).status,
              tool::kBadInput);  // the same digit twice in column 0
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_EQ(Call(tool::RunImport, {"1" + std::string(80, '.'), "-o", file}).status, tool::kOk);
    EXPECT_EQ(Call(tool::RunImport, {kPuzzle}).status, tool::kBadInput);  // no -o
}

TEST(ToolShow, RefusesFilesThatAreNotSavedGames) {
    TempDir dir;
    const std::string file = (dir / "bad.sdk").string();
    std::vector<uint8_t> bytes(1810, 0);
    ASSERT_TRUE(fileio::WriteFileAtomically(file, bytes));
    Outcome r = Call(tool::RunShow, {file});
    EXPECT_EQ(r.status, tool::kBadInput);
    EXPECT_NE(r.err.find("1810 bytes"), std::string::npos) << r.err;
    bytes.resize(1811, 0);
    bytes[1798] = 1;  // number 1
    bytes[0] = 12;    // a digit above 9
    ASSERT_TRUE(fileio::WriteFileAtomically(file, bytes));
    r = Call(tool::RunExport, {file});
    EXPECT_EQ(r.status, tool::kBadInput);
    EXPECT_NE(r.err.find("damaged"), std::string::npos) << r.err;
    EXPECT_EQ(Call(tool::RunShow, {(dir / "missing.sdk").string()}).status, tool::kBadInput);
}

TEST(ToolShow, ShowsEntriesMarksSelectionAndTime) {
    CRandom random(1);
    COptions options;
    CBoard board(random, options);
    board.SetGrid(testsupport::GridFrom(kPuzzle));
    board.SelectCell(0, 0, false);
    board.SetNumber(6);
    board.PlaceNumber(false);
    board.SelectCell(2, 0, false);
    board.SetNumber(2);
    board.PlaceNumber(true);
    board.SetNumber(9);
    board.PlaceNumber(true);
    board.SetElapsed(3725000);
    options.SetLevel(44);
    CBoard::StateRecord rec{};
    board.SaveState(rec);
    TempDir dir;
    const std::string file = (dir / "g.sdk").string();
    ASSERT_TRUE(fileio::WriteFileAtomically(file, rec));
    const Outcome r = Call(tool::RunShow, {file});
    ASSERT_EQ(r.status, tool::kOk) << r.err;
    EXPECT_NE(r.out.find("entries: 6......"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("pencil marks: (2,0) 2 9\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("selection: 2 0\nnumber: 9\nlevel: 44 (Medium)\n"), std::string::npos);
    EXPECT_NE(r.out.find("time: 1:02:05 (3725000 ms)"), std::string::npos);
}

// The real executable, end to end.
Outcome Execute(const std::string& arguments, const std::string& input) {
    TempDir dir;
    const std::string inFile = (dir / "in").string();
    std::ofstream(inFile) << input;
    const std::string command = std::string(SUDOKU_TOOL) + " " + arguments + " < " + inFile +
                                " 2>" + (dir / "err").string();
    Outcome r;
    FILE* pipe = ::popen(command.c_str(), "r");
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        r.out.append(buffer, n);
    }
    const int status = ::pclose(pipe);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream errFile(dir / "err");
    r.err.assign(std::istreambuf_iterator<char>(errFile), {});
    return r;
}

TEST(ToolExecutable, SolvesFromStandardInputAndReportsBadInput) {
    Outcome r = Execute("solve -", std::string(kPuzzle) + "\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, std::string(kSolution) + "\n");
    r = Execute("solve", "not a puzzle\n");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "sudoku-tool: line 1: a puzzle is 81 characters, this one has 12\n");
    r = Execute("frobnicate", "");
    EXPECT_EQ(r.status, 2);
    r = Execute("generate --level 40 --seed 4 --count 2", "");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.size(), 2 * 82U);
}

TEST(SolutionCounter, CountsUpToTheLimit) {
    std::string why;
    EXPECT_EQ(CountSolutions(*tool::ParsePuzzle(kPuzzle, &why), 2), 1);
    EXPECT_EQ(CountSolutions(*tool::ParsePuzzle(std::string(81, '.'), &why), 5), 5);
    EXPECT_EQ(CountSolutions(*tool::ParsePuzzle("11" + std::string(79, '.'), &why), 2), 0);
}

}  // namespace
