// The read and write commands of the main window against servers that fail
// in the ways real networks do: each ends in one error window captioned
// "Ошибка", leaves mqtt.json as it was, and the window goes on working.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTreeWidget>

#include "exchange/ConfigExchange.h"
#include "exchange/LoopbackServer.h"
#include "platform/Cp1251.h"
#include "platform/FileSystem.h"
#include "platform/HttpClient.h"
#include "registry/ZOREN_OBJECT_LIST.h"
#include "reliability/FaultServer.h"
#include "reliability/ShownMessages.h"
#include "support/MainWindowRun.h"

namespace {

using Command = void (TFormZorenMain::*)();

// One controller in the register, the main window shown with it selected.
class NetworkFaults : public MainWindowRun {
protected:
    NetworkFaults() {
        THttpClient::DefaultConnectTimeoutSeconds = 2;
        THttpClient::DefaultStallTimeoutSeconds = 1;
        name_ = std::string("Котельная"_w);
        path_ = fs1251::ModelPath(Home().Path()) + "/ZorEN_MQTT/Objects/" + name_;
        file_ = path_ + "/mqtt.json";
        WriteIni("[OBJECT0]\r\nName=" + name_ + "\r\nIp=127.0.0.1:1\r\nPath=" + path_ + "\r\n");
        Start();
        Window().SelectRow(0);
    }
    ~NetworkFaults() override {
        THttpClient::DefaultConnectTimeoutSeconds = savedConnect_;
        THttpClient::DefaultStallTimeoutSeconds = savedStall_;
    }

    void SetAddress(const std::string& ip) { ObjectList.Get(0)->Ip = ip; }
    void PutFile(const std::string& bytes) {
        fs1251::CreateDirs(path_);
        std::string error;
        ASSERT_TRUE(fs1251::WriteFileAtomic(file_, bytes, error)) << error;
    }
    std::string FileBytes() const {
        std::string bytes, error;
        fs1251::ReadWholeFile(file_, bytes, error);
        return bytes;
    }
    std::vector<ShownMessage> Run(Command command) {
        ShownMessages messages;
        (Window().*command)();
        QCoreApplication::processEvents();
        return messages.All();
    }

    const long savedConnect_ = THttpClient::DefaultConnectTimeoutSeconds;
    const long savedStall_ = THttpClient::DefaultStallTimeoutSeconds;
    std::string name_, path_, file_;
};

void ExpectOneError(const std::vector<ShownMessage>& shown, const std::string& expected, const std::string& what) {
    ASSERT_EQ(shown.size(), 1u) << what;
    EXPECT_EQ(shown[0].caption, "Ошибка"_w) << what;
    if (expected.empty())
        EXPECT_FALSE(shown[0].text.empty()) << what;
    else
        EXPECT_EQ(shown[0].text, expected) << what;
}

}  // namespace

TEST_F(NetworkFaults, EachFaultIsOneErrorAndTheFileStays) {
    LoopbackServer failing;
    for (const char* method : {"POST", "PUT"})
        failing.On(method, "/configuration", [](const httplib::Request&, httplib::Response& res) {
            res.status = 500;
            res.set_content("configuration is correct\r\n", "text/plain");  // a body that must not count
        });
    failing.Start();
    FaultServer reset(FaultServer::Fault::ResetMidBody);
    FaultServer trickle(FaultServer::Fault::Trickle);
    FaultServer hold(FaultServer::Fault::Hold);
    SilentListener backlog;  // the handshake completes, nobody accepts

    struct Case {
        const char* what;
        std::string ip;
        std::string text;  // empty: curl's own text, whatever it is
    } cases[] = {
        {"connection refused", "127.0.0.1:" + std::to_string(ClosedPort()), ""},
        {"reset in the middle of the body", reset.HostPort(), ""},
        {"trickle slower than the stall limit", trickle.HostPort(), ""},
        {"accepted and never answered", hold.HostPort(), ""},
        {"never accepted", backlog.HostPort(), ""},
        {"500 with a body", failing.HostPort(), "HTTP/1.1 500 Internal Server Error"},
        {"address that is no address", "[::1", ""},
    };
    const std::string old = "{\"old\":\"" + std::string("документ"_w) + "\"}\r\n";
    for (const Case& c : cases) {
        PutFile(old);
        SetAddress(c.ip);
        ExpectOneError(Run(&TFormZorenMain::pmReadConfigClick), c.text, std::string("read, ") + c.what);
        EXPECT_EQ(FileBytes(), old) << "read, " << c.what;
        ExpectOneError(Run(&TFormZorenMain::pmPutConfigClick), c.text, std::string("write, ") + c.what);
        EXPECT_EQ(FileBytes(), old) << "write, " << c.what;
    }
    EXPECT_GE(reset.Requests(), 2);
    EXPECT_GE(trickle.Requests(), 2);

    // The window goes on: the same controller is still selected and a good
    // server is read at once.
    LoopbackServer good;
    good.On("POST", "/configuration",
            [](const httplib::Request&, httplib::Response& res) { res.set_content("{\"new\":1}", "application/json"); });
    good.Start();
    SetAddress(good.HostPort());
    ASSERT_EQ(Window().SelectedRow(), 0);
    auto shown = Run(&TFormZorenMain::pmReadConfigClick);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].caption, "Внимание"_w);
    EXPECT_EQ(shown[0].text, "Успешно прочитано"_w);
    EXPECT_EQ(FileBytes(), "{\"new\":1}");
    EXPECT_TRUE(Window().isVisible());

    // And the register reaches the settings file at the end of the run.
    Stop();
    EXPECT_EQ(ReadIni()->ReadString("OBJECT0", "Name", ""), name_);
}

TEST_F(NetworkFaults, FiftyMegabyteReadIsStoredWhole) {
    // A read takes whatever the controller sends: the file is the reply, byte for byte.
    std::string big(50u << 20, ' ');
    big.front() = '[';
    big.back() = ']';
    for (std::size_t i = 1; i + 1 < big.size(); i += 4099) big[i] = '\n';
    LoopbackServer s;
    s.On("POST", "/configuration",
         [&](const httplib::Request&, httplib::Response& res) { res.set_content(big, "application/json"); });
    s.Start();
    SetAddress(s.HostPort());
    PutFile("{}");

    auto shown = Run(&TFormZorenMain::pmReadConfigClick);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "Успешно прочитано"_w);
    const std::string stored = FileBytes();
    EXPECT_EQ(stored.size(), big.size());
    EXPECT_TRUE(stored == big);
}

TEST_F(NetworkFaults, FiftyMegabyteVerdictIsShownCut) {
    // The whole reply went into the message window, which froze for minutes laying it out.
    std::string big(50u << 20, 'e');
    LoopbackServer s;
    s.On("PUT", "/configuration",
         [&](const httplib::Request&, httplib::Response& res) { res.set_content(big, "text/plain"); });
    s.Start();
    SetAddress(s.HostPort());
    PutFile("{}");

    auto shown = Run(&TFormZorenMain::pmPutConfigClick);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].caption, "Внимание"_w);
    EXPECT_EQ(shown[0].text, big.substr(0, kVerdictShownMax) + " ...");
}
