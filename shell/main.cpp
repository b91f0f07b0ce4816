// sudoku: the game on the desktop, or a script run against it without a display.
#include <QApplication>

#include <signal.h>

#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "script/CommandLine.h"
#include "script/GameSetup.h"
#include "script/ProgramStart.h"
#include "script/Script.h"
#include "shell/Program.h"
#include "shell/QtPlatform.h"

namespace {

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
    std::vector<SParsedLine> script;
    // Nothing is read or written before the command line is known to be good.
    if (const auto status = StartProgram(args, commandLine, script)) {
        return *status;
    }
    std::vector<std::string> qtArgs{argc > 0 ? argv[0] : "sudoku"};
    if (commandLine.script) {
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
