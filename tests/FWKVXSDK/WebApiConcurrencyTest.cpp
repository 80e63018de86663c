// One client used from several threads at once, and its discovery role, which
// runs on the discovery manager's worker thread.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <set>
#include <thread>

#include "WebApiTestSupport.h"

using nlohmann::json;

using ConcurrentClientTest = SimulatedScannerTest;

TEST_F(ConcurrentClientTest, OperationsOnOneClientRunInParallelWithoutMixingRecords)
{
    sim = std::make_unique<SimulatorProcess>(std::vector<std::string>{
        "--no-mdns", "--scanner", "ip=127.0.0.2,password=pw", "--scanner", "ip=127.0.0.3,password=pw,id-type=number"});
    ASSERT_TRUE(sim->ready()) << sim->failure();

    constexpr int kThreads = 6;
    constexpr int kJobsPerThread = 12;
    std::atomic<int> failures{0};
    std::vector<std::shared_ptr<ScannerData>> records;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        records.push_back(scannerAt(t % 2 == 0 ? "127.0.0.2" : "127.0.0.3"));
    }
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            auto scanner = records[static_cast<size_t>(t)];
            if (!client.GetScannerID(scanner)) {
                ++failures;
            }
            for (int n = 0; n < kJobsPerThread; ++n) {
                auto job = std::make_shared<SettingData>();
                job->setJobNo(std::to_string(t * kJobsPerThread + n + 1));
                int64_t result = n % 2 == 0 ? client.Register(scanner, job, std::string("pw"))
                                            : client.Delete(scanner, std::string("pw"), t * kJobsPerThread + n + 1);
                if (result != 1) {
                    ++failures;
                }
            }
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(failures.load(), 0);
    for (int t = 0; t < kThreads; ++t) {
        auto expected = t % 2 == 0 ? JsonIdentifier::fromString("VX2") : JsonIdentifier::fromNumber("103");
        EXPECT_EQ(records[static_cast<size_t>(t)]->scannerId(), expected) << t;
    }
    auto log = requests();
    EXPECT_EQ(log.size(), static_cast<size_t>(kThreads * (1 + kJobsPerThread)));
    std::set<int64_t> slots;
    for (const auto& request : log) {
        if (request["path"] == "/api/v1/job/settings") {
            slots.insert(json::parse(request["body"].get<std::string>())["job_id"].get<int64_t>());
        }
    }
    EXPECT_EQ(slots.size(), static_cast<size_t>(kThreads * kJobsPerThread)) << "every slot went out exactly once";
}

TEST_F(ConcurrentClientTest, TerminateWhileRequestsRunLeavesThemUnharmed)
{
    Start();
    std::atomic<bool> allSucceeded{true};
    std::thread worker([&] {
        for (int i = 0; i < 20; ++i) {
            auto scanner = scannerAt(kIp);
            if (!client.GetScannerID(scanner)) {
                allSucceeded = false;
            }
        }
    });
    client.GetHostListWithCompletion([](bool, std::vector<std::shared_ptr<ScannerData>>) {});
    client.terminate();
    worker.join();
    EXPECT_TRUE(allSucceeded.load());
    EXPECT_FALSE(client.GetHostListWithCompletion([](bool, std::vector<std::shared_ptr<ScannerData>>) {}));
}

TEST(WebApiDiscovery, SearchReachesTheOwnedDiscoveryManagerAndReportsOnce)
{
    SimulatorProcess sim({"--no-rest", "--scanner", "ip=127.0.0.2,model=VX-7,name=Front,serial=S100"});
    ASSERT_TRUE(sim.ready()) << sim.failure();

    WebApiClient client;
    std::mutex lock;
    std::condition_variable done;
    int calls = 0;
    bool result = false;
    std::vector<std::shared_ptr<ScannerData>> found;
    ASSERT_TRUE(client.GetHostListWithCompletion([&](bool ok, std::vector<std::shared_ptr<ScannerData>> scanners) {
        std::lock_guard<std::mutex> guard(lock);
        ++calls;
        result = ok;
        found = std::move(scanners);
        done.notify_all();
    }));
    std::unique_lock<std::mutex> guard(lock);
    ASSERT_TRUE(done.wait_for(guard, std::chrono::seconds(30), [&] { return calls > 0; }));
    EXPECT_TRUE(result);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0]->scannerIp(), "127.0.0.2");
    EXPECT_EQ(found[0]->scannerName(), "VX-7:Front:S100");
    guard.unlock();
    client.terminate();
    guard.lock();
    EXPECT_EQ(calls, 1);
}
