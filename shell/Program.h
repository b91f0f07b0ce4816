// The composition roots of the program: the game with Qt's services in a window, or with the
// scripted ones under a script.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "shell/CommandLine.h"
#include "shell/Script.h"

// The folders and the seed the command line comes to, defaults filled in.
struct SGameSetup {
    std::filesystem::path programFolder;
    std::filesystem::path dataFolder;
    uint64_t seed = 1;
};

// Folders from the options, or the program's own folder and the default data folder; the seed
// from --seed, else 1 under a script and the tick count in a window.
SGameSetup ResolveSetup(const SCommandLine& commandLine);

// Runs the game in a window until it ends; gives the exit status (1 when it cannot start). A
// QApplication must exist.
int RunWindow(const SCommandLine& commandLine, const SGameSetup& setup);

// Runs a script against the game without a display; gives the exit status of the script mode.
// A QApplication (offscreen) must exist.
int RunScript(const SCommandLine& commandLine, const SGameSetup& setup,
              const std::vector<SParsedLine>& script);
