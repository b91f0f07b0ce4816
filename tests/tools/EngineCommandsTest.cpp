// sudoku-tool's engine commands in process, and a few runs of the real executable. This test
// links the engine commands alone: it does not link if they need more than the engine.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/support/BoardBuilder.h"
#include "tests/support/TempDir.h"
#include "tests/tools/ToolCall.h"
#include "tools/EngineCommands.h"
#include "tools/SolutionCounter.h"

namespace {

using testsupport::CallTool;
using testsupport::kUniquePuzzle;
using testsupport::kUniqueSolution;
using testsupport::TempDir;
using testsupport::ToolOutcome;

TEST(ToolSolve, PrintsTheSolutionOrWhyThereIsNone) {
    const std::string input = std::string(kUniquePuzzle) + "\n" + "55" + std::string(79, '.') +
                              "\n" +  // a 5 twice in a row
                              // (8, 0) cannot hold anything: its row and column hold 1..9
                              "12345678." + std::string(71, '.') + "9\n";
    const ToolOutcome r = CallTool(tool::RunSolve, {"--seed", "3"}, input);
    EXPECT_EQ(r.status, tool::kOk) << r.err;
    EXPECT_EQ(r.out, std::string(kUniqueSolution) + "\ninvalid\nno-candidates 8 0\n");
}

TEST(ToolSolve, ImproperPuzzlesGetAValidCompletionAndAnEmptyBoardToo) {
    const std::string empty(81, '.');
    const ToolOutcome r = CallTool(tool::RunSolve, {}, empty + "\n\n# comment\n" + empty + "\n");
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
    const ToolOutcome r = CallTool(tool::RunSolve, {}, p + "\n");
    EXPECT_TRUE(r.out == "no-solution\n" || r.out.rfind("no-candidates", 0) == 0) << r.out;
}

TEST(ToolSolve, BadLinesGetOneMessageAndStatusTwo) {
    ToolOutcome r = CallTool(tool::RunSolve, {}, std::string(kUniquePuzzle) + "\n123\n");
    EXPECT_EQ(r.status, tool::kBadInput);
    EXPECT_EQ(r.out, std::string(kUniqueSolution) + "\n");
    EXPECT_EQ(r.err, "sudoku-tool: line 2: a puzzle is 81 characters, this one has 3\n");
    r = CallTool(tool::RunSolve, {}, std::string(80, '.') + "x\n");
    EXPECT_EQ(r.status, tool::kBadInput);
    EXPECT_NE(r.err.find("character 81"), std::string::npos);
    r = CallTool(tool::RunSolve, {"/nonexistent/puzzles.txt"});
    EXPECT_EQ(r.status, tool::kBadInput);
    r = CallTool(tool::RunSolve, {"--seed", "x"});
    EXPECT_EQ(r.status, tool::kBadInput);
    r = CallTool(tool::RunSolve, {"--fast"});
    EXPECT_EQ(r.status, tool::kBadInput);
}

TEST(ToolGenerate, LevelsGiveTheirNumberOfGivensAndSeedsRepeat) {
    const std::pair<int, int> levels[] = {{30, 51}, {40, 41}, {44, 37}, {50, 31}, {65, 16}};
    for (const auto& [level, givens] : levels) {
        const ToolOutcome r = CallTool(
            tool::RunGenerate, {"--level", std::to_string(level), "--count", "3", "--seed", "9"});
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
        EXPECT_EQ(r.out, CallTool(tool::RunGenerate,
                                  {"--level", std::to_string(level), "--count", "3", "--seed", "9"})
                             .out);
    }
    EXPECT_EQ(CallTool(tool::RunGenerate, {"--level", "31"}).status, tool::kBadInput);
    EXPECT_EQ(CallTool(tool::RunGenerate, {"--level"}).status, tool::kBadInput);
    EXPECT_EQ(CallTool(tool::RunGenerate, {"--level", "30", "--count", "-1"}).status,
              tool::kBadInput);
}

TEST(ToolHintAndCheck, AnswerForThePuzzle) {
    // One empty cell: the hint points at it.
    std::string almost = kUniqueSolution;
    almost[4 * 9 + 6] = '.';
    EXPECT_EQ(CallTool(tool::RunHint, {almost}).out, "6 4\n");
    EXPECT_EQ(CallTool(tool::RunHint, {kUniqueSolution}).out, "none\n");
    EXPECT_EQ(CallTool(tool::RunHint, {"12"}).status, tool::kBadInput);

    EXPECT_EQ(CallTool(tool::RunCheck, {kUniquePuzzle}).out,
              "rules: kept\nhidden singles: solve it\nsolutions: 1\n");
    EXPECT_EQ(CallTool(tool::RunCheck, {std::string(81, '.')}).out,
              "rules: kept\nhidden singles: do not solve it\nsolutions: 2 or more\n");
    EXPECT_EQ(CallTool(tool::RunCheck, {"11" + std::string(79, '.')}).out,
              "rules: broken\nhidden singles: do not solve it\nsolutions: 0\n");
}

// The real executable, end to end.
ToolOutcome Execute(const std::string& arguments, const std::string& input) {
    TempDir dir;
    const std::string inFile = (dir / "in").string();
    std::ofstream(inFile) << input;
    const std::string command = std::string(SUDOKU_TOOL) + " " + arguments + " < " + inFile +
                                " 2>" + (dir / "err").string();
    ToolOutcome r;
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
    ToolOutcome r = Execute("solve -", std::string(kUniquePuzzle) + "\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, std::string(kUniqueSolution) + "\n");
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
    EXPECT_EQ(CountSolutions(*tool::ParsePuzzle(kUniquePuzzle, &why), 2), 1);
    EXPECT_EQ(CountSolutions(*tool::ParsePuzzle(std::string(81, '.'), &why), 5), 5);
    EXPECT_EQ(CountSolutions(*tool::ParsePuzzle("11" + std::string(79, '.'), &why), 2), 0);
}

}  // namespace
