#include "platform/Cp1251.h"
#include "platform/FileSystem.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

TEST(FileSystem, CyrillicNamesAreUtf8OnDisk) {
    TempDir dir;
    std::string folder = fs1251::ModelPath(dir.Path()) + "/" + std::string("Дом 1"_w);
    EXPECT_TRUE(fs1251::CreateDir(folder));
    EXPECT_FALSE(fs1251::CreateDir(folder));  // exists already
    EXPECT_TRUE(std::filesystem::is_directory(dir / "Дом 1"));
}

TEST(FileSystem, AtomicWriteReplacesAndKeepsMode) {
    TempDir dir;
    std::string path = fs1251::ModelPath(dir / "a.txt");
    std::string error;
    ASSERT_TRUE(fs1251::WriteFileAtomic(path, "one", error, 0600));
    EXPECT_EQ((std::filesystem::status(dir / "a.txt").permissions() & std::filesystem::perms::all),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    ASSERT_TRUE(fs1251::WriteFileAtomic(path, "two", error));
    std::string bytes;
    ASSERT_TRUE(fs1251::ReadWholeFile(path, bytes, error));
    EXPECT_EQ(bytes, "two");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);  // no temporary left
}

TEST(FileSystem, FailedWriteKeepsTheOldFile) {
    TempDir dir;
    std::string path = fs1251::ModelPath(dir / "a.txt");
    std::string error;
    ASSERT_TRUE(fs1251::WriteFileAtomic(path, "old", error));

    fs1251::SetWriteFaultAfter(2);
    EXPECT_FALSE(fs1251::WriteFileAtomic(path, "new bytes", error));
    fs1251::SetWriteFaultAfter(-1);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(TempDir::ReadFile(dir / "a.txt"), "old");

    ::chmod((dir / "a.txt").c_str(), 0444);  // read-only: not replaced, even for root
    EXPECT_TRUE(fs1251::IsReadOnly(path));
    EXPECT_FALSE(fs1251::WriteFileAtomic(path, "new", error));
    EXPECT_EQ(TempDir::ReadFile(dir / "a.txt"), "old");

    std::filesystem::create_directory(dir / "folder");
    EXPECT_FALSE(fs1251::WriteFileAtomic(fs1251::ModelPath(dir / "folder"), "x", error));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 2);
}
