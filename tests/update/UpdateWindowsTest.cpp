// The about box, the update check and the download window against a real
// HTTP server on 127.0.0.1, with their messages answered as a user would.
// This test program carries the version record 1.0.0.0, like the tool.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <algorithm>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <string>

#include "dialogs/WindowText.h"
#include "exchange/LoopbackServer.h"
#include "platform/FileSystem.h"
#include "support/ModalAnswerer.h"
#include "support/SettingsRun.h"
#include "update/ApplicationTerminate.h"
#include "update/TFormAbout.h"
#include "update/TFormUpgrade.h"
#include "update/TFormUpgradeLoad.h"
#include "update/UpdateCommands.h"
#include "update/UpdateTestSupport.h"

namespace {

std::string Bytes(const QString& s) { return FromQString(s); }

const std::string kHistory =
    "1.1.0.3 (01.06.2019)\r\n"
    "+ new report\r\n"
    "- wrong port\r\n"
    "1.0.0.0 (01.01.2019)\r\n"
    "+ first\r\n";

// The data folder, IniFile over it and an update server the settings point at.
class UpdateRun {
public:
    UpdateRun() {
        // One handler, registered before the server starts, serves whatever the test put in files.
        server.On(
            "GET", R"(/update/zoren_mqtt/(.+))", [this](const httplib::Request& req, httplib::Response& res) {
                std::lock_guard<std::mutex> lock(mutex_);
                headers_[req.matches[1]] = {req.get_header_value("User-Agent"), req.get_header_value("Accept")};
                auto it = files_.find(req.matches[1]);
                if (it == files_.end()) {
                    res.status = 404;
                    return;
                }
                std::string body = it->second;
                if (!chunked_.count(it->first)) {
                    res.set_content(body, "application/octet-stream");
                    return;
                }
                res.set_chunked_content_provider(
                    "application/octet-stream", [body](std::size_t, httplib::DataSink& sink) {
                        for (std::size_t at = 0; at < body.size(); at += 65536)
                            sink.write(body.data() + at, std::min<std::size_t>(65536, body.size() - at));
                        sink.done();
                        return true;
                    });
            });
        server.Start();
        IniFile->WriteString("Update", "Server", "http://127.0.0.1:" + std::to_string(server.Port()));
        settings.Restart();  // the settings file now holds the address
    }
    ~UpdateRun() {
        delete FormUpgradeLoad;
        QuitWithoutSaving = false;
    }
    // Serves body as the file; chunked: without an announced size.
    void Serve(const std::string& file, const std::string& body, bool chunked = false) {
        std::lock_guard<std::mutex> lock(mutex_);
        files_[file] = body;
        if (chunked) chunked_.insert(file);
    }
    // User-Agent and Accept of the last request for the file.
    std::pair<std::string, std::string> HeadersOf(const std::string& file) {
        std::lock_guard<std::mutex> lock(mutex_);
        return headers_[file];
    }
    std::string Url(const std::string& file) const { return server.Url("/update/zoren_mqtt/" + file); }
    std::string DataPath(const std::string& name) const {
        return settings.Home().Path() + "/ZorEN_MQTT/" + name;
    }

    SettingsRun settings;
    LoopbackServer server;

private:
    std::mutex mutex_;
    std::map<std::string, std::string> files_;
    std::set<std::string> chunked_;
    std::map<std::string, std::pair<std::string, std::string>> headers_;
};

// The first message window's text and caption.
struct Message {
    std::string caption, text;
};
Message FirstMessage(const ModalAnswerer& answerer, std::size_t index = 0) {
    if (answerer.Seen().size() <= index) return {};
    const ModalSeen& seen = answerer.Seen()[index];
    return {Bytes(seen.caption), seen.texts.isEmpty() ? std::string() : Bytes(seen.texts.front())};
}

}  // namespace

