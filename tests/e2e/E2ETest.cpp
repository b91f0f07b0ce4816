// End-to-end: the real program driven by scripts (their logs, saved files and screenshots), its
// command line, a script on a pipe and a closed output, and a window ended by a signal.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <png.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "engine/Board.h"
#include "engine/ByteIO.h"
#include "engine/Options.h"
#include "game/OptionsFile.h"
#include "game/Statistics.h"
#include "platform/Bitmap.h"
#include "platform/DataManager.h"
#include "platform/ScriptedShell.h"
#include "tests/e2e/E2E.h"

namespace e2e {
namespace {

// A PNG file as a Bitmap (null when it cannot be read).
Bitmap ReadPng(const fs::path& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, path.c_str()) == 0) {
        return {};
    }
    image.format = PNG_FORMAT_BGRA;
    Bitmap bmp(static_cast<int>(image.width), static_cast<int>(image.height));
    if (png_image_finish_read(&image, nullptr, bmp.pixels.data(), 0, nullptr) == 0) {
        return {};
    }
    return bmp;
}

// The mean of red, green and blue over the view (below the 28 rows of the command bar).
double ViewBrightness(const Bitmap& shot) {
    double sum = 0;
    long count = 0;
    for (int y = 28; y < shot.height; ++y) {
        for (int x = 0; x < shot.width; ++x) {
            const uint32_t p = shot.At(x, y);
            sum += ((p >> 16U) & 0xFFU) + ((p >> 8U) & 0xFFU) + (p & 0xFFU);
            count += 3;
        }
    }
    return count == 0 ? 0 : sum / static_cast<double>(count);
}

// ---- Scripts, their logs and what they leave behind ----

// A program that draws no dialogs logs `error N "cannot write FILE: ..."` for each line N
// `dialog screenshot FILE` of the script: the log without those lines, and how many there were.
std::pair<std::string, int> WithoutUndrawnDialogs(const std::string& log,
                                                  const std::string& script) {
    std::vector<std::string> undrawn;
    std::istringstream lines(script);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        const std::string keyword = "dialog screenshot ";
        if (line.starts_with(keyword)) {
            undrawn.push_back("error " + std::to_string(number) + " \"cannot write " +
                              line.substr(keyword.size()) +
                              ": this front end does not draw dialogs\"");
        }
    }
    std::string kept;
    int removed = 0;
    std::istringstream logLines(log);
    while (std::getline(logLines, line)) {
        if (std::find(undrawn.begin(), undrawn.end(), line) != undrawn.end()) {
            ++removed;
        } else {
            kept += line + '\n';
        }
    }
    return {kept, removed};
}

class Scripts : public E2E, public ::testing::WithParamInterface<SScriptCase> {};

TEST_P(Scripts, LogAndFiles) {
    const SScriptCase& c = GetParam();
    if (c.prepare) {
        c.prepare(*this, work.Path());
    }
    const SRun run = Script(c.name, c.args);
    if (DrawsDialogs()) {
        EXPECT_EQ(run.status, c.status) << run.err;
        EXPECT_EQ(run.out, ExpectedLog(c.name));
    } else {
        // The same log but for an error line for each dialog screenshot, and so status 2.
        const auto [log, undrawn] =
            WithoutUndrawnDialogs(run.out, ReadText(kCases / (std::string(c.name) + ".script")));
        EXPECT_EQ(run.status, undrawn > 0 && c.status == 0 ? 2 : c.status) << run.err;
        EXPECT_EQ(log, ExpectedLog(c.name));
    }
    if (c.check) {
        c.check(*this, work.Path());
    }
}

// A solved grid without the 5 in its top-left corner, imported as a saved game.
constexpr const char* kNearlySolved =
    ".34678912672195348198342567859761423426853791713924856961537284287419635345286179";

void ImportNearlySolved(const fs::path& work) {
    ASSERT_EQ(RunProgram("sudoku-tool", {"import", kNearlySolved, "-o", "nearly.sdk"}, work).status,
              0);
}

void ExpectSolvedCustomGames(E2E& t, int solved) {
    EXPECT_EQ(t.Options().LevelStats()[5].solved, solved);
    const auto saved = t.Saved(t.Data() / "autosave.sdk");
    EXPECT_EQ(saved->board.GetCell(0, 0).value, 5);
    EXPECT_EQ(saved->Empty(), 0);
}

