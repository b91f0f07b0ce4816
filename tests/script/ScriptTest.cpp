// The script parser: a table of lines understood and of lines refused with their reasons.
#include <gtest/gtest.h>

#include <string>

#include "script/Script.h"

namespace {

using Kind = SScriptLine::Kind;

struct SGoodCase {
    const char* text;
    SScriptLine expected;
};

class ScriptLineUnderstood : public ::testing::TestWithParam<SGoodCase> {};

TEST_P(ScriptLineUnderstood, AsItsEvent) {
    SScriptLine line;
    line.kind = Kind::kExit;  // overwritten by every line understood
    std::string why;
    EXPECT_TRUE(ParseScriptLine(GetParam().text, line, why)) << why;
    EXPECT_EQ(line, GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScriptLineUnderstood,
    ::testing::Values(
        SGoodCase{"", {Kind::kNothing, 0, 0, ""}}, SGoodCase{"   \t ", {Kind::kNothing, 0, 0, ""}},
        SGoodCase{"# tap 1 2", {Kind::kNothing, 0, 0, ""}},
        SGoodCase{"  #comment", {Kind::kNothing, 0, 0, ""}},
        SGoodCase{"tap 150 30", {Kind::kTap, 150, 30, ""}},
        SGoodCase{"tap\t-3  0x10\r", {Kind::kTap, -3, 16, ""}},
        SGoodCase{"key 0x77", {Kind::kKey, 0x77, 0, ""}},
        SGoodCase{"keydown 13", {Kind::kKeyDown, 13, 0, ""}},
        SGoodCase{"keyup 0x28", {Kind::kKeyUp, 0x28, 0, ""}},
        SGoodCase{"command 57665", {Kind::kCommand, 57665, 0, ""}},
        SGoodCase{"command 0xE141", {Kind::kCommand, 57665, 0, ""}},
        SGoodCase{"command 99999", {Kind::kCommand, 99999, 0, ""}},
        SGoodCase{"press 32807", {Kind::kPress, 32807, 0, ""}},
        SGoodCase{"release 1", {Kind::kRelease, 1, 0, ""}},
        SGoodCase{"answer yes", {Kind::kAnswerYes, 0, 0, ""}},
        SGoodCase{"answer no", {Kind::kAnswerNo, 0, 0, ""}},
        SGoodCase{"answer ok", {Kind::kAnswerOk, 0, 0, ""}},
        SGoodCase{"file saves/my game.sdk ", {Kind::kFile, 0, 0, "saves/my game.sdk"}},
        SGoodCase{"file cancel", {Kind::kFileCancel, 0, 0, ""}},
        SGoodCase{"dialog click 1031", {Kind::kDialogClick, 1031, 0, ""}},
        SGoodCase{"dialog select 1005 3", {Kind::kDialogSelect, 1005, 3, ""}},
        SGoodCase{"dialog screenshot d.png", {Kind::kDialogScreenshot, 0, 0, "d.png"}},
        SGoodCase{"dialog ok", {Kind::kDialogOk, 0, 0, ""}},
        SGoodCase{"dialog cancel", {Kind::kDialogCancel, 0, 0, ""}},
        SGoodCase{"wait 3000", {Kind::kWait, 3000, 0, ""}},
        SGoodCase{"wait 0", {Kind::kWait, 0, 0, ""}},
        SGoodCase{"foreground off", {Kind::kForegroundOff, 0, 0, ""}},
        SGoodCase{"foreground on", {Kind::kForegroundOn, 0, 0, ""}},
        SGoodCase{"screenshot out/s 1.png", {Kind::kScreenshot, 0, 0, "out/s 1.png"}},
        SGoodCase{"exit", {Kind::kExit, 0, 0, ""}}));

struct SBadCase {
    const char* text;
    const char* why;
};

class ScriptLineRefused : public ::testing::TestWithParam<SBadCase> {};

TEST_P(ScriptLineRefused, WithAReason) {
    SScriptLine line;
    line.kind = Kind::kExit;
    std::string why;
    EXPECT_FALSE(ParseScriptLine(GetParam().text, line, why));
    EXPECT_EQ(why, GetParam().why);
    EXPECT_EQ(line.kind, Kind::kExit) << "a refused line leaves the output alone";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScriptLineRefused,
    ::testing::Values(
        SBadCase{"jump 1", "unknown event 'jump'"}, SBadCase{"Tap 1 2", "unknown event 'Tap'"},
        SBadCase{"tap 1", "missing Y"}, SBadCase{"tap", "missing X"},
        SBadCase{"tap 1 2 3", "unexpected '3' at the end"},
        SBadCase{"tap x 2", "X 'x' is not a number in -1000000..1000000"},
        SBadCase{"tap 1 2000000", "Y '2000000' is not a number in -1000000..1000000"},
        SBadCase{"key 256", "key code '256' is not a number in 0..255"},
        SBadCase{"key -1", "key code '-1' is not a number in 0..255"},
        SBadCase{"keyup", "missing key code"},
        SBadCase{"command -5", "command ID '-5' is not a number in 0..2147483647"},
        SBadCase{"command 1 # exit", "unexpected '# exit' at the end"},
        SBadCase{"press", "missing command ID"},
        SBadCase{"answer maybe", "answer takes yes, no or ok"},
        SBadCase{"answer", "answer takes yes, no or ok"}, SBadCase{"file", "missing file name"},
        SBadCase{"dialog", "dialog takes click, select, screenshot, ok or cancel"},
        SBadCase{"dialog press 3", "dialog takes click, select, screenshot, ok or cancel"},
        SBadCase{"dialog select 1005", "missing entry"},
        SBadCase{"dialog screenshot", "missing file name"},
        SBadCase{"dialog ok now", "unexpected 'now' at the end"},
        SBadCase{"wait 86400001", "milliseconds '86400001' is not a number in 0..86400000"},
        SBadCase{"wait 1.5", "milliseconds '1.5' is not a number in 0..86400000"},
        SBadCase{"foreground", "foreground takes on or off"},
        SBadCase{"foreground yes", "foreground takes on or off"},
        SBadCase{"screenshot", "missing file name"},
        SBadCase{"exit 0", "unexpected '0' at the end"}));

TEST(Script, LinesKeepTheirNumbersAndNothingLinesAreLeftOut) {
    const auto lines = ParseScript("# start\r\nwait 200\r\n\nbogus\ntap 1 2");
    ASSERT_EQ(lines.size(), 3U);
    EXPECT_EQ(lines[0].number, 2);
    EXPECT_EQ(lines[0].line.kind, Kind::kWait);
    EXPECT_EQ(lines[1].number, 4);
    EXPECT_FALSE(lines[1].understood);
    EXPECT_EQ(lines[1].why, "unknown event 'bogus'");
    EXPECT_EQ(lines[2].number, 5);
    EXPECT_EQ(lines[2].line, (SScriptLine{Kind::kTap, 1, 2, ""}));
    EXPECT_TRUE(ParseScript("").empty());
    EXPECT_EQ(ParseScript("exit\n").size(), 1U);
}

}  // namespace
