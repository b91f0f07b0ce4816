// Menus, soft-key bars, toolbar and accelerators: the same structure in every language, the
// Russian menu's four gaps, exact captions, safe lookups, and agreement with the command list.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <set>
#include <string>
#include <vector>

#include "res/Commands.h"
#include "res/Menus.h"
#include "res/Strings.h"

namespace {

// One menu entry with its depth (1 for the two top popups).
struct SFlatItem {
    int depth;
    res::MenuItemKind kind;
    int command;
    std::string_view caption;
};

void Flatten(std::span<const res::SMenuItem> items, int depth, std::vector<SFlatItem>& out) {
    for (const res::SMenuItem& item : items) {
        out.push_back({depth, item.kind, static_cast<int>(item.command), item.caption});
        if (item.kind == res::MenuItemKind::kPopup) {
            Flatten(item.Items(), depth + 1, out);
        }
    }
}

std::vector<SFlatItem> FlatMenu(int id) {
    std::vector<SFlatItem> out;
    if (const res::SMenu* menu = res::FindMenu(id)) {
        Flatten(menu->popups, 1, out);
    }
    return out;
}

const res::SMenuItem* FindItem(std::span<const res::SMenuItem> items, int command) {
    for (const res::SMenuItem& item : items) {
        if (item.kind == res::MenuItemKind::kCommand && static_cast<int>(item.command) == command) {
            return &item;
        }
        if (item.kind == res::MenuItemKind::kPopup) {
            if (const res::SMenuItem* found = FindItem(item.Items(), command)) {
                return found;
            }
        }
    }
    return nullptr;
}

std::string_view Caption(int language, int command) {
    const res::SMenu* menu = res::FindMenu(res::kMainResource + language);
    const res::SMenuItem* item = menu ? FindItem(menu->popups, command) : nullptr;
    return item ? item->caption : std::string_view{};
}

constexpr int kP = -1;  // a popup
constexpr int kS = 0;   // a separator

// The English menu, entry by entry: depth, command (or popup, separator) and caption.
TEST(Menus, EnglishMenuStructure) {
    struct SRow {
        int depth;
        int command;
        const char* caption;
    };
    const SRow expected[] = {
        {1, kP, "Game"},
        {2, kP, "New Game"},
        {3, 32772, "Beginner"},
        {3, 32773, "Easy"},
        {3, 32774, "Medium"},
        {3, 32775, "Hard"},
        {3, 32776, "Expert"},
        {3, 32811, "Custom"},
        {2, 57601, "Load"},
        {2, 57604, "Save"},
        {2, kP, "Edit"},
        {3, 57643, "Undo"},
        {3, 32781, "Erase Illegal"},
        {3, 32782, "Restart"},
        {2, kP, "Solve"},
        {3, 32812, "Check My Input"},
        {3, 32785, "Hint"},
        {3, 32786, "Solve Cell"},
        {3, 32787, "Solve Puzzle"},
        {2, kS, ""},
        {2, 57665, "Save and Exit"},
        {1, kP, "Options"},
        {2, kP, "Preferences"},
        {3, 32790, "Cell Select"},
        {3, 32791, "Number Select"},
        {3, kS, ""},
        {3, 32792, "Auto Pencilmarks"},
        {3, 32793, "Flag Illegal"},
        {3, 32795, "Limit Numbers"},
        {3, 32813, "Zone Pencilmarks"},
        {3, 32817, "Crosshatching"},
        {2, kP, "Skin"},
        {3, 32797, "Paper"},
        {3, 32798, "Sand"},
        {3, 32799, "Steel"},
        {2, 32816, "Statistics"},
        {2, 32815, "Language..."},
        {2, 32801, "Tutorial"},
        {2, 57664, "About"},
    };
    const std::vector<SFlatItem> menu = FlatMenu(110);
    ASSERT_EQ(menu.size(), std::size(expected));
    for (std::size_t i = 0; i < menu.size(); ++i) {
        SCOPED_TRACE(i);
        const SRow& row = expected[i];
        EXPECT_EQ(menu[i].depth, row.depth);
        const res::MenuItemKind kind = row.command == kP   ? res::MenuItemKind::kPopup
                                       : row.command == kS ? res::MenuItemKind::kSeparator
                                                           : res::MenuItemKind::kCommand;
        EXPECT_EQ(menu[i].kind, kind);
        EXPECT_EQ(menu[i].command, row.command > 0 ? row.command : 0);
        EXPECT_EQ(menu[i].caption, row.caption);
    }
}

bool IsRussianGap(int command) {
    return command == static_cast<int>(CommandId::kLoad) ||
           command == static_cast<int>(CommandId::kSave) ||
           command == static_cast<int>(CommandId::kLanguage) ||
           command == static_cast<int>(CommandId::kTutorial);
}

// Every language has the English structure and ids, with a caption for everything but
// separators; Russian lacks exactly Load, Save, Language... and Tutorial.
TEST(Menus, EveryLanguageHasTheSameStructure) {
    const std::vector<SFlatItem> english = FlatMenu(110);
    for (int language = 0; language < res::kLanguageCount; ++language) {
        SCOPED_TRACE(language);
        const res::SMenu* menu = res::FindMenu(res::kMainResource + language);
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu->id, 110 + language);
        EXPECT_EQ(menu->language, language);
        ASSERT_EQ(menu->popups.size(), 2U);

        std::vector<SFlatItem> expected = english;
        if (language == 6) {
            std::erase_if(expected,
                          [](const SFlatItem& item) { return IsRussianGap(item.command); });
            EXPECT_EQ(expected.size(), english.size() - 4);
        }
        const std::vector<SFlatItem> actual = FlatMenu(menu->id);
        ASSERT_EQ(actual.size(), expected.size());
        for (std::size_t i = 0; i < actual.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(actual[i].depth, expected[i].depth);
            EXPECT_EQ(actual[i].kind, expected[i].kind);
            EXPECT_EQ(actual[i].command, expected[i].command);
            EXPECT_EQ(actual[i].caption.empty(), actual[i].kind == res::MenuItemKind::kSeparator)
                << actual[i].caption;
            if (actual[i].kind == res::MenuItemKind::kPopup) {
                EXPECT_EQ(actual[i].command, 0);
            }
        }
    }
}

