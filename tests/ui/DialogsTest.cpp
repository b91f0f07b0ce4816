// The statistics dialog's figures and resets through its handlers, and the current language
// chosen again.
#include <array>
#include <string>
#include <vector>

#include "engine/Options.h"
#include "game/Statistics.h"
#include "res/Dialogs.h"
#include "tests/ui/AppFixture.h"
#include "ui/StatsDlg.h"

using testsupport::AppTest;

namespace {

using C = CommandId;
using Figures = std::array<std::string, 4>;
using Kind = ScriptedShell::SDialogAction::Kind;

const Figures kNothing = {"0", "0:00:00", "0:00:00", "0:00:00"};

// --- Statistics ---

struct SGame {
    int32_t level;
    int32_t seconds;
};

struct SFiguresCase {
    const char* name;
    std::vector<SGame> games;
    int entry;  // the level list's entry shown
    Figures shown;
};

class StatsFigures : public AppTest, public ::testing::WithParamInterface<SFiguresCase> {};

TEST_P(StatsFigures, AsTheDialogShowsThem) {
    StartPastSplash();
    for (const SGame& g : GetParam().games) {
        RecordSolvedGame(Options(), g.level, g.seconds);
    }
    CStatsDlg dialog(Options(), root->Data());
    dialog.OnInitDialog();
    dialog.OnSelect(res::kStatsLevelList, GetParam().entry);
    EXPECT_EQ(dialog.Figures(), GetParam().shown);
    EXPECT_EQ(dialog.Text(res::kStatsAverageTime), GetParam().shown[3]);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StatsFigures,
    ::testing::Values(
        SFiguresCase{"NothingSolvedAll", {}, 0, kNothing},
        SFiguresCase{"SixtySeconds",
                     {{level::kBeginner, 59000 / 1000 + 1}},
                     1,
                     {"1", "0:01:00", "0:01:00", "0:01:00"}},
        SFiguresCase{"HoursMinutesSeconds",
                     {{level::kBeginner, 3725}},
                     1,
                     {"1", "1:02:05", "1:02:05", "1:02:05"}},
        SFiguresCase{"ThreeEasyGames",
                     {{level::kEasy, 100}, {level::kEasy, 101}, {level::kEasy, 50}},
                     2,
                     {"3", "0:04:11", "0:00:50", "0:01:23"}},
        SFiguresCase{"AllAveragesTheLevelsAverages",
                     {{level::kBeginner, 100}, {level::kHard, 301}, {level::kHard, 301}},
                     0,
                     {"3", "0:11:42", "0:01:40", "0:03:20"}},
        SFiguresCase{"AllTakesTheSmallestBestTime",
                     {{level::kExpert, 900}, {level::kMedium, 70}, {level::kCustom, 500}},
                     0,
                     {"3", "0:24:30", "0:01:10", "0:08:10"}},
        SFiguresCase{"CustomIsTheLastEntry",
                     {{level::kCustom, 42}},
                     6,
                     {"1", "0:00:42", "0:00:42", "0:00:42"}}),
    [](const auto& row) { return std::string(row.param.name); });

struct SResetCase {
    int entry;
    ScriptedShell::Answer answer;
    Figures entry2;  // Easy, after the reset
    Figures all;     // entry 0, after the reset
};

class StatsReset : public AppTest, public ::testing::WithParamInterface<SResetCase> {};

TEST_P(StatsReset, OnlyYesResetsTheEntryShownAndAllFollows) {
    StartPastSplash();
    RecordSolvedGame(Options(), level::kBeginner, 3725);
    RecordSolvedGame(Options(), level::kEasy, 100);
    RecordSolvedGame(Options(), level::kHard, 301);
    CStatsDlg dialog(Options(), root->Data());
    dialog.OnInitDialog();
    dialog.OnSelect(res::kStatsLevelList, GetParam().entry);
    const Figures before = dialog.Figures();
    shell.QueueAnswer(GetParam().answer);
    dialog.OnClick(res::kStatsReset);
    EXPECT_EQ(Logged("message MsgConfirmResetStats yesno"), 1);
    const bool yes = GetParam().answer == ScriptedShell::Answer::kYes;
    EXPECT_EQ(dialog.Figures(), yes ? kNothing : before);
    dialog.OnSelect(res::kStatsLevelList, 2);
    EXPECT_EQ(dialog.Figures(), GetParam().entry2);
    dialog.OnSelect(res::kStatsLevelList, 0);
    EXPECT_EQ(dialog.Figures(), GetParam().all);
}

const Figures kEasy100 = {"1", "0:01:40", "0:01:40", "0:01:40"};
INSTANTIATE_TEST_SUITE_P(
    Cases, StatsReset,
    ::testing::Values(
        SResetCase{
            1, ScriptedShell::Answer::kYes, kEasy100, {"2", "0:06:41", "0:01:40", "0:03:20"}},
        SResetCase{0, ScriptedShell::Answer::kYes, kNothing, kNothing},
        SResetCase{0, ScriptedShell::Answer::kNo, kEasy100, {"3", "1:08:46", "0:01:40", "0:22:55"}},
        SResetCase{
            1, ScriptedShell::Answer::kOk, kEasy100, {"3", "1:08:46", "0:01:40", "0:22:55"}}));

// --- Languages ---

TEST_F(AppTest, ChoosingTheSameLanguageAgainChangesNothingVisible) {
    StartPastSplash();
    shell.QueueDialogAction({Kind::kClick, res::kLanguageRadio + 4, 0, {}});
    shell.QueueDialogAction({Kind::kOk, 0, 0, {}});
    Command(C::kLanguage);
    const Bitmap before = window.shown;
    const int presents = window.presents;
    shell.QueueDialogAction({Kind::kOk, 0, 0, {}});
    Command(C::kLanguage);
    EXPECT_EQ(Options().GetLanguage(), 4);
    EXPECT_EQ(Frame().BarLanguage(), 4);
    EXPECT_GT(window.presents, presents);
    EXPECT_EQ(window.shown.pixels, before.pixels);
}

}  // namespace
