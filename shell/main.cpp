// sudoku: the game on the desktop, or a script run against it without a display.
#include <QApplication>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "shell/CommandLine.h"
#include "shell/Program.h"
#include "shell/QtPlatform.h"
#include "shell/Script.h"

namespace {

// Larger scripts are refused rather than read into memory.
constexpr std::size_t kMaxScriptBytes = 16U << 20;

// A script is read as a stream, so that it may come from a pipe ("-" is standard input): at
// most kMaxScriptBytes, else nothing with the reason in `why`.
std::optional<std::string> ReadScript(const std::string& name, std::string& why) {
    const bool standardInput = name == "-";
    const int fd = standardInput ? 0 : ::open(name.c_str(), O_RDONLY | O_NOCTTY | O_CLOEXEC);
    struct stat st {};
    if (fd < 0 || ::fstat(fd, &st) != 0) {
        why = std::strerror(errno);
        return std::nullopt;
    }
    std::string text;
    char buffer[65536];
    ssize_t n = 0;
    if (S_ISDIR(st.st_mode)) {
        why = "it is a folder, not a file";
    } else {
        while (text.size() <= kMaxScriptBytes &&
               ((n = ::read(fd, buffer, sizeof buffer)) > 0 || (n < 0 && errno == EINTR))) {
            text.append(buffer, static_cast<std::size_t>(std::max<ssize_t>(n, 0)));
        }
        why = n < 0                           ? std::strerror(errno)
              : text.size() > kMaxScriptBytes ? "larger than 16 MiB"
                                              : "";
    }
    if (!standardInput) {
        ::close(fd);
    }
    return why.empty() ? std::optional<std::string>(std::move(text)) : std::nullopt;
}

// A closed output (a pipe whose reader has gone, `sudoku --script p.txt | head -1`) must not
// end the game before it is saved: writes fail with EPIPE instead. A handler rather than
// SIG_IGN, so that the programs the game starts (the browser) begin with the default.
void KeepGoingOnClosedOutput() {
    struct sigaction action {};
    action.sa_handler = [](int) {};
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGPIPE, &action, nullptr);
}

}  // namespace

int main(int argc, char** argv) {
    KeepGoingOnClosedOutput();
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    SCommandLine commandLine;
    std::string error;
    // Nothing is read or written before the command line is known to be good.
    if (!ParseCommandLine(args, commandLine, error)) {
        std::cerr << "sudoku: " << error << '\n';
        return 2;
    }
    if (commandLine.help) {
        std::cout << CommandLineHelp() << std::flush;
        return std::cout ? 0 : 1;
    }
    std::vector<SParsedLine> script;
    std::vector<std::string> qtArgs{argc > 0 ? argv[0] : "sudoku"};
    if (commandLine.script) {
        std::string why;
        const auto text = ReadScript(commandLine.script->string(), why);
        if (!text) {
            std::cerr << "sudoku: --script: cannot read " << commandLine.script->string() << " ("
                      << why << ")\n";
            return 2;
        }
        script = ParseScript(*text);
        // Script mode needs no display, whatever -platform says.
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        const std::vector<std::string> qt = WithoutPlatform(commandLine.qtArguments);
        qtArgs.insert(qtArgs.end(), qt.begin(), qt.end());
    } else {
        if (const auto why = WhyNoWindowPlatform(commandLine.qtArguments)) {
            std::cerr << "sudoku: " << *why << '\n';
            return 2;
        }
        qtArgs.insert(qtArgs.end(), commandLine.qtArguments.begin(), commandLine.qtArguments.end());
    }

    // Qt sees only its own options.
    std::vector<char*> qtArgv;
    for (std::string& arg : qtArgs) {
        qtArgv.push_back(arg.data());
    }
    qtArgv.push_back(nullptr);
    int qtArgc = static_cast<int>(qtArgs.size());
    QApplication::setOrganizationName(QStringLiteral("Local AppWizard-Generated Applications"));
    QApplication::setApplicationName(QStringLiteral("Sudoku"));
    // The desktop entry the window belongs to, for its icon and name on Wayland.
    QGuiApplication::setDesktopFileName(QStringLiteral(SUDOKU_APP_ID));
    std::optional<CQtStartGuard> guard;
    guard.emplace("no display: set DISPLAY, or use --script");
    QApplication application(qtArgc, qtArgv.data());
    guard.reset();

    const SGameSetup setup = ResolveSetup(commandLine);
    if (commandLine.script) {
        return RunScript(commandLine, setup, script);
    }
    return RunWindow(commandLine, setup);
}
