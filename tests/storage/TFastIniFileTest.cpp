#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "IniTestSupport.h"
#include "platform/Cp1251.h"

namespace {

mode_t ModeOf(const std::string& nativePath) {
    struct stat st {};
    ::stat(nativePath.c_str(), &st);
    return st.st_mode & 07777;
}

}  // namespace

TEST(TFastIniFile, LinesAreReadByTheFileRules) {
    struct Case {
        const char* what;
        std::string bytes;
        const char* picture;
    } cases[] = {
        {"blanks around a header", "  [Main]  \r\na=1\r\n", "[Main]|a=1|"},
        {"text after the header", "[Main] tail\na=1\n", "[Main]|a=1|"},
        {"blanks inside brackets stay", "[ Main ]\na=1\n", "[ Main ]|a=1|"},
        {"empty brackets keep the section", "[A]\n[]\na=1\n", "[A]|a=1|"},
        {"unclosed bracket keeps the section", "[A]\n[Main\na=1\n", "[A]|a=1|"},
        {"first ] closes", "[[a]\nx=1\n", "[[a]|x=1|"},
        {"blanks around =", "[S]\nKey = Value  \n", "[S]|Key= Value|"},
        {"empty value", "[S]\nKey=\n", "[S]|Key=|"},
        {"no key, no =, blanks only", "[S]\n=x\nx\n  \n   =y\n", "[S]|"},
        {"second = is part of the value", "[S]\na=b=c\n", "[S]|a=b=c|"},
        {"value of blanks keeps one", "[S]\nk=   \n", "[S]|k= |"},
        {"leading blanks before a key", "[S]\n   k  =v\n", "[S]|k=v|"},
        {"a tab is an ordinary byte", "[S]\n\tk=v\t\n", "[S]|\tk=v\t|"},
        {"no comment syntax", "[S]\n;key=value\n; note\n#x=1\n", "[S]|;key=value|#x=1|"},
        {"entries before the first section", "a=1\nb=2\n[S]\nc=3\n", "[S]|c=3|"},
        {"LF", "[S]\na=1\nb=2\n", "[S]|a=1|b=2|"},
        {"CR LF", "[S]\r\na=1\r\nb=2\r\n", "[S]|a=1|b=2|"},
        {"CR", "[S]\ra=1\rb=2\r", "[S]|a=1|b=2|"},
        {"LF CR", "[S]\n\ra=1\n\rb=2\n\r", "[S]|a=1|b=2|"},
        {"runs of blank lines", "[S]\n\n\n\n\r\r\r\na=1\n\n\n", "[S]|a=1|"},
        {"last line without a line end", "[S]\na=1", "[S]|a=1|"},
        {"a zero byte ends the line's text", std::string("[S]\na=1\0junk\nb=2\n", 17), "[S]|a=1|b=2|"},
        {"CR inside a line splits it", "[S]\na=1\rb=2\n", "[S]|a=1|b=2|"},
        {"duplicate sections and keys survive", "[A]\nx=1\nx=2\n[a]\nx=3\n", "[A]|x=1|x=2|[a]|x=3|"},
        {"empty file", "", ""},
    };
    for (const auto& c : cases) {
        TempDir dir;
        auto ini = LoadBytes(dir, c.bytes);
        EXPECT_FALSE(ini->Failed) << c.what;
        EXPECT_FALSE(ini->Modified) << c.what;
        EXPECT_EQ(Picture(*ini), c.picture) << c.what;
    }
}

TEST(TFastIniFile, ByteOrderMarkHidesTheFirstHeader) {
    TempDir dir;
    auto ini = LoadBytes(dir, Fixture("bom_before_first_header.ini"));
    EXPECT_EQ(Picture(*ini), "[Second]|kept=2|");
}

TEST(TFastIniFile, LongLineIsCutAfter1024Bytes) {
    // 1500 bytes: the cut falls so that the rest forms an entry of its own.
    std::string line = "a=" + std::string(1022, 'x') + "b=" + std::string(474, 'y');
    ASSERT_EQ(line.size(), 1500u);
    TempDir dir;
    auto ini = LoadBytes(dir, "[S]\r\n" + line + "\r\nc=1\r\n");
    EXPECT_EQ(ini->ReadString("S", "a", "?"), std::string(1022, 'x'));
    EXPECT_EQ(ini->ReadString("S", "b", "?"), std::string(474, 'y'));
    EXPECT_EQ(ini->ReadString("S", "c", "?"), "1");
}

