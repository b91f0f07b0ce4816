// SGameSetup: the folders and the seed a command line comes to, with the defaults filled in.
#include "script/GameSetup.h"

#include <time.h>

#include <iostream>
#include <string>

#include "platform/DataManager.h"

namespace {

// Milliseconds since the machine started, as the device's tick count.
uint64_t TickCount() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<uint64_t>(ts.tv_sec) * 1000U + static_cast<uint64_t>(ts.tv_nsec) / 1000000U;
}

}  // namespace

SGameSetup ResolveSetup(const SCommandLine& commandLine) {
    SGameSetup setup;
    setup.programFolder = commandLine.programDir.value_or(DataManager::ExecutableFolder());
    if (commandLine.dataDir) {
        setup.dataFolder = *commandLine.dataDir;
    } else {
        std::string why;
        setup.dataFolder = DataManager::DefaultDataFolder(setup.programFolder, &why);
        if (setup.dataFolder.empty()) {
            // Never a folder any other user could prepare, such as one under /tmp.
            std::cerr << "sudoku: " << why
                      << ": nothing is saved (--data-dir DIR names a folder)\n";
        }
    }
    setup.seed = commandLine.seed.value_or(commandLine.script ? 1 : TickCount());
    return setup;
}

CGameRoot::SSettings GameSettings(const SCommandLine& commandLine, const SGameSetup& setup) {
    CGameRoot::SSettings settings;
    settings.programFolder = setup.programFolder;
    settings.dataFolder = setup.dataFolder;
    settings.screen = commandLine.screen;
    settings.seed = setup.seed;
    return settings;
}
