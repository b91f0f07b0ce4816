// DataManager: paths in the program and data folders, data files, bitmaps and the shell.
#include <gtest/gtest.h>

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "engine/ByteIO.h"
#include "platform/DataManager.h"
#include "platform/ScriptedShell.h"
#include "tests/support/TempDir.h"

namespace {

using testsupport::TempDir;

// A 2 x 1 bitmap of 24 bits: red, then green.
std::vector<uint8_t> TinyBmp() {
    std::vector<uint8_t> b(14 + 40 + 8, 0);
    b[0] = 'B';
    b[1] = 'M';
    byteio::Put32(&b[2], static_cast<int32_t>(b.size()));
    byteio::Put32(&b[10], 54);
    byteio::Put32(&b[14], 40);
    byteio::Put32(&b[18], 2);
    byteio::Put32(&b[22], 1);
    byteio::Put16(&b[26], 1);
    byteio::Put16(&b[28], 24);
    const uint8_t pixels[8] = {0, 0, 255, 0, 255, 0, 0, 0};
    std::copy(pixels, pixels + 8, b.begin() + 54);
    return b;
}

class DataManagerTest : public ::testing::Test {
protected:
    TempDir program;
    TempDir data;
    ScriptedShell shell;
    DataManager dm{program.Path(), data.Path(), shell};
};

TEST_F(DataManagerTest, ProgramPathsIgnoreLetterCaseAndTakeBackslashes) {
    program.Write("Splash/Splash.bmp", "a");
    program.Write("splash/splash.wav", "b");
    program.Write("Skin1/board.bmp", "c");
    EXPECT_EQ(dm.MakeProgramPath("Splash\\Splash.bmp"), program / "Splash/Splash.bmp");
    EXPECT_EQ(dm.MakeProgramPath("\\splash\\splash.wav"), program / "splash/splash.wav");
    EXPECT_EQ(dm.MakeProgramPath("SKIN1\\BOARD.BMP"), program / "Skin1/board.bmp");
    EXPECT_EQ(dm.MakeProgramPath("Skin2\\board.bmp"), program / "Skin2/board.bmp");
    EXPECT_EQ(dm.MakeDataPath("options.cfg"), data / "options.cfg");
}

TEST_F(DataManagerTest, FileExistsOnlyForFilesWithBytes) {
    EXPECT_FALSE(dm.FileExists("autosave.sdk"));
    data.Write("autosave.sdk", "");
    EXPECT_FALSE(dm.FileExists("autosave.sdk"));
    data.Write("autosave.sdk", "x");
    EXPECT_TRUE(dm.FileExists("autosave.sdk"));
    std::filesystem::create_directory(data / "folder.sdk");
    EXPECT_FALSE(dm.FileExists("folder.sdk"));
    // Looked at and found unreadable: never written over, and the reason says why.
    std::string why;
    EXPECT_FALSE(dm.ReplaceDataFile("folder.sdk", std::vector<uint8_t>{1}, &why));
    EXPECT_EQ(why, (data / "folder.sdk").string() +
                       " not written: it could not be read at start-up (it is a folder, not a "
                       "file)");
}

TEST_F(DataManagerTest, DataFilesAreCreatedReadAndWrittenWithoutTruncation) {
    auto file = dm.OpenDataFile("options.cfg");
    EXPECT_TRUE(std::filesystem::exists(data / "options.cfg"));  // created empty
    EXPECT_EQ(file->Length(), 0U);
    ASSERT_TRUE(dm.CloseDataFile(std::move(file)));

    data.Write("state.bin", "0123456789");
    file = dm.OpenDataFile("state.bin");
    char buffer[4] = {};
    EXPECT_EQ(DataManager::ReadBlock(*file, buffer, 4), 4U);
    EXPECT_EQ(std::string(buffer, 4), "0123");
    file->SeekToBegin();
    DataManager::WriteBlock(*file, "ab", 2);
    EXPECT_EQ(std::filesystem::file_size(data / "state.bin"), 10U);  // nothing written yet
    ASSERT_TRUE(dm.CloseDataFile(std::move(file)));
    EXPECT_EQ(fileio::ReadFile(data / "state.bin", 100),
              (std::vector<uint8_t>{'a', 'b', '2', '3', '4', '5', '6', '7', '8', '9'}));
}

TEST(DataManagerFolders, AFolderThatCannotBeWrittenFailsQuietlyAndReadsAsEmpty) {
    TempDir base;
    base.Write("blocker", "not a folder");
    ScriptedShell shell;
    DataManager dm(base.Path(), base / "blocker" / "data", shell);
    auto file = dm.OpenDataFile("options.cfg");
    EXPECT_EQ(file->Length(), 0U);
    DataManager::WriteBlock(*file, "x", 1);
    EXPECT_FALSE(dm.CloseDataFile(std::move(file)));
    const uint8_t bytes[] = {1, 2, 3};
    EXPECT_FALSE(dm.ReplaceDataFile("autosave.sdk", bytes));
    EXPECT_FALSE(dm.FileExists("autosave.sdk"));
}

TEST_F(DataManagerTest, BitmapsLoadFromTheProgramFolder) {
    Bitmap bmp;
    EXPECT_FALSE(dm.LoadBitmapFile("Skin1\\board.bmp", bmp));
    program.Write("Skin1/board.bmp", "BM but not a bitmap");
    EXPECT_FALSE(dm.LoadBitmapFile("Skin1\\board.bmp", bmp));
    EXPECT_TRUE(bmp.IsNull());
    program.Write("Skin1/board.bmp", TinyBmp());
    ASSERT_TRUE(dm.LoadBitmapFile("skin1\\Board.bmp", bmp));
    EXPECT_EQ(bmp.width, 2);
    EXPECT_EQ(bmp.height, 1);
    EXPECT_EQ(bmp.At(0, 0), Rgb(255, 0, 0));
    EXPECT_EQ(bmp.At(1, 0), Rgb(0, 255, 0));
}

TEST_F(DataManagerTest, ShellServicesGoThroughTheShell) {
    program.Write("tutorial/TutorialR.html", "<html></html>");
    dm.OpenTutorial(6);
    dm.OpenTutorial(0);
    dm.OpenTutorial(42);  // no letter
    dm.OpenTutorial(-1);
    ASSERT_EQ(shell.Lines().size(), 4U);
    EXPECT_EQ(shell.Lines()[0], "tutorial tutorial/TutorialR.html");
    EXPECT_EQ(shell.Lines()[1], "tutorial tutorial/Tutorial.html");
    EXPECT_EQ(shell.Lines()[2], "tutorial tutorial/Tutorial.html");

    shell.QueueAnswer(ScriptedShell::Answer::kYes);
    EXPECT_EQ(dm.ShowMessage("Start?", MsgStyle::kYesNo, "MsgConfirmNewGame"), kIdYes);
    EXPECT_EQ(dm.ShowMessage("Done.", MsgStyle::kInfo, "MsgCorrectSoFar"), kIdOk);
    EXPECT_EQ(dm.ShowMessage("Again?", MsgStyle::kYesNo, "MsgSolvedStartNew"), kIdNo);
    EXPECT_EQ(shell.Lines()[4], "message MsgConfirmNewGame yesno yes \"Start?\"");
    EXPECT_EQ(shell.Lines()[5], "message MsgCorrectSoFar info ok \"Done.\"");
    EXPECT_EQ(shell.Lines()[6], "message MsgSolvedStartNew yesno no \"Again?\"");
    dm.CloseApplication();
    EXPECT_EQ(shell.CloseRequests(), 1);
}

// The home folder the password database gives the user running the tests; empty when none.
std::filesystem::path PasswordHome() {
    const passwd* entry = ::getpwuid(::getuid());
    return entry != nullptr && entry->pw_dir != nullptr && entry->pw_dir[0] == '/'
               ? std::filesystem::path(entry->pw_dir)
               : std::filesystem::path();
}

// Sets an environment variable for the life of the object (unset for a null value), then puts
// back what was there.
class CScopedEnv {
public:
    CScopedEnv(const char* name, const char* value) : m_name(name) {
        const char* old = std::getenv(name);
        if (old != nullptr) {
            m_old = old;
        }
        Set(value);
    }
    ~CScopedEnv() { Set(m_old ? m_old->c_str() : nullptr); }

private:
    void Set(const char* value) {
        if (value != nullptr) {
            ::setenv(m_name, value, 1);
        } else {
            ::unsetenv(m_name);
        }
    }
    const char* m_name;
    std::optional<std::string> m_old;
};

TEST(DataManagerFolders, DefaultDataFolder) {
    TempDir portable;  // a build tree's program folder: the marker beside the programs
    portable.Write(DataManager::kPortableMarker, "");
    TempDir installed;  // writable, but without the marker
    const std::filesystem::path home = PasswordHome();
    // The folders the environment names, inside a folder of the test's own.
    TempDir places;
    const std::string dataHome = (places.Path() / "xdg").string();
    const std::string user = (places.Path() / "home").string();
    struct SRow {
        const std::filesystem::path& program;
        const char* xdg;
        const char* home;
        std::filesystem::path expected;  // empty: no data folder at all
    } const rows[] = {
        {portable.Path(), dataHome.c_str(), user.c_str(), portable.Path()},
        {installed.Path(), dataHome.c_str(), user.c_str(), places.Path() / "xdg/sudoku"},
        {installed.Path(), "relative", user.c_str(), places.Path() / "home/.local/share/sudoku"},
        {installed.Path(), nullptr, user.c_str(), places.Path() / "home/.local/share/sudoku"},
        {installed.Path(), nullptr, nullptr, home.empty() ? home : home / ".local/share/sudoku"},
        {installed.Path(), nullptr, "", home.empty() ? home : home / ".local/share/sudoku"},
    };
    for (const SRow& row : rows) {
        const CScopedEnv xdg("XDG_DATA_HOME", row.xdg);
        const CScopedEnv homeVar("HOME", row.home);
        std::string why;
        EXPECT_EQ(DataManager::DefaultDataFolder(row.program, &why), row.expected)
            << row.program << " " << (row.xdg ? row.xdg : "-") << " "
            << (row.home ? row.home : "-");
        EXPECT_EQ(why.empty(), !row.expected.empty()) << why;
    }
}

// Without a data folder nothing is read and nothing is written, anywhere, and each refusal
// says why.
TEST(DataManagerFolders, NoDataFolderWritesNothing) {
    TempDir cwd;
    cwd.Write("options.cfg", "12345");
    const auto old = std::filesystem::current_path();
    std::filesystem::current_path(cwd.Path());
    ScriptedShell shell;
    DataManager dm(cwd.Path(), {}, shell);
    EXPECT_FALSE(dm.FileExists("options.cfg"));
    auto file = dm.OpenDataFile("options.cfg");
    EXPECT_EQ(file->Length(), 0U);
    DataManager::WriteBlock(*file, "ab", 2);
    std::string why;
    EXPECT_FALSE(dm.CloseDataFile(std::move(file), &why));
    EXPECT_EQ(why, "options.cfg not written: there is no data folder");
    EXPECT_FALSE(dm.ReplaceDataFile("autosave.sdk", std::vector<uint8_t>{1}, &why));
    EXPECT_EQ(why, "autosave.sdk not written: there is no data folder");
    std::filesystem::current_path(old);
    EXPECT_EQ(fileio::ReadFile(cwd / "options.cfg", 100),
              std::optional<std::vector<uint8_t>>(std::vector<uint8_t>{'1', '2', '3', '4', '5'}));
    EXPECT_FALSE(std::filesystem::exists(cwd / "autosave.sdk"));
}

}  // namespace