TEST(AboutBox, ShowsTheProgramVersionAndClosesWithOK) {
    ModalAnswerer answerer;
    std::string version, caption, product, name;
    bool held = false, isDefault = false;
    answerer.Then([&](QWidget* modal) {
        auto* form = qobject_cast<TFormAbout*>(modal);
        held = form && form == FormAbout;
        if (form) {
            version = Bytes(form->LabelVersion->text());
            caption = Bytes(form->windowTitle());
            product = Bytes(form->ProductName->text());
            name = form->objectName().toStdString();
            isDefault = form->OKButton->isDefault();
            EXPECT_EQ(form->ProgramIcon->pixmap().size(), QSize(128, 128));
            form->OKButton->click();
        }
    });
    ShowAboutBox(nullptr);
    EXPECT_TRUE(held);
    EXPECT_EQ(version, "Версия 1.0.0"_w);
    EXPECT_EQ(caption, "О программе"_w);
    EXPECT_EQ(product, "Конфигуратор ЗОРЕН-RF в режиме MQTT"_w);
    EXPECT_EQ(name, "FormAbout");
    EXPECT_TRUE(isDefault);
    EXPECT_EQ(FormAbout, nullptr);
}

TEST(AboutBox, VersionLineOfOtherFiles) {
    TempDir dir;
    TempDir::WriteFile(dir / "plain", "no version here");
    struct Case {
        std::string file;
        std::string line;
    } cases[] = {
        {ZOREN_VERSION_FIXTURE, std::string("Версия 2.15.3"_w)},
        {dir / "plain", std::string("Версия"_w)},
        {dir / "missing", std::string("Версия"_w)},
    };
    for (const Case& c : cases) {
        TFormAbout form(nullptr, fs1251::ModelPath(c.file));
        EXPECT_EQ(Bytes(form.LabelVersion->text()), c.line) << c.file;
    }
}

TEST(UpgradeWindow, InstalledVersionImagesAndTree) {
    TFormUpgrade window(nullptr);
    EXPECT_EQ(window.objectName().toStdString(), "FormUpgrade");
    EXPECT_EQ(Bytes(window.windowTitle()), "Обновление ПО"_w);
    EXPECT_EQ(window.InstalledVersion, (FILE_VERSION{1, 0, 0, 0}));
    EXPECT_EQ(Bytes(window.LabelVersion->text()), "1.0.0.0");
    EXPECT_EQ(Bytes(window.sLabel1->text()), "Установлена версия"_w);
    EXPECT_EQ(Bytes(window.BtnUpgrade->text()), "Обновить"_w);
    EXPECT_EQ(window.BtnUpgrade->size(), QSize(145, 50));
    EXPECT_FALSE(window.BtnUpgrade->icon().isNull());
    EXPECT_EQ(window.TreeView1->indentation(), 19);

    const char* names[] = {"About16",       "action_check",     "vote_yes_1",  "bug_16x16",
                           "Attention 16",  "trash full_16x16", "base_1",      "login",
                           "User-v1_1",     "blog_1",           "time",        "alert16",
                           "arrow_down_16", "Vote_no",          "block_16x16", "computer_16x16",
                           "document_16",   "shuffle_16x16",    "star_1",      "tag"};
    ASSERT_EQ(window.AlphaImageList16.Count(), 20);
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(TAlphaImageList::Name(i).toStdString(), names[i]) << i;
        QImage image = window.AlphaImageList16.Icon(i).pixmap(16, 16).toImage();
        EXPECT_EQ(image.size(), QSize(16, 16)) << names[i];
        for (int j = 0; j < i; ++j)
            EXPECT_NE(image, window.AlphaImageList16.Icon(j).pixmap(16, 16).toImage())
                << names[i] << " vs " << names[j];
    }

    EXPECT_EQ(ParseReleaseHistory(&window,
                                  "1.2.0.0 (x)\n* a\n1.1.0.3 (01.06.2019)\n+ new report\n- wrong port\n"
                                  "1.0.0.0 (01.01.2019)\n+ first\n"),
              2);
    EXPECT_EQ(window.LatestVersion, (FILE_VERSION{1, 2, 0, 0}));
    QTreeWidget* tree = window.TreeView1;
    ASSERT_EQ(tree->topLevelItemCount(), 2);
    QTreeWidgetItem* second = tree->topLevelItem(1);
    EXPECT_EQ(Bytes(second->text(0)), "Версия: 1.1.0.3  Дата: (01.06.2019)"_w);
    EXPECT_EQ(second->data(0, TFormUpgrade::kImageIndexRole).toInt(), 0);
    ASSERT_EQ(second->childCount(), 2);
    EXPECT_EQ(Bytes(second->child(0)->text(0)), "new report");
    EXPECT_EQ(second->child(0)->data(0, TFormUpgrade::kImageIndexRole).toInt(), 1);
    EXPECT_EQ(Bytes(second->child(1)->text(0)), "wrong port");
    EXPECT_EQ(second->child(1)->data(0, TFormUpgrade::kImageIndexRole).toInt(), 3);
    EXPECT_TRUE(tree->topLevelItem(0)->isExpanded());
    EXPECT_TRUE(second->isExpanded());
    EXPECT_EQ(tree->currentItem(), tree->topLevelItem(0));

    // Filling again replaces the tree.
    EXPECT_EQ(ParseReleaseHistory(&window, "1.0.0.0\n"), 0);
    EXPECT_EQ(tree->topLevelItemCount(), 0);
}

