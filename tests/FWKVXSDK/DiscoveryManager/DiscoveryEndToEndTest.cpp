// Discovery against the scanner simulator. Every scenario runs in its own
// private network namespace (tests/netns-run.sh), as its own CTest test,
// because a search takes about seven seconds.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <netinet/in.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <future>

#include "DiscoveryTestSupport.h"
#include "SimulatorProcess.h"

namespace {

using namespace std::chrono_literals;
using SteadyClock = std::chrono::steady_clock;

double SecondsBetween(SteadyClock::time_point from, SteadyClock::time_point to)
{
    return std::chrono::duration<double>(to - from).count();
}

std::vector<std::string> Names(const std::vector<std::shared_ptr<ScannerData>>& scanners)
{
    std::vector<std::string> names;
    for (const auto& scanner : scanners) {
        names.push_back(scanner->scannerName().value_or("<absent>"));
    }
    return names;
}

// A search lasts whole seconds: more than 6 after its start, checked after
// each wait of at most a second. A little slack for slow sanitizer builds.
void ExpectSearchDuration(double seconds)
{
    EXPECT_GE(seconds, 6.0);
    EXPECT_LT(seconds, 8.5);
}

class DiscoveryEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        baseline = ThreadBaseline();
        opened = OpenManagerWithWorker();
        ASSERT_NE(opened.workerTid, 0);
    }

    void TearDown() override
    {
        opened.manager.reset();
        EXPECT_TRUE(WaitForThreadCount(baseline, 2s)) << "the worker thread was left behind";
    }

    // Runs the main loop until the first completion and a while longer, so that
    // a second call would be seen.
    CompletionLog::Call AwaitOnlyCompletion(TestMainLoop& loop, CompletionLog& log)
    {
        EXPECT_TRUE(loop.RunUntil([&] { return log.Count() > 0; }, 12s)) << "no completion";
        loop.RunFor(1500ms);
        std::vector<CompletionLog::Call> calls = log.Calls();
        EXPECT_EQ(calls.size(), 1u);
        return calls.empty() ? CompletionLog::Call{} : calls.front();
    }

    size_t baseline = 0;
    OpenedManager opened;
};

TEST_F(DiscoveryEndToEnd, NoScannerCompletesOnceWithAnEmptyList)
{
    TestMainLoop loop;
    CompletionLog log;
    std::optional<long long> cpuBefore = ThreadCpuNanoseconds(opened.workerTid);
    auto start = SteadyClock::now();
    ASSERT_TRUE(opened.manager->SearchDevice(true, log.Make(1)));
    ASSERT_TRUE(loop.RunUntil([&] { return log.Count() > 0; }, 12s));
    std::optional<long long> cpuAfter = ThreadCpuNanoseconds(opened.workerTid);
    loop.RunFor(1500ms);

    std::vector<CompletionLog::Call> calls = log.Calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_TRUE(calls[0].result);
    EXPECT_TRUE(calls[0].scanners.empty());
    EXPECT_EQ(calls[0].thread, std::this_thread::get_id()) << "the completion belongs on the main thread";
    double seconds = SecondsBetween(start, calls[0].at);
    ExpectSearchDuration(seconds);

    ASSERT_TRUE(cpuBefore && cpuAfter);
    double cpuMs = static_cast<double>(*cpuAfter - *cpuBefore) / 1e6;
    EXPECT_LT(cpuMs, 50.0) << "the worker must sleep while it waits";
    std::cout << "search took " << seconds << " s; worker CPU over the search " << cpuMs << " ms\n";
    RecordProperty("search_seconds", std::to_string(seconds));
    RecordProperty("worker_cpu_ms", std::to_string(cpuMs));
}

