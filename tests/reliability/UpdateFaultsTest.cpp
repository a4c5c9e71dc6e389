// The update check and the installer download against servers that fail as
// real networks do: one error window captioned "Ошибка", the installer left
// as it was, nothing started, and the program goes on.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QPointer>
#include <QPushButton>
#include <QWidget>
#include <filesystem>
#include <functional>

#include "dialogs/WindowText.h"
#include "exchange/LoopbackServer.h"
#include "platform/Cp1251.h"
#include "platform/FileSystem.h"
#include "platform/HttpClient.h"
#include "reliability/FaultServer.h"
#include "reliability/ShownMessages.h"
#include "storage/AppSettings.h"
#include "support/SettingsRun.h"
#include "update/ApplicationTerminate.h"
#include "update/TFormUpgrade.h"
#include "update/TFormUpgradeLoad.h"
#include "update/UpdateCommands.h"

namespace {

class UpdateFaults : public ::testing::Test {
protected:
    UpdateFaults() {
        THttpClient::DefaultConnectTimeoutSeconds = 2;
        THttpClient::DefaultStallTimeoutSeconds = 1;
        for (const char* file : {"/update/zoren_mqtt/release_r.txt", "/update/zoren_mqtt/setup.exe"})
            failing_.On("GET", file, [](const httplib::Request&, httplib::Response& res) {
                res.status = 500;
                res.set_content("1.9.0.0 (01.01.2030)\r\n+ not from a 500\r\n", "text/plain");
            });
        failing_.Start();
    }
    ~UpdateFaults() override {
        THttpClient::DefaultConnectTimeoutSeconds = savedConnect_;
        THttpClient::DefaultStallTimeoutSeconds = savedStall_;
        QuitWithoutSaving = false;
    }
    void PointAt(const std::string& hostPort) { IniFile->WriteString("Update", "Server", "http://" + hostPort); }

    struct Fault {
        const char* what;
        std::string hostPort;
        std::string reason;  // the status line shown, empty when it is curl's text
    };
    std::vector<Fault> Faults() {
        return {
            {"connection refused", "127.0.0.1:" + std::to_string(ClosedPort()), ""},
            {"reset in the middle of the body", reset_.HostPort(), ""},
            {"trickle slower than the stall limit", trickle_.HostPort(), ""},
            {"accepted and never answered", hold_.HostPort(), ""},
            {"500 with a body", failing_.HostPort(), "HTTP/1.1 500 Internal Server Error"},
        };
    }

    const long savedConnect_ = THttpClient::DefaultConnectTimeoutSeconds;
    const long savedStall_ = THttpClient::DefaultStallTimeoutSeconds;
    SettingsRun run_;
    QWidget owner_;
    LoopbackServer failing_;
    FaultServer reset_{FaultServer::Fault::ResetMidBody};
    FaultServer trickle_{FaultServer::Fault::Trickle};
    FaultServer hold_{FaultServer::Fault::Hold};
};

}  // namespace

TEST_F(UpdateFaults, CheckFailsWithOneErrorAndListsNothing) {
    for (const Fault& f : Faults()) {
        PointAt(f.hostPort);
        ShownMessages messages;
        const std::string status = CheckForUpdate(&owner_, false);
        QCoreApplication::processEvents();
        EXPECT_EQ(status, "Не удалось проверить обновление..."_w) << f.what;
        ASSERT_EQ(messages.All().size(), 1u) << f.what;
        EXPECT_EQ(messages.All()[0].caption, "Ошибка"_w) << f.what;
        const std::string text = f.reason.empty() ? std::string("Не удалось получить историю версий..."_w)
                                                  : std::string("Не удалось получить историю версий...\n"_w) + f.reason;
        EXPECT_EQ(messages.All()[0].text, text) << f.what;
        EXPECT_EQ(FormUpgrade, nullptr) << f.what;
    }
}

TEST_F(UpdateFaults, FiftyMegabyteHistoryWithNothingNewer) {
    // Change lines before the first header are read and dropped, so the whole
    // text goes through the parser before it finds that nothing is newer.
    std::string history;
    history.reserve(52u << 20);
    while (history.size() < (50u << 20)) history += "+ a change of a release nobody announced\r\n";
    history += "0.0.0.0 (01.01.2000)\r\n";
    LoopbackServer s;
    s.On("GET", "/update/zoren_mqtt/release_r.txt",
         [&](const httplib::Request&, httplib::Response& res) { res.set_content(history, "text/plain"); });
    s.Start();
    PointAt(s.HostPort());

    ShownMessages messages;
    EXPECT_EQ(CheckForUpdate(&owner_, false), "Установлена последняя версия ПО..."_w);
    ASSERT_EQ(messages.All().size(), 1u);
    EXPECT_EQ(messages.All()[0].caption, "Внимание"_w);
    EXPECT_EQ(messages.All()[0].text, "Обновление не требуется..."_w);
}

