// SCommandLine: the options of the `sudoku` executable and their parser.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/Screen.h"

// sudoku [OPTIONS] [FILE.sdk]
//   --program-dir DIR   the program folder (skins, splash, tutorial); an existing folder
//   --data-dir DIR      where autosave.sdk and options.cfg live
//   --screen WxH        the emulated device screen (480x272 or 320x240 layouts)
//   --scale N           whole-number zoom of the window, 1..kMaxScale
//   --seed N            seed of the random source (decimal or 0x hex, 64 bits)
//   --language N        language index 0..6, as if chosen in the Language dialog
//   --script FILE       run FILE in virtual time without a display; "-" is standard input
//   --help              the usage on standard output; nothing else is done
// Each option also takes the form --option=VALUE. Qt's own options (-platform NAME, -display
// NAME, -style NAME, ...) are passed through to Qt untouched. One more argument names a saved
// game to open after the start-up; "--" ends the options.
struct SCommandLine {
    static constexpr int kMaxScale = 16;

    std::optional<std::filesystem::path> programDir;
    std::optional<std::filesystem::path> dataDir;
    SScreenSize screen = kScreen480x272;
    std::optional<int> scale;
    std::optional<uint64_t> seed;
    std::optional<int> language;
    std::optional<std::filesystem::path> script;
    std::optional<std::filesystem::path> savedGame;
    std::vector<std::string> qtArguments;  // in their order, values included
    bool help = false;                     // --help: the other arguments are not looked at
};

// The usage with one line per option, for --help.
std::string_view CommandLineHelp();

// Reads the arguments after the program name. False with one line saying what is wrong (no
// program name, no line feed) for an unknown option, a missing or bad value, an option given
// twice or a second saved game; `out` is then incomplete and must not be used. Looks at the file
// system only to check that --program-dir names a folder.
bool ParseCommandLine(std::span<const std::string> args, SCommandLine& out, std::string& error);
