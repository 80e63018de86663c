// How long the library takes for one registration run's requests against a
// local simulated scanner: identify, lock, 99 job requests, unlock, each over
// a fresh TLS connection, with a new client per run as the flows make one.
// For comparison, the time of one bare request (one identification).
// Run inside a private network namespace (the simulator binds port 443):
//   tests/netns-run.sh build/normal/bench/webapi_registration_bench
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

#include "FWKVXSDK/WebApiClient.h"
#include "SimulatorProcess.h"

namespace {
using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// One run; false when any request failed.
bool registrationRun()
{
    WebApiClient client;
    auto scanner = std::make_shared<ScannerData>();
    scanner->setScannerIp("127.0.0.2");
    if (!client.GetScannerID(scanner) || !client.Lock(scanner)) {
        return false;
    }
    bool ok = true;
    for (int64_t slot = 1; slot <= 99 && ok; ++slot) {
        if (slot % 3 == 1) {
            auto job = std::make_shared<SettingData>();
            job->setJobNo(std::to_string(slot));
            job->setJobName("Job " + std::to_string(slot));
            job->sendSetting()->setSendPath("\\\\server\\scans\\" + std::to_string(slot));
            ok = client.Register(scanner, job, std::string("pw")) == 1;
        } else {
            ok = client.Delete(scanner, std::string("pw"), slot) == 1;
        }
    }
    return client.UnLock(scanner) && ok;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
} // namespace

int main()
{
    constexpr int kRuns = 10;
    constexpr int kBareRequests = 50;
    constexpr double kLimitSeconds = 1.5;

    SimulatorProcess sim({"--no-mdns", "--scanner", "ip=127.0.0.2,password=pw"});
    if (!sim.ready()) {
        std::fprintf(stderr, "simulator not ready: %s\n", sim.failure().c_str());
        return 1;
    }

    bool allOk = registrationRun(); // warm-up: loads and initialises the TLS stack
    std::vector<double> runs;
    for (int run = 0; run < kRuns; ++run) {
        auto start = Clock::now();
        allOk = registrationRun() && allOk;
        runs.push_back(secondsSince(start));
    }

    WebApiClient client;
    std::vector<double> bare;
    for (int i = 0; i < kBareRequests; ++i) {
        auto scanner = std::make_shared<ScannerData>();
        scanner->setScannerIp("127.0.0.2");
        auto start = Clock::now();
        allOk = client.GetScannerID(scanner) && allOk;
        bare.push_back(secondsSince(start));
    }

    double worst = *std::max_element(runs.begin(), runs.end());
    std::printf("registration run, 102 requests over fresh TLS connections, %d runs: median %.3f s, worst %.3f s "
                "(limit %.1f s)\n",
                kRuns, median(runs), worst, kLimitSeconds);
    std::printf("one bare request (identification, fresh TLS connection), %d requests: median %.2f ms\n",
                kBareRequests, median(bare) * 1000.0);
    bool ok = allOk && worst < kLimitSeconds;
    std::printf("%s\n", ok ? "OK" : (allOk ? "OVER LIMIT" : "REQUESTS FAILED"));
    return ok ? 0 : 1;
}
