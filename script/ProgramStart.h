// The first step of every program that runs the game: its command line and the script it names.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "script/CommandLine.h"
#include "script/Script.h"

// Reads the arguments after the program name into `commandLine` and, with --script, reads and
// parses the script into `script`; nothing is read or written otherwise. Gives the exit status
// when the program ends here: 2 for a bad command line or a script that cannot be read (one line
// "sudoku: ..." on standard error), and for --help the usage on standard output with 0 (1 when
// it could not be written). Nothing when the game is to run.
std::optional<int> StartProgram(std::span<const std::string> args, SCommandLine& commandLine,
                                std::vector<SParsedLine>& script);