TEST(TFastIniFile, FirstMatchWinsForSectionsAndKeys) {
    TempDir dir;
    auto ini = LoadBytes(dir, Fixture("duplicate_sections_and_keys.ini"));
    EXPECT_EQ(ini->SectionCount(), 3);
    EXPECT_EQ(ini->ReadString("a", "X", ""), "1");
    ini->WriteString("A", "x", "9");
    EXPECT_EQ(Picture(*ini), "[A]|x=9|x=2|[B]|y=3|[a]|x=4|");

    // Erasing the first one makes the later one of that name the first.
    ini->EraseSection("A");
    EXPECT_EQ(ini->ReadString("A", "x", ""), "4");
    ini->EraseSection("a");
    EXPECT_FALSE(ini->SectionExists("A"));
    ini->AddSection("A")->WriteString("x", "5");
    EXPECT_EQ(ini->ReadString("a", "x", ""), "5");
    EXPECT_EQ(Picture(*ini), "[B]|y=3|[A]|x=5|");
}

TEST(TFastIniFile, NamesIgnoreOnlyLatinCase) {
    TempDir dir;
    std::string cyr = std::string("[Окно]\nШирина=1\nWidth=2\n"_w);
    auto ini = LoadBytes(dir, cyr);
    EXPECT_EQ(ini->ReadString(std::string("Окно"_w), "WIDTH", ""), "2");
    EXPECT_EQ(ini->ReadString(std::string("ОКНО"_w), "Width", "none"), "none");
    EXPECT_EQ(ini->ReadString(std::string("Окно"_w), std::string("ШИРИНА"_w), "none"), "none");
    EXPECT_EQ(ini->ReadString(std::string("Окно"_w), std::string("Ширина"_w), "none"), "1");
}

TEST(TFastIniFile, ReadIntegerFollowsAtolAndDefaultsOnlyWhenMissing) {
    TempDir dir;
    auto ini = LoadBytes(dir, "[S]\na=12abc\nb=abc\nc=\nd= -7\ne=4294967297\n");
    struct Case {
        const char* section;
        const char* key;
        int value;
    } cases[] = {
        {"S", "a", 12}, {"S", "b", 0},        {"S", "c", 0},        {"S", "d", -7},
        {"S", "e", 1},  {"S", "missing", 99}, {"Missing", "a", 99},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ini->ReadInteger(c.section, c.key, 99), c.value) << c.section << "/" << c.key;
    EXPECT_EQ(ini->ReadString("S", "c", "def"), "");
    EXPECT_EQ(ini->ReadString("S", "missing", "def"), "def");
}

TEST(TFastIniFile, WritesSetModifiedAndWriteDecimal) {
    TFastIniFile ini("unused", true);
    ini.WriteInteger("S", "a", -5);
    EXPECT_TRUE(ini.Modified);
    ini.WriteInteger("S", "b", 0);
    ini.WriteInteger("S", "c", -2147483647 - 1);
    ini.CurrentSection = "T";
    ini.WriteString("k", "v");
    ini.WriteInteger("n", 7);
    EXPECT_EQ(ini.ReadString("k", ""), "v");
    EXPECT_EQ(ini.ReadInteger("n", 0), 7);
    EXPECT_EQ(Picture(ini), "[S]|a=-5|b=0|c=-2147483648|[T]|k=v|n=7|");
    ini.Modified = false;  // nothing is saved for this file name
}

TEST(TFastIniFile, EmptySectionNameMeansNonamed) {
    TFastIniFile ini("unused", true);
    ini.WriteString("", "k", "v");
    EXPECT_EQ(ini.ReadString("NONAMED", "k", ""), "v");
    EXPECT_EQ(ini.ReadString("", "k", ""), "v");
    EXPECT_EQ(ini.AddSection("")->Name(), "NONAMED");

    ini.Modified = false;
    ini.EraseSection("Missing");
    EXPECT_FALSE(ini.Modified);
    ini.EraseSection("");
    EXPECT_TRUE(ini.Modified);
    EXPECT_EQ(Picture(ini), "[NONAMED]|");  // the second, added one
    ini.Modified = false;
}

TEST(TFastIniFile, UntouchedFileStaysByteForByte) {
    TempDir dir;
    std::string original = Fixture("comments_blank_lines_and_spaces.ini");
    {
        auto ini = LoadBytes(dir, original);
        EXPECT_EQ(ini->ReadInteger("Main", "Width", 0), 640);
        EXPECT_EQ(ini->ReadString("Skin", "Name", ""), "Fusion");
    }
    EXPECT_EQ(TempDir::ReadFile(dir / "test.ini"), original);
}

TEST(TFastIniFile, OneWriteRewritesTheWholeFileWithCrLf) {
    TempDir dir;
    {
        auto ini = LoadBytes(dir, Fixture("comments_blank_lines_and_spaces.ini"));
        ini->WriteInteger("Main", "Height", 480);  // the same value still counts as a change
    }
    EXPECT_EQ(TempDir::ReadFile(dir / "test.ini"),
              "[Main]\r\nWidth= 640\r\nHeight=480\r\n[Skin]\r\nName=Fusion\r\n");
}

