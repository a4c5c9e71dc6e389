// zoren-sim: a ZOREN-RF controller and the update server on 127.0.0.1, for
// trying the configurator and for its tests.
#include <pthread.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <thread>

#include "ControllerSimulator.h"
#include "SimOptions.h"

int main(int argc, char** argv) {
    SimOptions options;
    std::string error;
    if (!ParseSimOptions(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
        std::fprintf(stderr, "zoren-sim: %s\n%s", error.c_str(), kSimUsage);
        return 2;
    }
    if (options.help) {
        std::fputs(kSimUsage, stdout);
        return 0;
    }

    // The signals are taken by one waiting thread, so the server's threads
    // never see them and stopping is an ordinary call.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    ControllerSimulator sim(options);
    if (!sim.LoadDocument(error)) {
        std::fprintf(stderr, "zoren-sim: %s\n", error.c_str());
        return 1;
    }
    const int port = sim.Bind();
    if (port < 0) {
        std::fprintf(stderr, "zoren-sim: cannot listen on 127.0.0.1:%d\n", options.port);
        return 1;
    }
    std::printf("listening on 127.0.0.1:%d\n", port);
    std::fflush(stdout);

    std::atomic<bool> done = false;
    std::thread waiter([&] {
        int signal = 0;
        sigwait(&stopSignals, &signal);
        // A stop that comes before the server loop starts is lost: repeat it.
        while (!done) {
            sim.Stop();
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    });
    const bool served = sim.Run();
    done = true;
    // Run() may also end without a signal; wake the waiter then.
    pthread_kill(waiter.native_handle(), SIGTERM);
    waiter.join();
    return served ? 0 : 1;
}
