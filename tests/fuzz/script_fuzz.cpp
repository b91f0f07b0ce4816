// Fuzzing of the script parser: any text gives its lines in order, each understood one inside
// the ranges of its event and read back alike when written out again, each other one with a
// reason.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "script/Script.h"

namespace {

using Kind = SScriptLine::Kind;

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

bool InRange(int64_t value, int64_t min, int64_t max) {
    return value >= min && value <= max;
}

// The line in the words of the script format, numbers in decimal. A file name is followed by a
// blank so that a carriage return at its end stays part of it.
std::string Written(const SScriptLine& line) {
    const std::string a = std::to_string(line.a);
    const std::string b = std::to_string(line.b);
    switch (line.kind) {
        case Kind::kNothing:
            return "";
        case Kind::kTap:
            return "tap " + a + " " + b;
        case Kind::kKey:
            return "key " + a;
        case Kind::kKeyDown:
            return "keydown " + a;
        case Kind::kKeyUp:
            return "keyup " + a;
        case Kind::kCommand:
            return "command " + a;
        case Kind::kPress:
            return "press " + a;
        case Kind::kRelease:
            return "release " + a;
        case Kind::kAnswerYes:
            return "answer yes";
        case Kind::kAnswerNo:
            return "answer no";
        case Kind::kAnswerOk:
            return "answer ok";
        case Kind::kFile:
            return "file " + line.text + " ";
        case Kind::kFileCancel:
            return "file cancel";
        case Kind::kDialogClick:
            return "dialog click " + a;
        case Kind::kDialogSelect:
            return "dialog select " + a + " " + b;
        case Kind::kDialogScreenshot:
            return "dialog screenshot " + line.text + " ";
        case Kind::kDialogOk:
            return "dialog ok";
        case Kind::kDialogCancel:
            return "dialog cancel";
        case Kind::kWait:
            return "wait " + a;
        case Kind::kForegroundOn:
            return "foreground on";
        case Kind::kForegroundOff:
            return "foreground off";
        case Kind::kScreenshot:
            return "screenshot " + line.text + " ";
        case Kind::kExit:
            return "exit";
    }
    std::abort();
}

// The numbers and names an event may carry.
bool Plausible(const SScriptLine& line) {
    constexpr int64_t kMaxId = INT32_MAX;
    constexpr int64_t m = SScriptLine::kMaxCoordinate;
    switch (line.kind) {
        case Kind::kNothing:
            return false;
        case Kind::kTap:
            return InRange(line.a, -m, m) && InRange(line.b, -m, m);
        case Kind::kKey:
        case Kind::kKeyDown:
        case Kind::kKeyUp:
            return InRange(line.a, 0, 255);
        case Kind::kCommand:
        case Kind::kPress:
        case Kind::kRelease:
        case Kind::kDialogClick:
            return InRange(line.a, 0, kMaxId);
        case Kind::kDialogSelect:
            return InRange(line.a, 0, kMaxId) && InRange(line.b, 0, kMaxId);
        case Kind::kWait:
            return InRange(line.a, 0, SScriptLine::kMaxWaitMs);
        case Kind::kFile:
        case Kind::kDialogScreenshot:
        case Kind::kScreenshot:
            return !line.text.empty() && line.text.find('\n') == std::string::npos &&
                   line.text.find_first_of(" \t") != 0 &&
                   line.text.find_last_of(" \t") != line.text.size() - 1;
        default:
            return true;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    int lastNumber = 0;
    for (const SParsedLine& parsed : ParseScript(text)) {
        // Numbered from 1, in order, never past the last line.
        Require(parsed.number > lastNumber);
        lastNumber = parsed.number;
        if (!parsed.understood) {
            Require(!parsed.why.empty());
            continue;
        }
        Require(Plausible(parsed.line));
        SScriptLine again;
        std::string why;
        Require(ParseScriptLine(Written(parsed.line), again, why));
        Require(again == parsed.line);
    }
    Require(static_cast<std::size_t>(lastNumber) <=
            static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
    return 0;
}
