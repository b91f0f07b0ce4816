// The commands of sudoku-tool, each a function of its arguments and streams.
#pragma once

#include "tools/ToolSupport.h"

namespace tool {

int RunSolve(const Args& args, std::istream& in, std::ostream& out, std::ostream& err);
int RunGenerate(const Args& args, std::istream& in, std::ostream& out, std::ostream& err);
int RunHint(const Args& args, std::istream& in, std::ostream& out, std::ostream& err);
int RunCheck(const Args& args, std::istream& in, std::ostream& out, std::ostream& err);
int RunImport(const Args& args, std::istream& in, std::ostream& out, std::ostream& err);
int RunShow(const Args& args, std::istream& in, std::ostream& out, std::ostream& err);
int RunExport(const Args& args, std::istream& in, std::ostream& out, std::ostream& err);
int RunStats(const Args& args, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace tool
