// sudoku-tool's commands on the game's files, each a function of its arguments and streams.
#pragma once

#include "tools/ToolSupport.h"

namespace tool {

int RunImport(const Args& args, std::istream& in, std::ostream& out, std::ostream& err);
int RunShow(const Args& args, std::istream& in, std::ostream& out, std::ostream& err);
int RunExport(const Args& args, std::istream& in, std::ostream& out, std::ostream& err);
int RunStats(const Args& args, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace tool
