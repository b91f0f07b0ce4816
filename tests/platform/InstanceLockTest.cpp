// CInstanceLock: one holder per data folder, released with its holder; folders that cannot be
// locked say why.
#include <gtest/gtest.h>

#include <memory>

#include "platform/InstanceLock.h"
#include "tests/support/TempDir.h"

namespace {

using testsupport::TempDir;
using EState = CInstanceLock::EState;

TEST(InstanceLock, OneHolderPerFolderUntilItGoes) {
    TempDir work;
    auto first = std::make_unique<CInstanceLock>();
    ASSERT_EQ(first->Take(work / "data" / "sudoku"), EState::kHeld);  // made on the way
    EXPECT_EQ(first->Take(work / "data" / "sudoku"), EState::kHeld);
    CInstanceLock second;
    EXPECT_EQ(second.Take(work / "data" / "sudoku"), EState::kInUse);
    EXPECT_EQ(second.Take(work / "data" / "." / "sudoku"), EState::kInUse);
    EXPECT_FALSE(second.Held());
    CInstanceLock other;
    EXPECT_EQ(other.Take(work / "data"), EState::kHeld);  // the folder above is another folder
    first.reset();
    EXPECT_EQ(second.Take(work / "data" / "sudoku"), EState::kHeld);
}

TEST(InstanceLock, AFolderThatCannotBeMadeSaysWhy) {
    TempDir work;
    work.Write("file", "the player's own");
    const struct {
        const char* folder;
        const char* why;
    } rows[] = {{"file", "Not a directory"}, {"file/data", "Not a directory"}};
    for (const auto& row : rows) {
        CInstanceLock lock;
        EXPECT_EQ(lock.Take(work / row.folder), EState::kImpossible) << row.folder;
        EXPECT_NE(lock.Why().find(row.why), std::string::npos) << row.folder << ": " << lock.Why();
    }
}

}  // namespace
