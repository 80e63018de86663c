#include "FleetRegistration.h"

#include <algorithm>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

#include "FWKVXSDK/ScannerData.h"

namespace {
// What the runs share: the next scanner to begin and the tallies.
class Fleet {
public:
    Fleet(const std::vector<TargetsFile::Target>& targets, const RunInterruption& interruption,
          const FleetRegistration::Report& report)
        : mTargets(targets), mInterruption(interruption), mReport(report)
    {
    }

    // One thread's share of the work: scanner after scanner until none is left.
    void work()
    {
        while (const TargetsFile::Target* target = next()) {
            finish(registerOn(*target));
        }
    }

    FleetRegistration::Summary summary()
    {
        std::lock_guard<std::mutex> guard(mLock);
        mSummary.notBegun = mTargets.size() - mNext;
        return mSummary;
    }

private:
    const TargetsFile::Target* next()
    {
        std::lock_guard<std::mutex> guard(mLock);
        if (mNext == mTargets.size() || mInterruption.requested()) {
            return nullptr;
        }
        return &mTargets[mNext++];
    }

    FleetRegistration::Outcome registerOn(const TargetsFile::Target& target) const
    {
        FleetRegistration::Outcome outcome;
        outcome.address = target.address;
        auto scanner = std::make_shared<ScannerData>();
        scanner->setScannerIp(target.address);
        const auto run = mInterruption.stop().registerJobs(scanner, target.password, {});
        outcome.result = run.result;
        outcome.reason = run.reason;
        outcome.stopped = run.stopped;
        if (run.stopped) {
            outcome.releaseMessage = RunInterruption::stoppedMessage(run.released);
        }
        return outcome;
    }

    void finish(const FleetRegistration::Outcome& outcome)
    {
        std::lock_guard<std::mutex> guard(mLock);
        mSummary.allSucceeded = mSummary.allSucceeded && outcome.result == 0;
        mSummary.anyStopped = mSummary.anyStopped || outcome.stopped;
        mReport(outcome);
    }

    const std::vector<TargetsFile::Target>& mTargets;
    const RunInterruption& mInterruption;
    const FleetRegistration::Report& mReport;
    std::mutex mLock;
    std::size_t mNext = 0;
    FleetRegistration::Summary mSummary;
};
} // namespace

FleetRegistration::Summary FleetRegistration::run(const std::vector<TargetsFile::Target>& targets, int atOnce,
                                                  const RunInterruption& interruption, const Report& report)
{
    Fleet fleet(targets, interruption, report);
    const auto threads = std::min<std::size_t>(static_cast<std::size_t>(std::clamp(atOnce, 1, kMostAtOnce)),
                                               targets.size());
    {
        std::vector<std::jthread> workers; // joined when the block ends
        for (std::size_t i = 0; i < threads; ++i) {
            try {
                workers.emplace_back([&fleet] { fleet.work(); });
            } catch (const std::system_error&) {
                // The system gives no more threads: fewer scanners at once.
                if (workers.empty()) {
                    throw;
                }
                break;
            }
        }
    }
    return fleet.summary();
}
