// sudoku-tool's engine commands in process, and a few runs of the real executable. This test
// links the engine commands alone: it does not link if they need more than the engine.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "tests/support/BoardBuilder.h"
#include "tests/support/TempDir.h"
#include "tests/tools/ToolCall.h"
#include "tools/EngineCommands.h"
#include "tools/PuzzleLines.h"
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

TEST(PuzzleLines, KeepsAtMostALineOfAPuzzleWhateverTheChunksTheInputComesIn) {
    const std::string p(81, '.');
    const struct {
        std::string input;
        const char* lines;  // each line given: its number and length, or "refused"
    } rows[] = {
        {"", ""},
        {"\n\n\r\n", ""},
        {"\n\n" + p + "\n", "3:81 "},
        {"# " + std::string(5000, '#') + "\n\r\n" + p + "\r\n" + p, "3:82 4:81 "},
        {p + "1\n" + p, "1:82 2:81 "},  // 82 characters are kept: the parser counts them
        {"\n" + std::string(83, '1') + "\n" + p, "2:refused"},
        {p + p + p, "1:refused"},
    };
    for (const std::size_t chunk : {std::size_t{1}, std::size_t{7}, std::size_t{1} << 20}) {
        for (const auto& row : rows) {
            std::size_t at = 0;
            tool::CPuzzleLines lines([&](char* buffer, std::size_t size, int&) -> long {
                const std::size_t n = std::min({chunk, size, row.input.size() - at});
                std::copy_n(row.input.data() + at, n, buffer);
                at += n;
                return static_cast<long>(n);
            });
            std::string got;
            std::string line;
            tool::CPuzzleLines::Next next;
            while ((next = lines.Read(line)) == tool::CPuzzleLines::Next::kLine) {
                got += std::to_string(lines.LineNumber()) + ":" + std::to_string(line.size()) + " ";
            }
            if (next == tool::CPuzzleLines::Next::kTooLong) {
                got += std::to_string(lines.LineNumber()) + ":refused";
            }
            EXPECT_EQ(got, row.lines) << "chunk " << chunk << ": " << row.input.substr(0, 90);
        }
    }
    tool::CPuzzleLines closed([](char*, std::size_t, int& err) -> long {
        err = EBADF;
        return -1;
    });
    std::string line;
    EXPECT_EQ(closed.Read(line), tool::CPuzzleLines::Next::kError);
    EXPECT_EQ(closed.Error(), EBADF);
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

// The real executable, end to end: a bash script whose standard output is read here.
ToolOutcome RunScript(const std::string& script, const TempDir& dir) {
    const std::string command =
        "bash -c '" + script + "' 2>" + (dir / "err").string() + " </dev/null";
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

ToolOutcome Execute(const std::string& arguments, const std::string& input) {
    TempDir dir;
    std::ofstream(dir / "in") << input;
    return RunScript(std::string(SUDOKU_TOOL) + " " + arguments + " < " + (dir / "in").string(),
                     dir);
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
    r = Execute("", "");  // the usage, as an error
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err.rfind("usage: sudoku-tool", 0), 0U) << r.err;
    EXPECT_EQ(r.out, "");
    r = Execute("generate --level 40 --seed 4 --count 2", "");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.size(), 2 * 82U);
}

