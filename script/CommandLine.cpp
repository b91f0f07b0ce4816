// SCommandLine: the options of the `sudoku` executable and their parser.
#include "script/CommandLine.h"

#include <array>
#include <string_view>

#include "script/Number.h"

namespace {

// Qt's own command-line options (QGuiApplication and QApplication), without their leading
// dash; Qt takes one or two dashes. The first group takes a value.
constexpr std::array<std::string_view, 14> kQtOptionsWithValue = {
    "platform",    "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
    "qwindowicon", "qwindowtitle",       "display",       "style",  "stylesheet",
    "session",     "geometry",           "title",         "name"};
constexpr std::array<std::string_view, 5> kQtFlags = {"reverse", "widgetcount", "nograb", "dograb",
                                                      "sync"};

constexpr std::string_view kUsage =
    "usage: sudoku [--program-dir DIR] [--data-dir DIR] [--screen WxH] [--scale N] [--seed N] "
    "[--language N] [--script FILE] [FILE.sdk]";

constexpr std::string_view kHelp =
    "  --program-dir DIR  the folder with the skins, the splash and the tutorial\n"
    "  --data-dir DIR     where autosave.sdk and options.cfg live\n"
    "  --screen WxH       the emulated screen, 480x272 (default) or 320x240; sides 1..1024\n"
    "  --scale N          the window's zoom, 1..16\n"
    "  --seed N           the seed of new puzzles (decimal or 0x hexadecimal)\n"
    "  --language N       0 English, 1 French, 2 Italian, 3 German, 4 Spanish, 5 Chinese,\n"
    "                     6 Russian\n"
    "  --script FILE      run the events of FILE (- for standard input) without a display\n"
    "  --help             print this\n"
    "Qt's own options (-platform NAME, -style NAME, ...) are passed on to Qt.\n";

bool Contains(std::span<const std::string_view> list, std::string_view name) {
    for (std::string_view entry : list) {
        if (entry == name) {
            return true;
        }
    }
    return false;
}

template <typename T>
bool SetOnce(std::optional<T>& slot, T value, std::string_view option, std::string& error) {
    if (slot) {
        error = std::string(option) + " is given twice";
        return false;
    }
    slot = std::move(value);
    return true;
}

bool Bad(std::string_view option, std::string_view value, std::string_view expected,
         std::string& error) {
    error = std::string(option) + ": bad value \"" + std::string(value) + "\" (" +
            std::string(expected) + ")";
    return false;
}

// One option of ours with its value.
bool TakeOption(std::string_view option, std::string_view value, SCommandLine& out,
                bool& screenSeen, std::string& error) {
    int64_t number = 0;
    if (option == "--program-dir") {
        std::error_code ec;
        if (value.empty() || !std::filesystem::is_directory(std::filesystem::path(value), ec)) {
            return Bad(option, value, "an existing folder", error);
        }
        return SetOnce(out.programDir, std::filesystem::path(value), option, error);
    }
    if (option == "--data-dir") {
        if (value.empty()) {
            return Bad(option, value, "a folder", error);
        }
        return SetOnce(out.dataDir, std::filesystem::path(value), option, error);
    }
    if (option == "--screen") {
        SScreenSize size;
        if (!ParseScreenSize(value, size)) {
            return Bad(
                option, value,
                "WxH, e.g. 480x272 or 320x240, each side 1.." + std::to_string(kMaxScreenSide),
                error);
        }
        if (screenSeen) {
            error = "--screen is given twice";
            return false;
        }
        screenSeen = true;
        out.screen = size;
        return true;
    }
    if (option == "--scale") {
        if (!ParseNumber(value, 1, SCommandLine::kMaxScale, number)) {
            return Bad(option, value,
                       "a whole number 1.." + std::to_string(SCommandLine::kMaxScale), error);
        }
        return SetOnce(out.scale, static_cast<int>(number), option, error);
    }
    if (option == "--seed") {
        uint64_t seed = 0;
        if (!ParseUnsigned(value, seed)) {
            return Bad(option, value, "a whole number, decimal or 0x hexadecimal", error);
        }
        return SetOnce(out.seed, seed, option, error);
    }
    if (option == "--language") {
        if (!ParseNumber(value, 0, 6, number)) {
            return Bad(option, value, "0 to 6", error);
        }
        return SetOnce(out.language, static_cast<int>(number), option, error);
    }
    if (option == "--script") {
        if (value.empty()) {
            return Bad(option, value, "a file", error);
        }
        return SetOnce(out.script, std::filesystem::path(value), option, error);
    }
    error = "unknown option " + std::string(option) + "; " + std::string(kUsage);
    return false;
}

bool IsOurs(std::string_view option) {
    return option == "--program-dir" || option == "--data-dir" || option == "--screen" ||
           option == "--scale" || option == "--seed" || option == "--language" ||
           option == "--script";
}

}  // namespace

std::string_view CommandLineHelp() {
    static const std::string help = std::string(kUsage) + "\n" + std::string(kHelp);
    return help;
}

bool ParseCommandLine(std::span<const std::string> args, SCommandLine& out, std::string& error) {
    out = SCommandLine{};
    bool screenSeen = false;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg.front() != '-') {
            // "-" alone is a file name too.
            if (out.savedGame) {
                error = "only one saved game can be opened; " + std::string(kUsage);
                return false;
            }
            out.savedGame = std::filesystem::path(arg);
            continue;
        }
        if (arg == "--help") {
            out.help = true;
            return true;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        std::string_view option = arg;
        std::optional<std::string_view> value;
        if (const std::size_t eq = arg.find('='); eq != std::string_view::npos) {
            option = arg.substr(0, eq);
            value = arg.substr(eq + 1);
        }
        if (IsOurs(option)) {
            if (!value) {
                if (i + 1 >= args.size()) {
                    error = std::string(option) + " needs a value; " + std::string(kUsage);
                    return false;
                }
                value = args[++i];
            }
            if (!TakeOption(option, *value, out, screenSeen, error)) {
                return false;
            }
            continue;
        }
        const std::string_view bare = arg.substr(arg.starts_with("--") ? 2 : 1);
        if (Contains(kQtOptionsWithValue, bare)) {
            if (i + 1 >= args.size()) {
                error = std::string(arg) + " needs a value";
                return false;
            }
            out.qtArguments.emplace_back(arg);
            out.qtArguments.push_back(args[++i]);
            continue;
        }
        if (Contains(kQtFlags, bare)) {
            out.qtArguments.emplace_back(arg);
            continue;
        }
        return TakeOption(option, value.value_or(""), out, screenSeen, error);
    }
    return true;
}