TEST_F(DiscoveryEndToEnd, TwoAnswersFromOneScannerGiveOneRecordWithTheFirstAddress)
{
    // The same scanner answers twice from 127.0.0.2 (at 0 s and 1.5 s), and a
    // copy of it once from 127.0.0.3 (at 0.7 s).
    SimulatorProcess sim({"--no-rest",
                          "--scanner", "model=MODEL07,name=Lobby,serial=ABC123,ip=127.0.0.2,mdns-twice=1500",
                          "--scanner", "model=MODEL07,name=Lobby,serial=ABC123,ip=127.0.0.3,mdns-delay-ms=700"});
    ASSERT_TRUE(sim.ready());
    TestMainLoop loop;
    CompletionLog log;
    auto searchStart = ScannerData::Clock::now();
    ASSERT_TRUE(opened.manager->SearchDevice(true, log.Make(1)));
    CompletionLog::Call call = AwaitOnlyCompletion(loop, log);

    EXPECT_TRUE(call.result);
    ASSERT_EQ(Names(call.scanners), std::vector<std::string>{"MODEL07:Lobby:ABC123"});
    EXPECT_EQ(call.scanners[0]->scannerIp(), "127.0.0.2");
    std::optional<ScannerData::Clock::time_point> seen = call.scanners[0]->time();
    ASSERT_TRUE(seen);
    EXPECT_GE(*seen, searchStart + 1400ms) << "time is that of the later answer";
    EXPECT_LE(*seen, ScannerData::Clock::now());
}

TEST_F(DiscoveryEndToEnd, ScannersAreListedInTheOrderOfTheirFirstAnswers)
{
    // The fastest answers at once: it must not be lost while the listener opens.
    SimulatorProcess sim({"--no-rest",
                          "--scanner", "model=MODEL07,name=Far,serial=S2,mac=00:00:5e:00:53:02,mdns-delay-ms=1200",
                          "--scanner", "model=MODEL07,name=Near,serial=S1,mac=00:00:5e:00:53:01",
                          "--scanner", "model=MODEL09,name=No serial,mdns-delay-ms=600",
                          "--scanner", "model=MODEL07,name=Silent,serial=S4,mdns=off"});
    ASSERT_TRUE(sim.ready());
    TestMainLoop loop;
    CompletionLog log;
    ASSERT_TRUE(opened.manager->SearchDevice(true, log.Make(1)));
    CompletionLog::Call call = AwaitOnlyCompletion(loop, log);

    EXPECT_TRUE(call.result);
    EXPECT_EQ(Names(call.scanners),
              (std::vector<std::string>{"MODEL07:Near:S1", "MODEL09:No serial:", "MODEL07:Far:S2"}));
    if (call.scanners.size() == 3) {
        EXPECT_EQ(call.scanners[0]->scannerIp(), "127.0.0.3");
        EXPECT_EQ(call.scanners[1]->scannerIp(), "127.0.0.4");
        EXPECT_EQ(call.scanners[2]->scannerIp(), "127.0.0.2");
    }
}

TEST_F(DiscoveryEndToEnd, RestartedSearchCallsOnlyTheSecondCompletion)
{
    // The scanner answers the first query only: the restarted search starts
    // with an empty list and finds nothing.
    SimulatorProcess sim({"--no-rest", "--scanner", "model=MODEL07,name=Once,serial=S1,mdns-max=1"});
    ASSERT_TRUE(sim.ready());
    TestMainLoop loop;
    CompletionLog log;
    ASSERT_TRUE(opened.manager->SearchDevice(true, log.Make(1)));
    loop.RunFor(2s);
    auto restart = SteadyClock::now();
    ASSERT_TRUE(opened.manager->SearchDevice(true, log.Make(2)));
    CompletionLog::Call call = AwaitOnlyCompletion(loop, log);

    EXPECT_EQ(call.tag, 2);
    EXPECT_TRUE(call.result);
    EXPECT_TRUE(call.scanners.empty());
    ExpectSearchDuration(SecondsBetween(restart, call.at));
}

TEST_F(DiscoveryEndToEnd, SecondSearchStartsWithAnEmptyList)
{
    SimulatorProcess sim({"--no-rest", "--scanner", "model=MODEL07,name=Once,serial=S1,mdns-max=1"});
    ASSERT_TRUE(sim.ready());
    TestMainLoop loop;
    CompletionLog first;
    ASSERT_TRUE(opened.manager->SearchDevice(true, first.Make(1)));
    CompletionLog::Call found = AwaitOnlyCompletion(loop, first);
    EXPECT_EQ(Names(found.scanners), std::vector<std::string>{"MODEL07:Once:S1"});

    CompletionLog second;
    ASSERT_TRUE(opened.manager->SearchDevice(true, second.Make(2)));
    CompletionLog::Call again = AwaitOnlyCompletion(loop, second);
    EXPECT_TRUE(again.result);
    EXPECT_TRUE(again.scanners.empty());
    // The first caller's copy is its own.
    EXPECT_EQ(found.scanners.size(), 1u);
}

