// The words a screen reader says for the parts of the device screen, in the game's seven
// languages.
#pragma once

#include <string_view>

// Each text is UTF-8, in the language order of res/Strings.h. "%1" and "%2" stand for the numbers
// or the text put in at the moment of use; every language has the English one's.
namespace res {

enum class ReaderText : int {
    kCellPlace,     // "Row %1, column %2"
    kGiven,         // a given digit: "given %1"
    kEmpty,         // an empty cell
    kIllegal,       // a digit or a mark that breaks the rules, as Flag Illegal shows it
    kMarks,         // the pencil marks shown: "marks %1" (the digits, by spaces)
    kIllegalMarks,  // those of them shown as illegal: "illegal %1"
    kSelected,      // the selected cell
    kHint,          // the cell the hint points at
    kSeparator,     // between the parts of a name
    kBoard,         // the grid of 81 cells
    kPaletteDigit,  // a digit of the palette: "Number %1"
    kNotAllowed,    // a palette digit Limit Numbers does not offer
    kCurrent,       // the current number of Number Select
    kCandidate,     // a palette digit the selected cell can take, shown in Key Select
    kClock,         // "Time %1"
    kSplash,        // the splash screen and what activating it does
    kCount
};

// The text of `text` in `language`; an unknown language or text gives an empty text.
std::string_view ReaderWord(int language, ReaderText text);

}  // namespace res