TEST_F(UpdateFaults, DownloadFailsKeepsTheOldInstallerAndStartsNothing) {
    const std::string installer = DataFolder + "setup.exe";
    const std::string old = "#!/bin/sh\nexit 0\n# the installer of an earlier run\n";
    for (const Fault& f : Faults()) {
        std::string error;
        ASSERT_TRUE(fs1251::WriteFileAtomic(installer, old, error, 0755)) << error;
        PointAt(f.hostPort);
        QPointer<TFormUpgradeLoad> load = new TFormUpgradeLoad(&owner_);
        FormUpgradeLoad = load;
        load->show();
        {
            ShownMessages messages;
            load->DownloadAndRun();
            QCoreApplication::processEvents();
            ASSERT_EQ(messages.All().size(), 1u) << f.what;
            EXPECT_EQ(messages.All()[0].caption, "Ошибка"_w) << f.what;
            EXPECT_EQ(messages.All()[0].text.rfind("Не удалось загрузить файл обновления:\n"_w, 0), 0u)
                << f.what << ": " << messages.All()[0].text;
            if (!f.reason.empty()) {
                const std::string& text = messages.All()[0].text;
                EXPECT_EQ(text.substr(text.size() - f.reason.size()), f.reason) << f.what;
            }
        }
        EXPECT_FALSE(QuitWithoutSaving) << f.what << ": nothing may be started";
        std::string bytes;
        ASSERT_TRUE(fs1251::ReadWholeFile(installer, bytes, error)) << f.what << ": " << error;
        EXPECT_EQ(bytes, old) << f.what;
        // The window stays until the user closes it, and then goes away.
        ASSERT_FALSE(load.isNull()) << f.what;
        EXPECT_TRUE(load->isVisible()) << f.what;
        EXPECT_EQ(FromQString(load->ButtonBreak->text()), "Закрыть"_w) << f.what;
        load->ButtonBreak->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        EXPECT_EQ(FormUpgradeLoad, nullptr) << f.what;
        delete load.data();
    }
}

TEST_F(UpdateFaults, InstallerThatCannotBeSavedIsReportedAndNotStarted) {
    const std::string installer = "#!/bin/sh\nexit 0\n";
    LoopbackServer s;
    s.On("GET", "/update/zoren_mqtt/setup.exe", [&](const httplib::Request&, httplib::Response& res) {
        res.set_content(installer, "application/octet-stream");
    });
    s.Start();
    PointAt(s.HostPort());
    const std::string native = fs1251::NativePath(DataFolder);
    struct Case {
        const char* what;
        std::function<void()> spoil;
    } cases[] = {
        {"setup.exe is a folder", [&] { std::filesystem::create_directories(native + "setup.exe/keep"); }},
        {"the data folder is gone", [&] { std::filesystem::remove_all(native); }},
    };
    for (const Case& c : cases) {
        c.spoil();
        QPointer<TFormUpgradeLoad> load = new TFormUpgradeLoad(&owner_);
        FormUpgradeLoad = load;
        load->show();
        {
            ShownMessages messages;
            load->DownloadAndRun();
            QCoreApplication::processEvents();
            ASSERT_EQ(messages.All().size(), 1u) << c.what;
            EXPECT_EQ(messages.All()[0].caption, "Ошибка"_w) << c.what;
            EXPECT_EQ(messages.All()[0].text.rfind(std::string("Не удалось сохранить файл обновления:\n"_w) + DataFolder +
                                                       "setup.exe\n",
                                                   0),
                      0u)
                << c.what << ": " << messages.All()[0].text;
        }
        EXPECT_FALSE(QuitWithoutSaving) << c.what;
        ASSERT_FALSE(load.isNull()) << c.what;
        load->ButtonBreak->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        delete load.data();
    }
    EXPECT_FALSE(std::filesystem::exists(native)) << "nothing made the data folder again";
}
