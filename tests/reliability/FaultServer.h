// A misbehaving HTTP server on 127.0.0.1 for the fault tests: it accepts every
// connection, reads the request (head and announced body) and then does what
// the test asked: reset the connection in the middle of a body, trickle bytes
// slower than the client's stall limit, or hold the connection without a word.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

class FaultServer {
public:
    enum class Fault {
        ResetMidBody,  // a 200 head announcing 100000 bytes, 5000 of them, then a reset
        Trickle,       // a 200 head, then one byte every 2.5 s
        Hold,          // reads the request and never answers
    };

    explicit FaultServer(Fault fault) : fault_(fault) {
        listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
        int on = 1;
        ::setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(listener_, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
        ::listen(listener_, 8);
        socklen_t len = sizeof addr;
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&addr), &len);
        port_ = ntohs(addr.sin_port);
        thread_ = std::thread([this] { Serve(); });
    }
    ~FaultServer() {
        stop_ = true;
        ::shutdown(listener_, SHUT_RDWR);
        if (thread_.joinable()) thread_.join();
        for (int c : held_) ::close(c);
        ::close(listener_);
    }
    FaultServer(const FaultServer&) = delete;
    FaultServer& operator=(const FaultServer&) = delete;

    std::string HostPort() const { return "127.0.0.1:" + std::to_string(port_); }
    int Requests() const { return requests_; }

private:
    void Serve() {
        while (!stop_) {
            int c = ::accept(listener_, nullptr, nullptr);
            if (c < 0) return;
            ReadRequest(c);
            ++requests_;
            switch (fault_) {
                case Fault::ResetMidBody: {
                    std::string reply = "HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\n" + std::string(5000, '{');
                    ::send(c, reply.data(), reply.size(), MSG_NOSIGNAL);
                    linger hard{1, 0};  // close with RST instead of FIN
                    ::setsockopt(c, SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
                    ::close(c);
                    break;
                }
                case Fault::Trickle: {
                    const std::string head = "HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n";
                    ::send(c, head.data(), head.size(), MSG_NOSIGNAL);
                    // Until the client gives up (the send fails) or the test ends.
                    for (int sent = 0; !stop_ && sent < 1000; ++sent) {
                        if (!Idle(c, std::chrono::milliseconds(2500))) break;
                        if (::send(c, "x", 1, MSG_NOSIGNAL) != 1) break;
                    }
                    ::close(c);
                    break;
                }
                case Fault::Hold:
                    held_.push_back(c);
                    break;
            }
        }
    }

    // Waits, returning false early when the peer closes or the test ends.
    bool Idle(int c, std::chrono::milliseconds span) {
        const auto end = std::chrono::steady_clock::now() + span;
        while (!stop_ && std::chrono::steady_clock::now() < end) {
            pollfd p{c, POLLIN, 0};
            if (::poll(&p, 1, 50) > 0) {
                char b;
                if (::recv(c, &b, 1, MSG_PEEK | MSG_DONTWAIT) <= 0) return false;
            }
        }
        return !stop_;
    }

    // The head up to the blank line, then as many body bytes as it announces.
    static void ReadRequest(int c) {
        std::string in;
        char buf[4096];
        std::size_t headEnd;
        while ((headEnd = in.find("\r\n\r\n")) == std::string::npos) {
            ssize_t n = ::recv(c, buf, sizeof buf, 0);
            if (n <= 0) return;
            in.append(buf, std::size_t(n));
        }
        std::size_t length = 0;
        for (const char* name : {"Content-Length: ", "content-length: "}) {
            std::size_t at = in.find(name);
            if (at != std::string::npos && at < headEnd) length = std::strtoul(in.c_str() + at + 16, nullptr, 10);
        }
        std::size_t have = in.size() - headEnd - 4;
        while (have < length) {
            ssize_t n = ::recv(c, buf, sizeof buf, 0);
            if (n <= 0) return;
            have += std::size_t(n);
        }
    }

    Fault fault_;
    int listener_ = -1;
    int port_ = 0;
    std::thread thread_;
    std::atomic<bool> stop_ = false;
    std::atomic<int> requests_ = 0;
    std::vector<int> held_;
};
