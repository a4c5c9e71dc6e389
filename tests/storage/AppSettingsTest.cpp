#include <gtest/gtest.h>

#include <filesystem>

#include "platform/FileSystem.h"
#include "storage/AppSettings.h"
#include "support/TempDir.h"

namespace {
std::string ProgramFolder() {
    std::string exe = fs1251::ProgramFilePath();
    return exe.substr(0, exe.rfind('/') + 1);
}
}  // namespace

TEST(AppSettings, ProgramBaseNameIsTheFileNameWithoutFolder) {
    EXPECT_EQ(ProgramBaseName(), "zoren_core_tests");
}

TEST(AppSettings, DataFolderLivesUnderTheDataHome) {
    TempDir home(true);
    std::string folder = MakeDataFolder("ZorEN_MQTT");
    EXPECT_EQ(folder, fs1251::ModelPath(home.Path()) + "/ZorEN_MQTT/");
    EXPECT_TRUE(std::filesystem::is_directory(home / "ZorEN_MQTT"));
    EXPECT_EQ(MakeDataFolder("ZorEN_MQTT"), folder);  // existing folder is fine
    EXPECT_EQ(MakeDataFolder(""), fs1251::ModelPath(home.Path()) + "/zoren_core_tests/");
}

TEST(AppSettings, MissingDataHomeIsCreated) {
    TempDir root;
    TempDir home(true);
    std::string nested = root / "a/b";
    ::setenv("XDG_DATA_HOME", nested.c_str(), 1);
    EXPECT_EQ(MakeDataFolder("ZorEN_MQTT"), fs1251::ModelPath(nested) + "/ZorEN_MQTT/");
    EXPECT_TRUE(std::filesystem::is_directory(nested + "/ZorEN_MQTT"));
}

TEST(AppSettings, UnusableDataHomeFallsBackToTheProgramFolder) {
    TempDir home(true);
    TempDir::WriteFile(home / "file", "not a folder");
    struct Case {
        const char* what;
        std::string dataHome;
    } cases[] = {
        {"data home is a file", home / "file"},
        {"data home under a file", home / "file/below"},
    };
    for (const auto& c : cases) {
        ::setenv("XDG_DATA_HOME", c.dataHome.c_str(), 1);
        EXPECT_EQ(MakeDataFolder("ZorEN_MQTT"), ProgramFolder()) << c.what;
    }
    // A file where the sub-folder should be.
    ::setenv("XDG_DATA_HOME", home.Path().c_str(), 1);
    TempDir::WriteFile(home / "ZorEN_MQTT", "");
    EXPECT_EQ(MakeDataFolder("ZorEN_MQTT"), ProgramFolder());
}

TEST(AppSettings, IniFileIsCreatedOpenedAndSavedOnClose) {
    TempDir home(true);
    std::string saved = DataFolder;
    DataFolder = MakeDataFolder("ZorEN_MQTT");
    OpenIniFile("ZorEN_MQTT.ini");
    ASSERT_NE(IniFile, nullptr);
    EXPECT_EQ(IniFile->FileName, DataFolder + "ZorEN_MQTT.ini");
    EXPECT_TRUE(std::filesystem::exists(home / "ZorEN_MQTT/ZorEN_MQTT.ini"));  // before any save
    IniFile->WriteString("Skin", "Name", "Fusion");
    CloseIniFile();
    EXPECT_EQ(IniFile, nullptr);
    EXPECT_EQ(TempDir::ReadFile(home / "ZorEN_MQTT/ZorEN_MQTT.ini"), "[Skin]\r\nName=Fusion\r\n");

    OpenIniFile("");
    EXPECT_EQ(IniFile->FileName, DataFolder + "zoren_core_tests.ini");
    CloseIniFile();
    CloseIniFile();  // twice is harmless
    DataFolder = saved;
}
