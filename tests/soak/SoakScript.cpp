// soak-script: a script of random events for the script mode, the same for the same seed.
//
//   soak-script SEED EVENTS
//
// writes EVENTS event lines (a key counts as one event though it is two halves) to standard
// output. The events are drawn from everything a player and the desktop can do: taps anywhere
// (on the board, the palette, off the view, far away), keys (the game's own and any other
// code), every command of res/Commands.h and numbers that are no command, toolbar buttons held
// and let go, message answers, file answers, dialog actions, waits, foreground changes and
// screenshots. Commands that end the program (Exit, Save and Exit) and `exit` only come last,
// one of them or none by the seed, so that every event runs.
//
// File answers name these paths of the working folder, which the caller prepares:
//   game.sdk        a whole saved game            damaged.sdk   bytes that are no saved game
//   short.sdk       the start of a saved game     folder        a folder
//   dangling.sdk    a link that leads nowhere     missing.sdk   nothing (until a Save makes it)
//   saves/          a folder for new saves        no/such/x.sdk a folder that is not there
// and data/autosave.sdk, the autosave itself. Screenshots go to shots/ (a few names, reused).
#include <array>
#include <cstdint>
#include <cstdio>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "res/Commands.h"
#include "res/Dialogs.h"
#include "res/Menus.h"

namespace {

// SplitMix64: a small generator whose sequence is the same on every system and library.
class CSequence {
public:
    explicit CSequence(uint64_t seed) : m_state(seed) {}
    uint64_t Next() {
        uint64_t z = (m_state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30U)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27U)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31U);
    }
    // min..max, both included.
    int64_t Between(int64_t min, int64_t max) {
        return min + static_cast<int64_t>(Next() % static_cast<uint64_t>(max - min + 1));
    }
    // True `percent` times in a hundred.
    bool Chance(int percent) { return Between(0, 99) < percent; }
    template <typename T>
    const T& Pick(const std::vector<T>& from) {
        return from[static_cast<std::size_t>(Between(0, static_cast<int64_t>(from.size()) - 1))];
    }

private:
    uint64_t m_state;
};

// The game's keys: Enter, the arrows, the digits 0..9 and the star key.
const std::vector<int> kGameKeys = {0x0D, 0x25, 0x26, 0x27, 0x28, 0x30, 0x31, 0x32,
                                    0x33, 0x34, 0x35, 0x36, 0x37, 0x38, 0x39, 0x77};

const std::vector<std::string> kFiles = {
    "game.sdk",    "damaged.sdk", "short.sdk",   "folder",        "dangling.sdk",
    "missing.sdk", "saves/a.sdk", "saves/b.sdk", "no/such/x.sdk", "data/autosave.sdk",
};

// Every command but those that end the program, and numbers no command has.
std::vector<int> PlayCommands() {
    std::vector<int> ids;
    for (const CommandId id : kAllCommands) {
        if (id != CommandId::kExit && id != CommandId::kSaveAndExit) {
            ids.push_back(static_cast<int>(id));
        }
    }
    return ids;
}
const std::vector<int> kNoCommands = {0, 2, 110, 32771, 32800, 57602, 57666, 65535};

std::vector<int> ToolbarButtons() {
    std::vector<int> ids;
    if (const res::SToolbar* bar = res::FindToolbar(res::kMainResource)) {
        for (const CommandId id : bar->positions) {
            if (id != res::kToolbarSeparator) {
                ids.push_back(static_cast<int>(id));
            }
        }
    }
    return ids;
}

// Controls of the three dialogs, and one no dialog has.
std::vector<int> DialogControls() {
    std::vector<int> ids = {1, 2, res::kStatsReset, res::kStatsLevelList, res::kAboutPicture, 4242};
    for (int language = 0; language < 7; ++language) {
        ids.push_back(res::kLanguageRadio + language);
    }
    return ids;
}

std::string Tap(CSequence& s) {
    int64_t x = 0;
    int64_t y = 0;
    const int64_t where = s.Between(0, 99);
    if (where < 45) {  // the board
        x = s.Between(142, 330);
        y = s.Between(12, 200);
    } else if (where < 65) {  // the palette and the gap above it
        x = s.Between(138, 334);
        y = s.Between(198, 228);
    } else if (where < 95) {  // anywhere near the view, edges included
        x = s.Between(-40, 520);
        y = s.Between(-40, 290);
    } else {  // far away
        x = s.Between(-1'000'000, 1'000'000);
        y = s.Between(-1'000'000, 1'000'000);
    }
    return "tap " + std::to_string(x) + " " + std::to_string(y);
}

