// sudoku-tool's commands on the game's own files: stats.
#include <unistd.h>
#include <filesystem>
#include <iomanip>
#include <ostream>

#include "engine/Options.h"
#include "game/Statistics.h"
#include "platform/DataManager.h"
#include "platform/FileIO.h"
#include "tools/Commands.h"

namespace tool {

namespace {

// The options file the game uses when none is named: options.cfg of the data folder of a
// game installed beside this program.
std::filesystem::path DefaultOptionsFile() {
    return DataManager::DefaultDataFolder(DataManager::ExecutableFolder()) / "options.cfg";
}

}  // namespace

int RunStats(const Args& args, std::istream&, std::ostream& out, std::ostream& err) {
    for (const std::string& a : args) {
        if (a.size() > 1 && a[0] == '-') {
            return Fail(err, "unknown option '" + a + "'");
        }
    }
    if (args.size() > 1) {
        return Fail(err, "too many arguments");
    }
    const std::filesystem::path file =
        args.empty() ? DefaultOptionsFile() : std::filesystem::path(args[0]);
    COptions options;
    std::string why;
    const auto bytes = fileio::ReadFile(file, COptions::kFileBytes, &why);
    if (bytes) {
        // As the game reads it: up to 140 bytes, the rest keeps the defaults.
        options.ReadImage(bytes->data(), std::min(bytes->size(), COptions::kFileBytes));
    } else if (!args.empty()) {
        return Fail(err, "cannot read " + file.string() + ": " + why);
    } else {
        out << "(no " << file.string() << " yet: nothing solved)\n";
    }
    static constexpr const char* kRows[] = {"All",  "Beginner", "Easy",  "Medium",
                                            "Hard", "Expert",   "Custom"};
    out << std::left << std::setw(10) << "level" << std::setw(8) << "solved" << std::setw(12)
        << "total" << std::setw(12) << "best"
        << "average\n";
    for (int i = 0; i <= kLevelSlots; ++i) {
        const SLevelStats s = GetLevelStats(options, i);
        out << std::setw(10) << kRows[i] << std::setw(8) << s.solved << std::setw(12)
            << StatTimeText(s.totalTime) << std::setw(12) << StatTimeText(s.bestTime)
            << StatTimeText(s.averageTime) << '\n';
    }
    return kOk;
}

}  // namespace tool
