// The soft keys' popup menus in every language: their items from the menu resources (the
// Russian menu without Load, Save, Language... and Tutorial), and how they look against golden
// images, at scale 1 and, with their submenus, at larger scales.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QImage>
#include <QMenu>
#include <QPainter>
#include <QPixmap>

#include <algorithm>
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

// Compares a picture with its golden image in golden/menus/, or writes it there when
// SUDOKU_UPDATE_GOLDEN is set; a picture that differs is kept in the temporary folder.
void ExpectGolden(const QImage& shot, const QString& name) {
    const QString golden = QString::fromUtf8(SUDOKU_TEST_DATA) + "/golden/menus/";
    if (std::getenv("SUDOKU_UPDATE_GOLDEN") != nullptr) {
        QDir().mkpath(golden);
        ASSERT_TRUE(shot.save(golden + name));
        return;
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

class SoftKeyMenus : public ::testing::TestWithParam<int> {};

TEST_P(SoftKeyMenus, HoldTheItemsOfTheirLanguageAndLookAsTheirGoldenImages) {
    const int language = GetParam();
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
        ExpectGolden(shot, name);
    }
    for (const CommandId id : kNotInRussian) {
        EXPECT_EQ(commands.count(static_cast<int>(id)), language == 6 ? 0U : 1U)
            << static_cast<int>(id);
    }
    EXPECT_EQ(commands.size(), language == 6 ? 26U : 30U);
}

INSTANTIATE_TEST_SUITE_P(Languages, SoftKeyMenus, ::testing::Range(0, res::kLanguageCount));

// The popup and, to its right, each of its submenus as it opens, top-aligned.
QImage PopupAndSubmenus(QMenu& menu) {
    std::vector<QImage> shots;
    std::vector<QMenu*> menus{&menu};
    for (QAction* action : menu.actions()) {
        if (action->menu() != nullptr) {
            menus.push_back(action->menu());
        }
    }
    QSize size;
    for (QMenu* m : menus) {
        Q_EMIT m->aboutToShow();
        m->ensurePolished();
        m->resize(m->sizeHint());
        shots.push_back(m->grab().toImage().convertToFormat(QImage::Format_RGB32));
        size = QSize(size.width() + shots.back().width(),
                     std::max(size.height(), shots.back().height()));
    }
    QImage out(size, QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter painter(&out);
    int x = 0;
    for (const QImage& shot : shots) {
        painter.drawImage(x, 0, shot);
        x += shot.width();
    }
    return out;
}

struct SScaleCase {
    int language;
    int scale;
};

class ScaledMenus : public ::testing::TestWithParam<SScaleCase> {};

// At the window's larger scales every caption stands whole, clear of the check marks and the
// submenu arrows, which grow with the text; the languages with the longest captions.
TEST_P(ScaledMenus, ShowEveryCaptionWholeAsTheirGoldenImages) {
    const auto [language, scale] = GetParam();
    for (int key = 0; key < 2; ++key) {
        const auto menu = softkey::Build(language, key, scale, Rule);
        ASSERT_NE(menu, nullptr);
        const QImage shot = PopupAndSubmenus(*menu);
        const QString name = QString::fromLatin1(key == 0 ? "game-" : "options-") +
                             QString::number(language) + "-scale" + QString::number(scale) + ".png";
        ExpectGolden(shot, name);
    }
}

INSTANTIATE_TEST_SUITE_P(LongestCaptions, ScaledMenus,
                         ::testing::Values(SScaleCase{1, 3}, SScaleCase{3, 3}, SScaleCase{5, 3},
                                           SScaleCase{6, 3}, SScaleCase{1, 7}),
                         [](const auto& row) {
                             return "Language" + std::to_string(row.param.language) + "Scale" +
                                    std::to_string(row.param.scale);
                         });

}  // namespace
