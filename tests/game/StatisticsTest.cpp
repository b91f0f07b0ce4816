// Statistics per level: counting, the running average, the combined figures and resets.
#include <gtest/gtest.h>

#include "engine/Options.h"
#include "game/Statistics.h"

namespace {

constexpr int kAll = 0;
constexpr int kBeginnerRow = 1;
constexpr int kEasyRow = 2;
constexpr int kHardRow = 4;
constexpr int kCustomRow = 6;

TEST(Statistics, RunningAverageCarriesItsTruncation) {
    COptions o;
    RecordSolvedGame(o, 40, 100);
    RecordSolvedGame(o, 40, 101);
    SLevelStats s = GetLevelStats(o, kEasyRow);
    EXPECT_EQ(s.solved, 2);
    EXPECT_EQ(s.totalTime, 201);
    EXPECT_EQ(s.bestTime, 100);
    EXPECT_EQ(s.averageTime, 100);  // 100.5 truncated
    RecordSolvedGame(o, 40, 50);
    s = GetLevelStats(o, kEasyRow);
    EXPECT_EQ(s.bestTime, 50);
    EXPECT_EQ(s.averageTime, 83);  // (100 * 2 + 50) / 3
}

TEST(Statistics, LevelCodesFileIntoTheirSlotsAndEverythingElseIsCustom) {
    const std::pair<int, int> codes[] = {{30, 0}, {40, 1}, {44, 2}, {50, 3},
                                         {65, 4}, {6, 5},  {0, 5},  {99, 5}};
    for (const auto& [code, slot] : codes) {
        EXPECT_EQ(LevelSlot(code), slot) << code;
    }
    COptions o;
    RecordSolvedGame(o, 6, 42);
    EXPECT_EQ(GetLevelStats(o, kCustomRow).solved, 1);
}

TEST(Statistics, AllLevelsTogether) {
    COptions o;
    EXPECT_EQ(GetLevelStats(o, kAll).bestTime, 0);
    RecordSolvedGame(o, 30, 100);
    RecordSolvedGame(o, 50, 301);
    RecordSolvedGame(o, 50, 301);
    const SLevelStats all = GetLevelStats(o, kAll);
    EXPECT_EQ(all.solved, 3);
    EXPECT_EQ(all.totalTime, 702);
    EXPECT_EQ(all.bestTime, 100);
    EXPECT_EQ(all.averageTime, 200);  // the mean of 100 and 301, whatever the game counts
}

TEST(Statistics, ResetClearsTheRowShownOrEverything) {
    COptions o;
    RecordSolvedGame(o, 30, 60);
    RecordSolvedGame(o, 50, 70);
    ResetStats(o, kHardRow);
    EXPECT_EQ(GetLevelStats(o, kHardRow).solved, 0);
    EXPECT_EQ(GetLevelStats(o, kBeginnerRow).solved, 1);
    EXPECT_EQ(GetLevelStats(o, kAll).solved, 1);
    ResetStats(o, kAll);
    EXPECT_EQ(GetLevelStats(o, kAll).solved, 0);
    EXPECT_EQ(GetLevelStats(o, kBeginnerRow).bestTime, 0);
}

TEST(Statistics, DamagedFiguresNeitherOverflowNorDivideByZero) {
    COptions::Image im = COptions().ToImage();
    // Slot 0: solved -1 (so solved + 1 is 0), average INT_MAX; slot 1: totals at the limit.
    for (int i = 0; i < 4; ++i) {
        im[static_cast<std::size_t>(40 + i)] = 0xFF;
        im[static_cast<std::size_t>(56 + 4 + i)] = 0xFF;
    }
    im[52] = 0xFF;
    im[53] = 0xFF;
    im[54] = 0xFF;
    im[55] = 0x7F;
    COptions o;
    o.ReadImage(im.data(), im.size());
    RecordSolvedGame(o, 30, 10);
    RecordSolvedGame(o, 40, 10);
    const SLevelStats all = GetLevelStats(o, kAll);
    EXPECT_GE(all.averageTime, 0);
}

TEST(Statistics, FiguresStopAtTheirLargestValue) {
    const struct {
        SLevelStats before;
        int32_t seconds;
        SLevelStats after;
    } cases[] = {
        {{INT32_MAX, 100, 100, 100}, 100, {INT32_MAX, 200, 100, 100}},
        {{5, INT32_MAX - 10, 60, 60}, 60, {6, INT32_MAX, 60, 60}},
        {{1, 2147483000, 2147483000, 2147483000},
         2147483647,
         {2, INT32_MAX, 2147483000, 2147483264}},
        {{2, 200, 100, 100}, 2147483647, {3, INT32_MAX, 100, 715827968}},
    };
    for (const auto& c : cases) {
        COptions o;
        o.LevelStats()[0] = c.before;
        RecordSolvedGame(o, level::kBeginner, c.seconds);
        const SLevelStats s = GetLevelStats(o, kBeginnerRow);
        EXPECT_EQ(s.solved, c.after.solved) << c.before.solved;
        EXPECT_EQ(s.totalTime, c.after.totalTime) << c.before.totalTime;
        EXPECT_EQ(s.bestTime, c.after.bestTime);
        EXPECT_EQ(s.averageTime, c.after.averageTime) << c.before.averageTime;
    }
    // All levels together stop at the limit too.
    COptions o;
    o.LevelStats()[0] = {INT32_MAX, INT32_MAX, 1, 1};
    o.LevelStats()[1] = {1, 1, 1, 1};
    EXPECT_EQ(GetLevelStats(o, kAll).solved, INT32_MAX);
    EXPECT_EQ(GetLevelStats(o, kAll).totalTime, INT32_MAX);
}

TEST(Statistics, TimeTexts) {
    const std::pair<int32_t, const char*> cases[] = {{0, "0:00:00"},
                                                     {59, "0:00:59"},
                                                     {3725, "1:02:05"},
                                                     {-69, "-0:01:09"},
                                                     {-3725, "-1:02:05"},
                                                     {INT32_MAX, "596523:14:07"},
                                                     {INT32_MIN, "-596523:14:08"}};
    for (const auto& [seconds, text] : cases) {
        EXPECT_EQ(StatTimeText(seconds), text) << seconds;
    }
}

TEST(Statistics, TheDialogShowsNegativeFiguresAsZero) {
    COptions o;
    o.LevelStats()[0] = {-5, -69, -1, INT32_MIN};
    o.LevelStats()[3] = {2, 200, 90, 100};
    const SLevelStats beginner = GetShownLevelStats(o, kBeginnerRow);
    EXPECT_EQ(beginner.solved, 0);
    EXPECT_EQ(beginner.totalTime, 0);
    EXPECT_EQ(beginner.bestTime, 0);
    EXPECT_EQ(beginner.averageTime, 0);
    // All levels together count the negative figures as zero too.
    const SLevelStats all = GetShownLevelStats(o, kAll);
    EXPECT_EQ(all.solved, 2);
    EXPECT_EQ(all.totalTime, 200);
    EXPECT_EQ(all.bestTime, 90);
    EXPECT_EQ(all.averageTime, 100);
    // The figures themselves stay as the file holds them.
    EXPECT_EQ(GetLevelStats(o, kBeginnerRow).solved, -5);
}

}  // namespace
