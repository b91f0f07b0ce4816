// sudoku-tool's commands on the game's files in process: import, show, export and stats.
#include <gtest/gtest.h>

#include <filesystem>

#include "engine/ByteIO.h"
#include "engine/Options.h"
#include "game/Statistics.h"
#include "platform/FileIO.h"
#include "tests/support/BoardBuilder.h"
#include "tests/support/TempDir.h"
#include "tests/tools/ToolCall.h"
#include "tools/GameCommands.h"

namespace {

using testsupport::CallTool;
using testsupport::kUniquePuzzle;
using testsupport::TempDir;
using testsupport::ToolOutcome;

TEST(ToolImport, WritesTheSavedGameOfAnAcceptedCustomPuzzle) {
    TempDir dir;
    const std::string file = (dir / "p.sdk").string();
    const ToolOutcome r = CallTool(tool::RunImport, {kUniquePuzzle, "-o", file});
    ASSERT_EQ(r.status, tool::kOk) << r.err;
    const auto bytes = fileio::ReadFile(file, 4096);
    ASSERT_TRUE(bytes);
    ASSERT_EQ(bytes->size(), 1811U);
    const uint8_t* b = bytes->data();
    // (0, 0) is empty: it is the first cell that is not a given, in column order.
    EXPECT_EQ(byteio::Get32(b + 1790), 0);
    EXPECT_EQ(byteio::Get32(b + 1794), 0);
    EXPECT_EQ(byteio::Get32(b + 1798), 1);
    EXPECT_EQ(byteio::Get32(b + 1802), 6);
    EXPECT_EQ(b[1806], 0);
    EXPECT_EQ(byteio::Get32(b + 1807), 0);
    for (int i = 0; i < 81; ++i) {
        const uint8_t* cell = b + (i % 9) * 99 + (i / 9) * 11;
        const char c = kUniquePuzzle[i];
        EXPECT_EQ(cell[0], c == '.' ? 0 : c - '0');
        EXPECT_EQ(byteio::Get32(cell + 1), c == '.' ? 0 : 1);
        EXPECT_EQ(byteio::Get16(cell + 7), 0);  // solver count
        EXPECT_EQ(byteio::Get16(cell + 9), 0);  // pencil marks
        if (c != '.') {
            EXPECT_EQ(byteio::Get16(cell + 5), 0);
        }
    }
    // The candidates of (0, 0): its row holds 5 8 3 1 7, its column 3 1, its box 5 3 4.
    EXPECT_EQ(byteio::Get16(b + 5), (1 << 1) | (1 << 5) | (1 << 8));
    EXPECT_EQ(byteio::Get32(b + 891), 0);
    for (std::size_t i = 895; i < 1790; ++i) {
        ASSERT_EQ(b[i], 0);
    }

    EXPECT_EQ(CallTool(tool::RunExport, {file}).out,
              std::string(kUniquePuzzle) + "\n" + std::string(kUniquePuzzle) + "\n");
    const ToolOutcome shown = CallTool(tool::RunShow, {file});
    EXPECT_NE(shown.out.find("selection: 0 0\nnumber: 1\nlevel: 6 (Custom)\ncustom entry: off\n"
                             "time: 0:00:00 (0 ms)\n"),
              std::string::npos)
        << shown.out;
}

TEST(ToolImport, RefusesWhatTheGameRefusesAsACustomPuzzle) {
    TempDir dir;
    const std::string file = (dir / "p.sdk").string();
    EXPECT_EQ(CallTool(tool::RunImport, {std::string(81, '.'), "-o", file}).status,
              tool::kBadInput);
    EXPECT_EQ(CallTool(tool::RunImport, {"1........1" + std::string(71, '.'), "-o", file}).status,
              tool::kBadInput);  // the same digit twice in column 0
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_EQ(CallTool(tool::RunImport, {"1" + std::string(80, '.'), "-o", file}).status,
              tool::kOk);
    EXPECT_EQ(CallTool(tool::RunImport, {kUniquePuzzle}).status, tool::kBadInput);  // no -o
}

TEST(ToolShow, RefusesFilesThatAreNotSavedGames) {
    TempDir dir;
    const std::string file = (dir / "bad.sdk").string();
    std::vector<uint8_t> bytes(1810, 0);
    ASSERT_TRUE(fileio::WriteFileAtomically(file, bytes));
    ToolOutcome r = CallTool(tool::RunShow, {file});
    EXPECT_EQ(r.status, tool::kBadInput);
    EXPECT_NE(r.err.find("1810 bytes"), std::string::npos) << r.err;
    bytes.resize(1811, 0);
    bytes[1798] = 1;  // number 1
    bytes[0] = 12;    // a digit above 9
    ASSERT_TRUE(fileio::WriteFileAtomically(file, bytes));
    r = CallTool(tool::RunExport, {file});
    EXPECT_EQ(r.status, tool::kBadInput);
    EXPECT_NE(r.err.find("damaged"), std::string::npos) << r.err;
    EXPECT_EQ(CallTool(tool::RunShow, {(dir / "missing.sdk").string()}).status, tool::kBadInput);
}

TEST(ToolShow, ShowsEntriesMarksSelectionAndTime) {
    CRandom random(1);
    COptions options;
    CBoard board(random, options);
    board.SetGrid(testsupport::GridFrom(kUniquePuzzle));
    board.SelectCell(0, 0, false);
    board.SetNumber(6);
    board.PlaceNumber(false);
    board.SelectCell(2, 0, false);
    board.SetNumber(2);
    board.PlaceNumber(true);
    board.SetNumber(9);
    board.PlaceNumber(true);
    board.SetElapsed(3725000);
    options.SetLevel(44);
    CBoard::StateRecord rec{};
    board.SaveState(rec);
    TempDir dir;
    const std::string file = (dir / "g.sdk").string();
    ASSERT_TRUE(fileio::WriteFileAtomically(file, rec));
    const ToolOutcome r = CallTool(tool::RunShow, {file});
    ASSERT_EQ(r.status, tool::kOk) << r.err;
    EXPECT_NE(r.out.find("entries: 6......"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("pencil marks: (2,0) 2 9\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("selection: 2 0\nnumber: 9\nlevel: 44 (Medium)\n"), std::string::npos);
    EXPECT_NE(r.out.find("time: 1:02:05 (3725000 ms)"), std::string::npos);
}

TEST(ToolStats, ReadsTheOptionsFileAsTheGameDoes) {
    COptions options;
    RecordSolvedGame(options, 44, 3725);
    RecordSolvedGame(options, 44, 65);
    const COptions::Image image = options.ToImage();
    TempDir dir;
    // Bytes past the 140th are ignored, as the game ignores them.
    std::vector<uint8_t> longer(image.begin(), image.end());
    longer.resize(200, 0xEE);
    const std::string file = dir.Write("options.cfg", longer).string();
    ToolOutcome r = CallTool(tool::RunStats, {file});
    ASSERT_EQ(r.status, tool::kOk) << r.err;
    EXPECT_NE(r.out.find("All       2           1:03:10       0:01:05       0:31:35\n"
                         "Beginner  0           0:00:00       0:00:00       0:00:00\n"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("Medium    2           1:03:10       0:01:05       0:31:35\n"),
              std::string::npos)
        << r.out;

    // A short file sets the leading fields only: the statistics keep their zero defaults.
    const std::string shortFile =
        dir.Write("short.cfg", std::span<const uint8_t>(image.data(), 40)).string();
    r = CallTool(tool::RunStats, {shortFile});
    ASSERT_EQ(r.status, tool::kOk) << r.err;
    EXPECT_NE(r.out.find("Medium    0           0:00:00"), std::string::npos) << r.out;

    // Figures at their limits and negative ones (a damaged file) each keep a column of their
    // own, shown as the file holds them.
    COptions::Image limits = image;
    const int32_t figures[] = {INT32_MIN, -69, INT32_MAX, -1, INT32_MAX, INT32_MAX, 1, 2};
    for (std::size_t i = 0; i < 8; ++i) {
        byteio::Put32(&limits[40 + 4 * i], figures[i]);
    }
    r = CallTool(tool::RunStats, {dir.Write("limits.cfg", limits).string()});
    ASSERT_EQ(r.status, tool::kOk) << r.err;
    EXPECT_NE(r.out.find("Beginner  -2147483648 -0:01:09      596523:14:07  -0:00:01\nEasy      "
                         "2147483647  596523:14:07  0:00:01       0:00:02\n"),
              std::string::npos)
        << r.out;

    const struct {
        tool::Args args;
        const char* says;
    } refused[] = {
        {{(dir / "missing.cfg").string()}, "missing.cfg"},
        {{dir.Path().string()}, "cannot read"},  // a folder
        {{file, file}, "too many arguments"},
        {{"--all"}, "unknown option '--all'"},
    };
    for (const auto& c : refused) {
        r = CallTool(tool::RunStats, c.args);
        EXPECT_EQ(r.status, tool::kBadInput) << c.says;
        EXPECT_TRUE(r.out.empty()) << r.out;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
    }
}

}  // namespace
