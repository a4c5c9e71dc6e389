// The read and write commands against real servers on loopback, with their
// messages answered as a user would and checked byte for byte.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include "dialogs/MessageDialogs.h"
#include "dialogs/TMessageForm.h"
#include "dialogs/WindowText.h"
#include "exchange/ConfigTransfer.h"
#include "exchange/LoopbackServer.h"
#include "exchange/SimProcess.h"
#include "platform/Cp1251.h"
#include "platform/FileSystem.h"
#include "platform/HttpClient.h"
#include "registry/ZOREN_OBJECT.h"
#include "support/ModalAnswerer.h"
#include "support/TempDir.h"

namespace {

struct Shown {
    std::string caption, text, button;
};

// Records every message window of the command and closes it by its button;
// a spare recorder is queued so that a second message cannot hang the test.
class Messages {
public:
    Messages() {
        for (int i = 0; i < 2; ++i)
            answerer_.Then([this](QWidget* modal) {
                auto* form = qobject_cast<TMessageForm*>(modal);
                if (!form) {
                    modal->close();
                    return;
                }
                shown_.push_back({FromQString(form->windowTitle()), FromQString(form->Panel1->text()),
                                  FromQString(form->sBitBtn->text())});
                form->sBitBtn->click();
            });
    }
    const std::vector<Shown>& All() const { return shown_; }

private:
    ModalAnswerer answerer_;
    std::vector<Shown> shown_;
};

void ExpectInfo(const std::vector<Shown>& shown, std::string_view text, const std::string& what) {
    ASSERT_EQ(shown.size(), 1u) << what;
    EXPECT_EQ(shown[0].caption, "Внимание"_w) << what;
    EXPECT_EQ(shown[0].button, "  ОK"_w) << what;
    EXPECT_EQ(shown[0].text, text) << what;
}

void ExpectError(const std::vector<Shown>& shown, const std::string& what) {
    ASSERT_EQ(shown.size(), 1u) << what;
    EXPECT_EQ(shown[0].caption, "Ошибка"_w) << what;
    EXPECT_EQ(shown[0].button, "  Закрыть"_w) << what;
    EXPECT_FALSE(shown[0].text.empty()) << what;
}

// A data home of the test's own and one controller whose folder has a Cyrillic name.
class ConfigTransfer : public ::testing::Test {
protected:
    ConfigTransfer() : home_(true) {
        controller_.Name = std::string("Школа №5"_w);
        controller_.Path = fs1251::ModelPath(home_.Path()) + "/ZorEN_MQTT/Objects/" + controller_.Name;
        nativeFile_ = home_.Path() + "/ZorEN_MQTT/Objects/Школа №5/mqtt.json";
    }
    ~ConfigTransfer() override {
        fs1251::SetWriteFaultAfter(-1);
        THttpClient::DefaultStallTimeoutSeconds = savedStall_;
    }

    void PutFile(const std::string& bytes) {
        fs1251::CreateDirs(controller_.Path);
        TempDir::WriteFile(nativeFile_, bytes);
    }
    bool FileThere() const { return fs1251::FileExists(controller_.Path + "/mqtt.json"); }
    std::string FileBytes() const { return TempDir::ReadFile(nativeFile_); }

    std::vector<Shown> Read() {
        Messages messages;
        ReadConfiguration(&owner_, controller_);
        return messages.All();
    }
    std::vector<Shown> Put() {
        Messages messages;
        PutConfiguration(&owner_, controller_);
        return messages.All();
    }

