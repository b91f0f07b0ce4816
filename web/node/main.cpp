// sudoku-node: the game's script mode under node, drawing text with the desktop's glyphs.
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "platform/GlyphCanvas.h"
#include "res/Glyphs.h"
#include "script/GameSetup.h"
#include "script/ProgramStart.h"
#include "script/ScriptSession.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    SCommandLine commandLine;
    std::vector<SParsedLine> script;
    if (const auto status = StartProgram(args, commandLine, script)) {
        return *status;
    }
    // Qt's options (-platform offscreen) have nothing to set here.
    if (!commandLine.script) {
        std::cerr << "sudoku: sudoku-node runs scripts only: --script FILE\n";
        return 2;
    }
    // The program folder is that of sudoku-node.js, which node's loader passes as argv[0], as the
    // desktop game's is that of its executable.
    if (!commandLine.programDir && argc > 0) {
        commandLine.programDir = std::filesystem::absolute(argv[0]).parent_path();
    }
    // The glyph set of the desktop's font: screenshots equal the desktop script mode's.
    CGlyphCanvasFactory canvases(res::GlyphSetResource(res::kGlyphSetPixelSize));
    return RunScriptSession(ScriptSessionFor(commandLine, ResolveSetup(commandLine)), script,
                            canvases, nullptr, std::cout);
}
