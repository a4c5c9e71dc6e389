// The HTTP client on transfers that break after the status line: the result
// must not look like a reply to a caller that reads only the status.
#include <gtest/gtest.h>

#include "platform/HttpClient.h"
#include "reliability/FaultServer.h"

TEST(BrokenTransfer, CarriesNoStatusAndNoBody) {
    // A reset in the middle of a 200 reply used to leave status 200 and the
    // partial body, so the update download saved and started a cut-off installer.
    const long savedStall = THttpClient::DefaultStallTimeoutSeconds;
    THttpClient::DefaultStallTimeoutSeconds = 1;
    struct Case {
        const char* what;
        FaultServer::Fault fault;
    } cases[] = {
        {"reset in the middle of the body", FaultServer::Fault::ResetMidBody},
        {"trickle slower than the stall limit", FaultServer::Fault::Trickle},
    };
    for (const Case& c : cases) {
        FaultServer server(c.fault);
        const std::string url = "http://" + server.HostPort() + "/update/zoren_mqtt/setup.exe";
        for (int method = 0; method < 3; ++method) {
            THttpClient client;
            const THttpResult r = method == 0 ? client.Get(url) : method == 1 ? client.Post(url, "") : client.Put(url, "{}");
            EXPECT_FALSE(r.ok) << c.what << ", method " << method;
            EXPECT_EQ(r.status, 0) << c.what << ", method " << method;
            EXPECT_TRUE(r.statusLine.empty()) << c.what << ", method " << method;
            EXPECT_TRUE(r.body.empty()) << c.what << ", method " << method;
            EXPECT_FALSE(r.error.empty()) << c.what << ", method " << method;
        }
    }
    THttpClient::DefaultStallTimeoutSeconds = savedStall;
}
