// libcurl behind THttpClient: one easy handle per request, released when it ends.
#include "platform/HttpClient.h"

#include <curl/curl.h>

#include <cctype>
#include <cstdlib>
#include <memory>
#include <mutex>

namespace {

void GlobalInit() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

bool StartsWithNoCase(const std::string& text, const char* prefix) {
    for (std::size_t i = 0; prefix[i]; ++i) {
        if (i >= text.size()) return false;
        if (std::tolower(static_cast<unsigned char>(text[i])) !=
            std::tolower(static_cast<unsigned char>(prefix[i])))
            return false;
    }
    return true;
}

struct Transfer {
    THttpClient* client = nullptr;
    const std::atomic<bool>* cancelled = nullptr;
    bool reportWork = false;
    THttpResult* result = nullptr;

    // State of the header block being received.
    std::string blockStatusLine;
    long blockStatus = 0;
    std::int64_t blockLength = 0;
    bool begun = false;
    bool aborted = false;
};

// Called once per header line; several blocks arrive for 1xx replies.
size_t OnHeader(char* data, size_t size, size_t count, void* user) {
    auto& t = *static_cast<Transfer*>(user);
    const size_t n = size * count;
    std::string line(data, n);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();

    if (StartsWithNoCase(line, "HTTP/")) {
        t.blockStatusLine = line;
        t.blockLength = 0;
        t.blockStatus = 0;
        const auto space = line.find(' ');
        if (space != std::string::npos) t.blockStatus = std::strtol(line.c_str() + space + 1, nullptr, 10);
    } else if (StartsWithNoCase(line, "Content-Length:")) {
        t.blockLength = std::strtoll(line.c_str() + 15, nullptr, 10);
        if (t.blockLength < 0) t.blockLength = 0;
    } else if (line.empty() && !t.blockStatusLine.empty()) {
        // The end of a block: an interim (1xx) one is followed by the final one.
        if (t.blockStatus >= 200 || t.blockStatus < 100) {
            t.result->statusLine = t.blockStatusLine;
            t.result->status = t.blockStatus;
            if (t.reportWork && !t.begun) {
                t.begun = true;
                if (t.client->OnWorkBegin) t.client->OnWorkBegin(t.blockLength);
            }
        }
    }
    if (*t.cancelled) {
        t.aborted = true;
        return 0;
    }
    return n;
}

size_t OnBody(char* data, size_t size, size_t count, void* user) {
    auto& t = *static_cast<Transfer*>(user);
    const size_t n = size * count;
    if (*t.cancelled) {
        t.aborted = true;
        return 0;  // makes curl fail the transfer
    }
    t.result->body.append(data, n);
    if (t.reportWork && t.client->OnWork) t.client->OnWork(static_cast<std::int64_t>(t.result->body.size()));
    if (*t.cancelled) {
        t.aborted = true;
        return 0;
    }
    return n;
}

// Lets a cancel take effect while no data moves.
int OnProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    auto& t = *static_cast<Transfer*>(user);
    if (*t.cancelled) {
        t.aborted = true;
        return 1;
    }
    return 0;
}

struct EasyDeleter {
    void operator()(CURL* h) const { curl_easy_cleanup(h); }
};
struct ListDeleter {
    void operator()(curl_slist* l) const { curl_slist_free_all(l); }
};

}  // namespace

THttpResult THttpClient::Post(const std::string& url, const std::string& body) {
    return Perform(Method::Post, url, body);
}
THttpResult THttpClient::Put(const std::string& url, const std::string& body) {
    return Perform(Method::Put, url, body);
}
THttpResult THttpClient::Get(const std::string& url) { return Perform(Method::Get, url, {}); }

