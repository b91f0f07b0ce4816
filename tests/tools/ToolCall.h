// Test support for sudoku-tool: a command run in process on given arguments and input.
#pragma once

#include <sstream>
#include <string>

#include "tools/ToolSupport.h"

namespace testsupport {

// A puzzle with one solution, and that solution.
constexpr const char* kUniquePuzzle =
    ".5..83.17...1..4..3.4..56.8....3...9.9.8245....6....7...9....5...729..861.36.72.4";
constexpr const char* kUniqueSolution =
    "652483917978162435314975628825736149791824563436519872269348751547291386183657294";

struct ToolOutcome {
    int status = 0;
    std::string out;
    std::string err;
};

inline ToolOutcome CallTool(tool::Command command, const tool::Args& args,
                            const std::string& input = "") {
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    ToolOutcome r;
    r.status = command(args, in, out, err);
    r.out = out.str();
    r.err = err.str();
    return r;
}

}  // namespace testsupport
