// Saved games on disk: whole files round-trip; short, long, empty and damaged files are refused.
#include <gtest/gtest.h>

#include <filesystem>

#include "engine/Options.h"
#include "game/SaveFile.h"
#include "platform/FileIO.h"
#include "tests/support/BoardBuilder.h"

namespace {

class SaveFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        char name[] = "/tmp/sudoku-save-test-XXXXXX";
        dir = ::mkdtemp(name);
        board.SetGrid(testsupport::GridFrom("53..7....6..195....98....6.8...6...34..8.3..17"));
        board.SelectCell(2, 0, false);
        board.SetNumber(4);
        board.PlaceNumber(false);
        board.SetElapsed(12000);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    std::filesystem::path dir;
    CRandom random{1};
    COptions options;
    CBoard board{random, options};
};

TEST_F(SaveFileTest, AWrittenGameReadsBackExactly) {
    options.SetCustomEntry(true);
    options.SetLevel(6);
    const auto file = dir / "game.sdk";
    ASSERT_TRUE(savefile::Write(file, board));
    EXPECT_EQ(std::filesystem::file_size(file), 1811U);

    COptions otherOptions;
    CBoard other(random, otherOptions);
    std::string why;
    ASSERT_TRUE(savefile::Read(file, other, &why)) << why;
    EXPECT_TRUE(other.GetGrid() == board.GetGrid());
    EXPECT_EQ(other.GetElapsed(), 12000);
    EXPECT_TRUE(otherOptions.GetCustomEntry());
    EXPECT_EQ(otherOptions.GetLevel(), 6);
    EXPECT_FALSE(other.CanUndo());
}

TEST_F(SaveFileTest, FilesOfTheWrongSizeOrDamagedAreRefusedAndChangeNothing) {
    CBoard::StateRecord good{};
    board.SaveState(good);
    std::vector<uint8_t> bytes(good.begin(), good.end());
    struct Case {
        const char* name;
        std::vector<uint8_t> content;
        const char* reason;
    };
    std::vector<uint8_t> damaged = bytes;
    damaged[1806] = 7;
    std::vector<uint8_t> longer = bytes;
    longer.push_back(0);
    const Case cases[] = {
        {"empty", {}, "0 bytes"},
        {"short", std::vector<uint8_t>(bytes.begin(), bytes.end() - 1), "1810 bytes"},
        {"long", longer, "longer than"},
        {"garbage", std::vector<uint8_t>(1811, 0xEE), "damaged"},
        {"custom flag 7", damaged, "damaged"},
    };
    COptions otherOptions;
    CBoard other(random, otherOptions);
    other.SetGrid(testsupport::GridFrom("9"));
    for (const Case& c : cases) {
        const auto file = dir / c.name;
        ASSERT_TRUE(fileio::WriteFileAtomically(file, c.content));
        std::string why;
        EXPECT_FALSE(savefile::Read(file, other, &why)) << c.name;
        EXPECT_NE(why.find(c.reason), std::string::npos) << c.name << ": " << why;
        EXPECT_EQ(other.GetCell(0, 0).value, 9) << c.name;
    }
    std::string why;
    EXPECT_FALSE(savefile::Read(dir / "missing.sdk", other, &why));
    EXPECT_FALSE(savefile::Read(dir, other, &why));  // a folder
}

TEST_F(SaveFileTest, AFailedWriteLeavesTheTargetAndNoTemporaryFile) {
    // The rename fails when the target is a folder that is not empty; creating the temporary
    // file fails when the "folder" is a file. Both fail even for root.
    const auto target = dir / "game.sdk";
    std::filesystem::create_directory(target);
    ASSERT_TRUE(fileio::WriteFileAtomically(target / "inside", std::vector<uint8_t>{1}));
    std::string why;
    EXPECT_FALSE(savefile::Write(target, board, &why));
    EXPECT_NE(why.find("cannot write"), std::string::npos) << why;
    EXPECT_TRUE(std::filesystem::is_directory(target));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);

    const auto notAFolder = dir / "game.sdk" / "inside";
    EXPECT_FALSE(savefile::Write(notAFolder / "x.sdk", board, &why));
    EXPECT_EQ(fileio::ReadFile(notAFolder, 16), std::vector<uint8_t>{1});
}

}  // namespace