TEST_F(DiscoveryEndToEnd, CompletionQueuedByAnEndedSearchDoesNotReachANewerOne)
{
    SimulatorProcess sim({"--no-rest", "--scanner", "model=MODEL07,name=Once,serial=S1,mdns-max=1"});
    ASSERT_TRUE(sim.ready());
    TestMainLoop loop;
    CompletionLog log;
    ASSERT_TRUE(opened.manager->SearchDevice(true, log.Make(1)));
    // The first search ends and queues its completion; before the main loop
    // runs it, the user starts another search.
    std::optional<TestMainLoop::Task> stale = loop.TakeTask(12s);
    ASSERT_TRUE(stale);
    auto restart = SteadyClock::now();
    ASSERT_TRUE(opened.manager->SearchDevice(true, log.Make(2)));
    (*stale)();
    EXPECT_EQ(log.Count(), 0u) << "the second completion was called before its search ended";

    CompletionLog::Call call = AwaitOnlyCompletion(loop, log);
    EXPECT_EQ(call.tag, 2);
    EXPECT_TRUE(call.scanners.empty());
    ExpectSearchDuration(SecondsBetween(restart, call.at));
}

TEST_F(DiscoveryEndToEnd, ListenerThatCannotOpenReportsFalseAfterTheSearchTime)
{
    // Port 5353 taken without address or port reuse.
    int blocker = socket(AF_INET, SOCK_DGRAM, 0);
    ASSERT_GE(blocker, 0);
    sockaddr_in any{};
    any.sin_family = AF_INET;
    any.sin_port = htons(5353);
    ASSERT_EQ(bind(blocker, reinterpret_cast<sockaddr*>(&any), sizeof any), 0);

    TestMainLoop loop;
    CompletionLog log;
    std::optional<long long> cpuBefore = ThreadCpuNanoseconds(opened.workerTid);
    auto start = SteadyClock::now();
    ASSERT_TRUE(opened.manager->SearchDevice(true, log.Make(1)));
    ASSERT_TRUE(loop.RunUntil([&] { return log.Count() > 0; }, 12s));
    std::optional<long long> cpuAfter = ThreadCpuNanoseconds(opened.workerTid);
    CompletionLog::Call call = AwaitOnlyCompletion(loop, log);
    close(blocker);

    EXPECT_FALSE(call.result);
    EXPECT_TRUE(call.scanners.empty());
    ExpectSearchDuration(SecondsBetween(start, call.at));
    ASSERT_TRUE(cpuBefore && cpuAfter);
    EXPECT_LT(*cpuAfter - *cpuBefore, 50'000'000) << "the worker must not spin without a listener";
}

TEST_F(DiscoveryEndToEnd, ListenerDescriptorBeyondSelectLimitIsRefused)
{
    // Fill the descriptor table so that the listener's socket lands above FD_SETSIZE.
    rlimit limit{};
    ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &limit), 0);
    if (limit.rlim_max < FD_SETSIZE + 64) {
        GTEST_SKIP() << "descriptor limit too low";
    }
    limit.rlim_cur = FD_SETSIZE + 64;
    ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &limit), 0);
    std::vector<int> fillers;
    int base = open("/dev/null", O_RDONLY | O_CLOEXEC);
    ASSERT_GE(base, 0);
    for (int fd = base; fd >= 0 && fd < FD_SETSIZE + 8; fd = fcntl(base, F_DUPFD_CLOEXEC, 0)) {
        fillers.push_back(fd);
    }
    TestMainLoop loop;
    CompletionLog log;
    ASSERT_TRUE(opened.manager->SearchDevice(true, log.Make(1)));
    CompletionLog::Call call = AwaitOnlyCompletion(loop, log);
    for (int fd : fillers) {
        close(fd);
    }
    EXPECT_FALSE(call.result);
}