int AnyKey(CSequence& s) {
    return s.Chance(75) ? s.Pick(kGameKeys) : static_cast<int>(s.Between(0, 255));
}

int64_t WaitMs(CSequence& s) {
    const int64_t kind = s.Between(0, 99);
    if (kind < 50) {
        return s.Between(0, 400);
    }
    if (kind < 90) {
        return s.Between(400, 3000);
    }
    if (kind < 99) {
        return s.Between(3000, 20000);
    }
    return s.Between(20000, 600000);
}

std::string Event(CSequence& s, const std::vector<int>& commands, const std::vector<int>& buttons,
                  const std::vector<int>& controls) {
    const int64_t kind = s.Between(0, 999);
    if (kind < 250) {
        return Tap(s);
    }
    if (kind < 400) {
        return "key " + std::to_string(AnyKey(s));
    }
    if (kind < 440) {
        return (s.Chance(50) ? "keydown " : "keyup ") + std::to_string(AnyKey(s));
    }
    if (kind < 580) {
        const int id = s.Chance(90) ? s.Pick(commands) : s.Pick(kNoCommands);
        return "command " + std::to_string(id);
    }
    if (kind < 620) {
        const int id = s.Chance(85) ? s.Pick(buttons) : s.Pick(kNoCommands);
        return (s.Chance(50) ? "press " : "release ") + std::to_string(id);
    }
    if (kind < 700) {
        static const std::array<const char*, 3> kAnswers = {"answer yes", "answer no", "answer ok"};
        return kAnswers[static_cast<std::size_t>(s.Between(0, 2))];
    }
    if (kind < 760) {
        return s.Chance(15) ? "file cancel" : "file " + s.Pick(kFiles);
    }
    if (kind < 820) {
        const int64_t action = s.Between(0, 99);
        if (action < 35) {
            return "dialog click " + std::to_string(s.Pick(controls));
        }
        if (action < 55) {
            return "dialog select " + std::to_string(s.Pick(controls)) + " " +
                   std::to_string(s.Between(0, 8));
        }
        if (action < 75) {
            return "dialog ok";
        }
        if (action < 97) {
            return "dialog cancel";
        }
        return "dialog screenshot shots/dialog-" + std::to_string(s.Between(0, 2)) + ".png";
    }
    if (kind < 960) {
        return "wait " + std::to_string(WaitMs(s));
    }
    if (kind < 995) {
        return s.Chance(50) ? "foreground on" : "foreground off";
    }
    return "screenshot shots/screen-" + std::to_string(s.Between(0, 2)) + ".png";
}

bool ParseCount(std::string_view text, uint64_t& out) {
    if (text.empty() || text.size() > 19) {
        return false;
    }
    uint64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
        value = value * 10 + static_cast<uint64_t>(c - '0');
    }
    out = value;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    uint64_t seed = 0;
    uint64_t events = 0;
    if (argc != 3 || !ParseCount(argv[1], seed) || !ParseCount(argv[2], events)) {
        std::cerr << "usage: soak-script SEED EVENTS\n";
        return 2;
    }
    CSequence s(seed);
    const std::vector<int> commands = PlayCommands();
    const std::vector<int> buttons = ToolbarButtons();
    const std::vector<int> controls = DialogControls();
    std::string out =
        "# " + std::to_string(events) + " random events, seed " + std::to_string(seed) + "\n";
    for (uint64_t i = 0; i < events; ++i) {
        out += Event(s, commands, buttons, controls);
        out += '\n';
    }
    const std::array<std::string, 4> ends = {
        "exit\n", "command " + std::to_string(static_cast<int>(CommandId::kSaveAndExit)) + "\n",
        "command " + std::to_string(static_cast<int>(CommandId::kExit)) + "\n", ""};
    out += ends[static_cast<std::size_t>(s.Between(0, 3))];
    std::fwrite(out.data(), 1, out.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
