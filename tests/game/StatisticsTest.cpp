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

}  // namespace
