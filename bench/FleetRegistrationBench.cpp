// Bulk registration on a fleet of 16 simulated scanners that take 20 ms over
// every answer, as real ones do: wall time of `vantix bulk-register` with one
// scanner at a time and with eight at once, and the tool's peak memory
// (maximum resident set size of the child). Run inside a private network
// namespace (the simulator binds port 443 on 127.0.0.2 to 127.0.0.17):
//   tests/netns-run.sh build/normal/bench/fleet_registration_bench [RUNS]
// RUNS (default 3) runs of each; the medians are compared.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "BenchJobFolder.h"
#include "SimulatorProcess.h"
#include "ToolRun.h"

namespace {
constexpr int kScanners = 16;
constexpr double kLeastSpeedUp = 5.0;
constexpr long kMemoryLimitKiB = 40 * 1024;

struct Series {
    std::vector<double> seconds;
    long peakKiB = 0;
    bool allSucceeded = true;

    double median() const
    {
        auto sorted = seconds;
        std::sort(sorted.begin(), sorted.end());
        return sorted[sorted.size() / 2];
    }
};
} // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    const std::string folder = makeBenchJobFolder();
    if (folder.empty()) {
        return 1;
    }
    const std::string targets = folder + "/targets.txt";
    {
        std::ofstream file(targets);
        for (int i = 0; i < kScanners; ++i) {
            file << "127.0.0." << 2 + i << " pw\n";
        }
    }
    std::filesystem::permissions(targets, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);

    SimulatorProcess sim({"--no-mdns", "--fleet", std::to_string(kScanners), "--fleet-keys", "password=pw",
                          "--request-delay-ms", "20"});
    if (!sim.ready()) {
        std::fprintf(stderr, "simulator not ready: %s\n", sim.failure().c_str());
        return 1;
    }

    Series one, eight;
    for (int run = 0; run < runs; ++run) {
        for (auto [series, atOnce] : {std::pair{&one, "1"}, std::pair{&eight, "8"}}) {
            const auto m =
                ToolRun::run(VANTIX_CLI_PATH, {"bulk-register", "--targets", targets, "--parallel", atOnce}, "");
            series->seconds.push_back(m.seconds);
            series->peakKiB = std::max(series->peakKiB, m.maxRssKiB);
            series->allSucceeded = series->allSucceeded && m.status == 0;
            std::printf("run %d, --parallel %s: exit %d  %6.2f s  peak RSS %5.1f MiB\n", run + 1, atOnce, m.status,
                        m.seconds, m.maxRssKiB / 1024.0);
        }
    }
    const double speedUp = one.median() / eight.median();
    const long peak = std::max(one.peakKiB, eight.peakKiB);
    std::printf("%d scanners, 20 ms per answer, median of %d runs: --parallel 1 %.2f s, --parallel 8 %.2f s, "
                "%.1f times faster (at least %.1f)\n",
                kScanners, runs, one.median(), eight.median(), speedUp, kLeastSpeedUp);
    std::printf("peak RSS: --parallel 1 %.1f MiB, --parallel 8 %.1f MiB (limit %.1f MiB)\n", one.peakKiB / 1024.0,
                eight.peakKiB / 1024.0, kMemoryLimitKiB / 1024.0);
    std::filesystem::remove_all(folder);
    const bool ok = one.allSucceeded && eight.allSucceeded && speedUp >= kLeastSpeedUp && peak < kMemoryLimitKiB;
    std::printf("%s\n", ok ? "OK" : "TOO SLOW, OVER LIMIT OR FAILED");
    return ok ? 0 : 1;
}
