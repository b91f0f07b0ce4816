// The game's text lookups follow the language of the options record at every call.
#include <gtest/gtest.h>

#include "game/Options.h"
#include "game/Texts.h"

namespace {

class TextsTest : public ::testing::Test {
protected:
    void SetUp() override { m_saved = GetOptions().GetLanguage(); }
    void TearDown() override { GetOptions().SetLanguage(m_saved); }

private:
    int32_t m_saved = 0;
};

TEST_F(TextsTest, RussianBeforeAnyChoice) {
    EXPECT_EQ(COptions().GetLanguage(), 6);
    GetOptions().SetDefaults();
    EXPECT_EQ(TextLanguage(), 6);
    EXPECT_EQ(MessageText(MessageId::kInvalidSolution), "Решетка содержит ошибки.");
}

TEST_F(TextsTest, MessageTextFollowsTheOptionsAtTheNextCall) {
    GetOptions().SetLanguage(0);
    EXPECT_EQ(MessageText(MessageId::kCustomInvalid), "This is not a valid Sudoku puzzle.");
    GetOptions().SetLanguage(5);
    EXPECT_EQ(MessageText(MessageId::kCustomInvalid), "不是有效数独迷题");
    EXPECT_EQ(TipText(1), "提示标记开\n 关");
    GetOptions().SetLanguage(2);
    EXPECT_EQ(MessageText(MessageId::kCustomInvalid), "Questo non è un puzzle Sudoku valido.");
    EXPECT_EQ(TipText(5), "Suggerimento");
    EXPECT_EQ(TextLanguage(), 2);
}

TEST_F(TextsTest, LanguageOutsideTheTablesReadsEnglish) {
    for (const int32_t language : {7, -1, 1000, INT32_MIN, INT32_MAX}) {
        SCOPED_TRACE(language);
        GetOptions().SetLanguage(language);
        EXPECT_EQ(TextLanguage(), 0);
        EXPECT_EQ(MessageText(MessageId::kCorrectSoFar), "The solution is correct so far.");
        EXPECT_EQ(TipText(6), "Exit");
    }
}

TEST_F(TextsTest, EveryMessageHasANameAndATextInEveryLanguage) {
    for (int32_t language = 0; language < kLanguageCount; ++language) {
        GetOptions().SetLanguage(language);
        for (int i = 0; i < kMessageCount; ++i) {
            const auto id = static_cast<MessageId>(i);
            EXPECT_FALSE(MessageText(id).empty()) << language << " " << i;
            EXPECT_TRUE(MessageName(id).starts_with("Msg")) << i;
        }
    }
    EXPECT_EQ(MessageName(MessageId::kFilesMissing), "MsgFilesMissing");
    EXPECT_EQ(MessageName(MessageId::kConfirmResetStats), "MsgConfirmResetStats");
    EXPECT_TRUE(MessageName(static_cast<MessageId>(kMessageCount)).empty());
    EXPECT_TRUE(MessageText(static_cast<MessageId>(-1)).empty());
}

TEST_F(TextsTest, TipIndexOutsideTheTableIsEmpty) {
    GetOptions().SetLanguage(0);
    EXPECT_TRUE(TipText(-1).empty());
    EXPECT_TRUE(TipText(kTipCount).empty());
    EXPECT_EQ(TipText(0), "Quick new game");
}

}  // namespace
