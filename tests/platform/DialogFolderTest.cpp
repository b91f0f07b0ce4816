// Where the Load and Save file dialogs start: the documents or home folder, then the folder of
// the last file chosen while it is there.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/DialogFolder.h"
#include "tests/support/TempDir.h"

namespace {

namespace fs = std::filesystem;

TEST(DialogFolder, FirstChoiceThenTheFolderOfTheLastFile) {
    const testsupport::TempDir dir;
    fs::create_directories(dir / "home");
    fs::create_directories(dir / "games" / "old");
    dir.Write("documents", std::string("a file, not a folder"));

    CDialogFolder folder({dir / "missing", dir / "documents", dir / "home"});
    EXPECT_EQ(folder.Start(), dir / "home");
    folder.Remember(dir / "games" / "old" / "a.sdk");  // a file not made yet is enough
    EXPECT_EQ(folder.Start(), dir / "games" / "old");
    folder.Remember(dir / "games" / "b.sdk");
    EXPECT_EQ(folder.Start(), dir / "games");
    fs::remove_all(dir / "games");
    EXPECT_EQ(folder.Start(), dir / "home") << "a folder removed since is not offered";
    const fs::path here = fs::current_path();
    folder.Remember("relative.sdk");
    EXPECT_EQ(folder.Start(), here);

    EXPECT_EQ(CDialogFolder({dir / "missing"}).Start(), fs::path());
}

}  // namespace
