// Start-up benchmark: time from process start to the first paint of the main window, for the
// program and for the minimal Qt window, each started RUNS times (alternating, spaced) in a
// fresh data folder: once empty, once with a register of 500 controllers. Needs a display.
//
//   zoren_bench_startup --ours build/zoren-mqtt --peer build/bench/ui/zoren_bench_minimal_window
//                       [--runs 20] [--gap-ms 300] [--verbose]
//   zoren_bench_startup --make-home DIR N    (writes DIR/ZorEN_MQTT/ZorEN_MQTT.ini with N controllers, for
//   profiling)
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/Cp1251.h"
#include "registry/ZOREN_OBJECT_LIST.h"
#include "Median.h"

extern char** environ;

namespace {

long long MonotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

// A register as the program writes it: 1251 bytes, CR LF, credentials in Base64.
std::string RegisterText(const std::string& dataFolder, int count) {
    static const char* const streets[] = {"ул. Садовая",  "пр. Мира",       "ул. Ленина",
                                          "Заречная ул.", "ул. Строителей", "Набережная ул."};
    std::string out;
    for (int i = 0; i < count; ++i) {
        const std::string name = Utf8ToCp1251("Дом " + std::to_string(i + 1) + ", " + streets[i % 6]);
        out += "[OBJECT" + std::to_string(i) + "]\r\n";
        out += "Name=" + name + "\r\n";
        out += "Ip=10.0." + std::to_string(i / 250) + "." + std::to_string(i % 250 + 1) + ":80\r\n";
        out += "Path=" + dataFolder + "Objects/" + FolderName(name) + "\r\n";
        out += "Comment=" + Utf8ToCp1251("Подъезд " + std::to_string(i % 8 + 1) + ", щит ВРУ") + "\r\n";
        out += "MqttId=" + std::to_string(1000 + i) + "\r\n";
        out += "MqttIndex=" + std::to_string(i % 4) + "\r\n";
        out += "Login=" + Base64Encode("admin") + "\r\n";
        out += "Password=" + Base64Encode("pass" + std::to_string(i)) + "\r\n";
    }
    return out;
}

void WriteRegister(const std::string& home, int registerSize) {
    if (registerSize <= 0) return;
    std::filesystem::create_directories(home + "/ZorEN_MQTT");
    std::ofstream(home + "/ZorEN_MQTT/ZorEN_MQTT.ini", std::ios::binary)
        << RegisterText(home + "/ZorEN_MQTT/", registerSize);
}

// CPU time in ms all threads of a process have used so far (first field of each schedstat).
double CpuMs(pid_t pid) {
    double total = 0;
    std::error_code error;
    for (const auto& task :
         std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/task", error)) {
        std::ifstream in(task.path() / "schedstat");
        unsigned long long ns = 0;
        if (in >> ns) total += ns / 1e6;
    }
    return total;
}

struct Sample {
    double wall;  // ms from spawning to the reported first paint
    double cpu;   // ms of CPU the process used by then
};

// One start, or nothing on failure.
std::optional<Sample> StartOnce(const std::vector<std::string>& command, int registerSize) {
    char pattern[] = "/tmp/zoren-bench-startup-XXXXXX";
    if (!mkdtemp(pattern)) return std::nullopt;
    const std::string home = pattern;
    WriteRegister(home, registerSize);
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e)
        if (std::strncmp(*e, "XDG_DATA_HOME=", 14) != 0 &&
            std::strncmp(*e, "ZOREN_REPORT_FIRST_PAINT=", 25) != 0)
            env.emplace_back(*e);
    env.push_back("XDG_DATA_HOME=" + home);
    env.push_back("ZOREN_REPORT_FIRST_PAINT=1");
    std::vector<char*> envp, argv;
    for (auto& s : env) envp.push_back(s.data());
    envp.push_back(nullptr);
    std::vector<std::string> args = command;
    for (auto& s : args) argv.push_back(s.data());
    argv.push_back(nullptr);