TEST(Menus, CommandsAreNamedAndUnique) {
    for (int language = 0; language < res::kLanguageCount; ++language) {
        std::vector<int> seen;
        for (const SFlatItem& item : FlatMenu(110 + language)) {
            if (item.kind != res::MenuItemKind::kCommand) {
                continue;
            }
            EXPECT_TRUE(std::ranges::count(kAllCommands, static_cast<CommandId>(item.command)) == 1)
                << item.command;
            EXPECT_EQ(std::ranges::count(seen, item.command), 0) << item.command;
            seen.push_back(item.command);
        }
    }
}

TEST(Menus, CaptionsAreExact) {
    struct SRow {
        int language;
        int command;
        const char* caption;
    };
    const SRow rows[] = {
        {5, 57601, "保存"},  // Load and Save swapped as the Chinese menu has them
        {5, 57604, "读取"},
        {1, 32774, "Intermédiaire"},
        {2, 32812, "Controllare il mio conteggio"},
        {3, 32813, "Zone Pencilmarks"},
        {3, 57664, "Über"},
        {4, 32816, "Estadística"},
        {6, 57665, "Выход"},
        {6, 32781, "Стереть неправильные значения"},
        {6, 32799, "Дым"},
        {5, 32815, "语言"},
    };
    for (const SRow& row : rows) {
        EXPECT_EQ(Caption(row.language, row.command), row.caption)
            << "language " << row.language << " command " << row.command;
    }
    // The Options popup says 选项 in the Chinese menu, 选择 on the soft key.
    const res::SMenu* chinese = res::FindMenu(115);
    ASSERT_NE(chinese, nullptr);
    EXPECT_EQ(chinese->popups[1].caption, "选项");
    EXPECT_EQ(chinese->popups[0].Items()[0].caption, "新游戏");
}

TEST(SoftKeyBars, NameTheirMenuCaptionsAndPopups) {
    for (int language = 0; language < res::kLanguageCount; ++language) {
        SCOPED_TRACE(language);
        const res::SSoftKeyBar* bar = res::FindSoftKeyBar(110 + language);
        ASSERT_NE(bar, nullptr);
        EXPECT_EQ(bar->id, 110 + language);
        EXPECT_EQ(bar->menuId, 110 + language);
        const res::SSoftKey& game = bar->keys[0];
        const res::SSoftKey& options = bar->keys[1];
        EXPECT_EQ(game.captionString, 310 + language);
        EXPECT_EQ(options.captionString, 320 + language);
        EXPECT_EQ(game.popupIndex, 0);
        EXPECT_EQ(options.popupIndex, 1);
        EXPECT_EQ(game.command, 402);
        EXPECT_EQ(options.command, 403);
        // They only open the popups: no command of the list shares their numbers.
        EXPECT_EQ(std::ranges::count(kAllCommands, static_cast<CommandId>(game.command)), 0);
        EXPECT_EQ(std::ranges::count(kAllCommands, static_cast<CommandId>(options.command)), 0);
        EXPECT_TRUE(game.dropDown && options.dropDown);

        // The keys carry the names of the popups they open (but for the Chinese Options key).
        const res::SMenu* menu = res::FindMenu(bar->menuId);
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(res::FindString(game.captionString), menu->popups[0].caption);
        if (language != 5) {
            EXPECT_EQ(res::FindString(options.captionString), menu->popups[1].caption);
        }
    }
}