THttpResult THttpClient::Perform(Method method, const std::string& url, const std::string& body) {
    GlobalInit();
    cancelled_ = false;
    THttpResult result;

    std::unique_ptr<CURL, EasyDeleter> easy(curl_easy_init());
    if (!easy) {
        result.error = curl_easy_strerror(CURLE_FAILED_INIT);
        return result;
    }
    CURL* h = easy.get();

    Transfer t;
    t.client = this;
    t.cancelled = &cancelled_;
    t.reportWork = method == Method::Get;
    t.result = &result;

    char errorBuffer[CURL_ERROR_SIZE] = {};
    // Both remove curl's defaults: "Expect:" keeps it from waiting for a 100 Continue,
    // "Content-Type:" keeps the document from being announced as form data, which
    // servers cap at a few kilobytes; the body is opaque bytes.
    std::unique_ptr<curl_slist, ListDeleter> headers(curl_slist_append(nullptr, "Expect:"));
    curl_slist_append(headers.get(), "Content-Type:");
    if (!Accept.empty()) curl_slist_append(headers.get(), ("Accept: " + Accept).c_str());

    curl_easy_setopt(h, CURLOPT_URL, url.c_str());
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_PROXY, "");  // the controller sits on the local network
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(h, CURLOPT_ERRORBUFFER, errorBuffer);
    curl_easy_setopt(h, CURLOPT_HTTPHEADER, headers.get());
    if (!UserAgent.empty()) curl_easy_setopt(h, CURLOPT_USERAGENT, UserAgent.c_str());
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT, ConnectTimeoutSeconds);
    curl_easy_setopt(h, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(h, CURLOPT_LOW_SPEED_TIME, StallTimeoutSeconds);
    curl_easy_setopt(h, CURLOPT_HEADERFUNCTION, OnHeader);
    curl_easy_setopt(h, CURLOPT_HEADERDATA, &t);
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, OnBody);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, &t);
    curl_easy_setopt(h, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(h, CURLOPT_XFERINFOFUNCTION, OnProgress);
    curl_easy_setopt(h, CURLOPT_XFERINFODATA, &t);

    if (!Login.empty()) {
        // CURLAUTH_BASIC alone sends the credentials with the first request.
        curl_easy_setopt(h, CURLOPT_HTTPAUTH, static_cast<long>(CURLAUTH_BASIC));
        curl_easy_setopt(h, CURLOPT_USERNAME, Login.c_str());
        curl_easy_setopt(h, CURLOPT_PASSWORD, Password.c_str());
    }

    switch (method) {
        case Method::Post:
            curl_easy_setopt(h, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_0));
            curl_easy_setopt(h, CURLOPT_POST, 1L);
            curl_easy_setopt(h, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
            curl_easy_setopt(h, CURLOPT_POSTFIELDS, body.data());
            break;
        case Method::Put:
            curl_easy_setopt(h, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
            curl_easy_setopt(h, CURLOPT_CUSTOMREQUEST, "PUT");
            curl_easy_setopt(h, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
            curl_easy_setopt(h, CURLOPT_POSTFIELDS, body.data());
            break;
        case Method::Get:
            curl_easy_setopt(h, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
            curl_easy_setopt(h, CURLOPT_HTTPGET, 1L);
            break;
    }

    const CURLcode code = curl_easy_perform(h);
    if (code != CURLE_OK) {
        // A broken or stalled transfer carries no reply, even when a status
        // came first: a caller that looks only at the status must not take a
        // cut-off body (a truncated installer, half a release history) for the whole.
        result = THttpResult();
        if (t.aborted)
            result.error = "Transfer cancelled";
        else
            result.error = errorBuffer[0] ? std::string(errorBuffer) : std::string(curl_easy_strerror(code));
        return result;
    }

    long status = 0;
    curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &status);
    if (status != 0) result.status = status;
    if (result.statusLine.empty()) result.statusLine = "HTTP/1.1 " + std::to_string(result.status);
    // Redirects are not followed, so a 3xx reply does not carry the resource
    // either: taking its body would store a redirect page as the document.
    result.ok = result.status >= 200 && result.status < 300;
    if (!result.ok) result.error = result.statusLine;
    return result;
}
