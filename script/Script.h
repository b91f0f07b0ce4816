// SScriptLine: one event of a script of the script mode, and the parser of script text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// One event per line; blank lines and lines whose first non-blank character is '#' are
// nothing. Keywords are lower case; numbers are decimal or 0x hexadecimal. A carriage return
// at the end of a line is ignored, so files written on other systems read alike.
//   tap X Y                  a stylus tap at client point (X, Y) of the view (may be negative)
//   key K | keydown K | keyup K    a virtual-key code 0..255
//   command ID | press ID | release ID
//   answer yes|no|ok
//   file PATH | file cancel  PATH is the rest of the line, as given
//   dialog click ID | dialog select ID N | dialog screenshot FILE | dialog ok | dialog cancel
//   wait MS                  0..kMaxWaitMs
//   foreground on|off
//   screenshot FILE          FILE is the rest of the line
//   exit
struct SScriptLine {
    enum class Kind {
        kNothing,
        kTap,
        kKey,
        kKeyDown,
        kKeyUp,
        kCommand,
        kPress,
        kRelease,
        kAnswerYes,
        kAnswerNo,
        kAnswerOk,
        kFile,
        kFileCancel,
        kDialogClick,
        kDialogSelect,
        kDialogScreenshot,
        kDialogOk,
        kDialogCancel,
        kWait,
        kForegroundOn,
        kForegroundOff,
        kScreenshot,
        kExit,
    };

    // A wait of more than a day of virtual time is refused: the clock timer alone would tick
    // 86,400 times.
    static constexpr int64_t kMaxWaitMs = 86'400'000;
    // Tap coordinates beyond this are refused; the view's arithmetic stays far from overflow.
    static constexpr int64_t kMaxCoordinate = 1'000'000;

    Kind kind = Kind::kNothing;
    int64_t a = 0;     // tap X; key; command, press, release and dialog control ID; wait MS
    int64_t b = 0;     // tap Y; dialog select N
    std::string text;  // file PATH; screenshot FILE

    bool operator==(const SScriptLine&) const = default;
};

// Reads one line. False, with the reason in `why`, when it is not understood.
bool ParseScriptLine(std::string_view line, SScriptLine& out, std::string& why);

// A parsed line with its number (from 1) and, when it was not understood, the reason.
struct SParsedLine {
    int number = 0;
    bool understood = true;
    SScriptLine line;
    std::string why;
};

// Every line of a script, in order; lines that are nothing are left out.
std::vector<SParsedLine> ParseScript(std::string_view text);
