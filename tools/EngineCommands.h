// sudoku-tool's engine commands, each a function of its arguments and streams.
#pragma once

#include "tools/ToolSupport.h"

namespace tool {

int RunSolve(const Args& args, std::istream& in, std::ostream& out, std::ostream& err);
int RunGenerate(const Args& args, std::istream& in, std::ostream& out, std::ostream& err);
int RunHint(const Args& args, std::istream& in, std::ostream& out, std::ostream& err);
int RunCheck(const Args& args, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace tool
