// Test servers on 127.0.0.1 with ports picked by the system: a cpp-httplib
// server run on its own thread, a raw socket server that sends one canned
// reply, and a listener that accepts connections but never answers.
#pragma once

#include <arpa/inet.h>
#include <httplib.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// What a handler saw of one request.
struct SeenRequest {
    std::string method;
    std::string path;
    std::string version;
    std::string body;
    httplib::Headers headers;
    bool Has(const std::string& name) const { return headers.find(name) != headers.end(); }
    std::string Header(const std::string& name) const {
        auto it = headers.find(name);
        return it == headers.end() ? std::string() : it->second;
    }
};

class LoopbackServer {
public:
    httplib::Server server;

    // Registers a handler that records each request before answering.
    template <typename Handler>
    void On(const std::string& method, const std::string& pattern, Handler handler) {
        auto wrapped = [this, handler](const httplib::Request& req, httplib::Response& res) {
            Record(req);
            handler(req, res);
        };
        if (method == "GET")
            server.Get(pattern, wrapped);
        else if (method == "POST")
            server.Post(pattern, wrapped);
        else if (method == "PUT")
            server.Put(pattern, wrapped);
    }

    // Binds to an ephemeral port and serves until destroyed.
    void Start() {
        server.set_payload_max_length(64u << 20);
        port_ = server.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server.listen_after_bind(); });
        while (!server.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    ~LoopbackServer() {
        server.stop();
        if (thread_.joinable()) thread_.join();
    }

    int Port() const { return port_; }
    std::string Url(const std::string& path) const {
        return "http://127.0.0.1:" + std::to_string(port_) + path;
    }
    std::string HostPort() const { return "127.0.0.1:" + std::to_string(port_); }

    std::vector<SeenRequest> Requests() {
        std::lock_guard<std::mutex> lock(mutex_);
        return seen_;
    }

private:
    void Record(const httplib::Request& req) {
        std::lock_guard<std::mutex> lock(mutex_);
        seen_.push_back({req.method, req.path, req.version, req.body, req.headers});
    }

    int port_ = 0;
    std::thread thread_;
    std::mutex mutex_;
    std::vector<SeenRequest> seen_;
};

// A listening socket on an ephemeral port. With accept() never called the
// kernel still completes the handshake, so a client connects and then waits.
class SilentListener {
public:
    SilentListener() {
        fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
        ::listen(fd_, 8);
        socklen_t len = sizeof addr;
        ::getsockname(fd_, reinterpret_cast<sockaddr*>(&addr), &len);
        port_ = ntohs(addr.sin_port);
    }
    ~SilentListener() { ::close(fd_); }
    int Port() const { return port_; }
    std::string HostPort() const { return "127.0.0.1:" + std::to_string(port_); }
    int Fd() const { return fd_; }

private:
    int fd_ = -1;
    int port_ = 0;
};

// A port where nothing listens: bound, then released.
inline int ClosedPort() {
    SilentListener probe;
    return probe.Port();
}

// Accepts one connection, reads the request head and sends the given bytes.
class RawReplyServer {
public:
    explicit RawReplyServer(std::string reply) : reply_(std::move(reply)) {
        thread_ = std::thread([this] {
            int c = ::accept(listener_.Fd(), nullptr, nullptr);
            if (c < 0) return;
            std::string head;
            char buf[1024];
            while (head.find("\r\n\r\n") == std::string::npos) {
                ssize_t n = ::recv(c, buf, sizeof buf, 0);
                if (n <= 0) break;
                head.append(buf, std::size_t(n));
            }
            ::send(c, reply_.data(), reply_.size(), MSG_NOSIGNAL);
            ::shutdown(c, SHUT_RDWR);
            ::close(c);
        });
    }
    ~RawReplyServer() {
        ::shutdown(listener_.Fd(), SHUT_RDWR);  // frees a thread still in accept()
        if (thread_.joinable()) thread_.join();
    }
    std::string HostPort() const { return listener_.HostPort(); }

private:
    SilentListener listener_;
    std::string reply_;
    std::thread thread_;
};
