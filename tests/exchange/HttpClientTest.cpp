// THttpClient against real servers on loopback: the requests it sends, the
// replies and faults it reports, and its progress events.
#include <gtest/gtest.h>

#include "exchange/LoopbackServer.h"
#include "platform/Cp1251.h"
#include "platform/HttpClient.h"

namespace {

TEST(HttpClient, PostGoesOutAsHttp10WithAnEmptyBody) {
    LoopbackServer s;
    s.On("POST", "/configuration", [](const httplib::Request&, httplib::Response& res) {
        res.set_content("{\"a\":1}", "application/json");
    });
    s.Start();

    THttpClient client;
    THttpResult r = client.Post("http://" + s.HostPort() + "/configuration", "");
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.status, 200);
    EXPECT_EQ(r.statusLine, "HTTP/1.1 200 OK");
    EXPECT_EQ(r.body, "{\"a\":1}");

    auto seen = s.Requests();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].version, "HTTP/1.0");
    EXPECT_EQ(seen[0].body, "");
    EXPECT_EQ(seen[0].Header("Content-Length"), "0");
    EXPECT_EQ(seen[0].Header("Host"), s.HostPort());
    EXPECT_FALSE(seen[0].Has("Authorization"));
}

TEST(HttpClient, PutSendsTheExactBytesAsHttp11WithoutExpect) {
    LoopbackServer s;
    s.On("PUT", "/configuration", [](const httplib::Request&, httplib::Response& res) {
        res.set_content("configuration is correct\r\n", "text/plain");
    });
    s.Start();

    // Large enough that curl would otherwise ask for 100 Continue; with
    // bytes that are neither UTF-8 nor text.
    std::string body = std::string("{\"name\":\"") + std::string("Объект"_w) + "\"}\r\n";
    body += std::string(1, '\0') + std::string(2 << 20, 'x') + "\xff\xfe";

    THttpClient client;
    THttpResult r = client.Put("http://" + s.HostPort() + "/configuration", body);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.body, "configuration is correct\r\n");

    auto seen = s.Requests();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].method, "PUT");
    EXPECT_EQ(seen[0].version, "HTTP/1.1");
    EXPECT_TRUE(seen[0].body == body) << "body of " << seen[0].body.size() << " bytes differs";
    EXPECT_FALSE(seen[0].Has("Expect"));
    // Announced as form data, a document over 8 KiB is refused by common servers.
    EXPECT_FALSE(seen[0].Has("Content-Type"));
}

TEST(HttpClient, SendsBasicCredentialsExactlyWhenLoginIsSet) {
    struct Case {
        std::string login, password;
        std::string expected;  // empty: no Authorization header
    } cases[] = {
        {"", "", ""},
        {"", "secret", ""},  // a password alone sends nothing
        {"admin", "", "Basic YWRtaW46"},
        {"user", "p:w", "Basic dXNlcjpwOnc="},
        {std::string("Иван"_w), std::string("пароль"_w), "Basic yOLg7Trv4PDu6/w="},  // 1251 bytes, not UTF-8
    };
    LoopbackServer s;
    s.On("POST", "/configuration",
         [](const httplib::Request&, httplib::Response& res) { res.set_content("", "text/plain"); });
    s.On("PUT", "/configuration",
         [](const httplib::Request&, httplib::Response& res) { res.set_content("", "text/plain"); });
    s.Start();

    for (const Case& c : cases) {
        THttpClient client;
        client.Login = c.login;
        client.Password = c.password;
        ASSERT_TRUE(client.Post(s.Url("/configuration"), "")) << "login: " << c.login;
        ASSERT_TRUE(client.Put(s.Url("/configuration"), "{}")) << "login: " << c.login;
    }
    auto seen = s.Requests();
    ASSERT_EQ(seen.size(), 2 * std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        for (std::size_t k = 0; k < 2; ++k) {
            const SeenRequest& req = seen[2 * i + k];
            EXPECT_EQ(req.Has("Authorization"), !cases[i].expected.empty())
                << "login: " << cases[i].login << " " << req.method;
            EXPECT_EQ(req.Header("Authorization"), cases[i].expected)
                << "login: " << cases[i].login << " " << req.method;
        }
    }
}

TEST(HttpClient, ErrorStatusFailsWithTheStatusLineAndKeepsTheBody) {
    LoopbackServer s;
    s.On("GET", "/secret", [](const httplib::Request&, httplib::Response& res) {
        res.status = 401;
        res.set_content("no", "text/plain");
    });
    s.Start();

    THttpClient client;
    THttpResult missing = client.Post(s.Url("/nothing"), "");
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.status, 404);
    EXPECT_EQ(missing.error, "HTTP/1.1 404 Not Found");
    EXPECT_EQ(missing.statusLine, "HTTP/1.1 404 Not Found");

    THttpResult denied = client.Get(s.Url("/secret"));
    EXPECT_FALSE(denied.ok);
    EXPECT_EQ(denied.status, 401);
    EXPECT_EQ(denied.error, "HTTP/1.1 401 Unauthorized");
    EXPECT_EQ(denied.body, "no");
}

