// How long one registration run takes against a local simulated scanner, from
// the start of the run to its completion, with progress for all 99 slots.
// Run inside a private network namespace (the simulator binds port 443):
//   tests/netns-run.sh build/normal/bench/registration_bench
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <vector>

#include "BenchJobFolder.h"
#include "JobRegistration.h"
#include "SimulatorProcess.h"

int main()
{
    constexpr int kRuns = 10;
    constexpr double kLimitSeconds = 2.0;

    const std::string folder = makeBenchJobFolder();
    if (folder.empty()) {
        std::fprintf(stderr, "cannot create a temporary folder\n");
        return 1;
    }

    SimulatorProcess sim({"--no-mdns", "--scanner", "ip=127.0.0.2,password=pw"});
    if (!sim.ready()) {
        std::fprintf(stderr, "simulator not ready: %s\n", sim.failure().c_str());
        return 1;
    }

    std::vector<double> seconds;
    bool allComplete = true;
    for (int run = 0; run < kRuns; ++run) {
        auto scanner = std::make_shared<ScannerData>();
        scanner->setScannerIp("127.0.0.2");
        int progress = 0;
        int64_t result = -1;
        const auto start = std::chrono::steady_clock::now();
        JobRegistration().jobregist(
            scanner, "pw", [&](const std::shared_ptr<BulkJobStatus>&) { ++progress; },
            [&](const RunResult& ended) { result = ended.code; });
        seconds.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        allComplete = allComplete && progress == 99 && result == 0;
        std::printf("run %2d: %.3f s, %d progress reports, result %lld\n", run + 1, seconds.back(), progress,
                    static_cast<long long>(result));
    }
    std::sort(seconds.begin(), seconds.end());
    std::printf("registration run (102 requests, fresh TLS each): min %.3f s, median %.3f s, max %.3f s "
                "(limit %.1f s)\n",
                seconds.front(), seconds[seconds.size() / 2], seconds.back(), kLimitSeconds);
    std::filesystem::remove_all(folder);
    const bool ok = allComplete && seconds.back() < kLimitSeconds;
    std::printf("%s\n", ok ? "OK" : "OVER LIMIT OR INCOMPLETE");
    return ok ? 0 : 1;
}
