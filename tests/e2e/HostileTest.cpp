// End-to-end in hostile places: data files that are folders or links leading nowhere, a data
// folder that is a file, a program folder with missing or damaged pictures, a data folder that
// cannot be written and one on a full disk. The program starts or stops with a clear message,
// never crashes and never destroys a file it did not write.
#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "tests/e2e/E2E.h"

namespace e2e {
namespace {

// A game with four free cells, in the data folder from an earlier session, beside the options
// of that session (Russian, Number Select). Copies are kept as old.sdk and old.cfg.
constexpr const char* kOldGame =
    ".346789126.21953481983425678597614234268.379171392485696153728428741963534528617.";

void WriteOldFiles(E2E& t, const fs::path& work) {
    fs::create_directories(t.Data());
    ASSERT_EQ(
        RunProgram("sudoku-tool", {"import", kOldGame, "-o", "data/autosave.sdk"}, work).status, 0);
    WriteOptions(t.Data(), 6, kNumberSelect);
    fs::copy_file(t.Data() / "autosave.sdk", work / "old.sdk");
    fs::copy_file(t.Data() / "options.cfg", work / "old.cfg");
}

void ExpectUnchanged(const fs::path& work, const char* file, const char* old) {
    EXPECT_EQ(ReadText(work / "data" / file), ReadText(work / old)) << file << " was changed";
}

// The entries of a folder, by name.
std::set<std::string> Entries(const fs::path& folder) {
    std::set<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

// The old game was resumed and saved again: the same givens and free cells.
void ExpectOldGameSaved(E2E& t) {
    const auto saved = t.Saved(t.Data() / "autosave.sdk");
    EXPECT_EQ(saved->Empty(), 4);
    EXPECT_EQ(saved->board.GetCell(1, 0).value, 3);
    EXPECT_TRUE(CBoard::IsGiven(saved->board.GetCell(1, 0)));
}

// A folder standing where a data file should be, with a file of the player's inside.
void FolderInstead(E2E& t, const char* name) {
    fs::remove(t.Data() / name);
    fs::create_directories(t.Data() / name);
    std::ofstream(t.Data() / name / "keep.txt") << "the player's own";
}

void ExpectFolderKept(E2E& t, const char* name) {
    EXPECT_TRUE(fs::is_directory(t.Data() / name));
    EXPECT_EQ(ReadText(t.Data() / name / "keep.txt"), "the player's own");
}

// A program folder made from the built one without the `missing` entries (paths relative to
// it); the `damaged` files are cut to their first `keep` bytes.
void CopyProgramFolder(const fs::path& to, const std::vector<std::string>& missing,
                       const std::vector<std::string>& damaged, std::size_t keep = 100) {
    fs::create_directories(to);
    for (const fs::directory_entry& entry : fs::directory_iterator(kProgramDir)) {
        const std::string name = entry.path().filename().string();
        if (name != "sudoku" && name != "sudoku-tool") {
            fs::copy(entry.path(), to / name, fs::copy_options::recursive);
        }
    }
    for (const std::string& name : missing) {
        ASSERT_TRUE(fs::remove_all(to / name) > 0) << name;
    }
    for (const std::string& name : damaged) {
        ASSERT_GT(fs::file_size(to / name), keep) << name;
        fs::resize_file(to / name, keep);
    }
}

struct SHostileCase {
    const char* name;
    const char* script;  // cases/SCRIPT.script and its log
    std::vector<std::string> args;
    std::function<void(E2E&, const fs::path& work)> prepare;
    int status;
    std::vector<std::string> says;  // each on standard error
    std::function<void(E2E&, const fs::path& work)> check;
};

void PrintTo(const SHostileCase& c, std::ostream* out) {
    *out << c.name;
}

class HostileFolders : public E2E, public ::testing::WithParamInterface<SHostileCase> {};

TEST_P(HostileFolders, ClearMessageNoCrashNothingLost) {
    const SHostileCase& c = GetParam();
    WriteOldFiles(*this, work.Path());
    if (c.prepare) {
        c.prepare(*this, work.Path());
    }
    const SRun run = Script(c.script, c.args);
    EXPECT_EQ(run.status, c.status) << run.err;
    EXPECT_EQ(run.out, ExpectedLog(c.script));
    for (const std::string& words : c.says) {
        EXPECT_NE(run.err.find(words), std::string::npos) << "no '" << words << "' in\n" << run.err;
    }
    c.check(*this, work.Path());
}

const SHostileCase kHostileCases[] = {
    {"options_folder",
     "hostile",
     {},
     [](E2E& t, const fs::path&) { FolderInstead(t, "options.cfg"); },
     0,
     {"cannot read data/options.cfg: it is a folder, not a file", "data/options.cfg not written"},
     [](E2E& t, const fs::path&) {
         ExpectFolderKept(t, "options.cfg");
         ExpectOldGameSaved(t);
     }},
    {"autosave_folder",
     "hostile",
     {},
     [](E2E& t, const fs::path&) { FolderInstead(t, "autosave.sdk"); },
     0,
     {"data/autosave.sdk", "it is a folder, not a file", "data/autosave.sdk not written"},
     [](E2E& t, const fs::path&) {
         ExpectFolderKept(t, "autosave.sdk");
         EXPECT_EQ(fs::file_size(t.Data() / "options.cfg"), 140U);
         EXPECT_EQ(t.Options().GetInputMode(), kNumberSelect);
     }},
    {"dangling_links",
     "hostile",
     {},
     [](E2E& t, const fs::path&) {
         // options.cfg leads to a file not made yet, autosave.sdk into a folder that is not
         // there.
         fs::remove(t.Data() / "options.cfg");
         fs::remove(t.Data() / "autosave.sdk");
         fs::create_symlink("elsewhere.cfg", t.Data() / "options.cfg");
         fs::create_symlink("gone/autosave.sdk", t.Data() / "autosave.sdk");
     },
     0,
     {"cannot write data/autosave.sdk", "No such file or directory"},
     [](E2E& t, const fs::path&) {
         // The links stay; the options went where their link leads.
         EXPECT_EQ(fs::read_symlink(t.Data() / "options.cfg"), "elsewhere.cfg");
         EXPECT_EQ(fs::read_symlink(t.Data() / "autosave.sdk"), "gone/autosave.sdk");
         EXPECT_EQ(fs::file_size(t.Data() / "elsewhere.cfg"), 140U);
         EXPECT_FALSE(fs::exists(t.Data() / "gone"));
     }},
    {"data_folder_a_file",
     "data_folder_a_file",
     {},
     [](E2E& t, const fs::path&) {
         fs::remove_all(t.Data());
         std::ofstream(t.Data()) << "the player's own";
     },
     0,
     {"cannot write data/autosave.sdk: Not a directory",
      "cannot write data/options.cfg: Not a directory"},
     [](E2E& t, const fs::path&) { EXPECT_EQ(ReadText(t.Data()), "the player's own"); }},
    {"missing_skin",
     "missing_skin",
     {"--program-dir", "prog"},
     [](E2E&, const fs::path& work) {
         CopyProgramFolder(work / "prog", {"Skin1", "Skin2", "Skin3"}, {});
     },
     0,
     {},
     [](E2E& t, const fs::path&) {
         // Told, then ended in order: the resumed game and the options are saved.
         ExpectOldGameSaved(t);
         EXPECT_EQ(t.Options().GetInputMode(), kNumberSelect);
     }},
    {"damaged_skin",
     "missing_skin",
     {"--program-dir", "prog"},
     [](E2E&, const fs::path& work) {
         CopyProgramFolder(work / "prog", {}, {"Skin1/board.bmp", "Skin1/numbers.bmp"});
     },
     0,
     {},
     [](E2E& t, const fs::path&) { ExpectOldGameSaved(t); }},
    {"damaged_splash",
     "missing_files",
     {"--program-dir", "prog"},
     [](E2E&, const fs::path& work) {
         CopyProgramFolder(work / "prog", {}, {"Splash/Splash.bmp"});
     },
     1,
     {},
     [](E2E&, const fs::path& work) {
         // Ended before the game began: the files of the last session are as they were.
         ExpectUnchanged(work, "autosave.sdk", "old.sdk");
         ExpectUnchanged(work, "options.cfg", "old.cfg");
     }},
};

INSTANTIATE_TEST_SUITE_P(Cases, HostileFolders, ::testing::ValuesIn(kHostileCases),
                         [](const auto& row) { return std::string(row.param.name); });

// A data folder the player may read but not write: the game is played, the folder is named in a
// box at start-up and each file it could not write on standard error at the end, and the files
// of the last session stay as they were. The superuser may write anywhere, so it runs the
// program as the unprivileged user 65534.
TEST_F(E2E, AReadOnlyDataFolderIsNamedAndKeepsItsFiles) {
    WriteOldFiles(*this, work.Path());
    constexpr uid_t kNobody = 65534;
    const bool root = geteuid() == 0;
    if (root) {
        for (const char* name : {"data", "data/autosave.sdk", "data/options.cfg"}) {
            ASSERT_EQ(chown((work / name).c_str(), kNobody, kNobody), 0) << name;
        }
        // Others may pass through the working folder, to the script and the data folder.
        fs::permissions(work.Path(), fs::perms::others_exec, fs::perm_options::add);
    }
    fs::permissions(Data(), fs::perms::owner_write, fs::perm_options::remove);
    if (!root && access(Data().c_str(), W_OK) == 0) {
        GTEST_SKIP() << "this user may write a folder without write permission";
    }
    fs::copy_file(kCases / "hostile.script", work / "play.script");
    const SRun run = RunProgram("sudoku", {"--script", "play.script", "--data-dir", "data"},
                                work.Path(), root ? std::optional<uid_t>(kNobody) : std::nullopt);
    fs::permissions(Data(), fs::perms::owner_write, fs::perm_options::add);
    if (run.status == 77) {
        GTEST_SKIP() << "user " << kNobody << " may not run " << (kProgramDir / "sudoku")
                     << ": a folder on the way is closed to other users";
    }
    EXPECT_EQ(run.status, 0) << run.err;
    // Said once at start-up, in the box the player sees, and again file by file at the end.
    EXPECT_EQ(run.out,
              "message DataFolderReadOnly ok ok \"ваша игра и статистика не будут "
              "сохранены: в папку data нельзя записывать\"\n");
    EXPECT_NE(run.err.find("cannot write data/autosave.sdk: cannot create a file in data "
                           "(Permission denied)"),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("cannot write data/options.cfg"), std::string::npos) << run.err;
    ExpectUnchanged(work.Path(), "autosave.sdk", "old.sdk");
    ExpectUnchanged(work.Path(), "options.cfg", "old.cfg");
    EXPECT_EQ(Entries(Data()), (std::set<std::string>{"autosave.sdk", "options.cfg"}));
}

// A data folder on a disk with no room left (a tmpfs of two pages, filled by the files of the
// last session): nothing can be written, each file is named, and neither old file is cut.
TEST_F(E2E, ADataFolderOnAFullDiskIsNamedAndKeepsItsFiles) {
    fs::create_directories(Data());
    if (mount("tmpfs", Data().c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=8k,mode=0755") != 0) {
        GTEST_SKIP() << "cannot mount a small tmpfs here (" << std::strerror(errno)
                     << "): the full disk is tried where mounting is allowed (as root)";
    }
    struct SUnmount {
        fs::path at;
        ~SUnmount() { umount2(at.c_str(), MNT_DETACH); }
    } unmount{Data()};
    WriteOldFiles(*this, work.Path());
    struct statvfs disk {};
    ASSERT_EQ(statvfs(Data().c_str(), &disk), 0);
    ASSERT_EQ(disk.f_bavail, 0U) << "the two files should fill the disk";

    const SRun run = Script("hostile");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("cannot write data/autosave.sdk: No space left on device"),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("cannot write data/options.cfg: No space left on device"),
              std::string::npos)
        << run.err;
    ExpectUnchanged(work.Path(), "autosave.sdk", "old.sdk");
    ExpectUnchanged(work.Path(), "options.cfg", "old.cfg");
    EXPECT_EQ(Entries(Data()), (std::set<std::string>{"autosave.sdk", "options.cfg"}));
}

}  // namespace
}  // namespace e2e