TEST(TFastIniFile, MissingFileIsCreatedEmptyForTheOwnerOnly) {
    TempDir dir;
    {
        TFastIniFile ini(fs1251::ModelPath(dir / "new.ini"));
        EXPECT_FALSE(ini.Failed);
        EXPECT_EQ(ini.SectionCount(), 0);
    }
    ASSERT_TRUE(std::filesystem::exists(dir / "new.ini"));
    EXPECT_EQ(std::filesystem::file_size(dir / "new.ini"), 0u);
    EXPECT_EQ(ModeOf(dir / "new.ini") & 077, 0u);

    {
        TFastIniFile ini(fs1251::ModelPath(dir / "saved.ini"), true);
        ini.WriteString("Login", "k", "secret");
    }
    EXPECT_EQ(ModeOf(dir / "saved.ini"), 0600u);
}

TEST(TFastIniFile, ReadOnlyFileIsKeptAndSaveFails) {
    TempDir dir;
    std::string original = "[S]\r\n; keep me\r\na=1\r\n";
    auto ini = LoadBytes(dir, original);
    ::chmod((dir / "test.ini").c_str(), 0444);
    ini->WriteString("S", "a", "2");
    EXPECT_FALSE(ini->Save());
    EXPECT_TRUE(ini->Failed);
    EXPECT_TRUE(ini->Modified);
    ini.reset();  // the save at destruction fails the same way
    EXPECT_EQ(TempDir::ReadFile(dir / "test.ini"), original);
    EXPECT_EQ(ModeOf(dir / "test.ini"), 0444u);
}

TEST(TFastIniFile, FailedWriteKeepsThePreviousFile) {
    TempDir dir;
    std::string original = "[S]\r\na=1\r\n";
    auto ini = LoadBytes(dir, original);
    ini->WriteString("S", "b", std::string(100, 'z'));
    fs1251::SetWriteFaultAfter(10);
    bool saved = ini->Save();
    fs1251::SetWriteFaultAfter(-1);
    EXPECT_FALSE(saved);
    EXPECT_TRUE(ini->Failed);
    EXPECT_EQ(TempDir::ReadFile(dir / "test.ini"), original);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);  // no temporary left

    EXPECT_TRUE(ini->Save());  // once the disk has room again
    EXPECT_FALSE(ini->Modified);
    EXPECT_EQ(TempDir::ReadFile(dir / "test.ini"), "[S]\r\na=1\r\nb=" + std::string(100, 'z') + "\r\n");
}

TEST(TFastIniFile, UnreadableFileGivesAnEmptyDocumentThatStillWorks) {
    TempDir dir;
    TFastIniFile ini(fs1251::ModelPath(dir / "no such folder/x.ini"));
    EXPECT_TRUE(ini.Failed);
    EXPECT_EQ(ini.ReadInteger("S", "a", 5), 5);
    ini.WriteInteger("S", "a", 6);
    EXPECT_EQ(ini.ReadInteger("S", "a", 5), 6);
    EXPECT_FALSE(ini.Save());
    ini.Modified = false;

    // A folder in place of the file cannot be read either.
    std::filesystem::create_directory(dir / "folder.ini");
    TFastIniFile folder(fs1251::ModelPath(dir / "folder.ini"));
    EXPECT_TRUE(folder.Failed);
    EXPECT_EQ(folder.SectionCount(), 0);
}

TEST(TFastIniFile, BadInputNeverCrashes) {
    TempDir dir;
    auto binary = LoadBytes(dir, Fixture("binary_garbage.ini"));
    EXPECT_FALSE(binary->Failed);
    EXPECT_EQ(binary->ReadString("OBJECT0", "Name", ""), "x");
    // What it holds saves and loads back to the same document.
    ASSERT_TRUE(binary->Save());
    std::string once = binary->Serialize();
    TFastIniFile again(binary->FileName);
    EXPECT_EQ(again.Serialize(), once);

    // 20 MB without a single line end: cut into 1024-byte lines, none an entry.
    auto noEnds = LoadBytes(dir, "[S]" + std::string(20 << 20, 'x'), "flat.ini");
    EXPECT_EQ(Picture(*noEnds), "[S]|");

    // 20 MB of ordinary lines.
    std::string many;
    many.reserve(21 << 20);
    const std::string filler(1000, 'v');
    for (int i = 0; many.size() < (20u << 20); ++i) {
        if (i % 100 == 0) many += "[S" + std::to_string(i / 100) + "]\r\n";
        many += "k" + std::to_string(i) + "=" + filler + "\r\n";
    }
    auto big = LoadBytes(dir, many, "big.ini");
    EXPECT_FALSE(big->Failed);
    EXPECT_EQ(big->ReadString("S5", "k550", ""), filler);
    EXPECT_EQ(big->ReadString("s200", "K20000", ""), filler);
}
