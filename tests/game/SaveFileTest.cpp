// Saved games on disk: whole files round-trip; short, long, empty and damaged files are refused.
#include <gtest/gtest.h>

#include <filesystem>

#include "engine/Options.h"
#include "game/SaveFile.h"
#include "platform/FileIO.h"
#include "tests/support/BoardBuilder.h"
#include "tests/support/TempDir.h"

namespace {

class SaveFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        board.SetGrid(testsupport::GridFrom("53..7....6..195....98....6.8...6...34..8.3..17"));
        board.SelectCell(2, 0, false);
        board.SetNumber(4);
        board.PlaceNumber(false);
        board.SetElapsed(12000);
    }
    testsupport::TempDir temp;
    const std::filesystem::path& dir = temp.Path();
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
    const savefile::SLoadResult r = savefile::Read(file, other);
    ASSERT_TRUE(r.Loaded()) << r.reason;
    EXPECT_TRUE(r.reason.empty()) << r.reason;
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
    using savefile::LoadStatus;
    struct Case {
        const char* name;
        std::vector<uint8_t> content;
        LoadStatus status;
        const char* reason;
    };
    std::vector<uint8_t> damaged = bytes;
    damaged[1806] = 7;
    std::vector<uint8_t> longer = bytes;
    longer.push_back(0);
    const Case cases[] = {
        {"empty", {}, LoadStatus::kNoFile, "0 bytes"},
        {"short", std::vector<uint8_t>(bytes.begin(), bytes.end() - 1), LoadStatus::kRefused,
         "1810 bytes"},
        {"long", longer, LoadStatus::kRefused, "longer than"},
        {"garbage", std::vector<uint8_t>(1811, 0xEE), LoadStatus::kRefused, "damaged"},
        {"custom flag 7", damaged, LoadStatus::kRefused, "damaged"},
    };
    COptions otherOptions;
    CBoard other(random, otherOptions);
    other.SetGrid(testsupport::GridFrom("9"));
    for (const Case& c : cases) {
        const auto file = dir / c.name;
        ASSERT_TRUE(fileio::WriteFileAtomically(file, c.content));
        const savefile::SLoadResult r = savefile::Read(file, other);
        EXPECT_EQ(r.status, c.status) << c.name;
        EXPECT_NE(r.reason.find(c.reason), std::string::npos) << c.name << ": " << r.reason;
        EXPECT_NE(r.reason.find(file.string()), std::string::npos) << c.name << ": " << r.reason;
        EXPECT_EQ(other.GetCell(0, 0).value, 9) << c.name;
    }
    const savefile::SLoadResult missing = savefile::Read(dir / "missing.sdk", other);
    EXPECT_EQ(missing.status, LoadStatus::kNoFile);
    EXPECT_NE(missing.reason.find("missing.sdk"), std::string::npos) << missing.reason;
    const savefile::SLoadResult folder = savefile::Read(dir, other);
    EXPECT_EQ(folder.status, LoadStatus::kRefused);
    EXPECT_NE(folder.reason.find("cannot read"), std::string::npos) << folder.reason;
    EXPECT_EQ(other.GetCell(0, 0).value, 9);
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