TEST(UpdateCheck, FailuresAndNothingNewer) {
    struct Case {
        const char* what;
        const char* history;  // null: not served (404)
        bool quiet;
        const char* caption;  // UTF-8; null: no message
        std::string text;
        const char* status;
    } cases[] = {
        {"404", nullptr, false, "Ошибка", "Не удалось получить историю версий...\nHTTP/1.1 404 Not Found",
         "Не удалось проверить обновление..."},
        {"empty history", "", false, "Ошибка", "Не удалось получить историю версий...",
         "Не удалось проверить обновление..."},
        {"no newer release", "1.0.0.0 (01.01.2019)\r\n+ first\r\n", false, "Внимание",
         "Обновление не требуется...", "Установлена последняя версия ПО..."},
        {"no newer release, quiet", "0.9.0.0\r\n", true, nullptr, "", "Установлена последняя версия ПО..."},
        {"404 even when quiet", nullptr, true, "Ошибка",
         "Не удалось получить историю версий...\nHTTP/1.1 404 Not Found",
         "Не удалось проверить обновление..."},
    };
    for (const Case& c : cases) {
        UpdateRun run;
        if (c.history) run.Serve("release_r.txt", c.history);
        ModalAnswerer answerer;
        if (c.caption) answerer.Then(ModalAnswerer::Close());
        std::string status = CheckForUpdate(nullptr, c.quiet);
        EXPECT_EQ(status, Utf8ToCp1251(c.status)) << c.what;
        EXPECT_EQ(answerer.Seen().size(), c.caption ? 1u : 0u) << c.what;
        if (c.caption) {
            Message m = FirstMessage(answerer);
            EXPECT_EQ(m.caption, Utf8ToCp1251(c.caption)) << c.what;
            EXPECT_EQ(m.text, Utf8ToCp1251(c.text)) << c.what;
        }
        EXPECT_EQ(FormUpgrade, nullptr) << c.what;
        EXPECT_EQ(FormUpgradeLoad, nullptr) << c.what;
        ASSERT_EQ(run.server.Requests().size(), 1u) << c.what;
        EXPECT_EQ(run.server.Requests()[0].path, "/update/zoren_mqtt/release_r.txt") << c.what;
    }
}

