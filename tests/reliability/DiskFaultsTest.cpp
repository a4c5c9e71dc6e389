// The main window's commands on a disk that misbehaves: a read-only settings
// file, a data folder removed under the running program, a controller folder
// that cannot be made, mqtt.json replaced by a folder. Each ends in the usual
// error window or a silent fallback, and no file that was there is lost.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QCoreApplication>
#include <QTreeWidget>
#include <filesystem>

#include "exchange/LoopbackServer.h"
#include "platform/Cp1251.h"
#include "platform/FileSystem.h"
#include "registry/ZOREN_OBJECT_LIST.h"
#include "reliability/ShownMessages.h"
#include "support/MainWindowRun.h"

namespace {

namespace fs = std::filesystem;
using Command = void (TFormZorenMain::*)();

class DiskFaults : public MainWindowRun {
protected:
    DiskFaults() {
        server_.On("POST", "/configuration",
                   [](const httplib::Request&, httplib::Response& res) { res.set_content("{\"new\":1}", "application/json"); });
        server_.On("PUT", "/configuration", [](const httplib::Request&, httplib::Response& res) {
            res.set_content("configuration is correct\r\n", "text/plain");
        });
        server_.Start();
    }

    std::string DataHome() const { return Home().Path() + "/ZorEN_MQTT"; }
    // Writes a register of one controller whose folder is the given native path.
    void Register(const std::string& nativeFolder) {
        path_ = fs1251::ModelPath(nativeFolder);
        WriteIni("[OBJECT0]\r\nName=" + std::string("Насосная"_w) + "\r\nIp=" + server_.HostPort() +
                 "\r\nPath=" + path_ + "\r\n");
    }
    std::string File() const { return path_ + "/mqtt.json"; }
    std::vector<ShownMessage> Run(Command command) {
        ShownMessages messages;
        (Window().*command)();
        QCoreApplication::processEvents();
        return messages.All();
    }
    std::vector<ShownMessage> StopRecorded() {
        ShownMessages messages;
        Stop();
        QCoreApplication::processEvents();
        return messages.All();
    }

    LoopbackServer server_;
    std::string path_;
};

void ExpectOneError(const std::vector<ShownMessage>& shown, const std::string& text, const std::string& what) {
    ASSERT_EQ(shown.size(), 1u) << what;
    EXPECT_EQ(shown[0].caption, "Ошибка"_w) << what;
    EXPECT_EQ(shown[0].text.substr(0, text.size()), text) << what << ": " << shown[0].text;
}

}  // namespace

TEST_F(DiskFaults, ReadOnlySettingsFileStaysAsItWasAndNothingIsSaid) {
    Register(DataHome() + "/Objects/a");
    const std::string before = TempDir::ReadFile(IniPath());
    ::chmod(IniPath().c_str(), 0444);
    Start();
    Window().SelectRow(0);
    Window().mDeleteClick();
    EXPECT_TRUE(StopRecorded().empty());
    EXPECT_EQ(TempDir::ReadFile(IniPath()), before);
    ::chmod(IniPath().c_str(), 0644);
}

TEST_F(DiskFaults, DataFolderRemovedDuringTheRun) {
    Register(DataHome() + "/Objects/a");
    Start();
    Window().SelectRow(0);
    fs::remove_all(DataHome());

    // A read makes the controller's folder again, and the file is written.
    auto shown = Run(&TFormZorenMain::pmReadConfigClick);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "Успешно прочитано"_w);
    EXPECT_TRUE(fs1251::FileExists(File()));

    // Gone again before the close: the save fails without a word.
    fs::remove_all(DataHome());
    EXPECT_TRUE(StopRecorded().empty());

    // The next run starts over with an empty register.
    Start();
    EXPECT_EQ(Window().ListView1->topLevelItemCount(), 0);
    EXPECT_TRUE(fs::is_directory(DataHome() + "/Objects"));
}

TEST_F(DiskFaults, ControllerFolderThatCannotBeMade) {
    // A plain file where the controller's folder would have to go.
    fs::create_directories(DataHome() + "/Objects");
    TempDir::WriteFile(DataHome() + "/Objects/blocker", "keep me");
    Register(DataHome() + "/Objects/blocker/a");
    Start();
    Window().SelectRow(0);

    ExpectOneError(Run(&TFormZorenMain::pmReadConfigClick), File() + ": ", "read");
    ExpectOneError(Run(&TFormZorenMain::pmPutConfigClick), std::string("Нет файла: "_w) + File(), "write");
    EXPECT_EQ(TempDir::ReadFile(DataHome() + "/Objects/blocker"), "keep me");
    EXPECT_EQ(server_.Requests().size(), 1u) << "only the read reached the controller";
}

TEST_F(DiskFaults, MqttJsonReplacedByAFolder) {
    const std::string folder = DataHome() + "/Objects/a";
    fs::create_directories(folder + "/mqtt.json");
    TempDir::WriteFile(folder + "/mqtt.json/inside.txt", "keep me");
    Register(folder);
    Start();
    Window().SelectRow(0);

    ExpectOneError(Run(&TFormZorenMain::pmReadConfigClick), File() + ": ", "read");
    ExpectOneError(Run(&TFormZorenMain::pmPutConfigClick), std::string("Нет файла: "_w) + File(), "write");
    ExpectOneError(Run(&TFormZorenMain::mEditConfigClick), std::string("Нет файла: "_w) + File(), "edit");
    EXPECT_EQ(TempDir::ReadFile(folder + "/mqtt.json/inside.txt"), "keep me");
    EXPECT_EQ(server_.Requests().size(), 1u) << "nothing is sent from a folder";
}
