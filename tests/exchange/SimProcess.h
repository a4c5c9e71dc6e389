// Runs tools/zoren-sim as a child process on a port of the system's choice:
// reads the port from its first line, stops it with SIGTERM and hands back
// its exit status and request log.
#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

class SimProcess {
public:
    explicit SimProcess(std::vector<std::string> args) {
        int out[2];
        if (::pipe(out) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(out[1], STDOUT_FILENO);
            ::close(out[0]);
            ::close(out[1]);
            std::vector<char*> argv;
            static std::string program = ZOREN_SIM_PATH;
            argv.push_back(program.data());
            for (std::string& a : args) argv.push_back(a.data());
            argv.push_back(nullptr);
            ::execv(program.c_str(), argv.data());
            ::_exit(127);
        }
        ::close(out[1]);
        out_ = ::fdopen(out[0], "r");
        std::string first = ReadLine();
        const std::string prefix = "listening on 127.0.0.1:";
        if (first.rfind(prefix, 0) == 0) port_ = std::atoi(first.c_str() + prefix.size());
    }
    ~SimProcess() { Stop(); }
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    int Port() const { return port_; }
    std::string HostPort() const { return "127.0.0.1:" + std::to_string(port_); }
    std::string Url(const std::string& path) const { return "http://" + HostPort() + path; }

    // Sends SIGTERM and waits; the exit code, or -1 when it did not exit normally.
    int Stop() {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            int status = 0;
            ::waitpid(pid_, &status, 0);
            exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            pid_ = -1;
            for (std::string line = ReadLine(); !line.empty(); line = ReadLine()) log_.push_back(line);
        }
        if (out_) {
            std::fclose(out_);
            out_ = nullptr;
        }
        return exitCode_;
    }
    // Request lines printed after the first line; complete after Stop().
    const std::vector<std::string>& Log() const { return log_; }

private:
    std::string ReadLine() {
        std::string line;
        if (!out_) return line;
        for (int c = std::fgetc(out_); c != EOF && c != '\n'; c = std::fgetc(out_)) line += char(c);
        return line;
    }

    pid_t pid_ = -1;
    FILE* out_ = nullptr;
    int port_ = 0;
    int exitCode_ = -1;
    std::vector<std::string> log_;
};