Bitmap Shot(const fs::path& work, const char* name) {
    const Bitmap shot = ReadPng(work / name);
    EXPECT_FALSE(shot.IsNull()) << name;
    return shot;
}

// options.cfg in Russian with solved games: Beginner 3725 s, Easy 100 s and 101 s, Hard 301 s.
void WriteRussianWithStatistics(const fs::path& data) {
    ScriptedShell shell;
    DataManager manager(kProgramDir, data, shell);
    COptions options;
    options.SetLanguage(6);
    RecordSolvedGame(options, level::kBeginner, 3725);
    RecordSolvedGame(options, level::kEasy, 100);
    RecordSolvedGame(options, level::kEasy, 101);
    RecordSolvedGame(options, level::kHard, 301);
    ASSERT_TRUE(SaveOptions(options, manager));
}

// Screenshots of a case, each the same as its golden image in tests/data/golden/dialogs/
// (SUDOKU_UPDATE_GOLDEN=1 writes them there instead).
void ExpectGoldenShots(const fs::path& work, const std::vector<std::string>& names) {
    if (!DrawsDialogs()) {
        return;
    }
    const fs::path golden = fs::path(SUDOKU_TEST_DATA) / "golden" / "dialogs";
    const bool update = std::getenv("SUDOKU_UPDATE_GOLDEN") != nullptr;
    for (const std::string& name : names) {
        const Bitmap shot = Shot(work, name.c_str());
        if (update) {
            fs::create_directories(golden);
            fs::copy_file(work / name, golden / name, fs::copy_options::overwrite_existing);
            continue;
        }
        const Bitmap expected = ReadPng(golden / name);
        ASSERT_FALSE(expected.IsNull()) << golden / name;
        ASSERT_EQ(shot.width, expected.width) << name;
        ASSERT_EQ(shot.height, expected.height) << name;
        const auto differ = std::ranges::mismatch(shot.pixels, expected.pixels);
        EXPECT_TRUE(differ.in1 == shot.pixels.end())
            << name << " differs from its golden image first at pixel "
            << (differ.in1 - shot.pixels.begin()) << " (kept in " << work / name << ")";
    }
}

// The dialog screenshots of the languages case.
void ExpectGoldenDialogs(const fs::path& work) {
    std::vector<std::string> names{"stats-3-custom.png"};
    for (int language = 0; language < 7; ++language) {
        for (const char* dialog : {"language", "stats", "about"}) {
            names.push_back(std::string(dialog) + "-" + std::to_string(language) + ".png");
        }
    }
    ExpectGoldenShots(work, names);
}

// options.cfg in English with the Custom figures at their limits and negative Hard figures (a
// damaged file), and the nearly solved custom game with its clock 3647 ms short of 2^31 - 1.
void PrepareLimits(E2E& t, const fs::path& work) {
    ScriptedShell shell;
    DataManager manager(kProgramDir, t.Data(), shell);
    COptions options;
    options.SetLanguage(0);
    options.LevelStats()[3] = {-5, -69, -69, -69};
    options.LevelStats()[5] = {INT32_MAX, 2147000000, 100, 1000};
    ASSERT_TRUE(SaveOptions(options, manager));
    ImportNearlySolved(work);
    std::fstream game(work / "nearly.sdk", std::ios::in | std::ios::out | std::ios::binary);
    uint8_t time[4];
    byteio::Put32(time, INT32_MAX - 3647);
    game.seekp(1807);
    game.write(reinterpret_cast<const char*>(time), sizeof time);
    ASSERT_TRUE(game.good());
}

// options.cfg with a language and a level no table has.
void WriteDamagedOptions(const fs::path& data) {
    ScriptedShell shell;
    DataManager manager(kProgramDir, data, shell);
    COptions options;
    options.SetLanguage(2147483538);
    options.SetLevel(1000);
    ASSERT_TRUE(SaveOptions(options, manager));
}