    const long savedStall_ = THttpClient::DefaultStallTimeoutSeconds;
    TempDir home_;
    QWidget owner_;
    ZOREN_OBJECT controller_;
    std::string nativeFile_;
};

TEST_F(ConfigTransfer, ReadStoresTheReplyByteForByteInANewFolder) {
    struct Case {
        const char* what;
        std::string reply;
    } cases[] = {
        {"empty reply", ""},
        {"document with 1251 bytes and CR LF",
         std::string("{\"name\":\"") + std::string("Объект"_w) + "\"}\r\n"},
        {"not JSON at all", std::string("\x00\xff garbage", 10)},
    };
    for (const Case& c : cases) {
        LoopbackServer s;
        s.On("POST", "/configuration", [&](const httplib::Request&, httplib::Response& res) {
            res.set_content(c.reply, "application/json");
        });
        s.Start();
        controller_.Ip = s.HostPort();
        std::filesystem::remove_all(home_.Path() + "/ZorEN_MQTT");

        ExpectInfo(Read(), "Успешно прочитано"_w, c.what);
        ASSERT_TRUE(FileThere()) << c.what;
        EXPECT_TRUE(FileBytes() == c.reply) << c.what;
        auto seen = s.Requests();
        ASSERT_EQ(seen.size(), 1u) << c.what;
        EXPECT_EQ(seen[0].version, "HTTP/1.0") << c.what;
        EXPECT_EQ(seen[0].body, "") << c.what;
    }
}

TEST_F(ConfigTransfer, CredentialsGoOutOnlyWithALogin) {
    struct Case {
        std::string login, password, header;
    } cases[] = {
        {"", "secret", ""},
        {"admin", "secret", "Basic YWRtaW46c2VjcmV0"},
    };
    LoopbackServer s;
    s.On("POST", "/configuration",
         [](const httplib::Request&, httplib::Response& res) { res.set_content("{}", "application/json"); });
    s.On("PUT", "/configuration", [](const httplib::Request&, httplib::Response& res) {
        res.set_content("configuration is correct\r\n", "text/plain");
    });
    s.Start();
    controller_.Ip = s.HostPort();
    for (const Case& c : cases) {
        controller_.Login = c.login;
        controller_.Password = c.password;
        Read();
        Put();
    }
    auto seen = s.Requests();
    ASSERT_EQ(seen.size(), 2 * std::size(cases));
    for (std::size_t i = 0; i < seen.size(); ++i)
        EXPECT_EQ(seen[i].Header("Authorization"), cases[i / 2].header)
            << seen[i].method << " login: " << cases[i / 2].login;
}

TEST_F(ConfigTransfer, FailedReadShowsTheErrorAndKeepsTheFile) {
    LoopbackServer s;  // answers nothing but 404
    s.Start();
    LoopbackServer moved;
    moved.On("POST", "/configuration",
             [](const httplib::Request&, httplib::Response& res) { res.set_redirect("/login.html"); });
    moved.Start();
    SilentListener silent;
    THttpClient::DefaultStallTimeoutSeconds = 1;
    struct Case {
        const char* what;
        std::string ip;
        std::string text;  // empty: any curl text
    } cases[] = {
        {"closed port", "127.0.0.1:" + std::to_string(ClosedPort()), ""},
        {"error status", s.HostPort(), "HTTP/1.1 404 Not Found"},
        {"redirect, not followed", moved.HostPort(), "HTTP/1.1 302 Found"},
        {"no address", "", ""},
        {"server never answers", silent.HostPort(), ""},
    };
    for (const Case& c : cases) {
        PutFile("{\"old\":true}");
        controller_.Ip = c.ip;
        auto shown = Read();
        ExpectError(shown, c.what);
        if (!c.text.empty() && !shown.empty()) {
            EXPECT_EQ(shown[0].text, c.text) << c.what;
        }
        EXPECT_EQ(FileBytes(), "{\"old\":true}") << c.what;
    }
}

TEST_F(ConfigTransfer, FailedFileWriteAfterReadIsAnErrorNotASuccess) {
    // The reply used to be reported as read before the file was written, and a
    // failed write then followed the success message.
    LoopbackServer s;
    s.On("POST", "/configuration", [](const httplib::Request&, httplib::Response& res) {
        res.set_content("{\"new\":true}", "application/json");
    });
    s.Start();
    controller_.Ip = s.HostPort();

    struct Case {
        const char* what;
        bool readOnly;
        long long faultAfter;
    } cases[] = {{"read-only mqtt.json", true, -1}, {"disk full midway", false, 3}};
    for (const Case& c : cases) {
        PutFile("{\"old\":true}");
        if (c.readOnly) ::chmod(nativeFile_.c_str(), 0444);
        fs1251::SetWriteFaultAfter(c.faultAfter);
        auto shown = Read();
        fs1251::SetWriteFaultAfter(-1);
        ExpectError(shown, c.what);
        if (!shown.empty()) {
            EXPECT_EQ(shown[0].text.rfind(controller_.Path + "/mqtt.json: ", 0), 0u)
                << c.what << ": " << shown[0].text;
        }
        EXPECT_EQ(FileBytes(), "{\"old\":true}") << c.what;
        ::chmod(nativeFile_.c_str(), 0644);
    }
}

TEST_F(ConfigTransfer, WriteWithoutFileNamesItAndSendsNothing) {
    LoopbackServer s;
    s.On("PUT", "/configuration", [](const httplib::Request&, httplib::Response& res) {
        res.set_content("configuration is correct\r\n", "text/plain");
    });
    s.Start();
    controller_.Ip = s.HostPort();

    auto shown = Put();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].caption, "Ошибка"_w);
    EXPECT_EQ(shown[0].text, std::string("Нет файла: "_w) + controller_.Path + "/mqtt.json");
    EXPECT_TRUE(s.Requests().empty());
    EXPECT_TRUE(fs1251::DirectoryExists(controller_.Path)) << "the command creates the folder first";
}

