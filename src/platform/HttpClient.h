// The HTTP client over libcurl's easy interface: blocking POST, PUT and GET of
// byte buffers with preemptive Basic credentials, fixed time-outs and progress
// events. Nothing else in the project calls libcurl.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

struct THttpResult {
    bool ok = false;         // the exchange completed with a 2xx status (redirects are not followed)
    long status = 0;         // 0 when no complete reply came (a transfer broken after the status line included)
    std::string statusLine;  // "HTTP/1.1 404 Not Found"; empty when no complete reply came
    std::string body;        // reply body as received; empty when the transfer broke
    std::string error;       // message text when !ok: curl's text, or the status line
    explicit operator bool() const { return ok; }
};

class THttpClient {
public:
    // Time-outs every new client starts with. Tests shorten them here, since the
    // commands create their clients themselves.
    static inline long DefaultConnectTimeoutSeconds = 10;
    static inline long DefaultStallTimeoutSeconds = 30;

    // Credentials as 1251 bytes; sent with every request only when Login is not empty.
    std::string Login;
    std::string Password;
    long ConnectTimeoutSeconds = DefaultConnectTimeoutSeconds;
    long StallTimeoutSeconds =
        DefaultStallTimeoutSeconds;  // a transfer that moves no byte this long is aborted
    // Request headers sent only when not empty: "User-Agent" and "Accept"
    // (without Accept, curl announces "*/*").
    std::string UserAgent;
    std::string Accept;

    // GET progress: the announced size when the reply's headers are in (its
    // Content-Length, 0 when unknown), then the bytes received so far as data
    // arrives. Either may call Cancel().
    std::function<void(std::int64_t expected)> OnWorkBegin;
    std::function<void(std::int64_t received)> OnWork;

    // Each returns the reply; a failure (no connection, a broken or stalled
    // exchange, a status other than 2xx) gives ok == false with an error text:
    // curl's text for a network fault, the status line for a status.
    THttpResult Post(const std::string& url, const std::string& body);  // HTTP/1.0
    THttpResult Put(const std::string& url, const std::string& body);   // HTTP/1.1
    THttpResult Get(const std::string& url);                            // HTTP/1.1

    // Asks a running transfer to stop; it then fails with an error text.
    // Each new request starts uncancelled.
    void Cancel() { cancelled_ = true; }

private:
    enum class Method { Post, Put, Get };
    THttpResult Perform(Method method, const std::string& url, const std::string& body);

    std::atomic<bool> cancelled_ = false;
};
