// SScriptLine: one event of a script of the script mode, and the parser of script text.
#include "script/Script.h"

#include <cstdint>

#include "script/Number.h"

namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view Trim(std::string_view s) {
    const std::size_t first = s.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    const std::size_t last = s.find_last_not_of(kBlanks);
    return s.substr(first, last - first + 1);
}

// Splits off the first word; `rest` keeps what follows it, trimmed.
std::string_view NextWord(std::string_view& rest) {
    rest = Trim(rest);
    const std::size_t end = rest.find_first_of(kBlanks);
    const std::string_view word = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view{} : Trim(rest.substr(end));
    return word;
}

bool Fail(std::string& why, std::string text) {
    why = std::move(text);
    return false;
}

// The next word as a number in min..max; `what` names it in the reason.
bool TakeNumber(std::string_view& rest, int64_t min, int64_t max, std::string_view what,
                int64_t& out, std::string& why) {
    const std::string_view word = NextWord(rest);
    if (word.empty()) {
        return Fail(why, "missing " + std::string(what));
    }
    if (!ParseNumber(word, min, max, out)) {
        return Fail(why, std::string(what) + " '" + std::string(word) + "' is not a number in " +
                             std::to_string(min) + ".." + std::to_string(max));
    }
    return true;
}

bool NoMore(std::string_view rest, std::string& why) {
    return rest.empty() || Fail(why, "unexpected '" + std::string(rest) + "' at the end");
}

// The rest of the line as a file name.
bool TakeFile(std::string_view rest, std::string& out, std::string& why) {
    if (rest.empty()) {
        return Fail(why, "missing file name");
    }
    out = std::string(rest);
    return true;
}

constexpr int64_t kMaxId = INT32_MAX;

}  // namespace

bool ParseScriptLine(std::string_view line, SScriptLine& out, std::string& why) {
    using Kind = SScriptLine::Kind;
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    std::string_view rest = Trim(line);
    SScriptLine parsed;
    if (rest.empty() || rest.front() == '#') {
        out = parsed;
        return true;
    }
    const std::string_view word = NextWord(rest);
    bool ok = false;
    if (word == "tap") {
        parsed.kind = Kind::kTap;
        constexpr int64_t m = SScriptLine::kMaxCoordinate;
        ok = TakeNumber(rest, -m, m, "X", parsed.a, why) &&
             TakeNumber(rest, -m, m, "Y", parsed.b, why) && NoMore(rest, why);
    } else if (word == "key" || word == "keydown" || word == "keyup") {
        parsed.kind = word == "key"       ? Kind::kKey
                      : word == "keydown" ? Kind::kKeyDown
                                          : Kind::kKeyUp;
        ok = TakeNumber(rest, 0, 255, "key code", parsed.a, why) && NoMore(rest, why);
    } else if (word == "command" || word == "press" || word == "release") {
        parsed.kind = word == "command" ? Kind::kCommand
                      : word == "press" ? Kind::kPress
                                        : Kind::kRelease;
        ok = TakeNumber(rest, 0, kMaxId, "command ID", parsed.a, why) && NoMore(rest, why);
    } else if (word == "answer") {
        const std::string_view answer = NextWord(rest);
        if (answer == "yes" || answer == "no" || answer == "ok") {
            parsed.kind = answer == "yes"  ? Kind::kAnswerYes
                          : answer == "no" ? Kind::kAnswerNo
                                           : Kind::kAnswerOk;
            ok = NoMore(rest, why);
        } else {
            ok = Fail(why, "answer takes yes, no or ok");
        }
    } else if (word == "file") {
        if (rest == "cancel") {
            parsed.kind = Kind::kFileCancel;
            ok = true;
        } else {
            parsed.kind = Kind::kFile;
            ok = TakeFile(rest, parsed.text, why);
        }
    } else if (word == "dialog") {
        const std::string_view action = NextWord(rest);
        if (action == "click") {
            parsed.kind = Kind::kDialogClick;
            ok = TakeNumber(rest, 0, kMaxId, "control ID", parsed.a, why) && NoMore(rest, why);
        } else if (action == "select") {
            parsed.kind = Kind::kDialogSelect;
            ok = TakeNumber(rest, 0, kMaxId, "control ID", parsed.a, why) &&
                 TakeNumber(rest, 0, kMaxId, "entry", parsed.b, why) && NoMore(rest, why);
        } else if (action == "screenshot") {
            parsed.kind = Kind::kDialogScreenshot;
            ok = TakeFile(rest, parsed.text, why);
        } else if (action == "ok" || action == "cancel") {
            parsed.kind = action == "ok" ? Kind::kDialogOk : Kind::kDialogCancel;
            ok = NoMore(rest, why);
        } else {
            ok = Fail(why, "dialog takes click, select, screenshot, ok or cancel");
        }
    } else if (word == "wait") {
        parsed.kind = Kind::kWait;
        ok = TakeNumber(rest, 0, SScriptLine::kMaxWaitMs, "milliseconds", parsed.a, why) &&
             NoMore(rest, why);
    } else if (word == "foreground") {
        const std::string_view state = NextWord(rest);
        if (state == "on" || state == "off") {
            parsed.kind = state == "on" ? Kind::kForegroundOn : Kind::kForegroundOff;
            ok = NoMore(rest, why);
        } else {
            ok = Fail(why, "foreground takes on or off");
        }
    } else if (word == "screenshot") {
        parsed.kind = Kind::kScreenshot;
        ok = TakeFile(rest, parsed.text, why);
    } else if (word == "exit") {
        parsed.kind = Kind::kExit;
        ok = NoMore(rest, why);
    } else {
        ok = Fail(why, "unknown event '" + std::string(word) + "'");
    }
    if (ok) {
        out = std::move(parsed);
    }
    return ok;
}

std::vector<SParsedLine> ParseScript(std::string_view text) {
    std::vector<SParsedLine> lines;
    int number = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view raw = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        ++number;
        SParsedLine parsed;
        parsed.number = number;
        parsed.understood = ParseScriptLine(raw, parsed.line, parsed.why);
        if (!parsed.understood || parsed.line.kind != SScriptLine::Kind::kNothing) {
            lines.push_back(std::move(parsed));
        }
    }
    return lines;
}
