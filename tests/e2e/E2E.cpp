// End-to-end support: running the programs of the program folder, and the working folder of
// one run with what a run leaves in it.
#include "tests/e2e/E2E.h"

#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <span>
#include <sstream>
#include <thread>

#include "game/OptionsFile.h"
#include "platform/DataManager.h"
#include "platform/ScriptedShell.h"

namespace e2e {

const fs::path kProgramDir = SUDOKU_PROGRAM_DIR;
const fs::path kCases = SUDOKU_E2E_CASES;

std::string ScriptProgram() {
    const char* program = std::getenv("SUDOKU_E2E_PROGRAM");
    return program != nullptr && *program != '\0' ? program : "sudoku";
}

bool DrawsDialogs() {
    return ScriptProgram() == "sudoku";
}

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

pid_t Start(const std::string& program, const std::vector<std::string>& args, const fs::path& cwd,
            const std::vector<std::string>& env, std::optional<uid_t> user) {
    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(cwd.c_str()) != 0) {
            _exit(126);
        }
        const int out = open("stdout.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = open("stderr.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(out, 1);
        dup2(err, 2);
        for (const std::string& e : env) {
            putenv(const_cast<char*>(e.c_str()));
        }
        const std::string path = (kProgramDir / program).string();
        if (user && (setgroups(0, nullptr) != 0 || setgid(*user) != 0 || setuid(*user) != 0 ||
                     access(path.c_str(), X_OK) != 0 || access(".", X_OK) != 0)) {
            _exit(77);
        }
        std::vector<char*> argv{const_cast<char*>(path.c_str())};
        for (const std::string& a : args) {
            argv.push_back(const_cast<char*>(a.c_str()));
        }
        argv.push_back(nullptr);
        execv(path.c_str(), argv.data());
        _exit(127);
    }
    return pid;
}

int Wait(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

bool WaitForLine(const fs::path& cwd, const std::string& line) {
    for (int i = 0; i < 200; ++i) {
        if (ReadText(cwd / "stderr.txt").find(line) != std::string::npos) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

std::optional<int> WaitAtMost(pid_t pid, int seconds) {
    for (int i = 0; i < seconds * 20; ++i) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    kill(pid, SIGKILL);
    Wait(pid);
    return std::nullopt;
}

SRun RunProgram(const std::string& program, const std::vector<std::string>& args,
                const fs::path& cwd, std::optional<uid_t> user) {
    SRun run;
    run.status = Wait(Start(program, args, cwd, {"QT_QPA_PLATFORM=offscreen"}, user));
    run.out = ReadText(cwd / "stdout.txt");
    run.err = ReadText(cwd / "stderr.txt");
    return run;
}

SRun E2E::Script(const std::string& name, std::vector<std::string> extra) {
    fs::copy_file(kCases / (name + ".script"), work / "play.script",
                  fs::copy_options::overwrite_existing);
    std::vector<std::string> args{"--script", "play.script", "--data-dir", "data"};
    args.insert(args.end(), extra.begin(), extra.end());
    return RunProgram(ScriptProgram(), args, work.Path());
}

std::string E2E::ExpectedLog(const std::string& name) const {
    return ReadText(kCases / (name + ".log"));
}

int E2E::SSaved::Empty() const {
    int empty = 0;
    for (int x = 0; x < 9; ++x) {
        for (int y = 0; y < 9; ++y) {
            empty += board.GetCell(x, y).value == 0 ? 1 : 0;
        }
    }
    return empty;
}

std::unique_ptr<E2E::SSaved> E2E::Saved(const fs::path& path) {
    auto saved = std::make_unique<SSaved>();
    const std::string bytes = ReadText(path);
    EXPECT_EQ(bytes.size(), CBoard::kStateBytes) << path;
    saved->read = bytes.size() == CBoard::kStateBytes &&
                  saved->board.LoadState(std::span<const uint8_t>(
                      reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
    EXPECT_TRUE(saved->read) << path;
    return saved;
}

COptions E2E::Options() {
    ScriptedShell shell;
    DataManager data(kProgramDir, Data(), shell);
    COptions options;
    LoadOptions(options, data);
    return options;
}

void WriteOptions(const fs::path& data, int language, int inputMode) {
    ScriptedShell shell;
    DataManager manager(kProgramDir, data, shell);
    COptions options;
    options.SetLanguage(language);
    options.SetInputMode(inputMode);
    ASSERT_TRUE(SaveOptions(options, manager));
}

void ExpectBothFilesWritten(E2E& t) {
    EXPECT_EQ(fs::file_size(t.Data() / "options.cfg"), 140U);
    EXPECT_TRUE(t.Saved(t.Data() / "autosave.sdk")->read);
}

}  // namespace e2e