// A data folder that cannot be written is found at start-up; one not made yet counts as
// writable where it can be made. Asked as an unprivileged user, for whom the modes count.
TEST(DataFolder, WhetherItCanBeWritten) {
    const TempDir dir;
    std::filesystem::permissions(dir.Path(), std::filesystem::perms::owner_all |
                                                 std::filesystem::perms::others_read |
                                                 std::filesystem::perms::others_exec);
    std::filesystem::create_directory(dir / "ro");
    std::filesystem::permissions(dir / "ro", std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    dir.Write("file", std::string("the player's own"));
    const std::pair<std::filesystem::path, fileio::Problem> rows[] = {
        {dir.Path(), fileio::Problem::kFolderReadOnly},  // the superuser's own, for 65534
        {dir / "ro", fileio::Problem::kFolderReadOnly},
        {dir / "ro" / "new" / "sudoku", fileio::Problem::kFolderReadOnly},
        {dir / "file", fileio::Problem::kNotAFile},
        {dir / "file" / "sudoku", fileio::Problem::kNotAFile},
    };
    ScriptedShell shell;
    const bool root = ::geteuid() == 0;
    for (const auto& [folder, problem] : rows) {
        DataManager dm(dir.Path(), folder, shell);
        fileio::Problem found = fileio::Problem::kNone;
        ASSERT_TRUE(testsupport::AsUnprivileged([&] { found = dm.DataFolderProblem(); }));
        if (root || folder != dir.Path()) {
            EXPECT_EQ(found, problem) << folder;
        }
    }
    const TempDir writable;
    EXPECT_EQ(DataManager(dir.Path(), writable.Path(), shell).DataFolderProblem(),
              fileio::Problem::kNone);
    EXPECT_EQ(DataManager(dir.Path(), writable / "a" / "b", shell).DataFolderProblem(),
              fileio::Problem::kNone);
}
