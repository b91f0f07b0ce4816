// The texts of the game's message boxes and toolbar captions, in the current language.
#pragma once

#include <string>
#include <string_view>

#include "game/SaveFile.h"
#include "platform/Shell.h"

class COptions;
class DataManager;

// The message list, in table order.
enum class MessageId : int {
    kCannotSolveFromHere,
    kCorrectSoFar,
    kCustomValid,
    kCustomInvalid,
    kEnterCustomGivens,
    kNoSingleLeft,
    kFilesMissing,
    kConfirmNewGame,
    kSolvedStartNew,
    kInvalidSolution,
    kConfirmResetStats,
};
constexpr int kMessageCount = 11;
constexpr int kTipCount = 7;  // caption indexes 0..6

// The language index of the options record, read at every call, so that nothing follows a
// change of language late; an index outside 0..6 (only a damaged options file holds one) reads
// the English tables.
int TextLanguage(const COptions& options);

// The text of a message in the language of the options (UTF-8).
std::string_view MessageText(const COptions& options, MessageId id);
// The message's name in the message list, such as "MsgFilesMissing".
std::string_view MessageName(MessageId id);
// The caption of toolbar caption index 0..6 in the language of the options; the Pencilmarks and
// Eraser captions hold their two states separated by a line feed.
std::string_view TipText(const COptions& options, int index);

// Shows a message of the list in the language of the options; gives the button pressed.
int ShowGameMessage(DataManager& data, const COptions& options, MessageId id, MsgStyle style);

// Why a saved game was not read or written, in a few words of the language of the options
// ("not a saved game"); empty for kNone.
std::string_view FaultText(const COptions& options, savefile::Fault fault);
// Why a page did not go to the browser: its file's problem, or that there is no browser.
std::string_view PageFaultText(const COptions& options, const SPageOpen& open);
// A text with its %s replaced by `value` (a path).
std::string WithValue(std::string_view text, std::string_view value);
