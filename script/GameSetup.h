// SGameSetup: the folders and the seed a command line comes to, with the defaults filled in.
#pragma once

#include <cstdint>
#include <filesystem>

#include "script/CommandLine.h"
#include "ui/GameRoot.h"

struct SGameSetup {
    std::filesystem::path programFolder;
    std::filesystem::path dataFolder;  // empty: there is none, and nothing is saved
    uint64_t seed = 1;
};

// Folders from the options, or the program's own folder and the default data folder (when
// there is none, one line on standard error says why); the seed from --seed, else 1 under a
// script and the tick count in a window.
SGameSetup ResolveSetup(const SCommandLine& commandLine);

// What the game root is built from.
CGameRoot::SSettings GameSettings(const SCommandLine& commandLine, const SGameSetup& setup);
