// End-to-end: one game per data folder. A second start hands its saved game to the window
// game on the folder and ends; a script on a folder in use is refused; a killed game leaves
// nothing that keeps the next one out. And a user with no home folder gets no data folder.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "tests/e2e/E2E.h"

namespace e2e {
namespace {

constexpr const char* kEvening =
    "7............9.3.1236..8749.....32.7..26.94..8175.29.6.48.61...62..8719......5.8.";

// Every program of a test runs offscreen with its sockets in a runtime folder of the test's own.
class Instances : public E2E {
protected:
    void SetUp() override {
        fs::create_directories(Runtime());
        fs::permissions(Runtime(), fs::perms::owner_all);
        ASSERT_EQ(RunProgram("sudoku-tool", {"import", kEvening, "-o", "evening.sdk"}, work.Path())
                      .status,
                  0);
    }

    fs::path Runtime() const { return work / "runtime"; }
    std::vector<std::string> Env() const {
        return {"QT_QPA_PLATFORM=offscreen", "SUDOKU_TIMING=1",
                "XDG_RUNTIME_DIR=" + Runtime().string()};
    }

    // A window game on the data folder, started in `cwd` and shown (a game that cannot start
    // fails the test).
    pid_t StartWindow(const fs::path& cwd, std::vector<std::string> args = {}) {
        fs::create_directories(cwd);
        args.insert(args.begin(), {"--data-dir", Data().string()});
        const pid_t pid = Start("sudoku", args, cwd, Env());
        EXPECT_TRUE(WaitForLine(cwd, "timing splash ")) << ReadText(cwd / "stderr.txt");
        return pid;
    }

    // Another start on the data folder, run to its end in its own working folder; status -1
    // when it does not end.
    SRun Second(std::vector<std::string> args) {
        const fs::path cwd = work / "second";
        fs::create_directories(cwd);
        args.insert(args.begin(), {"--data-dir", Data().string()});
        SRun run;
        run.status = WaitAtMost(Start("sudoku", args, cwd, Env()), 30).value_or(-1);
        run.out = ReadText(cwd / "stdout.txt");
        run.err = ReadText(cwd / "stderr.txt");
        return run;
    }

    // The givens and values of a saved game, as sudoku-tool exports them.
    std::string Export(const fs::path& path) {
        const SRun run = RunProgram("sudoku-tool", {"export", path.string()}, work / "second");
        EXPECT_EQ(run.status, 0) << run.err;
        return run.out;
    }

