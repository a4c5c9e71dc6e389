// A controller and the update server on loopback: answers POST and PUT of
// "/configuration" as the controller does and serves update files.
#pragma once

#include <httplib.h>

#include <mutex>
#include <string>
#include <string_view>

#include "SimOptions.h"

class ControllerSimulator final {
public:
    explicit ControllerSimulator(SimOptions options);

    // Loads the stored document (the file when given and present, else the
    // sample); false with error text when the file exists but cannot be read.
    bool LoadDocument(std::string& error);
    // Binds to 127.0.0.1; the bound port, or -1 when the port cannot be had.
    int Bind();
    // Serves until Stop(); returns false when serving failed.
    bool Run();
    // Safe from any thread.
    void Stop();

    // The controller's verdict on a document: the acceptance text, or one
    // line naming the reader's fault.
    static std::string CheckDocument(std::string_view body);

private:
    bool Authorized(const httplib::Request& req) const;
    void ReadConfiguration(const httplib::Request& req, httplib::Response& res);
    void PutConfiguration(const httplib::Request& req, httplib::Response& res);
    void GetUpdateFile(const httplib::Request& req, httplib::Response& res);
    void Log(const httplib::Request& req, const httplib::Response& res);

    SimOptions options_;
    httplib::Server server_;
    std::mutex documentMutex_;
    std::string document_;
    std::mutex logMutex_;
};
