// The controller simulator as a separate process, spoken to with THttpClient:
// the road the configurator takes, credentials, the stored document file and
// the update files.
#include <gtest/gtest.h>

#include <algorithm>

#include "exchange/ConfigExchange.h"
#include "exchange/SimProcess.h"
#include "json/TJSONValue.h"
#include "platform/Cp1251.h"
#include "platform/HttpClient.h"
#include "support/TempDir.h"

namespace {

TEST(ZorenSim, ReadsAcceptsAGoodDocumentAndNamesTheFaultOfABrokenOne) {
    SimProcess sim({"--port", "0"});
    ASSERT_GT(sim.Port(), 0);
    const std::string url = ConfigurationUrl(sim.HostPort());
    THttpClient client;

    THttpResult sample = client.Post(url, "");
    ASSERT_TRUE(sample.ok) << sample.error;
    TJSONStream stream(sample.body);
    TJSONValue root;
    ASSERT_NO_THROW(root.LoadFromStream(stream, "")) << "the built-in sample must parse";
    EXPECT_EQ(root.DefValue("mqtt/host", ""), "broker.dispatch.local");
    EXPECT_EQ(root.DefValue("buildings/0/devices/1/type", ""), "VELT");

    const std::string good = "{\"mqtt\":{\"host\":\"10.0.0.5\",\"port\":1883},\"buildings\":[]}";
    THttpResult accepted = client.Put(url, good);
    ASSERT_TRUE(accepted.ok) << accepted.error;
    EXPECT_EQ(accepted.body, "configuration is correct\r\n");

    struct Case {
        std::string body, reply;
    } broken[] = {
        {"[1,]", "configuration error: unknown value at pos 3\r\n"},
        {"", "configuration error: unexpected end of file at pos 0\r\n"},
        {"{\"a\":1}{", "configuration error: unexpected data at pos 7\r\n"},
    };
    for (const Case& c : broken) {
        THttpResult r = client.Put(url, c.body);
        ASSERT_TRUE(r.ok) << "body: " << c.body << ": " << r.error;
        EXPECT_EQ(r.status, 200) << "body: " << c.body;
        EXPECT_EQ(r.body, c.reply) << "body: " << c.body;
    }

    THttpResult back = client.Post(url, "");
    EXPECT_EQ(back.body, good) << "a refused document must not replace the accepted one";

    EXPECT_EQ(sim.Stop(), 0);
    const auto& log = sim.Log();
    EXPECT_NE(std::find(log.begin(), log.end(), "POST /configuration HTTP/1.0 200"), log.end());
    EXPECT_NE(std::find(log.begin(), log.end(), "PUT /configuration HTTP/1.1 200"), log.end());
}

TEST(ZorenSim, AsksForItsCredentials) {
    // The command line is UTF-8; the configurator sends 1251 bytes.
    SimProcess sim({"--port", "0", "--login", "инженер", "--password", "secret"});
    ASSERT_GT(sim.Port(), 0);
    const std::string login(std::string("инженер"_w));
    struct Case {
        std::string login, password;
        long status;
    } cases[] = {
        {"", "", 401},
        {login, "wrong", 401},
        {"инженер", "secret", 401},
        {std::string("ИНЖЕНЕР"_w), "secret", 401},
        {login, "secret", 200},
    };
    for (const Case& c : cases) {
        THttpClient client;
        client.Login = c.login;
        client.Password = c.password;
        EXPECT_EQ(client.Post(sim.Url("/configuration"), "").status, c.status)
            << c.login << ":" << c.password;
        EXPECT_EQ(client.Put(sim.Url("/configuration"), "{}").status, c.status)
            << c.login << ":" << c.password;
    }
}

TEST(ZorenSim, KeepsTheDocumentFileAndServesUpdateFiles) {
    TempDir dir;
    const std::string doc = dir / "mqtt.json";
    TempDir::WriteFile(doc, "{\"stored\":true}");
    TempDir::WriteFile(dir / "release_r.txt", "release notes");
    SimProcess sim({"--port", "0", "--document", doc, "--update-dir", dir.Path()});
    ASSERT_GT(sim.Port(), 0);
    THttpClient client;

    EXPECT_EQ(client.Post(sim.Url("/configuration"), "").body, "{\"stored\":true}");
    client.Put(sim.Url("/configuration"), "{\"stored\":2}");
    EXPECT_EQ(TempDir::ReadFile(doc), "{\"stored\":2}");
    client.Put(sim.Url("/configuration"), "{\"stored\":");
    EXPECT_EQ(TempDir::ReadFile(doc), "{\"stored\":2}");

    struct Case {
        std::string path;
        long status;
        std::string body;
    } cases[] = {
        {"/update/zoren_mqtt/release_r.txt", 200, "release notes"},
        {"/update/zoren_mqtt/setup.exe", 404, ""},
        {"/update/zoren_mqtt/..%2Fmqtt.json", 400, ""},
        {"/update/zoren_mqtt/sub%2Fmqtt.json", 400, ""},
        {"/elsewhere", 404, ""},
    };
    for (const Case& c : cases) {
        THttpResult r = client.Get(sim.Url(c.path));
        EXPECT_EQ(r.status, c.status) << c.path;
        if (c.status == 200) {
            EXPECT_EQ(r.body, c.body) << c.path;
        }
    }
    EXPECT_EQ(sim.Stop(), 0);
}

}  // namespace