const SScriptCase kScriptCases[] = {
    {"first_start",
     {},
     nullptr,
     0,
     [](E2E& t, const fs::path& work) {
         // Russian, a Beginner game, both files written at the end.
         ExpectBothFilesWritten(t);
         EXPECT_EQ(t.Options().GetLanguage(), 6);
         EXPECT_EQ(t.Options().GetLevel(), 30);
         EXPECT_EQ(t.Saved(t.Data() / "autosave.sdk")->Empty(), 30);
         const Bitmap board = Shot(work, "board.png");
         EXPECT_EQ(board.width, 480);
         EXPECT_EQ(board.height, 272);
         EXPECT_GT(ViewBrightness(board), 150);
     }},
    {"splash_timer",
     {},
     nullptr,
     0,
     [](E2E& t, const fs::path& work) {
         EXPECT_LT(ViewBrightness(Shot(work, "splash.png")), 100);
         EXPECT_GT(ViewBrightness(Shot(work, "board.png")), 150);
         // The clock's tick at 3000 ms came after the splash had ended.
         EXPECT_EQ(t.Saved(t.Data() / "autosave.sdk")->board.GetElapsed(), 1000);
     }},
    {"splash_tap",
     {},
     nullptr,
     0,
     [](E2E& t, const fs::path& work) {
         EXPECT_GT(ViewBrightness(Shot(work, "board.png")), 150);
         const auto saved = t.Saved(t.Data() / "autosave.sdk");
         EXPECT_EQ(saved->board.GetElapsed(), 3000);
         int32_t x = 0;
         int32_t y = 0;
         saved->board.GetSelection(x, y);
         EXPECT_FALSE(x == 8 && y == 8) << "the tap that ended the splash reached the board";
     }},
    {"clock_foreground",
     {},
     nullptr,
     0,
     [](E2E& t, const fs::path&) {
         // Seconds at 3000, 9000, 10000 and 11000 ms; none while in the background.
         EXPECT_EQ(t.Saved(t.Data() / "autosave.sdk")->board.GetElapsed(), 4000);
     }},
    {"game_to_end",
     {"nearly.sdk"},
     [](E2E&, const fs::path& work) { ImportNearlySolved(work); },
     0,
     [](E2E& t, const fs::path&) { ExpectSolvedCustomGames(t, 1); }},
    {"counted_once",
     {"nearly.sdk"},
     [](E2E&, const fs::path& work) { ImportNearlySolved(work); },
     0,
     [](E2E& t, const fs::path&) {
         ExpectSolvedCustomGames(t, 2);
         // A later run resumes the solved board and completes it again: not counted again.
         const SRun again = t.Script("counted_resumed");
         EXPECT_EQ(again.status, 0) << again.err;
         EXPECT_EQ(again.out, t.ExpectedLog("counted_resumed"));
         ExpectSolvedCustomGames(t, 2);
     }},
    {"keys",
     {"nearly.sdk"},
     [](E2E& t, const fs::path& work) {
         ImportNearlySolved(work);
         WriteOptions(t.Data(), 0, kKeySelect);
     },
     0,
     [](E2E& t, const fs::path&) { ExpectSolvedCustomGames(t, 1); }},
    {"custom_entry",
     {},
     nullptr,
     0,
     [](E2E& t, const fs::path&) {
         const auto saved = t.Saved(t.Data() / "autosave.sdk");
         EXPECT_EQ(saved->options.GetLevel(), 6);
         EXPECT_FALSE(saved->options.GetCustomEntry());
         EXPECT_EQ(saved->board.GetCell(0, 0).value, 1);
         EXPECT_TRUE(CBoard::IsGiven(saved->board.GetCell(0, 0)));
         EXPECT_EQ(saved->Empty(), 80);
     }},
    {"save_load",
     {},
     [](E2E&, const fs::path& work) {
         std::ofstream(work / "damaged.sdk") << std::string(100, 'x');
     },
     0,
     [](E2E& t, const fs::path& work) {
         // The Load brought back exactly what was saved; the refusals changed nothing.
         EXPECT_EQ(fs::file_size(work / "saved.sdk"), 1811U);
         EXPECT_EQ(ReadText(work / "saved.sdk"), ReadText(t.Data() / "autosave.sdk"));
         EXPECT_EQ(ReadText(work / "damaged.sdk"), std::string(100, 'x'));
         EXPECT_FALSE(fs::exists(work / "missing.sdk"));
     }},
    {"damaged_autosave",
     {},
     [](E2E& t, const fs::path&) {
         fs::create_directories(t.Data());
         std::ofstream(t.Data() / "autosave.sdk") << std::string(500, '\x7f');
     },
     0,
     [](E2E& t, const fs::path& work) {
         EXPECT_GT(ViewBrightness(Shot(work, "board.png")), 150);
         ExpectBothFilesWritten(t);
         EXPECT_EQ(t.Saved(t.Data() / "autosave.sdk")->Empty(), 30);
     }},
    {"missing_files",
     {"--program-dir", "empty"},
     [](E2E&, const fs::path& work) { fs::create_directories(work / "empty"); },
     1,
     [](E2E& t, const fs::path&) {
         // Reading the options opened (and so made) an empty options.cfg; nothing was saved.
         EXPECT_FALSE(fs::exists(t.Data() / "options.cfg") &&
                      fs::file_size(t.Data() / "options.cfg") > 0);
         EXPECT_FALSE(fs::exists(t.Data() / "autosave.sdk"));
     }},
    {"exit_ends_script",
     {},
     nullptr,
     0,
     [](E2E& t, const fs::path&) { ExpectBothFilesWritten(t); }},
    {"exit_button", {}, nullptr, 0, [](E2E& t, const fs::path&) { ExpectBothFilesWritten(t); }},
    {"errors", {}, nullptr, 2, [](E2E& t, const fs::path&) { ExpectBothFilesWritten(t); }},
    {"english",
     {"--language", "0"},
     nullptr,
     0,
     [](E2E& t, const fs::path& work) {
         EXPECT_EQ(t.Options().GetLanguage(), 0);
         if (!DrawsDialogs()) {
             return;
         }
         // The about box covers the device screen: its title row, then its white body.
         const Bitmap about = Shot(work, "about.png");
         ASSERT_EQ(about.width, 480);
         ASSERT_EQ(about.height, 272);
         EXPECT_NE(about.At(240, 5) & 0xFFFFFFU, 0xFFFFFFU);
         EXPECT_EQ(about.At(240, 150) & 0xFFFFFFU, 0xFFFFFFU);
     }},
    {"language_dialog",
     {},
     nullptr,
     0,
     [](E2E& t, const fs::path&) { EXPECT_EQ(t.Options().GetLanguage(), 3); }},
    {"languages",
     {},
     [](E2E& t, const fs::path&) { WriteRussianWithStatistics(t.Data()); },
     0,
     [](E2E& t, const fs::path& work) {
         // Left in English; the figures are those of the file.
         EXPECT_EQ(t.Options().GetLanguage(), 0);
         EXPECT_EQ(t.Options().LevelStats()[0].bestTime, 3725);
         EXPECT_GT(ViewBrightness(Shot(work, "board.png")), 150);
         ExpectGoldenDialogs(work);
     }},
    {"dialog_actions",
     {},
     [](E2E& t, const fs::path&) { WriteRussianWithStatistics(t.Data()); },
     0,
     [](E2E& t, const fs::path& work) {
         // Still Russian; the Reset of "All" cleared every level.
         const COptions options = t.Options();
         EXPECT_EQ(options.GetLanguage(), 6);
         for (const SLevelStats& level : options.LevelStats()) {
             EXPECT_EQ(level.solved, 0);
         }
         // The statistics showed "All" as they open, untouched by the actions ignored.
         if (DrawsDialogs()) {
             EXPECT_EQ(Shot(work, "stats.png").pixels,
                       ReadPng(fs::path(SUDOKU_TEST_DATA) / "golden/dialogs/stats-6.png").pixels);
         }
     }},
    {"limits",
     {"nearly.sdk"},
     PrepareLimits,
     0,
     [](E2E& t, const fs::path& work) {
         // The clock stopped at its limit and the game was saved; the figures stopped at theirs.
         const auto saved = t.Saved(t.Data() / "autosave.sdk");
         EXPECT_EQ(saved->board.GetElapsed(), INT32_MAX);
         EXPECT_EQ(saved->Empty(), 0);
         const COptions options = t.Options();
         const SLevelStats custom = options.LevelStats()[5];
         EXPECT_EQ(custom.solved, INT32_MAX);
         EXPECT_EQ(custom.totalTime, INT32_MAX);
         EXPECT_EQ(custom.bestTime, 100);
         EXPECT_EQ(custom.averageTime, 1000);
         EXPECT_EQ(options.LevelStats()[3].solved, -5);  // kept as the file holds them
         // "2147483647" and "596523:14:07" for Custom; zeros for the negative Hard figures.
         ExpectGoldenShots(work, {"stats-limits-custom.png", "stats-limits-hard.png"});
     }},
    {"damaged_options",
     {},
     [](E2E& t, const fs::path&) { WriteDamagedOptions(t.Data()); },
     0,
     [](E2E& t, const fs::path& work) {
         // English, and a Beginner game, made twice; the language stays as the file held it.
         const COptions options = t.Options();
         EXPECT_EQ(options.GetLanguage(), 2147483538);
         EXPECT_EQ(options.GetLevel(), level::kBeginner);
         EXPECT_EQ(t.Saved(t.Data() / "autosave.sdk")->Empty(), 30);
         EXPECT_GT(ViewBrightness(Shot(work, "board.png")), 150);
     }},
    {"small_screen",
     {"--screen", "320x240"},
     nullptr,
     0,
     [](E2E&, const fs::path& work) {
         const Bitmap small = Shot(work, "small.png");
         EXPECT_EQ(small.width, 320);
         EXPECT_EQ(small.height, 240);
         EXPECT_GT(ViewBrightness(small), 150);
     }},
};

