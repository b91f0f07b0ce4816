// Dialog templates: every control with its id, place and text, in every language.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "res/Dialogs.h"
#include "res/Menus.h"
#include "res/Strings.h"

namespace {

struct SPlace {
    int id;
    int x;
    int y;
    int width;
    int height;
};

void ExpectPlace(const res::SDialogTemplate& dialog, const SPlace& place) {
    SCOPED_TRACE(place.id);
    const res::SDialogControl* control = res::FindControl(dialog, place.id);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->x, place.x);
    EXPECT_EQ(control->y, place.y);
    EXPECT_EQ(control->width, place.width);
    EXPECT_EQ(control->height, place.height);
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> pieces;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find(separator, start);
        pieces.push_back(text.substr(start, end - start));
        if (end == std::string_view::npos) {
            return pieces;
        }
        start = end + 1;
    }
}

TEST(LanguageDialog, SevenRadioButtonsNamedInTheirLanguage) {
    const res::SDialogTemplate* dialog = res::FindDialog(140);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->caption, "Select Language");
    EXPECT_EQ(dialog->fontName, "MS Shell Dlg");
    EXPECT_EQ(dialog->fontSize, 8);
    EXPECT_EQ(dialog->width, 179);
    EXPECT_EQ(dialog->height, 191);
    ASSERT_EQ(dialog->controls.size(), 7U);
    const int widths[] = {38, 72, 69, 74, 73, 73, 73};
    for (int i = 0; i < res::kLanguageCount; ++i) {
        ExpectPlace(*dialog, {1030 + i, 19, 7 + 14 * i, widths[i], 10});
        const res::SDialogControl& radio = dialog->controls[static_cast<std::size_t>(i)];
        EXPECT_EQ(radio.id, 1030 + i);
        EXPECT_EQ(radio.kind, res::ControlKind::kRadioButton);
        EXPECT_EQ(radio.text, res::LanguageName(i));
        EXPECT_EQ((radio.flags & res::kGroupStart) != 0, i == 0);
    }
}

TEST(StatsDialog, LayoutInEveryLanguage) {
    for (int language = 0; language < res::kLanguageCount; ++language) {
        SCOPED_TRACE(language);
        const res::SDialogTemplate* dialog = res::FindDialog(500 + language);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->id, 500 + language);
        EXPECT_EQ(dialog->fontName, "Tahoma");
        EXPECT_EQ(dialog->fontSize, 8);
        EXPECT_EQ(dialog->width, 179);
        const bool tall = language >= 1 && language <= 4;
        EXPECT_EQ(dialog->height, tall ? 191 : 160);
        ASSERT_EQ(dialog->controls.size(), 13U);

        const SPlace places[] = {
            {1005, 49, 11, 95, 82}, {1010, 94, 38, 40, 8}, {1011, 94, 51, 40, 8},
            {1012, 94, 64, 40, 8},  {1013, 94, 77, 40, 8}, {1016, 0, -100, 0, 0},
            {1002, 94, 96, 50, 14},
        };
        for (const SPlace& place : places) {
            ExpectPlace(*dialog, place);
        }
        for (const int value : {1010, 1011, 1012, 1013}) {
            EXPECT_EQ(res::FindControl(*dialog, value)->text, "0");
        }
        EXPECT_NE(res::FindControl(*dialog, 1016)->flags & res::kHidden, 0U);
        EXPECT_NE(res::FindControl(*dialog, 1005)->flags & res::kSorted, 0U);
        EXPECT_EQ(res::FindControl(*dialog, 1005)->kind, res::ControlKind::kDropDownList);
        EXPECT_EQ(res::FindControl(*dialog, 1002)->kind, res::ControlKind::kPushButton);

        // The labels, the group box and their places.
        const SPlace labels[] = {
            {0, 17, 14, 30, 8}, {0, 17, 26, 128, 66}, {0, 32, 38, 54, 8},
            {0, 32, 51, 54, 8}, {0, 32, 64, 54, 8},   {0, 32, 77, language == 6 ? 60 : 54, 8},
        };
        std::vector<const res::SDialogControl*> statics;
        for (const res::SDialogControl& control : dialog->controls) {
            if (control.id == res::kStaticControl) {
                statics.push_back(&control);
            } else {
                // Only the level list has no text of its own.
                EXPECT_EQ(control.text.empty(), control.id == 1005) << control.id;
            }
        }
        ASSERT_EQ(statics.size(), std::size(labels));
        for (std::size_t i = 0; i < statics.size(); ++i) {
            EXPECT_EQ(statics[i]->x, labels[i].x) << i;
            EXPECT_EQ(statics[i]->y, labels[i].y) << i;
            EXPECT_EQ(statics[i]->width, labels[i].width) << i;
            EXPECT_EQ(statics[i]->height, labels[i].height) << i;
            const bool groupBox = statics[i]->kind == res::ControlKind::kGroupBox;
            EXPECT_EQ(groupBox, i == 1);
            EXPECT_EQ(statics[i]->text.empty(), groupBox) << i;
        }
    }
}

