#include <gtest/gtest.h>

#include <vector>

#include "platform/FileSystem.h"
#include "storage/TFile.h"
#include "support/TempDir.h"

namespace {
std::vector<std::string> ReadAllLines(const std::string& path, std::size_t size) {
    TFile file;
    std::vector<std::string> lines;
    if (!file.Open(path, TFile::Access::Read, TFile::Disposition::OpenExisting)) return {"<open failed>"};
    std::vector<char> buffer(size);
    while (file.ReadLine(buffer.data(), size)) lines.emplace_back(buffer.data());
    EXPECT_TRUE(file.Failed);  // set by the read at the end
    return lines;
}
}  // namespace

TEST(TFile, ReadLineConsumesAtMostTwoLineEndBytes) {
    struct Case {
        const char* what;
        std::string bytes;
        std::size_t size;
        std::vector<std::string> lines;
    } cases[] = {
        {"CR LF then CR LF", "ab\r\n\r\ncd", 1025, {"ab", "", "cd"}},
        {"three LF", "cd\n\n\nef", 1025, {"cd", "", "ef"}},
        {"LF CR and CR", "a\n\rb\rc\r", 1025, {"a", "b", "c"}},
        {"cut by the buffer", "abcdefgh\n", 5, {"abcd", "efgh", ""}},
        {"cut right before the line end", "abcd\r\nx", 5, {"abcd", "", "x"}},
        {"1500 bytes", std::string(1500, 'q') + "\n", 1025, {std::string(1024, 'q'), std::string(476, 'q')}},
        {"empty file", "", 1025, {}},
    };
    for (const auto& c : cases) {
        TempDir dir;
        TempDir::WriteFile(dir / "f", c.bytes);
        EXPECT_EQ(ReadAllLines(fs1251::ModelPath(dir / "f"), c.size), c.lines) << c.what;
    }
}

TEST(TFile, OperationsWithoutAnOpenFile) {
    TFile file;
    char buffer[8];
    EXPECT_FALSE(file.Close());
    EXPECT_FALSE(file.ReadLine(buffer, sizeof buffer));
    EXPECT_EQ(file.Position(), 0);
    EXPECT_FALSE(file.Failed);  // those three leave it alone
    EXPECT_FALSE(file.Write("x", 1));
    EXPECT_TRUE(file.Failed);
    file.Failed = false;
    EXPECT_FALSE(file.Seek(0, TFile::Origin::Begin));
    EXPECT_TRUE(file.Failed);
}

TEST(TFile, WriteSeekAndSecondOpen) {
    TempDir dir;
    std::string path = fs1251::ModelPath(dir / "f");
    TFile file;
    ASSERT_TRUE(file.Open(path, TFile::Access::ReadWrite, TFile::Disposition::CreateAlways));
    EXPECT_FALSE(file.Open(path, TFile::Access::Read, TFile::Disposition::OpenExisting));
    EXPECT_TRUE(file.IsOpen());
    EXPECT_TRUE(file.Write("hello", 5));
    EXPECT_EQ(file.BytesWritten, 5u);
    EXPECT_FALSE(file.Write(nullptr, 1));
    EXPECT_EQ(file.Position(), 5);
    EXPECT_TRUE(file.Seek(1, TFile::Origin::Begin));
    std::string rest;
    EXPECT_TRUE(file.ReadToEnd(rest));
    EXPECT_EQ(rest, "ello");
    EXPECT_TRUE(file.Close());

    TFile missing;
    EXPECT_FALSE(missing.Open(path + "x", TFile::Access::Read, TFile::Disposition::OpenExisting));
    EXPECT_TRUE(missing.Failed);
    EXPECT_NE(missing.LastError, 0);
}

TEST(TFile, FullDiskMakesWriteFail) {
    TempDir dir;
    TFile file;
    ASSERT_TRUE(
        file.Open(fs1251::ModelPath(dir / "f"), TFile::Access::Write, TFile::Disposition::CreateAlways));
    fs1251::SetWriteFaultAfter(2);
    bool written = file.Write("abcdef", 6);
    fs1251::SetWriteFaultAfter(-1);
    EXPECT_FALSE(written);
    EXPECT_TRUE(file.Failed);
    EXPECT_NE(file.LastError, 0);
}
