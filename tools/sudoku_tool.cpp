// sudoku-tool: the command-line companion of the game, on the same engine.
#include <cstring>
#include <iostream>
#include <string_view>

#include "tools/EngineCommands.h"
#include "tools/GameCommands.h"
#include "tools/RenderCommand.h"

namespace {

struct CommandEntry {
    std::string_view name;
    tool::Command run;
};

constexpr CommandEntry kCommands[] = {
    {"solve", tool::RunSolve},   {"generate", tool::RunGenerate}, {"hint", tool::RunHint},
    {"check", tool::RunCheck},   {"import", tool::RunImport},     {"show", tool::RunShow},
    {"export", tool::RunExport}, {"stats", tool::RunStats},       {"render", tool::RunRender},
};

constexpr const char* kUsage =
    "usage: sudoku-tool COMMAND [ARGUMENTS]\n"
    "\n"
    "Puzzles are 81 characters, row by row: 1-9 for a digit, '.' or '0' for an empty cell.\n"
    "\n"
    "  solve [FILE|-]                 solve one puzzle per line (standard input by default)\n"
    "  generate --level L [--count N] new puzzles, L = 30, 40, 44, 50 or 65\n"
    "  hint PUZZLE                    the cell a hint points at: 'X Y' (column, row) or 'none'\n"
    "  check PUZZLE                   rules kept?, solved by hidden singles?, solutions\n"
    "  import PUZZLE -o FILE.sdk      a saved game holding the puzzle as a custom game\n"
    "  show FILE.sdk                  a saved game as text\n"
    "  export FILE.sdk                its givens and its current board, one line each\n"
    "  stats [options.cfg]            the statistics of every level\n"
    "  render FILE.sdk -o OUT.png     the game screen of a saved game as a PNG image\n"
    "      [--options options.cfg] [--program-dir DIR] [--screen WxH] [--pencil]\n"
    "      [--hint X Y] [--clock]\n"
    "\n"
    "--seed N makes every random choice reproducible. Bad input: a message on standard error\n"
    "and exit status 2.\n";

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        std::cout << kUsage;
        return argc < 2 ? tool::kBadInput : tool::kOk;
    }
    const std::string_view name = argv[1];
    for (const CommandEntry& c : kCommands) {
        if (c.name == name) {
            const tool::Args args(argv + 2, argv + argc);
            return c.run(args, std::cin, std::cout, std::cerr);
        }
    }
    std::cerr << "sudoku-tool: unknown command '" << name << "'\n" << kUsage;
    return tool::kBadInput;
}