INSTANTIATE_TEST_SUITE_P(Cases, Scripts, ::testing::ValuesIn(kScriptCases),
                         [](const auto& row) { return std::string(row.param.name); });

// ---- The command line ----

struct SBadLine {
    std::vector<std::string> args;
    const char* says;
};

class BadCommandLine : public E2E, public ::testing::WithParamInterface<SBadLine> {};

TEST_P(BadCommandLine, IsRefusedBeforeAnyFileIsTouched) {
    std::ofstream(work / "play.script") << "exit\n";
    std::vector<std::string> args{"--data-dir", "data"};
    args.insert(args.end(), GetParam().args.begin(), GetParam().args.end());
    const SRun run = RunProgram("sudoku", args, work.Path());
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    // One line, naming the fault.
    EXPECT_TRUE(run.err.starts_with("sudoku: ")) << run.err;
    EXPECT_NE(run.err.find(GetParam().says), std::string::npos) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_FALSE(fs::exists(Data()));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadCommandLine,
    ::testing::Values(SBadLine{{"--screen", "0x0", "--script", "play.script"}, "--screen"},
                      SBadLine{{"--language", "9", "--script", "play.script"}, "--language"},
                      SBadLine{{"--script", "play.script", "--frobnicate"}, "--frobnicate"},
                      SBadLine{{"--scale", "0"}, "--scale"},
                      SBadLine{{"--script", "no-such.script"}, "no-such.script"},
                      SBadLine{{"--script", "play.script", "a.sdk", "b.sdk"}, "one saved game"},
                      SBadLine{
                          {"--screen", "4096x4096", "--scale", "16", "--script", "play.script"},
                          "each side 1..1024"},
                      SBadLine{{"-platform", "bogus"}, "-platform bogus: Qt has no such platform"},
                      SBadLine{{"--script", "."}, "it is a folder"}));

