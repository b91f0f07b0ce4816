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

using savefile::LoadStatus;

TEST_F(GameFilesTest, NoOrEmptyAutosaveMeansNoSavedGame) {
    board.SetGrid(testsupport::GridFrom("7"));
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(gamefiles::LoadGameFile(dm, board, gamefiles::kAutosave).status, LoadStatus::kNoFile);
    folder.Write("autosave.sdk", "");
    EXPECT_EQ(gamefiles::LoadGameFile(dm, board, gamefiles::kAutosave).status, LoadStatus::kNoFile);
    EXPECT_EQ(board.GetCell(0, 0).value, 7);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_TRUE(shell.Lines().empty());
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
    const savefile::SLoadResult r = gamefiles::LoadGameFile(dm, resumed, gamefiles::kAutosave);
    ASSERT_TRUE(r.Loaded()) << r.reason;
    EXPECT_TRUE(resumed.GetGrid() == board.GetGrid());
    EXPECT_EQ(resumed.GetElapsed(), 4000);
    EXPECT_EQ(other.GetLevel(), 50);
}

TEST_F(GameFilesTest, ADamagedAutosaveIsRefusedAndTheBoardStays) {
    std::vector<uint8_t> bytes(1811, 0);
    bytes[1798] = 0;  // current number 0
    folder.Write("autosave.sdk", bytes);
    board.SetGrid(testsupport::GridFrom("7"));
    ::testing::internal::CaptureStderr();
    savefile::SLoadResult r = gamefiles::LoadGameFile(dm, board, gamefiles::kAutosave);
    EXPECT_EQ(r.status, LoadStatus::kRefused);
    EXPECT_EQ(board.GetCell(0, 0).value, 7);
    // The reason goes back to the caller, which shows it; the game layer prints nothing.
    EXPECT_NE(r.reason.find((folder / "autosave.sdk").string()), std::string::npos) << r.reason;
    EXPECT_NE(r.reason.find("damaged"), std::string::npos) << r.reason;
    folder.Write("autosave.sdk", std::string(1000, 'q'));
    r = gamefiles::LoadGameFile(dm, board, gamefiles::kAutosave);
    EXPECT_EQ(r.status, LoadStatus::kRefused);
    EXPECT_NE(r.reason.find("1000 bytes"), std::string::npos) << r.reason;
    EXPECT_EQ(board.GetCell(0, 0).value, 7);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_TRUE(shell.Lines().empty());
}

TEST_F(GameFilesTest, TheAutosaveIsFoundWhateverTheCaseOfItsName) {
    board.SetGrid(testsupport::GridFrom("123"));
    CBoard::StateRecord record{};
    board.SaveState(record);
    folder.Write("AutoSave.SDK", record);
    COptions other;
    CBoard resumed(random, other);
    ASSERT_TRUE(gamefiles::LoadGameFile(dm, resumed, gamefiles::kAutosave).Loaded());
    EXPECT_TRUE(resumed.GetGrid() == board.GetGrid());
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

TEST_F(GameFilesTest, AnOptionsFileAnywhereReadsAsOptionsCfgDoes) {
    COptions saved;
    saved.SetLanguage(2);
    RecordSolvedGame(saved, 30, 90);
    const COptions::Image image = saved.ToImage();
    std::vector<uint8_t> longer(image.begin(), image.end());
    longer.resize(300, 0xAB);
    const struct {
        const char* name;
        std::vector<uint8_t> bytes;
    } files[] = {
        {"whole.cfg", std::vector<uint8_t>(image.begin(), image.end())},
        {"longer.cfg", longer},
        {"short.cfg", std::vector<uint8_t>(image.begin(), image.begin() + 40)},
        {"empty.cfg", {}},
    };
    for (const auto& f : files) {
        // The same bytes as options.cfg through the data folder give the same record.
        folder.Write("options.cfg", f.bytes);
        COptions viaData;
        LoadOptions(viaData, dm);
        COptions viaPath;
        std::string why;
        ASSERT_TRUE(ReadOptionsFile(folder.Write(f.name, f.bytes), viaPath, &why)) << why;
        EXPECT_EQ(viaPath.ToImage(), viaData.ToImage()) << f.name;
    }
    // A file that cannot be read changes nothing.
    COptions kept = saved;
    std::string why;
    EXPECT_FALSE(ReadOptionsFile(folder / "missing.cfg", kept, &why));
    EXPECT_NE(why.find("missing.cfg"), std::string::npos) << why;
    EXPECT_FALSE(ReadOptionsFile(folder.Path(), kept, &why));  // a folder
    EXPECT_EQ(kept.ToImage(), image);
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
