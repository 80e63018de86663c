// The discovery manager's worker thread: started once, asleep while idle, and
// never left behind however the manager is closed or dropped. No search is
// started here, so nothing is sent.
#include <gtest/gtest.h>

#include "DiscoveryTestSupport.h"
#include "FWKVXSDK/WebApiClient.h"

namespace {

using namespace std::chrono_literals;

TEST(ManagerLifecycle, CloseIsHarmlessWhenNeverOpenedOrRepeated)
{
    size_t baseline = ThreadBaseline();
    auto manager = std::make_shared<DiscoveryManager>();
    EXPECT_TRUE(manager->CloseManager());
    EXPECT_TRUE(manager->CloseManager());
    // Closed is final: nothing starts afterwards, and a search reports it cannot run.
    EXPECT_FALSE(manager->OpenManager());
    // Nor does it keep the completion, which may hold its owner.
    auto owner = std::make_shared<int>(0);
    EXPECT_FALSE(manager->SearchDevice(true, [owner](bool, std::vector<std::shared_ptr<ScannerData>>) {}));
    EXPECT_EQ(owner.use_count(), 1);
    EXPECT_TRUE(manager->StopSearchDevices());
    EXPECT_EQ(ProcessThreads().size(), baseline);

    auto opened = OpenManagerWithWorker();
    ASSERT_NE(opened.workerTid, 0);
    EXPECT_TRUE(opened.manager->CloseManager());
    EXPECT_TRUE(WaitForThreadCount(baseline, kJoinedThreadGrace));
    EXPECT_TRUE(opened.manager->CloseManager());
    EXPECT_FALSE(opened.manager->StartSearchDevices());
    EXPECT_TRUE(opened.manager->StopSearchDevices());
    EXPECT_EQ(ProcessThreads().size(), baseline);
}

TEST(ManagerLifecycle, OneWorkerThatSleepsWhileIdle)
{
    size_t baseline = ThreadBaseline();
    auto opened = OpenManagerWithWorker();
    ASSERT_NE(opened.workerTid, 0);
    EXPECT_TRUE(opened.manager->OpenManager()); // already open: no second worker
    EXPECT_EQ(ProcessThreads().size(), baseline + 1);

    std::optional<long long> before = ThreadCpuNanoseconds(opened.workerTid);
    std::this_thread::sleep_for(500ms);
    std::optional<long long> after = ThreadCpuNanoseconds(opened.workerTid);
    ASSERT_TRUE(before && after);
    EXPECT_LT(*after - *before, 5'000'000) << "an idle worker must not spin";

    // An idle worker sleeps without a time limit: only the close wakes and ends it.
    opened.manager->CloseManager();
    EXPECT_TRUE(WaitForThreadCount(baseline, kJoinedThreadGrace));
}

TEST(ManagerLifecycle, DroppingTheLastReferenceWithoutCloseEndsTheWorker)
{
    size_t baseline = ThreadBaseline();
    {
        auto opened = OpenManagerWithWorker();
        ASSERT_NE(opened.workerTid, 0);
        EXPECT_EQ(ProcessThreads().size(), baseline + 1);
    }
    EXPECT_TRUE(WaitForThreadCount(baseline, kJoinedThreadGrace));

    // Also when the last reference goes on another thread, and after a stop.
    auto opened = OpenManagerWithWorker();
    opened.manager->StopSearchDevices();
    std::thread dropper([manager = std::move(opened.manager)]() mutable { manager.reset(); });
    dropper.join();
    EXPECT_TRUE(WaitForThreadCount(baseline, kJoinedThreadGrace));
}

TEST(ManagerLifecycle, EachClientOwnsOneWorkerUntilTerminatedOrDropped)
{
    size_t baseline = ThreadBaseline();
    {
        WebApiClient client; // the scan and registration runs drop theirs without terminate
        EXPECT_EQ(ProcessThreads().size(), baseline + 1);
    }
    EXPECT_TRUE(WaitForThreadCount(baseline, kJoinedThreadGrace));

    WebApiClient client;
    EXPECT_EQ(ProcessThreads().size(), baseline + 1);
    client.terminate();
    EXPECT_TRUE(WaitForThreadCount(baseline, kJoinedThreadGrace));
    EXPECT_FALSE(client.GetHostListWithCompletion([](bool, std::vector<std::shared_ptr<ScannerData>>) {}));
}

TEST(ManagerLifecycle, ManyManagersComeAndGoWithoutLeavingThreads)
{
    size_t baseline = ThreadBaseline();
    for (int i = 0; i < 100; ++i) {
        auto manager = std::make_shared<DiscoveryManager>();
        ASSERT_TRUE(manager->OpenManager());
        if (i % 3 == 0) {
            manager->CloseManager();
        } else if (i % 3 == 1) {
            manager->SearchDevice(false, nullptr);
        }
    }
    EXPECT_TRUE(WaitForThreadCount(baseline, kJoinedThreadGrace));
}

TEST(ManagerLifecycle, ManagerNotOwnedBySharedPointerDoesNotStart)
{
    size_t baseline = ThreadBaseline();
    DiscoveryManager manager;
    EXPECT_FALSE(manager.OpenManager());
    EXPECT_EQ(ProcessThreads().size(), baseline);
    EXPECT_TRUE(manager.CloseManager());
}

} // namespace
