// Every writer and reader of files against every kind of target a path can lead to: a file,
// links, device nodes, a FIFO, a socket, a folder, files the user may not write or read. And
// autosave.sdk and options.cfg as each of them, from start-up to the save at the end.
#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <functional>

#include "engine/ByteIO.h"
#include "game/GameFiles.h"
#include "game/OptionsFile.h"
#include "platform/DataManager.h"
#include "platform/PngWriter.h"
#include "platform/ScriptedShell.h"
#include "tests/support/BoardBuilder.h"
#include "tests/support/TempDir.h"

namespace {

namespace fs = std::filesystem;
using fileio::ReadStatus;
using testsupport::TempDir;

enum class Target {
    kMissing,
    kFile,
    kLink,
    kDangling,
    kNull,
    kFull,
    kFifo,
    kSocket,
    kFolder,
    kReadOnly,
    kNoAccess
};

struct SRow {
    const char* name;
    Target target;
    const char* write;  // "" when writing succeeds, else part of the reason
    ReadStatus read;
    const char* readWhy;
};

// kFile has mode 640 (and, as root, another owner); kLink leads to sub/real, kDangling to
// sub/none; kNull and kFull are device nodes of /dev/null's and /dev/full's numbers; nobody
// reads or writes the FIFO; kReadOnly may be read but not written, kNoAccess neither.
const SRow kRows[] = {
    {"missing", Target::kMissing, "", ReadStatus::kMissing, "No such file"},
    {"file", Target::kFile, "", ReadStatus::kRead, ""},
    {"link", Target::kLink, "", ReadStatus::kRead, ""},
    {"dangling", Target::kDangling, "", ReadStatus::kMissing, "No such file"},
    {"null", Target::kNull, "", ReadStatus::kNotAFile, "it is a device, not a file"},
    {"full", Target::kFull, "No space left", ReadStatus::kNotAFile, "device"},
    {"fifo", Target::kFifo, "no program is reading", ReadStatus::kNotAFile, "pipe (FIFO)"},
    {"socket", Target::kSocket, "socket", ReadStatus::kNotAFile, "socket"},
    {"folder", Target::kFolder, "folder", ReadStatus::kNotAFile, "folder"},
    {"readonly", Target::kReadOnly, "you may not write it", ReadStatus::kRead, ""},
    {"noaccess", Target::kNoAccess, "you may not write it", ReadStatus::kFailed, "Permission"},
};

void PrintTo(const SRow& row, std::ostream* os) {
    *os << row.name;
}

constexpr uid_t kNobody = 65534;

// Makes the row's target `name` in the folder, holding `old` where there is a file; nullopt
// with the reason when the machine does not allow it (device nodes need root).
std::optional<fs::path> MakeTarget(const TempDir& dir, Target target,
                                   const std::vector<uint8_t>& old, const std::string& name,
                                   std::string& skip) {
    const fs::path path = dir / name;
    fs::create_directory(dir / "sub");
    const bool root = ::geteuid() == 0;
    int made = 0;
    switch (target) {
        case Target::kMissing:
            break;
        case Target::kLink:
            dir.Write("sub/real", old);
            [[fallthrough]];
        case Target::kDangling:
            fs::create_symlink(target == Target::kLink ? "sub/real" : "sub/none", path);
            break;
        case Target::kNull:
        case Target::kFull:
            made =
                ::mknod(path.c_str(), S_IFCHR | 0666, makedev(1, target == Target::kNull ? 3 : 7));
            skip = made != 0 ? "mknod is not permitted here" : "";
            break;
        case Target::kFifo:
            made = ::mkfifo(path.c_str(), 0666);
            break;
        case Target::kSocket: {
            sockaddr_un address{};
            address.sun_family = AF_UNIX;
            std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
            const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
            made = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
            ::close(fd);
            break;
        }
        case Target::kFolder:
            fs::create_directory(path);
            break;
        case Target::kFile:
        case Target::kReadOnly:
        case Target::kNoAccess:
            dir.Write(name, old);
            made = ::chmod(path.c_str(), target == Target::kFile       ? 0640
                                         : target == Target::kNoAccess ? 0
                                         : root                        ? 0644
                                                                       : 0444);
            if (target == Target::kFile && root) {
                made = ::chown(path.c_str(), kNobody, kNobody);
            }
            break;
    }
    if (made != 0 && skip.empty()) {
        skip = "cannot make the target: " + std::string(std::strerror(errno));
    }
    return made == 0 ? std::optional(path) : std::nullopt;
}

// Runs `what` where file permissions bind: as root, in a child process that becomes nobody,
// with the folder opened to everyone. An alarm turns a hang into a failure.
std::string RunAs(const TempDir& dir, Target target, const std::function<std::string()>& what) {
    ::alarm(20);
    if (::geteuid() != 0 || (target != Target::kReadOnly && target != Target::kNoAccess)) {
        std::string result = what();
        ::alarm(0);
        return result;
    }
    ::chmod(dir.Path().c_str(), 0777);
    int fds[2];
    EXPECT_EQ(::pipe(fds), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        std::string result = "cannot become nobody";
        if (::setgroups(0, nullptr) == 0 && ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0) {
            result = what();
        }
        ::_exit(::write(fds[1], result.data(), result.size()) < 0 ? 1 : 0);
    }
    ::close(fds[1]);
    std::string result;
    char buffer[512];
    for (ssize_t n = 0; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;) {
        result.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fds[0]);
    ::waitpid(child, nullptr, 0);
    ::alarm(0);
    return result;
}

class FileTargetTest : public ::testing::TestWithParam<SRow> {
protected:
    void SetUp() override { board.SetGrid(testsupport::GridFrom("123")); }

