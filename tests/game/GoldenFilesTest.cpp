// A saved game and an options.cfg compared byte for byte with files the program wrote once and
// that were checked by hand against the layouts (tests/data/golden/README.md).
#include <gtest/gtest.h>

#include <fstream>
#include <vector>

#include "engine/Options.h"
#include "game/OptionsFile.h"
#include "game/Statistics.h"
#include "platform/DataManager.h"
#include "platform/FileIO.h"
#include "platform/ScriptedShell.h"
#include "tests/support/BoardBuilder.h"
#include "tests/support/TempDir.h"

namespace {

const std::filesystem::path kGolden = std::filesystem::path(SUDOKU_TEST_DATA) / "golden";

std::vector<uint8_t> Golden(const char* name) {
    const auto bytes = fileio::ReadFile(kGolden / name, 1U << 16);
    EXPECT_TRUE(bytes.has_value()) << name;
    return bytes.value_or(std::vector<uint8_t>{});
}

// On a mismatch the bytes written are left beside the test binary, for a maintainer to compare.
void ExpectGolden(const char* name, const std::vector<uint8_t>& actual) {
    const std::vector<uint8_t> expected = Golden(name);
    EXPECT_EQ(actual, expected) << name;
    if (actual != expected) {
        std::ofstream(std::string("actual-") + name, std::ios::binary)
            .write(reinterpret_cast<const char*>(actual.data()),
                   static_cast<std::streamsize>(actual.size()));
    }
}

// A Medium game 12:34 in: givens, two entries (one of them clashing), pencil marks, the cell
// (6, 7) selected with the number 6.
TEST(GoldenFiles, SavedGame) {
    CRandom random(1);
    COptions options;
    options.SetLevel(44);
    CBoard board(random, options);
    board.SetGrid(testsupport::GridFrom(
        "53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79"));
    board.UpdateAutoMarks();
    ASSERT_TRUE(board.SelectCell(2, 0, false));
    board.SetNumber(4);
    board.PlaceNumber(false);
    ASSERT_TRUE(board.SelectCell(3, 0, false));
    board.SetNumber(5);  // a second 5 in row 0
    board.PlaceNumber(false);
    ASSERT_TRUE(board.SelectCell(6, 7, false));
    board.SetNumber(2);
    board.PlaceNumber(true);
    board.SetNumber(6);
    board.PlaceNumber(true);
    board.SetElapsed(754000);

    CBoard::StateRecord record{};
    board.SaveState(record);
    ExpectGolden("game.sdk", {record.begin(), record.end()});

    // And the file loads back into the same state.
    COptions otherOptions;
    CBoard other(random, otherOptions);
    const std::vector<uint8_t> golden = Golden("game.sdk");
    ASSERT_TRUE(other.LoadState(golden));
    CBoard::StateRecord again{};
    other.SaveState(again);
    EXPECT_TRUE(std::equal(again.begin(), again.end(), golden.begin(), golden.end()));
    EXPECT_EQ(otherOptions.GetLevel(), 44);
}

// Number Select, Limit Numbers, Zone Pencilmarks and Crosshatching on, Flag Illegal off, level
// Hard, skin Steel, German, past the first run, four boards solved.
TEST(GoldenFiles, OptionsFile) {
    COptions options;
    options.SetInputMode(kNumberSelect);
    options.SetLimitNumbers(true);
    options.SetFlagIllegal(false);
    options.SetLevel(50);
    options.SetSkin(2);
    options.SetZonePencilmarks(true);
    options.SetFirstRun(false);
    options.SetLanguage(3);
    options.SetCrosshatching(true);
    RecordSolvedGame(options, 30, 125);
    RecordSolvedGame(options, 30, 99);
    RecordSolvedGame(options, 65, 1800);
    RecordSolvedGame(options, 6, 42);

    testsupport::TempDir folder;
    ScriptedShell shell;
    DataManager data(folder.Path(), folder.Path(), shell);
    ASSERT_TRUE(SaveOptions(options, data));
    const auto written = fileio::ReadFile(folder / "options.cfg", 1U << 16);
    ASSERT_TRUE(written.has_value());
    ExpectGolden("options.cfg", *written);

    COptions read;
    LoadOptions(read, data);
    EXPECT_EQ(read.ToImage(), options.ToImage());
}

}  // namespace
