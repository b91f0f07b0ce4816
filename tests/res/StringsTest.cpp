// The string, message and tip tables: complete in every language, exact where it matters, and
// safe for any index.
#include <gtest/gtest.h>

#include <climits>
#include <string_view>

#include "res/Strings.h"

namespace {

constexpr int kOddIndexes[] = {INT_MIN, -1000, -1, 7, 11, 100, INT_MAX};

TEST(Strings, EveryLanguageHasEveryMessageAndTip) {
    for (int language = 0; language < res::kLanguageCount; ++language) {
        SCOPED_TRACE(language);
        for (int message = 0; message < res::kMessageCount; ++message) {
            EXPECT_FALSE(res::MessageText(language, message).empty()) << "message " << message;
        }
        for (int tip = 0; tip < res::kTipCount; ++tip) {
            const std::string_view text = res::TipText(language, tip);
            EXPECT_FALSE(text.empty()) << "tip " << tip;
            // Only Pencilmarks and Eraser hold two captions, each non-empty.
            const std::size_t feed = text.find('\n');
            if (tip == 1 || tip == 2) {
                ASSERT_NE(feed, std::string_view::npos) << "tip " << tip;
                EXPECT_GT(feed, 0U);
                EXPECT_LT(feed + 1, text.size());
                EXPECT_EQ(text.find('\n', feed + 1), std::string_view::npos);
            } else {
                EXPECT_EQ(feed, std::string_view::npos) << "tip " << tip;
            }
        }
        EXPECT_FALSE(res::LanguageName(language).empty());
        EXPECT_FALSE(res::FileErrorText(language).empty());
        for (int text = 0; text < res::kShellTextCount; ++text) {
            EXPECT_FALSE(res::ShellTextOf(language, static_cast<res::ShellText>(text)).empty())
                << "shell text " << text;
        }
        for (int reason = 0; reason < res::kFileReasonCount; ++reason) {
            const std::string_view text =
                res::FileReasonText(language, static_cast<res::FileReason>(reason));
            EXPECT_FALSE(text.empty()) << "reason " << reason;
            EXPECT_EQ(text.find('%'), std::string_view::npos) << "reason " << reason;
        }
        // One place for the path, as in English.
        for (const std::string_view text :
             {res::TutorialErrorText(language), res::DataFolderReadOnlyText(language)}) {
            const std::size_t at = text.find("%s");
            ASSERT_NE(at, std::string_view::npos) << text;
            EXPECT_EQ(text.find('%', at + 1), std::string_view::npos) << text;
        }
    }
    // Seven texts of their own, and reasons that differ from each other.
    for (int a = 0; a < res::kLanguageCount; ++a) {
        for (int b = a + 1; b < res::kLanguageCount; ++b) {
            EXPECT_NE(res::FileErrorText(a), res::FileErrorText(b)) << a << " " << b;
            EXPECT_NE(res::TutorialErrorText(a), res::TutorialErrorText(b)) << a << " " << b;
            EXPECT_NE(res::DataFolderReadOnlyText(a), res::DataFolderReadOnlyText(b))
                << a << " " << b;
        }
        for (int r = 0; r < res::kFileReasonCount; ++r) {
            for (int q = r + 1; q < res::kFileReasonCount; ++q) {
                EXPECT_NE(res::FileReasonText(a, static_cast<res::FileReason>(r)),
                          res::FileReasonText(a, static_cast<res::FileReason>(q)))
                    << a << ": " << r << " " << q;
            }
        }
    }
}

TEST(Strings, MessageNamesAreTheMessageList) {
    const char* const expected[] = {
        "MsgCannotSolveFromHere", "MsgCorrectSoFar",    "MsgCustomValid",       "MsgCustomInvalid",
        "MsgEnterCustomGivens",   "MsgNoSingleLeft",    "MsgFilesMissing",      "MsgConfirmNewGame",
        "MsgSolvedStartNew",      "MsgInvalidSolution", "MsgConfirmResetStats",
    };
    ASSERT_EQ(std::size(expected), static_cast<std::size_t>(res::kMessageCount));
    for (int i = 0; i < res::kMessageCount; ++i) {
        EXPECT_EQ(res::MessageName(i), expected[i]);
    }
}

struct SExactText {
    int language;
    int index;
    const char* text;
};

// Texts whose spacing, quotation marks or spelling must survive as written.
TEST(Strings, MessagesAreExact) {
    const SExactText rows[] = {
        {0, 0,
         "The puzzle can not be solved from this position. Please, check for invalid values."},
        {1, 8,
         "Vous  avez résolu avec succès  un autre puzzle Sudoku. Il y a de nouveaux puzzles "
         "illimités vous attendant. Commencer un nouveau jeu?"},
        {2, 3, "Questo non è un puzzle Sudoku valido."},
        {3, 4,
         "Tragen Sie \"feste\" Ziffer im Raster ein. Wenn Sie das gemacht haben, klicken Sie auf "
         "Neues Spiel."},
        {3, 8,
         "Sie haben gerade noch ein Sudoku-Rätsel erfolgreich gelöst! Es gibt viele neue Rätsel, "
         "die auf Sie warten. Starten Sie einneues Spiel?"},
        {3, 10, "Sind Sie sicher, daß Sie Statistiken zurückstellen möchten?"},
        {4, 8,
         "Ha resuelto otro puzzle Sudoku! Hay muchísimos  puzzles nuevos esperando por usted. "
         "Comenzar uno nuevo?"},
        {5, 1, "当前方案正确"},
        {5, 7, "未储存的进度将丢失。你想重新开启新游戏吗？"},
        {6, 4,
         "Расставьте цифры в ячейки с фиксированными значениями. Когда закончите, нажмите "
         "клавишу \"ОК\" на пульте."},
        {6, 9, "Решетка содержит ошибки."},
    };
    for (const SExactText& row : rows) {
        EXPECT_EQ(res::MessageText(row.language, row.index), row.text)
            << "language " << row.language << " message " << row.index;
    }
    EXPECT_EQ(res::FileReasonText(0, res::FileReason::kNotASavedGame), "not a saved game");
    EXPECT_EQ(res::FileReasonText(0, res::FileReason::kDamaged),
              "damaged: a value is out of its range");
    EXPECT_EQ(res::FileReasonText(0, res::FileReason::kDenied), "permission denied");
    EXPECT_EQ(res::FileReasonText(0, res::FileReason::kFolderReadOnly),
              "the folder cannot be written");
    EXPECT_EQ(res::DataFolderReadOnlyText(0),
              "your game and statistics will not be kept: %s cannot be written");
}

TEST(Strings, TipsAreExact) {
    const SExactText rows[] = {
        {0, 0, "Quick new game"},
        {0, 1, "Pencilmarks on\nPencilmarks off"},
        {2, 1, "Marchi di matita on\nMarchi di matita off"},
        {3, 3, "Letzte Aktion rückgängig machen"},
        {4, 4, "Chequear mi puntaje"},
        {5, 1, "提示标记开\n 关"},  // a blank after the line feed
        {5, 2, "清除开\n关"},       // and none here
        {6, 2, "Ластик вкл.\nЛастик выкл."},
        {1, 5, "Conseil"},
        {0, 6, "Exit"},
    };
    for (const SExactText& row : rows) {
        EXPECT_EQ(res::TipText(row.language, row.index), row.text)
            << "language " << row.language << " tip " << row.index;
    }
    // Every language but English names the Exit button in Russian.
    for (int language = 1; language < res::kLanguageCount; ++language) {
        EXPECT_EQ(res::TipText(language, 6), "Выход") << language;
    }
}

TEST(Strings, LanguagesAndTutorialLetters) {
    const char* const names[] = {"English", "Français", "Italiano", "Deutsch",
                                 "Español", "汉语",     "Русский"};
    const char* const letters[] = {"", "F", "I", "G", "S", "C", "R"};
    for (int i = 0; i < res::kLanguageCount; ++i) {
        EXPECT_EQ(res::LanguageName(i), names[i]);
        EXPECT_EQ(res::TutorialLetter(i), letters[i]);
    }
}

TEST(Strings, SoftKeyCaptionsByBasePlusLanguage) {
    const char* const game[] = {"Game", "Jeu", "Partita", "Spiel", "Juego", "游戏", "Игра"};
    const char* const options[] = {"Options",  "Options", "Opzioni",  "Optionen",
                                   "Opciones", "选择",    "Настройки"};
    for (int i = 0; i < res::kLanguageCount; ++i) {
        EXPECT_EQ(res::FindString(res::kGameKeyCaption + i), game[i]);
        EXPECT_EQ(res::FindString(res::kOptionsKeyCaption + i), options[i]);
    }
}

TEST(Strings, TitleAndDocumentString) {
    EXPECT_EQ(res::FindString(res::kAppTitle), "Судоку");
    EXPECT_EQ(res::FindString(res::kDocumentString),
              "Судоку\n\nСудоку\nSudoku Files (*.sdk)\n.sdk\nSudoku.Document\nSudoku.Document");
    EXPECT_EQ(res::DocumentField(res::DocField::kWindowTitle), "Судоку");
    EXPECT_EQ(res::DocumentField(res::DocField::kDocName), "");
    EXPECT_EQ(res::DocumentField(res::DocField::kFileNewName), "Судоку");
    EXPECT_EQ(res::DocumentField(res::DocField::kFilterName), "Sudoku Files (*.sdk)");
    EXPECT_EQ(res::DocumentField(res::DocField::kFilterExt), ".sdk");
    EXPECT_EQ(res::DocumentField(res::DocField::kRegFileTypeId), "Sudoku.Document");
    EXPECT_EQ(res::DocumentField(res::DocField::kRegFileTypeName), "Sudoku.Document");
    EXPECT_EQ(res::DocumentField(static_cast<res::DocField>(7)), "");
    EXPECT_EQ(res::DocumentField(static_cast<res::DocField>(-1)).data(), nullptr);
}

TEST(Strings, OddIndexesGiveNullTexts) {
    for (const int odd : kOddIndexes) {
        SCOPED_TRACE(odd);
        EXPECT_EQ(res::MessageText(odd, 0).data(), nullptr);
        EXPECT_EQ(res::TipText(odd, 0).data(), nullptr);
        EXPECT_EQ(res::LanguageName(odd).data(), nullptr);
        EXPECT_EQ(res::TutorialLetter(odd).data(), nullptr);
        EXPECT_EQ(res::FileErrorText(odd).data(), nullptr);
        EXPECT_EQ(res::ShellTextOf(odd, res::ShellText::kOk).data(), nullptr);
        if (odd >= res::kShellTextCount || odd < 0) {
            EXPECT_EQ(res::ShellTextOf(0, static_cast<res::ShellText>(odd)).data(), nullptr);
        }
        EXPECT_EQ(res::TutorialErrorText(odd).data(), nullptr);
        EXPECT_EQ(res::DataFolderReadOnlyText(odd).data(), nullptr);
        EXPECT_EQ(res::FileReasonText(odd, res::FileReason::kDamaged).data(), nullptr);
        if (odd >= res::kFileReasonCount || odd < 0) {
            EXPECT_EQ(res::FileReasonText(0, static_cast<res::FileReason>(odd)).data(), nullptr);
        }
        if (odd >= res::kMessageCount || odd < 0) {
            EXPECT_EQ(res::MessageText(0, odd).data(), nullptr);
            EXPECT_EQ(res::MessageName(odd).data(), nullptr);
        }
        EXPECT_EQ(res::TipText(0, odd).data(), nullptr);
    }
    for (const int id : {0, 109, 111, 309, 317, 319, 327, 57343, 57345, -310, INT_MAX, INT_MIN}) {
        EXPECT_EQ(res::FindString(id).data(), nullptr) << id;
    }
}

}  // namespace
