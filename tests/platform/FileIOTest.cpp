// Writes to a descriptor of the process named by path (/dev/stdout, /dev/fd/N, a link to
// one): they go to the descriptor itself, and nothing is replaced; files with names as long
// as the file system allows. The other kinds of target are in tests/game/FileTargetsTest.cpp,
// against every writer and reader.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/FileIO.h"
#include "tests/support/TempDir.h"

namespace {

TEST(FileDescriptorNames, WriteToTheDescriptorItself) {
    testsupport::TempDir dir;
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    const std::string n = std::to_string(fds[1]);
    std::filesystem::create_symlink("/proc/self/fd/" + n, dir / "link");
    std::string why;
    for (const std::string& name :
         {"/dev/fd/" + n, "/proc/self/fd/" + n, "/dev/fd/./" + n, (dir / "link").string()}) {
        EXPECT_TRUE(fileio::WriteFile(name, std::vector<uint8_t>{'a', 'b'}, &why)) << why;
    }
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link"));
    ::close(fds[1]);
    char got[16] = {};
    EXPECT_EQ(::read(fds[0], got, sizeof got), 8);
    EXPECT_EQ(std::string(got), "abababab");
    ::close(fds[0]);
    EXPECT_FALSE(fileio::WriteFile("/dev/fd/" + n, std::vector<uint8_t>{1}, &why));
    EXPECT_EQ(why, "descriptor " + n + " is not open");
}

TEST(LongFileNames, AreWrittenAndReplacedWithoutATemporaryLeftBehind) {
    std::string chinese;
    for (int i = 0; i < 85; ++i) {
        chinese += "汉";  // three bytes each: 255 in all
    }
    const std::string names[] = {"a",
                                 std::string(200, 'b'),
                                 std::string(255, 'c'),
                                 std::string(253, 'd') + "\xC3\xA9",
                                 chinese,
                                 "x" + chinese.substr(0, 252)};
    for (const std::string& name : names) {
        testsupport::TempDir dir;
        std::string why;
        for (const uint8_t first : {uint8_t{1}, uint8_t{2}}) {
            EXPECT_TRUE(fileio::WriteFile(dir / name, std::vector<uint8_t>{first, 9}, &why))
                << name.size() << " bytes: " << why;
        }
        const auto bytes = fileio::ReadFile(dir / name, 16);
        ASSERT_TRUE(bytes) << name.size();
        EXPECT_EQ(*bytes, (std::vector<uint8_t>{2, 9}));
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                                std::filesystem::directory_iterator()),
                  1);
    }
}

}  // namespace
