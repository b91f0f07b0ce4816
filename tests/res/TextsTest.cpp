// The game's text lookups follow the language of the options record at every call.
#include <gtest/gtest.h>

#include <iterator>
#include <set>

#include "engine/Options.h"
#include "game/Texts.h"

namespace {

class TextsTest : public ::testing::Test {
protected:
    COptions options;
};

TEST_F(TextsTest, RussianBeforeAnyChoice) {
    EXPECT_EQ(options.GetLanguage(), 6);
    EXPECT_EQ(TextLanguage(options), 6);
    EXPECT_EQ(MessageText(options, MessageId::kInvalidSolution), "Решетка содержит ошибки.");
}

TEST_F(TextsTest, MessageTextFollowsTheOptionsAtTheNextCall) {
    options.SetLanguage(0);
    EXPECT_EQ(MessageText(options, MessageId::kCustomInvalid),
              "This is not a valid Sudoku puzzle.");
    options.SetLanguage(5);
    EXPECT_EQ(MessageText(options, MessageId::kCustomInvalid), "不是有效数独迷题");
    EXPECT_EQ(TipText(options, 1), "提示标记开\n 关");
    options.SetLanguage(2);
    EXPECT_EQ(MessageText(options, MessageId::kCustomInvalid),
              "Questo non è un puzzle Sudoku valido.");
    EXPECT_EQ(TipText(options, 5), "Suggerimento");
    EXPECT_EQ(TextLanguage(options), 2);
}

TEST_F(TextsTest, LanguageOutsideTheTablesReadsEnglish) {
    for (const int32_t language : {7, -1, 1000, INT32_MIN, INT32_MAX}) {
        SCOPED_TRACE(language);
        options.SetLanguage(language);
        EXPECT_EQ(TextLanguage(options), 0);
        EXPECT_EQ(MessageText(options, MessageId::kCorrectSoFar),
                  "The solution is correct so far.");
        EXPECT_EQ(TipText(options, 6), "Exit");
    }
}

TEST_F(TextsTest, EveryMessageHasANameAndATextInEveryLanguage) {
    for (int32_t language = 0; language < kLanguageCount; ++language) {
        options.SetLanguage(language);
        for (int i = 0; i < kMessageCount; ++i) {
            const auto id = static_cast<MessageId>(i);
            EXPECT_FALSE(MessageText(options, id).empty()) << language << " " << i;
            EXPECT_TRUE(MessageName(id).starts_with("Msg")) << i;
        }
    }
    EXPECT_EQ(MessageName(MessageId::kFilesMissing), "MsgFilesMissing");
    EXPECT_EQ(MessageName(MessageId::kConfirmResetStats), "MsgConfirmResetStats");
    EXPECT_TRUE(MessageName(static_cast<MessageId>(kMessageCount)).empty());
    EXPECT_TRUE(MessageText(options, static_cast<MessageId>(-1)).empty());
}

TEST_F(TextsTest, EveryFaultOfASavedGameHasItsOwnText) {
    using F = savefile::Fault;
    const F faults[] = {F::kMissing,  F::kNotAFile,       F::kDenied,
                        F::kNoFolder, F::kFolderReadOnly, F::kDiskFull,
                        F::kFailed,   F::kNotASavedGame,  F::kDamaged};
    for (int32_t language = 0; language < kLanguageCount; ++language) {
        options.SetLanguage(language);
        std::set<std::string_view> texts;
        for (const F fault : faults) {
            EXPECT_FALSE(FaultText(options, fault).empty()) << language;
            texts.insert(FaultText(options, fault));
        }
        texts.insert(PageFaultText(options, {false, fileio::Problem::kNone}));
        EXPECT_EQ(texts.size(), std::size(faults) + 1) << language;
        EXPECT_TRUE(FaultText(options, F::kNone).empty());
        EXPECT_TRUE(PageFaultText(options, {}).empty());
    }
    options.SetLanguage(0);
    EXPECT_EQ(FaultText(options, F::kNotASavedGame), "not a saved game");
    EXPECT_EQ(PageFaultText(options, {false, fileio::Problem::kDenied}), "permission denied");
    EXPECT_EQ(WithValue("kept: %s cannot be written", "/data"), "kept: /data cannot be written");
}

TEST_F(TextsTest, TipIndexOutsideTheTableIsEmpty) {
    options.SetLanguage(0);
    EXPECT_TRUE(TipText(options, -1).empty());
    EXPECT_TRUE(TipText(options, kTipCount).empty());
    EXPECT_EQ(TipText(options, 0), "Quick new game");
}

}  // namespace