TEST(UpdateCheck, NoServerReportsTheHistoryAsUnavailable) {
    SettingsRun settings;
    IniFile->WriteString("Update", "Server", "http://127.0.0.1:" + std::to_string(ClosedPort()));
    ModalAnswerer answerer;
    answerer.Then(ModalAnswerer::Close());
    EXPECT_EQ(CheckForUpdate(nullptr, false), "Не удалось проверить обновление..."_w);
    EXPECT_EQ(FirstMessage(answerer).text, "Не удалось получить историю версий..."_w);
}

TEST(UpdateCheck, NewerReleaseClosedWithoutUpgrading) {
    UpdateRun run;
    run.Serve("release_r.txt", kHistory);
    ModalAnswerer answerer;
    bool held = false;
    std::string top;
    answerer.Then([&](QWidget* modal) {
        auto* form = qobject_cast<TFormUpgrade*>(modal);
        held = form && form == FormUpgrade;
        if (form && form->TreeView1->topLevelItemCount() > 0)
            top = Bytes(form->TreeView1->topLevelItem(0)->text(0));
        // A second check while this one runs returns at once.
        EXPECT_EQ(CheckForUpdate(nullptr, false), "");
        modal->close();
    });
    EXPECT_EQ(CheckForUpdate(nullptr, false), "Есть обновление ПО..."_w);
    EXPECT_TRUE(held);
    EXPECT_EQ(top, "Версия: 1.1.0.3  Дата: (01.06.2019)"_w);
    EXPECT_EQ(answerer.Seen().size(), 1u);
    EXPECT_EQ(FormUpgrade, nullptr);
    EXPECT_EQ(FormUpgradeLoad, nullptr);
    EXPECT_EQ(run.server.Requests().size(), 1u);
}

// "Обновить": the installer is fetched, replaces an older one, is started, and
// the program ends without storing anything of this run.
TEST(UpdateDownload, InstallerStartedAndProgramEndsWithoutSaving) {
    UpdateRun run;
    TempDir markers;
    const std::string marker = markers / "installed";
    const std::string installer = Installer(marker, 2000000);
    run.Serve("release_r.txt", kHistory);
    run.Serve("setup.exe", installer);
    TempDir::WriteFile(run.DataPath("setup.exe"), "an older installer");
    const std::string settingsBefore = TempDir::ReadFile(run.settings.IniPath());
    IniFile->WriteString("OBJECT0", "Name", "changed in this run");
    ASSERT_TRUE(IniFile->Modified);

    ModalAnswerer answerer;
    answerer.Then(ModalAnswerer::ClickButton(ToQString("Обновить"_w)));
    std::string status = "unset";
    std::string info, progress;
    EXPECT_TRUE(RunsIntoQuitPath([&] {
        status = CheckForUpdate(nullptr, false);
        if (FormUpgradeLoad) {
            info = Bytes(FormUpgradeLoad->LabelInfo->text());
            progress = Bytes(FormUpgradeLoad->LabelProgress->text());
        }
    }));
    EXPECT_EQ(status, "");
    EXPECT_EQ(answerer.Seen().size(), 1u) << "no message after the upgrade window";
    EXPECT_EQ(info, "Выполняется загрузка обновления до версии1.1"_w);
    EXPECT_EQ(progress, "100 %");
    const auto [agent, accept] = run.HeadersOf("setup.exe");
    EXPECT_EQ(agent, "Mozilla/3.0 (compatible; Indy Library)");
    EXPECT_EQ(accept, "text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8");
    EXPECT_TRUE(WaitForFile(fs1251::ModelPath(marker)));
    EXPECT_EQ(TempDir::ReadFile(run.DataPath("setup.exe")), installer);
    struct stat st {};
    ASSERT_EQ(::stat(run.DataPath("setup.exe").c_str(), &st), 0);
    EXPECT_NE(st.st_mode & S_IXUSR, 0u);

    // What the entry point does on the way out: the document is destroyed.
    CloseIniFile();
    EXPECT_EQ(TempDir::ReadFile(run.settings.IniPath()), settingsBefore);
    OpenIniFile("ZorEN_MQTT.ini");  // for SettingsRun's own ending
}

