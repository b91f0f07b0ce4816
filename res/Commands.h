// CommandId: the numbers of every menu, toolbar and accelerator command of the game.
#pragma once

#include <algorithm>
#include <array>
#include <functional>

// Each command once, with the number of the original resources, in numeric order. The enum and
// kAllCommands below are both made from this one list, so neither can miss a command.
// clang-format off
#define SUDOKU_COMMANDS(X)                                      \
    X(kExit, 1) /* IDOK: the toolbar's Exit button */           \
    X(kBeginner, 32772)                                         \
    X(kEasy, 32773)                                             \
    X(kMedium, 32774)                                           \
    X(kHard, 32775)                                             \
    X(kExpert, 32776)                                           \
    X(kEraseIllegal, 32781)                                     \
    X(kRestart, 32782)                                          \
    X(kHint, 32785)                                             \
    X(kSolveCell, 32786)                                        \
    X(kSolvePuzzle, 32787)                                      \
    X(kCellSelect, 32790)                                       \
    X(kNumberSelect, 32791)                                     \
    X(kAutoPencilmarks, 32792)                                  \
    X(kFlagIllegal, 32793)                                      \
    X(kLimitNumbers, 32795)                                     \
    X(kPaper, 32797)                                            \
    X(kSand, 32798)                                             \
    X(kSteel, 32799)                                            \
    X(kTutorial, 32801)                                         \
    X(kPencilmarks, 32807)                                      \
    X(kEraser, 32808)                                           \
    X(kCustom, 32811)                                           \
    X(kCheckMyInput, 32812)                                     \
    X(kZonePencilmarks, 32813)                                  \
    X(kQuickNewGame, 32814)                                     \
    X(kLanguage, 32815)                                         \
    X(kStatistics, 32816)                                       \
    X(kCrosshatching, 32817)                                    \
    X(kNew, 57600)                                              \
    X(kLoad, 57601)                                             \
    X(kSave, 57604)                                             \
    X(kCopy, 57634) /* accelerator only; nothing handles it */  \
    X(kCut, 57635) /* accelerator only; nothing handles it */   \
    X(kPaste, 57637) /* accelerator only; nothing handles it */ \
    X(kUndo, 57643)                                             \
    X(kAbout, 57664)                                            \
    X(kSaveAndExit, 57665)
// clang-format on

// The menus, the toolbar and the accelerator table (res/Menus.h) name their commands with it.
// The value 0 is no command: popups, separators and the toolbar's spacers carry it.
enum class CommandId : int {
#define SUDOKU_COMMAND_ENUMERATOR(name, number) name = (number),
    SUDOKU_COMMANDS(SUDOKU_COMMAND_ENUMERATOR)
#undef SUDOKU_COMMAND_ENUMERATOR
};

// Every command above, in numeric order.
inline constexpr std::array kAllCommands = {
#define SUDOKU_COMMAND_LISTED(name, number) CommandId::name,
    SUDOKU_COMMANDS(SUDOKU_COMMAND_LISTED)
#undef SUDOKU_COMMAND_LISTED
};

#undef SUDOKU_COMMANDS

static_assert(std::adjacent_find(kAllCommands.begin(), kAllCommands.end(),
                                 std::greater_equal<>{}) == kAllCommands.end(),
              "the commands are listed once each, in increasing order");