    static void End(pid_t pid) {
        ASSERT_EQ(kill(pid, SIGTERM), 0);
        EXPECT_EQ(WaitAtMost(pid, 30), 0);
    }
};

struct SHandOff {
    const char* name;
    std::vector<std::string> first;   // the running game's arguments
    std::vector<std::string> second;  // the second start's
};

void PrintTo(const SHandOff& c, std::ostream* out) {
    *out << c.name;
}

class HandOff : public Instances, public ::testing::WithParamInterface<SHandOff> {};

// The second start ends at once, saying nothing; the running game has the file's board, or
// keeps the one it had, and is the only one to write the data folder.
TEST_P(HandOff, TheRunningGameTakesTheFile) {
    const SHandOff& c = GetParam();
    const pid_t first = StartWindow(work.Path(), c.first);
    const SRun second = Second(c.second);
    EXPECT_EQ(second.status, 0) << second.err;
    EXPECT_EQ(second.out, "");
    EXPECT_EQ(second.err, "");
    End(first);
    EXPECT_EQ(Export(Data() / "autosave.sdk"), Export(work / "evening.sdk"));
    std::vector<std::string> entries;
    for (const fs::directory_entry& entry : fs::directory_iterator(Data())) {
        entries.push_back(entry.path().filename().string());
    }
    std::sort(entries.begin(), entries.end());
    EXPECT_EQ(entries, (std::vector<std::string>{"autosave.sdk", "options.cfg"}));
}

INSTANTIATE_TEST_SUITE_P(
    Starts, HandOff,
    // The second start names the file from its own working folder.
    ::testing::Values(SHandOff{"with_file", {"--seed", "3"}, {"../evening.sdk"}},
                      SHandOff{"without_file", {"--seed", "3", "evening.sdk"}, {}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(Instances, AScriptOnAFolderInUseIsRefused) {
    const pid_t first = StartWindow(work.Path(), {"--seed", "3", "evening.sdk"});
    fs::copy_file(kCases / "hostile.script", work / "play.script");
    const SRun script = Second({"--script", (work / "play.script").string()});
    EXPECT_EQ(script.status, 2);
    EXPECT_EQ(script.out, "");
    EXPECT_EQ(script.err,
              "sudoku: the data folder " + Data().string() + " is in use by another game\n");
    End(first);
    EXPECT_EQ(Export(Data() / "autosave.sdk"), Export(work / "evening.sdk"));
}

// The kernel drops the lock of a killed game; its socket is left behind, and the next game on
// the folder replaces it.
TEST_F(Instances, AKilledGameLeavesTheFolderToTheNext) {
    const pid_t killed = StartWindow(work / "killed", {"--seed", "3"});
    ASSERT_EQ(kill(killed, SIGKILL), 0);
    EXPECT_EQ(Wait(killed), 128 + SIGKILL);
    const pid_t next = StartWindow(work / "next", {"--seed", "3"});
    EXPECT_EQ(ReadText(work / "next" / "stderr.txt").find("sudoku:"), std::string::npos)
        << ReadText(work / "next" / "stderr.txt");
    const SRun second = Second({(work / "evening.sdk").string()});
    EXPECT_EQ(second.status, 0) << second.err;
    End(next);
    EXPECT_EQ(Export(Data() / "autosave.sdk"), Export(work / "evening.sdk"));
}

// A user the password database does not know, with HOME unset, has no data folder: one line
// says so, the game is played, and nothing is written, under /tmp or anywhere else.
TEST_F(E2E, NoHomeFolderMeansNothingIsSaved) {
    constexpr uid_t kStranger = 54321;
    if (geteuid() != 0) {
        GTEST_SKIP() << "only the superuser may run the program as a user with no home";
    }
    // A program folder without the build's marker, as an installed game has.
    const fs::path program = work / "prog";
    fs::create_directories(program);
    for (const fs::directory_entry& entry : fs::directory_iterator(kProgramDir)) {
        const std::string name = entry.path().filename().string();
        if (name != "sudoku" && name != "sudoku-tool" && name != "portable") {
            fs::copy(entry.path(), program / name, fs::copy_options::recursive);
        }
    }
    fs::copy_file(kCases / "hostile.script", work / "play.script");
    fs::permissions(work.Path(), fs::perms::others_all, fs::perm_options::add);
    const pid_t pid =
        Start("sudoku", {"--script", "play.script", "--program-dir", program.string()}, work.Path(),
              {"QT_QPA_PLATFORM=offscreen", "HOME", "XDG_DATA_HOME"}, kStranger);
    const int status = Wait(pid);
    if (status == 77) {
        GTEST_SKIP() << "user " << kStranger << " may not run " << (kProgramDir / "sudoku");
    }
    const std::string err = ReadText(work / "stderr.txt");
    EXPECT_EQ(status, 0) << err;
    // One line of the game's says it, and nothing more is said of it at the end (Qt may add
    // its own word on the runtime folder).
    std::string ours;
    std::istringstream lines(err);
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with("sudoku:")) {
            ours += line + '\n';
        }
    }
    EXPECT_EQ(ours,
              "sudoku: no home folder: HOME is unset and the password database has none for user "
              "54321: nothing is saved (--data-dir DIR names a folder)\n")
        << err;
    EXPECT_FALSE(fs::exists("/tmp/.local/share/sudoku/autosave.sdk"));
    EXPECT_FALSE(fs::exists(work / "autosave.sdk"));
    EXPECT_FALSE(fs::exists(program / "autosave.sdk"));
}

}  // namespace
}  // namespace e2e
