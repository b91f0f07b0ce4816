// The soft keys' popup menus in every language: their items from the menu resources (the
// Russian menu without Load, Save, Language... and Tutorial), and how they look against golden
// images.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QImage>
#include <QMenu>
#include <QPixmap>

#include <array>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "res/Strings.h"
#include "shell/SoftKeyMenu.h"

namespace {

constexpr std::array<CommandId, 4> kNotInRussian = {CommandId::kLoad, CommandId::kSave,
                                                    CommandId::kLanguage, CommandId::kTutorial};

// Every command of a popup and its submenus.
void Commands(const QMenu& menu, std::set<int>& out) {
    for (const QAction* action : menu.actions()) {
        if (action->menu() != nullptr) {
            Commands(*action->menu(), out);
        } else if (!action->isSeparator()) {
            out.insert(action->data().toInt());
        }
    }
}

// Enabled unless Save; checked for Cell Select and Paper.
SCommandState Rule(CommandId id) {
    return {id != CommandId::kSave, id == CommandId::kCellSelect || id == CommandId::kPaper};
}

class SoftKeyMenus : public ::testing::TestWithParam<int> {};

TEST_P(SoftKeyMenus, HoldTheItemsOfTheirLanguageAndLookAsTheirGoldenImages) {
    const int language = GetParam();
    const QString golden = QString::fromUtf8(SUDOKU_TEST_DATA) + "/golden/menus/";
    const bool update = std::getenv("SUDOKU_UPDATE_GOLDEN") != nullptr;
    std::set<int> commands;
    for (int key = 0; key < 2; ++key) {
        const auto menu = softkey::Build(language, key, 1, Rule);
        ASSERT_NE(menu, nullptr);
        Commands(*menu, commands);
        Q_EMIT menu->aboutToShow();
        menu->ensurePolished();
        menu->resize(menu->sizeHint());
        const QImage shot = menu->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QString name = QString::fromLatin1(key == 0 ? "game-" : "options-") +
                             QString::number(language) + ".png";
        if (update) {
            QDir().mkpath(golden);
            ASSERT_TRUE(shot.save(golden + name));
            continue;
        }
        const QImage expected = QImage(golden + name).convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(expected.isNull()) << (golden + name).toStdString();
        if (shot != expected) {
            const QString kept = QDir::temp().filePath(name);
            shot.save(kept);
            ADD_FAILURE() << name.toStdString() << " differs from its golden image (kept in "
                          << kept.toStdString() << ")";
        }
    }
    for (const CommandId id : kNotInRussian) {
        EXPECT_EQ(commands.count(static_cast<int>(id)), language == 6 ? 0U : 1U)
            << static_cast<int>(id);
    }
    EXPECT_EQ(commands.size(), language == 6 ? 26U : 30U);
}

INSTANTIATE_TEST_SUITE_P(Languages, SoftKeyMenus, ::testing::Range(0, res::kLanguageCount));

}  // namespace
