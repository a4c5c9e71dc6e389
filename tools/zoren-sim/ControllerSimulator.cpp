#include "ControllerSimulator.h"

#include <cstdio>

#include "SampleDocument.h"
#include "exchange/ConfigExchange.h"
#include "json/TJSONValue.h"
#include "platform/FileSystem.h"

ControllerSimulator::ControllerSimulator(SimOptions options) : options_(std::move(options)) {
    server_.set_payload_max_length(16u << 20);
    server_.Post("/configuration", [this](const httplib::Request& req, httplib::Response& res) {
        ReadConfiguration(req, res);
    });
    server_.Put("/configuration",
                [this](const httplib::Request& req, httplib::Response& res) { PutConfiguration(req, res); });
    server_.Get(R"(/update/zoren_mqtt/(.*))",
                [this](const httplib::Request& req, httplib::Response& res) { GetUpdateFile(req, res); });
    server_.set_logger([this](const httplib::Request& req, const httplib::Response& res) { Log(req, res); });
}

bool ControllerSimulator::LoadDocument(std::string& error) {
    if (options_.documentFile.empty() || !fs1251::FileExists(fs1251::ModelPath(options_.documentFile))) {
        document_ = std::string(kSampleDocument);
        return true;
    }
    std::string readError;
    if (!fs1251::ReadWholeFile(fs1251::ModelPath(options_.documentFile), document_, readError)) {
        error = "cannot read " + options_.documentFile + ": " + readError;
        return false;
    }
    return true;
}

int ControllerSimulator::Bind() {
    if (options_.port == 0) return server_.bind_to_any_port("127.0.0.1");
    return server_.bind_to_port("127.0.0.1", options_.port) ? options_.port : -1;
}

bool ControllerSimulator::Run() { return server_.listen_after_bind(); }

void ControllerSimulator::Stop() { server_.stop(); }

std::string ControllerSimulator::CheckDocument(std::string_view body) {
    TJSONStream stream(body);
    TJSONValue root;
    try {
        root.LoadFromStream(stream, "");
    } catch (const std::exception& e) {
        return std::string("configuration error: ") + e.what() + "\r\n";
    }
    // The reader stops behind the value; a controller takes only one document.
    for (std::int64_t pos = stream.Position(); pos < stream.Size(); ++pos) {
        unsigned char c = static_cast<unsigned char>(body[std::size_t(pos)]);
        if (c > ' ') return "configuration error: unexpected data at pos " + std::to_string(pos) + "\r\n";
    }
    return std::string(kConfigurationAccepted);
}

bool ControllerSimulator::Authorized(const httplib::Request& req) const {
    if (options_.login.empty()) return true;
    const auto expected = httplib::make_basic_authentication_header(options_.login, options_.password);
    return req.has_header("Authorization") && req.get_header_value("Authorization") == expected.second;
}

void ControllerSimulator::ReadConfiguration(const httplib::Request& req, httplib::Response& res) {
    if (!Authorized(req)) {
        res.status = 401;
        res.set_header("WWW-Authenticate", "Basic realm=\"ZOREN-RF\"");
        res.set_content("unauthorized\r\n", "text/plain");
        return;
    }
    std::lock_guard<std::mutex> lock(documentMutex_);
    res.set_content(document_, "application/json");
}

void ControllerSimulator::PutConfiguration(const httplib::Request& req, httplib::Response& res) {
    if (!Authorized(req)) {
        res.status = 401;
        res.set_header("WWW-Authenticate", "Basic realm=\"ZOREN-RF\"");
        res.set_content("unauthorized\r\n", "text/plain");
        return;
    }
    std::string verdict = CheckDocument(req.body);
    if (verdict == kConfigurationAccepted) {
        std::lock_guard<std::mutex> lock(documentMutex_);
        if (!options_.documentFile.empty()) {
            std::string error;
            if (!fs1251::WriteFileAtomic(fs1251::ModelPath(options_.documentFile), req.body, error)) {
                res.status = 500;
                res.set_content("cannot store configuration: " + error + "\r\n", "text/plain");
                return;
            }
        }
        document_ = req.body;
    }
    res.set_content(verdict, "text/plain");
}

void ControllerSimulator::GetUpdateFile(const httplib::Request& req, httplib::Response& res) {
    const std::string name = req.matches[1];
    if (name.empty() || name.find('/') != std::string::npos || name.find("..") != std::string::npos ||
        name.find('\\') != std::string::npos) {
        res.status = 400;
        res.set_content("bad file name\r\n", "text/plain");
        return;
    }
    std::string bytes, error;
    const std::string path = fs1251::ModelPath(options_.updateDir + "/" + name);
    if (options_.updateDir.empty() || !fs1251::FileExists(path) ||
        !fs1251::ReadWholeFile(path, bytes, error)) {
        res.status = 404;
        res.set_content("not found\r\n", "text/plain");
        return;
    }
    res.set_content(bytes, "application/octet-stream");
}

void ControllerSimulator::Log(const httplib::Request& req, const httplib::Response& res) {
    std::lock_guard<std::mutex> lock(logMutex_);
    std::printf("%s %s %s %d\n", req.method.c_str(), req.path.c_str(), req.version.c_str(), res.status);
    std::fflush(stdout);
}
