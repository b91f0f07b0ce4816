// The device screen told in words: names in two languages, states, and actions that are taps.
#include "ui/Accessible.h"

#include <gtest/gtest.h>

#include <string>

#include "res/ReaderTexts.h"
#include "res/Strings.h"
#include "tests/support/BoardBuilder.h"
#include "tests/ui/AppFixture.h"
#include "ui/Game.h"

namespace {

using Kind = SAccessibleItem::EKind;

class AccessibleTest : public testsupport::AppTest {
public:
    AccessibleTest() { startLanguage = 0; }
    const SAccessibleItem& Find(const std::vector<SAccessibleItem>& items, Kind kind, int index) {
        for (const SAccessibleItem& item : items) {
            if (item.kind == kind && item.index == index) {
                return item;
            }
        }
        ADD_FAILURE() << "no item " << static_cast<int>(kind) << "/" << index;
        static const SAccessibleItem none;
        return none;
    }
    // A board: row 1 is 5 (given), an illegal 5 at column 3; cell (row 1, column 2) empty with
    // marks 1 4 7 (7 illegal: row 1 holds no 7, but column 2 does below), selected.
    void SetBoard() {
        CBoard::Grid grid = testsupport::GridFrom(
            "5................................................................................");
        grid.cells[2][0].value = 5;  // player's 5 beside the given 5: illegal
        grid.cells[1][0].marks = 1 | 8 | 64;
        grid.cells[1][4].value = 7;
        grid.cells[1][4].given = 1;
        Game().SetGrid(grid);
        Game().UpdateAutoMarks();
        Game().SelectCell(1, 0, true);
    }
};

TEST_F(AccessibleTest, SplashIsOneItemWhoseActionEndsIt) {
    Start();
    ASSERT_TRUE(started);
    CAccessible screen(*app);
    const auto items = screen.Describe();
    ASSERT_EQ(items.size(), 1U);
    EXPECT_EQ(items[0].kind, Kind::kSplash);
    EXPECT_EQ(items[0].name, res::ReaderWord(0, res::ReaderText::kSplash));
    screen.Activate(items[0]);
    EXPECT_FALSE(View().IsSplash());
    EXPECT_EQ(screen.Describe().size(), 81U + 9U + 2U + 6U + 1U);
}

TEST_F(AccessibleTest, NamesInTwoLanguages) {
    StartPastSplash();
    Options().SetInputMode(kCellSelect);
    Options().SetFlagIllegal(true);
    Options().SetAutoPencilmarks(false);
    Options().SetLimitNumbers(true);
    SetBoard();
    struct SRow {
        int language;
        int cell;
        const char* name;
    };
    const SRow rows[] = {
        {0, 0, "Row 1, column 1, given 5"},
        {0, 1, "Row 1, column 2, empty, marks 1 4 7, illegal 7, selected"},
        {0, 2, "Row 1, column 3, 5, illegal"},
        {0, 3, "Row 1, column 4, empty"},
        {3, 0, "Zeile 1, Spalte 1, fest 5"},
        {3, 1, "Zeile 1, Spalte 2, leer, Notizen 1 4 7, ungültig 7, ausgewählt"},
        {3, 2, "Zeile 1, Spalte 3, 5, ungültig"},
    };
    for (const SRow& row : rows) {
        Options().SetLanguage(row.language);
        const auto items = CAccessible(*app).Describe();
        const SAccessibleItem& cell = Find(items, Kind::kCell, row.cell);
        EXPECT_EQ(cell.name, row.name);
        EXPECT_EQ(cell.selected, row.cell == 1);
        EXPECT_EQ(cell.invalid, row.cell == 2);
    }
    // Limit Numbers offers what the selected cell can hold: not 5 (in its row), not 7 (in its
    // column).
    Options().SetLanguage(0);
    const auto items = CAccessible(*app).Describe();
    EXPECT_EQ(Find(items, Kind::kPalette, 5).name, "Number 5, not allowed");
    EXPECT_FALSE(Find(items, Kind::kPalette, 5).enabled);
    EXPECT_EQ(Find(items, Kind::kPalette, 4).name, "Number 4");
    EXPECT_EQ(Find(items, Kind::kSoftKey, 0).name, "Game");
    EXPECT_EQ(Find(items, Kind::kClock, 0).name, "Time " + CGame::FormatClock(Game().GetElapsed()));
    const SAccessibleItem& pencil =
        Find(items, Kind::kButton, static_cast<int>(CommandId::kPencilmarks));
    EXPECT_TRUE(pencil.checkable);
    EXPECT_EQ(pencil.checked, Game().GetPencilMode());
    EXPECT_EQ(pencil.name, Frame().ButtonCaption(CommandId::kPencilmarks));
}

TEST_F(AccessibleTest, ActionsAreTheTaps) {
    StartPastSplash();
    Options().SetInputMode(kCellSelect);
    Options().SetLimitNumbers(false);
    Game().SetPencilMode(false);
    Game().SetEraserMode(false);
    Game().SetGrid(testsupport::GridFrom(""));
    CAccessible screen(*app);
    // A cell's action selects it; a palette digit's enters it there.
    screen.Activate(Find(screen.Describe(), Kind::kCell, 4 * 9 + 6));
    EXPECT_EQ(Selection(), std::make_pair(6, 4));
    screen.Activate(Find(screen.Describe(), Kind::kPalette, 8));
    EXPECT_EQ(Game().GetCell(6, 4).value, 8);
    EXPECT_EQ(Find(screen.Describe(), Kind::kCell, 4 * 9 + 6).name, "Row 5, column 7, 8, selected");
    // A toolbar button's runs its command; a soft key's opens its popup.
    screen.Activate(
        Find(screen.Describe(), Kind::kButton, static_cast<int>(CommandId::kPencilmarks)));
    EXPECT_TRUE(Game().GetPencilMode());
    EXPECT_TRUE(
        Find(screen.Describe(), Kind::kButton, static_cast<int>(CommandId::kPencilmarks)).checked);
    const auto menu = screen.Activate(Find(screen.Describe(), Kind::kSoftKey, 1));
    ASSERT_TRUE(menu.has_value());
    EXPECT_EQ(menu->key, 1);
    // The clock has no action.
    EXPECT_FALSE(screen.Activate(Find(screen.Describe(), Kind::kClock, 0)).has_value());
}

TEST_F(AccessibleTest, EveryLanguageHasEveryWordWithTheEnglishPlaceholders) {
    for (int text = 0; text < static_cast<int>(res::ReaderText::kCount); ++text) {
        const auto english = res::ReaderWord(0, static_cast<res::ReaderText>(text));
        for (int language = 0; language < res::kLanguageCount; ++language) {
            const auto word = res::ReaderWord(language, static_cast<res::ReaderText>(text));
            EXPECT_FALSE(word.empty()) << text << "/" << language;
            for (const char* holder : {"%1", "%2"}) {
                EXPECT_EQ(word.find(holder) == std::string_view::npos,
                          english.find(holder) == std::string_view::npos)
                    << text << "/" << language;
            }
        }
    }
    EXPECT_TRUE(res::ReaderWord(7, res::ReaderText::kEmpty).empty());
}

}  // namespace
