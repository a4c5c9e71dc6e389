// The HTTP client over libcurl's easy interface: blocking POST, PUT and GET of
// byte buffers with preemptive Basic credentials, fixed time-outs and progress
// events. Nothing else in the project calls libcurl.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

struct THttpResult {
    bool ok = false;           // the exchange completed with a status below 400
    long status = 0;           // 0 when no reply came
    std::string statusLine;    // "HTTP/1.1 404 Not Found"; empty when no reply came
    std::string body;          // reply body as received
    std::string error;         // message text when !ok: curl's text, or the status line
    explicit operator bool() const { return ok; }
};

class THttpClient {
public:
    // Credentials as 1251 bytes; sent with every request only when Login is not empty.
    std::string Login;
    std::string Password;
    long ConnectTimeoutSeconds = 10;
    long StallTimeoutSeconds = 30;  // a transfer that moves no byte this long is aborted

    // GET progress: the announced size when the transfer begins (0 when unknown),
    // then the bytes received so far.
    std::function<void(std::int64_t expected)> OnWorkBegin;
    std::function<void(std::int64_t received)> OnWork;

    THttpResult Post(const std::string& url, const std::string& body);  // HTTP/1.0
    THttpResult Put(const std::string& url, const std::string& body);   // HTTP/1.1
    THttpResult Get(const std::string& url);

    // Asks a running transfer to stop; it then fails with an error text.
    void Cancel() { cancelled_ = true; }

private:
    bool cancelled_ = false;
};