// No display to show the window on: one line, instead of Qt's abort. Also when DISPLAY names
// a display that is not there (found only as Qt starts).
TEST_F(E2E, AWindowWithoutADisplayIsRefused) {
    const std::vector<std::vector<std::string>> environments = {
        {"QT_QPA_PLATFORM=", "DISPLAY=", "WAYLAND_DISPLAY="},
        {"QT_QPA_PLATFORM=xcb", "DISPLAY=", "WAYLAND_DISPLAY="},
        {"QT_QPA_PLATFORM=", "DISPLAY=:7391", "WAYLAND_DISPLAY="}};
    for (const std::vector<std::string>& env : environments) {
        const pid_t pid = Start("sudoku", {"--data-dir", "data"}, work.Path(), env);
        EXPECT_EQ(Wait(pid), 2) << env[0] << ' ' << env[1];
        EXPECT_EQ(ReadText(work / "stderr.txt"),
                  "sudoku: no display: set DISPLAY, or use --script\n")
            << env[0] << ' ' << env[1];
        EXPECT_FALSE(fs::exists(Data()));
    }
}

TEST_F(E2E, HelpPrintsTheUsage) {
    const SRun run = RunProgram("sudoku", {"--data-dir", "data", "--help"}, work.Path());
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.out.starts_with("usage: sudoku ")) << run.out;
    EXPECT_NE(run.out.find("--script FILE"), std::string::npos) << run.out;
    EXPECT_EQ(run.err, "");
    EXPECT_FALSE(fs::exists(Data()));
}

