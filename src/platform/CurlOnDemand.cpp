// The few libcurl functions the HTTP client calls, forwarded to libcurl.so.4 loaded on the
// first call. Linking libcurl directly would load it and its two dozen libraries (TLS,
// Kerberos, LDAP, ...) before main: about a fifth of the program's start-up, for a facility
// used only when a configuration or an update is fetched.
#define CURL_DISABLE_TYPECHECK
#include <curl/curl.h>
#include <dlfcn.h>

#include <cstdarg>
#include <string>
#include <type_traits>

namespace {

struct CurlLibrary {
    void* handle = nullptr;
    std::string failure;
    CURLcode (*globalInit)(long) = nullptr;
    CURL* (*easyInit)() = nullptr;
    CURLcode (*easySetopt)(CURL*, CURLoption, ...) = nullptr;
    CURLcode (*easyPerform)(CURL*) = nullptr;
    CURLcode (*easyGetinfo)(CURL*, CURLINFO, ...) = nullptr;
    void (*easyCleanup)(CURL*) = nullptr;
    const char* (*easyStrerror)(CURLcode) = nullptr;
    curl_slist* (*slistAppend)(curl_slist*, const char*) = nullptr;
    void (*slistFreeAll)(curl_slist*) = nullptr;

    CurlLibrary() {
        handle = dlopen("libcurl.so.4", RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            const char* why = dlerror();
            failure = std::string("libcurl could not be loaded: ") + (why ? why : "libcurl.so.4");
            return;
        }
        bool complete = true;
        auto take = [&](auto& function, const char* name) {
            function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(dlsym(handle, name));
            complete = complete && function;
        };
        take(globalInit, "curl_global_init");
        take(easyInit, "curl_easy_init");
        take(easySetopt, "curl_easy_setopt");
        take(easyPerform, "curl_easy_perform");
        take(easyGetinfo, "curl_easy_getinfo");
        take(easyCleanup, "curl_easy_cleanup");
        take(easyStrerror, "curl_easy_strerror");
        take(slistAppend, "curl_slist_append");
        take(slistFreeAll, "curl_slist_free_all");
        if (!complete) {
            failure = "libcurl.so.4 lacks a function the HTTP client needs";
            dlclose(handle);
            handle = nullptr;
        }
    }
};

const CurlLibrary& Curl() {
    static const CurlLibrary library;
    return library;
}

}  // namespace

extern "C" {

CURLcode curl_global_init(long flags) { return Curl().handle ? Curl().globalInit(flags) : CURLE_FAILED_INIT; }

CURL* curl_easy_init() { return Curl().handle ? Curl().easyInit() : nullptr; }

// The argument's type follows from the option's number, as in libcurl itself.
CURLcode curl_easy_setopt(CURL* curl, CURLoption option, ...) {
    if (!Curl().handle) return CURLE_FAILED_INIT;
    va_list arguments;
    va_start(arguments, option);
    CURLcode result;
    if (option < CURLOPTTYPE_OBJECTPOINT)
        result = Curl().easySetopt(curl, option, va_arg(arguments, long));
    else if (option < CURLOPTTYPE_OFF_T)  // data and function pointers
        result = Curl().easySetopt(curl, option, va_arg(arguments, void*));
    else if (option < CURLOPTTYPE_BLOB)
        result = Curl().easySetopt(curl, option, va_arg(arguments, curl_off_t));
    else
        result = Curl().easySetopt(curl, option, va_arg(arguments, void*));
    va_end(arguments);
    return result;
}

CURLcode curl_easy_perform(CURL* curl) {
    return Curl().handle ? Curl().easyPerform(curl) : CURLE_FAILED_INIT;
}

CURLcode curl_easy_getinfo(CURL* curl, CURLINFO info, ...) {
    if (!Curl().handle) return CURLE_FAILED_INIT;
    va_list arguments;
    va_start(arguments, info);
    void* out = va_arg(arguments, void*);
    va_end(arguments);
    return Curl().easyGetinfo(curl, info, out);
}

void curl_easy_cleanup(CURL* curl) {
    if (Curl().handle) Curl().easyCleanup(curl);
}

const char* curl_easy_strerror(CURLcode code) {
    return Curl().handle ? Curl().easyStrerror(code) : Curl().failure.c_str();
}

curl_slist* curl_slist_append(curl_slist* list, const char* text) {
    return Curl().handle ? Curl().slistAppend(list, text) : nullptr;
}

void curl_slist_free_all(curl_slist* list) {
    if (Curl().handle) Curl().slistFreeAll(list);
}

}  // extern "C"