TEST_F(DiscoveryEndToEnd, CloseManagerDuringSearchEndsTheWorkerWithinASecond)
{
    TestMainLoop loop;
    CompletionLog log;
    auto owner = std::make_shared<int>(0); // stands for what a completion may capture
    auto completion = log.Make(1);
    ASSERT_TRUE(opened.manager->SearchDevice(true, [owner, completion](bool result, auto scanners) {
        completion(result, std::move(scanners));
    }));
    loop.RunFor(1500ms);
    auto closing = SteadyClock::now();
    EXPECT_TRUE(opened.manager->CloseManager());
    EXPECT_TRUE(WaitForThreadCount(baseline, kJoinedThreadGrace));
    EXPECT_LT(SecondsBetween(closing, SteadyClock::now()), 1.3) << "the worker must end within about a second";
    EXPECT_EQ(owner.use_count(), 1) << "the closed manager still holds the completion";
    EXPECT_FALSE(opened.manager->SearchDevice(true, log.Make(2)));
    loop.RunFor(200ms);
    EXPECT_EQ(log.Count(), 0u);
}

TEST_F(DiscoveryEndToEnd, DroppingTheManagerDuringSearchEndsTheWorker)
{
    TestMainLoop loop;
    CompletionLog log;
    ASSERT_TRUE(opened.manager->SearchDevice(true, log.Make(1)));
    loop.RunFor(1500ms);
    auto dropping = SteadyClock::now();
    opened.manager.reset();
    EXPECT_TRUE(WaitForThreadCount(baseline, kJoinedThreadGrace));
    EXPECT_LT(SecondsBetween(dropping, SteadyClock::now()), 1.3) << "the worker must end within about a second";
    loop.RunFor(200ms);
    EXPECT_EQ(log.Count(), 0u);
}

TEST_F(DiscoveryEndToEnd, SearchSwitchedOffCallsNoCompletion)
{
    TestMainLoop loop;
    CompletionLog log;
    ASSERT_TRUE(opened.manager->SearchDevice(true, log.Make(1)));
    loop.RunFor(1s);
    EXPECT_TRUE(opened.manager->SearchDevice(false, log.Make(2)));
    loop.RunFor(8s);
    EXPECT_EQ(log.Count(), 0u);
}

// Without a main-thread hook the completion runs on the worker. Dropping the
// last reference there must neither join the worker from itself nor touch the
// freed manager.
TEST_F(DiscoveryEndToEnd, LastReferenceDroppedByTheCompletionOnTheWorker)
{
    ASSERT_FALSE(MainThreadDispatcher::HasHook());
    std::shared_ptr<DiscoveryManager> holder = std::move(opened.manager);
    std::promise<std::thread::id> called;
    std::future<std::thread::id> calledOn = called.get_future();
    ASSERT_TRUE(holder->SearchDevice(true, [&holder, &called](bool, std::vector<std::shared_ptr<ScannerData>>) {
        holder.reset();
        called.set_value(std::this_thread::get_id());
    }));
    ASSERT_EQ(calledOn.wait_for(12s), std::future_status::ready);
    EXPECT_NE(calledOn.get(), std::this_thread::get_id());
    EXPECT_TRUE(WaitForThreadCount(baseline, 2s));
}

TEST_F(DiscoveryEndToEnd, CloseManagerCalledByTheCompletionOnTheWorker)
{
    ASSERT_FALSE(MainThreadDispatcher::HasHook());
    DiscoveryManager* manager = opened.manager.get();
    std::promise<void> called;
    std::future<void> done = called.get_future();
    ASSERT_TRUE(manager->SearchDevice(true, [manager, &called](bool, std::vector<std::shared_ptr<ScannerData>>) {
        manager->CloseManager();
        called.set_value();
    }));
    ASSERT_EQ(done.wait_for(12s), std::future_status::ready);
    EXPECT_TRUE(WaitForThreadCount(baseline, 2s));
}

} // namespace
