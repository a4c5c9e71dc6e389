// The whole update road from the main window's command: check, "Обновить",
// download, start; the run then ends without its close handling, so nothing
// of the run reaches the settings file.
#include <QAction>
#include <QLabel>
#include <QTreeWidget>

#include "dialogs/WindowText.h"
#include "exchange/LoopbackServer.h"
#include "registry/ZOREN_OBJECT_LIST.h"
#include "support/MainWindowRun.h"
#include "support/ModalAnswerer.h"
#include "update/TFormUpgradeLoad.h"
#include "update/UpdateTestSupport.h"

using UpdateFromMainWindow = MainWindowRun;

TEST_F(UpdateFromMainWindow, InstallerStartedAndTheRunEndsWithoutStoringAnything) {
    TempDir markers;
    const std::string marker = markers / "installed";
    LoopbackServer server;
    server.On("GET", "/update/zoren_mqtt/release_r.txt", [](const httplib::Request&, httplib::Response& res) {
        res.set_content("1.0.1.0 (02.02.2020)\r\n+ fix\r\n", "text/plain");
    });
    server.On("GET", "/update/zoren_mqtt/setup.exe",
              [marker](const httplib::Request&, httplib::Response& res) {
                  res.set_content(Installer(marker, 4096), "application/octet-stream");
              });
    server.Start();
    WriteIni("[Update]\r\nServer=http://127.0.0.1:" + std::to_string(server.Port()) +
             "\r\n[OBJECT0]\r\nName=A\r\nIp=10.0.0.1\r\n[OBJECT1]\r\nName=B\r\nIp=10.0.0.2\r\n");
    const std::string before = TempDir::ReadFile(IniPath());

    TFormZorenMain& w = Start();
    // Changes of this run: a controller deleted, a value written into the document.
    w.ListView1->setCurrentItem(w.ListView1->topLevelItem(0));
    w.mDeleteClick();
    ASSERT_EQ(ObjectList.Count(), 1);
    IniFile->WriteString("Skin", "SkinName", "changed");

    ModalAnswerer answerer;
    answerer.Then(ModalAnswerer::ClickButton(ToQString("Обновить"_w)));
    EXPECT_TRUE(RunsIntoQuitPath([&] { w.mCheckUpgrade->trigger(); }));
    EXPECT_TRUE(answerer.Done());
    EXPECT_TRUE(WaitForFile(fs1251::ModelPath(marker)));
    EXPECT_TRUE(w.isVisible()) << "the main window is not closed on the way out";

    // The entry point's way out: the window and then the document are destroyed.
    delete FormUpgradeLoad;
    Discard();
    EXPECT_EQ(TempDir::ReadFile(IniPath()), before);
    QuitWithoutSaving = false;
}
