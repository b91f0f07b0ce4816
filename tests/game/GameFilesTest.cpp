// The autosave and options.cfg through the data folder, with missing, short and damaged files.
#include <gtest/gtest.h>

#include "engine/Options.h"
#include "game/GameFiles.h"
#include "game/OptionsFile.h"
#include "game/Statistics.h"
#include "game/Texts.h"
#include "platform/DataManager.h"
#include "platform/ScriptedShell.h"
#include "tests/support/BoardBuilder.h"
#include "tests/support/TempDir.h"

namespace {

using testsupport::TempDir;

class GameFilesTest : public ::testing::Test {
protected:
    TempDir folder;
    ScriptedShell shell;
    DataManager dm{folder.Path(), folder.Path(), shell};
    CRandom random{1};
    COptions options;
    CBoard board{random, options};
};

TEST_F(GameFilesTest, NoOrEmptyAutosaveMeansNoSavedGame) {
    EXPECT_FALSE(gamefiles::LoadGameFile(dm, board, gamefiles::kAutosave));
    folder.Write("autosave.sdk", "");
    EXPECT_FALSE(gamefiles::LoadGameFile(dm, board, gamefiles::kAutosave));
}

TEST_F(GameFilesTest, TheAutosaveIsExactlyOneRecordAndResumes) {
    folder.Write("autosave.sdk", std::string(5000, 'z'));  // a longer foreign file
    board.SetGrid(testsupport::GridFrom("123"));
    board.SetElapsed(4000);
    options.SetLevel(50);
    ASSERT_TRUE(gamefiles::WriteGameFile(dm, board, gamefiles::kAutosave));
    EXPECT_EQ(std::filesystem::file_size(folder / "autosave.sdk"), 1811U);

    COptions other;
    CBoard resumed(random, other);
    ASSERT_TRUE(gamefiles::LoadGameFile(dm, resumed, gamefiles::kAutosave));
    EXPECT_TRUE(resumed.GetGrid() == board.GetGrid());
    EXPECT_EQ(resumed.GetElapsed(), 4000);
    EXPECT_EQ(other.GetLevel(), 50);
}

TEST_F(GameFilesTest, ADamagedAutosaveIsRefusedAndTheBoardStays) {
    std::vector<uint8_t> bytes(1811, 0);
    bytes[1798] = 0;  // current number 0
    folder.Write("autosave.sdk", bytes);
    board.SetGrid(testsupport::GridFrom("7"));
    EXPECT_FALSE(gamefiles::LoadGameFile(dm, board, gamefiles::kAutosave));
    EXPECT_EQ(board.GetCell(0, 0).value, 7);
    folder.Write("autosave.sdk", std::string(1000, 'q'));
    EXPECT_FALSE(gamefiles::LoadGameFile(dm, board, gamefiles::kAutosave));
}

TEST_F(GameFilesTest, OptionsFileMissingShortAndWhole) {
    COptions first;
    LoadOptions(first, dm);
    EXPECT_EQ(first.ToImage(), COptions().ToImage());
    EXPECT_TRUE(std::filesystem::exists(folder / "options.cfg"));  // left behind, empty
    EXPECT_EQ(std::filesystem::file_size(folder / "options.cfg"), 0U);

    first.SetLanguage(1);
    first.SetFirstRun(false);
    RecordSolvedGame(first, 44, 300);
    ASSERT_TRUE(SaveOptions(first, dm));
    EXPECT_EQ(std::filesystem::file_size(folder / "options.cfg"), 140U);
    COptions second;
    LoadOptions(second, dm);
    EXPECT_EQ(second.ToImage(), first.ToImage());
    EXPECT_FALSE(second.GetFirstRun());

    const auto image = first.ToImage();
    folder.Write("options.cfg", std::span<const uint8_t>(image.data(), 40));
    COptions third;
    LoadOptions(third, dm);
    EXPECT_EQ(third.GetLanguage(), 1);
    EXPECT_EQ(GetLevelStats(third, 3).solved, 0);  // statistics stay at zero
}

}  // namespace

namespace {

TEST(GameMessage, ShowsTheTextOfTheCurrentLanguageUnderItsName) {
    ScriptedShell shell;
    DataManager dm(".", ".", shell);
    COptions options;
    options.SetLanguage(0);
    shell.QueueAnswer(ScriptedShell::Answer::kYes);
    EXPECT_EQ(ShowGameMessage(dm, options, MessageId::kConfirmNewGame, MsgStyle::kYesNo), kIdYes);
    options.SetLanguage(3);
    EXPECT_EQ(ShowGameMessage(dm, options, MessageId::kFilesMissing, MsgStyle::kOk), kIdOk);
    ASSERT_EQ(shell.Lines().size(), 2U);
    EXPECT_EQ(shell.Lines()[0],
              "message MsgConfirmNewGame yesno yes \"Any unsaved progress in the game will be "
              "lost. Would you like to start a new game?\"");
    EXPECT_EQ(shell.Lines()[1],
              "message MsgFilesMissing ok ok \"Erforderliche Dateien konnten nicht gefunden "
              "werden. Installieren Sie bitte die Software nochmals.\"");
}

}  // namespace
