// CommandId: the numbers of every menu, toolbar and accelerator command of the game.
#pragma once

#include <array>

// The numbers are those of the original resources; the menus, the toolbar and the
// accelerator table (res/Menus.h) carry them as plain ints.
enum class CommandId : int {
    kExit = 1,  // IDOK: the toolbar's Exit button
    kBeginner = 32772,
    kEasy = 32773,
    kMedium = 32774,
    kHard = 32775,
    kExpert = 32776,
    kEraseIllegal = 32781,
    kRestart = 32782,
    kHint = 32785,
    kSolveCell = 32786,
    kSolvePuzzle = 32787,
    kCellSelect = 32790,
    kNumberSelect = 32791,
    kAutoPencilmarks = 32792,
    kFlagIllegal = 32793,
    kLimitNumbers = 32795,
    kPaper = 32797,
    kSand = 32798,
    kSteel = 32799,
    kTutorial = 32801,
    kPencilmarks = 32807,
    kEraser = 32808,
    kCustom = 32811,
    kCheckMyInput = 32812,
    kZonePencilmarks = 32813,
    kQuickNewGame = 32814,
    kLanguage = 32815,
    kStatistics = 32816,
    kCrosshatching = 32817,
    kNew = 57600,
    kLoad = 57601,
    kSave = 57604,
    kCopy = 57634,   // accelerator only; nothing handles it
    kCut = 57635,    // accelerator only; nothing handles it
    kPaste = 57637,  // accelerator only; nothing handles it
    kUndo = 57643,
    kAbout = 57664,
    kSaveAndExit = 57665,
};

// Every command above, in numeric order.
inline constexpr std::array<CommandId, 38> kAllCommands = {
    CommandId::kExit,
    CommandId::kBeginner,
    CommandId::kEasy,
    CommandId::kMedium,
    CommandId::kHard,
    CommandId::kExpert,
    CommandId::kEraseIllegal,
    CommandId::kRestart,
    CommandId::kHint,
    CommandId::kSolveCell,
    CommandId::kSolvePuzzle,
    CommandId::kCellSelect,
    CommandId::kNumberSelect,
    CommandId::kAutoPencilmarks,
    CommandId::kFlagIllegal,
    CommandId::kLimitNumbers,
    CommandId::kPaper,
    CommandId::kSand,
    CommandId::kSteel,
    CommandId::kTutorial,
    CommandId::kPencilmarks,
    CommandId::kEraser,
    CommandId::kCustom,
    CommandId::kCheckMyInput,
    CommandId::kZonePencilmarks,
    CommandId::kQuickNewGame,
    CommandId::kLanguage,
    CommandId::kStatistics,
    CommandId::kCrosshatching,
    CommandId::kNew,
    CommandId::kLoad,
    CommandId::kSave,
    CommandId::kCopy,
    CommandId::kCut,
    CommandId::kPaste,
    CommandId::kUndo,
    CommandId::kAbout,
    CommandId::kSaveAndExit,
};