// The level list's entries are "All" and the level names of the same language's menu.
TEST(StatsDialog, EntriesMatchTheMenusLevels) {
    const int levels[] = {32772, 32773, 32774, 32775, 32776, 32811};
    for (int language = 0; language < res::kLanguageCount; ++language) {
        SCOPED_TRACE(language);
        const res::SDialogTemplate* dialog = res::FindDialog(500 + language);
        ASSERT_NE(dialog, nullptr);
        const std::vector<std::string_view> entries =
            Split(res::FindControl(*dialog, 1016)->text, ';');
        ASSERT_EQ(entries.size(), 7U);
        EXPECT_FALSE(entries[0].empty());
        const res::SMenuItem& newGame = res::FindMenu(110 + language)->popups[0].Items()[0];
        ASSERT_EQ(newGame.Items().size(), std::size(levels));
        for (std::size_t i = 0; i < std::size(levels); ++i) {
            EXPECT_EQ(static_cast<int>(newGame.Items()[i].command), levels[i]);
            EXPECT_EQ(entries[i + 1], newGame.Items()[i].caption);
        }
    }
}

TEST(StatsDialog, TextsAreExact) {
    const char* const captions[] = {"Statistics", "Statistics", "Statistics", "Statistics",
                                    "Statistics", "统计",       "Статистика"};
    const char* const buttons[] = {"Reset",    "Remise", "Reset",  "Reset",
                                   "Reajuste", "重置",   "Стереть"};
    for (int language = 0; language < res::kLanguageCount; ++language) {
        const res::SDialogTemplate* dialog = res::FindDialog(500 + language);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->caption, captions[language]);
        EXPECT_EQ(res::FindControl(*dialog, 1002)->text, buttons[language]);
    }
    const res::SDialogTemplate& english = *res::FindDialog(500);
    EXPECT_EQ(english.controls[0].text, "Level:");
    EXPECT_EQ(english.controls[3].text, "Boards Solved:");
    EXPECT_EQ(english.controls[9].text, "Average Time:");
    EXPECT_EQ(res::FindControl(english, 1016)->text, "All;Beginner;Easy;Medium;Hard;Expert;Custom");
    EXPECT_EQ(res::FindDialog(503)->controls[9].text, "Durchschnittliche Zeit:");
    EXPECT_EQ(res::FindDialog(505)->controls[3].text, "平板解决:");
    EXPECT_EQ(res::FindDialog(506)->controls[0].text, "Класс:");
}

TEST(AboutBox, LayoutAndTextsInEveryLanguage) {
    const char* const captions[] = {"About Sudoku", "A propos de Sudoku", "Su Sudoku",
                                    "Über Sudoku",  "Acerca de Sudoku",   "关于数独",
                                    "Об игре"};
    for (int language = 0; language < res::kLanguageCount; ++language) {
        SCOPED_TRACE(language);
        const res::SDialogTemplate* dialog = res::FindDialog(600 + language);
        ASSERT_NE(dialog, nullptr);
        const bool russian = language == 6;
        EXPECT_EQ(dialog->caption, captions[language]);
        EXPECT_EQ(dialog->fontName, "Tahoma");
        EXPECT_EQ(dialog->width, 156);
        EXPECT_EQ(dialog->height, russian ? 110 : 129);
        ASSERT_EQ(dialog->controls.size(), 7U);

        const res::SDialogControl* picture = res::FindControl(*dialog, 139);
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(picture->kind, res::ControlKind::kPicture);
        EXPECT_EQ(picture->image, 139);
        ExpectPlace(*dialog, {139, 2, 1, 117, 32});

        const int tops[] = {35, 45, 53, 66, 74, 85};  // 207, 202..206
        const int russianTops[] = {35, 87, 95, 47, 55, 67};
        const int ids[] = {207, 202, 203, 204, 205, 206};
        for (std::size_t i = 0; i < std::size(ids); ++i) {
            ExpectPlace(*dialog, {ids[i], 2, russian ? russianTops[i] : tops[i], 153, 8});
            const res::SDialogControl* line = res::FindControl(*dialog, ids[i]);
            EXPECT_EQ(line->kind, res::ControlKind::kCentredText);
            // In the Russian box 202 and 203 are empty; every other line has a text.
            EXPECT_EQ(line->text.empty(), russian && (ids[i] == 202 || ids[i] == 203)) << ids[i];
        }
        if (!russian) {
            EXPECT_EQ(res::FindControl(*dialog, 207)->text, "Version 1.1");
        }
    }
}

TEST(DialogLookups, UnknownIdsGiveNothing) {
    for (const int id : {INT_MIN, -1, 0, 139, 141, 499, 507, 599, 607, 110, INT_MAX}) {
        EXPECT_EQ(res::FindDialog(id), nullptr) << id;
    }
    const res::SDialogTemplate* about = res::FindDialog(600);
    ASSERT_NE(about, nullptr);
    for (const int id : {INT_MIN, 0, 201, 208, 1002, INT_MAX}) {
        EXPECT_EQ(res::FindControl(*about, id), nullptr) << id;
    }
}

}  // namespace