    std::vector<uint8_t> Record() const {
        CBoard::StateRecord record{};
        board.SaveState(record);
        return {record.begin(), record.end()};
    }
    std::vector<uint8_t> OptionsImage() const {
        const COptions::Image image = options.ToImage();
        return {image.begin(), image.end()};
    }
    // A 1 x 1 bitmap of 24 bits, the colour (7, 8, 9).
    static std::vector<uint8_t> Bmp() {
        std::vector<uint8_t> b(58, 0);
        b[0] = 'B';
        b[1] = 'M';
        for (const auto& [at, value] : {std::pair{2, 58}, {10, 54}, {14, 40}, {18, 1}, {22, 1}}) {
            byteio::Put32(&b[static_cast<std::size_t>(at)], value);
        }
        b[26] = 1;
        b[28] = 24;
        b[54] = 9;
        b[55] = 8;
        b[56] = 7;
        return b;
    }

    CRandom random{1};
    COptions options;
    CBoard board{random, options};
};

TEST_P(FileTargetTest, WritersFollowLinksWriteDevicesInPlaceKeepModesAndRefuseTheRest) {
    const SRow& row = GetParam();
    const Bitmap picture(1, 1, Rgb(7, 8, 9));
    const struct {
        const char* name;
        std::vector<uint8_t> bytes;
        std::function<bool(const fs::path&, std::string*)> write;
    } writers[] = {
        {"WriteFile",
         {'n', 'e', 'w'},
         [](const auto& path, std::string* why) {
             return fileio::WriteFile(path, std::vector<uint8_t>{'n', 'e', 'w'}, why);
         }},
        {"savefile::Write", Record(),
         [&](const auto& path, std::string* why) { return savefile::Write(path, board, why); }},
        {"WritePng", EncodePng(picture),
         [&](const auto& path, std::string* why) { return WritePng(path, picture, why); }},
    };
    for (const auto& writer : writers) {
        SCOPED_TRACE(writer.name);
        TempDir dir;
        std::string skip;
        const std::vector<uint8_t> old = {'o', 'l', 'd'};
        const auto path = MakeTarget(dir, row.target, old, "target", skip);
        if (!path) {
            GTEST_SKIP() << skip;
        }
        struct stat before {};
        ::lstat(path->c_str(), &before);
        const std::string outcome = RunAs(dir, row.target, [&] {
            std::string why;
            return writer.write(*path, &why) ? "written" : "refused: " + why;
        });
        EXPECT_EQ(outcome.rfind(*row.write != 0 ? "refused: " : "written", 0), 0U) << outcome;
        EXPECT_NE(outcome.find(row.write), std::string::npos) << outcome;
        // The same kind of thing stands at the path: a link stays a link, a device a device.
        struct stat after {};
        ASSERT_EQ(::lstat(path->c_str(), &after), 0);
        EXPECT_EQ(after.st_mode & S_IFMT,
                  row.target == Target::kMissing ? S_IFREG : before.st_mode & S_IFMT);
        const auto file = fs::status(*path);
        if (fs::is_regular_file(file)) {
            EXPECT_EQ(fileio::ReadFile(*path, 1 << 20), *row.write != 0 ? old : writer.bytes);
        }
        if (row.target == Target::kFile) {
            EXPECT_EQ(after.st_mode & 07777, 0640U);
            EXPECT_EQ(after.st_uid, before.st_uid);
            EXPECT_EQ(after.st_gid, before.st_gid);
        }
        for (const auto& entry : fs::recursive_directory_iterator(dir.Path())) {
            EXPECT_NE(entry.path().filename().string()[0], '.') << "left: " << entry.path();
        }
    }
}

TEST_P(FileTargetTest, ReadersTakeRegularFilesOnlyAndNeverWait) {
    const SRow& row = GetParam();
    // Each reader gives the status and the reason; those that only say whether they read give
    // kFailed for anything else.
    const auto status = [](bool ok) { return ok ? ReadStatus::kRead : ReadStatus::kFailed; };
    const struct {
        const char* name;
        std::vector<uint8_t> old;  // a file the reader takes
        bool exact;
        std::function<fileio::SRead(const fs::path&)> read;
    } readers[] = {
        {"ReadRegularFile", Bmp(), true,
         [](const auto& path) { return fileio::ReadRegularFile(path, 100); }},
        {"CheckRegularFile", Bmp(), false,
         [&](const auto& path) {
             fileio::SRead r;
             r.status = status(fileio::CheckRegularFile(path, &r.why));
             return r;
         }},
        {"LoadBitmapFile", Bmp(), false,
         [&](const auto& path) {
             ScriptedShell shell;
             Bitmap bmp;
             fileio::SRead r;
             r.status = status(DataManager(path.parent_path(), path.parent_path(), shell)
                                   .LoadBitmapFile("target", bmp, &r.why) &&
                               bmp.At(0, 0) == Rgb(7, 8, 9));
             return r;
         }},
        {"savefile::Read", Record(), true,
         [&](const auto& path) {
             const savefile::SLoadResult r = savefile::Read(path, board);
             using savefile::LoadStatus;
             return fileio::SRead{r.Loaded()                        ? ReadStatus::kRead
                                  : r.status == LoadStatus::kNoFile ? ReadStatus::kMissing
                                  : r.readFailed                    ? ReadStatus::kFailed
                                                                    : ReadStatus::kNotAFile,
                                  {},
                                  r.reason};
         }},
        {"ReadOptionsFile", OptionsImage(), true,
         [&](const auto& path) {
             fileio::SRead r;
             ReadOptionsFile(path, options, &r.why, &r.status);
             return r;
         }},
    };
    for (const auto& reader : readers) {
        SCOPED_TRACE(reader.name);
        TempDir dir;
        std::string skip;
        const auto path = MakeTarget(dir, row.target, reader.old, "target", skip);
        if (!path) {
            GTEST_SKIP() << skip;
        }
        const std::string outcome = RunAs(dir, row.target, [&] {
            const fileio::SRead r = reader.read(*path);
            return std::to_string(static_cast<int>(r.status)) + " " + r.why;
        });
        const int expected = static_cast<int>(row.read);
        EXPECT_TRUE(reader.exact ? outcome[0] - '0' == expected
                                 : (outcome[0] == '0') == (expected == 0))
            << outcome;
        EXPECT_NE(outcome.find(row.readWhy), std::string::npos) << outcome;
    }
}

TEST_P(FileTargetTest, DataFilesSayWhyAtStartUpAndAreNeverWrittenOverWhenUnreadable) {
    const SRow& row = GetParam();
    const bool unreadable = row.read == ReadStatus::kNotAFile || row.read == ReadStatus::kFailed;
    const struct {
        const char* name;
        std::vector<uint8_t> bytes;  // a file that loads, and what the end writes
        std::function<bool(DataManager&, std::string*)> load;
        std::function<bool(DataManager&, std::string*)> save;
    } files[] = {
        {gamefiles::kAutosave, Record(),
         [&](DataManager& dm, std::string* why) {
             const auto r = gamefiles::LoadGameFile(dm, board, gamefiles::kAutosave);
             *why = r.status == savefile::LoadStatus::kNoFile ? "no saved game" : r.reason;
             return r.Loaded();
         },
         [&](DataManager& dm, std::string* why) {
             return gamefiles::WriteGameFile(dm, board, gamefiles::kAutosave, why);
         }},
        {kOptionsFile, OptionsImage(),
         [&](DataManager& dm, std::string* why) { return LoadOptions(options, dm, why); },
         [&](DataManager& dm, std::string* why) { return SaveOptions(options, dm, why); }},
    };
    for (const auto& f : files) {
        SCOPED_TRACE(f.name);
        TempDir dir;
        std::string skip;
        const auto path = MakeTarget(dir, row.target, f.bytes, f.name, skip);
        if (!path) {
            GTEST_SKIP() << skip;
        }
        ::testing::internal::CaptureStderr();
        const std::string outcome = RunAs(dir, row.target, [&] {
            ScriptedShell shell;
            DataManager dm(dir.Path(), dir.Path(), shell);
            std::string loadWhy;
            std::string saveWhy;
            const bool loaded = f.load(dm, &loadWhy);
            const bool saved = f.save(dm, &saveWhy);
            return std::string(loaded ? "loaded" : "not loaded") + " (" + loadWhy + ") " +
                   (saved ? "saved" : "not saved") + " (" + saveWhy + ")";
        });
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");  // the caller says it
        // A missing options.cfg gives the defaults without a word; a missing autosave is no
        // saved game.
        const bool missingOptions = row.read == ReadStatus::kMissing && f.name == kOptionsFile;
        EXPECT_NE(outcome.find(row.read == ReadStatus::kRead || missingOptions ? "loaded ()"
                               : row.read == ReadStatus::kMissing              ? "(no saved game)"
                                                                               : row.readWhy),
                  std::string::npos)
            << outcome;
        EXPECT_NE(outcome.find(unreadable        ? "not written: it could not be read at start-up"
                               : *row.write != 0 ? row.write
                                                 : "saved ()"),
                  std::string::npos)
            << outcome;
        // What stands there stays (nothing is created in a folder's place); a link stays a
        // link, and the file it leads to is written, created when it was missing.
        EXPECT_EQ(fs::is_regular_file(fs::status(*path)),
                  !unreadable || row.target == Target::kNoAccess);
        EXPECT_EQ(fs::is_symlink(*path),
                  row.target == Target::kLink || row.target == Target::kDangling);
    }
}

INSTANTIATE_TEST_SUITE_P(Targets, FileTargetTest, ::testing::ValuesIn(kRows),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
