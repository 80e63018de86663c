// Stopping a registration run or a scan from another thread: it ends after the
// request under way and the scanner is unlocked again.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "AppError.h"
#include "FlowTestSupport.h"
#include "RunStop.h"

namespace {
using Ops = std::vector<std::string>;

class RunStopTest : public ::testing::Test {
protected:
    void start(const std::string& settings)
    {
        sim = std::make_unique<SimulatorProcess>(
            std::vector<std::string>{"--no-mdns", "--scanner", "ip=127.0.0.2,password=pw," + settings});
        ASSERT_TRUE(sim->ready()) << sim->failure();
    }

    Ops operations() const { return operationsOf(sim->Requests()); }

    ScratchJobStore store;
    std::shared_ptr<ScannerData> scanner = scannerAt("127.0.0.2");
    std::unique_ptr<SimulatorProcess> sim;
    RunStop stop;
};
} // namespace

TEST_F(RunStopTest, AStopFromAnotherThreadEndsTheRunAfterTheSlotUnderWayAndUnlocks)
{
    // Slow clears keep the run under way while the stop comes.
    start("fault.delete.delay-ms=100");
    std::atomic<int> reports{0};
    std::thread stopper([&] {
        const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (reports.load() < 2 && std::chrono::steady_clock::now() < limit) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        stop.request();
    });
    const auto run = stop.registerJobs(scanner, "pw", [&](const std::shared_ptr<BulkJobStatus>&) { ++reports; });
    stopper.join();

    EXPECT_TRUE(run.stopped);
    EXPECT_TRUE(run.released);
    EXPECT_NE(run.result, 0) << "a run broken off is never a success";
    const Ops ops = operations();
    ASSERT_GE(ops.size(), 4u);
    EXPECT_LT(ops.size(), 2u + 5u + 1u) << "identify, lock, the slots reported up to the stop, unlock";
    EXPECT_EQ(ops.size(), 2u + static_cast<std::size_t>(reports.load()) + 1u)
        << "nothing is sent after the slot under way but the unlock";
    EXPECT_EQ(ops.back(), "unlock");
}

TEST_F(RunStopTest, AStopAskedBeforehandStillEndsAtTheFirstReportAndWithoutAStopNothingChanges)
{
    start("");
    stop.request();
    int reports = 0;
    const auto stopped = stop.registerJobs(scanner, "pw", [&](const std::shared_ptr<BulkJobStatus>&) { ++reports; });
    EXPECT_TRUE(stopped.stopped);
    EXPECT_TRUE(stopped.released);
    EXPECT_EQ(reports, 1);
    EXPECT_EQ(operations(), (Ops{"identify", "lock", "delete", "unlock"}));

    const RunStop untouched;
    const auto whole = untouched.registerJobs(scanner, "pw", {});
    EXPECT_FALSE(whole.stopped);
    EXPECT_FALSE(whole.released);
    EXPECT_EQ(whole.result, 0);
    EXPECT_EQ(operations().size(), 4u + 102u);
}

TEST_F(RunStopTest, AnUnlockThatFailsAfterTheStopIsReported)
{
    start("fault.unlock.status=500");
    stop.request();
    const auto run = stop.registerJobs(scanner, "pw", {});
    EXPECT_TRUE(run.stopped);
    EXPECT_FALSE(run.released) << "the scanner may still be locked: the caller must say so";
    EXPECT_EQ(operations().back(), "unlock");
}

TEST_F(RunStopTest, AStopEndsALongScanInItsPauseWithoutAnotherStatusQuery)
{
    start("status-queries-per-phase=1000"); // scans for most of an hour
    auto job = ScratchJobStore::saveJob(1);
    std::atomic<int> reports{0};
    std::atomic<std::size_t> sentBeforeTheStop{0};
    std::thread stopper([&] {
        const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (reports.load() < 2 && std::chrono::steady_clock::now() < limit) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        sentBeforeTheStop = sim->Requests().size();
        stop.request();
    });
    bool completed = false;
    const auto run = stop.scan(scanner, job, [&](int64_t) { ++reports; }, [&](const RunResult&) { completed = true; });
    stopper.join();

    EXPECT_TRUE(run.stopped);
    EXPECT_TRUE(run.released);
    EXPECT_FALSE(completed) << "a scan broken off has no result to show";
    EXPECT_TRUE(onlyTheUnlockFollows(sim->RequestsSince(sentBeforeTheStop)));
}
