// The three dialogs through their handlers: the statistics' figures, resets and list; the
// language change and what follows it at once; the about box's centring.
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "engine/Options.h"
#include "game/Statistics.h"
#include "game/Texts.h"
#include "res/Dialogs.h"
#include "res/Strings.h"
#include "tests/ui/AppFixture.h"
#include "ui/AboutDlg.h"
#include "ui/LanguageDlg.h"
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
    // The value fields show the same texts.
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(dialog.Text(res::kStatsSolved + i), GetParam().shown[static_cast<size_t>(i)]);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StatsFigures,
    ::testing::Values(
        SFiguresCase{"NothingSolvedAll", {}, 0, kNothing},
        SFiguresCase{"NothingSolvedExpert", {}, 5, kNothing},
        SFiguresCase{"SixtySeconds",
                     {{level::kBeginner, 59000 / 1000 + 1}},
                     1,
                     {"1", "0:01:00", "0:01:00", "0:01:00"}},
        SFiguresCase{"HoursMinutesSeconds",
                     {{level::kBeginner, 3725}},
                     1,
                     {"1", "1:02:05", "1:02:05", "1:02:05"}},
        SFiguresCase{"HoursUnbounded",
                     {{level::kHard, 360000 + 59}},
                     4,
                     {"1", "100:00:59", "100:00:59", "100:00:59"}},
        SFiguresCase{"TwoEasyGames",
                     {{level::kEasy, 100}, {level::kEasy, 101}},
                     2,
                     {"2", "0:03:21", "0:01:40", "0:01:40"}},
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
                     {"1", "0:00:42", "0:00:42", "0:00:42"}},
        SFiguresCase{"OtherLevelsShowNothing", {{level::kCustom, 42}}, 3, kNothing}),
    [](const auto& row) { return std::string(row.param.name); });

class StatsDialogTest : public AppTest {
public:
    void SetUp() override {
        StartPastSplash();
        Options().SetLanguage(0);
        RecordSolvedGame(Options(), level::kBeginner, 3725);
        RecordSolvedGame(Options(), level::kEasy, 100);
        RecordSolvedGame(Options(), level::kHard, 301);
    }
    // The figures of entry `entry`, as a fresh dialog shows them.
    Figures Shown(int entry) {
        CStatsDlg dialog(Options(), root->Data());
        dialog.OnInitDialog();
        dialog.OnSelect(res::kStatsLevelList, entry);
        return dialog.Figures();
    }
};

TEST_F(StatsDialogTest, ResetOfOneLevelClearsItAndAllFollows) {
    CStatsDlg dialog(Options(), root->Data());
    dialog.OnInitDialog();
    dialog.OnSelect(res::kStatsLevelList, 1);
    shell.QueueAnswer(ScriptedShell::Answer::kYes);
    dialog.OnClick(res::kStatsReset);
    EXPECT_EQ(dialog.Figures(), kNothing);
    EXPECT_EQ(shell.Lines().back(),
              "message MsgConfirmResetStats yesno yes \"Are you sure you want to reset "
              "statistics?\"");
    EXPECT_EQ(Shown(2), (Figures{"1", "0:01:40", "0:01:40", "0:01:40"}));
    EXPECT_EQ(Shown(0), (Figures{"2", "0:06:41", "0:01:40", "0:03:20"}));
}

TEST_F(StatsDialogTest, ResetOfAllClearsEveryLevel) {
    CStatsDlg dialog(Options(), root->Data());
    dialog.OnInitDialog();
    shell.QueueAnswer(ScriptedShell::Answer::kYes);
    dialog.OnClick(res::kStatsReset);
    EXPECT_EQ(dialog.Figures(), kNothing);
    for (int entry = 0; entry <= 6; ++entry) {
        EXPECT_EQ(Shown(entry), kNothing) << entry;
    }
}

TEST_F(StatsDialogTest, AnythingButYesResetsNothing) {
    const Figures all = Shown(0);
    CStatsDlg dialog(Options(), root->Data());
    dialog.OnInitDialog();
    for (const auto answer : {ScriptedShell::Answer::kNo, ScriptedShell::Answer::kOk}) {
        shell.QueueAnswer(answer);
        dialog.OnClick(res::kStatsReset);
        EXPECT_EQ(dialog.Figures(), all);
    }
    dialog.OnClick(res::kStatsReset);  // nothing queued: a Yes/No box answers no
    EXPECT_EQ(Logged("message MsgConfirmResetStats yesno no"), 3);
    EXPECT_EQ(Shown(0), all);
    // Other controls ask nothing.
    dialog.OnClick(res::kStatsLevelList);
    dialog.OnClick(1);
    EXPECT_EQ(Logged("message"), 3);
}

