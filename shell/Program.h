// The composition roots of the program: the game with Qt's services in a window, or with the
// scripted ones under a script.
#pragma once

#include <vector>

#include "script/CommandLine.h"
#include "script/GameSetup.h"
#include "script/Script.h"

// Runs the game in a window until it ends; gives the exit status (1 when it cannot start). A
// QApplication must exist.
int RunWindow(const SCommandLine& commandLine, const SGameSetup& setup);

// Runs a script against the game without a display, drawing with Qt; gives the exit status of
// the script mode. A QApplication (offscreen) must exist.
int RunScript(const SCommandLine& commandLine, const SGameSetup& setup,
              const std::vector<SParsedLine>& script);