// ---- Pipes: a script read from one, a log written into one nobody reads ----

// Runs the script program in `cwd` with `input` on its standard input (a pipe) and standard error
// going to stderr.txt; with `closedOutput` its standard output is a pipe whose reader has gone,
// else stdout.txt.
int RunPiped(const std::vector<std::string>& args, const fs::path& cwd, const std::string& input,
             bool closedOutput) {
    int in[2];
    int out[2];
    EXPECT_EQ(pipe(in), 0);
    EXPECT_EQ(pipe(out), 0);
    EXPECT_LT(input.size(), 65536U) << "the whole script waits in the pipe";
    EXPECT_EQ(write(in[1], input.data(), input.size()), static_cast<ssize_t>(input.size()));
    close(in[1]);
    close(out[0]);
    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(cwd.c_str()) != 0) {
            _exit(126);
        }
        dup2(in[0], 0);
        dup2(closedOutput ? out[1] : open("stdout.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644), 1);
        dup2(open("stderr.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644), 2);
        const std::string path = (kProgramDir / ScriptProgram()).string();
        std::vector<char*> argv{const_cast<char*>(path.c_str())};
        for (const std::string& a : args) {
            argv.push_back(const_cast<char*>(a.c_str()));
        }
        argv.push_back(nullptr);
        execv(path.c_str(), argv.data());
        _exit(127);
    }
    close(in[0]);
    close(out[1]);
    return Wait(pid);
}

class ScriptOnStandardInput : public E2E, public ::testing::WithParamInterface<const char*> {};

TEST_P(ScriptOnStandardInput, IsPlayed) {
    ImportNearlySolved(work.Path());
    const int status = RunPiped({"--script", GetParam(), "--data-dir", "data", "nearly.sdk"},
                                work.Path(), ReadText(kCases / "game_to_end.script"), false);
    EXPECT_EQ(status, 0) << ReadText(work / "stderr.txt");
    EXPECT_EQ(ReadText(work / "stdout.txt"), ExpectedLog("game_to_end"));
    ExpectSolvedCustomGames(*this, 1);
}

INSTANTIATE_TEST_SUITE_P(Names, ScriptOnStandardInput, ::testing::Values("-", "/dev/stdin"),
                         [](const auto& row) {
                             return std::string(row.param) == "-" ? "Dash" : "DevStdin";
                         });

// `sudoku --script p.txt | head -1`: the log cannot be written, the game is played to its end
// and saved with its statistics all the same.
TEST_F(E2E, AClosedOutputEndsTheGameAsSaveAndExitDoes) {
    ImportNearlySolved(work.Path());
    fs::copy_file(kCases / "closed_output.script", work / "play.script");
    const int status = RunPiped({"--script", "play.script", "--data-dir", "data", "nearly.sdk"},
                                work.Path(), "", true);
    EXPECT_EQ(status, 0) << ReadText(work / "stderr.txt");
    ExpectSolvedCustomGames(*this, 1);
}

// Save into a FIFO: the test holds it open for reading and writing with its buffer full, so the
// game's write waits; then the test lets go and the write finds no reader.
TEST_F(E2E, ASaveIntoAFifoWhoseReaderGoesAwayFailsAndTheGameGoesOn) {
    const fs::path fifo = work / "fifo.sdk";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
    const int reader = open(fifo.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(reader, 0);
    const std::string fill(4096, 'x');
    while (write(reader, fill.data(), fill.size()) > 0) {
    }
    fs::copy_file(kCases / "save_to_fifo.script", work / "play.script");
    const pid_t pid = Start("sudoku", {"--script", "play.script", "--data-dir", "data"},
                            work.Path(), {"QT_QPA_PLATFORM=offscreen"});
    // The game has the FIFO open for writing (at most ten seconds); the child holds the test's
    // own descriptor, for reading and writing, only until it runs the game.
    const fs::path proc = fs::path("/proc") / std::to_string(pid);
    bool open = false;
    for (int i = 0; i < 200 && !open; ++i) {
        std::error_code ec;
        for (const auto& fd : fs::directory_iterator(proc / "fd", ec)) {
            std::istringstream info(ReadText(proc / "fdinfo" / fd.path().filename()));
            std::string word;
            int flags = 0;
            while (info >> word && word != "flags:") {
            }
            info >> std::oct >> flags;
            open = open ||
                   (fs::read_symlink(fd.path(), ec) == fifo && (flags & O_ACCMODE) == O_WRONLY);
        }
        if (!open) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    }
    close(reader);
    EXPECT_TRUE(open) << "the game never opened the FIFO";
    EXPECT_EQ(Wait(pid), 0) << ReadText(work / "stderr.txt");
    EXPECT_EQ(ReadText(work / "stdout.txt"), ExpectedLog("save_to_fifo"));
    ExpectBothFilesWritten(*this);
}

// ---- The window: SIGTERM, SIGINT and SIGHUP end it in order ----

struct SWindowSignal {
    const char* name;
    int signal;
    std::vector<std::string> args;  // more arguments
};

class WindowSignal : public E2E, public ::testing::WithParamInterface<SWindowSignal> {};

TEST_P(WindowSignal, WritesTheAutosaveAndTheOptions) {
    // The timing hook says when the window shows its first picture.
    std::ofstream(work / "damaged.sdk") << std::string(100, 'x');
    std::vector<std::string> args{"--data-dir", "data", "--language", "2"};
    args.insert(args.end(), GetParam().args.begin(), GetParam().args.end());
    const pid_t pid =
        Start("sudoku", args, work.Path(), {"QT_QPA_PLATFORM=offscreen", "SUDOKU_TIMING=1"});
    ASSERT_TRUE(WaitForLine(work.Path(), "timing splash ")) << ReadText(work / "stderr.txt");
    EXPECT_FALSE(fs::exists(Data() / "autosave.sdk")) << "nothing is saved before the end";
    ASSERT_EQ(kill(pid, GetParam().signal), 0);
    EXPECT_EQ(Wait(pid), 0);
    ExpectBothFilesWritten(*this);
    EXPECT_EQ(Options().GetLanguage(), 2);
}

// SIGHUP: the terminal the game was started from is closed. The damaged saved game named on the
// command line opens a message box over the window.
INSTANTIATE_TEST_SUITE_P(
    Signals, WindowSignal,
    ::testing::Values(SWindowSignal{"TERM", SIGTERM, {}}, SWindowSignal{"INT", SIGINT, {}},
                      SWindowSignal{"HUP", SIGHUP, {}},
                      SWindowSignal{"HUPWithAMessageBox", SIGHUP, {"damaged.sdk"}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(E2E, TheTimingHookNotesTheSplashItsEndAndTheBoard) {
    const pid_t pid = Start("sudoku", {"--data-dir", "data"}, work.Path(),
                            {"QT_QPA_PLATFORM=offscreen", "SUDOKU_TIMING=1"});
    ASSERT_TRUE(WaitForLine(work.Path(), "timing board ")) << ReadText(work / "stderr.txt");
    kill(pid, SIGTERM);
    EXPECT_EQ(Wait(pid), 0);
    // timing EVENT NANOSECONDS, in order, the splash lasting its three seconds.
    std::istringstream err(ReadText(work / "stderr.txt"));
    std::vector<std::pair<std::string, long long>> events;
    std::string line;
    while (std::getline(err, line)) {
        std::istringstream words(line);
        std::string timing;
        std::string event;
        long long ns = 0;
        if (words >> timing >> event >> ns && timing == "timing") {
            events.emplace_back(event, ns);
        }
    }
    ASSERT_EQ(events.size(), 3U);
    EXPECT_EQ(events[0].first, "splash");
    EXPECT_EQ(events[1].first, "splash-end");
    EXPECT_EQ(events[2].first, "board");
    const double splashSeconds = static_cast<double>(events[1].second - events[0].second) / 1e9;
    EXPECT_GT(splashSeconds, 2.5);
    EXPECT_LT(splashSeconds, 10.0);
    EXPECT_LE(events[1].second, events[2].second);
}

}  // namespace
}  // namespace e2e
