// End-to-end support: running the programs of the program folder, and the working folder of
// one run with what a run leaves in it.
#pragma once

#include <gtest/gtest.h>

#include <sys/types.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/Board.h"
#include "engine/Options.h"
#include "engine/Random.h"
#include "tests/support/TempDir.h"

namespace e2e {

namespace fs = std::filesystem;

extern const fs::path kProgramDir;  // the built programs and their assets
extern const fs::path kCases;       // cases/: scripts and their expected logs

// The program the scripts run through: `sudoku` of the program folder, or the one that
// SUDOKU_E2E_PROGRAM names (build-web/bin/sudoku-node, the browser edition's script mode).
std::string ScriptProgram();
// Whether that program draws dialogs: sudoku-node does not, and gives an error line for each
// `dialog screenshot` instead.
bool DrawsDialogs();

std::string ReadText(const fs::path& path);

struct SRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Starts a program of the program folder (or at an absolute path) in `cwd` with standard output and
// error going to stdout.txt and stderr.txt there; `env` entries ("NAME=VALUE") are added to the
// environment, and an entry without '=' ("NAME") removes that variable. With `user`, the program
// runs as that user and group with no supplementary groups (the output files are opened before);
// the child ends with status 77 when that user may not run the program. The child is returned still
// running.
pid_t Start(const std::string& program, const std::vector<std::string>& args, const fs::path& cwd,
            const std::vector<std::string>& env, std::optional<uid_t> user = std::nullopt);

// The exit status, or 128 + the signal that ended the program.
int Wait(pid_t pid);

// Reads the standard error of a program started in `cwd` until `line` appears in it (at most
// ten seconds).
bool WaitForLine(const fs::path& cwd, const std::string& line);

// The exit status as Wait gives it; nothing when the program has not ended within `seconds`
// (it is then killed), so that a program that should end but runs on fails its test.
std::optional<int> WaitAtMost(pid_t pid, int seconds);

// Runs a program under the offscreen platform to its end.
SRun RunProgram(const std::string& program, const std::vector<std::string>& args,
                const fs::path& cwd, std::optional<uid_t> user = std::nullopt);

// The working folder of one run: the data folder is data/ below it.
class E2E : public ::testing::Test {
public:
    fs::path Data() const { return work / "data"; }

    // Runs cases/NAME.script with the data folder and the extra options.
    SRun Script(const std::string& name, std::vector<std::string> extra = {});
    std::string ExpectedLog(const std::string& name) const;

    // The saved game at `path`: 1811 bytes the engine takes (the level and the custom-entry flag
    // go to its own options).
    struct SSaved {
        CRandom random;
        COptions options;
        CBoard board{random, options};
        bool read = false;

        int Empty() const;
    };
    std::unique_ptr<SSaved> Saved(const fs::path& path);
    // options.cfg of the data folder as the game reads it.
    COptions Options();

    testsupport::TempDir work;
};

// A script of cases/, the options it runs with, what is made before and checked after.
struct SScriptCase {
    const char* name;               // cases/NAME.script and cases/NAME.log
    std::vector<std::string> args;  // more options
    std::function<void(E2E&, const fs::path& work)> prepare;
    int status;
    std::function<void(E2E&, const fs::path& work)> check;
};

// options.cfg with the defaults but for these fields, written into `data`.
void WriteOptions(const fs::path& data, int language, int inputMode);

// options.cfg is 140 bytes and autosave.sdk a whole saved game.
void ExpectBothFilesWritten(E2E& t);

}  // namespace e2e