TEST(UpdateDownload, ReplyWithoutAnnouncedSizeStillStartsTheInstaller) {
    UpdateRun run;
    TempDir markers;
    const std::string marker = markers / "installed";
    const std::string installer = Installer(marker, 300000);
    run.Serve("setup.exe", installer, true);
    auto* load = new TFormUpgradeLoad(nullptr);
    FormUpgradeLoad = load;
    load->show();
    EXPECT_TRUE(RunsIntoQuitPath([&] { load->DownloadAndRun(); }));
    EXPECT_EQ(load->TotalBytes, 0);
    EXPECT_EQ(Bytes(load->LabelProgress->text()), "0 %");
    EXPECT_EQ(load->ProgressBar1->value(), 0);
    EXPECT_TRUE(WaitForFile(fs1251::ModelPath(marker)));
    EXPECT_EQ(TempDir::ReadFile(run.DataPath("setup.exe")), installer);
}

TEST(UpdateDownload, ProgressOfAnAnnouncedSize) {
    TFormUpgradeLoad load(nullptr);
    EXPECT_EQ(Bytes(load.LabelProgress->text()), "0 %");
    load.IdHTTP1Work(TWorkMode::wmRead, 500);  // before the transfer began: nothing
    EXPECT_EQ(Bytes(load.LabelProgress->text()), "0 %");
    load.IdHTTP1WorkBegin(TWorkMode::wmRead, 2000000);
    EXPECT_EQ(load.TotalBytes, 2000000);
    EXPECT_EQ(load.ProgressBar1->maximum(), 2000000);
    struct Step {
        std::int64_t received;
        const char* label;
    } steps[] = {{0, "0 %"},        {19999, "0 %"},    {20000, "1 %"},
                 {1000000, "50 %"}, {1999999, "99 %"}, {2000000, "100 %"}};
    for (const Step& s : steps) {
        load.IdHTTP1Work(TWorkMode::wmRead, s.received);
        EXPECT_EQ(Bytes(load.LabelProgress->text()), s.label) << s.received;
        EXPECT_EQ(load.ProgressBar1->value(), s.received) << s.received;
    }
    // An unknown size leaves label and bar where they start.
    load.IdHTTP1WorkBegin(TWorkMode::wmRead, 0);
    load.IdHTTP1Work(TWorkMode::wmRead, 1000000);
    EXPECT_EQ(Bytes(load.LabelProgress->text()), "0 %");
    EXPECT_EQ(load.ProgressBar1->value(), 0);
    // Sizes beyond the bar's range still move it proportionally.
    load.IdHTTP1WorkBegin(TWorkMode::wmRead, 6000000000LL);
    load.IdHTTP1Work(TWorkMode::wmRead, 3000000000LL);
    EXPECT_EQ(Bytes(load.LabelProgress->text()), "50 %");
    EXPECT_EQ(load.ProgressBar1->value() * 2, load.ProgressBar1->maximum());
}