    int out[2];
    if (pipe2(out, O_CLOEXEC) != 0) return std::nullopt;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const long long started = MonotonicNs();
    const int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    std::optional<Sample> result;
    if (rc == 0) {
        std::string text;
        char buffer[256];
        pollfd p{out[0], POLLIN, 0};
        while (text.find('\n') == std::string::npos && poll(&p, 1, 20000) > 0) {
            const ssize_t n = read(out[0], buffer, sizeof buffer);
            if (n <= 0) break;
            text.append(buffer, std::size_t(n));
        }
        long long painted = 0;
        if (std::sscanf(text.c_str(), "first-paint %lld", &painted) == 1)
            result = Sample{(painted - started) / 1e6, CpuMs(pid)};
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    close(out[0]);
    std::filesystem::remove_all(home);
    return result;
}

}  // namespace

int main(int argc, char* argv[]) {
    std::string ours, peer;
    int runs = 20, gapMs = 300;
    bool verbose = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool more = i + 1 < argc;
        if (a == "--ours" && more)
            ours = argv[++i];
        else if (a == "--peer" && more)
            peer = argv[++i];
        else if (a == "--runs" && more)
            runs = std::max(1, std::atoi(argv[++i]));
        else if (a == "--gap-ms" && more)
            gapMs = std::max(0, std::atoi(argv[++i]));
        else if (a == "--verbose")
            verbose = true;
        else if (a == "--make-home" && i + 2 < argc) {
            WriteRegister(argv[i + 1], std::atoi(argv[i + 2]));
            return 0;
        } else {
            std::fprintf(stderr,
                         "usage: %s --ours PROGRAM --peer PROGRAM [--runs N] [--gap-ms MS] [--verbose]\n",
                         argv[0]);
            return 2;
        }
    }
    if (ours.empty() || peer.empty()) {
        std::fprintf(stderr, "%s: --ours and --peer are needed\n", argv[0]);
        return 2;
    }
    struct Case {
        const char* name;
        int registerSize;
    };
    const Case cases[] = {{"startup-empty-register", 0}, {"startup-500-controllers", 500}};
    int failures = 0;
    for (const Case& c : cases) {
        const std::vector<std::string> ourCommand{ours};
        const std::vector<std::string> peerCommand{peer, "--rows", std::to_string(c.registerSize)};
        // One untimed start of each fills the file cache.
        StartOnce(ourCommand, c.registerSize);
        StartOnce(peerCommand, c.registerSize);
        std::vector<double> ourTimes, peerTimes, ourCpu, peerCpu;
        for (int r = 0; r < runs; ++r) {
            // Alternating which goes first spreads any drift of the machine over both.
            for (int k = 0; k < 2; ++k) {
                const bool mine = (r + k) % 2 == 0;
                std::this_thread::sleep_for(std::chrono::milliseconds(gapMs));
                const auto t = StartOnce(mine ? ourCommand : peerCommand, c.registerSize);
                if (!t) {
                    ++failures;
                    std::fprintf(stderr, "%s: %s run %d reported no first paint\n", c.name,
                                 mine ? "ours" : "peer", r + 1);
                    continue;
                }
                (mine ? ourTimes : peerTimes).push_back(t->wall);
                (mine ? ourCpu : peerCpu).push_back(t->cpu);
                if (verbose)
                    std::fprintf(stderr, "%s %s %.1f ms (cpu %.1f ms)\n", c.name, mine ? "ours" : "peer",
                                 t->wall, t->cpu);
            }
        }
        const double a = Median(ourTimes), b = Median(peerTimes);
        std::printf("%s | ours %.1f ms | qt-minimal-window %.1f ms | ratio %.2f\n", c.name, a, b,
                    b > 0 ? a / b : 0.0);
        // CPU time is steadier than wall time on a busy machine.
        const double ac = Median(ourCpu), bc = Median(peerCpu);
        std::printf("%s-cpu | ours %.1f ms | qt-minimal-window %.1f ms | ratio %.2f\n", c.name, ac, bc,
                    bc > 0 ? ac / bc : 0.0);
        std::fflush(stdout);
    }
    return failures == 0 ? 0 : 1;
}
