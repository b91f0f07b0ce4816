// sudoku: the game on the desktop, or a script run against it without a display.
#include <QApplication>

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "platform/FileIO.h"
#include "shell/CommandLine.h"
#include "shell/Program.h"
#include "shell/Script.h"

namespace {

// Larger scripts are refused rather than read into memory.
constexpr std::size_t kMaxScriptBytes = 16U << 20;

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    SCommandLine commandLine;
    std::string error;
    // Nothing is read or written before the command line is known to be good.
    if (!ParseCommandLine(args, commandLine, error)) {
        std::cerr << "sudoku: " << error << '\n';
        return 2;
    }
    std::vector<SParsedLine> script;
    if (commandLine.script) {
        std::string why;
        const auto text = fileio::ReadFile(*commandLine.script, kMaxScriptBytes, &why);
        if (!text || text->size() > kMaxScriptBytes) {
            std::cerr << "sudoku: --script: cannot read " << commandLine.script->string() << " ("
                      << (text ? "larger than 16 MiB" : why) << ")\n";
            return 2;
        }
        script = ParseScript(
            std::string_view(reinterpret_cast<const char*>(text->data()), text->size()));
        // Script mode needs no display.
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }

    // Qt sees only its own options.
    std::vector<std::string> qtArgs{argc > 0 ? argv[0] : "sudoku"};
    qtArgs.insert(qtArgs.end(), commandLine.qtArguments.begin(), commandLine.qtArguments.end());
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
    QApplication application(qtArgc, qtArgv.data());

    const SGameSetup setup = ResolveSetup(commandLine);
    if (commandLine.script) {
        return RunScript(commandLine, setup, script);
    }
    return RunWindow(commandLine, setup);
}