TEST_F(StatsDialogTest, TheQuestionSpeaksTheLanguageOfTheMoment) {
    CStatsDlg dialog(Options(), root->Data());
    dialog.OnInitDialog();
    Options().SetLanguage(3);
    dialog.OnClick(res::kStatsReset);
    EXPECT_EQ(shell.Lines().back(), "message MsgConfirmResetStats yesno no \"" +
                                        std::string(res::MessageText(
                                            3, static_cast<int>(MessageId::kConfirmResetStats))) +
                                        "\"");
}

TEST_F(AppTest, TheLevelListKeepsTheOrderOfTheHiddenListInEveryLanguage) {
    StartPastSplash();
    const std::array<std::vector<std::string>, 3> expected = {{
        {"All", "Beginner", "Easy", "Medium", "Hard", "Expert", "Custom"},
        {"Alle", "Anfänger", "Einfach", "Mittel", "Schwer", "Experte", "Benutzerdefiniert"},
        {"Все", "Новичок", "Любитель", "Мастер", "Профессионал", "Эксперт", "Своя игра"},
    }};
    const std::array<int, 3> languages = {0, 3, 6};
    for (size_t i = 0; i < languages.size(); ++i) {
        Options().SetLanguage(languages[i]);
        CStatsDlg dialog(Options(), root->Data());
        dialog.OnInitDialog();
        const auto entries = dialog.Entries(res::kStatsLevelList);
        EXPECT_EQ(std::vector<std::string>(entries.begin(), entries.end()), expected[i]);
        EXPECT_EQ(dialog.Selection(res::kStatsLevelList), 0);
        EXPECT_TRUE(dialog.Entries(res::kStatsReset).empty());
        EXPECT_EQ(dialog.Selection(res::kStatsReset), -1);
    }
    // Every language has seven entries.
    for (int language = 0; language < res::kLanguageCount; ++language) {
        Options().SetLanguage(language);
        CStatsDlg dialog(Options(), root->Data());
        dialog.OnInitDialog();
        EXPECT_EQ(dialog.Entries().size(), 7U) << language;
    }
}

// --- Languages ---

TEST_F(AppTest, EveryLanguageReachesEverythingAtOnce) {
    StartPastSplash();
    for (int language = 0; language < res::kLanguageCount; ++language) {
        shell.QueueDialogAction({Kind::kClick, res::kLanguageRadio + language, 0, {}});
        shell.QueueDialogAction({Kind::kOk, 0, 0, {}});
        Command(C::kLanguage);
        EXPECT_EQ(Options().GetLanguage(), language);
        EXPECT_EQ(Frame().BarLanguage(), language);
        // The tool tip, the next message box, the dialogs and the tutorial page.
        ASSERT_TRUE(Frame().OnButtonDown(C::kQuickNewGame));
        EXPECT_EQ(Frame().ButtonCaption(C::kQuickNewGame), res::TipText(language, 0));
        Frame().OnButtonUp(C::kQuickNewGame);
        Command(C::kQuickNewGame);
        EXPECT_EQ(shell.Lines().back(),
                  "message MsgConfirmNewGame yesno no \"" +
                      std::string(res::MessageText(language,
                                                   static_cast<int>(MessageId::kConfirmNewGame))) +
                      "\"");
        Command(C::kStatistics);
        EXPECT_EQ(shell.Lines().back(),
                  "dialog " + std::to_string(500 + language) + " end IDCANCEL");
        Command(C::kAbout);
        EXPECT_EQ(shell.Lines().back(),
                  "dialog " + std::to_string(600 + language) + " end IDCANCEL");
        Command(C::kTutorial);
        EXPECT_EQ(shell.Lines().back(),
                  "tutorial tutorial/Tutorial" +
                      std::string(res::kLanguages[static_cast<size_t>(language)].tutorialLetter) +
                      ".html");
    }
}

