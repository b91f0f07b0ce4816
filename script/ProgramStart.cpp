// The first step of every program that runs the game: its command line and the script it names.
#include "script/ProgramStart.h"

#include <iostream>

#include "script/ScriptFile.h"

std::optional<int> StartProgram(std::span<const std::string> args, SCommandLine& commandLine,
                                std::vector<SParsedLine>& script) {
    std::string error;
    if (!ParseCommandLine(args, commandLine, error)) {
        std::cerr << "sudoku: " << error << '\n';
        return 2;
    }
    if (commandLine.help) {
        std::cout << CommandLineHelp() << std::flush;
        return std::cout ? 0 : 1;
    }
    if (commandLine.script) {
        std::string why;
        const auto text = ReadScriptText(commandLine.script->string(), why);
        if (!text) {
            std::cerr << "sudoku: --script: cannot read " << commandLine.script->string() << " ("
                      << why << ")\n";
            return 2;
        }
        script = ParseScript(*text);
    }
    return std::nullopt;
}