TEST(Toolbar, PositionsAndCaptions) {
    const res::SToolbar* toolbar = res::FindToolbar(110);
    ASSERT_NE(toolbar, nullptr);
    EXPECT_EQ(toolbar->bitmapId, 110);
    EXPECT_EQ(toolbar->buttonWidth, 16);
    EXPECT_EQ(toolbar->buttonHeight, 16);
    ASSERT_EQ(toolbar->positions.size(), 36U);
    std::vector<int> buttons;
    for (std::size_t i = 0; i < toolbar->positions.size(); ++i) {
        const bool button = (i >= 22 && i < 27) || i == 35;
        EXPECT_EQ(toolbar->positions[i] != res::kToolbarSeparator, button) << i;
        if (button) {
            buttons.push_back(static_cast<int>(toolbar->positions[i]));
        }
    }
    EXPECT_EQ(buttons, (std::vector<int>{32814, 32807, 32808, 57643, 32785, 1}));

    struct SRow {
        int command;
        int caption;
    };
    const SRow rows[] = {{32814, 0}, {32807, 1}, {32808, 2}, {57643, 3}, {32785, 5},
                         {1, 6},     {32812, 0}, {0, 0},     {-1, 0},    {INT_MAX, 0}};
    for (const SRow& row : rows) {
        EXPECT_EQ(res::ToolbarCaptionIndex(static_cast<CommandId>(row.command)), row.caption)
            << row.command;
    }
    EXPECT_EQ(res::TipText(0, res::ToolbarCaptionIndex(CommandId::kExit)), "Exit");
}

TEST(Accelerators, Table110) {
    const std::span<const res::SAccelerator> table = res::FindAccelerators(110);
    ASSERT_EQ(table.size(), 5U);
    struct SRow {
        char key;
        int command;
    };
    const SRow expected[] = {
        {'N', 57600}, {'Z', 57643}, {'X', 57635}, {'C', 57634}, {'V', 57637},
    };
    for (std::size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(table[i].key, expected[i].key);
        EXPECT_TRUE(table[i].control);
        EXPECT_EQ(static_cast<int>(table[i].command), expected[i].command);
        EXPECT_EQ(std::ranges::count(kAllCommands, table[i].command), 1);
    }
}

// The list of every command and the tables agree both ways: each command a menu, the toolbar or
// the accelerators name is listed, and each listed command is named by the English menu, the
// toolbar or the accelerators.
TEST(Commands, ListAndTablesAgree) {
    std::set<int> named;
    const auto note = [&](int command, bool english) {
        EXPECT_EQ(std::ranges::count(kAllCommands, static_cast<CommandId>(command)), 1) << command;
        if (english) {
            named.insert(command);
        }
    };
    for (int language = 0; language < res::kLanguageCount; ++language) {
        for (const SFlatItem& item : FlatMenu(res::kMainResource + language)) {
            if (item.kind == res::MenuItemKind::kCommand) {
                note(item.command, language == 0);
            }
        }
    }
    const res::SToolbar* toolbar = res::FindToolbar(res::kMainResource);
    ASSERT_NE(toolbar, nullptr);
    for (const CommandId position : toolbar->positions) {
        if (position != res::kToolbarSeparator) {
            note(static_cast<int>(position), true);
        }
    }
    for (const res::SAccelerator& accelerator : res::FindAccelerators(res::kMainResource)) {
        note(static_cast<int>(accelerator.command), true);
    }

    for (const CommandId command : kAllCommands) {
        EXPECT_TRUE(named.contains(static_cast<int>(command))) << static_cast<int>(command);
    }
    EXPECT_EQ(named.size(), kAllCommands.size());
}

TEST(MenuLookups, UnknownIdsGiveNothing) {
    for (const int id : {INT_MIN, -110, -1, 0, 1, 109, 117, 140, 310, 500, INT_MAX}) {
        SCOPED_TRACE(id);
        EXPECT_EQ(res::FindMenu(id), nullptr);
        EXPECT_EQ(res::FindSoftKeyBar(id), nullptr);
        EXPECT_EQ(res::FindToolbar(id), nullptr);
        EXPECT_TRUE(res::FindAccelerators(id).empty());
    }
    // The toolbar and the accelerators have no language.
    EXPECT_EQ(res::FindToolbar(111), nullptr);
    EXPECT_TRUE(res::FindAccelerators(116).empty());
}

}  // namespace