TEST_F(AppTest, ChoosingTheSameLanguageAgainChangesNothingVisible) {
    StartPastSplash();
    Options().SetLanguage(4);
    Frame().RebuildCommandBar(4);
    Game().Redraw();
    const Bitmap before = window.shown;
    const int presents = window.presents;
    shell.QueueDialogAction({Kind::kOk, 0, 0, {}});
    Command(C::kLanguage);
    EXPECT_EQ(Options().GetLanguage(), 4);
    EXPECT_EQ(Frame().BarLanguage(), 4);
    EXPECT_FALSE(Frame().IsLanguageDlgOpen());
    EXPECT_GT(window.presents, presents);
    EXPECT_EQ(window.shown.pixels, before.pixels);
}

TEST_F(AppTest, ALanguageDialogEndedWithoutOkChangesNothing) {
    StartPastSplash();
    Options().SetLanguage(1);
    Frame().RebuildCommandBar(1);
    // Cancelled, or out of queued actions: both end with IDCANCEL.
    for (const bool cancel : {true, false}) {
        shell.QueueDialogAction({Kind::kClick, res::kLanguageRadio + 5, 0, {}});
        if (cancel) {
            shell.QueueDialogAction({Kind::kCancel, 0, 0, {}});
        }
        Command(C::kLanguage);
        EXPECT_EQ(shell.Lines().back(), "dialog 140 end IDCANCEL");
        EXPECT_EQ(Options().GetLanguage(), 1);
        EXPECT_EQ(Frame().BarLanguage(), 1);
        EXPECT_TRUE(Frame().IsLanguageDlgOpen());
    }
    // Only OK clears the mark.
    shell.QueueDialogAction({Kind::kOk, 0, 0, {}});
    Command(C::kLanguage);
    EXPECT_FALSE(Frame().IsLanguageDlgOpen());
}

TEST_F(AppTest, TheLanguageDialogChecksTheButtonOfTheCurrentLanguage) {
    StartPastSplash();
    for (const int current : {0, 3, 6, 7, -1}) {
        CLanguageDlg dialog(current, Frame());
        dialog.OnInitDialog();
        for (int language = 0; language < res::kLanguageCount; ++language) {
            EXPECT_EQ(dialog.IsChecked(res::kLanguageRadio + language), language == current)
                << current << " " << language;
        }
        EXPECT_FALSE(dialog.IsChecked(res::kLanguageRadio - 1));
        EXPECT_FALSE(dialog.IsChecked(res::kLanguageRadio + 7));
        // OK without a click gives back the index it was given, even one outside 0..6.
        dialog.OnOk();
        EXPECT_EQ(dialog.Selected(), current);
    }
}

TEST_F(AppTest, ARussianStartHasNoLanguageItemButAScriptStillReachesTheDialog) {
    StartPastSplash();
    ASSERT_EQ(Options().GetLanguage(), 6);
    shell.QueueDialogAction({Kind::kClick, res::kLanguageRadio, 0, {}});
    shell.QueueDialogAction({Kind::kOk, 0, 0, {}});
    EXPECT_EQ(Command(C::kLanguage), CSudokuApp::ECommand::kDone);
    EXPECT_EQ(Options().GetLanguage(), 0);
    // The next run starts in English.
    End();
    Start();
    EXPECT_EQ(Frame().BarLanguage(), 0);
}

// --- About box ---

TEST(AboutBox, EachControlIsCentredByTruncatedHalves) {
    const struct {
        int clientWidth;
        int width;
        int left;
    } rows[] = {
        {480, 176, 152}, {480, 229, 126}, {320, 229, 46},  {481, 229, 126}, {481, 230, 125},
        {960, 352, 304}, {960, 458, 251}, {100, 229, -64}, {0, 0, 0},
    };
    for (const auto& row : rows) {
        std::array<IDialog::SPlace, 9> places{};
        const std::array<int, 9> ids = {139, 202, 203, 204, 205, 206, 207, 208, -1};
        for (size_t i = 0; i < places.size(); ++i) {
            places[i] = {ids[i], 7, 10 + static_cast<int>(i), row.width, 13};
        }
        CAboutDlg(0).PlaceControls(row.clientWidth, places);
        for (size_t i = 0; i < places.size(); ++i) {
            const bool centred = i < 7;
            EXPECT_EQ(places[i].left, centred ? row.left : 7) << row.clientWidth << " " << ids[i];
            EXPECT_EQ(places[i].top, 10 + static_cast<int>(i));
            EXPECT_EQ(places[i].width, row.width);
            EXPECT_EQ(places[i].height, 13);
        }
    }
}

}  // namespace
