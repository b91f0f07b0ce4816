// sudoku-tool's commands on the game's own files: import, show, export and stats.
#include "tools/GameCommands.h"

#include <filesystem>
#include <iomanip>
#include <ostream>

#include "engine/Board.h"
#include "engine/Options.h"
#include "game/OptionsFile.h"
#include "game/SaveFile.h"
#include "game/Statistics.h"
#include "platform/DataManager.h"

namespace tool {

namespace {

// The options file the game uses when none is named: options.cfg of the data folder of a
// game installed beside this program; empty, with the reason, when the user has no data folder.
std::filesystem::path DefaultOptionsFile(std::string* why) {
    const std::filesystem::path folder =
        DataManager::DefaultDataFolder(DataManager::ExecutableFolder(), why);
    return folder.empty() ? folder : folder / kOptionsFile;
}

const char* LevelName(int32_t level) {
    switch (level) {
        case level::kBeginner:
            return "Beginner";
        case level::kEasy:
            return "Easy";
        case level::kMedium:
            return "Medium";
        case level::kHard:
            return "Hard";
        case level::kExpert:
            return "Expert";
        case level::kCustom:
            return "Custom";
        default:
            return "not a level of the game";
    }
}

// The exit status of a file that could not be read: it is there but reading it failed, or
// it is missing, not a file or not what the command reads.
int StatusOfRead(bool readFailed) {
    return readFailed ? kFileError : kBadInput;
}

// Loads a saved game named by the only argument into the session; kOk, or the exit status
// with the message printed.
int LoadArgument(const Args& args, SSession& s, std::ostream& err) {
    if (!CheckPositional(args, 1, err)) {
        return kBadInput;
    }
    if (args.empty()) {
        return Fail(err, "a saved game (.sdk) is needed");
    }
    const savefile::SLoadResult r = savefile::Read(args[0], s.board);
    return r.Loaded() ? kOk : Fail(err, r.reason, StatusOfRead(r.readFailed));
}

}  // namespace

int RunImport(const Args& argsIn, std::istream&, std::ostream& out, std::ostream& err) {
    Args args = argsIn;
    bool missing = false;
    const auto target = TakeOption(args, "-o", missing);
    if (missing || !target) {
        return Fail(err, "import needs -o FILE.sdk");
    }
    if (!CheckPositional(args, 1, err, {"-o"})) {
        return kBadInput;
    }
    const auto values = PuzzleArgument(args, err);
    if (!values) {
        return kBadInput;
    }
    // The state of a custom puzzle just accepted in Cell Select: typed in as givens, checked,
    // then the first cell that is not a given (column order) selected, number 1, level Custom,
    // custom entry off, time 0.
    SSession s(1);
    s.options.SetLevel(level::kCustom);
    s.options.SetCustomEntry(true);
    s.board.SetGrid(GridOfGivens(*values));
    if (!s.board.ValidateCustom()) {
        return Fail(err,
                    "refused: this is not a valid Sudoku puzzle (it needs at least one digit, "
                    "no digit twice in a row, column or box, and a solution)");
    }
    s.options.SetCustomEntry(false);
    s.board.ClearHistory();
    s.board.SelectCell(-1, -1, true);
    bool selected = false;
    for (int x = 0; x < 9 && !selected; ++x) {
        for (int y = 0; y < 9 && !selected; ++y) {
            selected = s.board.SelectCell(x, y, false);
        }
    }
    s.board.SetNumber(1);
    s.board.UpdateAutoMarks();
    std::string why;
    if (!savefile::Write(OutputPath(*target), s.board, &why)) {
        return Fail(err, why, kFileError);
    }
    // Written to standard output, the saved game is all that goes there.
    if (*target != "-") {
        out << "wrote " << *target << '\n';
    }
    return kOk;
}

int RunShow(const Args& args, std::istream&, std::ostream& out, std::ostream& err) {
    SSession s(1);
    if (const int status = LoadArgument(args, s, err); status != kOk) {
        return status;
    }
    const CBoard::Grid& g = s.board.GetGrid();
    std::array<uint8_t, 81> entries{};
    for (int i = 0; i < 81; ++i) {
        const CBoard::Cell& c = g.cells[i % 9][i / 9];
        if (!CBoard::IsGiven(c)) {
            entries[static_cast<std::size_t>(i)] = c.value;
        }
    }
    out << "givens:  " << PuzzleText(ValuesOf(g, true)) << '\n';
    out << "entries: " << PuzzleText(entries) << '\n';
    out << "board:\n";
    for (int y = 0; y < 9; ++y) {
        out << "  ";
        for (int x = 0; x < 9; ++x) {
            const CBoard::Cell& c = g.cells[x][y];
            const char digit = c.value == 0 ? '.' : static_cast<char>('0' + c.value);
            out << (CBoard::IsGiven(c) ? '[' : ' ') << digit << (CBoard::IsGiven(c) ? ']' : ' ');
            if (x == 2 || x == 5) {
                out << '|';
            }
        }
        out << '\n';
        if (y == 2 || y == 5) {
            out << "  ---------+---------+---------\n";
        }
    }
    out << "pencil marks:";
    bool anyMarks = false;
    for (int y = 0; y < 9; ++y) {
        for (int x = 0; x < 9; ++x) {
            const auto marks = static_cast<uint16_t>(g.cells[x][y].marks);
            if ((marks & CBoard::kAllDigits) == 0) {
                continue;
            }
            out << (anyMarks ? "; " : " ") << '(' << x << ',' << y << ')';
            for (int d = 1; d <= 9; ++d) {
                if ((marks & (1U << (d - 1))) != 0) {
                    out << ' ' << d;
                }
            }
            anyMarks = true;
        }
    }
    out << (anyMarks ? "" : " none") << '\n';
    int32_t x = 0;
    int32_t y = 0;
    s.board.GetSelection(x, y);
    out << "selection: ";
    if (x == -1 && y == -1) {
        out << "none\n";
    } else {
        out << x << ' ' << y << '\n';
    }
    out << "number: " << s.board.GetNumber() << '\n';
    out << "level: " << s.options.GetLevel() << " (" << LevelName(s.options.GetLevel()) << ")\n";
    out << "custom entry: " << (s.options.GetCustomEntry() ? "on" : "off") << '\n';
    const int32_t ms = s.board.GetElapsed();
    out << "time: " << StatTimeText(ms / 1000) << " (" << ms << " ms)\n";
    return kOk;
}

int RunExport(const Args& args, std::istream&, std::ostream& out, std::ostream& err) {
    SSession s(1);
    if (const int status = LoadArgument(args, s, err); status != kOk) {
        return status;
    }
    out << PuzzleText(ValuesOf(s.board.GetGrid(), true)) << '\n';
    out << PuzzleText(ValuesOf(s.board.GetGrid())) << '\n';
    return kOk;
}

int RunStats(const Args& args, std::istream&, std::ostream& out, std::ostream& err) {
    if (!CheckPositional(args, 1, err)) {
        return kBadInput;
    }
    std::string why;
    const std::filesystem::path file =
        args.empty() ? DefaultOptionsFile(&why) : std::filesystem::path(args[0]);
    if (file.empty()) {
        return Fail(err, why + "; name the options file");
    }
    COptions options;
    fileio::ReadStatus status = fileio::ReadStatus::kRead;
    if (!ReadOptionsFile(file, options, &why, &status)) {
        // The game's own options file is missing until the game has run once.
        if (!args.empty() || status != fileio::ReadStatus::kMissing) {
            return Fail(err, why, StatusOfRead(status == fileio::ReadStatus::kFailed));
        }
        out << "(no " << file.string() << " yet: nothing solved)\n";
    }
    static constexpr const char* kRows[] = {"All",  "Beginner", "Easy",  "Medium",
                                            "Hard", "Expert",   "Custom"};
    // Each column is wide enough for its largest figure and a space: "-2147483648" solved,
    // "-596523:14:08" as a time. Figures are shown as the file holds them, negative ones too.
    constexpr int kLevelWidth = 10;
    constexpr int kSolvedWidth = 12;
    constexpr int kTimeWidth = 14;
    out << std::left << std::setw(kLevelWidth) << "level" << std::setw(kSolvedWidth) << "solved"
        << std::setw(kTimeWidth) << "total" << std::setw(kTimeWidth) << "best"
        << "average\n";
    for (int i = 0; i <= kLevelSlots; ++i) {
        const SLevelStats s = GetLevelStats(options, i);
        out << std::setw(kLevelWidth) << kRows[i] << std::setw(kSolvedWidth) << s.solved
            << std::setw(kTimeWidth) << StatTimeText(s.totalTime) << std::setw(kTimeWidth)
            << StatTimeText(s.bestTime) << StatTimeText(s.averageTime) << '\n';
    }
    return kOk;
}

}  // namespace tool