TEST(HttpClient, RedirectIsNotFollowed) {
    LoopbackServer s;
    s.On("POST", "/configuration",
         [](const httplib::Request&, httplib::Response& res) { res.set_redirect("/elsewhere"); });
    s.On("POST", "/elsewhere",
         [](const httplib::Request&, httplib::Response& res) { res.set_content("moved", "text/plain"); });
    s.Start();

    THttpClient client;
    THttpResult r = client.Post(s.Url("/configuration"), "");
    EXPECT_FALSE(r.ok) << "a redirect page is not the resource";
    EXPECT_EQ(r.status, 302);
    EXPECT_EQ(r.error, "HTTP/1.1 302 Found");
    EXPECT_NE(r.body, "moved");
    ASSERT_EQ(s.Requests().size(), 1u);
    EXPECT_EQ(s.Requests()[0].path, "/configuration");
}

TEST(HttpClient, NetworkFaultsFailWithCurlsText) {
    THttpClient client;
    THttpResult refused =
        client.Post("http://127.0.0.1:" + std::to_string(ClosedPort()) + "/configuration", "");
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.status, 0);
    EXPECT_TRUE(refused.statusLine.empty());
    EXPECT_NE(refused.error.find("Couldn't connect to server"), std::string::npos) << refused.error;

    // An empty address, as a record without one gives.
    THttpResult bad = client.Post("http:///configuration", "");
    EXPECT_FALSE(bad.ok);
    EXPECT_FALSE(bad.error.empty());
}

TEST(HttpClient, ServerThatNeverAnswersFailsAfterTheStallTime) {
    SilentListener silent;
    THttpClient client;
    client.StallTimeoutSeconds = 1;
    THttpResult r = client.Post("http://" + silent.HostPort() + "/configuration", "");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.error.find("Operation too slow"), std::string::npos) << r.error;
}

TEST(HttpClient, StatusLineIsTheFinalOneAfterAnInterimBlock) {
    RawReplyServer raw(
        "HTTP/1.1 100 Continue\r\n\r\n"
        "HTTP/1.1 200 Fine Here\r\nContent-Length: 2\r\nConnection: close\r\n\r\nok");
    THttpClient client;
    THttpResult r = client.Put("http://" + raw.HostPort() + "/configuration", "{}");
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.status, 200);
    EXPECT_EQ(r.statusLine, "HTTP/1.1 200 Fine Here");
    EXPECT_EQ(r.body, "ok");
}

struct WorkLog {
    std::vector<std::int64_t> begins;
    std::vector<std::int64_t> progress;
    void Attach(THttpClient& client) {
        client.OnWorkBegin = [this](std::int64_t expected) { begins.push_back(expected); };
        client.OnWork = [this](std::int64_t received) { progress.push_back(received); };
    }
};

TEST(HttpClient, GetReportsTheAnnouncedSizeThenTheBytesSoFar) {
    const std::string big(1 << 20, 'z');
    LoopbackServer s;
    s.On("GET", "/fixed", [&](const httplib::Request&, httplib::Response& res) {
        res.set_content(big, "application/octet-stream");
    });
    s.On("GET", "/chunked", [&](const httplib::Request&, httplib::Response& res) {
        res.set_chunked_content_provider(
            "application/octet-stream", [&](size_t offset, httplib::DataSink& sink) {
                if (offset >= big.size()) {
                    sink.done();
                    return true;
                }
                sink.write(big.data() + offset, std::min<std::size_t>(65536, big.size() - offset));
                return true;
            });
    });
    s.Start();

    struct Case {
        const char* path;
        std::int64_t announced;
    } cases[] = {{"/fixed", std::int64_t(big.size())}, {"/chunked", 0}};
    for (const Case& c : cases) {
        THttpClient client;
        WorkLog log;
        log.Attach(client);
        THttpResult r = client.Get(s.Url(c.path));
        ASSERT_TRUE(r.ok) << c.path << ": " << r.error;
        EXPECT_EQ(r.body.size(), big.size()) << c.path;
        ASSERT_EQ(log.begins.size(), 1u) << c.path;
        EXPECT_EQ(log.begins[0], c.announced) << c.path;
        ASSERT_FALSE(log.progress.empty()) << c.path;
        EXPECT_EQ(log.progress.back(), std::int64_t(big.size())) << c.path;
        EXPECT_TRUE(std::is_sorted(log.progress.begin(), log.progress.end())) << c.path;
    }
}

TEST(HttpClient, PostAndPutReportNoWork) {
    LoopbackServer s;
    s.On("POST", "/configuration",
         [](const httplib::Request&, httplib::Response& res) { res.set_content("{}", "text/plain"); });
    s.Start();
    THttpClient client;
    WorkLog log;
    log.Attach(client);
    ASSERT_TRUE(client.Post(s.Url("/configuration"), ""));
    EXPECT_TRUE(log.begins.empty());
    EXPECT_TRUE(log.progress.empty());
}

TEST(HttpClient, CancelFromAWorkEventAbortsTheTransfer) {
    const std::string big(4 << 20, 'q');
    LoopbackServer s;
    s.On("GET", "/setup.exe", [&](const httplib::Request&, httplib::Response& res) {
        res.set_content(big, "application/octet-stream");
    });
    s.Start();

    THttpClient client;
    client.OnWork = [&](std::int64_t) { client.Cancel(); };
    THttpResult r = client.Get(s.Url("/setup.exe"));
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.error.empty());
    EXPECT_LT(r.body.size(), big.size());

    // The next request starts afresh.
    client.OnWork = nullptr;
    THttpResult again = client.Get(s.Url("/setup.exe"));
    ASSERT_TRUE(again.ok) << again.error;
    EXPECT_EQ(again.body.size(), big.size());
}

}  // namespace
