// Writes to a descriptor of the process named by path (/dev/stdout, /dev/fd/N, a link to
// one): they go to the descriptor itself, and nothing is replaced. The other kinds of target
// are in tests/game/FileTargetsTest.cpp, against every writer and reader.
#include <gtest/gtest.h>
#include <unistd.h>

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

}  // namespace