TEST_F(ConfigTransfer, WriteShowsTheVerdictOrTheReplyAsItCame) {
    const std::string success(std::string("Успешно записано в ЗОРЕН ..."_w));
    struct Case {
        std::string reply, shown;
    } cases[] = {
        {"configuration is correct\r\n", success},
        {"configuration is correct", "configuration is correct"},
        {"Configuration Is Correct\r\n", "Configuration Is Correct\r\n"},
        {"configuration error: unknown value at pos 3\r\n",
         "configuration error: unknown value at pos 3\r\n"},
        {"", ""},
    };
    const std::string document = std::string("{\"name\":\"") + std::string("Объект"_w) + "\"}\r\n";
    PutFile(document);
    for (const Case& c : cases) {
        LoopbackServer s;
        s.On("PUT", "/configuration", [&](const httplib::Request&, httplib::Response& res) {
            res.set_content(c.reply, "text/plain");
        });
        s.Start();
        controller_.Ip = s.HostPort();

        ExpectInfo(Put(), c.shown, "reply: " + c.reply);
        auto seen = s.Requests();
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].version, "HTTP/1.1");
        EXPECT_TRUE(seen[0].body == document) << "reply: " << c.reply;
        EXPECT_EQ(FileBytes(), document) << "reply: " << c.reply;
    }
}

TEST_F(ConfigTransfer, FailedWriteShowsTheError) {
    LoopbackServer s;
    s.On("PUT", "/configuration", [](const httplib::Request&, httplib::Response& res) {
        res.status = 401;
        res.set_content("configuration is correct\r\n", "text/plain");
    });
    s.Start();
    SilentListener silent;
    THttpClient::DefaultStallTimeoutSeconds = 1;
    struct Case {
        const char* what;
        std::string ip, text;
    } cases[] = {
        {"closed port", "127.0.0.1:" + std::to_string(ClosedPort()), ""},
        {"error status, whatever its body", s.HostPort(), "HTTP/1.1 401 Unauthorized"},
        {"server never answers", silent.HostPort(), ""},
    };
    PutFile("{}");
    for (const Case& c : cases) {
        controller_.Ip = c.ip;
        auto shown = Put();
        ExpectError(shown, c.what);
        if (!c.text.empty() && !shown.empty()) {
            EXPECT_EQ(shown[0].text, c.text) << c.what;
        }
    }
}

TEST_F(ConfigTransfer, RoadThroughTheSimulator) {
    SimProcess sim({"--port", "0", "--login", "admin", "--password", "secret"});
    ASSERT_GT(sim.Port(), 0);
    controller_.Ip = sim.HostPort();
    controller_.Login = "admin";
    controller_.Password = "secret";

    ExpectInfo(Read(), "Успешно прочитано"_w, "read");
    const std::string original = FileBytes();
    EXPECT_NE(original.find("\"mqtt\""), std::string::npos);

    std::string edited = original;
    edited.replace(edited.find("broker.dispatch.local"), 21, "10.1.1.1");
    PutFile(edited);
    ExpectInfo(Put(), "Успешно записано в ЗОРЕН ..."_w, "good write");

    PutFile("{\"mqtt\": tru}");
    ExpectInfo(Put(), "configuration error: bad value at pos 9\r\n", "broken write");

    ExpectInfo(Read(), "Успешно прочитано"_w, "read back");
    EXPECT_EQ(FileBytes(), edited);

    controller_.Password = "wrong";
    auto denied = Read();
    ExpectError(denied, "wrong password");
    EXPECT_EQ(FileBytes(), edited);
}

}  // namespace
