// The soft keys' popup menus in every language: their items from the menu resources (the
// Russian menu without Load, Save, Language... and Tutorial), the update rules as they open, and
// how they look against golden images.
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

#include "res/Menus.h"
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

TEST_P(SoftKeyMenus, HoldTheItemsOfTheirLanguage) {
    const int language = GetParam();
    const res::SMenu* resource = res::FindMenu(res::kMainResource + language);
    ASSERT_NE(resource, nullptr);
    std::set<int> commands;
    for (int key = 0; key < 2; ++key) {
        const auto menu = softkey::Build(language, key, 1, Rule);
        ASSERT_NE(menu, nullptr);
        const auto items = resource->popups[static_cast<size_t>(key)].Items();
        ASSERT_EQ(menu->actions().size(), static_cast<qsizetype>(items.size()));
        for (size_t i = 0; i < items.size(); ++i) {
            const QAction* action = menu->actions()[static_cast<qsizetype>(i)];
            EXPECT_EQ(action->text().toStdString(), std::string(items[i].caption)) << i;
            EXPECT_EQ(action->menu() != nullptr, items[i].kind == res::MenuItemKind::kPopup);
        }
        Commands(*menu, commands);
    }
    for (const CommandId id : kNotInRussian) {
        EXPECT_EQ(commands.count(static_cast<int>(id)), language == 6 ? 0U : 1U)
            << static_cast<int>(id);
    }
    EXPECT_EQ(commands.count(static_cast<int>(CommandId::kAbout)), 1U);
    EXPECT_EQ(commands.count(static_cast<int>(CommandId::kSaveAndExit)), 1U);
}

TEST_P(SoftKeyMenus, LookAsTheirGoldenImages) {
    const int language = GetParam();
    const QString golden = QString::fromUtf8(SUDOKU_TEST_DATA) + "/golden/menus/";
    const bool update = std::getenv("SUDOKU_UPDATE_GOLDEN") != nullptr;
    for (int key = 0; key < 2; ++key) {
        const auto menu = softkey::Build(language, key, 1, Rule);
        ASSERT_NE(menu, nullptr);
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
}

INSTANTIATE_TEST_SUITE_P(Languages, SoftKeyMenus, ::testing::Range(0, res::kLanguageCount));

TEST(SoftKeyMenu, RulesRunAsEachPopupOpens) {
    const auto menu = softkey::Build(0, 1, 1, Rule);
    ASSERT_NE(menu, nullptr);
    QMenu* preferences = menu->actions().front()->menu();
    ASSERT_NE(preferences, nullptr);
    const QAction* cellSelect = preferences->actions().front();
    EXPECT_FALSE(cellSelect->isChecked()) << "nothing is asked before the popup opens";
    Q_EMIT preferences->aboutToShow();
    EXPECT_TRUE(cellSelect->isChecked());
    EXPECT_TRUE(cellSelect->isEnabled());

    const auto game = softkey::Build(0, 0, 1, Rule);
    Q_EMIT game->aboutToShow();
    for (const QAction* action : game->actions()) {
        if (action->data().toInt() == static_cast<int>(CommandId::kSave)) {
            EXPECT_FALSE(action->isEnabled());
        }
    }
}

TEST(SoftKeyMenu, ALanguageOutsideTheTablesGetsTheEnglishMenu) {
    for (const int language : {-1, 7, 1000}) {
        const auto menu = softkey::Build(language, 0, 1, Rule);
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu->actions().front()->text(), QStringLiteral("New Game"));
    }
    EXPECT_EQ(softkey::Build(0, 2, 1, Rule), nullptr);
    EXPECT_EQ(softkey::Build(0, -1, 1, Rule), nullptr);
}

TEST(SoftKeyMenu, TheFontFollowsTheScale) {
    const auto one = softkey::Build(5, 0, 1, Rule);
    const auto two = softkey::Build(5, 0, 2, Rule);
    EXPECT_EQ(two->font().pixelSize(), 2 * one->font().pixelSize());
    EXPECT_EQ(one->font().family(), QStringLiteral("WenQuanYi Micro Hei"));
}

}  // namespace
