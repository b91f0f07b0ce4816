// The command line of `sudoku`: every option, its bad values, Qt's options passed through.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "script/CommandLine.h"
#include "script/Number.h"
#include "tests/support/TempDir.h"

namespace {

using testsupport::TempDir;

SCommandLine Parse(std::vector<std::string> args) {
    SCommandLine cl;
    std::string error;
    EXPECT_TRUE(ParseCommandLine(args, cl, error)) << error;
    EXPECT_EQ(error, "");
    return cl;
}

TEST(CommandLine, NothingGivenMeansTheDefaults) {
    const SCommandLine cl = Parse({});
    EXPECT_FALSE(cl.programDir || cl.dataDir || cl.scale || cl.seed || cl.language || cl.script ||
                 cl.savedGame);
    EXPECT_EQ(cl.screen, kScreen480x272);
    EXPECT_TRUE(cl.qtArguments.empty());
}

TEST(CommandLine, EveryOptionInBothForms) {
    TempDir dir;
    const std::string d = dir.Path().string();
    for (bool joined : {false, true}) {
        std::vector<std::string> args;
        const auto add = [&](const std::string& option, const std::string& value) {
            if (joined) {
                args.push_back(option + "=" + value);
            } else {
                args.push_back(option);
                args.push_back(value);
            }
        };
        add("--program-dir", d);
        add("--data-dir", d + "/data");
        add("--screen", "320x240");
        add("--scale", "3");
        add("--seed", "0xFFFFFFFFFFFFFFFF");
        add("--language", "5");
        add("--script", "play.txt");
        args.push_back("game.sdk");
        const SCommandLine cl = Parse(args);
        EXPECT_EQ(cl.programDir, dir.Path());
        EXPECT_EQ(cl.dataDir, dir.Path() / "data");
        EXPECT_EQ(cl.screen, kScreen320x240);
        EXPECT_EQ(cl.scale, 3);
        EXPECT_EQ(cl.seed, UINT64_MAX);
        EXPECT_EQ(cl.language, 5);
        EXPECT_EQ(cl.script, std::filesystem::path("play.txt"));
        EXPECT_EQ(cl.savedGame, std::filesystem::path("game.sdk"));
    }
}

TEST(CommandLine, QtOptionsPassThroughAndTheSavedGameMayComeFirst) {
    const SCommandLine cl = Parse(
        {"saved.sdk", "-platform", "offscreen", "--seed", "7", "--style", "fusion", "-reverse"});
    EXPECT_EQ(cl.qtArguments, (std::vector<std::string>{"-platform", "offscreen", "--style",
                                                        "fusion", "-reverse"}));
    EXPECT_EQ(cl.seed, 7U);
    EXPECT_EQ(cl.savedGame, std::filesystem::path("saved.sdk"));
    // "--" ends the options, but there can be only one saved game.
    SCommandLine out;
    std::string error;
    EXPECT_FALSE(ParseCommandLine(std::vector<std::string>{"a.sdk", "--", "b.sdk"}, out, error));
    EXPECT_EQ(Parse({"--", "--odd-name.sdk"}).savedGame, std::filesystem::path("--odd-name.sdk"));
}

struct SBadCase {
    std::vector<std::string> args;
    const char* says;  // a part of the one line of error
};

class CommandLineRefuses : public ::testing::TestWithParam<SBadCase> {};

TEST_P(CommandLineRefuses, WithOneLineNamingTheFault) {
    SCommandLine cl;
    std::string error;
    EXPECT_FALSE(ParseCommandLine(GetParam().args, cl, error));
    EXPECT_NE(error.find(GetParam().says), std::string::npos) << error;
    EXPECT_EQ(error.find('\n'), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLineRefuses,
    ::testing::Values(SBadCase{{"--screen", "0x0"}, "--screen: bad value \"0x0\""},
                      SBadCase{{"--screen", "480"}, "--screen: bad value"},
                      SBadCase{{"--screen", "480x28"}, "--screen: bad value"},
                      SBadCase{{"--screen=5000x300"}, "--screen: bad value"},
                      SBadCase{{"--language", "9"}, "--language: bad value \"9\""},
                      SBadCase{{"--language", "-1"}, "--language: bad value"},
                      SBadCase{{"--language", "1.5"}, "--language: bad value"},
                      SBadCase{{"--scale", "0"}, "--scale: bad value"},
                      SBadCase{{"--scale", "17"}, "--scale: bad value"},
                      SBadCase{{"--scale", "2x"}, "--scale: bad value"},
                      SBadCase{{"--seed", "-3"}, "--seed: bad value"},
                      SBadCase{{"--seed", "0x10000000000000000"}, "--seed: bad value"},
                      SBadCase{{"--seed", ""}, "--seed: bad value"},
                      SBadCase{{"--program-dir", "/no/such/folder"}, "--program-dir: bad value"},
                      SBadCase{{"--data-dir="}, "--data-dir: bad value"},
                      SBadCase{{"--script"}, "--script needs a value"},
                      SBadCase{{"--bogus"}, "unknown option --bogus"},
                      SBadCase{{"-x"}, "unknown option -x"},
                      SBadCase{{"--bogus=1"}, "unknown option --bogus"},
                      SBadCase{{"-platform"}, "-platform needs a value"},
                      SBadCase{{"--seed", "1", "--seed", "2"}, "--seed is given twice"},
                      SBadCase{{"--screen", "320x240", "--screen=320x240"},
                               "--screen is given twice"},
                      SBadCase{{"one.sdk", "two.sdk"}, "only one saved game"}));

struct SNumberCase {
    const char* text;
    int64_t min;
    int64_t max;
    bool ok;
    int64_t value;
};

class NumberParse : public ::testing::TestWithParam<SNumberCase> {};

TEST_P(NumberParse, DecimalOrHexInRange) {
    const SNumberCase& c = GetParam();
    int64_t out = -12345;
    EXPECT_EQ(ParseNumber(c.text, c.min, c.max, out), c.ok) << c.text;
    EXPECT_EQ(out, c.ok ? c.value : -12345) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NumberParse,
    ::testing::Values(
        SNumberCase{"0", 0, 9, true, 0}, SNumberCase{"57665", 0, INT32_MAX, true, 57665},
        SNumberCase{"0x77", 0, 255, true, 0x77}, SNumberCase{"0XfF", 0, 255, true, 255},
        SNumberCase{"-20", -100, 100, true, -20}, SNumberCase{"-0x10", -100, 100, true, -16},
        SNumberCase{"-1", 0, 100, false, 0}, SNumberCase{"256", 0, 255, false, 0},
        SNumberCase{"+5", 0, 9, false, 0}, SNumberCase{"0x", 0, 9, false, 0},
        SNumberCase{"", 0, 9, false, 0}, SNumberCase{"12abc", 0, 999, false, 0},
        SNumberCase{" 1", 0, 9, false, 0}, SNumberCase{"0x-1", -9, 9, false, 0},
        SNumberCase{"99999999999999999999", 0, INT64_MAX, false, 0},
        SNumberCase{"-9223372036854775808", INT64_MIN, 0, true, INT64_MIN}));

}  // namespace