TEST(UpdateDownload, FailuresKeepTheWindowOpenWithClose) {
    struct Case {
        const char* what;
        const char* body;  // null: not served
        std::string text;  // UTF-8, the address follows in the 404 case
        bool savedAfterwards;
    } cases[] = {
        {"404", nullptr, "Не удалось загрузить файл обновления:\n", false},
        {"empty installer", "", "Не удалось загрузить файл обновления:\n", false},
        {"installer the system cannot start", "neither a script nor a program",
         "Ошибка при запуске обновления...", true},
    };
    for (const Case& c : cases) {
        UpdateRun run;
        if (c.body) run.Serve("setup.exe", c.body);
        std::string expected = Utf8ToCp1251(c.text);
        if (!c.savedAfterwards)
            expected += run.Url("setup.exe") + (c.body ? "\nHTTP/1.1 200 OK" : "\nHTTP/1.1 404 Not Found");

        QPointer<TFormUpgradeLoad> load = new TFormUpgradeLoad(nullptr);
        FormUpgradeLoad = load;
        load->show();
        EXPECT_EQ(Bytes(load->windowTitle()), "Загрузка обновления"_w) << c.what;
        EXPECT_EQ(Bytes(load->ButtonBreak->text()), "Прервать"_w) << c.what;
        ModalAnswerer answerer;
        answerer.Then(ModalAnswerer::Close());
        EXPECT_FALSE(RunsIntoQuitPath([&] { load->DownloadAndRun(); })) << c.what;
        Message m = FirstMessage(answerer);
        EXPECT_EQ(m.caption, "Ошибка"_w) << c.what;
        EXPECT_EQ(m.text, expected) << c.what;
        ASSERT_TRUE(load) << c.what;
        EXPECT_EQ(Bytes(load->ButtonBreak->text()), "Закрыть"_w) << c.what;
        EXPECT_TRUE(load->isVisible()) << c.what;
        EXPECT_EQ(fs1251::FileExists(fs1251::ModelPath(run.DataPath("setup.exe"))), c.savedAfterwards)
            << c.what;

        // "Закрыть" closes and releases the window.
        load->ButtonBreak->click();
        EXPECT_EQ(FormUpgradeLoad, nullptr) << c.what;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(load.isNull()) << c.what;
    }
}

TEST(UpdateDownload, EscapeReleasesTheWindowToo) {
    QPointer<TFormUpgradeLoad> load = new TFormUpgradeLoad(nullptr);
    FormUpgradeLoad = load;
    load->show();
    load->reject();
    EXPECT_EQ(FormUpgradeLoad, nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(load.isNull());
}

TEST(UpdateDownload, RealTransferShowsRisingProgressUpTo100) {
    UpdateRun run;
    TempDir markers;
    const std::string installer = Installer(markers / "installed", 2000000);
    run.Serve("setup.exe", installer);
    auto* load = new TFormUpgradeLoad(nullptr);
    FormUpgradeLoad = load;
    load->show();
    std::vector<int> percents;
    load->IdHTTP1.OnWork = [&](std::int64_t received) {
        load->IdHTTP1Work(TWorkMode::wmRead, received);
        percents.push_back(load->LabelProgress->text().section(' ', 0, 0).toInt());
    };
    EXPECT_TRUE(RunsIntoQuitPath([&] { load->DownloadAndRun(); }));
    EXPECT_EQ(load->TotalBytes, 2000000);
    ASSERT_GT(percents.size(), 2u) << "the body arrives in several pieces";
    EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end()));
    EXPECT_LT(percents.front(), 100);
    EXPECT_EQ(percents.back(), 100);
    EXPECT_EQ(load->ProgressBar1->value(), 2000000);
    EXPECT_TRUE(WaitForFile(fs1251::ModelPath(markers / "installed")));
}

TEST(UpdateDownload, ALaterCheckReplacesAWindowLeftOpenByAFailure) {
    UpdateRun run;
    run.Serve("release_r.txt", kHistory);  // no installer: every download fails
    ModalAnswerer answerer;
    answerer.Then(ModalAnswerer::ClickButton(ToQString("Обновить"_w))).Then(ModalAnswerer::Close());
    EXPECT_EQ(CheckForUpdate(nullptr, false), "");
    QPointer<TFormUpgradeLoad> first = FormUpgradeLoad;
    ASSERT_TRUE(first);
    EXPECT_EQ(Bytes(first->ButtonBreak->text()), "Закрыть"_w);

    answerer.Then(ModalAnswerer::ClickButton(ToQString("Обновить"_w))).Then(ModalAnswerer::Close());
    EXPECT_EQ(CheckForUpdate(nullptr, false), "");
    EXPECT_TRUE(answerer.Done());
    ASSERT_NE(FormUpgradeLoad, nullptr);
    EXPECT_NE(FormUpgradeLoad, first.data());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());
    EXPECT_TRUE(FormUpgradeLoad->isVisible());
}
