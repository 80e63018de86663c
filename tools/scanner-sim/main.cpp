// vantix-scanner-sim: plays network scanners for tests and demos.
// Runs until SIGINT or SIGTERM, or until --run-for has passed.
#include <signal.h>

#include <cerrno>
#include <chrono>
#include <cmath>
#include <ctime>
#include <iostream>
#include <memory>
#include <string>

#include "MdnsResponder.h"
#include "RestSimulation.h"
#include "SimOptions.h"

namespace {

// Waits for SIGINT/SIGTERM (blocked in every thread) or the end of the run time.
void waitForStop(const sigset_t& stopSignals, const SimOptions& options)
{
    using Clock = std::chrono::steady_clock;
    auto deadline = Clock::time_point::max();
    if (options.runForSeconds) {
        deadline = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                      std::chrono::duration<double>(*options.runForSeconds));
    }
    for (;;) {
        timespec wait{1, 0};
        if (options.runForSeconds) {
            auto left = deadline - Clock::now();
            if (left <= Clock::duration::zero()) {
                return;
            }
            auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
            wait.tv_sec = static_cast<time_t>(std::min<long long>(ns / 1000000000LL, 3600));
            wait.tv_nsec = static_cast<long>(wait.tv_sec == 3600 ? 0 : ns % 1000000000LL);
        }
        int received = sigtimedwait(&stopSignals, nullptr, &wait);
        if (received == SIGINT || received == SIGTERM) {
            return;
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    SimOptions options;
    std::string error;
    if (!SimOptions::Parse(argc, argv, options, error)) {
        std::cerr << "vantix-scanner-sim: " << error << "\n" << SimOptions::Usage();
        return 2;
    }
    if (options.help) {
        std::cout << SimOptions::Usage();
        return 0;
    }
    if (options.version) {
        std::cout << "vantix-scanner-sim " VANTIX_VERSION "\n";
        return 0;
    }

    // Block the stop signals before any thread starts, so only waitForStop sees them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    signal(SIGPIPE, SIG_IGN);

    std::unique_ptr<MdnsResponder> responder;
    if (!options.noMdns) {
        responder = std::make_unique<MdnsResponder>(options.scanners);
        if (!responder->Start(error)) {
            std::cerr << "vantix-scanner-sim: multicast DNS: " << error << "\n";
            return 1;
        }
    }

    RestSimulation rest;
    if (options.globals.count("--no-rest") == 0 && !rest.Start(options, error)) {
        std::cerr << "vantix-scanner-sim: REST: " << error << "\n";
        if (responder) {
            responder->Stop();
        }
        return 1;
    }

    std::cout << "ready" << std::endl;
    waitForStop(stopSignals, options);

    rest.Stop();
    if (responder) {
        responder->Stop();
    }
    return 0;
}