// Outputs that cannot be written, inputs that cannot be read, and the messages: each row a
// bash script over the real executable. TOOL, P (a puzzle), IN (a file holding it), DIR, FIFO
// and FULL (a device node that takes no byte, made in the temporary folder) stand for
// themselves.
TEST(ToolExecutable, OutputsAndInputsThatCannotBeUsedGetOneLineAndTheirStatus) {
    const struct {
        const char* script;
        int status;
        const char* err;  // the start of standard error
        const char* out;  // the start of standard output
    } rows[] = {
        {"@TOOL --help >@FULL", 1, "sudoku-tool: cannot write to standard output: No space", ""},
        {"@TOOL --help >&-", 1, "sudoku-tool: cannot write to standard output: it is closed", ""},
        {"@TOOL generate --level 30 >@FULL", 1, "sudoku-tool: cannot write to standard output", ""},
        {"@TOOL generate --level 30 --count 5000 >&-", 1, "sudoku-tool: cannot write to", ""},
        {"@TOOL solve @IN >@FULL", 1, "sudoku-tool: cannot write to standard output", ""},
        {"@TOOL solve <@IN >&-", 1, "sudoku-tool: cannot write to standard output", ""},
        {"@TOOL check @P >@FULL", 1, "sudoku-tool: cannot write to standard output", ""},
        {"@TOOL hint @P >&-", 1, "sudoku-tool: cannot write to standard output", ""},
        {"@TOOL import @P -o @FULL", 1, "sudoku-tool: cannot write @FULL: No space left", ""},
        {"@TOOL solve @DIR", 2, "sudoku-tool: @DIR is a folder, not a file of puzzles\n", ""},
        {"@TOOL solve <&-", 2, "sudoku-tool: standard input is closed\n", ""},
        {"@TOOL solve @DIR/none", 2, "sudoku-tool: cannot open @DIR/none: No such file", ""},
        {"yes 1 | tr -d \"\\n\" | timeout 60 @TOOL solve", 2,
         "sudoku-tool: line 1: a puzzle is 81 characters, this one has more\n", ""},
        {"@TOOL generate --level 30 --level 65", 2,
         "sudoku-tool: option --level is given more than once\n", ""},
        {"@TOOL show @FIFO", 2, "sudoku-tool: cannot read @FIFO: it is a pipe (FIFO), not a file",
         ""},
        {"@TOOL stats @FIFO", 2, "sudoku-tool: cannot read @FIFO: it is a pipe (FIFO)", ""},
        {"@TOOL --help", 0, "", "usage: sudoku-tool"},
        {"@TOOL solve <(cat @IN)", 0, "", kUniqueSolution},
        {"cat @IN | timeout 60 @TOOL solve", 0, "", kUniqueSolution},
        {"@TOOL import @P -o - | wc -c", 0, "", "1811\n"},
        {"@TOOL import @P -o @DIR/g.sdk >/dev/null && @TOOL render @DIR/g.sdk -o -", 0, "",
         "\x89PNG\r\n"},
    };
    TempDir dir;
    std::ofstream(dir / "in") << kUniquePuzzle << '\n';
    std::filesystem::create_directory(dir / "dir");
    ::mkfifo((dir / "fifo").c_str(), 0600);
    const bool full = ::mknod((dir / "full").c_str(), S_IFCHR | 0600, makedev(1, 7)) == 0;
    const std::pair<std::string, std::string> names[] = {
        {"@TOOL", SUDOKU_TOOL},
        {"@FIFO", (dir / "fifo").string()},
        {"@FULL", (dir / "full").string()},
        {"@DIR", (dir / "dir").string()},
        {"@IN", (dir / "in").string()},
        {"@P", kUniquePuzzle},
    };
    for (const auto& row : rows) {
        // Nothing may hang: a tool that waits is stopped, and the row fails.
        std::string script = row.script;
        if (script.rfind("@TOOL", 0) == 0) {
            script = "timeout 60 " + script;
        }
        std::string err = row.err;
        if (!full && script.find("@FULL") != std::string::npos) {
            std::cout << "skipped (mknod is not permitted): " << row.script << '\n';
            continue;
        }
        for (const auto& [name, value] : names) {
            for (std::string* text : {&script, &err}) {
                for (std::size_t at = 0; (at = text->find(name, at)) != std::string::npos;) {
                    text->replace(at, name.size(), value);
                    at += value.size();
                }
            }
        }
        const ToolOutcome r = RunScript(script, dir);
        EXPECT_EQ(r.status, row.status) << row.script << "\n" << r.err;
        EXPECT_EQ(r.err.rfind(err, 0), 0U) << row.script << "\n" << r.err;
        // One line for each failure; the usage is the one message of many lines.
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), r.status == 0 ? 0 : 1)
            << row.script << "\n"
            << r.err;
        EXPECT_EQ(r.out.rfind(row.out, 0), 0U) << row.script << "\n" << r.out.substr(0, 100);
    }
}

TEST(SolutionCounter, CountsUpToTheLimit) {
    std::string why;
    EXPECT_EQ(CountSolutions(*tool::ParsePuzzle(kUniquePuzzle, &why), 2), 1);
    EXPECT_EQ(CountSolutions(*tool::ParsePuzzle(std::string(81, '.'), &why), 5), 5);
    EXPECT_EQ(CountSolutions(*tool::ParsePuzzle("11" + std::string(79, '.'), &why), 2), 0);
}

}  // namespace
