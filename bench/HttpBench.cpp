// Configuration transfer on loopback: reads (POST) and writes (PUT) of a
// 20 KB document through THttpClient against a keep-alive cpp-httplib server
// on 127.0.0.1, and bare libcurl doing the same requests, once with one easy
// handle kept for all requests (keep-alive, HTTP/1.1) and once with a new
// handle per request and the read over HTTP/1.0, exactly as THttpClient does.
// (A kept handle with the read over HTTP/1.0 fails here now and then with
// "Failed sending data to the peer": curl reuses a connection the server is
// closing. Keeping connections needs the read over HTTP/1.1.)
// Each repetition is 1,000 requests timed on the wall clock; "max_ms" is the
// slowest single request (its "max" aggregate: the slowest of the whole run).
#include <benchmark/benchmark.h>
#include <curl/curl.h>
#include <httplib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>

#include "MqttDocument.h"
#include "platform/HttpClient.h"

namespace {

constexpr char kAccepted[] = "configuration is correct\r\n";

struct Server {
    httplib::Server http;
    std::thread thread;
    int port = 0;
    std::string document;

    Server() : document(MakeMqttDocument(9)) {
        http.set_keep_alive_max_count(1000000);
        // Without it the reply's second write waits for the client's delayed ACK on a kept connection.
        http.set_tcp_nodelay(true);
        http.Post("/configuration", [this](const httplib::Request&, httplib::Response& res) {
            res.set_content(document, "application/json");
        });
        http.Put("/configuration", [this](const httplib::Request& req, httplib::Response& res) {
            res.set_content(req.body.size() == document.size() ? kAccepted : "configuration error\r\n",
                            "text/plain");
        });
        port = http.bind_to_any_port("127.0.0.1");
        thread = std::thread([this] { http.listen_after_bind(); });
        while (!http.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(2));
        std::fprintf(stderr, "bench: document %zu bytes, server on 127.0.0.1:%d\n", document.size(), port);
    }
    ~Server() {
        http.stop();
        thread.join();
    }
    std::string Url() const { return "http://127.0.0.1:" + std::to_string(port) + "/configuration"; }
};

Server* server = nullptr;

enum class Kind { Read, Write };

// Times each request, so that the slowest one can be reported.
template <typename Request>
void Run(benchmark::State& state, Request request) {
    double slowest = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        if (!request()) {
            state.SkipWithError("request failed");
            break;
        }
        const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        slowest = std::max(slowest, took.count());
    }
    state.counters["max_ms"] = slowest;
    state.counters["wall_clock"] = 1;
}

void Ours(benchmark::State& state, Kind kind) {
    const std::string url = server->Url();
    THttpClient client;
    Run(state, [&] {
        const THttpResult r = kind == Kind::Read ? client.Post(url, "") : client.Put(url, server->document);
        return r.ok && (kind == Kind::Read ? r.body.size() == server->document.size() : r.body == kAccepted);
    });
}

size_t Append(char* data, size_t size, size_t count, void* user) {
    static_cast<std::string*>(user)->append(data, size * count);
    return size * count;
}

struct Easy {
    CURL* h = curl_easy_init();
    curl_slist* headers = curl_slist_append(curl_slist_append(nullptr, "Expect:"), "Content-Type:");
    ~Easy() {
        curl_easy_cleanup(h);
        curl_slist_free_all(headers);
    }
};

// The request THttpClient sends: POST over HTTP/1.0 with an empty body, PUT over HTTP/1.1.
// With keepAlive the POST goes over HTTP/1.1 too, so a kept handle keeps its connection.
bool CurlRequest(Easy& e, Kind kind, const std::string& url, std::string& reply, bool keepAlive) {
    reply.clear();
    curl_easy_setopt(e.h, CURLOPT_URL, url.c_str());
    curl_easy_setopt(e.h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(e.h, CURLOPT_PROXY, "");
    curl_easy_setopt(e.h, CURLOPT_HTTPHEADER, e.headers);
    curl_easy_setopt(e.h, CURLOPT_WRITEFUNCTION, Append);
    curl_easy_setopt(e.h, CURLOPT_WRITEDATA, &reply);
    if (kind == Kind::Read) {
        curl_easy_setopt(e.h, CURLOPT_HTTP_VERSION,
                         static_cast<long>(keepAlive ? CURL_HTTP_VERSION_1_1 : CURL_HTTP_VERSION_1_0));
        curl_easy_setopt(e.h, CURLOPT_POST, 1L);
        curl_easy_setopt(e.h, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(0));
        curl_easy_setopt(e.h, CURLOPT_POSTFIELDS, "");
    } else {
        curl_easy_setopt(e.h, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
        curl_easy_setopt(e.h, CURLOPT_CUSTOMREQUEST, "PUT");
        curl_easy_setopt(e.h, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(server->document.size()));
        curl_easy_setopt(e.h, CURLOPT_POSTFIELDS, server->document.data());
    }
    if (const CURLcode code = curl_easy_perform(e.h); code != CURLE_OK) {
        std::fprintf(stderr, "bench: libcurl: %s\n", curl_easy_strerror(code));
        return false;
    }
    long status = 0;
    curl_easy_getinfo(e.h, CURLINFO_RESPONSE_CODE, &status);
    return status == 200 &&
           (kind == Kind::Read ? reply.size() == server->document.size() : reply == kAccepted);
}

void CurlReused(benchmark::State& state, Kind kind) {
    state.counters["target"] = 1 / 1.1;
    const std::string url = server->Url();
    Easy e;
    std::string reply;
    Run(state, [&] { return CurlRequest(e, kind, url, reply, true); });
}

void CurlFresh(benchmark::State& state, Kind kind) {
    const std::string url = server->Url();
    std::string reply;
    Run(state, [&] {
        Easy e;
        return CurlRequest(e, kind, url, reply, false);
    });
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    curl_global_init(CURL_GLOBAL_DEFAULT);
    Server s;
    server = &s;
    for (Kind kind : {Kind::Read, Kind::Write}) {
        const std::string group = kind == Kind::Read ? "http/read-post-20k/" : "http/write-put-20k/";
        using Fn = void (*)(benchmark::State&, Kind);
        const std::pair<const char*, Fn> impls[] = {{"THttpClient", Ours},
                                                    {"libcurl-one-handle", CurlReused},
                                                    {"libcurl-handle-per-request", CurlFresh}};
        for (const auto& [impl, fn] : impls)
            benchmark::RegisterBenchmark((group + impl).c_str(), fn, kind)
                ->Iterations(1000)
                ->UseRealTime()
                ->Unit(benchmark::kMicrosecond)
                ->ComputeStatistics("max", [](const std::vector<double>& v) {
                    return *std::max_element(v.begin(), v.end());
                });
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    server = nullptr;
    return 0;
}
